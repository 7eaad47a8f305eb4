// The device-address codec over small hand-made tables: the edge cases that decide
// which device a text names, which range a code falls in, how plain numbers, panel
// memory and absolute addresses are written, and where multiple copy moves next.
#include "modeltestutil.h"

#include <gtest/gtest.h>

using namespace kes;
using kes::test::Device;
using kes::test::Model;

namespace {

class Codec : public ::testing::Test {
protected:
    Codec() : m("/nonexistent/") {}
    LxTypeCore& c() { return *m.core; }
    std::string Fmt(std::uint32_t code, std::uint8_t mode, std::uint8_t bit = 0, std::uint8_t access = 0)
    {
        return c().FormatDeviceAddress(code, mode, access, bit, true, false);
    }
    std::int32_t Parse(const std::string& text, std::uint8_t mode)
    {
        return c().ParseDeviceAddress(text, mode, 0, true, false);
    }
    Model m;
};

} // namespace

TEST_F(Codec, NoAddressIsEmptyInEveryForm)
{
    c().DeviceTable = {Device("D", 1, 2, 0, 99, 0)};
    for (std::uint8_t mode : {0, 1, 2})
        for (bool deviceForm : {false, true})
            for (bool internal : {false, true})
                EXPECT_EQ(c().FormatDeviceAddress(0xFFFFFFFF, mode, 0, 0, deviceForm, internal), "");
    EXPECT_EQ(c().ParseDeviceAddress("", 1, 0, true, false), -1);
}

TEST_F(Codec, PanelMemory)
{
    struct Case {
        std::uint32_t code;
        std::uint8_t mode;
        const char* text;
    } cases[] = {
        {5, 0, "@B5"}, {0x30005, 1, "@V5"}, {1023, 0, "@B1023"}, {0x303FF, 1, "@V1023"},
        {5, 2, "@B5"}, {0x30005, 2, "@V5"}, {5, 1, "@B5"}, // a bit code in word mode still finds "@B"
        {1024, 0, ""}, {0x30400, 1, ""},    {0x20000, 2, ""},
    };
    for (const auto& k : cases)
        EXPECT_EQ(c().FormatDeviceAddress(k.code, k.mode, 0, 0, true, true), k.text) << k.code;

    EXPECT_EQ(c().ParseDeviceAddress("@b5", 0, 0, true, true), 5);
    EXPECT_EQ(c().ParseDeviceAddress("@V5", 1, 0, true, true), 0x30005);
    EXPECT_EQ(c().ParseDeviceAddress("@V5", 2, 0, true, true), 0x30005);
    EXPECT_EQ(c().ParseDeviceAddress("@B5", 2, 0, true, true), 5);
    EXPECT_EQ(c().ParseDeviceAddress("@V5", 0, 0, true, true), -1);
    EXPECT_EQ(c().ParseDeviceAddress("@B1024", 0, 0, true, true), -1);
    EXPECT_EQ(c().ParseDeviceAddress("@B", 0, 0, true, true), -1);
    EXPECT_FALSE(c().ValidateDeviceAddress("@B1024", 0x00, 0, true, true));
    EXPECT_FALSE(c().ValidateDeviceAddress("@V5", 0x00, 0, true, true));
    EXPECT_TRUE(c().ValidateDeviceAddress("@V5", 0x20, 0, true, true));
    EXPECT_FALSE(c().ValidateDeviceAddress("@B5X", 0x00, 0, true, true));

    // Absolute panel memory: "@V" reaches 1024 words, "$" only the first 128.
    const struct {
        const char* text;
        std::uint8_t flags;
        bool ok;
    } abs[] = {
        {"$30080", 0x10, false}, {"$3007F", 0x10, true},  {"$30100", 0x20, true}, {"$3FF", 0x00, true},
        {"$400", 0x00, false},   {"$30000", 0x00, false}, {"$", 0x20, false},     {"$XYZ", 0x20, false},
    };
    for (const auto& k : abs)
        EXPECT_EQ(c().ValidateDeviceAddress(k.text, k.flags, 0, false, true), k.ok) << k.text;
    EXPECT_TRUE(c().ValidateDeviceAddress("@V200", 0x10, 0, true, true));
}

