// The panel memory image: header sections first, in their fixed order and layout, then the
// pages back to back with each start and the end in the offset list; nothing is written past
// the memory area, a page that does not fit is refused with message 26, and the header reads
// back into the same system records.
#include "pgrectest.h"
#include "prjtest.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace kes {
namespace {

using test::Prj;
using test::Tags;

// The program around the document: the messages it shows, and what storing the open page does.
struct MsgLog : DocHost {
    explicit MsgLog(ProjectDoc& doc) : doc_(doc) { doc.SetHost(this); }
    ~MsgLog() override { doc_.SetHost(nullptr); }
    void StoreActivePage() override
    {
        if (storePage)
            storePage();
    }
    void StoreStartScreen() override {}
    void ShowMsg(int n) override { shown.push_back(n); }
    Editing EditMode() const override { return mode; }
    void SetEditMode(Editing m) override { mode = m; }

    std::vector<int> shown;
    Editing mode = Editing::Pages;
    std::function<void()> storePage;

private:
    ProjectDoc& doc_;
};

DevRefHead Ref(std::int32_t code, std::uint8_t linkFlag = 0)
{
    DevRefHead r;
    r.DevAddrCode = code;
    r.LinkFlag = linkFlag;
    r.Station = 3;
    r.LinkIndex = 1;
    r.BitIndex = 5;
    return r;
}

// A jump of bit kind (18 bytes) and one of word kind (22 bytes): a 40-byte header.
void FortyByteHeader(ProjectDoc& doc)
{
    PgJmpRec bit;
    bit.Ref = Ref(0x100);
    bit.Kind = 0;
    bit.TargetPage = 2;
    PgJmpRec word;
    word.Ref = Ref(0x200);
    word.Kind = 0x10;
    word.CompareValue = 7;
    doc.SysPgJumps = {bit, word};
}

TEST(MemImage, HeaderThenPagesBackToBack)
{
    Prj p(std::string(KES_BIN_DIR) + "/");
    FortyByteHeader(p.doc);
    p.AddPage(100);
    p.AddPage(200);
    p.AddPage(50);
    ResetMemoryImage(p.doc);
    ASSERT_TRUE(BuildPageImage(p.doc));

    EXPECT_EQ(p.doc.ImageHeaderLen, 40);
    EXPECT_EQ(p.doc.OffsetList, (std::vector<std::string>{"40", "140", "340", "390"}));
    EXPECT_EQ(p.doc.MemImageLen, 390);
    EXPECT_EQ(p.doc.MemImage.size(), std::size_t(0x40000 - 0x18000));
    EXPECT_EQ((Tags(ByteSpan(p.doc.MemImage.data(), 40))), (std::vector<std::pair<int, int>>{{1000, 18}, {1000, 22}}));
    const std::size_t starts[] = {40, 140, 340};
    for (std::size_t k = 0; k < 3; ++k) {
        const Bytes& d = p.doc.PgDataList[k]->Data;
        EXPECT_TRUE(std::equal(d.begin(), d.end(), p.doc.MemImage.begin() + starts[k])) << "page " << k;
    }
    for (std::size_t i = 390; i < p.doc.MemImage.size(); ++i)
        ASSERT_EQ(p.doc.MemImage[i], 0xFF) << "byte " << i;
    EXPECT_TRUE(ImageHoldsEveryPage(p.doc));
}

TEST(MemImage, NoPagesLeavesTheOffsetListEmpty)
{
    Prj p(std::string(KES_BIN_DIR) + "/");
    FortyByteHeader(p.doc);
    ASSERT_TRUE(BuildPageImage(p.doc));
    EXPECT_TRUE(p.doc.OffsetList.empty());
    EXPECT_EQ(p.doc.MemImageLen, 40);
}

TEST(MemImage, KeypadTypesHoldOnlyTheKeySetting)
{
    for (std::int16_t id : {95, 99}) {
        Prj p(std::string(KES_BIN_DIR) + "/", id);
        p.doc.KeySetRec.CommAddr = 9;
        ASSERT_TRUE(BuildPageImage(p.doc));
        EXPECT_EQ(p.doc.OffsetList, std::vector<std::string>{"24"});
        EXPECT_EQ(p.doc.MemImageLen, 24);
        EXPECT_EQ(test::ToHex(ByteSpan(p.doc.MemImage.data(), 8)), "03 F3 00 18 09 00 02 03");
        EXPECT_EQ(p.doc.MemImage[8], '0');
        EXPECT_EQ(p.doc.MemImage[23], '?');
    }
}

// The area's end is exclusive: a page ending on it fits, one byte more is refused and the
// list ends with the last page that fitted.
TEST(MemImage, PagesAgainstTheAreaEnd)
{
    struct Case {
        const char* name;
        std::vector<std::size_t> pages;
        bool ok;
        std::vector<std::string> offsets;
    };
    const Case cases[] = {
        {"ends on the area end", {300, 200}, true, {"0", "300", "500"}},
        {"one byte over", {300, 201}, false, {"0", "300"}},
        {"first page too big", {501}, false, {"0"}},
    };
    for (const Case& c : cases) {
        Prj p(std::string(KES_BIN_DIR) + "/");
        MsgLog log(p.doc);
        p.doc.ObjDataAddrEnd = p.doc.ObjDataAddr + 500;
        for (std::size_t n : c.pages)
            p.AddPage(n);
        ResetMemoryImage(p.doc);
        EXPECT_EQ(BuildPageImage(p.doc), c.ok) << c.name;
        EXPECT_EQ(p.doc.OffsetList, c.offsets) << c.name;
        EXPECT_EQ(log.shown, c.ok ? std::vector<int>{} : std::vector<int>{26}) << c.name;
        EXPECT_EQ(ImageHoldsEveryPage(p.doc), c.ok) << c.name;
    }
}

// A buffer smaller than the object data area (user-menu editing) is never written past.
TEST(MemImage, NeverWritesPastTheBuffer)
{
    Prj p(std::string(KES_BIN_DIR) + "/");
    MsgLog log(p.doc);
    log.mode = kes::Editing::UserMenu;
    p.doc.MainMenuEnd = p.doc.MainMenuAddr + 100;
    ResetMemoryImage(p.doc);
    ASSERT_EQ(p.doc.MemImage.size(), 100u);
    p.AddPage(60);
    p.AddPage(60);
    EXPECT_FALSE(BuildPageImage(p.doc));
    EXPECT_EQ(p.doc.OffsetList, (std::vector<std::string>{"0", "60"}));
    EXPECT_EQ(log.shown, std::vector<int>{26});
}

TEST(MemImage, OverflowTestOfTheStoredPages)
{
    struct Case {
        const char* name;
        std::vector<std::size_t> pages;
        std::int64_t extra;
        bool over;
    };
    const Case cases[] = {
        {"no pages, any extra", {}, 100000, false},       {"pages fit, nothing extra", {250, 250}, 0, false},
        {"pages fit, extra fits", {250, 200}, 50, false}, {"extra passes the end", {250, 200}, 51, true},
        {"pages already pass", {300, 201}, 0, true},
    };
    for (const Case& c : cases) {
        Prj p(std::string(KES_BIN_DIR) + "/");
        MsgLog log(p.doc);
        p.doc.ObjDataAddrEnd = p.doc.ObjDataAddr + 500;
        ResetMemoryImage(p.doc);
        for (std::size_t n : c.pages)
            p.AddPage(n);
        p.doc.OffsetList = {"stale"};
        EXPECT_EQ(ImageWouldOverflow(p.doc, c.extra), c.over) << c.name;
        EXPECT_TRUE(p.doc.OffsetList.empty()) << c.name;
        EXPECT_EQ(log.shown.size(), c.over ? 1u : 0u) << c.name;
    }
}

TEST(MemImage, StoresTheEditedPageFirst)
{
    Prj p(std::string(KES_BIN_DIR) + "/");
    p.AddPage(10);
    MsgLog host(p.doc);
    host.storePage = [&] { p.doc.PgDataList[0]->Data.assign(30, 0x11); };
    p.doc.Modified = 0;
    ASSERT_TRUE(BuildPageImage(p.doc));
    EXPECT_EQ(p.doc.MemImageLen, 10);
    p.doc.Modified = 1;
    ASSERT_TRUE(BuildPageImage(p.doc));
    EXPECT_EQ(p.doc.MemImageLen, 30);
}

TEST(MemImage, AppendPagesAfterTheHeaderStopsAtTheImageEnd)
{
    Prj p(std::string(KES_BIN_DIR) + "/");
    p.doc.ObjDataAddrEnd = p.doc.ObjDataAddr + 100;
    ResetMemoryImage(p.doc);
    p.doc.ImageHeaderLen = 20;
    p.AddPage(50);
    EXPECT_TRUE(AppendPagesToImage(p.doc));
    EXPECT_EQ(p.doc.OffsetList, (std::vector<std::string>{"20", "70"}));
    p.AddPage(31);
    EXPECT_FALSE(AppendPagesToImage(p.doc));
    EXPECT_EQ(p.doc.OffsetList, (std::vector<std::string>{"20", "70", "101"}));
    EXPECT_EQ(p.doc.MemImage.size(), 100u);
}

TEST(MemImage, UsePercent)
{
    ProjectState s;
    s.ObjDataAddr = 0x1000;
    s.ObjDataAddrEnd = 0x1000 + 10000;
    EXPECT_EQ(MemoryUsePercent(s, 0), 0);
    EXPECT_EQ(MemoryUsePercent(s, 40), 1); // 0.4 % reports 1
    EXPECT_EQ(MemoryUsePercent(s, 2599), 25);
    EXPECT_EQ(MemoryUsePercent(s, 10000), 100);
    s.ObjDataAddrEnd = s.ObjDataAddr;
    EXPECT_EQ(MemoryUsePercent(s, 10), 100); // no area: never a division by zero
}

} // namespace
} // namespace kes
