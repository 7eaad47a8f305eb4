// TGeom's own record (objects/objlayout.h: ObjGeom): written into a page buffer or a page
// file, read back from a span. The header's font style byte is 0; the pen style is 0 solid,
// 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 clear, 6 inside frame.
//
// In a page buffer (memory mode) the m picture bytes are
// reversed, last band byte first; in a page file they stay in band order. Points are held
// in panel pixels and divided by the grid once more when stored; reading multiplies them
// back, so odd points move at grids above 1, as stored pages always had them.
#include "objects/tgeom.h"

#include "objects/objlayout.h"

#include <algorithm>

namespace {

namespace L = kes::layout::ObjGeom;
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
    const std::size_t tail = L::Points + L::PointSize * static_cast<std::size_t>(n);
    rec.resize(tail + L::TailSize, 0);
    rec[L::Shape] = GeomType;
    rec[L::PenStyle] = static_cast<std::uint8_t>(pen.Style);
    rec[L::PenWidth] = static_cast<std::uint8_t>(std::clamp(pen.Width, 0, 255));
    rec[L::DrawType] = DrawType;
    rec[L::Transparent] = 1;
    rec[L::Count] = static_cast<std::uint8_t>(n);
    for (int i = 0; i < n; ++i) {
        const std::size_t at = L::Points + L::PointSize * static_cast<std::size_t>(i);
        kes::PutU16be(rec, at, static_cast<std::uint16_t>(Points[i].x / gw));
        kes::PutU16be(rec, at + 2, static_cast<std::uint16_t>(Points[i].y / gh));
    }
    kes::PutU16be(rec, tail + L::TailWidth, static_cast<std::uint16_t>(Picture.Width() / gw));
    kes::PutU16be(rec, tail + L::TailHeight, static_cast<std::uint16_t>(Picture.Height() / gh));
    const std::size_t m = static_cast<std::size_t>(std::max(0, BmpSizeGet()));
    // A record past 64 KB cannot carry its length: nothing (the callers say it is too long).
    if (rec.size() + m > kMaxRecord)
        return {};
    kes::PutU16be(rec, tail + L::TailCount, static_cast<std::uint16_t>(m));
    kes::Bytes picture(m);
    BmpDataGet(picture);
    if (reversePicture)
        std::reverse(picture.begin(), picture.end());
    kes::AppendBytes(rec, picture);
    kes::PutU16be(rec, kes::layout::ObjHead::Length, static_cast<std::uint16_t>(rec.size()));
    return rec;
}

int TGeom::ObjDataChx(kes::Bytes& buf, std::size_t pos)
{
    const kes::Bytes rec = Record(true);
    if (rec.empty())
        return kOwnRecTooLong;
    if (buf.size() < pos + rec.size())
        buf.resize(pos + rec.size(), 0);
    std::copy(rec.begin(), rec.end(), buf.begin() + static_cast<std::ptrdiff_t>(pos));
    return static_cast<int>(rec.size());
}

int TGeom::ObjTempChx(std::FILE* file, unsigned pos)
{
    const kes::Bytes rec = Record(false);
    if (rec.empty())
        return kOwnRecTooLong;
    if (!TempRecord(file, static_cast<long>(pos), rec.data(), rec.size(), false))
        return 0;
    return static_cast<int>(rec.size());
}

int TGeom::DataToObj(kes::ByteSpan rec, unsigned)
{
    const std::optional<std::uint16_t> length = kes::GetU16be(rec, kes::layout::ObjHead::Length);
    const std::optional<std::uint8_t> stored = kes::GetU8(rec, L::Count);
    if (!length || !stored)
        return 0;
    // Every field read must lie inside the record as its length states, and the record
    // inside the span; the picture bytes are not read (the shape is drawn again).
    const std::size_t tailAt = L::Points + L::PointSize * *stored;
    if (*length < tailAt + L::TailSize || *length > rec.size())
        return 0;

    DataToBaseObj(rec);
    const int gw = GridW();
    const int gh = GridH();
    GeomType = static_cast<TGeomType>(rec[L::Shape]);
    TPen& pen = Picture.Canvas()->Pen;
    const std::uint8_t style = rec[L::PenStyle];
    pen.Style = style <= psInsideFrame ? static_cast<TPenStyle>(style) : psSolid;
    pen.Width = rec[L::PenWidth];
    // The stored transparent flag is always 1: this kind is always drawn transparently.
    Transparent = true;

    // The object holds kMaxPoints; a count above it keeps the first ones.
    PointCount = std::min<int>(*stored, kMaxPoints);
    for (int i = 0; i < PointCount; ++i) {
        const std::size_t at = L::Points + L::PointSize * static_cast<std::size_t>(i);
        Points[i] = TPoint{*kes::GetU16be(rec, at) * gw, *kes::GetU16be(rec, at + 2) * gh};
    }

    // The body's size, within the box the header gave.
    const int pw = std::min<int>(*kes::GetU16be(rec, tailAt + L::TailWidth), Picture.Width() / gw);
    const int ph = std::min<int>(*kes::GetU16be(rec, tailAt + L::TailHeight), Picture.Height() / gh);
    Picture.SetSize(pw * gw, ph * gh);
    // The points were stored for this size: the first drawing must not rescale them.
    RememberedWidth = pw;
    RememberedHeight = ph;
    SetDrawType(static_cast<TDrawType>(rec[L::DrawType]));
    return *length;
}