TEST_F(Codec, AbsoluteAddresses)
{
    c().DeviceTable = {Device("D", 1, 2, 0, 99, 0)};
    EXPECT_EQ(c().FormatDeviceAddress(0x1A2B, 1, 0, 0, false, false), "$1A2B");
    EXPECT_EQ(c().FormatDeviceAddress(0x12345, 1, 0, 0, false, false), "$12345");
    EXPECT_EQ(c().FormatDeviceAddress(0, 1, 0, 0, false, false), "$0");
    EXPECT_EQ(c().ParseDeviceAddress("$1A2B", 1, 0, false, false), 0x1A2B);
    EXPECT_TRUE(c().ValidateDeviceAddress("$1a2b", 0x10, 0, false, false));
    EXPECT_FALSE(c().ValidateDeviceAddress("1A2B", 0x10, 0, false, false));
    EXPECT_FALSE(c().ValidateDeviceAddress("$123456789", 0x10, 0, false, false));
}

// Bits numbered as device numbers, 16 to a unit (octal): X17 is bit 15 of the first unit.
TEST_F(Codec, BitsNumberedAsDeviceNumbers)
{
    c().DeviceTable = {Device("X", 0, 1, 0, 0377, 0x1000, 16)};
    EXPECT_EQ(Parse("X17", 0), 0x1000);
    EXPECT_EQ(c().ParseDeviceBitIndex("X17", true, false), 15);
    EXPECT_EQ(Fmt(0x1000, 0, 15), "X17");
    EXPECT_EQ(Parse("X20", 0), 0x1001);
    EXPECT_EQ(c().ParseDeviceBitIndex("X20", true, false), 0);
    EXPECT_EQ(Fmt(0x100F, 0, 15), "X377");
    EXPECT_EQ(Fmt(0x1010, 0, 0), ""); // past the range
    EXPECT_TRUE(c().ValidateDeviceAddress("X377", 0x00, 0, true, false));
    EXPECT_FALSE(c().ValidateDeviceAddress("X400", 0x00, 0, true, false));
    EXPECT_FALSE(c().ValidateDeviceAddress("X18", 0x00, 0, true, false)); // no octal digit
    EXPECT_FALSE(c().ValidateDeviceAddress("X", 0x00, 0, true, false));
}

// Numbers past 255 keep their bit within the unit (a range that starts high included).
TEST_F(Codec, BitIndexOfHighNumbers)
{
    c().DeviceTable = {Device("M", 0, 2, 1000, 1999, 0x2000, 16)};
    EXPECT_EQ(c().ParseDeviceBitIndex("M1005", true, false), 5);
    EXPECT_EQ(c().ParseDeviceBitIndex("M1255", true, false), 15);
    EXPECT_EQ(c().ParseDeviceBitIndex("M1999", true, false), 7);
    const std::int32_t code = Parse("M1999", 0);
    EXPECT_EQ(Fmt(static_cast<std::uint32_t>(code), 0, 7), "M1999");
}

TEST_F(Codec, BitSeparator)
{
    DevRecord d = Device("D", 2, 2, 0, 999, 0x100);
    d.BitSeparator = ".";
    d.BitLimit = 16;
    c().DeviceTable = {d};
    EXPECT_EQ(c().ParseDeviceBitIndex("D100.5", true, false), 5);
    EXPECT_EQ(Parse("D100.5", 0), 0x100 + 100);
    EXPECT_EQ(Fmt(0x100 + 100, 0, 5), "D100.5");
    EXPECT_EQ(Fmt(0x100 + 100, 1, 5), "D100"); // word mode leaves the bit out

    const struct {
        const char* text;
        std::uint8_t flags;
        bool ok;
    } cases[] = {
        {"D100.5", 0x00, true},  {"D100", 0x00, false},   // a bit needs its bit part
        {"D100", 0x10, true},    {"D100.5", 0x10, false}, // a word must not have one
        {"D100.15", 0x00, true}, {"D100.16", 0x00, false}, {"D100.", 0x00, false},
        {"D100.A", 0x00, false}, {"D100", 0x20, true},     {"d100.5", 0x00, true},
    };
    for (const auto& k : cases)
        EXPECT_EQ(c().ValidateDeviceAddress(k.text, k.flags, 0, true, false), k.ok) << k.text;
}

