// Readers of the setting records of the page record stream and of the image header.
//
// Stored device reference, 9 bytes at a record offset r:
//   r+0 u32 DevAddrCode | r+4 flags ((link flag << 4) + present) | r+5 station |
//   r+6 link index | r+7 detail | r+8 bit index
// Only the page-number or clock write and the power-on macro take the link flag back from
// the flags byte; the other records keep the destination's.
#include "decoder/setrecread.h"

#include "decoder/morvik.h"

namespace kes::morvik {

namespace {

constexpr std::uint8_t kWordKind = 0x10;
constexpr std::uint8_t kLowByteKind = 0x20;

// Station, address, link index, detail and bit index; present = flags byte not 0.
void ReadRef(RecReader& r, std::size_t off, DevRefHead& ref)
{
    ref.DevAddrCode = r.I32(off);
    ref.Present = r.U8(off + 4) != 0;
    ref.Station = r.U8(off + 5);
    ref.LinkIndex = r.U8(off + 6);
    ref.Detail = r.U8(off + 7);
    ref.BitIndex = r.U8(off + 8);
}

// The same with present from the low nibble and the link flag from the high nibble.
void ReadRefWithLinkFlag(RecReader& r, std::size_t off, DevRefHead& ref)
{
    ReadRef(r, off, ref);
    const std::uint8_t flags = r.U8(off + 4);
    ref.Present = (flags & 0x0F) != 0;
    ref.LinkFlag = flags >= 0x10;
}

int StoredLength(const RecReader& r)
{
    return static_cast<int>(r.Size());
}

// Fills a copy of dst and keeps it only when every field lay inside the record; fill
// returns the bytes consumed.
template <typename Rec, typename Fill> int ReadInto(Rec& dst, RecReader& r, Fill fill)
{
    Rec v = dst;
    const int result = fill(v);
    if (!r.Ok())
        return kDecTruncated;
    dst = v;
    return result;
}

} // namespace

// Tag 1003, 8 bytes: 4 hide, 5 second byte, 6-7 reserved.
int ReadPgHide(PgHideRec& dst, ByteSpan rec)
{
    RecReader r(rec);
    return ReadInto(dst, r, [&](PgHideRec& v) {
        v.Hide = r.U8(4) != 0;
        v.Second = r.U8(5) != 0;
        return StoredLength(r);
    });
}

// Tag 1000: 4 device reference | 13 value type | 14 kind + width | 15 u16 target page |
// kinds 0x10 and 0x20: 17 operator, 18 u32 compare value (22 bytes);
// any other kind: 17 ON/OFF (18 bytes). The result is that fixed size.
int ReadPgJmp(PgJmpRec& dst, ByteSpan rec)
{
    RecReader r(rec);
    return ReadInto(dst, r, [&](PgJmpRec& v) {
        ReadRef(r, 4, v.Ref);
        v.ValueType = r.U8(13);
        const std::uint8_t kindWidth = r.U8(14);
        v.Kind = kindWidth & 0xF0;
        v.Width = kindWidth & 0x0F;
        if (v.Kind != kWordKind && v.Kind != kLowByteKind)
            v.Kind = 0;
        v.TargetPage = r.U16(15);
        if (v.Kind == 0) {
            v.OnOff = r.U8(17) == 1;
            return 18;
        }
        v.Operator = r.U8(17);
        v.CompareValue = r.I32(18);
        return 22;
    });
}

std::size_t KeyTailSize(std::uint8_t buttonType)
{
    switch (buttonType) {
    case 6:
        return 1;
    case 7:
        return 12;
    case 8:
        return 6;
    case 9:
    case 10:
        return 8;
    case 11:
        return 2;
    default:
        return 0;
    }
}

bool ReadKeyTail(RecReader& r, std::size_t off, std::uint8_t buttonType, KeyTail& tail)
{
    tail = KeyTail{};
    auto valueAndWidth = [&] {
        tail.SetsValue = true;
        tail.ValueType = r.U8(off);
        tail.Width = r.U8(off + 1);
    };
    switch (buttonType) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
        tail.Kind = 0;
        break;
    case 6: {
        const std::uint8_t b = r.U8(off);
        tail.SetsMultiFlag = true;
        tail.MultiFlag = (b & 0x0F) != 0;
        tail.Kind = b & 0xF0;
        break;
    }
    case 7:
        valueAndWidth();
        tail.SetsDigits = true;
        tail.IntDigits = r.U8(off + 2);
        tail.DecDigits = r.U8(off + 3);
        tail.SetsParamA = tail.SetsParamB = true;
        tail.ParamA = r.I32(off + 4);
        tail.ParamB = r.I32(off + 8);
        break;
    case 8:
        valueAndWidth();
        tail.SetsParamA = true;
        tail.ParamA = r.I32(off + 2);
        break;
    case 9:
    case 10:
        valueAndWidth();
        tail.SetsParamA = tail.SetsParamB = true;
        tail.ParamA = r.U16(off + 2);
        tail.ParamB = r.I32(off + 4);
        break;
    case 11:
        tail.NoDevices = true;
        tail.SetsParamA = true;
        tail.ParamA = r.U16(off);
        break;
    case 12:
        tail.NoDevices = true;
        break;
    default:
        break;
    }
    return r.Ok();
}

