// The button settings form: loading the button, the layout of each button type, and the
// handlers that change the dialog's own copy (type, access kind, read and notify, value
// format, function key). None of them touches the button.
#include "app/dialogs/tbtnset.h"

#include "app/dialogs/entryfields.h"
#include "app/dialogs/updown.h"
#include "app/model/lxtypecore.h"
#include "app/model/projectstate.h"
#include "app/project/pagedata.h"
#include "app/ui/prompt.h"
#include "objects/addrmode.h"
#include "objects/digtest.h"
#include "objects/tlxbtn.h"
#include "platform/codepage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace {

constexpr int kMsgKeyRefused = 122;
using kes::BtnType;
using kes::FormatCode;
using kes::IsFormat;
using kes::kFloatItem;
using kes::kKeyUp;
using kes::ValFormat;

QString ValueText(std::int32_t v, int format, int len)
{
    return QString::fromStdString(ValueToText(static_cast<std::uint32_t>(v), format, len == 1));
}

// The format a button's stored value is shown in: a floating value's numbers are whole
// signed numbers.
int ShownFormat(const TLxBtn& b)
{
    if (IsFormat(b.ValType, ValFormat::Float))
        return FormatCode(ValFormat::Signed);
    return kes::IsNumberFormat(b.ValType) ? b.ValType : FormatCode(ValFormat::Unsigned);
}

} // namespace

// ---- Loading

