// Project-wide changes of page settings over the stored pages: the Up and Down keys given back
// (their function keys removed, buttons and numeric inputs unbound), every hidden page shown
// when they are redefined, and every page-change condition deleted. The rest of each stream
// stays byte for byte in order, and a damaged stream ends the walk instead of hanging it.
#include "tests/app/project/test_pgread_env.h"

#include "app/project/pagesettings.h"
#include "app/project/pgdataenc.h"
#include "app/project/projectdoc.h"
#include "objects/tlxbtn.h"
#include "objects/tlxgetval.h"

#include <gtest/gtest.h>

namespace kes::test {
namespace {

class PageSettingsTest : public ::testing::Test, protected PageFixture {
protected:
    PageSettingsTest()
    {
        enc.FontExists = [](const std::string&) { return true; };
    }

    // A page with a hidden flag, two page changes, function keys F3 and Up, and a button on
    // Up, a numeric input on Down and a button on F2.
    Bytes StoredPage()
    {
        PageData src;
        src.PgHide.Hide = 1;
        for (int i = 0; i < 2; ++i)
            src.AddPgJump(state)->Ref.DevAddrCode = 0x10 + i;
        for (std::size_t k : {3u, 10u}) {
            src.PgFunKeys[k].KeyIndex = static_cast<std::uint8_t>(k);
            src.PgFunKeys[k].ButtonType = kes::BtnType::SetOn;
            src.PgFunKeys[k].Write.DevAddrCode = 0x20;
            src.PgFunKeyUsed[k] = 1;
        }
        Bind<TLxBtn>(src, ObjKind::LxBtn, 10);
        Bind<TLxGetVal>(src, ObjKind::LxGetVal, 11);
        Bind<TLxBtn>(src, ObjKind::LxBtn, 2);
        Bytes out;
        PgDataChx(src, out, 0, kEncFile, &src.ObjList, enc);
        return out;
    }
    template <class T> void Bind(PageData& target, ObjKind kind, std::uint8_t key)
    {
        std::unique_ptr<TLxObj> obj = NewPageObj(target, *env, kind);
        static_cast<T&>(*obj).RefKey = key;
        obj->BmpRePaint();
        AttachObj(target, *env, std::move(obj), false);
    }
    PageData& Read(const Bytes& data)
    {
        read_ = std::make_unique<PageData>();
        const PgReadResult res = PgDataToObj(*read_, *env, data, 0, data.size());
        EXPECT_TRUE(res.Ok()) << DecodeErrorName(res.Error);
        return *read_;
    }
    static std::vector<std::uint16_t> Tags(const Bytes& data)
    {
        std::vector<std::uint16_t> tags;
        WalkPageRecords(data, [&](std::uint16_t t, ByteSpan) { tags.push_back(t); });
        return tags;
    }
    static int KeyOf(const TLxObj* o)
    {
        if (const auto* b = dynamic_cast<const TLxBtn*>(o))
            return b->RefKey;
        return static_cast<const TLxGetVal*>(o)->RefKey;
    }

