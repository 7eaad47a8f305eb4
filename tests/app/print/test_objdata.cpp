// The object cross-reference table lists every object and setting record of the stored project
// once, in system, page, start-up screen order, with the addresses each reads, writes and calls
// (but the bit pictures of a word, which it would show under the indicator's name); a fill
// replaces the table whole or not at all, a value past the length bound refused; the working
// file is made afresh from the table, whatever lay there before; the exports write exactly the
// rows shown (the text file as laid out by hand in data/objdata_small.txt, the workbook with its
// labels in row 1), with the permissions the umask gives a new file, and never leave a
// half-written or temporary file behind.
#include "app/print/objdataexport.h"
#include "app/print/printlines.h"
#include "cputime.h"
#include "fileerrorout.h"
#include "hostiledb.h"
#include "plantproject.h"
#include "xlsxreader.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sqlite3.h>
#include <sys/stat.h>

#include <map>

namespace kes::test {
namespace {

std::string Ref(const ObjDataRef& r) { return r.Addr + "/" + (r.ID ? std::to_string(*r.ID) : "-") + "/" + r.Port; }

// "kind|name|location|size|page|read|write|call"
std::string Describe(const ObjDataRow& row)
{
    return std::to_string(row.ObjType) + "|" + row.ObjName + "|" + row.ObjLoc + "|" + row.ObjSize + "|" + row.Page +
           "|" + Ref(row.Read) + "|" + Ref(row.Write) + "|" + Ref(row.Call);
}

class ObjData : public ::testing::Test {
protected:
    ObjData() { BuildPlant(r); }
    std::vector<ObjDataRow> Rows(ObjDataView view, int page = -1)
    {
        return ObjDataRows(r.doc(), r.lx(), r.ctx.ObjData, view, page);
    }
    ReportProject r;
};

TEST_F(ObjData, EveryRecordKindGivesItsRows)
{
    const std::vector<ObjDataRow> rows = Rows(ObjDataView::All);
    std::map<int, int> perKind;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].ObjID, static_cast<int>(i));
        ++perKind[rows[i].ObjType];
    }
    // Page "Main" holds one object of every stored kind (page number and rectangle meter
    // objects are not stored), "Alarms" a button and 20 conditions, the start-up screen a
    // text, a picture and a figure. The bit picture of a word on "Main" has no row.
    const std::map<int, int> expected{
        {1, 2},     {2, 1},    {3, 1},    {4, 1},    {5, 2},    {6, 1},    {7, 1},    {8, 1},  {9, 1},
        {12, 1},    {13, 2},   {14, 1},   {15, 1},   {16, 1},   {17, 2},   {18, 1},   {19, 1}, {20, 1},
        {1000, 23}, {1001, 2}, {1002, 2}, {1003, 1}, {1004, 1}, {1006, 1}, {1009, 1},
    };
    EXPECT_EQ(perKind, expected);
}

