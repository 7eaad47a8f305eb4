#pragma once
// The main window's drawing tool and menu item of each object kind. A tool button's hint is
// also the caption of its kind's settings dialog.
#include "objects/objkind.h"

namespace kes {

struct ObjToolEntry {
    ObjKind Kind;
    const char* ToolButton; // of the object tool bar; null: none (the figure tool bar draws it)
    const char* MenuItem;   // of the Objects menu; null: none
    // The button and item draw this kind (their Tag); false where the kind shares another
    // kind's button or item, whose Tag the panel model may switch to it.
    bool ToolDraws;
    bool MenuDraws;
};

const ObjToolEntry& ObjToolOf(ObjKind kind);

} // namespace kes
