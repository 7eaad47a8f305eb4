#pragma once
// Fields the button and the numeric input dialogs share: the checks of an input value's digit
// counts and limits, the four-character password, and the function key bound to the object.
#include "app/dialogs/settingsdialog.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <string>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace kes {

class PageData;
struct DialogContext;

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
