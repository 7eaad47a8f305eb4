#pragma once
// What the inspector shows for each object kind: whether it shows the object at all, the
// property table its rows come from, the row classes that table must hold and the reader
// and writer of the kind's own rows.
//
// A kind's rows are one entry of the table in inspectorkinds.cpp (one entry per kind in kind
// order): the table name, the row letters and its Read/Write functions (declared in
// kindrows.h, written in a kindrows_*.cpp of their own). A kind without a property table
// (the square meter, the page number) shows its position rows only.
#include "app/inspector/kindrows.h"
#include "objects/objkind.h"

#include <cstdint>
#include <vector>

namespace kes {

struct InspectorKind {
    ObjKind Kind;
    bool Shown;        // false: the inspector shows nothing for the object (the geometry)
    const char* Table; // the kind's property table; null: the five position rows only
    // Row classes of the kind's own rows (from row 5 on), one letter each: T text, V value,
    // C choice of texts, B choice of pictures, F picture file, N font, X text and value,
    // L choice of values.
    const char* Rows;
    void (*Read)(KindRowContext& rows, TLxObj& obj); // null only without a table
    void (*Write)(KindRowContext& rows, TLxObj& obj);
    int TextWidth; // a typed text is cut to this many pixels of the object's font; 0: not cut
};

const InspectorKind& InspectorKindOf(ObjKind kind);
// The entry of obj's kind; null for an object whose ObjType names no kind.
const InspectorKind* InspectorKindOf(const TLxObj& obj);
// The inspector shows obj (its rows may hold an edit in progress).
bool InspectorShows(const TLxObj& obj);
// The row classes (ptText, ...) of a kind's own rows.
std::vector<std::uint8_t> KindRowClasses(ObjKind kind);

} // namespace kes
