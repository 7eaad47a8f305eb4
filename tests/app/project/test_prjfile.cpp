// The project files on disk: the project file's header field by field, its chunks, the
// title and start-up screen files; a save reopened and saved again gives the same bytes; a
// damaged file opens nothing; a save that fails half-way leaves the previous project as it
// was; a save never writes fewer pages than the project holds.
#include "app/project/prjio.h"
#include "pgrectest.h"
#include "platform/fileio.h"
#include "prjtest.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

namespace kes {
namespace {

using test::FileBytes;
using test::Hex;
using test::Prj;
using test::PrjDir;
using test::ToHex;

// A state whose header fields all differ from their defaults and from each other.
void DistinctHeaderFields(ProjectState& s)
{
    s.HmiUnitAddr = 0x21;
    s.DefStation = 0x22;
    s.SysDevRefs[0].Ref.DevAddrCode = 0x01020304;
    s.SysDevRefs[0].Ref.Present = 1;
    s.SysDevRefs[0].Ref.Station = 0x23;
    s.SysDevRefs[0].Ref.Detail = 0x24;
    s.SysDevRefs[0].Ref.BitIndex = 0x25;
    s.SysDevRefs[0].Ref.LinkIndex = 1;
    s.SysDevRefValue[0] = 0x26;
    s.SysDevRefs[1].Ref.DevAddrCode = -1;
    s.SysDevRefValue[1] = 0x27;
    s.UseDefaultPort = 0;
    s.UseDefaultStation = 1;
    for (int i = 0; i < kPasswordSlots; ++i) {
        s.UserPasswords[i].Password = std::to_string(100000 + i * 11111);
        s.UserPasswords[i].Level = static_cast<std::uint8_t>(i % 5);
    }
    s.ComSetByte = {0x1A, 0x2B};
    s.LinkIndex = 1;
    s.PortSlaveMode = {1, 0};
}

ProjectFileExtras Extras()
{
    ProjectFileExtras x;
    x.EnableUpDown = true;
    x.PortNumber = 4;
    x.Baud = 38400;
    x.PixelsPerInch = 96;
    return x;
}

// The system sections of the round trip: a clock write and a buzzer.
void SomeSections(ProjectState& s)
{
    s.SysClockWrite.Ref.DevAddrCode = 0x1234;
    s.SysBuzzer.Ref.DevAddrCode = 0x40;
    s.SysBuzzer.Value = 3;
}

TEST(ProjectFile, HeaderFieldsAtTheirOffsets)
{
    ProjectState s;
    s.MachineId = 3;
    s.PanelModelIndex = 1;
    DistinctHeaderFields(s);
    const Bytes h = EncodeProjectHeader(s, Extras());
    ASSERT_EQ(h.size(), 512u);
    struct Field {
        std::size_t off;
        const char* hex;
    };
    const Field fields[] = {
        {0x000, "03 00 01 00 78 00 00 00 21 04 00 96 00 00 02 01 07 01 22"},
        {0x013, "04 03 02 01 01 23 24 25 01 26 00 00 00 00 00 00 00 00"},
        {0x025, "FF FF FF FF 01 01 00 00 00 27 00 00 00 00 00 00 00 00"},
        {0x037, "00 00 01 00"},
        {0x1b0, "31 30 30 30 30 30 00 31 31 31 31 31 31 01"},
        {0x1ef, "31 39 39 39 39 39 04"},
        {0x1f6, "1A 2B 01 00 00 01 22 10 00 60"},
    };
    for (const Field& f : fields) {
        const Bytes want = Hex(f.hex);
        EXPECT_EQ(ToHex(ByteSpan(h.data() + f.off, want.size())), f.hex) << std::hex << f.off;
    }
    for (std::size_t i = 0x03a; i < 0x1b0; ++i)
        ASSERT_EQ(h[i], 0) << i;
}

// Read back: the later pair of the switch and station wins, a flags byte reads as 0/1, the
// model index keeps its low four bits; the fields come back as they were written.
TEST(ProjectFile, HeaderReadsBack)
{
    ProjectState s;
    s.MachineId = 3;
    DistinctHeaderFields(s);
    const Bytes h = EncodeProjectHeader(s, Extras());
    Bytes file = test::Cat(h, Hex("00 00 00 00 00 00 00 00"));
    file[0x002] = 0x13;
    file[0x011] = 0;
    file[0x012] = 0x55;
    ParsedProjectFile parsed;
    ASSERT_EQ(ParseProjectFile(file, parsed), ProjectError::None);
    EXPECT_EQ(StoredModelIndex(parsed.Head), 3);
    EXPECT_EQ(parsed.Head.EnableUpDown, 1);
    EXPECT_EQ(parsed.Head.PortNumber, 4);

    ProjectState t;
    t.MachineId = parsed.Head.MachineId;
    ApplyProjectHeader(t, parsed.Head);
    EXPECT_EQ(t.DefStation, 0x22);
    EXPECT_EQ(t.PrjPixelsPerInch, 96);
    EXPECT_EQ(EncodeProjectHeader(t, Extras()), h);

    file[0x017] = 0x10;
    ASSERT_EQ(ParseProjectFile(file, parsed), ProjectError::None);
    EXPECT_EQ(parsed.Head.SysDevRefs[0].Present, 1);
}

TEST(ProjectFile, StoredVersions)
{
    const std::pair<std::uint32_t, std::uint32_t> cases[] = {{0, 90},    {100, 90},  {101, 101},
                                                             {119, 119}, {120, 120}, {130, 120}};
    for (auto [stored, read] : cases)
        EXPECT_EQ(ReadVersion(stored, 120), read) << stored;
}

TEST(ProjectFile, ChunksOfHeaderAndPages)
{
    Prj p(std::string(KES_BIN_DIR) + "/");
    SomeSections(p.doc);
    p.AddPage(5);
    p.AddPage(0);
    ASSERT_TRUE(BuildPageImage(p.doc));
    Bytes file;
    ASSERT_EQ(EncodeProjectFile(p.doc, Extras(), file), ProjectError::None);
    // header chunk {0, 34}, page {34, 39}, empty page {39, 39}
    ASSERT_EQ(file.size(), std::size_t(512 + 8 + 34 + 8 + 5 + 8));
    EXPECT_EQ(ToHex(ByteSpan(file.data() + 512, 8)), "00 00 00 00 22 00 00 00");
    EXPECT_EQ(ToHex(ByteSpan(file.data() + 512 + 42, 8)), "22 00 00 00 27 00 00 00");
    EXPECT_EQ(ToHex(ByteSpan(file.data() + 512 + 55, 8)), "27 00 00 00 27 00 00 00");

    ParsedProjectFile parsed;
    ASSERT_EQ(ParseProjectFile(file, parsed), ProjectError::None);
    ASSERT_EQ(parsed.Chunks.size(), 3u);
    Prj q(std::string(KES_BIN_DIR) + "/");
    ApplyProjectBody(q.doc, parsed, HeaderDecoders{});
    ASSERT_EQ(q.doc.PgDataList.size(), 2u);
    EXPECT_EQ(q.doc.PgDataList[0]->Data, p.doc.PgDataList[0]->Data);
    EXPECT_EQ(q.doc.PgDataList[1]->Length(), 0);
    EXPECT_EQ(q.doc.OffsetList, (std::vector<std::string>{"34", "39", "39"}));
    EXPECT_EQ(q.doc.MemImageLen, 39);
}

TEST(ProjectFile, NoPagesHoldsTheHeaderChunkOnly)
{
    Prj p(std::string(KES_BIN_DIR) + "/");
    SomeSections(p.doc);
    ASSERT_TRUE(BuildPageImage(p.doc));
    Bytes file;
    ASSERT_EQ(EncodeProjectFile(p.doc, Extras(), file), ProjectError::None);
    EXPECT_EQ(file.size(), std::size_t(512 + 8 + 34));
    ParsedProjectFile parsed;
    ASSERT_EQ(ParseProjectFile(file, parsed), ProjectError::None);
    Prj q(std::string(KES_BIN_DIR) + "/");
    ApplyProjectBody(q.doc, parsed, HeaderDecoders{});
    EXPECT_TRUE(q.doc.PgDataList.empty());
    EXPECT_EQ(q.doc.OffsetList, std::vector<std::string>{"34"});
}

TEST(ProjectFile, KeypadTypesWriteTheKeySettingOnly)
{
    PrjDir dir("keypad");
    Prj p(dir.Path(), 99);
    p.doc.KeySetRec.CommAddr = 7;
    ASSERT_TRUE(BuildPageImage(p.doc));
    ASSERT_EQ(WriteProjectFiles(p.doc, dir / "k", Extras()).Error, ProjectError::None);
    const Bytes file = FileBytes(dir / "k.zqf");
    ASSERT_EQ(file.size(), 532u);
    EXPECT_EQ(ToHex(ByteSpan(file.data() + 512, 6)), "07 00 02 03 30 31");
    EXPECT_FALSE(FileExists(dir / "k.Til"));
    EXPECT_FALSE(FileExists(dir / "k.Sta"));

    Prj q(dir.Path());
    const ReadOutcome r = ReadProjectFiles(q.doc, dir / "k", q.core.get(), HeaderDecoders{});
    ASSERT_EQ(r.Error, ProjectError::None);
    EXPECT_TRUE(r.Keypad);
    EXPECT_EQ(q.doc.MachineId, 99);
    EXPECT_EQ(q.doc.KeySetRec.CommAddr, 7);
}

TEST(ProjectFile, TitleFileLines)
{
    struct Case {
        std::string text;
        std::size_t pages;
        std::vector<std::string> titles;
    };
    const Case cases[] = {
        {"[Title]\r\nMain\r\n\r\nAlarms\r\n", 3, {"Main", "", "Alarms"}},
        {"[Title]\nMain", 3, {"Main", "", ""}},
        {"[Title]\r\nA\r\nB\r\nC\r\n", 2, {"A", "B"}},
        {std::string("[Title]\r\nA\0B\r\nC", 15), 2, {"A", "C"}},
        {"Title\r\nA\r\n", 1, {""}},
        {"", 1, {""}},
    };
    for (const Case& c : cases) {
        PgDataVector pages;
        for (std::size_t i = 0; i < c.pages; ++i)
            pages.push_back(std::make_unique<PgDataStr>());
        ApplyTitleFile(c.text, pages);
        std::vector<std::string> got;
        for (const auto& p : pages)
            got.push_back(p->Title);
        EXPECT_EQ(got, c.titles) << c.text;
    }
}

TEST(ProjectFile, Names)
{
    const std::pair<const char*, const char*> strip[] = {
        {"a.zqf.zqf", "a.zqf"}, {"my.zqfile.zqf", "my.zqfile"}, {"plain", "plain"}, {".zqf", ""}, {"x.ZQF", "x.ZQF"}};
    for (auto [in, out] : strip)
        EXPECT_EQ(StripPrjExt(in), out) << in;
    EXPECT_EQ(FileNamePart("/p/q/a.zqf"), "a.zqf");
    EXPECT_EQ(FolderPart("/p/q/a.zqf"), "/p/q");
    EXPECT_EQ(JoinPath("/p/", "a"), "/p/a");
    EXPECT_EQ(JoinPath("/p", "a"), "/p/a");
    EXPECT_EQ(WorkingCopyBase("/app/", "Doc1"), "/app/DocFiles/~Doc1");
    EXPECT_GT(FreeSpaceOf("/tmp"), 0);
    EXPECT_EQ(FreeSpaceOf("/no/such/folder"), -1);
}

// A project with system sections, pages with titles (one empty page, one empty title) and a
// start-up screen, saved, opened and saved again: the same bytes in all three files.
TEST(ProjectFiles, SaveOpenSaveGivesTheSameBytes)
{
    test::HeaderLib lib;
    if (!lib.Loaded())
        GTEST_SKIP() << "the decoder library is not built";
    PrjDir dir("roundtrip");
    Prj p(dir.Path());
    DistinctHeaderFields(p.doc);
    SomeSections(p.doc);
    p.AddPage(120, "Main");
    p.AddPage(0, "");
    p.AddPage(3000, "Alarms");
    p.doc.StartScreenData->Data = Hex("00 05 00 10 01 02 03 04 05 06 07 08 09 0A 0B 0C");
    p.doc.Modified = 1;
    ResetMemoryImage(p.doc);
    ASSERT_TRUE(BuildPageImage(p.doc));
    ASSERT_EQ(WriteProjectFiles(p.doc, dir / "first", Extras()).Error, ProjectError::None);
    EXPECT_EQ(p.doc.Modified, 0);

    Prj q(dir.Path(), 87, 2);
    const ReadOutcome r = ReadProjectFiles(q.doc, dir / "first", q.core.get(), lib.dec);
    ASSERT_EQ(r.Error, ProjectError::None);
    EXPECT_FALSE(r.OlderVersion);
    EXPECT_EQ(q.doc.MachineId, 3);
    EXPECT_EQ(q.doc.PanelModelIndex, 0);
    ASSERT_EQ(q.doc.PgDataList.size(), 3u);
    EXPECT_EQ(q.doc.PgDataList[2]->Title, "Alarms");
    ProjectFileExtras x = Extras();
    x.EnableUpDown = r.EnableUpDown;
    x.PortNumber = r.PortNumber;
    ResetMemoryImage(q.doc);
    ASSERT_TRUE(BuildPageImage(q.doc));
    ASSERT_EQ(WriteProjectFiles(q.doc, dir / "second", x).Error, ProjectError::None);
    for (const char* ext : {".zqf", ".Til", ".Sta"})
        EXPECT_EQ(FileBytes(dir / (std::string("first") + ext)), FileBytes(dir / (std::string("second") + ext))) << ext;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(FileBytes(dir / "first.Til").data()), 25),
              "[Title]\r\nMain\r\n\r\nAlarms\r\n");
}

