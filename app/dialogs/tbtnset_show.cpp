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
using kes::ValFormat;
using kes::kKeyUp;

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
    BtnType_Box->setCurrentIndex(kes::BtnTypeItem(type));
    write_->LoadCompanion(b.WriteDev);
    read_->LoadCompanion(b.ReadDev);
    notify_->LoadCompanion(b.NotifyDev);
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
    DevRd_Chk->setChecked(reads);
    read_->SetEnabled(reads);
    const bool notifies = b.NotifyUsed != 0;
    Call_Chk->setChecked(notifies);
    notify_->SetEnabled(notifies);
    kes::SetEnabled({CallStateGp, CallOrderGp}, notifies);
    kes::SetRadioGroupIndex(CallOrderGp, b.NotifyOrder ? 1 : 0);
    kes::SetRadioGroupIndex(CallStateGp, b.NotifyState ? 1 : 0);

    const std::uint8_t kind = b.ValKind & 0x30;
    const std::uint8_t len = b.ValLen <= 1 ? b.ValLen : 0;
    write_->Show(b.WriteDev.DevAddrCode, kind, len, b.WriteDev.RefBitNo);
    if (reads)
        read_->Show(b.ReadDev.DevAddrCode, kind, len, b.ReadDev.RefBitNo);
    else
        read_->Clear();
    if (notifies)
        notify_->Show(b.NotifyDev.DevAddrCode, 0x00, 0, b.NotifyDev.RefBitNo);
    else
        notify_->Clear();

    kes::ShowKey(RefKey_Chk, RefKey_Box, b.BoundKey());
    PassTxt->setText(kes::PasswordText(b.PassText));

    switch (type) {
    case BtnType::Maintained:
        kes::SetEnabled({UserLevel_Lab, ComboBox_UserLevel}, false);
        ComboBox_UserLevel->setCurrentIndex(0);
        break;
    case BtnType::MultiState: {
        kes::SetRadioGroupIndex(StateToGp, b.MultiFlag ? 1 : 0);
        QRadioButton* radio = kind == 0x10 ? Val_Rdo : (kind == 0x20 ? Lsb_Rdo : Bit_Rdo);
        radio->setChecked(true);
        // Two states on a bit: the count is fixed.
        kes::SetEnabled({StaNum_Lab, StaNum_Txt, StaNum_UD}, kind != 0x00);
        break;
    }
    case BtnType::InputValue: {
        const bool isFloat = IsFormat(b.ValType, ValFormat::Float);
        if (isFloat) {
            ValType_Box->setCurrentIndex(kFloatItem);
            ValLen_Box->setCurrentIndex(1);
            kes::SetEnabled({ValLen_Box, ValLen_Lab}, false);
            Max_Txt->setText(ValueText(b.ParamA, ShownFormat(b), 1));
            Min_Txt->setText(ValueText(b.ParamB, ShownFormat(b), 1));
        } else {
            Max_Txt->setText(ValueText(b.ParamA, ShownFormat(b), len));
            Min_Txt->setText(ValueText(b.ParamB, ShownFormat(b), len));
        }
        Int_Box->setCurrentIndex(std::clamp<int>(b.IntNum, 1, 10) - 1);
        Dec_Box->setCurrentIndex(std::min<int>(b.DecNum, 5));
        write_->Show(b.WriteDev.DevAddrCode, 0x10, len, b.WriteDev.RefBitNo);
        if (reads)
            read_->Show(b.ReadDev.DevAddrCode, 0x10, len, b.ReadDev.RefBitNo);
        if (kes::IsHexOrBcd(b.ValType)) {
            kes::SetEnabled({Dec_Box, Dec_Lab}, false);
            Dec_Box->setCurrentIndex(0);
        }
        if (reads)
            kes::SetEnabled({BtnTxt_Lab, Btn_Txt, BmpRdBtn, BtnBmpClear}, false);
        break;
    }
    case BtnType::SetConstant:
        DevRd_Chk->setEnabled(false);
        Normal_Txt->setText(ValueText(b.ParamA, ShownFormat(b), len));
        break;
    case BtnType::Increment:
    case BtnType::Decrement:
        AddVal_Txt->setText(ValueText(b.ParamA, ShownFormat(b), len));
        Bound_Txt->setText(ValueText(b.ParamB, ShownFormat(b), len));
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
    kes::SetEnabled({CallGp, DevWR_Gp}, true);
    for (QGroupBox* g : {AddGp, ValInGp, PgChgGp, NormalGp, ComplexGp})
        g->hide();
    kes::SetEnabled({ValLen_Box, ValLen_Lab, ValType_Box, ValType_Lab, StaNum_Lab, StaNum_Txt, StaNum_UD}, false);
    kes::SetEnabled({DevRd_Chk, DevWrit_Lab, RefWBtn, DevWritTxt, Call_Chk, BtnTxt_Lab, Btn_Txt, BmpRdBtn, BtnBmpClear}, true);
    kes::SetEnabled({CallOrderGp, CallStateGp}, Call_Chk->isChecked());
    switch (Type()) {
    case BtnType::MultiState:
        kes::SetEnabled({StaNum_Lab, StaNum_Txt, StaNum_UD, State_Lab, State_Box}, true);
        ComplexGp->show();
        (State_Box->count() > 2 ? Val_Rdo : Bit_Rdo)->setChecked(true);
        break;
    case BtnType::InputValue:
        ValInGp->show();
        Val_Rdo->setChecked(true);
        kes::SetEnabled({ValType_Box, ValType_Lab, ValLen_Box, ValLen_Lab}, true);
        break;
    case BtnType::SetConstant:
        kes::SetEnabled({ValType_Box, ValType_Lab, ValLen_Box, ValLen_Lab}, true);
        DevRd_Chk->setChecked(false);
        read_->Clear();
        read_->SetEnabled(false);
        NormalGp->show();
        break;
    case BtnType::Increment:
    case BtnType::Decrement:
        kes::SetEnabled({ValType_Box, ValType_Lab, ValLen_Box, ValLen_Lab}, true);
        AddGp->show();
        break;
    case BtnType::ChangePage:
    case BtnType::SetPassword:
        if (Type() == BtnType::ChangePage)
            PgChgGp->show();
        kes::SetEnabled({DevRd_Chk, CallGp, DevWR_Gp, DevWrit_Lab, RefWBtn, Call_Chk}, false);
        write_->Clear();
        notify_->Clear();
        Call_Chk->setChecked(false);
        break;
    default:
        break;
    }
}

