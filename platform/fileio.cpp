#include "platform/fileio.h"

#include "platform/codepage.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace kes {
namespace {

// The program folder by its file system name; empty until asked or set.
std::string g_appDir;

// Below the public functions every path is the file system's name (OsPath); an error names
// its file in the code page again, as the caller holds it.
void SetError(FileError* error, FileOp op, const std::string& path, int err, FileFault fault = FileFault::System)
{
    if (error)
        *error = FileError{op, fault, AnsiPath(path), err, 0};
}

// The permissions open() gives a new file: 0666 less the process's umask (mkstemp makes its
// file 0600 whatever the umask). The kernel reports the umask; reading it by setting it
// would race with other threads making files.
mode_t NewFileMode()
{
    mode_t mask = 022;
    if (std::FILE* f = std::fopen("/proc/self/status", "re")) {
        char line[256];
        while (std::fgets(line, sizeof line, f))
            if (std::strncmp(line, "Umask:", 6) == 0) {
                mask = static_cast<mode_t>(std::strtoul(line + 6, nullptr, 8) & 0777);
                break;
            }
        std::fclose(f);
    }
    return 0666 & ~mask;
}

// A temporary file being written: its descriptor stays open, holding a lock, until the file
// is renamed into place, so that a writer of the same file does not take it for a leftover
// of a killed run. A killed writer's lock goes with it.
struct Temp {
    std::string path;
    int fd = -1;
    Temp() = default;
    Temp(const Temp&) = delete;
    Temp& operator=(const Temp&) = delete;
    Temp(Temp&& o) noexcept : path(std::move(o.path)), fd(std::exchange(o.fd, -1)) {}
    ~Temp()
    {
        if (fd >= 0)
            ::close(fd);
    }
    // Removes the file (when it is still a temporary) and lets it go.
    void Drop()
    {
        if (!path.empty())
            ::unlink(path.c_str());
        path.clear();
    }
};

// Makes the locked, empty temporary of target beside it. False (tmp.path empty) on a failure.
bool MakeTemp(const std::string& target, Temp& tmp, FileError* error)
{
    tmp.path = target + ".tmpXXXXXX";
    tmp.fd = ::mkstemp(tmp.path.data());
    if (tmp.fd < 0) {
        SetError(error, FileOp::Write, target, errno);
        tmp.path.clear();
        return false;
    }
    ::flock(tmp.fd, LOCK_EX);
    return true;
}

// Gives a written temporary the permissions of the file it replaces, else those of any new
// file, and flushes it to disk; errno is set on a failure.
bool SettleTemp(int fd, const std::string& target)
{
    struct stat st;
    ::fchmod(fd, ::stat(target.c_str(), &st) == 0 ? (st.st_mode & 07777) : NewFileMode());
    return ::fsync(fd) == 0;
}

// Writes one temporary file beside the target, flushed to disk. On a failure it is removed
// again and tmp.path is empty.
bool WriteTemp(std::size_t index, const FileToWrite& file, Temp& tmp, FileError* error, const WriteWatch* watch)
{
    if (!MakeTemp(file.Path, tmp, error))
        return false;
    const auto fail = [&](int err) {
        SetError(error, FileOp::Write, file.Path, err);
        tmp.Drop();
        return false;
    };
    constexpr std::size_t kBlock = 64 * 1024;
    std::size_t done = 0;
    while (done < file.Data.size()) {
        const std::size_t n = std::min(kBlock, file.Data.size() - done);
        ssize_t w = -1;
        if (watch && watch->Fault && watch->Fault(index, done))
            errno = ENOSPC;
        else
            w = ::write(tmp.fd, file.Data.data() + done, n);
        if (w < 0) {
            if (errno == EINTR)
                continue;
            return fail(errno);
        }
        done += static_cast<std::size_t>(w);
    }
    if (!SettleTemp(tmp.fd, file.Path))
        return fail(errno);
    return true;
}

void RemoveAll(std::vector<Temp>& tmps)
{
    for (Temp& t : tmps)
        t.Drop();
}

void Step(const WriteWatch* watch)
{
    if (watch && watch->Step)
        watch->Step();
}

std::string FolderOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string InFolder(const std::string& folder, const std::string& name) { return folder + "/" + name; }

// A rename or removal is only durable once its folder is synced. Some file systems cannot
// sync a folder (EINVAL): there is nothing more to do on those.
bool SyncFolder(const std::string& folder, FileError* error)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        SetError(error, FileOp::Write, folder, errno);
        return false;
    }
    const int rc = ::fsync(fd);
    const int err = errno;
    ::close(fd);
    if (rc != 0 && err != EINVAL) {
        SetError(error, FileOp::Write, folder, err);
        return false;
    }
    return true;
}

