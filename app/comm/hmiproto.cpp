#include "app/comm/hmiproto.h"

#include "app/project/objrefs.h"
#include "decoder/kindlayout.h"
#include "decoder/setlayout.h"
#include "objects/lxdevref.h"
#include "objects/objkind.h"

#include <initializer_list>
#include <utility>

namespace kes {

ComSetItems UnpackComSetByte(std::uint8_t b)
{
    ComSetItems it;
    const int code = b >> 4;
    it.baud = code <= 4 ? code + 1 : 0;
    it.dataBits = (b >> 3) & 1;
    const int parity = (b >> 1) & 3;
    it.parity = parity <= 2 ? parity : -1;
    it.stopBits = b & 1;
    return it;
}

std::uint8_t PackComSetByte(const ComSetItems& items, const ComSetItems& shown, std::uint8_t original)
{
    int code = original >> 4;
    if (items.baud != shown.baud)
        code = items.baud == 0 ? 5 : items.baud - 1;
    int data = (original >> 3) & 1;
    if (items.dataBits != shown.dataBits)
        data = items.dataBits & 1;
    int parity = (original >> 1) & 3;
    if (items.parity != shown.parity && items.parity >= 0)
        parity = items.parity & 3;
    int stop = original & 1;
    if (items.stopBits != shown.stopBits)
        stop = items.stopBits & 1;
    return static_cast<std::uint8_t>(code * 16 + data * 8 + parity * 2 + stop);
}

namespace {

using Pairs = std::initializer_list<std::pair<std::size_t, std::size_t>>; // station, link offsets

// The device references of an object kind's record (none for a tag that is no kind).
DevRefs RefsOfKind(int code)
{
    const std::optional<ObjKind> kind = KindOfCode(code);
    return kind ? KindFacts(*kind).Refs : DevRefs::None;
}

// The station and link bytes of a device reference at off.
constexpr std::pair<std::size_t, std::size_t> StationLink(std::size_t off)
{
    return {off + layout::ObjRef::Station, off + layout::ObjRef::Link};
}

// Reference byte offsets by record tag, from the record's start.
Pairs RefOffsets(std::uint16_t tag)
{
    namespace T = layout::RefTriple;
    namespace K = layout::PgFunKey;
    static_assert(layout::PgJmp::Ref == layout::PgSys::Ref && layout::PgJmp::Ref == layout::PLCValSet::Ref);
    static const Pairs kOne = {StationLink(layout::SingleRef)};
    static const Pairs kThree = {StationLink(T::WriteRef), StationLink(T::ReadRef), StationLink(T::NotifyRef)};
    static const Pairs kRecord = {StationLink(layout::PgJmp::Ref)};
    static const Pairs kFunKey = {StationLink(K::WriteRef), StationLink(K::ReadRef), StationLink(K::NotifyRef)};
    static const Pairs kNone = {};
    switch (RefsOfKind(tag)) {
    case DevRefs::One:
        return kOne;
    case DevRefs::Three:
        return kThree;
    case DevRefs::None:
        break;
    }
    switch (tag) {
    case kTagPgJmp:
    case kTagPgSys:
    case kTagPgNumWrite:
        return kRecord;
    case kTagPgFunKey:
        return kFunKey;
    default:
        return kNone;
    }
}

} // namespace

void RewritePageLinks(Bytes& page, const LinkRewrite& rw)
{
    std::size_t at = 0;
    while (at + 4 <= page.size()) {
        const std::uint16_t tag = *GetU16be(page, at);
        const std::uint16_t len = *GetU16be(page, at + 2);
        if (len < 4 || at + len > page.size())
            return;
        for (const auto& [st, ln] : RefOffsets(tag)) {
            if (rw.station && st < len)
                page[at + st] = rw.stationNo;
            if (rw.port && ln < len)
                page[at + ln] = rw.link;
        }
        at += len;
    }
}

void RewriteLink(DevRefHead& ref, const LinkRewrite& rw)
{
    if (rw.port)
        ref.LinkIndex = rw.link;
    if (rw.station)
        ref.Station = rw.stationNo;
}

namespace {

void RewriteKey(PgFunKeyRec& k, const LinkRewrite& rw)
{
    RewriteLink(k.Write, rw);
    RewriteLink(k.Read, rw);
    RewriteLink(k.Notify, rw);
}

void RewriteObjRef(TLxDevRef& ref, const LinkRewrite& rw)
{
    if (rw.port)
        ref.RefLink = rw.link;
    if (rw.station)
        ref.RefStation = rw.stationNo;
}

} // namespace

void RewriteSystemLinks(ProjectState& s, const LinkRewrite& rw)
{
    for (PgFunKeyRec& k : s.SysFunKeys)
        RewriteKey(k, rw);
    RewriteLink(s.SysBuzzer.Ref, rw);
    RewriteLink(s.SysAlarmLamp.Ref, rw);
    for (PLCValSetRec& r : s.SysDevRefs)
        RewriteLink(r.Ref, rw);
    for (PgJmpRec& j : s.SysPgJumps)
        RewriteLink(j.Ref, rw);
    if (s.HasRtc)
        RewriteLink(s.SysClockWrite.Ref, rw);
    RewriteLink(s.PowerOnMacro.Ref, rw);
}

void RewriteLivePageLinks(PageData& page, const LinkRewrite& rw)
{
    for (TLxObj* obj : page.ObjList) {
        const DevRefs refs = RefsOfKind(obj->ObjType);
        if (refs == DevRefs::Three) {
            const OperatorFields f = OperatorFieldsOf(*obj);
            for (TLxDevRef* ref : {f.WriteDev, f.ReadDev, f.NotifyDev})
                if (ref)
                    RewriteObjRef(*ref, rw);
        } else if (refs == DevRefs::One) {
            ForEachObjRef(*obj, [&](TLxDevRef& ref, std::uint8_t, std::uint8_t) { RewriteObjRef(ref, rw); });
        }
    }
    for (PgFunKeyRec& k : page.PgFunKeys)
        RewriteKey(k, rw);
    for (PgSysRec& r : page.PgSysRecs)
        RewriteLink(r.Ref, rw);
    for (PgJmpRec& j : page.PgJmpList)
        RewriteLink(j.Ref, rw);
    if (page.PgNumWrite.Ref.DevAddrCode != -1)
        RewriteLink(page.PgNumWrite.Ref, rw);
}

} // namespace kes
