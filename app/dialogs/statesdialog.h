#pragma once
// The part the picture state and message text dialogs share: their object shows one of its
// states, chosen by a controller bit (two states), a word's value (up to 255 states, each
// with the lowest value that selects it) or the low byte of a word (16 states). The dialog
// keeps its own lists of the states' values and texts, in the order the user enters the
// values (largest or smallest first); the object holds them largest first.
#include "app/dialogs/addressfield.h"
#include "app/dialogs/settingsdialog.h"
#include "platform/gdi.h"

#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;
struct TLxDevRef;

namespace kes {

class TUpDown;

class StatesDialog : public SettingsDialog {
public:
    enum Mode { kBitMode, kValueMode, kLsbMode };

    QGroupBox* GroupBox1 = nullptr;
    QLineEdit* DevRefTxt = nullptr;
    QPushButton* RefBtn = nullptr;
    QRadioButton* Bit_Rdo = nullptr;
    QRadioButton* Val_Rdo = nullptr;
    QRadioButton* Lsb_Rdo = nullptr; // shown only for an object that uses a word's low byte
    QLabel* ValType_Lab = nullptr;
    QComboBox* ValType_Box = nullptr;
    QLabel* ValLen_Lab = nullptr;
    QComboBox* ValLen_Box = nullptr;
    QLabel* RgNum_Lab = nullptr;
    QLineEdit* RgNum_Txt = nullptr;
    TUpDown* RgNum_UD = nullptr;
    QLabel* State_Lab = nullptr;
    QComboBox* State_Box = nullptr;
    QLabel* Comp_Lab = nullptr;
    QLineEdit* Comp_Txt = nullptr;     // the selected state's value
    QGroupBox* Rg_ValSetWay = nullptr; // large to small, small to large
    QPushButton* FontTypeBtn = nullptr;
    QPushButton* OkBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    // ---- Handlers
    void RefBtnClick();
    // A mode chosen again changes nothing.
    void Bit_RdoClick() { ChooseMode(kBitMode); }
    void Val_RdoClick() { ChooseMode(kValueMode); }
    void Lsb_RdoClick() { ChooseMode(kLsbMode); }
    void RgNum_TxtKeyUp();
    void RgNum_UDClick();
    // Also the type box's change: shows the selected state.
    void State_BoxChange();
    // Qt key code; the arrows step through the states, any other key stores the value.
    void Comp_TxtKeyUp(int key);
    // A double click on the value or the text: the state table.
    void Comp_TxtClick();
    void Rg_ValSetWayClick();
    void ValLen_BoxChange();
    void FontTypeBtnClick();

    // ---- The dialog's own state
    int StateCount() const { return count_; }
    const QStringList& StateValues() const { return values_; }
    const QStringList& StateTexts() const { return texts_; }

protected:
    StatesDialog(DialogContext& ctx, QWidget* owner, const char* formName, ObjKind kind, TLxDevRef& ref);

    // Builds the shared controls (the caller lays them out) and connects their handlers.
    void BuildStateControls();
    // The dialog laid out: on the left the shared controls (and leftExtra below them, when
    // given), on the right the dialog's own column, OK and Cancel under both.
    void LayOut(QWidget* leftExtra, QLayout* right);
    // A text edit of the states (the lamp's or message's): its keys and mouse store the text
    // of the selected state, noStateMsg when there is none.
    void WatchTextEdit(QLineEdit* edit, int noStateMsg);

    // What differs between the two dialogs.
    virtual void ShowSelectedExtras() = 0; // text and picture of the selected state
    virtual void ResizeExtras() {}         // the lists beside values and texts
    virtual void ReverseExtras() {}
    virtual bool HasTexts() const = 0;
    virtual QString TextHeading() const = 0;
    virtual QString NewStateValue() const = 0; // what a new state's value text is
    // The address text a switch to mode shows.
    virtual QString ModeAddress(Mode mode) const;
    // Variable bounds count from 1 to 40 on the up-down (the picture state dialog's).
    virtual bool VariableCounts() const { return false; }
    // After a mode switch has set the shared controls.
    virtual void ModeSwitched() {}

    // Loading: the mode of a stored kind-and-length byte, the stored type and length, the
    // count, and each state's value and text in stored (largest first) order.
    void LoadStates(std::uint8_t kind, std::uint8_t type, std::uint8_t len, int count, std::uint8_t order,
                    const std::vector<std::uint32_t>& values, const std::vector<std::string>& texts);

    int Type() const;
    std::uint8_t Len() const;
    int Selected() const;
    // Entry j of the dialog's lists for stored state i: the lists run the other way round
    // when the values are entered smallest first.
    int EntryOf(int i) const { return valSetWay_ == 1 ? count_ - 1 - i : i; }
    // The values converted, largest first.
    std::vector<std::uint32_t> ValuesLargeToSmall() const;
    // The first state whose value fails the range test: message 88, its number, message 5.
    Check CheckStateRanges() const;
    // The address in the chosen mode: no address of that mode, message 53; a value address
    // longer than the length chosen, message 104.
    Check CheckModeAddress() const;
    // The kind-and-length byte for the object.
    std::uint8_t KindByte() const;
    void SetCount(int n);
    void SetOrder(int way);

    ObjKind kind_;
    TLxDevRef& refObj_;
    std::unique_ptr<AddressField> ref_;
    Mode mode_ = kBitMode;
    int count_ = 0;
    QStringList values_;
    QStringList texts_;
    int valSetWay_ = 0;
    TFont font_;

private:
    void ChooseMode(Mode mode)
    {
        if (mode != mode_)
            SwitchMode(mode);
    }
    void SwitchMode(Mode mode);
    void ResizeStates();
    void StoreText(QLineEdit* edit, int key, int noStateMsg);
};

} // namespace kes
