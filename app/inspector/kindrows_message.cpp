// Rows of the message text (kind 12).
#include "app/inspector/kindrows.h"

#include "app/model/lxtypecore.h"
#include "objects/tmsgtxt.h"
#include "platform/codepage.h"

namespace kes {
namespace {

constexpr int kRunning = 2; // the display mode that moves the text

// The rows, named by what each shows (the property table numbers them). Ref is the first
// row of the address group.
namespace MsgRow {
enum : int {
    Ref = 5,
    Mode = 9,
    Display = 10,
    Direction = 11,
    Speed = 12,
    ValFormat = 13,
    ValWidth = 14,
    States = 15,
    State = 16,
    StateValue = 17,
    Message = 18,
    Font = 19,
    Order = 20,
};
} // namespace MsgRow

constexpr StateListRows kListRows = {MsgRow::Ref,    MsgRow::Mode,  MsgRow::ValFormat,  MsgRow::ValWidth,
                                     MsgRow::States, MsgRow::State, MsgRow::StateValue, MsgRow::Order};

StateList ListOf(TMsgTxt& m)
{
    return {m.StateMode,
            m.ValType,
            m.StateReverse,
            m.TotalState,
            m.CurPt,
            m.StateVal,
            [&m] { return m.ShownMessage(); },
            [&m](int s) { m.SetMsgPt(s); },
            [&m](std::uint8_t n) { m.SetStateNum(n); }};
}

} // namespace

// Rows 5-20: the address group, the address kind, display mode, direction and speed,
// format, width, the number of states, the state shown, its value and message, the font
// and the order.
void ReadMsgTxtRows(KindRowContext& rows, TLxObj& obj)
{
    auto& m = static_cast<TMsgTxt&>(obj);
    const int display = m.MoveMode >> 4;
    ReadStateList(rows, kListRows, m, ListOf(m));
    ShowComboTxt(rows.Combo(MsgRow::Display), display, kMsgDisplay, 3);
    ShowComboTxt(rows.Combo(MsgRow::Direction), display == kRunning ? m.MoveMode & 15 : 0, kMsgTextDir, 4);
    rows.Combo(MsgRow::Direction).SetVisible(display == kRunning);
    ShowComboTxt(rows.Combo(MsgRow::Speed), display == kRunning ? m.MoveInterval : 0, kMsgSpeed, 5);
    rows.Combo(MsgRow::Speed).SetVisible(display == kRunning);
    const int e = m.ShownMessage();
    rows.Text(MsgRow::Message)
        .SetTextAndTag(e >= 0 ? AnsiToQString(m.Messages[static_cast<std::size_t>(e)]) : QString(), 0);
    SetFontRow(&rows.FontRow(MsgRow::Font), &m.Picture.Canvas()->Font);
}

void WriteMsgTxtRows(KindRowContext& rows, TLxObj& obj)
{
    auto& m = static_cast<TMsgTxt&>(obj);
    // The display mode; direction and speed belong to the running text only.
    if (const int c = ChangedChoice(rows, MsgRow::Display); c >= 0) {
        m.MoveMode = static_cast<std::uint8_t>(c << 4 | (c == kRunning ? m.MoveMode & 15 : 0));
        if (c != kRunning)
            m.MoveInterval = 0;
    }
    if (const int c = ChangedChoice(rows, MsgRow::Direction); c >= 0 && (m.MoveMode >> 4) == kRunning)
        m.MoveMode = static_cast<std::uint8_t>((m.MoveMode & 0xF0) | c);
    if (const int c = ChangedChoice(rows, MsgRow::Speed); c >= 0 && (m.MoveMode >> 4) == kRunning)
        m.MoveInterval = static_cast<std::uint8_t>(c);
    WriteFontRow(rows, MsgRow::Font, m.Picture.Canvas()->Font);

    // The shown message, unless the edit switched the kind or the state.
    const StateList list = ListOf(m);
    if (WriteStateList(rows, kListRows, m, list) && rows.Changed(MsgRow::Message)) {
        if (const int e = m.ShownMessage(); e >= 0)
            m.Messages[static_cast<std::size_t>(e)] = QStringToAnsi(rows.Text(MsgRow::Message).GetText());
    }
    // The order turns the messages end for end; the values stay where they are.
    WriteStateOrder(rows, kListRows, list, [&](std::size_t a, std::size_t b) {
        if (b < m.Messages.size())
            std::swap(m.Messages[a], m.Messages[b]);
    });
}

} // namespace kes