void TBtnSet::ShowHeldValueBoxes()
{
    const TLxBtn& b = btn_;
    ValType_Box->setCurrentIndex(kes::FormatItem(b.ValType));
    ValLen_Box->setCurrentIndex(b.ValLen <= 1 ? b.ValLen : 0);
}

void TBtnSet::SetValueBoxesFirst()
{
    ValType_Box->setCurrentIndex(0);
    ValLen_Box->setCurrentIndex(0);
}

void TBtnSet::SetStateCountText(int n) { StaNum_Txt->setText(QString::number(n)); }

void TBtnSet::FillPageBox()
{
    PgChg_Box->clear();
    for (int i = 0; i < Ctx().PageCount; ++i)
        PgChg_Box->addItem(QString::number(i));
    PgChg_Box->setCurrentIndex(btn_.ParamA >= 0 && btn_.ParamA < Ctx().PageCount ? btn_.ParamA : -1);
}

std::uint8_t TBtnSet::AccessKind() const
{
    const BtnType t = Type();
    if (kes::IsBitBtnType(t))
        return 0x00;
    if (t == BtnType::MultiState)
        return Val_Rdo->isChecked() ? 0x10 : (Lsb_Rdo->isChecked() ? 0x20 : 0x00);
    return 0x10;
}

std::uint8_t TBtnSet::LengthIndex() const
{
    if (AccessKind() == 0x00)
        return 0;
    if (ValType_Box->currentIndex() == kFloatItem)
        return 1;
    return ValLen_Box->currentIndex() == 1 ? 1 : 0;
}

std::uint8_t TBtnSet::PickKind() const
{
    const BtnType t = Type();
    if (kes::IsPanelBtnType(t) || t == BtnType::None)
        return 0;
    switch (AccessKind()) {
    case 0x00: return 1;
    case 0x10: return 2;
    default: return 3;
    }
}

void TBtnSet::RewriteWriteText()
{
    const std::uint8_t kind = AccessKind();
    QString text = write_->Format(btn_.WriteDev.DevAddrCode, kind, LengthIndex(), btn_.WriteDev.RefBitNo);
    if (text.isEmpty())
        text = write_->DefaultText(kind);
    write_->SetText(text);
    if (DevRd_Chk->isChecked())
        read_->SetText(text);
    if (kes::IsPanelBtnType(Type()))
        write_->Clear();
}

void TBtnSet::BtnType_BoxChange()
{
    const BtnType t = Type();
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
            Bit_Rdo->setChecked(true);
            ShowHeldValueBoxes();
            SyncStateLists();
            Bit_RdoClick();
        } else {
            // A multi-state button chosen again keeps its value set-up.
            Val_Rdo->setChecked(true);
            kes::SetEnabled({ValType_Box, ValType_Lab, ValLen_Box, ValLen_Lab}, true);
            SetValueBoxesFirst();
        }
    } else if (t == BtnType::InputValue) {
        kes::SetEnabled({ValType_Box, ValType_Lab, ValLen_Box, ValLen_Lab}, true);
        Int_Box->setCurrentIndex(0);
        Dec_Box->setCurrentIndex(0);
        SetValueBoxesFirst();
        ValType_BoxChange();
        count_ = 1;
        SetStateCountText(1);
        SyncStateLists();
        if (DevRd_Chk->isChecked())
            kes::SetEnabled({BtnTxt_Lab, Btn_Txt, BmpRdBtn, BtnBmpClear}, false);
    } else if (t >= BtnType::SetConstant && t <= BtnType::Decrement) {
        if (t == BtnType::SetConstant)
            DevRd_Chk->setEnabled(false);
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
        DevRd_Chk->setChecked(false);
        read_->Clear();
        read_->SetEnabled(false);
    }
    RewriteWriteText();
    State_BoxChange();
}

