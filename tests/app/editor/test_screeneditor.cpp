// The start-up screen editor works as the page window does, on its own data: it draws only
// static texts, static pictures and figures, keeps its objects while the pages are edited,
// stores them as a bare object-record stream that reads back to the same bytes, and a walk
// over a hostile stream ends without hanging or reading past it. A right click drops the
// points of a polyline in progress. A user-menu screen is shown, not edited, and does not close.
// A stored screen that reads only in part says so when it opens and keeps its unread bytes
// until the screen is changed. The screen's popup shows the editing items of the page's popup,
// in the same order, and none of the page's settings.
#include "editortest.h"

#include "app/editor/pageeditor.h"
#include "app/editor/screeneditor.h"
#include "app/editor/timagepage.h"
#include "app/inspector/tdlgprop.h"
#include "app/project/pgread.h"
#include "app/project/ui/tlxtype.h"
#include "app/ui/msgtable.h"
#include "objects/tgeom.h"

#include <QAction>
#include <QApplication>
#include <QMdiSubWindow>
#include <QMenu>

#include <string>
#include <vector>

namespace kes::test {
namespace {

class ScreenEditorTest : public EditorTest {
protected:
    // A new project with the start-up screen window open and driven.
    void OpenStartScreen()
    {
        NewProject();
        Trigger("MmStartPg");
        ASSERT_NE(Main()->Screens->FirstPage(), nullptr);
        Drive(Main()->Screens->FirstPage());
        QApplication::processEvents();
    }
    void TearDown() override
    {
        Drive(nullptr);
        EditorTest::TearDown();
    }
    TImagePage& Screen() const { return *Main()->Screens->FirstPage(); }
    Bytes Stored()
    {
        Screen().PgDataSave();
        return Main()->Doc.StartScreenData->Data;
    }
};

// The item names of a popup in order, "-" for a separator.
std::vector<std::string> PopupNames(const QMenu& menu)
{
    std::vector<std::string> names;
    for (const QAction* a : menu.actions())
        names.push_back(a->isSeparator() ? "-" : a->objectName().toStdString());
    return names;
}

TEST_F(ScreenEditorTest, EachWindowShowsItsOwnPopupItems)
{
    OpenStartScreen();
    ASSERT_NE(CurPage(), nullptr);
    const std::vector<std::string> edit = {"PopDel",   "PopCut",   "PopCopy",  "PopPaste",   "MmMultiCopy",
                                           "MmMoveUp", "MmMoveDn", "MmMovTop", "MmMovbutton"};
    std::vector<std::string> page = {"PopUndo", "PopRedo", "-", "PopSelAll", "MmCopyAll", "MmPasteAll", "-"};
    page.insert(page.end(), edit.begin(), edit.end());
    for (const char* n :
         {"-", "PopPgJump", "PopFunKeySet", "PopBuzzerSet", "PopLedSet", "ChkHideSet", "PopPgPageWriteSet"})
        page.push_back(n);
    std::vector<std::string> screen = {"PopUndo", "PopRedo", "-", "PopSelAll", "-"};
    screen.insert(screen.end(), edit.begin(), edit.end());
    EXPECT_EQ(PopupNames(*CurPage()->PgPopMm()), page);
    EXPECT_EQ(PopupNames(*Screen().PgPopMm()), screen);
    // The lamp item tells itself from the buzzer by its tag; the page settings show a mark.
    EXPECT_EQ(CurPage()->Pop("PopLedSet")->property("Tag").toInt(), 1);
    EXPECT_EQ(CurPage()->Pop("PopBuzzerSet")->property("Tag").toInt(), 0);
    for (const char* n : {"PopPgJump", "PopFunKeySet", "PopBuzzerSet", "PopLedSet", "ChkHideSet", "PopPgPageWriteSet"})
        EXPECT_TRUE(CurPage()->Pop(n)->isCheckable()) << n;
    EXPECT_FALSE(Screen().Pop("PopUndo")->isCheckable());
}

TEST_F(ScreenEditorTest, StartScreenEditingDrawsSelectsMovesAndUndoes)
{
    OpenStartScreen();
    EXPECT_EQ(Main()->View.EditMode, kes::Editing::StartScreen);
    EXPECT_EQ(Main()->Screens->ImagePage(), Main()->Screens->FirstPage());
    EXPECT_FALSE(Page().Live()) << "the page being edited is stored and frozen";

    TLxObj* text = DrawWith("TbStTxt", At(2, 2), At(30, 12));
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(IsKind(*text, ObjKind::StTxt));
    ASSERT_NE(DrawWith("TbRect", At(40, 2), At(70, 20)), nullptr);
    // A kind the screen does not hold is never made, whatever tool is set.
    Screen().ChooseTool(static_cast<std::int16_t>(KindCode(ObjKind::LxVal)), Screen().ToolSubType());
    EXPECT_EQ(DrawChosen(At(80, 30), At(100, 40), false), nullptr);
    EXPECT_EQ(Screen().Data().ObjList.size(), 2u);

    Trigger("tbPointTo");
    const Bytes before = Stored();
    const int left = text->Left;
    Drag(At(4, 4), At(14, 24));
    EXPECT_EQ(text->Left, left + 10 * StepX());
    EXPECT_NE(Stored(), before);
    EXPECT_TRUE(Main()->Doc.Modified);
    Trigger("TbUndo");
    EXPECT_EQ(Stored(), before) << "undo gives the screen's bytes back";

    // Back to the pages and again: the screen's objects stayed.
    Trigger("MmLxe");
    EXPECT_EQ(Main()->View.EditMode, kes::Editing::Pages);
    EXPECT_TRUE(Page().Live());
    Trigger("MmStartPg");
    EXPECT_EQ(Main()->View.EditMode, kes::Editing::StartScreen);
    EXPECT_EQ(Screen().Data().ObjList.size(), 2u);
}

TEST_F(ScreenEditorTest, EveryKindOfTheScreenReadsBackToTheSameBytes)
{
    OpenStartScreen();
    ASSERT_NE(DrawWith("TbStTxt", At(2, 2), At(30, 12)), nullptr);
    ASSERT_NE(DrawWith("TbStBmp", At(40, 2), At(42, 3)), nullptr);
    ASSERT_NE(DrawWith("TbRect", At(2, 30), At(30, 50)), nullptr);
    ASSERT_NE(DrawWith("TbCir", At(40, 30), At(60, 50)), nullptr);
    ASSERT_NE(DrawWith("TbPoly", At(70, 30), At(90, 55)), nullptr);
    const TLxObj& bmp = *Screen().Data().ObjList[1];
    EXPECT_GE(bmp.Picture.Width(), 4) << "a small static picture is drawn at least 4 x 4";
    const Bytes stored = Stored();
    ASSERT_FALSE(stored.empty());

    // Closing stores the modified screen; opening again decodes it into the same bytes.
    Main()->Doc.Modified = 1;
    Main()->Screens->FirstPage()->SubWindow()->close();
    QApplication::processEvents();
    EXPECT_EQ(Main()->Screens->FirstPage(), nullptr);
    EXPECT_EQ(Main()->Doc.StartScreenData->Data, stored);
    Trigger("MmStartPg");
    Drive(Main()->Screens->FirstPage());
    ASSERT_EQ(Screen().Data().ObjList.size(), 5u);
    EXPECT_EQ(Stored(), stored);
    // The project writer stores the window through the document.
    Main()->Doc.StartScreenData->Data.clear();
    Main()->Doc.StoreStartScreen();
    EXPECT_EQ(Main()->Doc.StartScreenData->Data, stored);
}

TEST_F(ScreenEditorTest, AHostileStreamIsWalkedWithoutHangingOrOverreading)
{
    OpenStartScreen();
    ASSERT_NE(DrawWith("TbRect", At(2, 2), At(20, 20)), nullptr);
    const Bytes rect = Stored();
    struct Case {
        const char* name;
        Bytes data;
        std::size_t objects;
    };
    // A record of a kind the screen does not make, and one past the kinds, are stepped over
    // by their length; a length below the head, or past the end, ends the walk.
    Bytes foreign = {0x00, 0x02, 0x00, 0x06, 0xAA, 0xBB};
    Bytes beyond = {0x00, 0x17, 0x00, 0x05, 0x01};
    Bytes zero = {0x00, 0x01, 0x00, 0x00};
    Bytes pastEnd = rect;
    pastEnd[3] = static_cast<std::uint8_t>(pastEnd[3] + 1);
    const auto cat = [](std::initializer_list<Bytes> parts) {
        Bytes out;
        for (const Bytes& p : parts)
            out.insert(out.end(), p.begin(), p.end());
        return out;
    };
    const Case cases[] = {
        {"foreign kind first", cat({foreign, rect}), 1},
        {"kind 23 between", cat({rect, beyond, rect}), 2},
        {"zero length", cat({rect, zero, rect}), 1},
        {"length past the end", pastEnd, 0},
        {"odd byte", Bytes{0x00}, 0},
    };
    for (const Case& c : cases) {
        TImagePage page(Main()->PageEd->Host(), -1);
        page.PgDataToObj(c.data, 0, c.data.size());
        EXPECT_EQ(page.Data().ObjList.size(), c.objects) << c.name;
    }
}

TEST_F(ScreenEditorTest, AScreenThatReadsInPartSaysSoAndKeepsItsUnreadBytesUntilChanged)
{
    OpenStartScreen();
    ASSERT_NE(DrawWith("TbRect", At(2, 2), At(20, 20)), nullptr);
    ASSERT_NE(DrawWith("TbRect", At(30, 2), At(50, 20)), nullptr);
    Bytes stored = Stored();
    // The second record cut: its head says more bytes than the stream holds.
    stored.resize(stored.size() - 10);
    Drive(nullptr);
    delete Main()->Screens->FirstPage();
    Main()->Doc.StartScreenData->Data = stored;
    prompt.shown.clear();
    Trigger("MmStartPg");
    ASSERT_NE(Main()->Screens->FirstPage(), nullptr);
    Drive(Main()->Screens->FirstPage());
    EXPECT_EQ(Screen().Data().ObjList.size(), 1u);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_TRUE(prompt.shown[0].startsWith(Msg(942))) << prompt.shown[0].toStdString();

    // Stored unchanged (a save does so), the record keeps every byte.
    Main()->Doc.StoreStartScreen();
    EXPECT_EQ(Main()->Doc.StartScreenData->Data, stored);
    // Changed, the screen is what the window shows.
    ASSERT_NE(DrawWith("TbRect", At(60, 2), At(70, 20)), nullptr);
    Main()->Doc.StoreStartScreen();
    EXPECT_NE(Main()->Doc.StartScreenData->Data, stored);
    ASSERT_EQ(Screen().Data().ObjList.size(), 2u);
    TImagePage again(Main()->PageEd->Host(), -1);
    EXPECT_TRUE(again.PgDataToObj(Main()->Doc.StartScreenData->Data, 0, Main()->Doc.StartScreenData->Data.size()).Ok());
    EXPECT_EQ(again.Data().ObjList.size(), 2u);
}

TEST_F(ScreenEditorTest, ARightClickDropsThePolylinePoints)
{
    OpenStartScreen();
    Main()->Action("TbPoly")->trigger();
    Click(At(10, 10));
    Click(At(30, 10));
    ASSERT_EQ(Screen().PolyPtCount(), 2);
    Press(At(40, 20), {}, Qt::RightButton);
    Release(At(40, 20), {}, Qt::RightButton);
    EXPECT_EQ(Screen().PolyPtCount(), 0);
    EXPECT_TRUE(Screen().Data().ObjList.empty());
}

TEST_F(ScreenEditorTest, TheBandPictureHoldsTheScreenTopRowFirst)
{
    OpenStartScreen();
    TLxObj* rect = DrawWith("TbRect", At(0, 0), At(10, 12));
    ASSERT_NE(rect, nullptr);
    const Bytes picture = Screen().BandPicture();
    const int w = Main()->LxType->PanelWidth;
    ASSERT_EQ(picture.size(), static_cast<std::size_t>(w * ((Main()->LxType->PanelHeight + 7) / 8)));
    // Column 0 is the rectangle's left side: black in the whole first band; column 5 has
    // only the top edge in it.
    EXPECT_EQ(picture[0], 0xFF);
    EXPECT_EQ(picture[5], 0x01);
    EXPECT_EQ(picture[static_cast<std::size_t>(w - 1)], 0x00);
}

TEST_F(ScreenEditorTest, AUserMenuScreenIsShownNotEditedAndStaysOpen)
{
    OpenStartScreen();
    ASSERT_NE(DrawWith("TbRect", At(2, 2), At(20, 20)), nullptr);
    const Bytes screen = Stored();
    Main()->Screens->FirstPage()->SubWindow()->close();
    QApplication::processEvents();
    Main()->Doc.ImagePgDataList.push_back(std::make_unique<PgDataStr>());
    Main()->Doc.ImagePgDataList.back()->Data = screen;
    TImagePage* menu = Main()->Screens->AddMenuScreen(0, QStringLiteral("Menu-0"));
    Main()->Screens->Show(menu);
    Drive(menu);
    EXPECT_EQ(Main()->View.EditMode, kes::Editing::UserMenu);
    ASSERT_EQ(menu->Data().ObjList.size(), 1u);
    const int left = menu->Data().ObjList[0]->Left;
    Trigger("tbPointTo");
    Drag(At(4, 4), At(14, 14));
    EXPECT_EQ(menu->Data().ObjList[0]->Left, left) << "nothing moves";
    for (const char* n : {"TbDel", "TbCut", "TbCopy", "TbPaste", "TbUndo", "MmMultiCopy"})
        EXPECT_FALSE(Main()->Action(n)->isEnabled()) << n;
    menu->SubWindow()->close();
    QApplication::processEvents();
    ASSERT_EQ(Main()->ImageWinList.size(), 1u) << "the window minimises instead";
    EXPECT_TRUE(menu->SubWindow()->isMinimized());
}

TEST_F(ScreenEditorTest, TheInspectorShowsTheScreensObject)
{
    OpenStartScreen();
    if (!Main()->Action("MmObjInspector")->isChecked())
        Trigger("MmObjInspector");
    ASSERT_NE(Main()->Inspector(), nullptr);
    TLxObj* text = DrawWith("TbStTxt", At(2, 2), At(30, 12));
    ASSERT_NE(text, nullptr);
    Trigger("tbPointTo");
    Click(At(3, 3));
    EXPECT_EQ(Screen().Data().CurObj, text);
    EXPECT_EQ(Main()->Inspector()->ShownObj, text);
}

} // namespace
} // namespace kes::test
