#pragma once
// What a button or a function key does when pressed: its button type.
//
// A type's stored code (a button's BtnType, a function key record's ButtonType) is the value
// of its BtnType, and a type box lists the types in code order, so an item's index is its
// code. Code names a type only through BtnType and the groups below; the record readers and
// writers turn it into its byte and back.
//
// Header-only: the program and the decoder library both include it.
#include <cstdint>

namespace kes {

enum class BtnType : std::uint8_t {
    SetOn = 0,
    SetOff = 1,
    PulseOn = 2,
    PulseOff = 3,
    Alternate = 4,
    Maintained = 5, // on while held
    MultiState = 6,
    InputValue = 7,
    SetConstant = 8,
    Increment = 9,
    Decrement = 10,
    ChangePage = 11,
    SetPassword = 12,
    None = 255, // no type chosen; a function key without action
};

// The types SetOn..SetPassword; a stored code from kBtnTypeCount up names none of them.
constexpr int kBtnTypeCount = 13;

constexpr std::uint8_t BtnCode(BtnType t) { return static_cast<std::uint8_t>(t); }

// The type of a stored code or a type box item; None for anything outside the types.
constexpr BtnType BtnTypeOf(int code)
{
    return code >= 0 && code < kBtnTypeCount ? static_cast<BtnType>(code) : BtnType::None;
}

// True for SetOn..SetPassword, false for None and any code outside them.
constexpr bool IsBtnType(BtnType t) { return BtnCode(t) < kBtnTypeCount; }

// The type box item that shows t: its code, or -1 (no item) when t names no type.
constexpr int BtnTypeItem(BtnType t) { return IsBtnType(t) ? BtnCode(t) : -1; }

// SetOn..Maintained: the types that set, reset or pulse one bit.
constexpr bool IsBitBtnType(BtnType t) { return t <= BtnType::Maintained; }

// InputValue..Decrement: the types that write a word value.
constexpr bool IsValueBtnType(BtnType t) { return t >= BtnType::InputValue && t <= BtnType::Decrement; }

// ChangePage and SetPassword act on the panel itself and write no device.
constexpr bool IsPanelBtnType(BtnType t) { return t == BtnType::ChangePage || t == BtnType::SetPassword; }

} // namespace kes
