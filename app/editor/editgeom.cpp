#include "app/editor/editgeom.h"

#include <algorithm>

namespace kes {

TPoint SnapPoint(TPoint p, const PanelStep& step)
{
    const int zoom = std::max(step.Zoom, 1);
    const int gw = std::max(step.GridWidth, 1);
    const int gh = std::max(step.GridHeight, 1);
    return TPoint{p.x / zoom / gw * zoom * gw, p.y / zoom / gh * zoom * gh};
}

EdgeCursor HandleZoneCursor(int x, int y, int w, int h, const PanelStep& step)
{
    const int gx = 2 * step.X();
    const int gy = 2 * step.Y();
    const int hx = gx / 2;
    const int hy = gy / 2;
    const bool top = y < gy;
    const bool bottom = y > h - gy;
    const bool midY = y >= h / 2 - hy && y <= h / 2 + hy;
    if (x < gx) {
        if (top)
            return EdgeCursor::SizeNWSE;
        if (midY)
            return EdgeCursor::SizeWE;
        if (bottom)
            return EdgeCursor::SizeNESW;
    }
    if (x > w - gx) {
        if (top)
            return EdgeCursor::SizeNESW;
        if (midY)
            return EdgeCursor::SizeWE;
        if (bottom)
            return EdgeCursor::SizeNWSE;
    }
    if (x >= w / 2 - hx && x <= w / 2 + hx && (top || bottom))
        return EdgeCursor::SizeNS;
    return EdgeCursor::Default;
}

int ResizeModeFor(EdgeCursor cursor, int x, int y, const PanelStep& step)
{
    const bool nearX = x < 2 * step.X();
    switch (cursor) {
    case EdgeCursor::SizeWE:
        return nearX ? kResizeLeft : kResizeRight;
    case EdgeCursor::SizeNWSE:
        return nearX ? kResizeTop | kResizeLeft : kResizeBottom | kResizeRight;
    case EdgeCursor::SizeNS:
        return y < 2 * step.Y() ? kResizeTop : kResizeBottom;
    case EdgeCursor::SizeNESW:
        return nearX ? kResizeBottom | kResizeLeft : kResizeTop | kResizeRight;
    case EdgeCursor::Default:
        break;
    }
    return 0;
}

TRect OutlineBounds(std::span<TLxObj* const> objs)
{
    if (objs.empty())
        return {};
    const Outline& first = objs[0]->SelCorners;
    TRect box{first[0].x, first[0].y, first[2].x, first[2].y};
    for (TLxObj* obj : objs.subspan(1)) {
        const Outline& o = obj->SelCorners;
        box.Left = std::min(box.Left, o[0].x);
        box.Top = std::min(box.Top, o[0].y);
        box.Right = std::max(box.Right, o[2].x);
        box.Bottom = std::max(box.Bottom, o[2].y);
    }
    return box;
}

TPoint ClampMove(const TRect& box, int dx, int dy, int clientWidth, int clientHeight)
{
    if (box.Left + dx < 0)
        dx = -box.Left;
    else if (box.Right + dx > clientWidth)
        dx = clientWidth - box.Right;
    if (box.Top + dy < 0)
        dy = -box.Top;
    else if (box.Bottom + dy > clientHeight)
        dy = clientHeight - box.Bottom;
    return TPoint{dx, dy};
}

namespace {

// Moves one edge (the two corner coordinates a and b) by d within 0..limit; returns the move.
int DragEdge(int& a, int& b, int d, int limit)
{
    const int to = std::clamp(a + d, 0, std::max(limit, 0));
    const int moved = to - a;
    a = to;
    b = to;
    return moved;
}

} // namespace

TPoint ResizeOutline(Outline& o, int& mode, int dx, int dy, int clientWidth, int clientHeight)
{
    TPoint moved{dx, dy};
    if (mode & kResizeLeft)
        moved.x = DragEdge(o[0].x, o[3].x, dx, clientWidth);
    else if (mode & kResizeRight)
        moved.x = DragEdge(o[1].x, o[2].x, dx, clientWidth);
    if (mode & kResizeTop)
        moved.y = DragEdge(o[0].y, o[1].y, dy, clientHeight);
    else if (mode & kResizeBottom)
        moved.y = DragEdge(o[2].y, o[3].y, dy, clientHeight);

    if ((mode & (kResizeLeft | kResizeRight)) && o[1].x <= o[0].x) {
        const int left = o[1].x;
        const int right = o[0].x;
        o[0].x = o[3].x = left;
        o[1].x = o[2].x = right;
        mode ^= kResizeLeft | kResizeRight;
    }
    if ((mode & (kResizeTop | kResizeBottom)) && o[3].y <= o[0].y) {
        const int top = o[3].y;
        const int bottom = o[0].y;
        o[0].y = o[1].y = top;
        o[2].y = o[3].y = bottom;
        mode ^= kResizeTop | kResizeBottom;
    }
    return moved;
}

Outline OutlineOf(int left, int top, int width, int height)
{
    return Outline{TPoint{left, top}, TPoint{left + width, top}, TPoint{left + width, top + height},
                   TPoint{left, top + height}};
}

} // namespace kes
