#include "app/dialogs/tpgjump.h"

#include "app/model/lxtypecore.h"
#include "app/model/projectstate.h"
#include "app/project/pagedata.h"
#include "app/project/prjcheck.h"
#include "app/ui/prompt.h"
#include "objects/addrmode.h"
#include "objects/digtest.h"
#include "objects/valformat.h"
#include "platform/codepage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

using kes::FailMsg;

namespace {

constexpr int kMsgNoPage = 18;
constexpr int kMsgOnOff = 20;
constexpr int kMsgCompare = 22;
constexpr int kMsgAddress = 24;
constexpr int kMsgFull = 25;
constexpr int kMsgLength = 104;

const char* const kOperators[] = {"=", ">", "<", ">=", "<=", "!="};
const char* const kTypePrefix[] = {"UnInt(", "Int(", "HEX(", "BCD("};

} // namespace

TPgJump::TPgJump(kes::DialogContext& ctx, QWidget* owner) : SettingsDialog(ctx, owner, "PgJump")
{
    setWindowTitle(QStringLiteral("Page Change Conditions"));
    // The close button is the only way out.
    setWindowFlags(windowFlags() & ~Qt::WindowCloseButtonHint);
    DevRef_Lab = NewLabel(this, "DevRef_Lab", QStringLiteral("Device"));
    auto* addr = NewAddressRow(this, "DevRefTxt", DevRefTxt, "RefBtn", RefBtn);
    Bit_Rdo = NewRadio(this, "Bit_Rdo", QStringLiteral("Bit"));
    Val_Rdo = NewRadio(this, "Val_Rdo", QStringLiteral("Value"));
    Lsb_Rdo = NewRadio(this, "Lsb_Rdo", QStringLiteral("LSB"));
    Lsb_Rdo->hide();
    PgChg_Lab = NewLabel(this, "PgChg_Lab", QStringLiteral("Change to Page"));
    PgChg_Box = NewFixedCombo(this, "PgChg_Box", {});
    DevCondGp = NewRadioGroup(this, "DevCondGp", QStringLiteral("Condition"), {"Device OFF", "Device ON"}, "DevCond");

    ValCondGp = NewGroup(this, "ValCondGp", QStringLiteral("Value Condition"));
    ValLen_Lab = NewLabel(ValCondGp, "ValLen_Lab", QStringLiteral("Length"));
    ValLen_Box = NewCombo(ValCondGp, "ValLen_Box", kes::ValLenItems());
    ValType_Lab = NewLabel(ValCondGp, "ValType_Lab", QStringLiteral("Value Type"));
    ValType_Box = NewCombo(ValCondGp, "ValType_Box", kes::ValTypeItems());
    Cmp_Lab = NewLabel(ValCondGp, "Cmp_Lab", QStringLiteral("Operator"));
    QStringList ops;
    for (const char* op : kOperators)
        ops << QLatin1String(op);
    Cmp_Box = NewFixedCombo(ValCondGp, "Cmp_Box", ops);
    Comp_Lab = NewLabel(ValCondGp, "Comp_Lab", QStringLiteral("Compare Value"));
    Comp_Txt = NewEdit(ValCondGp, "Comp_Txt");
    Comp_Txt->setText(QStringLiteral("0"));
    ValCondGp->setLayout(kes::LabelledRows(
        {{ValLen_Lab, ValLen_Box}, {ValType_Lab, ValType_Box}, {Cmp_Lab, Cmp_Box}, {Comp_Lab, Comp_Txt}}));

    PgChgList = new QListWidget(this);
    PgChgList->setObjectName(QStringLiteral("PgChgList"));
    PgChgList->setMinimumWidth(420);
    AddInBtn = NewButton(this, "AddInBtn", QStringLiteral("Add"));
    UpdateBtn = NewButton(this, "UpdateBtn", QStringLiteral("Update"));
    DelBtn = NewButton(this, "DelBtn", QStringLiteral("Delete"));
    DelAllBtn = NewButton(this, "DelAllBtn", QStringLiteral("Delete All"));
    CloseBtn = NewButton(this, "CloseBtn", QStringLiteral("Close"));

    auto* top = new QGridLayout;
    top->addWidget(DevRef_Lab, 0, 0);
    top->addLayout(addr, 0, 1);
    top->addWidget(kes::RadioRow(this, {Bit_Rdo, Val_Rdo, Lsb_Rdo}), 1, 1);
    top->addWidget(PgChg_Lab, 2, 0);
    top->addWidget(PgChg_Box, 2, 1);
    auto* left = new QVBoxLayout;
    left->addLayout(top);
    left->addWidget(DevCondGp);
    left->addWidget(ValCondGp);
    left->addStretch();
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {AddInBtn, UpdateBtn, DelBtn, DelAllBtn})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(CloseBtn);
    auto* row = new QHBoxLayout;
    row->addLayout(left);
    row->addLayout(buttons);
    auto* lay = new QVBoxLayout(this);
    lay->addLayout(row);
    lay->addWidget(PgChgList);

    ref_ = std::make_unique<kes::AddressField>(ctx, DevRefTxt, RefBtn);
    ref_->Comp.Station = ctx.State.DefStation;
    ref_->Comp.Link = ctx.State.LinkIndex;
    OnClicked(RefBtn, [this] { RefBtnClick(); });
    OnClicked(Bit_Rdo, [this] { Bit_RdoClick(); });
    OnClicked(Val_Rdo, [this] { Val_RdoClick(); });
    OnActivated(ValLen_Box, [this] {
        if (cur_ >= 0)
            ref_->ReformatForLength(work_[static_cast<std::size_t>(cur_)].Ref.DevAddrCode, Len(),
                                    work_[static_cast<std::size_t>(cur_)].Ref.BitIndex);
    });
    QObject::connect(PgChgList, &QListWidget::itemClicked, this, [this] { PgChgListClick(); });
    OnClicked(AddInBtn, [this] { AddInBtnClick(); });
    OnClicked(UpdateBtn, [this] { UpdateBtnClick(); });
    OnClicked(DelBtn, [this] { DelBtnClick(); });
    OnClicked(DelAllBtn, [this] { DelAllBtnClick(); });
    OnClicked(CloseBtn, [this] { CloseBtnClick(); });
}

