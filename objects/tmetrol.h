#pragma once
// TMetrol (kind 19): a small built-in picture of a measurement unit symbol (length, area,
// volume, weight, speed, time, temperature).
#include "objects/tlxobj.h"

#include <cstdint>

class TMetrol : public TLxObj {
public:
    TMetrol();

    std::int32_t MetrolIndex = 0; // which symbol of the quantity, from 0
    std::int32_t MetrolType = 0;  // the quantity, 0..6
    AnsiString MetrolPicName = "SLENGTH_1";
    AnsiString MetrolPrefix = "SLENGTH";
    AnsiString MetrolSuffix = "_1";

    // Symbols per quantity, in MetrolType order.
    static constexpr int kSymbolCounts[7] = {7, 6, 4, 4, 4, 4, 2};

    // Store the quantity (an unknown one keeps the prefix) or the index and rebuild the
    // picture name; neither redraws.
    void MetrolTypeSet(int type);
    void MetrolIndexSet(int index);
    // Loads the named symbol (blank, at the size it had, when there is no such symbol),
    // spreads it over the grid and sizes the object to it.
    void BmpRePaint() override;
    void PaintData(int panelWidth, int panelHeight, std::span<std::uint8_t> bands) override;
};
