// A geometry object takes its place and orientation from the editor's drag or clicks, draws
// each shape at panel resolution, lets what lies below show through, and writes and reads
// its own record: object -> record -> object -> record gives the same bytes in a page
// buffer and in a page file (the buffer's picture bytes reversed), and a record that lies
// about its counts or lengths is refused or cut to what the object holds, never read past.
#include "objects/tgeom.h"

#include "golden.h"
#include "objtest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

using objtest::FakeHost;
using objtest::Rows;

namespace {

using GeomPtr = std::unique_ptr<TGeom>;

GeomPtr MakeShape(TGeomType kind, int x1, int y1, int x2, int y2, int zoom = 1, int gw = 1, int gh = 1)
{
    auto g = std::make_unique<TGeom>();
    g->ObjSize = zoom;
    g->GridWidth = gw;
    g->GridHeight = gh;
    g->ObjGeomSet(kind, {}, x1, y1, x2, y2);
    return g;
}

GeomPtr MakePoly(std::vector<TPoint> points, int zoom = 1, int gw = 1, int gh = 1)
{
    auto g = std::make_unique<TGeom>();
    g->ObjSize = zoom;
    g->GridWidth = gw;
    g->GridHeight = gh;
    g->ObjGeomSet(GeomPoly, points, 0, 0, 0, 0);
    return g;
}

// Pastes each picture's black pixels onto a white sheet at its place.
void Stamp(TBitmap& sheet, const TBitmap& pic, int x, int y)
{
    for (int j = 0; j < pic.Height(); ++j)
        for (int i = 0; i < pic.Width(); ++i)
            if (pic.Canvas()->Pixel(i, j) == clBlack)
                sheet.Canvas()->SetPixel(x + i, y + j, clBlack);
}

kes::Bytes FileRecord(TGeom& g, unsigned pos, int* written)
{
    std::FILE* f = std::tmpfile();
    EXPECT_NE(f, nullptr);
    *written = g.ObjTempChx(f, pos);
    kes::Bytes bytes(pos + static_cast<std::size_t>(std::max(*written, 0)));
    std::fseek(f, 0, SEEK_SET);
    const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    bytes.resize(got);
    return bytes;
}

kes::Bytes MemoryRecord(TGeom& g)
{
    kes::Bytes buf;
    const int n = g.ObjDataChx(buf, 0);
    EXPECT_EQ(static_cast<std::size_t>(n), buf.size());
    return buf;
}

std::uint16_t U16(const kes::Bytes& b, std::size_t off) { return *kes::GetU16be(b, off); }

} // namespace

TEST(TGeom, DragGivesCornerAndBox)
{
    struct Case {
        const char* name;
        int x1, y1, x2, y2, zoom, gw;
        TDrawType type;
        int left, top, picW, picH, width, height;
    } cases[] = {
        {"lower right to upper left", 40, 30, 10, 10, 1, 1, Draw_Rd_Lu, 10, 10, 30, 20, 30, 20},
        {"straight down counts as Lu_Rd", 10, 10, 10, 30, 1, 1, Draw_Lu_Rd, 10, 10, 1, 20, 1, 20},
        {"lower left to upper right", 10, 30, 40, 10, 1, 1, Draw_Ld_Ru, 10, 10, 30, 20, 30, 20},
        {"upper right to lower left", 40, 10, 10, 30, 1, 1, Draw_Ru_Ld, 10, 10, 30, 20, 30, 20},
        {"zoom 2, grid 2 truncates to whole panel pixels", 3, 3, 20, 12, 2, 2, Draw_Lu_Rd, 3, 3, 8, 4, 16, 8},
    };
    for (const Case& c : cases) {
        const GeomPtr g = MakeShape(GeomRect, c.x1, c.y1, c.x2, c.y2, c.zoom, c.gw);
        EXPECT_EQ(g->DrawType, c.type) << c.name;
        EXPECT_EQ(g->Left, c.left) << c.name;
        EXPECT_EQ(g->Top, c.top) << c.name;
        EXPECT_EQ(g->Picture.Width(), c.picW) << c.name;
        EXPECT_EQ(g->Picture.Height(), c.picH) << c.name;
        EXPECT_EQ(g->Width, c.width) << c.name;
        EXPECT_EQ(g->Height, c.height) << c.name;
    }
}

