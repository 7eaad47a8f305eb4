// An object shows its picture the way the page window expects: the three paint paths put
// the picture where zoom and grid say, handles and frames land on the right pixels, the
// picture helpers (mirror, grid cells, page copy) keep every pixel in place, and
// selection, keys and page images reach the host, the handler and the band data. A page
// leaves out only objects that do not show: the same pixels with and without them.
#include "objects/objkind.h"
#include "objects/tgeom.h"
#include "objtest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

using objtest::FakeHost;
using objtest::Rows;
using objtest::TTestObj;

namespace {

// Paints obj on a white page with its top-left at origin; returns the page as rows.
std::string PaintedOnPage(TLxObj& obj, int pageW, int pageH, TPoint origin)
{
    TBitmap page(pageW, pageH);
    TCanvas view(&page.Image(), origin, Rect(0, 0, obj.Width, obj.Height));
    obj.Paint(view);
    return kes::PictureToText(page);
}

} // namespace

TEST(ObjPaint, ThreePathsPlaceThePicture)
{
    struct Case {
        const char* name;
        bool unscaled;
        int zoom, gw, gh, width, height;
        std::string expected;
    } cases[] = {
        {"stretched to the control", false, 2, 1, 1, 4, 4,
         Rows({"......", ".##...", ".##...", "...##.", "...##.", "......"})},
        {"unscaled at zoom 1: 1:1, the rest untouched", true, 1, 1, 1, 4, 3,
         Rows({"......", ".#....", "..#...", "......", "......", "......"})},
        {"unscaled at zoom 2, grid 2 x 1", true, 2, 2, 1, 5, 4,
         Rows({"......", ".####.", ".####.", ".....#", ".....#", "......"})},
    };
    for (const Case& c : cases) {
        TTestObj obj;
        obj.Selected = false;
        obj.Picture = kes::PictureFromText(Rows({"#.", ".#"}));
        obj.UnscaledPaint = c.unscaled;
        objtest::Place(obj, 0, 0, c.width, c.height, c.zoom, c.gw, c.gh);
        EXPECT_EQ(PaintedOnPage(obj, 6, 6, TPoint{1, 1}), c.expected) << c.name;
    }

    TTestObj empty;
    empty.Width = 4;
    empty.Height = 4;
    EXPECT_EQ(PaintedOnPage(empty, 4, 4, TPoint{0, 0}), Rows({"....", "....", "....", "...."}));
}

TEST(ObjPaint, HandlesAtCornersAndEdgeMiddles)
{
    TTestObj obj;
    obj.Picture.SetSize(6, 5);
    obj.ObjSize = 2;
    obj.Width = 12;
    obj.Height = 10;
    // Squares of 2 x zoom with a black pen and the canvas's white brush; W/2 = 6, H/2 = 5.
    EXPECT_EQ(PaintedOnPage(obj, 12, 10, TPoint{0, 0}), Rows({
                                                            "############",
                                                            "#..##..##..#",
                                                            "#..##..##..#",
                                                            "############",
                                                            "#..#....#..#",
                                                            "#..#....#..#",
                                                            "############",
                                                            "#..##..##..#",
                                                            "#..##..##..#",
                                                            "############",
                                                        }));
    obj.Selected = false;
    EXPECT_EQ(PaintedOnPage(obj, 12, 10, TPoint{0, 0}),
              Rows({"............", "............", "............", "............", "............", "............",
                    "............", "............", "............", "............"}));
}

