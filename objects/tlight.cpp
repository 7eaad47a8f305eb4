// The lamp object.
#include "objects/tlight.h"
#include "objects/objkind.h"

#include <algorithm>

namespace {

constexpr int kPictureSide = 16;

// Fixed bytes of the lamp's record (header and settings) and, per state, of its block
// besides the two band data runs and the text: u32 value, u16 width, u16 height, u16 count,
// u16 text length, u16 text width, u16 text height, u16 count.
constexpr int kLightRecordHead = 33;
constexpr int kLightStateBlock = 18;

} // namespace

TLight::TLight() : TStateBmpObj(0)
{
    SetObjType(kes::KindCode(kes::ObjKind::Light));
    SizeSetsPicture = true;
    Picture.SetSize(kPictureSide, kPictureSide);
    SetWidth(kPictureSide * Zoom());
    SetHeight(kPictureSide * Zoom());
    SetStateNum(2);
}

void TLight::SetTxtHPos(std::uint8_t v)
{
    TxtHPos = v;
    BmpRePaint();
}

void TLight::SetTxtVPos(std::uint8_t v)
{
    TxtVPos = v;
    BmpRePaint();
}

void TLight::SetBmpHPos(std::uint8_t v)
{
    BmpHPos = v;
    BmpRePaint();
}

void TLight::SetBmpVPos(std::uint8_t v)
{
    BmpVPos = v;
    BmpRePaint();
}

TSize TLight::TextSize(int i) const
{
    if (i < 0 || i >= static_cast<int>(TxtList.size()))
        return TSize{0, 0};
    return Picture.Canvas()->TextExtent(TxtList[i]);
}

int TLight::TxtWidth()
{
    TxtW = TextSize(ShownIndex()).cx;
    return TxtW;
}

int TLight::TxtHeight()
{
    TxtH = TextSize(ShownIndex()).cy;
    return TxtH;
}

int TLight::GetMaxWidth() const
{
    int widest = 0;
    for (int i = 0; i < static_cast<int>(BmpList.size()); ++i) {
        const int tw = TextSize(i).cx;
        if (tw > widest)
            widest = tw;
        else
            widest = std::max(widest, BmpList[i]->Width());
    }
    return widest;
}

int TLight::GetMaxHeight() const
{
    int tallest = 0;
    for (int i = 0; i < static_cast<int>(BmpList.size()); ++i) {
        const int th = TextSize(i).cy;
        if (th > tallest)
            tallest = th;
        else
            tallest = std::max(tallest, BmpList[i]->Height());
    }
    return tallest;
}

int TLight::TxtBmpSizeGet(int i)
{
    const TSize size = TextSize(i);
    TxtW = size.cx;
    TxtH = size.cy;
    return kes::BandBytes(TxtW, TxtH);
}

void TLight::TxtBmpDataGet(std::span<std::uint8_t> dst, int i)
{
    const TSize size = TextSize(i);
    const AnsiString text = i >= 0 && i < static_cast<int>(TxtList.size()) ? TxtList[i] : AnsiString();
    kes::TextBandsGet(dst, Picture.Canvas()->Font, text, size.cx, size.cy);
}

void TLight::BmpRePaint()
{
    if (kes::PaintHold::Held())
        return;
    const int gw = GridW();
    const int gh = GridH();
    TCanvas& c = *Picture.Canvas();
    if (!Picture.Empty())
        Picture.Image().fill(kes::ToQRgb(clWhite));
    const int w = Picture.Width() / gw;
    const int h = Picture.Height() / gh;
    Picture.SetSize(w, h);
    const int shown = TotalState > 0 ? ShownIndex() : -1;
    if (const TBitmap* p = StateBmp(shown); p && !p->Empty()) {
        const int x = kes::PlaceAlong(BmpHPos, w, p->Width(), 0);
        const int y = kes::PlaceAlong(BmpVPos, h, p->Height(), 0);
        BitBlt(c, x, y, p->Width(), p->Height(), *p->Canvas(), 0, 0, SRCCOPY);
    }
    if (shown >= 0 && shown < static_cast<int>(TxtList.size()) && !TxtList[shown].empty()) {
        const TSize t = c.TextExtent(TxtList[shown]);
        // A text as wide as the box or wider starts at its left edge whatever the code says.
        const int x = t.cx >= w ? 0 : kes::PlaceAlong(TxtHPos, w, t.cx, 0);
        const int y = kes::PlaceAlong(TxtVPos, h, t.cy, 0);
        c.TextOut(x, y, TxtList[shown]);
    }
    kes::GridStretch(Picture, gw, gh);
    RecordSelRgn();
    Invalidate();
}

int TLight::RecordBytesBesides(int skip) const
{
    const TCanvas& c = *Picture.Canvas();
    int bytes = kLightRecordHead + static_cast<int>(c.Font.Name.size()) + 1;
    for (int i = 0; i < static_cast<int>(BmpList.size()); ++i) {
        const TSize t = TextSize(i);
        const int textBytes = i < static_cast<int>(TxtList.size()) ? static_cast<int>(TxtList[i].size()) + 1 : 1;
        bytes += kLightStateBlock + textBytes + kes::BandBytes(t.cx, t.cy);
        if (i != skip)
            bytes += ActBmpSizeGet(*BmpList[i]);
    }
    return bytes;
}

TSize TLight::LoadedSize(int fileWidth, int fileHeight, int w, int h) const
{
    return TSize{std::min(w, fileWidth), std::min(h, fileHeight)};
}
