#include "app/comm/linkengine.h"

#include "platform/codepage.h"
#include "platform/fileio.h"

#include <QDateTime>
#include <QFileInfo>
#include <QString>

#include <algorithm>
#include <cerrno>
#include <cstdio>

namespace kes {

namespace {

constexpr int kSetBaudRate = 9600; // the set-baud request always goes out at this rate
constexpr std::uint32_t kMinFirmware = 90;
constexpr std::uint32_t kErasedCount = 0xFFFF; // the entry count of a block never written

bool InArea(std::uint32_t a, std::uint32_t start, std::uint32_t end) { return a >= start && a < end; }

std::uint32_t AreaSize(std::uint32_t start, std::uint32_t end) { return end > start ? end - start : 0; }

std::string Hex16(std::uint32_t v)
{
    char buf[17];
    std::snprintf(buf, sizeof buf, "%016X", v);
    return buf;
}

// Identify reply, decoded bytes (index 0 = function byte): see PanelIdentity.
PanelIdentity ParseIdentity(const Bytes& r)
{
    PanelIdentity id;
    const ByteSpan s(r);
    id.modelIndex = r[3] & 0x0F;
    id.memMapVariant = r[3] >> 4;
    id.firmwareVersion = *GetU16be(s, 4);
    id.machineId = *GetU16be(s, 6);
    id.com1 = r[8];
    id.com2 = r[9];
    id.firmwareLength = *GetU32be(s, 10);
    id.firmwareStamp = *GetU32be(s, 14);
    id.kept = *GetU16be(s, 18);
    return id;
}

} // namespace

std::int16_t MapUploadedMachineId(std::int16_t id)
{
    if (id >= 1 && id <= 3)
        return 3;
    if (id == 4 || id == 5 || (id >= 7 && id <= 10))
        return 4;
    return id;
}

std::optional<std::uint8_t> LinkBaudCode(int baud)
{
    switch (baud) {
    case 9600:
        return 0;
    case 19200:
        return 1;
    case 38400:
        return 2;
    case 57600:
        return 3;
    case 115200:
        return 4;
    default:
        return std::nullopt;
    }
}

std::string FirmwareFileName(std::int16_t machineId, int modelIndex, std::uint32_t panelFwVer)
{
    char ver[16];
    std::snprintf(ver, sizeof ver, "%03u", panelFwVer);
    return "BIN/M" + std::to_string(machineId) + "_" + std::to_string(modelIndex) + ver + ".bin";
}

LinkEngine::LinkEngine(LinkPort& port, TransferHost& host, LinkOptions options)
    : port_(port), host_(host), opt_(std::move(options))
{
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] { OnTimeOut(); });
}

LinkEngine::~LinkEngine()
{
    timer_.stop();
    // The port may outlive the engine: nothing may call back into it.
    port_.SetReadyRead({});
}

bool LinkEngine::Start(TransferKind kind, int configuredBaud)
{
    if (active_ || !port_.IsOpen() || kind == TransferKind::None)
        return false;
    ++generation_;
    active_ = true;
    kind_ = kind;
    x_ = LinkXfer{};
    x_.LinkStep = '4';
    phase_ = Phase::SetBaud;
    endSent_ = false;
    dupGuard_.reset();
    dupIgnored_ = false;
    dupGuardOff_ = false;
    block_.clear();
    table_.clear();
    firmware_.clear();
    sendFirmware_ = false;
    image_.clear();
    imageLen_ = 0;
    offsets_.clear();
    upload_ = UploadResult{};
    progressPos_ = progressMax_ = 0;
    panelFwVer_ = 0;

    // A rate the panel has no code for would leave the two ends at different rates: stay at 9600.
    configuredBaud_ = configuredBaud;
    const auto code = LinkBaudCode(configuredBaud);
    baudCode_ = code.value_or(0);
    linkBaud_ = code ? configuredBaud : kSetBaudRate;

    rx_.Clear();
    port_.SetReadyRead([this] { OnReadyRead(); });
    port_.SetBaud(kSetBaudRate);
    port_.ClearInput();
    host_.ShowProgress(0, 0, {});
    SendFrame(0, &baudCode_, LinkCmd::SetBaud, 1);
    return true;
}

void LinkEngine::Abort()
{
    if (active_)
        Fail(LinkError::Stopped);
}

