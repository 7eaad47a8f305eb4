// The curve kinds are placeholders in the editor: a button-face rectangle holding the
// settings the panel draws the curve from; an empty picture is left alone and nothing is
// added to page images.
#include "objects/tlxcurve.h"

#include "golden.h"
#include "objtest.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

TEST(TLxCurve, NewCurves)
{
    const TLxCurve curve;
    const TLxXyCurve xy;
    for (const TLxCurve* c : {&curve, static_cast<const TLxCurve*>(&xy)}) {
        EXPECT_EQ(c->DevText, "D0");
        EXPECT_EQ(c->DevAddrCode, 4096);
        EXPECT_EQ(c->RefDevForm, 1);
        EXPECT_EQ(c->RefIntMem, 0);
        EXPECT_EQ(c->RefStation, 1);
        EXPECT_EQ(c->CurveMin, 0);
        EXPECT_EQ(c->CurveMax, 1000);
        EXPECT_EQ(c->CurvePoints, 2);
        EXPECT_EQ(c->TrigFlag, 0);
        EXPECT_EQ(c->ClearFlag, 0);
        EXPECT_TRUE(c->SizeSetsPicture);
        ASSERT_EQ(c->Picture.Width(), 30);
        ASSERT_EQ(c->Picture.Height(), 30);
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 30; ++x)
                ASSERT_EQ(c->Picture.Canvas()->Pixel(x, y), clBtnFace);
    }
    EXPECT_EQ(curve.ObjType, 14);
    EXPECT_EQ(xy.ObjType, 15);
    EXPECT_EQ(xy.XMin, 0);
    EXPECT_EQ(xy.XMax, 1000);
}

TEST(TLxCurve, PlaceholderOnly)
{
    struct Case {
        const char* name;
        std::unique_ptr<TLxCurve> obj;
    };
    Case cases[2] = {{"curve", std::make_unique<TLxCurve>()}, {"x-y curve", std::make_unique<TLxXyCurve>()}};
    for (Case& c : cases) {
        TLxCurve& obj = *c.obj;
        // Resized with the grid: filled, not drawn at panel resolution, not rescaled.
        obj.GridWidth = 2;
        obj.SetWidth(41);
        obj.BmpRePaint();
        EXPECT_EQ(obj.Picture.Width(), 41) << c.name;
        EXPECT_EQ(obj.Picture.Canvas()->Pixel(40, 29), clBtnFace) << c.name;

        std::vector<std::uint8_t> bands(16, 0xA5);
        obj.PaintData(8, 16, bands);
        EXPECT_EQ(bands, std::vector<std::uint8_t>(16, 0xA5)) << c.name;

        // An empty picture is left untouched.
        obj.Picture.SetSize(0, 30);
        obj.BmpRePaint();
        EXPECT_TRUE(obj.Picture.Empty()) << c.name;

        obj.DevText = "D7";
        TBitmap page(200, 0);
        EXPECT_GT(obj.PrePrnObjInf(page, 0, 0), 0) << c.name;
    }
}
