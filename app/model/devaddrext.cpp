// The extended address format of machine id 96: a code holds, from the high byte down,
// the station, the device id, the number and the field. Texts are the device's first
// letter, the station when it is not the default, the separator, the number, then
// "." and a field, and in bit mode the bit separator and a bit.
#include "app/model/codecutil.h"
#include "app/model/lxtypecore.h"

namespace kes {

using namespace codec;

namespace {

struct ExtCode {
    std::uint32_t station, device, number, field;

    explicit ExtCode(std::uint32_t code)
        : station(code >> 24), device(code & 0x00FF0000u), number((code >> 8) & 0xFF), field(code & 0xFF)
    {}
    std::uint32_t Code() const { return (station << 24) | device | ((number & 0xFF) << 8) | (field & 0xFF); }
};

// Index of name among names compared upper-cased, or -1.
int FindName(const std::vector<std::string>& names, std::string_view upper)
{
    for (std::size_t i = 0; i < names.size(); ++i)
        if (!names[i].empty() && Upper(names[i]) == upper)
            return static_cast<int>(i);
    return -1;
}

// At most max decimal digits from pos; count 0 when there are none.
std::uint32_t ReadDecimal(std::string_view t, std::size_t& pos, std::size_t max, std::size_t& count)
{
    std::uint32_t v = 0;
    count = 0;
    while (pos < t.size() && count < max && t[pos] >= '0' && t[pos] <= '9') {
        v = v * 10 + static_cast<std::uint32_t>(t[pos++] - '0');
        ++count;
    }
    return v;
}

bool NameFits(const DevRecord& r, const std::string& upper)
{
    const std::string name = Upper(r.Name);
    return !r.Ranges.empty() && !name.empty() && !upper.empty() && name[0] == upper[0] &&
           upper.find(name) != std::string::npos;
}

} // namespace

const DevRecord* LxTypeCore::ExtendedRecordOfCode(std::uint32_t code) const
{
    for (const DevRecord& r : DeviceTable)
        if (!r.Ranges.empty() && (static_cast<std::uint32_t>(r.Ranges[0].Base) & 0x00FF0000u) == (code & 0x00FF0000u))
            return &r;
    return nullptr;
}

std::string LxTypeCore::FormatExtended(std::uint32_t code, std::uint8_t mode, std::uint8_t bitIndex) const
{
    const DevRecord* r = ExtendedRecordOfCode(code);
    if (!r || r->Name.empty())
        return {};
    const ExtCode c(code);
    std::string t(1, r->Name[0]);
    if (c.station != 0 && c.station != static_cast<std::uint32_t>(r->ExtStation))
        t += std::to_string(c.station);
    t += r->Separator + std::to_string(c.number);
    if (c.field != 0) {
        t += '.';
        std::string name;
        for (std::size_t i = 0; i < r->FieldValues.size() && name.empty(); ++i)
            if (static_cast<std::uint32_t>(r->FieldValues[i]) == c.field)
                name = r->FieldNames[i];
        t += name.empty() ? std::to_string(c.field) : name;
    }
    if (mode == 0 && !r->BitSeparator.empty()) {
        std::string name;
        for (std::size_t i = 0; i < r->BitNameValues.size() && name.empty(); ++i)
            if (r->BitNameValues[i] == bitIndex)
                name = r->BitNames[i];
        t += r->BitSeparator + (name.empty() ? std::to_string(bitIndex) : name);
    }
    return t;
}

std::int32_t LxTypeCore::ParseExtended(const std::string& text) const
{
    const std::string t = Upper(Trimmed(text));
    for (const DevRecord& r : DeviceTable) {
        if (!NameFits(r, t))
            continue;
        ExtCode c(static_cast<std::uint32_t>(r.Ranges[0].Base));
        std::size_t pos = 1, n = 0;
        const std::uint32_t station = ReadDecimal(t, pos, 3, n);
        c.station = (n ? station : static_cast<std::uint32_t>(r.ExtStation)) & 0xFF;
        if (pos < t.size())
            ++pos; // the separator
        const std::uint32_t number = ReadDecimal(t, pos, 3, n);
        if (n == 0)
            continue;
        c.number = number;
        if (r.FieldLimit > 0 && pos < t.size() && t[pos] == '.') {
            ++pos;
            const int named = r.FieldNames.empty() ? -1 : FindName(r.FieldNames, std::string_view(t).substr(pos, 3));
            if (named >= 0)
                c.field = static_cast<std::uint32_t>(r.FieldValues[static_cast<std::size_t>(named)]);
            else
                c.field = ReadDecimal(t, pos, 3, n);
        }
        return static_cast<std::int32_t>(c.Code());
    }
    return -1;
}

std::uint8_t LxTypeCore::ParseExtendedBitIndex(const std::string& text) const
{
    const std::string t = Upper(Trimmed(text));
    for (const DevRecord& r : DeviceTable) {
        if (!NameFits(r, t))
            continue;
        if (r.BitSeparator.empty())
            return 0;
        const auto at = t.find(r.BitSeparator, 1);
        if (at == std::string::npos)
            return 0;
        const std::string bit = t.substr(at + r.BitSeparator.size());
        if (!bit.empty() && bit.size() <= 3 && IsDecimalText(bit)) {
            const int v = std::stoi(bit);
            return v < r.BitLimit ? static_cast<std::uint8_t>(v) : 0;
        }
        const int named = FindName(r.BitNames, bit);
        return named >= 0 ? static_cast<std::uint8_t>(r.BitNameValues[static_cast<std::size_t>(named)]) : 0;
    }
    return 0;
}

bool LxTypeCore::ValidateExtended(const std::string& text, std::uint8_t modeFlags, std::uint8_t access)
{
    const std::string t = Upper(Trimmed(text));
    if (t.empty())
        return false;
    for (const DevRecord& r : DeviceTable) {
        if (r.Ranges.empty() || r.Name.empty() || Upper(r.Name)[0] != t[0])
            continue;
        std::size_t pos = 1, n = 0;
        const std::uint32_t station = ReadDecimal(t, pos, 3, n);
        if (n) {
            bool ok = r.ExtCount() == 0 && station == static_cast<std::uint32_t>(r.ExtStation);
            for (int k = 0; k < r.ExtCount() && !ok; ++k)
                ok = station >= static_cast<std::uint32_t>(r.ExtValueA[k]) &&
                     station <= static_cast<std::uint32_t>(r.ExtValueB[k]);
            if (!ok)
                continue;
        }
        if (!r.Separator.empty()) {
            if (!StartsWith(t, r.Separator, pos))
                continue;
            pos += r.Separator.size();
        }
        // A number is required: a text without one would not parse.
        const std::uint32_t number = ReadDecimal(t, pos, 3, n);
        if (n == 0)
            continue;
        const DevRange* range = nullptr;
        for (const DevRange& g : r.Ranges)
            if (NumberInRange(number, g)) {
                range = &g;
                break;
            }
        if (!range)
            continue;
        if (modeFlags == ModeFlags(AddrMode::Word) &&
            (IsDevKind(r.Kind, DevKind::Word) || IsDevKind(r.Kind, DevKind::Either)) && access == 1 &&
            range->Access == 0 && number == static_cast<std::uint32_t>(range->Max))
            continue;
        if (pos < t.size() && t[pos] == '.') {
            if (r.FieldLimit <= 0)
                continue;
            ++pos;
            if (pos + 3 <= t.size() && FindName(r.FieldNames, std::string_view(t).substr(pos, 3)) >= 0) {
                pos += 3;
            } else {
                const std::uint32_t field = ReadDecimal(t, pos, 3, n);
                if (n == 0 || field >= static_cast<std::uint32_t>(r.FieldLimit))
                    continue;
            }
        }
        if (modeFlags == 0x00) {
            if (r.BitSeparator.empty() || !StartsWith(t, r.BitSeparator, pos))
                continue;
            pos += r.BitSeparator.size();
            if (pos + 2 == t.size() && FindName(r.BitNames, std::string_view(t).substr(pos, 2)) >= 0) {
                pos += 2;
            } else {
                const std::uint32_t bit = ReadDecimal(t, pos, 3, n);
                if (n == 0 || static_cast<std::int64_t>(bit) >= r.BitLimit)
                    continue;
            }
        }
        if (pos != t.size())
            continue;
        LastAccess = range->Access;
        return true;
    }
    return false;
}

std::uint32_t LxTypeCore::NextExtended(std::uint32_t code, std::uint8_t mode, std::uint8_t& bitIndex) const
{
    const DevRecord* r = ExtendedRecordOfCode(code);
    if (!r)
        return code;
    ExtCode c(code);
    if (mode == 0 && r->BitLimit > 0) {
        if (bitIndex < r->BitLimit - 1) {
            ++bitIndex;
            return code;
        }
        bitIndex = 0;
    }
    if (r->FieldLimit > 0) {
        if (c.field < static_cast<std::uint32_t>(r->FieldLimit - 1)) {
            ++c.field;
            return c.Code();
        }
        c.field = 0;
    }
    for (std::size_t k = 0; k < r->Ranges.size(); ++k) {
        const auto lo = static_cast<std::uint32_t>(r->Ranges[k].Min);
        const auto hi = static_cast<std::uint32_t>(r->Ranges[k].Max);
        if (c.number >= lo && c.number < hi) {
            ++c.number;
            return c.Code();
        }
        if (c.number == hi && k + 1 < r->Ranges.size()) {
            c.number = static_cast<std::uint32_t>(r->Ranges[k + 1].Min);
            return c.Code();
        }
    }
    // Past the last number: the next station of the station ranges, from the first number.
    if (r->ExtCount() > 0) {
        const std::uint32_t s = c.station == 0 ? static_cast<std::uint32_t>(r->ExtStation) : c.station;
        for (int k = 0; k < r->ExtCount(); ++k) {
            const auto a = static_cast<std::uint32_t>(r->ExtValueA[k]);
            const auto b = static_cast<std::uint32_t>(r->ExtValueB[k]);
            std::uint32_t next = 0x100;
            if (s >= a && s < b)
                next = s + 1;
            else if (s == b && k + 1 < r->ExtCount())
                next = static_cast<std::uint32_t>(r->ExtValueA[k + 1]);
            else if (s < a)
                next = a;
            if (next <= 0xFF) {
                c.station = next;
                c.number = static_cast<std::uint32_t>(r->Ranges[0].Min);
                return c.Code();
            }
        }
    }
    if (mode == 0) {
        bitIndex = 0;
        return static_cast<std::uint32_t>(DefBitCode);
    }
    return static_cast<std::uint32_t>(DefWordCode);
}

} // namespace kes
