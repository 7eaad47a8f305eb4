// Lines, rectangles and polygons.
#include "platform/gdi_internal.h"

#include <algorithm>
#include <cmath>

using namespace kes::gdi;

namespace {

TRect BoundsOf(std::span<const TPoint> points)
{
    TRect r{kCoordLimit, kCoordLimit, -kCoordLimit, -kCoordLimit};
    for (TPoint p : points) {
        r.Left = std::min(r.Left, ClampCoord(p.x));
        r.Top = std::min(r.Top, ClampCoord(p.y));
        r.Right = std::max(r.Right, ClampCoord(p.x) + 1);
        r.Bottom = std::max(r.Bottom, ClampCoord(p.y) + 1);
    }
    return r;
}

// Segments from each point to the next (closing back to the first when closed), the
// dash pattern running on across them. Thin pens leave out each segment's end point;
// wide pens cover it, as their round ends do.
void StrokePath(Stroke& stroke, std::span<const TPoint> points, bool closed)
{
    bool ends = stroke.Width() > 1;
    for (std::size_t i = 0; i + 1 < points.size(); ++i)
        stroke.Line(points[i], points[i + 1], ends);
    if (closed && points.size() > 1)
        stroke.Line(points.back(), points.front(), ends);
}

void FillSolid(const TCanvas& canvas, const TRect& r, TColor color)
{
    Surface s(canvas, r);
    if (!s.Valid())
        return;
    if (r.Right <= r.Left || r.Bottom <= r.Top)
        return;
    TRect c = Intersect(r, s.Clip());
    if (IsEmpty(c))
        return;
    std::uint32_t px = ToPixel(color);
    for (int y = c.Top; y < c.Bottom; ++y)
        s.Fill(y, c.Left, c.Right, px);
}

// Even-odd fill: a pixel is inside when its centre is, edges through vertices at
// integer corners; a centre exactly on a left edge is in, on a right edge out.
void MarkPolygonFill(Coverage& cover, std::span<const TPoint> points)
{
    const TRect& area = cover.Area();
    std::vector<double> xs;
    for (int py = area.Top; py < area.Bottom; ++py) {
        double y = py + 0.5;
        xs.clear();
        for (std::size_t i = 0; i < points.size(); ++i) {
            TPoint a{ClampCoord(points[i].x), ClampCoord(points[i].y)};
            TPoint b = points[(i + 1) % points.size()];
            b = TPoint{ClampCoord(b.x), ClampCoord(b.y)};
            if (a.y == b.y)
                continue;
            double y0 = std::min(a.y, b.y);
            double y1 = std::max(a.y, b.y);
            if (y < y0 || y >= y1)
                continue;
            xs.push_back(a.x + (y - a.y) * (b.x - a.x) / static_cast<double>(b.y - a.y));
        }
        std::sort(xs.begin(), xs.end());
        for (std::size_t i = 0; i + 1 < xs.size(); i += 2) {
            long long from = static_cast<long long>(std::ceil(xs[i] - 0.5));
            long long to = static_cast<long long>(std::ceil(xs[i + 1] - 0.5));
            from = std::max<long long>(from, area.Left);
            to = std::min<long long>(to, area.Right);
            if (from < to)
                cover.MarkRun(py, static_cast<int>(from), static_cast<int>(to - 1), kBrush);
        }
    }
}

// An open path, or a closed one filled with the brush (even-odd).
void DrawPath(TCanvas& canvas, std::span<const TPoint> points, bool closed)
{
    if (points.size() < 2)
        return;
    Coverage cover(canvas, PrimitiveArea(canvas, BoundsOf(points), std::clamp(canvas.Pen.Width, 1, 255)));
    if (closed && canvas.Brush.Style != bsClear)
        MarkPolygonFill(cover, points);
    Stroke stroke(canvas, cover);
    StrokePath(stroke, points, closed);
    cover.Paint(canvas);
}

} // namespace

