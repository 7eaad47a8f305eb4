// The library's entry points: thin C wrappers over the readers. Each bounds the record by
// its stored length before a reader sees it, and no exception leaves the library.
//
// The exported names begin with an underscore and a capital, which C++ reserves, so the
// functions carry their own names and the symbol names come from assembler labels.
#include "decoder/morvik.h"
#include "decoder/objread.h"
#include "decoder/setrecread.h"
#include "objects/objkind.h"
#include "objects/tlxobj.h"

#define KES_MORVIK_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

using kes::morvik::RecReader;

// The record as its framing gives it, or an empty span when the stored length is
// shorter than the minimum its kind needs.
kes::ByteSpan Framed(const std::uint8_t* record, std::size_t minimum)
{
    const kes::ByteSpan rec = RecReader::Framed(record).Span();
    if (rec.size() < minimum)
        return {};
    return rec;
}

template <typename F> int Guarded(F&& f)
{
    try {
        return f();
    } catch (...) {
        return kes::kDecInternal;
    }
}

// A setting record reader over its framed record.
template <typename Rec, typename F> int SettingReader(Rec* dst, const std::uint8_t* record, F&& read)
{
    if (!dst || !record)
        return kes::kDecBadArgument;
    return Guarded([&] {
        const kes::ByteSpan rec = Framed(record, kes::kRecHeadSize);
        if (rec.empty())
            return kes::kDecBadArgument;
        return read(*dst, rec);
    });
}

// An object reader over its framed record.
template <typename F> int ObjectReader(TLxObj* object, const std::uint8_t* record, F&& read)
{
    if (!object || !record)
        return kes::kDecBadArgument;
    return Guarded([&] {
        const kes::ByteSpan rec = Framed(record, kes::kObjRecMinSize);
        if (rec.empty())
            return kes::kDecTruncated;
        return read(*object, rec);
    });
}

} // namespace

KES_MORVIK_EXPORT int MvDataToLxObj(TLxObj*, const std::uint8_t*, int) __asm__("_DataToLxObj");
KES_MORVIK_EXPORT int MvDatatoObjInfo(TLxObj*, const std::uint8_t*, int) __asm__("_DatatoObjInfo");
KES_MORVIK_EXPORT int MvDataToPgJmp(PgJmpRec*, const std::uint8_t*, int) __asm__("_DataToPgJmp");
KES_MORVIK_EXPORT int MvDataToPgFunKey(PgFunKeyRec*, const std::uint8_t*, int) __asm__("_DataToPgFunKey");
KES_MORVIK_EXPORT int MvDataToPgSys(PgSysRec*, int, const std::uint8_t*, int) __asm__("_DataToPgSys");
KES_MORVIK_EXPORT int MvDataToPgHide(PgHideRec*, const std::uint8_t*, int) __asm__("_DataToPgHide");
KES_MORVIK_EXPORT int MvDataToPLCValSet(PLCValSetRec*, const std::uint8_t*, int) __asm__("_DataToPLCValSet");
KES_MORVIK_EXPORT int MvDataToMacPowerOn(MacPowerOnRec*, const std::uint8_t*, int) __asm__("_DataToMacPowerOn");
KES_MORVIK_EXPORT int MvDataToParaDataSet(ParaDataSetRec*, const std::uint8_t*, int) __asm__("_DataToParaDataSet");

// The header alone (a kind that stores its own record reads all of it).
int MvDataToLxObj(TLxObj* object, const std::uint8_t* record, int position)
{
    return ObjectReader(object, record, [position](TLxObj& o, kes::ByteSpan rec) {
        const kes::ObjKindFacts* facts = kes::KindFactsOf(o);
        if (facts && facts->Record == kes::RecordForm::Own)
            return kes::morvik::ReadObjRecord(o, rec, static_cast<unsigned>(position));
        RecReader r(rec);
        return kes::morvik::ReadObjHeader(o, r);
    });
}

int MvDatatoObjInfo(TLxObj* object, const std::uint8_t* record, int position)
{
    return ObjectReader(object, record, [position](TLxObj& o, kes::ByteSpan rec) {
        return kes::morvik::ReadObjRecord(o, rec, static_cast<unsigned>(position));
    });
}

int MvDataToPgJmp(PgJmpRec* dst, const std::uint8_t* record, int)
{
    return SettingReader(dst, record, kes::morvik::ReadPgJmp);
}
int MvDataToPgFunKey(PgFunKeyRec* dst, const std::uint8_t* record, int)
{
    return SettingReader(dst, record, kes::morvik::ReadPgFunKey);
}

int MvDataToPgSys(PgSysRec* dst, int slot, const std::uint8_t* record, int)
{
    return SettingReader(dst, record,
                         [slot](PgSysRec& d, kes::ByteSpan rec) { return kes::morvik::ReadPgSys(d, slot, rec); });
}

int MvDataToPgHide(PgHideRec* dst, const std::uint8_t* record, int)
{
    return SettingReader(dst, record, kes::morvik::ReadPgHide);
}

int MvDataToPLCValSet(PLCValSetRec* dst, const std::uint8_t* record, int)
{
    return SettingReader(dst, record, kes::morvik::ReadPLCValSet);
}

int MvDataToMacPowerOn(MacPowerOnRec* dst, const std::uint8_t* record, int)
{
    return SettingReader(dst, record, kes::morvik::ReadMacPowerOn);
}

int MvDataToParaDataSet(ParaDataSetRec* dst, const std::uint8_t* record, int)
{
    return SettingReader(dst, record, kes::morvik::ReadParaDataSet);
}
