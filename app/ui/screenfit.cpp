#include "app/ui/screenfit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVariant>
#include <QWidget>

#include <algorithm>

namespace kes {
namespace {

// A frame on common desktops (a title bar and thin borders), for a window not shown yet.
constexpr QMargins kFrameGuess(4, 32, 4, 4);
// A window manager moves a window by its frame; a user's move goes further.
constexpr int kFrameSlack = 64;

constexpr const char* kSavedRect = "kesSavedRect";
constexpr const char* kFittedRect = "kesFittedRect";

} // namespace

QRect ScreenArea::Of(const QRect& rect, const QWidget* near) const
{
    if (!fixed_.isEmpty())
        return fixed_;
    QScreen* screen = rect.isValid() ? QGuiApplication::screenAt(rect.center()) : nullptr;
    if (!screen && near)
        screen = near->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

QMargins FrameAllowance(const QWidget* widget)
{
    const QWidget* window = widget ? widget->window() : nullptr;
    if (window && window->isVisible()) {
        const QRect frame = window->frameGeometry();
        const QRect client = window->geometry();
        if (frame != client)
            return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                    frame.bottom() - client.bottom()};
    }
    return kFrameGuess;
}

QRect FitInside(const QRect& rect, const QRect& area)
{
    if (area.isEmpty())
        return rect;
    QRect out(rect.topLeft(),
              QSize(std::clamp(rect.width(), 0, area.width()), std::clamp(rect.height(), 0, area.height())));
    out.moveLeft(std::clamp(out.left(), area.left(), area.left() + area.width() - out.width()));
    out.moveTop(std::clamp(out.top(), area.top(), area.top() + area.height() - out.height()));
    return out;
}

QRect FitRestored(const ScreenArea& screen, QWidget* window, const QRect& saved, bool damaged)
{
    const QRect area = screen.Of(saved, window).marginsRemoved(FrameAllowance(window));
    // The size the window takes: no smaller than its contents allow.
    const QSize least = window->minimumSize().expandedTo(window->minimumSizeHint());
    const QRect fitted = FitInside(QRect(saved.topLeft(), saved.size().expandedTo(least)), area);
    window->setProperty(kSavedRect, damaged ? fitted : saved);
    window->setProperty(kFittedRect, fitted);
    return fitted;
}

QRect RectToStore(const QWidget* window, const QRect& now)
{
    const QVariant saved = window->property(kSavedRect);
    const QVariant fitted = window->property(kFittedRect);
    if (!saved.isValid() || !fitted.isValid())
        return now;
    const QRect put = fitted.toRect();
    if (now.size() != put.size() || (now.topLeft() - put.topLeft()).manhattanLength() > kFrameSlack)
        return now;
    return saved.toRect();
}

QSize FitRestoredSize(const ScreenArea& screen, QWidget* window, const QSize& saved)
{
    const QRect area = screen.Of(QRect(), window).marginsRemoved(FrameAllowance(window));
    const QSize fitted = area.isEmpty() ? saved : saved.boundedTo(area.size());
    window->setProperty(kSavedRect, QRect(QPoint(), saved));
    window->setProperty(kFittedRect, QRect(QPoint(), fitted));
    return fitted;
}

QSize SizeToStore(const QWidget* window, const QSize& now)
{
    const QVariant saved = window->property(kSavedRect);
    const QVariant fitted = window->property(kFittedRect);
    return saved.isValid() && fitted.isValid() && fitted.toRect().size() == now ? saved.toRect().size() : now;
}

void ForgetRestored(QWidget* window)
{
    window->setProperty(kSavedRect, QVariant());
    window->setProperty(kFittedRect, QVariant());
}

} // namespace kes
