// TCirMeter: the dial, its numbers and the needle.
#include "objects/tcirmeter.h"
#include "objects/objkind.h"

#include "objects/digtest.h"
#include "objects/lxshapekit.h"
#include "objects/lxtextkit.h"
#include "objects/valformat.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;
// How near an angle must come to the top or the right side for its number to be nudged.
constexpr double kNudge = 0.05;

} // namespace

TCirMeter::TCirMeter()
{
    DevAddrCode = 4096;
    DevText = "D0";
    RefDevForm = 1;
    RefStation = 1;
    SetObjType(kes::KindCode(kes::ObjKind::CirMeter));
    SizeSetsPicture = false;
    UnscaledPaint = true;
    Picture.SetSize(50, 50);
    SetWidth(50);
    SetHeight(50);
    FontSet(0);
    BmpRePaint();
}

double TCirMeter::Sweep() const { return FullCircle ? 2 * kPi : 5 * kPi / 3; }

double TCirMeter::StartAngle() const { return FullCircle ? kPi / 2 : -kPi / 3; }

// ---------------------------------------------------------------------------------------
// Label texts

std::string TCirMeter::ValTypeToString(std::uint32_t v, int type, int wide)
{
    using kes::ValFormat;
    switch (kes::ValFormatOf(type)) {
    case ValFormat::Signed:
        return wide ? std::to_string(static_cast<std::int32_t>(v)) : std::to_string(static_cast<std::int16_t>(v));
    case ValFormat::Hex: {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%X", static_cast<unsigned>(v));
        return buf;
    }
    default: // unsigned and BCD show the same digits
        return std::to_string(v);
    }
}

std::string TCirMeter::ValTypeToIntDecString(std::uint32_t v, int type, int wide, int, int decimals)
{
    std::string text = ValTypeToString(v, type, wide);
    if (decimals <= 0)
        return text;
    // The sign stays in front: -5 with one decimal reads -0.5.
    const std::string sign = !text.empty() && text[0] == '-' ? "-" : "";
    std::string digits = text.substr(sign.size());
    const std::size_t d = static_cast<std::size_t>(decimals);
    if (d < digits.size())
        digits.insert(digits.size() - d, ".");
    else
        digits = "0." + std::string(d - digits.size(), '0') + digits;
    return sign + digits;
}

int TCirMeter::StrToValType(std::string_view text, int type)
{
    using kes::ValFormat;
    switch (kes::ValFormatOf(type)) {
    case ValFormat::Unsigned:
    case ValFormat::Signed:
        return DecimalTextToInt(text);
    case ValFormat::Hex:
    case ValFormat::Bcd:
        return static_cast<int>(HexTextToUInt(text));
    default:
        return 0;
    }
}

int TCirMeter::StrToIntDecValType(std::string_view text, int type, int)
{
    std::string plain(text);
    if (const std::size_t point = plain.find('.'); point != std::string::npos)
        plain.erase(point, 1);
    return StrToValType(plain, type);
}

// ---------------------------------------------------------------------------------------
// Drawing, at panel resolution: W x H, centre (W/2, H/2), radius H/2.

