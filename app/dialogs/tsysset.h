#pragma once
// TSysSet: one device-linked response of the panel. In its condition mode it edits the buzzer
// (record 0) or the alarm lamp (record 1) of the active page or of the system (EditScope): a
// bit that is ON or OFF, or a value compared with a constant. In its power-on mode it edits
// the system's power-on macro: a bit state or a value written to a device when the panel
// starts, with the interval to wait. OK stores, Cancel switches the setting off, Close (and
// Esc or the title bar) leaves it as it was.
#include "app/dialogs/addressfield.h"
#include "app/dialogs/settingsdialog.h"
#include "decoder/pgsetrec.h"

#include <memory>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class TSysSet : public kes::SettingsDialog {
public:
    TSysSet(kes::DialogContext& ctx, QWidget* owner);
    ~TSysSet() override;

    QLabel* DevRef_Lab = nullptr;
    QLineEdit* DevRefTxt = nullptr;
    QPushButton* RefBtn = nullptr;
    QRadioButton* Bit_Rdo = nullptr;
    QRadioButton* Val_Rdo = nullptr;
    QRadioButton* Lsb_Rdo = nullptr; // never shown
    QGroupBox* GB_Condition = nullptr;
    QRadioButton* On_Rdo = nullptr;
    QRadioButton* Off_Rdo = nullptr;
    QGroupBox* GB_CondVal = nullptr;
    QComboBox* Comp_Box = nullptr;
    QLineEdit* Comp_Txt = nullptr;
    QGroupBox* GB_SetValue = nullptr;
    QLineEdit* EdtVal = nullptr;
    QGroupBox* GB_ValueSet = nullptr;
    QLabel* ValType_Lab = nullptr;
    QComboBox* ValType_Box = nullptr;
    QLabel* ValLen_Lab = nullptr;
    QComboBox* ValLen_Box = nullptr;
    QGroupBox* GB_TimeSet = nullptr;
    QComboBox* CB_TimeSet = nullptr;
    QPushButton* OkBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* CloseBtn = nullptr;

    // The mode the opener chooses before showing: the power-on macro, or else the record
    // (0 buzzer, 1 alarm lamp). Openers may give them as the properties "PowerOn" and
    // "RecordIndex" instead.
    bool PowerOnMode = false;
    int RecordIndex = 0;

    void Bit_RdoClick();
    void Val_RdoClick();
    void ValType_BoxChange();
    void ValLen_BoxChange();
    void RefBtnClick();
    // Switches the setting off and closes.
    void CancelBtnClick();
    // Closes without a change.
    void CloseBtnClick() { QDialog::reject(); }

protected:
    void LoadFields() override;
    kes::Check Validate() override;
    void Store() override;

private:
    PgSysRec* Slot() const;
    std::uint8_t Kind() const;
    std::uint8_t Len() const;
    int Type() const;
    QLineEdit* ValueEdit() const { return PowerOnMode ? EdtVal : Comp_Txt; }
    void ShowKindGroups(bool value);
    void LoadCondition();
    void LoadPowerOn();

    std::unique_ptr<kes::AddressField> ref_;
    PgSysRec work_; // the condition being edited
};