TEST_F(ObjData, RowsCarryTheAddressesEachRecordReadsWritesAndCalls)
{
    const std::vector<ObjDataRow> rows = Rows(ObjDataView::All);
    const char* const expected[] = {
        // System: a value condition, a key, the buzzer, the clock write, the power-on macro.
        "1000|Page Change Conditions|||System Settings|D40/1/COM1|/-/|/-/",
        "1001|Function Keys|||System Settings|/1/COM1|M40/1/COM1|/1/COM1",
        "1002|Buzzer|||System Settings|Y10/1/COM1|/-/|/-/", "1004|Clock Write|||System Settings|/-/|D50/1/COM1|/-/",
        "1009|Power-on Macro|||System Settings|/-/|D60/1/COM1|/-/",
        // Page 0's settings in their order, then its objects in paint order.
        "1000|Page Change Conditions|||Pages 0|X1/1/COM1|/-/|/-/",
        "1000|Page Change Conditions|||Pages 0|D10/1/COM1|/-/|/-/",
        "1001|Function Keys|||Pages 0|/1/COM1|M30/1/COM1|/1/COM1", "1002|Buzzer|||Pages 0|M20/1/COM1|/-/|/-/",
        "1003|Hide Page|||Pages 0|/-/|/-/|/-/", "1006|Page Number Write|||Pages 0|/-/|D30/1/COM1|/-/",
        "1|Static Text|(0,0)|(32,16)|Pages 0|/-/|/-/|/-/", "2|ReadOut|(40,0)|(48,16)|Pages 0|D100/2/COM2|/-/|/-/",
        "3|Indicator|(80,0)|(16,16)|Pages 0|X3/1/COM1|/-/|/-/",
        "4|Multi-State Indicator|(100,0)|(16,16)|Pages 0|D101/1/COM1|/-/|/-/",
        "5|Static Bitmap|(120,0)|(12,8)|Pages 0|/-/|/-/|/-/",
        "6|Dynamic Bitmap|(140,0)|(16,16)|Pages 0|D102/1/COM1|/-/|/-/", "7|Scale|(160,0)|(30,10)|Pages 0|/-/|/-/|/-/",
        "8|Progress Bar|(0,20)|(10,20)|Pages 0|D103/1/COM1|/-/|/-/",
        "9|Circle Meter|(30,20)|(50,44)|Pages 0|D104/1/COM1|/-/|/-/",
        "12|Message Display|(70,20)|(20,10)|Pages 0|M5/1/COM1|/-/|/-/",
        // A button reads its second reference, writes its first and calls its third.
        "13|Button|(100,20)|(20,10)|Pages 0|M7/1/COM1|M6/1/COM1|M8/1/COM1",
        "14|Curve|(130,20)|(30,30)|Pages 0|D105/1/COM1|/-/|/-/",
        "15|X-Y Curve|(0,40)|(30,24)|Pages 0|D106/1/COM1|/-/|/-/",
        // A clock that reads the controller's clock.
        "16|Clock Display|(40,40)|(20,10)|Pages 0|D107/1/COM1|/-/|/-/",
        "17|Geometric Figure|(0,0)|(191,63)|Pages 0|/-/|/-/|/-/",
        "18|Multi-State Bitmap|(90,40)|(16,16)|Pages 0|Y2/1/COM1|/-/|/-/",
        "19|Units|(110,40)|(13,10)|Pages 0|/-/|/-/|/-/",
        "20|Numeric Input|(130,40)|(48,16)|Pages 0|D109/1/COM1|D108/1/COM1|M9/1/COM1",
        // The bit picture of a word that follows lies here: it has no row.
    };
    ASSERT_GE(rows.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i)
        EXPECT_EQ(Describe(rows[i]), expected[i]) << "row " << i;
    // Page 1 is empty; page 2's conditions come before its button; the start-up screen last.
    EXPECT_EQ(rows[std::size(expected)].Page, "Pages 2");
    EXPECT_EQ(Describe(rows.back()), "17|Geometric Figure|(0,0)|(98,58)|Start-up Screen|/-/|/-/|/-/");
    EXPECT_EQ(rows.back().PageNum, 4);
    // Every row under the indicator's name is a bit indicator.
    for (const ObjDataRow& row : rows) {
        if (row.ObjName == "Indicator") {
            EXPECT_EQ(row.ObjType, static_cast<int>(ObjKind::LxDevBmp));
        }
    }
}

TEST_F(ObjData, EachViewHoldsItsOwnRows)
{
    struct Case {
        const char* name;
        ObjDataView view;
        int page;
        std::size_t rows;
        int pageNum;
    };
    const Case cases[] = {
        {"system", ObjDataView::System, -1, 5, 0},
        {"page 0", ObjDataView::Page, 0, 24, 1},
        {"an empty page", ObjDataView::Page, 1, 0, 2},
        {"page 2", ObjDataView::Page, 2, 21, 3},
        {"no page chosen", ObjDataView::Page, -1, 0, 0},
        {"a page past the last", ObjDataView::Page, 3, 0, 0},
        {"start-up screen", ObjDataView::StartScreen, -1, 3, 4},
    };
    for (const Case& c : cases) {
        const std::vector<ObjDataRow> rows = Rows(c.view, c.page);
        ASSERT_EQ(rows.size(), c.rows) << c.name;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].ObjID, static_cast<int>(i)) << c.name;
            EXPECT_EQ(rows[i].PageNum, c.pageNum) << c.name;
        }
    }
    // A project without pages or start-up screen: only the system's rows.
    r.doc().PgDataList.clear();
    r.doc().StartScreenData->Data.clear();
    EXPECT_EQ(Rows(ObjDataView::All).size(), 5u);
    EXPECT_TRUE(Rows(ObjDataView::Page, 0).empty());
}

