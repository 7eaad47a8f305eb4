#include "platform/fileio.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <optional>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kes {
namespace {

std::string g_appDir;

void SetError(std::string* error, const std::string& what, const std::string& path, int err)
{
    if (error)
        *error = what + " \"" + path + "\": " + std::strerror(err);
}

std::function<bool(std::size_t, std::size_t)>& WriteFault()
{
    static std::function<bool(std::size_t, std::size_t)> fault;
    return fault;
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

// Writes one temporary file beside the target, flushed to disk; its name on success. On a
// failure it is removed again and tmp is empty.
bool WriteTemp(std::size_t index, const FileToWrite& file, std::string& tmp, std::string* error)
{
    tmp = file.Path + ".tmpXXXXXX";
    const int fd = ::mkstemp(tmp.data());
    if (fd < 0) {
        SetError(error, "cannot create a file beside", file.Path, errno);
        tmp.clear();
        return false;
    }
    const auto fail = [&](int err, const char* what) {
        SetError(error, what, file.Path, err);
        ::unlink(tmp.c_str());
        tmp.clear();
        return false;
    };
    constexpr std::size_t kBlock = 64 * 1024;
    std::size_t done = 0;
    while (done < file.Data.size()) {
        const std::size_t n = std::min(kBlock, file.Data.size() - done);
        ssize_t w = -1;
        if (WriteFault() && WriteFault()(index, done))
            errno = ENOSPC;
        else
            w = ::write(fd, file.Data.data() + done, n);
        if (w < 0) {
            if (errno == EINTR)
                continue;
            const int err = errno;
            ::close(fd);
            return fail(err, "cannot write");
        }
        done += static_cast<std::size_t>(w);
    }
    // Keep the permissions of the file being replaced, else those of any new file.
    struct stat st;
    ::fchmod(fd, ::stat(file.Path.c_str(), &st) == 0 ? (st.st_mode & 07777) : NewFileMode());
    if (::fsync(fd) != 0) {
        const int err = errno;
        ::close(fd);
        return fail(err, "cannot write");
    }
    if (::close(fd) != 0)
        return fail(errno, "cannot write");
    return true;
}

void RemoveAll(const std::vector<std::string>& tmps)
{
    for (const std::string& t : tmps)
        if (!t.empty())
            ::unlink(t.c_str());
}

std::function<void()>& SaveStep()
{
    static std::function<void()> hook;
    return hook;
}

void Step()
{
    if (SaveStep())
        SaveStep()();
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
bool SyncFolder(const std::string& folder, std::string* error)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        SetError(error, "cannot open the folder", folder, errno);
        return false;
    }
    const int rc = ::fsync(fd);
    const int err = errno;
    ::close(fd);
    if (rc != 0 && err != EINVAL) {
        SetError(error, "cannot write the folder", folder, err);
        return false;
    }
    return true;
}

// A target that exists must be a plain file the user may change; a read-only one is
// refused rather than replaced behind the user's back.
bool Replaceable(const std::string& path, std::string* error)
{
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0)
        return true;
    if (!S_ISREG(st.st_mode)) {
        SetError(error, "cannot replace", path, EISDIR);
        return false;
    }
    if ((st.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0) {
        SetError(error, "cannot replace the read-only file", path, EACCES);
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
    return name.size() == target.size() + kTmpMark.size() + kTmpSuffix && name.compare(0, target.size(), target) == 0
           && name.compare(target.size(), kTmpMark.size(), kTmpMark) == 0;
}

// Only names of the set's own targets and their temporaries are taken from an intent file,
// so a foreign or damaged one can not rename or remove anything else. nullopt: not an
// intent this program wrote.
std::optional<Intent> ParseIntent(std::string_view text, const std::vector<std::string>& targets)
{
    const auto known = [&](const std::string& n) {
        return std::find(targets.begin(), targets.end(), n) != targets.end();
    };
    const std::vector<std::string> lines = SplitLines(text);
    if (lines.size() < 2 || lines.front() != kIntentHead || lines.back() != kIntentEnd)
        return std::nullopt;
    Intent in;
    for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
        const std::string& l = lines[i];
        if (l.rfind("W ", 0) == 0) {
            const auto tab = l.find('\t');
            if (tab == std::string::npos)
                return std::nullopt;
            std::string tmp = l.substr(2, tab - 2), target = l.substr(tab + 1);
            if (!known(target) || !IsTempOf(tmp, target))
                return std::nullopt;
            in.Moves.emplace_back(std::move(tmp), std::move(target));
        } else if (l.rfind("R ", 0) == 0 && known(l.substr(2))) {
            in.Removes.push_back(l.substr(2));
        } else {
            return std::nullopt;
        }
    }
    return in;
}

// Carries out a committed intent; every step may have been done before a kill, so each
// one tolerates finding its work already done.
bool FinishIntent(const std::string& folder, const std::string& intentPath, const Intent& in, std::string* error)
{
    for (const auto& [tmp, target] : in.Moves) {
        const std::string from = InFolder(folder, tmp), to = InFolder(folder, target);
        if (::rename(from.c_str(), to.c_str()) != 0 && errno != ENOENT) {
            SetError(error, "cannot replace", to, errno);
            return false;
        }
        Step();
    }
    for (const std::string& r : in.Removes) {
        const std::string path = InFolder(folder, r);
        if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
            SetError(error, "cannot remove", path, errno);
            return false;
        }
        Step();
    }
    if (!SyncFolder(folder, error))
        return false;
    Step();
    if (::unlink(intentPath.c_str()) != 0 && errno != ENOENT) {
        SetError(error, "cannot remove", intentPath, errno);
        return false;
    }
    Step();
    // The intent's removal need not be durable: finishing it again changes nothing.
    return true;
}

