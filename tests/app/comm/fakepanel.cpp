#include "fakepanel.h"

#include "app/comm/linkframe.h"

#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace kes::test {

namespace {

int SpeedToBaud(speed_t s)
{
    switch (s) {
    case B9600:
        return 9600;
    case B19200:
        return 19200;
    case B38400:
        return 38400;
    case B57600:
        return 57600;
    case B115200:
        return 115200;
    default:
        return 0;
    }
}

int BitsPerChar(const termios& t)
{
    int data = 8;
    switch (t.c_cflag & CSIZE) {
    case CS5:
        data = 5;
        break;
    case CS6:
        data = 6;
        break;
    case CS7:
        data = 7;
        break;
    default:
        break;
    }
    return 1 + data + ((t.c_cflag & PARENB) ? 1 : 0) + ((t.c_cflag & CSTOPB) ? 2 : 1);
}

} // namespace

double SteadySeconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

std::function<Fault(const FakeRequest&)> FaultWhen(std::function<bool(const FakeRequest&)> pick, Fault fault, int times)
{
    auto left = std::make_shared<int>(times);
    return [pick = std::move(pick), fault, left](const FakeRequest& r) {
        if (*left > 0 && pick(r)) {
            --*left;
            return fault;
        }
        return Fault{};
    };
}

FakePanel::FakePanel()
{
    const int m = posix_openpt(O_RDWR | O_NOCTTY);
    if (m < 0)
        return;
    if (grantpt(m) != 0 || unlockpt(m) != 0 || !ptsname(m)) {
        close(m);
        return;
    }
    slavePath_ = ptsname(m);
    // Raw from the start: the opener saves and restores these settings, and an echoing line
    // discipline would hand the panel its own replies back.
    termios t{};
    tcgetattr(m, &t);
    cfmakeraw(&t);
    cfsetspeed(&t, B9600);
    tcsetattr(m, TCSANOW, &t);
    fcntl(m, F_SETFL, fcntl(m, F_GETFL) | O_NONBLOCK);
    slaveHold_ = open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    master_ = m;
    readNotifier_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Read);
    QObject::connect(readNotifier_.get(), &QSocketNotifier::activated, [this] { OnReadable(); });
    writeNotifier_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Write);
    writeNotifier_->setEnabled(false);
    QObject::connect(writeNotifier_.get(), &QSocketNotifier::activated, [this] { FlushOut(); });
}

FakePanel::~FakePanel()
{
    flood_.reset();
    readNotifier_.reset();
    writeNotifier_.reset();
    if (slaveHold_ >= 0)
        close(slaveHold_);
    if (master_ >= 0)
        close(master_);
}

void FakePanel::OnReadable()
{
    const double arrival = SteadySeconds();
    char buf[4096];
    for (;;) {
        const ssize_t n = read(master_, buf, sizeof buf);
        if (n <= 0)
            break;
        rx_.append(buf, static_cast<std::size_t>(n));
    }
    if (testPeer.on) {
        ServeTestPeer();
        return;
    }
    if (modem.on) {
        ServeModem();
        if (!modem.online)
            return;
    }
    if (!modemAnswer.empty()) {
        const auto atz = rx_.find("ATZ\r");
        if (atz != std::string::npos) {
            rx_.erase(atz, 4);
            Send(modemAnswer);
        }
    }
    for (;;) {
        const auto colon = rx_.find(':');
        if (colon == std::string::npos) {
            rx_.clear();
            return;
        }
        const auto lf = rx_.find('\n', colon);
        if (lf == std::string::npos) {
            rx_.erase(0, colon);
            return;
        }
        const std::string line = rx_.substr(colon + 1, lf - colon);
        rx_.erase(0, lf + 1);
        Serve(line, arrival);
    }
}

void FakePanel::ServeModem()
{
    if (modem.online) {
        const auto escape = rx_.find("+++");
        if (escape == std::string::npos)
            return;
        rx_.erase(0, escape + 3);
        modem.commands.push_back("+++");
        modem.online = false;
        Send("\r\nOK\r\n");
    }
    for (;;) {
        const auto cr = rx_.find('\r');
        if (cr == std::string::npos)
            return;
        const std::string command = rx_.substr(0, cr);
        rx_.erase(0, cr + 1);
        if (!command.empty())
            ServeModemCommand(command);
        if (modem.online)
            return;
    }
}

