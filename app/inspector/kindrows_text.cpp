// Rows of the static text (kind 1) and the numeric display (kind 2).
#include "app/inspector/kindrows.h"

#include "objects/tlxval.h"
#include "objects/tsttxt.h"

namespace kes {
namespace {

// A numeric display's format and its choice: the choices follow the codes up to binary,
// the seventh is floating.
constexpr int kFloatChoice = 6;
int FormatChoice(std::uint8_t format) { return IsFormat(format, ValFormat::Float) ? kFloatChoice : format; }
std::uint8_t FormatOfChoice(int choice)
{
    return choice == kFloatChoice ? FormatCode(ValFormat::Float) : static_cast<std::uint8_t>(choice);
}

// Binary values are one word; floating values are always two words.
std::uint8_t FixedWidth(std::uint8_t format) { return IsFormat(format, ValFormat::Float) ? 1 : 0; }

// The width a display's value has: its format's own, else the stored one (an unset one
// counts as one word).
std::uint8_t WidthOf(const TLxVal& v)
{
    if (WidthFixed(v.ValType))
        return FixedWidth(v.ValType);
    return v.ValLen > 254 ? 0 : v.ValLen;
}

// The numeric display's rows, named by what each shows (the inspector's property table
// numbers them).
namespace LxValRow {
enum : int {
    InternalMem = 5, // panel memory rather than the controller's (hidden); the address group
    Address = 6,
    Link = 7,
    Station = 8,
    Frame = 9,
    PanelFont = 10,
    HAlign = 11,
    ZeroFill = 12,
    ValFormat = 13, // the object's ValType
    ValWidth = 14,  // the object's ValLen
    IntDigits = 15, // IntNum
    DecDigits = 16, // DecNum
};
} // namespace LxValRow

} // namespace

// Rows 5-9: frame, direction, horizontal and vertical alignment, font.
void ReadStTxtRows(KindRowContext& rows, TLxObj& obj)
{
    auto& t = static_cast<TStTxt&>(obj);
    ShowComboTxt(rows.Combo(5), t.ObjFrame, kMsgFrame, 6);
    ShowComboTxt(rows.Combo(6), t.TxtDir, kMsgTextDir, 4);
    ShowComboTxt(rows.Combo(7), t.TxtHPos, kMsgHPos, 3);
    ShowComboTxt(rows.Combo(8), t.TxtVPos, kMsgVPos, 3);
    SetFontRow(&rows.FontRow(9), &t.Picture.Canvas()->Font);
}

void WriteStTxtRows(KindRowContext& rows, TLxObj& obj)
{
    auto& t = static_cast<TStTxt&>(obj);
    if (const int c = ChangedChoice(rows, 5); c >= 0)
        t.SetObjFrame(static_cast<std::uint8_t>(c));
    if (const int c = ChangedChoice(rows, 6); c >= 0)
        t.SetDirect(static_cast<std::uint8_t>(c));
    if (const int c = ChangedChoice(rows, 7); c >= 0)
        t.SetHPos(static_cast<std::uint8_t>(c));
    if (const int c = ChangedChoice(rows, 8); c >= 0)
        t.SetVPos(static_cast<std::uint8_t>(c));
    WriteFontRow(rows, 9, t.Picture.Canvas()->Font);
}

// Rows 5-16: the address group, frame, panel font, alignment, leading zeros, format,
// width, integer and decimal digits.
void ReadLxValRows(KindRowContext& rows, TLxObj& obj)
{
    auto& v = static_cast<TLxVal&>(obj);
    const std::uint8_t width = WidthOf(v);
    ReadAddressGroup(rows, LxValRow::InternalMem, v, ModeCode(AddrMode::Word), width);
    ShowComboTxt(rows.Combo(LxValRow::Frame), v.ObjFrame, kMsgFrame, 6);
    ShowComboTxt(rows.Combo(LxValRow::PanelFont), v.fontsize, kMsgPanelFont, 4);
    ShowComboTxt(rows.Combo(LxValRow::HAlign), v.HPos, kMsgHPos, 3);
    ShowComboTxt(rows.Combo(LxValRow::ZeroFill), v.HZero == 2 ? 1 : 0, kMsgNoYes, 2);
    rows.Combo(LxValRow::ZeroFill).SetVisible(!IsFormat(v.ValType, ValFormat::Float));
    ShowComboTxt(rows.Combo(LxValRow::ValFormat), FormatChoice(v.ValType), kMsgFormat, 7);
    ShowComboTxt(rows.Combo(LxValRow::ValWidth), width, kMsgWidth, 2);
    rows.Combo(LxValRow::ValWidth).SetVisible(!WidthFixed(v.ValType));
    SetValRange(&rows.Val(LxValRow::IntDigits), MaxIntDigits(v.ValType, width, v.DecNum), 1, v.IntNum);
    rows.Val(LxValRow::IntDigits).SetVisible(!WidthFixed(v.ValType));
    SetValRange(&rows.Val(LxValRow::DecDigits), MaxDecDigits(v.ValType, width, v.IntNum), 0, v.DecNum);
    rows.Val(LxValRow::DecDigits).SetVisible(IsDecimalFormat(v.ValType));
}

void WriteLxValRows(KindRowContext& rows, TLxObj& obj)
{
    auto& v = static_cast<TLxVal&>(obj);
    const std::uint8_t oldFormat = v.ValType;

    WriteAddressMemory(rows, LxValRow::InternalMem, v, true);
    WriteLinkStation(rows, LxValRow::InternalMem, v);
    if (const int c = ChangedChoice(rows, LxValRow::Frame); c >= 0)
        v.SetObjFrame(static_cast<std::uint8_t>(c));
    if (const int c = ChangedChoice(rows, LxValRow::PanelFont); c >= 0)
        v.FontSet(c);
    if (const int c = ChangedChoice(rows, LxValRow::HAlign); c >= 0)
        v.HPos = static_cast<std::uint8_t>(c);
    if (const int c = ChangedChoice(rows, LxValRow::ZeroFill); c >= 0 && rows.Combo(LxValRow::ZeroFill).IsVisible())
        v.HZero = c != 0 ? 2 : 0;
    if (const int c = ChangedChoice(rows, LxValRow::ValFormat); c >= 0)
        v.ValType = FormatOfChoice(c);
    if (const int c = ChangedChoice(rows, LxValRow::ValWidth); c >= 0)
        v.ValLen = static_cast<std::uint8_t>(c);
    // A format of its own width takes it when chosen; a stored odd width stays otherwise.
    if (v.ValType != oldFormat && WidthFixed(v.ValType))
        v.ValLen = FixedWidth(v.ValType);

    WriteAddressText(rows, LxValRow::InternalMem, v, ModeCode(AddrMode::Word), WidthOf(v));

    if (v.ValType != oldFormat) {
        const bool two = WidthOf(v) != 0;
        const ValFormat f = ValFormatOf(v.ValType);
        if (f == ValFormat::Hex || f == ValFormat::Bcd || f == ValFormat::Ascii)
            v.IntNum = two ? 8 : 4;
        else if (IsDecimalFormat(f))
            v.IntNum = two ? 10 : 5;
        v.DecNum = 0;
    } else {
        // Hidden digit rows hold clamped stand-ins (a binary display's bit count does not
        // fit the decimal limits), so only shown ones are stored.
        if (rows.Changed(LxValRow::IntDigits) && rows.Val(LxValRow::IntDigits).IsVisible())
            v.IntNum = static_cast<std::uint8_t>(rows.Val(LxValRow::IntDigits).GetValue());
        if (rows.Changed(LxValRow::DecDigits) && rows.Val(LxValRow::DecDigits).IsVisible())
            v.DecNum = static_cast<std::uint8_t>(rows.Val(LxValRow::DecDigits).GetValue());
    }
}

} // namespace kes
