// The button (kind 13): its face by surface style and the inset it keeps, the state picture
// and text placed inside that inset (texts cut to the face, never to a negative size), the
// state a value selects by button type (a multi-state value past the last state shows the
// bare face instead of reading past the lists), the value pattern and value text, the state
// lists kept in step, stored state pictures cut to the button without shifting columns, and
// a function-key binding outside 0..13 counting as none.
#include "buttontest.h"
#include "golden.h"
#include "objects/tlxbtn.h"
#include "objects/valformat.h"

#include <gtest/gtest.h>

using buttontest::BlackBox;
using buttontest::BlackCount;
using buttontest::Block;
using buttontest::SamePixels;

namespace {

// A button of w x h panel pixels at zoom 1, grid 1.
void Size(TLxBtn& b, int w, int h)
{
    b.SetWidth(w);
    b.SetHeight(h);
}

} // namespace

TEST(Btn, NewObject)
{
    TLxBtn b;
    EXPECT_EQ(b.ObjType, 13);
    EXPECT_EQ(b.Picture.Width(), 20);
    EXPECT_EQ(b.Picture.Height(), 10);
    EXPECT_TRUE(b.SizeSetsPicture);
    EXPECT_EQ(b.fontsize, 0);
    EXPECT_EQ(b.CellWidth, 5);
    EXPECT_EQ(b.WriteDev.DevAddrCode, 2048);
    EXPECT_EQ(b.ReadDev.DevAddrCode, -1);
    EXPECT_EQ(b.NotifyDev.DevAddrCode, -1);
    for (const TLxDevRef* r : {&b.WriteDev, &b.ReadDev, &b.NotifyDev}) {
        EXPECT_EQ(r->RefDevForm, 1);
        EXPECT_EQ(r->RefStation, 1);
        EXPECT_EQ(r->RefIntMem, 0);
        EXPECT_EQ(r->RefLink, 0);
        EXPECT_EQ(r->RefDetail, 0);
        EXPECT_TRUE(r->DevText.empty());
    }
    EXPECT_EQ(b.PassText, (std::array<std::uint8_t, 4>{255, 255, 255, 255}));
    EXPECT_EQ(b.RefKey, 255);
    EXPECT_EQ(b.BtnType, kes::BtnType::None);
    EXPECT_EQ(b.Surface, 1);
    EXPECT_EQ(b.TotalState, 2);
    EXPECT_EQ(b.BmpList.size(), 2u);
    EXPECT_EQ(b.BmpList[0]->Width(), 0);
    EXPECT_EQ(b.TxtList.size(), 2u);
    EXPECT_EQ(b.TxtList2.size(), 2u);
    for (std::uint8_t pos : {b.TxtHPos, b.TxtVPos, b.BmpHPos, b.BmpVPos})
        EXPECT_EQ(pos, 2);
    b.BmpRePaint();
    EXPECT_TRUE(golden::Matches(b.Picture, "tlxbtn_default"));
}

TEST(Btn, SetStateNum)
{
    TLxBtn b;
    b.TxtList = {"A", "B"};
    b.SetStateNum(1);
    EXPECT_EQ(b.BmpList.size(), 1u);
    EXPECT_EQ(b.TxtList, (std::vector<AnsiString>{"A"}));
    EXPECT_EQ(b.TxtList2.size(), 1u);
    EXPECT_EQ(b.CurPt, 0);

    TLxBtn more;
    more.CurPt = 1;
    more.SetStateNum(4);
    EXPECT_EQ(more.BmpList.size(), 4u);
    EXPECT_EQ(more.TxtList.size(), 4u);
    EXPECT_EQ(more.TxtList2.size(), 4u);
    EXPECT_EQ(more.BmpList[3]->Width(), 0);
    EXPECT_EQ(more.CurPt, 1);

    // No states: state -1, the bare face.
    TLxBtn none;
    none.TxtList[0] = "X";
    none.SetStateNum(0);
    EXPECT_EQ(none.CurPt, -1);
    TLxBtn face;
    face.BmpRePaint();
    EXPECT_TRUE(SamePixels(none.Picture, face.Picture));
}

