#pragma once
// SQLite connections of the program's databases, bounded so that no file, however it was
// made, can hang the program or eat its memory: every text, blob and row a statement reads or
// makes is at most a set length, and every statement stops after a set number of engine
// steps or a set time. Views and triggers are off (the program reads and fills plain tables
// only), and so are attached databases and extensions.
#include "platform/fileio.h"

#include <memory>
#include <string>

struct sqlite3;

namespace kes {

struct DbBounds {
    int MaxValueBytes = 4096; // longest text, blob or row
    long MaxSteps = 1000000;  // engine steps of one statement (counted in thousands)
    int MaxMillis = 500;      // time of one statement
};

// What stopped a database call: nothing, a value longer than the bound, the step or time bound.
enum class DbRefusal { None, ValueTooLong, TooSlow, TooManyRows };

struct DbError {
    DbRefusal Refusal = DbRefusal::None;
    std::string Text;      // the engine's words (or the caller's); empty when all went well
    int MaxValueBytes = 0; // the bound a ValueTooLong refusal met
    int MaxRows = 0;       // the bound a TooManyRows refusal met
    FileError File;        // a file of the database that could not be opened, written or removed
    bool Failed() const { return Refusal != DbRefusal::None || !Text.empty() || File.Failed(); }
};

class BoundedDb {
public:
    BoundedDb();
    ~BoundedDb();
    BoundedDb(const BoundedDb&) = delete;
    BoundedDb& operator=(const BoundedDb&) = delete;

    // An existing file, read only.
    bool OpenReadOnly(const std::string& path, const DbBounds& bounds, DbError& error);
    // A new empty database in memory.
    bool OpenMemory(const DbBounds& bounds, DbError& error);
    void Close();
    bool IsOpen() const;
    sqlite3* Handle() const;

    // Starts the step and time bounds afresh: before the first step of each statement.
    void StartBound();
    // The error of a call that returned rc (the engine's result code), telling a refusal by a
    // bound from any other failure.
    DbError ErrorOf(int rc) const;
    // Runs statements that return no rows, under one bound.
    bool Exec(const char* sql, DbError& error);
    // The whole database as the bytes of a database file; false when it can not be had.
    bool Image(std::string& bytes, DbError& error);

private:
    bool Open(const char* path, int flags, const DbBounds& bounds, DbError& error);
    bool Configure(const DbBounds& bounds, DbError& error);

    struct State;
    std::unique_ptr<State> s_;
};

} // namespace kes
