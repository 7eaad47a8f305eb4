// The meter settings form.
#include "app/dialogs/tmeterset.h"

#include "app/dialogs/objdialogs.h"
#include "app/dialogs/tscaleset.h"
#include "objects/addrmode.h"
#include "objects/digtest.h"
#include "objects/tcirmeter.h"
#include "objects/trectmeter.h"
#include "objects/valformat.h"
#include "platform/codepage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

using kes::FailMsg;

namespace {

enum Msg {
    kMsgMaxError = 0,
    kMsgMinError = 1,
    kMsgMaxMinError = 2,
    kMsgAddress = 17,
    kMsgDigits = 87,
    kMsgLength = 104,
};

constexpr int kBcd = kes::FormatCode(kes::ValFormat::Bcd);
constexpr int kMaxDigits = 5;

// What both meter kinds hold, each in its own class.
struct MeterValues {
    std::uint8_t type = 0; // low nibble: number format
    std::uint32_t max = 0;
    std::uint32_t min = 0;
    std::uint8_t mainScale = 0;
    std::uint8_t subScale = 0;
    std::uint8_t intDigits = 1;
    std::uint8_t decDigits = 0;
};

template <class M> MeterValues ValuesOf(const M& m)
{
    return {m.ValType,
            static_cast<std::uint32_t>(m.MeterMax),
            static_cast<std::uint32_t>(m.MeterMin),
            m.MajorTicks,
            m.MinorTicks,
            m.LabelIntDigits,
            m.LabelDecimals};
}

template <class M> void PutValues(M& m, const MeterValues& v)
{
    m.ValType = v.type;
    m.MeterMax = static_cast<decltype(m.MeterMax)>(v.max);
    m.MeterMin = static_cast<decltype(m.MeterMin)>(v.min);
    m.MajorTicks = v.mainScale;
    m.MinorTicks = v.subScale;
    m.LabelIntDigits = v.intDigits;
    m.LabelDecimals = v.decDigits;
}

QString LimitText(std::uint32_t v, int type)
{
    // A BCD limit is kept as the number typed, not as its digit pattern.
    if (type == kBcd)
        return QString::number(static_cast<std::int32_t>(v));
    return QString::fromStdString(ValueToText(v, type, false));
}

std::uint32_t LimitValue(const QString& text, int type)
{
    if (type == kBcd)
        return static_cast<std::uint32_t>(kes::IntOfText(text).value_or(0));
    return TextToValue(kes::QStringToAnsi(text), type);
}

} // namespace

TMeterSet::TMeterSet(kes::DialogContext& ctx, QWidget* owner, TCirMeter& meter)
    : TMeterSet(ctx, owner, meter, &meter, nullptr)
{}

TMeterSet::TMeterSet(kes::DialogContext& ctx, QWidget* owner, TRectMeter& meter)
    : TMeterSet(ctx, owner, meter, nullptr, &meter)
{}

TMeterSet::TMeterSet(kes::DialogContext& ctx, QWidget* owner, TLxObj& meter, TCirMeter* cir, TRectMeter* rect)
    : SettingsDialog(ctx, owner, "MeterSet"), meter_(meter), cir_(cir), rect_(rect)
{
    setWindowTitle(QStringLiteral("Meter"));
    BuildForm();
    dev_ = std::make_unique<kes::AddressField>(ctx, DevRefTxt, RefBtn);
    OnActivated(ValType_Box, [this] { ValType_BoxChange(); });
    OnClicked(RefBtn, [this] { RefBtnClick(); });
}

TMeterSet::~TMeterSet() = default;

