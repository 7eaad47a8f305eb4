#pragma once
// The auto-save settings: whether a working copy of the open project is written under
// DocFiles, and when (before every compile only, or also every so many minutes).
#include <QDialog>

#include <cstdint>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace kes {
class ProjectState;
class Prompt;
// The interval the dialog accepts, in minutes.
constexpr int kMinSaveInterval = 1;
constexpr int kMaxSaveInterval = 200;
} // namespace kes

class TFrmAutoSaveSet : public QDialog {
public:
    // prompt: what the form asks the user through.
    TFrmAutoSaveSet(QWidget* owner, kes::Prompt& prompt, kes::ProjectState& state);

    QCheckBox* ChkBox_Save = nullptr;
    QGroupBox* Rg_Set = nullptr; // item 0 before compiling, item 1 at a time interval
    QLineEdit* EdtTime = nullptr;
    QWidget* CSpinBtn = nullptr; // the up and down buttons; the counter is its "Tag"
    QToolButton* SpinUp = nullptr;
    QToolButton* SpinDown = nullptr;
    QLabel* EdtMin = nullptr;
    QPushButton* BtnOK = nullptr;
    QPushButton* BtnCancel = nullptr;

    void FormShow();
    void ChkBox_SaveClick();
    void Rg_SetClick();
    void CSpinBtnUpClick();
    void CSpinBtnDownClick();
    // Stores both settings only when the interval is a number of 1 to 200 minutes.
    void BtnOKClick();

    int RgIndex() const;
    void SetRgIndex(int index);

protected:
    void showEvent(QShowEvent* event) override;

private:
    kes::Prompt& prompt_;
    kes::ProjectState& state_;
    bool shown_ = false;
};