    ProjectDoc doc;
    RecEncodeEnv enc;
    std::unique_ptr<PageData> read_;
};

TEST_F(PageSettingsTest, GivingBackUpAndDownFreesTheirKeysEverywhere)
{
    doc.PgDataList.push_back(std::make_unique<PgDataStr>());
    doc.PgDataList[0]->Data = StoredPage();
    for (std::size_t k : {3u, 11u}) {
        doc.SysFunKeys[k].ButtonType = kes::BtnType::SetOn;
        doc.SysFunKeyUsed[k] = 1;
    }
    PageData active;
    active.PgFunKeys[10].ButtonType = kes::BtnType::SetOn;
    active.PgFunKeyUsed[10] = 1;
    Bind<TLxBtn>(active, ObjKind::LxBtn, 11);
    active.ObjFunKeyUsed[11] = 1;

    RedefineUpDownOff(doc, &active);
    EXPECT_EQ(doc.SysFunKeyUsed[11], 0);
    EXPECT_EQ(doc.SysFunKeys[11].ButtonType, kes::BtnType::None);
    EXPECT_EQ(doc.SysFunKeyUsed[3], 1);
    EXPECT_EQ(active.PgFunKeyUsed[10], 0);
    EXPECT_EQ(KeyOf(active.ObjList[0]), 255);
    EXPECT_EQ(active.ObjFunKeyUsed[11], 0);

    const PageData& page = Read(doc.PgDataList[0]->Data);
    EXPECT_EQ(page.PgFunKeyUsed[10], 0);
    EXPECT_EQ(page.PgFunKeyUsed[3], 1);
    ASSERT_EQ(page.ObjList.size(), 3u);
    EXPECT_EQ(KeyOf(page.ObjList[0]), 255);
    EXPECT_EQ(KeyOf(page.ObjList[1]), 255);
    EXPECT_EQ(KeyOf(page.ObjList[2]), 2);
    EXPECT_EQ(page.PgJmpList.size(), 2u);
    EXPECT_EQ(page.PgHide.Hide, 1);

    // Nothing left on Up or Down: the same bytes again.
    const Bytes once = doc.PgDataList[0]->Data;
    RedefineUpDownOff(doc, nullptr);
    EXPECT_EQ(doc.PgDataList[0]->Data, once);
}

TEST_F(PageSettingsTest, RedefiningUpAndDownShowsEveryHiddenPage)
{
    doc.PgDataList.push_back(std::make_unique<PgDataStr>());
    doc.PgDataList[0]->Data = StoredPage();
    const std::vector<std::uint16_t> before = Tags(doc.PgDataList[0]->Data);
    PageData active;
    active.PgHide.Hide = 1;
    RedefineUpDownOn(doc, &active);
    EXPECT_EQ(active.PgHide.Hide, 0);
    EXPECT_EQ(Read(doc.PgDataList[0]->Data).PgHide.Hide, 0);
    EXPECT_EQ(Tags(doc.PgDataList[0]->Data), before);
}

TEST_F(PageSettingsTest, ClearingPageChangesReachesEveryPageAndTheSystem)
{
    for (int i = 0; i < 2; ++i) {
        doc.PgDataList.push_back(std::make_unique<PgDataStr>());
        doc.PgDataList.back()->Data = StoredPage();
    }
    doc.AddSysPgJump();
    PageData active;
    active.AddPgJump(doc);
    std::vector<std::uint16_t> kept = Tags(doc.PgDataList[0]->Data);
    std::erase(kept, kTagPgJmp);
    ClearAllPgJumps(doc, &active);
    EXPECT_TRUE(doc.SysPgJumps.empty());
    EXPECT_TRUE(active.PgJmpList.empty());
    for (const auto& p : doc.PgDataList) {
        EXPECT_EQ(Tags(p->Data), kept);
        EXPECT_TRUE(Read(p->Data).PgJmpList.empty());
    }
}

TEST_F(PageSettingsTest, ADamagedStreamEndsTheWalkAndKeepsItsTail)
{
    const Bytes good = StoredPage();
    std::size_t jumpBytes = 0;
    WalkPageRecords(good, [&](std::uint16_t t, ByteSpan rec) { jumpBytes += t == kTagPgJmp ? rec.size() : 0; });
    ASSERT_GT(jumpBytes, 0u);
    struct Case {
        const char* what;
        Bytes tail;
    } cases[] = {
        {"a length below the header", {0x03, 0xE8, 0x00, 0x02, 0x03, 0xE8, 0x00, 0x02}},
        {"a length of nothing", {0x03, 0xE8, 0x00, 0x00}},
        {"a length past the end", {0x03, 0xE8, 0x00, 0x40, 0x01}},
        {"half a header", {0x03}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes data = good;
        AppendBytes(data, c.tail);
        EXPECT_EQ(WalkPageRecords(data, [](std::uint16_t, ByteSpan) {}), good.size());
        doc.PgDataList.clear();
        doc.PgDataList.push_back(std::make_unique<PgDataStr>());
        doc.PgDataList[0]->Data = data;
        ClearAllPgJumps(doc, nullptr);
        const Bytes& out = doc.PgDataList[0]->Data;
        ASSERT_GE(out.size(), c.tail.size());
        EXPECT_TRUE(std::equal(c.tail.begin(), c.tail.end(), out.end() - static_cast<long>(c.tail.size())));
        EXPECT_EQ(out.size(), data.size() - jumpBytes) << "the page changes before the damage are gone";
    }
}

} // namespace
} // namespace kes::test
