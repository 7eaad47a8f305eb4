// The inspector in the real main window: a new project shows it docked in the side panel as
// the shipped layout file says; the View menu's item closes and reopens it; it shows the one
// object the page has selected and nothing for none or two; an edit in it moves the object
// and marks the project modified; a language switch rebuilds its rows; its place (docked or
// floating, position, size, shown) goes through Loc.ini and comes back, whether it is closed
// from the menu, by its own close button or with the layout of a closing project;
// maximising or the float button moves it between the side panel and a window of its own.
//
// With KES_SCREENSHOT set, the main window with the inspector beside a selected numeric
// display is saved there as a picture.
#include "../editor/editortest.h"

#include "app/editor/editorinspector.h"
#include "app/editor/pageeditor.h"
#include "app/inspector/tdlgprop.h"
#include "app/shell/tkhm.h"
#include "app/ui/msgtable.h"
#include "objects/tlxobj.h"
#include "platform/inifile.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QLineEdit>
#include <QPointer>
#include <QSplitter>
#include <QTest>

namespace kes::test {
namespace {

class MainInspectorTest : public EditorTest {
protected:
    // The page tree, which shares the side panel, stays closed: the panel holds the inspector
    // alone.
    void SetUp() override
    {
        EditorTest::SetUp();
        std::string ini = ReadFile("Loc.ini");
        const std::size_t tree = ini.find("[TreeViewPage]");
        const std::size_t visible = ini.find("Visible=1", tree);
        if (tree != std::string::npos && visible != std::string::npos)
            ini[visible + 8] = '0';
        WriteFile("Loc.ini", ini);
    }
    TAdvStringGrid& Grid() const { return *Main()->Inspector()->AdvStrGrid; }
    // The grid line that shows list row i (-1 when hidden).
    int Line(int row) const
    {
        for (int i = 0; i < Grid().VisibleCount(); ++i)
            if (Grid().VisibleProp(i) == Grid().Prop(row))
                return i;
        return -1;
    }
    void ClickGrid(int row, int col)
    {
        QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {},
                          Grid().CellRect(col, Line(row)).topLeft() + QPoint(4, 4));
    }
    // Types text into the value of list row and presses Enter.
    void Type(int row, const QString& text)
    {
        if (!static_cast<TPropParent*>(Grid().Prop(0))->Expanded)
            ClickGrid(0, 0);
        ClickGrid(row, 1);
        ASSERT_TRUE(Main()->Inspector()->EdtTxt->isVisible()) << "no editor on row " << row;
        Main()->Inspector()->EdtTxt->setText(text);
        QTest::keyClick(Main()->Inspector()->EdtTxt, Qt::Key_Return);
    }
    bool DockedInPanel() const
    {
        return Main()->Inspector() && !Main()->Inspector()->isWindow() &&
               Main()->Inspector()->parentWidget() == Main()->PanelTreeViewHost && !Main()->PanelTreeView->isHidden();
    }
    // A window closed by its own close button frees itself with the next deferred deletes.
    static void Settle()
    {
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    }
    TIniFile Loc() const { return TIniFile(Main()->LocIniPath()); }
};

TEST_F(MainInspectorTest, TheMenuItemShowsAndHidesTheDockedInspector)
{
    // Nothing to inspect before a project is open.
    EXPECT_EQ(Main()->Inspector(), nullptr);
    NewProject();
    QAction* item = Main()->Action("MmObjInspector");
    ASSERT_TRUE(item->isChecked()) << "the shipped layout shows the inspector";
    ASSERT_TRUE(DockedInPanel());
    EXPECT_EQ(Main()->DlgPropWin.data(), Main()->Inspector());
    EXPECT_EQ(Main()->Inspector()->Source(), &Main()->PageEd->InspectorSource());
    EXPECT_EQ(Main()->Inspector()->windowTitle(), QStringLiteral("Object Inspector"));

    Trigger("MmObjInspector");
    EXPECT_FALSE(item->isChecked());
    EXPECT_EQ(Main()->Inspector(), nullptr);
    EXPECT_TRUE(Main()->PanelTreeView->isHidden()) << "an empty side panel is hidden";
    EXPECT_FALSE(Loc().ReadBool("ObjInspector", "Visible", true));
    EXPECT_FALSE(Loc().ReadBool("ObjInspector", "Location", true)) << "it was docked";

    Trigger("MmObjInspector");
    EXPECT_TRUE(item->isChecked());
    EXPECT_TRUE(DockedInPanel());

    // The main window's own refresh recreates it, still ticked. The old window must be gone
    // (a new one may reuse its address, so its pointer proves nothing).
    QPointer<TDlgProp> before = Main()->Inspector();
    Main()->FormShow();
    EXPECT_TRUE(item->isChecked());
    EXPECT_TRUE(before.isNull()) << "the refresh replaced the window";
    ASSERT_NE(Main()->Inspector(), nullptr);
    EXPECT_TRUE(DockedInPanel());
}

TEST_F(MainInspectorTest, ItFollowsThePageSelectionAndAnEditMarksTheProjectModified)
{
    NewProject();
    ASSERT_NE(Main()->Inspector(), nullptr);
    EXPECT_EQ(Main()->Inspector()->ShownObj, nullptr);
    EXPECT_TRUE(Grid().isHidden());

    TLxObj* val = DrawWith("TbVal", At(2, 2), At(30, 12));
    ASSERT_NE(val, nullptr);
    EXPECT_EQ(Main()->Inspector()->ShownObj, val);
    EXPECT_FALSE(Grid().isHidden());
    EXPECT_EQ(Grid().Prop(6)->Name, "Address") << "a numeric display's rows";
    TLxObj* txt = DrawWith("TbStTxt", At(60, 2), At(90, 12));
    ASSERT_NE(txt, nullptr);
    EXPECT_EQ(Main()->Inspector()->ShownObj, txt);
    EXPECT_EQ(Grid().PropCount(), 10) << "a static text's rows";

    Trigger("tbPointTo");
    Click(At(10, 6));
    EXPECT_EQ(Main()->Inspector()->ShownObj, val);
    Click(At(70, 6), Qt::ShiftModifier);
    EXPECT_EQ(Main()->Inspector()->ShownObj, nullptr) << "two selected";
    EXPECT_TRUE(Grid().isHidden());
    Click(At(100, 50));
    EXPECT_EQ(Main()->Inspector()->ShownObj, nullptr) << "none selected";

    // An edit typed into the inspector reaches the object, the page and the project.
    Click(At(10, 6));
    ASSERT_EQ(Main()->Inspector()->ShownObj, val);
    Main()->Doc.Modified = 0;
    Main()->Doc.Compiled = 1;
    Type(1, QStringLiteral("12"));
    EXPECT_EQ(val->Left, At(12, 0).x());
    EXPECT_EQ(Main()->Doc.Modified, 1);
    EXPECT_EQ(Main()->Doc.Compiled, 0);
    EXPECT_EQ(Grid().Cells(1, Line(1)), QStringLiteral("12"));
    // A move with the mouse shows in it at once.
    Drag(At(15, 6), At(17, 6));
    EXPECT_EQ(val->Left, At(14, 0).x());
    EXPECT_EQ(Grid().Cells(1, Line(1)), QStringLiteral("14"));

    // Another language gives it the rows of that language's table.
    Trigger("MmLangChs");
    EXPECT_EQ(Main()->Inspector()->ShownObj, val);
    EXPECT_EQ(Grid().Prop(6)->Name, QString::fromUtf8("地址"));
    Trigger("MmLangEng");
    EXPECT_EQ(Grid().Prop(6)->Name, QStringLiteral("Address"));

    const QByteArray shot = qgetenv("KES_SCREENSHOT");
    if (!shot.isEmpty()) {
        ClickGrid(0, 0); // the position rows open
        ClickGrid(9, 1); // the frame row current, its list button showing
        QApplication::processEvents();
        EXPECT_TRUE(Main()->grab().save(QString::fromLocal8Bit(shot)));
    }
}

// An inspector edit is one undo step of its own: Ctrl+Z takes back the edit alone, not the
// drag before it, and Ctrl+Y brings it again. An address the controller lacks is refused with
// a message and the row shows the old one; an edit that stores nothing leaves no undo step.
TEST_F(MainInspectorTest, AnEditIsOneUndoStepAndARefusedAddressIsSaid)
{
    NewProject();
    TLxObj* val = DrawWith("TbVal", At(2, 2), At(30, 12));
    ASSERT_NE(val, nullptr);
    Drag(At(10, 6), At(12, 6));
    ASSERT_EQ(Main()->Inspector()->ShownObj, CurPage()->Data().CurObj);
    const int dragged = CurPage()->Data().CurObj->Left;
    Type(1, QStringLiteral("40"));
    EXPECT_EQ(CurPage()->Data().CurObj->Left, At(40, 0).x());
    Trigger("MmUndo");
    ASSERT_EQ(CurPage()->Data().ObjList.size(), 1u);
    EXPECT_EQ(CurPage()->Data().ObjList[0]->Left, dragged) << "the drag before the edit stays";
    Trigger("MmRedo");
    EXPECT_EQ(CurPage()->Data().ObjList[0]->Left, At(40, 0).x());

    Click(At(42, 6));
    ASSERT_NE(Main()->Inspector()->ShownObj, nullptr);
    const QString before = Grid().Cells(1, Line(6));
    const std::size_t steps = CurPage()->UndoList().size();
    prompt.shown.clear();
    Type(6, QStringLiteral("Q99999"));
    ASSERT_EQ(prompt.shown.size(), 1u);
    // Said once, as every refused row is: the row's "Setting Error!!".
    EXPECT_EQ(prompt.shown[0], Grid().Prop(6)->Name + QStringLiteral(" ") + Msg(5));
    EXPECT_EQ(Grid().Cells(1, Line(6)), before);
    // An edit that stored nothing, refused or the value the row already had, is no undo step.
    EXPECT_EQ(CurPage()->UndoList().size(), steps) << "a refused value left an undo step";
    Type(1, QStringLiteral("40"));
    EXPECT_EQ(CurPage()->UndoList().size(), steps) << "an unchanged value left an undo step";
    Trigger("MmUndo");
    EXPECT_EQ(CurPage()->Data().ObjList[0]->Left, dragged) << "one undo takes back the last change";
}

TEST_F(MainInspectorTest, ItsPlaceGoesThroughTheLayoutFileAndComesBack)
{
    NewProject();
    ASSERT_TRUE(DockedInPanel());

    // The float button gives it a window of its own over the main window.
    auto* floatButton = Main()->Inspector()->findChild<QAbstractButton*>(QStringLiteral("qt_dockwidget_floatbutton"));
    ASSERT_NE(floatButton, nullptr);
    const int panelRight = Main()->PanelTreeView->mapToGlobal(QPoint(Main()->PanelTreeView->width(), 0)).x();
    floatButton->click();
    Settle();
    ASSERT_NE(Main()->Inspector(), nullptr);
    EXPECT_TRUE(Main()->Inspector()->isWindow());
    EXPECT_GT(Main()->Inspector()->mapToGlobal(QPoint(0, 0)).x(), panelRight) << "beside the panel it left";
    EXPECT_EQ(Main()->Inspector()->parentWidget(), Main());
    EXPECT_TRUE(Main()->Inspector()->isVisible());
    EXPECT_TRUE(Main()->PanelTreeView->isHidden());

    // Closed by its own button: its place is written, "Visible" false, the item unticked.
    Main()->Inspector()->setGeometry(Main()->geometry().left() + 300, 120, 330, 410);
    const QPoint origin = Main()->Inspector()->mapToGlobal(QPoint(0, 0));
    Main()->Inspector()->close();
    Settle();
    EXPECT_EQ(Main()->Inspector(), nullptr);
    EXPECT_EQ(Main()->DlgPropWin, nullptr);
    EXPECT_FALSE(Main()->Action("MmObjInspector")->isChecked());
    {
        TIniFile loc = Loc();
        EXPECT_FALSE(loc.ReadBool("ObjInspector", "Visible", true));
        EXPECT_TRUE(loc.ReadBool("ObjInspector", "Location", false));
        EXPECT_EQ(loc.ReadInteger("ObjInspector", "Left", 0), origin.x());
        EXPECT_EQ(loc.ReadInteger("ObjInspector", "Top", 0), origin.y());
        EXPECT_EQ(loc.ReadInteger("ObjInspector", "Width", 0), 330);
        EXPECT_EQ(loc.ReadInteger("ObjInspector", "Height", 0), 410);
    }

    // Reopened from the menu: floating where it was, as large as it was.
    Trigger("MmObjInspector");
    ASSERT_NE(Main()->Inspector(), nullptr);
    EXPECT_TRUE(Main()->Inspector()->isWindow());
    EXPECT_EQ(Main()->Inspector()->mapToGlobal(QPoint(0, 0)), origin);
    EXPECT_EQ(Main()->Inspector()->size(), QSize(330, 410));

    // Saving the layout (closing the project) keeps it shown and floating for the next one.
    TLxObj* val = DrawWith("TbVal", At(2, 2), At(30, 12));
    ASSERT_NE(val, nullptr);
    EXPECT_EQ(Main()->Inspector()->ShownObj, val) << "a floating inspector follows the selection too";
    Main()->SaveLayout();
    EXPECT_EQ(Main()->Inspector(), nullptr);
    EXPECT_TRUE(Loc().ReadBool("ObjInspector", "Visible", false));
    EXPECT_TRUE(Loc().ReadBool("ObjInspector", "Location", false));
    Main()->LoadLayout();
    ASSERT_NE(Main()->Inspector(), nullptr);
    EXPECT_TRUE(Main()->Inspector()->isWindow());
    EXPECT_EQ(Main()->Inspector()->mapToGlobal(QPoint(0, 0)), origin);

    // Maximising docks it instead; the next layout says docked.
    Main()->Inspector()->showMaximized();
    Settle();
    ASSERT_TRUE(DockedInPanel());
    EXPECT_FALSE(Main()->Inspector()->isMaximized());
    EXPECT_EQ(Main()->Inspector()->ShownObj, val);
    Main()->SaveLayout();
    EXPECT_FALSE(Loc().ReadBool("ObjInspector", "Location", true));
    Main()->LoadLayout();
    EXPECT_TRUE(DockedInPanel());
}

} // namespace
} // namespace kes::test