TEST_F(ObjData, TheTableShowsTheRowsOfAFillInPageOrder)
{
    ObjDataDb db;
    DbError error;
    ASSERT_TRUE(db.Open("", error)) << error.Text;
    ASSERT_TRUE(db.Fill(Rows(ObjDataView::All), error)) << error.Text;
    ObjDataResult all;
    ASSERT_TRUE(db.Query(ObjDataViewSql(ObjDataView::All, 0), all, error)) << error.Text;
    ASSERT_EQ(all.Columns.size(), 14u);
    EXPECT_EQ(all.Columns[0], "Page");
    EXPECT_EQ(all.Rows.size(), 53u);
    EXPECT_EQ(all.Rows[5][0], "Pages 0");
    // An unset column reads as empty; a station as its number.
    EXPECT_EQ(all.Rows[0][4], "D40");
    EXPECT_EQ(all.Rows[0][5], "1");
    EXPECT_EQ(all.Rows[0][7], "");
    ObjDataResult page;
    ASSERT_TRUE(db.Query(ObjDataViewSql(ObjDataView::Page, 3), page, error)) << error.Text;
    EXPECT_EQ(page.Columns.size(), 13u);
    EXPECT_EQ(page.Rows.size(), 21u);
    EXPECT_EQ(page.Rows.back()[0], "Button");
}

// A fill that fails part way, here on a value past the length bound, leaves the rows of the
// fill before it and says why.
TEST_F(ObjData, AFailedFillLeavesTheTableAsItWas)
{
    ObjDataDb db;
    DbError error;
    ASSERT_TRUE(db.Open("", error)) << error.Text;
    ASSERT_TRUE(db.Fill(Rows(ObjDataView::System), error)) << error.Text;
    std::vector<ObjDataRow> rows = Rows(ObjDataView::All);
    rows[7].Page = std::string(ObjDataDbBounds().MaxValueBytes + 1, 'x');
    EXPECT_FALSE(db.Fill(rows, error));
    EXPECT_EQ(error.Refusal, DbRefusal::ValueTooLong) << error.Text;
    EXPECT_EQ(error.MaxValueBytes, ObjDataDbBounds().MaxValueBytes);
    ObjDataResult shown;
    ASSERT_TRUE(db.Query(ObjDataViewSql(ObjDataView::All, 0), shown, error)) << error.Text;
    ASSERT_EQ(shown.Rows.size(), 5u);
    EXPECT_EQ(shown.Rows[0][0], "System Settings");
    // A value well inside the bound (which holds a whole row) is taken.
    rows[7].Page.resize(ObjDataDbBounds().MaxValueBytes / 2);
    EXPECT_TRUE(db.Fill(rows, error)) << error.Text;
}

