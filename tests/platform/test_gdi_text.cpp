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
