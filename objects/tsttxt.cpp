// TStTxt: fixed text lines in a desktop font.
#include "objects/tsttxt.h"
#include "objects/objkind.h"

#include "objects/lxtextkit.h"

#include <algorithm>

namespace {

// One full-width character measures a vertical column: bytes B1 69 of the process code
// page (a CJK ideograph under 950 and 936; two narrow Latin letters under 1252).
const std::string kMeasureChar = "\xB1\x69";

std::string Joined(const std::vector<std::string>& chars)
{
    std::string s;
    s.reserve(chars.size() * 2);
    for (const std::string& ch : chars)
        s += ch;
    return s;
}

// Start of a run of length `used` in `room` by an alignment code (0 start, 1 end, 2 centre).
int Align(std::uint8_t pos, int room, int used)
{
    if (pos == 1)
        return room - used;
    if (pos == 2)
        return (room - used) / 2;
    return 0;
}

} // namespace

TStTxt::TStTxt()
{
    SetObjType(kes::KindCode(kes::ObjKind::StTxt));
    Picture.SetSize(32, 16);
    OWidth = Width = 32;
    OHeight = Height = 16;
    SizeSetsPicture = true;
    UnscaledPaint = false;
    SetObjFrame(1);
}

void TStTxt::SetStatic_Txt(const std::vector<AnsiString>& lines, const TFont& font)
{
    Lines = lines;
    Picture.Canvas()->Font = font;
    BmpRePaint();
}

const TFont& TStTxt::GetStatic_Txt(std::vector<AnsiString>& dst) const
{
    dst = Lines;
    return Picture.Canvas()->Font;
}

void TStTxt::BmpRePaint()
{
    if (kes::PaintHold::Held())
        return;
    if (Picture.Empty())
        return;
    TCanvas& pc = *Picture.Canvas();
    const int lineH = pc.TextHeight(kMeasureChar);
    const int colW = pc.TextWidth(kMeasureChar);

    kes::ShrinkToPanel(*this);
    const int w = Picture.Width();
    const int h = Picture.Height();
    PatBlt(pc, 0, 0, w, h, WHITENESS);
    pc.Pen.Color = clBlack;

    const int off = kes::FrameTextOffset(ObjFrame, w, h, 3);
    const int areaW = w - 2 * off;
    const int areaH = h - 2 * off;
    // The text area inside the frame, white already: the lines go straight onto the picture,
    // cut at the area's edges.
    TCanvas ac(&Picture.Image(), TPoint{off, off}, TRect{0, 0, std::max(areaW, 0), std::max(areaH, 0)});
    ac.Font = pc.Font;
    ac.Brush.Style = bsClear; // a character never erases its neighbour
    DrawLines(ac, areaW, areaH, lineH, colW);

    if (ObjFrame != 0)
        ObjFramePaint();
    kes::GrowFromPanel(*this);
}

void TStTxt::DrawLines(TCanvas& ac, int areaW, int areaH, int lineH, int colW) const
{
    const int count = static_cast<int>(Lines.size());
    const bool vertical = TxtDir == 0 || TxtDir == 1;
    if (!vertical) {
        const int dy = Align(TxtVPos, areaH, count * lineH);
        for (int i = 0; i < count; ++i) {
            std::vector<std::string> chars = kes::SplitAnsiChars(Lines[i], kMaxLineBytes);
            if (TxtDir == 2)
                std::reverse(chars.begin(), chars.end());
            const std::string text = Joined(chars);
            const int tw = ac.TextWidth(text);
            const int x = tw < areaW ? Align(TxtHPos, areaW, tw) : 0;
            ac.TextOut(x, lineH * i + dy, text);
        }
        return;
    }
    const int dx = Align(TxtHPos, areaW, count * colW);
    for (int i = 0; i < count; ++i) {
        const std::vector<std::string> chars = kes::SplitAnsiChars(Lines[i], kMaxLineBytes);
        const int n = static_cast<int>(chars.size());
        const int x = colW * i + dx;
        if (TxtDir == 1) {
            const int dy = Align(TxtVPos, areaH, n * lineH);
            for (int k = 0; k < n; ++k)
                ac.TextOut(x, lineH * k + dy, chars[k]);
        } else {
            // Read upwards: the first character is the lowest.
            int dy = 0;
            if (TxtVPos == 0)
                dy = n * lineH - areaH;
            else if (TxtVPos == 2)
                dy = -((areaH - n * lineH) / 2);
            for (int k = 1; k <= n; ++k)
                ac.TextOut(x, areaH + dy - lineH * k, chars[k - 1]);
        }
    }
}

void TStTxt::PaintData(int panelWidth, int panelHeight, std::span<std::uint8_t> bands)
{
    PaintDataWith(panelWidth, panelHeight, bands, [this] { BmpRePaint(); });
}
