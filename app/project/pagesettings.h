#pragma once
// Project-wide changes of the page settings: the stored pages' record streams are rewritten
// record by record, the active page's live records and objects changed in place.
//
// A stored page is a stream of records, each u16 tag | u16 length (the 4 header bytes
// included) | body. A walk stops at a record whose length is below 4 or runs past the end
// of the page; what follows such a record is kept as it is.
#include "platform/bytes.h"

#include <cstddef>
#include <cstdint>
#include <functional>

namespace kes {

class PageData;
class ProjectDoc;

// Calls visit(tag, record) for each whole record of data in order; returns the offset where
// the walk ended (data.size() when every record was whole).
std::size_t WalkPageRecords(ByteSpan data, const std::function<void(std::uint16_t tag, ByteSpan rec)>& visit);

// A copy of data in which keep(tag, record) decides for each whole record whether it stays
// and change(tag, record) may edit a kept one; the bytes after the last whole record stay.
Bytes RewritePageRecords(ByteSpan data, const std::function<bool(std::uint16_t tag, ByteSpan rec)>& keep,
                         const std::function<void(std::uint16_t tag, std::span<std::uint8_t> rec)>& change);

// Deletes every page-change condition: the system's, the active page's (may be null) and the
// records of every stored page.
void ClearAllPgJumps(ProjectDoc& doc, PageData* active);

// The Up and Down keys become function keys: no page may be hidden any more.
void RedefineUpDownOn(ProjectDoc& doc, PageData* active);
// The Up and Down keys go back to moving: their function keys, system and per page, are
// freed, and every button and numeric input bound to them loses its key.
void RedefineUpDownOff(ProjectDoc& doc, PageData* active);

} // namespace kes
