#pragma once
// The settings dialog of each object kind, and what opening one does around it. The page
// editor's double click calls OpenObjDialog on the object it made current; a kind without a
// dialog opens nothing.
#include "app/dialogs/dialogcontext.h"

#include <functional>

class QWidget;
class TKhm;
class TLxObj;

namespace kes {

// Runs the kind's dialog on obj modally (caption: the kind's tool button hint); true when
// its OK stored the settings.
using ObjDialog = std::function<bool(DialogContext& ctx, TLxObj& obj, QWidget* owner, const QString& caption)>;

// Registers (or, with an empty function, removes) the dialog of an object kind; kinds whose
// dialog is built here are registered from the start.
void RegisterObjDialog(int kind, ObjDialog dialog);
const ObjDialog* FindObjDialog(int kind);

// What a dialog's closing needs of the rest of the program.
struct ObjDialogHooks {
    // Re-reads the current object into the object inspector when it is switched on and shown.
    std::function<void()> RefreshInspector;
};
ObjDialogHooks& DialogHooks();

// Opens the dialog of obj's kind, owned by the page window owner, and when it closed
// repaints the kinds that need it and refreshes the inspector. False when the kind has no
// dialog or the dialog stored nothing.
bool OpenObjDialog(DialogContext& ctx, TLxObj& obj, QWidget* owner);

// Connects the main window's menu commands of these dialogs.
void InstallDialogCommands(TKhm& khm);

} // namespace kes
