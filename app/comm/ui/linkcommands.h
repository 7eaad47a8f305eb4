#pragma once
// The communication menu's commands: preparing the port before a transfer (a once-per-run
// modem check, opening the port), enabling the menu's items, and the download and upload
// commands that ask, prepare and start the transfer engine. The main window supplies the steps
// that belong to it (compile, inspector, progress window). An upload starts with the open
// project in place: the transfer host lets it go only for an upload that reads as a project.
#include "app/comm/linkengine.h"
#include "app/comm/linkport.h"
#include "app/model/projectstate.h"

#include <QTimer>

#include <functional>
#include <string>

namespace kes {

class Prompt;

// TKhm::OpenLink: opens the port when it is closed. On failure the port is closed again,
// message 78 + "(COM " + port + ")" is shown through prompt and the result is false.
bool OpenLink(Prompt& prompt, LinkPort& port);

// TKhm::ProbeModem, without blocking: `done` gets 2 when the line has a carrier, 3 when no port
// is set, 1 when a modem answered "ATZ\r" with its echo or "OK" within 55 ticks, 0 when nothing
// answered or the port would not open. The port is left open (closed when it would not open).
class ModemProbe {
public:
    explicit ModemProbe(LinkPort& port, int tickMs = 55);
    ~ModemProbe();
    ModemProbe(const ModemProbe&) = delete;
    ModemProbe& operator=(const ModemProbe&) = delete;
    void Start(std::function<void(int code)> done);
    bool Running() const { return running_; }
    void SetTickMs(int tickMs) { tickMs_ = tickMs; }

private:
    void Finish(int code);

    LinkPort& port_;
    int tickMs_;
    QTimer timer_;
    std::string text_;
    std::function<void(int)> done_;
    bool running_ = false;
};

// TKhm::ModemReady: a modem answered without carrier, or no port is set.
inline bool ModemReady(int code) { return code == 1 || code == 3; }

// TKhm::PrepareLink, without blocking: the first time in the run the port is closed, and after
// 30 ms the modem probe runs; a ready modem (or no port) closes the port, shows messages 297
// and 298 and refuses. Then OpenLink. `done` gets the result; a call while one runs is refused
// at once without a message. The messages go through prompt.
class LinkPreparer {
public:
    LinkPreparer(LinkPort& port, Prompt& prompt, int tickMs = 55);
    void PrepareLink(std::function<void(bool ready)> done);
    bool Busy() const { return busy_; }
    bool ModemChecked() const { return modemChecked_; }
    // A call the dialler put up counts as the check: closing the port for it would end the call.
    void MarkModemChecked() { modemChecked_ = true; }
    void SetTickMs(int tickMs) { probe_.SetTickMs(tickMs); }

private:
    LinkPort& port_;
    Prompt& prompt_;
    ModemProbe probe_;
    QObject context_; // ends the pending wait when the preparer goes
    bool modemChecked_ = false;
    bool busy_ = false;
};

// MmComClick: which transfer items are enabled. Keypad types hand over to the main window's
// own tool enabling.
struct ComMenuEnabled {
    bool byMainWindow = false;
    bool comWrt = false;    // MmComWrt, TbComWrt
    bool comRead = false;   // MmComRead, TbComRead
    bool userStart = false; // MmUserStart
    bool userMenu = false;  // MmUserMenu
};
ComMenuEnabled ComMenuState(std::int16_t machineId, Editing editMode, std::size_t pageCount);

// What the commands need of the main window.
struct TransferCommandSteps {
    std::function<bool()> storeKeySettings; // keypad types: the shown key form's store; true when none
    std::function<bool()> buildImage;       // ResetMemoryImage and BuildPageImage
    std::function<void()> commitInspector;  // the inspector's pending edit, the selection cleared
    std::function<void()> showProgress;     // create and show the progress window
    std::function<void()> closeProgress;    // close it when the transfer does not start
};

// The questions and messages go through prompt.
class TransferCommands {
public:
    TransferCommands(ProjectState& state, Prompt& prompt, LinkPreparer& preparer, LinkEngine& engine,
                     TransferCommandSteps steps, std::function<int()> configuredBaud);

    void MmComWrtClick();
    void MmComReadClick();
    // Start-up screen (0xA1) and user-menu (0xA0) transfers, once the main window has asked.
    void StartScreenTransfer(TransferKind kind);
    // The program is closing: a port preparation still running starts nothing when it ends.
    void Shutdown() { shutDown_ = true; }

private:
    bool ConfirmDownload();
    // Builds the image through the step; message 27 and false when it fails.
    bool BuildPageImageOrWarn();
    void Begin(TransferKind kind);

    ProjectState& state_;
    Prompt& prompt_;
    LinkPreparer& preparer_;
    LinkEngine& engine_;
    TransferCommandSteps steps_;
    std::function<int()> configuredBaud_;
    bool shutDown_ = false;
};

} // namespace kes
