// A write of a file the program keeps on its own (the settings Lxe.ini and Loc.ini, a user
// menu, the object table's database) killed at any moment leaves that file as it was or as written, never a mix; the
// next start removes what the killed write left beside it, and a write still being made by a live run is left alone. A
// child process writes; the parent kills it after every step of the write that changes the disk, then at random
// moments.
#include "shellfixture.h"

#include "app/print/objdatadb.h"
#include "app/project/usermenu.h"
#include "app/shell/lxeini.h"
#include "app/shell/startup.h"
#include "inchild.h"
#include "platform/fileio.h"
#include "platform/inifile.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <sys/file.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace kes::test {
namespace {

namespace fs = std::filesystem;

// One of the files, in two versions that differ throughout; the user menu's second is larger
// than one write block. Its writer hands the watch (when given) to the file's write.
struct Target {
    const char* name;
    std::string path;
    std::function<bool(int version, const WriteWatch* watch)> writeWatched;
    bool write(int version, const WriteWatch* watch = nullptr) const { return writeWatched(version, watch); }
};

std::string Bytes(const std::string& path)
{
    std::string text;
    ReadFileText(path, 1u << 30, text, nullptr);
    return text;
}

// What a write leaves only while it runs: temporaries beside the file.
std::vector<std::string> Temporaries(const std::string& path)
{
    const fs::path p(path);
    std::vector<std::string> found;
    for (const auto& e : fs::directory_iterator(p.parent_path()))
        if (e.path().filename().string().rfind(p.filename().string() + ".tmp", 0) == 0)
            found.push_back(e.path().filename().string());
    return found;
}

class WriteKillTest : public ShellFixture {
protected:
    std::vector<Target> Targets()
    {
        const std::string dir = Dir();
        std::vector<Target> t;
        t.push_back({"Lxe.ini", dir + "Lxe.ini", [dir](int v, const WriteWatch* watch) {
                         LxeSettings s;
                         s.Width = v == 0 ? 800 : 1200;
                         s.Path = std::string(v == 0 ? 10 : 400, 'p');
                         s.RecentFiles.assign(v == 0 ? 1 : 5, std::string(v == 0 ? 20 : 200, 'r'));
                         return WriteLxeIni(dir + "Lxe.ini", s, nullptr, watch);
                     }});
        // The same keys in both versions: a layout file is read and changed, not made anew.
        t.push_back({"Loc.ini", dir + "Loc.ini", [dir](int v, const WriteWatch* watch) {
                         TIniFile ini(dir + "Loc.ini");
                         for (int i = 0; i < 40; ++i)
                             ini.WriteString("ToolBar" + std::to_string(i), "Left", std::to_string(v * 1000 + i));
                         return ini.UpdateFile(watch);
                     }});
        ProjectState where;
        where.AppDir = dir;
        const std::string menu = UserMenuWritePath(where, 0);
        fs::create_directories(fs::path(menu).parent_path());
        t.push_back({"UserMenu.Men", menu, [menu](int v, const WriteWatch* watch) {
                         ProjectDoc doc;
                         doc.MachineId = 87;
                         doc.ImagePgDataList.push_back(std::make_unique<PgDataStr>());
                         doc.ImagePgDataList.back()->Data.assign(v == 0 ? 40 : 70000, static_cast<std::uint8_t>(v + 1));
                         const kes::Bytes file = EncodeUserMenuFile(doc, UserMenuPort{});
                         return WriteFileAtomic(menu, std::string(file.begin(), file.end()), nullptr, watch);
                     }});
        // The object table's file: written whole after each fill, and never read.
        const std::string table = ObjDataDbPath(where);
        t.push_back({"lumora.mdb", table, [table](int v, const WriteWatch* watch) {
                         return WriteFileAtomic(table, std::string(v == 0 ? 4096 : 90000, static_cast<char>('a' + v)),
                                                nullptr, watch);
                     }});
        return t;
    }

