#pragma once
// TValStaSet: the settings of a numeric display (kind 2): the word it shows, the value type
// and length, the integer and decimal digits, leading zeros, the alignment, the frame and the
// panel font.
#include "app/dialogs/addressfield.h"
#include "app/dialogs/settingsdialog.h"
#include "objects/valformat.h"

#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TLxVal;

class TValStaSet : public kes::SettingsDialog {
public:
    TValStaSet(kes::DialogContext& ctx, QWidget* owner, TLxVal& val);
    ~TValStaSet() override;

    QGroupBox* DevRefGp = nullptr;
    QLineEdit* DevRefTxt = nullptr;
    QPushButton* RefBtn = nullptr;
    QLabel* ValType_Lab = nullptr;
    QComboBox* ValType_Box = nullptr; // formats 0..5, then floating (stored as 7)
    QLabel* ValLen_Lab = nullptr;
    QComboBox* ValLen_Box = nullptr;
    QLabel* Pos_Lab = nullptr;
    QComboBox* HPos_Box = nullptr;
    QLabel* Int_Lab = nullptr;
    QComboBox* Int_Box = nullptr; // 1..10 integer digits
    QLabel* Dec_Lab = nullptr;
    QComboBox* Dec_Box = nullptr;  // 0..9 decimal digits
    QComboBox* VPos_Box = nullptr; // hidden
    QCheckBox* HZeroBtn = nullptr;
    QCheckBox* ShineBtn = nullptr; // hidden
    QLabel* Frame_Lab = nullptr;
    QComboBox* Frame_Box = nullptr;
    QLabel* Font_Lab = nullptr;
    QComboBox* Font_Box = nullptr;
    QPushButton* ValStOK = nullptr;
    QPushButton* ValStCancel = nullptr;

    void RefBtnClick();
    void ValType_BoxChange();
    void ValLen_BoxChange();
    void ValStOKClick() { OkBtnClick(); }
    void ValStCancelClick() { CancelBtnClick(); }

    // ValType_Box lists the formats by their codes up to binary, then floating.
    static constexpr int kBinaryItem = kes::FormatCode(kes::ValFormat::Binary);
    static constexpr int kFloatItem = kBinaryItem + 1;

protected:
    void LoadFields() override;
    kes::Check Validate() override;
    void Store() override;

private:
    // The value length the chosen type takes: floating values are two words whatever the
    // (hidden) length box shows, binary ones one.
    std::uint8_t Len() const;

    // Shows the address again when the value length changed since it was last shown.
    void FollowLength();

    TLxVal& val_;
    std::unique_ptr<kes::AddressField> ref_;
    std::uint8_t shownLen_ = 0; // the value length the address text was shown for
};

namespace kes {
// Opens the dialog on a numeric display modally; true when OK stored the settings.
bool RunValStaSet(DialogContext& ctx, TLxVal& obj, QWidget* owner, const QString& caption);
} // namespace kes
