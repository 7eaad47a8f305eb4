#pragma once
// TStBmp (kind 5): a fixed black-and-white picture loaded from a file.
#include "objects/tlxobj.h"

class TStBmp : public TLxObj {
public:
    TStBmp();

    // The picture file the user chose (ANSI path), kept for the property rows.
    AnsiString FileName;

    // Loads a picture file cut to w x h panel pixels (or the file's size when smaller),
    // makes it two-coloured, spreads it over the grid and sizes the control to it.
    // False, nothing changed, when the file is not a picture.
    bool BmpLoad(const AnsiString& file, int w, int h);
    // The picture takes source's size and a plain copy of it; index is not used.
    void BmpCopyIn(const TBitmap& source, int index) override;
    void BmpRePaint() override;
    void PaintData(int panelWidth, int panelHeight, std::span<std::uint8_t> bands) override;
};
