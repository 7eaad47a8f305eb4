// The button object: its states, texts, pictures and their band data.
#include "objects/tlxbtn.h"
#include "objects/objkind.h"

#include "objects/addrmode.h"
#include "objects/lxtextkit.h"
#include "objects/tlxval.h"

#include <algorithm>

namespace {

constexpr int kPictureWidth = 20;
constexpr int kPictureHeight = 10;

// Bytes of the record before the state blocks at most (the longest button-type tail), and
// of a state block besides its two band data runs and its text: u16 picture width,
// u16 height, u16 count, u16 text length, u16 text width, u16 text height, u16 count.
constexpr int kBtnRecordHead = 63 + 12;
constexpr int kBtnStateBlock = 14;

} // namespace

TLxBtn::TLxBtn()
{
    SetObjType(kes::KindCode(kes::ObjKind::LxBtn));
    SizeSetsPicture = true;
    Picture.SetSize(kPictureWidth, kPictureHeight);
    SetWidth(kPictureWidth * Zoom());
    SetHeight(kPictureHeight * Zoom());
    FontSet(0);
    WriteDev.DevAddrCode = 2048;
    ReadDev.DevAddrCode = -1;
    NotifyDev.DevAddrCode = -1;
    BmpList.reserve(TotalState);
    for (int i = 0; i < TotalState; ++i)
        BmpList.push_back(std::make_unique<TBitmap>());
    TxtList.resize(TotalState);
    TxtList2.resize(TotalState);
    FileList.resize(TotalState);
}

void TLxBtn::SetBtnPt(int i)
{
    CurPt = i;
    if (kes::PaintHold::Held())
        return;
    if (!Picture.Empty())
        Picture.Image().fill(kes::ToQRgb(clWhite));
    BmpRePaint();
}

void TLxBtn::SetSurface(std::uint8_t s)
{
    Surface = s;
    UnscaledPaint = s == 3;
}

void TLxBtn::SetStateNum(std::uint8_t n)
{
    const std::size_t pictures = BmpList.size();
    TotalState = n;
    TxtList.resize(n);
    TxtList2.resize(n);
    FileList.resize(n);
    if (n < pictures) {
        BmpList.resize(n);
        SetBtnPt(n - 1);
        return;
    }
    while (BmpList.size() < n)
        BmpList.push_back(std::make_unique<TBitmap>());
}

void TLxBtn::SetCurVal(std::uint32_t v)
{
    CurVal = v;
    if (kes::IsBitBtnType(BtnType)) {
        CurPt = v != 0 ? 1 : 0;
        BmpRePaint();
    } else if (BtnType == kes::BtnType::MultiState && (ValKind == kes::kWordFlags || ValKind == kes::kEitherFlags)) {
        // A value with no state of its own shows the bare face (BmpRePaint checks the index).
        CurPt = static_cast<std::int32_t>(v);
        BmpRePaint();
    } else {
        CurPt = 0;
        if (BtnType == kes::BtnType::InputValue && ReadDev.DevAddrCode != -1)
            DrawValue();
        else
            BmpRePaint();
    }
}

TBitmap* TLxBtn::StateBmp(int i) { return kes::PictureAt(BmpList, i); }

const TBitmap* TLxBtn::StateBmp(int i) const { return kes::PictureAt(BmpList, i); }

bool TLxBtn::BmpLoad(const std::string& file)
{
    TBitmap* target = StateBmp(CurPt);
    if (!target)
        return false;
    TBitmap loaded;
    if (!loaded.LoadFromFile(file))
        return false;
    // No two-colour threshold here: the picture keeps its colours.
    const int budget = std::min(kes::kMaxRecordBytes - RecordBytesBesides(CurPt), kes::kMaxRecordBytes);
    const TSize size = kes::FitBandBudget(loaded.Width(), loaded.Height(), budget);
    target->SetSize(size.cx, size.cy);
    if (!target->Empty())
        BitBlt(*target->Canvas(), 0, 0, size.cx, size.cy, *loaded.Canvas(), 0, 0, SRCCOPY);
    BmpRePaint();
    return true;
}

void TLxBtn::BmpCopyIn(const TBitmap& source, int index)
{
    if (TBitmap* target = StateBmp(index))
        kes::CopyPicture(*target, source);
}

TSize TLxBtn::TextSize(int i) const
{
    if (i < 0 || i >= static_cast<int>(TxtList.size()))
        return TSize{0, 0};
    return Picture.Canvas()->TextExtent(TxtList[i]);
}