void LinkEngine::ArmTimer()
{
    if (opt_.timeOutEnabled)
        timer_.start(opt_.tickMs * opt_.timeOutTicks);
}

void LinkEngine::ShowProgressFor(std::uint32_t address)
{
    const bool dataArea = InArea(address, map_.ObjDataAddr, map_.ObjDataAddrEnd) ||
                          InArea(address, map_.StartCanvas, map_.EndCanvas) ||
                          InArea(address, map_.MainMenuAddr, map_.MainMenuEnd) ||
                          InArea(address, map_.CommCodeAddr, map_.CommCodeAddrEnd);
    if (!dataArea) {
        host_.ShowProgress(progressPos_, progressMax_, {});
        return;
    }
    progressPos_ += static_cast<int>(kLinkChunk);
    const long long pos = std::min(progressPos_, progressMax_);
    const long long percent = progressMax_ > 0 ? pos * 100 / progressMax_ : 0;
    host_.ShowProgress(progressPos_, progressMax_, std::to_string(percent) + "%");
}

void LinkEngine::SendFrame(std::uint32_t address, const std::uint8_t* data, LinkCmd command, std::size_t length)
{
    const std::size_t dataLen = (command == LinkCmd::Write || command == LinkCmd::SetBaud) ? length : 0;
    x_.LinkTxBin = BuildLinkRequest(station_, command, address, ByteSpan(data, data ? dataLen : 0), length);
    x_.LinkTxTxt = LinkFrame(x_.LinkTxBin);
    waiting_ = command;
    waitingAddress_ = address;
    waitingLength_ = static_cast<std::uint8_t>(length);
    // A failed write is not fatal here: the reply time-out sends the request again and gives up
    // after the resends.
    port_.Write(x_.LinkTxTxt);
    host_.ShowStatus(2, x_.LinkTxTxt.substr(0, x_.LinkTxTxt.size() - 2));
    if (command == LinkCmd::Write || command == LinkCmd::Read)
        ShowProgressFor(address);
    ArmTimer();
}

void LinkEngine::OnReadyRead()
{
    const std::string data = port_.ReadAll();
    if (!active_) {
        // Nothing is waiting for a reply: whatever arrives is stray.
        port_.Close();
        return;
    }
    const unsigned gen = generation_;
    std::string_view rest(data);
    while (!rest.empty() && active_ && gen == generation_) {
        const LinkRx::Result r = rx_.Feed(rest);
        rest.remove_prefix(r.consumed);
        if (r.event == LinkRx::Event::Overflow) {
            Fail(LinkError::RxOverflow);
            return;
        }
        if (r.event == LinkRx::Event::Line) {
            const std::string line(rx_.Line());
            rx_.Clear();
            OnLine(line);
        }
    }
}

// Decoded reply, index 0 the function byte: the request's command, bit 7 set when the panel
// refused it. Write and read replies go on with the address (u32) and length (u8) they answer
// at 1..5, a read reply's data from 6. A reply of the function byte alone is taken for a write
// (some panels leave the echo out) and for a refusal of any request.
bool LinkEngine::Answers(const Bytes& reply) const
{
    if (reply.empty() || (reply[0] & 0x7F) != static_cast<std::uint8_t>(waiting_))
        return false;
    const bool refused = (reply[0] & 0x80) != 0;
    if (reply.size() == 1)
        return refused || waiting_ == LinkCmd::Write || waiting_ == LinkCmd::End;
    const auto echoes = [&] {
        return reply.size() >= 6 && GetU32be(reply, 1) == waitingAddress_ && reply[5] == waitingLength_;
    };
    switch (waiting_) {
    case LinkCmd::SetBaud:
        return true;
    case LinkCmd::Identify:
        return refused || reply.size() >= 20;
    case LinkCmd::Read:
        return echoes() && (refused || reply.size() >= 6 + std::size_t(waitingLength_));
    case LinkCmd::Write:
        return echoes();
    case LinkCmd::End:
        return true;
    }
    return false;
}

