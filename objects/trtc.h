#pragma once
// TRtc (kind 16): the panel's clock (time, weekday or date), shown in the editor as a
// built-in sample picture in the cell size of the object's panel font.
#include "objects/lxdevref.h"
#include "objects/tlxobj.h"

#include <cstdint>

class TRtc : public TLxObj, public TLxDevRef {
public:
    TRtc();

    // Low nibble: 0 time, 1 weekday, 2 and above date. High nibble, the clock source: 0 the
    // panel's clock, also written to the device; 1 the controller's, read from the device;
    // 2 the panel's alone (no device).
    std::uint8_t RtcFormat = 0;
    std::uint8_t RtcAlign = 0; // 0 left, 1 right, 2 centre
    std::uint8_t RtcOpt1 = 2;  // kept for the record only
    AnsiString RtcPicName = "HHMMSS_805";
    AnsiString RtcFmtText = "HHMMSS";
    AnsiString RtcCellText = "_805";

    void BmpRePaint() override;
    int PrePrnObjInf(TBitmap& page, int x, int y) override;
};
