#pragma once
// A page window without the main window: a project over the shipped model data, a host that
// answers from it alone (no menus, no tool bars, no dialogs' owner; a scripted prompt) and a
// page editor without an MDI area, whose first page window is open. The page is driven with
// PageDriver.
#include "pagedriver.h"

#include "app/editor/pageeditor.h"
#include "app/editor/pagehost.h"
#include "app/model/lxtypecore.h"
#include "app/project/projectdoc.h"
#include "app/ui/prompt.h"
#include "objects/objkind.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace kes::test {

// The host: the project and the model; choosing the pointer tool cancels the page's drawing
// tool, as the main window's pointer button does.
class TestPageHost : public PageHost {
public:
    ProjectDoc doc;
    ViewState view;
    std::unique_ptr<LxTypeCore> model;
    ScriptedPrompt prompt;

    ProjectDoc& Doc() override { return doc; }
    ViewState& View() override { return view; }
    Prompt& Ask() override { return prompt; }
    LxTypeCore* Model() const override { return model.get(); }
    PageEditor* PageEd() const override { return editor; }
    // The page's dialogs find the object kinds' dialogs in dialogs (null: the kind table).
    DialogContext DialogContextFor(PageData* page) override
    {
        DialogContext ctx = PageHost::DialogContextFor(page);
        ctx.Dialogs = dialogs;
        return ctx;
    }
    void PointerTool() override;

    // The fixture's page editor, while there is one.
    PageEditor* editor = nullptr;
    const ObjDialogFinder* dialogs = nullptr;
};

class PageTest : public ::testing::Test, public PageDriver {
protected:
    void SetUp() override;
    void TearDown() override;

    // A project of panel model index model for controller machine, with one empty page whose
    // window is open and current.
    void NewProject(int model = 0, int machine = 87);
    // Chooses a drawing tool on the page: an object kind (the geometry with a figure).
    void Choose(ObjKind kind, int figure = 0);
    // Takes the pointer tool, as the main window's pointer button does to the page.
    void Pointer() { host.PointerTool(); }

    PageEditor* Editor() const override { return editor.get(); }
    // Draws an object of kind (the geometry of a figure) from from to to: a drag, or for the
    // polyline a click at from and a double click at to.
    TLxObj* Draw(ObjKind kind, QPoint from, QPoint to, int figure = 0);

    TestPageHost host;
    std::unique_ptr<PageEditor> editor;

private:
    std::string savedAppDir_;
};

} // namespace kes::test
