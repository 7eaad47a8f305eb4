// TLxObj: geometry, painting, frames, the record header, print caption and keys.
#include "objects/tlxobj.h"

#include "objects/objkind.h"
#include "objects/objlayout.h"

#include <algorithm>
#include <mutex>
#include <utility>
#include <vector>

namespace {

// Restores a canvas's pen at scope end.
class PenKeeper {
public:
    explicit PenKeeper(TCanvas& c) : canvas_(c), saved_(c.Pen) {}
    ~PenKeeper() { canvas_.Pen = saved_; }
    PenKeeper(const PenKeeper&) = delete;
    PenKeeper& operator=(const PenKeeper&) = delete;

private:
    TCanvas& canvas_;
    TPen saved_;
};

// A black pen of width 1 in style (the caller keeps the old pen).
void SetBlackPen(TCanvas& c, TPenStyle style)
{
    c.Pen.Color = clBlack;
    c.Pen.Style = style;
    c.Pen.Width = 1;
    c.Pen.Mode = pmCopy;
}

// The right and bottom edges of a w x h control, from the bottom-right corner.
void RightBottomLines(TCanvas& c, int w, int h, TPenStyle style)
{
    PenKeeper keep(c);
    SetBlackPen(c, style);
    c.MoveTo(w - 1, h - 1);
    c.LineTo(w - 1, 1);
    c.MoveTo(w - 1, h - 1);
    c.LineTo(1, h - 1);
}

// The four sides of (l, t)-(r, b) clockwise from the top-left corner; end points are
// excluded by LineTo, so the last line closes at endY instead of t when asked.
void ClockwiseFrame(TCanvas& c, int l, int t, int r, int b, int endY)
{
    c.MoveTo(l, t);
    c.LineTo(r, t);
    c.LineTo(r, b);
    c.LineTo(l, b);
    c.LineTo(l, endY);
}

} // namespace

namespace {

// The memory of objects let go, by size (a kind's objects are all of one size). Bounded; kept
// for the whole run. Under AddressSanitizer every object goes to the heap, so that a use after
// its end is still found.
class ObjMemory {
public:
    static ObjMemory& Of()
    {
        static ObjMemory* memory = new ObjMemory; // objects may be let go after the end of main
        return *memory;
    }
    void* Take(std::size_t size)
    {
        if (!Pooled)
            return ::operator new(size);
        {
            std::lock_guard lock(mutex_);
            for (Kept& k : kept_)
                if (k.size == size && !k.free.empty()) {
                    void* p = k.free.back();
                    k.free.pop_back();
                    bytes_ -= size;
                    return p;
                }
        }
        return ::operator new(size);
    }
    void Give(void* p, std::size_t size) noexcept
    {
        if (Pooled) {
            std::lock_guard lock(mutex_);
            if (bytes_ + size <= kKeptBytes) {
                try {
                    auto it =
                        std::find_if(kept_.begin(), kept_.end(), [size](const Kept& k) { return k.size == size; });
                    if (it == kept_.end())
                        it = kept_.insert(kept_.end(), Kept{size, {}});
                    it->free.push_back(p);
                    bytes_ += size;
                    return;
                } catch (...) {
                    // No room to note it: it goes back to the heap.
                }
            }
        }
        ::operator delete(p);
    }

private:
#if defined(__SANITIZE_ADDRESS__)
    static constexpr bool Pooled = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    static constexpr bool Pooled = false;
#else
    static constexpr bool Pooled = true;
#endif
#else
    static constexpr bool Pooled = true;
#endif
    static constexpr std::size_t kKeptBytes = std::size_t(16) << 20;
    struct Kept {
        std::size_t size;
        std::vector<void*> free;
    };
    std::mutex mutex_;
    std::vector<Kept> kept_;
    std::size_t bytes_ = 0;
};

} // namespace

void* TLxObj::operator new(std::size_t size) { return ObjMemory::Of().Take(size); }

void TLxObj::operator delete(void* p, std::size_t size) noexcept
{
    if (p)
        ObjMemory::Of().Give(p, size);
}

