// The state list shared by the multi-state picture, the lamp and the message text.
#include "app/inspector/kindrows.h"

#include "app/model/lxtypecore.h"

#include <algorithm>

namespace kes {
namespace {

constexpr int kModes = ModeCode(AddrMode::Either) + 1; // bit, value, low byte of a word
constexpr int kBitStates = 2;
constexpr int kMaxStates = 255;
constexpr int kMaxLowByteStates = 16;
constexpr int kValueMode = ModeCode(AddrMode::Word);

int MaxStatesOf(int mode) { return IsMode(mode, AddrMode::Either) ? kMaxLowByteStates : kMaxStates; }

} // namespace

void ReadStateList(KindRowContext& rows, const StateListRows& r, TLxDevRef& ref, const StateList& s)
{
    const int mode = s.KindByte >> 4;
    const int width = s.KindByte & 15;
    const bool word = mode != 0;
    ReadAddressGroup(rows, r.Ref, ref, static_cast<std::uint8_t>(mode), static_cast<std::uint8_t>(width));
    ShowComboTxt(rows.Combo(r.Mode), mode, kMsgAddrKind, kModes);
    ShowComboTxt(rows.Combo(r.ValFormat), word ? s.ValType : FormatCode(ValFormat::Unsigned), kMsgFormat,
                 kNumberFormatCount);
    ShowComboTxt(rows.Combo(r.ValWidth), word ? width : 0, kMsgWidth, 2);
    SetValRange(&rows.Val(r.States), word ? MaxStatesOf(mode) : kBitStates, word ? 1 : kBitStates, s.Total);
    for (int i : {r.ValFormat, r.ValWidth, r.States})
        rows.Grid.Prop(i)->SetVisible(word);
    if (s.CurPt < 0)
        s.Show(0);
    SetComboVal(&rows.ComboVal(r.State), s.CurPt, 0, s.Total);
    TPropTextVal& value = rows.TextVal(r.StateValue);
    if (word) {
        ShowFallingValue(value, s.Values, s.Total, s.Entry(), s.ValType, width);
    } else {
        SetTextValRange(&value, 0, 0, FormatCode(ValFormat::Unsigned), 0, 0);
        value.SetText(QString());
    }
    value.SetVisible(word);
    // Low-byte states keep the order the values are set in.
    TPropComboTxt& order = rows.Combo(r.Order);
    if (mode == kValueMode)
        ShowComboTxt(order, s.Reverse ? 1 : 0, kMsgOrder, 2);
    else
        order.SetText(QString());
    order.SetVisible(mode == kValueMode);
}

bool WriteStateList(KindRowContext& rows, const StateListRows& r, TLxDevRef& ref, const StateList& s)
{
    const int oldMode = s.KindByte >> 4;
    int width = s.KindByte & 15;
    WriteAddressMemory(rows, r.Ref, ref, oldMode != 0);
    WriteLinkStation(rows, r.Ref, ref);
    int mode = oldMode;
    if (const int c = ChangedChoice(rows, r.Mode); c >= 0)
        mode = c;
    if (mode == 0) {
        if (oldMode != 0)
            s.ValType = FormatCode(ValFormat::Unsigned);
        width = 0;
    } else {
        if (const int c = ChangedChoice(rows, r.ValFormat); c >= 0)
            s.ValType = static_cast<std::uint8_t>(c);
        if (const int c = ChangedChoice(rows, r.ValWidth); c >= 0)
            width = c;
    }
    if (mode == oldMode) {
        WriteAddressText(rows, r.Ref, ref, static_cast<std::uint8_t>(mode), static_cast<std::uint8_t>(width));
    } else {
        // Another mode takes the model's default device of that mode; the bit index stays.
        ResetDevAddress(ref, false, mode != 0, rows.Model);
        FormatDevText(ref, static_cast<std::uint8_t>(mode), static_cast<std::uint8_t>(width), rows.Model);
    }
    s.KindByte = static_cast<std::uint8_t>(mode << 4 | width);

    // A switch of mode takes the count the mode allows.
    if (mode != oldMode) {
        if (mode == 0) {
            s.Show(s.CurPt < kBitStates ? s.CurPt : 0);
            s.Count(kBitStates);
        } else if (s.Total > MaxStatesOf(mode)) {
            s.Count(static_cast<std::uint8_t>(MaxStatesOf(mode)));
        }
        return false;
    }
    const int shown = s.CurPt;
    if (const int st = ChangedValChoice(rows, r.State); st >= 0)
        s.Show(st < s.Total ? st : 0);
    if (mode != 0 && rows.Changed(r.States))
        s.Count(static_cast<std::uint8_t>(rows.Val(r.States).GetValue()));
    if (s.CurPt != shown)
        return false;
    const int e = s.Entry();
    if (mode != 0 && e >= 0 && rows.Changed(r.StateValue) && e < static_cast<int>(s.Values.size()))
        s.Values[static_cast<std::size_t>(e)] = static_cast<std::uint32_t>(rows.TextVal(r.StateValue).GetValue());
    return true;
}

void WriteStateOrder(KindRowContext& rows, const StateListRows& r, const StateList& s,
                     const std::function<void(std::size_t, std::size_t)>& exchange)
{
    const int c = ChangedChoice(rows, r.Order);
    if (c < 0 || (s.KindByte >> 4) != kValueMode || (c != 0) == (s.Reverse != 0))
        return;
    for (int i = 0; i < s.Total / 2; ++i)
        exchange(static_cast<std::size_t>(i), static_cast<std::size_t>(s.Total - 1 - i));
    s.Reverse = static_cast<std::uint8_t>(c);
}

} // namespace kes
