// The main window as the host of its page windows (the page editor's questions answered from
// the window's project, model form, menus and tool bars) and of the project document.
#include "app/shell/tkhm_hosts.h"

#include "app/comm/linkport.h"
#include "app/comm/ui/tcomprogbar.h"
#include "app/editor/pageeditor.h"
#include "app/editor/screeneditor.h"
#include "app/project/ui/tfrmmsgshow.h"
#include "app/project/ui/tlxtype.h"
#include "app/shell/formatcommands.h"
#include "app/shell/shelltools.h"
#include "app/shell/tkhm.h"
#include "app/shell/tkhm_comm.h"
#include "app/ui/prompt.h"

namespace kes {

ProjectDoc& MainPageHost::Doc() { return khm_.Doc; }
ViewState& MainPageHost::View() { return khm_.View; }

LxTypeCore* MainPageHost::Model() const { return khm_.LxType; }

CommandPanel& MainPageHost::Commands() { return khm_; }

const FormRunner& MainPageHost::Forms() const { return khm_.Forms; }

QWidget* MainPageHost::Window() { return &khm_; }
Prompt& MainPageHost::Ask() { return khm_.Ask(); }

QFont MainPageHost::MainFont() const { return khm_.font(); }

QString MainPageHost::ClipFmtObjects() const { return khm_.ClipFmtObjects; }

QString MainPageHost::ClipFmtPage() const { return khm_.ClipFmtPage; }

DialogContext MainPageHost::DialogContextFor(PageData* page) { return MainDialogContext(khm_, page); }

bool MainPageHost::LinkBusy() const
{
    const TComProgBar* progress = khm_.CommLink ? khm_.CommLink->ProgressWindow() : nullptr;
    return progress && progress->isVisible();
}

QWidget* MainPageHost::StartScreenWindow() const { return khm_.FirstPageWin.data(); }

PageEditor* MainPageHost::PageEd() const { return khm_.PageEd.get(); }

TImagePage* MainPageHost::StartScreenEditor() const { return khm_.Screens ? khm_.Screens->FirstPage() : nullptr; }

TDlgProp* MainPageHost::Inspector() const { return khm_.Inspector(); }

void MainPageHost::PointerTool() { khm_.tbPointToClick(); }

void MainPageHost::SelectPointerTool() { khm_.SelectPointerTool(); }

void MainPageHost::EnableObjToolBar(bool enable) { khm_.EnableObjToolBar(enable); }

void MainPageHost::SetObjEditTools(bool enable) { khm_.SetObjEditTools(enable); }

void MainPageHost::SetToolsForObj(TLxObj* obj) { khm_.SetToolsForObj(obj); }

int MainPageHost::LineWidth() const { return khm_.LineWidth; }

int MainPageHost::LinePattern() const { return khm_.LinePattern; }

void MainPageHost::TakeLineStyle(int width, int pattern)
{
    khm_.LineWidth = width;
    khm_.LinePattern = static_cast<std::uint8_t>(pattern);
    khm_.ShowLineStyle();
}

void MainPageHost::ShowZoomState(int zoom) { khm_.ShowZoomState(zoom); }

void MainPageHost::SetStatusText(int panel, const QString& text) { khm_.SetStatusText(panel, text); }

void MainPageHost::SaveLayout() { khm_.SaveLayout(); }

void MainPageHost::HideClick() { MmHideClick(khm_); }

void MainPageHost::PageNumWriteClick() { MmPgPageWriteSetClick(khm_); }

// Inserted, deleted, moved and retitled pages show in the tree.
void MainPageHost::PagesChanged() { RefreshPageTree(khm_); }

MainProjectHost::MainProjectHost(TKhm& khm)
    : ProjectCommandsHost(khm.Doc, khm.View, khm.OpenDlg, khm.SaveDlg, khm.Ask()), khm_(khm)
{}

LxTypeCore* MainProjectHost::Model() const { return khm_.LxType; }

CommandPanel& MainProjectHost::Commands() { return khm_; }

PageWindows& MainProjectHost::Pages() { return *khm_.PageEd; }

QWidget* MainProjectHost::Window() { return &khm_; }

void MainProjectHost::CloseProject() { khm_.CloseProject(); }

bool MainProjectHost::CloseProjectQuery() { return khm_.CloseProjectQuery(); }

void MainProjectHost::LoadLayout() { khm_.LoadLayout(); }

void MainProjectHost::StartAutoSave() { khm_.StartAutoSave(); }

void MainProjectHost::AddRecentFile(const std::string& path) { khm_.AddRecentFile(path); }

void MainProjectHost::RefreshRecentFileItems() { khm_.RefreshRecentFileItems(); }

void MainProjectHost::FormActivate() { khm_.FormActivate(); }

void MainProjectHost::MmAddPgClick() { khm_.MmAddPgClick(); }

void MainProjectHost::MmClosePrjClick() { khm_.MmClosePrjClick(); }

void MainProjectHost::ShowOpenedProject(int portNumber)
{
    khm_.ShowModelStatus();
    khm_.ApplyModelTools();
    khm_.ShowStateChecks();
    khm_.EnumSerialPorts(portNumber);
}

std::uint8_t MainProjectHost::PortNumber() const { return static_cast<std::uint8_t>(khm_.ComNumber); }

std::uint32_t MainProjectHost::Baud() const
{
    return khm_.MMICom ? static_cast<std::uint32_t>(khm_.MMICom->Settings().baud) : 0;
}

bool MainProjectHost::StoreKeySettings() { return khm_.StoreKeySettings(); }

void MainProjectHost::ShowKeySettings()
{
    if (!khm_.FrmKeySettingWin) {
        khm_.FrmKeySettingWin = khm_.CreateKeySetting();
        if (khm_.FrmKeySettingWin)
            khm_.FrmKeySettingWin->show();
    }
}

void MainProjectHost::ShowCheckResult(const std::vector<std::string>& lines)
{
    if (TFrmMsgShow* win = kes::ShowCheckResult(&khm_, khm_.CtBarErr, khm_.Doc, *khm_.PageEd, lines))
        khm_.FrmMsgShowWin = win;
}

void MainDocHost::StoreActivePage() { khm_.PageEd->StoreCurrentPage(); }

void MainDocHost::StoreStartScreen() { khm_.Screens->StoreStartScreen(); }

void MainDocHost::ShowMsg(int n) { kes::ShowMsg(khm_.Ask(), n); }

Editing MainDocHost::EditMode() const { return khm_.View.EditMode; }

void MainDocHost::SetEditMode(Editing m) { khm_.View.EditMode = m; }

} // namespace kes
