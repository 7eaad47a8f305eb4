// The panel port settings and what the project hands the link: ComSetByte packing must match
// the panel's bit layout and keep bytes the dialog cannot show; the reference rewrite must touch
// exactly the station and link bytes of each record kind and survive damaged page buffers, and
// the open page's live objects and records the same way; and
// the system block must carry the project state over a download and back on an upload.
#include "app/comm/hmiproto.h"
#include "app/comm/projectlink.h"
#include "objects/tlxbtn.h"
#include "objects/tlxgetval.h"
#include "objects/tlxval.h"
#include "objects/tsttxt.h"

#include <gtest/gtest.h>

namespace {

using namespace kes;

TEST(ComSetByte, PacksAndUnpacksThePanelLayout)
{
    struct Case {
        ComSetItems items;
        std::uint8_t packed;
    };
    const std::vector<Case> cases = {
        {{2, 1, 2, 0}, 0x1C}, // 19200, 8, even, 1
        {{0, 0, 0, 1}, 0x51}, // 4800, 7, none, 2
        {{5, 1, 1, 1}, 0x4B}, // 115200, 8, odd, 2
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PackComSetByte(c.items), c.packed);
        EXPECT_EQ(UnpackComSetByte(c.packed), c.items);
    }
}

TEST(ComSetByte, BytesTheListsCannotShowSurviveUnchangedFields)
{
    const std::uint8_t odd = 0x6F; // baud code 6, 8 bits, parity 3, 2 stop bits
    const ComSetItems shown = UnpackComSetByte(odd);
    EXPECT_EQ(shown.baud, 0);    // shows as "4800"
    EXPECT_EQ(shown.parity, -1); // no parity item
    EXPECT_EQ(PackComSetByte(shown, shown, odd), odd);
    ComSetItems sevenBits = shown;
    sevenBits.dataBits = 0;
    EXPECT_EQ(PackComSetByte(sevenBits, shown, odd), 0x67);
    ComSetItems nineSix = shown;
    nineSix.baud = 1;
    EXPECT_EQ(PackComSetByte(nineSix, shown, odd), 0x0F);
}

// A record of `len` bytes with the tag, its length and a filler.
void AddRecord(Bytes& page, std::uint16_t tag, std::uint16_t len)
{
    const std::size_t at = page.size();
    page.resize(at + len, 0xEE);
    PutU16be(page, at, tag);
    PutU16be(page, at + 2, len);
}

