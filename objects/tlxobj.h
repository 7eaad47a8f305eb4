#pragma once
// TLxObj: the base of every panel object a page holds. A plain class: the page window is
// the widget; it paints its objects in list order, routes mouse and keys to them and is
// their host. Geometry is in screen pixels (Left, Top, Width, Height); the picture is in
// picture pixels (screen / ObjSize); records and band data are in panel pixels
// (picture / GridWidth, GridHeight). Every division is an integer division, left to right.
#include "platform/bytes.h"
#include "platform/gdi.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <span>
#include <string>
#include <vector>

using AnsiString = std::string;

// Object kind code: 1..21 for the panel objects (1012 is the largest record tag).
using TLxObjType = std::int16_t;

// Shift state of key and mouse events, as a set of bits.
using TShiftState = std::uint8_t;
enum : TShiftState { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64 };

// Windows virtual-key codes the objects compare with.
constexpr std::uint16_t VK_SHIFT = 0x10;
constexpr std::uint16_t VK_CONTROL = 0x11;
constexpr std::uint16_t VK_MENU = 0x12; // Alt
constexpr std::uint16_t WM_KEYDOWN = 0x0100;

class TLxObj;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// (sender, virtual-key code by reference, shift state)
using TKeyEvent = std::function<void(TLxObj* sender, std::uint16_t& key, TShiftState shift)>;
// (sender, button, shift state, x, y in the control's screen pixels)
using TMouseEvent = std::function<void(TLxObj* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TLxObj* sender, TShiftState shift, int x, int y)>;
using TNotifyEvent = std::function<void(TLxObj* sender)>;

// What an object needs of the window that holds it (the page window implements it).
class TLxObjHost {
public:
    virtual ~TLxObjHost() = default;
    // The object's area must be drawn again from what lies below it (background first).
    virtual void InvalidateObj(TLxObj& obj) = 0;
    // The object paints itself again over its area (no background pass).
    virtual void RepaintObj(TLxObj& obj) = 0;
};

// Header bytes every object record opens with (objects/objlayout.h: ObjHead).
constexpr int kObjHeaderSize = 14;

class TLxObj {
public:
    TLxObj();
    virtual ~TLxObj();
    TLxObj(const TLxObj&) = delete;
    TLxObj& operator=(const TLxObj&) = delete;
    // A page's objects are made and let go by the thousand: their memory is kept by size for the
    // next ones instead of going back and forth to the heap.
    static void* operator new(std::size_t size);
    static void operator delete(void* p, std::size_t size) noexcept;

    // Control geometry, screen pixels.
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    // Drawn with SRCAND by the page: white pixels let what lies below show through.
    bool Transparent = false;
    // Handlers the page window assigns and calls with the object as sender.
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnDblClick;

    bool Selected = true;
    int ObjSize = 1; // zoom: screen pixels per picture pixel
    TLxObjType ObjType = 0;
    std::uint8_t ObjFrame = 0; // 0 none, 1 single, 2 double, 3 thick, 4 dashed, 5 dotted
    int OWidth = 0;            // requested size, screen pixels
    int OHeight = 0;
    TKeyEvent OnKeyDown;
    int GridHeight = 1; // picture pixels per panel pixel
    int GridWidth = 1;
    // Control corners, screen pixels: top-left, top-right, bottom-right, bottom-left.
    std::array<TPoint, 4> SelCorners{};
    bool SizeSetsPicture = false; // SetWidth/SetHeight resize the picture too
    TBitmap Picture;              // picture pixels; its canvas font is the object's font
    bool UnscaledPaint = false;
    AnsiString PrintText; // second line of the print caption
    int fontsize = 0;     // panel font 0..3, other values keep the font
    std::uint8_t CellWidth = 0;
    std::uint8_t CellHeight = 0;
    // Fourth address byte of a kind's single device reference: kept for the records only.
    std::uint8_t ExtraByte = 0;