// The working file is the program's own: whatever lies there (a view or trigger without end,
// values far past the bound, garbage, a hot journal beside it) is replaced by the table just
// filled, within a second, and the table shows the rows of that fill.
TEST_F(ObjData, TheWorkingFileIsMadeAfreshFromTheTable)
{
    QTemporaryDir dir;
    const std::string path = QDir(dir.path()).filePath(QStringLiteral("lumora.mdb")).toStdString();
    const std::vector<ObjDataRow> rows = Rows(ObjDataView::Page, 0);
    const std::vector<std::string> columns(std::begin(kObjDataColumns), std::end(kObjDataColumns));
    std::vector<std::string> typed = columns;
    typed[0] += " INTEGER";
    typed[1] += " TEXT";
    const auto files = test::HostileDatabases(
        "ObjData", typed,
        "0, 'Button', '(0,0)', '(1,1)', 13, 1, 'Pages 0', 'M1', 1, 'COM1', '', -1, '', '', -1, '', ''");
    for (const auto& file : files) {
        ASSERT_TRUE(test::PutFile(path, file.Bytes));
        ASSERT_TRUE(test::PutFile(path + "-journal", file.Bytes));
        const test::CpuStopwatch cpu;
        ObjDataDb db;
        DbError error;
        ASSERT_TRUE(db.Open(path, error)) << file.What << ": " << error.Text;
        ASSERT_TRUE(db.Fill(rows, error)) << file.What << ": " << error.Text;
        ASSERT_TRUE(db.Save(error)) << file.What << ": " << error.Text;
        ObjDataResult shown;
        ASSERT_TRUE(db.Query(ObjDataViewSql(ObjDataView::Page, 1), shown, error)) << file.What << ": " << error.Text;
        EXPECT_LT(cpu.Elapsed().count(), 1000) << "ms of CPU time: " << file.What;
        EXPECT_EQ(shown.Rows.size(), rows.size()) << file.What;
        EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(path + "-journal"))) << file.What;

        // What another program finds in the file: the table alone, with the rows of the fill.
        sqlite3* other = nullptr;
        ASSERT_EQ(sqlite3_open_v2(path.c_str(), &other, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
        sqlite3_stmt* st = nullptr;
        ASSERT_EQ(sqlite3_prepare_v2(other,
                                     "SELECT (SELECT group_concat(type || ' ' || name) FROM sqlite_master), "
                                     "(SELECT count(*) FROM ObjData), (SELECT max(ObjName) FROM ObjData)",
                                     -1, &st, nullptr),
                  SQLITE_OK)
            << file.What;
        ASSERT_EQ(sqlite3_step(st), SQLITE_ROW) << file.What;
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))), "table ObjData") << file.What;
        EXPECT_EQ(sqlite3_column_int(st, 1), static_cast<int>(rows.size())) << file.What;
        sqlite3_finalize(st);
        sqlite3_close(other);
    }
}

// A working file that can not be written is said so; the table still shows the fill.
TEST_F(ObjData, AWorkingFileThatCannotBeWrittenSaysSo)
{
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("lumora.mdb"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("lumora.mdb")));
    ObjDataDb db;
    DbError error;
    ASSERT_TRUE(db.Open(path.toStdString(), error)) << error.Text;
    ASSERT_TRUE(db.Fill(Rows(ObjDataView::System), error)) << error.Text;
    EXPECT_FALSE(db.Save(error));
    EXPECT_NE(error.File.Path.find("lumora.mdb"), std::string::npos) << error.File;
    EXPECT_EQ(error.File.Fault, FileFault::Folder) << error.File;
    ObjDataResult shown;
    ASSERT_TRUE(db.Query(ObjDataViewSql(ObjDataView::System, 0), shown, error)) << error.Text;
    EXPECT_EQ(shown.Rows.size(), 5u);
    EXPECT_TRUE(QFileInfo(path).isDir());
}

// The working file lies where the program writes: its own folder, or the user's data folder
// when that can not be written.
TEST_F(ObjData, TheWorkingFileLiesWhereTheProgramWrites)
{
    ProjectState& state = r.doc();
    const std::string app = state.AppDir;
    state.AppDir = "/opt/kestrova/";
    state.DataDir.clear();
    EXPECT_EQ(ObjDataDbPath(state), "/opt/kestrova/lumora.mdb");
    state.DataDir = "/home/user/.local/share/kestrova/";
    EXPECT_EQ(ObjDataDbPath(state), "/home/user/.local/share/kestrova/lumora.mdb");
    state.AppDir = app;
    state.DataDir.clear();
}