TPgJump::~TPgJump() = default;

std::vector<PgJmpRec>* TPgJump::Edited() const
{
    if (Ctx().State.EditScope == 1)
        return &Ctx().State.SysPgJumps;
    return Ctx().Page ? &Ctx().Page->PgJmpList : nullptr;
}

std::uint8_t TPgJump::Kind() const { return Val_Rdo->isChecked() ? kes::kWordFlags : kes::kBitFlags; }

std::uint8_t TPgJump::Len() const { return ValLen_Box->currentIndex() == 1 ? 1 : 0; }

int TPgJump::Type() const { return std::clamp(ValType_Box->currentIndex(), 0, 3); }

void TPgJump::LoadFields()
{
    kes::ProjectState& s = Ctx().State;
    ref_->Comp.Station = s.DefStation;
    ref_->Comp.DevForm = 1;
    ref_->Comp.IntMem = s.PortSlaveMode[s.LinkIndex & 1];
    const QString caption = Ctx().MenuCaptionOf(s.EditScope == 1 ? "MmSysPgChgSet" : "MmPgJump");
    if (!caption.isEmpty())
        setWindowTitle(caption);
    work_.clear();
    cur_ = -1;
    PgChg_Box->clear();
    for (int i = 0; i < Ctx().PageCount; ++i)
        PgChg_Box->addItem(QString::number(i));
    PgChg_Box->setCurrentIndex(Ctx().PageCount > 0 ? 0 : -1);
    PgChgList->clear();
    const std::vector<PgJmpRec>* edited = Edited();
    original_ = edited ? edited->size() : 0;
    if (edited)
        for (const PgJmpRec& rec : *edited) {
            if (!MakePgJmpRec())
                break;
            work_.back() = rec;
            PgChgList->addItem(QString());
            PgJmpLineText(rec, PgChgList->count() - 1);
        }
    if (work_.empty()) {
        cur_ = -1;
        Bit_Rdo->setChecked(true);
        Bit_RdoClick();
    } else {
        PgChgList->setCurrentRow(0);
        PgChgListClick();
    }
}

