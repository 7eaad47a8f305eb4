#pragma once
// Shared by the page editor tests that need the main window: the program started in a program
// folder of its own (with the decoder library beside it), a new project of a chosen panel
// model, its menus and tools, and the user's hand on the current page (PageDriver).
#include "../shell/shellfixture.h"
#include "pagedriver.h"

#include "app/editor/thmpage.h"
#include "app/shell/tkhm.h"

namespace kes::test {

class EditorTest : public StartedShell, public PageDriver {
protected:
    void SetUp() override;
    void TearDown() override;

public:
    // A new project of panel model index model (its size, grid and default zoom) for
    // controller machine, with its first page open.
    void NewProject(int model = 0, int machine = 87);

    // Runs a menu item or tool button of the main window.
    void Trigger(const char* name);
    // Draws an object with the tool of that name by dragging (the polyline tool by clicks).
    TLxObj* DrawWith(const char* tool, QPoint from, QPoint to);

    // The current page's stored record stream after storing it.
    Bytes StoredPage();

    PageEditor* Editor() const override { return Main() ? Main()->PageEd.get() : nullptr; }
};

} // namespace kes::test
