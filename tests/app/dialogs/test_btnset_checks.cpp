// The button dialog's OK checks its fields in a fixed order and stops at the first failure:
// exactly one message (its number), the dialog stays open and the button is not changed at
// all, not even partly. Cancel never changes the button, whatever was chosen before it.
#include "btntest.h"

#include "app/ui/msgtable.h"

#include <functional>

namespace kes::test {
namespace {

struct CheckCase {
    const char* name;
    std::function<void(BtnDialogTest&, TBtnSet&)> setup;
    int msg;
};

class BtnChecks : public BtnDialogTest {};

TEST_F(BtnChecks, FirstFailingFieldGivesItsMessageAndLeavesTheButton)
{
    using T = BtnDialogTest;
    const CheckCase cases[] = {
        {"no type yet", [](T&, TBtnSet&) {}, 90},
        {"no type and a bad password: only the first", [](T&, TBtnSet& d) { d.PassTxt->setText("1"); }, 90},
        {"password of 2 characters",
         [](T& t, TBtnSet& d) {
             t.ChooseType(0);
             d.PassTxt->setText("12");
         },
         79},
        {"password with a sign",
         [](T& t, TBtnSet& d) {
             t.ChooseType(0);
             d.PassTxt->setText("ab#1");
         },
         79},
        {"Up key while Up/Down are not redefined",
         [](T& t, TBtnSet& d) {
             t.ChooseType(0);
             d.RefKey_Chk->setChecked(true);
             d.RefKey_Box->setCurrentIndex(10);
         },
         122},
        {"empty write address",
         [](T& t, TBtnSet& d) {
             t.ChooseType(0);
             d.Action->DevWritTxt->clear();
         },
         9},
        {"unknown write device",
         [](T& t, TBtnSet& d) {
             t.ChooseType(0);
             d.Action->DevWritTxt->setText("X5");
         },
         8},
        {"word device for a bit button",
         [](T& t, TBtnSet& d) {
             t.ChooseType(0);
             d.Action->DevWritTxt->setText("D5");
         },
         8},
        {"32-bit-only word with 16 bits",
         [](T& t, TBtnSet& d) {
             t.ChooseType(9);
             d.Action->DevWritTxt->setText("C201");
         },
         104},
        {"unknown read device",
         [](T& t, TBtnSet& d) {
             t.ChooseType(9);
             t.Tick(d.Action->DevRd_Chk, true, &TBtnSet::DevRd_ChkClick);
             d.Action->DevReadTxt->setText("Q1");
         },
         6},
        {"32-bit-only read word with 16 bits",
         [](T& t, TBtnSet& d) {
             t.ChooseType(9);
             t.Tick(d.Action->DevRd_Chk, true, &TBtnSet::DevRd_ChkClick);
             d.Action->DevReadTxt->setText("C201");
         },
         104},
        {"notify on a word",
         [](T& t, TBtnSet& d) {
             t.ChooseType(0);
             t.Tick(d.Action->Call_Chk, true, &TBtnSet::Call_ChkClick);
             d.Action->CallTxt->setText("D5");
         },
         7},
        {"user level no slot carries",
         [](T& t, TBtnSet& d) {
             t.ChooseType(0);
             d.ComboBox_UserLevel->setCurrentIndex(3);
         },
         107},
        {"input value, unsigned 16 bits, 3 + 3 digits",
         [](T& t, TBtnSet& d) {
             t.ChooseType(7);
             d.Action->Int_Box->setCurrentIndex(2);
             d.Action->Dec_Box->setCurrentIndex(3);
         },
         87},
        {"input value, hexadecimal 16 bits, 5 digits",
         [](T& t, TBtnSet& d) {
             t.ChooseType(7);
             t.ChooseValueType(2);
             d.Action->Int_Box->setCurrentIndex(4);
         },
         87},
        {"input value, empty minimum",
         [](T& t, TBtnSet& d) {
             t.ChooseType(7);
             d.Action->Min_Txt->clear();
         },
         65},
        {"input value, floating maximum with a point",
         [](T& t, TBtnSet& d) {
             t.ChooseType(7);
             t.ChooseValueType(4);
             d.Action->Max_Txt->setText("1.5");
         },
         65},
        {"input value, maximum below minimum",
         [](T& t, TBtnSet& d) {
             t.ChooseType(7);
             d.Action->Max_Txt->setText("5");
             d.Action->Min_Txt->setText("10");
         },
         2},
        {"input value, maximum longer than the digits",
         [](T& t, TBtnSet& d) {
             t.ChooseType(7);
             d.Action->Int_Box->setCurrentIndex(1);
             d.Action->Max_Txt->setText("500");
             d.Action->Min_Txt->setText("0");
         },
         0},
        {"input value, minimum longer than the digits",
         [](T& t, TBtnSet& d) {
             t.ChooseType(7);
             t.ChooseValueType(1);
             d.Action->Int_Box->setCurrentIndex(1);
             d.Action->Max_Txt->setText("99");
             d.Action->Min_Txt->setText("-100");
         },
         1},
        {"constant too big for 16 bits",
         [](T& t, TBtnSet& d) {
             t.ChooseType(8);
             d.Action->Normal_Txt->setText("70000");
         },
         10},
        {"step too big for 16 bits",
         [](T& t, TBtnSet& d) {
             t.ChooseType(9);
             d.Action->AddVal_Txt->setText("70000");
         },
         11},
        {"empty bound",
         [](T& t, TBtnSet& d) {
             t.ChooseType(10);
             d.Action->Bound_Txt->clear();
         },
         12},
        {"no target page",
         [](T& t, TBtnSet& d) {
             t.ChooseType(11);
             d.Action->PgChg_Box->setCurrentIndex(-1);
         },
         13},
    };
    for (const CheckCase& k : cases) {
        SCOPED_TRACE(k.name);
        FreshButton();
        const BtnSnapshot before(Btn());
        const std::size_t shown = prompt.shown.size();
        TBtnSet& d = Open();
        k.setup(*this, d);
        d.OkBtnClick();
        ASSERT_EQ(prompt.shown.size(), shown + 1) << ShownText();
        EXPECT_EQ(ShownNumbers().back(), k.msg) << ShownText();
        EXPECT_NE(d.result(), QDialog::Accepted);
        EXPECT_TRUE(d.isVisible());
        EXPECT_TRUE(BtnSnapshot(Btn()) == before);
        EXPECT_EQ(state.Modified, 0);
    }
}

TEST_F(BtnChecks, PasswordFieldIsClearedOnItsFailures)
{
    Open();
    ChooseType(0);
    dlg->PassTxt->setText("12");
    dlg->OkBtnClick();
    EXPECT_TRUE(dlg->PassTxt->text().isEmpty());
}

TEST_F(BtnChecks, LevelsThatSomeSlotCarriesAreAccepted)
{
    state.UserPasswords[4].Level = 3;
    for (int level : {0, 3}) {
        FreshButton();
        Open();
        ChooseType(0);
        dlg->ComboBox_UserLevel->setCurrentIndex(level);
        dlg->OkBtnClick();
        EXPECT_EQ(dlg->result(), QDialog::Accepted) << level << ShownText();
        EXPECT_EQ(Btn().UserLevel, level);
    }
}

// Choosing another type, other counts, texts, read and notify, and then Cancel: the
// button keeps every field, its states included.
TEST_F(BtnChecks, CancelAfterChangesLeavesTheButtonAsItWas)
{
    MakeBitButton();
    Btn().RefKey = 2;
    page.ObjFunKeyUsed[2] = 1;
    const BtnSnapshot before(Btn());
    const auto keys = page.ObjFunKeyUsed;
    const std::vector<std::function<void()>> changes = {
        [&] { ChooseType(7); },
        [&] {
            ChooseType(6);
            TypeCount("9");
            dlg->Action->Lsb_Rdo->setChecked(true);
            dlg->Lsb_RdoClick();
        },
        [&] { ChooseType(12); },
        [&] {
            Tick(dlg->Action->DevRd_Chk, true, &TBtnSet::DevRd_ChkClick);
            Tick(dlg->Action->Call_Chk, true, &TBtnSet::Call_ChkClick);
            Tick(dlg->RefKey_Chk, false, &TBtnSet::RefKey_ChkClick);
            dlg->Btn_Txt->setText("changed");
            dlg->Btn_TxtKeyUp(0);
            dlg->BtnBmpClearClick();
        },
    };
    for (std::size_t i = 0; i < changes.size(); ++i) {
        SCOPED_TRACE(i);
        Open();
        changes[i]();
        dlg->CancelBtnClick();
        EXPECT_EQ(dlg->result(), QDialog::Rejected);
        EXPECT_TRUE(BtnSnapshot(Btn()) == before);
        EXPECT_EQ(page.ObjFunKeyUsed, keys);
        EXPECT_EQ(state.Modified, 0);
    }
}

} // namespace
} // namespace kes::test
