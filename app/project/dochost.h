#pragma once
// What the project document needs of the program around it: the editors that hold a page or
// a screen live store it into its record before the records are read, and the document's own
// messages reach the user. The program hands one to the document at start-up (the main window
// does); without one (headless use) nothing is stored, the messages are dropped and the edit
// mode is the page windows'.
#include "app/model/editing.h"

namespace kes {

class DocHost {
public:
    virtual ~DocHost() = default;
    // Stores the open page window (or the start-up screen or user-menu windows, by the edit
    // mode) into its record.
    virtual void StoreActivePage() = 0;
    // Stores the start-up screen window into StartScreenData (in the start-up screen's edit mode for the while).
    virtual void StoreStartScreen() = 0;
    // Shows message n of the message table.
    virtual void ShowMsg(int n) = 0;
    // The main window's edit mode: the user menu's image has its own area, and the open
    // window's record is stored only for the mode that holds it.
    virtual Editing EditMode() const { return Editing::Pages; }
    virtual void SetEditMode(Editing) {}
};

} // namespace kes
