#pragma once
// What kind of device an address names: a bit, a word, or either (a bit device or a word
// whose low byte is read), as the address codec takes it (LxTypeCore's FormatDeviceAddress,
// ParseDeviceAddress, NextDeviceAddress).
//
// A mode's code is the value of its AddrMode. The same code stands in the high half of a
// stored byte as flags (ModeFlags): a state object's StateMode, a button's ValKind, a
// function key's Kind and the codec's ValidateDeviceAddress take it so. Code names a mode
// only through AddrMode.
//
// Header-only: the program and the decoder library both include it.
#include <cstdint>

namespace kes {

enum class AddrMode : std::uint8_t {
    Bit = 0,
    Word = 1,
    Either = 2, // a bit device or a word's low byte
};

constexpr std::uint8_t ModeCode(AddrMode m) { return static_cast<std::uint8_t>(m); }

// The mode of a code (a flags byte's high half); codes past Either are kept as they are.
constexpr AddrMode AddrModeOf(int code) { return static_cast<AddrMode>(static_cast<std::uint8_t>(code)); }

// True when code is the code of m.
constexpr bool IsMode(int code, AddrMode m) { return code == ModeCode(m); }

// The mode as the high half of a stored byte (0x00, 0x10, 0x20).
constexpr std::uint8_t ModeFlags(AddrMode m) { return static_cast<std::uint8_t>(ModeCode(m) << 4); }
inline constexpr std::uint8_t kBitFlags = ModeFlags(AddrMode::Bit);
inline constexpr std::uint8_t kWordFlags = ModeFlags(AddrMode::Word);
inline constexpr std::uint8_t kEitherFlags = ModeFlags(AddrMode::Either);

} // namespace kes
