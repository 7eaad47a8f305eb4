// The page tree follows the project: a node per page ("index:title") under the page root and
// the start-up root after it, rebuilt on adding, deleting and retitling pages with the
// current page selected; a language switch recaptions it; choosing a node opens its page;
// the View item shows it docked in the side panel and closes it; floating, it docks when
// maximised or moved by the user to the main window's left edge, and its own close button
// closes it as the View item does; the window font reaches the tree, and the View menu marks
// the tool bars that are shown. With KES_SCREENSHOT set, the main window with the tree beside
// a page is saved there in English and Traditional Chinese ("-eng", "-cht").
#include "editortest.h"

#include "app/editor/pageeditor.h"
#include "app/project/pagelist.h"
#include "app/shell/shelltools.h"
#include "app/shell/tframetreeview.h"
#include "app/ui/msgtable.h"
#include "platform/inifile.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDockWidget>
#include <QFontDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>
#include <QWindow>

namespace kes::test {
namespace {

class PageTreeTest : public EditorTest {
protected:
    // The page tree the main window shows, null while it is closed.
    static TFrameTreeView* PageTree() { return PageTreeOf(*Main()); }
    // The texts of the tree: the roots, the page nodes between them, "*" after the current one.
    std::vector<QString> Nodes()
    {
        QApplication::processEvents();
        std::vector<QString> out;
        QTreeWidget* t = PageTree()->TreeViewPage;
        auto mark = [t](QTreeWidgetItem* n) { return n->text(0) + (t->currentItem() == n ? "*" : ""); };
        out.push_back(mark(PageTree()->PageRoot()));
        for (int i = 0; i < PageTree()->PageRoot()->childCount(); ++i)
            out.push_back(mark(PageTree()->PageRoot()->child(i)));
        out.push_back(mark(PageTree()->StartRoot()));
        return out;
    }
    // Deferred docking, closing and deleting done.
    static void Settle()
    {
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    }
    static bool Docked()
    {
        return PageTree() && !PageTree()->isWindow() && PageTree()->parentWidget() == Main()->PanelTreeViewHost;
    }
    static void FloatButton()
    {
        auto* button = PageTree()->findChild<QAbstractButton*>(QStringLiteral("qt_dockwidget_floatbutton"));
        ASSERT_NE(button, nullptr);
        button->click();
        Settle();
        ASSERT_TRUE(PageTree()->isWindow());
    }
    // The window manager moves the floating tree so that its frame's left edge lies offset
    // pixels right of the main window's.
    static void UserMoves(int offset)
    {
        const int frame = PageTree()->geometry().left() - PageTree()->frameGeometry().left();
        PageTree()->windowHandle()->setPosition(Main()->frameGeometry().left() + offset + frame, 200);
        Settle();
    }
};

TEST_F(PageTreeTest, FollowsAddDeleteAndRetitleAndOpensTheChosenPage)
{
    NewProject();
    // A project opens with the tree unless the layout file says otherwise.
    ASSERT_NE(PageTree(), nullptr);
    EXPECT_EQ(Nodes(), (std::vector<QString>{"Pages", "0:*", "Start-up Screen"}));
    Trigger("MmTreeView");
    EXPECT_EQ(PageTree(), nullptr);
    Trigger("MmTreeView");
    ASSERT_NE(PageTree(), nullptr);
    EXPECT_TRUE(Main()->Action("MmTreeView")->isChecked());
    EXPECT_EQ(PageTree()->parentWidget(), Main()->PanelTreeViewHost);
    EXPECT_EQ(Nodes(), (std::vector<QString>{"Pages", "0:*", "Start-up Screen"}));

    Trigger("MmAddPg");
    Trigger("MmAddPg");
    EXPECT_EQ(Nodes(), (std::vector<QString>{"Pages", "0:", "1:", "2:*", "Start-up Screen"}));

    // Retitled and deleted as the page list does it.
    RetitlePage(Main()->Doc, 0, "Main");
    PageRenumbering same = {0, 1, 2};
    Main()->PageEd->PagesRenumbered(same);
    EXPECT_EQ(Nodes(), (std::vector<QString>{"Pages", "0:Main", "1:", "2:*", "Start-up Screen"}));
    Main()->PageEd->PagesRenumbered(DeletePage(Main()->Doc, 1));
    ASSERT_EQ(Main()->Doc.PgDataList.size(), 2u);
    EXPECT_EQ(Nodes().size(), 4u);
    EXPECT_EQ(Nodes()[1].left(6), QStringLiteral("0:Main"));

    // Choosing a page's node makes it the current page.
    PageTree()->TreeViewPage->setCurrentItem(PageTree()->PageRoot()->child(0));
    ASSERT_NE(CurPage(), nullptr);
    EXPECT_EQ(CurPage()->Data().PgIndex, 0);
    EXPECT_EQ(Nodes()[1], QStringLiteral("0:Main*"));

    Trigger("MmTreeView");
    QApplication::processEvents();
    EXPECT_EQ(PageTree(), nullptr);
    EXPECT_FALSE(Main()->Action("MmTreeView")->isChecked());
}

TEST_F(PageTreeTest, ALanguageSwitchRecaptionsTheWindowAndItsRoots)
{
    NewProject();
    ASSERT_NE(PageTree(), nullptr);
    EXPECT_EQ(PageTree()->windowTitle(), QStringLiteral("Page Tree"));
    Trigger("MmLangCht");
    EXPECT_EQ(PageTree()->windowTitle(), QString::fromUtf8("畫面樹"));
    EXPECT_EQ(Nodes().front(), Msg(269));
    EXPECT_NE(Msg(269), QStringLiteral("Pages"));
}

TEST_F(PageTreeTest, FloatingItDocksWhenMaximisedOrMovedToTheLeftEdge)
{
    NewProject();
    ASSERT_TRUE(Docked());
    QSplitter* panel = Main()->PanelTreeViewHost;
    ASSERT_EQ(panel->count(), 2) << "the shipped layout docks the inspector too";
    // The side panel takes these two only: the check results dock at the bottom alone.
    EXPECT_EQ(Main()->CtBarErr->allowedAreas(), Qt::BottomDockWidgetArea);

    FloatButton();
    EXPECT_NE(PageTree()->titleBarWidget(), nullptr) << "a blank bar: no dragging into a dock area";
    EXPECT_EQ(panel->count(), 1);
    EXPECT_FALSE(Main()->PanelTreeView->isHidden()) << "the inspector stays in the panel";
    // Maximised: docked at the top of the panel instead.
    PageTree()->showMaximized();
    Settle();
    ASSERT_TRUE(Docked());
    EXPECT_EQ(panel->widget(0), PageTree());
    EXPECT_FALSE(PageTree()->isMaximized());

    // Moved by the user: docked below the inspector when its left edge is at the main
    // window's, up to 29 pixels right of it; elsewhere it floats on.
    Main()->move(60, 40); // on the screen, with room left of it
    FloatButton();
    QTest::qWait(600); // moves right after the program placed it are not the user's
    for (int offset : {-1, 30, 200}) {
        UserMoves(offset);
        EXPECT_TRUE(PageTree()->isWindow()) << offset;
    }
    UserMoves(29);
    ASSERT_TRUE(Docked());
    EXPECT_EQ(panel->widget(1), PageTree());
    FloatButton();
    QTest::qWait(600);
    UserMoves(0);
    EXPECT_TRUE(Docked());

    // Its own close button: closed, the item unticked, and it stays closed next time.
    PageTree()->close();
    Settle();
    EXPECT_EQ(PageTree(), nullptr);
    EXPECT_FALSE(Main()->Action("MmTreeView")->isChecked());
    EXPECT_EQ(panel->count(), 1);
    TIniFile loc(Main()->LocIniPath());
    EXPECT_FALSE(loc.ReadBool("TreeViewPage", "Visible", true));
    EXPECT_FALSE(loc.ReadBool("TreeViewPage", "Location", true)) << "it was docked";
}

TEST_F(PageTreeTest, WindowFontReachesTheTreeAndTheViewMenuMarksTheBars)
{
    NewProject();
    if (!PageTree())
        Trigger("MmTreeView");
    ASSERT_NE(PageTree(), nullptr);
    const QFont chosen(QStringLiteral("DejaVu Serif"), 13);
    prompt.onExec = [&chosen](QDialog& d) {
        auto& f = dynamic_cast<QFontDialog&>(d);
        f.setCurrentFont(chosen);
        d.done(QDialog::Accepted);
    };
    Trigger("MmWinFont");
    EXPECT_EQ(Main()->font().family(), chosen.family());
    EXPECT_EQ(PageTree()->TreeViewPage->font().pointSize(), 13);

    Main()->PosTooBar->hide();
    Main()->Action("PosTBarSet")->setChecked(true);
    kes::MmViewClick(*Main());
    EXPECT_FALSE(Main()->Action("PosTBarSet")->isChecked());
    EXPECT_TRUE(Main()->Action("StandTbarSet")->isChecked());
}

TEST_F(PageTreeTest, Screenshot)
{
    const QString shot = QString::fromLocal8Bit(qgetenv("KES_SCREENSHOT"));
    if (shot.isEmpty())
        GTEST_SKIP() << "KES_SCREENSHOT not set";
    NewProject();
    Trigger("MmAddPg");
    DrawWith("TbStTxt", At(4, 4), At(40, 14));
    if (PageTree())
        Trigger("MmTreeView");
    Trigger("MmTreeView");
    for (const auto& [item, suffix] : {std::pair{"MmLangEng", "-eng"}, std::pair{"MmLangCht", "-cht"}}) {
        Trigger(item);
        Main()->show();
        QApplication::processEvents();
        EXPECT_TRUE(Main()->grab().save(shot + QLatin1String(suffix) + QStringLiteral(".png")));
    }
}

} // namespace
} // namespace kes::test
