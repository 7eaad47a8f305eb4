// Ellipses stay inside their box (right and bottom excluded); arcs, chords and pies run
// counter-clockwise on the screen from the start ray to the end ray, their straight
// edges lying on what they fill; wide and dashed outlines and clipping behave.
#include "test_gdi_fixture.h"

#include <gtest/gtest.h>

using gditest::Drawn;
using gditest::Rows;

namespace {

const std::string kCircle6 = Rows({".####.", "#....#", "#....#", "#....#", "#....#", ".####."});

} // namespace

TEST(GdiEllipse, FitsTheBoxLessRightAndBottom)
{
    EXPECT_EQ(Drawn(9, 7, [](TCanvas& cv) { cv.Ellipse(0, 0, 8, 6); }),
              Rows({"..####...", ".#....#..", "#......#.", "#......#.", ".#....#..", "..####...", "........."}));
    EXPECT_EQ(Drawn(6, 6, [](TCanvas& cv) { cv.Ellipse(6, 6, 0, 0); }), kCircle6) << "corners in any order";
    EXPECT_EQ(Drawn(6, 6,
                    [](TCanvas& cv) {
                        cv.Brush.Color = clBlack;
                        cv.Ellipse(0, 0, 5, 5);
                    }),
              Rows({".###..", "#####.", "#####.", "#####.", ".###..", "......"}));
    EXPECT_EQ(Drawn(3, 3, [](TCanvas& cv) { cv.Ellipse(1, 0, 1, 3); }), Rows({"...", "...", "..."})) << "empty box";
}

TEST(GdiEllipse, ArcsRunCounterClockwise)
{
    struct Case {
        const char* name;
        TPoint start;
        TPoint end;
        std::string expected;
    } cases[] = {
        {"right to left: upper half",
         {6, 3},
         {0, 3},
         Rows({".####.", "#....#", "#....#", "......", "......", "......"})},
        {"left to right: lower half",
         {0, 3},
         {6, 3},
         Rows({"......", "......", "......", "#....#", "#....#", ".####."})},
        {"top to left: a quarter", {3, 0}, {0, 3}, Rows({".##...", "#.....", "#.....", "......", "......", "......"})},
        {"left to top: three quarters",
         {0, 3},
         {3, 0},
         Rows({"...##.", ".....#", ".....#", "#....#", "#....#", ".####."})},
        {"equal rays: whole ellipse", {6, 0}, {9, -3}, kCircle6},
        {"far points only give directions",
         {600, 3},
         {-600, 3},
         Rows({".####.", "#....#", "#....#", "......", "......", "......"})},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Drawn(6, 6, [&](TCanvas& cv) { cv.Arc(0, 0, 6, 6, c.start.x, c.start.y, c.end.x, c.end.y); }),
                  c.expected)
            << c.name;
}

TEST(GdiEllipse, PieAndChordCloseOnWhatTheyFill)
{
    // The top-right quarter: the pie's edges run along its filled pixels.
    EXPECT_EQ(Drawn(6, 6, [](TCanvas& cv) { cv.Pie(0, 0, 6, 6, 6, 3, 3, 0); }),
              Rows({"...##.", "...#.#", "...###", "......", "......", "......"}));
    EXPECT_EQ(Drawn(6, 6,
                    [](TCanvas& cv) {
                        cv.Pen.Style = psClear;
                        cv.Brush.Color = clBlack;
                        cv.Pie(0, 0, 6, 6, 6, 3, 3, 0);
                    }),
              Rows({"...##.", "...###", "...###", "......", "......", "......"}));
    EXPECT_EQ(Drawn(6, 6, [](TCanvas& cv) { cv.Chord(0, 0, 6, 6, 6, 3, 3, 0); }),
              Rows({"...##.", "....##", ".....#", "......", "......", "......"}));
    // Three quarters of a chord keep the centre; the cut-off corner stays white.
    EXPECT_EQ(Drawn(6, 6,
                    [](TCanvas& cv) {
                        cv.Pen.Style = psClear;
                        cv.Brush.Color = clBlack;
                        cv.Chord(0, 0, 6, 6, 3, 0, 6, 3);
                    }),
              Rows({".###..", "#####.", "######", "######", "######", ".####."}));
}

TEST(GdiEllipse, DashedAndWideOutlines)
{
    // Dots counted counter-clockwise from the right-hand side; gaps are brush white.
    EXPECT_EQ(Drawn(6, 6,
                    [](TCanvas& cv) {
                        cv.Pen.Style = psDot;
                        cv.Ellipse(0, 0, 6, 6);
                    }),
              Rows({"....#.", "#....#", "#....#", "#.....", ".....#", "...##."}));
    // A wide outline grows inwards.
    EXPECT_EQ(Drawn(12, 12,
                    [](TCanvas& cv) {
                        cv.Pen.Width = 2;
                        cv.Ellipse(0, 0, 12, 12);
                    }),
              Rows({"....####....", "..########..", ".###....###.", ".##......##.", "##........##", "##........##",
                    "##........##", "##........##", ".##......##.", ".###....###.", "..########..", "....####...."}));
}

TEST(GdiEllipse, ClipsAtEdges)
{
    EXPECT_EQ(Drawn(3, 3, [](TCanvas& cv) { cv.Ellipse(-3, -3, 3, 3); }), Rows({"..#", "..#", "##."}));
    EXPECT_EQ(Drawn(3, 3,
                    [](TCanvas& cv) {
                        cv.Brush.Color = clBlack;
                        cv.Ellipse(-3, -3, 3, 3);
                        cv.Pie(-2000000000, -2000000000, 2000000000, 2000000000, 1, 0, 0, 1);
                        cv.Chord(-5, -5, 500000000, 5, 0, 0, 1, 1);
                    }),
              Rows({"###", "###", "##."}));
}
