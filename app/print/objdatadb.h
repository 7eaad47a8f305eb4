#pragma once
// The database of the object cross-reference table: table ObjData, built in memory by the
// program and written whole to its working file ("lumora.mdb") after every fill, so whatever
// lay in that file before is never read. A fill replaces every row in one transaction through
// one prepared statement, so a failure leaves the table as it was; queries return texts. Every
// statement runs under the value, step and time bounds of ObjDataDbBounds.
#include "app/print/objdatarows.h"
#include "platform/sqlitedb.h"

#include <string>
#include <vector>

namespace kes {

class ProjectState;

// The table's columns in insert order.
extern const char* const kObjDataColumns[17];

// The statements of the views (the Page and start-up screen views name their page number).
std::string ObjDataViewSql(ObjDataView view, int pageNum);

// The longest value, the steps and the time a statement of the table may take.
const DbBounds& ObjDataDbBounds();

struct ObjDataResult {
    std::vector<std::string> Columns;           // field names
    std::vector<std::vector<std::string>> Rows; // UTF-8 texts; a null field is empty
};

class ObjDataDb {
public:
    // Starts an empty table in memory; file: the working file each Save writes (empty: none).
    // False with error set when that fails.
    bool Open(const std::string& file, DbError& error);
    bool IsOpen() const { return db_.IsOpen(); }
    const std::string& File() const { return file_; }

    // Replaces every row by rows, all or nothing.
    bool Fill(const std::vector<ObjDataRow>& rows, DbError& error);
    // Writes the table whole to the working file, replacing what lies there (and removing a
    // journal left beside it, which would otherwise be rolled into the new file).
    bool Save(DbError& error);
    bool Query(const std::string& sql, ObjDataResult& out, DbError& error);

private:
    BoundedDb db_;
    std::string file_;
};

// Where the table lives: "lumora.mdb" in the folder the program writes to.
std::string ObjDataDbPath(const ProjectState& state);

} // namespace kes
