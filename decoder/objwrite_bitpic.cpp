// Records of the bit pictures, the multi-range and multi-state pictures and the lamp (their
// layouts are in kindlayout.h).
#include "decoder/pgrecobj.h"

#include "objects/objlayout.h"
#include "objects/tactbmp.h"
#include "objects/tlight.h"
#include "objects/tlxadvdevbmp.h"
#include "objects/tlxdevbmp.h"
#include "objects/tvrgbmp.h"

#include <algorithm>

namespace kes {

namespace {

// A state picture's sized picture (none: 0 x 0, no bytes).
std::size_t PutStatePicture(RecWriter& w, std::size_t off, const TBitmap* bmp)
{
    const int pw = bmp != nullptr ? bmp->Width() : 0;
    const int ph = bmp != nullptr ? bmp->Height() : 0;
    const int size = bmp != nullptr ? kes::TStateBmpObj::ActBmpSizeGet(*bmp) : 0;
    return PutSizedPicture(w, off, pw, ph, size,
                           [&](std::span<std::uint8_t> dst) { kes::TStateBmpObj::ActBmpDataGet(dst, *bmp); });
}

// The stored value of state i: its value in value mode, else 0.
std::uint32_t StateValue(const kes::TStateBmpObj& s, int i)
{
    const auto at = static_cast<std::size_t>(i);
    return s.StateMode > 15 && at < s.StateVal.size() ? s.StateVal[at] : 0;
}

// State i as a state picture (StatePic); returns its size.
std::size_t PutStateBlock(RecWriter& w, std::size_t off, const kes::TStateBmpObj& s, int i)
{
    namespace S = layout::StatePic;
    w.U32(off + S::Value, StateValue(s, i));
    return S::Pic + PutStatePicture(w, off + S::Pic, s.StateBmp(i));
}

} // namespace

int LxDevBmpChx(RecOut& out, std::size_t pos, TLxDevBmp& d, const RecEncodeEnv&)
{
    namespace L = layout::LxDevBmp;
    RecWriter w = BeginObjRec(out, pos, d);
    w.ObjRef(L::Ref, d, d.ExtraByte);
    w.U8(L::OnBmp, d.OnBmp);
    w.U8(L::OffBmp, d.OffBmp);
    return w.Finish(L::Size);
}

int LxAdvDevBmpChx(RecOut& out, std::size_t pos, TLxAdvDevBmp& d, const RecEncodeEnv&)
{
    namespace L = layout::LxAdvDevBmp;
    RecWriter w = BeginObjRec(out, pos, d);
    w.ObjRef(L::Ref, d, d.ExtraByte);
    w.U8(L::ModeBit, static_cast<std::uint8_t>((d.ValMode & 0xF0) + (d.BitNo & 0x0F)));
    w.U8(L::OnBmp, d.OnBmp);
    w.U8(L::OffBmp, d.OffBmp);
    return w.Finish(L::Size);
}

int VrgBmpChx(RecOut& out, std::size_t pos, TVrgBmp& v, const RecEncodeEnv&)
{
    namespace L = layout::VrgBmp;
    RecWriter w = BeginObjRec(out, pos, v);
    w.ObjRef(L::Ref, v, v.ExtraByte);
    w.U8(L::OrderType, HighLow(v.RangeOrder, v.ValType));
    w.U8(L::BoundsLen, static_cast<std::uint8_t>((v.VarBounds != 0 ? 0x10 : 0) + (v.ValLen & 0x0F)));
    std::size_t off = L::States;
    for (int i = 0; i < TVrgBmp::kStates; ++i) {
        if (v.VarBounds == 0) {
            w.U32(off, v.StateBound[i]);
            off += L::Bound;
        }
        w.U8(off++, v.StatePic[i]);
    }
    return w.Finish(off);
}

// The stored box is that of the largest state picture: the header's right and bottom are
// written again.
int ActBmpChx(RecOut& out, std::size_t pos, TActBmp& a, const RecEncodeEnv&)
{
    namespace L = layout::ActBmp;
    namespace H = layout::ObjHead;
    RecWriter w = BeginObjRec(out, pos, a);
    w.ObjRef(L::Ref, a, a.ExtraByte);
    w.U8(L::RevType, HighLow(a.StateReverse, a.ValType));
    w.U8(L::StateMode, a.StateMode);
    w.U8(L::TotalState, a.TotalState);
    std::size_t off = L::States;
    int widest = 0;
    int tallest = 0;
    for (int i = 0; i < a.TotalState; ++i) {
        if (const TBitmap* bmp = a.StateBmp(i)) {
            widest = std::max(widest, bmp->Width());
            tallest = std::max(tallest, bmp->Height());
        }
        off += PutStateBlock(w, off, a, i);
    }
    Bytes head;
    a.BaseObjDataChx(head, 0);
    w.U16(H::Right, *GetU16be(head, H::Left) + static_cast<std::uint32_t>(widest) - 1);
    w.U16(H::Bottom, *GetU16be(head, H::Top) + static_cast<std::uint32_t>(tallest) - 1);
    return w.Finish(off);
}

int LightChx(RecOut& out, std::size_t pos, TLight& l, const RecEncodeEnv& env)
{
    namespace L = layout::Light;
    RecWriter w = BeginObjRec(out, pos, l);
    w.ObjRef(L::Ref, l, l.ExtraByte);
    w.U8(L::RevType, HighLow(l.StateReverse, l.ValType));
    w.U8(L::StateMode, l.StateMode);
    w.U8(L::TotalState, l.TotalState);
    w.U8(L::TxtHPos, l.TxtHPos);
    w.U8(L::TxtVPos, l.TxtVPos);
    w.U8(L::BmpHPos, l.BmpHPos);
    w.U8(L::BmpVPos, l.BmpVPos);
    w.U8(L::LampOpt, l.LampOpt);
    const std::size_t fontLen = w.Text(L::FontName, StoredFontName(l, env));
    w.U16(L::FontBytes, static_cast<std::uint32_t>(fontLen));
    std::size_t off = L::FontName + fontLen;
    for (int i = 0; i < l.TotalState; ++i) {
        off += PutStateBlock(w, off, l, i);
        off += PutCountedText(w, off, EntryOr(l.TxtList, i));
        const int size = l.TxtBmpSizeGet(i); // measures TxtW and TxtH
        off += PutSizedPicture(w, off, l.TxtW, l.TxtH, size,
                               [&](std::span<std::uint8_t> dst) { l.TxtBmpDataGet(dst, i); });
    }
    return w.Finish(off);
}

} // namespace kes
