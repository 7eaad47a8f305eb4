#include "objects/digtest.h"

#include "objects/valformat.h"

#include <charconv>
#include <cmath>
#include <cstring>

using kes::IsFormat;
using kes::IsNumberFormat;
using kes::ValFormat;
using kes::ValFormatOf;

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsUpperHexDigit(char c) { return IsDigit(c) || (c >= 'A' && c <= 'F'); }
char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

int HexDigitValue(char c)
{
    if (IsDigit(c))
        return c - '0';
    c = Upper(c);
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

std::string UpperCopy(std::string_view s)
{
    std::string r(s);
    for (char& c : r)
        c = Upper(c);
    return r;
}

// The whole text as a signed 64-bit decimal ("+" allowed). False for an empty text, a
// lone sign, any other character, or a value past 64 bits.
bool ParseInt64(std::string_view s, std::int64_t& v)
{
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    if (s.empty())
        return false;
    auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    return r.ec == std::errc() && r.ptr == s.data() + s.size();
}

std::string ToRadix(std::uint32_t v, unsigned radix)
{
    static const char digits[] = "0123456789ABCDEF";
    if (v == 0)
        return "0";
    std::string r;
    while (v) {
        r.insert(r.begin(), digits[v % radix]);
        v /= radix;
    }
    return r;
}

// A text of a field with decDigits places as the digits of its stored value: the
// integer part followed by the places, padded or cut to decDigits, leading zeros removed.
// negative is set for a leading "-". False when a character is no digit of the radix.
bool ScaledDigits(std::string_view text, int decDigits, bool hex, std::string& digits, bool& negative)
{
    text = Trim(text);
    negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::string_view intPart = text, frac;
    if (auto p = text.find('.'); p != std::string_view::npos) {
        intPart = text.substr(0, p);
        frac = text.substr(p + 1);
    }
    std::string f(frac.substr(0, static_cast<std::size_t>(decDigits)));
    f.resize(static_cast<std::size_t>(decDigits), '0');
    digits = UpperCopy(intPart) + UpperCopy(f);
    for (char c : digits)
        if (hex ? !IsUpperHexDigit(c) : !IsDigit(c))
            return false;
    digits.erase(0, digits.find_first_not_of('0'));
    if (digits.empty())
        negative = false; // -0 is 0
    return true;
}

// Compares two digit strings without leading zeros (same radix): <0, 0, >0.
int CompareMagnitude(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return a.compare(b);
}

} // namespace

bool IsDecimalText(std::string_view text)
{
    for (char c : text)
        if (!IsDigit(c))
            return false;
    return true;
}

bool IsUpperAlnumText(std::string_view text)
{
    for (char c : text)
        if (!IsDigit(c) && !(c >= 'A' && c <= 'Z'))
            return false;
    return true;
}

bool IsHexText(std::string_view text)
{
    for (char c : text)
        if (!IsUpperHexDigit(Upper(c)))
            return false;
    return true;
}

bool IsOctalText(std::string_view text)
{
    for (char c : text)
        if (c < '0' || c > '7')
            return false;
    return true;
}

bool IsSignedDecimalText(std::string_view text)
{
    if (text.empty())
        return false;
    if (text.front() == '+' || text.front() == '-')
        text.remove_prefix(1);
    return IsDecimalText(text);
}

std::uint8_t HexPairToByte(char hi, char lo)
{
    unsigned v = 0;
    for (char c : {hi, lo})
        if (IsUpperHexDigit(c))
            v = (v << 4) + static_cast<unsigned>(HexDigitValue(c));
    return static_cast<std::uint8_t>(v);
}

void ByteToHexPair(std::uint8_t value, char* out)
{
    static const char digits[] = "0123456789ABCDEF";
    out[0] = digits[value >> 4];
    out[1] = digits[value & 0x0F];
}

void SpacesToZeros(char* buf, int count)
{
    for (int i = 0; i < count; ++i)
        if (buf[i] == ' ')
            buf[i] = '0';
}

