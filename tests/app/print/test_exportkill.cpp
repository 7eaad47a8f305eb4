// An export (the object table's workbook, a printout to a PDF file) killed at any moment leaves
// its file as it was or as written whole, never a part of one. The library writes into a locked
// temporary beside the file, which the next export of the file removes when a kill left it; the
// workbook library's own temporary parts go to a locked scratch folder in the folder the program
// writes to, which the next start removes, never to the private temporary folder where nothing
// would. The start leaves the file as it is, and an export another run is still making keeps
// what it holds. A child process exports; the parent kills it after every step of the write,
// then at random moments.
#include "../shell/shellfixture.h"

#include "app/model/projectstate.h"
#include "app/print/objdataexport.h"
#include "app/print/printjob.h"
#include "app/print/tprnset.h"
#include "app/shell/startup.h"
#include "inchild.h"
#include "plantproject.h"
#include "platform/fileio.h"
#include "xlsxreader.h"

#include <QDir>
#include <QFile>
#include <QPrinter>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace kes::test {
namespace {

namespace fs = std::filesystem;

std::string Bytes(const std::string& path)
{
    std::string text;
    ReadFileText(path, 1u << 30, text, nullptr);
    return text;
}

std::string Joined(const std::vector<std::string>& names)
{
    std::string out;
    for (const std::string& n : names)
        out += " " + n;
    return out;
}

// Everything in a folder but the names given.
std::vector<std::string> Others(const std::string& folder, const std::vector<std::string>& names = {})
{
    std::vector<std::string> found;
    for (const auto& e : fs::directory_iterator(folder))
        if (std::find(names.begin(), names.end(), e.path().filename().string()) == names.end())
            found.push_back(e.path().filename().string());
    return found;
}

// One export in two versions that differ throughout; the second is several write blocks
// long. Its writer hands the watch (when given) to the export.
struct Export {
    const char* name;
    std::string path;
    std::function<bool(int version, const WriteWatch* watch)> write;
    // What the versions differ in, read from a whole file (two exports of one version differ in
    // the time they carry).
    std::function<std::string(const std::string& path)> content;
};

class ExportKillTest : public ShellFixture {
protected:
    ExportKillTest() : printer(QPrinter::HighResolution)
    {
        BuildPlant(r);
        job = std::make_unique<PrintJob>(r.doc(), r.lx(), PrintChoice{}, false, r.ctx.Print);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QRect area = printer.pageLayout().paintRectPixels(360);
        units = job->Plan(PrinterGeometry(r.doc().DefaultZoom, area.width(), area.height()));
    }
    void SetUp() override
    {
        ShellFixture::SetUp();
        ASSERT_GT(units, 2);
        fs::create_directories(Dir() + "book");
        fs::create_directories(Dir() + "sheets");
        fs::create_directories(privateTemp);
    }
    void TearDown() override
    {
        fs::remove_all(privateTemp);
        ShellFixture::TearDown();
    }

    // The base of the workbook's scratch folders, in the folder the program writes to.
    std::string Scratch() const
    {
        ProjectState where;
        where.AppDir = Dir();
        return WorkbookScratchBase(where);
    }
    // The scratch folders there.
    std::vector<std::string> Scratches() const
    {
        std::vector<std::string> found;
        for (const std::string& n : Others(Dir()))
            if (n.rfind(fs::path(Scratch()).filename().string() + ".tmp", 0) == 0)
                found.push_back(n);
        return found;
    }

    // Where an export goes, as a user's folder: one of its own for each.
    std::string Folder(const Export& e) const { return fs::path(e.path).parent_path().string(); }

