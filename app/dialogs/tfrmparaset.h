#pragma once
// TFrmParaSet: the system parameter register. The word Dn changes the panel's pages and
// Dn+1 drives its backlight, so the register replaces every page-change condition: storing
// it (after a question) deletes them all; clearing it gives the page-change commands back.
#include "app/dialogs/wordrefdialog.h"

class QLabel;
class QLineEdit;

namespace kes {
class TUpDown;
}

class TFrmParaSet : public kes::WordRefDialog {
public:
    TFrmParaSet(kes::DialogContext& ctx, QWidget* owner);
    ~TFrmParaSet() override;

    QLabel* StateRange_Lab = nullptr;
    QLineEdit* EditStateRange = nullptr; // the register's length, shown disabled
    kes::TUpDown* UD_StateRange = nullptr;
    QLabel* Label_Dn = nullptr;
    QLabel* Label_Dn1 = nullptr;

    // Asks first: No closes without a change, Cancel stays; Yes checks and stores.
    void BtnOKClick() override;
    void BtnCancelClick() override;

protected:
    void LoadFields() override;
    kes::Check Validate() override;
    void Store() override;
};
