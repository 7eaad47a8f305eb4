// The button-action panel: its controls, their layout and the layout of each button type.
#include "app/dialogs/btnactionpanel.h"

#include "app/dialogs/entryfields.h"
#include "app/dialogs/settingsdialog.h"
#include "objects/digtest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace kes {

namespace {

const QStringList kBtnTypes = {"Set ON",     "Set OFF",     "Pulse ON",    "Pulse OFF",    "Alternate",
                               "Maintained", "Multi-State", "Input Value", "Set Constant", "Increment",
                               "Decrement",  "Change Page", "Set Password"};

} // namespace

BtnActionPanel::BtnActionPanel(DialogContext& ctx, QWidget* parent) : QWidget(parent)
{
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);

    BtnType_Lab = NewLabel(this, "BtnType_Lab", QStringLiteral("Button Type"));
    BtnType_Box = NewCombo(this, "BtnType_Box", kBtnTypes);
    auto* typeRow = new QHBoxLayout;
    typeRow->addWidget(BtnType_Lab);
    typeRow->addWidget(BtnType_Box, 1);
    lay->addLayout(typeRow);

    DevWR_Gp = NewGroup(this, "DevWR_Gp", QStringLiteral("Device"));
    auto* wr = new QGridLayout(DevWR_Gp);
    DevWrit_Lab = NewLabel(DevWR_Gp, "DevWrit_Lab", QStringLiteral("Write"));
    DevRd_Chk = NewCheck(DevWR_Gp, "DevRd_Chk", QStringLiteral("Read"));
    wr->addWidget(DevWrit_Lab, 0, 0);
    wr->addLayout(NewAddressRow(DevWR_Gp, "DevWritTxt", DevWritTxt, "RefWBtn", RefWBtn), 0, 1);
    wr->addWidget(DevRd_Chk, 1, 0);
    wr->addLayout(NewAddressRow(DevWR_Gp, "DevReadTxt", DevReadTxt, "RefRBtn", RefRBtn), 1, 1);
    lay->addWidget(DevWR_Gp);

    CallGp = NewGroup(this, "CallGp", QStringLiteral("Notify"));
    auto* call = new QGridLayout(CallGp);
    Call_Chk = NewCheck(CallGp, "Call_Chk", QStringLiteral("Notify"));
    CallOrderGp =
        NewRadioGroup(CallGp, "CallOrderGp", QStringLiteral("Order"), {"Before Write", "After Write"}, "CallOrder");
    CallStateGp = NewRadioGroup(CallGp, "CallStateGp", QStringLiteral("State"), {"Reset", "Set"}, "CallState");
    call->addWidget(Call_Chk, 0, 0);
    call->addLayout(NewAddressRow(CallGp, "CallTxt", CallTxt, "Call_Btn", Call_Btn), 0, 1);
    auto* callGroups = new QHBoxLayout;
    callGroups->addWidget(CallOrderGp);
    callGroups->addWidget(CallStateGp);
    call->addLayout(callGroups, 1, 0, 1, 2);
    lay->addWidget(CallGp);

    ValType_Lab = NewLabel(this, "ValType_Lab", QStringLiteral("Value Type"));
    ValType_Box = NewCombo(this, "ValType_Box", ValTypeItems() << QStringLiteral("Floating"));
    ValLen_Lab = NewLabel(this, "ValLen_Lab", QStringLiteral("Length"));
    ValLen_Box = NewCombo(this, "ValLen_Box", ValLenItems());
    ValueRows = new QGridLayout;
    ValueRows->addWidget(ValType_Lab, 0, 0);
    ValueRows->addWidget(ValType_Box, 0, 1);
    ValueRows->addWidget(ValLen_Lab, 0, 2);
    ValueRows->addWidget(ValLen_Box, 0, 3);
    ValueRows->setColumnStretch(1, 1);
    ValueRows->setColumnStretch(3, 1);
    lay->addLayout(ValueRows);
    lay->addWidget(BuildTypeArea());

    Write = std::make_unique<AddressField>(ctx, DevWritTxt, RefWBtn);
    Read = std::make_unique<AddressField>(ctx, DevReadTxt, RefRBtn);
    Notify = std::make_unique<AddressField>(ctx, CallTxt, Call_Btn);
}

