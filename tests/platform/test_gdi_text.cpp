// Text lands with its top-left corner at the given point, in pure font colour (no
// antialiasing), over a box filled with the brush only when the brush is opaque; sizes
// come from points at 96 DPI whatever the screen, and Windows faces map to installed ones.
#include "platform/codepage.h"
#include "test_gdi_fixture.h"

#include <gtest/gtest.h>

#include <set>

namespace {

struct Ink {
    TRect bounds{1 << 30, 1 << 30, -(1 << 30), -(1 << 30)};
    int count = 0;
};

// Pixels of colour c and their bounding box.
Ink InkOf(const TBitmap& bmp, TColor c)
{
    Ink ink;
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x)
            if (bmp.Canvas()->Pixel(x, y) == c) {
                ++ink.count;
                ink.bounds.Left = std::min(ink.bounds.Left, x);
                ink.bounds.Top = std::min(ink.bounds.Top, y);
                ink.bounds.Right = std::max(ink.bounds.Right, x + 1);
                ink.bounds.Bottom = std::max(ink.bounds.Bottom, y + 1);
            }
    return ink;
}

} // namespace

TEST(GdiFont, PointsToPixelsAt96Dpi)
{
    struct Case {
        int points;
        int height;
    } cases[] = {{6, -8}, {7, -9}, {8, -11}, {10, -13}, {12, -16}, {0, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(kes::FontHeightForPoints(c.points), c.height) << c.points;
        TFont f;
        f.Size = c.points;
        EXPECT_EQ(f.Height(), c.height) << c.points;
        TFont g;
        g.SetHeight(c.height);
        EXPECT_EQ(g.Size, c.points) << c.points;
    }
}

TEST(GdiText, OpaqueBoxOnlyWithSolidBrush)
{
    for (TBrushStyle style : {bsSolid, bsClear}) {
        TBitmap bmp(40, 20);
        TCanvas& cv = *bmp.Canvas();
        cv.Brush.Color = clBlue;
        cv.Brush.Style = style;
        cv.Font.Color = clRed;
        cv.TextOut(3, 2, "Hg");
        const int w = cv.TextWidth("Hg");
        const int h = cv.TextHeight("Hg");
        ASSERT_GT(w, 0);
        ASSERT_GT(h, 0);
        EXPECT_EQ(cv.PenPos(), Point(3 + w, 2)) << "the pen moves past the text";
        std::set<TColor> colours;
        for (int y = 0; y < bmp.Height(); ++y)
            for (int x = 0; x < bmp.Width(); ++x)
                colours.insert(cv.Pixel(x, y));
        Ink text = InkOf(bmp, clRed);
        EXPECT_GT(text.count, 4);
        if (style == bsSolid) {
            EXPECT_EQ(colours, (std::set<TColor>{clWhite, clBlue, clRed}));
            Ink box = InkOf(bmp, clBlue);
            EXPECT_EQ(box.bounds, Rect(3, 2, 3 + w, 2 + h));
            EXPECT_EQ(box.count + text.count, w * h) << "glyphs stay inside the box here";
        } else {
            EXPECT_EQ(colours, (std::set<TColor>{clWhite, clRed}));
        }
        // Top-left placement: the 'H' starts at the top of the box (less the font's
        // internal leading), never above it.
        EXPECT_GE(text.bounds.Top, 2);
        EXPECT_LE(text.bounds.Top, 2 + h / 3);
        EXPECT_GE(text.bounds.Left, 3);
    }
}

TEST(GdiText, SizesAndStyles)
{
    auto heightOf = [](int points, std::uint8_t style = 0) {
        TBitmap bmp(1, 1);
        bmp.Canvas()->Font.Size = points;
        bmp.Canvas()->Font.Style = style;
        return bmp.Canvas()->TextHeight("A");
    };
    EXPECT_LT(heightOf(6), heightOf(8));
    EXPECT_LT(heightOf(8), heightOf(10));
    EXPECT_EQ(heightOf(0), heightOf(8)) << "size 0 draws at the default 8 points";
    // A positive height asks for the whole cell.
    TBitmap cell(1, 1);
    cell.Canvas()->Font.SetHeight(16);
    EXPECT_LE(cell.Canvas()->TextHeight("A"), 16);
    EXPECT_GE(cell.Canvas()->TextHeight("A"), 13);

    // Underline adds ink below the letters; bold adds ink.
    auto inkOf = [](std::uint8_t style) {
        TBitmap bmp(30, 20);
        bmp.Canvas()->Font.Size = 10;
        bmp.Canvas()->Font.Style = style;
        bmp.Canvas()->TextOut(2, 2, "nn");
        return InkOf(bmp, clBlack);
    };
    Ink plain = inkOf(0);
    EXPECT_GT(inkOf(fsUnderline).bounds.Bottom, plain.bounds.Bottom);
    EXPECT_GT(inkOf(fsBold).count, plain.count);
    EXPECT_GT(inkOf(fsStrikeOut).count, plain.count);
    // Texts are laid out character by character: the width of a text is the sum.
    TBitmap bmp(1, 1);
    EXPECT_EQ(bmp.Canvas()->TextWidth("AVA"), 2 * bmp.Canvas()->TextWidth("A") + bmp.Canvas()->TextWidth("V"));
    EXPECT_EQ(bmp.Canvas()->TextWidth(""), 0);
    EXPECT_EQ(bmp.Canvas()->TextExtent("A"), (TSize{bmp.Canvas()->TextWidth("A"), bmp.Canvas()->TextHeight("A")}));
}

TEST(GdiText, TextRectFillsAndClipsToItsRectangle)
{
    TBitmap bmp(20, 12);
    TCanvas& cv = *bmp.Canvas();
    cv.Brush.Color = clBlue;
    cv.Font.Color = clRed;
    const TRect r = Rect(2, 2, 8, 7);
    cv.TextRect(r, 3, 1, "WWWW");
    EXPECT_EQ(InkOf(bmp, clBlue).bounds, r);
    Ink text = InkOf(bmp, clRed);
    EXPECT_GT(text.count, 0);
    EXPECT_GE(text.bounds.Left, r.Left);
    EXPECT_LE(text.bounds.Right, r.Right);
    EXPECT_GE(text.bounds.Top, r.Top);
    EXPECT_LE(text.bounds.Bottom, r.Bottom);
    EXPECT_EQ(InkOf(bmp, clBlue).count + text.count, r.Width() * r.Height());
}

TEST(GdiText, ClipsAtPictureEdges)
{
    struct Case {
        int x;
        int y;
    } cases[] = {{-6, -5}, {15, 8}, {-100000, 3}, {2, 2000000000}, {-2000000000, -2000000000}};
    for (const Case& c : cases) {
        TBitmap bmp(18, 10);
        bmp.Canvas()->Brush.Color = clBlack;
        bmp.Canvas()->Font.Size = 12;
        bmp.Canvas()->TextOut(c.x, c.y, "Wide text");
        Ink box = InkOf(bmp, clBlack);
        if (box.count > 0) {
            EXPECT_GE(box.bounds.Left, 0);
            EXPECT_LE(box.bounds.Right, 18);
        }
    }
}

TEST(GdiText, DoubleByteTextIsOneGlyphPerCharacter)
{
    kes::ScopedCodePage cp(950);
    TBitmap bmp(40, 20);
    TCanvas& cv = *bmp.Canvas();
    cv.Font.Name = "\xB2\xD3\xA9\xFA\xC5\xE9"; // the Traditional Chinese fixed face
    cv.Font.Size = 10;
    const std::string one = "\xA4\xA4";         // one ideograph
    const std::string two = "\xA4\xA4\xA4\xE5"; // two ideographs
    EXPECT_GT(cv.TextWidth(one), 0);
    EXPECT_EQ(cv.TextWidth(two), 2 * cv.TextWidth(one));
    cv.TextOut(0, 0, two);
    EXPECT_GT(InkOf(bmp, clBlack).count, 10);

    // A face without Chinese characters borrows them at the same size; the long middle
    // stroke of the ideograph survives one-bit rendering.
    TBitmap latin(20, 20);
    latin.Canvas()->Font.Name = "MS Sans Serif";
    latin.Canvas()->Font.Size = 10;
    EXPECT_EQ(latin.Canvas()->TextWidth(one), cv.TextWidth(one));
    latin.Canvas()->TextOut(0, 0, one);
    int longest = 0;
    for (int x = 0; x < latin.Width(); ++x) {
        int run = 0;
        for (int y = 0; y < latin.Height(); ++y) {
            run = latin.Canvas()->Pixel(x, y) == clBlack ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    }
    EXPECT_GE(longest, 9);
}

TEST(GdiFont, WindowsFacesMapToInstalledFamilies)
{
    struct Case {
        std::string face;
        const char* family;
        bool exists;
    } cases[] = {
        {"MS Sans Serif", "DejaVu Sans", true},
        {"ms sans serif", "DejaVu Sans", true},
        {"Small Fonts", "DejaVu Sans", true},
        {"System", "DejaVu Sans", true},
        {"Arial", "DejaVu Sans", true},
        {"Tahoma", "DejaVu Sans", true},
        {"Courier New", "DejaVu Sans Mono", true},
        {"Times New Roman", "DejaVu Serif", true},
        {"MingLiU", "WenQuanYi Zen Hei", true},
        {"PMingLiU", "WenQuanYi Zen Hei", true},
        {"SimSun", "WenQuanYi Zen Hei", true},
        {"\xB2\xD3\xA9\xFA\xC5\xE9", "WenQuanYi Zen Hei", true},                         // code page 950
        {"\xB7\x73\xB2\xD3\xA9\xFA\xC5\xE9", "WenQuanYi Zen Hei", true},                 // code page 950
        {"\xCB\xCE\xCC\xE5", "WenQuanYi Zen Hei", true},                                 // code page 936
        {"\xE6\x96\xB0\xE7\xB4\xB0\xE6\x98\x8E\xE9\xAB\x94", "WenQuanYi Zen Hei", true}, // UTF-8
        {"\xE5\xAE\x8B\xE4\xBD\x93", "WenQuanYi Zen Hei", true},                         // UTF-8
        {"dejavu sans mono", "DejaVu Sans Mono", true},
        {"WenQuanYi Zen Hei", "WenQuanYi Zen Hei", true},
        {"No Such Face", "DejaVu Sans", false},
        {"", "DejaVu Sans", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(kes::InstalledFamilyFor(c.face), c.family) << c.face;
        EXPECT_EQ(kes::FontExists(c.face), c.exists) << c.face;
    }
}
