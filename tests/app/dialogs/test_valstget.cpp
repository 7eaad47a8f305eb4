// The numeric input dialog: OK stores the three addresses, the value format, digits and
// limits, the key, level and appearance, and a page read back from the record holds them (the
// notify order and state each in its own byte);
// the checks run in their fixed order and the first failure leaves the object and the page's
// key flags untouched; key choices the page holds are refused when chosen.
#include "pageobjtest.h"

#include "app/dialogs/tvalstget.h"
#include "objects/tlxgetval.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>

namespace kes::test {
namespace {

class ValStGetTest : public PageObjTest {
protected:
    TLxGetVal& Entry() { return Put<TLxGetVal>(); }
    TValStGet& Open(TLxGetVal& e) { return OpenOn<TValStGet>(e); }
    static void Type(TValStGet& d, int item)
    {
        d.ValType_Box->setCurrentIndex(item);
        d.ValType_BoxChange();
    }
    static void Length(TValStGet& d, int len)
    {
        d.ValLen_Box->setCurrentIndex(len);
        d.ValLen_BoxChange();
    }
    static void Tick(QCheckBox* box, const std::function<void()>& handler)
    {
        box->setChecked(true);
        handler();
    }
};

TEST_F(ValStGetTest, ANewEntryLoadsItsDefaults)
{
    TLxGetVal& e = Entry();
    auto& d = Open(e);
    EXPECT_EQ(d.DevWriteTxt->text(), "D0");
    EXPECT_FALSE(d.DevRd_Chk->isChecked());
    EXPECT_FALSE(d.DevReadTxt->isEnabled());
    EXPECT_FALSE(d.RefKey_Chk->isChecked());
    EXPECT_EQ(d.RefKey_Box->currentIndex(), -1);
    EXPECT_EQ(d.ValType_Box->currentIndex(), 0);
    EXPECT_EQ(d.Max_Txt->text(), "65535");
    EXPECT_EQ(d.Min_Txt->text(), "0");
    EXPECT_EQ(d.Int_Box->currentIndex(), 4);
    EXPECT_EQ(d.HPos_Box->currentIndex(), 2);
    EXPECT_TRUE(d.PassTxt->text().isEmpty());
}

TEST_F(ValStGetTest, OkStoresWhatReadsBack)
{
    TLxGetVal& e = Entry();
    state.UserPasswords[0].Level = 0;
    auto& d = Open(e);
    Type(d, 1);
    Length(d, 1);
    d.Int_Box->setCurrentIndex(5);
    d.Dec_Box->setCurrentIndex(2);
    d.Max_Txt->setText(" 12345678 ");
    d.Min_Txt->setText("-500");
    d.DevWriteTxt->setText("D20");
    Tick(d.DevRd_Chk, [&] { d.DevRd_ChkClick(); });
    EXPECT_EQ(d.DevReadTxt->text(), "D20");
    d.DevReadTxt->setText("D30");
    Tick(d.Call_Chk, [&] { d.Call_ChkClick(); });
    d.DevCallTxt->setText("M7");
    SetRadioGroupIndex(d.CallOrderGp, 1);
    SetRadioGroupIndex(d.CallStateGp, 1);
    Tick(d.RefKey_Chk, [&] { d.RefKey_ChkClick(); });
    d.RefKey_Box->setCurrentIndex(3);
    d.RefKey_BoxChange();
    // No slot carries level 3: the level is stored all the same.
    d.ComboBox_UserLevel->setCurrentIndex(3);
    d.Frame_Box->setCurrentIndex(2);
    d.Font_Box->setCurrentIndex(1);
    d.HPos_Box->setCurrentIndex(0);
    d.VPos_Box->setCurrentIndex(1);
    ExpectStored(d);
    EXPECT_EQ(page.ObjFunKeyUsed[3], 1);

    const TLxGetVal& back = ReadBack<TLxGetVal>(e);
    EXPECT_EQ(back.WriteDev.DevAddrCode, 0x1014);
    EXPECT_EQ(back.ReadUsed, 1);
    EXPECT_EQ(back.ReadDev.DevAddrCode, 0x101E);
    EXPECT_EQ(back.NotifyUsed, 1);
    EXPECT_EQ(back.NotifyDev.DevAddrCode, 0x3007);
    EXPECT_EQ(back.NotifyOrder, 1);
    EXPECT_EQ(back.NotifyState, 1);
    EXPECT_EQ(back.ValType, 1);
    EXPECT_EQ(back.ValLen, 1);
    EXPECT_EQ(back.IntNum, 6);
    EXPECT_EQ(back.DecNum, 2);
    EXPECT_EQ(back.ValMax, 12345678);
    EXPECT_EQ(back.ValMin, -500);
    EXPECT_EQ(back.RefKey, 3);
    EXPECT_EQ(back.UserLevel, 3);
    EXPECT_EQ(back.ObjFrame, 2);
    EXPECT_EQ(back.fontsize, 1);
    EXPECT_EQ(back.HPos, 0);
    EXPECT_EQ(back.VPos, 1);
}

TEST_F(ValStGetTest, TheNotifyOrderAndStateKeepTheirOwnBytes)
{
    struct Case {
        int order, state;
    } cases[] = {{1, 0}, {0, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE("order " + std::to_string(c.order) + ", state " + std::to_string(c.state));
        TLxGetVal& e = Entry();
        auto& d = Open(e);
        Tick(d.Call_Chk, [&] { d.Call_ChkClick(); });
        d.DevCallTxt->setText("M7");
        SetRadioGroupIndex(d.CallOrderGp, c.order);
        SetRadioGroupIndex(d.CallStateGp, c.state);
        ExpectStored(d);
        const TLxGetVal& back = ReadBack<TLxGetVal>(e);
        EXPECT_EQ(back.NotifyOrder, c.order);
        EXPECT_EQ(back.NotifyState, c.state);
        auto& again = Open(e);
        EXPECT_EQ(RadioGroupIndex(again.CallOrderGp), c.order);
        EXPECT_EQ(RadioGroupIndex(again.CallStateGp), c.state);
    }
}

TEST_F(ValStGetTest, FloatingAndDigitOnlyTypes)
{
    struct Case {
        const char* name;
        int item, len;
        const char* max;
        const char* min;
        int valType, valLen;
        std::int32_t valMax, valMin;
    } cases[] = {
        {"floating: whole raw limits, two words", 4, 0, "2147483647", "-5", 7, 1, 2147483647, -5},
        {"hexadecimal 16 bits", 2, 0, "ff", "a", 2, 0, 0xFF, 0xA},
        {"BCD 32 bits", 3, 1, "99999999", "0", 3, 1, static_cast<std::int32_t>(0x99999999), 0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        TLxGetVal& e = Entry();
        auto& d = Open(e);
        Type(d, k.item);
        Length(d, k.len);
        if (k.item == 4) {
            EXPECT_FALSE(d.ValLen_Box->isEnabled());
            d.Int_Box->setCurrentIndex(9);
        } else {
            d.Int_Box->setCurrentIndex(k.len ? 7 : 3);
        }
        d.Max_Txt->setText(k.max);
        d.Min_Txt->setText(k.min);
        ExpectStored(d);
        const TLxGetVal& back = ReadBack<TLxGetVal>(e);
        EXPECT_EQ(back.ValType, k.valType);
        EXPECT_EQ(back.ValLen, k.valLen);
        EXPECT_EQ(back.ValMax, k.valMax);
        EXPECT_EQ(back.ValMin, k.valMin);
    }
}

TEST_F(ValStGetTest, FirstFailingCheckGivesItsMessage)
{
    using D = TValStGet;
    struct Case {
        const char* name;
        std::function<void(D&)> setup;
        int msg;
    } cases[] = {
        {"Up key while Up and Down are not redefined",
         [](D& d) {
             d.RefKey_Chk->setChecked(true);
             d.RefKey_Box->setCurrentIndex(10);
             d.Min_Txt->clear();
         },
         122},
        {"unsigned 16 bits, 3 + 3 digits",
         [](D& d) {
             d.Int_Box->setCurrentIndex(2);
             d.Dec_Box->setCurrentIndex(3);
         },
         87},
        {"hexadecimal 16 bits, 5 digits",
         [](D& d) {
             Type(d, 2);
             d.Int_Box->setCurrentIndex(4);
         },
         87},
        {"empty minimum", [](D& d) { d.Min_Txt->clear(); }, 65},
        {"floating maximum with a point",
         [](D& d) {
             Type(d, 4);
             d.Max_Txt->setText("1.5");
         },
         65},
        {"maximum below minimum",
         [](D& d) {
             d.Max_Txt->setText("100");
             d.Min_Txt->setText("200");
         },
         2},
        {"maximum longer than 2 + 1 digits",
         [](D& d) {
             d.Int_Box->setCurrentIndex(1);
             d.Dec_Box->setCurrentIndex(1);
             d.Max_Txt->setText("1000");
         },
         0},
        {"minimum longer than 2 + 1 digits",
         [](D& d) {
             Type(d, 1);
             d.Int_Box->setCurrentIndex(1);
             d.Dec_Box->setCurrentIndex(1);
             d.Max_Txt->setText("99");
             d.Min_Txt->setText("-1000");
         },
         1},
        {"password of two characters", [](D& d) { d.PassTxt->setText("AB"); }, 79},
        {"empty write address", [](D& d) { d.DevWriteTxt->clear(); }, 9},
        {"unknown write device", [](D& d) { d.DevWriteTxt->setText("X1"); }, 8},
        {"32-bit-only write word with 16 bits", [](D& d) { d.DevWriteTxt->setText("C201"); }, 104},
        {"unknown read device",
         [](D& d) {
             Tick(d.DevRd_Chk, [&] { d.DevRd_ChkClick(); });
             d.DevReadTxt->setText("Q1");
         },
         6},
        {"32-bit-only read word with 16 bits",
         [](D& d) {
             Tick(d.DevRd_Chk, [&] { d.DevRd_ChkClick(); });
             d.DevReadTxt->setText("C202");
         },
         104},
        {"a good read address and a word to notify",
         [](D& d) {
             Tick(d.DevRd_Chk, [&] { d.DevRd_ChkClick(); });
             Tick(d.Call_Chk, [&] { d.Call_ChkClick(); });
             d.DevCallTxt->setText("D5");
         },
         7},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        TLxGetVal& e = Entry();
        const auto keys = page.ObjFunKeyUsed;
        auto& d = Open(e);
        k.setup(d);
        ExpectRefused(d, e, k.msg);
        EXPECT_EQ(page.ObjFunKeyUsed, keys);
    }
}

TEST_F(ValStGetTest, ASignIsNotCountedInTheMinimumsDigits)
{
    TLxGetVal& e = Entry();
    auto& d = Open(e);
    Type(d, 1);
    d.Int_Box->setCurrentIndex(1);
    d.Dec_Box->setCurrentIndex(1);
    d.Max_Txt->setText("999");
    d.Min_Txt->setText("-999");
    ExpectStored(d);
    EXPECT_EQ(e.ValMin, -999);
}

TEST_F(ValStGetTest, KeyChoicesThePageHoldsAreRefused)
{
    page.ObjFunKeyUsed[6] = 1;
    page.PgFunKeyUsed[4] = 1;
    struct Case {
        const char* name;
        bool upDown;
        int key;
        int msg; // 0: taken
    } cases[] = {
        {"a page function key's", false, 4, 14},
        {"another object's", false, 6, 14},
        {"its own", false, 2, 0},
        {"a free one", false, 9, 0},
        {"Down while not redefined", false, 11, 122},
        {"Down once redefined", true, 11, 0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        ctx.UpDownKeysEnabled = k.upDown;
        TLxGetVal& e = Entry();
        e.RefKey = 2;
        page.ObjFunKeyUsed[2] = 1;
        auto& d = Open(e);
        const std::size_t shown = prompt.shown.size();
        d.RefKey_Box->setCurrentIndex(k.key);
        d.RefKey_BoxChange();
        if (k.msg == 0) {
            EXPECT_EQ(prompt.shown.size(), shown);
            EXPECT_EQ(d.RefKey_Box->currentIndex(), k.key);
        } else {
            ASSERT_EQ(prompt.shown.size(), shown + 1);
            EXPECT_EQ(ShownNumbers().back(), k.msg);
            EXPECT_EQ(d.RefKey_Box->currentIndex(), 2) << "the stored key shows again";
        }
    }
}

TEST_F(ValStGetTest, UntickingTheKeyFreesItOnlyAtOk)
{
    TLxGetVal& e = Entry();
    e.RefKey = 5;
    page.ObjFunKeyUsed[5] = 1;
    auto& cancelled = Open(e);
    cancelled.RefKey_Chk->setChecked(false);
    cancelled.RefKey_ChkClick();
    cancelled.ValStCancelClick();
    EXPECT_EQ(page.ObjFunKeyUsed[5], 1);
    EXPECT_EQ(e.RefKey, 5);

    auto& d = Open(e);
    d.RefKey_Chk->setChecked(false);
    d.RefKey_ChkClick();
    ExpectStored(d);
    EXPECT_EQ(page.ObjFunKeyUsed[5], 0);
    EXPECT_EQ(e.RefKey, 255);
}

TEST_F(ValStGetTest, DigitsComeFromTheStoredCountsOnATypeChange)
{
    TLxGetVal& e = Entry();
    e.IntNum = 16;
    e.DecNum = 3;
    auto& d = Open(e);
    Type(d, 2);
    EXPECT_EQ(d.Int_Box->currentIndex(), 4) << "a count the box does not offer shows as 5 digits";
    EXPECT_EQ(d.Dec_Box->currentIndex(), 0);
    EXPECT_FALSE(d.Dec_Box->isEnabled());
    Type(d, 0);
    EXPECT_EQ(d.Dec_Box->currentIndex(), 3);
    EXPECT_EQ(d.ValLen_Box->currentIndex(), 0);
    Type(d, 4);
    EXPECT_EQ(d.ValLen_Box->currentIndex(), 1);
    EXPECT_EQ(d.Max_Txt->text(), "2147483647");
    EXPECT_EQ(d.Min_Txt->text(), "-2147483648");
}

TEST_F(ValStGetTest, CancelAfterChangesLeavesTheRecord)
{
    TLxGetVal& e = Entry();
    const Bytes before = RecordOf(e);
    auto& d = Open(e);
    Type(d, 3);
    Tick(d.DevRd_Chk, [&] { d.DevRd_ChkClick(); });
    Tick(d.Call_Chk, [&] { d.Call_ChkClick(); });
    d.DevCallTxt->setText("M1");
    d.Frame_Box->setCurrentIndex(4);
    ExpectCancelKeeps(d, e, before);
}

} // namespace
} // namespace kes::test
