// The numeric input form: its controls, loading the object, and the handlers that change
// the dialog's own state. None of them touches the object.
#include "app/dialogs/tvalstget.h"

#include "app/dialogs/entryfields.h"
#include "app/dialogs/objdialogs.h"
#include "app/project/pagedata.h"
#include "app/ui/prompt.h"
#include "objects/addrmode.h"
#include "objects/digtest.h"
#include "objects/tlxgetval.h"
#include "platform/codepage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kDefaultIntIndex = 4; // 5 digits
using kes::IsFormat;
using kes::kFloatItem;
using kes::ValFormat;

} // namespace

TValStGet::TValStGet(kes::DialogContext& ctx, QWidget* owner, TLxGetVal& entry)
    : SettingsDialog(ctx, owner, "ValStGet"), entry_(entry)
{
    setWindowTitle(QStringLiteral("Numeric Input"));
    auto* columns = new QHBoxLayout;
    columns->addWidget(BuildDeviceGroups());
    columns->addWidget(BuildValueGroup());
    auto* lay = new QVBoxLayout(this);
    lay->addLayout(columns);
    lay->addWidget(BuildAppearanceGroup());
    lay->addLayout(NewOkCancel(ValStOK, "ValStOK", ValStCancel, "ValStCancel"));

    write_ = std::make_unique<kes::AddressField>(ctx, DevWriteTxt, WriteBtn);
    read_ = std::make_unique<kes::AddressField>(ctx, DevReadTxt, ReadBtn);
    notify_ = std::make_unique<kes::AddressField>(ctx, DevCallTxt, CallBtn);

    // What the form shows before anything is loaded.
    Frame_Box->setCurrentIndex(0);
    Font_Box->setCurrentIndex(0);
    HPos_Box->setCurrentIndex(2);
    VPos_Box->setCurrentIndex(0);
    ValType_Box->setCurrentIndex(3);
    ValLen_Box->setCurrentIndex(0);
    Int_Box->setCurrentIndex(5);
    Dec_Box->setCurrentIndex(0);
    RefKey_Box->setCurrentIndex(0);
    kes::SetRadioGroupIndex(CallOrderGp, 0);

    OnClicked(WriteBtn, [this] { WriteBtnClick(); });
    OnClicked(ReadBtn, [this] { ReadBtnClick(); });
    OnClicked(CallBtn, [this] { CallBtnClick(); });
    OnClicked(DevRd_Chk, [this] { DevRd_ChkClick(); });
    OnClicked(Call_Chk, [this] { Call_ChkClick(); });
    OnClicked(RefKey_Chk, [this] { RefKey_ChkClick(); });
    OnActivated(RefKey_Box, [this] { RefKey_BoxChange(); });
    OnActivated(ValType_Box, [this] { ValType_BoxChange(); });
    OnActivated(ValLen_Box, [this] { ValLen_BoxChange(); });
}

TValStGet::~TValStGet() = default;

QWidget* TValStGet::BuildDeviceGroups()
{
    auto* col = new QWidget(this);
    auto* lay = new QVBoxLayout(col);
    lay->setContentsMargins(0, 0, 0, 0);

    GroupBox = NewGroup(col, "GroupBox", QStringLiteral("Device"));
    auto* dev = new QGridLayout(GroupBox);
    DevWrite_Lab = NewLabel(GroupBox, "DevWrite_Lab", QStringLiteral("Write"));
    DevRd_Chk = NewCheck(GroupBox, "DevRd_Chk", QStringLiteral("Read"));
    dev->addWidget(DevWrite_Lab, 0, 0);
    dev->addLayout(NewAddressRow(GroupBox, "DevWriteTxt", DevWriteTxt, "WriteBtn", WriteBtn), 0, 1);
    dev->addWidget(DevRd_Chk, 1, 0);
    dev->addLayout(NewAddressRow(GroupBox, "DevReadTxt", DevReadTxt, "ReadBtn", ReadBtn), 1, 1);
    lay->addWidget(GroupBox);

    GroupBox4 = NewGroup(col, "GroupBox4", QStringLiteral("Notify"));
    auto* call = new QGridLayout(GroupBox4);
    Call_Chk = NewCheck(GroupBox4, "Call_Chk", QStringLiteral("Notify"));
    call->addWidget(Call_Chk, 0, 0);
    call->addLayout(NewAddressRow(GroupBox4, "DevCallTxt", DevCallTxt, "CallBtn", CallBtn), 0, 1);
    CallOrderGp =
        NewRadioGroup(GroupBox4, "CallOrderGp", QStringLiteral("Order"), {"Before Write", "After Write"}, "CallOrder");
    CallStateGp = NewRadioGroup(GroupBox4, "CallStateGp", QStringLiteral("State"), {"Reset", "Set"}, "CallState");
    auto* groups = new QHBoxLayout;
    groups->addWidget(CallOrderGp);
    groups->addWidget(CallStateGp);
    call->addLayout(groups, 1, 0, 1, 2);
    lay->addWidget(GroupBox4);

    Label8 = NewLabel(col, "Label8", QStringLiteral("User Level"));
    ComboBox_UserLevel = NewFixedCombo(col, "ComboBox_UserLevel", kes::NumberItems(0, 4));
    Label7 = NewLabel(col, "Label7", QStringLiteral("Password"));
    PassTxt = NewEdit(col, "PassTxt");
    PassTxt->setEchoMode(QLineEdit::Password);
    kes::SetVisible({Label7, PassTxt}, false);
    lay->addLayout(kes::LabelledRows({{Label8, ComboBox_UserLevel}, {Label7, PassTxt}}));
    lay->addStretch();
    return col;
}