TEST(ObjPaint, FrameStyles)
{
    struct Case {
        std::uint8_t style;
        std::string expected;
    } cases[] = {
        {0, Rows({"........", "........", "........", "........", "........", "........", "........"})},
        {1, Rows({"########", "#......#", "#......#", "#......#", "#......#", "#......#", "########"})},
        {2, Rows({"########", "#......#", "#.####.#", "#.#..#.#", "#.####.#", "#......#", "########"})},
    };
    for (const Case& c : cases) {
        TTestObj obj;
        obj.Picture.SetSize(8, 7);
        obj.SetObjFrame(c.style);
        EXPECT_EQ(obj.ObjFrame, c.style);
        EXPECT_EQ(kes::PictureToText(obj.Picture), c.expected) << int(c.style);
        EXPECT_EQ(obj.Picture.Canvas()->Pen.Style, psSolid);
        EXPECT_EQ(obj.Picture.Canvas()->Pen.Width, 1);
    }

    // Thick: a two-pixel pen along the rectangle inset by one, closed all round.
    TTestObj thick;
    thick.Picture.SetSize(10, 9);
    thick.SetObjFrame(3);
    const std::string t = kes::PictureToText(thick.Picture);
    for (int x = 1; x <= 8; ++x)
        for (int y : {1, 7})
            EXPECT_EQ(thick.Picture.Canvas()->Pixel(x, y), clBlack) << t << x << "," << y;
    for (int y = 1; y <= 7; ++y)
        for (int x : {1, 8})
            EXPECT_EQ(thick.Picture.Canvas()->Pixel(x, y), clBlack) << t << x << "," << y;
    EXPECT_EQ(thick.Picture.Canvas()->Pixel(4, 4), clWhite) << t;
    EXPECT_EQ(thick.Picture.Canvas()->Pen.Width, 1);

    // Dashed and dotted: part of the single frame, with gaps.
    TTestObj solid;
    solid.Picture.SetSize(40, 30);
    solid.SetObjFrame(1);
    for (std::uint8_t style : {4, 5}) {
        TTestObj obj;
        obj.Picture.SetSize(40, 30);
        obj.SetObjFrame(style);
        int black = 0;
        int solidBlack = 0;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x) {
                const bool b = obj.Picture.Canvas()->Pixel(x, y) == clBlack;
                const bool s = solid.Picture.Canvas()->Pixel(x, y) == clBlack;
                EXPECT_FALSE(b && !s) << int(style);
                black += b;
                solidBlack += s;
            }
        EXPECT_GT(black, 0) << int(style);
        EXPECT_LT(black, solidBlack) << int(style);
        EXPECT_EQ(obj.Picture.Canvas()->Pen.Style, psSolid);
    }
}

TEST(ObjPaint, SelectionMarksOnTheControl)
{
    TTestObj obj;
    obj.Width = 5;
    obj.Height = 4;
    TBitmap page(5, 4);
    TCanvas view(&page.Image(), TPoint{0, 0}, Rect(0, 0, 5, 4));
    view.Pen.Color = clRed;
    obj.ShadowPaint(view);
    EXPECT_EQ(kes::PictureToText(page), Rows({".....", ".....", "....#", "..###"}));
    EXPECT_EQ(view.Pen.Color, clRed);

    TBitmap dashed(5, 4);
    TCanvas dview(&dashed.Image(), TPoint{0, 0}, Rect(0, 0, 5, 4));
    obj.Selected = false;
    obj.SelDashFrame(dview);
    EXPECT_EQ(kes::PictureToText(dashed), Rows({".....", ".....", ".....", "....."}));
    obj.Selected = true;
    obj.SelDashFrame(dview);
    EXPECT_EQ(dashed.Canvas()->Pixel(4, 3), clBlack);
    EXPECT_EQ(dashed.Canvas()->Pixel(0, 0), clWhite);
}

TEST(ObjPicture, MirrorsKeepEveryPixel)
{
    const std::string art = Rows({"##..#", "#....", "...##"});
    TBitmap lr = kes::PictureFromText(art);
    TLxObj::BmpLeftToRight(lr);
    EXPECT_EQ(kes::PictureToText(lr), Rows({"#..##", "....#", "##..."}));
    TBitmap tb = kes::PictureFromText(art);
    TLxObj::BmpTopToBottom(tb);
    EXPECT_EQ(kes::PictureToText(tb), Rows({"...##", "#....", "##..#"}));
}

TEST(ObjPicture, GridCellsTurnWhollyBlack)
{
    TTestObj obj;
    obj.GridWidth = 2;
    obj.GridHeight = 2;
    obj.Picture = kes::PictureFromText(Rows({".....", "...#.", "....#", "....."}));
    obj.GridRePaint();
    EXPECT_EQ(kes::PictureToText(obj.Picture), Rows({"..##.", "..##.", "....#", "....#"}));
}

TEST(ObjPicture, CopiesIntoAPagePicture)
{
    TTestObj obj;
    obj.Picture = kes::PictureFromText(Rows({"#.#", ".#."}));
    objtest::Place(obj, 4, 2, 6, 4, 2);
    TBitmap page(6, 4);
    obj.BmpMappin(page);
    EXPECT_EQ(kes::PictureToText(page), Rows({"......", "..#.#.", "...#..", "......"}));

    TBitmap copy;
    obj.BmpGet(copy);
    EXPECT_EQ(kes::PictureToText(copy), kes::PictureToText(obj.Picture));

    obj.Picture.Canvas()->Brush.Color = clBlack;
    obj.BmpClear();
    EXPECT_EQ(kes::PictureToText(obj.Picture), Rows({"###", "###"}));
}

