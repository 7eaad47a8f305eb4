// Record of the button (its layout is in kindlayout.h).
#include "decoder/pgrecobj.h"
#include "decoder/pgsetwrite.h"

#include "objects/tlxbtn.h"

namespace kes {

int LxBtnChx(RecOut& out, std::size_t pos, TLxBtn& b, const RecEncodeEnv&)
{
    namespace L = layout::LxBtn;
    RecWriter w = BeginObjRec(out, pos, b);
    PutRefTriple(w, b.WriteDev, b.ReadDev, b.ReadUsed != 0, b.NotifyDev, b.NotifyUsed != 0, b.NotifyState,
                 b.NotifyOrder);
    w.U8(L::TotalState, b.TotalState);
    w.U8(L::RefKey, b.RefKey);
    w.U8(L::Surface, b.Surface);
    w.U8(L::TxtHPos, b.TxtHPos);
    w.U8(L::TxtVPos, b.TxtVPos);
    w.U8(L::BmpHPos, b.BmpHPos);
    w.U8(L::BmpVPos, b.BmpVPos);
    w.U8(L::Transparent, 0);
    w.U8(L::UserLevel, static_cast<std::uint8_t>(b.UserLevel));
    const std::uint8_t zeros[L::ZeroCount] = {};
    w.Raw(L::Zeros, zeros);
    w.U8(L::BtnType, kes::BtnCode(b.BtnType));
    FunKeyTail tail;
    tail.Kind = b.ValKind;
    tail.MultiStateFlag = b.MultiFlag;
    tail.ValueType = b.ValType;
    tail.Width = b.ValLen;
    tail.IntDigits = b.IntNum;
    tail.DecDigits = b.DecNum;
    tail.ParamA = b.ParamA;
    tail.ParamB = b.ParamB;
    std::size_t off = L::Tail + PutFunKeyTail(w, L::Tail, b.BtnType, tail);
    for (int i = 0; i < b.TotalState; ++i) {
        const TBitmap* bmp = b.StateBmp(i);
        const int pw = bmp != nullptr ? bmp->Width() : 0;
        const int ph = bmp != nullptr ? bmp->Height() : 0;
        off += PutSizedPicture(w, off, pw, ph, b.BtnBmpSizeGet(i),
                               [&](std::span<std::uint8_t> dst) { b.BtnBmpDataGet(dst, i); });
        off += PutCountedText(w, off, EntryOr(b.TxtList, i));
        const int tw = b.TxtWidth(i);
        const int th = b.TxtHeight(i);
        off += PutSizedPicture(w, off, tw, th, b.TxtBmpSizeGet(i),
                               [&](std::span<std::uint8_t> dst) { b.TxtBmpDataGet(dst, i); });
    }
    return w.Finish(off);
}

} // namespace kes
