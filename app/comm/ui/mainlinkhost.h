#pragma once
// The transfer host the main window plugs into the engine: the project state does the most,
// the main window lends the few things only it has (model data, pages, image, menu checks,
// status bar). Progress goes to the host's progress window while it exists.
//
// The engine reports progress and status for every frame, far more often than anyone can read
// them: the host keeps the latest of each and a timer shows them a few tens of times a second,
// at no fixed point of an exchange. Painting straight after a request was sent would hold up
// the request on its way out (the port's driver gets the processor after the painting).
#include "app/comm/projectlink.h"
#include "app/comm/transferhost.h"
#include "app/comm/ui/tcomprogbar.h"
#include "app/model/projectstate.h"

#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>

namespace kes {

class Prompt;

struct MainLinkParts {
    std::function<void(std::uint8_t variant)> loadModelData; // memory-map variant, then LoadModelData
    // Upload: the identified panel model's memory map, read apart from the open project;
    // nullopt when the model list lacks the model.
    std::function<std::optional<LinkMemoryMap>(std::uint8_t model, std::uint8_t variant)> uploadMemoryMap;
    // Upload: what arrived read as a project (UploadChecker); no problem when it reads.
    std::function<UploadProblem(const UploadResult&)> checkUpload;
    // Upload, once known good: ask to save the open project and close it (offset list cleared,
    // CloseProject); false when the user keeps it.
    std::function<bool()> closeProjectForUpload;
    std::function<DownloadImage()> downloadImage; // AppendPagesToImage: image and offsets
    std::function<std::size_t()> pageCount;       // PgDataList count
    std::function<bool()> enableUpDown;           // MmEnableUD checked
    std::function<void(bool)> setEnableUpDown;
    std::function<Bytes(TransferKind)> screenImage;    // start-up screen or user-menu pictures
    std::function<void()> selectMachine;               // SelectMachine, SelectMachineInBoxes, LoadModelData
    std::function<void(UploadResult&)> rebuildProject; // header sections, pages, check, page tree
    std::function<void(int panel, const QString& text)> status;
    std::function<void()> formActivate;
};

// The identify fields kept for the next download.
struct KeptIdentify {
    std::uint32_t firmwareLength = 0;
    std::uint32_t firmwareStamp = 0;
    std::uint16_t kept = 0;
};

class MainLinkHost final : public TransferHost {
public:
    // Time between two showings of progress and status.
    static constexpr int kShowIntervalMs = 40;

    // The transfer's end is told through prompt.
    MainLinkHost(ProjectState& state, Prompt& prompt, MainLinkParts parts);

    const KeptIdentify& Kept() const { return kept_; }

    // The progress window of the transfer under way, put here by whoever opens it; the
    // transfer's end closes it.
    QPointer<TComProgBar> ProgressWindow;

    LinkMemoryMap MemoryMap() const override { return upload_ ? upload_->map : MemoryMapOf(state_); }
    std::uint8_t PanelModelIndex() const override { return static_cast<std::uint8_t>(state_.PanelModelIndex); }
    std::int16_t MachineId() const override { return state_.MachineId; }
    UploadProblem TakeIdentify(const PanelIdentity& id, TransferKind kind) override;
    DownloadImage PrepareDownloadImage() override;
    SystemBlockFields SystemBlock() const override;
    Bytes ScreenImage(TransferKind kind) override;
    void TakeSystemBlock(const SystemBlockFields& f, std::uint32_t panelFwVer) override;
    UploadProblem TakeUpload(UploadResult result) override;
    void ShowProgress(int position, int maximum, const std::string& ratio) override;
    void ShowStatus(int panel, const std::string& text) override;
    void ShowPageCount(std::size_t count) override;
    void TransferEnded(const TransferOutcome& outcome) override;

private:
    // An upload under way: nothing of it reaches the project until it has all arrived, read as
    // a project and the user has let the open one go.
    struct StagedUpload {
        LinkMemoryMap map;
        std::optional<UploadResult> result;
    };
    // Takes a good upload into the project; false when the user keeps the open one.
    bool ApplyUpload(StagedUpload& up);
    // Shows the reports when the showing interval has passed.
    void Reported();
    // Shows what was reported since the last showing.
    void ShowPending();

    ProjectState& state_;
    Prompt& prompt_;
    MainLinkParts parts_;
    KeptIdentify kept_;
    std::optional<StagedUpload> upload_;
    struct Progress {
        int position = 0;
        int maximum = 0;
        std::string ratio;
    };
    std::optional<Progress> progress_;
    std::map<int, QString> status_;
    // The status bar's panels the transfer under way wrote: its end empties them.
    std::set<int> written_;
    QTimer showTimer_;
};

} // namespace kes
