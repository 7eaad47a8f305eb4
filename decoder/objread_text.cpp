// Record readers of the text and value kinds: static text, static picture, value display,
// value entry, message text, clock and measurement unit.
#include "decoder/kindlayout.h"
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

// The static text (its picture is not read).
int ReadStTxt(TLxObj& obj, RecReader& r)
{
    namespace L = layout::StTxt;
    int err = 0;
    auto* o = OpenKind<TStTxt>(obj, r, L::Texts, err);
    if (!o)
        return err;
    TextWalk walk(r, L::Texts, r.U16(L::TextBytes));
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
    o->SetObjFrame(r.U8(L::ObjFrame));
    o->SetDirect(r.U8(L::TxtDir));
    o->SetHPos(r.U8(L::TxtHPos));
    o->SetVPos(r.U8(L::TxtVPos));
    o->Lines = std::move(lines);
    return StoredLength(r);
}

// The value display.
int ReadLxVal(TLxObj& obj, RecReader& r)
{
    namespace L = layout::LxVal;
    int err = 0;
    auto* o = OpenKind<TLxVal>(obj, r, L::Size, err);
    if (!o)
        return err;
    LoadRef(r, L::Ref, *o, o->ExtraByte);
    o->ValType = r.U8(L::ValType);
    o->ValLen = r.U8(L::ValLen);
    o->IntNum = r.U8(L::IntNum);
    o->DecNum = r.U8(L::DecNum);
    o->SetObjFrame(r.U8(L::ObjFrame));
    o->HZero = r.U8(L::HZero);
    o->HPos = r.U8(L::HPos);
    o->VPos = r.U8(L::VPos);
    return StoredLength(r);
}

// The static picture.
int ReadStBmp(TLxObj& obj, RecReader& r)
{
    namespace L = layout::StBmp;
    namespace P = layout::PicBlock;
    int err = 0;
    auto* o = OpenKind<TStBmp>(obj, r, L::Picture + P::Bands, err);
    if (!o)
        return err;
    const ByteSpan bands = r.Bytes(L::Picture + P::Bands, r.U16(L::Picture + P::Count));
    if (!r.Ok() || !o->BmpDataSet(bands))
        return kDecTruncated;
    return StoredLength(r);
}

// The value entry.
int ReadLxGetVal(TLxObj& obj, RecReader& r)
{
    namespace L = layout::LxGetVal;
    int err = 0;
    auto* o = OpenKind<TLxGetVal>(obj, r, L::Size, err);
    if (!o)
        return err;
    LoadRef(r, L::WriteRef, o->WriteDev, o->WriteDev.RefDetail);
    LoadRef(r, L::ReadRef, o->ReadDev, o->ReadDev.RefDetail);
    LoadRef(r, L::NotifyRef, o->NotifyDev, o->NotifyDev.RefDetail);
    o->ReadUsed = o->ReadDev.DevAddrCode != -1;
    o->NotifyUsed = o->NotifyDev.DevAddrCode != -1;
    o->SetNotifyMode(r.U8(L::NotifyBits));
    o->ShowFlags = r.U8(L::ShowFlags);
    o->RefKey = r.U8(L::RefKey);
    o->UserLevel = r.U8(L::UserLevel);
    o->PassText.fill(255);
    o->SetObjFrame(r.U8(L::ObjFrame));
    o->HPos = r.U8(L::HPos);
    o->VPos = r.U8(L::VPos);
    o->ValType = r.U8(L::ValType);
    o->ValLen = r.U8(L::ValLen);
    o->IntNum = r.U8(L::IntNum);
    o->DecNum = r.U8(L::DecNum);
    o->ValMax = r.I32(L::ValMax);
    o->ValMin = r.I32(L::ValMin);
    return StoredLength(r);
}

// The message text (the rendered messages are stepped over).
int ReadMsgTxt(TLxObj& obj, RecReader& r)
{
    namespace L = layout::MsgTxt;
    int err = 0;
    auto* o = OpenKind<TMsgTxt>(obj, r, L::FontName, err);
    if (!o)
        return err;
    const std::uint16_t fontLen = r.U16(L::FontBytes);
    const std::string fontName = r.Text(L::FontName, fontLen);
    if (!r.Ok())
        return kDecTruncated;
    LoadRef(r, L::Ref, *o, o->ExtraByte);
    const std::uint8_t total = ReadStateHead(r, *o);
    o->MoveMode = r.U8(L::MoveMode);
    o->MoveInterval = r.U8(L::MoveInterval);
    o->SetStateNum(total);
    TFont& font = o->Picture.Canvas()->Font;
    font.Name = fontName;
    o->FontSet(font.Size);
    std::size_t at = L::FontName + std::size_t(fontLen);
    const std::size_t states = std::min(o->Messages.size(), o->StateVal.size());
    for (std::size_t i = 0; i < states; ++i) {
        const std::uint32_t value = r.U32(at + L::Value);
        at += L::Text;
        std::string text;
        if (!ReadStateText(r, at, text))
            return kDecTruncated;
        o->StateVal[i] = value;
        o->Messages[i] = std::move(text);
    }
    return StoredLength(r);
}

// The clock.
int ReadRtc(TLxObj& obj, RecReader& r)
{
    namespace L = layout::Rtc;
    int err = 0;
    auto* o = OpenKind<TRtc>(obj, r, L::Size, err);
    if (!o)
        return err;
    LoadRef(r, L::Ref, *o, o->ExtraByte);
    o->RtcFormat = r.U8(L::RtcFormat);
    o->SetObjFrame(r.U8(L::ObjFrame));
    o->RtcAlign = r.U8(L::RtcAlign);
    o->RtcOpt1 = r.U8(L::RtcOpt1);
    return StoredLength(r);
}

// The measurement unit (its picture is not read: the object draws its own symbol).
int ReadMetrol(TLxObj& obj, RecReader& r)
{
    namespace L = layout::Metrol;
    int err = 0;
    auto* o = OpenKind<TMetrol>(obj, r, L::Picture, err);
    if (!o)
        return err;
    o->MetrolTypeSet(r.U8(L::MetrolType));
    o->MetrolIndexSet(r.U8(L::MetrolIndex));
    return StoredLength(r);
}

} // namespace kes::morvik
