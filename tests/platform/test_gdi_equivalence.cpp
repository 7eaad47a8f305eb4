// The row-at-a-time ellipse family and the kept glyph runs draw exactly what the routines
// before them drew, pixel for pixel: ellipses, arcs, chords and pies over many random boxes,
// rays, pens, pen modes, brushes and clips, and texts in random fonts, styles, code pages,
// places and clip boxes (drawn again and again, as the glyph runs are kept), on pictures of
// random pixels. The previous routines were run side by side with these over the same cases
// until they went; the digests of their pictures, block by block of 500 cases, stand here.
// A one-pixel line drawn straight onto the picture matches the same line collected as a
// polyline. Block transfers, which take short cuts for the common raster operations, must
// still give every operation's table.
#include "platform/codepage.h"
#include "platform/gdi_internal.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

class Dice {
public:
    explicit Dice(std::uint32_t seed) : rng_(seed) {}
    int In(int lo, int hi) { return lo + static_cast<int>(rng_() % static_cast<std::uint32_t>(hi - lo + 1)); }
    bool OneIn(int n) { return rng_() % static_cast<std::uint32_t>(n) == 0; }
    template <typename T, std::size_t N> T Of(const T (&options)[N]) { return options[rng_() % N]; }

private:
    std::mt19937 rng_;
};

constexpr std::uint64_t kDigestStart = 1469598103934665603ull;

std::uint64_t Digest(std::uint64_t h, const QImage& img)
{
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            h = (h ^ (img.pixel(x, y) & 0xFFFFFFu)) * 1099511628211ull;
    return h;
}