    void SetHost(TLxObjHost* host) { host_ = host; }
    TLxObjHost* Host() const { return host_; }
    // Forwarded to the host; nothing without one.
    void Invalidate();
    void Repaint();

    // --- virtual operations ---
    virtual void BmpRePaint() {}
    // Draws the object into a page's band image (panelWidth x panelHeight panel pixels).
    virtual void PaintData(int panelWidth, int panelHeight, std::span<std::uint8_t> bands);
    virtual void SetSelected(bool v);
    // The eight selection handles, on the control canvas (0,0 = the control's top-left).
    virtual void SelRect(TCanvas& canvas);
    virtual void BmpCopyIn(const TBitmap& source, int index);
    // Packs the picture at panel resolution into dst (BmpSizeGet bytes); never past dst.
    virtual void BmpDataGet(std::span<std::uint8_t> dst);
    virtual void SetObjFrame(std::uint8_t style);
    virtual void SetWidth(int w);
    virtual void SetHeight(int h);
    // Record of a kind that writes its own (only the geometry kind): into a file at pos,
    // or into buf at offset pos. They return the bytes written (the base writes nothing), or
    // kOwnRecTooLong, writing nothing, for a record its 16-bit length can not carry.
    static constexpr int kOwnRecTooLong = -1;
    virtual int ObjTempChx(std::FILE* file, unsigned pos);
    virtual int ObjDataChx(kes::Bytes& buf, std::size_t pos);
    // Reads a kind's own record; rec starts at the record, pos is its offset in the page.
    virtual int DataToObj(kes::ByteSpan rec, unsigned pos);
    // Print caption; returns the next free y.
    virtual int PrePrnObjInf(TBitmap& page, int x, int y);
    // Paints the picture onto the control canvas (0,0 = the control's top-left).
    virtual void Paint(TCanvas& canvas);
    // Whether Paint writes every pixel of the control's box, whatever lay there: an object
    // painted before, wholly inside the box, does not show. A kind that paints otherwise says so.
    virtual bool PaintsOpaqueBox() const;

    // --- geometry ---
    void SetObjType(TLxObjType type);
    void SetObjSize(int zoom);
    void RecordSelRgn();
    AnsiString GetObjLocate() const;
    AnsiString GetObjSize() const;
    AnsiString GetObjLocateSize() const;

    // --- picture ---
    void ObjFramePaint();
    void BmpClear();
    int BmpWidth() const { return Picture.Width(); }
    int BmpHeight() const { return Picture.Height(); }
    void BmpWidthSet(int w) { Picture.SetWidth(w); }
    void BmpHeightSet(int h) { Picture.SetHeight(h); }
    void SelDashFrame(TCanvas& canvas);
    void ShadowPaint(TCanvas& canvas);
    void BmpGet(TBitmap& dst) const;
    void BmpMappin(TBitmap& dst) const;
    static void BmpLeftToRight(TBitmap& bmp);
    static void BmpTopToBottom(TBitmap& bmp);
    void GridRePaint();
    void GridRePaint(int) {}

    // --- the 14-byte record header ---
    // Writes bytes 0-1, 4-11 and 13 at the start of rec; bytes 2-3 (record length) and 12
    // (font style) keep what they hold. Returns 14, or 0 when rec is shorter than 14.
    int BaseObjDataChx(std::span<std::uint8_t> rec) const;
    // The same at offset pos of buf, growing buf (with zeros) when it is shorter.
    int BaseObjDataChx(kes::Bytes& buf, std::size_t pos) const;
    // The same into a file at pos. Returns 14, or 0 when a write fails.
    int BaseObjTempChx(std::FILE* file, unsigned pos) const;
    // Reads kind, box and font size (not byte 12) from the start of rec.
    // Returns 14, or 0 (changing nothing) when rec is shorter than 14.
    int DataToBaseObj(kes::ByteSpan rec);
    // dst[i] = src[n-1-i]
    static void ByteSwap(void* dst, const void* src, std::size_t n);
    // Copies n bytes (reversed when asked) to the file at position from its start.
    // False when the seek or the write fails.
    static bool TempRecord(std::FILE* file, long position, const void* src, std::size_t n, bool reverse);

