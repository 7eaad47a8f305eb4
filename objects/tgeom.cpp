// TGeom: placing a shape from the editor's drag or clicks, and drawing it.
#include "objects/tgeom.h"
#include "objects/objkind.h"

#include "objects/lxshapekit.h"
#include "objects/lxtextkit.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace {

// A quarter of the ellipse centred on a corner of the W x H picture.
struct Quarter {
    TRect box;
    TPoint start;
    TPoint end;
};

// Arcs run counter-clockwise from start to end, so each choice keeps the quarter that lies
// inside the picture.
std::optional<Quarter> CornerQuarter(TDrawType type, int w, int h)
{
    switch (type) {
    case Draw_Lu_Rd: // centre top-left
        return Quarter{Rect(-w, -h, w, h), Point(0, h), Point(w, 0)};
    case Draw_Ld_Ru: // centre bottom-left
        return Quarter{Rect(-w, 0, w, 2 * h), Point(w, h), Point(0, 0)};
    case Draw_Ru_Ld: // centre top-right
        return Quarter{Rect(0, -h, 2 * w, h), Point(0, 0), Point(w, h)};
    case Draw_Rd_Lu: // centre bottom-right
        return Quarter{Rect(0, 0, 2 * w, 2 * h), Point(w, 0), Point(0, h)};
    }
    return std::nullopt;
}

// The pie's own start and end points (its boxes are the quarter's).
std::optional<Quarter> PieQuarter(TDrawType type, int w, int h)
{
    std::optional<Quarter> q = CornerQuarter(type, w, h);
    if (!q)
        return q;
    switch (type) {
    case Draw_Lu_Rd:
        q->start = Point(1, h);
        q->end = Point(w, 1);
        break;
    case Draw_Ld_Ru:
        q->start = Point(w, h);
        q->end = Point(1, 1);
        break;
    case Draw_Ru_Ld:
        q->start = Point(0, 1);
        q->end = Point(w, h);
        break;
    case Draw_Rd_Lu:
        q->start = Point(w, 0);
        q->end = Point(0, h);
        break;
    }
    return q;
}

// Panel pixels between two screen coordinates, kept within what a record's 16-bit fields
// hold (a wild point must not overflow the sizes made from it).
int PanelSpan(int from, int to, std::int64_t unit)
{
    return static_cast<int>(std::clamp<std::int64_t>((std::int64_t{to} - from) / unit, 0, 0x7FFF));
}

} // namespace

TGeom::TGeom()
{
    SizeSetsPicture = true;
    Transparent = true;
    SetObjType(kes::KindCode(kes::ObjKind::Geom));
}

// ---------------------------------------------------------------------------------------
// Placing

void TGeom::ObjGeomSet(TGeomType kind, std::span<const TPoint> points, int x1, int y1, int x2, int y2)
{
    GeomType = kind;
    PointCount = static_cast<int>(std::min<std::size_t>(points.size(), kMaxPoints));
    if (kind == GeomPoly) {
        SetPolyPt(points);
        if (PointCount == 0) {
            // Nothing clicked: a one-pixel shape where the mouse went down.
            Picture.SetSize(1, 1);
            RememberedWidth = 1;
            RememberedHeight = 1;
            SetWidth(Zoom() * GridW());
            SetHeight(Zoom() * GridH());
            Left = x1;
            Top = y1;
        }
    } else {
        // The first rule that matches wins, so a drag along an axis counts as Lu_Rd.
        if (x2 >= x1 && y2 >= y1)
            DrawType = Draw_Lu_Rd;
        else if (x2 >= x1 && y2 <= y1)
            DrawType = Draw_Ld_Ru;
        else if (x2 <= x1 && y2 >= y1)
            DrawType = Draw_Ru_Ld;
        else
            DrawType = Draw_Rd_Lu;
        const int left = std::min(x1, x2);
        const int top = std::min(y1, y2);
        const int pw = PanelSpan(left, std::max(x1, x2), std::int64_t{Zoom()} * GridW());
        const int ph = PanelSpan(top, std::max(y1, y2), std::int64_t{Zoom()} * GridH());
        Picture.SetSize(pw, ph);
        SetWidth(pw * Zoom() * GridW());
        SetHeight(ph * Zoom() * GridH());
        Left = left;
        Top = top;
    }
    SetDrawType(DrawType);
}

