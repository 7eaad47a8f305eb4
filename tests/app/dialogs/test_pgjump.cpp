// The page-change conditions dialog: conditions are added, updated and deleted on a working
// copy with the checks in their order, the list lines read as the panel's operators expect,
// the list never passes 20 conditions nor the project 68 device-linked records (the
// conditions added in this run counted), every way of closing writes the copy back, and a
// clicked condition shows its address as stored, whatever length the radios start from.
#include "setdlgtest.h"

#include "app/dialogs/tpgjump.h"
#include "objects/tsttxt.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

namespace kes::test {
namespace {

class PgJumpTest : public SetDlgTest {
protected:
    // The fields of a bit condition on dev, ON (or OFF), to page.
    static void SetBit(TPgJump& d, const char* dev, bool on, int page)
    {
        d.Bit_Rdo->setChecked(true);
        d.Bit_RdoClick();
        d.DevRefTxt->setText(QString::fromLatin1(dev));
        SetRadioGroupIndex(d.DevCondGp, on ? 1 : 0);
        d.PgChg_Box->setCurrentIndex(page);
    }
    static void SetValue(TPgJump& d, const char* dev, int len, int type, int op, const char* value, int page)
    {
        d.Val_Rdo->setChecked(true);
        d.Val_RdoClick();
        d.DevRefTxt->setText(QString::fromLatin1(dev));
        d.ValLen_Box->setCurrentIndex(len);
        d.ValType_Box->setCurrentIndex(type);
        d.Cmp_Box->setCurrentIndex(op);
        d.Comp_Txt->setText(QString::fromLatin1(value));
        d.PgChg_Box->setCurrentIndex(page);
    }
    static QStringList Lines(const TPgJump& d)
    {
        QStringList out;
        for (int i = 0; i < d.PgChgList->count(); ++i)
            out << d.PgChgList->item(i)->text();
        return out;
    }
};

TEST_F(PgJumpTest, AddedConditionsReadAsTheirLinesAndAreStoredInLineOrderOnClose)
{
    TPgJump& d = Open<TPgJump>(0);
    EXPECT_EQ(d.windowTitle(), "MmPgJump");
    EXPECT_TRUE(d.Bit_Rdo->isChecked());
    EXPECT_EQ(d.DevRefTxt->text(), "M0");
    SetBit(d, "m5", true, 2);
    d.AddInBtnClick();
    SetValue(d, "D10", 0, 1, 3, "-5", 1);
    d.AddInBtnClick();
    SetValue(d, "D11", 1, 0, 0, "", 0); // an empty compare text stores 0
    d.AddInBtnClick();
    EXPECT_EQ(Lines(d),
              QStringList({"M5 = ON Jump To Pg.2", "D10 >= Int(-5) Jump To Pg.1", "D11 = UnInt(0) Jump To Pg.0"}))
        << ShownText();
    EXPECT_TRUE(page.PgJmpList.empty()) << "the page changes only when the dialog closes";
    EXPECT_EQ(state.Modified, 1);

    d.CloseBtnClick();
    const PageData& back = ReadBackPage();
    ASSERT_EQ(back.PgJmpList.size(), 3u);
    const PgJmpRec& bit = back.PgJmpList[0];
    EXPECT_EQ(bit.Kind, 0x00);
    EXPECT_EQ(bit.OnOff, 1);
    EXPECT_EQ(bit.TargetPage, 2);
    EXPECT_EQ(bit.Ref.DevAddrCode, 0x3000 + 5);
    const PgJmpRec& val = back.PgJmpList[1];
    EXPECT_EQ(val.Kind, 0x10);
    EXPECT_EQ(val.ValueType, 1);
    EXPECT_EQ(val.Operator, 3);
    EXPECT_EQ(val.CompareValue, -5);
    EXPECT_EQ(val.Ref.DevAddrCode, 0x1000 + 10);
    EXPECT_EQ(back.PgJmpList[2].Width, 1);
    EXPECT_EQ(back.PgJmpList[2].CompareValue, 0);
}

TEST_F(PgJumpTest, TheFirstFailingCheckShowsItsMessageAndAddsNothing)
{
    struct Case {
        const char* what;
        std::function<void(TPgJump&)> fill;
        int msg;
    } cases[] = {
        {"no target page", [](TPgJump& d) { SetBit(d, "M1", true, -1); }, 18},
        {"unknown device", [](TPgJump& d) { SetBit(d, "X1", true, 0); }, 24},
        {"a bit where a word is wanted", [](TPgJump& d) { SetValue(d, "M1", 0, 0, 0, "1", 0); }, 24},
        {"a 32-bit-only word at 16 bits", [](TPgJump& d) { SetValue(d, "C200", 0, 0, 0, "1", 0); }, 104},
        {"a compare value that is no number", [](TPgJump& d) { SetValue(d, "D1", 0, 0, 0, "1A", 0); }, 22},
        {"a bit condition without ON or OFF",
         [](TPgJump& d) {
             SetBit(d, "M1", true, 0);
             for (QRadioButton* r : d.DevCondGp->findChildren<QRadioButton*>())
                 r->setAutoExclusive(false), r->setChecked(false);
         },
         20},
        {"two faults: the page is checked first", [](TPgJump& d) { SetValue(d, "X1", 0, 0, 0, "1A", -1); }, 18},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        prompt.shown.clear();
        state.Modified = 0;
        TPgJump& d = Open<TPgJump>(0);
        c.fill(d);
        d.AddInBtnClick();
        EXPECT_EQ(ShownNumbers(), std::vector<int>{c.msg}) << ShownText();
        EXPECT_TRUE(d.Working().empty());
        EXPECT_EQ(d.PgChgList->count(), 0);
        EXPECT_EQ(state.Modified, 0);
    }
}

TEST_F(PgJumpTest, NoConditionPassesTwentyNorTheLinkedRecordLimit)
{
    for (int i = 0; i < kMaxPgJumps; ++i)
        page.AddPgJump(state)->Ref.DevAddrCode = 0x3000 + i;
    TPgJump& full = Open<TPgJump>(0);
    ASSERT_EQ(full.PgChgList->count(), 20);
    SetBit(full, "M1", true, 0);
    full.AddInBtnClick();
    EXPECT_EQ(ShownNumbers(), std::vector<int>{25});
    EXPECT_EQ(full.PgChgList->count(), 20);
    EXPECT_FALSE(full.MakePgJmpRec());

    // 67 linked records stored: this run may add two (68, then 69 as the limit is "above 68"),
    // the third is refused although none of them is stored yet.
    page.ClearPgJumps();
    for (int i = 0; i < kMaxPgJumps; ++i)
        state.AddSysPgJump()->Ref.DevAddrCode = 0x3000 + i;
    for (int i = 0; i < 47; ++i)
        page.AppendObj(std::make_unique<TStTxt>());
    prompt.shown.clear();
    TPgJump& d = Open<TPgJump>(0);
    for (int i = 0; i < 3; ++i) {
        SetBit(d, "M1", true, 0);
        d.AddInBtnClick();
    }
    EXPECT_EQ(d.PgChgList->count(), 2);
    EXPECT_EQ(ShownNumbers(), std::vector<int>{25});
}

TEST_F(PgJumpTest, UpdateAndDeleteWorkOnTheSelectedLine)
{
    TPgJump& d = Open<TPgJump>(1);
    EXPECT_EQ(d.windowTitle(), "MmSysPgChgSet");
    SetBit(d, "X1", true, -1);
    d.UpdateBtnClick(); // an empty list: nothing happens, not even a check
    EXPECT_TRUE(prompt.shown.empty());
    for (const char* dev : {"M1", "M2", "M3"}) {
        SetBit(d, dev, false, 0);
        d.AddInBtnClick();
    }
    d.PgChgList->setCurrentRow(1);
    d.PgChgListClick();
    EXPECT_EQ(d.DevRefTxt->text(), "M2");
    SetValue(d, "D7", 0, 2, 5, "ff", 1);
    d.UpdateBtnClick();
    EXPECT_EQ(d.PgChgList->item(1)->text(), "D7 != HEX(FF) Jump To Pg.1");

    d.PgChgList->setCurrentRow(2);
    d.DelBtnClick(); // the last line: the first is selected
    EXPECT_EQ(d.PgChgList->currentRow(), 0);
    EXPECT_EQ(d.Current(), 0);
    d.DelBtnClick();
    d.DelBtnClick();
    EXPECT_EQ(d.PgChgList->count(), 0);
    EXPECT_EQ(d.Current(), -1);
    state.SysPgJumps.assign(1, PgJmpRec{});
    d.CloseBtnClick();
    EXPECT_TRUE(state.SysPgJumps.empty()) << "an emptied list leaves no condition";
}

// Where the value length chooses the device range (W 16 bits, DW 32 bits), a 32-bit condition
// clicked again shows its DW address, not the model's default word, and updates unchanged.
TEST_F(PgJumpTest, AClickedConditionShowsItsAddressAtItsOwnLength)
{
    ASSERT_TRUE(model.LoadDeviceTable(20).empty());
    ASSERT_TRUE(model.LengthSelectsAccess);
    TPgJump& d = Open<TPgJump>(0);
    SetValue(d, "DW10", 1, 0, 0, "70000", 2);
    d.AddInBtnClick();
    SetBit(d, "B3", true, 1);
    d.AddInBtnClick();
    ASSERT_TRUE(prompt.shown.empty()) << ShownText();
    const QStringList lines = Lines(d);
    EXPECT_EQ(lines[0], "DW10 = UnInt(70000) Jump To Pg.2");

    for (int pass = 0; pass < 2; ++pass) {
        SCOPED_TRACE(pass == 0 ? "in the run that added it" : "opened again");
        TPgJump& shown = pass == 0 ? d : Open<TPgJump>(0);
        shown.PgChgList->setCurrentRow(1);
        shown.PgChgListClick();
        EXPECT_EQ(shown.DevRefTxt->text(), "B3");
        shown.PgChgList->setCurrentRow(0);
        shown.PgChgListClick();
        EXPECT_TRUE(shown.Val_Rdo->isChecked());
        EXPECT_EQ(shown.ValLen_Box->currentIndex(), 1);
        EXPECT_EQ(shown.DevRefTxt->text(), "DW10");
        shown.UpdateBtnClick();
        EXPECT_TRUE(prompt.shown.empty()) << ShownText();
        EXPECT_EQ(Lines(shown), lines);
        shown.CloseBtnClick();
    }
    ASSERT_EQ(page.PgJmpList.size(), 2u);
    EXPECT_EQ(page.PgJmpList[0].Width, 1);
}

TEST_F(PgJumpTest, EscapeWritesTheListBackAsCloseDoes)
{
    TPgJump& d = Open<TPgJump>(1);
    EXPECT_FALSE(d.windowFlags() & Qt::WindowCloseButtonHint);
    SetBit(d, "M4", true, 1);
    d.AddInBtnClick();
    d.reject();
    ASSERT_EQ(state.SysPgJumps.size(), 1u);
    EXPECT_EQ(state.SysPgJumps[0].Ref.DevAddrCode, 0x3004);
    EXPECT_FALSE(d.isVisible());
}

} // namespace
} // namespace kes::test
