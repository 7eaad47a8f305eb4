// The clock settings form.
#include "app/dialogs/trtcset.h"

#include "app/model/projectstate.h"
#include "app/ui/prompt.h"
#include "objects/addrmode.h"
#include "objects/trtc.h"
#include "platform/codepage.h"

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

using kes::FailMsg;

namespace {

enum Msg {
    kMsgAddress = 17,
    kMsgWriteTo = 54,
    kMsgRead = 55,
    kMsgLength = 104,
    kMsgPanelTime = 105,
    kMsgPlcTime = 106,
};

enum Source { kPanelWritten = 0, kController = 1, kPanelAlone = 2 };

QRadioButton* Item(QGroupBox* group, int i)
{
    return group->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly).value(i);
}

} // namespace

TRtcSet::TRtcSet(kes::DialogContext& ctx, QWidget* owner, TRtc& rtc) : SettingsDialog(ctx, owner, "RtcSet"), rtc_(rtc)
{
    setWindowTitle(QStringLiteral("Clock Display"));
    BuildForm();
    dev_ = std::make_unique<kes::AddressField>(ctx, DevRefTxt, BtnRef);
    for (int i = 0; i < 2; ++i)
        OnClicked(Item(TimeRefGp, i), [this] { TimeRefGpClick(); });
    OnClicked(ChkBox_Writ, [this] { ChkBox_WritClick(); });
    OnClicked(BtnRef, [this] { BtnRefClick(); });
    // OK stores only when the dialog was opened to edit the clock.
    QObject::disconnect(OkBtn, nullptr, this, nullptr);
    OnClicked(OkBtn, [this] { RtcOkBtnClick(); });
}

TRtcSet::~TRtcSet() = default;

void TRtcSet::BuildForm()
{
    DevRefGp = NewGroup(this, "DevRefGp", QStringLiteral("Device"));
    auto* dev = new QVBoxLayout(DevRefGp);
    Dev_Lab = NewLabel(DevRefGp, "Dev_Lab", QStringLiteral("Read"));
    ChkBox_Writ = NewCheck(DevRefGp, "ChkBox_Writ", QStringLiteral("Write To"));
    ChkBox_Writ->setToolTip(QStringLiteral("surpport above version 1.08"));
    auto* head = new QHBoxLayout;
    head->addWidget(Dev_Lab);
    head->addWidget(ChkBox_Writ);
    head->addStretch();
    dev->addLayout(head);
    dev->addLayout(NewAddressRow(DevRefGp, "DevRefTxt", DevRefTxt, "BtnRef", BtnRef));

    TimeRefGp = NewRadioGroup(this, "TimeRefGp", QStringLiteral("Time Source"), {"ZQ Time", "PLC Time"}, "TimeRef");
    TimeTypeGp = NewRadioGroup(this, "TimeTypeGp", QStringLiteral("Display"), {"Time", "Weekday", "Date"}, "TimeType");

    auto* look = new QGridLayout;
    Pos_Lab = NewLabel(this, "Pos_Lab", QStringLiteral("Alignment"));
    HPos_Box = NewCombo(this, "HPos_Box", kes::HPosItems());
    Frame_Lab = NewLabel(this, "Frame_Lab", QStringLiteral("Frame"));
    Frame_Box = NewCombo(this, "Frame_Box", kes::FrameItems());
    Font_Lab = NewLabel(this, "Font_Lab", QStringLiteral("Font"));
    Font_Box = NewFixedCombo(this, "Font_Box", kes::FontItems());
    kes::AddRow(look, Pos_Lab, HPos_Box);
    kes::AddRow(look, Frame_Lab, Frame_Box);
    kes::AddRow(look, Font_Lab, Font_Box);

    VPos_Box = NewCombo(this, "VPos_Box", kes::VPosItems());
    CancelSet = NewButton(this, "CancelSet", QStringLiteral("Clear"));
    Label1 = NewLabel(this, "Label1", QStringLiteral("Vertical"));
    VPos_Box->hide();
    CancelSet->hide();
    Label1->hide();

    auto* groups = new QHBoxLayout;
    groups->addWidget(TimeRefGp);
    groups->addWidget(TimeTypeGp);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(DevRefGp);
    lay->addLayout(groups);
    lay->addLayout(look);
    lay->addLayout(NewOkCancel(OkBtn, "OkBtn", CancelBtn, "CancelBtn"));
}

bool TRtcSet::HasClock() const { return Ctx().State.HasRtc; }

void TRtcSet::ShowWriteChoice(bool shown)
{
    Dev_Lab->setVisible(!shown);
    ChkBox_Writ->setVisible(shown);
}

