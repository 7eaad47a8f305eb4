// TRectMeter: the face with its quarter-circle scale, and the needle over it.
#include "objects/trectmeter.h"
#include "objects/objkind.h"

#include "objects/lxshapekit.h"
#include "objects/lxtextkit.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <thread>

namespace {

constexpr double kPi = std::numbers::pi;

} // namespace

TRectMeter::TRectMeter()
{
    DevAddrCode = 4096;
    DevText = "D0";
    RefDevForm = 1;
    SetObjType(kes::KindCode(kes::ObjKind::RectMeter));
    SizeSetsPicture = true;
    SetWidth(70);
    SetHeight(35);
    FontSet(0);
    BmpRePaint();
}

int TRectMeter::ClampToRange(int v) const
{
    if (v > MeterMax)
        v = MeterMax;
    if (v < MeterMin)
        v = MeterMin;
    return v;
}

double TRectMeter::NeedleAngle(int v) const
{
    // A range of one value, or upside down, has no direction: the start of the scale.
    if (MeterMax <= MeterMin)
        return kPi / 4;
    const double from = static_cast<double>(std::int64_t{ClampToRange(v)} - MeterMin);
    return from * (kPi / 2) / static_cast<double>(std::int64_t{MeterMax} - MeterMin) + kPi / 4;
}

// Drawn at panel resolution, W x H; the scale is the upper quarter of a circle of radius
// (W - 8) / 2 whose centre is the needle's pivot.
void TRectMeter::BmpRePaint()
{
    if (kes::PaintHold::Held())
        return;
    if (!kes::BeginPanelPicture(*this))
        return;
    FontSet(fontsize);
    TCanvas& c = *Picture.Canvas();
    const int w = Picture.Width();
    const int h = Picture.Height();
    const int fh = std::abs(c.Font.Height());
    c.Pen = TPen{};
    c.Brush = TBrush{clBtnFace, bsSolid};
    c.Rectangle(0, 0, w, h);

    NeedleLen = (w - 8) / 2;
    const int r = NeedleLen;
    const int x1 = 4;
    const int x2 = w - 4;
    const int y1 = 2 + (((h - 6) / 2) * 6) / 4;
    const int y2 = y1 + w - 8;
    c.Arc(x1, y1, x2, y2, x2 - r / 2, y1 + r / 2, x1 + r / 2, y1 + r / 2);
    PivotX = w / 2;
    PivotY = (y1 + y2) / 2;

    // The dialog never gives fewer than 2 numbered ticks; a record may, and the spacing
    // divides by their count less one.
    const int n = std::max<int>(MajorTicks, 2);
    const int m = MinorTicks;
    MajorAngle = (kPi / 2) / (n - 1);
    MinorAngle = MajorAngle / (m + 1);
    const std::int64_t valueStep = (std::int64_t{MeterMax} - MeterMin) / (n - 1);

    for (int i = 0; i < n; ++i) {
        const double t = kPi / 4 + i * MajorAngle;
        kes::DialTick(c, PivotX, PivotY, t, r, r + 10, 2);

        const std::string text = std::to_string(i == n - 1 ? std::int64_t{MeterMax} : MeterMin + i * valueStep);
        const int tw = c.TextWidth(text);
        const TPoint end = kes::DialPoint(PivotX, PivotY, t, r + 10);
        // Both moves take the number left of the tick's outer end, and up by a line.
        int x =
            t > kPi / 2 ? static_cast<int>(end.x + std::cos(t) * (tw / 2)) : static_cast<int>(end.x - std::cos(t) * tw);
        const int y = end.y - fh;
        if (i == n - 1)
            x = w - tw - 2;
        else if (i == (n - 1) / 2)
            x -= tw / 2;
        c.TextOut(x, y, text);

        for (int j = 1; i < n - 1 && j <= m; ++j)
            kes::DialTick(c, PivotX, PivotY, t + j * MinorAngle, r, r + 6, 1);
    }
    c.Pen = TPen{};
    kes::GrowFromPanel(*this);
    Invalidate();
}

void TRectMeter::MeterPoint(int v)
{
    v = ClampToRange(v);
    // One value per step made a long sweep hold the editor for minutes: a few even steps,
    // each shown by the host, end where the single move would.
    if (NeedleShown && v != NeedleVal && Host()) {
        const std::int64_t from = NeedleVal;
        const std::int64_t distance = std::int64_t{v} - from;
        const int steps = static_cast<int>(std::min<std::int64_t>(std::llabs(distance), kMaxNeedleSteps));
        const auto pause = std::chrono::milliseconds(std::clamp(NeedleDelay, 0, kMaxStepDelay));
        for (int s = 1; s < steps; ++s) {
            NeedleVal = static_cast<int>(from + distance * s / steps);
            Repaint();
            std::this_thread::sleep_for(pause);
        }
    }
    NeedleVal = v;
    NeedleShown = 1;
    Repaint();
}

void TRectMeter::DrawNeedle(TCanvas& canvas, int v) const
{
    const int pw = Picture.Width() / GridW();
    const int ph = Picture.Height() / GridH();
    if (pw <= 0 || ph <= 0)
        return;
    // Pivot and length are in panel dots; the control shows each as Width / pw screen
    // pixels across and Height / ph down.
    const double px = static_cast<double>(std::int64_t{PivotX} * Width / pw);
    const double py = static_cast<double>(std::int64_t{PivotY} * Height / ph);
    const double lenX = static_cast<double>(std::int64_t{NeedleLen} * Width / pw);
    const double lenY = static_cast<double>(std::int64_t{NeedleLen} * Height / ph);
    const double t = NeedleAngle(v);
    const TPen saved = canvas.Pen;
    // Not-xor, as the needle was always drawn: red over white, dark red over the face.
    canvas.Pen = TPen{clRed, 2, psSolid, pmNotXor};
    canvas.MoveTo(static_cast<int>(px - std::cos(t) * lenX), static_cast<int>(py - std::sin(t) * lenY));
    canvas.LineTo(static_cast<int>(px), static_cast<int>(py));
    canvas.Pen = saved;
}

void TRectMeter::Paint(TCanvas& canvas)
{
    const int pw = Picture.Width();
    const int ph = Picture.Height();
    if (pw <= 0 || ph <= 0)
        return;
    StretchBlt(canvas, 0, 0, Width, Height, *Picture.Canvas(), 0, 0, pw, ph, SRCCOPY);
    DrawNeedle(canvas, NeedleVal);
    NeedleShown = 1;
    SelRect(canvas);
}

bool TRectMeter::PaintsOpaqueBox() const
{
    // The face is copied over the whole box and the needle drawn inside it. A meter left out
    // under another does not note a needle shown: none is on the screen.
    return Picture.Width() > 0 && Picture.Height() > 0;
}

int TRectMeter::PrePrnObjInf(TBitmap& page, int x, int y) { return kes::PrintDeviceLine(*this, page, x, y, DevText); }
