// Records of the static text, value display, static picture, message text, clock,
// measurement unit and value entry (their layouts are in kindlayout.h).
#include "decoder/pgrecobj.h"

#include "objects/tlxgetval.h"
#include "objects/tlxval.h"
#include "objects/tmetrol.h"
#include "objects/tmsgtxt.h"
#include "objects/trtc.h"
#include "objects/tstbmp.h"
#include "objects/tsttxt.h"

namespace kes {

int StTxtChx(RecOut& out, std::size_t pos, TStTxt& t, const RecEncodeEnv& env)
{
    namespace L = layout::StTxt;
    RecWriter w = BeginObjRec(out, pos, t);
    w.U8(L::ObjFrame, t.ObjFrame);
    w.U8(L::TxtDir, t.TxtDir);
    w.U8(L::TxtHPos, t.TxtHPos);
    w.U8(L::TxtVPos, t.TxtVPos);
    std::size_t off = L::Texts;
    off += w.Text(off, StoredFontName(t, env));
    for (const AnsiString& line : t.Lines)
        off += w.Text(off, line);
    w.U16(L::TextBytes, static_cast<std::uint32_t>(off - L::Texts));
    off += PutObjPicture(w, off, t);
    return w.Finish(off);
}

int LxValChx(RecOut& out, std::size_t pos, TLxVal& v, const RecEncodeEnv&)
{
    namespace L = layout::LxVal;
    RecWriter w = BeginObjRec(out, pos, v);
    w.ObjRef(L::Ref, v, v.ExtraByte);
    w.U8(L::ValType, v.ValType);
    w.U8(L::ValLen, v.ValLen);
    w.U8(L::IntNum, v.IntNum);
    w.U8(L::DecNum, v.DecNum);
    w.U8(L::ObjFrame, v.ObjFrame);
    w.U8(L::HZero, v.HZero);
    w.U8(L::HPos, v.HPos);
    w.U8(L::VPos, v.VPos);
    return w.Finish(L::Size);
}

int StBmpChx(RecOut& out, std::size_t pos, TStBmp& b, const RecEncodeEnv&)
{
    namespace L = layout::StBmp;
    RecWriter w = BeginObjRec(out, pos, b);
    return w.Finish(L::Picture + PutObjPicture(w, L::Picture, b));
}

int MsgTxtChx(RecOut& out, std::size_t pos, TMsgTxt& m, const RecEncodeEnv& env)
{
    namespace L = layout::MsgTxt;
    RecWriter w = BeginObjRec(out, pos, m);
    w.ObjRef(L::Ref, m, m.ExtraByte);
    w.U8(L::RevType, HighLow(m.StateReverse, m.ValType));
    w.U8(L::StateMode, m.StateMode);
    w.U8(L::TotalState, m.TotalState);
    w.U8(L::MoveMode, m.MoveMode);
    w.U8(L::MoveInterval, m.MoveInterval);
    const std::size_t fontLen = w.Text(L::FontName, StoredFontName(m, env));
    w.U16(L::FontBytes, static_cast<std::uint32_t>(fontLen));
    std::size_t off = L::FontName + fontLen;
    for (int i = 0; i < m.TotalState; ++i) {
        const std::size_t at = static_cast<std::size_t>(i);
        const std::uint32_t value = m.StateMode > 15 && at < m.StateVal.size() ? m.StateVal[at] : 0;
        w.U32(off + L::Value, value);
        off += L::Text;
        off += PutCountedText(w, off, EntryOr(m.Messages, i));
        const int tw = m.TxtWidth(i);
        const int th = m.TxtHeight(i);
        off += PutSizedPicture(w, off, tw, th, tw * ((th + 7) / 8),
                               [&](std::span<std::uint8_t> dst) { m.MsgBmpDataGet(dst, i); });
    }
    return w.Finish(off);
}

int RtcChx(RecOut& out, std::size_t pos, TRtc& r, const RecEncodeEnv&)
{
    namespace L = layout::Rtc;
    RecWriter w = BeginObjRec(out, pos, r);
    w.ObjRef(L::Ref, r, r.ExtraByte);
    w.U8(L::RtcFormat, r.RtcFormat);
    w.U8(L::ObjFrame, r.ObjFrame);
    w.U8(L::RtcAlign, r.RtcAlign);
    w.U8(L::RtcOpt1, r.RtcOpt1);
    return w.Finish(L::Size);
}

int MetrolChx(RecOut& out, std::size_t pos, TMetrol& m, const RecEncodeEnv&)
{
    namespace L = layout::Metrol;
    RecWriter w = BeginObjRec(out, pos, m);
    w.U8(L::MetrolType, static_cast<std::uint8_t>(m.MetrolType));
    w.U8(L::MetrolIndex, static_cast<std::uint8_t>(m.MetrolIndex));
    return w.Finish(L::Picture + PutObjPicture(w, L::Picture, m));
}

// The value entry stores its read and notify references as they are.
int LxGetValChx(RecOut& out, std::size_t pos, TLxGetVal& g, const RecEncodeEnv&)
{
    namespace L = layout::LxGetVal;
    RecWriter w = BeginObjRec(out, pos, g);
    PutRefTriple(w, g.WriteDev, g.ReadDev, true, g.NotifyDev, true, g.NotifyState, g.NotifyOrder);
    w.U8(L::ShowFlags, g.ShowFlags);
    w.U8(L::RefKey, g.RefKey);
    w.U8(L::UserLevel, static_cast<std::uint8_t>(g.UserLevel));
    w.U8(L::ObjFrame, g.ObjFrame);
    w.U8(L::HPos, g.HPos);
    w.U8(L::VPos, g.VPos);
    w.U8(L::ValType, g.ValType);
    w.U8(L::ValLen, g.ValLen);
    w.U8(L::IntNum, g.IntNum);
    w.U8(L::DecNum, g.DecNum);
    w.U32(L::ValMax, static_cast<std::uint32_t>(g.ValMax));
    w.U32(L::ValMin, static_cast<std::uint32_t>(g.ValMin));
    return w.Finish(L::Size);
}

} // namespace kes
