#include "app/ui/paneltoolwindow.h"

#include <QMoveEvent>
#include <QTimer>

namespace kes {

namespace {
// Moves this soon after the program placed the window are not the user's.
constexpr int kPlacedMillis = 500;
} // namespace

PanelToolWindow::PanelToolWindow(QWidget* owner) : QDockWidget(owner)
{
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    connect(this, &QDockWidget::topLevelChanged, this, [this](bool floating) {
        if (floating && Undock)
            Undock();
    });
}

void PanelToolWindow::AskToDock(DockAsk why)
{
    // Queued: the request comes from inside a window-state or move event of this window,
    // and docking changes its parent.
    if (dockAsked_ || !DockIntoPanel)
        return;
    dockAsked_ = true;
    // Docked as large as it is now: a maximised window reaches its screen size only later.
    QTimer::singleShot(0, this, [this, why, keep = size()] {
        dockAsked_ = false;
        if (!isWindow() || !DockIntoPanel)
            return;
        resize(keep);
        DockIntoPanel(why);
        if (!isWindow())
            DockedOnRequest(why);
    });
}

bool PanelToolWindow::event(QEvent* event)
{
    if (event->type() == QEvent::ParentChange || event->type() == QEvent::Show)
        placed_.start();
    if (event->type() == QEvent::ParentChange && DockIntoPanel)
        FitCaption();
    return QDockWidget::event(event);
}

void PanelToolWindow::FitCaption()
{
    // Floating, the window frame carries the caption and its buttons; docked in the main
    // window's panel, the dock widget's own caption bar does (float and close). A blank bar
    // also keeps a floating window from being dragged into the main window's dock areas.
    const bool framed = isWindow();
    if (framed == (titleBarWidget() != nullptr))
        return;
    QWidget* old = titleBarWidget();
    if (framed) {
        const QRect place = geometry();
        setTitleBarWidget(new QWidget(this));
        // The dock widget makes a window with its own bar frameless; this one has a frame.
        setWindowFlags(kFloatFlags);
        setGeometry(place);
    } else {
        setTitleBarWidget(nullptr);
    }
    delete old;
}

void PanelToolWindow::changeEvent(QEvent* event)
{
    QDockWidget::changeEvent(event);
    // Maximising the floating window docks it instead.
    if (event->type() == QEvent::WindowStateChange && isWindow() && (windowState() & Qt::WindowMaximized) &&
        DockIntoPanel) {
        setWindowState(windowState() & ~Qt::WindowMaximized);
        AskToDock(DockAsk::Maximised);
    }
}

void PanelToolWindow::moveEvent(QMoveEvent* event)
{
    QDockWidget::moveEvent(event);
    if (!event->spontaneous())
        placed_.start();
    if (!isWindow() || !isVisible() || !DockIntoPanel || !parentWidget() || !placed_.isValid() ||
        placed_.elapsed() < kPlacedMillis)
        return;
    // Moved by the user to the main window's left edge: docked.
    const int left = frameGeometry().left();
    const int mainLeft = parentWidget()->window()->frameGeometry().left();
    if (left >= mainLeft && left <= mainLeft + kDockReach)
        AskToDock(DockAsk::MovedToLeftEdge);
}

} // namespace kes
