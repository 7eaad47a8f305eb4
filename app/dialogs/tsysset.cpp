#include "app/dialogs/tsysset.h"

#include "app/model/lxtypecore.h"
#include "app/model/projectstate.h"
#include "app/project/pagedata.h"
#include "objects/addrmode.h"
#include "objects/digtest.h"
#include "objects/valformat.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

using kes::FailMsg;

namespace {

constexpr int kMsgAddress = 17;
constexpr int kMsgValue = 22;
constexpr int kMsgLength = 104;

} // namespace

TSysSet::TSysSet(kes::DialogContext& ctx, QWidget* owner) : SettingsDialog(ctx, owner, "SysSet")
{
    setWindowTitle(QStringLiteral("System Setting"));
    DevRef_Lab = NewLabel(this, "DevRef_Lab", QStringLiteral("Device"));
    auto* addr = NewAddressRow(this, "DevRefTxt", DevRefTxt, "RefBtn", RefBtn);
    Bit_Rdo = NewRadio(this, "Bit_Rdo", QStringLiteral("Bit"));
    Val_Rdo = NewRadio(this, "Val_Rdo", QStringLiteral("Value"));
    Lsb_Rdo = NewRadio(this, "Lsb_Rdo", QStringLiteral("LSB"));
    Lsb_Rdo->hide();

    GB_Condition = NewGroup(this, "GB_Condition", QStringLiteral("State"));
    On_Rdo = NewRadio(GB_Condition, "On_Rdo", QStringLiteral("ON"));
    Off_Rdo = NewRadio(GB_Condition, "Off_Rdo", QStringLiteral("OFF"));
    auto* cond = new QHBoxLayout(GB_Condition);
    cond->addWidget(On_Rdo);
    cond->addWidget(Off_Rdo);

    GB_CondVal = NewGroup(this, "GB_CondVal", QStringLiteral("Condition"));
    Comp_Box = NewFixedCombo(GB_CondVal, "Comp_Box", {"=", ">", "<", ">=", "<=", "!="});
    Comp_Txt = NewEdit(GB_CondVal, "Comp_Txt");
    auto* condVal = new QHBoxLayout(GB_CondVal);
    condVal->addWidget(Comp_Box);
    condVal->addWidget(Comp_Txt);

    GB_SetValue = NewGroup(this, "GB_SetValue", QStringLiteral("Value to Write"));
    EdtVal = NewEdit(GB_SetValue, "EdtVal");
    (new QHBoxLayout(GB_SetValue))->addWidget(EdtVal);

    GB_ValueSet = NewGroup(this, "GB_ValueSet", QStringLiteral("Value"));
    ValType_Lab = NewLabel(GB_ValueSet, "ValType_Lab", QStringLiteral("Value Type"));
    ValType_Box = NewCombo(GB_ValueSet, "ValType_Box", kes::ValTypeItems());
    ValLen_Lab = NewLabel(GB_ValueSet, "ValLen_Lab", QStringLiteral("Length"));
    ValLen_Box = NewCombo(GB_ValueSet, "ValLen_Box", kes::ValLenItems());
    GB_ValueSet->setLayout(kes::LabelledRows({{ValType_Lab, ValType_Box}, {ValLen_Lab, ValLen_Box}}));

    GB_TimeSet = NewGroup(this, "GB_TimeSet", QStringLiteral("Interval"));
    CB_TimeSet = NewFixedCombo(GB_TimeSet, "CB_TimeSet", {"500ms", "1000ms", "1500ms", "2000ms"});
    (new QHBoxLayout(GB_TimeSet))->addWidget(CB_TimeSet);

    OkBtn = NewButton(this, "OkBtn", QStringLiteral("OK"));
    OkBtn->setDefault(true);
    CancelBtn = NewButton(this, "CancelBtn", QStringLiteral("Clear"));
    CloseBtn = NewButton(this, "CloseBtn", QStringLiteral("Close"));

    auto* lay = new QVBoxLayout(this);
    lay->addWidget(DevRef_Lab);
    lay->addLayout(addr);
    lay->addWidget(kes::RadioRow(this, {Bit_Rdo, Val_Rdo, Lsb_Rdo}));
    lay->addWidget(GB_Condition);
    lay->addWidget(GB_CondVal);
    lay->addWidget(GB_SetValue);
    lay->addWidget(GB_ValueSet);
    lay->addWidget(GB_TimeSet);
    lay->addLayout(kes::RowOf({OkBtn, CancelBtn, CloseBtn}, true));

    ref_ = std::make_unique<kes::AddressField>(ctx, DevRefTxt, RefBtn);
    ref_->Comp.Link = ctx.State.LinkIndex;
    OnClicked(RefBtn, [this] { RefBtnClick(); });
    OnClicked(Bit_Rdo, [this] { Bit_RdoClick(); });
    OnClicked(Val_Rdo, [this] { Val_RdoClick(); });
    OnActivated(ValType_Box, [this] { ValType_BoxChange(); });
    OnActivated(ValLen_Box, [this] { ValLen_BoxChange(); });
    OnClicked(OkBtn, [this] { OkBtnClick(); });
    OnClicked(CancelBtn, [this] { CancelBtnClick(); });
    OnClicked(CloseBtn, [this] { CloseBtnClick(); });
}

