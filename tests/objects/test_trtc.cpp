// The clock picks its sample picture by format and panel font and places it inside its
// frame; every sample is whole panel-font cells wide. The unit symbol takes its picture
// from quantity and index, every symbol of every quantity exists within 28 x 14, and a
// symbol that does not exist shows blank.
#include "golden.h"
#include "objects/lxfont.h"
#include "objects/lxpictures.h"
#include "objects/tmetrol.h"
#include "objects/trtc.h"
#include "objtest.h"

#include <gtest/gtest.h>

TEST(Clock, SampleNamesAndSizes)
{
    struct Case {
        std::uint8_t format;
        int font;
        const char* name;
        int w, h;
    } cases[] = {
        {0x00, 0, "HHMMSS_805", 40, 8},   {0x00, 1, "HHMMSS_808", 64, 8},     {0x20, 2, "HHMMSS_1208", 64, 12},
        {0x00, 3, "HHMMSS_1608", 64, 16}, {0x01, 0, "SUN_805", 15, 8},        {0x01, 1, "SUN_808", 24, 8},
        {0x11, 2, "SUN_1208", 24, 12},    {0x01, 3, "SUN_1608", 24, 16},      {0x02, 0, "YYYYMMSS_805", 50, 8},
        {0x05, 1, "YYYYMMSS_808", 80, 8}, {0x0F, 2, "YYYYMMSS_1208", 80, 12}, {0x02, 3, "YYYYMMSS_1608", 80, 16},
    };
    for (const Case& c : cases) {
        TRtc r;
        r.Picture.SetSize(100, 20);
        r.FontSet(c.font);
        r.RtcFormat = c.format;
        r.BmpRePaint();
        EXPECT_EQ(r.RtcPicName, c.name);
        const TBitmap sample = kes::BuiltinPicture(c.name);
        EXPECT_EQ(sample.Width(), c.w) << c.name;
        EXPECT_EQ(sample.Height(), c.h) << c.name;
    }
    // The samples are the panel's own glyphs.
    TBitmap time;
    PanelTextDraw(time, 0, "12:00:00");
    EXPECT_TRUE(kes::BuiltinPicture("HHMMSS_805").Image() == time.Image());
}

TEST(Clock, NewObjectAndPlacement)
{
    TRtc r;
    EXPECT_EQ(r.ObjType, 16);
    EXPECT_EQ(r.DevAddrCode, 4096);
    EXPECT_EQ(r.RtcOpt1, 2);
    EXPECT_EQ(r.fontsize, 0);
    EXPECT_EQ(r.Width, 20);
    EXPECT_EQ(r.RtcPicName, "HHMMSS_805");
    EXPECT_TRUE(golden::Matches(r.Picture, "trtc_new"));

    struct Case {
        const char* name;
        std::uint8_t frame, align;
        int x, y;
    } cases[] = {
        {"double frame, left: offset 3, top 3 + (7 - 4)", 2, 0, 3, 6},
        {"double frame, right", 2, 1, 50 - 3 - 40 - 1, 6},
        {"centred, no frame", 0, 2, 5, 6},
        {"unknown alignment: top left corner", 1, 7, 0, 0},
        {"thin frame", 5, 0, 1, 1 + (9 - 4)},
    };
    for (const Case& c : cases) {
        TRtc clock;
        clock.Picture.SetSize(50, 20);
        clock.ObjFrame = c.frame;
        clock.RtcAlign = c.align;
        clock.BmpRePaint();
        TRtc expected;
        expected.Picture.SetSize(50, 20);
        expected.BmpClear();
        const TBitmap sample = kes::BuiltinPicture("HHMMSS_805");
        BitBlt(*expected.Picture.Canvas(), c.x, c.y, 40, 8, *sample.Canvas(), 0, 0, SRCCOPY);
        expected.ObjFrame = c.frame;
        expected.ObjFramePaint();
        EXPECT_TRUE(clock.Picture.Image() == expected.Picture.Image()) << c.name;
    }
}

