// Pictures keep their pixels through resizing, copying and files, and block transfers
// combine pixels by their raster operation without ever writing outside the target.
#include "test_gdi_fixture.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

using gditest::Drawn;
using gditest::Rows;

namespace {

const std::string kChecker = Rows({
    "#.#",
    ".#.",
});

} // namespace

TEST(GdiBitmap, ResizeKeepsTopLeftAndGrowsWhite)
{
    // Resizes in a row before the pixels are next used: what one cut off stays white when a
    // later one grows the picture back.
    struct Case {
        const char* name;
        std::vector<std::pair<int, int>> sizes;
        std::string expected;
    } cases[] = {
        {"grow", {{5, 3}}, Rows({"#.#..", ".#...", "....."})},
        {"shrink", {{2, 1}}, Rows({"#."})},
        {"wider only", {{4, 2}}, Rows({"#.#.", ".#.."})},
        {"shrink then grow", {{1, 1}, {3, 2}}, Rows({"#..", "..."})},
        {"narrower, then taller, then wider", {{2, 2}, {2, 3}, {3, 3}}, Rows({"#..", ".#.", "..."})},
        {"to nothing and back", {{0, 2}, {3, 2}}, Rows({"...", "..."})},
    };
    for (const Case& c : cases) {
        TBitmap bmp = kes::PictureFromText(kChecker);
        for (const auto& [w, h] : c.sizes)
            bmp.SetSize(w, h);
        EXPECT_EQ(kes::PictureToText(bmp), c.expected) << c.name;
    }

    // A copy taken between resizes goes its own way.
    TBitmap a = kes::PictureFromText(kChecker);
    a.SetSize(1, 2);
    TBitmap b(a);
    b.SetSize(3, 2);
    a.SetSize(2, 1);
    EXPECT_EQ(kes::PictureToText(a), Rows({"#."}));
    EXPECT_EQ(kes::PictureToText(b), Rows({"#..", "..."}));

    // One side 0 keeps the other, and growing back gives a white picture of that size.
    TBitmap bmp = kes::PictureFromText(kChecker);
    bmp.SetWidth(0);
    EXPECT_TRUE(bmp.Empty());
    EXPECT_EQ(bmp.Height(), 2);
    bmp.SetWidth(2);
    EXPECT_EQ(kes::PictureToText(bmp), Rows({"..", ".."}));
    bmp.SetSize(-4, 3);
    EXPECT_EQ(bmp.Width(), 0);
}

// A 5 x 3 checker board.
const TBitmap& Source()
{
    static const TBitmap source = kes::PictureFromText(Rows({"#.#.#", ".#.#.", "#.#.#"}));
    return source;
}

// A picture filled whole straight after a resize is made without its old pixels; a fill that
// leaves some of it keeps them. Pixel memory of pictures let go serves new ones, which still
// start white.
TEST(GdiBitmap, FillsAfterResizeAndPicturesLetGo)
{
    struct Case {
        const char* name;
        std::function<void(TCanvas&)> fill;
        std::string expected;
    } cases[] = {
        {"whole", [](TCanvas& c) { c.FillRect(Rect(0, 0, 4, 3)); }, Rows({"####", "####", "####"})},
        {"beyond the edges", [](TCanvas& c) { c.FillRect(Rect(-2, -1, 9, 9)); }, Rows({"####", "####", "####"})},
        {"text box", [](TCanvas& c) { c.TextRect(Rect(0, 0, 4, 3), 0, 0, ""); }, Rows({"####", "####", "####"})},
        {"blackness", [](TCanvas& c) { PatBlt(c, 0, 0, 4, 3, BLACKNESS); }, Rows({"####", "####", "####"})},
        {"inverted", [](TCanvas& c) { PatBlt(c, 0, 0, 4, 3, DSTINVERT); }, Rows({".#.#", "#.##", "####"})},
        {"copied whole", [](TCanvas& c) { BitBlt(c, 0, 0, 4, 3, *Source().Canvas(), 1, 0, SRCCOPY); },
         Rows({".#.#", "#.#.", ".#.#"})},
        {"copied from beyond the source", [](TCanvas& c) { BitBlt(c, 0, 0, 4, 3, *Source().Canvas(), 2, 0, SRCCOPY); },
         Rows({"#.#.", ".#..", "#.#."})},
        {"top rows", [](TCanvas& c) { c.FillRect(Rect(0, 0, 4, 2)); }, Rows({"####", "####", "...."})},
        {"right columns", [](TCanvas& c) { c.FillRect(Rect(1, 0, 4, 3)); }, Rows({"####", ".###", ".###"})},
        {"clear brush",
         [](TCanvas& c) {
             c.Brush.Style = bsClear;
             c.FillRect(Rect(0, 0, 4, 3));
         },
         Rows({"#.#.", ".#..", "...."})},
    };
    for (const Case& c : cases) {
        TBitmap bmp = kes::PictureFromText(kChecker);
        bmp.SetSize(4, 3);
        bmp.Canvas()->Brush.Color = clBlack;
        c.fill(*bmp.Canvas());
        EXPECT_EQ(kes::PictureToText(bmp), c.expected) << c.name;
    }
    for (int round = 0; round < 3; ++round) {
        {
            TBitmap black(7, 5);
            black.Canvas()->Brush.Color = clBlack;
            black.Canvas()->FillRect(Rect(0, 0, 7, 5));
        }
        EXPECT_EQ(kes::PictureToText(TBitmap(7, 5)), Rows({".......", ".......", ".......", ".......", "......."}));
    }
}