TEST(ProjectFiles, OlderVersionIsConverted)
{
    PrjDir dir("older");
    Prj p(dir.Path());
    p.AddPage(10);
    ASSERT_TRUE(BuildPageImage(p.doc));
    ASSERT_EQ(WriteProjectFiles(p.doc, dir / "old", Extras()).Error, ProjectError::None);
    Bytes file = FileBytes(dir / "old.zqf");
    file[4] = 100;
    ASSERT_TRUE(WriteFileAtomic(dir / "old.zqf", std::string(file.begin(), file.end()), nullptr));

    Prj q(dir.Path());
    const ReadOutcome r = ReadProjectFiles(q.doc, dir / "old", q.core.get(), HeaderDecoders{});
    ASSERT_EQ(r.Error, ProjectError::None);
    EXPECT_TRUE(r.OlderVersion);
    EXPECT_EQ(q.doc.PrjVersion, 90u);
    ConvertOlderProject(q.doc);
    EXPECT_EQ(q.doc.PrjVersion, 100u);
    EXPECT_EQ(q.doc.OffsetList, (std::vector<std::string>{"0", "10"}));
    ASSERT_TRUE(BuildPageImage(q.doc));
    ASSERT_EQ(WriteProjectFiles(q.doc, dir / "new", Extras()).Error, ProjectError::None);
    EXPECT_EQ(q.doc.PrjVersion, 120u);
    EXPECT_EQ(FileBytes(dir / "new.zqf")[4], 120);
}

