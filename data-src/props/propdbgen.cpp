// Builds one property database of the object inspector from proptables.tsv.
//
//   kes_propdbgen <proptables.tsv> <output database> <caption column: 1 English,
//                 2 Traditional Chinese, 3 Simplified Chinese>
//
// The databases keep their historical ".mdb" names although they are SQLite files. Every
// table has the columns PropID, PropName, PropTxt, PropType, level, visible, PropParent;
// PropID counts the records in file order, which is the order the inspector reads them in.
// The output is written to a temporary file and renamed over the old one, so a failed run
// leaves no half-made database.
#include <sqlite3.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

struct Record {
    int line = 0;
    int propType = 0;
    int level = 0;
    int visible = 0;
    int parent = 0;
    std::string text;
    std::string captions[3];
};

struct Table {
    std::string name;
    std::vector<Record> records;
};

std::vector<std::string> Split(const std::string& line)
{
    std::vector<std::string> cells;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        cells.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos)
            return cells;
        start = tab + 1;
    }
}

bool ToInt(const std::string& s, int lo, int hi, int& out)
{
    if (s.empty() || s.size() > 3)
        return false;
    int v = 0;
    for (char c : s) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
    }
    if (v < lo || v > hi)
        return false;
    out = v;
    return true;
}

int Fail(const std::string& where, const std::string& what)
{
    std::fprintf(stderr, "%s: %s\n", where.c_str(), what.c_str());
    return 1;
}

// Reads the source: tables in file order, with "@Name" lines expanded from "[@Name]" blocks.
int ReadSource(const std::string& path, std::vector<Table>& tables)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return Fail(path, "can not be read");
    std::map<std::string, std::vector<Record>> fragments;
    std::vector<Record>* current = nullptr;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::string where = path + ":" + std::to_string(number);
        if (line.empty() || line[0] == '#')
            continue;
        if (line[0] == '[') {
            if (line.size() < 3 || line.back() != ']')
                return Fail(where, "bad table header");
            const std::string name = line.substr(1, line.size() - 2);
            if (name[0] == '@') {
                current = &fragments[name];
            } else {
                for (const Table& t : tables)
                    if (t.name == name)
                        return Fail(where, "table " + name + " is defined twice");
                tables.push_back({name, {}});
                current = &tables.back().records;
            }
            continue;
        }
        if (!current)
            return Fail(where, "record before the first table header");
        if (line[0] == '@') {
            auto it = fragments.find(line);
            if (it == fragments.end())
                return Fail(where, "unknown block " + line);
            current->insert(current->end(), it->second.begin(), it->second.end());
            continue;
        }
        const std::vector<std::string> cells = Split(line);
        if (cells.size() != 8)
            return Fail(where, "expected 8 columns, found " + std::to_string(cells.size()));
        Record r;
        r.line = number;
        if (!ToInt(cells[0], 0, 10, r.propType))
            return Fail(where, "PropType must be 0 to 10");
        if (!ToInt(cells[1], 0, 99, r.level))
            return Fail(where, "level must be a number");
        if (!ToInt(cells[2], 0, 1, r.visible) || !ToInt(cells[3], 0, 1, r.parent))
            return Fail(where, "visible and PropParent must be 0 or 1");
        r.text = cells[4];
        for (int i = 0; i < 3; ++i) {
            r.captions[i] = cells[5 + static_cast<std::size_t>(i)];
            if (r.captions[i].empty())
                return Fail(where, "a caption is missing");
        }
        current->push_back(r);
    }
    if (tables.empty())
        return Fail(path, "holds no table");
    return 0;
}

bool Exec(sqlite3* db, const std::string& sql)
{
    char* error = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) == SQLITE_OK)
        return true;
    std::fprintf(stderr, "sqlite: %s\n", error ? error : "error");
    sqlite3_free(error);
    return false;
}

bool WriteTables(sqlite3* db, const std::vector<Table>& tables, int column)
{
    if (!Exec(db, "BEGIN"))
        return false;
    for (const Table& t : tables) {
        // Table names come from the source's headers, which are plain identifiers.
        if (!Exec(db, "CREATE TABLE \"" + t.name +
                          "\" (PropID INTEGER PRIMARY KEY AUTOINCREMENT, PropName TEXT, PropTxt TEXT, "
                          "PropType INTEGER, level INTEGER, visible INTEGER, PropParent INTEGER)"))
            return false;
        sqlite3_stmt* st = nullptr;
        const std::string sql = "INSERT INTO \"" + t.name +
                                "\" (PropName, PropTxt, PropType, level, visible, PropParent) VALUES (?,?,?,?,?,?)";
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) {
            std::fprintf(stderr, "sqlite: %s\n", sqlite3_errmsg(db));
            return false;
        }
        bool ok = true;
        for (const Record& r : t.records) {
            const std::string& caption = r.captions[column - 1];
            sqlite3_bind_text(st, 1, caption.c_str(), static_cast<int>(caption.size()), SQLITE_TRANSIENT);
            sqlite3_bind_text(st, 2, r.text.c_str(), static_cast<int>(r.text.size()), SQLITE_TRANSIENT);
            sqlite3_bind_int(st, 3, r.propType);
            sqlite3_bind_int(st, 4, r.level);
            sqlite3_bind_int(st, 5, r.visible);
            sqlite3_bind_int(st, 6, r.parent);
            if (sqlite3_step(st) != SQLITE_DONE) {
                std::fprintf(stderr, "sqlite: %s\n", sqlite3_errmsg(db));
                ok = false;
                break;
            }
            sqlite3_reset(st);
        }
        sqlite3_finalize(st);
        if (!ok)
            return false;
    }
    return Exec(db, "COMMIT");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4 || std::string(argv[3]).size() != 1 || argv[3][0] < '1' || argv[3][0] > '3') {
        std::fprintf(stderr, "usage: %s <proptables.tsv> <output> <1|2|3>\n", argc > 0 ? argv[0] : "kes_propdbgen");
        return 2;
    }
    std::vector<Table> tables;
    if (ReadSource(argv[1], tables) != 0)
        return 1;

    const std::string out = argv[2];
    const std::string temp = out + ".tmp";
    std::remove(temp.c_str());
    sqlite3* db = nullptr;
    if (sqlite3_open(temp.c_str(), &db) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", temp.c_str(), db ? sqlite3_errmsg(db) : "can not be created");
        sqlite3_close(db);
        return 1;
    }
    const bool ok = WriteTables(db, tables, argv[3][0] - '0');
    sqlite3_close(db);
    if (!ok || std::rename(temp.c_str(), out.c_str()) != 0) {
        std::remove(temp.c_str());
        return Fail(out, "was not written");
    }
    return 0;
}
