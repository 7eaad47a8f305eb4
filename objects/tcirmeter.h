#pragma once
// TCirMeter (kind 9): a round dial (300 degrees or a full circle) with numbered ticks and a
// needle for CurVal, drawn at panel resolution with the object's panel font.
#include "objects/lxdevref.h"
#include "objects/tlxobj.h"

#include <cstdint>
#include <string>
#include <string_view>

class TCirMeter : public TLxObj, public TLxDevRef {
public:
    TCirMeter();

    int DialRadius = 0;       // height / 2, set by every repaint
    std::uint8_t ValType = 0; // low nibble: label format 0 unsigned, 1 signed, 2 hex, 3 BCD
    std::uint32_t MeterMax = 100;
    std::uint32_t MeterMin = 0;
    std::uint8_t MajorTicks = 3; // numbered ticks; fewer than 2 are drawn as 2
    std::uint8_t MinorTicks = 2; // ticks between two numbered ones
    std::uint8_t LabelIntDigits = 3;
    std::uint8_t LabelDecimals = 0;
    std::uint32_t CurVal = 0;
    std::uint8_t FullCircle = 0; // 0 a 300-degree dial, other values a full circle

    // Draws the dial, then the needle for v (limited to MeterMin..MeterMax).
    void MeterPoint(std::uint32_t v);

    void BmpRePaint() override;
    void Paint(TCanvas& canvas) override;
    bool PaintsOpaqueBox() const override;
    void PaintData(int panelWidth, int panelHeight, std::span<std::uint8_t> bands) override;
    int PrePrnObjInf(TBitmap& page, int x, int y) override;

    // Label texts. type 0 and 3 unsigned decimal, 1 signed (32 bits when wide, else the low
    // 16 bits), 2 upper-case hexadecimal; decimals > 0 put a point before the last digits.
    static std::string ValTypeToIntDecString(std::uint32_t v, int type, int wide, int intDigits, int decimals);
    static std::string ValTypeToString(std::uint32_t v, int type, int wide);
    // Type 0 a decimal number (low 32 bits kept), 1 a signed decimal, 2 and 3 the leading
    // hexadecimal digits; other types give 0.
    static int StrToValType(std::string_view text, int type);
    // The same with the decimal point removed first.
    static int StrToIntDecValType(std::string_view text, int type, int decimals);

private:
    // Sweep and start angle of the scale, radians.
    double Sweep() const;
    double StartAngle() const;
};
