// Record readers of the drawn kinds: scale, bar graph, circular meter and the curves.
// Their stored pictures are not read: these objects draw their own.
#include "decoder/kindlayout.h"
#include "decoder/objreadutil.h"
#include "objects/tcirmeter.h"
#include "objects/tlxcurve.h"
#include "objects/tprogbar.h"
#include "objects/tscale.h"

namespace kes::morvik {

// The scale.
int ReadScale(TLxObj& obj, RecReader& r)
{
    namespace L = layout::Scale;
    int err = 0;
    auto* o = OpenKind<TScale>(obj, r, L::Picture, err);
    if (!o)
        return err;
    o->ScaleDir = r.U8(L::ScaleDir);
    o->MainDiv = r.U8(L::MainDiv);
    o->SubDiv = r.U8(L::SubDiv);
    o->ScaleMax = r.I32(L::ScaleMax);
    o->ScaleMin = r.I32(L::ScaleMin);
    o->ScaleOpt1 = r.U8(L::ScaleOpt1);
    o->ValLen = r.U8(L::ValLen);
    return StoredLength(r);
}

// The bar graph.
int ReadProgBar(TLxObj& obj, RecReader& r)
{
    namespace L = layout::ProgBar;
    int err = 0;
    auto* o = OpenKind<TProgBar>(obj, r, L::Size, err);
    if (!o)
        return err;
    LoadRef(r, L::Ref, *o, o->ExtraByte);
    o->ValType = r.U8(L::ValType);
    o->ValLen = r.U8(L::ValLen);
    o->BarMax = r.I32(L::BarMax);
    o->BarMin = r.I32(L::BarMin);
    o->SetBarDir(r.U8(L::Direct));
    return StoredLength(r);
}

// The round meter. MeterMin is sign-extended (a dial may start below zero); MeterMax is not.
int ReadCirMeter(TLxObj& obj, RecReader& r)
{
    namespace L = layout::CirMeter;
    int err = 0;
    auto* o = OpenKind<TCirMeter>(obj, r, L::Picture, err);
    if (!o)
        return err;
    LoadRef(r, L::Ref, *o, o->ExtraByte);
    o->ValType = r.U8(L::ValType);
    o->MeterMax = r.U16(L::MeterMax);
    o->MeterMin =
        static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<std::int16_t>(r.U16(L::MeterMin))));
    o->MajorTicks = r.U8(L::MajorTicks);
    o->MinorTicks = r.U8(L::MinorTicks);
    o->FullCircle = r.U8(L::FullCircle) != 0;
    o->LabelIntDigits = r.U8(L::LabelIntDigits);
    o->LabelDecimals = r.U8(L::LabelDecimals);
    return StoredLength(r);
}

// The trend curve and the X-Y curve. The 16-bit fields come back zero-extended.
int ReadLxCurve(TLxObj& obj, RecReader& r)
{
    namespace L = layout::LxCurve;
    namespace X = layout::LxXyCurve;
    const bool xy = dynamic_cast<TLxXyCurve*>(&obj) != nullptr;
    int err = 0;
    auto* o = OpenKind<TLxCurve>(obj, r, xy ? X::Size : L::Size, err);
    if (!o)
        return err;
    LoadRef(r, L::Ref, *o, o->ExtraByte);
    o->CurvePoints = r.U16(L::CurvePoints);
    const std::uint8_t flags = r.U8(L::Flags);
    o->ClearFlag = flags >> 4;
    o->TrigFlag = flags & 0x0F;
    o->CurveMin = r.U16(L::CurveMin);
    o->CurveMax = r.U16(L::CurveMax);
    if (auto* c = dynamic_cast<TLxXyCurve*>(o)) {
        c->XMin = r.U16(X::XMin);
        c->XMax = r.U16(X::XMax);
    }
    return StoredLength(r);
}

} // namespace kes::morvik
