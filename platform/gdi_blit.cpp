// Block transfers: BitBlt, StretchBlt, PatBlt and the canvas's Draw family.
#include "platform/gdi_internal.h"

#include <algorithm>
#include <vector>

using namespace kes::gdi;

namespace {

bool UsesSource(std::uint8_t code) { return ((code >> 2) & 0x33) != (code & 0x33); }

bool UsesDest(std::uint8_t code) { return ((code >> 1) & 0x55) != (code & 0x55); }

// The raster operation of every pixel of a block, with the operation's code chosen once.
template <typename Op>
void ApplyRop(Surface& out, const TRect& visible, const std::uint32_t* src, std::uint32_t pattern, Op op)
{
    const int vw = visible.Width();
    for (int j = 0; j < visible.Height(); ++j) {
        std::uint32_t* to = out.At(visible.Left, visible.Top + j);
        const std::uint32_t* from = src ? src + static_cast<std::size_t>(j) * vw : nullptr;
        for (int i = 0; i < vw; ++i) {
            std::uint32_t s = 0;
            if (from) {
                s = from[i];
                if (s == 0)
                    continue;
            }
            to[i] = op(pattern, s, to[i] | 0xFF000000u) | 0xFF000000u;
        }
    }
}

// A row of pixels copied from another picture's row as they are (opaque); a function of its own,
// so that the compiler knows the rows apart and copies several pixels at a time.
[[gnu::noinline]] void CopyOpaque(std::uint32_t* __restrict to, const std::uint32_t* __restrict from, std::size_t n)
{
    for (std::size_t i = 0; i < n; ++i)
        to[i] = from[i] | 0xFF000000u;
}

// The same, each pixel twice (a picture shown at zoom 2).
[[gnu::noinline]] void DoubleOpaque(std::uint32_t* __restrict to, const std::uint32_t* __restrict from, std::size_t n)
{
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint32_t v = from[i] | 0xFF000000u;
        to[2 * i] = v;
        to[2 * i + 1] = v;
    }
}

// Each row of the block straight from the source's row: for a one-to-one copy from another
// picture, where nothing written can change what is still to be read. Source columns
// c0 + i0 .. c0 + i1 - 1 of row r0 + j serve the block's columns i0 .. i1 - 1 of row j. copy:
// the operation is the plain copy (the common case), done a row at a time.
template <typename Op>
void ApplyRopFrom(Surface& out, const TRect& visible, const SourceView& in, long long c0, long long r0, int i0, int i1,
                  std::uint32_t pattern, bool copy, Op op)
{
    const TRect& sc = in.Clip();
    for (int j = 0; j < visible.Height(); ++j) {
        const long long row = r0 + j;
        if (row < sc.Top || row >= sc.Bottom)
            continue;
        std::uint32_t* to = out.At(visible.Left + i0, visible.Top + j);
        const std::uint32_t* from = in.At(static_cast<int>(c0 + i0), static_cast<int>(row));
        const std::size_t n = static_cast<std::size_t>(i1 - i0);
        if (copy) {
            CopyOpaque(to, from, n);
            continue;
        }
        for (std::size_t i = 0; i < n; ++i)
            to[i] = op(pattern, from[i] | 0xFF000000u, to[i] | 0xFF000000u) | 0xFF000000u;
    }
}

// A picture enlarged by whole factors from another picture: block column i takes source column
// sx + (dx + i) / kw, row j source row sy + (dy + j) / kh, where (dx, dy) is the visible part's
// offset in the block. Each source pixel is read once per row and repeated; when the operation
// ignores what lies below, a row whose source row is the one before is a copy of the row made.
// copy: the operation is the plain copy.
template <typename Op>
void ApplyRopEnlarged(Surface& out, const TRect& visible, const SourceView& in, long long dx, long long dy,
                      long long sx, long long sy, int kw, int kh, bool rowsRepeat, bool copy, std::uint32_t pattern,
                      Op op)
{
    const TRect& sc = in.Clip();
    const int vw = visible.Width();
    // The visible columns whose source column lies in the source: i0 .. i1 - 1.
    const long long from = sc.Left - sx;
    const long long to = sc.Right - sx;
    const int i0 = static_cast<int>(std::clamp<long long>(from > 0 ? from * kw - dx : 0, 0, vw));
    const int i1 = static_cast<int>(std::clamp<long long>(to > 0 ? to * kw - dx : 0, 0, vw));
    if (i0 >= i1)
        return;
    const long long first = dx + i0;
    const int col0 = static_cast<int>(sx + first / kw);
    const int phase0 = static_cast<int>(first % kw);
    const std::uint32_t* made = nullptr;
    long long madeRow = 0;
    for (int j = 0; j < visible.Height(); ++j) {
        const long long row = sy + (dy + j) / kh;
        if (row < sc.Top || row >= sc.Bottom)
            continue;
        std::uint32_t* dst = out.At(visible.Left, visible.Top + j);
        if (rowsRepeat && made && row == madeRow) {
            std::copy(made + i0, made + i1, dst + i0);
            made = dst;
            continue;
        }
        const std::uint32_t* src = in.At(col0, static_cast<int>(row));
        if (rowsRepeat) {
            // Each source pixel's value fills its columns: the first and last in part.
            int i = i0;
            auto put = [&](int n) {
                const std::uint32_t v = op(pattern, *src++ | 0xFF000000u, 0xFF000000u) | 0xFF000000u;
                for (const int end = i + n; i < end; ++i)
                    dst[i] = v;
            };
            put(std::min(kw - phase0, i1 - i0));
            const int whole = (i1 - i) / kw;
            if (kw == 2 && copy) {
                DoubleOpaque(dst + i, src, static_cast<std::size_t>(whole));
                src += whole;
                i += 2 * whole;
            } else if (kw == 2) {
                for (int k = 0; k < whole; ++k, i += 2) {
                    const std::uint32_t v = op(pattern, src[k] | 0xFF000000u, 0xFF000000u) | 0xFF000000u;
                    dst[i] = v;
                    dst[i + 1] = v;
                }
                src += whole;
            } else {
                for (int k = 0; k < whole; ++k)
                    put(kw);
            }
            if (i < i1)
                put(i1 - i);
        } else {
            std::uint32_t s = *src | 0xFF000000u;
            int phase = phase0;
            for (int i = i0; i < i1; ++i) {
                if (phase == kw) {
                    phase = 0;
                    s = *++src | 0xFF000000u;
                }
                dst[i] = op(pattern, s, dst[i] | 0xFF000000u) | 0xFF000000u;
                ++phase;
            }
        }
        made = dst;
        madeRow = row;
    }
}

