// Every layer's table has its entry for each of the 21 kinds (each table is checked complete
// when it compiles), and the tool table agrees with the main window: the tool button and menu
// item named for a kind exist, carry the kind as their Tag where they draw it, and drawing
// with the button puts an object of that kind on the page. The tool panel a kind shows has the
// edits behind it: a state box lists states it can show, a text box stores what is typed, a
// picture panel loads a picture.
#include "editortest.h"

#include "app/dialogs/objdialogs.h"
#include "app/editor/kindtools.h"
#include "app/inspector/inspectorkinds.h"
#include "app/ui/objtools.h"
#include "objects/objkind.h"

#include <QAction>

#include <utility>

namespace kes::test {
namespace {

class KindTablesTest : public EditorTest {};

TEST_F(KindTablesTest, EveryLayerHasAnEntryForEveryKind)
{
    for (ObjKind k : AllObjKinds()) {
        SCOPED_TRACE(KindFacts(k).ClassName);
        EXPECT_EQ(KindFacts(k).Kind, k);
        EXPECT_EQ(ObjDialogOf(k).Kind, k);
        EXPECT_EQ(InspectorKindOf(k).Kind, k);
        EXPECT_EQ(KindToolsOf(k).Kind, k);
        EXPECT_EQ(ObjToolOf(k).Kind, k);
    }
}

TEST_F(KindTablesTest, EachKindsToolDrawsThatKind)
{
    NewProject();
    int drawn = 0;
    for (ObjKind k : AllObjKinds()) {
        const ObjToolEntry& tool = ObjToolOf(k);
        SCOPED_TRACE(KindFacts(k).ClassName);
        const std::pair<const char*, bool> items[] = {{tool.ToolButton, tool.ToolDraws},
                                                      {tool.MenuItem, tool.MenuDraws}};
        for (const auto& [name, draws] : items) {
            if (name == nullptr)
                continue;
            QAction* a = Main()->Action(name);
            ASSERT_NE(a, nullptr) << name << " is no item of the main window";
            if (draws) {
                EXPECT_EQ(a->property("Tag").toInt(), KindCode(k)) << name;
            }
        }
        if (!tool.ToolDraws || !Main()->Action(tool.ToolButton)->isVisible())
            continue;
        TLxObj* obj = DrawWith(tool.ToolButton, At(2, 2), At(30, 20));
        ASSERT_NE(obj, nullptr) << tool.ToolButton;
        EXPECT_EQ(obj->ObjType, KindCode(k)) << tool.ToolButton;
        ++drawn;
        Trigger("TbDel");
    }
    EXPECT_GE(drawn, 15);
}

TEST_F(KindTablesTest, EachKindsToolPanelHasItsEdits)
{
    for (ObjKind k : AllObjKinds()) {
        SCOPED_TRACE(KindFacts(k).ClassName);
        const KindTools& tools = KindToolsOf(k);
        const KindEdits& e = tools.Edits;
        EXPECT_EQ(tools.States != StateTool::None, e.States != nullptr && e.ChooseState != nullptr);
        EXPECT_EQ(tools.Texts != TextTool::None, e.FillTextBox != nullptr && e.StoreText != nullptr);
        EXPECT_EQ(tools.Texts == TextTool::Lines, e.ChooseLine != nullptr);
        // Both panels load pictures; only the one of texts and pictures places them.
        if (tools.Panel == ToolPanel::Picture || tools.Panel == ToolPanel::StateTexts) {
            EXPECT_NE(e.LoadPicture, nullptr);
            EXPECT_EQ(e.PlaceText != nullptr, tools.Panel == ToolPanel::StateTexts);
        }
    }
}

} // namespace
} // namespace kes::test
