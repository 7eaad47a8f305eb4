#pragma once
// Panel port protocol settings: the serial settings of the panel's COM1 (RS-232) and COM2
// (RS-485) as packed ComSetByte, their master/slave mode (shown only), the project's default
// link and station, and on OK the rewrite of every device reference to those defaults.
#include "app/comm/hmiproto.h"
#include "app/model/projectstate.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

// What OK rewrites besides the state's own system records.
struct HmiProtoHooks {
    // Every stored page buffer (RewritePageLinks over each), then the header length set to 0.
    std::function<void(const kes::LinkRewrite&)> rewritePages;
    // The active page window's live objects and records; the host skips it unless pages are edited.
    std::function<void(const kes::LinkRewrite&)> rewriteLivePage;
    // The inspector shows the current object again.
    std::function<void()> refreshInspector;
};

class TFrmHMIProto : public QDialog {
public:
    TFrmHMIProto(QWidget* owner, kes::ProjectState& state, HmiProtoHooks hooks = {});

    void FormShow();
    void ChkBox_PortClick();
    void ChkBox_UIDClick();
    void Ok_BtnClick();
    void Cancel_BtnClick();

    // COM1 (RS-232): baud rate, data bits, parity, stop bits, and the master/slave mode (shown
    // only; a radio group whose items are "Master Mode" and "Slave Mode").
    QComboBox* BaudRate232_Box;
    QComboBox* DataBit232_Box;
    QComboBox* Check232_Box;
    QComboBox* StopBit232_Box;
    QGroupBox* rgSlaveMode232;
    // COM2 (RS-485), the same.
    QComboBox* BaudRate485_Box;
    QComboBox* DataBit485_Box;
    QComboBox* Check485_Box;
    QComboBox* StopBit485_Box;
    QGroupBox* rgSlaveMode485;
    QGroupBox* RgSelCom;
    QRadioButton* selCom1;
    QRadioButton* selCom2;
    QCheckBox* ChkBox_Port;
    QCheckBox* ChkBox_UID;
    QGroupBox* GB_UID;
    QLineEdit* EdtSationID;
    QSpinBox* UD_UID;
    QPushButton* Ok_Btn;
    QPushButton* Cancel_Btn;

protected:
    void showEvent(QShowEvent* e) override;

private:
    // One port's components, the boxes in the order of ComSetItems.
    struct PortBoxes {
        QComboBox* baud;
        QComboBox* dataBits;
        QComboBox* parity;
        QComboBox* stopBits;
        QGroupBox* slaveMode;
    };
    void MakePort(const char* suffix, QComboBox*& baud, QComboBox*& dataBits, QComboBox*& parity, QComboBox*& stopBits,
                  QGroupBox*& slaveMode);
    // link 0 COM1, 1 COM2.
    PortBoxes Port(int link) const;
    static kes::ComSetItems ItemsOf(const PortBoxes& p);
    static void Show(const PortBoxes& p, const kes::ComSetItems& items, std::uint8_t slave);

    kes::ProjectState& state_;
    HmiProtoHooks hooks_;
    kes::ComSetItems shown_[2];
};
