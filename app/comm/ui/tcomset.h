#pragma once
// Communication settings: the serial port of the link and the panel station every request
// carries. Modal; the caller creates it, runs it and deletes it.
#include "app/comm/linkport.h"
#include "app/model/projectstate.h"

#include <QDialog>
#include <QSpinBox>

class QComboBox;
class QLineEdit;
class QPushButton;

#include <functional>

namespace kes {
class Prompt;
} // namespace kes

// An edit with its up-down: the steps go to `onStep`, which may wrap them round.
class TStationUpDown : public QSpinBox {
public:
    explicit TStationUpDown(QWidget* parent);
    void stepBy(int steps) override;
    std::function<void(int steps)> onStep;
};

class TComSet : public QDialog {
public:
    // Edits `port` (name, rate, framing) and the state's HmiUnitAddr; OK marks the project not
    // compiled. prompt: what the form asks the user through.
    TComSet(QWidget* owner, kes::Prompt& prompt, kes::LinkPortSettings& port, kes::ProjectState& state);

    void FormShow();
    void Ok_BtnClick();
    void Cancel_BtnClick();
    void HmiUnitAddr_TxtChange();
    // Stepping up past 255 wraps to 0, down past 0 to 255.
    void HmiUnitAddr_UDClick(int steps);

    // The port names offered; the machine's ports unless a test sets them.
    void SetPortNames(const QStringList& names)
    {
        ports_ = names;
        portsSet_ = true;
    }

    QComboBox* ComPort_Box;
    QComboBox* BaudRate_Box;
    QLineEdit* HmiUnitAddr_Txt;
    TStationUpDown* HmiUnitAddr_UD;
    QComboBox* DataBit_Box;
    QComboBox* Check_Box;
    QComboBox* StopBit_Box;
    QPushButton* Ok_Btn;
    QPushButton* Cancel_Btn;

protected:
    void showEvent(QShowEvent* e) override;

private:
    kes::Prompt& prompt_;
    kes::LinkPortSettings& port_;
    kes::ProjectState& state_;
    QStringList ports_;
    bool portsSet_ = false;
    bool syncing_ = false;
};
