#pragma once
// Key settings of the keypad and text panels (controllers 95 and 99): the code each key sends,
// the start and terminating characters that frame it, and the panel's station and port. The
// window is shown beside the main window, not modally, and frees itself when closed; the main
// window keeps it in a QPointer and stores it before every download and save.
#include "app/model/projectstate.h"

#include <QDialog>

#include <array>
#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace kes {
class Prompt;
} // namespace kes

struct KeySettingHooks {
    std::function<void()> setMainToolsEnabled;           // TKhm::SetMainToolsEnabled
    std::function<void(QWidget* owner)> openTestDisplay; // the serial test display, modally
};

class TFrmKeySetting : public QDialog {
public:
    TFrmKeySetting(QWidget* owner, kes::Prompt& prompt, kes::ProjectState& state, KeySettingHooks hooks = {});

    void FormShow();
    // Checks every field; when all pass, writes them into KeySetRec (the project counts as
    // changed when the record does) and returns true. The first bad field shows its message.
    bool StoreKeySettings();
    void BtnOKClick();
    void BtnCancelClick();
    void BtnDispClick();
    void UDStartCharClick();
    void UDTerminalClick();
    void ComAddr_TxtMouseUp();

    QGroupBox* gbKeyStr;
    std::array<QLineEdit*, 15> KeyEdits{}; // edtF1 .. edtF10, edtUP, edtDOWN, edtLeft, edtRight, edtEnter
    std::array<QLabel*, 15> KeyLabels{};
    QLabel* LabEsc;
    QLabel* LabReserved;
    QPushButton* BtnDisp;
    QGroupBox* gbKeyPress;
    QLabel* LabStartchar;
    QSpinBox* UDStartChar;
    QLineEdit* edtStartChar;
    QLabel* StartCharName;
    QLabel* Labendchar;
    QSpinBox* UDTerminal;
    QLineEdit* edtTerminal;
    QLabel* TerminateName;
    QGroupBox* ZQComm;
    QLabel* ComAddr_Lab;
    QSpinBox* ComAddr_UD;
    QLineEdit* ComAddr_Txt;
    QLabel* Label17;
    QLabel* LabZQPort;
    QComboBox* ComboBoxHMICom;
    QGroupBox* rgBright;
    QPushButton* BtnOK;
    QPushButton* BtnCancel;

protected:
    void showEvent(QShowEvent* e) override;
    // The names of the frame characters are not in the caption file: written again after each translation.
    void changeEvent(QEvent* e) override;

private:
    QSpinBox* FrameCharBox(QGroupBox* group, const char* boxName, const char* editName);

    kes::Prompt& prompt_;
    kes::ProjectState& state_;
    KeySettingHooks hooks_;
};
