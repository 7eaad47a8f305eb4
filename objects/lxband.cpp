// The band format of monochrome pictures bound for the panel, and the two-colour threshold.
//
// A W x H picture is cut into bands of 8 rows from the top (the last band is short when H
// is not a multiple of 8). Each band is W bytes, one per column, left to right; bands
// follow each other with nothing between. In a column byte bit 0 is the band's top row;
// 1 = black, and a pixel is black only when its colour value is exactly 0. The bits below a
// short band's last row are 0. Total size: W x ceil(H / 8) bytes.
#include "objects/tlxobj.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr QRgb kBlackPixel = 0xFF000000u;
constexpr QRgb kWhitePixel = 0xFFFFFFFFu;

int Bands(int rows) { return rows <= 0 ? 0 : (rows + 7) / 8; }

// Read access to a bitmap's pixels (the drawing layer keeps them as 32-bit RGB), found once
// rather than through the image at every pixel.
class PixelReader {
public:
    explicit PixelReader(const TBitmap& bmp)
    {
        const QImage& img = bmp.Image();
        bits_ = img.constBits();
        stride_ = img.bytesPerLine();
    }
    bool Black(int x, int y) const
    {
        return (reinterpret_cast<const QRgb*>(bits_ + y * stride_)[x] & 0x00FFFFFFu) == 0;
    }

private:
    const uchar* bits_ = nullptr;
    qsizetype stride_ = 0;
};

// Row y of a 32-bit image, written to.
QRgb* RowOf(uchar* bits, qsizetype stride, int y) { return reinterpret_cast<QRgb*>(bits + y * stride); }

// The column byte of band rows y0..y0+rows-1 at column x, sampling every step-th pixel.
std::uint8_t ColumnByte(const PixelReader& px, int x, int y0, int rows, int stepX, int stepY)
{
    std::uint8_t byte = 0;
    for (int l = 0; l < rows; ++l)
        if (px.Black(x * stepX, (y0 + l) * stepY))
            byte |= static_cast<std::uint8_t>(1u << l);
    return byte;
}

// 1:1 packing with a short last band into dst (which holds at least w x bands bytes).
void PackBands(const TBitmap& bmp, std::span<std::uint8_t> dst, int w, int h, int stepX, int stepY)
{
    const PixelReader px(bmp);
    std::size_t out = 0;
    for (int j = 0; j < h; j += 8) {
        const int rows = std::min(8, h - j);
        for (int k = 0; k < w; ++k)
            dst[out++] = ColumnByte(px, k, j, rows, stepX, stepY);
    }
}

// 1:1 unpacking of every pixel of bmp from src (which holds at least its bands), a row at a time.
void UnpackBands(kes::ByteSpan src, TBitmap& bmp)
{
    QImage& img = bmp.ImageToOverwrite();
    const int w = bmp.Width();
    const int h = bmp.Height();
    uchar* bits = img.bits();
    const qsizetype stride = img.bytesPerLine();
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* band = src.data() + static_cast<std::size_t>(y / 8) * static_cast<std::size_t>(w);
        const int bit = y % 8;
        QRgb* row = RowOf(bits, stride, y);
        for (int k = 0; k < w; ++k)
            row[k] = (band[k] >> bit) & 1u ? kBlackPixel : kWhitePixel;
    }
}

} // namespace

// ---------------------------------------------------------------------------------------
// Panel resolution: one panel pixel is GridWidth x GridHeight picture pixels and is taken
// from the top-left picture pixel of its cell.

int TLxObj::BmpSizeGet() const
{
    // Kept as stored records count it; it can exceed what BmpDataGet fills (a picture 17
    // high at GridHeight 2 counts 2 bands for 8 panel rows), so BmpDataGet zeroes the rest.
    const int gh8 = 8 * GridH();
    return (Picture.Width() / GridW()) * ((Picture.Height() + gh8 - 1) / gh8);
}

void TLxObj::BmpDataGet(std::span<std::uint8_t> dst)
{
    if (dst.empty())
        return;
    std::fill(dst.begin(), dst.end(), std::uint8_t{0});
    const int pw = Picture.Width() / GridW();
    const int ph = Picture.Height() / GridH();
    const std::size_t need = static_cast<std::size_t>(pw) * static_cast<std::size_t>(Bands(ph));
    if (need == 0)
        return;
    if (dst.size() >= need) {
        PackBands(Picture, dst, pw, ph, GridW(), GridH());
        return;
    }
    kes::Bytes all(need);
    PackBands(Picture, all, pw, ph, GridW(), GridH());
    std::copy_n(all.begin(), dst.size(), dst.begin());
}