TEST(TGeom, PolylineStoresPanelPointsAndKeepsAtMostAHundred)
{
    const GeomPtr g = MakePoly({{0, 0}, {10, 0}, {5, 8}}, 2);
    ASSERT_EQ(g->PointCount, 3);
    EXPECT_EQ(g->Points[0], (TPoint{0, 0}));
    EXPECT_EQ(g->Points[1], (TPoint{5, 0}));
    EXPECT_EQ(g->Points[2], (TPoint{2, 4}));
    EXPECT_EQ(g->Picture.Width(), 6);
    EXPECT_EQ(g->Picture.Height(), 5);
    EXPECT_EQ(g->Width, 12);
    EXPECT_EQ(g->Height, 10);

    std::vector<TPoint> many;
    for (int i = 0; i < 150; ++i)
        many.push_back(TPoint{i, i % 7});
    const GeomPtr big = MakePoly(many);
    EXPECT_EQ(big->PointCount, TGeom::kMaxPoints);
    EXPECT_EQ(big->Picture.Width(), 100);

    const GeomPtr none = MakePoly({});
    EXPECT_EQ(none->PointCount, 0);
    EXPECT_EQ(none->Picture.Width(), 1);
    EXPECT_EQ(none->Picture.Height(), 1);
}

TEST(TGeom, LineOnePanelPixelWideIsVerticalWhateverTheCorner)
{
    for (TDrawType type : {Draw_Lu_Rd, Draw_Ld_Ru, Draw_Ru_Ld, Draw_Rd_Lu}) {
        const GeomPtr g = MakeShape(GeomLine, 5, 5, 5, 9);
        g->SetDrawType(type);
        EXPECT_EQ(kes::PictureToText(g->Picture), Rows({"#", "#", "#", "#"})) << int(type);
    }
    const GeomPtr flat = MakeShape(GeomLine, 9, 5, 4, 5);
    EXPECT_EQ(kes::PictureToText(flat->Picture), Rows({"#####"}));
}

// Every shape in a 9 x 7 box: the kinds with Lu_Rd, then curve, chord, pie and filled pie
// in the four corners. Shapes are redrawn from white, so changing the corner leaves no trace.
TEST(TGeom, ShapesGolden)
{
    TBitmap sheet(10 * 11, 5 * 9);
    for (int kind = GeomLine; kind <= GeomPieF; ++kind) {
        const GeomPtr g = MakeShape(static_cast<TGeomType>(kind), 0, 0, 9, 7);
        Stamp(sheet, g->Picture, (kind - 1) * 11, 0);
    }
    const TGeomType quarters[] = {GeomCurve, GeomChord, GeomPie, GeomPieF};
    for (int row = 0; row < 4; ++row)
        for (int type = 0; type < 4; ++type) {
            const GeomPtr g = MakeShape(quarters[row], 0, 0, 9, 7);
            g->SetDrawType(Draw_Rd_Lu);
            g->SetDrawType(static_cast<TDrawType>(type));
            Stamp(sheet, g->Picture, type * 11, (row + 1) * 9);
        }
    EXPECT_TRUE(golden::Matches(sheet, "tgeom_shapes"));
}

// A polyline and a thick dashed rectangle at grid 2 x 2: drawn at panel pixels and
// replicated over each grid cell.
TEST(TGeom, GridAndPenGolden)
{
    TBitmap sheet(50, 48);
    const GeomPtr poly = MakePoly({{0, 0}, {24, 16}, {44, 0}, {44, 20}}, 2, 2, 2);
    Stamp(sheet, poly->Picture, 0, 0);

    TGeom rect;
    rect.GridWidth = 2;
    rect.GridHeight = 2;
    rect.Picture.Canvas()->Pen.Style = psDash;
    rect.Picture.Canvas()->Pen.Width = 2;
    rect.ObjGeomSet(GeomRect, {}, 0, 0, 48, 24);
    Stamp(sheet, rect.Picture, 0, 24);
    EXPECT_TRUE(golden::Matches(sheet, "tgeom_grid_pen"));
}

