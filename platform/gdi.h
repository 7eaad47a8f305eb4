#pragma once
// A small bitmap and drawing layer with the pixel rules of the Windows GDI, over QImage.
// Panel bytes are made from these pictures, so every primitive is deterministic:
// no antialiasing, integer rules, fonts measured at 96 pixels per inch.
//
// Pixel rules (the ones stored pictures depend on):
//  - LineTo draws from the pen position up to, but not including, the end point.
//  - Rectangle, FillRect, Ellipse, Arc, Chord and Pie take a box whose right and bottom
//    edges are excluded: Rectangle(0,0,4,3) covers columns 0..3 and rows 0..2.
//  - Arc, Chord and Pie run counter-clockwise (as seen on the screen) from the ray through
//    the start point to the ray through the end point; both rays start at the box centre.
//  - TextOut puts the top-left corner of the text at (x, y) and first fills the text's
//    box with the brush unless the brush is clear.
//  - Dashed and dotted pens fill their gaps with the brush colour unless the brush is clear.
//    Runs in pixels along the path: dash 18 on 6 off, dot 3/3, dash-dot 9/6/3/6,
//    dash-dot-dot 9/3/3/3/3/3; the pattern runs on through a Polyline, a Polygon and round
//    a Rectangle (clockwise from the top-left) or an ellipse (counter-clockwise from the
//    right); each LineTo starts it afresh.
//  - A line's pixel in each column (or row, for steep lines) is the one nearest the ideal
//    line; a tie stays on the start point's side.
//  - Pens wider than 1 draw solid whatever their style. Along a line they stamp a round
//    block Width pixels across on every pixel of the one-pixel line, end point included
//    (an even width reaches one pixel further up and left than down and right). Outlines
//    of rectangles and ellipses grow inwards from the box.
//  - A Rectangle without a pen fills one column and one row less.
//  - Ellipse pixels are those whose centre lies in the ellipse inscribed in the box; the
//    outline is the ellipse pixels with a side-neighbour outside it.
//  - The pen mode (pmNotXor...) applies to what the pen and the brush paint in LineTo,
//    Polyline, Polygon, Rectangle and the ellipse family, each pixel once per call;
//    FillRect, FrameRect, TextOut and SetPixel write plainly.
//  - Block transfers leave pixels alone whose source lies outside the source canvas.
//  - Colours are 0x00BBGGRR; a pixel is "black" only when it is exactly 0.
#include <QImage>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

using TColor = std::uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clNavy = 0x800000;
// The 3-D face colour of editor-only pictures and grid cells (a fixed value: no system theme).
constexpr TColor clBtnFace = 0xC0C0C0;
constexpr TColor clHighlight = 0x800000;
// What GetPixel answers outside the picture.
constexpr TColor CLR_INVALID = 0xFFFFFFFF;

struct TPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const TSize&, const TSize&) = default;
};

// Right and bottom excluded.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

inline TRect Rect(int l, int t, int r, int b) { return TRect{l, t, r, b}; }
inline TPoint Point(int x, int y) { return TPoint{x, y}; }

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
// pmNotXor: the result is NOT (pen XOR destination), as R2_NOTXORPEN.
enum TPenMode { pmCopy, pmNotXor, pmXor, pmNot, pmBlack, pmWhite };
enum TBrushStyle { bsSolid, bsClear };

// Font style bits, as stored in object record headers.
enum : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// Raster operations (the Windows values).
enum : std::uint32_t {
    SRCCOPY = 0x00CC0020,
    SRCPAINT = 0x00EE0086,
    SRCAND = 0x008800C6,
    SRCINVERT = 0x00660046,
    NOTSRCCOPY = 0x00330008,
    PATCOPY = 0x00F00021,
    DSTINVERT = 0x00550009,
    BLACKNESS = 0x00000042,
    WHITENESS = 0x00FF0062,
};
constexpr std::uint32_t cmSrcCopy = SRCCOPY;
constexpr std::uint32_t cmSrcAnd = SRCAND;