TEST_F(Codec, LongestNameWins)
{
    const DevRecord t = Device("T", 1, 2, 0, 255, 0x1000);
    const DevRecord ts = Device("TS", 0, 2, 0, 255, 0x2000);
    for (bool tFirst : {true, false}) {
        c().DeviceTable = tFirst ? std::vector<DevRecord>{t, ts} : std::vector<DevRecord>{ts, t};
        EXPECT_EQ(Parse("TS5", 2), 0x2005) << tFirst;
        EXPECT_EQ(Parse("T5", 2), 0x1005) << tFirst;
        EXPECT_TRUE(c().ValidateDeviceAddress("TS5", 0x00, 0, true, false)) << tFirst;
        EXPECT_FALSE(c().ValidateDeviceAddress("TS5", 0x10, 0, true, false)) << tFirst;
        EXPECT_EQ(Fmt(0x2005, 0), "TS5");
    }
    // Device list positions: the last name that begins the text.
    c().DeviceTable = {Device("D", 1, 2, 0, 999, 0), Device("DS", 1, 2, 0, 999, 0x1000)};
    EXPECT_EQ(c().DeviceIndexOfText("D100"), 0);
    EXPECT_EQ(c().DeviceIndexOfText("DS100"), 1);
    EXPECT_EQ(c().DeviceIndexOfText("Q1"), 0);
    EXPECT_EQ(c().DeviceListIndexOfText("DS100", 1), 1);
}

TEST_F(Codec, SeparatorAndRadixes)
{
    DevRecord h = Device("H", 1, 2, 0, 511, 0x500);
    h.Separator = ":";
    c().DeviceTable = {h, Device("W", 1, 3, 0, 0x1FFF, 0x8000)};
    EXPECT_EQ(Parse("H:12", 1), 0x500 + 12);
    EXPECT_EQ(Parse("H12", 1), -1);
    EXPECT_FALSE(c().ValidateDeviceAddress("H12", 0x10, 0, true, false));
    EXPECT_EQ(Fmt(0x500 + 12, 1), "H:12");
    EXPECT_EQ(Parse("w1ff", 1), 0x8000 + 0x1FF);
    EXPECT_EQ(Fmt(0x8000 + 0x1FF, 1), "W1FF");
    EXPECT_EQ(Parse("W2000", 1), -1); // outside every range
}

TEST_F(Codec, AccessClassesAndTwoPasses)
{
    // C0..C199 16-bit; C200..C255 32-bit units two codes apart.
    DevRecord cnt = Device("C", 1, 2, 0, 199, 0x1200);
    cnt.Ranges.push_back(DevRange{200, 255, 1, 2, 0x1300});
    c().DeviceTable = {cnt};
    EXPECT_EQ(Parse("C201", 1), 0x1302);
    EXPECT_EQ(Fmt(0x1302, 1, 0, 1), "C201");
    EXPECT_EQ(Fmt(0x1302, 1, 0, 0), "C201");
    EXPECT_EQ(Fmt(0x1205, 1, 0, 0), "C5");

    c().LastAccess = 9;
    EXPECT_TRUE(c().ValidateDeviceAddress("C201", 0x10, 1, true, false));
    EXPECT_EQ(c().LastAccess, 1);
    EXPECT_TRUE(c().ValidateDeviceAddress("C201", 0x10, 0, true, false)); // caller compares LastAccess
    EXPECT_EQ(c().LastAccess, 1);
    EXPECT_TRUE(c().ValidateDeviceAddress("C5", 0x10, 1, true, false)); // 32 bits from two 16-bit words
    EXPECT_EQ(c().LastAccess, 0);
    EXPECT_FALSE(c().ValidateDeviceAddress("C199", 0x10, 1, true, false)); // no second word

    // With the length choosing the access class, only matching ranges are written.
    c().LengthSelectsAccess = true;
    EXPECT_EQ(Fmt(0x1302, 1, 0, 1), "C201");
    EXPECT_EQ(Fmt(0x1302, 1, 0, 0), "");
    EXPECT_EQ(Fmt(0x1205, 1, 0, 1), "C5"); // the second pass takes the 16-bit range
}

// A bit device used as a 16-bit word needs 16 bits from the number on.
TEST_F(Codec, EitherModeOnBitDevices)
{
    c().DeviceTable = {Device("M", 0, 2, 0, 99, 0x3000)};
    EXPECT_TRUE(c().ValidateDeviceAddress("M84", 0x20, 0, true, false));
    EXPECT_FALSE(c().ValidateDeviceAddress("M85", 0x20, 0, true, false));
    EXPECT_FALSE(c().ValidateDeviceAddress("M5", 0x10, 0, true, false));
    EXPECT_FALSE(c().ValidateDeviceAddress("M5", 0x30, 0, true, false)); // no such mode
}