void TBtnSet::LoadFields()
{
    const TLxBtn& b = btn_;
    const BtnType type = kes::BtnTypeOf(kes::BtnCode(b.BtnType));
    Action->BtnType_Box->setCurrentIndex(kes::BtnTypeItem(type));
    Action->Write->LoadCompanion(b.WriteDev);
    Action->Read->LoadCompanion(b.ReadDev);
    Action->Notify->LoadCompanion(b.NotifyDev);
    ComboBox_UserLevel->setCurrentIndex(b.UserLevel >= 0 && b.UserLevel <= 4 ? b.UserLevel : 0);
    Font_Box->setCurrentIndex(b.fontsize >= 0 && b.fontsize <= 3 ? b.fontsize : 0);
    ShowHeldValueBoxes();

    // Single-state types hold one state whatever the button kept.
    count_ = kes::IsBtnType(type) && type >= BtnType::InputValue ? 1 : std::max<int>(1, b.TotalState);
    SetStateCountText(count_);
    SyncStateLists();
    for (int i = 0; i < count_; ++i) {
        if (const TBitmap* p = b.StateBmp(i))
            pics_[static_cast<std::size_t>(i)] = *p;
        if (i < static_cast<int>(b.TxtList.size()))
            texts_[i] = kes::AnsiToQString(b.TxtList[static_cast<std::size_t>(i)]);
    }

    FitTypeControls();
    BtnSurFace_Box->setCurrentIndex(b.Surface <= 4 ? b.Surface : 1);

    const bool reads = b.ReadUsed != 0;
    Action->DevRd_Chk->setChecked(reads);
    Action->Read->SetEnabled(reads);
    const bool notifies = b.NotifyUsed != 0;
    Action->Call_Chk->setChecked(notifies);
    Action->Notify->SetEnabled(notifies);
    kes::SetEnabled({Action->CallStateGp, Action->CallOrderGp}, notifies);
    kes::SetRadioGroupIndex(Action->CallOrderGp, b.NotifyOrder ? 1 : 0);
    kes::SetRadioGroupIndex(Action->CallStateGp, b.NotifyState ? 1 : 0);

    const std::uint8_t kind = b.ValKind & 0x30;
    const std::uint8_t len = b.ValLen <= 1 ? b.ValLen : 0;
    Action->Write->Show(b.WriteDev.DevAddrCode, kind, len, b.WriteDev.RefBitNo);
    if (reads)
        Action->Read->Show(b.ReadDev.DevAddrCode, kind, len, b.ReadDev.RefBitNo);
    else
        Action->Read->Clear();
    if (notifies)
        Action->Notify->Show(b.NotifyDev.DevAddrCode, kes::kBitFlags, 0, b.NotifyDev.RefBitNo);
    else
        Action->Notify->Clear();

    kes::ShowKey(RefKey_Chk, RefKey_Box, b.BoundKey());
    PassTxt->setText(kes::PasswordText(b.PassText));

    switch (type) {
    case BtnType::Maintained:
        kes::SetEnabled({UserLevel_Lab, ComboBox_UserLevel}, false);
        ComboBox_UserLevel->setCurrentIndex(0);
        break;
    case BtnType::MultiState: {
        kes::SetRadioGroupIndex(Action->StateToGp, b.MultiFlag ? 1 : 0);
        QRadioButton* radio =
            kind == kes::kWordFlags ? Action->Val_Rdo : (kind == kes::kEitherFlags ? Action->Lsb_Rdo : Action->Bit_Rdo);
        radio->setChecked(true);
        // Two states on a bit: the count is fixed.
        kes::SetEnabled({StaNum_Lab, StaNum_Txt, StaNum_UD}, kind != kes::kBitFlags);
        break;
    }
    case BtnType::InputValue: {
        const bool isFloat = IsFormat(b.ValType, ValFormat::Float);
        if (isFloat) {
            Action->ValType_Box->setCurrentIndex(kFloatItem);
            Action->ValLen_Box->setCurrentIndex(1);
            kes::SetEnabled({Action->ValLen_Box, Action->ValLen_Lab}, false);
            Action->Max_Txt->setText(ValueText(b.ParamA, ShownFormat(b), 1));
            Action->Min_Txt->setText(ValueText(b.ParamB, ShownFormat(b), 1));
        } else {
            Action->Max_Txt->setText(ValueText(b.ParamA, ShownFormat(b), len));
            Action->Min_Txt->setText(ValueText(b.ParamB, ShownFormat(b), len));
        }
        Action->Int_Box->setCurrentIndex(std::clamp<int>(b.IntNum, 1, 10) - 1);
        Action->Dec_Box->setCurrentIndex(std::min<int>(b.DecNum, 5));
        Action->Write->Show(b.WriteDev.DevAddrCode, kes::kWordFlags, len, b.WriteDev.RefBitNo);
        if (reads)
            Action->Read->Show(b.ReadDev.DevAddrCode, kes::kWordFlags, len, b.ReadDev.RefBitNo);
        if (kes::IsHexOrBcd(b.ValType)) {
            kes::SetEnabled({Action->Dec_Box, Action->Dec_Lab}, false);
            Action->Dec_Box->setCurrentIndex(0);
        }
        if (reads)
            kes::SetEnabled({BtnTxt_Lab, Btn_Txt, BmpRdBtn, BtnBmpClear}, false);
        break;
    }
    case BtnType::SetConstant:
        Action->DevRd_Chk->setEnabled(false);
        Action->Normal_Txt->setText(ValueText(b.ParamA, ShownFormat(b), len));
        break;
    case BtnType::Increment:
    case BtnType::Decrement:
        Action->AddVal_Txt->setText(ValueText(b.ParamA, ShownFormat(b), len));
        Action->Bound_Txt->setText(ValueText(b.ParamB, ShownFormat(b), len));
        break;
    case BtnType::ChangePage:
    case BtnType::SetPassword:
        BtnType_BoxChange();
        break;
    default:
        break;
    }

    const int cur = std::clamp<int>(b.CurPt, 0, count_ - 1);
    Btn_Txt->setText(texts_.value(cur));
    State_Box->setCurrentIndex(cur);
    State_BoxChange();
    // The form was sized before the type hid the groups it does not use.
    layout()->activate();
    adjustSize();
}

// ---- Layout by type

