// Rows of the scale (kind 7), the bar graph (kind 8) and the circular meter (kind 9). Each
// has a pair of limits that bound each other: the maximum row takes values from the
// present minimum up to the format's largest, the minimum row from the format's smallest
// up to the present maximum.
#include "app/inspector/kindrows.h"

#include "objects/tcirmeter.h"
#include "objects/tprogbar.h"
#include "objects/tscale.h"

namespace kes {
namespace {

// The rows, named by what each shows (the property tables number them). Ref is the first
// row of the address group; Max the maximum row, the minimum row follows it.
namespace ScaleRow {
enum : int { FromMax = 5, NumberPlace = 6, PanelFont = 7, Divisions = 8, SubDivisions = 9, ValWidth = 10, Max = 11 };
} // namespace ScaleRow
namespace ProgBarRow {
enum : int { Ref = 5, Direction = 9, ValFormat = 10, ValWidth = 11, Max = 12 };
} // namespace ProgBarRow
namespace CirMeterRow {
enum : int {
    Ref = 5,
    Dial = 9,
    PanelFont = 10,
    Divisions = 11,
    SubDivisions = 12,
    ValFormat = 13,
    IntDigits = 14,
    DecDigits = 15,
    Max = 16,
};
} // namespace CirMeterRow

// The maximum row above the minimum row; each shows its own value.
void ShowLimitPair(KindRowContext& rows, int maxRow, std::int32_t max, std::int32_t min, int format, int width)
{
    ShowTextVal(rows.TextVal(maxRow), FormatMax(format, width), min, format, width, max);
    ShowTextVal(rows.TextVal(maxRow + 1), max, FormatMin(format, width), format, width, min);
}

// The maximum first, then the minimum, each from its own row when it was changed.
template <class T> void WriteLimitPair(KindRowContext& rows, int maxRow, T& max, T& min)
{
    if (rows.Changed(maxRow))
        max = static_cast<T>(rows.TextVal(maxRow).GetValue());
    if (rows.Changed(maxRow + 1))
        min = static_cast<T>(rows.TextVal(maxRow + 1).GetValue());
}

void WriteDivisions(KindRowContext& rows, int row, std::uint8_t& divisions)
{
    if (rows.Changed(row))
        divisions = static_cast<std::uint8_t>(rows.Val(row).GetValue());
}

} // namespace

// Rows 5-12: the direction of the numbers, their place, the panel font, the divisions,
// the width and the limits (signed).
void ReadScaleRows(KindRowContext& rows, TLxObj& obj)
{
    auto& s = static_cast<TScale&>(obj);
    ShowComboTxt(rows.Combo(ScaleRow::FromMax), s.ScaleDir >> 4, kMsgStateOffOn, 2);
    ShowComboTxt(rows.Combo(ScaleRow::NumberPlace), s.ScaleDir & 15, kMsgNumberPos, 4);
    ShowComboTxt(rows.Combo(ScaleRow::PanelFont), s.fontsize, kMsgPanelFont, 4);
    SetValRange(&rows.Val(ScaleRow::Divisions), 32, 2, s.MainDiv);
    SetValRange(&rows.Val(ScaleRow::SubDivisions), 30, 0, s.SubDiv);
    ShowComboTxt(rows.Combo(ScaleRow::ValWidth), s.ValLen, kMsgWidth, 2);
    ShowLimitPair(rows, ScaleRow::Max, s.ScaleMax, s.ScaleMin, FormatCode(ValFormat::Signed), s.ValLen);
}

void WriteScaleRows(KindRowContext& rows, TLxObj& obj)
{
    auto& s = static_cast<TScale&>(obj);
    if (const int c = ChangedChoice(rows, ScaleRow::FromMax); c >= 0)
        s.ScaleDir = static_cast<std::uint8_t>((c << 4) | (s.ScaleDir & 15));
    if (const int c = ChangedChoice(rows, ScaleRow::NumberPlace); c >= 0)
        s.ScaleDir = static_cast<std::uint8_t>((s.ScaleDir & 0xF0) | c);
    if (const int c = ChangedChoice(rows, ScaleRow::PanelFont); c >= 0)
        s.FontSet(c);
    WriteDivisions(rows, ScaleRow::Divisions, s.MainDiv);
    WriteDivisions(rows, ScaleRow::SubDivisions, s.SubDiv);
    if (const int c = ChangedChoice(rows, ScaleRow::ValWidth); c >= 0)
        s.ValLen = static_cast<std::uint8_t>(c);
    WriteLimitPair(rows, ScaleRow::Max, s.ScaleMax, s.ScaleMin);
}

// Rows 5-13: the address group (a word), the direction, format, width and limits.
void ReadProgBarRows(KindRowContext& rows, TLxObj& obj)
{
    auto& b = static_cast<TProgBar&>(obj);
    ReadAddressGroup(rows, ProgBarRow::Ref, b, ModeCode(AddrMode::Word), b.ValLen);
    ShowComboTxt(rows.Combo(ProgBarRow::Direction), b.ProgBarDirect, kMsgTextDir, 4);
    ShowComboTxt(rows.Combo(ProgBarRow::ValFormat), b.ValType, kMsgFormat, kNumberFormatCount);
    ShowComboTxt(rows.Combo(ProgBarRow::ValWidth), b.ValLen, kMsgWidth, 2);
    ShowLimitPair(rows, ProgBarRow::Max, b.BarMax, b.BarMin, b.ValType, b.ValLen);
}

void WriteProgBarRows(KindRowContext& rows, TLxObj& obj)
{
    auto& b = static_cast<TProgBar&>(obj);
    WriteAddressMemory(rows, ProgBarRow::Ref, b, true);
    WriteLinkStation(rows, ProgBarRow::Ref, b);
    if (const int c = ChangedChoice(rows, ProgBarRow::Direction); c >= 0)
        b.SetBarDir(static_cast<std::uint8_t>(c));
    if (const int c = ChangedChoice(rows, ProgBarRow::ValFormat); c >= 0)
        b.ValType = static_cast<std::uint8_t>(c);
    if (const int c = ChangedChoice(rows, ProgBarRow::ValWidth); c >= 0)
        b.ValLen = static_cast<std::uint8_t>(c);
    WriteAddressText(rows, ProgBarRow::Ref, b, ModeCode(AddrMode::Word), b.ValLen);
    WriteLimitPair(rows, ProgBarRow::Max, b.BarMax, b.BarMin);
}

// Rows 5-17: the address group (one word), the dial, the panel font, the divisions, the
// label format and digits, the limits.
void ReadCirMeterRows(KindRowContext& rows, TLxObj& obj)
{
    auto& m = static_cast<TCirMeter&>(obj);
    const int format = m.ValType & 15;
    ReadAddressGroup(rows, CirMeterRow::Ref, m, ModeCode(AddrMode::Word), 0);
    ShowComboTxt(rows.Combo(CirMeterRow::Dial), m.FullCircle != 0 ? 1 : 0, kMsgDial, 2);
    ShowComboTxt(rows.Combo(CirMeterRow::PanelFont), m.fontsize, kMsgPanelFont, 4);
    SetValRange(&rows.Val(CirMeterRow::Divisions), 32, 2, m.MajorTicks);
    SetValRange(&rows.Val(CirMeterRow::SubDivisions), 60, 0, m.MinorTicks);
    ShowComboTxt(rows.Combo(CirMeterRow::ValFormat), format, kMsgFormat, kNumberFormatCount);
    SetValRange(&rows.Val(CirMeterRow::IntDigits), MaxIntDigits(format, 0, m.LabelDecimals), 1, m.LabelIntDigits);
    rows.Val(CirMeterRow::IntDigits).SetVisible(!IsFormat(format, ValFormat::Binary));
    SetValRange(&rows.Val(CirMeterRow::DecDigits), MaxDecDigits(format, 0, m.LabelIntDigits), 0, m.LabelDecimals);
    rows.Val(CirMeterRow::DecDigits).SetVisible(IsDecimalFormat(format));
    ShowLimitPair(rows, CirMeterRow::Max, static_cast<std::int32_t>(m.MeterMax), static_cast<std::int32_t>(m.MeterMin),
                  format, 0);
}

void WriteCirMeterRows(KindRowContext& rows, TLxObj& obj)
{
    auto& m = static_cast<TCirMeter&>(obj);
    WriteAddressMemory(rows, CirMeterRow::Ref, m, true);
    WriteAddressText(rows, CirMeterRow::Ref, m, ModeCode(AddrMode::Word), 0);
    WriteLinkStation(rows, CirMeterRow::Ref, m);
    if (const int c = ChangedChoice(rows, CirMeterRow::Dial); c >= 0)
        m.FullCircle = c != 0;
    if (const int c = ChangedChoice(rows, CirMeterRow::PanelFont); c >= 0)
        m.FontSet(c);
    WriteDivisions(rows, CirMeterRow::Divisions, m.MajorTicks);
    WriteDivisions(rows, CirMeterRow::SubDivisions, m.MinorTicks);
    const int format = ChangedChoice(rows, CirMeterRow::ValFormat);
    if (format >= 0)
        m.ValType = static_cast<std::uint8_t>((m.ValType & 0xF0) | format);

    // A new format clamps the digit counts at once (5 integer digits with 2 decimals
    // become 3); otherwise a changed row is stored.
    TPropVal& intRow = rows.Val(CirMeterRow::IntDigits);
    TPropVal& decRow = rows.Val(CirMeterRow::DecDigits);
    if (format >= 0) {
        intRow.SetMax(MaxIntDigits(format, 0, m.LabelDecimals));
        m.LabelIntDigits = static_cast<std::uint8_t>(intRow.GetValue());
        decRow.SetMax(MaxDecDigits(format, 0, m.LabelIntDigits));
        m.LabelDecimals = static_cast<std::uint8_t>(decRow.GetValue());
    } else {
        if (rows.Changed(CirMeterRow::IntDigits))
            m.LabelIntDigits = static_cast<std::uint8_t>(intRow.GetValue());
        if (rows.Changed(CirMeterRow::DecDigits))
            m.LabelDecimals = static_cast<std::uint8_t>(decRow.GetValue());
    }
    WriteLimitPair(rows, CirMeterRow::Max, m.MeterMax, m.MeterMin);
}

} // namespace kes
