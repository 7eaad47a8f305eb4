#pragma once
// TMetrolSet: the settings of a measurement unit (kind 19): the kind of quantity and its unit,
// each unit offered as its symbol.
#include "app/dialogs/settingsdialog.h"

class QComboBox;
class QLabel;
class QPushButton;
class TMetrol;

class TMetrolSet : public kes::SettingsDialog {
public:
    TMetrolSet(kes::DialogContext& ctx, QWidget* owner, TMetrol& unit);
    ~TMetrolSet() override;

    QLabel* MetrolType_Lab = nullptr;
    QComboBox* MetrolType_Box = nullptr; // length, area, volume, weight, speed, time, temperature
    QLabel* MetrolName_Lab = nullptr;
    QComboBox* MetrolName_Box = nullptr; // the units of the chosen quantity, drawn as symbols
    QPushButton* OkBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    // Offers the units of the chosen quantity, the first selected.
    void MetrolType_BoxChange();

protected:
    void LoadFields() override;
    kes::Check Validate() override { return std::nullopt; }
    void Store() override;

private:
    TMetrol& unit_;
};

namespace kes {
// Opens the dialog on a measurement unit modally; true when OK stored the settings.
bool RunMetrolSet(DialogContext& ctx, TMetrol& obj, QWidget* owner, const QString& caption);
} // namespace kes