TEST(Btn, Surfaces)
{
    struct Case {
        std::uint8_t surface;
        int w, h;
        int inset;
        int pictureW, pictureH;
        bool anyBlack;
    } cases[] = {
        {0, 20, 10, 0, 20, 10, false}, {1, 20, 10, 1, 20, 10, true},  {2, 8, 8, 0, 8, 8, false},
        {2, 9, 9, 4, 9, 9, true},      {3, 20, 10, 2, 10, 10, true},  {3, 10, 30, 2, 10, 10, true},
        {4, 20, 10, 0, 20, 10, false}, {9, 20, 10, 0, 20, 10, false},
    };
    for (const Case& c : cases) {
        TLxBtn b;
        Size(b, c.w, c.h);
        b.SetSurface(c.surface);
        EXPECT_EQ(b.UnscaledPaint, c.surface == 3);
        b.BmpRePaint();
        EXPECT_EQ(b.SurfaceInset(), c.inset) << int(c.surface);
        EXPECT_EQ(b.Picture.Width(), c.pictureW) << int(c.surface);
        EXPECT_EQ(b.Picture.Height(), c.pictureH) << int(c.surface);
        EXPECT_EQ(BlackCount(b.Picture) > 0, c.anyBlack) << int(c.surface);
    }

    TLxBtn raised;
    Size(raised, 40, 20);
    raised.SetSurface(2);
    raised.BmpCopyIn(buttontest::Shown("BIT-2"), 1);
    raised.TxtList[1] = "ON";
    raised.BmpHPos = 0;
    raised.TxtHPos = 1;
    raised.SetBtnPt(1);
    EXPECT_TRUE(golden::Matches(raised.Picture, "tlxbtn_raised_picture_text"));

    TLxBtn round;
    Size(round, 24, 16);
    round.GridWidth = 2;
    round.SetSurface(3);
    round.BmpRePaint();
    EXPECT_TRUE(golden::Matches(round.Picture, "tlxbtn_round_grid2x1"));
}

TEST(Btn, StateForValue)
{
    struct Case {
        const char* name;
        std::uint8_t type, kind;
        std::uint32_t value;
        int state;
    } cases[] = {
        {"set ON, non-zero", 0, 0, 5, 1},
        {"maintained, zero", 5, 0, 0, 0},
        {"no type", 255, 0, 5, 0},
        {"multi-state word", 6, 0x10, 1, 1},
        {"multi-state low byte", 6, 0x20, 0, 0},
        {"multi-state on a bit", 6, 0x00, 1, 0},
        {"multi-state past the last state", 6, 0x10, 9, 9},
        {"multi-state far past", 6, 0x10, 0xFFFFFFFF, -1},
        {"input value without a read device", 7, 0x10, 5, 0},
        {"set constant", 8, 0x10, 5, 0},
    };
    for (const Case& c : cases) {
        TLxBtn b;
        b.BtnType = static_cast<kes::BtnType>(c.type);
        b.ValKind = c.kind;
        b.TxtList = {"a", "b"};
        b.SetCurVal(c.value);
        EXPECT_EQ(b.CurVal, c.value) << c.name;
        EXPECT_EQ(b.CurPt, c.state) << c.name;
    }

    // A state with no picture or text of its own shows the bare face.
    TLxBtn face;
    face.BmpRePaint();
    TLxBtn past;
    past.BtnType = kes::BtnType::MultiState;
    past.ValKind = 0x10;
    past.TxtList = {"a", "b"};
    past.BmpCopyIn(Block(3, 3), 1);
    past.SetCurVal(9);
    EXPECT_TRUE(SamePixels(past.Picture, face.Picture));
    past.SetCurVal(1);
    EXPECT_FALSE(SamePixels(past.Picture, face.Picture));
}

TEST(Btn, PicturePlacement)
{
    struct Case {
        std::uint8_t h, v;
        int w;
        TRect box;
    } cases[] = {
        {0, 0, 4, {1, 1, 5, 4}}, {1, 1, 4, {15, 6, 19, 9}}, {2, 2, 4, {8, 3, 12, 6}},
        {7, 7, 4, {1, 1, 5, 4}}, {1, 2, 30, {1, 3, 19, 6}}, // wider than the face: at the inset
    };
    for (const Case& c : cases) {
        TLxBtn b;
        b.SetSurface(0);
        b.Surface = 1;
        b.BmpCopyIn(Block(c.w, 3), 0);
        b.BmpHPos = c.h;
        b.BmpVPos = c.v;
        b.SetBtnPt(0);
        // Blank the face's rectangle to see the picture alone.
        TBitmap inner(b.Picture);
        inner.Canvas()->Pen.Color = clWhite;
        inner.Canvas()->Brush.Style = bsClear;
        inner.Canvas()->Rectangle(0, 0, 20, 10);
        EXPECT_EQ(BlackBox(inner), c.box) << int(c.h) << "," << int(c.v) << " w " << c.w;
    }
}