BtnActionPanel::~BtnActionPanel() = default;

QWidget* BtnActionPanel::BuildTypeArea()
{
    // The type groups share one place; the type shows one of them.
    auto* area = new QWidget(this);
    auto* stack = new QVBoxLayout(area);
    stack->setContentsMargins(0, 0, 0, 0);

    ComplexGp = NewGroup(area, "ComplexGp", QStringLiteral("Multi-State"));
    StateToGp =
        NewRadioGroup(ComplexGp, "StateToGp", QStringLiteral("Step"), {"Next State", "Previous State"}, "StateTo");
    Bit_Rdo = NewRadio(ComplexGp, "Bit_Rdo", QStringLiteral("Bit"));
    Val_Rdo = NewRadio(ComplexGp, "Val_Rdo", QStringLiteral("Value"));
    Lsb_Rdo = NewRadio(ComplexGp, "Lsb_Rdo", QStringLiteral("LSB"));
    auto* cx = new QHBoxLayout(ComplexGp);
    cx->addWidget(StateToGp);
    cx->addWidget(RadioRow(ComplexGp, {Bit_Rdo, Val_Rdo, Lsb_Rdo}));
    stack->addWidget(ComplexGp);

    ValInGp = NewGroup(area, "ValInGp", QStringLiteral("Input Value"));
    auto* vin = new QGridLayout(ValInGp);
    Int_Lab = NewLabel(ValInGp, "Int_Lab", QStringLiteral("Integer digits"));
    Int_Box = NewFixedCombo(ValInGp, "Int_Box", NumberItems(1, 10));
    Dec_Lab = NewLabel(ValInGp, "Dec_Lab", QStringLiteral("Decimal digits"));
    Dec_Box = NewFixedCombo(ValInGp, "Dec_Box", NumberItems(0, 5));
    Max_Lab = NewLabel(ValInGp, "Max_Lab", QStringLiteral("Maximum"));
    Max_Txt = NewEdit(ValInGp, "Max_Txt");
    Min_Lab = NewLabel(ValInGp, "Min_Lab", QStringLiteral("Minimum"));
    Min_Txt = NewEdit(ValInGp, "Min_Txt");
    vin->addWidget(Int_Lab, 0, 0);
    vin->addWidget(Int_Box, 0, 1);
    vin->addWidget(Dec_Lab, 0, 2);
    vin->addWidget(Dec_Box, 0, 3);
    vin->addWidget(Max_Lab, 1, 0);
    vin->addWidget(Max_Txt, 1, 1);
    vin->addWidget(Min_Lab, 1, 2);
    vin->addWidget(Min_Txt, 1, 3);
    stack->addWidget(ValInGp);

    NormalGp = NewGroup(area, "NormalGp", QStringLiteral("Constant"));
    Normal_Txt = NewEdit(NormalGp, "Normal_Txt");
    (new QHBoxLayout(NormalGp))->addWidget(Normal_Txt);
    stack->addWidget(NormalGp);

    AddGp = NewGroup(area, "AddGp", QStringLiteral("Step"));
    auto* add = new QGridLayout(AddGp);
    AddVal_Lab = NewLabel(AddGp, "AddVal_Lab", QStringLiteral("Step"));
    AddVal_Txt = NewEdit(AddGp, "AddVal_Txt");
    Bound_Lab = NewLabel(AddGp, "Bound_Lab", QStringLiteral("Bound"));
    Bound_Txt = NewEdit(AddGp, "Bound_Txt");
    add->addWidget(AddVal_Lab, 0, 0);
    add->addWidget(AddVal_Txt, 0, 1);
    add->addWidget(Bound_Lab, 0, 2);
    add->addWidget(Bound_Txt, 0, 3);
    stack->addWidget(AddGp);

    PgChgGp = NewGroup(area, "PgChgGp", QStringLiteral("Target Page"));
    PgChg_Box = NewFixedCombo(PgChgGp, "PgChg_Box", {});
    (new QHBoxLayout(PgChgGp))->addWidget(PgChg_Box);
    stack->addWidget(PgChgGp);
    stack->addStretch();
    // Room for the tallest group, so that choosing another type does not resize the form.
    int tallest = 0;
    for (QGroupBox* g : {ComplexGp, ValInGp, NormalGp, AddGp, PgChgGp})
        tallest = std::max(tallest, g->sizeHint().height());
    area->setMinimumHeight(tallest);
    return area;
}

