// A round meter labels its 300-degree (or full-circle) scale from the lower left round to
// the lower right in the chosen number format, points its needle at the value limited to
// the range, and stays sane when a record gives fewer than 2 numbered ticks or a range of
// one value or upside down (the needle then rests at the start of the scale).
#include "objects/tcirmeter.h"

#include "golden.h"
#include "objtest.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

// Bounding box of the pixels that differ between two pictures of one size.
TRect Changed(const TBitmap& a, const TBitmap& b)
{
    TRect box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.Canvas()->Pixel(x, y) != b.Canvas()->Pixel(x, y)) {
                box.Left = std::min(box.Left, x);
                box.Top = std::min(box.Top, y);
                box.Right = std::max(box.Right, x + 1);
                box.Bottom = std::max(box.Bottom, y + 1);
            }
    return box;
}

// Where the needle for v lies: the difference between the dial with and without it.
TRect Needle(TCirMeter& m, std::uint32_t v)
{
    m.BmpRePaint();
    const TBitmap dial(m.Picture);
    m.MeterPoint(v);
    return Changed(dial, m.Picture);
}

} // namespace

TEST(TCirMeter, NewDial)
{
    TCirMeter m;
    EXPECT_EQ(m.ObjType, 9);
    EXPECT_EQ(m.DevAddrCode, 4096);
    EXPECT_EQ(m.DevText, "D0");
    EXPECT_EQ(m.RefDevForm, 1);
    EXPECT_EQ(m.RefStation, 1);
    EXPECT_EQ(m.MeterMax, 100u);
    EXPECT_EQ(m.MajorTicks, 3);
    EXPECT_EQ(m.LabelIntDigits, 3);
    EXPECT_TRUE(m.UnscaledPaint);
    EXPECT_FALSE(m.SizeSetsPicture);
    EXPECT_EQ(m.fontsize, 0);
    EXPECT_EQ(m.DialRadius, 25);
    m.MeterPoint(0);
    // 0 at the lower left, 50 at the top, 100 at the lower right; the needle to the lower left.
    EXPECT_TRUE(golden::Matches(m.Picture, "tcirmeter_default"));
}

TEST(TCirMeter, NeedlePointsAtTheValueWithinTheRange)
{
    struct Case {
        const char* name;
        std::uint32_t min, max, value;
        bool left, below; // the needle lies left of the centre / below it
    } cases[] = {
        {"minimum: lower left", 0, 100, 0, true, true},
        {"middle: top", 0, 100, 50, false, false},
        {"maximum: lower right", 0, 100, 100, false, true},
        {"past the maximum: as the maximum", 0, 100, 150, false, true},
        {"below the minimum: as the minimum", 20, 100, 5, true, true},
        {"a range of one value: the start", 7, 7, 7, true, true},
        {"upside down: the start", 100, 0, 50, true, true},
    };
    for (const Case& c : cases) {
        TCirMeter m;
        m.MeterMin = c.min;
        m.MeterMax = c.max;
        const TRect box = Needle(m, c.value);
        EXPECT_EQ(m.CurVal, c.value) << c.name;
        ASSERT_LT(box.Left, box.Right) << c.name;
        if (c.left)
            EXPECT_LE(box.Right, 26) << c.name;
        else
            EXPECT_GE(box.Right, 26) << c.name;
        if (c.below)
            EXPECT_GE(box.Top, 25) << c.name;
        else
            EXPECT_LE(box.Bottom, 26) << c.name;
    }

    TCirMeter past;
    past.MeterPoint(150);
    TCirMeter at;
    at.MeterPoint(100);
    EXPECT_EQ(kes::PictureToText(past.Picture), kes::PictureToText(at.Picture));
}

