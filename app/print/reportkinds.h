#pragma once
// What the reports take of each kind of panel object: the device reference its property
// listing prints (with the bit or word form and value length to format it, and the state count
// of the multi-state pictures), the text lines it lists, whether the cross-reference
// table lists it and the references that table shows as read, written and called. One entry per
// kind (reportkinds.cpp).
#include "objects/objkind.h"

#include <cstdint>
#include <string>
#include <vector>

struct TLxDevRef;

namespace kes {

// A device reference with how its address is formatted: mode 0 bit, 1 word, 2 either;
// access the value length (0 16 bits, 1 32 bits).
struct KindRef {
    const TLxDevRef* Ref = nullptr; // null: no reference in that place
    std::uint8_t Mode = 1;
    std::uint8_t Access = 0;
};

// The reference a listing prints, and the state count line it adds (-1: none).
struct ListedRef {
    KindRef Ref;
    int States = -1;
};

// The references of the read, write and call columns.
struct TableRefs {
    KindRef Read, Write, Call;
};

struct ReportKind {
    ObjKind Kind;
    // The text lines the listing prints; null: none.
    const std::vector<std::string>* (*Texts)(const TLxObj& obj);
    ListedRef (*Listed)(const TLxObj& obj); // null: the heading alone
    TableRefs (*Table)(const TLxObj& obj);  // null: no address columns
    bool InTable = true;                    // the cross-reference table gives it a row
};

// The entry of obj's kind; null for an object whose ObjType names no kind.
const ReportKind* ReportKindOf(const TLxObj& obj);

} // namespace kes
