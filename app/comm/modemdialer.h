#pragma once
// The modem dialler: calls a remote panel through a Hayes-compatible modem on the link's port,
// so that transfers can run over the telephone line. A state machine driven by the port's data
// and by timers; nothing here blocks or sleeps.
//
// Each attempt:  "ATZ\r" -> OK -> "ATS7=50S9=10X1X4\r" -> OK -> (1 s) "ATDT<number>\r"
//                -> CONNECT: the call is up
//                -> BUSY, NO CARRIER, NO ANSWER, NO DIALTONE, ERROR, or the attempt's time
//                   running out: the redial, which takes one off the attempts left and ends
//                   the run when none is left.
// The attempts left start at the number asked for. With none asked for, nothing is dialled:
// the run ends at the dial command, or when the first attempt's time runs out.
// A reset the modem does not answer is sent again every second, three times at most. While it
// dials, the dialler owns the port's data; once the call is up it keeps listening for the line
// to drop until a transfer takes the port.
// Hang-up: "+++", 5 s of silence, "ATH0\r".
#include "app/comm/linkport.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <string>
#include <string_view>

namespace kes {

struct ModemDialRequest {
    std::string outsideLine;
    std::string number;
    std::string extension;
    int attempts = 1;      // 0: the modem is reset and set up, nothing is dialled
    int dialSeconds = 100; // time given to each attempt
};

// "ATDT" + (outside line + ",," when there is one) + number + (",,,,," + extension when
// something comes before it, else the extension alone) + CR.
std::string ModemDialCommand(const ModemDialRequest& r);

enum class ModemResult { None, Ok, Connect, Busy, NoCarrier, NoDialtone, Error, NoAnswer };
// The result word a modem line carries ("CONNECT 9600" is a connect); None for anything else,
// the echo of a command included.
ModemResult ModemResultOf(std::string_view line);

enum class ModemState {
    Idle,
    Waiting,      // the port has just opened: a pause before the first reset
    Resetting,    // "ATZ\r" sent, waiting for OK
    Initialising, // the set-up string sent, waiting for OK
    Dialling,     // the dial command sent (or about to go), waiting for the call
    Connected,
    HangingUp, // "+++" sent, waiting out the guard time before "ATH0\r"
};

// How a dialling run ended without a call.
enum class ModemEnd {
    AttemptsFailed, // the redial found no attempt left (or none was asked for at the dial)
    TimeOver,       // the first attempt's time ran out with no attempt asked for
};

class ModemDialer {
public:
    // `openPort` opens the port (and reports when it cannot). `secondMs` is one second of the
    // dialler's clock (tests run it faster).
    ModemDialer(LinkPort& port, std::function<bool()> openPort, int secondMs = 1000);
    ~ModemDialer();
    ModemDialer(const ModemDialer&) = delete;
    ModemDialer& operator=(const ModemDialer&) = delete;

    // Told on every change of state, attempt or countdown; Ended once per dialling run that
    // ends without a call; Connected when the call comes up.
    std::function<void()> Changed;
    std::function<void(ModemEnd)> Ended;
    std::function<void()> CallUp;

    // Opens the port and starts the first attempt; false when the port would not open or the
    // dialler is not idle.
    bool Dial(const ModemDialRequest& r);
    // Hangs up a call that is up; otherwise resets the modem (a dial in progress stops). The
    // port stays open.
    void Stop();
    // As Stop, but the port closes once the modem is left alone.
    void Cancel();
    // The program is closing: timers stop and the port closes at once.
    void Shutdown();

    ModemState State() const { return state_; }
    bool Connected() const { return connected_; }
    bool Idle() const { return state_ == ModemState::Idle; }
    // Working at a call: dialling or hanging up (a call that is up leaves the port to transfers).
    bool Busy() const { return state_ != ModemState::Idle && state_ != ModemState::Connected; }
    int Attempt() const { return attempt_; }
    int Countdown() const { return countdown_; }
    // The modem's words gathered for the step waiting (shown for diagnosis).
    const std::string& ReplyText() const { return reply_; }
    void SetSecondMs(int ms) { secondMs_ = ms; }

private:
    void TakePort();
    void ReleasePort();
    void OnData();
    void OnLine(const std::string& line);
    void OnTick();
    void OnStepTimer();
    void StartAttempt();
    void SendReset();
    void AttemptFailed();
    void EndRun(ModemEnd why);
    void BeginHangUp(bool closeAfter);
    void GoIdle(bool closePort);
    void Notify();

    LinkPort& port_;
    std::function<bool()> openPort_;
    int secondMs_;
    QTimer tick_; // the attempt's countdown, one tick a second
    QTimer step_; // pauses and waits within a step
    QObject context_;

    ModemDialRequest request_;
    ModemState state_ = ModemState::Idle;
    bool connected_ = false;
    bool ownsPort_ = false;
    bool closeAfterHangUp_ = false;
    int attemptsLeft_ = 0;
    int attempt_ = 1;
    int countdown_ = 0;
    int resetTries_ = 0;
    std::string reply_; // characters of the line being received and the lines of this step
    std::string line_;
};

} // namespace kes
