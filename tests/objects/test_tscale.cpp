// A scale numbers its major ticks from the minimum up (or from the maximum down) with an
// integer step and ends on the limit itself, places ticks and numbers by its position at
// panel resolution, and draws something sane whatever a record says: fewer than 2 major
// ticks, limits far apart, an empty picture.
#include "objects/tscale.h"

#include "golden.h"
#include "objtest.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

std::vector<std::string> Labels(const TScale& s)
{
    std::vector<std::string> out;
    for (int r = 0; r < std::max<int>(s.MainDiv, 2); ++r)
        out.push_back(s.LabelText(r));
    return out;
}

} // namespace

TEST(TScale, NewScale)
{
    TScale s;
    EXPECT_EQ(s.ObjType, 7);
    EXPECT_EQ(s.Picture.Width(), 30);
    EXPECT_EQ(s.Picture.Height(), 10);
    EXPECT_EQ(s.fontsize, 0);
    EXPECT_EQ(s.CellWidth, 5);
    EXPECT_FALSE(s.UnscaledPaint);
    EXPECT_TRUE(s.SizeSetsPicture);
    EXPECT_EQ(s.ScaleOpt1, 1);
    EXPECT_TRUE(golden::Matches(s.Picture, "tscale_default"));
}

TEST(TScale, LabelsUseAnIntegerStepAndEndOnTheLimit)
{
    struct Case {
        const char* name;
        int min, max, mainDiv, dir;
        std::vector<std::string> labels;
    } cases[] = {
        {"new scale", 0, 100, 5, 0, {"0", "25", "50", "75", "100"}},
        {"step 10 / 3 truncates, last is the maximum", 0, 10, 4, 0, {"0", "3", "6", "10"}},
        {"from the maximum down", 0, 10, 4, 0x10, {"10", "7", "4", "0"}},
        {"negative range", -50, 50, 3, 2, {"-50", "0", "50"}},
        {"no major ticks counts as two", 0, 10, 0, 0, {"0", "10"}},
        {"one major tick counts as two", 0, 10, 1, 0x13, {"10", "0"}},
        {"limits far apart", INT_MIN, INT_MAX, 3, 0, {"-2147483648", "-1", "2147483647"}},
        {"maximum below minimum", 10, 0, 3, 0, {"10", "5", "0"}},
    };
    for (const Case& c : cases) {
        TScale s;
        s.ScaleMin = c.min;
        s.ScaleMax = c.max;
        s.MainDiv = static_cast<std::uint8_t>(c.mainDiv);
        s.ScaleDir = static_cast<std::uint8_t>(c.dir);
        EXPECT_EQ(Labels(s), c.labels) << c.name;
    }
}

// Major ticks run from half the height to the baseline: "H minus the font's height" is
// taken with the font's negative (Windows) height, so the tick passes the bottom edge and
// is clipped there. Minor ticks take the lower quarter.
TEST(TScale, MajorTicksReachTheBaseline)
{
    TScale s;
    s.SetWidth(42);
    s.SetHeight(24);
    s.MainDiv = 3;
    s.SubDiv = 1;
    s.BmpRePaint();
    const TCanvas& c = *s.Picture.Canvas();
    const int step = (42 - 2) / 2;
    for (int r = 0; r < 3; ++r) {
        const int x = step * r + 1;
        for (int y = 12; y < 24; ++y)
            EXPECT_EQ(c.Pixel(x, y), clBlack) << "major " << r << " row " << y;
        EXPECT_NE(c.Pixel(x, 11), clBlack) << "major " << r;
    }
    const int minorX = 1 + step / 2;
    for (int y = 18; y < 24; ++y)
        EXPECT_EQ(c.Pixel(minorX, y), clBlack) << "minor row " << y;
    EXPECT_NE(c.Pixel(minorX, 17), clBlack);
}

// The four positions, one picture each, and the reversed order.
TEST(TScale, PositionsGolden)
{
    struct Case {
        const char* name;
        int dir, w, h;
    } cases[] = {
        {"tscale_pos0", 0, 60, 20},
        {"tscale_pos1_reversed", 0x11, 60, 20},
        {"tscale_pos2", 2, 30, 64},
        {"tscale_pos3_reversed", 0x13, 30, 64},
    };
    for (const Case& c : cases) {
        TScale s;
        s.ScaleDir = static_cast<std::uint8_t>(c.dir);
        s.MainDiv = 4;
        s.SubDiv = 3;
        s.ScaleMin = -30;
        s.ScaleMax = 30;
        s.SetWidth(c.w);
        s.SetHeight(c.h);
        s.BmpRePaint();
        EXPECT_TRUE(golden::Matches(s.Picture, c.name)) << c.name;
    }
    TScale none;
    none.ScaleDir = 4;
    none.BmpRePaint();
    EXPECT_EQ(kes::PictureToText(none.Picture).find('#'), std::string::npos);
}

// At grid 2 x 2 the scale is drawn at panel resolution (a crop of the picture, not a
// shrink) and every panel pixel fills its grid cell.
TEST(TScale, DrawsAtPanelResolution)
{
    TScale plain;
    plain.SetWidth(40);
    plain.SetHeight(16);
    plain.BmpRePaint();

    TScale grid;
    grid.GridWidth = 2;
    grid.GridHeight = 2;
    grid.SetWidth(80);
    grid.SetHeight(32);
    grid.BmpRePaint();
    ASSERT_EQ(grid.Picture.Width(), 80);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 80; ++x)
            ASSERT_EQ(grid.Picture.Canvas()->Pixel(x, y), plain.Picture.Canvas()->Pixel(x / 2, y / 2)) << x << "," << y;

    // Its page image is the panel picture at the object's panel place.
    grid.Left = 4;
    grid.Top = 16;
    std::vector<std::uint8_t> bands(64 * 4, 0);
    grid.PaintData(64, 32, bands);
    TBitmap page(64, 32);
    TLxObj::DataToBmp(page, bands);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(page.Canvas()->Pixel(2 + x, 8 + y), plain.Picture.Canvas()->Pixel(x, y)) << x << "," << y;
}

TEST(TScale, ExtremeValuesDoNotCrash)
{
    // The most ticks a record can ask for, once (65,000 lines take a while).
    TScale most;
    most.MainDiv = 255;
    most.SubDiv = 255;
    most.BmpRePaint();

    struct Case {
        int mainDiv, subDiv;
    } counts[] = {{0, 0}, {1, 255}};
    for (int dir : {0, 1, 2, 3, 0x10, 0xFF}) {
        for (const Case& n : counts) {
            TScale s;
            s.ScaleDir = static_cast<std::uint8_t>(dir);
            s.MainDiv = static_cast<std::uint8_t>(n.mainDiv);
            s.SubDiv = static_cast<std::uint8_t>(n.subDiv);
            s.ScaleMin = INT_MAX;
            s.ScaleMax = INT_MIN;
            s.BmpRePaint();
            for (auto [w, h] : {std::pair{1, 1}, std::pair{0, 0}}) {
                s.Picture.SetSize(w, h);
                s.BmpRePaint();
            }
            EXPECT_TRUE(s.Picture.Empty());
            s.fontsize = 9;
            s.Picture.SetSize(20, 20);
            std::vector<std::uint8_t> bands(8);
            s.PaintData(8, 8, bands);
        }
    }
}