    // --- panel fonts ---
    void FontSet(int index);
    void TextOutBmp(TBitmap& target, int x, int y, const AnsiString& text) const;
    void TextOutBmp(TCanvas& target, int x, int y, const AnsiString& text) const;

    // --- band format ---
    int BmpSizeGet() const;
    // Unpacks panel-resolution bands into the picture. False (picture unchanged) when src
    // holds fewer bytes than the picture's bands need.
    bool BmpDataSet(kes::ByteSpan src);
    // Whole-page conversions, full bands only; they return the bands done (no more than
    // dst or src holds).
    static int BmpToData(const TBitmap& picture, std::span<std::uint8_t> dst);
    static int DataToBmp(TBitmap& picture, kes::ByteSpan src);
    // Two-colour threshold: colour values below 0x800000 black, others white.
    static void BmpModify(TBitmap& picture);
    // 1:1 packing with a short last band (state pictures and rendered texts).
    static int BtnBmpSizeGet(const TBitmap& bmp);
    static void BtnBmpDataGet(std::span<std::uint8_t> dst, const TBitmap& bmp);
    // Unpacks into bmp as sized; returns the bytes used, 0 (bmp untouched) when src is
    // empty or shorter than bmp's bands.
    static int BtnBmpDataSet(kes::ByteSpan src, TBitmap& bmp);

    // --- printing and keys ---
    int PrePrnObjBasicInf(TBitmap& page, int x, int y);
    void Dispatch(unsigned message, std::uint16_t key);
    void KeyDown(std::uint16_t& key);

protected:
    // Paint with a raster operation (SRCCOPY for most kinds, SRCAND for transparent ones).
    void PaintWith(TCanvas& canvas, std::uint32_t rop);
    // The common page-image step: unpack the bands into a panel-sized scratch picture,
    // run redraw, put the object's box there (white, then the picture sampled at panel
    // resolution) and pack it back.
    void PaintDataWith(int panelWidth, int panelHeight, std::span<std::uint8_t> bands,
                       const std::function<void()>& redraw);

    // Divisors, never below 1 even when a caller stored 0.
    int Zoom() const { return ObjSize < 1 ? 1 : ObjSize; }
    int GridW() const { return GridWidth < 1 ? 1 : GridWidth; }
    int GridH() const { return GridHeight < 1 ? 1 : GridHeight; }

private:
    void HeaderFields(std::array<std::uint8_t, kObjHeaderSize>& h) const;
    TLxObjHost* host_ = nullptr;
};

namespace kes {

// Grows bmp to (width x gw) by (height x gh) and stretches its old top-left area over the
// whole, so each pixel becomes a gw x gh block (a panel picture shown at picture pixels).
void GridStretch(TBitmap& bmp, int gw, int gh);

// Of boxes painted in order, those that need not be painted: each lies wholly inside a box
// painted after it whose covers flag says it is painted over whole. Boxes without area are never
// hidden. (A page of thousands of objects piled on one another paints far fewer.)
std::vector<bool> HiddenUnderLater(std::span<const TRect> boxes, const std::vector<bool>& covers);

// While one lives on a thread, objects there leave their pictures undrawn: BmpRePaint does
// nothing, and neither do the setters that would draw (frames, shown state, bit pictures).
// The page readers hold it while the factory makes an object and its record is read into it,
// and draw the object once as they put it on its page.
class PaintHold {
public:
    PaintHold() { ++Depth(); }
    ~PaintHold() { --Depth(); }
    PaintHold(const PaintHold&) = delete;
    PaintHold& operator=(const PaintHold&) = delete;
    static bool Held() { return Depth() > 0; }

private:
    static int& Depth();
};

} // namespace kes
