// The panel fonts draw what the panel draws: the glyph of "A" in each font has its known
// rows, blank codes stay blank (space everywhere, code 0 outside font 0, 127 in fonts 2
// and 3, anything past 127), every printable and symbol code has a shape inside its cell,
// texts take one cell per character, and only the kinds that show panel text take a font.
#include "objects/lxfont.h"
#include "objtest.h"

#include <gtest/gtest.h>

using objtest::FakeHost;
using objtest::Rows;
using objtest::TTestObj;

namespace {

bool Blank(const TBitmap& bmp) { return kes::PictureToText(bmp).find('#') == std::string::npos; }

TBitmap Glyph(int font, unsigned char code)
{
    TBitmap g;
    PanelGlyphDraw(g, font, code);
    return g;
}

} // namespace

TEST(PanelFont, GlyphOfA)
{
    const std::string expected[4] = {
        Rows({".....", ".##..", "#..#.", "#..#.", "####.", "#..#.", "#..#.", "....."}),
        Rows({"...##...", "..#..#..", ".#....#.", ".#....#.", ".######.", ".#....#.", ".#....#.", "........"}),
        Rows({"........", "........", "........", "...##...", "..#..#..", ".#....#.", ".#....#.", ".#....#.",
              ".######.", ".#....#.", ".#....#.", "........"}),
        Rows({"........", "...#....", "..#.#...", "..#.#...", "..#.#...", ".#...#..", ".#...#..", ".#...#..",
              ".#...#..", ".#####..", "#.....#.", "#.....#.", "#.....#.", "##...##.", "........", "........"}),
    };
    for (int font = 0; font < 4; ++font)
        EXPECT_EQ(kes::PictureToText(Glyph(font, 'A')), expected[font]) << "font " << font;
}

TEST(PanelFont, BlankAndShapeRules)
{
    for (int font = 0; font < 4; ++font) {
        const kes::PanelFontInfo& f = kes::PanelFont(font);
        EXPECT_TRUE(Blank(Glyph(font, ' '))) << font;
        EXPECT_EQ(Blank(Glyph(font, 0)), font != 0) << font;
        EXPECT_EQ(Blank(Glyph(font, 127)), font >= 2) << font;
        for (int code = 1; code < 127; ++code) {
            if (code == ' ')
                continue;
            EXPECT_FALSE(Blank(Glyph(font, static_cast<unsigned char>(code)))) << font << " code " << code;
        }
        for (int code : {128, 160, 200, 255})
            EXPECT_TRUE(Blank(Glyph(font, static_cast<unsigned char>(code)))) << font << " code " << code;
        // A char from a text with the high bit set is a code past 127, not a negative index.
        const char high = static_cast<char>(0xC8);
        EXPECT_TRUE(Blank(Glyph(font, static_cast<unsigned char>(high))));
        // Rows use only the cell's columns.
        for (int i = 0; i < 128 * f.CellHeight; ++i)
            EXPECT_EQ(f.Glyphs[i] >> f.CellWidth, 0) << font << " byte " << i;
    }
}

TEST(PanelFont, CellsAndTextSizes)
{
    struct Case {
        int font;
        int cellW, cellH;
    } cases[] = {{0, 5, 8}, {1, 8, 8}, {2, 8, 12}, {3, 8, 16}, {-1, 5, 8}, {4, 5, 8}, {7, 5, 8}};
    for (const Case& c : cases) {
        const TBitmap g = Glyph(c.font, '1');
        EXPECT_EQ(g.Width(), c.cellW) << c.font;
        EXPECT_EQ(g.Height(), c.cellH) << c.font;
        if (c.font < 0 || c.font > 3) {
            EXPECT_EQ(kes::PictureToText(g), kes::PictureToText(Glyph(0, '1'))) << c.font;
        }

        TBitmap text(1, 1);
        PanelTextDraw(text, c.font, "12");
        EXPECT_EQ(text.Width(), 2 * c.cellW) << c.font;
        EXPECT_EQ(text.Height(), c.cellH) << c.font;
        // Side by side: cell i holds glyph i.
        TBitmap second(c.cellW, c.cellH);
        BitBlt(*second.Canvas(), 0, 0, c.cellW, c.cellH, *text.Canvas(), c.cellW, 0, SRCCOPY);
        EXPECT_EQ(kes::PictureToText(second), kes::PictureToText(Glyph(c.font, '2'))) << c.font;
    }

    TBitmap empty(4, 4);
    PanelTextDraw(empty, 2, "");
    EXPECT_EQ(empty.Width(), 0);
    EXPECT_EQ(empty.Height(), 12);

    EXPECT_EQ(kes::PanelFontForPointSize(6), 0);
    EXPECT_EQ(kes::PanelFontForPointSize(7), 1);
    EXPECT_EQ(kes::PanelFontForPointSize(8), 2);
    EXPECT_EQ(kes::PanelFontForPointSize(10), 3);
    EXPECT_EQ(kes::PanelFontForPointSize(9), -1);
}

