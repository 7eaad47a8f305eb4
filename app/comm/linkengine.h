#pragma once
// The transfer engine: moves the system block, page table, firmware and image to a panel, or
// reads a project back, one request per reply. An explicit state machine driven by the port's
// ready-read notifications and a single-shot reply timer; nothing here blocks or sleeps.
//
//   idle -> '4' set baud -> '3' identify -> '0' writes (download, start-up screen, user menu)
//                                         -> '1' reads (upload)
//        -> '2' end -> idle (success)
// Any refusal, bad reply or exhausted resends ends the transfer as a failure. Either way the
// engine is idle, the port is closed and the host hears exactly one outcome. One request is in
// flight at a time (with its resends); a reply is taken only when it answers that request, so a
// late answer to an earlier one is dropped, and success comes with the end command's reply.
#include "app/comm/linkframe.h"
#include "app/comm/linkport.h"
#include "app/comm/transferhost.h"

#include <QTimer>

#include <cstdint>
#include <optional>
#include <string>

namespace kes {

struct LinkOptions {
    int tickMs = 55;            // one tick of the reply timer
    int timeOutTicks = 36;      // reply time-out
    bool timeOutEnabled = true; // MmTimeOut: without it a lost reply is never sent again
    int maxResends = 3;
    std::string firmwareDir; // where "BIN/M..." lies; empty: the program directory
};

// The transfer state record.
struct LinkXfer {
    char LinkStep = 0;             // '4','3','1','0','2'; 0 idle; kLinkFailed after a failure
    std::uint32_t address = 0;     // panel address of the next request
    std::uint32_t chunkLength = 0; // bytes asked for by the read waiting
    std::uint32_t offset = 0;      // offset inside the block being moved
    int retries = 0;               // resends of the request waiting
    Bytes LinkTxBin;               // the request before hex encoding; after a good reply the reply
    std::string LinkTxTxt;         // the request as sent, kept for resending
};
inline constexpr char kLinkFailed = static_cast<char>(0xFF);

// Baud code of the set-baud request: 9600 0, 19200 1, 38400 2, 57600 3, 115200 4; nullopt for
// any other rate.
std::optional<std::uint8_t> LinkBaudCode(int baud);

// "BIN/M" + controller number + "_" + panel model index + version as three digits + ".bin".
std::string FirmwareFileName(std::int16_t machineId, int modelIndex, std::uint32_t panelFwVer);

class LinkEngine {
public:
    LinkEngine(LinkPort& port, TransferHost& host, LinkOptions options = {});
    ~LinkEngine();
    LinkEngine(const LinkEngine&) = delete;
    LinkEngine& operator=(const LinkEngine&) = delete;

    // HmiUnitAddr: the station put into every request.
    void SetStation(std::uint8_t station) { station_ = station; }
    LinkOptions& Options() { return opt_; }

    // Starts a transfer on the open port. `configuredBaud` is the rate the link runs at after
    // the set-baud exchange; the port is back at it when the transfer ends. False (and no
    // outcome) when a transfer is running or the port is closed.
    bool Start(TransferKind kind, int configuredBaud);
    // Ends a running transfer as a failure without a message (the program is closing).
    void Abort();

    bool Busy() const { return active_; }
    const LinkXfer& Xfer() const { return x_; }
    std::uint32_t PanelFwVer() const { return panelFwVer_; }
    const PanelIdentity& Identity() const { return identity_; }

    // The steps, public so the main window and tests can name them.
    void SendFrame(std::uint32_t address, const std::uint8_t* data, LinkCmd command, std::size_t length);
    void HandleReply(const Bytes& reply);
    void MMIComTriggerOutSent();
    bool SendFirmwareFile();

private:
    enum class Phase { SetBaud, Identify, SysBlock, PageTable, Firmware, Image, Screen };

    void OnReadyRead();
    void OnLine(const std::string& line);
    void OnTimeOut();
    bool Answers(const Bytes& reply) const;
    void OnIdentify(const Bytes& reply);
    void WriteStep();
    void ReadStep();
    void OnReadData(const Bytes& reply);
    bool TakeUploadedBlock();
    bool TakeUploadedTable();
    void SendEnd();
    void Succeed();
    void Fail(LinkError error, FileError file = {}, UploadProblem problem = {});
    void EndTransfer();
    void ArmTimer();
    void ShowProgressFor(std::uint32_t address);

    LinkPort& port_;
    TransferHost& host_;
    LinkOptions opt_;
    QTimer timer_;
    LinkRx rx_;

    std::uint8_t station_ = 1;
    bool active_ = false;
    unsigned generation_ = 0; // bumped per transfer; a handler seeing another value stops
    TransferKind kind_ = TransferKind::None;
    Phase phase_ = Phase::SetBaud;
    LinkXfer x_;
    LinkCmd waiting_ = LinkCmd::SetBaud; // command of the request waiting for its reply
    std::uint32_t waitingAddress_ = 0;   // and the address and length it carried
    std::uint8_t waitingLength_ = 0;
    bool endSent_ = false;

    int configuredBaud_ = 9600;
    int linkBaud_ = 9600;
    std::uint8_t baudCode_ = 0;
    PanelIdentity identity_;
    std::uint32_t panelFwVer_ = 0;
    LinkMemoryMap map_;

    // A reply accepted after resends may be followed by the answers to the other copies of the
    // request; identical lines right after it are those copies, not the next reply.
    std::optional<std::string> dupGuard_;
    int dupCopies_ = 0;        // copies still possible
    bool dupIgnored_ = false;  // a line was ignored as a copy while the current request waits
    bool dupGuardOff_ = false; // the panel answers different requests alike: guard unusable

    // Download.
    SystemBlockFields sysFields_;
    Bytes block_; // system block being written or read
    Bytes table_; // page table being written or read
    Bytes firmware_;
    bool sendFirmware_ = false;
    Bytes image_; // image (download: padded with 0xFF to whole chunks)
    std::uint32_t imageLen_ = 0;
    std::vector<std::uint32_t> offsets_;
    std::uint32_t screenStart_ = 0;

    // Upload.
    UploadResult upload_;

    int progressPos_ = 0;
    int progressMax_ = 0;
};

} // namespace kes
