#pragma once
// TScaleSet: the settings of a scale object (kind 7): where its numbers stand and which way
// they run, its main and sub divisions, the numbers at its ends (signed, 16 or 32 bits) and
// its panel font. It has no device address.
#include "app/dialogs/settingsdialog.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TScale;

class TScaleSet : public kes::SettingsDialog {
public:
    TScaleSet(kes::DialogContext& ctx, QWidget* owner, TScale& scale);
    ~TScaleSet() override;

    // ---- Components
    QGroupBox* GroupBox1 = nullptr;
    QLabel* Dir_Lab = nullptr;
    QComboBox* Dir_Box = nullptr; // top, bottom, left, right
    QLabel* Side_Lab = nullptr;
    QComboBox* Side_Box = nullptr; // forward, reverse
    QGroupBox* GroupBox2 = nullptr;
    QLabel* Main_Lab = nullptr;
    QLineEdit* Main_Txt = nullptr;
    QLabel* Sub_Lab = nullptr;
    QLineEdit* Sub_Txt = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    QLabel* Max_Lab = nullptr;
    QLineEdit* Max_Txt = nullptr;
    QLabel* Min_Lab = nullptr;
    QLineEdit* Min_Txt = nullptr;
    QLabel* ValLen_Lab = nullptr;
    QComboBox* ValLen_Box = nullptr;
    QGroupBox* GroupBox4 = nullptr;
    QLabel* Font_Lab = nullptr;
    QComboBox* Font_Box = nullptr;
    QPushButton* OkBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

protected:
    void LoadFields() override;
    kes::Check Validate() override;
    void Store() override;

private:
    TScale& scale_;
};

namespace kes {

// The main and sub division counts of a scale or meter: the main count 2..255 (message 56),
// then the sub count 0..255 (message 57). A count that is empty, no whole number or beyond a
// byte is refused: a byte would keep only its low bits, and a main count below 2 divides by
// zero when the ticks are spaced.
Check CheckScaleCounts(const QString& mainText, const QString& subText);

// Opens the dialog on a scale modally; true when OK stored the settings.
bool RunScaleSet(DialogContext& ctx, TScale& scale, QWidget* owner, const QString& caption);

} // namespace kes
