// What the link takes from and gives back to the project document: the image a download
// sends must come back from an upload as the same project (pages, header records, the key
// setting of the keypad types), offsets that do not describe the image are refused before
// anything changes; and the serial port keeps its name through the settings file while the
// port numbers of older files and of project files still find a port.
#include "app/comm/portnames.h"
#include "app/comm/projectlink.h"
#include "app/project/memimage.h"
#include "app/project/prjfile.h"
#include "app/shell/lxeini.h"
#include "prjtest.h"

#include <gtest/gtest.h>

namespace kes::test {
namespace {

const std::string kBin = std::string(KES_BIN_DIR) + "/";

// The main window's edit mode, which taking an upload switches back to the pages.
struct ModeHost : DocHost {
    explicit ModeHost(ProjectDoc& doc) : doc_(doc) { doc.SetHost(this); }
    ~ModeHost() override { doc_.SetHost(nullptr); }
    void StoreActivePage() override {}
    void StoreStartScreen() override {}
    void ShowMsg(int) override {}
    Editing EditMode() const override { return mode; }
    void SetEditMode(Editing m) override { mode = m; }

    Editing mode = Editing::Pages;

private:
    ProjectDoc& doc_;
};

TEST(UploadedProject, ComesBackAsTheProjectThatWasSent)
{
    const HeaderLib lib;
    ASSERT_TRUE(lib.Loaded());
    for (std::int16_t machine : {std::int16_t(3), std::int16_t(95)}) {
        SCOPED_TRACE(machine);
        Prj src(kBin, machine);
        if (src.doc.IsKeypadType()) {
            src.doc.KeySetRec.CommAddr = 7;
            src.doc.KeySetRec.Port = 1;
            src.doc.KeySetRec.KeyCodes[4] = 0xA5;
        } else {
            PgJmpRec jump;
            src.doc.InitDevRef(jump.Ref);
            jump.Ref.DevAddrCode = 0x200;
            jump.TargetPage = 1;
            src.doc.SysPgJumps = {jump};
            src.AddPage(100);
            src.AddPage(60);
        }
        ASSERT_TRUE(BuildPageImage(src.doc));
        const DownloadImage sent = DownloadImageOf(src.doc);
        ASSERT_FALSE(sent.offsets.empty());
        EXPECT_EQ(sent.image.size(), static_cast<std::size_t>(src.doc.MemImageLen));

        UploadResult r;
        r.image = sent.image;
        r.offsets = sent.offsets;
        Prj dst(kBin, machine);
        ModeHost host(dst.doc);
        host.mode = kes::Editing::UserMenu;
        ASSERT_TRUE(TakeUploadedProject(dst.doc, r, lib.dec));
        EXPECT_EQ(host.mode, kes::Editing::Pages);
        EXPECT_EQ(dst.doc.OffsetList, src.doc.OffsetList);
        EXPECT_EQ(dst.doc.ImageHeaderLen, src.doc.ImageHeaderLen);
        EXPECT_EQ(dst.doc.MemImageLen, src.doc.MemImageLen);
        EXPECT_EQ(dst.doc.MemImage.size(), src.doc.MemImage.size());
        ASSERT_EQ(dst.doc.PgDataList.size(), src.doc.PgDataList.size());
        for (std::size_t i = 0; i < src.doc.PgDataList.size(); ++i)
            EXPECT_EQ(dst.doc.PgDataList[i]->Data, src.doc.PgDataList[i]->Data) << "page " << i;
        ASSERT_EQ(dst.doc.SysPgJumps.size(), src.doc.SysPgJumps.size());
        if (!src.doc.SysPgJumps.empty()) {
            EXPECT_EQ(dst.doc.SysPgJumps[0].Ref.DevAddrCode, 0x200);
        }
        EXPECT_EQ(dst.doc.KeySetRec.CommAddr, src.doc.KeySetRec.CommAddr);
        EXPECT_EQ(dst.doc.KeySetRec.Port, src.doc.KeySetRec.Port);
        EXPECT_EQ(dst.doc.KeySetRec.KeyCodes, src.doc.KeySetRec.KeyCodes);
    }
}

// A panel may hold a header and no page: taken, the project is one a save can write.
TEST(UploadedProject, APanelOfNoPagesSavesAsTaken)
{
    const HeaderLib lib;
    Prj src(kBin);
    PgJmpRec jump;
    src.doc.InitDevRef(jump.Ref);
    jump.TargetPage = 1;
    src.doc.SysPgJumps = {jump};
    ASSERT_TRUE(BuildPageImage(src.doc));
    ASSERT_GT(src.doc.ImageHeaderLen, 0);
    UploadResult r;
    r.image.assign(src.doc.MemImage.begin(), src.doc.MemImage.begin() + src.doc.ImageHeaderLen);
    r.offsets = {static_cast<std::uint32_t>(src.doc.ImageHeaderLen)};
    Prj dst(kBin);
    ASSERT_TRUE(TakeUploadedProject(dst.doc, r, lib.dec));
    EXPECT_TRUE(dst.doc.PgDataList.empty());
    EXPECT_TRUE(ImageHoldsEveryPage(dst.doc));
    Bytes file;
    EXPECT_EQ(EncodeProjectFile(dst.doc, ProjectFileExtras{}, file), ProjectError::None);
    EXPECT_EQ(dst.doc.SysPgJumps.size(), 1u);
}

TEST(UploadedProject, OffsetsThatDoNotDescribeTheImageChangeNothing)
{
    const HeaderLib lib;
    Prj p(kBin);
    p.AddPage(10);
    const std::size_t area = static_cast<std::size_t>(p.doc.ObjDataSize());
    struct Case {
        const char* name;
        std::size_t imageSize;
        std::vector<std::uint32_t> offsets;
    };
    const std::vector<Case> cases = {
        {"no offsets", 40, {}},
        {"running backwards", 40, {20, 10, 40}},
        {"past the image", 40, {0, 41}},
        {"larger than the object data area", area + 1, {0, static_cast<std::uint32_t>(area + 1)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UploadResult r;
        r.image.assign(c.imageSize, 0x11);
        r.offsets = c.offsets;
        EXPECT_FALSE(TakeUploadedProject(p.doc, r, lib.dec));
        ASSERT_EQ(p.doc.PgDataList.size(), 1u);
        EXPECT_EQ(p.doc.PgDataList[0]->Data.size(), 10u);
    }
}

TEST(PortNames, NumbersFindPortsAndTypedPathsKeepTheirPlace)
{
    const QStringList ports = {"ttyS0", "ttyS1", "ttyUSB0"};
    struct Case {
        int number;
        std::string current;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {2, "", "ttyS1"}, // the n-th port in name order
        {9, "", "ttyS0"}, // no such port: the first
        {0, "", "ttyS0"},
        {3, "ttyS0", "ttyUSB0"}, // a project's number moves the port
        {2, "ttyS1", "ttyS1"},
        {0, "ttyS1", "ttyS1"}, // a number naming no port leaves the port alone
        {9, "ttyS1", "ttyS1"},
        // A typed path stays, whatever the project's number: none, a port's, no port's.
        {0, "/dev/pts/7", "/dev/pts/7"},
        {1, "/dev/pts/7", "/dev/pts/7"},
        {9, "/dev/pts/7", "/dev/pts/7"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PortForNumber(c.number, c.current, ports), c.expected) << c.number << " " << c.current;
    EXPECT_EQ(PortNumberOf("ttyUSB0", ports), 3);
    EXPECT_EQ(PortNumberOf("/dev/pts/7", ports), 0);
    EXPECT_EQ(PortNumberOf("", ports), 0);
    EXPECT_EQ(PortNameOf(1, {}), "");
}

TEST(PortNames, TheSettingsFileKeepsANameAndReadsAnOlderNumber)
{
    struct Case {
        std::string line;
        std::string port;
        int number;
    };
    const std::vector<Case> cases = {
        {"[COM]=3", "", 3},
        {"[COM]= 4", "", 4},
        {"[COM]=ttyUSB0", "ttyUSB0", 0},
        {"[COM]=/dev/serial/by-id/usb-Panel_1-if00", "/dev/serial/by-id/usb-Panel_1-if00", 0},
    };
    for (const Case& c : cases) {
        LxeSettings s;
        ParseLxeIni("[Version]=120\r\n" + c.line + "\r\n[Baud]=38400\r\n", "/app/", s);
        EXPECT_EQ(s.ComPort, c.port) << c.line;
        EXPECT_EQ(s.ComNumber, c.number) << c.line;
        EXPECT_EQ(s.Baud, 38400);
        // Written back as it was read.
        LxeSettings again;
        ParseLxeIni(FormatLxeIni(s), "/app/", again);
        EXPECT_EQ(again.ComPort, s.ComPort);
        EXPECT_EQ(again.ComNumber, s.ComNumber);
    }
}

} // namespace
} // namespace kes::test
