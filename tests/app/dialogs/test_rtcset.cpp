// The clock dialog: the time sources it offers follow the panel model's clock; OK stores the
// source the choices stand for (panel clock written, controller clock, panel clock alone) in
// the type byte and clears the address of a clock that writes nowhere; only the panel's own
// clock may go without an address; the length check reads the class of the address just
// checked, never one left by an earlier check; nothing is stored on a refusal or a Cancel.
#include "objdlgtest.h"

#include "app/dialogs/trtcset.h"
#include "objects/trtc.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <functional>

namespace kes::test {
namespace {

QRadioButton* Item(QGroupBox* g, int i) { return g->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly).value(i); }

class RtcSetTest : public ObjDialogTest {
public:
    RtcSetTest()
    {
        state.DefStation = 7;
        state.LinkIndex = 1;
    }
    TRtcSet& Open(int mode = TRtcSet::kEditClock)
    {
        dlg = std::make_unique<TRtcSet>(ctx, nullptr, rtc);
        dlg->Mode = mode;
        dlg->show();
        return *dlg;
    }
    // The source as a user picks it.
    void ChooseSource(int i)
    {
        Item(dlg->TimeRefGp, i)->setChecked(true);
        dlg->TimeRefGpClick();
    }
    void TickWrite(bool on)
    {
        dlg->ChkBox_Writ->setChecked(on);
        dlg->ChkBox_WritClick();
    }
    void SetSource(int source, std::int32_t code, const char* text)
    {
        rtc.RtcFormat = static_cast<std::uint8_t>(source << 4);
        rtc.DevAddrCode = code;
        rtc.DevText = text;
    }
    TRtc rtc;
    std::unique_ptr<TRtcSet> dlg;
};

TEST_F(RtcSetTest, TheOfferedSourcesFollowThePanelsClock)
{
    struct Case {
        bool clock;
        int source;
        int index;       // of TimeRefGp
        bool writeShown; // ChkBox_Writ (else Dev_Lab "Read")
        bool writeTicked;
        bool addressEnabled;
        const char* address;
    };
    const Case cases[] = {
        {true, 0, 0, true, true, true, "D5"},    {true, 2, 0, true, false, false, ""},
        {true, 1, 1, false, false, true, "D5"},  {false, 1, 0, false, false, true, "D5"},
        {false, 0, 0, false, false, true, "D5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.clock) + " source " + std::to_string(c.source));
        state.HasRtc = c.clock;
        SetSource(c.source, 0x1005, "D5");
        TRtcSet& d = Open();
        EXPECT_EQ(RadioGroupIndex(d.TimeRefGp), c.index);
        EXPECT_EQ(d.ChkBox_Writ->isVisible(), c.writeShown);
        EXPECT_EQ(d.Dev_Lab->isVisible(), !c.writeShown);
        if (c.writeShown) {
            EXPECT_EQ(d.ChkBox_Writ->isChecked(), c.writeTicked);
            EXPECT_EQ(d.ChkBox_Writ->text(), M(54));
        } else {
            EXPECT_EQ(d.Dev_Lab->text(), M(55));
        }
        EXPECT_EQ(d.DevRefTxt->isEnabled(), c.addressEnabled);
        EXPECT_EQ(d.BtnRef->isEnabled(), c.addressEnabled);
        EXPECT_EQ(d.DevRefTxt->text(), c.address);
        EXPECT_EQ(Item(d.TimeRefGp, 0)->text(), M(c.clock ? 105 : 106));
        EXPECT_EQ(Item(d.TimeRefGp, 1)->isVisible(), c.clock);
        EXPECT_FALSE(d.Label1->isVisible());
        EXPECT_FALSE(d.CancelSet->isVisible());
        EXPECT_FALSE(d.VPos_Box->isVisible());
    }
}

TEST_F(RtcSetTest, OkStoresTheSourceAndTheAddressItStandsFor)
{
    struct Case {
        const char* name;
        bool clock;
        std::function<void(RtcSetTest&, TRtcSet&)> setup;
        std::uint8_t format;
        std::int32_t code;
        const char* text;
        int station, link;
    };
    using T = RtcSetTest;
    const Case cases[] = {
        {"panel clock, not written: no address, the project's station and link", true,
         [](T& t, TRtcSet&) { t.TickWrite(false); }, 0x20, -1, "", 7, 1},
        {"panel clock written, empty address", true, [](T&, TRtcSet& d) { d.DevRefTxt->clear(); }, 0x00, -1, "", 3, 0},
        {"panel clock written to D30", true, [](T&, TRtcSet& d) { d.DevRefTxt->setText("D30"); }, 0x00, 0x101E, "D30",
         3, 0},
        {"controller clock, date", true,
         [](T& t, TRtcSet& d) {
             t.ChooseSource(1);
             Item(d.TimeTypeGp, 2)->setChecked(true);
         },
         0x12, 0x1005, "D5", 3, 0},
        {"no panel clock: always the controller's", false,
         [](T&, TRtcSet& d) { Item(d.TimeTypeGp, 1)->setChecked(true); }, 0x11, 0x1005, "D5", 3, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        state.HasRtc = c.clock;
        state.Modified = 0;
        rtc.RefStation = 3;
        rtc.RefLink = 0;
        SetSource(0, 0x1005, "D5");
        TRtcSet& d = Open();
        c.setup(*this, d);
        ExpectStored(d);
        EXPECT_EQ(rtc.RtcFormat, c.format);
        EXPECT_EQ(rtc.DevAddrCode, c.code);
        EXPECT_EQ(rtc.DevText, c.text);
        EXPECT_EQ(rtc.RefStation, c.station);
        EXPECT_EQ(rtc.RefLink, c.link);
        // 14 ref | 23 type | 24 frame | 25 alignment
        const Bytes rec = RecordOf(rtc);
        ASSERT_EQ(rec.size(), 27u);
        EXPECT_EQ(GetU32be(rec, 14), static_cast<std::uint32_t>(c.code));
        EXPECT_EQ(rec[23], c.format);
    }
}

TEST_F(RtcSetTest, AlignmentFrameAndFontAreStored)
{
    rtc.RtcAlign = 9; // anything above 1 shows as centre
    TRtcSet& d = Open();
    EXPECT_EQ(d.HPos_Box->currentIndex(), 2);
    d.HPos_Box->setCurrentIndex(1);
    d.Frame_Box->setCurrentIndex(2);
    d.Font_Box->setCurrentIndex(3);
    ExpectStored(d);
    EXPECT_EQ(rtc.RtcAlign, 1);
    EXPECT_EQ(rtc.ObjFrame, 2);
    EXPECT_EQ(rtc.fontsize, 3);
    EXPECT_EQ(rtc.RtcPicName, "HHMMSS_1608");
}

TEST_F(RtcSetTest, OnlyThePanelsClockGoesWithoutAnAddress)
{
    struct Case {
        const char* name;
        bool clock;
        int source;
        const char* address;
        int msg;
    };
    const Case cases[] = {
        {"controller clock, empty", true, 1, "", 17},
        {"no panel clock, empty", false, 1, "", 17},
        {"controller clock, unknown device", true, 1, "X1", 17},
        {"panel clock, unknown device", true, 0, "X1", 17},
        {"panel clock, a word that needs 32 bits", true, 0, "C201", 104},
        {"controller clock, a word that needs 32 bits", true, 1, "C201", 104},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        state.HasRtc = c.clock;
        SetSource(c.source, 0x1005, "D5");
        TRtcSet& d = Open();
        d.DevRefTxt->setText(c.address);
        ExpectRefused(d, rtc, c.msg);
    }
}

// A 32-bit word checked just before (here by the model directly) leaves its class behind; a
// panel clock without an address must not be refused for it.
TEST_F(RtcSetTest, AnEarlierChecksLengthDoesNotRefuseAnEmptyPanelAddress)
{
    ASSERT_TRUE(model.ValidateDeviceAddress("C201", 0x10, 1, true, false));
    ASSERT_GT(model.LastAccess, 0);
    TRtcSet& d = Open();
    d.DevRefTxt->clear();
    ExpectStored(d);
    EXPECT_EQ(rtc.RtcFormat >> 4, 0);
}

TEST_F(RtcSetTest, TheChoicesFillTheAddressAsAUserSeesIt)
{
    SetSource(0, -1, "");
    TRtcSet& d = Open();
    TickWrite(false);
    EXPECT_EQ(d.DevRefTxt->text(), "");
    EXPECT_FALSE(d.DevRefTxt->isEnabled());
    TickWrite(true);
    EXPECT_EQ(d.DevRefTxt->text(), "D0");
    EXPECT_TRUE(d.BtnRef->isEnabled());

    TickWrite(false);
    ChooseSource(1);
    EXPECT_EQ(d.DevRefTxt->text(), "D0") << "the controller clock needs an address";
    EXPECT_TRUE(d.Dev_Lab->isVisible());
    EXPECT_FALSE(d.ChkBox_Writ->isVisible());
    d.DevRefTxt->setText("D40");
    ChooseSource(0);
    EXPECT_TRUE(d.ChkBox_Writ->isChecked());
    EXPECT_TRUE(d.DevRefTxt->isEnabled());
}

TEST_F(RtcSetTest, OutsideTheEditModeOkDoesNothing)
{
    const Bytes before = RecordOf(rtc);
    TRtcSet& d = Open(0);
    d.OkBtn->click();
    EXPECT_TRUE(d.isVisible());
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_EQ(RecordOf(rtc), before);
    EXPECT_EQ(state.Modified, 0);
}

TEST_F(RtcSetTest, CancelAfterChangesLeavesTheRecordByteForByte)
{
    SetSource(1, 0x1005, "D5");
    const Bytes before = RecordOf(rtc);
    TRtcSet& d = Open();
    ChooseSource(0);
    TickWrite(false);
    d.Frame_Box->setCurrentIndex(4);
    d.Font_Box->setCurrentIndex(1);
    ExpectCancelKeeps(d, rtc, before);
}

} // namespace
} // namespace kes::test
