// What each edit mode offers of the main window. Page editing offers every object tool and
// the page's commands. The start-up screen offers the pointer, static text, static picture
// and figure tools, of the Objects menu only the static text and static picture, and none of the
// page's commands (page settings, compile, download, upload, the page picture file). A user-menu
// screen offers the pointer alone. Every tool offered draws its kind with a drag; a tool the
// mode does not offer, chosen all the same, draws nothing and leaves the project unmodified. The
// main window's own refresh from the project state keeps what the screen offers.
#include "editortest.h"

#include "app/editor/screeneditor.h"
#include "app/editor/timagepage.h"
#include "app/project/usermenu.h"
#include "platform/fileio.h"

#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QToolBar>

#include <string>

namespace kes::test {
namespace {

// A drawing tool: a tool button or an Objects menu item, the kind it draws and whether the
// start-up screen offers it (page editing offers every tool shown, a user-menu screen none).
struct ToolRow {
    const char* name;
    ObjKind kind;
    bool onStartScreen;
};

const ToolRow kTools[] = {
    {"TbStTxt", ObjKind::StTxt, true},
    {"MmStTxt", ObjKind::StTxt, true},
    {"TbVal", ObjKind::LxVal, false},
    {"MmVal", ObjKind::LxVal, false},
    {"TbBit", ObjKind::LxDevBmp, false},
    {"MmBit", ObjKind::LxDevBmp, false},
    {"TbValRange", ObjKind::VrgBmp, false},
    {"MmValRange", ObjKind::VrgBmp, false},
    {"TbStBmp", ObjKind::StBmp, true},
    {"MmStBmp", ObjKind::StBmp, true},
    {"TbActBmp", ObjKind::ActBmp, false},
    {"MmActBmp", ObjKind::ActBmp, false},
    {"TbScale", ObjKind::Scale, false},
    {"MmScale", ObjKind::Scale, false},
    {"TbProgBar", ObjKind::ProgBar, false},
    {"MmProgBar", ObjKind::ProgBar, false},
    {"TbCirMeter", ObjKind::CirMeter, false},
    {"MmCirMeter", ObjKind::CirMeter, false},
    {"TbPgNum", ObjKind::LxPage, false},
    {"TbMsg", ObjKind::MsgTxt, false},
    {"MmMsg", ObjKind::MsgTxt, false},
    {"TbBtn", ObjKind::LxBtn, false},
    {"MmBtn", ObjKind::LxBtn, false},
    {"TbCurves", ObjKind::LxCurve, false},
    {"MmCurve", ObjKind::LxCurve, false},
    {"TbXyCurve", ObjKind::LxXyCurve, false},
    {"MmXY", ObjKind::LxXyCurve, false},
    {"TbRtc", ObjKind::Rtc, false},
    {"MmRtc", ObjKind::Rtc, false},
    {"TbLighter", ObjKind::Light, false},
    {"MmLighter", ObjKind::Light, false},
    {"TbMetrol", ObjKind::Metrol, false},
    {"MmMetrol", ObjKind::Metrol, false},
    {"TbInputVal", ObjKind::LxGetVal, false},
    {"MmInputVal", ObjKind::LxGetVal, false},
    {"TbLine", ObjKind::Geom, true},
    {"TbRect", ObjKind::Geom, true},
    {"TbCirF", ObjKind::Geom, true},
    {"TbPie", ObjKind::Geom, true},
    {"TbPoly", ObjKind::Geom, true},
    // The Objects menu's figures sit in a submenu the start-up screen greys as a whole.
    {"MmGeomRect", ObjKind::Geom, false},
    {"MmGeomPoly", ObjKind::Geom, false},
};

// A command and whether page editing, the start-up screen and a user-menu screen offer it
// (-1: not looked at in that mode).
struct CommandRow {
    const char* name;
    int pages, start, menu;
};

const CommandRow kCommands[] = {
    {"tbPointTo", 1, 1, 1},         {"MmEle", 1, 1, 0},         {"MmComWrt", 1, 0, 0},
    {"TbComWrt", 1, 0, 0},          {"MmComRead", 1, 0, 0},     {"TbComRead", 1, 0, 0},
    {"MmTranslate", 1, 0, 0},       {"TbTranslate", 1, 0, 0},   {"MmAddPg", -1, 0, 0},
    {"TbAddPg", 1, 0, 0},           {"MmPgJump", -1, 0, 0},     {"MmFunKeyEt", -1, 0, 0},
    {"MmBuzzerSet", 1, 0, 0},       {"MmLedSet", 1, 0, 0},      {"MmHide", -1, 0, 0},
    {"MmPgPageWriteSet", -1, 0, 0}, {"MmImageToFile", 1, 0, 0}, {"MmImageToClipBrd", 1, 1, -1},
    {"MmPrint", 1, 1, 0},           {"TbPrint", 1, 1, 0},       {"MmView", 1, 1, 0},
    {"TbViewPg", 1, 1, 0},          {"MmSaveAs", 1, 1, 0},      {"MmSave", 1, 1, 1},
    {"MmClosePrj", 1, 1, 1},
};

class EditModesTest : public EditorTest {
protected:
    void TearDown() override
    {
        Drive(nullptr);
        EditorTest::TearDown();
    }