std::vector<bool> kes::HiddenUnderLater(std::span<const TRect> boxes, const std::vector<bool>& covers)
{
    const std::size_t n = boxes.size();
    std::vector<bool> hidden(n, false);
    const auto has = [&](std::size_t i) { return boxes[i].Width() > 0 && boxes[i].Height() > 0; };
    long long left = 0, top = 0, right = 0, bottom = 0;
    bool any = false;
    for (std::size_t i = 0; i < n; ++i) {
        if (!has(i))
            continue;
        left = any ? std::min<long long>(left, boxes[i].Left) : boxes[i].Left;
        top = any ? std::min<long long>(top, boxes[i].Top) : boxes[i].Top;
        right = any ? std::max<long long>(right, boxes[i].Right) : boxes[i].Right;
        bottom = any ? std::max<long long>(bottom, boxes[i].Bottom) : boxes[i].Bottom;
        any = true;
    }
    if (!any || n < 2)
        return hidden;
    // The covering boxes painted later, filed under every cell of a coarse grid they reach: one
    // that holds a box holds its top-left, so the box's cell names every candidate.
    long long cell = 32;
    while (((right - left) / cell + 1) * ((bottom - top) / cell + 1) > (1 << 14))
        cell *= 2;
    const long long cols = (right - left) / cell + 1;
    const long long rows = (bottom - top) / cell + 1;
    std::vector<std::vector<std::uint32_t>> filed(static_cast<std::size_t>(cols * rows));
    // A crowded cell is looked through only so far: a box missed there is painted, which is
    // never wrong.
    constexpr std::size_t kLooked = 256;
    for (std::size_t i = n; i-- > 0;) {
        if (!has(i))
            continue;
        const TRect& a = boxes[i];
        const auto& candidates = filed[static_cast<std::size_t>((a.Top - top) / cell * cols + (a.Left - left) / cell)];
        for (std::size_t k = 0; k < candidates.size() && k < kLooked; ++k) {
            const TRect& b = boxes[candidates[k]];
            if (b.Left <= a.Left && b.Top <= a.Top && b.Right >= a.Right && b.Bottom >= a.Bottom) {
                hidden[i] = true;
                break;
            }
        }
        if (hidden[i] || !covers[i])
            continue;
        for (long long r = (a.Top - top) / cell; r <= (a.Bottom - 1 - top) / cell; ++r)
            for (long long c = (a.Left - left) / cell; c <= (a.Right - 1 - left) / cell; ++c)
                filed[static_cast<std::size_t>(r * cols + c)].push_back(static_cast<std::uint32_t>(i));
    }
    return hidden;
}

int& kes::PaintHold::Depth()
{
    thread_local int depth = 0;
    return depth;
}

TLxObj::TLxObj() = default;

TLxObj::~TLxObj() = default;

void TLxObj::Invalidate()
{
    if (host_)
        host_->InvalidateObj(*this);
}

void TLxObj::Repaint()
{
    if (host_)
        host_->RepaintObj(*this);
}

// ---------------------------------------------------------------------------------------
// Geometry

void TLxObj::SetObjType(TLxObjType type)
{
    ObjType = type;
    RecordSelRgn();
}

void TLxObj::SetObjSize(int zoom)
{
    if (zoom < 1)
        return;
    const int old = Zoom();
    // Integer rescaling, in this order; shrinking truncates (33 at zoom 2 -> 16 at zoom 1).
    Top = Top * zoom / old;
    Left = Left * zoom / old;
    OWidth = OWidth * zoom / old;
    OHeight = OHeight * zoom / old;
    Width = OWidth;
    Height = OHeight;
    ObjSize = zoom;
    RecordSelRgn();
}

void TLxObj::RecordSelRgn()
{
    SelCorners = {TPoint{Left, Top}, TPoint{Left + Width, Top}, TPoint{Left + Width, Top + Height},
                  TPoint{Left, Top + Height}};
}

void TLxObj::SetWidth(int w)
{
    w = std::max(w, Zoom() * GridW()); // at least one panel pixel
    OWidth = w;
    Width = w;
    if (SizeSetsPicture)
        Picture.SetWidth(OWidth / Zoom());
}

void TLxObj::SetHeight(int h)
{
    h = std::max(h, Zoom() * GridH());
    OHeight = h;
    Height = h;
    if (SizeSetsPicture)
        Picture.SetHeight(OHeight / Zoom());
}

AnsiString TLxObj::GetObjLocate() const
{
    return "(" + std::to_string(Left / Zoom() / GridW()) + "," + std::to_string(Top / Zoom() / GridH()) + ")";
}

AnsiString TLxObj::GetObjSize() const
{
    return "(" + std::to_string(Width / Zoom() / GridW()) + "," + std::to_string(Height / Zoom() / GridH()) + ")";
}

AnsiString TLxObj::GetObjLocateSize() const { return "(X,Y)=" + GetObjLocate() + ",(W,H)=" + GetObjSize(); }

// ---------------------------------------------------------------------------------------
// Selection and painting

void TLxObj::SetSelected(bool v)
{
    // A transparent kind leaves its handles behind when it repaints itself.
    const kes::ObjKindFacts* facts = kes::KindFactsOf(*this);
    if (Selected && !v && facts && facts->Transparent)
        Invalidate();
    Selected = v;
    Repaint();
}

