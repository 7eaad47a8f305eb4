#pragma once
// BtnActionPanel: what a button or a function key does when pressed, as the button dialog and
// the function key dialog both show it: the button type, the write address with an optional
// read-back, the notify address, the value format and the one group of the type's own fields
// (multi-state step and kind, input value digits and limits, constant, step and bound, target
// page). The panel lays the controls out and shows and enables what each type uses; loading,
// the handlers and storing are the dialogs' own (a button and a key record differ there).
//
// The controls keep their component names and sit below the dialog, so their captions are
// found under the dialog's form name (BtnSet.DevWR_Gp.Caption, FunKeySet.DevWR_Gp.Caption).
#include "app/dialogs/addressfield.h"
#include "objects/btntype.h"

#include <QWidget>

#include <initializer_list>
#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kes {

struct DialogContext;

class BtnActionPanel : public QWidget {
public:
    BtnActionPanel(DialogContext& ctx, QWidget* parent);
    ~BtnActionPanel() override;

    QLabel* BtnType_Lab = nullptr;
    QComboBox* BtnType_Box = nullptr; // items in type code order
    QGroupBox* DevWR_Gp = nullptr;
    QLabel* DevWrit_Lab = nullptr;
    QLineEdit* DevWritTxt = nullptr;
    QPushButton* RefWBtn = nullptr;
    QCheckBox* DevRd_Chk = nullptr;
    QLineEdit* DevReadTxt = nullptr;
    QPushButton* RefRBtn = nullptr;
    QGroupBox* CallGp = nullptr;
    QCheckBox* Call_Chk = nullptr;
    QLineEdit* CallTxt = nullptr;
    QPushButton* Call_Btn = nullptr;
    QGroupBox* CallOrderGp = nullptr; // before the write, after it
    QGroupBox* CallStateGp = nullptr; // "Reset", "Set"
    QLabel* ValType_Lab = nullptr;
    QComboBox* ValType_Box = nullptr; // the four formats, then floating point (kFloatItem)
    QLabel* ValLen_Lab = nullptr;
    QComboBox* ValLen_Box = nullptr;
    // The row of the value format; a dialog may add rows of its own below it.
    QGridLayout* ValueRows = nullptr;
    // The type groups, one shown at a time.
    QGroupBox* ComplexGp = nullptr;
    QGroupBox* StateToGp = nullptr; // next state, previous state
    QRadioButton* Bit_Rdo = nullptr;
    QRadioButton* Val_Rdo = nullptr;
    QRadioButton* Lsb_Rdo = nullptr;
    QGroupBox* ValInGp = nullptr;
    QLabel* Int_Lab = nullptr;
    QComboBox* Int_Box = nullptr; // 1..10 integer digits
    QLabel* Dec_Lab = nullptr;
    QComboBox* Dec_Box = nullptr; // 0..5 decimal digits
    QLabel* Max_Lab = nullptr;
    QLineEdit* Max_Txt = nullptr;
    QLabel* Min_Lab = nullptr;
    QLineEdit* Min_Txt = nullptr;
    QGroupBox* NormalGp = nullptr;
    QLineEdit* Normal_Txt = nullptr;
    QGroupBox* AddGp = nullptr;
    QLabel* AddVal_Lab = nullptr;
    QLineEdit* AddVal_Txt = nullptr;
    QLabel* Bound_Lab = nullptr;
    QLineEdit* Bound_Txt = nullptr;
    QGroupBox* PgChgGp = nullptr;
    QComboBox* PgChg_Box = nullptr;

    // The write, read-back and notify addresses with their companions.
    std::unique_ptr<AddressField> Write;
    std::unique_ptr<AddressField> Read;
    std::unique_ptr<AddressField> Notify;

    // The chosen type; None while no item is chosen.
    BtnType Type() const;

    // The dialog's state count controls, which only a multi-state type uses.
    void SetStateCountControls(std::initializer_list<QWidget*> controls);

    // Shows the group of type t and enables what it uses: the value format for the value
    // types, the state count for a multi-state type, no read-back for a constant, and no
    // device or notify address for the types that act on the panel.
    void ShowTypeLayout(BtnType t);

    // After the value format changed: a digits-only format (hexadecimal, BCD) of an input value
    // has no decimals, and a floating value is 32 bits long. True when the length changed.
    bool FitValueType();

    // The input limits, the step and the bound of the chosen format at a length (1: 32 bits):
    // the format's whole range, a step of 1, and the bound an increment or decrement stops at.
    void RefillLimits(int len);

private:
    QWidget* BuildTypeArea();

    std::vector<QWidget*> stateCount_;
};

} // namespace kes
