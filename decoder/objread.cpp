// The object record header and the reader of each kind.
#include "decoder/objread.h"

#include "decoder/morvik.h"
#include "objects/objkind.h"
#include "objects/objlayout.h"
#include "objects/tactbmp.h"
#include "objects/tcirmeter.h"
#include "objects/tgeom.h"
#include "objects/tlight.h"
#include "objects/tlxadvdevbmp.h"
#include "objects/tlxbtn.h"
#include "objects/tlxcurve.h"
#include "objects/tlxdevbmp.h"
#include "objects/tlxgetval.h"
#include "objects/tlxobj.h"
#include "objects/tlxval.h"
#include "objects/tmetrol.h"
#include "objects/tmsgtxt.h"
#include "objects/tprogbar.h"
#include "objects/trtc.h"
#include "objects/tscale.h"
#include "objects/tstbmp.h"
#include "objects/tsttxt.h"
#include "objects/tvrgbmp.h"

namespace kes::morvik {

namespace {

namespace H = layout::ObjHead;

// The point size the writer stores for a font of none (decoder/pgrecstream.cpp).
constexpr std::uint8_t kNoFontSizeAs = 8;

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
    return r.Need(0, kObjRecMinSize) && SaneSide(r.U16(H::Left), r.U16(H::Right)) &&
           SaneSide(r.U16(H::Top), r.U16(H::Bottom));
}

// The geometry's record (objects/objlayout.h: ObjGeom), checked before the object reads it
// itself.
int CheckGeomRecord(RecReader& r)
{
    namespace G = layout::ObjGeom;
    if (!SaneBox(r))
        return r.Ok() ? kDecBadContent : kDecTruncated;
    const std::uint8_t n = r.U8(G::Count);
    if (!r.Ok())
        return kDecTruncated;
    if (n > TGeom::kMaxPoints)
        return kDecBadContent;
    const std::size_t tail = G::Points + G::PointSize * std::size_t(n);
    const std::uint16_t w = r.U16(tail + G::TailWidth);
    const std::uint16_t h = r.U16(tail + G::TailHeight);
    const std::uint16_t m = r.U16(tail + G::TailCount);
    if (!r.Need(tail + G::TailSize, m))
        return kDecTruncated;
    if (w > kMaxObjDots || h > kMaxObjDots)
        return kDecBadContent;
    return 0;
}

int ReadGeom(TLxObj& obj, RecReader& r, unsigned pos)
{
    if (const int check = CheckGeomRecord(r); check < 0)
        return check;
    return obj.DataToObj(r.Span(), pos);
}

// Only the header's bytes are taken as the record, whatever its stored length.
int ReadHeaderBytes(TLxObj&, RecReader& r, unsigned)
{
    return r.Need(0, kObjRecMinSize) ? static_cast<int>(kObjRecMinSize) : kDecTruncated;
}

// A kind's reader over its class, which needs no more than the record: an object whose
// class is not its kind's is not read.
template <typename Kind, int (*Read)(Kind&, RecReader&)> int Typed(TLxObj& obj, RecReader& r, unsigned)
{
    auto* o = dynamic_cast<Kind*>(&obj);
    return o != nullptr ? Read(*o, r) : kDecUnknownKind;
}

struct KindReader {
    ObjKind Kind;
    int (*Read)(TLxObj& obj, RecReader& r, unsigned pos); // null: the kind has no record to read
};

constexpr KindReader kReaders[] = {
    {ObjKind::StTxt, Typed<TStTxt, ReadStTxt>},
    {ObjKind::LxVal, Typed<TLxVal, ReadLxVal>},
    {ObjKind::LxDevBmp, Typed<TLxDevBmp, ReadLxDevBmp>},
    {ObjKind::VrgBmp, Typed<TVrgBmp, ReadVrgBmp>},
    {ObjKind::StBmp, Typed<TStBmp, ReadStBmp>},
    {ObjKind::ActBmp, Typed<TActBmp, ReadActBmp>},
    {ObjKind::Scale, Typed<TScale, ReadScale>},
    {ObjKind::ProgBar, Typed<TProgBar, ReadProgBar>},
    {ObjKind::CirMeter, Typed<TCirMeter, ReadCirMeter>},
    {ObjKind::RectMeter, nullptr},
    {ObjKind::LxPage, ReadHeaderBytes},
    {ObjKind::MsgTxt, Typed<TMsgTxt, ReadMsgTxt>},
    {ObjKind::LxBtn, Typed<TLxBtn, ReadLxBtn>},
    {ObjKind::LxCurve, Typed<TLxCurve, ReadLxCurve>},
    {ObjKind::LxXyCurve, Typed<TLxXyCurve, ReadLxXyCurve>},
    {ObjKind::Rtc, Typed<TRtc, ReadRtc>},
    {ObjKind::Geom, ReadGeom},
    {ObjKind::Light, Typed<TLight, ReadLight>},
    {ObjKind::Metrol, Typed<TMetrol, ReadMetrol>},
    {ObjKind::LxGetVal, Typed<TLxGetVal, ReadLxGetVal>},
    {ObjKind::LxAdvDevBmp, Typed<TLxAdvDevBmp, ReadLxAdvDevBmp>},
};
static_assert(CoversEveryKind(kReaders));

} // namespace

int ReadObjHeader(TLxObj& obj, RecReader& r)
{
    if (!r.Need(0, kObjRecMinSize))
        return kDecTruncated;
    if (!SaneBox(r))
        return kDecBadContent;
    obj.DataToBaseObj(r.Span());
    TFont& font = obj.Picture.Canvas()->Font;
    font.Style = r.U8(H::FontStyle) & (fsBold | fsItalic | fsUnderline | fsStrikeOut);
    // The writer stores a font of no size as 8: a record from elsewhere that says 0 reads as
    // that, or the object would store one font in its header and take the main font itself.
    const std::uint8_t stored = r.U8(H::FontSize);
    const std::uint8_t size = stored == 0 ? kNoFontSizeAs : stored;
    if (const int panelFont = PanelFontOfPointSize(size); panelFont >= 0)
        obj.FontSet(panelFont);
    obj.Picture.Canvas()->Font.Size = size;
    return static_cast<int>(kObjRecMinSize);
}

int ReadObjRecord(TLxObj& obj, ByteSpan rec, unsigned pos)
{
    const std::optional<ObjKind> kind = KindOfCode(obj.ObjType);
    const auto read = kind ? EntryOf(kReaders, *kind).Read : nullptr;
    if (!read)
        return kDecUnknownKind;
    RecReader r(rec);
    return read(obj, r, pos);
}

} // namespace kes::morvik
