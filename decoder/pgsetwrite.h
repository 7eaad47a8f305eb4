#pragma once
// Writers of the setting records of a page and of the image header. Each writes whole
// records at pos and returns the bytes written, 0 when it has nothing to write.
#include "decoder/pgrecput.h"
#include "decoder/pgsetrec.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kes {

// The image header stores the function key's read and notify flags with the write
// reference's panel-memory nibble; a page stores each reference's own.
enum class SetRecForm { Page, Header };

// What follows the button type in a function key record (and in a button object's).
struct FunKeyTail {
    std::uint8_t Kind = 0;
    std::uint8_t MultiStateFlag = 0;
    std::uint8_t ValueType = 0;
    std::uint8_t Width = 0;
    std::uint8_t IntDigits = 0;
    std::uint8_t DecDigits = 0;
    std::int32_t ParamA = 0;
    std::int32_t ParamB = 0;
};
FunKeyTail FunKeyTailOf(const PgFunKeyRec& key);
// Writes the tail of the button type at off; returns its length (0 for types without one).
std::size_t PutFunKeyTail(RecWriter& w, std::size_t off, kes::BtnType buttonType, const FunKeyTail& tail);

// 1003: 8 bytes, or 0 when the page is not hidden.
int PgHideChx(RecOut& out, std::size_t pos, const PgHideRec& rec);
// 1000: 22 bytes for word and low-byte conditions, 18 for the others.
int PgJmpChx(RecOut& out, std::size_t pos, const PgJmpRec& rec);
int PgJmpListChx(RecOut& out, std::size_t pos, const std::vector<PgJmpRec>& list);
// 1001 of the key at position keyIndex (stored as the key index); 0 for a key without action.
int PgFunKeyChx(RecOut& out, std::size_t pos, const PgFunKeyRec& key, int keyIndex, SetRecForm form = SetRecForm::Page);
int PgFunKeysChx(RecOut& out, std::size_t pos, const std::array<PgFunKeyRec, kFunKeyCount>& keys,
                 SetRecForm form = SetRecForm::Page);
// 1002 of slot 0 (buzzer) or 1 (alarm lamp); 0 when its code is -1.
int PgSysChx(RecOut& out, std::size_t pos, const PgSysRec& rec, int slot);
int PgSysPairChx(RecOut& out, std::size_t pos, const PgSysRec& buzzer, const PgSysRec& lamp);
// 1006 (page-number write) or 1004 (clock write): 13 bytes, 0 when its code is -1.
int PLCValSetChx(RecOut& out, std::size_t pos, const PLCValSetRec& rec, std::uint16_t tag);
// 1009: 20 bytes for a word or low-byte macro, 17 for a bit; 0 when its code is -1.
int MacPowerOnChx(RecOut& out, std::size_t pos, const MacPowerOnRec& rec);
// 1012: 17 bytes; 0 when its code is -1.
int ParaDataSetChx(RecOut& out, std::size_t pos, const ParaDataSetRec& rec);

// The setting records of one page, as the page holds them.
struct PgSettingsView {
    const PgHideRec& Hide;
    const std::vector<PgJmpRec>& Jumps;
    const std::array<PgFunKeyRec, kFunKeyCount>& Keys;
    const std::array<PgSysRec, 2>& Alarms; // buzzer, alarm lamp
    const PLCValSetRec& PgNumWrite;
};

// A page's settings in stream order: hide, jumps, keys, buzzer and alarm lamp,
// page-number write.
int PgSettingsChx(RecOut& out, std::size_t pos, const PgSettingsView& page);

} // namespace kes
