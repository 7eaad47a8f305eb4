#pragma once
// TLxVal (kind 2): shows a controller word in one of the panel's number formats. The
// editor picture is a pattern of digit cells in the panel font's size; the page image
// shows the preview value CurVal drawn with the panel's own glyphs.
//
// The kes:: helpers below are shared with the value entry (kind 20).
#include "objects/lxdevref.h"
#include "objects/tlxobj.h"

#include <cstdint>
#include <string>

namespace kes {

// The value as the panel shows it. valType: 0 unsigned decimal, 1 signed decimal (a sign,
// then the magnitude; 16-bit when valLen is 0), 2 hexadecimal with "H", 3 BCD and 4 ASCII
// as bare hexadecimal, 5 binary with "B", 7 floating preview; others as 0. zeroFill pads the
// integer part with zeros to intNum digits. Digits beyond intNum (+ decNum) are cut from
// the left; a number never shows fewer than one integer digit.
std::string PanelValueText(std::uint32_t v, int valType, int valLen, int intNum, int decNum, bool zeroFill);

// What differs between the display's and the entry's editor pattern.
struct ValuePattern {
    int ValType = 0;
    int IntNum = 0;
    int DecNum = 0;
    char Digit = '0';        // the character of a digit cell
    bool AllIntCells = true; // false: one integer cell stands for the integer part
    std::uint8_t HPos = 0;   // 0 left, 1 right, 2 centre
    int VPos = -1;           // 0 top, 1 bottom, 2 centre; -1 always centred
};
// Draws the pattern of digit cells into obj's picture at panel resolution inside its
// frame, then spreads it over the grid. Nothing but the frame when the cells do not fit.
void DrawValuePattern(TLxObj& obj, const ValuePattern& p);
// Draws text with the panel glyphs into obj's picture, sized to the object's box in panel
// pixels, placed by hpos and vpos inside the frame, then spread over the grid (what a page
// image takes of the object).
void DrawValueFace(TLxObj& obj, const std::string& text, std::uint8_t hpos, std::uint8_t vpos);

} // namespace kes

class TLxVal : public TLxObj, public TLxDevRef {
public:
    TLxVal();

    // 0 unsigned, 1 signed, 2 hexadecimal, 3 BCD, 4 ASCII, 5 binary, 7 floating.
    std::uint8_t ValType = 0;
    std::uint8_t ValLen = 0; // 0 one word, else two
    std::uint8_t IntNum = 5;
    std::uint8_t DecNum = 0;
    std::uint8_t HZero = 0; // 0 none, 1 blink (the panel's), 2 leading zeros
    std::uint8_t VPos = 2;  // 0 top, 1 bottom, 2 centre
    std::uint8_t HPos = 0;  // 0 left, 1 right, 2 centre
    std::uint32_t CurVal = 0;

    AnsiString ValToStr(std::uint32_t v) const;

    void BmpRePaint() override;
    void PaintData(int panelWidth, int panelHeight, std::span<std::uint8_t> bands) override;
    int PrePrnObjInf(TBitmap& page, int x, int y) override;
};