TEST_F(Codec, PlainNumbers)
{
    c().AddrTextFmt = 0x15;
    c().DeviceTable = {Device("*BIT", 0, 2, 1, 19999, 0x10000), Device("*VAL", 1, 2, 30001, 49999, 0x30000)};
    EXPECT_EQ(Fmt(0x10000 + 16, 0), "00017");
    EXPECT_EQ(Parse("17", 0), 0x10000 + 16);
    EXPECT_EQ(Parse("00017", 0), 0x10000 + 16);
    EXPECT_EQ(Parse("40001", 1), 0x30000 + 10000);
    EXPECT_EQ(Fmt(0x30000 + 10000, 1), "40001");
    // Either mode: a leading 0 or 1 is a bit.
    EXPECT_EQ(Parse("17", 2), 0x10000 + 16);
    EXPECT_EQ(Parse("40001", 2), 0x30000 + 10000);
    EXPECT_TRUE(c().ValidateDeviceAddress("17", 0x00, 0, true, false));
    EXPECT_FALSE(c().ValidateDeviceAddress("40001", 0x00, 0, true, false));
    EXPECT_TRUE(c().ValidateDeviceAddress("40001", 0x20, 0, true, false));
    // Panel memory and absolute texts are not plain numbers.
    EXPECT_EQ(c().ParseDeviceAddress("@V3", 1, 0, true, true), 0x30003);
    EXPECT_EQ(c().ParseDeviceAddress("$10", 1, 0, false, false), 0x10);
}

TEST_F(Codec, NextAddress)
{
    DevRecord x = Device("X", 0, 1, 0, 037, 0x1000, 16);
    DevRecord d = Device("D", 2, 2, 0, 9, 0x2000);
    d.BitSeparator = ".";
    d.BitLimit = 16;
    d.Ranges.push_back(DevRange{100, 101, 0, 1, 0x2100});
    c().DeviceTable = {x, d, Device("R", 1, 2, 0, 9, 0x3000)};
    c().DefWordCode = 0x3000;
    c().DefBitCode = 0x1000;

    std::uint8_t bit = 15;
    EXPECT_EQ(c().NextDeviceAddress(0x1000, 0, 0, bit, true, false), 0x1001u); // last bit -> next unit
    EXPECT_EQ(bit, 0);
    bit = 3;
    EXPECT_EQ(c().NextDeviceAddress(0x1000, 0, 0, bit, true, false), 0x1000u);
    EXPECT_EQ(bit, 4);

    bit = 15;
    EXPECT_EQ(c().NextDeviceAddress(0x2003, 0, 0, bit, true, false), 0x2004u); // D3.15 -> D4.0
    EXPECT_EQ(bit, 0);
    bit = 0;
    EXPECT_EQ(c().NextDeviceAddress(0x2009, 1, 0, bit, true, false), 0x2100u); // D9 -> D100
    EXPECT_EQ(c().NextDeviceAddress(0x2101, 1, 0, bit, true, false), 0x3000u); // D101 -> R0
    EXPECT_EQ(c().NextDeviceAddress(0x3009, 1, 0, bit, true, false), 0x3000u); // R9 -> the default word
    bit = 7;
    EXPECT_EQ(c().NextDeviceAddress(0x1001, 0, 0, bit, true, false), 0x1001u);
    bit = 15;
    EXPECT_EQ(c().NextDeviceAddress(0x1001, 0, 0, bit, true, false), 0x2000u); // X37 -> D0.0
    EXPECT_EQ(bit, 0);

    bit = 0;
    EXPECT_EQ(c().NextDeviceAddress(1023, 0, 0, bit, true, true), 0u); // @B1023 wraps to @B0
    EXPECT_EQ(c().NextDeviceAddress(0x30005, 1, 0, bit, true, true), 0x30006u);
    EXPECT_EQ(c().NextDeviceAddress(0x303FF, 1, 0, bit, true, true), 0x30000u);
}

