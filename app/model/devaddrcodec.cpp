// Device addresses between text and code for controllers with ordinary device tables,
// for the panel's own memory ("@B", "@V") and for absolute "$" addresses.
#include "app/model/codecutil.h"
#include "app/model/lxtypecore.h"
#include "app/model/projectstate.h"

#include <algorithm>

namespace kes {

using namespace codec;

namespace {

constexpr std::uint32_t kNoCode = 0xFFFFFFFFu;

// A bit or word record fits the mode of its own code.
static_assert(DevKindCode(DevKind::Bit) == ModeCode(AddrMode::Bit) &&
              DevKindCode(DevKind::Word) == ModeCode(AddrMode::Word));

bool KindFitsMode(std::uint8_t kind, std::uint8_t mode)
{
    return mode == kind || IsDevKind(kind, DevKind::Either) || IsMode(mode, AddrMode::Either);
}

// Mode flags of the validation (ModeFlags) as a mode code; 0xFF when unknown.
std::uint8_t ModeOfFlags(std::uint8_t flags)
{
    for (AddrMode m : {AddrMode::Bit, AddrMode::Word, AddrMode::Either})
        if (flags == ModeFlags(m))
            return ModeCode(m);
    return 0xFF;
}

// "@B" + n or "@V" + n with 0 <= n < 1024; the code or -1.
std::int32_t ParseInternal(const std::string& upper, const DevRecord& rec)
{
    if (!StartsWith(upper, rec.Name))
        return -1;
    const std::string digits = upper.substr(rec.Name.size());
    if (digits.empty() || digits.size() > 4 || !IsDecimalText(digits))
        return -1;
    const int n = std::stoi(digits);
    if (n >= kInternalUnits)
        return -1;
    return rec.Ranges.at(0).Base + n;
}

// The longest name that begins a text names the device: true when a record from index i
// on has a longer name than record i that also begins the text.
bool LongerNameFrom(const std::vector<DevRecord>& table, std::size_t i, const std::string& text)
{
    for (std::size_t j = i; j < table.size(); ++j)
        if (table[j].Name.size() > table[i].Name.size() && StartsWith(text, table[j].Name))
            return true;
    return false;
}

} // namespace

// Zero-padded plain numbers are read as the "*BIT" or "*VAL" device.
std::string LxTypeCore::PlainNumberText(const std::string& text, std::uint8_t mode) const
{
    std::string t = Trimmed(text);
    const std::size_t digits = AddrTextFmt & 0x0F;
    if (t.size() < digits)
        t.insert(0, digits - t.size(), '0');
    const bool bit =
        IsMode(mode, AddrMode::Bit) || (IsMode(mode, AddrMode::Either) && !t.empty() && (t[0] == '0' || t[0] == '1'));
    return (bit ? "*BIT" : "*VAL") + t;
}

// The record a device text names: its name begins the text, no record from it on with a
// longer name also begins the text, and its separator follows the name.
const DevRecord* LxTypeCore::RecordForText(const std::string& upper, std::size_t* pos) const
{
    for (std::size_t i = 0; i < DeviceTable.size(); ++i) {
        const DevRecord& r = DeviceTable[i];
        if (!StartsWith(upper, r.Name))
            continue;
        if (LongerNameFrom(DeviceTable, i, upper))
            continue;
        if (!r.Separator.empty() && !StartsWith(upper, r.Separator, r.Name.size()))
            continue;
        if (pos)
            *pos = r.Name.size() + r.Separator.size();
        return &r;
    }
    return nullptr;
}

std::string LxTypeCore::FormatDeviceAddress(std::uint32_t code, std::uint8_t mode, std::uint8_t access,
                                            std::uint8_t bitIndex, bool deviceForm, bool internalMem) const
{
    if (code == kNoCode)
        return {};
    if (!deviceForm)
        return "$" + ValueToText(code, FormatCode(ValFormat::Hex), code >= 0x10000);
    if (internalMem) {
        const DevRecord& b = state_.InternalDevRecords[kInternalBit];
        const DevRecord& v = state_.InternalDevRecords[kInternalWord];
        if (IsMode(mode, AddrMode::Bit) && code < kInternalUnits)
            return b.Name + std::to_string(code - static_cast<std::uint32_t>(b.Ranges.at(0).Base));
        if (IsMode(mode, AddrMode::Word) && code >= kInternalWordBase && code < kInternalWordBase + kInternalUnits)
            return v.Name + std::to_string(code - kInternalWordBase);
        std::string text;
        for (const DevRecord* r : {&b, &v}) {
            const DevRange& g = r->Ranges.at(0);
            const auto base = static_cast<std::uint32_t>(g.Base);
            if (code >= base && code < base + static_cast<std::uint32_t>(g.Max - g.Min))
                text = r->Name + std::to_string(code - base);
        }
        return text;
    }
    if (Extended())
        return FormatExtended(code, mode, bitIndex);

    const DevRecord* rec = nullptr;
    const DevRange* range = nullptr;
    // Pass 1: ranges open to the access asked for; the last matching range of the first
    // record gives the number.
    for (const DevRecord& r : DeviceTable) {
        if (!KindFitsMode(r.Kind, mode))
            continue;
        for (const DevRange& g : r.Ranges)
            if (CodeInRange(code, g, r.BitsPerUnit) && (g.Access == 1 || access == 2 || access == 3) &&
                (!LengthSelectsAccess || g.Access == access))
                range = &g;
        if (range) {
            rec = &r;
            break;
        }
    }
    // Pass 2: the first range of the other access classes.
    for (std::size_t i = 0; !rec && i < DeviceTable.size(); ++i) {
        const DevRecord& r = DeviceTable[i];
        if (!KindFitsMode(r.Kind, mode) ||
            (IsMode(mode, AddrMode::Either) && IsDevKind(r.Kind, DevKind::Bit) && LengthSelectsAccess))
            continue;
        for (const DevRange& g : r.Ranges)
            if (CodeInRange(code, g, r.BitsPerUnit) && (g.Access == 0 || g.Access == 2 || g.Access == 3)) {
                rec = &r;
                range = &g;
                break;
            }
    }
    if (!rec)
        return {};

    const std::uint32_t units =
        (code - static_cast<std::uint32_t>(range->Base)) / std::max<std::uint8_t>(range->Step, 1);
    std::uint32_t n = static_cast<std::uint32_t>(range->Min);
    if (!rec->BitSeparator.empty())
        n += units;
    else
        n += units * rec->BitsPerUnit + bitIndex;
    std::string text = rec->Name + rec->Separator + NumberText(n, rec->Radix);

    if ((AddrTextFmt & 0xF0) != 0) {
        if ((text.find("*BIT") != std::string::npos && IsDevKind(rec->Kind, DevKind::Bit)) ||
            (text.find("*VAL") != std::string::npos && IsDevKind(rec->Kind, DevKind::Word)))
            text.erase(0, 4);
        const std::size_t digits = AddrTextFmt & 0x0F;
        if (text.size() < digits)
            text.insert(0, digits - text.size(), '0');
    }
    if (!rec->BitSeparator.empty() &&
        (IsMode(mode, AddrMode::Bit) || (IsMode(mode, AddrMode::Either) && IsDevKind(rec->Kind, DevKind::Bit))))
        text += rec->BitSeparator + BitText(bitIndex, rec->BitRadix);
    return text;
}

std::int32_t LxTypeCore::ParseDeviceAddress(const std::string& text, std::uint8_t mode, std::uint8_t, bool deviceForm,
                                            bool internalMem) const
{
    if (text.empty())
        return -1;
    if (!deviceForm)
        return static_cast<std::int32_t>(HexTextToUInt(std::string_view(text).substr(1)));
    if (internalMem) {
        const std::string t = Upper(Trimmed(text));
        const DevRecord& b = state_.InternalDevRecords[kInternalBit];
        const DevRecord& v = state_.InternalDevRecords[kInternalWord];
        if (IsMode(mode, AddrMode::Bit))
            return ParseInternal(t, b);
        if (IsMode(mode, AddrMode::Word))
            return ParseInternal(t, v);
        const std::int32_t w = ParseInternal(t, v);
        return w >= 0 ? w : ParseInternal(t, b);
    }
    if (Extended())
        return ParseExtended(text);

    const std::string t = Upper((AddrTextFmt & 0xF0) ? PlainNumberText(text, mode) : Trimmed(text));
    std::size_t pos = 0;
    const DevRecord* r = RecordForText(t, &pos);
    if (!r || r->Ranges.empty())
        return -1;
    const std::uint64_t n = IsDevRadix(r->Radix, DevRadix::None) ? static_cast<std::uint32_t>(r->Ranges[0].Min)
                                                                 : ReadDigits(t, pos, r->Radix);
    for (const DevRange& g : r->Ranges)
        if (NumberInRange(n, g))
            return static_cast<std::int32_t>((static_cast<std::uint32_t>(n) - static_cast<std::uint32_t>(g.Min)) /
                                                 std::max<std::uint8_t>(r->BitsPerUnit, 1) * g.Step +
                                             static_cast<std::uint32_t>(g.Base));
    return -1;
}

std::uint8_t LxTypeCore::ParseDeviceBitIndex(const std::string& text, bool deviceForm, bool internalMem) const
{
    if (internalMem || !deviceForm)
        return 0;
    if (Extended())
        return ParseExtendedBitIndex(text);

    const std::string t = Upper(Trimmed(text));
    std::size_t pos = 0;
    const DevRecord* r = RecordForText(t, &pos);
    if (!r)
        return 0;
    if (r->BitsPerUnit < 2) {
        if (r->BitSeparator.empty())
            return 0;
        std::size_t from = pos;
        if (!r->SubSeparator.empty())
            if (auto s = t.find(r->SubSeparator, pos); s != std::string::npos)
                from = s + r->SubSeparator.size();
        auto b = t.find(r->BitSeparator, from);
        if (b == std::string::npos)
            return 0;
        b += r->BitSeparator.size();
        return static_cast<std::uint8_t>(ReadDigits(t, b, r->BitRadix));
    }
    std::size_t digits = 0;
    const std::uint64_t n = ReadDigits(t, pos, r->Radix, &digits);
    if (digits == 0)
        return 0;
    for (const DevRange& g : r->Ranges)
        if (NumberInRange(n, g))
            return static_cast<std::uint8_t>((n - static_cast<std::uint32_t>(g.Min)) % r->BitsPerUnit);
    return static_cast<std::uint8_t>(n);
}

bool LxTypeCore::ValidateDeviceAddress(const std::string& text, std::uint8_t modeFlags, std::uint8_t access,
                                       bool deviceForm, bool internalMem)
{
    const std::uint8_t mode = ModeOfFlags(modeFlags);
    if (mode == 0xFF)
        return false;
    if (!deviceForm) {
        // "$" and 1 to 8 hexadecimal digits.
        const std::string t = Upper(Trimmed(text));
        const std::string hex = t.empty() ? std::string() : t.substr(1);
        if (t.empty() || t[0] != '$' || hex.empty() || hex.size() > 8 || !IsHexText(hex))
            return false;
        if (internalMem) {
            const std::uint32_t v = HexTextToUInt(hex);
            const bool bit = v < kInternalUnits;
            const bool word = v >= kInternalWordBase && v < kInternalWordBase + 0x80;
            const bool anyWord = v >= kInternalWordBase && v < kInternalWordBase + kInternalUnits;
            if (!(IsMode(mode, AddrMode::Bit) ? bit : IsMode(mode, AddrMode::Word) ? word : (bit || anyWord)))
                return false;
        }
        LastAccess = 0;
        return true;
    }
    if (internalMem) {
        const std::string t = Upper(Trimmed(text));
        const auto& recs = state_.InternalDevRecords;
        const bool ok = (!IsMode(mode, AddrMode::Word) && ParseInternal(t, recs[kInternalBit]) >= 0) ||
                        (!IsMode(mode, AddrMode::Bit) && ParseInternal(t, recs[kInternalWord]) >= 0);
        if (ok)
            LastAccess = 0;
        return ok;
    }
    if (Extended())
        return ValidateExtended(text, modeFlags, access);

    const std::string t = Upper((AddrTextFmt & 0xF0) ? PlainNumberText(text, mode) : Trimmed(text));
    for (std::size_t i = 0; i < DeviceTable.size(); ++i) {
        const DevRecord& r = DeviceTable[i];
        const bool fits = IsDevKind(r.Kind, DevKind::Either) || IsDevKind(r.Kind, DevKind::Either3) ||
                          (IsDevKind(r.Kind, DevKind::Bit) && !IsMode(mode, AddrMode::Word)) ||
                          (IsDevKind(r.Kind, DevKind::Word) && !IsMode(mode, AddrMode::Bit));
        if (!fits || r.Ranges.empty())
            continue;
        const DevRange& first = r.Ranges[0];
        if (LengthSelectsAccess && ((IsMode(mode, AddrMode::Either) && IsDevKind(r.Kind, DevKind::Bit)) ||
                                    (IsMode(mode, AddrMode::Either) && first.Access == 1) ||
                                    (IsMode(mode, AddrMode::Word) && first.Access != access)))
            continue;
        if (!StartsWith(t, r.Name))
            continue;
        if (LongerNameFrom(DeviceTable, i, t))
            continue;
        std::string rest = t.substr(r.Name.size());
        if (!r.Separator.empty()) {
            if (!StartsWith(rest, r.Separator))
                continue;
            rest.erase(0, r.Separator.size());
        }
        const std::size_t subAt = r.SubSeparator.empty() ? std::string::npos : rest.find(r.SubSeparator);
        const std::size_t bitAt = r.BitSeparator.empty() ? std::string::npos : rest.find(r.BitSeparator);
        const bool hasSub = subAt != std::string::npos;
        const bool hasBit = bitAt != std::string::npos;
        if (!r.BitSeparator.empty() && !hasSub &&
            ((IsMode(mode, AddrMode::Bit) && !hasBit) || (IsMode(mode, AddrMode::Word) && hasBit)))
            return false;
        if (hasSub && hasBit && bitAt < subAt)
            continue;

        const std::string number = rest.substr(0, std::min({subAt, bitAt, rest.size()}));
        std::uint64_t n = 0;
        if (IsDevRadix(r.Radix, DevRadix::None)) {
            if (!number.empty())
                continue;
            n = static_cast<std::uint32_t>(first.Min);
        } else {
            if (number.empty() || number.size() > 9 || !AllDigitsOf(number, r.Radix))
                continue;
            std::size_t p = 0;
            n = ReadDigits(number, p, r.Radix);
        }
        const DevRange* range = nullptr;
        for (const DevRange& g : r.Ranges)
            if (NumberInRange(n, g)) {
                range = &g;
                break;
            }
        if (!range)
            continue;
        bool accepted = range->Access == access || range->Access == 2 || range->Access == 3 ||
                        IsDevKind(r.Kind, DevKind::Bit) || IsMode(mode, AddrMode::Bit);
        if (accepted && IsMode(mode, AddrMode::Either) && IsDevKind(r.Kind, DevKind::Bit))
            accepted = static_cast<std::int64_t>(n) <= std::int64_t(range->Max) - 15;
        if (!accepted && !IsDevKind(r.Kind, DevKind::Bit))
            accepted = (access == 0 && range->Access == 1) ||
                       (access == 1 && range->Access == 0 &&
                        n < static_cast<std::uint32_t>(range->Max) / std::max<std::uint8_t>(r.BitsPerUnit, 1));
        if (!accepted)
            continue;

        if (hasSub) {
            const std::size_t from = subAt + r.SubSeparator.size();
            const std::string sub = rest.substr(from, (hasBit ? bitAt : rest.size()) - from);
            std::size_t p = 0;
            if (sub.empty() || !AllDigitsOf(sub, r.SubRadix) || ReadDigits(sub, p, r.SubRadix) > r.SubLimit)
                continue;
        }
        if (hasBit) {
            const std::string bit = rest.substr(bitAt + r.BitSeparator.size());
            std::size_t p = 0;
            if (bit.empty() || !AllDigitsOf(bit, r.BitRadix) ||
                static_cast<std::int64_t>(ReadDigits(bit, p, r.BitRadix)) >= r.BitLimit)
                continue;
        }
        LastAccess = range->Access;
        return true;
    }
    return false;
}

std::uint32_t LxTypeCore::NextDeviceAddress(std::uint32_t code, std::uint8_t mode, std::uint8_t access,
                                            std::uint8_t& bitIndex, bool deviceForm, bool internalMem) const
{
    if (internalMem) {
        const DevRecord& r = state_.InternalDevRecords[IsMode(mode, AddrMode::Bit) ? kInternalBit : kInternalWord];
        const DevRange& g = r.Ranges.at(0);
        const auto base = static_cast<std::uint32_t>(g.Base);
        const std::uint32_t candidate = (code >= base && code < RangeLastCode(g, r.BitsPerUnit)) ? code + 1 : base;
        return FormatDeviceAddress(candidate, mode, access, bitIndex, deviceForm, internalMem).empty() ? base
                                                                                                       : candidate;
    }
    if (Extended())
        return NextExtended(code, mode, bitIndex);

    std::size_t ri = 0, gi = 0;
    bool found = false;
    for (std::size_t i = 0; i < DeviceTable.size() && !found; ++i)
        for (std::size_t j = 0; j < DeviceTable[i].Ranges.size() && !found; ++j)
            if (CodeInRange(code, DeviceTable[i].Ranges[j], DeviceTable[i].BitsPerUnit)) {
                found = true;
                ri = i;
                gi = j;
            }
    if (!found)
        return code;
    const DevRecord& r = DeviceTable[ri];
    const DevRange& g = r.Ranges[gi];

    std::uint32_t candidate = code + g.Step;
    if (IsMode(mode, AddrMode::Bit) && (r.BitLimit != 0 || r.BitsPerUnit > 1)) {
        ++bitIndex;
        if ((bitIndex < r.BitLimit || r.BitLimit == 0) && (bitIndex < r.BitsPerUnit || r.BitsPerUnit < 2))
            candidate = code;
        else
            bitIndex = 0;
    }
    if (!FormatDeviceAddress(candidate, mode, access, bitIndex, deviceForm, false).empty())
        return candidate;
    // Past the last unit of a range: the next range, then the next device of the kind.
    if (code != RangeLastCode(g, r.BitsPerUnit))
        return code;
    if (gi + 1 < r.Ranges.size())
        return static_cast<std::uint32_t>(r.Ranges[gi + 1].Base);
    for (std::size_t k = ri + 1; k < DeviceTable.size(); ++k)
        if ((IsDevKind(DeviceTable[k].Kind, DevKind::Either) || DeviceTable[k].Kind == mode) &&
            !DeviceTable[k].Ranges.empty())
            return static_cast<std::uint32_t>(DeviceTable[k].Ranges[0].Base);
    return static_cast<std::uint32_t>(IsMode(mode, AddrMode::Word) ? DefWordCode : DefBitCode);
}

} // namespace kes
