#pragma once
// TFrmMultiCopy: lays out copies of the current object of the page or of the start-up screen
// in columns and rows with a spacing, each copy stepping the source's device addresses by
// its number when asked.
#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;
class TEditPage;

class TFrmMultiCopy : public QDialog {
public:
    // page: the window whose current object is copied.
    TFrmMultiCopy(QWidget* owner, TEditPage& page, int langIndex);
    ~TFrmMultiCopy() override;

    QCheckBox* ChkboxHdir = nullptr;
    QSpinBox* EditH = nullptr; // with its arrows: the columns, 1..50
    QCheckBox* ChkboxVdir = nullptr;
    QSpinBox* EditV = nullptr; // the rows, 1..50
    QLabel* LblDisH = nullptr;
    QSpinBox* EdtDisH = nullptr; // spacing in panel pixels, 0..50
    QLabel* LblDisV = nullptr;
    QSpinBox* EdtDisV = nullptr;
    QCheckBox* ChkBoxInsAddr = nullptr;
    QGroupBox* RdoGpInsAddr = nullptr; // item 0 along the rows first, 1 down the columns first
    QPushButton* BtnOK = nullptr;
    QPushButton* BtnCancel = nullptr;

    void FormShow();
    void ChkboxHdirClick();
    void ChkboxVdirClick();
    void ChkBoxInsAddrClick();
    void BtnOKClick();
    // The copies BtnOKClick made.
    int Made() const { return made_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    TEditPage& page_;
    int langIndex_;
    int made_ = 0;
    bool shown_ = false;
};