std::uint32_t HexTextToUInt(std::string_view text)
{
    std::uint32_t v = 0;
    for (char c : text) {
        int d = HexDigitValue(c);
        if (d < 0)
            break;
        v = (v << 4) | static_cast<std::uint32_t>(d);
    }
    return v;
}

double HexTextToDouble(std::string_view text)
{
    double v = 0;
    for (char c : text) {
        int d = HexDigitValue(c);
        if (d < 0)
            break;
        v = v * 16 + d;
    }
    return v;
}

std::int32_t OctTextToInt(std::string_view text)
{
    std::uint32_t v = 0;
    for (char c : text) {
        if (!IsDigit(c))
            break;
        v = v * 8 + static_cast<std::uint32_t>(c - '0');
    }
    return static_cast<std::int32_t>(v);
}

std::int32_t DecimalTextToInt(std::string_view text)
{
    std::int64_t v = 0;
    if (!ParseInt64(Trim(text), v))
        return 0;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
}

void ReverseBytes(void* dst, const void* src, std::size_t n)
{
    auto* d = static_cast<std::uint8_t*>(dst);
    const auto* s = static_cast<const std::uint8_t*>(src);
    for (std::size_t i = 0; i < n; ++i)
        d[i] = s[n - 1 - i];
}

std::string ValueToText(std::uint32_t value, int format, bool is32)
{
    switch (ValFormatOf(format)) {
    case ValFormat::Unsigned:
        return std::to_string(value);
    case ValFormat::Signed:
        if (is32)
            return std::to_string(static_cast<std::int32_t>(value));
        return std::to_string(static_cast<std::int16_t>(value & 0xFFFF));
    case ValFormat::Hex:
    case ValFormat::Bcd: {
        std::string t = ToRadix(value, 16);
        if (!is32 && t.size() > 4)
            t.erase(0, t.size() - 4);
        return t;
    }
    case ValFormat::Octal:
        return ToRadix(value, 8);
    default:
        return {};
    }
}

std::uint32_t TextToValue(std::string_view text, int format)
{
    text = Trim(text);
    if (text.empty())
        return 0;
    switch (ValFormatOf(format)) {
    case ValFormat::Unsigned:
    case ValFormat::Signed: {
        std::int64_t v = 0;
        if (!ParseInt64(text, v))
            return 0;
        if (IsFormat(format, ValFormat::Signed) && (v < INT32_MIN || v > INT32_MAX))
            return 0;
        return static_cast<std::uint32_t>(v);
    }
    case ValFormat::Hex:
    case ValFormat::Bcd:
        return HexTextToUInt(text);
    default:
        return 0;
    }
}

void FillValueList(std::vector<std::string>& list, const std::uint32_t* values, int count, int format, bool is32)
{
    list.clear();
    for (int i = 0; i < count; ++i)
        list.push_back(ValueToText(values[i], format, is32));
}

std::string RangeLimitText(int format, int is32, int isMax)
{
    const bool wide = is32 == 1;
    if (isMax != 1)
        switch (ValFormatOf(format)) {
        case ValFormat::Unsigned:
        case ValFormat::Hex:
        case ValFormat::Bcd:
            return "0";
        case ValFormat::Signed:
            return wide ? "-2147483648" : "-32768";
        default:
            return {};
        }
    switch (ValFormatOf(format)) {
    case ValFormat::Unsigned:
        return wide ? "4294967295" : "65535";
    case ValFormat::Signed:
        return wide ? "2147483647" : "32767";
    case ValFormat::Hex:
        return wide ? "FFFFFFFF" : "FFFF";
    case ValFormat::Bcd:
        return wide ? "99999999" : "9999";
    default:
        return {};
    }
}

// An empty text and a lone sign are refused here rather than passed to a conversion.
bool UnsignedTextInRange(std::string_view text, bool is32)
{
    std::int64_t v = 0;
    if (!IsDecimalText(text) || !ParseInt64(text, v))
        return false;
    return v <= (is32 ? std::int64_t(UINT32_MAX) : 65535);
}

