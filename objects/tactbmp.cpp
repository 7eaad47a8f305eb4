// The multi-state picture object.
#include "objects/tactbmp.h"
#include "objects/objkind.h"

namespace {

constexpr int kPictureSide = 16;

} // namespace

TActBmp::TActBmp() : TStateBmpObj(kPictureSide)
{
    SetObjType(kes::KindCode(kes::ObjKind::ActBmp));
    Picture.SetSize(kPictureSide, kPictureSide);
    SetWidth(kPictureSide * Zoom());
    SetHeight(kPictureSide * Zoom());
    SetStateNum(2);
}

void TActBmp::BmpRePaint()
{
    if (kes::PaintHold::Held())
        return;
    const TBitmap* shown = TotalState != 0 ? StateBmp(ShownIndex()) : nullptr;
    if (shown) {
        const int w = shown->Width();
        const int h = shown->Height();
        Picture.SetSize(w, h);
        if (w > 0 && h > 0) {
            BitBlt(*Picture.Canvas(), 0, 0, w, h, *shown->Canvas(), 0, 0, SRCCOPY);
            kes::GridStretch(Picture, GridW(), GridH());
            SetWidth(Picture.Width() * Zoom());
            SetHeight(Picture.Height() * Zoom());
        }
    }
    RecordSelRgn();
    Invalidate();
}

TSize TActBmp::LoadedSize(int fileWidth, int fileHeight, int, int) const
{
    // The picture keeps the file's own size (within what the record can carry).
    return TSize{fileWidth, fileHeight};
}
