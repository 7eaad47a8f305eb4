#pragma once
// In-memory setting records of a page and of the project: page jumps, function keys,
// buzzer and alarm lamp, page hide, controller value writes, the power-on macro, the
// parameter register and the key setting of the keypad panel types. Numbers are held in
// host order; the record writers and readers convert field by field (never copy these
// structs as bytes: their in-memory layout is not the stored one).
//
// Default member values are the "none" state of a new project or page with the default
// station 1 and link 0; code that knows the project's station, link and panel-memory
// flags resets the device references through the project (InitDevRef).
//
// Header-only and free of library dependencies: the program and the decoder library
// both include it.
#include "objects/btntype.h"

#include <array>
#include <cstdint>

// A device reference as setting records carry it.
struct DevRefHead {
    std::uint8_t Station = 1;
    std::int32_t DevAddrCode = -1; // -1: no device, the setting is off
    std::uint8_t LinkIndex = 0;    // 0 COM1, 1 COM2
    std::uint8_t Present = 1;      // device-form flag: 1 device name, 0 absolute "$" address
    std::uint8_t LinkFlag = 0;     // panel-memory flag: 1 "@B"/"@V"
    std::uint8_t BitIndex = 0;
    std::uint8_t Detail = 0; // carried unchanged
};

// Page jump condition; at most kMaxPgJumps per page and as many system-wide.
struct PgJmpRec {
    DevRefHead Ref;
    std::uint8_t ValueType = 0; // 0 unsigned, 1 signed, 2 hex, 3 BCD
    std::uint8_t Kind = 0;      // 0x00 bit, 0x10 word, 0x20 low byte of a word
    std::uint8_t Width = 0;     // 0 16 bits, 1 32 bits
    std::int32_t CompareValue = 0;
    std::uint8_t OnOff = 0; // bit conditions: 1 ON, 0 OFF
    std::int32_t TargetPage = 0;
    std::uint8_t Operator = 0; // 0 "=", 1 ">", 2 "<", 3 ">=", 4 "<=", 5 "!="
};
constexpr int kMaxPgJumps = 20;

// Function key F0..F9, Up, Down, Left, Right (index 0..13).
struct PgFunKeyRec {
    DevRefHead Write;
    DevRefHead Read;
    DevRefHead Notify;
    std::uint8_t KeyIndex = 0;                                // 0..13
    std::array<std::uint8_t, 4> Reserved{255, 255, 255, 255}; // password bytes, 255 = none
    kes::BtnType ButtonType = kes::BtnType::None;             // None: the key has no action
    std::uint8_t Kind = 0;                                    // 0x00, 0x10, 0x20
    std::uint8_t ValueType = 0;                               // 0..3, 7 floating point
    std::uint8_t Width = 0;
    std::uint8_t ReadUsed = 0;
    std::uint8_t NotifyUsed = 0;
    std::uint8_t NotifyOrder = 0;    // 0 before the write, 1 after it
    std::uint8_t NotifyState = 0;    // 0 reset, 1 set
    std::uint8_t MultiStateFlag = 0; // multi-state keys: 0 next state, 1 previous state
    std::int32_t UserLevel = 0;      // 0..4
    std::uint8_t IntDigits = 0;
    std::uint8_t DecDigits = 0;
    std::int32_t ParamA = 0; // maximum, constant, step or target page, by button type
    std::int32_t ParamB = 0; // minimum or bound
    std::uint8_t StateCount = 1;
};
constexpr int kFunKeyCount = 14;

// Buzzer (index 0) or alarm lamp (index 1).
struct PgSysRec {
    DevRefHead Ref;
    std::uint8_t ValueType = 0;
    std::uint8_t KindWidth = 0; // kind in the high nibble, width in the low nibble
    std::uint8_t OnOffOrOperator = 0;
    std::int32_t Value = 0;
};

struct PgHideRec {
    std::uint8_t Hide = 0; // non-zero: the page is hidden
    std::uint8_t Second = 0;
};

// Page-number write of a page, and the system clock write.
struct PLCValSetRec {
    DevRefHead Ref;
};

struct MacPowerOnRec {
    DevRefHead Ref;
    std::uint8_t ValueType = 0;
    std::uint8_t Kind = 0;
    std::uint8_t Width = 0;
    std::uint8_t IntervalIndex = 0; // 0..3: 500, 1000, 1500, 2000 ms
    std::int32_t Value = 0;
    std::uint8_t OnOff = 0;
};

struct ParaDataSetRec {
    DevRefHead Ref; // register Dn: Dn page change, Dn+1 backlight
    std::int32_t RegisterCount = 2;
};

// Key setting of the keypad and text panel types (machine ids 95 and 99), the record the
// main window names KeySetRec.
struct KeySetData {
    std::uint8_t CommAddr = 1;
    std::uint8_t Port = 0; // 0 COM1, 1 COM2
    std::uint8_t StartChar = 2;
    std::uint8_t EndChar = 3;
    // F1..F10, UP, DOWN, LEFT, RIGHT, ENTER and a spare byte (ESC)
    std::array<std::uint8_t, 16> KeyCodes{0x30, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37,
                                          0x38, 0x39, 0x3A, 0x3B, 0x3C, 0x3D, 0x3E, 0x3F};
};

// PgRecTag, the u16 that opens every record of a page record stream and of the image header:
// an object record's kind (1..21), or one of these setting records.
enum PgRecTag : std::uint16_t {
    kTagPgJmp = 1000,
    kTagPgFunKey = 1001,
    kTagPgSys = 1002,
    kTagPgHide = 1003,
    kTagClockWrite = 1004,
    kTagNone1005 = 1005, // never written; a page reader steps over 5 bytes
    kTagPgNumWrite = 1006,
    kTagMacPowerOn = 1009,
    kTagKeySet = 1011,
    kTagParaDataSet = 1012,
};
