// The button settings form: its controls, their layout and their handlers' connections.
#include "app/dialogs/tbtnset.h"

#include "app/dialogs/entryfields.h"
#include "app/dialogs/updown.h"
#include "app/ui/prompt.h"
#include "app/ui/translate.h"
#include "objects/tlxbtn.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedLayout>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QStringList kBtnTypes = {"Set ON",    "Set OFF",   "Pulse ON",     "Pulse OFF",  "Alternate",
                               "Maintained", "Multi-State", "Input Value", "Set Constant", "Increment",
                               "Decrement", "Change Page", "Set Password"};
const QStringList kSurfaces = {"No Frame", "Single Frame", "Double Frame", "Circular Frame", "Hidden"};

using kes::NumberItems;

} // namespace

TBtnSet::TBtnSet(kes::DialogContext& ctx, QWidget* owner, TLxBtn& btn)
    : SettingsDialog(ctx, owner, "BtnSet"), btn_(btn)
{
    setWindowTitle(QStringLiteral("Button"));
    BuildForm();
    write_ = std::make_unique<kes::AddressField>(ctx, DevWritTxt, RefWBtn);
    read_ = std::make_unique<kes::AddressField>(ctx, DevReadTxt, RefRBtn);
    notify_ = std::make_unique<kes::AddressField>(ctx, CallTxt, Call_Btn);
    ConnectHandlers();
}

TBtnSet::~TBtnSet() = default;

