// Downloads to a fake panel over a pseudo-terminal. A transfer must leave the panel's memory
// byte-identical to what was sent (system block, page table, firmware, image) in the order the
// panel expects, and every fault must end in exactly one outcome with the engine idle, the
// port closed and the configured rate kept: never a success after a lost or refused step.
#include "commtestsupport.h"
#include "cputime.h"

#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>

namespace {

using namespace kes;
using namespace kes::test;

constexpr int kTimeOutMs = 5 * 36;

Bytes MemoryAt(const FakePanel& p, std::uint32_t at, std::size_t n)
{
    return Bytes(p.memory.begin() + at, p.memory.begin() + at + n);
}

SystemBlockFields SampleBlock()
{
    SystemBlockFields f;
    f.entryCount = 4;
    f.machineId = 3;
    f.defStation = 7;
    f.passwords[0].text = {'1', '2', '3', '4', '5', '6'};
    return f;
}

bool IsWrite(const FakeRequest& r) { return r.command == '0'; }

TEST(LinkDownload, FullDownloadLeavesThePanelIdenticalToTheImage)
{
    struct Case {
        const char* name;
        std::uint16_t fw;
        bool stampEqual; // the panel already has this firmware
        std::vector<std::size_t> blockChunks;
    };
    const std::vector<Case> cases = {
        {"short block, firmware current", 99, true, {32, 32, 24}},
        {"long block, firmware sent", 100, false, {32, 32, 32, 32, 2}},
    };
    const Bytes firmware(100, 0x3C);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LinkRig rig;
        ASSERT_TRUE(rig.panel.Ok());
        FirmwareDir dir(3, 1, c.fw, firmware);
        rig.engine.Options().firmwareDir = dir.Path();
        rig.panel.identity.firmwareVersion = c.fw;
        rig.panel.identity.firmwareStamp = c.stampEqual ? dir.Stamp() : dir.Stamp() + 1;
        rig.host.sysBlock = SampleBlock();

        ASSERT_TRUE(rig.Run(TransferKind::Download));
        ASSERT_EQ(rig.host.outcomes.size(), 1u);
        EXPECT_TRUE(rig.host.outcomes[0].Ok());
        EXPECT_EQ(LinkMessageNumber(rig.host.outcomes[0].error), 68);
        EXPECT_FALSE(rig.engine.Busy());
        EXPECT_FALSE(rig.port.IsOpen());
        EXPECT_EQ(rig.port.Settings().baud, LinkRig::kBaud);

        const LinkMemoryMap m = rig.host.map;
        const DownloadImage& d = rig.host.download;
        EXPECT_EQ(MemoryAt(rig.panel, m.ObjDataAddr, d.image.size()), d.image);
        // The last chunk is whole, 0xFF after the image.
        const std::size_t padded = (d.image.size() + 31) / 32 * 32;
        EXPECT_EQ(MemoryAt(rig.panel, m.ObjDataAddr + d.image.size(), padded - d.image.size()),
                  Bytes(padded - d.image.size(), 0xFF));
        EXPECT_EQ(MemoryAt(rig.panel, m.ObjPageAddr, 4 * (d.offsets.size() + 1)), BuildPageTable(d.offsets));

        SystemBlockFields sent = SampleBlock();
        sent.firmwareLength = c.stampEqual ? 0x1234 : static_cast<std::uint32_t>(firmware.size());
        sent.firmwareStamp = dir.Stamp();
        Bytes block(SystemBlockSize(c.fw), 0xFF);
        BuildSystemBlock(sent, c.fw, block);
        EXPECT_EQ(MemoryAt(rig.panel, m.ParaAddr, block.size()), block);
        Bytes fwExpected = c.stampEqual ? Bytes(128, 0xFF) : firmware;
        fwExpected.resize(128, 0xFF);
        EXPECT_EQ(MemoryAt(rig.panel, m.CommCodeAddr, 128), fwExpected);

        // Order on the wire: set baud at 9600, identify at the configured rate, the writes
        // area by area, then the end.
        const auto& log = rig.panel.Log();
        ASSERT_GE(log.size(), 3u);
        EXPECT_EQ(log[0].command, '4');
        EXPECT_EQ(log[0].baud, 9600);
        EXPECT_EQ(log[0].data, Bytes{4});
        EXPECT_EQ(log[1].command, '3');
        EXPECT_EQ(log[1].baud, LinkRig::kBaud);
        EXPECT_EQ(log.back().command, '2');
        std::vector<std::size_t> blockChunks;
        std::vector<char> areas;
        for (const FakeRequest& r : log) {
            if (!IsWrite(r))
                continue;
            const char area = r.address < m.ParaEnd           ? 'S'
                              : r.address < m.ObjPageEnd      ? 'T'
                              : r.address < m.CommCodeAddrEnd ? 'F'
                                                              : 'I';
            if (area == 'S')
                blockChunks.push_back(r.length);
            if (areas.empty() || areas.back() != area)
                areas.push_back(area);
            EXPECT_LE(r.length, 32);
        }
        EXPECT_EQ(blockChunks, c.blockChunks);
        EXPECT_EQ(areas, c.stampEqual ? (std::vector<char>{'S', 'T', 'I'}) : (std::vector<char>{'S', 'T', 'F', 'I'}));
    }
}

