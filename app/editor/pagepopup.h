#pragma once
// The page windows' pop-up menu: every item declared once, in menu order, with what it runs
// and the rule that enables it. The page window and the start-up screen window each show the
// items carrying their mark; the caption is looked up under the window's form name and the
// item's name (HmPage.PopUndo.Caption, ImagePage.PopUndo.Caption).
#include <cstdint>
#include <span>

class QAction;
class TEditPage;

namespace kes {

// Which windows show an item (a mask).
enum PopWindow : std::uint8_t {
    kPopPageWindow = 1,
    kPopScreenWindow = 2,
    kPopBothWindows = kPopPageWindow | kPopScreenWindow,
};

// When an item is enabled. A window works out each rule from its own state in its command
// state refresh (TEditPage::SetPopRule); Always items are on from the start.
enum class PopRule : std::uint8_t {
    Undo,        // something to undo
    Redo,        // something to redo
    Objects,     // the window has objects to select
    Selection,   // objects are selected and may be edited
    OneSelected, // one object is selected and may be edited
    Paste,       // objects on the clipboard
    CopyPage,    // nothing selected: the whole page may be copied
    PastePage,   // a whole page on the clipboard
    ChangeConds, // the page's change conditions may be set
    Always,      // on whenever the window is
};

struct PopItem {
    const char* name;     // the action's object name; null for a separator
    const char* caption;  // English; the language files translate it
    const char* shortcut; // null for none
    int tag;              // the action's "Tag" property (the lamp item tells itself from the buzzer)
    void (*run)(TEditPage& page, QAction& item);
    PopRule when;
    std::uint8_t windows; // PopWindow mask
    bool checkable;       // shows a page setting's mark
    const char* form;     // the dialog the item opens (enabled only once it is built); null for none
};

// Every item, in menu order.
std::span<const PopItem> PopItems();

} // namespace kes
