// The function key table: its controls, loading a key into them and the layout of each
// button type.
#include "app/dialogs/tfunkeyset.h"

#include "app/dialogs/entryfields.h"
#include "app/dialogs/updown.h"
#include "app/model/lxtypecore.h"
#include "app/model/projectstate.h"
#include "app/project/pagedata.h"
#include "app/ui/prompt.h"
#include "app/ui/translate.h"
#include "objects/digtest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kMsgKeyUsed = 14;
constexpr int kMsgTitle = 109;
// The system keys' own title: message 108, which names the system settings elsewhere, says
// "... set fail!!" and read as a failure in the title bar.
constexpr int kMsgTitleSystem = 785;
constexpr int kMsgUpDown = 122;
using kes::kFloatItem;

// The type box item of a key's number format; unsigned for any other.
int ShownFormat(const PgFunKeyRec& key)
{
    return kes::IsNumberFormat(key.ValueType) ? key.ValueType : kes::FormatCode(kes::ValFormat::Unsigned);
}

const QStringList kBtnTypes = {"Set ON",    "Set OFF",   "Pulse ON",     "Pulse OFF",  "Alternate",
                               "Maintained", "Multi-State", "Input Value", "Set Constant", "Increment",
                               "Decrement", "Change Page", "Set Password"};
using kes::BtnType;

} // namespace

TFunKeySet::TFunKeySet(kes::DialogContext& ctx, QWidget* owner) : SettingsDialog(ctx, owner, "FunKeySet")
{
    setWindowTitle(QStringLiteral("Function Keys"));
    BuildForm();
    write_ = std::make_unique<kes::AddressField>(ctx, DevWritTxt, RefWBtn);
    read_ = std::make_unique<kes::AddressField>(ctx, DevReadTxt, RefRBtn);
    notify_ = std::make_unique<kes::AddressField>(ctx, CallTxt, Call_Btn);
    for (kes::AddressField* f : {write_.get(), read_.get(), notify_.get()})
        f->Comp.Link = ctx.State.LinkIndex;
    ConnectHandlers();
}

TFunKeySet::~TFunKeySet() = default;

