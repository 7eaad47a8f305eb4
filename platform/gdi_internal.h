#pragma once
// Shared machinery of the drawing layer: pixel access clipped to a canvas, the
// per-primitive coverage mask (each pixel is painted once per primitive, so XOR-like
// pen modes and wide pens stay exact) and the pen's dash pattern along a path.
#include "platform/gdi.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kes::gdi {

// Coordinates are clamped to this range so that every product below fits its integer type.
constexpr int kCoordLimit = 1 << 24;
int ClampCoord(int v);
int MulDiv(int a, int b, int c); // a * b / c rounded half away from zero, as the platform's

TRect Normalized(int x1, int y1, int x2, int y2);
TRect Intersect(const TRect& a, const TRect& b);
inline bool IsEmpty(const TRect& r) { return r.Right <= r.Left || r.Bottom <= r.Top; }
inline bool Contains(const TRect& r, int x, int y) { return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom; }

// A 32-bit pixel, 0xFFRRGGBB as the image stores it.
inline std::uint32_t ToPixel(TColor c) { return 0xFF000000u | ToQRgb(c); }
inline TColor FromPixel(std::uint32_t p) { return FromQRgb(p); }

// Any of the 256 ternary raster operations on 24-bit colours (P pattern, S source, D destination).
std::uint32_t Rop3(std::uint8_t code, std::uint32_t p, std::uint32_t s, std::uint32_t d);
// A pen mode applied to pen colour and destination pixel.
std::uint32_t Mix(TPenMode mode, std::uint32_t pen, std::uint32_t dst);

// Pixel access to a canvas's target through its origin, limited to its effective clip.
// Bringing a target to 32-bit pixels converts it in place (only the representation changes).
class Surface {
public:
    explicit Surface(const TCanvas& canvas);
    // The caller writes every pixel of cover that lies in the clip: when that is the whole of
    // a picture still to be made, it is made without being whitened first.
    Surface(const TCanvas& canvas, const TRect& cover);
    const TRect& Clip() const { return clip_; }
    bool Valid() const { return data_ != nullptr; }
    // Canvas coordinates; the caller keeps them inside Clip().
    std::uint32_t Get(int x, int y) const { return data_[Index(x, y)] | 0xFF000000u; }
    void Put(int x, int y, std::uint32_t pixel) { data_[Index(x, y)] = pixel | 0xFF000000u; }
    // Where pixel (x, y) is kept, the row going on to the right; the caller keeps within
    // Clip() and writes opaque pixels.
    std::uint32_t* At(int x, int y) { return data_ + Index(x, y); }
    // Pixels x0..x1-1 of row y become pixel.
    void Fill(int y, int x0, int x1, std::uint32_t pixel)
    {
        std::uint32_t* p = At(x0, y);
        std::fill(p, p + (x1 - x0), pixel | 0xFF000000u);
    }

private:
    static const TCanvas& Covering(const TCanvas& canvas, const TRect& cover);
    std::ptrdiff_t Index(int x, int y) const
    {
        return static_cast<std::ptrdiff_t>(y + origin_.y) * stride_ + (x + origin_.x);
    }
    std::uint32_t* data_ = nullptr;
    std::ptrdiff_t stride_ = 0;
    TPoint origin_;
    TRect clip_;
};

// Read-only access to a canvas (a source of a block transfer).
class SourceView {
public:
    explicit SourceView(const TCanvas& canvas);
    const TRect& Clip() const { return clip_; }
    std::uint32_t Get(int x, int y) const { return *At(x, y) | 0xFF000000u; }
    // Where pixel (x, y) is kept, the row going on to the right (alpha as stored).
    const std::uint32_t* At(int x, int y) const
    {
        return data_ + static_cast<std::ptrdiff_t>(y + origin_.y) * stride_ + (x + origin_.x);
    }

private:
    const std::uint32_t* data_ = nullptr;
    std::ptrdiff_t stride_ = 0;
    TPoint origin_;
    TRect clip_;
};

