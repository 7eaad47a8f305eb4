// Project texts are bytes in one process-wide code page; these pin the conversions and
// the double-byte lead test the text objects rely on.
#include "platform/codepage.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(CodePage, ConvertsBothWays)
{
    struct Case {
        int cp;
        std::string ansi;
        const char* utf8;
    } cases[] = {
        {950, "\xB1\x69", "\xE5\xBC\xB5"}, // the full-width measuring character
        {936, "\xD6\xD0", "\xE4\xB8\xAD"},
        {1252, "caf\xE9", "caf\xC3\xA9"},
    };
    for (const Case& c : cases) {
        kes::ScopedCodePage scope(c.cp);
        EXPECT_EQ(kes::AnsiToUtf8(c.ansi), c.utf8) << c.cp;
        EXPECT_EQ(kes::Utf8ToAnsi(c.utf8), c.ansi) << c.cp;
    }
}

TEST(CodePage, BadBytesDoNotStopConversion)
{
    kes::ScopedCodePage scope(950);
    // A lone lead byte at the end becomes a replacement character.
    EXPECT_EQ(kes::AnsiToQString("ab\xB1").size(), 3);
    EXPECT_EQ(kes::Utf8ToAnsi("a\xE0\xB8\x81" "b"), "a?b"); // no Thai letters in 950
}

TEST(CodePage, LeadBytes)
{
    {
        kes::ScopedCodePage scope(950);
        EXPECT_TRUE(kes::IsDBCSLeadByte(0xB1));
        EXPECT_FALSE(kes::IsDBCSLeadByte('A'));
        EXPECT_FALSE(kes::IsDBCSLeadByte(0x80));
    }
    kes::ScopedCodePage scope(1252);
    EXPECT_FALSE(kes::IsDBCSLeadByte(0xB1));
}

TEST(CodePage, ChosenFromEnvironment)
{
    struct Case {
        const char* override_;
        const char* lang;
        int expected;
    } cases[] = {
        {"", "zh_TW.UTF-8", 950}, {"", "zh_HK.UTF-8", 950}, {"", "zh_CN.UTF-8", 936},
        {"", "de_DE.UTF-8", 1252}, {"936", "zh_TW.UTF-8", 936}, {"", "", 1252},
    };
    for (const Case& c : cases) {
        setenv("KESTROVA_CODEPAGE", c.override_, 1);
        unsetenv("LC_ALL");
        unsetenv("LC_CTYPE");
        setenv("LANG", c.lang, 1);
        EXPECT_EQ(kes::CodePageFromEnvironment(), c.expected) << c.lang;
    }
    setenv("KESTROVA_CODEPAGE", "1252", 1);
}
