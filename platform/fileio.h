#pragma once
// Small file helpers shared by every reader and writer.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kes {

// Whole file as bytes. False with *error set (when given) on failure.
bool ReadFileText(const std::string& path, std::string& text, std::string* error);
bool ReadFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes, std::string* error);

// Writes to a temporary file in the same folder, flushes it and renames it over path,
// so that a failed write leaves the previous file intact.
bool WriteFileAtomic(const std::string& path, std::string_view bytes, std::string* error);

// Lines split at LF with a trailing CR removed (CR LF and LF files read alike).
std::vector<std::string> SplitLines(std::string_view text);

bool FileExists(const std::string& path);

// The program directory with a trailing '/': the executable's folder unless set.
std::string AppDir();
void SetAppDir(const std::string& dir);

} // namespace kes
