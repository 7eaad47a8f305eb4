#pragma once
// The main window's tool commands that belong to no other subsystem: the controller address
// map, the auto-save settings, the page tree, the caption-list writer, and the page reload that follows a change of the
// stored pages under an open page.
#include <string>

class QWidget;
class TKhm;
class THmPage;
class TFrameTreeView;

namespace kes {

class Prompt;

// Connects the commands of this file.
void InstallShellTools(TKhm& khm);

// The page open in the editor reads its record again (its objects, keys and records were
// changed in the stored page); its zoom stays.
void ReloadOpenPage(THmPage& page);

// Tools > PLC Address Map.
void MmPLCSetClick(TKhm& khm);
// View > Page Tree: shows the page tree (docked the first time) or closes it.
void MmTreeViewClick(TKhm& khm);
// The caption list of a form: "Lan/" + its name + ".CHT", ".CHS" or ".ENU" by its "Tag"
// (language) in the folder the program writes to (the user's when the program folder is
// read-only), one "key=text" line per caption key in the language's code page.
std::string CaptionListPath(const QWidget& form);
std::string CaptionListText(QWidget& form);
// Writes it; a failed write is reported through prompt.
bool WriteLanguageFiles(Prompt& prompt, QWidget& form);
// Settings > Window Font: the main window, the page tree and the inspector take the font.
void MmWinFontClick(TKhm& khm);
// The View menu opens: full-screen items follow the open pages, the tool bar marks their bars.
void MmViewClick(TKhm& khm);
// The Tools menu opens: the keypad types get their tool state again.
void MmToolClick(TKhm& khm);
// The page tree, while it is shown.
TFrameTreeView* PageTreeOf(TKhm& khm);
// Rebuilds the page tree when it is shown.
void RefreshPageTree(TKhm& khm);
// Settings > Auto Save: the timer stops while the dialog is open and runs again as set.
void MmAutoSaveClick(TKhm& khm);

} // namespace kes