// A target that exists must be a plain file the user may change; a read-only one is
// refused rather than replaced behind the user's back.
bool Replaceable(const std::string& path, FileError* error)
{
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0)
        return true;
    if (!S_ISREG(st.st_mode)) {
        SetError(error, FileOp::Write, path, EISDIR, S_ISDIR(st.st_mode) ? FileFault::Folder : FileFault::NoPlainFile);
        return false;
    }
    if ((st.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0) {
        SetError(error, FileOp::Write, path, EACCES, FileFault::ReadOnly);
        return false;
    }
    return true;
}

// The intent file: what a committed save still has to do, names within its folder.
//   KESTROVA SAVE 1
//   W <temporary>\t<target>     one per file replaced
//   R <target>                  one per file removed
//   END
constexpr std::string_view kIntentHead = "KESTROVA SAVE 1";
constexpr std::string_view kIntentEnd = "END";
// mkstemp's suffix of a temporary: ".tmp" and six characters.
constexpr std::string_view kTmpMark = ".tmp";
constexpr std::size_t kTmpSuffix = 6;

struct Intent {
    std::vector<std::pair<std::string, std::string>> Moves; // temporary, target
    std::vector<std::string> Removes;
};

std::string IntentText(const Intent& in)
{
    std::string text(kIntentHead);
    text += '\n';
    for (const auto& [tmp, target] : in.Moves)
        text += "W " + tmp + "\t" + target + "\n";
    for (const std::string& r : in.Removes)
        text += "R " + r + "\n";
    text += kIntentEnd;
    text += '\n';
    return text;
}

bool IsTempOf(const std::string& name, const std::string& target)
{
    return name.size() == target.size() + kTmpMark.size() + kTmpSuffix && name.compare(0, target.size(), target) == 0 &&
           name.compare(target.size(), kTmpMark.size(), kTmpMark) == 0;
}

// An intent names each file of one save once: a few lines of file names. Anything longer is
// not one this program wrote, and is not read past this.
constexpr std::size_t kMaxIntentBytes = 64 * 1024;

// Only names of the set's own targets and their temporaries are taken from an intent file,
// each at most once, so a foreign or damaged one can not rename or remove anything else.
// nullopt: not an intent this program wrote.
std::optional<Intent> ParseIntent(std::string_view text, const std::vector<std::string>& targets)
{
    const auto known = [&](const std::string& n) {
        return std::find(targets.begin(), targets.end(), n) != targets.end();
    };
    const std::vector<std::string> lines = SplitLines(text);
    // It must open and end as a save record does, with no more lines than a save of its files writes.
    if (lines.size() < 2 || lines.front() != kIntentHead || lines.back() != kIntentEnd ||
        lines.size() > targets.size() + 2)
        return std::nullopt;
    Intent in;
    std::vector<std::string> named;
    for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
        const std::string& l = lines[i];
        std::string target;
        if (l.rfind("W ", 0) == 0) {
            const auto tab = l.find('\t');
            if (tab == std::string::npos)
                return std::nullopt;
            std::string tmp = l.substr(2, tab - 2);
            target = l.substr(tab + 1);
            if (!known(target) || !IsTempOf(tmp, target))
                return std::nullopt;
            in.Moves.emplace_back(std::move(tmp), target);
        } else if (l.rfind("R ", 0) == 0 && known(l.substr(2))) {
            target = l.substr(2);
            in.Removes.push_back(target);
        } else {
            return std::nullopt;
        }
        // A file named a second time.
        if (std::find(named.begin(), named.end(), target) != named.end())
            return std::nullopt;
        named.push_back(target);
    }
    return in;
}

// Carries out a committed intent; every step may have been done before a kill, so each
// one tolerates finding its work already done.
bool FinishIntent(const std::string& folder, const std::string& intentPath, const Intent& in, FileError* error,
                  const WriteWatch* watch)
{
    for (const auto& [tmp, target] : in.Moves) {
        const std::string from = InFolder(folder, tmp), to = InFolder(folder, target);
        if (::rename(from.c_str(), to.c_str()) != 0 && errno != ENOENT) {
            SetError(error, FileOp::Write, to, errno);
            return false;
        }
        Step(watch);
    }
    for (const std::string& r : in.Removes) {
        const std::string path = InFolder(folder, r);
        if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
            SetError(error, FileOp::Remove, path, errno);
            return false;
        }
        Step(watch);
    }
    if (!SyncFolder(folder, error))
        return false;
    Step(watch);
    if (::unlink(intentPath.c_str()) != 0 && errno != ENOENT) {
        SetError(error, FileOp::Remove, intentPath, errno);
        return false;
    }
    Step(watch);
    // The intent's removal need not be durable: finishing it again changes nothing.
    return true;
}

