#pragma once
// The database of the object cross-reference table: table ObjData in an SQLite file of the
// user's data folder (or in memory). A fill replaces every row in one transaction through one
// prepared statement, so a failure leaves the table as it was; queries return texts.
#include "app/print/objdatarows.h"

#include <memory>
#include <string>
#include <vector>

struct sqlite3;

namespace kes {

// The table's columns in insert order.
extern const char* const kObjDataColumns[17];

// The statements of the views (the Page and start-up screen views name their page number).
std::string ObjDataViewSql(ObjDataView view, int pageNum);

struct ObjDataResult {
    std::vector<std::string> Columns;           // field names
    std::vector<std::vector<std::string>> Rows; // UTF-8 texts; a null field is empty
};

class ObjDataDb {
public:
    ObjDataDb();
    ~ObjDataDb();
    ObjDataDb(const ObjDataDb&) = delete;
    ObjDataDb& operator=(const ObjDataDb&) = delete;

    // Opens (or creates) the database at path (":memory:" for one in memory) and creates the
    // table when it is missing. False with error set when that fails.
    bool Open(const std::string& path, std::string& error);
    bool IsOpen() const { return db_ != nullptr; }

    // Replaces every row by rows, all or nothing.
    bool Fill(const std::vector<ObjDataRow>& rows, std::string& error);
    bool Query(const std::string& sql, ObjDataResult& out, std::string& error) const;

private:
    bool Exec(const char* sql, std::string& error);

    struct Closer {
        void operator()(sqlite3* db) const;
    };
    std::unique_ptr<sqlite3, Closer> db_;
};

// Where the table lives: "lumora.mdb" in the user's data folder for the program.
std::string ObjDataDbPath();

} // namespace kes
