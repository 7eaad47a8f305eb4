// TLxVal and the number pictures it shares with the value entry.
#include "objects/tlxval.h"
#include "objects/objkind.h"

#include "objects/lxfont.h"
#include "objects/lxtextkit.h"
#include "objects/valformat.h"

#include <algorithm>
#include <cstdio>

namespace kes {

namespace {

std::string Hex(std::uint32_t v)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%X", static_cast<unsigned>(v));
    return buf;
}

// The last `count` characters of s, left-padded with '0' to count when pad is set.
std::string FitDigits(std::string s, std::size_t count, bool pad)
{
    if (pad && s.size() < count)
        s.insert(0, count - s.size(), '0');
    if (s.size() > count)
        s.erase(0, s.size() - count);
    return s;
}

std::string DecimalText(std::uint32_t v, int valType, int valLen, int intNum, int decNum, bool zeroFill)
{
    std::string sign;
    std::uint64_t magnitude = v;
    if (IsFormat(valType, ValFormat::Signed)) {
        const std::int64_t s = valLen == 0 ? static_cast<std::int16_t>(v & 0xFFFFu) : static_cast<std::int32_t>(v);
        sign = s < 0 ? "-" : "+";
        magnitude = static_cast<std::uint64_t>(s < 0 ? -s : s);
    }
    const std::size_t total = static_cast<std::size_t>(std::max(intNum + decNum, 1));
    std::string digits = FitDigits(std::to_string(magnitude), total, zeroFill);
    if (decNum > 0) {
        const std::size_t dec = static_cast<std::size_t>(decNum);
        // A value with no integer digit still shows a leading zero before the point.
        if (digits.size() <= dec)
            digits.insert(0, dec + 1 - digits.size(), '0');
        digits.insert(digits.size() - dec, ".");
    }
    return sign + digits;
}

std::string BinaryText(std::uint32_t v, int valLen, bool zeroFill)
{
    int bits = 0;
    if (zeroFill)
        bits = valLen == 0 ? 16 : 32;
    else
        for (int b = 0; b < 16; ++b)
            if ((v >> b) & 1u)
                bits = b + 1;
    bits = std::max(bits, 1); // zero shows as "0B"
    std::string out;
    for (int b = bits - 1; b >= 0; --b)
        out += ((v >> b) & 1u) ? '1' : '0';
    return out + "B";
}

// Preview of a floating value: the stored word's decimal digits as d.ddd and an exponent.
std::string FloatText(std::uint32_t v)
{
    const std::string d = std::to_string(v);
    std::string frac = d.substr(1, 3);
    frac.append(3 - frac.size(), '0');
    char exp[16];
    std::snprintf(exp, sizeof exp, "%2d", static_cast<int>(d.size()) - 1);
    return std::string((v >> 31) ? "-" : "+") + d[0] + "." + frac + "e+" + exp;
}

} // namespace

std::string PanelValueText(std::uint32_t v, int valType, int valLen, int intNum, int decNum, bool zeroFill)
{
    switch (ValFormatOf(valType)) {
    case ValFormat::Hex:
    case ValFormat::Bcd:
    case ValFormat::Ascii: {
        std::string s = FitDigits(Hex(v), static_cast<std::size_t>(std::max(intNum, 1)), zeroFill);
        return IsFormat(valType, ValFormat::Hex) ? s + "H" : s;
    }
    case ValFormat::Binary:
        return BinaryText(v, valLen, zeroFill);
    case ValFormat::Float:
        return FloatText(v);
    default:
        return DecimalText(v, valType, valLen, intNum, decNum, zeroFill);
    }
}

