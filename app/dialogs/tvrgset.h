#pragma once
// TVrgSet: the settings of a value-range picture (kind 4): the word whose value picks one of
// five states, the value type and length, each state's lower bound and built-in picture, and
// the order in which the bounds are entered.
#include "app/dialogs/addressfield.h"
#include "app/dialogs/settingsdialog.h"

#include <QStringList>

#include <array>
#include <memory>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TVrgBmp;

class TVrgSet : public kes::SettingsDialog {
public:
    TVrgSet(kes::DialogContext& ctx, QWidget* owner, TVrgBmp& obj);
    ~TVrgSet() override;

    static constexpr int kStates = 5;

    QGroupBox* GroupBox1 = nullptr;
    QLineEdit* DevRefTxt = nullptr;
    QPushButton* RefBtn = nullptr;
    QLabel* ValType_Lab = nullptr;
    QComboBox* ValType_Box = nullptr;
    QLabel* ValLen_Lab = nullptr;
    QComboBox* ValLen_Box = nullptr;
    QLabel* State_Lab = nullptr;
    QComboBox* State_Box = nullptr; // "0" .. "4"
    QLabel* Comp_Lab = nullptr;
    QLineEdit* Comp_Txt = nullptr; // the selected state's value
    QLabel* Bmp_Lab = nullptr;
    QComboBox* Bmp_Box = nullptr;      // the 18 built-in pictures
    QGroupBox* Rg_ValSetWay = nullptr; // large to small, small to large
    QRadioButton* Const_Rdo = nullptr; // hidden
    QRadioButton* Var_Rdo = nullptr;   // hidden
    QPushButton* OkBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    void RefBtnClick();
    void ValLen_BoxChange();
    // Also the type box's change: shows the selected state's value and picture.
    void State_BoxChange();
    void Bmp_BoxChange();
    // Qt key code; the arrows step through the states, any other key stores the value.
    void Comp_TxtKeyUp(int key);
    void Comp_TxtDblClick();
    void Rg_ValSetWayClick();
    void Const_RdoClick();
    void Var_RdoClick();

    // The dialog's own copy, in the entry order ValSetWay says.
    const QStringList& StateValues() const { return values_; }
    const std::array<int, kStates>& StatePictureNo() const { return pictures_; }

protected:
    void LoadFields() override;
    kes::Check Validate() override;
    void Store() override;

private:
    int Type() const;
    std::uint8_t Len() const;
    // The values as stored: largest first.
    std::vector<std::uint32_t> LargeToSmall() const;

    TVrgBmp& obj_;
    std::unique_ptr<kes::AddressField> ref_;
    QStringList values_;
    std::array<int, kStates> pictures_{};
    int valSetWay_ = 0;
    std::uint8_t varBounds_ = 0; // 0 constant bounds, 16 variable
};

namespace kes {
// Opens the dialog on a value-range picture modally; true when OK stored the settings.
bool RunVrgSet(DialogContext& ctx, TVrgBmp& obj, QWidget* owner, const QString& caption);
} // namespace kes