void TLxObj::SelRect(TCanvas& canvas)
{
    if (!Selected)
        return;
    PenKeeper keep(canvas);
    SetBlackPen(canvas, psSolid);
    const int z = Zoom();
    const int w = Width;
    const int h = Height;
    const int mw = w / 2;
    const int mh = h / 2;
    const TRect handles[8] = {
        {0, 0, 2 * z, 2 * z},           // top-left
        {mw - z, 0, mw + z, 2 * z},     // top-middle
        {w - 2 * z, 0, w, 2 * z},       // top-right
        {w - 2 * z, mh - z, w, mh + z}, // right-middle
        {w - 2 * z, h - 2 * z, w, h},   // bottom-right
        {mw - z, h - 2 * z, mw + z, h}, // bottom-middle
        {0, h - 2 * z, 2 * z, h},       // bottom-left
        {0, mh - z, 2 * z, mh + z},     // left-middle
    };
    for (const TRect& r : handles)
        canvas.Rectangle(r);
}

void TLxObj::Paint(TCanvas& canvas) { PaintWith(canvas, SRCCOPY); }

bool TLxObj::PaintsOpaqueBox() const
{
    // Stretched over the whole box and copied (a transparent kind paints otherwise).
    return !Transparent && !UnscaledPaint && Picture.Width() > 0 && Picture.Height() > 0;
}

void TLxObj::PaintWith(TCanvas& canvas, std::uint32_t rop)
{
    const int pw = Picture.Width();
    const int ph = Picture.Height();
    if (pw <= 0 || ph <= 0)
        return;
    const TCanvas& src = *Picture.Canvas();
    if (!UnscaledPaint)
        StretchBlt(canvas, 0, 0, Width, Height, src, 0, 0, pw, ph, rop);
    else if (ObjSize == 1)
        BitBlt(canvas, 0, 0, Width, Height, src, 0, 0, rop);
    else
        StretchBlt(canvas, 0, 0, pw * Zoom() * GridW(), ph * Zoom() * GridH(), src, 0, 0, pw, ph, rop);
    if (Selected)
        SelRect(canvas);
}

void TLxObj::SelDashFrame(TCanvas& canvas)
{
    if (Selected)
        RightBottomLines(canvas, Width, Height, psDot);
}

void TLxObj::ShadowPaint(TCanvas& canvas) { RightBottomLines(canvas, Width, Height, psSolid); }

// ---------------------------------------------------------------------------------------
// Picture

void TLxObj::SetObjFrame(std::uint8_t style)
{
    ObjFrame = style;
    if (!kes::PaintHold::Held())
        ObjFramePaint();
}

void TLxObj::ObjFramePaint()
{
    TCanvas& c = *Picture.Canvas();
    const int r = Picture.Width() - 1;
    const int b = Picture.Height() - 1;
    switch (ObjFrame) {
    case 1:
        ClockwiseFrame(c, 0, 0, r, b, 0);
        break;
    case 2:
        ClockwiseFrame(c, 0, 0, r, b, 0);
        ClockwiseFrame(c, 2, 2, r - 2, b - 2, 2);
        break;
    case 3:
        c.Pen.Width = 2;
        ClockwiseFrame(c, 1, 1, r - 1, b - 1, 0);
        break;
    case 4:
        c.Pen.Style = psDash;
        ClockwiseFrame(c, 0, 0, r, b, 0);
        break;
    case 5:
        c.Pen.Style = psDot;
        ClockwiseFrame(c, 0, 0, r, b, 0);
        break;
    default:
        break;
    }
    c.Pen.Style = psSolid;
    c.Pen.Width = 1;
}

void TLxObj::BmpClear() { Picture.Canvas()->FillRect(Rect(0, 0, Picture.Width(), Picture.Height())); }

void TLxObj::BmpCopyIn(const TBitmap&, int) {}

void TLxObj::BmpGet(TBitmap& dst) const
{
    dst.SetSize(Picture.Width(), Picture.Height());
    BitBlt(*dst.Canvas(), 0, 0, Picture.Width(), Picture.Height(), *Picture.Canvas(), 0, 0, SRCCOPY);
}

void TLxObj::BmpMappin(TBitmap& dst) const
{
    const int z = Zoom();
    BitBlt(*dst.Canvas(), Left / z, Top / z, Width / z, Height / z, *Picture.Canvas(), 0, 0, SRCCOPY);
}

