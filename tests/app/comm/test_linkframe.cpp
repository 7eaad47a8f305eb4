// The link's frames: requests must come out byte for byte as the panel expects them, and the
// reply side must accept exactly the lines whose sum checks and whose error bit is clear, with
// the receiver's rules on ':' and on overlong input.
#include "app/comm/linkframe.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using kes::Bytes;
using kes::LinkCmd;

TEST(LinkFrame, RequestsAreUpperCaseHexWithLrcAndCrLf)
{
    const Bytes ab = {0xAA, 0xBB};
    struct Case {
        const char* name;
        LinkCmd cmd;
        std::uint32_t address;
        Bytes data;
        std::size_t length;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"identify", LinkCmd::Identify, 0, {}, 0, ":0133CC\r\n"},
        {"end", LinkCmd::End, 0x1234, {}, 0, ":0132CD\r\n"},
        {"set baud 115200", LinkCmd::SetBaud, 0, {4}, 1, ":013404C7\r\n"},
        {"read 32 at 0x2000", LinkCmd::Read, 0x2000, {}, 32, ":013100002000208E\r\n"},
        {"write AA BB at 0x1000", LinkCmd::Write, 0x1000, ab, 2, ":01300000100002AABB58\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(kes::LinkRequestText(1, c.cmd, c.address, c.data, c.length), c.expected) << c.name;

    // The longest request: a write of 32 bytes is 40 binary bytes, 83 characters.
    const Bytes full(32, 0x5A);
    EXPECT_EQ(kes::LinkRequestText(7, LinkCmd::Write, 0xFFFFFFFF, full, 32).size(), 83u);
}

TEST(LinkFrame, ReplyChecks)
{
    enum class Check { Ok, BadLrc, ErrorReply };
    struct Case {
        const char* name;
        std::string line; // as held after ':'
        Check check;
        Bytes bytes; // function byte and data when accepted
    };
    const std::vector<Case> cases = {
        {"write ack", "0130CF\r\n", Check::Ok, {0x30}},
        {"baud echo", "013404C7\r\n", Check::Ok, {0x34, 0x04}},
        // The station is summed but not compared with the request's.
        {"other station", "0930C7\r\n", Check::Ok, {0x30}},
        {"wrong sum", "0130CE\r\n", Check::BadLrc, {}},
        // Lower-case digits add nothing, so the sum no longer holds.
        {"lower-case digits", "01340cc7\r\n", Check::BadLrc, {}},
        // Two pairs summing to zero are still too short to be a reply.
        {"two pairs", "01FF\r\n", Check::BadLrc, {}},
        {"error bit", "01B04F\r\n", Check::ErrorReply, {0xB0}},
    };
    for (const Case& c : cases) {
        Bytes linkTxBin;
        const Check check = !kes::CheckLrc(c.line, linkTxBin) ? Check::BadLrc
                            : !kes::CheckReplyOk(linkTxBin)   ? Check::ErrorReply
                                                              : Check::Ok;
        EXPECT_EQ(check, c.check) << c.name;
        if (c.check == Check::Ok) {
            EXPECT_EQ(linkTxBin, c.bytes) << c.name;
        }
    }
}

// Feeds a stream in pieces of `step` characters and collects what the receiver reports.
std::vector<std::string> FeedAll(kes::LinkRx& rx, const std::string& stream, std::size_t step, bool* overflow)
{
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < stream.size(); at += step) {
        std::string_view piece = std::string_view(stream).substr(at, step);
        while (!piece.empty()) {
            const auto r = rx.Feed(piece);
            piece.remove_prefix(r.consumed);
            if (r.event == kes::LinkRx::Event::Overflow) {
                *overflow = true;
                return lines;
            }
            if (r.event == kes::LinkRx::Event::Line) {
                lines.emplace_back(rx.Line());
                rx.Clear();
            }
        }
    }
    return lines;
}

TEST(LinkFrame, ReceiverSplitsLinesAtColonAndCrLf)
{
    const std::string stream = "noise:01:0130CF\r\n:013404C7\r\n:01";
    for (std::size_t step : {std::size_t(1), std::size_t(3), stream.size()}) {
        kes::LinkRx rx;
        bool overflow = false;
        const auto lines = FeedAll(rx, stream, step, &overflow);
        EXPECT_FALSE(overflow);
        ASSERT_EQ(lines.size(), 2u) << "piece size " << step;
        EXPECT_EQ(lines[0], "0130CF\r\n"); // the characters before each ':' are dropped
        EXPECT_EQ(lines[1], "013404C7\r\n");
        EXPECT_EQ(rx.Line(), "01"); // the unfinished line waits for more
    }
}

TEST(LinkFrame, ReceiverOverflowsAtTheTwoHundredFirstCharacter)
{
    kes::LinkRx rx;
    bool overflow = false;
    EXPECT_TRUE(FeedAll(rx, ":" + std::string(200, '0'), 7, &overflow).empty());
    EXPECT_FALSE(overflow);
    FeedAll(rx, "0", 1, &overflow);
    EXPECT_TRUE(overflow);

    // A ':' starts afresh, so a long line before it does not count against the next one.
    kes::LinkRx fresh;
    overflow = false;
    const auto lines =
        FeedAll(fresh, std::string(150, 'x') + ":" + std::string(150, 'y') + ":0130CF\r\n", 10, &overflow);
    EXPECT_FALSE(overflow);
    EXPECT_EQ(lines, std::vector<std::string>{"0130CF\r\n"});
}

} // namespace