void TBtnSet::FitTypeControls()
{
    const BtnType t = Action->Type();
    Action->ShowTypeLayout(t);
    kes::SetEnabled({Action->DevWritTxt, BtnTxt_Lab, Btn_Txt, BmpRdBtn, BtnBmpClear}, true);
    kes::SetEnabled({Action->CallOrderGp, Action->CallStateGp}, Action->Call_Chk->isChecked());
    switch (t) {
    case BtnType::MultiState:
        kes::SetEnabled({State_Lab, State_Box}, true);
        (State_Box->count() > 2 ? Action->Val_Rdo : Action->Bit_Rdo)->setChecked(true);
        break;
    case BtnType::InputValue:
        Action->Val_Rdo->setChecked(true);
        break;
    case BtnType::SetConstant:
        Action->DevRd_Chk->setChecked(false);
        Action->Read->Clear();
        Action->Read->SetEnabled(false);
        break;
    case BtnType::ChangePage:
    case BtnType::SetPassword:
        Action->Write->Clear();
        Action->Notify->Clear();
        Action->Call_Chk->setChecked(false);
        break;
    default:
        break;
    }
}

void TBtnSet::ShowHeldValueBoxes()
{
    const TLxBtn& b = btn_;
    Action->ValType_Box->setCurrentIndex(kes::FormatItem(b.ValType));
    Action->ValLen_Box->setCurrentIndex(b.ValLen <= 1 ? b.ValLen : 0);
}

void TBtnSet::SetValueBoxesFirst()
{
    Action->ValType_Box->setCurrentIndex(0);
    Action->ValLen_Box->setCurrentIndex(0);
}

void TBtnSet::SetStateCountText(int n) { StaNum_Txt->setText(QString::number(n)); }

void TBtnSet::FillPageBox()
{
    Action->PgChg_Box->clear();
    for (int i = 0; i < Ctx().PageCount; ++i)
        Action->PgChg_Box->addItem(QString::number(i));
    Action->PgChg_Box->setCurrentIndex(btn_.ParamA >= 0 && btn_.ParamA < Ctx().PageCount ? btn_.ParamA : -1);
}

std::uint8_t TBtnSet::AccessKind() const
{
    const BtnType t = Action->Type();
    if (kes::IsBitBtnType(t))
        return kes::kBitFlags;
    if (t == BtnType::MultiState)
        return Action->Val_Rdo->isChecked() ? kes::kWordFlags
                                            : (Action->Lsb_Rdo->isChecked() ? kes::kEitherFlags : kes::kBitFlags);
    return kes::kWordFlags;
}

std::uint8_t TBtnSet::LengthIndex() const
{
    if (AccessKind() == kes::kBitFlags)
        return 0;
    if (Action->ValType_Box->currentIndex() == kFloatItem)
        return 1;
    return Action->ValLen_Box->currentIndex() == 1 ? 1 : 0;
}

kes::DevWant TBtnSet::PickKind() const
{
    const BtnType t = Action->Type();
    if (kes::IsPanelBtnType(t) || t == BtnType::None)
        return kes::DevWant::Any;
    switch (AccessKind()) {
    case kes::kBitFlags:
        return kes::DevWant::Bit;
    case kes::kWordFlags:
        return kes::DevWant::Word;
    default:
        return kes::DevWant::BitOrWord;
    }
}

void TBtnSet::RewriteWriteText()
{
    const std::uint8_t kind = AccessKind();
    QString text = Action->Write->Format(btn_.WriteDev.DevAddrCode, kind, LengthIndex(), btn_.WriteDev.RefBitNo);
    if (text.isEmpty())
        text = Action->Write->DefaultText(kind);
    Action->Write->SetText(text);
    if (Action->DevRd_Chk->isChecked())
        Action->Read->SetText(text);
    if (kes::IsPanelBtnType(Action->Type()))
        Action->Write->Clear();
}

