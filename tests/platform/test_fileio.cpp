// Every file of the program is written through one writer: a temporary file beside the
// target, renamed over it. A write that fails leaves the old file and no temporary behind.
// Every file is read through the readers here: what lies in a file's place and is no plain
// file, or is larger than the largest of its kind, is refused at once and said.
#include "platform/fileio.h"

#include "fileerrorout.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string Read(const fs::path& p)
{
    std::string text;
    kes::ReadFileText(p.string(), 1u << 30, text, nullptr);
    return text;
}

// Only the targets are left in the folder: no temporary file survives a write.
std::size_t Entries(const fs::path& dir)
{
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

} // namespace

TEST(FileIo, AFailedWriteKeepsTheOldFilesAndLeavesNoTemporary)
{
    QTemporaryDir temp;
    const fs::path dir = temp.path().toStdString();
    kes::FileError error;
    ASSERT_TRUE(kes::WriteFileAtomic((dir / "a").string(), "old a", &error)) << error;
    ASSERT_TRUE(kes::WriteFileAtomic((dir / "b").string(), "old b", &error)) << error;

    // The second file's disk fills: neither target changes.
    const kes::WriteWatch secondFull{[](std::size_t file, std::size_t) { return file == 1; }, {}};
    const std::string na = "new a", nb = "new b";
    const auto span = [](const std::string& s) {
        return std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(s.data()), s.size());
    };
    EXPECT_FALSE(kes::WriteFilesAtomic({{(dir / "a").string(), span(na)}, {(dir / "b").string(), span(nb)}}, &error,
                                       &secondFull));
    EXPECT_EQ(error.Op, kes::FileOp::Write);
    EXPECT_EQ(error.Errno, ENOSPC);
    EXPECT_EQ(error.Path, (dir / "b").string());
    EXPECT_EQ(Read(dir / "a"), "old a");
    EXPECT_EQ(Read(dir / "b"), "old b");
    EXPECT_EQ(Entries(dir), 2u);

    // A target that cannot be replaced (a folder that is not empty): the temporary goes too.
    fs::create_directories(dir / "c" / "inner");
    EXPECT_FALSE(kes::WriteFileAtomic((dir / "c").string(), "x", &error));
    EXPECT_EQ(Entries(dir), 3u);

    EXPECT_TRUE(kes::WriteFilesAtomic({{(dir / "a").string(), span(na)}, {(dir / "b").string(), span(nb)}}, &error));
    EXPECT_EQ(Read(dir / "a"), "new a");
    EXPECT_EQ(Read(dir / "b"), "new b");
    EXPECT_EQ(Entries(dir), 3u);
}

// An open finishes only a save this program committed: an intent file that names anything
// but the set's own files and their temporaries, or one twice, is dropped, not carried out,
// and said; temporaries of a save killed before its commit are removed, while other files stay.
TEST(FileIo, RecoveryFinishesOnlyItsOwnIntentAndRemovesStaleTemporaries)
{
    QTemporaryDir temp;
    const fs::path dir = temp.path().toStdString();
    const auto put = [&](const char* name, const std::string& text) {
        ASSERT_TRUE(kes::WriteFileAtomic((dir / name).string(), text, nullptr));
    };
    const std::vector<std::string> set = {(dir / "p.zqf").string(), (dir / "p.Til").string()};
    const std::string intent = (dir / "p.saving").string();
    struct Case {
        const char* name;
        std::string intent;
        std::string zqf; // p.zqf afterwards
    };
    const Case cases[] = {
        {"a committed save", "KESTROVA SAVE 1\nW p.zqf.tmpABC123\tp.zqf\nR p.Til\nEND\n", "new"},
        {"an intent cut short", "KESTROVA SAVE 1\nW p.zqf.tmpABC123\tp.zqf\n", "old"},
        {"a file outside the set", "KESTROVA SAVE 1\nW p.zqf.tmpABC123\tother\nEND\n", "old"},
        {"a path instead of a name", "KESTROVA SAVE 1\nW ../p.zqf.tmpABC123\tp.zqf\nEND\n", "old"},
        {"a file named twice", "KESTROVA SAVE 1\nW p.zqf.tmpABC123\tp.zqf\nR p.zqf\nEND\n", "old"},
        {"more lines than the set has files",
         "KESTROVA SAVE 1\nW p.zqf.tmpABC123\tp.zqf\nR p.Til\nR p.Til\nR p.Til\nEND\n", "old"},
    };
    for (const Case& c : cases) {
        put("p.zqf", "old");
        put("p.Til", "titles");
        put("p.zqf.tmpABC123", "new");
        put("p.Til.tmpXYZ789", "stale");
        put("other", "kept");
        put("other.tmpABC123", "kept");
        put("p.saving", c.intent);
        kes::FileError error;
        std::string damaged;
        EXPECT_TRUE(kes::RecoverFileSet(intent, set, &error, &damaged)) << c.name << ": " << error;
        EXPECT_EQ(damaged.empty(), c.zqf == "new") << c.name << ": a record not carried out is said";
        EXPECT_EQ(Read(dir / "p.zqf"), c.zqf) << c.name;
        EXPECT_EQ(fs::exists(dir / "p.Til"), c.zqf == "old") << c.name;
        EXPECT_FALSE(fs::exists(dir / "p.saving")) << c.name;
        EXPECT_FALSE(fs::exists(dir / "p.zqf.tmpABC123")) << c.name;
        EXPECT_FALSE(fs::exists(dir / "p.Til.tmpXYZ789")) << c.name;
        EXPECT_EQ(Read(dir / "other"), "kept") << c.name;
        EXPECT_EQ(Read(dir / "other.tmpABC123"), "kept") << c.name;
    }
}

