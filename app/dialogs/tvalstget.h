#pragma once
// TValStGet: the settings of a numeric input (kind 20): the word the entered value is written
// to, an optional word read back and an optional bit set or reset around the write, the value
// type, length, digits and limits, the function key that opens the entry, the user level, and
// its frame, font and alignment.
#include "app/dialogs/addressfield.h"
#include "app/dialogs/settingsdialog.h"

#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TLxGetVal;

class TValStGet : public kes::SettingsDialog {
public:
    TValStGet(kes::DialogContext& ctx, QWidget* owner, TLxGetVal& entry);
    ~TValStGet() override;

    // ---- Device group
    QGroupBox* GroupBox = nullptr;
    QLabel* DevWrite_Lab = nullptr;
    QLineEdit* DevWriteTxt = nullptr;
    QPushButton* WriteBtn = nullptr;
    QCheckBox* DevRd_Chk = nullptr;
    QLineEdit* DevReadTxt = nullptr;
    QPushButton* ReadBtn = nullptr;
    // ---- Value group
    QGroupBox* GroupBox1 = nullptr;
    QCheckBox* RefKey_Chk = nullptr;
    QComboBox* RefKey_Box = nullptr;
    QLabel* ValType_Lab = nullptr;
    QComboBox* ValType_Box = nullptr; // formats 0..3, then floating (stored as 7)
    QLabel* ValLen_Lab = nullptr;
    QComboBox* ValLen_Box = nullptr;
    QLabel* Int_Lab = nullptr;
    QComboBox* Int_Box = nullptr; // 1..10 integer digits
    QLabel* Dec_Lab = nullptr;
    QComboBox* Dec_Box = nullptr; // 0..5 decimal digits
    QGroupBox* GroupBox2 = nullptr;
    QLabel* Min_Lab = nullptr;
    QLineEdit* Min_Txt = nullptr;
    QLabel* Max_Lab = nullptr;
    QLineEdit* Max_Txt = nullptr;
    // ---- Notify group
    QGroupBox* GroupBox4 = nullptr;
    QCheckBox* Call_Chk = nullptr;
    QLineEdit* DevCallTxt = nullptr;
    QPushButton* CallBtn = nullptr;
    QGroupBox* CallOrderGp = nullptr; // before the write, after it
    QGroupBox* CallStateGp = nullptr; // "Reset", "Set"
    // ---- Appearance group
    QGroupBox* GroupBox3 = nullptr;
    QLabel* Frame_Lab = nullptr;
    QComboBox* Frame_Box = nullptr;
    QLabel* Font_Lab = nullptr;
    QComboBox* Font_Box = nullptr;
    QLabel* VPos_Lab = nullptr;
    QComboBox* VPos_Box = nullptr;
    QLabel* HPos_Lab = nullptr;
    QComboBox* HPos_Box = nullptr;
    QCheckBox* ShineBtn = nullptr; // hidden
    QCheckBox* HZeroBtn = nullptr; // hidden
    // ---- Level, password, buttons
    QLabel* Label8 = nullptr;
    QComboBox* ComboBox_UserLevel = nullptr;
    QLabel* Label7 = nullptr;     // hidden
    QLineEdit* PassTxt = nullptr; // hidden: carries the stored password through
    QPushButton* ValStOK = nullptr;
    QPushButton* ValStCancel = nullptr;

    void WriteBtnClick();
    void ReadBtnClick();
    void CallBtnClick();
    void DevRd_ChkClick();
    void Call_ChkClick();
    void RefKey_ChkClick();
    void RefKey_BoxChange();
    void ValType_BoxChange();
    void ValLen_BoxChange();
    void ValStOKClick() { OkBtnClick(); }
    void ValStCancelClick() { CancelBtnClick(); }

protected:
    void LoadFields() override;
    kes::Check Validate() override;
    void Store() override;

private:
    QWidget* BuildDeviceGroups();
    QWidget* BuildValueGroup();
    QWidget* BuildAppearanceGroup();
    int Item() const;
    // The key the object is bound to now, -1 for none.
    int OwnKey() const;
    // The value length: a floating value is two words.
    std::uint8_t Len() const;
    // The digit box index of the stored integer digits (5 digits for a count it does not offer).
    int IntIndex() const;
    void PutKeyBack();
    kes::Check ValidateAddresses();

    TLxGetVal& entry_;
    std::unique_ptr<kes::AddressField> write_;
    std::unique_ptr<kes::AddressField> read_;
    std::unique_ptr<kes::AddressField> notify_;
};

namespace kes {
// Opens the dialog on a numeric input modally; true when OK stored the settings.
bool RunValStGet(DialogContext& ctx, TLxGetVal& obj, QWidget* owner, const QString& caption);
} // namespace kes
