#pragma once
// How a word value is shown, typed and checked: its number format (an object's ValType, a
// function key's or a page record's ValueType).
//
// A format's stored code is the value of its ValFormat. Code names a format only through
// ValFormat and the groups below; the record readers and writers keep the code as a byte,
// and a box whose items follow the codes converts at the box.
//
// Header-only: the program and the decoder library both include it.
#include <cstdint>

namespace kes {

enum class ValFormat : std::uint8_t {
    Unsigned = 0, // unsigned decimal
    Signed = 1,   // signed decimal
    Hex = 2,      // hexadecimal
    Bcd = 3,      // binary-coded decimal
    Ascii = 4,    // characters, two a word
    Binary = 5,   // bits
    Octal = 6,    // octal device numbers: written, never stored with a value
    Float = 7,    // floating point, two words
    Other = 255,  // a code no format has (stands for any of them)
};

constexpr std::uint8_t FormatCode(ValFormat f) { return static_cast<std::uint8_t>(f); }

// The format of a stored code; Other for a code outside a byte. A byte that names no format
// compares unequal to every named one.
constexpr ValFormat ValFormatOf(int code)
{
    return code >= 0 && code <= 255 ? static_cast<ValFormat>(code) : ValFormat::Other;
}

// Unsigned..Bcd: the formats typed and shown as numbers of digits, the first codes.
constexpr int kNumberFormatCount = 4;
constexpr bool IsNumberFormat(ValFormat f) { return f <= ValFormat::Bcd; }
constexpr bool IsNumberFormat(int code) { return IsNumberFormat(ValFormatOf(code)); }

// Unsigned and Signed: the decimal formats, the only ones with decimal places.
constexpr bool IsDecimalFormat(ValFormat f) { return f == ValFormat::Unsigned || f == ValFormat::Signed; }
constexpr bool IsDecimalFormat(int code) { return IsDecimalFormat(ValFormatOf(code)); }

// Hex and Bcd: the number formats without decimal places.
constexpr bool IsHexOrBcd(ValFormat f) { return f == ValFormat::Hex || f == ValFormat::Bcd; }
constexpr bool IsHexOrBcd(int code) { return IsHexOrBcd(ValFormatOf(code)); }

// Signed and Float: the formats whose values carry a sign.
constexpr bool IsSignedFormat(ValFormat f) { return f == ValFormat::Signed || f == ValFormat::Float; }
constexpr bool IsSignedFormat(int code) { return IsSignedFormat(ValFormatOf(code)); }

// True when code is the stored code of f.
constexpr bool IsFormat(int code, ValFormat f) { return ValFormatOf(code) == f; }

} // namespace kes
