// Record readers of the button and state picture kinds: bit pictures, multi-range picture,
// multi-state picture, button and lamp.
#include "decoder/objreadutil.h"
#include "decoder/setrecread.h"
#include "objects/tactbmp.h"
#include "objects/tlight.h"
#include "objects/tlxadvdevbmp.h"
#include "objects/tlxbtn.h"
#include "objects/tvrgbmp.h"

#include <algorithm>

namespace kes::morvik {

namespace {

constexpr std::uint8_t kValueModeFirst = 0x10;
constexpr std::uint8_t kValueModeLast = 0x2F;
constexpr std::uint8_t kFirstUnknownBtnType = 13;

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

} // namespace

// The bit picture, and the bit picture of a word with its mode and bit before the pictures.
int ReadLxDevBmp(TLxObj& obj, RecReader& r)
{
    namespace L = layout::LxDevBmp;
    namespace A = layout::LxAdvDevBmp;
    static_assert(L::Ref == A::Ref);
    auto* adv = dynamic_cast<TLxAdvDevBmp*>(&obj);
    int err = 0;
    auto* o = OpenKind<TLxDevBmp>(obj, r, adv ? A::Size : L::Size, err);
    if (!o)
        return err;
    LoadRef(r, L::Ref, *o, o->ExtraByte);
    if (adv) {
        const std::uint8_t modeBit = r.U8(A::ModeBit);
        adv->ValMode = modeBit & 0xF0;
        adv->BitNo = modeBit & 0x0F;
    }
    o->SetOnBmp(r.U8(adv ? A::OnBmp : L::OnBmp));
    o->SetOffBmp(r.U8(adv ? A::OffBmp : L::OffBmp));
    return StoredLength(r);
}

// The multi-range picture.
int ReadVrgBmp(TLxObj& obj, RecReader& r)
{
    namespace L = layout::VrgBmp;
    constexpr std::size_t kStates = TVrgBmp::kStates;
    int err = 0;
    auto* o = OpenKind<TVrgBmp>(obj, r, L::States + kStates, err);
    if (!o)
        return err;
    const std::uint8_t boundsLen = r.U8(L::BoundsLen);
    const bool varBounds = (boundsLen & 0xF0) != 0;
    // A state is its picture byte, after its bound when the bounds are fixed.
    const std::size_t state = varBounds ? 1 : L::Bound + 1;
    if (!r.Need(0, L::States + kStates * state))
        return kDecTruncated;
    LoadRef(r, L::Ref, *o, o->ExtraByte);
    const std::uint8_t orderType = r.U8(L::OrderType);
    o->RangeOrder = orderType >> 4;
    o->ValType = orderType & 0x0F;
    o->VarBounds = boundsLen & 0xF0;
    o->ValLen = boundsLen & 0x0F;
    for (std::size_t i = 0; i < kStates; ++i) {
        const std::size_t at = L::States + state * i;
        if (!varBounds)
            o->StateBound[i] = r.U32(at);
        o->StatePic[i] = r.U8(at + state - 1);
    }
    o->SetCurPt(0);
    return StoredLength(r);
}

// The multi-state picture.
int ReadActBmp(TLxObj& obj, RecReader& r)
{
    namespace L = layout::ActBmp;
    int err = 0;
    auto* o = OpenKind<TActBmp>(obj, r, L::States, err);
    if (!o)
        return err;
    LoadRef(r, L::Ref, *o, o->ExtraByte);
    o->SetStateNum(ReadStateHead(r, *o));
    std::size_t at = L::States;
    for (int i = 0; i < static_cast<int>(o->BmpList.size()); ++i)
        if (const int e = ReadStatePicture(r, at, *o, i); e < 0)
            return e;
    o->SetBmpPt(0);
    return StoredLength(r);
}

// The button (the rendered state texts are stepped over).
int ReadLxBtn(TLxObj& obj, RecReader& r)
{
    namespace L = layout::LxBtn;
    int err = 0;
    auto* o = OpenKind<TLxBtn>(obj, r, L::Tail, err);
    if (!o)
        return err;
    std::uint8_t type = r.U8(L::BtnType);
    if (type >= kFirstUnknownBtnType)
        type = 255;
    KeyTail tail;
    if (!ReadKeyTail(r, L::Tail, type, tail))
        return kDecTruncated;
    LoadRef(r, L::WriteRef, o->WriteDev, o->WriteDev.RefDetail);
    LoadRef(r, L::ReadRef, o->ReadDev, o->ReadDev.RefDetail);
    LoadRef(r, L::NotifyRef, o->NotifyDev, o->NotifyDev.RefDetail);
    const std::uint8_t notify = r.U8(L::NotifyBits);
    o->NotifyState = notify >> 4;
    o->NotifyOrder = notify & 0x0F;
    o->RefKey = r.U8(L::RefKey);
    o->PassText.fill(255);
    o->SetSurface(r.U8(L::Surface));
    o->SetTxtHPos(r.U8(L::TxtHPos));
    o->SetTxtVPos(r.U8(L::TxtVPos));
    o->SetBmpHPos(r.U8(L::BmpHPos));
    o->SetBmpVPos(r.U8(L::BmpVPos));
    o->Transparent = r.U8(L::Transparent) != 0;
    o->UserLevel = r.U8(L::UserLevel);
    o->BtnType = type;
    o->ValKind = tail.Kind;
    if (tail.SetsMultiFlag)
        o->MultiFlag = tail.MultiFlag;
    if (tail.SetsValue) {
        o->ValType = tail.ValueType;
        o->ValLen = tail.Width;
    }
    if (tail.SetsDigits) {
        o->IntNum = tail.IntDigits;
        o->DecNum = tail.DecDigits;
    }
    if (tail.SetsParamA)
        o->ParamA = tail.ParamA;
    if (tail.SetsParamB)
        o->ParamB = tail.ParamB;
    if (tail.NoDevices)
        o->WriteDev.DevAddrCode = o->ReadDev.DevAddrCode = o->NotifyDev.DevAddrCode = -1;
    o->ReadUsed = o->ReadDev.DevAddrCode != -1;
    o->NotifyUsed = o->NotifyDev.DevAddrCode != -1;
    o->SetStateNum(r.U8(L::TotalState));
    std::size_t at = L::Tail + KeyTailSize(type);
    const std::size_t states = std::min<std::size_t>(o->TotalState, o->TxtList.size());
    for (std::size_t i = 0; i < states; ++i) {
        std::uint16_t w = 0;
        std::uint16_t hgt = 0;
        ByteSpan bands;
        if (const int e = ReadSizedPicture(r, at, w, hgt, bands); e < 0)
            return e;
        o->StateBmpSet(static_cast<int>(i), w, hgt, bands);
        if (!ReadStateText(r, at, o->TxtList[i]))
            return kDecTruncated;
    }
    return StoredLength(r);
}

// The lamp (the rendered state texts are stepped over).
int ReadLight(TLxObj& obj, RecReader& r)
{
    namespace L = layout::Light;
    int err = 0;
    auto* o = OpenKind<TLight>(obj, r, L::FontName, err);
    if (!o)
        return err;
    const std::uint16_t fontLen = r.U16(L::FontBytes);
    const std::string fontName = r.Text(L::FontName, fontLen);
    if (!r.Ok())
        return kDecTruncated;
    LoadRef(r, L::Ref, *o, o->ExtraByte);
    o->LampOpt = r.U8(L::LampOpt);
    o->SetStateNum(ReadStateHead(r, *o));
    o->SetTxtHPos(r.U8(L::TxtHPos));
    o->SetTxtVPos(r.U8(L::TxtVPos));
    o->SetBmpHPos(r.U8(L::BmpHPos));
    o->SetBmpVPos(r.U8(L::BmpVPos));
    o->Picture.Canvas()->Font.Name = fontName;
    std::size_t at = L::FontName + std::size_t(fontLen);
    for (int i = 0; i < static_cast<int>(o->BmpList.size()); ++i) {
        if (const int e = ReadStatePicture(r, at, *o, i); e < 0)
            return e;
        if (!ReadStateText(r, at, o->TxtList[i]))
            return kDecTruncated;
    }
    return StoredLength(r);
}

} // namespace kes::morvik
