// The value display and value entry write numbers the way the panel does (formats, zero
// fill, decimal point, cut to the digit count, with no limit on the text's length), draw
// their editor pattern of digit cells inside the frame, render the preview value with the
// panel glyphs into a page image, and print their device line.
#include "golden.h"
#include "objects/tlxgetval.h"
#include "objects/tlxval.h"
#include "objects/tmsgtxt.h"
#include "objects/trtc.h"
#include "objects/valformat.h"
#include "objtest.h"

#include <gtest/gtest.h>

#include <memory>

TEST(ValueText, FormatsAsThePanelShowsThem)
{
    struct Case {
        const char* name;
        std::uint32_t v;
        int type, len, intNum, decNum;
        bool zeroFill;
        std::string expected;
    } cases[] = {
        {"hexadecimal zero-filled", 255, 2, 0, 4, 0, true, "00FFH"},
        {"hexadecimal without fill", 255, 2, 0, 4, 0, false, "FFH"},
        {"hexadecimal cut to its digits", 0xABC, 2, 0, 2, 0, false, "BCH"},
        {"BCD: bare hexadecimal", 0x1234, 3, 0, 5, 0, false, "1234"},
        {"ASCII: bare hexadecimal", 0x4142, 4, 0, 4, 0, false, "4142"},
        {"binary up to the highest set bit", 5, 5, 0, 16, 0, false, "101B"},
        {"binary zero", 0, 5, 0, 16, 0, false, "0B"},
        {"binary only looks at the low word", 0x10000, 5, 1, 32, 0, false, "0B"},
        {"binary zero-filled, one word", 5, 5, 0, 16, 0, true, "0000000000000101B"},
        {"binary zero-filled, two words", 1, 5, 1, 32, 0, true, "00000000000000000000000000000001B"},
        {"signed zero has a plus", 0, 1, 0, 5, 0, false, "+0"},
        {"signed one-word -1", 0xFFFF, 1, 0, 5, 0, false, "-1"},
        {"one word ignores the high half", 0x1FFFF, 1, 0, 5, 0, false, "-1"},
        {"two-word 0xFFFF is positive", 0xFFFF, 1, 1, 5, 0, false, "+65535"},
        {"two-word most negative", 0x80000000u, 1, 1, 10, 0, false, "-2147483648"},
        {"decimal point, zero-filled", 1234, 0, 0, 3, 2, true, "012.34"},
        {"decimal point without fill", 1234, 0, 0, 3, 2, false, "12.34"},
        {"fewer digits than decimals", 5, 0, 0, 3, 2, false, "0.05"},
        {"cut to the last digits", 123456, 0, 0, 3, 0, false, "456"},
        {"signed with decimals", 0xFFF6, 1, 0, 2, 1, true, "-01.0"},
        {"no digits asked: one stays", 7, 0, 0, 0, 0, false, "7"},
        {"floating preview", 12345, 7, 1, 5, 0, false, "+1.234e+ 4"},
        {"floating preview of zero", 0, 7, 1, 5, 0, false, "+0.000e+ 0"},
        {"floating preview, sign bit", 0x80000000u, 7, 1, 5, 0, false, "-2.147e+ 9"},
        {"unused type reads as unsigned", 42, 6, 0, 5, 0, false, "42"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(kes::PanelValueText(c.v, c.type, c.len, c.intNum, c.decNum, c.zeroFill), c.expected) << c.name;

    // No fixed buffer: 255 + 255 zero-filled digits and the point.
    EXPECT_EQ(kes::PanelValueText(1, 0, 0, 255, 255, true).size(), 511u);
    EXPECT_EQ(kes::PanelValueText(1, 2, 0, 255, 0, true).size(), 256u);

    TLxVal display;
    display.ValType = kes::FormatCode(kes::ValFormat::Hex);
    display.IntNum = 4;
    display.HZero = 2;
    EXPECT_EQ(display.ValToStr(255), "00FFH");
    TLxGetVal entry;
    entry.ValType = kes::FormatCode(kes::ValFormat::Hex);
    entry.IntNum = 4;
    entry.ShowFlags = 2;
    EXPECT_EQ(entry.ValToStr(255), "FFH"); // the entry never fills with zeros
}

TEST(ValueDisplay, NewObjectsAndTheirPatterns)
{
    TLxVal display;
    EXPECT_EQ(display.ObjType, 2);
    EXPECT_EQ(display.DevAddrCode, 4096);
    EXPECT_EQ(display.DevText, "D0");
    EXPECT_EQ(display.RefDevForm, 1);
    EXPECT_EQ(display.RefStation, 1);
    EXPECT_EQ(display.IntNum, 5);
    EXPECT_EQ(display.VPos, 2);
    EXPECT_EQ(display.HPos, 0);
    EXPECT_EQ(display.fontsize, 0);
    EXPECT_EQ(display.CellWidth, 5);
    display.BmpRePaint();
    EXPECT_TRUE(golden::Matches(display.Picture, "tlxval_new"));

    TLxGetVal entry;
    EXPECT_EQ(entry.ObjType, 20);
    EXPECT_EQ(entry.WriteDev.DevAddrCode, 4096);
    EXPECT_EQ(entry.ReadDev.DevAddrCode, -1);
    EXPECT_EQ(entry.NotifyDev.DevAddrCode, -1);
    EXPECT_EQ(entry.NotifyDev.DevText, "D0");
    EXPECT_EQ(entry.RefKey, 255);
    EXPECT_EQ(entry.PassText, (std::array<std::uint8_t, 4>{255, 255, 255, 255}));
    EXPECT_EQ(entry.ValMax, 0xFFFF);
    EXPECT_EQ(entry.Surface, 1);
    EXPECT_EQ(entry.HPos, 2);
    entry.BmpRePaint();
    EXPECT_TRUE(golden::Matches(entry.Picture, "tlxgetval_new"));

    // Blinking draws as no option at all.
    TLxVal blink;
    blink.HZero = 1;
    blink.BmpRePaint();
    EXPECT_TRUE(blink.Picture.Image() == display.Picture.Image());
}

TEST(ValueDisplay, NonDefaultPatterns)
{
    TLxVal signedFill;
    signedFill.Picture.SetSize(60, 16);
    objtest::Place(signedFill, 0, 0, 60, 16);
    signedFill.ValType = kes::FormatCode(kes::ValFormat::Signed);
    signedFill.IntNum = 3;
    signedFill.DecNum = 2;
    signedFill.HZero = 2;
    signedFill.HPos = 2;
    signedFill.ObjFrame = 1;
    signedFill.BmpRePaint();
    EXPECT_TRUE(golden::Matches(signedFill.Picture, "tlxval_signed_3_2_zero_fill"));

    TLxGetVal entry;
    entry.Picture.SetSize(128, 24);
    objtest::Place(entry, 0, 0, 128, 24, 1, 2, 1);
    entry.FontSet(1);
    entry.ObjFrame = 2;
    entry.IntNum = 2;
    entry.DecNum = 1;
    entry.ValType = kes::FormatCode(kes::ValFormat::Float);
    entry.VPos = 1;
    entry.HPos = 1;
    entry.BmpRePaint();
    EXPECT_TRUE(golden::Matches(entry.Picture, "tlxgetval_float_bottom_right_grid2x1"));

    // Cells wider than the area: only the frame.
    TLxVal wide;
    wide.IntNum = 30;
    wide.HZero = 2;
    wide.ObjFrame = 1;
    wide.BmpRePaint();
    TLxVal frameOnly;
    frameOnly.ObjFrame = 1;
    frameOnly.ObjFramePaint();
    EXPECT_TRUE(wide.Picture.Image() == frameOnly.Picture.Image());
}

TEST(ValueDisplay, PageImageShowsThePreviewValue)
{
    TLxVal display;
    objtest::Place(display, 8, 0, 48, 16);
    display.CurVal = 1234;
    display.ObjFrame = 1;
    display.HPos = 1;
    display.VPos = 0;
    display.BmpRePaint();
    const QImage editor = display.Picture.Image();
    std::vector<std::uint8_t> page(64 * 2);
    display.PaintData(64, 16, page);
    TBitmap out(64, 16);
    TLxObj::DataToBmp(out, page);
    EXPECT_TRUE(golden::Matches(out, "tlxval_page_1234_right_top"));
    EXPECT_TRUE(display.Picture.Image() == editor); // the editor picture is kept

    TLxGetVal entry;
    objtest::Place(entry, 0, 8, 64, 32, 2, 1, 1);
    entry.FontSet(2);
    entry.ValType = kes::FormatCode(kes::ValFormat::Signed);
    entry.CurVal = 0xFFF6;
    std::vector<std::uint8_t> page2(64 * 4);
    entry.PaintData(64, 32, page2);
    TBitmap out2(64, 32);
    TLxObj::DataToBmp(out2, page2);
    EXPECT_TRUE(golden::Matches(out2, "tlxgetval_page_minus10_centred_zoom2"));
}

TEST(ValueDisplay, ExtremeFieldsDoNotCrash)
{
    for (int type : {0, 1, 2, 5, 7, 9, 255})
        for (auto [w, h] : {std::pair{0, 0}, std::pair{1, 1}, std::pair{5, 5}, std::pair{9, 9}}) {
            TLxVal v;
            TLxGetVal e;
            for (TLxObj* o : {static_cast<TLxObj*>(&v), static_cast<TLxObj*>(&e)}) {
                o->Picture.SetSize(w, h);
                objtest::Place(*o, -3, -3, w, h, 1, 0, 3);
                o->ObjFrame = 3;
                o->fontsize = 9;
            }
            v.ValType = e.ValType = static_cast<std::uint8_t>(type);
            v.IntNum = e.IntNum = 255;
            v.DecNum = e.DecNum = 255;
            v.HZero = 2;
            v.HPos = e.HPos = 200;
            e.VPos = 200;
            v.CurVal = e.CurVal = 0xFFFFFFFFu;
            std::vector<std::uint8_t> page(8);
            for (TLxObj* o : {static_cast<TLxObj*>(&v), static_cast<TLxObj*>(&e)}) {
                o->BmpRePaint();
                o->PaintData(8, 8, page);
            }
        }
}

TEST(DevicePrintLine, FollowsTheBasicCaption)
{
    auto display = std::make_unique<TLxVal>();
    auto entry = std::make_unique<TLxGetVal>();
    auto message = std::make_unique<TMsgTxt>();
    auto clock = std::make_unique<TRtc>();
    entry->WriteDev.DevText = "D100";
    entry->ReadDev.DevText = "R5";
    message->DevText = "M7";
    struct Case {
        TLxObj* obj;
        std::string device;
    } cases[] = {{display.get(), "D0"}, {entry.get(), "D100"}, {message.get(), "M7"}, {clock.get(), ""}};
    for (const Case& c : cases) {
        TBitmap page(200, 10);
        TBitmap basic(200, 10);
        const int y1 = c.obj->PrePrnObjBasicInf(basic, 0, 10);
        const int y = c.obj->PrePrnObjInf(page, 0, 10);
        const std::string line = "Reference Device:" + c.device;
        EXPECT_EQ(y, y1 + page.Canvas()->TextHeight(line)) << c.device;
        EXPECT_EQ(page.Height(), basic.Height() + std::abs(page.Canvas()->Font.Height())) << c.device;
        TBitmap expected(basic);
        expected.SetHeight(page.Height());
        expected.Canvas()->TextOut(0, y1, line);
        EXPECT_TRUE(expected.Image() == page.Image()) << c.device;
    }
}
