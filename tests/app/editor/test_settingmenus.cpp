// The page and system settings commands of the main window: each opens its dialog in its
// scope unless more than 68 device-linked records are in use (then 299, or 302 from the page
// menu's page change, and nothing opens; the page's buzzer and lamp refuse alike from the menu
// and from the page popup), the settings menus' marks and choices follow the records as the
// menus open, the Up and Down keys switch as the project's switch says, and no shortcut has
// two owners.
#include "editortest.h"

#include "app/dialogs/tpgjump.h"
#include "app/dialogs/tsysset.h"
#include "app/project/prjcheck.h"
#include "app/ui/msgtable.h"
#include "objects/tsttxt.h"

#include <QAction>
#include <QDialog>
#include <QMenu>

#include <map>

namespace kes::test {
namespace {

class SettingMenusTest : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        NewProject();
    }
    // Linked records in use: the system's page changes and the page's objects.
    void UseLinked(int n)
    {
        ProjectDoc& doc = Main()->Doc;
        doc.SysPgJumps.clear();
        CurPage()->Data().FreeObjects();
        while (static_cast<int>(doc.SysPgJumps.size()) < std::min(n, kMaxPgJumps))
            doc.AddSysPgJump()->Ref.DevAddrCode = 0x10;
        for (int i = kMaxPgJumps; i < n; ++i)
            CurPage()->Data().AppendObj(std::make_unique<TStTxt>());
        ASSERT_EQ(CountLinkedRecords(doc, DataOf(CurPage())), n);
    }
    void OpenMenu(const char* menu)
    {
        auto* m = Main()->findChild<QMenu*>(QString::fromLatin1(menu) + QStringLiteral("_menu"));
        ASSERT_NE(m, nullptr) << menu;
        emit m->aboutToShow();
    }
    bool Checked(const char* item) { return Main()->Action(item)->isChecked(); }
    bool Enabled(const char* item) { return Main()->Action(item)->isEnabled(); }
};

TEST_F(SettingMenusTest, EachCommandOpensItsDialogInItsScopeUpToTheLinkedRecordLimit)
{
    struct Case {
        const char* item;
        const char* form;
        int scope; // -1: the command leaves it as it is
        int refusal;
    } cases[] = {
        {"MmBuzzerSet", "SysSet", 0, 299},        {"MmLedSet", "SysSet", 0, 299},
        {"MmSysBuzzerSet", "SysSet", 1, 299},     {"MmSysLedSet", "SysSet", 1, 299},
        {"MmSysPowerOnSet", "SysSet", 1, 299},    {"MmSysPgChgSet", "PgJump", 1, 299},
        {"MmClock", "FrmPLCValAddrSet", -1, 299}, {"MmPgPageWriteSet", "FrmPLCValAddrSet", -1, 299},
        {"MmPgJump", "PgJump", 0, 302},           {"MmFunKeyEt", "FunKeySet", 0, 0},
        {"MmSysFunKeySet", "FunKeySet", 1, 0}, // opens whatever the count
    };
    std::map<std::string, std::pair<QString, int>> seen;
    prompt.onExec = [&seen](QDialog& d) {
        seen[d.objectName().toStdString()] = {d.windowTitle(), -1};
        if (auto* sys = dynamic_cast<TSysSet*>(&d))
            seen[d.objectName().toStdString()].second = sys->PowerOnMode ? 2 : sys->RecordIndex;
        d.reject();
    };
    for (int linked : {68, 69}) {
        UseLinked(linked);
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.item) + " with " + std::to_string(linked));
            seen.clear();
            prompt.shown.clear();
            Main()->Doc.EditScope = c.scope == 1 ? 0 : 1;
            const std::uint8_t before = Main()->Doc.EditScope;
            OpenMenu(c.scope == 0 || std::string(c.item) == "MmPgPageWriteSet" ? "MmPageSet" : "MmGlobalSet");
            Trigger(c.item);
            if (linked == 69 && c.refusal) {
                EXPECT_EQ(prompt.shown, std::vector<QString>{Msg(c.refusal)});
                EXPECT_TRUE(seen.empty());
                EXPECT_EQ(Main()->Doc.EditScope, before);
                continue;
            }
            EXPECT_TRUE(prompt.shown.empty());
            ASSERT_EQ(seen.count(c.form), 1u);
            QString caption = Main()->Action(c.item)->text();
            caption.remove(caption.indexOf(QLatin1Char('&')), 1);
            if (std::string(c.form) != "FunKeySet") { // the table's caption comes from the messages
                EXPECT_EQ(seen[c.form].first + QStringLiteral("..."), caption);
            }
            if (c.scope >= 0) {
                EXPECT_EQ(Main()->Doc.EditScope, c.scope);
            }
        }
    }
    // The sender chooses the record.
    UseLinked(0);
    for (const auto& [item, record] : {std::pair{"MmSysLedSet", 1}, std::pair{"MmLedSet", 1},
                                       std::pair{"MmSysBuzzerSet", 0}, std::pair{"MmSysPowerOnSet", 2}}) {
        seen.clear();
        Trigger(item);
        EXPECT_EQ(seen["SysSet"].second, record) << item;
    }
}

TEST_F(SettingMenusTest, ThePagesBuzzerAndLampRefuseAlikeFromTheMenuAndThePopup)
{
    UseLinked(69);
    for (const char* item : {"MmBuzzerSet", "MmLedSet", "PopBuzzerSet", "PopLedSet"}) {
        SCOPED_TRACE(item);
        prompt.shown.clear();
        bool opened = false;
        prompt.onExec = [&opened](QDialog& d) {
            opened = true;
            d.reject();
        };
        if (std::string(item).starts_with("Pop")) {
            CurPage()->PgPopMmPopup();
            QAction* pop = CurPage()->Pop(item);
            ASSERT_TRUE(pop && pop->isEnabled());
            pop->trigger();
        } else {
            OpenMenu("MmPageSet");
            Trigger(item);
        }
        prompt.onExec = nullptr;
        EXPECT_EQ(prompt.shown, std::vector<QString>{Msg(299)});
        EXPECT_FALSE(opened);
    }
}

