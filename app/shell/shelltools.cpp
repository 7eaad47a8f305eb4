#include "app/shell/shelltools.h"

#include "app/editor/pageeditor.h"
#include "app/editor/thmpage.h"
#include "app/inspector/tdlgprop.h"
#include "app/project/ui/tfrmplcaddrmap.h"
#include "app/project/ui/tlxtype.h"
#include "app/shell/pageexports.h"
#include "app/shell/shellwindows.h"
#include "app/shell/texttools.h"
#include "app/shell/tframetreeview.h"
#include "app/shell/tfrmautosaveset.h"
#include "app/shell/tkhm.h"
#include "app/ui/errortext.h"
#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"
#include "app/ui/translate.h"
#include "platform/codepage.h"
#include "platform/fileio.h"
#include "platform/inifile.h"

#include <QDockWidget>
#include <QFontDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QSplitter>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

#include <algorithm>

namespace kes {

namespace {
constexpr int kMsgDeviceNotSupported = 700;
constexpr int kNoAddressMapId = 97;
constexpr int kMsgWriteFailed = 475;
const char* const kTreeSection = "TreeViewPage";

QWidget* CreateTree(TKhm& k)
{
    auto* tree = new TFrameTreeView(&k, k);
    // A maximise request docks it at the top of the side panel, a move to the left edge below
    // what the panel holds.
    tree->DockIntoPanel = [&k, tree](PanelToolWindow::DockAsk why) {
        k.DockToolWindow(*tree, why == PanelToolWindow::DockAsk::Maximised);
    };
    tree->Undock = [&k, tree] { k.FloatToolWindow(*tree); };
    // A page window becoming the current page (opened, added, stepped to) moves the selection;
    // the page window takes its activation first.
    QObject::connect(k.MdiArea, &QMdiArea::subWindowActivated, tree,
                     [tree] { QTimer::singleShot(0, tree, [tree] { tree->RefreshPageTree(); }); });
    tree->RefreshPageTree();
    return tree;
}
} // namespace

QWidget* MainShellWindows::CreatePageTree() { return CreateTree(khm_); }

TFrameTreeView* PageTreeOf(TKhm& khm) { return dynamic_cast<TFrameTreeView*>(khm.FrameTreeViewWin.data()); }

void RefreshPageTree(TKhm& khm)
{
    if (TFrameTreeView* tree = PageTreeOf(khm))
        tree->RefreshPageTree();
}

void MmTreeViewClick(TKhm& khm)
{
    // The item is checked while the window exists.
    khm.View.PageTreeOn = !khm.FrameTreeViewWin;
    khm.ShowStateChecks();
    TIniFile ini(khm.LocIniPath());
    if (khm.View.PageTreeOn) {
        // Shown for the first time: docked in the side panel.
        if (!ini.ValueExists(kTreeSection, "Location"))
            ini.WriteBool(kTreeSection, "Location", false);
        khm.ShowPageTree(ini);
        RefreshPageTree(khm);
        return;
    }
    if (khm.FrameTreeViewWin) {
        khm.WriteDockState(ini, khm.FrameTreeViewWin, kTreeSection, khm.PanelTreeViewHost);
        ini.WriteBool(kTreeSection, "Visible", false);
        delete khm.FrameTreeViewWin.data();
        khm.FrameTreeViewWin = nullptr;
    }
    if (khm.PanelTreeViewHost->count() == 0)
        khm.PanelTreeView->hide();
    khm.UpdateLayoutFile(ini);
}

void ReloadOpenPage(THmPage& page)
{
    const int zoom = page.Data().Zoom;
    page.PgFreeAll();
    page.FormCreate();
    page.Data().Zoom = zoom;
    page.FormResize();
    page.LoadFromRecord();
}

void MmPLCSetClick(TKhm& khm)
{
    if (khm.Doc.MachineId == kNoAddressMapId) {
        ShowMsg(khm.Ask(), kMsgDeviceNotSupported);
        return;
    }
    if (!khm.LxType)
        return;
    TFrmPLCAddrMap dlg(&khm, khm.Ask(), khm.Doc, *khm.LxType, khm.Doc.LangIndex);
    auto openPage = [&khm]() -> THmPage* {
        THmPage* page = khm.PageEd->Current();
        return page && page->Live() && khm.View.EditMode == kes::Editing::Pages ? page : nullptr;
    };
    dlg.StoreOpenPage = [openPage] {
        THmPage* page = openPage();
        if (!page)
            return -1;
        page->PgDataSave();
        return page->Data().PgIndex;
    };
    dlg.ReloadOpenPage = [openPage] {
        if (THmPage* page = openPage())
            ReloadOpenPage(*page);
    };
    ExecModal(khm.Ask(), &dlg);
    if (dlg.Applied) {
        // The project's table is now the new model's; the open page's address texts follow it.
        khm.LxType->SelectMachine();
        dlg.ReloadOpenPage();
    }
    khm.ShowModelStatus();
    if (khm.Inspector() && khm.Inspector()->isVisible())
        khm.Inspector()->FormShow();
}

void MmAutoSaveClick(TKhm& khm)
{
    khm.StopAutoSave();
    TFrmAutoSaveSet dlg(&khm, khm.Ask(), khm.Doc);
    ExecModal(khm.Ask(), &dlg);
    khm.StartAutoSave();
}

std::string CaptionListPath(const QWidget& form)
{
    static const char* const kExt[] = {".CHT", ".CHS", ".ENU"};
    const int lang = std::clamp(form.property("Tag").toInt(), 0, 2);
    return UserDir(UserFolder::Data) + "Lan/" + form.objectName().toStdString() + kExt[lang];
}

std::string CaptionListText(QWidget& form)
{
    // In the code page of the form's language, as the caption files are.
    ScopedCodePage cp(LangCodePage(std::clamp(form.property("Tag").toInt(), 0, 2)));
    std::string text;
    for (const CaptionLine& line : FormCaptionLines(&form))
        text += line.key + "=" + QStringToAnsi(line.text) + "\n";
    return text;
}

bool WriteLanguageFiles(Prompt& prompt, QWidget& form)
{
    const std::string path = CaptionListPath(form);
    FileError error;
    if (WriteFileAtomic(path, CaptionListText(form), &error))
        return true;
    ShowError(prompt, Msg(kMsgWriteFailed) + QStringLiteral("\n") + FileErrorText(error));
    return false;
}

void MmWinFontClick(TKhm& khm)
{
    QFontDialog dlg(khm.font(), &khm);
    dlg.setObjectName(QStringLiteral("FontDlg"));
    if (ExecModal(khm.Ask(), &dlg) != QDialog::Accepted)
        return;
    const QFont font = dlg.selectedFont();
    khm.setFont(font);
    if (TFrameTreeView* tree = PageTreeOf(khm)) {
        tree->setFont(font);
        tree->TreeViewPage->setFont(font);
    }
    if (khm.Inspector() && khm.View.ObjInspectorOn) {
        khm.Inspector()->setFont(font);
        khm.Inspector()->FormShow();
    }
    khm.update();
}

void MmViewClick(TKhm& khm)
{
    const bool pages = khm.PageEd && !khm.PageEd->Pages().empty();
    khm.SetItemEnabled("MmFullScreen", pages);
    khm.SetItemEnabled("MmFullScrnNpoint", pages);
    if (!pages)
        return;
    const std::pair<const char*, QToolBar*> bars[] = {{"StandTbarSet", khm.EditToolBar},
                                                      {"PostTBarSet", khm.PostSetToolBar},
                                                      {"ObjTBarSet", khm.ObjToolBar},
                                                      {"GeomTBarSet", khm.GeomToolBar},
                                                      {"PosTBarSet", khm.PosTooBar}};
    for (const auto& [item, bar] : bars)
        khm.Action(item)->setChecked(!bar->isHidden());
}

void MmToolClick(TKhm& khm)
{
    if (khm.Doc.IsKeypadType())
        khm.SetMainToolsEnabled();
}

void InstallShellTools(TKhm& khm)
{
    khm.Wire("MmWinFont", [&khm] { MmWinFontClick(khm); });
    // Built now, so offered: the window font and the picture data exports.
    khm.SetItemVisible("MmWinFont", true);
    khm.SetItemVisible("MmBmpSave", true);
    // Items the design keeps without behaviour: the message window's item, the PLC range item
    // (shown for the second panel model only), and the hidden characters, range test and file
    // check items.
    for (const char* n : {"MmMsgShow", "MmPLCRangeSet", "MmChar", "MmTestPLCRange", "MmChkFile"})
        khm.Wire(n, [] {});
    if (auto* view = khm.findChild<QMenu*>(QStringLiteral("MmView_menu")))
        QObject::connect(view, &QMenu::aboutToShow, &khm, [&khm] { MmViewClick(khm); });
    if (auto* tools = khm.findChild<QMenu*>(QStringLiteral("MmTool_menu")))
        QObject::connect(tools, &QMenu::aboutToShow, &khm, [&khm] { MmToolClick(khm); });
    khm.Wire("MmWriteLan", [&khm] {
        khm.setProperty("Tag", khm.Doc.LangIndex);
        WriteLanguageFiles(khm.Ask(), khm);
    });
    khm.Wire("MmAutoSave", [&khm] { MmAutoSaveClick(khm); });
    InstallPageExports(khm);
    InstallTextTools(khm);
    khm.Wire("MmTreeView", [&khm] { MmTreeViewClick(khm); });
    khm.Wire("MmPLCSet", [&khm] { MmPLCSetClick(khm); });
}

} // namespace kes