void LinkEngine::OnLine(const std::string& line)
{
    Bytes reply;
    if (!CheckLrc(line, reply)) {
        Fail(LinkError::BadLrc);
        return;
    }
    // An answer to an earlier request (or an earlier copy of this one) is not this one's: the
    // request stays in flight and its time-out keeps running.
    if (!Answers(reply))
        return;
    if (!CheckReplyOk(reply)) {
        Fail(LinkError::PanelRefused);
        return;
    }
    if (dupGuard_) {
        if (!dupGuardOff_ && line == *dupGuard_) {
            dupIgnored_ = true;
            if (--dupCopies_ <= 0)
                dupGuard_.reset();
            return;
        }
        dupGuard_.reset();
    }
    timer_.stop();
    if (x_.retries > 0) {
        dupGuard_ = line;
        dupCopies_ = x_.retries;
    }
    dupIgnored_ = false;
    x_.LinkTxTxt.clear();
    x_.retries = 0;
    // The step's next request takes LinkTxBin over: it works on a copy of the reply.
    x_.LinkTxBin = reply;
    HandleReply(reply);
}

void LinkEngine::OnTimeOut()
{
    if (!active_)
        return;
    // The line ignored as a copy was this request's own answer: the panel answers different
    // requests alike, so copies cannot be told apart from replies in this transfer.
    if (dupIgnored_)
        dupGuardOff_ = true;
    dupIgnored_ = false;
    if (x_.retries >= opt_.maxResends) {
        Fail(LinkError::NoReply);
        return;
    }
    // What arrived so far stays: a reply slower than the time-out still ends its line and
    // answers the request sent again, and a new reply starts afresh at its ':'.
    dupGuard_.reset();
    port_.Write(x_.LinkTxTxt);
    ArmTimer();
    ++x_.retries;
}

void LinkEngine::HandleReply(const Bytes& reply)
{
    switch (x_.LinkStep) {
    case '4':
        if (reply[1] != baudCode_) {
            Fail(LinkError::BaudRefused);
            return;
        }
        port_.SetBaud(linkBaud_);
        x_.address = 0;
        x_.LinkStep = '3';
        phase_ = Phase::Identify;
        MMIComTriggerOutSent();
        return;
    case '3':
        OnIdentify(reply);
        return;
    case '0':
        MMIComTriggerOutSent();
        return;
    case '1':
        OnReadData(reply);
        return;
    case '2':
        if (endSent_)
            Succeed();
        else
            MMIComTriggerOutSent();
        return;
    default:
        return;
    }
}

void LinkEngine::MMIComTriggerOutSent()
{
    if (!active_)
        return;
    switch (x_.LinkStep) {
    case '3':
        SendFrame(0, nullptr, LinkCmd::Identify, 0);
        return;
    case '0':
        WriteStep();
        return;
    case '1':
        ReadStep();
        return;
    case '2':
        SendEnd();
        return;
    default:
        return;
    }
}

void LinkEngine::OnIdentify(const Bytes& reply)
{
    identity_ = ParseIdentity(reply);
    if (kind_ == TransferKind::Download && host_.PanelModelIndex() != identity_.modelIndex) {
        Fail(LinkError::WrongModel);
        return;
    }
    const UploadProblem problem = host_.TakeIdentify(identity_, kind_);
    panelFwVer_ = identity_.firmwareVersion;
    if (panelFwVer_ < kMinFirmware) {
        Fail(LinkError::OldFirmware);
        return;
    }
    if (problem) {
        Fail(LinkError::BadProject, {}, problem);
        return;
    }
    // The reply's memory-map variant may have changed the map the project was compiled for.
    map_ = host_.MemoryMap();
    switch (kind_) {
    case TransferKind::Upload:
        if (AreaSize(map_.ParaAddr, map_.ParaEnd) < SystemBlockSize(panelFwVer_)) {
            Fail(LinkError::NoRoom);
            return;
        }
        x_.LinkStep = '1';
        phase_ = Phase::SysBlock;
        x_.address = map_.ParaAddr;
        x_.offset = 0;
        break;
    case TransferKind::Download:
        if (!SendFirmwareFile())
            return;
        break;
    case TransferKind::UserMenu:
    case TransferKind::StartScreen: {
        const bool menu = kind_ == TransferKind::UserMenu;
        screenStart_ = menu ? map_.MainMenuAddr : map_.StartCanvas;
        const std::uint32_t area =
            menu ? AreaSize(map_.MainMenuAddr, map_.MainMenuEnd) : AreaSize(map_.StartCanvas, map_.EndCanvas);
        Bytes pictures = host_.ScreenImage(kind_);
        if (pictures.size() > area) {
            Fail(LinkError::NoRoom);
            return;
        }
        imageLen_ = static_cast<std::uint32_t>(pictures.size());
        image_ = std::move(pictures);
        image_.resize(std::max<std::size_t>(kLinkChunk, (imageLen_ + kLinkChunk - 1) / kLinkChunk * kLinkChunk), 0);
        progressPos_ = 0;
        progressMax_ = static_cast<int>(imageLen_);
        kind_ = TransferKind::Download;
        x_.LinkStep = '0';
        phase_ = Phase::Screen;
        x_.address = screenStart_;
        x_.offset = 0;
        break;
    }
    case TransferKind::None:
        return;
    }
    MMIComTriggerOutSent();
}

