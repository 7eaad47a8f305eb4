// Reading the property databases and checking their tables against the row layouts.
#include "app/inspector/propdb.h"

#include "app/inspector/inspectorkinds.h"
#include "objects/tpropbase.h"

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <memory>

namespace kes
{
namespace
{

struct DbCloser {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
struct StmtFinalizer {
    void operator()(sqlite3_stmt* st) const { sqlite3_finalize(st); }
};

QString ColumnText(sqlite3_stmt* st, int col)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st, col));
    return text ? QString::fromUtf8(text, sqlite3_column_bytes(st, col)) : QString();
}

} // namespace

std::string PropDbFileName(int langIndex)
{
    switch (langIndex) {
    case 0:
        return "objins.mdb";
    case 1:
        return "objchs.mdb";
    case 2:
        return "objenu.mdb";
    default:
        return {};
    }
}

std::string PropTableName(ObjKind kind)
{
    const char* table = InspectorKindOf(kind).Table;
    return table ? table : std::string();
}

const std::vector<ObjKind>& KindsWithPropTables()
{
    static const std::vector<ObjKind> kinds = [] {
        std::vector<ObjKind> k;
        for (ObjKind kind : AllObjKinds())
            if (InspectorKindOf(kind).Table)
                k.push_back(kind);
        return k;
    }();
    return kinds;
}

bool ReadPropTable(const std::string& dbPath, const std::string& table, std::vector<PropRecord>& records,
    std::string& error, int limit)
{
    records.clear();
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(dbPath.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr);
    std::unique_ptr<sqlite3, DbCloser> db(raw);
    if (rc != SQLITE_OK) {
        error = dbPath + ": " + (raw ? sqlite3_errmsg(raw) : "can not be opened");
        return false;
    }
    // A damaged or hostile file (a view that recurses without end, a table of a million rows)
    // is stopped after some ten million steps of the database engine: far beyond a real table.
    int ticks = 0;
    sqlite3_progress_handler(
        db.get(), 1000, [](void* n) { return ++*static_cast<int*>(n) > 10000 ? 1 : 0; }, &ticks);
    // The table name comes from the fixed list of kinds, never from input.
    std::string sql
        = "SELECT PropName, PropTxt, PropType, level, visible, PropParent FROM \"" + table + "\" ORDER BY PropID";
    const int rows = limit >= 0 ? std::min(limit, kMaxPropRows) : kMaxPropRows + 1;
    sql += " LIMIT " + std::to_string(rows);
    sqlite3_stmt* rawSt = nullptr;
    if (sqlite3_prepare_v2(db.get(), sql.c_str(), -1, &rawSt, nullptr) != SQLITE_OK) {
        error = dbPath + " (" + table + "): " + sqlite3_errmsg(db.get());
        return false;
    }
    std::unique_ptr<sqlite3_stmt, StmtFinalizer> st(rawSt);
    int step = SQLITE_OK;
    while ((step = sqlite3_step(st.get())) == SQLITE_ROW) {
        PropRecord r;
        r.Name = ColumnText(st.get(), 0);
        r.Text = ColumnText(st.get(), 1);
        r.PropType = static_cast<std::uint8_t>(sqlite3_column_int(st.get(), 2) & 0xFF);
        r.Level = sqlite3_column_int(st.get(), 3);
        r.Visible = sqlite3_column_int(st.get(), 4) != 0;
        r.Parent = sqlite3_column_int(st.get(), 5) != 0;
        records.push_back(std::move(r));
    }
    if (step != SQLITE_DONE || records.size() > std::size_t(kMaxPropRows)) {
        error = dbPath + " (" + table + "): "
                + (step != SQLITE_DONE ? sqlite3_errmsg(db.get()) : "more than " + std::to_string(kMaxPropRows) + " rows");
        records.clear();
        return false;
    }
    return true;
}

std::vector<std::uint8_t> ExpectedPropLayout(ObjKind kind)
{
    std::vector<std::uint8_t> layout { ptParent, ptVal, ptVal, ptVal, ptVal };
    if (InspectorKindOf(kind).Table) {
        const std::vector<std::uint8_t> own = KindRowClasses(kind);
        layout.insert(layout.end(), own.begin(), own.end());
    }
    return layout;
}

std::string CheckPropLayout(ObjKind kind, const std::vector<PropRecord>& records)
{
    const std::vector<std::uint8_t> layout = ExpectedPropLayout(kind);
    if (records.size() != layout.size())
        return "holds " + std::to_string(records.size()) + " rows, " + std::to_string(layout.size()) + " expected";
    for (std::size_t i = 0; i < layout.size(); ++i) {
        const PropRecord& r = records[i];
        const std::string at = "row " + std::to_string(i) + ": ";
        if (r.PropType != layout[i])
            return at + "PropType " + std::to_string(r.PropType) + ", " + std::to_string(layout[i]) + " expected";
        // Rows 1-4 belong to the position group; all others stand at the top level (a group
        // marked as a member would become its own parent and never open again).
        const bool member = i >= 1 && i <= 4;
        if (r.Parent != member)
            return at + (member ? "must belong to the position group" : "must not belong to a group");
        // The grid indents a row by its level: the tables use 0 and 1.
        if (r.Level < 0 || r.Level > kMaxPropLevel)
            return at + "level " + std::to_string(r.Level) + " is not 0 to " + std::to_string(kMaxPropLevel);
    }
    return {};
}

} // namespace kes
