#pragma once
// Connects the main window's start-up screen and user-menu commands to the screen editor:
// start-up screen editing and back to page editing, opening a panel family's user menu, the
// full-screen view, and the screen pictures the link sends.

class QAction;
class TKhm;

namespace kes {

void InstallScreenCommands(TKhm& khm);

// Start-up screen editing (Tools > Start-up Screen Editing): the window opened or shown.
void MmStartPgClick(TKhm& k);
// Back to page editing (Tools > Page Editing).
void MmLxeClick(TKhm& k);
// File > User Menu > one panel family: the open project is closed (when the user agrees),
// then that family's user-menu file is read and its screens are shown, read only.
void OpenUserMenu(TKhm& k, int panelModelIndex);
// View > Full Screen (sender's Tag 1: with the device addresses).
void MmFullScreenClick(TKhm& k, const QAction* sender);
// The main window's title and the user-menu screens' titles, which name the user menu as its
// menu item reads in the language in force.
void TitleUserMenu(TKhm& k);

} // namespace kes