TEST(Btn, TextsFitTheFace)
{
    TLxBtn b;
    b.TxtList = {"WWWWWWWWWWWW", ""};
    const int full = b.Picture.Canvas()->TextWidth(b.TxtList[0]);
    ASSERT_GT(full, 18);
    EXPECT_EQ(b.TxtWidth(0), 18);
    EXPECT_LE(b.TxtHeight(0), 8);
    EXPECT_EQ(b.TxtWidth(1), 0);
    EXPECT_EQ(b.TxtWidth(5), 0);
    EXPECT_EQ(b.TxtBmpSizeGet(0), 18 * ((b.TxtHeight(0) + 7) / 8));

    // The rendered text is what the face shows, cut to the face.
    kes::Bytes bands(static_cast<std::size_t>(b.TxtBmpSizeGet(0)), 0xAA);
    b.TxtBmpDataGet(bands, 0);
    TBitmap back(b.TxtWidth(0), b.TxtHeight(0));
    ASSERT_GT(TLxBtn::BtnBmpDataSet(bands, back), 0);
    TBitmap drawn(full, b.Picture.Canvas()->TextHeight(b.TxtList[0]));
    drawn.Canvas()->Font = b.Picture.Canvas()->Font;
    drawn.Canvas()->TextOut(0, 0, b.TxtList[0]);
    TBitmap cut(back.Width(), back.Height());
    BitBlt(*cut.Canvas(), 0, 0, cut.Width(), cut.Height(), *drawn.Canvas(), 0, 0, SRCCOPY);
    EXPECT_TRUE(SamePixels(back, cut));

    // A face narrower than twice its inset leaves no room: 0, never negative.
    TLxBtn thin;
    thin.TxtList[0] = "W";
    Size(thin, 1, 1);
    EXPECT_EQ(thin.TxtWidth(0), 0);
    EXPECT_EQ(thin.TxtHeight(0), 0);
    EXPECT_EQ(thin.TxtBmpSizeGet(0), 0);
    thin.TxtBmpDataGet(bands, 0);
    thin.SetBtnPt(0);

    // Largest state: pictures in pixels, a wider text counts its characters in cells.
    TLxBtn sizes;
    sizes.BmpCopyIn(Block(7, 4), 0);
    sizes.BmpCopyIn(Block(12, 30), 1);
    sizes.TxtList = {"", "ABCDEFGH"};
    EXPECT_EQ(sizes.GetMaxWidth(), 8 * 5);
    EXPECT_EQ(sizes.GetMaxHeight(), 30);
}

TEST(Btn, ValueButton)
{
    struct Case {
        std::uint8_t valType, valLen, intNum, decNum;
        std::uint32_t v;
        const char* text;
    } cases[] = {
        {0, 0, 5, 0, 42, "42"},
        {2, 0, 4, 0, 255, "FFH"},
        {1, 0, 3, 0, 0xFFFF, "-1"},
        {0, 0, 3, 2, 1234, "12.34"},
    };
    for (const Case& c : cases) {
        TLxBtn b;
        b.ValType = c.valType;
        b.ValLen = c.valLen;
        b.IntNum = c.intNum;
        b.DecNum = c.decNum;
        EXPECT_EQ(b.ValToStr(c.v), c.text);
    }

    // The editor shows a digit pattern; the page shows the value in the panel's glyphs.
    TLxBtn b;
    Size(b, 40, 12);
    b.BtnType = kes::BtnType::InputValue;
    b.ReadUsed = 1;
    b.ReadDev.DevAddrCode = 100;
    b.ValType = kes::FormatCode(kes::ValFormat::Signed);
    b.IntNum = 3;
    b.DecNum = 1;
    b.BmpRePaint();
    EXPECT_TRUE(golden::Matches(b.Picture, "tlxbtn_value_pattern"));
    b.CurVal = 42;
    b.Left = 8;
    const TBitmap page = buttontest::PageWith(b, 48, 16);
    EXPECT_TRUE(golden::Matches(page, "tlxbtn_value_page"));

    // Patterns past the face are cut, never drawn outside it.
    b.IntNum = 255;
    b.DecNum = 255;
    b.SetBtnPt(0);
    EXPECT_EQ(b.Picture.Width(), 40);
    b.SetCurVal(0xFFFFFFFF);
}

