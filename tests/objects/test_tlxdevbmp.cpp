// The bit-state pictures (kinds 3 and 21) show the built-in picture their number names:
// numbers above 17 show the last picture while the number itself is kept, 255 shows the
// "no picture" tile without the threshold, the state picks ON or OFF, a word's chosen bit
// gives the state in value mode, and the page image carries the shown picture.
#include "buttontest.h"
#include "golden.h"
#include "objects/tlxadvdevbmp.h"

#include <gtest/gtest.h>

using buttontest::SamePixels;
using buttontest::Shown;

TEST(DevBmp, NewObject)
{
    TLxDevBmp obj;
    EXPECT_EQ(obj.ObjType, 3);
    EXPECT_EQ(obj.OnBmp, 0);
    EXPECT_EQ(obj.OffBmp, 0);
    EXPECT_EQ(obj.CurPt, 0);
    EXPECT_EQ(obj.DevAddrCode, 2048);
    EXPECT_EQ(obj.RefStation, 1);
    EXPECT_EQ(obj.RefDevForm, 1);
    EXPECT_EQ(obj.RefIntMem, 0);
    EXPECT_FALSE(obj.SizeSetsPicture);
    EXPECT_EQ(obj.Width, 16);
    EXPECT_EQ(obj.Height, 16);
    // The "no picture" tile, greys kept, until the first repaint shows OFF picture 0.
    EXPECT_TRUE(SamePixels(obj.Picture, Shown("BIT-0", false)));
    obj.BmpRePaint();
    EXPECT_TRUE(SamePixels(obj.Picture, Shown("BIT-1")));
    obj.GridWidth = 2;
    obj.BmpRePaint();
    EXPECT_TRUE(SamePixels(obj.Picture, Shown("BIT-1", true, 2, 1)));

    // Kind 21 ends its construction by showing OFF picture 0.
    TLxAdvDevBmp adv;
    EXPECT_EQ(adv.ObjType, 21);
    EXPECT_EQ(adv.BitNo, 0);
    EXPECT_EQ(adv.ValMode, 0);
    EXPECT_TRUE(SamePixels(adv.Picture, Shown("BIT-1")));
}

TEST(DevBmp, PictureNumbers)
{
    struct Case {
        bool on;
        std::uint8_t number;
        const char* shows;
        bool threshold;
    } cases[] = {
        {true, 0, "BIT-1", true},     {true, 5, "BIT-6", true},   {true, 17, "BIT-18", true},
        {true, 18, "BIT-18", true},   {true, 40, "BIT-18", true}, {true, 254, "BIT-18", true},
        {false, 255, "BIT-0", false}, {false, 9, "BIT-10", true},
    };
    for (const Case& c : cases) {
        TLxDevBmp obj;
        obj.GridHeight = 2;
        if (c.on)
            obj.SetOnBmp(c.number);
        else
            obj.SetOffBmp(c.number);
        EXPECT_EQ(c.on ? obj.OnBmp : obj.OffBmp, c.number);
        EXPECT_TRUE(SamePixels(obj.Picture, Shown(c.shows, c.threshold, 1, 2))) << int(c.number);
    }
}

TEST(DevBmp, StateShowsOnOrOff)
{
    TLxDevBmp obj;
    obj.SetOnBmp(1);
    obj.SetOffBmp(0);
    // Setting a number shows it whatever the state; the next repaint shows the state's.
    obj.SetOnBmp(1);
    EXPECT_TRUE(SamePixels(obj.Picture, Shown("BIT-2")));
    obj.BmpRePaint();
    EXPECT_TRUE(SamePixels(obj.Picture, Shown("BIT-1")));
    obj.SetCurPt(1);
    EXPECT_TRUE(SamePixels(obj.Picture, Shown("BIT-2")));
    obj.SetCurPt(0);
    EXPECT_TRUE(SamePixels(obj.Picture, Shown("BIT-1")));
}

TEST(DevBmp, WordBitGivesTheState)
{
    struct Case {
        std::uint8_t valMode, bitNo;
        std::int32_t before;
        std::uint32_t value;
        std::int32_t state;
    } cases[] = {
        {0x10, 3, 0, 8, 1},
        {0x10, 3, 1, 7, 0},
        {0x10, 15, 0, 0x8000, 1},
        {0x10, 0, 1, 0xFFFE, 0},
        {0x10, 200, 1, 0xFFFFFFFF, 0}, // a bit past the word: never set, no shift past 31
        {0x00, 3, 0, 8, 0},
        {0x00, 3, 1, 0, 1}, // bit mode keeps the state
    };
    for (const Case& c : cases) {
        TLxAdvDevBmp obj;
        obj.OnBmp = 1;
        obj.OffBmp = 2;
        obj.ValMode = c.valMode;
        obj.BitNo = c.bitNo;
        obj.CurPt = c.before;
        obj.SetCurVal(c.value);
        EXPECT_EQ(obj.CurVal, c.value);
        EXPECT_EQ(obj.CurPt, c.state) << int(c.valMode) << " bit " << int(c.bitNo) << " value " << c.value;
        EXPECT_TRUE(SamePixels(obj.Picture, Shown(c.state == 1 ? "BIT-2" : "BIT-3")));
    }
}

TEST(DevBmp, PageImageAndGolden)
{
    TLxDevBmp obj;
    obj.OnBmp = 8; // arrow up
    obj.Left = 8;
    obj.Top = 8;
    obj.SetCurPt(1);
    const TBitmap page = buttontest::PageWith(obj, 32, 32);
    TBitmap box(16, 16);
    BitBlt(*box.Canvas(), 0, 0, 16, 16, *page.Canvas(), 8, 8, SRCCOPY);
    EXPECT_TRUE(SamePixels(box, Shown("BIT-9")));
    EXPECT_EQ(buttontest::BlackCount(page), buttontest::BlackCount(box));

    TLxDevBmp plain;
    plain.BmpRePaint();
    EXPECT_TRUE(golden::Matches(plain.Picture, "tlxdevbmp_default"));
    TLxAdvDevBmp adv;
    adv.GridWidth = 2;
    adv.ValMode = 0x10;
    adv.BitNo = 2;
    adv.OnBmp = 17;
    adv.SetCurVal(4);
    EXPECT_TRUE(golden::Matches(adv.Picture, "tlxadvdevbmp_bulb_on_grid2x1"));
}
