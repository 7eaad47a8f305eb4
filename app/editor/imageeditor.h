#pragma once
// What the main window's commands need of the start-up screen and user-menu page editor;
// kes::ScreenEditor (screeneditor.h) fills these in for the main window that made it. The
// commands route to it when EditMode is Editing::StartScreen (FirstPage) or Editing::UserMenu
// (the current user-menu page, ImagePage); while a hook is empty the command does nothing in
// those modes.
#include "app/model/editing.h"

#include <functional>

class QWidget;
class TEditPage;

namespace kes {

// Edit commands of the main window that the image-page editor serves.
enum class ImageCommand { Delete, Cut, Copy, Paste, MoveTop, MoveBottom, MoveUp, MoveDown, MultiCopy, ToolbarRefresh };

struct ImageEditorHooks {
    // Zoom of the current image page (ImagePage); 0 when there is none.
    std::function<int()> Zoom;
    // Its zoom operation (PgSetZoom).
    std::function<void(int zoom)> SetZoom;
    // Chooses a drawing tool (kind 0: pointer) in the editor EditMode names; the polyline in
    // progress is cancelled first where the editor does that.
    std::function<void(Editing editMode, int kind, int subType)> SetTool;
    // Undo and redo of the current image page.
    std::function<void()> Undo;
    std::function<void()> Redo;
    // Select all on the current image page.
    std::function<void()> SelectAll;
    // The start-up screen editor's edit-state refresh.
    std::function<void()> EditStateRefresh;
    // The commands and tools of the screen EditMode names set again over the main window's
    // own state (which the main window has just recomputed from the project).
    std::function<void()> CommandState;
    // Number of objects selected in the editor EditMode names.
    std::function<int(Editing editMode)> SelCount;
    // Line pen of the selected figures changed (width 1..3, pattern 0 solid, 2 dotted).
    std::function<void(int width, int pattern)> LineStyleChanged;
    // The current user-menu page window (ImagePage), and making another one current and shown.
    std::function<QWidget*()> CurrentWindow;
    std::function<void(QWidget* window)> MakeCurrent;
    // An edit command in the editor of that edit mode.
    std::function<void(Editing editMode, ImageCommand command)> Command;
    // Its selection one step in a direction (0 up, 1 down, 2 left, 3 right), or aligned to a
    // common edge (4 tops, 5 bottoms, 6 lefts, 7 rights).
    std::function<void(Editing editMode, int dir)> StepSelObjs;
    std::function<void(Editing editMode, int mode)> AlignSelObjs;
    // Its window, whose commands act on its current object; null when there is none.
    std::function<TEditPage*(Editing editMode)> Editor;
};

ImageEditorHooks& ImageEditor();

} // namespace kes