void TFunKeySet::BuildForm()
{
    FunKey_Grid = new QTableWidget(kFunKeyCount, 2, this);
    FunKey_Grid->setObjectName(QStringLiteral("FunKey_Grid"));
    FunKey_Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    FunKey_Grid->setSelectionMode(QAbstractItemView::SingleSelection);
    FunKey_Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FunKey_Grid->horizontalHeader()->hide();
    FunKey_Grid->verticalHeader()->hide();
    FunKey_Grid->horizontalHeader()->setStretchLastSection(true);
    // A long note (a key that can not be used, and why) wraps within its row.
    FunKey_Grid->setWordWrap(true);
    FunKey_Grid->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    FunKey_Grid->setColumnWidth(0, 60);
    FunKey_Grid->setMinimumWidth(260);
    for (int r = 0; r < kFunKeyCount; ++r)
        for (int c = 0; c < 2; ++c)
            FunKey_Grid->setItem(r, c, new QTableWidgetItem);

    auto* right = new QVBoxLayout;
    BtnType_Lab = NewLabel(this, "BtnType_Lab", QStringLiteral("Button Type"));
    BtnType_Box = NewCombo(this, "BtnType_Box", kBtnTypes);
    right->addLayout(kes::LabelledRows({{BtnType_Lab, BtnType_Box}}));

    DevWR_Gp = NewGroup(this, "DevWR_Gp", QStringLiteral("Device"));
    auto* wr = new QGridLayout(DevWR_Gp);
    DevWrit_Lab = NewLabel(DevWR_Gp, "DevWrit_Lab", QStringLiteral("Write"));
    DevRd_Chk = NewCheck(DevWR_Gp, "DevRd_Chk", QStringLiteral("Read"));
    wr->addWidget(DevWrit_Lab, 0, 0);
    wr->addLayout(NewAddressRow(DevWR_Gp, "DevWritTxt", DevWritTxt, "RefWBtn", RefWBtn), 0, 1);
    wr->addWidget(DevRd_Chk, 1, 0);
    wr->addLayout(NewAddressRow(DevWR_Gp, "DevReadTxt", DevReadTxt, "RefRBtn", RefRBtn), 1, 1);
    right->addWidget(DevWR_Gp);

    CallGp = NewGroup(this, "CallGp", QStringLiteral("Notify"));
    auto* call = new QGridLayout(CallGp);
    Call_Chk = NewCheck(CallGp, "Call_Chk", QStringLiteral("Notify"));
    CallOrderGp = NewRadioGroup(CallGp, "CallOrderGp", QStringLiteral("Order"), {"Before Write", "After Write"},
                                "CallOrder");
    CallStateGp = NewRadioGroup(CallGp, "CallStateGp", QStringLiteral("State"), {"Reset", "Set"}, "CallState");
    call->addWidget(Call_Chk, 0, 0);
    call->addLayout(NewAddressRow(CallGp, "CallTxt", CallTxt, "Call_Btn", Call_Btn), 0, 1);
    auto* callGroups = new QHBoxLayout;
    callGroups->addWidget(CallOrderGp);
    callGroups->addWidget(CallStateGp);
    call->addLayout(callGroups, 1, 0, 1, 2);
    right->addWidget(CallGp);

    ValType_Lab = NewLabel(this, "ValType_Lab", QStringLiteral("Value Type"));
    ValType_Box = NewCombo(this, "ValType_Box", kes::ValTypeItems() << QStringLiteral("Floating"));
    ValLen_Lab = NewLabel(this, "ValLen_Lab", QStringLiteral("Length"));
    ValLen_Box = NewCombo(this, "ValLen_Box", kes::ValLenItems());
    UserLevel_Lab = NewLabel(this, "UserLevel_Lab", QStringLiteral("User Level"));
    ComboBox_UserLevel = NewFixedCombo(this, "ComboBox_UserLevel", kes::NumberItems(0, 4));
    StaNum_Lab = NewLabel(this, "StaNum_Lab", QStringLiteral("States"));
    StaNum_Txt = NewEdit(this, "StaNum_Txt");
    StaNum_UD = kes::Named(new kes::TUpDown(this), "StaNum_UD");
    StaNum_UD->Min = -1;
    StaNum_UD->Max = 256;
    auto* count = new QHBoxLayout;
    count->setSpacing(0);
    count->addWidget(StaNum_Txt);
    count->addWidget(StaNum_UD);
    auto* values = new QGridLayout;
    values->addWidget(ValType_Lab, 0, 0);
    values->addWidget(ValType_Box, 0, 1);
    values->addWidget(ValLen_Lab, 0, 2);
    values->addWidget(ValLen_Box, 0, 3);
    values->addWidget(UserLevel_Lab, 1, 0);
    values->addWidget(ComboBox_UserLevel, 1, 1);
    values->addWidget(StaNum_Lab, 1, 2);
    values->addLayout(count, 1, 3);
    right->addLayout(values);
    State_Box = NewFixedCombo(this, "State_Box", {});
    State_Box->hide();
    PassTxt = NewEdit(this, "PassTxt");
    PassTxt->hide();
    right->addWidget(BuildTypeArea(this));
    right->addStretch();

    SetBtn = NewButton(this, "SetBtn", QStringLiteral("Set"));
    DelBtn = NewButton(this, "DelBtn", QStringLiteral("Delete"));
    DelAllBtn = NewButton(this, "DelAllBtn", QStringLiteral("Delete All"));
    CloseBtn = NewButton(this, "CloseBtn", QStringLiteral("Close"));
    auto* columns = new QHBoxLayout;
    columns->addWidget(FunKey_Grid, 2);
    columns->addLayout(right, 3);
    auto* lay = new QVBoxLayout(this);
    lay->addLayout(columns);
    lay->addLayout(kes::RowOf({SetBtn, DelBtn, DelAllBtn, CloseBtn}, true));
}

