// Settings saved on a larger screen, or damaged, never put a window out of reach: restored on
// a smaller screen, the main window, the floating tool bars and the floating tool windows lie
// inside its available area with room for their title bars, moved in and shrunk to fit.
// Closed untouched, the files keep the larger screen's values (a damaged value is not kept);
// what the user moved or resized is written as it is now. A floating window that fits comes back
// where it was.
#include "shellfixture.h"

#include "app/project/ui/tlxtype.h"
#include "app/shell/lxeini.h"
#include "app/shell/startup.h"
#include "app/shell/tkhm.h"
#include "app/ui/screenfit.h"
#include "platform/inifile.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QToolBar>

namespace kes::test {
namespace {

constexpr QRect kLaptop(0, 0, 1366, 768);

// Floating tool bars and tool windows of a 1600 x 1000 screen, and damaged ones.
constexpr const char* kLargeScreenLayout =
    "[ToolBar1]\nVisible=1\nLocation=0\nTop=0\nLeft=-2\nWidth=530\nHeight=30\n"
    "[ToolBar2]\nVisible=1\nLocation=1\nLeft=1400\nTop=900\nWidth=500\nHeight=30\n"
    "[ToolBar3]\nVisible=1\nLocation=1\nLeft=99999\nTop=-99999\nWidth=410\nHeight=30\n"
    "[ToolBar4]\nVisible=1\nLocation=0\nTop=32\nLeft=-2\nWidth=730\nHeight=32\n"
    "[ToolBar5]\nVisible=1\nLocation=1\nLeft=-300\nTop=-200\nWidth=230\nHeight=30\n"
    "[MessageShow]\nFloat=0\n"
    "[TreeViewPage]\nVisible=1\nLocation=1\nLeft=1500\nTop=100\nWidth=200\nHeight=900\n"
    "[ObjInspector]\nVisible=1\nLocation=1\nLeft=40000\nTop=40000\nWidth=250\nHeight=300\n";

class RestoredGeometryTest : public ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        screen = ScreenArea(kLaptop);
    }
    void TearDown() override
    {
        if (Main())
            ShutDownMain();
        ShellFixture::TearDown();
    }
    // Starts the program and opens a new project, which shows the tool bars and tool windows.
    void StartWithProject()
    {
        StartupOptions o;
        o.splashMillis = 0;
        o.prompt = &prompt;
        o.screen = &screen;
        StartMain(NewDoc(), o);
        Main()->show();
        prompt.onExec = [](QDialog& d) {
            auto& f = static_cast<TLxType&>(d);
            f.FileName_Txt->setText(QStringLiteral("Small"));
            f.OkBtn->click();
        };
        Main()->MmNewClick();
        QCoreApplication::processEvents();
        ASSERT_EQ(Main()->Doc.Opened, 1);
        ASSERT_TRUE(Main()->FrameTreeViewWin && Main()->DlgPropWin);
    }
    // The window's client area and title bar lie on the screen.
    static void ExpectOnScreen(const QWidget* window, const char* what)
    {
        ASSERT_TRUE(window) << what;
        const QRect client(window->mapToGlobal(QPoint(0, 0)), window->size());
        EXPECT_TRUE(kLaptop.marginsRemoved(FrameAllowance(window)).contains(client))
            << what << " at " << client.x() << "," << client.y() << " " << client.width() << "x" << client.height();
    }
    QRect Written(const char* section) const
    {
        TIniFile ini(Path("Loc.ini"));
        return {ini.ReadInteger(section, "Left", 0), ini.ReadInteger(section, "Top", 0),
                ini.ReadInteger(section, "Width", 0), ini.ReadInteger(section, "Height", 0)};
    }
    QSize WrittenMainWindow() const
    {
        LxeSettings s;
        EXPECT_TRUE(ReadLxeIni(Path("Lxe.ini"), Dir(), s));
        return {s.Width, s.Height};
    }
};

