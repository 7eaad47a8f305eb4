// Block transfers: BitBlt, StretchBlt, PatBlt and the canvas's Draw family.
#include "platform/gdi_internal.h"

#include <algorithm>
#include <vector>

using namespace kes::gdi;

namespace {

bool UsesSource(std::uint8_t code)
{
    return ((code >> 2) & 0x33) != (code & 0x33);
}

bool UsesDest(std::uint8_t code)
{
    return ((code >> 1) & 0x55) != (code & 0x55);
}

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

// Each row of the block straight from the source's row: for a one-to-one copy from another
// picture, where nothing written can change what is still to be read. Source columns
// c0 + i0 .. c0 + i1 - 1 of row r0 + j serve the block's columns i0 .. i1 - 1 of row j.
template <typename Op>
void ApplyRopFrom(Surface& out, const TRect& visible, const SourceView& in, long long c0, long long r0, int i0,
                  int i1, std::uint32_t pattern, Op op)
{
    const TRect& sc = in.Clip();
    for (int j = 0; j < visible.Height(); ++j) {
        const long long row = r0 + j;
        if (row < sc.Top || row >= sc.Bottom)
            continue;
        std::uint32_t* to = out.At(visible.Left, visible.Top + j);
        const std::uint32_t* from = in.At(static_cast<int>(c0 + i0), static_cast<int>(row));
        for (int i = i0; i < i1; ++i)
            to[i] = op(pattern, from[i - i0] | 0xFF000000u, to[i] | 0xFF000000u) | 0xFF000000u;
    }
}

// Calls apply with the operation of the code, the common ones written out so that the
// compiler sees them.
template <typename Apply> void WithRop(std::uint8_t code, Apply apply)
{
    switch (code) {
    case 0xCC: apply([](std::uint32_t, std::uint32_t s, std::uint32_t) { return s & 0xFFFFFFu; }); break;
    case 0x88: apply([](std::uint32_t, std::uint32_t s, std::uint32_t d) { return s & d & 0xFFFFFFu; }); break;
    case 0xEE: apply([](std::uint32_t, std::uint32_t s, std::uint32_t d) { return (s | d) & 0xFFFFFFu; }); break;
    case 0x66: apply([](std::uint32_t, std::uint32_t s, std::uint32_t d) { return (s ^ d) & 0xFFFFFFu; }); break;
    case 0x33: apply([](std::uint32_t, std::uint32_t s, std::uint32_t) { return ~s & 0xFFFFFFu; }); break;
    case 0xF0: apply([](std::uint32_t p, std::uint32_t, std::uint32_t) { return p & 0xFFFFFFu; }); break;
    case 0x55: apply([](std::uint32_t, std::uint32_t, std::uint32_t d) { return ~d & 0xFFFFFFu; }); break;
    case 0x00: apply([](std::uint32_t, std::uint32_t, std::uint32_t) { return 0u; }); break;
    case 0xFF: apply([](std::uint32_t, std::uint32_t, std::uint32_t) { return 0xFFFFFFu; }); break;
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
                WithRop(code, [&](auto op) { ApplyRopFrom(out, visible, in, c0, r0, i0, i1, pattern, op); });
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
