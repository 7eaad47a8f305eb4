// The keypad panels' bench protocol and key checks, and the modem's command texts: a key code
// outside 0x20..0xFF or a frame character outside 0..31 is refused (a long hexadecimal run is
// not cut down to a small value), a test request carries exactly the lines the panel font
// shows with the terminating character after the last, a reply shows printable letters as
// they are and every other byte escaped, and a dial command joins outside line, number and
// extension with the pauses modems expect.
#include "app/comm/keypadlink.h"
#include "app/comm/modemdialer.h"

#include <gtest/gtest.h>

namespace kes {
namespace {

std::string Text(const Bytes& b) { return std::string(b.begin(), b.end()); }

TEST(KeySettingChecks, KeyCodesAndFrameCharacters)
{
    const struct {
        const char* text;
        int code; // -1: refused
    } codes[] = {{"1F", -1},     {"20", 0x20},      {"FF", 0xFF},  {"ff", 0xFF}, {"", -1},  {"100", -1},
                 {" 3a ", 0x3A}, {"100000020", -1}, {"7F.", 0x7F}, {".", -1},    {"2G", -1}};
    for (const auto& c : codes) {
        const auto v = KeyCodeOfText(c.text);
        EXPECT_EQ(v ? int(*v) : -1, c.code) << '"' << c.text << '"';
    }
    const struct {
        const char* text;
        int value;
    } frames[] = {{"0", 0}, {"31", 31}, {" 7 ", 7}, {"32", -1}, {"", -1}, {"-1", -1}, {"1a", -1}, {"0031", -1}};
    for (const auto& c : frames) {
        const auto v = FrameCharOfText(c.text);
        EXPECT_EQ(v ? int(*v) : -1, c.value) << '"' << c.text << '"';
    }
    EXPECT_EQ(ControlCharName(0), "nul");
    EXPECT_EQ(ControlCharName(13), "cr");
    EXPECT_EQ(ControlCharName(31), "us");
    EXPECT_EQ(ControlCharName(32), "''");
    EXPECT_EQ(ControlCharName(33), "");
}

TEST(TestDisplayProtocol, LineLimitsByFontAndPanel)
{
    const int limits[6] = {8, 8, 5, 5, 4, 4};
    for (int font = 0; font < 6; ++font) {
        EXPECT_EQ(TestDisplayLineLimit(font, 0), limits[font]) << font;
        EXPECT_EQ(TestDisplayLineLimit(font, 1), limits[font] / 2) << font;
    }
}

TEST(TestDisplayProtocol, RequestFrames)
{
    TestDisplayRequest r;
    r.station = 7;
    r.terminator = 3;
    r.fontItem = 4;
    EXPECT_EQ(BuildTestDisplayRequest(r), (Bytes{'F', 4, 3}));

    // Ten lines in 8X16 on a full-size panel: the first four, the last followed by the terminator.
    for (int i = 0; i < 10; ++i)
        r.lines.push_back("L" + std::to_string(i));
    r.lineLimit = TestDisplayLineLimit(4, 0);
    EXPECT_EQ(Text(BuildTestDisplayRequest(r)), std::string("F\x04L0\nL1\nL2\nL3\x03", 14));

    r.multidrop = true;
    r.lines = {"AB"};
    EXPECT_EQ(BuildTestDisplayRequest(r), (Bytes{'A', 7, 'F', 4, 'A', 'B', 3}));
    r.keyScan = true;
    EXPECT_EQ(BuildTestDisplayRequest(r), (Bytes{'K', 7}));

    // A long line is carried whole.
    TestDisplayRequest big;
    big.lines = {std::string(3000, 'x')};
    EXPECT_EQ(BuildTestDisplayRequest(big).size(), 3003u);
}

TEST(TestDisplayProtocol, TextLinesAsALineListSeesThem)
{
    EXPECT_TRUE(TextLines("").empty());
    EXPECT_EQ(TextLines("a"), (std::vector<std::string>{"a"}));
    EXPECT_EQ(TextLines("a\n"), (std::vector<std::string>{"a"}));
    EXPECT_EQ(TextLines("a\r\n\nb"), (std::vector<std::string>{"a", "", "b"}));
}

TEST(TestDisplayProtocol, ReplyShownWithEscapes)
{
    const Bytes reply = {0x02, 'A', ' ', 0xB5, 'z', '0', '[', 0x0D};
    EXPECT_EQ(TestDisplayReplyText(reply), "/x02A/x20/xb5z0/x5b/x0d");
}

TEST(TestDisplayProtocol, ReceiverRestartsOnAStartCharacterAndOverflows)
{
    TestDisplayReceiver rx(2);
    const std::string batch = std::string("xx\x02"
                                          "AB\x02"
                                          "CD\r"
                                          "EF",
                                          11);
    auto r = rx.Feed(batch);
    EXPECT_EQ(r.event, TestDisplayReceiver::Event::Reply);
    EXPECT_EQ(r.consumed, 9u);
    EXPECT_EQ(rx.Reply(), (Bytes{2, 'C', 'D', '\r'}));

    // Bytes before any start character are kept; a CR with nothing held ends nothing.
    rx.Clear();
    r = rx.Feed("\rQ\r");
    EXPECT_EQ(r.event, TestDisplayReceiver::Event::Reply);
    EXPECT_EQ(rx.Reply(), (Bytes{'\r', 'Q', '\r'}));

    rx.Clear();
    r = rx.Feed(std::string(250, 'x'));
    EXPECT_EQ(r.event, TestDisplayReceiver::Event::Overflow);
    EXPECT_EQ(r.consumed, 201u);
}

TEST(TestDisplayProtocol, PortSettingsFromThePackedByte)
{
    const struct {
        std::uint8_t packed;
        int baud, dataBits;
        LinkParity parity;
        int stopBits;
    } cases[] = {{0x1C, 19200, 8, LinkParity::Even, 1},
                 {0x51, 4800, 7, LinkParity::None, 2},
                 {0x4A, 115200, 8, LinkParity::Odd, 1},
                 {0xF6, 9600, 7, LinkParity::None, 1}};
    for (const auto& c : cases) {
        const LinkPortSettings s = TestDisplayPortSettings(c.packed, "/dev/ttyX");
        EXPECT_EQ(s.name, "/dev/ttyX");
        EXPECT_EQ(s.baud, c.baud) << int(c.packed);
        EXPECT_EQ(s.dataBits, c.dataBits) << int(c.packed);
        EXPECT_EQ(s.parity, c.parity) << int(c.packed);
        EXPECT_EQ(s.stopBits, c.stopBits) << int(c.packed);
    }
}

TEST(ModemCommands, DialCommandAndResultWords)
{
    const struct {
        const char* outside;
        const char* number;
        const char* ext;
        const char* command;
    } dials[] = {{"9", "1234", "12", "ATDT9,,1234,,,,,12\r"},
                 {"", "", "12", "ATDT12\r"},
                 {"", "5550100", "", "ATDT5550100\r"},
                 {"0", "", "33", "ATDT0,,,,,,,33\r"}};
    for (const auto& d : dials) {
        ModemDialRequest r;
        r.outsideLine = d.outside;
        r.number = d.number;
        r.extension = d.ext;
        EXPECT_EQ(ModemDialCommand(r), d.command);
    }
    const struct {
        const char* line;
        ModemResult result;
    } words[] = {{"OK", ModemResult::Ok},
                 {"CONNECT", ModemResult::Connect},
                 {"CONNECT 9600/ARQ", ModemResult::Connect},
                 {"BUSY", ModemResult::Busy},
                 {"NO CARRIER", ModemResult::NoCarrier},
                 {"NO DIALTONE", ModemResult::NoDialtone},
                 {"ERROR", ModemResult::Error},
                 {"NO ANSWER", ModemResult::NoAnswer},
                 {"ATZ", ModemResult::None},
                 {"ATDT123", ModemResult::None},
                 {"OKAY", ModemResult::None}};
    for (const auto& w : words)
        EXPECT_EQ(ModemResultOf(w.line), w.result) << w.line;
}

} // namespace
} // namespace kes
