#include "app/print/objdataexport.h"

#include "platform/fileio.h"

#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <array>
#include <utility>

namespace kes {
namespace {

const std::string kRule(62, '-');

} // namespace

int ObjDataLabelMsg(const std::string& field)
{
    static const std::array<std::pair<const char*, int>, 17> kLabels = {{
        {"ObjID", 137},
        {"ObjName", 138},
        {"ObjLoc", 139},
        {"ObjSize", 140},
        {"ObjType", 141},
        {"Page", 142},
        {"PageNum", 142},
        {"ReadAddr", 143},
        {"ReadID", 144},
        {"ReadPort", 145},
        {"WriteAddr", 146},
        {"WriteID", 147},
        {"WritePort", 148},
        {"CallAddr", 149},
        {"CallID", 150},
        {"CallPort", 151},
        {"Descript", 152},
    }};
    for (const auto& [name, n] : kLabels)
        if (field == name)
            return n;
    return -1;
}

std::vector<std::string> ObjDataLabels(const std::vector<std::string>& columns,
                                       const std::function<std::string(int)>& msg)
{
    std::vector<std::string> labels;
    for (const std::string& c : columns) {
        const int n = ObjDataLabelMsg(c);
        labels.push_back(n >= 0 ? msg(n) : c);
    }
    return labels;
}

std::string ObjDataText(const std::vector<std::string>& labels, const ObjDataResult& result)
{
    std::string out;
    for (const std::vector<std::string>& row : result.Rows) {
        out += kRule + "\r\n";
        for (std::size_t c = 0; c < row.size(); ++c)
            out += (c < labels.size() ? labels[c] : std::string()) + " = " + row[c] + "\r\n";
    }
    return out + kRule;
}

bool WriteObjDataText(const std::string& path, const std::vector<std::string>& labels, const ObjDataResult& result,
                      std::string& error)
{
    return WriteFileAtomic(path, ObjDataText(labels, result), &error);
}

bool WriteObjDataXlsx(const std::string& path, const std::vector<std::string>& labels, const ObjDataResult& result,
                      std::string& error)
{
    // The library writes only to a file of its own: the workbook is made in a private
    // temporary folder, then its bytes go to the target by the program's one writer.
    const QTemporaryDir work;
    if (!work.isValid()) {
        error = path + ": " + work.errorString().toStdString();
        return false;
    }
    const std::string made = work.filePath(QStringLiteral("book.xlsx")).toStdString();
    lxw_workbook* book = workbook_new(made.c_str());
    lxw_worksheet* sheet = book ? workbook_add_worksheet(book, nullptr) : nullptr;
    if (!sheet) {
        if (book)
            workbook_close(book);
        error = path + ": the workbook could not be made";
        return false;
    }
    for (std::size_t c = 0; c < labels.size(); ++c)
        worksheet_write_string(sheet, 0, static_cast<lxw_col_t>(c), labels[c].c_str(), nullptr);
    for (std::size_t r = 0; r < result.Rows.size(); ++r)
        for (std::size_t c = 0; c < result.Rows[r].size(); ++c)
            worksheet_write_string(sheet, static_cast<lxw_row_t>(r + 1), static_cast<lxw_col_t>(c),
                                   result.Rows[r][c].c_str(), nullptr);
    const lxw_error closed = workbook_close(book);
    if (closed != LXW_NO_ERROR) {
        error = path + ": " + lxw_strerror(closed);
        return false;
    }
    std::string bytes;
    if (!ReadFileText(made, bytes, &error))
        return false;
    return WriteFileAtomic(path, bytes, &error);
}

} // namespace kes