void TCirMeter::BmpRePaint()
{
    if (kes::PaintHold::Held())
        return;
    if (!kes::BeginPanelPicture(*this))
        return;
    TCanvas& c = *Picture.Canvas();
    c.Pen = TPen{};
    c.Brush = TBrush{};
    FontSet(fontsize);

    const int w = Picture.Width();
    const int h = Picture.Height();
    const double cx = w / 2;
    const double cy = h / 2;
    DialRadius = h / 2;
    const double r = DialRadius;
    const int fh = std::abs(c.Font.Height());
    const double sweep = Sweep();
    const double a0 = StartAngle();

    // The dial's rim; inside it the picture is white already. A part circle's arc over it would
    // only go over rim pixels again with the same pen.
    c.Brush.Style = bsClear;
    c.Ellipse(0, 0, w, h);
    c.Brush.Style = bsSolid;

    // The dialog never gives fewer than 2 numbered ticks; a record may, and the spacing
    // divides by their count less one.
    const int n = std::max<int>(MajorTicks, 2);
    const int m = MinorTicks;
    const double major = sweep / (n - 1);
    const double minor = major / (m + 1);
    const double valueStep = (static_cast<double>(MeterMax) - static_cast<double>(MeterMin)) / (n - 1);

    for (int i = 0; i < n; ++i) {
        // A0 + i x step, computed so: the nudges below compare these angles exactly.
        const double t = a0 + i * major;
        kes::DialTick(c, cx, cy, t, r, r - 8, 2);

        const std::uint32_t value =
            i == n - 1 ? MeterMax
                       : static_cast<std::uint32_t>(static_cast<std::int64_t>(std::trunc(MeterMin + i * valueStep)));
        const std::string text = ValTypeToIntDecString(value, ValType & 0x0F, 0, LabelIntDigits, LabelDecimals);
        const int tw = c.TextWidth(text);
        TPoint at = kes::DialPoint(cx, cy, t, r - 8);
        bool write = true;
        if (FullCircle) {
            if (i == n - 1) {
                write = false; // it would stand on the first number
            } else if (t == kPi / 2) {
                at.x -= tw / 2;
            } else if (t == 3 * kPi / 2) {
                at.x -= tw / 2;
                at.y -= fh;
            } else if (t > kPi / 2 && t < 3 * kPi / 2) {
                at.x -= static_cast<int>(std::fabs(std::cos(t) * tw));
                at.y -= fh / 2;
            } else if (t > 3 * kPi / 2 && t < 5 * kPi / 2) {
                at.y -= fh / 2;
            }
        } else {
            if (std::fabs(t - kPi / 2) < kNudge) {
                at.x -= tw / 2;
            } else if (t > kPi / 2 && t <= 3 * kPi / 2) {
                if (std::fabs(t - kPi) < kNudge)
                    at.x -= tw;
                else
                    at.x = DialRadius;
                at.y -= t > kPi ? fh : fh / 2;
            } else if (t >= -kPi / 3 && t < kPi / 2) {
                at.y -= fh / 2;
            }
        }
        if (write)
            c.TextOut(at.x, at.y, text);

        for (int j = 1; i < n - 1 && j <= m; ++j)
            kes::DialTick(c, cx, cy, t + j * minor, r, r - 6, 1);
    }
    kes::GrowFromPanel(*this);
    Invalidate();
}

void TCirMeter::MeterPoint(std::uint32_t v)
{
    CurVal = v;
    BmpRePaint();
    if (Picture.Empty())
        return;
    kes::ShrinkToPanel(*this);
    const int w = Picture.Width();
    const int h = Picture.Height();
    // A range of one value, or upside down, has no direction to point in: the needle
    // stays at the start of the scale.
    double t = StartAngle();
    if (MeterMax > MeterMin) {
        const std::uint32_t f = std::clamp(v, MeterMin, MeterMax);
        t += static_cast<double>(f - MeterMin) * Sweep() / static_cast<double>(MeterMax - MeterMin);
    }
    TCanvas& c = *Picture.Canvas();
    c.Pen = TPen{};
    const TPoint tip = kes::DialPoint(w / 2, h / 2, t, w / 2);
    c.MoveTo(tip.x, tip.y);
    c.LineTo(w / 2, h / 2);
    kes::GrowFromPanel(*this);
    Invalidate();
}

void TCirMeter::Paint(TCanvas& canvas) { kes::StretchPaint(*this, canvas); }

bool TCirMeter::PaintsOpaqueBox() const
{
    return Picture.Width() > 0 && Picture.Height() > 0; // stretched over the box
}

void TCirMeter::PaintData(int panelWidth, int panelHeight, std::span<std::uint8_t> bands)
{
    PaintDataWith(panelWidth, panelHeight, bands, [this] { MeterPoint(CurVal); });
}

int TCirMeter::PrePrnObjInf(TBitmap& page, int x, int y) { return kes::PrintDeviceLine(*this, page, x, y, DevText); }