TEST(TGeom, PolylineFollowsAResize)
{
    const GeomPtr g = MakePoly({{0, 0}, {4, 4}});
    ASSERT_EQ(g->Picture.Width(), 5);
    g->SetWidth(10);
    g->SetHeight(10);
    g->BmpRePaint();
    EXPECT_EQ(g->Points[1], (TPoint{8, 8}));
    EXPECT_EQ(g->RememberedWidth, 10);
    // A size never remembered must not divide by zero: the points stay.
    g->RememberedWidth = 0;
    g->RememberedHeight = 0;
    g->BmpRePaint();
    EXPECT_EQ(g->Points[1], (TPoint{8, 8}));
}

TEST(TGeom, DrawnTransparentlyAndInvalidatedWhenDeselected)
{
    const GeomPtr g = MakeShape(GeomLine, 0, 0, 4, 4);
    g->Selected = false;
    TBitmap page = kes::PictureFromText(Rows({"####", "....", "....", "...."}));
    TCanvas view(&page.Image(), TPoint{0, 0}, Rect(0, 0, 4, 4));
    g->Paint(view);
    EXPECT_EQ(kes::PictureToText(page), Rows({"####", ".#..", "..#.", "...#"}));

    FakeHost host;
    g->SetHost(&host);
    g->Selected = true;
    g->SetSelected(false);
    EXPECT_EQ(host.invalidates, 1);
    EXPECT_TRUE(g->Transparent);
}

// The page image takes the shape's black pixels (each panel pixel from its grid cell's
// top-left) and keeps everything it held, inside the object's box too.
TEST(TGeom, PaintDataAddsBlackOverThePage)
{
    const GeomPtr g = MakeShape(GeomRectF, 4, 0, 8, 4, 1, 2, 1); // panel box: columns 2-3, rows 0-3
    g->Picture.Canvas()->SetPixel(0, 0, clWhite);                // a white cell in the box
    std::vector<std::uint8_t> bands(8, 0x00);
    bands[0] = 0x0F;
    bands[2] = 0xFF;
    g->PaintData(8, 8, bands);
    TBitmap page(8, 8);
    TLxObj::DataToBmp(page, bands);
    EXPECT_EQ(kes::PictureToText(page),
              Rows({"#.##....", "#.##....", "#.##....", "#.##....", "..#.....", "..#.....", "..#.....", "..#....."}));
}

TEST(TGeom, RecordRoundTripsInBothModes)
{
    struct Case {
        const char* name;
        GeomPtr (*make)();
    } cases[] = {
        {"line", [] { return MakeShape(GeomLine, 0, 0, 20, 11); }},
        {"filled pie, dashed wide pen",
         [] {
             auto g = std::make_unique<TGeom>();
             g->Picture.Canvas()->Pen.Style = psDash;
             g->Picture.Canvas()->Pen.Width = 3;
             g->ObjGeomSet(GeomPieF, {}, 30, 19, 3, 2);
             return g;
         }},
        {"polyline",
         [] {
             return MakePoly({{3, 3}, {20, 9}, {11, 17}, {30, 4}});
         }},
        {"polyline at grid 2, zoom 2, even points",
         [] {
             return MakePoly({{0, 0}, {16, 8}, {32, 0}}, 2, 2, 2);
         }},
        {"no shape, one pixel", [] { return MakeShape(GeomNone, 4, 4, 4, 4); }},
    };
    for (const Case& c : cases) {
        const GeomPtr first = c.make();
        first->Picture.Canvas()->Font.Size = 9;
        const kes::Bytes mem = MemoryRecord(*first);
        int written = 0;
        const kes::Bytes file = FileRecord(*first, 0, &written);
        ASSERT_EQ(static_cast<std::size_t>(written), mem.size()) << c.name;
        ASSERT_EQ(file.size(), mem.size()) << c.name;

        // The same bytes but the picture's, which a page buffer holds reversed.
        const std::size_t n = mem[19];
        const std::size_t picAt = 26 + 4 * n;
        ASSERT_EQ(U16(mem, 2), mem.size()) << c.name;
        ASSERT_EQ(U16(mem, picAt - 2), mem.size() - picAt) << c.name;
        EXPECT_TRUE(std::equal(mem.begin(), mem.begin() + picAt, file.begin())) << c.name;
        EXPECT_TRUE(std::equal(mem.begin() + picAt, mem.end(), file.rbegin())) << c.name;

        for (const kes::Bytes* rec : {&mem, &file}) {
            TGeom second;
            second.ObjSize = first->ObjSize;
            second.GridWidth = first->GridWidth;
            second.GridHeight = first->GridHeight;
            ASSERT_EQ(second.DataToObj(*rec, 0), static_cast<int>(rec->size())) << c.name;
            EXPECT_EQ(MemoryRecord(second), mem) << c.name;
            int again = 0;
            EXPECT_EQ(FileRecord(second, 0, &again), file) << c.name;
        }
    }
}

