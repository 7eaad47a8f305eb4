#pragma once
// One device kind of a controller (a memory area such as D or X), as the device table
// file describes it, plus the two records of the panel's own memory.
#include <cstdint>
#include <string>
#include <vector>

namespace kes {

// What a device record holds (DevRecord::Kind as the device table gives it; the value is
// that code). Code names a kind only through DevKind.
enum class DevKind : std::uint8_t {
    Bit = 0,
    Word = 1,
    Either = 2,          // bit or word
    Either3 = 3,         // bit or word, as Either where a table is listed and an address checked;
                         // the formatter fits Either alone to every mode
    InternalWord = 0x10, // the panel's own word memory ("@V")
};

constexpr std::uint8_t DevKindCode(DevKind k) { return static_cast<std::uint8_t>(k); }
// True when code, a record's Kind, is the code of k.
constexpr bool IsDevKind(int code, DevKind k) { return code == DevKindCode(k); }

// How a device table writes a number (DevRecord::Radix, SubRadix and BitRadix as the table
// gives them; the value is that code). Code names a radix only through DevRadix.
enum class DevRadix : std::uint8_t {
    None = 0, // no number written
    Octal = 1,
    Decimal = 2,
    Hex = 3,
};

constexpr std::uint8_t DevRadixCode(DevRadix r) { return static_cast<std::uint8_t>(r); }
// True when code, a record's radix, is the code of r.
constexpr bool IsDevRadix(int code, DevRadix r) { return code == DevRadixCode(r); }

// Which devices the address picker offers.
enum class DevWant : std::uint8_t {
    Any,
    Bit,       // bit devices and bit-or-word devices
    Word,      // word devices and bit-or-word devices
    BitOrWord, // any device; a plain number is a bit when it starts with 0 or 1, else a word
};

} // namespace kes

// One range of device numbers and the code of its first unit.
struct DevRange {
    std::int32_t Min = 0;    // first device number
    std::int32_t Max = 0;    // last device number
    std::uint8_t Access = 0; // access class 0..3
    std::uint8_t Step = 1;   // code step between two consecutive units
    std::int32_t Base = 0;   // DevAddrCode of the first unit
};

struct DevRecord {
    std::string Name;       // as typed, at most 5 characters
    std::uint8_t Kind = 0;  // a kes::DevKind code
    std::uint8_t Radix = 0; // a kes::DevRadix code
    std::string Separator;  // between name and number; empty for none

    // Extended format (machine id 96) only: station ranges.
    std::int32_t ExtStation = 0;
    std::vector<std::int32_t> ExtValueA; // lowest station of each range
    std::vector<std::int32_t> ExtValueB; // highest station of each range
    std::vector<char> ExtCharA;          // kept with the table; '\0' when the line was empty
    std::vector<char> ExtCharB;

    std::uint32_t SubLimit = 0;
    std::string SubSeparator;
    std::uint8_t SubRadix = 0; // a kes::DevRadix code

    std::int32_t BitLimit = 0;
    std::string BitSeparator;                // empty when bits are numbered as device numbers
    std::uint8_t BitRadix = 0;               // a kes::DevRadix code
    std::vector<std::int32_t> BitNameValues; // extended format: bit numbers that have names
    std::vector<std::string> BitNames;       // extended format: two-letter names

    std::uint8_t BitsPerUnit = 1;

    std::int32_t FieldLimit = 0;           // extended format: numeric fields run 0..FieldLimit-1
    std::vector<std::int32_t> FieldValues; // extended format: field numbers that have names
    std::vector<std::string> FieldNames;   // extended format: three-letter names

    std::vector<DevRange> Ranges;

    std::int32_t ExtCount() const { return static_cast<std::int32_t>(ExtValueA.size()); }
    std::int32_t BitNameCount() const { return static_cast<std::int32_t>(BitNameValues.size()); }
    std::int32_t FieldCount() const { return static_cast<std::int32_t>(FieldValues.size()); }
    std::int32_t RangeCount() const { return static_cast<std::int32_t>(Ranges.size()); }
};

namespace kes {

// Index of the internal records in ProjectState::InternalDevRecords.
constexpr int kInternalBit = 0;  // "@B"
constexpr int kInternalWord = 1; // "@V"
constexpr std::int32_t kInternalWordBase = 0x30000;
constexpr std::int32_t kInternalUnits = 1024;

// "@B" (bit memory, codes 0..) or "@V" (word memory, codes 0x30000..), one range of
// 1024 units each.
DevRecord MakeInternalDevRecord(int which);

} // namespace kes
