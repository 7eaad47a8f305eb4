// The main window as the host of its page windows: the page editor's questions answered from
// the window's project, model form, menus and tool bars.
#include "app/shell/tkhm_pagehost.h"

#include "app/comm/ui/tcomprogbar.h"
#include "app/project/ui/tlxtype.h"
#include "app/shell/formatcommands.h"
#include "app/shell/tkhm.h"

namespace kes {

ProjectDoc& MainPageHost::Doc() { return khm_.Doc; }

LxTypeCore* MainPageHost::Model() const { return LxType; }

CommandPanel& MainPageHost::Commands() { return khm_; }

QWidget* MainPageHost::Window() { return &khm_; }

QFont MainPageHost::MainFont() const { return khm_.font(); }

QString MainPageHost::ClipFmtObjects() const { return khm_.ClipFmtObjects; }

QString MainPageHost::ClipFmtPage() const { return khm_.ClipFmtPage; }

DialogContext MainPageHost::DialogContextFor(PageData* page) { return MainDialogContext(page); }

bool MainPageHost::LinkBusy() const { return ComProgBar && ComProgBar->isVisible(); }

QWidget* MainPageHost::StartScreenWindow() const { return khm_.FirstPageWin.data(); }

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

} // namespace kes
