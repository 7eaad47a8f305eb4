#pragma once
// TProgBar (kind 8): a bar graph of a controller word between BarMin and BarMax. The editor
// previews a half-full bar; page images show the bar for CurVal.
#include "objects/lxdevref.h"
#include "objects/tlxobj.h"

#include <cstdint>

class TProgBar : public TLxObj, public TLxDevRef {
public:
    TProgBar();

    std::uint8_t ValType = 0; // 0 unsigned, 1 signed, 2 hexadecimal, 3 BCD; kept for the record
    std::uint8_t ValLen = 0;  // 0 16-bit, 1 32-bit word; kept for the record
    // Growth: 0 from the bottom up, 1 from the top down, 2 from the right, 3 from the left.
    std::uint8_t ProgBarDirect = 0;
    std::int32_t BarMin = 0;
    std::int32_t BarMax = 9999;
    std::uint32_t CurVal = 0;

    // Stores the direction only; the picture changes at the next repaint.
    void SetBarDir(std::uint8_t direction);
    // Draws the bar for v.
    void SetCurVal(std::uint32_t v);
    // Length of the bar for v along an extent of that many pixels (0 when max = min).
    std::uint32_t BarLength(std::uint32_t v, int extent) const;

    void BmpRePaint() override;
    void PaintData(int panelWidth, int panelHeight, std::span<std::uint8_t> bands) override;
    int PrePrnObjInf(TBitmap& page, int x, int y) override;
};
