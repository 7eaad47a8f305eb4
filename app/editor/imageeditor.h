#pragma once
// The edit commands of the main window that the start-up screen and user-menu screen editor
// (kes::ScreenEditor, screeneditor.h) serves in the start-up screen and user-menu modes.

namespace kes {

// Edit commands of the main window that the image-page editor serves.
enum class ImageCommand { Delete, Cut, Copy, Paste, MoveTop, MoveBottom, MoveUp, MoveDown, MultiCopy, ToolbarRefresh };

} // namespace kes