TEST(Btn, StatePicturesAndFiles)
{
    // Stored 30 wide on a 20-wide button: the first 20 columns, in place.
    TBitmap stored(30, 8);
    for (int x = 0; x < 30; x += 3)
        stored.Canvas()->SetPixel(x, x % 8, clBlack);
    kes::Bytes bands(30);
    TLxBtn::BtnBmpDataGet(bands, stored);
    TLxBtn b;
    EXPECT_EQ(b.StateBmpSet(0, 30, 8, bands), 30);
    TBitmap expected(20, 8);
    BitBlt(*expected.Canvas(), 0, 0, 20, 8, *stored.Canvas(), 0, 0, SRCCOPY);
    EXPECT_TRUE(SamePixels(*b.BmpList[0], expected));
    EXPECT_EQ(b.BtnBmpSizeGet(0), 20);
    EXPECT_EQ(b.StateBmpSet(1, 30, 8, kes::ByteSpan(bands).first(29)), 0);
    EXPECT_EQ(b.BmpList[1]->Width(), 0);
    EXPECT_EQ(b.StateBmpSet(2, 30, 8, bands), 0);
    EXPECT_EQ(b.BtnBmpSizeGet(7), 0);

    // Loads keep colours (no threshold) and go to the current state.
    buttontest::ScratchFiles files;
    TBitmap red(3, 2);
    red.Canvas()->SetPixel(1, 1, clRed);
    const std::string file = files.Write(red, "red.bmp");
    b.SetBtnPt(1);
    ASSERT_TRUE(b.BmpLoad(file));
    EXPECT_EQ(b.BmpList[1]->Canvas()->Pixel(1, 1), clRed);
    EXPECT_FALSE(b.BmpLoad(files.Missing()));
    b.CurPt = 5;
    EXPECT_FALSE(b.BmpLoad(file));
}

TEST(Btn, KeysAndPrint)
{
    struct Case {
        std::uint8_t refKey;
        int key;
    } cases[] = {{0, 0}, {13, 13}, {14, -1}, {200, -1}, {255, -1}};
    for (const Case& c : cases) {
        TLxBtn b;
        b.RefKey = c.refKey;
        EXPECT_EQ(b.BoundKey(), c.key) << int(c.refKey);
    }

    // The base caption, then a line with the written device.
    TLxBtn b;
    b.WriteDev.DevText = "M100";
    b.ReadDev.DevText = "D7";
    TBitmap basicSheet(200, 0);
    const int basic = b.PrePrnObjBasicInf(basicSheet, 0, 0);
    TBitmap sheet(200, 0);
    const int y = b.PrePrnObjInf(sheet, 0, 0);
    EXPECT_EQ(y, basic + sheet.Canvas()->TextHeight("Reference Device:M100"));
    EXPECT_EQ(sheet.Height(), basicSheet.Height() + std::abs(sheet.Canvas()->Font.Height()));
}

TEST(Btn, ExtremeValues)
{
    TLxBtn b;
    b.GridWidth = 3;
    b.GridHeight = 2;
    b.ObjSize = 2;
    Size(b, 1, 1);
    b.SetStateNum(255);
    b.SetSurface(3);
    b.SetBtnPt(254);
    b.SetBtnPt(-5);
    b.SetCurVal(0xFFFFFFFF);
    b.Picture.SetSize(0, 0);
    b.BmpRePaint();
    b.SetStateNum(0);
    b.GridWidth = 0;
    b.GridHeight = 0;
    b.ObjSize = 0;
    b.BmpRePaint();
    kes::Bytes page(8);
    b.PaintData(8, 8, page);
    EXPECT_EQ(b.TotalState, 0);
}