QWidget* TValStGet::BuildValueGroup()
{
    GroupBox1 = NewGroup(this, "GroupBox1", QStringLiteral("Value"));
    RefKey_Chk = NewCheck(GroupBox1, "RefKey_Chk", QStringLiteral("Function Key"));
    RefKey_Box = NewCombo(GroupBox1, "RefKey_Box", kes::KeyItems());
    ValType_Lab = NewLabel(GroupBox1, "ValType_Lab", QStringLiteral("Value Type"));
    ValType_Box = NewCombo(GroupBox1, "ValType_Box", kes::ValTypeItems() << QStringLiteral("Float"));
    ValLen_Lab = NewLabel(GroupBox1, "ValLen_Lab", QStringLiteral("Length"));
    ValLen_Box = NewCombo(GroupBox1, "ValLen_Box", kes::ValLenItems());
    Int_Lab = NewLabel(GroupBox1, "Int_Lab", QStringLiteral("Integer digits"));
    Int_Box = NewFixedCombo(GroupBox1, "Int_Box", kes::NumberItems(1, 10));
    Dec_Lab = NewLabel(GroupBox1, "Dec_Lab", QStringLiteral("Decimal digits"));
    Dec_Box = NewFixedCombo(GroupBox1, "Dec_Box", kes::NumberItems(0, 5));
    GroupBox2 = NewGroup(GroupBox1, "GroupBox2", QStringLiteral("Limits"));
    Min_Lab = NewLabel(GroupBox2, "Min_Lab", QStringLiteral("Minimum"));
    Min_Txt = NewEdit(GroupBox2, "Min_Txt");
    Min_Txt->setText(QStringLiteral("0"));
    Max_Lab = NewLabel(GroupBox2, "Max_Lab", QStringLiteral("Maximum"));
    Max_Txt = NewEdit(GroupBox2, "Max_Txt");
    Max_Txt->setText(QStringLiteral("9999"));
    auto* limits = new QVBoxLayout(GroupBox2);
    limits->addLayout(kes::LabelledRows({{Max_Lab, Max_Txt}, {Min_Lab, Min_Txt}}));

    auto* lay = new QVBoxLayout(GroupBox1);
    lay->addLayout(kes::LabelledRows({{RefKey_Chk, RefKey_Box},
                                      {ValType_Lab, ValType_Box},
                                      {ValLen_Lab, ValLen_Box},
                                      {Int_Lab, Int_Box},
                                      {Dec_Lab, Dec_Box}}));
    lay->addWidget(GroupBox2);
    lay->addStretch();
    return GroupBox1;
}

