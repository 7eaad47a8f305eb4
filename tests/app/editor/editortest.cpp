#include "editortest.h"

#include "app/project/pgread.h"
#include "app/project/ui/tlxtype.h"
#include "platform/fileio.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>

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
        if (&d != Khm->LxType)
            return;
        Khm->LxType->SelectMachineInBoxes(machine);
        Khm->LxType->MMIType_Box->setCurrentIndex(model);
        Khm->LxType->FileName_Txt->setText(QStringLiteral("Test"));
        Khm->LxType->OkBtnClick();
    };
    Khm->MmNewClick();
    prompt.onExec = nullptr;
    ASSERT_NE(CurPage(), nullptr) << "the new project's first page is open";
    QApplication::processEvents();
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
    return DrawChosen(from, to, std::string(tool) == "TbPoly");
}

Bytes EditorTest::StoredPage()
{
    CurPage()->PgDataSave();
    return Khm->Doc.PgDataList[static_cast<std::size_t>(CurPage()->Data().PgIndex)]->Data;
}

} // namespace kes::test
