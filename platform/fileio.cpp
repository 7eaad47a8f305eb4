#include "platform/fileio.h"

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
    std::string tmp = path + ".tmpXXXXXX";
    int fd = mkstemp(tmp.data());
    if (fd < 0) {
        SetError(error, "cannot create a file beside", path, errno);
        return false;
    }
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        ssize_t w = ::write(fd, p, left);
        if (w < 0) {
            if (errno == EINTR)
                continue;
            int err = errno;
            ::close(fd);
            ::unlink(tmp.c_str());
            SetError(error, "cannot write", path, err);
            return false;
        }
        p += w;
        left -= static_cast<std::size_t>(w);
    }
    // Keep the permissions of the file being replaced, else the usual 0644.
    struct stat st;
    ::fchmod(fd, ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644);
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        int err = errno;
        ::unlink(tmp.c_str());
        SetError(error, "cannot write", path, err);
        return false;
    }
    if (std::rename(tmp.c_str(), path.c_str()) != 0) {
        int err = errno;
        ::unlink(tmp.c_str());
        SetError(error, "cannot replace", path, err);
        return false;
    }
    return true;
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
