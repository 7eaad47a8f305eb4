// Records of the scale, bar graph, circular meter and the two curves.
#include "app/project/pgrecobj.h"

#include "objects/tcirmeter.h"
#include "objects/tlxcurve.h"
#include "objects/tprogbar.h"
#include "objects/tscale.h"

namespace kes {

// Kind 7, scale:
//   14 ScaleDir | 15 MainDiv | 16 SubDiv | 17 u32 ScaleMax | 21 u32 ScaleMin |
//   25 ScaleOpt1 | 26 ValLen | 27 picture block
int ScaleChx(RecOut& out, std::size_t pos, TLxObj& obj, const RecEncodeEnv&)
{
    auto* s = dynamic_cast<TScale*>(&obj);
    if (s == nullptr)
        return 0;
    RecWriter w = BeginObjRec(out, pos, obj);
    w.U8(14, s->ScaleDir);
    w.U8(15, s->MainDiv);
    w.U8(16, s->SubDiv);
    w.U32(17, static_cast<std::uint32_t>(s->ScaleMax));
    w.U32(21, static_cast<std::uint32_t>(s->ScaleMin));
    w.U8(25, s->ScaleOpt1);
    w.U8(26, s->ValLen);
    return w.Finish(27 + PutObjPicture(w, 27, obj));
}

// Kind 8, bar graph:
//   14 ref(9) | 23 ValType | 24 ValLen | 25 u32 BarMax | 29 u32 BarMin | 33 ProgBarDirect
int ProgBarChx(RecOut& out, std::size_t pos, TLxObj& obj, const RecEncodeEnv&)
{
    auto* p = dynamic_cast<TProgBar*>(&obj);
    if (p == nullptr)
        return 0;
    RecWriter w = BeginObjRec(out, pos, obj);
    w.ObjRef(14, *p, p->ExtraByte);
    w.U8(23, p->ValType);
    w.U8(24, p->ValLen);
    w.U32(25, static_cast<std::uint32_t>(p->BarMax));
    w.U32(29, static_cast<std::uint32_t>(p->BarMin));
    w.U8(33, p->ProgBarDirect);
    return w.Finish(34);
}

// Kind 9, circular meter:
//   14 ref(9) | 23 ValType | 24 u16 MeterMax | 26 u16 MeterMin (low 16 bits each) |
//   28 MajorTicks | 29 MinorTicks | 30 FullCircle | 31 LabelIntDigits | 32 LabelDecimals |
//   33 picture block
int CirMeterChx(RecOut& out, std::size_t pos, TLxObj& obj, const RecEncodeEnv&)
{
    auto* m = dynamic_cast<TCirMeter*>(&obj);
    if (m == nullptr)
        return 0;
    RecWriter w = BeginObjRec(out, pos, obj);
    w.ObjRef(14, *m, m->ExtraByte);
    w.U8(23, m->ValType);
    w.U16(24, m->MeterMax);
    w.U16(26, m->MeterMin);
    w.U8(28, m->MajorTicks);
    w.U8(29, m->MinorTicks);
    w.U8(30, m->FullCircle);
    w.U8(31, m->LabelIntDigits);
    w.U8(32, m->LabelDecimals);
    return w.Finish(33 + PutObjPicture(w, 33, obj));
}

namespace {

// The part both curves share:
//   14 ref(9) | 23 u16 CurvePoints | 25 (ClearFlag << 4) + TrigFlag | 26 u16 CurveMin |
//   28 u16 CurveMax
void PutCurve(RecWriter& w, TLxCurve& c)
{
    w.ObjRef(14, c, c.ExtraByte);
    w.U16(23, static_cast<std::uint32_t>(c.CurvePoints));
    w.U8(25, HighLow(c.ClearFlag, c.TrigFlag));
    w.U16(26, static_cast<std::uint32_t>(c.CurveMin));
    w.U16(28, static_cast<std::uint32_t>(c.CurveMax));
}

} // namespace

// Kind 14, curve: the shared part; 30 bytes.
int LxCurveChx(RecOut& out, std::size_t pos, TLxObj& obj, const RecEncodeEnv&)
{
    auto* c = dynamic_cast<TLxCurve*>(&obj);
    if (c == nullptr)
        return 0;
    RecWriter w = BeginObjRec(out, pos, obj);
    PutCurve(w, *c);
    return w.Finish(30);
}

// Kind 15, X-Y curve: the shared part, then 30 u16 XMin | 32 u16 XMax.
int LxXyCurveChx(RecOut& out, std::size_t pos, TLxObj& obj, const RecEncodeEnv&)
{
    auto* c = dynamic_cast<TLxXyCurve*>(&obj);
    if (c == nullptr)
        return 0;
    RecWriter w = BeginObjRec(out, pos, obj);
    PutCurve(w, *c);
    w.U16(30, static_cast<std::uint32_t>(c->XMin));
    w.U16(32, static_cast<std::uint32_t>(c->XMax));
    return w.Finish(34);
}

} // namespace kes
