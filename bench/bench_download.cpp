// Benchmark, not a test: download efficiency, the time a download's exchanges take on the wire
// over the time they take in all, against a fake panel in a process of its own that replies at
// the wire's pace (bench_fakepanel). What is lost is the program's own time between a reply and
// its next request. Two runs: the transfer engine alone with no windows, and the Download
// command of the program's main window, shown, with its progress window and status bar.
//
//   bench_download [--kib N] [--baud N]   (image size, default 32 KiB; rate, default 115200)
#include "app/comm/ui/tcomprogbar.h"
#include "app/project/ui/tlxtype.h"
#include "app/shell/startup.h"
#include "app/shell/tkhm.h"
#include "app/shell/tkhm_comm.h"
#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"
#include "benchproject.h"
#include "benchsupport.h"
#include "commtestsupport.h"
#include "platform/codepage.h"
#include "platform/fileio.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <filesystem>
#include <optional>

using namespace kes;
using namespace kes::bench;

namespace {

constexpr int kFirmwareVersion = 100;
constexpr std::size_t kFirmwareBytes = 4096;

// The paced panel's process.
class PanelProcess {
public:
    bool Start()
    {
        proc_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        proc_.start(QCoreApplication::applicationDirPath() + QStringLiteral("/bench_fakepanel"), {});
        if (!proc_.waitForStarted(10000))
            return false;
        const QByteArray line = ReadLine();
        if (!line.startsWith("slave "))
            return false;
        slave_ = line.mid(6).trimmed().toStdString();
        return true;
    }
    ~PanelProcess()
    {
        proc_.closeWriteChannel();
        if (!proc_.waitForFinished(3000))
            proc_.kill();
    }
    const std::string& Slave() const { return slave_; }

    // The wire figures the panel reports when a transfer has ended.
    std::optional<test::WireFigures> Figures()
    {
        const QList<QByteArray> f = ReadLine().trimmed().split(' ');
        if (f.size() != 6 || f[0] != "wire")
            return std::nullopt;
        test::WireFigures w;
        w.exchanges = f[1].toInt();
        w.wireSeconds = f[2].toDouble();
        w.firstArrival = 0;
        w.lastReply = f[3].toDouble();
        w.gaps = {f[4].toDouble(), f[5].toDouble()};
        return w;
    }

private:
    QByteArray ReadLine()
    {
        while (!proc_.canReadLine())
            if (!proc_.waitForReadyRead(30000))
                return {};
        return proc_.readLine();
    }
    QProcess proc_;
    std::string slave_;
};

void Report(const char* label, const std::optional<test::WireFigures>& w)
{
    if (!w || w->exchanges == 0) {
        std::printf("%-22s no figures: the transfer failed\n", label);
        return;
    }
    const double host = (w->Span() - w->wireSeconds) / w->exchanges;
    std::printf("%-22s %d exchanges, wire %.3f s, elapsed %.3f s, efficiency %.4f\n", label, w->exchanges,
                w->wireSeconds, w->Span(), w->Efficiency());
    std::printf("%-22s from a reply to the next request: mean %s, median %s, 90th percentile %s\n", "",
                Us(host).c_str(), Us(w->gaps[0]).c_str(), Us(w->gaps[1]).c_str());
}

// The transfer engine with a host over plain data: no windows at all.
std::optional<test::WireFigures> EngineAlone(PanelProcess& panel, std::size_t kib, int baud)
{
    test::FirmwareDir dir(3, 0, kFirmwareVersion, Bytes(kFirmwareBytes, 0x5A));
    test::TestHost host;
    host.download = test::SampleImage(24, {kib * 1024 - 24});
    host.sysBlock.entryCount = 2;
    host.modelIndex = 0;
    QtLinkPort port;
    port.Settings().name = panel.Slave();
    port.Settings().baud = baud;
    LinkEngine engine(port, host);
    engine.Options().firmwareDir = dir.Path();
    if (!port.Open() || !engine.Start(TransferKind::Download, baud))
        return std::nullopt;
    if (!RunEventsUntil([&] { return !host.outcomes.empty(); }, 3600 * 1000) || !host.outcomes[0].Ok())
        return std::nullopt;
    return panel.Figures();
}

// The Download command of the program's main window, shown, on a project of typical pages.
std::optional<test::WireFigures> MainWindow(PanelProcess& panel, std::size_t kib, int baud)
{
    QTemporaryDir dir;
    std::error_code ec;
    std::filesystem::copy(KES_BIN_DIR, dir.path().toStdString(),
                          std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing,
                          ec);
    if (!dir.isValid() || ec)
        return std::nullopt;
    const std::string appDir = dir.path().toStdString() + "/";
    QDir().mkpath(QString::fromStdString(appDir + "BIN"));
    QFile fw(QString::fromStdString(appDir + FirmwareFileName(3, 0, kFirmwareVersion)));
    if (!fw.open(QIODevice::WriteOnly))
        return std::nullopt;
    fw.write(QByteArray(kFirmwareBytes, '\x5A'));
    fw.close();

    const BenchProject pages(0, 0, 3, appDir);
    const Bytes page = pages.TypicalPage();

    ScriptedPrompt prompt;
    ProjectDoc doc;
    StartupOptions options;
    options.splashMillis = 0;
    options.prompt = &prompt;
    TKhm& k = *StartUp(doc, options).window;
    doc.MachineId = 3;
    doc.PanelModelIndex = 0;
    k.LxType->SelectMachine();
    k.LxType->LoadModelData();
    doc.ResetHeaderRecords();
    k.ResetMemoryImage();
    for (std::size_t n = 0; n * page.size() < kib * 1024; ++n) {
        auto rec = std::make_unique<PgDataStr>();
        rec->Data = page;
        doc.PgDataList.push_back(std::move(rec));
    }
    k.View.EditMode = kes::Editing::Pages;
    doc.Opened = 1;
    doc.Modified = 1;
    doc.Compiled = 0;
    k.MMICom->Settings().name = panel.Slave();
    k.MMICom->Settings().baud = baud;
    k.show();
    k.FormActivate();
    RunEventsUntil([&] { return k.isVisible(); }, 5000);

    prompt.answers = {Answer::Yes, Answer::Yes};
    k.Action("MmComWrt")->trigger();
    const bool ended = RunEventsUntil(
        [&] { return prompt.shown.size() >= 3 && !k.CommLink->Engine().Busy() && !k.CommLink->Preparer().Busy(); },
        3600 * 1000);
    std::optional<test::WireFigures> w;
    if (ended && prompt.shown.back() == Msg(68))
        w = panel.Figures();
    ShutDown(&k);
    return w;
}

} // namespace

int main(int argc, char** argv)
{
    DefaultToOffscreen();
    InitAnsiCodePage();
    QApplication app(argc, argv);
    const auto kib = static_cast<std::size_t>(std::max(1, IntOption(argc, argv, "--kib", 32)));
    const int baud = IntOption(argc, argv, "--baud", 115200);

    PanelProcess panel;
    if (!panel.Start()) {
        std::fprintf(stderr, "the fake panel did not start\n");
        return 1;
    }
    std::printf("download of a %zu KiB image and %zu bytes of firmware at %d baud, against a paced fake panel\n", kib,
                kFirmwareBytes, baud);
    const auto alone = EngineAlone(panel, kib, baud);
    Report("engine alone:", alone);
    const auto shown = MainWindow(panel, kib, baud);
    Report("main window showing:", shown);
    return alone && shown ? 0 : 1;
}
