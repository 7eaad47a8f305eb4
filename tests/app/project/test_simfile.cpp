// The simulator file (system block with the version, model and image length, the big-endian
// offset table, the image) and the user menu file (head, the empty chunk, one chunk per
// screen), with the shipped user menu files among the files the reader accepts.
#include "app/comm/simfile.h"
#include "app/project/prjio.h"
#include "app/project/usermenu.h"
#include "pgrectest.h"
#include "prjtest.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QThread>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace kes {
namespace {

using test::FileBytes;
using test::Prj;
using test::PrjDir;
using test::ToHex;

std::uint32_t Be32(const Bytes& b, std::size_t off) { return *GetU32be(b, off); }

// A 40-byte header: two system jumps, bit (18) and word (22).
void FortyByteHeader(ProjectDoc& doc)
{
    PgJmpRec bit;
    bit.Ref.DevAddrCode = 0x100;
    PgJmpRec word;
    word.Ref.DevAddrCode = 0x200;
    word.Kind = 0x10;
    doc.SysPgJumps = {bit, word};
}

TEST(SimFile, LayoutAfterTheSystemBlock)
{
    struct Case {
        std::uint32_t fw;
        std::size_t block;
    };
    for (const Case c : {Case{99, 88}, Case{100, 130}}) {
        Prj p(std::string(KES_BIN_DIR) + "/");
        FortyByteHeader(p.doc);
        p.AddPage(100);
        p.AddPage(60);
        p.doc.PanelFwVer = c.fw;
        p.doc.PanelModelIndex = 1;
        ASSERT_TRUE(BuildPageImage(p.doc));
        const Bytes f = BuildSimFile(p.doc, false);
        const std::size_t s = c.block;
        ASSERT_EQ(f.size(), s + 16 + 200) << c.fw;
        EXPECT_EQ(ToHex(ByteSpan(f.data() + 10, 8)), "00 78 00 01 00 00 00 C8") << c.fw;
        EXPECT_EQ(*GetU16le(f, 0), 3) << "page count + 1, little-endian";
        EXPECT_EQ(*GetU16be(f, 4), 3) << "machine id, big-endian";
        EXPECT_EQ(Be32(f, s), 0u);
        EXPECT_EQ(Be32(f, s + 4), 40u);
        EXPECT_EQ(Be32(f, s + 8), 140u);
        EXPECT_EQ(Be32(f, s + 12), 200u);
        EXPECT_TRUE(std::equal(f.begin() + s + 16, f.end(), p.doc.MemImage.begin()));
    }
}

TEST(SimFile, NoPagesAndKeypadTypes)
{
    Prj p(std::string(KES_BIN_DIR) + "/");
    FortyByteHeader(p.doc);
    ASSERT_TRUE(BuildPageImage(p.doc));
    Bytes f = BuildSimFile(p.doc, false);
    ASSERT_EQ(f.size(), 88u + 4 + 40);
    EXPECT_EQ(Be32(f, 88), 0u);

    Prj k(std::string(KES_BIN_DIR) + "/", 95);
    ASSERT_TRUE(BuildPageImage(k.doc));
    f = BuildSimFile(k.doc, false);
    ASSERT_EQ(f.size(), 88u + 8 + 24);
    EXPECT_EQ(Be32(f, 92), 24u);
    EXPECT_EQ(*GetU16be(f, 88 + 8), 1011);
}

TEST(SimFile, WrittenWholeAndRefusedWhenAPageIsLost)
{
    PrjDir dir("sim");
    Prj p(dir.Path());
    p.AddPage(10);
    {
        std::ofstream(dir / "p.sim", std::ios::binary) << std::string(5000, 'x');
    }
    ASSERT_TRUE(WriteSimFile(p.doc, dir / "p.sim", false, nullptr));
    EXPECT_EQ(FileBytes(dir / "p.sim").size(), 88u + 12 + 10);

    p.doc.ObjDataAddrEnd = p.doc.ObjDataAddr + 5;
    ResetMemoryImage(p.doc);
    EXPECT_FALSE(WriteSimFile(p.doc, dir / "p.sim", false, nullptr));
}

TEST(SimFile, StartsTheSimulatorBesideTheProgram)
{
    PrjDir dir("simstart");
    EXPECT_EQ(SimulatorPath(dir.Path()), "");
    const std::string program = dir / "LxSim";
    {
        // The arguments land whole or not at all: the file appears by a rename once written.
        std::ofstream(program) << "#!/bin/sh\nd=$(dirname \"$0\")\n"
                                  "printf '%s|' \"$@\" > \"$d/args.tmp\" && mv \"$d/args.tmp\" \"$d/args.txt\"\n";
    }
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    ASSERT_EQ(SimulatorPath(dir.Path()), program);
    ASSERT_TRUE(StartSimulator(program, dir / "my \"x\".sim", true));
    QElapsedTimer t;
    t.start();
    std::string args;
    while (t.elapsed() < 30000 && !ReadFileText(dir / "args.txt", 1u << 30, args, nullptr))
        QThread::msleep(20);
    EXPECT_EQ(args, dir / "my \"x\".sim|/OnLine|");
    EXPECT_FALSE(StartSimulator(dir / "missing", dir / "a.sim", false));
}

TEST(UserMenu, PathsPerPanelFamily)
{
    EXPECT_EQ(UserMenuPath("/app/", 0), "/app/UserMenu/ZQ04/UserMenu.Men");
    EXPECT_EQ(UserMenuPath("/app/", 1), "/app/UserMenu/ZQ02/UserMenu.Men");
    EXPECT_EQ(UserMenuPath("/app/", 2), "");
}

// Three screens of a 128 x 64 panel take 3072 bytes: 0x1000..0x1BFF holds them, one byte
// less does not; nor does an area smaller than the screens' stored streams.
TEST(UserMenu, ScreensAgainstTheMainMenuArea)
{
    struct Case {
        const char* name;
        std::int32_t end;
        std::size_t screenBytes;
        bool fits;
    };
    const Case cases[] = {
        {"exactly full", 0x1BFF, 100, true},
        {"one byte short", 0x1BFE, 100, false},
        {"streams longer than the area", 0x1BFF, 1100, false},
    };
    for (const Case& c : cases) {
        ProjectDoc doc;
        doc.MainMenuAddr = 0x1000;
        doc.MainMenuEnd = c.end;
        for (int i = 0; i < 3; ++i) {
            doc.ImagePgDataList.push_back(std::make_unique<PgDataStr>());
            doc.ImagePgDataList.back()->Data.assign(c.screenBytes, 1);
        }
        EXPECT_EQ(UserMenuFits(doc, 128, 64), c.fits) << c.name;
    }
}

TEST(UserMenu, FileAndOffsets)
{
    ProjectDoc doc;
    doc.MachineId = 3;
    doc.PanelModelIndex = 1;
    Bytes f = EncodeUserMenuFile(doc, UserMenuPort{});
    EXPECT_EQ(f.size(), 520u);
    EXPECT_TRUE(doc.UserMenuOffsetList.empty());
    EXPECT_EQ(ToHex(ByteSpan(f.data(), 17)), "03 00 01 00 78 00 00 00 01 01 80 25 00 00 02 01 07");

    for (std::size_t n : {5u, 3u}) {
        doc.ImagePgDataList.push_back(std::make_unique<PgDataStr>());
        doc.ImagePgDataList.back()->Data.assign(n, static_cast<std::uint8_t>(n));
    }
    f = EncodeUserMenuFile(doc, UserMenuPort{});
    EXPECT_EQ(doc.UserMenuOffsetList, (std::vector<std::string>{"0", "5", "8"}));
    EXPECT_EQ(ToHex(ByteSpan(f.data() + 512, 8 + 13 + 11)),
              "00 00 00 00 00 00 00 00 00 00 00 00 05 00 00 00 05 05 05 05 05 05 00 00 00 08 00 00 00 03 03 03");
    ParsedUserMenu m;
    ASSERT_EQ(ParseUserMenuFile(f, m), ProjectError::None);
    ASSERT_EQ(m.Screens.size(), 2u);
    EXPECT_EQ(m.Screens[1], Bytes(3, 3));
}

TEST(UserMenu, DamagedFiles)
{
    ProjectDoc doc;
    doc.ImagePgDataList.push_back(std::make_unique<PgDataStr>());
    doc.ImagePgDataList.back()->Data.assign(5, 1);
    const Bytes good = EncodeUserMenuFile(doc, UserMenuPort{});
    const auto cut = [&](std::size_t n) { return Bytes(good.begin(), good.begin() + n); };
    Bytes noEmpty = good;
    noEmpty[512] = 1;
    Bytes backwards = good;
    PutU32le(backwards, 520, 9);
    const std::pair<const char*, Bytes> cases[] = {
        {"shorter than the head", cut(100)}, {"cut in a chunk head", cut(526)}, {"cut in a chunk", cut(532)},
        {"no empty chunk first", noEmpty},   {"end below start", backwards},
    };
    for (const auto& [name, bytes] : cases) {
        ParsedUserMenu m;
        EXPECT_NE(ParseUserMenuFile(bytes, m), ProjectError::None) << name;
    }
}

// The files shipped beside the program: what the writer gives for a menu without screens.
// KES_WRITE_USERMENU=1 writes them into the source tree.
TEST(UserMenu, ShippedFiles)
{
    for (int model : {0, 1}) {
        ProjectDoc doc;
        doc.PanelModelIndex = static_cast<std::int16_t>(model);
        const Bytes want = EncodeUserMenuFile(doc, UserMenuPort{});
        const std::string rel = UserMenuPath("", model);
        if (const char* w = std::getenv("KES_WRITE_USERMENU"); w && std::string(w) == "1") {
            const std::string src = std::string(KES_SOURCE_DIR) + "/data/" + rel;
            std::filesystem::create_directories(std::filesystem::path(src).parent_path());
            ASSERT_TRUE(WriteFileAtomic(src, std::string(want.begin(), want.end()), nullptr));
        }
        const Bytes shipped = FileBytes(std::string(KES_BIN_DIR) + "/" + rel);
        EXPECT_EQ(shipped, want) << rel;
        ParsedUserMenu m;
        EXPECT_EQ(ParseUserMenuFile(shipped, m), ProjectError::None) << rel;
        EXPECT_EQ(m.PanelModelIndex, model);
    }
}

} // namespace
} // namespace kes
