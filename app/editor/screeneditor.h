#pragma once
// The start-up screen and user-menu screen editor: opens the windows (TImagePage) of the
// start-up screen (FirstPage(), at most one) and of the user-menu screens (in page order, in
// the main window's list), shows and stores them, keeps track of the current one
// (ImagePage()), draws their panel pictures, and answers the main window's edit commands in
// the start-up screen and user-menu modes (the main window holds it).
#include "app/editor/imageeditor.h"
#include "app/model/editing.h"
#include "platform/bytes.h"

#include <QObject>
#include <QString>

#include <vector>

class QMdiArea;
class QWidget;
class TImagePage;

namespace kes {

class PageHost;

class ScreenEditor {
public:
    // area may be null: the windows then stand alone. menuWindows: where the user-menu
    // screens' windows are kept in page order (the main window's ImageWinList).
    ScreenEditor(PageHost& host, QMdiArea* area, std::vector<QWidget*>& menuWindows);
    ~ScreenEditor();
    ScreenEditor(const ScreenEditor&) = delete;
    ScreenEditor& operator=(const ScreenEditor&) = delete;

    // Start-up screen editing: the window is made (its objects from StartScreenData) or
    // shown again, at the default zoom, and becomes current; the edit mode is Editing::StartScreen.
    TImagePage* OpenStartScreen();
    // A window for user-menu screen index (its record of ImagePgDataList), appended to the
    // list with that caption.
    TImagePage* AddMenuScreen(int index, const QString& caption);
    // Every user-menu screen window titled name + "-" + its screen's index (the user menu's
    // name in another language).
    void TitleMenuScreens(const QString& name);
    // Deletes every user-menu screen window; the list is empty after.
    void CloseMenuScreens();
    // Puts a window into the MDI area (once), makes it the active child and activates it.
    void Show(TImagePage* page);
    // The start-up screen window's objects into StartScreenData (in the start-up screen's mode for the while);
    // nothing without the window.
    void StoreStartScreen();
    // The panel pictures a transfer sends: the start-up screen (the window's, else the stored
    // screen's), and every open user-menu screen one after the other.
    Bytes StartScreenPicture();
    Bytes UserMenuPictures();
    // The start-up screen window, or null; the current start-up screen or user-menu screen
    // window, or null.
    TImagePage* FirstPage() const { return first_; }
    TImagePage* ImagePage() const { return current_; }
    // One of this editor's windows became the current one (it was activated, or made).
    void MakeCurrent(TImagePage* page) { current_ = page; }
    // One of this editor's windows closes or goes: it is neither first nor current any more.
    void Forget(TImagePage* page);
    // The window the edit mode names (StartScreen FirstPage(), UserMenu ImagePage()), or null.
    TImagePage* Editor(Editing editMode) const;
    // ---- The main window's commands in the edit modes StartScreen (FirstPage()) and UserMenu
    // (the current user-menu screen, ImagePage()).
    // Zoom of the current screen window (ImagePage()); 0 when there is none; its zoom operation.
    int Zoom() const;
    void SetZoom(int zoom);
    // Chooses a drawing tool (kind 0: pointer, which cancels a polyline in progress) in the
    // editor editMode names.
    void SetTool(Editing editMode, int kind, int subType);
    // Undo, redo and select all of the start-up screen while it is edited.
    void Undo();
    void Redo();
    void SelectAll();
    // The start-up screen's edit-state refresh.
    void EditStateRefresh();
    // The commands and tools of the screen EditMode names set again over the main window's
    // own state (which the main window has just recomputed from the project).
    void CommandState();
    // Number of objects selected in the editor editMode names.
    int SelCount(Editing editMode) const;
    // Line pen of the selected figures on the start-up screen (width 1..3, pattern 0 solid, 2 dotted).
    void LineStyleChanged(int width, int pattern);
    // The current user-menu screen window, and making another one current and shown.
    QWidget* CurrentWindow() const;
    void MakeCurrent(QWidget* window);
    // An edit command in the editor of that edit mode (a user-menu screen takes none).
    void Command(Editing editMode, ImageCommand command);
    // The start-up screen's selection one step in a direction (0 up, 1 down, 2 left, 3 right),
    // or aligned to a common edge (4 tops, 5 bottoms, 6 lefts, 7 rights).
    void StepSelObjs(Editing editMode, int dir);
    void AlignSelObjs(Editing editMode, int how);

private:
    // Runs a command of the start-up screen's window while it is edited.
    void OnStartScreen(void (TImagePage::*action)());

    PageHost& host_;
    QMdiArea* area_;
    std::vector<QWidget*>& menuWindows_;
    TImagePage* first_ = nullptr;
    TImagePage* current_ = nullptr;
    // The context of each window's leave-the-list connection: a window that outlives the
    // editor (deleted with the main window's children) no longer reaches it.
    QObject alive_;
};

} // namespace kes
