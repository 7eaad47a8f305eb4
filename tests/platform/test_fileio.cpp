// Every file of the program is written through one writer: a temporary file beside the
// target, renamed over it. A write that fails leaves the old file and no temporary behind.
// Every file is read through the readers here: what lies in a file's place and is no plain
// file, or is larger than the largest of its kind, is refused at once and said.
#include "platform/fileio.h"

#include "fileerrorout.h"
#include "platform/codepage.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
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

// A socket's name at path: what a bound socket leaves in the folder.
bool BindSocket(const std::string& path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (fd < 0 || path.size() >= sizeof addr.sun_path)
        return false;
    path.copy(addr.sun_path, path.size());
    const bool bound = ::bind(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0;
    ::close(fd);
    return bound;
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

// A file a library writes by name replaces its target only when committed, and only when the
// file at the temporary's name is still the one the writer locked (else what is synced and
// renamed would be two files). The target's old temporaries go first, unless a live writer
// holds one; whatever fails leaves the old file and no temporary of this write.
TEST(FileIo, AFileWrittenByNameReplacesItsTargetOnlyWhenCommittedWhole)
{
    QTemporaryDir temp;
    const fs::path dir = temp.path().toStdString();
    const std::string target = (dir / "out.pdf").string();
    const auto put = [](const std::string& path, const std::string& text) {
        std::FILE* f = std::fopen(path.c_str(), "w");
        ASSERT_NE(f, nullptr) << path;
        std::fputs(text.c_str(), f);
        std::fclose(f);
    };
    struct Case {
        const char* name;
        std::function<void(const std::string& tmp)> writer; // writes the file by its name
        bool commit;                                        // Commit is called
        const char* after;                                  // the target afterwards
    };
    const Case cases[] = {
        {"committed", [&](const std::string& tmp) { put(tmp, "new"); }, true, "new"},
        {"written and let go", [&](const std::string& tmp) { put(tmp, "new"); }, false, "old"},
        {"the writer put another file in its place",
         [&](const std::string& tmp) {
             put(tmp + "x", "new");
             fs::rename(tmp + "x", tmp);
         },
         true, "old"},
        {"the writer removed it", [](const std::string& tmp) { fs::remove(tmp); }, true, "old"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        put(target, "old");
        put(target + ".tmpDEAD01", "killed");
        // A live run's temporary of the same file.
        const std::string live = target + ".tmpLIVE01";
        put(live, "live");
        const int liveFd = ::open(live.c_str(), O_RDONLY);
        ASSERT_EQ(::flock(liveFd, LOCK_EX), 0);
        int steps = 0;
        kes::WriteWatch watch;
        watch.Step = [&] { ++steps; };
        kes::FileError error;
        {
            kes::FileByName file(target, &watch);
            ASSERT_TRUE(file.Begin(&error)) << error;
            EXPECT_FALSE(fs::exists(target + ".tmpDEAD01"));
            EXPECT_EQ(file.TempPath().rfind(target + ".tmp", 0), 0u) << file.TempPath();
            c.writer(file.TempPath());
            if (c.commit) {
                EXPECT_EQ(file.Commit(&error), std::string(c.after) == "new") << error;
                EXPECT_EQ(file.TempPath().empty(), std::string(c.after) == "new");
            }
        }
        EXPECT_EQ(Read(target), c.after);
        EXPECT_EQ(Read(live), "live");
        ::close(liveFd);
        fs::remove(live);
        EXPECT_EQ(Entries(dir), 1u);
        // The temporary made, then synced, renamed and the folder synced.
        EXPECT_EQ(steps, std::string(c.after) == "new" ? 4 : 1);
    }
    // A target that exists read-only, or is a folder, is refused before anything is written.
    for (const bool folder : {false, true}) {
        fs::remove_all(target);
        if (folder)
            fs::create_directory(target);
        else {
            put(target, "old");
            fs::permissions(target, fs::perms::owner_read);
        }
        kes::FileError error;
        kes::FileByName file(target);
        EXPECT_FALSE(file.Begin(&error));
        EXPECT_EQ(error.Path, target) << error;
        EXPECT_EQ(error.Fault, folder ? kes::FileFault::Folder : kes::FileFault::ReadOnly) << error;
        EXPECT_TRUE(file.TempPath().empty());
        EXPECT_EQ(Entries(dir), 1u);
    }
}

// A library's scratch folder goes with what is in it when its export ends; one a killed run
// left goes at the next Make or with RemoveStaleTemporaries, a link in it going itself and not
// what it names, while one a live run holds stays.
TEST(FileIo, ScratchFoldersOfKilledRunsGoWithTheirFilesAndLiveOnesStay)
{
    QTemporaryDir temp;
    const fs::path dir = temp.path().toStdString();
    const std::string base = (dir / "workbook").string();
    ASSERT_TRUE(kes::WriteFileAtomic((dir / "outside").string(), "kept", nullptr));
    const auto killedRun = [&](const char* name) {
        fs::create_directory(dir / name);
        ASSERT_TRUE(kes::WriteFileAtomic((dir / name / "tmp.AbCdEfGhIj").string(), "part", nullptr));
        fs::create_symlink(dir / "outside", dir / name / "tmp.link012345");
    };
    killedRun("workbook.tmpDEAD01");
    fs::create_directory(dir / "workbook.tmpLIVE01");
    const int liveFd = ::open((dir / "workbook.tmpLIVE01").c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(::flock(liveFd, LOCK_EX), 0);
    {
        kes::ScratchFolder scratch(base);
        kes::FileError error;
        ASSERT_TRUE(scratch.Make(&error)) << error;
        EXPECT_FALSE(fs::exists(dir / "workbook.tmpDEAD01"));
        EXPECT_TRUE(fs::is_directory(scratch.Path()));
        ASSERT_TRUE(kes::WriteFileAtomic(scratch.Path() + "/tmp.left", "part", nullptr));
    }
    EXPECT_EQ(Entries(dir), 2u) << "outside and the live folder";
    killedRun("workbook.tmpDEAD02");
    kes::RemoveStaleTemporaries({base});
    EXPECT_FALSE(fs::exists(dir / "workbook.tmpDEAD02"));
    EXPECT_TRUE(fs::is_directory(dir / "workbook.tmpLIVE01"));
    EXPECT_EQ(Read(dir / "outside"), "kept");
    ::close(liveFd);
    kes::RemoveStaleTemporaries({base});
    EXPECT_EQ(Entries(dir), 1u);
}

// Paths are held in the code page, the file system names files in UTF-8: a folder the desktop
// made with a name in the user's script holds the files the program writes, reads, replaces
// as a set and cleans up, under their UTF-8 names, and an error names the file as the program
// holds it.
TEST(FileIo, PathsInTheCodePageNameTheFileSystemsFiles)
{
    struct Case {
        int codePage;
        const char* folder; // UTF-8
        const char* name;
    };
    const Case cases[] = {
        {950, "測試資料夾", "包裝機.zqf"},
        {936, "测试文件夹", "包装机.zqf"},
        {1252, "Données", "Löschen.zqf"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.codePage);
        const kes::ScopedCodePage cp(c.codePage);
        QTemporaryDir temp;
        const QString folder = QDir(temp.path()).filePath(QString::fromUtf8(c.folder));
        ASSERT_TRUE(QDir().mkpath(folder));
        const QString file = QDir(folder).filePath(QString::fromUtf8(c.name));
        const std::string path = kes::QStringToAnsi(file);
        ASSERT_NE(path, file.toStdString()) << "the code page's bytes are not UTF-8's";
        ASSERT_EQ(kes::AnsiToQString(path), file);
        const auto onDisk = [&](const QString& f) { return QFileInfo(f).isFile(); };

        kes::FileError error;
        ASSERT_TRUE(kes::WriteFileAtomic(path, "one", &error)) << error;
        EXPECT_TRUE(onDisk(file));
        EXPECT_EQ(kes::OsPath(path), QFile::encodeName(file).toStdString());
        EXPECT_EQ(kes::AnsiPath(kes::OsPath(path)), path);
        std::string text;
        ASSERT_TRUE(kes::ReadFileText(path, 100, text, &error)) << error;
        EXPECT_EQ(text, "one");
        EXPECT_TRUE(kes::FileExists(path));
        EXPECT_TRUE(kes::SomethingAt(path));
        EXPECT_EQ(kes::WhatLiesAt(path), kes::PathKind::Plain);

        // A set with its intent, the second file removed.
        const std::string second = kes::QStringToAnsi(file + QStringLiteral(".Til"));
        ASSERT_TRUE(kes::WriteFileAtomic(second, "titles", &error)) << error;
        const std::string bytes = "two";
        kes::FileSet set;
        set.Intent = kes::QStringToAnsi(file + QStringLiteral(".saving"));
        set.Files = {{path, {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}}};
        set.Removed = {second};
        ASSERT_TRUE(kes::WriteFileSet(set, &error)) << error;
        EXPECT_TRUE(kes::ReadFileText(path, 100, text, &error));
        EXPECT_EQ(text, "two");
        EXPECT_FALSE(onDisk(file + QStringLiteral(".Til")));
        ASSERT_TRUE(kes::RecoverFileSet(set.Intent, {path, second}, &error)) << error;

        // A library's file by its file system name.
        {
            kes::FileByName byName(path);
            ASSERT_TRUE(byName.Begin(&error)) << error;
            std::FILE* f = std::fopen(byName.TempPath().c_str(), "w");
            ASSERT_NE(f, nullptr) << byName.TempPath();
            std::fputs("three", f);
            std::fclose(f);
            ASSERT_TRUE(byName.Commit(&error)) << error;
        }
        EXPECT_TRUE(kes::ReadFileText(path, 100, text, &error));
        EXPECT_EQ(text, "three");
        {
            kes::ScratchFolder scratch(kes::QStringToAnsi(QDir(folder).filePath(QStringLiteral("workbook"))));
            ASSERT_TRUE(scratch.Make(&error)) << error;
            EXPECT_TRUE(QFileInfo(QFile::decodeName(scratch.Path().c_str())).isDir());
        }

        // What a killed write left goes at the next start.
        const QString stale = file + QStringLiteral(".tmpDEAD01");
        {
            QFile left(stale);
            ASSERT_TRUE(left.open(QIODevice::WriteOnly));
        }
        kes::RemoveStaleTemporaries({path});
        EXPECT_FALSE(QFileInfo::exists(stale));
        EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                  QStringList{QString::fromUtf8(c.name)});

        // An error names the file in the code page.
        const std::string missing = kes::QStringToAnsi(QDir(folder).filePath(QString::fromUtf8(c.name) + "x"));
        EXPECT_FALSE(kes::ReadFileText(missing, 100, text, &error));
        EXPECT_EQ(error.Path, missing);
        EXPECT_EQ(error.Errno, ENOENT);
    }
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
        std::optional<FileFault> fault;          // nullopt when the file reads
        int err = 0;                             // FileFault::System: the error number
        kes::PathKind at = kes::PathKind::Plain; // what WhatLiesAt says lies there
        std::size_t bytes = 0;
    };
    using At = kes::PathKind;
    const Case cases[] = {
        {"missing", [] {}, FileFault::System, ENOENT, At::Nothing},
        {"a FIFO", [&] { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); }, FileFault::NoPlainFile, 0, At::NoPlainFile},
        {"a link to /dev/zero", [&] { fs::create_symlink("/dev/zero", path); }, FileFault::NoPlainFile, 0,
         At::NoPlainFile},
        {"a socket", [&] { ASSERT_TRUE(BindSocket(path)); }, FileFault::System, ENXIO, At::NoPlainFile},
        {"a folder", [&] { fs::create_directory(path); }, FileFault::Folder, 0, At::Folder},
        {"a link to itself", [&] { fs::create_symlink(path, path); }, FileFault::System, ELOOP, At::Unreadable},
        {"4 GB of nothing",
         [&] {
             kes::WriteFileAtomic(path, "", nullptr);
             fs::resize_file(path, 4ull << 30);
         },
         FileFault::TooLarge},
        {"one byte past the bound", [&] { kes::WriteFileAtomic(path, std::string(kLimit + 1, 'x'), nullptr); },
         FileFault::TooLarge},
        {"as large as the bound", [&] { kes::WriteFileAtomic(path, std::string(kLimit, 'x'), nullptr); }, std::nullopt,
         0, At::Plain, kLimit},
        {"empty", [&] { kes::WriteFileAtomic(path, "", nullptr); }, std::nullopt, 0, At::Plain, 0},
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
        const kes::PathKind at = kes::WhatLiesAt(path);
        ::alarm(0);
        EXPECT_EQ(at, c.at);
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