QWidget* TFunKeySet::BuildTypeArea(QWidget* parent)
{
    // The type groups share one place; the type shows one of them.
    auto* area = new QWidget(parent);
    auto* stack = new QVBoxLayout(area);
    stack->setContentsMargins(0, 0, 0, 0);

    ComplexGp = NewGroup(area, "ComplexGp", QStringLiteral("Multi-State"));
    StateToGp = NewRadioGroup(ComplexGp, "StateToGp", QStringLiteral("Step"), {"Next State", "Previous State"},
                              "StateTo");
    Bit_Rdo = NewRadio(ComplexGp, "Bit_Rdo", QStringLiteral("Bit"));
    Val_Rdo = NewRadio(ComplexGp, "Val_Rdo", QStringLiteral("Value"));
    Lsb_Rdo = NewRadio(ComplexGp, "Lsb_Rdo", QStringLiteral("LSB"));
    auto* cx = new QHBoxLayout(ComplexGp);
    cx->addWidget(StateToGp);
    cx->addWidget(kes::RadioRow(ComplexGp, {Bit_Rdo, Val_Rdo, Lsb_Rdo}));
    stack->addWidget(ComplexGp);

    ValInGp = NewGroup(area, "ValInGp", QStringLiteral("Input Value"));
    Int_Box = NewFixedCombo(ValInGp, "Int_Box", kes::NumberItems(1, 10));
    Dec_Box = NewFixedCombo(ValInGp, "Dec_Box", kes::NumberItems(0, 5));
    Max_Txt = NewEdit(ValInGp, "Max_Txt");
    Min_Txt = NewEdit(ValInGp, "Min_Txt");
    ValInGp->setLayout(kes::LabelledRows({{NewLabel(ValInGp, "Int_Lab", QStringLiteral("Integer digits")), Int_Box},
                                          {NewLabel(ValInGp, "Dec_Lab", QStringLiteral("Decimal digits")), Dec_Box},
                                          {NewLabel(ValInGp, "Max_Lab", QStringLiteral("Maximum")), Max_Txt},
                                          {NewLabel(ValInGp, "Min_Lab", QStringLiteral("Minimum")), Min_Txt}}));
    stack->addWidget(ValInGp);

    NormalGp = NewGroup(area, "NormalGp", QStringLiteral("Constant"));
    Normal_Txt = NewEdit(NormalGp, "Normal_Txt");
    (new QHBoxLayout(NormalGp))->addWidget(Normal_Txt);
    stack->addWidget(NormalGp);

    AddGp = NewGroup(area, "AddGp", QStringLiteral("Step"));
    AddVal_Txt = NewEdit(AddGp, "AddVal_Txt");
    Bound_Txt = NewEdit(AddGp, "Bound_Txt");
    AddGp->setLayout(kes::LabelledRows({{NewLabel(AddGp, "AddVal_Lab", QStringLiteral("Step")), AddVal_Txt},
                                        {NewLabel(AddGp, "Bound_Lab", QStringLiteral("Bound")), Bound_Txt}}));
    stack->addWidget(AddGp);

    PgChgGp = NewGroup(area, "PgChgGp", QStringLiteral("Target Page"));
    PgChg_Box = NewFixedCombo(PgChgGp, "PgChg_Box", {});
    (new QHBoxLayout(PgChgGp))->addWidget(PgChg_Box);
    stack->addWidget(PgChgGp);
    stack->addStretch();
    int tallest = 0;
    for (QGroupBox* g : {ComplexGp, ValInGp, NormalGp, AddGp, PgChgGp})
        tallest = std::max(tallest, g->sizeHint().height());
    area->setMinimumHeight(tallest);
    return area;
}

