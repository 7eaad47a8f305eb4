#include "pagetest.h"

#include "app/project/memimage.h"
#include "objects/tgeom.h"
#include "platform/fileio.h"

namespace kes::test {

void TestPageHost::PointerTool()
{
    THmPage* page = editor ? editor->Current() : nullptr;
    if (!page)
        return;
    page->PolyPointsCancel();
    page->ChooseTool(0, 0);
}

void PageTest::SetUp()
{
    // The model data and the decoder library are read from the build's program folder.
    savedAppDir_ = AppDir();
    SetAppDir(std::string(KES_BIN_DIR) + "/");
    host.doc.AppDir = AppDir();
}

void PageTest::TearDown()
{
    host.editor = nullptr;
    editor.reset();
    SetAppDir(savedAppDir_);
}

void PageTest::NewProject(int model, int machine)
{
    host.editor = nullptr;
    editor.reset();
    host.doc.PgDataList.clear();
    host.model = std::make_unique<LxTypeCore>(host.doc);
    host.model->LoadModelList();
    host.model->LoadMachineList();
    host.doc.MachineId = static_cast<std::int16_t>(machine);
    host.doc.PanelModelIndex = static_cast<std::int16_t>(model);
    host.model->SelectMachine();
    host.model->LoadModelData();
    host.doc.ResetSystemRecords();
    ResetMemoryImage(host.doc);
    host.view.EditMode = kes::Editing::Pages;
    host.doc.PgDataList.push_back(std::make_unique<PgDataStr>());
    editor = std::make_unique<PageEditor>(host, nullptr);
    host.editor = editor.get();
    editor->LoadPageWindow(0);
    ASSERT_NE(editor->OpenPageOf(0), nullptr);
    ASSERT_EQ(editor->Current(), editor->Pages().front());
}

void PageTest::Choose(ObjKind kind, int figure)
{
    Page().PolyPointsCancel();
    Page().ChooseTool(static_cast<std::int16_t>(KindCode(kind)), figure);
}

TLxObj* PageTest::Draw(ObjKind kind, QPoint from, QPoint to, int figure)
{
    Choose(kind, figure);
    return DrawChosen(from, to, kind == ObjKind::Geom && figure == GeomPoly);
}

} // namespace kes::test
