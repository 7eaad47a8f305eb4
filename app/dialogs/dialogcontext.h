#pragma once
// What a settings dialog may touch of the program: the project state, the panel model with
// its device-address codec, the active page and a few states of the main window's menus and
// tool bars. The main window builds one per opening (MainDialogContext, app/shell); tests build
// one over a plain project state, a hand-made device table and a page without a window.
#include "objects/objkind.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <string>

class QWidget;
class TLxObj;

namespace kes {

class LxTypeCore;
class ObjDialogFinder;
class PageData;
class ProjectState;
class Prompt;

struct DialogContext {
    DialogContext(ProjectState& state, LxTypeCore& model, Prompt& ask) : State(state), Model(model), Ask(ask) {}

    ProjectState& State;
    LxTypeCore& Model;
    // What the dialog, and the dialogs it opens, ask the user through.
    Prompt& Ask;
    // The active page: its current object and its key flags; null when no page is active.
    PageData* Page = nullptr;
    // Pages of the project, the targets of a page change.
    int PageCount = 0;
    // The main menu's "redefine the Up and Down keys" item is ticked.
    bool UpDownKeysEnabled = false;
    // Caption of the main menu's button item as stored (accelerator marker included).
    QString BtnMenuCaption;
    // The main window's picture folder, shared by every picture choice; null: none kept.
    std::string* BmpFolder = nullptr;
    // Where the settings dialog of an object kind is found (a test's stand-ins); null: the kind
    // table (app/dialogs/objdialogs.h).
    const ObjDialogFinder* Dialogs = nullptr;

    // Hint of the tool button of an object kind (the caption of the kind's dialog).
    std::function<QString(ObjKind kind)> ToolHint;
    // Refits the main window's state and text tools, and its font box, to an object.
    std::function<void(TLxObj&)> ObjToolbarRefresh;
    std::function<void(TLxObj&)> ObjFontBoxRefresh;
    // Re-reads the current object into the object inspector when it is switched on and shown.
    std::function<void()> RefreshInspector;
    // The open-picture dialog: starts in folder, gives the chosen file and its folder.
    // Empty: the standard file dialog through Ask.
    std::function<bool(QWidget* parent, const QString& folder, QString& file)> ChooseBitmapFile;
    // The caption of a main menu item without its accelerator mark (the caption of the page
    // and system dialogs it opens).
    std::function<QString(const char* item)> MenuCaption;
    // Enables or disables a main menu item.
    std::function<void(const char* item, bool enabled)> SetMenuEnabled;
    // Deletes every page-change condition of the project: the system's, the active page's
    // and those of every stored page.
    std::function<void()> ClearAllPgJumps;

    // An OK that stored something: the project is modified and needs compiling again.
    void MarkModified();
    QString ToolHintOf(ObjKind kind) const { return ToolHint ? ToolHint(kind) : QString(); }
    QString MenuCaptionOf(const char* item) const { return MenuCaption ? MenuCaption(item) : QString(); }
};

} // namespace kes
