#pragma once
// The main window: the MDI frame whose children are the page editor windows. It holds the
// open project (Doc: its project state, the page records, the memory image; the program owns
// it and hands it in) and the window's own state, and carries the menus, the five tool bars,
// the dock panels and the status bar.
#include "app/dialogs/formrunner.h"
#include "app/model/projectstate.h"
#include "app/project/projectdoc.h"
#include "app/project/ui/prjhost.h"
#include "app/ui/commandpanel.h"
#include "app/ui/screenfit.h"
#include "app/ui/viewstate.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QDockWidget;
class QLabel;
class QMdiArea;
class QMenu;
class QSplitter;
class QStatusBar;
class QTimer;
class QToolBar;
class TDlgProp;
class THmPage;
class TLxObj;
class TLxType;

namespace kes {
class MainDocHost;
class MainProjectHost;
class MainPageHost;
class PageEditor;
class ScreenEditor;
} // namespace kes

namespace kes {
// Messages of the main window.
constexpr int kMsgSaveProject = 31;        // "Do you want to save Project to " + path + "?"
constexpr int kMsgProductName = 32;        // the caption prefix
constexpr int kMsgSettingsNotSaved = 300;  // Lxe.ini or Loc.ini could not be written
constexpr int kMsgCodePageNextStart = 601; // project texts take code page %1 from the next start
constexpr int kMsgDeviceType = 603;        // "Device Type: " of the status bar
constexpr int kMsgPanelType = 604;         // "ZQ Type: " of the status bar
constexpr int kMsgHelpNotShown = 605;      // no viewer could be started for the user guide
// The user guide, below the program folder: the English one, and the one of each language
// (by LangIndex: Traditional Chinese, Simplified Chinese, English).
constexpr const char* kHelpFile = "Help/index.html";
constexpr const char* kHelpFiles[] = {"Help/Cht/index.html", "Help/Chs/index.html", kHelpFile};
inline const char* HelpFileOf(int langIndex)
{
    return langIndex >= 0 && langIndex < 3 ? kHelpFiles[langIndex] : kHelpFile;
}

class FileOpener;
class LinkPort;
class MainCommLink;
class ObjDialogFinder;
class ProjectFiles;
class Prompt;
class ShellWindows;
class TIniFile;
class WidgetPrompt;
struct LxeSettings;
struct StartupOptions;

} // namespace kes

class TKhm : public QMainWindow, public kes::CommandPanel {
    // The window's own message boxes when no prompt was handed in. First of the members, so that
    // it goes after the others (the link, the hosts, the editors), which ask through it.
    std::unique_ptr<kes::WidgetPrompt> ownPrompt_;
    kes::Prompt& ask_;
    const kes::ObjDialogFinder* objDialogs_;
    // The real screens, unless the window was handed a screen.
    kes::ScreenArea ownScreen_;
    const kes::ScreenArea& screen_;

public:
    // doc outlives the window, and so does what options hand it: the prompt, through which the
    // window and its parts ask the user (null: the window's own message boxes), where the
    // object dialogs are found and the screens the window is fitted into.
    TKhm(kes::ProjectDoc& doc, const kes::StartupOptions& options, QWidget* parent = nullptr);
    // The window is being destroyed: its tool windows, going with it, leave it alone. They
    // keep the flag itself, being deleted when nothing of the window but its QWidget is left.
    bool Going() const { return *going_; }
    std::shared_ptr<const bool> GoingFlag() const { return going_; }
    ~TKhm() override;

    // What the window and every part of it ask the user through, handed on to them.
    kes::Prompt& Ask() const { return ask_; }
    // Where the page windows find the object kinds' dialogs; null: the kind table.
    const kes::ObjDialogFinder* ObjDialogs() const { return objDialogs_; }
    // The screens the window and the windows it places are fitted into.
    const kes::ScreenArea& Desktop() const { return screen_; }

    // The open project.
    kes::ProjectDoc& Doc;
    // The view's switches (page tree, inspector, grid dots): the window's, not the project's.
    kes::ViewState View;
    // The page and system dialogs the commands open by class name (InstallSettingCommands
    // registers them), handed to the page windows by PageHost::Forms().
    kes::FormRunner Forms;