// Tag 1001: 4 write reference | 13 read reference | 22 notify reference |
// 31 (notify state << 4) + notify order | 32 state count | 33 key index |
// 34 user level | 35-37 reserved | 38 button type | 39 tail (ReadKeyTail).
int ReadPgFunKey(PgFunKeyRec& dst, ByteSpan rec)
{
    RecReader r(rec);
    const std::uint8_t key = r.U8(33);
    if (!r.Ok())
        return kDecTruncated;
    if (key != dst.KeyIndex)
        return kDecOtherSlot;
    return ReadInto(dst, r, [&](PgFunKeyRec& v) {
        ReadRef(r, 4, v.Write);
        ReadRef(r, 13, v.Read);
        ReadRef(r, 22, v.Notify);
        v.ReadUsed = v.Read.DevAddrCode != -1;
        v.NotifyUsed = v.Notify.DevAddrCode != -1;
        const std::uint8_t notify = r.U8(31);
        v.NotifyState = (notify >> 4) != 0;
        v.NotifyOrder = (notify & 0x0F) != 0;
        v.StateCount = r.U8(32);
        v.Reserved.fill(255);
        v.UserLevel = r.U8(34);
        v.ButtonType = r.U8(38);
        KeyTail tail;
        if (!ReadKeyTail(r, 39, v.ButtonType, tail))
            return 0;
        v.Kind = tail.Kind;
        if (tail.SetsMultiFlag)
            v.MultiStateFlag = tail.MultiFlag;
        if (tail.SetsValue) {
            v.ValueType = tail.ValueType;
            v.Width = tail.Width;
        }
        if (tail.SetsDigits) {
            v.IntDigits = tail.IntDigits;
            v.DecDigits = tail.DecDigits;
        }
        if (tail.SetsParamA)
            v.ParamA = tail.ParamA;
        if (tail.SetsParamB)
            v.ParamB = tail.ParamB;
        if (tail.NoDevices)
            v.Write.DevAddrCode = v.Read.DevAddrCode = v.Notify.DevAddrCode = -1;
        return StoredLength(r);
    });
}

// Tag 1002, 21 bytes: 4 device reference | 13 value type | 14 slot | 15 kind + width |
// 16 ON/OFF or operator | 17 u32 value.
int ReadPgSys(PgSysRec& dst, int slot, ByteSpan rec)
{
    RecReader r(rec);
    const std::uint8_t stored = r.U8(14);
    if (!r.Ok())
        return kDecTruncated;
    if (stored != slot)
        return kDecOtherSlot;
    return ReadInto(dst, r, [&](PgSysRec& v) {
        ReadRef(r, 4, v.Ref);
        v.ValueType = r.U8(13);
        v.KindWidth = r.U8(15);
        v.OnOffOrOperator = r.U8(16);
        v.Value = r.I32(17);
        return StoredLength(r);
    });
}

// Tags 1004 and 1006, 13 bytes: 4 device reference.
int ReadPLCValSet(PLCValSetRec& dst, ByteSpan rec)
{
    RecReader r(rec);
    return ReadInto(dst, r, [&](PLCValSetRec& v) {
        ReadRefWithLinkFlag(r, 4, v.Ref);
        return StoredLength(r);
    });
}

// Tag 1009: 4 device reference | 13 value type | 14 kind + width | 15 interval index |
// kind not 0: 16 u32 value (20 bytes); kind 0: 16 ON/OFF (17 bytes).
int ReadMacPowerOn(MacPowerOnRec& dst, ByteSpan rec)
{
    RecReader r(rec);
    return ReadInto(dst, r, [&](MacPowerOnRec& v) {
        ReadRefWithLinkFlag(r, 4, v.Ref);
        v.ValueType = r.U8(13);
        const std::uint8_t kindWidth = r.U8(14);
        v.Width = kindWidth & 0x0F;
        v.Kind = kindWidth & 0xF0;
        v.IntervalIndex = r.U8(15);
        if (v.Kind != 0)
            v.Value = r.I32(16);
        else
            v.OnOff = r.U8(16) != 0;
        return StoredLength(r);
    });
}

// Tag 1012, 17 bytes: 4 u32 address | 8 present | 9 station | 10 link index | 11 detail |
// 12 bit index | 13 u32 register count.
int ReadParaDataSet(ParaDataSetRec& dst, ByteSpan rec)
{
    RecReader r(rec);
    return ReadInto(dst, r, [&](ParaDataSetRec& v) {
        ReadRef(r, 4, v.Ref);
        v.RegisterCount = r.I32(13);
        return StoredLength(r);
    });
}

} // namespace kes::morvik
