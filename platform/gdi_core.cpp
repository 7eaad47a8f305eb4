// Pixel access, raster operations, the coverage mask and the pen pattern.
#include "platform/gdi_internal.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace kes::gdi {

int ClampCoord(int v) { return std::clamp(v, -kCoordLimit, kCoordLimit); }

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    long long num = static_cast<long long>(a) * b;
    long long den = c;
    if (den < 0) {
        num = -num;
        den = -den;
    }
    long long q = (std::llabs(num) + den / 2) / den;
    return static_cast<int>(num < 0 ? -q : q);
}

TRect Normalized(int x1, int y1, int x2, int y2)
{
    x1 = ClampCoord(x1);
    x2 = ClampCoord(x2);
    y1 = ClampCoord(y1);
    y2 = ClampCoord(y2);
    return TRect{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

TRect Intersect(const TRect& a, const TRect& b)
{
    return TRect{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
                 std::min(a.Bottom, b.Bottom)};
}

std::uint32_t Rop3(std::uint8_t code, std::uint32_t p, std::uint32_t s, std::uint32_t d)
{
    // Bit (P << 2 | S << 1 | D) of the code is the result for that input combination,
    // evaluated on all 24 colour bits at once.
    std::uint32_t r = 0;
    for (int k = 0; k < 8; ++k) {
        if (((code >> k) & 1) == 0)
            continue;
        r |= ((k & 4) ? p : ~p) & ((k & 2) ? s : ~s) & ((k & 1) ? d : ~d);
    }
    return r & 0xFFFFFFu;
}

std::uint32_t Mix(TPenMode mode, std::uint32_t pen, std::uint32_t dst)
{
    switch (mode) {
    case pmCopy:
        return pen & 0xFFFFFFu;
    case pmNotXor:
        return ~(pen ^ dst) & 0xFFFFFFu;
    case pmXor:
        return (pen ^ dst) & 0xFFFFFFu;
    case pmNot:
        return ~dst & 0xFFFFFFu;
    case pmBlack:
        return 0;
    case pmWhite:
        return 0xFFFFFFu;
    }
    return pen & 0xFFFFFFu;
}

namespace {

bool Is32Bit(const QImage& img)
{
    QImage::Format f = img.format();
    return f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 || f == QImage::Format_ARGB32_Premultiplied;
}

// The canvas's target (img) as 32-bit pixels, or null (and clip emptied) when nothing is drawable.
QImage* Prepared(QImage* img, TRect& clip)
{
    if (!img || img->isNull() || IsEmpty(clip)) {
        clip = TRect{};
        return nullptr;
    }
    if (!Is32Bit(*img))
        *img = img->convertToFormat(QImage::Format_RGB32);
    return img;
}

} // namespace

Surface::Surface(const TCanvas& canvas) : origin_(canvas.Origin())
{
    QImage* target = canvas.Target();
    clip_ = canvas.ClipIn(target);
    if (QImage* img = Prepared(target, clip_)) {
        data_ = reinterpret_cast<std::uint32_t*>(img->bits());
        stride_ = img->bytesPerLine() / 4;
    }
}

const TCanvas& Surface::Covering(const TCanvas& canvas, const TRect& cover)
{
    TBitmap* owner = canvas.owner_;
    if (owner && cover.Left <= 0 && cover.Top <= 0 && cover.Right >= owner->Width() && cover.Bottom >= owner->Height())
        owner->ImageToOverwrite();
    return canvas;
}

Surface::Surface(const TCanvas& canvas, const TRect& cover) : Surface(Covering(canvas, cover)) {}

SourceView::SourceView(const TCanvas& canvas) : origin_(canvas.Origin())
{
    QImage* target = canvas.Target();
    clip_ = canvas.ClipIn(target);
    if (QImage* img = Prepared(target, clip_)) {
        data_ = reinterpret_cast<const std::uint32_t*>(img->constBits());
        stride_ = img->bytesPerLine() / 4;
    }
}

namespace {

// Buffers of finished primitives, kept for the next: masks all zero, row lists any length.
// A very large mask is let go rather than kept.
struct CoveragePool {
    std::vector<std::unique_ptr<std::vector<std::uint8_t>>> masks;
    std::vector<std::unique_ptr<std::vector<Coverage::Marked>>> rows;
};
constexpr std::size_t kKeptMaskBytes = std::size_t(4) << 20;

CoveragePool& Pool()
{
    thread_local CoveragePool pool;
    return pool;
}

template <typename T> T* Take(std::vector<std::unique_ptr<T>>& from)
{
    if (from.empty())
        return new T;
    T* t = from.back().release();
    from.pop_back();
    return t;
}

} // namespace

// Dash gaps are marked between pen pixels, and only the mask keeps the pen's where they meet.
bool CopiesWithoutGaps(const TCanvas& canvas)
{
    const bool gaps = std::clamp(canvas.Pen.Width, 1, 255) == 1 && !PenPattern(canvas.Pen.Style).empty() &&
                      canvas.Brush.Style != bsClear;
    return canvas.Pen.Mode == pmCopy && !gaps;
}

Coverage::Coverage(const TCanvas& canvas, const TRect& area) : area_(IsEmpty(area) ? TRect{} : area)
{
    if (IsEmpty(area_))
        return;
    if (CopiesWithoutGaps(canvas)) {
        direct_.emplace(canvas);
        if (direct_->Valid()) {
            // The area lies inside the canvas's clip already.
            pen_ = ToPixel(canvas.Pen.Color);
            brush_ = ToPixel(canvas.Brush.Color);
            return;
        }
        direct_.reset();
        area_ = TRect{};
        return;
    }
    CoveragePool& pool = Pool();
    mask_ = Take(pool.masks);
    rows_ = Take(pool.rows);
    const std::size_t n = static_cast<std::size_t>(area_.Width()) * static_cast<std::size_t>(area_.Height());
    if (mask_->size() < n)
        mask_->resize(n, kNone);
    rows_->assign(static_cast<std::size_t>(area_.Height()), Marked{});
}

Coverage::~Coverage()
{
    if (!mask_)
        return;
    for (int y = area_.Top; y < area_.Bottom; ++y) {
        const Marked& r = (*rows_)[static_cast<std::size_t>(y - area_.Top)];
        if (r.first <= r.last)
            std::fill(mask_->begin() + static_cast<std::ptrdiff_t>(Index(r.first, y)),
                      mask_->begin() + static_cast<std::ptrdiff_t>(Index(r.last, y)) + 1, kNone);
    }
    CoveragePool& pool = Pool();
    if (mask_->size() > kKeptMaskBytes)
        delete mask_;
    else
        pool.masks.emplace_back(mask_);
    pool.rows.emplace_back(rows_);
}

void Coverage::Paint(const TCanvas& canvas) const
{
    if (IsEmpty(area_) || !mask_)
        return;
    Surface s(canvas);
    if (!s.Valid())
        return;
    TRect r = Intersect(area_, s.Clip());
    std::uint32_t pen = ToPixel(canvas.Pen.Color);
    std::uint32_t brush = ToPixel(canvas.Brush.Color);
    const TPenMode mode = canvas.Pen.Mode;
    for (int y = r.Top; y < r.Bottom; ++y) {
        const Marked& row = (*rows_)[static_cast<std::size_t>(y - area_.Top)];
        const int first = std::max(row.first, r.Left);
        const int n = std::min(row.last, r.Right - 1) - first + 1;
        if (n <= 0)
            continue;
        const std::uint8_t* ink = mask_->data() + Index(first, y);
        std::uint32_t* to = s.At(first, y);
        for (int i = 0; i < n; ++i) {
            if (ink[i] == kNone)
                continue;
            const std::uint32_t colour = ink[i] == kPen ? pen : brush;
            to[i] = (mode == pmCopy ? colour : Mix(mode, colour, to[i] | 0xFF000000u)) | 0xFF000000u;
        }
    }
}

TRect PrimitiveArea(const TCanvas& canvas, TRect bounds, int margin)
{
    bounds = TRect{bounds.Left - margin, bounds.Top - margin, bounds.Right + margin, bounds.Bottom + margin};
    TRect r = Intersect(bounds, canvas.ClipRect());
    return IsEmpty(r) ? TRect{} : r;
}

int OutlineWidth(const TCanvas& canvas)
{
    if (canvas.Pen.Style == psClear)
        return 0;
    return std::clamp(canvas.Pen.Width, 1, 255);
}

std::span<const int> PenPattern(TPenStyle style)
{
    static constexpr int kDash[] = {18, 6};
    static constexpr int kDot[] = {3, 3};
    static constexpr int kDashDot[] = {9, 6, 3, 6};
    static constexpr int kDashDotDot[] = {9, 3, 3, 3, 3, 3};
    switch (style) {
    case psDash:
        return kDash;
    case psDot:
        return kDot;
    case psDashDot:
        return kDashDot;
    case psDashDotDot:
        return kDashDotDot;
    default:
        return {};
    }
}

bool PenOnAt(std::span<const int> pattern, int length, long long index)
{
    if (length == 0)
        return true;
    long long pos = index % length;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pos < pattern[i])
            return i % 2 == 0;
        pos -= pattern[i];
    }
    return true;
}

