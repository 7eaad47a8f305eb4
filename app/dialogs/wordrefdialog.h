#pragma once
// The frame of the dialogs that edit one controller word of the project: the word's address
// with its picker, OK, Clear (switches the setting off) and Close (leaves it as it was).
#include "app/dialogs/addressfield.h"
#include "app/dialogs/settingsdialog.h"

#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
struct DevRefHead;

namespace kes {

class WordRefDialog : public SettingsDialog {
public:
    WordRefDialog(DialogContext& ctx, QWidget* owner, const char* formName, const QString& title, const QString& label);

    QLabel* DevRef_Lab = nullptr;
    QLineEdit* DevRefTxt = nullptr;
    QPushButton* RefBtn = nullptr;
    QPushButton* BtnOK = nullptr;
    QPushButton* BtnCancel = nullptr;
    QPushButton* BtnClose = nullptr;

    virtual void BtnOKClick() { OkBtnClick(); }
    // Switches the setting off and closes.
    virtual void BtnCancelClick() = 0;
    void BtnCloseClick() { QDialog::reject(); }
    void RefBtnClick() { ref_->Pick(this, kes::DevWant::Word, 0); }

protected:
    // Rows of the dialog's own between the address and the buttons.
    QVBoxLayout* Rows() const { return rows_; }
    // The reference's word with its companions, or the model's default word when it has none.
    void ShowWord(const DevRefHead& ref);

    std::unique_ptr<AddressField> ref_;

private:
    QVBoxLayout* rows_ = nullptr;
};

} // namespace kes
