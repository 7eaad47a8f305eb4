#pragma once
// TLight (kind 18): the lamp. Each state has a picture and a text, placed inside the
// object's box by position codes; the texts are rendered for the panel with the object font.
#include "objects/lxstatebmp.h"

class TLight : public kes::TStateBmpObj {
public:
    TLight();

    // A second text per state, kept in step with the states and not shown.
    std::vector<AnsiString> TxtList2;
    // Position codes: 0 left/top, 1 right/bottom, 2 centred; above 2 as 0.
    std::uint8_t TxtHPos = 0;
    std::uint8_t TxtVPos = 0;
    std::uint8_t BmpHPos = 0;
    std::uint8_t BmpVPos = 0;
    // Size of the last state text measured.
    int TxtW = 0;
    int TxtH = 0;
    // Carried in the record only.
    std::uint8_t LampOpt = 0;

    void SetTxtHPos(std::uint8_t v);
    void SetTxtVPos(std::uint8_t v);
    void SetBmpHPos(std::uint8_t v);
    void SetBmpVPos(std::uint8_t v);

    // The shown state's text measured with the object font, kept in TxtW or TxtH.
    int TxtWidth();
    int TxtHeight();
    // Over all states: the widest (tallest) text or picture; a state whose text beats the
    // largest so far is not compared by its picture.
    int GetMaxWidth() const;
    int GetMaxHeight() const;

    // State text i rendered with the object font in the band format: measures it into
    // TxtW and TxtH and returns the byte count (0 for no such state).
    int TxtBmpSizeGet(int i);
    // Writes at most dst.size() bytes; nothing when dst is empty.
    void TxtBmpDataGet(std::span<std::uint8_t> dst, int i);

    void BmpRePaint() override;

protected:
    int RecordBytesBesides(int skip) const override;
    TSize LoadedSize(int fileWidth, int fileHeight, int w, int h) const override;
    void ResizeStateExtras(std::size_t n) override { TxtList2.resize(n); }

private:
    TSize TextSize(int i) const;
};
