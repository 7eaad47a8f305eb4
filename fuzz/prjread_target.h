#pragma once
// The project file readers as a fuzz target: one input is a mode byte and a file's bytes.
#include <cstddef>
#include <cstdint>
#include <string>

namespace kes::fuzz {

// Once per process: the model data of one panel and controller and the decoder library's
// header readers from programDir.
void PrjReadSetup(const std::string& programDir);

// Mode byte, low two bits: 0 project file, 1 start-up screen file, 2 user menu file,
// 3 title file. A project file that reads is checked, built into the image, written again
// and read back; it must give the same pages.
void PrjReadOneInput(const std::uint8_t* data, std::size_t size);

} // namespace kes::fuzz