TEST(TCirMeter, LabelTexts)
{
    struct Case {
        std::uint32_t v;
        int type, wide, decimals;
        std::string text;
    } cases[] = {
        {5, 0, 0, 2, "0.05"},
        {1234, 0, 0, 2, "12.34"},
        {0, 0, 0, 2, "0.00"},
        {123, 0, 0, 0, "123"},
        {4294967295u, 0, 0, 0, "4294967295"},
        {0xFFF6, 1, 0, 0, "-10"},
        {0xFFFFFFF6u, 1, 1, 0, "-10"},
        {0xFFFFFFF6u, 1, 0, 1, "-1.0"},
        {0xFFFB, 1, 0, 1, "-0.5"},
        {255, 2, 0, 0, "FF"},
        {0, 2, 0, 0, "0"},
        {0x1234, 3, 0, 1, "466.0"},
        {42, 9, 0, 0, "42"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TCirMeter::ValTypeToIntDecString(c.v, c.type, c.wide, 3, c.decimals), c.text)
            << c.v << " type " << c.type;
    EXPECT_EQ(TCirMeter::ValTypeToString(1234, 0, 0), "1234");
}

TEST(TCirMeter, TextsToValues)
{
    struct Case {
        const char* text;
        int type;
        int value;
    } cases[] = {
        {"123", 0, 123}, {"4294967295", 0, -1}, {"-15", 1, -15}, {"1aZ", 2, 0x1A}, {"ff", 3, 0xFF}, {"12", 5, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TCirMeter::StrToValType(c.text, c.type), c.value) << c.text;
    EXPECT_EQ(TCirMeter::StrToIntDecValType("12.34", 0, 2), 1234);
    EXPECT_EQ(TCirMeter::StrToIntDecValType("1.F", 2, 1), 0x1F);
}

// A full circle of 5 numbered ticks writes 4 numbers (the fifth would cover the first),
// with two decimals, and its needle at 75.
TEST(TCirMeter, FullCircleGolden)
{
    TCirMeter m;
    m.FullCircle = 1;
    m.MajorTicks = 5;
    m.MinorTicks = 1;
    m.MeterMax = 400;
    m.LabelDecimals = 2;
    m.Picture.SetSize(60, 60);
    m.MeterPoint(75);
    EXPECT_TRUE(golden::Matches(m.Picture, "tcirmeter_full"));
}

TEST(TCirMeter, PaintStretchesThePictureOverTheControl)
{
    TCirMeter m;
    m.Selected = false;
    m.ObjSize = 2;
    m.Width = 100;
    m.Height = 100;
    TBitmap page(100, 100);
    TCanvas view(&page.Image(), TPoint{0, 0}, Rect(0, 0, 100, 100));
    m.Paint(view);
    for (int y = 0; y < 100; y += 7)
        for (int x = 0; x < 100; x += 3)
            ASSERT_EQ(page.Canvas()->Pixel(x, y), m.Picture.Canvas()->Pixel(x / 2, y / 2)) << x << "," << y;

    // The page image shows the needle for CurVal.
    m.CurVal = 100;
    m.ObjSize = 1;
    m.Width = 50;
    m.Height = 50;
    std::vector<std::uint8_t> bands(56 * 7, 0);
    m.PaintData(56, 56, bands);
    TBitmap image(56, 56);
    TLxObj::DataToBmp(image, bands);
    TCirMeter at;
    at.MeterPoint(100);
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 50; ++x)
            ASSERT_EQ(image.Canvas()->Pixel(x, y) == clBlack, at.Picture.Canvas()->Pixel(x, y) == clBlack)
                << x << "," << y;
}

TEST(TCirMeter, ExtremeValuesDoNotCrash)
{
    // The most ticks a record can ask for, once (65,000 lines take a while).
    TCirMeter most;
    most.MajorTicks = 255;
    most.MinorTicks = 255;
    most.BmpRePaint();

    struct Case {
        int major, minor, decimals;
    } counts[] = {{0, 0, 0}, {1, 255, 0}, {2, 0, 255}};
    for (int full : {0, 1}) {
        for (const Case& n : counts) {
            TCirMeter m;
            m.FullCircle = static_cast<std::uint8_t>(full);
            m.MajorTicks = static_cast<std::uint8_t>(n.major);
            m.MinorTicks = static_cast<std::uint8_t>(n.minor);
            m.LabelDecimals = static_cast<std::uint8_t>(n.decimals);
            m.ValType = 0xFF;
            m.MeterMin = UINT_MAX;
            m.MeterMax = 0;
            m.MeterPoint(UINT_MAX);
            m.MeterMax = m.MeterMin;
            std::vector<std::uint8_t> bands(8);
            m.PaintData(8, 8, bands);
            for (auto [w, h] : {std::pair{1, 1}, std::pair{3, 1}, std::pair{0, 0}}) {
                m.Picture.SetSize(w, h);
                m.MeterPoint(5);
            }
            EXPECT_EQ(m.CurVal, 5u);
        }
    }
}
