// The built-in state pictures exist under their names at 16 x 16; the numbered ones are
// pure black and white and all different, so every picture number shows its own shape;
// "BIT-0" has no black pixel, so "no picture" packs to nothing on the panel.
#include "buttontest.h"
#include "golden.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

TEST(BitPictures, NamesSizesAndColours)
{
    std::set<std::string> shapes;
    for (int n = 0; n <= 18; ++n) {
        const std::string name = "BIT-" + std::to_string(n);
        ASSERT_TRUE(kes::HasBuiltinPicture(name)) << name;
        const TBitmap bmp = kes::BuiltinPicture(name);
        EXPECT_EQ(bmp.Width(), 16) << name;
        EXPECT_EQ(bmp.Height(), 16) << name;
        if (n == 0) {
            EXPECT_EQ(buttontest::BlackCount(bmp), 0);
            std::uint8_t bands[32];
            TLxObj::BtnBmpDataGet(bands, bmp);
            for (std::uint8_t b : bands)
                EXPECT_EQ(b, 0);
            continue;
        }
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const TColor c = bmp.Canvas()->Pixel(x, y);
                EXPECT_TRUE(c == clBlack || c == clWhite) << name << " " << x << "," << y;
            }
        EXPECT_GT(buttontest::BlackCount(bmp), 8) << name;
        EXPECT_TRUE(shapes.insert(kes::PictureToText(bmp)).second) << name << " repeats another picture";
    }
    ASSERT_TRUE(kes::HasBuiltinPicture("VBIT-0"));
    const TBitmap own = kes::BuiltinPicture("VBIT-0");
    EXPECT_EQ(own.Width(), 16);
    EXPECT_EQ(own.Height(), 16);
    EXPECT_FALSE(shapes.count(kes::PictureToText(own)));
    EXPECT_FALSE(kes::HasBuiltinPicture("BIT-19"));
}

TEST(BitPictures, Golden)
{
    // All twenty side by side in rows of five: BIT-0..BIT-4, ... BIT-15..BIT-18, VBIT-0.
    TBitmap sheet(5 * 17 - 1, 4 * 17 - 1);
    for (int i = 0; i < 20; ++i) {
        const std::string name = i < 19 ? "BIT-" + std::to_string(i) : "VBIT-0";
        const TBitmap bmp = kes::BuiltinPicture(name);
        BitBlt(*sheet.Canvas(), (i % 5) * 17, (i / 5) * 17, 16, 16, *bmp.Canvas(), 0, 0, SRCCOPY);
    }
    EXPECT_TRUE(golden::Matches(sheet, "lxbitpics_all"));
}
