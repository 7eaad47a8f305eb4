// TLxGetVal: the value entry field.
#include "objects/tlxgetval.h"
#include "objects/objkind.h"

#include "objects/lxtextkit.h"
#include "objects/tlxval.h"

TLxGetVal::TLxGetVal()
{
    SetObjType(kes::KindCode(kes::ObjKind::LxGetVal));
    kes::NewDevRef(WriteDev, 4096, "D0");
    kes::NewDevRef(ReadDev, -1, "D0");
    kes::NewDevRef(NotifyDev, -1, "D0");
    Picture.SetSize(48, 16);
    OWidth = Width = 48;
    OHeight = Height = 16;
    SizeSetsPicture = true;
    FontSet(0);
}

AnsiString TLxGetVal::ValToStr(std::uint32_t v) const
{
    return kes::PanelValueText(v, ValType, ValLen, IntNum, DecNum, false);
}

void TLxGetVal::BmpRePaint()
{
    if (kes::PaintHold::Held())
        return;
    kes::ValuePattern p;
    p.ValType = ValType;
    p.IntNum = IntNum;
    p.DecNum = DecNum;
    p.Digit = '#';
    p.AllIntCells = true;
    p.HPos = HPos;
    p.VPos = VPos;
    kes::DrawValuePattern(*this, p);
}

void TLxGetVal::PaintData(int panelWidth, int panelHeight, std::span<std::uint8_t> bands)
{
    const TBitmap editorPicture(Picture);
    PaintDataWith(panelWidth, panelHeight, bands, [this] { kes::DrawValueFace(*this, ValToStr(CurVal), HPos, VPos); });
    Picture = editorPicture;
}

int TLxGetVal::PrePrnObjInf(TBitmap& page, int x, int y)
{
    return kes::PrintDeviceLine(*this, page, x, y, WriteDev.DevText);
}
