// A record's length field holds at most 65,535 bytes, and an object whose record would be longer
// is left out of any stream it is encoded into. No window may lose one that way: a paste that
// would put such an object on a page or the start-up screen is refused, a copy of one leaves the
// clipboard as it was, an edit that makes one is taken back, the undo history keeps no state it
// would come back from without it, and a store of a window holding one (however it got there)
// keeps the record's earlier bytes. Each ends in a message, and nothing is lost.
#include "pagetest.h"

#include "app/dialogs/objdialogs.h"
#include "app/editor/editclip.h"
#include "app/editor/timagepage.h"
#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"
#include "objects/objlayout.h"
#include "objects/tstbmp.h"
#include "objects/tsttxt.h"
#include "tests/support/standindialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include <algorithm>
#include <functional>
#include <string>

namespace kes::test {
namespace {

constexpr int kMsgRecordTooLong = 946;
constexpr int kMsgNotStored = 947;

// A message text record of 72 bytes (the fuzz finding): two states whose messages, drawn in
// its 255-point font, give pictures past 64 KB when the record is written again.
const Bytes& GrowingRecord()
{
    static const Bytes rec = [] {
        const std::string digits = "000c0048000a00080048000affffffff001d0009000002000101000000000002000000105469"
                                   "6d657302c4204e657720526f6d616e00000000000001008000000e00000000000000";
        Bytes out;
        for (std::size_t i = 0; i + 1 < digits.size(); i += 2)
            out.push_back(static_cast<std::uint8_t>(std::stoi(digits.substr(i, 2), nullptr, 16)));
        return out;
    }();
    return rec;
}

// A static text of 64,000 characters stored with a one-pixel picture in a box of 200 x 64
// panel pixels: written again, its picture takes the box and the record passes 64 KB.
Bytes GrowingTextRecord()
{
    TStTxt t;
    t.Lines = {std::string(64000, 'x')};
    t.Picture.SetSize(1, 1);
    Bytes rec;
    const TObjList objs{&t};
    PgRecordsChx(rec, 0, kEncMemory, nullptr, objs, RecEncodeEnv{});
    PutU16be(rec, layout::ObjHead::Right, 199);
    PutU16be(rec, layout::ObjHead::Bottom, 63);
    return rec;
}

Bytes OnClipboard(const QString& format)
{
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!data || !data->hasFormat(format))
        return {};
    const QByteArray b = data->data(format);
    return Bytes(b.begin(), b.end());
}

// A static picture larger than any record can hold, put straight into the window's data.
TLxObj* AddTooLong(TEditPage& w)
{
    auto big = std::make_unique<TStBmp>();
    big->Picture.SetSize(600, 1000); // 75,000 band bytes
    return w.Data().AppendObj(std::move(big));
}

class TooLongTest : public PageTest {
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        LoadMessageTable(0);
        NewProject();
        host.doc.StartScreenData = std::make_unique<PgDataStr>();
    }
    // What a window holds and remembers, to compare before and after.
    struct State {
        Bytes objects;
        std::size_t count = 0;
        std::size_t undo = 0;
        std::size_t redo = 0;
        bool operator==(const State&) const = default;
    };
    static State StateOf(TEditPage& w)
    {
        return {w.UndoSnapshot().Data, w.Data().ObjList.size(), w.UndoList().size(), w.RedoList().size()};
    }
    bool Said(const QString& text) const
    {
        return std::find(prompt.shown.begin(), prompt.shown.end(), text) != prompt.shown.end();
    }
    ScriptedPrompt& prompt = host.prompt;
};

TEST_F(TooLongTest, APasteThatWouldHoldAnObjectTooLongToStoreIsRefused)
{
    struct Case {
        const char* name;
        bool screen;
        bool wholePage;
        Bytes record;
    };
    const Case cases[] = {{"message text objects onto a page", false, false, GrowingRecord()},
                          {"a whole page of a message text", false, true, GrowingRecord()},
                          {"static text objects onto a page", false, false, GrowingTextRecord()},
                          {"static text objects onto the start-up screen", true, false, GrowingTextRecord()}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        prompt.shown.clear();
        TImagePage screen(host, -1);
        host.view.EditMode = c.screen ? Editing::StartScreen : Editing::Pages;
        TEditPage& w = c.screen ? static_cast<TEditPage&>(screen) : Page();
        // Something on the window and one step in its history.
        w.UndoPush();
        auto txt = std::make_unique<TStTxt>();
        txt->Lines = {"kept"};
        w.Data().AppendObj(std::move(txt));
        const State before = StateOf(w);

        PutOnClipboard(c.wholePage ? host.ClipFmtPage() : host.ClipFmtObjects(), MakeClipBlock(c.record));
        if (c.screen)
            screen.PopPasteClick();
        else if (c.wholePage)
            Page().MmPasteAllClick();
        else
            Page().PopPasteClick();

        EXPECT_TRUE(Said(Msg(kMsgRecordTooLong)));
        EXPECT_TRUE(StateOf(w) == before) << "the window and its history stay as they were";
        w.ClearPageObjs();
    }
}

