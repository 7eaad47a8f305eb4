// A save killed at any moment leaves a project that opens as exactly the previous save or
// the new one, never a mix of the two, and the open that follows leaves no temporary file
// or intent behind. A child process saves; the parent kills it after every step of the save
// that changes the disk, then at random moments, and opens the project each time. A
// read-only project file is refused, not replaced.
#include "app/project/prjio.h"
#include "inchild.h"
#include "pgrectest.h"
#include "platform/fileio.h"
#include "prjtest.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace kes {
namespace {

using test::Hex;
using test::InChild;
using test::Prj;
using test::PrjDir;

// Two versions that differ in every file: A has a start-up screen, B has none (its save
// removes the file), more pages and a page larger than one write block.
struct Versions {
    explicit Versions(const std::string& appDir) : a(appDir), b(appDir)
    {
        a.AddPage(300, "A0");
        a.AddPage(500, "A1");
        a.doc.StartScreenData->Data = Hex("01 02 03");
        b.AddPage(70000, "B0");
        b.AddPage(10, "B1");
        b.AddPage(20, "B2");
        b.doc.StartScreenData->Data.clear();
        EXPECT_TRUE(BuildPageImage(a.doc));
        EXPECT_TRUE(BuildPageImage(b.doc));
    }
    Prj a, b;
};

// What an open finds: page titles and data and the start-up screen, or the error.
std::string Opened(const std::string& appDir, const std::string& base)
{
    Prj q(appDir);
    const ReadOutcome r = ReadProjectFiles(q.doc, base, q.core.get(), HeaderDecoders{});
    if (r.Error != ProjectError::None)
        return std::string("error: ") + ProjectErrorName(r.Error) + " " + r.Path;
    std::string s;
    for (const auto& p : q.doc.PgDataList)
        s += p->Title + ":" + test::ToHex(p->Data).substr(0, 60) + ":" + std::to_string(p->Data.size()) + "|";
    return s + "sta:" + (q.doc.StartScreenData ? test::ToHex(q.doc.StartScreenData->Data) : "");
}

ProjectFileExtras Extras() { return ProjectFileExtras{}; }

bool Save(ProjectDoc& doc, const std::string& base)
{
    return WriteProjectFiles(doc, base, Extras()).Error == ProjectError::None;
}

// Files a save leaves only while it runs.
std::vector<std::string> Leftovers(const std::string& folder)
{
    std::vector<std::string> left;
    for (const auto& e : std::filesystem::directory_iterator(folder)) {
        const std::string n = e.path().filename().string();
        if (n.find(".tmp") != std::string::npos || n.find(".saving") != std::string::npos)
            left.push_back(n);
    }
    return left;
}

struct Tally {
    int kills = 0, old = 0, fresh = 0;
};

// A folder with both versions saved once, and what each opens as.
struct Saved {
    explicit Saved(const std::string& name) : dir(name), v(dir.Path()), base(dir / "p")
    {
        EXPECT_TRUE(Save(v.a.doc, base));
        openA = Opened(dir.Path(), base);
        const auto t0 = std::chrono::steady_clock::now();
        EXPECT_TRUE(Save(v.b.doc, base));
        saveTime = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - t0);
        openB = Opened(dir.Path(), base);
        EXPECT_NE(openA, openB);
    }
    PrjDir dir;
    Versions v;
    std::string base, openA, openB;
    std::chrono::microseconds saveTime{};
};

