#pragma once
// TBmpSet: the settings of a multi-state picture (kind 6) and of a lamp (kind 18): the device
// and mode that choose the state, each state's value and picture, for the lamp each state's
// text and the text font, and the order the values are entered in.
#include "app/dialogs/statesdialog.h"

#include <memory>
#include <vector>

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kes {
class PicturePanel;
class TStateBmpObj;
} // namespace kes

class TBmpSet : public kes::StatesDialog {
public:
    TBmpSet(kes::DialogContext& ctx, QWidget* owner, kes::TStateBmpObj& obj);
    ~TBmpSet() override;

    QGroupBox* CompGp = nullptr; // constant or variable values, kept out of sight
    QRadioButton* Const_Rdo = nullptr;
    QRadioButton* Var_Rdo = nullptr;
    QFrame* PanelPic = nullptr;
    QLabel* ImgPic = nullptr;
    QLabel* LabPic = nullptr;
    QPushButton* BmpRdBtn = nullptr;
    QPushButton* BtnBmpClear = nullptr;
    QLabel* Txt_Lab = nullptr;
    QLineEdit* BmpTxt = nullptr; // the selected state's text (lamp)

    void BmpRdBtnClick();
    void BtnBmpClearClick();
    void Const_RdoClick();
    void Var_RdoClick();

    const std::vector<TBitmap>& StatePictures() const { return pictures_; }
    QString PanelCaption() const;

protected:
    void LoadFields() override;
    kes::Check Validate() override;
    void Store() override;

    void ShowSelectedExtras() override;
    void ResizeExtras() override;
    void ReverseExtras() override;
    bool HasTexts() const override { return lamp_; }
    QString TextHeading() const override;
    QString NewStateValue() const override { return {}; }
    QString ModeAddress(Mode mode) const override;
    bool VariableCounts() const override;
    void ModeSwitched() override;

private:
    // The selected state's picture, or null (after message 64) when there is none to change.
    TBitmap* PictureToChange();

    kes::TStateBmpObj& obj_;
    bool lamp_;
    std::unique_ptr<kes::PicturePanel> picture_;
    std::vector<TBitmap> pictures_;
};

namespace kes {
// Opens the dialog on a multi-state picture or lamp modally; true when OK stored the settings.
bool RunBmpSet(DialogContext& ctx, TStateBmpObj& obj, QWidget* owner, const QString& caption);
} // namespace kes