void TFunKeySet::ConnectHandlers()
{
    auto activated = [this](QComboBox* box, void (TFunKeySet::*handler)()) {
        OnActivated(box, [this, handler] { (this->*handler)(); });
    };
    auto clicked = [this](QAbstractButton* b, void (TFunKeySet::*handler)()) {
        OnClicked(b, [this, handler] { (this->*handler)(); });
    };
    activated(BtnType_Box, &TFunKeySet::BtnType_BoxChange);
    activated(ValType_Box, &TFunKeySet::ValType_BoxChange);
    OnActivated(ValLen_Box, [this] { RefillLimits(); });
    clicked(RefWBtn, &TFunKeySet::RefWBtnClick);
    clicked(RefRBtn, &TFunKeySet::RefRBtnClick);
    clicked(Call_Btn, &TFunKeySet::Call_BtnClick);
    clicked(DevRd_Chk, &TFunKeySet::DevRd_ChkClick);
    clicked(Call_Chk, &TFunKeySet::Call_ChkClick);
    clicked(Bit_Rdo, &TFunKeySet::Bit_RdoClick);
    clicked(Val_Rdo, &TFunKeySet::Val_RdoClick);
    clicked(Lsb_Rdo, &TFunKeySet::Lsb_RdoClick);
    clicked(SetBtn, &TFunKeySet::SetBtnClick);
    clicked(DelBtn, &TFunKeySet::DelBtnClick);
    clicked(DelAllBtn, &TFunKeySet::DelAllBtnClick);
    clicked(CloseBtn, &TFunKeySet::CloseBtnClick);
    QObject::connect(FunKey_Grid, &QTableWidget::cellClicked, this, [this] { FunKey_GridClick(); });
    QObject::connect(StaNum_Txt, &QLineEdit::textEdited, this, [this] { StaNum_TxtKeyUp(); });
    StaNum_UD->OnClick = [this](bool up) { StaNum_UDClick(up); };
}

kes::BtnType TFunKeySet::Type() const { return kes::BtnTypeOf(BtnType_Box->currentIndex()); }

bool TFunKeySet::System() const { return Ctx().State.EditScope == 1; }

int TFunKeySet::Row() const { return std::clamp(FunKey_Grid->currentRow(), 0, kFunKeyCount - 1); }

bool TFunKeySet::UpDownLocked(int row) const
{
    return (row == kes::kKeyUp || row == kes::kKeyDown) && !Ctx().UpDownKeysEnabled;
}

std::uint8_t TFunKeySet::AccessKind() const
{
    const BtnType t = Type();
    if (t == BtnType::MultiState)
        return Lsb_Rdo->isChecked() ? 0x20 : Val_Rdo->isChecked() ? 0x10 : 0x00;
    return kes::IsValueBtnType(t) ? 0x10 : 0x00;
}

std::uint8_t TFunKeySet::Len() const { return ValLen_Box->currentIndex() == 1 ? 1 : 0; }

std::uint8_t TFunKeySet::PickKind() const
{
    switch (AccessKind()) {
    case 0x10:
        return 2;
    case 0x20:
        return 3;
    default:
        return 1;
    }
}

void TFunKeySet::LoadFields()
{
    kes::ProjectState& s = Ctx().State;
    setWindowTitle(System() ? Msg(kMsgTitleSystem) : Msg(kMsgTitle));
    if (System()) {
        keys_ = s.SysFunKeys;
        used_ = s.SysFunKeyUsed;
    } else if (Ctx().Page) {
        keys_ = Ctx().Page->PgFunKeys;
        used_ = Ctx().Page->PgFunKeyUsed;
    } else {
        for (std::size_t k = 0; k < keys_.size(); ++k) {
            keys_[k].KeyIndex = static_cast<std::uint8_t>(k);
            kes::InitFunKeyRec(s, keys_[k]);
        }
        used_.fill(0);
    }
    FillPageBox();
    FillFunKeyGrid();
    FunKey_Grid->setCurrentCell(0, 0);
    FunKey_GridClick();
}

