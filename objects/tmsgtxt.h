#pragma once
// TMsgTxt (kind 12): one of several messages, chosen by a controller bit (two messages)
// or by the range a word value lies in. Each message goes to the panel as a picture
// rendered in the object's font.
#include "objects/lxdevref.h"
#include "objects/tlxobj.h"

#include <cstdint>
#include <vector>

class TMsgTxt : public TLxObj, public TLxDevRef {
public:
    TMsgTxt();

    // Widest message the panel takes, in pixels of the object font.
    static constexpr int kMaxMessageWidth = 250;
    static constexpr const char* kTooLongText = "Message Length > 250!!";

    std::uint8_t MoveFlag = 1;   // blink phase of the moving preview
    std::int32_t MoveOffset = 0; // run offset of the moving preview, in dots
    // High nibble 0 bit mode, else value mode; low nibble 0 16-bit, 1 32-bit value.
    std::uint8_t StateMode = 0;
    std::uint8_t ValType = 0; // 1 signed value, else unsigned
    // High nibble 0 still, 1 blinking, 2 running; low nibble the run direction:
    // 0 bottom to top, 1 top to bottom, 2 right to left, 3 left to right.
    std::uint8_t MoveMode = 0;
    std::uint8_t MoveInterval = 0; // 0..4: 500..2500 ms
    std::uint8_t StateReverse = 0; // non-zero: state i shows message TotalState - 1 - i
    std::vector<AnsiString> Messages;
    std::vector<std::uint32_t> StateVal; // lower bound of each state's range
    std::uint32_t CurVal = 0;
    std::int32_t CurPt = 0;
    std::uint8_t TotalState = 2;

    // Keeps messages and values equal in number: the first min(old, n) values stay, new
    // states have an empty message and value 0; fewer states show the last one kept.
    void SetStateNum(std::uint8_t n);
    // Shows a state: clears the picture and redraws.
    void SetMsgPt(int state);
    // Chooses the state for a value (bit or value mode) and shows it.
    void CurRangeSelect(std::uint32_t v);

    void BmpRePaint() override;
    int PrePrnObjInf(TBitmap& page, int x, int y) override;

    // Size of message i in the object font; 0 for an index outside the list.
    int TxtWidth(int i) const;
    int TxtHeight(int i) const;
    // Band bytes of message i: TxtWidth x ceil(TxtHeight / 8).
    int MsgBmpSizeGet(int i) const;
    // Message i rendered black on white at its exact size, packed into dst (as much as
    // fits); nothing when dst is empty or i is outside the list.
    void MsgBmpDataGet(std::span<std::uint8_t> dst, int i) const;

    // Index of the message the current state shows, or -1 when there is none.
    int ShownMessage() const;
    // State for a value, by StateMode, ValType and StateReverse (0 when nothing matches).
    int StateForValue(std::uint32_t v) const;

private:
    void DrawMessage(TCanvas& c, const AnsiString& text);
};