// Calls apply with the operation of the code, the common ones written out so that the
// compiler sees them.
template <typename Apply> void WithRop(std::uint8_t code, Apply apply)
{
    switch (code) {
    case 0xCC:
        apply([](std::uint32_t, std::uint32_t s, std::uint32_t) { return s & 0xFFFFFFu; });
        break;
    case 0x88:
        apply([](std::uint32_t, std::uint32_t s, std::uint32_t d) { return s & d & 0xFFFFFFu; });
        break;
    case 0xEE:
        apply([](std::uint32_t, std::uint32_t s, std::uint32_t d) { return (s | d) & 0xFFFFFFu; });
        break;
    case 0x66:
        apply([](std::uint32_t, std::uint32_t s, std::uint32_t d) { return (s ^ d) & 0xFFFFFFu; });
        break;
    case 0x33:
        apply([](std::uint32_t, std::uint32_t s, std::uint32_t) { return ~s & 0xFFFFFFu; });
        break;
    case 0xF0:
        apply([](std::uint32_t p, std::uint32_t, std::uint32_t) { return p & 0xFFFFFFu; });
        break;
    case 0x55:
        apply([](std::uint32_t, std::uint32_t, std::uint32_t d) { return ~d & 0xFFFFFFu; });
        break;
    case 0x00:
        apply([](std::uint32_t, std::uint32_t, std::uint32_t) { return 0u; });
        break;
    case 0xFF:
        apply([](std::uint32_t, std::uint32_t, std::uint32_t) { return 0xFFFFFFu; });
        break;
    default:
        apply([code](std::uint32_t p, std::uint32_t s, std::uint32_t d) { return Rop3(code, p, s, d); });
        break;
    }
}

// Source pixels of the block, read before anything is written; kept between calls.
std::vector<std::uint32_t>& SourceBuffer()
{
    thread_local std::vector<std::uint32_t> buffer;
    return buffer;
}

// Whether two canvases draw on the same pixels.
bool SameImage(const TCanvas& a, const TCanvas& b)
{
    const QImage* ia = a.Target();
    const QImage* ib = b.Target();
    return ia == ib || (ia && ib && ia->constBits() == ib->constBits());
}

