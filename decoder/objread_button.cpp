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

// A state picture block at at: u32 value | u16 width | u16 height | u16 P | P band bytes.
// Fills state i of obj (the value only in value mode) and moves at past the block.
// Returns 0, or a negative result.
int ReadStatePicture(RecReader& r, std::size_t& at, TStateBmpObj& obj, int i)
{
    const std::uint32_t value = r.U32(at);
    const std::uint16_t w = r.U16(at + 4);
    const std::uint16_t h = r.U16(at + 6);
    const std::uint16_t count = r.U16(at + 8);
    const ByteSpan bands = r.Bytes(at + 10, count);
    if (!r.Ok() || count < BandBytes(w, h))
        return kDecTruncated;
    if (w > kMaxObjDots || h > kMaxObjDots)
        return kDecBadContent;
    obj.StateVal[i] = obj.StateMode >= kValueModeFirst && obj.StateMode <= kValueModeLast ? value : 0;
    obj.StateBmpSet(i, w, h, bands);
    at += 10 + std::size_t(count);
    return 0;
}

// A state text block at at: u16 L | L bytes text | u16 width | u16 height | u16 n | n bytes
// of the rendered text (stepped over). Moves at past the block.
bool ReadStateText(RecReader& r, std::size_t& at, std::string& text)
{
    const std::uint16_t len = r.U16(at);
    text = r.Text(at + 2, len);
    const std::uint16_t bytes = r.U16(at + 6 + len);
    if (!r.Need(at + 8 + len, bytes))
        return false;
    at += 8 + std::size_t(len) + bytes;
    return true;
}

} // namespace

// Kind 3, bit picture: 14 device reference | 23 OnBmp | 24 OffBmp.
// Kind 21, bit picture of a word: 14 device reference | 23 ValMode (high nibble) + BitNo
// (low nibble) | 24 OnBmp | 25 OffBmp.
int ReadLxDevBmp(TLxObj& obj, RecReader& r)
{
    auto* adv = dynamic_cast<TLxAdvDevBmp*>(&obj);
    const std::size_t pics = adv ? 24 : 23;
    int err = 0;
    auto* o = OpenKind<TLxDevBmp>(obj, r, pics + 2, err);
    if (!o)
        return err;
    LoadRef(r, 14, *o, o->ExtraByte);
    if (adv) {
        const std::uint8_t modeBit = r.U8(23);
        adv->ValMode = modeBit & 0xF0;
        adv->BitNo = modeBit & 0x0F;
    }
    o->SetOnBmp(r.U8(pics));
    o->SetOffBmp(r.U8(pics + 1));
    return StoredLength(r);
}

// Kind 4, multi-range picture:
//   14 device reference | 23 (RangeOrder << 4) + ValType | 24 VarBounds (high nibble) +
//   ValLen (low nibble) | 25 per state 0..4: u32 StateBound (only when VarBounds is 0),
//   then u8 StatePic
int ReadVrgBmp(TLxObj& obj, RecReader& r)
{
    int err = 0;
    auto* o = OpenKind<TVrgBmp>(obj, r, 30, err);
    if (!o)
        return err;
    const std::uint8_t boundsLen = r.U8(24);
    const bool varBounds = (boundsLen & 0xF0) != 0;
    if (!r.Need(0, varBounds ? 30 : 50))
        return kDecTruncated;
    LoadRef(r, 14, *o, o->ExtraByte);
    const std::uint8_t orderType = r.U8(23);
    o->RangeOrder = orderType >> 4;
    o->ValType = orderType & 0x0F;
    o->VarBounds = boundsLen & 0xF0;
    o->ValLen = boundsLen & 0x0F;
    for (int i = 0; i < TVrgBmp::kStates; ++i) {
        if (varBounds) {
            o->StatePic[i] = r.U8(25 + i);
        } else {
            o->StateBound[i] = r.U32(25 + 5 * i);
            o->StatePic[i] = r.U8(29 + 5 * i);
        }
    }
    o->SetCurPt(0);
    return StoredLength(r);
}

// Kind 6, multi-state picture:
//   14 device reference | 23 (StateReverse << 4) + ValType | 24 StateMode | 25 TotalState |
//   26 per state: u32 StateVal | u16 width | u16 height | u16 P | P band bytes
int ReadActBmp(TLxObj& obj, RecReader& r)
{
    int err = 0;
    auto* o = OpenKind<TActBmp>(obj, r, 26, err);
    if (!o)
        return err;
    LoadRef(r, 14, *o, o->ExtraByte);
    o->SetStateNum(ReadStateHead(r, *o));
    std::size_t at = 26;
    for (int i = 0; i < static_cast<int>(o->BmpList.size()); ++i)
        if (const int e = ReadStatePicture(r, at, *o, i); e < 0)
            return e;
    o->SetBmpPt(0);
    return StoredLength(r);
}

