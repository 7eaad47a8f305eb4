// The reports' table of kinds.
#include "app/print/reportkinds.h"

#include "objects/addrmode.h"
#include "objects/lxstatebmp.h"
#include "objects/tlxadvdevbmp.h"
#include "objects/tlxbtn.h"
#include "objects/tlxgetval.h"
#include "objects/tlxval.h"
#include "objects/tmsgtxt.h"
#include "objects/trtc.h"
#include "objects/tsttxt.h"
#include "objects/tvrgbmp.h"

namespace kes {
namespace {

std::uint8_t High(std::uint8_t b) { return static_cast<std::uint8_t>(b >> 4); }
std::uint8_t Low(std::uint8_t b) { return static_cast<std::uint8_t>(b & 0x0F); }

const TLxDevRef& Ref(const TLxObj& obj) { return dynamic_cast<const TLxDevRef&>(obj); }

// The object's one reference as a word (or a bit), listed and read.
template <std::uint8_t Mode> ListedRef ListOne(const TLxObj& obj) { return {{&Ref(obj), Mode, 0}}; }
template <std::uint8_t Mode> TableRefs ReadOne(const TLxObj& obj) { return {{&Ref(obj), Mode, 0}, {}, {}}; }

// Value display and value entry: the value length gives the access.
ListedRef ListVal(const TLxObj& obj)
{
    return {{&Ref(obj), ModeCode(AddrMode::Word), static_cast<const TLxVal&>(obj).ValLen}};
}
TableRefs ReadVal(const TLxObj& obj) { return {ListVal(obj).Ref, {}, {}}; }

// The bit picture of a word reads a bit, or the word in value mode.
KindRef AdvDevRef(const TLxObj& obj) { return {&Ref(obj), High(static_cast<const TLxAdvDevBmp&>(obj).ValMode), 0}; }

// Multi-state pictures and lamps: the mode byte's high nibble is bit or word, its low one the length.
KindRef StateRef(const TLxObj& obj)
{
    const std::uint8_t mode = static_cast<const TStateBmpObj&>(obj).StateMode;
    return {&Ref(obj), High(mode), Low(mode)};
}

KindRef MsgRef(const TLxObj& obj)
{
    const std::uint8_t mode = static_cast<const TMsgTxt&>(obj).StateMode;
    return {&Ref(obj), High(mode), Low(mode)};
}

// A reference listed, or read, as F gives it.
template <KindRef (*F)(const TLxObj&)> ListedRef ListOf(const TLxObj& obj) { return {F(obj)}; }
template <KindRef (*F)(const TLxObj&)> TableRefs ReadOf(const TLxObj& obj) { return {F(obj), {}, {}}; }

// The static text lists its lines.
const std::vector<std::string>* StaticTextLines(const TLxObj& obj) { return &static_cast<const TStTxt&>(obj).Lines; }

// The button writes its first reference, reads its second and calls its third.
TableRefs ButtonRefs(const TLxObj& obj)
{
    const auto& b = static_cast<const TLxBtn&>(obj);
    const std::uint8_t mode = High(b.ValKind);
    return {{&b.ReadDev, mode, b.ValLen}, {&b.WriteDev, mode, b.ValLen}, {&b.NotifyDev, ModeCode(AddrMode::Bit), 0}};
}

TableRefs EntryRefs(const TLxObj& obj)
{
    const auto& v = static_cast<const TLxGetVal&>(obj);
    return {{&v.ReadDev, ModeCode(AddrMode::Word), v.ValLen},
            {&v.WriteDev, ModeCode(AddrMode::Word), v.ValLen},
            {&v.NotifyDev, ModeCode(AddrMode::Bit), 0}};
}

// The clock reads the controller's clock, or writes the panel's to it, by its source.
TableRefs ClockRefs(const TLxObj& obj)
{
    const std::uint8_t source = High(static_cast<const TRtc&>(obj).RtcFormat);
    TableRefs t;
    if (source == 1)
        t.Read = {&Ref(obj), ModeCode(AddrMode::Word), 0};
    else if (source == 0)
        t.Write = {&Ref(obj), ModeCode(AddrMode::Word), 0};
    return t;
}

constexpr ReportKind kKinds[] = {
    {ObjKind::StTxt, StaticTextLines, nullptr, nullptr},
    {ObjKind::LxVal, nullptr, ListVal, ReadVal},
    {ObjKind::LxDevBmp, nullptr, ListOne<ModeCode(AddrMode::Bit)>, ReadOne<ModeCode(AddrMode::Bit)>},
    {ObjKind::VrgBmp, nullptr,
     [](const TLxObj& o) {
         return ListedRef{{&Ref(o), ModeCode(AddrMode::Word), 0}, static_cast<const TVrgBmp&>(o).TotalState};
     },
     ReadOne<ModeCode(AddrMode::Word)>},
    {ObjKind::StBmp, nullptr, nullptr, nullptr},
    {ObjKind::ActBmp, nullptr,
     [](const TLxObj& o) {
         return ListedRef{{&Ref(o), High(static_cast<const TStateBmpObj&>(o).StateMode), 0},
                          static_cast<const TStateBmpObj&>(o).TotalState};
     },
     ReadOf<StateRef>},
    {ObjKind::Scale, nullptr, nullptr, nullptr},
    {ObjKind::ProgBar, nullptr, ListOne<ModeCode(AddrMode::Word)>, ReadOne<ModeCode(AddrMode::Word)>},
    {ObjKind::CirMeter, nullptr, ListOne<ModeCode(AddrMode::Word)>, ReadOne<ModeCode(AddrMode::Word)>},
    // Never stored in a page: its heading alone.
    {ObjKind::RectMeter, nullptr, nullptr, nullptr},
    {ObjKind::LxPage, nullptr, nullptr, nullptr},
    {ObjKind::MsgTxt, nullptr, ListOf<MsgRef>, ReadOf<MsgRef>},
    {ObjKind::LxBtn, nullptr, [](const TLxObj& o) { return ListedRef{ButtonRefs(o).Write}; }, ButtonRefs},
    {ObjKind::LxCurve, nullptr, ListOne<ModeCode(AddrMode::Word)>, ReadOne<ModeCode(AddrMode::Word)>},
    {ObjKind::LxXyCurve, nullptr, ListOne<ModeCode(AddrMode::Word)>, ReadOne<ModeCode(AddrMode::Word)>},
    {ObjKind::Rtc, nullptr, ListOne<ModeCode(AddrMode::Word)>, ClockRefs},
    {ObjKind::Geom, nullptr, nullptr, nullptr},
    {ObjKind::Light, nullptr, ListOf<StateRef>, ReadOf<StateRef>},
    {ObjKind::Metrol, nullptr, nullptr, nullptr},
    {ObjKind::LxGetVal, nullptr, [](const TLxObj& o) { return ListedRef{EntryRefs(o).Write}; }, EntryRefs},
    // The bit picture of a word prints under the indicator's name; the cross-reference table,
    // which exports no kind, leaves it out so that every indicator row there is a bit indicator.
    {ObjKind::LxAdvDevBmp, nullptr, ListOf<AdvDevRef>, nullptr, false},
};
static_assert(CoversEveryKind(kKinds));

} // namespace

const ReportKind* ReportKindOf(const TLxObj& obj) { return EntryOfObj(kKinds, obj); }

} // namespace kes
