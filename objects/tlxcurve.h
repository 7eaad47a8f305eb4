#pragma once
// TLxCurve (kind 14) and TLxXyCurve (kind 15): the panel draws the curve; in the editor
// they only hold their rectangle (a button-face placeholder) and the curve settings.
#include "objects/lxdevref.h"
#include "objects/tlxobj.h"

#include <cstdint>

// A trend of a controller word over time.
class TLxCurve : public TLxObj, public TLxDevRef {
public:
    TLxCurve();

    std::int32_t CurveMax = 1000; // value axis; stored as 16 bits
    std::int32_t CurveMin = 0;
    std::uint8_t TrigFlag = 0;    // 0..3, offered as 1..4; low nibble of its stored byte
    std::uint8_t ClearFlag = 0;   // 0..3, offered as 1..4; high nibble
    std::int32_t CurvePoints = 2; // points shown; stored as 16 bits

    void BmpRePaint() override;
    int PrePrnObjInf(TBitmap& page, int x, int y) override;
};

// One word against another.
class TLxXyCurve : public TLxCurve {
public:
    TLxXyCurve();

    std::int32_t XMin = 0; // horizontal axis; stored as 16 bits each
    std::int32_t XMax = 1000;
};
