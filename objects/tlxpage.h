#pragma once
// TLxPage (kind 11): the page number marker. Shown in the editor only; no record carries
// more of it than the header, and it adds nothing to a page image.
#include "objects/tlxobj.h"

class TLxPage : public TLxObj {
public:
    TLxPage();

    int PageNumber = 0;

    // Stores the number and redraws.
    void SetPgNum(int number);
    // "P." and the number on the button face.
    void BmpRePaint() override;
};
