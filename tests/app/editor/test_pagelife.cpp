// A page keeps every edit through its life: only the current page holds live objects; a
// switch to another page stores it and freezes it to its picture, and coming back decodes
// the same objects with an empty history. Undo and redo restore whole pages, byte for byte,
// with the bounded and the unbounded ways of recording a step. The grid shows one dot per
// panel pixel above zoom 1.
#include "editortest.h"

#include "app/editor/pageeditor.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace kes::test {
namespace {

class PageLifeTest : public EditorTest {
protected:
    THmPage* PageAt(int i) const { return Main()->PageEd->Pages().at(static_cast<std::size_t>(i)); }
};

TEST_F(PageLifeTest, UndoAndRedoGoBackToTheSamePageBytes)
{
    NewProject();
    std::vector<Bytes> states{StoredPage()};
    DrawWith("TbStTxt", At(2, 2), At(30, 12));
    states.push_back(StoredPage());
    DrawWith("TbRect", At(40, 2), At(70, 20));
    states.push_back(StoredPage());
    Trigger("tbPointTo");
    Drag(At(10, 5), At(20, 30)); // move the text
    states.push_back(StoredPage());
    Key(Qt::Key_Left); // and nudge it
    states.push_back(StoredPage());
    ASSERT_EQ(Page().UndoList().size(), 4u);

    for (int i = static_cast<int>(states.size()) - 2; i >= 0; --i) {
        Trigger("TbUndo");
        EXPECT_EQ(StoredPage(), states[static_cast<std::size_t>(i)]) << "after undo to state " << i;
    }
    EXPECT_FALSE(Main()->Action("TbUndo")->isEnabled());
    for (std::size_t i = 1; i < states.size(); ++i) {
        Trigger("TbRedo");
        EXPECT_EQ(StoredPage(), states[i]) << "after redo to state " << i;
    }
    EXPECT_FALSE(Main()->Action("TbRedo")->isEnabled());
    EXPECT_TRUE(Main()->Action("TbUndo")->isEnabled());
}

TEST_F(PageLifeTest, TheHistoryIsBoundedOnlyWhereAStepIsPushed)
{
    NewProject(3); // 240 x 128 panel pixels: room for many objects
    for (int i = 0; i < 11; ++i)
        ASSERT_NE(
            DrawWith("TbVal", At(2 + 20 * (i % 10), 2 + 30 * (i / 10)), At(12 + 20 * (i % 10), 10 + 30 * (i / 10))),
            nullptr);
    EXPECT_EQ(Page().UndoList().size(), 10u) << "eleven new objects keep ten steps";
    Trigger("tbPointTo");

    // After an undo, a keyboard move keeps the redo list; a new object empties it.
    Trigger("MmUndo");
    ASSERT_EQ(Page().RedoList().size(), 1u);
    Click(At(3, 3));
    Key(Qt::Key_Down);
    EXPECT_EQ(Page().RedoList().size(), 1u);
    const std::size_t steps = Page().UndoList().size();
    for (int i = 0; i < 12; ++i)
        Drag(At(7, 6 + i), At(7, 7 + i));
    EXPECT_EQ(Page().UndoList().size(), steps + 12) << "moves are not bounded";
    DrawWith("TbVal", At(100, 100), At(110, 110));
    EXPECT_TRUE(Page().RedoList().empty());
    EXPECT_EQ(Page().UndoList().size(), steps + 12) << "a pushed step drops the oldest one";
}

TEST_F(PageLifeTest, UndoRestoresThePageRecordsOfItsSnapshot)
{
    NewProject();
    DrawWith("TbStTxt", At(2, 2), At(30, 12));
    // A snapshot of a page without objects leaves the page settings alone.
    Page().Data().AddPgJump(Main()->Doc);
    Trigger("MmUndo");
    EXPECT_TRUE(Page().Data().ObjList.empty());
    EXPECT_EQ(Page().Data().PgJmpList.size(), 1u);

    Trigger("MmRedo");
    ASSERT_EQ(Page().Data().ObjList.size(), 1u);
    Page().Data().ClearPgJumps();
    DrawWith("TbStTxt", At(40, 2), At(60, 12)); // the snapshot holds no jump
    Page().Data().AddPgJump(Main()->Doc);
    Trigger("MmUndo");
    EXPECT_EQ(Page().Data().ObjList.size(), 1u);
    EXPECT_TRUE(Page().Data().PgJmpList.empty()) << "the jump list comes from the snapshot";
}

TEST_F(PageLifeTest, SwitchingPagesKeepsEveryEdit)
{
    NewProject();
    THmPage* first = CurPage();
    DrawWith("TbStTxt", At(2, 2), At(30, 12));
    DrawWith("TbBtn", At(40, 2), At(70, 20));
    Trigger("tbPointTo");
    Click(At(3, 3));
    Key(Qt::Key_Right); // a keyboard edit must be stored too
    const std::string edited = ObjectsText();

    Trigger("TbAddPg");
    ASSERT_EQ(Main()->PageEd->Pages().size(), 2u);
    THmPage* second = CurPage();
    ASSERT_NE(second, first);
    EXPECT_FALSE(first->Live());
    EXPECT_TRUE(first->Data().ObjList.empty());
    EXPECT_TRUE(first->UndoList().empty());
    EXPECT_FALSE(Main()->Doc.PgDataList[0]->Data.empty());
    const Bytes stored = Main()->Doc.PgDataList[0]->Data;
    EXPECT_EQ(first->PgDataSave(), 0) << "a frozen page stores nothing over its record";
    EXPECT_EQ(Main()->Doc.PgDataList[0]->Data, stored);
    EXPECT_EQ(second->windowTitle(), QStringLiteral("1:"));
    // The frozen page still shows its objects.
    const QImage frozen = first->Rendered();
    int black = 0;
    for (int y = 0; y < frozen.height(); ++y)
        for (int x = 0; x < frozen.width(); ++x)
            black += frozen.pixel(x, y) == qRgb(0, 0, 0);
    EXPECT_GT(black, 0);

    DrawWith("TbRect", At(10, 10), At(40, 40));
    const std::string secondEdited = ObjectsText();
    Trigger("TbPrePg");
    EXPECT_EQ(CurPage(), first);
    EXPECT_TRUE(first->Live());
    EXPECT_FALSE(second->Live());
    EXPECT_EQ(ObjectsText(), edited);
    EXPECT_TRUE(first->UndoList().empty()) << "the history does not survive a switch";
    EXPECT_FALSE(Main()->Action("TbPrePg")->isEnabled());
    EXPECT_TRUE(Main()->Action("TbNextPg")->isEnabled());
    Trigger("TbNextPg");
    EXPECT_EQ(CurPage(), second);
    EXPECT_EQ(ObjectsText(), secondEdited);

    // Activation follows the MDI area, whatever has the keyboard focus.
    Main()->MdiArea->setActiveSubWindow(first->SubWindow());
    EXPECT_EQ(CurPage(), first);
    EXPECT_EQ(ObjectsText(), edited);
}

TEST_F(PageLifeTest, APageStaysLiveWhileTheFocusIsOnAToolWindow)
{
    NewProject();
    DrawWith("TbStTxt", At(2, 2), At(30, 12));
    auto* dock = new QDockWidget(QStringLiteral("Tool"), Main());
    auto* edit = new QLineEdit(dock);
    dock->setWidget(edit);
    Main()->addDockWidget(Qt::RightDockWidgetArea, dock);
    dock->show();
    edit->setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(Page().Live());
    EXPECT_EQ(Page().Data().ObjList.size(), 1u);
    delete dock;
}

TEST_F(PageLifeTest, ClosingTheLastPageWindowDisablesThePageCommands)
{
    NewProject();
    Trigger("TbAddPg");
    // The last page closes with an object selected and a step to undo.
    ASSERT_NE(DrawWith("TbStTxt", At(2, 2), At(30, 12)), nullptr);
    Trigger("tbPointTo");
    ASSERT_TRUE(Main()->Action("TbCut")->isEnabled());
    for (QWidget* w : std::vector<THmPage*>(Main()->PageEd->Pages()))
        static_cast<THmPage*>(w)->SubWindow()->close();
    QApplication::processEvents();
    EXPECT_TRUE(Main()->PageEd->Pages().empty());
    EXPECT_EQ(CurPage(), nullptr);
    for (const char* n : {"MmPgJump", "MmFunKeyEt", "MmUndo", "MmRedo", "TbZoomIn", "TbZoomOut", "TbUndo", "TbDel",
                          "TbCut", "TbCopy", "TbStepUp", "TbSideUp", "MmCut", "MmCopy", "MmMultiCopy", "MmMovTop"})
        EXPECT_FALSE(Main()->Action(n)->isEnabled()) << n;
    for (const char* n : {"TbFont_Box", "TbState_Box"})
        EXPECT_FALSE(Main()->ToolWidget(n)->isEnabled()) << n;
    // Pages are left in the project: the tool bar items stay.
    EXPECT_EQ(Main()->Doc.PgDataList.size(), 2u);
    EXPECT_TRUE(Main()->Action("ObjTBarSet")->isEnabled());
    // They open again from their records.
    Main()->LoadPageWindow(1);
    ASSERT_NE(CurPage(), nullptr);
    EXPECT_EQ(CurPage()->Data().PgIndex, 1);
    // The object, figure and text bars work again on the reopened page, and on the page of a
    // project started after closing this one.
    auto expectBarsWork = [this](const char* when) {
        for (const char* bar : {"ObjToolBar", "GeomToolBar", "PosTooBar", "PostSetToolBar"})
            EXPECT_TRUE(Main()->ToolWidget(bar)->isEnabled()) << bar << " " << when;
        EXPECT_NE(DrawWith("TbStTxt", {2, 2}, {30, 12}), nullptr) << when;
    };
    expectBarsWork("after reopening");
    prompt.answers = {Answer::No}; // not saved
    Trigger("MmClosePrj");
    NewProject();
    expectBarsWork("in a new project");
}

TEST_F(PageLifeTest, TheGridShowsADotPerPanelPixelAboveZoomOne)
{
    NewProject(4); // grid 2 x 1
    for (const int zoom : {1, 2, 4}) {
        Main()->MmPgSizeClick(zoom);
        const QImage img = Page().Rendered();
        const QRgb black = qRgb(0, 0, 0);
        const QPoint panelPixel(2 * zoom, zoom); // the top-left of panel pixel (1, 1)
        if (zoom == 1) {
            EXPECT_EQ(img.pixel(panelPixel), qRgb(255, 255, 255)) << "no dots at zoom 1";
            continue;
        }
        EXPECT_EQ(img.pixel(panelPixel), black) << "zoom " << zoom;
        EXPECT_EQ(img.pixel(panelPixel + QPoint(1, 0)), qRgb(255, 255, 255)) << "zoom " << zoom;
        Trigger("MmPtDisable");
        EXPECT_EQ(Page().Rendered().pixel(panelPixel), qRgb(255, 255, 255)) << "grid off, zoom " << zoom;
        Trigger("MmPtEnable");
    }
}

TEST_F(PageLifeTest, ZoomingInAndOutKeepsThePageBytes)
{
    NewProject();
    DrawWith("TbStTxt", At(4, 4), At(60, 20));
    DrawWith("TbCir", At(70, 4), At(110, 30));
    DrawWith("TbBtn", At(120, 10), At(150, 40));
    const Bytes before = StoredPage();
    ASSERT_EQ(Page().Data().Zoom, 4);
    Trigger("TbZoomIn");
    Trigger("TbZoomIn");
    EXPECT_EQ(Page().Data().Zoom, 16);
    EXPECT_EQ(Page().Canvas()->width(), 192 * 16);
    Main()->TbZoomInClick();
    EXPECT_EQ(Page().Data().Zoom, 16) << "zoom in stops at 16";
    for (int i = 0; i < 5; ++i)
        Main()->TbZoomOutClick();
    EXPECT_EQ(Page().Data().Zoom, 1) << "zoom out stops at 1";
    EXPECT_EQ(StoredPage(), before);
    Trigger("MmPgSize400");
    EXPECT_EQ(StoredPage(), before);
    EXPECT_EQ(Page().Data().ObjList.front()->Left, At(4, 4).x());
}

TEST_F(PageLifeTest, TheWindowShowsThePageAsRendered)
{
    NewProject();
    DrawWith("TbStTxt", At(4, 4), At(60, 20));
    DrawWith("TbBtn", At(70, 4), At(110, 30));
    DrawWith("TbCirF", At(120, 4), At(150, 40));
    DrawWith("TbVal", At(10, 34), At(50, 50));
    Trigger("tbPointTo");
    Click(At(75, 10));
    Click(At(20, 40), Qt::ShiftModifier);
    // The two selected objects dragged: their outlines follow the pointer.
    Press(At(80, 20));
    Move(At(92, 30));
    ASSERT_TRUE(Page().OutlineShown(Page().Data().SelList.front()));
    QApplication::processEvents();
    const QImage shown = Canvas()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage rendered = Page().Rendered();
    EXPECT_EQ(shown.copy(0, 0, rendered.width(), rendered.height()), rendered);
    // KES_SCREENSHOT names a file for a picture of the whole window (to look at it).
    if (const QByteArray path = qgetenv("KES_SCREENSHOT"); !path.isEmpty())
        Main()->grab().save(QString::fromLocal8Bit(path));
    Release(At(92, 30));
    EXPECT_EQ(Page().Data().SelList.front()->Left, At(82, 0).x());
}

} // namespace
} // namespace kes::test
