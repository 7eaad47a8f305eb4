// Mouse editing on a live page of the started program, driven by Qt mouse events on the page's
// canvas and the main window's tools: every object kind is drawn with its tool at whole panel
// pixels and becomes the one selection; a double click opens the kind's settings dialog; the
// inspector follows the one selected object. The editing that needs no main window (drawing
// rules, selection, snapping, keys, the polyline) is in test_pagewindow.cpp.
#include "editortest.h"

#include "app/dialogs/objdialogs.h"
#include "app/editor/editorinspector.h"
#include "app/editor/pageeditor.h"
#include "app/inspector/tdlgprop.h"
#include "app/project/ui/tlxtype.h"
#include "objects/tgeom.h"
#include "tests/support/standindialogs.h"

#include <QAction>
#include <QDialog>

namespace kes::test {
namespace {

class MouseEditTest : public EditorTest {
protected:
    MouseEditTest() { dialogs = &standIns; }

    // What the started window opens for the kinds a test stands a dialog in for.
    StandInDialogs standIns;
};

TEST_F(MouseEditTest, EveryKindIsDrawnWithItsToolAndSelected)
{
    NewProject();
    struct Tool {
        const char* name;
        int kind;
        int tag; // a Tag given to the tool first (the bit tool of some panel models makes kind 21)
    } tools[] = {
        {"TbStTxt", 1, 0},  {"TbVal", 2, 0},    {"TbBit", 3, 0},      {"TbValRange", 4, 0}, {"TbStBmp", 5, 0},
        {"TbActBmp", 6, 0}, {"TbScale", 7, 0},  {"TbProgBar", 8, 0},  {"TbCirMeter", 9, 0}, {"MmRectMeter", 10, 0},
        {"TbPgNum", 11, 0}, {"TbMsg", 12, 0},   {"TbBtn", 13, 0},     {"TbCurves", 14, 0},  {"TbXyCurve", 15, 0},
        {"TbRtc", 16, 0},   {"TbLine", 17, 0},  {"TbRect", 17, 0},    {"TbRectF", 17, 0},   {"TbCir", 17, 0},
        {"TbCirF", 17, 0},  {"TbCurve", 17, 0}, {"TbChord", 17, 0},   {"TbChordF", 17, 0},  {"TbPie", 17, 0},
        {"TbPieF", 17, 0},  {"TbPoly", 17, 0},  {"TbLighter", 18, 0}, {"TbMetrol", 19, 0},  {"TbInputVal", 20, 0},
        {"TbBit", 21, 21},
    };
    const QPoint from = At(10, 8);
    const QPoint to = At(50, 30);
    for (const Tool& t : tools) {
        SCOPED_TRACE(t.name);
        if (t.tag)
            Main()->Action(t.name)->setProperty("Tag", t.tag);
        TLxObj* obj = DrawWith(t.name, from, to);
        ASSERT_NE(obj, nullptr);
        EXPECT_EQ(obj->ObjType, t.kind);
        EXPECT_TRUE(obj->Selected);
        EXPECT_EQ(Page().Data().SelList, TObjList{obj});
        EXPECT_EQ(Page().Data().CurObj, obj);
        EXPECT_TRUE(OnWholePanelPixels(*obj, StepX(), StepY()));
        EXPECT_TRUE(InsidePage(*obj, Page()));
        // A kind whose size follows the drag takes the dragged box.
        if (obj->SizeSetsPicture && t.kind != 17) {
            EXPECT_EQ(obj->Left, from.x());
            EXPECT_EQ(obj->Top, from.y());
            EXPECT_EQ(obj->Width, to.x() - from.x());
            EXPECT_EQ(obj->Height, to.y() - from.y());
        }
        EXPECT_EQ(Main()->Doc.Modified, 1);
        // The undo step the drawing recorded takes it away again.
        Trigger("MmUndo");
        EXPECT_TRUE(Page().Data().ObjList.empty());
    }
}

TEST_F(MouseEditTest, DoubleClickOpensTheKindsDialogForOneSelectedObject)
{
    NewProject();
    int opened = 0;
    QString caption;
    standIns.StandIn(ObjKind::StTxt, [&](DialogContext& ctx, TLxObj& obj, QWidget*, const QString& title) {
        ++opened;
        caption = title;
        EXPECT_EQ(obj.ObjType, 1);
        EXPECT_EQ(ctx.Page, DataOf(CurPage()));
        return true;
    });
    TLxObj* a = DrawWith("TbStTxt", At(2, 2), At(20, 10));
    TLxObj* b = DrawWith("TbStTxt", At(40, 2), At(60, 10));
    ASSERT_TRUE(a && b);
    Trigger("tbPointTo");
    Main()->Doc.Modified = 0;
    DoubleClick(At(5, 5));
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(caption, Main()->Action("TbStTxt")->toolTip());
    EXPECT_EQ(Page().Data().CurObj, a);
    EXPECT_EQ(Main()->Doc.Modified, 1) << "what the dialog stored reaches the page";
    EXPECT_TRUE(Page().Data().SelList == TObjList{a});

    Click(At(45, 5), Qt::ShiftModifier);
    ASSERT_EQ(Page().Data().SelList.size(), 2u);
    Page().ObjDblClick(b);
    EXPECT_EQ(opened, 1) << "two selected: no dialog";
}

TEST_F(MouseEditTest, TheInspectorFollowsTheOneSelectedObject)
{
    NewProject();
    Main()->View.ObjInspectorOn = true;
    auto* inspector = new TDlgProp(Main(), Main()->Ask(), *Main()->LxType);
    Main()->DlgPropWin = inspector;
    TLxObj* a = DrawWith("TbVal", At(2, 2), At(30, 12));
    EXPECT_EQ(inspector->Source(), &Main()->PageEd->InspectorSource());
    EXPECT_EQ(inspector->ShownObj, a);
    TLxObj* b = DrawWith("TbStTxt", At(40, 2), At(70, 12));
    EXPECT_EQ(inspector->ShownObj, b);
    Trigger("tbPointTo");
    Click(At(10, 6));
    EXPECT_EQ(inspector->ShownObj, a);
    Click(At(50, 6), Qt::ShiftModifier);
    EXPECT_EQ(inspector->ShownObj, nullptr) << "two selected: nothing shown";
    // Objects freed by an undo leave nothing behind in the inspector.
    Click(At(10, 6));
    Trigger("MmUndo");
    EXPECT_TRUE(inspector->ShownObj == nullptr || std::find(Page().Data().ObjList.begin(), Page().Data().ObjList.end(),
                                                            inspector->ShownObj) != Page().Data().ObjList.end());
    delete inspector;
}

} // namespace
} // namespace kes::test
