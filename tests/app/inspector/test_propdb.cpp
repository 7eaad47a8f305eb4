// The shipped property databases must give every kind exactly the rows its reader and
// writer address by position, in all three languages alike but for the captions; every
// choice row must find its texts in all three message files; a damaged table is refused
// rather than indexed; typed numbers are taken only when their format and width allow.
#include "app/inspector/propcommit.h"
#include "app/inspector/propdb.h"
#include "app/model/valrangetest.h"
#include "app/ui/msgtable.h"
#include "objects/tpropbase.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>

#include <sqlite3.h>

#include <filesystem>

namespace
{

std::string Bin()
{
    return std::string(KES_BIN_DIR) + "/";
}

std::vector<kes::PropRecord> Read(int lang, kes::ObjKind kind)
{
    std::vector<kes::PropRecord> records;
    std::string error;
    EXPECT_TRUE(kes::ReadPropTable(Bin() + kes::PropDbFileName(lang), kes::PropTableName(kind), records, error))
        << error;
    return records;
}

} // namespace

TEST(PropDatabases, EveryTableFitsItsKindInEveryLanguage)
{
    EXPECT_EQ(kes::KindsWithPropTables().size(), 18u);
    for (int lang : { 0, 1, 2 }) {
        for (kes::ObjKind kind : kes::KindsWithPropTables()) {
            const auto records = Read(lang, kind);
            EXPECT_EQ(kes::CheckPropLayout(kind, records), "")
                << kes::PropDbFileName(lang) << " " << kes::PropTableName(kind);
            for (const auto& r : records)
                EXPECT_FALSE(r.Name.isEmpty()) << kes::PropTableName(kind);
        }
    }
}

TEST(PropDatabases, LanguagesDifferOnlyInCaptions)
{
    for (kes::ObjKind kind : kes::KindsWithPropTables()) {
        const auto eng = Read(2, kind);
        for (int lang : { 0, 1 }) {
            const auto other = Read(lang, kind);
            ASSERT_EQ(other.size(), eng.size()) << kes::PropTableName(kind);
            for (std::size_t i = 0; i < eng.size(); ++i) {
                EXPECT_EQ(other[i].Text, eng[i].Text);
                EXPECT_EQ(other[i].PropType, eng[i].PropType);
                EXPECT_EQ(other[i].Level, eng[i].Level);
                EXPECT_EQ(other[i].Visible, eng[i].Visible);
                EXPECT_EQ(other[i].Parent, eng[i].Parent);
            }
        }
    }
}

TEST(PropDatabases, LayoutCheckFindsEveryDeviation)
{
    const auto good = Read(2, kes::ObjKind::LxVal);
    ASSERT_EQ(kes::CheckPropLayout(kes::ObjKind::LxVal, good), "");
    using Edit = void (*)(std::vector<kes::PropRecord>&);
    const Edit edits[] = {
        [](std::vector<kes::PropRecord>& r) { r.pop_back(); }, // a row missing
        [](std::vector<kes::PropRecord>& r) { r.push_back(r.back()); }, // a row too many
        [](std::vector<kes::PropRecord>& r) { r.clear(); }, // an empty table
        [](std::vector<kes::PropRecord>& r) { std::swap(r[7], r[8]); }, // rows out of order
        [](std::vector<kes::PropRecord>& r) { r[13].PropType = ptComboVal; }, // another row class
        [](std::vector<kes::PropRecord>& r) { r[0].Parent = true; }, // a group inside itself
        [](std::vector<kes::PropRecord>& r) { r[3].Parent = false; }, // a position row outside
        [](std::vector<kes::PropRecord>& r) { r[5].Parent = true; }, // a kind row in the group
    };
    for (std::size_t i = 0; i < std::size(edits); ++i) {
        auto records = good;
        edits[i](records);
        EXPECT_NE(kes::CheckPropLayout(kes::ObjKind::LxVal, records), "") << "edit " << i;
    }
    // Kinds without a table take the five position rows.
    EXPECT_EQ(kes::ExpectedPropLayout(kes::ObjKind::RectMeter).size(), 5u);
    EXPECT_EQ(kes::PropTableName(kes::ObjKind::Geom), "");
}