void TLxObj::BmpLeftToRight(TBitmap& bmp)
{
    const TBitmap copy(bmp);
    const int w = bmp.Width();
    for (int j = 0; j < bmp.Height(); ++j)
        for (int i = 0; i < w; ++i)
            bmp.Canvas()->SetPixel(i, j, copy.Canvas()->Pixel(w - 1 - i, j));
}

void TLxObj::BmpTopToBottom(TBitmap& bmp)
{
    const TBitmap copy(bmp);
    const int h = bmp.Height();
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < bmp.Width(); ++i)
            bmp.Canvas()->SetPixel(i, j, copy.Canvas()->Pixel(i, h - 1 - j));
}

void TLxObj::GridRePaint()
{
    const int gw = GridW();
    const int gh = GridH();
    const int w = Picture.Width();
    const int h = Picture.Height();
    TCanvas& c = *Picture.Canvas();
    for (int cx = 0; cx < w; cx += gw) {
        for (int cy = 0; cy < h; cy += gh) {
            const int r = std::min(cx + gw, w);
            const int b = std::min(cy + gh, h);
            bool black = false;
            for (int x = cx; x < r && !black; ++x)
                for (int y = cy; y < b && !black; ++y)
                    black = c.Pixel(x, y) == clBlack;
            if (!black)
                continue;
            for (int x = cx; x < r; ++x)
                for (int y = cy; y < b; ++y)
                    c.SetPixel(x, y, clBlack);
        }
    }
}

// ---------------------------------------------------------------------------------------
// Record header (objects/objlayout.h: ObjHead)
//
//   left   = Left / ObjSize / GridWidth
//   top    = Top / ObjSize / GridHeight
//   right  = (Left + Width) / ObjSize / GridWidth - 1   (inclusive)
//   bottom = (Top + Height) / ObjSize / GridHeight - 1  (inclusive)
// The kind's writer writes the record length after its body, and the font style. Coordinates
// are stored as 16-bit two's complement and read back signed, so an object pushed past the
// page's left or top edge comes back where it was.

namespace {
namespace L = kes::layout::ObjHead;
static_assert(L::Size == static_cast<std::size_t>(kObjHeaderSize));
} // namespace

void TLxObj::HeaderFields(std::array<std::uint8_t, kObjHeaderSize>& h) const
{
    const int z = Zoom();
    const int gw = GridW();
    const int gh = GridH();
    kes::PutU16be(h, L::Kind, static_cast<std::uint16_t>(ObjType));
    kes::PutU16be(h, L::Left, static_cast<std::uint16_t>(Left / z / gw));
    kes::PutU16be(h, L::Top, static_cast<std::uint16_t>(Top / z / gh));
    kes::PutU16be(h, L::Right, static_cast<std::uint16_t>((Left + Width) / z / gw - 1));
    kes::PutU16be(h, L::Bottom, static_cast<std::uint16_t>((Top + Height) / z / gh - 1));
    h[L::FontSize] = static_cast<std::uint8_t>(Picture.Canvas()->Font.Size);
}

int TLxObj::BaseObjDataChx(std::span<std::uint8_t> rec) const
{
    if (rec.size() < kObjHeaderSize)
        return 0;
    std::array<std::uint8_t, kObjHeaderSize> h{};
    HeaderFields(h);
    // Everything but the length and the font style.
    std::copy(h.begin() + L::Kind, h.begin() + L::Length, rec.begin() + L::Kind);
    std::copy(h.begin() + L::Left, h.begin() + L::FontStyle, rec.begin() + L::Left);
    rec[L::FontSize] = h[L::FontSize];
    return kObjHeaderSize;
}

int TLxObj::BaseObjDataChx(kes::Bytes& buf, std::size_t pos) const
{
    if (buf.size() < pos + kObjHeaderSize)
        buf.resize(pos + kObjHeaderSize, 0);
    return BaseObjDataChx(std::span<std::uint8_t>(buf).subspan(pos));
}

int TLxObj::BaseObjTempChx(std::FILE* file, unsigned pos) const
{
    std::array<std::uint8_t, kObjHeaderSize> h{};
    HeaderFields(h);
    const long at = static_cast<long>(pos);
    if (!TempRecord(file, at + L::Kind, &h[L::Kind], L::Length - L::Kind, false) ||
        !TempRecord(file, at + L::Left, &h[L::Left], L::FontStyle - L::Left, false) ||
        !TempRecord(file, at + L::FontSize, &h[L::FontSize], 1, false))
        return 0;
    return kObjHeaderSize;
}

