#pragma once
// The panel's four built-in fixed-cell fonts: their glyph tables (the exact bitmaps the
// panel draws) and the Windows font the editor picture imitates each with.
//
// Glyph tables hold codes 0..127; glyph c starts at byte c x cell height, one byte per
// row, top row first; bit j of a row is column j (bit 0 leftmost); 1 = black.
#include "platform/gdi.h"

#include <cstdint>
#include <string_view>

namespace kes {

struct PanelFontInfo {
    const char* WindowsName; // stored in records; drawn with kes::InstalledFamilyFor(name)
    int PointSize;           // stored in record headers (byte 13)
    int CellWidth;
    int CellHeight;
    const std::uint8_t* Glyphs; // 128 x CellHeight bytes
};

extern const std::uint8_t kPanelFont0[128 * 8];
extern const std::uint8_t kPanelFont1[128 * 8];
extern const std::uint8_t kPanelFont2[128 * 12];
extern const std::uint8_t kPanelFont3[128 * 16];

constexpr int kPanelFontCount = 4;

// Font index 0..3; any other index gives font 0, as the glyph renderers treat it.
const PanelFontInfo& PanelFont(int index);
// A stored point size back to its panel font: 6 -> 0, 7 -> 1, 8 -> 2, 10 -> 3, else -1.
int PanelFontForPointSize(int pointSize);

} // namespace kes

// Renders one glyph into glyph, sized to the font's cell. Codes 128 and above have no
// glyph and render blank.
void PanelGlyphDraw(TBitmap& glyph, int font, unsigned char code);
// Renders text side by side into target, sized to text.size() cells by one cell.
void PanelTextDraw(TBitmap& target, int font, std::string_view text);
