// Shared drawing steps of the text-showing kinds.
#include "objects/lxtextkit.h"

#include "platform/codepage.h"

#include <cstdlib>

namespace kes {

int FrameTextOffset(std::uint8_t frame, int width, int height, int thinAbove)
{
    if (frame == 2 && width > 8 && height > 8)
        return 3;
    if (frame == 3 && width > 6 && height > 6)
        return 2;
    if ((frame == 1 || frame == 4 || frame == 5) && width > thinAbove && height > thinAbove)
        return 1;
    return 0;
}

void ShrinkToPanel(TLxObj& obj)
{
    const int gw = obj.GridWidth < 1 ? 1 : obj.GridWidth;
    const int gh = obj.GridHeight < 1 ? 1 : obj.GridHeight;
    obj.Picture.SetSize(obj.Picture.Width() / gw, obj.Picture.Height() / gh);
}

void GrowFromPanel(TLxObj& obj) { GridStretch(obj.Picture, obj.GridWidth, obj.GridHeight); }

int PrintDeviceLine(TLxObj& obj, TBitmap& page, int x, int y, const std::string& devText)
{
    const int y1 = obj.PrePrnObjBasicInf(page, x, y);
    TCanvas& c = *page.Canvas();
    page.SetHeight(page.Height() + std::abs(c.Font.Height()));
    const std::string line = "Reference Device:" + devText;
    c.TextOut(x, y1, line);
    return y1 + c.TextHeight(line);
}

void NewDevRef(TLxDevRef& ref, std::int32_t code, const std::string& text)
{
    ref.DevAddrCode = code;
    ref.DevText = text;
    ref.RefDevForm = 1;
    ref.RefIntMem = 0;
    ref.RefStation = 1;
    ref.RefLink = 0;
}

std::vector<std::string> SplitAnsiChars(std::string_view text, std::size_t maxBytes)
{
    text = text.substr(0, maxBytes);
    std::vector<std::string> chars;
    chars.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (IsDBCSLeadByte(static_cast<unsigned char>(text[i]))) {
            if (i + 1 >= text.size())
                break;
            chars.emplace_back(text.substr(i, 2));
            i += 2;
        } else {
            chars.emplace_back(text.substr(i, 1));
            ++i;
        }
    }
    return chars;
}

int PlaceAlong(int code, int outer, int size, int inset)
{
    switch (code) {
    case 1:
        return outer - size - inset;
    case 2:
        return (outer - size) / 2;
    default:
        return inset;
    }
}

} // namespace kes
