// Benchmark, not a test: downloads a 64 KiB image to the fake panel over a pseudo-terminal
// (no baud throttling) and prints the host's time per chunk and the efficiency the link would
// reach at 115200 baud, wire time / (wire time + host time).
//
// Host time is the wall time of the transfer less the fake panel's own handling, divided by
// the frames exchanged; it includes the pseudo-terminal round trip and the event loop wake-ups,
// so it is an upper bound of what the engine adds per chunk.
#include "commtestsupport.h"

#include <QCoreApplication>

#include <chrono>
#include <cstdio>

using namespace kes;
using namespace kes::test;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    constexpr std::size_t kImage = 64 * 1024;
    constexpr int kRuns = 5;
    // 10 bits per character; a chunk is an 83-character write and a 19-character reply.
    constexpr double kCharsPerChunk = 83 + 19;
    constexpr double kWireSeconds = kCharsPerChunk * 10 / 115200.0;

    double bestHost = 1e9;
    double worstHost = 0;
    for (int run = 0; run < kRuns; ++run) {
        LinkRig rig(55);
        if (!rig.panel.Ok()) {
            std::fprintf(stderr, "no pseudo-terminal\n");
            return 1;
        }
        FirmwareDir dir(3, 1, 100, Bytes(64, 0));
        rig.engine.Options().firmwareDir = dir.Path();
        rig.panel.identity.firmwareStamp = dir.Stamp();
        rig.host.download = SampleImage(24, {kImage - 24});
        rig.host.sysBlock.entryCount = 2;

        const auto start = std::chrono::steady_clock::now();
        if (!rig.Run(TransferKind::Download, 120000) || !rig.host.outcomes[0].ok) {
            std::fprintf(stderr, "download failed\n");
            return 1;
        }
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double panel = rig.panel.BusySeconds();
        const auto frames = static_cast<double>(rig.panel.Log().size());
        const double host = (wall - panel) / frames;
        const bool identical = std::equal(rig.host.download.image.begin(), rig.host.download.image.end(),
                                          rig.panel.memory.begin() + rig.host.map.ObjDataAddr);
        std::printf("run %d: %.0f frames, wall %.1f ms, fake panel %.1f ms, host %.1f us per chunk%s\n", run + 1,
                    frames, wall * 1e3, panel * 1e3, host * 1e6, identical ? "" : "  IMAGE DIFFERS");
        if (!identical)
            return 1;
        bestHost = std::min(bestHost, host);
        worstHost = std::max(worstHost, host);
    }
    const auto efficiency = [&](double host) { return kWireSeconds / (kWireSeconds + host); };
    std::printf("wire time per chunk at 115200 baud: %.3f ms\n", kWireSeconds * 1e3);
    std::printf("host time per chunk over %d runs: best %.1f us, worst %.1f us\n", kRuns, bestHost * 1e6,
                worstHost * 1e6);
    std::printf("projected efficiency at 115200 baud: %.4f (worst run %.4f; target 0.98)\n", efficiency(bestHost),
                efficiency(worstHost));
    return 0;
}