void TMeterSet::BuildForm()
{
    DevRefGp = NewGroup(this, "DevRefGp", QStringLiteral("Device"));
    auto* dev = new QGridLayout(DevRefGp);
    dev->addLayout(NewAddressRow(DevRefGp, "DevRefTxt", DevRefTxt, "RefBtn", RefBtn), 0, 0, 1, 4);
    ValType_Lab = NewLabel(DevRefGp, "ValType_Lab", QStringLiteral("Value Type"));
    ValType_Box = NewCombo(DevRefGp, "ValType_Box", kes::ValTypeItems());
    Int_Lab = NewLabel(DevRefGp, "Int_Lab", QStringLiteral("Integer digits"));
    Int_Box = NewFixedCombo(DevRefGp, "Int_Box", kes::NumberItems(1, kMaxDigits));
    Dec_Lab = NewLabel(DevRefGp, "Dec_Lab", QStringLiteral("Decimal digits"));
    Dec_Box = NewFixedCombo(DevRefGp, "Dec_Box", kes::NumberItems(0, kMaxDigits));
    Max_Lab = NewLabel(DevRefGp, "Max_Lab", QStringLiteral("Maximum"));
    Max_Txt = NewEdit(DevRefGp, "Max_Txt");
    Min_Lab = NewLabel(DevRefGp, "Min_Lab", QStringLiteral("Minimum"));
    Min_Txt = NewEdit(DevRefGp, "Min_Txt");
    dev->addWidget(ValType_Lab, 1, 0);
    dev->addWidget(ValType_Box, 1, 1, 1, 3);
    dev->addWidget(Int_Lab, 2, 0);
    dev->addWidget(Int_Box, 2, 1);
    dev->addWidget(Dec_Lab, 2, 2);
    dev->addWidget(Dec_Box, 2, 3);
    dev->addWidget(Max_Lab, 3, 0);
    dev->addWidget(Max_Txt, 3, 1);
    dev->addWidget(Min_Lab, 3, 2);
    dev->addWidget(Min_Txt, 3, 3);

    auto* scale = new QGridLayout;
    MainS_Lab = NewLabel(this, "MainS_Lab", QStringLiteral("Main scale"));
    MainS_Txt = NewEdit(this, "MainS_Txt");
    SubS_Lab = NewLabel(this, "SubS_Lab", QStringLiteral("Sub scale"));
    SubS_Txt = NewEdit(this, "SubS_Txt");
    Font_Lab = NewLabel(this, "Font_Lab", QStringLiteral("Font"));
    Font_Box = NewFixedCombo(this, "Font_Box", kes::FontItems());
    kes::AddRow(scale, MainS_Lab, MainS_Txt);
    kes::AddRow(scale, SubS_Lab, SubS_Txt);
    kes::AddRow(scale, Font_Lab, Font_Box);
    StyleGp = NewRadioGroup(this, "StyleGp", QStringLiteral("Dial"), {"300 Degrees", "360 Degrees"}, "Style");
    auto* lower = new QHBoxLayout;
    lower->addLayout(scale, 1);
    lower->addWidget(StyleGp);

    auto* lay = new QVBoxLayout(this);
    lay->addWidget(DevRefGp);
    lay->addLayout(lower);
    lay->addLayout(NewOkCancel(OkBtn, "OkBtn", CancelBtn, "CancelBtn"));
}

void TMeterSet::LoadFields()
{
    const TLxDevRef& ref = cir_ ? static_cast<const TLxDevRef&>(*cir_) : *rect_;
    const MeterValues v = cir_ ? ValuesOf(*cir_) : ValuesOf(*rect_);
    dev_->LoadCompanion(ref);
    dev_->Show(ref.DevAddrCode, kes::kWordFlags, 0, ref.RefBitNo);
    const int type = v.type & 0x0F;
    ValType_Box->setCurrentIndex(kes::IsNumberFormat(type) ? type : -1);
    Max_Txt->setText(LimitText(v.max, type));
    Min_Txt->setText(LimitText(v.min, type));
    MainS_Txt->setText(QString::number(v.mainScale));
    SubS_Txt->setText(QString::number(v.subScale));
    StyleGp->setEnabled(cir_ != nullptr);
    if (cir_)
        kes::SetRadioGroupIndex(StyleGp, cir_->FullCircle ? 1 : 0);
    Int_Box->setCurrentIndex(v.intDigits >= 1 && v.intDigits <= kMaxDigits ? v.intDigits - 1 : -1);
    Dec_Box->setCurrentIndex(v.decDigits <= kMaxDigits ? v.decDigits : -1);
    Font_Box->setCurrentIndex(meter_.fontsize >= 0 && meter_.fontsize <= 3 ? meter_.fontsize : -1);
}

void TMeterSet::ValType_BoxChange()
{
    const int type = ValType_Box->currentIndex();
    // Hexadecimal and BCD numbers have no decimals.
    const bool decimals = !kes::IsHexOrBcd(type);
    kes::SetEnabled({Dec_Box, Dec_Lab}, decimals);
    if (!decimals)
        Dec_Box->setCurrentIndex(0);
    Max_Txt->setText(QString::fromStdString(RangeLimitText(std::max(0, type), 0, 1)));
    Min_Txt->setText(QString::fromStdString(RangeLimitText(std::max(0, type), 0, 0)));
}