// A FIFO's open waits for a writer, /dev/zero never ends and a sparse file is large for free:
// each read ends at once, in an error naming the file and what lies there, or in the bytes. The
// alarm turns a read that waits into a failure instead of a test that never ends.
TEST(FileIo, ReadsRefuseWhatIsNoPlainFileOrLargerThanTheirBoundAtOnce)
{
    QTemporaryDir temp;
    const fs::path dir = temp.path().toStdString();
    const std::string path = (dir / "f").string();
    constexpr std::size_t kLimit = 1000;
    using kes::FileFault;
    struct Case {
        const char* name;
        std::function<void()> make;
        std::optional<FileFault> fault; // nullopt when the file reads
        int err = 0;                    // FileFault::System: the error number
        std::size_t bytes = 0;
    };
    const Case cases[] = {
        {"missing", [] {}, FileFault::System, ENOENT},
        {"a FIFO", [&] { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); }, FileFault::NoPlainFile},
        {"a link to /dev/zero", [&] { fs::create_symlink("/dev/zero", path); }, FileFault::NoPlainFile},
        {"a folder", [&] { fs::create_directory(path); }, FileFault::Folder},
        {"a link to itself", [&] { fs::create_symlink(path, path); }, FileFault::System, ELOOP},
        {"4 GB of nothing",
         [&] {
             kes::WriteFileAtomic(path, "", nullptr);
             fs::resize_file(path, 4ull << 30);
         },
         FileFault::TooLarge},
        {"one byte past the bound", [&] { kes::WriteFileAtomic(path, std::string(kLimit + 1, 'x'), nullptr); },
         FileFault::TooLarge},
        {"as large as the bound", [&] { kes::WriteFileAtomic(path, std::string(kLimit, 'x'), nullptr); }, std::nullopt,
         0, kLimit},
        {"empty", [&] { kes::WriteFileAtomic(path, "", nullptr); }, std::nullopt, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(path);
        c.make();
        ::alarm(10);
        std::string text;
        kes::FileError error;
        const bool read = kes::ReadFileText(path, kLimit, text, &error);
        std::vector<std::uint8_t> head;
        std::uint64_t size = 0;
        kes::FileError limitedError;
        const bool limited = kes::ReadFileLimited(path, kLimit, head, &size, &limitedError);
        ::alarm(0);
        EXPECT_EQ(read, !c.fault) << error;
        if (c.fault) {
            EXPECT_EQ(error.Op, kes::FileOp::Read) << error;
            EXPECT_EQ(error.Fault, *c.fault) << error;
            EXPECT_EQ(error.Errno, c.err) << error;
            EXPECT_EQ(error.Limit, *c.fault == FileFault::TooLarge ? kLimit : 0u) << error;
            EXPECT_EQ(error.Path, path) << error;
            EXPECT_TRUE(text.empty());
        } else {
            EXPECT_EQ(text.size(), c.bytes);
        }
        // The limited read takes the head of a large plain file and refuses the rest alike.
        const bool plainFile = !c.fault || *c.fault == FileFault::TooLarge;
        EXPECT_EQ(limited, plainFile) << limitedError;
        if (plainFile) {
            EXPECT_EQ(head.size(), std::min<std::uint64_t>(size, kLimit));
        } else {
            EXPECT_EQ(limitedError.Fault, *c.fault) << limitedError;
            EXPECT_EQ(limitedError.Path, path) << limitedError;
        }
    }
}
