// Rows of the numeric input (kind 20): the write address, an optional read address, an
// optional notify bit, a function key, the user level, the look and the value's format,
// digits and limits.
#include "app/inspector/kindrows.h"

#include "app/model/lxtypecore.h"
#include "objects/tlxgetval.h"

namespace kes {
namespace {

// The rows, named by what each shows (the property table numbers them). A reference's
// address group follows its used row; WriteRef is the write address's group.
namespace GetValRow {
enum : int {
    WriteRef = 5,
    ReadUsed = 9,
    NotifyUsed = 14,
    Timing = 19,
    NotifyState = 20,
    KeyUsed = 21,
    Key = 22,
    UserLevel = 23,
    Frame = 24,
    PanelFont = 25,
    HAlign = 26,
    VAlign = 27,
    ValFormat = 28,
    ValWidth = 29,
    IntDigits = 30,
    DecDigits = 31,
    Max = 32,
    Min = 33,
};
} // namespace GetValRow

// A binary value is one word and a floating one two, whatever width is stored with them.
std::uint8_t WidthOf(const TLxGetVal& v)
{
    if (IsFormat(v.ValType, ValFormat::Binary))
        return 0;
    return IsFormat(v.ValType, ValFormat::Float) ? 1 : v.ValLen;
}

} // namespace

// Rows 5-33; see the file's head.
void ReadGetValRows(KindRowContext& rows, TLxObj& obj)
{
    auto& v = static_cast<TLxGetVal&>(obj);
    const std::uint8_t width = WidthOf(v);
    const bool fixed = WidthFixed(v.ValType);
    const bool number = TypedAsNumber(v.ValType);
    const int nf = NumberRowFormat(v.ValType);
    ReadAddressGroup(rows, GetValRow::WriteRef, v.WriteDev, ModeCode(AddrMode::Word), width);
    ReadOptionalRef(rows, GetValRow::ReadUsed, v.ReadUsed, v.ReadDev, ModeCode(AddrMode::Word), width, true);
    // The notify address is a bit, set or reset before or after the write.
    ReadOptionalRef(rows, GetValRow::NotifyUsed, v.NotifyUsed, v.NotifyDev, ModeCode(AddrMode::Bit), 0, true);
    ShowComboTxt(rows.Combo(GetValRow::Timing), v.NotifyOrder, kMsgTiming, 2);
    ShowComboTxt(rows.Combo(GetValRow::NotifyState), v.NotifyState, kMsgResetSet, 2);
    rows.Combo(GetValRow::Timing).SetVisible(v.NotifyUsed != 0);
    rows.Combo(GetValRow::NotifyState).SetVisible(v.NotifyUsed != 0);
    ReadFunctionKey(rows, GetValRow::KeyUsed, GetValRow::Key, v.RefKey);
    SetComboVal(&rows.ComboVal(GetValRow::UserLevel), v.UserLevel, 0, 5);
    ShowComboTxt(rows.Combo(GetValRow::Frame), v.ObjFrame, kMsgFrame, 6);
    ShowComboTxt(rows.Combo(GetValRow::PanelFont), v.fontsize, kMsgPanelFont, 4);
    ShowComboTxt(rows.Combo(GetValRow::HAlign), v.HPos, kMsgHPos, 3);
    ShowComboTxt(rows.Combo(GetValRow::VAlign), v.VPos, kMsgVPos, 3);
    ShowValueFormat(rows.Combo(GetValRow::ValFormat), v.ValType);
    ShowComboTxt(rows.Combo(GetValRow::ValWidth), width, kMsgWidth, 2);
    rows.Combo(GetValRow::ValWidth).SetVisible(!fixed);
    SetValRange(&rows.Val(GetValRow::IntDigits), MaxIntDigits(v.ValType, width, v.DecNum), 1, v.IntNum);
    rows.Val(GetValRow::IntDigits).SetVisible(!fixed);
    SetValRange(&rows.Val(GetValRow::DecDigits), MaxDecDigits(v.ValType, width, v.IntNum), 0, v.DecNum);
    rows.Val(GetValRow::DecDigits).SetVisible(IsDecimalFormat(v.ValType));
    ShowTextVal(rows.TextVal(GetValRow::Max), FormatMax(nf, width), v.ValMin, nf, width, v.ValMax);
    ShowTextVal(rows.TextVal(GetValRow::Min), v.ValMax, FormatMin(nf, width), nf, width, v.ValMin);
    rows.TextVal(GetValRow::Max).SetVisible(number);
    rows.TextVal(GetValRow::Min).SetVisible(number);
}

void WriteGetValRows(KindRowContext& rows, TLxObj& obj)
{
    auto& v = static_cast<TLxGetVal&>(obj);
    const std::uint8_t oldFormat = v.ValType;
    const std::uint8_t oldWidth = v.ValLen;

    WriteOptionalRef(rows, GetValRow::ReadUsed, v.ReadUsed, v.ReadDev, ModeCode(AddrMode::Word), WidthOf(v));
    if (WriteOptionalRef(rows, GetValRow::NotifyUsed, v.NotifyUsed, v.NotifyDev, ModeCode(AddrMode::Bit), 0) &&
        !v.NotifyUsed) {
        v.NotifyOrder = 0;
        v.NotifyState = 0;
    }
    if (const int c = ChangedChoice(rows, GetValRow::Timing); c >= 0 && v.NotifyUsed)
        v.NotifyOrder = static_cast<std::uint8_t>(c);
    if (const int c = ChangedChoice(rows, GetValRow::NotifyState); c >= 0 && v.NotifyUsed)
        v.NotifyState = static_cast<std::uint8_t>(c);
    WriteFunctionKey(rows, GetValRow::KeyUsed, GetValRow::Key, v.RefKey, KeyRule::Input);
    WriteUserLevel(rows, GetValRow::UserLevel, v.UserLevel);
    if (const int c = ChangedChoice(rows, GetValRow::Frame); c >= 0)
        v.SetObjFrame(static_cast<std::uint8_t>(c));
    if (const int c = ChangedChoice(rows, GetValRow::PanelFont); c >= 0)
        v.FontSet(c);
    if (const int c = ChangedChoice(rows, GetValRow::HAlign); c >= 0)
        v.HPos = static_cast<std::uint8_t>(c);
    if (const int c = ChangedChoice(rows, GetValRow::VAlign); c >= 0)
        v.VPos = static_cast<std::uint8_t>(c);
    if (const int f = ChangedValueFormat(rows, GetValRow::ValFormat); f >= 0)
        v.ValType = static_cast<std::uint8_t>(f);
    if (const int c = ChangedChoice(rows, GetValRow::ValWidth); c >= 0 && !WidthFixed(v.ValType))
        v.ValLen = static_cast<std::uint8_t>(c);
    if (v.ValType != oldFormat && WidthFixed(v.ValType))
        v.ValLen = WidthOf(v);

    WriteAddressMemory(rows, GetValRow::WriteRef, v.WriteDev, true);
    WriteAddressText(rows, GetValRow::WriteRef, v.WriteDev, ModeCode(AddrMode::Word), WidthOf(v));
    WriteLinkStation(rows, GetValRow::WriteRef, v.WriteDev);

    // Digits: a new format or width clamps them to what it allows; else a changed row is
    // stored.
    TPropVal& intRow = rows.Val(GetValRow::IntDigits);
    TPropVal& decRow = rows.Val(GetValRow::DecDigits);
    if (v.ValType != oldFormat || v.ValLen != oldWidth) {
        if (!WidthFixed(v.ValType)) {
            intRow.SetMax(MaxIntDigits(v.ValType, v.ValLen, v.DecNum));
            v.IntNum = static_cast<std::uint8_t>(intRow.GetValue());
        }
        decRow.SetMax(MaxDecDigits(v.ValType, v.ValLen, v.IntNum));
        v.DecNum = static_cast<std::uint8_t>(decRow.GetValue());
    } else {
        if (rows.Changed(GetValRow::IntDigits) && intRow.IsVisible())
            v.IntNum = static_cast<std::uint8_t>(intRow.GetValue());
        if (rows.Changed(GetValRow::DecDigits) && decRow.IsVisible())
            v.DecNum = static_cast<std::uint8_t>(decRow.GetValue());
    }
    if (rows.Changed(GetValRow::Max) && rows.TextVal(GetValRow::Max).IsVisible())
        v.ValMax = rows.TextVal(GetValRow::Max).GetValue();
    if (rows.Changed(GetValRow::Min) && rows.TextVal(GetValRow::Min).IsVisible())
        v.ValMin = rows.TextVal(GetValRow::Min).GetValue();
}

} // namespace kes
