#pragma once
// Small file helpers shared by every reader and writer.
#include <cstdint>
#include <functional>
#include <span>
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

// Several files written as one: every file goes to a temporary file in its folder, then each
// is renamed over its target. On a failure before the renames every temporary file is
// removed and no target changes. WriteFileAtomic is this with one file.
struct FileToWrite {
    std::string Path;
    std::span<const std::uint8_t> Data;
};
bool WriteFilesAtomic(const std::vector<FileToWrite>& files, std::string* error);
// Tests: called before each block written to a temporary file with the file's index and the
// offset of the block; returning true makes that write fail as a full disk would.
void SetWriteFault(std::function<bool(std::size_t file, std::size_t offset)> fault);

// Lines split at LF with a trailing CR removed (CR LF and LF files read alike).
std::vector<std::string> SplitLines(std::string_view text);

bool FileExists(const std::string& path);

// The program directory with a trailing '/': the executable's folder unless set.
std::string AppDir();
void SetAppDir(const std::string& dir);

} // namespace kes
