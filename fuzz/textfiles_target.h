#pragma once
// The readers of the text files the program trusts as a fuzz target: the model data (panel
// models, controller list), the device tables, INI files and the language files.
#include <cstddef>
#include <cstdint>
#include <string>

namespace kes::fuzz {

// Once per process: a program folder of its own under the temp directory.
void TextFilesSetup(const std::string& programDir);

// Mode byte, low three bits: 0 panel model file, 1 controller list, 2 device table (the next
// byte is the machine id), 3 INI file, 4 message file, 5 caption file; the rest is the text.
// Every reader must end with bounded values: a panel of at most 480 x 480, a memory area of
// at most 16 MiB, at most 256 controller models, at most 65,536 messages.
void TextFilesOneInput(const std::uint8_t* data, std::size_t size);

} // namespace kes::fuzz
