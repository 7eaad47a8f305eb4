#pragma once
// The page walk as a fuzz target: one input is a mode byte and a page record stream.
#include <cstddef>
#include <cstdint>
#include <string>

namespace kes::fuzz {

// Once per process: a Qt application for fonts, the model data of one controller and the
// decoder library from programDir.
void PageWalkSetup(const std::string& programDir);

// Mode byte: bit 0 paste the stream as a clipboard block's records instead of reading a
// whole page, bit 1 the page is pasting, bits 2-3 the zoom (1, 2, 4, 8), bit 4 grid 2 x 1.
// A page read without error is stored again and the stored bytes read back.
void PageWalkOneInput(const std::uint8_t* data, std::size_t size);

} // namespace kes::fuzz
