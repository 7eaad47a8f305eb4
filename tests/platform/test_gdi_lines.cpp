// Lines, rectangles and polygons land on exactly the pixels stored pictures depend on:
// end points and right/bottom edges excluded, dash patterns and their gaps, wide pens,
// pen modes that undo themselves, even-odd fill, and clipping at every edge.
#include "test_gdi_fixture.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

using gditest::Drawn;
using gditest::Rows;

TEST(GdiLine, EndPointIsExcluded)
{
    struct Case {
        const char* name;
        TPoint from;
        TPoint to;
        int w;
        int h;
        std::string expected;
    } cases[] = {
        {"horizontal", {0, 0}, {4, 0}, 5, 1, Rows({"####."})},
        {"vertical up", {0, 3}, {0, 0}, 1, 4, Rows({".", "#", "#", "#"})},
        {"diagonal", {0, 0}, {3, 3}, 4, 4, Rows({"#...", ".#..", "..#.", "...."})},
        // A tie between two rows stays on the start point's side, so direction matters.
        {"shallow", {0, 0}, {4, 2}, 5, 3, Rows({"##...", "..##.", "....."})},
        {"shallow reversed", {4, 2}, {0, 0}, 5, 3, Rows({".....", ".##..", "...##"})},
        {"steep", {0, 0}, {1, 3}, 2, 4, Rows({"#.", "#.", ".#", ".."})},
        {"zero length", {1, 1}, {1, 1}, 3, 3, Rows({"...", "...", "..."})},
    };
    for (const Case& c : cases) {
        TPoint pen;
        EXPECT_EQ(Drawn(c.w, c.h,
                        [&](TCanvas& cv) {
                            cv.MoveTo(c.from.x, c.from.y);
                            cv.LineTo(c.to.x, c.to.y);
                            pen = cv.PenPos();
                        }),
                  c.expected)
            << c.name;
        EXPECT_EQ(pen, c.to) << c.name;
    }
}

TEST(GdiLine, ClipsAtEdgesAndFarCoordinates)
{
    EXPECT_EQ(Drawn(3, 3,
                    [](TCanvas& cv) {
                        cv.MoveTo(-5, -5);
                        cv.LineTo(10, 10);
                    }),
              Rows({"#..", ".#.", "..#"}));
    EXPECT_EQ(Drawn(3, 3,
                    [](TCanvas& cv) {
                        cv.MoveTo(INT_MIN, 1);
                        cv.LineTo(INT_MAX, 1);
                        cv.Pen.Width = INT_MAX;
                        cv.MoveTo(-2000000000, -2000000000);
                        cv.LineTo(-1000000000, 2000000000);
                    }),
              Rows({"...", "###", "..."}));
    EXPECT_EQ(Drawn(3, 3, [](TCanvas& cv) { cv.Rectangle(-2, -2, 2, 2); }), Rows({".#.", "##.", "..."}));
}

TEST(GdiLine, DashPatternsAndTheirGaps)
{
    struct Case {
        const char* name;
        TPenStyle style;
        std::string expected;
    } cases[] = {
        {"dash", psDash, "##################......######"},
        {"dot", psDot, "###...###...###...###...###..."},
        {"dash dot", psDashDot, "#########......###......######"},
        {"dash dot dot", psDashDotDot, "#########...###...###...######"},
        {"inside frame is solid", psInsideFrame, "##############################"},
        {"clear draws nothing", psClear, ".............................."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Drawn(31, 1,
                        [&](TCanvas& cv) {
                            cv.Pen.Style = c.style;
                            cv.MoveTo(0, 0);
                            cv.LineTo(30, 0);
                        }),
                  c.expected + ".\n")
            << c.name;
    }
    // On black, the gaps show: filled with the brush colour, untouched with a clear brush.
    auto onBlack = [](TBrushStyle brush) {
        return Drawn(12, 1, [&](TCanvas& cv) {
            cv.Brush.Color = clBlack;
            cv.FillRect(Rect(0, 0, 12, 1));
            cv.Brush.Color = clWhite;
            cv.Brush.Style = brush;
            cv.Pen.Style = psDot;
            cv.MoveTo(0, 0);
            cv.LineTo(12, 0);
        });
    };
    EXPECT_EQ(onBlack(bsSolid), Rows({"###...###..."}));
    EXPECT_EQ(onBlack(bsClear), Rows({"############"}));
    // Wide pens draw solid whatever their style.
    EXPECT_EQ(Drawn(8, 1,
                    [](TCanvas& cv) {
                        cv.Pen.Style = psDot;
                        cv.Pen.Width = 2;
                        cv.MoveTo(0, 1);
                        cv.LineTo(7, 1);
                    }),
              Rows({"########"}));
}

