// The stored layout of every setting record, byte for byte: device references in their
// 9-byte form, the lengths that depend on the kind or button type, the low 16 bits where
// a field is two bytes wide, the position written as a key's index and the records that
// are not written at all (hide off, key without action, address -1).
#include "decoder/pgsetwrite.h"
#include "objects/valformat.h"
#include "pgrectest.h"

#include <gtest/gtest.h>

#include <functional>

namespace kes {
namespace {

using test::Hex;
using test::ToHex;

// A reference whose every byte differs, so a swapped field shows.
DevRefHead SampleRef()
{
    DevRefHead r;
    r.DevAddrCode = 0x01020304;
    r.Present = 1;
    r.LinkFlag = 1;
    r.Station = 5;
    r.LinkIndex = 1;
    r.Detail = 0x0D;
    r.BitIndex = 7;
    return r;
}
const char* kRef = "01 02 03 04 11 05 01 0D 07";

struct Case {
    const char* name;
    std::function<int(RecOut&)> write;
    std::string expected;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class SettingRecord : public ::testing::TestWithParam<Case> {};

TEST_P(SettingRecord, StoresItsLayout)
{
    for (int mode : {kEncFile, kEncMemory}) {
        Bytes out;
        RecOut ro(out, mode);
        const int n = GetParam().write(ro);
        const Bytes expected = Hex(GetParam().expected);
        EXPECT_EQ(n, static_cast<int>(expected.size())) << "mode " << mode;
        EXPECT_EQ(ToHex(out), ToHex(expected)) << "mode " << mode;
    }
}

PgJmpRec Jump(std::uint8_t kind, std::uint8_t width)
{
    PgJmpRec j;
    j.Ref = SampleRef();
    j.ValueType = kes::FormatCode(kes::ValFormat::Bcd);
    j.Kind = kind;
    j.Width = width;
    j.CompareValue = -2;
    j.OnOff = 1;
    j.TargetPage = 0x12345; // above 65535: the low 16 bits are kept
    j.Operator = 4;
    return j;
}

PgFunKeyRec Key(std::uint8_t type)
{
    PgFunKeyRec k;
    k.Write = SampleRef();
    k.Read = SampleRef();
    k.Read.DevAddrCode = 0x0A0B0C0D;
    k.Read.LinkFlag = 0;
    k.Notify = SampleRef();
    k.Notify.DevAddrCode = -1;
    k.Notify.Present = 0;
    k.KeyIndex = 9; // the stored index is the key's position, not this
    k.ButtonType = static_cast<kes::BtnType>(type);
    k.Kind = 0x10;
    k.MultiStateFlag = 1;
    k.ValueType = kes::FormatCode(kes::ValFormat::Hex);
    k.Width = 1;
    k.NotifyState = 1;
    k.NotifyOrder = 1;
    k.MultiStateFlag = 1;
    k.UserLevel = 0x103; // low byte stored
    k.IntDigits = 5;
    k.DecDigits = 2;
    k.ParamA = 0x00112233;
    k.ParamB = -1;
    k.StateCount = 3;
    return k;
}

// Head of a key record at position 4: tag, length, three references, notify byte, state
// count, index 04, level 03, reserved.
std::string KeyHead(const char* len, const char* type)
{
    return std::string("03 E9 ") + len + " " + kRef + " 0A 0B 0C 0D 01 05 01 0D 07 FF FF FF FF 10 05 01 0D 07" +
           " 11 03 04 03 00 00 00 " + type;
}

PgSysRec Alarm()
{
    PgSysRec s;
    s.Ref = SampleRef();
    s.ValueType = kes::FormatCode(kes::ValFormat::Signed);
    s.KindWidth = 0x11;
    s.OnOffOrOperator = 5;
    s.Value = 0x7FFF1234;
    return s;
}

MacPowerOnRec Macro(std::uint8_t kind)
{
    MacPowerOnRec m;
    m.Ref = SampleRef();
    m.ValueType = kes::FormatCode(kes::ValFormat::Hex);
    m.Kind = kind;
    m.Width = kind == 0 ? 0 : 1;
    m.IntervalIndex = 3;
    m.Value = 0x01020304;
    m.OnOff = 1;
    return m;
}

const Case kCases[] = {
    {"HideOn",
     [](RecOut& o) {
         return PgHideChx(o, 0, PgHideRec{1, 0x42});
     },
     "03 EB 00 08 01 42 00 00"},
    {"HideOff",
     [](RecOut& o) {
         return PgHideChx(o, 0, PgHideRec{0, 0x42});
     },
     ""},
    {"JumpOnBit", [](RecOut& o) { return PgJmpChx(o, 0, Jump(0x00, 0)); },
     std::string("03 E8 00 12 ") + kRef + " 03 00 23 45 01"},
    {"JumpOnWord", [](RecOut& o) { return PgJmpChx(o, 0, Jump(0x10, 1)); },
     std::string("03 E8 00 16 ") + kRef + " 03 11 23 45 04 FF FF FF FE"},
    {"JumpOnLowByte", [](RecOut& o) { return PgJmpChx(o, 0, Jump(0x20, 0)); },
     std::string("03 E8 00 16 ") + kRef + " 03 20 23 45 04 FF FF FF FE"},
    {"KeySetOn", [](RecOut& o) { return PgFunKeyChx(o, 0, Key(0), 4); }, KeyHead("00 27", "00")},
    {"KeySetPassword", [](RecOut& o) { return PgFunKeyChx(o, 0, Key(12), 4); }, KeyHead("00 27", "0C")},
    {"KeyMultiState", [](RecOut& o) { return PgFunKeyChx(o, 0, Key(6), 4); }, KeyHead("00 28", "06") + " 11"},
    {"KeyInputValue", [](RecOut& o) { return PgFunKeyChx(o, 0, Key(7), 4); },
     KeyHead("00 33", "07") + " 02 01 05 02 00 11 22 33 FF FF FF FF"},
    {"KeySetConstant", [](RecOut& o) { return PgFunKeyChx(o, 0, Key(8), 4); },
     KeyHead("00 2D", "08") + " 02 01 00 11 22 33"},
    {"KeyIncrement", [](RecOut& o) { return PgFunKeyChx(o, 0, Key(9), 4); },
     KeyHead("00 2F", "09") + " 02 01 22 33 FF FF FF FF"},
    {"KeyDecrement", [](RecOut& o) { return PgFunKeyChx(o, 0, Key(10), 4); },
     KeyHead("00 2F", "0A") + " 02 01 22 33 FF FF FF FF"},
    {"KeyChangePage", [](RecOut& o) { return PgFunKeyChx(o, 0, Key(11), 4); }, KeyHead("00 29", "0B") + " 22 33"},
    {"KeyWithoutAction", [](RecOut& o) { return PgFunKeyChx(o, 0, Key(255), 4); }, ""},
    {"KeyInTheHeader", // read and notify flags take the write reference's panel-memory nibble
     [](RecOut& o) { return PgFunKeyChx(o, 0, Key(0), 4, SetRecForm::Header); },
     std::string("03 E9 00 27 ") + kRef + " 0A 0B 0C 0D 11 05 01 0D 07 FF FF FF FF 10 05 01 0D 07" +
         " 11 03 04 03 00 00 00 00"},
    {"Buzzer", [](RecOut& o) { return PgSysChx(o, 0, Alarm(), 0); },
     std::string("03 EA 00 15 ") + kRef + " 01 00 11 05 7F FF 12 34"},
    {"AlarmLampOnly", [](RecOut& o) { return PgSysPairChx(o, 0, PgSysRec{}, Alarm()); },
     std::string("03 EA 00 15 ") + kRef + " 01 01 11 05 7F FF 12 34"},
    {"AlarmsOff", [](RecOut& o) { return PgSysPairChx(o, 0, PgSysRec{}, PgSysRec{}); }, ""},
    {"PageNumberWrite", [](RecOut& o) { return PLCValSetChx(o, 0, PLCValSetRec{SampleRef()}, kTagPgNumWrite); },
     std::string("03 EE 00 0D ") + kRef},
    {"ClockWrite", [](RecOut& o) { return PLCValSetChx(o, 0, PLCValSetRec{SampleRef()}, kTagClockWrite); },
     std::string("03 EC 00 0D ") + kRef},
    {"PageNumberWriteOff", [](RecOut& o) { return PLCValSetChx(o, 0, PLCValSetRec{}, kTagPgNumWrite); }, ""},
    {"MacroOnBit", [](RecOut& o) { return MacPowerOnChx(o, 0, Macro(0x00)); },
     std::string("03 F1 00 11 ") + kRef + " 02 00 03 01"},
    {"MacroOnWord", [](RecOut& o) { return MacPowerOnChx(o, 0, Macro(0x10)); },
     std::string("03 F1 00 14 ") + kRef + " 02 11 03 01 02 03 04"},
    {"MacroOff", [](RecOut& o) { return MacPowerOnChx(o, 0, MacPowerOnRec{}); }, ""},
    {"ParameterRegister", // the flag byte holds the device-form flag alone
     [](RecOut& o) {
         return ParaDataSetChx(o, 0, ParaDataSetRec{SampleRef(), 2});
     },
     "03 F4 00 11 01 02 03 04 01 05 01 0D 07 00 00 00 02"},
    {"ParameterRegisterOff", [](RecOut& o) { return ParaDataSetChx(o, 0, ParaDataSetRec{}); }, ""},
};

INSTANTIATE_TEST_SUITE_P(Layouts, SettingRecord, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SettingRecord, ListsWriteBackToBackAndKeysByPosition)
{
    std::array<PgFunKeyRec, kFunKeyCount> keys;
    keys[13] = Key(11);
    keys[2] = Key(0);
    Bytes out = Hex("AA BB"); // what lies before pos stays
    RecOut ro(out, kEncMemory);
    const int n = PgFunKeysChx(ro, 2, keys);
    EXPECT_EQ(n, 39 + 41);
    ASSERT_EQ(out.size(), 2u + 80u);
    EXPECT_EQ(out[0], 0xAA);
    EXPECT_EQ(out[2 + 33], 2);       // first the key at position 2
    EXPECT_EQ(out[2 + 39 + 33], 13); // then the one at 13

    std::vector<PgJmpRec> jumps{Jump(0, 0), Jump(0x10, 0), Jump(0, 0)};
    Bytes js;
    RecOut jo(js, kEncFile);
    EXPECT_EQ(PgJmpListChx(jo, 0, jumps), 18 + 22 + 18);
    EXPECT_EQ(test::Tags(js), (std::vector<std::pair<int, int>>{{1000, 18}, {1000, 22}, {1000, 18}}));
}

TEST(RecOut, PutRecBytesCopiesOrReversesAndGrowsWithZeros)
{
    const std::uint8_t src[] = {1, 2, 3, 4};
    struct Row {
        int mode;
        bool reverse;
        const char* expected;
    } rows[] = {
        {kEncFile, false, "AA 00 00 01 02 03 04"},
        {kEncMemory, true, "AA 00 00 04 03 02 01"},
        {0, false, "AA"}, // any other mode writes nothing
        {3, true, "AA"},
    };
    for (const Row& r : rows) {
        Bytes out{0xAA};
        RecOut ro(out, r.mode);
        ro.PutRecBytes(1, r.reverse, 4, src, 2);
        EXPECT_EQ(ToHex(out), ToHex(Hex(r.expected))) << r.mode << " " << r.reverse;
    }
}

} // namespace
} // namespace kes