// True when no live writer holds the temporary: its lock can be taken.
bool Abandoned(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return errno != ENOENT;
    const bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return free;
}

// Removes a scratch folder and the files in it (the library makes no folders there); a link
// in it goes itself, never what it names.
void RemoveFolder(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return;
    if (DIR* d = ::fdopendir(fd)) {
        std::vector<std::string> names;
        while (const dirent* e = ::readdir(d))
            if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0)
                names.push_back(e->d_name);
        for (const std::string& n : names)
            ::unlinkat(::dirfd(d), n.c_str(), 0);
        ::closedir(d);
    } else {
        ::close(fd);
    }
    ::rmdir(path.c_str());
}

// Removes the temporaries of the named files that a killed write left in folder; those a
// write of another run is still making stay.
void RemoveStaleTemps(const std::string& folder, const std::vector<std::string>& names)
{
    DIR* d = ::opendir(folder.c_str());
    if (!d)
        return;
    std::vector<std::string> stale;
    while (const dirent* e = ::readdir(d)) {
        const std::string n = e->d_name;
        for (const std::string& t : names)
            if (IsTempOf(n, t))
                stale.push_back(InFolder(folder, n));
    }
    ::closedir(d);
    struct stat st;
    for (const std::string& t : stale)
        if (Abandoned(t)) {
            if (::lstat(t.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
                RemoveFolder(t);
            else
                ::unlink(t.c_str());
        }
}

// Opens a plain file for reading. Anything else in its place is refused: a folder, a device
// such as /dev/zero that never ends, or a FIFO, whose open would wait for a writer (hence
// O_NONBLOCK, which reads of a plain file ignore).
// *at (when given) says what lies at path.
int OpenPlainFile(const std::string& path, struct stat& st, FileError* error, PathKind* at = nullptr)
{
    const auto found = [at](PathKind what) {
        if (at)
            *at = what;
    };
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        const int err = errno;
        SetError(error, FileOp::Read, path, err);
        // A socket does not open at all.
        found(err == ENOENT || err == ENOTDIR                          ? PathKind::Nothing
              : err == EACCES || err == EPERM                          ? PathKind::NoAccess
              : ::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode) ? PathKind::NoPlainFile
                                                                       : PathKind::Unreadable);
        return -1;
    }
    if (::fstat(fd, &st) != 0) {
        SetError(error, FileOp::Read, path, errno);
        found(PathKind::Unreadable);
        ::close(fd);
        return -1;
    }
    if (!S_ISREG(st.st_mode)) {
        SetError(error, FileOp::Read, path, 0, S_ISDIR(st.st_mode) ? FileFault::Folder : FileFault::NoPlainFile);
        found(S_ISDIR(st.st_mode) ? PathKind::Folder : PathKind::NoPlainFile);
        ::close(fd);
        return -1;
    }
    found(PathKind::Plain);
    return fd;
}

void TooLarge(FileError* error, const std::string& path, std::size_t limit)
{
    if (error)
        *error = FileError{FileOp::Read, FileFault::TooLarge, AnsiPath(path), 0, limit};
}

// Up to n bytes from fd, fewer only at its end; -1 (errno set) on a failure.
ssize_t ReadUpTo(int fd, void* buffer, std::size_t n)
{
    std::size_t done = 0;
    while (done < n) {
        const ssize_t r = ::read(fd, static_cast<char*>(buffer) + done, n - done);
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0)
            return -1;
        if (r == 0)
            break;
        done += static_cast<std::size_t>(r);
    }
    return static_cast<ssize_t>(done);
}

