#pragma once
// The editor's paste of the blocks it finds on the clipboard as a fuzz target: any program
// may publish a block under the format names the editor reads, so whatever bytes it holds
// are put on the clipboard and pasted as the user would, onto a page window without the
// main window or onto the start-up screen window.
//
// An input is a mode byte and then the block:
//   bits 0-1  what is pasted where: 0 and 3 the selected-objects block ("CF_MYFORMAT") onto
//             a page, 1 the whole-page block ("CF_ALLPAGEFORMAT") onto a page, 2 the
//             selected-objects block onto the start-up screen
//   bit 2     paste it twice, the second time onto what the first paste left
//   bit 3     the answer to "replace what the page holds?" is Yes (else No)
//   bits 4-5  the window's zoom (1, 2, 4, 8)
// After each paste: a paste that records no undo step changed nothing, and every undo step
// brings back the window as it was before that paste; the window stores (a block holding an
// object whose record is too long to store is refused) a stream that reads back with as
// many objects as it stores.
#include <cstddef>
#include <cstdint>
#include <string>

namespace kes::fuzz {

// Once per process: a Qt application (offscreen), the model data and the decoder library
// from programDir, and a project of the sample controller and panel model.
void ClipboardSetup(const std::string& programDir);

void ClipboardOneInput(const std::uint8_t* data, std::size_t size);

} // namespace kes::fuzz
