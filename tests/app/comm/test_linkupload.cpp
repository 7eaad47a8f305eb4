// Uploads from a fake panel over a pseudo-terminal. What comes back must rebuild the project
// that was downloaded (system block fields, page table, image and so the pages), and a panel
// whose block or table cannot describe a project (erased, out of bounds, running backwards)
// is refused before anything is read on its word, an erased one as holding no project; what
// the host's check refuses ends the upload as a failure. Late copies of replies and short read
// replies must never be taken for data, and a panel that goes wrong part way gives the host nothing.
#include "commtestsupport.h"

#include <gtest/gtest.h>

namespace {

using namespace kes;
using namespace kes::test;

constexpr int kTimeOutMs = 5 * 36;

// Puts a project into the panel's memory as a download would leave it.
void PutProject(FakePanel& panel, std::uint16_t fw, const DownloadImage& d, std::uint16_t entryCount)
{
    const LinkMemoryMap m = TestMemoryMap();
    SystemBlockFields f;
    f.entryCount = entryCount;
    f.machineId = 3;
    Bytes block(SystemBlockSize(fw), 0xFF);
    BuildSystemBlock(f, fw, block);
    std::copy(block.begin(), block.end(), panel.memory.begin() + m.ParaAddr);
    const Bytes table = BuildPageTable(d.offsets);
    std::copy(table.begin(), table.end(), panel.memory.begin() + m.ObjPageAddr);
    std::copy(d.image.begin(), d.image.end(), panel.memory.begin() + m.ObjDataAddr);
}

TEST(LinkUpload, RoundTripRebuildsTheDownloadedProject)
{
    for (std::uint16_t fw : {99, 100}) {
        SCOPED_TRACE(fw);
        LinkRig rig;
        FirmwareDir dir(3, 1, fw, Bytes(40, 1));
        rig.engine.Options().firmwareDir = dir.Path();
        rig.panel.identity.firmwareVersion = fw;
        rig.panel.identity.firmwareStamp = dir.Stamp();
        rig.host.sysBlock.entryCount = 4;
        rig.host.sysBlock.com1 = 0x51;
        rig.host.sysBlock.passwords[3].level = 2;
        ASSERT_TRUE(rig.Run(TransferKind::Download));
        ASSERT_TRUE(rig.host.outcomes[0].Ok());

        ASSERT_TRUE(rig.Run(TransferKind::Upload));
        ASSERT_EQ(rig.host.outcomes.size(), 2u);
        EXPECT_TRUE(rig.host.outcomes[1].Ok());
        EXPECT_EQ(LinkMessageNumber(rig.host.outcomes[1].error), 68);
        ASSERT_TRUE(rig.host.upload);
        const UploadResult& up = *rig.host.upload;
        const DownloadImage& sent = rig.host.download;
        EXPECT_EQ(up.image, sent.image);
        EXPECT_EQ(up.offsets, sent.offsets);
        EXPECT_EQ(up.identity.com1, 0x1C);
        EXPECT_EQ(up.systemBlock.com1, 0x51);
        EXPECT_EQ(up.systemBlock.passwords[3].level, 2);
        EXPECT_EQ(up.systemBlock.extended, fw >= 100);
        ASSERT_TRUE(rig.host.uploadedBlock);
        EXPECT_EQ(rig.host.uploadedBlock->entryCount, 4);

        const auto pages = SplitUploadedImage(up.image, up.offsets);
        ASSERT_TRUE(pages);
        ASSERT_EQ(pages->pages.size(), 3u);
        EXPECT_EQ(pages->pages[2], Bytes(sent.image.begin() + sent.offsets[2], sent.image.begin() + sent.offsets[3]));
        EXPECT_FALSE(rig.port.IsOpen());
    }
}

TEST(LinkUpload, LastReadsAskOnlyForWhatRemains)
{
    LinkRig rig;
    const DownloadImage d = SampleImage(24, {45}); // image of 69 bytes: 32 + 32 + 5
    PutProject(rig.panel, 99, d, 2);
    rig.panel.identity.firmwareVersion = 99;
    ASSERT_TRUE(rig.Run(TransferKind::Upload));
    ASSERT_TRUE(rig.host.outcomes[0].Ok());
    std::vector<int> lengths;
    for (const FakeRequest& r : rig.panel.Log())
        if (r.command == '1')
            lengths.push_back(r.length);
    // Block 88 = 32 + 32 + 24; table of 3 entries = 12; image 69 = 32 + 32 + 5.
    EXPECT_EQ(lengths, (std::vector<int>{32, 32, 24, 12, 32, 32, 5}));
    EXPECT_EQ(rig.host.upload->image, d.image);
}

TEST(LinkUpload, ProjectWithoutImageEndsAfterTheTable)
{
    LinkRig rig;
    DownloadImage empty;
    empty.offsets = {0};
    PutProject(rig.panel, 100, empty, 1);
    ASSERT_TRUE(rig.Run(TransferKind::Upload));
    ASSERT_TRUE(rig.host.outcomes[0].Ok());
    const auto& log = rig.panel.Log();
    EXPECT_EQ(log.back().command, '2');
    EXPECT_EQ(log[log.size() - 2].address, TestMemoryMap().ObjPageAddr);
    EXPECT_TRUE(rig.host.upload->image.empty());
}

TEST(LinkUpload, PanelsThatCannotDescribeAProjectAreRefused)
{
    struct Case {
        const char* name;
        std::function<void(FakePanel&)> setup;
        LinkError error = LinkError::BadUpload;
        int message = 30;
    };
    const std::vector<Case> cases = {
        {"erased panel", [](FakePanel&) {}, LinkError::PanelEmpty, 760},
        {"page count past the table area", [](FakePanel& p) { PutProject(p, 100, SampleImage(24, {10}), 0x400); }},
        {"page count 0", [](FakePanel& p) { PutProject(p, 100, SampleImage(24, {10}), 0); }},
        {"offsets running backwards",
         [](FakePanel& p) {
             DownloadImage d = SampleImage(24, {10, 10});
             std::swap(d.offsets[0], d.offsets[1]);
             PutProject(p, 100, d, 3);
         }},
        {"image end past the image area",
         [](FakePanel& p) {
             DownloadImage d = SampleImage(24, {10});
             d.offsets.back() = TestMemoryMap().ObjDataAddrEnd - TestMemoryMap().ObjDataAddr + 1;
             PutProject(p, 100, d, 2);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LinkRig rig;
        c.setup(rig.panel);
        ASSERT_TRUE(rig.Run(TransferKind::Upload));
        ASSERT_EQ(rig.host.outcomes.size(), 1u);
        EXPECT_FALSE(rig.host.outcomes[0].Ok());
        EXPECT_EQ(rig.host.outcomes[0].error, c.error);
        EXPECT_EQ(LinkMessageNumber(rig.host.outcomes[0].error), c.message);
        EXPECT_FALSE(rig.host.upload);
        EXPECT_FALSE(rig.port.IsOpen());
        // Refused on the block or the table: not a single image read.
        for (const FakeRequest& r : rig.panel.Log())
            EXPECT_LT(r.address, TestMemoryMap().ObjDataAddr);
    }
}

// The host's checks end an upload as a failure carrying what they found: a panel model it does
// not know before anything is read, a project that does not read after all of it arrived.
TEST(LinkUpload, WhatTheHostRefusesEndsTheUpload)
{
    for (bool atIdentify : {true, false}) {
        SCOPED_TRACE(atIdentify);
        LinkRig rig;
        PutProject(rig.panel, 100, SampleImage(24, {10}), 2);
        UploadProblem p;
        p.kind = atIdentify ? UploadProblem::Kind::UnknownModel : UploadProblem::Kind::BadPage;
        p.number = 7;
        (atIdentify ? rig.host.identifyProblem : rig.host.uploadProblem) = p;
        ASSERT_TRUE(rig.Run(TransferKind::Upload));
        ASSERT_EQ(rig.host.outcomes.size(), 1u);
        const TransferOutcome& o = rig.host.outcomes[0];
        EXPECT_EQ(o.error, LinkError::BadProject);
        EXPECT_EQ(o.upload.kind, p.kind);
        EXPECT_EQ(o.upload.number, 7);
        EXPECT_FALSE(rig.host.upload);
        EXPECT_FALSE(rig.port.IsOpen());
        bool read = false;
        for (const FakeRequest& r : rig.panel.Log())
            read = read || r.command == '1';
        EXPECT_EQ(read, !atIdentify);
    }
}

TEST(LinkUpload, CopiesAndShortRepliesAreNotTakenForData)
{
    const auto imageRead = [](int chunk) {
        return [chunk](const FakeRequest& r) {
            return r.command == '1' && r.address == TestMemoryMap().ObjDataAddr + 32u * chunk;
        };
    };
    struct Case {
        const char* name;
        std::function<Fault(const FakeRequest&)> fault;
    };
    const std::vector<Case> cases = {
        {"late reply and the answer to its resend",
         FaultWhen(imageRead(3), Fault{FaultKind::Delay, 2 * kTimeOutMs + 100})},
        {"read reply one byte short", FaultWhen(imageRead(3), Fault{FaultKind::ShortRead, 0})},
        {"late reply to the block's last piece",
         FaultWhen([](const FakeRequest& r) { return r.command == '1' && r.address == 64; },
                   Fault{FaultKind::Delay, 2 * kTimeOutMs + 100})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LinkRig rig;
        const DownloadImage d = SampleImage(24, {200, 150, 90, 10, 10, 10, 10, 10, 10});
        PutProject(rig.panel, 99, d, 10);
        rig.panel.identity.firmwareVersion = 99;
        rig.panel.faults = c.fault;
        ASSERT_TRUE(rig.Run(TransferKind::Upload));
        rig.Drain();
        ASSERT_EQ(rig.host.outcomes.size(), 1u);
        EXPECT_TRUE(rig.host.outcomes[0].Ok());
        ASSERT_TRUE(rig.host.upload);
        EXPECT_EQ(rig.host.upload->image, d.image);
        EXPECT_EQ(rig.host.upload->offsets, d.offsets);
    }
}

// A panel that goes wrong part way (noise, a line gone, frames without end and no reply, or
// every reply a character at a time) ends the upload in one outcome with the port closed: the
// host takes nothing from a failed upload, and a dribbling panel, or one whose reply the time-out
// cuts, still gives the whole project.
TEST(LinkUpload, APanelThatGoesWrongPartWayGivesNothing)
{
    const auto imageRead = [](const FakeRequest& r) {
        return r.command == '1' && r.address == TestMemoryMap().ObjDataAddr + 32u * 2;
    };
    const struct {
        const char* name;
        std::function<Fault(const FakeRequest&)> fault;
        LinkError error;
        int tickMs = 5;
    } cases[] = {
        {"noise in place of a read reply", FaultWhen(imageRead, Fault{FaultKind::Garbage, 0}), LinkError::BadLrc},
        {"unplugged during the image", FaultWhen(imageRead, Fault{FaultKind::Unplug, 0}), LinkError::NoReply},
        {"frames without end and no reply",
         [imageRead, flood = FaultWhen(imageRead, Fault{FaultKind::Flood, 1})](const FakeRequest& q) mutable {
             const Fault f = flood(q);
             return f.kind != FaultKind::None || !imageRead(q) ? f : Fault{FaultKind::Drop, 0};
         },
         LinkError::NoReply},
        // Its second half comes between the first and the second resend.
        {"a reply cut by the time-out", FaultWhen(imageRead, Fault{FaultKind::Split, 1000}), LinkError::None, 20},
        // With a time-out no dribbled reply reaches, however busy the machine.
        {"every reply a character at a time",
         [](const FakeRequest&) {
             return Fault{FaultKind::Dribble, 1};
         },
         LinkError::None, 50},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LinkRig rig(c.tickMs);
        const DownloadImage d = SampleImage(24, {200, 90});
        PutProject(rig.panel, 100, d, 3);
        rig.panel.faults = c.fault;
        ASSERT_TRUE(rig.Run(TransferKind::Upload));
        ASSERT_EQ(rig.host.outcomes.size(), 1u);
        EXPECT_EQ(rig.host.outcomes[0].error, c.error) << LinkErrorText(rig.host.outcomes[0].error);
        EXPECT_FALSE(rig.engine.Busy());
        EXPECT_FALSE(rig.port.IsOpen());
        EXPECT_EQ(rig.host.upload.has_value(), c.error == LinkError::None);
        if (rig.host.upload) {
            EXPECT_EQ(rig.host.upload->image, d.image);
        }
    }
}

} // namespace
