// The setting record readers take every field from its stored offset, give the bytes they
// consumed (0 for another key or slot), and refuse a record that holds fewer bytes than
// its body needs without touching the destination.
#include "tests/decoder/morviktest.h"
#include "tests/decoder/recbuild.h"

namespace {

using kes::test::MorvikTest;
using kes::test::RecBuild;

class SetRecRead : public MorvikTest {};

// A function key record up to its button type; the tail follows.
RecBuild FunKey(std::uint8_t key, std::uint8_t type)
{
    RecBuild r(kTagPgFunKey);
    r.Ref(0x1000, 0x11, 2, 1, 7, 3)    // write: flags with the link nibble, station 2, link 1
        .Ref(0x2000, 0x01, 3, 0, 0, 4) // read
        .Ref(0xFFFFFFFF)               // notify: none
        .U8(0x10)                      // notify state set, before the write
        .U8(4)                         // state count
        .U8(key)
        .U8(3) // user level
        .Fill(3)
        .U8(type);
    return r;
}

TEST_F(SetRecRead, FunctionKeyTailsByButtonType)
{
    struct Case {
        std::uint8_t type;
        std::vector<std::uint8_t> tail;
        int length;
        std::uint8_t kind;
        std::int32_t paramA, paramB;
        std::uint8_t valueType, width;
    };
    const std::vector<Case> cases = {
        {0, {}, 39, 0x00, 0, 0, 0, 0},
        {5, {}, 39, 0x00, 0, 0, 0, 0},
        {6, {0x21}, 40, 0x20, 0, 0, 0, 0},
        {7, {1, 1, 5, 2, 0, 0, 0x27, 0x0F, 0xFF, 0xFF, 0xFF, 0xF6}, 51, 0x10, 9999, -10, 1, 1},
        {8, {2, 0, 0x12, 0x34, 0x56, 0x78}, 45, 0x10, 0x12345678, 0, 2, 0},
        {9, {0, 1, 0xFF, 0xFE, 0, 0, 0x01, 0x00}, 47, 0x10, 0xFFFE, 256, 0, 1},
        {10, {3, 0, 0x00, 0x05, 0x80, 0, 0, 0}, 47, 0x10, 5, std::int32_t(0x80000000), 3, 0},
        {11, {0x01, 0x02}, 41, 0x10, 0x102, 0, 0, 0},
        {12, {}, 39, 0x10, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("button type " + std::to_string(c.type));
        RecBuild r = FunKey(4, c.type);
        for (std::uint8_t b : c.tail)
            r.U8(b);
        const kes::Bytes rec = r.Done();
        ASSERT_EQ(static_cast<int>(rec.size()), c.length);
        PgFunKeyRec key;
        key.KeyIndex = 4;
        EXPECT_EQ(f.DataToPgFunKey(&key, rec.data(), 0), c.length);
        EXPECT_EQ(kes::BtnCode(key.ButtonType), c.type);
        EXPECT_EQ(key.Kind, c.kind);
        EXPECT_EQ(key.ParamA, c.paramA);
        EXPECT_EQ(key.ParamB, c.paramB);
        EXPECT_EQ(key.ValueType, c.valueType);
        EXPECT_EQ(key.Width, c.width);
        EXPECT_EQ(key.UserLevel, 3);
        EXPECT_EQ(key.StateCount, 4);
        EXPECT_EQ(key.NotifyState, 1);
        EXPECT_EQ(key.NotifyOrder, 0);
        EXPECT_EQ(key.Reserved, (std::array<std::uint8_t, 4>{255, 255, 255, 255}));
        if (c.type == 6) {
            EXPECT_EQ(key.MultiStateFlag, 1);
        }
        if (c.type == 7) {
            EXPECT_EQ(key.IntDigits, 5);
            EXPECT_EQ(key.DecDigits, 2);
        }
        // Change page and set password keys have no device, whatever was stored.
        const bool noDevices = c.type == 11 || c.type == 12;
        EXPECT_EQ(key.Write.DevAddrCode, noDevices ? -1 : 0x1000);
        EXPECT_EQ(key.Read.DevAddrCode, noDevices ? -1 : 0x2000);
        EXPECT_EQ(key.Notify.DevAddrCode, -1);
        EXPECT_EQ(key.ReadUsed, 1);
        EXPECT_EQ(key.NotifyUsed, 0);
        // The link flag is not taken from the record; present is the whole flags byte.
        EXPECT_EQ(key.Write.LinkFlag, 0);
        EXPECT_EQ(key.Write.Present, 1);
        EXPECT_EQ(key.Write.Station, 2);
        EXPECT_EQ(key.Write.LinkIndex, 1);
        EXPECT_EQ(key.Write.Detail, 7);
        EXPECT_EQ(key.Write.BitIndex, 3);
    }
}

TEST_F(SetRecRead, FunctionKeyOfAnotherKeyIsLeftAlone)
{
    const kes::Bytes rec = FunKey(5, 0).Done();
    PgFunKeyRec key;
    key.KeyIndex = 4;
    EXPECT_EQ(f.DataToPgFunKey(&key, rec.data(), 0), kes::kDecOtherSlot);
    EXPECT_EQ(key.ButtonType, kes::BtnType::None);
    EXPECT_EQ(key.Write.DevAddrCode, -1);
}

TEST_F(SetRecRead, PageJumpByKind)
{
    struct Case {
        std::uint8_t kindWidth;
        int result;
        std::uint8_t kind;
        bool value;
    };
    const Case cases[] = {
        {0x00, 18, 0x00, false},
        {0x11, 22, 0x10, true},
        {0x20, 22, 0x20, true},
        {0x30, 18, 0x00, false}, // an unknown kind is a bit condition
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kindWidth);
        const kes::Bytes rec = RecBuild(kTagPgJmp)
                                   .Ref(0x4000, 0x00, 5, 1, 9, 2)
                                   .U8(1)
                                   .U8(c.kindWidth)
                                   .U16(0x0102)
                                   .U8(1)
                                   .U32(0xFFFFFF9C)
                                   .Done();
        PgJmpRec jmp;
        jmp.Ref.LinkFlag = 1;
        EXPECT_EQ(f.DataToPgJmp(&jmp, rec.data(), 0), c.result);
        EXPECT_EQ(jmp.Kind, c.kind);
        EXPECT_EQ(jmp.Width, c.kindWidth & 0x0F);
        EXPECT_EQ(jmp.TargetPage, 0x0102);
        EXPECT_EQ(jmp.Ref.Present, 0);
        EXPECT_EQ(jmp.Ref.LinkFlag, 1) << "kept from the destination";
        EXPECT_EQ(jmp.Ref.Station, 5);
        if (c.value) {
            EXPECT_EQ(jmp.Operator, 1);
            EXPECT_EQ(jmp.CompareValue, -100);
        } else {
            EXPECT_EQ(jmp.OnOff, 1);
            EXPECT_EQ(jmp.CompareValue, 0);
        }
    }
}

TEST_F(SetRecRead, BuzzerAndAlarmLampBySlot)
{
    const kes::Bytes rec = RecBuild(kTagPgSys).Ref(0x3000, 1, 1, 0, 0, 6).U8(2).U8(1).U8(0x11).U8(4).U32(300).Done();
    PgSysRec buzzer, lamp;
    EXPECT_EQ(f.DataToPgSys(&buzzer, 0, rec.data(), 0), kes::kDecOtherSlot);
    EXPECT_EQ(buzzer.Ref.DevAddrCode, -1);
    EXPECT_EQ(f.DataToPgSys(&lamp, 1, rec.data(), 0), 21);
    EXPECT_EQ(lamp.Ref.DevAddrCode, 0x3000);
    EXPECT_EQ(lamp.Ref.BitIndex, 6);
    EXPECT_EQ(lamp.ValueType, 2);
    EXPECT_EQ(lamp.KindWidth, 0x11);
    EXPECT_EQ(lamp.OnOffOrOperator, 4);
    EXPECT_EQ(lamp.Value, 300);
}

TEST_F(SetRecRead, ControllerWritesAndSystemRecords)
{
    // Hide: both bytes as flags.
    const kes::Bytes hideRec = RecBuild(kTagPgHide).U8(7).U8(0).Fill(2).Done();
    PgHideRec hide;
    EXPECT_EQ(f.DataToPgHide(&hide, hideRec.data(), 0), 8);
    EXPECT_EQ(hide.Hide, 1);
    EXPECT_EQ(hide.Second, 0);

    // Page-number write: present from the low nibble, the link flag from the high one.
    const kes::Bytes numRec = RecBuild(kTagPgNumWrite).Ref(0x30005, 0x10, 4, 1, 8, 9).Done();
    PLCValSetRec num;
    EXPECT_EQ(f.DataToPLCValSet(&num, numRec.data(), 0), 13);
    EXPECT_EQ(num.Ref.DevAddrCode, 0x30005);
    EXPECT_EQ(num.Ref.Present, 0);
    EXPECT_EQ(num.Ref.LinkFlag, 1);
    EXPECT_EQ(num.Ref.Station, 4);
    EXPECT_EQ(num.Ref.LinkIndex, 1);
    EXPECT_EQ(num.Ref.Detail, 8);
    EXPECT_EQ(num.Ref.BitIndex, 9);

    // Power-on macro of a bit: the ON/OFF byte, the value kept.
    const kes::Bytes bitMacro = RecBuild(kTagMacPowerOn).Ref(0x200, 0x01).U8(0).U8(0x01).U8(3).U8(1).Done();
    MacPowerOnRec macro;
    macro.Value = 1234;
    EXPECT_EQ(f.DataToMacPowerOn(&macro, bitMacro.data(), 0), 17);
    EXPECT_EQ(macro.OnOff, 1);
    EXPECT_EQ(macro.Value, 1234);
    EXPECT_EQ(macro.Kind, 0);
    EXPECT_EQ(macro.Width, 1);
    EXPECT_EQ(macro.IntervalIndex, 3);
    // Of a word: the value.
    const kes::Bytes wordMacro = RecBuild(kTagMacPowerOn).Ref(0x4000, 0x11).U8(1).U8(0x10).U8(0).U32(77).Done();
    EXPECT_EQ(f.DataToMacPowerOn(&macro, wordMacro.data(), 0), 20);
    EXPECT_EQ(macro.Value, 77);
    EXPECT_EQ(macro.Kind, 0x10);
    EXPECT_EQ(macro.Ref.LinkFlag, 1);

    // Parameter set: present is the whole flags byte, the link flag stays.
    const kes::Bytes paraRec = RecBuild(kTagParaDataSet).Ref(0x4100, 0x10, 1, 0, 0, 0).U32(3).Done();
    ParaDataSetRec para;
    EXPECT_EQ(f.DataToParaDataSet(&para, paraRec.data(), 0), 17);
    EXPECT_EQ(para.Ref.DevAddrCode, 0x4100);
    EXPECT_EQ(para.Ref.Present, 1);
    EXPECT_EQ(para.Ref.LinkFlag, 0);
    EXPECT_EQ(para.RegisterCount, 3);
}

// Each record is one byte short of what its body needs: the reader refuses it with the
// error the case names and the destination keeps its values.
TEST_F(SetRecRead, ShortRecordsAreRefusedUntouched)
{
    // Reads rec into a fresh destination; untouched tells whether it kept its values.
    using Read = int (*)(const kes::MorvikFns&, const kes::Bytes&, bool& untouched);
    struct Case {
        const char* name;
        kes::Bytes rec;
        int expected;
        Read read;
    };
    auto cut = [](const RecBuild& r) { return r.Done(static_cast<int>(r.Size()) - 1); };
    const Case cases[] = {
        {"hide", cut(RecBuild(kTagPgHide).U8(1).U8(1)), kes::kDecTruncated,
         [](const kes::MorvikFns& f, const kes::Bytes& r, bool& untouched) {
             PgHideRec d;
             const int res = f.DataToPgHide(&d, r.data(), 0);
             untouched = d.Hide == 0;
             return res;
         }},
        {"value jump", cut(RecBuild(kTagPgJmp).Ref(5).U8(0).U8(0x10).U16(1).U8(0).U32(9)), kes::kDecTruncated,
         [](const kes::MorvikFns& f, const kes::Bytes& r, bool& untouched) {
             PgJmpRec d;
             const int res = f.DataToPgJmp(&d, r.data(), 0);
             untouched = d.Ref.DevAddrCode == -1;
             return res;
         }},
        {"input key tail", cut(FunKey(0, 7).Fill(12)), kes::kDecTruncated,
         [](const kes::MorvikFns& f, const kes::Bytes& r, bool& untouched) {
             PgFunKeyRec d;
             const int res = f.DataToPgFunKey(&d, r.data(), 0);
             untouched = d.ButtonType == kes::BtnType::None;
             return res;
         }},
        {"key index cut off", RecBuild(kTagPgFunKey).Fill(20).Done(), kes::kDecTruncated,
         [](const kes::MorvikFns& f, const kes::Bytes& r, bool& untouched) {
             PgFunKeyRec d;
             const int res = f.DataToPgFunKey(&d, r.data(), 0);
             untouched = d.ButtonType == kes::BtnType::None;
             return res;
         }},
        {"alarm", cut(RecBuild(kTagPgSys).Ref(5).U8(0).U8(0).U8(0).U8(0).U32(1)), kes::kDecTruncated,
         [](const kes::MorvikFns& f, const kes::Bytes& r, bool& untouched) {
             PgSysRec d;
             const int res = f.DataToPgSys(&d, 0, r.data(), 0);
             untouched = d.Ref.DevAddrCode == -1;
             return res;
         }},
        {"page-number write", cut(RecBuild(kTagPgNumWrite).Ref(5)), kes::kDecTruncated,
         [](const kes::MorvikFns& f, const kes::Bytes& r, bool& untouched) {
             PLCValSetRec d;
             const int res = f.DataToPLCValSet(&d, r.data(), 0);
             untouched = d.Ref.DevAddrCode == -1;
             return res;
         }},
        {"value macro", cut(RecBuild(kTagMacPowerOn).Ref(5).U8(0).U8(0x10).U8(0).U32(1)), kes::kDecTruncated,
         [](const kes::MorvikFns& f, const kes::Bytes& r, bool& untouched) {
             MacPowerOnRec d;
             const int res = f.DataToMacPowerOn(&d, r.data(), 0);
             untouched = d.Ref.DevAddrCode == -1;
             return res;
         }},
        {"parameter set", cut(RecBuild(kTagParaDataSet).Ref(5).U32(2)), kes::kDecTruncated,
         [](const kes::MorvikFns& f, const kes::Bytes& r, bool& untouched) {
             ParaDataSetRec d;
             const int res = f.DataToParaDataSet(&d, r.data(), 0);
             untouched = d.Ref.DevAddrCode == -1;
             return res;
         }},
        {"length below the head", RecBuild(kTagPgHide).U8(1).U8(1).Done(3), kes::kDecBadArgument,
         [](const kes::MorvikFns& f, const kes::Bytes& r, bool& untouched) {
             PgHideRec d;
             const int res = f.DataToPgHide(&d, r.data(), 0);
             untouched = d.Hide == 0;
             return res;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bool untouched = false;
        EXPECT_EQ(c.read(f, c.rec, untouched), c.expected);
        EXPECT_TRUE(untouched);
    }
}

} // namespace