bool ReadTextOs(const std::string& path, std::size_t limit, std::string& text, FileError* error)
{
    text.clear();
    struct stat st;
    const int fd = OpenPlainFile(path, st, error);
    if (fd < 0)
        return false;
    if (static_cast<std::uint64_t>(st.st_size) > limit) {
        ::close(fd);
        TooLarge(error, path, limit);
        return false;
    }
    // One byte past the bound tells a file that grew since its size was taken.
    text.resize(static_cast<std::size_t>(st.st_size) + 1);
    const ssize_t n = ReadUpTo(fd, text.data(), text.size());
    const int err = errno;
    ::close(fd);
    if (n < 0) {
        text.clear();
        SetError(error, FileOp::Read, path, err);
        return false;
    }
    if (static_cast<std::size_t>(n) > limit) {
        text.clear();
        TooLarge(error, path, limit);
        return false;
    }
    text.resize(static_cast<std::size_t>(n));
    return true;
}

bool ReadLimitedOs(const std::string& path, std::size_t limit, std::vector<std::uint8_t>& bytes, std::uint64_t* size,
                   FileError* error)
{
    bytes.clear();
    struct stat st;
    const int fd = OpenPlainFile(path, st, error);
    if (fd < 0)
        return false;
    bytes.resize(std::min<std::uint64_t>(limit, static_cast<std::uint64_t>(st.st_size)));
    const ssize_t n = ReadUpTo(fd, bytes.data(), bytes.size());
    const int err = errno;
    ::close(fd);
    if (n < 0) {
        SetError(error, FileOp::Read, path, err);
        bytes.clear();
        return false;
    }
    // A file cut shorter since its size was taken reads as what is left.
    bytes.resize(static_cast<std::size_t>(n));
    if (size)
        *size = std::max<std::uint64_t>(static_cast<std::uint64_t>(st.st_size), bytes.size());
    return true;
}

bool FileExistsOs(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

} // namespace

std::string OsPath(const std::string& path) { return AnsiToUtf8(path); }

std::string AnsiPath(const std::string& osPath) { return Utf8ToAnsi(osPath); }

bool ReadFileText(const std::string& path, std::size_t limit, std::string& text, FileError* error)
{
    return ReadTextOs(OsPath(path), limit, text, error);
}

bool ReadFileBytes(const std::string& path, std::size_t limit, std::vector<std::uint8_t>& bytes, FileError* error)
{
    std::string text;
    if (!ReadFileText(path, limit, text, error))
        return false;
    bytes.assign(text.begin(), text.end());
    return true;
}

bool ReadFileLimited(const std::string& path, std::size_t limit, std::vector<std::uint8_t>& bytes, std::uint64_t* size,
                     FileError* error)
{
    return ReadLimitedOs(OsPath(path), limit, bytes, size, error);
}

bool WriteFileAtomic(const std::string& path, std::string_view bytes, FileError* error, const WriteWatch* watch)
{
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    return WriteFilesAtomic({{path, {data, bytes.size()}}}, error, watch);
}

bool WriteFilesAtomic(const std::vector<FileToWrite>& named, FileError* error, const WriteWatch* watch)
{
    std::vector<FileToWrite> files = named;
    for (FileToWrite& f : files)
        f.Path = OsPath(f.Path);
    for (const FileToWrite& f : files)
        if (!Replaceable(f.Path, error))
            return false;
    // What a killed write of these files left goes first.
    for (const FileToWrite& f : files)
        RemoveStaleTemps(FolderOf(f.Path), {NameOf(f.Path)});
    std::vector<Temp> tmps(files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (!WriteTemp(i, files[i], tmps[i], error, watch)) {
            RemoveAll(tmps);
            return false;
        }
        Step(watch);
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (std::rename(tmps[i].path.c_str(), files[i].Path.c_str()) != 0) {
            SetError(error, FileOp::Write, files[i].Path, errno);
            // The files renamed so far are in place: only the rest of the temporaries go.
            for (std::size_t j = 0; j < i; ++j)
                tmps[j].path.clear();
            RemoveAll(tmps);
            return false;
        }
        tmps[i].path.clear();
        Step(watch);
    }
    // The files are in place; a folder that cannot be synced only makes them less durable.
    for (const FileToWrite& f : files)
        SyncFolder(FolderOf(f.Path), nullptr);
    Step(watch);
    return true;
}

FileByName::FileByName(const std::string& path, const WriteWatch* watch) : path_(OsPath(path)), watch_(watch) {}

FileByName::~FileByName()
{
    if (!temp_.empty())
        ::unlink(temp_.c_str());
    if (fd_ >= 0)
        ::close(fd_);
}