// Every damaged file gives an error and opens no page.
TEST(ProjectFiles, DamagedFilesOpenNothingButAStartScreenFileLosesItsScreenOnly)
{
    PrjDir dir("damaged");
    Prj p(dir.Path());
    p.AddPage(10);
    p.AddPage(20);
    p.doc.StartScreenData->Data = Hex("01 02 03");
    ASSERT_TRUE(BuildPageImage(p.doc));
    ASSERT_EQ(WriteProjectFiles(p.doc, dir / "good", Extras()).Error, ProjectError::None);
    const Bytes good = FileBytes(dir / "good.zqf");
    const Bytes sta = FileBytes(dir / "good.Sta");
    // Body: header chunk {0,0} at 512, page {0,10} at 520, page {10,30} at 538.
    const auto put32 = [](Bytes b, std::size_t off, std::uint32_t v) {
        PutU32le(b, off, v);
        return b;
    };
    const auto cut = [](Bytes b, std::size_t n) {
        b.resize(n);
        return b;
    };
    const auto junk = [](Bytes b, std::size_t from, std::size_t to) {
        std::fill(b.begin() + static_cast<std::ptrdiff_t>(from), b.begin() + static_cast<std::ptrdiff_t>(to), 0x41);
        return b;
    };
    // A page after the last that ends one byte past the image.
    Bytes pastImage(8 + p.doc.MemImage.size() + 1 - 30, 0xFF);
    PutU32le(pastImage, 0, 30);
    PutU32le(pastImage, 4, static_cast<std::uint32_t>(p.doc.MemImage.size() + 1));
    struct Case {
        const char* name;
        Bytes zqf;
        Bytes sta;
        ProjectError error;
    };
    const Case cases[] = {
        {"shorter than its header", cut(good, 300), sta, ProjectError::TooShort},
        {"cut inside a chunk head", cut(good, 526), sta, ProjectError::Damaged},
        {"cut inside a chunk", cut(good, good.size() - 1), sta, ProjectError::Damaged},
        {"end below start", put32(good, 538 + 4, 5), sta, ProjectError::Damaged},
        {"length past the file", put32(good, 538 + 4, 0x7FFFFFFF), sta, ProjectError::Damaged},
        {"header chunk not at 0", put32(put32(good, 512, 1), 516, 1), sta, ProjectError::Damaged},
        {"chunk past the image", test::Cat(good, pastImage), sta, ProjectError::OutOfImage},
        {"junk in the first 40 bytes", junk(good, 0, 40), sta, ProjectError::UnknownModel},
        {"a panel model the list lacks", put32(good, 0, 0x000F0003), sta, ProjectError::UnknownModel},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(WriteFileAtomic(dir / "bad.zqf", std::string(c.zqf.begin(), c.zqf.end()), nullptr));
        ASSERT_TRUE(WriteFileAtomic(dir / "bad.Sta", std::string(c.sta.begin(), c.sta.end()), nullptr));
        Prj q(dir.Path());
        const ReadOutcome r = ReadProjectFiles(q.doc, dir / "bad", q.core.get(), HeaderDecoders{});
        EXPECT_EQ(r.Error, c.error) << c.name;
        EXPECT_TRUE(q.doc.PgDataList.empty()) << c.name;
        EXPECT_TRUE(q.doc.StartScreenData->Data.empty()) << c.name;
    }
    Prj q(dir.Path());
    EXPECT_EQ(ReadProjectFiles(q.doc, dir / "missing", q.core.get(), HeaderDecoders{}).Error, ProjectError::CannotRead);

    // A start-up screen file that does not read loses the start-up screen only, and says so.
    for (const Bytes& badSta : {cut(sta, sta.size() - 1), put32(sta, 512, 1), Bytes{}, cut(sta, 10)}) {
        ASSERT_TRUE(WriteFileAtomic(dir / "bad.zqf", std::string(good.begin(), good.end()), nullptr));
        ASSERT_TRUE(WriteFileAtomic(dir / "bad.Sta", std::string(badSta.begin(), badSta.end()), nullptr));
        Prj s(dir.Path());
        const ReadOutcome r = ReadProjectFiles(s.doc, dir / "bad", s.core.get(), HeaderDecoders{});
        EXPECT_EQ(r.Error, ProjectError::None) << badSta.size();
        EXPECT_EQ(s.doc.PgDataList.size(), 2u);
        EXPECT_TRUE(s.doc.StartScreenData->Data.empty());
        EXPECT_TRUE(r.StartScreenProblem.Failed()) << badSta.size();
        EXPECT_NE(r.StartScreenProblem.Path.find("bad.Sta"), std::string::npos) << r.StartScreenProblem.Path;
    }
}

