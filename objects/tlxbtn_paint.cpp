// The button object: its face, state picture and text, value pattern and value.
#include "objects/tlxbtn.h"
#include "objects/tlxval.h"
#include "objects/valformat.h"

#include <algorithm>

namespace {

// Where a run lands along a side and how much of it is copied: a run that does not fit
// inside the side less twice the inset starts at the inset and is cut to that room.
struct Span1 {
    int pos;
    int len;
};

Span1 FitAlong(int code, int outer, int size, int inset)
{
    const int room = std::max(0, outer - 2 * inset);
    if (size > room)
        return {inset, room};
    return {kes::PlaceAlong(code, outer, size, inset), size};
}

void FillWhite(TBitmap& bmp)
{
    if (!bmp.Empty())
        bmp.Image().fill(kes::ToQRgb(clWhite));
}

} // namespace

void TLxBtn::Paint(TCanvas& canvas)
{
    const int z = Zoom();
    const int w = Picture.Width() * z;
    const int h = Picture.Height() * z;
    canvas.FillRect(Rect(0, 0, w, h));
    if (!Picture.Empty())
        StretchBlt(canvas, 0, 0, w, h, *Picture.Canvas(), 0, 0, Picture.Width(), Picture.Height(), SRCCOPY);
    if (Selected)
        SelRect(canvas);
}

bool TLxBtn::PaintsOpaqueBox() const
{
    // The picture's area at the zoom is filled and copied over, whatever the box.
    return Picture.Width() > 0 && Picture.Height() > 0 && Picture.Width() * Zoom() >= Width &&
           Picture.Height() * Zoom() >= Height;
}

int TLxBtn::DrawSurface(int& w, int& h)
{
    TCanvas& c = *Picture.Canvas();
    switch (Surface) {
    case 1:
        c.Rectangle(0, 0, w, h);
        return 1;
    case 2:
        if (w <= 8 || h <= 8)
            return 0;
        c.Rectangle(0, 0, w, h);
        for (int x : {w - 2, w - 3}) {
            c.MoveTo(x, 1);
            c.LineTo(x, h - 1);
        }
        for (int y : {h - 2, h - 3}) {
            c.MoveTo(1, y);
            c.LineTo(w - 1, y);
        }
        return 4;
    case 3: {
        const int side = std::min(w, h);
        Picture.SetSize(side, side);
        w = h = side;
        c.Ellipse(0, 0, side, side);
        UnscaledPaint = true;
        return static_cast<int>(side * 0.414 / 2);
    }
    default:
        return 0;
    }
}

void TLxBtn::DrawValuePattern(int w, int h, int inset)
{
    AnsiString pattern(IntNum, '0');
    if (DecNum > 0)
        pattern += "." + AnsiString(DecNum, '0');
    if (kes::IsSignedFormat(ValType))
        pattern = "$" + pattern;
    const int pw = static_cast<int>(pattern.size()) * CellWidth;
    const int ph = CellHeight;
    if (pw <= 0 || ph <= 0)
        return;
    const Span1 x = FitAlong(TxtHPos, w, pw, inset);
    const Span1 y = FitAlong(TxtVPos, h, ph, inset);
    // Straight onto the picture, cut to the pattern's room: white, then the cells.
    TCanvas s(&Picture.Image(), TPoint{x.pos, y.pos}, TRect{0, 0, x.len, y.len});
    s.Font = Picture.Canvas()->Font;
    s.FillRect(Rect(0, 0, pw, ph));
    TextOutBmp(s, 0, 0, pattern);
}

void TLxBtn::DrawState(int w, int h, int inset)
{
    // A state with no picture of its own (a multi-state value past the last state, or no
    // states at all) leaves the bare face.
    if (CurPt < 0 || CurPt >= TotalState)
        return;
    TCanvas& c = *Picture.Canvas();
    if (const TBitmap* p = StateBmp(CurPt); p && !p->Empty() && (Surface != 2 || (w > 8 && h > 8))) {
        const int pw = p->Width();
        const int ph = p->Height();
        const int x = pw > w ? inset : kes::PlaceAlong(BmpHPos, w, pw, inset);
        const int y = ph > h ? inset : kes::PlaceAlong(BmpVPos, h, ph, inset);
        BitBlt(c, x, y, pw, ph, *p->Canvas(), 0, 0, SRCCOPY);
    }
    if (CurPt >= static_cast<int>(TxtList.size()) || TxtList[CurPt].empty())
        return;
    const TSize t = c.TextExtent(TxtList[CurPt]);
    if (t.cx <= 0 || t.cy <= 0)
        return;
    const Span1 x = FitAlong(TxtHPos, w, t.cx, inset);
    const Span1 y = FitAlong(TxtVPos, h, t.cy, inset);
    // Straight onto the picture, cut to the text's room: its box white, then its ink.
    TCanvas s(&Picture.Image(), TPoint{x.pos, y.pos}, TRect{0, 0, x.len, y.len});
    s.Font = c.Font;
    s.Brush.Color = clWhite;
    s.Brush.Style = bsSolid;
    s.TextOut(0, 0, TxtList[CurPt]);
}

void TLxBtn::BmpRePaint()
{
    if (kes::PaintHold::Held())
        return;
    const int gw = GridW();
    const int gh = GridH();
    int w = Picture.Width() / gw;
    int h = Picture.Height() / gh;
    if (w <= 0 || h <= 0)
        return;
    Picture.SetSize(w, h);
    // Drawn afresh: a smaller picture or text of the new state must not leave the old one's
    // pixels around it.
    FillWhite(Picture);
    TCanvas& c = *Picture.Canvas();
    c.Pen.Color = clBlack;
    c.Pen.Style = psSolid;
    c.Pen.Width = 1;
    c.Brush.Color = clWhite;
    c.Brush.Style = bsSolid;
    const int inset = DrawSurface(w, h);
    FontSet(fontsize);
    if (BtnType == kes::BtnType::InputValue && ReadUsed)
        DrawValuePattern(w, h, inset);
    else if (TotalState != 0)
        DrawState(w, h, inset);
    kes::GridStretch(Picture, gw, gh);
    RecordSelRgn();
    Invalidate();
}

void TLxBtn::DrawValue()
{
    // Placed as the value display places its page image, by the text position codes.
    kes::DrawValueFace(*this, ValToStr(CurVal), TxtHPos, TxtVPos);
    RecordSelRgn();
    Invalidate();
}
