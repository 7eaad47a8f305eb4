// A page window without the main window: a page editor over a project and a host of its own
// (no menus, tool bars or dialogs) opens, lists and closes its windows, and a page is edited
// with the mouse and keys as in the program: boxes drawn backwards or too small follow the
// drawing rules; objects are selected by click, Shift+click and rubber band; moves and resizes
// snap to panel pixels at every zoom and grid and stay on the page; a polyline is clicked point
// by point.
#include "pagetest.h"

#include "objects/tgeom.h"

#include <QPointer>

namespace kes::test {
namespace {

class PageWindowTest : public PageTest {};

TEST_F(PageWindowTest, TheEditorKeepsItsWindowsInPageOrderAndOwnsThem)
{
    NewProject();
    for (int i = 0; i < 2; ++i)
        host.doc.PgDataList.push_back(std::make_unique<PgDataStr>());
    editor->LoadPageWindow(2);
    THmPage* third = editor->OpenPageOf(2);
    THmPage* first = editor->Pages().front();
    editor->LoadPageWindow(1);
    THmPage* second = editor->OpenPageOf(1);
    ASSERT_TRUE(first && second && third);
    EXPECT_EQ(editor->Pages(), (std::vector<THmPage*>{first, second, third}));
    editor->LoadPageWindow(2);
    EXPECT_EQ(editor->Pages().size(), 3u) << "an open page's window is brought back, not made again";
    EXPECT_EQ(CurPage(), third);
    editor->LoadPageWindow(3);
    EXPECT_EQ(editor->Pages().size(), 3u) << "no such page";

    // A window that closes leaves the list; the editor deletes the ones still open.
    QPointer<THmPage> watch = first;
    second->close();
    EXPECT_EQ(editor->Pages(), (std::vector<THmPage*>{first, third}));
    editor.reset();
    EXPECT_TRUE(watch.isNull());
    EXPECT_EQ(CurPage(), nullptr);
}

TEST_F(PageWindowTest, ABoxDrawnBackwardsOrTooSmallFollowsTheDrawingRules)
{
    NewProject();
    // A size-following kind takes the smaller corner of the two points.
    TLxObj* txt = Draw(ObjKind::StTxt, At(60, 40), At(20, 10));
    ASSERT_NE(txt, nullptr);
    EXPECT_EQ(QPoint(txt->Left, txt->Top), At(20, 10));
    EXPECT_EQ(txt->Width, 40 * StepX());
    // A dragged box of fewer than 4 panel pixels gives 4.
    TLxObj* small = Draw(ObjKind::LxVal, At(100, 10), At(102, 11));
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(small->Width, 4 * StepX());
    EXPECT_EQ(small->Height, 4 * StepY());
    // A kind of fixed size drawn from lower right to upper left sits at the release point.
    TLxObj* meter = Draw(ObjKind::StBmp, At(180, 50), At(150, 20));
    ASSERT_NE(meter, nullptr) << ObjectsText();
    EXPECT_EQ(QPoint(meter->Left, meter->Top), At(150, 20));
}

// The round meter keeps square and is made at a default size larger than most drags: the
// square drawn sits at the drag's upper left corner, also low or far right on the page.
TEST_F(PageWindowTest, ARoundMeterSitsWhereItWasDrawn)
{
    NewProject();
    const int w = host.model->PanelWidth;
    const int h = host.model->PanelHeight;
    struct Case {
        const char* name;
        QPoint from, to, corner;
        int side;
    } cases[] = {
        {"low on the page", {10, h - 24}, {40, h - 4}, {10, h - 24}, 20},
        {"far right", {w - 24, 2}, {w - 4, 30}, {w - 24, 2}, 20},
        {"backwards, low", {70, h - 2}, {50, h - 20}, {50, h - 20}, 18},
        {"the whole page high", {60, 0}, {200, h}, {60, 0}, h},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TLxObj* meter = Draw(ObjKind::CirMeter, At(c.from.x(), c.from.y()), At(c.to.x(), c.to.y()));
        ASSERT_NE(meter, nullptr) << ObjectsText();
        EXPECT_EQ(QPoint(meter->Left, meter->Top), At(c.corner.x(), c.corner.y()));
        EXPECT_EQ(meter->Width, c.side * StepX());
        EXPECT_TRUE(InsidePage(*meter, *CurPage()));
    }
}

TEST_F(PageWindowTest, SelectionByClickShiftClickAndRubberBand)
{
    NewProject();
    TLxObj* a = Draw(ObjKind::StTxt, At(2, 2), At(20, 10));
    TLxObj* b = Draw(ObjKind::StTxt, At(40, 2), At(60, 10));
    TLxObj* c = Draw(ObjKind::StTxt, At(80, 2), At(100, 10));
    ASSERT_TRUE(a && b && c);
    Pointer();

    Click(At(5, 5));
    EXPECT_EQ(Page().Data().SelList, TObjList{a});
    EXPECT_EQ(Page().Data().CurObj, a);
    Click(At(85, 5), Qt::ShiftModifier);
    EXPECT_EQ(Page().Data().SelList, (TObjList{a, c}));
    EXPECT_EQ(Page().Data().CurObj, nullptr) << "two selected: no current object";
    Click(At(85, 5), Qt::ShiftModifier);
    EXPECT_EQ(Page().Data().SelList, (TObjList{a, c})) << "Shift+click adds, never removes";

    Click(At(150, 50)); // empty page
    EXPECT_TRUE(Page().Data().SelList.empty());
    EXPECT_FALSE(a->Selected || b->Selected || c->Selected);

    // A band from lower right to upper left over b and c.
    Drag(At(120, 40), At(50, 5));
    EXPECT_EQ(Page().Data().SelList, (TObjList{b, c}));
    EXPECT_FALSE(Page().BandShown());
    // A band over one object makes it the current one.
    Click(At(150, 50));
    Drag(At(30, 30), At(45, 5));
    EXPECT_EQ(Page().Data().SelList, TObjList{b});
    EXPECT_EQ(Page().Data().CurObj, b);
}

// Moves and resizes at each zoom on the models with grid 1 x 1 and 2 x 1.
class SnapTest : public PageTest, public ::testing::WithParamInterface<std::tuple<int, int>> {};

TEST_P(SnapTest, MovesAndResizesLandOnWholePanelPixels)
{
    const auto [model, zoom] = GetParam();
    NewProject(model);
    editor->SetPageZoom(CurPage(), zoom);
    ASSERT_EQ(Page().Data().Zoom, zoom);
    const int sx = StepX();
    const int sy = StepY();
    EXPECT_EQ(sx, zoom * host.doc.GridWidth);

    TLxObj* obj = Draw(ObjKind::StTxt, At(10, 10), At(30, 20));
    ASSERT_NE(obj, nullptr);
    Pointer();
    const std::size_t undoBefore = Page().UndoList().size();

    // Move: grabbed inside, dragged by 5 panel pixels and a fraction of one.
    const QPoint grab = At(20, 15);
    Drag(grab, grab + At(5, 3) + QPoint(sx - 1, sy - 1));
    EXPECT_EQ(QPoint(obj->Left, obj->Top), At(15, 13));
    EXPECT_EQ(obj->SelCorners[0], (TPoint{obj->Left, obj->Top}));
    EXPECT_EQ(Page().UndoList().size(), undoBefore + 1);

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

INSTANTIATE_TEST_SUITE_P(ZoomAndGrid, SnapTest, ::testing::Combine(::testing::Values(0, 4), ::testing::Values(1, 2, 4)),
                         [](const auto& info) {
                             return (std::get<0>(info.param) == 0 ? std::string("Grid1x1") : std::string("Grid2x1")) +
                                    "Zoom" + std::to_string(std::get<1>(info.param));
                         });

TEST_F(PageWindowTest, KeyboardEditsStayOnThePageAndKeepAPanelPixel)
{
    NewProject(1); // 128 x 64 panel pixels
    TLxObj* obj = Draw(ObjKind::StTxt, At(120, 2), At(127, 6));
    ASSERT_NE(obj, nullptr);
    Pointer();
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
    host.doc.Modified = 0;
    Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(host.doc.Modified, 1) << "a keyboard resize is an edit of the page";
}

TEST_F(PageWindowTest, APolylineIsClickedPointByPointAndARightPressCancelsIt)
{
    NewProject();
    Choose(ObjKind::Geom, GeomPoly);
    Click(At(10, 10));
    Move(At(30, 10), Qt::NoButton);
    Click(At(30, 10));
    Move(At(30, 30), Qt::NoButton);
    EXPECT_EQ(Page().PolyPtCount(), 2);
    DoubleClick(At(30, 30));
    ASSERT_EQ(Page().Data().ObjList.size(), 1u);
    auto* geom = dynamic_cast<TGeom*>(Page().Data().ObjList.front());
    ASSERT_NE(geom, nullptr);
    EXPECT_EQ(geom->GeomType, GeomPoly);
    EXPECT_EQ(QPoint(geom->Left, geom->Top), At(10, 10));
    EXPECT_EQ(Page().PolyPtCount(), 0);

    // Points clicked, then the left button pressed while the right one is held: dropped.
    Choose(ObjKind::Geom, GeomPoly);
    Click(At(100, 10));
    Send(QEvent::MouseButtonPress, At(110, 20), Qt::RightButton, Qt::RightButton);
    Send(QEvent::MouseButtonPress, At(110, 20), Qt::LeftButton, Qt::LeftButton | Qt::RightButton);
    Send(QEvent::MouseButtonRelease, At(110, 20), Qt::LeftButton, Qt::RightButton);
    Send(QEvent::MouseButtonRelease, At(110, 20), Qt::RightButton, Qt::NoButton);
    EXPECT_EQ(Page().PolyPtCount(), 0);
    EXPECT_EQ(Page().ToolKind(), 0);
    EXPECT_EQ(Page().Data().ObjList.size(), 1u);
}

} // namespace
} // namespace kes::test
