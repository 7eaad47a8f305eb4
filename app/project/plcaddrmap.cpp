#include "app/project/plcaddrmap.h"

#include "app/project/projectdoc.h"
#include "decoder/kindlayout.h"
#include "decoder/setlayout.h"
#include "objects/objkind.h"
#include "platform/bytes.h"

#include <algorithm>
#include <cstdint>
#include <functional>

namespace kes {

namespace {

constexpr std::int32_t kNone = -1;
// A reference's kind, the codec's mode: its bit or word rows.
constexpr int kBit = ModeCode(AddrMode::Bit);
constexpr int kWord = ModeCode(AddrMode::Word);
constexpr int kEither = ModeCode(AddrMode::Either);
constexpr int kExtendedId = 96;

bool OfKind(const DevRecord& r, int kind) { return r.Kind == kind || IsDevKind(r.Kind, DevKind::Either); }

// An either-kind reference takes its place among the bit rows: that is where the user pairs it.
int RowKind(int kind) { return kind == kWord ? kWord : kBit; }

int Units(const DevRecord& r) { return std::max<int>(r.BitsPerUnit, 1); }

std::int64_t LastAddress(const DevRange& g, int bitsPerUnit)
{
    return static_cast<std::int64_t>(g.Step) * (g.Max - g.Min) / bitsPerUnit + g.Base;
}

std::uint8_t LastBit(const DevRecord& r, int kind)
{
    if (kind != kBit)
        return 0;
    if (r.BitLimit > 0)
        return static_cast<std::uint8_t>(r.BitLimit - 1);
    return static_cast<std::uint8_t>(Units(r) >= 2 ? Units(r) - 1 : 0);
}

// Walks the records of a stored page by their tags and lengths; a length below the record
// head or past the end stops the walk. Returns where the walk stopped.
std::size_t WalkRecords(Bytes& data, const std::function<void(std::uint8_t*, std::size_t)>& each)
{
    std::size_t pos = 0;
    while (pos < data.size()) {
        const auto len = GetU16be(data, pos + layout::RecHead::Length);
        if (!len || *len < layout::RecHead::Size || *len > data.size() - pos)
            break;
        each(data.data() + pos, *len);
        pos += *len;
    }
    return pos;
}

std::uint16_t TagOf(const std::uint8_t* rec) { return static_cast<std::uint16_t>((rec[0] << 8) | rec[1]); }

std::int32_t CodeAt(const std::uint8_t* rec, std::size_t len, std::size_t at)
{
    if (at + layout::ObjRef::Size > len)
        return kNone;
    return static_cast<std::int32_t>(*GetU32be(ByteSpan(rec, len), at + layout::ObjRef::Code));
}

// How a kind's record holds its device references, for the conversion and for the targets
// without bit devices.
enum class MapRef {
    None,       // no device
    Word,       // one word reference, access class in the low nibble of byte 24
    WordPlain,  // one word reference, access class 0
    Bit,        // one bit reference: no place in a target without bit devices
    StateMode,  // one reference of the kind in the high nibble of byte 24, access in its low nibble
    ValMode,    // one reference of the kind in the high nibble of byte 23
    Button,     // write and read by button type, notify a bit
    ValueEntry, // write and read words, notify a bit
};

struct KindMapRef {
    ObjKind Kind;
    MapRef How;
};

constexpr KindMapRef kMapRefs[] = {
    {ObjKind::StTxt, MapRef::None},          {ObjKind::LxVal, MapRef::Word},
    {ObjKind::LxDevBmp, MapRef::Bit},        {ObjKind::VrgBmp, MapRef::Word},
    {ObjKind::StBmp, MapRef::None},          {ObjKind::ActBmp, MapRef::StateMode},
    {ObjKind::Scale, MapRef::None},          {ObjKind::ProgBar, MapRef::Word},
    {ObjKind::CirMeter, MapRef::WordPlain},  {ObjKind::RectMeter, MapRef::None},
    {ObjKind::LxPage, MapRef::None},         {ObjKind::MsgTxt, MapRef::StateMode},
    {ObjKind::LxBtn, MapRef::Button},        {ObjKind::LxCurve, MapRef::WordPlain},
    {ObjKind::LxXyCurve, MapRef::WordPlain}, {ObjKind::Rtc, MapRef::WordPlain},
    {ObjKind::Geom, MapRef::None},           {ObjKind::Light, MapRef::StateMode},
    {ObjKind::Metrol, MapRef::None},         {ObjKind::LxGetVal, MapRef::ValueEntry},
    {ObjKind::LxAdvDevBmp, MapRef::ValMode},
};
static_assert(CoversEveryKind(kMapRefs));

MapRef MapRefOf(std::uint16_t tag)
{
    const std::optional<ObjKind> k = KindOfCode(tag);
    return k ? EntryOf(kMapRefs, *k).How : MapRef::None;
}

constexpr std::size_t kKindByte = 24; // StateMode, or the value length of the word kinds
constexpr std::size_t kValMode = 23;

// The kind and access class of a key's (or button's) write and read references by its
// button type; false for the types that hold no device (change page, password, none).
bool KeyRefKind(BtnType type, std::uint8_t tailKind, std::uint8_t tailWidth, int& kind, std::uint8_t& access)
{
    if (IsBitBtnType(type)) {
        kind = kBit;
        access = 0;
    } else if (type == BtnType::MultiState) {
        kind = tailKind >> 4;
        access = kind == kWord ? 1 : 0;
    } else if (IsValueBtnType(type)) {
        kind = kWord;
        access = tailWidth & 0x0F;
    } else {
        return false;
    }
    return true;
}

} // namespace

PlcAddrMap::PlcAddrMap(ProjectDoc& doc)
    : doc_(doc), sourceState_(static_cast<const ProjectState&>(doc)),
      targetState_(static_cast<const ProjectState&>(doc))
{
    SourceId = doc.MachineId;
    TargetId = doc.MachineId;
}

void PlcAddrMap::BuildRows()
{
    source_.LoadDeviceTable(SourceId);
    target_.LoadDeviceTable(TargetId);
    BitRowNames.clear();
    WordRowNames.clear();
    TargetBitNames.clear();
    TargetWordNames.clear();
    for (const DevRecord& r : source_.DeviceTable) {
        if (OfKind(r, kBit))
            BitRowNames.push_back(r.Name);
        if (OfKind(r, kWord))
            WordRowNames.push_back(r.Name);
    }
    for (const DevRecord& r : target_.DeviceTable) {
        if (OfKind(r, kBit))
            TargetBitNames.push_back(r.Name);
        if (OfKind(r, kWord))
            TargetWordNames.push_back(r.Name);
    }
    // No target device of a kind: no rows of that kind.
    if (TargetBitNames.empty())
        BitRowNames.clear();
    if (TargetWordNames.empty())
        WordRowNames.clear();
    BitRowCount = static_cast<std::int32_t>(BitRowNames.size());
    WordRowCount = static_cast<std::int32_t>(WordRowNames.size());
    RowChoice.assign(static_cast<std::size_t>(BitRowCount + WordRowCount), 0);
    for (int i = 0; i < BitRowCount; ++i)
        RowChoice[static_cast<std::size_t>(i)] = std::min(i, static_cast<int>(TargetBitNames.size()) - 1);
    for (int j = 0; j < WordRowCount; ++j)
        RowChoice[static_cast<std::size_t>(BitRowCount + j)] =
            std::min(j, static_cast<int>(TargetWordNames.size()) - 1);
}

const DevRecord* PlcAddrMap::TargetDevice(int kind, int pos) const
{
    int at = 0;
    for (const DevRecord& r : target_.DeviceTable) {
        if (!OfKind(r, kind))
            continue;
        if (at++ == pos)
            return &r;
    }
    return target_.DeviceTable.empty() ? nullptr : &target_.DeviceTable.front();
}

bool PlcAddrMap::TargetHasKind(int kind) const
{
    return std::any_of(target_.DeviceTable.begin(), target_.DeviceTable.end(),
                       [kind](const DevRecord& r) { return OfKind(r, kind); });
}

bool PlcAddrMap::ConvertAddress(std::int32_t& addr, int kind, bool& intMem, std::uint8_t& bitIndex, bool devForm,
                                std::uint8_t access)
{
    if (intMem) {
        // A target whose ports do not talk to panel memory takes its default device instead.
        if (targetState_.PortInternalCode == 0) {
            intMem = false;
            addr = kind == kWord ? target_.DefWordCode : target_.DefBitCode;
        }
        return false;
    }
    const std::int64_t code = static_cast<std::uint32_t>(addr);
    addr = kNone;
    if (source_.DeviceTable.empty() || target_.DeviceTable.empty())
        return false;
    const int rowKind = RowKind(kind);
    std::string text = source_.FormatDeviceAddress(static_cast<std::uint32_t>(code), static_cast<std::uint8_t>(kind),
                                                   access, bitIndex, devForm, false);
    if (source_.AddrTextFmt & 0xF0) {
        const bool bit = kind == kBit || (kind == kEither && !text.empty() && (text[0] == '0' || text[0] == '1'));
        text = (bit ? "*BIT" : "*VAL") + text;
    }
    const DevRecord& src = source_.DeviceTable[static_cast<std::size_t>(source_.DeviceIndexOfText(text))];
    const int row = source_.DeviceListIndexOfText(text, rowKind) + (rowKind == kWord ? BitRowCount : 0);

    // The address's offset within its device.
    std::int64_t offset = code;
    std::size_t rangeIndex = 0;
    if (devForm && source_.TableMachineId != kExtendedId) {
        for (std::size_t i = 0; i < src.Ranges.size(); ++i) {
            const DevRange& g = src.Ranges[i];
            if (g.Base <= code && code <= LastAddress(g, Units(src)))
                rangeIndex = i;
        }
        if (!src.Ranges.empty()) {
            const DevRange& g = src.Ranges[rangeIndex];
            offset = (code - g.Base) / std::max<int>(g.Step, 1) * Units(src);
            if (kind == kBit && Units(src) >= 2)
                offset += bitIndex;
            else if (src.BitLimit > 0 && kind == kBit)
                offset = static_cast<std::int64_t>(src.BitLimit) * offset + bitIndex;
        }
    } else if (devForm) {
        const std::int64_t station = (code >> 24) & 0xFF, number = (code >> 8) & 0xFF, field = code & 0xFF;
        offset = 0;
        if (station != 0 && src.ExtCount() > 0 && station != src.ExtStation)
            offset = station * 256;
        offset += number;
        if (src.FieldLimit > 0)
            offset *= src.FieldLimit;
        offset += field;
        if (kind == kBit && src.BitLimit > 0)
            offset = offset * src.BitLimit + bitIndex;
    }

    const int choice =
        row >= 0 && row < static_cast<int>(RowChoice.size()) ? RowChoice[static_cast<std::size_t>(row)] : 0;
    const DevRecord* trg = TargetDevice(rowKind, choice);
    if (!trg || trg->Ranges.empty()) {
        addr = kind == kWord ? target_.DefWordCode : target_.DefBitCode;
        return false;
    }

    if (target_.TableMachineId != kExtendedId) {
        if (rangeIndex >= trg->Ranges.size()) {
            addr = static_cast<std::int32_t>(LastAddress(trg->Ranges.back(), Units(*trg)));
            bitIndex = LastBit(*trg, kind);
            return false;
        }
        const DevRange& g = trg->Ranges[rangeIndex];
        std::int64_t value = offset;
        if (trg->BitLimit > 0 && kind == kBit)
            value /= trg->BitLimit;
        bitIndex = 0;
        if (value >= 0 && value <= g.Max - g.Min) {
            if (kind == kBit && Units(*trg) >= 2)
                bitIndex = static_cast<std::uint8_t>(offset % Units(*trg));
            if (kind == kBit && trg->BitLimit > 0)
                bitIndex = static_cast<std::uint8_t>(offset % trg->BitLimit);
            addr = static_cast<std::int32_t>(static_cast<std::int64_t>(g.Step) * value / Units(*trg) + g.Base);
            return true;
        }
        // Past the target's range (or before it: an address the source's ranges did not hold).
        addr = static_cast<std::int32_t>(value < 0 ? g.Base : LastAddress(g, Units(*trg)));
        bitIndex = value < 0 ? 0 : LastBit(*trg, kind);
        if (addr == kNone)
            addr = kind == kWord ? target_.DefWordCode : target_.DefBitCode;
        return false;
    }

    // Extended target: station byte, number byte and field byte over the record's device id.
    bool ok = offset >= 0;
    offset = std::max<std::int64_t>(offset, 0);
    if (kind == kBit && trg->BitLimit > 0) {
        bitIndex = static_cast<std::uint8_t>(offset % trg->BitLimit);
        offset /= trg->BitLimit;
    }
    std::int64_t field = 0;
    if (trg->FieldLimit > 0) {
        field = offset % trg->FieldLimit;
        offset /= trg->FieldLimit;
    }
    const DevRange& first = trg->Ranges.front();
    std::int64_t number = offset & 0xFF, rest = offset / 256;
    if (number < first.Min || number > first.Max) {
        number = first.Max & 0xFF;
        rest = offset;
        ok = false;
    }
    std::int64_t station = trg->ExtStation;
    if (trg->ExtCount() > 0) {
        if (rest != trg->ExtStation) {
            station = -1;
            for (int i = 0; i < trg->ExtCount() && station < 0; ++i)
                if (trg->ExtValueA[static_cast<std::size_t>(i)] <= rest &&
                    rest <= trg->ExtValueB[static_cast<std::size_t>(i)])
                    station = rest;
            if (station < 0) {
                station = trg->ExtValueB.back();
                ok = false;
            }
        }
    } else if (rest > 0) {
        ok = false;
    }
    addr = static_cast<std::int32_t>(((station & 0xFF) << 24) + (number << 8) + field + first.Base);
    return ok;
}

bool PlcAddrMap::ConvertFunctionKey(PgFunKeyRec& key)
{
    if (key.ButtonType == BtnType::None)
        return true;
    const int kind = key.Kind >> 4;
    bool ok = true;
    auto convert = [&](DevRefHead& ref, int k, std::uint8_t access) {
        bool intMem = ref.LinkFlag != 0;
        const bool done = ConvertAddress(ref.DevAddrCode, k, intMem, ref.BitIndex, ref.Present != 0, access);
        ref.LinkFlag = intMem ? 1 : 0;
        if (!done && !TargetHasKind(k))
            ref.DevAddrCode = kNone;
        ok = ok && done;
    };
    if (key.Write.DevAddrCode != kNone)
        convert(key.Write, kind, key.Width);
    // The read reference has the key's kind; the notify reference is always a bit.
    if (key.Read.DevAddrCode != kNone)
        convert(key.Read, kind, key.Width);
    if (key.Notify.DevAddrCode != kNone)
        convert(key.Notify, kBit, 0);
    return ok;
}

bool PlcAddrMap::ConvertSysRef(DevRefHead& ref, int kind, std::uint8_t access)
{
    if (ref.DevAddrCode == kNone || ref.LinkFlag)
        return true;
    bool intMem = false;
    return ConvertAddress(ref.DevAddrCode, kind, intMem, ref.BitIndex, ref.Present != 0, access);
}

bool PlcAddrMap::ConvertStoredRef(std::uint8_t* rec, std::size_t len, std::size_t at, int kind, std::uint8_t access,
                                  bool openPage)
{
    namespace R = layout::ObjRef;
    if (at + R::Size > len)
        return true;
    std::int32_t code = CodeAt(rec, len, at);
    const std::uint8_t flags = rec[at + R::Flags];
    bool intMem = (flags >> 4) != 0;
    // A reference that is not set, and panel memory of a page not open, stay as they are.
    if (code == kNone || (intMem && !openPage))
        return true;
    std::uint8_t bit = rec[at + R::BitNo];
    const bool ok = ConvertAddress(code, kind, intMem, bit, (flags & 0x0F) != 0, access);
    PutU32be(std::span<std::uint8_t>(rec, len), at + R::Code, static_cast<std::uint32_t>(code));
    rec[at + R::Flags] = static_cast<std::uint8_t>(((intMem ? 1 : 0) << 4) | (flags & 0x0F));
    rec[at + R::BitNo] = bit;
    return ok;
}

bool PlcAddrMap::ConvertStoredRecord(std::uint8_t* rec, std::size_t len, bool openPage)
{
    namespace Tr = layout::RefTriple;
    const std::uint16_t tag = TagOf(rec);
    auto byteAt = [&](std::size_t at) -> std::uint8_t { return at < len ? rec[at] : 0; };
    auto one = [&](std::size_t at, int kind, std::uint8_t access) {
        return ConvertStoredRef(rec, len, at, kind, access, openPage);
    };
    switch (MapRefOf(tag)) {
    case MapRef::Word:
        return one(layout::SingleRef, kWord, byteAt(kKindByte) & 0x0F);
    case MapRef::WordPlain:
        return one(layout::SingleRef, kWord, 0);
    case MapRef::Bit:
        return one(layout::SingleRef, kBit, 0);
    case MapRef::StateMode:
        return one(layout::SingleRef, byteAt(kKindByte) >> 4, byteAt(kKindByte) & 0x0F);
    case MapRef::ValMode:
        return one(layout::SingleRef, byteAt(kValMode) >> 4, 0);
    case MapRef::ValueEntry: {
        const std::uint8_t access = byteAt(layout::LxGetVal::ValLen) & 0x0F;
        bool ok = one(Tr::WriteRef, kWord, access);
        ok = one(Tr::ReadRef, kWord, access) && ok;
        return one(Tr::NotifyRef, kBit, 0) && ok;
    }
    case MapRef::Button:
    case MapRef::None:
        break;
    }
    std::size_t typeAt = 0, tailAt = 0, baseAt = 0;
    if (MapRefOf(tag) == MapRef::Button) {
        typeAt = layout::LxBtn::BtnType;
        tailAt = layout::LxBtn::Tail;
        baseAt = Tr::WriteRef;
    } else if (tag == kTagPgFunKey) {
        typeAt = layout::PgFunKey::ButtonType;
        tailAt = layout::PgFunKey::Tail;
        baseAt = layout::PgFunKey::WriteRef;
    } else if (tag == kTagPgJmp) {
        const std::uint8_t kw = byteAt(layout::PgJmp::KindWidth);
        return one(layout::PgJmp::Ref, kw >> 4, kw & 0x0F);
    } else if (tag == kTagPgSys) {
        const std::uint8_t kw = byteAt(layout::PgSys::KindWidth);
        return one(layout::PgSys::Ref, kw >> 4, kw & 0x0F);
    } else if (tag == kTagPgNumWrite) {
        return one(layout::PLCValSet::Ref, kWord, 0);
    } else {
        return true;
    }
    // A button or function key: write and read by its button type, notify a bit. The three
    // references follow each other, 9 bytes apart, in both records.
    int kind = 0;
    std::uint8_t access = 0;
    if (!KeyRefKind(static_cast<BtnType>(byteAt(typeAt)), byteAt(tailAt + layout::FunKeyTail::KindFlag),
                    byteAt(tailAt + layout::FunKeyTail::Width), kind, access))
        return true;
    constexpr std::size_t kRef = layout::ObjRef::Size;
    bool ok = one(baseAt, kind, access);
    ok = one(baseAt + kRef, kind, access) && ok;
    return one(baseAt + 2 * kRef, kBit, 0) && ok;
}

bool PlcAddrMap::NeedsBitDevice(const DevRefHead& write, BtnType buttonType, std::uint8_t kind) const
{
    if (write.DevAddrCode == kNone)
        return false;
    if (IsBitBtnType(buttonType))
        return true;
    if (buttonType != BtnType::MultiState)
        return false;
    if ((kind >> 4) == kBit)
        return true;
    return (kind >> 4) == kEither && target_
                                         .FormatDeviceAddress(static_cast<std::uint32_t>(write.DevAddrCode), 1, 0,
                                                              write.BitIndex, write.Present != 0, write.LinkFlag != 0)
                                         .empty();
}

bool PlcAddrMap::NeedsBitStored(const std::uint8_t* rec, std::size_t len, std::size_t typeAt, std::size_t refAt,
                                std::size_t notifyAt) const
{
    if (typeAt + 2 > len)
        return false;
    const auto type = static_cast<BtnType>(rec[typeAt]);
    const std::uint8_t kind = rec[typeAt + 1] >> 4;
    if (IsBitBtnType(type) || (type == BtnType::MultiState && kind == kBit))
        return true;
    if (type == BtnType::MultiState && kind == kEither && refAt + layout::ObjRef::Size <= len) {
        const std::uint8_t flags = rec[refAt + layout::ObjRef::Flags];
        if (target_
                .FormatDeviceAddress(static_cast<std::uint32_t>(CodeAt(rec, len, refAt)), 1, 0,
                                     rec[refAt + layout::ObjRef::BitNo], (flags & 0x0F) != 0, (flags >> 4) != 0)
                .empty())
            return true;
    }
    return CodeAt(rec, len, notifyAt) != kNone;
}

bool PlcAddrMap::StoredRecordNeedsBit(const std::uint8_t* rec, std::size_t len) const
{
    const std::uint16_t tag = TagOf(rec);
    auto byteAt = [&](std::size_t at) -> std::uint8_t { return at < len ? rec[at] : 0xFF; };
    switch (MapRefOf(tag)) {
    case MapRef::Bit:
        return true;
    case MapRef::StateMode:
        return (byteAt(kKindByte) >> 4) == kBit;
    case MapRef::Button:
        return NeedsBitStored(rec, len, layout::LxBtn::BtnType, layout::RefTriple::WriteRef,
                              layout::RefTriple::NotifyRef);
    case MapRef::ValueEntry:
        return CodeAt(rec, len, layout::RefTriple::NotifyRef) != kNone;
    default:
        break;
    }
    if (tag == kTagPgJmp)
        return (byteAt(layout::PgJmp::KindWidth) >> 4) == kBit;
    if (tag == kTagPgSys)
        return (byteAt(layout::PgSys::KindWidth) >> 4) == kBit;
    if (tag == kTagPgFunKey)
        return NeedsBitStored(rec, len, layout::PgFunKey::ButtonType, layout::PgFunKey::WriteRef,
                              layout::PgFunKey::NotifyRef);
    return false;
}

bool PlcAddrMap::CheckTargetRefs()
{
    for (const PgFunKeyRec& key : doc_.SysFunKeys)
        if (NeedsBitDevice(key.Write, key.ButtonType, key.Kind) || key.Notify.DevAddrCode != kNone)
            return true;
    for (const PgJmpRec& j : doc_.SysPgJumps)
        if (j.Kind == ModeFlags(AddrMode::Bit))
            return true;
    for (const PgSysRec* s : {&doc_.SysBuzzer, &doc_.SysAlarmLamp})
        if (s->Ref.DevAddrCode != kNone && s->KindWidth == 0)
            return true;
    if (doc_.PowerOnMacro.Ref.DevAddrCode != kNone && doc_.PowerOnMacro.Kind == ModeFlags(AddrMode::Bit))
        return true;
    for (const auto& page : doc_.PgDataList) {
        bool hit = false;
        WalkRecords(page->Data,
                    [&](std::uint8_t* rec, std::size_t len) { hit = hit || StoredRecordNeedsBit(rec, len); });
        if (hit)
            return true;
    }
    return false;
}

void PlcAddrMap::RewriteTargetRefs()
{
    std::erase_if(doc_.SysPgJumps, [](const PgJmpRec& j) { return j.Kind == ModeFlags(AddrMode::Bit); });
    for (std::size_t i = 0; i < doc_.SysFunKeys.size(); ++i) {
        PgFunKeyRec& key = doc_.SysFunKeys[i];
        if (!doc_.SysFunKeyUsed[i])
            continue;
        if (NeedsBitDevice(key.Write, key.ButtonType, key.Kind)) {
            doc_.SysFunKeyUsed[i] = 0;
            key.Write.DevAddrCode = kNone;
            key.Read.DevAddrCode = kNone;
        }
        if (key.Notify.DevAddrCode != kNone) {
            key.Notify.DevAddrCode = kNone;
            key.NotifyUsed = 0;
        }
    }
    for (PgSysRec* s : {&doc_.SysBuzzer, &doc_.SysAlarmLamp})
        if (s->Ref.DevAddrCode != kNone && s->KindWidth == 0)
            s->Ref.DevAddrCode = kNone;
    if (doc_.PowerOnMacro.Ref.DevAddrCode != kNone && doc_.PowerOnMacro.Kind == ModeFlags(AddrMode::Bit))
        doc_.PowerOnMacro.Ref.DevAddrCode = kNone;
    // Stored pages keep the records that need no bit device, in their order; the bytes after
    // a damaged record stay as they were.
    for (const auto& page : doc_.PgDataList) {
        Bytes kept;
        kept.reserve(page->Data.size());
        const std::size_t end = WalkRecords(page->Data, [&](std::uint8_t* rec, std::size_t len) {
            if (!StoredRecordNeedsBit(rec, len))
                kept.insert(kept.end(), rec, rec + len);
        });
        kept.insert(kept.end(), page->Data.begin() + static_cast<std::ptrdiff_t>(end), page->Data.end());
        page->Data = std::move(kept);
    }
    doc_.Modified = 1;
    doc_.Compiled = 0;
}

bool PlcAddrMap::ApplyAddressMap(int openPage)
{
    bool ok = true;
    MacPowerOnRec& mac = doc_.PowerOnMacro;
    ok = ConvertSysRef(mac.Ref, mac.Kind >> 4, mac.Width) && ok;
    for (std::size_t i = 0; i < doc_.SysFunKeys.size(); ++i)
        if (doc_.SysFunKeyUsed[i] && !doc_.SysFunKeys[i].Write.LinkFlag)
            ok = ConvertFunctionKey(doc_.SysFunKeys[i]) && ok;
    for (PgSysRec* s : {&doc_.SysBuzzer, &doc_.SysAlarmLamp})
        ok = ConvertSysRef(s->Ref, s->KindWidth >> 4, s->KindWidth & 0x0F) && ok;
    ok = ConvertSysRef(doc_.SysClockWrite.Ref, kWord, 0) && ok;
    for (PgJmpRec& j : doc_.SysPgJumps)
        ok = ConvertSysRef(j.Ref, j.Kind >> 4, j.Width) && ok;
    for (std::size_t p = 0; p < doc_.PgDataList.size(); ++p) {
        const bool open = static_cast<int>(p) == openPage;
        WalkRecords(doc_.PgDataList[p]->Data,
                    [&](std::uint8_t* rec, std::size_t len) { ok = ConvertStoredRecord(rec, len, open) && ok; });
    }
    doc_.Modified = 1;
    doc_.Compiled = 0;
    return ok;
}

} // namespace kes