void TRtcSet::LoadFields()
{
    if (Mode != kEditClock)
        return;
    const TRtc& r = rtc_;
    Label1->hide();
    Item(TimeRefGp, 0)->setText(Msg(kMsgPanelTime));
    Item(TimeRefGp, 1)->setText(Msg(kMsgPlcTime));
    CancelSet->hide();
    HPos_Box->setCurrentIndex(std::min<int>(r.RtcAlign, 2));
    Frame_Box->setCurrentIndex(r.ObjFrame <= 5 ? r.ObjFrame : -1);
    TimeRefGp->setEnabled(true);
    Dev_Lab->setText(Msg(kMsgRead));
    ChkBox_Writ->setText(Msg(kMsgWriteTo));

    const int source = r.RtcFormat >> 4;
    const bool panelAlone = HasClock() && source == kPanelAlone;
    if (!HasClock()) {
        // The controller's clock is the only source: one item.
        ShowWriteChoice(false);
        Item(TimeRefGp, 0)->setText(Msg(kMsgPlcTime));
        Item(TimeRefGp, 1)->hide();
        kes::SetRadioGroupIndex(TimeRefGp, 0);
        dev_->SetEnabled(true);
    } else if (source == kPanelWritten || panelAlone) {
        ShowWriteChoice(true);
        kes::SetRadioGroupIndex(TimeRefGp, 0);
        ChkBox_Writ->setChecked(!panelAlone);
        dev_->SetEnabled(!panelAlone);
    } else {
        ShowWriteChoice(false);
        kes::SetRadioGroupIndex(TimeRefGp, 1);
        dev_->SetEnabled(true);
    }
    kes::SetRadioGroupIndex(TimeTypeGp, std::min(r.RtcFormat & 0x0F, 2));
    dev_->LoadCompanion(r);
    // A clock that writes nowhere has no address to show.
    if (panelAlone)
        dev_->Clear();
    else
        dev_->Show(r.DevAddrCode, kes::kWordFlags, 0, r.RefBitNo);
    Font_Box->setCurrentIndex(r.fontsize >= 0 && r.fontsize <= 3 ? r.fontsize : -1);
}

void TRtcSet::TimeRefGpClick()
{
    Dev_Lab->setText(Msg(kMsgRead));
    if (!HasClock())
        return;
    TimeRefGp->setEnabled(true);
    if (kes::RadioGroupIndex(TimeRefGp) == 0) {
        ShowWriteChoice(true);
        if (!ChkBox_Writ->isChecked()) {
            ChkBox_Writ->setChecked(true);
            ChkBox_WritClick();
        }
        dev_->SetEnabled(ChkBox_Writ->isChecked());
    } else {
        ShowWriteChoice(false);
        ChkBox_Writ->setText(Msg(kMsgWriteTo));
        dev_->SetEnabled(true);
        if (DevRefTxt->text().isEmpty())
            dev_->SetText(dev_->DefaultText(kes::kWordFlags));
    }
}

void TRtcSet::ChkBox_WritClick()
{
    const bool writes = ChkBox_Writ->isChecked();
    dev_->SetText(writes ? dev_->DefaultText(kes::kWordFlags) : QString());
    dev_->SetEnabled(writes);
}

void TRtcSet::BtnRefClick() { dev_->Pick(this, kes::DevWant::Word, 0); }

void TRtcSet::RtcOkBtnClick()
{
    if (Mode == kEditClock)
        OkBtnClick();
}

int TRtcSet::ChosenSource() const
{
    if (!HasClock() || kes::RadioGroupIndex(TimeRefGp) != 0)
        return kController;
    return ChkBox_Writ->isChecked() ? kPanelWritten : kPanelAlone;
}

kes::Check TRtcSet::Validate()
{
    // Only the panel's own clock may go without an address; the length is checked only for
    // the address just validated.
    const auto access = dev_->Validate(kes::kWordFlags, 0);
    if (!access) {
        const bool panelClock = HasClock() && kes::RadioGroupIndex(TimeRefGp) == 0;
        if (!panelClock || !DevRefTxt->text().trimmed().isEmpty())
            return FailMsg(kMsgAddress);
    } else if (*access > 0) {
        return FailMsg(kMsgLength);
    }
    return std::nullopt;
}

void TRtcSet::Store()
{
    TRtc& r = rtc_;
    const int source = ChosenSource();
    r.RtcAlign = static_cast<std::uint8_t>(std::max(0, HPos_Box->currentIndex()));
    if (source == kPanelAlone) {
        r.DevAddrCode = -1;
        r.RefDevForm = 1;
        r.RefStation = Ctx().State.DefStation;
        r.RefLink = Ctx().State.LinkIndex;
        r.DevText.clear();
        r.RefBitNo = 0;
    } else {
        dev_->StoreTo(r, kes::kWordFlags);
    }
    r.RtcFormat = static_cast<std::uint8_t>(std::max(0, kes::RadioGroupIndex(TimeTypeGp)) + 16 * source);
    if (Frame_Box->currentIndex() >= 0)
        r.SetObjFrame(static_cast<std::uint8_t>(Frame_Box->currentIndex()));
    if (Font_Box->currentIndex() >= 0)
        r.FontSet(Font_Box->currentIndex());
    if (Ctx().ObjFontBoxRefresh)
        Ctx().ObjFontBoxRefresh(r);
    r.BmpRePaint();
}

namespace kes {

bool RunRtcSet(DialogContext& ctx, TRtc& rtc, QWidget* owner, const QString& caption)
{
    TRtcSet dialog(ctx, owner, rtc);
    dialog.Mode = TRtcSet::kEditClock;
    dialog.SetCaption(caption);
    const bool stored = ExecModal(ctx.Ask, &dialog) == QDialog::Accepted;
    return stored;
}

} // namespace kes
