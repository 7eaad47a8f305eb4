#pragma once
// Shared by the dialogs of objects whose state a controller value chooses (picture states,
// value-range pictures, message texts, buttons): how state values compare, the state count's
// up-down, the arrow keys that step through the states, and the state table.
#include "objects/objkind.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <utility>
#include <vector>

class QComboBox;
class QWidget;

namespace kes {

struct DialogContext;

// a above b as the state values of a format and length compare: as signed 16- or 32-bit
// numbers for signed decimal, as unsigned 32-bit numbers otherwise.
bool StateValueAbove(std::uint32_t a, std::uint32_t b, int type, int len);

// The range test of a state value (ValRangeTest with a type or length of no choice as its
// first item): a state whose value was never typed has an empty text, which counts as 0, as
// it is stored.
bool StateValueInRange(const QString& text, int type, int len);

// The state value texts as stored values (an empty text is 0).
std::vector<std::uint32_t> StateValuesOf(const QStringList& texts, int type);

// An up-down position stepped one past an end of lo..hi wraps round to the other end.
int WrapPosition(int pos, int lo, int hi);

// box refilled with the state numbers 0 .. count - 1, nothing selected.
void FillStateBox(QComboBox* box, int count);
// The Up and Down arrows select the previous and the next state of box, where there is one;
// true when key is one of them.
bool StepState(QComboBox* box, int key);

// Entry i exchanged with entry count - 1 - i for each i below count / 2.
template <class List> void ReverseStates(List& list, int count)
{
    for (int i = 0; i < count / 2; ++i)
        std::swap(list[i], list[count - 1 - i]);
}

// What the state table shows: a heading row, then one row per state with its label, its
// value (when there are values) and its text (when there are texts).
struct StateTable {
    ObjKind Kind = ObjKind::LxBtn; // its tool button's hint heads the caption; its columns
    int Count = 0;
    QStringList* Values = nullptr;
    QStringList* Texts = nullptr;
    QString ValueHeading;
    QString TextHeading;
    int ValType = 0;
    int ValLen = 0;
    bool SmallToLarge = false; // the values rise from state to state
    int TextWidth = 0;         // width of the text column; 0 leaves the table's own
};
// Shows the table modally; when it reports OK the value and text columns go back into the
// lists and it returns true.
bool RunStateTable(DialogContext& ctx, QWidget* owner, const StateTable& t);

} // namespace kes
