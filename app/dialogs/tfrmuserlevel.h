#pragma once
// TFrmUserLevel: the ten password slots of the project, each a six-digit password with a
// user level 0..4. A button, numeric input or function key that names a level is pressed
// on the panel with any password whose slot carries that level.
#include "app/dialogs/settingsdialog.h"

#include <array>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace kes {
class ProjectState;

// A level is accepted when it is 0 or when some slot carries it.
bool UserLevelAccepted(const ProjectState& state, int level);
} // namespace kes

class TFrmUserLevel : public kes::SettingsDialog {
public:
    TFrmUserLevel(kes::DialogContext& ctx, QWidget* owner);
    ~TFrmUserLevel() override;

    std::array<QLineEdit*, 10> EditPW{};         // EditPW1..EditPW10
    std::array<QComboBox*, 10> ComboBox_level{}; // ComboBox_level1..ComboBox_level10
    QPushButton* BtnOK = nullptr;
    QPushButton* BtnCancel = nullptr;

    void BtnOKClick() { OkBtnClick(); }
    void BtnCancelClick() { CancelBtnClick(); }

protected:
    void LoadFields() override;
    // Nothing is checked: any passwords and levels are taken, duplicates included.
    kes::Check Validate() override { return std::nullopt; }
    void Store() override;
};

namespace kes {
// MmUserLevel: the dialog on the project's slots, modal, deleted afterwards.
void MmUserLevelClick(DialogContext& ctx, QWidget* owner);
} // namespace kes
