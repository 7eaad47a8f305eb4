#pragma once
// TProgBarSet: the settings of a bar graph (kind 8): the word it shows, the value type and
// length, the maximum and minimum between which the bar fills, and the direction it grows.
#include "app/dialogs/addressfield.h"
#include "app/dialogs/settingsdialog.h"

#include <memory>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TProgBar;

class TProgBarSet : public kes::SettingsDialog {
public:
    TProgBarSet(kes::DialogContext& ctx, QWidget* owner, TProgBar& bar);
    ~TProgBarSet() override;

    QGroupBox* DevRefGp = nullptr;
    QLineEdit* DevRefTxt = nullptr;
    QPushButton* RefBtn = nullptr;
    QLabel* ValType_Lab = nullptr;
    QComboBox* ValType_Box = nullptr;
    QLabel* ValLen_Lab = nullptr;
    QComboBox* ValLen_Box = nullptr;
    QLabel* Pos_Lab = nullptr;
    QComboBox* Pos_Box = nullptr; // bottom to top, top to bottom, right to left, left to right
    QLabel* Max_Lab = nullptr;
    QLineEdit* Max_Txt = nullptr;
    QLabel* Min_Lab = nullptr;
    QLineEdit* Min_Txt = nullptr;
    QPushButton* ValStOK = nullptr;
    QPushButton* ValStCancel = nullptr;

    void RefBtnClick();
    // Also the length box's change: the limits become the full range of the type.
    void ValType_BoxChange();
    void ValStOKClick() { OkBtnClick(); }
    void ValStCancelClick() { CancelBtnClick(); }

protected:
    void LoadFields() override;
    kes::Check Validate() override;
    void Store() override;

private:
    int Type() const;
    std::uint8_t Len() const;

    TProgBar& bar_;
    std::unique_ptr<kes::AddressField> ref_;
};

namespace kes {
// Opens the dialog on a bar graph modally; true when OK stored the settings.
bool RunProgBarSet(DialogContext& ctx, TProgBar& obj, QWidget* owner, const QString& caption);
} // namespace kes