bool FileByName::Begin(FileError* error)
{
    if (!Replaceable(path_, error))
        return false;
    RemoveStaleTemps(FolderOf(path_), {NameOf(path_)});
    Temp tmp;
    if (!MakeTemp(path_, tmp, error))
        return false;
    temp_ = std::move(tmp.path);
    fd_ = std::exchange(tmp.fd, -1);
    Step(watch_);
    return true;
}

void FileByName::Wrote() { Step(watch_); }

bool FileByName::Commit(FileError* error)
{
    if (temp_.empty()) {
        SetError(error, FileOp::Write, path_, EBADF);
        return false;
    }
    // The writer wrote the file at the name: it must still be the one that holds the lock,
    // else what is synced and renamed would be two files.
    struct stat held, named;
    if (::fstat(fd_, &held) != 0 || ::lstat(temp_.c_str(), &named) != 0 || held.st_dev != named.st_dev ||
        held.st_ino != named.st_ino) {
        // The temporary is no longer there as it was made.
        SetError(error, FileOp::Write, temp_, ENOENT);
        return false;
    }
    if (!SettleTemp(fd_, path_)) {
        SetError(error, FileOp::Write, path_, errno);
        return false;
    }
    Step(watch_);
    if (std::rename(temp_.c_str(), path_.c_str()) != 0) {
        SetError(error, FileOp::Write, path_, errno);
        return false;
    }
    temp_.clear();
    ::close(std::exchange(fd_, -1));
    Step(watch_);
    // The file is in place; a folder that cannot be synced only makes it less durable.
    SyncFolder(FolderOf(path_), nullptr);
    Step(watch_);
    return true;
}

ScratchFolder::ScratchFolder(const std::string& base) : base_(OsPath(base)) {}

ScratchFolder::~ScratchFolder()
{
    if (!path_.empty())
        RemoveFolder(path_);
    if (fd_ >= 0)
        ::close(fd_);
}

bool ScratchFolder::Make(FileError* error)
{
    RemoveStaleTemps(FolderOf(base_), {NameOf(base_)});
    std::string path = base_ + ".tmpXXXXXX";
    if (!::mkdtemp(path.data())) {
        SetError(error, FileOp::Write, base_, errno);
        return false;
    }
    fd_ = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) {
        SetError(error, FileOp::Write, path, errno);
        ::rmdir(path.c_str());
        return false;
    }
    ::flock(fd_, LOCK_EX);
    path_ = std::move(path);
    return true;
}

namespace {

bool RecoverOs(const std::string& intent, const std::vector<std::string>& targets, FileError* error,
               std::string* damaged, const WriteWatch* watch);

} // namespace

bool WriteFileSet(const FileSet& named, FileError* error, const WriteWatch* watch)
{
    FileSet set = named;
    set.Intent = OsPath(set.Intent);
    for (FileToWrite& f : set.Files)
        f.Path = OsPath(f.Path);
    for (std::string& r : set.Removed)
        r = OsPath(r);
    const std::string folder = FolderOf(set.Intent);
    std::vector<std::string> names;
    for (const FileToWrite& f : set.Files)
        names.push_back(NameOf(f.Path));
    for (const std::string& r : set.Removed)
        names.push_back(NameOf(r));
    // A save killed earlier is finished (or its leftovers removed) before this one starts.
    if (!RecoverOs(set.Intent, names, error, nullptr, watch))
        return false;
    for (const FileToWrite& f : set.Files)
        if (!Replaceable(f.Path, error))
            return false;
    for (const std::string& r : set.Removed)
        if (!Replaceable(r, error))
            return false;

    Intent in;
    std::vector<Temp> tmps(set.Files.size() + 1);
    for (std::size_t i = 0; i < set.Files.size(); ++i) {
        if (!WriteTemp(i, set.Files[i], tmps[i], error, watch)) {
            RemoveAll(tmps);
            return false;
        }
        in.Moves.emplace_back(NameOf(tmps[i].path), NameOf(set.Files[i].Path));
        Step(watch);
    }
    for (const std::string& r : set.Removed)
        in.Removes.push_back(NameOf(r));
    const std::string text = IntentText(in);
    Temp& intentTmp = tmps.back();
    const FileToWrite intent{set.Intent, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}};
    if (!WriteTemp(set.Files.size(), intent, intentTmp, error, watch)) {
        RemoveAll(tmps);
        return false;
    }
    Step(watch);
    // The commit: from here on the next open finishes this save.
    if (::rename(intentTmp.path.c_str(), set.Intent.c_str()) != 0) {
        SetError(error, FileOp::Write, set.Intent, errno);
        RemoveAll(tmps);
        return false;
    }
    intentTmp.path.clear();
    Step(watch);
    SyncFolder(folder, nullptr);
    Step(watch);
    const bool done = FinishIntent(folder, set.Intent, in, error, watch);
    // Renamed into place, or left for the next open to finish: none is dropped here.
    for (Temp& t : tmps)
        t.path.clear();
    return done;
}

