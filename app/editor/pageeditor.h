#pragma once
// The page editor: the open page windows, one per page, kept in page order, and what opens,
// shows, steps through and renumbers them. It owns the windows: a window that closes leaves
// the list, and the windows still open go with the editor. The main window makes one over
// its MDI area; a test makes one without an area, and its page windows stand alone.
#include "app/editor/editorinspector.h"
#include "app/project/pagewindows.h"

#include <vector>

class QMdiArea;
class QWidget;
class THmPage;

namespace kes {

class PageHost;

// The zoom one step up (1) or down (-1) of 1, 2, 4, 8, 16; the same at the ends, and a zoom
// that is none of these stays.
int NextZoom(int zoom, int direction);

class PageEditor : public PageWindows {
public:
    // area may be null: the page windows are then windows of their own.
    PageEditor(PageHost& host, QMdiArea* area);
    ~PageEditor() override;
    PageEditor(const PageEditor&) = delete;
    PageEditor& operator=(const PageEditor&) = delete;

    PageHost& Host() const { return host_; }
    QMdiArea* Area() const { return area_; }

    // The open page windows in page order (PageWinList).
    const std::vector<THmPage*>& Pages() const { return pages_; }
    // Position of page in Pages(), or the count when it is not there (IndexOfPageForm).
    int IndexOfPageForm(const QWidget* page) const;
    // The open window of page index, or null.
    THmPage* OpenPageOf(int index) const;
    // The current page window: the one at work, or the last one activated while no other
    // took over; null when none is.
    THmPage* Current() const { return current_; }
    // A page window becomes the current one (null: none is).
    void SetCurrent(THmPage* page) { current_ = page; }

    // ---- PageWindows: what the project's forms and commands ask of the page windows
    // Nothing opens when there is no such page or no panel model.
    void LoadPageWindow(int index) override;
    void SelectOnCurrentPage(const std::string& text, int x, int y) override;
    const PageData* CurrentPage() const override;
    PageData* CurrentPageForEdit() override;
    int CurrentPageIndex() const override;
    void PagesRenumbered(const std::vector<int>& renumbering) override;

    // A window for the record just appended at the end of the page list, stored at once and
    // made the current page.
    THmPage* AddPageWindow();
    // Puts a page window into the MDI area (once) and makes it the active child; the
    // activation runs the page's FormActivate (here, when the area reports no change).
    void ShowPage(THmPage* page);
    // A page window's zoom (1, 2, 4, 8 or 16; any other is ignored): its live objects take
    // it, a frozen page's picture is stretched, and the main window shows it.
    void SetPageZoom(THmPage* page, int zoom);
    // The previous (-1) or next (1) open page; the current one is stored and frozen on the way.
    void StepPageWindow(int step);
    // Stores the current page window, when it holds live objects, into its record.
    void StoreCurrentPage();
    // Deletes every page window (the project closes).
    void CloseAll();
    // A page window leaves the list (it closes or is deleted).
    void Forget(const THmPage* page);

    // The page editor as the object inspector sees it.
    EditorInspector& InspectorSource() { return inspectorSource_; }

private:
    void InsertInPageOrder(THmPage* page);

    PageHost& host_;
    QMdiArea* area_;
    std::vector<THmPage*> pages_;
    THmPage* current_ = nullptr;
    EditorInspector inspectorSource_{*this};
};

} // namespace kes
