#pragma once
// Helpers of the record writer tests: byte strings written as hex and a walk over the
// tags of a stream.
#include "platform/bytes.h"

#include <cctype>
#include <cstdint>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace kes::test {

// "03 EB 00 08" -> bytes; blanks and '|' separate nothing but the reader's eye.
inline Bytes Hex(const std::string& text)
{
    Bytes out;
    std::string digits;
    for (char c : text) {
        if (std::isxdigit(static_cast<unsigned char>(c)))
            digits += c;
    }
    for (std::size_t i = 0; i + 1 < digits.size(); i += 2)
        out.push_back(static_cast<std::uint8_t>(std::stoi(digits.substr(i, 2), nullptr, 16)));
    return out;
}

inline std::string ToHex(ByteSpan bytes)
{
    static const char* kDigits = "0123456789ABCDEF";
    std::string s;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i != 0)
            s += ' ';
        s += kDigits[bytes[i] >> 4];
        s += kDigits[bytes[i] & 15];
    }
    return s;
}

// (tag, length) of every record of a well-formed stream from start.
inline std::vector<std::pair<int, int>> Tags(ByteSpan stream, std::size_t start = 0)
{
    std::vector<std::pair<int, int>> out;
    std::size_t pos = start;
    while (pos + 4 <= stream.size()) {
        const int tag = *GetU16be(stream, pos);
        const int len = *GetU16be(stream, pos + 2);
        out.emplace_back(tag, len);
        if (len == 0)
            break;
        pos += static_cast<std::size_t>(len);
    }
    return out;
}

} // namespace kes::test
