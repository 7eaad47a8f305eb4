#include "hostiledb.h"

#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <unistd.h>

namespace kes::test {
namespace {

// A column's name: its definition up to the first blank.
std::string Name(const std::string& column) { return column.substr(0, column.find(' ')); }

std::string Join(const std::vector<std::string>& parts, const std::string& between)
{
    std::string out;
    for (const std::string& p : parts)
        out += (out.empty() ? "" : between) + p;
    return out;
}

} // namespace

std::string DatabaseOf(const std::string& sql)
{
    const std::string path =
        (std::filesystem::temp_directory_path() / ("kes_hostile_" + std::to_string(::getpid()) + ".db")).string();
    std::filesystem::remove(path);
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    char* error = nullptr;
    const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
    const std::string why = error ? error : "";
    sqlite3_free(error);
    sqlite3_close(db);
    if (rc != SQLITE_OK)
        throw std::runtime_error("hostile database: " + why + " in " + sql.substr(0, 200));
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::filesystem::remove(path);
    return bytes;
}

std::vector<HostileDb> HostileDatabases(const std::string& table, const std::vector<std::string>& columns,
                                        const std::string& values)
{
    const std::string create = "CREATE TABLE " + table + "(" + Join(columns, ", ") + ");";
    const std::string insert = "INSERT INTO " + table + " VALUES(" + values + ");";
    std::vector<std::string> fromN;
    for (const std::string& c : columns)
        fromN.push_back("n AS " + Name(c));
    const std::string endless = "WITH RECURSIVE r(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM r)";

    std::vector<HostileDb> out;
    out.push_back({"a view without end", DatabaseOf("CREATE VIEW " + table + " AS " + endless + " SELECT " +
                                                    Join(fromN, ", ") + " FROM r;")});
    // Each view joins the one before with itself: preparing the last expands 2^14 copies.
    std::string nested = "CREATE VIEW v0 AS SELECT " + values + ";";
    for (int i = 1; i <= 14; ++i)
        nested += "CREATE VIEW v" + std::to_string(i) + " AS SELECT x.* FROM v" + std::to_string(i - 1) + " x, v" +
                  std::to_string(i - 1) + " y;";
    out.push_back({"views nested in views", DatabaseOf(nested + "CREATE VIEW " + table + " AS SELECT * FROM v14;")});
    std::string triggers;
    for (const char* event : {"INSERT", "DELETE", "UPDATE"})
        triggers += std::string("CREATE TRIGGER endless_") + event + " AFTER " + event + " ON " + table +
                    " BEGIN SELECT count(*) FROM (" + endless + " SELECT n FROM r); END;";
    out.push_back({"triggers with an endless query", DatabaseOf(create + insert + triggers)});
    out.push_back({"a value of two megabytes", DatabaseOf(create + insert + "UPDATE " + table + " SET " +
                                                          Name(columns[1]) + " = printf('%.*c', 2000000, 'x');")});
    std::vector<std::string> computed = columns;
    computed[1] = Name(computed[1]) + " TEXT AS (zeroblob(100000000)) VIRTUAL";
    std::vector<std::string> stored;
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (i != 1)
            stored.push_back(Name(columns[i]));
    std::string storedValues = values;
    {
        // The ordinary row without its second value.
        const std::size_t a = storedValues.find(',');
        const std::size_t b = storedValues.find(',', a + 1);
        storedValues.erase(a, b - a);
    }
    out.push_back({"a column computing a hundred megabytes",
                   DatabaseOf("CREATE TABLE " + table + "(" + Join(computed, ", ") + "); INSERT INTO " + table + "(" +
                              Join(stored, ", ") + ") VALUES(" + storedValues + ");")});
    out.push_back({"a hundred thousand rows", DatabaseOf(create +
                                                         "WITH RECURSIVE r(n) AS (SELECT 1 UNION ALL SELECT n + 1 "
                                                         "FROM r LIMIT 100000) INSERT INTO " +
                                                         table + " SELECT " + values + " FROM r;")});
    out.push_back({"the wrong columns",
                   DatabaseOf("CREATE TABLE " + table + "(Something TEXT); INSERT INTO " + table + " VALUES('x');")});
    out.push_back({"no such table", DatabaseOf("CREATE TABLE Other(a); INSERT INTO Other VALUES(1);")});
    std::mt19937 random(32);
    std::string garbage(8192, '\0');
    for (char& c : garbage)
        c = static_cast<char>(random());
    out.push_back({"garbage bytes", garbage});
    // A database header over garbage pages.
    const std::string good = DatabaseOf(create + insert);
    out.push_back({"a database header over garbage", good.substr(0, 100) + garbage.substr(100)});
    out.push_back({"an empty file", ""});
    return out;
}

bool PutFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

} // namespace kes::test
