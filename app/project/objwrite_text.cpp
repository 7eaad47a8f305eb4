// Records of the static text, value display, static picture, message text, clock,
// measurement unit and value entry.
#include "app/project/pgrecobj.h"

#include "objects/tlxgetval.h"
#include "objects/tlxval.h"
#include "objects/tmetrol.h"
#include "objects/tmsgtxt.h"
#include "objects/trtc.h"
#include "objects/tstbmp.h"
#include "objects/tsttxt.h"

namespace kes {

// Kind 1, static text:
//   14 ObjFrame | 15 TxtDir | 16 TxtHPos | 17 TxtVPos | 18 u16 T | 20 font name\0, then
//   each line\0 (T bytes) | 20 + T picture block
int StTxtChx(RecOut& out, std::size_t pos, TLxObj& obj, const RecEncodeEnv& env)
{
    auto* t = dynamic_cast<TStTxt*>(&obj);
    if (t == nullptr)
        return 0;
    RecWriter w = BeginObjRec(out, pos, obj);
    w.U8(14, t->ObjFrame);
    w.U8(15, t->TxtDir);
    w.U8(16, t->TxtHPos);
    w.U8(17, t->TxtVPos);
    std::size_t off = 20;
    off += w.Text(off, StoredFontName(obj, env));
    for (const AnsiString& line : t->Lines)
        off += w.Text(off, line);
    w.U16(18, static_cast<std::uint32_t>(off - 20));
    off += PutObjPicture(w, off, obj);
    return w.Finish(off);
}

// Kind 2, value display:
//   14 ref(9) | 23 ValType | 24 ValLen | 25 IntNum | 26 DecNum | 27 ObjFrame | 28 HZero |
//   29 HPos | 30 VPos
int LxValChx(RecOut& out, std::size_t pos, TLxObj& obj, const RecEncodeEnv&)
{
    auto* v = dynamic_cast<TLxVal*>(&obj);
    if (v == nullptr)
        return 0;
    RecWriter w = BeginObjRec(out, pos, obj);
    w.ObjRef(14, *v, v->ExtraByte);
    w.U8(23, v->ValType);
    w.U8(24, v->ValLen);
    w.U8(25, v->IntNum);
    w.U8(26, v->DecNum);
    w.U8(27, v->ObjFrame);
    w.U8(28, v->HZero);
    w.U8(29, v->HPos);
    w.U8(30, v->VPos);
    return w.Finish(31);
}

// Kind 5, static picture:
//   14 picture block
int StBmpChx(RecOut& out, std::size_t pos, TLxObj& obj, const RecEncodeEnv&)
{
    if (dynamic_cast<TStBmp*>(&obj) == nullptr)
        return 0;
    RecWriter w = BeginObjRec(out, pos, obj);
    return w.Finish(14 + PutObjPicture(w, 14, obj));
}

// Kind 12, message text:
//   14 ref(9) | 23 (StateReverse << 4) + ValType | 24 StateMode | 25 TotalState |
//   26 MoveMode | 27 MoveInterval | 28 u16 F | 30 font name\0 (F bytes) |
//   then per message: u32 StateVal (0 in bit mode) | u16 L | text\0 (L bytes) |
//   u16 width | u16 height | u16 n = width x ceil(height / 8) | n band bytes
int MsgTxtChx(RecOut& out, std::size_t pos, TLxObj& obj, const RecEncodeEnv& env)
{
    auto* m = dynamic_cast<TMsgTxt*>(&obj);
    if (m == nullptr)
        return 0;
    RecWriter w = BeginObjRec(out, pos, obj);
    w.ObjRef(14, *m, m->ExtraByte);
    w.U8(23, HighLow(m->StateReverse, m->ValType));
    w.U8(24, m->StateMode);
    w.U8(25, m->TotalState);
    w.U8(26, m->MoveMode);
    w.U8(27, m->MoveInterval);
    const std::size_t fontLen = w.Text(30, StoredFontName(obj, env));
    w.U16(28, static_cast<std::uint32_t>(fontLen));
    std::size_t off = 30 + fontLen;
    for (int i = 0; i < m->TotalState; ++i) {
        const std::size_t at = static_cast<std::size_t>(i);
        const std::uint32_t value = m->StateMode > 15 && at < m->StateVal.size() ? m->StateVal[at] : 0;
        w.U32(off, value);
        off += 4 + PutCountedText(w, off + 4, EntryOr(m->Messages, i));
        const int tw = m->TxtWidth(i);
        const int th = m->TxtHeight(i);
        w.U16(off, static_cast<std::uint32_t>(tw));
        w.U16(off + 2, static_cast<std::uint32_t>(th));
        off += 4 + PutBands(w, off + 4, tw * ((th + 7) / 8),
                            [&](std::span<std::uint8_t> dst) { m->MsgBmpDataGet(dst, i); });
    }
    return w.Finish(off);
}

// Kind 16, clock:
//   14 ref(9) | 23 RtcFormat | 24 ObjFrame | 25 RtcAlign | 26 RtcOpt1
int RtcChx(RecOut& out, std::size_t pos, TLxObj& obj, const RecEncodeEnv&)
{
    auto* r = dynamic_cast<TRtc*>(&obj);
    if (r == nullptr)
        return 0;
    RecWriter w = BeginObjRec(out, pos, obj);
    w.ObjRef(14, *r, r->ExtraByte);
    w.U8(23, r->RtcFormat);
    w.U8(24, r->ObjFrame);
    w.U8(25, r->RtcAlign);
    w.U8(26, r->RtcOpt1);
    return w.Finish(27);
}

// Kind 19, measurement unit:
//   14 MetrolType (low byte) | 15 MetrolIndex (low byte) | 16 picture block
int MetrolChx(RecOut& out, std::size_t pos, TLxObj& obj, const RecEncodeEnv&)
{
    auto* m = dynamic_cast<TMetrol*>(&obj);
    if (m == nullptr)
        return 0;
    RecWriter w = BeginObjRec(out, pos, obj);
    w.U8(14, static_cast<std::uint8_t>(m->MetrolType));
    w.U8(15, static_cast<std::uint8_t>(m->MetrolIndex));
    return w.Finish(16 + PutObjPicture(w, 16, obj));
}

// Kind 20, value entry:
//   14 write ref(9) | 23 read ref(9) | 32 notify ref(9) | 41 (notify state << 4) + notify
//   order | 42 ShowFlags | 43 RefKey | 44 UserLevel (low byte) | 45-47 reserved |
//   48 ObjFrame | 49 HPos | 50 VPos | 51 ValType | 52 ValLen | 53 IntNum | 54 DecNum |
//   55 u32 ValMax | 59 u32 ValMin
int LxGetValChx(RecOut& out, std::size_t pos, TLxObj& obj, const RecEncodeEnv&)
{
    auto* g = dynamic_cast<TLxGetVal*>(&obj);
    if (g == nullptr)
        return 0;
    RecWriter w = BeginObjRec(out, pos, obj);
    // The value entry stores its read and notify references as they are.
    PutRefTriple(w, g->WriteDev, g->ReadDev, true, g->NotifyDev, true, g->NotifyState, g->NotifyOrder);
    w.U8(42, g->ShowFlags);
    w.U8(43, g->RefKey);
    w.U8(44, static_cast<std::uint8_t>(g->UserLevel));
    w.U8(48, g->ObjFrame);
    w.U8(49, g->HPos);
    w.U8(50, g->VPos);
    w.U8(51, g->ValType);
    w.U8(52, g->ValLen);
    w.U8(53, g->IntNum);
    w.U8(54, g->DecNum);
    w.U32(55, static_cast<std::uint32_t>(g->ValMax));
    w.U32(59, static_cast<std::uint32_t>(g->ValMin));
    return w.Finish(63);
}

} // namespace kes
