// The recent-file items: newest first, at most five, a reopened file moves to the top; the
// path is the item's text with "&" kept a character and its data kept whole; choosing a file
// that is gone reports it and keeps the entry.
#include "shellfixture.h"

#include "app/shell/tkhm.h"
#include "app/ui/msgtable.h"

#include <QAction>

namespace kes::test {
namespace {

using RecentFilesTest = StartedShell;

TEST_F(RecentFilesTest, OrderLimitAndItemTexts)
{
    struct Case {
        std::vector<std::string> added;
        std::vector<std::string> want;
    } cases[] = {
        {{"/p/a.zqf", "/p/b.zqf"}, {"/p/b.zqf", "/p/a.zqf"}},
        {{"/p/a.zqf", "/p/b.zqf", "/p/a.zqf"}, {"/p/a.zqf", "/p/b.zqf"}},
        {{"/1.zqf", "/2.zqf", "/3.zqf", "/4.zqf", "/5.zqf", "/6.zqf", "/7.zqf"},
         {"/7.zqf", "/6.zqf", "/5.zqf", "/4.zqf", "/3.zqf"}},
        {{"/1.zqf", "/2.zqf", "/3.zqf", "/4.zqf", "/5.zqf", "/2.zqf"},
         {"/2.zqf", "/5.zqf", "/4.zqf", "/3.zqf", "/1.zqf"}},
    };
    for (const Case& c : cases) {
        Main()->Doc.RecentFiles.clear();
        for (const std::string& p : c.added)
            Main()->AddRecentFile(p);
        EXPECT_EQ(Main()->Doc.RecentFiles, c.want);
    }
    Main()->Doc.RecentFiles = {"/p/Tom & Jerry.zqf"};
    Main()->RefreshRecentFileItems();
    EXPECT_EQ(Main()->Action("MmFile1")->data().toString(), QStringLiteral("/p/Tom & Jerry.zqf"));
    EXPECT_EQ(Main()->Action("MmFile1")->text(), QStringLiteral("/p/Tom && Jerry.zqf"));
    EXPECT_TRUE(Main()->Action("MmFile1")->isVisible());
    EXPECT_FALSE(Main()->Action("MmFile2")->isVisible());

    Main()->Doc.RecentFiles.clear();
    Main()->RefreshRecentFileItems();
    EXPECT_FALSE(Main()->Action("MmFile1")->isVisible());
    EXPECT_FALSE(Main()->Action("MmOldFileRec")->isVisible());
}

TEST_F(RecentFilesTest, AFileThatIsGoneIsReportedAndStaysListed)
{
    const std::string gone = Dir() + "gone.zqf";
    Main()->Doc.RecentFiles = {gone, "/p/other.zqf"};
    Main()->RefreshRecentFileItems();
    prompt.shown.clear();
    Main()->Action("MmFile1")->trigger();
    ASSERT_FALSE(prompt.shown.empty());
    EXPECT_EQ(prompt.shown.back(), Msg(82));
    EXPECT_EQ(Main()->Doc.RecentFiles, (std::vector<std::string>{gone, "/p/other.zqf"}));
}

} // namespace
} // namespace kes::test