// Removes the temporaries a save killed before its commit left beside the targets.
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
    RemoveAll(stale);
}

} // namespace

bool ReadFileText(const std::string& path, std::string& text, std::string* error)
{
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        SetError(error, "cannot open", path, errno);
        return false;
    }
    text.clear();
    char buf[65536];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        text.append(buf, n);
    bool ok = !std::ferror(f);
    int err = errno;
    std::fclose(f);
    if (!ok)
        SetError(error, "cannot read", path, err);
    return ok;
}

bool ReadFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes, std::string* error)
{
    std::string text;
    if (!ReadFileText(path, text, error))
        return false;
    bytes.assign(text.begin(), text.end());
    return true;
}

bool WriteFileAtomic(const std::string& path, std::string_view bytes, std::string* error)
{
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    return WriteFilesAtomic({{path, {data, bytes.size()}}}, error);
}

bool WriteFilesAtomic(const std::vector<FileToWrite>& files, std::string* error)
{
    for (const FileToWrite& f : files)
        if (!Replaceable(f.Path, error))
            return false;
    std::vector<std::string> tmps(files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (!WriteTemp(i, files[i], tmps[i], error)) {
            RemoveAll(tmps);
            return false;
        }
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (std::rename(tmps[i].c_str(), files[i].Path.c_str()) != 0) {
            SetError(error, "cannot replace", files[i].Path, errno);
            // The files renamed so far are in place: only the rest of the temporaries go.
            for (std::size_t j = 0; j < i; ++j)
                tmps[j].clear();
            RemoveAll(tmps);
            return false;
        }
    }
    // The files are in place; a folder that cannot be synced only makes them less durable.
    for (const FileToWrite& f : files)
        SyncFolder(FolderOf(f.Path), nullptr);
    return true;
}

