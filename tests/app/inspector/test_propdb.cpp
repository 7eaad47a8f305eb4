// The shipped property databases must give every kind exactly the rows its reader and
// writer address by position, in all three languages alike but for the captions; every
// choice row must find its texts in all three message files; a damaged or hostile file is
// refused within a second rather than indexed, a value past the length bound or a read past
// the step bound by a refusal of its own; typed numbers are taken only when their format and
// width allow.
#include "app/inspector/propcommit.h"
#include "app/inspector/propdb.h"
#include "app/model/valrangetest.h"
#include "app/ui/msgtable.h"
#include "cputime.h"
#include "hostiledb.h"
#include "objects/tpropbase.h"
#include "platform/fileio.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include <filesystem>
#include <map>

namespace {

std::string Bin() { return std::string(KES_BIN_DIR) + "/"; }

std::vector<kes::PropRecord> Read(int lang, kes::ObjKind kind)
{
    std::vector<kes::PropRecord> records;
    kes::DbError error;
    EXPECT_TRUE(kes::ReadPropTable(Bin() + kes::PropDbFileName(lang), kes::PropTableName(kind), records, error))
        << error.Text;
    return records;
}

} // namespace

TEST(PropDatabases, EveryTableFitsItsKindInEveryLanguage)
{
    EXPECT_EQ(kes::KindsWithPropTables().size(), 18u);
    for (int lang : {0, 1, 2}) {
        for (kes::ObjKind kind : kes::KindsWithPropTables()) {
            const auto records = Read(lang, kind);
            EXPECT_FALSE(kes::CheckPropLayout(kind, records).Failed())
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
        for (int lang : {0, 1}) {
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
    ASSERT_FALSE(kes::CheckPropLayout(kes::ObjKind::LxVal, good).Failed());
    using What = kes::PropLayoutFault::What;
    const int rows = static_cast<int>(good.size());
    struct Case {
        const char* name;
        void (*edit)(std::vector<kes::PropRecord>&);
        What fault;
        int row;
    };
    const Case cases[] = {
        {"a row missing", [](std::vector<kes::PropRecord>& r) { r.pop_back(); }, What::RowCount, 0},
        {"a row too many", [](std::vector<kes::PropRecord>& r) { r.push_back(r.back()); }, What::RowCount, 0},
        {"an empty table", [](std::vector<kes::PropRecord>& r) { r.clear(); }, What::RowCount, 0},
        {"rows out of order", [](std::vector<kes::PropRecord>& r) { std::swap(r[7], r[8]); }, What::RowClass, 7},
        {"another row class", [](std::vector<kes::PropRecord>& r) { r[13].PropType = ptComboVal; }, What::RowClass, 13},
        {"a group inside itself", [](std::vector<kes::PropRecord>& r) { r[0].Parent = true; }, What::InsideGroup, 0},
        {"a position row outside", [](std::vector<kes::PropRecord>& r) { r[3].Parent = false; }, What::OutsideGroup, 3},
        {"a kind row in the group", [](std::vector<kes::PropRecord>& r) { r[5].Parent = true; }, What::InsideGroup, 5},
        {"a level past the grid's", [](std::vector<kes::PropRecord>& r) { r[6].Level = -1; }, What::Level, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto records = good;
        c.edit(records);
        const kes::PropLayoutFault fault = kes::CheckPropLayout(kes::ObjKind::LxVal, records);
        EXPECT_EQ(fault.Fault, c.fault);
        EXPECT_EQ(fault.Row, c.row);
        if (c.fault == What::RowCount) {
            EXPECT_EQ(fault.Found, static_cast<int>(records.size()));
            EXPECT_EQ(fault.Expected, rows);
        }
    }
    // Kinds without a table take the five position rows.
    EXPECT_EQ(kes::ExpectedPropLayout(kes::ObjKind::RectMeter).size(), 5u);
    EXPECT_EQ(kes::PropTableName(kes::ObjKind::Geom), "");
}

TEST(PropDatabases, ReadErrorsAreReportedNotThrown)
{
    std::vector<kes::PropRecord> records;
    kes::DbError error;
    EXPECT_FALSE(kes::ReadPropTable("/nonexistent/objenu.mdb", "ObjTxt", records, error));
    EXPECT_NE(error.Text, "");
    error = {};
    EXPECT_FALSE(kes::ReadPropTable(Bin() + "objenu.mdb", "ObjNone", records, error));
    EXPECT_NE(error.Text, "");
    EXPECT_EQ(kes::PropDbFileName(3), "");
}

// Hostile files end within a second: in a refusal by the length or step bound, in an error,
// or in records the layout check then refuses.
TEST(PropDatabases, HostileFilesEndQuicklyInAMessage)
{
    using kes::DbRefusal;
    const std::string path = (std::filesystem::temp_directory_path() / "kes_hostile.mdb").string();
    const std::map<std::string, DbRefusal> refusals{
        {"a value of two megabytes", DbRefusal::ValueTooLong},
        {"a column computing a hundred megabytes", DbRefusal::ValueTooLong},
        {"a hundred thousand rows", DbRefusal::TooSlow},
    };
    const auto files =
        kes::test::HostileDatabases("ObjTxt",
                                    {"PropID INTEGER", "PropName TEXT", "PropTxt TEXT", "PropType INTEGER",
                                     "level INTEGER", "visible INTEGER", "PropParent INTEGER"},
                                    "0, 'Position', '', " + std::to_string(ptParent) + ", 0, 1, 0");
    for (const auto& file : files) {
        ASSERT_TRUE(kes::test::PutFile(path, file.Bytes));
        const kes::test::CpuStopwatch cpu;
        std::vector<kes::PropRecord> records;
        kes::DbError error;
        const bool read = kes::ReadPropTable(path, "ObjTxt", records, error);
        const kes::PropLayoutFault fault =
            read ? kes::CheckPropLayout(kes::ObjKind::StTxt, records) : kes::PropLayoutFault{};
        EXPECT_LT(cpu.Elapsed().count(), 1000) << "ms of CPU time: " << file.What;
        EXPECT_TRUE(error.Failed() || fault.Failed()) << file.What;
        const auto refusal = refusals.find(file.What);
        EXPECT_EQ(error.Refusal, refusal == refusals.end() ? DbRefusal::None : refusal->second)
            << file.What << ": " << error.Text;
        if (error.Refusal == DbRefusal::ValueTooLong) {
            EXPECT_EQ(error.MaxValueBytes, kes::PropDbBounds().MaxValueBytes) << file.What;
        }
        EXPECT_LE(records.size(), std::size_t(kes::kMaxPropRows)) << file.What;
        for (const auto& r : records) {
            EXPECT_LE(r.Name.size() + r.Text.size(), kes::PropDbBounds().MaxValueBytes) << file.What;
        }
    }
    std::filesystem::remove(path);
}

// A level the grid would overflow indenting by reads, and the layout check refuses it.
TEST(PropDatabases, ALevelPastTheGridIsRefused)
{
    const std::string path = (std::filesystem::temp_directory_path() / "kes_level.mdb").string();
    std::filesystem::remove(path);
    ASSERT_TRUE(kes::test::PutFile(
        path, kes::test::DatabaseOf(
                  "CREATE TABLE ObjTxt(PropID INTEGER, PropName TEXT, PropTxt TEXT, PropType INTEGER, level INTEGER, "
                  "visible INTEGER, PropParent INTEGER); INSERT INTO ObjTxt VALUES(0, 'g', 'g', " +
                  std::to_string(ptParent) + ", 2147483647, 1, 0)")));
    std::vector<kes::PropRecord> records;
    kes::DbError error;
    ASSERT_TRUE(kes::ReadPropTable(path, "ObjTxt", records, error)) << error.Text;
    records.resize(kes::ExpectedPropLayout(kes::ObjKind::StTxt).size(), records[0]);
    const kes::PropLayoutFault fault = kes::CheckPropLayout(kes::ObjKind::StTxt, records);
    EXPECT_EQ(fault.Fault, kes::PropLayoutFault::What::Level);
    EXPECT_EQ(fault.Found, 2147483647);
    std::filesystem::remove(path);
}

// A table longer than any is refused with the bound it passed, and what does not fit a layout is
// said in the language in force, its numbers the only thing not in the language's words.
TEST(PropDatabases, RefusalsAndLayoutFaultsAreWordedInTheLanguage)
{
    const std::string path = (std::filesystem::temp_directory_path() / "kes_rows.mdb").string();
    std::filesystem::remove(path);
    ASSERT_TRUE(kes::test::PutFile(
        path,
        kes::test::DatabaseOf("CREATE TABLE ObjTxt(PropID INTEGER, PropName TEXT, PropTxt TEXT, PropType INTEGER, "
                              "level INTEGER, visible INTEGER, PropParent INTEGER); WITH RECURSIVE r(n) AS "
                              "(SELECT 1 UNION ALL SELECT n + 1 FROM r LIMIT 300) INSERT INTO ObjTxt SELECT n, "
                              "'p', '', 0, 0, 1, 0 FROM r;")));
    std::vector<kes::PropRecord> records;
    kes::DbError error;
    EXPECT_FALSE(kes::ReadPropTable(path, "ObjTxt", records, error));
    EXPECT_EQ(error.Refusal, kes::DbRefusal::TooManyRows);
    EXPECT_EQ(error.MaxRows, kes::kMaxPropRows);
    EXPECT_TRUE(records.empty());
    std::filesystem::remove(path);

    using What = kes::PropLayoutFault::What;
    const kes::PropLayoutFault faults[] = {
        {What::RowCount, 0, 3, 17}, {What::RowClass, 6, 4, 9},       {What::OutsideGroup, 2},
        {What::InsideGroup, 5},     {What::Level, 7, 2147483647, 8},
    };
    const std::string savedAppDir = kes::AppDir();
    kes::SetAppDir(Bin());
    for (const int lang : {kes::LangEng, kes::LangCht, kes::LangChs}) {
        kes::LoadMessageTable(lang);
        for (const kes::PropLayoutFault& f : faults) {
            SCOPED_TRACE(std::to_string(lang) + " " + std::to_string(static_cast<int>(f.Fault)));
            QString text = kes::PropLayoutText(f);
            ASSERT_FALSE(text.isEmpty());
            if (f.Fault != What::RowCount) {
                EXPECT_TRUE(text.contains(QString::number(f.Row + 1))) << text.toStdString() << ": rows count from 1";
            }
            if (lang != kes::LangEng) {
                EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("[A-Za-z]")))) << text.toStdString();
            }
        }
    }
    kes::LoadMessageTable(kes::LangEng);
    kes::SetAppDir(savedAppDir);
}

TEST(PropDatabases, EveryChoiceHasItsTextsInEveryLanguage)
{
    // Message base and count of every choice row of every kind.
    const std::pair<int, int> choices[] = {
        {153, 6}, {159, 4}, {163, 3}, {166, 3},  {169, 2}, {171, 2}, {173, 4}, {177, 2},  {179, 2},
        {181, 2}, {183, 2}, {185, 4}, {189, 2},  {191, 3}, {199, 5}, {206, 2}, {210, 2},  {212, 3},
        {215, 7}, {225, 2}, {227, 2}, {229, 13}, {242, 3}, {245, 5}, {250, 7}, {271, 14}, {285, 2},
    };
    for (int lang : {0, 1, 2}) {
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
        {"65535", 0, 0, true},       {"65536", 0, 0, false},
        {"4294967295", 0, 1, true},  {"-1", 0, 0, false},
        {"-32768", 1, 0, true},      {"32768", 1, 0, false},
        {"-2147483648", 1, 1, true}, {"-", 1, 0, false},
        {"ffff", 2, 0, true},        {"0000FFFF", 2, 0, true},
        {"10000", 2, 0, false},      {"FFFFFFFF", 2, 1, true},
        {"9999", 3, 0, true},        {"12345", 3, 0, false},
        {"12A", 3, 0, false},        {"", 0, 0, false},
        {" 12 ", 0, 0, true},        {"12", 5, 0, false},
        {"1.5", 0, 0, false},        {"99999999999999999999", 0, 1, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ValRangeTest(c.text, c.format, c.width), c.ok) << c.text << " " << c.format << "," << c.width;
}

TEST(TypedValues, RowsTakeOrRefuseTypedText)
{
    struct Case {
        int type;   // row class
        int format; // number-as-text rows: value format
        int width;
        int max, min;
        const char* typed;
        kes::CommitResult result;
        const char* text; // the row's text afterwards
    } cases[] = {
        {ptVal, 0, 0, 255, 0, "300", kes::CommitResult::Applied, "255"},
        {ptVal, 0, 0, 255, 0, "-7", kes::CommitResult::Applied, "0"},
        {ptVal, 0, 0, 255, 0, "abc", kes::CommitResult::Refused, "old"},
        {ptVal, 0, 0, 255, 0, "99999999999", kes::CommitResult::Refused, "old"},
        {ptTextVal, 0, 0, 65535, 0, "70000", kes::CommitResult::Refused, "old"},
        {ptTextVal, 0, 0, 80, 40, "90", kes::CommitResult::Applied, "80"},
        {ptTextVal, 1, 0, 32767, -32768, "-5", kes::CommitResult::Applied, "-5"},
        {ptTextVal, 2, 0, 0xFFFF, 0, "abcd", kes::CommitResult::Applied, "ABCD"},
        {ptTextVal, 3, 1, static_cast<int>(0x99999999u), 0, "1234", kes::CommitResult::Applied, "1234"},
        {ptText, 0, 0, 0, 0, "D100", kes::CommitResult::Applied, "D100"},
        {ptComboTxt, 0, 0, 0, 0, "1", kes::CommitResult::NotEditable, "old"},
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