bool LinkEngine::SendFirmwareFile()
{
    x_.LinkStep = '0';
    kind_ = TransferKind::Download;
    DownloadImage di = host_.PrepareDownloadImage();
    sysFields_ = host_.SystemBlock();
    const std::size_t tableLen = 4 * (di.offsets.size() + 1);
    if (di.image.size() > AreaSize(map_.ObjDataAddr, map_.ObjDataAddrEnd) || di.offsets.empty() ||
        tableLen > AreaSize(map_.ObjPageAddr, map_.ObjPageEnd) ||
        SystemBlockSize(panelFwVer_) > AreaSize(map_.ParaAddr, map_.ParaEnd)) {
        Fail(LinkError::NoRoom);
        return false;
    }

    const std::string dir = opt_.firmwareDir.empty() ? AppDir() : opt_.firmwareDir;
    const std::string name = dir + FirmwareFileName(host_.MachineId(), host_.PanelModelIndex(), panelFwVer_);
    const QFileInfo info(AnsiToQString(name));
    if (!info.isFile()) {
        // Why it is no file to send, as a read of it says.
        FileError missing{FileOp::Read, FileFault::System, name, ENOENT, 0};
        Bytes none;
        ReadFileLimited(name, 0, none, nullptr, &missing);
        Fail(LinkError::FirmwareMissing, missing);
        return false;
    }
    const auto stamp = static_cast<std::uint32_t>(info.lastModified().toSecsSinceEpoch());
    sendFirmware_ = stamp != identity_.firmwareStamp;
    firmware_.clear();
    if (sendFirmware_) {
        // Read no further than the area holds: a larger file is refused however large it is.
        const std::uint32_t area = AreaSize(map_.CommCodeAddr, map_.CommCodeAddrEnd);
        std::uint64_t size = 0;
        FileError error;
        if (!ReadFileLimited(name, std::size_t(area) + 1, firmware_, &size, &error)) {
            Fail(LinkError::FirmwareMissing, error);
            return false;
        }
        // Cut short, the panel would hold part of a firmware the block calls complete.
        if (size > area) {
            firmware_.clear();
            Fail(LinkError::NoRoom);
            return false;
        }
    }
    sysFields_.firmwareLength = sendFirmware_ ? static_cast<std::uint32_t>(firmware_.size()) : identity_.firmwareLength;
    sysFields_.firmwareStamp = stamp;

    imageLen_ = static_cast<std::uint32_t>(di.image.size());
    image_ = std::move(di.image);
    // Whole chunks: the last one goes out as 32 bytes with 0xFF after the image.
    image_.resize(std::max<std::size_t>(kLinkChunk, (imageLen_ + kLinkChunk - 1) / kLinkChunk * kLinkChunk), 0xFF);
    offsets_ = std::move(di.offsets);

    progressPos_ = 0;
    progressMax_ = static_cast<int>(imageLen_ + firmware_.size() + tableLen);
    x_.offset = 0;
    x_.address = map_.ParaAddr;
    phase_ = Phase::SysBlock;
    return true;
}

