#include "editortest.h"

#include "app/project/pgread.h"
#include "app/project/ui/tlxtype.h"
#include "platform/fileio.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>

#include <sstream>

namespace kes::test {

void EditorTest::SetUp()
{
    StartedShell::SetUp();
    // The decoder library and the inspector's property tables are read from the program folder.
    for (const char* name : {"libMorvik.so", "objenu.mdb", "objins.mdb", "objchs.mdb"})
        QFile::copy(QStringLiteral(KES_BIN_DIR "/") + QLatin1String(name), QString::fromStdString(Dir() + name));
    Khm->resize(1200, 900);
    Khm->show();
}

void EditorTest::TearDown()
{
    if (Khm) {
        Khm->Doc.Modified = 0;
        Khm->FormClose();
    }
    StartedShell::TearDown();
}

void EditorTest::NewProject(int model, int machine)
{
    prompt.onExec = [model, machine](QDialog& d) {
        if (&d != LxType)
            return;
        LxType->SelectMachineInBoxes(machine);
        LxType->MMIType_Box->setCurrentIndex(model);
        LxType->FileName_Txt->setText(QStringLiteral("Test"));
        LxType->OkBtnClick();
    };
    Khm->MmNewClick();
    prompt.onExec = nullptr;
    ASSERT_NE(HmPage, nullptr) << "the new project's first page is open";
    QApplication::processEvents();
}

namespace {

void SendMouse(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers mods)
{
    QMouseEvent e(type, QPointF(p), w->mapToGlobal(QPointF(p)), button, buttons, mods);
    QApplication::sendEvent(w, &e);
}

} // namespace

void EditorTest::Send(QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons held,
                      Qt::KeyboardModifiers mods)
{
    SendMouse(Canvas(), type, p, button, held, mods);
}

void EditorTest::Press(QPoint p, Qt::KeyboardModifiers mods, Qt::MouseButton button)
{
    SendMouse(Canvas(), QEvent::MouseButtonPress, p, button, button, mods);
}

void EditorTest::Move(QPoint p, Qt::MouseButtons held, Qt::KeyboardModifiers mods)
{
    SendMouse(Canvas(), QEvent::MouseMove, p, Qt::NoButton, held, mods);
}

void EditorTest::Release(QPoint p, Qt::KeyboardModifiers mods, Qt::MouseButton button)
{
    SendMouse(Canvas(), QEvent::MouseButtonRelease, p, button, Qt::NoButton, mods);
}

void EditorTest::Click(QPoint p, Qt::KeyboardModifiers mods)
{
    Press(p, mods);
    Release(p, mods);
}

void EditorTest::DoubleClick(QPoint p)
{
    QWidget* c = Canvas();
    SendMouse(c, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton, {});
    SendMouse(c, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton, {});
    SendMouse(c, QEvent::MouseButtonDblClick, p, Qt::LeftButton, Qt::LeftButton, {});
    SendMouse(c, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton, {});
}

void EditorTest::Drag(QPoint from, QPoint to, Qt::KeyboardModifiers mods)
{
    Press(from, mods);
    Move((from + to) / 2, Qt::LeftButton, mods);
    Move(to, Qt::LeftButton, mods);
    Release(to, mods);
}

void EditorTest::Key(int qtKey, Qt::KeyboardModifiers mods)
{
    QTest::keyClick(Canvas(), static_cast<Qt::Key>(qtKey), mods);
}

void EditorTest::Trigger(const char* name)
{
    QAction* a = Khm->Action(name);
    ASSERT_NE(a, nullptr) << name;
    ASSERT_TRUE(a->isEnabled()) << name << " is not enabled";
    a->trigger();
}

TLxObj* EditorTest::DrawWith(const char* tool, QPoint from, QPoint to)
{
    Khm->Action(tool)->trigger();
    const std::size_t before = HmPage->ObjList.size();
    if (std::string(tool) == "TbPoly") {
        Click(from);
        Move(to, Qt::NoButton);
        DoubleClick(to);
    } else {
        Drag(from, to);
    }
    if (HmPage->ObjList.size() != before + 1)
        return nullptr;
    return HmPage->ObjList.back();
}

Bytes EditorTest::StoredPage()
{
    HmPage->PgDataSave();
    return Khm->Doc.PgDataList[static_cast<std::size_t>(HmPage->PgIndex)]->Data;
}

std::string EditorTest::ObjectsText() const
{
    std::ostringstream out;
    for (const TLxObj* o : HmPage->ObjList)
        out << o->ObjType << "@" << o->Left << "," << o->Top << " " << o->Width << "x" << o->Height << ";";
    return out.str();
}

} // namespace kes::test
