#include "app/editor/pageeditor.h"

#include "app/editor/pagehost.h"
#include "app/editor/thmpage.h"
#include "app/project/projectdoc.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include <algorithm>

namespace kes {

PageEditor::PageEditor(PageHost& host, QMdiArea* area) : host_(host), area_(area) {}

PageEditor::~PageEditor() { CloseAll(); }

int PageEditor::IndexOfPageForm(const QWidget* page) const
{
    const auto it = std::find(pages_.begin(), pages_.end(), page);
    return static_cast<int>(it - pages_.begin());
}

THmPage* PageEditor::OpenPageOf(int index) const
{
    for (THmPage* page : pages_)
        if (page->Data().PgIndex == index)
            return page;
    return nullptr;
}

void PageEditor::LoadPageWindow(int index)
{
    ProjectDoc& doc = host_.Doc();
    if (index < 0 || index >= static_cast<int>(doc.PgDataList.size()) || !host_.Model())
        return;
    THmPage* page = OpenPageOf(index);
    if (!page) {
        // The page at work is frozen first, as the new page's activation would freeze it: its
        // objects are let go before the new page's are made, which then take their memory.
        if (current_ && current_->Live() && host_.View().EditMode == kes::Editing::Pages && !current_->LinkBusy())
            current_->FormDeactivate(true);
        page = new THmPage(*this);
        page->Data().PgIndex = index;
        page->Data().Zoom = doc.DefaultZoom;
        page->FormResize();
        page->LoadFromRecord();
        InsertInPageOrder(page);
    }
    ShowPage(page);
}

void PageEditor::SelectOnCurrentPage(const std::string&, int x, int y)
{
    if (!current_ || !current_->Live())
        return;
    // The objects carry no text of their own: the position names the object.
    current_->Data().SelList.clear();
    for (TLxObj* obj : current_->Data().ObjList) {
        const int z = std::max(obj->ObjSize, 1);
        const bool hit =
            obj->Left == x * z * current_->Data().GridWidth && obj->Top == y * z * current_->Data().GridHeight;
        obj->SetSelected(hit);
        if (hit)
            current_->Data().SelList.push_back(obj);
    }
    current_->EditStateRefresh();
}

const PageData* PageEditor::CurrentPage() const { return DataOf(current_); }

PageData* PageEditor::CurrentPageForEdit() { return DataOf(current_); }

int PageEditor::CurrentPageIndex() const { return current_ ? current_->Data().PgIndex : -1; }

THmPage* PageEditor::AddPageWindow()
{
    ProjectDoc& doc = host_.Doc();
    auto* page = new THmPage(*this);
    page->Data().PgIndex = static_cast<int>(doc.PgDataList.size()) - 1;
    page->SetCaptionFromIndex();
    InsertInPageOrder(page);
    page->Data().PgAlarmDefaults(doc);
    host_.SetObjEditTools(false);
    page->PgDataSave();
    ShowPage(page);
    return page;
}

void PageEditor::InsertInPageOrder(THmPage* page)
{
    // Open pages are kept in page order.
    const auto at = std::find_if(pages_.begin(), pages_.end(),
                                 [&](const THmPage* p) { return p->Data().PgIndex > page->Data().PgIndex; });
    pages_.insert(at, page);
}

void PageEditor::ShowPage(THmPage* page)
{
    page->ShowInArea(area_);
    if (current_ != page || !page->Live())
        page->FormActivate();
}

namespace {

constexpr int kZoomSteps[] = {1, 2, 4, 8, 16};

} // namespace

int NextZoom(int zoom, int direction)
{
    const auto* it = std::find(std::begin(kZoomSteps), std::end(kZoomSteps), zoom);
    if (it == std::end(kZoomSteps))
        return zoom;
    const auto i = static_cast<int>(it - std::begin(kZoomSteps)) + direction;
    return i < 0 || i >= static_cast<int>(std::size(kZoomSteps)) ? zoom : kZoomSteps[i];
}

void PageEditor::SetPageZoom(THmPage* page, int zoom)
{
    if (!page || NextZoom(zoom, 0) != zoom)
        return;
    if (page->Live()) {
        for (TLxObj* obj : page->Data().ObjList) {
            obj->SetObjSize(zoom);
            obj->Invalidate();
        }
    } else {
        // The frozen picture is stretched to the new size.
        const int old = std::max(page->Data().Zoom, 1);
        page->StretchSnapshot(page->ClientWidth() * zoom / old, page->ClientHeight() * zoom / old);
    }
    host_.ShowZoomState(zoom);
    page->Data().Zoom = zoom;
    page->FormResize();
    page->Canvas()->update();
}

void PageEditor::StepPageWindow(int step)
{
    const int to = IndexOfPageForm(current_) + step;
    if (!current_ || to < 0 || to >= static_cast<int>(pages_.size()))
        return;
    current_->FormDeactivate(true);
    ShowPage(pages_[static_cast<std::size_t>(to)]);
}

void PageEditor::PagesRenumbered(const std::vector<int>& map)
{
    const ProjectDoc& doc = host_.Doc();
    const std::vector<THmPage*> open = pages_;
    for (THmPage* page : open) {
        const int old = page->Data().PgIndex;
        const int now = old >= 0 && old < static_cast<int>(map.size()) ? map[static_cast<std::size_t>(old)] : -1;
        if (now < 0) {
            // Its record is gone: nothing may be stored on its behalf.
            page->Data().PgIndex = -1;
            if (QWidget* sub = page->SubWindow())
                sub->close();
            else
                page->close();
            continue;
        }
        page->Data().PgIndex = now;
        page->Data().PgTitle = doc.PgDataList[static_cast<std::size_t>(now)]->Title;
        page->SetCaptionFromIndex();
    }
    std::stable_sort(pages_.begin(), pages_.end(),
                     [](const THmPage* a, const THmPage* b) { return a->Data().PgIndex < b->Data().PgIndex; });
    host_.PagesChanged();
}

void PageEditor::StoreCurrentPage()
{
    if (current_ && current_->Live())
        current_->PgDataSave();
}

void PageEditor::CloseAll()
{
    // Each window leaves the list as it is deleted.
    while (!pages_.empty())
        delete pages_.back();
}

void PageEditor::Forget(const THmPage* page) { std::erase(pages_, page); }

} // namespace kes
