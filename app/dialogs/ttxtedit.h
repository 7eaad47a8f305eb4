#pragma once
// TTxtEdit: the settings of a static text (kind 1): its lines, frame, direction, alignment
// and desktop font.
#include "app/dialogs/settingsdialog.h"
#include "platform/gdi.h"

#include <QString>

#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class TStTxt;

class TTxtEdit : public kes::SettingsDialog {
public:
    TTxtEdit(kes::DialogContext& ctx, QWidget* owner, TStTxt& text);
    ~TTxtEdit() override;

    QPlainTextEdit* TxtEdit = nullptr; // the lines
    QLabel* Frame_Lab = nullptr;
    QComboBox* Frame_Box = nullptr;
    QLabel* TxtDir_Lab = nullptr;
    QComboBox* TxtDir_Box = nullptr; // bottom to top, top to bottom, right to left, left to right
    QLabel* TxtHPos_Lab = nullptr;
    QComboBox* TxtHPos_Box = nullptr;
    QLabel* TxtVPos_Lab = nullptr;
    QComboBox* TxtVPos_Box = nullptr;
    QPushButton* FontTypeBtn = nullptr;
    QPushButton* OkBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    // The font dialog, starting from the font the lines are shown in.
    void FontTypeBtnClick();
    // The memo's lines; an empty memo holds none.
    std::vector<std::string> MemoLines() const;

protected:
    void LoadFields() override;
    kes::Check Validate() override { return std::nullopt; }
    void Store() override;

private:
    TStTxt& text_;
    TFont font_;
    std::vector<std::string> loaded_; // the object's lines
    QString loadedText_;              // and the memo text they gave
};

namespace kes {
// Opens the dialog on a static text modally; true when OK stored the settings.
bool RunTxtEdit(DialogContext& ctx, TStTxt& obj, QWidget* owner, const QString& caption);
} // namespace kes