bool TPgJump::MakePgJmpRec()
{
    if (work_.size() >= static_cast<std::size_t>(kMaxPgJumps))
        return false;
    PgJmpRec rec;
    Ctx().State.InitDevRef(rec.Ref);
    work_.push_back(rec);
    cur_ = static_cast<int>(work_.size()) - 1;
    return true;
}

void TPgJump::PgJmpLineText(const PgJmpRec& rec, int line)
{
    QListWidgetItem* item = PgChgList->item(line);
    if (!item)
        return;
    const std::uint8_t width = rec.Width == 1 ? 1 : 0;
    const QString dev = rec.Ref.DevAddrCode == -1
                            ? QString()
                            : kes::AnsiToQString(Ctx().Model.FormatDeviceAddress(
                                  static_cast<std::uint32_t>(rec.Ref.DevAddrCode), kes::ModeOfKind(rec.Kind), width,
                                  rec.Ref.BitIndex, rec.Ref.Present != 0, rec.Ref.LinkFlag != 0));
    const QString page = QStringLiteral(" Jump To Pg.") + QString::number(rec.TargetPage);
    QString text;
    if (rec.Kind == kes::kBitFlags) {
        text = dev + (rec.OnOff == 1 ? QStringLiteral(" = ON") : QStringLiteral(" = OFF")) + page;
    } else {
        const int type = std::min<int>(rec.ValueType, 3);
        text = dev + QLatin1Char(' ') + QLatin1String(kOperators[std::min<int>(rec.Operator, 5)]) + QLatin1Char(' ') +
               QLatin1String(kTypePrefix[type]) +
               kes::ValueQText(static_cast<std::uint32_t>(rec.CompareValue), type, width) + QLatin1Char(')') + page;
    }
    item->setText(text);
    ref_->Comp.DevForm = rec.Ref.Present;
}

void TPgJump::PgChgListClick()
{
    const int row = PgChgList->currentRow();
    if (row < 0 || row >= static_cast<int>(work_.size()))
        return;
    cur_ = row;
    const PgJmpRec& rec = work_[static_cast<std::size_t>(row)];
    ref_->LoadCompanion(rec.Ref);
    const std::uint8_t width = rec.Width == 1 ? 1 : 0;
    if (rec.Kind == kes::kBitFlags) {
        Bit_Rdo->setChecked(true);
        Bit_RdoClick();
    } else {
        Val_Rdo->setChecked(true);
        Val_RdoClick();
    }
    PgChg_Box->setCurrentIndex(rec.TargetPage < PgChg_Box->count() ? rec.TargetPage : -1);
    if (rec.Kind == kes::kBitFlags) {
        kes::SetRadioGroupIndex(DevCondGp, rec.OnOff == 1 ? 1 : 0);
    } else {
        ValLen_Box->setCurrentIndex(width);
        ValType_Box->setCurrentIndex(kes::IsNumberFormat(rec.ValueType) ? rec.ValueType : -1);
        Comp_Txt->setText(kes::ValueQText(static_cast<std::uint32_t>(rec.CompareValue), Type(), width));
        Cmp_Box->setCurrentIndex(rec.Operator <= 5 ? rec.Operator : -1);
    }
    // The stored address as stored: the radio's click formatted it at 16 bits, which names
    // nothing where the length chooses the device range.
    if (rec.Ref.DevAddrCode != -1)
        ref_->Show(rec.Ref.DevAddrCode, rec.Kind, width, rec.Ref.BitIndex);
}

void TPgJump::ShowKindAddress()
{
    QString text;
    if (cur_ >= 0) {
        const PgJmpRec& rec = work_[static_cast<std::size_t>(cur_)];
        text = ref_->Format(rec.Ref.DevAddrCode, Kind(), Len(), rec.Ref.BitIndex);
    }
    ref_->SetText(text.isEmpty() ? ref_->KindDefaultText(Kind()) : text);
}

void TPgJump::Bit_RdoClick()
{
    DevCondGp->show();
    ValCondGp->hide();
    Cmp_Box->setCurrentIndex(0);
    ShowKindAddress();
}

void TPgJump::Val_RdoClick()
{
    DevCondGp->hide();
    ValCondGp->show();
    kes::SetEnabled({ValLen_Lab, ValLen_Box, ValType_Lab, ValType_Box}, true);
    ValLen_Box->setCurrentIndex(0);
    Cmp_Box->setCurrentIndex(0);
    ShowKindAddress();
}