// A picture of random pixels (colours the pen modes treat differently), the same on both sides.
TBitmap Noise(Dice& d, int w, int h)
{
    const TColor colours[] = {clBlack, clWhite, clRed, clBlue, 0x123456};
    TBitmap bmp(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            bmp.Canvas()->SetPixel(x, y, d.Of(colours));
    return bmp;
}

struct Pens {
    TPen pen;
    TBrush brush;
};

Pens RandomPens(Dice& d)
{
    const TPenStyle styles[] = {psSolid, psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame};
    const TPenMode modes[] = {pmCopy, pmCopy, pmNotXor, pmXor, pmNot, pmBlack, pmWhite};
    const TColor colours[] = {clBlack, clWhite, clRed, 0x00FF8040};
    Pens p;
    p.pen.Style = d.Of(styles);
    p.pen.Width = d.OneIn(3) ? d.In(0, 7) : 1;
    p.pen.Mode = d.Of(modes);
    p.pen.Color = d.Of(colours);
    p.brush.Style = d.OneIn(3) ? bsClear : bsSolid;
    p.brush.Color = d.Of(colours);
    return p;
}

// A coordinate near a picture of side n, now and then far off or at the extremes.
int Coord(Dice& d, int n)
{
    if (d.OneIn(40))
        return d.OneIn(2) ? 2000000000 : -2000000000;
    if (d.OneIn(10))
        return d.In(-5000, 5000);
    return d.In(-n / 2 - 3, n + n / 2 + 3);
}

// Draws on a picture of random pixels through a bitmap's own canvas or through a view with
// an origin and a clip, and returns the digest of the picture.
std::uint64_t Drawn(Dice& d, int w, int h, const std::function<void(TCanvas&)>& draw)
{
    const TBitmap start = Noise(d, w, h);
    const bool view = d.OneIn(3);
    const TPoint origin{d.In(-3, 3), d.In(-3, 3)};
    const TRect clip{d.In(-3, w / 2), d.In(-3, h / 2), d.In(w / 2, w + 3), d.In(h / 2, h + 3)};
    const Pens pens = RandomPens(d);
    TBitmap bmp = start;
    QImage target = start.Image();
    TCanvas viewCanvas(&target, origin, clip);
    TCanvas& cv = view ? viewCanvas : *bmp.Canvas();
    cv.Pen = pens.pen;
    cv.Brush = pens.brush;
    draw(cv);
    return Digest(kDigestStart, view ? target : bmp.Image());
}

// Folds the cases' digests into one per block of 500 cases.
class Blocks {
public:
    void Add(std::uint64_t one)
    {
        digest_ = (digest_ ^ one) * 1099511628211ull;
        if (++count_ % 500 == 0) {
            blocks_.push_back(digest_);
            digest_ = kDigestStart;
        }
    }
    const std::vector<std::uint64_t>& Done() const { return blocks_; }

private:
    std::uint64_t digest_ = kDigestStart;
    int count_ = 0;
    std::vector<std::uint64_t> blocks_;
};

TEST(GdiEquivalence, EllipseFamilyOverRandomBoxesRaysAndPens)
{
    Dice d(20260610);
    Blocks blocks;
    for (int i = 0; i < 6000; ++i) {
        const int w = d.OneIn(20) ? d.In(60, 200) : d.In(1, 40);
        const int h = d.OneIn(20) ? d.In(60, 200) : d.In(1, 40);
        const int n = std::max(w, h);
        const int x1 = Coord(d, n), y1 = Coord(d, n), x2 = Coord(d, n), y2 = Coord(d, n);
        // Rays through the centre, on the box, anywhere, or nowhere at all (equal points).
        const int x3 = Coord(d, n), y3 = Coord(d, n);
        const bool sameRay = d.OneIn(10);
        const int x4 = sameRay ? x3 : Coord(d, n), y4 = sameRay ? y3 : Coord(d, n);
        const int figure = d.In(0, 3);
        blocks.Add(Drawn(d, w, h, [&](TCanvas& cv) {
            switch (figure) {
            case 0:
                cv.Ellipse(x1, y1, x2, y2);
                break;
            case 1:
                cv.Arc(x1, y1, x2, y2, x3, y3, x4, y4);
                break;
            case 2:
                cv.Chord(x1, y1, x2, y2, x3, y3, x4, y4);
                break;
            default:
                cv.Pie(x1, y1, x2, y2, x3, y3, x4, y4);
                break;
            }
        }));
    }
    const std::vector<std::uint64_t> before = {0xf0b5bffe2076a630ull, 0x485817991340825bull, 0xd3970216a82317e1ull,
                                               0xb4cb1fb7b437c5ceull, 0xf21e7a0144501de5ull, 0x2a20bc281151f3d7ull,
                                               0xff9de39a26dcabaaull, 0x46ed9c9dee798ac1ull, 0x5897968ed58ddb74ull,
                                               0x879300b3cf46a27cull, 0x4683fee65e778ef6ull, 0xc8d5caca948c45e2ull};
    EXPECT_EQ(blocks.Done(), before);
}

// Rectangles, polygons, polylines and wide lines: pens of copy mode without dash gaps paint
// straight onto the picture, the others collect their pixels first; the digests are those of
// the collecting routines alone.
TEST(GdiEquivalence, RectanglesPolygonsAndPathsOverRandomBoxesAndPens)
{
    Dice d(20261210);
    Blocks blocks;
    for (int i = 0; i < 4000; ++i) {
        const int w = d.OneIn(20) ? d.In(60, 200) : d.In(1, 40);
        const int h = d.OneIn(20) ? d.In(60, 200) : d.In(1, 40);
        const int n = std::max(w, h);
        std::vector<TPoint> points(static_cast<std::size_t>(d.In(1, 6)));
        for (TPoint& p : points)
            p = TPoint{Coord(d, n), Coord(d, n)};
        const TPoint far = points.back();
        const int figure = d.In(0, 3);
        blocks.Add(Drawn(d, w, h, [&](TCanvas& cv) {
            switch (figure) {
            case 0:
                cv.Rectangle(points.front().x, points.front().y, far.x, far.y);
                break;
            case 1:
                cv.Polygon(points);
                break;
            case 2:
                cv.Polyline(points);
                break;
            default:
                cv.MoveTo(points.front().x, points.front().y);
                cv.LineTo(far.x, far.y);
                break;
            }
        }));
    }
    const std::vector<std::uint64_t> before = {0x1c0291c939cb2608ull, 0x59fe9976e9400eb5ull, 0x7fdf22d310be6c81ull,
                                               0x28961faad49d1b2full, 0xc2f9dafc8cefef98ull, 0x81bcd6f2f2f3a150ull,
                                               0xe313632f42ed765aull, 0xeb232ad0dfcf473aull};
    EXPECT_EQ(blocks.Done(), before);
}

TEST(GdiEquivalence, TextsOverRandomFontsPlacesAndClips)
{
    Dice d(20260611);
    const char* faces[] = {"MS Sans Serif", "Arial",       "Courier New",  "MingLiU",
                           "SimSun",        "Small Fonts", "No Such Face", ""};
    const char* pieces[] = {"A", "g", "W", "7", " ", ".", "Pump", "\xB1\x69", "\xA4\xA4", "\xD6\xD0", "\xE9", "?", "|"};
    const int codePages[] = {1252, 950, 936};
    const TColor colours[] = {clBlack, clWhite, clRed};
    int inked = 0;
    Blocks blocks;
    for (int i = 0; i < 1500; ++i) {
        const kes::ScopedCodePage codePage(d.Of(codePages));
        TFont font;
        font.Name = d.Of(faces);
        font.Size = d.OneIn(8) ? 0 : d.In(-30, 40);
        font.Style = static_cast<std::uint8_t>(d.In(0, 15));
        font.Color = d.Of(colours);
        std::string text;
        for (int n = d.In(0, 6); n > 0; --n)
            text += d.Of(pieces);
        const int w = d.In(1, 120);
        const int h = d.In(1, 60);
        const int x = d.OneIn(30) ? 2000000000 : d.In(-40, w + 5);
        const int y = d.OneIn(30) ? -2000000000 : d.In(-40, h + 5);
        const bool rect = d.OneIn(3);
        const TRect box{d.In(-5, w), d.In(-5, h), d.In(0, w + 5), d.In(0, h + 5)};
        const bool again = d.OneIn(2);
        const int x2 = d.In(-20, w), y2 = d.In(-20, h);
        blocks.Add(Drawn(d, w, h, [&](TCanvas& cv) {
            cv.Font = font;
            for (int k = 0; k < (again ? 2 : 1); ++k) {
                const int px = k ? x2 : x;
                const int py = k ? y2 : y;
                if (rect)
                    cv.TextRect(box, px, py, text);
                else
                    cv.TextOut(px, py, text);
            }
        }));
        TBitmap probe(1, 1);
        probe.Canvas()->Font = font;
        inked += probe.Canvas()->TextWidth(text) > 0;
    }
    EXPECT_GT(inked, 1000) << "most cases draw some text";
    const std::vector<std::uint64_t> before = {0x9887f265e23c0c96ull, 0x01170b464a952328ull, 0x4bfaa990d75455c5ull};
    EXPECT_EQ(blocks.Done(), before);
}

} // namespace