TEST_F(SettingMenusTest, TheElementMenuKeepsTheLinkedRecordLimitAsTheToolBarDoes)
{
    for (const char* item : {"TbStTxt", "MmStTxt"}) {
        SCOPED_TRACE(item);
        UseLinked(69);
        prompt.shown.clear();
        CurPage()->ChooseTool(0, CurPage()->ToolSubType());
        Trigger(item);
        EXPECT_EQ(prompt.shown, std::vector<QString>{Msg(302)});
        EXPECT_EQ(CurPage()->ToolKind(), 0) << "no drawing tool is chosen";
        UseLinked(68);
        prompt.shown.clear();
        Trigger(item);
        EXPECT_TRUE(prompt.shown.empty());
        EXPECT_NE(CurPage()->ToolKind(), 0);
    }
}

TEST_F(SettingMenusTest, TheSettingsMenusFollowTheRecords)
{
    ProjectDoc& doc = Main()->Doc;
    OpenMenu("MmGlobalSet");
    for (const char* item : {"MmSysPgChgSet", "MmSysFunKeySet", "MmSysBuzzerSet", "MmSysLedSet", "MmClock", "MmParaset",
                             "MmSysPowerOnSet"})
        EXPECT_FALSE(Checked(item)) << item;
    doc.AddSysPgJump();
    doc.SysFunKeyUsed[4] = 1;
    doc.SysAlarmLamp.Ref.DevAddrCode = 0x20;
    doc.SysClockWrite.Ref.DevAddrCode = 0x20;
    doc.PowerOnMacro.Ref.DevAddrCode = 0x20;
    doc.ParaDataSet.Ref.DevAddrCode = 0x20;
    doc.HasRtc = false;
    doc.EnableUpDown = true;
    OpenMenu("MmGlobalSet");
    for (const char* item :
         {"MmSysPgChgSet", "MmSysFunKeySet", "MmSysLedSet", "MmClock", "MmParaset", "MmSysPowerOnSet"})
        EXPECT_TRUE(Checked(item)) << item;
    EXPECT_FALSE(Checked("MmSysBuzzerSet"));
    EXPECT_FALSE(Main()->Action("MmClock")->isVisible());
    EXPECT_FALSE(Enabled("MmSysPgChgSet")) << "the parameter register changes the pages";
    EXPECT_TRUE(Enabled("MmSysPowerOnSet"));

    CurPage()->Data().PgSysRecs[0].Ref.DevAddrCode = 0x20;
    OpenMenu("MmPageSet");
    EXPECT_TRUE(Checked("MmBuzzerSet"));
    EXPECT_FALSE(Checked("MmLedSet"));
    EXPECT_FALSE(Enabled("MmPgJump"));
    EXPECT_TRUE(Enabled("MmBuzzerSet"));
    EXPECT_FALSE(Main()->Action("MmHide")->isVisible());
}

TEST_F(SettingMenusTest, RedefiningUpAndDownAsksFirstAndGivingThemBackFreesTheKeys)
{
    ProjectDoc& doc = Main()->Doc;
    CurPage()->Data().PgHide.Hide = 1;
    doc.Modified = 0;
    prompt.answers = {Answer::No};
    Trigger("MmEnableUD");
    EXPECT_FALSE(doc.EnableUpDown);
    EXPECT_FALSE(Checked("MmEnableUD"));
    EXPECT_EQ(CurPage()->Data().PgHide.Hide, 1);
    EXPECT_EQ(doc.Modified, 0);
    EXPECT_EQ(prompt.shown, std::vector<QString>{Msg(129) + "\n" + Msg(123)});

    prompt.answers = {Answer::Yes};
    Trigger("MmEnableUD");
    EXPECT_TRUE(doc.EnableUpDown);
    EXPECT_TRUE(Checked("MmEnableUD"));
    EXPECT_EQ(CurPage()->Data().PgHide.Hide, 0);

    doc.SysFunKeys[10].ButtonType = kes::BtnType::SetOn;
    doc.SysFunKeyUsed[10] = 1;
    CurPage()->Data().PgFunKeyUsed[11] = 1;
    doc.Modified = 0;
    Trigger("MmEnableUD");
    EXPECT_FALSE(doc.EnableUpDown);
    EXPECT_EQ(doc.SysFunKeyUsed[10], 0);
    EXPECT_EQ(CurPage()->Data().PgFunKeyUsed[11], 0);
    EXPECT_EQ(doc.Modified, 1);
}

TEST_F(SettingMenusTest, EveryShortcutHasOneOwner)
{
    std::map<QString, std::string> owners;
    for (QAction* a : Main()->findChildren<QAction*>()) {
        const QString key = a->shortcut().toString();
        // The page popup's items show the keys of the main menu's.
        if (key.isEmpty() || a->objectName().startsWith(QStringLiteral("Pop")))
            continue;
        const auto [it, fresh] = owners.emplace(key, a->objectName().toStdString());
        EXPECT_TRUE(fresh) << key.toStdString() << ": " << it->second << " and " << a->objectName().toStdString();
    }
    EXPECT_EQ(owners[QStringLiteral("Ctrl+F3")], "MmBuzzerSet");
    EXPECT_EQ(owners[QStringLiteral("Ctrl+F4")], "MmLedSet");
}

} // namespace
} // namespace kes::test