int TLxObj::DataToBaseObj(kes::ByteSpan rec)
{
    if (rec.size() < kObjHeaderSize)
        return 0;
    auto s16 = [&](std::size_t off) { return static_cast<std::int16_t>(*kes::GetU16be(rec, off)); };
    const int z = Zoom();
    const int gw = GridW();
    const int gh = GridH();
    SetObjType(s16(L::Kind));
    Left = s16(L::Left) * z * gw;
    Top = s16(L::Top) * z * gh;
    SetWidth((s16(L::Right) + 1) * z * gw - Left);
    Picture.SetWidth(Width / z);
    SetHeight((s16(L::Bottom) + 1) * z * gh - Top);
    Picture.SetHeight(Height / z);
    Picture.Canvas()->Font.Size = rec[L::FontSize];
    return kObjHeaderSize;
}

void TLxObj::ByteSwap(void* dst, const void* src, std::size_t n)
{
    kes::ReverseCopy(static_cast<std::uint8_t*>(dst), static_cast<const std::uint8_t*>(src), n);
}

bool TLxObj::TempRecord(std::FILE* file, long position, const void* src, std::size_t n, bool reverse)
{
    if (!file || position < 0)
        return false;
    kes::Bytes bytes(static_cast<const std::uint8_t*>(src), static_cast<const std::uint8_t*>(src) + n);
    if (reverse)
        std::reverse(bytes.begin(), bytes.end());
    if (std::fseek(file, position, SEEK_SET) != 0)
        return false;
    return n == 0 || std::fwrite(bytes.data(), 1, n, file) == n;
}

// ---------------------------------------------------------------------------------------
// Kinds' own records: none in the base.

int TLxObj::ObjTempChx(std::FILE*, unsigned) { return 0; }

int TLxObj::ObjDataChx(kes::Bytes&, std::size_t) { return 0; }

int TLxObj::DataToObj(kes::ByteSpan, unsigned) { return 0; }

// ---------------------------------------------------------------------------------------
// Page images

void TLxObj::PaintData(int, int, std::span<std::uint8_t>) {}

void TLxObj::PaintDataWith(int panelWidth, int panelHeight, std::span<std::uint8_t> bands,
                           const std::function<void()>& redraw)
{
    TBitmap page(panelWidth, panelHeight);
    DataToBmp(page, bands);
    if (redraw)
        redraw();
    const int z = Zoom();
    const int gw = GridW();
    const int gh = GridH();
    const int bx = Left / z / gw;
    const int by = Top / z / gh;
    const int bw = Width / z / gw;
    const int bh = Height / z / gh;
    TCanvas& out = *page.Canvas();
    out.Brush.Color = clWhite;
    out.Brush.Style = bsSolid;
    out.FillRect(Rect(bx, by, bx + bw, by + bh));
    // The picture holds GridWidth x GridHeight pixels per panel pixel: each panel pixel is
    // taken from its cell's top-left, as the band packing does (a 1:1 copy would put the
    // enlarged picture's corner on the page when the grid is above 1).
    const TCanvas& pic = *Picture.Canvas();
    for (int j = 0; j < bh; ++j)
        for (int i = 0; i < bw; ++i)
            if (pic.Pixel(i * gw, j * gh) == clBlack)
                out.SetPixel(bx + i, by + j, clBlack);
    BmpToData(page, bands);
}

// ---------------------------------------------------------------------------------------
// Print caption and keys

int TLxObj::PrePrnObjInf(TBitmap& page, int x, int y) { return PrePrnObjBasicInf(page, x, y); }

int TLxObj::PrePrnObjBasicInf(TBitmap& page, int x, int y)
{
    const int z = Zoom();
    const AnsiString first = "(" + std::to_string(Left / z) + "," + std::to_string(Top / z) + ")[" +
                             std::to_string(Width / z) + "," + std::to_string(Height / z) + "]";
    TCanvas& c = *page.Canvas();
    const int h1 = c.TextHeight(first);
    page.SetHeight(page.Height() + h1);
    c.TextOut(x, y, first);
    const int h2 = c.TextHeight(PrintText);
    page.SetHeight(page.Height() + h2);
    c.TextOut(x, y + h1, PrintText);
    return y + h1 + h2;
}

void TLxObj::Dispatch(unsigned message, std::uint16_t key)
{
    if (message == WM_KEYDOWN)
        KeyDown(key);
}

void TLxObj::KeyDown(std::uint16_t& key)
{
    if (!OnKeyDown)
        return;
    // Built from the key code alone, as the panel editor always did.
    TShiftState shift = 0;
    if (key == VK_SHIFT)
        shift = ssShift;
    else if (key == VK_MENU)
        shift = ssAlt;
    else if (key == VK_CONTROL)
        shift = ssCtrl;
    OnKeyDown(this, key, shift);
}