TEST(ObjPicture, PrintCaptionGrowsThePage)
{
    TTestObj obj;
    objtest::Place(obj, 20, 10, 32, 16, 2);
    obj.PrintText = "Reference Device:D0";
    TBitmap page(200, 5);
    const int h1 = page.Canvas()->TextHeight("(10,5)[16,8]");
    const int h2 = page.Canvas()->TextHeight(obj.PrintText);
    EXPECT_EQ(obj.PrePrnObjInf(page, 3, 5), 5 + h1 + h2);
    EXPECT_EQ(page.Height(), 5 + h1 + h2);
    bool firstLine = false;
    bool secondLine = false;
    for (int x = 0; x < 200; ++x)
        for (int y = 5; y < 5 + h1 + h2; ++y)
            if (page.Canvas()->Pixel(x, y) == clBlack)
                (y < 5 + h1 ? firstLine : secondLine) = true;
    EXPECT_TRUE(firstLine);
    EXPECT_TRUE(secondLine);
}

TEST(ObjHost, DeselectingTransparentKindInvalidates)
{
    struct Case {
        TLxObjType kind;
        bool was;
        bool now;
        int invalidates;
    } cases[] = {
        {17, true, false, 1}, {17, false, false, 0}, {17, false, true, 0}, {1, true, false, 0}, {13, true, false, 0},
    };
    for (const Case& c : cases) {
        FakeHost host;
        TTestObj obj(c.kind);
        obj.SetHost(&host);
        obj.Selected = c.was;
        obj.SetSelected(c.now);
        EXPECT_EQ(obj.Selected, c.now);
        EXPECT_EQ(host.invalidates, c.invalidates) << c.kind << c.was << c.now;
        EXPECT_EQ(host.repaints, 1) << c.kind;
    }
    TTestObj alone(17);
    alone.SetSelected(false); // no host: nothing to tell
    EXPECT_FALSE(alone.Selected);
}

TEST(ObjKeys, ShiftStateFromTheKeyCodeAlone)
{
    struct Case {
        std::uint16_t key;
        TShiftState shift;
    } cases[] = {{VK_SHIFT, ssShift}, {VK_CONTROL, ssCtrl}, {VK_MENU, ssAlt}, {0x41, 0}, {0x2E, 0}};
    for (const Case& c : cases) {
        TTestObj obj;
        TLxObj* sender = nullptr;
        TShiftState got = 0xFF;
        obj.OnKeyDown = [&](TLxObj* s, std::uint16_t& key, TShiftState shift) {
            sender = s;
            got = shift;
            key = 0; // handled: the caller sees the change
        };
        std::uint16_t key = c.key;
        obj.KeyDown(key);
        EXPECT_EQ(sender, &obj);
        EXPECT_EQ(got, c.shift) << c.key;
        EXPECT_EQ(key, 0);
    }

    TTestObj obj;
    int calls = 0;
    obj.OnKeyDown = [&](TLxObj*, std::uint16_t&, TShiftState) { ++calls; };
    obj.Dispatch(WM_KEYDOWN, 0x41);
    obj.Dispatch(0x0101, 0x41); // key up is not forwarded
    EXPECT_EQ(calls, 1);
    TTestObj unhandled;
    std::uint16_t key = VK_SHIFT;
    unhandled.KeyDown(key); // no handler: nothing happens
    EXPECT_EQ(key, VK_SHIFT);
}

