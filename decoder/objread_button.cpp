// Record readers of the button and state picture kinds: bit pictures, multi-range picture,
// multi-state picture, button and lamp.
#include "decoder/objreadutil.h"
#include "decoder/setrecread.h"
#include "objects/addrmode.h"
#include "objects/tactbmp.h"
#include "objects/tlight.h"
#include "objects/tlxadvdevbmp.h"
#include "objects/tlxbtn.h"
#include "objects/tvrgbmp.h"

#include <algorithm>

namespace kes::morvik {

namespace {

// Word and low-byte states, of any width, hold values.
constexpr std::uint8_t kValueModeFirst = kes::kWordFlags;
constexpr std::uint8_t kValueModeLast = kes::kEitherFlags | 0x0F;

// A sized picture at at. Sets w, h and bands and moves at past it; returns 0, or a negative
// result.
int ReadSizedPicture(RecReader& r, std::size_t& at, std::uint16_t& w, std::uint16_t& h, ByteSpan& bands)
{
    namespace P = layout::SizedPic;
    w = r.U16(at + P::Width);
    h = r.U16(at + P::Height);
    const std::uint16_t count = r.U16(at + P::Count);
    bands = r.Bytes(at + P::Bands, count);
    if (!r.Ok() || count < BandBytes(w, h))
        return kDecTruncated;
    if (w > kMaxObjDots || h > kMaxObjDots)
        return kDecBadContent;
    at += P::Bands + std::size_t(count);
    return 0;
}

// A state picture (StatePic) at at: fills state i of obj (the value only in value mode) and
// moves at past it. Returns 0, or a negative result.
int ReadStatePicture(RecReader& r, std::size_t& at, TStateBmpObj& obj, int i)
{
    namespace S = layout::StatePic;
    const std::uint32_t value = r.U32(at + S::Value);
    std::size_t pic = at + S::Pic;
    std::uint16_t w = 0;
    std::uint16_t h = 0;
    ByteSpan bands;
    if (const int e = ReadSizedPicture(r, pic, w, h, bands); e < 0)
        return e;
    obj.StateVal[i] = obj.StateMode >= kValueModeFirst && obj.StateMode <= kValueModeLast ? value : 0;
    obj.StateBmpSet(i, w, h, bands);
    at = pic;
    return 0;
}

// The bit picture, and the bit picture of a word (adv) with its mode and bit before the
// pictures.
int ReadDevBmp(TLxDevBmp& obj, TLxAdvDevBmp* adv, RecReader& r)
{
    namespace L = layout::LxDevBmp;
    namespace A = layout::LxAdvDevBmp;
    static_assert(L::Ref == A::Ref);
    int err = 0;
    if (!OpenKind(obj, r, adv ? A::Size : L::Size, err))
        return err;
    LoadRef(r, L::Ref, obj, obj.ExtraByte);
    if (adv) {
        const std::uint8_t modeBit = r.U8(A::ModeBit);
        adv->ValMode = modeBit & 0xF0;
        adv->BitNo = modeBit & 0x0F;
    }
    obj.SetOnBmp(r.U8(adv ? A::OnBmp : L::OnBmp));
    obj.SetOffBmp(r.U8(adv ? A::OffBmp : L::OffBmp));
    return StoredLength(r);
}

} // namespace

int ReadLxDevBmp(TLxDevBmp& obj, RecReader& r) { return ReadDevBmp(obj, nullptr, r); }

int ReadLxAdvDevBmp(TLxAdvDevBmp& obj, RecReader& r) { return ReadDevBmp(obj, &obj, r); }

// The multi-range picture.
int ReadVrgBmp(TVrgBmp& obj, RecReader& r)
{
    namespace L = layout::VrgBmp;
    constexpr std::size_t kStates = TVrgBmp::kStates;
    int err = 0;
    if (!OpenKind(obj, r, L::States + kStates, err))
        return err;
    const std::uint8_t boundsLen = r.U8(L::BoundsLen);
    const bool varBounds = (boundsLen & 0xF0) != 0;
    // A state is its picture byte, after its bound when the bounds are fixed.
    const std::size_t state = varBounds ? 1 : L::Bound + 1;
    if (!r.Need(0, L::States + kStates * state))
        return kDecTruncated;
    LoadRef(r, L::Ref, obj, obj.ExtraByte);
    const std::uint8_t orderType = r.U8(L::OrderType);
    obj.RangeOrder = orderType >> 4;
    obj.ValType = orderType & 0x0F;
    obj.VarBounds = boundsLen & 0xF0;
    obj.ValLen = boundsLen & 0x0F;
    for (std::size_t i = 0; i < kStates; ++i) {
        const std::size_t at = L::States + state * i;
        if (!varBounds)
            obj.StateBound[i] = r.U32(at);
        obj.StatePic[i] = r.U8(at + state - 1);
    }
    obj.SetCurPt(0);
    return StoredLength(r);
}

// The multi-state picture.
int ReadActBmp(TActBmp& obj, RecReader& r)
{
    namespace L = layout::ActBmp;
    int err = 0;
    if (!OpenKind(obj, r, L::States, err))
        return err;
    LoadRef(r, L::Ref, obj, obj.ExtraByte);
    obj.SetStateNum(ReadStateHead(r, obj));
    std::size_t at = L::States;
    for (int i = 0; i < static_cast<int>(obj.BmpList.size()); ++i)
        if (const int e = ReadStatePicture(r, at, obj, i); e < 0)
            return e;
    obj.SetBmpPt(0);
    return StoredLength(r);
}

// The button (the rendered state texts are stepped over).
int ReadLxBtn(TLxBtn& obj, RecReader& r)
{
    namespace L = layout::LxBtn;
    int err = 0;
    if (!OpenKind(obj, r, L::Tail, err))
        return err;
    // A code no type has reads as no type.
    const kes::BtnType type = kes::BtnTypeOf(r.U8(L::BtnType));
    KeyTail tail;
    if (!ReadKeyTail(r, L::Tail, type, tail))
        return kDecTruncated;
    LoadRef(r, L::WriteRef, obj.WriteDev, obj.WriteDev.RefDetail);
    LoadRef(r, L::ReadRef, obj.ReadDev, obj.ReadDev.RefDetail);
    LoadRef(r, L::NotifyRef, obj.NotifyDev, obj.NotifyDev.RefDetail);
    const std::uint8_t notify = r.U8(L::NotifyBits);
    obj.NotifyState = notify >> 4;
    obj.NotifyOrder = notify & 0x0F;
    obj.RefKey = r.U8(L::RefKey);
    obj.PassText.fill(255);
    obj.SetSurface(r.U8(L::Surface));
    obj.SetTxtHPos(r.U8(L::TxtHPos));
    obj.SetTxtVPos(r.U8(L::TxtVPos));
    obj.SetBmpHPos(r.U8(L::BmpHPos));
    obj.SetBmpVPos(r.U8(L::BmpVPos));
    obj.Transparent = r.U8(L::Transparent) != 0;
    obj.UserLevel = r.U8(L::UserLevel);
    obj.BtnType = type;
    obj.ValKind = tail.Kind;
    if (tail.SetsMultiFlag)
        obj.MultiFlag = tail.MultiFlag;
    if (tail.SetsValue) {
        obj.ValType = tail.ValueType;
        obj.ValLen = tail.Width;
    }
    if (tail.SetsDigits) {
        obj.IntNum = tail.IntDigits;
        obj.DecNum = tail.DecDigits;
    }
    if (tail.SetsParamA)
        obj.ParamA = tail.ParamA;
    if (tail.SetsParamB)
        obj.ParamB = tail.ParamB;
    if (tail.NoDevices)
        obj.WriteDev.DevAddrCode = obj.ReadDev.DevAddrCode = obj.NotifyDev.DevAddrCode = -1;
    obj.ReadUsed = obj.ReadDev.DevAddrCode != -1;
    obj.NotifyUsed = obj.NotifyDev.DevAddrCode != -1;
    obj.SetStateNum(r.U8(L::TotalState));
    std::size_t at = L::Tail + KeyTailSize(type);
    const std::size_t states = std::min<std::size_t>(obj.TotalState, obj.TxtList.size());
    for (std::size_t i = 0; i < states; ++i) {
        std::uint16_t w = 0;
        std::uint16_t hgt = 0;
        ByteSpan bands;
        if (const int e = ReadSizedPicture(r, at, w, hgt, bands); e < 0)
            return e;
        obj.StateBmpSet(static_cast<int>(i), w, hgt, bands);
        if (!ReadStateText(r, at, obj.TxtList[i]))
            return kDecTruncated;
    }
    return StoredLength(r);
}

// The lamp (the rendered state texts are stepped over).
int ReadLight(TLight& obj, RecReader& r)
{
    namespace L = layout::Light;
    int err = 0;
    if (!OpenKind(obj, r, L::FontName, err))
        return err;
    const std::uint16_t fontLen = r.U16(L::FontBytes);
    const std::string fontName = r.Text(L::FontName, fontLen);
    if (!r.Ok())
        return kDecTruncated;
    LoadRef(r, L::Ref, obj, obj.ExtraByte);
    obj.LampOpt = r.U8(L::LampOpt);
    obj.SetStateNum(ReadStateHead(r, obj));
    obj.SetTxtHPos(r.U8(L::TxtHPos));
    obj.SetTxtVPos(r.U8(L::TxtVPos));
    obj.SetBmpHPos(r.U8(L::BmpHPos));
    obj.SetBmpVPos(r.U8(L::BmpVPos));
    obj.Picture.Canvas()->Font.Name = fontName;
    std::size_t at = L::FontName + std::size_t(fontLen);
    for (int i = 0; i < static_cast<int>(obj.BmpList.size()); ++i) {
        if (const int e = ReadStatePicture(r, at, obj, i); e < 0)
            return e;
        if (!ReadStateText(r, at, obj.TxtList[i]))
            return kDecTruncated;
    }
    return StoredLength(r);
}

} // namespace kes::morvik