TEST_F(RestoredGeometryTest, ALargerScreensLayoutComesUpOnTheScreenAndIsKept)
{
    LxeSettings large;
    large.Width = 1600;
    large.Height = 1000;
    WriteFile("Lxe.ini", FormatLxeIni(large));
    WriteFile("Loc.ini", kLargeScreenLayout);
    StartWithProject();

    ExpectOnScreen(Main(), "main window");
    EXPECT_GT(Main()->width(), kLaptop.width() - 32);
    for (QToolBar* bar : {Main()->ObjToolBar, Main()->GeomToolBar, Main()->PostSetToolBar}) {
        ASSERT_TRUE(Main()->ToolBarFloats(bar)) << bar->objectName().toStdString();
        ExpectOnScreen(bar->window(), bar->objectName().toStdString().c_str());
    }
    ExpectOnScreen(Main()->FrameTreeViewWin, "page tree");
    ExpectOnScreen(Main()->DlgPropWin, "inspector");
    // Too tall for this screen: shrunk to it.
    EXPECT_LT(Main()->FrameTreeViewWin->height(), kLaptop.height());

    Main()->Doc.Modified = 0;
    Main()->MmClosePrjClick();
    // Untouched: the larger screen's places and sizes stay; damaged ones are replaced.
    EXPECT_EQ(WrittenMainWindow(), QSize(1600, 1000));
    EXPECT_EQ(Written("ToolBar2"), QRect(1400, 900, 500, 30));
    EXPECT_EQ(Written("ToolBar5"), QRect(-300, -200, 230, 30));
    EXPECT_EQ(Written("TreeViewPage"), QRect(1500, 100, 200, 900));
    for (const char* damaged : {"ToolBar3", "ObjInspector"})
        EXPECT_TRUE(kLaptop.contains(Written(damaged))) << damaged;
}

TEST_F(RestoredGeometryTest, WhatTheUserMovesOrResizesIsWrittenAsItIs)
{
    LxeSettings large;
    large.Width = 1600;
    large.Height = 1000;
    WriteFile("Lxe.ini", FormatLxeIni(large));
    WriteFile("Loc.ini", kLargeScreenLayout);
    StartWithProject();

    Main()->resize(1000, 700);
    Main()->FrameTreeViewWin->move(200, 150);
    Main()->ObjToolBar->window()->move(400, 300);
    QCoreApplication::processEvents();
    const QPoint barAt = Main()->ObjToolBar->mapToGlobal(QPoint(0, 0));
    const QRect tree(Main()->FrameTreeViewWin->mapToGlobal(QPoint(0, 0)), Main()->FrameTreeViewWin->size());

    Main()->Doc.Modified = 0;
    Main()->MmClosePrjClick();
    EXPECT_EQ(WrittenMainWindow(), QSize(1000, 700));
    EXPECT_EQ(Written("TreeViewPage"), tree);
    EXPECT_EQ(Written("ToolBar2").topLeft(), barAt);
    // The window left alone keeps the larger screen's place.
    EXPECT_EQ(Written("ToolBar5"), QRect(-300, -200, 230, 30));
}

// A floating tool bar and tool window that fit the screen come back where they were: the file
// holds where their client areas begin, and their frames go around those, not in their place.
TEST_F(RestoredGeometryTest, FloatingWindowsThatFitComeBackWhereTheyWere)
{
    WriteFile("Loc.ini", "[ToolBar2]\nVisible=1\nLocation=1\nLeft=300\nTop=400\nWidth=500\nHeight=30\n"
                         "[TreeViewPage]\nVisible=1\nLocation=1\nLeft=700\nTop=100\nWidth=200\nHeight=300\n");
    StartWithProject();
    ASSERT_TRUE(Main()->ToolBarFloats(Main()->ObjToolBar));
    QCoreApplication::processEvents();
    EXPECT_EQ(Main()->ObjToolBar->mapToGlobal(QPoint(0, 0)), QPoint(300, 400));
    EXPECT_EQ(Main()->FrameTreeViewWin->mapToGlobal(QPoint(0, 0)), QPoint(700, 100));

    Main()->Doc.Modified = 0;
    Main()->MmClosePrjClick();
    EXPECT_EQ(Written("ToolBar2"), QRect(300, 400, 500, 30));
    EXPECT_EQ(Written("TreeViewPage"), QRect(700, 100, 200, 300));
}

TEST_F(RestoredGeometryTest, FittingMovesInAndShrinksToTheArea)
{
    const QRect area(0, 30, 1366, 738);
    struct Case {
        QRect in, out;
    } cases[] = {
        {{100, 100, 200, 300}, {100, 100, 200, 300}},  // inside: as it is
        {{1400, 900, 500, 30}, {866, 738, 500, 30}},   // beyond the right and the bottom
        {{-300, -200, 230, 30}, {0, 30, 230, 30}},     // above and left of it, under the title room
        {{1500, 100, 200, 900}, {1166, 30, 200, 738}}, // taller than it
        {{-5000, 50, 3000, 20}, {0, 50, 1366, 20}},    // wider than it
        {{32767, -32767, 16384, 16384}, area},         // as large as damage gets
    };
    for (const Case& c : cases)
        EXPECT_EQ(FitInside(c.in, area), c.out) << c.in.x() << "," << c.in.y();
}

} // namespace
} // namespace kes::test
