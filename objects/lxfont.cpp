// Panel fonts: the font choice of an object, fixed-cell text for the editor picture and
// glyph rendering for page images.
#include "objects/lxfont.h"

#include "objects/objkind.h"
#include "objects/tlxobj.h"

#include <algorithm>

namespace kes {

namespace {

// The Windows faces keep their names because records store them. Neither exists here:
// the drawing layer maps both to DejaVu Sans, so the editor picture shows panel fonts 0..3
// in DejaVu Sans at 8, 9, 11 and 13 pixels (6, 7, 8 and 10 points at 96 DPI), each
// character placed in its panel cell by TextOutBmp.
constexpr PanelFontInfo kPanelFonts[kPanelFontCount] = {
    {"Small Fonts", 6, 5, 8, kPanelFont0},
    {"Small Fonts", 7, 8, 8, kPanelFont1},
    {"MS Sans Serif", 8, 8, 12, kPanelFont2},
    {"MS Sans Serif", 10, 8, 16, kPanelFont3},
};

} // namespace

const PanelFontInfo& PanelFont(int index) { return kPanelFonts[index >= 0 && index < kPanelFontCount ? index : 0]; }

int PanelFontForPointSize(int pointSize)
{
    for (int i = 0; i < kPanelFontCount; ++i)
        if (kPanelFonts[i].PointSize == pointSize)
            return i;
    return -1;
}

} // namespace kes

void PanelGlyphDraw(TBitmap& glyph, int font, unsigned char code)
{
    const kes::PanelFontInfo& f = kes::PanelFont(font);
    glyph.SetSize(f.CellWidth, f.CellHeight);
    TCanvas& c = *glyph.Canvas();
    const std::uint8_t* rows = code < 128 ? f.Glyphs + code * f.CellHeight : nullptr;
    for (int i = 0; i < f.CellHeight; ++i)
        for (int j = 0; j < f.CellWidth; ++j)
            c.SetPixel(j, i, rows && ((rows[i] >> j) & 1u) ? clBlack : clWhite);
}

void PanelTextDraw(TBitmap& target, int font, std::string_view text)
{
    const kes::PanelFontInfo& f = kes::PanelFont(font);
    const int n = static_cast<int>(text.size());
    target.SetSize(n * f.CellWidth, f.CellHeight);
    TBitmap scratch;
    for (int i = 0; i < n; ++i) {
        PanelGlyphDraw(scratch, font, static_cast<unsigned char>(text[i]));
        BitBlt(*target.Canvas(), i * f.CellWidth, 0, f.CellWidth, f.CellHeight, *scratch.Canvas(), 0, 0, SRCCOPY);
    }
}

void TLxObj::FontSet(int index)
{
    // Only the kinds that show panel text take a panel font.
    const kes::ObjKindFacts* facts = kes::KindFactsOf(*this);
    if (!facts || facts->Font != kes::FontUse::PanelFont)
        return;
    if (index >= 0 && index < kes::kPanelFontCount) {
        const kes::PanelFontInfo& f = kes::PanelFont(index);
        TFont& font = Picture.Canvas()->Font;
        font.Name = f.WindowsName;
        font.Size = f.PointSize;
        CellWidth = static_cast<std::uint8_t>(f.CellWidth);
        CellHeight = static_cast<std::uint8_t>(f.CellHeight);
    }
    fontsize = index;
    Invalidate();
}

void TLxObj::TextOutBmp(TBitmap& target, int x, int y, const AnsiString& text) const
{
    TextOutBmp(*target.Canvas(), x, y, text);
}

void TLxObj::TextOutBmp(TCanvas& c, int x, int y, const AnsiString& text) const
{
    // One character per cell, whatever the desktop font's own advance.
    for (std::size_t p = 0; p < text.size(); ++p)
        c.TextOut(x + CellWidth * static_cast<int>(p), y, std::string(1, text[p]));
}
