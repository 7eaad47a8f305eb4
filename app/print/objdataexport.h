#pragma once
// The exports of the object cross-reference table: a text file (per row a rule of 62 "-", then
// one "label = value" line per column, and a closing rule) and a spreadsheet (.xlsx: the labels
// in row 1, one row per table row, every value as text). Both are written by the program's one
// writer (platform/fileio.h): to a temporary file beside the target, synced and renamed over it
// only when whole, so a failed export leaves an existing file as it was. Texts are UTF-8.
#include "app/print/objdatadb.h"
#include "platform/fileio.h"

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

// Why an export failed: a file that could not be written (the target, the temporary made for
// it, the library's scratch folder), or the spreadsheet library, which could not be loaded or
// made no workbook.
struct ExportError {
    FileError File;
    std::string Library;      // the library's run-time name when it could not be loaded or made no workbook
    std::string LibraryWords; // what the library said of a workbook it could not finish, in its own words
};

bool WriteObjDataText(const std::string& path, const std::vector<std::string>& labels, const ObjDataResult& result,
                      ExportError& error);
// The library's own temporary files go to a scratch folder of scratch (a ScratchFolder base,
// WorkbookScratchBase in the program); watch (tests) sees the steps of the write.
bool WriteObjDataXlsx(const std::string& path, const std::vector<std::string>& labels, const ObjDataResult& result,
                      const std::string& scratch, ExportError& error, const WriteWatch* watch = nullptr);
// The base of the workbook export's scratch folders: "workbook" in the folder the program writes
// to, where the start removes what a killed export left.
std::string WorkbookScratchBase(const ProjectState& state);

} // namespace kes