    std::vector<Export> Exports()
    {
        std::vector<Export> e;
        const std::string book = Dir() + "book/Plant.xlsx";
        e.push_back({"workbook", book,
                     [book, scratch = Scratch()](int v, const WriteWatch* watch) {
                         ObjDataResult rows;
                         rows.Columns = {"ObjName", "Descript"};
                         for (int i = 0; i < (v == 0 ? 2 : 3000); ++i)
                             rows.Rows.push_back({"object " + std::to_string(i), std::string(v == 0 ? 5 : 40, 'd')});
                         ExportError error;
                         return WriteObjDataXlsx(book, {"Name", "Description"}, rows, scratch, error, watch);
                     },
                     [](const std::string& path) {
                         std::string cells;
                         for (const auto& [at, text] : ReadXlsxCells(path))
                             cells += at + "=" + text + ";";
                         return cells;
                     }});
        const std::string pdf = Dir() + "sheets/Plant.pdf";
        e.push_back({"printout", pdf,
                     [this, pdf](int v, const WriteWatch* watch) {
                         printer.setOutputFileName(QString::fromStdString(pdf));
                         return PrintUnits(*job, printer, 1, v == 0 ? 1 : units, nullptr, watch);
                     },
                     [](const std::string& path) {
                         const std::string bytes = Bytes(path);
                         const bool whole = bytes.size() > 6 && bytes.compare(bytes.size() - 6, 6, "%%EOF\n") == 0;
                         return std::to_string(PdfPages(QString::fromStdString(path))) + (whole ? " pages" : " cut");
                     }});
        return e;
    }

    // A child that exports: private temporary files of its own would go to privateTemp.
    template <class Body> int Exporting(Body body)
    {
        return InChild([&] {
            ::setenv("TMPDIR", privateTemp.c_str(), 1);
            // A child that hangs fails the test instead of keeping it.
            ::alarm(60);
            body();
        });
    }

    // The program started and ended again, as the next run of it.
    void NextStart()
    {
        StartupOptions o;
        o.splashMillis = 0;
        o.prompt = &prompt;
        StartMain(NewDoc(), o);
        ShutDownMain();
    }

    ReportProject r;
    std::unique_ptr<PrintJob> job;
    QPrinter printer;
    int units = 0;
    const std::string privateTemp = QDir::tempPath().toStdString() + "/export-private-" + std::to_string(::getpid());
};

TEST_F(ExportKillTest, AKillAfterAnyStepLeavesTheOldOrTheNewFileAndTheNextExportTidiesUp)
{
    for (const Export& e : Exports()) {
        const std::string name = fs::path(e.path).filename().string();
        ASSERT_TRUE(e.write(0, nullptr)) << e.name;
        const std::string a = e.content(e.path);
        ASSERT_TRUE(e.write(1, nullptr)) << e.name;
        const std::string b = e.content(e.path);
        ASSERT_NE(a, b) << e.name;
        for (const int to : {1, 0}) {
            int kills = 0, old = 0, fresh = 0;
            for (int step = 1;; ++step) {
                // The next export of the file takes what the killed one left.
                ASSERT_TRUE(e.write(1 - to, nullptr)) << e.name;
                EXPECT_EQ(Others(Folder(e)), std::vector<std::string>{name}) << e.name << " step " << step;
                const std::string before = Bytes(e.path);
                const int status = Exporting([&] {
                    int n = 0;
                    WriteWatch watch;
                    watch.Step = [&] {
                        if (++n == step)
                            ::raise(SIGKILL);
                    };
                    ::_exit(e.write(to, &watch) ? 0 : 1);
                });
                if (WIFEXITED(status)) {
                    EXPECT_EQ(WEXITSTATUS(status), 0) << e.name;
                    EXPECT_EQ(e.content(e.path), to == 1 ? b : a) << e.name << ": an export that ran to its end";
                    break;
                }
                ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << e.name << " step " << step;
                ++kills;
                const std::string now = Bytes(e.path);
                if (now == before) {
                    ++old;
                    EXPECT_EQ(fresh, 0) << e.name << ": the old file came back after a later step gave the new one";
                } else {
                    ++fresh;
                    EXPECT_EQ(e.content(e.path), to == 1 ? b : a) << e.name << " killed after step " << step;
                }
                EXPECT_LE(Others(Folder(e), {name}).size(), 1u) << e.name << " step " << step;
                NextStart();
                EXPECT_EQ(Bytes(e.path), now) << e.name << ": the start changed the file";
                EXPECT_EQ(Joined(Others(privateTemp)), "") << e.name << " step " << step;
                EXPECT_EQ(Joined(Scratches()), "") << e.name << " step " << step;
                ASSERT_LT(step, 50);
            }
            EXPECT_GE(kills, 4) << e.name;
            EXPECT_GT(old, 0) << e.name;
            EXPECT_GT(fresh, 0) << e.name;
            std::printf("%s, to version %d: %d kills at every step, %d old, %d new\n", e.name, to, kills, old, fresh);
        }
    }
}

// A child exporting the two versions in turn without pause, killed at a random moment (inside
// the library's writing too); the rounds per export are KES_WRITE_KILLS (60 unless set).
TEST_F(ExportKillTest, RandomKillsLeaveTheOldOrTheNewFile)
{
    const char* env = std::getenv("KES_WRITE_KILLS");
    const int rounds = env ? std::atoi(env) : 60;
    std::mt19937 rng(32);
    for (const Export& e : Exports()) {
        const std::string name = fs::path(e.path).filename().string();
        ASSERT_TRUE(e.write(0, nullptr));
        const std::string a = e.content(e.path);
        const auto t0 = std::chrono::steady_clock::now();
        ASSERT_TRUE(e.write(1, nullptr));
        const auto took = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - t0);
        const std::string b = e.content(e.path);
        std::uniform_int_distribution<long> delay(0, 3 * std::max<long>(took.count(), 2000));
        int asA = 0, asB = 0;
        std::size_t mostLeft = 0, mostScratch = 0;
        for (int i = 0; i < rounds; ++i) {
            const pid_t pid = ::fork();
            if (pid == 0) {
                ::setenv("TMPDIR", privateTemp.c_str(), 1);
                ::alarm(60);
                for (;;) {
                    e.write(0, nullptr);
                    e.write(1, nullptr);
                }
            }
            std::this_thread::sleep_for(std::chrono::microseconds(delay(rng)));
            ::kill(pid, SIGKILL);
            int status = 0;
            ::waitpid(pid, &status, 0);
            EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << e.name << " round " << i;
            const std::string now = e.content(e.path);
            if (now == a)
                ++asA;
            else if (now == b)
                ++asB;
            else
                ADD_FAILURE() << e.name << " round " << i << " left " << now;
            mostLeft = std::max(mostLeft, Others(Folder(e), {name}).size());
            EXPECT_EQ(Joined(Others(privateTemp)), "") << e.name << " round " << i;
            mostScratch = std::max(mostScratch, Scratches().size());
        }
        NextStart();
        EXPECT_EQ(Joined(Scratches()), "") << e.name;
        EXPECT_LE(mostScratch, 1u) << e.name << ": scratch folders piled up between exports";
        ASSERT_TRUE(e.write(0, nullptr));
        EXPECT_EQ(Others(Folder(e)), std::vector<std::string>{name}) << e.name;
        EXPECT_LE(mostLeft, 1u) << e.name << ": temporaries piled up between exports";
        std::printf("%s: %d random kills (an export takes %lld us): %d as the first version, %d as the second\n",
                    e.name, rounds, static_cast<long long>(took.count()), asA, asB);
    }
}

