// The multi-range picture object.
#include "objects/tvrgbmp.h"
#include "objects/objkind.h"

#include "objects/lxpictures.h"
#include "objects/lxtextkit.h"
#include "objects/valformat.h"

namespace {

constexpr int kPictureSide = 16;
constexpr const char* kOwnPicture = "VBIT-0";

} // namespace

TVrgBmp::TVrgBmp()
{
    Picture.SetSize(kPictureSide, kPictureSide);
    SetWidth(Picture.Width() * Zoom() * GridW());
    SetHeight(Picture.Height() * Zoom() * GridH());
    UnscaledPaint = false;
    SizeSetsPicture = false;
    SetObjType(kes::KindCode(kes::ObjKind::VrgBmp));
    kes::LoadBuiltinPicture(kOwnPicture, Picture);
    DevAddrCode = 4096;
    RefDevForm = 1;
    RefStation = 1;
    RefIntMem = 0;
}

void TVrgBmp::SetCurPt(int state)
{
    CurPt = state;
    BmpRePaint();
}

int TVrgBmp::StateForValue(std::uint32_t v) const
{
    // A signed 16-bit bound is sign-extended and still compared unsigned, so a negative
    // bound never matches a small value; stored pages depend on this reading.
    const bool signed16 = ValLen == 0 && kes::IsFormat(ValType, kes::ValFormat::Signed);
    auto bound = [&](int i) {
        const std::uint32_t b = StateBound[i];
        return signed16 ? static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<std::int16_t>(b & 0xFFFF)))
                        : b;
    };
    int state = kStates - 1;
    for (int i = 0; i < kStates; ++i) {
        const bool low = bound(i) <= v;
        if (RangeOrder == 0 || i == kStates - 1) {
            if (low)
                state = i;
        } else if (low && v < bound(i + 1)) {
            state = i;
        }
    }
    return state;
}

void TVrgBmp::SetCurrentRange(std::uint32_t v)
{
    CurVal = v;
    SetCurPt(StateForValue(v));
}

void TVrgBmp::BmpRePaint()
{
    if (kes::PaintHold::Held())
        return;
    if (CurPt < 0 || CurPt >= kStates) {
        // No state chosen yet (or a state the five pictures don't cover): the own picture.
        kes::LoadBuiltinPicture(kOwnPicture, Picture);
        kes::GridStretch(Picture, GridW(), GridH());
    } else {
        const int entry = RangeOrder == 0 ? CurPt : kStates - 1 - CurPt;
        kes::ShowBitPicture(Picture, StatePic[entry], GridW(), GridH());
    }
    Invalidate();
}

void TVrgBmp::PaintData(int panelWidth, int panelHeight, std::span<std::uint8_t> bands)
{
    PaintDataWith(panelWidth, panelHeight, bands, [this] { BmpRePaint(); });
}

int TVrgBmp::PrePrnObjInf(TBitmap& page, int x, int y) { return kes::PrintDeviceLine(*this, page, x, y, DevText); }