struct TPen {
    TColor Color = clBlack;
    int Width = 1;
    TPenStyle Style = psSolid;
    TPenMode Mode = pmCopy;
};

struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
};

// A Windows-style font description. Size is in points; Height() is the Windows cell
// height for 96 pixels per inch (negative: character height without internal leading).
struct TFont {
    std::string Name = "MS Sans Serif"; // ANSI bytes; mapped to an installed family when drawn
    int Size = 8;
    TColor Color = clBlack;
    std::uint8_t Style = 0; // fsBold | fsItalic | fsUnderline | fsStrikeOut
    int Height() const;
    void SetHeight(int height); // sets Size from a Windows height at 96 DPI
    friend bool operator==(const TFont&, const TFont&) = default;
};

class TBitmap;
namespace kes::gdi {
class Surface;
class SourceView;
} // namespace kes::gdi

// Drawing state and primitives on a picture. A canvas either belongs to a TBitmap or is
// a view on another image with an origin (a control's top-left) and a clip rectangle.
class TCanvas {
public:
    TPen Pen;
    TBrush Brush;
    TFont Font;
    std::uint32_t CopyMode = cmSrcCopy;

    // A view on target: (0,0) of this canvas is origin in target; drawing is clipped to
    // clip (in this canvas's coordinates) and to the target.
    TCanvas(QImage* target, TPoint origin, TRect clip);
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    TPoint PenPos() const { return penPos_; }
    void SetPenPos(TPoint p) { penPos_ = p; }

    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Polyline(std::span<const TPoint> points);
    void Polygon(std::span<const TPoint> points); // alternate fill with the brush, outline with the pen
    void Rectangle(int x1, int y1, int x2, int y2);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void FillRect(const TRect& r);  // the brush colour; nothing with a clear brush
    void FrameRect(const TRect& r); // one-pixel border in the brush colour
    void Ellipse(int x1, int y1, int x2, int y2);
    void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    void Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);

    // text: ANSI bytes in the process code page. Moves the pen to (x + TextWidth, y).
    // Drawing and measuring text needs a QGuiApplication (fonts); without one texts
    // measure 0 and nothing is drawn.
    void TextOut(int x, int y, const std::string& text);
    // Fills r with the brush (unless clear), then writes text at (x, y) clipped to r.
    void TextRect(const TRect& r, int x, int y, const std::string& text);
    int TextWidth(const std::string& text) const;
    int TextHeight(const std::string& text) const;
    TSize TextExtent(const std::string& text) const;

    // Copies with CopyMode (SRCCOPY or SRCAND, the others of BitBlt work too).
    void Draw(int x, int y, const TBitmap& source);
    void StretchDraw(const TRect& dest, const TBitmap& source); // nearest pixel, no smoothing
    void CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect);

    TColor Pixel(int x, int y) const; // CLR_INVALID outside
    void SetPixel(int x, int y, TColor c);

    // Size of the drawable area (the clip rectangle's extent from 0,0).
    int Width() const;
    int Height() const;

    QImage* Target() const;
    TPoint Origin() const { return origin_; }
    // Where drawing lands, in this canvas's coordinates: the clip within the target.
    TRect ClipRect() const;

private:
    friend class TBitmap;
    friend class kes::gdi::Surface;
    friend class kes::gdi::SourceView;
    friend void BitBlt(TCanvas&, int, int, int, int, const TCanvas&, int, int, std::uint32_t);
    friend void StretchBlt(TCanvas&, int, int, int, int, const TCanvas&, int, int, int, int, std::uint32_t);
    friend void PatBlt(TCanvas&, int, int, int, int, std::uint32_t);
    explicit TCanvas(TBitmap* owner);
    // ClipRect() on target, which is Target().
    TRect ClipIn(const QImage* target) const;
    QImage* target_ = nullptr;
    TBitmap* owner_ = nullptr;
    TPoint origin_;
    TRect clip_;
    TPoint penPos_;
};

// A picture: 24-bit colour pixels, white when created or grown. A resize takes effect when the
// pixels are next used, so a picture resized several times before it is drawn on is made once.
class TBitmap {
public:
    TBitmap();
    TBitmap(int width, int height);
    TBitmap(const TBitmap& other);
    TBitmap& operator=(const TBitmap& other);
    ~TBitmap();

