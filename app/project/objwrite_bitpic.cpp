// Records of the bit pictures, the multi-range and multi-state pictures and the lamp.
#include "app/project/pgrecobj.h"

#include "objects/tactbmp.h"
#include "objects/tlight.h"
#include "objects/tlxadvdevbmp.h"
#include "objects/tlxdevbmp.h"
#include "objects/tvrgbmp.h"

#include <algorithm>

namespace kes {

namespace {

// u16 width | u16 height | picture block of a state picture (none: 0 x 0, no bytes).
std::size_t PutStatePicture(RecWriter& w, std::size_t off, const TBitmap* bmp)
{
    const int pw = bmp != nullptr ? bmp->Width() : 0;
    const int ph = bmp != nullptr ? bmp->Height() : 0;
    w.U16(off, static_cast<std::uint32_t>(pw));
    w.U16(off + 2, static_cast<std::uint32_t>(ph));
    const int size = bmp != nullptr ? kes::TStateBmpObj::ActBmpSizeGet(*bmp) : 0;
    return 4 + PutBands(w, off + 4, size,
                        [&](std::span<std::uint8_t> dst) { kes::TStateBmpObj::ActBmpDataGet(dst, *bmp); });
}

// The stored value of state i: its value in value mode, else 0.
std::uint32_t StateValue(const kes::TStateBmpObj& s, int i)
{
    const auto at = static_cast<std::size_t>(i);
    return s.StateMode > 15 && at < s.StateVal.size() ? s.StateVal[at] : 0;
}

} // namespace

// Kind 3, bit picture:
//   14 ref(9) | 23 OnBmp | 24 OffBmp
int LxDevBmpChx(RecOut& out, std::size_t pos, TLxObj& obj, const RecEncodeEnv&)
{
    auto* d = dynamic_cast<TLxDevBmp*>(&obj);
    if (d == nullptr)
        return 0;
    RecWriter w = BeginObjRec(out, pos, obj);
    w.ObjRef(14, *d, d->ExtraByte);
    w.U8(23, d->OnBmp);
    w.U8(24, d->OffBmp);
    return w.Finish(25);
}

// Kind 21, bit picture of a word:
//   14 ref(9) | 23 ValMode (high nibble) + BitNo (low nibble) | 24 OnBmp | 25 OffBmp
int LxAdvDevBmpChx(RecOut& out, std::size_t pos, TLxObj& obj, const RecEncodeEnv&)
{
    auto* d = dynamic_cast<TLxAdvDevBmp*>(&obj);
    if (d == nullptr)
        return 0;
    RecWriter w = BeginObjRec(out, pos, obj);
    w.ObjRef(14, *d, d->ExtraByte);
    w.U8(23, static_cast<std::uint8_t>((d->ValMode & 0xF0) + (d->BitNo & 0x0F)));
    w.U8(24, d->OnBmp);
    w.U8(25, d->OffBmp);
    return w.Finish(26);
}

// Kind 4, multi-range picture:
//   14 ref(9) | 23 (RangeOrder << 4) + ValType | 24 VarBounds (0 or 0x10) + ValLen |
//   25 per state 0..4: u32 StateBound (only without VarBounds), u8 StatePic
int VrgBmpChx(RecOut& out, std::size_t pos, TLxObj& obj, const RecEncodeEnv&)
{
    auto* v = dynamic_cast<TVrgBmp*>(&obj);
    if (v == nullptr)
        return 0;
    RecWriter w = BeginObjRec(out, pos, obj);
    w.ObjRef(14, *v, v->ExtraByte);
    w.U8(23, HighLow(v->RangeOrder, v->ValType));
    w.U8(24, static_cast<std::uint8_t>((v->VarBounds != 0 ? 0x10 : 0) + (v->ValLen & 0x0F)));
    std::size_t off = 25;
    for (int i = 0; i < TVrgBmp::kStates; ++i) {
        if (v->VarBounds == 0) {
            w.U32(off, v->StateBound[i]);
            off += 4;
        }
        w.U8(off++, v->StatePic[i]);
    }
    return w.Finish(off);
}

// Kind 6, multi-state picture:
//   14 ref(9) | 23 (StateReverse << 4) + ValType | 24 StateMode | 25 TotalState |
//   26 per state: u32 StateVal (0 in bit mode) | u16 width | u16 height | picture block
// The stored box is that of the largest state picture: header 8-11 are written again.
int ActBmpChx(RecOut& out, std::size_t pos, TLxObj& obj, const RecEncodeEnv&)
{
    auto* a = dynamic_cast<TActBmp*>(&obj);
    if (a == nullptr)
        return 0;
    RecWriter w = BeginObjRec(out, pos, obj);
    w.ObjRef(14, *a, a->ExtraByte);
    w.U8(23, HighLow(a->StateReverse, a->ValType));
    w.U8(24, a->StateMode);
    w.U8(25, a->TotalState);
    std::size_t off = 26;
    int widest = 0;
    int tallest = 0;
    for (int i = 0; i < a->TotalState; ++i) {
        const TBitmap* bmp = a->StateBmp(i);
        if (bmp != nullptr) {
            widest = std::max(widest, bmp->Width());
            tallest = std::max(tallest, bmp->Height());
        }
        w.U32(off, StateValue(*a, i));
        off += 4 + PutStatePicture(w, off + 4, bmp);
    }
    Bytes head;
    obj.BaseObjDataChx(head, 0);
    w.U16(8, *GetU16be(head, 4) + static_cast<std::uint32_t>(widest) - 1);
    w.U16(10, *GetU16be(head, 6) + static_cast<std::uint32_t>(tallest) - 1);
    return w.Finish(off);
}

// Kind 18, lamp:
//   14 ref(9) | 23 (StateReverse << 4) + ValType | 24 StateMode | 25 TotalState |
//   26 TxtHPos | 27 TxtVPos | 28 BmpHPos | 29 BmpVPos | 30 LampOpt | 31 u16 F |
//   33 font name\0 (F bytes) | then per state: u32 StateVal (0 in bit mode) | u16 width |
//   u16 height | picture block | u16 L | text\0 | u16 text width | u16 text height |
//   u16 byte count | the text in band format
int LightChx(RecOut& out, std::size_t pos, TLxObj& obj, const RecEncodeEnv& env)
{
    auto* l = dynamic_cast<TLight*>(&obj);
    if (l == nullptr)
        return 0;
    RecWriter w = BeginObjRec(out, pos, obj);
    w.ObjRef(14, *l, l->ExtraByte);
    w.U8(23, HighLow(l->StateReverse, l->ValType));
    w.U8(24, l->StateMode);
    w.U8(25, l->TotalState);
    w.U8(26, l->TxtHPos);
    w.U8(27, l->TxtVPos);
    w.U8(28, l->BmpHPos);
    w.U8(29, l->BmpVPos);
    w.U8(30, l->LampOpt);
    const std::size_t fontLen = w.Text(33, StoredFontName(obj, env));
    w.U16(31, static_cast<std::uint32_t>(fontLen));
    std::size_t off = 33 + fontLen;
    for (int i = 0; i < l->TotalState; ++i) {
        w.U32(off, StateValue(*l, i));
        off += 4;
        off += PutStatePicture(w, off, l->StateBmp(i));
        off += PutCountedText(w, off, EntryOr(l->TxtList, i));
        const int size = l->TxtBmpSizeGet(i); // measures TxtW and TxtH
        w.U16(off, static_cast<std::uint32_t>(l->TxtW));
        w.U16(off + 2, static_cast<std::uint32_t>(l->TxtH));
        off += 4 + PutBands(w, off + 4, size, [&](std::span<std::uint8_t> dst) { l->TxtBmpDataGet(dst, i); });
    }
    return w.Finish(off);
}

} // namespace kes