namespace {

// A one-pixel line is drawn straight onto the picture (a plain level or upright one as a run);
// a polyline collects its pixels first. A line alone and the same line as a two-point polyline
// must give the same pixels.
TEST(GdiEquivalence, ThinLinesAsTwoPointPolylines)
{
    Dice d(20260613);
    for (int i = 0; i < 3000; ++i) {
        const int w = d.In(1, 40);
        const int h = d.In(1, 40);
        const int n = std::max(w, h);
        TPoint a{Coord(d, n), Coord(d, n)};
        TPoint b{Coord(d, n), Coord(d, n)};
        // Level and upright lines often, as frames and ticks draw them, mostly on the picture.
        if (d.OneIn(3)) {
            a = TPoint{d.In(-2, w + 2), d.In(-2, h + 2)};
            if (d.OneIn(2))
                b = TPoint{a.x, d.In(-2, h + 2)};
            else
                b = TPoint{d.In(-2, w + 2), a.y};
        }
        Dice same = d;
        const std::uint64_t line = Drawn(d, w, h, [&](TCanvas& cv) {
            cv.Pen.Width = 1;
            cv.MoveTo(a.x, a.y);
            cv.LineTo(b.x, b.y);
        });
        const std::uint64_t polyline = Drawn(same, w, h, [&](TCanvas& cv) {
            cv.Pen.Width = 1;
            const TPoint points[] = {a, b};
            cv.Polyline(points);
        });
        ASSERT_EQ(line, polyline) << "from " << a.x << "," << a.y << " to " << b.x << "," << b.y << " on " << w << "x"
                                  << h;
    }
}

// A one-to-one transfer from another picture goes straight from the source's rows; within one
// picture, or stretched, the source is read whole first. The digests are those of the
// routine that always read it first.
TEST(GdiEquivalence, BlockTransfersOverRandomBlocksAndClips)
{
    Dice d(20261211);
    const std::uint32_t rops[] = {SRCCOPY, SRCCOPY, SRCAND, SRCPAINT, SRCINVERT, NOTSRCCOPY, 0x00B8074A};
    Blocks blocks;
    for (int i = 0; i < 3000; ++i) {
        const int w = d.In(1, 40);
        const int h = d.In(1, 40);
        // Drawn one at a time: the order of a call's arguments differs between compilers.
        const int srcH = d.In(1, 30);
        const int srcW = d.In(1, 30);
        const TBitmap src = Noise(d, srcW, srcH);
        const int x = Coord(d, w), y = Coord(d, h);
        const int bw = d.In(-2, 45), bh = d.In(-2, 45);
        const int sx = d.In(-10, 35), sy = d.In(-10, 35);
        const bool stretch = d.OneIn(4);
        const int sw = stretch ? d.In(1, 40) : bw, sh = stretch ? d.In(1, 40) : bh;
        const std::uint32_t rop = d.OneIn(8) ? static_cast<std::uint32_t>(d.In(0, 255)) << 16 : d.Of(rops);
        blocks.Add(
            Drawn(d, w, h, [&](TCanvas& cv) { StretchBlt(cv, x, y, bw, bh, *src.Canvas(), sx, sy, sw, sh, rop); }));
    }
    const std::vector<std::uint64_t> before = {0x1ef9a67b0b09a8d2ull, 0xb309f5e15bef39e8ull, 0xa2d6fc586fddecc7ull,
                                               0x35c59f0276d79dc1ull, 0x6217d5b9058de615ull, 0x53e52e9611ff6da3ull};
    EXPECT_EQ(blocks.Done(), before);
}

// A picture enlarged by whole factors (an object shown at a zoom) repeats each source pixel
// across its block and copies a row it has already made when the operation ignores what lies
// below. Transparent and opaque, on sources and targets of random pixels, with the block partly
// off either picture and through views with origins and clips. The digests are those of the
// routine that read every source pixel for each target pixel.
TEST(GdiEquivalence, BlockTransfersEnlargedByWholeFactors)
{
    Dice d(20261214);
    const std::uint32_t rops[] = {SRCCOPY, SRCCOPY, SRCAND, SRCAND, SRCPAINT, SRCINVERT, NOTSRCCOPY, 0x00B8074A};
    Blocks blocks;
    for (int i = 0; i < 3000; ++i) {
        const int w = d.In(1, 60);
        const int h = d.In(1, 60);
        // Drawn in turn: the order of a call's arguments is the compiler's, and the sums below hold
        // for the height drawn first.
        const int srcH = d.In(1, 20);
        const int srcW = d.In(1, 20);
        const TBitmap src = Noise(d, srcW, srcH);
        const int sw = d.In(1, 22), sh = d.In(1, 22);
        const int kw = d.Of({1, 2, 2, 3, 4, 8}), kh = d.Of({1, 2, 2, 3, 4, 8});
        const int x = d.OneIn(20) ? Coord(d, w) : d.In(-kw * sw, w), y = d.OneIn(20) ? Coord(d, h) : d.In(-kh * sh, h);
        const int sx = d.In(-4, 6), sy = d.In(-4, 6);
        const std::uint32_t rop = d.OneIn(10) ? static_cast<std::uint32_t>(d.In(0, 255)) << 16 : d.Of(rops);
        blocks.Add(Drawn(
            d, w, h, [&](TCanvas& cv) { StretchBlt(cv, x, y, sw * kw, sh * kh, *src.Canvas(), sx, sy, sw, sh, rop); }));
    }
    const std::vector<std::uint64_t> before = {0x2364287f0f528e8dull, 0x4604fd8d3598db79ull, 0xa5243b8290d85905ull,
                                               0xa4bd94eed76a0c35ull, 0xb4ef5ae1498354d4ull, 0x964d6a3ad53cc707ull};
    EXPECT_EQ(blocks.Done(), before);
}

TEST(GdiEquivalence, BlockTransfersApplyEveryRasterOperationsTable)
{
    Dice d(20260612);
    for (int code = 0; code < 256; ++code) {
        const TBitmap src = Noise(d, 7, 5);
        const TBitmap before = Noise(d, 9, 6);
        TBitmap dst = before;
        dst.Canvas()->Brush.Color = 0x00A0B0C0;
        const std::uint32_t rop = static_cast<std::uint32_t>(code) << 16;
        BitBlt(*dst.Canvas(), 1, 1, 7, 5, *src.Canvas(), 0, 0, rop);
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 9; ++x) {
                const std::uint32_t d0 = kes::gdi::ToPixel(before.Canvas()->Pixel(x, y));
                const bool inBlock = x >= 1 && x < 8 && y >= 1 && y < 6;
                const std::uint32_t want =
                    inBlock ? kes::gdi::Rop3(static_cast<std::uint8_t>(code), kes::gdi::ToPixel(0x00A0B0C0),
                                             kes::gdi::ToPixel(src.Canvas()->Pixel(x - 1, y - 1)), d0)
                            : d0 & 0xFFFFFFu;
                ASSERT_EQ(kes::gdi::ToPixel(dst.Canvas()->Pixel(x, y)) & 0xFFFFFFu, want)
                    << "code " << code << " at " << x << "," << y;
            }
    }
}

} // namespace
