// Lxe.ini is read by line position: a file written by the program reads back the same; only
// the value position of a line counts; empty folders give their defaults; a short, damaged or
// overlong file keeps the design values of what it does not hold and never shifts lines.
#include "app/shell/lxeini.h"

#include <gtest/gtest.h>

#include <tuple>

namespace kes {
namespace {

const std::string kApp = "/opt/kes/";

LxeSettings Sample()
{
    LxeSettings s;
    s.Version = 120;
    s.ComNumber = 3;
    s.Baud = 38400;
    s.WindowState = 2;
    s.Width = 1000;
    s.Height = 700;
    s.Path = "/home/u/projects";
    s.BmpPath = "/home/u/pictures";
    s.RecentFiles = {"/home/u/projects/a.zqf", "/home/u/projects/b.zqf"};
    s.FontName = "DejaVu Sans";
    s.FontSize = 10;
    s.AutoSave = true;
    s.SaveTimeInterval = 5;
    s.Language = 0;
    return s;
}

void ExpectSame(const LxeSettings& a, const LxeSettings& b)
{
    EXPECT_EQ(a.Version, b.Version);
    EXPECT_EQ(a.ComNumber, b.ComNumber);
    EXPECT_EQ(a.Baud, b.Baud);
    EXPECT_EQ(a.WindowState, b.WindowState);
    EXPECT_EQ(a.Width, b.Width);
    EXPECT_EQ(a.Height, b.Height);
    EXPECT_EQ(a.Path, b.Path);
    EXPECT_EQ(a.BmpPath, b.BmpPath);
    EXPECT_EQ(a.RecentFiles, b.RecentFiles);
    EXPECT_EQ(a.FontName, b.FontName);
    EXPECT_EQ(a.FontSize, b.FontSize);
    EXPECT_EQ(a.AutoSave, b.AutoSave);
    EXPECT_EQ(a.SaveTimeInterval, b.SaveTimeInterval);
    EXPECT_EQ(a.Language, b.Language);
}

TEST(LxeIni, WrittenFileReadsBackTheSameWithEitherLineEnd)
{
    const LxeSettings s = Sample();
    std::string text = FormatLxeIni(s);
    EXPECT_EQ(text.substr(0, 34), "[Version]=120\n[COM]=3\n[Baud]=38400");
    LxeSettings back;
    ParseLxeIni(text, kApp, back);
    ExpectSame(back, s);

    std::string crlf;
    for (char c : text)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    LxeSettings fromCrLf;
    ParseLxeIni(crlf, kApp, fromCrLf);
    ExpectSame(fromCrLf, s);
}

TEST(LxeIni, OnlyThePositionOfAValueCounts)
{
    LxeSettings s;
    // Misspelled keys of the right length, a number with blanks, a sign and trailing text.
    ParseLxeIni("[Vxrsion]=99\n[CXM]=  +7x\n[Baud]=-1\n[WindowStatX]=1\n[Width]=abc\n[Height]=\n", kApp, s);
    EXPECT_EQ(s.Version, 99);
    EXPECT_EQ(s.ComNumber, 7);
    EXPECT_EQ(s.Baud, -1);
    EXPECT_EQ(s.WindowState, 1);
    EXPECT_EQ(s.Width, 0);
    EXPECT_EQ(s.Height, 0);
}

TEST(LxeIni, EmptyFoldersAndEmptyRecentListAndLongPaths)
{
    const std::string longPath = "/" + std::string(300, 'd') + "/x.zqf";
    const std::string text = "[Version]=120\n[COM]=1\n[Baud]=9600\n[WindowState]=0\n[Width]=800\n[Height]=600\n"
                             "[Path]=\n[BmpPath]=\n[Files]=1\n" +
                             longPath +
                             "\n[Font]=Sans\n[FontSize]=12\n"
                             "[AutoSave]=1\n[SaveTimeInterval]=-1\n";
    LxeSettings s;
    ParseLxeIni(text, kApp, s);
    EXPECT_EQ(s.Path, kApp + "DocFiles");
    EXPECT_EQ(s.BmpPath, kApp + "BmpGroup/darrow");
    ASSERT_EQ(s.RecentFiles.size(), 1u);
    EXPECT_EQ(s.RecentFiles[0], longPath);
    // The lines after the long path are in their places.
    EXPECT_EQ(s.FontName, "Sans");
    EXPECT_EQ(s.FontSize, 12);
    EXPECT_TRUE(s.AutoSave);
    EXPECT_EQ(s.SaveTimeInterval, -1);

    // "[Files]=0" is followed directly by the font line.
    LxeSettings none = Sample();
    none.RecentFiles.clear();
    LxeSettings back;
    back.RecentFiles = {"stale"};
    ParseLxeIni(FormatLxeIni(none), kApp, back);
    EXPECT_TRUE(back.RecentFiles.empty());
    EXPECT_EQ(back.FontName, "DejaVu Sans");
}

TEST(LxeIni, ShortOrDamagedFilesKeepTheDesignValues)
{
    const LxeSettings design;
    const struct {
        const char* name;
        std::string text;
        int width;          // expected
        std::size_t recent; // expected count of recent files
        const char* font;   // expected
    } cases[] = {
        {"empty", "", design.Width, 0, "Times New Roman"},
        {"three lines", "[Version]=1\n[COM]=2\n[Baud]=3\n", design.Width, 0, "Times New Roman"},
        {"count past the end",
         "[Version]=1\n[COM]=2\n[Baud]=3\n[WindowState]=0\n[Width]=640\n[Height]=480\n"
         "[Path]=/p\n[BmpPath]=/b\n[Files]=9\n/a.zqf\n[Font]=X\n",
         640, 0, "Times New Roman"},
        {"negative count",
         "[Version]=1\n[COM]=2\n[Baud]=3\n[WindowState]=0\n[Width]=640\n[Height]=480\n"
         "[Path]=/p\n[BmpPath]=/b\n[Files]=-2\n[Font]=X\n",
         640, 0, "Times New Roman"},
        {"more than five",
         "[Version]=1\n[COM]=2\n[Baud]=3\n[WindowState]=0\n[Width]=640\n[Height]=480\n"
         "[Path]=/p\n[BmpPath]=/b\n[Files]=7\n1\n2\n3\n4\n5\n6\n7\n[Font]=Y\n",
         640, 5, "Y"},
        {"binary", std::string("\0\xff\x01\n\n\n", 6), design.Width, 0, "Times New Roman"},
    };
    for (const auto& c : cases) {
        LxeSettings s;
        ParseLxeIni(c.text, kApp, s);
        EXPECT_EQ(s.Width, c.width) << c.name;
        EXPECT_EQ(s.RecentFiles.size(), c.recent) << c.name;
        EXPECT_EQ(s.FontName, c.font) << c.name;
    }
    LxeSettings untouched;
    EXPECT_FALSE(ReadLxeIni("/nonexistent/Lxe.ini", kApp, untouched));
    EXPECT_EQ(untouched.Width, design.Width);

    // Sizes no session has (a window of 8003 x 47980, a 5000-point font) give the design values
    // instead of coming back at every start.
    for (const auto& [w, h, font] : {std::tuple{8003, 47980, 5000}, std::tuple{-5, 400, 9}, std::tuple{640, 480, -2}}) {
        LxeSettings s;
        s.Width = w;
        s.Height = h;
        s.FontSize = font;
        BoundLxeSettings(s);
        EXPECT_LE(s.Width, 16384);
        EXPECT_GE(s.Height, 0);
        EXPECT_TRUE(s.FontSize >= 6 && s.FontSize <= 72) << font;
    }
}

} // namespace
} // namespace kes

namespace kes {
namespace {

// The chosen language is a fourteenth line: a file without it (an older one) keeps what the
// settings had (none, by design), a value outside the three languages reads as no choice, and
// settings without a choice write no such line.
TEST(LxeIni, TheChosenLanguageLineIsOptional)
{
    LxeSettings noChoice = Sample();
    noChoice.Language = -1;
    const std::string thirteen = FormatLxeIni(noChoice);
    EXPECT_EQ(thirteen.find("[Language]"), std::string::npos);
    const struct {
        std::string tail;
        int language;
    } cases[] = {
        {"", 0}, {"[Language]=1\n", 1}, {"[Language]=2\n", 2}, {"[Language]=7\n", -1}, {"[Language]=-1\n", -1}};
    for (const auto& c : cases) {
        LxeSettings s;
        s.Language = 0;
        ParseLxeIni(thirteen + c.tail, kApp, s);
        EXPECT_EQ(s.Language, c.language) << c.tail;
        EXPECT_EQ(s.SaveTimeInterval, 5) << c.tail;
    }
}

} // namespace
} // namespace kes
