#pragma once
// Windows placed from a settings file (the main window's size in Lxe.ini, the tool bars and
// tool windows in Loc.ini) go inside the available area of the screen: moved in, and shrunk
// when larger, so that a layout saved on a larger screen, or a damaged file, leaves nothing
// out of reach. The window remembers what was saved: written back while it stands where it
// was put, the saved rectangle is written again, so a larger screen gets its layout back; once
// the user moves or resizes it, where it is now.
#include <QMargins>
#include <QRect>

class QWidget;

namespace kes {

// Where the windows placed find the screens: the real ones, or one area for every window (the
// screen a test fakes). The main window holds the one it was started with.
class ScreenArea {
public:
    ScreenArea() = default;
    // An empty area: the real screens.
    explicit ScreenArea(const QRect& fixed) : fixed_(fixed) {}
    // The available area (without panels and docks) of the screen holding the middle of rect,
    // else of the screen near is on, else of the primary screen; the fixed area when there is one.
    QRect Of(const QRect& rect, const QWidget* near = nullptr) const;

private:
    QRect fixed_;
};

// What a window's frame adds around its client area: the real frame once the window is shown
// with one, else room for a title bar.
QMargins FrameAllowance(const QWidget* widget);

// rect moved, and shrunk where it is larger, to lie inside area.
QRect FitInside(const QRect& rect, const QRect& area);

// The client rectangle (global) for a window restored at saved: inside screen's available area
// with its frame. The window remembers saved and what it was given; a saved rectangle no
// screen can have (damage) is not remembered, so the fitted one is written back.
QRect FitRestored(const ScreenArea& screen, QWidget* window, const QRect& saved, bool damaged = false);
// The rectangle to write for a window that measures now (as FitRestored was given it): the
// saved one while the window is as it was put (a move of a few pixels, a window frame's doing,
// counts as none), else now.
QRect RectToStore(const QWidget* window, const QRect& now);
// The same for a window of which only the size is kept (the main window, centred at start).
QSize FitRestoredSize(const ScreenArea& screen, QWidget* window, const QSize& saved);
QSize SizeToStore(const QWidget* window, const QSize& now);
// Forgets what was saved: the window's own rectangle is written from now on.
void ForgetRestored(QWidget* window);

} // namespace kes
