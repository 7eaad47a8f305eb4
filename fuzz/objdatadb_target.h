#pragma once
// The object table's working file as a fuzz target: one input is a mode byte and the bytes of
// whatever lies at the working file's place (and, by the mode, beside it as a journal).
#include <cstddef>
#include <cstdint>
#include <string>

namespace kes::fuzz {

// Once per process: a folder of its own for the working file.
void ObjDataDbSetup(const std::string& programDir);

// Mode byte: bit 0 the bytes lie beside the file as its rollback journal too, bit 1 as its
// write-ahead log. The table is filled with rows of every view and written; whatever the
// input, the views must show exactly those rows, and the file must then hold the table alone
// with those rows and nothing beside it.
void ObjDataDbOneInput(const std::uint8_t* data, std::size_t size);

} // namespace kes::fuzz
