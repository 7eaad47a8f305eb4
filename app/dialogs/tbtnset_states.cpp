// The button settings form: the dialog's own list of states, their texts and pictures.
#include "app/dialogs/tbtnset.h"

#include "app/dialogs/statetable.h"
#include "app/dialogs/updown.h"
#include "app/model/projectstate.h"
#include "app/ui/prompt.h"
#include "objects/digtest.h"
#include "platform/codepage.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace {

constexpr int kMsgNoState = 89;
constexpr int kMaxStates = 255;

} // namespace

int TBtnSet::SelectedState() const { return State_Box->currentIndex(); }

void TBtnSet::SyncStateLists()
{
    State_Box->clear();
    kes::SetEnabled({State_Box, State_Lab}, true);
    if (kes::IsValueBtnType(Action->Type()))
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
    if (Action->Bit_Rdo->isChecked())
        top = 2;
    else if (Action->Lsb_Rdo->isChecked())
        top = 16;
    int& pos = StaNum_UD->Position;
    pos = kes::WrapPosition(pos, 1, top);
    SetStateCountText(pos);
    ApplyStateCount();
}

void TBtnSet::State_BoxChange()
{
    const int sel = count_ == 1 ? 0 : SelectedState();
    if (sel < 0) {
        kes::ShowMsg(Ctx().Ask, kMsgNoState);
        return;
    }
    Btn_Txt->setText(texts_.value(sel));
    ShowStatePicture();
}

void TBtnSet::StoreStateText()
{
    const int sel = SelectedState();
    if (sel < 0 || sel >= texts_.size()) {
        kes::ShowMsg(Ctx().Ask, kMsgNoState);
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
    kes::StateTable t;
    t.Kind = kes::ObjKind::LxBtn;
    t.Count = count_;
    t.Texts = &texts_;
    t.TextHeading = BtnTxt_Lab->text();
    t.TextWidth = Btn_Txt->width();
    if (kes::RunStateTable(Ctx(), this, t))
        Btn_Txt->setText(texts_.value(std::max(0, SelectedState())));
}

// ---- Pictures

void TBtnSet::ShowStatePicture()
{
    const int sel = count_ == 1 ? 0 : SelectedState();
    if (sel >= 0 && sel < static_cast<int>(pics_.size()))
        picture_->Show(pics_[static_cast<std::size_t>(sel)]);
}

void TBtnSet::BmpRdBtnClick()
{
    const int sel = count_ == 1 ? 0 : SelectedState();
    if (sel < 0 || sel >= static_cast<int>(pics_.size())) {
        kes::ShowMsg(Ctx().Ask, kMsgNoState);
        return;
    }
    kes::ChooseStatePicture(Ctx(), this, pics_[static_cast<std::size_t>(sel)]);
    ShowStatePicture();
}

void TBtnSet::BtnBmpClearClick()
{
    const int sel = count_ == 1 ? 0 : SelectedState();
    if (sel < 0 || sel >= static_cast<int>(pics_.size())) {
        kes::ShowMsg(Ctx().Ask, kMsgNoState);
        return;
    }
    pics_[static_cast<std::size_t>(sel)].SetSize(0, 0);
    ShowStatePicture();
}
