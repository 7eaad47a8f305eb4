#pragma once
// Fields the button, function key and numeric input dialogs share: the checks of an input
// value's digit counts and limits, of a button type's addresses and values, the four-character
// password, and the function key bound to the object.
#include "app/dialogs/settingsdialog.h"
#include "objects/btntype.h"
#include "objects/valformat.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <string>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace kes {

class AddressField;
class PageData;
struct DialogContext;

// A value type box lists the number formats by their codes, then "Floating"; floating numbers
// are typed as whole signed 32-bit ones.
constexpr int kFloatItem = kNumberFormatCount;
// The stored format of a type box's item (a number format's item is its code).
inline std::uint8_t FormatOfItem(int item)
{
    return item == kFloatItem ? FormatCode(ValFormat::Float) : static_cast<std::uint8_t>(item);
}
// The type box's item that shows a stored format; -1 (no item) for a format it does not list.
inline int FormatItem(int code)
{
    return IsFormat(code, ValFormat::Float) ? kFloatItem : (IsNumberFormat(code) ? code : -1);
}
// The format a value field of the type box's item is checked and converted in.
inline int FieldFormat(int item)
{
    return item == kFloatItem ? FormatCode(ValFormat::Signed) : (item < 0 ? FormatCode(ValFormat::Unsigned) : item);
}
// A value field's text, trimmed, in the ANSI code page.
std::string FieldText(const QLineEdit* edit);

// The addresses of a button type, in their order: the write address there (9), of the
// access kind (8) and long enough (104), the read address when read is ticked (6, 104), the
// notify bit when notify is ticked (7). The change page and password types have none.
Check CheckTypeAddresses(BtnType type, std::uint8_t kind, std::uint8_t len, const AddressField& write,
                         const AddressField* read, const AddressField* notify);
// The value fields of a button type and their checks: an input value's digits and limits
// (CheckValueEntry), a constant (10), a step (11) and its bound (12), a target page (13).
struct TypeValueFields {
    QComboBox* Int = nullptr;
    QComboBox* Dec = nullptr;
    QLineEdit* Max = nullptr;
    QLineEdit* Min = nullptr;
    QLineEdit* Constant = nullptr;
    QLineEdit* Step = nullptr;
    QLineEdit* Bound = nullptr;
    QComboBox* Page = nullptr;
};
Check CheckTypeValues(BtnType type, int item, bool is32, const TypeValueFields& f);

// The checks of an input value, in their order, with their messages: digit counts (87), both
// limits there and whole numbers of the format (65), the maximum not below the minimum (2),
// each limit within the digits (0, 1). item: the format 0..3, or floatItem for a floating
// value, whose limits are whole signed 32-bit raw numbers.
Check CheckValueEntry(int item, int floatItem, bool is32, int intDigits, int decDigits, const std::string& max,
                      const std::string& min);

// The password of an object: empty or four letters and digits (upper-cased in the field);
// otherwise message 79 and the field is emptied.
Check CheckPassword(QLineEdit* field);
// Four characters, or four bytes 0xFF for none.
std::array<std::uint8_t, 4> PasswordBytes(const QString& text);
QString PasswordText(const std::array<std::uint8_t, 4>& bytes);

// The keys an object may be bound to: F0..F9, Up, Down, Left, Right (0..13).
QStringList KeyItems();
constexpr int kKeyUp = 10;
constexpr int kKeyDown = 11;
// The message that refuses binding key to an object now bound to ownKey (-1 none): 122 for Up
// or Down while they are not redefined, 14 for a key a page function key or another object of
// the page holds; 0 when the key may be bound.
int KeyRefusal(const DialogContext& ctx, int key, int ownKey);
// The tick and the box showing key (-1: none, unticked).
void ShowKey(QCheckBox* tick, QComboBox* box, int key);
// The page's flags move from oldKey to newKey (either -1 for none); the key to store, 255
// for none.
std::uint8_t BindKey(PageData* page, int oldKey, int newKey);

} // namespace kes
