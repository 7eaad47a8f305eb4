// The communication forms: each component carries its name for the caption translator, the
// settings dialog keeps what it did not change and refuses a station outside 0..255, the
// progress window gives back exactly the tool states it took, and the panel port dialog packs
// the boxes into ComSetByte and hands the reference rewrite what the check boxes ask for.
#include "app/comm/ui/tcomprogbar.h"
#include "app/comm/ui/tcomset.h"
#include "app/comm/ui/tfrmhmiproto.h"
#include "app/ui/prompt.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QSpinBox>

#include <gtest/gtest.h>

namespace {

void ExpectNamed(const QWidget& form, std::initializer_list<const char*> names)
{
    for (const char* n : names)
        EXPECT_NE(form.findChild<QObject*>(QString::fromLatin1(n)), nullptr) << n;
}

TEST(TComSet, KeepsThePortSettingsAndGuardsTheStation)
{
    kes::ScriptedPrompt prompt;
    kes::ProjectState state;
    state.HmiUnitAddr = 5;
    state.Compiled = 1;
    kes::LinkPortSettings port{"ttyS1", 19200, 7, kes::LinkParity::Even, 1};

    TComSet form(nullptr, prompt, port, state);
    ExpectNamed(form, {"ComPort_Box", "BaudRate_Box", "HmiUnitAddr_Txt", "HmiUnitAddr_UD", "DataBit_Box", "Check_Box",
                       "StopBit_Box", "Ok_Btn", "Cancel_Btn"});
    form.SetPortNames({"ttyS0", "ttyS1"});
    form.FormShow();
    EXPECT_EQ(form.ComPort_Box->currentIndex(), 1);
    EXPECT_EQ(form.BaudRate_Box->currentIndex(), 1);
    EXPECT_EQ(form.HmiUnitAddr_UD->value(), 5);

    // Typed texts: a number outside 0..255, letters and nothing at all bring 5 back.
    for (const char* typed : {"256", "1x", ""}) {
        form.HmiUnitAddr_Txt->setText(QString::fromLatin1(typed));
        form.HmiUnitAddr_TxtChange();
        EXPECT_EQ(form.HmiUnitAddr_UD->value(), 5) << typed;
    }
    EXPECT_EQ(prompt.shown.size(), 3u);
    form.HmiUnitAddr_Txt->setText("200");
    form.HmiUnitAddr_TxtChange();
    EXPECT_EQ(form.HmiUnitAddr_UD->value(), 200);

    // The up-down wraps round at both ends.
    form.HmiUnitAddr_UD->setValue(255);
    form.HmiUnitAddr_UD->stepBy(1);
    EXPECT_EQ(form.HmiUnitAddr_UD->value(), 0);
    form.HmiUnitAddr_UD->stepBy(-1);
    EXPECT_EQ(form.HmiUnitAddr_UD->value(), 255);

    form.Ok_BtnClick();
    EXPECT_EQ(port.name, "ttyS1");
    EXPECT_EQ(port.baud, 19200);
    EXPECT_EQ(port.dataBits, 7);
    EXPECT_EQ(port.parity, kes::LinkParity::Even);
    EXPECT_EQ(port.stopBits, 1);
    EXPECT_EQ(state.HmiUnitAddr, 255);
    EXPECT_EQ(state.Compiled, 0);

    // A device path the machine does not list stays as typed.
    kes::LinkPortSettings pty{"/dev/pts/7", 9600, 8, kes::LinkParity::None, 1};
    TComSet other(nullptr, prompt, pty, state);
    other.SetPortNames({"ttyS0"});
    other.FormShow();
    EXPECT_EQ(other.ComPort_Box->currentText(), "/dev/pts/7");
    other.Ok_BtnClick();
    EXPECT_EQ(pty.name, "/dev/pts/7");
}

TEST(TComProgBar, LocksTheToolsWhileShownAndGivesBackTheirStates)
{
    QWidget owner;
    QAction enabled(&owner);
    QAction disabled(&owner);
    disabled.setEnabled(false);
    QWidget bar(&owner);
    auto* gone = new QAction(&owner);
    TComProgBarLock lock{{&enabled, &disabled, gone}, {&bar}};
    delete gone; // an item that went away meanwhile is passed over

    QPointer<TComProgBar> progress = new TComProgBar(&owner, lock, 2);
    ExpectNamed(*progress, {"ComBar", "Ratio_Lab"});
    progress->show();
    EXPECT_FALSE(enabled.isEnabled());
    EXPECT_FALSE(bar.isEnabled());
    progress->ShowProgress(64, 128, "50%");
    EXPECT_EQ(progress->ComBar->value(), 64);
    EXPECT_EQ(progress->Ratio_Lab->text(), "50%");
    progress->ShowProgress(160, 128, "100%"); // the bar stops at its end
    EXPECT_EQ(progress->ComBar->value(), 128);

    progress->close();
    EXPECT_FALSE(progress->isVisible());
    // The window frees itself once the program's event loop turns; the test has none running.
    delete progress.data();
    EXPECT_TRUE(enabled.isEnabled());
    EXPECT_FALSE(disabled.isEnabled());
    EXPECT_TRUE(bar.isEnabled());
}

TEST(TFrmHMIProto, PacksThePortsAndRewritesWhatIsAsked)
{
    kes::ProjectState state;
    state.ComSetByte = {0x1C, 0x51};
    state.DefStation = 3;
    state.LinkIndex = 0;
    state.UseDefaultStation = 0; // only the link bytes change
    PgJmpRec jump;
    jump.Ref.Station = 8;
    jump.Ref.LinkIndex = 0;
    state.SysPgJumps.push_back(jump);
    std::vector<kes::LinkRewrite> pageRewrites;
    HmiProtoHooks hooks;
    hooks.rewritePages = [&](const kes::LinkRewrite& rw) { pageRewrites.push_back(rw); };

    TFrmHMIProto form(nullptr, state, hooks);
    ExpectNamed(form,
                {"BaudRate232_Box", "BaudRate485_Box", "DataBit232_Box", "DataBit485_Box", "Check232_Box",
                 "Check485_Box", "StopBit232_Box", "StopBit485_Box", "rgSlaveMode232", "rgSlaveMode485", "RgSelCom",
                 "ChkBox_Port", "ChkBox_UID", "GB_UID", "EdtSationID", "UD_UID", "Ok_Btn", "Cancel_Btn"});
    form.FormShow();
    // 0x51 shows as 4800, 7, none, 2.
    EXPECT_EQ(form.BaudRate485_Box->currentText(), "4800");
    EXPECT_EQ(form.DataBit485_Box->currentText(), "7");
    EXPECT_EQ(form.Check485_Box->currentIndex(), 0);
    EXPECT_EQ(form.StopBit485_Box->currentText(), "2");
    EXPECT_FALSE(form.rgSlaveMode232->isEnabled());
    EXPECT_FALSE(form.GB_UID->isEnabled());

    // COM1 to 4800, 7, none, 2; link to COM2; station 9 (not applied: the station box is off).
    form.BaudRate232_Box->setCurrentIndex(0);
    form.DataBit232_Box->setCurrentIndex(0);
    form.Check232_Box->setCurrentIndex(0);
    form.StopBit232_Box->setCurrentIndex(1);
    form.selCom2->setChecked(true);
    form.UD_UID->setValue(9);
    form.Ok_BtnClick();

    EXPECT_EQ(state.ComSetByte[0], 0x51);
    EXPECT_EQ(state.ComSetByte[1], 0x51);
    EXPECT_EQ(state.LinkIndex, 1);
    EXPECT_EQ(state.UseDefaultPort, 1);
    EXPECT_EQ(state.UseDefaultStation, 0);
    ASSERT_EQ(pageRewrites.size(), 1u);
    EXPECT_TRUE(pageRewrites[0].port);
    EXPECT_FALSE(pageRewrites[0].station);
    EXPECT_EQ(state.SysPgJumps[0].Ref.LinkIndex, 1);
    EXPECT_EQ(state.SysPgJumps[0].Ref.Station, 8);
    EXPECT_EQ(state.Modified, 1);
    EXPECT_EQ(state.Compiled, 0);
}

} // namespace