void FakePanel::ServeModemCommand(const std::string& command)
{
    modem.commands.push_back(command);
    Send(command + "\r"); // echo
    std::string result = "OK";
    if (command == "ATZ") {
        modem.callUp = false;
    } else if (command.rfind("ATDT", 0) == 0) {
        result.clear();
        if (!modem.dialResults.empty()) {
            result = modem.dialResults.front();
            modem.dialResults.pop_front();
        }
        modem.callUp = modem.online = result.rfind("CONNECT", 0) == 0;
    } else if (command == "ATH0") {
        if (modem.callUp)
            ++modem.hangUps;
        modem.callUp = false;
    } else if (command.rfind("ATS", 0) != 0) {
        result = "ERROR";
    }
    if (!result.empty())
        Send("\r\n" + result + "\r\n");
}

std::vector<std::string> FakePanel::ModemCommands() const
{
    std::vector<std::string> out;
    for (const std::string& c : modem.commands)
        if (out.empty() || c != "ATZ" || out.back() != "ATZ")
            out.push_back(c);
    return out;
}

void FakePanel::ServeTestPeer()
{
    for (;;) {
        std::size_t end = std::string::npos;
        if (!rx_.empty() && rx_[0] == 'K') {
            if (rx_.size() >= 2)
                end = 2;
        } else {
            const auto t = rx_.find(static_cast<char>(testPeer.terminator));
            if (t != std::string::npos)
                end = t + 1;
        }
        if (end == std::string::npos)
            return;
        testPeer.requests.push_back(rx_.substr(0, end));
        rx_.erase(0, end);
        if (!testPeer.reply.empty())
            Send(testPeer.reply);
    }
}

// Requests decode like replies: the command character takes the function byte's place.
void FakePanel::Serve(const std::string& line, double arrival)
{
    Bytes b;
    if (!CheckLrc(line, b) || !CheckReplyOk(b))
        return; // a damaged request gets no answer
    FakeRequest req;
    req.index = static_cast<int>(log_.size());
    req.command = static_cast<char>(b[0]);
    if ((req.command == '0' || req.command == '1') && b.size() >= 6) {
        req.address = *GetU32be(b, 1);
        req.length = b[5];
        req.data.assign(b.begin() + 6, b.end());
    } else if (req.command == '4' && b.size() >= 2) {
        req.data.assign(b.begin() + 1, b.end());
    }
    termios t{};
    tcgetattr(master_, &t);
    req.baud = SpeedToBaud(cfgetospeed(&t));
    req.bitsPerChar = BitsPerChar(t);
    req.chars = line.size() + 1; // and the ':'
    req.arrival = arrival;
    log_.push_back(req);
    if (busy_)
        queued_.push_back(req);
    else
        Answer(req);
}

void FakePanel::Answer(const FakeRequest& req)
{
    const Fault fault = faults ? faults(req) : Fault{};
    if (fault.kind == FaultKind::Drop)
        return;
    if (fault.kind == FaultKind::Unplug) {
        Unplug();
        return;
    }
    if (fault.kind == FaultKind::Flood) {
        // A read reply for an address no request names: well formed, and no answer to anything.
        const std::string frame = LinkFrame(Bytes{1, '1', 0xFF, 0xFF, 0xFF, 0xF0, 1, 0});
        flood_ = std::make_unique<QTimer>();
        QObject::connect(flood_.get(), &QTimer::timeout, [this, frame] {
            ++flooded_;
            Send(frame);
        });
        flood_->start(std::max(1, fault.delayMs));
        return;
    }
    if (fault.kind == FaultKind::Split) {
        SendSplit(ReplyFor(req, fault), fault.delayMs);
        if (answered)
            answered(req);
        return;
    }
    if (fault.kind == FaultKind::Dribble) {
        SendDribbled(ReplyFor(req, fault), fault.delayMs);
        if (answered)
            answered(req);
        return;
    }
    const std::string reply = ReplyFor(req, fault);
    double due = 0;
    if (paced && req.baud > 0) {
        const double wire = static_cast<double>((req.chars + reply.size()) * req.bitsPerChar) / req.baud;
        due = req.arrival + wire;
        const double now = SteadySeconds();
        if (due > now)
            std::this_thread::sleep_for(std::chrono::duration<double>(due - now));
        if (wire_.exchanges++ == 0)
            wire_.firstArrival = req.arrival;
        else
            wire_.gaps.push_back(req.arrival - wire_.lastReply);
        wire_.wireSeconds += wire;
    }
    if (fault.kind != FaultKind::Delay) {
        Send(reply);
        wire_.lastReply = SteadySeconds();
        if (due > 0)
            wire_.panelLate += std::max(0.0, wire_.lastReply - due);
        if (answered)
            answered(req);
        return;
    }
    busy_ = true;
    QTimer::singleShot(fault.delayMs, &context_, [this, reply, req] {
        Send(reply);
        if (answered)
            answered(req);
        busy_ = false;
        while (!busy_ && !queued_.empty()) {
            const FakeRequest next = queued_.front();
            queued_.pop_front();
            Answer(next);
        }
    });
}

