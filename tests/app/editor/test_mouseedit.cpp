// Mouse editing on a live page, driven by Qt mouse and key events on the page's canvas: every
// object kind is drawn with its tool at whole panel pixels and becomes the one selection;
// objects are selected by click, Shift+click and rubber band; moves and resizes snap to panel
// pixels at every zoom and grid, stay on the page, and an edge dragged over the opposite one
// keeps the object upright; a double click opens the kind's settings dialog.
#include "editortest.h"

#include "app/dialogs/objdialogs.h"
#include "app/editor/editorinspector.h"
#include "app/inspector/tdlgprop.h"
#include "app/project/ui/tlxtype.h"
#include "objects/tgeom.h"

#include <QAction>
#include <QDialog>

namespace kes::test {
namespace {

class MouseEditTest : public EditorTest {};

bool OnWholePanelPixels(const TLxObj& o, int sx, int sy)
{
    return o.Left % sx == 0 && o.Top % sy == 0 && o.Width % sx == 0 && o.Height % sy == 0;
}

bool InsidePage(const TLxObj& o, const THmPage& p)
{
    return o.Left >= 0 && o.Top >= 0 && o.Left + o.Width <= p.ClientWidth() && o.Top + o.Height <= p.ClientHeight();
}

TEST_F(MouseEditTest, EveryKindIsDrawnWithItsToolAndSelected)
{
    NewProject();
    struct Tool {
        const char* name;
        int kind;
        int tag; // a Tag given to the tool first (the bit tool of some panel models makes kind 21)
    } tools[] = {
        {"TbStTxt", 1, 0},    {"TbVal", 2, 0},      {"TbBit", 3, 0},       {"TbValRange", 4, 0},
        {"TbStBmp", 5, 0},    {"TbActBmp", 6, 0},   {"TbScale", 7, 0},     {"TbProgBar", 8, 0},
        {"TbCirMeter", 9, 0}, {"MmRectMeter", 10, 0}, {"TbPgNum", 11, 0},  {"TbMsg", 12, 0},
        {"TbBtn", 13, 0},     {"TbCurves", 14, 0},  {"TbXyCurve", 15, 0},  {"TbRtc", 16, 0},
        {"TbLine", 17, 0},    {"TbRect", 17, 0},    {"TbRectF", 17, 0},    {"TbCir", 17, 0},
        {"TbCirF", 17, 0},    {"TbCurve", 17, 0},   {"TbChord", 17, 0},    {"TbChordF", 17, 0},
        {"TbPie", 17, 0},     {"TbPieF", 17, 0},    {"TbPoly", 17, 0},     {"TbLighter", 18, 0},
        {"TbMetrol", 19, 0},  {"TbInputVal", 20, 0}, {"TbBit", 21, 21},
    };
    const QPoint from = At(10, 8);
    const QPoint to = At(50, 30);
    for (const Tool& t : tools) {
        SCOPED_TRACE(t.name);
        if (t.tag)
            Khm->Action(t.name)->setProperty("Tag", t.tag);
        TLxObj* obj = DrawWith(t.name, from, to);
        ASSERT_NE(obj, nullptr);
        EXPECT_EQ(obj->ObjType, t.kind);
        EXPECT_TRUE(obj->Selected);
        EXPECT_EQ(Page().SelList, TObjList{obj});
        EXPECT_EQ(Page().CurObj, obj);
        EXPECT_TRUE(OnWholePanelPixels(*obj, StepX(), StepY()));
        EXPECT_TRUE(InsidePage(*obj, Page()));
        // A kind whose size follows the drag takes the dragged box.
        if (obj->SizeSetsPicture && t.kind != 17) {
            EXPECT_EQ(obj->Left, from.x());
            EXPECT_EQ(obj->Top, from.y());
            EXPECT_EQ(obj->Width, to.x() - from.x());
            EXPECT_EQ(obj->Height, to.y() - from.y());
        }
        EXPECT_EQ(Khm->Doc.Modified, 1);
        // The undo step the drawing recorded takes it away again.
        Trigger("MmUndo");
        EXPECT_TRUE(Page().ObjList.empty());
    }
}

TEST_F(MouseEditTest, ABoxDrawnBackwardsOrTooSmallFollowsTheDrawingRules)
{
    NewProject();
    // A size-following kind takes the smaller corner of the two points.
    TLxObj* txt = DrawWith("TbStTxt", At(60, 40), At(20, 10));
    ASSERT_NE(txt, nullptr);
    EXPECT_EQ(QPoint(txt->Left, txt->Top), At(20, 10));
    EXPECT_EQ(txt->Width, 40 * StepX());
    // A dragged box of fewer than 4 panel pixels gives 4.
    TLxObj* small = DrawWith("TbVal", At(100, 10), At(102, 11));
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(small->Width, 4 * StepX());
    EXPECT_EQ(small->Height, 4 * StepY());
    // A kind of fixed size drawn from lower right to upper left sits at the release point.
    TLxObj* meter = DrawWith("TbStBmp", At(180, 50), At(150, 20));
    ASSERT_NE(meter, nullptr) << ObjectsText();
    EXPECT_EQ(QPoint(meter->Left, meter->Top), At(150, 20));
}

TEST_F(MouseEditTest, SelectionByClickShiftClickAndRubberBand)
{
    NewProject();
    TLxObj* a = DrawWith("TbStTxt", At(2, 2), At(20, 10));
    TLxObj* b = DrawWith("TbStTxt", At(40, 2), At(60, 10));
    TLxObj* c = DrawWith("TbStTxt", At(80, 2), At(100, 10));
    ASSERT_TRUE(a && b && c);
    Trigger("tbPointTo");

    Click(At(5, 5));
    EXPECT_EQ(Page().SelList, TObjList{a});
    EXPECT_EQ(Page().CurObj, a);
    Click(At(85, 5), Qt::ShiftModifier);
    EXPECT_EQ(Page().SelList, (TObjList{a, c}));
    EXPECT_EQ(Page().CurObj, nullptr) << "two selected: no current object";
    Click(At(85, 5), Qt::ShiftModifier);
    EXPECT_EQ(Page().SelList, (TObjList{a, c})) << "Shift+click adds, never removes";

    Click(At(150, 50)); // empty page
    EXPECT_TRUE(Page().SelList.empty());
    EXPECT_FALSE(a->Selected || b->Selected || c->Selected);

    // A band from lower right to upper left over b and c.
    Drag(At(120, 40), At(50, 5));
    EXPECT_EQ(Page().SelList, (TObjList{b, c}));
    EXPECT_FALSE(Page().BandShown());
    // A band over one object makes it the current one.
    Click(At(150, 50));
    Drag(At(30, 30), At(45, 5));
    EXPECT_EQ(Page().SelList, TObjList{b});
    EXPECT_EQ(Page().CurObj, b);
}

// Moves and resizes at each zoom on the models with grid 1 x 1 and 2 x 1.
class SnapTest : public EditorTest, public ::testing::WithParamInterface<std::tuple<int, int>> {};

TEST_P(SnapTest, MovesAndResizesLandOnWholePanelPixels)
{
    const auto [model, zoom] = GetParam();
    NewProject(model);
    Khm->MmPgSizeClick(zoom);
    ASSERT_EQ(Page().Zoom, zoom);
    const int sx = StepX();
    const int sy = StepY();
    EXPECT_EQ(sx, zoom * Khm->Doc.GridWidth);

    TLxObj* obj = DrawWith("TbStTxt", At(10, 10), At(30, 20));
    ASSERT_NE(obj, nullptr);
    Trigger("tbPointTo");
    const std::size_t undoBefore = Page().UndoList.size();

    // Move: grabbed inside, dragged by 5 panel pixels and a fraction of one.
    const QPoint grab = At(20, 15);
    Drag(grab, grab + At(5, 3) + QPoint(sx - 1, sy - 1));
    EXPECT_EQ(QPoint(obj->Left, obj->Top), At(15, 13));
    EXPECT_EQ(obj->SelCorners[0], (TPoint{obj->Left, obj->Top}));
    EXPECT_EQ(Page().UndoList.size(), undoBefore + 1);

    // Against the left edge the object stops at x = 0.
    Drag(At(20, 15), At(0, 15) - QPoint(3 * sx, 0));
    EXPECT_EQ(obj->Left, 0);

    // Resize by the right handle: the width follows in whole panel pixels.
    const int w = obj->Width;
    const QPoint right(obj->Left + obj->Width - sx, obj->Top + obj->Height / 2);
    Drag(right, right + At(7, 0) + QPoint(sx - 1, 0));
    EXPECT_EQ(obj->Width, w + 7 * sx);
    EXPECT_TRUE(OnWholePanelPixels(*obj, sx, sy));

    // The left handle dragged past the right edge goes on as a right-edge resize.
    const int rightEdge = obj->Left + obj->Width;
    const QPoint left(obj->Left, obj->Top + obj->Height / 2);
    Drag(left, QPoint(rightEdge + 4 * sx, left.y()));
    EXPECT_EQ(obj->Left, rightEdge);
    EXPECT_EQ(obj->Width, 4 * sx);
    EXPECT_TRUE(InsidePage(*obj, Page()));

    // The right edge dragged onto the left one: the object keeps one panel pixel.
    const QPoint edge(obj->Left + obj->Width - sx, obj->Top + obj->Height / 2);
    Drag(edge, QPoint(obj->Left - sx, edge.y()));
    EXPECT_EQ(obj->Width, sx);
    EXPECT_TRUE(InsidePage(*obj, Page()));

    // Arrow keys move by one panel pixel; Shift+arrow resizes.
    const QPoint at(obj->Left, obj->Top);
    Key(Qt::Key_Right);
    Key(Qt::Key_Down);
    EXPECT_EQ(QPoint(obj->Left, obj->Top), at + QPoint(sx, sy));
    const int w2 = obj->Width;
    Key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(obj->Width, w2 + sx);
}

INSTANTIATE_TEST_SUITE_P(ZoomAndGrid, SnapTest,
                         ::testing::Combine(::testing::Values(0, 4), ::testing::Values(1, 2, 4)),
                         [](const auto& info) {
                             return (std::get<0>(info.param) == 0 ? std::string("Grid1x1") : std::string("Grid2x1"))
                                    + "Zoom" + std::to_string(std::get<1>(info.param));
                         });

TEST_F(MouseEditTest, KeyboardEditsStayOnThePageAndKeepAPanelPixel)
{
    NewProject(1); // 128 x 64 panel pixels
    TLxObj* obj = DrawWith("TbStTxt", At(120, 2), At(127, 6));
    ASSERT_NE(obj, nullptr);
    Trigger("tbPointTo");
    Click(QPoint(obj->Left + 1, obj->Top + 1));
    for (int i = 0; i < 5; ++i)
        Key(Qt::Key_Right);
    EXPECT_EQ(obj->Left + obj->Width, Page().ClientWidth()) << "a selection at the right edge moves no further";
    for (int i = 0; i < 5; ++i)
        Key(Qt::Key_Up);
    EXPECT_EQ(obj->Top, 0);
    while (obj->Width > StepX())
        Key(Qt::Key_Left, Qt::ShiftModifier);
    Key(Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(obj->Width, StepX()) << "one panel pixel wide stays one panel pixel wide";
    Khm->Doc.Modified = 0;
    Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(Khm->Doc.Modified, 1) << "a keyboard resize is an edit of the page";
}

TEST_F(MouseEditTest, DoubleClickOpensTheKindsDialogForOneSelectedObject)
{
    NewProject();
    int opened = 0;
    QString caption;
    ReplaceObjDialog(ObjKind::StTxt, [&](DialogContext& ctx, TLxObj& obj, QWidget*, const QString& title) {
        ++opened;
        caption = title;
        EXPECT_EQ(obj.ObjType, 1);
        EXPECT_EQ(ctx.Page, HmPage);
        return true;
    });
    TLxObj* a = DrawWith("TbStTxt", At(2, 2), At(20, 10));
    TLxObj* b = DrawWith("TbStTxt", At(40, 2), At(60, 10));
    ASSERT_TRUE(a && b);
    Trigger("tbPointTo");
    Khm->Doc.Modified = 0;
    DoubleClick(At(5, 5));
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(caption, Khm->Action("TbStTxt")->toolTip());
    EXPECT_EQ(Page().CurObj, a);
    EXPECT_EQ(Khm->Doc.Modified, 1) << "what the dialog stored reaches the page";
    EXPECT_TRUE(Page().SelList == TObjList{a});

    Click(At(45, 5), Qt::ShiftModifier);
    ASSERT_EQ(Page().SelList.size(), 2u);
    Page().ObjDblClick(b);
    EXPECT_EQ(opened, 1) << "two selected: no dialog";
    ReplaceObjDialog(ObjKind::StTxt, nullptr);
}

TEST_F(MouseEditTest, TheInspectorFollowsTheOneSelectedObject)
{
    NewProject();
    Khm->Doc.ObjInspectorOn = true;
    auto* inspector = new TDlgProp(Khm, *LxType);
    ASSERT_EQ(DlgProp, inspector);
    TLxObj* a = DrawWith("TbVal", At(2, 2), At(30, 12));
    EXPECT_EQ(inspector->Source(), &EditorInspectorSource());
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
    EXPECT_TRUE(inspector->ShownObj == nullptr
                || std::find(Page().ObjList.begin(), Page().ObjList.end(), inspector->ShownObj) != Page().ObjList.end());
    delete inspector;
}

TEST_F(MouseEditTest, APolylineIsClickedPointByPointAndARightPressCancelsIt)
{
    NewProject();
    Trigger("TbPoly");
    Click(At(10, 10));
    Move(At(30, 10), Qt::NoButton);
    Click(At(30, 10));
    Move(At(30, 30), Qt::NoButton);
    EXPECT_EQ(Page().PolyPtCount, 2);
    DoubleClick(At(30, 30));
    ASSERT_EQ(Page().ObjList.size(), 1u);
    auto* geom = dynamic_cast<TGeom*>(Page().ObjList.front());
    ASSERT_NE(geom, nullptr);
    EXPECT_EQ(geom->GeomType, GeomPoly);
    EXPECT_EQ(QPoint(geom->Left, geom->Top), At(10, 10));
    EXPECT_EQ(Page().PolyPtCount, 0);

    // Points clicked, then the left button pressed while the right one is held: dropped.
    Trigger("TbPoly");
    Click(At(100, 10));
    Send(QEvent::MouseButtonPress, At(110, 20), Qt::RightButton, Qt::RightButton);
    Send(QEvent::MouseButtonPress, At(110, 20), Qt::LeftButton, Qt::LeftButton | Qt::RightButton);
    Send(QEvent::MouseButtonRelease, At(110, 20), Qt::LeftButton, Qt::RightButton);
    Send(QEvent::MouseButtonRelease, At(110, 20), Qt::RightButton, Qt::NoButton);
    EXPECT_EQ(Page().PolyPtCount, 0);
    EXPECT_EQ(Page().ToolKind, 0);
    EXPECT_EQ(Page().ObjList.size(), 1u);
}

} // namespace
} // namespace kes::test
