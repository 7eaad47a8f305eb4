#include "app/project/pageexport.h"

#include <algorithm>

namespace kes {

namespace {

bool Black(const QImage& img, int x, int y) { return (img.pixel(x, y) & 0x00FFFFFFu) == 0; }

} // namespace

TBitmap PanelPicture(const TBitmap& picture, int gridW, int gridH)
{
    gridW = std::max(gridW, 1);
    gridH = std::max(gridH, 1);
    const int w = picture.Width() / gridW;
    const int h = picture.Height() / gridH;
    TBitmap out(w, h);
    if (out.Empty())
        return out;
    QImage& dst = out.Image();
    const QImage& src = picture.Image();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            dst.setPixel(x, y, Black(src, x * gridW, y * gridH) ? 0xFF000000u : 0xFFFFFFFFu);
    return out;
}

Bytes PageBands(const TBitmap& panel)
{
    const int w = panel.Empty() ? 0 : panel.Width();
    const int h = panel.Empty() ? 0 : panel.Height();
    const int bands = (h + 7) / 8;
    Bytes out(static_cast<std::size_t>(w) * static_cast<std::size_t>(bands), 0);
    const QImage& img = panel.Image();
    for (int b = 0; b < bands; ++b)
        for (int x = 0; x < w; ++x) {
            std::uint8_t byte = 0;
            for (int l = 0; l < 8 && b * 8 + l < h; ++l)
                if (Black(img, x, b * 8 + l))
                    byte |= static_cast<std::uint8_t>(1u << l);
            out[static_cast<std::size_t>(b) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x)] = byte;
        }
    return out;
}

Bytes PackedRows(const TBitmap& panel)
{
    const int w = panel.Empty() ? 0 : panel.Width();
    const int h = panel.Empty() ? 0 : panel.Height();
    const int perRow = (w + 7) / 8;
    Bytes out(static_cast<std::size_t>(perRow) * static_cast<std::size_t>(h), 0);
    const QImage& img = panel.Image();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (Black(img, x, y))
                out[static_cast<std::size_t>(y * perRow + x / 8)] |= static_cast<std::uint8_t>(0x80u >> (x % 8));
    return out;
}

std::string HexList(ByteSpan bytes, bool withNul)
{
    static const char kDigits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size() * (withNul ? 6 : 5));
    for (std::uint8_t b : bytes) {
        out += "0x";
        out += kDigits[b >> 4];
        out += kDigits[b & 0x0F];
        out += ',';
        if (withNul)
            out += '\0';
    }
    return out;
}

} // namespace kes
