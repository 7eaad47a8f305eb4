// Ellipse, Arc, Chord and Pie by bounding box and radial points.
//
// A pixel belongs to the ellipse when its centre lies inside the ellipse inscribed in the
// box (right and bottom edges excluded, so the figure stays within the box's pixels).
// The outline is the inside pixels touching an outside pixel on a side, which makes a
// thin eight-connected curve; a pen w pixels wide adds the inside pixels that fall out of
// the ellipse of the box inset by w on each side, so wide outlines grow inwards.
// Arcs run counter-clockwise as seen on the screen from the ray through the start point to
// the ray through the end point; a pixel is on the arc when the ray to its centre is.
// Equal rays make a full ellipse.
#include "platform/gdi_internal.h"

#include <algorithm>
#include <cmath>
#include <tuple>

using namespace kes::gdi;

namespace {

using Wide = __int128;

struct Vec {
    long long x = 0;
    long long y = 0;
};

// The counter-clockwise turn from a to b as seen on the screen (y grows downwards).
long long Turn(Vec a, Vec b)
{
    return -(a.x * b.y - a.y * b.x);
}

class EllipseShape {
public:
    explicit EllipseShape(const TRect& box) : box_(box) {}
    bool Empty() const { return IsEmpty(box_); }
    const TRect& Box() const { return box_; }

    bool Inside(int px, int py, int inset = 0) const
    {
        TRect b{box_.Left + inset, box_.Top + inset, box_.Right - inset, box_.Bottom - inset};
        if (IsEmpty(b))
            return false;
        // In doubled coordinates: X^2 / A^2 + Y^2 / B^2 <= 1 with A, B the box sides.
        Wide a = b.Right - b.Left;
        Wide h = b.Bottom - b.Top;
        Wide x = 2LL * px + 1 - (static_cast<long long>(b.Left) + b.Right);
        Wide y = 2LL * py + 1 - (static_cast<long long>(b.Top) + b.Bottom);
        return x * x * h * h + y * y * a * a <= a * a * h * h;
    }

    bool Outline(int px, int py, int width) const
    {
        if (width <= 0 || !Inside(px, py))
            return false;
        if (!Inside(px - 1, py) || !Inside(px + 1, py) || !Inside(px, py - 1) || !Inside(px, py + 1))
            return true;
        return width > 1 && !Inside(px, py, width);
    }

    // From the centre to a pixel's centre, doubled so that it stays integral.
    Vec ToPixel(int px, int py) const
    {
        return Vec{2LL * px + 1 - (static_cast<long long>(box_.Left) + box_.Right),
                   2LL * py + 1 - (static_cast<long long>(box_.Top) + box_.Bottom)};
    }
    Vec ToPoint(int x, int y) const
    {
        return Vec{2LL * ClampCoord(x) - (static_cast<long long>(box_.Left) + box_.Right),
                   2LL * ClampCoord(y) - (static_cast<long long>(box_.Top) + box_.Bottom)};
    }

    std::pair<double, double> Centre() const
    {
        return {(box_.Left + static_cast<double>(box_.Right)) / 2, (box_.Top + static_cast<double>(box_.Bottom)) / 2};
    }

    // Where the ray along d (doubled, from the centre) meets the ellipse.
    std::pair<double, double> RayEnd(Vec d) const
    {
        double cx = (box_.Left + static_cast<double>(box_.Right)) / 2;
        double cy = (box_.Top + static_cast<double>(box_.Bottom)) / 2;
        double a = (box_.Right - static_cast<double>(box_.Left)) / 2;
        double b = (box_.Bottom - static_cast<double>(box_.Top)) / 2;
        double dx = static_cast<double>(d.x) / 2;
        double dy = static_cast<double>(d.y) / 2;
        double k = std::sqrt((dx / a) * (dx / a) + (dy / b) * (dy / b));
        return {cx + dx / k, cy + dy / k};
    }

private:
    TRect box_;
};

class Sweep {
public:
    Sweep(Vec start, Vec end) : s_(NonZero(start)), e_(NonZero(end))
    {
        long long turn = Turn(s_, e_);
        full_ = turn == 0 && s_.x * e_.x + s_.y * e_.y > 0;
        narrow_ = turn > 0;
    }
    bool Full() const { return full_; }
    bool Holds(Vec v) const
    {
        if (full_)
            return true;
        if (narrow_)
            return Turn(s_, v) >= 0 && Turn(v, e_) >= 0;
        return Turn(s_, v) >= 0 || Turn(v, e_) >= 0;
    }
    // Counter-clockwise angle from the start ray, for ordering the pixels of the arc.
    double Offset(Vec v) const
    {
        constexpr double kTwoPi = 6.283185307179586;
        double a = std::atan2(-static_cast<double>(v.y), static_cast<double>(v.x))
            - std::atan2(-static_cast<double>(s_.y), static_cast<double>(s_.x));
        while (a < 0)
            a += kTwoPi;
        while (a >= kTwoPi)
            a -= kTwoPi;
        return a;
    }
    Vec Start() const { return s_; }
    Vec End() const { return e_; }

private:
    static Vec NonZero(Vec v) { return v.x == 0 && v.y == 0 ? Vec{1, 0} : v; }
    Vec s_;
    Vec e_;
    bool full_ = false;
    bool narrow_ = false;
};

// The figure's pixel nearest to the point (x, y), preferring pixels of the sweep, so that
// the ends of an arc and the tip of a pie lie on the edges of what the sweep fills.
TPoint NearestPixel(const EllipseShape& shape, const Sweep& sweep, double x, double y)
{
    const TRect& box = shape.Box();
    int fx = static_cast<int>(std::floor(x));
    int fy = static_cast<int>(std::floor(y));
    TPoint best{std::clamp(fx, box.Left, box.Right - 1), std::clamp(fy, box.Top, box.Bottom - 1)};
    bool found = false;
    bool bestInSweep = false;
    double bestDist = 0;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            int px = fx + dx;
            int py = fy + dy;
            if (!shape.Inside(px, py))
                continue;
            bool inSweep = sweep.Holds(shape.ToPixel(px, py));
            double dist = (px + 0.5 - x) * (px + 0.5 - x) + (py + 0.5 - y) * (py + 0.5 - y);
            if (!found || (inSweep && !bestInSweep) || (inSweep == bestInSweep && dist < bestDist)) {
                found = true;
                bestInSweep = inSweep;
                bestDist = dist;
                best = TPoint{px, py};
            }
        }
    return best;
}

