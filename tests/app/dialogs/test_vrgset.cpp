// The value-range picture dialog: the five bounds are entered in either order and always
// stored largest first with their pictures alongside; a page read back from the record holds
// them; the range and order checks name the state; Cancel leaves the record.
#include "pageobjtest.h"

#include "app/dialogs/tfrmgridtable.h"
#include "app/dialogs/tvrgset.h"
#include "objects/tvrgbmp.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace kes::test {
namespace {

class VrgSetTest : public PageObjTest {
protected:
    TVrgBmp& Obj()
    {
        auto& o = Put<TVrgBmp>();
        o.DevAddrCode = 0x100A;
        o.DevText = "D10";
        o.StateBound = {400, 300, 200, 100, 0};
        o.StatePic = {0, 1, 2, 3, 4};
        return o;
    }
    // Types the values of the five states one after another, as a user does.
    static void Enter(TVrgSet& d, const QStringList& values, const std::array<int, 5>& pictures)
    {
        for (int i = 0; i < 5; ++i) {
            d.State_Box->setCurrentIndex(i);
            d.State_BoxChange();
            d.Comp_Txt->setText(values[i]);
            d.Comp_TxtKeyUp(0);
            d.Bmp_Box->setCurrentIndex(pictures[static_cast<std::size_t>(i)]);
            d.Bmp_BoxChange();
        }
    }
    static void Order(TVrgSet& d, int way)
    {
        SetRadioGroupIndex(d.Rg_ValSetWay, way);
        d.Rg_ValSetWayClick();
    }
};

TEST_F(VrgSetTest, BoundsAreStoredLargestFirstFromEitherOrder)
{
    struct Case {
        const char* name;
        int way;
        QStringList entered;
        std::array<int, 5> pictures;
        std::array<std::uint32_t, 5> bounds;
        std::array<std::uint8_t, 5> stored;
    } cases[] = {
        {"large to small", 0, {"40", "30", "20", "10", "0"}, {5, 6, 7, 8, 9}, {40, 30, 20, 10, 0}, {5, 6, 7, 8, 9}},
        {"small to large", 1, {"0", "10", "20", "30", "40"}, {5, 6, 7, 8, 9}, {40, 30, 20, 10, 0}, {9, 8, 7, 6, 5}},
        {"empty entries count as 0",
         0,
         {"40", "30", "20", "", ""},
         {1, 1, 1, 1, 17},
         {40, 30, 20, 0, 0},
         {1, 1, 1, 1, 17}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        TVrgBmp& obj = Obj();
        auto& d = OpenOn<TVrgSet>(obj);
        Order(d, k.way);
        Enter(d, k.entered, k.pictures);
        ExpectStored(d);
        const TVrgBmp& back = ReadBack<TVrgBmp>(obj);
        EXPECT_EQ(back.StateBound, k.bounds);
        EXPECT_EQ(back.StatePic, k.stored);
        EXPECT_EQ(back.RangeOrder, k.way);
        EXPECT_EQ(back.DevAddrCode, 0x100A);

        // Opened again, the bounds show in the order they were entered.
        auto& again = OpenOn<TVrgSet>(obj);
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(again.StateValues()[i], k.entered[i].isEmpty() ? "0" : k.entered[i]) << i;
    }
}

TEST_F(VrgSetTest, ChangingTheOrderReversesValuesAndPictures)
{
    TVrgBmp& obj = Obj();
    auto& d = OpenOn<TVrgSet>(obj);
    EXPECT_EQ(d.Comp_Txt->text(), "400");
    EXPECT_EQ(d.Bmp_Box->currentIndex(), 0);
    Order(d, 1);
    EXPECT_EQ(d.StateValues(), QStringList({"0", "100", "200", "300", "400"}));
    EXPECT_EQ(d.StatePictureNo(), (std::array<int, 5>{4, 3, 2, 1, 0}));
    EXPECT_EQ(d.Comp_Txt->text(), "0");
    // The arrows step through the states; the last stays the last.
    d.Comp_TxtKeyUp(Qt::Key_Down);
    EXPECT_EQ(d.State_Box->currentIndex(), 1);
    EXPECT_EQ(d.Comp_Txt->text(), "100");
    d.State_Box->setCurrentIndex(4);
    d.Comp_TxtKeyUp(Qt::Key_Down);
    EXPECT_EQ(d.State_Box->currentIndex(), 4);
}

TEST_F(VrgSetTest, ChecksNameTheState)
{
    using D = TVrgSet;
    struct Case {
        const char* name;
        std::function<void(D&)> setup;
        int msg;
        const char* number; // the state named between messages 88 (or 4) and 5
    } cases[] = {
        {"no such word", [](D& d) { d.DevRefTxt->setText("M5"); }, 61, nullptr},
        {"a 32-bit-only word with 16 bits", [](D& d) { d.DevRefTxt->setText("C201"); }, 104, nullptr},
        {"the first state past 16 bits",
         [](D& d) {
             Enter(d, {"40", "80000", "70000", "1", "0"}, {0, 0, 0, 0, 0});
         },
         88, "1"},
        {"state 2 no number",
         [](D& d) {
             Enter(d, {"40", "30", "x", "1", "0"}, {0, 0, 0, 0, 0});
         },
         88, "2"},
        {"a rise after state 0",
         [](D& d) {
             Enter(d, {"10", "20", "5", "1", "0"}, {0, 0, 0, 0, 0});
         },
         4, "0"},
        {"signed: -5 then -1 rises",
         [](D& d) {
             d.ValType_Box->setCurrentIndex(1);
             Enter(d, {"0", "-1", "-5", "-1", "-9"}, {0, 0, 0, 0, 0});
         },
         4, "2"},
        {"small to large: a fall at the end",
         [](D& d) {
             Order(d, 1);
             Enter(d, {"0", "10", "20", "30", "25"}, {0, 0, 0, 0, 0});
         },
         4, "0"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        TVrgBmp& obj = Obj();
        auto& d = OpenOn<TVrgSet>(obj);
        k.setup(d);
        if (k.number)
            ExpectRefused(d, obj, M(k.msg) + " " + k.number + " " + M(5));
        else
            ExpectRefused(d, obj, k.msg);
    }
}

TEST_F(VrgSetTest, SignedFallingValuesPass)
{
    TVrgBmp& obj = Obj();
    auto& d = OpenOn<TVrgSet>(obj);
    d.ValType_Box->setCurrentIndex(1);
    Enter(d, {"0", "-1", "-5", "-5", "-9"}, {0, 0, 0, 0, 0});
    ExpectStored(d);
    EXPECT_EQ(static_cast<std::int16_t>(ReadBack<TVrgBmp>(obj).StateBound[2]), -5);
}

TEST_F(VrgSetTest, TheStateTableShowsAndHandsBackTheValues)
{
    TVrgBmp& obj = Obj();
    auto& d = OpenOn<TVrgSet>(obj);
    OnExec("FrmGridTable", [](QDialog& dlg) {
        auto& table = static_cast<TFrmGridTable&>(dlg);
        EXPECT_EQ(table.RowCount(), 6);
        EXPECT_EQ(table.Cell(1, 0), "Device value >=");
        EXPECT_EQ(table.Cell(1, 1), "400");
        EXPECT_FALSE(table.BtnRefer->isHidden());
        table.SetCell(1, 1, "500");
        table.Button2Click();
    });
    d.Comp_TxtDblClick();
    EXPECT_EQ(d.StateValues().front(), "500");
    EXPECT_EQ(d.Comp_Txt->text(), "500");
}

TEST_F(VrgSetTest, VariableBoundsAreStoredWithoutBounds)
{
    TVrgBmp& obj = Obj();
    obj.VarBounds = 16;
    auto& d = OpenOn<TVrgSet>(obj);
    EXPECT_TRUE(d.Var_Rdo->isChecked());
    EXPECT_FALSE(d.Comp_Txt->isEnabled());
    ExpectStored(d);
    EXPECT_EQ(ReadBack<TVrgBmp>(obj).VarBounds, 16);
}

TEST_F(VrgSetTest, CancelLeavesTheRecord)
{
    TVrgBmp& obj = Obj();
    const Bytes before = RecordOf(obj);
    auto& d = OpenOn<TVrgSet>(obj);
    Order(d, 1);
    Enter(d, {"1", "2", "3", "4", "5"}, {9, 9, 9, 9, 9});
    d.DevRefTxt->setText("D99");
    ExpectCancelKeeps(d, obj, before);
}

} // namespace
} // namespace kes::test
