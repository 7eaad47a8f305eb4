// The bar graph and numeric display dialogs: OK stores what the controls show, and a page
// read back from the object's record holds it; the first failing check gives its message
// with the object untouched; Cancel leaves the record as it was.
#include "pageobjtest.h"

#include "app/dialogs/tprogbarset.h"
#include "app/dialogs/tvalstaset.h"
#include "objects/tlxval.h"
#include "objects/tprogbar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace kes::test {
namespace {

class ValueSets : public PageObjTest {
protected:
    TProgBar& Bar()
    {
        auto& b = Put<TProgBar>();
        b.DevAddrCode = 0x100A;
        b.DevText = "D10";
        return b;
    }
    TLxVal& Display()
    {
        auto& v = Put<TLxVal>();
        v.DevAddrCode = 0x100A;
        v.DevText = "D10";
        return v;
    }
    static void Choose(QComboBox* box, int i, const std::function<void()>& handler)
    {
        box->setCurrentIndex(i);
        handler();
    }
};

TEST_F(ValueSets, BarGraphStoresItsSettingsAndReadsBack)
{
    TProgBar& bar = Bar();
    auto& d = OpenOn<TProgBarSet>(bar);
    EXPECT_EQ(d.DevRefTxt->text(), "D10");
    // The stored limits show, not the type's range.
    EXPECT_EQ(d.Max_Txt->text(), "9999");
    EXPECT_EQ(d.Min_Txt->text(), "0");

    struct Range {
        int type, len;
        const char* max;
        const char* min;
    } ranges[] = {
        {0, 0, "65535", "0"}, {1, 1, "2147483647", "-2147483648"}, {2, 0, "FFFF", "0"}, {3, 1, "99999999", "0"}};
    for (const Range& r : ranges) {
        d.ValType_Box->setCurrentIndex(r.type);
        Choose(d.ValLen_Box, r.len, [&] { d.ValType_BoxChange(); });
        EXPECT_EQ(d.Max_Txt->text(), r.max) << r.type << "/" << r.len;
        EXPECT_EQ(d.Min_Txt->text(), r.min) << r.type << "/" << r.len;
    }

    Choose(d.ValType_Box, 1, [&] { d.ValType_BoxChange(); });
    d.DevRefTxt->setText("d20");
    d.Max_Txt->setText(" 500 ");
    d.Min_Txt->setText("-500");
    d.Pos_Box->setCurrentIndex(3);
    ExpectStored(d);
    EXPECT_EQ(bar.DevText, "D20"); // typed in lower case, stored upper-cased

    const TProgBar& back = ReadBack<TProgBar>(bar);
    EXPECT_EQ(back.DevAddrCode, 0x1014);
    EXPECT_EQ(back.ValType, 1);
    EXPECT_EQ(back.ValLen, 1);
    EXPECT_EQ(back.BarMax, 500);
    EXPECT_EQ(back.BarMin, -500);
    EXPECT_EQ(back.ProgBarDirect, 3);
}

TEST_F(ValueSets, BarGraphChecksInOrder)
{
    struct Case {
        const char* name;
        std::function<void(TProgBarSet&)> setup;
        int msg;
    } cases[] = {
        {"no device of that name", [](TProgBarSet& d) { d.DevRefTxt->setText("X5"); }, 17},
        {"a bit device", [](TProgBarSet& d) { d.DevRefTxt->setText("M5"); }, 17},
        {"a 32-bit-only word with 16 bits", [](TProgBarSet& d) { d.DevRefTxt->setText("C201"); }, 104},
        {"maximum past 16 bits", [](TProgBarSet& d) { d.Max_Txt->setText("70000"); }, 0},
        {"maximum past 16 bits and a bad minimum: only the first",
         [](TProgBarSet& d) {
             d.Max_Txt->setText("70000");
             d.Min_Txt->setText("x");
         },
         0},
        {"minimum no number", [](TProgBarSet& d) { d.Min_Txt->setText("x"); }, 1},
        {"maximum below minimum",
         [](TProgBarSet& d) {
             d.Max_Txt->setText("100");
             d.Min_Txt->setText("200");
         },
         2},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        TProgBar& bar = Bar();
        auto& d = OpenOn<TProgBarSet>(bar);
        k.setup(d);
        ExpectRefused(d, bar, k.msg);
    }
}

TEST_F(ValueSets, NumericDisplayStoresEachTypesDigits)
{
    struct Case {
        const char* name;
        int type, len, intBox, decBox;
        bool zeros;
        int valType, valLen, intNum, decNum;
    } cases[] = {
        {"signed 32 bits, 6.2", 1, 1, 5, 2, true, 1, 1, 6, 2},
        {"binary: 16 digits, one word, whatever the boxes showed", 5, 1, 2, 3, false, 5, 0, 16, 0},
        {"floating: two words, stored as 7", 6, 0, 9, 5, false, 7, 1, 10, 5},
        {"hexadecimal 32 bits, 8 digits", 2, 1, 7, 0, false, 2, 1, 8, 0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        TLxVal& val = Display();
        auto& d = OpenOn<TValStaSet>(val);
        Choose(d.ValLen_Box, k.len, [&] { d.ValLen_BoxChange(); });
        Choose(d.ValType_Box, k.type, [&] { d.ValType_BoxChange(); });
        if (d.Int_Box->isEnabled())
            d.Int_Box->setCurrentIndex(k.intBox);
        if (d.Dec_Box->isEnabled())
            d.Dec_Box->setCurrentIndex(k.decBox);
        d.HZeroBtn->setChecked(k.zeros);
        d.HPos_Box->setCurrentIndex(1);
        d.Frame_Box->setCurrentIndex(2);
        d.Font_Box->setCurrentIndex(3);
        ExpectStored(d);
        const TLxVal& back = ReadBack<TLxVal>(val);
        EXPECT_EQ(back.ValType, k.valType);
        EXPECT_EQ(back.ValLen, k.valLen);
        EXPECT_EQ(back.IntNum, k.intNum);
        EXPECT_EQ(back.DecNum, k.decNum);
        EXPECT_EQ(back.HZero, k.zeros ? 2 : 0);
        EXPECT_EQ(back.HPos, 1);
        EXPECT_EQ(back.ObjFrame, 2);
        EXPECT_EQ(back.fontsize, 3);
        EXPECT_EQ(back.DevAddrCode, 0x100A);
    }
}

TEST_F(ValueSets, NumericDisplayDigitBoxesFollowTheType)
{
    TLxVal& val = Display();
    auto& d = OpenOn<TValStaSet>(val);
    EXPECT_EQ(d.Int_Box->currentIndex(), 4);
    // ASCII shows at most 4 digits a word: 5 chosen before becomes 4.
    Choose(d.ValType_Box, 4, [&] { d.ValType_BoxChange(); });
    EXPECT_EQ(d.Int_Box->currentIndex(), 3);
    EXPECT_FALSE(d.Dec_Box->isEnabled());
    Choose(d.ValType_Box, 6, [&] { d.ValType_BoxChange(); });
    EXPECT_TRUE(d.ValLen_Box->isHidden());
    EXPECT_TRUE(d.Dec_Box->isEnabled());
    Choose(d.ValType_Box, 5, [&] { d.ValType_BoxChange(); });
    EXPECT_FALSE(d.Int_Box->isEnabled());
    EXPECT_EQ(d.Int_Box->currentIndex(), -1);
    EXPECT_FALSE(d.ValLen_Box->isHidden());
    EXPECT_FALSE(d.ValLen_Box->isEnabled());
    // Back to a decimal type: the digit boxes take their first counts again.
    Choose(d.ValType_Box, 0, [&] { d.ValType_BoxChange(); });
    EXPECT_EQ(d.Int_Box->currentIndex(), 4);
    EXPECT_EQ(d.Dec_Box->currentIndex(), 0);
}

TEST_F(ValueSets, NumericDisplayChecksInOrder)
{
    auto type = [](TValStaSet& d, int t) {
        d.ValType_Box->setCurrentIndex(t);
        d.ValType_BoxChange();
    };
    struct Case {
        const char* name;
        std::function<void(TValStaSet&)> setup;
        int msg;
    } cases[] = {
        {"no such device", [](TValStaSet& d) { d.DevRefTxt->setText("Q1"); }, 17},
        {"a 32-bit-only word with 16 bits", [](TValStaSet& d) { d.DevRefTxt->setText("C201"); }, 104},
        {"unsigned 32 bits, 8 + 3 digits",
         [](TValStaSet& d) {
             d.ValLen_Box->setCurrentIndex(1);
             d.Int_Box->setCurrentIndex(7);
             d.Dec_Box->setCurrentIndex(3);
         },
         87},
        {"signed 16 bits, 4 + 2 digits",
         [&](TValStaSet& d) {
             type(d, 1);
             d.Int_Box->setCurrentIndex(3);
             d.Dec_Box->setCurrentIndex(2);
         },
         87},
        {"floating with 9 decimals",
         [&](TValStaSet& d) {
             type(d, 6);
             d.Dec_Box->setCurrentIndex(9);
         },
         87},
        {"BCD 16 bits: 5 digits",
         [&](TValStaSet& d) {
             type(d, 3);
             d.Int_Box->setCurrentIndex(4);
         },
         87},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        TLxVal& val = Display();
        auto& d = OpenOn<TValStaSet>(val);
        k.setup(d);
        ExpectRefused(d, val, k.msg);
    }
}

// A floating value is two words: its address is checked as one (a 32-bit-only word passes).
TEST_F(ValueSets, FloatingDisplayChecksItsAddressAsTwoWords)
{
    TLxVal& val = Display();
    auto& d = OpenOn<TValStaSet>(val);
    Choose(d.ValType_Box, 6, [&] { d.ValType_BoxChange(); });
    d.DevRefTxt->setText("C201");
    ExpectStored(d);
    EXPECT_EQ(val.ValLen, 1);
}

TEST_F(ValueSets, AFlashingDisplayStaysFlashing)
{
    TLxVal& val = Display();
    val.HZero = 1;
    auto& d = OpenOn<TValStaSet>(val);
    EXPECT_TRUE(d.ShineBtn->isChecked());
    ExpectStored(d);
    EXPECT_EQ(val.HZero, 1);
}

TEST_F(ValueSets, CancelAfterChangesLeavesTheRecord)
{
    TProgBar& bar = Bar();
    const Bytes barBefore = RecordOf(bar);
    auto& b = OpenOn<TProgBarSet>(bar);
    Choose(b.ValType_Box, 2, [&] { b.ValType_BoxChange(); });
    b.DevRefTxt->setText("D99");
    b.Pos_Box->setCurrentIndex(2);
    b.ValStCancelClick();
    EXPECT_EQ(RecordOf(bar), barBefore);

    TLxVal& val = Display();
    const Bytes valBefore = RecordOf(val);
    auto& v = OpenOn<TValStaSet>(val);
    Choose(v.ValType_Box, 5, [&] { v.ValType_BoxChange(); });
    v.Frame_Box->setCurrentIndex(4);
    v.HZeroBtn->setChecked(true);
    v.ValStCancelClick();
    EXPECT_EQ(RecordOf(val), valBefore);
    EXPECT_EQ(state.Modified, 0);
}

} // namespace
} // namespace kes::test
