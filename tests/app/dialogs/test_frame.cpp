// The shared parts of the settings dialogs: the digit cap of address fields, the user-level
// rule, the password slots dialog, and opening an object's dialog by its kind.
#include "dialogtest.h"

#include "app/dialogs/addressfield.h"
#include "app/dialogs/objdialogs.h"
#include "app/dialogs/tbtnset.h"
#include "app/dialogs/tfrmuserlevel.h"
#include "objects/tgeom.h"
#include "objects/tlxbtn.h"
#include "tests/support/standindialogs.h"

#include <QComboBox>
#include <QLineEdit>

namespace kes::test {
namespace {

class Frame : public DialogTest {};

TEST_F(Frame, AddressTextsAreCutToTheModelsDigitCount)
{
    struct Case {
        std::uint8_t fmt;
        const char* typed;
        const char* shown;
    } cases[] = {
        {0x14, "D1234", "D123"},          // the fifth character goes at once
        {0x14, "$12345678", "$12345678"}, // raw codes are never cut
        {0x04, "D12345", "D12345"},       // no cap without the high nibble
        {0x14, "1234", "1234"},
    };
    for (const Case& k : cases) {
        model.AddrTextFmt = k.fmt;
        QLineEdit edit;
        AddressField field(ctx, &edit, nullptr);
        edit.setText(QString::fromLatin1(k.typed));
        EXPECT_EQ(edit.text().toStdString(), k.shown) << k.typed;
    }
}

TEST_F(Frame, AUserLevelNeedsASlotOfThatLevel)
{
    for (PassWordRec& slot : state.UserPasswords)
        slot.Level = 0;
    state.UserPasswords[7].Level = 2;
    state.UserPasswords[9].Level = 2;
    struct Case {
        int level;
        bool accepted;
    } cases[] = {{0, true}, {2, true}, {3, false}, {4, false}};
    for (const Case& k : cases)
        EXPECT_EQ(UserLevelAccepted(state, k.level), k.accepted) << k.level;
}

TEST_F(Frame, PasswordSlotsStoreSixDigitsAndTheirLevels)
{
    for (PassWordRec& slot : state.UserPasswords)
        slot = PassWordRec{"000000", 0};
    state.UserPasswords[1] = PassWordRec{"654321", 4};
    struct Case {
        int slot;
        const char* typed;
        int level;
        const char* stored;
    } cases[] = {
        {0, "", 1, "000000"},   // nothing typed: six zeros
        {2, "12", 3, "120000"}, // the places not typed become zeros
        {9, "987654", 2, "987654"},
    };
    TFrmUserLevel dlg(ctx, nullptr);
    dlg.show();
    EXPECT_EQ(dlg.EditPW[1]->text(), "654321");
    EXPECT_EQ(dlg.ComboBox_level[1]->currentIndex(), 4);
    for (const Case& k : cases) {
        dlg.EditPW[static_cast<std::size_t>(k.slot)]->setText(k.typed);
        dlg.ComboBox_level[static_cast<std::size_t>(k.slot)]->setCurrentIndex(k.level);
    }
    dlg.BtnOKClick();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    for (const Case& k : cases) {
        EXPECT_EQ(state.UserPasswords[static_cast<std::size_t>(k.slot)].Password, k.stored) << k.slot;
        EXPECT_EQ(state.UserPasswords[static_cast<std::size_t>(k.slot)].Level, k.level) << k.slot;
    }
    EXPECT_EQ(state.UserPasswords[1].Password, "654321");
    EXPECT_EQ(state.Modified, 1);

    const auto before = state.UserPasswords;
    state.Modified = 0;
    TFrmUserLevel again(ctx, nullptr);
    again.show();
    again.EditPW[0]->setText("111111");
    again.ComboBox_level[0]->setCurrentIndex(4);
    again.BtnCancelClick();
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(state.UserPasswords[i].Password, before[i].Password);
        EXPECT_EQ(state.UserPasswords[i].Level, before[i].Level);
    }
    EXPECT_EQ(state.Modified, 0);
}

TEST_F(Frame, OpeningAnObjectsDialogByItsKind)
{
    TLxBtn btn;
    page.CurObj = &btn;
    int refreshed = 0;
    ctx.RefreshInspector = [&] { ++refreshed; };
    QString caption;
    OnExec("BtnSet", [&](QDialog& d) {
        auto& set = static_cast<TBtnSet&>(d);
        caption = set.windowTitle();
        set.Action->BtnType_Box->setCurrentIndex(4);
        set.BtnType_BoxChange();
        set.OkBtnClick();
    });
    EXPECT_TRUE(OpenObjDialog(ctx, btn, nullptr));
    EXPECT_EQ(btn.BtnType, kes::BtnType::Alternate);
    EXPECT_EQ(caption, "Button");
    EXPECT_EQ(refreshed, 1);

    // A kind without a dialog opens nothing; a stand-in replaces the table's until removed.
    TGeom shape;
    EXPECT_FALSE(OpenObjDialog(ctx, shape, nullptr));
    int opened = 0;
    StandInDialogs dialogs;
    ctx.Dialogs = &dialogs;
    dialogs.StandIn(ObjKind::Geom, [&](DialogContext&, TLxObj&, QWidget*, const QString&) { return ++opened > 0; });
    EXPECT_TRUE(OpenObjDialog(ctx, shape, nullptr));
    EXPECT_EQ(opened, 1);
    dialogs.StandIn(ObjKind::Geom, {});
    EXPECT_FALSE(FindObjDialog(ctx, ObjKind::Geom));
    ASSERT_TRUE(FindObjDialog(ctx, ObjKind::LxBtn));
    ctx.Dialogs = nullptr;
}

} // namespace
} // namespace kes::test
