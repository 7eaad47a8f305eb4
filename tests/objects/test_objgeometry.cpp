// An object's three coordinate spaces stay consistent: the 14-byte record header turns
// screen pixels into panel pixels with left-to-right integer division (the same bytes into
// a buffer or a file, never touching the length and style bytes), reads back into the same
// box, and the size setters and zoom keep their minimums and truncation.
#include "objtest.h"

#include <array>
#include <cstdio>
#include <gtest/gtest.h>

using objtest::TTestObj;

namespace {

struct HeaderCase {
    const char* name;
    int zoom, gw, gh;
    int left, top, width, height;
    int pointSize;
    int hLeft, hTop, hRight, hBottom;
};

const HeaderCase kHeaderCases[] = {
    {"zoom 2", 2, 1, 1, 96, 32, 48, 16, 8, 48, 16, 71, 23},
    {"grid 2 x 1", 1, 2, 1, 10, 0, 20, 8, 10, 5, 0, 14, 7},
    {"zoom 4, grid 2 x 2, truncating", 4, 2, 2, 13, 27, 35, 21, 6, 1, 3, 5, 5},
    {"past the left and top edges", 1, 1, 1, -4, -2, 10, 6, 7, -4, -2, 5, 3},
};

void Place(TTestObj& obj, const HeaderCase& c)
{
    objtest::Place(obj, c.left, c.top, c.width, c.height, c.zoom, c.gw, c.gh);
    obj.Picture.Canvas()->Font.Size = c.pointSize;
}

std::array<std::uint8_t, 14> Expected(const HeaderCase& c, std::uint8_t fill)
{
    std::array<std::uint8_t, 14> e;
    e.fill(fill);
    auto put = [&](int off, int v) {
        e[off] = static_cast<std::uint8_t>(static_cast<std::uint16_t>(v) >> 8);
        e[off + 1] = static_cast<std::uint8_t>(v);
    };
    put(0, 9);
    put(4, c.hLeft);
    put(6, c.hTop);
    put(8, c.hRight);
    put(10, c.hBottom);
    e[13] = static_cast<std::uint8_t>(c.pointSize);
    return e;
}

} // namespace

TEST(ObjHeader, WritesPanelBoxIntoBufferAndFileAlike)
{
    for (const HeaderCase& c : kHeaderCases) {
        TTestObj obj(9);
        Place(obj, c);
        const auto expected = Expected(c, 0xAA);

        // In place: bytes 2-3 (length) and 12 (style) keep what the caller put there.
        std::array<std::uint8_t, 16> buf;
        buf.fill(0xAA);
        EXPECT_EQ(obj.BaseObjDataChx(std::span<std::uint8_t>(buf)), 14) << c.name;
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(), buf.begin())) << c.name;
        EXPECT_EQ(buf[14], 0xAA) << c.name;

        // Into a file at a position: the same bytes, the rest of the file untouched.
        std::FILE* f = std::tmpfile();
        ASSERT_NE(f, nullptr);
        const std::array<std::uint8_t, 24> pad = [] {
            std::array<std::uint8_t, 24> p;
            p.fill(0xAA);
            return p;
        }();
        ASSERT_EQ(std::fwrite(pad.data(), 1, pad.size(), f), pad.size());
        EXPECT_EQ(obj.BaseObjTempChx(f, 5), 14) << c.name;
        std::array<std::uint8_t, 24> back{};
        std::rewind(f);
        ASSERT_EQ(std::fread(back.data(), 1, back.size(), f), back.size());
        std::fclose(f);
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(), back.begin() + 5)) << c.name;
        EXPECT_EQ(back[4], 0xAA) << c.name;
        EXPECT_EQ(back[19], 0xAA) << c.name;
    }
}

TEST(ObjHeader, GrowableBufferAndShortSpans)
{
    TTestObj obj(3);
    obj.Width = 16;
    obj.Height = 16;
    obj.Picture.Canvas()->Font.Size = 8;

    kes::Bytes buf{1, 2, 3};
    EXPECT_EQ(obj.BaseObjDataChx(buf, 3), 14);
    ASSERT_EQ(buf.size(), 17u);
    EXPECT_EQ(buf[3 + 1], 3);  // kind
    EXPECT_EQ(buf[3 + 2], 0);  // length not written: the zero fill
    EXPECT_EQ(buf[3 + 9], 15); // right
    EXPECT_EQ(buf[3 + 13], 8); // point size

    std::array<std::uint8_t, 13> small;
    small.fill(0x55);
    EXPECT_EQ(obj.BaseObjDataChx(std::span<std::uint8_t>(small)), 0);
    EXPECT_TRUE(std::all_of(small.begin(), small.end(), [](std::uint8_t b) { return b == 0x55; }));

    EXPECT_EQ(obj.BaseObjTempChx(nullptr, 0), 0);
}

