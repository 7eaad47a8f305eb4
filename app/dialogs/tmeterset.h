#pragma once
// TMeterSet: the settings of a circular meter (kind 9) or a square meter (kind 10): the
// controller word it shows (always 16 bits), the number format and digits of its labels, the
// values at both ends, its main and sub divisions, the dial's sweep (circular meter only) and
// its panel font.
#include "app/dialogs/addressfield.h"
#include "app/dialogs/settingsdialog.h"

#include <memory>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TCirMeter;
class TLxObj;
class TRectMeter;

class TMeterSet : public kes::SettingsDialog {
public:
    TMeterSet(kes::DialogContext& ctx, QWidget* owner, TCirMeter& meter);
    TMeterSet(kes::DialogContext& ctx, QWidget* owner, TRectMeter& meter);
    ~TMeterSet() override;

    // ---- Components
    QGroupBox* DevRefGp = nullptr;
    QLineEdit* DevRefTxt = nullptr;
    QPushButton* RefBtn = nullptr;
    QLabel* ValType_Lab = nullptr;
    QComboBox* ValType_Box = nullptr; // unsigned, signed, hexadecimal, BCD
    QLabel* Int_Lab = nullptr;
    QComboBox* Int_Box = nullptr; // 1..5 integer digits
    QLabel* Dec_Lab = nullptr;
    QComboBox* Dec_Box = nullptr; // 0..5 decimal digits
    QLabel* Max_Lab = nullptr;
    QLineEdit* Max_Txt = nullptr;
    QLabel* Min_Lab = nullptr;
    QLineEdit* Min_Txt = nullptr;
    QLabel* MainS_Lab = nullptr;
    QLineEdit* MainS_Txt = nullptr;
    QLabel* SubS_Lab = nullptr;
    QLineEdit* SubS_Txt = nullptr;
    QGroupBox* StyleGp = nullptr; // 300 degrees, 360 degrees
    QLabel* Font_Lab = nullptr;
    QComboBox* Font_Box = nullptr;
    QPushButton* OkBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    // ---- Handlers
    void ValType_BoxChange();
    void RefBtnClick();

protected:
    void LoadFields() override;
    kes::Check Validate() override;
    void Store() override;

private:
    TMeterSet(kes::DialogContext& ctx, QWidget* owner, TLxObj& meter, TCirMeter* cir, TRectMeter* rect);
    void BuildForm();
    kes::Check ValidateLimits();
    int IntDigits() const;
    int DecDigits() const;

    TLxObj& meter_;
    TCirMeter* cir_;
    TRectMeter* rect_;
    std::unique_ptr<kes::AddressField> dev_;
};

namespace kes {
// Open the dialog on a meter modally; true when OK stored the settings.
bool RunMeterSet(DialogContext& ctx, TCirMeter& meter, QWidget* owner, const QString& caption);
bool RunMeterSet(DialogContext& ctx, TRectMeter& meter, QWidget* owner, const QString& caption);
} // namespace kes
