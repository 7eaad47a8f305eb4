#pragma once
// The serial test display: sends lines of text (or a key scan) to a keypad or text panel on
// the bench and shows its reply. It runs on a port of its own, on the device of the main
// window's port, which stays closed while the display is open and is opened again afterwards
// when it was open before.
#include "app/comm/keypadlink.h"
#include "app/comm/linkport.h"
#include "app/model/projectstate.h"

#include <QDialog>
#include <QTimer>

#include <functional>
#include <memory>

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace kes {
class Prompt;
} // namespace kes

// What the display needs besides the project state.
struct TestDisplayEnv {
    int panelWidth = 128; // panel pixels of the project's model
    int panelHeight = 64;
    // The display's own port; null gives a serial port.
    std::function<std::unique_ptr<kes::LinkPort>()> makePort;
    int tickMs = 55; // one tick of the reply time-out
    int timeOutTicks = 36;
};

class TDlgMonDisp : public QDialog {
public:
    TDlgMonDisp(QWidget* owner, kes::Prompt& prompt, const kes::ProjectState& state, kes::LinkPort& mainPort,
                TestDisplayEnv env);
    ~TDlgMonDisp() override;

    void FormCreate();
    void FormShow();
    void BtnSendClick();
    void cbFontChange();
    void MemEditChange();
    void BtnFontClick();
    // Closes the display's port and gives the main port back its open state.
    void FormDestroy();
    // The request the text and choices make now.
    kes::Bytes Request() const;
    int LineLimit() const;

    bool PortOpen() const { return port_ && port_->IsOpen(); }
    bool WaitingForReply() const { return timer_.isActive(); }

    QFrame* PanelDisp;
    QPlainTextEdit* MemEdit;
    QPushButton* BtnSend;
    QPushButton* BtnClose;
    QPushButton* BtnFont;
    QGroupBox* gbType;
    QComboBox* cbType;
    QGroupBox* gbFont;
    QComboBox* cbFont;
    QLabel* LabRec;
    QLineEdit* edtRec;
    QGroupBox* RgMultidrop;
    QRadioButton* keyScan;
    QRadioButton* sendString;

protected:
    void showEvent(QShowEvent* e) override;
    void done(int r) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ApdPortTrigger();
    void OnTimeOut();

    kes::Prompt& prompt_;
    const kes::ProjectState& state_;
    kes::LinkPort& mainPort_;
    TestDisplayEnv env_;
    std::unique_ptr<kes::LinkPort> port_;
    QTimer timer_;
    kes::TestDisplayReceiver rx_{2};
    std::uint8_t startChar_ = 2;
    std::uint8_t terminator_ = 3;
    bool mainWasOpen_ = false;
    bool shown_ = false;
    bool destroyed_ = false;
    bool trimming_ = false;
};