TEST(LinkDownload, StartScreenGoesToItsAreaOnly)
{
    LinkRig rig;
    rig.host.screen = Bytes(100, 0x42);
    ASSERT_TRUE(rig.Run(TransferKind::StartScreen));
    ASSERT_EQ(rig.host.outcomes.size(), 1u);
    EXPECT_TRUE(rig.host.outcomes[0].Ok());
    const LinkMemoryMap m = rig.host.map;
    EXPECT_EQ(MemoryAt(rig.panel, m.StartCanvas, 100), Bytes(100, 0x42));
    EXPECT_EQ(MemoryAt(rig.panel, m.ParaAddr, 32), Bytes(32, 0xFF)); // no system block

    // Pictures larger than the area are refused before anything is written.
    LinkRig big;
    big.host.screen = Bytes(m.EndCanvas - m.StartCanvas + 1, 0x42);
    ASSERT_TRUE(big.Run(TransferKind::StartScreen));
    EXPECT_EQ(LinkMessageNumber(big.host.outcomes[0].error), 26);
    EXPECT_EQ(MemoryAt(big.panel, m.StartCanvas, 32), Bytes(32, 0xFF));
}

TEST(LinkDownload, UserScreensGoToTheirAreasAndLeaveTheProjectImageAlone)
{
    LinkRig rig;
    const Bytes firmware(100, 0x3C);
    FirmwareDir dir(3, 1, 99, firmware);
    rig.engine.Options().firmwareDir = dir.Path();
    rig.panel.identity.firmwareVersion = 99;
    rig.panel.identity.firmwareStamp = dir.Stamp();
    rig.host.sysBlock = SampleBlock();
    const LinkMemoryMap m = rig.host.map;
    const Bytes compiled = rig.host.download.image;

    Bytes menu(200);
    for (std::size_t i = 0; i < menu.size(); ++i)
        menu[i] = static_cast<std::uint8_t>(i * 7);
    rig.host.screen = menu;
    ASSERT_TRUE(rig.Run(TransferKind::UserMenu));
    const Bytes start(100, 0x24);
    rig.host.screen = start;
    ASSERT_TRUE(rig.Run(TransferKind::StartScreen));
    ASSERT_TRUE(rig.Run(TransferKind::Download));
    ASSERT_EQ(rig.host.outcomes.size(), 3u);
    for (const TransferOutcome& o : rig.host.outcomes)
        EXPECT_TRUE(o.Ok());

    EXPECT_EQ(MemoryAt(rig.panel, m.MainMenuAddr, menu.size()), menu);
    EXPECT_EQ(MemoryAt(rig.panel, m.StartCanvas, start.size()), start);
    // The screens went through a buffer of their own: the project's image is what was compiled.
    EXPECT_EQ(rig.host.download.image, compiled);
    EXPECT_EQ(MemoryAt(rig.panel, m.ObjDataAddr, compiled.size()), compiled);
}