class ObjDataExport : public ::testing::Test {
protected:
    // The rows of the all-rows view of a small project: a system condition, a page with a text
    // and a numeric display, and a start-up screen with a text.
    ObjDataResult SmallProject()
    {
        PgJmpRec* sys = r.doc().AddSysPgJump();
        sys->Ref.DevAddrCode = r.Code("D40", true);
        sys->Kind = 0x10;
        const std::unique_ptr<PageData> page = r.NewPage();
        r.Add<TLxObj>(*page, ObjKind::StTxt, 0, 0);
        r.Add<TLxObj>(*page, ObjKind::LxVal, 40, 0, [this](TLxObj& o) {
            auto& ref = dynamic_cast<TLxDevRef&>(o);
            ref.DevAddrCode = r.Code("D100", true);
            ref.RefStation = 2;
            ref.RefLink = 1;
        });
        r.StorePage(*page, "Main");
        const std::unique_ptr<PageData> start = r.NewPage();
        r.Add<TLxObj>(*start, ObjKind::StTxt, 10, 10);
        r.StoreStartScreen(*start);
        return Table(ObjDataRows(r.doc(), r.lx(), r.ctx.ObjData, ObjDataView::All, -1));
    }
    ObjDataResult Table(const std::vector<ObjDataRow>& rows)
    {
        ObjDataDb db;
        DbError error;
        EXPECT_TRUE(db.Open("", error)) << error.Text;
        EXPECT_TRUE(db.Fill(rows, error)) << error.Text;
        ObjDataResult out;
        EXPECT_TRUE(db.Query(ObjDataViewSql(ObjDataView::All, 0), out, error)) << error.Text;
        return out;
    }
    // The labels of the English message table, as the program has it.
    std::vector<std::string> Labels(const ObjDataResult& result)
    {
        return ObjDataLabels(result.Columns, [this](int n) { return MsgOf(r.doc().MsgTable, n); });
    }
    std::string Path(const char* name) const { return QDir(dir.path()).filePath(QLatin1String(name)).toStdString(); }
    // The base of the workbook export's scratch folders.
    std::string Scratch() const { return Path("workbook"); }
    // The files of the folder, hidden ones (temporaries) too.
    std::vector<std::string> Files() const
    {
        std::vector<std::string> out;
        for (const QString& s : QDir(dir.path()).entryList(QDir::Files | QDir::Hidden))
            out.push_back(s.toStdString());
        return out;
    }

    ReportProject r;
    QTemporaryDir dir;
};

TEST_F(ObjDataExport, TheTextFileIsLaidOutRowByRow)
{
    const ObjDataResult rows = SmallProject();
    const std::string path = Path("Plant.txt");
    ExportError error;
    // An older file of the name is replaced whole.
    ASSERT_TRUE(WriteFileAtomic(path, std::string(5000, 'x'), &error.File));
    ASSERT_TRUE(WriteObjDataText(path, Labels(rows), rows, error)) << error.File;
    std::string written;
    ASSERT_TRUE(ReadFileText(path, 1u << 30, written, nullptr));
    std::string expected;
    ASSERT_TRUE(ReadFileText(std::string(KES_TEST_DATA_DIR) + "/data/objdata_small.txt", 1u << 30, expected, nullptr));
    std::string crlf;
    for (char c : expected)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_EQ(written, crlf);
    EXPECT_EQ(Files(), std::vector<std::string>{"Plant.txt"});

    // Nothing to list: the closing rule alone.
    EXPECT_EQ(ObjDataText(Labels(rows), ObjDataResult{rows.Columns, {}}), std::string(62, '-'));
}