TSysSet::~TSysSet() = default;

std::uint8_t TSysSet::Kind() const { return Val_Rdo->isChecked() ? kes::kWordFlags : kes::kBitFlags; }

std::uint8_t TSysSet::Len() const { return ValLen_Box->currentIndex() == 1 ? 1 : 0; }

int TSysSet::Type() const { return std::clamp(ValType_Box->currentIndex(), 0, 3); }

PgSysRec* TSysSet::Slot() const
{
    const std::size_t i = RecordIndex == 1 ? 1 : 0;
    kes::ProjectState& s = Ctx().State;
    if (s.EditScope == 1)
        return i == 0 ? &s.SysBuzzer : &s.SysAlarmLamp;
    return Ctx().Page ? &Ctx().Page->PgSysRecs[i] : nullptr;
}

void TSysSet::LoadFields()
{
    if (const QVariant v = property("PowerOn"); v.isValid())
        PowerOnMode = v.toBool();
    if (const QVariant v = property("RecordIndex"); v.isValid())
        RecordIndex = v.toInt();
    GB_TimeSet->setVisible(PowerOnMode);
    GB_SetValue->setVisible(PowerOnMode);
    GB_CondVal->setVisible(!PowerOnMode);
    if (PowerOnMode)
        LoadPowerOn();
    else
        LoadCondition();
    // The size fits the groups of the mode, not those of both.
    adjustSize();
}

void TSysSet::LoadCondition()
{
    if (const PgSysRec* slot = Slot())
        work_ = *slot;
    const bool sys = Ctx().State.EditScope == 1;
    const char* item = RecordIndex == 1 ? (sys ? "MmSysLedSet" : "MmLedSet") : (sys ? "MmSysBuzzerSet" : "MmBuzzerSet");
    if (const QString caption = Ctx().MenuCaptionOf(item); !caption.isEmpty())
        setWindowTitle(caption);
    ref_->LoadCompanion(work_.Ref);
    const std::uint8_t kind = work_.KindWidth & 0xF0;
    const std::uint8_t width = (work_.KindWidth & 0x0F) == 1 ? 1 : 0;
    if (kind == kes::kWordFlags) {
        Val_RdoClick();
        Val_Rdo->setChecked(true);
        ValLen_Box->setCurrentIndex(width);
        ValType_Box->setCurrentIndex(kes::IsNumberFormat(work_.ValueType) ? work_.ValueType : -1);
        Comp_Box->setCurrentIndex(work_.OnOffOrOperator <= 5 ? work_.OnOffOrOperator : -1);
        Comp_Txt->setText(kes::ValueQText(static_cast<std::uint32_t>(work_.Value), Type(), width));
    } else {
        Bit_RdoClick();
        Bit_Rdo->setChecked(true);
        ValType_Box->setCurrentIndex(0);
        ValLen_Box->setCurrentIndex(0);
        Comp_Box->setCurrentIndex(0);
        (work_.OnOffOrOperator == 1 ? On_Rdo : Off_Rdo)->setChecked(true);
    }
    // A stored address as stored: the radios' reformatting above took 16 bits.
    if (work_.Ref.DevAddrCode != -1)
        ref_->Show(work_.Ref.DevAddrCode, kind, width, work_.Ref.BitIndex);
}

void TSysSet::LoadPowerOn()
{
    const MacPowerOnRec& m = Ctx().State.PowerOnMacro;
    if (const QString caption = Ctx().MenuCaptionOf("MmSysPowerOnSet"); !caption.isEmpty())
        setWindowTitle(caption);
    ref_->LoadCompanion(m.Ref);
    const std::uint8_t width = m.Width == 1 ? 1 : 0;
    ref_->Show(m.Ref.DevAddrCode, m.Kind, width, m.Ref.BitIndex);
    CB_TimeSet->setCurrentIndex(m.IntervalIndex <= 3 ? m.IntervalIndex : 0);
    if (m.Kind == kes::kWordFlags) {
        Val_RdoClick();
        Val_Rdo->setChecked(true);
        ValLen_Box->setCurrentIndex(width);
        ValType_Box->setCurrentIndex(kes::IsNumberFormat(m.ValueType) ? m.ValueType : -1);
        EdtVal->setText(kes::ValueQText(static_cast<std::uint32_t>(m.Value), Type(), width));
    } else {
        Bit_RdoClick();
        Bit_Rdo->setChecked(true);
        ValType_Box->setCurrentIndex(0);
        ValLen_Box->setCurrentIndex(0);
        (m.OnOff == 1 ? On_Rdo : Off_Rdo)->setChecked(true);
    }
}

