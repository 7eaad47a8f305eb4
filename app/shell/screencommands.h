#pragma once
// Connects the main window's start-up screen and user-menu commands to the screen editor:
// start-up screen editing and back to page editing, opening a panel family's user menu,
// and the screen pictures the link sends.

class TKhm;

namespace kes {

void InstallScreenCommands(TKhm& khm);

// Start-up screen editing (Tools > Start-up Screen Editing): the window opened or shown.
void MmStartPgClick(TKhm& k);
// Back to page editing (Tools > Page Editing).
void MmLxeClick(TKhm& k);

} // namespace kes