// Download writes: system block, page table, firmware (when it goes), image; one chunk per call.
void LinkEngine::WriteStep()
{
    const std::uint32_t at = x_.address;
    switch (phase_) {
    case Phase::SysBlock: {
        const std::size_t size = SystemBlockSize(panelFwVer_);
        if (at == map_.ParaAddr) {
            block_.assign(size, 0xFF);
            BuildSystemBlock(sysFields_, panelFwVer_, block_);
        }
        const std::size_t rel = at - map_.ParaAddr;
        const std::size_t n = std::min(kLinkChunk, size - rel);
        x_.address += kLinkChunk;
        if (x_.address >= map_.ParaAddr + size) {
            x_.address = map_.ObjPageAddr;
            x_.offset = 0;
            phase_ = Phase::PageTable;
        }
        SendFrame(at, block_.data() + rel, LinkCmd::Write, n);
        return;
    }
    case Phase::PageTable: {
        if (at == map_.ObjPageAddr && x_.offset == 0) {
            table_ = BuildPageTable(offsets_);
            block_.clear();
        }
        const std::size_t off = x_.offset;
        const std::size_t n = std::min(kLinkChunk, table_.size() - off);
        std::uint8_t chunk[kLinkChunk];
        std::copy_n(table_.begin() + off, n, chunk);
        if (off + kLinkChunk < table_.size()) {
            x_.offset += kLinkChunk;
            x_.address += kLinkChunk;
        } else {
            table_.clear();
            x_.offset = 0;
            phase_ = sendFirmware_ ? Phase::Firmware : Phase::Image;
            x_.address = sendFirmware_ ? map_.CommCodeAddr : map_.ObjDataAddr;
        }
        SendFrame(at, chunk, LinkCmd::Write, n);
        return;
    }
    case Phase::Firmware: {
        std::uint8_t chunk[kLinkChunk];
        std::fill_n(chunk, kLinkChunk, 0xFF);
        const std::size_t off = x_.offset;
        std::copy_n(firmware_.begin() + off, std::min(kLinkChunk, firmware_.size() - off), chunk);
        x_.offset += kLinkChunk;
        x_.address += kLinkChunk;
        if (x_.offset >= firmware_.size() || x_.address >= map_.CommCodeAddrEnd) {
            firmware_.clear();
            x_.offset = 0;
            x_.address = map_.ObjDataAddr;
            phase_ = Phase::Image;
        }
        SendFrame(at, chunk, LinkCmd::Write, kLinkChunk);
        return;
    }
    case Phase::Image:
    case Phase::Screen: {
        const std::size_t off = x_.offset;
        x_.offset += kLinkChunk;
        x_.address += kLinkChunk;
        const bool last = phase_ == Phase::Image ? (x_.address >= map_.ObjDataAddrEnd || x_.offset >= imageLen_)
                                                 : x_.address >= imageLen_ + screenStart_;
        if (last)
            x_.LinkStep = '2';
        SendFrame(at, image_.data() + off, LinkCmd::Write, kLinkChunk);
        return;
    }
    case Phase::SetBaud:
    case Phase::Identify:
        return;
    }
}

// Upload reads: system block, page table, image; the last piece of each only what remains.
void LinkEngine::ReadStep()
{
    std::size_t n = kLinkChunk;
    switch (phase_) {
    case Phase::SysBlock:
        n = SystemBlockSize(panelFwVer_) - (x_.address - map_.ParaAddr);
        break;
    case Phase::PageTable:
        n = table_.size() - x_.offset;
        break;
    case Phase::Image:
        n = imageLen_ - x_.offset;
        break;
    default:
        return;
    }
    x_.chunkLength = static_cast<std::uint32_t>(std::min(kLinkChunk, n));
    host_.ShowStatus(1, Hex16(x_.address));
    SendFrame(x_.address, nullptr, LinkCmd::Read, x_.chunkLength);
}

void LinkEngine::OnReadData(const Bytes& reply)
{
    const std::uint32_t n = x_.chunkLength;
    const auto data = reply.begin() + 6;
    switch (phase_) {
    case Phase::SysBlock: {
        if (x_.address == map_.ParaAddr)
            block_.assign(SystemBlockSize(panelFwVer_), 0);
        std::copy_n(data, n, block_.begin() + (x_.address - map_.ParaAddr));
        x_.address += n;
        if (x_.address >= map_.ParaAddr + block_.size() && !TakeUploadedBlock())
            return;
        break;
    }
    case Phase::PageTable:
        std::copy_n(data, n, table_.begin() + x_.offset);
        x_.offset += n;
        x_.address += n;
        if (x_.offset >= table_.size() && !TakeUploadedTable())
            return;
        break;
    case Phase::Image:
        std::copy_n(data, n, upload_.image.begin() + x_.offset);
        x_.offset += n;
        x_.address += n;
        if (x_.offset >= imageLen_)
            x_.LinkStep = '2';
        break;
    default:
        return;
    }
    MMIComTriggerOutSent();
}

