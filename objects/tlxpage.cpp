// TLxPage: the page number marker of the editor.
#include "objects/tlxpage.h"
#include "objects/objkind.h"

TLxPage::TLxPage()
{
    SetObjType(kes::KindCode(kes::ObjKind::LxPage));
    Picture.SetSize(16, 16);
    OWidth = Width = 16;
    OHeight = Height = 16;
    SizeSetsPicture = true;
    UnscaledPaint = false;
}

void TLxPage::SetPgNum(int number)
{
    PageNumber = number;
    BmpRePaint();
}

void TLxPage::BmpRePaint()
{
    if (kes::PaintHold::Held())
        return;
    TCanvas& c = *Picture.Canvas();
    const TBrush saved = c.Brush;
    c.Brush.Color = clBtnFace;
    c.Brush.Style = bsSolid;
    c.FillRect(Rect(0, 0, Picture.Width(), Picture.Height()));
    c.TextOut(0, 0, "P." + std::to_string(PageNumber));
    c.Brush = saved;
    Invalidate();
}
