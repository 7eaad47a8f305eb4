// TMsgTxt: messages chosen by a controller device.
#include "objects/tmsgtxt.h"
#include "objects/objkind.h"

#include "objects/lxstatebmp.h"
#include "objects/lxtextkit.h"
#include "objects/valformat.h"

#include <algorithm>

TMsgTxt::TMsgTxt()
{
    kes::NewDevRef(*this, 2048, "");
    Picture.SetSize(20, 10);
    OWidth = Width = 20;
    OHeight = Height = 10;
    SetObjType(kes::KindCode(kes::ObjKind::MsgTxt));
    UnscaledPaint = false;
    SizeSetsPicture = true;
    TotalState = 0;
    Messages.clear();
    StateVal.clear();
    SetStateNum(2);
}

void TMsgTxt::SetStateNum(std::uint8_t n)
{
    TotalState = n;
    StateVal.resize(n, 0);
    if (n < Messages.size()) {
        Messages.resize(n);
        SetMsgPt(static_cast<int>(n) - 1);
    } else {
        Messages.resize(n);
    }
}

void TMsgTxt::SetMsgPt(int state)
{
    CurPt = state;
    if (kes::PaintHold::Held())
        return;
    PatBlt(*Picture.Canvas(), 0, 0, Picture.Width(), Picture.Height(), WHITENESS);
    BmpRePaint();
}

int TMsgTxt::StateForValue(std::uint32_t v) const
{
    const int count = std::min<int>(TotalState, static_cast<int>(StateVal.size()));
    if ((StateMode >> 4) == 0)
        return v != 0 ? 1 : 0;
    if (kes::IsFormat(ValType, kes::ValFormat::Signed)) {
        // The first bound not above the value wins.
        const int width = StateMode & 0x0F;
        for (int i = 0; i < count; ++i) {
            if (width == 0 &&
                static_cast<std::int16_t>(StateVal[i] & 0xFFFFu) <= static_cast<std::int16_t>(v & 0xFFFFu))
                return i;
            if (width == 1 && static_cast<std::int32_t>(StateVal[i]) <= static_cast<std::int32_t>(v))
                return i;
        }
        return 0;
    }
    int state = 0;
    if (StateReverse == 0) {
        for (int i = 0; i < count; ++i)
            if (StateVal[i] <= v)
                state = i;
    } else {
        for (int i = count - 1; i >= 0; --i)
            if (StateVal[i] <= v)
                state = i;
    }
    return state;
}

void TMsgTxt::CurRangeSelect(std::uint32_t v)
{
    CurVal = v;
    CurPt = 0;
    SetMsgPt(StateForValue(v));
    BmpRePaint();
    const std::uint8_t motion = MoveMode >> 4;
    if (motion == 1 || motion == 2) {
        const int shown = ShownMessage();
        if (shown < 0 || Picture.Empty())
            return;
        // Preview of the panel's motion, one step per value given: a blink shows the
        // message every other step; a run moves it one dot along its direction, wrapping
        // at the picture's edge.
        kes::ShrinkToPanel(*this);
        TCanvas& c = *Picture.Canvas();
        const int w = Picture.Width();
        const int h = Picture.Height();
        PatBlt(c, 0, 0, w, h, WHITENESS);
        if (motion == 1) {
            MoveFlag = MoveFlag ? 0 : 1;
            if (MoveFlag)
                DrawMessage(c, Messages[shown]);
        } else {
            const int dir = MoveMode & 0x0F;
            const int span = dir <= 1 ? h : w;
            MoveOffset = span > 0 ? (MoveOffset + 1) % span : 0;
            TBitmap text(w, h);
            text.Canvas()->Font = c.Font;
            DrawMessage(*text.Canvas(), Messages[shown]);
            const int d = MoveOffset;
            const int dx = dir == 2 ? -d : dir == 3 ? d : 0;
            const int dy = dir == 0 ? -d : dir == 1 ? d : 0;
            // The part pushed past one edge comes back at the other.
            for (int wrapX : {0, dx < 0 ? w : dx > 0 ? -w : 0})
                for (int wrapY : {0, dy < 0 ? h : dy > 0 ? -h : 0})
                    BitBlt(c, dx + wrapX, dy + wrapY, w, h, *text.Canvas(), 0, 0, SRCAND);
        }
        kes::GrowFromPanel(*this);
        Invalidate();
    }
}

int TMsgTxt::ShownMessage() const
{
    if (Messages.empty())
        return -1;
    const int total = static_cast<int>(Messages.size());
    const int index = StateReverse ? static_cast<int>(TotalState) - 1 - CurPt : CurPt;
    return index >= 0 && index < total ? index : -1;
}

void TMsgTxt::DrawMessage(TCanvas& c, const AnsiString& text)
{
    const TBrush saved = c.Brush;
    c.Brush.Style = bsClear;
    c.TextOut(0, 0, text);
    c.Brush = saved;
}

void TMsgTxt::BmpRePaint()
{
    if (kes::PaintHold::Held())
        return;
    if (Picture.Width() < 1 || Picture.Height() < 1)
        return;
    kes::ShrinkToPanel(*this);
    TCanvas& c = *Picture.Canvas();
    for (const AnsiString& m : Messages)
        if (c.TextWidth(m) > kMaxMessageWidth)
            return; // left at panel resolution, undrawn, until the message fits
    BmpClear();
    if (const int shown = ShownMessage(); shown >= 0)
        DrawMessage(c, Messages[shown]);
    kes::GrowFromPanel(*this);
    Invalidate();
}

int TMsgTxt::PrePrnObjInf(TBitmap& page, int x, int y) { return kes::PrintDeviceLine(*this, page, x, y, DevText); }

int TMsgTxt::TxtWidth(int i) const
{
    if (i < 0 || i >= static_cast<int>(Messages.size()))
        return 0;
    return Picture.Canvas()->TextWidth(Messages[i]);
}

int TMsgTxt::TxtHeight(int i) const
{
    if (i < 0 || i >= static_cast<int>(Messages.size()))
        return 0;
    return Picture.Canvas()->TextHeight(Messages[i]);
}

int TMsgTxt::MsgBmpSizeGet(int i) const { return TxtWidth(i) * ((TxtHeight(i) + 7) / 8); }

void TMsgTxt::MsgBmpDataGet(std::span<std::uint8_t> dst, int i) const
{
    if (dst.empty() || i < 0 || i >= static_cast<int>(Messages.size()))
        return;
    TFont font = Picture.Canvas()->Font;
    font.Color = clBlack;
    kes::TextBandsGet(dst, font, Messages[static_cast<std::size_t>(i)], TxtWidth(i), TxtHeight(i));
}
