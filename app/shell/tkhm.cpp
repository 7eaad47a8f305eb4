#include "app/shell/tkhm.h"

#include "app/comm/qtlinkport.h"
#include "app/dialogs/formrunner.h"
#include "app/dialogs/objdialogs.h"
#include "app/editor/pageeditor.h"
#include "app/editor/screeneditor.h"
#include "app/project/pagedata.h"
#include "app/project/ui/prjcommands.h"
#include "app/project/ui/prjfiles.h"
#include "app/shell/editorcommands.h"
#include "app/shell/lxeini.h"
#include "app/shell/reportcommands.h"
#include "app/shell/screencommands.h"
#include "app/shell/settingcommands.h"
#include "app/shell/shelltools.h"
#include "app/shell/shellwindows.h"
#include "app/shell/startup.h"
#include "app/shell/tkhm_hosts.h"
#include "app/shell/tkhm_inspector.h"
#include "app/ui/codepageguard.h"
#include "app/ui/fileopener.h"
#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"
#include "app/ui/screenfit.h"
#include "platform/codepage.h"
#include "platform/fileio.h"
#include "platform/inifile.h"

#include <QAction>
#include <QCloseEvent>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <algorithm>
#include <climits>

namespace {
const char* const kWiredProperty = "kesWired";
} // namespace

TKhm::TKhm(kes::ProjectDoc& doc, const kes::StartupOptions& options, QWidget* parent)
    : QMainWindow(parent), ownPrompt_(options.prompt ? nullptr : std::make_unique<kes::WidgetPrompt>(this)),
      ask_(options.prompt ? *options.prompt : *ownPrompt_), objDialogs_(options.dialogs),
      screen_(options.screen ? *options.screen : ownScreen_), Doc(doc)
{
    setObjectName(QStringLiteral("Khm"));
    setFont(QFont(QStringLiteral("Times New Roman"), 9));
    resize(962, 664);

    Doc.OffsetList.clear();
    Doc.UserMenuOffsetList.clear();
    ResetMemoryImage();
    LineWidth = 1;
    LinePattern = 0;
    Doc.HasRtc = true;
    Doc.ComSetByte = {4, 4};
    Doc.UseDefaultPort = 1;
    Doc.UseDefaultStation = 1;
    Doc.LinkIndex = 0;
    Doc.ResetSystemRecords();
    Doc.MachineId = 87;
    Doc.PanelModelIndex = 0;
    Doc.PortSlaveMode = {0, 0};

    MMICom = std::make_unique<kes::QtLinkPort>();
    FileOpen = std::make_unique<kes::DesktopFileOpener>();
    autoSaveTimer_ = new QTimer(this);
    QObject::connect(autoSaveTimer_, &QTimer::timeout, this, [this] { AutoSaveTick(); });

    BuildMenus();
    BuildToolBars();
    BuildDockPanels();
    PageHost = std::make_unique<kes::MainPageHost>(*this);
    PageEd = std::make_unique<kes::PageEditor>(*PageHost, MdiArea);
    Screens = std::make_unique<kes::ScreenEditor>(*PageHost, MdiArea, ImageWinList);
    DocHost = std::make_unique<kes::MainDocHost>(*this);
    ProjectHost = std::make_unique<kes::MainProjectHost>(*this);
    ownFiles_ = std::make_unique<kes::HostProjectFiles>(*ProjectHost);
    files_ = ownFiles_.get();
    ownWindows_ = std::make_unique<kes::MainShellWindows>(*this);
    windows_ = ownWindows_.get();
    Doc.SetHost(DocHost.get());
    BuildStatusBar();
    WireCommands();
    ShowStateChecks();
    SetItemEnabled("MmClosePrj", false);

    FormCreate();
}

TKhm::~TKhm()
{
    *going_ = true;
    Doc.SetHost(nullptr);
    // The page windows close before the other parts: as they go they still ask the window for
    // its inspector.
    Screens.reset();
    PageEd.reset();
}

