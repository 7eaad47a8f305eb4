// The function key table: the checks of Set in their order and the key they store, deleting
// keys, closing, and the handlers of the address, state and value controls.
#include "app/dialogs/tfunkeyset.h"

#include "app/dialogs/entryfields.h"
#include "app/dialogs/tfrmuserlevel.h"
#include "app/dialogs/updown.h"
#include "app/model/projectstate.h"
#include "app/project/pagedata.h"
#include "objects/addrmode.h"
#include "objects/digtest.h"
#include "platform/codepage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

#include <algorithm>

using kes::Check;
using kes::FailMsg;

namespace {

enum Msg {
    kMsgNoType = 90,
    kMsgUserLevel = 107,
    kMsgUpDown = 122,
};

using kes::FieldFormat;
using kes::kFloatItem;

std::string Ansi(const QLineEdit* e) { return kes::FieldText(e); }

} // namespace

Check TFunKeySet::CheckAddresses() const
{
    const std::uint8_t kind = AccessKind();
    return kes::CheckTypeAddresses(Action->Type(), kind, kind == kes::kWordFlags ? Len() : 0, *Action->Write,
                                   Action->DevRd_Chk->isChecked() ? Action->Read.get() : nullptr,
                                   Action->Call_Chk->isChecked() ? Action->Notify.get() : nullptr);
}

Check TFunKeySet::CheckValues() const
{
    return kes::CheckTypeValues(Action->Type(), Action->ValType_Box->currentIndex(), Len() == 1,
                                {Action->Int_Box, Action->Dec_Box, Action->Max_Txt, Action->Min_Txt, Action->Normal_Txt,
                                 Action->AddVal_Txt, Action->Bound_Txt, Action->PgChg_Box});
}

Check TFunKeySet::Validate()
{
    const int row = Row();
    if (UpDownLocked(row))
        return FailMsg(kMsgUpDown);
    if (row >= kes::kKeyUp && Action->Type() == kes::BtnType::Maintained) {
        Action->BtnType_Box->setCurrentIndex(kes::BtnTypeItem(keys_[static_cast<std::size_t>(row)].ButtonType));
        return FailMsg(kMsgUpDown);
    }
    if (Action->Type() == kes::BtnType::None)
        return FailMsg(kMsgNoType);
    if (Check f = kes::CheckPassword(PassTxt))
        return f;
    if (!kes::UserLevelAccepted(Ctx().State, std::max(0, ComboBox_UserLevel->currentIndex())))
        return FailMsg(kMsgUserLevel);
    if (Check f = CheckAddresses())
        return f;
    return CheckValues();
}

void TFunKeySet::StoreKey(PgFunKeyRec& key)
{
    const kes::BtnType t = Action->Type();
    const int item = Action->ValType_Box->currentIndex();
    const int format = FieldFormat(item);
    auto value = [&](QLineEdit* e) {
        const std::string text = Ansi(e);
        return item == kFloatItem ? DecimalTextToInt(text) : static_cast<std::int32_t>(TextToValue(text, format));
    };
    key.Reserved = kes::PasswordBytes(PassTxt->text());
    key.UserLevel = std::max(0, ComboBox_UserLevel->currentIndex());
    if (kes::IsPanelBtnType(t)) {
        for (DevRefHead* r : {&key.Write, &key.Read, &key.Notify}) {
            r->DevAddrCode = -1;
            r->BitIndex = 0;
            r->Present = 1;
            r->LinkFlag = 0;
        }
        key.ReadUsed = 0;
        key.NotifyUsed = 0;
    } else {
        const std::uint8_t kind = AccessKind();
        Action->Write->StoreTo(key.Write, kind);
        key.ReadUsed = Action->DevRd_Chk->isChecked() ? 1 : 0;
        if (key.ReadUsed) {
            Action->Read->StoreTo(key.Read, kind);
        } else {
            key.Read.DevAddrCode = -1;
            key.Read.BitIndex = 0;
        }
        key.NotifyUsed = Action->Call_Chk->isChecked() ? 1 : 0;
        if (key.NotifyUsed) {
            Action->Notify->StoreTo(key.Notify, kes::kBitFlags);
        } else {
            key.Notify.DevAddrCode = -1;
            key.Notify.BitIndex = 0;
        }
    }
    key.ButtonType = t;
    key.Kind = AccessKind();
    key.StateCount = static_cast<std::uint8_t>(std::clamp(kes::IntOfText(StaNum_Txt->text()).value_or(1), 1, 255));
    key.NotifyOrder = kes::RadioGroupIndex(Action->CallOrderGp) == 1 ? 1 : 0;
    key.NotifyState = kes::RadioGroupIndex(Action->CallStateGp) == 1 ? 1 : 0;
    const auto storeFormat = [&] {
        key.ValueType = item == kFloatItem ? kes::FormatCode(kes::ValFormat::Float) : static_cast<std::uint8_t>(format);
        key.Width = Len();
    };
    switch (t) {
    case kes::BtnType::MultiState:
        key.MultiStateFlag = kes::RadioGroupIndex(Action->StateToGp) == 1 ? 1 : 0;
        break;
    case kes::BtnType::InputValue:
        storeFormat();
        key.ParamA = value(Action->Max_Txt);
        key.ParamB = value(Action->Min_Txt);
        key.IntDigits = static_cast<std::uint8_t>(Action->Int_Box->currentIndex() + 1);
        key.DecDigits = static_cast<std::uint8_t>(std::max(0, Action->Dec_Box->currentIndex()));
        break;
    case kes::BtnType::SetConstant:
        storeFormat();
        key.ParamA = value(Action->Normal_Txt);
        break;
    case kes::BtnType::Increment:
    case kes::BtnType::Decrement:
        storeFormat();
        key.ParamA = value(Action->AddVal_Txt);
        key.ParamB = value(Action->Bound_Txt);
        break;
    case kes::BtnType::ChangePage:
        key.ParamA = Action->PgChg_Box->currentText().toInt();
        break;
    default:
        break;
    }
}

