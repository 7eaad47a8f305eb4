// The single-record settings dialogs: the buzzer and alarm lamp (page or system), the
// power-on macro, the clock and page-number writes and the parameter register. OK stores
// after its checks in order, the clear button switches the setting off so that nothing of it
// is stored, and every other way of closing leaves the record as it was. The parameter
// register asks before it replaces every page-change condition.
#include "setdlgtest.h"

#include "app/dialogs/tfrmparaset.h"
#include "app/dialogs/tfrmplcvaladdrset.h"
#include "app/dialogs/tsysset.h"
#include "app/project/imageheader.h"
#include "app/project/pagesettings.h"
#include "decoder/setlayout.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <optional>

namespace kes::test {
namespace {

// The first record of tag in data, as its bytes.
std::optional<Bytes> RecordOfTag(ByteSpan data, std::uint16_t tag)
{
    std::optional<Bytes> found;
    WalkPageRecords(data, [&](std::uint16_t t, ByteSpan rec) {
        if (t == tag && !found)
            found = Bytes(rec.begin(), rec.end());
    });
    return found;
}

class SysSetTest : public SetDlgTest {
protected:
    TSysSet& OpenSlot(int scope, int slot)
    {
        return Open<TSysSet>(scope, [slot](TSysSet& d) { d.RecordIndex = slot; });
    }
    TSysSet& OpenPowerOn()
    {
        return Open<TSysSet>(1, [](TSysSet& d) { d.PowerOnMode = true; });
    }
    static void SetValue(TSysSet& d, const char* dev, int type, int len, const char* value)
    {
        d.Val_Rdo->setChecked(true);
        d.Val_RdoClick();
        d.DevRefTxt->setText(QString::fromLatin1(dev));
        d.ValType_Box->setCurrentIndex(type);
        d.ValLen_Box->setCurrentIndex(len);
        (d.PowerOnMode ? d.EdtVal : d.Comp_Txt)->setText(QString::fromLatin1(value));
    }
    void ExpectStored(SettingsDialog& d)
    {
        d.OkBtnClick();
        EXPECT_EQ(d.result(), QDialog::Accepted) << ShownText();
        EXPECT_TRUE(prompt.shown.empty()) << ShownText();
        EXPECT_EQ(state.Modified, 1);
    }
};

TEST_F(SysSetTest, AValueAlarmLampOfThirtyTwoBitsIsStoredAndShownAgain)
{
    TSysSet& d = OpenSlot(0, 1);
    EXPECT_EQ(d.windowTitle(), "MmLedSet");
    EXPECT_FALSE(d.GB_TimeSet->isVisible());
    SetValue(d, "D20", 0, 1, "70000");
    d.Comp_Box->setCurrentIndex(1);
    ExpectStored(d);
    const PgSysRec& lamp = ReadBackPage().PgSysRecs[1];
    EXPECT_EQ(lamp.KindWidth, 0x11);
    EXPECT_EQ(lamp.OnOffOrOperator, 1);
    EXPECT_EQ(lamp.Value, 70000);
    EXPECT_EQ(lamp.Ref.DevAddrCode, 0x1000 + 20);

    TSysSet& again = OpenSlot(0, 1);
    EXPECT_TRUE(again.Val_Rdo->isChecked());
    EXPECT_EQ(again.ValLen_Box->currentIndex(), 1);
    EXPECT_EQ(again.DevRefTxt->text(), "D20");
    EXPECT_EQ(again.Comp_Txt->text(), "70000");
}

TEST_F(SysSetTest, APowerOnMacroReachesTheHeaderAndShowsThirtyTwoBitsAgain)
{
    TSysSet& d = OpenPowerOn();
    EXPECT_EQ(d.windowTitle(), "MmSysPowerOnSet");
    EXPECT_TRUE(d.GB_TimeSet->isVisible());
    EXPECT_FALSE(d.GB_CondVal->isVisible());
    SetValue(d, "D3", 1, 1, "-7");
    d.ValType_Box->setCurrentIndex(2);
    d.ValType_BoxChange(); // a new type starts again from 0
    EXPECT_EQ(d.EdtVal->text(), "0");
    d.ValType_Box->setCurrentIndex(1);
    d.EdtVal->setText("-7");
    d.CB_TimeSet->setCurrentIndex(2);
    ExpectStored(d);
    const auto rec = RecordOfTag(BuildHeaderBytes(state), kTagMacPowerOn);
    ASSERT_TRUE(rec);
    EXPECT_EQ(GetU8(*rec, layout::MacPowerOn::KindWidth), 0x11);
    EXPECT_EQ(GetU8(*rec, layout::MacPowerOn::Interval), 2);
    EXPECT_EQ(GetU32be(*rec, layout::MacPowerOn::Value), static_cast<std::uint32_t>(-7));

    TSysSet& again = OpenPowerOn();
    EXPECT_EQ(again.ValLen_Box->currentIndex(), 1);
    EXPECT_EQ(again.EdtVal->text(), "-7");
    EXPECT_EQ(again.CB_TimeSet->currentIndex(), 2);
}

TEST_F(SysSetTest, TheFirstFailingCheckShowsItsMessageAndStoresNothing)
{
    struct Case {
        const char* what;
        bool powerOn;
        const char* dev;
        int len;
        const char* value;
        int msg;
    } cases[] = {
        {"unknown device", false, "Q9", 0, "1", 17},
        {"32-bit-only word at 16 bits", false, "C200", 0, "1", 104},
        {"a value that is no number", false, "D1", 0, "1x", 22},
        {"a value past 16 bits", true, "D1", 0, "70000", 22},
        {"unknown device and a bad value: the device first", true, "Q9", 0, "1x", 17},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        prompt.shown.clear();
        state.Modified = 0;
        TSysSet& d = c.powerOn ? OpenPowerOn() : OpenSlot(1, 0);
        SetValue(d, c.dev, 0, c.len, c.value);
        d.OkBtnClick();
        EXPECT_EQ(ShownNumbers(), std::vector<int>{c.msg}) << ShownText();
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(state.SysBuzzer.Ref.DevAddrCode, -1);
        EXPECT_EQ(state.PowerOnMacro.Ref.DevAddrCode, -1);
        EXPECT_EQ(state.Modified, 0);
    }
}

TEST_F(SysSetTest, AClickOnTheCheckedKindKeepsItChecked)
{
    TSysSet& d = OpenSlot(1, 0);
    ASSERT_TRUE(d.Bit_Rdo->isChecked());
    d.Off_Rdo->setChecked(true);
    d.Bit_Rdo->click();
    EXPECT_TRUE(d.Bit_Rdo->isChecked());
    EXPECT_TRUE(d.Off_Rdo->isChecked());
}

TEST_F(SysSetTest, ClearSwitchesTheSettingOffAndEveryOtherCloseKeepsIt)
{
    TSysSet& d = OpenSlot(0, 0);
    d.DevRefTxt->setText("M9");
    d.On_Rdo->setChecked(true);
    ExpectStored(d);
    ASSERT_EQ(page.PgSysRecs[0].Ref.DevAddrCode, 0x3009);
    for (auto close : {+[](TSysSet& s) { s.reject(); }, +[](TSysSet& s) { s.CloseBtnClick(); }}) {
        TSysSet& again = OpenSlot(0, 0);
        again.DevRefTxt->setText("M1");
        close(again);
        EXPECT_FALSE(again.isVisible());
        EXPECT_EQ(page.PgSysRecs[0].Ref.DevAddrCode, 0x3009);
    }
    Bytes before;
    RecEncodeEnv enc;
    PgDataChx(page, before, 0, kEncFile, nullptr, enc);
    EXPECT_TRUE(RecordOfTag(before, kTagPgSys));
    OpenSlot(0, 0).CancelBtnClick();
    EXPECT_EQ(page.PgSysRecs[0].Ref.DevAddrCode, -1);
    Bytes after;
    PgDataChx(page, after, 0, kEncFile, nullptr, enc);
    EXPECT_FALSE(RecordOfTag(after, kTagPgSys)) << "a cleared buzzer is not stored";
}

class ValAddrTest : public SetDlgTest {};

TEST_F(ValAddrTest, APageNumberWriteStartsAtTheDefaultWordAndOkSetsIt)
{
    TFrmPLCValAddrSet& d = Open<TFrmPLCValAddrSet>(0, [](TFrmPLCValAddrSet& f) { f.Mode = 1006; });
    EXPECT_EQ(d.windowTitle(), "MmPgPageWriteSet");
    EXPECT_EQ(d.DevRefTxt->text(), "D0");
    d.BtnOKClick();
    EXPECT_TRUE(prompt.shown.empty()) << ShownText();
    EXPECT_EQ(ReadBackPage().PgNumWrite.Ref.DevAddrCode, 0x1000);
    EXPECT_EQ(state.SysClockWrite.Ref.DevAddrCode, -1);
}

TEST_F(ValAddrTest, TheClockWriteTakesOneSixteenBitWord)
{
    const std::pair<const char*, int> cases[] = {{"C200", 104}, {"M3", 17}, {"", 17}};
    for (const auto& [dev, msg] : cases) {
        SCOPED_TRACE(dev);
        prompt.shown.clear();
        TFrmPLCValAddrSet& d = Open<TFrmPLCValAddrSet>(0);
        EXPECT_EQ(d.windowTitle(), "MmClock");
        d.DevRefTxt->setText(QString::fromLatin1(dev));
        d.BtnOKClick();
        EXPECT_EQ(ShownNumbers(), std::vector<int>{msg});
        EXPECT_EQ(state.SysClockWrite.Ref.DevAddrCode, -1);
    }
    TFrmPLCValAddrSet& d = Open<TFrmPLCValAddrSet>(0);
    d.DevRefTxt->setText("C199");
    prompt.shown.clear();
    d.BtnOKClick();
    EXPECT_EQ(state.SysClockWrite.Ref.DevAddrCode, 0x1200 + 199);
    ASSERT_TRUE(RecordOfTag(BuildHeaderBytes(state), kTagClockWrite));
    Open<TFrmPLCValAddrSet>(0).BtnCancelClick();
    EXPECT_FALSE(RecordOfTag(BuildHeaderBytes(state), kTagClockWrite));
}

TEST_F(ValAddrTest, WithoutAnActivePageThePageNumberWriteStoresNothing)
{
    ctx.Page = nullptr;
    TFrmPLCValAddrSet& d = Open<TFrmPLCValAddrSet>(0, [](TFrmPLCValAddrSet& f) { f.Mode = 1006; });
    EXPECT_FALSE(d.BtnOK->isEnabled());
    EXPECT_FALSE(d.BtnCancel->isEnabled());
    d.BtnOKClick();
    d.BtnCancelClick();
    EXPECT_EQ(state.SysClockWrite.Ref.DevAddrCode, -1);
    EXPECT_EQ(state.Modified, 0);
}

class ParaSetTest : public SetDlgTest {
protected:
    ParaSetTest()
    {
        ctx.ClearAllPgJumps = [this] { ++cleared; };
        ctx.SetMenuEnabled = [this](const char* item, bool on) { enabled.emplace_back(item, on); };
    }
    int cleared = 0;
    std::vector<std::pair<std::string, bool>> enabled;
};

TEST_F(ParaSetTest, OnlyYesWithAValidWordStoresTheRegisterAndDeletesThePageChanges)
{
    struct Case {
        Answer answer;
        const char* dev;
        bool open; // the dialog stays open
        bool stored;
    } cases[] = {
        {Answer::No, "D40", false, false},
        {Answer::Cancel, "D40", true, false},
        {Answer::Yes, "Q1", true, false},
        {Answer::Yes, " D40 ", false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dev);
        TFrmParaSet& d = Open<TFrmParaSet>(0);
        EXPECT_EQ(d.DevRefTxt->text(), "D0");
        EXPECT_FALSE(d.EditStateRange->isEnabled());
        d.DevRefTxt->setText(QString::fromLatin1(c.dev));
        prompt.answers = {c.answer};
        prompt.shown.clear();
        d.BtnOKClick();
        EXPECT_EQ(d.isVisible(), c.open);
        EXPECT_EQ(ShownNumbers().front(), 303);
        EXPECT_EQ(state.ParaDataSetDefined(), c.stored);
        EXPECT_EQ(cleared, c.stored ? 1 : 0);
    }
    const auto rec = RecordOfTag(BuildHeaderBytes(state), kTagParaDataSet);
    ASSERT_TRUE(rec);
    EXPECT_EQ(GetU32be(*rec, layout::ParaDataSet::Ref), 0x1000u + 40);
    EXPECT_EQ(GetU32be(*rec, layout::ParaDataSet::RegisterCount), 2u);
}

TEST_F(ParaSetTest, ClearGivesThePageChangeCommandsBackAndLeavesNoSection)
{
    state.ParaDataSet.Ref.DevAddrCode = 0x1000;
    state.ParaDataSet.RegisterCount = 5;
    Open<TFrmParaSet>(0).BtnCancelClick();
    EXPECT_FALSE(state.ParaDataSetDefined());
    EXPECT_EQ(state.ParaDataSet.RegisterCount, 2);
    EXPECT_EQ(enabled, (std::vector<std::pair<std::string, bool>>{{"MmSysPgChgSet", true}, {"MmPgJump", true}}));
    EXPECT_FALSE(RecordOfTag(BuildHeaderBytes(state), kTagParaDataSet));
    EXPECT_EQ(cleared, 0);
}

} // namespace
} // namespace kes::test
