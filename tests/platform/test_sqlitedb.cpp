// A bounded database connection ends every statement within its bounds: a value longer than
// the length bound is refused as such, a statement past its steps or its time is stopped and
// refused as too slow, and the next statement starts with the whole bound again; views never
// expand; the database's image opens as the same database; only a plain file opens as one.
#include "platform/sqlitedb.h"

#include "cputime.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <QTemporaryDir>

#include <chrono>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace kes {
namespace {

constexpr const char* kEndless = "WITH RECURSIVE r(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM r) SELECT max(n) FROM r";

TEST(BoundedDb, EachBoundEndsAStatementWithItsRefusal)
{
    const struct {
        const char* what;
        DbBounds bounds;
        const char* sql;
        DbRefusal refusal;
    } cases[] = {
        {"a value past the length", {1000, 1000000, 5000}, "SELECT length(zeroblob(1001))", DbRefusal::ValueTooLong},
        {"a text made past the length",
         {1000, 1000000, 5000},
         "SELECT length(group_concat('abcdefghij')) FROM (WITH RECURSIVE r(n) AS (SELECT 1 UNION ALL SELECT n + 1 "
         "FROM r LIMIT 200) SELECT n FROM r)",
         DbRefusal::ValueTooLong},
        {"a value inside the length", {1000, 1000000, 5000}, "SELECT length(zeroblob(900))", DbRefusal::None},
        {"past the steps", {4096, 100000, 60000}, kEndless, DbRefusal::TooSlow},
        {"past the time", {4096, 1L << 40, 100}, kEndless, DbRefusal::TooSlow},
        {"a view", {4096, 1000000, 5000}, "CREATE VIEW v AS SELECT 1; SELECT * FROM v", DbRefusal::None},
    };
    for (const auto& c : cases) {
        BoundedDb db;
        DbError error;
        ASSERT_TRUE(db.OpenMemory(c.bounds, error)) << c.what << ": " << error.Text;
        const test::CpuStopwatch cpu;
        const bool done = db.Exec(c.sql, error);
        EXPECT_LT(cpu.Elapsed(), std::chrono::seconds(1)) << c.what;
        EXPECT_EQ(error.Refusal, c.refusal) << c.what << ": " << error.Text;
        if (c.refusal == DbRefusal::ValueTooLong) {
            EXPECT_EQ(error.MaxValueBytes, c.bounds.MaxValueBytes) << c.what;
        }
        // A view is refused without a bound, as an error; the rest end as their refusal says.
        EXPECT_EQ(done, std::string(c.what) == "a value inside the length") << c.what;
        if (!done) {
            EXPECT_TRUE(error.Failed()) << c.what;
        }
        // The next statement has the whole bound again.
        EXPECT_TRUE(db.Exec("SELECT 1", error)) << c.what << ": " << error.Text;
    }
}

TEST(BoundedDb, TheImageOpensAsTheSameDatabase)
{
    BoundedDb db;
    DbError error;
    ASSERT_TRUE(db.OpenMemory({}, error)) << error.Text;
    ASSERT_TRUE(db.Exec("CREATE TABLE t(a, b); INSERT INTO t VALUES(1, 'one'), (2, 'two')", error)) << error.Text;
    std::string image;
    ASSERT_TRUE(db.Image(image, error)) << error.Text;
    ASSERT_GE(image.size(), 100u);
    EXPECT_EQ(image.substr(0, 16), std::string("SQLite format 3\0", 16));

    sqlite3* copy = nullptr;
    ASSERT_EQ(sqlite3_open(":memory:", &copy), SQLITE_OK);
    auto* bytes = static_cast<unsigned char*>(sqlite3_malloc64(image.size()));
    std::copy(image.begin(), image.end(), bytes);
    ASSERT_EQ(sqlite3_deserialize(copy, "main", bytes, static_cast<sqlite3_int64>(image.size()),
                                  static_cast<sqlite3_int64>(image.size()),
                                  SQLITE_DESERIALIZE_FREEONCLOSE | SQLITE_DESERIALIZE_READONLY),
              SQLITE_OK);
    sqlite3_stmt* st = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(copy, "SELECT group_concat(b) FROM t", -1, &st, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(st), SQLITE_ROW);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))), "one,two");
    sqlite3_finalize(st);
    sqlite3_close(copy);
}

// The engine would wait on a FIFO for a writer and read a device or a folder as an empty
// database; each is refused before it opens (the alarm fails a test that would wait).
TEST(BoundedDb, WhatIsNoPlainFileIsRefusedUnopened)
{
    QTemporaryDir temp;
    const std::string dir = temp.path().toStdString();
    ASSERT_EQ(::mkfifo((dir + "/fifo.mdb").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", dir + "/zero.mdb");
    std::filesystem::create_directory(dir + "/folder.mdb");
    const struct {
        const char* name;
        FileFault fault;
    } cases[] = {
        {"fifo.mdb", FileFault::NoPlainFile}, {"zero.mdb", FileFault::NoPlainFile}, {"folder.mdb", FileFault::Folder}};
    for (const auto& c : cases) {
        BoundedDb db;
        DbError error;
        ::alarm(10);
        EXPECT_FALSE(db.OpenReadOnly(dir + "/" + c.name, {4096, 100000, 1000}, error)) << c.name;
        ::alarm(0);
        EXPECT_FALSE(db.IsOpen()) << c.name;
        EXPECT_TRUE(error.Failed()) << c.name;
        EXPECT_EQ(error.File.Fault, c.fault) << c.name;
        EXPECT_EQ(error.File.Path, dir + "/" + c.name);
    }
}

} // namespace
} // namespace kes
