#pragma once
// Number and text conversions in the value formats of panel objects and controller
// addresses (kes::ValFormat, objects/valformat.h): unsigned and signed decimal, hexadecimal,
// BCD (stored as the hexadecimal pattern of its decimal digits), octal (formatting only),
// floating (entry check only), each 16 or 32 bits wide. A format parameter is its code. Pure functions; texts are
// AnsiString bytes. Shared by the program, the panel object kinds and the record decoder.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Character tests. An empty text passes all but IsSignedDecimalText.
bool IsDecimalText(std::string_view text);       // 0-9 only, no trimming
bool IsUpperAlnumText(std::string_view text);    // A-Z, 0-9
bool IsHexText(std::string_view text);           // 0-9, A-F after upper-casing
bool IsOctalText(std::string_view text);         // 0-7
bool IsSignedDecimalText(std::string_view text); // optional sign, then digits; a lone sign passes

// Two characters read as a hexadecimal byte; a character that is not 0-9 or A-F is passed
// over without a shift (lower case included).
std::uint8_t HexPairToByte(char hi, char lo);
// Writes two upper-case hexadecimal characters, no terminator.
void ByteToHexPair(std::uint8_t value, char* out);
void SpacesToZeros(char* buf, int count);

// The leading run of hexadecimal digits (either case); no run gives 0; low 32 bits kept.
std::uint32_t HexTextToUInt(std::string_view text);
// The same run valued as a floating number, without a 32-bit limit.
double HexTextToDouble(std::string_view text);
// Octal digits; the caller checks the text with IsOctalText first.
std::int32_t OctTextToInt(std::string_view text);
// A signed decimal read as 64 bits, low 32 bits kept; a text that is no number gives 0.
std::int32_t DecimalTextToInt(std::string_view text);

// dst[i] = src[n-1-i]; the buffers are distinct.
void ReverseBytes(void* dst, const void* src, std::size_t n);

// The value as text in a format; formats other than 0, 1, 2, 3 and 6 give "".
std::string ValueToText(std::uint32_t value, int format, bool is32);
// Typed text to the stored value, formats 0 to 3; blank text counts as "0".
std::uint32_t TextToValue(std::string_view text, int format);
void FillValueList(std::vector<std::string>& list, const std::uint32_t* values, int count, int format, bool is32);
// The limit a dialog shows beside an input; is32 and isMax count only when equal to 1.
std::string RangeLimitText(int format, int is32, int isMax);

bool UnsignedTextInRange(std::string_view text, bool is32);
bool SignedTextInRange(std::string_view text, bool is32);
// The check every value-entry field runs on a typed value. With withPoint the field has
// decDigits places after an optional point and at most intDigits before it.
bool ValidateValueText(std::string_view text, int format, bool is32, int intDigits, int decDigits, bool withPoint);
// True when the value of a is not below the value of b (texts as typed in fields of the
// format; with decDigits >= 1 they may hold a point).
bool ValueTextNotBelow(std::string_view a, std::string_view b, int format, int decDigits);
