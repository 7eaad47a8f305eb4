// The download benchmark's panel, in a process of its own so that nothing the program does
// delays it: the test suite's fake panel, replying at the pace of a real line at the port's
// rate. It prints "slave <path>" of its pseudo-terminal, then after every end request the
// wire figures of the transfer: "wire <exchanges> <wire seconds> <elapsed seconds> <median gap>
// <90th percentile gap>", a gap being the time from a reply to the arrival of the next request
// and the elapsed time not counting how late the panel itself was with its replies.
//
//   bench_fakepanel [--model N] [--machine N] [--firmware N] [--stamp N]
#include "benchsupport.h"
#include "fakepanel.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <algorithm>
#include <cstdio>
#include <sys/prctl.h>
#include <unistd.h>

using namespace kes;
using namespace kes::bench;

int main(int argc, char** argv)
{
    // Wakes when a reply is due rather than up to the default slack later.
    prctl(PR_SET_TIMERSLACK, 1UL);
    QCoreApplication app(argc, argv);
    test::FakePanel panel;
    if (!panel.Ok()) {
        std::fprintf(stderr, "no pseudo-terminal\n");
        return 1;
    }
    panel.paced = true;
    panel.identity.modelIndex = static_cast<std::uint8_t>(IntOption(argc, argv, "--model", 0));
    panel.identity.machineId = static_cast<std::uint16_t>(IntOption(argc, argv, "--machine", 3));
    panel.identity.firmwareVersion = static_cast<std::uint16_t>(IntOption(argc, argv, "--firmware", 100));
    panel.identity.firmwareStamp = static_cast<std::uint32_t>(IntOption(argc, argv, "--stamp", 1));
    panel.identity.com1 = 0x1C;
    panel.identity.com2 = 0x04;
    panel.answered = [&panel](const test::FakeRequest& req) {
        if (req.command != '2')
            return;
        test::WireFigures w = panel.Wire();
        std::sort(w.gaps.begin(), w.gaps.end());
        const auto at = [&w](double q) {
            return w.gaps.empty() ? 0 : w.gaps[static_cast<std::size_t>(q * (w.gaps.size() - 1))];
        };
        std::printf("wire %d %.6f %.6f %.6f %.6f\n", w.exchanges, w.wireSeconds, w.Span(), at(0.5), at(0.9));
        std::fflush(stdout);
        panel.ResetWire();
    };
    // Ends with its parent: standard input closes.
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char buf[256];
        if (read(STDIN_FILENO, buf, sizeof buf) <= 0)
            QCoreApplication::quit();
    });
    std::printf("slave %s\n", panel.SlavePath().c_str());
    std::fflush(stdout);
    return QCoreApplication::exec();
}
