// Records of the scale, bar graph, round meter and the two curves (their layouts are in
// kindlayout.h).
#include "decoder/pgrecobj.h"

#include "objects/tcirmeter.h"
#include "objects/tlxcurve.h"
#include "objects/tprogbar.h"
#include "objects/tscale.h"

namespace kes {

int ScaleChx(RecOut& out, std::size_t pos, TLxObj& obj, const RecEncodeEnv&)
{
    namespace L = layout::Scale;
    auto* s = dynamic_cast<TScale*>(&obj);
    if (s == nullptr)
        return 0;
    RecWriter w = BeginObjRec(out, pos, obj);
    w.U8(L::ScaleDir, s->ScaleDir);
    w.U8(L::MainDiv, s->MainDiv);
    w.U8(L::SubDiv, s->SubDiv);
    w.U32(L::ScaleMax, static_cast<std::uint32_t>(s->ScaleMax));
    w.U32(L::ScaleMin, static_cast<std::uint32_t>(s->ScaleMin));
    w.U8(L::ScaleOpt1, s->ScaleOpt1);
    w.U8(L::ValLen, s->ValLen);
    return w.Finish(L::Picture + PutObjPicture(w, L::Picture, obj));
}

int ProgBarChx(RecOut& out, std::size_t pos, TLxObj& obj, const RecEncodeEnv&)
{
    namespace L = layout::ProgBar;
    auto* p = dynamic_cast<TProgBar*>(&obj);
    if (p == nullptr)
        return 0;
    RecWriter w = BeginObjRec(out, pos, obj);
    w.ObjRef(L::Ref, *p, p->ExtraByte);
    w.U8(L::ValType, p->ValType);
    w.U8(L::ValLen, p->ValLen);
    w.U32(L::BarMax, static_cast<std::uint32_t>(p->BarMax));
    w.U32(L::BarMin, static_cast<std::uint32_t>(p->BarMin));
    w.U8(L::Direct, p->ProgBarDirect);
    return w.Finish(L::Size);
}

// The meter's maximum and minimum keep their low 16 bits.
int CirMeterChx(RecOut& out, std::size_t pos, TLxObj& obj, const RecEncodeEnv&)
{
    namespace L = layout::CirMeter;
    auto* m = dynamic_cast<TCirMeter*>(&obj);
    if (m == nullptr)
        return 0;
    RecWriter w = BeginObjRec(out, pos, obj);
    w.ObjRef(L::Ref, *m, m->ExtraByte);
    w.U8(L::ValType, m->ValType);
    w.U16(L::MeterMax, m->MeterMax);
    w.U16(L::MeterMin, m->MeterMin);
    w.U8(L::MajorTicks, m->MajorTicks);
    w.U8(L::MinorTicks, m->MinorTicks);
    w.U8(L::FullCircle, m->FullCircle);
    w.U8(L::LabelIntDigits, m->LabelIntDigits);
    w.U8(L::LabelDecimals, m->LabelDecimals);
    return w.Finish(L::Picture + PutObjPicture(w, L::Picture, obj));
}

namespace {

// The part both curves share.
void PutCurve(RecWriter& w, TLxCurve& c)
{
    namespace L = layout::LxCurve;
    w.ObjRef(L::Ref, c, c.ExtraByte);
    w.U16(L::CurvePoints, static_cast<std::uint32_t>(c.CurvePoints));
    w.U8(L::Flags, HighLow(c.ClearFlag, c.TrigFlag));
    w.U16(L::CurveMin, static_cast<std::uint32_t>(c.CurveMin));
    w.U16(L::CurveMax, static_cast<std::uint32_t>(c.CurveMax));
}

} // namespace

int LxCurveChx(RecOut& out, std::size_t pos, TLxObj& obj, const RecEncodeEnv&)
{
    auto* c = dynamic_cast<TLxCurve*>(&obj);
    if (c == nullptr)
        return 0;
    RecWriter w = BeginObjRec(out, pos, obj);
    PutCurve(w, *c);
    return w.Finish(layout::LxCurve::Size);
}

int LxXyCurveChx(RecOut& out, std::size_t pos, TLxObj& obj, const RecEncodeEnv&)
{
    namespace L = layout::LxXyCurve;
    auto* c = dynamic_cast<TLxXyCurve*>(&obj);
    if (c == nullptr)
        return 0;
    RecWriter w = BeginObjRec(out, pos, obj);
    PutCurve(w, *c);
    w.U16(L::XMin, static_cast<std::uint32_t>(c->XMin));
    w.U16(L::XMax, static_cast<std::uint32_t>(c->XMax));
    return w.Finish(L::Size);
}

} // namespace kes
