#pragma once
// The property databases of the inspector: one per language, one table per object kind,
// each record one row of the property grid (caption, initial text, row class, indentation,
// initial visibility, membership of the group above it). The files are SQLite databases
// kept under their historical ".mdb" names.
//
// Readers and writers of the kinds address the rows by position, so a table is used only
// when its records match the layout the code expects (CheckPropLayout).
#include "objects/objkind.h"
#include "platform/sqlitedb.h"

#include <QString>

#include <cstdint>
#include <string>
#include <vector>

namespace kes {

struct PropRecord {
    QString Name;              // PropName
    QString Text;              // PropTxt
    std::uint8_t PropType = 0; // taken as one unsigned byte
    std::int32_t Level = 0;
    bool Visible = true;
    bool Parent = false; // PropParent: a member of the nearest group row above
};

// "objins.mdb" (0), "objchs.mdb" (1), "objenu.mdb" (2); empty for any other index.
std::string PropDbFileName(int langIndex);
// "ObjTxt", "ObjVal", ... ; empty for a kind without a table.
std::string PropTableName(ObjKind kind);
// The kinds that have a table, in kind order.
const std::vector<ObjKind>& KindsWithPropTables();

// The largest table holds some 40 rows, two levels deep.
inline constexpr int kMaxPropRows = 256;
inline constexpr int kMaxPropLevel = 8;

// How far a read of a property database may go: the longest value, the engine's steps, the time.
const DbBounds& PropDbBounds();

// Reads a table's records in PropID order; at most limit records when limit >= 0.
// False with error set when the file, the table or a column is missing or damaged or when it
// holds more than kMaxPropRows rows; refused (error.Refusal) when a value is longer than the
// bound or the read takes the engine too many steps or too long.
bool ReadPropTable(const std::string& dbPath, const std::string& table, std::vector<PropRecord>& records,
                   DbError& error, int limit = -1);

// Row classes of a kind's rows in order: the group and the four position rows, then the
// kind's own rows. Kinds without a table have the five common rows only.
std::vector<std::uint8_t> ExpectedPropLayout(ObjKind kind);
// What does not fit a kind's layout, as codes and numbers the window words (rows count from 0).
struct PropLayoutFault {
    enum class What : std::uint8_t {
        None,
        RowCount,     // Found rows, Expected expected
        RowClass,     // row Row is of class Found, Expected expected
        OutsideGroup, // row Row is a position row outside the position group
        InsideGroup,  // row Row belongs to a group and must not
        Level,        // row Row is at level Found, past 0 to Expected
    };
    What Fault = What::None;
    int Row = 0;
    int Found = 0;
    int Expected = 0;
    bool Failed() const { return Fault != What::None; }
};
// None when records fit the layout of kind: the same row classes in the same order, the
// position rows inside the group and every other row at the top level (the readers' hiding
// and showing binds only there). Otherwise the first thing that does not fit.
PropLayoutFault CheckPropLayout(ObjKind kind, const std::vector<PropRecord>& records);
// The fault in the user's words, from the message table (rows counted from 1).
QString PropLayoutText(const PropLayoutFault& fault);

} // namespace kes
