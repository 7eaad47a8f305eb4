// The page walk frames every record before the decoder sees it and stops with a named
// error at the first record it cannot take, keeping what it read; it fills the page's
// setting records by their own rules and puts decoded objects on the page (or drops
// those whose corner lies past it), and the paste reader adds objects as the selection.
#include "tests/app/project/test_pgread_env.h"
#include "tests/decoder/recbuild.h"

#include "objects/tlxbtn.h"
#include "objects/tlxval.h"

#include <gtest/gtest.h>

namespace {

using kes::DecodeError;
using kes::test::Concat;
using kes::test::RecBuild;

// A value display of 8 x 8 dots at (x, y).
kes::Bytes ValueDisplay(std::uint16_t x, std::uint16_t y, std::uint32_t code = 0x4000)
{
    return RecBuild(2).Head(x, y, x + 7, y + 7).Ref(code).Raw({0, 0, 5, 0, 0, 0, 0, 2}).Done();
}

kes::Bytes Jump(std::uint32_t code, std::uint8_t kindWidth, std::uint16_t target)
{
    RecBuild r(kTagPgJmp);
    r.Ref(code).U8(0).U8(kindWidth).U16(target).U8(1);
    if (kindWidth & 0xF0)
        r.U32(5);
    return r.Done();
}

kes::Bytes Alarm(std::uint8_t slot, std::uint32_t code)
{
    return RecBuild(kTagPgSys).Ref(code).U8(0).U8(slot).U8(0).U8(1).U32(0).Done();
}

kes::Bytes FunKey(std::uint8_t key, std::uint8_t type)
{
    return RecBuild(kTagPgFunKey)
        .Ref(0x200)
        .Ref(0xFFFFFFFF)
        .Ref(0xFFFFFFFF)
        .U8(0)
        .U8(1)
        .U8(key)
        .U8(0)
        .Fill(3)
        .U8(type)
        .Done();
}

class PgRead : public ::testing::Test, protected kes::test::PageFixture {
protected:
    kes::PgReadResult Read(const kes::Bytes& data) { return kes::PgDataToObj(page, *env, data, 0, data.size()); }
};

TEST_F(PgRead, JumpRecordsReplaceTheList)
{
    page.PgJmpList.resize(3);
    const kes::PgReadResult res = Read(Concat({Jump(0x200, 0x00, 7), Jump(0x4000, 0x10, 9)}));
    ASSERT_TRUE(res.Ok()) << kes::DecodeErrorName(res.Error);
    ASSERT_EQ(page.PgJmpList.size(), 2u);
    EXPECT_EQ(page.PgJmpList[0].TargetPage, 7);
    EXPECT_EQ(page.PgJmpList[0].Ref.DevAddrCode, 0x200);
    EXPECT_EQ(page.PgJmpList[1].Kind, 0x10);
    EXPECT_EQ(page.PgJmpList[1].CompareValue, 5);
    EXPECT_EQ(res.Position, 40u);
}

TEST_F(PgRead, AlarmLampAloneLeavesTheBuzzer)
{
    page.PgSysRecs[0].Value = 42;
    ASSERT_TRUE(Read(Alarm(1, 0x200)).Ok());
    EXPECT_EQ(page.PgSysRecs[0].Value, 42);
    EXPECT_EQ(page.PgSysRecs[0].Ref.DevAddrCode, -1);
    EXPECT_EQ(page.PgSysRecs[1].Ref.DevAddrCode, 0x200);
    EXPECT_EQ(page.PgSysRecs[1].Value, 0);

    // Both records in a row fill both slots.
    ASSERT_TRUE(Read(Concat({Alarm(0, 0x201), Alarm(1, 0x202)})).Ok());
    EXPECT_EQ(page.PgSysRecs[0].Ref.DevAddrCode, 0x201);
    EXPECT_EQ(page.PgSysRecs[1].Ref.DevAddrCode, 0x202);
}

TEST_F(PgRead, FunctionKeyUsedFlagFollowsItsButtonType)
{
    page.PgFunKeyUsed[3] = 1;
    ASSERT_TRUE(
        Read(Concat({FunKey(3, kes::BtnCode(kes::BtnType::None)), FunKey(13, kes::BtnCode(kes::BtnType::SetOn))}))
            .Ok());
    EXPECT_EQ(page.PgFunKeyUsed[3], 0);
    EXPECT_EQ(page.PgFunKeyUsed[13], 1);
    EXPECT_EQ(page.PgFunKeys[13].KeyIndex, 13);
    EXPECT_EQ(page.PgFunKeys[13].Write.DevAddrCode, 0x200);
}

TEST_F(PgRead, HideAndPageNumberWrite)
{
    const kes::Bytes data =
        Concat({RecBuild(kTagPgHide).U8(1).U8(0).Fill(2).Done(), RecBuild(kTagPgNumWrite).Ref(0x4005, 0x11, 3).Done()});
    ASSERT_TRUE(Read(data).Ok());
    EXPECT_EQ(page.PgHide.Hide, 1);
    EXPECT_EQ(page.PgNumWrite.Ref.DevAddrCode, 0x4005);
    EXPECT_EQ(page.PgNumWrite.Ref.LinkFlag, 1);
    EXPECT_EQ(page.PgNumWrite.Ref.Station, 3);
}

TEST_F(PgRead, ObjectsOnTheEdgeStayAndPastItAreDropped)
{
    // The panel is 128 x 64 dots; zoom 2, grid 1.
    page.Zoom = 2;
    const kes::Bytes data = Concat(
        {ValueDisplay(128, 0), ValueDisplay(129, 0), ValueDisplay(0, 64), ValueDisplay(0, 65), ValueDisplay(10, 10)});
    const kes::PgReadResult res = Read(data);
    ASSERT_TRUE(res.Ok());
    EXPECT_EQ(res.Objects, 3);
    ASSERT_EQ(page.ObjList.size(), 3u);
    EXPECT_EQ(page.ObjList[0]->Left, 256);
    EXPECT_EQ(page.ObjList[1]->Top, 128);
    EXPECT_EQ(page.ObjList[2]->Left, 20);
    for (TLxObj* obj : page.ObjList)
        EXPECT_FALSE(obj->Selected);
    EXPECT_TRUE(page.SelList.empty());
    // An object on the page's right edge is cut to it.
    EXPECT_EQ(page.ObjList[0]->Width, 2);
    // Control size from the picture and the zoom; the address text for this controller.
    EXPECT_EQ(page.ObjList[2]->Width, 16);
    EXPECT_EQ(dynamic_cast<TLxVal&>(*page.ObjList[2]).DevText, core->DefWordText);
}

TEST_F(PgRead, StepsOverRecordsByTheirRules)
{
    // 1005 takes exactly 5 bytes, whatever they hold; another tag its stored length.
    const kes::Bytes data =
        Concat({kes::Bytes{0x03, 0xED, 0xFF, 0xFF, 0xFF}, RecBuild(2000).Fill(12).Done(0x0010), ValueDisplay(1, 1)});
    const kes::PgReadResult res = Read(data);
    ASSERT_TRUE(res.Ok()) << kes::DecodeErrorName(res.Error);
    EXPECT_EQ(res.Skipped, 1);
    EXPECT_EQ(res.Objects, 1);
    EXPECT_EQ(res.Position, data.size());
}

TEST_F(PgRead, WholePagePasteReplacesAddressesTheControllerLacks)
{
    const kes::Bytes data = Concat({Jump(0x7FFFFF00, 0x00, 1), Jump(0x7FFFFF00, 0x10, 1), Jump(0x4001, 0x10, 1)});
    ASSERT_TRUE(Read(data).Ok());
    EXPECT_EQ(page.PgJmpList[0].Ref.DevAddrCode, 0x7FFFFF00) << "outside a paste the address stays";

    page.Pasting = 1;
    ASSERT_TRUE(Read(data).Ok());
    EXPECT_EQ(page.PgJmpList[0].Ref.DevAddrCode, core->DefBitCode);
    EXPECT_EQ(page.PgJmpList[1].Ref.DevAddrCode, core->DefWordCode);
    EXPECT_EQ(page.PgJmpList[2].Ref.DevAddrCode, 0x4001);

    // The buzzer's fix-up runs although only the lamp's record is there.
    page.PgSysRecs[0].Ref.DevAddrCode = 0x7FFFFF00;
    ASSERT_TRUE(Read(Alarm(1, 0x200)).Ok());
    EXPECT_EQ(page.PgSysRecs[0].Ref.DevAddrCode, core->DefBitCode);
}

// Each stream stops the walk with the error it names; what came before stays read.
TEST_F(PgRead, MalformedStreamsStopWithTheirError)
{
    const kes::Bytes good = ValueDisplay(1, 1);
    struct Case {
        const char* name;
        kes::Bytes data;
        DecodeError expected;
        std::size_t stopsAt = 0; // past the good object when 0
    };
    const Case cases[] = {
        {"head cut off", Concat({good, kes::Bytes{0x00, 0x02, 0x00}}), DecodeError::ShortHead},
        {"odd byte at the end", Concat({good, kes::Bytes{0x00}}), DecodeError::ShortHead},
        {"1005 cut off", Concat({good, kes::Bytes{0x03, 0xED, 0}}), DecodeError::ShortHead},
        {"zero length", Concat({good, RecBuild(2000).Fill(4).Done(0)}), DecodeError::ZeroLength},
        {"length below the head", Concat({good, RecBuild(1003).Fill(4).Done(2)}), DecodeError::ZeroLength},
        {"length past the end", Concat({good, RecBuild(1003).Fill(4).Done(40)}), DecodeError::LengthPastEnd},
        {"object shorter than its header", Concat({good, RecBuild(2).Fill(6).Done()}), DecodeError::Truncated},
        {"object body cut off", Concat({good, RecBuild(2).Head(0, 0, 7, 7).Ref(1).Done()}), DecodeError::Truncated},
        {"kind without a record", Concat({good, RecBuild(10).Head(0, 0, 7, 7).Done()}), DecodeError::UnknownKind},
        {"key index 14", Concat({good, FunKey(14, 0)}), DecodeError::KeyIndexRange},
        {"key index 255", Concat({good, FunKey(255, 0)}), DecodeError::KeyIndexRange},
        {"key record without its index", Concat({good, RecBuild(1001).Fill(20).Done()}), DecodeError::Truncated},
        {"alarm for slot 2", Concat({good, Alarm(2, 0x200)}), DecodeError::SlotRange},
        {"geometry of 101 points",
         Concat(
             {good, RecBuild(17).Head(0, 0, 9, 9).Raw({1, 0, 1, 0, 1, 101}).Fill(404).U16(10).U16(10).U16(0).Done()}),
         DecodeError::BadContent},
        {"value jump cut short", Concat({good, RecBuild(1000).Ref(1).U8(0).U8(0x10).U16(1).U8(0).Done()}),
         DecodeError::Truncated},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        kes::PageData fresh;
        const kes::PgReadResult res = kes::PgDataToObj(fresh, *env, c.data, 0, c.data.size());
        EXPECT_EQ(res.Error, c.expected) << kes::DecodeErrorName(res.Error);
        EXPECT_EQ(res.Position, c.stopsAt ? c.stopsAt : good.size()) << "stopped at the bad record";
        EXPECT_EQ(fresh.ObjList.size(), 1u) << "the object before it stays";
    }
}

// Page-change records past the twentieth are stepped over, as the image header reader does:
// the objects after them are still read.
TEST_F(PgRead, JumpsPastTheTwentiethAreSteppedOver)
{
    kes::Bytes data = ValueDisplay(1, 1);
    for (int i = 0; i < 22; ++i)
        data = Concat({data, Jump(0x200, 0, static_cast<std::uint16_t>(i + 1))});
    data = Concat({data, ValueDisplay(20, 8)});
    kes::PageData fresh;
    const kes::PgReadResult res = kes::PgDataToObj(fresh, *env, data, 0, data.size());
    EXPECT_TRUE(res.Ok()) << kes::DecodeErrorName(res.Error);
    EXPECT_EQ(res.Position, data.size());
    EXPECT_EQ(fresh.PgJmpList.size(), 20u);
    EXPECT_EQ(fresh.ObjList.size(), 2u) << "the object after the extra jumps is read";
}

TEST_F(PgRead, RangeAndLibraryFailures)
{
    const kes::Bytes data = ValueDisplay(1, 1);
    EXPECT_EQ(kes::PgDataToObj(page, *env, data, 5, 4).Error, DecodeError::BadRange);
    EXPECT_EQ(kes::PgDataToObj(page, *env, data, 0, data.size() + 1).Error, DecodeError::BadRange);
    EXPECT_TRUE(kes::PgDataToObj(page, *env, data, 0, 0).Ok()) << "an empty range reads nothing";

    page.PgJmpList.resize(2);
    env->LibraryPath = std::string(KES_BIN_DIR) + "/missing/libMorvik.so";
    const kes::PgReadResult res = kes::PgDataToObj(page, *env, data, 0, data.size());
    EXPECT_EQ(res.Error, DecodeError::LibraryMissing);
    EXPECT_FALSE(res.Detail.empty());
    EXPECT_EQ(page.PgJmpList.size(), 2u) << "nothing read, nothing cleared";
    EXPECT_EQ(kes::PastePgData(page, *env, data, 0, data.size()).Error, DecodeError::LibraryMissing);
}

class PgPaste : public PgRead {};

TEST_F(PgPaste, TwicePastedGivesTwoSetsTheSecondSelected)
{
    // The clipboard block itself (its count and framing) is the editor's; this is the paste
    // reader over the records it holds.
    const kes::Bytes records = Concat({ValueDisplay(4, 4), Jump(0x200, 0, 1), ValueDisplay(20, 8)});
    page.Pasting = 1;
    const kes::PgReadResult first = kes::PastePgData(page, *env, records, 0, records.size());
    ASSERT_TRUE(first.Ok()) << kes::DecodeErrorName(first.Error);
    EXPECT_EQ(first.Skipped, 1) << "the paste reader takes objects only";
    EXPECT_TRUE(page.PgJmpList.empty());
    const kes::PgReadResult second = kes::PastePgData(page, *env, records, 0, records.size());
    page.Pasting = 0;
    ASSERT_TRUE(second.Ok());
    ASSERT_EQ(page.ObjList.size(), 4u);
    EXPECT_EQ(page.ObjList[0]->Left, page.ObjList[2]->Left);
    EXPECT_EQ(page.ObjList[1]->Top, page.ObjList[3]->Top);
    EXPECT_EQ(page.SelList, (TObjList{page.ObjList[2], page.ObjList[3]}));
    EXPECT_FALSE(page.ObjList[0]->Selected);
    EXPECT_TRUE(page.ObjList[3]->Selected);
    EXPECT_EQ(page.CurObj, page.ObjList[3]);
}

TEST_F(PgPaste, PastedAddressesAndFunctionKeysFitThePage)
{
    // A value display whose address this controller lacks, and two buttons bound to F3.
    auto button = [](std::uint16_t x) {
        RecBuild r(13);
        r.Head(x, 0, x + 9, 9).Ref(0x200).Ref(0xFFFFFFFF).Ref(0xFFFFFFFF).U8(0).U8(0).U8(3).Fill(4);
        r.U8(1).Raw({2, 2, 2, 2, 0, 0}).Fill(7).U8(0);
        return r.Done();
    };
    const kes::Bytes records = Concat({ValueDisplay(0, 0, 0x7FFFFF00), button(20), button(40)});
    page.Pasting = 1;
    ASSERT_TRUE(kes::PastePgData(page, *env, records, 0, records.size()).Ok());
    ASSERT_EQ(page.ObjList.size(), 3u);
    auto& val = dynamic_cast<TLxVal&>(*page.ObjList[0]);
    EXPECT_EQ(val.DevAddrCode, core->DefWordCode);
    EXPECT_EQ(val.DevText, core->DefWordText);
    EXPECT_EQ(dynamic_cast<TLxBtn&>(*page.ObjList[1]).RefKey, 3);
    EXPECT_EQ(dynamic_cast<TLxBtn&>(*page.ObjList[2]).RefKey, 255) << "F3 was taken";
    EXPECT_EQ(page.ObjFunKeyUsed[3], 1);
}

} // namespace
