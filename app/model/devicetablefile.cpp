#include "app/model/devicetablefile.h"

#include "objects/digtest.h"
#include "platform/fileio.h"

#include <cctype>

namespace kes {

int DeviceTableFileId(int machineId) { return (machineId == 1 || machineId == 2) ? 3 : machineId; }

std::string DeviceTableFileName(int machineId) { return "M" + std::to_string(DeviceTableFileId(machineId)) + ".hmi"; }

namespace {

constexpr int kMaxRecords = 256;
constexpr int kMaxRanges = 256;
constexpr int kMaxNamed = 256;

// Where the table stopped: the line and what it holds (empty past the end of the file).
struct Damaged {
    int line;
    std::string detail;
};

// Walks the lines in order; every read either gives a value or throws Damaged.
class LineReader {
public:
    LineReader(std::string_view text, const std::string& file, ModelWarnings& w)
        : lines_(SplitLines(text)), file_(file), warnings_(w)
    {
        // A final line end leaves one empty piece behind; it is no line of the file.
        if (!lines_.empty() && lines_.back().empty())
            lines_.pop_back();
    }

    void Skip() { Next(); }

    std::string String() { return Value(); }

    char Char()
    {
        std::string v = Value();
        return v.empty() ? '\0' : v[0];
    }

    // Like the C conversion: leading blanks, a sign, leading digits; 0 when none.
    std::int32_t Decimal()
    {
        std::string v = Value();
        std::size_t i = 0;
        bool neg = false;
        if (i < v.size() && (v[i] == '+' || v[i] == '-'))
            neg = v[i++] == '-';
        const std::size_t digitsStart = i;
        std::uint32_t n = 0;
        while (i < v.size() && std::isdigit(static_cast<unsigned char>(v[i])))
            n = n * 10 + static_cast<std::uint32_t>(v[i++] - '0');
        if (i == digitsStart || i != v.size())
            Bad(); // no decimal number
        return static_cast<std::int32_t>(neg ? 0u - n : n);
    }

    std::uint32_t Hex()
    {
        std::string v = Value();
        if (v.empty() || !IsHexText(v))
            Bad(); // no hexadecimal number
        return HexTextToUInt(v);
    }

    std::uint32_t Octal()
    {
        std::string v = Value();
        if (v.empty() || !IsOctalText(v))
            Bad(); // no octal number
        return static_cast<std::uint32_t>(OctTextToInt(v));
    }

    // A number in a device's radix (a DevRadix code): hexadecimal, octal, else decimal.
    std::int32_t InRadix(int radix)
    {
        if (IsDevRadix(radix, DevRadix::Hex))
            return static_cast<std::int32_t>(Hex());
        if (IsDevRadix(radix, DevRadix::Octal))
            return static_cast<std::int32_t>(Octal());
        return Decimal();
    }

    // The address text format: two characters ("0x") are skipped, the rest is hexadecimal.
    std::uint32_t PrefixedHex()
    {
        std::string v = RawValue();
        std::string rest = v.size() > 2 ? v.substr(2) : std::string();
        if (rest.empty() || !IsHexText(rest))
            Bad(); // no 0x-prefixed hexadecimal number
        return HexTextToUInt(rest);
    }

    // The line just read does not fit the table.
    [[noreturn]] void Damage() { throw Damaged{pos_, LastLine()}; }

private:
    const std::string& Next()
    {
        // The file ends early.
        if (pos_ >= static_cast<int>(lines_.size()))
            throw Damaged{pos_ + 1, {}};
        return lines_[static_cast<std::size_t>(pos_++)];
    }

    std::string RawValue()
    {
        const std::string& line = Next();
        const auto eq = line.find('=');
        // A line without "=".
        if (eq == std::string::npos)
            throw Damaged{pos_, line};
        return line.substr(eq + 1);
    }

    std::string Value()
    {
        std::string v = RawValue();
        const auto b = v.find_first_not_of(" \t");
        if (b == std::string::npos)
            return {};
        const auto e = v.find_last_not_of(" \t");
        return v.substr(b, e - b + 1);
    }

    std::string LastLine() const { return pos_ > 0 ? lines_[static_cast<std::size_t>(pos_ - 1)] : std::string(); }
    void Bad() { warnings_.push_back({ModelError::BadValue, file_, pos_, LastLine(), {}}); }

