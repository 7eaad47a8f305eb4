#include "platform/fileio.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
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
    // Keep the permissions of the file being replaced, else the usual 0644.
    struct stat st;
    ::fchmod(fd, ::stat(file.Path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644);
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
    return true;
}

void SetWriteFault(std::function<bool(std::size_t, std::size_t)> fault) { WriteFault() = std::move(fault); }

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

} // namespace kes
