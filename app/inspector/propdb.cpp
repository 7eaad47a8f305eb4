// Reading the property databases and checking their tables against the row layouts.
#include "app/inspector/propdb.h"

#include "app/inspector/inspectorkinds.h"
#include "app/ui/msgtable.h"
#include "objects/tpropbase.h"

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <memory>

namespace kes {
namespace {

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

const DbBounds& PropDbBounds()
{
    // The longest caption is some 40 bytes and the largest table some 40 rows, read in a few
    // thousand steps: a value or a read far past these comes from a damaged or hostile file.
    static const DbBounds bounds{1024, 200000, 500};
    return bounds;
}

bool ReadPropTable(const std::string& dbPath, const std::string& table, std::vector<PropRecord>& records,
                   DbError& error, int limit)
{
    records.clear();
    BoundedDb db;
    if (!db.OpenReadOnly(dbPath, PropDbBounds(), error))
        return false;
    // The table name comes from the fixed list of kinds, never from input.
    std::string sql =
        "SELECT PropName, PropTxt, PropType, level, visible, PropParent FROM \"" + table + "\" ORDER BY PropID";
    const int rows = limit >= 0 ? std::min(limit, kMaxPropRows) : kMaxPropRows + 1;
    sql += " LIMIT " + std::to_string(rows);
    db.StartBound();
    sqlite3_stmt* rawSt = nullptr;
    const int prepared = sqlite3_prepare_v2(db.Handle(), sql.c_str(), -1, &rawSt, nullptr);
    std::unique_ptr<sqlite3_stmt, StmtFinalizer> st(rawSt);
    if (prepared != SQLITE_OK) {
        error = db.ErrorOf(prepared);
        return false;
    }
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
    if (step != SQLITE_DONE) {
        error = db.ErrorOf(step);
        records.clear();
        return false;
    }
    if (records.size() > std::size_t(kMaxPropRows)) {
        error = {};
        error.Refusal = DbRefusal::TooManyRows;
        error.MaxRows = kMaxPropRows;
        records.clear();
        return false;
    }
    return true;
}

std::vector<std::uint8_t> ExpectedPropLayout(ObjKind kind)
{
    std::vector<std::uint8_t> layout{ptParent, ptVal, ptVal, ptVal, ptVal};
    if (InspectorKindOf(kind).Table) {
        const std::vector<std::uint8_t> own = KindRowClasses(kind);
        layout.insert(layout.end(), own.begin(), own.end());
    }
    return layout;
}

PropLayoutFault CheckPropLayout(ObjKind kind, const std::vector<PropRecord>& records)
{
    using What = PropLayoutFault::What;
    const std::vector<std::uint8_t> layout = ExpectedPropLayout(kind);
    if (records.size() != layout.size())
        return {What::RowCount, 0, static_cast<int>(records.size()), static_cast<int>(layout.size())};
    for (std::size_t i = 0; i < layout.size(); ++i) {
        const PropRecord& r = records[i];
        const int row = static_cast<int>(i);
        if (r.PropType != layout[i])
            return {What::RowClass, row, r.PropType, layout[i]};
        // Rows 1-4 belong to the position group; all others stand at the top level (a group
        // marked as a member would become its own parent and never open again).
        const bool member = i >= 1 && i <= 4;
        if (r.Parent != member)
            return {member ? What::OutsideGroup : What::InsideGroup, row};
        // The grid indents a row by its level: the tables use 0 and 1.
        if (r.Level < 0 || r.Level > kMaxPropLevel)
            return {What::Level, row, r.Level, kMaxPropLevel};
    }
    return {};
}

QString PropLayoutText(const PropLayoutFault& fault)
{
    constexpr int kMsgRowCount = 987;     // "The table holds %1 rows where %2 are expected."
    constexpr int kMsgRowClass = 988;     // "Row %1 is of class %2 where %3 is expected."
    constexpr int kMsgOutsideGroup = 989; // "Row %1 must belong to the position group."
    constexpr int kMsgInsideGroup = 990;  // "Row %1 must not belong to a group."
    constexpr int kMsgLevel = 991;        // "Row %1 is at level %2, which is not 0 to %3."
    using What = PropLayoutFault::What;
    const int row = fault.Row + 1;
    switch (fault.Fault) {
    case What::None:
        break;
    case What::RowCount:
        return Msg(kMsgRowCount).arg(fault.Found).arg(fault.Expected);
    case What::RowClass:
        return Msg(kMsgRowClass).arg(row).arg(fault.Found).arg(fault.Expected);
    case What::OutsideGroup:
        return Msg(kMsgOutsideGroup).arg(row);
    case What::InsideGroup:
        return Msg(kMsgInsideGroup).arg(row);
    case What::Level:
        return Msg(kMsgLevel).arg(row).arg(fault.Found).arg(fault.Expected);
    }
    return {};
}

} // namespace kes
