#pragma once
// The start-up screen and user-menu screen editor: opens the windows (TImagePage) of the
// start-up screen (FirstPage, at most one) and of the user-menu screens (in page order, in
// the main window's list), shows and stores them, draws their panel pictures, and answers
// the main window's edit commands in the start-up screen and user-menu modes (kes::ImageEditor()).
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
    // The window the edit mode names (1 FirstPage, 2 ImagePage), or null.
    TImagePage* Editor(Editing editMode) const;
    // Fills kes::ImageEditor() with this editor's answers.
    void InstallHooks();

private:
    PageHost& host_;
    QMdiArea* area_;
    std::vector<QWidget*>& menuWindows_;
    // The context of each window's leave-the-list connection: a window that outlives the
    // editor (deleted with the main window's children) no longer reaches it.
    QObject alive_;
};

} // namespace kes
