#pragma once
// The started program with its panel port on a fake panel: the decoder library beside the
// program, a fast reply tick, a panel of model 0 with firmware 100 whose firmware stamp is not
// any file's (the firmware goes with a download), and a few helpers of the link window tests.
#include "app/shell/tkhm.h"
#include "app/shell/tkhm_comm.h"
#include "commtestsupport.h"
#include "shellfixture.h"

#include <QDir>
#include <QFile>

namespace kes::test {

class LinkWindowFixture : public StartedShell {
protected:
    void SetUp() override
    {
        StartedShell::SetUp();
        ASSERT_TRUE(panel.Ok());
        QFile::copy(QStringLiteral(KES_BIN_DIR "/libMorvik.so"), QString::fromStdString(Path("libMorvik.so")));
        Main()->MMICom->Settings().name = panel.SlavePath();
        Main()->MMICom->Settings().baud = 115200;
        link().SetTickMs(2);
        panel.identity.modelIndex = 0;
        panel.identity.firmwareVersion = 100;
        panel.identity.firmwareStamp = 1;
    }

    MainCommLink& link() { return *Main()->CommLink; }

    // "BIN/M<id>_0100.bin" of `size` bytes of `fill` in the program folder.
    void WriteFirmware(std::int16_t machineId, int size, char fill)
    {
        QDir().mkpath(QString::fromStdString(Path("BIN")));
        QFile fw(QString::fromStdString(Path(FirmwareFileName(machineId, 0, 100))));
        ASSERT_TRUE(fw.open(QIODevice::WriteOnly));
        fw.write(QByteArray(size, fill));
    }

    // Runs the event loop until the prompt has shown n messages and the link is idle.
    bool RunUntilMessages(std::size_t n)
    {
        return RunUntil(
            [&] { return prompt.shown.size() >= n && !link().Engine().Busy() && !link().Preparer().Busy(); });
    }

    Bytes PanelBytes(std::uint32_t at, std::size_t n) const
    {
        return Bytes(panel.memory.begin() + at, panel.memory.begin() + at + static_cast<std::ptrdiff_t>(n));
    }

    FakePanel panel;
};

} // namespace kes::test