TEST(GdiBitmap, CopiesAreIndependent)
{
    TBitmap a = kes::PictureFromText(kChecker);
    a.Canvas()->Font.Size = 10;
    a.Canvas()->Pen.Width = 3;
    TBitmap b(a);
    TBitmap c;
    c.Assign(a);
    TBitmap d(1, 1);
    d = a;
    a.Canvas()->SetPixel(1, 0, clBlack);
    for (const TBitmap* copy : {&b, &c, &d})
        EXPECT_EQ(kes::PictureToText(*copy), kChecker);
    EXPECT_EQ(c.Canvas()->Font.Size, 10);
    EXPECT_EQ(c.Canvas()->Pen.Width, 1) << "Assign takes the font, not the pen";
    EXPECT_EQ(b.Canvas()->Pen.Width, 3);
    // The copy's canvas draws on the copy.
    b.Canvas()->SetPixel(2, 1, clBlack);
    EXPECT_EQ(kes::PictureToText(a), Rows({"###", ".#."}));
    EXPECT_EQ(kes::PictureToText(b), Rows({"#.#", ".##"}));
}

TEST(GdiBitmap, TextFormRoundTripsAndPadsShortRows)
{
    TBitmap bmp = kes::PictureFromText("#\r\n.##\n\n");
    EXPECT_EQ(bmp.Width(), 3);
    EXPECT_EQ(bmp.Height(), 3);
    EXPECT_EQ(kes::PictureToText(bmp), Rows({"#..", ".##", "..."}));
    // Only exact black is '#'.
    bmp.Canvas()->SetPixel(0, 2, 0x010000);
    EXPECT_EQ(bmp.Canvas()->Pixel(0, 2), 0x010000u);
    EXPECT_EQ(kes::PictureToText(bmp), Rows({"#..", ".##", "..."}));
    EXPECT_TRUE(kes::PictureFromText("").Empty());
}

TEST(GdiBitmap, PixelsOutsideAreInvalidAndIgnored)
{
    TBitmap bmp(2, 2);
    TCanvas& c = *bmp.Canvas();
    for (TPoint p : {TPoint{-1, 0}, TPoint{0, -1}, TPoint{2, 0}, TPoint{0, 2}}) {
        EXPECT_EQ(c.Pixel(p.x, p.y), CLR_INVALID);
        c.SetPixel(p.x, p.y, clBlack);
    }
    EXPECT_EQ(kes::PictureToText(bmp), Rows({"..", ".."}));
    EXPECT_EQ(c.Pixel(1, 1), clWhite);
    TBitmap empty;
    EXPECT_EQ(empty.Canvas()->Pixel(0, 0), CLR_INVALID);
    empty.Canvas()->Rectangle(0, 0, 4, 4);
    empty.Canvas()->TextOut(0, 0, "x");
}

TEST(GdiBitmap, FilesRoundTripAndNonPicturesFail)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    std::string base = dir.path().toStdString();
    TBitmap bmp = kes::PictureFromText(kChecker);
    bmp.Canvas()->SetPixel(1, 1, 0x123456);
    for (const char* name : {"/a.bmp", "/a.png", "/a.unknownext"}) {
        ASSERT_TRUE(bmp.SaveToFile(base + name)) << name;
        TBitmap back;
        ASSERT_TRUE(back.LoadFromFile(base + name)) << name;
        EXPECT_EQ(kes::PictureToText(back), kes::PictureToText(bmp)) << name;
        EXPECT_EQ(back.Canvas()->Pixel(1, 1), 0x123456u) << name;
    }
    std::string junk = base + "/junk.bmp";
    {
        QFile f(QString::fromStdString(junk));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("BM not really");
    }
    TBitmap keep = kes::PictureFromText(kChecker);
    EXPECT_FALSE(keep.LoadFromFile(junk));
    EXPECT_FALSE(keep.LoadFromFile(base + "/missing.bmp"));
    EXPECT_EQ(kes::PictureToText(keep), kChecker) << "a failed load keeps the picture";
    EXPECT_FALSE(TBitmap().SaveToFile(base + "/empty.bmp"));
}

TEST(GdiBitmap, SetImageConvertsAnyFormat)
{
    QImage mono(3, 1, QImage::Format_Mono);
    mono.setColor(0, qRgb(0, 0, 0));
    mono.setColor(1, qRgb(255, 255, 255));
    mono.fill(1);
    mono.setPixel(1, 0, 0);
    TBitmap bmp;
    bmp.SetImage(mono);
    EXPECT_EQ(kes::PictureToText(bmp), Rows({".#."}));
    EXPECT_EQ(bmp.Image().format(), QImage::Format_RGB32);
}