void TBtnSet::BtnType_BoxChange()
{
    const BtnType t = Action->Type();
    FitTypeControls();
    SyncStateLists();
    kes::SetEnabled({UserLevel_Lab, ComboBox_UserLevel}, true);
    if (t == BtnType::Maintained && RefKey_Box->currentIndex() >= kKeyUp) {
        RefKey_Box->setCurrentIndex(-1);
        RefKey_Chk->setChecked(false);
        RefKey_Box->setEnabled(false);
    }
    if (kes::IsBitBtnType(t)) {
        count_ = 2;
        SetStateCountText(2);
        SyncStateLists();
        ShowHeldValueBoxes();
        if (t == BtnType::Maintained) {
            ComboBox_UserLevel->setCurrentIndex(0);
            kes::SetEnabled({UserLevel_Lab, ComboBox_UserLevel}, false);
        }
    } else if (t == BtnType::MultiState) {
        if (State_Box->count() <= 2) {
            Action->Bit_Rdo->setChecked(true);
            ShowHeldValueBoxes();
            SyncStateLists();
            Bit_RdoClick();
        } else {
            // A multi-state button chosen again keeps its value set-up.
            Action->Val_Rdo->setChecked(true);
            kes::SetEnabled({Action->ValType_Box, Action->ValType_Lab, Action->ValLen_Box, Action->ValLen_Lab}, true);
            SetValueBoxesFirst();
        }
    } else if (t == BtnType::InputValue) {
        kes::SetEnabled({Action->ValType_Box, Action->ValType_Lab, Action->ValLen_Box, Action->ValLen_Lab}, true);
        Action->Int_Box->setCurrentIndex(0);
        Action->Dec_Box->setCurrentIndex(0);
        SetValueBoxesFirst();
        ValType_BoxChange();
        count_ = 1;
        SetStateCountText(1);
        SyncStateLists();
        if (Action->DevRd_Chk->isChecked())
            kes::SetEnabled({BtnTxt_Lab, Btn_Txt, BmpRdBtn, BtnBmpClear}, false);
    } else if (t >= BtnType::SetConstant && t <= BtnType::Decrement) {
        if (t == BtnType::SetConstant)
            Action->DevRd_Chk->setEnabled(false);
        SetValueBoxesFirst();
        count_ = 1;
        SetStateCountText(1);
        SyncStateLists();
        if (t != BtnType::SetConstant)
            ValType_BoxChange();
    } else if (kes::IsPanelBtnType(t)) {
        if (t == BtnType::ChangePage)
            FillPageBox();
        ShowHeldValueBoxes();
        count_ = 1;
        SetStateCountText(1);
        SyncStateLists();
        Action->DevRd_Chk->setChecked(false);
        Action->Read->Clear();
        Action->Read->SetEnabled(false);
    }
    RewriteWriteText();
    State_BoxChange();
}

// ---- Access kind of a multi-state button

void TBtnSet::SetMultiStateAddress(bool word)
{
    Action->Write->SetText(Action->Write->Comp.IntMem
                               ? Action->Write->PanelMemoryText(word)
                               : Action->Write->DefaultText(word ? kes::kWordFlags : kes::kBitFlags));
    if (Action->DevRd_Chk->isChecked()) {
        Action->Read->Comp.IntMem = Action->Write->Comp.IntMem;
        Action->Read->SetText(Action->Write->Text());
    }
}

void TBtnSet::Bit_RdoClick()
{
    count_ = 2;
    SetStateCountText(2);
    SyncStateLists();
    kes::SetEnabled({Action->ValType_Box, Action->ValType_Lab, Action->ValLen_Box, Action->ValLen_Lab}, false);
    ShowHeldValueBoxes();
    kes::SetEnabled({StaNum_Lab, StaNum_Txt, StaNum_UD}, false);
    kes::SetEnabled({State_Box, State_Lab}, true);
    SetMultiStateAddress(false);
    State_BoxChange();
}

void TBtnSet::Val_RdoClick()
{
    kes::SetEnabled({Action->ValType_Box, Action->ValType_Lab, Action->ValLen_Box, Action->ValLen_Lab}, false);
    SetValueBoxesFirst();
    kes::SetEnabled({StaNum_Lab, StaNum_Txt, StaNum_UD, State_Box, State_Lab}, true);
    bool ok = false;
    const int typed = StaNum_Txt->text().trimmed().toInt(&ok);
    count_ = ok ? std::clamp(typed, 1, 255) : count_;
    SetStateCountText(count_);
    SyncStateLists();
    SetMultiStateAddress(true);
    State_BoxChange();
}

