// The project check: one line per finding with the page, position and kind of the object
// it names, each kind of finding counted or not as the panel needs; the walk never trusts a
// record length; the linked-record count and its limit.
#include "app/project/pagedata.h"
#include "app/project/prjcheck.h"
#include "prjtest.h"

#include <gtest/gtest.h>

namespace kes {
namespace {

void EnglishMessages(ProjectState& s)
{
    s.MsgTable.assign(310, std::string());
    s.MsgTable[46] = "Page number";
    s.MsgTable[90] = "Button Type do not set!!";
    s.MsgTable[107] = "User-Level set fail!!";
    s.MsgTable[108] = "System Funtion key set fail!!";
    s.MsgTable[109] = "Funtion key Set";
    s.MsgTable[118] = "Please change windows display settings to normal size(96dpi)";
    s.MsgTable[305] = "The font";
    s.MsgTable[306] = "is not installed!!";
}

// A record of n bytes with its tag and length; an object's left and top at 4 and 6.
Bytes Rec(std::uint16_t tag, std::size_t n, std::uint16_t x = 0, std::uint16_t y = 0)
{
    Bytes b(n, 0);
    PutU16be(b, 0, tag);
    PutU16be(b, 2, static_cast<std::uint16_t>(n));
    PutU16be(b, 4, x);
    PutU16be(b, 6, y);
    return b;
}

Bytes WithText(Bytes rec, std::size_t off, const std::string& text)
{
    std::copy(text.begin(), text.end(), rec.begin() + off);
    return rec;
}

Bytes WithByte(Bytes rec, std::size_t off, std::uint8_t v)
{
    rec[off] = v;
    return rec;
}

bool OnlyArial(const std::string& face) { return face == "Arial"; }

struct Fixture {
    Fixture()
    {
        EnglishMessages(doc);
        doc.UserPasswords[4].Level = 2;
    }
    void Page(const std::vector<Bytes>& records)
    {
        auto p = std::make_unique<PgDataStr>();
        for (const Bytes& r : records)
            p->Data.insert(p->Data.end(), r.begin(), r.end());
        doc.PgDataList.push_back(std::move(p));
    }
    CheckResult Run(int dpi = 96) { return CheckProject(doc, CheckNames{}, dpi, OnlyArial); }
    ProjectDoc doc;
};

TEST(ProjectCheck, EachKindOfFinding)
{
    struct Case {
        const char* name;
        Bytes record;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"page key with an undefined level",
         WithByte(Rec(1001, 39), 34, 3),
         {"[Error]Funtion key Set (Page number 1) : User-Level set fail!!"}},
        {"page key with a defined level", WithByte(Rec(1001, 39), 34, 2), {}},
        {"static text font missing",
         WithText(Rec(1, 40, 5, 6), 20, "NoSuch"),
         {"[Error]Static Text [5,6] (Page number 1) : The font NoSuch is not installed!!"}},
        {"static text font present", WithText(Rec(1, 40, 5, 6), 20, "Arial"), {}},
        {"message display font missing",
         WithText(Rec(12, 50, 7, 8), 30, "Gone"),
         {"[Error]Message Display [7,8] (Page number 1) : The font Gone is not installed!!"}},
        {"lamp font missing",
         WithText(Rec(18, 50, 1, 2), 33, "Gone"),
         {"[Error]Multi-State Bitmap [1,2] (Page number 1) : The font Gone is not installed!!"}},
        {"button without type and level",
         WithByte(WithByte(Rec(13, 70, 3, 4), 62, 255), 54, 4),
         {"[Error]Button [3,4] (Page number 1) : Button Type do not set!!",
          "[Error]Button [3,4] (Page number 1) : Funtion key Set"}},
        {"button with type, level 0", Rec(13, 70, 3, 4), {}},
        {"value entry level",
         WithByte(Rec(20, 63, 9, 9), 44, 1),
         {"[Error]Numeric Input [9,9] (Page number 1) : Funtion key Set"}},
        {"other kinds are not looked at", WithByte(Rec(2, 31), 30, 255), {}},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.Page({});
        f.Page({Rec(1003, 8), c.record});
        const CheckResult r = f.Run();
        EXPECT_EQ(r.Lines, c.lines) << c.name;
        EXPECT_EQ(r.Errors, int(c.lines.size())) << c.name;
        EXPECT_EQ(r.Passed(), c.lines.empty()) << c.name;
    }
}

TEST(ProjectCheck, SystemKeys)
{
    Fixture f;
    f.doc.SysFunKeyUsed[2] = 1;
    f.doc.SysFunKeys[2].UserLevel = 3;
    f.doc.SysFunKeys[5].UserLevel = 3; // not used: not checked
    f.doc.SysFunKeyUsed[7] = 1;        // level 0 passes
    const CheckResult r = f.Run();
    EXPECT_EQ(r.Lines, std::vector<std::string>{
                           "[Error]System Funtion key set fail!!(Funtion key Set 2):User-Level set fail!!"});
    EXPECT_FALSE(r.Passed());
}

TEST(ProjectCheck, PixelDensityIsShownButNotCounted)
{
    Fixture f;
    f.doc.PrjPixelsPerInch = 120;
    CheckResult r = f.Run(96);
    EXPECT_EQ(r.Lines, std::vector<std::string>{"[Error]Please change windows display settings to normal size(96dpi)"});
    EXPECT_TRUE(r.Passed());
    f.doc.PrjPixelsPerInch = 0;
    EXPECT_TRUE(f.Run(120).Lines.empty());
}

// Damaged streams end the page's walk: no hang on a zero length, no read past the page,
// short records are not read past their end.
TEST(ProjectCheck, DamagedStreamsEndTheWalk)
{
    const Bytes undefinedKey = WithByte(Rec(1001, 39), 34, 3);
    Bytes zeroLength = Rec(1003, 8);
    PutU16be(zeroLength, 2, 0);
    Bytes pastTheEnd = Rec(1003, 8);
    PutU16be(pastTheEnd, 2, 200);
    const std::vector<std::pair<const char*, std::vector<Bytes>>> cases = {
        {"length zero", {zeroLength, undefinedKey}},
        {"length past the page", {pastTheEnd, undefinedKey}},
        {"cut head", {Bytes{0x03}}},
        {"short button", {Rec(13, 20)}},
        {"short text without NUL", {WithText(Rec(1, 24), 20, "Gone")}},
    };
    for (const auto& [name, records] : cases) {
        Fixture f;
        f.Page(records);
        const CheckResult r = f.Run();
        if (std::string(name) == "short text without NUL")
            EXPECT_EQ(r.Lines.size(), 1u) << name;
        else
            EXPECT_TRUE(r.Lines.empty()) << name;
    }
}

TEST(ProjectCheck, UserLevels)
{
    ProjectState s;
    s.UserPasswords[9].Level = 4;
    const std::pair<int, bool> cases[] = {{0, true}, {4, true}, {1, false}, {3, false}, {5, false}, {-1, false}};
    for (auto [level, defined] : cases)
        EXPECT_EQ(UserLevelDefined(s, level), defined) << level;
}

TEST(ProjectCheck, LinkedRecordCount)
{
    ProjectState s;
    EXPECT_EQ(CountLinkedRecords(s, nullptr), 0);
    s.SysPgJumps.resize(3);
    s.SysBuzzer.Ref.DevAddrCode = 1;
    s.SysClockWrite.Ref.DevAddrCode = 1;
    s.PowerOnMacro.Ref.DevAddrCode = 1;
    s.SysDevRefs[1].Ref.DevAddrCode = 1;
    s.ParaDataSet.Ref.DevAddrCode = 1;                // not counted
    s.SysFunKeys[0].ButtonType = kes::BtnType::SetOn; // not counted
    EXPECT_EQ(CountLinkedRecords(s, nullptr), 7);

    PageData page;
    page.PgJmpList.resize(2);
    page.PgNumWrite.Ref.DevAddrCode = 5;
    page.PgSysRecs[1].Ref.DevAddrCode = 5;
    EXPECT_EQ(CountLinkedRecords(s, &page), 11);
    // 68 still allows one more; 69 refuses.
    s.SysPgJumps.resize(3 + 57);
    EXPECT_EQ(CountLinkedRecords(s, &page), kMaxLinkedRecords);
    s.SysPgJumps.push_back({});
    EXPECT_GT(CountLinkedRecords(s, &page), kMaxLinkedRecords);
}

} // namespace
} // namespace kes
