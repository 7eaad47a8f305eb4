#pragma once
// TRectMeter (kind 10): a rectangular meter with a quarter-circle scale on a button-face
// panel and a red needle. Editor only: it has no record and adds nothing to page images.
// The picture holds the face; the needle is drawn over it by Paint from NeedleVal.
#include "objects/lxdevref.h"
#include "objects/tlxobj.h"

#include <cstdint>

class TRectMeter : public TLxObj, public TLxDevRef {
public:
    // Steps of the needle's sweep between two values, however far apart they are: the
    // sweep stays short enough not to hold up the editor.
    static constexpr int kMaxNeedleSteps = 10;
    // Upper bound of the pause per step, milliseconds.
    static constexpr int kMaxStepDelay = 20;

    TRectMeter();

    // Number format the limits are typed in (0 unsigned, 1 signed, 2 hexadecimal, 3 BCD);
    // the face shows them in decimal.
    std::uint8_t ValType = 0;
    std::int32_t MeterMax = 100;
    std::int32_t MeterMin = 0;
    std::uint8_t MajorTicks = 3; // numbered ticks; fewer than 2 are drawn as 2
    std::uint8_t MinorTicks = 2;
    std::uint8_t LabelIntDigits = 3;
    std::uint8_t LabelDecimals = 0;
    std::int32_t NeedleVal = 0; // value the needle stands at
    // Set by the repaint, in panel dots and radians.
    int NeedleLen = 0;
    int PivotX = 0;
    int PivotY = 0;
    double MajorAngle = 0;
    double MinorAngle = 0;
    std::uint8_t NeedleShown = 0; // 0: no needle on the screen yet
    int NeedleDelay = 20;         // milliseconds per step of the sweep

    void BmpRePaint() override;
    // Moves the needle to v (limited to MeterMin..MeterMax): a short sweep through the
    // host's repaints when a needle is already shown, else straight there.
    void MeterPoint(int v);
    // The face stretched over the control, the needle at NeedleVal, then the handles.
    void Paint(TCanvas& canvas) override;
    bool PaintsOpaqueBox() const override;
    int PrePrnObjInf(TBitmap& page, int x, int y) override;

    // Needle angle of a value, radians (pi / 4 at the minimum, 3 pi / 4 at the maximum).
    double NeedleAngle(int v) const;
    int ClampToRange(int v) const;

private:
    void DrawNeedle(TCanvas& canvas, int v) const;
};