TEST(GdiLine, PatternRunsOnRoundFiguresAndPaths)
{
    // Clockwise from the top-left corner: three on, three off, all the way round.
    EXPECT_EQ(Drawn(4, 4,
                    [](TCanvas& cv) {
                        cv.Pen.Style = psDot;
                        cv.Rectangle(0, 0, 4, 4);
                    }),
              Rows({"###.", "....", "....", ".###"}));
    // The pattern goes on at the corner instead of starting again.
    const std::vector<TPoint> path{{0, 0}, {1, 0}, {1, 4}};
    EXPECT_EQ(Drawn(2, 4,
                    [&](TCanvas& cv) {
                        cv.Pen.Style = psDot;
                        cv.Polyline(path);
                    }),
              Rows({"##", ".#", "..", ".."}));
}

TEST(GdiLine, WidePensStampRoundBlocks)
{
    struct Case {
        const char* name;
        int width;
        TPoint from;
        TPoint to;
        std::string expected;
    } cases[] = {
        // Even widths reach up and left of the path; the end point is covered.
        {"width 2", 2, {1, 1}, {4, 1}, Rows({"#####.", "#####.", "......", "......"})},
        {"width 3", 3, {2, 1}, {2, 2}, Rows({".###..", ".###..", ".###..", ".###.."})},
        {"width 4 dot", 4, {2, 2}, {2, 2}, Rows({".##...", "####..", "####..", ".##..."})},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Drawn(6, 4,
                        [&](TCanvas& cv) {
                            cv.Pen.Width = c.width;
                            cv.MoveTo(c.from.x, c.from.y);
                            cv.LineTo(c.to.x, c.to.y);
                        }),
                  c.expected)
            << c.name;
}

