#include "app/print/objdataexport.h"

#include "app/model/projectstate.h"
#include "platform/fileio.h"

#include <xlsxwriter.h>

#include <dlfcn.h>

#include <array>
#include <cerrno>
#include <mutex>
#include <type_traits>
#include <utility>

namespace kes {
namespace {

const std::string kRule(62, '-');

// The spreadsheet library's functions the export calls. It is loaded on the first export, not
// with the program: it and what it pulls in would cost every start and serve only this.
struct XlsxFns {
    decltype(&workbook_new_opt) New = nullptr;
    decltype(&workbook_add_worksheet) AddSheet = nullptr;
    decltype(&worksheet_write_string) WriteString = nullptr;
    decltype(&workbook_close) Close = nullptr;
    decltype(&lxw_strerror) ErrorText = nullptr;
};

// The functions, or null when the library or one of them is missing.
const XlsxFns* Xlsx()
{
    static std::mutex mutex;
    static XlsxFns fns;
    static bool missing = false;
    static bool tried = false;
    std::lock_guard lock(mutex);
    if (!tried) {
        tried = true;
        // Kept loaded: a later export finds it at once.
        void* lib = dlopen(KES_XLSXWRITER_SONAME, RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
        missing = !lib;
        auto fetch = [&](const char* name, auto& fn) {
            if (!lib)
                return;
            fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(dlsym(lib, name));
            missing = missing || !fn;
        };
        fetch("workbook_new_opt", fns.New);
        fetch("workbook_add_worksheet", fns.AddSheet);
        fetch("worksheet_write_string", fns.WriteString);
        fetch("workbook_close", fns.Close);
        fetch("lxw_strerror", fns.ErrorText);
    }
    return missing ? nullptr : &fns;
}

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
                      ExportError& error)
{
    return WriteFileAtomic(path, ObjDataText(labels, result), &error.File);
}

bool WriteObjDataXlsx(const std::string& path, const std::vector<std::string>& labels, const ObjDataResult& result,
                      const std::string& scratch, ExportError& error, const WriteWatch* watch)
{
    const XlsxFns* x = Xlsx();
    if (!x) {
        error.Library = KES_XLSXWRITER_SONAME;
        return false;
    }
    // The library writes only to a file it names: it makes the workbook in the writer's locked
    // temporary beside the target, which then replaces the target whole. Its own temporary
    // parts, each made and removed at once by name, go to a folder of ours, so that a kill in
    // between leaves them where the next export or start finds them.
    ScratchFolder parts(scratch);
    if (!parts.Make(&error.File))
        return false;
    FileByName file(path, watch);
    if (!file.Begin(&error.File))
        return false;
    lxw_workbook_options options{};
    options.tmpdir = const_cast<char*>(parts.Path().c_str());
    lxw_workbook* book = x->New(file.TempPath().c_str(), &options);
    lxw_worksheet* sheet = book ? x->AddSheet(book, nullptr) : nullptr;
    if (!sheet) {
        if (book)
            x->Close(book);
        error.Library = KES_XLSXWRITER_SONAME;
        return false;
    }
    for (std::size_t c = 0; c < labels.size(); ++c)
        x->WriteString(sheet, 0, static_cast<lxw_col_t>(c), labels[c].c_str(), nullptr);
    for (std::size_t r = 0; r < result.Rows.size(); ++r)
        for (std::size_t c = 0; c < result.Rows[r].size(); ++c)
            x->WriteString(sheet, static_cast<lxw_row_t>(r + 1), static_cast<lxw_col_t>(c), result.Rows[r][c].c_str(),
                           nullptr);
    const lxw_error closed = x->Close(book);
    if (closed != LXW_NO_ERROR) {
        error.Library = KES_XLSXWRITER_SONAME;
        error.LibraryWords = x->ErrorText(closed);
        return false;
    }
    file.Wrote();
    return file.Commit(&error.File);
}

std::string WorkbookScratchBase(const ProjectState& state)
{
    const std::string dir = state.WriteDir().empty() ? UserDir(UserFolder::Data) : state.WriteDir();
    return dir + "workbook";
}

} // namespace kes