    // A bitmap with one side 0 keeps the other side's size (its image is null).
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Resizing keeps the content at the top left; new area is white.
    void SetWidth(int w);
    void SetHeight(int h);
    void SetSize(int w, int h);
    bool Empty() const { return width_ <= 0 || height_ <= 0 || (!pending_ && image_.isNull()); }

    TCanvas* Canvas() { return &canvas_; }
    const TCanvas* Canvas() const { return &canvas_; }

    // Size, pixels and canvas font of other.
    void Assign(const TBitmap& other);

    // Any format QImage reads (BMP, PNG, JPEG...); false when the file is not a picture.
    // path: file-system bytes, as kes::ReadFileBytes takes them. A failed load keeps the picture.
    bool LoadFromFile(const std::string& path);
    // By extension; BMP otherwise. Written atomically; false when empty or on failure.
    bool SaveToFile(const std::string& path) const;

    QImage& Image()
    {
        Materialize();
        return image_;
    }
    const QImage& Image() const
    {
        Materialize();
        return image_;
    }
    // The pixels, each of which the caller is about to write: a pending resize makes the
    // picture without first whitening it or keeping what it held.
    QImage& ImageToOverwrite();
    // Takes a copy of img converted to the bitmap's pixel format.
    void SetImage(const QImage& img);

private:
    friend class TCanvas;
    // Makes image_ width_ x height_ after resizes: the part of the old pixels every resize
    // since kept, white elsewhere.
    void Materialize() const
    {
        if (pending_)
            Resize();
    }
    // whiten: new area white; else the whole picture is left as the memory came.
    void Resize(bool whiten = true) const;
    // Size and pixels, with any pending resize.
    void CopyPixels(const TBitmap& other);
    // CopyPixels and the canvas's tools.
    void CopyState(const TBitmap& other);

    mutable QImage image_;
    mutable int width_ = 0;
    mutable int height_ = 0;
    mutable bool pending_ = false; // image_ is not yet width_ x height_
    int keepWidth_ = 0;            // what of image_ survives the pending resizes
    int keepHeight_ = 0;
    TCanvas canvas_;
};

// GDI-style block transfers between canvases (coordinates in each canvas's own space).
void BitBlt(TCanvas& dest, int x, int y, int w, int h, const TCanvas& source, int sx, int sy, std::uint32_t rop);
// Nearest-pixel stretch (the COLORONCOLOR mode): destination pixel (i, j) takes source
// pixel (sx + i * sw / w, sy + j * sh / h) in integer arithmetic.
void StretchBlt(TCanvas& dest, int x, int y, int w, int h, const TCanvas& source, int sx, int sy, int sw, int sh,
                std::uint32_t rop);
// WHITENESS, BLACKNESS, DSTINVERT or PATCOPY (the brush colour).
void PatBlt(TCanvas& dest, int x, int y, int w, int h, std::uint32_t rop);

namespace kes {

// Windows font faces the projects name, mapped to families installed here.
// Returns the installed family used to draw name.
std::string InstalledFamilyFor(const std::string& windowsName);
// True when name is installed here or maps to an installed family.
bool FontExists(const std::string& windowsName);
// Windows height (-MulDiv(points, 96, 72)) of a point size.
int FontHeightForPoints(int points);

// Colour conversions between TColor (0x00BBGGRR) and QRgb.
inline QRgb ToQRgb(TColor c)
{
    return qRgb(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
}
inline TColor FromQRgb(QRgb q)
{
    return static_cast<TColor>(qRed(q)) | (static_cast<TColor>(qGreen(q)) << 8) | (static_cast<TColor>(qBlue(q)) << 16);
}

// "#"/"." rows of a picture (black = '#'), one line per row, for golden pictures in tests.
std::string PictureToText(const TBitmap& bmp);
// The reverse: '#' black, anything else white; rows may differ in length (padded white).
TBitmap PictureFromText(const std::string& rows);

} // namespace kes
