#include "app/project/prjio.h"

#include "app/model/lxtypecore.h"
#include "app/project/memimage.h"
#include "platform/fileio.h"

#include <algorithm>
#include <string_view>
#include <sys/statvfs.h>

namespace kes {

std::string FileNamePart(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool IsPlainFileName(const std::string& name)
{
    if (name.empty() || name == "." || name == "..")
        return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 ||
               std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos;
    });
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

std::string SaveIntentPath(const std::string& basePath) { return basePath + ".saving"; }

std::int64_t FreeSpaceOf(const std::string& folder)
{
    struct statvfs st;
    if (folder.empty() || ::statvfs(OsPath(folder).c_str(), &st) != 0)
        return -1;
    return static_cast<std::int64_t>(st.f_bavail) * static_cast<std::int64_t>(st.f_frsize);
}

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
    doc.StoreStartScreen();

    Bytes prj;
    out.Error = EncodeProjectFile(doc, x, prj);
    if (out.Error != ProjectError::None)
        return out;
    const bool companions = !doc.IsKeypadType();
    const bool startScreen = companions && doc.StartScreenData && !doc.StartScreenData->Data.empty();
    std::string titles;
    Bytes sta;
    FileSet set{SaveIntentPath(basePath), {{basePath + kPrjExt, prj}}, {}};
    if (companions) {
        titles = EncodeTitleFile(doc);
        set.Files.push_back({basePath + ".Til", {reinterpret_cast<const std::uint8_t*>(titles.data()), titles.size()}});
    }
    if (startScreen) {
        sta = EncodeStartScreenFile(*doc.StartScreenData);
        set.Files.push_back({basePath + ".Sta", sta});
    } else if (companions) {
        // A start-up screen file of an earlier save would come back at the next open.
        set.Removed.push_back(basePath + ".Sta");
    }

    if (!WriteFileSet(set, &out.File, doc.SaveWatch)) {
        out.Error = ProjectError::CannotWrite;
        return out;
    }
    if (kind == CopyKind::Project) {
        doc.Modified = 0;
        doc.PrjVersion = doc.DataVersion;
    }
    return out;
}

