#include "app/editor/pagecanvas.h"

#include "app/editor/teditpage.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace kes {

TShiftState ShiftStateOf(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons, bool doubleClick)
{
    TShiftState s = 0;
    if (mods & Qt::ShiftModifier)
        s |= ssShift;
    if (mods & Qt::AltModifier)
        s |= ssAlt;
    if (mods & Qt::ControlModifier)
        s |= ssCtrl;
    if (buttons & Qt::LeftButton)
        s |= ssLeft;
    if (buttons & Qt::RightButton)
        s |= ssRight;
    if (buttons & Qt::MiddleButton)
        s |= ssMiddle;
    if (doubleClick)
        s |= ssDouble;
    return s;
}

std::uint16_t VirtualKeyOf(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Tab:
        return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    default:
        return 0;
    }
}

namespace {

TMouseButton ButtonOf(Qt::MouseButton b)
{
    switch (b) {
    case Qt::RightButton:
        return mbRight;
    case Qt::MiddleButton:
        return mbMiddle;
    default:
        return mbLeft;
    }
}

} // namespace

PageCanvas::PageCanvas(TEditPage& page) : page_(page)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

TLxObj* PageCanvas::ObjectAt(int x, int y) const
{
    if (!page_.Live())
        return nullptr;
    for (auto it = page_.Data().ObjList.rbegin(); it != page_.Data().ObjList.rend(); ++it) {
        const TLxObj* o = *it;
        if (x >= o->Left && x < o->Left + o->Width && y >= o->Top && y < o->Top + o->Height)
            return *it;
    }
    return nullptr;
}

bool PageCanvas::Holds(const TLxObj* obj) const
{
    return obj &&
           std::find(page_.Data().ObjList.begin(), page_.Data().ObjList.end(), obj) != page_.Data().ObjList.end();
}

void PageCanvas::ForgetObjects()
{
    if (captured_) {
        captured_ = nullptr;
        // The rest of the gesture belongs to nobody.
        pageCaptured_ = false;
    }
}

void PageCanvas::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, page_.Rendered());
}

void PageCanvas::Press(QMouseEvent* e, bool doubleClick)
{
    const QPoint at = e->position().toPoint();
    const TShiftState shift = ShiftStateOf(e->modifiers(), e->buttons(), doubleClick);
    const TMouseButton button = ButtonOf(e->button());
    if (!captured_ && !pageCaptured_) {
        captured_ = ObjectAt(at.x(), at.y());
        pageCaptured_ = captured_ == nullptr;
    }
    if (TLxObj* obj = captured_) {
        if (obj->OnMouseDown)
            obj->OnMouseDown(obj, button, shift, at.x() - obj->Left, at.y() - obj->Top);
        if (doubleClick && Holds(obj) && obj->OnDblClick) {
            obj->OnDblClick(obj);
            // The settings dialog it opened took the button's release; without it the object
            // would keep the gesture and its outline, and take the next click anywhere.
            if (!(QGuiApplication::mouseButtons() & e->button())) {
                QMouseEvent release(QEvent::MouseButtonRelease, e->position(), e->globalPosition(), e->button(),
                                    Qt::NoButton, e->modifiers());
                mouseReleaseEvent(&release);
            }
        }
    } else if (pageCaptured_) {
        page_.FormMouseDown(button, shift, at.x(), at.y());
    }
    e->accept();
}

void PageCanvas::mousePressEvent(QMouseEvent* e) { Press(e, false); }

void PageCanvas::mouseDoubleClickEvent(QMouseEvent* e) { Press(e, true); }

void PageCanvas::mouseMoveEvent(QMouseEvent* e)
{
    const QPoint at = e->position().toPoint();
    const TShiftState shift = ShiftStateOf(e->modifiers(), e->buttons(), false);
    if (captured_ && !Holds(captured_))
        captured_ = nullptr;
    TLxObj* obj = captured_ ? captured_ : (pageCaptured_ ? nullptr : ObjectAt(at.x(), at.y()));
    if (obj) {
        if (obj->OnMouseMove)
            obj->OnMouseMove(obj, shift, at.x() - obj->Left, at.y() - obj->Top);
    } else {
        page_.FormMouseMove(shift, at.x(), at.y());
    }
    e->accept();
}

void PageCanvas::mouseReleaseEvent(QMouseEvent* e)
{
    const QPoint at = e->position().toPoint();
    const TShiftState shift = ShiftStateOf(e->modifiers(), e->buttons(), false);
    const TMouseButton button = ButtonOf(e->button());
    if (captured_ && !Holds(captured_))
        captured_ = nullptr;
    if (TLxObj* obj = captured_) {
        if (obj->OnMouseUp)
            obj->OnMouseUp(obj, button, shift, at.x() - obj->Left, at.y() - obj->Top);
    } else if (pageCaptured_) {
        page_.FormMouseUp(button, shift, at.x(), at.y());
    }
    if (e->buttons() == Qt::NoButton) {
        captured_ = nullptr;
        pageCaptured_ = false;
    }
    e->accept();
}

bool PageCanvas::event(QEvent* e)
{
    // The page popup's shortcuts belong to the page that has the keys: claimed before the
    // main window's items with the same keys are looked at.
    if (e->type() == QEvent::ShortcutOverride && page_.PopShortcut(*static_cast<QKeyEvent*>(e))) {
        e->accept();
        return true;
    }
    return QWidget::event(e);
}

void PageCanvas::keyPressEvent(QKeyEvent* e)
{
    if (QAction* item = page_.PopShortcut(*e)) {
        item->trigger();
        e->accept();
        return;
    }
    std::uint16_t key = VirtualKeyOf(e->key());
    if (key == 0 && e->text() == QStringLiteral(".")) {
        page_.FormKeyPress('.');
        e->accept();
        return;
    }
    if (key == 0) {
        QWidget::keyPressEvent(e);
        return;
    }
    page_.FormKeyDown(key, ShiftStateOf(e->modifiers(), Qt::NoButton, false));
    e->accept();
}

void PageCanvas::contextMenuEvent(QContextMenuEvent* e)
{
    if (page_.LinkBusy())
        return;
    page_.PgPopMmPopup();
    page_.PgPopMm()->popup(e->globalPos());
}

} // namespace kes
