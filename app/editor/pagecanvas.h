#pragma once
// The widget a page is drawn on. It turns Qt's mouse and key events into the page's handlers:
// a press over an object goes to that object (the topmost whose rectangle holds the point),
// which then keeps the mouse until every button is up; a press on empty page goes to the page.
#include "objects/tlxobj.h"

#include <QWidget>

class TEditPage;

namespace kes {

// Shift state of an event: keys, the buttons held, and the double click.
TShiftState ShiftStateOf(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons, bool doubleClick);
// The virtual-key code of a Qt key; 0 for keys the page does not know.
std::uint16_t VirtualKeyOf(int qtKey);

class PageCanvas : public QWidget {
public:
    explicit PageCanvas(TEditPage& page);

    // The topmost object whose rectangle holds (x, y), or null.
    TLxObj* ObjectAt(int x, int y) const;
    // The object that has the mouse, or null.
    TLxObj* Captured() const { return captured_; }
    // Objects are about to be freed: nothing keeps a pointer to one.
    void ForgetObjects();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void Press(QMouseEvent* event, bool doubleClick);
    bool Holds(const TLxObj* obj) const;

    TEditPage& page_;
    TLxObj* captured_ = nullptr;
    bool pageCaptured_ = false;
};

} // namespace kes
