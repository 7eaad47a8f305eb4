// The static text and measurement unit dialogs: what OK stores comes back from the object's
// record; an unchanged OK keeps the record as it was; Cancel never changes it.
#include "pageobjtest.h"

#include "app/dialogs/tmetrolset.h"
#include "app/dialogs/ttxtedit.h"
#include "objects/tmetrol.h"
#include "objects/tsttxt.h"

#include <QComboBox>
#include <QPlainTextEdit>

namespace kes::test {
namespace {

class TextSets : public PageObjTest {
protected:
    TStTxt& Text(std::vector<std::string> lines)
    {
        auto& t = Put<TStTxt>();
        t.Picture.Canvas()->Font.Name = "DejaVu Sans";
        t.Picture.Canvas()->Font.Size = 10;
        t.SetStatic_Txt(lines, t.Picture.Canvas()->Font);
        return t;
    }
};

TEST_F(TextSets, StaticTextStoresLinesLayoutAndFont)
{
    TStTxt& text = Text({"old"});
    auto& d = OpenOn<TTxtEdit>(text);
    EXPECT_EQ(d.TxtEdit->toPlainText(), "old");
    EXPECT_EQ(d.TxtDir_Box->currentIndex(), 3);
    AnswerFont(QStringLiteral("DejaVu Serif"), 14, true);
    d.FontTypeBtnClick();
    d.TxtEdit->setPlainText("Pump\nRunning");
    d.Frame_Box->setCurrentIndex(1);
    d.TxtDir_Box->setCurrentIndex(2);
    d.TxtHPos_Box->setCurrentIndex(2);
    d.TxtVPos_Box->setCurrentIndex(1);
    ExpectStored(d);

    const TStTxt& back = ReadBack<TStTxt>(text);
    EXPECT_EQ(back.Lines, (std::vector<std::string>{"Pump", "Running"}));
    EXPECT_EQ(back.ObjFrame, 1);
    EXPECT_EQ(back.TxtDir, 2);
    EXPECT_EQ(back.TxtHPos, 2);
    EXPECT_EQ(back.TxtVPos, 1);
    EXPECT_EQ(back.Picture.Canvas()->Font.Name, "DejaVu Serif");
    EXPECT_EQ(back.Picture.Canvas()->Font.Size, 14);
    EXPECT_EQ(back.Picture.Canvas()->Font.Style & fsBold, fsBold);
}

TEST_F(TextSets, StaticTextOkWithoutChangesKeepsTheRecordAndAnEmptyMemoHasNoLines)
{
    for (const std::vector<std::string>& lines :
         {std::vector<std::string>{"a", "", "b"}, std::vector<std::string>{""}, std::vector<std::string>{}}) {
        TStTxt& text = Text(lines);
        const Bytes before = RecordOf(text);
        auto& d = OpenOn<TTxtEdit>(text);
        ExpectStored(d);
        EXPECT_EQ(RecordOf(text), before) << lines.size();
    }
    TStTxt& text = Text({"x", "y"});
    auto& d = OpenOn<TTxtEdit>(text);
    d.TxtEdit->setPlainText(QString());
    d.OkBtnClick();
    EXPECT_TRUE(ReadBack<TStTxt>(text).Lines.empty());
}

TEST_F(TextSets, StaticTextCancelLeavesTheRecord)
{
    TStTxt& text = Text({"keep"});
    const Bytes before = RecordOf(text);
    auto& d = OpenOn<TTxtEdit>(text);
    d.TxtEdit->setPlainText("changed");
    d.Frame_Box->setCurrentIndex(5);
    d.TxtDir_Box->setCurrentIndex(0);
    d.CancelBtnClick();
    EXPECT_EQ(RecordOf(text), before);
    EXPECT_EQ(state.Modified, 0);
}

TEST_F(TextSets, UnitsOfeachQuantityAndTheChosenOneReadsBack)
{
    TMetrol& unit = Put<TMetrol>();
    auto& d = OpenOn<TMetrolSet>(unit);
    EXPECT_EQ(d.MetrolType_Box->currentIndex(), 0);
    EXPECT_EQ(d.MetrolName_Box->count(), 7);
    struct Offered {
        int quantity, units;
    } offered[] = {{0, 7}, {1, 6}, {2, 4}, {3, 4}, {4, 4}, {5, 4}, {6, 2}};
    for (const Offered& o : offered) {
        d.MetrolName_Box->setCurrentIndex(1);
        d.MetrolType_Box->setCurrentIndex(o.quantity);
        d.MetrolType_BoxChange();
        EXPECT_EQ(d.MetrolName_Box->count(), o.units) << o.quantity;
        EXPECT_EQ(d.MetrolName_Box->currentIndex(), 0) << "a new quantity starts at its first unit";
        for (int i = 0; i < o.units; ++i)
            EXPECT_FALSE(d.MetrolName_Box->itemIcon(i).isNull()) << o.quantity << "/" << i;
    }
    EXPECT_EQ(d.MetrolName_Box->itemData(1, Qt::ToolTipRole).toString(), "STEMP_2");

    d.MetrolType_Box->setCurrentIndex(5);
    d.MetrolType_BoxChange();
    d.MetrolName_Box->setCurrentIndex(3);
    ExpectStored(d);
    EXPECT_EQ(unit.MetrolPicName, "STIME_4");
    const TMetrol& back = ReadBack<TMetrol>(unit);
    EXPECT_EQ(back.MetrolType, 5);
    EXPECT_EQ(back.MetrolIndex, 3);
}

TEST_F(TextSets, AUnitOutsideTheListShowsTheFirstAndCancelKeepsIt)
{
    TMetrol& unit = Put<TMetrol>();
    unit.MetrolTypeSet(6);
    unit.MetrolIndexSet(5);
    const Bytes before = RecordOf(unit);
    auto& d = OpenOn<TMetrolSet>(unit);
    EXPECT_EQ(d.MetrolType_Box->currentIndex(), 6);
    EXPECT_EQ(d.MetrolName_Box->currentIndex(), 0);
    d.MetrolType_Box->setCurrentIndex(1);
    d.MetrolType_BoxChange();
    d.CancelBtnClick();
    EXPECT_EQ(RecordOf(unit), before);

    auto& again = OpenOn<TMetrolSet>(unit);
    again.OkBtnClick();
    EXPECT_EQ(unit.MetrolIndex, 0);
    EXPECT_EQ(unit.MetrolPicName, "STEMP_1");
}

} // namespace
} // namespace kes::test