TEST(ObjPageImage, BoxClearedThenPictureAtPanelResolution)
{
    struct Case {
        const char* name;
        int grid;
    } cases[] = {{"grid 1", 1}, {"grid 2", 2}};
    for (const Case& c : cases) {
        TTestObj obj(5);
        objtest::Place(obj, 4 * c.grid, 0, 4 * c.grid, 8 * c.grid, 1, c.grid, c.grid);
        // One black panel pixel at (1, 2) of the object, drawn in picture pixels.
        obj.Picture.SetSize(4 * c.grid, 8 * c.grid);
        obj.Picture.Canvas()->Brush.Color = clBlack;
        obj.Picture.Canvas()->FillRect(Rect(c.grid, 2 * c.grid, 2 * c.grid, 3 * c.grid));

        kes::Bytes bands(16, 0xFF); // a 16 x 8 page, all black
        int redraws = 0;
        obj.PaintDataWith(16, 8, bands, [&] { ++redraws; });
        EXPECT_EQ(redraws, 1) << c.name;
        const kes::Bytes expected{0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x04, 0x00, 0x00,
                                  0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
        EXPECT_EQ(bands, expected) << c.name;
    }
}

// Every kind made while painting is held leaves its picture undrawn, and draws once asked
// after the hold: then exactly as one made without the hold.
TEST(ObjPaintHold, KindsMadeWhileHeldDrawOnceAskedAfterwards)
{
    for (const kes::ObjKind kind : kes::AllObjKinds()) {
        SCOPED_TRACE(kes::KindFacts(kind).ClassName);
        const std::unique_ptr<TLxObj> plain = kes::NewObjOfKind(kind);
        std::unique_ptr<TLxObj> held;
        {
            const kes::PaintHold hold;
            EXPECT_TRUE(kes::PaintHold::Held());
            held = kes::NewObjOfKind(kind);
            const std::string before = kes::PictureToText(held->Picture);
            held->BmpRePaint();
            EXPECT_EQ(kes::PictureToText(held->Picture), before) << "nothing drawn while held";
        }
        EXPECT_FALSE(kes::PaintHold::Held());
        held->BmpRePaint();
        plain->BmpRePaint();
        EXPECT_EQ(kes::PictureToText(held->Picture), kes::PictureToText(plain->Picture));
        EXPECT_EQ(held->Picture.Width(), plain->Picture.Width());
        EXPECT_EQ(held->Picture.Height(), plain->Picture.Height());
    }
}

// A page leaves out an object wholly under one painted after it over its whole box. The boxes
// left out are exactly those a search of every later covering box finds (short of a crowded
// cell's limit, where one is painted after all), and a pile of objects of every kind, some
// selected, transparent or at other zooms, many on the same boxes, paints the same pixels
// with and without the ones left out.
TEST(ObjPaintHidden, LeavesOutOnlyWhatDoesNotShow)
{
    struct Case {
        const char* name;
        std::vector<TRect> boxes;
        std::vector<bool> covers;
        std::vector<bool> hidden;
    } cases[] = {
        {"under a later covering box", {{10, 10, 20, 20}, {0, 0, 40, 40}}, {true, true}, {true, false}},
        {"the same box again", {{5, 5, 30, 30}, {5, 5, 30, 30}}, {false, true}, {true, false}},
        {"a later box that does not cover", {{10, 10, 20, 20}, {0, 0, 40, 40}}, {true, false}, {false, false}},
        {"over, not under, the covering box", {{0, 0, 40, 40}, {10, 10, 20, 20}}, {true, true}, {false, false}},
        {"one pixel out", {{10, 10, 41, 20}, {0, 0, 40, 40}}, {true, true}, {false, false}},
        {"negative places", {{-30, -20, -10, -5}, {-40, -40, 0, 0}}, {true, true}, {true, false}},
        {"no area is never hidden and hides nothing",
         {{10, 10, 10, 20}, {0, 0, 40, 40}, {5, 5, 15, 15}, {0, 0, 0, 90}},
         {true, true, true, true},
         {false, false, false, false}},
        // Far apart along one side only: the grid of cells stays small.
        {"a tall thin page",
         {{0, 0, 8, 8}, {0, 2000000000, 10, 2000000010}, {0, 0, 10, 10}},
         {true, true, true},
         {true, false, false}},
        {"a wide flat page",
         {{1999999990, 0, 2000000000, 5}, {0, 0, 8, 8}, {1999999980, 0, 2000000000, 6}},
         {true, true, true},
         {true, false, false}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(kes::HiddenUnderLater(c.boxes, c.covers), c.hidden) << c.name;

    std::mt19937 rng(20261215);
    const auto in = [&](int lo, int hi) { return lo + static_cast<int>(rng() % static_cast<unsigned>(hi - lo + 1)); };
    for (int round = 0; round < 200; ++round) {
        const int n = in(0, 60);
        std::vector<TRect> boxes;
        std::vector<bool> covers;
        for (int i = 0; i < n; ++i) {
            if (i > 0 && in(0, 3) == 0) {
                boxes.push_back(boxes[static_cast<std::size_t>(in(0, i - 1))]); // the same box again
            } else {
                const int l = in(-40, 300), t = in(-40, 200);
                boxes.push_back(TRect{l, t, l + in(-2, 120), t + in(-2, 90)});
            }
            covers.push_back(in(0, 2) != 0);
        }
        const std::vector<bool> hidden = kes::HiddenUnderLater(boxes, covers);
        ASSERT_EQ(hidden.size(), boxes.size());
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            const TRect& a = boxes[i];
            bool under = false;
            for (std::size_t j = i + 1; j < boxes.size() && a.Width() > 0 && a.Height() > 0; ++j) {
                const TRect& b = boxes[j];
                under = under ||
                        (covers[j] && b.Left <= a.Left && b.Top <= a.Top && b.Right >= a.Right && b.Bottom >= a.Bottom);
            }
            EXPECT_EQ(hidden[i], under) << "round " << round << ", box " << i;
        }
    }

    // Objects of every kind piled up, painted as a page paints them.
    std::vector<std::unique_ptr<TLxObj>> objs;
    for (int i = 0; i < 400; ++i) {
        const auto kind = kes::AllObjKinds()[static_cast<std::size_t>(i) % kes::kObjKindCount];
        std::unique_ptr<TLxObj> obj = kes::NewObjOfKind(kind);
        const int zoom = in(0, 4) == 0 ? 1 : 2;
        obj->SetObjSize(zoom);
        obj->Left = in(0, 20) * 8 * zoom / 2;
        obj->Top = in(0, 12) * 8 * zoom / 2;
        if (auto* geom = dynamic_cast<TGeom*>(obj.get())) {
            const TGeomType shapes[] = {GeomLine, GeomRect, GeomCir};
            geom->ObjGeomSet(shapes[in(0, 2)], {}, 0, 0, in(4, 40), in(4, 30));
        }
        if (in(0, 5) == 0)
            obj->Transparent = !obj->Transparent;
        obj->BmpRePaint();
        // Mostly the box of the picture at the zoom; now and then another one.
        obj->Width = in(0, 6) == 0 ? in(4, 90) : obj->Picture.Width() * zoom;
        obj->Height = in(0, 6) == 0 ? in(4, 70) : obj->Picture.Height() * zoom;
        obj->SetSelected(in(0, 8) == 0);
        objs.push_back(std::move(obj));
    }
    // An object that says it paints its whole box leaves the same pixels there over white and
    // over black.
    const auto paintedOver = [](TLxObj& obj, QRgb below) {
        TBitmap page(obj.Width, obj.Height);
        page.Image().fill(below);
        TCanvas view(&page.Image(), TPoint{0, 0}, Rect(0, 0, obj.Width, obj.Height));
        obj.Paint(view);
        return page.Image().copy();
    };
    for (const auto& obj : objs) {
        if (obj->PaintsOpaqueBox()) {
            EXPECT_EQ(paintedOver(*obj, qRgb(255, 255, 255)), paintedOver(*obj, qRgb(0, 0, 0)))
                << kes::KindFactsOf(*obj)->ClassName << " at zoom " << obj->ObjSize << ", box " << obj->Width << " x "
                << obj->Height;
        }
    }
    std::vector<TRect> boxes;
    std::vector<bool> covers;
    for (const auto& obj : objs) {
        boxes.push_back(TRect{obj->Left, obj->Top, obj->Left + obj->Width, obj->Top + obj->Height});
        covers.push_back(obj->PaintsOpaqueBox());
    }
    const std::vector<bool> hidden = kes::HiddenUnderLater(boxes, covers);
    const auto paint = [&](bool leaveOut) {
        TBitmap page(260, 180);
        for (std::size_t i = 0; i < objs.size(); ++i) {
            if (leaveOut && hidden[i])
                continue;
            TCanvas view(&page.Image(), TPoint{objs[i]->Left, objs[i]->Top},
                         Rect(0, 0, objs[i]->Width, objs[i]->Height));
            objs[i]->Paint(view);
        }
        return page.Image().copy(); // every colour, not black and white alone
    };
    EXPECT_GT(std::count(hidden.begin(), hidden.end(), true), 50);
    EXPECT_EQ(paint(true), paint(false));
}
