// Record readers of the drawn kinds: scale, bar graph, circular meter and the curves.
// Their stored pictures are not read: these objects draw their own.
#include "decoder/objreadutil.h"
#include "objects/tcirmeter.h"
#include "objects/tlxcurve.h"
#include "objects/tprogbar.h"
#include "objects/tscale.h"

namespace kes::morvik {

// Kind 7, scale: 14 ScaleDir | 15 MainDiv | 16 SubDiv | 17 u32 ScaleMax | 21 u32 ScaleMin |
// 25 ScaleOpt1 | 26 ValLen | 27 picture block
int ReadScale(TLxObj& obj, RecReader& r)
{
    int err = 0;
    auto* o = OpenKind<TScale>(obj, r, 27, err);
    if (!o)
        return err;
    o->ScaleDir = r.U8(14);
    o->MainDiv = r.U8(15);
    o->SubDiv = r.U8(16);
    o->ScaleMax = r.I32(17);
    o->ScaleMin = r.I32(21);
    o->ScaleOpt1 = r.U8(25);
    o->ValLen = r.U8(26);
    return StoredLength(r);
}

// Kind 8, bar graph: 14 device reference | 23 ValType | 24 ValLen | 25 u32 BarMax |
// 29 u32 BarMin | 33 ProgBarDirect
int ReadProgBar(TLxObj& obj, RecReader& r)
{
    int err = 0;
    auto* o = OpenKind<TProgBar>(obj, r, 34, err);
    if (!o)
        return err;
    LoadRef(r, 14, *o, o->ExtraByte);
    o->ValType = r.U8(23);
    o->ValLen = r.U8(24);
    o->BarMax = r.I32(25);
    o->BarMin = r.I32(29);
    o->SetBarDir(r.U8(33));
    return StoredLength(r);
}

// Kind 9, circular meter: 14 device reference | 23 ValType | 24 u16 MeterMax | 26 u16 MeterMin |
// 28 MajorTicks | 29 MinorTicks | 30 FullCircle | 31 LabelIntDigits | 32 LabelDecimals |
// 33 picture block. MeterMin is sign-extended (a dial may start below zero); MeterMax is not.
int ReadCirMeter(TLxObj& obj, RecReader& r)
{
    int err = 0;
    auto* o = OpenKind<TCirMeter>(obj, r, 33, err);
    if (!o)
        return err;
    LoadRef(r, 14, *o, o->ExtraByte);
    o->ValType = r.U8(23);
    o->MeterMax = r.U16(24);
    o->MeterMin = static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<std::int16_t>(r.U16(26))));
    o->MajorTicks = r.U8(28);
    o->MinorTicks = r.U8(29);
    o->FullCircle = r.U8(30) != 0;
    o->LabelIntDigits = r.U8(31);
    o->LabelDecimals = r.U8(32);
    return StoredLength(r);
}

// Kind 14, curve: 14 device reference | 23 u16 CurvePoints | 25 (ClearFlag << 4) + TrigFlag |
// 26 u16 CurveMin | 28 u16 CurveMax. Kind 15, X-Y curve: the same, then 30 u16 XMin |
// 32 u16 XMax. The 16-bit fields come back zero-extended.
int ReadLxCurve(TLxObj& obj, RecReader& r)
{
    const bool xy = dynamic_cast<TLxXyCurve*>(&obj) != nullptr;
    int err = 0;
    auto* o = OpenKind<TLxCurve>(obj, r, xy ? 34 : 30, err);
    if (!o)
        return err;
    LoadRef(r, 14, *o, o->ExtraByte);
    o->CurvePoints = r.U16(23);
    const std::uint8_t flags = r.U8(25);
    o->ClearFlag = flags >> 4;
    o->TrigFlag = flags & 0x0F;
    o->CurveMin = r.U16(26);
    o->CurveMax = r.U16(28);
    if (auto* c = dynamic_cast<TLxXyCurve*>(o)) {
        c->XMin = r.U16(30);
        c->XMax = r.U16(32);
    }
    return StoredLength(r);
}

} // namespace kes::morvik
