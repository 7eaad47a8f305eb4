// A damaged or hostile file costs the program at most a second of CPU time and no more memory than the
// largest real file of its kind: the readers of the project file, the title and start-up
// screen files, the record of an unfinished save and the user menu each end in an error, or
// in what could be read and a note of what was left out, however long the file, its counts
// or its lengths, and whatever lies in a file's place (a folder, a FIFO, a device). Zero bytes
// that grew a file past its data are left out, never read as pages.
#include "app/project/prjio.h"
#include "app/project/usermenu.h"
#include "cputime.h"
#include "pgrectest.h"
#include "platform/fileio.h"
#include "prjtest.h"
#include "test_pgread_env.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace kes {
namespace {

using test::Hex;
using test::Prj;
using test::PrjDir;

namespace fs = std::filesystem;

constexpr auto kSecond = std::chrono::milliseconds(1000);

// Appends bytes to a file; grows it by zeros without writing them when zeros is set.
void Append(const std::string& path, const Bytes& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::app)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}
void GrowByZeros(const std::string& path, std::uintmax_t n) { fs::resize_file(path, fs::file_size(path) + n); }

// Puts a link to target (a FIFO when null) in the file's place.
void InPlace(const std::string& path, const char* target)
{
    fs::remove(path);
    if (target)
        fs::create_symlink(target, path);
    else
        ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
}

Bytes Chunk(std::uint32_t start, std::uint32_t end, std::size_t bytes = 0, std::uint8_t fill = 0x5A)
{
    Bytes c;
    AppendU32le(c, start);
    AppendU32le(c, end);
    c.insert(c.end(), bytes, fill);
    return c;
}

// A project of two pages (300 and 500 bytes), titles and a start-up screen, saved at base.
struct Saved {
    explicit Saved(const char* name) : dir(name), base(dir / "p")
    {
        Prj p(dir.Path());
        p.AddPage(300, "Main");
        p.AddPage(500, "Alarms");
        p.doc.StartScreenData->Data = Hex("01 02 03");
        EXPECT_TRUE(BuildPageImage(p.doc));
        EXPECT_EQ(WriteProjectFiles(p.doc, base, ProjectFileExtras{}).Error, ProjectError::None);
        ParsedProjectFile f;
        EXPECT_EQ(ParseProjectFile(test::FileBytes(base + ".zqf"), f), ProjectError::None);
        end = f.Chunks.back().End;
    }
    PrjDir dir;
    std::string base;
    std::uint32_t end = 0;
};

struct Opened {
    ReadOutcome r;
    std::size_t pages = 0;
    std::string titles;
    Bytes startScreen;
    std::chrono::milliseconds took{}; // CPU time
};

Opened Open(const PrjDir& dir, const std::string& base)
{
    Prj q(dir.Path());
    Opened o;
    const test::CpuStopwatch cpu;
    o.r = ReadProjectFiles(q.doc, base, q.core.get(), HeaderDecoders{});
    o.took = cpu.Elapsed();
    o.pages = q.doc.PgDataList.size();
    for (const auto& p : q.doc.PgDataList)
        o.titles += p->Title.substr(0, 8) + "|";
    o.startScreen = q.doc.StartScreenData->Data;
    return o;
}

using Kind = LeftOutPart::Kind;

// What a note of a part left out holds: its kind, the end of its file's name and, where the
// case knows it, the bytes left out or the titles cut.
struct Note {
    Kind kind;
    const char* file;
    std::uint64_t number = 0;            // 0: not looked at
    bool allRead = true;                 // ZeroTail: every byte left out was read
    FileFault fault = FileFault::System; // TitlesUnread
};

bool Holds(const std::vector<LeftOutPart>& parts, const Note& n)
{
    return std::any_of(parts.begin(), parts.end(), [&](const LeftOutPart& p) {
        const std::string& path = p.What == Kind::TitlesUnread ? p.File.Path : p.Path;
        if (p.What != n.kind || !path.ends_with(n.file))
            return false;
        switch (p.What) {
        case Kind::ZeroTail:
            return p.AllRead == n.allRead && (n.number == 0 || p.Bytes == n.number);
        case Kind::PastTitles:
            return n.number == 0 || p.Bytes == n.number;
        case Kind::TitlesCut:
            return p.Count == static_cast<int>(n.number) && p.Limit == kMaxPageTitleBytes;
        case Kind::TitlesUnread:
            return p.File.Fault == n.fault;
        }
        return false;
    });
}