// The disk fills up while the save writes; the project on disk stays the previous one and
// no temporary file is left behind.
TEST(ProjectFiles, FailedWriteLeavesThePreviousProject)
{
    PrjDir dir("fault");
    Prj p(dir.Path());
    p.AddPage(100, "One");
    p.AddPage(100, "Two");
    p.doc.StartScreenData->Data = Hex("01 02 03");
    ASSERT_TRUE(BuildPageImage(p.doc));
    ASSERT_EQ(WriteProjectFiles(p.doc, dir / "p", Extras()).Error, ProjectError::None);
    const Bytes zqf = FileBytes(dir / "p.zqf"), til = FileBytes(dir / "p.Til"), sta = FileBytes(dir / "p.Sta");

    struct Case {
        const char* name;
        std::size_t file, offset;
    };
    for (const Case c : {Case{"inside the project file", 0, 65536}, Case{"at the title file", 1, 0},
                         Case{"at the start-up screen file", 2, 0}}) {
        p.AddPage(70000, "Three");
        p.doc.PgDataList[0]->Title = "Changed";
        p.doc.Modified = 1;
        ResetMemoryImage(p.doc);
        ASSERT_TRUE(BuildPageImage(p.doc));
        const WriteWatch full{
            [c](std::size_t file, std::size_t offset) { return file == c.file && offset >= c.offset; }, {}};
        p.doc.SaveWatch = &full;
        const WriteOutcome w = WriteProjectFiles(p.doc, dir / "p", Extras());
        p.doc.SaveWatch = nullptr;
        EXPECT_EQ(w.Error, ProjectError::CannotWrite) << c.name;
        EXPECT_EQ(w.File.Errno, ENOSPC) << c.name;
        EXPECT_EQ(p.doc.Modified, 1) << c.name;
        EXPECT_EQ(FileBytes(dir / "p.zqf"), zqf) << c.name;
        EXPECT_EQ(FileBytes(dir / "p.Til"), til) << c.name;
        EXPECT_EQ(FileBytes(dir / "p.Sta"), sta) << c.name;
        for (const auto& e : std::filesystem::directory_iterator(dir / ""))
            EXPECT_EQ(e.path().string().find(".tmp"), std::string::npos) << e.path();

        Prj q(dir.Path());
        ASSERT_EQ(ReadProjectFiles(q.doc, dir / "p", q.core.get(), HeaderDecoders{}).Error, ProjectError::None);
        ASSERT_EQ(q.doc.PgDataList.size(), 2u) << c.name;
        EXPECT_EQ(q.doc.PgDataList[0]->Title, "One") << c.name;
        p.doc.PgDataList.pop_back();
    }
}

