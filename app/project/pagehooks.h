#pragma once
// What the project commands need of the page editor, which fills these in when it is built:
// opening a page's window, storing and reading the open page, and selecting objects on it.
// While a hook is empty the command does without it (no window opens, nothing is selected).
#include <QImage>

#include <functional>
#include <string>
#include <vector>

namespace kes {

class PageData;

struct PageWindowHooks {
    // Creates the window of page index from its record, makes it the current page window and
    // appends it to the open windows (LoadPageWindow).
    std::function<void(int index)> LoadPageWindow;
    // Brings the window of page index to the front (or opens it) and makes it current, as a
    // double click in the page list does.
    std::function<void(int index)> OpenPage;
    // Selects every object of the current page whose left and top are (x, y) panel pixels times
    // its own zoom and whose text is text; every other object is deselected.
    std::function<void(const std::string& text, int x, int y)> SelectOnCurrentPage;
    // The current page window's data, or null when none is current.
    std::function<const PageData*()> CurrentPage;
    // The same page for a command that changes its live state (the selection cleared before a
    // download, device references rewritten by the panel port dialog); null when none is current.
    std::function<PageData*()> CurrentPageForEdit;
    // The index of the current page window, -1 when none is current.
    std::function<int()> CurrentPageIndex;
    // The pages were inserted, deleted or moved: old index -> new index (-1 gone); the open
    // windows take their new indexes and captions, a deleted page's window closes.
    std::function<void(const std::vector<int>& renumbering)> PagesRenumbered;
    // A picture of a stored page at one screen pixel per picture pixel (the hidden page
    // renderer); a null image when none can be drawn.
    std::function<QImage(int index)> RenderPage;
};

PageWindowHooks& PageHooks();

} // namespace kes
