#include "app/print/objdatadb.h"

#include <QDir>
#include <QStandardPaths>

#include <sqlite3.h>

namespace kes {
namespace {

constexpr const char* kCreateSql =
    "CREATE TABLE IF NOT EXISTS ObjData (ObjID INTEGER, ObjName TEXT, ObjLoc TEXT, ObjSize TEXT, ObjType INTEGER, "
    "PageNum INTEGER, Page TEXT, ReadAddr TEXT, ReadID INTEGER, ReadPort TEXT, WriteAddr TEXT, WriteID INTEGER, "
    "WritePort TEXT, CallAddr TEXT, CallID INTEGER, CallPort TEXT, Descript TEXT)";
constexpr const char* kInsertSql =
    "insert into ObjData(ObjID,ObjName,ObjLoc,ObjSize,ObjType,PageNum,Page,ReadAddr,ReadID,ReadPort,WriteAddr,"
    "WriteID,WritePort,CallAddr,CallID,CallPort,Descript) values(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)";
constexpr const char* kSelectColumns =
    "select ObjName,ObjLoc,ObjSize,ReadAddr,ReadID,ReadPort,WriteAddr,WriteID,WritePort,CallAddr,CallID,CallPort,"
    "Descript from ObjData";

struct StmtFinalizer {
    void operator()(sqlite3_stmt* st) const { sqlite3_finalize(st); }
};
using Stmt = std::unique_ptr<sqlite3_stmt, StmtFinalizer>;

// An empty text is left unset (null), as a row leaves a column it has nothing for.
void BindText(sqlite3_stmt* st, int i, const std::string& text)
{
    if (text.empty())
        sqlite3_bind_null(st, i);
    else
        sqlite3_bind_text(st, i, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

void BindRef(sqlite3_stmt* st, int first, const ObjDataRef& r)
{
    BindText(st, first, r.Addr);
    if (r.ID)
        sqlite3_bind_int(st, first + 1, *r.ID);
    else
        sqlite3_bind_null(st, first + 1);
    BindText(st, first + 2, r.Port);
}

} // namespace

const char* const kObjDataColumns[17] = {"ObjID",     "ObjName",  "ObjLoc", "ObjSize",  "ObjType",   "PageNum",
                                         "Page",      "ReadAddr", "ReadID", "ReadPort", "WriteAddr", "WriteID",
                                         "WritePort", "CallAddr", "CallID", "CallPort", "Descript"};

std::string ObjDataViewSql(ObjDataView view, int pageNum)
{
    switch (view) {
    case ObjDataView::Page:
    case ObjDataView::StartScreen:
        return std::string(kSelectColumns) + " where (PageNum=" + std::to_string(pageNum) + ") order by ObjID";
    case ObjDataView::System:
        return std::string(kSelectColumns) + " where (PageNum=0) order by ObjID";
    case ObjDataView::All:
        break;
    }
    return "select Page,ObjName,ObjLoc,ObjSize,ReadAddr,ReadID,ReadPort,WriteAddr,WriteID,WritePort,CallAddr,CallID,"
           "CallPort,Descript  from ObjData order by PageNum,ObjID";
}

void ObjDataDb::Closer::operator()(sqlite3* db) const { sqlite3_close(db); }

ObjDataDb::ObjDataDb() = default;
ObjDataDb::~ObjDataDb() = default;

bool ObjDataDb::Exec(const char* sql, std::string& error)
{
    char* message = nullptr;
    if (sqlite3_exec(db_.get(), sql, nullptr, nullptr, &message) == SQLITE_OK)
        return true;
    error = message ? message : sqlite3_errmsg(db_.get());
    sqlite3_free(message);
    return false;
}

bool ObjDataDb::Open(const std::string& path, std::string& error)
{
    db_.reset();
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    std::unique_ptr<sqlite3, Closer> db(raw);
    if (rc != SQLITE_OK) {
        error = path + ": " + (raw ? sqlite3_errmsg(raw) : "cannot be opened");
        return false;
    }
    db_ = std::move(db);
    if (!Exec(kCreateSql, error)) {
        error = path + ": " + error;
        db_.reset();
        return false;
    }
    return true;
}

bool ObjDataDb::Fill(const std::vector<ObjDataRow>& rows, std::string& error)
{
    if (!db_) {
        error = "no database";
        return false;
    }
    if (!Exec("BEGIN", error))
        return false;
    const auto fail = [&] {
        std::string ignored;
        Exec("ROLLBACK", ignored);
        return false;
    };
    if (!Exec("DELETE FROM ObjData", error))
        return fail();
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db_.get(), kInsertSql, -1, &raw, nullptr) != SQLITE_OK) {
        error = sqlite3_errmsg(db_.get());
        return fail();
    }
    Stmt st(raw);
    for (const ObjDataRow& row : rows) {
        sqlite3_reset(st.get());
        sqlite3_clear_bindings(st.get());
        sqlite3_bind_int(st.get(), 1, row.ObjID);
        BindText(st.get(), 2, row.ObjName);
        BindText(st.get(), 3, row.ObjLoc);
        BindText(st.get(), 4, row.ObjSize);
        sqlite3_bind_int(st.get(), 5, row.ObjType);
        sqlite3_bind_int(st.get(), 6, row.PageNum);
        BindText(st.get(), 7, row.Page);
        BindRef(st.get(), 8, row.Read);
        BindRef(st.get(), 11, row.Write);
        BindRef(st.get(), 14, row.Call);
        sqlite3_bind_text(st.get(), 17, "", 0, SQLITE_STATIC);
        if (sqlite3_step(st.get()) != SQLITE_DONE) {
            error = sqlite3_errmsg(db_.get());
            return fail();
        }
    }
    st.reset();
    if (!Exec("COMMIT", error))
        return fail();
    return true;
}

bool ObjDataDb::Query(const std::string& sql, ObjDataResult& out, std::string& error) const
{
    out = {};
    if (!db_) {
        error = "no database";
        return false;
    }
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db_.get(), sql.c_str(), -1, &raw, nullptr) != SQLITE_OK) {
        error = sqlite3_errmsg(db_.get());
        return false;
    }
    Stmt st(raw);
    const int columns = sqlite3_column_count(st.get());
    for (int c = 0; c < columns; ++c)
        out.Columns.emplace_back(sqlite3_column_name(st.get(), c));
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(st.get())) == SQLITE_ROW) {
        std::vector<std::string> row;
        for (int c = 0; c < columns; ++c) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st.get(), c));
            row.emplace_back(text ? std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(st.get(), c)))
                                  : std::string());
        }
        out.Rows.push_back(std::move(row));
    }
    if (step != SQLITE_DONE) {
        error = sqlite3_errmsg(db_.get());
        return false;
    }
    return true;
}

std::string ObjDataDbPath()
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    QDir().mkpath(dir);
    return QDir(dir).filePath(QStringLiteral("lumora.mdb")).toStdString();
}

} // namespace kes
