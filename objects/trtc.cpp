// TRtc: the clock sample.
#include "objects/trtc.h"
#include "objects/objkind.h"

#include "objects/lxpictures.h"
#include "objects/lxtextkit.h"

TRtc::TRtc()
{
    kes::NewDevRef(*this, 4096, "");
    Picture.SetSize(20, 10);
    OWidth = Width = 20;
    OHeight = Height = 10;
    SizeSetsPicture = true;
    SetObjType(kes::KindCode(kes::ObjKind::Rtc));
    FontSet(0);
    kes::LoadBuiltinPicture(RtcPicName, Picture);
}

void TRtc::BmpRePaint()
{
    if (kes::PaintHold::Held())
        return;
    if (Picture.Width() < 1 || Picture.Height() < 1)
        return;
    kes::ShrinkToPanel(*this);
    FontSet(fontsize);
    switch (fontsize) {
    case 0:
        RtcCellText = "_805";
        break;
    case 1:
        RtcCellText = "_808";
        break;
    case 2:
        RtcCellText = "_1208";
        break;
    default:
        RtcCellText = "_1608";
        break;
    }
    BmpClear();
    const int item = RtcFormat & 0x0F;
    RtcFmtText = item == 0 ? "HHMMSS" : item == 1 ? "SUN" : "YYYYMMSS";
    RtcPicName = RtcFmtText + RtcCellText;

    const int w = Picture.Width();
    const int h = Picture.Height();
    const int off = kes::FrameTextOffset(ObjFrame, w, h, 5);
    const int inset = 2 * off;

    const TBitmap sample = kes::BuiltinPicture(RtcPicName);
    const int pw = sample.Width();
    const int ph = sample.Height();
    int x = 0;
    int y = 0;
    if (RtcAlign <= 2) {
        y = ph / 2 < (h - inset) / 2 ? off + ((h - inset) / 2 - ph / 2) : off;
        x = RtcAlign == 0 ? off : RtcAlign == 1 ? w - inset / 2 - pw - 1 : w / 2 - pw / 2;
    }
    if (!sample.Empty())
        BitBlt(*Picture.Canvas(), x, y, pw, ph, *sample.Canvas(), 0, 0, SRCCOPY);
    ObjFramePaint();
    kes::GrowFromPanel(*this);
    Invalidate();
}

int TRtc::PrePrnObjInf(TBitmap& page, int x, int y) { return kes::PrintDeviceLine(*this, page, x, y, DevText); }
