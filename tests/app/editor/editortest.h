#pragma once
// Shared by the page editor tests: the program started in a program folder of its own (with
// the decoder library beside it), a new project of a chosen panel model, and the user's hand:
// mouse presses, drags and keys sent to the current page's canvas as Qt events.
#include "../shell/shellfixture.h"

#include "app/editor/thmpage.h"
#include "app/shell/tkhm.h"

#include <QEvent>
#include <QPoint>

namespace kes::test {

class EditorTest : public StartedShell {
protected:
    void SetUp() override;
    void TearDown() override;

public:
    // A new project of panel model index model (its size, grid and default zoom) for
    // controller machine, with its first page open.
    void NewProject(int model = 0, int machine = 87);

    THmPage& Page() const { return *HmPage; }
    QWidget* Canvas() const { return HmPage->Canvas(); }
    // One panel pixel of the current page, screen pixels.
    int StepX() const { return HmPage->Step().X(); }
    int StepY() const { return HmPage->Step().Y(); }
    // Panel pixels to the current page's screen pixels.
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
    // Runs a menu item or tool button of the main window.
    void Trigger(const char* name);
    // Draws an object with the tool of that name by dragging (the polyline tool by clicks).
    TLxObj* DrawWith(const char* tool, QPoint from, QPoint to);

    // The current page's stored record stream after storing it.
    Bytes StoredPage();
    // A text of the objects' kinds and bounds in list order, for comparisons.
    std::string ObjectsText() const;
};

} // namespace kes::test
