// The arithmetic under mouse and key editing: every position is snapped down to a whole
// panel pixel at any zoom and grid; a handle zone names the edges its press drags; a moved
// selection and a dragged edge stay inside the page; an edge dragged over the opposite one
// continues as that edge with the outline kept upright.
#include "app/editor/editgeom.h"

#include <gtest/gtest.h>

namespace kes::test {
namespace {

TEST(EditGeom, SnapsDownToWholePanelPixels)
{
    struct Case {
        TPoint in;
        PanelStep step;
        TPoint out;
    } cases[] = {
        {{7, 7}, {2, 2, 2}, {4, 4}},     // zoom 2, grid 2: one panel pixel is 4 screen pixels
        {{7, 7}, {1, 1, 1}, {7, 7}},     // zoom 1 keeps every pixel
        {{9, 9}, {4, 1, 1}, {8, 8}},     // zoom 4
        {{13, 5}, {2, 2, 1}, {12, 4}},   // grid 2 x 1: the axes snap apart
        {{3, 3}, {4, 1, 1}, {0, 0}},     // inside the first panel pixel
        {{-3, -5}, {2, 1, 1}, {-2, -4}}, // left of an object: toward zero
        {{31, 47}, {16, 1, 1}, {16, 32}},
    };
    for (const Case& c : cases) {
        const TPoint p = SnapPoint(c.in, c.step);
        EXPECT_EQ(p, c.out) << c.in.x << "," << c.in.y << " zoom " << c.step.Zoom;
    }
}

TEST(EditGeom, HandleZonesNameTheEdgesAPressDrags)
{
    // A 40 x 20 object at zoom 2, grid 1: zones reach 4 pixels in from each side.
    const PanelStep step{2, 1, 1};
    struct Case {
        int x, y;
        EdgeCursor cursor;
        int mode;
    } cases[] = {
        {1, 1, EdgeCursor::SizeNWSE, kResizeTop | kResizeLeft},
        {1, 10, EdgeCursor::SizeWE, kResizeLeft},
        {1, 18, EdgeCursor::SizeNESW, kResizeBottom | kResizeLeft},
        {38, 1, EdgeCursor::SizeNESW, kResizeTop | kResizeRight},
        {38, 10, EdgeCursor::SizeWE, kResizeRight},
        {38, 18, EdgeCursor::SizeNWSE, kResizeBottom | kResizeRight},
        {20, 1, EdgeCursor::SizeNS, kResizeTop},
        {20, 18, EdgeCursor::SizeNS, kResizeBottom},
        {20, 10, EdgeCursor::Default, 0}, // inside: a move
        {10, 1, EdgeCursor::Default, 0},  // along the top, away from the middle
    };
    for (const Case& c : cases) {
        const EdgeCursor cursor = HandleZoneCursor(c.x, c.y, 40, 20, step);
        EXPECT_EQ(cursor, c.cursor) << c.x << "," << c.y;
        EXPECT_EQ(ResizeModeFor(cursor, c.x, c.y, step), c.mode) << c.x << "," << c.y;
    }
}

TEST(EditGeom, AMovedSelectionStopsAtThePageEdges)
{
    const TRect box{10, 10, 50, 30}; // left, top, right, bottom
    struct Case {
        int dx, dy;
        TPoint moved;
    } cases[] = {
        {5, 5, {5, 5}},     {-20, 0, {-10, 0}}, // against the left edge: stops at x = 0
        {60, 0, {50, 0}},                       // against the right edge: the right side stops at the client width
        {0, -11, {0, -10}}, {0, 40, {0, 34}},   {-100, 100, {-10, 34}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClampMove(box, c.dx, c.dy, 100, 64), c.moved) << c.dx << "," << c.dy;
}

TEST(EditGeom, AnEdgeDraggedOverTheOppositeOneTakesItsPlace)
{
    // Object from x 10 to 30; its left edge dragged 30 to the right passes the right edge.
    Outline o = OutlineOf(10, 10, 20, 10);
    int mode = kResizeLeft;
    TPoint moved = ResizeOutline(o, mode, 30, 0, 100, 64);
    EXPECT_EQ(moved, (TPoint{30, 0}));
    EXPECT_EQ(mode, kResizeRight) << "the drag continues as a right-edge resize";
    EXPECT_EQ(o, OutlineOf(30, 10, 10, 10)) << "the outline stays upright";
    moved = ResizeOutline(o, mode, 4, 0, 100, 64);
    EXPECT_EQ(o, OutlineOf(30, 10, 14, 10));

    // The bottom edge dragged above the top, then held at the page's top.
    o = OutlineOf(10, 10, 20, 10);
    mode = kResizeBottom | kResizeRight;
    moved = ResizeOutline(o, mode, 0, -30, 100, 64);
    EXPECT_EQ(mode, kResizeTop | kResizeRight);
    EXPECT_EQ(moved, (TPoint{0, -20})) << "the dragged edge stops at y = 0";
    EXPECT_EQ(o, OutlineOf(10, 0, 20, 10));

    // Edges stay within the client area.
    o = OutlineOf(10, 10, 20, 10);
    mode = kResizeRight;
    moved = ResizeOutline(o, mode, 500, 0, 100, 64);
    EXPECT_EQ(o, OutlineOf(10, 10, 90, 10));
    EXPECT_EQ(moved.x, 70);
}

} // namespace
} // namespace kes::test
