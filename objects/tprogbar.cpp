// TProgBar: the preview and the bar for a value.
#include "objects/tprogbar.h"
#include "objects/objkind.h"

#include "objects/lxshapekit.h"
#include "objects/lxtextkit.h"

#include <algorithm>

namespace {

// Starts a redraw at panel resolution with a black outline, white inside, over the whole
// picture; false when the picture is empty.
bool BeginOutline(TLxObj& obj)
{
    if (!kes::BeginPanelPicture(obj))
        return false;
    TCanvas& c = *obj.Picture.Canvas();
    c.Pen = TPen{};
    c.Brush = TBrush{};
    c.Rectangle(0, 0, obj.Picture.Width(), obj.Picture.Height());
    return true;
}

} // namespace

TProgBar::TProgBar()
{
    DevAddrCode = 4096;
    RefDevForm = 1;
    RefStation = 1;
    RefIntMem = 0;
    SetObjType(kes::KindCode(kes::ObjKind::ProgBar));
    UnscaledPaint = false;
    SizeSetsPicture = true;
    SetWidth(10);
    SetHeight(20);
    BmpRePaint();
}

void TProgBar::SetBarDir(std::uint8_t direction) { ProgBarDirect = direction; }

void TProgBar::BmpRePaint()
{
    if (kes::PaintHold::Held())
        return;
    if (!BeginOutline(*this))
        return;
    TCanvas& c = *Picture.Canvas();
    const int w = Picture.Width();
    const int h = Picture.Height();
    c.Brush.Color = clBlack;
    switch (ProgBarDirect) {
    case 0:
        c.FillRect(Rect(0, h / 2, w, h));
        break;
    case 1:
        c.FillRect(Rect(0, 0, w, h / 2));
        break;
    case 2:
        c.FillRect(Rect(w / 2, 0, w, h));
        break;
    case 3:
        c.FillRect(Rect(0, 0, w / 2, h));
        break;
    default:
        break;
    }
    c.Brush.Color = clWhite;
    kes::GrowFromPanel(*this);
    Invalidate();
}

std::uint32_t TProgBar::BarLength(std::uint32_t v, int extent) const
{
    // Unsigned 32-bit arithmetic throughout, as the panel computes it: a value below the
    // minimum wraps to a long bar, which the outline then bounds.
    const std::uint32_t span = static_cast<std::uint32_t>(BarMax) - static_cast<std::uint32_t>(BarMin);
    if (span == 0)
        return 0;
    return static_cast<std::uint32_t>(extent) * (v - static_cast<std::uint32_t>(BarMin)) / span;
}

// Drawn at panel resolution like the preview, so the outline keeps its place in every grid
// cell of a page image.
void TProgBar::SetCurVal(std::uint32_t v)
{
    CurVal = v;
    if (!BeginOutline(*this))
        return;
    TCanvas& c = *Picture.Canvas();
    const int w = Picture.Width();
    const int h = Picture.Height();
    const bool vertical = ProgBarDirect == 0 || ProgBarDirect == 1;
    const int inside = std::max(0, (vertical ? h : w) - 2);
    // The bar lies inside the outline, one dot in from each side, and never leaves it.
    const int len = static_cast<int>(std::min<std::uint32_t>(BarLength(v, vertical ? h : w), inside));
    c.Brush.Color = clBlack;
    switch (ProgBarDirect) {
    case 0:
        c.FillRect(Rect(1, h - 1 - len, w - 1, h - 1));
        break;
    case 1:
        c.FillRect(Rect(1, 1, w - 1, 1 + len));
        break;
    case 2:
        c.FillRect(Rect(w - 1 - len, 1, w - 1, h - 1));
        break;
    case 3:
        c.FillRect(Rect(1, 1, 1 + len, h - 1));
        break;
    default:
        break;
    }
    c.Brush.Color = clWhite;
    kes::GrowFromPanel(*this);
    Invalidate();
}

void TProgBar::PaintData(int panelWidth, int panelHeight, std::span<std::uint8_t> bands)
{
    PaintDataWith(panelWidth, panelHeight, bands, [this] { SetCurVal(CurVal); });
}

int TProgBar::PrePrnObjInf(TBitmap& page, int x, int y) { return kes::PrintDeviceLine(*this, page, x, y, DevText); }
