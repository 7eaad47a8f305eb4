#pragma once
// Connects the main window's page, zoom, drawing-tool, undo and navigation commands to the
// page editor, and fills in the hooks through which the project document reaches the open
// page windows.

class TKhm;

namespace kes {

void InstallEditorCommands(TKhm& khm);

} // namespace kes
