#pragma once
// What the project's forms and commands need of the page windows: opening one, the current
// page and its selection, and following pages that were inserted, deleted or moved. The page
// editor implements it; the main window hands it to the forms and commands it makes.
#include <string>
#include <vector>

namespace kes {

class PageData;

class PageWindows {
public:
    virtual ~PageWindows() = default;

    // Opens the window of page index from its record (or brings its open window to the front)
    // and makes it the current page (LoadPageWindow).
    virtual void LoadPageWindow(int index) = 0;
    // Selects every object of the current page whose left and top are (x, y) panel pixels times
    // its own zoom; every other object is deselected.
    virtual void SelectOnCurrentPage(const std::string& text, int x, int y) = 0;
    // The current page window's data, or null when none is current; the same for a command that
    // changes its live state.
    virtual const PageData* CurrentPage() const = 0;
    virtual PageData* CurrentPageForEdit() = 0;
    // The index of the current page window, -1 when none is current.
    virtual int CurrentPageIndex() const = 0;
    // The pages were inserted, deleted or moved: old index -> new index (-1 gone); the open
    // windows take their new indexes and captions, a deleted page's window closes.
    virtual void PagesRenumbered(const std::vector<int>& renumbering) = 0;
};

} // namespace kes