void TKhm::FormCreate()
{
    Doc.PgDataList.clear();
    Doc.RecentFiles.clear();
    ImageWinList.clear();
    Doc.UserMenuOffsetList.clear();
    Doc.ImagePgDataList.clear();
    kes::MessageTable().Clear();
    Doc.MsgTable.clear();
    Doc.StartScreenData = std::make_unique<PgDataStr>();

    View.EditMode = kes::Editing::Pages;
    Doc.PortInternalCode = 0;
    Doc.DefaultZoom = 4;

    // The program folder: where the program lies (in place of the registry's App Paths entry).
    Doc.AppDir = kes::AppDir();
    setWindowIcon(QIcon(kes::AnsiToQString(Doc.AppDir + "Kestro.ico")));
    // What the program writes goes to the user's own folders when its folder is read-only.
    for (auto [dir, folder] :
         {std::pair{&Doc.ConfigDir, kes::UserFolder::Config}, {&Doc.DataDir, kes::UserFolder::Data}}) {
        const std::string user = kes::UserDir(folder);
        *dir = user == Doc.AppDir ? std::string() : user;
    }

    RemoveWriteLeftovers();
    // The user's settings come first; the program folder's are the defaults.
    kes::LxeSettings settings = CollectLxeSettings();
    lxeIniRead_ = kes::ReadLxeIni(Doc.SettingsDir() + "Lxe.ini", Doc.WriteDir(), settings) ||
                  (!Doc.ConfigDir.empty() && kes::ReadLxeIni(Doc.AppDir + "Lxe.ini", Doc.WriteDir(), settings));
    // Project texts take the locale's code page, else that of the language last chosen.
    chosenLanguage_ = settings.Language;
    kes::SetAnsiCodePage(
        kes::CodePageFromEnvironment(chosenLanguage_ >= 0 ? kes::LangCodePage(chosenLanguage_) : 1252));
    kes::InstallCodePageGuard(this, Ask(), this);

    // Always English at start; the language menu switches afterwards.
    Doc.LangIndex = kes::LangEng;
    kes::LoadMessageTable(Doc.LangIndex);
    Doc.MsgTable = kes::MessagesInCodePage();

    if (lxeIniRead_) {
        ApplyLxeSettings(settings);
        kes::TIniFile loc(LocIniPath());
        RestoreEditToolBar(loc);
    } else {
        resize(kes::FitRestoredSize(Desktop(), this, size()));
    }

    Doc.CaptionPrefix = kes::MsgAnsi(kes::kMsgProductName) + " - ";
    ClipFmtObjects = QStringLiteral("CF_MYFORMAT");
    ClipFmtPage = QStringLiteral("CF_ALLPAGEFORMAT");
    if (OpenDlg.InitialDir.empty())
        OpenDlg.InitialDir = Doc.WriteDir();
    OpenDlg.DefaultExt = ".zqf";
    OpenDlg.Filter = "Project (*.zqf)";
    SaveDlg.DefaultExt = ".zqf";
    SaveDlg.Filter = OpenDlg.Filter;
    BmpDlg.Filter = "Bitmaps (*.bmp)";
}

namespace {

// What findChild gives for name, looked up among what was found before: a name belongs to one
// item or tool, kept while it lives and keeps the name (so an item's name finds no tool).
template <typename T>
T* FindKept(const QObject& in, std::map<std::string, QPointer<QObject>, std::less<>>& found, const char* name)
{
    const QString key = QString::fromLatin1(name);
    if (const auto it = found.find(std::string_view(name));
        it != found.end() && it->second && it->second->objectName() == key)
        return qobject_cast<T*>(it->second.data());
    T* object = in.findChild<T*>(key);
    if (object)
        found[name] = object;
    return object;
}

} // namespace

QAction* TKhm::FindAction(const char* name) const { return FindKept<QAction>(*this, foundByName_, name); }

QWidget* TKhm::FindToolWidget(const char* name) const { return FindKept<QWidget>(*this, foundByName_, name); }

QAction* TKhm::Action(const char* name) const
{
    QAction* a = FindAction(name);
    if (!a)
        qFatal("Action: no menu item or tool button is named %s", name);
    return a;
}

QWidget* TKhm::ToolWidget(const char* name) const
{
    QWidget* w = FindToolWidget(name);
    if (!w)
        qFatal("ToolWidget: no tool is named %s", name);
    return w;
}

bool TKhm::IsWired(const QAction* action) const
{
    return action->property(kWiredProperty).toBool() && Forms.CommandReady(action);
}

bool TKhm::IsWired(const char* name) const
{
    const QAction* a = Action(name);
    return a && IsWired(a);
}

void TKhm::Wire(const char* name, std::function<void()> handler)
{
    // A misspelt or removed name, or a second handler for one item, is a programming error:
    // stop at start-up instead of leaving the command dead.
    QAction* a = FindAction(name);
    if (!a)
        qFatal("Wire: no menu item or tool button is named %s", name);
    if (a->property(kWiredProperty).toBool())
        qFatal("Wire: %s is wired twice", name);
    a->setProperty(kWiredProperty, true);
    QObject::connect(a, &QAction::triggered, this, [handler = std::move(handler)] { handler(); });
}

void TKhm::SetItemEnabled(const char* name, bool enable)
{
    if (QAction* a = FindAction(name)) {
        // A command whose subsystem is not built yet stays disabled.
        const bool built = a->menu() != nullptr || IsWired(a);
        a->setEnabled(enable && built);
    } else if (QWidget* w = FindToolWidget(name)) {
        w->setEnabled(enable);
    } else {
        qFatal("SetItemEnabled: no menu item, tool button or tool is named %s", name);
    }
}

void TKhm::SetItemVisible(const char* name, bool visible)
{
    if (QAction* a = FindAction(name))
        a->setVisible(visible);
    else if (QWidget* w = FindToolWidget(name))
        w->setVisible(visible);
    else
        qFatal("SetItemVisible: no menu item, tool button or tool is named %s", name);
}

void TKhm::SetStatusText(int panel, const QString& text)
{
    if (panel >= 0 && panel < static_cast<int>(KhmStaPanels.size()))
        KhmStaPanels[static_cast<std::size_t>(panel)]->setText(text);
}