    // The item can be chosen: it is enabled, and so is every menu and tool bar it sits in.
    static bool Offered(QAction* a)
    {
        if (!a->isEnabled())
            return false;
        for (QObject* o : a->associatedObjects()) {
            if (auto* menu = qobject_cast<QMenu*>(o); menu && menu->menuAction() != a && !Offered(menu->menuAction()))
                return false;
            if (auto* bar = qobject_cast<QToolBar*>(o); bar && !bar->isEnabled())
                return false;
        }
        return true;
    }
    static bool Shown(QAction* a)
    {
        for (QObject* o : a->associatedObjects())
            if (auto* menu = qobject_cast<QMenu*>(o); menu && menu->menuAction() != a && !Shown(menu->menuAction()))
                return false;
        return a->isVisible();
    }

    // Column of the mode in the tables.
    static bool ToolOffered(const ToolRow& t, Editing mode)
    {
        return mode == Editing::Pages || (mode == Editing::StartScreen && t.onStartScreen);
    }
    static int CommandOffered(const CommandRow& c, Editing mode)
    {
        return mode == Editing::Pages ? c.pages : mode == Editing::StartScreen ? c.start : c.menu;
    }

    void ExpectCommands(Editing mode)
    {
        for (const CommandRow& c : kCommands) {
            const int want = CommandOffered(c, mode);
            if (want >= 0) {
                EXPECT_EQ(Offered(Main()->Action(c.name)), want == 1) << c.name;
            }
        }
        for (const ToolRow& t : kTools) {
            QAction* a = Main()->Action(t.name);
            if (Shown(a)) {
                EXPECT_EQ(Offered(a), ToolOffered(t, mode)) << t.name;
            }
        }
    }

    // Every tool the mode offers draws its kind (and the drawing is undone); every other one,
    // chosen all the same, draws nothing and leaves the project as it was.
    void ExpectDrawing(Editing mode)
    {
        // Clear of the user-menu screen's rectangle: the drags start on the free area.
        const QPoint from = At(30, 24);
        const QPoint to = At(60, 44);
        for (const ToolRow& t : kTools) {
            SCOPED_TRACE(t.name);
            QAction* a = Main()->Action(t.name);
            if (!Shown(a))
                continue;
            const bool polyline = std::string(t.name).ends_with("Poly");
            const std::size_t before = Driven().Data().ObjList.size();
            if (ToolOffered(t, mode)) {
                a->trigger();
                TLxObj* obj = DrawChosen(from, to, polyline);
                ASSERT_NE(obj, nullptr);
                EXPECT_EQ(obj->ObjType, KindCode(t.kind));
                Trigger("MmUndo");
                EXPECT_EQ(Driven().Data().ObjList.size(), before);
                continue;
            }
            // The start-up screen draws these kinds with the tools it offers.
            if (mode == Editing::StartScreen && TImagePage::ScreenKind(t.kind))
                continue;
            Main()->Doc.Modified = 0;
            const int subType = IsKind(KindCode(t.kind), ObjKind::Geom) ? a->property("Tag").toInt() : 0;
            if (mode == Editing::Pages) {
                CurPage()->ChooseTool(static_cast<std::int16_t>(KindCode(t.kind)), subType);
            } else {
                Main()->Screens->SetTool(mode, KindCode(t.kind), subType);
            }
            EXPECT_EQ(DrawChosen(from, to, polyline), nullptr);
            EXPECT_EQ(Driven().Data().ObjList.size(), before);
            EXPECT_EQ(Main()->Doc.Modified, 0);
            Trigger("tbPointTo");
        }
    }

