// The static picture loads a picture file cut to the size it is given, makes it
// two-coloured by the panel's threshold and spreads each panel pixel over its grid cell;
// a file that is no picture changes nothing. The page number marker shows "P." and the
// number on the button face.
#include "golden.h"
#include "objects/tlxpage.h"
#include "objects/tstbmp.h"
#include "objtest.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using objtest::Rows;

namespace {

// A 100 x 50 file: black except a red, a blue, a dark and a light grey pixel on row 0.
std::string WriteSample(const QTemporaryDir& dir)
{
    TBitmap src(100, 50);
    TCanvas& c = *src.Canvas();
    PatBlt(c, 0, 0, 100, 50, BLACKNESS);
    c.SetPixel(0, 0, clRed);
    c.SetPixel(1, 0, clBlue);
    c.SetPixel(2, 0, 0x7F7F7F);
    c.SetPixel(3, 0, 0x808080);
    const std::string path = dir.filePath("sample.bmp").toStdString();
    EXPECT_TRUE(src.SaveToFile(path));
    return path;
}

} // namespace

TEST(StaticPicture, LoadCutsThresholdsAndSizes)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string file = WriteSample(dir);
    struct Case {
        const char* name;
        int w, h, zoom, gw, gh;
        int picW, picH, ctlW, ctlH;
    } cases[] = {
        {"cut to the file's height", 64, 64, 1, 1, 1, 64, 50, 64, 50},
        {"cut to the size given", 4, 2, 1, 1, 1, 4, 2, 4, 2},
        {"grid 2 x 3 at zoom 2", 4, 2, 2, 2, 3, 8, 6, 16, 12},
    };
    for (const Case& c : cases) {
        TStBmp b;
        objtest::Place(b, 0, 0, 16, 16, c.zoom, c.gw, c.gh);
        ASSERT_TRUE(b.BmpLoad(file, c.w, c.h)) << c.name;
        EXPECT_EQ(b.Picture.Width(), c.picW) << c.name;
        EXPECT_EQ(b.Picture.Height(), c.picH) << c.name;
        EXPECT_EQ(b.Width, c.ctlW) << c.name;
        EXPECT_EQ(b.Height, c.ctlH) << c.name;
    }

    // Only blue decides: red and dark grey turn black, blue and mid grey white.
    TStBmp b;
    objtest::Place(b, 0, 0, 16, 16, 1, 2, 1);
    ASSERT_TRUE(b.BmpLoad(file, 4, 2));
    EXPECT_TRUE(golden::Matches(b.Picture, "tstbmp_threshold_grid2x1"));
}

TEST(StaticPicture, FailedLoadKeepsThePicture)
{
    QTemporaryDir dir;
    const std::string notPicture = dir.filePath("text.bmp").toStdString();
    ASSERT_TRUE(kes::WriteFileAtomic(notPicture, "not a picture", nullptr));
    TStBmp b;
    b.Picture = kes::PictureFromText(Rows({"#.", ".#"}));
    EXPECT_FALSE(b.BmpLoad(notPicture, 10, 10));
    EXPECT_FALSE(b.BmpLoad(dir.filePath("missing.bmp").toStdString(), 10, 10));
    EXPECT_EQ(kes::PictureToText(b.Picture), Rows({"#.", ".#"}));
}

TEST(StaticPicture, NewObjectCopyInRepaintAndPageImage)
{
    TStBmp b;
    EXPECT_EQ(b.ObjType, 5);
    EXPECT_FALSE(b.SizeSetsPicture);
    EXPECT_TRUE(b.FileName.empty());
    EXPECT_TRUE(golden::Matches(b.Picture, "tstbmp_new"));

    b.BmpCopyIn(kes::PictureFromText(Rows({"##.", "..#"})), 7);
    EXPECT_EQ(kes::PictureToText(b.Picture), Rows({"##.", "..#"}));

    objtest::FakeHost host;
    b.SetHost(&host);
    objtest::Place(b, 2, 1, 3, 2);
    b.BmpRePaint();
    EXPECT_EQ(host.invalidates, 1);
    EXPECT_EQ(b.SelCorners[2], (TPoint{5, 3}));
    TStBmp empty;
    empty.SetHost(&host);
    empty.Picture.SetSize(0, 0);
    empty.BmpRePaint();
    EXPECT_EQ(host.invalidates, 1);

    std::vector<std::uint8_t> page(8, 0xFF); // 8 x 8, all black
    b.PaintData(8, 8, page);
    TBitmap out(8, 8);
    TLxObj::DataToBmp(out, page);
    EXPECT_EQ(kes::PictureToText(out),
              Rows({"########", "####.###", "##..####", "########", "########", "########", "########", "########"}));
}

TEST(StaticPicture, ExtremeSizesDoNotCrash)
{
    QTemporaryDir dir;
    const std::string file = WriteSample(dir);
    for (auto [w, h] : {std::pair{0, 0}, std::pair{-5, 3}, std::pair{100000, 100000}}) {
        TStBmp b;
        b.GridWidth = 0;
        b.ObjSize = 0;
        EXPECT_TRUE(b.BmpLoad(file, w, h));
        std::vector<std::uint8_t> page(16);
        b.PaintData(16, 8, page);
    }
}

TEST(PageNumber, ShowsTheNumberOnTheFace)
{
    TLxPage p;
    EXPECT_EQ(p.ObjType, 11);
    EXPECT_EQ(p.PageNumber, 0);
    EXPECT_TRUE(p.SizeSetsPicture);
    objtest::FakeHost host;
    p.SetHost(&host);
    p.SetPgNum(3);
    EXPECT_EQ(p.PageNumber, 3);
    EXPECT_EQ(host.invalidates, 1);

    TBitmap expected(16, 16);
    TCanvas& c = *expected.Canvas();
    c.Font = p.Picture.Canvas()->Font;
    c.Brush.Color = clBtnFace;
    c.FillRect(Rect(0, 0, 16, 16));
    c.TextOut(0, 0, "P.3");
    EXPECT_TRUE(p.Picture.Image() == expected.Image());
    EXPECT_EQ(p.Picture.Canvas()->Pixel(15, 15), clBtnFace);
    EXPECT_TRUE(golden::Matches(p.Picture, "tlxpage_3"));

    p.Picture.SetSize(0, 0);
    p.SetPgNum(-2147483647 - 1);
}