QWidget* TValStGet::BuildAppearanceGroup()
{
    GroupBox3 = NewGroup(this, "GroupBox3", QStringLiteral("Appearance"));
    Frame_Lab = NewLabel(GroupBox3, "Frame_Lab", QStringLiteral("Frame"));
    Frame_Box = NewCombo(GroupBox3, "Frame_Box", kes::FrameItems());
    Font_Lab = NewLabel(GroupBox3, "Font_Lab", QStringLiteral("Font"));
    Font_Box = NewFixedCombo(GroupBox3, "Font_Box", kes::FontItems());
    VPos_Lab = NewLabel(GroupBox3, "VPos_Lab", QStringLiteral("Vertical"));
    VPos_Box = NewCombo(GroupBox3, "VPos_Box", kes::VPosItems());
    HPos_Lab = NewLabel(GroupBox3, "HPos_Lab", QStringLiteral("Horizontal"));
    HPos_Box = NewCombo(GroupBox3, "HPos_Box", kes::HPosItems());
    ShineBtn = NewCheck(GroupBox3, "ShineBtn", QStringLiteral("Flashing"));
    HZeroBtn = NewCheck(GroupBox3, "HZeroBtn", QStringLiteral("Leading zeros"));
    kes::SetVisible({ShineBtn, HZeroBtn}, false);
    auto* grid = new QGridLayout(GroupBox3);
    const std::pair<QWidget*, QWidget*> cells[] = {
        {Frame_Lab, Frame_Box}, {Font_Lab, Font_Box}, {VPos_Lab, VPos_Box}, {HPos_Lab, HPos_Box}};
    for (int i = 0; i < 4; ++i) {
        grid->addWidget(cells[i].first, i / 2, (i % 2) * 2);
        grid->addWidget(cells[i].second, i / 2, (i % 2) * 2 + 1);
    }
    return GroupBox3;
}

int TValStGet::Item() const { return ValType_Box->currentIndex(); }

int TValStGet::OwnKey() const { return entry_.RefKey < kFunKeyCount ? entry_.RefKey : -1; }

std::uint8_t TValStGet::Len() const
{
    if (Item() == kFloatItem)
        return 1;
    return ValLen_Box->currentIndex() == 1 ? 1 : 0;
}

int TValStGet::IntIndex() const
{
    const int n = entry_.IntNum;
    return n >= 1 && n <= 10 ? n - 1 : kDefaultIntIndex;
}

void TValStGet::LoadFields()
{
    const TLxGetVal& e = entry_;
    write_->LoadCompanion(e.WriteDev);
    read_->LoadCompanion(e.ReadDev);
    notify_->LoadCompanion(e.NotifyDev);
    const std::uint8_t len = e.ValLen == 1 ? 1 : 0;
    write_->Show(e.WriteDev.DevAddrCode, kes::kWordFlags, len, e.WriteDev.RefBitNo);

    const bool notifies = e.NotifyUsed != 0;
    Call_Chk->setChecked(notifies);
    notify_->SetEnabled(notifies);
    kes::SetEnabled({CallOrderGp, CallStateGp}, notifies);
    if (notifies)
        notify_->Show(e.NotifyDev.DevAddrCode, kes::kBitFlags, 0, e.NotifyDev.RefBitNo);
    else
        notify_->Clear();
    kes::SetRadioGroupIndex(CallOrderGp, notifies && e.NotifyOrder ? 1 : 0);
    kes::SetRadioGroupIndex(CallStateGp, notifies && e.NotifyState ? 1 : 0);

    const bool reads = e.ReadUsed != 0;
    DevRd_Chk->setChecked(reads);
    read_->SetEnabled(reads);
    if (reads)
        read_->Show(e.ReadDev.DevAddrCode, kes::kWordFlags, len, e.ReadDev.RefBitNo);
    else
        read_->SetText(kes::AnsiToQString(e.ReadDev.DevText));

    kes::ShowKey(RefKey_Chk, RefKey_Box, OwnKey());

    if (IsFormat(e.ValType, ValFormat::Float)) {
        ValType_Box->setCurrentIndex(kFloatItem);
        ValLen_Box->setCurrentIndex(1);
        ValLen_Box->setEnabled(false);
        // A floating value's limits are whole signed 32-bit raw numbers.
        Max_Txt->setText(kes::ValueQText(static_cast<std::uint32_t>(e.ValMax), kes::FieldFormat(kFloatItem), 1));
        Min_Txt->setText(kes::ValueQText(static_cast<std::uint32_t>(e.ValMin), kes::FieldFormat(kFloatItem), 1));
    } else {
        const int format = kes::IsNumberFormat(e.ValType) ? e.ValType : kes::FormatCode(ValFormat::Unsigned);
        ValLen_Box->setEnabled(true);
        ValType_Box->setCurrentIndex(kes::FormatItem(e.ValType));
        ValLen_Box->setCurrentIndex(len);
        Max_Txt->setText(kes::ValueQText(static_cast<std::uint32_t>(e.ValMax), format, len));
        Min_Txt->setText(kes::ValueQText(static_cast<std::uint32_t>(e.ValMin), format, len));
    }

    ComboBox_UserLevel->setCurrentIndex(e.UserLevel >= 0 && e.UserLevel <= 4 ? e.UserLevel : 0);
    Int_Box->setCurrentIndex(IntIndex());
    Dec_Box->setCurrentIndex(std::min<int>(e.DecNum, 5));
    Frame_Box->setCurrentIndex(e.ObjFrame <= 5 ? e.ObjFrame : 0);
    Font_Box->setCurrentIndex(e.fontsize >= 0 && e.fontsize <= 3 ? e.fontsize : 0);
    HPos_Box->setCurrentIndex(e.HPos <= 2 ? e.HPos : 2);
    VPos_Box->setCurrentIndex(e.VPos <= 2 ? e.VPos : 2);
    ShineBtn->setChecked((e.ShowFlags & 1) != 0);
    HZeroBtn->setChecked((e.ShowFlags & 2) != 0);
    PassTxt->setText(kes::PasswordText(e.PassText));
}

