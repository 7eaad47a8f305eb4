#pragma once
// TVrgBmp (kind 4): shows one of five built-in pictures by the range a word value lies in.
#include "objects/lxstatebmp.h"

#include <array>

class TVrgBmp : public TLxObj, public TLxDevRef {
public:
    TVrgBmp();

    static constexpr int kStates = 5;

    // 0 unsigned, 1 signed, 2 hexadecimal, 3 BCD.
    std::uint8_t ValType = 0;
    // 0 16-bit word, non-zero 32-bit.
    std::uint8_t ValLen = 0;
    // Non-zero: the bounds are not constants of the object (the record leaves them out).
    std::uint8_t VarBounds = 0;
    // Picture number per state, coded as TLxDevBmp's.
    std::array<std::uint8_t, kStates> StatePic{};
    // Lower bound of each state's range.
    std::array<std::uint32_t, kStates> StateBound{};
    // 0 ranges from large to small, non-zero from small to large (state i shows picture 4 - i).
    std::uint8_t RangeOrder = 0;
    std::int32_t TotalState = kStates;
    // 0..4; -1 before the first state is set.
    std::int32_t CurPt = -1;
    std::uint32_t CurVal = 0;

    void SetStateNum(int n) { TotalState = n; }
    void SetCurPt(int state);
    // CurVal := v and the state of its range.
    void SetCurrentRange(std::uint32_t v);
    // The state a value lies in (bounds compared unsigned, 16-bit signed ones sign-extended).
    int StateForValue(std::uint32_t v) const;

    void BmpRePaint() override;
    void PaintData(int panelWidth, int panelHeight, std::span<std::uint8_t> bands) override;
    int PrePrnObjInf(TBitmap& page, int x, int y) override;
};
