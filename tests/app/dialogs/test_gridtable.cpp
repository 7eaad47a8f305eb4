// The state value table: OK accepts values that suit the type and keep the order (equal
// neighbours pass), names the first bad row otherwise and leaves the caller's list alone;
// the range fill writes both chosen limits and evenly spaced values between them.
#include "dialogtest.h"

#include "app/dialogs/tfrmgridtable.h"
#include "app/dialogs/tfrmrange.h"
#include "app/ui/msgtable.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace kes::test {
namespace {

class GridTableTest : public DialogTest {
protected:
    // A table of value rows as the picture state dialog makes it.
    TFrmGridTable& Table(const QStringList& values, int order, int type = 0, int len = 0)
    {
        values_ = values;
        table = std::make_unique<TFrmGridTable>(nullptr, prompt, LangEng);
        table->StateNum = static_cast<int>(values.size());
        table->StateValues = &values_;
        table->OrderMode = static_cast<std::uint8_t>(order);
        table->ValType = type;
        table->ValLen = len;
        table->Kind = ObjKind::ActBmp;
        table->SetGridShape(2, table->StateNum + 1);
        table->show();
        return *table;
    }
    QStringList Column() const
    {
        QStringList c;
        for (int r = 1; r < table->RowCount(); ++r)
            c << table->Cell(1, r);
        return c;
    }
    QStringList values_;
    std::unique_ptr<TFrmGridTable> table;
};

TEST_F(GridTableTest, OkChecksTypeAndOrder)
{
    struct Case {
        const char* name;
        QStringList values;
        int order;
        int type;
        QString message; // empty: accepted
    } cases[] = {
        {"rising with equal neighbours", {"10", "10", "20"}, 1, 0, ""},
        {"rising with a fall", {"10", "5"}, 1, 0, "Field value 1 Setting Error!!"},
        {"falling with equal neighbours", {"100", "50", "50", "0"}, 0, 0, ""},
        {"falling with a rise", {"10", "20"}, 0, 0, "Field value 1 Setting Error!!"},
        {"signed falls", {"-1", "-5"}, 0, 1, ""},
        {"not a number", {"7", "abc"}, 1, 0, "State1 Field value Setting Error!!"},
        {"too big for 16 bits", {"70000"}, 1, 0, "State0 Field value Setting Error!!"},
        {"no order", {"5", "9", "1"}, 2, 0, ""},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        const std::size_t shown = prompt.shown.size();
        Table({}, k.order, k.type);
        // Typed over the cells after the table was shown.
        table->SetGridShape(2, static_cast<int>(k.values.size()) + 1);
        values_ = QStringList(k.values.size(), QStringLiteral("old"));
        for (int i = 0; i < k.values.size(); ++i) {
            table->SetCell(0, i + 1, QStringLiteral("State%1").arg(i));
            table->SetCell(1, i + 1, k.values[i]);
        }
        table->Button2Click();
        if (k.message.isEmpty()) {
            EXPECT_EQ(table->Accepted, 1);
            EXPECT_EQ(values_, k.values);
            EXPECT_EQ(prompt.shown.size(), shown);
        } else {
            EXPECT_EQ(table->Accepted, 0);
            ASSERT_EQ(prompt.shown.size(), shown + 1);
            EXPECT_EQ(prompt.shown.back(), k.message);
            EXPECT_EQ(values_, QStringList(k.values.size(), QStringLiteral("old")));
        }
    }
}

TEST_F(GridTableTest, ShowsTheListsByKindAndAcceptsAnythingWithoutReference)
{
    QStringList texts = {"a", "b"};
    Table({"5", "3"}, 0);
    EXPECT_EQ(table->Cell(0, 1), "State0");
    EXPECT_EQ(Column(), QStringList({"5", "3"}));

    table = std::make_unique<TFrmGridTable>(nullptr, prompt, LangEng);
    table->StateNum = 2;
    table->StateTexts = &texts;
    table->Kind = ObjKind::LxBtn;
    table->SetGridShape(2, 3);
    table->BtnRefer->hide();
    table->show();
    EXPECT_EQ(Column(), texts);
    table->SetCell(1, 1, "70000 is just a text here");
    table->Button2Click();
    EXPECT_EQ(table->Accepted, 1);
    EXPECT_TRUE(prompt.shown.empty());

    Table({"1", "2"}, 1);
    table->Button1Click();
    EXPECT_EQ(table->Accepted, 0);
    EXPECT_EQ(table->result(), QDialog::Rejected);
}

// Five states, limits 0 and 100 over the section 0..4: the end the user chose keeps its limit.
TEST_F(GridTableTest, RangeFillWritesBothLimitsAndEvenSteps)
{
    struct Case {
        const char* name;
        int order;
        int type;
        std::uint32_t upper;
        std::uint32_t lower;
        int from;
        int to; // index of the "to" box: state to + 1
        QStringList result;
    } cases[] = {
        {"rising, all states", 1, 0, 100, 0, 0, 3, {"0", "25", "50", "75", "100"}},
        {"falling, all states", 0, 0, 100, 0, 0, 3, {"100", "75", "50", "25", "0"}},
        {"rising, states 1 and 2 only", 1, 0, 100, 0, 1, 1, {"x", "0", "100", "x", "x"}},
        {"rising, states 1..3", 1, 0, 90, 30, 1, 2, {"x", "30", "60", "90", "x"}},
        {"signed, falling", 0, 1, 10, static_cast<std::uint32_t>(-10), 0, 3, {"10", "5", "0", "-5", "-10"}},
        {"BCD steps in decimal", 1, 3, 0x100, 0, 0, 3, {"0", "25", "50", "75", "100"}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Table({"x", "x", "x", "x", "x"}, k.order, k.type);
        table->FillRange(k.upper, k.lower, k.from, k.to);
        EXPECT_EQ(Column(), k.result);
    }
}

TEST_F(GridTableTest, ReferenceButtonAsksForTheRange)
{
    Table({"0", "0", "0", "0", "0"}, 1);
    OnExec("FrmRange", [](QDialog& d) {
        auto& r = static_cast<TFrmRange&>(d);
        // Offered: from 0..3, to 1..4, the whole table chosen.
        EXPECT_EQ(r.State_BoxFrom->count(), 4);
        EXPECT_EQ(r.State_BoxTo->itemText(r.State_BoxTo->currentIndex()), "4");
        EXPECT_EQ(r.EditUp->text(), "0");
        r.EditUp->setText("100");
        r.Button1Click();
    });
    table->BtnReferClick();
    EXPECT_EQ(Column(), QStringList({"0", "25", "50", "75", "100"}));
    EXPECT_EQ(table->ReferUpper, 100u);
}

TEST_F(GridTableTest, RangeDialogChecks)
{
    struct Case {
        const char* name;
        int from;
        int to;
        const char* up;
        const char* down;
        QString message; // empty: accepted
    } cases[] = {
        {"from past to", 3, 1, "100", "0", M(111)},
        {"a section of one state", 2, 1, "100", "0", ""},
        {"upper not a number", 0, 3, "x", "0", "Upper limit Setting Error!!"},
        {"lower too big", 0, 3, "100", "70000", "Lower limit Setting Error!!"},
        {"upper below lower", 0, 3, "5", "10", "Upper limit / Lower limit Setting Error!!"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        const std::size_t shown = prompt.shown.size();
        TFrmRange r(nullptr, prompt, LangEng, 5);
        r.show();
        r.State_BoxFrom->setCurrentIndex(k.from);
        r.State_BoxTo->setCurrentIndex(k.to);
        r.EditUp->setText(k.up);
        r.EditDown->setText(k.down);
        r.Button1Click();
        if (k.message.isEmpty()) {
            EXPECT_EQ(r.Accepted, 1);
            EXPECT_EQ(r.Upper, 100);
        } else {
            EXPECT_EQ(r.Accepted, 0);
            ASSERT_EQ(prompt.shown.size(), shown + 1);
            EXPECT_EQ(prompt.shown.back(), k.message);
        }
    }
}

} // namespace
} // namespace kes::test
