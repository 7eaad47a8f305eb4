// The object record header and the choice of a kind's reader.
#include "decoder/objread.h"

#include "decoder/morvik.h"
#include "objects/tlxobj.h"

namespace kes::morvik {

namespace {

constexpr TLxObjType kGeomKind = 17;
constexpr TLxObjType kPageNumberKind = 11;
constexpr int kMaxGeomPoints = 100;

// Panel font chosen by a stored point size; -1 keeps the object's.
int PanelFontOfPointSize(std::uint8_t size)
{
    switch (size) {
    case 6:
        return 0;
    case 7:
        return 1;
    case 8:
        return 2;
    case 10:
        return 3;
    default:
        return -1;
    }
}

// A stored box side (inclusive edges, signed 16-bit) within reason.
bool SaneSide(std::uint16_t from, std::uint16_t to)
{
    const int side = static_cast<std::int16_t>(to) - static_cast<std::int16_t>(from) + 1;
    return side <= kMaxObjDots;
}

bool SaneBox(RecReader& r)
{
    return r.Need(0, kObjRecMinSize) && SaneSide(r.U16(4), r.U16(8)) && SaneSide(r.U16(6), r.U16(10));
}

// Geometry body, checked before the object reads it itself:
//   14 shape | 15 pen style | 16 pen width | 17 corner | 18 transparent | 19 point count n |
//   20 n x (u16 x, u16 y) | 20+4n u16 picture width | 22+4n u16 picture height |
//   24+4n u16 byte count m | 26+4n m picture bytes
int CheckGeomRecord(RecReader& r)
{
    if (!SaneBox(r))
        return r.Ok() ? kDecBadContent : kDecTruncated;
    const std::uint8_t n = r.U8(19);
    if (!r.Ok())
        return kDecTruncated;
    if (n > kMaxGeomPoints)
        return kDecBadContent;
    const std::size_t tail = 20 + 4 * std::size_t(n);
    const std::uint16_t w = r.U16(tail);
    const std::uint16_t h = r.U16(tail + 2);
    const std::uint16_t m = r.U16(tail + 4);
    if (!r.Need(tail + 6, m))
        return kDecTruncated;
    if (w > kMaxObjDots || h > kMaxObjDots)
        return kDecBadContent;
    return 0;
}

} // namespace

int ReadObjHeader(TLxObj& obj, RecReader& r)
{
    if (!r.Need(0, kObjRecMinSize))
        return kDecTruncated;
    if (!SaneBox(r))
        return kDecBadContent;
    obj.DataToBaseObj(r.Span());
    TFont& font = obj.Picture.Canvas()->Font;
    font.Style = r.U8(12) & (fsBold | fsItalic | fsUnderline | fsStrikeOut);
    const std::uint8_t size = r.U8(13);
    if (const int panelFont = PanelFontOfPointSize(size); panelFont >= 0)
        obj.FontSet(panelFont);
    obj.Picture.Canvas()->Font.Size = size;
    return static_cast<int>(kObjRecMinSize);
}

int ReadObjRecord(TLxObj& obj, ByteSpan rec, unsigned pos)
{
    RecReader r(rec);
    switch (obj.ObjType) {
    case 1:
        return ReadStTxt(obj, r);
    case 2:
        return ReadLxVal(obj, r);
    case 3:
    case 21:
        return ReadLxDevBmp(obj, r);
    case 4:
        return ReadVrgBmp(obj, r);
    case 5:
        return ReadStBmp(obj, r);
    case 6:
        return ReadActBmp(obj, r);
    case 7:
        return ReadScale(obj, r);
    case 8:
        return ReadProgBar(obj, r);
    case 9:
        return ReadCirMeter(obj, r);
    case kPageNumberKind:
        // Only the header's bytes are taken as the record, whatever its stored length.
        return r.Need(0, kObjRecMinSize) ? static_cast<int>(kObjRecMinSize) : kDecTruncated;
    case 12:
        return ReadMsgTxt(obj, r);
    case 13:
        return ReadLxBtn(obj, r);
    case 14:
    case 15:
        return ReadLxCurve(obj, r);
    case 16:
        return ReadRtc(obj, r);
    case kGeomKind: {
        if (const int check = CheckGeomRecord(r); check < 0)
            return check;
        return obj.DataToObj(rec, pos);
    }
    case 18:
        return ReadLight(obj, r);
    case 19:
        return ReadMetrol(obj, r);
    case 20:
        return ReadLxGetVal(obj, r);
    default:
        return kDecUnknownKind;
    }
}

} // namespace kes::morvik
