// The curve dialog on a trend curve (kind 14) and an X-Y curve (kind 15): each range failure
// names the limit by its label; an empty limit is refused before anything is stored; the trend
// curve's horizontal range is neither checked nor stored; a word range that needs 32 bits is
// no address for a curve; what OK stores reaches the record.
#include "objdlgtest.h"

#include "app/dialogs/tcurveset.h"
#include "objects/tlxcurve.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include <functional>

namespace kes::test {
namespace {

class CurveSetTest : public ObjDialogTest {
protected:
    template <class C> TCurveSet& Open(C& curve)
    {
        dlg = std::make_unique<TCurveSet>(ctx, nullptr, curve);
        dlg->show();
        return *dlg;
    }
    static QString Error(const char* labels) { return QString::fromLatin1(labels) + " " + M(5); }

    TLxCurve trend;
    TLxXyCurve xy;
    std::unique_ptr<TCurveSet> dlg;
};

TEST_F(CurveSetTest, EachRangeFailureNamesItsLimit)
{
    struct Case {
        const char* name;
        std::function<void(TCurveSet&)> setup;
        QString message;
    };
    const Case cases[] = {
        {"empty vertical maximum", [](TCurveSet& d) { d.VMax_Txt->clear(); }, Error("Vertical maximum")},
        {"vertical minimum beyond 16 bits", [](TCurveSet& d) { d.VMin_Txt->setText("70000"); },
         Error("Vertical minimum")},
        {"negative vertical minimum", [](TCurveSet& d) { d.VMin_Txt->setText("-1"); }, Error("Vertical minimum")},
        {"vertical maximum below the minimum",
         [](TCurveSet& d) {
             d.VMax_Txt->setText("5");
             d.VMin_Txt->setText("6");
         },
         Error("Vertical maximum/Vertical minimum")},
        {"empty horizontal minimum", [](TCurveSet& d) { d.HMin_Txt->clear(); }, Error("Horizontal minimum")},
        {"horizontal maximum below the minimum",
         [](TCurveSet& d) {
             d.HMax_Txt->setText("0");
             d.HMin_Txt->setText("1");
         },
         Error("Horizontal maximum/Horizontal minimum")},
        {"vertical before horizontal",
         [](TCurveSet& d) {
             d.VMax_Txt->clear();
             d.HMax_Txt->clear();
         },
         Error("Vertical maximum")},
        {"unknown device", [](TCurveSet& d) { d.DevRefTxt->setText("X5"); }, M(17)},
        {"a word that needs 32 bits", [](TCurveSet& d) { d.DevRefTxt->setText("C201"); }, M(17)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.setup(Open(xy));
        ExpectRefused(*dlg, xy, c.message);
    }
}

TEST_F(CurveSetTest, OkStoresTheRangesAndTheAddress)
{
    TCurveSet& d = Open(xy);
    EXPECT_EQ(d.windowTitle(), M(204) + " " + M(101));
    EXPECT_TRUE(d.HMax_Txt->isEnabled());
    d.DevRefTxt->setText("D20");
    d.VMax_Txt->setText("500");
    d.VMin_Txt->setText("500"); // equal limits are not below
    d.HMax_Txt->setText("65535");
    d.HMin_Txt->setText(" 10 ");
    ExpectStored(d);
    EXPECT_EQ(xy.DevText, "D20");
    EXPECT_EQ(xy.DevAddrCode, 0x1014);
    EXPECT_EQ(xy.CurveMax, 500);
    EXPECT_EQ(xy.CurveMin, 500);
    EXPECT_EQ(xy.XMax, 65535);
    EXPECT_EQ(xy.XMin, 10);
    // 14 ref | 23 u16 points | 25 flags | 26 u16 min | 28 u16 max | 30 u16 x min | 32 u16 x max
    const Bytes rec = RecordOf(xy);
    ASSERT_EQ(rec.size(), 34u);
    EXPECT_EQ(GetU32be(rec, 14), 0x1014u);
    EXPECT_EQ(GetU16be(rec, 23), 2);
    EXPECT_EQ(GetU16be(rec, 26), 500);
    EXPECT_EQ(GetU16be(rec, 28), 500);
    EXPECT_EQ(GetU16be(rec, 30), 10);
    EXPECT_EQ(GetU16be(rec, 32), 65535);
}

TEST_F(CurveSetTest, TheTrendCurvesHorizontalRangeIsNeitherCheckedNorStored)
{
    trend.DevText = "d7"; // shown as stored, not formatted again
    TCurveSet& d = Open(trend);
    EXPECT_EQ(d.windowTitle(), M(204) + " " + M(100));
    EXPECT_EQ(d.DevRefTxt->text(), "d7");
    for (QWidget* w : std::initializer_list<QWidget*>{d.HMax_Txt, d.HMin_Txt, d.HMax_Lab, d.HMin_Lab})
        EXPECT_FALSE(w->isEnabled());
    EXPECT_FALSE(d.GroupBox1->isVisible());
    d.HMax_Txt->setText("x");
    d.VMax_Txt->setText("200");
    ExpectStored(d);
    EXPECT_EQ(trend.CurveMax, 200);
    EXPECT_EQ(trend.DevText, "d7");
    EXPECT_EQ(trend.DevAddrCode, 0x1007);
    EXPECT_EQ(RecordOf(trend).size(), 30u);
}

TEST_F(CurveSetTest, CancelAfterChangesLeavesTheRecordByteForByte)
{
    const Bytes before = RecordOf(xy);
    TCurveSet& d = Open(xy);
    d.DevRefTxt->setText("D99");
    d.VMax_Txt->setText("1");
    d.HMin_Txt->setText("0");
    ExpectCancelKeeps(d, xy, before);
}

} // namespace
} // namespace kes::test
