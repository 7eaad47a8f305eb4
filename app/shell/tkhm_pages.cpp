// The main window's page commands: opening and adding page windows, the zoom of one page or
// of all, the page list, the page settings dialogs, moving between open pages and arranging
// the MDI children.
#include "app/dialogs/formrunner.h"
#include "app/editor/pageeditor.h"
#include "app/editor/screeneditor.h"
#include "app/editor/thmpage.h"
#include "app/inspector/inspectorkinds.h"
#include "app/inspector/tdlgprop.h"
#include "app/project/memimage.h"
#include "app/project/prjcheck.h"
#include "app/project/ui/prjcommands.h"
#include "app/project/ui/tlxtype.h"
#include "app/project/ui/tpglistfrm.h"
#include "app/shell/tkhm.h"
#include "app/shell/tkhm_hosts.h"
#include "app/ui/fileopener.h"
#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"
#include "platform/codepage.h"
#include "platform/fileio.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>

#include <algorithm>

namespace {

constexpr int kMsgPageNotAdded = 293;
constexpr int kMsgTooManyLinked = 302;
QList<QMdiSubWindow*> ShownWindows(const QMdiArea* area)
{
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* w : area->subWindowList())
        if (w->isVisible() && !w->isMinimized())
            windows.append(w);
    return windows;
}

// Tiles the MDI children side by side (columns) or one above the other (rows).
void Tile(QMdiArea* area, bool sideBySide)
{
    const QList<QMdiSubWindow*> windows = ShownWindows(area);
    if (windows.isEmpty())
        return;
    const QSize room = area->viewport()->size();
    const int n = static_cast<int>(windows.size());
    for (int i = 0; i < n; ++i) {
        windows[i]->showNormal();
        if (sideBySide)
            windows[i]->setGeometry(room.width() * i / n, 0, room.width() / n, room.height());
        else
            windows[i]->setGeometry(0, room.height() * i / n, room.width(), room.height() / n);
    }
}

// The previous (-1) or next (1) open window: a page is stored and frozen on the way; the
// user-menu screens are only shown, and the button that reached the end is disabled.
void StepPageWindow(TKhm& k, int step)
{
    if (k.View.EditMode == kes::Editing::Pages) {
        k.PageEd->StepPageWindow(step);
    } else if (k.View.EditMode == kes::Editing::UserMenu) {
        const int count = static_cast<int>(k.ImageWinList.size());
        const int to = k.IndexOfImageForm(k.Screens->CurrentWindow()) + step;
        if (to < 0 || to >= count)
            return;
        k.Screens->MakeCurrent(k.ImageWinList[static_cast<std::size_t>(to)]);
        if (step < 0)
            k.SetItemEnabled("TbPrePg", to >= 1);
        else
            k.SetItemEnabled("TbNextPg", to < count - 1);
    }
}

} // namespace

int TKhm::IndexOfImageForm(const QWidget* page) const
{
    const auto it = std::find(ImageWinList.begin(), ImageWinList.end(), page);
    return static_cast<int>(it - ImageWinList.begin());
}

void TKhm::LoadPageWindow(int index) { PageEd->LoadPageWindow(index); }

void TKhm::MmAddPgClick()
{
    if (kes::ImageWouldOverflow(Doc, 0))
        return;
    try {
        if (THmPage* page = PageEd->Current()) {
            if (Inspector() && View.ObjInspectorOn && page->Data().CurObj && page->Data().CurObj->Selected) {
                if (kes::InspectorShows(*page->Data().CurObj))
                    Inspector()->EdtTxtExit();
                page->Data().CurObj->SetSelected(false);
                page->Data().CurObj = nullptr;
            }
            page->FormDeactivate(true);
            if (Inspector() && View.ObjInspectorOn)
                Inspector()->FormShow();
        }
        if (PageEd->Pages().empty())
            LoadLayout();
        Doc.PgDataList.push_back(std::make_unique<PgDataStr>());
        PageEd->AddPageWindow();
        Doc.Modified = 1;
        Doc.Compiled = 0;
    } catch (const std::exception&) {
        kes::ShowMsg(Ask(), kMsgPageNotAdded);
    }
}