enum Ink : std::uint8_t { kNone = 0, kBrush = 1, kGap = 2, kPen = 3 };

// What one primitive paints, collected before any pixel changes: the strongest ink per
// pixel wins (pen over dash gap over brush). Limited to an area inside the clip. Its buffers
// come from a pool of the thread's, so drawing a line allocates nothing once warmed up, and
// only the part of each row that was marked is painted and cleared again.
// A pen that copies its colour and leaves no dash gaps needs no collecting: the last ink of a
// pixel is its strongest when every brush mark comes before the pen's, as the primitives mark
// them, so such marks go straight onto the picture.
class Coverage {
public:
    Coverage(const TCanvas& canvas, const TRect& area);
    ~Coverage();
    Coverage(const Coverage&) = delete;
    Coverage& operator=(const Coverage&) = delete;
    const TRect& Area() const { return area_; }
    void Mark(int x, int y, Ink ink)
    {
        if (!Contains(area_, x, y))
            return;
        if (direct_) {
            direct_->Put(x, y, ink == kPen ? pen_ : brush_);
            return;
        }
        std::uint8_t& m = (*mask_)[Index(x, y)];
        if (ink <= m)
            return;
        m = ink;
        Marked& r = (*rows_)[static_cast<std::size_t>(y - area_.Top)];
        r.first = std::min(r.first, x);
        r.last = std::max(r.last, x);
    }
    // Pixels x0..x1 (inclusive) of row y.
    void MarkRun(int y, int x0, int x1, Ink ink)
    {
        if (y < area_.Top || y >= area_.Bottom)
            return;
        x0 = std::max(x0, area_.Left);
        x1 = std::min(x1, area_.Right - 1);
        if (x0 > x1)
            return;
        if (direct_) {
            direct_->Fill(y, x0, x1 + 1, ink == kPen ? pen_ : brush_);
            return;
        }
        std::uint8_t* m = mask_->data() + Index(x0, y);
        for (int i = 0; i <= x1 - x0; ++i)
            m[i] = std::max<std::uint8_t>(m[i], ink);
        Marked& r = (*rows_)[static_cast<std::size_t>(y - area_.Top)];
        r.first = std::min(r.first, x0);
        r.last = std::max(r.last, x1);
    }
    // Brush and gaps take the brush colour, pen pixels the pen colour, all through the pen
    // mode (done already when the marks went straight onto the picture).
    void Paint(const TCanvas& canvas) const;

    // The first and last pixel marked in a row (first > last: none).
    struct Marked {
        int first = 1 << 30;
        int last = -(1 << 30);
    };

private:
    std::size_t Index(int x, int y) const
    {
        return static_cast<std::size_t>(y - area_.Top) * static_cast<std::size_t>(area_.Width()) +
               static_cast<std::size_t>(x - area_.Left);
    }
    TRect area_;
    std::optional<Surface> direct_;
    std::uint32_t pen_ = 0;
    std::uint32_t brush_ = 0;
    std::vector<std::uint8_t>* mask_ = nullptr; // all zero outside the marked runs
    std::vector<Marked>* rows_ = nullptr;
};

// The drawing area a primitive may touch: its bounds grown by margin, within the canvas clip.
TRect PrimitiveArea(const TCanvas& canvas, TRect bounds, int margin);