TEST(GdiLine, PenModes)
{
    struct Case {
        const char* name;
        TPenMode mode;
        TColor pen;
        std::string expected;
    } cases[] = {
        {"copy", pmCopy, clBlack, "####"},
        {"not xor black inverts", pmNotXor, clBlack, ".#.#"},
        {"xor black keeps", pmXor, clBlack, "#.#."},
        {"xor white inverts", pmXor, clWhite, ".#.#"},
        {"not", pmNot, clWhite, ".#.#"},
        {"black", pmBlack, clWhite, "####"},
        {"white", pmWhite, clBlack, "...."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Drawn(4, 1,
                        [&](TCanvas& cv) {
                            cv.SetPixel(0, 0, clBlack);
                            cv.SetPixel(2, 0, clBlack);
                            cv.Pen.Mode = c.mode;
                            cv.Pen.Color = c.pen;
                            cv.MoveTo(0, 0);
                            cv.LineTo(4, 0);
                        }),
                  c.expected + "\n")
            << c.name;
}

TEST(GdiLine, NotXorTwiceRestoresEvenWithWidePens)
{
    TBitmap bmp = kes::PictureFromText(Rows({"#.#.#.", ".#.#.#", "#.#.#.", ".#.#.#", "#.#.#.", ".#.#.#"}));
    const std::string before = kes::PictureToText(bmp);
    TCanvas& cv = *bmp.Canvas();
    cv.Pen.Mode = pmNotXor;
    cv.Pen.Color = clRed;
    cv.Pen.Width = 2;
    auto needle = [&] {
        cv.MoveTo(1, 5);
        cv.LineTo(5, 0);
    };
    needle();
    const std::string once = kes::PictureToText(bmp);
    EXPECT_NE(once, before);
    needle();
    EXPECT_EQ(kes::PictureToText(bmp), before);
    // Each pixel was changed once: none turned back to white+black mixtures by overlap.
    TBitmap white(4, 4);
    white.Canvas()->Pen.Mode = pmNotXor;
    white.Canvas()->Pen.Width = 2;
    white.Canvas()->MoveTo(1, 1);
    white.Canvas()->LineTo(3, 3);
    EXPECT_EQ(kes::PictureToText(white), Rows({"##..", "###.", ".###", "..##"}));
}

TEST(GdiRectangle, BoxExcludesRightAndBottom)
{
    struct Case {
        const char* name;
        TPenStyle pen;
        TBrushStyle brush;
        TColor brushColor;
        TRect box;
        std::string expected;
    } cases[] = {
        {"outline", psSolid, bsSolid, clWhite, {0, 0, 4, 3}, Rows({"####.", "#..#.", "####.", "....."})},
        {"swapped corners", psSolid, bsSolid, clWhite, {4, 3, 0, 0}, Rows({"####.", "#..#.", "####.", "....."})},
        {"filled", psSolid, bsSolid, clBlack, {0, 0, 4, 3}, Rows({"####.", "####.", "####.", "....."})},
        // Without a pen the fill is a column and a row smaller.
        {"no pen", psClear, bsSolid, clBlack, {0, 0, 4, 3}, Rows({"###..", "###..", ".....", "....."})},
        {"one pixel", psSolid, bsClear, clWhite, {1, 1, 2, 2}, Rows({".....", ".#...", ".....", "....."})},
        {"empty", psSolid, bsSolid, clBlack, {1, 1, 1, 3}, Rows({".....", ".....", ".....", "....."})},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Drawn(5, 4,
                        [&](TCanvas& cv) {
                            cv.Pen.Style = c.pen;
                            cv.Brush.Style = c.brush;
                            cv.Brush.Color = c.brushColor;
                            cv.Rectangle(c.box);
                        }),
                  c.expected)
            << c.name;
    // A wide pen grows inwards.
    EXPECT_EQ(Drawn(6, 6,
                    [](TCanvas& cv) {
                        cv.Pen.Width = 2;
                        cv.Rectangle(0, 0, 6, 5);
                    }),
              Rows({"######", "######", "##..##", "######", "######", "......"}));
}

TEST(GdiRectangle, FillAndFrameUseTheBrush)
{
    EXPECT_EQ(Drawn(4, 3,
                    [](TCanvas& cv) {
                        cv.Brush.Color = clBlack;
                        cv.FrameRect(Rect(0, 0, 4, 3));
                    }),
              Rows({"####", "#..#", "####"}));
    EXPECT_EQ(Drawn(4, 3,
                    [](TCanvas& cv) {
                        cv.Brush.Color = clBlack;
                        cv.FillRect(Rect(1, 1, 3, 9));
                        cv.FillRect(Rect(3, 0, 2, 3)); // inverted: nothing
                        cv.Brush.Style = bsClear;
                        cv.FillRect(Rect(0, 0, 1, 1));
                        cv.FrameRect(Rect(0, 0, 4, 3));
                    }),
              Rows({"....", ".##.", ".##."}));
}

TEST(GdiPolygon, AlternateFillAndClosedOutline)
{
    // The outer and the inner square run the same way: the inner one is a hole.
    const std::vector<TPoint> twice{{0, 0}, {6, 0}, {6, 6}, {0, 6}, {0, 0}, {2, 2}, {4, 2}, {4, 4}, {2, 4}, {2, 2}};
    EXPECT_EQ(Drawn(7, 7,
                    [&](TCanvas& cv) {
                        cv.Pen.Style = psClear;
                        cv.Brush.Color = clBlack;
                        cv.Polygon(twice);
                    }),
              Rows({"######.", "######.", "##..##.", "##..##.", "######.", "######.", "......."}));
    // The outline is closed and reaches the vertices on the right and bottom.
    const std::vector<TPoint> triangle{{0, 0}, {4, 0}, {0, 4}};
    EXPECT_EQ(Drawn(5, 5, [&](TCanvas& cv) { cv.Polygon(triangle); }),
              Rows({"#####", "#..#.", "#.#..", "##...", "#...."}));
}

TEST(GdiPolygon, PolylineLeavesLastPointAndPenPosition)
{
    const std::vector<TPoint> path{{0, 0}, {2, 0}, {2, 2}};
    TPoint pen;
    EXPECT_EQ(Drawn(3, 3,
                    [&](TCanvas& cv) {
                        cv.MoveTo(1, 2);
                        cv.Polyline(path);
                        pen = cv.PenPos();
                    }),
              Rows({"###", "..#", "..."}));
    EXPECT_EQ(pen, Point(1, 2));
}
