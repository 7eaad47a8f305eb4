#pragma once
// TPgJump: the page-change conditions of the active page or of the system (EditScope). Each
// condition watches a bit (ON or OFF) or a value (compared with a constant) and names the
// page to change to. The dialog edits its own copy of the list; closing it, by its button or
// any other way, writes the copy back in line order.
#include "app/dialogs/addressfield.h"
#include "app/dialogs/settingsdialog.h"
#include "decoder/pgsetrec.h"

#include <memory>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

class TPgJump : public kes::SettingsDialog {
public:
    TPgJump(kes::DialogContext& ctx, QWidget* owner);
    ~TPgJump() override;

    QLabel* DevRef_Lab = nullptr;
    QLineEdit* DevRefTxt = nullptr;
    QPushButton* RefBtn = nullptr;
    QRadioButton* Bit_Rdo = nullptr;
    QRadioButton* Val_Rdo = nullptr;
    QRadioButton* Lsb_Rdo = nullptr; // never shown: conditions are on bits or values
    QLabel* PgChg_Lab = nullptr;
    QComboBox* PgChg_Box = nullptr;
    QGroupBox* DevCondGp = nullptr; // item 0 device OFF, item 1 device ON
    QGroupBox* ValCondGp = nullptr;
    QLabel* ValLen_Lab = nullptr;
    QComboBox* ValLen_Box = nullptr;
    QLabel* ValType_Lab = nullptr;
    QComboBox* ValType_Box = nullptr;
    QLabel* Cmp_Lab = nullptr;
    QComboBox* Cmp_Box = nullptr;
    QLabel* Comp_Lab = nullptr;
    QLineEdit* Comp_Txt = nullptr;
    QListWidget* PgChgList = nullptr;
    QPushButton* AddInBtn = nullptr;
    QPushButton* UpdateBtn = nullptr;
    QPushButton* DelBtn = nullptr;
    QPushButton* DelAllBtn = nullptr;
    QPushButton* CloseBtn = nullptr;

    void PgChgListClick();
    void AddInBtnClick();
    void UpdateBtnClick();
    void DelBtnClick();
    void DelAllBtnClick();
    // Writes the working list back and closes.
    void CloseBtnClick();
    void Bit_RdoClick();
    void Val_RdoClick();
    void RefBtnClick();

    // Sets line of PgChgList to the text of rec.
    void PgJmpLineText(const PgJmpRec& rec, int line);
    // Appends a new default condition to the working list while it holds fewer than 20 and
    // makes it current; false when the list is full.
    bool MakePgJmpRec();

    const std::vector<PgJmpRec>& Working() const { return work_; }
    int Current() const { return cur_; }

    // Esc and the title bar close as the close button does.
    void reject() override { CloseBtnClick(); }

protected:
    void LoadFields() override;
    kes::Check Validate() override;
    void Store() override;

private:
    // The list the scope edits: the system's or the active page's (null without a page).
    std::vector<PgJmpRec>* Edited() const;
    std::uint8_t Kind() const;
    std::uint8_t Len() const;
    int Type() const;
    void ShowKindAddress();

    std::unique_ptr<kes::AddressField> ref_;
    std::vector<PgJmpRec> work_;
    std::size_t original_ = 0; // conditions of the edited list when the dialog opened
    int cur_ = -1;
    bool closing_ = false;
};