ReadOutcome ReadProjectFiles(ProjectDoc& doc, const std::string& basePath, LxTypeCore* type, const HeaderDecoders& dec)
{
    ReadOutcome out;
    // A save killed part way is finished first, so the files read are all of one save.
    const std::string intent = SaveIntentPath(basePath);
    if (!RecoverFileSet(intent, {basePath + kPrjExt, basePath + ".Til", basePath + ".Sta"}, &out.File,
                        &out.IntentProblem)) {
        out.Error = ProjectError::CannotRead;
        out.Path = intent;
        return out;
    }
    // Bytes past the largest file of its kind are read only when zeros ran up to them, and
    // then not at all.
    const auto leftOut = [&](const std::string& path, std::uint64_t size, std::size_t read, std::size_t tail) {
        if (tail < read || size > read)
            out.LeftOut.push_back(ZeroTail(path, size - tail, size == read));
    };
    out.Path = basePath + kPrjExt;
    Bytes file;
    std::uint64_t size = 0;
    if (!ReadFileLimited(out.Path, kMaxProjectFileBytes, file, &size, &out.File)) {
        out.Error = ProjectError::CannotRead;
        return out;
    }
    ParsedProjectFile parsed;
    out.Error = ParseProjectFile(file, parsed);
    if (out.Error == ProjectError::None && size > file.size() && (parsed.Keypad || parsed.TailAt == file.size())) {
        out.Error = ProjectError::TooLarge;
        out.File = {FileOp::Read, FileFault::TooLarge, out.Path, 0, kMaxProjectFileBytes};
    }
    if (out.Error != ProjectError::None)
        return out;

    // Junk in the header would open as a blank controller: the ids must be ones the lists hold.
    if (type && !type->MachineIds.empty()) {
        const std::int16_t id = parsed.Head.MachineId;
        const bool knownMachine = id >= 0 && id <= 255 && type->MachineIndexOf(id) >= 0;
        const bool knownModel =
            type->ModelNames.empty() || StoredModelIndex(parsed.Head) < static_cast<int>(type->ModelNames.size());
        if (!knownMachine || !knownModel) {
            out.Error = ProjectError::UnknownModel;
            return out;
        }
    }

    Bytes startScreen;
    bool hasStartScreen = false;
    const std::string staPath = basePath + ".Sta";
    // Whatever lies in the file's place is read, so that one that does not read is said.
    if (!parsed.Keypad && SomethingAt(staPath)) {
        Bytes sta;
        std::uint64_t staSize = 0;
        std::size_t tail = 0;
        ProjectFileProblem& problem = out.StartScreenProblem;
        problem = {staPath, ProjectError::CannotRead, {}};
        if (ReadFileLimited(staPath, kMaxStartScreenFileBytes, sta, &staSize, &problem.File))
            problem.Error = ParseStartScreenFile(sta, startScreen, tail);
        if (problem.Error == ProjectError::None && staSize > sta.size() && tail == sta.size()) {
            problem.Error = ProjectError::TooLarge;
            problem.File = {FileOp::Read, FileFault::TooLarge, staPath, 0, kMaxStartScreenFileBytes};
        }
        hasStartScreen = !problem.Failed();
        if (!hasStartScreen) {
            startScreen.clear();
        } else {
            leftOut(staPath, staSize, sta.size(), tail);
        }
    }

    const ProjectFileHeader& h = parsed.Head;
    doc.MachineId = h.MachineId;
    doc.PanelModelIndex = StoredModelIndex(h);
    doc.LinkIndex = 0;
    if (type) {
        out.ModelProblems = type->SelectMachine();
        const ModelWarnings model = type->LoadModelData();
        out.ModelProblems.insert(out.ModelProblems.end(), model.begin(), model.end());
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
    if (!parsed.Keypad) {
        // Zeros that grew a file after an empty page read as more empty pages: past what the
        // panel's page table holds they are taken for what they are.
        std::size_t tail = parsed.TailAt;
        if (parsed.Chunks.size() - 1 > ModelPageLimit(doc)) {
            const std::size_t drop =
                std::min(TrailingZeroPages(parsed), parsed.Chunks.size() - 1 - ModelPageLimit(doc));
            parsed.Chunks.resize(parsed.Chunks.size() - drop);
            tail -= drop * kChunkHeadSize;
        }
        const std::vector<LeftOutPart> others = std::move(out.LeftOut);
        out.LeftOut.clear();
        leftOut(out.Path, size, file.size(), tail);
        out.LeftOut.insert(out.LeftOut.end(), others.begin(), others.end());
    }
    ApplyProjectBody(doc, parsed, dec);
    if (parsed.Keypad)
        return out;

    // Every title line at its longest: a file longer than that grew past its titles.
    const std::string tilPath = basePath + ".Til";
    Bytes titles;
    std::uint64_t tilSize = 0;
    LeftOutPart unread;
    unread.What = LeftOutPart::Kind::TitlesUnread;
    unread.Path = tilPath;
    const bool tilThere = SomethingAt(tilPath);
    const bool tilRead =
        tilThere && ReadFileLimited(tilPath, TitleFileLimit(doc.PgDataList.size()), titles, &tilSize, &unread.File);
    // The pages keep no titles.
    if (tilThere && !tilRead)
        out.LeftOut.push_back(unread);
    if (tilRead) {
        const int cut = ApplyTitleFile(std::string_view(reinterpret_cast<const char*>(titles.data()), titles.size()),
                                       doc.PgDataList);
        if (cut > 0) {
            LeftOutPart p;
            p.What = LeftOutPart::Kind::TitlesCut;
            p.Path = tilPath;
            p.Count = cut;
            p.Limit = kMaxPageTitleBytes;
            out.LeftOut.push_back(p);
        }
        // Bytes past what the titles of its pages take.
        if (tilSize > titles.size()) {
            LeftOutPart p;
            p.What = LeftOutPart::Kind::PastTitles;
            p.Path = tilPath;
            p.Bytes = tilSize - titles.size();
            out.LeftOut.push_back(p);
        }
    }
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