void TGeom::SetPolyPt(std::span<const TPoint> points)
{
    const int n = static_cast<int>(std::min<std::size_t>(
        {points.size(), static_cast<std::size_t>(PointCount), static_cast<std::size_t>(kMaxPoints)}));
    PointCount = n;
    if (n == 0)
        return;
    TPoint lo = points[0];
    TPoint hi = points[0];
    for (int i = 1; i < n; ++i) {
        lo.x = std::min(lo.x, points[i].x);
        lo.y = std::min(lo.y, points[i].y);
        hi.x = std::max(hi.x, points[i].x);
        hi.y = std::max(hi.y, points[i].y);
    }
    const int z = Zoom();
    const std::int64_t unitX = std::int64_t{z} * GridW();
    const std::int64_t unitY = std::int64_t{z} * GridH();
    for (int i = 0; i < n; ++i)
        Points[i] = TPoint{PanelSpan(lo.x, points[i].x, unitX), PanelSpan(lo.y, points[i].y, unitY)};
    Left = lo.x;
    Top = lo.y;
    const int pw = PanelSpan(lo.x, hi.x, unitX) + 1;
    const int ph = PanelSpan(lo.y, hi.y, unitY) + 1;
    Picture.SetSize(pw, ph);
    RememberedWidth = pw;
    RememberedHeight = ph;
    DrawPoly();
    SetWidth(pw * z * GridW());
    SetHeight(ph * z * GridH());
}

void TGeom::SetDrawType(TDrawType type)
{
    DrawType = type;
    BmpRePaint();
}

// ---------------------------------------------------------------------------------------
// Drawing

void TGeom::BmpRePaint()
{
    if (kes::PaintHold::Held())
        return;
    // From white: a resized or re-oriented shape must not keep its old lines.
    if (!kes::BeginPanelPicture(*this)) {
        Invalidate();
        return;
    }
    switch (GeomType) {
    case GeomLine:
        DrawLine();
        break;
    case GeomRect:
        DrawRect();
        break;
    case GeomRectF:
        DrawRectF();
        break;
    case GeomCir:
        DrawCir();
        break;
    case GeomCirF:
        DrawCirF();
        break;
    case GeomCurve:
        DrawCurve();
        break;
    case GeomChord:
        DrawChord();
        break;
    case GeomChordF:
        DrawChordF();
        break;
    case GeomPie:
        DrawPie();
        break;
    case GeomPieF:
        DrawPieF();
        break;
    case GeomPoly:
        DrawPoly();
        break;
    default: // none, or a kind this program does not know
        break;
    }
    kes::GrowFromPanel(*this);
    Invalidate();
}

void TGeom::DrawFilled(void (TGeom::*draw)())
{
    TBrush& brush = Picture.Canvas()->Brush;
    const TColor colour = brush.Color;
    brush.Color = clBlack;
    (this->*draw)();
    brush.Color = colour;
}

void TGeom::DrawLine()
{
    TCanvas& c = *Picture.Canvas();
    const int w = Picture.Width();
    const int h = Picture.Height();
    if (w == 1) {
        c.MoveTo(0, 0);
        c.LineTo(0, h);
    } else if (h == 1) {
        c.MoveTo(0, 0);
        c.LineTo(w, 0);
    } else if (DrawType == Draw_Ld_Ru || DrawType == Draw_Ru_Ld) {
        c.MoveTo(w, 0);
        c.LineTo(0, h);
    } else {
        c.MoveTo(0, 0);
        c.LineTo(w, h);
    }
    Invalidate();
}

void TGeom::DrawRect() { Picture.Canvas()->Rectangle(0, 0, Picture.Width(), Picture.Height()); }

void TGeom::DrawRectF()
{
    if (Picture.Empty())
        return;
    TBrush& brush = Picture.Canvas()->Brush;
    const TBrush saved = brush;
    brush = TBrush{clBlack, bsSolid};
    Picture.Canvas()->FillRect(Rect(0, 0, Picture.Width(), Picture.Height()));
    brush = saved;
}