void TFunKeySet::SetBtnClick()
{
    if (const Check f = Validate()) {
        ShowFailure(*f);
        return;
    }
    const int row = Row();
    StoreKey(keys_[static_cast<std::size_t>(row)]);
    used_[static_cast<std::size_t>(row)] = 1;
    Ctx().MarkModified();
    FillFunKeyGrid();
    FunKey_GridClick();
}

void TFunKeySet::DelBtnClick()
{
    const auto row = static_cast<std::size_t>(Row());
    kes::InitFunKeyRec(Ctx().State, keys_[row]);
    used_[row] = 0;
    Action->BtnType_Box->setCurrentIndex(-1);
    FillFunKeyGrid();
    Ctx().MarkModified();
}

void TFunKeySet::DelAllBtnClick()
{
    for (std::size_t k = 0; k < keys_.size(); ++k)
        if (keys_[k].ButtonType != kes::BtnType::None) {
            kes::InitFunKeyRec(Ctx().State, keys_[k]);
            used_[k] = 0;
        }
    Action->BtnType_Box->setCurrentIndex(-1);
    FillFunKeyGrid();
    Ctx().MarkModified();
}

void TFunKeySet::Store()
{
    kes::ProjectState& s = Ctx().State;
    if (System()) {
        s.SysFunKeys = keys_;
        s.SysFunKeyUsed = used_;
    } else if (Ctx().Page) {
        Ctx().Page->PgFunKeys = keys_;
        Ctx().Page->PgFunKeyUsed = used_;
    }
}

void TFunKeySet::CloseBtnClick()
{
    if (closing_)
        return;
    closing_ = true;
    Store();
    accept();
}

// ---- Addresses

void TFunKeySet::DevRd_ChkClick() { Action->Read->FollowWhen(Action->DevRd_Chk->isChecked(), *Action->Write); }

void TFunKeySet::Call_ChkClick()
{
    kes::SetEnabled({Action->CallTxt, Action->Call_Btn, Action->CallOrderGp, Action->CallStateGp},
                    Action->Call_Chk->isChecked());
}

void TFunKeySet::RefWBtnClick() { Action->Write->Pick(this, PickKind(), Len()); }

void TFunKeySet::RefRBtnClick() { Action->Read->Pick(this, PickKind(), Len()); }

void TFunKeySet::Call_BtnClick() { Action->Notify->Pick(this, PickKind(), Len()); }

// ---- States of a multi-state key

void TFunKeySet::Bit_RdoClick()
{
    SetStateCount(2);
    kes::SetEnabled({StaNum_Lab, StaNum_Txt, StaNum_UD}, false);
    kes::SetEnabled({Action->ValType_Lab, Action->ValType_Box, Action->ValLen_Lab, Action->ValLen_Box}, false);
    Action->ValType_Box->setCurrentIndex(0);
    Action->ValLen_Box->setCurrentIndex(0);
    ShowKindAddress(false);
}

void TFunKeySet::Val_RdoClick()
{
    kes::SetEnabled({StaNum_Lab, StaNum_Txt, StaNum_UD}, true);
    kes::SetEnabled({Action->ValType_Lab, Action->ValType_Box, Action->ValLen_Lab, Action->ValLen_Box}, false);
    Action->ValType_Box->setCurrentIndex(0);
    Action->ValLen_Box->setCurrentIndex(0);
    ShowKindAddress(false);
}

void TFunKeySet::Lsb_RdoClick()
{
    kes::SetEnabled({StaNum_Lab, StaNum_Txt, StaNum_UD}, true);
    if (kes::IntOfText(StaNum_Txt->text()).value_or(1) > 16)
        SetStateCount(16);
    kes::SetEnabled({Action->ValType_Lab, Action->ValType_Box, Action->ValLen_Lab, Action->ValLen_Box}, false);
    Action->ValType_Box->setCurrentIndex(0);
    Action->ValLen_Box->setCurrentIndex(0);
    ShowKindAddress(false);
}

void TFunKeySet::StaNum_UDClick(bool)
{
    // The position wraps within the kind's range: bit 0..2, value 1..255, low byte 1..16.
    int lo = 1;
    int hi = 255;
    if (Action->Bit_Rdo->isChecked()) {
        lo = 0;
        hi = 2;
    } else if (Action->Lsb_Rdo->isChecked()) {
        hi = 16;
    }
    int n = StaNum_UD->Position;
    if (n > hi)
        n = lo;
    else if (n < lo)
        n = hi;
    SetStateCount(n);
}

void TFunKeySet::StaNum_TxtKeyUp()
{
    const std::optional<int> n = kes::IntOfText(StaNum_Txt->text());
    int count = n && *n >= 0 && *n < 256 ? *n : 1;
    if (!n || *n >= 256 || *n < 0)
        StaNum_Txt->setText(QStringLiteral("1"));
    // More than two states take a value; a key on the low byte stays on it.
    if (count > 2 && Action->Bit_Rdo->isChecked()) {
        Action->Val_Rdo->setChecked(true);
        Val_RdoClick();
    }
    if (Action->Lsb_Rdo->isChecked() && count > 16)
        count = 16;
    SetStateCount(count);
}