std::string Listed(const std::vector<LeftOutPart>& parts)
{
    std::string all;
    for (const LeftOutPart& p : parts)
        all += std::to_string(static_cast<int>(p.What)) + " " + p.Path + " " + std::to_string(p.Bytes) + " " +
               std::to_string(p.Count) + "\n";
    return all;
}

TEST(HostileFiles, EachEndsInAnErrorOrWhatReadAndANoteWithinASecond)
{
    struct Case {
        const char* name;
        std::function<void(const Saved&)> damage;
        ProjectError error;
        std::size_t pages;           // when it opens
        std::optional<Note> leftOut; // the note, or none
        bool startScreenLost = false;
    };
    const Case cases[] = {
        // The project file.
        {"8 MB of zeros after the pages", [](const Saved& s) { GrowByZeros(s.base + ".zqf", 8u << 20); },
         ProjectError::None, 2, Note{Kind::ZeroTail, "p.zqf", 8388608}},
        {"64 MB of zeros after the pages", [](const Saved& s) { GrowByZeros(s.base + ".zqf", 64u << 20); },
         ProjectError::None, 2, Note{Kind::ZeroTail, "p.zqf", 67108864, false}},
        {"3 zero bytes after the pages", [](const Saved& s) { GrowByZeros(s.base + ".zqf", 3); }, ProjectError::None, 2,
         Note{Kind::ZeroTail, "p.zqf", 3}},
        {"200,000 empty pages",
         [](const Saved& s) {
             Bytes b;
             for (int i = 0; i < 200000; ++i)
                 AppendBytes(b, Chunk(s.end, s.end));
             Append(s.base + ".zqf", b);
         },
         ProjectError::TooManyPages, 0, std::nullopt},
        {"a page of a huge length", [](const Saved& s) { Append(s.base + ".zqf", Chunk(s.end, 0xFFFFFFF0u)); },
         ProjectError::Damaged, 0, std::nullopt},
        {"a page cut short", [](const Saved& s) { Append(s.base + ".zqf", Chunk(s.end, s.end + 100, 40)); },
         ProjectError::Damaged, 0, std::nullopt},
        {"a page that does not follow the last", [](const Saved& s) { Append(s.base + ".zqf", Chunk(4, 10, 6)); },
         ProjectError::Damaged, 0, std::nullopt},
        {"bytes after the pages that are no page", [](const Saved& s) { Append(s.base + ".zqf", Hex("41 42 43")); },
         ProjectError::Damaged, 0, std::nullopt},
        {"a page past the panel's memory",
         [](const Saved& s) { Append(s.base + ".zqf", Chunk(s.end, s.end + (1u << 20), 1u << 20)); },
         ProjectError::OutOfImage, 0, std::nullopt},
        {"zeros past any project, then a byte",
         [](const Saved& s) {
             GrowByZeros(s.base + ".zqf", kMaxProjectFileBytes);
             Append(s.base + ".zqf", Hex("01"));
         },
         ProjectError::None, 2, Note{Kind::ZeroTail, "p.zqf", 0, false}},
        // The title file.
        {"a title of 1 MB",
         [](const Saved& s) {
             std::string t = "[Title]\r\n" + std::string(1u << 20, 'T') + "\r\nAlarms\r\n";
             WriteFileAtomic(s.base + ".Til", t, nullptr);
         },
         ProjectError::None, 2, Note{Kind::TitlesCut, "p.Til", 1}},
        {"a title of 10 MB",
         [](const Saved& s) { WriteFileAtomic(s.base + ".Til", "[Title]\r\n" + std::string(10u << 20, 'T'), nullptr); },
         ProjectError::None, 2, Note{Kind::TitlesCut, "p.Til", 1}},
        {"a title of 100 MB that is zeros",
         [](const Saved& s) {
             WriteFileAtomic(s.base + ".Til", "[Title]\r\nT", nullptr);
             GrowByZeros(s.base + ".Til", 100u << 20);
         },
         ProjectError::None, 2, Note{Kind::PastTitles, "p.Til"}},
        {"12 million title lines",
         [](const Saved& s) {
             WriteFileAtomic(s.base + ".Til", "[Title]\r\nMain\r\nAlarms\r\n" + std::string(12'000'000, '\n'), nullptr);
         },
         ProjectError::None, 2, Note{Kind::PastTitles, "p.Til"}},
        {"a folder in the title file's place",
         [](const Saved& s) {
             fs::remove(s.base + ".Til");
             fs::create_directory(s.base + ".Til");
         },
         ProjectError::None, 2, Note{Kind::TitlesUnread, "p.Til", 0, true, FileFault::Folder}},
        {"a FIFO in the title file's place", [](const Saved& s) { InPlace(s.base + ".Til", nullptr); },
         ProjectError::None, 2, Note{Kind::TitlesUnread, "p.Til", 0, true, FileFault::NoPlainFile}},
        // The start-up screen file.
        {"a folder in the start-up screen file's place",
         [](const Saved& s) {
             fs::remove(s.base + ".Sta");
             fs::create_directory(s.base + ".Sta");
         },
         ProjectError::None, 2, std::nullopt, true},
        {"/dev/zero in the start-up screen file's place", [](const Saved& s) { InPlace(s.base + ".Sta", "/dev/zero"); },
         ProjectError::None, 2, std::nullopt, true},
        {"a FIFO in the project file's place", [](const Saved& s) { InPlace(s.base + ".zqf", nullptr); },
         ProjectError::CannotRead, 0, std::nullopt},
        {"8 MB of zeros after the start-up screen", [](const Saved& s) { GrowByZeros(s.base + ".Sta", 8u << 20); },
         ProjectError::None, 2, Note{Kind::ZeroTail, "p.Sta", 8388608}},
        {"a start-up screen of a huge length",
         [](const Saved& s) {
             Bytes sta(0x200, 0);
             AppendBytes(sta, Chunk(0, 0xFFFFFFF0u, 10));
             WriteFileAtomic(s.base + ".Sta", std::string(sta.begin(), sta.end()), nullptr);
         },
         ProjectError::None, 2, std::nullopt, true},
        {"a start-up screen past any panel's memory",
         [](const Saved& s) {
             Bytes sta(0x200, 0);
             AppendBytes(sta, Chunk(0, kMaxPanelAddress + 1u, kMaxPanelAddress + 1u, 1));
             WriteFileAtomic(s.base + ".Sta", std::string(sta.begin(), sta.end()), nullptr);
         },
         ProjectError::None, 2, std::nullopt, true},
        {"300,000 start-up screen chunks",
         [](const Saved& s) {
             Bytes sta(0x200, 0);
             for (int i = 0; i < 300'000; ++i)
                 AppendBytes(sta, Chunk(0, 1, 1, 0x11));
             WriteFileAtomic(s.base + ".Sta", std::string(sta.begin(), sta.end()), nullptr);
         },
         ProjectError::None, 2, std::nullopt},
        {"300,000 empty start-up screen chunks before the last",
         [](const Saved& s) {
             Bytes sta(0x200, 0);
             AppendBytes(sta, Chunk(0, 3, 3, 0x22));
             sta.resize(sta.size() + 8 * 300'000, 0);
             AppendBytes(sta, Chunk(0, 1, 1, 0x11));
             WriteFileAtomic(s.base + ".Sta", std::string(sta.begin(), sta.end()), nullptr);
         },
         ProjectError::None, 2, std::nullopt},
    };
    for (const Case& c : cases) {
        Saved s("hostile");
        c.damage(s);
        // A read that waits (on a FIFO) fails the test rather than keeping it.
        ::alarm(10);
        const Opened o = Open(s.dir, s.base);
        ::alarm(0);
        EXPECT_LT(o.took, kSecond) << c.name;
        std::printf("%s: %lld ms\n", c.name, static_cast<long long>(o.took.count()));
        EXPECT_EQ(o.r.Error, c.error) << c.name;
        if (c.error != ProjectError::None) {
            EXPECT_EQ(o.pages, 0u) << c.name;
            continue;
        }
        EXPECT_EQ(o.pages, c.pages) << c.name;
        if (c.leftOut)
            EXPECT_TRUE(Holds(o.r.LeftOut, *c.leftOut)) << c.name << ": " << Listed(o.r.LeftOut);
        else
            EXPECT_TRUE(o.r.LeftOut.empty()) << c.name << ": " << Listed(o.r.LeftOut);
        EXPECT_EQ(o.r.StartScreenProblem.Failed(), c.startScreenLost)
            << c.name << ": " << ProjectErrorName(o.r.StartScreenProblem.Error);
        EXPECT_EQ(o.startScreen.empty(), c.startScreenLost) << c.name;
    }
}

// A new project's empty image header and empty page are zero bytes, as is what grew the file:
// the pages are read up to what the panel's page table holds, the rest is left out.
TEST(HostileFiles, ZerosAfterAnEmptyPageAreReadNoFurtherThanThePanelHasPages)
{
    PrjDir dir("hostile_empty");
    Prj p(dir.Path());
    p.AddPage(0);
    ASSERT_TRUE(BuildPageImage(p.doc));
    const std::string base = dir / "p";
    ASSERT_EQ(WriteProjectFiles(p.doc, base, ProjectFileExtras{}).Error, ProjectError::None);
    GrowByZeros(base + ".zqf", 8u << 20);
    const Opened o = Open(dir, base);
    EXPECT_LT(o.took, kSecond);
    ASSERT_EQ(o.r.Error, ProjectError::None);
    EXPECT_EQ(o.pages, ModelPageLimit(p.doc));
    EXPECT_LT(o.pages, 1000u);
    ASSERT_EQ(o.r.LeftOut.size(), 1u);
    EXPECT_TRUE(Holds(o.r.LeftOut, Note{Kind::ZeroTail, "p.zqf"})) << Listed(o.r.LeftOut);
}

// A save record the program did not write is never carried out: the files open as they are
// and the record's damage is said.
TEST(HostileFiles, ADamagedSaveRecordIsSaidAndNotCarriedOut)
{
    struct Case {
        const char* name;
        std::function<void(const std::string& intent)> make;
    };
    const Case cases[] = {
        {"a hundred megabytes of lines",
         [](const std::string& intent) {
             std::string t = "KESTROVA SAVE 1\n";
             for (int i = 0; i < 1'000'000; ++i)
                 t += "R p.Sta\n";
             t += "END\n";
             WriteFileAtomic(intent, t, nullptr);
             GrowByZeros(intent, 88u << 20);
         }},
        {"a file removed twice",
         [](const std::string& intent) {
             WriteFileAtomic(intent, "KESTROVA SAVE 1\nR p.Sta\nR p.Sta\nEND\n", nullptr);
         }},
        {"cut short",
         [](const std::string& intent) { WriteFileAtomic(intent, "KESTROVA SAVE 1\nR p.Sta\n", nullptr); }},
        {"a name outside the save",
         [](const std::string& intent) { WriteFileAtomic(intent, "KESTROVA SAVE 1\nR ../p.Sta\nEND\n", nullptr); }},
    };
    for (const Case& c : cases) {
        Saved s("hostile_intent");
        c.make(SaveIntentPath(s.base));
        const Opened o = Open(s.dir, s.base);
        EXPECT_LT(o.took, kSecond) << c.name;
        EXPECT_EQ(o.r.Error, ProjectError::None) << c.name;
        EXPECT_NE(o.r.IntentProblem.find("p.saving"), std::string::npos) << c.name << ": " << o.r.IntentProblem;
        EXPECT_TRUE(FileExists(s.base + ".Sta")) << c.name;
        EXPECT_EQ(o.startScreen, Hex("01 02 03")) << c.name;
        EXPECT_FALSE(FileExists(SaveIntentPath(s.base))) << c.name;
    }
}

// The user menu: counts, lengths and zeros are bounded by the reader, the screens by what the
// model's main-menu area holds, and a screen whose records do not read is found.
TEST(HostileFiles, UserMenuFilesAreBoundedByTheirReaderAndTheModelsArea)
{
    PrjDir dir("hostile_menu");
    Prj p(dir.Path(), 87, 0);
    const auto menuOf = [](std::size_t screens, std::size_t bytes) {
        ProjectDoc doc;
        doc.MachineId = 87;
        for (std::size_t i = 0; i < screens; ++i) {
            doc.ImagePgDataList.push_back(std::make_unique<PgDataStr>());
            doc.ImagePgDataList.back()->Data.assign(bytes, 0);
        }
        return EncodeUserMenuFile(doc, UserMenuPort{});
    };
    // One screen of 10 bytes, then empty screens, whose chunks are {10, 10}.
    const auto afterOne = [&](std::size_t empty) {
        Bytes f = menuOf(1, 10);
        for (std::size_t i = 0; i < empty; ++i)
            AppendBytes(f, Chunk(10, 10));
        return f;
    };
    const auto grown = [](Bytes f, std::size_t zeros) {
        f.resize(f.size() + zeros, 0);
        return f;
    };
    struct Case {
        const char* name;
        Bytes file;
        ProjectError parse;
        ProjectError check;
        std::size_t tail; // zero bytes left out
    };
    const Case cases[] = {
        {"18 empty screens, all the area holds", menuOf(18, 0), ProjectError::None, ProjectError::None, 0},
        {"19 empty screens", menuOf(19, 0), ProjectError::None, ProjectError::TooManyScreens, 0},
        {"10,000 empty screens", menuOf(10000, 0), ProjectError::None, ProjectError::TooManyScreens,
         8 * (10000 - kMaxUserMenuScreens)},
        {"200,000 empty chunks", grown(menuOf(0, 0), 8 * 200000), ProjectError::None, ProjectError::TooManyScreens,
         8 * (200000 - kMaxUserMenuScreens)},
        {"a screen, then 5,000 empty ones", afterOne(5000), ProjectError::TooManyScreens, ProjectError::None, 0},
        {"screens whose records pass the area", menuOf(2, 20000), ProjectError::None, ProjectError::TooManyScreens, 0},
        {"8 MB of zeros after a screen", grown(menuOf(1, 10), 8u << 20), ProjectError::None, ProjectError::None,
         8u << 20},
    };
    for (const Case& c : cases) {
        const test::CpuStopwatch cpu;
        ParsedUserMenu m;
        EXPECT_EQ(ParseUserMenuFile(c.file, m), c.parse) << c.name;
        if (c.parse == ProjectError::None) {
            EXPECT_EQ(CheckUserMenu(m, p.doc, p.core->PanelWidth, p.core->PanelHeight), c.check) << c.name;
            EXPECT_EQ(c.file.size() - m.TailAt, c.tail) << c.name;
        }
        EXPECT_LT(cpu.Elapsed(), kSecond) << c.name;
    }

    // Controllers: one the lists hold, an unknown one, a keypad type (which draws no screens).
    EXPECT_TRUE(UserMenuMachine(*p.core, 87));
    EXPECT_FALSE(UserMenuMachine(*p.core, 32767));
    EXPECT_FALSE(UserMenuMachine(*p.core, -1));
    EXPECT_FALSE(UserMenuMachine(*p.core, 95));
}

TEST(HostileFiles, AUserMenuScreenThatDoesNotReadIsFound)
{
    test::PageFixture f;
    // A static text record head: tag 1, then its length.
    const auto head = [](std::uint16_t length) {
        Bytes h;
        AppendU16be(h, 1);
        AppendU16be(h, length);
        return h;
    };
    struct Case {
        const char* name;
        Bytes screen;
        DecodeError error;
    };
    const Case cases[] = {
        {"an empty screen", {}, DecodeError::None},
        {"a record of length zero", test::Cat(head(0), Bytes(20, 0)), DecodeError::ZeroLength},
        {"a record cut short", test::Cat(head(200), Bytes(20, 0)), DecodeError::LengthPastEnd},
        {"a record head cut short", Hex("00 01"), DecodeError::ShortHead},
    };
    for (const Case& c : cases) {
        ParsedUserMenu m;
        m.Screens = {Bytes{}, c.screen};
        const ScreenRead r = FirstUnreadScreen(m, *f.env);
        if (c.error == DecodeError::None) {
            EXPECT_EQ(r.Screen, 2u) << c.name;
        } else {
            EXPECT_EQ(r.Screen, 1u) << c.name;
            EXPECT_EQ(r.Read.Error, c.error) << c.name;
        }
    }
}

} // namespace
} // namespace kes