TEST(GdiBlit, RasterOperationsCombinePixels)
{
    // Source: black left column; destination: black top row.
    const TBitmap src = kes::PictureFromText(Rows({"#.", "#."}));
    struct Case {
        const char* name;
        std::uint32_t rop;
        std::string expected;
    } cases[] = {
        {"SRCCOPY", SRCCOPY, Rows({"#.", "#."})},
        {"SRCAND keeps black of both", SRCAND, Rows({"##", "#."})},
        {"SRCPAINT keeps black of neither", SRCPAINT, Rows({"#.", ".."})},
        {"SRCINVERT", SRCINVERT, Rows({"#.", ".#"})},
        {"NOTSRCCOPY", NOTSRCCOPY, Rows({".#", ".#"})},
        {"DSTINVERT", DSTINVERT, Rows({"..", "##"})},
        {"WHITENESS", WHITENESS, Rows({"..", ".."})},
        {"BLACKNESS", BLACKNESS, Rows({"##", "##"})},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Drawn(2, 2,
                        [&](TCanvas& cv) {
                            cv.SetPixel(0, 0, clBlack);
                            cv.SetPixel(1, 0, clBlack);
                            BitBlt(cv, 0, 0, 2, 2, *src.Canvas(), 0, 0, c.rop);
                        }),
                  c.expected)
            << c.name;
    }
    // Draw and CopyRect follow CopyMode; PatBlt PATCOPY takes the brush.
    EXPECT_EQ(Drawn(2, 2,
                    [&](TCanvas& cv) {
                        cv.SetPixel(1, 0, clBlack);
                        cv.CopyMode = cmSrcAnd;
                        cv.Draw(0, 0, src);
                    }),
              Rows({"##", "#."}));
    EXPECT_EQ(Drawn(3, 1,
                    [&](TCanvas& cv) {
                        cv.Brush.Color = clBlack;
                        PatBlt(cv, 1, 0, 5, 1, PATCOPY);
                    }),
              Rows({".##"}));
}

TEST(GdiBlit, ClipsAtEveryEdgeAndReadsOnlyTheSource)
{
    const TBitmap src = kes::PictureFromText(Rows({"##", "##"}));
    struct Case {
        const char* name;
        int x;
        int y;
        int sx;
        int sy;
        std::string expected;
    } cases[] = {
        {"off the top left", -1, -1, 0, 0, Rows({"#..", "...", "..."})},
        {"off the bottom right", 2, 2, 0, 0, Rows({"...", "...", "..#"})},
        {"source partly outside", 0, 0, 1, 1, Rows({"#..", "...", "..."})},
        {"source outside", 0, 0, -5, 0, Rows({"...", "...", "..."})},
        {"far away", 100000000, -100000000, 0, 0, Rows({"...", "...", "..."})},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Drawn(3, 3, [&](TCanvas& cv) { BitBlt(cv, c.x, c.y, 2, 2, *src.Canvas(), c.sx, c.sy, SRCCOPY); }),
                  c.expected)
            << c.name;
}

TEST(GdiBlit, StretchReplicatesWholePixels)
{
    const TBitmap src = kes::PictureFromText(Rows({"#.", ".#"}));
    EXPECT_EQ(Drawn(4, 4, [&](TCanvas& cv) { cv.StretchDraw(Rect(0, 0, 4, 4), src); }),
              Rows({"##..", "##..", "..##", "..##"}));
    EXPECT_EQ(Drawn(6, 2, [&](TCanvas& cv) { cv.StretchDraw(Rect(0, 0, 6, 2), src); }), Rows({"###...", "...###"}));
    // Shrinking takes every other pixel.
    const TBitmap wide = kes::PictureFromText(Rows({"#.#.", "....", "#.#.", "...."}));
    EXPECT_EQ(Drawn(2, 2, [&](TCanvas& cv) { cv.StretchDraw(Rect(0, 0, 2, 2), wide); }), Rows({"##", "##"}));
    // A region of a picture onto itself, overlapping: read before written.
    TBitmap self = kes::PictureFromText(Rows({"#..."}));
    self.Canvas()->CopyRect(Rect(1, 0, 4, 1), *self.Canvas(), Rect(0, 0, 3, 1));
    EXPECT_EQ(kes::PictureToText(self), Rows({"##.."}));
}

TEST(GdiCanvasView, DrawsThroughOriginWithinClip)
{
    QImage target(4, 3, QImage::Format_RGB32);
    target.fill(Qt::white);
    TCanvas view(&target, Point(1, 1), Rect(0, 0, 2, 5));
    EXPECT_EQ(view.Width(), 2);
    EXPECT_EQ(view.ClipRect(), Rect(0, 0, 2, 2)) << "limited by the target";
    view.Brush.Color = clBlack;
    view.FillRect(Rect(-3, -3, 10, 10));
    TBitmap seen;
    seen.SetImage(target);
    EXPECT_EQ(kes::PictureToText(seen), Rows({"....", ".##.", ".##."}));
    EXPECT_EQ(view.Pixel(0, 0), clBlack);
    EXPECT_EQ(view.Pixel(2, 0), CLR_INVALID);
}
