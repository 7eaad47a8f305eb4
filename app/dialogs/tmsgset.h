#pragma once
// TMsgSet: the settings of a message text (kind 12): the device and mode that choose the
// state, each state's value and message, the order the values are entered in, how the message
// shows (still, flashing, running with a direction and interval) and its font.
#include "app/dialogs/statesdialog.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class TMsgTxt;

class TMsgSet : public kes::StatesDialog {
public:
    TMsgSet(kes::DialogContext& ctx, QWidget* owner, TMsgTxt& msg);
    ~TMsgSet() override;

    QGroupBox* GroupBox2 = nullptr;
    QLabel* Msg_Lab = nullptr;
    QLineEdit* Msg_Txt = nullptr; // the selected state's message
    QGroupBox* GroupBox3 = nullptr;
    QRadioButton* Static_Rdo = nullptr;
    QRadioButton* Shine_Rdo = nullptr;
    QRadioButton* RunLight_Rdo = nullptr;
    QLabel* Dir_Lab = nullptr;
    QComboBox* Dir_Box = nullptr; // bottom to top, top to bottom, right to left, left to right
    QLabel* Int_Lab = nullptr;
    QComboBox* Int_Box = nullptr; // 500 .. 2500 ms

    void Static_RdoClick() { ShowRunControls(false); }
    void Shine_RdoClick() { ShowRunControls(false); }
    void RunLight_RdoClick() { ShowRunControls(true); }

protected:
    void LoadFields() override;
    kes::Check Validate() override;
    void Store() override;

    void ShowSelectedExtras() override;
    bool HasTexts() const override { return true; }
    QString TextHeading() const override;
    QString NewStateValue() const override { return QStringLiteral("0"); }

private:
    void ShowRunControls(bool on);
    std::uint8_t DisplayByte() const;
    // The message padded with blanks to the object's width, as the panel shows it.
    std::string Padded(const QString& text) const;

    TMsgTxt& msg_;
};

namespace kes {
// Opens the dialog on a message text modally; true when OK stored the settings.
bool RunMsgSet(DialogContext& ctx, TMsgTxt& obj, QWidget* owner, const QString& caption);
} // namespace kes
