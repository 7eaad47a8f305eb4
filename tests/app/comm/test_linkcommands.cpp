// The transfer commands: the once-per-run modem check must refuse a line where a modem answers
// (or no port is set) and let a direct cable through after its wait; the download command asks
// before it sends and never starts on a refused compile; the upload command starts with the
// open project untouched; the menu enables what the edit mode allows.
#include "app/comm/ui/linkcommands.h"
#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"
#include "commtestsupport.h"

#include <gtest/gtest.h>

namespace {

using namespace kes;
using namespace kes::test;

constexpr int kTick = 2; // 55 ticks of probe: 110 ms

TEST(PrepareLink, ModemCheckRunsOnceAndRefusesAnAnsweringModem)
{
    struct Case {
        const char* name;
        std::string modemAnswer;
        bool noPort;
        bool ready;
    };
    const std::vector<Case> cases = {
        {"direct cable: nothing answers", "", false, true},
        {"modem answers without carrier", "ATZ\r\r\nOK\r\n", false, false},
        {"no port set", "", true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedPrompt prompt;
        LinkRig rig;
        rig.panel.modemAnswer = c.modemAnswer;
        if (c.noPort)
            rig.port.Settings().name.clear();
        LinkPreparer preparer(rig.port, prompt, kTick);
        std::optional<bool> result;
        preparer.PrepareLink([&](bool ready) { result = ready; });
        ASSERT_TRUE(RunUntil([&] { return result.has_value(); }, 10000));
        EXPECT_EQ(*result, c.ready);
        EXPECT_EQ(rig.port.IsOpen(), c.ready);
        EXPECT_EQ(prompt.shown.size(), c.ready ? 0u : 1u);
        // The refusal is a warning of two lines.
        if (!c.ready) {
            EXPECT_EQ(prompt.shown[0], Msg(297) + "\n" + Msg(298));
            EXPECT_EQ(prompt.kinds[0], MsgKind::Error);
        }
        EXPECT_TRUE(preparer.ModemChecked());

        // Later transfers open the port at once, without a second check.
        if (c.noPort)
            continue;
        rig.port.Close();
        rig.panel.modemAnswer.clear();
        result.reset();
        preparer.PrepareLink([&](bool ready) { result = ready; });
        ASSERT_TRUE(result.has_value());
        EXPECT_TRUE(*result);
        EXPECT_TRUE(rig.port.IsOpen());
    }
}

TEST(TransferCommands, DownloadAsksAndStartsOnlyOnYes)
{
    struct Case {
        const char* name;
        bool compiled;
        bool compileWorks;
        std::vector<Answer> answers;
        bool transfers;
        std::size_t questions; // messages shown, the compile failure included
    };
    const std::vector<Case> cases = {
        {"compiled, yes", true, true, {Answer::Yes}, true, 1},
        {"compiled, no", true, true, {Answer::No}, false, 1},
        {"recompile, then yes", false, true, {Answer::Yes, Answer::Yes}, true, 2},
        {"no recompile, old image refused", false, true, {Answer::No, Answer::No}, false, 2},
        {"recompile fails", false, false, {Answer::Yes}, false, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedPrompt prompt;
        prompt.answers = c.answers;
        LinkRig rig;
        FirmwareDir dir(3, 1, 100, Bytes(40, 1));
        rig.engine.Options().firmwareDir = dir.Path();
        rig.panel.identity.firmwareStamp = dir.Stamp();
        ProjectState state;
        state.MachineId = 3;
        state.Compiled = c.compiled ? 1 : 0;
        LinkPreparer preparer(rig.port, prompt, kTick);
        int progressShown = 0;
        TransferCommandSteps steps;
        steps.buildImage = [&] { return c.compileWorks; };
        steps.showProgress = [&] { ++progressShown; };
        TransferCommands commands(state, prompt, preparer, rig.engine, steps, [] { return LinkRig::kBaud; });

        commands.MmComWrtClick();
        if (c.transfers) {
            ASSERT_TRUE(RunUntil([&] { return !rig.host.outcomes.empty(); }));
            EXPECT_TRUE(rig.host.outcomes[0].Ok());
            EXPECT_EQ(progressShown, 1);
        } else {
            EXPECT_FALSE(preparer.Busy());
            EXPECT_FALSE(rig.engine.Busy());
            EXPECT_EQ(progressShown, 0);
        }
        EXPECT_EQ(prompt.shown.size(), c.questions);
    }
}

// The upload reads its panel before anything of the open project changes: the command asks
// nothing and leaves the project's flags alone; an erased panel says it holds no project.
TEST(TransferCommands, UploadStartsWithTheOpenProjectInPlace)
{
    ScriptedPrompt prompt;
    LinkRig rig;
    ProjectState state;
    state.MachineId = 3;
    state.Modified = 1;
    state.Compiled = 0;
    LinkPreparer preparer(rig.port, prompt, kTick);
    TransferCommands commands(state, prompt, preparer, rig.engine, TransferCommandSteps{},
                              [] { return LinkRig::kBaud; });
    commands.MmComReadClick();
    ASSERT_TRUE(RunUntil([&] { return !rig.host.outcomes.empty(); }));
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_EQ(state.Modified, 1);
    EXPECT_EQ(state.Compiled, 0);
    EXPECT_EQ(rig.host.outcomes[0].error, LinkError::PanelEmpty);
    EXPECT_EQ(LinkMessageNumber(rig.host.outcomes[0].error), 760);
}

TEST(ComMenu, EnablesByEditMode)
{
    struct Case {
        std::int16_t machine;
        int editMode;
        std::size_t pages;
        ComMenuEnabled expected;
    };
    const std::vector<Case> cases = {
        {3, 1, 4, {false, false, false, true, false}}, {3, 2, 4, {false, false, false, false, true}},
        {3, 3, 4, {false, true, true, false, false}},  {3, 3, 0, {false, false, true, false, false}},
        {3, 0, 0, {false, false, true, false, false}}, {95, 3, 4, {true, false, false, false, false}},
    };
    for (const Case& c : cases) {
        const ComMenuEnabled e = ComMenuState(c.machine, static_cast<kes::Editing>(c.editMode), c.pages);
        EXPECT_EQ(e.byMainWindow, c.expected.byMainWindow);
        EXPECT_EQ(e.comWrt, c.expected.comWrt) << c.editMode << " " << c.pages;
        EXPECT_EQ(e.comRead, c.expected.comRead);
        EXPECT_EQ(e.userStart, c.expected.userStart);
        EXPECT_EQ(e.userMenu, c.expected.userMenu);
    }
}

} // namespace
