// Shared pieces of the state-picture kinds and the multi-state picture model.
#include "objects/lxstatebmp.h"

#include "objects/lxpictures.h"
#include "objects/lxtextkit.h"

#include <algorithm>
#include <array>
#include <mutex>
#include <string>

namespace kes {

namespace {

// Bytes of one stored state block of the multi-state picture besides its band data:
// u32 value, u16 width, u16 height, u16 byte count.
constexpr int kActStateBlock = 10;
// Header and fixed body of the multi-state picture's record.
constexpr int kActRecordHead = 26;

// The bit pictures "BIT-1".. in black and white, each made once from its built-in picture
// (and again should that picture be registered anew).
class TwoColourBitPictures {
public:
    // False when there is no built-in picture of that name.
    bool Load(int index, TBitmap& pic)
    {
        const std::string name = "BIT-" + std::to_string(index);
        if (!HasBuiltinPicture(name))
            return false;
        const TBitmap source = BuiltinPicture(name);
        std::lock_guard<std::mutex> lock(mutex_);
        Made& m = made_[static_cast<std::size_t>(index)];
        if (!m.ready || m.source != source.Image().cacheKey()) {
            m.picture = source;
            TLxObj::BmpModify(m.picture);
            m.source = source.Image().cacheKey();
            m.ready = true;
        }
        if (m.picture.Empty())
            pic.SetSize(m.picture.Width(), m.picture.Height());
        else
            pic.SetImage(m.picture.Image());
        return true;
    }

private:
    struct Made {
        bool ready = false;
        qint64 source = 0;
        TBitmap picture;
    };
    std::mutex mutex_;
    std::array<Made, 19> made_;
};

} // namespace

void ShowBitPicture(TBitmap& pic, std::uint8_t number, int gridWidth, int gridHeight)
{
    const int q = number == kNoBitPicture ? -1 : std::min<int>(number, 17);
    // "BIT-0" keeps its greys: they pack as white, so the panel shows nothing for it.
    static TwoColourBitPictures* const twoColour = new TwoColourBitPictures;
    if (q < 0) {
        LoadBuiltinPicture("BIT-0", pic);
    } else if (!twoColour->Load(q + 1, pic)) {
        TLxObj::BmpModify(pic);
    }
    GridStretch(pic, gridWidth, gridHeight);
}

TBitmap* PictureAt(const std::vector<std::unique_ptr<TBitmap>>& list, int i)
{
    return i >= 0 && i < static_cast<int>(list.size()) ? list[i].get() : nullptr;
}

void CopyPicture(TBitmap& target, const TBitmap& source)
{
    target.SetSize(source.Width(), source.Height());
    if (!target.Empty() && !source.Empty())
        BitBlt(*target.Canvas(), 0, 0, source.Width(), source.Height(), *source.Canvas(), 0, 0, SRCCOPY);
}

void TextBandsGet(std::span<std::uint8_t> dst, const TFont& font, const AnsiString& text, int w, int h)
{
    std::fill(dst.begin(), dst.end(), std::uint8_t{0});
    if (dst.empty() || w <= 0 || h <= 0)
        return;
    TBitmap scratch(w, h);
    TCanvas& c = *scratch.Canvas();
    c.Font = font;
    c.Brush.Color = clWhite;
    c.Brush.Style = bsSolid;
    c.TextOut(0, 0, text);
    TLxObj::BtnBmpDataGet(dst, scratch);
}

int BandBytes(int w, int h) { return w <= 0 || h <= 0 ? 0 : w * ((h + 7) / 8); }

TSize FitBandBudget(int w, int h, int budget)
{
    if (w <= 0 || h <= 0 || budget <= 0)
        return TSize{0, 0};
    if (BandBytes(w, h) <= budget)
        return TSize{w, h};
    w = std::min(w, budget);
    h = std::min(h, 8 * (budget / w));
    return TSize{w, h};
}

// ---------------------------------------------------------------------------------------
// The multi-state picture model

TStateBmpObj::TStateBmpObj(int newPictureSide) : newPictureSide_(newPictureSide)
{
    DevAddrCode = 2048;
    RefDevForm = 1;
    RefStation = 1;
    RefIntMem = 0;
}

void TStateBmpObj::SetStateNum(std::uint8_t n)
{
    const std::size_t pictures = BmpList.size();
    TotalState = n;
    StateVal.resize(n, 0);
    TxtList.resize(n);
    FileList.resize(n);
    ResizeStateExtras(n);
    if (n < pictures) {
        BmpList.resize(n);
        SetBmpPt(n - 1);
        return;
    }
    BmpList.reserve(n);
    while (BmpList.size() < n)
        BmpList.push_back(std::make_unique<TBitmap>(newPictureSide_, newPictureSide_));
}

void TStateBmpObj::SetBmpPt(int state)
{
    CurPt = state;
    if (PaintHold::Held())
        return;
    if (!Picture.Empty())
        Picture.Image().fill(ToQRgb(clWhite));
    BmpRePaint();
}

void TStateBmpObj::CurRangeSelect(std::uint32_t v)
{
    CurVal = v;
    // Value mode previews state 0: the per-state values are for the panel.
    CurPt = StateMode < 16 ? (v != 0 ? 1 : 0) : 0;
    SetBmpPt(CurPt);
}

int TStateBmpObj::ShownIndex() const
{
    const int i = StateReverse ? TotalState - 1 - CurPt : CurPt;
    const int count = std::min<int>(TotalState, static_cast<int>(BmpList.size()));
    return i >= 0 && i < count ? i : -1;
}

TBitmap* TStateBmpObj::StateBmp(int i) { return PictureAt(BmpList, i); }

const TBitmap* TStateBmpObj::StateBmp(int i) const { return PictureAt(BmpList, i); }

bool TStateBmpObj::BmpLoad(const std::string& file, int w, int h)
{
    const int index = ShownIndex();
    TBitmap* target = StateBmp(index);
    if (!target)
        return false;
    TBitmap loaded;
    if (!loaded.LoadFromFile(file))
        return false;
    TSize size = LoadedSize(loaded.Width(), loaded.Height(), w, h);
    // A picture past what the record's 16-bit counts carry would corrupt the page.
    const int budget = std::min(kMaxRecordBytes - RecordBytesBesides(index), kMaxRecordBytes);
    size = FitBandBudget(size.cx, size.cy, budget);
    target->SetSize(size.cx, size.cy);
    if (!target->Empty())
        BitBlt(*target->Canvas(), 0, 0, size.cx, size.cy, *loaded.Canvas(), 0, 0, SRCCOPY);
    BmpModify(*target);
    BmpRePaint();
    return true;
}

void TStateBmpObj::BmpCopyIn(const TBitmap& source, int index)
{
    if (TBitmap* target = StateBmp(index))
        CopyPicture(*target, source);
}

int TStateBmpObj::StateBmpSet(int i, int w, int h, kes::ByteSpan src)
{
    TBitmap* target = StateBmp(i);
    const int need = BandBytes(w, h);
    if (!target || w < 0 || h < 0 || src.size() < static_cast<std::size_t>(need))
        return 0;
    target->SetSize(w, h);
    return need == 0 ? 0 : ActBmpDataSet(src, *target);
}

int TStateBmpObj::RecordBytesBesides(int skip) const
{
    int bytes = kActRecordHead;
    for (int i = 0; i < static_cast<int>(BmpList.size()); ++i)
        bytes += kActStateBlock + (i == skip ? 0 : ActBmpSizeGet(*BmpList[i]));
    return bytes;
}

void TStateBmpObj::PaintData(int panelWidth, int panelHeight, std::span<std::uint8_t> bands)
{
    PaintDataWith(panelWidth, panelHeight, bands, [this] { BmpRePaint(); });
}

int TStateBmpObj::PrePrnObjInf(TBitmap& page, int x, int y) { return PrintDeviceLine(*this, page, x, y, DevText); }

} // namespace kes