    // Opens the user-menu mode on a user menu of one screen holding a rectangle (drawn on the start-up
    // screen of the project open now, which the user menu closes).
    void OpenUserMenu()
    {
        Trigger("MmStartPg");
        Drive(Main()->Screens->FirstPage());
        ASSERT_NE(DrawWith("TbRect", At(2, 2), At(20, 20)), nullptr);
        Main()->Screens->FirstPage()->PgDataSave();
        Drive(nullptr);
        ProjectDoc doc;
        doc.MachineId = Main()->Doc.MachineId;
        doc.ImagePgDataList.push_back(std::make_unique<PgDataStr>());
        doc.ImagePgDataList.back()->Data = Main()->Doc.StartScreenData->Data;
        const Bytes file = EncodeUserMenuFile(doc, UserMenuPort{});
        const std::string path = UserMenuPath(Main()->Doc.AppDir, 0);
        QDir().mkpath(QString::fromStdString(path.substr(0, path.rfind('/'))));
        ASSERT_TRUE(WriteFileAtomic(path, std::string(file.begin(), file.end()), nullptr));
        Main()->Doc.Modified = 0;
        Trigger("LX041");
        QApplication::processEvents();
        ASSERT_EQ(Main()->View.EditMode, kes::Editing::UserMenu);
        ASSERT_EQ(Main()->ImageWinList.size(), 1u);
        Drive(Main()->Screens->ImagePage());
    }
};

TEST_F(EditModesTest, EachModeOffersItsToolsAndCommandsAndOnlyThoseDraw)
{
    NewProject();
    {
        SCOPED_TRACE("page editing");
        ExpectCommands(Editing::Pages);
        ExpectDrawing(Editing::Pages);
    }
    Trigger("MmStartPg");
    Drive(Main()->Screens->FirstPage());
    QApplication::processEvents();
    ASSERT_EQ(Main()->View.EditMode, kes::Editing::StartScreen);
    for (const char* when : {"as opened", "after the main window's refresh"}) {
        SCOPED_TRACE(std::string("start-up screen, ") + when);
        ExpectCommands(Editing::StartScreen);
        ExpectDrawing(Editing::StartScreen);
        Main()->FormActivate();
    }
    Trigger("MmLxe");
    Drive(nullptr);
    {
        SCOPED_TRACE("page editing again");
        ASSERT_EQ(Main()->View.EditMode, kes::Editing::Pages);
        ExpectCommands(Editing::Pages);
    }
    OpenUserMenu();
    for (const char* when : {"as opened", "after the main window's refresh"}) {
        SCOPED_TRACE(std::string("user-menu screen, ") + when);
        ExpectCommands(Editing::UserMenu);
        ExpectDrawing(Editing::UserMenu);
        Main()->FormActivate();
    }
    // Dragging the screen's object with the pointer moves nothing and changes no project.
    TEditPage& menu = Driven();
    ASSERT_EQ(menu.Data().ObjList.size(), 1u);
    const int left = menu.Data().ObjList[0]->Left;
    Main()->Doc.Modified = 0;
    Drag(At(2, 4), At(12, 14));
    EXPECT_EQ(menu.Data().ObjList[0]->Left, left);
    EXPECT_EQ(Main()->Doc.Modified, 0);
}

} // namespace
} // namespace kes::test
