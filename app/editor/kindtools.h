#pragma once
// What the page editor offers for an object of each kind: the object tool panel of the main
// window (text and picture buttons, alignment, the text box, the state box) and what a
// double click does.
#include "objects/objkind.h"

#include <cstdint>

namespace kes {

// The edit tools shown for one selected object: none; the static text's lines; a value's
// (no text, picture or font); the message text's states (no picture, no alignment); the
// state texts and pictures of the button and the lamp; a picture (no text, no alignment).
enum class ToolPanel : std::uint8_t { None, Lines, Value, Message, StateTexts, Picture };

// What the state box shows: nothing; ON and OFF; the kind's list of states.
enum class StateTool : std::uint8_t { None, OnOff, States };

// What the text box edits: nothing; the static text's lines; the text of the shown state.
enum class TextTool : std::uint8_t { None, Lines, StateTexts };

// What a double click on the object does: opens its settings dialog, or loads a picture
// into it with the main window's picture command.
enum class DoubleClick : std::uint8_t { Dialog, LoadPicture };

struct KindTools {
    ObjKind Kind;
    ToolPanel Panel;
    StateTool States;
    TextTool Texts;
    bool AlignsVertically; // the vertical alignment buttons apply (with the value panel)
    bool OnStartScreen;    // the start-up screen editor offers it
    DoubleClick OnDoubleClick;
};

const KindTools& KindToolsOf(ObjKind kind);
// The tools of obj's kind; null for an object whose ObjType names no kind.
const KindTools* KindToolsOf(const TLxObj& obj);

} // namespace kes