void TPgJump::RefBtnClick() { ref_->Pick(this, Val_Rdo->isChecked() ? kes::DevWant::Word : kes::DevWant::Bit, Len()); }

kes::Check TPgJump::Validate()
{
    DevRefTxt->setText(DevRefTxt->text().trimmed().toUpper());
    if (PgChg_Box->currentIndex() < 0)
        return FailMsg(kMsgNoPage);
    if (!Val_Rdo->isChecked())
        ValLen_Box->setCurrentIndex(0);
    const auto access = ref_->Validate(Kind(), Len());
    if (!access)
        return FailMsg(kMsgAddress);
    if (Val_Rdo->isChecked()) {
        if (Len() < *access)
            return FailMsg(kMsgLength);
        const std::string comp = kes::TrimmedAnsi(Comp_Txt);
        if (!comp.empty() && !ValidateValueText(comp, Type(), Len() == 1, 0, 0, false))
            return FailMsg(kMsgCompare);
    } else if (kes::RadioGroupIndex(DevCondGp) < 0) {
        return FailMsg(kMsgOnOff);
    }
    return std::nullopt;
}

void TPgJump::AddInBtnClick()
{
    // The conditions this dialog has added count against the limit before they are stored.
    const int linked =
        kes::CountLinkedRecords(Ctx().State, Ctx().Page) + static_cast<int>(work_.size()) - static_cast<int>(original_);
    if (work_.size() >= static_cast<std::size_t>(kMaxPgJumps) || linked > kes::kMaxLinkedRecords) {
        kes::ShowMsg(Ctx().Ask, kMsgFull);
        return;
    }
    if (const kes::Check f = Validate()) {
        ShowFailure(*f);
        return;
    }
    if (!MakePgJmpRec())
        return;
    PgChgList->addItem(QString());
    PgChgList->setCurrentRow(PgChgList->count() - 1);
    UpdateBtnClick();
    Ctx().MarkModified();
}

void TPgJump::UpdateBtnClick()
{
    if (PgChgList->count() == 0 || cur_ < 0)
        return;
    if (const kes::Check f = Validate()) {
        ShowFailure(*f);
        return;
    }
    PgJmpRec& rec = work_[static_cast<std::size_t>(cur_)];
    if (Val_Rdo->isChecked()) {
        rec.Kind = kes::kWordFlags;
        rec.Width = Len();
        rec.CompareValue = static_cast<std::int32_t>(TextToValue(kes::TrimmedAnsi(Comp_Txt), Type()));
        rec.ValueType = static_cast<std::uint8_t>(Type());
        rec.Operator = static_cast<std::uint8_t>(std::max(0, Cmp_Box->currentIndex()));
    } else {
        rec.OnOff = kes::RadioGroupIndex(DevCondGp) == 1 ? 1 : 0;
        rec.Kind = kes::kBitFlags;
        rec.Width = 0;
    }
    ref_->StoreTo(rec.Ref, rec.Kind);
    rec.TargetPage = PgChg_Box->currentText().toInt();
    PgJmpLineText(rec, cur_);
    Ctx().MarkModified();
}

void TPgJump::DelBtnClick()
{
    const int row = PgChgList->currentRow();
    if (row < 0 || row >= static_cast<int>(work_.size()))
        return;
    work_.erase(work_.begin() + row);
    delete PgChgList->takeItem(row);
    if (PgChgList->count() > 0) {
        const int next = row < PgChgList->count() ? row : 0;
        PgChgList->setCurrentRow(next);
        cur_ = next;
    } else {
        cur_ = -1;
    }
    Ctx().MarkModified();
}

void TPgJump::DelAllBtnClick()
{
    work_.clear();
    PgChgList->clear();
    cur_ = -1;
    Ctx().MarkModified();
}

void TPgJump::Store()
{
    std::vector<PgJmpRec>* edited = Edited();
    if (!edited)
        return;
    edited->assign(work_.begin(), work_.end());
}

void TPgJump::CloseBtnClick()
{
    if (closing_)
        return;
    closing_ = true;
    Store();
    accept();
}
