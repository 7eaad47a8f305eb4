#pragma once
// TBtnSet: the settings of a button object (kind 13): its type, the write address with an
// optional read-back and notify address, the value format of the value types, the states
// with one text and one picture each, the function key that also operates it, its frame,
// font and user level. The dialog works on its own copy of all of these; the button
// changes only when OK has checked every field.
#include "app/dialogs/btnactionpanel.h"
#include "app/dialogs/picturepanel.h"
#include "app/dialogs/settingsdialog.h"
#include "objects/btntype.h"
#include "platform/gdi.h"

#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TLxBtn;

namespace kes {
class TUpDown;
}

class TBtnSet : public kes::SettingsDialog {
public:
    TBtnSet(kes::DialogContext& ctx, QWidget* owner, TLxBtn& btn);
    ~TBtnSet() override;

    // ---- Components
    // Type, addresses, value format and the type's own fields.
    kes::BtnActionPanel* Action = nullptr;
    // States, texts and pictures.
    QLabel* StaNum_Lab = nullptr;
    QLineEdit* StaNum_Txt = nullptr;
    kes::TUpDown* StaNum_UD = nullptr;
    QLabel* State_Lab = nullptr;
    QComboBox* State_Box = nullptr;
    QLabel* BtnTxt_Lab = nullptr;
    QLineEdit* Btn_Txt = nullptr;
    QFrame* PanelPic = nullptr;
    QLabel* ImgPic = nullptr;
    QLabel* LabPic = nullptr;
    QPushButton* BmpRdBtn = nullptr;
    QPushButton* BtnBmpClear = nullptr;
    // Key, level, frame, font, password.
    QCheckBox* RefKey_Chk = nullptr;
    QComboBox* RefKey_Box = nullptr;
    QLabel* UserLevel_Lab = nullptr;
    QComboBox* ComboBox_UserLevel = nullptr;
    QLabel* Font_Lab = nullptr;
    QComboBox* Font_Box = nullptr;
    QLabel* SurFace_Lab = nullptr;
    QComboBox* BtnSurFace_Box = nullptr;
    QLabel* PassLab = nullptr;
    QLineEdit* PassTxt = nullptr;
    QPushButton* OkBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    // ---- Handlers
    void BtnType_BoxChange();
    void RefWBtnClick();
    void RefRBtnClick();
    void Call_BtnClick();
    void DevRd_ChkClick();
    void Call_ChkClick();
    void Bit_RdoClick();
    void Val_RdoClick();
    void Lsb_RdoClick();
    void ValType_BoxChange();
    void ValLen_BoxChange();
    void StaNum_TxtKeyUp();
    void StaNum_UDClick(bool up);
    void State_BoxChange();
    // A key typed into Btn_Txt (Qt key code); arrows move between states.
    void Btn_TxtKeyUp(int key);
    void Btn_TxtMouseUp();
    void Btn_TxtClick();
    void BmpRdBtnClick();
    void BtnBmpClearClick();
    void RefKey_ChkClick();
    void RefKey_BoxChange();

    // ---- Helpers
    void FitTypeControls();
    void SyncStateLists();
    void ApplyStateCount();
    void ShowStatePicture();

    // ---- The dialog's own copy of the states
    int StateCount() const { return count_; }
    const std::vector<TBitmap>& StatePictures() const { return pics_; }
    const QStringList& StateTexts() const { return texts_; }
    // What the picture panel shows when there is no picture.
    QString PanelCaption() const;

protected:
    void LoadFields() override;
    kes::Check Validate() override;
    void Store() override;

private:
    void BuildForm();
    // The button-action panel, over room it may grow into.
    QWidget* BuildLeftColumn();
    QWidget* BuildRightColumn();
    void ConnectHandlers();
    // The access kind the write and read addresses take for the chosen type and radio.
    std::uint8_t AccessKind() const;
    std::uint8_t LengthIndex() const;
    // Picker wanted kind for the write and read fields (0 leaves the picker's default).
    kes::DevWant PickKind() const;
    // The value type and length the button holds, shown (disabled) for a type that uses none:
    // the same as when the dialog opens.
    void ShowHeldValueBoxes();
    void SetValueBoxesFirst();
    void SetStateCountText(int n);
    void FillPageBox();
    void RewriteWriteText();
    void RewriteForLength();
    void SetMultiStateAddress(bool word);
    void PutKeyBack();
    int SelectedState() const;
    void StoreStateText();
    kes::Check ValidateAddresses();
    kes::Check ValidateValues();
    void StoreType();
    void StoreKey();
    void StoreStates();
    void StoreFrame();

    TLxBtn& btn_;
    std::unique_ptr<kes::PicturePanel> picture_;
    int count_ = 1;
    std::vector<TBitmap> pics_;
    QStringList texts_;
};

namespace kes {
// Opens the dialog on a button modally; true when OK stored the settings.
bool RunBtnSet(DialogContext& ctx, TLxBtn& btn, QWidget* owner, const QString& caption);
} // namespace kes
