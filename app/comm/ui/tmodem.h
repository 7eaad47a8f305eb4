#pragma once
// The modem dialler window: the number to call, how many attempts and how long each may take,
// and the dialler's progress. It only shows and starts; the dialler itself belongs to the
// main window's link and outlives the window, so a hang-up begun by Cancel still ends.
#include <QDialog>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace kes {
class ModemDialer;
class Prompt;
enum class ModemEnd;
} // namespace kes

class TModem : public QDialog {
public:
    // prompt: what the form asks the user through.
    TModem(QWidget* owner, kes::Prompt& prompt, kes::ModemDialer& dialer, int langIndex);
    ~TModem() override;

    void FormShow();
    void DialBtnClick();
    void StopClick();
    void CancelBtnClick();
    void FormClose();
    // The labels and buttons for the dialler's present state.
    void ShowState();

    QLineEdit* OutLine_Txt;
    QLineEdit* Tel_Txt;
    QLineEdit* Ext_Txt;
    QLineEdit* ReDial_Txt;
    QLineEdit* DialTime_Edit;
    QLabel* OutLine_Lab;
    QLabel* Tel_Lab;
    QLabel* Ext_Lab;
    QLabel* Msg_Lab;
    QLabel* DialCount_Lab;
    QLabel* DialTime_Lab;
    QLabel* RedTime_Lab;
    QLabel* Unit_Lab;
    QLabel* Label2; // the dialler's step (hidden)
    QLabel* Label3; // the modem's words (hidden)
    QPushButton* DialBtn;
    QPushButton* Stop;
    QPushButton* CancelBtn;
    QProgressBar* Animate;

protected:
    void showEvent(QShowEvent* e) override;
    void done(int r) override;

private:
    void Ended(kes::ModemEnd why);

    kes::Prompt& prompt_;
    kes::ModemDialer& dialer_;
    int langIndex_;
};
