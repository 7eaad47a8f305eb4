#include "app/comm/ui/linkcommands.h"

#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"

#include <utility>

namespace kes {

namespace {

constexpr int kProbeTicks = 55;
constexpr int kCloseWaitMs = 30;
constexpr int kMsgPortUsed = 78;
constexpr int kMsgTransfer = 80;
constexpr int kMsgRecompile = 81;
constexpr int kMsgOldImage = 128;
constexpr int kMsgCompileFail = 27;
constexpr int kMsgModem1 = 297;
constexpr int kMsgModem2 = 298;

bool AskYes(Prompt& prompt, int message) { return ShowMessage(prompt, Msg(message), Buttons::YesNo) == Answer::Yes; }

} // namespace

bool OpenLink(Prompt& prompt, LinkPort& port)
{
    if (port.IsOpen())
        return true;
    if (port.Open())
        return true;
    port.Close();
    ShowError(prompt, Msg(kMsgPortUsed) + QStringLiteral("(COM ") + QString::fromStdString(port.Settings().name) +
                          QStringLiteral(")"));
    return false;
}

ModemProbe::ModemProbe(LinkPort& port, int tickMs) : port_(port), tickMs_(tickMs)
{
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        const bool echo = text_.find("ATZ") != std::string::npos;
        const bool ok = text_.find("OK") != std::string::npos;
        Finish(echo || ok ? 1 : 0);
    });
}

ModemProbe::~ModemProbe()
{
    if (running_)
        port_.SetReadyRead({});
}

void ModemProbe::Start(std::function<void(int)> done)
{
    done_ = std::move(done);
    running_ = true;
    text_.clear();
    if (port_.Settings().name.empty()) {
        Finish(3);
        return;
    }
    if (!port_.IsOpen() && !port_.Open()) {
        port_.Close();
        Finish(0);
        return;
    }
    if (port_.CarrierDetect()) {
        Finish(2);
        return;
    }
    port_.SetReadyRead([this] {
        text_ += port_.ReadAll();
        if (text_.find("ATZ") != std::string::npos && text_.find("OK") != std::string::npos)
            Finish(1);
    });
    port_.Write("ATZ\r");
    timer_.start(tickMs_ * kProbeTicks);
}

void ModemProbe::Finish(int code)
{
    if (!running_)
        return;
    running_ = false;
    timer_.stop();
    port_.SetReadyRead({});
    if (done_)
        std::exchange(done_, {})(code);
}

LinkPreparer::LinkPreparer(LinkPort& port, Prompt& prompt, int tickMs)
    : port_(port), prompt_(prompt), probe_(port, tickMs)
{}

void LinkPreparer::PrepareLink(std::function<void(bool)> done)
{
    if (busy_) {
        done(false);
        return;
    }
    if (modemChecked_) {
        done(OpenLink(prompt_, port_));
        return;
    }
    modemChecked_ = true;
    busy_ = true;
    port_.Close();
    QTimer::singleShot(kCloseWaitMs, &context_, [this, done = std::move(done)]() mutable {
        probe_.Start([this, done = std::move(done)](int code) {
            busy_ = false;
            if (ModemReady(code)) {
                port_.Close();
                ShowError(prompt_, Msg(kMsgModem1) + QStringLiteral("\n") + Msg(kMsgModem2));
                done(false);
                return;
            }
            done(OpenLink(prompt_, port_));
        });
    });
}

ComMenuEnabled ComMenuState(std::int16_t machineId, Editing editMode, std::size_t pageCount)
{
    ComMenuEnabled e;
    if (machineId == 95 || machineId == 99) {
        e.byMainWindow = true;
        return e;
    }
    switch (editMode) {
    case Editing::StartScreen:
        e.userStart = true;
        break;
    case Editing::UserMenu:
        e.userMenu = true;
        break;
    case Editing::Pages:
        e.comWrt = pageCount > 0;
        e.comRead = true;
        break;
    default:
        e.comRead = true;
        break;
    }
    return e;
}

TransferCommands::TransferCommands(ProjectState& state, Prompt& prompt, LinkPreparer& preparer, LinkEngine& engine,
                                   TransferCommandSteps steps, std::function<int()> configuredBaud)
    : state_(state), prompt_(prompt), preparer_(preparer), engine_(engine), steps_(std::move(steps)),
      configuredBaud_(std::move(configuredBaud))
{}

void TransferCommands::Begin(TransferKind kind)
{
    if (engine_.Busy() || preparer_.Busy() || shutDown_)
        return;
    preparer_.PrepareLink([this, kind](bool ready) {
        if (!ready || shutDown_)
            return;
        if (steps_.showProgress)
            steps_.showProgress();
        engine_.SetStation(state_.HmiUnitAddr);
        if (!engine_.Start(kind, configuredBaud_()) && steps_.closeProgress)
            steps_.closeProgress();
    });
}

bool TransferCommands::ConfirmDownload()
{
    if (state_.IsKeypadType()) {
        if (steps_.storeKeySettings && !steps_.storeKeySettings())
            return false;
        if (steps_.buildImage && steps_.buildImage())
            state_.Compiled = 1;
    }
    if (steps_.commitInspector)
        steps_.commitInspector();
    if (state_.Compiled)
        return AskYes(prompt_, kMsgTransfer);
    if (!AskYes(prompt_, kMsgRecompile))
        return AskYes(prompt_, kMsgOldImage);
    if (!BuildPageImageOrWarn())
        return false;
    state_.Compiled = 1;
    return AskYes(prompt_, kMsgTransfer);
}

bool TransferCommands::BuildPageImageOrWarn()
{
    if (steps_.buildImage && steps_.buildImage())
        return true;
    ShowMsg(prompt_, kMsgCompileFail);
    return false;
}

void TransferCommands::MmComWrtClick()
{
    if (engine_.Busy() || preparer_.Busy())
        return;
    if (ConfirmDownload())
        Begin(TransferKind::Download);
}

void TransferCommands::MmComReadClick()
{
    if (engine_.Busy() || preparer_.Busy())
        return;
    Begin(TransferKind::Upload);
}

void TransferCommands::StartScreenTransfer(TransferKind kind)
{
    if (kind == TransferKind::StartScreen || kind == TransferKind::UserMenu)
        Begin(kind);
}

} // namespace kes
