#pragma once
// TCurveSet: the settings of a trend curve (kind 14) or an X-Y curve (kind 15): the first of
// the controller words it plots, the vertical range and, for the X-Y curve, the horizontal
// range (unsigned 16-bit numbers).
#include "app/dialogs/addressfield.h"
#include "app/dialogs/settingsdialog.h"

#include <memory>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TLxCurve;
class TLxXyCurve;

class TCurveSet : public kes::SettingsDialog {
public:
    TCurveSet(kes::DialogContext& ctx, QWidget* owner, TLxCurve& curve);
    // The X-Y curve's dialog: its horizontal range too.
    TCurveSet(kes::DialogContext& ctx, QWidget* owner, TLxXyCurve& curve);
    ~TCurveSet() override;

    // ---- Components
    QGroupBox* DevRefGp = nullptr;
    QLineEdit* DevRefTxt = nullptr;
    QPushButton* RefBtn = nullptr;
    QLabel* VMax_Lab = nullptr;
    QLineEdit* VMax_Txt = nullptr;
    QLabel* VMin_Lab = nullptr;
    QLineEdit* VMin_Txt = nullptr;
    QLabel* HMax_Lab = nullptr;
    QLineEdit* HMax_Txt = nullptr;
    QLabel* HMin_Lab = nullptr;
    QLineEdit* HMin_Txt = nullptr;
    // Never shown: the curve keeps what it holds of these.
    QGroupBox* GroupBox1 = nullptr;
    QLabel* TrigFg_Lab = nullptr;
    QComboBox* Trig_Box = nullptr;
    QLabel* ResetFg_Lab = nullptr;
    QComboBox* Reset_Box = nullptr;
    QLabel* MaxPt_Lab = nullptr;
    QLineEdit* MaxPt_Txt = nullptr;
    QPushButton* OkBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    // ---- Handlers
    void RefBtnClick();

protected:
    void LoadFields() override;
    kes::Check Validate() override;
    void Store() override;

private:
    TCurveSet(kes::DialogContext& ctx, QWidget* owner, TLxCurve& curve, TLxXyCurve* xy);
    // The two checks and the order check of one range, named by its labels.
    kes::Check CheckRange(QLabel* maxLab, QLineEdit* maxTxt, QLabel* minLab, QLineEdit* minTxt) const;

    TLxCurve& curve_;
    TLxXyCurve* xy_; // the same curve as an X-Y curve; null for a trend curve
    std::unique_ptr<kes::AddressField> dev_;
};

namespace kes {
// Opens the dialog on a curve modally; true when OK stored the settings.
bool RunCurveSet(DialogContext& ctx, TLxCurve& curve, QWidget* owner, const QString& caption);
bool RunXyCurveSet(DialogContext& ctx, TLxXyCurve& curve, QWidget* owner, const QString& caption);
} // namespace kes