void TFunKeySet::FillFunKeyGrid()
{
    static const char* const kArrows[] = {"Up", "Down", "Left", "Right"};
    for (int k = 0; k < kFunKeyCount; ++k) {
        const QString name = k < 10 ? QStringLiteral("F%1").arg(k) : QLatin1String(kArrows[k - 10]);
        FunKey_Grid->item(k, 0)->setText(name);
        const BtnType type = keys_[static_cast<std::size_t>(k)].ButtonType;
        QString text;
        if (kes::IsBtnType(type))
            text = BtnType_Box->itemText(kes::BtnTypeItem(type));
        else if (!System() && Ctx().Page && Ctx().Page->ObjFunKeyUsed[static_cast<std::size_t>(k)] == 1)
            text = Msg(kMsgKeyUsed);
        if (UpDownLocked(k))
            text = Msg(kMsgUpDown);
        FunKey_Grid->item(k, 1)->setText(text);
        FunKey_Grid->item(k, 1)->setToolTip(text);
    }
}

void TFunKeySet::FillPageBox()
{
    PgChg_Box->clear();
    for (int i = 0; i < Ctx().PageCount; ++i)
        PgChg_Box->addItem(QString::number(i));
}

void TFunKeySet::SetStateCount(int n)
{
    StaNum_Txt->setText(QString::number(n));
    StaNum_UD->Position = n;
    State_Box->clear();
    for (int i = 0; i < n; ++i)
        State_Box->addItem(QString::number(i));
}

void TFunKeySet::ApplyTypeLayout(BtnType type)
{
    kes::SetEnabled({DevWR_Gp, CallGp, DevRd_Chk, DevWrit_Lab, RefWBtn, Call_Chk}, true);
    kes::SetVisible({ComplexGp, ValInGp, NormalGp, AddGp, PgChgGp}, false);
    kes::SetEnabled({ValType_Lab, ValType_Box, ValLen_Lab, ValLen_Box, StaNum_Lab, StaNum_Txt, StaNum_UD}, false);
    for (QLineEdit* e : {DevWritTxt, DevReadTxt, CallTxt})
        e->clear();
    switch (type) {
    case BtnType::MultiState:
        kes::SetEnabled({StaNum_Lab, StaNum_Txt, StaNum_UD}, true);
        ComplexGp->show();
        (kes::IntOfText(StaNum_Txt->text()).value_or(1) > 2 ? Val_Rdo : Bit_Rdo)->setChecked(true);
        break;
    case BtnType::InputValue:
        kes::SetEnabled({ValType_Lab, ValType_Box, ValLen_Lab, ValLen_Box}, true);
        ValInGp->show();
        break;
    case BtnType::SetConstant:
        kes::SetEnabled({ValType_Lab, ValType_Box, ValLen_Lab, ValLen_Box}, true);
        DevRd_Chk->setEnabled(false);
        NormalGp->show();
        break;
    case BtnType::Increment:
    case BtnType::Decrement:
        kes::SetEnabled({ValType_Lab, ValType_Box, ValLen_Lab, ValLen_Box}, true);
        AddGp->show();
        break;
    case BtnType::ChangePage:
    case BtnType::SetPassword:
        PgChgGp->setVisible(type == BtnType::ChangePage);
        kes::SetEnabled({DevWR_Gp, CallGp, DevRd_Chk, Call_Chk, DevWrit_Lab, RefWBtn, CallTxt, Call_Btn, CallOrderGp,
                         CallStateGp},
                        false);
        break;
    default:
        break;
    }
}