// The pen walking a path: one Step per pixel of the path advances the dash pattern.
// Pens wider than one pixel stamp a round block centred on each path pixel and draw solid
// whatever their style (as the platform does).
class Stroke {
public:
    Stroke(const TCanvas& canvas, Coverage& cover);
    bool Visible() const { return visible_; }
    int Width() const { return width_; }
    bool Patterned() const { return patternLength_ != 0; }
    void Step(int x, int y);
    // a to b; b itself only when includeEnd. Steps outside the coverage area are skipped
    // but still advance the pattern.
    void Line(TPoint a, TPoint b, bool includeEnd);

private:
    struct BlockRow {
        int dy;
        int first;
        int last;
    };
    static const std::vector<BlockRow>& RoundBlock(int width);
    bool PenAt(long long index) const;
    void Stamp(int x, int y, Ink ink);
    Coverage& cover_;
    bool visible_ = true;
    int width_ = 1;
    Ink gapInk_ = kGap;
    std::span<const int> pattern_;                 // on, off, on, off... lengths; empty = solid
    const std::vector<BlockRow>* block_ = nullptr; // a wide pen's round block
    int blockLo_ = 0;
    int blockHi_ = 0;
    int patternLength_ = 0;
    long long index_ = 0;
};

// The pixels of the line from a to b (b itself only when includeEnd) in order, nearest the
// ideal line, a tie staying on the start point's side: visit(step, x, y). Only the steps whose
// major coordinate lies within reach of area are visited. Returns the number of steps.
template <typename Visit>
long long WalkLine(TPoint a, TPoint b, bool includeEnd, const TRect& area, int reach, Visit visit)
{
    a = TPoint{ClampCoord(a.x), ClampCoord(a.y)};
    b = TPoint{ClampCoord(b.x), ClampCoord(b.y)};
    long long dx = static_cast<long long>(b.x) - a.x;
    long long dy = static_cast<long long>(b.y) - a.y;
    bool xMajor = (dx < 0 ? -dx : dx) >= (dy < 0 ? -dy : dy);
    long long major = xMajor ? (dx < 0 ? -dx : dx) : (dy < 0 ? -dy : dy);
    long long minor = xMajor ? (dy < 0 ? -dy : dy) : (dx < 0 ? -dx : dx);
    int majorSign = (xMajor ? dx : dy) < 0 ? -1 : 1;
    int minorSign = (xMajor ? dy : dx) < 0 ? -1 : 1;
    long long steps = major + (includeEnd ? 1 : 0);
    if (steps == 0 || IsEmpty(area))
        return steps;
    long long m0 = xMajor ? a.x : a.y;
    long long lo = (xMajor ? area.Left : area.Top) - reach;
    long long hi = (xMajor ? area.Right : area.Bottom) + reach;
    long long first = std::max(majorSign > 0 ? lo - m0 : m0 - hi, 0LL);
    long long last = std::min(majorSign > 0 ? hi - m0 : m0 - lo, steps - 1);
    if (first > last)
        return steps;
    // The minor offset of step i is (2 i minor + major - 1) / (2 major), kept as quotient and
    // remainder from step to step; it grows by at most one a step, as minor <= major.
    const long long den = major == 0 ? 1 : 2 * major;
    const long long num = major == 0 ? 0 : 2 * first * minor + major - 1;
    long long off = num / den;
    long long rem = num % den;
    const long long mn0 = xMajor ? a.y : a.x;
    for (long long i = first; i <= last; ++i) {
        long long mj = m0 + majorSign * i;
        long long mn = mn0 + minorSign * off;
        visit(i, static_cast<int>(xMajor ? mj : mn), static_cast<int>(xMajor ? mn : mj));
        rem += 2 * minor;
        if (rem >= den) {
            ++off;
            rem -= den;
        }
    }
    return steps;
}

// On/off run lengths of a styled pen, in pixels along the path; empty for a solid one.
std::span<const int> PenPattern(TPenStyle style);
// Whether step index of a path falls on an "on" run of pattern (length: its sum).
bool PenOnAt(std::span<const int> pattern, int length, long long index);

// The pen's outline width inside closed figures (0 for a clear pen).
int OutlineWidth(const TCanvas& canvas);

// The family that draws the characters a text's own family lacks (Chinese, mostly), so
// that no system-dependent fallback decides.
const char* FallbackFamily();
// Hinted one-bit rendering drops strokes of some Chinese faces; they are drawn unhinted.
bool DrawUnhinted(const std::string& family);

} // namespace kes::gdi
