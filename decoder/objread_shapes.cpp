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
int ReadScale(TScale& obj, RecReader& r)
{
    namespace L = layout::Scale;
    int err = 0;
    if (!OpenKind(obj, r, L::Picture, err))
        return err;
    obj.ScaleDir = r.U8(L::ScaleDir);
    obj.MainDiv = r.U8(L::MainDiv);
    obj.SubDiv = r.U8(L::SubDiv);
    obj.ScaleMax = r.I32(L::ScaleMax);
    obj.ScaleMin = r.I32(L::ScaleMin);
    obj.ScaleOpt1 = r.U8(L::ScaleOpt1);
    obj.ValLen = r.U8(L::ValLen);
    return StoredLength(r);
}

// The bar graph.
int ReadProgBar(TProgBar& obj, RecReader& r)
{
    namespace L = layout::ProgBar;
    int err = 0;
    if (!OpenKind(obj, r, L::Size, err))
        return err;
    LoadRef(r, L::Ref, obj, obj.ExtraByte);
    obj.ValType = r.U8(L::ValType);
    obj.ValLen = r.U8(L::ValLen);
    obj.BarMax = r.I32(L::BarMax);
    obj.BarMin = r.I32(L::BarMin);
    obj.SetBarDir(r.U8(L::Direct));
    return StoredLength(r);
}

// The round meter. MeterMin is sign-extended (a dial may start below zero); MeterMax is not.
int ReadCirMeter(TCirMeter& obj, RecReader& r)
{
    namespace L = layout::CirMeter;
    int err = 0;
    if (!OpenKind(obj, r, L::Picture, err))
        return err;
    LoadRef(r, L::Ref, obj, obj.ExtraByte);
    obj.ValType = r.U8(L::ValType);
    obj.MeterMax = r.U16(L::MeterMax);
    obj.MeterMin = static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<std::int16_t>(r.U16(L::MeterMin))));
    obj.MajorTicks = r.U8(L::MajorTicks);
    obj.MinorTicks = r.U8(L::MinorTicks);
    obj.FullCircle = r.U8(L::FullCircle) != 0;
    obj.LabelIntDigits = r.U8(L::LabelIntDigits);
    obj.LabelDecimals = r.U8(L::LabelDecimals);
    return StoredLength(r);
}

namespace {

// The trend curve, and the X-Y curve (xy) with its X range after the shared part. The 16-bit
// fields come back zero-extended.
int ReadCurve(TLxCurve& obj, TLxXyCurve* xy, RecReader& r)
{
    namespace L = layout::LxCurve;
    namespace X = layout::LxXyCurve;
    int err = 0;
    if (!OpenKind(obj, r, xy ? X::Size : L::Size, err))
        return err;
    LoadRef(r, L::Ref, obj, obj.ExtraByte);
    obj.CurvePoints = r.U16(L::CurvePoints);
    const std::uint8_t flags = r.U8(L::Flags);
    obj.ClearFlag = flags >> 4;
    obj.TrigFlag = flags & 0x0F;
    obj.CurveMin = r.U16(L::CurveMin);
    obj.CurveMax = r.U16(L::CurveMax);
    if (xy) {
        xy->XMin = r.U16(X::XMin);
        xy->XMax = r.U16(X::XMax);
    }
    return StoredLength(r);
}

} // namespace

int ReadLxCurve(TLxCurve& obj, RecReader& r) { return ReadCurve(obj, nullptr, r); }

int ReadLxXyCurve(TLxXyCurve& obj, RecReader& r) { return ReadCurve(obj, &obj, r); }

} // namespace kes::morvik