Stroke::Stroke(const TCanvas& canvas, Coverage& cover) : cover_(cover)
{
    visible_ = canvas.Pen.Style != psClear;
    width_ = std::clamp(canvas.Pen.Width, 1, 255);
    gapInk_ = canvas.Brush.Style == bsClear ? kNone : kGap;
    if (width_ == 1)
        pattern_ = PenPattern(canvas.Pen.Style);
    else
        block_ = &RoundBlock(width_);
    blockLo_ = -(width_ / 2);
    blockHi_ = width_ - 1 - width_ / 2;
    for (int run : pattern_)
        patternLength_ += run;
}

// The rows of the round block a pen of that width stamps, each a run from the path pixel's
// column. An even width is centred half a pixel up and left, so width 2 covers the path pixel
// and its upper-left neighbours. Worked out once per width.
const std::vector<Stroke::BlockRow>& Stroke::RoundBlock(int width)
{
    thread_local std::vector<BlockRow> blocks[256];
    std::vector<BlockRow>& rows = blocks[width];
    if (!rows.empty())
        return rows;
    const int lo = -(width / 2);
    const int hi = width - 1 - width / 2;
    const int even = width % 2 == 0 ? 1 : 0;
    const long long limit = static_cast<long long>(width) * width;
    for (int dy = lo; dy <= hi; ++dy) {
        BlockRow r{dy, hi + 1, lo - 1};
        for (int dx = lo; dx <= hi; ++dx) {
            const long long ex = 2 * dx + even;
            const long long ey = 2 * dy + even;
            if (ex * ex + ey * ey <= limit) {
                r.first = std::min(r.first, dx);
                r.last = std::max(r.last, dx);
            }
        }
        if (r.first <= r.last)
            rows.push_back(r);
    }
    return rows;
}

bool Stroke::PenAt(long long index) const { return PenOnAt(pattern_, patternLength_, index); }

void Stroke::Stamp(int x, int y, Ink ink)
{
    if (ink == kNone)
        return;
    if (width_ == 1) {
        cover_.Mark(x, y, ink);
        return;
    }
    const TRect& area = cover_.Area();
    if (x + blockHi_ < area.Left || x + blockLo_ >= area.Right || y + blockHi_ < area.Top ||
        y + blockLo_ >= area.Bottom)
        return;
    for (const BlockRow& r : *block_)
        cover_.MarkRun(y + r.dy, x + r.first, x + r.last, ink);
}

void Stroke::Step(int x, int y)
{
    if (visible_)
        Stamp(x, y, PenAt(index_) ? kPen : gapInk_);
    ++index_;
}

void Stroke::Line(TPoint a, TPoint b, bool includeEnd)
{
    const long long base = index_;
    const long long steps = WalkLine(a, b, includeEnd, cover_.Area(), width_, [&](long long i, int x, int y) {
        index_ = base + i;
        Step(x, y);
    });
    index_ = base + steps;
}

} // namespace kes::gdi
