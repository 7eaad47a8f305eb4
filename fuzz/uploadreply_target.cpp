#include "fuzz/uploadreply_target.h"
#include "fuzz/require.h"

#include "app/comm/linkengine.h"
#include "app/comm/linkframe.h"
#include "app/comm/projectlink.h"
#include "app/model/lxtypecore.h"
#include "app/project/headerlib.h"
#include "app/project/prjfile.h"

#include <QCoreApplication>

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>

namespace kes::fuzz {

namespace {

// The panel's side of the line: what the engine writes is dropped, what the input says the
// panel sends is handed over when the engine is told characters are ready.
class FuzzPort final : public LinkPort {
public:
    LinkPortSettings& Settings() override { return settings_; }
    bool Open() override
    {
        open_ = true;
        pending_.clear();
        return true;
    }
    void Close() override { open_ = false; }
    bool IsOpen() const override { return open_; }
    bool SetBaud(int baud) override
    {
        settings_.baud = baud;
        return true;
    }
    bool Write(std::string_view) override { return open_; }
    std::string ReadAll() override { return std::exchange(pending_, {}); }
    void ClearInput() override { pending_.clear(); }
    bool CarrierDetect() override { return false; }

    void Deliver(std::string chars)
    {
        pending_ += chars;
        NotifyReadyRead();
    }

private:
    LinkPortSettings settings_;
    bool open_ = false;
    std::string pending_;
};

// The upload's host as the main window's is, without the window: the panel model's map and the
// check of what arrived come from the same UploadChecker.
class FuzzHost final : public TransferHost {
public:
    explicit FuzzHost(UploadChecker& checker) : checker_(checker) {}

    void Reset()
    {
        map_ = {};
        outcomes = 0;
        lastOk = false;
        taken.reset();
    }

    LinkMemoryMap MemoryMap() const override { return map_; }
    std::uint8_t PanelModelIndex() const override { return 0; }
    std::int16_t MachineId() const override { return 3; }
    UploadProblem TakeIdentify(const PanelIdentity& id, TransferKind) override
    {
        const auto map = checker_.MemoryMapOf(id.modelIndex, id.memMapVariant);
        if (!map) {
            UploadProblem p;
            p.kind = UploadProblem::Kind::UnknownModel;
            return p;
        }
        map_ = *map;
        return {};
    }
    DownloadImage PrepareDownloadImage() override { return {}; }
    SystemBlockFields SystemBlock() const override { return {}; }
    Bytes ScreenImage(TransferKind) override { return {}; }
    void TakeSystemBlock(const SystemBlockFields&, std::uint32_t) override {}
    UploadProblem TakeUpload(UploadResult result) override
    {
        UploadProblem p = checker_.Check(result);
        if (!p)
            taken = std::move(result);
        return p;
    }
    void ShowProgress(int, int, const std::string&) override {}
    void ShowStatus(int, const std::string&) override {}
    void ShowPageCount(std::size_t) override {}
    void TransferEnded(const TransferOutcome& outcome) override
    {
        ++outcomes;
        lastOk = outcome.Ok();
    }