void TBtnSet::Lsb_RdoClick()
{
    kes::SetEnabled({Action->ValType_Box, Action->ValType_Lab, Action->ValLen_Box, Action->ValLen_Lab}, false);
    SetValueBoxesFirst();
    kes::SetEnabled({StaNum_Lab, StaNum_Txt, StaNum_UD, State_Box, State_Lab}, true);
    bool ok = false;
    const int typed = StaNum_Txt->text().trimmed().toInt(&ok);
    count_ = std::clamp(ok ? typed : count_, 1, 16);
    SetStateCountText(count_);
    SyncStateLists();
    SetMultiStateAddress(false);
    State_BoxChange();
}

// ---- Read and notify

void TBtnSet::DevRd_ChkClick()
{
    const bool on = Action->DevRd_Chk->isChecked();
    Action->Read->FollowWhen(on, *Action->Write);
    if (Action->Type() == BtnType::InputValue)
        kes::SetEnabled({BtnTxt_Lab, Btn_Txt, BmpRdBtn, BtnBmpClear}, !on);
}

void TBtnSet::Call_ChkClick()
{
    const bool on = Action->Call_Chk->isChecked();
    Action->Notify->SetEnabled(on);
    kes::SetEnabled({Action->CallOrderGp, Action->CallStateGp}, on);
    if (on)
        Action->Notify->SetText(Action->Notify->Comp.IntMem ? Action->Notify->PanelMemoryText(false)
                                                            : Action->Notify->DefaultText(kes::kBitFlags));
    else
        Action->Notify->Clear();
}

void TBtnSet::RefWBtnClick() { Action->Write->Pick(this, PickKind(), LengthIndex()); }

void TBtnSet::RefRBtnClick() { Action->Read->Pick(this, PickKind(), LengthIndex()); }

void TBtnSet::Call_BtnClick() { Action->Notify->Pick(this, kes::DevWant::Bit, 0); }

// ---- Value format

void TBtnSet::ValType_BoxChange()
{
    const bool lengthChanged = Action->FitValueType();
    Action->RefillLimits(LengthIndex());
    if (lengthChanged)
        RewriteForLength();
}

void TBtnSet::ValLen_BoxChange()
{
    Action->RefillLimits(LengthIndex());
    RewriteForLength();
}

void TBtnSet::RewriteForLength()
{
    // Where the length picks the device range, the word address follows the length.
    const kes::LxTypeCore& m = Ctx().Model;
    if (!m.LengthSelectsAccess || AccessKind() != kes::kWordFlags)
        return;
    const QString text = Action->Write->Format(m.DefWordCode, kes::kWordFlags, LengthIndex(), 0);
    Action->Write->SetText(text.isEmpty() ? kes::AnsiToQString(m.DefWordText) : text);
}

// ---- Function key

void TBtnSet::PutKeyBack() { kes::ShowKey(RefKey_Chk, RefKey_Box, btn_.BoundKey()); }

void TBtnSet::RefKey_ChkClick()
{
    const bool on = RefKey_Chk->isChecked();
    RefKey_Box->setEnabled(on);
    if (!on)
        RefKey_Box->setCurrentIndex(-1);
}

void TBtnSet::RefKey_BoxChange()
{
    const int k = RefKey_Box->currentIndex();
    if (k < 0)
        return;
    // A maintained button holds its key down: no arrow key can do that.
    const int msg = k >= kKeyUp && Action->Type() == BtnType::Maintained ? kMsgKeyRefused
                                                                         : kes::KeyRefusal(Ctx(), k, btn_.BoundKey());
    if (msg != 0) {
        kes::ShowMsg(Ctx().Ask, msg);
        PutKeyBack();
    }
}
