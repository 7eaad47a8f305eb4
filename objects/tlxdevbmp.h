#pragma once
// TLxDevBmp (kind 3): shows a built-in ON picture or OFF picture by the state of one bit.
#include "objects/lxstatebmp.h"

class TLxDevBmp : public TLxObj, public TLxDevRef {
public:
    TLxDevBmp();

    // Picture numbers: 0..17 "BIT-1".."BIT-18", 255 "BIT-0" (no picture); kept as given.
    std::uint8_t OnBmp = 0;
    std::uint8_t OffBmp = 0;
    // 0 OFF, 1 ON.
    std::int32_t CurPt = 0;

    // Store the number and show that picture at once, whatever the state.
    virtual void SetOnBmp(std::uint8_t number);
    virtual void SetOffBmp(std::uint8_t number);
    // State 1 shows the ON picture, any other the OFF picture.
    void SetCurPt(int state);

    void BmpRePaint() override;
    void PaintData(int panelWidth, int panelHeight, std::span<std::uint8_t> bands) override;
    int PrePrnObjInf(TBitmap& page, int x, int y) override;
};