TEST(PageLinkRewrite, TouchesOnlyStationAndLinkBytesOfEachKind)
{
    Bytes page;
    AddRecord(page, 2, 24);    // numeric display: one reference
    AddRecord(page, 13, 44);   // button: three
    AddRecord(page, 1001, 32); // function key: three
    AddRecord(page, 1000, 16); // page jump: one
    AddRecord(page, 7, 24);    // scale: none
    AddRecord(page, 2, 12);    // cut short: its reference bytes lie past its length
    const Bytes before = page;

    struct Case {
        const char* name;
        LinkRewrite rw;
    };
    const std::vector<Case> cases = {
        {"station and link", {true, 1, true, 9}},
        {"link only", {true, 1, false, 9}},
        {"station only", {false, 1, true, 9}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes p = before;
        RewritePageLinks(p, c.rw);
        Bytes expected = before;
        const auto set = [&](std::size_t recordAt, std::initializer_list<std::pair<std::size_t, std::size_t>> refs) {
            for (auto [st, ln] : refs) {
                if (c.rw.station)
                    expected[recordAt + st] = 9;
                if (c.rw.port)
                    expected[recordAt + ln] = 1;
            }
        };
        set(0, {{19, 20}});
        set(24, {{19, 20}, {28, 29}, {37, 38}});
        set(68, {{9, 10}, {18, 19}, {27, 28}});
        set(100, {{9, 10}});
        EXPECT_EQ(p, expected);
    }
}

TEST(PageLinkRewrite, DamagedBuffersEndTheWalk)
{
    const LinkRewrite rw{true, 1, true, 9};
    struct Case {
        const char* name;
        Bytes page;
    };
    Bytes zeroLength;
    AddRecord(zeroLength, 2, 24);
    zeroLength.insert(zeroLength.end(), {0, 2, 0, 0, 0xEE, 0xEE});
    Bytes pastEnd;
    AddRecord(pastEnd, 2, 24);
    PutU16be(pastEnd, 2, 200);
    const std::vector<Case> cases = {
        {"zero length", zeroLength},
        {"record past the buffer", pastEnd},
        {"three bytes", Bytes{0, 2, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes p = c.page;
        RewritePageLinks(p, rw); // must return, and write nothing past a record
        EXPECT_EQ(p.size(), c.page.size());
    }
    Bytes p = pastEnd;
    RewritePageLinks(p, rw);
    EXPECT_EQ(p, pastEnd);
}

TEST(LivePageLinkRewrite, ReachesEveryReferenceOfTheOpenPage)
{
    struct Case {
        LinkRewrite rw;
        std::uint8_t station, link; // what every reference holds afterwards
    };
    const std::vector<Case> cases = {
        {{true, 1, true, 9}, 9, 1},
        {{false, 1, true, 9}, 9, 0}, // station only: links stay
        {{true, 1, false, 9}, 3, 1}, // link only: stations stay
    };
    for (const Case& c : cases) {
        PageData page;
        auto* val = static_cast<TLxVal*>(page.AppendObj(std::make_unique<TLxVal>()));
        auto* btn = static_cast<TLxBtn*>(page.AppendObj(std::make_unique<TLxBtn>()));
        auto* entry = static_cast<TLxGetVal*>(page.AppendObj(std::make_unique<TLxGetVal>()));
        page.AppendObj(std::make_unique<TStTxt>());
        std::vector<TLxDevRef*> refs = {
            val, &btn->WriteDev, &btn->ReadDev, &btn->NotifyDev, &entry->WriteDev, &entry->ReadDev, &entry->NotifyDev};
        std::vector<DevRefHead*> heads = {&page.PgFunKeys[0].Write, &page.PgFunKeys[13].Notify, &page.PgSysRecs[1].Ref};
        page.PgJmpList.resize(2);
        heads.push_back(&page.PgJmpList[1].Ref);
        for (TLxDevRef* r : refs) {
            r->RefStation = 3;
            r->RefLink = 0;
        }
        for (DevRefHead* h : heads) {
            h->Station = 3;
            h->LinkIndex = 0;
        }
        page.PgNumWrite.Ref.DevAddrCode = -1; // not set: left alone
        page.PgNumWrite.Ref.Station = 3;

        RewriteLivePageLinks(page, c.rw);
        for (std::size_t i = 0; i < refs.size(); ++i) {
            EXPECT_EQ(refs[i]->RefStation, c.station) << "object reference " << i;
            EXPECT_EQ(refs[i]->RefLink, c.link) << "object reference " << i;
        }
        for (std::size_t i = 0; i < heads.size(); ++i) {
            EXPECT_EQ(heads[i]->Station, c.station) << "record " << i;
            EXPECT_EQ(heads[i]->LinkIndex, c.link) << "record " << i;
        }
        EXPECT_EQ(page.PgNumWrite.Ref.Station, 3);
        page.PgNumWrite.Ref.DevAddrCode = 0x20;
        RewriteLivePageLinks(page, c.rw);
        EXPECT_EQ(page.PgNumWrite.Ref.Station, c.station);
    }
}

TEST(ProjectSystemBlock, CarriesTheProjectStateThereAndBack)
{
    ProjectState s;
    s.PanelFwVer = 100;
    s.MachineId = 9;
    s.ComSetByte = {0x1C, 0x51};
    s.PortInternalCode = 3;
    s.LinkIndex = 1;
    s.DefStation = 12;
    s.UserPasswords[4].Password = "654321";
    s.UserPasswords[4].Level = 3;
    s.SysDevRefs[1].Ref = {5, 0x30010, 1, 1, 0, 7, 2};
    s.SysDevRefValue[1] = 1234;

    Bytes block(SystemBlockSize(s.PanelFwVer), 0xFF);
    BuildSystemBlock(s, SystemBlockExtras{3, true, 10, 20}, block);
    EXPECT_EQ(block[0], 4);
    const auto fields = ParseSystemBlock(block, s.PanelFwVer);
    ASSERT_TRUE(fields);

    ProjectState back;
    EXPECT_TRUE(ApplySystemBlock(back, *fields));
    EXPECT_EQ(back.MachineId, 4); // 7..10 are taken as 4
    EXPECT_EQ(back.ComSetByte, s.ComSetByte);
    EXPECT_EQ(back.PortInternalCode, 3);
    EXPECT_EQ(back.LinkIndex, 1);
    EXPECT_EQ(back.DefStation, 12);
    EXPECT_EQ(back.UserPasswords[4].Password, "654321");
    EXPECT_EQ(back.UserPasswords[4].Level, 3);
    const DevRefHead& r = back.SysDevRefs[1].Ref;
    EXPECT_EQ(r.Station, 5);
    EXPECT_EQ(r.DevAddrCode, 0x30010);
    EXPECT_EQ(r.LinkIndex, 1);
    EXPECT_EQ(r.BitIndex, 7);
    EXPECT_EQ(r.Detail, 2);
    EXPECT_EQ(back.SysDevRefValue[1], 1234);

    // An older panel's block leaves the link fields alone and MmEnableUD unchecked.
    s.PanelFwVer = 99;
    Bytes shortBlock(SystemBlockSize(99), 0xFF);
    BuildSystemBlock(s, SystemBlockExtras{3, true, 10, 20}, shortBlock);
    ProjectState old;
    old.DefStation = 77;
    EXPECT_FALSE(ApplySystemBlock(old, *ParseSystemBlock(shortBlock, 99)));
    EXPECT_EQ(old.DefStation, 77);
}

} // namespace