void TBtnSet::BuildForm()
{
    auto* columns = new QHBoxLayout;
    columns->addWidget(BuildLeftColumn(), 3);
    columns->addWidget(BuildRightColumn(), 2);

    OkBtn = NewButton(this, "OkBtn", QStringLiteral("OK"));
    OkBtn->setDefault(true);
    CancelBtn = NewButton(this, "CancelBtn", QStringLiteral("Cancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkBtn);
    buttons->addWidget(CancelBtn);

    auto* lay = new QVBoxLayout(this);
    lay->addLayout(columns);
    lay->addLayout(buttons);
}

QWidget* TBtnSet::BuildLeftColumn()
{
    auto* col = new QWidget(this);
    auto* lay = new QVBoxLayout(col);
    lay->setContentsMargins(0, 0, 0, 0);

    auto* typeRow = new QHBoxLayout;
    BtnType_Lab = NewLabel(col, "BtnType_Lab", QStringLiteral("Button Type"));
    BtnType_Box = NewCombo(col, "BtnType_Box", kBtnTypes);
    typeRow->addWidget(BtnType_Lab);
    typeRow->addWidget(BtnType_Box, 1);
    lay->addLayout(typeRow);

    DevWR_Gp = NewGroup(col, "DevWR_Gp", QStringLiteral("Device"));
    auto* wr = new QGridLayout(DevWR_Gp);
    DevWrit_Lab = NewLabel(DevWR_Gp, "DevWrit_Lab", QStringLiteral("Write"));
    DevWritTxt = NewEdit(DevWR_Gp, "DevWritTxt");
    RefWBtn = NewButton(DevWR_Gp, "RefWBtn", QStringLiteral("..."));
    DevRd_Chk = NewCheck(DevWR_Gp, "DevRd_Chk", QStringLiteral("Read"));
    DevReadTxt = NewEdit(DevWR_Gp, "DevReadTxt");
    RefRBtn = NewButton(DevWR_Gp, "RefRBtn", QStringLiteral("..."));
    for (QPushButton* b : {RefWBtn, RefRBtn}) {
        b->setFixedWidth(28);
        kes::SetComponentClass(b, "");
    }
    wr->addWidget(DevWrit_Lab, 0, 0);
    wr->addWidget(DevWritTxt, 0, 1);
    wr->addWidget(RefWBtn, 0, 2);
    wr->addWidget(DevRd_Chk, 1, 0);
    wr->addWidget(DevReadTxt, 1, 1);
    wr->addWidget(RefRBtn, 1, 2);
    lay->addWidget(DevWR_Gp);

    CallGp = NewGroup(col, "CallGp", QStringLiteral("Notify"));
    auto* call = new QGridLayout(CallGp);
    Call_Chk = NewCheck(CallGp, "Call_Chk", QStringLiteral("Notify"));
    CallTxt = NewEdit(CallGp, "CallTxt");
    Call_Btn = NewButton(CallGp, "Call_Btn", QStringLiteral("..."));
    Call_Btn->setFixedWidth(28);
    kes::SetComponentClass(Call_Btn, "");
    CallOrderGp = NewRadioGroup(CallGp, "CallOrderGp", QStringLiteral("Order"), {"Before Write", "After Write"},
                                "CallOrder");
    CallStateGp = NewRadioGroup(CallGp, "CallStateGp", QStringLiteral("State"), {"Reset", "Set"}, "CallState");
    call->addWidget(Call_Chk, 0, 0);
    call->addWidget(CallTxt, 0, 1);
    call->addWidget(Call_Btn, 0, 2);
    auto* callGroups = new QHBoxLayout;
    callGroups->addWidget(CallOrderGp);
    callGroups->addWidget(CallStateGp);
    call->addLayout(callGroups, 1, 0, 1, 3);
    lay->addWidget(CallGp);

    auto* valRow = new QHBoxLayout;
    ValType_Lab = NewLabel(col, "ValType_Lab", QStringLiteral("Value Type"));
    ValType_Box = NewCombo(col, "ValType_Box", kes::ValTypeItems() << QStringLiteral("Floating"));
    ValLen_Lab = NewLabel(col, "ValLen_Lab", QStringLiteral("Length"));
    ValLen_Box = NewCombo(col, "ValLen_Box", kes::ValLenItems());
    valRow->addWidget(ValType_Lab);
    valRow->addWidget(ValType_Box, 1);
    valRow->addWidget(ValLen_Lab);
    valRow->addWidget(ValLen_Box, 1);
    lay->addLayout(valRow);

    // The type groups share one place; the type shows one of them.
    auto* typeArea = new QWidget(col);
    auto* stack = new QVBoxLayout(typeArea);
    stack->setContentsMargins(0, 0, 0, 0);

    ComplexGp = NewGroup(typeArea, "ComplexGp", QStringLiteral("Multi-State"));
    auto* cx = new QHBoxLayout(ComplexGp);
    StateToGp = NewRadioGroup(ComplexGp, "StateToGp", QStringLiteral("Step"), {"Next State", "Previous State"},
                              "StateTo");
    // The kind radios stand apart from the step group's (see kes::RadioRow).
    auto* kindBox = new QWidget(ComplexGp);
    auto* kinds = new QVBoxLayout(kindBox);
    kinds->setContentsMargins(0, 0, 0, 0);
    Bit_Rdo = NewRadio(kindBox, "Bit_Rdo", QStringLiteral("Bit"));
    Val_Rdo = NewRadio(kindBox, "Val_Rdo", QStringLiteral("Value"));
    Lsb_Rdo = NewRadio(kindBox, "Lsb_Rdo", QStringLiteral("LSB"));
    kinds->addWidget(Bit_Rdo);
    kinds->addWidget(Val_Rdo);
    kinds->addWidget(Lsb_Rdo);
    cx->addWidget(StateToGp);
    cx->addWidget(kindBox);
    stack->addWidget(ComplexGp);

    ValInGp = NewGroup(typeArea, "ValInGp", QStringLiteral("Input Value"));
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

    NormalGp = NewGroup(typeArea, "NormalGp", QStringLiteral("Constant"));
    auto* nrm = new QHBoxLayout(NormalGp);
    Normal_Txt = NewEdit(NormalGp, "Normal_Txt");
    nrm->addWidget(Normal_Txt);
    stack->addWidget(NormalGp);

    AddGp = NewGroup(typeArea, "AddGp", QStringLiteral("Step"));
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

    PgChgGp = NewGroup(typeArea, "PgChgGp", QStringLiteral("Target Page"));
    auto* pg = new QHBoxLayout(PgChgGp);
    PgChg_Box = NewFixedCombo(PgChgGp, "PgChg_Box", {});
    pg->addWidget(PgChg_Box);
    stack->addWidget(PgChgGp);
    stack->addStretch();
    // Room for the tallest group, so that choosing another type does not resize the form.
    int tallest = 0;
    for (QGroupBox* g : {ComplexGp, ValInGp, NormalGp, AddGp, PgChgGp})
        tallest = std::max(tallest, g->sizeHint().height());
    typeArea->setMinimumHeight(tallest);
    lay->addWidget(typeArea);
    lay->addStretch();
    return col;
}

QWidget* TBtnSet::BuildRightColumn()
{
    auto* col = new QWidget(this);
    auto* grid = new QGridLayout(col);
    grid->setContentsMargins(0, 0, 0, 0);
    int row = 0;

    StaNum_Lab = NewLabel(col, "StaNum_Lab", QStringLiteral("States"));
    StaNum_Txt = NewEdit(col, "StaNum_Txt");
    StaNum_UD = kes::Named(new kes::TUpDown(col), "StaNum_UD");
    StaNum_UD->Min = 0;
    StaNum_UD->Max = 256;
    auto* count = new QHBoxLayout;
    count->setSpacing(0);
    count->addWidget(StaNum_Txt);
    count->addWidget(StaNum_UD);
    grid->addWidget(StaNum_Lab, row, 0);
    grid->addLayout(count, row++, 1);

    State_Lab = NewLabel(col, "State_Lab", QStringLiteral("State"));
    State_Box = NewFixedCombo(col, "State_Box", {});
    grid->addWidget(State_Lab, row, 0);
    grid->addWidget(State_Box, row++, 1);

    BtnTxt_Lab = NewLabel(col, "BtnTxt_Lab", QStringLiteral("Text"));
    Btn_Txt = NewEdit(col, "Btn_Txt");
    grid->addWidget(BtnTxt_Lab, row, 0);
    grid->addWidget(Btn_Txt, row++, 1);

    picture_ = std::make_unique<kes::PicturePanel>(col);
    PanelPic = picture_->PanelPic;
    ImgPic = picture_->ImgPic;
    LabPic = picture_->LabPic;
    grid->addWidget(PanelPic, row++, 0, 1, 2);
    grid->addWidget(LabPic, row++, 0, 1, 2);

    BmpRdBtn = NewButton(col, "BmpRdBtn", QStringLiteral("Picture..."));
    BtnBmpClear = NewButton(col, "BtnBmpClear", QStringLiteral("Clear Picture"));
    auto* pics = new QHBoxLayout;
    pics->addWidget(BmpRdBtn);
    pics->addWidget(BtnBmpClear);
    grid->addLayout(pics, row++, 0, 1, 2);

    RefKey_Chk = NewCheck(col, "RefKey_Chk", QStringLiteral("Function Key"));
    RefKey_Box = NewCombo(col, "RefKey_Box", kes::KeyItems());
    grid->addWidget(RefKey_Chk, row, 0);
    grid->addWidget(RefKey_Box, row++, 1);

    UserLevel_Lab = NewLabel(col, "UserLevel_Lab", QStringLiteral("User Level"));
    ComboBox_UserLevel = NewFixedCombo(col, "ComboBox_UserLevel", NumberItems(0, 4));
    grid->addWidget(UserLevel_Lab, row, 0);
    grid->addWidget(ComboBox_UserLevel, row++, 1);

    Font_Lab = NewLabel(col, "Font_Lab", QStringLiteral("Font"));
    Font_Box = NewFixedCombo(col, "Font_Box", kes::FontItems());
    grid->addWidget(Font_Lab, row, 0);
    grid->addWidget(Font_Box, row++, 1);

    SurFace_Lab = NewLabel(col, "SurFace_Lab", QStringLiteral("Frame"));
    BtnSurFace_Box = NewCombo(col, "BtnSurFace_Box", kSurfaces);
    grid->addWidget(SurFace_Lab, row, 0);
    grid->addWidget(BtnSurFace_Box, row++, 1);

    PassLab = NewLabel(col, "PassLab", QStringLiteral("Password"));
    PassTxt = NewEdit(col, "PassTxt");
    PassTxt->setEchoMode(QLineEdit::Password);
    PassLab->hide();
    PassTxt->hide();
    grid->addWidget(PassLab, row, 0);
    grid->addWidget(PassTxt, row++, 1);
    grid->setRowStretch(row, 1);
    return col;
}

void TBtnSet::ConnectHandlers()
{
    auto activated = [this](QComboBox* box, void (TBtnSet::*handler)()) {
        OnActivated(box, [this, handler] { (this->*handler)(); });
    };
    auto clicked = [this](QAbstractButton* b, void (TBtnSet::*handler)()) {
        OnClicked(b, [this, handler] { (this->*handler)(); });
    };
    activated(BtnType_Box, &TBtnSet::BtnType_BoxChange);
    activated(ValType_Box, &TBtnSet::ValType_BoxChange);
    activated(ValLen_Box, &TBtnSet::ValLen_BoxChange);
    activated(State_Box, &TBtnSet::State_BoxChange);
    activated(BtnSurFace_Box, &TBtnSet::State_BoxChange);
    activated(RefKey_Box, &TBtnSet::RefKey_BoxChange);
    clicked(RefWBtn, &TBtnSet::RefWBtnClick);
    clicked(RefRBtn, &TBtnSet::RefRBtnClick);
    clicked(Call_Btn, &TBtnSet::Call_BtnClick);
    clicked(DevRd_Chk, &TBtnSet::DevRd_ChkClick);
    clicked(Call_Chk, &TBtnSet::Call_ChkClick);
    clicked(Bit_Rdo, &TBtnSet::Bit_RdoClick);
    clicked(Val_Rdo, &TBtnSet::Val_RdoClick);
    clicked(Lsb_Rdo, &TBtnSet::Lsb_RdoClick);
    clicked(BmpRdBtn, &TBtnSet::BmpRdBtnClick);
    clicked(BtnBmpClear, &TBtnSet::BtnBmpClearClick);
    clicked(RefKey_Chk, &TBtnSet::RefKey_ChkClick);
    clicked(OkBtn, &TBtnSet::OkBtnClick);
    clicked(CancelBtn, &TBtnSet::CancelBtnClick);
    QObject::connect(StaNum_Txt, &QLineEdit::textEdited, this, [this] { StaNum_TxtKeyUp(); });
    StaNum_UD->OnClick = [this](bool up) { StaNum_UDClick(up); };
    kes::WatchEdit(Btn_Txt, {[this](int key) { Btn_TxtKeyUp(key); }, [this] { Btn_TxtClick(); },
                             [this] { Btn_TxtMouseUp(); }});
}

kes::BtnType TBtnSet::Type() const { return kes::BtnTypeOf(BtnType_Box->currentIndex()); }

QString TBtnSet::PanelCaption() const { return picture_->Caption(); }

namespace kes {

bool RunBtnSet(DialogContext& ctx, TLxBtn& btn, QWidget* owner, const QString& caption)
{
    TBtnSet dlg(ctx, owner, btn);
    dlg.SetCaption(caption);
    const bool stored = ExecModal(&dlg) == QDialog::Accepted;
    return stored;
}

} // namespace kes
