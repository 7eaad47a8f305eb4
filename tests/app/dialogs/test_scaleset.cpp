// The scale dialog: its checks stop at the first failure with that check's message and leave
// the scale's record as it was; division counts beyond a byte are refused rather than cut to
// their low bits (257 would become 1 and divide by zero when the ticks are spaced); what OK
// stores reaches the scale's record.
#include "objdlgtest.h"

#include "app/dialogs/tscaleset.h"
#include "objects/tscale.h"

#include <QComboBox>
#include <QLineEdit>

namespace kes::test {
namespace {

class ScaleSetTest : public ObjDialogTest {
protected:
    TScaleSet& Open()
    {
        dlg = std::make_unique<TScaleSet>(ctx, nullptr, scale);
        dlg->show();
        return *dlg;
    }
    TScale scale;
    std::unique_ptr<TScaleSet> dlg;
};

struct ScaleFields {
    const char* main = "5";
    const char* sub = "2";
    const char* max = "100";
    const char* min = "0";
    int len = 0;
};

void Fill(TScaleSet& d, const ScaleFields& f)
{
    d.Main_Txt->setText(f.main);
    d.Sub_Txt->setText(f.sub);
    d.Max_Txt->setText(f.max);
    d.Min_Txt->setText(f.min);
    d.ValLen_Box->setCurrentIndex(f.len);
}

TEST_F(ScaleSetTest, TheFirstFailingCheckGivesItsMessageAndLeavesTheScale)
{
    struct Case {
        ScaleFields f;
        int msg;
    };
    const Case cases[] = {
        {{.main = "1"}, 56},
        {{.main = ""}, 56},
        {{.main = "256"}, 56},
        {{.main = "257"}, 56},
        {{.main = "x"}, 56},
        {{.main = "1", .max = ""}, 56}, // two failures: only the first
        {{.sub = "-1"}, 57},
        {{.sub = ""}, 57},
        {{.sub = "256"}, 57},
        {{.max = "", .min = ""}, 58}, // before any range test
        {{.min = ""}, 59},
        {{.max = "40000"}, 0}, // signed 16 bits
        {{.max = "abc"}, 0},
        {{.min = "-40000"}, 1},
        {{.max = "5", .min = "10"}, 2},
        {{.max = "-1", .min = "0", .len = 1}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.f.main) + "/" + c.f.sub + "/" + c.f.max + "/" + c.f.min);
        Fill(Open(), c.f);
        ExpectRefused(*dlg, scale, c.msg);
    }
}

TEST_F(ScaleSetTest, OkStoresTheFieldsIntoTheScaleAndItsRecord)
{
    struct Case {
        ScaleFields f;
        int dir, side, font;
        std::uint8_t layout, main, sub;
        std::int32_t max, min;
    };
    const Case cases[] = {
        {{.main = "2", .sub = "0"}, 0, 0, 0, 0x00, 2, 0, 100, 0},
        {{.main = "255", .sub = "255", .max = "32767", .min = "-32768"}, 3, 1, 2, 0x13, 255, 255, 32767, -32768},
        {{.main = " 7 ", .max = "100000", .min = "-5", .len = 1}, 2, 0, 3, 0x02, 7, 2, 100000, -5},
        {{.max = "50", .min = "50"}, 1, 1, 1, 0x11, 5, 2, 50, 50},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.main);
        state.Modified = 0;
        TScaleSet& d = Open();
        Fill(d, c.f);
        d.Dir_Box->setCurrentIndex(c.dir);
        d.Side_Box->setCurrentIndex(c.side);
        d.Font_Box->setCurrentIndex(c.font);
        ExpectStored(d);
        EXPECT_EQ(scale.ScaleDir, c.layout);
        EXPECT_EQ(scale.MainDiv, c.main);
        EXPECT_EQ(scale.SubDiv, c.sub);
        EXPECT_EQ(scale.ScaleMax, c.max);
        EXPECT_EQ(scale.ScaleMin, c.min);
        EXPECT_EQ(scale.ValLen, c.f.len);
        EXPECT_EQ(scale.fontsize, c.font);

        // 14 layout | 15 main | 16 sub | 17 u32 max | 21 u32 min | 25 option | 26 length
        const Bytes rec = RecordOf(scale);
        ASSERT_GE(rec.size(), 27u);
        EXPECT_EQ(rec[14], c.layout);
        EXPECT_EQ(rec[15], c.main);
        EXPECT_EQ(rec[16], c.sub);
        EXPECT_EQ(GetU32be(rec, 17), static_cast<std::uint32_t>(c.max));
        EXPECT_EQ(GetU32be(rec, 21), static_cast<std::uint32_t>(c.min));
        EXPECT_EQ(rec[26], c.f.len);

        // The next opening shows what was stored.
        TScaleSet& again = Open();
        EXPECT_EQ(again.Dir_Box->currentIndex(), c.dir);
        EXPECT_EQ(again.Side_Box->currentIndex(), c.side);
        EXPECT_EQ(again.Main_Txt->text().toInt(), c.main);
        EXPECT_EQ(again.Max_Txt->text(), QString::number(c.max));
    }
}

TEST_F(ScaleSetTest, CancelAfterChangesLeavesTheRecordByteForByte)
{
    const Bytes before = RecordOf(scale);
    TScaleSet& d = Open();
    Fill(d, {.main = "9", .sub = "3", .max = "7", .min = "-7", .len = 1});
    d.Dir_Box->setCurrentIndex(3);
    d.Font_Box->setCurrentIndex(3);
    ExpectCancelKeeps(d, scale, before);
}

} // namespace
} // namespace kes::test
