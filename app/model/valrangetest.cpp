// The range test of typed numbers.
#include "app/model/valrangetest.h"

#include "objects/digtest.h"
#include "objects/valformat.h"

using kes::ValFormat;
using kes::ValFormatOf;

namespace {

std::string_view Trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

// Digits beyond the leading zeros, so that "0000FFFF" still fits 16 bits.
std::size_t SignificantDigits(std::string_view s)
{
    while (s.size() > 1 && s.front() == '0')
        s.remove_prefix(1);
    return s.size();
}

} // namespace

bool ValRangeTest(std::string_view text, int format, int width)
{
    text = Trimmed(text);
    if (text.empty())
        return false;
    const bool is32 = width != 0;
    const std::size_t maxDigits = is32 ? 8 : 4;
    switch (ValFormatOf(format)) {
    case ValFormat::Unsigned:
        return UnsignedTextInRange(text, is32);
    case ValFormat::Signed:
        return SignedTextInRange(text, is32) && text != "+" && text != "-";
    case ValFormat::Hex:
        return IsHexText(text) && SignificantDigits(text) <= maxDigits;
    case ValFormat::Bcd:
        return IsDecimalText(text) && SignificantDigits(text) <= maxDigits;
    default:
        return false;
    }
}