void DrawValuePattern(TLxObj& obj, const ValuePattern& p)
{
    ShrinkToPanel(obj);
    obj.FontSet(obj.fontsize);
    TCanvas& pc = *obj.Picture.Canvas();
    const int w = obj.Picture.Width();
    const int h = obj.Picture.Height();
    PatBlt(pc, 0, 0, w, h, WHITENESS);

    const int off = FrameTextOffset(obj.ObjFrame, w, h, 4);
    const int s = 2 * off;
    // The area inside the frame, white already: the pattern goes straight onto the picture, cut
    // at the area's edges.
    const int areaW = std::max(w - s, 0);
    TCanvas ac(&obj.Picture.Image(), TPoint{off, off}, TRect{0, 0, areaW, std::max(h - s, 0)});
    ac.Font = pc.Font;

    const int cell = std::max(ac.TextWidth("0"), static_cast<int>(obj.CellWidth));
    const int lineH = ac.TextHeight("0");
    const bool isSigned = IsSignedFormat(p.ValType);
    const int intNum = std::max(p.IntNum, 0);
    const int decNum = std::max(p.DecNum, 0);
    int cells = decNum > 0 ? intNum + decNum + 1 : intNum;
    if (isSigned)
        ++cells;
    const int intCells = p.AllIntCells ? intNum : 1;
    const long long total = static_cast<long long>(cell) * (cells - intNum + intCells);

    int y = 0;
    if (lineH / 2 < (h - s) / 2) {
        switch (p.VPos) {
        case -1:
        case 2:
            y = (h - s) / 2 - lineH / 2;
            break;
        case 0:
            y = s;
            break;
        case 1:
            y = h - s - lineH;
            break;
        default:
            break;
        }
    }

    if (total < w - s) {
        const int t = static_cast<int>(total);
        const int x0 = p.HPos == 1 ? areaW - t : p.HPos == 2 ? (areaW - t) / 2 : 0;
        int at = 0;
        auto put = [&](int x, char ch) { ac.TextOut(x, y, std::string(1, ch)); };
        if (isSigned)
            put(x0 + cell * at++, '$');
        for (int k = 0; k < intCells; ++k)
            put(x0 + cell * at++, p.Digit);
        if (decNum > 0) {
            put(x0 + cell * at++ + cell / 2, '.');
            for (int k = 0; k < decNum; ++k)
                put(x0 + cell * at++, p.Digit);
        }
    }

    if (obj.ObjFrame != 0)
        obj.ObjFramePaint();
    GrowFromPanel(obj);
}

void DrawValueFace(TLxObj& obj, const std::string& text, std::uint8_t hpos, std::uint8_t vpos)
{
    const int z = std::max(obj.ObjSize, 1);
    const int gw = std::max(obj.GridWidth, 1);
    const int gh = std::max(obj.GridHeight, 1);
    const int bw = obj.Width / z / gw;
    const int bh = obj.Height / z / gh;
    TBitmap& pic = obj.Picture;
    pic.SetSize(bw, bh);
    PatBlt(*pic.Canvas(), 0, 0, bw, bh, WHITENESS);
    if (obj.ObjFrame != 0)
        obj.ObjFramePaint();
    TBitmap glyphs;
    PanelTextDraw(glyphs, obj.fontsize, text);
    // Kept off the frame's lines: single 1, double 3, thick 2 (dashed and dotted frames
    // leave the text at the edge, as the panel does).
    const int inset = obj.ObjFrame == 1 ? 1 : obj.ObjFrame == 2 ? 3 : obj.ObjFrame == 3 ? 2 : 0;
    const int x = kes::PlaceAlong(hpos, bw, glyphs.Width(), inset);
    const int y = kes::PlaceAlong(vpos, bh, glyphs.Height(), inset);
    if (!glyphs.Empty())
        BitBlt(*pic.Canvas(), x, y, glyphs.Width(), glyphs.Height(), *glyphs.Canvas(), 0, 0, SRCCOPY);
    GridStretch(pic, gw, gh);
}

} // namespace kes

TLxVal::TLxVal()
{
    SetObjType(kes::KindCode(kes::ObjKind::LxVal));
    kes::NewDevRef(*this, 4096, "D0");
    Picture.SetSize(48, 16);
    OWidth = Width = 48;
    OHeight = Height = 16;
    SizeSetsPicture = true;
    FontSet(0);
}

AnsiString TLxVal::ValToStr(std::uint32_t v) const
{
    return kes::PanelValueText(v, ValType, ValLen, IntNum, DecNum, HZero == 2);
}

void TLxVal::BmpRePaint()
{
    if (kes::PaintHold::Held())
        return;
    kes::ValuePattern p;
    p.ValType = ValType;
    p.IntNum = IntNum;
    p.DecNum = DecNum;
    p.Digit = '0';
    p.AllIntCells = HZero == 2;
    p.HPos = HPos;
    p.VPos = -1;
    kes::DrawValuePattern(*this, p);
}

void TLxVal::PaintData(int panelWidth, int panelHeight, std::span<std::uint8_t> bands)
{
    const TBitmap editorPicture(Picture);
    PaintDataWith(panelWidth, panelHeight, bands, [this] { kes::DrawValueFace(*this, ValToStr(CurVal), HPos, VPos); });
    Picture = editorPicture;
}

int TLxVal::PrePrnObjInf(TBitmap& page, int x, int y) { return kes::PrintDeviceLine(*this, page, x, y, DevText); }
