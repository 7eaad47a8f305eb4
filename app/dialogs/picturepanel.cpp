#include "app/dialogs/picturepanel.h"

#include "app/dialogs/dialogcontext.h"
#include "app/dialogs/settingsdialog.h"
#include "app/ui/codepageguard.h"
#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"
#include "app/ui/translate.h"
#include "objects/lxstatebmp.h"
#include "platform/codepage.h"
#include "platform/gdi.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QStackedLayout>

#include <algorithm>

namespace kes {
namespace {

constexpr int kMsgNone = 602;          // "[None]"
constexpr int kMsgPictureUnread = 944; // the picture could not be read

// "[None]" in the language in force (the English words without a message table).
QString NoneText()
{
    const QString text = Msg(kMsgNone);
    return text.isEmpty() ? QStringLiteral("[None]") : text;
}

// The standard picture file dialog, run through the prompt seam.
bool StandardBitmapChoice(Prompt& prompt, QWidget* parent, const QString& folder, QString& file)
{
    QFileDialog dlg(parent);
    dlg.setObjectName(QStringLiteral("BmpDlg"));
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::ExistingFile);
    constexpr int kMsgBitmapFiles = 781; // "Bitmaps (*.bmp)"
    dlg.setNameFilter(Msg(kMsgBitmapFiles));
    dlg.setDirectory(folder);
    if (ExecModal(prompt, &dlg) != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return false;
    file = dlg.selectedFiles().front();
    return true;
}

} // namespace

PicturePanel::PicturePanel(QWidget* parent)
{
    PanelPic = Named(new QFrame(parent), "PanelPic");
    PanelPic->setFrameShape(QFrame::StyledPanel);
    PanelPic->setMinimumSize(120, 72);
    auto* stack = new QStackedLayout(PanelPic);
    stack->setStackingMode(QStackedLayout::StackAll);
    caption_ = new QLabel(NoneText(), PanelPic);
    caption_->setAlignment(Qt::AlignCenter);
    ImgPic = Named(new QLabel(PanelPic), "ImgPic");
    ImgPic->setAlignment(Qt::AlignCenter);
    SetComponentClass(ImgPic, "");
    stack->addWidget(ImgPic);
    stack->addWidget(caption_);
    LabPic = Named(new QLabel(parent), "LabPic");
    SetComponentClass(LabPic, "");
}

void PicturePanel::MakeMonochrome(TBitmap& picture)
{
    QImage& img = picture.Image();
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            // The colour value is 0x00BBGGRR: blue weighs most.
            const TColor c = FromQRgb(img.pixel(x, y));
            img.setPixel(x, y, ToQRgb(c > 0x7FFFFF ? clWhite : clBlack));
        }
}

void PicturePanel::ShowNone()
{
    ImgPic->clear();
    LabPic->clear();
    caption_->setText(NoneText());
}

void PicturePanel::Show(TBitmap& picture)
{
    if (picture.Empty()) {
        ShowNone();
        return;
    }
    MakeMonochrome(picture);
    LabPic->setText(QStringLiteral("[ %1 x %2 ]").arg(picture.Width()).arg(picture.Height()));
    caption_->clear();
    // Panel pictures are small: shown enlarged by whole pixels where the panel has room.
    const QSize room = PanelPic->contentsRect().size();
    const int scale = std::clamp(std::min(room.width() / picture.Width(), room.height() / picture.Height()), 1, 4);
    ImgPic->setPixmap(QPixmap::fromImage(picture.Image().scaled(picture.Width() * scale, picture.Height() * scale)));
}

QString PicturePanel::Caption() const { return caption_->text(); }

void FillBitPictureBox(QComboBox* box)
{
    box->clear();
    box->setIconSize(QSize(16, 16));
    for (int i = 0; i < kBitPictures; ++i) {
        TBitmap pic;
        ShowBitPicture(pic, static_cast<std::uint8_t>(i), 1, 1);
        box->addItem(QIcon(QPixmap::fromImage(pic.Image())), QString());
    }
    box->setCurrentIndex(0);
}

bool ChooseStatePicture(DialogContext& ctx, QWidget* parent, TBitmap& picture)
{
    std::string* shared = ctx.BmpFolder;
    const QString folder = shared ? AnsiToQString(*shared) : QString();
    QString file;
    const bool chosen = ctx.ChooseBitmapFile ? ctx.ChooseBitmapFile(parent, folder, file)
                                             : StandardBitmapChoice(ctx.Ask, parent, folder, file);
    if (!chosen || !PathFitsCodePage(file, ctx.Ask, nullptr))
        return false;
    if (shared)
        *shared = QStringToAnsi(QFileInfo(file).absolutePath());
    TBitmap loaded;
    if (!loaded.LoadFromFile(QStringToAnsi(file))) {
        ShowError(ctx.Ask, Msg(kMsgPictureUnread) + QStringLiteral("\n") + file);
        return false;
    }
    picture = loaded;
    return true;
}

} // namespace kes
