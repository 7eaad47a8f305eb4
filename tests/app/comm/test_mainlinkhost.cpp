// The main window's transfer host: a download must send the system block built from the project
// state, an upload must bring the panel's controller, ports, passwords and pages back into the
// project, and the end of either closes the progress window and shows exactly one message.
#include "app/comm/ui/mainlinkhost.h"
#include "app/comm/ui/tcomprogbar.h"
#include "app/ui/prompt.h"
#include "commtestsupport.h"

#include <gtest/gtest.h>

namespace {

using namespace kes;
using namespace kes::test;

struct MainRig {
    FakePanel panel;
    QtLinkPort port;
    ProjectState state;
    int closedForUpload = 0;
    int activated = 0;
    std::optional<UploadResult> rebuilt;
    bool upDown = false;
    DownloadImage image = SampleImage(24, {50, 70});
    MainLinkHost host{state, Parts()};
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
            state.ComSetByte = {0, 0};
        };
        p.downloadImage = [this] { return image; };
        p.pageCount = [this] { return image.offsets.size() - 1; };
        p.enableUpDown = [this] { return upDown; };
        p.setEnableUpDown = [this](bool on) { upDown = on; };
        p.rebuildProject = [this](UploadResult& r) { rebuilt = r; };
        p.formActivate = [this] { ++activated; };
        return p;
    }

    MainRig()
    {
        engine.Options().tickMs = 5;
        port.Settings().name = panel.SlavePath();
        panel.identity.modelIndex = 0;
        panel.identity.firmwareVersion = 100;
        panel.identity.machineId = 2;
        panel.identity.com1 = 0x1C;
        panel.identity.com2 = 0x51;
    }

    bool Run(TransferKind kind, int& outcomes)
    {
        ComProgBar = new TComProgBar(nullptr, {}, 2);
        ComProgBar->show();
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
    ScopedPrompt scope(prompt);
    MainRig rig;
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
    EXPECT_TRUE(ComProgBar.isNull());
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
    rig.state = fresh;  // a new run of the program
    rig.upDown = false;
    ASSERT_TRUE(rig.Run(TransferKind::Upload, outcomes));
    EXPECT_EQ(outcomes, 1);
    EXPECT_EQ(rig.closedForUpload, 1);
    ASSERT_TRUE(rig.rebuilt);
    EXPECT_EQ(rig.rebuilt->image, rig.image.image);
    EXPECT_EQ(rig.state.MachineId, 3);                 // from the block, as it was downloaded
    EXPECT_EQ(rig.state.ComSetByte[0], 4);             // the block's port bytes come last
    EXPECT_EQ(rig.state.UserPasswords[2].Password, "246810");
    EXPECT_EQ(rig.state.DefStation, 6);
    EXPECT_TRUE(rig.upDown);
    EXPECT_EQ(rig.state.Compiled, 1);
    EXPECT_EQ(rig.state.Modified, 0);
}

TEST(MainLinkHost, FailureClosesTheWindowAndShowsOneMessage)
{
    ScriptedPrompt prompt;
    ScopedPrompt scope(prompt);
    MainRig rig;
    rig.panel.identity.firmwareVersion = 89;
    int outcomes = 0;
    ASSERT_TRUE(rig.Run(TransferKind::Upload, outcomes));
    EXPECT_EQ(outcomes, 1);
    EXPECT_TRUE(ComProgBar.isNull());
    EXPECT_EQ(prompt.shown.size(), 1u);
    EXPECT_FALSE(rig.rebuilt);
    EXPECT_FALSE(rig.port.IsOpen());
}

} // namespace
