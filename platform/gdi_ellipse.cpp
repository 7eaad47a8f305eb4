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
//
// Everything is worked out a row at a time: a row's ellipse pixels are one run found with an
// integer square root, its outline at most two runs, and a sweep or chord cuts a run at points
// found by bisection of the same tests a single pixel would get, so no pixel is tested alone.
#include "platform/gdi_internal.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <tuple>

using namespace kes::gdi;

namespace {

using Wide = __int128;

struct Vec {
    long long x = 0;
    long long y = 0;
};

// The counter-clockwise turn from a to b as seen on the screen (y grows downwards).
long long Turn(Vec a, Vec b) { return -(a.x * b.y - a.y * b.x); }

constexpr long long kNarrowSide = 1 << 15;

long long FloorSqrt(unsigned long long v)
{
    auto r = static_cast<long long>(std::sqrt(static_cast<double>(v)));
    while (r > 0 && static_cast<unsigned long long>(r) * static_cast<unsigned long long>(r) > v)
        --r;
    while (static_cast<unsigned long long>(r + 1) * static_cast<unsigned long long>(r + 1) <= v)
        ++r;
    return r;
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

    // The first and last pixel of row py whose centres lie in the ellipse of the box inset by
    // inset on each side; false when the row has none. Exactly the pixels Inside takes.
    bool Span(int py, int inset, int& first, int& last) const
    {
        TRect b{box_.Left + inset, box_.Top + inset, box_.Right - inset, box_.Bottom - inset};
        if (IsEmpty(b))
            return false;
        const long long a = b.Right - b.Left;
        const long long h = b.Bottom - b.Top;
        const long long y = 2LL * py + 1 - (static_cast<long long>(b.Top) + b.Bottom);
        if (y < -h || y > h)
            return false;
        // The largest X with X^2 h^2 <= a^2 (h^2 - y^2), then the largest of a pixel centre's
        // parity: X = 2 px + k. Boxes of up to 32768 pixels a side need no wide integers.
        long long limit = 0;
        if (a <= kNarrowSide && h <= kNarrowSide)
            limit = a * a * (h * h - y * y) / (h * h);
        else
            limit = static_cast<long long>(Wide(a) * a * (Wide(h) * h - Wide(y) * y) / (Wide(h) * h));
        long long x = FloorSqrt(static_cast<unsigned long long>(limit));
        const long long k = 1 - (static_cast<long long>(b.Left) + b.Right);
        if (((x - k) & 1) != 0)
            --x;
        if (x < 0)
            return false;
        first = static_cast<int>((-x - k) / 2);
        last = static_cast<int>((x - k) / 2);
        return true;
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
    Vec Start() const { return s_; }
    Vec End() const { return e_; }
    bool Narrow() const { return narrow_; }

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

// A run of pixels of one row, first to last inclusive.
struct Run {
    int first = 0;
    int last = -1;
};

// Up to four runs of a row, in order, never overlapping.
class Runs {
public:
    void Add(int first, int last)
    {
        if (first > last)
            return;
        if (n_ > 0 && first <= r_[n_ - 1].last + 1) {
            r_[n_ - 1].last = std::max(r_[n_ - 1].last, last);
            return;
        }
        r_[n_++] = Run{first, last};
    }
    const Run* begin() const { return r_; }
    const Run* end() const { return r_ + n_; }

private:
    Run r_[4];
    int n_ = 0;
};

// The pixels of [first, last] where keep holds, keep changing at most once along the row.
template <typename Keep> Run MonotonicRun(int first, int last, const Keep& keep)
{
    if (first > last)
        return {};
    const bool a = keep(first);
    const bool b = keep(last);
    if (a == b)
        return a ? Run{first, last} : Run{};
    int f = first; // keep(f) == a
    int t = last;  // keep(t) == b
    while (t - f > 1) {
        const int mid = f + (t - f) / 2;
        (keep(mid) == a ? f : t) = mid;
    }
    return a ? Run{first, f} : Run{t, last};
}

// The pixels of row y within [first, last] that the sweep holds (its two tests each change
// once along a row: they are half-planes through the centre).
Runs SweepRuns(const EllipseShape& shape, const Sweep& sweep, int y, int first, int last)
{
    Runs out;
    if (sweep.Full()) {
        out.Add(first, last);
        return out;
    }
    const Run a = MonotonicRun(first, last, [&](int x) { return Turn(sweep.Start(), shape.ToPixel(x, y)) >= 0; });
    const Run b = MonotonicRun(first, last, [&](int x) { return Turn(shape.ToPixel(x, y), sweep.End()) >= 0; });
    if (sweep.Narrow()) {
        out.Add(std::max(a.first, b.first), std::min(a.last, b.last));
    } else if (a.first <= b.first) {
        out.Add(a.first, a.last);
        out.Add(b.first, b.last);
    } else {
        out.Add(b.first, b.last);
        out.Add(a.first, a.last);
    }
    return out;
}

// The ellipse pixels of the rows from top to bottom (exclusive), each worked out once. A slot
// keeps the tables of the last few figures: the same figure drawn again (an arc over its
// ellipse, a page of equal dials among other shapes) takes its table as it is.
class SpanTable {
public:
    // slot: which of the thread's sets of tables to use (two tables live at once).
    SpanTable(const EllipseShape& shape, int top, int bottom, int inset, int slot) : top_(top)
    {
        Slot& kept = SlotOf(slot);
        const Key key{shape.Box(), top, bottom, inset};
        Kept* oldest = &kept.tables[0];
        for (Kept& k : kept.tables) {
            if (k.key == key) {
                k.used = ++kept.clock;
                rows_ = &k.rows;
                return;
            }
            if (k.used < oldest->used)
                oldest = &k;
        }
        oldest->key = key;
        oldest->used = ++kept.clock;
        std::vector<Run>& rows = oldest->rows;
        rows.clear();
        for (int y = top; y < bottom; ++y) {
            Run r;
            if (!shape.Span(y, inset, r.first, r.last))
                r = Run{};
            rows.push_back(r);
        }
        rows_ = &rows;
    }
    // Empty (first > last) for rows outside the table.
    Run Row(int y) const
    {
        const long long i = static_cast<long long>(y) - top_;
        return i >= 0 && i < static_cast<long long>(rows_->size()) ? (*rows_)[static_cast<std::size_t>(i)] : Run{};
    }

private:
    struct Key {
        TRect box{0, 0, -1, -1};
        int top = 0;
        int bottom = 0;
        int inset = 0;
        friend bool operator==(const Key&, const Key&) = default;
    };
    struct Kept {
        Key key;
        std::vector<Run> rows;
        unsigned long long used = 0;
    };
    struct Slot {
        std::array<Kept, 8> tables;
        unsigned long long clock = 0;
    };
    static Slot& SlotOf(int slot)
    {
        thread_local Slot kept[2];
        return kept[slot];
    }
    int top_;
    const std::vector<Run>* rows_ = nullptr;
};

// The outline pixels of row y: the row's ellipse pixels less those whose four side
// neighbours are ellipse pixels too (and, for a wide pen, that lie in the inset ellipse).
// spans covers the rows around y; inset, for a wide pen, the inset ellipse's.
Runs OutlineRuns(const SpanTable& spans, const SpanTable* inset, int y)
{
    Runs out;
    const Run row = spans.Row(y);
    if (row.first > row.last)
        return out;
    int lo = row.first + 1;
    int hi = row.last - 1;
    const auto within = [&](Run r) {
        lo = std::max(lo, r.first);
        hi = std::min(hi, r.last);
    };
    within(spans.Row(y - 1));
    within(spans.Row(y + 1));
    if (inset)
        within(inset->Row(y));
    if (lo > hi) {
        out.Add(row.first, row.last);
    } else {
        out.Add(row.first, lo - 1);
        out.Add(hi + 1, row.last);
    }
    return out;
}

// Left of the chord from the end point back to the start point.
bool LeftOfChord(double sx, double sy, double ex, double ey, int x, int y)
{
    double ax = sx - ex;
    double ay = sy - ey;
    double qx = x + 0.5 - ex;
    double qy = y + 0.5 - ey;
    return -(ax * qy - ay * qx) >= 0;
}

// Counter-clockwise order on the screen from the start ray, exactly: the half-turn from the
// ray first, then the turn between the two (pixel at the centre: along the x axis).
bool AheadOnArc(Vec s, Vec a, Vec b)
{
    const auto half = [s](Vec v) {
        const long long t = Turn(s, v);
        return t < 0 || (t == 0 && s.x * v.x + s.y * v.y < 0);
    };
    if (a.x == 0 && a.y == 0)
        a = Vec{1, 0};
    if (b.x == 0 && b.y == 0)
        b = Vec{1, 0};
    const bool ha = half(a);
    const bool hb = half(b);
    if (ha != hb)
        return !ha;
    return Turn(a, b) > 0;
}

// Marks the outline pixels of the sweep. A dashed pen steps them in order along the arc, so
// its pattern runs counter-clockwise from the start ray; others mark them as they come.
void MarkArc(const EllipseShape& shape, const Sweep& sweep, Coverage& cover, Stroke& stroke, int width,
             const TRect& area, const SpanTable& spans)
{
    const bool ordered = width == 1 && stroke.Patterned();
    std::optional<SpanTable> inset;
    if (width > 1)
        inset.emplace(shape, area.Top, area.Bottom, width, 1);
    struct ArcPixel {
        Vec v;
        long long dist;
        int x;
        int y;
    };
    std::vector<ArcPixel> pixels;
    for (int y = area.Top; y < area.Bottom; ++y)
        for (const Run& o : OutlineRuns(spans, inset ? &*inset : nullptr, y))
            for (const Run& run :
                 SweepRuns(shape, sweep, y, std::max(o.first, area.Left), std::min(o.last, area.Right - 1)))
                if (!ordered) {
                    cover.MarkRun(y, run.first, run.last, kPen);
                } else {
                    for (int x = run.first; x <= run.last; ++x) {
                        const Vec v = shape.ToPixel(x, y);
                        pixels.push_back(ArcPixel{v, v.x * v.x + v.y * v.y, x, y});
                    }
                }
    if (!ordered)
        return;
    const Vec s = sweep.Start();
    std::sort(pixels.begin(), pixels.end(), [s](const ArcPixel& a, const ArcPixel& b) {
        if (AheadOnArc(s, a.v, b.v))
            return true;
        if (AheadOnArc(s, b.v, a.v))
            return false;
        return std::tie(a.dist, a.y, a.x) < std::tie(b.dist, b.y, b.x);
    });
    for (const ArcPixel& p : pixels)
        stroke.Step(p.x, p.y);
}

void DrawFigure(TCanvas& canvas, Figure figure, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    EllipseShape shape(Normalized(x1, y1, x2, y2));
    if (shape.Empty())
        return;
    int width = OutlineWidth(canvas);
    bool fill = figure != Figure::Arc && canvas.Brush.Style != bsClear;
    Sweep sweep =
        figure == Figure::Ellipse ? Sweep(Vec{1, 0}, Vec{1, 0}) : Sweep(shape.ToPoint(x3, y3), shape.ToPoint(x4, y4));
    Coverage cover(canvas, PrimitiveArea(canvas, shape.Box(), std::max(1, width)));
    const TRect& area = cover.Area();
    if (IsEmpty(area))
        return;
    // Where the rays meet the ellipse: the chord's ends and the pie's edges.
    const bool cut = (figure == Figure::Chord || figure == Figure::Pie) && !sweep.Full();
    auto [sx, sy] = cut ? shape.RayEnd(sweep.Start()) : std::pair<double, double>{};
    auto [ex, ey] = cut ? shape.RayEnd(sweep.End()) : std::pair<double, double>{};
    const TRect inner = Intersect(area, shape.Box());
    const SpanTable spans(shape, inner.Top - 1, inner.Bottom + 1, 0, 0);

    if (fill) {
        for (int y = inner.Top; y < inner.Bottom; ++y) {
            const Run row = spans.Row(y);
            const int l = std::max(row.first, inner.Left);
            const int r = std::min(row.last, inner.Right - 1);
            Runs runs;
            if (figure == Figure::Pie) {
                runs = SweepRuns(shape, sweep, y, l, r);
            } else if (figure == Figure::Chord && !sweep.Full()) {
                // Copied in: clang 14 cannot capture structured bindings.
                const auto leftOf = [&, sx = sx, sy = sy, ex = ex, ey = ey](int x) {
                    return LeftOfChord(sx, sy, ex, ey, x, y);
                };
                const Run c = MonotonicRun(l, r, leftOf);
                runs.Add(c.first, c.last);
            } else {
                runs.Add(l, r);
            }
            for (const Run& run : runs)
                cover.MarkRun(y, run.first, run.last, kBrush);
        }
    }
    if (width > 0) {
        Stroke stroke(canvas, cover);
        MarkArc(shape, sweep, cover, stroke, width, inner, spans);
        if (cut) {
            const TPoint startPixel = NearestPixel(shape, sweep, sx, sy);
            const TPoint endPixel = NearestPixel(shape, sweep, ex, ey);
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
