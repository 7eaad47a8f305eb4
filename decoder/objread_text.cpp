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
int ReadStTxt(TStTxt& obj, RecReader& r)
{
    namespace L = layout::StTxt;
    int err = 0;
    if (!OpenKind(obj, r, L::Texts, err))
        return err;
    TextWalk walk(r, L::Texts, r.U16(L::TextBytes));
    if (!walk.Ok())
        return kDecTruncated;
    std::vector<AnsiString> lines;
    TFont& font = obj.Picture.Canvas()->Font;
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
    obj.SetObjFrame(r.U8(L::ObjFrame));
    obj.SetDirect(r.U8(L::TxtDir));
    obj.SetHPos(r.U8(L::TxtHPos));
    obj.SetVPos(r.U8(L::TxtVPos));
    obj.Lines = std::move(lines);
    return StoredLength(r);
}

// The value display.
int ReadLxVal(TLxVal& obj, RecReader& r)
{
    namespace L = layout::LxVal;
    int err = 0;
    if (!OpenKind(obj, r, L::Size, err))
        return err;
    LoadRef(r, L::Ref, obj, obj.ExtraByte);
    obj.ValType = r.U8(L::ValType);
    obj.ValLen = r.U8(L::ValLen);
    obj.IntNum = r.U8(L::IntNum);
    obj.DecNum = r.U8(L::DecNum);
    obj.SetObjFrame(r.U8(L::ObjFrame));
    obj.HZero = r.U8(L::HZero);
    obj.HPos = r.U8(L::HPos);
    obj.VPos = r.U8(L::VPos);
    return StoredLength(r);
}

// The static picture.
int ReadStBmp(TStBmp& obj, RecReader& r)
{
    namespace L = layout::StBmp;
    namespace P = layout::PicBlock;
    int err = 0;
    if (!OpenKind(obj, r, L::Picture + P::Bands, err))
        return err;
    const ByteSpan bands = r.Bytes(L::Picture + P::Bands, r.U16(L::Picture + P::Count));
    if (!r.Ok() || !obj.BmpDataSet(bands))
        return kDecTruncated;
    return StoredLength(r);
}

// The value entry.
int ReadLxGetVal(TLxGetVal& obj, RecReader& r)
{
    namespace L = layout::LxGetVal;
    int err = 0;
    if (!OpenKind(obj, r, L::Size, err))
        return err;
    LoadRef(r, L::WriteRef, obj.WriteDev, obj.WriteDev.RefDetail);
    LoadRef(r, L::ReadRef, obj.ReadDev, obj.ReadDev.RefDetail);
    LoadRef(r, L::NotifyRef, obj.NotifyDev, obj.NotifyDev.RefDetail);
    obj.ReadUsed = obj.ReadDev.DevAddrCode != -1;
    obj.NotifyUsed = obj.NotifyDev.DevAddrCode != -1;
    obj.SetNotifyMode(r.U8(L::NotifyBits));
    obj.ShowFlags = r.U8(L::ShowFlags);
    obj.RefKey = r.U8(L::RefKey);
    obj.UserLevel = r.U8(L::UserLevel);
    obj.PassText.fill(255);
    obj.SetObjFrame(r.U8(L::ObjFrame));
    obj.HPos = r.U8(L::HPos);
    obj.VPos = r.U8(L::VPos);
    obj.ValType = r.U8(L::ValType);
    obj.ValLen = r.U8(L::ValLen);
    obj.IntNum = r.U8(L::IntNum);
    obj.DecNum = r.U8(L::DecNum);
    obj.ValMax = r.I32(L::ValMax);
    obj.ValMin = r.I32(L::ValMin);
    return StoredLength(r);
}

// The message text (the rendered messages are stepped over).
int ReadMsgTxt(TMsgTxt& obj, RecReader& r)
{
    namespace L = layout::MsgTxt;
    int err = 0;
    if (!OpenKind(obj, r, L::FontName, err))
        return err;
    const std::uint16_t fontLen = r.U16(L::FontBytes);
    const std::string fontName = r.Text(L::FontName, fontLen);
    if (!r.Ok())
        return kDecTruncated;
    LoadRef(r, L::Ref, obj, obj.ExtraByte);
    const std::uint8_t total = ReadStateHead(r, obj);
    obj.MoveMode = r.U8(L::MoveMode);
    obj.MoveInterval = r.U8(L::MoveInterval);
    obj.SetStateNum(total);
    TFont& font = obj.Picture.Canvas()->Font;
    font.Name = fontName;
    obj.FontSet(font.Size);
    std::size_t at = L::FontName + std::size_t(fontLen);
    const std::size_t states = std::min(obj.Messages.size(), obj.StateVal.size());
    for (std::size_t i = 0; i < states; ++i) {
        const std::uint32_t value = r.U32(at + L::Value);
        at += L::Text;
        std::string text;
        if (!ReadStateText(r, at, text))
            return kDecTruncated;
        obj.StateVal[i] = value;
        obj.Messages[i] = std::move(text);
    }
    return StoredLength(r);
}

// The clock.
int ReadRtc(TRtc& obj, RecReader& r)
{
    namespace L = layout::Rtc;
    int err = 0;
    if (!OpenKind(obj, r, L::Size, err))
        return err;
    LoadRef(r, L::Ref, obj, obj.ExtraByte);
    obj.RtcFormat = r.U8(L::RtcFormat);
    obj.SetObjFrame(r.U8(L::ObjFrame));
    obj.RtcAlign = r.U8(L::RtcAlign);
    obj.RtcOpt1 = r.U8(L::RtcOpt1);
    return StoredLength(r);
}

// The measurement unit (its picture is not read: the object draws its own symbol).
int ReadMetrol(TMetrol& obj, RecReader& r)
{
    namespace L = layout::Metrol;
    int err = 0;
    if (!OpenKind(obj, r, L::Picture, err))
        return err;
    obj.MetrolTypeSet(r.U8(L::MetrolType));
    obj.MetrolIndexSet(r.U8(L::MetrolIndex));
    return StoredLength(r);
}

} // namespace kes::morvik
