// A rectangular meter draws its button-face panel with a quarter-circle scale, keeps the
// needle as state that Paint draws over the face (red, not-xor), moves it with a short
// sweep that never holds the editor for long and ends where a plain move would, and stays
// sane for ranges of one value, upside-down ranges and fewer than 2 numbered ticks.
#include "objects/trectmeter.h"

#include "cputime.h"
#include "golden.h"
#include "objtest.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cmath>
#include <numbers>
#include <vector>

using objtest::FakeHost;

namespace {

constexpr double kPi = std::numbers::pi;

// The control painted on a white page: the face, the needle, no handles.
TBitmap Painted(TRectMeter& m)
{
    m.Selected = false;
    TBitmap page(m.Width, m.Height);
    TCanvas view(&page.Image(), TPoint{0, 0}, Rect(0, 0, m.Width, m.Height));
    m.Paint(view);
    return page;
}

bool Reddish(TColor c) { return (c & 0xFF) >= 0x80 && ((c >> 16) & 0xFF) < 0x80; }

} // namespace

TEST(TRectMeter, NewMeterAndItsFace)
{
    TRectMeter m;
    EXPECT_EQ(m.ObjType, 10);
    EXPECT_EQ(m.DevAddrCode, 4096);
    EXPECT_EQ(m.DevText, "D0");
    EXPECT_EQ(m.RefDevForm, 1);
    EXPECT_EQ(m.NeedleDelay, 20);
    EXPECT_EQ(m.NeedleShown, 0);
    EXPECT_EQ(m.Picture.Width(), 70);
    EXPECT_EQ(m.Picture.Height(), 35);
    // Radius (70 - 8) / 2; the circle's box starts at y 2 + ((35 - 6) / 2) x 6 / 4 = 23 and
    // is 62 high, so the pivot is at (35, 54), below the picture.
    EXPECT_EQ(m.NeedleLen, 31);
    EXPECT_EQ(m.PivotX, 35);
    EXPECT_EQ(m.PivotY, 54);
    EXPECT_DOUBLE_EQ(m.MajorAngle, kPi / 4);
    EXPECT_DOUBLE_EQ(m.MinorAngle, kPi / 12);
    EXPECT_EQ(m.Picture.Canvas()->Pixel(1, 1), clBtnFace);
    EXPECT_TRUE(golden::Matches(m.Picture, "trectmeter_default"));
}

TEST(TRectMeter, NeedleAngles)
{
    struct Case {
        const char* name;
        int min, max, value;
        double angle;
    } cases[] = {
        {"minimum", 0, 100, 0, kPi / 4},
        {"middle", 0, 100, 50, kPi / 2},
        {"maximum", 0, 100, 100, 3 * kPi / 4},
        {"past the maximum", 0, 100, 500, 3 * kPi / 4},
        {"below the minimum", -50, 50, -900, kPi / 4},
        {"a range of one value", 5, 5, 5, kPi / 4},
        {"upside down", 100, 0, 50, kPi / 4},
        {"limits far apart", INT_MIN, INT_MAX, INT_MAX, 3 * kPi / 4},
    };
    for (const Case& c : cases) {
        TRectMeter m;
        m.MeterMin = c.min;
        m.MeterMax = c.max;
        EXPECT_NEAR(m.NeedleAngle(c.value), c.angle, 1e-9) << c.name;
    }
}

// Paint puts a red needle from the scale towards the pivot, scaled to the control: at the
// minimum it leans to the upper left, at the maximum to the upper right. (On the default
// 70 x 35 face the pivot lies below the picture, so only the needle's tip shows.)
TEST(TRectMeter, PaintDrawsTheNeedleFromState)
{
    struct Case {
        const char* name;
        int zoom, value;
        bool leansLeft;
    } cases[] = {
        {"minimum at zoom 1", 1, 0, true},
        {"maximum at zoom 1", 1, 100, false},
        {"minimum at zoom 2", 2, 0, true},
    };
    for (const Case& c : cases) {
        TRectMeter m;
        m.SetObjSize(c.zoom);
        m.NeedleVal = c.value;
        const TBitmap page = Painted(m);
        EXPECT_EQ(m.NeedleShown, 1) << c.name;
        int red = 0;
        int leftOfPivot = 0;
        for (int y = 0; y < page.Height(); ++y)
            for (int x = 0; x < page.Width(); ++x)
                if (Reddish(page.Canvas()->Pixel(x, y))) {
                    ++red;
                    leftOfPivot += x < 35 * c.zoom ? 1 : 0;
                }
        EXPECT_GT(red, 0) << c.name;
        EXPECT_EQ(leftOfPivot, c.leansLeft ? red : 0) << c.name;
    }
}