    // ---- Components
    QMdiArea* MdiArea = nullptr;
    QToolBar* EditToolBar = nullptr;    // "ToolBar1"
    QToolBar* ObjToolBar = nullptr;     // "ToolBar2"
    QToolBar* GeomToolBar = nullptr;    // "ToolBar3"
    QToolBar* PosTooBar = nullptr;      // "ToolBar4"
    QToolBar* PostSetToolBar = nullptr; // "ToolBar5"
    // Dock hosts: the page tree and the inspector dock into PanelTreeView (left), the
    // check-result window into CtBarErr (bottom). Docked tool windows are placed in the
    // host's splitter.
    QDockWidget* PanelTreeView = nullptr;
    QSplitter* PanelTreeViewHost = nullptr;
    QDockWidget* CtBarErr = nullptr;
    QStatusBar* KhmStaBar = nullptr;
    std::array<QLabel*, 5> KhmStaPanels{};
    // The serial port of the panel link; its port number and baud rate live in Lxe.ini.
    std::unique_ptr<kes::LinkPort> MMICom;
    // The panel link over MMICom: transfer engine, port preparation and transfer commands
    // (tkhm_comm.cpp). Declared after MMICom so that it ends first; shared_ptr because its
    // type is complete in tkhm_comm.cpp only.
    std::shared_ptr<kes::MainCommLink> CommLink;
    void InstallCommLink();
    // Ends a running transfer (no message) and closes the port: the program is closing.
    void StopLink();
    kes::TFileDlg OpenDlg, SaveDlg, BmpDlg;
    // Starts every outside program: written files in the desktop's program for them (the
    // hexadecimal page list, the object table's text), the user's guide, the product page;
    // tests put their own in.
    std::unique_ptr<kes::FileOpener> FileOpen;
    // The model form: the panel model's data and address codec, handed to the page windows,
    // dialogs, reports and the link through their hosts and contexts. A child of the window,
    // made by kes::StartUp after it; null until then.
    TLxType* LxType = nullptr;
    // The page editor: the open page windows (PageWinList) in the MDI area. Declared after
    // the host it asks, so that it ends first.
    std::unique_ptr<kes::MainPageHost> PageHost;
    std::unique_ptr<kes::MainDocHost> DocHost;
    // What the project commands and forms are lent of the window.
    std::unique_ptr<kes::MainProjectHost> ProjectHost;
    std::unique_ptr<kes::PageEditor> PageEd;
    // The open user-menu screen windows, in screen order; declared before their editor, which
    // empties it when it ends.
    std::vector<QWidget*> ImageWinList;
    // The start-up screen and user-menu screen windows.
    std::unique_ptr<kes::ScreenEditor> Screens;

    // A menu item or tool button by name ("MmNew", "TbSave"); a name the window has no item
    // for stops the program, so a misspelt name fails every test that reaches it.
    QAction* Action(const char* name) const override;
    // A tool bar widget that is not a button (TbState_Box, TbMemo, ...) by name; the same.
    QWidget* ToolWidget(const char* name) const override;
    // The same lookups, null when there is none.
    QAction* FindAction(const char* name) const;
    QWidget* FindToolWidget(const char* name) const;

    // ---- State of the window (the project's is in Doc)
    std::int32_t LineWidth = 1;   // 1..3, pen of new figures
    std::uint8_t LinePattern = 0; // 0 solid, 2 dotted
    QString ClipFmtObjects;       // clipboard format "CF_MYFORMAT"
    QString ClipFmtPage;          // clipboard format "CF_ALLPAGEFORMAT"

    std::uint16_t ComNumber = 1; // serial port number of MMICom ("COM" n)

    // The project's files (kes::ProjectFiles): saving the open project (false when it was not
    // saved, e.g. the save dialog was cancelled), writing its working copy under DocFiles (the
    // automatic save; false when it was not written), opening the project named in OpenDlg,
    // and the user-menu mode's save question (Yes/No/Cancel; 2 is Cancel).
    bool SaveProject();
    bool WriteWorkingCopy();
    bool ReadProjectFiles();
    int SaveUserMenu();
    // The files these go through from now on; null: the project commands' own over
    // ProjectHost. files outlives its use.
    void UseProjectFiles(kes::ProjectFiles* files);
    std::string HelpFile;
    // Windows of other subsystems that a project close removes, created into these by them.
    QPointer<QWidget> FrmKeySettingWin; // key settings of the keypad types 95 and 99
    // Stores the shown key settings window (before downloads and saves): false, after its
    // message, when a field is refused; true when it stored or no window is shown.
    bool StoreKeySettings();
    QPointer<QWidget> FirstPageWin;  // start-up screen editor
    QPointer<QWidget> FrmMsgShowWin; // check-result window

    // ---- Start-up
    // Runs once, when the window is created (FormCreate).
    void FormCreate();
    // Set when Lxe.ini was read at creation.
    bool LxeIniRead() const { return lxeIniRead_; }

