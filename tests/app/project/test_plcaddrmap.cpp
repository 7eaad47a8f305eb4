// Moving a project to another controller model: every device reference the project holds
// (system records, system keys, every record of every stored page) lands on the device the
// user paired it with, at the same offset; what the target can not hold is limited and
// reported; a target without bit devices loses, after the question, exactly the references
// that need one; a damaged page stops the walk without harm.
#include "app/project/plcaddrmap.h"
#include "decoder/setlayout.h"
#include "prjtest.h"

#include <gtest/gtest.h>

namespace kes {
namespace {

constexpr std::int32_t kNone = -1;

// Sample controller 3: X 0x10000.., Y 0x20000.., M 0x30000.. (bits), D 0x100000.. (either, 16
// bits per word), H 0x200000.., T 0x300000.. (words). Sample controller 87: X (octal, 16 bits
// per unit) 0.., M 0x200.. (16 bits per unit), S 0x10000.. (bits), T 0x1000.., C 0x1200.. and
// 0x1300.., D 0x4000.. and 0x6000...
struct MapFixture {
    explicit MapFixture(const std::string& name, std::int16_t source = 3)
        : dir(name), prj(dir.Path(), source), map(prj.doc)
    {}

    // The project, its target, and the word rows D, H, T of controller 3 paired with D, C, T.
    void To87()
    {
        map.TargetId = 87;
        map.BuildRows();
        ASSERT_EQ(map.BitRowCount, 4);
        ASSERT_EQ(map.WordRowCount, 3);
        map.RowChoice[4] = 5; // D -> D
        map.RowChoice[5] = 4; // H -> C
        map.RowChoice[6] = 3; // T -> T
    }

