#include "fuzz/objdatadb_target.h"
#include "fuzz/require.h"

#include "app/print/objdatadb.h"

#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <unistd.h>

namespace kes::fuzz {

namespace {

struct Env {
    std::string dir; // with a trailing '/'
    std::string file;
    std::vector<ObjDataRow> rows;
};

Env& TheEnv()
{
    static Env env;
    return env;
}

// A plain write: the program's writer syncs to disk, which would slow the fuzzer down.
void Put(const std::string& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    Require(static_cast<bool>(out));
}

// Rows of the system, two pages and the start-up screen of a project of two pages, with
// texts of more than one byte a character.
std::vector<ObjDataRow> Rows()
{
    std::vector<ObjDataRow> rows;
    for (int page = 0; page <= 3; ++page)
        for (int i = 0; i < 6; ++i) {
            ObjDataRow r;
            r.ObjID = static_cast<int>(rows.size());
            r.ObjName = i % 2 ? "Button" : "\xe6\x8c\x89\xe9\x88\x95";
            r.ObjLoc = page ? "(" + std::to_string(i * 10) + ",0)" : "";
            r.ObjSize = page ? "(10,10)" : "";
            r.ObjType = page ? 13 : 1000;
            r.PageNum = page;
            r.Page = page == 0 ? "System" : page == 3 ? "Start-up Screen" : "Pages " + std::to_string(page - 1);
            r.Read = {"M" + std::to_string(i), 1, "COM1"};
            if (i % 3 == 0)
                r.Write = {"D" + std::to_string(i), std::nullopt, ""};
            rows.push_back(std::move(r));
        }
    return rows;
}

// What another program finds in the file: its schema and its row count.
void CheckFile(const std::string& path, std::size_t rows)
{
    sqlite3* db = nullptr;
    Require(sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK);
    sqlite3_stmt* st = nullptr;
    Require(sqlite3_prepare_v2(db,
                               "SELECT (SELECT group_concat(type || ' ' || name) FROM sqlite_master), "
                               "(SELECT count(*) FROM ObjData)",
                               -1, &st, nullptr) == SQLITE_OK);
    Require(sqlite3_step(st) == SQLITE_ROW);
    const auto* schema = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
    Require(schema && std::string_view(schema) == "table ObjData");
    Require(sqlite3_column_int64(st, 1) == static_cast<sqlite3_int64>(rows));
    sqlite3_finalize(st);
    sqlite3_close(db);
}

} // namespace

void ObjDataDbSetup(const std::string&)
{
    Env& e = TheEnv();
    const std::filesystem::path shm("/dev/shm");
    const std::filesystem::path base =
        std::filesystem::is_directory(shm) ? shm : std::filesystem::temp_directory_path();
    e.dir = (base / ("kes_fuzz_objdata_" + std::to_string(::getpid()))).string() + "/";
    std::filesystem::create_directories(e.dir);
    std::atexit([] { std::filesystem::remove_all(TheEnv().dir); });
    e.file = e.dir + "lumora.mdb";
    e.rows = Rows();
}

void ObjDataDbOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return;
    Env& e = TheEnv();
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::filesystem::remove(e.file + "-journal");
    std::filesystem::remove(e.file + "-wal");
    Put(e.file, bytes);
    if (data[0] & 1)
        Put(e.file + "-journal", bytes);
    if (data[0] & 2)
        Put(e.file + "-wal", bytes);

    ObjDataDb db;
    DbError error;
    Require(db.Open(e.file, error));
    Require(db.Fill(e.rows, error));
    Require(db.Save(error));
    ObjDataResult all;
    Require(db.Query(ObjDataViewSql(ObjDataView::All, 0), all, error));
    Require(all.Rows.size() == e.rows.size());
    for (std::size_t i = 0; i < all.Rows.size(); ++i)
        Require(all.Rows[i].size() == 14 && all.Rows[i][0] == e.rows[i].Page && all.Rows[i][1] == e.rows[i].ObjName);
    ObjDataResult page;
    Require(db.Query(ObjDataViewSql(ObjDataView::Page, 2), page, error));
    Require(page.Rows.size() == 6);
    CheckFile(e.file, e.rows.size());
    Require(!std::filesystem::exists(e.file + "-journal") && !std::filesystem::exists(e.file + "-wal"));
}

} // namespace kes::fuzz
