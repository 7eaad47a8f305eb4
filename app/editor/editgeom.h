#pragma once
// The arithmetic of mouse and key editing on a page, apart from the window: snapping to whole
// panel pixels, the handle zones of an object and the resize they start, and how a moved or
// resized outline is kept inside the page. Coordinates are screen pixels of the zoomed page.
#include "objects/tlxobj.h"
#include "platform/gdi.h"

#include <array>
#include <span>

namespace kes {

// One panel pixel in screen pixels: zoom x grid unit on each axis.
struct PanelStep {
    int Zoom = 1;
    int GridWidth = 1;
    int GridHeight = 1;
    int X() const { return Zoom * GridWidth; }
    int Y() const { return Zoom * GridHeight; }
};

// Down to the panel pixel the point lies in (integer division, toward zero).
TPoint SnapPoint(TPoint p, const PanelStep& step);

// The cursor a handle zone shows, by the names the resize rules use.
enum class EdgeCursor { Default, SizeNWSE, SizeWE, SizeNESW, SizeNS };

// The zone under (x, y) of an object w x h (object coordinates): corners, the middle of each
// side, or the inside. The left column is tested first, then the right, then the middle.
EdgeCursor HandleZoneCursor(int x, int y, int w, int h, const PanelStep& step);

// Edges a resize drags.
enum : int { kResizeTop = 0x1, kResizeBottom = 0x10, kResizeLeft = 0x100, kResizeRight = 0x1000 };

// The edges a press at (x, y) with that cursor drags; 0 moves the object.
int ResizeModeFor(EdgeCursor cursor, int x, int y, const PanelStep& step);

// The outline corners of objects: top-left, top-right, bottom-right, bottom-left.
using Outline = std::array<TPoint, 4>;

// Smallest top-left and largest bottom-right of the objects' outlines (their c0 and c2).
TRect OutlineBounds(std::span<TLxObj* const> objs);

// A move of the box by (dx, dy) cut so that it stays in the client area: the left and top
// edges not below 0, the right and bottom edges not past the client size.
TPoint ClampMove(const TRect& box, int dx, int dy, int clientWidth, int clientHeight);

// Drags the edges of mode by (dx, dy), each kept within the client area. An edge dragged
// over the opposite one becomes that one: the corners are swapped so that the outline stays
// upright, and mode names the edge now dragged. Returns the amounts the edges moved.
TPoint ResizeOutline(Outline& outline, int& mode, int dx, int dy, int clientWidth, int clientHeight);

// The outline of a rectangle.
Outline OutlineOf(int left, int top, int width, int height);

} // namespace kes