TEST(TGeom, RecordLayout)
{
    // n = 0 and a 16 x 16 picture: 26 + 32 bytes.
    const GeomPtr square = MakeShape(GeomRect, 0, 0, 16, 16);
    const kes::Bytes rec = MemoryRecord(*square);
    ASSERT_EQ(rec.size(), 58u);
    EXPECT_EQ(U16(rec, 0), 17);
    EXPECT_EQ(rec[12], 0);
    EXPECT_EQ(rec[14], GeomRect);
    EXPECT_EQ(rec[18], 1);
    EXPECT_EQ(rec[19], 0);
    EXPECT_EQ(U16(rec, 20), 16);
    EXPECT_EQ(U16(rec, 22), 16);
    EXPECT_EQ(U16(rec, 24), 32);
    // Reversed: the last band's last column (the right edge, rows 8-15) comes first, then
    // the bottom edge's columns.
    EXPECT_EQ(rec[26], 0xFF);
    EXPECT_EQ(rec[27], 0x80);

    // With grid 1 x 1 the stored points are the points; at grid 2 they are halved again.
    const GeomPtr poly = MakePoly({{0, 0}, {6, 4}});
    const kes::Bytes p = MemoryRecord(*poly);
    EXPECT_EQ(U16(p, 24), 6);
    EXPECT_EQ(U16(p, 26), 4);
    const GeomPtr grid = MakePoly({{0, 0}, {12, 8}}, 1, 2, 2);
    ASSERT_EQ(grid->Points[1], (TPoint{6, 4}));
    const kes::Bytes q = MemoryRecord(*grid);
    EXPECT_EQ(U16(q, 24), 3);
    EXPECT_EQ(U16(q, 26), 2);

    // Written at an offset of a buffer that already holds bytes, which stay.
    kes::Bytes buf(5, 0xEE);
    EXPECT_EQ(square->ObjDataChx(buf, 3), 58);
    EXPECT_EQ(buf.size(), 61u);
    EXPECT_EQ(buf[2], 0xEE);
    EXPECT_EQ(U16(buf, 3), 17);

    // A file that cannot be written reports 0, not success.
    std::FILE* ro = std::fopen("/dev/null", "rb");
    ASSERT_NE(ro, nullptr);
    EXPECT_EQ(square->ObjTempChx(ro, 0), 0);
    std::fclose(ro);
    EXPECT_EQ(square->ObjTempChx(nullptr, 0), 0);
}