void TFunKeySet::FunKey_GridClick()
{
    const PgFunKeyRec& key = keys_[static_cast<std::size_t>(Row())];
    const BtnType type = kes::BtnTypeOf(kes::BtnCode(key.ButtonType));
    BtnType_Box->setCurrentIndex(kes::BtnTypeItem(type));
    const bool level = kes::IsBtnType(type) && type != BtnType::Maintained;
    kes::SetEnabled({UserLevel_Lab, ComboBox_UserLevel}, level);
    ComboBox_UserLevel->setCurrentIndex(level ? std::clamp(key.UserLevel, 0, 4) : 0);
    SetStateCount(std::max<int>(1, key.StateCount));
    ApplyTypeLayout(type);

    write_->LoadCompanion(key.Write);
    read_->LoadCompanion(key.Read);
    notify_->LoadCompanion(key.Notify);
    const std::uint8_t width = key.Width == 1 ? 1 : 0;
    const std::uint8_t kind = key.Kind;
    DevRd_Chk->setChecked(key.ReadUsed != 0);
    read_->SetEnabled(key.ReadUsed != 0);
    if (key.ReadUsed)
        read_->Show(key.Read.DevAddrCode, kind, width, key.Read.BitIndex);
    Call_Chk->setChecked(key.NotifyUsed != 0);
    kes::SetEnabled({CallTxt, Call_Btn, CallOrderGp, CallStateGp}, key.NotifyUsed != 0 && !kes::IsPanelBtnType(type));
    kes::SetRadioGroupIndex(CallStateGp, key.NotifyState == 1 ? 1 : 0);
    kes::SetRadioGroupIndex(CallOrderGp, key.NotifyOrder == 1 ? 1 : 0);
    if (key.NotifyUsed)
        notify_->Show(key.Notify.DevAddrCode, 0x00, 0, key.Notify.BitIndex);
    write_->Show(key.Write.DevAddrCode, kind, width, key.Write.BitIndex);
    PassTxt->setText(kes::PasswordText(key.Reserved));

    switch (type) {
    case BtnType::MultiState:
        kes::SetRadioGroupIndex(StateToGp, key.MultiStateFlag == 1 ? 1 : 0);
        (kind == 0x20 ? Lsb_Rdo : kind == 0x10 ? Val_Rdo : Bit_Rdo)->setChecked(true);
        break;
    case BtnType::InputValue:
        if (kes::IsFormat(key.ValueType, kes::ValFormat::Float)) {
            ValType_Box->setCurrentIndex(kFloatItem);
            ValLen_Box->setCurrentIndex(1);
            ValLen_Box->setEnabled(false);
            Max_Txt->setText(QString::number(key.ParamA));
            Min_Txt->setText(QString::number(key.ParamB));
        } else {
            ValType_Box->setCurrentIndex(ShownFormat(key));
            ValLen_Box->setCurrentIndex(width);
            Max_Txt->setText(kes::ValueQText(static_cast<std::uint32_t>(key.ParamA), key.ValueType, width));
            Min_Txt->setText(kes::ValueQText(static_cast<std::uint32_t>(key.ParamB), key.ValueType, width));
        }
        Int_Box->setCurrentIndex(std::clamp(key.IntDigits - 1, 0, 9));
        Dec_Box->setCurrentIndex(std::clamp<int>(key.DecDigits, 0, 5));
        break;
    case BtnType::SetConstant:
        ValType_Box->setCurrentIndex(ShownFormat(key));
        ValLen_Box->setCurrentIndex(width);
        Normal_Txt->setText(kes::ValueQText(static_cast<std::uint32_t>(key.ParamA), key.ValueType, width));
        break;
    case BtnType::Increment:
    case BtnType::Decrement:
        ValType_Box->setCurrentIndex(ShownFormat(key));
        ValLen_Box->setCurrentIndex(width);
        AddVal_Txt->setText(kes::ValueQText(static_cast<std::uint32_t>(key.ParamA), key.ValueType, width));
        Bound_Txt->setText(kes::ValueQText(static_cast<std::uint32_t>(key.ParamB), key.ValueType, width));
        break;
    case BtnType::ChangePage:
        PgChg_Box->setCurrentIndex(key.ParamA < PgChg_Box->count() ? key.ParamA : -1);
        break;
    default:
        break;
    }
}

