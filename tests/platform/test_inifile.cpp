// INI files must read like the Windows profile functions: case-blind names, trimmed
// values, first key wins, CR LF and LF alike, and integer defaults for anything odd.
#include "platform/fileio.h"
#include "platform/inifile.h"

#include "fileerrorout.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

using kes::TIniFile;

namespace {

TIniFile FromText(const std::string& text)
{
    TIniFile ini("/nonexistent/dir/x.ini");
    ini.SetText(text);
    return ini;
}

} // namespace

TEST(IniFile, ReadsLikeTheProfileFunctions)
{
    TIniFile ini = FromText("; comment\r\n[Main]\r\nCount = 12 \r\nname=\"quoted text\"\r\nCOUNT=99\n"
                            "Hex=0x1F\nDollar=$10\nBad=12a\nNeg=-5\n[other]\nflag=1\n");
    EXPECT_EQ(ini.ReadInteger("main", "count", 0), 12); // first of two equal keys
    EXPECT_EQ(ini.ReadString("MAIN", "Name", ""), "quoted text");
    EXPECT_EQ(ini.ReadInteger("Main", "Hex", 0), 31);
    EXPECT_EQ(ini.ReadInteger("Main", "Dollar", 0), 16);
    EXPECT_EQ(ini.ReadInteger("Main", "Bad", 7), 7);
    EXPECT_EQ(ini.ReadInteger("Main", "Neg", 0), -5);
    EXPECT_EQ(ini.ReadInteger("Main", "Missing", 3), 3);
    EXPECT_EQ(ini.ReadInteger("Nowhere", "Count", 4), 4);
    EXPECT_TRUE(ini.ReadBool("Other", "Flag", false));
    EXPECT_FALSE(ini.ReadBool("Other", "Missing", false));
    EXPECT_EQ(ini.ReadSection("Main").size(), 7u);
    EXPECT_TRUE(ini.SectionExists("OTHER"));
}

TEST(IniFile, WritesAndReadsBack)
{
    auto dir = std::filesystem::temp_directory_path() / "kes_ini_test";
    std::filesystem::create_directories(dir);
    std::string path = (dir / "a.ini").string();
    std::remove(path.c_str());
    {
        TIniFile ini(path);
        EXPECT_FALSE(ini.Loaded());
        ini.WriteString("Bar", "Visible", "1");
        ini.WriteInteger("Bar", "Left", -20);
        ini.WriteBool("Other", "Float", false);
        ASSERT_TRUE(ini.UpdateFile()) << ini.LastError();
    }
    TIniFile again(path);
    EXPECT_TRUE(again.Loaded());
    EXPECT_EQ(again.ReadInteger("bar", "left", 0), -20);
    EXPECT_FALSE(again.ReadBool("Other", "Float", true));
    std::filesystem::remove_all(dir);
}

TEST(IniFile, FailedWriteIsReported)
{
    TIniFile ini("/nonexistent/dir/x.ini");
    ini.WriteString("A", "B", "C");
    EXPECT_FALSE(ini.UpdateFile());
    EXPECT_TRUE(ini.LastError().Failed());
    EXPECT_EQ(ini.LastError().Path, "/nonexistent/dir/x.ini");
}

TEST(FileIo, SplitLinesAcceptsCrLfAndLf)
{
    auto lines = kes::SplitLines("a\r\nb\nc\r\n\nlast");
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "a");
    EXPECT_EQ(lines[1], "b");
    EXPECT_EQ(lines[2], "c");
    EXPECT_EQ(lines[3], "");
    EXPECT_EQ(lines[4], "last");
}