// ---- Access kind of a multi-state button

void TBtnSet::SetMultiStateAddress(bool word)
{
    write_->SetText(write_->Comp.IntMem ? write_->PanelMemoryText(word) : write_->DefaultText(word ? 0x10 : 0x00));
    if (DevRd_Chk->isChecked()) {
        read_->Comp.IntMem = write_->Comp.IntMem;
        read_->SetText(write_->Text());
    }
}

void TBtnSet::Bit_RdoClick()
{
    count_ = 2;
    SetStateCountText(2);
    SyncStateLists();
    kes::SetEnabled({ValType_Box, ValType_Lab, ValLen_Box, ValLen_Lab}, false);
    ShowHeldValueBoxes();
    kes::SetEnabled({StaNum_Lab, StaNum_Txt, StaNum_UD}, false);
    kes::SetEnabled({State_Box, State_Lab}, true);
    SetMultiStateAddress(false);
    State_BoxChange();
}

void TBtnSet::Val_RdoClick()
{
    kes::SetEnabled({ValType_Box, ValType_Lab, ValLen_Box, ValLen_Lab}, false);
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
    kes::SetEnabled({ValType_Box, ValType_Lab, ValLen_Box, ValLen_Lab}, false);
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
    const bool on = DevRd_Chk->isChecked();
    read_->FollowWhen(on, *write_);
    if (Type() == BtnType::InputValue)
        kes::SetEnabled({BtnTxt_Lab, Btn_Txt, BmpRdBtn, BtnBmpClear}, !on);
}

void TBtnSet::Call_ChkClick()
{
    const bool on = Call_Chk->isChecked();
    notify_->SetEnabled(on);
    kes::SetEnabled({CallOrderGp, CallStateGp}, on);
    if (on)
        notify_->SetText(notify_->Comp.IntMem ? notify_->PanelMemoryText(false) : notify_->DefaultText(0x00));
    else
        notify_->Clear();
}

void TBtnSet::RefWBtnClick() { write_->Pick(this, PickKind(), LengthIndex()); }

void TBtnSet::RefRBtnClick() { read_->Pick(this, PickKind(), LengthIndex()); }

void TBtnSet::Call_BtnClick() { notify_->Pick(this, 1, 0); }

// ---- Value format

void TBtnSet::ValType_BoxChange()
{
    const int item = ValType_Box->currentIndex();
    const bool isFloat = item == kFloatItem;
    if (Type() == BtnType::InputValue) {
        const bool digitsOnly = kes::IsHexOrBcd(kes::FormatOfItem(item));
        kes::SetEnabled({Dec_Box, Dec_Lab}, !digitsOnly);
        if (digitsOnly)
            Dec_Box->setCurrentIndex(0);
    }
    const int lenBefore = ValLen_Box->currentIndex();
    ValLen_Box->setCurrentIndex(isFloat ? 1 : 0);
    kes::SetEnabled({ValLen_Box, ValLen_Lab}, !isFloat);
    RefillLimits();
    if (ValLen_Box->currentIndex() != lenBefore)
        RewriteForLength();
}

void TBtnSet::ValLen_BoxChange()
{
    RefillLimits();
    RewriteForLength();
}

void TBtnSet::RefillLimits()
{
    const int item = ValType_Box->currentIndex();
    // A floating value's limits are whole signed 32-bit numbers.
    const int format = kes::FieldFormat(item);
    const int len = LengthIndex();
    Min_Txt->setText(QString::fromStdString(RangeLimitText(format, len, 0)));
    Max_Txt->setText(QString::fromStdString(RangeLimitText(format, len, 1)));
    AddVal_Txt->setText(QStringLiteral("1"));
    Bound_Txt->setText(QString::fromStdString(RangeLimitText(format, len, Type() == BtnType::Increment ? 1 : 0)));
}

void TBtnSet::RewriteForLength()
{
    // Where the length picks the device range, the word address follows the length.
    const kes::LxTypeCore& m = Ctx().Model;
    if (!m.LengthSelectsAccess || AccessKind() != 0x10)
        return;
    const QString text = write_->Format(m.DefWordCode, 0x10, LengthIndex(), 0);
    write_->SetText(text.isEmpty() ? kes::AnsiToQString(m.DefWordText) : text);
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
    const int msg = k >= kKeyUp && Type() == BtnType::Maintained ? kMsgKeyRefused : kes::KeyRefusal(Ctx(), k, btn_.BoundKey());
    if (msg != 0) {
        kes::ShowMsg(msg);
        PutKeyBack();
    }
}
