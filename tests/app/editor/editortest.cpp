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
    Main()->resize(1200, 900);
    Main()->show();
}

void EditorTest::TearDown()
{
    if (Main()) {
        Main()->Doc.Modified = 0;
        Main()->FormClose();
    }
    StartedShell::TearDown();
}

void EditorTest::NewProject(int model, int machine)
{
    prompt.onExec = [model, machine](QDialog& d) {
        if (&d != Main()->LxType)
            return;
        Main()->LxType->SelectMachineInBoxes(machine);
        Main()->LxType->MMIType_Box->setCurrentIndex(model);
        Main()->LxType->FileName_Txt->setText(QStringLiteral("Test"));
        Main()->LxType->OkBtnClick();
    };
    Main()->MmNewClick();
    prompt.onExec = nullptr;
    ASSERT_NE(CurPage(), nullptr) << "the new project's first page is open";
    QApplication::processEvents();
}

void EditorTest::Trigger(const char* name)
{
    QAction* a = Main()->Action(name);
    ASSERT_NE(a, nullptr) << name;
    ASSERT_TRUE(a->isEnabled()) << name << " is not enabled";
    a->trigger();
}

TLxObj* EditorTest::DrawWith(const char* tool, QPoint from, QPoint to)
{
    Main()->Action(tool)->trigger();
    return DrawChosen(from, to, std::string(tool) == "TbPoly");
}

Bytes EditorTest::StoredPage()
{
    CurPage()->PgDataSave();
    return Main()->Doc.PgDataList[static_cast<std::size_t>(CurPage()->Data().PgIndex)]->Data;
}

} // namespace kes::test
