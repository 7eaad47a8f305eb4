// Project texts are bytes in one process-wide code page; these pin the conversions, the
// double-byte lead test the text objects rely on, and how texts of another code page are told.
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

// Plain ASCII takes a short cut past the converter; it must come out as the converter gives it,
// and the search for a character the code page lacks must still find the first one.
TEST(CodePage, PlainTextAndTheFirstCharacterACodePageLacks)
{
    const std::string plain("Pump 12\t(\\) ~\x01\0z", 16); // with a NUL byte
    for (const int cp : {950, 936, 1252}) {
        kes::ScopedCodePage scope(cp);
        EXPECT_EQ(kes::AnsiToUtf8(plain), plain) << cp;
        EXPECT_EQ(kes::Utf8ToAnsi(plain), plain) << cp;
        EXPECT_EQ(kes::AnsiToQString(plain), QString::fromLatin1(plain.data(), 16)) << cp;
        EXPECT_EQ(kes::QStringToAnsi(QString::fromLatin1(plain.data(), 16)), plain) << cp;
    }
    struct Case {
        int cp;
        const char* utf8;
        qsizetype first;
    } cases[] = {
        {1252, "Pump 12", -1},
        {1252, "caf\xC3\xA9 \xE2\x82\xAC", -1}, // e acute and the euro sign
        {1252, "ab\xE4\xB8\xAD", 2},            // a Chinese character
        {950,
         "ab\xE4\xB8\xAD"
         "c",
         -1},
        {950,
         "\xE4\xB8\xAD"
         "a\xE0\xB8\x81\xE4\xB8\xAD",
         2},                           // a Thai letter after two that fit
        {936, "x\xF0\x9F\x98\x80", 1}, // a character outside the 16-bit range
    };
    for (const Case& c : cases) {
        kes::ScopedCodePage scope(c.cp);
        EXPECT_EQ(kes::FirstUnencodable(QString::fromUtf8(c.utf8)), c.first) << c.cp << " " << c.utf8;
    }
}

TEST(CodePage, BadBytesDoNotStopConversion)
{
    kes::ScopedCodePage scope(950);
    // A lone lead byte at the end becomes a replacement character.
    EXPECT_EQ(kes::AnsiToQString("ab\xB1").size(), 3);
    EXPECT_EQ(kes::Utf8ToAnsi("a\xE0\xB8\x81"
                              "b"),
              "a?b"); // no Thai letters in 950
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
        {"", "zh_TW.UTF-8", 950},  {"", "zh_HK.UTF-8", 950},    {"", "zh_CN.UTF-8", 936},
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

// A project's texts written in another code page than the one in use are told apart, and the
// code page that reads them is named; texts the code page in use reads (Western words with
// accents and degree signs, Greek letters in Chinese texts) are never taken for another one's.
TEST(CodePage, TheCodePageThatReadsTextsWrittenInAnother)
{
    const std::string big5Start = "\xAC\xA6\xAE\xFA\xB1\xD2\xB0\xCA"; // 泵浦啟動, trail bytes all high
    const std::string big5Set = "\xB6\x7D\xA9\x6C\xB3\x5D\xA9\x77";   // 開始設定, trail bytes ASCII
    const std::string big5Ohm = "\xB0\xA8\xB9\x46\xA3\x5B";           // 馬達Ω
    const std::string big5Middle = "\xA4\xA4\xA4\xE5";                // 中文: kana in 936
    const std::string gbText = "\xD6\xD0\xCE\xC4\xD7\xD6";            // 中文字
    const std::string gbEnter = "\xC7\xEB\xCA\xE4\xC8\xEB";           // 请输入: no characters of 950
    const std::string western = "Gr\xF6\xDF"
                                "e 25\xB0"
                                "C Caf\xE9";
    struct Case {
        const char* name;
        int inUse;
        std::vector<std::string> texts;
        int reads;
    } cases[] = {
        {"Traditional read in 1252", 1252, {"Pump", big5Start}, 950},
        {"Traditional with ASCII trail bytes in 1252", 1252, {big5Set, "1"}, 950},
        {"Simplified read in 1252", 1252, {gbText}, 936},
        {"Simplified read in 950", 950, {gbEnter, gbText}, 936},
        {"Traditional read in 936", 936, {big5Middle}, 950},
        {"Western read in 950", 950, {western}, 1252},
        {"Western in 1252",
         1252,
         {western, "Gr\xF6\xDF"
                   "e Gr\xF6\xDF"
                   "e"},
         0},
        {"Traditional in 950, a Greek letter too", 950, {big5Start, big5Set, big5Ohm}, 0},
        {"Simplified in 936", 936, {gbText, gbEnter}, 0},
        {"ASCII in each", 936, {"Motor 1", "", "M12"}, 0},
        {"nothing", 1252, {}, 0},
        {"no code page reads them all", 1252, {big5Start, gbEnter}, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(kes::CodePageThatReads(c.texts, c.inUse), c.reads) << c.name;
}

TEST(CodePage, TheCodePagesThatHoldACharacter)
{
    EXPECT_EQ(kes::CodePagesHolding(QStringLiteral("中")), (std::vector<int>{950, 936}));
    EXPECT_EQ(kes::CodePagesHolding(QStringLiteral("這")), (std::vector<int>{950, 936}));
    EXPECT_EQ(kes::CodePagesHolding(QStringLiteral("这")), std::vector<int>{936});
    EXPECT_EQ(kes::CodePagesHolding(QStringLiteral("ß")), std::vector<int>{1252});
    EXPECT_EQ(kes::CodePagesHolding(QStringLiteral("A")), (std::vector<int>{950, 936, 1252}));
    EXPECT_TRUE(kes::CodePagesHolding(QStringLiteral("\U0001F600")).empty());
    EXPECT_TRUE(kes::CodePagesHolding(QString()).empty());
}