void TValStGet::WriteBtnClick() { write_->Pick(this, kes::DevWant::Word, Len()); }

void TValStGet::ReadBtnClick() { read_->Pick(this, kes::DevWant::Word, Len()); }

void TValStGet::CallBtnClick() { notify_->Pick(this, kes::DevWant::Bit, 0); }

void TValStGet::DevRd_ChkClick() { read_->FollowWhen(DevRd_Chk->isChecked(), *write_); }

void TValStGet::Call_ChkClick()
{
    const bool on = Call_Chk->isChecked();
    notify_->SetEnabled(on);
    kes::SetEnabled({CallOrderGp, CallStateGp}, on);
    if (on) {
        notify_->Comp.Station = write_->Comp.Station;
        notify_->Comp.Link = write_->Comp.Link;
    }
}

void TValStGet::RefKey_ChkClick()
{
    const bool on = RefKey_Chk->isChecked();
    RefKey_Box->setEnabled(on);
    if (!on)
        RefKey_Box->setCurrentIndex(-1);
}

void TValStGet::PutKeyBack() { kes::ShowKey(RefKey_Chk, RefKey_Box, OwnKey()); }

void TValStGet::RefKey_BoxChange()
{
    const int k = RefKey_Box->currentIndex();
    if (const int msg = kes::KeyRefusal(Ctx(), k, OwnKey())) {
        kes::ShowMsg(Ctx().Ask, msg);
        PutKeyBack();
    }
}

void TValStGet::ValType_BoxChange()
{
    const int item = Item();
    const bool digitsOnly = kes::IsHexOrBcd(kes::FormatOfItem(item));
    kes::SetEnabled({Int_Box, Int_Lab}, true);
    kes::SetEnabled({Dec_Box, Dec_Lab}, !digitsOnly);
    // The digit boxes start again from the object's stored counts.
    Int_Box->setCurrentIndex(IntIndex());
    Dec_Box->setCurrentIndex(digitsOnly ? 0 : std::min<int>(entry_.DecNum, 5));
    if (item == kFloatItem) {
        ValLen_Box->setCurrentIndex(1);
        ValLen_Box->setEnabled(false);
    } else {
        ValLen_Box->setEnabled(true);
        if (!digitsOnly)
            ValLen_Box->setCurrentIndex(0);
    }
    ValLen_BoxChange();
}

void TValStGet::ValLen_BoxChange()
{
    const int item = Item();
    // A floating value's limits are whole signed 32-bit raw numbers.
    const int format = kes::FieldFormat(item);
    kes::SetEnabled({Min_Txt, Max_Txt}, true);
    Max_Txt->setText(QString::fromStdString(RangeLimitText(format, Len(), 1)));
    Min_Txt->setText(QString::fromStdString(RangeLimitText(format, Len(), 0)));
    write_->ReformatForLength(entry_.WriteDev.DevAddrCode, Len(), entry_.WriteDev.RefBitNo);
}

bool kes::RunValStGet(DialogContext& ctx, TLxGetVal& obj, QWidget* owner, const QString& caption)
{
    return RunObjDialog<TValStGet>(ctx, obj, owner, caption);
}