void TMeterSet::RefBtnClick() { dev_->Pick(this, kes::DevWant::Word, 0); }

kes::Check TMeterSet::Validate()
{
    DevRefTxt->setText(DevRefTxt->text().toUpper().trimmed());
    if (const kes::Check f = kes::CheckScaleCounts(MainS_Txt->text(), SubS_Txt->text()))
        return f;
    if (IntDigits() + DecDigits() > kMaxDigits)
        return FailMsg(kMsgDigits);
    const auto access = dev_->Validate(kes::kWordFlags, 0);
    if (!access)
        return FailMsg(kMsgAddress);
    // The meter reads one 16-bit word.
    if (*access > 0)
        return FailMsg(kMsgLength);
    return ValidateLimits();
}

kes::Check TMeterSet::ValidateLimits()
{
    Max_Txt->setText(Max_Txt->text().trimmed());
    Min_Txt->setText(Min_Txt->text().trimmed());
    const std::string max = kes::QStringToAnsi(Max_Txt->text());
    const std::string min = kes::QStringToAnsi(Min_Txt->text());
    const int type = ValType_Box->currentIndex();
    const int intDigits = IntDigits();
    const int decDigits = DecDigits();
    if (!ValidateValueText(max, type, false, intDigits, decDigits, false))
        return FailMsg(kMsgMaxError);
    if (!ValidateValueText(min, type, false, intDigits, decDigits, false))
        return FailMsg(kMsgMinError);
    if (!ValidateValueText(max, type, false, intDigits + decDigits, 0, true))
        return FailMsg(kMsgMaxError);
    if (!ValidateValueText(min, type, false, intDigits + decDigits, 0, true))
        return FailMsg(kMsgMinError);
    if (!ValueTextNotBelow(max, min, type, decDigits))
        return FailMsg(kMsgMaxMinError);
    return std::nullopt;
}

int TMeterSet::IntDigits() const { return std::max(0, Int_Box->currentIndex()) + 1; }

int TMeterSet::DecDigits() const { return std::max(0, Dec_Box->currentIndex()); }

void TMeterSet::Store()
{
    TLxDevRef& ref = cir_ ? static_cast<TLxDevRef&>(*cir_) : *rect_;
    MeterValues v = cir_ ? ValuesOf(*cir_) : ValuesOf(*rect_);
    dev_->StoreTo(ref, kes::kWordFlags);
    const int type = ValType_Box->currentIndex();
    v.type = static_cast<std::uint8_t>((v.type & 0xF0) | type);
    v.max = LimitValue(Max_Txt->text(), type);
    v.min = LimitValue(Min_Txt->text(), type);
    // Both counts were checked to lie within a byte.
    v.mainScale = static_cast<std::uint8_t>(kes::IntOfText(MainS_Txt->text()).value_or(v.mainScale));
    v.subScale = static_cast<std::uint8_t>(kes::IntOfText(SubS_Txt->text()).value_or(v.subScale));
    v.intDigits = static_cast<std::uint8_t>(IntDigits());
    v.decDigits = static_cast<std::uint8_t>(DecDigits());
    if (cir_) {
        PutValues(*cir_, v);
        cir_->FullCircle = kes::RadioGroupIndex(StyleGp) > 0 ? 1 : 0;
    } else {
        PutValues(*rect_, v);
    }
    if (Font_Box->currentIndex() >= 0)
        meter_.FontSet(Font_Box->currentIndex());
    if (Ctx().ObjFontBoxRefresh)
        Ctx().ObjFontBoxRefresh(meter_);
    meter_.BmpRePaint();
}

namespace kes {

bool RunMeterSet(DialogContext& ctx, TCirMeter& meter, QWidget* owner, const QString& caption)
{
    return RunObjDialog<TMeterSet>(ctx, meter, owner, caption);
}

bool RunMeterSet(DialogContext& ctx, TRectMeter& meter, QWidget* owner, const QString& caption)
{
    return RunObjDialog<TMeterSet>(ctx, meter, owner, caption);
}

} // namespace kes
