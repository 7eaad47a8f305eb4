#pragma once
// Database files made to hurt whoever reads them: views that never end or that multiply when
// a statement is prepared, a trigger with an endless query, values and computed columns far
// longer than any real one, too many rows, the wrong columns, garbage and an empty file. The
// tests of both databases run them all; the fuzz corpora start from them.
#include <string>
#include <vector>

namespace kes::test {

struct HostileDb {
    std::string What;
    std::string Bytes; // the whole file
};

// Files aimed at table `table` with `columns` (the first an integer, the second a text) whose
// ordinary row is `values` (an SQL value list without parentheses).
std::vector<HostileDb> HostileDatabases(const std::string& table, const std::vector<std::string>& columns,
                                        const std::string& values);

// The database file an SQL script makes, as bytes; throws when the script fails.
std::string DatabaseOf(const std::string& sql);

// Writes bytes to path as they are; false when that fails.
bool PutFile(const std::string& path, const std::string& bytes);

} // namespace kes::test