    // ---- Settings file Lxe.ini
    void ApplyLxeSettings(const kes::LxeSettings& s);
    kes::LxeSettings CollectLxeSettings() const;
    // Writes AppDir + "Lxe.ini"; a failure is reported to the user.
    bool WriteLxeIni();
    // Removes what writes of the files the program keeps on its own (Lxe.ini, Loc.ini, the
    // user menus) left when a run was killed part way; run at start.
    void RemoveWriteLeftovers();
    // Lists the machine's serial ports and selects port number com on MMICom.
    void EnumSerialPorts(int com);

    // ---- Layout file Loc.ini
    // The layout file's path; "loc.ini" in any letter case is the same file.
    std::string LocIniPath() const;
    void WriteDockState(kes::TIniFile& ini, QWidget* control, const std::string& section, QWidget* host);
    void ReadDockState(kes::TIniFile& ini, QToolBar* bar, const std::string& section);
    void SaveLayout();
    void LoadLayout();
    void ShowPageTree(kes::TIniFile& ini);
    void ShowObjInspector(kes::TIniFile& ini);
    // View menu: closes the inspector (its section written, "Visible" false) or opens it.
    void MmObjInspectorClick();
    // Restores the edit tool bar at creation.
    void RestoreEditToolBar(kes::TIniFile& ini);
    // Writes section "ToolBar1" only (every exit).
    void SaveEditToolBar();
    // Floating tool bars (restored floating) live in a small tool window of their own.
    bool ToolBarFloats(const QToolBar* bar) const;
    void FloatToolBar(QToolBar* bar, const QRect& rect);
    void DockToolBar(QToolBar* bar);
    // Puts the docked tool bars in the rows and order read from the layout file.
    void ArrangeDockedToolBars();
    // The strip under the menu bar that holds the docked tool bars (screen coordinates).
    QRect ToolBarAreaRect() const;
    QPoint ControlBarOrigin() const;
    // Writes the layout file; a failure is reported to the user.
    bool UpdateLayoutFile(kes::TIniFile& ini);
    // The windows of other subsystems the window makes (kes::ShellWindows): its tool windows
    // (the page tree and inspector forms) and the key settings window; null when none can be
    // made now.
    QWidget* CreatePageTree();
    QWidget* CreateObjInspector();
    QWidget* CreateKeySetting();
    // The windows these make from now on; null: the window's own (kes::MainShellWindows).
    // windows outlives its use.
    void UseShellWindows(kes::ShellWindows* windows);
    QPointer<QWidget> FrameTreeViewWin;
    QPointer<QWidget> DlgPropWin;
    // The object inspector held in DlgPropWin; null while there is none.
    TDlgProp* Inspector() const;
    // Creates and places the tool window while on, deletes it otherwise.
    void ShowToolWindow(kes::TIniFile& ini, bool on, const std::string& section, QPointer<QWidget>& win,
                        const std::function<QWidget*()>& create);
    // Puts a tool window into the side panel (shown, widened to the window), at its top or
    // below what it holds.
    void DockToolWindow(QWidget& win, bool atTop);
    // Makes a tool window a floating window of the main window where it stands, but right of
    // the side panel; the panel hides when it holds nothing more.
    void FloatToolWindow(QWidget& win);
    // A tool window closed by its own button: its place is written with "Visible" false.
    void WriteClosedToolWindow(QWidget& win, const std::string& section);
    // A tool window is going: the side panel hides when it held that window alone.
    void ToolWindowGoing(QWidget& win);

    // ---- Project close, new project and exit
    void MmClosePrjClick();
    void MmNewClick();
    void MmExitClick();
    // The close handler; false keeps the program running.
    bool FormClose();
    void CloseProject();
    // Asks whether to save; false when the user cancels.
    bool CloseProjectQuery();
    void MakeNewPrjName();
    void AddRecentFile(const std::string& path);
    void ResetMemoryImage();
    // Adds a page: its record and its window (app/editor), which becomes the current page.
    void MmAddPgClick();
    // Text of a status bar panel (0..4).
    void SetStatusText(int panel, const QString& text);
    QString StatusText(int panel) const;

    // ---- Auto-save timer
    void StartAutoSave();
    void StopAutoSave();
    bool AutoSaveRunning() const;
    // The running timer's period in milliseconds.
    int AutoSaveInterval() const;
    void AutoSaveTick();

