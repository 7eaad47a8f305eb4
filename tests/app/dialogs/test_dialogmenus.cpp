// The dialogs as the running program opens them: the main window's password command edits
// the project's slots, and the context the dialogs get reflects the main window's menus,
// tool bars and project as they are at that moment.
#include "../shell/shellfixture.h"

#include "app/dialogs/dialogcontext.h"
#include "app/dialogs/tfrmuserlevel.h"
#include "app/shell/tkhm.h"
#include "app/shell/tkhm_hosts.h"
#include "tests/support/formfinder.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>

namespace kes::test {
namespace {

class DialogMenus : public StartedShell {};

TEST_F(DialogMenus, PasswordCommandEditsTheProjectsSlots)
{
    QAction* item = Main()->Action("MmUserLevel");
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(Main()->IsWired(item));
    Main()->Doc.UserPasswords[0] = PassWordRec{"111111", 0};
    Main()->Doc.Modified = 0;
    prompt.onExec = [](QDialog& d) {
        auto& dlg = static_cast<TFrmUserLevel&>(d);
        EXPECT_EQ(dlg.objectName(), "FrmUserLevel");
        EXPECT_EQ(dlg.EditPW[0]->text(), "111111");
        dlg.EditPW[0]->setText("4321");
        dlg.ComboBox_level[0]->setCurrentIndex(2);
        dlg.BtnOKClick();
    };
    item->setEnabled(true);
    item->trigger();
    EXPECT_EQ(prompt.execCount, 1);
    EXPECT_EQ(Main()->Doc.UserPasswords[0].Password, "432100");
    EXPECT_EQ(Main()->Doc.UserPasswords[0].Level, 2);
    EXPECT_EQ(Main()->Doc.Modified, 1);
    EXPECT_EQ(FindForm(QStringLiteral("FrmUserLevel")), nullptr);
}

TEST_F(DialogMenus, TheContextFollowsTheMainWindow)
{
    Main()->Doc.EnableUpDown = true;
    Main()->BmpDlg.InitialDir = "/pictures";
    DialogContext ctx = MainDialogContext(*Main(), nullptr);
    EXPECT_TRUE(ctx.UpDownKeysEnabled);
    EXPECT_EQ(ctx.BtnMenuCaption, Main()->Action("MmBtn")->text());
    EXPECT_EQ(ctx.ToolHintOf(ObjKind::LxBtn), Main()->Action("TbBtn")->toolTip());
    EXPECT_FALSE(ctx.ToolHintOf(ObjKind::LxBtn).isEmpty());
    ASSERT_NE(ctx.BmpFolder, nullptr);
    EXPECT_EQ(*ctx.BmpFolder, "/pictures");
    EXPECT_EQ(ctx.PageCount, static_cast<int>(Main()->Doc.PgDataList.size()));
    EXPECT_EQ(&ctx.State, static_cast<ProjectState*>(&Main()->Doc));
}

} // namespace
} // namespace kes::test
