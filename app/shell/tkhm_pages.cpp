// The main window's page commands: opening and adding page windows, the zoom of one page or
// of all, the page list, the page settings dialogs, moving between open pages and arranging
// the MDI children.
#include "app/dialogs/formregistry.h"
#include "app/editor/imageeditor.h"
#include "app/editor/thmpage.h"
#include "app/inspector/inspectorkinds.h"
#include "app/inspector/tdlgprop.h"
#include "app/project/prjcheck.h"
#include "app/project/ui/prjcommands.h"
#include "app/project/ui/tlxtype.h"
#include "app/project/ui/tpglistfrm.h"
#include "app/shell/tkhm.h"
#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"

#include <QAction>
#include <QDesktopServices>
#include <QLabel>
#include <QGroupBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QUrl>

#include <algorithm>

namespace {

constexpr int kMsgPageNotAdded = 293;
constexpr int kMsgTooManyLinked = 302;
constexpr int kZoomSteps[] = {1, 2, 4, 8, 16};

// The window of an open page of that index, or null.
THmPage* OpenPageOf(TKhm& k, int index)
{
    for (QWidget* w : k.PageWinList)
        if (auto* page = static_cast<THmPage*>(w); page->PgIndex == index)
            return page;
    return nullptr;
}

// Open pages are kept in page order.
void InsertInPageOrder(TKhm& k, THmPage* page)
{
    auto at = std::find_if(k.PageWinList.begin(), k.PageWinList.end(),
                           [&](QWidget* w) { return static_cast<THmPage*>(w)->PgIndex > page->PgIndex; });
    k.PageWinList.insert(at, page);
}

// Puts a page into the MDI area (once) and makes it the active child; the activation runs the
// page's FormActivate (here, when the MDI area reports no change).
void ShowPage(TKhm& k, THmPage* page)
{
    QMdiSubWindow* sub = page->SubWindow();
    if (!sub) {
        sub = k.MdiArea->addSubWindow(page);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->setWindowIcon(k.windowIcon());
        page->FormResize();
    }
    sub->show();
    k.MdiArea->setActiveSubWindow(sub);
    if (HmPage != page || !page->Live())
        page->FormActivate();
}

int NextZoom(int zoom, int direction)
{
    const auto* it = std::find(std::begin(kZoomSteps), std::end(kZoomSteps), zoom);
    if (it == std::end(kZoomSteps))
        return zoom;
    const auto i = static_cast<int>(it - std::begin(kZoomSteps)) + direction;
    return i < 0 || i >= static_cast<int>(std::size(kZoomSteps)) ? zoom : kZoomSteps[i];
}

// Tiles the MDI children side by side (columns) or one above the other (rows).
void Tile(QMdiArea* area, bool sideBySide)
{
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* w : area->subWindowList())
        if (w->isVisible() && !w->isMinimized())
            windows.append(w);
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
    if (k.Doc.EditMode == 3) {
        const int to = k.IndexOfPageForm(HmPage) + step;
        if (!HmPage || to < 0 || to >= static_cast<int>(k.PageWinList.size()))
            return;
        HmPage->FormDeactivate(true);
        ShowPage(k, static_cast<THmPage*>(k.PageWinList[static_cast<std::size_t>(to)]));
    } else if (k.Doc.EditMode == 2 && kes::ImageEditor().CurrentWindow && kes::ImageEditor().MakeCurrent) {
        const int count = static_cast<int>(k.ImageWinList.size());
        const int to = k.IndexOfImageForm(kes::ImageEditor().CurrentWindow()) + step;
        if (to < 0 || to >= count)
            return;
        kes::ImageEditor().MakeCurrent(k.ImageWinList[static_cast<std::size_t>(to)]);
        if (step < 0)
            k.SetItemEnabled("TbPrePg", to >= 1);
        else
            k.SetItemEnabled("TbNextPg", to < count - 1);
    }
}

} // namespace

int TKhm::IndexOfPageForm(const QWidget* page) const
{
    const auto it = std::find(PageWinList.begin(), PageWinList.end(), page);
    return static_cast<int>(it - PageWinList.begin());
}

int TKhm::IndexOfImageForm(const QWidget* page) const
{
    const auto it = std::find(ImageWinList.begin(), ImageWinList.end(), page);
    return static_cast<int>(it - ImageWinList.begin());
}

void TKhm::LoadPageWindow(int index)
{
    if (index < 0 || index >= static_cast<int>(Doc.PgDataList.size()) || !LxType)
        return;
    THmPage* page = OpenPageOf(*this, index);
    if (!page) {
        page = new THmPage(*this);
        page->PgIndex = index;
        page->Zoom = Doc.DefaultZoom;
        page->FormResize();
        page->LoadFromRecord();
        InsertInPageOrder(*this, page);
    }
    ShowPage(*this, page);
}

