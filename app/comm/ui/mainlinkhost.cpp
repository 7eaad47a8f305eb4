#include "app/comm/ui/mainlinkhost.h"

#include "app/comm/ui/linkmessage.h"
#include "app/comm/ui/tcomprogbar.h"
#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"

#include <utility>

namespace kes {

MainLinkHost::MainLinkHost(ProjectState& state, Prompt& prompt, MainLinkParts parts)
    : state_(state), prompt_(prompt), parts_(std::move(parts))
{
    showTimer_.setSingleShot(true);
    showTimer_.setInterval(kShowIntervalMs);
    showTimer_.callOnTimeout([this] { ShowPending(); });
}

UploadProblem MainLinkHost::TakeIdentify(const PanelIdentity& id, TransferKind kind)
{
    kept_ = {};
    if (kind == TransferKind::Upload) {
        upload_.reset();
        const auto map = parts_.uploadMemoryMap ? parts_.uploadMemoryMap(id.modelIndex, id.memMapVariant)
                                                : std::optional<LinkMemoryMap>(MemoryMapOf(state_));
        if (!map) {
            UploadProblem p;
            p.kind = UploadProblem::Kind::UnknownModel;
            p.number = id.modelIndex;
            return p;
        }
        upload_ = StagedUpload{*map, {}};
        return {};
    }
    upload_.reset();
    state_.PanelModelIndex = id.modelIndex;
    if (parts_.loadModelData)
        parts_.loadModelData(id.memMapVariant);
    state_.PanelFwVer = id.firmwareVersion;
    kept_ = {id.firmwareLength, id.firmwareStamp, id.kept};
    return {};
}

DownloadImage MainLinkHost::PrepareDownloadImage()
{
    return parts_.downloadImage ? parts_.downloadImage() : DownloadImage{};
}

SystemBlockFields MainLinkHost::SystemBlock() const
{
    SystemBlockExtras x;
    x.pageCount = parts_.pageCount ? parts_.pageCount() : 0;
    x.enableUpDown = parts_.enableUpDown && parts_.enableUpDown();
    return SystemBlockFieldsOf(state_, x);
}

Bytes MainLinkHost::ScreenImage(TransferKind kind) { return parts_.screenImage ? parts_.screenImage(kind) : Bytes{}; }

// The block comes again with the whole upload.
void MainLinkHost::TakeSystemBlock(const SystemBlockFields&, std::uint32_t) {}

UploadProblem MainLinkHost::TakeUpload(UploadResult result)
{
    if (!upload_)
        return {};
    if (parts_.checkUpload) {
        UploadProblem p = parts_.checkUpload(result);
        if (p) {
            upload_.reset();
            return p;
        }
    }
    upload_->result = std::move(result);
    return {};
}

bool MainLinkHost::ApplyUpload(StagedUpload& up)
{
    UploadResult& r = *up.result;
    if (parts_.closeProjectForUpload && !parts_.closeProjectForUpload())
        return false;
    const PanelIdentity& id = r.identity;
    state_.PanelModelIndex = id.modelIndex;
    if (parts_.loadModelData)
        parts_.loadModelData(id.memMapVariant);
    state_.PanelFwVer = id.firmwareVersion;
    state_.ComSetByte = {id.com1, id.com2};
    kept_ = {id.firmwareLength, id.firmwareStamp, id.kept};
    // The controller's device table and model data first: the block's own port code, link
    // and station then stand over the table's defaults.
    const SystemBlockFields& f = r.systemBlock;
    state_.MachineId = MapUploadedMachineId(f.machineId);
    if (parts_.selectMachine)
        parts_.selectMachine();
    const bool upDown = ApplySystemBlock(state_, f);
    if (parts_.setEnableUpDown)
        parts_.setEnableUpDown(upDown);
    state_.Modified = 0;
    state_.Compiled = 1;
    state_.Opened = 0;
    if (parts_.rebuildProject)
        parts_.rebuildProject(r);
    return true;
}

void MainLinkHost::ShowProgress(int position, int maximum, const std::string& ratio)
{
    progress_ = Progress{position, maximum, ratio};
    Reported();
}

void MainLinkHost::ShowStatus(int panel, const std::string& text)
{
    status_[panel] = QString::fromStdString(text);
    written_.insert(panel);
    Reported();
}

void MainLinkHost::ShowPageCount(std::size_t count)
{
    constexpr int kMsgPageNumber = 142; // "Page Number"
    status_[0] = Msg(kMsgPageNumber) + QStringLiteral(":%1").arg(count);
    written_.insert(0);
    Reported();
}

void MainLinkHost::Reported()
{
    if (!showTimer_.isActive())
        showTimer_.start();
}

void MainLinkHost::ShowPending()
{
    showTimer_.stop();
    if (progress_ && ProgressWindow)
        ProgressWindow->ShowProgress(progress_->position, progress_->maximum, QString::fromStdString(progress_->ratio));
    progress_.reset();
    if (parts_.status)
        for (const auto& [panel, text] : status_)
            parts_.status(panel, text);
    status_.clear();
}

void MainLinkHost::TransferEnded(const TransferOutcome& outcome)
{
    // The frame, address and page count the status bar showed were those of the transfer, which
    // is over, failed or not: they go, and what was still to show is not shown.
    status_.clear();
    ShowPending();
    for (const int panel : std::exchange(written_, {}))
        if (parts_.status)
            parts_.status(panel, QString());
    if (ProgressWindow) {
        ProgressWindow->close();
        ProgressWindow = nullptr;
    }
    std::optional<StagedUpload> up = std::exchange(upload_, std::nullopt);
    // An upload the user did not let replace the open project ends without a word.
    const bool taken = !outcome.Ok() || !up || !up->result || ApplyUpload(*up);
    // A numbered message shows even when the language's table lacks its text.
    const QString text = LinkMessageText(outcome);
    if (taken && (LinkMessageNumber(outcome.error) >= 0 || !text.isEmpty()))
        ShowMessage(prompt_, text, Buttons::Ok, outcome.Ok() ? MsgKind::Info : MsgKind::Error);
    if (parts_.formActivate)
        parts_.formActivate();
}

} // namespace kes
