#pragma once
// The blocks the page editor puts on the clipboard, apart from the window: the selected
// objects ("CF_MYFORMAT") and a whole page ("CF_ALLPAGEFORMAT") travel the same way, a byte
// count and then page records. Another program may publish a block under the same name, so
// a block is taken only when its count and every record's framing hold.
#include "platform/bytes.h"

#include <optional>

class QString;

namespace kes {

// A clipboard block:
//   0 u32 n, little-endian: the bytes of records that follow (not counting itself)
//   4 n bytes of page records: u16 tag, u16 length (the 4 head bytes included), body;
//     tags 1..21 are objects, whose records open with the 14-byte object header
// The block may be longer than 4 + n; what lies past the records is not read.
Bytes MakeClipBlock(ByteSpan records);

// The records of a block, when n lies within the block and the records fill it exactly:
// each of at least its head and no longer than what is left, an object record no shorter
// than its header. Nothing otherwise.
std::optional<ByteSpan> ClipBlockRecords(ByteSpan block);

// Replaces whatever the system clipboard held by the block under that format.
void PutOnClipboard(const QString& format, const Bytes& block);
// The system clipboard's block of that format; empty when it holds none.
Bytes ClipboardBlock(const QString& format);
bool ClipboardHas(const QString& format);

} // namespace kes
