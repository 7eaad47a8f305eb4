// The curve settings form.
#include "app/dialogs/tcurveset.h"

#include "app/dialogs/objdialogs.h"

#include "objects/addrmode.h"
#include "objects/digtest.h"
#include "objects/tlxcurve.h"
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
using kes::FailText;

namespace {

enum Msg {
    kMsgSettingError = 5,
    kMsgAddress = 17,
    kMsgCurve = 100,
    kMsgXyCurve = 101,
    kMsgSetting = 204,
};

// Curve limits are unsigned 16-bit decimal numbers.
constexpr int kUnsigned = kes::FormatCode(kes::ValFormat::Unsigned);
constexpr int kBits16 = 0;

} // namespace

TCurveSet::TCurveSet(kes::DialogContext& ctx, QWidget* owner, TLxCurve& curve) : TCurveSet(ctx, owner, curve, nullptr)
{}

TCurveSet::TCurveSet(kes::DialogContext& ctx, QWidget* owner, TLxXyCurve& curve) : TCurveSet(ctx, owner, curve, &curve)
{}

TCurveSet::TCurveSet(kes::DialogContext& ctx, QWidget* owner, TLxCurve& curve, TLxXyCurve* xy)
    : SettingsDialog(ctx, owner, "CurveSet"), curve_(curve), xy_(xy)
{
    setWindowTitle(QStringLiteral("Curve"));

    DevRefGp = NewGroup(this, "DevRefGp", QStringLiteral("Device"));
    auto* grid = new QGridLayout(DevRefGp);
    grid->addLayout(NewAddressRow(DevRefGp, "DevRefTxt", DevRefTxt, "RefBtn", RefBtn), 0, 0, 1, 2);
    VMax_Lab = NewLabel(DevRefGp, "VMax_Lab", QStringLiteral("Vertical maximum"));
    VMax_Txt = NewEdit(DevRefGp, "VMax_Txt");
    VMin_Lab = NewLabel(DevRefGp, "VMin_Lab", QStringLiteral("Vertical minimum"));
    VMin_Txt = NewEdit(DevRefGp, "VMin_Txt");
    HMax_Lab = NewLabel(DevRefGp, "HMax_Lab", QStringLiteral("Horizontal maximum"));
    HMax_Txt = NewEdit(DevRefGp, "HMax_Txt");
    HMin_Lab = NewLabel(DevRefGp, "HMin_Lab", QStringLiteral("Horizontal minimum"));
    HMin_Txt = NewEdit(DevRefGp, "HMin_Txt");
    kes::AddRow(grid, VMax_Lab, VMax_Txt);
    kes::AddRow(grid, VMin_Lab, VMin_Txt);
    kes::AddRow(grid, HMax_Lab, HMax_Txt);
    kes::AddRow(grid, HMin_Lab, HMin_Txt);

    GroupBox1 = NewGroup(this, "GroupBox1", QStringLiteral("Sampling"));
    auto* sampling = new QGridLayout(GroupBox1);
    TrigFg_Lab = NewLabel(GroupBox1, "TrigFg_Lab", QStringLiteral("Trigger flag"));
    Trig_Box = NewFixedCombo(GroupBox1, "Trig_Box", kes::NumberItems(1, 4));
    ResetFg_Lab = NewLabel(GroupBox1, "ResetFg_Lab", QStringLiteral("Reset flag"));
    Reset_Box = NewFixedCombo(GroupBox1, "Reset_Box", kes::NumberItems(1, 4));
    MaxPt_Lab = NewLabel(GroupBox1, "MaxPt_Lab", QStringLiteral("Points"));
    MaxPt_Txt = NewEdit(GroupBox1, "MaxPt_Txt");
    kes::AddRow(sampling, TrigFg_Lab, Trig_Box);
    kes::AddRow(sampling, ResetFg_Lab, Reset_Box);
    kes::AddRow(sampling, MaxPt_Lab, MaxPt_Txt);
    GroupBox1->hide();

    auto* lay = new QVBoxLayout(this);
    lay->addWidget(DevRefGp);
    lay->addWidget(GroupBox1);
    lay->addLayout(NewOkCancel(OkBtn, "OkBtn", CancelBtn, "CancelBtn"));

    dev_ = std::make_unique<kes::AddressField>(ctx, DevRefTxt, RefBtn);
    OnClicked(RefBtn, [this] { RefBtnClick(); });
}

