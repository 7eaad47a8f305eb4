// The meter dialog on a circular meter (kind 9) and a square meter (kind 10): the first
// failing check gives its message and leaves the meter as it was; division counts beyond a
// byte are refused; the meter reads one 16-bit word, so an address that needs 32 bits is
// refused; BCD limits are kept as the numbers typed; what OK stores reaches the record.
#include "objdlgtest.h"

#include "app/dialogs/tmeterset.h"
#include "objects/tcirmeter.h"
#include "objects/trectmeter.h"
#include "objects/valformat.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include <functional>

namespace kes::test {
namespace {

class MeterSetTest : public ObjDialogTest {
public:
    MeterSetTest() { FreshMeter(); }
    // A new circular meter on D10; the dialog on the old one goes first.
    void FreshMeter()
    {
        dlg.reset();
        meter_ = std::make_unique<TCirMeter>();
        meter_->DevAddrCode = 0x100A;
        meter_->DevText = "D10";
    }
    TCirMeter& Meter() { return *meter_; }
    TMeterSet& Open()
    {
        dlg = std::make_unique<TMeterSet>(ctx, nullptr, Meter());
        dlg->show();
        return *dlg;
    }
    void ChooseType(int t)
    {
        dlg->ValType_Box->setCurrentIndex(t);
        dlg->ValType_BoxChange();
    }
    std::unique_ptr<TMeterSet> dlg;

private:
    std::unique_ptr<TCirMeter> meter_;
};

struct CheckCase {
    const char* name;
    std::function<void(TMeterSet&)> setup;
    int msg;
};

TEST_F(MeterSetTest, TheFirstFailingCheckGivesItsMessageAndLeavesTheMeter)
{
    const CheckCase cases[] = {
        {"main scale 1", [](TMeterSet& d) { d.MainS_Txt->setText("1"); }, 56},
        {"main scale empty", [](TMeterSet& d) { d.MainS_Txt->clear(); }, 56},
        {"main scale 256", [](TMeterSet& d) { d.MainS_Txt->setText("256"); }, 56},
        {"main scale 257", [](TMeterSet& d) { d.MainS_Txt->setText("257"); }, 56},
        {"main scale and address both wrong",
         [](TMeterSet& d) {
             d.MainS_Txt->setText("1");
             d.DevRefTxt->setText("X5");
         },
         56},
        {"sub scale -1", [](TMeterSet& d) { d.SubS_Txt->setText("-1"); }, 57},
        {"sub scale 300", [](TMeterSet& d) { d.SubS_Txt->setText("300"); }, 57},
        {"3 + 3 digits",
         [](TMeterSet& d) {
             d.Int_Box->setCurrentIndex(2);
             d.Dec_Box->setCurrentIndex(3);
         },
         87},
        {"unknown device", [](TMeterSet& d) { d.DevRefTxt->setText("X5"); }, 17},
        {"a bit device", [](TMeterSet& d) { d.DevRefTxt->setText("M5"); }, 17},
        {"a word that needs 32 bits", [](TMeterSet& d) { d.DevRefTxt->setText("C201"); }, 104},
        {"maximum beyond 16 bits", [](TMeterSet& d) { d.Max_Txt->setText("70000"); }, 0},
        {"empty maximum", [](TMeterSet& d) { d.Max_Txt->clear(); }, 0},
        {"minimum no number", [](TMeterSet& d) { d.Min_Txt->setText("abc"); }, 1},
        {"maximum longer than the digits",
         [](TMeterSet& d) {
             d.Int_Box->setCurrentIndex(1);
             d.Max_Txt->setText("500");
         },
         0},
        {"minimum longer than the digits",
         [](TMeterSet& d) {
             d.Int_Box->setCurrentIndex(1);
             d.Max_Txt->setText("50");
             d.Min_Txt->setText("100");
         },
         1},
        {"maximum below minimum",
         [](TMeterSet& d) {
             d.Max_Txt->setText("5");
             d.Min_Txt->setText("10");
         },
         2},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.name);
        TMeterSet& d = Open();
        d.Max_Txt->setText("100");
        d.Min_Txt->setText("0");
        c.setup(d);
        ExpectRefused(d, Meter(), c.msg);
    }
}

TEST_F(MeterSetTest, OkStoresTheFieldsIntoTheMeterAndItsRecord)
{
    struct Case {
        const char* name;
        std::function<void(MeterSetTest&, TMeterSet&)> setup;
        std::uint8_t type;
        std::uint16_t max, min;
        std::uint8_t main, sub, style, intDigits, decDigits;
    };
    using T = MeterSetTest;
    const Case cases[] = {
        {"counts 2 and 0, a 360-degree dial",
         [](T&, TMeterSet& d) {
             d.MainS_Txt->setText("2");
             d.SubS_Txt->setText("0");
             kes::SetRadioGroupIndex(d.StyleGp, 1);
         },
         0, 100, 0, 2, 0, 1, 3, 0},
        {"counts 255, signed limits",
         [](T& t, TMeterSet& d) {
             t.ChooseType(1);
             d.MainS_Txt->setText("255");
             d.SubS_Txt->setText("255");
             d.Max_Txt->setText(" 100 ");
             d.Min_Txt->setText("-100");
         },
         1, 100, 0xFF9C, 255, 255, 0, 3, 0},
        {"BCD 9999 is kept as the number typed",
         [](T& t, TMeterSet& d) {
             t.ChooseType(3);
             d.Int_Box->setCurrentIndex(3);
             d.Max_Txt->setText("9999");
         },
         3, 9999, 0, 3, 2, 0, 4, 0},
        {"hexadecimal",
         [](T& t, TMeterSet& d) {
             t.ChooseType(2);
             d.Int_Box->setCurrentIndex(3);
             d.Max_Txt->setText("ff");
         },
         2, 0xFF, 0, 3, 2, 0, 4, 0},
        {"3 + 2 digits",
         [](T&, TMeterSet& d) {
             d.Int_Box->setCurrentIndex(2);
             d.Dec_Box->setCurrentIndex(2);
             d.Max_Txt->setText("500");
         },
         0, 500, 0, 3, 2, 0, 3, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        state.Modified = 0;
        FreshMeter();
        TMeterSet& d = Open();
        d.DevRefTxt->setText(" d12 ");
        d.Font_Box->setCurrentIndex(2);
        c.setup(*this, d);
        ExpectStored(d);
        EXPECT_EQ(Meter().DevText, "D12");
        EXPECT_EQ(Meter().DevAddrCode, 0x100C);
        EXPECT_EQ(Meter().ValType, c.type);
        EXPECT_EQ(Meter().FullCircle, c.style);
        EXPECT_EQ(Meter().fontsize, 2);

        // 14 ref | 23 type | 24 u16 max | 26 u16 min | 28 main | 29 sub | 30 dial | 31 int | 32 dec
        const Bytes rec = RecordOf(Meter());
        ASSERT_GE(rec.size(), 33u);
        EXPECT_EQ(GetU32be(rec, 14), 0x100Cu);
        EXPECT_EQ(rec[23], c.type);
        EXPECT_EQ(GetU16be(rec, 24), c.max);
        EXPECT_EQ(GetU16be(rec, 26), c.min);
        EXPECT_EQ(rec[28], c.main);
        EXPECT_EQ(rec[29], c.sub);
        EXPECT_EQ(rec[30], c.style);
        EXPECT_EQ(rec[31], c.intDigits);
        EXPECT_EQ(rec[32], c.decDigits);
    }
    // The BCD limit reads back as typed.
    Meter().ValType = kes::FormatCode(kes::ValFormat::Bcd);
    Meter().MeterMax = 9999;
    EXPECT_EQ(Open().Max_Txt->text(), "9999");
}

TEST_F(MeterSetTest, ChoosingATypeRefillsTheLimitsAndFitsTheDecimals)
{
    struct Case {
        int type;
        const char* max;
        const char* min;
        bool decimals;
    };
    const Case cases[] = {
        {0, "65535", "0", true}, {1, "32767", "-32768", true}, {2, "FFFF", "0", false}, {3, "9999", "0", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        TMeterSet& d = Open();
        d.Dec_Box->setCurrentIndex(2);
        ChooseType(c.type);
        EXPECT_EQ(d.Max_Txt->text(), c.max);
        EXPECT_EQ(d.Min_Txt->text(), c.min);
        EXPECT_EQ(d.Dec_Box->isEnabled(), c.decimals);
        EXPECT_EQ(d.Dec_Lab->isEnabled(), c.decimals);
        EXPECT_EQ(d.Dec_Box->currentIndex(), c.decimals ? 2 : 0);
    }
}

TEST_F(MeterSetTest, TheSquareMeterHasNoDialChoice)
{
    TRectMeter rect;
    rect.MeterMax = 50;
    TMeterSet d(ctx, nullptr, rect);
    d.show();
    EXPECT_FALSE(d.StyleGp->isEnabled());
    EXPECT_EQ(d.Max_Txt->text(), "50");
    d.ValType_Box->setCurrentIndex(1);
    d.Max_Txt->setText("40");
    d.Min_Txt->setText("-40");
    d.MainS_Txt->setText("4");
    ExpectStored(d);
    EXPECT_EQ(rect.ValType, 1);
    EXPECT_EQ(rect.MeterMax, 40);
    EXPECT_EQ(rect.MeterMin, -40);
    EXPECT_EQ(rect.MajorTicks, 4);
    EXPECT_TRUE(RecordOf(rect).empty()) << "the square meter keeps no record";
}

TEST_F(MeterSetTest, CancelAfterChangesLeavesTheRecordByteForByte)
{
    const Bytes before = RecordOf(Meter());
    TMeterSet& d = Open();
    ChooseType(2);
    d.DevRefTxt->setText("D99");
    d.MainS_Txt->setText("9");
    kes::SetRadioGroupIndex(d.StyleGp, 1);
    d.Font_Box->setCurrentIndex(3);
    ExpectCancelKeeps(d, Meter(), before);
}

} // namespace
} // namespace kes::test
