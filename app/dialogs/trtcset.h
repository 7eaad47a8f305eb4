#pragma once
// TRtcSet: the settings of a clock object (kind 16): whether it shows the time, the weekday
// or the date, where the time comes from (the panel's own clock, also written to controller
// words or not, or the controller's clock read from controller words), the first of those
// words, its alignment, frame and panel font. A panel model without a clock offers only the
// controller's clock.
#include "app/dialogs/addressfield.h"
#include "app/dialogs/settingsdialog.h"

#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TRtc;

class TRtcSet : public kes::SettingsDialog {
public:
    // What the dialog is opened for: kEditClock edits the clock; any other mode only
    // translates the form.
    static constexpr int kEditClock = 0x10;

    TRtcSet(kes::DialogContext& ctx, QWidget* owner, TRtc& rtc);
    ~TRtcSet() override;

    int Mode = 0;

    // ---- Components
    QGroupBox* DevRefGp = nullptr;
    QLabel* Dev_Lab = nullptr;
    QLineEdit* DevRefTxt = nullptr;
    QPushButton* BtnRef = nullptr;
    QCheckBox* ChkBox_Writ = nullptr;
    QGroupBox* TimeRefGp = nullptr;  // panel clock, controller clock
    QGroupBox* TimeTypeGp = nullptr; // time, weekday, date
    QLabel* Pos_Lab = nullptr;
    QComboBox* HPos_Box = nullptr; // left, right, centre
    QLabel* Frame_Lab = nullptr;
    QComboBox* Frame_Box = nullptr; // frame style 0..5
    QLabel* Font_Lab = nullptr;
    QComboBox* Font_Box = nullptr;
    // Never shown.
    QComboBox* VPos_Box = nullptr;
    QPushButton* CancelSet = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* OkBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    // ---- Handlers
    void TimeRefGpClick();
    void ChkBox_WritClick();
    void BtnRefClick();
    // OK: checks and stores in the edit mode; does nothing in any other.
    void RtcOkBtnClick();

protected:
    void LoadFields() override;
    kes::Check Validate() override;
    void Store() override;

private:
    void BuildForm();
    bool HasClock() const;
    // The time source the choices stand for: 0 panel clock written to the controller,
    // 1 controller clock, 2 panel clock alone.
    int ChosenSource() const;
    void ShowWriteChoice(bool shown);

    TRtc& rtc_;
    std::unique_ptr<kes::AddressField> dev_;
};

namespace kes {
// Opens the dialog on a clock modally to edit it; true when OK stored the settings.
bool RunRtcSet(DialogContext& ctx, TRtc& rtc, QWidget* owner, const QString& caption);
} // namespace kes
