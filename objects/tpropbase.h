#pragma once
// The rows of the property grid: one object per line of the object inspector. Column 0
// shows Name, column 1 the value; each row class carries what its cell editor offers (a
// number with limits, a list of choices, a picture, a font). The inspector creates the rows
// (through NewPropRow) and fills them; the grid owns them, draws them and asks each one
// for its text and visibility.
//
// Texts are QStrings: captions come in every language whatever the process code page is.
#include "platform/gdi.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <vector>

// Row class codes (PropType). 11 is drawn like a number row but no row of it is made.
enum : std::uint8_t {
    ptParent = 0,
    ptText = 1,
    ptVal = 2,
    ptComboTxt = 3,
    ptComboBmp = 4,
    ptTxtDlg = 5,
    ptBmpDlg = 6,
    ptFontDlg = 7,
    ptDevDlg = 8,
    ptTextVal = 9,
    ptComboVal = 10,
    ptSpinText = 11,
};

class TPropParent;

class TPropBase {
public:
    TPropBase() = default;
    virtual ~TPropBase() = default;
    TPropBase(const TPropBase&) = delete;
    TPropBase& operator=(const TPropBase&) = delete;

    TPropParent* Parent = nullptr; // group the row belongs to; null at the top level
    QString Name;                  // caption, column 0
    QString Text;                  // value text, column 1
    std::int32_t Level = 0;        // indentation of a group's box, 4 pixels per level
    std::uint8_t PropType = 0;
    std::uint8_t Visible = 1;

    virtual QString GetText() const { return Text; }
    virtual void SetText(const QString& text) { Text = text; }
    // A row inside a group takes the group's expanded state first, so it shows exactly
    // while its group is open whatever SetVisible stored.
    virtual bool IsVisible();
    virtual void SetVisible(bool visible) { Visible = visible ? 1 : 0; }
};

// Group row: the plus/minus box opens and closes the rows that follow it.
class TPropParent : public TPropBase {
public:
    std::uint8_t Expanded = 0;

    virtual void SetExpanded(bool expanded) { Expanded = expanded ? 1 : 0; }
};

// Text typed in place (device addresses, state texts).
class TPropText : public TPropBase {
public:
    std::uint8_t Tag = 0;
    // A device address: the value cell has a "..." button that opens the address picker.
    std::uint8_t Picker = 0;

    virtual void SetTextAndTag(const QString& text, std::uint8_t tag)
    {
        Tag = tag;
        SetText(text);
    }
};

// Integer with spin buttons, kept within Min..Max (Max tested first).
class TPropVal : public TPropBase {
public:
    std::int32_t Max = 0;
    std::int32_t Min = 0;
    std::int32_t Value = 0;
    std::uint8_t Up = 1; // the half of the spin pair last pressed: 1 up, 0 down

    virtual std::int32_t GetMax() const { return Max; }
    virtual void SetMax(std::int32_t v) { Max = v; }
    virtual void SetMin(std::int32_t v) { Min = v; }
    // Clamps the stored value to the present limits, stores and returns it.
    virtual std::int32_t GetValue();
    virtual void SetValue(std::int32_t v);
};

// Drop-down list of texts; with MsgBase >= 1 the texts are messages MsgBase .. MsgBase+Count-1.
class TPropComboTxt : public TPropBase {
public:
    QStringList Items;
    std::int32_t ItemIndex = -1;
    std::int32_t MsgBase = 0;
    std::int32_t Count = 0;
};

// Drop-down list of 16 x 16 pictures: from Images when set, else the built-in pictures
// named PicName followed by the 1-based item number.
class TPropComboBmp : public TPropBase {
public:
    std::int32_t PictureCount = 0;
    const std::vector<QImage>* Images = nullptr; // the inspector's, not owned
    std::int32_t ItemIndex = -1;
    QString PicName;
};

// Text lines edited in a dialog.
class TPropTxtDlg : public TPropBase {};

// Picture file chosen with the open-picture dialog.
class TPropBmpDlg : public TPropBase {
public:
    QString FileName;
};

// Font chosen with the font dialog; Font is the shown object's picture font.
class TPropFontDlg : public TPropBase {
public:
    TFont* Font = nullptr;
};

// Row edited through the device address dialog.
class TPropDevDlg : public TPropBase {};

// Number typed as text. Signed holds the value format (1 compares signed); Width 0 checks
// 16 bits, 1 checks 32 bits, any other value takes the number unchecked.
class TPropTextVal : public TPropBase {
public:
    std::int32_t Value = 0;
    std::int32_t Signed = 0;
    std::int32_t Width = 0;
    std::int32_t Max = 0;
    std::int32_t Min = 0;

    virtual std::int32_t GetValue() const { return Value; }
    virtual void SetValue(std::int32_t v);
};

// Drop-down list of the numbers First .. First+Count-1.
class TPropComboVal : public TPropBase {
public:
    QStringList Items;
    std::int32_t First = 0;
    std::int32_t Count = 0;
    std::int32_t ItemIndex = -1;
};

// The row of a class code with the code stored; null for a code outside 0..10.
std::unique_ptr<TPropBase> NewPropRow(std::uint8_t propType);

// Setters the per-kind readers fill rows with.
void SetValRange(TPropVal* row, std::int32_t max, std::int32_t min, std::int32_t value);
void SetComboTxt(TPropComboTxt* row, std::int32_t index, std::int32_t msgBase, std::int32_t count);
void SetComboVal(TPropComboVal* row, std::int32_t index, std::int32_t first, std::int32_t count);
void SetComboBmpIndex(TPropComboBmp* row, std::int32_t index);
void SetTextValRange(TPropTextVal* row, std::int32_t max, std::int32_t min, std::int32_t isSigned, std::int32_t width,
                     std::int32_t value);
// Text "{Name:<name>,Size:<size>}".
void SetFontRow(TPropFontDlg* row, TFont* font);
// Text "[Bitmap]" for a picture without a file name, "[<name>]" for a named picture and
// "[None]" when there is no picture.
void SetBmpFileRow(TPropBmpDlg* row, const QString& name, std::int32_t width, std::int32_t height);
// Items := the decimal texts of First .. First+Count-1.
void FillValList(TPropComboVal* row);
