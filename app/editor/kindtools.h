#pragma once
// What the page editor offers for an object of each kind: the object tool panel of the main
// window (text and picture buttons, alignment, the text box, the state box), what a double
// click does, and what the tool panel's commands change in the object.
#include "objects/objkind.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <string>

class QPlainTextEdit;
class QSpinBox;

namespace kes {

class Prompt;

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

// The states the state box lists for an object: how many, and the one shown.
struct ShownStates {
    int Total = 0;
    int Current = 0;
};

// The text box as a kind fills it for its object.
struct TextBoxFill {
    QPlainTextEdit& Memo;
    QSpinBox* Line; // the static text's line selector; null: none
    int State;      // the state box's choice; -1: none
};

// What the user typed into the text box, for the object's text of the state or line chosen.
struct TypedText {
    QString Typed;
    int State;     // the state box's choice; -1: none
    int Line;      // the line selector's value
    int GridWidth; // the page's picture pixels per panel pixel
    // Set by a kind that took less than was typed: what the text box shows instead.
    std::optional<QString> Retyped;
};

// A text position button: horizontal (0 left, 1 right, 2 centre) or vertical (0 top,
// 1 bottom, 2 middle), for the text or the picture as the tool bar's mode says (neither: no
// mode chosen).
struct TextPlace {
    bool Vertical;
    std::uint8_t Code;
    bool Text;
    bool Picture;
};

// A picture file for the object: the panel's size bounds it; State is the state box's choice
// (-1: none). Ask tells the user when the kind needs a state and none is chosen.
struct PictureFile {
    std::string File;
    int Width;
    int Height;
    int State;
    Prompt& Ask;
};

// What became of a picture file: not taken (the kind takes none, or no state is chosen for
// it), taken but not loaded, loaded.
enum class PictureLoad : std::uint8_t { NotTaken, Failed, Loaded };

// What the editor changes in an object of a kind: the tool panel's commands, and the caption
// a decoded object takes. Each operation is typed over the kind's class, and a null one leaves
// the kind's objects alone.
struct KindEdits {
    // The states the state box lists.
    ShownStates (*States)(const TLxObj& obj) = nullptr;
    // The state box chose state s: the object shows it. Returns the text the text box then
    // shows, none when the kind's states have no texts.
    std::optional<AnsiString> (*ChooseState)(TLxObj& obj, int s) = nullptr;
    // The text box (and the line selector) filled with the object's text of the state or line
    // it shows.
    void (*FillTextBox)(TLxObj& obj, const TextBoxFill& box) = nullptr;
    // The line selector chose line i: a line past the end is added. Returns the line's text.
    std::optional<AnsiString> (*ChooseLine)(TLxObj& obj, int i) = nullptr;
    // The typed text stored as the object's text of the state or line chosen; false when
    // nothing was stored (no state chosen where the kind needs one).
    bool (*StoreText)(TLxObj& obj, TypedText& text) = nullptr;
    // A text position button; false when the object has no such position.
    bool (*PlaceText)(TLxObj& obj, const TextPlace& place) = nullptr;
    // A picture file loaded into the object.
    PictureLoad (*LoadPicture)(TLxObj& obj, const PictureFile& file) = nullptr;
    // The object shows a value it reads: the text box and the picture take nothing.
    bool (*ShowsReadValue)(const TLxObj& obj) = nullptr;
    // After a decode: the print caption the object takes from the caption of its kind's menu
    // item; null: the object keeps its own.
    void (*PrintCaption)(TLxObj& obj, const QString& menuCaption) = nullptr;
};

struct KindTools {
    ObjKind Kind;
    ToolPanel Panel;
    StateTool States;
    TextTool Texts;
    bool AlignsVertically; // the vertical alignment buttons apply (with the value panel)
    bool OnStartScreen;    // the start-up screen editor offers it
    DoubleClick OnDoubleClick;
    KindEdits Edits;
};

const KindTools& KindToolsOf(ObjKind kind);
// The tools of obj's kind; null for an object whose ObjType names no kind.
const KindTools* KindToolsOf(const TLxObj& obj);

} // namespace kes