TEST_F(TooLongTest, AStoreOfAWindowHoldingAnObjectTooLongToStoreKeepsItsRecord)
{
    for (const bool onScreen : {false, true}) {
        SCOPED_TRACE(onScreen ? "start-up screen" : "page");
        prompt.shown.clear();
        TImagePage screen(host, -1);
        host.view.EditMode = onScreen ? Editing::StartScreen : Editing::Pages;
        TEditPage& w = onScreen ? static_cast<TEditPage&>(screen) : Page();
        const auto store = [&] { return onScreen ? screen.PgDataSave() : Page().PgDataSave(); };
        const Bytes& record = onScreen ? host.doc.StartScreenData->Data : host.doc.PgDataList[0]->Data;
        auto txt = std::make_unique<TStTxt>();
        txt->Lines = {"kept"};
        w.Data().AppendObj(std::move(txt));
        ASSERT_GT(store(), 0);
        const Bytes earlier = record;

        AddTooLong(w);
        EXPECT_EQ(store(), -1);
        EXPECT_EQ(record, earlier) << "the record keeps its earlier bytes";
        ASSERT_EQ(prompt.shown.size(), 1u) << "told once per store";
        const QString name = w.windowTitle().isEmpty() ? Msg(943) : w.windowTitle();
        EXPECT_EQ(prompt.shown[0], Msg(kMsgNotStored).arg(name)) << "the window is named";
        EXPECT_EQ(w.Data().ObjList.size(), 2u) << "the window keeps what it holds";
        w.ClearPageObjs();
    }
}

// A record read whole whose object writes longer here (a larger picture than it was stored
// with): stored again, changed or not, the window keeps the bytes it read and says why (finding
// out at every read whether each object would still fit would cost a page's activation a
// second encoding).
TEST_F(TooLongTest, AWindowReadFromARecordThatWritesLongerKeepsTheRecordAndSaysSo)
{
    const Bytes record = GrowingTextRecord();
    for (const bool onScreen : {false, true}) {
        SCOPED_TRACE(onScreen ? "start-up screen" : "page");
        prompt.shown.clear();
        TImagePage screen(host, -1);
        host.view.EditMode = onScreen ? Editing::StartScreen : Editing::Pages;
        TEditPage& w = onScreen ? static_cast<TEditPage&>(screen) : Page();
        const auto store = [&] { return onScreen ? screen.PgDataSave() : Page().PgDataSave(); };
        Bytes& stored = onScreen ? host.doc.StartScreenData->Data : host.doc.PgDataList[0]->Data;
        stored = record;
        if (onScreen) {
            ASSERT_TRUE(screen.PgDataToObj(stored, 0, stored.size()).Ok());
        } else {
            Page().ClearPageObjs();
            Page().LoadFromRecord();
        }
        ASSERT_EQ(w.Data().ObjList.size(), 1u);

        EXPECT_EQ(store(), -1);
        EXPECT_EQ(stored, record);
        EXPECT_EQ(prompt.shown.size(), 1u);
        prompt.shown.clear();

        auto txt = std::make_unique<TStTxt>();
        txt->Lines = {"new"};
        w.Data().AppendObj(std::move(txt));
        EXPECT_EQ(store(), -1);
        EXPECT_EQ(stored, record);
        EXPECT_EQ(prompt.shown.size(), 1u);
        w.ClearPageObjs();
    }
}