// A project whose image lost a page (it did not fit) is not written at all.
TEST(ProjectFiles, NeverWritesFewerPagesThanTheProjectHolds)
{
    PrjDir dir("drop");
    Prj p(dir.Path());
    p.doc.ObjDataAddrEnd = p.doc.ObjDataAddr + 100;
    ResetMemoryImage(p.doc);
    p.AddPage(60);
    p.AddPage(60);
    EXPECT_FALSE(BuildPageImage(p.doc));
    EXPECT_EQ(WriteProjectFiles(p.doc, dir / "p", Extras()).Error, ProjectError::Inconsistent);
    EXPECT_FALSE(FileExists(dir / "p.zqf"));
    EXPECT_FALSE(FileExists(dir / "p.Til"));
}

TEST(ProjectFiles, WorkingCopiesAndTildeNames)
{
    PrjDir dir("tilde");
    Prj p(dir.Path());
    p.AddPage(10);
    ASSERT_TRUE(BuildPageImage(p.doc));
    p.doc.Modified = 1;

    EXPECT_EQ(WriteProjectFiles(p.doc, dir / "~x", Extras()).Error, ProjectError::BadName);
    EXPECT_FALSE(FileExists(dir / "~x.zqf"));
    EXPECT_EQ(p.doc.Modified, 1);

    // A working copy keeps the project modified: the save question still comes.
    p.doc.PrjName = "proj";
    const std::string wc = WorkingCopyBase(dir.Path(), p.doc.PrjName);
    EXPECT_EQ(WriteProjectFiles(p.doc, wc, Extras(), CopyKind::WorkingCopy).Error, ProjectError::None);
    EXPECT_TRUE(FileExists(wc + ".zqf"));
    EXPECT_TRUE(FileExists(wc + ".Til"));
    EXPECT_EQ(p.doc.Modified, 1);

    // A project opened from a working copy writes none of its own.
    p.doc.PrjName = "~proj";
    const std::string wc2 = WorkingCopyBase(dir.Path(), p.doc.PrjName);
    EXPECT_EQ(WriteProjectFiles(p.doc, wc2, Extras(), CopyKind::WorkingCopy).Error, ProjectError::None);
    EXPECT_FALSE(FileExists(wc2 + ".zqf"));
}

// A start-up screen file of an earlier save goes when the project has none.
TEST(ProjectFiles, StartScreenFileFollowsTheData)
{
    PrjDir dir("sta");
    Prj p(dir.Path());
    p.doc.StartScreenData->Data = Hex("01 02");
    ASSERT_TRUE(BuildPageImage(p.doc));
    ASSERT_EQ(WriteProjectFiles(p.doc, dir / "p", Extras()).Error, ProjectError::None);
    EXPECT_EQ(ToHex(FileBytes(dir / "p.Sta")).substr(512 * 3), "00 00 00 00 02 00 00 00 01 02");
    p.doc.StartScreenData->Data.clear();
    ASSERT_EQ(WriteProjectFiles(p.doc, dir / "p", Extras()).Error, ProjectError::None);
    EXPECT_FALSE(FileExists(dir / "p.Sta"));
}

} // namespace
} // namespace kes