int TLxBtn::GetMaxWidth() const
{
    // Pictures count in pixels, texts in panel cells: the size the dialog offers.
    int widest = 0;
    for (int i = 0; i < static_cast<int>(BmpList.size()); ++i) {
        widest = std::max(widest, BmpList[i]->Width());
        if (TextSize(i).cx > widest)
            widest = static_cast<int>(TxtList[i].size()) * CellWidth;
    }
    return widest;
}

int TLxBtn::GetMaxHeight() const
{
    int tallest = 0;
    for (int i = 0; i < static_cast<int>(BmpList.size()); ++i) {
        tallest = std::max(tallest, BmpList[i]->Height());
        if (TextSize(i).cy > tallest)
            tallest = static_cast<int>(TxtList[i].size()) * CellHeight;
    }
    return tallest;
}

int TLxBtn::SurfaceInset() const
{
    const int w = Picture.Width() / GridW();
    const int h = Picture.Height() / GridH();
    switch (Surface) {
    case 1:
        return 1;
    case 2:
        return w > 8 && h > 8 ? 4 : 0;
    case 3:
        return static_cast<int>(std::min(w, h) * 0.414 / 2);
    default:
        return 0;
    }
}

int TLxBtn::TxtWidth(int i) const
{
    const int room = Picture.Width() / GridW() - 2 * SurfaceInset();
    return std::max(0, std::min(TextSize(i).cx, room));
}

int TLxBtn::TxtHeight(int i) const
{
    const int room = Picture.Height() / GridH() - 2 * SurfaceInset();
    return std::max(0, std::min(TextSize(i).cy, room));
}

int TLxBtn::TxtBmpSizeGet(int i) const { return kes::BandBytes(TxtWidth(i), TxtHeight(i)); }

void TLxBtn::TxtBmpDataGet(std::span<std::uint8_t> dst, int i) const
{
    const AnsiString text = i >= 0 && i < static_cast<int>(TxtList.size()) ? TxtList[i] : AnsiString();
    kes::TextBandsGet(dst, Picture.Canvas()->Font, text, TxtWidth(i), TxtHeight(i));
}

int TLxBtn::BtnBmpSizeGet(int i) const
{
    const TBitmap* p = StateBmp(i);
    return p ? BtnBmpSizeGet(*p) : 0;
}

void TLxBtn::BtnBmpDataGet(std::span<std::uint8_t> dst, int i) const
{
    if (const TBitmap* p = StateBmp(i))
        BtnBmpDataGet(dst, *p);
}

int TLxBtn::StateBmpSet(int i, int w, int h, kes::ByteSpan src)
{
    TBitmap* target = StateBmp(i);
    const int need = kes::BandBytes(w, h);
    if (!target || w < 0 || h < 0 || src.size() < static_cast<std::size_t>(need))
        return 0;
    if (need == 0) {
        target->SetSize(w, h);
        return 0;
    }
    // The bands are laid out for the stored width: unpack at that size, then cut, so a
    // picture stored wider than the button keeps its columns in place.
    TBitmap stored(w, h);
    BtnBmpDataSet(src, stored);
    const int cw = std::min(w, Width);
    const int ch = std::min(h, Height);
    target->SetSize(cw, ch);
    if (!target->Empty())
        BitBlt(*target->Canvas(), 0, 0, cw, ch, *stored.Canvas(), 0, 0, SRCCOPY);
    return need;
}

int TLxBtn::RecordBytesBesides(int skip) const
{
    int bytes = kBtnRecordHead;
    for (int i = 0; i < static_cast<int>(BmpList.size()); ++i) {
        const int textBytes = i < static_cast<int>(TxtList.size()) ? static_cast<int>(TxtList[i].size()) + 1 : 1;
        bytes += kBtnStateBlock + textBytes + TxtBmpSizeGet(i);
        if (i != skip)
            bytes += BtnBmpSizeGet(i);
    }
    return bytes;
}

void TLxBtn::PaintData(int panelWidth, int panelHeight, std::span<std::uint8_t> bands)
{
    PaintDataWith(panelWidth, panelHeight, bands, [this] { SetCurVal(CurVal); });
}

AnsiString TLxBtn::ValToStr(std::uint32_t v) const
{
    // The value entry's reading: no zero fill.
    return kes::PanelValueText(v, ValType, ValLen, IntNum, DecNum, false);
}

int TLxBtn::PrePrnObjInf(TBitmap& page, int x, int y)
{
    return kes::PrintDeviceLine(*this, page, x, y, WriteDev.DevText);
}
