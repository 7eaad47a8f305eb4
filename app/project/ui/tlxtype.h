#pragma once
// The new-project form: the controller brand and model, the panel model and the project name.
// It lives for the whole run and holds the model lists, the device table and the address
// codec (its core), which the whole program uses through LxType.
#include "app/model/lxtypecore.h"

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kes {
class Prompt;
} // namespace kes

class TLxType : public QDialog, public kes::LxTypeCore {
public:
    // Reads the model and controller lists of the program folder; the project's state is
    // where the choice goes; prompt: what the form asks the user through.
    TLxType(QWidget* owner, kes::Prompt& prompt, kes::ProjectState& state);

    QPushButton* OkBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QLabel* LabTmp = nullptr;
    QComboBox* ComboBox_Template = nullptr;
    QGroupBox* gbPLCSetting = nullptr;
    QLabel* LabFactory = nullptr;
    QComboBox* Factory_Box = nullptr;
    QLabel* PLCType_Lab = nullptr;
    QComboBox* PLCType_Box = nullptr;
    QGroupBox* gbDriverName = nullptr;
    QLabel* LabDriver = nullptr;
    QComboBox* cbDriverName = nullptr;
    QGroupBox* gbMachine = nullptr;
    QLabel* MMIType_Lab = nullptr;
    QComboBox* MMIType_Box = nullptr;
    QGroupBox* gbFileName = nullptr;
    QLabel* FileName_Lab = nullptr;
    QLineEdit* FileName_Txt = nullptr;

    void FormShow();
    void Factory_BoxChange();
    void MMIType_BoxChange();
    // Takes the project name, controller and panel model into the project state, loads the
    // model data and accepts; the caller makes the project's first page.
    void OkBtnClick();
    void CancelBtnClick();

    // Selects the first model with that machine id in the brand and model boxes and returns
    // its flat index; -1 (boxes unchanged) when no model has it.
    int SelectMachineInBoxes(int machineId);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FillModelsOfBrand(int brand);

    kes::Prompt& prompt_;
};
