#include "app/comm/modemdialer.h"

#include <algorithm>
#include <utility>

namespace kes {

namespace {

constexpr int kModemBaud = 9600;
constexpr int kFirstResetPause = 2; // seconds between opening the port and the first reset
constexpr int kDialPause = 1;       // seconds between the set-up's OK and the dial command
constexpr int kResetWait = 1;       // seconds before a reset is sent again
constexpr int kMaxResets = 3;
constexpr int kHangUpGuard = 5; // seconds of silence after "+++"
constexpr std::size_t kReplyMax = 420;

constexpr const char* kReset = "ATZ\r";
constexpr const char* kSetUp = "ATS7=50S9=10X1X4\r";
constexpr const char* kEscape = "+++";
constexpr const char* kHangUp = "ATH0\r";

} // namespace

std::string ModemDialCommand(const ModemDialRequest& r)
{
    std::string text;
    if (!r.outsideLine.empty())
        text = r.outsideLine + ",,";
    text += r.number;
    if (!r.extension.empty())
        text += text.empty() ? r.extension : ",,,,," + r.extension;
    return "ATDT" + text + "\r";
}

ModemResult ModemResultOf(std::string_view line)
{
    while (!line.empty() && line.back() == ' ')
        line.remove_suffix(1);
    while (!line.empty() && line.front() == ' ')
        line.remove_prefix(1);
    if (line == "OK")
        return ModemResult::Ok;
    if (line.starts_with("CONNECT"))
        return ModemResult::Connect;
    if (line == "BUSY")
        return ModemResult::Busy;
    if (line == "NO CARRIER")
        return ModemResult::NoCarrier;
    if (line == "NO DIALTONE" || line == "NO DIAL TONE")
        return ModemResult::NoDialtone;
    if (line == "ERROR")
        return ModemResult::Error;
    if (line == "NO ANSWER")
        return ModemResult::NoAnswer;
    return ModemResult::None;
}

ModemDialer::ModemDialer(LinkPort& port, std::function<bool()> openPort, int secondMs)
    : port_(port), openPort_(std::move(openPort)), secondMs_(secondMs)
{
    step_.setSingleShot(true);
    QObject::connect(&tick_, &QTimer::timeout, &context_, [this] { OnTick(); });
    QObject::connect(&step_, &QTimer::timeout, &context_, [this] { OnStepTimer(); });
}

ModemDialer::~ModemDialer()
{
    tick_.stop();
    step_.stop();
    ReleasePort();
}

bool ModemDialer::Dial(const ModemDialRequest& r)
{
    if (state_ != ModemState::Idle || !openPort_ || !openPort_())
        return false;
    request_ = r;
    attemptsLeft_ = std::max(r.attempts, 0);
    attempt_ = 1;
    connected_ = false;
    countdown_ = std::max(r.dialSeconds, 0);
    TakePort();
    state_ = ModemState::Waiting;
    step_.start(kFirstResetPause * secondMs_);
    Notify();
    return true;
}

void ModemDialer::StartAttempt()
{
    countdown_ = std::max(request_.dialSeconds, 0);
    resetTries_ = 0;
    connected_ = false;
    port_.SetBaud(kModemBaud);
    SendReset();
    tick_.start(secondMs_);
    Notify();
}

void ModemDialer::SendReset()
{
    reply_.clear();
    line_.clear();
    port_.Write(kReset);
    state_ = ModemState::Resetting;
    step_.start(kResetWait * secondMs_);
}

void ModemDialer::OnStepTimer()
{
    switch (state_) {
    case ModemState::Waiting:
        StartAttempt();
        return;
    case ModemState::Resetting:
        // A modem that keeps silent gets the reset again; after that the attempt's time decides.
        if (resetTries_ < kMaxResets) {
            ++resetTries_;
            SendReset();
        }
        return;
    case ModemState::Dialling:
        reply_.clear();
        // No attempt asked for: the modem answered, but nothing is dialled.
        if (attemptsLeft_ < 1) {
            EndRun(ModemEnd::AttemptsFailed);
            return;
        }
        port_.Write(ModemDialCommand(request_));
        Notify();
        return;
    case ModemState::HangingUp:
        port_.Write(kHangUp);
        connected_ = false;
        GoIdle(closeAfterHangUp_);
        return;
    default:
        return;
    }
}

void ModemDialer::OnTick()
{
    if (countdown_ > 0)
        --countdown_;
    Notify();
    if (countdown_ > 0)
        return;
    // Time out with no attempt asked for ends here; otherwise it is the redial's to decide.
    if (attemptsLeft_ < 1)
        EndRun(ModemEnd::TimeOver);
    else
        AttemptFailed();
}

void ModemDialer::OnData()
{
    const std::string chars = port_.ReadAll();
    for (char c : chars) {
        if (!ownsPort_)
            return;
        if (c != '\r' && c != '\n') {
            if (line_.size() >= kReplyMax)
                line_.clear();
            line_.push_back(c);
            continue;
        }
        if (line_.empty())
            continue;
        const std::string line = std::exchange(line_, {});
        if (reply_.size() + line.size() + 1 > kReplyMax)
            reply_.clear();
        reply_ += line + "\n";
        OnLine(line);
    }
}

void ModemDialer::OnLine(const std::string& line)
{
    const ModemResult r = ModemResultOf(line);
    switch (state_) {
    case ModemState::Resetting:
        // Failure words here belong to a dial the reset has just broken off.
        if (r == ModemResult::Ok) {
            step_.stop();
            reply_.clear();
            port_.Write(kSetUp);
            state_ = ModemState::Initialising;
            Notify();
        }
        return;
    case ModemState::Initialising:
        if (r == ModemResult::Ok) {
            state_ = ModemState::Dialling;
            step_.start(kDialPause * secondMs_);
            Notify();
        } else if (r == ModemResult::Error) {
            AttemptFailed();
        }
        return;
    case ModemState::Dialling:
        if (r == ModemResult::Connect) {
            step_.stop();
            tick_.stop();
            connected_ = true;
            state_ = ModemState::Connected;
            Notify();
            if (CallUp)
                CallUp();
        } else if (r != ModemResult::None && r != ModemResult::Ok) {
            AttemptFailed();
        }
        return;
    case ModemState::Connected:
        if (r == ModemResult::NoCarrier) {
            connected_ = false;
            GoIdle(false);
        }
        return;
    default:
        return;
    }
}

void ModemDialer::AttemptFailed()
{
    step_.stop();
    if (--attemptsLeft_ < 1) {
        EndRun(ModemEnd::AttemptsFailed);
        return;
    }
    ++attempt_;
    StartAttempt();
}

void ModemDialer::EndRun(ModemEnd why)
{
    GoIdle(true);
    if (Ended)
        Ended(why);
}

void ModemDialer::Stop()
{
    if (state_ == ModemState::HangingUp)
        return;
    if (connected_ && port_.IsOpen()) {
        BeginHangUp(false);
        return;
    }
    // A reset breaks off a dial in progress.
    if (port_.IsOpen())
        port_.Write(kReset);
    connected_ = false;
    GoIdle(false);
}

void ModemDialer::Cancel()
{
    if (state_ == ModemState::HangingUp) {
        closeAfterHangUp_ = true;
        return;
    }
    if (connected_ && port_.IsOpen()) {
        BeginHangUp(true);
        return;
    }
    connected_ = false;
    GoIdle(true);
}

void ModemDialer::Shutdown()
{
    connected_ = false;
    tick_.stop();
    step_.stop();
    state_ = ModemState::Idle;
    ReleasePort();
}

void ModemDialer::BeginHangUp(bool closeAfter)
{
    tick_.stop();
    step_.stop();
    closeAfterHangUp_ = closeAfter;
    state_ = ModemState::HangingUp;
    port_.Write(kEscape);
    step_.start(kHangUpGuard * secondMs_);
    Notify();
}

void ModemDialer::GoIdle(bool closePort)
{
    tick_.stop();
    step_.stop();
    state_ = ModemState::Idle;
    attempt_ = 1;
    countdown_ = 0;
    line_.clear();
    if (closePort) {
        ReleasePort();
        port_.Close();
    } else if (!connected_) {
        ReleasePort();
    }
    Notify();
}

void ModemDialer::TakePort()
{
    reply_.clear();
    line_.clear();
    port_.ClearInput();
    port_.SetReadyRead([this] { OnData(); });
    ownsPort_ = true;
}

void ModemDialer::ReleasePort()
{
    if (!ownsPort_)
        return;
    ownsPort_ = false;
    port_.SetReadyRead({});
}

void ModemDialer::Notify()
{
    if (Changed)
        Changed();
}

} // namespace kes
