#include "pagedriver.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include <sstream>

namespace kes::test {

void PageDriver::Send(QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons held,
                      Qt::KeyboardModifiers mods)
{
    QWidget* w = Canvas();
    QMouseEvent e(type, QPointF(p), w->mapToGlobal(QPointF(p)), button, held, mods);
    QApplication::sendEvent(w, &e);
}

void PageDriver::Press(QPoint p, Qt::KeyboardModifiers mods, Qt::MouseButton button)
{
    Send(QEvent::MouseButtonPress, p, button, button, mods);
}

void PageDriver::Move(QPoint p, Qt::MouseButtons held, Qt::KeyboardModifiers mods)
{
    Send(QEvent::MouseMove, p, Qt::NoButton, held, mods);
}

void PageDriver::Release(QPoint p, Qt::KeyboardModifiers mods, Qt::MouseButton button)
{
    Send(QEvent::MouseButtonRelease, p, button, Qt::NoButton, mods);
}

void PageDriver::Click(QPoint p, Qt::KeyboardModifiers mods)
{
    Press(p, mods);
    Release(p, mods);
}

void PageDriver::DoubleClick(QPoint p)
{
    Send(QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
    Send(QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
    Send(QEvent::MouseButtonDblClick, p, Qt::LeftButton, Qt::LeftButton);
    Send(QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
}

void PageDriver::Drag(QPoint from, QPoint to, Qt::KeyboardModifiers mods)
{
    Press(from, mods);
    Move((from + to) / 2, Qt::LeftButton, mods);
    Move(to, Qt::LeftButton, mods);
    Release(to, mods);
}

void PageDriver::Key(int qtKey, Qt::KeyboardModifiers mods)
{
    QTest::keyClick(Canvas(), static_cast<Qt::Key>(qtKey), mods);
}

TLxObj* PageDriver::DrawChosen(QPoint from, QPoint to, bool polyline)
{
    const std::size_t before = Driven().Data().ObjList.size();
    if (polyline) {
        Click(from);
        Move(to, Qt::NoButton);
        DoubleClick(to);
    } else {
        Drag(from, to);
    }
    if (Driven().Data().ObjList.size() != before + 1)
        return nullptr;
    return Driven().Data().ObjList.back();
}

std::string PageDriver::ObjectsText() const
{
    std::ostringstream out;
    for (const TLxObj* o : Driven().Data().ObjList)
        out << o->ObjType << "@" << o->Left << "," << o->Top << " " << o->Width << "x" << o->Height << ";";
    return out.str();
}

bool OnWholePanelPixels(const TLxObj& o, int sx, int sy)
{
    return o.Left % sx == 0 && o.Top % sy == 0 && o.Width % sx == 0 && o.Height % sy == 0;
}

bool InsidePage(const TLxObj& o, const TEditPage& p)
{
    return o.Left >= 0 && o.Top >= 0 && o.Left + o.Width <= p.ClientWidth() && o.Top + o.Height <= p.ClientHeight();
}

} // namespace kes::test
