// Records of the scale, bar graph, round meter and the two curves (their layouts are in
// kindlayout.h).
#include "decoder/pgrecobj.h"

#include "objects/tcirmeter.h"
#include "objects/tlxcurve.h"
#include "objects/tprogbar.h"
#include "objects/tscale.h"

namespace kes {

int ScaleChx(RecOut& out, std::size_t pos, TScale& s, const RecEncodeEnv&)
{
    namespace L = layout::Scale;
    RecWriter w = BeginObjRec(out, pos, s);
    w.U8(L::ScaleDir, s.ScaleDir);
    w.U8(L::MainDiv, s.MainDiv);
    w.U8(L::SubDiv, s.SubDiv);
    w.U32(L::ScaleMax, static_cast<std::uint32_t>(s.ScaleMax));
    w.U32(L::ScaleMin, static_cast<std::uint32_t>(s.ScaleMin));
    w.U8(L::ScaleOpt1, s.ScaleOpt1);
    w.U8(L::ValLen, s.ValLen);
    return w.Finish(L::Picture + PutObjPicture(w, L::Picture, s));
}

int ProgBarChx(RecOut& out, std::size_t pos, TProgBar& p, const RecEncodeEnv&)
{
    namespace L = layout::ProgBar;
    RecWriter w = BeginObjRec(out, pos, p);
    w.ObjRef(L::Ref, p, p.ExtraByte);
    w.U8(L::ValType, p.ValType);
    w.U8(L::ValLen, p.ValLen);
    w.U32(L::BarMax, static_cast<std::uint32_t>(p.BarMax));
    w.U32(L::BarMin, static_cast<std::uint32_t>(p.BarMin));
    w.U8(L::Direct, p.ProgBarDirect);
    return w.Finish(L::Size);
}

// The meter's maximum and minimum keep their low 16 bits.
int CirMeterChx(RecOut& out, std::size_t pos, TCirMeter& m, const RecEncodeEnv&)
{
    namespace L = layout::CirMeter;
    RecWriter w = BeginObjRec(out, pos, m);
    w.ObjRef(L::Ref, m, m.ExtraByte);
    w.U8(L::ValType, m.ValType);
    w.U16(L::MeterMax, m.MeterMax);
    w.U16(L::MeterMin, m.MeterMin);
    w.U8(L::MajorTicks, m.MajorTicks);
    w.U8(L::MinorTicks, m.MinorTicks);
    w.U8(L::FullCircle, m.FullCircle);
    w.U8(L::LabelIntDigits, m.LabelIntDigits);
    w.U8(L::LabelDecimals, m.LabelDecimals);
    return w.Finish(L::Picture + PutObjPicture(w, L::Picture, m));
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

int LxCurveChx(RecOut& out, std::size_t pos, TLxCurve& c, const RecEncodeEnv&)
{
    RecWriter w = BeginObjRec(out, pos, c);
    PutCurve(w, c);
    return w.Finish(layout::LxCurve::Size);
}

int LxXyCurveChx(RecOut& out, std::size_t pos, TLxXyCurve& c, const RecEncodeEnv&)
{
    namespace L = layout::LxXyCurve;
    RecWriter w = BeginObjRec(out, pos, c);
    PutCurve(w, c);
    w.U16(L::XMin, static_cast<std::uint32_t>(c.XMin));
    w.U16(L::XMax, static_cast<std::uint32_t>(c.XMax));
    return w.Finish(L::Size);
}

} // namespace kes