TEST(PropDatabases, ReadErrorsAreReportedNotThrown)
{
    std::vector<kes::PropRecord> records;
    std::string error;
    EXPECT_FALSE(kes::ReadPropTable("/nonexistent/objenu.mdb", "ObjTxt", records, error));
    EXPECT_NE(error, "");
    error.clear();
    EXPECT_FALSE(kes::ReadPropTable(Bin() + "objenu.mdb", "ObjNone", records, error));
    EXPECT_NE(error, "");
    // A file that is no database.
    const std::string bad = (std::filesystem::temp_directory_path() / "kes_notadb.mdb").string();
    std::FILE* f = std::fopen(bad.c_str(), "wb");
    ASSERT_TRUE(f);
    std::fputs("not a database at all, just some text that is long enough to have a header", f);
    std::fclose(f);
    error.clear();
    EXPECT_FALSE(kes::ReadPropTable(bad, "ObjTxt", records, error));
    EXPECT_NE(error, "");
    EXPECT_TRUE(records.empty());
    std::filesystem::remove(bad);
    EXPECT_EQ(kes::PropDbFileName(3), "");
}

// Hostile databases end in a message within a second: a view that recurses without end, a
// table of far too many rows, a level the grid would overflow indenting by.
TEST(PropDatabases, HostileTablesAreRefusedQuickly)
{
    const std::string path = (std::filesystem::temp_directory_path() / "kes_hostile.mdb").string();
    const std::string columns = "PropID INTEGER, PropName TEXT, PropTxt TEXT, PropType INTEGER, level INTEGER, "
                                "visible INTEGER, PropParent INTEGER";
    const struct {
        const char* what;
        std::string sql;
        bool reads; // ReadPropTable succeeds and the layout check refuses it
    } cases[] = {
        {"recursive view",
         "CREATE VIEW ObjTxt AS WITH RECURSIVE r(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM r) "
         "SELECT n AS PropID, 'x' AS PropName, 'x' AS PropTxt, 1 AS PropType, 0 AS level, 1 AS visible, "
         "0 AS PropParent FROM r",
         false},
        {"a hundred thousand rows",
         "CREATE TABLE ObjTxt(" + columns + "); WITH RECURSIVE r(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM r "
         "LIMIT 100000) INSERT INTO ObjTxt SELECT n, 'x', 'x', 1, 0, 1, 0 FROM r",
         false},
        {"level past the grid",
         "CREATE TABLE ObjTxt(" + columns + "); INSERT INTO ObjTxt VALUES(0, 'g', 'g', " + std::to_string(ptParent)
             + ", 2147483647, 1, 0)",
         true},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(path);
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db, c.sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << c.what;
        sqlite3_close(db);
        QElapsedTimer clock;
        clock.start();
        std::vector<kes::PropRecord> records;
        std::string error;
        const bool read = kes::ReadPropTable(path, "ObjTxt", records, error);
        EXPECT_LT(clock.elapsed(), 3000) << c.what;
        EXPECT_EQ(read, c.reads) << c.what << ": " << error;
        if (read)
            error = kes::CheckPropLayout(kes::ObjKind::StTxt, records);
        EXPECT_NE(error, "") << c.what;
        EXPECT_LE(records.size(), std::size_t(kes::kMaxPropRows)) << c.what;
    }
    std::filesystem::remove(path);
}