void TGeom::DrawCir() { Picture.Canvas()->Ellipse(0, 0, Picture.Width(), Picture.Height()); }

void TGeom::DrawCirF() { DrawFilled(&TGeom::DrawCir); }

void TGeom::DrawCurve()
{
    const int w = Picture.Width();
    const int h = Picture.Height();
    std::optional<Quarter> q = CornerQuarter(DrawType, w, h);
    if (!q)
        return;
    // This one corner keeps its arc a pixel inside the picture's edges.
    if (DrawType == Draw_Lu_Rd)
        q = Quarter{Rect(1 - w, 1 - h, w - 1, h - 1), Point(1, h - 1), Point(w - 1, 1)};
    Picture.Canvas()->Arc(q->box.Left, q->box.Top, q->box.Right, q->box.Bottom, q->start.x, q->start.y, q->end.x,
                          q->end.y);
}

void TGeom::DrawChord()
{
    const std::optional<Quarter> q = CornerQuarter(DrawType, Picture.Width(), Picture.Height());
    if (q)
        Picture.Canvas()->Chord(q->box.Left, q->box.Top, q->box.Right, q->box.Bottom, q->start.x, q->start.y, q->end.x,
                                q->end.y);
}

void TGeom::DrawChordF() { DrawFilled(&TGeom::DrawChord); }

void TGeom::DrawPie()
{
    const std::optional<Quarter> q = PieQuarter(DrawType, Picture.Width(), Picture.Height());
    if (q)
        Picture.Canvas()->Pie(q->box.Left, q->box.Top, q->box.Right, q->box.Bottom, q->start.x, q->start.y, q->end.x,
                              q->end.y);
}

void TGeom::DrawPieF() { DrawFilled(&TGeom::DrawPie); }

void TGeom::DrawPoly()
{
    const int w = Picture.Width();
    const int h = Picture.Height();
    const int n = std::clamp(PointCount, 0, kMaxPoints);
    // Follow a resize: the points move with the picture's size since they were last drawn.
    // A size never remembered (0) leaves them where they are.
    if (RememberedWidth > 0 && RememberedHeight > 0 && (w != RememberedWidth || h != RememberedHeight)) {
        for (int i = 0; i < n; ++i) {
            Points[i].x = static_cast<int>(std::int64_t{w} * Points[i].x / RememberedWidth);
            Points[i].y = static_cast<int>(std::int64_t{h} * Points[i].y / RememberedHeight);
        }
    }
    RememberedWidth = w;
    RememberedHeight = h;
    if (Picture.Empty() || n == 0)
        return;
    TCanvas& c = *Picture.Canvas();
    c.MoveTo(Points[0].x, Points[0].y);
    for (int i = 1; i < n; ++i)
        c.LineTo(Points[i].x, Points[i].y);
}

// ---------------------------------------------------------------------------------------
// Painting

void TGeom::Paint(TCanvas& canvas) { PaintWith(canvas, SRCAND); }

bool TGeom::PaintsOpaqueBox() const
{
    return false; // its white lets what lies below show
}

void TGeom::PaintData(int panelWidth, int panelHeight, std::span<std::uint8_t> bands)
{
    TBitmap page(panelWidth, panelHeight);
    DataToBmp(page, bands);
    const int gw = GridW();
    const int gh = GridH();
    const int bx = Left / Zoom() / gw;
    const int by = Top / Zoom() / gh;
    const int bw = Width / Zoom() / gw;
    const int bh = Height / Zoom() / gh;
    // Black pixels only, over what the page already holds (the box is not cleared); each
    // panel pixel is the top-left pixel of its grid cell, as the band packing takes it.
    const TCanvas& pic = *Picture.Canvas();
    TCanvas& out = *page.Canvas();
    for (int j = 0; j < bh; ++j)
        for (int i = 0; i < bw; ++i)
            if (pic.Pixel(i * gw, j * gh) == clBlack)
                out.SetPixel(bx + i, by + j, clBlack);
    BmpToData(page, bands);
}
