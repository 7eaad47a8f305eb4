#pragma once
// TLxAdvDevBmp (kind 21): the bit-state picture that can also follow one bit of a word.
#include "objects/tlxdevbmp.h"

class TLxAdvDevBmp : public TLxDevBmp {
public:
    TLxAdvDevBmp();

    // The bit of the word that gives the state in value mode (the record keeps 0..15).
    std::uint8_t BitNo = 0;
    // 0x00 bit mode (the device is a bit), 0x10 value mode (the device is a word).
    std::uint8_t ValMode = 0;
    std::uint32_t CurVal = 0;

    // In value mode the state follows bit BitNo of v; in bit mode only v is kept.
    void SetCurVal(std::uint32_t v);
};
