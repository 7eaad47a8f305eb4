// The main window's transfer host: a download must send the system block built from the project
// state, an upload must bring the panel's controller, ports, passwords and pages back into the
// project, and the end of either closes the progress window and shows exactly one message, a
// failure with the warning icon. An upload changes the project only once it reads as a project
// and the user has let the open one go.
// Progress and status show at a steady rate, however many frames go by.
#include "app/comm/ui/mainlinkhost.h"
#include "app/comm/ui/tcomprogbar.h"
#include "app/ui/errortext.h"
#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"
#include "commtestsupport.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

namespace {

using namespace kes;
using namespace kes::test;

struct MainRig {
    Prompt& prompt; // what the transfer's end is told through
    FakePanel panel;
    QtLinkPort port;
    ProjectState state;
    int closedForUpload = 0;
    bool keepProject = false;    // the user's answer when asked to let the project go
    UploadProblem uploadProblem; // what the upload's check finds
    int unknownModel = -1;       // a panel model index the model list lacks
    int activated = 0;
    std::optional<UploadResult> rebuilt;
    bool upDown = false;
    std::vector<std::pair<int, QString>> statusShown;
    DownloadImage image = SampleImage(24, {50, 70});
    MainLinkHost host{state, prompt, Parts()};
    LinkEngine engine{port, host};

    MainLinkParts Parts()
    {
        MainLinkParts p;
        p.loadModelData = [this](std::uint8_t) {
            const LinkMemoryMap m = TestMemoryMap();
            state.ObjDataAddr = m.ObjDataAddr, state.ObjDataAddrEnd = m.ObjDataAddrEnd;
            state.CommCodeAddr = m.CommCodeAddr, state.CommCodeAddrEnd = m.CommCodeAddrEnd;
            state.ObjPageAddr = m.ObjPageAddr, state.ObjPageEnd = m.ObjPageEnd;
            state.StartCanvas = m.StartCanvas, state.EndCanvas = m.EndCanvas;
            state.MainMenuAddr = m.MainMenuAddr, state.MainMenuEnd = m.MainMenuEnd;
            state.ParaAddr = m.ParaAddr, state.ParaEnd = m.ParaEnd;
        };
        p.closeProjectForUpload = [this] {
            ++closedForUpload;
            if (keepProject)
                return false;
            state.ComSetByte = {0, 0};
            return true;
        };
        p.checkUpload = [this](const UploadResult&) { return uploadProblem; };
        p.uploadMemoryMap = [this](std::uint8_t model, std::uint8_t) {
            return model == unknownModel ? std::nullopt : std::optional<LinkMemoryMap>(TestMemoryMap());
        };
        p.downloadImage = [this] { return image; };
        p.pageCount = [this] { return image.offsets.size() - 1; };
        p.enableUpDown = [this] { return upDown; };
        p.setEnableUpDown = [this](bool on) { upDown = on; };
        p.rebuildProject = [this](UploadResult& r) { rebuilt = r; };
        p.formActivate = [this] { ++activated; };
        p.status = [this](int panel, const QString& text) { statusShown.emplace_back(panel, text); };
        return p;
    }

    explicit MainRig(Prompt& prompt) : prompt(prompt)
    {
        engine.Options().tickMs = 5;
        port.Settings().name = panel.SlavePath();
        panel.identity.modelIndex = 0;
        panel.identity.firmwareVersion = 100;
        panel.identity.machineId = 2;
        panel.identity.com1 = 0x1C;
        panel.identity.com2 = 0x51;
    }

    // The progress window, counting the bar's changes.
    void OpenProgressWindow()
    {
        host.ProgressWindow = new TComProgBar(nullptr, {}, 2);
        host.ProgressWindow->show();
        barChanges = 0;
        QObject::connect(host.ProgressWindow->ComBar, &QProgressBar::valueChanged, [this] { ++barChanges; });
    }
    int barChanges = 0;

