// Rows of the bit-state picture (kind 3), the bit-state picture of a word (kind 21) and the
// value-range picture (kind 4).
#include "app/inspector/kindrows.h"

#include "app/model/lxtypecore.h"
#include "objects/tlxadvdevbmp.h"
#include "objects/tvrgbmp.h"

namespace kes {
namespace {

constexpr int kWordBits = 16;

// The rows, named by what each shows (the property tables number them). Ref is the first
// row of the address group.
namespace DevBmpRow {
enum : int { Ref = 5, State = 9, OnPicture = 10, OffPicture = 11 };
} // namespace DevBmpRow
namespace AdvDevBmpRow {
enum : int { Ref = 5, Mode = 9, WordBit = 10, State = 11, OnPicture = 12, OffPicture = 13 };
} // namespace AdvDevBmpRow
namespace VrgBmpRow {
enum : int { Ref = 5, ValFormat = 9, ValWidth = 10, State = 11, StateValue = 12, StatePicture = 13, Order = 14 };
} // namespace VrgBmpRow

} // namespace

// Rows 5-11: the address group (a bit), the state shown, the ON and OFF pictures.
void ReadLxDevBmpRows(KindRowContext& rows, TLxObj& obj)
{
    auto& b = static_cast<TLxDevBmp&>(obj);
    ReadAddressGroup(rows, DevBmpRow::Ref, b, ModeCode(AddrMode::Bit), 0);
    ShowComboTxt(rows.Combo(DevBmpRow::State), b.CurPt, kMsgOffOn, 2);
    ShowBitPictureRow(rows.ComboBmp(DevBmpRow::OnPicture), b.OnBmp);
    ShowBitPictureRow(rows.ComboBmp(DevBmpRow::OffPicture), b.OffBmp);
}

void WriteLxDevBmpRows(KindRowContext& rows, TLxObj& obj)
{
    auto& b = static_cast<TLxDevBmp&>(obj);
    WriteAddressMemory(rows, DevBmpRow::Ref, b, false);
    WriteAddressText(rows, DevBmpRow::Ref, b, ModeCode(AddrMode::Bit), 0);
    WriteLinkStation(rows, DevBmpRow::Ref, b);
    if (const int c = ChangedChoice(rows, DevBmpRow::State); c >= 0)
        b.SetCurPt(c);
    if (const int c = ChangedBmpChoice(rows, DevBmpRow::OnPicture); c >= 0)
        b.SetOnBmp(static_cast<std::uint8_t>(c));
    if (const int c = ChangedBmpChoice(rows, DevBmpRow::OffPicture); c >= 0)
        b.SetOffBmp(static_cast<std::uint8_t>(c));
}

// Rows 5-13: the address group, bit or word mode, the bit of the word (word mode), the
// state shown and the pictures (bit mode).
void ReadAdvDevBmpRows(KindRowContext& rows, TLxObj& obj)
{
    auto& b = static_cast<TLxAdvDevBmp&>(obj);
    const bool word = b.ValMode != kBitFlags;
    ReadAddressGroup(rows, AdvDevBmpRow::Ref, b, word ? ModeCode(AddrMode::Word) : ModeCode(AddrMode::Bit), 0);
    ShowComboTxt(rows.Combo(AdvDevBmpRow::Mode), b.ValMode >> 4, kMsgAddrKind, 2);
    SetComboVal(&rows.ComboVal(AdvDevBmpRow::WordBit), b.BitNo, 0, kWordBits);
    rows.ComboVal(AdvDevBmpRow::WordBit).SetVisible(word);
    ShowComboTxt(rows.Combo(AdvDevBmpRow::State), b.CurPt, kMsgStateOffOn, 2);
    ShowBitPictureRow(rows.ComboBmp(AdvDevBmpRow::OnPicture), b.OnBmp);
    ShowBitPictureRow(rows.ComboBmp(AdvDevBmpRow::OffPicture), b.OffBmp);
    for (int i = AdvDevBmpRow::State; i <= AdvDevBmpRow::OffPicture; ++i)
        rows.Grid.Prop(i)->SetVisible(!word);
}

void WriteAdvDevBmpRows(KindRowContext& rows, TLxObj& obj)
{
    auto& b = static_cast<TLxAdvDevBmp&>(obj);
    // The memory of the device the object reads now: a word's in word mode.
    WriteAddressMemory(rows, AdvDevBmpRow::Ref, b, b.ValMode != kBitFlags);
    WriteLinkStation(rows, AdvDevBmpRow::Ref, b);
    const int mode = ChangedChoice(rows, AdvDevBmpRow::Mode);
    if (mode >= 0 && mode * kWordFlags != b.ValMode) {
        // Another mode takes the model's default device of that mode from bit 0; the
        // rows of the mode left behind go back to their first choice.
        b.ValMode = static_cast<std::uint8_t>(mode * kWordFlags);
        b.RefBitNo = 0;
        const bool word = b.ValMode != kBitFlags;
        ResetDevAddress(b, false, word, rows.Model);
        FormatDevText(b, word ? ModeCode(AddrMode::Word) : ModeCode(AddrMode::Bit), 0, rows.Model);
        if (word) {
            b.SetCurPt(0);
            b.SetOnBmp(0);
            b.SetOffBmp(0);
        } else {
            b.BitNo = 0;
        }
        return;
    }
    const bool word = b.ValMode != kBitFlags;
    WriteAddressText(rows, AdvDevBmpRow::Ref, b, word ? ModeCode(AddrMode::Word) : ModeCode(AddrMode::Bit), 0);
    if (const int c = ChangedValChoice(rows, AdvDevBmpRow::WordBit); c >= 0 && word)
        b.BitNo = static_cast<std::uint8_t>(c);
    if (word)
        return;
    if (const int c = ChangedChoice(rows, AdvDevBmpRow::State); c >= 0)
        b.SetCurPt(c);
    if (const int c = ChangedBmpChoice(rows, AdvDevBmpRow::OnPicture); c >= 0)
        b.SetOnBmp(static_cast<std::uint8_t>(c));
    if (const int c = ChangedBmpChoice(rows, AdvDevBmpRow::OffPicture); c >= 0)
        b.SetOffBmp(static_cast<std::uint8_t>(c));
}

// Rows 5-14: the address group (a word), format, width, the state shown, its value and
// picture, the order.
void ReadVrgBmpRows(KindRowContext& rows, TLxObj& obj)
{
    auto& v = static_cast<TVrgBmp&>(obj);
    ReadAddressGroup(rows, VrgBmpRow::Ref, v, ModeCode(AddrMode::Word), v.ValLen);
    ShowComboTxt(rows.Combo(VrgBmpRow::ValFormat), v.ValType, kMsgFormat, kNumberFormatCount);
    ShowComboTxt(rows.Combo(VrgBmpRow::ValWidth), v.ValLen, kMsgWidth, 2);
    if (v.CurPt < 0)
        v.SetCurPt(0);
    SetComboVal(&rows.ComboVal(VrgBmpRow::State), v.CurPt, 0, TVrgBmp::kStates);
    const int e = v.RangeOrder ? TVrgBmp::kStates - 1 - v.CurPt : v.CurPt;
    ShowFallingValue(rows.TextVal(VrgBmpRow::StateValue), v.StateBound, TVrgBmp::kStates, e, v.ValType, v.ValLen);
    ShowBitPictureRow(rows.ComboBmp(VrgBmpRow::StatePicture), e >= 0 && e < TVrgBmp::kStates ? v.StatePic[e] : -1);
    ShowComboTxt(rows.Combo(VrgBmpRow::Order), v.RangeOrder ? 1 : 0, kMsgOrder, 2);
}

void WriteVrgBmpRows(KindRowContext& rows, TLxObj& obj)
{
    auto& v = static_cast<TVrgBmp&>(obj);
    WriteAddressMemory(rows, VrgBmpRow::Ref, v, true);
    WriteLinkStation(rows, VrgBmpRow::Ref, v);
    if (const int c = ChangedChoice(rows, VrgBmpRow::ValFormat); c >= 0)
        v.ValType = static_cast<std::uint8_t>(c);
    if (const int c = ChangedChoice(rows, VrgBmpRow::ValWidth); c >= 0)
        v.ValLen = static_cast<std::uint8_t>(c);
    WriteAddressText(rows, VrgBmpRow::Ref, v, ModeCode(AddrMode::Word), v.ValLen);

    // Another state shown is all that edit stores: its value and picture appear with the
    // next read.
    if (const int s = ChangedValChoice(rows, VrgBmpRow::State); s >= 0 && s != v.CurPt) {
        v.SetCurPt(s);
        return;
    }
    const int e = v.RangeOrder ? TVrgBmp::kStates - 1 - v.CurPt : v.CurPt;
    if (e >= 0 && e < TVrgBmp::kStates) {
        if (const int c = ChangedBmpChoice(rows, VrgBmpRow::StatePicture); c >= 0)
            v.StatePic[static_cast<std::size_t>(e)] = static_cast<std::uint8_t>(c);
        if (rows.Changed(VrgBmpRow::StateValue))
            v.StateBound[static_cast<std::size_t>(e)] =
                static_cast<std::uint32_t>(rows.TextVal(VrgBmpRow::StateValue).GetValue());
    }
    // The order mirrors the pictures; the values stay where they are.
    if (const int c = ChangedChoice(rows, VrgBmpRow::Order); c >= 0 && (c != 0) != (v.RangeOrder != 0)) {
        for (int i = 0; i < TVrgBmp::kStates / 2; ++i)
            std::swap(v.StatePic[static_cast<std::size_t>(i)],
                      v.StatePic[static_cast<std::size_t>(TVrgBmp::kStates - 1 - i)]);
        v.RangeOrder = static_cast<std::uint8_t>(c);
    }
}

} // namespace kes