QString TKhm::StatusText(int panel) const
{
    if (panel < 0 || panel >= static_cast<int>(KhmStaPanels.size()))
        return {};
    return KhmStaPanels[static_cast<std::size_t>(panel)]->text();
}

void TKhm::WireCommands()
{
    Wire("MmNew", [this] { MmNewClick(); });
    Wire("TbNew", [this] { MmNewClick(); });
    Wire("MmClosePrj", [this] { MmClosePrjClick(); });
    Wire("MmExit", [this] { MmExitClick(); });
    Wire("MmVersion", [this] { MmVersionClick(); });
    for (const char* n : {"MmLangCht", "MmLangChs", "MmLangEng"}) {
        QAction* a = Action(n);
        Wire(n, [this, a] { MmLangChtClick(a->property("Tag").toInt()); });
    }
    const std::pair<const char*, QToolBar*> bars[] = {{"StandTbarSet", EditToolBar},
                                                      {"ObjTBarSet", ObjToolBar},
                                                      {"GeomTBarSet", GeomToolBar},
                                                      {"PosTBarSet", PosTooBar},
                                                      {"PostTBarSet", PostSetToolBar}};
    for (const auto& [name, bar] : bars) {
        QAction* a = Action(name);
        QToolBar* b = bar;
        Wire(name, [this, a, b] {
            if (ToolBarFloats(b))
                FloatHost(b)->setVisible(a->isChecked());
            b->setVisible(a->isChecked());
        });
    }
    kes::InstallProjectCommands(*ProjectHost);
    kes::InstallEditorCommands(*this);
    kes::InstallScreenCommands(*this);
    kes::InstallDialogCommands(*this, this, [this] { return kes::MainDialogContext(*this, nullptr); });
    kes::InstallSettingCommands(*this);
    kes::InstallObjInspector(*this);
    kes::InstallShellTools(*this);
    InstallCommLink();
    kes::InstallPrintCommands(*this);
    // Commands whose subsystem is not built yet are there, but cannot be chosen.
    for (QAction* a : findChildren<QAction*>())
        if (!a->menu() && !a->isSeparator() && !IsWired(a) && !a->objectName().isEmpty())
            a->setEnabled(false);
    for (const char* n :
         {"TbState_Lab", "TbState_Box", "TbState_UD", "TbFont_Lab", "TbFont_Box", "TbMemo_Lab", "TbMemo", "TbMemo_UD"})
        ToolWidget(n)->setEnabled(false);
}

bool TKhm::SaveProject() { return files_->SaveProject(); }

bool TKhm::WriteWorkingCopy() { return files_->WriteWorkingCopy(); }

bool TKhm::ReadProjectFiles() { return files_->ReadProjectFiles(); }

int TKhm::SaveUserMenu() { return files_->SaveUserMenu(); }

void TKhm::UseProjectFiles(kes::ProjectFiles* files) { files_ = files ? files : ownFiles_.get(); }

QWidget* TKhm::CreatePageTree() { return windows_->CreatePageTree(); }

QWidget* TKhm::CreateObjInspector() { return windows_->CreateObjInspector(); }

QWidget* TKhm::CreateKeySetting() { return windows_->CreateKeySetting(); }

void TKhm::UseShellWindows(kes::ShellWindows* windows) { windows_ = windows ? windows : ownWindows_.get(); }

// ---- Auto-save timer: runs exactly while auto-save is on with an interval of a minute or more.

void TKhm::StartAutoSave()
{
    // The timer counts milliseconds in an int: longer intervals are cut to what it can hold.
    constexpr int kMaxMinutes = INT_MAX / 60000;
    if (Doc.AutoSave && Doc.SaveTimeInterval >= 1)
        autoSaveTimer_->start(std::min(Doc.SaveTimeInterval, kMaxMinutes) * 60000);
}

void TKhm::StopAutoSave() { autoSaveTimer_->stop(); }

bool TKhm::AutoSaveRunning() const { return autoSaveTimer_->isActive(); }

int TKhm::AutoSaveInterval() const { return autoSaveTimer_->interval(); }

void TKhm::AutoSaveTick()
{
    // Without an open project there is nothing to copy, and the name would be empty; during a
    // transfer the image the link is sending must not be rebuilt under it.
    if (!Doc.Opened || Doc.PrjName.empty() || View.EditMode == kes::Editing::UserMenu ||
        (PageHost && PageHost->LinkBusy()))
        return;
    WriteWorkingCopy();
}

void TKhm::closeEvent(QCloseEvent* event)
{
    if (FormClose())
        event->accept();
    else
        event->ignore();
}

void TKhm::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::LanguageChange && View.EditMode == kes::Editing::UserMenu)
        kes::TitleUserMenu(*this);
}

void TKhm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
        // Tool windows shown before the main window (a project opened from the command line)
        // would stay under it where the window manager puts a newly shown window on top.
        QTimer::singleShot(0, this, [this] {
            for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (w->isWindow() && w->isVisible() && w->windowType() == Qt::Tool)
                    w->raise();
        });
    }
}