    bool Run(TransferKind kind, int& outcomes)
    {
        OpenProgressWindow();
        const int before = activated;
        if (!port.Open() || !engine.Start(kind, 115200))
            return false;
        const bool ended = RunUntil([&] { return activated > before; });
        outcomes = activated - before;
        return ended;
    }
};

TEST(MainLinkHost, DownloadThenUploadCarryTheProject)
{
    ScriptedPrompt prompt;
    MainRig rig(prompt);
    FirmwareDir dir(3, 0, 100, Bytes(10, 1));
    rig.engine.Options().firmwareDir = dir.Path();
    rig.panel.identity.firmwareStamp = dir.Stamp();
    rig.state.MachineId = 3;
    rig.state.UserPasswords[2].Password = "246810";
    rig.state.UserPasswords[2].Level = 4;
    rig.state.DefStation = 6;
    rig.upDown = true;

    int outcomes = 0;
    ASSERT_TRUE(rig.Run(TransferKind::Download, outcomes));
    EXPECT_EQ(outcomes, 1);
    EXPECT_TRUE(rig.host.ProgressWindow.isNull());
    EXPECT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(rig.state.PanelFwVer, 100u);
    EXPECT_EQ(rig.host.Kept().firmwareStamp, dir.Stamp());
    // The block on the panel was built from the state: three pages + 1, station 6, up/down on.
    const Bytes& mem = rig.panel.memory;
    EXPECT_EQ(mem[0], 3);
    EXPECT_EQ(mem[91], 6);
    EXPECT_EQ(mem[88], 1);
    EXPECT_EQ(Bytes(mem.begin() + 32, mem.begin() + 39), (Bytes{'2', '4', '6', '8', '1', '0', 4}));

    ProjectState fresh;
    rig.state = fresh; // a new run of the program
    rig.upDown = false;
    ASSERT_TRUE(rig.Run(TransferKind::Upload, outcomes));
    EXPECT_EQ(outcomes, 1);
    EXPECT_EQ(rig.closedForUpload, 1);
    EXPECT_EQ(prompt.kinds.back(), MsgKind::Info);
    ASSERT_TRUE(rig.rebuilt);
    EXPECT_EQ(rig.rebuilt->image, rig.image.image);
    EXPECT_EQ(rig.state.MachineId, 3);     // from the block, as it was downloaded
    EXPECT_EQ(rig.state.ComSetByte[0], 4); // the block's port bytes come last
    EXPECT_EQ(rig.state.UserPasswords[2].Password, "246810");
    EXPECT_EQ(rig.state.DefStation, 6);
    EXPECT_TRUE(rig.upDown);
    EXPECT_EQ(rig.state.Compiled, 1);
    EXPECT_EQ(rig.state.Modified, 0);
}

// Nothing of an upload reaches the project before it has arrived, read as a project and the
// user has let the open project go: a panel model the list lacks, an upload whose check finds
// a problem and a user who keeps the open project all leave the project as it was, the first
// two with a warning that says what was wrong.
TEST(MainLinkHost, AnUploadTakenNowhereLeavesTheProjectAsItWas)
{
    struct Case {
        const char* name;
        std::function<void(MainRig&)> arrange;
        int asked;       // times the user was asked to let the project go
        QString message; // empty: none
    };
    UploadProblem badPage;
    badPage.kind = UploadProblem::Kind::BadPage;
    badPage.number = 1;
    badPage.position = 14;
    badPage.read = DecodeError::ShortHead;
    UploadProblem controller;
    controller.kind = UploadProblem::Kind::UnknownController;
    controller.number = 28024;
    const std::vector<Case> cases = {
        {"panel model the list lacks", [](MainRig& r) { r.unknownModel = 0; }, 0, Msg(761) + "\n" + Msg(762).arg(0)},
        {"page that does not read", [&](MainRig& r) { r.uploadProblem = badPage; }, 0,
         Msg(761) + "\n" + Msg(766).arg(1).arg(14) + " " + DecodeErrorText(badPage.read)},
        {"controller the list lacks", [&](MainRig& r) { r.uploadProblem = controller; }, 0,
         Msg(761) + "\n" + Msg(763).arg(28024)},
        {"user keeps the open project", [](MainRig& r) { r.keepProject = true; }, 1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedPrompt prompt;
        MainRig rig(prompt);
        // The panel holds a project of controller 3.
        SystemBlockFields f;
        f.entryCount = 3;
        f.machineId = 3;
        f.passwords[0].level = 5;
        Bytes block(SystemBlockSize(100), 0xFF);
        BuildSystemBlock(f, 100, block);
        const LinkMemoryMap m = TestMemoryMap();
        std::copy(block.begin(), block.end(), rig.panel.memory.begin() + m.ParaAddr);
        const Bytes table = BuildPageTable(rig.image.offsets);
        std::copy(table.begin(), table.end(), rig.panel.memory.begin() + m.ObjPageAddr);
        std::copy(rig.image.image.begin(), rig.image.image.end(), rig.panel.memory.begin() + m.ObjDataAddr);
        // The open project: another controller, its own port bytes and password level.
        rig.state.MachineId = 87;
        rig.state.ComSetByte = {0x22, 0x33};
        rig.state.UserPasswords[0].Level = 1;
        rig.state.Modified = 1;
        rig.state.PanelFwVer = 99;
        c.arrange(rig);

        int outcomes = 0;
        ASSERT_TRUE(rig.Run(TransferKind::Upload, outcomes));
        EXPECT_EQ(outcomes, 1);
        EXPECT_TRUE(rig.host.ProgressWindow.isNull());
        EXPECT_EQ(rig.closedForUpload, c.asked);
        EXPECT_FALSE(rig.rebuilt);
        EXPECT_EQ(rig.state.MachineId, 87);
        EXPECT_EQ(rig.state.ComSetByte[0], 0x22);
        EXPECT_EQ(rig.state.ComSetByte[1], 0x33);
        EXPECT_EQ(rig.state.UserPasswords[0].Level, 1);
        EXPECT_EQ(rig.state.Modified, 1);
        EXPECT_EQ(rig.state.PanelFwVer, 99u);
        if (c.message.isEmpty()) {
            EXPECT_TRUE(prompt.shown.empty());
        } else {
            ASSERT_EQ(prompt.shown.size(), 1u);
            EXPECT_EQ(prompt.shown[0], c.message);
            EXPECT_EQ(prompt.kinds[0], MsgKind::Error);
        }
    }
}

TEST(MainLinkHost, FailureClosesTheWindowAndShowsOneMessage)
{
    ScriptedPrompt prompt;
    MainRig rig(prompt);
    rig.panel.identity.firmwareVersion = 89;
    int outcomes = 0;
    ASSERT_TRUE(rig.Run(TransferKind::Upload, outcomes));
    EXPECT_EQ(outcomes, 1);
    EXPECT_TRUE(rig.host.ProgressWindow.isNull());
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.kinds[0], MsgKind::Error);
    EXPECT_FALSE(rig.rebuilt);
    EXPECT_FALSE(rig.port.IsOpen());
}

TEST(MainLinkHost, ReportsOfManyFramesShowOnlyAFewTimes)
{
    ScriptedPrompt prompt;
    MainRig rig(prompt);

    // A burst of reports shows at most once per interval; the last of each shows soon after.
    rig.OpenProgressWindow();
    QElapsedTimer clock;
    clock.start();
    for (int frame = 1; frame <= 1000; ++frame) {
        rig.host.ShowProgress(32 * frame, 32000, std::to_string(frame / 10) + "%");
        rig.host.ShowStatus(2, "frame " + std::to_string(frame));
    }
    rig.host.ShowStatus(0, "Page Number:3");
    const auto latest = [&rig](int panel) {
        for (auto s = rig.statusShown.rbegin(); s != rig.statusShown.rend(); ++s)
            if (s->first == panel)
                return s->second;
        return QString();
    };
    ASSERT_TRUE(RunUntil([&] { return latest(0) == "Page Number:3" && latest(2) == "frame 1000"; }));
    const auto atMost = [&clock] { return clock.elapsed() / (MainLinkHost::kShowIntervalMs * 9 / 10) + 2; };
    EXPECT_LE(rig.barChanges, atMost());
    EXPECT_EQ(rig.host.ProgressWindow->ComBar->value(), 32000);
    EXPECT_EQ(rig.host.ProgressWindow->Ratio_Lab->text(), "100%");

    // The end of a transfer takes its texts out of the status bar at once: they told of frames
    // and pages of a transfer that is over.
    rig.statusShown.clear();
    rig.host.ShowStatus(2, "last");
    rig.host.TransferEnded(TransferOutcome{LinkError::Stopped, {}, {}, {}});
    EXPECT_EQ(latest(0), "");
    EXPECT_EQ(latest(2), "");
    EXPECT_TRUE(rig.host.ProgressWindow.isNull());

    // A whole download of about a thousand frames: the bar and the status bar change at most
    // once per showing interval, however fast the frames go.
    FirmwareDir dir(3, 0, 100, Bytes(10, 1));
    rig.engine.Options().firmwareDir = dir.Path();
    rig.panel.identity.firmwareStamp = dir.Stamp();
    rig.state.MachineId = 3;
    rig.image = SampleImage(24, {16000, 16000});
    rig.statusShown.clear();
    clock.start();
    int outcomes = 0;
    ASSERT_TRUE(rig.Run(TransferKind::Download, outcomes));
    const qint64 most = atMost();
    const auto frames = static_cast<qint64>(rig.panel.Log().size());
    EXPECT_GT(frames, 1000);
    EXPECT_LE(rig.barChanges, most) << frames << " frames";
    const auto panel2 =
        std::count_if(rig.statusShown.begin(), rig.statusShown.end(), [](const auto& s) { return s.first == 2; });
    EXPECT_LE(panel2, most) << frames << " frames";
    EXPECT_GE(panel2, 1);
}

} // namespace