TEST(PanelFont, FontSetOnlyOnKindsWithPanelText)
{
    struct Case {
        TLxObjType kind;
        bool takes;
    } cases[] = {{2, true},  {7, true},  {9, true},  {10, true},  {13, true},  {16, true},
                 {20, true}, {1, false}, {3, false}, {12, false}, {17, false}, {21, false}};
    const char* names[4] = {"Small Fonts", "Small Fonts", "MS Sans Serif", "MS Sans Serif"};
    const int sizes[4] = {6, 7, 8, 10};
    const int cells[4][2] = {{5, 8}, {8, 8}, {8, 12}, {8, 16}};
    for (const Case& c : cases) {
        for (int index = 0; index < 4; ++index) {
            FakeHost host;
            TTestObj obj(c.kind);
            obj.SetHost(&host);
            obj.Picture.Canvas()->Font.Name = "Arial";
            obj.Picture.Canvas()->Font.Size = 12;
            obj.fontsize = 0;
            obj.FontSet(index == 0 ? 3 : index);
            obj.FontSet(index);
            const TFont& f = obj.Picture.Canvas()->Font;
            if (c.takes) {
                EXPECT_EQ(f.Name, names[index]) << c.kind << " " << index;
                EXPECT_EQ(f.Size, sizes[index]);
                EXPECT_EQ(obj.CellWidth, cells[index][0]);
                EXPECT_EQ(obj.CellHeight, cells[index][1]);
                EXPECT_EQ(obj.fontsize, index);
                EXPECT_EQ(host.invalidates, 2);
            } else {
                EXPECT_EQ(f.Name, "Arial") << c.kind;
                EXPECT_EQ(f.Size, 12);
                EXPECT_EQ(obj.fontsize, 0);
                EXPECT_EQ(obj.CellWidth, 0);
                EXPECT_EQ(host.invalidates, 0);
            }
        }
    }

    // An index past the fonts is stored, the font and cell stay.
    TTestObj val(2);
    val.FontSet(1);
    val.FontSet(7);
    EXPECT_EQ(val.fontsize, 7);
    EXPECT_EQ(val.Picture.Canvas()->Font.Size, 7);
    EXPECT_EQ(val.CellWidth, 8);
    EXPECT_EQ(val.CellHeight, 8);
}

TEST(PanelFont, TextOutBmpPutsEachCharacterInItsCell)
{
    for (int cell : {8, 5}) {
        TTestObj obj(2);
        obj.CellWidth = static_cast<std::uint8_t>(cell);
        TBitmap target(40, 16);
        target.Canvas()->Font.Name = "MS Sans Serif";
        target.Canvas()->Font.Size = 8;
        obj.TextOutBmp(target, 1, 2, "..I");
        int minX = 40;
        for (int y = 0; y < 16; ++y)
            for (int x = 1 + 2 * cell; x < 40; ++x)
                if (target.Canvas()->Pixel(x, y) == clBlack)
                    minX = std::min(minX, x);
        EXPECT_LT(minX, 1 + 3 * cell) << "third character starts in the third cell, cell " << cell;
        // The dots sit in the first two cells.
        bool dot1 = false;
        bool dot2 = false;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 1 + 2 * cell; ++x)
                if (target.Canvas()->Pixel(x, y) == clBlack)
                    (x < 1 + cell ? dot1 : dot2) = true;
        EXPECT_TRUE(dot1 && dot2) << cell;
    }
}