struct FaultCase {
    const char* name;
    std::function<void(LinkRig&)> setup;
    LinkError error;
    int message;      // the message number a window shows, or -1 for the problem of a file
    std::string file; // -1: the file whose problem is shown
};

Fault Failing(FaultKind kind) { return Fault{kind, 0}; }
Fault Late() { return Fault{FaultKind::Delay, 2 * kTimeOutMs + 100}; }
auto ImageWrite(int chunk)
{
    return [chunk](const FakeRequest& r) {
        return r.command == '0' && r.address == TestMemoryMap().ObjDataAddr + 32u * chunk;
    };
}

TEST(LinkDownload, FaultsEndInOneOutcome)
{
    const std::vector<FaultCase> cases = {
        {"dropped reply is sent again",
         [](LinkRig& r) { r.panel.faults = FaultWhen(ImageWrite(2), Failing(FaultKind::Drop)); },
         LinkError::None,
         68,
         {}},
        {"dropped reply, bare acknowledgements",
         [](LinkRig& r) {
             r.panel.minimalReplies = true;
             r.panel.faults = FaultWhen(ImageWrite(2), Failing(FaultKind::Drop));
         },
         LinkError::None,
         68,
         {}},
        {"late duplicate",
         [](LinkRig& r) { r.panel.faults = FaultWhen(ImageWrite(2), Late()); },
         LinkError::None,
         68,
         {}},
        {"late duplicate, bare acknowledgements",
         [](LinkRig& r) {
             r.panel.minimalReplies = true;
             r.panel.faults = FaultWhen(ImageWrite(2), Late());
         },
         LinkError::None,
         68,
         {}},
        {"bad LRC",
         [](LinkRig& r) { r.panel.faults = FaultWhen(ImageWrite(1), Failing(FaultKind::BadLrc)); },
         LinkError::BadLrc,
         30,
         {}},
        {"every reply dribbled a character at a time",
         [](LinkRig& r) {
             // A time-out no dribbled reply reaches, however busy the machine.
             r.engine.Options().tickMs = 50;
             r.panel.faults = [](const FakeRequest&) { return Fault{FaultKind::Dribble, 1}; };
         },
         LinkError::None,
         68,
         {}},
        {"one reply cut by the time-out",
         [](LinkRig& r) {
             // Its second half comes between the first and the second resend.
             r.engine.Options().tickMs = 20;
             r.panel.faults = FaultWhen(ImageWrite(1), Fault{FaultKind::Split, 1000});
         },
         LinkError::None,
         68,
         {}},
        {"noise in place of a reply",
         [](LinkRig& r) { r.panel.faults = FaultWhen(ImageWrite(1), Failing(FaultKind::Garbage)); },
         LinkError::BadLrc,
         30,
         {}},
        {"noise in place of the identify reply",
         [](LinkRig& r) {
             r.panel.faults =
                 FaultWhen([](const FakeRequest& q) { return q.command == '3'; }, Failing(FaultKind::Garbage));
         },
         LinkError::BadLrc,
         30,
         {}},
        {"frames that answer nothing without end between the replies",
         [](LinkRig& r) {
             r.panel.faults = FaultWhen(ImageWrite(1), Fault{FaultKind::Flood, 1});
         },
         LinkError::None,
         68,
         {}},
        {"frames that answer nothing without end, and no reply",
         [](LinkRig& r) {
             auto flood = FaultWhen(ImageWrite(1), Fault{FaultKind::Flood, 1});
             r.panel.faults = [flood](const FakeRequest& q) mutable {
                 const Fault f = flood(q);
                 return f.kind != FaultKind::None || q.index < 3 ? f : Failing(FaultKind::Drop);
             };
         },
         LinkError::NoReply,
         62,
         {}},
        {"unplugged during the image",
         [](LinkRig& r) { r.panel.faults = FaultWhen(ImageWrite(2), Failing(FaultKind::Unplug)); },
         LinkError::NoReply,
         62,
         {}},
        {"error bit",
         [](LinkRig& r) { r.panel.faults = FaultWhen(ImageWrite(1), Failing(FaultKind::ErrorBit)); },
         LinkError::PanelRefused,
         30,
         {}},
        {"reply overruns the receiver",
         [](LinkRig& r) { r.panel.faults = FaultWhen(ImageWrite(1), Failing(FaultKind::Overrun)); },
         LinkError::RxOverflow,
         29,
         {}},
        {"no reply at all",
         [](LinkRig& r) {
             r.panel.faults =
                 FaultWhen([](const FakeRequest& q) { return q.index >= 3; }, Failing(FaultKind::Drop), 1000);
         },
         LinkError::NoReply,
         62,
         {}},
        {"end reply never comes",
         [](LinkRig& r) {
             r.panel.faults =
                 FaultWhen([](const FakeRequest& q) { return q.command == '2'; }, Failing(FaultKind::Drop), 1000);
         },
         LinkError::NoReply,
         62,
         {}},
        {"set-baud echo differs",
         [](LinkRig& r) {
             r.panel.faults =
                 FaultWhen([](const FakeRequest& q) { return q.command == '4'; }, Failing(FaultKind::BaudEcho));
         },
         LinkError::BaudRefused,
         978,
         {}},
        {"old firmware", [](LinkRig& r) { r.panel.identity.firmwareVersion = 89; }, LinkError::OldFirmware, 98, {}},
        {"other panel model", [](LinkRig& r) { r.panel.identity.modelIndex = 2; }, LinkError::WrongModel, 95, {}},
        {"firmware file missing", [](LinkRig& r) { r.engine.Options().firmwareDir = "/nonexistent/"; },
         LinkError::FirmwareMissing, -1, "/nonexistent/BIN/M3_1100.bin"},
        {"firmware larger than its area",
         [](LinkRig& r) {
             r.host.map.CommCodeAddrEnd = r.host.map.CommCodeAddr + 16;
             r.panel.identity.firmwareStamp = 1; // the file differs, so it would be sent
         },
         LinkError::NoRoom,
         26,
         {}},
        {"image larger than the area the panel reports",
         [](LinkRig& r) {
             r.panel.identity.memMapVariant = 1;
             r.host.mapForVariant = [](std::uint8_t variant) {
                 LinkMemoryMap m = TestMemoryMap();
                 if (variant == 1)
                     m.ObjDataAddrEnd = m.ObjDataAddr + 256;
                 return m;
             };
         },
         LinkError::NoRoom,
         26,
         {}},
    };
    for (const FaultCase& c : cases) {
        SCOPED_TRACE(c.name);
        LinkRig rig;
        FirmwareDir dir(3, 1, 100, Bytes(40, 1));
        rig.engine.Options().firmwareDir = dir.Path();
        rig.panel.identity.firmwareStamp = dir.Stamp();
        c.setup(rig);

        ASSERT_TRUE(rig.Run(TransferKind::Download));
        rig.Drain(); // late replies arrive now and must change nothing
        ASSERT_EQ(rig.host.outcomes.size(), 1u);
        const TransferOutcome& o = rig.host.outcomes[0];
        EXPECT_EQ(o.error, c.error) << LinkErrorText(o.error);
        EXPECT_EQ(LinkMessageNumber(o.error), c.message);
        EXPECT_EQ(o.Ok(), c.error == LinkError::None);
        if (c.message < 0) {
            EXPECT_EQ(o.file.Op, FileOp::Read);
            EXPECT_EQ(o.file.Errno, ENOENT);
            EXPECT_EQ(o.file.Path, c.file);
        }
        EXPECT_FALSE(rig.engine.Busy());
        EXPECT_FALSE(rig.port.IsOpen());
        EXPECT_EQ(rig.port.Settings().baud, LinkRig::kBaud);
        if (c.error == LinkError::None) {
            const DownloadImage& d = rig.host.download;
            EXPECT_EQ(MemoryAt(rig.panel, rig.host.map.ObjDataAddr, d.image.size()), d.image);
        } else {
            EXPECT_EQ(rig.engine.Xfer().LinkStep, kLinkFailed);
        }
    }
}