TEST(ObjHeader, ReadsBackTheSameBox)
{
    for (const HeaderCase& c : kHeaderCases) {
        TTestObj writer(9);
        Place(writer, c);
        std::array<std::uint8_t, 14> rec{};
        ASSERT_EQ(writer.BaseObjDataChx(std::span<std::uint8_t>(rec)), 14);

        TTestObj reader(0);
        reader.ObjSize = c.zoom;
        reader.GridWidth = c.gw;
        reader.GridHeight = c.gh;
        EXPECT_EQ(reader.DataToBaseObj(rec), 14) << c.name;
        EXPECT_EQ(reader.ObjType, 9) << c.name;
        const int px = c.zoom * c.gw;
        const int py = c.zoom * c.gh;
        EXPECT_EQ(reader.Left, c.hLeft * px) << c.name;
        EXPECT_EQ(reader.Top, c.hTop * py) << c.name;
        EXPECT_EQ(reader.Width, (c.hRight + 1) * px - reader.Left) << c.name;
        EXPECT_EQ(reader.Height, (c.hBottom + 1) * py - reader.Top) << c.name;
        EXPECT_EQ(reader.Picture.Width(), reader.Width / c.zoom) << c.name;
        EXPECT_EQ(reader.Picture.Height(), reader.Height / c.zoom) << c.name;
        EXPECT_EQ(reader.Picture.Canvas()->Font.Size, c.pointSize) << c.name;

        // Written again, the box gives the same bytes.
        std::array<std::uint8_t, 14> again{};
        reader.BaseObjDataChx(std::span<std::uint8_t>(again));
        EXPECT_EQ(again, rec) << c.name;
    }
}

TEST(ObjHeader, ShortRecordChangesNothing)
{
    TTestObj obj(5);
    obj.Left = 7;
    const std::array<std::uint8_t, 13> rec{0, 1, 0, 20, 0, 3, 0, 3, 0, 9, 0, 9, 0};
    EXPECT_EQ(obj.DataToBaseObj(rec), 0);
    EXPECT_EQ(obj.ObjType, 5);
    EXPECT_EQ(obj.Left, 7);
}

TEST(ObjHeader, ByteHelpers)
{
    const std::uint8_t src[4] = {1, 2, 3, 4};
    std::uint8_t dst[4] = {};
    TLxObj::ByteSwap(dst, src, 4);
    EXPECT_EQ(dst[0], 4);
    EXPECT_EQ(dst[3], 1);

    std::FILE* f = std::tmpfile();
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(TLxObj::TempRecord(f, 2, src, 4, true));
    EXPECT_TRUE(TLxObj::TempRecord(f, 0, src, 2, false));
    std::uint8_t back[6] = {};
    std::rewind(f);
    ASSERT_EQ(std::fread(back, 1, 6, f), 6u);
    std::fclose(f);
    const std::uint8_t expected[6] = {1, 2, 4, 3, 2, 1};
    EXPECT_TRUE(std::equal(std::begin(back), std::end(back), std::begin(expected)));
}

TEST(ObjGeometry, SizeSettersKeepOnePanelPixel)
{
    struct Case {
        const char* name;
        int zoom, gw, gh, request;
        int width, height;
    } cases[] = {
        {"1 at zoom 4", 4, 1, 2, 1, 4, 8},
        {"0 at zoom 1", 1, 1, 1, 0, 1, 1},
        {"negative", 2, 3, 1, -5, 6, 2},
        {"larger stays", 2, 1, 1, 33, 33, 33},
    };
    for (const Case& c : cases) {
        TTestObj obj;
        obj.ObjSize = c.zoom;
        obj.GridWidth = c.gw;
        obj.GridHeight = c.gh;
        obj.SizeSetsPicture = true;
        obj.SetWidth(c.request);
        obj.SetHeight(c.request);
        EXPECT_EQ(obj.Width, c.width) << c.name;
        EXPECT_EQ(obj.OWidth, c.width) << c.name;
        EXPECT_EQ(obj.Height, c.height) << c.name;
        EXPECT_EQ(obj.OHeight, c.height) << c.name;
        EXPECT_EQ(obj.Picture.Width(), c.width / c.zoom) << c.name;
        EXPECT_EQ(obj.Picture.Height(), c.height / c.zoom) << c.name;
    }

    TTestObj fixedPicture;
    fixedPicture.Picture.SetSize(3, 3);
    fixedPicture.SetWidth(40);
    EXPECT_EQ(fixedPicture.Picture.Width(), 3);
}

TEST(ObjGeometry, ZoomRescalesWithTruncation)
{
    TTestObj obj;
    obj.Left = 10;
    obj.Top = 7;
    obj.OWidth = 33;
    obj.OHeight = 16;
    obj.Picture.SetSize(5, 5);

    obj.SetObjSize(2);
    EXPECT_EQ(obj.Left, 20);
    EXPECT_EQ(obj.Top, 14);
    EXPECT_EQ(obj.Width, 66);
    EXPECT_EQ(obj.Height, 32);
    EXPECT_EQ(obj.ObjSize, 2);

    obj.OWidth = 33;
    obj.Top = 15;
    obj.SetObjSize(1);
    EXPECT_EQ(obj.OWidth, 16);
    EXPECT_EQ(obj.Width, 16);
    EXPECT_EQ(obj.Top, 7);
    EXPECT_EQ(obj.Left, 10);
    EXPECT_EQ(obj.Picture.Width(), 5); // the picture is not touched

    const std::array<TPoint, 4> corners{TPoint{10, 7}, TPoint{26, 7}, TPoint{26, 23}, TPoint{10, 23}};
    EXPECT_EQ(obj.SelCorners, corners);

    obj.SetObjSize(0); // a zoom of 0 would make every later division fail
    EXPECT_EQ(obj.ObjSize, 1);
    EXPECT_EQ(obj.Width, 16);
}

TEST(ObjGeometry, LocationTextsInPanelPixels)
{
    TTestObj obj;
    objtest::Place(obj, 41, 12, 36, 20, 2, 2, 1);
    EXPECT_EQ(obj.GetObjLocate(), "(10,6)");
    EXPECT_EQ(obj.GetObjSize(), "(9,10)");
    EXPECT_EQ(obj.GetObjLocateSize(), "(X,Y)=(10,6),(W,H)=(9,10)");
}