// A one-pixel pen visits each pixel of a single line once: the line goes straight onto the
// picture, without collecting it first.
void ThinLine(TCanvas& canvas, TPoint a, TPoint b)
{
    if (canvas.Pen.Style == psClear)
        return;
    Surface s(canvas);
    if (!s.Valid())
        return;
    const TRect& clip = s.Clip();
    const std::span<const int> pattern = PenPattern(canvas.Pen.Style);
    int length = 0;
    for (int run : pattern)
        length += run;
    const bool gaps = canvas.Brush.Style != bsClear;
    const std::uint32_t pen = ToPixel(canvas.Pen.Color);
    const std::uint32_t brush = ToPixel(canvas.Brush.Color);
    const TPenMode mode = canvas.Pen.Mode;
    a = TPoint{ClampCoord(a.x), ClampCoord(a.y)};
    b = TPoint{ClampCoord(b.x), ClampCoord(b.y)};
    if (pattern.empty() && mode == pmCopy && (a.x == b.x || a.y == b.y)) {
        // A plain level or upright line (frames, ticks) is one run of its row or column, the end
        // point left out.
        if (a.y == b.y) {
            const int first = a.x < b.x ? a.x : b.x + 1;
            const int last = a.x < b.x ? b.x - 1 : a.x;
            const int x0 = std::max(first, clip.Left);
            const int x1 = std::min(last + 1, clip.Right);
            if (a.y >= clip.Top && a.y < clip.Bottom && x0 < x1)
                s.Fill(a.y, x0, x1, pen);
        } else {
            const int first = a.y < b.y ? a.y : b.y + 1;
            const int last = a.y < b.y ? b.y - 1 : a.y;
            if (a.x >= clip.Left && a.x < clip.Right)
                for (int y = std::max(first, clip.Top); y <= std::min(last, clip.Bottom - 1); ++y)
                    s.Put(a.x, y, pen);
        }
        return;
    }
    WalkLine(a, b, false, clip, 1, [&](long long i, int x, int y) {
        if (!Contains(clip, x, y))
            return;
        const bool on = PenOnAt(pattern, length, i);
        if (!on && !gaps)
            return;
        const std::uint32_t colour = on ? pen : brush;
        s.Put(x, y, mode == pmCopy ? colour : Mix(mode, colour, s.Get(x, y)));
    });
}

void TCanvas::LineTo(int x, int y)
{
    if (std::clamp(Pen.Width, 1, 255) == 1) {
        ThinLine(*this, penPos_, TPoint{x, y});
    } else {
        TPoint pts[] = {penPos_, TPoint{x, y}};
        DrawPath(*this, pts, false);
    }
    penPos_ = TPoint{x, y};
}

void TCanvas::Polyline(std::span<const TPoint> points) { DrawPath(*this, points, false); }

void TCanvas::Polygon(std::span<const TPoint> points) { DrawPath(*this, points, true); }

void TCanvas::Rectangle(int x1, int y1, int x2, int y2)
{
    TRect box = Normalized(x1, y1, x2, y2);
    if (IsEmpty(box))
        return;
    int w = OutlineWidth(*this);
    if (w == 0) {
        // Without a pen the filled area loses its last column and row, as on the platform.
        box.Right -= 1;
        box.Bottom -= 1;
        if (IsEmpty(box))
            return;
    }
    Coverage cover(*this, PrimitiveArea(*this, box, 0));
    const TRect& area = cover.Area();
    if (Brush.Style != bsClear)
        for (int y = area.Top; y < area.Bottom; ++y)
            cover.MarkRun(y, area.Left, area.Right - 1, kBrush);
    if (w == 1) {
        // Clockwise from the top-left corner so that a dash pattern runs round the frame.
        int r = box.Right - 1;
        int b = box.Bottom - 1;
        Stroke stroke(*this, cover);
        if (r == box.Left || b == box.Top) {
            stroke.Line(TPoint{box.Left, box.Top}, TPoint{r, b}, true);
        } else {
            TPoint corners[] = {{box.Left, box.Top}, {r, box.Top}, {r, b}, {box.Left, b}};
            StrokePath(stroke, corners, true);
        }
    } else if (w > 1) {
        for (int y = area.Top; y < area.Bottom; ++y)
            for (int x = area.Left; x < area.Right; ++x)
                if (x < box.Left + w || x >= box.Right - w || y < box.Top + w || y >= box.Bottom - w)
                    cover.Mark(x, y, kPen);
    }
    cover.Paint(*this);
}

void TCanvas::FillRect(const TRect& r)
{
    if (Brush.Style != bsClear)
        FillSolid(*this, r, Brush.Color);
}

void TCanvas::FrameRect(const TRect& r)
{
    if (Brush.Style == bsClear || r.Right <= r.Left || r.Bottom <= r.Top)
        return;
    FillSolid(*this, TRect{r.Left, r.Top, r.Right, r.Top + 1}, Brush.Color);
    FillSolid(*this, TRect{r.Left, r.Bottom - 1, r.Right, r.Bottom}, Brush.Color);
    FillSolid(*this, TRect{r.Left, r.Top, r.Left + 1, r.Bottom}, Brush.Color);
    FillSolid(*this, TRect{r.Right - 1, r.Top, r.Right, r.Bottom}, Brush.Color);
}
