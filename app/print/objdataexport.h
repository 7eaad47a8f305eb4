#pragma once
// The exports of the object cross-reference table: a text file (per row a rule of 62 "-", then
// one "label = value" line per column, and a closing rule) and a spreadsheet (.xlsx: the labels
// in row 1, one row per table row, every value as text). Both are written by the program's one
// writer (platform/fileio.h): to a temporary file beside the target, synced and renamed over it
// only when whole, so a failed export leaves an existing file as it was. Texts are UTF-8.
#include "app/print/objdatadb.h"

#include <functional>
#include <string>
#include <vector>

namespace kes {

// Message number of a field's display label; -1 for a field without one.
int ObjDataLabelMsg(const std::string& field);
// The display labels of columns, message texts (UTF-8) from msg.
std::vector<std::string> ObjDataLabels(const std::vector<std::string>& columns,
                                       const std::function<std::string(int n)>& msg);

// The text file's content (CR LF line ends).
std::string ObjDataText(const std::vector<std::string>& labels, const ObjDataResult& result);

// Why an export failed: a file that could not be written or read back (the target, the
// workbook made for it, the private folder it is made in), or the spreadsheet library, which
// could not be loaded or made no workbook.
struct ExportError {
    FileError File;
    std::string Library;      // the library's run-time name when it could not be loaded or made no workbook
    std::string LibraryWords; // what the library said of a workbook it could not finish, in its own words
};

bool WriteObjDataText(const std::string& path, const std::vector<std::string>& labels, const ObjDataResult& result,
                      ExportError& error);
bool WriteObjDataXlsx(const std::string& path, const std::vector<std::string>& labels, const ObjDataResult& result,
                      ExportError& error);

} // namespace kes