bool TLxObj::BmpDataSet(kes::ByteSpan src)
{
    const int gw = GridW();
    const int gh = GridH();
    const int pw = Picture.Width() / gw;
    const int ph = Picture.Height() / gh;
    const std::size_t need = static_cast<std::size_t>(pw) * static_cast<std::size_t>(Bands(ph));
    if (src.empty() || src.size() < need)
        return false;
    Picture.SetSize(pw, ph);
    if (!Picture.Empty())
        UnpackBands(src, Picture);
    kes::GridStretch(Picture, gw, gh);
    return true;
}

// ---------------------------------------------------------------------------------------
// Whole pages: full bands only (page heights are multiples of 8 rows).

int TLxObj::BmpToData(const TBitmap& picture, std::span<std::uint8_t> dst)
{
    const int w = picture.Width();
    if (w <= 0 || picture.Empty())
        return 0;
    const int bands = std::min<std::size_t>(picture.Height() / 8, dst.size() / static_cast<std::size_t>(w));
    std::fill_n(dst.begin(), static_cast<std::size_t>(bands) * w, std::uint8_t{0});
    PackBands(picture, dst, w, bands * 8, 1, 1);
    return bands;
}

int TLxObj::DataToBmp(TBitmap& picture, kes::ByteSpan src)
{
    const int w = picture.Width();
    if (w <= 0 || picture.Empty())
        return 0;
    picture.Image().fill(kWhitePixel);
    const int bands = std::min<std::size_t>(picture.Height() / 8, src.size() / static_cast<std::size_t>(w));
    QImage& img = picture.Image();
    uchar* bits = img.bits();
    const qsizetype stride = img.bytesPerLine();
    for (int y = 0; y < bands * 8; ++y) {
        const std::uint8_t* band = src.data() + static_cast<std::size_t>(y / 8) * static_cast<std::size_t>(w);
        const int bit = y % 8;
        QRgb* row = RowOf(bits, stride, y);
        for (int k = 0; k < w; ++k)
            if ((band[k] >> bit) & 1u)
                row[k] = kBlackPixel;
    }
    return bands;
}

// ---------------------------------------------------------------------------------------
// Two-colour threshold. Compared as the colour value 0x00BBGGRR, so in effect only blue
// decides: pure red and pure green turn black, pure blue white. Stored pictures depend on
// it, so it stays as it is.

void TLxObj::BmpModify(TBitmap& picture)
{
    if (picture.Empty())
        return;
    QImage& img = picture.Image();
    uchar* bits = img.bits();
    const qsizetype stride = img.bytesPerLine();
    for (int y = 0; y < img.height(); ++y) {
        QRgb* row = RowOf(bits, stride, y);
        for (int x = 0; x < img.width(); ++x)
            row[x] = kes::FromQRgb(row[x]) < 0x800000u ? kBlackPixel : kWhitePixel;
    }
}

// ---------------------------------------------------------------------------------------
// 1:1 with a short last band: state pictures and texts rendered for the panel.

int TLxObj::BtnBmpSizeGet(const TBitmap& bmp) { return bmp.Width() * Bands(bmp.Height()); }

void TLxObj::BtnBmpDataGet(std::span<std::uint8_t> dst, const TBitmap& bmp)
{
    if (dst.empty())
        return;
    const std::size_t need = static_cast<std::size_t>(std::max(0, BtnBmpSizeGet(bmp)));
    if (need == 0 || bmp.Empty())
        return;
    if (dst.size() >= need) {
        PackBands(bmp, dst, bmp.Width(), bmp.Height(), 1, 1);
        return;
    }
    kes::Bytes all(need);
    PackBands(bmp, all, bmp.Width(), bmp.Height(), 1, 1);
    std::copy_n(all.begin(), dst.size(), dst.begin());
}

int TLxObj::BtnBmpDataSet(kes::ByteSpan src, TBitmap& bmp)
{
    const int need = BtnBmpSizeGet(bmp);
    if (src.empty() || need <= 0 || bmp.Empty() || src.size() < static_cast<std::size_t>(need))
        return 0;
    UnpackBands(src, bmp);
    return need;
}

namespace kes {

void GridStretch(TBitmap& bmp, int gw, int gh)
{
    gw = std::max(gw, 1);
    gh = std::max(gh, 1);
    const int w = bmp.Width();
    const int h = bmp.Height();
    if (gw == 1 && gh == 1)
        return;
    const TBitmap small(bmp);
    bmp.SetSize(w * gw, h * gh);
    if (bmp.Empty() || small.Empty())
        return;
    StretchBlt(*bmp.Canvas(), 0, 0, w * gw, h * gh, *small.Canvas(), 0, 0, w, h, SRCCOPY);
}

} // namespace kes
