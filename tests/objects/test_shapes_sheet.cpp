// Every drawn kind, in its default look and in another, painted through the page's paint
// path at zoom 2 onto one sheet: each must show something within its own box. With KES_SHEET_DIR set
// the sheet is saved there as sheet-shapes.png for a person to look at.
#include "objects/tcirmeter.h"
#include "objects/tgeom.h"
#include "objects/tlxcurve.h"
#include "objects/tprogbar.h"
#include "objects/trectmeter.h"
#include "objects/tscale.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kZoom = 2;
constexpr int kCellW = 180;
constexpr int kCellH = 190;
constexpr int kColumns = 4;

struct Entry {
    std::string caption;
    std::unique_ptr<TLxObj> obj;
};

template <class T, class F> Entry Make(std::string caption, F setup)
{
    auto obj = std::make_unique<T>();
    setup(*obj);
    obj->Selected = false;
    obj->SetObjSize(kZoom);
    return Entry{std::move(caption), std::move(obj)};
}

std::vector<Entry> Entries()
{
    std::vector<Entry> e;
    e.push_back(Make<TGeom>("geometry: line", [](TGeom& g) { g.ObjGeomSet(GeomLine, {}, 0, 0, 40, 25); }));
    e.push_back(Make<TGeom>("geometry: filled pie, pen 2", [](TGeom& g) {
        g.Picture.Canvas()->Pen.Width = 2;
        g.ObjGeomSet(GeomPieF, {}, 40, 40, 0, 0);
    }));
    e.push_back(Make<TGeom>("geometry: dashed polyline", [](TGeom& g) {
        g.Picture.Canvas()->Pen.Style = psDash;
        const TPoint pts[] = {{0, 30}, {15, 0}, {30, 30}, {45, 5}, {60, 35}};
        g.ObjGeomSet(GeomPoly, pts, 0, 0, 0, 0);
    }));
    e.push_back(Make<TScale>("scale: new", [](TScale&) {}));
    e.push_back(Make<TScale>("scale: right, reversed", [](TScale& s) {
        s.ScaleDir = 0x12;
        s.MainDiv = 4;
        s.SubDiv = 3;
        s.ScaleMin = -30;
        s.ScaleMax = 30;
        s.SetWidth(30);
        s.SetHeight(64);
        s.BmpRePaint();
    }));
    e.push_back(Make<TProgBar>("bar graph: new", [](TProgBar&) {}));
    e.push_back(Make<TProgBar>("bar graph: 7000 from left", [](TProgBar& b) {
        b.ProgBarDirect = 3;
        b.SetWidth(50);
        b.SetHeight(12);
        b.SetCurVal(7000);
    }));
    e.push_back(Make<TCirMeter>("round meter: new", [](TCirMeter& m) { m.MeterPoint(0); }));
    e.push_back(Make<TCirMeter>("round meter: full, 75", [](TCirMeter& m) {
        m.FullCircle = 1;
        m.MajorTicks = 5;
        m.MinorTicks = 1;
        m.MeterMax = 400;
        m.LabelDecimals = 2;
        m.Picture.SetSize(60, 60);
        m.SetWidth(60);
        m.SetHeight(60);
        m.MeterPoint(75);
    }));
    e.push_back(Make<TRectMeter>("square meter: new, 30", [](TRectMeter& m) { m.NeedleVal = 30; }));
    e.push_back(Make<TRectMeter>("square meter: tall, 10", [](TRectMeter& m) {
        m.SetWidth(40);
        m.SetHeight(80);
        m.MeterMin = -20;
        m.MeterMax = 20;
        m.MajorTicks = 5;
        m.MinorTicks = 1;
        m.BmpRePaint();
        m.NeedleVal = 10;
    }));
    e.push_back(Make<TLxCurve>("trend curve: new", [](TLxCurve&) {}));
    e.push_back(Make<TLxXyCurve>("x-y curve: 60 x 20", [](TLxXyCurve& c) {
        c.SetWidth(60);
        c.SetHeight(20);
        c.BmpRePaint();
    }));
    return e;
}

} // namespace

TEST(ShapesSheet, EveryKindPaintsInsideItsBox)
{
    std::vector<Entry> entries = Entries();
    const int rows = (static_cast<int>(entries.size()) + kColumns - 1) / kColumns;
    TBitmap sheet(kColumns * kCellW, rows * kCellH);
    TCanvas& sc = *sheet.Canvas();
    sc.Font.Name = "MS Sans Serif";
    sc.Font.Size = 8;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        TLxObj& obj = *entries[i].obj;
        const int cx = static_cast<int>(i % kColumns) * kCellW;
        const int cy = static_cast<int>(i / kColumns) * kCellH;
        sc.TextOut(cx + 4, cy + 2, entries[i].caption);
        // A grey frame one pixel outside the control shows its box.
        const TPoint at{cx + 8, cy + 22};
        sc.Brush.Color = clGray;
        sc.FrameRect(Rect(at.x - 1, at.y - 1, at.x + obj.Width + 1, at.y + obj.Height + 1));
        sc.Brush.Color = clWhite;
        ASSERT_LE(obj.Width, kCellW - 10) << entries[i].caption;
        ASSERT_LE(obj.Height, kCellH - 24) << entries[i].caption;
        TCanvas view(&sheet.Image(), at, Rect(0, 0, obj.Width, obj.Height));
        obj.Paint(view);
        int drawn = 0;
        for (int y = 0; y < obj.Height; ++y)
            for (int x = 0; x < obj.Width; ++x)
                drawn += view.Pixel(x, y) != clWhite ? 1 : 0;
        EXPECT_GT(drawn, 0) << entries[i].caption;
    }
    if (const char* dir = std::getenv("KES_SHEET_DIR"); dir && *dir) {
        EXPECT_TRUE(sheet.SaveToFile(std::string(dir) + "/sheet-shapes.png"));
    }
}