// A line gone (the cable pulled) leaves the port with nothing to read for good: the link waits
// out its time-outs in the event loop without spinning on the port, then says no reply.
TEST(LinkDownload, AnUnpluggedPanelCostsNoCpuWhileTheLinkWaits)
{
    LinkRig rig;
    FirmwareDir dir(3, 1, 100, Bytes(40, 1));
    rig.engine.Options().firmwareDir = dir.Path();
    rig.panel.identity.firmwareStamp = dir.Stamp();
    rig.panel.faults = FaultWhen(ImageWrite(1), Failing(FaultKind::Unplug));
    ASSERT_TRUE(rig.Start(TransferKind::Download));
    ASSERT_TRUE(RunUntil([&] { return rig.panel.Unplugged(); }, 10000));
    // From here the program's own loop, which sleeps until a timer or the port wakes it.
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!rig.host.outcomes.empty())
            loop.quit();
    });
    poll.start(20);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    const CpuStopwatch cpu;
    loop.exec();
    ASSERT_EQ(rig.host.outcomes.size(), 1u);
    EXPECT_EQ(rig.host.outcomes[0].error, LinkError::NoReply);
    EXPECT_LT(cpu.Elapsed(), std::chrono::milliseconds(300)) << "for the four time-outs of " << kTimeOutMs << " ms";
    EXPECT_FALSE(rig.engine.Busy());
    EXPECT_FALSE(rig.port.IsOpen());
}

