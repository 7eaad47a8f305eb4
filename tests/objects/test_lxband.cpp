// Pictures survive the trip to band data and back: 8-row bands from the top, a byte per
// column with bit 0 the top row, short last bands with clear high bits, panel-resolution
// sampling at the top-left pixel of each grid cell, whole pages in full bands, and
// readers that never read past the bytes they were given. The two-colour threshold keeps
// its blue-only rule, which stored pictures depend on.
#include "objtest.h"

#include <gtest/gtest.h>
#include <random>

using objtest::Rows;
using objtest::TTestObj;

namespace {

TBitmap Filled(int w, int h, TColor c)
{
    TBitmap bmp(w, h);
    bmp.Canvas()->Brush.Color = c;
    bmp.Canvas()->FillRect(Rect(0, 0, w, h));
    return bmp;
}

TBitmap RandomPicture(int w, int h, unsigned seed)
{
    std::mt19937 rng(seed);
    TBitmap bmp(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (rng() & 1u)
                bmp.Canvas()->SetPixel(x, y, clBlack);
    return bmp;
}

kes::Bytes Packed(const TBitmap& bmp)
{
    kes::Bytes out(static_cast<std::size_t>(TLxObj::BtnBmpSizeGet(bmp)), 0xAA);
    TLxObj::BtnBmpDataGet(out, bmp);
    return out;
}

} // namespace

TEST(Band, PackingOneToOne)
{
    TBitmap single(16, 16);
    single.Canvas()->SetPixel(3, 9, clBlack);
    kes::Bytes singleBytes(32, 0);
    singleBytes[19] = 0x02;

    struct Case {
        const char* name;
        TBitmap picture;
        kes::Bytes expected;
    } cases[] = {
        {"5 x 12: a full band, then a band of 4 rows",
         Filled(5, 12, clBlack),
         {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x0F, 0x0F, 0x0F, 0x0F, 0x0F}},
        {"top pixel only", kes::PictureFromText(Rows({"#", ".", ".", ".", ".", ".", ".", "."})), {0x01}},
        {"eighth row only", kes::PictureFromText(Rows({".", ".", ".", ".", ".", ".", ".", "#"})), {0x80}},
        {"16 x 16 with one pixel at (3, 9)", single, singleBytes},
        {"any colour but 0 is white", Filled(2, 3, 0x010000), {0x00, 0x00}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TLxObj::BtnBmpSizeGet(c.picture), static_cast<int>(c.expected.size())) << c.name;
        EXPECT_EQ(Packed(c.picture), c.expected) << c.name;
    }
}

TEST(Band, PanelResolutionSamplesCellCorners)
{
    // 20 x 16 picture at grid 2 x 2: 10 x 8 panel pixels taken from (0,0), (2,0) ... (18,14).
    TTestObj obj;
    obj.GridWidth = 2;
    obj.GridHeight = 2;
    obj.Picture.SetSize(20, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 20; ++x)
            if (x % 2 == 1 || y % 2 == 1)
                obj.Picture.Canvas()->SetPixel(x, y, clBlack); // never sampled
    obj.Picture.Canvas()->SetPixel(4, 6, clBlack);             // panel pixel (2, 3)
    obj.Picture.Canvas()->SetPixel(18, 14, clBlack);           // panel pixel (9, 7)
    ASSERT_EQ(obj.BmpSizeGet(), 10);
    kes::Bytes out(10, 0xAA);
    obj.BmpDataGet(out);
    const kes::Bytes expected{0, 0, 0x08, 0, 0, 0, 0, 0, 0, 0x80};
    EXPECT_EQ(out, expected);
}

TEST(Band, OverCountedSizeIsZeroFilled)
{
    // 17 rows at GridHeight 2 count two bands, but the 8 panel rows fill only one.
    TTestObj obj;
    obj.GridHeight = 2;
    obj.Picture = Filled(4, 17, clBlack);
    ASSERT_EQ(obj.BmpSizeGet(), 8);
    kes::Bytes out(8, 0xAA);
    obj.BmpDataGet(out);
    const kes::Bytes expected{0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0};
    EXPECT_EQ(out, expected);

    // A short buffer takes what fits and nothing more.
    kes::Bytes shortOut(3, 0xAA);
    obj.BmpDataGet(shortOut);
    EXPECT_EQ(shortOut, (kes::Bytes{0xFF, 0xFF, 0xFF}));
}

TEST(Band, RoundTripsOddSizesAndGridSteps)
{
    const TSize panelSizes[] = {{1, 1}, {5, 12}, {7, 9}, {13, 17}, {3, 8}, {9, 16}, {11, 1}};
    unsigned seed = 1;
    for (int grid : {1, 2}) {
        for (TSize s : panelSizes) {
            const std::string where =
                std::to_string(s.cx) + "x" + std::to_string(s.cy) + " grid " + std::to_string(grid);
            TTestObj source;
            source.GridWidth = grid;
            source.GridHeight = grid;
            source.Picture = RandomPicture(s.cx, s.cy, seed++);
            kes::GridStretch(source.Picture, grid, grid);
            kes::Bytes data(static_cast<std::size_t>(source.BmpSizeGet()));
            source.BmpDataGet(data);

            TTestObj target;
            target.GridWidth = grid;
            target.GridHeight = grid;
            target.Picture.SetSize(s.cx * grid, s.cy * grid);
            EXPECT_TRUE(target.BmpDataSet(data)) << where;
            EXPECT_EQ(kes::PictureToText(target.Picture), kes::PictureToText(source.Picture)) << where;

            // 1:1, as state pictures travel.
            const TBitmap small = RandomPicture(s.cx, s.cy, seed++);
            const kes::Bytes bytes = Packed(small);
            TBitmap back(s.cx, s.cy);
            back.Canvas()->Brush.Color = clBlack;
            back.Canvas()->FillRect(Rect(0, 0, s.cx, s.cy)); // every pixel gets written
            EXPECT_EQ(TLxObj::BtnBmpDataSet(bytes, back), static_cast<int>(bytes.size())) << where;
            EXPECT_EQ(kes::PictureToText(back), kes::PictureToText(small)) << where;
        }
    }
}

TEST(Band, UnpackingNeverReadsPastTheData)
{
    const TBitmap art = kes::PictureFromText(Rows({"#..#", ".##.", "#..#"}));
    struct Case {
        const char* name;
        std::size_t bytes;
        int result;
    } cases[] = {{"no data", 0, 0}, {"one byte short", 3, 0}, {"exact", 4, 4}, {"longer", 6, 4}};
    for (const Case& c : cases) {
        TBitmap bmp(art);
        const kes::Bytes data(c.bytes, 0xFF);
        EXPECT_EQ(TLxObj::BtnBmpDataSet(data, bmp), c.result) << c.name;
        const bool untouched = c.result == 0;
        EXPECT_EQ(kes::PictureToText(bmp) == kes::PictureToText(art), untouched) << c.name;
    }

    TTestObj obj;
    obj.GridWidth = 2;
    obj.Picture = Filled(8, 10, clBlack); // 4 x 10 panel pixels: 8 bytes
    const kes::Bytes shortData(7, 0);
    EXPECT_FALSE(obj.BmpDataSet(shortData));
    EXPECT_FALSE(obj.BmpDataSet({}));
    EXPECT_EQ(kes::PictureToText(obj.Picture), kes::PictureToText(Filled(8, 10, clBlack)));
    const kes::Bytes data(8, 0);
    EXPECT_TRUE(obj.BmpDataSet(data));
    EXPECT_EQ(kes::PictureToText(obj.Picture), kes::PictureToText(Filled(8, 10, clWhite)));
}

TEST(Band, ThresholdLooksAtBlueOnly)
{
    struct Case {
        const char* name;
        TColor colour;
        TColor result;
    } cases[] = {
        {"pure red", 0x0000FF, clBlack},  {"pure green", 0x00FF00, clBlack},
        {"pure blue", 0xFF0000, clWhite}, {"grey 128", 0x808080, clWhite},
        {"grey 127", 0x7F7F7F, clBlack},  {"blue 127, red and green full", 0x7FFFFF, clBlack},
        {"white", clWhite, clWhite},      {"black", clBlack, clBlack},
    };
    for (const Case& c : cases) {
        TBitmap bmp = Filled(2, 2, c.colour);
        TLxObj::BmpModify(bmp);
        EXPECT_EQ(bmp.Canvas()->Pixel(1, 1), c.result) << c.name;
    }
}

TEST(Band, WholePageInFullBands)
{
    TBitmap page(128, 64);
    page.Canvas()->SetPixel(0, 0, clBlack);
    page.Canvas()->SetPixel(0, 7, clBlack);
    page.Canvas()->SetPixel(127, 63, clBlack);
    page.Canvas()->SetPixel(5, 20, clBlack);
    kes::Bytes bands(1024, 0xAA);
    EXPECT_EQ(TLxObj::BmpToData(page, bands), 8);
    EXPECT_EQ(bands[0], 0x81);
    EXPECT_EQ(bands[1023], 0x80);
    EXPECT_EQ(bands[2 * 128 + 5], 0x10);
    EXPECT_EQ(std::count(bands.begin(), bands.end(), 0), 1021);

    TBitmap back = Filled(128, 64, clBlack); // filled white before the bits go in
    EXPECT_EQ(TLxObj::DataToBmp(back, bands), 8);
    EXPECT_EQ(kes::PictureToText(back), kes::PictureToText(page));

    // Only full bands: the 4 rows past the last full band stay out, and buffers too
    // small for the page take the bands they hold.
    TBitmap odd = Filled(3, 12, clBlack);
    kes::Bytes oddBands(6, 0xAA);
    EXPECT_EQ(TLxObj::BmpToData(odd, oddBands), 1);
    EXPECT_EQ(oddBands, (kes::Bytes{0xFF, 0xFF, 0xFF, 0xAA, 0xAA, 0xAA}));
    EXPECT_EQ(TLxObj::DataToBmp(odd, oddBands), 1);
    EXPECT_EQ(kes::PictureToText(odd),
              Rows({"###", "###", "###", "###", "###", "###", "###", "###", "...", "...", "...", "..."}));
    kes::Bytes tooSmall(1000, 0xAA);
    EXPECT_EQ(TLxObj::BmpToData(page, tooSmall), 7);
    EXPECT_EQ(TLxObj::DataToBmp(back, kes::ByteSpan(bands).first(200)), 1);
}
