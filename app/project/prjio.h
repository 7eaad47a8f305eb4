#pragma once
// Reading and writing the project's files on disk. A save replaces the project's files as
// one (kes::WriteFileSet): a failed or killed save leaves the previous project, and the
// next open finishes a save that was killed after it committed.
#include "app/model/modelwarning.h"
#include "app/project/prjfile.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kes {

class LxTypeCore;

// ---- Names and paths
// The extension of project files.
inline constexpr const char* kPrjExt = ".zqf";
// The file name part of a path (after the last '/').
std::string FileNamePart(const std::string& path);
// The folder part of a path (before the last '/'); empty when there is none.
std::string FolderPart(const std::string& path);
// A file name without its trailing ".zqf" (only a trailing one: "my.zqfile.zqf" gives
// "my.zqfile", "a.zqf.zqf" gives "a.zqf").
std::string StripPrjExt(const std::string& name);
// A name that can stand alone as a file name on every desktop: not empty, not "." or "..",
// no folder separator, no control character and none of : * ? " < > |.
bool IsPlainFileName(const std::string& name);
// dir + '/' + name, with no doubled separator.
std::string JoinPath(const std::string& dir, const std::string& name);
// The base path of the working copy of a project: AppDir + "DocFiles/~" + name.
std::string WorkingCopyBase(const std::string& appDir, const std::string& prjName);
// The file that commits a save of the project at basePath until all its files are in place.
std::string SaveIntentPath(const std::string& basePath);
// Free bytes on the file system of a folder; -1 when it can not be determined.
std::int64_t FreeSpaceOf(const std::string& folder);

// ---- The project files
enum class CopyKind { Project, WorkingCopy };
struct WriteOutcome {
    ProjectError Error = ProjectError::None;
    FileError File; // CannotWrite: the file that failed and why
};
// Writes the project file, the title file and the start-up screen file at basePath (without
// extension) from the last image build. A project's own save of a name beginning with "~" is
// refused (those names are the working copies'); a working copy of such a name is skipped.
// On success a project save clears Modified and takes the program's data version; a working
// copy changes no flag. A start-up screen file left from earlier is removed when the project
// has no start-up screen.
WriteOutcome WriteProjectFiles(ProjectDoc& doc, const std::string& basePath, const ProjectFileExtras& x,
                               CopyKind kind = CopyKind::Project);

// What the caller of a read applies beside the project state.
struct ReadOutcome {
    ProjectError Error = ProjectError::None;
    std::string Path; // the file that failed
    FileError File;   // CannotRead, TooLarge: what the read met
    bool EnableUpDown = false;
    std::uint8_t PortNumber = 0;
    bool Keypad = false;
    bool OlderVersion = false;   // the project was converted to this program's data
    ModelWarnings ModelProblems; // what the model data and device table of the project lacked
    // A start-up screen file that could not be read: the project opens without its start-up
    // screen; not Failed() when nothing was wrong.
    ProjectFileProblem StartScreenProblem;
    // What was left out of files that read only in part.
    std::vector<LeftOutPart> LeftOut;
    // The path of a damaged record of an unfinished save, not carried out; empty when none.
    std::string IntentProblem;
};
// Reads the project at basePath (the project file must exist; titles and start-up screen are
// read when present). type, when given, loads the controller's device table and the panel
// model's data for the stored ids (a controller or panel model its lists lack is refused as
// junk); the image is then sized to the model. A damaged project file leaves the pages and
// the image empty; a damaged start-up screen file loses only the start-up screen. Zero bytes
// that grew a file past its data, and titles longer than a title field takes, are left out
// (LeftOut says so); no file is read past the largest of its kind. An older project's image
// is rebuilt from a fresh header and the page data (PrjVersion becomes 100).
ReadOutcome ReadProjectFiles(ProjectDoc& doc, const std::string& basePath, LxTypeCore* type, const HeaderDecoders& dec);
// The last step of opening an older project, once its pages were decoded under their own
// version: PrjVersion becomes 100 and the image is rebuilt from a fresh header and the pages.
void ConvertOlderProject(ProjectDoc& doc);

} // namespace kes