void TFunKeySet::BtnType_BoxChange()
{
    const int row = Row();
    const BtnType t = Type();
    const PgFunKeyRec& key = keys_[static_cast<std::size_t>(row)];
    if (UpDownLocked(row)) {
        BtnType_Box->setCurrentIndex(-1);
        kes::ShowMsg(kMsgUpDown);
        return;
    }
    if (row >= kes::kKeyUp && t == BtnType::Maintained) {
        BtnType_Box->setCurrentIndex(kes::BtnTypeItem(key.ButtonType));
        kes::ShowMsg(kMsgUpDown);
        return;
    }
    if (!System() && Ctx().Page && Ctx().Page->ObjFunKeyUsed[static_cast<std::size_t>(row)] == 1) {
        kes::ShowMsg(kMsgKeyUsed);
        BtnType_Box->setCurrentIndex(-1);
        return;
    }
    SetStateCount(1);
    ApplyTypeLayout(t);
    kes::SetEnabled({ValType_Lab, ValType_Box, ValLen_Lab, ValLen_Box}, true);
    kes::SetEnabled({UserLevel_Lab, ComboBox_UserLevel}, t != BtnType::Maintained);
    ComboBox_UserLevel->setCurrentIndex(0);
    ValType_Box->setCurrentIndex(0);
    ValLen_Box->setCurrentIndex(0);
    switch (t) {
    case BtnType::MultiState:
        Bit_Rdo->setChecked(true);
        Bit_RdoClick();
        break;
    case BtnType::InputValue:
        Int_Box->setCurrentIndex(0);
        Dec_Box->setCurrentIndex(0);
        ValType_BoxChange();
        break;
    case BtnType::SetConstant:
        DevRd_Chk->setChecked(false);
        DevRd_Chk->setEnabled(false);
        read_->Clear();
        ValType_BoxChange();
        break;
    case BtnType::Increment:
    case BtnType::Decrement:
        ValType_BoxChange();
        break;
    case BtnType::ChangePage:
    case BtnType::SetPassword:
        FillPageBox();
        DevRd_Chk->setChecked(false);
        read_->Clear();
        break;
    default:
        break;
    }
    ShowKindAddress(true);
}

void TFunKeySet::ShowKindAddress(bool emptyForNoAddress)
{
    const PgFunKeyRec& key = keys_[static_cast<std::size_t>(Row())];
    const std::uint8_t kind = AccessKind();
    QString text = write_->Format(key.Write.DevAddrCode, kind, Len(), key.Write.BitIndex);
    if (text.isEmpty() && !(emptyForNoAddress && kes::IsPanelBtnType(Type())))
        text = write_->KindDefaultText(kind == 0x10 ? 0x10 : 0x00);
    write_->SetText(text);
    read_->SetEnabled(DevRd_Chk->isChecked());
    if (DevRd_Chk->isChecked()) {
        const QString stored = read_->Format(key.Read.DevAddrCode, kind, Len(), key.Read.BitIndex);
        read_->SetText(stored.isEmpty() ? text : stored);
    }
}

void TFunKeySet::RefillLimits()
{
    const int item = ValType_Box->currentIndex();
    // A floating value's limits are whole signed 32-bit numbers.
    const int format = kes::FieldFormat(item);
    Min_Txt->setText(QString::fromStdString(RangeLimitText(format, Len(), 0)));
    Max_Txt->setText(QString::fromStdString(RangeLimitText(format, Len(), 1)));
    AddVal_Txt->setText(QStringLiteral("1"));
    Bound_Txt->setText(QString::fromStdString(RangeLimitText(format, Len(), Type() == BtnType::Increment ? 1 : 0)));
}

void TFunKeySet::ValType_BoxChange()
{
    const int item = ValType_Box->currentIndex();
    if (Type() == BtnType::InputValue) {
        const bool digitsOnly = kes::IsHexOrBcd(kes::FormatOfItem(item));
        Dec_Box->setEnabled(!digitsOnly);
        if (digitsOnly)
            Dec_Box->setCurrentIndex(0);
    }
    const bool isFloat = item == kFloatItem;
    ValLen_Box->setCurrentIndex(isFloat ? 1 : 0);
    kes::SetEnabled({ValLen_Lab, ValLen_Box}, !isFloat);
    RefillLimits();
}
