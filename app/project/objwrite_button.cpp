// Record of the button.
#include "app/project/pgrecobj.h"
#include "app/project/pgsetwrite.h"

#include "objects/tlxbtn.h"

namespace kes {

// Kind 13, button:
//   14 write ref(9) | 23 read ref(9), code -1 when not in use | 32 notify ref(9), code -1
//   when not in use | 41 (notify state << 4) + notify order | 42 TotalState | 43 RefKey |
//   44-47 reserved | 48 Surface | 49 TxtHPos | 50 TxtVPos | 51 BmpHPos | 52 BmpVPos |
//   53 0 | 54 UserLevel (low byte) | 55-61 0 | 62 button type | 63 the function key tail |
//   then per state: u16 width | u16 height | picture block | u16 L | text\0 |
//   u16 text width | u16 text height | u16 byte count | the text in band format
int LxBtnChx(RecOut& out, std::size_t pos, TLxObj& obj, const RecEncodeEnv&)
{
    auto* b = dynamic_cast<TLxBtn*>(&obj);
    if (b == nullptr)
        return 0;
    RecWriter w = BeginObjRec(out, pos, obj);
    PutRefTriple(w, b->WriteDev, b->ReadDev, b->ReadUsed != 0, b->NotifyDev, b->NotifyUsed != 0, b->NotifyState,
                 b->NotifyOrder);
    w.U8(42, b->TotalState);
    w.U8(43, b->RefKey);
    w.U8(48, b->Surface);
    w.U8(49, b->TxtHPos);
    w.U8(50, b->TxtVPos);
    w.U8(51, b->BmpHPos);
    w.U8(52, b->BmpVPos);
    w.U8(53, 0);
    w.U8(54, static_cast<std::uint8_t>(b->UserLevel));
    const std::uint8_t zeros[7] = {};
    w.Raw(55, zeros);
    w.U8(62, b->BtnType);
    FunKeyTail tail;
    tail.Kind = b->ValKind;
    tail.MultiStateFlag = b->MultiFlag;
    tail.ValueType = b->ValType;
    tail.Width = b->ValLen;
    tail.IntDigits = b->IntNum;
    tail.DecDigits = b->DecNum;
    tail.ParamA = b->ParamA;
    tail.ParamB = b->ParamB;
    std::size_t off = 63 + PutFunKeyTail(w, 63, b->BtnType, tail);
    for (int i = 0; i < b->TotalState; ++i) {
        const TBitmap* bmp = b->StateBmp(i);
        w.U16(off, static_cast<std::uint32_t>(bmp != nullptr ? bmp->Width() : 0));
        w.U16(off + 2, static_cast<std::uint32_t>(bmp != nullptr ? bmp->Height() : 0));
        off += 4 + PutBands(w, off + 4, b->BtnBmpSizeGet(i),
                            [&](std::span<std::uint8_t> dst) { b->BtnBmpDataGet(dst, i); });
        off += PutCountedText(w, off, EntryOr(b->TxtList, i));
        w.U16(off, static_cast<std::uint32_t>(b->TxtWidth(i)));
        w.U16(off + 2, static_cast<std::uint32_t>(b->TxtHeight(i)));
        off += 4 + PutBands(w, off + 4, b->TxtBmpSizeGet(i),
                            [&](std::span<std::uint8_t> dst) { b->TxtBmpDataGet(dst, i); });
    }
    return w.Finish(off);
}

} // namespace kes