// Kind 13, button:
//   14 write reference | 23 read reference | 32 notify reference |
//   41 (notify state << 4) + notify order | 42 TotalState | 43 RefKey | 44-47 reserved |
//   48 Surface | 49 TxtHPos | 50 TxtVPos | 51 BmpHPos | 52 BmpVPos | 53 transparency |
//   54 UserLevel | 55-61 zero | 62 button type | 63 the function key tail by button type |
//   then per state: u16 width | u16 height | u16 P | P band bytes | u16 L | L bytes text |
//   u16 text width | u16 text height | u16 n | n bytes rendered text (stepped over)
int ReadLxBtn(TLxObj& obj, RecReader& r)
{
    int err = 0;
    auto* o = OpenKind<TLxBtn>(obj, r, 63, err);
    if (!o)
        return err;
    std::uint8_t type = r.U8(62);
    if (type >= kFirstUnknownBtnType)
        type = 255;
    KeyTail tail;
    if (!ReadKeyTail(r, 63, type, tail))
        return kDecTruncated;
    LoadRef(r, 14, o->WriteDev, o->WriteDev.RefDetail);
    LoadRef(r, 23, o->ReadDev, o->ReadDev.RefDetail);
    LoadRef(r, 32, o->NotifyDev, o->NotifyDev.RefDetail);
    const std::uint8_t notify = r.U8(41);
    o->NotifyState = notify >> 4;
    o->NotifyOrder = notify & 0x0F;
    o->RefKey = r.U8(43);
    o->PassText.fill(255);
    o->SetSurface(r.U8(48));
    o->SetTxtHPos(r.U8(49));
    o->SetTxtVPos(r.U8(50));
    o->SetBmpHPos(r.U8(51));
    o->SetBmpVPos(r.U8(52));
    o->Transparent = r.U8(53) != 0;
    o->UserLevel = r.U8(54);
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
    o->SetStateNum(r.U8(42));
    std::size_t at = 63 + KeyTailSize(type);
    const std::size_t states = std::min<std::size_t>(o->TotalState, o->TxtList.size());
    for (std::size_t i = 0; i < states; ++i) {
        const std::uint16_t w = r.U16(at);
        const std::uint16_t hgt = r.U16(at + 2);
        const std::uint16_t count = r.U16(at + 4);
        const ByteSpan bands = r.Bytes(at + 6, count);
        if (!r.Ok() || count < BandBytes(w, hgt))
            return kDecTruncated;
        if (w > kMaxObjDots || hgt > kMaxObjDots)
            return kDecBadContent;
        o->StateBmpSet(static_cast<int>(i), w, hgt, bands);
        at += 6 + std::size_t(count);
        if (!ReadStateText(r, at, o->TxtList[i]))
            return kDecTruncated;
    }
    return StoredLength(r);
}

// Kind 18, lamp:
//   14 device reference | 23 (StateReverse << 4) + ValType | 24 StateMode | 25 TotalState |
//   26 TxtHPos | 27 TxtVPos | 28 BmpHPos | 29 BmpVPos | 30 LampOpt | 31 u16 F |
//   33 font name (F bytes with its NUL) | then per state: the picture block of kind 6,
//   then the text block of kind 13
int ReadLight(TLxObj& obj, RecReader& r)
{
    int err = 0;
    auto* o = OpenKind<TLight>(obj, r, 33, err);
    if (!o)
        return err;
    const std::uint16_t fontLen = r.U16(31);
    const std::string fontName = r.Text(33, fontLen);
    if (!r.Ok())
        return kDecTruncated;
    LoadRef(r, 14, *o, o->ExtraByte);
    o->LampOpt = r.U8(30);
    o->SetStateNum(ReadStateHead(r, *o));
    o->SetTxtHPos(r.U8(26));
    o->SetTxtVPos(r.U8(27));
    o->SetBmpHPos(r.U8(28));
    o->SetBmpVPos(r.U8(29));
    o->Picture.Canvas()->Font.Name = fontName;
    std::size_t at = 33 + std::size_t(fontLen);
    for (int i = 0; i < static_cast<int>(o->BmpList.size()); ++i) {
        if (const int e = ReadStatePicture(r, at, *o, i); e < 0)
            return e;
        if (!ReadStateText(r, at, o->TxtList[i]))
            return kDecTruncated;
    }
    return StoredLength(r);
}

} // namespace kes::morvik
