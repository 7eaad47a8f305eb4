#pragma once
// TActBmp (kind 6): the multi-state picture. It shows the picture of its current state and
// takes that picture's size.
#include "objects/lxstatebmp.h"

class TActBmp : public kes::TStateBmpObj {
public:
    TActBmp();
    void BmpRePaint() override;

protected:
    TSize LoadedSize(int fileWidth, int fileHeight, int w, int h) const override;
};
