// The image header: the system-wide records in the fixed section order with the header's
// own byte choices, and the reader that takes them back into the system records while never
// trusting a length, a key index or a decoder that consumes nothing.
#include "pgrectest.h"
#include "prjtest.h"

#include <gtest/gtest.h>

namespace kes {
namespace {

using test::Hex;
using test::Prj;
using test::Tags;
using test::ToHex;

DevRefHead Ref(std::int32_t code, std::uint8_t linkFlag = 0, std::uint8_t present = 1)
{
    DevRefHead r;
    r.DevAddrCode = code;
    r.LinkFlag = linkFlag;
    r.Present = present;
    r.Station = 2;
    r.LinkIndex = 1;
    r.BitIndex = 4;
    r.Detail = 0x0D;
    return r;
}

// Every section set, each with values that tell it apart. (The panel-memory flags of the
// references are not read back by the format, so they stay clear here.)
void SetEverySection(ProjectState& s)
{
    s.PowerOnMacro.Ref = Ref(0x10);
    s.PowerOnMacro.Kind = 0x10;
    s.PowerOnMacro.Value = 1234;
    s.ParaDataSet.Ref = Ref(0x20);
    s.ParaDataSet.RegisterCount = 2;
    s.SysFunKeys[3].ButtonType = kes::BtnType::SetOn;
    s.SysFunKeys[3].Write = Ref(0x30);
    s.SysFunKeys[3].Read = Ref(0x31);
    s.SysFunKeys[3].Notify = Ref(0x32);
    s.SysFunKeys[3].UserLevel = 2;
    s.SysFunKeys[11].ButtonType = kes::BtnType::ChangePage;
    s.SysFunKeys[11].ParamA = 4;
    s.SysBuzzer.Ref = Ref(0x40);
    s.SysBuzzer.Value = 9;
    s.SysAlarmLamp.Ref = Ref(0x41);
    PgJmpRec j;
    j.Ref = Ref(0x50);
    j.Kind = 0x20;
    j.Operator = 3;
    j.CompareValue = -5;
    j.TargetPage = 6;
    s.SysPgJumps.push_back(j);
    j.Kind = 0;
    j.OnOff = 1;
    s.SysPgJumps.push_back(j);
    s.SysClockWrite.Ref = Ref(0x60);
}

TEST(ImageHeader, SectionsInTheirOrder)
{
    ProjectState s;
    SetEverySection(s);
    const Bytes h = BuildHeaderBytes(s);
    EXPECT_EQ(Tags(h), (std::vector<std::pair<int, int>>{{1009, 20},
                                                         {1012, 17},
                                                         {1001, 39},
                                                         {1001, 41},
                                                         {1002, 21},
                                                         {1002, 21},
                                                         {1000, 22},
                                                         {1000, 18},
                                                         {1004, 13}}));
    EXPECT_EQ(h.size(), std::size_t(20 + 17 + 39 + 41 + 21 + 21 + 22 + 18 + 13));
    // The buzzer's slot byte is 0, the lamp's 1.
    EXPECT_EQ(h[20 + 17 + 39 + 41 + 14], 0);
    EXPECT_EQ(h[20 + 17 + 39 + 41 + 21 + 14], 1);
}

// In the header a key's read and notify flags take the write reference's panel-memory
// nibble, and byte 33 is the key's position.
TEST(ImageHeader, FunctionKeyFlagsAndPosition)
{
    ProjectState s;
    s.SysFunKeys[3].ButtonType = kes::BtnType::SetOn;
    s.SysFunKeys[3].Write = Ref(0x30, 1);
    s.SysFunKeys[3].Read = Ref(0x31, 0, 0);
    s.SysFunKeys[3].Notify = Ref(0x32, 0, 1);
    const Bytes h = BuildHeaderBytes(s);
    ASSERT_EQ(h.size(), 39u);
    EXPECT_EQ(h[8], 0x11);  // write reference: its own flags
    EXPECT_EQ(h[17], 0x10); // read: write's panel-memory nibble, its own present 0
    EXPECT_EQ(h[26], 0x11); // notify: write's nibble, its own present 1
    EXPECT_EQ(h[33], 3);
}

// A jump takes its long form for every kind but bit; a kind the format does not know is
// stored as a word condition, so the reader's length agrees.
TEST(ImageHeader, JumpLengthByKind)
{
    struct Case {
        std::uint8_t kind;
        int length;
        std::uint8_t storedKind;
    };
    for (const Case c : {Case{0x00, 18, 0x00}, Case{0x10, 22, 0x10}, Case{0x20, 22, 0x20}, Case{0x30, 22, 0x10}}) {
        ProjectState s;
        PgJmpRec j;
        j.Ref = Ref(0x50);
        j.Kind = c.kind;
        s.SysPgJumps.push_back(j);
        const Bytes h = BuildHeaderBytes(s);
        ASSERT_EQ(int(h.size()), c.length) << int(c.kind);
        EXPECT_EQ(h[14], c.storedKind) << int(c.kind);
    }
}

TEST(ImageHeader, NothingSetGivesNoHeader)
{
    Prj p(std::string(KES_BIN_DIR) + "/");
    EXPECT_EQ(BuildHeaderImage(p.doc), 0);
    p.doc.SysClockWrite.Ref = Ref(0x1234);
    EXPECT_EQ(BuildHeaderImage(p.doc), 13);
    EXPECT_EQ(ToHex(ByteSpan(p.doc.MemImage.data(), 13)), "03 EC 00 0D 00 00 12 34 01 02 01 0D 04");
}

TEST(ImageHeader, ReadsBackWhatWasWritten)
{
    test::HeaderLib lib;
    if (!lib.Loaded())
        GTEST_SKIP() << "the decoder library is not built";
    Prj p(std::string(KES_BIN_DIR) + "/");
    SetEverySection(p.doc);
    const Bytes h = BuildHeaderBytes(p.doc);

    Prj q(std::string(KES_BIN_DIR) + "/");
    EXPECT_EQ(ReadHeaderSections(q.doc, h, 0, h.size(), lib.dec), h.size());
    EXPECT_EQ(ToHex(BuildHeaderBytes(q.doc)), ToHex(h));
    EXPECT_EQ(q.doc.SysFunKeyUsed[3], 1);
    EXPECT_EQ(q.doc.SysFunKeyUsed[11], 1);
    EXPECT_EQ(q.doc.SysFunKeyUsed[0], 0);
    ASSERT_EQ(q.doc.SysPgJumps.size(), 2u);
    EXPECT_EQ(q.doc.SysPgJumps[0].CompareValue, -5);
}

TEST(ImageHeader, LampWithoutBuzzer)
{
    test::HeaderLib lib;
    if (!lib.Loaded())
        GTEST_SKIP() << "the decoder library is not built";
    Prj p(std::string(KES_BIN_DIR) + "/");
    p.doc.SysAlarmLamp.Ref = Ref(0x41);
    const Bytes h = BuildHeaderBytes(p.doc);
    ASSERT_EQ(h.size(), 21u);
    EXPECT_EQ(h[14], 1);
    Prj q(std::string(KES_BIN_DIR) + "/");
    ReadHeaderSections(q.doc, h, 0, h.size(), lib.dec);
    EXPECT_EQ(q.doc.SysBuzzer.Ref.DevAddrCode, -1);
    EXPECT_EQ(q.doc.SysAlarmLamp.Ref.DevAddrCode, 0x41);
}

// The walk ends at the first record it can not take; what was read stays.
TEST(ImageHeader, WalkStopsAndKeepsWhatItRead)
{
    test::HeaderLib lib;
    if (!lib.Loaded())
        GTEST_SKIP() << "the decoder library is not built";
    const Bytes clock = Hex("03 EC 00 0D 00 00 12 34 01 02 01 0D 04");
    struct Case {
        const char* name;
        Bytes tail;
        bool keyRead;
    };
    const Case cases[] = {
        {"unknown tag, then a valid section", test::Cat(Hex("03 EB 00 08 01 00 00 00"), clock), false},
        {"length zero", Hex("03 EC 00 00"), false},
        {"length past the end", Hex("03 EC 00 20 00 00 12 34"), false},
        {"cut inside the head", Hex("03"), false},
        {"1002 for neither slot", Hex("03 EA 00 15 00 00 00 41 01 02 01 0D 04 00 07 00 00 00 00 00 00"), false},
    };
    for (const Case& c : cases) {
        Bytes image = clock;
        image.insert(image.end(), c.tail.begin(), c.tail.end());
        Prj q(std::string(KES_BIN_DIR) + "/");
        q.doc.SysBuzzer.Ref.DevAddrCode = 0x77; // reset by the reader
        const std::size_t stop = ReadHeaderSections(q.doc, image, 0, image.size(), lib.dec);
        EXPECT_EQ(stop, clock.size()) << c.name;
        EXPECT_EQ(q.doc.SysClockWrite.Ref.DevAddrCode, 0x1234) << c.name;
        EXPECT_EQ(q.doc.SysBuzzer.Ref.DevAddrCode, -1) << c.name;
    }
}

// A key record naming a key past the fourteenth is stepped over, never written out of
// bounds; the range [start, end) bounds the walk even inside a larger image.
TEST(ImageHeader, KeyIndexAndRangeBounds)
{
    test::HeaderLib lib;
    if (!lib.Loaded())
        GTEST_SKIP() << "the decoder library is not built";
    ProjectState s;
    s.SysFunKeys[0].ButtonType = kes::BtnType::SetOn;
    s.SysFunKeys[0].Write = Ref(0x30);
    Bytes key = BuildHeaderBytes(s);
    key[33] = 14;
    s.SysFunKeys[0].ButtonType = kes::BtnType::None;
    s.SysClockWrite.Ref = Ref(0x99);
    const Bytes clock = BuildHeaderBytes(s);
    Bytes image = key;
    image.insert(image.end(), clock.begin(), clock.end());
    image.insert(image.end(), clock.begin(), clock.end());

    Prj q(std::string(KES_BIN_DIR) + "/");
    EXPECT_EQ(ReadHeaderSections(q.doc, image, 0, key.size() + clock.size(), lib.dec), key.size() + clock.size());
    EXPECT_EQ(q.doc.SysClockWrite.Ref.DevAddrCode, 0x99);
    for (int k = 0; k < kFunKeyCount; ++k)
        EXPECT_EQ(q.doc.SysFunKeyUsed[k], 0);
}

TEST(ImageHeader, KeySetSection)
{
    ProjectState s;
    s.MachineId = 95;
    s.KeySetRec.KeyCodes[15] = 0x1B;
    const Bytes h = BuildHeaderBytes(s);
    ASSERT_EQ(h.size(), 24u);
    ProjectState t;
    EXPECT_EQ(ReadKeySetSection(t, h, 0), 24);
    EXPECT_EQ(t.KeySetRec.KeyCodes[15], 0x1B);
    EXPECT_EQ(ReadKeySetSection(t, ByteSpan(h.data(), 23), 0), -1);
    EXPECT_EQ(ReadKeySetSection(t, Hex("03 EC 00 18"), 0), -1);
}

} // namespace
} // namespace kes
