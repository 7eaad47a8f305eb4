#pragma once
// TScale (kind 7): a ruler with numbered major ticks and minor ticks between them, drawn
// at panel resolution with the object's panel font. It has no device.
#include "objects/tlxobj.h"

#include <cstdint>

class TScale : public TLxObj {
public:
    TScale();

    // Low nibble: where the numbers stand: 0 above a baseline at the bottom, 1 below a
    // baseline at the top, 2 left of a baseline at the right, 3 right of a baseline at the
    // left. High nibble 1: the numbers run from the maximum down.
    std::uint8_t ScaleDir = 0;
    std::uint8_t MainDiv = 5;   // numbered major ticks; fewer than 2 are drawn as 2
    std::uint8_t SubDiv = 2;    // minor ticks between two major ticks
    std::uint8_t ScaleOpt1 = 1; // kept for the record only
    std::uint8_t ValLen = 0;    // 0 16 bits, 1 32 bits; kept for the record only
    std::int32_t ScaleMax = 100;
    std::int32_t ScaleMin = 0;

    void BmpRePaint() override;
    void PaintData(int panelWidth, int panelHeight, std::span<std::uint8_t> bands) override;

    // The text of major tick r of the MainDiv (at least 2) ticks.
    AnsiString LabelText(int r) const;
};
