#include "app/ui/errortext.h"

#include "app/ui/msgtable.h"
#include "platform/codepage.h"

#include <cerrno>
#include <cstring>

namespace kes {
namespace {

constexpr int kMsgOverMemory = 26;    // "Editor is over memory range!!"
constexpr int kMsgTildeName = 472;    // "A project name must not begin with "~"!!"
constexpr int kMsgNotRead = 960;      // "%1 could not be read: %2"
constexpr int kMsgNotWritten = 961;   // "%1 could not be written: %2"
constexpr int kMsgNotRemoved = 962;   // "%1 could not be removed: %2"
constexpr int kMsgIsFolder = 963;     // "it is a folder"
constexpr int kMsgNoPlainFile = 964;  // "it is no plain file"
constexpr int kMsgTooLarge = 965;     // "it is larger than the %1 bytes a file of its kind holds"
constexpr int kMsgNotThere = 966;     // "it does not exist"
constexpr int kMsgNoAccess = 967;     // "it is read-only or access is denied"
constexpr int kMsgDiskFull = 968;     // "the disk is full"
constexpr int kMsgSystemError = 969;  // "system error %1"
constexpr int kMsgDamaged = 970;      // "its contents are damaged"
constexpr int kMsgPastMemory = 971;   // "its data do not fit the panel model's memory area"
constexpr int kMsgUnknownModel = 972; // "it names a controller or panel model this program does not know"
constexpr int kMsgNoReader = 973;     // "the page reader library could not be loaded or is incomplete"
constexpr int kMsgUnknownKind = 974;  // "it holds an object of a kind this program can not read"
constexpr int kMsgSafeValue = 975;    // "an entry is missing or can not be used; a safe value is used instead"
constexpr int kMsgBytesLeftOut = 976; // "%1 bytes past its data were left out"
constexpr int kMsgTitlesCut = 977;    // "%1 titles longer than %2 bytes were cut there"

QString PathText(const std::string& path) { return AnsiToQString(path); }

// The system's error number by its name ("EIO (5)"): no words of the system's own language.
QString ErrnoName(int err)
{
    const char* name = err > 0 ? strerrorname_np(err) : nullptr;
    return name ? QStringLiteral("%1 (%2)").arg(QLatin1String(name)).arg(err) : QString::number(err);
}

} // namespace

QString FileFaultText(const FileError& e)
{
    switch (e.Fault) {
    case FileFault::Folder:
        return Msg(kMsgIsFolder);
    case FileFault::NoPlainFile:
        return Msg(kMsgNoPlainFile);
    case FileFault::TooLarge:
        return Msg(kMsgTooLarge).arg(e.Limit);
    case FileFault::ReadOnly:
        return Msg(kMsgNoAccess);
    case FileFault::System:
        break;
    }
    switch (e.Errno) {
    case ENOENT:
    case ENOTDIR:
        return Msg(kMsgNotThere);
    case EISDIR:
        return Msg(kMsgIsFolder);
    case EACCES:
    case EPERM:
    case EROFS:
        return Msg(kMsgNoAccess);
    case ENOSPC:
    case EDQUOT:
        return Msg(kMsgDiskFull);
    default:
        return Msg(kMsgSystemError).arg(ErrnoName(e.Errno));
    }
}

QString FileErrorText(const FileError& e)
{
    const int what = e.Op == FileOp::Remove ? kMsgNotRemoved : e.Op == FileOp::Write ? kMsgNotWritten : kMsgNotRead;
    return Msg(what).arg(PathText(e.Path), FileFaultText(e));
}

QString ProjectErrorText(ProjectError e, const FileError& file)
{
    switch (e) {
    case ProjectError::None:
        return {};
    case ProjectError::CannotRead:
    case ProjectError::CannotWrite:
        return FileFaultText(file);
    case ProjectError::TooLarge:
        if (file.Failed())
            return FileFaultText(file);
        [[fallthrough]];
    case ProjectError::Damaged:
    case ProjectError::TooShort:
    case ProjectError::ScreenDamaged:
        return Msg(kMsgDamaged);
    case ProjectError::OutOfImage:
    case ProjectError::NoModel:
    case ProjectError::TooManyPages:
    case ProjectError::TooManyScreens:
        return Msg(kMsgPastMemory);
    case ProjectError::UnknownModel:
        return Msg(kMsgUnknownModel);
    case ProjectError::BadName:
        return Msg(kMsgTildeName);
    case ProjectError::NoSpace:
        return Msg(kMsgDiskFull);
    case ProjectError::Inconsistent:
        return Msg(kMsgOverMemory);
    }
    return Msg(kMsgDamaged);
}

QString LeftOutText(const LeftOutPart& part)
{
    using Kind = LeftOutPart::Kind;
    switch (part.What) {
    case Kind::TitlesUnread:
        return FileErrorText(part.File);
    case Kind::TitlesCut:
        return PathText(part.Path) + QStringLiteral(": ") +
               Msg(kMsgTitlesCut).arg(part.Count).arg(static_cast<qulonglong>(part.Limit));
    case Kind::ZeroTail:
    case Kind::PastTitles:
        break;
    }
    return PathText(part.Path) + QStringLiteral(": ") + Msg(kMsgBytesLeftOut).arg(part.Bytes);
}

QString DecodeErrorText(DecodeError e)
{
    switch (e) {
    case DecodeError::LibraryMissing:
    case DecodeError::ExportMissing:
        return Msg(kMsgNoReader);
    case DecodeError::UnknownKind:
        return Msg(kMsgUnknownKind);
    case DecodeError::None:
        return {};
    case DecodeError::BadRange:
    case DecodeError::ShortHead:
    case DecodeError::ZeroLength:
    case DecodeError::LengthPastEnd:
    case DecodeError::Truncated:
    case DecodeError::KeyIndexRange:
    case DecodeError::SlotRange:
    case DecodeError::BadContent:
    case DecodeError::NoProgress:
    case DecodeError::Internal:
        break;
    }
    return Msg(kMsgDamaged);
}

QString ModelWarningText(const ModelWarning& w)
{
    QString where = PathText(w.File);
    if (w.Line > 0)
        where += QStringLiteral(":%1").arg(w.Line);
    QString what;
    switch (w.Code) {
    case ModelError::Unreadable:
        return FileErrorText(w.Read);
    case ModelError::FileMissing:
        return FileErrorText(FileError{FileOp::Read, FileFault::System, w.File, ENOENT, 0});
    case ModelError::TableDamaged:
        what = Msg(kMsgDamaged);
        break;
    case ModelError::BadValue:
    case ModelError::MissingEntry:
    case ModelError::Inconsistent:
        what = Msg(kMsgSafeValue);
        break;
    }
    QString text = where + QStringLiteral(": ") + what;
    if (!w.Detail.empty())
        text += QStringLiteral(": ") + AnsiToQString(w.Detail);
    return text;
}

void NoteModelWarnings(const ModelWarnings& warnings)
{
    for (const ModelWarning& w : warnings)
        NoteFileProblem(w.File, ModelWarningText(w));
}

QString MissingEntriesText(const std::string& file, const std::string& first, int count)
{
    QString text = PathText(file) + QStringLiteral(": ") + Msg(kMsgSafeValue) + QStringLiteral(": ") + PathText(first);
    if (count > 1)
        text += QStringLiteral(" (+%1)").arg(count - 1);
    return text;
}

} // namespace kes
