// Record readers of the text and value kinds: static text, static picture, value display,
// value entry, message text, clock and measurement unit.
#include "decoder/objreadutil.h"
#include "objects/tlxgetval.h"
#include "objects/tlxval.h"
#include "objects/tmetrol.h"
#include "objects/tmsgtxt.h"
#include "objects/trtc.h"
#include "objects/tstbmp.h"
#include "objects/tsttxt.h"

#include <algorithm>

namespace kes::morvik {

// Kind 1, static text:
//   14 ObjFrame | 15 TxtDir | 16 TxtHPos | 17 TxtVPos | 18 u16 T |
//   20 T bytes: font name, then each line, each with its NUL | 20+T picture block (not read)
int ReadStTxt(TLxObj& obj, RecReader& r)
{
    int err = 0;
    auto* o = OpenKind<TStTxt>(obj, r, 20, err);
    if (!o)
        return err;
    TextWalk walk(r, 20, r.U16(18));
    if (!walk.Ok())
        return kDecTruncated;
    std::vector<AnsiString> lines;
    TFont& font = o->Picture.Canvas()->Font;
    bool first = true;
    while (walk.More()) {
        std::string s;
        if (!walk.Next(s))
            return kDecTruncated;
        // The font name comes first; a line equal to it is taken as the name again.
        if (first || s == font.Name)
            font.Name = s;
        else
            lines.push_back(s);
        first = false;
    }
    o->SetObjFrame(r.U8(14));
    o->SetDirect(r.U8(15));
    o->SetHPos(r.U8(16));
    o->SetVPos(r.U8(17));
    o->Lines = std::move(lines);
    return StoredLength(r);
}

// Kind 2, value display:
//   14 device reference | 23 ValType | 24 ValLen | 25 IntNum | 26 DecNum | 27 ObjFrame |
//   28 HZero | 29 HPos | 30 VPos
int ReadLxVal(TLxObj& obj, RecReader& r)
{
    int err = 0;
    auto* o = OpenKind<TLxVal>(obj, r, 31, err);
    if (!o)
        return err;
    LoadRef(r, 14, *o, o->ExtraByte);
    o->ValType = r.U8(23);
    o->ValLen = r.U8(24);
    o->IntNum = r.U8(25);
    o->DecNum = r.U8(26);
    o->SetObjFrame(r.U8(27));
    o->HZero = r.U8(28);
    o->HPos = r.U8(29);
    o->VPos = r.U8(30);
    return StoredLength(r);
}

// Kind 5, static picture: 14 picture block (u16 count P, P band bytes).
int ReadStBmp(TLxObj& obj, RecReader& r)
{
    int err = 0;
    auto* o = OpenKind<TStBmp>(obj, r, 16, err);
    if (!o)
        return err;
    const ByteSpan bands = r.Bytes(16, r.U16(14));
    if (!r.Ok() || !o->BmpDataSet(bands))
        return kDecTruncated;
    return StoredLength(r);
}

// Kind 20, value entry:
//   14 write reference | 23 read reference | 32 notify reference |
//   41 (notify state << 4) + notify order | 42 ShowFlags | 43 RefKey | 44 UserLevel |
//   45-47 reserved | 48 ObjFrame | 49 HPos | 50 VPos | 51 ValType | 52 ValLen | 53 IntNum |
//   54 DecNum | 55 u32 ValMax | 59 u32 ValMin
int ReadLxGetVal(TLxObj& obj, RecReader& r)
{
    int err = 0;
    auto* o = OpenKind<TLxGetVal>(obj, r, 63, err);
    if (!o)
        return err;
    LoadRef(r, 14, o->WriteDev, o->WriteDev.RefDetail);
    LoadRef(r, 23, o->ReadDev, o->ReadDev.RefDetail);
    LoadRef(r, 32, o->NotifyDev, o->NotifyDev.RefDetail);
    o->ReadUsed = o->ReadDev.DevAddrCode != -1;
    o->NotifyUsed = o->NotifyDev.DevAddrCode != -1;
    o->SetNotifyMode(r.U8(41));
    o->ShowFlags = r.U8(42);
    o->RefKey = r.U8(43);
    o->UserLevel = r.U8(44);
    o->PassText.fill(255);
    o->SetObjFrame(r.U8(48));
    o->HPos = r.U8(49);
    o->VPos = r.U8(50);
    o->ValType = r.U8(51);
    o->ValLen = r.U8(52);
    o->IntNum = r.U8(53);
    o->DecNum = r.U8(54);
    o->ValMax = r.I32(55);
    o->ValMin = r.I32(59);
    return StoredLength(r);
}

// Kind 12, message text:
//   14 device reference | 23 (StateReverse << 4) + ValType | 24 StateMode | 25 TotalState |
//   26 MoveMode | 27 MoveInterval | 28 u16 F | 30 font name (F bytes with its NUL) |
//   30+F per message: u32 StateVal | u16 L | L bytes text | u16 width | u16 height |
//                     u16 n | n bytes rendered message (stepped over)
int ReadMsgTxt(TLxObj& obj, RecReader& r)
{
    int err = 0;
    auto* o = OpenKind<TMsgTxt>(obj, r, 30, err);
    if (!o)
        return err;
    const std::uint16_t fontLen = r.U16(28);
    const std::string fontName = r.Text(30, fontLen);
    if (!r.Ok())
        return kDecTruncated;
    LoadRef(r, 14, *o, o->ExtraByte);
    const std::uint8_t total = ReadStateHead(r, *o);
    o->MoveMode = r.U8(26);
    o->MoveInterval = r.U8(27);
    o->SetStateNum(total);
    TFont& font = o->Picture.Canvas()->Font;
    font.Name = fontName;
    o->FontSet(font.Size);
    std::size_t at = 30 + std::size_t(fontLen);
    const std::size_t states = std::min(o->Messages.size(), o->StateVal.size());
    for (std::size_t i = 0; i < states; ++i) {
        const std::uint32_t value = r.U32(at);
        const std::uint16_t textLen = r.U16(at + 4);
        std::string text = r.Text(at + 6, textLen);
        const std::uint16_t bytes = r.U16(at + 10 + textLen);
        if (!r.Need(at + 12 + textLen, bytes))
            return kDecTruncated;
        o->StateVal[i] = value;
        o->Messages[i] = std::move(text);
        at += 12 + std::size_t(textLen) + bytes;
    }
    return StoredLength(r);
}

// Kind 16, clock: 14 device reference | 23 RtcFormat | 24 ObjFrame | 25 RtcAlign | 26 RtcOpt1
int ReadRtc(TLxObj& obj, RecReader& r)
{
    int err = 0;
    auto* o = OpenKind<TRtc>(obj, r, 27, err);
    if (!o)
        return err;
    LoadRef(r, 14, *o, o->ExtraByte);
    o->RtcFormat = r.U8(23);
    o->SetObjFrame(r.U8(24));
    o->RtcAlign = r.U8(25);
    o->RtcOpt1 = r.U8(26);
    return StoredLength(r);
}

// Kind 19, measurement unit: 14 MetrolType | 15 MetrolIndex | 16 picture block (not read:
// the object draws its own symbol).
int ReadMetrol(TLxObj& obj, RecReader& r)
{
    int err = 0;
    auto* o = OpenKind<TMetrol>(obj, r, 16, err);
    if (!o)
        return err;
    o->MetrolTypeSet(r.U8(14));
    o->MetrolIndexSet(r.U8(15));
    return StoredLength(r);
}

} // namespace kes::morvik
