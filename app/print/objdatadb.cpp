#include "app/print/objdatadb.h"

#include "app/model/projectstate.h"
#include "platform/fileio.h"

#include <sqlite3.h>

#include <cerrno>
#include <cstdio>
#include <memory>

namespace kes {
namespace {

constexpr const char* kCreateSql =
    "CREATE TABLE ObjData (ObjID INTEGER, ObjName TEXT, ObjLoc TEXT, ObjSize TEXT, ObjType INTEGER, "
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

// Binds a row's values; the first failure (a text longer than the bound) is kept.
class Binder {
public:
    explicit Binder(sqlite3_stmt* st) : st_(st) {}
    // An empty text is left unset (null), as a row leaves a column it has nothing for.
    void Text(int i, const std::string& text)
    {
        // A 64-bit length: a text longer than an int counts is refused as too long, not cut.
        Keep(text.empty() ? sqlite3_bind_null(st_, i)
                          : sqlite3_bind_text64(st_, i, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8));
    }
    void Int(int i, int v) { Keep(sqlite3_bind_int(st_, i, v)); }
    // An empty text, not null: the description column holds one in every row.
    void Empty(int i) { Keep(sqlite3_bind_text(st_, i, "", 0, SQLITE_STATIC)); }
    void Ref(int first, const ObjDataRef& r)
    {
        Text(first, r.Addr);
        Keep(r.ID ? sqlite3_bind_int(st_, first + 1, *r.ID) : sqlite3_bind_null(st_, first + 1));
        Text(first + 2, r.Port);
    }
    int Result() const { return rc_; }

private:
    void Keep(int rc)
    {
        if (rc_ == SQLITE_OK)
            rc_ = rc;
    }
    sqlite3_stmt* st_;
    int rc_ = SQLITE_OK;
};

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

const DbBounds& ObjDataDbBounds()
{
    // A value is a name, a place or an address of a few tens of bytes; the largest projects
    // give some ten thousand rows, read in a few million steps and well under a second.
    static const DbBounds bounds{4096, 100000000, 10000};
    return bounds;
}

bool ObjDataDb::Open(const std::string& file, DbError& error)
{
    file_ = file;
    if (!db_.OpenMemory(ObjDataDbBounds(), error))
        return false;
    if (!db_.Exec(kCreateSql, error)) {
        db_.Close();
        return false;
    }
    return true;
}

bool ObjDataDb::Fill(const std::vector<ObjDataRow>& rows, DbError& error)
{
    error = {};
    if (!db_.IsOpen()) {
        error.Text = "no database";
        return false;
    }
    if (!db_.Exec("BEGIN", error))
        return false;
    const auto fail = [&] {
        DbError ignored;
        db_.Exec("ROLLBACK", ignored);
        return false;
    };
    if (!db_.Exec("DELETE FROM ObjData", error))
        return fail();
    db_.StartBound();
    sqlite3_stmt* raw = nullptr;
    const int prepared = sqlite3_prepare_v2(db_.Handle(), kInsertSql, -1, &raw, nullptr);
    Stmt st(raw);
    if (prepared != SQLITE_OK) {
        error = db_.ErrorOf(prepared);
        return fail();
    }
    for (const ObjDataRow& row : rows) {
        sqlite3_reset(st.get());
        sqlite3_clear_bindings(st.get());
        Binder bind(st.get());
        bind.Int(1, row.ObjID);
        bind.Text(2, row.ObjName);
        bind.Text(3, row.ObjLoc);
        bind.Text(4, row.ObjSize);
        bind.Int(5, row.ObjType);
        bind.Int(6, row.PageNum);
        bind.Text(7, row.Page);
        bind.Ref(8, row.Read);
        bind.Ref(11, row.Write);
        bind.Ref(14, row.Call);
        bind.Empty(17);
        int rc = bind.Result();
        if (rc == SQLITE_OK) {
            db_.StartBound();
            rc = sqlite3_step(st.get());
        }
        if (rc != SQLITE_DONE) {
            error = db_.ErrorOf(rc);
            return fail();
        }
    }
    st.reset();
    if (!db_.Exec("COMMIT", error))
        return fail();
    return true;
}

bool ObjDataDb::Save(DbError& error)
{
    error = {};
    if (file_.empty())
        return true;
    std::string image;
    if (!db_.Image(image, error))
        return false;
    if (!WriteFileAtomic(file_, image, &error.File))
        return false;
    for (const char* side : {"-journal", "-wal", "-shm"}) {
        const std::string path = file_ + side;
        if (std::remove(OsPath(path).c_str()) != 0 && errno != ENOENT) {
            error.File = {FileOp::Remove, FileFault::System, path, errno, 0};
            return false;
        }
    }
    return true;
}

bool ObjDataDb::Query(const std::string& sql, ObjDataResult& out, DbError& error)
{
    out = {};
    error = {};
    if (!db_.IsOpen()) {
        error.Text = "no database";
        return false;
    }
    db_.StartBound();
    sqlite3_stmt* raw = nullptr;
    const int prepared = sqlite3_prepare_v2(db_.Handle(), sql.c_str(), -1, &raw, nullptr);
    Stmt st(raw);
    if (prepared != SQLITE_OK) {
        error = db_.ErrorOf(prepared);
        return false;
    }
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
        error = db_.ErrorOf(step);
        out.Rows.clear();
        return false;
    }
    return true;
}

std::string ObjDataDbPath(const ProjectState& state)
{
    const std::string dir = state.WriteDir().empty() ? UserDir(UserFolder::Data) : state.WriteDir();
    return dir + "lumora.mdb";
}

} // namespace kes
