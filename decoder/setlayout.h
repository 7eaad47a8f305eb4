#pragma once
// Byte layouts of the setting records of a page and of the image header: each field's
// offset from the record's start. The readers (Morvik, the header reader) and the writers
// take their offsets from here, so each layout is written once. Integers are big-endian;
// every record opens with u16 tag | u16 length (RecHead).
#include "objects/objlayout.h"

#include <cstddef>

namespace kes::layout {

namespace RecHead {
inline constexpr Off Tag = 0, Length = 2, Size = 4;
}

// A setting record's device reference has the object's 9 bytes (ObjRef), byte 4 holding
// (panel-memory flag << 4) + present and byte 7 the detail byte.
namespace SetRef = ObjRef;

// 1003, page hide: 4 hide | 5 second byte | 6-7 reserved; 8 bytes
namespace PgHide {
inline constexpr Off Hide = 4, Second = 5, Size = 8;
}

// 1000, page jump:
//   4 ref | 13 value type | 14 kind + width | 15 u16 target page |
//   word and low-byte kinds: 17 operator | 18 u32 compare value; 22 bytes
//   other kinds: 17 ON/OFF; 18 bytes
namespace PgJmp {
inline constexpr Off Ref = 4, ValueType = 13, KindWidth = 14, TargetPage = 15, OnOff = 17, Operator = 17,
                     CompareValue = 18, BitSize = 18, ValueSize = 22;
}

// 1001, function key:
//   4 write ref | 13 read ref | 22 notify ref | 31 (notify state << 4) + notify order |
//   32 state count | 33 key index (the key's position) | 34 user level (low byte) |
//   35-37 reserved | 38 button type | 39 the tail by button type (FunKeyTail)
namespace PgFunKey {
inline constexpr Off WriteRef = 4, ReadRef = 13, NotifyRef = 22, NotifyBits = 31, StateCount = 32, KeyIndex = 33,
                     UserLevel = 34, ButtonType = 38, Tail = 39;
}

// The tail of a function key (and of a button object) by its button type, from its start:
//   6 multi-state   0 kind (high nibble) + multi-state flag                     1 byte
//   7 input value   0 value type | 1 width | 2 int digits | 3 dec digits |
//                   4 u32 maximum | 8 u32 minimum                                12 bytes
//   8 set constant  0 value type | 1 width | 2 u32 constant                      6 bytes
//   9, 10 inc/dec   0 value type | 1 width | 2 u16 step | 4 u32 bound            8 bytes
//   11 change page  0 u16 target page                                            2 bytes
//   others          nothing
namespace FunKeyTail {
inline constexpr Off KindFlag = 0, MultiStateSize = 1;
inline constexpr Off ValueType = 0, Width = 1;
inline constexpr Off IntDigits = 2, DecDigits = 3, Maximum = 4, Minimum = 8, InputSize = 12;
inline constexpr Off Constant = 2, ConstantSize = 6;
inline constexpr Off Step = 2, Bound = 4, StepSize = 8;
inline constexpr Off TargetPage = 0, PageSize = 2;
} // namespace FunKeyTail

// 1002, buzzer or alarm lamp:
//   4 ref | 13 value type | 14 slot | 15 kind + width | 16 ON/OFF or operator | 17 u32 value;
//   21 bytes
namespace PgSys {
inline constexpr Off Ref = 4, ValueType = 13, Slot = 14, KindWidth = 15, OnOffOrOperator = 16, Value = 17, Size = 21;
}

// 1006 page-number write, 1004 clock write: 4 ref; 13 bytes
namespace PLCValSet {
inline constexpr Off Ref = 4, Size = 13;
}

// 1009, power-on macro:
//   4 ref | 13 value type | 14 kind + width | 15 interval index |
//   word and low-byte kinds: 16 u32 value; 20 bytes. bit: 16 ON/OFF; 17 bytes
namespace MacPowerOn {
inline constexpr Off Ref = 4, ValueType = 13, KindWidth = 14, Interval = 15, Value = 16, OnOff = 16, BitSize = 17,
                     ValueSize = 20;
}

// 1012, parameter register:
//   4 ref, byte 8 holding the present flag alone | 13 u32 register count; 17 bytes
namespace ParaDataSet {
inline constexpr Off Ref = 4, RegisterCount = 13, Size = 17;
}

// 1011, key setting of the keypad panel types:
//   4 comm address | 5 port | 6 start char | 7 end char | 8 16 key codes; 24 bytes
namespace KeySet {
inline constexpr Off CommAddr = 4, Port = 5, StartChar = 6, EndChar = 7, KeyCodes = 8, Size = 24;
}

} // namespace kes::layout
