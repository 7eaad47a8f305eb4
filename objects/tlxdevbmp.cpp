// The bit-state picture object.
#include "objects/tlxdevbmp.h"
#include "objects/objkind.h"

#include "objects/lxpictures.h"
#include "objects/lxtextkit.h"

namespace {

constexpr int kPictureSide = 16;

} // namespace

TLxDevBmp::TLxDevBmp()
{
    Picture.SetSize(kPictureSide, kPictureSide);
    SetWidth(Picture.Width() * Zoom());
    SetHeight(Picture.Height() * Zoom());
    SetCurPt(0);
    UnscaledPaint = false;
    SizeSetsPicture = false;
    SetObjType(kes::KindCode(kes::ObjKind::LxDevBmp));
    DevAddrCode = 2048;
    RefStation = 1;
    // A new object shows the "no picture" tile until its first repaint.
    if (!kes::PaintHold::Held())
        kes::LoadBuiltinPicture("BIT-0", Picture);
    OnBmp = 0;
    OffBmp = 0;
    RefDevForm = 1;
    RefIntMem = 0;
}

void TLxDevBmp::SetOnBmp(std::uint8_t number)
{
    OnBmp = number;
    if (kes::PaintHold::Held())
        return;
    kes::ShowBitPicture(Picture, number, GridW(), GridH());
    Invalidate();
}

void TLxDevBmp::SetOffBmp(std::uint8_t number)
{
    OffBmp = number;
    if (kes::PaintHold::Held())
        return;
    kes::ShowBitPicture(Picture, number, GridW(), GridH());
    Invalidate();
}

void TLxDevBmp::SetCurPt(int state)
{
    CurPt = state;
    if (state == 1)
        SetOnBmp(OnBmp);
    else
        SetOffBmp(OffBmp);
}

void TLxDevBmp::BmpRePaint()
{
    if (kes::PaintHold::Held())
        return;
    if (CurPt != 0)
        SetOnBmp(OnBmp);
    else
        SetOffBmp(OffBmp);
}

void TLxDevBmp::PaintData(int panelWidth, int panelHeight, std::span<std::uint8_t> bands)
{
    PaintDataWith(panelWidth, panelHeight, bands, [this] { BmpRePaint(); });
}

int TLxDevBmp::PrePrnObjInf(TBitmap& page, int x, int y) { return kes::PrintDeviceLine(*this, page, x, y, DevText); }
