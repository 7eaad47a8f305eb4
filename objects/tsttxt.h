#pragma once
// TStTxt (kind 1): lines of fixed text in any desktop font, written horizontally (normal or
// with each line reversed) or vertically (top to bottom or bottom to top), placed by a
// horizontal and a vertical alignment inside the frame. Texts are ANSI bytes in the
// process code page; a double-byte character is never split.
#include "objects/tlxobj.h"

#include <vector>

class TStTxt : public TLxObj {
public:
    TStTxt();

    // 0 vertical, read bottom to top; 1 vertical, top to bottom; 2 horizontal with each
    // line's characters reversed; 3 horizontal, normal.
    std::uint8_t TxtDir = 3;
    std::vector<AnsiString> Lines;
    std::uint8_t TxtHPos = 0; // 0 left, 1 right, 2 centre
    std::uint8_t TxtVPos = 0; // 0 top, 1 bottom, 2 centre

    // A line shows at most this many bytes.
    static constexpr std::size_t kMaxLineBytes = 99;

    // The three only store; the caller redraws.
    void SetDirect(std::uint8_t dir) { TxtDir = dir; }
    void SetHPos(std::uint8_t pos) { TxtHPos = pos; }
    void SetVPos(std::uint8_t pos) { TxtVPos = pos; }

    // Takes a copy of the lines and the font, then redraws.
    void SetStatic_Txt(const std::vector<AnsiString>& lines, const TFont& font);
    // Copies the lines into dst (cleared first); returns the picture font.
    const TFont& GetStatic_Txt(std::vector<AnsiString>& dst) const;

    void BmpRePaint() override;
    void PaintData(int panelWidth, int panelHeight, std::span<std::uint8_t> bands) override;

private:
    void DrawLines(TCanvas& area, int areaW, int areaH, int lineH, int colW) const;
};