TEST(TGeom, HostileRecordsAreBoundedOrRefused)
{
    // 200 points, more than the object holds: the first 100 are read and the record is
    // stepped over whole.
    const GeomPtr src = MakeShape(GeomLine, 0, 0, 8, 8);
    const kes::Bytes good = MemoryRecord(*src);
    kes::Bytes big(good.begin(), good.begin() + 20);
    big[19] = 200;
    for (int i = 0; i < 200; ++i) {
        kes::AppendU16be(big, static_cast<std::uint16_t>(i % 8));
        kes::AppendU16be(big, static_cast<std::uint16_t>(i % 5));
    }
    kes::AppendU16be(big, 8);
    kes::AppendU16be(big, 8);
    kes::AppendU16be(big, 0);
    kes::PutU16be(big, 2, static_cast<std::uint16_t>(big.size()));
    big.push_back(0x77); // the next record's first byte
    TGeom g;
    EXPECT_EQ(g.DataToObj(big, 0), static_cast<int>(big.size() - 1));
    EXPECT_EQ(g.PointCount, TGeom::kMaxPoints);
    EXPECT_EQ(g.Points[99], (TPoint{99 % 8, 99 % 5}));

    auto with = [&](auto change) {
        kes::Bytes r = good;
        change(r);
        return r;
    };
    struct Case {
        const char* name;
        kes::Bytes rec;
    } cases[] = {
        {"empty", {}},
        {"header only", kes::Bytes(good.begin(), good.begin() + 14)},
        {"cut inside the picture size fields", kes::Bytes(good.begin(), good.begin() + 24)},
        {"length past the span", kes::Bytes(good.begin(), good.end() - 1)},
        {"length shorter than its points", with([](kes::Bytes& r) { r[19] = 3; })},
        {"length below the header", with([](kes::Bytes& r) { kes::PutU16be(r, 2, 4); })},
    };
    for (const Case& c : cases) {
        const GeomPtr obj = MakeShape(GeomRect, 1, 1, 6, 6);
        const std::string before = kes::PictureToText(obj->Picture);
        EXPECT_EQ(obj->DataToObj(c.rec, 0), 0) << c.name;
        EXPECT_EQ(obj->GeomType, GeomRect) << c.name;
        EXPECT_EQ(obj->Left, 1) << c.name;
        EXPECT_EQ(kes::PictureToText(obj->Picture), before) << c.name;
    }

    // An unknown kind and corner are kept and draw nothing; an unknown pen style is solid.
    const kes::Bytes odd = with([](kes::Bytes& r) {
        r[14] = 200;
        r[15] = 99;
        r[17] = 9;
    });
    TGeom o;
    EXPECT_EQ(o.DataToObj(odd, 0), static_cast<int>(odd.size()));
    EXPECT_EQ(o.GeomType, 200);
    EXPECT_EQ(o.Picture.Canvas()->Pen.Style, psSolid);
    EXPECT_EQ(o.DrawType, 9);
    EXPECT_EQ(kes::PictureToText(o.Picture).find('#'), std::string::npos);

    // A body that claims a picture larger than the header's box keeps the box.
    const kes::Bytes wide = with([](kes::Bytes& r) {
        kes::PutU16be(r, 20, 0xFFFF);
        kes::PutU16be(r, 22, 0xFFFF);
    });
    TGeom w;
    ASSERT_EQ(w.DataToObj(wide, 0), static_cast<int>(wide.size()));
    EXPECT_EQ(w.Picture.Width(), 8);
    EXPECT_EQ(w.Picture.Height(), 8);
}

TEST(TGeom, ExtremeValuesDoNotCrash)
{
    for (int kind = 0; kind <= 12; ++kind) {
        for (TDrawType type : {Draw_Lu_Rd, Draw_Rd_Lu, static_cast<TDrawType>(200)}) {
            TGeom g;
            g.ObjGeomSet(static_cast<TGeomType>(kind), {}, 0, 0, 0, 0);
            g.SetDrawType(type);
            std::vector<std::uint8_t> bands(16);
            g.PaintData(8, 16, bands);
            g.PaintData(0, 0, {});
            g.Picture.SetSize(0, 0);
            g.BmpRePaint();
            g.PaintData(8, 16, bands);
            kes::Bytes rec;
            EXPECT_EQ(g.ObjDataChx(rec, 0), 26) << kind;
        }
    }
    // Points far apart must not overflow the sizes made from them.
    const TPoint wild[] = {{-2000000000, 0}, {2000000000, 0}};
    TGeom p;
    p.ObjSize = 16;
    p.GridWidth = 16;
    p.ObjGeomSet(GeomPoly, wild, 0, 0, 0, 0);
    EXPECT_EQ(p.Picture.Width(), 0x7FFF * 16 + 16);
}