    int outcomes = 0;
    bool lastOk = false;
    std::optional<UploadResult> taken;

private:
    UploadChecker& checker_;
    LinkMemoryMap map_;
};

struct Env {
    std::unique_ptr<UploadChecker> checker;
    std::unique_ptr<FuzzHost> host;
    FuzzPort port;
    std::unique_ptr<LinkEngine> engine;
    // The project an accepted upload becomes, saved and read back.
    ProjectDoc doc;
    std::unique_ptr<LxTypeCore> core;
    std::unique_ptr<HeaderLib> lib;
    int machineLoaded = -1;
};

Env& TheEnv()
{
    static Env env;
    return env;
}

// The answer to the request waiting, as the panel frames it.
std::string Answer(const Bytes& request, bool refused, ByteSpan data)
{
    // request: station, command, then address (u32) and length for reads and writes.
    Bytes r = {1, static_cast<std::uint8_t>(request.size() > 1 ? request[1] : 0)};
    if (refused)
        r[1] |= 0x80;
    if (request.size() >= 7 && (request[1] == '1' || request[1] == '0'))
        r.insert(r.end(), request.begin() + 2, request.begin() + 7);
    r.insert(r.end(), data.begin(), data.end());
    return LinkFrame(r);
}

// An upload the checks let through becomes a project file that reads back: the controller and
// panel model are ones the lists hold and every chunk fits the image.
void SavesAndOpens(const UploadResult& r)
{
    Env& e = TheEnv();
    ProjectDoc& d = e.doc;
    const std::int16_t machine = MapUploadedMachineId(r.systemBlock.machineId);
    Require(e.core->MachineIndexOf(machine) >= 0);
    d.MachineId = machine;
    if (e.machineLoaded != machine) {
        e.core->SelectMachine();
        e.machineLoaded = machine;
    }
    d.MachineId = machine;
    d.PanelModelIndex = r.identity.modelIndex;
    e.core->MemMapVariant = r.identity.memMapVariant;
    e.core->LoadModelData();
    d.PanelFwVer = r.identity.firmwareVersion;
    ApplySystemBlock(d, r.systemBlock);
    Require(TakeUploadedProject(d, r, e.lib->Decoders()));
    Bytes file;
    Require(EncodeProjectFile(d, ProjectFileExtras{}, file) == ProjectError::None);
    ParsedProjectFile parsed;
    Require(ParseProjectFile(file, parsed) == ProjectError::None);
    Require(e.core->MachineIndexOf(parsed.Head.MachineId) >= 0);
    Require(StoredModelIndex(parsed.Head) < static_cast<int>(e.core->ModelNames.size()));
    Require(CheckChunksFit(parsed, d.MemImage.size()) == ProjectError::None);
    Require(parsed.Keypad || parsed.Chunks.size() == d.PgDataList.size() + 1);
}

} // namespace

void UploadReplySetup(const std::string& programDir)
{
    Env& e = TheEnv();
    // The time-out runs on the event loop. The application stays to the end of the process:
    // Qt's own globals go before the statics here would.
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "fuzz_uploadreply";
        static char* argv[] = {name, nullptr};
        new QCoreApplication(argc, argv);
    }
    e.checker = std::make_unique<UploadChecker>(programDir, programDir + "libMorvik.so");
    e.host = std::make_unique<FuzzHost>(*e.checker);
    LinkOptions o;
    o.tickMs = 0; // a time-out fires at the next turn of the event loop, which only a piece runs
    e.engine = std::make_unique<LinkEngine>(e.port, *e.host, o);
    e.doc.AppDir = programDir;
    e.core = std::make_unique<LxTypeCore>(e.doc);
    e.core->LoadModelList();
    e.core->LoadMachineList();
    e.lib = std::make_unique<HeaderLib>(programDir + "libMorvik.so");
}

void UploadReplyOneInput(const std::uint8_t* data, std::size_t size)
{
    Env& e = TheEnv();
    e.host->Reset();
    Require(e.port.Open());
    Require(e.engine->Start(TransferKind::Upload, 115200));
    std::size_t at = 0;
    while (e.engine->Busy() && at < size) {
        const std::uint8_t head = data[at++];
        switch (head & 3) {
        case 0:
        case 1: {
            std::size_t n = 0;
            if (at < size) {
                n = data[at];
                ++at;
                n = std::min(n, size - at);
            }
            const ByteSpan piece(data + at, n);
            at += n;
            if ((head & 3) == 0)
                e.port.Deliver(std::string(reinterpret_cast<const char*>(piece.data()), piece.size()));
            else
                e.port.Deliver(Answer(e.engine->Xfer().LinkTxBin, (head & 4) != 0, piece));
            break;
        }
        case 2:
            QCoreApplication::processEvents();
            break;
        default:
            break;
        }
    }
    if (e.engine->Busy())
        e.engine->Abort();
    // Exactly one outcome, the engine idle and the port closed, whatever arrived.
    Require(e.host->outcomes == 1);
    Require(!e.engine->Busy());
    Require(!e.port.IsOpen());
    Require(e.host->lastOk == e.host->taken.has_value());
    if (e.host->taken)
        SavesAndOpens(*e.host->taken);
}

} // namespace kes::fuzz
