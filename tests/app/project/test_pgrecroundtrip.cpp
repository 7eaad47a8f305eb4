// The clipboard path: a copy of the selection carries the selected objects' records and no
// page settings, and pasting it onto another page gives objects whose copy is the same
// bytes again.
#include "app/project/pgdataenc.h"
#include "pgrectest.h"
#include "test_pgread_env.h"

#include <gtest/gtest.h>

namespace kes {
namespace {

using test::ToHex;

Bytes CopySelection(test::PageFixture& f)
{
    RecEncodeEnv env;
    env.MainFont = f.env->MainFont;
    Bytes block;
    PgDataChx(f.page, block, 0, kEncMemory, &f.page.SelList, env);
    return block;
}

TEST(SelectionCopy, PastesBackToTheSameRecords)
{
    test::PageFixture f;
    f.page.PgHide.Hide = 1;
    f.page.PgNumWrite.Ref.DevAddrCode = 5;
    for (std::int16_t kind : {2, 13, 17, 18}) {
        auto obj = NewPageObj(f.page, *f.env, *KindOfCode(kind));
        ASSERT_NE(obj, nullptr);
        obj->Left = 4 * kind;
        obj->Top = kind;
        obj->BmpRePaint();
        f.page.AppendObj(std::move(obj));
    }
    f.page.SelList = {f.page.ObjList[1], f.page.ObjList[3]};
    const Bytes copy = CopySelection(f);
    const auto tags = test::Tags(copy);
    ASSERT_EQ(tags.size(), 2u);
    EXPECT_EQ(tags[0].first, 13);
    EXPECT_EQ(tags[1].first, 18);

    test::PageFixture other;
    const PgReadResult r = PastePgData(other.page, *other.env, copy, 0, copy.size());
    ASSERT_TRUE(r.Ok()) << r.Detail;
    ASSERT_EQ(other.page.SelList.size(), 2u);
    EXPECT_EQ(ToHex(CopySelection(other)), ToHex(copy));
}

} // namespace
} // namespace kes
