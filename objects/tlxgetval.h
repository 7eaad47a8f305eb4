#pragma once
// TLxGetVal (kind 20): a field where the panel operator enters a value that the panel
// writes to a controller word; guarded by a password level, optionally bound to a
// function key, with an optional read device and a notify bit.
#include "objects/lxdevref.h"
#include "objects/tlxobj.h"

#include <array>
#include <cstdint>

class TLxGetVal : public TLxObj {
public:
    TLxGetVal();

    std::int32_t UserLevel = 0; // password level 0..4
    TLxDevRef WriteDev;         // receives the entered value
    std::uint8_t ReadUsed = 0;
    std::uint8_t NotifyUsed = 0;
    TLxDevRef ReadDev;         // word read by the panel; code -1 while ReadUsed is 0
    TLxDevRef NotifyDev;       // bit reset or set around the write; code -1 while NotifyUsed is 0
    std::uint8_t ValType = 0;  // 0..3, or 7 floating
    std::uint8_t ValLen = 0;   // 0 one word, 1 two
    std::uint8_t RefKey = 255; // function key 0..13 (F0-F9, Up, Down, Left, Right), 255 none
    // A 4-character password, 255 each when none; not part of the object record.
    std::array<std::uint8_t, 4> PassText{255, 255, 255, 255};
    std::uint8_t ShowFlags = 0;   // bit 0 blink, bit 1 leading zeros
    std::uint8_t NotifyState = 0; // 0 reset, 1 set
    std::uint8_t NotifyOrder = 0; // 0 before the write, 1 after it
    std::uint8_t VPos = 2;        // 0 top, 1 bottom, 2 centre
    std::uint8_t HPos = 2;        // 0 left, 1 right, 2 centre
    std::int32_t ValMax = 0xFFFF;
    std::int32_t ValMin = 0;
    std::uint8_t IntNum = 5;
    std::uint8_t DecNum = 0;
    std::uint8_t Surface = 1;
    std::uint32_t CurVal = 0;

    // (NotifyState << 4) + NotifyOrder, as records keep the two.
    std::uint8_t NotifyMode() const { return static_cast<std::uint8_t>((NotifyState << 4) + (NotifyOrder & 0x0F)); }
    void SetNotifyMode(std::uint8_t mode)
    {
        NotifyState = mode >> 4;
        NotifyOrder = mode & 0x0F;
    }

    // As the display's, without leading zeros.
    AnsiString ValToStr(std::uint32_t v) const;

    void BmpRePaint() override;
    void PaintData(int panelWidth, int panelHeight, std::span<std::uint8_t> bands) override;
    int PrePrnObjInf(TBitmap& page, int x, int y) override;
};