TCurveSet::~TCurveSet() = default;

void TCurveSet::LoadFields()
{
    const TLxCurve& c = curve_;
    const TLxXyCurve* xy = xy_;
    kes::SetEnabled({HMin_Txt, HMin_Lab, HMax_Txt, HMax_Lab}, xy != nullptr);
    if (xy) {
        HMin_Txt->setText(QString::number(xy->XMin));
        HMax_Txt->setText(QString::number(xy->XMax));
    }
    setWindowTitle(Msg(kMsgSetting) + QLatin1Char(' ') + Msg(xy ? kMsgXyCurve : kMsgCurve));
    VMin_Txt->setText(QString::number(c.CurveMin));
    VMax_Txt->setText(QString::number(c.CurveMax));
    // As stored: the text the user gave, even when the controller has changed since.
    DevRefTxt->setText(kes::AnsiToQString(c.DevText));
    Trig_Box->setCurrentIndex(c.TrigFlag <= 3 ? c.TrigFlag : -1);
    Reset_Box->setCurrentIndex(c.ClearFlag <= 3 ? c.ClearFlag : -1);
    MaxPt_Txt->setText(QString::number(c.CurvePoints));
    dev_->LoadCompanion(c);
}

void TCurveSet::RefBtnClick() { dev_->Pick(this, kes::DevWant::Word, 0); }

kes::Check TCurveSet::CheckRange(QLabel* maxLab, QLineEdit* maxTxt, QLabel* minLab, QLineEdit* minTxt) const
{
    const QString blankError = QLatin1Char(' ') + Msg(kMsgSettingError);
    // An empty limit fails here, before anything is stored.
    if (!kes::ValueInRange(maxTxt->text(), kUnsigned, kBits16))
        return FailText(maxLab->text() + blankError);
    if (!kes::ValueInRange(minTxt->text(), kUnsigned, kBits16))
        return FailText(minLab->text() + blankError);
    if (!ValueTextNotBelow(kes::QStringToAnsi(maxTxt->text().trimmed()), kes::QStringToAnsi(minTxt->text().trimmed()),
                           kUnsigned, 0))
        return FailText(maxLab->text() + QLatin1Char('/') + minLab->text() + blankError);
    return std::nullopt;
}

kes::Check TCurveSet::Validate()
{
    if (const kes::Check f = CheckRange(VMax_Lab, VMax_Txt, VMin_Lab, VMin_Txt))
        return f;
    if (HMax_Txt->isEnabled()) {
        if (const kes::Check f = CheckRange(HMax_Lab, HMax_Txt, HMin_Lab, HMin_Txt))
            return f;
    }
    // Curves read 16-bit words: a range that needs 32 bits is no address for them.
    const auto access = dev_->Validate(kes::kWordFlags, 0);
    if (!access || *access > 0)
        return FailMsg(kMsgAddress);
    return std::nullopt;
}

void TCurveSet::Store()
{
    TLxCurve& c = curve_;
    dev_->StoreTo(c, kes::kWordFlags);
    c.TrigFlag = static_cast<std::uint8_t>(std::max(0, Trig_Box->currentIndex()));
    c.ClearFlag = static_cast<std::uint8_t>(std::max(0, Reset_Box->currentIndex()));
    c.CurvePoints = kes::IntOfText(MaxPt_Txt->text()).value_or(c.CurvePoints);
    // The limits were checked as unsigned 16-bit numbers.
    c.CurveMin = kes::IntOfText(VMin_Txt->text()).value_or(c.CurveMin);
    c.CurveMax = kes::IntOfText(VMax_Txt->text()).value_or(c.CurveMax);
    if (TLxXyCurve* xy = xy_) {
        xy->XMin = kes::IntOfText(HMin_Txt->text()).value_or(xy->XMin);
        xy->XMax = kes::IntOfText(HMax_Txt->text()).value_or(xy->XMax);
    }
}

namespace kes {

bool RunCurveSet(DialogContext& ctx, TLxCurve& curve, QWidget* owner, const QString& caption)
{
    return RunObjDialog<TCurveSet>(ctx, curve, owner, caption);
}

bool RunXyCurveSet(DialogContext& ctx, TLxXyCurve& curve, QWidget* owner, const QString& caption)
{
    return RunObjDialog<TCurveSet>(ctx, curve, owner, caption);
}

} // namespace kes