TEST(ProjectSaveKill, AKillAfterAnyStepOpensAsTheOldOrTheNewProject)
{
    Saved s("savekill_steps");

    // Both ways: A to B removes the start-up screen file, B to A writes it again.
    for (const bool toB : {true, false}) {
        ProjectDoc& from = toB ? s.v.a.doc : s.v.b.doc;
        ProjectDoc& to = toB ? s.v.b.doc : s.v.a.doc;
        const std::string& before = toB ? s.openA : s.openB;
        const std::string& after = toB ? s.openB : s.openA;
        Tally t;
        for (int step = 1;; ++step) {
            ASSERT_TRUE(Save(from, s.base));
            const int status = InChild([&] {
                int n = 0;
                WriteWatch stop;
                stop.Step = [&] {
                    if (++n == step)
                        ::raise(SIGKILL);
                };
                to.SaveWatch = &stop;
                ::_exit(Save(to, s.base) ? 0 : 1);
            });
            const std::string opened = Opened(s.dir.Path(), s.base);
            EXPECT_TRUE(Leftovers(s.dir.Path()).empty()) << "step " << step;
            if (WIFEXITED(status)) {
                EXPECT_EQ(WEXITSTATUS(status), 0);
                EXPECT_EQ(opened, after) << "a save that ran to its end";
                break;
            }
            ASSERT_TRUE(WIFSIGNALED(status)) << step;
            ++t.kills;
            if (opened == before) {
                ++t.old;
                EXPECT_EQ(t.fresh, 0) << "the old project came back after a later step gave the new one";
            } else {
                ++t.fresh;
                EXPECT_EQ(opened, after) << "killed after step " << step;
            }
            ASSERT_LT(step, 100);
        }
        EXPECT_GE(t.kills, 8);
        EXPECT_GT(t.old, 0);
        EXPECT_GT(t.fresh, 0);
        std::printf("%s: %d kills at every step, %d old, %d new\n", toB ? "A to B" : "B to A", t.kills, t.old, t.fresh);
    }
}

// A child saving the two versions in turn without pause, killed at a random moment; the
// rounds are KES_SAVE_KILLS (100 unless set).
TEST(ProjectSaveKill, RandomKillsOpenAsTheOldOrTheNewProject)
{
    Saved s("savekill_random");

    const char* env = std::getenv("KES_SAVE_KILLS");
    const int rounds = env ? std::atoi(env) : 100;
    std::mt19937 rng(25);
    std::uniform_int_distribution<long> delay(0, 3 * std::max<long>(s.saveTime.count(), 3000));
    Tally t;
    for (int i = 0; i < rounds; ++i) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            for (;;) {
                Save(s.v.b.doc, s.base);
                Save(s.v.a.doc, s.base);
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delay(rng)));
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        ++t.kills;
        const std::string opened = Opened(s.dir.Path(), s.base);
        if (opened == s.openA)
            ++t.old;
        else if (opened == s.openB)
            ++t.fresh;
        else
            ADD_FAILURE() << "round " << i << " opened a mix: " << opened;
        EXPECT_TRUE(Leftovers(s.dir.Path()).empty()) << "round " << i;
    }
    std::printf("%d random kills (a save takes %lld us): %d opened as A, %d as B\n", t.kills,
                static_cast<long long>(s.saveTime.count()), t.old, t.fresh);
    EXPECT_EQ(t.old + t.fresh, t.kills);
}

TEST(ProjectSaveKill, AReadOnlyProjectFileIsRefusedNotReplaced)
{
    PrjDir dir("savekill_ro");
    Versions v(dir.Path());
    const std::string base = dir / "p";
    ASSERT_TRUE(Save(v.a.doc, base));
    const std::string openA = Opened(dir.Path(), base);
    ASSERT_EQ(::chmod((base + ".zqf").c_str(), 0444), 0);
    v.b.doc.Modified = 1;
    const WriteOutcome w = WriteProjectFiles(v.b.doc, base, Extras());
    EXPECT_EQ(w.Error, ProjectError::CannotWrite);
    EXPECT_EQ(w.File.Fault, FileFault::ReadOnly);
    EXPECT_EQ(w.File.Path, base + ".zqf");
    EXPECT_EQ(v.b.doc.Modified, 1);
    EXPECT_EQ(Opened(dir.Path(), base), openA);
    EXPECT_TRUE(Leftovers(dir.Path()).empty());
}

} // namespace
} // namespace kes
