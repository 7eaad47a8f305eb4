#include "app/project/prjio.h"

#include "app/model/lxtypecore.h"
#include "app/project/memimage.h"
#include "platform/fileio.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace kes {

namespace {

std::function<bool(std::size_t, std::size_t)>& WriteFault()
{
    static std::function<bool(std::size_t, std::size_t)> fault;
    return fault;
}

void SetError(std::string* error, const std::string& what, const std::string& path, int err)
{
    if (error)
        *error = what + " " + path + ": " + std::strerror(err);
}

// Writes one temporary file beside path; its name on success.
bool WriteTemp(std::size_t index, const FileToWrite& file, std::string& tmp, std::string* error)
{
    tmp = file.Path + ".tmpXXXXXX";
    const int fd = ::mkstemp(tmp.data());
    if (fd < 0) {
        SetError(error, "cannot create a file beside", file.Path, errno);
        tmp.clear();
        return false;
    }
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
            SetError(error, "cannot write", file.Path, errno);
            ::close(fd);
            return false;
        }
        done += static_cast<std::size_t>(w);
    }
    struct stat st;
    ::fchmod(fd, ::stat(file.Path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644);
    if (::fsync(fd) != 0) {
        SetError(error, "cannot write", file.Path, errno);
        ::close(fd);
        return false;
    }
    if (::close(fd) != 0) {
        SetError(error, "cannot write", file.Path, errno);
        return false;
    }
    return true;
}

void RemoveAll(const std::vector<std::string>& tmps)
{
    for (const std::string& t : tmps)
        if (!t.empty())
            ::unlink(t.c_str());
}

} // namespace

std::string FileNamePart(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderPart(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string StripPrjExt(const std::string& name)
{
    const std::string ext = kPrjExt;
    if (name.size() >= ext.size() && name.compare(name.size() - ext.size(), ext.size(), ext) == 0)
        return name.substr(0, name.size() - ext.size());
    return name;
}

std::string JoinPath(const std::string& dir, const std::string& name)
{
    if (dir.empty() || dir.back() == '/')
        return dir + name;
    return dir + "/" + name;
}

std::string WorkingCopyBase(const std::string& appDir, const std::string& prjName)
{
    return JoinPath(appDir, "DocFiles/~" + FileNamePart(prjName));
}

std::int64_t FreeSpaceOf(const std::string& folder)
{
    struct statvfs st;
    if (folder.empty() || ::statvfs(folder.c_str(), &st) != 0)
        return -1;
    return static_cast<std::int64_t>(st.f_bavail) * static_cast<std::int64_t>(st.f_frsize);
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
            tmps[i].clear();
            for (std::size_t j = 0; j < i; ++j)
                tmps[j].clear();
            RemoveAll(tmps);
            return false;
        }
    }
    return true;
}

void SetWriteFault(std::function<bool(std::size_t, std::size_t)> fault) { WriteFault() = std::move(fault); }

WriteOutcome WriteProjectFiles(ProjectDoc& doc, const std::string& basePath, const ProjectFileExtras& x, CopyKind kind)
{
    WriteOutcome out;
    const std::string name = FileNamePart(basePath);
    if (kind == CopyKind::WorkingCopy) {
        // A project opened from a working copy has no working copy of its own.
        if (doc.PrjName.empty() || doc.PrjName.front() == '~')
            return out;
    } else if (name.empty() || name.front() == '~') {
        out.Error = ProjectError::BadName;
        return out;
    }
    if (doc.StoreStartScreen)
        doc.StoreStartScreen();

    std::vector<FileToWrite> files(1);
    files[0].Path = basePath + kPrjExt;
    out.Error = EncodeProjectFile(doc, x, files[0].Data);
    if (out.Error != ProjectError::None)
        return out;
    const bool companions = !doc.IsKeypadType();
    const bool startScreen = companions && doc.StartScreenData && !doc.StartScreenData->Data.empty();
    if (companions) {
        const std::string titles = EncodeTitleFile(doc);
        files.push_back({basePath + ".Til", Bytes(titles.begin(), titles.end())});
    }
    if (startScreen)
        files.push_back({basePath + ".Sta", EncodeStartScreenFile(*doc.StartScreenData)});

    if (!WriteFilesAtomic(files, &out.Detail)) {
        out.Error = ProjectError::CannotWrite;
        return out;
    }
    // A start-up screen file of an earlier save would come back at the next open.
    if (companions && !startScreen)
        ::unlink((basePath + ".Sta").c_str());
    if (kind == CopyKind::Project) {
        doc.Modified = 0;
        doc.PrjVersion = doc.DataVersion;
    }
    return out;
}

ReadOutcome ReadProjectFiles(ProjectDoc& doc, const std::string& basePath, LxTypeCore* type, const HeaderDecoders& dec)
{
    ReadOutcome out;
    out.Path = basePath + kPrjExt;
    Bytes file;
    if (!ReadFileBytes(out.Path, file, nullptr)) {
        out.Error = ProjectError::CannotRead;
        return out;
    }
    ParsedProjectFile parsed;
    out.Error = ParseProjectFile(file, parsed);
    if (out.Error != ProjectError::None)
        return out;

    Bytes startScreen;
    bool hasStartScreen = false;
    const std::string staPath = basePath + ".Sta";
    if (!parsed.Keypad && FileExists(staPath)) {
        Bytes sta;
        if (!ReadFileBytes(staPath, sta, nullptr)) {
            out.Error = ProjectError::CannotRead;
        } else {
            out.Error = ParseStartScreenFile(sta, startScreen);
            hasStartScreen = true;
        }
        if (out.Error != ProjectError::None) {
            out.Path = staPath;
            return out;
        }
    }

    const ProjectFileHeader& h = parsed.Head;
    doc.MachineId = h.MachineId;
    doc.PanelModelIndex = StoredModelIndex(h);
    doc.LinkIndex = 0;
    if (type) {
        type->SelectMachine();
        type->LoadModelData();
    }
    ResetMemoryImage(doc);
    ApplyProjectHeader(doc, h);
    out.EnableUpDown = h.EnableUpDown != 0;
    out.PortNumber = h.PortNumber;
    out.Keypad = parsed.Keypad;
    doc.ResetHeaderRecords();
    doc.OffsetList.clear();
    doc.PgDataList.clear();
    doc.MemImageLen = 0;

    out.Error = CheckChunksFit(parsed, doc.MemImage.size());
    if (out.Error != ProjectError::None)
        return out;
    ApplyProjectBody(doc, parsed, dec);
    if (parsed.Keypad)
        return out;

    std::string titles;
    if (ReadFileText(basePath + ".Til", titles, nullptr))
        ApplyTitleFile(titles, doc.PgDataList);
    if (!doc.StartScreenData)
        doc.StartScreenData = std::make_unique<PgDataStr>();
    if (hasStartScreen)
        doc.StartScreenData->Data = std::move(startScreen);
    out.OlderVersion = doc.PrjVersion != doc.DataVersion;
    return out;
}

void ConvertOlderProject(ProjectDoc& doc)
{
    doc.PrjVersion = 100;
    doc.ImageHeaderLen = BuildHeaderImage(doc);
    AppendPagesToImage(doc);
}

} // namespace kes
