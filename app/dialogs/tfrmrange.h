#pragma once
// TFrmRange: the upper and lower limit and the section of states that the state table
// fills with evenly spaced values.
#include <QDialog>

#include <cstdint>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kes {
class Prompt;
} // namespace kes

class TFrmRange : public QDialog {
public:
    // stateCount: the states of the table that opened it.
    TFrmRange(QWidget* owner, kes::Prompt& prompt, int langIndex, int stateCount);

    QGroupBox* GroupBox1 = nullptr;
    QLabel* Label1 = nullptr; // upper limit
    QLineEdit* EditUp = nullptr;
    QLabel* Label2 = nullptr; // lower limit
    QLineEdit* EditDown = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QComboBox* State_BoxFrom = nullptr;
    QLabel* Label5 = nullptr; // "~"
    QComboBox* State_BoxTo = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QPushButton* Button1 = nullptr; // set

    std::int32_t Upper = 0;
    std::int32_t Lower = 0;
    std::int32_t ValType = 0;
    std::int32_t ValLen = 0;
    std::uint8_t Accepted = 0;

    void FormShow();
    void Button1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    kes::Prompt& prompt_;
    int langIndex_;
    int stateCount_;
    bool shown_ = false;
};
