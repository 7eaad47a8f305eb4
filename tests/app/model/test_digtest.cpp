// The number-text helpers must give the texts and values the panel formats define for
// every format and width, refuse what a field cannot hold, and never throw or misread
// odd input (blank text, lone signs, overlong numbers, decimals).
#include "objects/digtest.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

namespace {

struct FormatCase {
    std::uint32_t value;
    int format;
    bool is32;
    const char* text;
};

struct ValidateCase {
    const char* text;
    int format;
    bool is32;
    int intDigits;
    int decDigits;
    bool withPoint;
    bool ok;
};

struct NotBelowCase {
    const char* a;
    const char* b;
    int format;
    int decDigits;
    bool notBelow;
};

} // namespace

TEST(Digtest, ValueToText)
{
    const FormatCase cases[] = {
        {0, 0, false, "0"},
        {0, 1, false, "0"},
        {0, 2, false, "0"},
        {0, 3, false, "0"},
        {0, 6, false, "0"},
        {0xFFFF, 1, false, "-1"},
        {0xFFFFFFFF, 1, true, "-1"},
        {0xFFFFFFFF, 0, false, "4294967295"}, // unsigned always shows 32 bits
        {0xFFFF8000, 1, false, "-32768"},     // 16-bit reads the low half only
        {0x7FFF, 1, false, "32767"},
        {0x80000000, 1, true, "-2147483648"},
        {0x1234, 3, false, "1234"},
        {0x10005, 2, false, "0005"},
        {0x10005, 2, true, "10005"},
        {0xABCDEF12, 2, true, "ABCDEF12"},
        {8, 6, false, "10"},
        {0xFFFFFFFF, 6, false, "37777777777"},
        {123, 7, true, ""},
        {123, 4, true, ""},
        {123, 5, false, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ValueToText(c.value, c.format, c.is32), c.text) << c.value << " format " << c.format;
}

TEST(Digtest, TextToValue)
{
    const struct {
        const char* text;
        int format;
        std::uint32_t value;
    } cases[] = {
        {"", 0, 0},
        {"   ", 0, 0},
        {" 42 ", 0, 42},
        {"4294967296", 0, 0}, // low 32 bits of the 64-bit value
        {"-1", 1, 0xFFFFFFFF},
        {"-32768", 1, 0xFFFF8000},
        {"1234", 3, 0x1234},
        {"ff", 2, 255},
        {"12G4", 2, 0x12}, // the leading run only
        {"123456789ABC", 2, 0x56789ABC},
        {"abc", 0, 0}, // no number: 0, no exception
        {"+", 1, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TextToValue(c.text, c.format), c.value) << '"' << c.text << "\" format " << c.format;
}

TEST(Digtest, RangeLimitText)
{
    EXPECT_EQ(RangeLimitText(1, 1, 0), "-2147483648");
    EXPECT_EQ(RangeLimitText(1, 0, 0), "-32768");
    EXPECT_EQ(RangeLimitText(3, 0, 1), "9999");
    EXPECT_EQ(RangeLimitText(3, 1, 1), "99999999");
    EXPECT_EQ(RangeLimitText(2, 2, 1), "FFFF"); // only 1 means 32 bits
    EXPECT_EQ(RangeLimitText(0, 1, 2), "0");    // only 1 means the maximum
    EXPECT_EQ(RangeLimitText(0, 1, 1), "4294967295");
    EXPECT_EQ(RangeLimitText(6, 1, 1), "");
}

TEST(Digtest, ValidateValueText)
{
    const ValidateCase cases[] = {
        {"65535", 0, false, 0, 0, false, true},
        {"65536", 0, false, 0, 0, false, false},
        {"4294967295", 0, true, 0, 0, false, true},
        {"4294967296", 0, true, 0, 0, false, false},
        {"99999999999999999999999", 0, true, 0, 0, false, false}, // past 64 bits
        {"", 0, false, 0, 0, false, false},                       // blank is no value
        {"-32768", 1, false, 0, 0, false, true},
        {"-32769", 1, false, 0, 0, false, false},
        {"+", 1, false, 0, 0, false, false},
        {"-", 1, true, 0, 0, false, false},
        {"12AB", 2, false, 0, 0, false, true},
        {"12ab", 2, false, 0, 0, false, true},
        {"12ABC", 2, false, 0, 0, false, false},
        {"12A", 3, false, 0, 0, false, false},
        {"12345", 3, false, 0, 0, false, false},
        {"12345", 3, true, 0, 0, false, true},
        {"12", 4, true, 5, 0, false, false},
        // Fixed places after a point.
        {"12.34", 0, false, 2, 2, true, true},
        {"123.4", 0, false, 2, 2, true, false},
        {"1.234", 0, false, 2, 2, true, false},
        {"-12.34", 1, false, 2, 2, true, true},
        {"1.5", 0, false, 2, 0, true, false},
        {"12", 0, false, 2, 0, true, true},
        {"123", 0, false, 2, 0, true, false},
        {"123", 0, false, 5, 2, true, true}, // a whole number needs no point
        {"12345", 0, false, 5, 2, true, true},
        {"123456", 0, false, 5, 2, true, false},
        {"1.", 0, false, 2, 2, true, true},
        {"655.36", 0, false, 3, 2, true, false}, // 65536 past 16 bits
        // Floating values: a number within the digit count.
        {"-1.5", 7, true, 2, 1, true, true},
        {"12.5", 7, true, 4, 2, false, true},
        {"1X.5", 7, true, 4, 2, false, false},
        {"123456", 7, true, 3, 2, false, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ValidateValueText(c.text, c.format, c.is32, c.intDigits, c.decDigits, c.withPoint), c.ok)
            << '"' << c.text << "\" format " << c.format << " int " << c.intDigits << " dec " << c.decDigits;
}

TEST(Digtest, ValueTextNotBelow)
{
    const NotBelowCase cases[] = {
        {"FF", "100", 2, 0, false},
        {"-1", "-2", 1, 0, true},
        {"-2", "-1", 1, 0, false},
        {"7", "7", 0, 0, true},
        {"9999", "10000", 3, 0, false},
        {"65535", "0", 0, 0, true},
        // With places the values compare exactly, not as whole numbers.
        {"12.34", "12.9", 0, 2, false},
        {"12.9", "12.34", 0, 2, true},
        {"12.5", "12.50", 0, 2, true},
        {"12", "11.99", 0, 2, true},
        {"-0.5", "-0.25", 1, 2, false},
        {"-0.25", "-0.5", 1, 2, true},
        {"0.0", "-0", 1, 1, true},
        {"12.34", "12.9", 3, 2, false},
        {"1.8", "1.A", 2, 1, false},
        {"1", "1", 6, 0, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ValueTextNotBelow(c.a, c.b, c.format, c.decDigits), c.notBelow)
            << c.a << " vs " << c.b << " format " << c.format << " dec " << c.decDigits;
}

TEST(Digtest, CharacterTestsAndDigitConversions)
{
    EXPECT_TRUE(IsDecimalText(""));
    EXPECT_FALSE(IsDecimalText(" 1"));
    EXPECT_FALSE(IsUpperAlnumText("Ab"));
    EXPECT_TRUE(IsUpperAlnumText("AB12"));
    EXPECT_TRUE(IsHexText("fA09"));
    EXPECT_FALSE(IsOctalText("18"));
    EXPECT_FALSE(IsSignedDecimalText(""));
    EXPECT_TRUE(IsSignedDecimalText("-"));
    EXPECT_TRUE(IsSignedDecimalText("+12"));
    EXPECT_FALSE(IsSignedDecimalText("1-2"));

    EXPECT_EQ(HexPairToByte('A', '5'), 0xA5);
    EXPECT_EQ(HexPairToByte('a', '5'), 5); // lower case is passed over
    char pair[2];
    ByteToHexPair(0x3C, pair);
    EXPECT_EQ(std::string(pair, 2), "3C");
    char buf[] = " 1 2";
    SpacesToZeros(buf, 2);
    EXPECT_STREQ(buf, "01 2");

    EXPECT_EQ(HexTextToUInt("1fG"), 0x1Fu);
    EXPECT_EQ(HexTextToUInt("x"), 0u);
    EXPECT_EQ(HexTextToUInt("123456789"), 0x23456789u);
    EXPECT_DOUBLE_EQ(HexTextToDouble("123456789"), 4886718345.0);
    EXPECT_EQ(OctTextToInt("17"), 15);
    EXPECT_EQ(OctTextToInt("777"), 511);
    EXPECT_EQ(DecimalTextToInt("-5"), -5);
    EXPECT_EQ(DecimalTextToInt("4294967297"), 1);
    EXPECT_EQ(DecimalTextToInt(""), 0);

    std::vector<std::string> list{"old"};
    const std::uint32_t values[] = {0xFFFF, 10};
    FillValueList(list, values, 2, 1, false);
    EXPECT_EQ(list, (std::vector<std::string>{"-1", "10"}));
}

TEST(Digtest, ReverseBytes)
{
    const std::array<std::uint8_t, 4> in{1, 2, 3, 4};
    std::array<std::uint8_t, 4> out{};
    ReverseBytes(out.data(), in.data(), 4);
    EXPECT_EQ(out, (std::array<std::uint8_t, 4>{4, 3, 2, 1}));
    ReverseBytes(out.data(), in.data(), 0);
    EXPECT_EQ(out[0], 4);
}