    test::PrjDir dir;
    test::Prj prj;
    PlcAddrMap map;
};

// A record of n bytes with its tag and length; the three references of a button, a value
// entry or a function key are not set.
Bytes Rec(std::uint16_t tag, std::size_t n)
{
    Bytes b(n, 0);
    PutU16be(b, 0, tag);
    PutU16be(b, 2, static_cast<std::uint16_t>(n));
    const std::size_t first = tag == kTagPgFunKey ? 4 : 14;
    if (tag == kTagPgFunKey || tag == 13 || tag == 20)
        for (std::size_t at = first; at < first + 27; at += 9)
            PutU32be(b, at, 0xFFFFFFFFu);
    return b;
}

Bytes Ref(Bytes rec, std::size_t at, std::int32_t code, std::uint8_t bit = 0, std::uint8_t flags = 0x01)
{
    PutU32be(rec, at, static_cast<std::uint32_t>(code));
    rec[at + 4] = flags;
    rec[at + 8] = bit;
    return rec;
}

std::int32_t CodeAt(const Bytes& page, std::size_t recStart, std::size_t at)
{
    return static_cast<std::int32_t>(*GetU32be(page, recStart + at));
}

TEST(PlcAddrMapTest, SameModelKeepsEveryAddressUpToTheLastOfEachRange)
{
    MapFixture f("map_same");
    f.map.BuildRows();
    struct Case {
        int kind;
        std::int32_t code;
        std::uint8_t bit;
    } cases[] = {
        {0, 0x10000, 0},  {0, 0x100FF, 0},  {0, 0x20011, 0},  {0, 0x307FF, 0},  {0, 0x100FFF, 15},
        {1, 0x100000, 0}, {1, 0x100FFF, 0}, {1, 0x2001FF, 0}, {1, 0x3000FF, 0},
    };
    for (const Case& c : cases) {
        std::int32_t code = c.code;
        std::uint8_t bit = c.bit;
        bool mem = false;
        EXPECT_TRUE(f.map.ConvertAddress(code, c.kind, mem, bit, true, 0)) << c.code;
        EXPECT_EQ(code, c.code);
        EXPECT_EQ(bit, c.bit) << c.code;
    }
}

TEST(PlcAddrMapTest, RowsPairByPositionWithinEachKind)
{
    MapFixture f("map_rows", 87);
    f.map.TargetId = 3;
    f.map.BuildRows();
    // 87 has six devices of each kind, 3 four bit and three word devices: the rows past
    // them take the last.
    EXPECT_EQ(f.map.BitRowNames, (std::vector<std::string>{"X", "Y", "M", "S", "TS", "CS"}));
    EXPECT_EQ(f.map.TargetBitNames, (std::vector<std::string>{"X", "Y", "M", "D"}));
    EXPECT_EQ(f.map.RowChoice, (std::vector<std::int32_t>{0, 1, 2, 3, 3, 3, 0, 1, 2, 2, 2, 2}));
    // A target without bit devices gets no bit rows.
    f.map.TargetId = 4;
    f.map.BuildRows();
    EXPECT_EQ(f.map.BitRowCount, 0);
    EXPECT_EQ(f.map.WordRowCount, 6);
}

TEST(PlcAddrMapTest, AddressesMoveToTheChosenDeviceAtTheSameOffset)
{
    MapFixture f("map_convert");
    f.To87();
    struct Case {
        const char* what;
        int kind;
        std::int32_t code;
        std::uint8_t bit;
        std::int32_t wantCode;
        std::uint8_t wantBit;
        bool ok;
    } cases[] = {
        {"X5 to X: 16 bits per unit", 0, 0x10005, 0, 0, 5, true},
        {"M2047 to M", 0, 0x307FF, 0, 0x200 + 127, 15, true},
        {"bit 3 of D10 to S", 0, 0x10000A, 3, 0x10000 + 163, 0, true},
        {"bit 3 of D100 past S: its last bit", 0, 0x100064, 3, 0x10000 + 999, 0, false},
        {"D100 to D", 1, 0x100064, 0, 0x4064, 0, true},
        {"T10 to T", 1, 0x30000A, 0, 0x100A, 0, true},
        {"H511 past C's first range: its last address", 1, 0x2001FF, 0, 0x1200 + 199, 0, false},
    };
    for (const Case& c : cases) {
        std::int32_t code = c.code;
        std::uint8_t bit = c.bit;
        bool mem = false;
        EXPECT_EQ(f.map.ConvertAddress(code, c.kind, mem, bit, true, 0), c.ok) << c.what;
        EXPECT_EQ(code, c.wantCode) << c.what;
        EXPECT_EQ(bit, c.wantBit) << c.what;
    }
    // Panel memory: a target whose ports do not reach it takes its default device.
    std::int32_t code = 5;
    std::uint8_t bit = 0;
    bool mem = true;
    EXPECT_FALSE(f.map.ConvertAddress(code, 0, mem, bit, true, 0));
    EXPECT_FALSE(mem);
    EXPECT_EQ(code, f.map.Target().DefBitCode);
}

TEST(PlcAddrMapTest, EveryRecordKindAndTheSystemRecordsAreConvertedInPlace)
{
    MapFixture f("map_project");
    ProjectDoc& doc = f.prj.doc;
    doc.PowerOnMacro.Ref.DevAddrCode = 0x100064;
    doc.PowerOnMacro.Kind = 0x10;
    doc.SysBuzzer.Ref.DevAddrCode = 0x30005;
    doc.SysAlarmLamp.Ref.DevAddrCode = 0x30000A;
    doc.SysAlarmLamp.KindWidth = 0x10;
    doc.SysClockWrite.Ref.DevAddrCode = 0x100064;
    doc.SysFunKeyUsed[2] = 1;
    doc.SysFunKeys[2].ButtonType = kes::BtnType::SetConstant;
    doc.SysFunKeys[2].Kind = 0x10;
    doc.SysFunKeys[2].Write.DevAddrCode = 0x30000A;
    doc.SysFunKeys[2].Notify.DevAddrCode = 0x30005;
    doc.SysPgJumps.push_back({});
    doc.SysPgJumps[0].Ref.DevAddrCode = 0x10005;

    // One record per kind that holds references: (tag, size, reference offset, kind byte).
    struct Stored {
        std::uint16_t tag;
        std::size_t size;
        std::size_t at;
        std::int32_t code;
        std::int32_t want;
    };
    const std::vector<Stored> stored = {
        {2, 40, 14, 0x100064, 0x4064},   {3, 30, 14, 0x30005, 0x200},     {4, 40, 14, 0x30000A, 0x100A},
        {6, 40, 14, 0x100064, 0x4064},   {8, 40, 14, 0x100064, 0x4064},   {9, 40, 14, 0x30000A, 0x100A},
        {12, 40, 14, 0x100064, 0x4064},  {14, 40, 14, 0x100064, 0x4064},  {15, 40, 14, 0x100064, 0x4064},
        {16, 40, 14, 0x100064, 0x4064},  {18, 40, 14, 0x30005, 0x200},    {21, 40, 14, 0x100064, 0x4064},
        {20, 63, 14, 0x100064, 0x4064},  {20, 63, 32, 0x30005, 0x200},    {13, 70, 14, 0x100064, 0x4064},
        {13, 70, 32, 0x10005, 0},        {1000, 22, 4, 0x30000A, 0x100A}, {1002, 21, 4, 0x30005, 0x200},
        {1001, 50, 4, 0x100064, 0x4064}, {1001, 50, 22, 0x30005, 0x200},  {1006, 13, 4, 0x30000A, 0x100A},
    };
    Bytes page;
    std::vector<std::size_t> starts;
    for (const Stored& s : stored) {
        Bytes rec = Ref(Rec(s.tag, s.size), s.at, s.code);
        if (s.tag == 6 || s.tag == 12)
            rec[24] = 0x10;
        if (s.tag == 21)
            rec[23] = 0x10;
        if (s.tag == 13) {
            rec[62] = kes::BtnCode(kes::BtnType::SetConstant);
        }
        if (s.tag == 1001)
            rec[38] = kes::BtnCode(kes::BtnType::InputValue);
        if (s.tag == 1000)
            rec[14] = 0x10;
        starts.push_back(page.size());
        page = test::Cat(page, rec);
    }
    // A panel-memory reference of a page that is not open keeps its address.
    const Bytes mem = Ref(Rec(3, 30), 14, 7, 0, 0x11);
    const std::size_t memAt = page.size();
    page = test::Cat(page, mem);
    f.prj.AddPage(0).Data = page;
    f.prj.AddPage(0).Data = page;

    f.To87();
    // Page 1 is open: its panel-memory reference has no place in the target and says so.
    EXPECT_FALSE(f.map.ApplyAddressMap(1));
    EXPECT_EQ(doc.PowerOnMacro.Ref.DevAddrCode, 0x4064);
    EXPECT_EQ(doc.SysBuzzer.Ref.DevAddrCode, 0x200);
    EXPECT_EQ(doc.SysBuzzer.Ref.BitIndex, 5);
    EXPECT_EQ(doc.SysAlarmLamp.Ref.DevAddrCode, 0x100A);
    EXPECT_EQ(doc.SysClockWrite.Ref.DevAddrCode, 0x4064);
    EXPECT_EQ(doc.SysFunKeys[2].Write.DevAddrCode, 0x100A);
    EXPECT_EQ(doc.SysFunKeys[2].Notify.DevAddrCode, 0x200);
    EXPECT_EQ(doc.SysPgJumps[0].Ref.DevAddrCode, 0);
    EXPECT_EQ(doc.SysPgJumps[0].Ref.BitIndex, 5);
    for (std::size_t p = 0; p < 2; ++p) {
        const Bytes& out = doc.PgDataList[p]->Data;
        ASSERT_EQ(out.size(), page.size());
        for (std::size_t i = 0; i < stored.size(); ++i)
            EXPECT_EQ(CodeAt(out, starts[i], stored[i].at), stored[i].want)
                << "page " << p << " record " << stored[i].tag << " at " << stored[i].at;
    }
    // Panel memory: kept on the stored page, the open page's goes to the default device.
    EXPECT_EQ(CodeAt(doc.PgDataList[0]->Data, memAt, 14), 7);
    EXPECT_EQ(doc.PgDataList[0]->Data[memAt + 18], 0x11);
    EXPECT_EQ(CodeAt(doc.PgDataList[1]->Data, memAt, 14), f.map.Target().DefBitCode);
    EXPECT_EQ(doc.PgDataList[1]->Data[memAt + 18], 0x01);
    EXPECT_EQ(doc.Modified, 1);
}

TEST(PlcAddrMapTest, ATargetWithoutBitDevicesLosesWhatNeedsOne)
{
    MapFixture f("map_bitless");
    ProjectDoc& doc = f.prj.doc;
    doc.SysFunKeyUsed[0] = 1;
    doc.SysFunKeys[0].ButtonType = kes::BtnType::SetOn;
    doc.SysFunKeys[0].Write.DevAddrCode = 0x30001;
    doc.SysAlarmLamp.Ref.DevAddrCode = 0x30002;
    doc.SysBuzzer.Ref.DevAddrCode = 0x100000;
    doc.SysBuzzer.KindWidth = 0x10;

    Bytes wordLamp = Ref(Rec(1002, 21), 4, 0x100000);
    wordLamp[15] = 0x10;
    Bytes bitLamp = Ref(Rec(1002, 21), 4, 0x30003);
    Bytes inputKey = Ref(Rec(1001, 52), 4, 0x100000);
    inputKey[38] = kes::BtnCode(kes::BtnType::InputValue);
    Bytes notifyKey = inputKey;
    notifyKey = Ref(notifyKey, 22, 0x30004);
    Bytes bitPic = Ref(Rec(3, 30), 14, 0x30005);
    Bytes value = Ref(Rec(2, 40), 14, 0x100001);
    const Bytes page =
        test::Cat(test::Cat(test::Cat(test::Cat(test::Cat(wordLamp, bitLamp), inputKey), notifyKey), bitPic), value);
    f.prj.AddPage(0).Data = page;

    f.map.BuildRows(); // the rows of the source, before the change
    EXPECT_TRUE(f.map.CheckTargetRefs());
    f.map.RewriteTargetRefs();
    EXPECT_EQ(doc.SysFunKeyUsed[0], 0);
    EXPECT_EQ(doc.SysFunKeys[0].Write.DevAddrCode, kNone);
    EXPECT_EQ(doc.SysAlarmLamp.Ref.DevAddrCode, kNone);
    EXPECT_EQ(doc.SysBuzzer.Ref.DevAddrCode, 0x100000);
    // The word lamp, the input key without notify and the value display stay, in order.
    EXPECT_EQ(doc.PgDataList[0]->Data, test::Cat(test::Cat(wordLamp, inputKey), value));
    EXPECT_FALSE(f.map.CheckTargetRefs());

    f.map.TargetId = 4;
    f.map.BuildRows();
    EXPECT_TRUE(f.map.ApplyAddressMap());
    EXPECT_EQ(CodeAt(doc.PgDataList[0]->Data, 0, 4), 0x100000);
}

TEST(PlcAddrMapTest, ADamagedPageStopsTheWalkAndKeepsItsBytes)
{
    MapFixture f("map_damaged");
    const Bytes value = Ref(Rec(2, 40), 14, 0x100064);
    struct Case {
        const char* what;
        Bytes tail;
    } cases[] = {
        {"length below the record head", {0x00, 0x02, 0x00, 0x02, 0xAA, 0xBB}},
        {"length past the end", {0x00, 0x02, 0x01, 0x00, 0xAA}},
        {"a lone byte", {0x07}},
    };
    f.To87();
    for (const Case& c : cases) {
        const Bytes page = test::Cat(value, c.tail);
        f.prj.doc.PgDataList.clear();
        f.prj.AddPage(0).Data = page;
        f.map.ApplyAddressMap();
        const Bytes& out = f.prj.doc.PgDataList[0]->Data;
        ASSERT_EQ(out.size(), page.size()) << c.what;
        EXPECT_EQ(CodeAt(out, 0, 14), 0x4064) << c.what;
        EXPECT_TRUE(std::equal(c.tail.begin(), c.tail.end(), out.begin() + 40)) << c.what;
        f.map.RewriteTargetRefs();
        EXPECT_EQ(f.prj.doc.PgDataList[0]->Data.size(), page.size()) << c.what;
    }
}

} // namespace
} // namespace kes