TEST(LinkDownload, UnansweredRequestGoesOutFourTimes)
{
    LinkRig rig;
    rig.panel.faults = FaultWhen([](const FakeRequest& q) { return q.command == '3'; }, Failing(FaultKind::Drop), 1000);
    ASSERT_TRUE(rig.Run(TransferKind::Download));
    EXPECT_EQ(LinkMessageNumber(rig.host.outcomes[0].error), 62);
    const auto& log = rig.panel.Log();
    EXPECT_EQ(std::count_if(log.begin(), log.end(), [](const FakeRequest& r) { return r.command == '3'; }), 4);
    EXPECT_EQ(log.size(), 5u); // set baud, then the identify four times
}

// Replies that come after their request's time-out: each is taken only for the request it
// answers (function, address, length), a new request goes out only once the one before it was
// answered, and the transfer ends in a failure or in success with the image in the panel.
TEST(LinkDownload, LateRepliesAreMatchedToTheirOwnRequests)
{
    struct Case {
        const char* name;
        std::function<Fault(const FakeRequest&)> faults;
        std::vector<LinkError> ends; // the outcomes allowed
    };
    const auto lateTwiceThenRefused = [] {
        auto late1 = FaultWhen(ImageWrite(1), Late());
        auto late2 = FaultWhen(ImageWrite(2), Late());
        auto refused = FaultWhen(ImageWrite(3), Failing(FaultKind::ErrorBit));
        return [=](const FakeRequest& q) mutable {
            for (auto* f : {&late1, &late2, &refused})
                if (const Fault x = (*f)(q); x.kind != FaultKind::None)
                    return x;
            return Fault{};
        };
    };
    const Case cases[] = {
        {"two late replies in a row, then a refused write", lateTwiceThenRefused(), {LinkError::PanelRefused}},
        {"every reply later than the time-out",
         [](const FakeRequest&) {
             return Fault{FaultKind::Delay, kTimeOutMs * 14 / 10};
         },
         {LinkError::None, LinkError::NoReply}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LinkRig rig;
        FirmwareDir dir(3, 1, 100, Bytes(40, 1));
        rig.engine.Options().firmwareDir = dir.Path();
        rig.panel.identity.firmwareStamp = dir.Stamp();
        rig.panel.faults = c.faults;
        struct Sent {
            char command;
            std::uint32_t address;
            double at;
        };
        std::vector<Sent> replies;
        rig.panel.answered = [&](const FakeRequest& q) { replies.push_back({q.command, q.address, SteadySeconds()}); };

        ASSERT_TRUE(rig.Run(TransferKind::Download, 60000));
        rig.Drain();
        ASSERT_EQ(rig.host.outcomes.size(), 1u);
        const TransferOutcome& o = rig.host.outcomes[0];
        EXPECT_NE(std::find(c.ends.begin(), c.ends.end(), o.error), c.ends.end()) << LinkErrorText(o.error);
        if (o.Ok()) {
            const DownloadImage& d = rig.host.download;
            EXPECT_EQ(MemoryAt(rig.panel, rig.host.map.ObjDataAddr, d.image.size()), d.image);
        }
        // A request other than a resend of the one before follows an answer to that one.
        const auto& log = rig.panel.Log();
        for (std::size_t i = 1; i < log.size(); ++i) {
            const FakeRequest& prev = log[i - 1];
            const FakeRequest& req = log[i];
            if (req.command == prev.command && req.address == prev.address)
                continue;
            const bool answered = std::any_of(replies.begin(), replies.end(), [&](const Sent& r) {
                return r.command == prev.command && r.address == prev.address && r.at <= req.arrival;
            });
            EXPECT_TRUE(answered) << "request " << i << " went out while request " << i - 1 << " was unanswered";
        }
    }
}

TEST(LinkDownload, ANewTransferRunsAfterAFailure)
{
    LinkRig rig;
    FirmwareDir dir(3, 1, 100, Bytes(40, 1));
    rig.engine.Options().firmwareDir = dir.Path();
    rig.panel.identity.firmwareStamp = dir.Stamp();
    rig.panel.faults = FaultWhen(ImageWrite(1), Failing(FaultKind::ErrorBit));
    ASSERT_TRUE(rig.Run(TransferKind::Download));
    EXPECT_FALSE(rig.host.outcomes[0].Ok());
    ASSERT_TRUE(rig.Run(TransferKind::Download));
    ASSERT_EQ(rig.host.outcomes.size(), 2u);
    EXPECT_TRUE(rig.host.outcomes[1].Ok());
    const DownloadImage& d = rig.host.download;
    EXPECT_EQ(MemoryAt(rig.panel, rig.host.map.ObjDataAddr, d.image.size()), d.image);
}

TEST(LinkDownload, ARateWithoutBaudCodeKeepsTheLinkAt9600)
{
    LinkRig rig;
    FirmwareDir dir(3, 1, 100, Bytes(40, 1));
    rig.engine.Options().firmwareDir = dir.Path();
    rig.panel.identity.firmwareStamp = dir.Stamp();
    rig.port.Settings().baud = 4800;
    ASSERT_TRUE(rig.port.Open());
    ASSERT_TRUE(rig.engine.Start(TransferKind::Download, 4800));
    ASSERT_TRUE(RunUntil([&] { return !rig.host.outcomes.empty(); }));
    EXPECT_TRUE(rig.host.outcomes[0].Ok());
    const auto& log = rig.panel.Log();
    EXPECT_EQ(log[0].data, Bytes{0});
    EXPECT_EQ(log[1].baud, 9600); // both ends stay at the rate the code names
    EXPECT_EQ(rig.port.Settings().baud, 4800);
}

} // namespace