TEST_F(TooLongTest, ACopyOrMultipleCopyOfAnObjectTooLongToStoreIsRefused)
{
    TLxObj* big = AddTooLong(Page());
    Page().Data().SelList = {big};
    Page().Data().CurObj = big;
    const Bytes held = MakeClipBlock(Bytes{});
    PutOnClipboard(host.ClipFmtObjects(), held);

    const std::pair<const char*, std::function<void()>> commands[] = {
        {"copy", [&] { Page().PopCopyClick(); }},
        {"cut", [&] { Page().PopCutClick(); }},
        {"multiple copy",
         [&] {
             EXPECT_EQ(Page().MultiCopy(MultiCopyPlan{2, 2}), 0);
         }},
    };
    for (const auto& [name, run] : commands) {
        SCOPED_TRACE(name);
        prompt.shown.clear();
        run();
        EXPECT_TRUE(Said(Msg(kMsgRecordTooLong)));
        EXPECT_EQ(OnClipboard(host.ClipFmtObjects()), held) << "the clipboard keeps what it held";
        EXPECT_EQ(Page().Data().ObjList, (TObjList{big})) << "nothing deleted, nothing added";
    }
}

TEST_F(TooLongTest, TheHistoryKeepsNoStateThatWouldComeBackWithoutAnObject)
{
    auto txt = std::make_unique<TStTxt>();
    txt->Lines = {"a"};
    Page().Data().AppendObj(std::move(txt));
    Page().UndoPush(); // a step while every object stores
    AddTooLong(Page());
    Page().UndoPush(); // this state would come back without the picture: not kept
    EXPECT_EQ(Page().UndoList().size(), 1u);

    // Undone, the earlier state comes back; redone, none that lacks the picture.
    Page().UndoStep();
    EXPECT_EQ(Page().Data().ObjList.size(), 1u);
    EXPECT_TRUE(Page().RedoList().empty());
}

// The dialogs, the inspector, the tool panel and the resizes all end in the same check; a
// dialog and a resize stand for them.
TEST_F(TooLongTest, AnEditThatMakesAnObjectTooLongToStoreIsTakenBack)
{
    struct Case {
        const char* name;
        // Makes obj (a static text) just fit: its record at 65,535 bytes, or not at all.
        bool fillToTheLimit;
        std::function<void(TooLongTest&, TLxObj&)> edit;
    };
    const Case cases[] = {
        {"its dialog adds text", false,
         [this](TooLongTest& t, TLxObj& obj) {
             StandInDialogs dialogs;
             dialogs.StandIn(ObjKind::StTxt, [](DialogContext&, TLxObj& o, QWidget*, const QString&) {
                 dynamic_cast<TStTxt&>(o).Lines.assign(3, std::string(30000, 'x'));
                 return true;
             });
             host.dialogs = &dialogs;
             t.Page().ObjDblClick(&obj);
             host.dialogs = nullptr;
         }},
        {"Shift+Right widens its picture", true,
         [](TooLongTest& t, TLxObj& obj) {
             t.Click(QPoint(obj.Left + 1, obj.Top + 1));
             t.Key(Qt::Key_Right, Qt::ShiftModifier);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        prompt.shown.clear();
        TLxObj* obj = Draw(ObjKind::StTxt, At(2, 2), At(40, 17));
        ASSERT_NE(obj, nullptr);
        Pointer();
        auto& txt = dynamic_cast<TStTxt&>(*obj);
        if (c.fillToTheLimit) {
            const auto recordLength = [&] {
                Bytes rec;
                return PgRecordsChx(rec, 0, kEncFile, nullptr, TObjList{obj}, Page().EncodeEnv());
            };
            txt.Lines.emplace_back();
            const int fits = 0xFFFF - recordLength();
            txt.Lines.back() += std::string(static_cast<std::size_t>(fits), 'x');
            ASSERT_EQ(recordLength(), 0xFFFF);
            obj->BmpRePaint();
        }
        const std::vector<std::string> lines = txt.Lines;
        const int width = obj->Width;
        const Bytes before = Page().UndoSnapshot().Data;

        c.edit(*this, *obj);

        EXPECT_TRUE(Said(Msg(kMsgRecordTooLong)));
        ASSERT_EQ(Page().Data().ObjList.size(), 1u);
        const auto& now = dynamic_cast<TStTxt&>(*Page().Data().ObjList[0]);
        EXPECT_EQ(now.Lines, lines);
        EXPECT_EQ(now.Width, width);
        EXPECT_EQ(Page().UndoSnapshot().Data, before) << "the window as it was";
        EXPECT_GT(Page().PgDataSave(), 0) << "the page stores whole";
        Page().ClearPageObjs();
    }
}

} // namespace
} // namespace kes::test
