#pragma once
// What the project commands need of the main window: the project, its view state (the edit
// mode), the file dialogs' state and its prompt, the panel model, the items by name, the page
// windows, and the main window's own steps around a project (closing it, its layout, the recent
// files, the automatic save, the status bar and tools, the port, the key settings and
// check-result windows). The main window implements it (app/shell).
#include <cstdint>
#include <string>
#include <vector>

class QWidget;

namespace kes {

class CommandPanel;
class LxTypeCore;
class PageWindows;
class ProjectDoc;
class Prompt;
struct ViewState;

// What the project commands read and write of a file dialog (the dialogs themselves are run
// by the commands that need them).
struct TFileDlg {
    std::string InitialDir;
    std::string FileName;
    std::string DefaultExt;
    std::string Filter;
};

class ProjectCommandsHost {
public:
    ProjectCommandsHost(ProjectDoc& doc, ViewState& view, TFileDlg& openDlg, TFileDlg& saveDlg, Prompt& ask)
        : Doc(doc), View(view), OpenDlg(openDlg), SaveDlg(saveDlg), Ask(ask)
    {}
    virtual ~ProjectCommandsHost() = default;

    ProjectDoc& Doc;
    ViewState& View;
    TFileDlg& OpenDlg;
    TFileDlg& SaveDlg;
    // What the commands and the project's forms ask the user through.
    Prompt& Ask;

    // The panel model; null while there is none.
    virtual LxTypeCore* Model() const = 0;
    virtual CommandPanel& Commands() = 0;
    virtual PageWindows& Pages() = 0;
    // The main window: owner of the file dialogs; its caption names the project.
    virtual QWidget* Window() = 0;

    // ---- The main window around a project
    virtual void CloseProject() = 0;
    // Asks whether to save; false when the user cancels.
    virtual bool CloseProjectQuery() = 0;
    virtual void LoadLayout() = 0;
    virtual void StartAutoSave() = 0;
    virtual void AddRecentFile(const std::string& path) = 0;
    virtual void RefreshRecentFileItems() = 0;
    // The commands' state refreshed from the project state.
    virtual void FormActivate() = 0;
    // The main window's page commands the page list runs: a new page at the end (its record
    // and its window), and closing the project.
    virtual void MmAddPgClick() = 0;
    virtual void MmClosePrjClick() = 0;
    // The status bar, the model's tools and the check marks after a project was read, and the
    // serial port it names.
    virtual void ShowOpenedProject(int portNumber) = 0;
    // The serial port of the panel link: its number and baud rate.
    virtual std::uint8_t PortNumber() const = 0;
    virtual std::uint32_t Baud() const = 0;
    // The key settings window of the keypad types, shown.
    virtual void ShowKeySettings() = 0;
    // What the key settings window holds stored into the project; false when it refused.
    virtual bool StoreKeySettings() = 0;
    // The check-result window with these lines (none: nothing shown).
    virtual void ShowCheckResult(const std::vector<std::string>& lines) = 0;
};

} // namespace kes
