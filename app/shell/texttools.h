#pragma once
// The text and state tools of the tool bar: the state box and its up-down choose the state
// the current object shows, the font box gives a value-kind object its panel font, and the
// memo edits the static text's lines or the current state's text, stored into the object as
// the user types. Each routes to the editor of the edit mode (TEditPage's tool panel
// commands), which changes the object.
class TKhm;

namespace kes {

void TbState_BoxChange(TKhm& khm);
// up: the next state, else the previous one, held within the list.
void TbState_UDChange(TKhm& khm, bool up);
void TbFont_BoxChange(TKhm& khm);
void TbMemoChange(TKhm& khm);
void TbMemo_UDClick(TKhm& khm);
void TbMemoExit(TKhm& khm);

// Connects the tools' signals (user changes only).
void InstallTextTools(TKhm& khm);

} // namespace kes