void TKhm::ShowZoomState(int zoom)
{
    const std::pair<const char*, int> items[] = {
        {"MmPgSize100", 1}, {"MmPgSize200", 2}, {"MmPgSize400", 4}, {"Mm800", 8}, {"Mm1600", 16}};
    for (const auto& [name, z] : items)
        Action(name)->setChecked(z == zoom);
    SetItemEnabled("TbZoomIn", zoom != 16);
    SetItemEnabled("TbZoomOut", zoom != 1);
}

void TKhm::MmPgSizeAllClick(int zoom)
{
    Doc.DefaultZoom = zoom;
    if (View.EditMode != kes::Editing::Pages && View.EditMode != kes::Editing::StartScreen)
        return;
    for (THmPage* page : PageEd->Pages())
        PageEd->SetPageZoom(page, zoom);
    Screens->SetZoom(zoom);
}

void TKhm::MmPgSizeClick(int zoom)
{
    if (View.EditMode == kes::Editing::Pages)
        PageEd->SetPageZoom(PageEd->Current(), zoom);
    else
        Screens->SetZoom(zoom);
}

void TKhm::MmPageSizeClick()
{
    if (const THmPage* page = PageEd->Current(); View.EditMode == kes::Editing::Pages && page)
        ShowZoomState(page->Data().Zoom);
    else if (View.EditMode != kes::Editing::Pages)
        ShowZoomState(Screens->Zoom());
}

void TKhm::TbZoomInClick()
{
    if (View.EditMode == kes::Editing::Pages) {
        if (THmPage* page = PageEd->Current())
            PageEd->SetPageZoom(page, kes::NextZoom(page->Data().Zoom, 1));
    } else {
        Screens->SetZoom(kes::NextZoom(Screens->Zoom(), 1));
    }
}

void TKhm::TbZoomOutClick()
{
    if (View.EditMode == kes::Editing::Pages) {
        if (THmPage* page = PageEd->Current())
            PageEd->SetPageZoom(page, kes::NextZoom(page->Data().Zoom, -1));
    } else {
        Screens->SetZoom(kes::NextZoom(Screens->Zoom(), -1));
    }
}

void TKhm::MmViewPgClick()
{
    if (THmPage* page = PageEd->Current(); page && page->Live() && Doc.Modified)
        page->PgDataSave();
    TPgListFrm list(*ProjectHost, *PageEd);
    list.GpView->setFixedSize(340, 120);
    list.ImgPage->setFixedSize(320, 96);
    list.ImgPage->setStyleSheet(QStringLiteral("background: white"));
    list.resize(list.width(), list.GpView->geometry().top() + list.GpView->height() + 6);
    kes::ExecModal(Ask(), &list);
}

void TKhm::MmPgJumpClick()
{
    if (kes::CountLinkedRecords(Doc, PageEd->CurrentPage()) > kes::kMaxLinkedRecords) {
        kes::ShowMsg(Ask(), kMsgTooManyLinked);
        return;
    }
    Doc.EditScope = 0;
    Forms.Run(Ask(), "TPgJump", this);
}

void TKhm::MmFunKeyEtClick()
{
    Doc.EditScope = 0;
    Forms.Run(Ask(), "TFunKeySet", this);
}

void TKhm::TbPrePgClick() { StepPageWindow(*this, -1); }

void TKhm::TbNextPgClick() { StepPageWindow(*this, 1); }

void TKhm::MmHorzClick() { Tile(MdiArea, true); }

void TKhm::MmVertClick() { Tile(MdiArea, false); }

void TKhm::MmCascadeClick()
{
    // Each window keeps its size, one title bar lower and further right than the one before.
    const int step = MdiArea->style()->pixelMetric(QStyle::PM_TitleBarHeight);
    int i = 0;
    for (QMdiSubWindow* w : ShownWindows(MdiArea)) {
        w->showNormal();
        w->move(i * step, i * step);
        w->raise();
        ++i;
    }
}

void TKhm::LxeHelpClick()
{
    HelpFile = Doc.AppDir + kes::HelpFileOf(Doc.LangIndex);
    const QString guide = kes::AnsiToQString(HelpFile);
    if (!kes::FileExists(HelpFile) || !FileOpen->Open(guide))
        kes::ShowError(Ask(), kes::Msg(kes::kMsgHelpNotShown) + QStringLiteral("\n") + guide);
}
