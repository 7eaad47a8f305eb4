// TScale: the ruler's ticks and numbers.
#include "objects/tscale.h"
#include "objects/objkind.h"

#include "objects/lxshapekit.h"
#include "objects/lxtextkit.h"

#include <algorithm>
#include <cstdlib>

namespace {

void Line(TCanvas& c, int x1, int y1, int x2, int y2)
{
    c.MoveTo(x1, y1);
    c.LineTo(x2, y2);
}

} // namespace

TScale::TScale()
{
    SetObjType(kes::KindCode(kes::ObjKind::Scale));
    UnscaledPaint = false;
    SizeSetsPicture = true;
    SetWidth(30);
    SetHeight(10);
    FontSet(0);
    BmpRePaint();
}

AnsiString TScale::LabelText(int r) const
{
    const int n = std::max<int>(MainDiv, 2);
    const bool fromMax = (ScaleDir >> 4) == 1;
    // 64 bits: the span of two 32-bit limits does not fit 32.
    const std::int64_t step = (std::int64_t{ScaleMax} - ScaleMin) / (n - 1);
    if (r >= n - 1) // the last number is the limit itself, whatever the step left over
        return std::to_string(fromMax ? ScaleMin : ScaleMax);
    return std::to_string(fromMax ? ScaleMax - r * step : ScaleMin + r * step);
}

// Drawn at panel resolution, W x H, with fh the panel font's height. Lines leave out their
// end points.
void TScale::BmpRePaint()
{
    if (kes::PaintHold::Held())
        return;
    if (!kes::BeginPanelPicture(*this))
        return;
    TCanvas& c = *Picture.Canvas();
    c.Pen = TPen{};
    c.Brush = TBrush{};
    FontSet(fontsize);

    const int w = Picture.Width();
    const int h = Picture.Height();
    const int fh = std::abs(c.Font.Height());
    // The dialog never gives fewer than 2 numbered ticks; a record may, and the spacing
    // divides by their count less one.
    const int n = std::max<int>(MainDiv, 2);
    const int m = SubDiv;
    const int position = ScaleDir & 0x0F;
    const bool horizontal = position == 0 || position == 1;
    const int step = (horizontal ? w - 2 : h - fh) / (n - 1);
    const int minor = step / (m + 1);

    // Horizontal numbers: the first at the left edge, the last flush right, the others
    // centred on their tick.
    auto labelX = [&](int r, int textWidth) {
        if (r == 0)
            return 0;
        if (r == n - 1)
            return w - textWidth;
        return step * r + 1 - textWidth / 2;
    };

    // The numbers first: their text boxes are opaque, and a cramped scale must keep its
    // ticks and baseline whole.
    for (int r = 0; r < n && position <= 3; ++r) {
        const AnsiString text = LabelText(r);
        const TSize size = c.TextExtent(text);
        switch (position) {
        case 0: // along the top edge
            c.TextOut(labelX(r, size.cx), 0, text);
            break;
        case 1: // along the bottom, a font height up
            c.TextOut(labelX(r, size.cx), h - fh, text);
            break;
        case 2: // ending at the middle, centred on the tick
            c.TextOut(w / 2 - size.cx, fh / 2 + step * r - size.cy / 2, text);
            break;
        default: // starting at the middle
            c.TextOut(w / 2, step * r, text);
            break;
        }
    }

    for (int r = 0; r < n; ++r) {
        const int at = horizontal ? step * r + 1 : fh / 2 + step * r;
        const int minors = r < n - 1 ? m : 0; // none after the last major tick
        switch (position) {
        case 0: // baseline at the bottom
            // To H minus the font's (negative) height: past the bottom edge, so each major
            // tick reaches the baseline whatever the font.
            Line(c, at, h / 2, at, h - c.Font.Height());
            for (int j = 1; j <= minors; ++j)
                Line(c, at + j * minor, h * 3 / 4, at + j * minor, h);
            break;
        case 1: // baseline at the top
            Line(c, at, 1, at, h / 2);
            for (int j = 1; j <= minors; ++j)
                Line(c, at + j * minor, 1, at + j * minor, h / 4);
            break;
        case 2: // baseline at the right edge
            Line(c, w - 1, at, w / 2, at);
            for (int j = 1; j <= minors; ++j)
                Line(c, w - 1, at + j * minor, w * 3 / 4, at + j * minor);
            break;
        case 3: // baseline at the left edge
            Line(c, 1, at, w / 2, at);
            for (int j = 1; j <= minors; ++j)
                Line(c, 1, at + j * minor, w / 4, at + j * minor);
            break;
        default: // an unknown position shows the clear picture
            break;
        }
    }
    switch (position) {
    case 0:
        Line(c, 1, h - 1, w - 1, h - 1);
        break;
    case 1:
        Line(c, 1, 1, w - 1, 1);
        break;
    case 2:
        Line(c, w - 1, fh / 2, w - 1, h - fh / 2);
        break;
    case 3:
        Line(c, 1, fh / 2, 1, h - fh / 2);
        break;
    default:
        break;
    }
    kes::GrowFromPanel(*this);
}

void TScale::PaintData(int panelWidth, int panelHeight, std::span<std::uint8_t> bands)
{
    PaintDataWith(panelWidth, panelHeight, bands, [this] { BmpRePaint(); });
}
