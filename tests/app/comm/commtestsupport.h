#pragma once
// Shared pieces of the link tests and the benchmark: a transfer host over plain data, a fake
// panel on a pseudo-terminal, and a loop runner that drives Qt events until a condition holds.
#include "app/comm/linkengine.h"
#include "app/comm/qtlinkport.h"
#include "app/comm/ui/linkmessage.h"
#include "fakepanel.h"

#include <QTemporaryDir>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kes::test {

// A memory map inside the fake panel's memory.
LinkMemoryMap TestMemoryMap();

// Header of `header` bytes then pages of the given sizes, filled with a fixed pattern.
DownloadImage SampleImage(std::size_t header, const std::vector<std::size_t>& pages, unsigned seed = 1);

class TestHost final : public TransferHost {
public:
    LinkMemoryMap map = TestMemoryMap();
    std::uint8_t modelIndex = 1;
    std::int16_t machineId = 3;
    DownloadImage download = SampleImage(24, {100, 60, 300});
    SystemBlockFields sysBlock;
    Bytes screen;
    // The map a memory-map variant selects; null keeps `map`.
    std::function<LinkMemoryMap(std::uint8_t variant)> mapForVariant;
    // What the host's checks find: at identify and once the upload has arrived.
    UploadProblem identifyProblem;
    UploadProblem uploadProblem;

    std::vector<TransferOutcome> outcomes;
    std::optional<UploadResult> upload;
    std::optional<SystemBlockFields> uploadedBlock;
    int identifies = 0;

    LinkMemoryMap MemoryMap() const override { return map; }
    std::uint8_t PanelModelIndex() const override { return modelIndex; }
    std::int16_t MachineId() const override { return machineId; }
    UploadProblem TakeIdentify(const PanelIdentity& id, TransferKind kind) override;
    DownloadImage PrepareDownloadImage() override { return download; }
    SystemBlockFields SystemBlock() const override { return sysBlock; }
    Bytes ScreenImage(TransferKind) override { return screen; }
    void TakeSystemBlock(const SystemBlockFields& f, std::uint32_t) override { uploadedBlock = f; }
    UploadProblem TakeUpload(UploadResult result) override
    {
        if (uploadProblem)
            return uploadProblem;
        upload = std::move(result);
        return {};
    }
    void ShowProgress(int, int, const std::string&) override {}
    void ShowStatus(int, const std::string&) override {}
    void ShowPageCount(std::size_t) override {}
    void TransferEnded(const TransferOutcome& outcome) override { outcomes.push_back(outcome); }
};

// Runs the event loop until `done` holds or `deadlineMs` passes; returns `done()`.
bool RunUntil(const std::function<bool()>& done, int deadlineMs = 30000);

// The program directory stand-in with the firmware file "BIN/M<id>_<model><ver>.bin".
class FirmwareDir {
public:
    FirmwareDir(std::int16_t machineId, int modelIndex, std::uint32_t fwVer, const Bytes& content);
    std::string Path() const { return dir_.path().toStdString() + "/"; }
    std::uint32_t Stamp() const { return stamp_; }

private:
    QTemporaryDir dir_;
    std::uint32_t stamp_ = 0;
};

// Everything one transfer over a pseudo-terminal needs.
struct LinkRig {
    FakePanel panel;
    QtLinkPort port;
    TestHost host;
    LinkEngine engine;
    static constexpr int kBaud = 115200;

    explicit LinkRig(int tickMs = 5);
    // Opens the port and starts; false when either fails.
    bool Start(TransferKind kind);
    // Starts and runs until the outcome; false when no outcome came.
    bool Run(TransferKind kind, int deadlineMs = 30000);
    // Lets replies still owed by the panel arrive, so a test sees what they would do.
    void Drain();
};

} // namespace kes::test
