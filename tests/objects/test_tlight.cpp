// The lamp (kind 18) places its state picture and text inside its box by position codes
// (codes above 2 as 0; a text as wide as the box starts at its left edge whatever the code),
// renders its state texts for the panel with the object font into band data whose size it
// reports first, clips loaded pictures to the size it is given, and measures its largest
// state by texts before pictures.
#include "buttontest.h"
#include "golden.h"
#include "objects/tlight.h"

#include <gtest/gtest.h>

using buttontest::BlackBox;
using buttontest::Block;
using buttontest::SamePixels;

TEST(Light, NewObject)
{
    TLight obj;
    EXPECT_EQ(obj.ObjType, 18);
    EXPECT_EQ(obj.TxtHPos, 0);
    EXPECT_EQ(obj.TxtVPos, 0);
    EXPECT_EQ(obj.BmpHPos, 0);
    EXPECT_EQ(obj.BmpVPos, 0);
    EXPECT_EQ(obj.LampOpt, 0);
    EXPECT_EQ(obj.TxtList2.size(), 2u);
    obj.BmpRePaint();
    EXPECT_TRUE(golden::Matches(obj.Picture, "tlight_default"));
}

TEST(Light, PicturePlacedByCodes)
{
    struct Case {
        std::uint8_t h, v;
        TRect box;
    } cases[] = {
        {0, 0, {0, 0, 4, 3}},   {1, 0, {12, 0, 16, 3}}, {2, 0, {6, 0, 10, 3}},
        {0, 1, {0, 13, 4, 16}}, {2, 2, {6, 6, 10, 9}},  {3, 7, {0, 0, 4, 3}},
    };
    for (const Case& c : cases) {
        TLight obj;
        obj.BmpCopyIn(Block(4, 3), 0);
        obj.BmpHPos = c.h;
        obj.SetBmpVPos(c.v);
        EXPECT_EQ(BlackBox(obj.Picture), c.box) << int(c.h) << "," << int(c.v);
    }

    // At grid 2 x 2 the panel-resolution drawing is grown back.
    TLight grid;
    grid.GridWidth = 2;
    grid.GridHeight = 2;
    grid.SetWidth(32);
    grid.SetHeight(32);
    grid.BmpCopyIn(Block(4, 3), 0);
    grid.SetBmpHPos(1);
    EXPECT_EQ(BlackBox(grid.Picture), (TRect{24, 0, 32, 6}));
}

TEST(Light, TextPlacement)
{
    struct Case {
        const char* text;
        std::uint8_t h;
        bool fromLeft;
    } cases[] = {
        {"WWWWWWWW", 0, true}, {"WWWWWWWW", 1, true}, {"WWWWWWWW", 2, true},
        {"I", 0, true},        {"I", 1, false},       {"I", 2, false},
    };
    for (const Case& c : cases) {
        TLight obj;
        obj.TxtList[0] = c.text;
        obj.SetTxtHPos(c.h);
        const TRect box = BlackBox(obj.Picture);
        ASSERT_GT(box.Right, 0) << c.text;
        EXPECT_EQ(box.Left <= 1, c.fromLeft) << c.text << " code " << int(c.h);
    }

    TLight obj;
    obj.TxtList[0] = "I";
    obj.SetTxtVPos(1);
    EXPECT_EQ(BlackBox(obj.Picture).Bottom > 10, true);
    obj.TxtList[1] = "ON";
    obj.BmpCopyIn(Block(3, 3), 1);
    obj.TxtHPos = 2;
    obj.BmpHPos = 2;
    obj.BmpVPos = 0;
    obj.SetWidth(24);
    obj.SetBmpPt(1);
    EXPECT_TRUE(golden::Matches(obj.Picture, "tlight_on_centred"));
}

TEST(Light, RenderedTexts)
{
    TLight obj;
    obj.TxtList[0] = "Pump";
    const int bytes = obj.TxtBmpSizeGet(0);
    ASSERT_GT(obj.TxtW, 0);
    ASSERT_GT(obj.TxtH, 0);
    EXPECT_EQ(bytes, obj.TxtW * ((obj.TxtH + 7) / 8));
    kes::Bytes bands(static_cast<std::size_t>(bytes), 0xAA);
    obj.TxtBmpDataGet(bands, 0);
    TBitmap back(obj.TxtW, obj.TxtH);
    ASSERT_EQ(TLight::ActBmpDataSet(bands, back), bytes);
    TBitmap drawn(obj.TxtW, obj.TxtH);
    drawn.Canvas()->Font = obj.Picture.Canvas()->Font;
    drawn.Canvas()->TextOut(0, 0, "Pump");
    EXPECT_TRUE(SamePixels(back, drawn));

    // A short buffer gets what fits; an empty text and a missing state give no bytes.
    kes::Bytes part(3, 0xAA);
    obj.TxtBmpDataGet(part, 0);
    EXPECT_TRUE(std::equal(part.begin(), part.end(), bands.begin()));
    EXPECT_EQ(obj.TxtBmpSizeGet(1), 0);
    EXPECT_EQ(obj.TxtBmpSizeGet(2), 0);
    EXPECT_EQ(obj.TxtBmpSizeGet(-1), 0);
    obj.TxtBmpDataGet({}, 0);
}

TEST(Light, LoadClipsAndLargestState)
{
    buttontest::ScratchFiles files;
    const std::string file = files.Write(Block(40, 30), "block.bmp");
    TLight obj;
    ASSERT_TRUE(obj.BmpLoad(file, 24, 100));
    EXPECT_EQ(obj.BmpList[0]->Width(), 24);
    EXPECT_EQ(obj.BmpList[0]->Height(), 30);

    // State 0: text wider than anything so far, its picture is not compared.
    obj.BmpCopyIn(Block(200, 200), 0);
    obj.TxtList[0] = "Long lamp text";
    obj.BmpCopyIn(Block(7, 5), 1);
    const int tw = obj.Picture.Canvas()->TextWidth("Long lamp text");
    ASSERT_LT(tw, 200);
    EXPECT_EQ(obj.GetMaxWidth(), tw);
    obj.TxtList[0] = "";
    EXPECT_EQ(obj.GetMaxWidth(), 200);

    obj.SetBmpPt(0);
    obj.TxtList[0] = "Lamp";
    EXPECT_EQ(obj.TxtWidth(), obj.Picture.Canvas()->TextWidth("Lamp"));
    EXPECT_EQ(obj.TxtW, obj.TxtWidth());
}
