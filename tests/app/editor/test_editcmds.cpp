// Objects and whole pages travel between pages through the clipboard unchanged: pasted
// objects carry the records they were copied with, and a page pasted whole stores the bytes
// of the page it was copied from. A block that does not hold what its count says (cut
// short, a lying count, another program's data under the format name) is refused and leaves
// the page, its history and the project untouched. Deleting frees the function keys the
// deleted objects held, cut is one undo step, and a paste that would not fit the panel
// memory adds nothing.
#include "editortest.h"

#include "app/editor/editclip.h"
#include "app/project/memimage.h"
#include "app/project/ui/tlxtype.h"
#include "app/ui/msgtable.h"
#include "objects/tlxbtn.h"
#include "objects/tlxgetval.h"
#include "platform/codepage.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTest>

#include <functional>

namespace kes::test {
namespace {

class EditCmdTest : public EditorTest {
protected:
    // The records the memory encoder writes for objs (no page records).
    Bytes RecordsOf(TObjList objs)
    {
        Bytes out;
        const int n = PgDataChx(Page().Data(), out, 0, 2, &objs, Page().EncodeEnv());
        out.resize(static_cast<std::size_t>(n));
        return out;
    }
    Bytes Clipboard(const QString& format) const
    {
        const QMimeData* data = QApplication::clipboard()->mimeData();
        if (!data || !data->hasFormat(format))
            return {};
        const QByteArray b = data->data(format);
        return Bytes(b.begin(), b.end());
    }
    static void PutOnClipboard(const QString& format, const Bytes& block)
    {
        auto* data = new QMimeData;
        data->setData(format,
                      QByteArray(reinterpret_cast<const char*>(block.data()), static_cast<qsizetype>(block.size())));
        QApplication::clipboard()->setMimeData(data);
    }
    // Three objects of different kinds on the current page, the last one selected.
    void ThreeObjects()
    {
        ASSERT_NE(DrawWith("TbVal", At(2, 2), At(30, 12)), nullptr);
        ASSERT_NE(DrawWith("TbStTxt", At(40, 2), At(60, 12)), nullptr);
        ASSERT_NE(DrawWith("TbBtn", At(70, 20), At(100, 40)), nullptr);
        Trigger("tbPointTo");
    }
    // Settings of every kind in use on the current page, with addresses the controller has.
    void EverySetting()
    {
        THmPage& p = Page();
        PgJmpRec* jump = p.Data().AddPgJump(Main()->Doc);
        jump->Ref.DevAddrCode = Main()->LxType->DefBitCode;
        jump->TargetPage = 1;
        p.Data().PgHide.Hide = 1;
        p.Data().PgNumWrite.Ref.DevAddrCode = Main()->LxType->DefWordCode;
        p.Data().PgSysRecs[0].Ref.DevAddrCode = Main()->LxType->DefBitCode;
        p.Data().PgFunKeys[2].ButtonType = kes::BtnType::SetOn;
        p.Data().PgFunKeys[2].Write.DevAddrCode = Main()->LxType->DefBitCode;
        p.Data().PgFunKeyUsed[2] = 1;
        Main()->Doc.Modified = 1;
    }
    THmPage* NewPage()
    {
        Trigger("TbAddPg");
        return CurPage();
    }
};

TEST_F(EditCmdTest, ObjectsCopiedOnOnePagePasteOnAnotherWithTheirRecords)
{
    NewProject();
    ASSERT_NO_FATAL_FAILURE(ThreeObjects());
    Trigger("MmSelAll");
    const TObjList copied = Page().Data().SelList;
    const Bytes records = RecordsOf(copied);
    const std::string where = ObjectsText();
    Trigger("MmCopy");
    EXPECT_EQ(Clipboard(Main()->ClipFmtObjects), MakeClipBlock(records));

    NewPage();
    ASSERT_TRUE(Page().Data().ObjList.empty());
    Trigger("MmPaste");
    ASSERT_EQ(Page().Data().ObjList.size(), 3u);
    EXPECT_EQ(RecordsOf(Page().Data().SelList), records) << "the same object records";
    EXPECT_EQ(ObjectsText(), where) << "at the places they were copied from";
    EXPECT_EQ(Page().Data().SelList, Page().Data().ObjList) << "the pasted objects are the selection";
    for (const TLxObj* o : Page().Data().ObjList)
        EXPECT_TRUE(o->Selected);
    EXPECT_EQ(Page().UndoList().size(), 1u);
    EXPECT_EQ(Main()->Doc.Modified, 1);

    // Pasted again: a second set on top, now the selection.
    Trigger("MmPaste");
    ASSERT_EQ(Page().Data().ObjList.size(), 6u);
    EXPECT_EQ(Page().Data().SelList, TObjList(Page().Data().ObjList.begin() + 3, Page().Data().ObjList.end()));
    EXPECT_FALSE(Page().Data().ObjList[0]->Selected);

    // Copying nothing puts the count alone.
    Click(At(150, 60));
    Page().PopCopyClick();
    EXPECT_EQ(Clipboard(Main()->ClipFmtObjects), (Bytes{0, 0, 0, 0}));
}

TEST_F(EditCmdTest, DeleteFreesKeysCutIsOneStepAndTheDotDeletes)
{
    NewProject();
    auto* b1 = dynamic_cast<TLxBtn*>(DrawWith("TbBtn", At(2, 2), At(30, 20)));
    auto* b2 = dynamic_cast<TLxBtn*>(DrawWith("TbBtn", At(40, 2), At(70, 20)));
    ASSERT_TRUE(b1 && b2);
    b1->RefKey = 3;
    b2->RefKey = 5;
    Page().Data().RecountBtnKeys();
    Trigger("tbPointTo");

    Click(At(5, 5));
    Trigger("MmDel");
    EXPECT_EQ(Page().Data().ObjList, TObjList{b2});
    EXPECT_EQ(Page().Data().ObjFunKeyUsed[3], 0) << "F3 is free for other objects";
    EXPECT_EQ(Page().Data().ObjFunKeyUsed[5], 1);
    EXPECT_TRUE(Page().Data().SelList.empty());

    Click(At(45, 5));
    const Bytes before = StoredPage();
    const std::size_t steps = Page().UndoList().size();
    Trigger("MmCut");
    EXPECT_TRUE(Page().Data().ObjList.empty());
    EXPECT_EQ(Page().Data().ObjFunKeyUsed[5], 0);
    EXPECT_EQ(Page().UndoList().size(), steps + 1) << "cut records one step";
    EXPECT_FALSE(Clipboard(Main()->ClipFmtObjects).empty());
    Trigger("MmUndo");
    EXPECT_EQ(StoredPage(), before);
    EXPECT_EQ(Page().Data().ObjFunKeyUsed[5], 1) << "the restored button holds its key again";

    // "." typed on the page deletes the selection.
    Click(At(45, 5));
    ASSERT_EQ(Page().Data().SelList.size(), 1u);
    QTest::keyClick(Canvas(), '.');
    EXPECT_TRUE(Page().Data().ObjList.empty());
}

// The status bar's object panel tells of the object selected; once none is, it is empty and the
// commands on a selection are off, however the selection ended (a transfer lets it go too).
TEST_F(EditCmdTest, TheObjectPanelOfTheStatusBarEndsWithTheSelection)
{
    NewProject();
    const struct {
        const char* name;
        std::function<void()> end;
    } cases[] = {
        {"deleted", [this] { Trigger("MmDel"); }},
        {"deleted by its key", [this] { QTest::keyClick(Canvas(), Qt::Key_Delete); }},
        {"cut", [this] { Trigger("MmCut"); }},
        {"drawn no more (undone)", [this] { Trigger("MmUndo"); }},
        {"left by a click beside it", [this] { Click(At(150, 60)); }},
        {"let go for a download", [this] { Trigger("MmComWrt"); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NE(DrawWith("TbRect", At(2, 2), At(30, 20)), nullptr);
        Trigger("tbPointTo");
        Click(At(5, 5));
        ASSERT_EQ(Page().Data().SelList.size(), 1u);
        EXPECT_FALSE(Main()->StatusText(1).isEmpty());
        c.end();
        EXPECT_TRUE(Page().Data().SelList.empty());
        EXPECT_EQ(Main()->StatusText(1).toStdString(), "");
        // Nor do the commands on a selection stay offered.
        EXPECT_FALSE(Main()->Action("MmCopy")->isEnabled());
        EXPECT_FALSE(Main()->Action("MmDel")->isEnabled());
        Page().ClearPageObjs();
    }
}

TEST_F(EditCmdTest, AWholePageCopiedAndPastedStoresTheSameBytes)
{
    NewProject();
    ASSERT_NO_FATAL_FAILURE(ThreeObjects());
    EverySetting();
    const Bytes source = StoredPage();
    Click(At(150, 60)); // a whole page is copied with nothing selected
    Trigger("MmCopyAll");
    EXPECT_EQ(Clipboard(Main()->ClipFmtPage), MakeClipBlock(source));
    EXPECT_TRUE(Clipboard(Main()->ClipFmtObjects).empty()) << "the page block replaces the clipboard";

    // Into an empty page: no question.
    NewPage();
    Page().PgSetMenuChecks();
    Trigger("MmPasteAll");
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_EQ(StoredPage(), source);
    EXPECT_EQ(Page().UndoList().size(), 1u);
    EXPECT_EQ(Page().Data().PgHide.Hide, 1);
    EXPECT_TRUE(Main()->Action("MmHide")->isChecked()) << "the page is shown with its settings";

    // Into a page that holds something: asked; No keeps it, Yes replaces it.
    prompt.answers = {Answer::No};
    Page().MmPasteAllClick();
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0], Msg(205));
    EXPECT_EQ(StoredPage(), source);
    EXPECT_EQ(Page().UndoList().size(), 1u) << "nothing pasted, no step";
    prompt.answers = {Answer::Yes};
    Page().MmPasteAllClick();
    EXPECT_EQ(StoredPage(), source) << "replaced, not added to";
    EXPECT_EQ(Page().UndoList().size(), 2u);
    Trigger("MmUndo");
    EXPECT_EQ(StoredPage(), source);
}

TEST_F(EditCmdTest, PageSettingsAloneMakeThePasteAskAndYesReplacesThem)
{
    NewProject();
    Page().Data().AddPgJump(Main()->Doc)->TargetPage = 7;
    Page().Data().AddPgJump(Main()->Doc)->TargetPage = 8;
    Trigger("MmCopyAll");

    NewPage();
    Page().Data().AddPgJump(Main()->Doc)->TargetPage = 3;
    // The menus' check marks were not refreshed since: the page itself says it is in use.
    ASSERT_FALSE(Main()->Action("MmPgJump")->isChecked());
    prompt.answers = {Answer::Yes};
    Trigger("MmPasteAll");
    EXPECT_EQ(prompt.shown.size(), 1u);
    ASSERT_EQ(Page().Data().PgJmpList.size(), 2u) << "the old jump is gone";
    EXPECT_EQ(Page().Data().PgJmpList[0].TargetPage, 7);
    EXPECT_EQ(Page().Data().PgJmpList[1].TargetPage, 8);
}

TEST_F(EditCmdTest, MalformedBlocksAreRefusedAndChangeNothing)
{
    NewProject();
    ASSERT_NO_FATAL_FAILURE(ThreeObjects());
    EverySetting();
    Main()->Doc.Modified = 0;
    const Bytes page = StoredPage();
    const std::size_t steps = Page().UndoList().size();

    Bytes overlong(4 + 14);
    PutU32le(overlong, 0, 14);
    PutU16be(overlong, 4, 2);
    PutU16be(overlong, 6, 200); // claims 200 bytes, 14 are there
    Bytes shortObject(4 + 8);
    PutU32le(shortObject, 0, 8);
    PutU16be(shortObject, 4, 2);
    PutU16be(shortObject, 6, 8); // a value display of its record head alone
    Bytes lyingCount = MakeClipBlock(page);
    PutU32le(lyingCount, 0, static_cast<std::uint32_t>(page.size() + 100));
    Bytes cutShort = MakeClipBlock(page);
    cutShort.resize(cutShort.size() - 3);
    const std::string foreign = "<html><body>copied text</body></html>";
    const struct {
        const char* name;
        Bytes block;
    } cases[] = {
        {"truncated count", {7, 0}},
        {"lying count", lyingCount},
        {"block cut short", cutShort},
        {"record past the end", overlong},
        {"object shorter than its header", shortObject},
        {"foreign data", Bytes(foreign.begin(), foreign.end())},
    };
    for (const auto& c : cases) {
        for (const bool whole : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (whole ? " as a page" : " as objects"));
            PutOnClipboard(whole ? Main()->ClipFmtPage : Main()->ClipFmtObjects, c.block);
            // Were the page's "replace?" asked, Yes would clear it: the block is checked first.
            prompt.answers = {Answer::Yes};
            prompt.shown.clear();
            if (whole)
                Page().MmPasteAllClick();
            else
                Page().PopPasteClick();
            EXPECT_EQ(Page().Data().ObjList.size(), 3u);
            EXPECT_EQ(Page().UndoList().size(), steps);
            if (whole) {
                ASSERT_EQ(prompt.shown.size(), 1u) << "a message, no question";
                EXPECT_TRUE(prompt.shown[0].startsWith(Msg(489))) << prompt.shown[0].toStdString();
            } else {
                EXPECT_TRUE(prompt.shown.empty()) << "nothing asked";
            }
            EXPECT_EQ(StoredPage(), page);
            EXPECT_EQ(Page().Data().Pasting, 0);
            if (!whole) {
                EXPECT_EQ(Main()->Doc.Modified, 0);
            }
            Main()->Doc.Modified = 0;
        }
    }
}

TEST_F(EditCmdTest, PastesThatPassThePanelMemoryAddNothing)
{
    NewProject();
    ASSERT_NO_FATAL_FAILURE(ThreeObjects());
    const Bytes objects = MakeClipBlock(RecordsOf(Page().Data().ObjList));
    Click(At(150, 60));
    Page().MmCopyAllClick();
    ASSERT_FALSE(Clipboard(Main()->ClipFmtPage).empty());

    NewPage();
    // The object data area holds the header and the pages stored so far, and a few bytes more.
    std::int64_t used = BuildHeaderImage(Main()->Doc);
    for (const auto& rec : Main()->Doc.PgDataList)
        used += static_cast<std::int64_t>(rec->Data.size());
    Main()->Doc.ObjDataAddrEnd = Main()->Doc.ObjDataAddr + static_cast<std::int32_t>(used) + 10;
    for (const bool whole : {true, false}) {
        SCOPED_TRACE(whole ? "page" : "objects");
        prompt.shown.clear();
        if (whole) {
            Page().MmPasteAllClick();
        } else {
            PutOnClipboard(Main()->ClipFmtObjects, objects);
            Page().PopPasteClick();
        }
        EXPECT_TRUE(Page().Data().ObjList.empty());
        EXPECT_TRUE(Page().UndoList().empty()) << "a refused paste records no step";
        ASSERT_EQ(prompt.shown.size(), 1u);
        EXPECT_EQ(prompt.shown[0], Msg(26));
    }
}

TEST_F(EditCmdTest, PastedObjectsAreFittedToTheirNewPage)
{
    NewProject();
    auto* entry = dynamic_cast<TLxGetVal*>(DrawWith("TbInputVal", At(2, 2), At(30, 12)));
    auto* btn = dynamic_cast<TLxBtn*>(DrawWith("TbBtn", At(40, 2), At(70, 20)));
    ASSERT_TRUE(entry && btn);
    entry->RefKey = 1;
    entry->UserLevel = 255;
    btn->BtnType = kes::BtnType::SetOn;
    btn->UserLevel = 255;
    Trigger("MmSelAll");
    Trigger("MmCopy");

    // The new page has a button of its own on F1.
    NewPage();
    auto* own = dynamic_cast<TLxBtn*>(DrawWith("TbBtn", At(100, 40), At(120, 60)));
    ASSERT_NE(own, nullptr);
    own->RefKey = 1;
    Page().Data().RecountBtnKeys();
    Trigger("MmPaste");
    ASSERT_EQ(Page().Data().ObjList.size(), 3u);
    auto* pastedEntry = dynamic_cast<TLxGetVal*>(Page().Data().ObjList[1]);
    auto* pastedBtn = dynamic_cast<TLxBtn*>(Page().Data().ObjList[2]);
    ASSERT_TRUE(pastedEntry && pastedBtn);
    EXPECT_EQ(pastedEntry->RefKey, 255) << "F1 is taken on this page";
    EXPECT_EQ(own->RefKey, 1);
    EXPECT_EQ(pastedEntry->UserLevel, 0);
    EXPECT_EQ(pastedBtn->UserLevel, 0);
    EXPECT_EQ(pastedBtn->PrintText, QStringToAnsi(Main()->Action("MmBtn")->text() + "[" + Msg(229) + "]"));
}

// The page popup's shortcuts act on the page that has the keys, Ctrl+Alt+Z (redo) among
// them, which no main-window item carries.
TEST_F(EditCmdTest, ThePopupShortcutsWorkOnThePage)
{
    using Check = std::function<void()>;
    struct Case {
        const char* item;
        QKeyCombination keys;
        Check before; // run on a page with one object, drawn and selected
        Check after;
    };
    const auto none = [this] { EXPECT_TRUE(Page().Data().ObjList.empty()); };
    const auto nothing = [] {};
    const Case cases[] = {
        {"PopUndo", Qt::CTRL | Qt::Key_Z, nothing,
         [this] {
             EXPECT_TRUE(Page().Data().ObjList.empty());
             EXPECT_EQ(Page().RedoList().size(), 1u);
         }},
        {"PopRedo", Qt::CTRL | Qt::ALT | Qt::Key_Z,
         [this] {
             Trigger("MmUndo");
             ASSERT_TRUE(Page().Data().ObjList.empty());
         },
         [this] {
             EXPECT_EQ(Page().Data().ObjList.size(), 1u) << "redone";
             EXPECT_TRUE(Page().RedoList().empty());
         }},
        {"PopDel", QKeyCombination(Qt::Key_Delete), nothing, none},
        {"PopCut", Qt::CTRL | Qt::Key_X, nothing,
         [this] {
             EXPECT_TRUE(Page().Data().ObjList.empty());
             EXPECT_FALSE(Clipboard(Main()->ClipFmtObjects).empty());
         }},
        {"PopCopy", Qt::CTRL | Qt::Key_C, nothing,
         [this] {
             EXPECT_EQ(Page().Data().ObjList.size(), 1u);
             EXPECT_FALSE(Clipboard(Main()->ClipFmtObjects).empty());
         }},
        {"PopPaste", Qt::CTRL | Qt::Key_V, [this] { Trigger("MmCopy"); },
         [this] { EXPECT_EQ(Page().Data().ObjList.size(), 2u); }},
    };
    NewProject();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        QApplication::clipboard()->clear();
        NewPage();
        ASSERT_NE(DrawWith("TbVal", At(2, 2), At(30, 12)), nullptr);
        Trigger("tbPointTo");
        Click(At(5, 5));
        ASSERT_EQ(Page().Data().SelList.size(), 1u);
        EXPECT_EQ(Page().Pop(c.item)->shortcut(), QKeySequence(c.keys)) << "the popup item shows the keys";
        c.before();
        QTest::keyClick(Canvas(), c.keys.key(), c.keys.keyboardModifiers());
        c.after();
    }
}

} // namespace
} // namespace kes::test