namespace {

bool RecoverOs(const std::string& intent, const std::vector<std::string>& targets, FileError* error,
               std::string* damaged, const WriteWatch* watch)
{
    const std::string folder = FolderOf(intent);
    std::vector<std::string> names;
    for (const std::string& t : targets)
        names.push_back(NameOf(t));
    if (FileExistsOs(intent)) {
        std::vector<std::uint8_t> text;
        std::uint64_t size = 0;
        if (!ReadLimitedOs(intent, kMaxIntentBytes, text, &size, error))
            return false;
        // One larger than any save record is none.
        std::optional<Intent> in;
        if (size <= kMaxIntentBytes)
            in = ParseIntent(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()), names);
        if (in && !FinishIntent(folder, intent, *in, error, watch))
            return false;
        // Not an intent of ours: it commits nothing, and is said.
        if (!in) {
            if (damaged)
                *damaged = AnsiPath(intent);
            if (::unlink(intent.c_str()) != 0) {
                SetError(error, FileOp::Remove, intent, errno);
                return false;
            }
        }
    }
    names.push_back(NameOf(intent));
    RemoveStaleTemps(folder, names);
    return true;
}

} // namespace

bool RecoverFileSet(const std::string& intent, const std::vector<std::string>& targets, FileError* error,
                    std::string* damaged, const WriteWatch* watch)
{
    std::vector<std::string> osTargets;
    for (const std::string& t : targets)
        osTargets.push_back(OsPath(t));
    return RecoverOs(OsPath(intent), osTargets, error, damaged, watch);
}

void RemoveStaleTemporaries(const std::vector<std::string>& paths)
{
    for (const std::string& named : paths) {
        const std::string p = OsPath(named);
        RemoveStaleTemps(FolderOf(p), {NameOf(p)});
    }
}

std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t nl = text.find('\n', start);
        std::size_t end = nl == std::string_view::npos ? text.size() : nl;
        std::size_t e = end;
        if (e > start && text[e - 1] == '\r')
            --e;
        lines.emplace_back(text.substr(start, e - start));
        if (nl == std::string_view::npos)
            break;
        start = nl + 1;
    }
    return lines;
}

PathKind WhatLiesAt(const std::string& path)
{
    struct stat st;
    PathKind at = PathKind::Unreadable;
    const int fd = OpenPlainFile(OsPath(path), st, nullptr, &at);
    if (fd >= 0)
        ::close(fd);
    return at;
}

bool FileExists(const std::string& path) { return FileExistsOs(OsPath(path)); }

bool SomethingAt(const std::string& path)
{
    struct stat st;
    return ::lstat(OsPath(path).c_str(), &st) == 0;
}

std::string AppDir()
{
    // Converted at each call: the code page is chosen after the first call.
    if (!g_appDir.empty())
        return AnsiPath(g_appDir);
    char buf[4096];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    std::string dir = "./";
    if (n > 0) {
        buf[n] = 0;
        dir = buf;
        dir = dir.substr(0, dir.rfind('/') + 1);
    }
    g_appDir = dir;
    return AnsiPath(g_appDir);
}

void SetAppDir(const std::string& dir)
{
    g_appDir = OsPath(dir);
    if (!g_appDir.empty() && g_appDir.back() != '/')
        g_appDir += '/';
}

std::string UserDir(UserFolder folder)
{
    const std::string app = AppDir();
    if (::access(OsPath(app).c_str(), W_OK) == 0)
        return app;
    const bool config = folder == UserFolder::Config;
    const char* xdg = std::getenv(config ? "XDG_CONFIG_HOME" : "XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    std::string dir = xdg && *xdg == '/'
                          ? std::string(xdg)
                          : std::string(home && *home ? home : "/tmp") + (config ? "/.config" : "/.local/share");
    dir += "/kestrova/";
    // Each level made in turn; one that exists already is fine.
    for (std::size_t at = 1; at < dir.size(); ++at)
        if (dir[at] == '/')
            ::mkdir(dir.substr(0, at).c_str(), 0755);
    return AnsiPath(dir);
}

} // namespace kes
