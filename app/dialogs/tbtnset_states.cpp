// The button settings form: the dialog's own list of states, their texts and pictures.
#include "app/dialogs/tbtnset.h"

#include "app/dialogs/tfrmgridtable.h"
#include "app/dialogs/updown.h"
#include "app/model/projectstate.h"
#include "app/ui/prompt.h"
#include "objects/digtest.h"
#include "platform/codepage.h"

#include <QComboBox>
#include <QHeaderView>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

#include <algorithm>

namespace {

constexpr int kMsgNoState = 89;
constexpr int kMaxStates = 255;
constexpr int kTableMaxHeight = 450;

// The standard picture file dialog, run through the prompt seam.
bool StandardBitmapChoice(QWidget* parent, const QString& folder, QString& file)
{
    QFileDialog dlg(parent);
    dlg.setObjectName(QStringLiteral("BmpDlg"));
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::ExistingFile);
    dlg.setNameFilter(QStringLiteral("Bitmaps (*.bmp)"));
    dlg.setDirectory(folder);
    if (kes::ExecModal(&dlg) != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return false;
    file = dlg.selectedFiles().front();
    return true;
}

} // namespace

int TBtnSet::SelectedState() const { return State_Box->currentIndex(); }

void TBtnSet::SyncStateLists()
{
    State_Box->clear();
    kes::SetEnabled({State_Box, State_Lab}, true);
    if (Type() >= 7 && Type() <= 10)
        count_ = 1;
    const auto n = static_cast<std::size_t>(count_);
    if (pics_.size() > n)
        pics_.resize(n);
    while (pics_.size() < n)
        pics_.emplace_back(0, 0);
    while (texts_.size() > count_)
        texts_.removeLast();
    while (texts_.size() < count_)
        texts_.append(QString());
    for (int i = 0; i < count_; ++i)
        State_Box->addItem(QString::number(i));
    State_Box->setCurrentIndex(0);
    StaNum_UD->Position = count_;
}

void TBtnSet::ApplyStateCount()
{
    const QString text = StaNum_Txt->text();
    // Nothing typed yet: the count stays until a number is there.
    if (text.isEmpty())
        return;
    const std::string digits = kes::QStringToAnsi(text);
    bool ok = IsDecimalText(digits) && digits.size() <= 9;
    const int n = ok ? text.toInt() : 0;
    if (!ok || n > kMaxStates || n < 1) {
        count_ = 1;
        SetStateCountText(1);
    } else {
        count_ = n;
    }
    SyncStateLists();
    State_BoxChange();
}

void TBtnSet::StaNum_TxtKeyUp() { ApplyStateCount(); }

void TBtnSet::StaNum_UDClick(bool)
{
    // Each access kind wraps round within its own range; no kind reaches 0 states.
    int top = kMaxStates;
    if (Bit_Rdo->isChecked())
        top = 2;
    else if (Lsb_Rdo->isChecked())
        top = 16;
    int& pos = StaNum_UD->Position;
    if (pos > top)
        pos = 1;
    else if (pos < 1)
        pos = top;
    SetStateCountText(pos);
    ApplyStateCount();
}

void TBtnSet::State_BoxChange()
{
    const int sel = count_ == 1 ? 0 : SelectedState();
    if (sel < 0) {
        kes::ShowMsg(kMsgNoState);
        return;
    }
    Btn_Txt->setText(texts_.value(sel));
    ShowStatePicture();
}

void TBtnSet::StoreStateText()
{
    const int sel = SelectedState();
    if (sel < 0 || sel >= texts_.size()) {
        kes::ShowMsg(kMsgNoState);
        return;
    }
    texts_[sel] = Btn_Txt->text();
}

void TBtnSet::Btn_TxtKeyUp(int key)
{
    if (count_ == 1) {
        if (texts_.isEmpty())
            texts_.append(Btn_Txt->text());
        else
            texts_[0] = Btn_Txt->text();
        return;
    }
    const int sel = SelectedState();
    if (key == Qt::Key_Up) {
        if (sel > 0) {
            State_Box->setCurrentIndex(sel - 1);
            State_BoxChange();
        }
    } else if (key == Qt::Key_Down) {
        if (sel < count_ - 1) {
            State_Box->setCurrentIndex(sel + 1);
            State_BoxChange();
        }
    } else {
        StoreStateText();
    }
}

