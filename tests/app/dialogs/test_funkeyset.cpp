// The function key table: Set checks a key in its order and changes only the working copy,
// the Up and Down keys take a type only while they are redefined and no arrow key is a
// maintained button, a key a button object holds takes no type, and every way of closing
// writes the 14 keys back to the page or to the system, where a save and a compile find them,
// the notify order and state each from its own group. A key's long note is shown whole. The
// key dialog and the button dialog show each type's fields alike.
#include "setdlgtest.h"

#include "app/dialogs/entryfields.h"
#include "app/dialogs/tbtnset.h"
#include "app/dialogs/tfunkeyset.h"
#include "app/project/imageheader.h"
#include "app/project/pagesettings.h"
#include "decoder/setlayout.h"
#include "objects/tlxbtn.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableWidget>

#include <cstring>
#include <iterator>

namespace kes::test {
namespace {

class FunKeySetTest : public SetDlgTest {
protected:
    TFunKeySet& OpenKeys(int scope) { return Open<TFunKeySet>(scope); }
    // Row chosen, then the type as the user picks it.
    static void Choose(TFunKeySet& d, int row, int type)
    {
        d.FunKey_Grid->setCurrentCell(row, 0);
        d.FunKey_GridClick();
        d.Action->BtnType_Box->setCurrentIndex(type);
        d.BtnType_BoxChange();
    }
    static QString Column1(const TFunKeySet& d, int row) { return d.FunKey_Grid->item(row, 1)->text(); }
};

TEST_F(FunKeySetTest, UpAndDownTakeNoTypeUntilRedefinedAndNoArrowKeyIsMaintained)
{
    TFunKeySet& d = OpenKeys(0);
    EXPECT_EQ(d.windowTitle(), M(109));
    for (int row : {10, 11}) {
        EXPECT_EQ(Column1(d, row), M(122));
        Choose(d, row, 0);
        EXPECT_EQ(d.Action->BtnType_Box->currentIndex(), -1);
    }
    EXPECT_EQ(ShownNumbers(), (std::vector<int>{122, 122}));

    ctx.UpDownKeysEnabled = true;
    page.PgFunKeys[12].ButtonType = kes::BtnType::Alternate;
    page.PgFunKeyUsed[12] = 1;
    TFunKeySet& open = OpenKeys(0);
    EXPECT_EQ(Column1(open, 10), "");
    prompt.shown.clear();
    Choose(open, 12, 5);
    EXPECT_EQ(ShownNumbers(), std::vector<int>{122});
    EXPECT_EQ(open.Action->BtnType_Box->currentIndex(), kes::BtnCode(kes::BtnType::Alternate));
    Choose(open, 10, 0);
    EXPECT_EQ(open.Action->BtnType_Box->currentIndex(), 0);
}

// A key's note is read whole: its row grows to the wrapped text, and the text is its tip too.
TEST_F(FunKeySetTest, ALongNoteIsShownWhole)
{
    TFunKeySet& d = OpenKeys(0);
    QTableWidget& grid = *d.FunKey_Grid;
    const QTableWidgetItem& note = *grid.item(kes::kKeyUp, 1);
    ASSERT_EQ(note.text(), M(122));
    EXPECT_EQ(note.toolTip(), note.text());
    const int width = grid.columnWidth(1);
    const QRect needed = grid.fontMetrics().boundingRect(QRect(0, 0, width - 8, 10000), Qt::TextWordWrap, note.text());
    ASSERT_GT(needed.height(), grid.rowHeight(0)) << "the note takes more than one line";
    EXPECT_GE(grid.rowHeight(kes::kKeyUp), needed.height());
}

TEST_F(FunKeySetTest, AKeyThatAButtonHoldsTakesNoTypeOnThePage)
{
    page.ObjFunKeyUsed[3] = 1;
    TFunKeySet& d = OpenKeys(0);
    EXPECT_EQ(Column1(d, 3), M(14));
    Choose(d, 3, 0);
    EXPECT_EQ(ShownNumbers(), std::vector<int>{14});
    EXPECT_EQ(d.Action->BtnType_Box->currentIndex(), -1);
    // The system's keys are no page's.
    prompt.shown.clear();
    TFunKeySet& sys = OpenKeys(1);
    // Its title names the system's keys, not a failure ("System Funtion key set fail!!" is message 108).
    EXPECT_EQ(sys.windowTitle(), M(785));
    EXPECT_NE(d.windowTitle(), sys.windowTitle());
    EXPECT_EQ(Column1(sys, 3), "");
    Choose(sys, 3, 0);
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(FunKeySetTest, SetStopsAtTheFirstFailingCheckAndChangesNothing)
{
    struct Case {
        const char* what;
        int type;
        std::function<void(TFunKeySet&)> fill;
        int msg;
    } cases[] = {
        {"no type", -1, [](TFunKeySet&) {}, 90},
        {"a password of three", 0, [](TFunKeySet& d) { d.PassTxt->setText("AB1"); }, 79},
        {"a level no password slot has", 0, [](TFunKeySet& d) { d.ComboBox_UserLevel->setCurrentIndex(2); }, 107},
        {"no write address", 0, [](TFunKeySet& d) { d.Action->DevWritTxt->clear(); }, 9},
        {"a word where a bit is written", 0, [](TFunKeySet& d) { d.Action->DevWritTxt->setText("D1"); }, 8},
        {"a 32-bit-only word at 16 bits", 9, [](TFunKeySet& d) { d.Action->DevWritTxt->setText("C200"); }, 104},
        {"a read address that is no bit", 1,
         [](TFunKeySet& d) {
             d.Action->DevRd_Chk->setChecked(true);
             d.DevRd_ChkClick();
             d.Action->DevReadTxt->setText("D1");
         },
         6},
        {"a notify address that is no bit", 2,
         [](TFunKeySet& d) {
             d.Action->Call_Chk->setChecked(true);
             d.Call_ChkClick();
             d.Action->CallTxt->setText("Q1");
         },
         7},
        {"too many digits for 16 bits", 7,
         [](TFunKeySet& d) {
             d.Action->Int_Box->setCurrentIndex(2);
             d.Action->Dec_Box->setCurrentIndex(3);
         },
         87},
        {"no constant", 8, [](TFunKeySet& d) { d.Action->Normal_Txt->clear(); }, 10},
        {"a step that is no number", 10, [](TFunKeySet& d) { d.Action->AddVal_Txt->setText("x"); }, 11},
        {"a bound past 16 bits", 9, [](TFunKeySet& d) { d.Action->Bound_Txt->setText("70000"); }, 12},
        {"no target page", 11, [](TFunKeySet& d) { d.Action->PgChg_Box->setCurrentIndex(-1); }, 13},
        {"a bad password and no address: the password first", 0,
         [](TFunKeySet& d) {
             d.PassTxt->setText("A-1B");
             d.Action->DevWritTxt->clear();
         },
         79},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        prompt.shown.clear();
        state.Modified = 0;
        TFunKeySet& d = OpenKeys(0);
        Choose(d, 1, c.type);
        c.fill(d);
        const auto before = d.Keys();
        d.SetBtnClick();
        EXPECT_EQ(ShownNumbers(), std::vector<int>{c.msg}) << ShownText();
        EXPECT_EQ(d.Keys()[1].ButtonType, before[1].ButtonType);
        EXPECT_EQ(d.Used()[1], 0);
        EXPECT_EQ(state.Modified, 0);
    }
}

TEST_F(FunKeySetTest, KeysSetInTheTableReachTheStoredPage)
{
    TFunKeySet& d = OpenKeys(0);
    Choose(d, 1, 7); // input value: 3 integer and 2 decimal digits pass the digit check
    EXPECT_EQ(d.Action->DevWritTxt->text(), "D0");
    d.Action->DevWritTxt->setText("D12");
    d.Action->Int_Box->setCurrentIndex(2);
    d.Action->Dec_Box->setCurrentIndex(2);
    d.Action->Max_Txt->setText("500");
    d.Action->Min_Txt->setText("10");
    d.SetBtnClick();
    Choose(d, 4, 11); // a page change keeps no device
    EXPECT_TRUE(d.Action->DevWritTxt->text().isEmpty());
    d.Action->PgChg_Box->setCurrentIndex(2);
    d.SetBtnClick();
    Choose(d, 0, 6); // multi-state: a typed count above 2 moves a bit key to a value
    d.StaNum_Txt->setText("5");
    d.StaNum_TxtKeyUp();
    EXPECT_TRUE(d.Action->Val_Rdo->isChecked());
    d.Action->DevWritTxt->setText("D3");
    d.SetBtnClick();
    EXPECT_TRUE(prompt.shown.empty()) << ShownText();
    EXPECT_EQ(Column1(d, 1), d.Action->BtnType_Box->itemText(7));
    EXPECT_EQ(state.Modified, 1);
    EXPECT_EQ(page.PgFunKeyUsed[1], 0) << "the page changes only when the table closes";

    d.reject(); // Esc or the title bar: the same as Close
    const PageData& back = ReadBackPage();
    const PgFunKeyRec& input = back.PgFunKeys[1];
    EXPECT_EQ(back.PgFunKeyUsed[1], 1);
    EXPECT_EQ(input.ButtonType, kes::BtnType::InputValue);
    EXPECT_EQ(input.Write.DevAddrCode, 0x1000 + 12);
    EXPECT_EQ(input.IntDigits, 3);
    EXPECT_EQ(input.DecDigits, 2);
    EXPECT_EQ(input.ParamA, 500);
    EXPECT_EQ(input.ParamB, 10);
    const PgFunKeyRec& change = back.PgFunKeys[4];
    EXPECT_EQ(change.ButtonType, kes::BtnType::ChangePage);
    EXPECT_EQ(change.ParamA, 2);
    for (const DevRefHead* r : {&change.Write, &change.Read, &change.Notify})
        EXPECT_EQ(r->DevAddrCode, -1);
    EXPECT_EQ(back.PgFunKeys[0].Kind, 0x10);
    EXPECT_EQ(back.PgFunKeys[0].StateCount, 5);
}

TEST_F(FunKeySetTest, TheNotifyOrderAndStateComeFromTheirOwnGroups)
{
    struct Case {
        int order, state;
    } cases[] = {{1, 0}, {0, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE("order " + std::to_string(c.order) + ", state " + std::to_string(c.state));
        TFunKeySet& d = OpenKeys(0);
        Choose(d, 2, 0);
        d.Action->Call_Chk->setChecked(true);
        d.Call_ChkClick();
        d.Action->CallTxt->setText("M9");
        SetRadioGroupIndex(d.Action->CallOrderGp, c.order);
        SetRadioGroupIndex(d.Action->CallStateGp, c.state);
        d.SetBtnClick();
        EXPECT_TRUE(prompt.shown.empty()) << ShownText();
        d.CloseBtnClick();
        const PgFunKeyRec& key = ReadBackPage().PgFunKeys[2];
        EXPECT_EQ(key.NotifyUsed, 1);
        EXPECT_EQ(key.Notify.DevAddrCode, 0x3000 + 9);
        EXPECT_EQ(key.NotifyOrder, c.order);
        EXPECT_EQ(key.NotifyState, c.state);
        TFunKeySet& again = OpenKeys(0);
        again.FunKey_Grid->setCurrentCell(2, 0);
        again.FunKey_GridClick();
        EXPECT_EQ(RadioGroupIndex(again.Action->CallOrderGp), c.order);
        EXPECT_EQ(RadioGroupIndex(again.Action->CallStateGp), c.state);
    }
}

// A multi-state key's or button's access kind radios sit beside the step group's radios: a
// click on the checked one keeps it checked.
TEST_F(FunKeySetTest, AClickOnTheCheckedKindKeepsItChecked)
{
    TLxBtn btn;
    btn.BtnType = kes::BtnType::MultiState;
    TBtnSet button(ctx, nullptr, btn);
    button.show();
    TFunKeySet& keys = OpenKeys(0);
    Choose(keys, 0, kes::BtnCode(kes::BtnType::MultiState));
    const std::pair<QWidget*, const char*> forms[] = {{&button, "button"}, {&keys, "function key"}};
    for (const auto& [form, what] : forms) {
        SCOPED_TRACE(what);
        auto* bit = C<QRadioButton>(form, "Bit_Rdo");
        bit->setChecked(true);
        C<QRadioButton>(form, "StateTo_1")->setChecked(true);
        bit->click();
        EXPECT_TRUE(bit->isChecked());
    }
}

// Both dialogs show a type through one panel: the same group of the type's own fields, the
// same device and notify groups and the same read-back box, for every type.
TEST_F(FunKeySetTest, BothDialogsShowTheSameFieldsForEachType)
{
    struct Case {
        BtnType type;
        const char* group; // the one type group shown, or none
        bool devices;      // write, read and notify addresses
        bool readBack;
    };
    const Case cases[] = {
        {BtnType::SetOn, nullptr, true, true},           {BtnType::SetOff, nullptr, true, true},
        {BtnType::PulseOn, nullptr, true, true},         {BtnType::PulseOff, nullptr, true, true},
        {BtnType::Alternate, nullptr, true, true},       {BtnType::Maintained, nullptr, true, true},
        {BtnType::MultiState, "ComplexGp", true, true},  {BtnType::InputValue, "ValInGp", true, true},
        {BtnType::SetConstant, "NormalGp", true, false}, {BtnType::Increment, "AddGp", true, true},
        {BtnType::Decrement, "AddGp", true, true},       {BtnType::ChangePage, "PgChgGp", false, false},
        {BtnType::SetPassword, nullptr, false, false},
    };
    static_assert(std::size(cases) == kBtnTypeCount);
    const char* const groups[] = {"ComplexGp", "ValInGp", "NormalGp", "AddGp", "PgChgGp"};
    TLxBtn btn;
    TBtnSet button(ctx, nullptr, btn);
    button.show();
    TFunKeySet& keys = OpenKeys(0);
    const std::pair<QWidget*, const char*> forms[] = {{&button, "button"}, {&keys, "function key"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(BtnCode(c.type));
        button.Action->BtnType_Box->setCurrentIndex(BtnTypeItem(c.type));
        button.BtnType_BoxChange();
        Choose(keys, 0, BtnCode(c.type));
        for (const auto& [form, what] : forms) {
            SCOPED_TRACE(what);
            for (const char* g : groups)
                EXPECT_EQ(C<QGroupBox>(form, g)->isVisible(), c.group && std::strcmp(c.group, g) == 0) << g;
            EXPECT_EQ(C<QGroupBox>(form, "DevWR_Gp")->isEnabled(), c.devices);
            EXPECT_EQ(C<QGroupBox>(form, "CallGp")->isEnabled(), c.devices);
            EXPECT_EQ(C<QCheckBox>(form, "DevRd_Chk")->isEnabled(), c.readBack);
            if (IsValueBtnType(c.type)) {
                EXPECT_TRUE(C<QComboBox>(form, "ValType_Box")->isEnabled());
            }
        }
    }
}

TEST_F(FunKeySetTest, ATypedCountKeepsALowByteKeyOnTheLowByte)
{
    TFunKeySet& d = OpenKeys(0);
    Choose(d, 2, 6);
    d.Action->Lsb_Rdo->setChecked(true);
    d.Lsb_RdoClick();
    d.StaNum_Txt->setText("9");
    d.StaNum_TxtKeyUp();
    EXPECT_TRUE(d.Action->Lsb_Rdo->isChecked());
    EXPECT_EQ(d.StaNum_Txt->text(), "9");
    d.StaNum_Txt->setText("300");
    d.StaNum_TxtKeyUp();
    EXPECT_EQ(d.StaNum_Txt->text(), "1");
}

TEST_F(FunKeySetTest, DeleteAllEmptiesEveryRowAndTheSystemKeysReachTheHeader)
{
    state.UserPasswords[0].Level = 2;
    TFunKeySet& d = OpenKeys(1);
    for (int row : {0, 5}) {
        Choose(d, row, 0);
        d.Action->DevWritTxt->setText("M7");
        d.ComboBox_UserLevel->setCurrentIndex(2);
        d.SetBtnClick();
    }
    EXPECT_TRUE(prompt.shown.empty()) << ShownText();
    d.CloseBtnClick();
    ASSERT_EQ(state.SysFunKeyUsed[5], 1);
    const Bytes header = BuildHeaderBytes(state);
    int keys = 0;
    WalkPageRecords(header, [&](std::uint16_t tag, ByteSpan rec) {
        if (tag == kTagPgFunKey) {
            ++keys;
            EXPECT_EQ(GetU8(rec, layout::PgFunKey::UserLevel), 2);
        }
    });
    EXPECT_EQ(keys, 2);

    TFunKeySet& again = OpenKeys(1);
    again.DelAllBtnClick();
    for (int row = 0; row < kFunKeyCount; ++row)
        EXPECT_EQ(Column1(again, row), row == 10 || row == 11 ? M(122) : QString()) << row;
    again.CloseBtnClick();
    EXPECT_EQ(state.SysFunKeyUsed[0], 0);
    EXPECT_EQ(state.SysFunKeys[5].ButtonType, kes::BtnType::None);
}

} // namespace
} // namespace kes::test