bool WriteFileSet(const FileSet& set, std::string* error)
{
    const std::string folder = FolderOf(set.Intent);
    std::vector<std::string> names;
    for (const FileToWrite& f : set.Files)
        names.push_back(NameOf(f.Path));
    for (const std::string& r : set.Removed)
        names.push_back(NameOf(r));
    // A save killed earlier is finished (or its leftovers removed) before this one starts.
    if (!RecoverFileSet(set.Intent, names, error))
        return false;
    for (const FileToWrite& f : set.Files)
        if (!Replaceable(f.Path, error))
            return false;
    for (const std::string& r : set.Removed)
        if (!Replaceable(r, error))
            return false;

    Intent in;
    std::vector<std::string> tmps(set.Files.size());
    for (std::size_t i = 0; i < set.Files.size(); ++i) {
        if (!WriteTemp(i, set.Files[i], tmps[i], error)) {
            RemoveAll(tmps);
            return false;
        }
        in.Moves.emplace_back(NameOf(tmps[i]), NameOf(set.Files[i].Path));
        Step();
    }
    for (const std::string& r : set.Removed)
        in.Removes.push_back(NameOf(r));
    const std::string text = IntentText(in);
    std::string intentTmp;
    const FileToWrite intent{set.Intent, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}};
    if (!WriteTemp(set.Files.size(), intent, intentTmp, error)) {
        RemoveAll(tmps);
        return false;
    }
    Step();
    // The commit: from here on the next open finishes this save.
    if (::rename(intentTmp.c_str(), set.Intent.c_str()) != 0) {
        SetError(error, "cannot write", set.Intent, errno);
        tmps.push_back(intentTmp);
        RemoveAll(tmps);
        return false;
    }
    Step();
    SyncFolder(folder, nullptr);
    Step();
    return FinishIntent(folder, set.Intent, in, error);
}

bool RecoverFileSet(const std::string& intent, const std::vector<std::string>& targets, std::string* error)
{
    const std::string folder = FolderOf(intent);
    std::vector<std::string> names;
    for (const std::string& t : targets)
        names.push_back(NameOf(t));
    if (FileExists(intent)) {
        std::string text;
        if (!ReadFileText(intent, text, error))
            return false;
        const std::optional<Intent> in = ParseIntent(text, names);
        if (in && !FinishIntent(folder, intent, *in, error))
            return false;
        // Not an intent of ours: it commits nothing.
        if (!in && ::unlink(intent.c_str()) != 0) {
            SetError(error, "cannot remove", intent, errno);
            return false;
        }
    }
    names.push_back(NameOf(intent));
    RemoveStaleTemps(folder, names);
    return true;
}

void SetWriteFault(std::function<bool(std::size_t, std::size_t)> fault) { WriteFault() = std::move(fault); }

void SetSaveStepHook(std::function<void()> hook) { SaveStep() = std::move(hook); }

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

bool FileExists(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string AppDir()
{
    if (!g_appDir.empty())
        return g_appDir;
    char buf[4096];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    std::string dir = "./";
    if (n > 0) {
        buf[n] = 0;
        dir = buf;
        dir = dir.substr(0, dir.rfind('/') + 1);
    }
    g_appDir = dir;
    return g_appDir;
}

void SetAppDir(const std::string& dir)
{
    g_appDir = dir;
    if (!g_appDir.empty() && g_appDir.back() != '/')
        g_appDir += '/';
}

std::string UserDir(UserFolder folder)
{
    const std::string app = AppDir();
    if (::access(app.c_str(), W_OK) == 0)
        return app;
    const bool config = folder == UserFolder::Config;
    const char* xdg = std::getenv(config ? "XDG_CONFIG_HOME" : "XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    std::string dir = xdg && *xdg == '/' ? std::string(xdg)
                                          : std::string(home && *home ? home : "/tmp") + (config ? "/.config" : "/.local/share");
    dir += "/kestrova/";
    // Each level made in turn; one that exists already is fine.
    for (std::size_t at = 1; at < dir.size(); ++at)
        if (dir[at] == '/')
            ::mkdir(dir.substr(0, at).c_str(), 0755);
    return dir;
}

} // namespace kes
