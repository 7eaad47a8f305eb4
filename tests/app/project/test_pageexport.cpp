// The page exports' byte forms, against a hand-made small page: bands of 8 rows with bit 0 at
// the top and a short last band, packed rows with the leftmost pixel in the top bit and a
// partial last byte, the two hexadecimal list forms, and the panel picture taken from the
// top-left pixel of each grid cell.
#include "app/project/pageexport.h"

#include <gtest/gtest.h>

namespace kes {
namespace {

// A picture from rows of '#' (black) and '.' (white).
TBitmap Picture(const std::vector<std::string>& rows)
{
    TBitmap b(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            b.Image().setPixel(x, y,
                               rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == '#' ? 0xFF000000u
                                                                                                     : 0xFFFFFFFFu);
    return b;
}

// 9 x 10: a black top row, a black left column, the bottom-right pixel black.
const std::vector<std::string> kPage = {
    "#########", "#........", "#........", "#........", "#........",
    "#........", "#........", "#........", "#........", "#.......#",
};

TEST(PageExportTest, BandsAndRowsOfASmallPage)
{
    const TBitmap page = Picture(kPage);
    // Band 0: column 0 all eight rows, the others the top row; band 1 (two rows used): column 0
    // both rows, column 8 its second row.
    const Bytes bands = {0xFF, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01,
                         0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x02};
    EXPECT_EQ(PageBands(page), bands);
    // Two bytes a row; the ninth pixel is the top bit of the second byte.
    Bytes rows = {0xFF, 0x80};
    for (int y = 1; y < 9; ++y)
        rows.insert(rows.end(), {0x80, 0x00});
    rows.insert(rows.end(), {0x80, 0x80});
    EXPECT_EQ(PackedRows(page), rows);
}

TEST(PageExportTest, SizesOfWholePages)
{
    struct Case {
        int w, h;
        std::size_t bands, rows;
    } cases[] = {
        {128, 64, 1024, 1024},
        {128, 60, 1024, 960},
        {8, 3, 8, 3},
        {9, 3, 9, 6},
    };
    for (const Case& c : cases) {
        TBitmap white(c.w, c.h);
        white.Image().fill(0xFFFFFFFFu);
        EXPECT_EQ(PageBands(white).size(), c.bands) << c.w << "x" << c.h;
        EXPECT_EQ(PackedRows(white).size(), c.rows) << c.w << "x" << c.h;
    }
}

TEST(PageExportTest, HexListsAndPanelPicture)
{
    const Bytes b = {0x0A, 0xFF, 0x00};
    EXPECT_EQ(HexList(b, true), std::string("0x0A,\0"
                                            "0xFF,\0"
                                            "0x00,\0",
                                            18));
    EXPECT_EQ(HexList(b, false), "0x0A,0xFF,0x00,");
    EXPECT_EQ(HexList({}, true), "");

    // Grid 2 x 1: each panel pixel is the left pixel of its pair.
    const TBitmap wide = Picture({"#.##..", ".#.#.#"});
    const TBitmap panel = PanelPicture(wide, 2, 1);
    ASSERT_EQ(panel.Width(), 3);
    ASSERT_EQ(panel.Height(), 2);
    EXPECT_EQ(PackedRows(panel), (Bytes{0xC0, 0x00}));
}

} // namespace
} // namespace kes
