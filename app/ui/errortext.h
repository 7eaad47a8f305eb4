#pragma once
// The words of the errors the layers below return. Those layers return codes and the files,
// numbers and names they concern, never words; a window words them here, from the message
// table in force, with each path and number an argument of its message, so that a window in
// Chinese shows no English.
#include "app/model/modelwarning.h"
#include "app/project/projecterror.h"
#include "decoder/decodeerror.h"
#include "platform/fileio.h"

#include <QString>

namespace kes {

// What was done to which file and why: "<path> could not be read: it is a folder".
QString FileErrorText(const FileError& e);
// Why alone: "it is a folder", "the disk is full".
QString FileFaultText(const FileError& e);

// Why a project, start-up screen or user-menu file could not be used or written; file: what
// the system met, for the kinds that stand for a failed read or write (CannotRead,
// CannotWrite), and for TooLarge when the read met its bound.
QString ProjectErrorText(ProjectError e, const FileError& file = {});
// A part left out of a file that read only in part: "<path>: 4096 bytes past its data were
// left out".
QString LeftOutText(const LeftOutPart& part);

// Why a walk over page records stopped.
QString DecodeErrorText(DecodeError e);

// A problem of a model data file: "<path>[:<line>]: <what>[: <as the file has it>]"; a file
// that could not be read as FileErrorText, which names it once.
QString ModelWarningText(const ModelWarning& w);
// Each warning noted for the report of the shipped files' problems (NoteFileProblem).
void NoteModelWarnings(const ModelWarnings& warnings);

// Entries a language file lacks, which come from the built-in English file instead: the
// file, the first entry missing and how many more.
QString MissingEntriesText(const std::string& file, const std::string& first, int count);

} // namespace kes
