#pragma once
// TDevRef: the device address picker. The user picks the controller station, the panel
// port, the device of the controller's device table (or of the panel's own memory) and types
// the device number on a keypad; OK checks the composed address against the table and hands
// it back as text. Every address field of the settings dialogs and the inspector's device
// rows open it through RunDevRef.
#include "app/model/devrecord.h"

#include <QDialog>
#include <QString>

#include <array>
#include <cstdint>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace kes {
class LxTypeCore;
class Prompt;
class TUpDown;
} // namespace kes

class TDevRef : public QDialog {
public:
    // The picker over the model's device table, asking through prompt; the project state is
    // the model's.
    TDevRef(QWidget* owner, kes::Prompt& prompt, kes::LxTypeCore& model);
    ~TDevRef() override;

    // ---- Components
    QGroupBox* ZQMemType = nullptr; // items "PLC", "HMI"; shown disabled
    QRadioButton* ZQMemPlc = nullptr;
    QRadioButton* ZQMemHmi = nullptr;
    QWidget* Panel1 = nullptr;
    QLabel* ComAddr_Lab = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* ComAddr_Txt = nullptr;
    kes::TUpDown* ComAddr_UD = nullptr;
    QLabel* Label2 = nullptr;
    QComboBox* ComboBoxHMICom = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QCheckBox* DevChk = nullptr;
    QComboBox* Dev_Box = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    QLabel* DevNum_Lab = nullptr;
    QLineEdit* DevNum_Txt = nullptr;
    // Num_0..Num_9, Num_A..Num_F, Num_Pt, Num_Slash in that order.
    std::array<QPushButton*, 18> NumKeys{};
    QGroupBox* ZqLsb = nullptr;
    QComboBox* CB_LsbState = nullptr;
    QLabel* Label3 = nullptr;
    QPushButton* OkBtn = nullptr;
    QPushButton* DelBtn = nullptr;
    QPushButton* CloseBtn = nullptr;

    // ---- Fields the caller sets before showing and reads after an OK
    QString AddrText;
    std::uint8_t StationNo = 0;
    kes::DevWant WantKind = kes::DevWant::Any;
    // Access class listed devices need while the model's length selects the access.
    std::uint8_t AccessClass = 0;
    std::int32_t ComIndex = 0;
    // 1 controller memory ("PLC"), 0 the panel's own memory ("HMI").
    std::uint8_t PlcMemory = 1;

    // ---- Handlers
    void FormShow();
    void Num_0Click(QPushButton* key);
    void DelBtnClick();
    void CloseBtnClick() { reject(); }
    void DevNum_TxtChange();
    void ComAddr_UDClick(bool up);
    void ComAddr_TxtKeyUp();
    void DevChkClick();
    void ZQMemTypeClick();
    void ComboBoxHMIComChange();
    void OkBtnClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Checks the memory item; a change runs ZQMemTypeClick as a click would.
    void SelectMemItem(int item);

    kes::Prompt& prompt_;
    kes::LxTypeCore& model_;
    bool shown_ = false;
    bool capping_ = false;
};

// The picker in force while it is shown; null otherwise.

namespace kes {

// What an address field gives the picker and takes back after an OK.
struct DevRefRequest {
    QString Text; // address text
    std::uint8_t Station = 0;
    DevWant WantKind = DevWant::Any;
    std::uint8_t AccessClass = 0; // the field's value length index, as a rule
    std::uint8_t Link = 0;        // 0 COM1, 1 COM2
    bool DeviceForm = true;       // the address is written with a device name
    bool PanelMemory = false;     // the address lies in the panel's own memory
    // The low-byte state choice, which only the device state picture dialog shows: 0..15,
    // -1 for none.
    bool ShowLsb = false;
    int LsbState = -1;
};

// Creates the picker owned by owner, runs it modally through prompt and deletes it. True after
// an OK: io then holds the picked text, station, link and flags; otherwise io is unchanged.
bool RunDevRef(Prompt& prompt, QWidget* owner, LxTypeCore& model, DevRefRequest& io);

} // namespace kes
