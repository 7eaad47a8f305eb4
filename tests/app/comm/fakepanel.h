#pragma once
// A panel of our own for tests and the benchmark: it answers the link protocol on the master
// side of a pseudo-terminal pair, keeps a panel memory, and misbehaves on cue (drop, corrupt,
// delay, dribble or flag a reply, send noise, send without end, or be unplugged). It runs in the caller's Qt event
// loop; the download benchmark runs one paced at the wire's rate in a process of its own.
#include "app/comm/transferhost.h"
#include "platform/bytes.h"

#include <QSocketNotifier>
#include <QTimer>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kes::test {

// The clock of FakeRequest::arrival.
double SteadySeconds();

struct FakeRequest {
    int index = 0;    // 0-based count of well-formed requests received
    char command = 0; // '0'..'4'
    std::uint32_t address = 0;
    std::uint8_t length = 0;
    Bytes data;            // write data, or the set-baud code
    int baud = 0;          // line rate the port was set to when the request came
    int bitsPerChar = 10;  // start, data, parity and stop bits of the port's settings
    std::size_t chars = 0; // characters of the request on the wire
    double arrival = 0;    // steady-clock seconds when the panel took it off the line
};

// What a paced panel measured: the time its exchanges take on the wire against the time from
// the first request's arrival to the last reply, less what the panel itself was late with its
// replies (a real panel's reply leaves when the wire has carried it; a process wakes a little
// after the time it asked for).
struct WireFigures {
    int exchanges = 0;
    double wireSeconds = 0;
    double firstArrival = 0;
    double lastReply = 0;
    double panelLate = 0;     // replies sent after they were due, summed
    std::vector<double> gaps; // from each reply to the arrival of the next request
    double Span() const { return exchanges ? lastReply - firstArrival - panelLate : 0; }
    // Wire time over elapsed time: 1 when the host adds nothing between a reply and its next request.
    double Efficiency() const { return Span() > 0 ? wireSeconds / Span() : 0; }
};

enum class FaultKind {
    None,
    Drop,      // no reply
    BadLrc,    // reply with a wrong checksum
    ErrorBit,  // reply with bit 7 of the function byte set
    Delay,     // reply after delayMs; the panel is busy meanwhile and serves later requests after it
    Overrun,   // more than 200 characters without a line end
    BaudEcho,  // set-baud reply echoing another code
    ShortRead, // read reply one data byte short
    Dribble,   // the reply a character at a time, delayMs apart
    Split,     // the reply's first half at once, the rest delayMs later
    Garbage,   // a line of noise in place of the reply
    Flood,     // no reply; from now on a frame that answers nothing every delayMs, without end
    Unplug,    // no reply; the line goes (the pseudo-terminal's panel side is closed)
};

struct Fault {
    FaultKind kind = FaultKind::None;
    int delayMs = 0;
};

class FakePanel {
public:
    FakePanel();
    ~FakePanel();
    FakePanel(const FakePanel&) = delete;
    FakePanel& operator=(const FakePanel&) = delete;

    bool Ok() const { return master_ >= 0; }
    const std::string& SlavePath() const { return slavePath_; }

    // What the identify reply reports.
    PanelIdentity identity;
    // Panel memory from address 0; reads past it give 0xFF, writes past it an error reply.
    Bytes memory = Bytes(std::size_t(1) << 20, 0xFF);
    // Write and end replies as function byte only (real panels may leave out the echo).
    bool minimalReplies = false;
    // Answer to a modem reset "ATZ\r" (a modem on the line); empty: the panel ignores it.
    std::string modemAnswer;
    // A Hayes modem in front of the panel. While the line is down it answers AT commands (echoed,
    // as modems do by default): a dial takes the next of dialResults ("CONNECT 9600", "BUSY", ...;
    // "" keeps silent). Once connected the panel answers frames until "+++" puts the modem back
    // to commands; "ATH0" then ends the call.
    struct Modem {
        bool on = false;
        std::deque<std::string> dialResults;
        std::vector<std::string> commands; // every command received, "+++" included
        bool callUp = false;
        bool online = false; // the call is up and carries data
        int hangUps = 0;
    } modem;
    // A keypad or text panel on the bench, for the serial test display: a request ends at the
    // terminating character (a key scan after its station byte) and is answered with `reply`.
    struct TestPeer {
        bool on = false;
        std::uint8_t terminator = 3;
        std::string reply; // empty: no answer
        std::vector<std::string> requests;
    } testPeer;
    // Decides the fault for each request; null: none.
    std::function<Fault(const FakeRequest&)> faults;
    // Replies at the pace of a real line: each leaves when the request's arrival plus the time
    // the request and the reply take on the wire at the port's rate has passed. The wait
    // blocks, so only a panel in a process of its own paces.
    bool paced = false;
    // Told after every reply sent, delayed ones included.
    std::function<void(const FakeRequest&)> answered;
    // Told the characters of every reply as they go out.
    std::function<void(const std::string&)> sent;
    // The paced exchanges since the last reset.
    const WireFigures& Wire() const { return wire_; }
    void ResetWire() { wire_ = {}; }

    const std::vector<FakeRequest>& Log() const { return log_; }
    // The modem's commands with a reset sent again (no answer in time) counted once.
    std::vector<std::string> ModemCommands() const;
    // A delayed reply or requests behind it are still to be answered.
    // A flood is never done: it does not count.
    bool Pending() const
    {
        return busy_ || !queued_.empty() || !line_.empty() || (!out_.empty() && master_ >= 0 && !flood_);
    }
    bool Unplugged() const { return unplugged_; }
    // Frames sent by a flood so far.
    int Flooded() const { return flooded_; }

private:
    void OnReadable();
    void ServeModem();
    void ServeModemCommand(const std::string& command);
    void ServeTestPeer();
    void Serve(const std::string& line, double arrival);
    void Answer(const FakeRequest& req);
    std::string ReplyFor(const FakeRequest& req, const Fault& fault);
    void Send(const std::string& chars);
    void Put(const std::string& chars);
    void FlushOut();
    // Replies dribble one after the other, as on a real line: a reply asked again while one
    // dribbles follows it instead of mixing its characters in.
    void SendDribbled(const std::string& chars, int gapMs);
    void SendSplit(const std::string& chars, int afterMs);
    void DribbleNext();
    void Unplug();

    int master_ = -1;
    int slaveHold_ = -1; // keeps the slave side open so the master never sees a hang-up
    std::string slavePath_;
    std::unique_ptr<QSocketNotifier> readNotifier_;
    std::unique_ptr<QSocketNotifier> writeNotifier_;
    std::string rx_;
    std::string out_;
    // What is still to go out behind a reply being dribbled, in order: dribbled characters gapMs
    // apart, or (gapMs 0) at once.
    struct Held {
        std::string chars;
        int gapMs = 0;   // between characters; 0: all at once
        int afterMs = 0; // before the first
    };
    std::deque<Held> line_;
    std::vector<FakeRequest> log_;
    std::deque<FakeRequest> queued_; // requests that came while a delayed reply was pending
    bool busy_ = false;
    WireFigures wire_;
    bool unplugged_ = false;
    int flooded_ = 0;
    std::unique_ptr<QTimer> flood_;
    QObject context_; // drops delayed replies still pending when the panel goes
};

// A fault for the requests `pick` selects, `times` times at most.
std::function<Fault(const FakeRequest&)> FaultWhen(std::function<bool(const FakeRequest&)> pick, Fault fault,
                                                   int times = 1);

} // namespace kes::test
