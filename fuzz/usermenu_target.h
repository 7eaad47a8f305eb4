#pragma once
// The user menu file reader as a fuzz target: one input is a file's bytes.
#include <cstddef>
#include <cstdint>
#include <string>

namespace kes::fuzz {

// Once per process: a Qt application for fonts, the model data of both panel families and
// one controller, and the decoder library from programDir.
void UserMenuSetup(const std::string& programDir);

// Reads the file as File > User Menu does: the file's chunks, then what the family's model
// makes of them, then every screen's records. A file that parses writes back to the same
// screens; a screen that reads is stored again and reads back with the same objects.
void UserMenuOneInput(const std::uint8_t* data, std::size_t size);

} // namespace kes::fuzz
