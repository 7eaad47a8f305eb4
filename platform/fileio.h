#pragma once
// Small file helpers shared by every reader and writer.
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kes {

// Why a file could not be read, written or removed: which file, what was done and why, as
// codes and numbers. The window that tells the user words it from the message table
// (kes::FileErrorText, app/ui/errortext.h).
enum class FileOp : std::uint8_t { None, Read, Write, Remove };
enum class FileFault : std::uint8_t {
    System,      // the system refused: Errno says why
    Folder,      // a folder lies in the file's place
    NoPlainFile, // a device, a FIFO or another thing that is no plain file lies there
    TooLarge,    // larger than Limit, the largest file of its kind
    ReadOnly,    // a file that exists read-only is refused rather than replaced
};
struct FileError {
    FileOp Op = FileOp::None; // None: nothing failed
    FileFault Fault = FileFault::System;
    std::string Path;
    int Errno = 0;           // System: the error number
    std::uint64_t Limit = 0; // TooLarge: the bound, in bytes
    bool Failed() const { return Op != FileOp::None; }
};

// The whole of a plain file. False with *error set (when given) on failure, when something
// else lies in its place (a folder, a device, a FIFO) and when it is larger than limit: the
// largest file of its kind, so that a damaged or hostile one costs no more than that.
bool ReadFileText(const std::string& path, std::size_t limit, std::string& text, FileError* error);
bool ReadFileBytes(const std::string& path, std::size_t limit, std::vector<std::uint8_t>& bytes, FileError* error);
// At most limit bytes from the start of a plain file, so that a file grown past any real one
// costs no more than that; *size (when given) gets the whole file's size.
bool ReadFileLimited(const std::string& path, std::size_t limit, std::vector<std::uint8_t>& bytes, std::uint64_t* size,
                     FileError* error);

// Handed to a write by a caller that watches it (tests: a full disk, a kill after a step);
// an empty member does nothing.
struct WriteWatch {
    // Before each block written to a temporary file, with the file's index and the offset of
    // the block; true makes that write fail as a full disk would.
    std::function<bool(std::size_t file, std::size_t offset)> Fault;
    // After every step of WriteFileSet and WriteFilesAtomic that changes the disk (a temporary
    // written, the intent committed, a rename, a removal, a sync, the intent removed).
    std::function<void()> Step;
};

// Writes to a temporary file in the same folder, flushes it and renames it over path,
// so that a failed write leaves the previous file intact. Temporaries of path that a killed
// write left are removed first (a write of another run still making one keeps it).
bool WriteFileAtomic(const std::string& path, std::string_view bytes, FileError* error,
                     const WriteWatch* watch = nullptr);

// Several files written as one: every file goes to a temporary file in its folder, then each
// is renamed over its target. On a failure before the renames every temporary file is
// removed and no target changes. WriteFileAtomic is this with one file. A target that
// exists read-only is refused, not replaced.
struct FileToWrite {
    std::string Path;
    std::span<const std::uint8_t> Data;
};
bool WriteFilesAtomic(const std::vector<FileToWrite>& files, FileError* error, const WriteWatch* watch = nullptr);

// A set of files in one folder replaced as a whole, so that a kill or a power cut at any
// point leaves either every old file or every new one: the temporaries are synced, then an
// intent file naming them (written and renamed into place, the folder synced) commits the
// save; the renames and removals follow, the folder is synced and the intent removed.
// RecoverFileSet, run before the files are read, finishes a committed save and removes
// the temporaries of one killed before it committed.
struct FileSet {
    std::string Intent;               // the intent file's path, in the files' folder
    std::vector<FileToWrite> Files;   // replaced
    std::vector<std::string> Removed; // removed when the new files are in place
};
bool WriteFileSet(const FileSet& set, FileError* error, const WriteWatch* watch = nullptr);
// targets: every file a save of this set may replace or remove. False (error set) when a
// committed save could not be finished; the files must not be read then. An intent file
// this program did not write (damaged, forged, past any real size) is never carried out: it
// is removed, and *damaged (when given) gets its path. watch sees the steps of finishing a
// committed save.
bool RecoverFileSet(const std::string& intent, const std::vector<std::string>& targets, FileError* error,
                    std::string* damaged = nullptr, const WriteWatch* watch = nullptr);
// Removes the temporaries that writes of these files killed part way left beside them;
// the program runs it at start for the files it writes on its own.
void RemoveStaleTemporaries(const std::vector<std::string>& paths);

// Lines split at LF with a trailing CR removed (CR LF and LF files read alike).
std::vector<std::string> SplitLines(std::string_view text);

bool FileExists(const std::string& path);
// Anything lies at path: a file, a folder, a device, a FIFO, a link (a broken one too).
bool SomethingAt(const std::string& path);

// The program directory with a trailing '/': the executable's folder unless set.
std::string AppDir();
void SetAppDir(const std::string& dir);

// Where the program keeps what it writes, with a trailing '/': the program directory when it
// can be written (a build folder), else the desktop's per-user folder, made when missing:
// Config ($XDG_CONFIG_HOME, else ~/.config) for the settings files, Data ($XDG_DATA_HOME,
// else ~/.local/share) for working copies, new projects and simulator files; each + "kestrova/".
enum class UserFolder { Config, Data };
std::string UserDir(UserFolder folder);

} // namespace kes