void TSysSet::ShowKindGroups(bool value)
{
    GB_Condition->setEnabled(!value);
    kes::SetEnabled({On_Rdo, Off_Rdo}, !value);
    kes::SetEnabled({GB_ValueSet, Comp_Box, ValueEdit()}, value);
}

void TSysSet::Bit_RdoClick()
{
    ShowKindGroups(false);
    if (!PowerOnMode) {
        const QString text = ref_->Format(work_.Ref.DevAddrCode, kes::kBitFlags, 0, work_.Ref.BitIndex);
        ref_->SetText(text);
        if (!ref_->Validate(kes::kBitFlags, 0))
            ref_->SetText(ref_->DefaultText(kes::kBitFlags));
    }
}

void TSysSet::Val_RdoClick()
{
    ShowKindGroups(true);
    ValType_Box->setCurrentIndex(0);
    ValLen_Box->setCurrentIndex(0);
    Comp_Box->setCurrentIndex(0);
    if (!PowerOnMode) {
        const QString text = ref_->Format(work_.Ref.DevAddrCode, kes::kWordFlags, Len(), work_.Ref.BitIndex);
        ref_->SetText(text);
        if (!ref_->Validate(kes::kWordFlags, Len()))
            ref_->SetText(ref_->DefaultText(kes::kWordFlags));
    }
}

void TSysSet::ValType_BoxChange()
{
    if (PowerOnMode)
        EdtVal->setText(kes::ValueQText(0, Type(), Len()));
    else
        Comp_Txt->setText(kes::ValueQText(static_cast<std::uint32_t>(work_.Value), Type(), Len()));
}

void TSysSet::ValLen_BoxChange()
{
    const DevRefHead& ref = PowerOnMode ? Ctx().State.PowerOnMacro.Ref : work_.Ref;
    ref_->ReformatForLength(ref.DevAddrCode, Len(), ref.BitIndex);
}

void TSysSet::RefBtnClick() { ref_->Pick(this, Val_Rdo->isChecked() ? kes::DevWant::Word : kes::DevWant::Bit, Len()); }

kes::Check TSysSet::Validate()
{
    const auto access = ref_->Validate(Kind(), Kind() == kes::kWordFlags ? Len() : 0);
    if (!access)
        return FailMsg(kMsgAddress);
    if (Kind() == kes::kWordFlags) {
        if (Len() < *access)
            return FailMsg(kMsgLength);
        QLineEdit* edit = ValueEdit();
        edit->setText(edit->text().trimmed().toUpper());
        if (!kes::ValueInRange(edit->text(), ValType_Box->currentIndex(), ValLen_Box->currentIndex()))
            return FailMsg(kMsgValue);
    }
    return std::nullopt;
}

void TSysSet::Store()
{
    const std::uint8_t kind = Kind();
    if (PowerOnMode) {
        MacPowerOnRec& m = Ctx().State.PowerOnMacro;
        ref_->StoreTo(m.Ref, kind);
        if (kind == kes::kWordFlags) {
            m.Kind = kes::kWordFlags;
            m.Width = Len();
            m.ValueType = static_cast<std::uint8_t>(Type());
            m.Value = static_cast<std::int32_t>(TextToValue(kes::TrimmedAnsi(EdtVal), Type()));
        } else {
            m.Kind = kes::kBitFlags;
            m.Width = 0;
            m.ValueType = kes::FormatCode(kes::ValFormat::Unsigned);
            m.OnOff = Off_Rdo->isChecked() ? 0 : 1;
        }
        m.IntervalIndex = static_cast<std::uint8_t>(std::max(0, CB_TimeSet->currentIndex()));
        return;
    }
    ref_->StoreTo(work_.Ref, kind);
    if (kind == kes::kWordFlags) {
        work_.KindWidth = static_cast<std::uint8_t>(kes::kWordFlags + Len());
        work_.ValueType = static_cast<std::uint8_t>(Type());
        work_.OnOffOrOperator = static_cast<std::uint8_t>(std::max(0, Comp_Box->currentIndex()));
        work_.Value = static_cast<std::int32_t>(TextToValue(kes::TrimmedAnsi(Comp_Txt), Type()));
    } else {
        work_.KindWidth = 0;
        work_.OnOffOrOperator = Off_Rdo->isChecked() ? 0 : 1;
    }
    if (PgSysRec* slot = Slot())
        *slot = work_;
}

void TSysSet::CancelBtnClick()
{
    kes::ProjectState& s = Ctx().State;
    if (PowerOnMode) {
        s.ResetPowerOnMacro();
    } else if (PgSysRec* slot = Slot()) {
        slot->Ref.DevAddrCode = -1;
        slot->Value = 0;
        slot->Ref.Station = s.DefStation;
        slot->Ref.LinkIndex = s.LinkIndex;
    }
    Ctx().MarkModified();
    accept();
}
