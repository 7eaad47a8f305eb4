#pragma once
// What the project's readers and writers return when a file can not be used or reads only in
// part: codes, the files concerned and the numbers that tell how, never words. The window that
// tells the user words them from the message table (app/ui/errortext.h).
#include "platform/fileio.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace kes {

// What went wrong with a project file, kept apart by kind.
enum class ProjectError {
    None,
    Damaged,        // the file does not hold what its own offsets and lengths say
    TooShort,       // shorter than its header
    OutOfImage,     // a chunk lies outside the model's memory area
    NoModel,        // the model data give no memory area to read into
    CannotRead,     // the file could not be opened or read
    CannotWrite,    // a file could not be written or replaced; the old files are intact
    BadName,        // a name that the working copies use ("~...") or an empty name
    NoSpace,        // the target folder has less free space than the image needs
    Inconsistent,   // the compiled image does not describe every page: nothing is written
    UnknownModel,   // the header names a controller or panel model the model data do not list
    TooManyPages,   // more pages than a panel can count
    TooManyScreens, // more user-menu screens than the panel's menu area holds
    TooLarge,       // larger than any file of its kind, and not by a run of zeros at its end
    ScreenDamaged,  // a user-menu screen's records do not read
};
// The code's name ("TooShort"), for logs and test output.
const char* ProjectErrorName(ProjectError e);

// A file of the project that could not be used: which, and why.
struct ProjectFileProblem {
    std::string Path;
    ProjectError Error = ProjectError::None;
    FileError File; // CannotRead: what the read met
    bool Failed() const { return Error != ProjectError::None; }
};

// A part of a file that was left out of what was read.
struct LeftOutPart {
    enum class Kind {
        ZeroTail,     // zero bytes that grew the file past its data
        TitlesUnread, // the title file did not read: the pages keep no titles
        TitlesCut,    // titles longer than a title field takes, cut there
        PastTitles,   // bytes past what the titles of the pages take
    };
    Kind What = Kind::ZeroTail;
    std::string Path;
    std::uint64_t Bytes = 0; // ZeroTail, PastTitles: the bytes left out
    bool AllRead = true;     // ZeroTail: every byte left out was read (else the zeros up to the bound)
    int Count = 0;           // TitlesCut: the titles cut
    std::size_t Limit = 0;   // TitlesCut: the length they were cut at
    FileError File;          // TitlesUnread: what the read met
};

} // namespace kes
