// The order of a page record stream: hide first, then jumps, keys in key order, buzzer
// and alarm lamp, page-number write, then the objects bottom first; settings that are off
// take no bytes, a selection copy carries no settings, kinds without a record vanish.
// Also the object record header and the font step that runs before a font name is stored.
#include "app/project/pgdataenc.h"
#include "pgrectest.h"

#include <gtest/gtest.h>

namespace kes {
namespace {

using test::Hex;
using test::Tags;
using test::ToHex;
using TagList = std::vector<std::pair<int, int>>;

RecEncodeEnv Env()
{
    RecEncodeEnv env;
    env.MainFont.Name = "Main Face";
    env.MainFont.Size = 9;
    env.FontExists = [](const std::string& name) { return name != "Missing Face"; };
    return env;
}

// Every setting of a page in use; keys set out of their order.
void SetEverything(PageData& page)
{
    page.PgHide.Hide = 1;
    for (std::uint8_t kind : {0x00, 0x10}) {
        PgJmpRec j;
        j.Kind = kind;
        j.Ref.DevAddrCode = 100 + kind;
        page.PgJmpList.push_back(j);
    }
    page.PgFunKeys[12].ButtonType = kes::BtnType::ChangePage;
    page.PgFunKeys[3].ButtonType = kes::BtnType::SetOn;
    page.PgSysRecs[1].Ref.DevAddrCode = 7; // alarm lamp only
    page.PgNumWrite.Ref.DevAddrCode = 8;
}

TEST(PgDataChx, EmptyPageGivesAnEmptyStreamAfterStart)
{
    PageData page;
    Bytes buf = Hex("01 02 03 04 05 06 07");
    EXPECT_EQ(PgDataChx(page, buf, 3, kEncFile, &page.ObjList, Env()), 3);
    EXPECT_EQ(ToHex(buf), "01 02 03"); // the prefix stays, what followed start is replaced
    EXPECT_EQ(page.EncMode, kEncFile);
}

TEST(PgDataChx, WritesSettingsInStreamOrder)
{
    PageData page;
    SetEverything(page);
    Bytes buf;
    const int n = PgDataChx(page, buf, 0, kEncFile, &page.ObjList, Env());
    const TagList expected{{1003, 8}, {1000, 18}, {1000, 22}, {1001, 39}, {1001, 41}, {1002, 21}, {1006, 13}};
    EXPECT_EQ(Tags(buf), expected);
    EXPECT_EQ(n, 8 + 18 + 22 + 39 + 41 + 21 + 13);
    EXPECT_EQ(static_cast<int>(buf.size()), n);
    EXPECT_EQ(buf[8 + 18 + 22 + 33], 3); // key 3 before key 12
    EXPECT_EQ(buf[8 + 18 + 22 + 39 + 33], 12);
    EXPECT_EQ(buf[8 + 18 + 22 + 39 + 41 + 14], 1); // the slot byte of the alarm lamp
}

TEST(PgDataChx, SettingsGoWithWholePagesButNotWithASelectionCopy)
{
    struct Row {
        const char* name;
        int mode;
        int list; // 0 none, 1 ObjList, 2 SelList
        bool settings;
    } rows[] = {
        {"store", kEncFile, 1, true},
        {"undo snapshot", kEncMemory, 1, true},
        {"selection copy", kEncMemory, 2, false},
        {"selection in file mode", kEncFile, 2, true},
        {"no objects", kEncMemory, 0, true},
    };
    for (const Row& r : rows) {
        PageData page;
        SetEverything(page);
        auto* obj = page.AppendObj(std::make_unique<TLxObj>());
        obj->ObjType = 10; // no record of its own: only the settings can show
        page.SelList.push_back(obj);
        const TObjList* list = r.list == 0 ? nullptr : r.list == 1 ? &page.ObjList : &page.SelList;
        Bytes buf;
        const int n = PgDataChx(page, buf, 0, r.mode, list, Env());
        EXPECT_EQ(n > 0, r.settings) << r.name;
        EXPECT_EQ(page.EncMode, r.mode) << r.name;
    }
}

TEST(PgDataChx, KindsWithoutARecordTakeNoBytes)
{
    PageData page;
    for (TLxObjType kind : {10, 11, 0, 22}) {
        auto* obj = page.AppendObj(std::make_unique<TLxObj>());
        obj->ObjType = kind;
    }
    for (int mode : {kEncFile, kEncMemory}) {
        Bytes buf;
        EXPECT_EQ(PgDataChx(page, buf, 0, mode, &page.ObjList, Env()), 0);
        EXPECT_TRUE(buf.empty());
    }
}

TEST(ObjHeadChx, PanelBoxFontStyleAndSize)
{
    struct Row {
        const char* name;
        int left, top, width, height, zoom, gw, gh;
        std::uint8_t style;
        int size;
        const char* expected;
    } rows[] = {
        {"zoom 2", 96, 32, 48, 16, 2, 1, 1, 0, 10, "00 05 00 00 00 30 00 10 00 47 00 17 00 0A"},
        {"grid 2 x 1", 10, 0, 20, 8, 1, 2, 1, fsBold | fsUnderline, 8, "00 05 00 00 00 05 00 00 00 0E 00 07 05 08"},
        {"size 0 is stored as 8", 0, 0, 8, 8, 1, 1, 1, fsItalic | fsStrikeOut, 0,
         "00 05 00 00 00 00 00 00 00 07 00 07 0A 08"},
    };
    for (const Row& r : rows) {
        TLxObj obj;
        obj.ObjType = 5;
        obj.ObjSize = r.zoom;
        obj.GridWidth = r.gw;
        obj.GridHeight = r.gh;
        obj.Left = r.left;
        obj.Top = r.top;
        obj.Width = r.width;
        obj.Height = r.height;
        obj.Picture.Canvas()->Font.Style = r.style;
        obj.Picture.Canvas()->Font.Size = r.size;
        Bytes buf;
        RecOut out(buf, kEncMemory);
        EXPECT_EQ(ObjHeadChx(obj, out, 0), 14);
        EXPECT_EQ(ToHex(buf), ToHex(Hex(r.expected))) << r.name;
    }
}

TEST(StoredFontName, MissingFontTakesTheMainFont)
{
    struct Row {
        const char* name;
        const char* face;
        int size;
        const char* storedName;
        int sizeAfter;
    } rows[] = {
        {"installed", "Some Face", 12, "Some Face", 12},
        {"missing keeps its size", "Missing Face", 12, "Main Face", 12},
        {"missing with size 0 takes the whole main font", "Missing Face", 0, "Main Face", 9},
    };
    for (const Row& r : rows) {
        TLxObj obj;
        obj.Picture.Canvas()->Font.Name = r.face;
        obj.Picture.Canvas()->Font.Size = r.size;
        EXPECT_EQ(StoredFontName(obj, Env()), r.storedName) << r.name;
        EXPECT_EQ(obj.Picture.Canvas()->Font.Name, r.storedName) << r.name;
        EXPECT_EQ(obj.Picture.Canvas()->Font.Size, r.sizeAfter) << r.name;
    }
}

TEST(PageData, OwnsItsObjectsAndClearsPointersIntoThem)
{
    PageData page;
    TLxObj* a = page.AppendObj(std::make_unique<TLxObj>());
    TLxObj* b = page.AppendObj(std::make_unique<TLxObj>());
    page.SelList = {a, b};
    page.CurObj = b;
    page.DeleteObj(b);
    EXPECT_EQ(page.ObjList, TObjList{a});
    EXPECT_EQ(page.SelList, TObjList{a});
    EXPECT_EQ(page.CurObj, nullptr);
    TLxObj stranger;
    EXPECT_EQ(page.TakeObj(&stranger), nullptr);
    page.CurObj = a;
    page.FreeObjects();
    EXPECT_TRUE(page.ObjList.empty());
    EXPECT_TRUE(page.SelList.empty());
    EXPECT_EQ(page.CurObj, nullptr);
}

TEST(PageData, JumpListHoldsTwentyAndResetsTakeTheProjectDefaults)
{
    ProjectState state;
    state.DefStation = 6;
    state.LinkIndex = 1;
    state.PortSlaveMode = {0, 1};
    PageData page;
    for (int i = 0; i < kMaxPgJumps; ++i)
        ASSERT_NE(page.AddPgJump(state), nullptr);
    EXPECT_EQ(page.AddPgJump(state), nullptr);
    EXPECT_EQ(page.PgJmpList.size(), 20u);
    EXPECT_EQ(page.CurPgJmp()->Ref.Station, 6);
    EXPECT_EQ(page.CurPgJmp()->Ref.LinkFlag, 1); // link 1 takes the second slave flag

    SetEverything(page);
    page.ResetPgSettings(state);
    EXPECT_TRUE(page.PgJmpList.empty());
    EXPECT_EQ(page.PgHide.Hide, 0);
    EXPECT_EQ(page.PgNumWrite.Ref.DevAddrCode, -1);
    for (int i = 0; i < kFunKeyCount; ++i) {
        EXPECT_EQ(page.PgFunKeys[i].ButtonType, kes::BtnType::None);
        EXPECT_EQ(page.PgFunKeys[i].KeyIndex, i);
        EXPECT_EQ(page.PgFunKeys[i].Read.Station, 6);
    }
    EXPECT_EQ(page.PgSysRecs[1].Ref.DevAddrCode, -1);
    EXPECT_EQ(page.PgSysRecs[1].Ref.LinkIndex, 1);
    Bytes buf;
    EXPECT_EQ(PgDataChx(page, buf, 0, kEncFile, &page.ObjList, Env()), 0);
}

} // namespace
} // namespace kes
