#pragma once
// What a value typed into the inspector's in-place editor does to its row, without the
// window: the row takes the value (clamped to its limits) or refuses it.
#include <QString>

class TPropBase;

namespace kes {

enum class CommitResult {
    Applied,     // the row holds the typed value; its text shows it
    Refused,     // not a number the row can take; the row is unchanged
    NotEditable, // the row's class takes no typed text
};

// Number rows (class 2) take a decimal integer, clamped to their limits; number-as-text
// rows (class 9) take a number of their value format that fits their width (then clamped
// to their limits); text rows (class 1) take the text as typed.
CommitResult CommitTypedText(TPropBase& row, const QString& text);

} // namespace kes
