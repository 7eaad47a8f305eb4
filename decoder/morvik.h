#pragma once
// The entry points of the record decoder library, as the program looks them up by name.
//
// Every function takes a pointer to one record of a page record stream (its tag first)
// and returns the bytes it consumed. The caller has checked the record's framing: bytes
// 2-3 (the stored length) lie inside its buffer and the whole stored length does too.
// The functions never read past that stored length; a record whose body claims more
// than it holds gives a negative result and leaves the destination as it was (objects
// may be half filled; the caller discards them).
#include <cstdint>

class TLxObj;
struct PgJmpRec;
struct PgFunKeyRec;
struct PgSysRec;
struct PgHideRec;
struct PLCValSetRec;
struct MacPowerOnRec;
struct ParaDataSetRec;

namespace kes {

// Results below 1 besides the bytes consumed.
constexpr int kDecOtherSlot = 0;    // a key or slot record offered to another key or slot
constexpr int kDecUnknownKind = -1; // an object kind the library cannot read
constexpr int kDecTruncated = -2;   // the body needs more bytes than the record holds
constexpr int kDecBadArgument = -3; // null pointer, or a record shorter than its framing
constexpr int kDecBadContent = -4;  // a count or index the format does not allow
constexpr int kDecInternal = -5;    // an unexpected failure inside the library

using DataToLxObjFn = int (*)(TLxObj* object, const std::uint8_t* record, int position);
using DatatoObjInfoFn = int (*)(TLxObj* object, const std::uint8_t* record, int position);
using DataToPgJmpFn = int (*)(PgJmpRec* dst, const std::uint8_t* record, int position);
using DataToPgFunKeyFn = int (*)(PgFunKeyRec* dst, const std::uint8_t* record, int position);
using DataToPgSysFn = int (*)(PgSysRec* dst, int slot, const std::uint8_t* record, int position);
using DataToPgHideFn = int (*)(PgHideRec* dst, const std::uint8_t* record, int position);
using DataToPLCValSetFn = int (*)(PLCValSetRec* dst, const std::uint8_t* record, int position);
using DataToMacPowerOnFn = int (*)(MacPowerOnRec* dst, const std::uint8_t* record, int position);
using DataToParaDataSetFn = int (*)(ParaDataSetRec* dst, const std::uint8_t* record, int position);

// Exported names, exactly as the library's dynamic symbol table holds them.
inline constexpr const char* kDataToLxObjName = "_DataToLxObj";
inline constexpr const char* kDatatoObjInfoName = "_DatatoObjInfo";
inline constexpr const char* kDataToPgJmpName = "_DataToPgJmp";
inline constexpr const char* kDataToPgFunKeyName = "_DataToPgFunKey";
inline constexpr const char* kDataToPgSysName = "_DataToPgSys";
inline constexpr const char* kDataToPgHideName = "_DataToPgHide";
inline constexpr const char* kDataToPLCValSetName = "_DataToPLCValSet";
inline constexpr const char* kDataToMacPowerOnName = "_DataToMacPowerOn";
inline constexpr const char* kDataToParaDataSetName = "_DataToParaDataSet";

inline constexpr const char* kMorvikFileName = "libMorvik.so";

// Record framing shared by every reader.
constexpr std::size_t kRecHeadSize = 4;    // tag, length
constexpr std::size_t kObjRecMinSize = 14; // object record header

} // namespace kes
