// TGeom's own record: written into a page buffer or a page file, read back from a span.
//
// offset   size  field (big-endian)
//  0       14    object header (kind 17; bytes 2-3 the record length; byte 12 is 0)
// 14        1    geometry kind
// 15        1    pen style (0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 clear, 6 inside frame)
// 16        1    pen width
// 17        1    DrawType
// 18        1    transparent flag, always 1
// 19        1    point count n
// 20       4n    per point: x / GridWidth (2), y / GridHeight (2)
// 20+4n     2    picture width / GridWidth
// 22+4n     2    picture height / GridHeight
// 24+4n     2    picture byte count m
// 26+4n     m    the picture in band format at panel resolution
//
// The record length is 26 + 4n + m. In a page buffer (memory mode) the m picture bytes are
// reversed, last band byte first; in a page file they stay in band order. Points are held
// in panel pixels and divided by the grid once more when stored; reading multiplies them
// back, so odd points move at grids above 1, as stored pages always had them.
#include "objects/tgeom.h"

#include <algorithm>

namespace {

constexpr std::size_t kKindAt = 14;
constexpr std::size_t kPenStyleAt = 15;
constexpr std::size_t kPenWidthAt = 16;
constexpr std::size_t kDrawTypeAt = 17;
constexpr std::size_t kCountAt = 19;
constexpr std::size_t kPointsAt = 20;
constexpr std::size_t kPointSize = 4;
// Picture width, height and byte count after the points.
constexpr std::size_t kTailSize = 6;
constexpr std::size_t kMaxRecord = 0xFFFF;

} // namespace

kes::Bytes TGeom::Record(bool reversePicture)
{
    const int gw = GridW();
    const int gh = GridH();
    const int n = std::clamp(PointCount, 0, kMaxPoints);
    const TPen& pen = Picture.Canvas()->Pen;

    kes::Bytes rec;
    BaseObjDataChx(rec, 0);
    rec.push_back(GeomType);
    rec.push_back(static_cast<std::uint8_t>(pen.Style));
    rec.push_back(static_cast<std::uint8_t>(std::clamp(pen.Width, 0, 255)));
    rec.push_back(DrawType);
    rec.push_back(1);
    rec.push_back(static_cast<std::uint8_t>(n));
    for (int i = 0; i < n; ++i) {
        kes::AppendU16be(rec, static_cast<std::uint16_t>(Points[i].x / gw));
        kes::AppendU16be(rec, static_cast<std::uint16_t>(Points[i].y / gh));
    }
    kes::AppendU16be(rec, static_cast<std::uint16_t>(Picture.Width() / gw));
    kes::AppendU16be(rec, static_cast<std::uint16_t>(Picture.Height() / gh));
    const std::size_t m = static_cast<std::size_t>(std::max(0, BmpSizeGet()));
    // A record past 64 KB cannot carry its length; a page holds nothing that large.
    if (rec.size() + 2 + m > kMaxRecord)
        return {};
    kes::AppendU16be(rec, static_cast<std::uint16_t>(m));
    kes::Bytes picture(m);
    BmpDataGet(picture);
    if (reversePicture)
        std::reverse(picture.begin(), picture.end());
    kes::AppendBytes(rec, picture);
    kes::PutU16be(rec, 2, static_cast<std::uint16_t>(rec.size()));
    return rec;
}

int TGeom::ObjDataChx(kes::Bytes& buf, std::size_t pos)
{
    const kes::Bytes rec = Record(true);
    if (rec.empty())
        return 0;
    if (buf.size() < pos + rec.size())
        buf.resize(pos + rec.size(), 0);
    std::copy(rec.begin(), rec.end(), buf.begin() + static_cast<std::ptrdiff_t>(pos));
    return static_cast<int>(rec.size());
}

int TGeom::ObjTempChx(std::FILE* file, unsigned pos)
{
    const kes::Bytes rec = Record(false);
    if (rec.empty() || !TempRecord(file, static_cast<long>(pos), rec.data(), rec.size(), false))
        return 0;
    return static_cast<int>(rec.size());
}

int TGeom::DataToObj(kes::ByteSpan rec, unsigned)
{
    const std::optional<std::uint16_t> length = kes::GetU16be(rec, 2);
    const std::optional<std::uint8_t> stored = kes::GetU8(rec, kCountAt);
    if (!length || !stored)
        return 0;
    // Every field read must lie inside the record as its length states, and the record
    // inside the span; the picture bytes are not read (the shape is drawn again).
    const std::size_t tailAt = kPointsAt + kPointSize * *stored;
    if (*length < tailAt + kTailSize || *length > rec.size())
        return 0;

    DataToBaseObj(rec);
    const int gw = GridW();
    const int gh = GridH();
    GeomType = static_cast<TGeomType>(rec[kKindAt]);
    TPen& pen = Picture.Canvas()->Pen;
    const std::uint8_t style = rec[kPenStyleAt];
    pen.Style = style <= psInsideFrame ? static_cast<TPenStyle>(style) : psSolid;
    pen.Width = rec[kPenWidthAt];
    // Byte 18, the transparent flag, is always 1: this kind is always drawn transparently.
    Transparent = true;

    // The object holds kMaxPoints; a count above it keeps the first ones.
    PointCount = std::min<int>(*stored, kMaxPoints);
    for (int i = 0; i < PointCount; ++i) {
        const std::size_t at = kPointsAt + kPointSize * static_cast<std::size_t>(i);
        Points[i] = TPoint{*kes::GetU16be(rec, at) * gw, *kes::GetU16be(rec, at + 2) * gh};
    }

    // The body's size, within the box the header gave.
    const int pw = std::min<int>(*kes::GetU16be(rec, tailAt), Picture.Width() / gw);
    const int ph = std::min<int>(*kes::GetU16be(rec, tailAt + 2), Picture.Height() / gh);
    Picture.SetSize(pw * gw, ph * gh);
    // The points were stored for this size: the first drawing must not rescale them.
    RememberedWidth = pw;
    RememberedHeight = ph;
    SetDrawType(static_cast<TDrawType>(rec[kDrawTypeAt]));
    return *length;
}
