#pragma once
// The user's hand on a page window: mouse presses, drags and keys sent to its canvas as Qt
// events, in panel pixels of its zoom and grid. The editor tests drive a page window of the
// started program (EditorTest) or one without the main window (PageTest) with it.
#include "app/editor/pageeditor.h"
#include "app/editor/thmpage.h"

#include <QEvent>
#include <QPoint>

#include <string>

namespace kes::test {

class PageDriver {
public:
    virtual ~PageDriver() = default;

    // The page editor whose windows are driven; null when there is none.
    virtual PageEditor* Editor() const = 0;
    // The current page window, or null when none is.
    THmPage* CurPage() const { return Editor() ? Editor()->Current() : nullptr; }
    // The current page window.
    THmPage& Page() const { return *CurPage(); }
    // The window driven: the current page window unless another editor window is chosen.
    TEditPage& Driven() const { return driven_ ? *driven_ : Page(); }
    void Drive(TEditPage* window) { driven_ = window; }
    QWidget* Canvas() const { return Driven().Canvas(); }
    // One panel pixel of the window, screen pixels.
    int StepX() const { return Driven().Step().X(); }
    int StepY() const { return Driven().Step().Y(); }
    // Panel pixels to the page's screen pixels.
    QPoint At(int px, int py) const { return QPoint(px * StepX(), py * StepY()); }

    // One mouse event to the canvas with the buttons held given as they are.
    void Send(QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons held,
              Qt::KeyboardModifiers mods = {});
    void Press(QPoint p, Qt::KeyboardModifiers mods = {}, Qt::MouseButton button = Qt::LeftButton);
    void Move(QPoint p, Qt::MouseButtons held = Qt::LeftButton, Qt::KeyboardModifiers mods = {});
    void Release(QPoint p, Qt::KeyboardModifiers mods = {}, Qt::MouseButton button = Qt::LeftButton);
    void Click(QPoint p, Qt::KeyboardModifiers mods = {});
    void DoubleClick(QPoint p);
    // Press at from, move in two steps to to, release there.
    void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers mods = {});
    void Key(int qtKey, Qt::KeyboardModifiers mods = {});
    // Draws with the tool chosen on the page: a drag from from to to, or for the polyline a
    // click at from and a double click at to. The object made, or null when none was.
    TLxObj* DrawChosen(QPoint from, QPoint to, bool polyline);

    // A text of the objects' kinds and bounds in list order, for comparisons.
    std::string ObjectsText() const;

private:
    TEditPage* driven_ = nullptr;
};

// An object's place and size are whole panel pixels of steps sx, sy.
bool OnWholePanelPixels(const TLxObj& o, int sx, int sy);
// An object lies wholly on the page.
bool InsidePage(const TLxObj& o, const TEditPage& p);

} // namespace kes::test
