// The dialler, the key settings window and the serial test display inside the real main window,
// against the fake panel on a pseudo-terminal. A dialled call carries the next download without
// the port being closed under it, and Stop and Cancel hang it up. The key settings are checked
// and stored before every download and save (a refused field names itself and nothing goes
// out), travel to the panel and come back with an upload; the window may close at any time
// without anything calling into it, and closing the project asks to save it and still writes
// the settings file. The test display sends its bytes on its own port while the main port is
// closed, shows the reply with its escapes, and leaves the main port as it found it.
//
// With KES_COMM_SHOTS=<folder> set, the three windows are kept there as pictures.
#include "app/comm/ui/tdlgmondisp.h"
#include "app/comm/ui/tfrmkeysetting.h"
#include "app/comm/ui/tmodem.h"
#include "app/project/ui/tlxtype.h"
#include "app/ui/msgtable.h"
#include "commwindowfixture.h"
#include "platform/fileio.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include <gtest/gtest.h>

namespace kes::test {
namespace {

constexpr std::uint32_t kObjData = 0x18000; // panel model 0 in the shipped data

// Keeps a picture of a window when KES_COMM_SHOTS names a folder.
void Shot(QWidget& w, const char* name)
{
    const QByteArray dir = qgetenv("KES_COMM_SHOTS");
    if (dir.isEmpty())
        return;
    QDir().mkpath(QString::fromLocal8Bit(dir));
    w.adjustSize();
    QCoreApplication::processEvents();
    w.grab().save(QString::fromLocal8Bit(dir) + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
}

class CommWindows : public LinkWindowFixture {
protected:
    void SetUp() override
    {
        LinkWindowFixture::SetUp();
        link().Dialer().SetSecondMs(5);
    }

    void SelectController(std::int16_t machineId)
    {
        TKhm& k = *Main();
        k.Doc.MachineId = machineId;
        k.Doc.PanelModelIndex = 0;
        Main()->LxType->SelectMachine();
        Main()->LxType->LoadModelData();
        k.ResetMemoryImage();
        panel.identity.machineId = static_cast<std::uint16_t>(machineId);
        WriteFirmware(machineId, 40, '\x11');
    }

    // A project of the keypad type with its key settings window shown, as a new one has it.
    TFrmKeySetting& KeypadProject(std::int16_t machineId = 99)
    {
        TKhm& k = *Main();
        SelectController(machineId);
        k.Doc.KeySetRec = KeySetData{};
        k.View.EditMode = kes::Editing::Pages;
        k.Doc.Modified = 0;
        k.Doc.Compiled = 0;
        k.FrmKeySettingWin = k.CreateKeySetting();
        k.FrmKeySettingWin->show();
        k.FormActivate();
        return *dynamic_cast<TFrmKeySetting*>(k.FrmKeySettingWin.data());
    }

    // Controller 3 with one page, so that the dialler and the download are offered.
    void PageProject()
    {
        TKhm& k = *Main();
        SelectController(3);
        k.Doc.ResetHeaderRecords();
        k.Doc.PgDataList.push_back(std::make_unique<PgDataStr>());
        k.View.EditMode = kes::Editing::Pages;
        k.Doc.Opened = 1;
        k.Doc.Compiled = 0;
        k.FormActivate();
    }
};

// ---- Modem dialler

TEST_F(CommWindows, DialledCallCarriesTheNextDownload)
{
    PageProject();
    panel.modem.on = true;
    // The first attempt meets a silent line, the second a call.
    panel.modem.dialResults = {"", "CONNECT 9600"};
    ASSERT_TRUE(Main()->Action("MmModemSet")->isVisible());
    ASSERT_TRUE(Main()->Action("MmModemSet")->isEnabled());
    prompt.onExec = [&](QDialog& d) {
        auto& form = dynamic_cast<TModem&>(d);
        EXPECT_EQ(form.Msg_Lab->text(), Msg(543));
        form.DialBtnClick();
        form.Tel_Txt->setText(QStringLiteral("5550100"));
        form.ReDial_Txt->setText(QStringLiteral("x"));
        form.DialBtnClick();
        form.ReDial_Txt->setText(QStringLiteral("2"));
        form.DialTime_Edit->clear();
        form.DialBtnClick();
        EXPECT_EQ(prompt.shown, (std::vector<QString>{Msg(540), Msg(0) + form.DialCount_Lab->text(),
                                                      Msg(0) + form.DialTime_Lab->text()}));
        // Long enough on the fast clock for the second attempt's set-up and call on a busy
        // machine; the silent first attempt waits it out.
        form.DialTime_Edit->setText(QStringLiteral("300"));
        form.DialBtnClick();
        EXPECT_FALSE(form.DialBtn->isEnabled());
        EXPECT_EQ(form.Msg_Lab->text(), Msg(541));
        ASSERT_TRUE(RunUntil([&] { return link().Dialer().State() == ModemState::Dialling; }));
        EXPECT_EQ(form.Msg_Lab->text(), Msg(542) + QStringLiteral("1"));
        EXPECT_TRUE(form.RedTime_Lab->text().startsWith(Msg(483)));
        Shot(form, "modem");
        ASSERT_TRUE(RunUntil([&] { return link().Dialer().Attempt() == 2; }));
        if (!link().Dialer().Connected()) {
            EXPECT_EQ(form.Msg_Lab->text(), Msg(542) + QStringLiteral("2"));
        }
        ASSERT_TRUE(RunUntil([&] { return link().Dialer().Connected(); }));
        EXPECT_EQ(form.Msg_Lab->text(), Msg(544));
        // Closed with the window's own button: the call stays up.
        form.reject();
    };
    Main()->Action("MmModemSet")->trigger();
    ASSERT_EQ(prompt.execCount, 1);
    EXPECT_TRUE(link().Dialer().Connected());
    EXPECT_TRUE(Main()->MMICom->IsOpen());

    // The first transfer of the run does not close the port to look for a modem: that would
    // end the call.
    prompt.shown.clear();
    prompt.answers = {Answer::Yes, Answer::Yes};
    Main()->Action("MmComWrt")->trigger();
    ASSERT_TRUE(RunUntilMessages(3));
    EXPECT_EQ(prompt.shown.back(), Msg(68));
    const std::vector<std::string> attempt = {"ATZ", "ATS7=50S9=10X1X4", "ATDT5550100"};
    std::vector<std::string> twice = attempt;
    twice.insert(twice.end(), attempt.begin(), attempt.end());
    EXPECT_EQ(panel.ModemCommands(), twice);
    EXPECT_EQ(PanelBytes(kObjData, static_cast<std::size_t>(Main()->Doc.MemImageLen)),
              Bytes(Main()->Doc.MemImage.begin(), Main()->Doc.MemImage.begin() + Main()->Doc.MemImageLen));
}

// The countdown to the next attempt is in the window's language, its unit too.
TEST_F(CommWindows, TheRedialCountdownIsInTheLanguage)
{
    PageProject();
    Main()->Action("MmLangCht")->trigger();
    panel.modem.on = true;
    panel.modem.dialResults = {""};
    prompt.onExec = [&](QDialog& d) {
        auto& form = dynamic_cast<TModem&>(d);
        form.Tel_Txt->setText(QStringLiteral("12"));
        form.DialBtnClick();
        ASSERT_TRUE(RunUntil([&] { return link().Dialer().State() == ModemState::Dialling; }));
        const QString countdown = form.RedTime_Lab->text();
        EXPECT_TRUE(countdown.startsWith(Msg(483))) << countdown.toStdString();
        EXPECT_TRUE(countdown.endsWith(QString::fromUtf8(" 秒"))) << countdown.toStdString();
        form.reject();
    };
    Main()->Action("MmModemSet")->trigger();
    EXPECT_EQ(prompt.execCount, 1);
    Main()->Action("MmLangEng")->trigger();
}

TEST_F(CommWindows, StopAndCancelHangUpACallThatIsUp)
{
    PageProject();
    panel.modem.on = true;
    panel.modem.dialResults = {"CONNECT", "CONNECT", "BUSY"};
    int step = 0;
    prompt.onExec = [&](QDialog& d) {
        auto& form = dynamic_cast<TModem&>(d);
        form.Tel_Txt->setText(QStringLiteral("12"));
        form.DialTime_Edit->setText(QStringLiteral("3000")); // to spare: the answers end each attempt
        form.DialBtnClick();
        ASSERT_TRUE(RunUntil([&] { return link().Dialer().Connected(); }));
        if (step == 0) {
            form.StopClick();
            EXPECT_EQ(form.Msg_Lab->text(), Msg(545));
            ASSERT_TRUE(RunUntil([&] { return link().Dialer().Idle(); }));
            EXPECT_EQ(form.Msg_Lab->text(), Msg(543));
            EXPECT_TRUE(form.DialBtn->isEnabled());
            EXPECT_TRUE(Main()->MMICom->IsOpen());
            form.reject();
        } else {
            form.CancelBtnClick();
        }
    };
    Main()->Action("MmModemSet")->trigger();
    RunUntil([&] { return panel.modem.hangUps == 1; });
    EXPECT_EQ(panel.modem.hangUps, 1);

    // Cancel closes the window at once; the hang-up ends behind it and the port closes.
    step = 1;
    Main()->Action("MmModemSet")->trigger();
    EXPECT_EQ(link().Dialer().State(), ModemState::HangingUp);
    // Nothing else takes the port meanwhile.
    prompt.shown.clear();
    Main()->Action("MmComWrt")->trigger();
    EXPECT_TRUE(prompt.shown.empty());
    ASSERT_TRUE(RunUntil([&] { return link().Dialer().Idle(); }));
    RunUntil([&] { return panel.modem.hangUps == 2; });
    EXPECT_EQ(panel.modem.hangUps, 2);
    EXPECT_FALSE(Main()->MMICom->IsOpen());
    EXPECT_EQ(panel.modem.commands.back(), "ATH0");

    // A busy line on the only attempt ends with its message.
    prompt.onExec = [&](QDialog& d) {
        auto& form = dynamic_cast<TModem&>(d);
        form.Tel_Txt->setText(QStringLiteral("12"));
        form.DialTime_Edit->setText(QStringLiteral("3000")); // to spare: the answers end each attempt
        form.DialBtnClick();
        ASSERT_TRUE(RunUntil([&] { return !prompt.shown.empty(); }));
        form.reject();
    };
    Main()->Action("MmModemSet")->trigger();
    EXPECT_EQ(prompt.shown, std::vector<QString>{Msg(464)});
    EXPECT_FALSE(Main()->MMICom->IsOpen());
}

// ---- Key settings

TEST_F(CommWindows, KeySettingsAreStoredAndSentWithADownload)
{
    TFrmKeySetting& form = KeypadProject(99);
    EXPECT_TRUE(form.ComAddr_UD->isEnabled());
    EXPECT_EQ(form.KeyEdits[0]->text(), QStringLiteral("30"));
    EXPECT_EQ(form.StartCharName->text(), QStringLiteral("stx"));
    Shot(form, "keysetting");
    form.KeyEdits[0]->setText(QStringLiteral("41"));
    form.KeyEdits[14]->setText(QStringLiteral("fe"));
    form.ComAddr_UD->setValue(7);
    form.UDStartChar->setValue(13);
    EXPECT_EQ(form.StartCharName->text(), QStringLiteral("cr"));
    form.ComboBoxHMICom->setCurrentIndex(1);

    prompt.answers = {Answer::Yes};
    Main()->Action("MmComWrt")->trigger();
    ASSERT_TRUE(RunUntilMessages(2));
    EXPECT_EQ(prompt.shown, (std::vector<QString>{Msg(80), Msg(68)}));
    const KeySetData& k = Main()->Doc.KeySetRec;
    EXPECT_EQ(k.KeyCodes[0], 0x41);
    EXPECT_EQ(k.KeyCodes[14], 0xFE);
    EXPECT_EQ(k.KeyCodes[15], 0x3F); // ESC is not edited
    EXPECT_EQ(Main()->Doc.Modified, 1);
    const Bytes sent = PanelBytes(kObjData, 24);
    EXPECT_EQ(sent[4], 7);  // station
    EXPECT_EQ(sent[5], 1);  // panel port COM2
    EXPECT_EQ(sent[6], 13); // start character
    EXPECT_EQ(sent[7], 3);  // terminating character
    EXPECT_EQ(sent[8], 0x41);
    EXPECT_EQ(sent[22], 0xFE);
    EXPECT_EQ(sent[23], 0x3F);

    // The window may go at any time; the record it stored comes back with an upload, and the
    // upload shows it in a window of its own.
    form.BtnOKClick();
    ASSERT_TRUE(RunUntil([&] { return Main()->FrmKeySettingWin.isNull(); }));
    Main()->Doc.KeySetRec = KeySetData{};
    prompt.shown.clear();
    Main()->Action("MmComRead")->trigger();
    ASSERT_TRUE(RunUntilMessages(1));
    EXPECT_EQ(prompt.shown.back(), Msg(68));
    EXPECT_EQ(Main()->Doc.MachineId, 99);
    EXPECT_EQ(Main()->Doc.KeySetRec.KeyCodes[0], 0x41);
    EXPECT_EQ(Main()->Doc.KeySetRec.CommAddr, 7);
    ASSERT_FALSE(Main()->FrmKeySettingWin.isNull());
    auto* again = dynamic_cast<TFrmKeySetting*>(Main()->FrmKeySettingWin.data());
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->KeyEdits[0]->text(), QStringLiteral("41"));
    EXPECT_EQ(again->ComAddr_UD->value(), 7);
}

TEST_F(CommWindows, RefusedKeySettingsNameTheirFieldAndNothingGoesOut)
{
    TFrmKeySetting& form = KeypadProject(99);
    const QString error = QStringLiteral(" ") + Msg(5);
    struct Case {
        const char* name;
        std::function<void()> spoil;
        QString message;
        const char* command;
    };
    const std::vector<Case> cases = {
        {"code below 0x20", [&] { form.KeyEdits[0]->setText(QStringLiteral("1F")); },
         QStringLiteral("Function Key - F0") + error, "MmComWrt"},
        {"code above 0xFF", [&] { form.KeyEdits[3]->setText(QStringLiteral("100")); },
         QStringLiteral("Function Key - F3") + error, "MmComWrt"},
        {"empty code", [&] { form.KeyEdits[14]->clear(); }, QStringLiteral("Function Key - ENTER") + error, "MmSave"},
        {"no start character", [&] { form.edtStartChar->clear(); }, QStringLiteral("Start character Value") + error,
         "MmComWrt"},
        {"no terminating character", [&] { form.edtTerminal->clear(); },
         QStringLiteral("Terminating Character Value") + error, "MmSaveAs"},
    };
    const KeySetData before = Main()->Doc.KeySetRec;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        form.FormShow();
        c.spoil();
        prompt.shown.clear();
        prompt.answers = {Answer::Yes};
        Main()->Action(c.command)->trigger();
        EXPECT_EQ(prompt.shown, std::vector<QString>{c.message});
        EXPECT_EQ(prompt.execCount, 0); // no save dialog
        RunUntil([&] { return false; }, 20);
        EXPECT_TRUE(panel.Log().empty());
        EXPECT_FALSE(Main()->MMICom->IsOpen());
        EXPECT_EQ(Main()->Doc.KeySetRec.KeyCodes, before.KeyCodes);
        EXPECT_EQ(Main()->Doc.Modified, 0);
        // OK refuses the same way and the window stays.
        prompt.shown.clear();
        form.BtnOKClick();
        EXPECT_EQ(prompt.shown, std::vector<QString>{c.message});
        EXPECT_TRUE(form.isVisible());
    }
}

TEST_F(CommWindows, SingleStationPanelShowsItsStationWithoutEditingIt)
{
    Main()->Doc.KeySetRec.CommAddr = 9;
    SelectController(95);
    Main()->FrmKeySettingWin = Main()->CreateKeySetting();
    Main()->FrmKeySettingWin->show();
    auto& form = *dynamic_cast<TFrmKeySetting*>(Main()->FrmKeySettingWin.data());
    EXPECT_EQ(form.ComAddr_UD->value(), 9);
    for (QWidget* w : {static_cast<QWidget*>(form.ComAddr_UD), static_cast<QWidget*>(form.ComAddr_Txt),
                       static_cast<QWidget*>(form.Label17), static_cast<QWidget*>(form.ComAddr_Lab)})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
}

TEST_F(CommWindows, ClosingAKeypadProjectAsksToSaveAndWritesTheSettingsFile)
{
    TFrmKeySetting& form = KeypadProject(99);
    QPointer<QWidget> window = Main()->FrmKeySettingWin;
    // A field the window cannot store keeps the project open.
    form.KeyEdits[0]->setText(QStringLiteral("1"));
    Main()->MmClosePrjClick();
    EXPECT_EQ(prompt.shown, std::vector<QString>{QStringLiteral("Function Key - F0 ") + Msg(5)});
    EXPECT_EQ(Main()->Doc.MachineId, 99);

    form.KeyEdits[0]->setText(QStringLiteral("50"));
    prompt.shown.clear();
    prompt.answers = {Answer::Cancel};
    Main()->MmClosePrjClick();
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_TRUE(prompt.shown[0].startsWith(Msg(31)));
    EXPECT_EQ(Main()->Doc.MachineId, 99);
    EXPECT_EQ(Main()->Doc.KeySetRec.KeyCodes[0], 0x50);

    std::remove(Path("Lxe.ini").c_str());
    prompt.shown.clear();
    prompt.answers = {Answer::No};
    Main()->MmClosePrjClick();
    EXPECT_EQ(prompt.shown.size(), 1u);
    EXPECT_TRUE(FileExists(Path("Lxe.ini")));
    EXPECT_TRUE(window.isNull());
    EXPECT_FALSE(Main()->Doc.IsKeypadType());
}

// ---- Serial test display

TEST_F(CommWindows, TestDisplaySendsOnItsOwnPortAndGivesTheMainPortBack)
{
    TFrmKeySetting& form = KeypadProject(99);
    form.ComAddr_UD->setValue(7);
    panel.testPeer.on = true;
    panel.testPeer.reply = std::string("\x02"
                                       "A B\xB5\r",
                                       6);
    ASSERT_TRUE(Main()->MMICom->Open());
    prompt.onExec = [&](QDialog& d) {
        auto& disp = dynamic_cast<TDlgMonDisp&>(d);
        EXPECT_FALSE(Main()->MMICom->IsOpen());
        ASSERT_TRUE(disp.PortOpen());
        EXPECT_TRUE(disp.RgMultidrop->isEnabled());
        disp.cbFont->setCurrentIndex(4);
        disp.MemEdit->setPlainText(QStringLiteral("HELLO\nWORLD"));
        disp.BtnSendClick();
        ASSERT_TRUE(RunUntil([&] { return !disp.edtRec->text().isEmpty(); }));
        EXPECT_EQ(disp.edtRec->text(), QStringLiteral("/x02A/x20B/xb5/x0d"));
        EXPECT_FALSE(disp.WaitingForReply());
        Shot(disp, "testdisplay");

        // No answer: the wait ends without a word.
        panel.testPeer.reply.clear();
        disp.keyScan->setChecked(true);
        disp.BtnSendClick();
        EXPECT_TRUE(disp.edtRec->text().isEmpty());
        ASSERT_TRUE(RunUntil([&] { return !disp.WaitingForReply(); }));
        EXPECT_TRUE(disp.edtRec->text().isEmpty());
        disp.reject();
    };
    form.BtnDispClick();
    ASSERT_EQ(prompt.execCount, 1);
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_EQ(panel.testPeer.requests, (std::vector<std::string>{std::string("A\x07"
                                                                             "F\x04"
                                                                             "HELLO\nWORLD\x03",
                                                                             16),
                                                                 std::string("K\x07", 2)}));
    EXPECT_EQ(Main()->Doc.KeySetRec.CommAddr, 7); // stored before the display opened
    EXPECT_TRUE(Main()->MMICom->IsOpen());

    // The main port carries the next download as before.
    panel.testPeer.on = false;
    prompt.answers = {Answer::Yes};
    Main()->Action("MmComWrt")->trigger();
    ASSERT_TRUE(RunUntilMessages(2));
    EXPECT_EQ(prompt.shown.back(), Msg(68));
    EXPECT_EQ(PanelBytes(kObjData + 4, 1), Bytes{7});

    // Settings the window cannot store open no display.
    form.edtTerminal->clear();
    prompt.shown.clear();
    form.BtnDispClick();
    EXPECT_EQ(prompt.execCount, 1);
    EXPECT_EQ(prompt.shown.size(), 1u);
}

} // namespace
} // namespace kes::test
