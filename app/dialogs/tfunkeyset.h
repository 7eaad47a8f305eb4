#pragma once
// TFunKeySet: the 14 function keys (F0..F9, Up, Down, Left, Right) of the active page or of the
// system (EditScope). A key acts like a button object: set or pulse a bit, step through
// states, take a value, write a constant, count up or down, change the page or ask for a
// password. The dialog works on its own copy of the 14 keys; Set and Delete change the copy,
// and closing the dialog, whichever way, writes the copy back.
#include "app/dialogs/btnactionpanel.h"
#include "app/dialogs/settingsdialog.h"
#include "decoder/pgsetrec.h"

#include <array>
#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace kes {
class TUpDown;
}

class TFunKeySet : public kes::SettingsDialog {
public:
    TFunKeySet(kes::DialogContext& ctx, QWidget* owner);
    ~TFunKeySet() override;

    QTableWidget* FunKey_Grid = nullptr;
    // Type, addresses, value format and the type's own fields.
    kes::BtnActionPanel* Action = nullptr;
    QLabel* UserLevel_Lab = nullptr;
    QComboBox* ComboBox_UserLevel = nullptr;
    QLabel* StaNum_Lab = nullptr;
    QLineEdit* StaNum_Txt = nullptr;
    kes::TUpDown* StaNum_UD = nullptr;
    QComboBox* State_Box = nullptr; // hidden
    QLineEdit* PassTxt = nullptr;   // hidden
    QPushButton* SetBtn = nullptr;
    QPushButton* DelBtn = nullptr;
    QPushButton* DelAllBtn = nullptr;
    QPushButton* CloseBtn = nullptr;

    void FunKey_GridClick();
    void BtnType_BoxChange();
    void SetBtnClick();
    void DelBtnClick();
    void DelAllBtnClick();
    // Writes the 14 keys back and closes.
    void CloseBtnClick();
    void DevRd_ChkClick();
    void Call_ChkClick();
    void RefWBtnClick();
    void RefRBtnClick();
    void Call_BtnClick();
    void Bit_RdoClick();
    void Val_RdoClick();
    void Lsb_RdoClick();
    void ValType_BoxChange();
    void StaNum_TxtKeyUp();
    void StaNum_UDClick(bool up);

    // Both columns of the grid from the working keys.
    void FillFunKeyGrid();

    const std::array<PgFunKeyRec, kFunKeyCount>& Keys() const { return keys_; }
    const std::array<std::uint8_t, kFunKeyCount>& Used() const { return used_; }

    // Esc and the title bar close as the close button does.
    void reject() override { CloseBtnClick(); }

protected:
    void LoadFields() override;
    kes::Check Validate() override;
    void Store() override;

private:
    void BuildForm();
    void ConnectHandlers();
    int Row() const;
    bool System() const;
    // Up and Down while they are not redefined.
    bool UpDownLocked(int row) const;
    // The access kind the addresses take for the type and the radios (0x00, 0x10, 0x20).
    std::uint8_t AccessKind() const;
    std::uint8_t Len() const;
    kes::DevWant PickKind() const;
    void ApplyTypeLayout(kes::BtnType type);
    void SetStateCount(int n);
    void FillPageBox();
    // The write field (and the read field when ticked) shows the key's stored address for the
    // access kind, or the kind's default address.
    void ShowKindAddress(bool emptyForNoAddress);
    kes::Check CheckAddresses() const;
    kes::Check CheckValues() const;
    void StoreKey(PgFunKeyRec& key);

    std::array<PgFunKeyRec, kFunKeyCount> keys_{};
    std::array<std::uint8_t, kFunKeyCount> used_{};
    bool closing_ = false;
};
