#pragma once
// The project commands of the main window: open (with the working-copy offer), save, save as,
// the periodic working copy, compile with the project check, the simulator and the user menu
// file. They work on what the main window lends them (ProjectCommandsHost); the main window
// connects them to its menus and tool bar with InstallProjectCommands.
#include "app/project/ui/prjhost.h"

#include <string>

namespace kes {

// Message numbers of the project document's own messages.
enum : int {
    kMsgFileDamaged = 470,     // "The project file is damaged and was not opened:"
    kMsgSaveFailed = 471,      // "The project could not be saved; the files on disk are unchanged:"
    kMsgTildeName = 472,       // a project name beginning with "~"
    kMsgNoSimulator = 473,     // the simulator program is not beside the program
    kMsgSimNotStarted = 474,   // the simulator program could not be started
    kMsgWriteFailed = 475,     // "The file could not be written:"
    kMsgStartScreenLost = 490, // "The start-up screen file is damaged; the project opens without ..."
    kMsgPartlyRead = 491,      // "The project file reads only in part; ... kept until the page is changed:"
    kMsgPageNumber = 46,       // "Page number"
    kMsgLeftOut = 940,         // "Parts of these files could not be read and were left out:"
    kMsgIntentDamaged = 941,   // a damaged record of an unfinished save, not carried out
    kMsgScreenNumber = 943,    // "Screen"
};

void InstallProjectCommands(ProjectCommandsHost& host);

struct CheckResult;
class CommandPanel;
// The project check, its lines naming object kinds by the commands' captions in the language
// in force.
CheckResult CheckWithCaptions(const ProjectDoc& doc, const CommandPanel& commands);

// The commands, for the menus and for tests.
void TbOpenClick(ProjectCommandsHost& host);
// Opens the project named in OpenDlg.FileName (or its working copy, when the user takes it);
// false after a message when it could not be read.
bool OpenProjectFromDlg(ProjectCommandsHost& host);
// 1 saved, 2 stopped (a message was shown).
int TbSaveClick(ProjectCommandsHost& host);
int MmSaveAsClick(ProjectCommandsHost& host);
int SaveProject(ProjectCommandsHost& host);
// The project file SaveProject writes: the file named last (saved as, opened or new), else
// the project's name in the folder of the last project; in the program's DocFiles folder when
// that folder is gone. The question before a close names it.
std::string SaveTargetPath(const ProjectCommandsHost& host);
// Asks for the new name and writes the project there (the image must be built).
int SaveProjectAs(ProjectCommandsHost& host);
// SaveDlg's file name split: its folder into SaveDlg.InitialDir, its name without ".zqf"
// into PrjName.
void SplitSaveName(ProjectCommandsHost& host);
// Builds the image, then SaveProject; 2 when the image lost a page.
int BuildAndSaveProject(ProjectCommandsHost& host);
// Writes the working copy under DocFiles; false after a message when it failed.
bool WriteWorkingCopy(ProjectCommandsHost& host);
void MmTranslateClick(ProjectCommandsHost& host);
void MmSimClick(ProjectCommandsHost& host, bool online);
// 6 written, 7 not written, 2 cancelled.
int SaveUserMenu(ProjectCommandsHost& host);

} // namespace kes
