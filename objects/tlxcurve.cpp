// The curve placeholders.
#include "objects/tlxcurve.h"
#include "objects/objkind.h"

#include "objects/lxtextkit.h"

TLxCurve::TLxCurve()
{
    DevText = "D0";
    DevAddrCode = 4096;
    RefDevForm = 1;
    RefIntMem = 0;
    RefStation = 1;
    SizeSetsPicture = true;
    SetObjType(kes::KindCode(kes::ObjKind::LxCurve));
    SetWidth(30);
    SetHeight(30);
    BmpRePaint();
}

void TLxCurve::BmpRePaint()
{
    if (kes::PaintHold::Held())
        return;
    if (Picture.Width() < 1 || Picture.Height() < 1)
        return;
    TCanvas& c = *Picture.Canvas();
    const TBrush saved = c.Brush;
    c.Brush = TBrush{clBtnFace, bsSolid};
    c.FillRect(Rect(0, 0, Picture.Width(), Picture.Height()));
    c.Brush = saved;
}

int TLxCurve::PrePrnObjInf(TBitmap& page, int x, int y) { return kes::PrintDeviceLine(*this, page, x, y, DevText); }

TLxXyCurve::TLxXyCurve() { SetObjType(kes::KindCode(kes::ObjKind::LxXyCurve)); }
