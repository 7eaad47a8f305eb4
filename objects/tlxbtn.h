#pragma once
// TLxBtn (kind 13): the panel's touch button. A face (the surface) shows, for the current
// state, a state picture and a state text; a value button shows a digit pattern instead.
// It writes one device and may read a second and notify a third.
#include "objects/btntype.h"
#include "objects/lxstatebmp.h"

#include <array>

class TLxBtn : public TLxObj {
public:
    TLxBtn();

    // The bit or word written; the word a value button shows (code -1 while ReadUsed is 0);
    // the bit reset or set around the write (code -1 while NotifyUsed is 0).
    TLxDevRef WriteDev;
    TLxDevRef ReadDev;
    TLxDevRef NotifyDev;
    // A 4-character password from the dialog, 255 each when none; not stored in the record.
    std::array<std::uint8_t, 4> PassText{255, 255, 255, 255};
    // Function key 0..13 (F0-F9, Up, Down, Left, Right) bound to the button; 255 none.
    std::uint8_t RefKey = 255;
    // What a press does; None until a type is chosen.
    kes::BtnType BtnType = kes::BtnType::None;
    // One picture per state at panel resolution, owned.
    std::vector<std::unique_ptr<TBitmap>> BmpList;
    // A second text per state, kept in step with the state texts.
    std::vector<AnsiString> TxtList2;
    // The text shown per state.
    std::vector<AnsiString> TxtList;
    // The file each state's picture was last loaded from (not stored: the session's).
    std::vector<AnsiString> FileList;
    // Value kind of the write device: 0x00 bit, 0x10 word, 0x20 low byte of a word.
    std::uint8_t ValKind = 0;
    // Value format of a value button: 0 unsigned, 1 signed, 2 hex, 3 BCD, 4 ASCII, 5 binary,
    // 7 floating.
    std::uint8_t ValType = 0;
    std::uint8_t ValLen = 0; // 0 one word, 1 two words
    std::uint8_t ReadUsed = 0;
    std::uint8_t NotifyUsed = 0;
    std::uint8_t NotifyOrder = 0; // 0 before the write, 1 after it
    std::uint8_t NotifyState = 0; // 0 reset, 1 set
    std::int32_t UserLevel = 0;   // password level 0..4 needed to press
    std::uint8_t MultiFlag = 0;
    std::uint8_t IntNum = 0; // digits before and after the decimal point of a value button
    std::uint8_t DecNum = 0;
    std::int32_t ParamA = 0; // by type: maximum, constant, step or target page
    std::int32_t ParamB = 0; // by type: minimum or bound
    std::int32_t CurPt = 0;
    // 0 none, 1 rectangle, 2 raised, 3 circular, 4 none drawn.
    std::uint8_t Surface = 1;
    std::uint8_t TotalState = 2;
    // Position codes of the text and the picture: 0 left/top, 1 right/bottom, 2 centred.
    std::uint8_t TxtHPos = 2;
    std::uint8_t TxtVPos = 2;
    std::uint8_t BmpHPos = 2;
    std::uint8_t BmpVPos = 2;
    std::uint32_t CurVal = 0;

    // CurPt := i, clear the picture, redraw.
    void SetBtnPt(int i);
    // Stores the style; the circular one paints unscaled. No redraw.
    void SetSurface(std::uint8_t s);
    // Keeps pictures and both text lists at n; fewer states show the last one.
    void SetStateNum(std::uint8_t n);
    // The state for a value by button type (see the .cpp), then redraw.
    void SetCurVal(std::uint32_t v);
    void SetTxtHPos(std::uint8_t v) { TxtHPos = v; }
    void SetTxtVPos(std::uint8_t v) { TxtVPos = v; }
    void SetBmpHPos(std::uint8_t v) { BmpHPos = v; }
    void SetBmpVPos(std::uint8_t v) { BmpVPos = v; }

    // Loads a picture file unchanged into the current state's picture (cut so the record's
    // 16-bit counts hold it) and redraws. False when the file is no picture or the current
    // state has no picture.
    bool BmpLoad(const std::string& file);
    void BmpCopyIn(const TBitmap& source, int index) override;

    int GetMaxWidth() const;
    int GetMaxHeight() const;
    // Margin the surface keeps around texts and pictures, at panel resolution.
    int SurfaceInset() const;
    // State text i's size in the picture font, limited to the face less twice the inset
    // (never below 0); 0 for no such state.
    int TxtWidth(int i) const;
    int TxtHeight(int i) const;
    // State text i rendered in the band format: TxtWidth x ceil(TxtHeight / 8) bytes.
    int TxtBmpSizeGet(int i) const;
    // Writes at most dst.size() bytes; nothing when dst is empty.
    void TxtBmpDataGet(std::span<std::uint8_t> dst, int i) const;

    // 1:1 band helpers (the base's), and the same on state picture i.
    using TLxObj::BtnBmpDataGet;
    using TLxObj::BtnBmpDataSet;
    using TLxObj::BtnBmpSizeGet;
    int BtnBmpSizeGet(int i) const;
    void BtnBmpDataGet(std::span<std::uint8_t> dst, int i) const;
    // A stored w x h state picture for state i: unpacked at its stored size, then cut to
    // the control's Width and Height. The bytes used, or 0 (picture untouched) when there is
    // no such state or src holds fewer bytes than w x h needs.
    int StateBmpSet(int i, int w, int h, kes::ByteSpan src);
    TBitmap* StateBmp(int i);
    const TBitmap* StateBmp(int i) const;

    // The function key the button is bound to, 0..13, or -1 for none; a stored binding
    // outside 0..13 counts as none, so callers never index a key table with it.
    int BoundKey() const { return RefKey <= 13 ? RefKey : -1; }

    // The value as the panel would show it, from the value settings (no zero fill).
    AnsiString ValToStr(std::uint32_t v) const;

    void Paint(TCanvas& canvas) override;
    bool PaintsOpaqueBox() const override;
    void BmpRePaint() override;
    void PaintData(int panelWidth, int panelHeight, std::span<std::uint8_t> bands) override;
    int PrePrnObjInf(TBitmap& page, int x, int y) override;

private:
    // Bytes of the stored record apart from the band data of state skip's picture.
    int RecordBytesBesides(int skip) const;
    TSize TextSize(int i) const;
    // Draws the face on the panel-resolution picture; may square it. Returns the inset.
    int DrawSurface(int& w, int& h);
    void DrawValuePattern(int w, int h, int inset);
    void DrawState(int w, int h, int inset);
    // The value of CurVal drawn with the panel glyphs, as the panel shows a value button.
    void DrawValue();
};
