#pragma once
// A tool window that the main window keeps in its side panel while docked (the page tree and
// the object inspector). Floating, it is a tool window of the main window with a frame of its
// own. A maximise request, or a move by the user that leaves its left edge at the main
// window's left edge (up to kDockReach pixels right of it), asks the main window to dock it;
// its float button asks to float it. Where it goes is the main window's.
#include <QDockWidget>
#include <QElapsedTimer>

#include <functional>

class QMoveEvent;

namespace kes {

class PanelToolWindow : public QDockWidget {
public:
    explicit PanelToolWindow(QWidget* owner);

    // The floating window: caption, system menu, maximise (which docks it) and close.
    static constexpr Qt::WindowFlags kFloatFlags = Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                                   Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                                                   Qt::WindowCloseButtonHint;
    static constexpr int kDockReach = 29;

    enum class DockAsk { Maximised, MovedToLeftEdge };
    // The main window's side: put the window into the side panel; make it a window of its
    // own (its float button was pressed). While DockIntoPanel is empty the window stays as
    // it is.
    std::function<void(DockAsk)> DockIntoPanel;
    std::function<void()> Undock;

protected:
    // The main window docked the window on the window's own request.
    virtual void DockedOnRequest(DockAsk) {}

    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void AskToDock(DockAsk why);
    void FitCaption();

    QElapsedTimer placed_; // since the window was last placed by the program
    bool dockAsked_ = false;
};

} // namespace kes
