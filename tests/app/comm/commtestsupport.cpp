#include "commtestsupport.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

namespace kes::test {

LinkMemoryMap TestMemoryMap()
{
    LinkMemoryMap m;
    m.ParaAddr = 0x0000;
    m.ParaEnd = 0x0100;
    m.ObjPageAddr = 0x1000;
    m.ObjPageEnd = 0x2000;
    m.CommCodeAddr = 0x20000;
    m.CommCodeAddrEnd = 0x40000;
    m.ObjDataAddr = 0x40000;
    m.ObjDataAddrEnd = 0x60000;
    m.StartCanvas = 0x60000;
    m.EndCanvas = 0x62000;
    m.MainMenuAddr = 0x70000;
    m.MainMenuEnd = 0x80000;
    return m;
}

DownloadImage SampleImage(std::size_t header, const std::vector<std::size_t>& pages, unsigned seed)
{
    DownloadImage d;
    std::size_t total = header;
    for (std::size_t p : pages)
        total += p;
    d.image.resize(total);
    unsigned v = seed;
    for (auto& b : d.image) {
        v = v * 1103515245u + 12345u;
        b = static_cast<std::uint8_t>(v >> 16);
    }
    std::size_t at = header;
    for (std::size_t p : pages) {
        d.offsets.push_back(static_cast<std::uint32_t>(at));
        at += p;
    }
    d.offsets.push_back(static_cast<std::uint32_t>(at));
    return d;
}

UploadProblem TestHost::TakeIdentify(const PanelIdentity& id, TransferKind kind)
{
    ++identifies;
    modelIndex = id.modelIndex;
    if (mapForVariant)
        map = mapForVariant(id.memMapVariant);
    return kind == TransferKind::Upload ? identifyProblem : UploadProblem{};
}

bool RunUntil(const std::function<bool()>& done, int deadlineMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < deadlineMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
    return done();
}

FirmwareDir::FirmwareDir(std::int16_t machineId, int modelIndex, std::uint32_t fwVer, const Bytes& content)
{
    QDir(dir_.path()).mkpath("BIN");
    const QString name = QString::fromStdString(Path() + FirmwareFileName(machineId, modelIndex, fwVer));
    QFile f(name);
    if (f.open(QIODevice::WriteOnly)) {
        f.write(reinterpret_cast<const char*>(content.data()), static_cast<qint64>(content.size()));
        f.close();
    }
    stamp_ = static_cast<std::uint32_t>(QFileInfo(name).lastModified().toSecsSinceEpoch());
}

LinkRig::LinkRig(int tickMs) : engine(port, host)
{
    engine.Options().tickMs = tickMs;
    port.Settings().name = panel.SlavePath();
    port.Settings().baud = kBaud;
    panel.identity.modelIndex = 1;
    panel.identity.firmwareVersion = 100;
    panel.identity.machineId = 3;
    panel.identity.com1 = 0x1C;
    panel.identity.com2 = 0x04;
    panel.identity.firmwareLength = 0x1234;
    panel.identity.firmwareStamp = 0x5678;
}

bool LinkRig::Start(TransferKind kind) { return port.Open() && engine.Start(kind, kBaud); }

bool LinkRig::Run(TransferKind kind, int deadlineMs)
{
    const std::size_t before = host.outcomes.size();
    if (!Start(kind))
        return false;
    return RunUntil([&] { return host.outcomes.size() > before; }, deadlineMs);
}

void LinkRig::Drain()
{
    RunUntil([&] { return !panel.Pending(); }, 10000);
    // One more turn for what the last write put on the line.
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

} // namespace kes::test