    // ---- Command state
    void FormActivate();
    void SetMainToolsEnabled();
    void SetObjEditTools(bool enable);
    void ApplyModelTools();
    // Status panels 3 and 4: the project's controller and panel model.
    void ShowModelStatus();
    // Sets the check marks that show a switch of the project state (EnableUpDown, ReplyTimeOutOn,
    // the parameter data set) or of the view (GridDotsOn, PageTreeOn, ObjInspectorOn) from them.
    void ShowStateChecks();
    // Enables a command only when its handler is connected (Wire); submenus always.
    void SetItemEnabled(const char* name, bool enable) override;
    void SetItemVisible(const char* name, bool visible) override;
    // Connects a command's handler and marks it as built; a name no item carries, or a second
    // handler for an item, stops the program.
    void Wire(const char* name, std::function<void()> handler) override;
    bool IsWired(const char* name) const override;
    bool IsWired(const QAction* action) const;

    // ---- Languages
    void FormShow();
    void MmLangChtClick(int langIndex);
    void RefreshRecentFileItems();

    // ---- About box
    void MmVersionClick();

    // ---- Page windows, zoom, drawing tools and navigation (the page editor, app/editor)
    // Opens the window of page index from its record (or brings its open window to the
    // front) and makes it the current page.
    void LoadPageWindow(int index);
    // Check marks of the zoom items and the zoom buttons for a zoom.
    void ShowZoomState(int zoom);
    // Zoom of every open page (the zoom-all items) or of the current editor (the zoom items).
    void MmPgSizeAllClick(int zoom);
    void MmPgSizeClick(int zoom);
    void MmPgSize100Click() { MmPgSizeClick(1); }
    void MmPgSize200Click() { MmPgSizeClick(2); }
    void MmPgSize400Click() { MmPgSizeClick(4); }
    void Mm800Click() { MmPgSizeClick(8); }
    void Mm1600Click() { MmPgSizeClick(16); }
    void MmPgSize100AllClick() { MmPgSizeAllClick(1); }
    void MmPgSize200AllClick() { MmPgSizeAllClick(2); }
    void MmPgSize400AllClick() { MmPgSizeAllClick(4); }
    void Mm800AllClick() { MmPgSizeAllClick(8); }
    void Mm1600AllClick() { MmPgSizeAllClick(16); }
    void MmPageSizeClick();
    void MmViewPgClick();
    void MmPgJumpClick();
    void MmFunKeyEtClick();
    // Every page-change condition of the project deleted (the parameter register replaces them).
    void ClearAllPgJumps();
    void TbStTxtClick(QAction* sender);
    void MmStTxtClick(QAction* sender);
    void SetToolKind(QAction* sender);
    void TbZoomInClick();
    void TbZoomOutClick();
    void TbPrePgClick();
    void TbNextPgClick();
    void MmHorzClick();
    void MmVertClick();
    void MmCascadeClick();
    void LxeHelpClick();
    // Position in ImageWinList, or the list's count when it is not there.
    int IndexOfImageForm(const QWidget* page) const;
    void MmfileClick();
    void MmEditClick();
    void MmSettingClick();
    void SelectPointerTool();
    void tbPointToClick();
    void TbPolyClick(QAction* sender);
    void MmPolyClick(QAction* sender);
    void TbSLineClick(QAction* sender);
    void ShowLineStyle();
    void EnableObjToolBar(bool enable);
    void SetToolsForObj(TLxObj* obj);
    void TbUndoClick();
    void TbRedoClick();
    void MmSelAllClick();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // A title the window writes itself (the user menu's) is written again in the new language.
    void changeEvent(QEvent* event) override;

private:
    void BuildMenus();
    void BuildToolBars();
    void BuildDockPanels();
    void BuildStatusBar();
    void WireCommands();
    QWidget* FloatHost(QToolBar* bar) const;

    std::map<QToolBar*, QPoint> dockedAt_; // docked places read from the layout file
    // Items and tools found by name, kept while they live: a page's activation sets the state
    // of dozens, and a search of the whole window each time would cost more than the page.
    mutable std::map<std::string, QPointer<QObject>, std::less<>> foundByName_;
    bool lxeIniRead_ = false;
    int chosenLanguage_ = -1; // the language last chosen from the menu, kept in Lxe.ini
    bool shown_ = false;
    std::shared_ptr<bool> going_ = std::make_shared<bool>(false);
    QTimer* autoSaveTimer_ = nullptr;
    // The project commands' files over ProjectHost, and the files in use.
    std::unique_ptr<kes::ProjectFiles> ownFiles_;
    kes::ProjectFiles* files_ = nullptr;
    // The window's own makers of other subsystems' windows, and the makers in use.
    std::unique_ptr<kes::ShellWindows> ownWindows_;
    kes::ShellWindows* windows_ = nullptr;
};
