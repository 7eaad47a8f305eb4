// The serial test display on ports that do as they are told: a main port that will not open
// again after the display is reported with its device (it was open before), a display port
// that will not open is reported and sends nothing, and the text keeps to the lines the chosen
// panel font shows.
#include "app/comm/ui/tdlgmondisp.h"
#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

namespace kes {
namespace {

class ScriptPort final : public LinkPort {
public:
    bool opens = true;
    bool open = false;
    LinkPortSettings settings;
    std::string written;

    LinkPortSettings& Settings() override { return settings; }
    bool Open() override { return open = opens; }
    void Close() override { open = false; }
    bool IsOpen() const override { return open; }
    bool SetBaud(int baud) override
    {
        settings.baud = baud;
        return true;
    }
    bool Write(std::string_view chars) override
    {
        if (open)
            written += chars;
        return open;
    }
    std::string ReadAll() override { return {}; }
    void ClearInput() override {}
    bool CarrierDetect() override { return false; }
};

class TestDisplayPorts : public ::testing::Test {
protected:
    TestDisplayEnv Env(bool displayOpens)
    {
        TestDisplayEnv env;
        env.panelWidth = 192;
        env.panelHeight = 64;
        env.tickMs = 1;
        env.makePort = [this, displayOpens] {
            auto p = std::make_unique<ScriptPort>();
            p->opens = displayOpens;
            display = p.get();
            return p;
        };
        return env;
    }

    ScriptedPrompt prompt;
    ProjectState state;
    ScriptPort main;
    ScriptPort* display = nullptr;
};

TEST_F(TestDisplayPorts, MainPortThatWillNotOpenAgainIsReported)
{
    main.settings.name = "ttyS3";
    main.open = true;
    state.ComSetByte = {0x1C, 0x51};
    state.KeySetRec.Port = 1;
    {
        TDlgMonDisp disp(nullptr, prompt, state, main, Env(true));
        disp.show();
        EXPECT_FALSE(main.open);
        ASSERT_NE(display, nullptr);
        EXPECT_TRUE(disp.PortOpen());
        // The port of the panel port chosen in the key settings, on the main port's device.
        EXPECT_EQ(display->settings.name, "ttyS3");
        EXPECT_EQ(display->settings.baud, 4800);
        EXPECT_EQ(display->settings.stopBits, 2);
        main.opens = false;
        disp.reject();
        EXPECT_FALSE(display->open);
        EXPECT_EQ(prompt.shown, std::vector<QString>{Msg(78) + QStringLiteral("(COM ttyS3)")});
    }
    EXPECT_EQ(prompt.shown.size(), 1u); // said once, not again when the window goes
}

TEST_F(TestDisplayPorts, DisplayPortThatWillNotOpenSendsNothing)
{
    main.settings.name = "ttyS0";
    TDlgMonDisp disp(nullptr, prompt, state, main, Env(false));
    disp.show();
    EXPECT_EQ(prompt.shown, std::vector<QString>{Msg(78) + QStringLiteral("(COM ttyS0)")});
    EXPECT_FALSE(disp.PortOpen());
    disp.BtnSendClick();
    EXPECT_TRUE(display->written.empty());
    disp.reject();
    EXPECT_FALSE(main.open); // it was closed before: it stays closed
    EXPECT_EQ(prompt.shown.size(), 1u);
}

TEST_F(TestDisplayPorts, TextKeepsToTheLinesThePanelFontShows)
{
    state.PanelModelIndex = 0;
    state.GridWidth = 1;
    state.GridHeight = 1;
    state.DefaultZoom = 4;
    TDlgMonDisp disp(nullptr, prompt, state, main, Env(true));
    disp.show();
    EXPECT_EQ(disp.PanelDisp->size(), QSize(192 * 4 / 2 + 24, 64 * 4 / 2 + 24));
    EXPECT_EQ(disp.Request(), (Bytes{'F', 1, 3})); // nothing typed

    disp.cbFont->setCurrentIndex(4);
    disp.MemEdit->setPlainText(QStringLiteral("1\n2\n3\n4\n5\n6"));
    EXPECT_EQ(disp.MemEdit->toPlainText(), QStringLiteral("1\n2\n3\n4"));
    const auto press = [&](int key, const QString& text) {
        QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(disp.MemEdit, &e);
    };
    press(Qt::Key_Return, QStringLiteral("\r"));
    EXPECT_EQ(disp.MemEdit->toPlainText(), QStringLiteral("1\n2\n3\n4"));
    disp.MemEdit->moveCursor(QTextCursor::End);
    press(Qt::Key_A, QStringLiteral("a"));
    EXPECT_EQ(disp.MemEdit->toPlainText(), QStringLiteral("1\n2\n3\n4a"));

    // A half-size panel shows half the lines.
    state.PanelModelIndex = 1;
    disp.cbFont->setCurrentIndex(2);
    disp.MemEdit->setPlainText(QStringLiteral("x\ny\nz"));
    EXPECT_EQ(disp.MemEdit->toPlainText(), QStringLiteral("x\ny"));
    disp.reject();
}

} // namespace
} // namespace kes
