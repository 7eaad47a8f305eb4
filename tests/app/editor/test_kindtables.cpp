// Every layer's table has its entry for each of the 21 kinds (each table is checked complete
// when it compiles), and the tool table agrees with the main window: the tool button and menu
// item named for a kind exist, carry the kind as their Tag where they draw it, and drawing
// with the button puts an object of that kind on the page.
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
        const std::pair<const char*, bool> items[] = {{tool.ToolButton, tool.ToolDraws}, {tool.MenuItem, tool.MenuDraws}};
        for (const auto& [name, draws] : items) {
            if (name == nullptr)
                continue;
            QAction* a = Khm->Action(name);
            ASSERT_NE(a, nullptr) << name << " is no item of the main window";
            if (draws) {
                EXPECT_EQ(a->property("Tag").toInt(), KindCode(k)) << name;
            }
        }
        if (!tool.ToolDraws || !Khm->Action(tool.ToolButton)->isVisible())
            continue;
        TLxObj* obj = DrawWith(tool.ToolButton, At(2, 2), At(30, 20));
        ASSERT_NE(obj, nullptr) << tool.ToolButton;
        EXPECT_EQ(obj->ObjType, KindCode(k)) << tool.ToolButton;
        ++drawn;
        Trigger("TbDel");
    }
    EXPECT_GE(drawn, 15);
}

} // namespace
} // namespace kes::test