    // The program started and ended again, as the next run of it.
    void NextStart()
    {
        StartupOptions o;
        o.splashMillis = 0;
        o.prompt = &prompt;
        o.screen = &screen;
        StartMain(NewDoc(), o);
        ShutDownMain();
    }
};

TEST_F(WriteKillTest, AKillAfterAnyStepLeavesTheOldOrTheNewFileAndTheNextStartTidiesUp)
{
    for (const Target& t : Targets()) {
        ASSERT_TRUE(t.write(0)) << t.name;
        const std::string a = Bytes(t.path);
        ASSERT_TRUE(t.write(1)) << t.name;
        const std::string b = Bytes(t.path);
        ASSERT_NE(a, b) << t.name;
        for (const int to : {1, 0}) {
            int kills = 0, old = 0, fresh = 0;
            for (int step = 1;; ++step) {
                ASSERT_TRUE(t.write(1 - to)) << t.name;
                const int status = InChild([&] {
                    int n = 0;
                    const auto count = [&] {
                        if (++n == step)
                            ::raise(SIGKILL);
                    };
                    // Before each block of a temporary, and after each step that changes the disk.
                    WriteWatch watch;
                    watch.Fault = [&](std::size_t, std::size_t) {
                        count();
                        return false;
                    };
                    watch.Step = count;
                    ::_exit(t.write(to, &watch) ? 0 : 1);
                });
                const std::string now = Bytes(t.path);
                if (WIFEXITED(status)) {
                    EXPECT_EQ(WEXITSTATUS(status), 0) << t.name;
                    EXPECT_EQ(now, to == 1 ? b : a) << t.name << ": a write that ran to its end";
                    break;
                }
                ASSERT_TRUE(WIFSIGNALED(status)) << t.name << " step " << step;
                ++kills;
                if (now == (to == 1 ? a : b)) {
                    ++old;
                    EXPECT_EQ(fresh, 0) << t.name << ": the old file came back after a later step gave the new one";
                } else {
                    ++fresh;
                    EXPECT_EQ(now, to == 1 ? b : a) << t.name << " killed after step " << step;
                }
                NextStart();
                EXPECT_TRUE(Temporaries(t.path).empty()) << t.name << " step " << step;
                EXPECT_EQ(Bytes(t.path), now) << t.name << ": the start changed the file";
                ASSERT_LT(step, 50);
            }
            EXPECT_GE(kills, 4) << t.name;
            EXPECT_GT(old, 0) << t.name;
            EXPECT_GT(fresh, 0) << t.name;
            std::printf("%s, to version %d: %d kills at every step, %d old, %d new\n", t.name, to, kills, old, fresh);
        }
    }
}

// A child writing the two versions in turn without pause, killed at a random moment; the
// rounds per file are KES_WRITE_KILLS (60 unless set). The next start leaves no temporary.
TEST_F(WriteKillTest, RandomKillsLeaveTheOldOrTheNewFile)
{
    const char* env = std::getenv("KES_WRITE_KILLS");
    const int rounds = env ? std::atoi(env) : 60;
    std::mt19937 rng(32);
    for (const Target& t : Targets()) {
        ASSERT_TRUE(t.write(0));
        const std::string a = Bytes(t.path);
        const auto t0 = std::chrono::steady_clock::now();
        ASSERT_TRUE(t.write(1));
        const auto took = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - t0);
        const std::string b = Bytes(t.path);
        std::uniform_int_distribution<long> delay(0, 3 * std::max<long>(took.count(), 2000));
        int asA = 0, asB = 0;
        std::size_t mostLeft = 0;
        for (int i = 0; i < rounds; ++i) {
            const pid_t pid = ::fork();
            if (pid == 0) {
                for (;;) {
                    t.write(0);
                    t.write(1);
                }
            }
            std::this_thread::sleep_for(std::chrono::microseconds(delay(rng)));
            ::kill(pid, SIGKILL);
            int status = 0;
            ::waitpid(pid, &status, 0);
            const std::string now = Bytes(t.path);
            if (now == a)
                ++asA;
            else if (now == b)
                ++asB;
            else
                ADD_FAILURE() << t.name << " round " << i << " left a mix of " << now.size() << " bytes";
            // The next write of the file takes what a killed one left.
            mostLeft = std::max(mostLeft, Temporaries(t.path).size());
        }
        NextStart();
        EXPECT_TRUE(Temporaries(t.path).empty()) << t.name;
        EXPECT_LE(mostLeft, 1u) << t.name << ": temporaries piled up between writes";
        std::printf("%s: %d random kills (a write takes %lld us): %d as the first version, %d as the second\n", t.name,
                    rounds, static_cast<long long>(took.count()), asA, asB);
    }
}

// A temporary another run is still writing (it holds its lock) is not taken for a leftover,
// neither at start nor by a write of the same file; once that run is gone it is.
TEST_F(WriteKillTest, ATemporaryOfALiveWriteIsLeftAlone)
{
    const std::string path = Dir() + "Lxe.ini";
    const std::string live = path + ".tmpLIVE01";
    const std::string dead = path + ".tmpDEAD01";
    WriteFile("Lxe.ini.tmpDEAD01", "killed");
    std::FILE* f = std::fopen(live.c_str(), "w");
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(::flock(::fileno(f), LOCK_EX), 0);
    NextStart();
    EXPECT_TRUE(FileExists(live));
    EXPECT_FALSE(FileExists(dead));
    EXPECT_TRUE(WriteLxeIni(path, LxeSettings{}, nullptr));
    EXPECT_TRUE(FileExists(live));
    std::fclose(f);
    EXPECT_TRUE(WriteLxeIni(path, LxeSettings{}, nullptr));
    EXPECT_FALSE(FileExists(live));
}

} // namespace
} // namespace kes::test