std::string FakePanel::ReplyFor(const FakeRequest& req, const Fault& fault)
{
    Bytes r = {1, static_cast<std::uint8_t>(req.command)}; // the panel's station, function byte
    switch (req.command) {
    case '4':
        r.push_back(req.data.empty() ? 0 : req.data[0]);
        if (fault.kind == FaultKind::BaudEcho)
            r.back() ^= 1;
        break;
    case '3':
        AppendU16be(r, 0);
        AppendU8(r, static_cast<std::uint8_t>((identity.memMapVariant << 4) | (identity.modelIndex & 0x0F)));
        AppendU16be(r, identity.firmwareVersion);
        AppendU16be(r, identity.machineId);
        AppendU8(r, identity.com1);
        AppendU8(r, identity.com2);
        AppendU32be(r, identity.firmwareLength);
        AppendU32be(r, identity.firmwareStamp);
        AppendU16be(r, identity.kept);
        break;
    case '1':
        AppendU32be(r, req.address);
        AppendU8(r, req.length);
        for (std::size_t i = 0; i < req.length - (fault.kind == FaultKind::ShortRead ? 1u : 0u); ++i) {
            const std::size_t a = std::size_t(req.address) + i;
            r.push_back(a < memory.size() ? memory[a] : 0xFF);
        }
        break;
    case '0':
        if (std::size_t(req.address) + req.data.size() > memory.size()) {
            r[1] |= 0x80;
            break;
        }
        std::copy(req.data.begin(), req.data.end(), memory.begin() + req.address);
        if (!minimalReplies) {
            AppendU32be(r, req.address);
            AppendU8(r, req.length);
        }
        break;
    default:
        break;
    }
    if (fault.kind == FaultKind::ErrorBit)
        r[1] |= 0x80;
    if (fault.kind == FaultKind::Overrun)
        return ":" + std::string(250, '0');
    if (fault.kind == FaultKind::Garbage)
        return std::string(":\x7f#3A?Gz\x01\xfe!\r\n", 14);
    std::string text = LinkFrame(r);
    if (fault.kind == FaultKind::BadLrc)
        text[text.size() - 3] = text[text.size() - 3] == '0' ? '1' : '0';
    return text;
}

void FakePanel::Send(const std::string& chars)
{
    // The line is taken by a reply being dribbled: what follows waits behind it.
    if (!line_.empty()) {
        line_.push_back({chars, 0});
        return;
    }
    Put(chars);
}

void FakePanel::Put(const std::string& chars)
{
    if (sent)
        sent(chars);
    out_ += chars;
    FlushOut();
}

void FakePanel::SendDribbled(const std::string& chars, int gapMs)
{
    const bool idle = line_.empty();
    line_.push_back({chars, std::max(1, gapMs), 0});
    if (idle)
        DribbleNext();
}

void FakePanel::SendSplit(const std::string& chars, int afterMs)
{
    const std::size_t half = chars.size() / 2;
    Send(chars.substr(0, half));
    const bool idle = line_.empty();
    line_.push_back({chars.substr(half), 0, std::max(1, afterMs)});
    if (idle)
        DribbleNext();
}

void FakePanel::DribbleNext()
{
    while (!line_.empty() && master_ >= 0) {
        Held& front = line_.front();
        if (front.afterMs > 0) {
            const int wait = front.afterMs;
            front.afterMs = 0;
            QTimer::singleShot(wait, &context_, [this] { DribbleNext(); });
            return;
        }
        if (front.gapMs == 0 || front.chars.empty()) {
            const std::string chars = std::move(front.chars);
            line_.pop_front();
            Put(chars);
            continue;
        }
        Put(front.chars.substr(0, 1));
        front.chars.erase(0, 1);
        const int gap = front.gapMs;
        if (front.chars.empty())
            line_.pop_front();
        QTimer::singleShot(gap, &context_, [this] { DribbleNext(); });
        return;
    }
    line_.clear();
}

// As a cable pulled out: the panel's side of the line closes and nothing goes either way.
void FakePanel::Unplug()
{
    unplugged_ = true;
    flood_.reset();
    readNotifier_.reset();
    writeNotifier_.reset();
    out_.clear();
    if (slaveHold_ >= 0)
        close(slaveHold_);
    if (master_ >= 0)
        close(master_);
    slaveHold_ = master_ = -1;
}

void FakePanel::FlushOut()
{
    if (master_ < 0)
        return;
    while (!out_.empty()) {
        const ssize_t n = write(master_, out_.data(), out_.size());
        if (n <= 0)
            break;
        out_.erase(0, static_cast<std::size_t>(n));
    }
    writeNotifier_->setEnabled(!out_.empty());
}

} // namespace kes::test
