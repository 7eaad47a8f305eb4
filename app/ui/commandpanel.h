#pragma once
// The main window's menu items, tool buttons and tool bar widgets, found by their component
// names, as the windows of every subsystem switch them and connect their commands. The main
// window is the panel of the running program; a window built without it (a test) is given an
// empty panel: it has no item, and switching one does nothing.
#include <functional>

class QAction;
class QWidget;

namespace kes {

class CommandPanel {
public:
    virtual ~CommandPanel() = default;

    // The item (menu item or tool button) of that name. The main window stops the program on a
    // name it has no item for (a misspelt name); the empty panel has none and gives null.
    virtual QAction* Action(const char* name) const = 0;
    // A tool bar widget that is not a button (a box, a label, a tool bar) by name; the same.
    virtual QWidget* ToolWidget(const char* name) const = 0;
    // Enables an item only when its command is connected (submenus always); a widget as asked.
    virtual void SetItemEnabled(const char* name, bool enable) = 0;
    virtual void SetItemVisible(const char* name, bool visible) = 0;
    // Connects a command's handler and marks the item as built.
    virtual void Wire(const char* name, std::function<void()> handler) = 0;
    // The item's command is connected (and its dialog, if it opens one, is there).
    virtual bool IsWired(const char* name) const = 0;

    // The check mark of an item (the empty panel has none).
    void SetItemChecked(const char* name, bool checked) const;
    bool ItemChecked(const char* name) const;
};

// The panel of a window that has no main window around it.
class NoCommandPanel : public CommandPanel {
public:
    QAction* Action(const char*) const override { return nullptr; }
    QWidget* ToolWidget(const char*) const override { return nullptr; }
    void SetItemEnabled(const char*, bool) override {}
    void SetItemVisible(const char*, bool) override {}
    void Wire(const char*, std::function<void()>) override {}
    bool IsWired(const char*) const override { return false; }
};

} // namespace kes