    std::vector<std::string> lines_;
    int pos_ = 0;
    const std::string& file_;
    ModelWarnings& warnings_;
};

std::string CharText(char c) { return c ? std::string(1, c) : std::string(); }

// A count of records, ranges or names no real table reaches.
int Count(LineReader& in, int max)
{
    const int n = in.Decimal();
    if (n < 0 || n > max)
        in.Damage();
    return n;
}

DevRecord ReadRecord(LineReader& in, bool extended)
{
    DevRecord r;
    in.Skip();
    r.Name = in.String();
    // A device name has 1 to 5 characters.
    if (r.Name.empty() || r.Name.size() > 5)
        in.Damage();
    r.Kind = static_cast<std::uint8_t>(in.Decimal());
    r.Radix = static_cast<std::uint8_t>(in.Decimal());
    if (r.Radix > DevRadixCode(DevRadix::Hex))
        in.Damage(); // a radix is 0 to 3
    if (extended) {
        const int n = Count(in, kMaxNamed);
        r.ExtStation = in.Decimal();
        for (int i = 0; i < n; ++i) {
            r.ExtValueA.push_back(in.Decimal());
            r.ExtValueB.push_back(in.Decimal());
            r.ExtCharA.push_back(in.Char());
            r.ExtCharB.push_back(in.Char());
        }
    }
    r.Separator = CharText(in.Char());
    r.SubRadix = static_cast<std::uint8_t>(in.Decimal());
    r.SubLimit = static_cast<std::uint32_t>(in.Decimal());
    r.SubSeparator = CharText(in.Char());
    r.BitRadix = static_cast<std::uint8_t>(in.Decimal());
    r.BitLimit = in.Decimal();
    r.BitSeparator = CharText(in.Char());
    if (extended) {
        const int n = Count(in, kMaxNamed);
        for (int i = 0; i < n; ++i) {
            r.BitNameValues.push_back(in.Decimal());
            r.BitNames.push_back(in.String());
        }
    }
    const int bpu = in.Decimal();
    if (bpu < 1 || bpu > 255)
        in.Damage(); // bits per unit are 1 to 255
    r.BitsPerUnit = static_cast<std::uint8_t>(bpu);
    if (extended) {
        r.FieldLimit = in.Decimal();
        if (r.FieldLimit < 0 || r.FieldLimit > 256)
            in.Damage(); // a field limit is 0 to 256
        if (r.FieldLimit > 0) {
            const int n = Count(in, kMaxNamed);
            for (int i = 0; i < n; ++i) {
                r.FieldValues.push_back(in.Decimal());
                r.FieldNames.push_back(in.String());
            }
        }
    }
    const int ranges = Count(in, kMaxRanges);
    for (int j = 0; j < ranges; ++j) {
        DevRange g;
        g.Min = in.InRadix(r.Radix);
        g.Max = in.InRadix(r.Radix);
        g.Access = static_cast<std::uint8_t>(in.Decimal());
        const int step = in.Decimal();
        g.Base = static_cast<std::int32_t>(in.Hex());
        // A step of 1 to 255, a range that does not start past its end, numbers of one byte in
        // the extended table.
        if (step < 1 || step > 255)
            in.Damage();
        g.Step = static_cast<std::uint8_t>(step);
        if (static_cast<std::uint32_t>(g.Min) > static_cast<std::uint32_t>(g.Max))
            in.Damage();
        if (extended && static_cast<std::uint32_t>(g.Max) > 255)
            in.Damage();
        r.Ranges.push_back(g);
    }
    return r;
}

} // namespace

bool ParseDeviceTable(std::string_view text, int machineId, const std::string& fileName, DeviceTableFile& out,
                      ModelWarnings& warnings)
{
    const bool extended = DeviceTableFileId(machineId) == kExtendedMachineId;
    LineReader in(text, fileName, warnings);
    DeviceTableFile t;
    try {
        const int n = Count(in, kMaxRecords);
        for (int i = 0; i < n; ++i)
            t.Records.push_back(ReadRecord(in, extended));
        in.Skip();
        t.TrailerByte = static_cast<std::uint8_t>(in.Decimal());
        in.Skip();
        t.DefWordCode = static_cast<std::int32_t>(in.Hex());
        t.DefBitCode = static_cast<std::int32_t>(in.Hex());
        in.Skip();
        t.DefStation = static_cast<std::uint8_t>(in.Hex());
        t.LengthSelectsAccess = in.Decimal() != 0;
        t.ComSet1 = static_cast<std::uint8_t>(in.Decimal());
        t.ComSet2 = static_cast<std::uint8_t>(in.Decimal());
        t.PortInternalCode = static_cast<std::uint8_t>(in.Decimal());
        t.AddrTextFmt = static_cast<std::uint8_t>(in.PrefixedHex());
    } catch (const Damaged& d) {
        warnings.push_back({ModelError::TableDamaged, fileName, d.line, d.detail, {}});
        return false;
    }
    out = std::move(t);
    return true;
}

} // namespace kes
