// The modem dialler against a modem of our own on a pseudo-terminal, on a fast clock: every
// attempt resets the modem, sets it up and dials; a connect leaves the call up and the port
// open; a busy line or a silent one leads to the next attempt and, after the last, to the end
// it names with the port closed; Stop and Cancel hang up a call that is up ("+++", then
// "ATH0" after the guard time), and a dial in progress is broken off by a reset. An attempt
// whose time is not what a case is about gets time to spare, so a busy machine that is slow to
// pass the modem's answers does not end it; waits end on the event, with a generous deadline.
#include "app/comm/modemdialer.h"
#include "commtestsupport.h"

#include <gtest/gtest.h>

#include <optional>

namespace kes::test {
namespace {

constexpr const char* kSetUp = "ATS7=50S9=10X1X4";
// Seconds of the dialler's fast clock: time to spare, and time for the set-up and the dial
// before a silent line runs out.
constexpr int kSpareSeconds = 3000;
constexpr int kSilentSeconds = 200;

class ModemRig : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(panel.Ok());
        panel.modem.on = true;
        port.Settings().name = panel.SlavePath();
        port.Settings().baud = 115200;
        dialer.Ended = [this](ModemEnd why) { ended = why; };
        dialer.CallUp = [this] { ++callsUp; };
    }

    ModemDialRequest Request(int attempts, int seconds = kSpareSeconds)
    {
        ModemDialRequest r;
        r.outsideLine = "9";
        r.number = "5550100";
        r.attempts = attempts;
        r.dialSeconds = seconds;
        return r;
    }

    std::vector<std::string> Attempt() const { return {"ATZ", kSetUp, "ATDT9,,5550100"}; }

    FakePanel panel;
    QtLinkPort port;
    bool openFails = false;
    ModemDialer dialer{port, [this] { return !openFails && port.Open(); }, 10};
    std::optional<ModemEnd> ended;
    int callsUp = 0;
};

TEST_F(ModemRig, DialThatConnectsThenStopHangsUp)
{
    panel.modem.dialResults = {"CONNECT 9600"};
    ASSERT_TRUE(dialer.Dial(Request(1)));
    EXPECT_FALSE(dialer.Dial(Request(1))); // one run at a time
    ASSERT_TRUE(RunUntil([&] { return dialer.Connected(); }));
    EXPECT_EQ(dialer.State(), ModemState::Connected);
    EXPECT_EQ(callsUp, 1);
    EXPECT_EQ(panel.ModemCommands(), Attempt());
    EXPECT_TRUE(port.IsOpen());
    EXPECT_FALSE(dialer.Busy());

    dialer.Stop();
    EXPECT_EQ(dialer.State(), ModemState::HangingUp);
    ASSERT_TRUE(RunUntil([&] { return dialer.Idle(); }));
    RunUntil([&] { return panel.modem.hangUps > 0; });
    EXPECT_EQ(panel.modem.hangUps, 1);
    std::vector<std::string> expected = Attempt();
    expected.insert(expected.end(), {"+++", "ATH0"});
    EXPECT_EQ(panel.ModemCommands(), expected);
    EXPECT_FALSE(dialer.Connected());
    EXPECT_TRUE(port.IsOpen());
    EXPECT_FALSE(ended.has_value());
}

TEST_F(ModemRig, BusyLineIsDialledAgain)
{
    panel.modem.dialResults = {"BUSY", "CONNECT"};
    ASSERT_TRUE(dialer.Dial(Request(3)));
    ASSERT_TRUE(RunUntil([&] { return dialer.Connected(); }));
    EXPECT_EQ(dialer.Attempt(), 2);
    std::vector<std::string> expected = Attempt();
    const std::vector<std::string> again = Attempt();
    expected.insert(expected.end(), again.begin(), again.end());
    EXPECT_EQ(panel.ModemCommands(), expected);
    dialer.Cancel();
    ASSERT_TRUE(RunUntil([&] { return dialer.Idle(); }));
    EXPECT_EQ(panel.modem.commands.back(), "ATH0");
    EXPECT_FALSE(port.IsOpen());
}

// The attempts left start at the number asked for; the redial takes one off and ends the run
// (message 464) when none is left, so a lone attempt that times out ends on the redial path.
// Only with no attempt asked for does a time-out end the run itself (message 482), and then
// the dial command is never sent.
TEST_F(ModemRig, AttemptsRunOutWithTheirEnd)
{
    const struct {
        const char* name;
        bool modemAnswers;
        std::deque<std::string> results;
        int attempts;
        int seconds;
        ModemEnd end;
        std::size_t dials;
    } cases[] = {
        {"silent line", true, {""}, 1, kSilentSeconds, ModemEnd::AttemptsFailed, 1},
        {"silent line twice", true, {"", ""}, 2, kSilentSeconds, ModemEnd::AttemptsFailed, 2},
        {"silent modem, one attempt", false, {}, 1, 20, ModemEnd::AttemptsFailed, 0},
        {"silent modem, no attempt", false, {}, 0, 20, ModemEnd::TimeOver, 0},
        {"no attempt asked dials nothing", true, {""}, 0, kSpareSeconds, ModemEnd::AttemptsFailed, 0},
        {"busy every time", true, {"BUSY", "NO ANSWER"}, 2, kSpareSeconds, ModemEnd::AttemptsFailed, 2},
        {"no dial tone", true, {"NO DIALTONE"}, 1, kSpareSeconds, ModemEnd::AttemptsFailed, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        panel.modem.on = c.modemAnswers;
        panel.modem.commands.clear();
        panel.modem.dialResults = c.results;
        ended.reset();
        ASSERT_TRUE(dialer.Dial(Request(c.attempts, c.seconds)));
        ASSERT_TRUE(RunUntil([&] { return ended.has_value(); }));
        EXPECT_EQ(*ended, c.end);
        EXPECT_TRUE(dialer.Idle());
        EXPECT_FALSE(port.IsOpen());
        std::size_t dials = 0;
        for (const std::string& cmd : panel.modem.commands)
            dials += cmd.rfind("ATDT", 0) == 0;
        EXPECT_EQ(dials, c.dials);
        EXPECT_EQ(callsUp, 0);
    }
}

TEST_F(ModemRig, StopBreaksOffADialAndAPortThatWillNotOpenDialsNothing)
{
    ASSERT_TRUE(dialer.Dial(Request(2)));
    const auto& commands = panel.modem.commands;
    ASSERT_TRUE(RunUntil([&] { return !commands.empty() && commands.back().rfind("ATDT", 0) == 0; }));
    EXPECT_EQ(dialer.State(), ModemState::Dialling);
    dialer.Stop();
    EXPECT_TRUE(dialer.Idle());
    EXPECT_TRUE(port.IsOpen());
    ASSERT_TRUE(RunUntil([&] { return commands.back() == "ATZ"; }));

    port.Close();
    openFails = true;
    EXPECT_FALSE(dialer.Dial(Request(1)));
    EXPECT_TRUE(dialer.Idle());
}

} // namespace
} // namespace kes::test
