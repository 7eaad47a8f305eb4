// The function key table: its controls, loading a key into them and the layout of each
// button type.
#include "app/dialogs/tfunkeyset.h"

#include "app/dialogs/btnactionpanel.h"
#include "app/dialogs/entryfields.h"
#include "app/dialogs/updown.h"
#include "app/model/lxtypecore.h"
#include "app/model/projectstate.h"
#include "app/project/pagedata.h"
#include "app/ui/prompt.h"
#include "app/ui/translate.h"
#include "objects/addrmode.h"
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

using kes::BtnType;

} // namespace

TFunKeySet::TFunKeySet(kes::DialogContext& ctx, QWidget* owner) : SettingsDialog(ctx, owner, "FunKeySet")
{
    setWindowTitle(QStringLiteral("Function Keys"));
    BuildForm();
    for (kes::AddressField* f : {Action->Write.get(), Action->Read.get(), Action->Notify.get()})
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
    Action = new kes::BtnActionPanel(Ctx(), this);
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
    // Level and state count on a row of their own below the value format.
    Action->ValueRows->addWidget(UserLevel_Lab, 1, 0);
    Action->ValueRows->addWidget(ComboBox_UserLevel, 1, 1);
    Action->ValueRows->addWidget(StaNum_Lab, 1, 2);
    Action->ValueRows->addLayout(count, 1, 3);
    Action->SetStateCountControls({StaNum_Lab, StaNum_Txt, StaNum_UD});
    right->addWidget(Action);
    State_Box = NewFixedCombo(this, "State_Box", {});
    State_Box->hide();
    PassTxt = NewEdit(this, "PassTxt");
    PassTxt->hide();
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

void TFunKeySet::ConnectHandlers()
{
    auto activated = [this](QComboBox* box, void (TFunKeySet::*handler)()) {
        OnActivated(box, [this, handler] { (this->*handler)(); });
    };
    auto clicked = [this](QAbstractButton* b, void (TFunKeySet::*handler)()) {
        OnClicked(b, [this, handler] { (this->*handler)(); });
    };
    activated(Action->BtnType_Box, &TFunKeySet::BtnType_BoxChange);
    activated(Action->ValType_Box, &TFunKeySet::ValType_BoxChange);
    OnActivated(Action->ValLen_Box, [this] { Action->RefillLimits(Len()); });
    clicked(Action->RefWBtn, &TFunKeySet::RefWBtnClick);
    clicked(Action->RefRBtn, &TFunKeySet::RefRBtnClick);
    clicked(Action->Call_Btn, &TFunKeySet::Call_BtnClick);
    clicked(Action->DevRd_Chk, &TFunKeySet::DevRd_ChkClick);
    clicked(Action->Call_Chk, &TFunKeySet::Call_ChkClick);
    clicked(Action->Bit_Rdo, &TFunKeySet::Bit_RdoClick);
    clicked(Action->Val_Rdo, &TFunKeySet::Val_RdoClick);
    clicked(Action->Lsb_Rdo, &TFunKeySet::Lsb_RdoClick);
    clicked(SetBtn, &TFunKeySet::SetBtnClick);
    clicked(DelBtn, &TFunKeySet::DelBtnClick);
    clicked(DelAllBtn, &TFunKeySet::DelAllBtnClick);
    clicked(CloseBtn, &TFunKeySet::CloseBtnClick);
    QObject::connect(FunKey_Grid, &QTableWidget::cellClicked, this, [this] { FunKey_GridClick(); });
    QObject::connect(StaNum_Txt, &QLineEdit::textEdited, this, [this] { StaNum_TxtKeyUp(); });
    StaNum_UD->OnClick = [this](bool up) { StaNum_UDClick(up); };
}

bool TFunKeySet::System() const { return Ctx().State.EditScope == 1; }

int TFunKeySet::Row() const { return std::clamp(FunKey_Grid->currentRow(), 0, kFunKeyCount - 1); }

bool TFunKeySet::UpDownLocked(int row) const
{
    return (row == kes::kKeyUp || row == kes::kKeyDown) && !Ctx().UpDownKeysEnabled;
}

std::uint8_t TFunKeySet::AccessKind() const
{
    const BtnType t = Action->Type();
    if (t == BtnType::MultiState)
        return Action->Lsb_Rdo->isChecked()   ? kes::kEitherFlags
               : Action->Val_Rdo->isChecked() ? kes::kWordFlags
                                              : kes::kBitFlags;
    return kes::IsValueBtnType(t) ? kes::kWordFlags : kes::kBitFlags;
}

std::uint8_t TFunKeySet::Len() const { return Action->ValLen_Box->currentIndex() == 1 ? 1 : 0; }

kes::DevWant TFunKeySet::PickKind() const
{
    switch (AccessKind()) {
    case kes::kWordFlags:
        return kes::DevWant::Word;
    case kes::kEitherFlags:
        return kes::DevWant::BitOrWord;
    default:
        return kes::DevWant::Bit;
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
            text = Action->BtnType_Box->itemText(kes::BtnTypeItem(type));
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
    Action->PgChg_Box->clear();
    for (int i = 0; i < Ctx().PageCount; ++i)
        Action->PgChg_Box->addItem(QString::number(i));
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
    Action->ShowTypeLayout(type);
    for (QLineEdit* e : {Action->DevWritTxt, Action->DevReadTxt, Action->CallTxt})
        e->clear();
    if (type == BtnType::MultiState)
        (kes::IntOfText(StaNum_Txt->text()).value_or(1) > 2 ? Action->Val_Rdo : Action->Bit_Rdo)->setChecked(true);
    if (kes::IsPanelBtnType(type))
        kes::SetEnabled({Action->CallTxt, Action->Call_Btn, Action->CallOrderGp, Action->CallStateGp}, false);
}

void TFunKeySet::FunKey_GridClick()
{
    const PgFunKeyRec& key = keys_[static_cast<std::size_t>(Row())];
    const BtnType type = kes::BtnTypeOf(kes::BtnCode(key.ButtonType));
    Action->BtnType_Box->setCurrentIndex(kes::BtnTypeItem(type));
    const bool level = kes::IsBtnType(type) && type != BtnType::Maintained;
    kes::SetEnabled({UserLevel_Lab, ComboBox_UserLevel}, level);
    ComboBox_UserLevel->setCurrentIndex(level ? std::clamp(key.UserLevel, 0, 4) : 0);
    SetStateCount(std::max<int>(1, key.StateCount));
    ApplyTypeLayout(type);

    Action->Write->LoadCompanion(key.Write);
    Action->Read->LoadCompanion(key.Read);
    Action->Notify->LoadCompanion(key.Notify);
    const std::uint8_t width = key.Width == 1 ? 1 : 0;
    const std::uint8_t kind = key.Kind;
    Action->DevRd_Chk->setChecked(key.ReadUsed != 0);
    Action->Read->SetEnabled(key.ReadUsed != 0);
    if (key.ReadUsed)
        Action->Read->Show(key.Read.DevAddrCode, kind, width, key.Read.BitIndex);
    Action->Call_Chk->setChecked(key.NotifyUsed != 0);
    kes::SetEnabled({Action->CallTxt, Action->Call_Btn, Action->CallOrderGp, Action->CallStateGp},
                    key.NotifyUsed != 0 && !kes::IsPanelBtnType(type));
    kes::SetRadioGroupIndex(Action->CallStateGp, key.NotifyState == 1 ? 1 : 0);
    kes::SetRadioGroupIndex(Action->CallOrderGp, key.NotifyOrder == 1 ? 1 : 0);
    if (key.NotifyUsed)
        Action->Notify->Show(key.Notify.DevAddrCode, kes::kBitFlags, 0, key.Notify.BitIndex);
    Action->Write->Show(key.Write.DevAddrCode, kind, width, key.Write.BitIndex);
    PassTxt->setText(kes::PasswordText(key.Reserved));

    switch (type) {
    case BtnType::MultiState:
        kes::SetRadioGroupIndex(Action->StateToGp, key.MultiStateFlag == 1 ? 1 : 0);
        (kind == kes::kEitherFlags ? Action->Lsb_Rdo
         : kind == kes::kWordFlags ? Action->Val_Rdo
                                   : Action->Bit_Rdo)
            ->setChecked(true);
        break;
    case BtnType::InputValue:
        if (kes::IsFormat(key.ValueType, kes::ValFormat::Float)) {
            Action->ValType_Box->setCurrentIndex(kFloatItem);
            Action->ValLen_Box->setCurrentIndex(1);
            Action->ValLen_Box->setEnabled(false);
            Action->Max_Txt->setText(QString::number(key.ParamA));
            Action->Min_Txt->setText(QString::number(key.ParamB));
        } else {
            Action->ValType_Box->setCurrentIndex(ShownFormat(key));
            Action->ValLen_Box->setCurrentIndex(width);
            Action->Max_Txt->setText(kes::ValueQText(static_cast<std::uint32_t>(key.ParamA), key.ValueType, width));
            Action->Min_Txt->setText(kes::ValueQText(static_cast<std::uint32_t>(key.ParamB), key.ValueType, width));
        }
        Action->Int_Box->setCurrentIndex(std::clamp(key.IntDigits - 1, 0, 9));
        Action->Dec_Box->setCurrentIndex(std::clamp<int>(key.DecDigits, 0, 5));
        break;
    case BtnType::SetConstant:
        Action->ValType_Box->setCurrentIndex(ShownFormat(key));
        Action->ValLen_Box->setCurrentIndex(width);
        Action->Normal_Txt->setText(kes::ValueQText(static_cast<std::uint32_t>(key.ParamA), key.ValueType, width));
        break;
    case BtnType::Increment:
    case BtnType::Decrement:
        Action->ValType_Box->setCurrentIndex(ShownFormat(key));
        Action->ValLen_Box->setCurrentIndex(width);
        Action->AddVal_Txt->setText(kes::ValueQText(static_cast<std::uint32_t>(key.ParamA), key.ValueType, width));
        Action->Bound_Txt->setText(kes::ValueQText(static_cast<std::uint32_t>(key.ParamB), key.ValueType, width));
        break;
    case BtnType::ChangePage:
        Action->PgChg_Box->setCurrentIndex(key.ParamA < Action->PgChg_Box->count() ? key.ParamA : -1);
        break;
    default:
        break;
    }
}

void TFunKeySet::BtnType_BoxChange()
{
    const int row = Row();
    const BtnType t = Action->Type();
    const PgFunKeyRec& key = keys_[static_cast<std::size_t>(row)];
    if (UpDownLocked(row)) {
        Action->BtnType_Box->setCurrentIndex(-1);
        kes::ShowMsg(Ctx().Ask, kMsgUpDown);
        return;
    }
    if (row >= kes::kKeyUp && t == BtnType::Maintained) {
        Action->BtnType_Box->setCurrentIndex(kes::BtnTypeItem(key.ButtonType));
        kes::ShowMsg(Ctx().Ask, kMsgUpDown);
        return;
    }
    if (!System() && Ctx().Page && Ctx().Page->ObjFunKeyUsed[static_cast<std::size_t>(row)] == 1) {
        kes::ShowMsg(Ctx().Ask, kMsgKeyUsed);
        Action->BtnType_Box->setCurrentIndex(-1);
        return;
    }
    SetStateCount(1);
    ApplyTypeLayout(t);
    kes::SetEnabled({Action->ValType_Lab, Action->ValType_Box, Action->ValLen_Lab, Action->ValLen_Box}, true);
    kes::SetEnabled({UserLevel_Lab, ComboBox_UserLevel}, t != BtnType::Maintained);
    ComboBox_UserLevel->setCurrentIndex(0);
    Action->ValType_Box->setCurrentIndex(0);
    Action->ValLen_Box->setCurrentIndex(0);
    switch (t) {
    case BtnType::MultiState:
        Action->Bit_Rdo->setChecked(true);
        Bit_RdoClick();
        break;
    case BtnType::InputValue:
        Action->Int_Box->setCurrentIndex(0);
        Action->Dec_Box->setCurrentIndex(0);
        ValType_BoxChange();
        break;
    case BtnType::SetConstant:
        Action->DevRd_Chk->setChecked(false);
        Action->DevRd_Chk->setEnabled(false);
        Action->Read->Clear();
        ValType_BoxChange();
        break;
    case BtnType::Increment:
    case BtnType::Decrement:
        ValType_BoxChange();
        break;
    case BtnType::ChangePage:
    case BtnType::SetPassword:
        FillPageBox();
        Action->DevRd_Chk->setChecked(false);
        Action->Read->Clear();
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
    QString text = Action->Write->Format(key.Write.DevAddrCode, kind, Len(), key.Write.BitIndex);
    if (text.isEmpty() && !(emptyForNoAddress && kes::IsPanelBtnType(Action->Type())))
        text = Action->Write->KindDefaultText(kind == kes::kWordFlags ? kes::kWordFlags : kes::kBitFlags);
    Action->Write->SetText(text);
    Action->Read->SetEnabled(Action->DevRd_Chk->isChecked());
    if (Action->DevRd_Chk->isChecked()) {
        const QString stored = Action->Read->Format(key.Read.DevAddrCode, kind, Len(), key.Read.BitIndex);
        Action->Read->SetText(stored.isEmpty() ? text : stored);
    }
}

void TFunKeySet::ValType_BoxChange()
{
    Action->FitValueType();
    Action->RefillLimits(Len());
}
