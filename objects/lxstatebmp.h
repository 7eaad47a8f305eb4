#pragma once
// Pieces shared by the kinds that show a picture per state: the built-in numbered
// pictures, the 16-bit limit of stored picture blocks, and the common base of the
// multi-state picture (kind 6) and the lamp (kind 18).
#include "objects/lxdevref.h"
#include "objects/lxtextkit.h"
#include "objects/tlxobj.h"

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace kes {

// Picture number of the bit-state kinds: 0..17 name "BIT-1".."BIT-18" (numbers above 17
// show "BIT-18"), 255 names "BIT-0", the "no picture" one.
constexpr std::uint8_t kNoBitPicture = 255;
// Loads the numbered picture into pic, two-coloured unless it is "BIT-0", grown by the grid.
void ShowBitPicture(TBitmap& pic, std::uint8_t number, int gridWidth, int gridHeight);

// Entry i of a list of owned pictures, or null when there is none.
TBitmap* PictureAt(const std::vector<std::unique_ptr<TBitmap>>& list, int i);
// target takes the size of source and a plain copy of its pixels.
void CopyPicture(TBitmap& target, const TBitmap& source);

// Text drawn in font on a white w x h picture (from its top-left, cut to the picture) and
// packed 1:1 into dst: a state text as the panel gets it. dst is zeroed first and never
// written past.
void TextBandsGet(std::span<std::uint8_t> dst, const TFont& font, const AnsiString& text, int w, int h);

// Stored records carry their length, and each picture block its byte count, in 16 bits.
constexpr int kMaxRecordBytes = 0xFFFF;
// The largest part of a w x h picture whose band data fits in budget bytes: the width is cut
// to the budget first, then whole bands are dropped from the bottom. 0 x 0 when nothing fits.
TSize FitBandBudget(int w, int h, int budget);
// Bytes of a w x h picture in the band format.
int BandBytes(int w, int h);

// Multi-state picture model of kinds 6 and 18: one device reference, a picture, a value and
// a text per state, the state shown and the order in which states map to pictures.
class TStateBmpObj : public TLxObj, public TLxDevRef {
public:
    // High nibble 0 bit mode, 1 value mode, 2 value mode on a word's low byte;
    // low nibble the value length (0 16 bits, 1 32 bits).
    std::uint8_t StateMode = 0;
    std::uint8_t ValType = 0;
    // Non-zero: state i shows picture TotalState - 1 - i.
    std::uint8_t StateReverse = 0;
    // One picture per state at panel resolution, owned.
    std::vector<std::unique_ptr<TBitmap>> BmpList;
    // The value of each state (for the record).
    std::vector<std::uint32_t> StateVal;
    // The text of each state.
    std::vector<AnsiString> TxtList;
    // The file each state's picture was last loaded from (not stored: the session's).
    std::vector<AnsiString> FileList;
    std::uint32_t CurVal = 0;
    std::int32_t CurPt = 0;
    std::uint8_t TotalState = 0;

    // Keeps pictures, values and texts equal in number; fewer states show the last one.
    void SetStateNum(std::uint8_t n);
    // CurPt := state; clear the picture; redraw.
    void SetBmpPt(int state);
    // Bit mode: state 1 for a non-zero value, else 0; value mode: state 0.
    void CurRangeSelect(std::uint32_t v);
    // Loads a picture file into the shown state's picture, two-coloured. Pictures whose
    // band data would not fit the record are cut (see FitBandBudget). False when the file is
    // no picture or no state is shown.
    bool BmpLoad(const std::string& file, int w, int h);
    void BmpCopyIn(const TBitmap& source, int index) override;

    // Index of the picture the current state shows, or -1 when there is none.
    int ShownIndex() const;
    // State picture i, or null when there is none.
    TBitmap* StateBmp(int i);
    const TBitmap* StateBmp(int i) const;

    // The band format of state pictures (1:1, short last band).
    static int ActBmpSizeGet(const TBitmap& bmp) { return BtnBmpSizeGet(bmp); }
    static void ActBmpDataGet(std::span<std::uint8_t> dst, const TBitmap& bmp) { BtnBmpDataGet(dst, bmp); }
    // Unpacks into bmp as sized; the bytes used, or 0 (bmp untouched) when src is short.
    static int ActBmpDataSet(kes::ByteSpan src, TBitmap& bmp) { return BtnBmpDataSet(src, bmp); }
    // Sizes state picture i to w x h and fills it from src; the bytes used, or 0 (picture
    // untouched) when there is no such state or src holds fewer bytes than w x h needs.
    int StateBmpSet(int i, int w, int h, kes::ByteSpan src);

    void PaintData(int panelWidth, int panelHeight, std::span<std::uint8_t> bands) override;
    int PrePrnObjInf(TBitmap& page, int x, int y) override;

protected:
    explicit TStateBmpObj(int newPictureSide);
    // Bytes of the stored record apart from the band data of state skip's picture.
    virtual int RecordBytesBesides(int skip) const;
    // The size a loaded w x h file picture takes, given the caller's limits.
    virtual TSize LoadedSize(int fileWidth, int fileHeight, int w, int h) const = 0;
    // Resizes the kind's further per-state lists to n entries.
    virtual void ResizeStateExtras(std::size_t) {}

private:
    int newPictureSide_;
};

} // namespace kes
