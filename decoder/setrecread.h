#pragma once
// Readers of the page and system setting records. Each takes one record bounded by its
// stored length and returns the bytes consumed, 0 for a record that belongs to another
// key or slot, or a negative result (decoder/morvik.h); on failure the destination is
// left as it was.
#include "decoder/pgsetrec.h"
#include "decoder/recreader.h"

#include <cstdint>

namespace kes::morvik {

int ReadPgHide(PgHideRec& dst, ByteSpan rec);
int ReadPgJmp(PgJmpRec& dst, ByteSpan rec);
int ReadPgFunKey(PgFunKeyRec& dst, ByteSpan rec);
int ReadPgSys(PgSysRec& dst, int slot, ByteSpan rec);
int ReadPLCValSet(PLCValSetRec& dst, ByteSpan rec);
int ReadMacPowerOn(MacPowerOnRec& dst, ByteSpan rec);
int ReadParaDataSet(ParaDataSetRec& dst, ByteSpan rec);

// The action tail of a function key and of a button by button type (setlayout.h:
// FunKeyTail); type 12, like 11, leaves the key without a device.
struct KeyTail {
    std::uint8_t Kind = 0x10; // 0x00 bit, 0x10 word, 0x20 low byte
    bool SetsMultiFlag = false;
    std::uint8_t MultiFlag = 0;
    bool SetsValue = false; // value type and width were read
    std::uint8_t ValueType = 0;
    std::uint8_t Width = 0;
    bool SetsDigits = false;
    std::uint8_t IntDigits = 0;
    std::uint8_t DecDigits = 0;
    bool SetsParamA = false;
    std::int32_t ParamA = 0;
    bool SetsParamB = false;
    std::int32_t ParamB = 0;
    bool NoDevices = false; // types 11 and 12: the three addresses become -1
};
// Reads the tail of buttonType at off; false (reader failed) when it is cut off.
bool ReadKeyTail(RecReader& r, std::size_t off, kes::BtnType buttonType, KeyTail& tail);
// Bytes of that tail.
std::size_t KeyTailSize(kes::BtnType buttonType);

} // namespace kes::morvik
