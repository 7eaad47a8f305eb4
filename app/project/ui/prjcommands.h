#pragma once
// The project commands of the main window: open (with the working-copy offer), save, save as,
// the periodic working copy, compile with the project check, the simulator and the user menu
// file. InstallProjectCommands connects them to the window's menus and tool bar and fills
// the window's project hooks.
#include <string>

class TKhm;

namespace kes {

// Message numbers of the project document's own messages.
enum : int {
    kMsgFileDamaged = 470,   // "The project file is damaged and was not opened:"
    kMsgSaveFailed = 471,    // "The project could not be saved; the files on disk are unchanged:"
    kMsgTildeName = 472,     // a project name beginning with "~"
    kMsgNoSimulator = 473,   // the simulator program is not beside the program
    kMsgSimNotStarted = 474, // the simulator program could not be started
    kMsgWriteFailed = 475,   // "The file could not be written:"
};

void InstallProjectCommands(TKhm& khm);

// The commands, for the menus and for tests.
void TbOpenClick(TKhm& khm);
// Opens the project named in OpenDlg.FileName (or its working copy, when the user takes it);
// false after a message when it could not be read.
bool OpenProjectFromDlg(TKhm& khm);
// 1 saved, 2 stopped (a message was shown).
int TbSaveClick(TKhm& khm);
int MmSaveAsClick(TKhm& khm);
int SaveProject(TKhm& khm);
// Asks for the new name and writes the project there (the image must be built).
int SaveProjectAs(TKhm& khm);
// SaveDlg's file name split: its folder into SaveDlg.InitialDir, its name without ".zqf"
// into PrjName.
void SplitSaveName(TKhm& khm);
// Builds the image, then SaveProject; 2 when the image lost a page.
int BuildAndSaveProject(TKhm& khm);
// Writes the working copy under DocFiles; false after a message when it failed.
bool WriteWorkingCopy(TKhm& khm);
void MmTranslateClick(TKhm& khm);
void MmSimClick(TKhm& khm, bool online);
// 6 written, 7 not written, 2 cancelled.
int SaveUserMenu(TKhm& khm);
// TKhm::ImageWouldOverflow: message 26 and true when extra more bytes would not fit.
bool ImageWouldOverflow(TKhm& khm, long extra);

} // namespace kes