// An export another run is making holds its temporary (and the workbook its scratch folder):
// neither the start nor an export of the same file here takes them for leftovers; once that
// run is gone, the next export takes them.
TEST_F(ExportKillTest, TheTemporaryOfAnExportStillBeingMadeIsLeftAlone)
{
    for (const Export& e : Exports()) {
        const std::string name = fs::path(e.path).filename().string();
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::alarm(60);
            WriteWatch watch;
            // Held at its first step, its temporary made, as a slow export.
            watch.Step = [&] {
                const char c = 1;
                if (::write(ready[1], &c, 1) == 1)
                    for (;;)
                        ::pause();
            };
            e.write(1, &watch);
            ::_exit(1);
        }
        ::close(ready[1]);
        char c = 0;
        ASSERT_EQ(::read(ready[0], &c, 1), 1) << e.name;
        ::close(ready[0]);
        const std::vector<std::string> live = Others(Folder(e), {name});
        ASSERT_EQ(live.size(), 1u) << e.name;
        // The workbook's scratch folder too.
        const std::vector<std::string> scratch = Scratches();
        EXPECT_EQ(scratch.size(), e.path == Dir() + "book/Plant.xlsx" ? 1u : 0u) << e.name;
        NextStart();
        EXPECT_TRUE(e.write(0, nullptr)) << e.name;
        EXPECT_EQ(Others(Folder(e), {name}), live) << e.name;
        EXPECT_EQ(Scratches(), scratch) << e.name;
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        EXPECT_TRUE(e.write(0, nullptr)) << e.name;
        EXPECT_EQ(Others(Folder(e)), std::vector<std::string>{name}) << e.name;
        NextStart();
        EXPECT_EQ(Joined(Scratches()), "") << e.name;
    }
}

} // namespace
} // namespace kes::test
