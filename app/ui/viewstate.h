#pragma once
// Switches of the main window's view. The menus show them as check marks; they belong to the
// window, not to the project, so a project's state never carries them.

#include "app/model/editing.h"

namespace kes {

struct ViewState {
    bool GridDotsOn = true;      // MmPtEnable / MmPtDisable: the grid dots are black, else white
    bool PageTreeOn = false;     // MmTreeView: the page tree is to be shown
    bool ObjInspectorOn = false; // MmObjInspector: the object inspector is to be shown
    // What the edit commands work on: the page window, the start-up screen or the user menu.
    Editing EditMode = Editing::Pages;
};

} // namespace kes