void TKhm::MmAddPgClick()
{
    if (kes::ImageWouldOverflow(*this, 0))
        return;
    try {
        if (HmPage) {
            if (DlgProp && Doc.ObjInspectorOn && HmPage->CurObj && HmPage->CurObj->Selected) {
                if (kes::InspectorShows(*HmPage->CurObj))
                    DlgProp->EdtTxtExit();
                HmPage->CurObj->SetSelected(false);
                HmPage->CurObj = nullptr;
            }
            HmPage->FormDeactivate(true);
            if (DlgProp && Doc.ObjInspectorOn)
                DlgProp->FormShow();
        }
        if (PageWinList.empty())
            LoadLayout();
        Doc.PgDataList.push_back(std::make_unique<PgDataStr>());
        CurPgData = Doc.PgDataList.back().get();
        auto* page = new THmPage(*this);
        page->PgIndex = static_cast<int>(Doc.PgDataList.size()) - 1;
        page->SetCaptionFromIndex();
        InsertInPageOrder(*this, page);
        page->PgAlarmDefaults(Doc);
        SetObjEditTools(false);
        page->PgDataSave();
        ShowPage(*this, page);
        Doc.Modified = 1;
        Doc.Compiled = 0;
    } catch (const std::exception&) {
        kes::ShowMsg(kMsgPageNotAdded);
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

void TKhm::SetPageZoom(THmPage* page, int zoom)
{
    if (!page || NextZoom(zoom, 0) != zoom)
        return;
    if (page->Live()) {
        for (TLxObj* obj : page->ObjList) {
            obj->SetObjSize(zoom);
            obj->Invalidate();
        }
    } else {
        // The frozen picture is stretched to the new size.
        const int old = std::max(page->Zoom, 1);
        TBitmap scaled(page->ClientWidth() * zoom / old, page->ClientHeight() * zoom / old);
        StretchBlt(*scaled.Canvas(), 0, 0, scaled.Width(), scaled.Height(), *page->SnapBmp.Canvas(), 0, 0,
                   page->ClientWidth(), page->ClientHeight(), SRCCOPY);
        page->SnapBmp = scaled;
    }
    ShowZoomState(zoom);
    page->Zoom = zoom;
    page->FormResize();
    page->Canvas()->update();
}

void TKhm::MmPgSizeAllClick(int zoom)
{
    Doc.DefaultZoom = zoom;
    if (Doc.EditMode != 3 && Doc.EditMode != 1)
        return;
    for (QWidget* w : PageWinList)
        SetPageZoom(static_cast<THmPage*>(w), zoom);
    if (kes::ImageEditor().SetZoom)
        kes::ImageEditor().SetZoom(zoom);
}

void TKhm::MmPgSizeClick(int zoom)
{
    if (Doc.EditMode == 3)
        SetPageZoom(HmPage, zoom);
    else if (kes::ImageEditor().SetZoom)
        kes::ImageEditor().SetZoom(zoom);
}

void TKhm::MmPageSizeClick()
{
    if (Doc.EditMode == 3 && HmPage)
        ShowZoomState(HmPage->Zoom);
    else if (Doc.EditMode != 3 && kes::ImageEditor().Zoom)
        ShowZoomState(kes::ImageEditor().Zoom());
}

void TKhm::TbZoomInClick()
{
    if (Doc.EditMode == 3) {
        if (HmPage)
            SetPageZoom(HmPage, NextZoom(HmPage->Zoom, 1));
    } else if (kes::ImageEditor().Zoom && kes::ImageEditor().SetZoom) {
        kes::ImageEditor().SetZoom(NextZoom(kes::ImageEditor().Zoom(), 1));
    }
}

void TKhm::TbZoomOutClick()
{
    if (Doc.EditMode == 3) {
        if (HmPage)
            SetPageZoom(HmPage, NextZoom(HmPage->Zoom, -1));
    } else if (kes::ImageEditor().Zoom && kes::ImageEditor().SetZoom) {
        kes::ImageEditor().SetZoom(NextZoom(kes::ImageEditor().Zoom(), -1));
    }
}

void TKhm::MmViewPgClick()
{
    if (HmPage && HmPage->Live() && Doc.Modified)
        HmPage->PgDataSave();
    if (!PgListFrm) {
        PgListFrm = new TPgListFrm(*this);
        QObject::connect(PgListFrm, &QObject::destroyed, [] { PgListFrm = nullptr; });
    }
    PgListFrm->GpView->setFixedSize(340, 120);
    PgListFrm->ImgPage->setFixedSize(320, 96);
    PgListFrm->ImgPage->setStyleSheet(QStringLiteral("background: white"));
    PgListFrm->resize(PgListFrm->width(), PgListFrm->GpView->geometry().top() + PgListFrm->GpView->height() + 6);
    kes::ExecModal(PgListFrm);
}

void TKhm::MmPgJumpClick()
{
    if (kes::CountLinkedRecords(Doc, HmPage) > kes::kMaxLinkedRecords) {
        kes::ShowMsg(kMsgTooManyLinked);
        return;
    }
    Doc.EditScope = 0;
    kes::RunForm("TPgJump", this);
}

void TKhm::MmFunKeyEtClick()
{
    Doc.EditScope = 0;
    kes::RunForm("TFunKeySet", this);
}

void TKhm::TbPrePgClick() { StepPageWindow(*this, -1); }

void TKhm::TbNextPgClick() { StepPageWindow(*this, 1); }

void TKhm::MmHorzClick() { Tile(MdiArea, true); }

void TKhm::MmVertClick() { Tile(MdiArea, false); }

void TKhm::MmCascadeClick() { MdiArea->cascadeSubWindows(); }

void TKhm::LxeHelpClick()
{
    HelpFile = Doc.AppDir + "Kestro.chm";
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(HelpFile)));
}
