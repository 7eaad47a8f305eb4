// TStBmp: a fixed picture from a file.
#include "objects/tstbmp.h"
#include "objects/objkind.h"

#include <algorithm>

TStBmp::TStBmp()
{
    SetObjType(kes::KindCode(kes::ObjKind::StBmp));
    Picture.SetSize(16, 16);
    OWidth = Width = 16;
    OHeight = Height = 16;
    SizeSetsPicture = false;
    UnscaledPaint = false;
}

bool TStBmp::BmpLoad(const AnsiString& file, int w, int h)
{
    TBitmap loaded;
    if (!loaded.LoadFromFile(file))
        return false;
    w = std::clamp(w, 0, loaded.Width());
    h = std::clamp(h, 0, loaded.Height());
    BmpModify(loaded);
    Picture.SetSize(w, h);
    BitBlt(*Picture.Canvas(), 0, 0, w, h, *loaded.Canvas(), 0, 0, SRCCOPY);
    kes::GridStretch(Picture, GridW(), GridH());
    SetWidth(Picture.Width() * Zoom());
    SetHeight(Picture.Height() * Zoom());
    return true;
}

void TStBmp::BmpCopyIn(const TBitmap& source, int)
{
    Picture.SetSize(source.Width(), source.Height());
    if (!source.Empty())
        BitBlt(*Picture.Canvas(), 0, 0, source.Width(), source.Height(), *source.Canvas(), 0, 0, SRCCOPY);
}

void TStBmp::BmpRePaint()
{
    if (kes::PaintHold::Held())
        return;
    if (Picture.Empty())
        return;
    RecordSelRgn();
    Invalidate();
}

void TStBmp::PaintData(int panelWidth, int panelHeight, std::span<std::uint8_t> bands)
{
    PaintDataWith(panelWidth, panelHeight, bands, [this] { BmpRePaint(); });
}
