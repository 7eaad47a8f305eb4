#pragma once
// The settings dialog of each object kind, and what opening one does around it. The page
// editor's double click calls OpenObjDialog on the object it made current; a kind without a
// dialog opens nothing.
//
// A kind's dialog is one entry of the table in objdialogs.cpp (kDialogs, one entry per kind in
// kind order): OpenAs<TheClass, RunTheDialog> with the dialog's own Run function, declared in
// the dialog's header as bool(DialogContext&, TheClass&, QWidget* owner, const QString& caption).
#include "app/dialogs/dialogcontext.h"
#include "app/ui/prompt.h"
#include "objects/objkind.h"

#include <QDialog>

#include <cstdint>
#include <functional>

class QWidget;
class TLxObj;

namespace kes {

class CommandPanel;

// Runs the kind's dialog on obj modally (caption: the kind's tool button hint); true when
// its OK stored the settings.
using ObjDialog = std::function<bool(DialogContext& ctx, TLxObj& obj, QWidget* owner, const QString& caption)>;
using ObjDialogFn = bool (*)(DialogContext& ctx, TLxObj& obj, QWidget* owner, const QString& caption);

// A dialog's Run function for its own class, as a table entry.
template <typename Obj, bool (*Run)(DialogContext&, Obj&, QWidget*, const QString&)>
bool OpenAs(DialogContext& ctx, TLxObj& obj, QWidget* owner, const QString& caption)
{
    auto* o = dynamic_cast<Obj*>(&obj);
    return o && Run(ctx, *o, owner, caption);
}

// What the page needs after a kind's dialog closed: nothing; the object's picture drawn
// again from its settings; the main window's state and text tools fitted to it again.
enum class AfterDialog : std::uint8_t { Nothing, RepaintPicture, RefreshTools };

// The columns of the state table (TFrmGridTable) for a kind's states: none; values in
// column 1; values in 1 and texts in 2 (one list alone goes to column 1); values in 1 and
// texts in 2, each only when given; texts in column 1.
enum class StateGrid : std::uint8_t { None, Values, ValuesTexts, ValuesThenTexts, Texts };

struct ObjDialogEntry {
    ObjKind Kind;
    ObjDialogFn Open; // null: the kind has no dialog
    AfterDialog After;
    StateGrid Grid;
};

const ObjDialogEntry& ObjDialogOf(ObjKind kind);

// The dialog of a kind in the table; empty when it has none.
ObjDialog KindObjDialog(ObjKind kind);

// Where the dialog of a kind is found: the table in the program; a test hands one that stands a
// dialog of its own in (DialogContext::Dialogs, kes::StartupOptions::dialogs).
class ObjDialogFinder {
public:
    virtual ~ObjDialogFinder() = default;
    // The dialog of kind; empty when it has none. By default the table's.
    virtual ObjDialog Find(ObjKind kind) const { return KindObjDialog(kind); }
};

// The dialog of a kind as ctx finds it (its Dialogs, else the table); empty when it has none.
ObjDialog FindObjDialog(const DialogContext& ctx, ObjKind kind);

// Runs a dialog of class Dlg (constructed with the context, the owner and the object) modally;
// true when its OK stored the settings.
template <class Dlg, class Obj> bool RunObjDialog(DialogContext& ctx, Obj& obj, QWidget* owner, const QString& caption)
{
    Dlg dlg(ctx, owner, obj);
    dlg.SetCaption(caption);
    return ExecModal(ctx.Ask, &dlg) == QDialog::Accepted;
}

// Opens the dialog of obj's kind, owned by the page window owner, and when it closed
// repaints the kinds that need it and refreshes the inspector. False when the kind has no
// dialog or the dialog stored nothing.
bool OpenObjDialog(DialogContext& ctx, TLxObj& obj, QWidget* owner);

// Connects the menu commands of these dialogs; each opening takes a fresh context and is
// owned by owner.
void InstallDialogCommands(CommandPanel& commands, QWidget* owner, std::function<DialogContext()> context);

} // namespace kes
