#pragma once
// Small text and range helpers shared by the codec's source files.
#include "app/model/devrecord.h"
#include "objects/digtest.h"
#include "objects/valformat.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kes::codec {

inline std::string Upper(std::string_view s)
{
    std::string r(s);
    for (char& c : r)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return r;
}

inline std::string Trimmed(std::string_view s)
{
    const auto b = s.find_first_not_of(" \t");
    if (b == std::string_view::npos)
        return {};
    const auto e = s.find_last_not_of(" \t");
    return std::string(s.substr(b, e - b + 1));
}

inline bool StartsWith(std::string_view text, std::string_view prefix, std::size_t pos = 0)
{
    return pos <= text.size() && text.size() - pos >= prefix.size() && text.compare(pos, prefix.size(), prefix) == 0;
}

inline int DigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return 99;
}

// The base of a DevRadix code; decimal for any code but octal and hexadecimal.
inline unsigned RadixBase(int radix)
{
    return IsDevRadix(radix, DevRadix::Octal) ? 8u : IsDevRadix(radix, DevRadix::Hex) ? 16u : 10u;
}

// Reads digits of the radix from pos on, stopping at the first other character.
// count receives the number of digits read; the value saturates past 32 bits.
inline std::uint64_t ReadDigits(std::string_view text, std::size_t& pos, int radix, std::size_t* count = nullptr)
{
    const unsigned base = RadixBase(radix);
    std::uint64_t v = 0;
    std::size_t n = 0;
    while (pos < text.size() && static_cast<unsigned>(DigitValue(text[pos])) < base) {
        v = v * base + static_cast<unsigned>(DigitValue(text[pos]));
        if (v > 0xFFFFFFFFull)
            v = 0x100000000ull;
        ++pos;
        ++n;
    }
    if (count)
        *count = n;
    return v;
}

inline bool AllDigitsOf(std::string_view text, int radix)
{
    return IsDevRadix(radix, DevRadix::Octal) ? IsOctalText(text)
           : IsDevRadix(radix, DevRadix::Hex) ? IsHexText(text)
                                              : IsDecimalText(text);
}

// The device number in a record's radix; DevRadix::None writes none.
inline std::string NumberText(std::uint32_t n, int radix)
{
    switch (radix) {
    case DevRadixCode(DevRadix::Octal):
        return ValueToText(n, FormatCode(ValFormat::Octal), true);
    case DevRadixCode(DevRadix::Decimal):
        return std::to_string(n);
    case DevRadixCode(DevRadix::Hex):
        return ValueToText(n, FormatCode(ValFormat::Hex), true);
    default:
        return {};
    }
}

// A bit number in a record's bit radix, 16-bit form.
inline std::string BitText(std::uint8_t bit, int radix)
{
    const ValFormat f = IsDevRadix(radix, DevRadix::Octal) ? ValFormat::Octal
                        : IsDevRadix(radix, DevRadix::Hex) ? ValFormat::Hex
                                                           : ValFormat::Unsigned;
    return ValueToText(bit, FormatCode(f), false);
}

// Last code a range covers: Base + (Max - Min) * Step / BitsPerUnit, over 64 bits.
inline std::uint64_t RangeLastCode(const DevRange& g, std::uint8_t bitsPerUnit)
{
    const std::uint64_t span = static_cast<std::uint32_t>(g.Max - g.Min);
    return static_cast<std::uint32_t>(g.Base) + span * g.Step / (bitsPerUnit ? bitsPerUnit : 1);
}

inline bool CodeInRange(std::uint32_t code, const DevRange& g, std::uint8_t bitsPerUnit)
{
    return code >= static_cast<std::uint32_t>(g.Base) && code <= RangeLastCode(g, bitsPerUnit);
}

inline bool NumberInRange(std::uint64_t n, const DevRange& g)
{
    return n >= static_cast<std::uint32_t>(g.Min) && n <= static_cast<std::uint32_t>(g.Max);
}

} // namespace kes::codec
