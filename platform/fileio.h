#pragma once
// Small file helpers shared by every reader and writer.
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kes {

// Paths are texts of the program, held in the code page (platform/codepage.h) as every other:
// those the user chose (QStringToAnsi of a dialog's choice) and those made of a project's name.
// The file system names files in UTF-8, as Qt does: every function here takes a path in the
// code page and calls the system with its file system name, and an error names its file in
// the code page. Code that hands a path to the system or to a library itself converts it.
std::string OsPath(const std::string& path);
// The path in the code page of a file system name (the program's folder, the user's folders).
std::string AnsiPath(const std::string& osPath);

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

// What lies at a path, as the reads above find it (a FIFO is not waited on): a plain file they
// read, nothing, a folder, something else (a device, a FIFO, a socket), a file the user may not
// read, or one that does not open for another reason (a link to itself).
enum class PathKind { Plain, Nothing, Folder, NoPlainFile, NoAccess, Unreadable };
PathKind WhatLiesAt(const std::string& path);

// Handed to a write by a caller that watches it (tests: a full disk, a kill after a step);
// an empty member does nothing.
struct WriteWatch {
    // Before each block written to a temporary file, with the file's index and the offset of
    // the block; true makes that write fail as a full disk would.
    std::function<bool(std::size_t file, std::size_t offset)> Fault;
    // After every step of WriteFileSet, WriteFilesAtomic and FileByName that changes the disk (a
    // temporary made or written, a part of it written, the intent committed, a rename, a
    // removal, a sync, the intent removed).
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

// A file made by code that writes only to a file it names itself (a library): it writes a
// temporary beside path, which holds a lock as every temporary above does, and Commit syncs
// that and renames it over path as WriteFileAtomic does its bytes. A temporary not committed
// goes with this; the one a killed run left goes at the next write of path.
class FileByName {
public:
    explicit FileByName(const std::string& path, const WriteWatch* watch = nullptr);
    ~FileByName();
    FileByName(const FileByName&) = delete;
    FileByName& operator=(const FileByName&) = delete;
    // Makes the temporary; a target that exists read-only or is no plain file is refused.
    bool Begin(FileError* error);
    // What the writer writes to: the temporary (empty before Begin and after Commit), by its file
    // system name (for fopen; QFile::decodeName for Qt).
    const std::string& TempPath() const { return temp_; }
    // Said by a writer that wrote a part of the file (a sheet): a step for the watch.
    void Wrote();
    // The temporary, written and closed by its writer, replaces path.
    bool Commit(FileError* error);

private:
    std::string path_;
    std::string temp_;
    int fd_ = -1;
    const WriteWatch* watch_;
};

// A folder for the temporary files of a library that makes its own (libxlsxwriter's parts while
// it assembles a workbook), which a kill between making and removing one would leave: a
// temporary of base (base + ".tmp" and six characters) that holds a lock while it is used and
// goes with what is in it when this goes. One a killed run left goes at the next Make for base
// and with RemoveStaleTemporaries({base}); a live run's stays.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& base);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    bool Make(FileError* error);
    // The folder (empty before Make), by its file system name.
    const std::string& Path() const { return path_; }

private:
    std::string base_;
    std::string path_;
    int fd_ = -1;
};

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
// Removes the temporaries that writes of these files killed part way left beside them (and
// the scratch folders of these bases); the program runs it at start for the files it writes
// on its own.
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
