// Readers of the setting records of the page record stream and of the image header; their
// layouts are in setlayout.h.
//
// Only the page-number or clock write and the power-on macro take the link flag back from
// the flags byte; the other records keep the destination's.
#include "decoder/setrecread.h"

#include "decoder/morvik.h"
#include "decoder/setlayout.h"
#include "objects/addrmode.h"

namespace kes::morvik {

namespace {

// Station, address, link index, detail and bit index; present = flags byte not 0.
void ReadRef(RecReader& r, std::size_t off, DevRefHead& ref)
{
    namespace R = layout::SetRef;
    ref.DevAddrCode = r.I32(off + R::Code);
    ref.Present = r.U8(off + R::Flags) != 0;
    ref.Station = r.U8(off + R::Station);
    ref.LinkIndex = r.U8(off + R::Link);
    ref.Detail = r.U8(off + R::Fourth);
    ref.BitIndex = r.U8(off + R::BitNo);
}

// The same with present from the low nibble and the link flag from the high nibble.
void ReadRefWithLinkFlag(RecReader& r, std::size_t off, DevRefHead& ref)
{
    ReadRef(r, off, ref);
    const std::uint8_t flags = r.U8(off + layout::SetRef::Flags);
    ref.Present = (flags & 0x0F) != 0;
    ref.LinkFlag = flags >= 0x10;
}

int StoredLength(const RecReader& r) { return static_cast<int>(r.Size()); }

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

int ReadPgHide(PgHideRec& dst, ByteSpan rec)
{
    namespace L = layout::PgHide;
    RecReader r(rec);
    return ReadInto(dst, r, [&](PgHideRec& v) {
        v.Hide = r.U8(L::Hide) != 0;
        v.Second = r.U8(L::Second) != 0;
        return StoredLength(r);
    });
}

// The long form for word and low-byte kinds, the short one for any other kind; the result
// is that fixed size.
int ReadPgJmp(PgJmpRec& dst, ByteSpan rec)
{
    namespace L = layout::PgJmp;
    RecReader r(rec);
    return ReadInto(dst, r, [&](PgJmpRec& v) {
        ReadRef(r, L::Ref, v.Ref);
        v.ValueType = r.U8(L::ValueType);
        const std::uint8_t kindWidth = r.U8(L::KindWidth);
        v.Kind = kindWidth & 0xF0;
        v.Width = kindWidth & 0x0F;
        if (v.Kind != kes::kWordFlags && v.Kind != kes::kEitherFlags)
            v.Kind = kes::kBitFlags;
        v.TargetPage = r.U16(L::TargetPage);
        if (v.Kind == kes::kBitFlags) {
            v.OnOff = r.U8(L::OnOff) == 1;
            return static_cast<int>(L::BitSize);
        }
        v.Operator = r.U8(L::Operator);
        v.CompareValue = r.I32(L::CompareValue);
        return static_cast<int>(L::ValueSize);
    });
}

std::size_t KeyTailSize(kes::BtnType buttonType)
{
    namespace T = layout::FunKeyTail;
    switch (buttonType) {
    case kes::BtnType::MultiState:
        return T::MultiStateSize;
    case kes::BtnType::InputValue:
        return T::InputSize;
    case kes::BtnType::SetConstant:
        return T::ConstantSize;
    case kes::BtnType::Increment:
    case kes::BtnType::Decrement:
        return T::StepSize;
    case kes::BtnType::ChangePage:
        return T::PageSize;
    default:
        return 0;
    }
}

bool ReadKeyTail(RecReader& r, std::size_t off, kes::BtnType buttonType, KeyTail& tail)
{
    namespace T = layout::FunKeyTail;
    tail = KeyTail{};
    auto valueAndWidth = [&] {
        tail.SetsValue = true;
        tail.ValueType = r.U8(off + T::ValueType);
        tail.Width = r.U8(off + T::Width);
    };
    switch (buttonType) {
    case kes::BtnType::SetOn:
    case kes::BtnType::SetOff:
    case kes::BtnType::PulseOn:
    case kes::BtnType::PulseOff:
    case kes::BtnType::Alternate:
    case kes::BtnType::Maintained:
        tail.Kind = kes::kBitFlags;
        break;
    case kes::BtnType::MultiState: {
        const std::uint8_t b = r.U8(off + T::KindFlag);
        tail.SetsMultiFlag = true;
        tail.MultiFlag = (b & 0x0F) != 0;
        tail.Kind = b & 0xF0;
        break;
    }
    case kes::BtnType::InputValue:
        valueAndWidth();
        tail.SetsDigits = true;
        tail.IntDigits = r.U8(off + T::IntDigits);
        tail.DecDigits = r.U8(off + T::DecDigits);
        tail.SetsParamA = tail.SetsParamB = true;
        tail.ParamA = r.I32(off + T::Maximum);
        tail.ParamB = r.I32(off + T::Minimum);
        break;
    case kes::BtnType::SetConstant:
        valueAndWidth();
        tail.SetsParamA = true;
        tail.ParamA = r.I32(off + T::Constant);
        break;
    case kes::BtnType::Increment:
    case kes::BtnType::Decrement:
        valueAndWidth();
        tail.SetsParamA = tail.SetsParamB = true;
        tail.ParamA = r.U16(off + T::Step);
        tail.ParamB = r.I32(off + T::Bound);
        break;
    case kes::BtnType::ChangePage:
        tail.NoDevices = true;
        tail.SetsParamA = true;
        tail.ParamA = r.U16(off + T::TargetPage);
        break;
    case kes::BtnType::SetPassword:
        tail.NoDevices = true;
        break;
    default:
        break;
    }
    return r.Ok();
}

// A record of another key than dst's is left to that key.
int ReadPgFunKey(PgFunKeyRec& dst, ByteSpan rec)
{
    namespace L = layout::PgFunKey;
    RecReader r(rec);
    const std::uint8_t key = r.U8(L::KeyIndex);
    if (!r.Ok())
        return kDecTruncated;
    if (key != dst.KeyIndex)
        return kDecOtherSlot;
    return ReadInto(dst, r, [&](PgFunKeyRec& v) {
        ReadRef(r, L::WriteRef, v.Write);
        ReadRef(r, L::ReadRef, v.Read);
        ReadRef(r, L::NotifyRef, v.Notify);
        v.ReadUsed = v.Read.DevAddrCode != -1;
        v.NotifyUsed = v.Notify.DevAddrCode != -1;
        const std::uint8_t notify = r.U8(L::NotifyBits);
        v.NotifyState = (notify >> 4) != 0;
        v.NotifyOrder = (notify & 0x0F) != 0;
        v.StateCount = r.U8(L::StateCount);
        v.Reserved.fill(255);
        v.UserLevel = r.U8(L::UserLevel);
        v.ButtonType = static_cast<kes::BtnType>(r.U8(L::ButtonType));
        KeyTail tail;
        if (!ReadKeyTail(r, L::Tail, v.ButtonType, tail))
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

// A record of the other slot is left to it.
int ReadPgSys(PgSysRec& dst, int slot, ByteSpan rec)
{
    namespace L = layout::PgSys;
    RecReader r(rec);
    const std::uint8_t stored = r.U8(L::Slot);
    if (!r.Ok())
        return kDecTruncated;
    if (stored != slot)
        return kDecOtherSlot;
    return ReadInto(dst, r, [&](PgSysRec& v) {
        ReadRef(r, L::Ref, v.Ref);
        v.ValueType = r.U8(L::ValueType);
        v.KindWidth = r.U8(L::KindWidth);
        v.OnOffOrOperator = r.U8(L::OnOffOrOperator);
        v.Value = r.I32(L::Value);
        return StoredLength(r);
    });
}

int ReadPLCValSet(PLCValSetRec& dst, ByteSpan rec)
{
    RecReader r(rec);
    return ReadInto(dst, r, [&](PLCValSetRec& v) {
        ReadRefWithLinkFlag(r, layout::PLCValSet::Ref, v.Ref);
        return StoredLength(r);
    });
}

// The value of a kind other than 0, else the ON/OFF byte.
int ReadMacPowerOn(MacPowerOnRec& dst, ByteSpan rec)
{
    namespace L = layout::MacPowerOn;
    RecReader r(rec);
    return ReadInto(dst, r, [&](MacPowerOnRec& v) {
        ReadRefWithLinkFlag(r, L::Ref, v.Ref);
        v.ValueType = r.U8(L::ValueType);
        const std::uint8_t kindWidth = r.U8(L::KindWidth);
        v.Width = kindWidth & 0x0F;
        v.Kind = kindWidth & 0xF0;
        v.IntervalIndex = r.U8(L::Interval);
        if (v.Kind != kes::kBitFlags)
            v.Value = r.I32(L::Value);
        else
            v.OnOff = r.U8(L::OnOff) != 0;
        return StoredLength(r);
    });
}

int ReadParaDataSet(ParaDataSetRec& dst, ByteSpan rec)
{
    namespace L = layout::ParaDataSet;
    RecReader r(rec);
    return ReadInto(dst, r, [&](ParaDataSetRec& v) {
        ReadRef(r, L::Ref, v.Ref);
        v.RegisterCount = r.I32(L::RegisterCount);
        return StoredLength(r);
    });
}

} // namespace kes::morvik