enum class Figure { Ellipse, Arc, Chord, Pie };

// Marks the outline pixels of the sweep in order along the arc, so a dash pattern runs
// counter-clockwise from the start ray.
void MarkArc(const EllipseShape& shape, const Sweep& sweep, Coverage& cover, Stroke& stroke, int width,
             const TRect& area)
{
    struct ArcPixel {
        double offset;
        long long dist;
        int x;
        int y;
    };
    std::vector<ArcPixel> pixels;
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x) {
            if (!shape.Outline(x, y, width))
                continue;
            Vec v = shape.ToPixel(x, y);
            if (sweep.Holds(v))
                pixels.push_back(ArcPixel{sweep.Offset(v), v.x * v.x + v.y * v.y, x, y});
        }
    std::sort(pixels.begin(), pixels.end(), [](const ArcPixel& a, const ArcPixel& b) {
        return std::tie(a.offset, a.dist, a.y, a.x) < std::tie(b.offset, b.dist, b.y, b.x);
    });
    // A wide outline is already as wide as the pen (and solid): no stamping.
    for (const ArcPixel& p : pixels) {
        if (width > 1)
            cover.Mark(p.x, p.y, kPen);
        else
            stroke.Step(p.x, p.y);
    }
}

void DrawFigure(TCanvas& canvas, Figure figure, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    EllipseShape shape(Normalized(x1, y1, x2, y2));
    if (shape.Empty())
        return;
    int width = OutlineWidth(canvas);
    bool fill = figure != Figure::Arc && canvas.Brush.Style != bsClear;
    Sweep sweep = figure == Figure::Ellipse ? Sweep(Vec{1, 0}, Vec{1, 0})
                                            : Sweep(shape.ToPoint(x3, y3), shape.ToPoint(x4, y4));
    Coverage cover(PrimitiveArea(canvas, shape.Box(), std::max(1, width)));
    const TRect& area = cover.Area();
    if (IsEmpty(area))
        return;
    auto [sx, sy] = shape.RayEnd(sweep.Start());
    auto [ex, ey] = shape.RayEnd(sweep.End());
    TPoint startPixel = NearestPixel(shape, sweep, sx, sy);
    TPoint endPixel = NearestPixel(shape, sweep, ex, ey);

    if (fill) {
        TRect inner = Intersect(area, shape.Box());
        for (int y = inner.Top; y < inner.Bottom; ++y)
            for (int x = inner.Left; x < inner.Right; ++x) {
                if (!shape.Inside(x, y))
                    continue;
                bool in = true;
                if (figure == Figure::Pie) {
                    in = sweep.Holds(shape.ToPixel(x, y));
                } else if (figure == Figure::Chord && !sweep.Full()) {
                    // Left of the chord from the end point back to the start point.
                    double ax = sx - ex;
                    double ay = sy - ey;
                    double qx = x + 0.5 - ex;
                    double qy = y + 0.5 - ey;
                    in = -(ax * qy - ay * qx) >= 0;
                }
                if (in)
                    cover.Mark(x, y, kBrush);
            }
    }
    if (width > 0) {
        Stroke stroke(canvas, cover);
        MarkArc(shape, sweep, cover, stroke, width, Intersect(area, shape.Box()));
        if (!sweep.Full()) {
            if (figure == Figure::Chord) {
                stroke.Line(endPixel, startPixel, true);
            } else if (figure == Figure::Pie) {
                auto [cx, cy] = shape.Centre();
                TPoint centre = NearestPixel(shape, sweep, cx, cy);
                stroke.Line(endPixel, centre, false);
                stroke.Line(centre, startPixel, true);
            }
        }
    }
    cover.Paint(canvas);
}

} // namespace

void TCanvas::Ellipse(int x1, int y1, int x2, int y2)
{
    DrawFigure(*this, Figure::Ellipse, x1, y1, x2, y2, 0, 0, 0, 0);
}

void TCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    DrawFigure(*this, Figure::Arc, x1, y1, x2, y2, x3, y3, x4, y4);
}

void TCanvas::Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    DrawFigure(*this, Figure::Chord, x1, y1, x2, y2, x3, y3, x4, y4);
}

void TCanvas::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    DrawFigure(*this, Figure::Pie, x1, y1, x2, y2, x3, y3, x4, y4);
}