// The extended format: station, device id, number and field bytes.
TEST_F(Codec, ExtendedFormat)
{
    c().TableMachineId = kExtendedMachineId;
    DevRecord n = Device("N", 2, 2, 0, 255, 0x070000);
    n.Separator = ":";
    n.BitSeparator = "/";
    n.BitLimit = 16;
    n.ExtStation = 7;
    n.ExtValueA = {9};
    n.ExtValueB = {20};
    n.ExtCharA = {'N'};
    n.ExtCharB = {'N'};
    DevRecord t = Device("T", 2, 2, 0, 99, 0x040000);
    t.Separator = ":";
    t.BitSeparator = "/";
    t.BitLimit = 16;
    t.ExtStation = 4;
    t.BitNameValues = {15, 13};
    t.BitNames = {"EN", "DN"};
    t.FieldLimit = 3;
    t.FieldValues = {1, 2};
    t.FieldNames = {"PRE", "ACC"};
    c().DeviceTable = {n, t};
    c().DefWordCode = 0x070000;
    c().DefBitCode = 0x070000;

    EXPECT_EQ(Parse("N:5", 1), 0x07070500);
    EXPECT_EQ(Parse("N9:5", 1), 0x09070500);
    EXPECT_EQ(Fmt(0x09070500, 1), "N9:5");
    EXPECT_EQ(Fmt(0x07070500, 1), "N:5");
    EXPECT_EQ(Fmt(0x00070500, 1), "N:5");
    EXPECT_EQ(Parse("T:2.ACC", 1), 0x04040202);
    EXPECT_EQ(Parse("t:2.2", 1), 0x04040202);
    EXPECT_EQ(Fmt(0x04040202, 1), "T:2.ACC");
    EXPECT_EQ(c().ParseDeviceBitIndex("T:2/DN", true, false), 13);
    EXPECT_EQ(c().ParseDeviceBitIndex("T:2/5", true, false), 5);
    EXPECT_EQ(c().ParseDeviceBitIndex("T:2/16", true, false), 0);
    EXPECT_EQ(Fmt(0x04040200, 0, 13), "T:2/DN");
    EXPECT_EQ(Fmt(0x04040200, 0, 5), "T:2/5");
    EXPECT_EQ(Fmt(0x00990000, 1), ""); // no device with that id

    const struct {
        const char* text;
        std::uint8_t flags;
        bool ok;
    } cases[] = {
        {"N:5", 0x10, true},    {"N9:5", 0x10, true},   {"N21:5", 0x10, false},  {"N7:5", 0x10, false},
        {"N:256", 0x10, false}, {"N:5/3", 0x00, true},  {"N:5", 0x00, false},    {"N:5/16", 0x00, false},
        {"T4:2", 0x10, true},   {"T5:2", 0x10, false},  {"T:2.ACC", 0x10, true}, {"T:2.XYZ", 0x10, false},
        {"T:2.3", 0x10, false}, {"T:2/DN", 0x00, true}, {"T:2/XX", 0x00, false}, {"T:2.PRE/EN", 0x00, true},
        {"N:", 0x10, false},    {"N:5.1", 0x10, false}, {"Q:5", 0x10, false},    {"N:5X", 0x10, false},
    };
    for (const auto& k : cases)
        EXPECT_EQ(c().ValidateDeviceAddress(k.text, k.flags, 0, true, false), k.ok) << k.text;
    // Word mode with 32 bits refuses the last number of a 16-bit range.
    EXPECT_FALSE(c().ValidateDeviceAddress("N:255", 0x10, 1, true, false));

    std::uint8_t bit = 0;
    EXPECT_EQ(c().NextDeviceAddress(0x04040200, 1, 0, bit, true, false), 0x04040201u); // next field
    EXPECT_EQ(c().NextDeviceAddress(0x04040202, 1, 0, bit, true, false), 0x04040300u); // next number
    bit = 15;
    EXPECT_EQ(c().NextDeviceAddress(0x07070500, 0, 0, bit, true, false), 0x07070600u);
    EXPECT_EQ(bit, 0);
    EXPECT_EQ(c().NextDeviceAddress(0x0707FF00, 1, 0, bit, true, false), 0x09070000u); // next station
    EXPECT_EQ(c().NextDeviceAddress(0x0A07FF00, 1, 0, bit, true, false), 0x0B070000u);
    EXPECT_EQ(c().NextDeviceAddress(0x1407FF00, 1, 0, bit, true, false), 0x070000u); // after the last
}