TEST(Clock, NonDefaultLookAndExtremes)
{
    TRtc r;
    r.Picture.SetSize(60, 20);
    objtest::Place(r, 0, 0, 60, 20, 1, 2, 1);
    r.FontSet(3);
    r.RtcFormat = 0x21;
    r.RtcAlign = 2;
    r.ObjFrame = 1;
    r.BmpRePaint();
    EXPECT_EQ(r.RtcPicName, "SUN_1608");
    EXPECT_TRUE(golden::Matches(r.Picture, "trtc_sun_1608_centred_grid2x1"));

    for (auto [w, h] : {std::pair{0, 0}, std::pair{1, 1}, std::pair{6, 6}}) {
        TRtc x;
        x.Picture.SetSize(w, h);
        x.fontsize = -5;
        x.ObjFrame = 3;
        x.GridWidth = 0;
        x.BmpRePaint();
        std::vector<std::uint8_t> page(8);
        x.PaintData(8, 8, page);
    }
}

TEST(UnitSymbol, NamesFromQuantityAndIndex)
{
    TMetrol m;
    EXPECT_EQ(m.ObjType, 19);
    EXPECT_FALSE(m.SizeSetsPicture);
    EXPECT_EQ(m.MetrolPicName, "SLENGTH_1");
    EXPECT_TRUE(golden::Matches(m.Picture, "tmetrol_new"));
    EXPECT_EQ(m.Width, m.Picture.Width());

    m.MetrolTypeSet(6);
    m.MetrolIndexSet(1);
    EXPECT_EQ(m.MetrolPicName, "STEMP_2");
    m.MetrolTypeSet(7); // unknown quantity keeps the prefix
    EXPECT_EQ(m.MetrolType, 7);
    EXPECT_EQ(m.MetrolPicName, "STEMP_2");
    m.MetrolTypeSet(3);
    EXPECT_EQ(m.MetrolPicName, "SWEIGHT_2");
}

TEST(UnitSymbol, EverySymbolExistsAndFits)
{
    const char* prefixes[] = {"SLENGTH", "SSQUARE", "SCUBIC", "SWEIGHT", "SSPD", "STIME", "STEMP"};
    int total = 0;
    for (int t = 0; t < 7; ++t) {
        for (int i = 0; i < TMetrol::kSymbolCounts[t]; ++i) {
            const std::string name = std::string(prefixes[t]) + "_" + std::to_string(i + 1);
            const TBitmap pic = kes::BuiltinPicture(name);
            EXPECT_FALSE(pic.Empty()) << name;
            EXPECT_LE(pic.Width(), 28) << name;
            EXPECT_LE(pic.Height(), 14) << name;
            ++total;
        }
        EXPECT_FALSE(
            kes::HasBuiltinPicture(std::string(prefixes[t]) + "_" + std::to_string(TMetrol::kSymbolCounts[t] + 1)));
    }
    EXPECT_EQ(total, 31);
}

TEST(UnitSymbol, RepaintAtGridAndMissingSymbols)
{
    TMetrol m;
    objtest::Place(m, 0, 0, 10, 10, 2, 2, 1);
    m.MetrolType = 6;
    m.MetrolIndex = 0;
    m.BmpRePaint();
    const TBitmap symbol = kes::BuiltinPicture("STEMP_1");
    EXPECT_EQ(m.Picture.Width(), symbol.Width() * 2);
    EXPECT_EQ(m.Picture.Height(), symbol.Height());
    EXPECT_EQ(m.Width, symbol.Width() * 4);
    EXPECT_EQ(m.Height, symbol.Height() * 2);
    EXPECT_TRUE(golden::Matches(m.Picture, "tmetrol_celsius_grid2x1"));

    struct Case {
        int type, index;
    } missing[] = {{0, 7}, {6, 2}, {1, -1}, {3, 2147483647}, {99, 7}};
    for (const Case& c : missing) {
        TMetrol x;
        objtest::FakeHost host;
        x.SetHost(&host);
        const int w = x.Picture.Width();
        x.MetrolType = c.type;
        x.MetrolIndex = c.index;
        x.BmpRePaint();
        EXPECT_EQ(x.Picture.Width(), w) << c.type << " " << c.index;
        EXPECT_EQ(kes::PictureToText(x.Picture).find('#'), std::string::npos) << c.type << " " << c.index;
        std::vector<std::uint8_t> page(32);
        x.PaintData(32, 8, page);
    }
}