TEST_F(ObjDataExport, TheWorkbookHoldsTheLabelsThenOneRowPerTableRow)
{
    const ObjDataResult rows = SmallProject();
    const std::string path = Path("Plant.xlsx");
    ExportError error;
    ASSERT_TRUE(WriteFileAtomic(path, "not a workbook", &error.File));
    ASSERT_TRUE(WriteObjDataXlsx(path, Labels(rows), rows, Scratch(), error)) << error.File << error.Library;
    const std::map<std::string, std::string> cells = ReadXlsxCells(path);
    ASSERT_FALSE(cells.empty());
    const std::map<std::string, std::string> expected{
        {"A1", "Page Number"},
        {"B1", "Object Name"},
        {"C1", "Object Location"},
        {"D1", "Object Size"},
        {"E1", "Read Address"},
        {"F1", "Read UnitAddr"},
        {"G1", "Read Port"},
        {"H1", "Write Address"},
        {"I1", "Write UnitAddr"},
        {"J1", "Write port"},
        {"K1", "Call Address"},
        {"L1", "Call UnitAddr"},
        {"M1", "Call Port"},
        {"N1", "Description"},
        {"A2", "System Settings"},
        {"B2", "Page Change Conditions"},
        {"E2", "D40"},
        {"F2", "1"},
        {"G2", "COM1"},
        {"A3", "Pages 0"},
        {"B3", "Static Text"},
        {"C3", "(0,0)"},
        {"D3", "(32,16)"},
        {"A4", "Pages 0"},
        {"B4", "ReadOut"},
        {"C4", "(40,0)"},
        {"D4", "(48,16)"},
        {"E4", "D100"},
        {"F4", "2"},
        {"G4", "COM2"},
        {"A5", "Start-up Screen"},
        {"B5", "Static Text"},
        {"C5", "(10,10)"},
        {"D5", "(32,16)"},
    };
    EXPECT_EQ(cells, expected);
    EXPECT_EQ(Files(), std::vector<std::string>{"Plant.xlsx"});

    // Only the label row for an empty table.
    ASSERT_TRUE(WriteObjDataXlsx(path, Labels(rows), ObjDataResult{rows.Columns, {}}, Scratch(), error)) << error.File;
    EXPECT_EQ(ReadXlsxCells(path).size(), 14u);
}

TEST_F(ObjDataExport, AnExportThatCannotBeWrittenSaysSoAndLeavesNothingBehind)
{
    const ObjDataResult rows = SmallProject();
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Plant.xlsx")));
    ExportError error;
    EXPECT_FALSE(WriteObjDataXlsx(Path("Plant.xlsx"), Labels(rows), rows, Scratch(), error));
    EXPECT_NE(error.File.Path.find("Plant.xlsx"), std::string::npos) << error.File;
    ExportError textError;
    EXPECT_FALSE(WriteObjDataText(Path("missing/Plant.txt"), Labels(rows), rows, textError));
    EXPECT_TRUE(textError.File.Failed());
    EXPECT_TRUE(Files().empty());
    EXPECT_TRUE(QFileInfo(QDir(dir.path()).filePath(QStringLiteral("Plant.xlsx"))).isDir());
    // Nor a scratch folder of the workbook's parts.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{QStringLiteral("Plant.xlsx")});
}

// A new export file takes the permissions the umask gives any new file; a replaced one keeps its own.
TEST_F(ObjDataExport, ExportsTakeThePermissionsOfTheUmask)
{
    const ObjDataResult rows = SmallProject();
    const mode_t before = ::umask(027);
    ExportError error;
    EXPECT_TRUE(WriteObjDataText(Path("Plant.txt"), Labels(rows), rows, error)) << error.File;
    EXPECT_TRUE(WriteObjDataXlsx(Path("Plant.xlsx"), Labels(rows), rows, Scratch(), error)) << error.File;
    ::umask(before);
    const auto mode = [this](const char* name) {
        struct stat st {};
        EXPECT_EQ(::stat(Path(name).c_str(), &st), 0) << name;
        return st.st_mode & 0777;
    };
    EXPECT_EQ(mode("Plant.txt"), 0640u);
    EXPECT_EQ(mode("Plant.xlsx"), 0640u);
    ASSERT_EQ(::chmod(Path("Plant.xlsx").c_str(), 0604), 0);
    EXPECT_TRUE(WriteObjDataXlsx(Path("Plant.xlsx"), Labels(rows), rows, Scratch(), error)) << error.File;
    EXPECT_EQ(mode("Plant.xlsx"), 0604u);
    EXPECT_EQ(Files(), (std::vector<std::string>{"Plant.txt", "Plant.xlsx"}));
}

} // namespace
} // namespace kes::test