BtnType BtnActionPanel::Type() const { return BtnTypeOf(BtnType_Box->currentIndex()); }

void BtnActionPanel::SetStateCountControls(std::initializer_list<QWidget*> controls) { stateCount_ = controls; }

void BtnActionPanel::ShowTypeLayout(BtnType t)
{
    SetEnabled({DevWR_Gp, CallGp, DevRd_Chk, DevWrit_Lab, RefWBtn, Call_Chk}, true);
    SetVisible({ComplexGp, ValInGp, NormalGp, AddGp, PgChgGp}, false);
    SetEnabled({ValType_Lab, ValType_Box, ValLen_Lab, ValLen_Box}, false);
    for (QWidget* w : stateCount_)
        w->setEnabled(t == BtnType::MultiState);
    if (IsValueBtnType(t))
        SetEnabled({ValType_Lab, ValType_Box, ValLen_Lab, ValLen_Box}, true);
    switch (t) {
    case BtnType::MultiState:
        ComplexGp->show();
        break;
    case BtnType::InputValue:
        ValInGp->show();
        break;
    case BtnType::SetConstant:
        DevRd_Chk->setEnabled(false);
        NormalGp->show();
        break;
    case BtnType::Increment:
    case BtnType::Decrement:
        AddGp->show();
        break;
    case BtnType::ChangePage:
    case BtnType::SetPassword:
        PgChgGp->setVisible(t == BtnType::ChangePage);
        SetEnabled({DevWR_Gp, CallGp, DevRd_Chk, DevWrit_Lab, RefWBtn, Call_Chk}, false);
        break;
    default:
        break;
    }
}

bool BtnActionPanel::FitValueType()
{
    const int item = ValType_Box->currentIndex();
    if (Type() == BtnType::InputValue) {
        const bool digitsOnly = IsHexOrBcd(FormatOfItem(item));
        SetEnabled({Dec_Box, Dec_Lab}, !digitsOnly);
        if (digitsOnly)
            Dec_Box->setCurrentIndex(0);
    }
    const bool isFloat = item == kFloatItem;
    const int lenBefore = ValLen_Box->currentIndex();
    ValLen_Box->setCurrentIndex(isFloat ? 1 : 0);
    SetEnabled({ValLen_Lab, ValLen_Box}, !isFloat);
    return ValLen_Box->currentIndex() != lenBefore;
}

void BtnActionPanel::RefillLimits(int len)
{
    // A floating value's limits are whole signed 32-bit numbers.
    const int format = FieldFormat(ValType_Box->currentIndex());
    Min_Txt->setText(QString::fromStdString(RangeLimitText(format, len, 0)));
    Max_Txt->setText(QString::fromStdString(RangeLimitText(format, len, 1)));
    AddVal_Txt->setText(QStringLiteral("1"));
    Bound_Txt->setText(QString::fromStdString(RangeLimitText(format, len, Type() == BtnType::Increment ? 1 : 0)));
}

} // namespace kes