// A tall face has its pivot inside: the whole needle shows, drawn over the face
// (thresholded here as the panel would see the colours).
TEST(TRectMeter, TallFaceWithNeedleGolden)
{
    TRectMeter m;
    m.SetWidth(40);
    m.SetHeight(80);
    m.MeterMin = -20;
    m.MeterMax = 20;
    m.MajorTicks = 5;
    m.MinorTicks = 1;
    m.BmpRePaint();
    m.NeedleVal = 10;
    TBitmap page = Painted(m);
    TLxObj::BmpModify(page);
    EXPECT_TRUE(golden::Matches(page, "trectmeter_tall_needle"));
}

// A sweep from 0 to 10000 once took 10000 steps of 20 ms; now a few steps through the host,
// well under a second, ending at the same picture as a needle set straight there. The drawing
// is bounded in CPU time; the pauses between steps are no work and are held to their cap, so a
// pause asked for far past it would take minutes of wall-clock time.
TEST(TRectMeter, NeedleSweepIsShortAndEndsWhereAMoveWould)
{
    TRectMeter m;
    m.MeterMax = 10000;
    m.BmpRePaint();
    FakeHost host;
    m.SetHost(&host);
    m.MeterPoint(0); // no needle shown yet: straight there
    EXPECT_EQ(host.repaints, 1);
    EXPECT_EQ(m.NeedleShown, 1);

    m.NeedleDelay = 100000;
    const kes::test::CpuStopwatch cpu;
    const auto start = std::chrono::steady_clock::now();
    m.MeterPoint(10000);
    EXPECT_LT(cpu.Elapsed(), std::chrono::milliseconds(500));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
    EXPECT_LE((TRectMeter::kMaxNeedleSteps - 1) * TRectMeter::kMaxStepDelay, 250) << "ms of pauses at most";
    EXPECT_EQ(host.repaints, 1 + TRectMeter::kMaxNeedleSteps);
    EXPECT_EQ(m.NeedleVal, 10000);

    TRectMeter direct;
    direct.MeterMax = 10000;
    direct.BmpRePaint();
    direct.NeedleVal = 10000;
    EXPECT_EQ(Painted(m).Image(), Painted(direct).Image());

    // Past the range: the nearer limit; without a host there is nothing to sweep.
    TRectMeter alone;
    alone.NeedleShown = 1;
    alone.MeterPoint(-7);
    EXPECT_EQ(alone.NeedleVal, 0);
    alone.MeterPoint(1000);
    EXPECT_EQ(alone.NeedleVal, 100);
}

TEST(TRectMeter, AddsNothingToPageImagesAndPrintsItsDevice)
{
    TRectMeter m;
    std::vector<std::uint8_t> bands(16, 0x5A);
    m.PaintData(8, 16, bands);
    EXPECT_EQ(bands, std::vector<std::uint8_t>(16, 0x5A));

    TBitmap page(200, 0);
    EXPECT_GT(m.PrePrnObjInf(page, 0, 0), 0);
}

TEST(TRectMeter, ExtremeValuesDoNotCrash)
{
    struct Case {
        int major, minor, w, h;
    } cases[] = {{0, 0, 70, 35}, {1, 255, 8, 6}, {255, 255, 70, 2}, {2, 2, 1, 1}};
    for (const Case& c : cases) {
        TRectMeter m;
        m.MajorTicks = static_cast<std::uint8_t>(c.major);
        m.MinorTicks = static_cast<std::uint8_t>(c.minor);
        m.MeterMin = INT_MAX;
        m.MeterMax = INT_MIN;
        m.SetWidth(c.w);
        m.SetHeight(c.h);
        m.BmpRePaint();
        m.MeterPoint(INT_MIN);
        Painted(m);
        m.MeterMin = INT_MIN;
        m.MeterMax = INT_MAX;
        m.BmpRePaint();
        FakeHost host;
        m.SetHost(&host);
        m.NeedleDelay = -5;
        m.MeterPoint(INT_MAX);
        m.MeterPoint(INT_MIN);
        EXPECT_EQ(m.NeedleVal, INT_MIN);
        Painted(m);
        m.Picture.SetSize(0, 0);
        m.BmpRePaint();
        Painted(m);
    }
}