void TBtnSet::Btn_TxtMouseUp()
{
    if (count_ > 1)
        StoreStateText();
}

void TBtnSet::Btn_TxtClick()
{
    if (count_ < 2)
        return;
    TFrmGridTable table(nullptr, Ctx().State.LangIndex);
    FrmGridTable = &table;
    table.CaptionPrefix = Ctx().ToolHintOf(kes::ObjKind::LxBtn);
    table.StateNum = count_;
    table.StateTexts = &texts_;
    table.Kind = kes::ObjKind::LxBtn;
    table.SetGridShape(2, count_ + 1);
    table.SetCell(1, 0, BtnTxt_Lab->text());
    table.StrGridTable->setColumnWidth(1, Btn_Txt->width());
    table.BtnRefer->hide();
    const int rowsHeight = (count_ + 1) * table.StrGridTable->verticalHeader()->defaultSectionSize() + 8;
    table.StrGridTable->setMinimumHeight(std::min(rowsHeight, kTableMaxHeight));
    if (kes::ExecModal(&table) == QDialog::Accepted && table.Accepted) {
        for (int i = 0; i < count_ && i < texts_.size(); ++i)
            texts_[i] = table.Cell(1, i + 1);
        Btn_Txt->setText(texts_.value(std::max(0, SelectedState())));
    }
    FrmGridTable = nullptr;
}

// ---- Pictures

void TBtnSet::MakeMonochrome(TBitmap& picture)
{
    QImage& img = picture.Image();
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            // The colour value is 0x00BBGGRR: blue weighs most.
            const TColor c = kes::FromQRgb(img.pixel(x, y));
            img.setPixel(x, y, kes::ToQRgb(c > 0x7FFFFF ? clWhite : clBlack));
        }
}

void TBtnSet::ShowStatePicture()
{
    const int sel = count_ == 1 ? 0 : SelectedState();
    if (sel < 0 || sel >= static_cast<int>(pics_.size()))
        return;
    TBitmap& pic = pics_[static_cast<std::size_t>(sel)];
    if (pic.Empty()) {
        ImgPic->clear();
        LabPic->clear();
        panelCaption_->setText(QStringLiteral("[None]"));
        return;
    }
    MakeMonochrome(pic);
    LabPic->setText(QStringLiteral("[ %1 x %2 ]").arg(pic.Width()).arg(pic.Height()));
    panelCaption_->clear();
    // Panel pictures are small: shown enlarged by whole pixels where the panel has room.
    const QSize room = PanelPic->contentsRect().size();
    const int scale = std::clamp(std::min(room.width() / pic.Width(), room.height() / pic.Height()), 1, 4);
    ImgPic->setPixmap(QPixmap::fromImage(pic.Image().scaled(pic.Width() * scale, pic.Height() * scale)));
}

void TBtnSet::BmpRdBtnClick()
{
    const int sel = count_ == 1 ? 0 : SelectedState();
    if (sel < 0 || sel >= static_cast<int>(pics_.size())) {
        kes::ShowMsg(kMsgNoState);
        return;
    }
    std::string* shared = Ctx().BmpFolder;
    const QString folder = shared ? kes::AnsiToQString(*shared) : QString();
    QString file;
    const bool chosen = Ctx().ChooseBitmapFile ? Ctx().ChooseBitmapFile(this, folder, file)
                                               : StandardBitmapChoice(this, folder, file);
    if (!chosen)
        return;
    if (shared)
        *shared = kes::QStringToAnsi(QFileInfo(file).absolutePath());
    TBitmap loaded;
    if (loaded.LoadFromFile(kes::QStringToAnsi(file)))
        pics_[static_cast<std::size_t>(sel)] = loaded;
    ShowStatePicture();
}

void TBtnSet::BtnBmpClearClick()
{
    const int sel = count_ == 1 ? 0 : SelectedState();
    if (sel < 0 || sel >= static_cast<int>(pics_.size())) {
        kes::ShowMsg(kMsgNoState);
        return;
    }
    pics_[static_cast<std::size_t>(sel)].SetSize(0, 0);
    ShowStatePicture();
}