bool SignedTextInRange(std::string_view text, bool is32)
{
    std::int64_t v = 0;
    if (!IsSignedDecimalText(text) || !ParseInt64(text, v))
        return false;
    return is32 ? (v >= INT32_MIN && v <= INT32_MAX) : (v >= -32768 && v <= 32767);
}

namespace {

// Optional sign, digits, at most one point, at least one digit.
bool IsFloatText(std::string_view s)
{
    if (!s.empty() && (s.front() == '+' || s.front() == '-'))
        s.remove_prefix(1);
    bool digit = false, point = false;
    for (char c : s) {
        if (IsDigit(c))
            digit = true;
        else if (c == '.' && !point)
            point = true;
        else
            return false;
    }
    return digit;
}

} // namespace

bool ValidateValueText(std::string_view input, int format, bool is32, int intDigits, int decDigits, bool withPoint)
{
    std::string text = UpperCopy(Trim(input));
    if (withPoint) {
        std::string_view body = text;
        std::size_t bodyStart = 0;
        if (IsFormat(format, ValFormat::Signed) && !body.empty() && (body.front() == '+' || body.front() == '-')) {
            body.remove_prefix(1);
            bodyStart = 1;
        }
        const auto len = static_cast<long>(body.size());
        const auto dot = body.find('.');
        const long p = dot == std::string_view::npos ? 0 : static_cast<long>(dot) + 1;
        if (decDigits < 1) {
            if (p > 0 || len > intDigits)
                return false;
        } else if (p == 0) {
            // A whole number: all its characters stand before the (absent) point.
            if (len > intDigits)
                return false;
        } else {
            if (len - p > decDigits || p - 1 > intDigits)
                return false;
        }
        if (p > 0)
            text.erase(bodyStart + static_cast<std::size_t>(p - 1), 1);
    }
    const std::size_t maxLen = is32 ? 8 : 4;
    switch (ValFormatOf(format)) {
    case ValFormat::Unsigned:
        return UnsignedTextInRange(text, is32);
    case ValFormat::Signed:
        return SignedTextInRange(text, is32);
    case ValFormat::Hex:
        return IsHexText(text) && text.size() <= maxLen;
    case ValFormat::Bcd:
        return IsDecimalText(text) && text.size() <= maxLen;
    case ValFormat::Float:
        return !text.empty() && static_cast<long>(text.size()) <= long(intDigits) + decDigits && IsFloatText(text);
    default:
        return false;
    }
}

bool ValueTextNotBelow(std::string_view a, std::string_view b, int format, int decDigits)
{
    a = Trim(a);
    b = Trim(b);
    if (decDigits < 1) {
        switch (ValFormatOf(format)) {
        case ValFormat::Unsigned: {
            std::int64_t x = 0, y = 0;
            ParseInt64(a, x);
            ParseInt64(b, y);
            return static_cast<std::uint32_t>(x) >= static_cast<std::uint32_t>(y);
        }
        case ValFormat::Signed: {
            std::int64_t x = 0, y = 0;
            ParseInt64(a, x);
            ParseInt64(b, y);
            return static_cast<std::int32_t>(x) >= static_cast<std::int32_t>(y);
        }
        case ValFormat::Hex:
            return HexTextToUInt(a) >= HexTextToUInt(b);
        case ValFormat::Bcd:
            return DecimalTextToInt(a) >= DecimalTextToInt(b);
        default:
            return false;
        }
    }
    // Texts with places compare exactly, as the stored values they stand for.
    if (!IsNumberFormat(format))
        return false;
    std::string da, db;
    bool na = false, nb = false;
    const bool hex = IsFormat(format, ValFormat::Hex);
    if (!ScaledDigits(a, decDigits, hex, da, na))
        da.clear(), na = false;
    if (!ScaledDigits(b, decDigits, hex, db, nb))
        db.clear(), nb = false;
    if (!IsFormat(format, ValFormat::Signed))
        na = nb = false;
    if (na != nb)
        return nb; // a >= b exactly when b is the negative one
    const int c = CompareMagnitude(da, db);
    return na ? c <= 0 : c >= 0;
}