// The block's entry count sizes the page table read next: an erased panel (0xFFFF) holds no
// project; a count of none or one the page table area cannot hold is refused.
bool LinkEngine::TakeUploadedBlock()
{
    const auto fields = ParseSystemBlock(block_, panelFwVer_);
    block_.clear();
    const std::uint32_t count = fields ? fields->entryCount : 0;
    if (count == kErasedCount) {
        Fail(LinkError::PanelEmpty);
        return false;
    }
    const auto tableFits = [&] { return 4ull * (count + 1) <= AreaSize(map_.ObjPageAddr, map_.ObjPageEnd); };
    if (!fields || count == 0 || !tableFits()) {
        Fail(LinkError::BadUpload);
        return false;
    }
    upload_.systemBlock = *fields;
    host_.TakeSystemBlock(*fields, panelFwVer_);
    if (!active_)
        return false;
    // The controller the block names may bring another memory map.
    map_ = host_.MemoryMap();
    if (!tableFits()) {
        Fail(LinkError::BadUpload);
        return false;
    }
    host_.ShowPageCount(count);
    table_.assign(4 * (std::size_t(count) + 1), 0);
    x_.address = map_.ObjPageAddr;
    x_.offset = 0;
    phase_ = Phase::PageTable;
    return true;
}

// Page starts must not run backwards and the image end must lie inside the image area.
bool LinkEngine::TakeUploadedTable()
{
    const std::size_t count = table_.size() / 4 - 1;
    std::vector<std::uint32_t> offsets(count);
    for (std::size_t i = 0; i < count; ++i)
        offsets[i] = *GetU32be(table_, 4 * (i + 1));
    table_.clear();
    const bool ordered = std::is_sorted(offsets.begin(), offsets.end());
    if (!ordered || offsets.back() > AreaSize(map_.ObjDataAddr, map_.ObjDataAddrEnd)) {
        Fail(LinkError::BadUpload);
        return false;
    }
    host_.ShowPageCount(count);
    imageLen_ = offsets.back();
    upload_.offsets = std::move(offsets);
    upload_.image.assign(imageLen_, 0);
    progressPos_ = 0;
    progressMax_ = static_cast<int>(imageLen_);
    x_.address = map_.ObjDataAddr;
    x_.offset = 0;
    phase_ = Phase::Image;
    if (imageLen_ == 0)
        x_.LinkStep = '2';
    return true;
}

void LinkEngine::SendEnd()
{
    endSent_ = true;
    SendFrame(0, nullptr, LinkCmd::End, 0);
}

void LinkEngine::EndTransfer()
{
    timer_.stop();
    active_ = false;
    ++generation_;
    rx_.Clear();
    dupGuard_.reset();
    block_.clear();
    table_.clear();
    firmware_.clear();
    image_.clear();
    port_.SetBaud(configuredBaud_);
    port_.Close();
}

void LinkEngine::Succeed()
{
    const bool upload = !upload_.offsets.empty();
    x_.LinkStep = 0;
    EndTransfer();
    kind_ = TransferKind::None;
    TransferOutcome outcome;
    if (upload) {
        upload_.identity = identity_;
        outcome.upload = host_.TakeUpload(std::move(upload_));
        upload_ = UploadResult{};
        if (outcome.upload)
            outcome.error = LinkError::BadProject;
    }
    host_.TransferEnded(outcome);
}

void LinkEngine::Fail(LinkError error, FileError file, UploadProblem problem)
{
    x_.LinkStep = kLinkFailed;
    EndTransfer();
    kind_ = TransferKind::None;
    upload_ = UploadResult{};
    TransferOutcome outcome;
    outcome.error = error;
    outcome.file = std::move(file);
    outcome.upload = std::move(problem);
    if (error == LinkError::NoReply)
        outcome.port = port_.Settings().name;
    host_.TransferEnded(outcome);
}

} // namespace kes