TEST(PropDatabases, EveryChoiceHasItsTextsInEveryLanguage)
{
    // Message base and count of every choice row of every kind.
    const std::pair<int, int> choices[] = {
        { 153, 6 },
        { 159, 4 },
        { 163, 3 },
        { 166, 3 },
        { 169, 2 },
        { 171, 2 },
        { 173, 4 },
        { 177, 2 },
        { 179, 2 },
        { 181, 2 },
        { 183, 2 },
        { 185, 4 },
        { 189, 2 },
        { 191, 3 },
        { 199, 5 },
        { 206, 2 },
        { 210, 2 },
        { 212, 3 },
        { 215, 7 },
        { 225, 2 },
        { 227, 2 },
        { 229, 13 },
        { 242, 3 },
        { 245, 5 },
        { 250, 7 },
        { 271, 14 },
        { 285, 2 },
    };
    for (int lang : { 0, 1, 2 }) {
        kes::TMsgTable table;
        table.LoadFromFile(Bin() + kes::MsgFileName(lang), kes::LangCodePage(lang));
        for (auto [base, count] : choices)
            for (int i = base; i < base + count; ++i)
                EXPECT_FALSE(table[i].isEmpty()) << kes::MsgFileName(lang) << " M" << i;
    }
}

TEST(TypedValues, RangeTestByFormatAndWidth)
{
    struct Case {
        const char* text;
        int format, width;
        bool ok;
    } cases[] = {
        { "65535", 0, 0, true },
        { "65536", 0, 0, false },
        { "4294967295", 0, 1, true },
        { "-1", 0, 0, false },
        { "-32768", 1, 0, true },
        { "32768", 1, 0, false },
        { "-2147483648", 1, 1, true },
        { "-", 1, 0, false },
        { "ffff", 2, 0, true },
        { "0000FFFF", 2, 0, true },
        { "10000", 2, 0, false },
        { "FFFFFFFF", 2, 1, true },
        { "9999", 3, 0, true },
        { "12345", 3, 0, false },
        { "12A", 3, 0, false },
        { "", 0, 0, false },
        { " 12 ", 0, 0, true },
        { "12", 5, 0, false },
        { "1.5", 0, 0, false },
        { "99999999999999999999", 0, 1, false },
    };
    for (const Case& c : cases)
        EXPECT_EQ(ValRangeTest(c.text, c.format, c.width), c.ok) << c.text << " " << c.format << "," << c.width;
}

TEST(TypedValues, RowsTakeOrRefuseTypedText)
{
    struct Case {
        int type; // row class
        int format; // number-as-text rows: value format
        int width;
        int max, min;
        const char* typed;
        kes::CommitResult result;
        const char* text; // the row's text afterwards
    } cases[] = {
        { ptVal, 0, 0, 255, 0, "300", kes::CommitResult::Applied, "255" },
        { ptVal, 0, 0, 255, 0, "-7", kes::CommitResult::Applied, "0" },
        { ptVal, 0, 0, 255, 0, "abc", kes::CommitResult::Refused, "old" },
        { ptVal, 0, 0, 255, 0, "99999999999", kes::CommitResult::Refused, "old" },
        { ptTextVal, 0, 0, 65535, 0, "70000", kes::CommitResult::Refused, "old" },
        { ptTextVal, 0, 0, 80, 40, "90", kes::CommitResult::Applied, "80" },
        { ptTextVal, 1, 0, 32767, -32768, "-5", kes::CommitResult::Applied, "-5" },
        { ptTextVal, 2, 0, 0xFFFF, 0, "abcd", kes::CommitResult::Applied, "ABCD" },
        { ptTextVal, 3, 1, static_cast<int>(0x99999999u), 0, "1234", kes::CommitResult::Applied, "1234" },
        { ptText, 0, 0, 0, 0, "D100", kes::CommitResult::Applied, "D100" },
        { ptComboTxt, 0, 0, 0, 0, "1", kes::CommitResult::NotEditable, "old" },
    };
    for (const Case& c : cases) {
        auto row = NewPropRow(static_cast<std::uint8_t>(c.type));
        row->SetText("old");
        if (c.type == ptVal)
            SetValRange(static_cast<TPropVal*>(row.get()), c.max, c.min, 0);
        if (c.type == ptTextVal)
            SetTextValRange(static_cast<TPropTextVal*>(row.get()), c.max, c.min, c.format, c.width, c.min);
        EXPECT_EQ(kes::CommitTypedText(*row, c.typed), c.result) << c.typed;
        EXPECT_EQ(row->GetText(), c.text) << c.typed;
    }
}