// Destination pixel (i, j) of the w x h block at (x, y) takes source pixel
// (sx + i * sw / w, sy + j * sh / h). Pixels whose source lies outside the source
// canvas are left alone. The source block is read completely before anything is
// written, so overlapping copies within one picture come out right.
void Transfer(TCanvas& dest, int x, int y, int w, int h, const TCanvas* source, int sx, int sy, int sw, int sh,
              std::uint32_t rop)
{
    if (w <= 0 || h <= 0)
        return;
    std::uint8_t code = static_cast<std::uint8_t>((rop >> 16) & 0xFF);
    if (!UsesSource(code))
        source = nullptr;
    if (source && (sw <= 0 || sh <= 0))
        return;
    TRect block{ClampCoord(x), ClampCoord(y), ClampCoord(x) + std::min(w, kCoordLimit),
                ClampCoord(y) + std::min(h, kCoordLimit)};
    // An operation that ignores the destination writes the whole block when it has no source
    // or a source lying wholly in its canvas, one to one.
    bool whole = !UsesDest(code);
    if (whole && source) {
        const TRect sc = source->ClipRect();
        whole = sw == w && sh == h && sx >= sc.Left && sy >= sc.Top && sx + static_cast<long long>(w) <= sc.Right &&
                sy + static_cast<long long>(h) <= sc.Bottom;
    }
    Surface out = whole ? Surface(dest, block) : Surface(dest);
    if (!out.Valid())
        return;
    TRect visible = Intersect(block, out.Clip());
    if (IsEmpty(visible))
        return;
    const std::uint32_t pattern = ToPixel(dest.Brush.Color);
    const int vw = visible.Width();
    const int vh = visible.Height();
    // Source pixels per visible destination pixel; 0 marks "no source here".
    const std::uint32_t* src = nullptr;
    if (source) {
        SourceView in(*source);
        const TRect& sc = in.Clip();
        if (IsEmpty(sc))
            return;
        if (sw == w && sh == h && !SameImage(dest, *source)) {
            const long long c0 = sx + static_cast<long long>(visible.Left - block.Left);
            const int i0 = static_cast<int>(std::clamp<long long>(sc.Left - c0, 0, vw));
            const int i1 = static_cast<int>(std::clamp<long long>(sc.Right - c0, 0, vw));
            const long long r0 = sy + static_cast<long long>(visible.Top - block.Top);
            if (i0 < i1)
                WithRop(code,
                        [&](auto op) { ApplyRopFrom(out, visible, in, c0, r0, i0, i1, pattern, code == 0xCC, op); });
            return;
        }
        if (w % sw == 0 && h % sh == 0 && !SameImage(dest, *source)) {
            const long long dx = visible.Left - static_cast<long long>(block.Left);
            const long long dy = visible.Top - static_cast<long long>(block.Top);
            WithRop(code, [&](auto op) {
                ApplyRopEnlarged(out, visible, in, dx, dy, sx, sy, w / sw, h / sh, !UsesDest(code), code == 0xCC,
                                 pattern, op);
            });
            return;
        }
        std::vector<std::uint32_t>& buf = SourceBuffer();
        buf.assign(static_cast<std::size_t>(vw) * static_cast<std::size_t>(vh), 0);
        thread_local std::vector<long long> colOf;
        colOf.resize(static_cast<std::size_t>(vw));
        for (int i = 0; i < vw; ++i)
            colOf[i] = sx + static_cast<long long>(visible.Left + i - block.Left) * sw / w;
        // Columns one to one: each row's source is one run of the source row.
        const long long c0 = colOf[0];
        const int i0 = static_cast<int>(std::clamp<long long>(sc.Left - c0, 0, vw));
        const int i1 = static_cast<int>(std::clamp<long long>(sc.Right - c0, 0, vw));
        for (int j = 0; j < vh; ++j) {
            long long row = sy + static_cast<long long>(visible.Top + j - block.Top) * sh / h;
            if (row < sc.Top || row >= sc.Bottom)
                continue;
            std::uint32_t* to = buf.data() + static_cast<std::size_t>(j) * vw;
            if (sw == w) {
                if (i0 < i1) {
                    const std::uint32_t* from = in.At(static_cast<int>(c0 + i0), static_cast<int>(row));
                    for (int i = i0; i < i1; ++i)
                        to[i] = from[i - i0] | 0xFF000000u;
                }
                continue;
            }
            for (int i = 0; i < vw; ++i) {
                long long col = colOf[i];
                if (col >= sc.Left && col < sc.Right)
                    to[i] = in.Get(static_cast<int>(col), static_cast<int>(row));
            }
        }
        src = buf.data();
    }
    WithRop(code, [&](auto op) { ApplyRop(out, visible, src, pattern, op); });
}

} // namespace

void BitBlt(TCanvas& dest, int x, int y, int w, int h, const TCanvas& source, int sx, int sy, std::uint32_t rop)
{
    Transfer(dest, x, y, w, h, &source, sx, sy, w, h, rop);
}

void StretchBlt(TCanvas& dest, int x, int y, int w, int h, const TCanvas& source, int sx, int sy, int sw, int sh,
                std::uint32_t rop)
{
    Transfer(dest, x, y, w, h, &source, sx, sy, sw, sh, rop);
}

void PatBlt(TCanvas& dest, int x, int y, int w, int h, std::uint32_t rop)
{
    Transfer(dest, x, y, w, h, nullptr, 0, 0, 0, 0, rop);
}

void TCanvas::Draw(int x, int y, const TBitmap& source)
{
    if (!source.Empty())
        BitBlt(*this, x, y, source.Width(), source.Height(), *source.Canvas(), 0, 0, CopyMode);
}

void TCanvas::StretchDraw(const TRect& dest, const TBitmap& source)
{
    if (!source.Empty())
        StretchBlt(*this, dest.Left, dest.Top, dest.Width(), dest.Height(), *source.Canvas(), 0, 0, source.Width(),
                   source.Height(), CopyMode);
}

void TCanvas::CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect)
{
    StretchBlt(*this, dest.Left, dest.Top, dest.Width(), dest.Height(), source, sourceRect.Left, sourceRect.Top,
               sourceRect.Width(), sourceRect.Height(), CopyMode);
}
