#pragma once
// Drawing steps the drawn kinds share: the start of a redraw at panel resolution, points
// on a dial by angle and distance, radial ticks, and the plain stretched paint of a meter.
#include "objects/tlxobj.h"

#include <cmath>

namespace kes {

// Starts a redraw at panel resolution: crops the picture to panel pixels (its top-left
// kept) and clears it white. False, with nothing changed, when the picture is empty.
bool BeginPanelPicture(TLxObj& obj);

// The point at angle t (radians; 0 points left, angles grow clockwise on the screen) and
// distance r from (cx, cy), each coordinate truncated towards zero.
inline TPoint DialPoint(double cx, double cy, double t, double r)
{
    return TPoint{static_cast<int>(cx - std::cos(t) * r), static_cast<int>(cy - std::sin(t) * r)};
}

// A line along angle t from distance from to distance to, in a pen that many pixels wide;
// the pen is left at width 1.
inline void DialTick(TCanvas& c, double cx, double cy, double t, double from, double to, int penWidth)
{
    c.Pen.Width = penWidth;
    const TPoint a = DialPoint(cx, cy, t, from);
    const TPoint b = DialPoint(cx, cy, t, to);
    c.MoveTo(a.x, a.y);
    c.LineTo(b.x, b.y);
    c.Pen.Width = 1;
}

// The picture stretched over the control, then the handles when selected.
inline void StretchPaint(TLxObj& obj, TCanvas& canvas)
{
    const int pw = obj.Picture.Width();
    const int ph = obj.Picture.Height();
    if (pw <= 0 || ph <= 0)
        return;
    StretchBlt(canvas, 0, 0, obj.Width, obj.Height, *obj.Picture.Canvas(), 0, 0, pw, ph, SRCCOPY);
    obj.SelRect(canvas);
}

} // namespace kes
