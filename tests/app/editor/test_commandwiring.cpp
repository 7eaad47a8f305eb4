// Every command of the main window's menus and tool bars and of the page popup is either
// wired to its handler or named on the list of commands not built yet, never both: a
// misspelt name in the wiring leaves an item on neither and fails here (Wire itself stops
// the program on a name that is no item).
#include "editortest.h"

#include <QAction>
#include <QMenu>

#include <set>
#include <string>

namespace kes::test {
namespace {

// Commands whose subsystem is not built yet. Take a name off when its command is wired.
// In menu order: File, Edit (also on the page popup), Compile, View, Communication, the page and
// system settings, Tools, Settings.
const std::set<std::string> kNotBuiltYet = {};

class CommandWiringTest : public EditorTest {};

std::vector<QAction*> Commands(const QObject& owner)
{
    std::vector<QAction*> out;
    for (QAction* a : owner.findChildren<QAction*>())
        if (!a->menu() && !a->isSeparator() && !a->objectName().isEmpty())
            out.push_back(a);
    return out;
}

TEST_F(CommandWiringTest, EveryItemIsWiredOrListedAsNotBuilt)
{
    NewProject();
    std::vector<QAction*> all = Commands(*Main());
    const std::vector<QAction*> popup = Commands(*Page().PgPopMm());
    all.insert(all.end(), popup.begin(), popup.end());
    std::set<std::string> seen;
    for (QAction* a : all) {
        const std::string name = a->objectName().toStdString();
        const bool wired = a->property("kesWired").toBool();
        const bool listed = kNotBuiltYet.count(name) != 0;
        if (listed)
            seen.insert(name);
        EXPECT_TRUE(wired != listed) << name
                                     << (wired ? " is wired: take it off the not-built list"
                                               : " is neither wired nor on the not-built list");
    }
    for (const std::string& name : kNotBuiltYet)
        EXPECT_TRUE(seen.count(name)) << name << " is no menu item, tool button or popup item";
}

using CommandWiringDeathTest = CommandWiringTest;

TEST_F(CommandWiringDeathTest, AnUnknownNameOrAnItemWiredTwiceStopsTheProgram)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(Main()->Wire("MmNoSuchItem", [] {}), "MmNoSuchItem");
    EXPECT_DEATH(Main()->Wire("MmNew", [] {}), "MmNew is wired twice");
    EXPECT_DEATH(Main()->SetItemEnabled("TbNoSuchTool", true), "TbNoSuchTool");
    EXPECT_DEATH(Main()->Action("MmNoSuchItem"), "MmNoSuchItem");
    EXPECT_DEATH(Main()->ToolWidget("TbNoSuchBox"), "TbNoSuchBox");
    EXPECT_EQ(Main()->FindAction("MmNoSuchItem"), nullptr);
}

} // namespace
} // namespace kes::test
