// A bar graph previews half a bar in its growth direction, draws the bar for a value inside
// its outline from the edge it grows from (unsigned arithmetic, never past the outline,
// nothing divided by a zero range), and puts that bar into page images at panel resolution.
#include "objects/tprogbar.h"

#include "golden.h"
#include "objtest.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

using objtest::FakeHost;
using objtest::Rows;

namespace {

void Size(TProgBar& b, int w, int h)
{
    b.SetWidth(w);
    b.SetHeight(h);
}

} // namespace

TEST(TProgBar, NewBar)
{
    TProgBar b;
    EXPECT_EQ(b.ObjType, 8);
    EXPECT_EQ(b.DevAddrCode, 4096);
    EXPECT_EQ(b.DevText, "");
    EXPECT_EQ(b.RefDevForm, 1);
    EXPECT_EQ(b.RefStation, 1);
    EXPECT_EQ(b.RefIntMem, 0);
    EXPECT_EQ(b.BarMin, 0);
    EXPECT_EQ(b.BarMax, 9999);
    EXPECT_EQ(b.CurVal, 0u);
    EXPECT_TRUE(b.SizeSetsPicture);
    // A 10 x 20 outline with its lower half black.
    EXPECT_TRUE(golden::Matches(b.Picture, "tprogbar_default"));
}

TEST(TProgBar, PreviewFillsHalfByDirection)
{
    struct Case {
        int direction;
        std::string rows;
    } cases[] = {
        {0, Rows({"######", "#....#", "######", "######"})}, {1, Rows({"######", "######", "#....#", "######"})},
        {2, Rows({"######", "#..###", "#..###", "######"})}, {3, Rows({"######", "###..#", "###..#", "######"})},
        {7, Rows({"######", "#....#", "#....#", "######"})},
    };
    for (const Case& c : cases) {
        TProgBar b;
        Size(b, 6, 4);
        b.SetBarDir(static_cast<std::uint8_t>(c.direction));
        b.BmpRePaint();
        EXPECT_EQ(kes::PictureToText(b.Picture), c.rows) << c.direction;
    }
}

TEST(TProgBar, SetBarDirOnlyStores)
{
    TProgBar b;
    FakeHost host;
    b.SetHost(&host);
    const std::string before = kes::PictureToText(b.Picture);
    b.SetBarDir(2);
    EXPECT_EQ(b.ProgBarDirect, 2);
    EXPECT_EQ(kes::PictureToText(b.Picture), before);
    EXPECT_EQ(host.invalidates + host.repaints, 0);
}

TEST(TProgBar, BarForAValue)
{
    struct Case {
        const char* name;
        int direction, min, max;
        std::uint32_t value;
        std::string rows;
    } cases[] = {
        {"empty at the minimum", 0, 0, 100, 0, Rows({"#####", "#...#", "#...#", "#...#", "#...#", "#####"})},
        {"half of height 6 is 3 rows from the bottom", 0, 0, 100, 50,
         Rows({"#####", "#...#", "#####", "#####", "#####", "#####"})},
        {"full stays inside the outline", 0, 0, 100, 100, Rows({"#####", "#####", "#####", "#####", "#####", "#####"})},
        {"from the top down", 1, 0, 6, 2, Rows({"#####", "#####", "#####", "#...#", "#...#", "#####"})},
        {"from the right", 2, 0, 5, 2, Rows({"#####", "#.###", "#.###", "#.###", "#.###", "#####"})},
        {"from the left", 3, 0, 5, 2, Rows({"#####", "###.#", "###.#", "###.#", "###.#", "#####"})},
        {"below the minimum wraps unsigned to a full bar", 0, 10, 20, 5,
         Rows({"#####", "#####", "#####", "#####", "#####", "#####"})},
        {"a range of one value divides nothing", 0, 7, 7, 7,
         Rows({"#####", "#...#", "#...#", "#...#", "#...#", "#####"})},
        {"unknown direction: outline only", 9, 0, 10, 10, Rows({"#####", "#...#", "#...#", "#...#", "#...#", "#####"})},
    };
    for (const Case& c : cases) {
        TProgBar b;
        Size(b, 5, 6);
        b.ProgBarDirect = static_cast<std::uint8_t>(c.direction);
        b.BarMin = c.min;
        b.BarMax = c.max;
        b.SetCurVal(c.value);
        EXPECT_EQ(b.CurVal, c.value) << c.name;
        EXPECT_EQ(kes::PictureToText(b.Picture), c.rows) << c.name;
    }
}

TEST(TProgBar, BarLengthIsUnsignedAndGuarded)
{
    TProgBar b;
    b.BarMin = 0;
    b.BarMax = 9999;
    EXPECT_EQ(b.BarLength(9999, 20), 20u);
    EXPECT_EQ(b.BarLength(5000, 20), 10u);
    b.BarMin = -100;
    b.BarMax = 100;
    EXPECT_EQ(b.BarLength(0, 20), 10u);
    b.BarMax = b.BarMin;
    EXPECT_EQ(b.BarLength(12345, 20), 0u);
}

// Page images show the bar for CurVal, drawn at panel resolution: at grid 2 x 2 the outline
// keeps all four sides in the panel pixels.
TEST(TProgBar, PaintDataAtGridTwo)
{
    TProgBar b;
    b.GridWidth = 2;
    b.GridHeight = 2;
    Size(b, 10, 16);
    b.CurVal = 4999;
    b.Left = 2;
    b.Top = 0;
    std::vector<std::uint8_t> bands(8, 0);
    b.PaintData(8, 8, bands);
    TBitmap page(8, 8);
    TLxObj::DataToBmp(page, bands);
    EXPECT_EQ(kes::PictureToText(page),
              Rows({".#####..", ".#...#..", ".#...#..", ".#...#..", ".#####..", ".#####..", ".#####..", ".#####.."}));
}

TEST(TProgBar, PrintLineNamesTheDevice)
{
    TProgBar b;
    b.DevText = "D100";
    TBitmap page(200, 0);
    EXPECT_GT(b.PrePrnObjInf(page, 0, 0), 0);
    EXPECT_NE(kes::PictureToText(page).find('#'), std::string::npos);
}

TEST(TProgBar, ExtremeValuesDoNotCrash)
{
    for (int dir : {0, 1, 2, 3, 255}) {
        for (auto [w, h] : {std::pair{1, 1}, std::pair{2, 2}, std::pair{1, 40}}) {
            TProgBar b;
            Size(b, w, h);
            b.ProgBarDirect = static_cast<std::uint8_t>(dir);
            b.BarMin = INT_MAX;
            b.BarMax = INT_MIN;
            b.BmpRePaint();
            b.SetCurVal(UINT_MAX);
            b.BarMax = b.BarMin;
            b.SetCurVal(0);
            std::vector<std::uint8_t> bands(8);
            b.PaintData(8, 8, bands);
            b.Picture.SetSize(0, 0);
            b.BmpRePaint();
            b.SetCurVal(5);
            EXPECT_TRUE(b.Picture.Empty());
        }
    }
}
