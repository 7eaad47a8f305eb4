#include "platform/sqlitedb.h"

#include <sqlite3.h>

#include <chrono>
#include <sys/stat.h>

namespace kes {

namespace {

using Clock = std::chrono::steady_clock;

// The engine asks whether to go on after this many of its steps.
constexpr int kStepsPerCheck = 1000;

} // namespace

struct BoundedDb::State {
    sqlite3* Db = nullptr;
    DbBounds Bounds;
    long Checks = 0;
    Clock::time_point Deadline;
    bool Stopped = false;
};

BoundedDb::BoundedDb() : s_(std::make_unique<State>()) {}

BoundedDb::~BoundedDb() { Close(); }

void BoundedDb::Close()
{
    if (s_->Db)
        sqlite3_close(s_->Db);
    s_->Db = nullptr;
}

bool BoundedDb::IsOpen() const { return s_->Db != nullptr; }

sqlite3* BoundedDb::Handle() const { return s_->Db; }

bool BoundedDb::OpenReadOnly(const std::string& path, const DbBounds& bounds, DbError& error)
{
    // The engine opens whatever lies at the path: a FIFO there would keep it waiting for a
    // writer, a device or a folder reads as an empty database.
    struct stat st;
    if (::stat(OsPath(path).c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        Close();
        error = {};
        error.File = {FileOp::Read, S_ISDIR(st.st_mode) ? FileFault::Folder : FileFault::NoPlainFile, path, 0, 0};
        return false;
    }
    return Open(OsPath(path).c_str(), SQLITE_OPEN_READONLY, bounds, error);
}

bool BoundedDb::OpenMemory(const DbBounds& bounds, DbError& error)
{
    return Open(":memory:", SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, bounds, error);
}

bool BoundedDb::Open(const char* path, int flags, const DbBounds& bounds, DbError& error)
{
    Close();
    error = {};
    const int rc = sqlite3_open_v2(path, &s_->Db, flags, nullptr);
    if (rc != SQLITE_OK) {
        error.Text = s_->Db ? sqlite3_errmsg(s_->Db) : sqlite3_errstr(rc);
        Close();
        return false;
    }
    return Configure(bounds, error);
}

bool BoundedDb::Configure(const DbBounds& bounds, DbError& error)
{
    sqlite3* db = s_->Db;
    s_->Bounds = bounds;
    // What the program's own tables and statements need, with room to spare: a few short
    // columns a row, short statements, no compound queries, nothing attached.
    sqlite3_limit(db, SQLITE_LIMIT_LENGTH, bounds.MaxValueBytes);
    sqlite3_limit(db, SQLITE_LIMIT_SQL_LENGTH, bounds.MaxValueBytes);
    sqlite3_limit(db, SQLITE_LIMIT_COLUMN, 64);
    sqlite3_limit(db, SQLITE_LIMIT_EXPR_DEPTH, 64);
    sqlite3_limit(db, SQLITE_LIMIT_COMPOUND_SELECT, 4);
    sqlite3_limit(db, SQLITE_LIMIT_VDBE_OP, 25000);
    sqlite3_limit(db, SQLITE_LIMIT_FUNCTION_ARG, 8);
    sqlite3_limit(db, SQLITE_LIMIT_ATTACHED, 0);
    sqlite3_limit(db, SQLITE_LIMIT_LIKE_PATTERN_LENGTH, 64);
    sqlite3_limit(db, SQLITE_LIMIT_VARIABLE_NUMBER, 32);
    sqlite3_limit(db, SQLITE_LIMIT_TRIGGER_DEPTH, 1);
    sqlite3_limit(db, SQLITE_LIMIT_WORKER_THREADS, 0);
    // A view is expanded when a statement is prepared, where no step bound reaches: a file of
    // views nested in views would keep the program for minutes. Triggers and the schema's
    // own expressions run only what the program's statements ask for.
    int ignored = 0;
    sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_VIEW, 0, &ignored);
    sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, &ignored);
    sqlite3_db_config(db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, &ignored);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 1, &ignored);
    sqlite3_progress_handler(
        db, kStepsPerCheck,
        [](void* p) {
            auto* s = static_cast<State*>(p);
            if (++s->Checks * kStepsPerCheck > s->Bounds.MaxSteps || Clock::now() > s->Deadline)
                s->Stopped = true;
            return s->Stopped ? 1 : 0;
        },
        s_.get());
    StartBound();
    if (!Exec("PRAGMA cell_size_check=ON", error)) {
        Close();
        return false;
    }
    return true;
}

void BoundedDb::StartBound()
{
    s_->Checks = 0;
    s_->Stopped = false;
    s_->Deadline = Clock::now() + std::chrono::milliseconds(s_->Bounds.MaxMillis);
}

DbError BoundedDb::ErrorOf(int rc) const
{
    DbError e;
    if (rc == SQLITE_OK || rc == SQLITE_DONE || rc == SQLITE_ROW)
        return e;
    if (s_->Stopped) {
        e.Refusal = DbRefusal::TooSlow;
    } else if ((rc & 0xFF) == SQLITE_TOOBIG) {
        e.Refusal = DbRefusal::ValueTooLong;
        e.MaxValueBytes = s_->Db ? sqlite3_limit(s_->Db, SQLITE_LIMIT_LENGTH, -1) : 0;
    }
    e.Text = s_->Db ? sqlite3_errmsg(s_->Db) : sqlite3_errstr(rc);
    return e;
}

bool BoundedDb::Exec(const char* sql, DbError& error)
{
    error = {};
    if (!s_->Db) {
        error.Text = "no database";
        return false;
    }
    StartBound();
    char* message = nullptr;
    const int rc = sqlite3_exec(s_->Db, sql, nullptr, nullptr, &message);
    if (rc == SQLITE_OK)
        return true;
    error = ErrorOf(rc);
    if (message)
        error.Text = message;
    sqlite3_free(message);
    return false;
}

bool BoundedDb::Image(std::string& bytes, DbError& error)
{
    error = {};
    bytes.clear();
    if (!s_->Db) {
        error.Text = "no database";
        return false;
    }
    StartBound();
    sqlite3_int64 size = 0;
    unsigned char* data = sqlite3_serialize(s_->Db, "main", &size, 0);
    if (!data) {
        error = ErrorOf(sqlite3_errcode(s_->Db));
        if (!error.Failed())
            error.Text = "no memory";
        return false;
    }
    bytes.assign(reinterpret_cast<const char*>(data), static_cast<std::size_t>(size));
    sqlite3_free(data);
    return true;
}

} // namespace kes
