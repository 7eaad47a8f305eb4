// Built-in pictures are found by name whatever the letter case, a later registration of a
// name replaces the earlier one, and an unknown name gives an empty picture, never an
// exception, leaving the caller's picture as it was. A picture is made once and shared: what
// one receiver draws on its copy never shows in the next load.
#include "objects/lxpictures.h"
#include "objtest.h"

#include <gtest/gtest.h>

using objtest::Rows;

namespace {

TBitmap Dot() { return kes::PictureFromText(Rows({".#.", "###", ".#."})); }
TBitmap Bar() { return kes::PictureFromText(Rows({"####"})); }
TBitmap Slash() { return kes::PictureFromText(Rows({"..#", ".#.", "#.."})); }

const kes::BuiltinPictureEntry kTestPictures[] = {
    {"TEST-DOT", Dot},
    {"TESTBAR_1", Bar},
};
const kes::BuiltinPictureRegistrar kRegisterTests(kTestPictures);

} // namespace

TEST(BuiltinPictures, LookupByName)
{
    struct Case {
        const char* name;
        std::string expected; // empty: unknown
    } cases[] = {
        {"TEST-DOT", Rows({".#.", "###", ".#."})},
        {"test-dot", Rows({".#.", "###", ".#."})},
        {"TestBar_1", Rows({"####"})},
        {"TESTBAR_0", ""},
        {"TEST-DOT ", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(kes::HasBuiltinPicture(c.name), !c.expected.empty()) << c.name;
        EXPECT_EQ(kes::PictureToText(kes::BuiltinPicture(c.name)), c.expected) << c.name;

        TBitmap dst = kes::PictureFromText(Rows({"#", "#"}));
        EXPECT_EQ(kes::LoadBuiltinPicture(c.name, dst), !c.expected.empty()) << c.name;
        EXPECT_EQ(kes::PictureToText(dst), c.expected.empty() ? Rows({"#", "#"}) : c.expected) << c.name;
    }
    EXPECT_TRUE(kes::BuiltinPicture("no such picture").Empty());
}

TEST(BuiltinPictures, LaterRegistrationReplaces)
{
    const kes::BuiltinPictureEntry replacement[] = {{"test-dot", Slash}, {"TEST-NULL", nullptr}};
    kes::RegisterBuiltinPictures(replacement);
    EXPECT_EQ(kes::PictureToText(kes::BuiltinPicture("TEST-DOT")), Rows({"..#", ".#.", "#.."}));
    EXPECT_FALSE(kes::HasBuiltinPicture("TEST-NULL"));
    const kes::BuiltinPictureEntry back[] = {{"TEST-DOT", Dot}};
    kes::RegisterBuiltinPictures(back);
}

namespace {

int madeCount = 0;
TBitmap CountedDot()
{
    ++madeCount;
    return Dot();
}

} // namespace

TEST(BuiltinPictures, MadeOnceAndSharedWithoutLeaking)
{
    const kes::BuiltinPictureEntry counted[] = {{"TEST-COUNTED", CountedDot}};
    kes::RegisterBuiltinPictures(counted);
    TBitmap first;
    ASSERT_TRUE(kes::LoadBuiltinPicture("TEST-COUNTED", first));
    first.Canvas()->SetPixel(0, 0, clBlack);
    first.Canvas()->Brush.Color = clBlack;
    first.Canvas()->FillRect(Rect(0, 2, 3, 3));
    TBitmap second = kes::PictureFromText(Rows({"#####"}));
    ASSERT_TRUE(kes::LoadBuiltinPicture("test-counted", second));
    EXPECT_EQ(kes::PictureToText(first), Rows({"##.", "###", "###"}));
    EXPECT_EQ(kes::PictureToText(second), Rows({".#.", "###", ".#."}));
    EXPECT_EQ(kes::PictureToText(kes::BuiltinPicture("TEST-COUNTED")), Rows({".#.", "###", ".#."}));
    EXPECT_EQ(madeCount, 1);
}
