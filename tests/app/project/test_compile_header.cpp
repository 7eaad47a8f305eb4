// A compiled image of a small project, byte for byte: every header section as the stored
// layouts give it (written out here by hand, never by the writers), the header records in
// their fixed order, each page's chunk at its offset, 0xFF from the end of the last page,
// and a buffer the size of the model's object data area. The keypad types carry only the
// key setting, whatever else the project holds.
#include "app/project/objfactory.h"
#include "app/project/pgdataenc.h"
#include "objects/tlxdevbmp.h"
#include "objects/tlxval.h"
#include "objects/tprogbar.h"
#include "objects/valformat.h"
#include "pgrectest.h"
#include "prjtest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace kes {
namespace {

using test::Hex;
using test::Prj;
using test::Tags;
using test::ToHex;

DevRefHead Ref(std::int32_t code, std::uint8_t linkFlag, std::uint8_t present, std::uint8_t station, std::uint8_t link,
               std::uint8_t detail, std::uint8_t bit)
{
    DevRefHead r;
    r.DevAddrCode = code;
    r.LinkFlag = linkFlag;
    r.Present = present;
    r.Station = station;
    r.LinkIndex = link;
    r.Detail = detail;
    r.BitIndex = bit;
    return r;
}

// No device: code -1, device-name form, station 1, link 0.
DevRefHead NoRef() { return Ref(-1, 0, 1, 1, 0, 0, 0); }

// Every system record set, each field away from its neighbours' values.
void SetSystemRecords(ProjectState& s)
{
    MacPowerOnRec& m = s.PowerOnMacro;
    m.Ref = Ref(0x12345, 1, 1, 7, 1, 0x0D, 3);
    m.ValueType = kes::FormatCode(kes::ValFormat::Signed);
    m.Kind = 0x10;
    m.Width = 1;
    m.IntervalIndex = 2;
    m.Value = -2;
    m.OnOff = 1; // not stored for a word macro

    s.ParaDataSet.Ref = Ref(0x4040, 1, 1, 2, 1, 0x0A, 5);
    s.ParaDataSet.RegisterCount = 2;

    for (PgFunKeyRec& k : s.SysFunKeys) {
        k = PgFunKeyRec{}; // no action, one state, level 0, nothing to notify
        k.Write = k.Read = k.Notify = NoRef();
        k.KeyIndex = 9; // the stored index is the key's position, not this
    }
    PgFunKeyRec& f1 = s.SysFunKeys[1];
    f1.ButtonType = kes::BtnType::PulseOn;
    f1.Write = Ref(0x101, 1, 1, 1, 0, 0, 0);
    f1.Read = Ref(0x102, 0, 0, 4, 1, 0x22, 6);
    f1.Notify = Ref(0x103, 0, 1, 5, 0, 0x33, 7);
    f1.NotifyState = 1;
    f1.NotifyOrder = 1;
    f1.UserLevel = 3;
    PgFunKeyRec& f3 = s.SysFunKeys[3];
    f3.ButtonType = kes::BtnType::InputValue;
    f3.Write = Ref(0x4100, 0, 1, 1, 0, 0, 0);
    f3.Read.LinkFlag = 1; // the header takes the write reference's nibble instead
    f3.UserLevel = 2;
    f3.ValueType = kes::FormatCode(kes::ValFormat::Signed);
    f3.Width = 1;
    f3.IntDigits = 5;
    f3.DecDigits = 2;
    f3.ParamA = 99999;
    f3.ParamB = -500;
    PgFunKeyRec& f5 = s.SysFunKeys[5]; // no action: not stored although it names a device
    f5.Write = Ref(0x4200, 0, 1, 1, 0, 0, 0);
    PgFunKeyRec& f9 = s.SysFunKeys[9];
    f9.ButtonType = kes::BtnType::ChangePage;
    f9.ParamA = 0x10002; // only the low 16 bits are stored
    PgFunKeyRec& up = s.SysFunKeys[10];
    up.ButtonType = kes::BtnType::MultiState;
    up.Write = Ref(0x4300, 0, 1, 1, 0, 0, 0);
    up.Kind = 0x10;
    up.MultiStateFlag = 1;
    up.StateCount = 4;
    PgFunKeyRec& right = s.SysFunKeys[13];
    right.ButtonType = kes::BtnType::Decrement;
    right.Write = Ref(0x4400, 0, 1, 1, 0, 0, 0);
    right.ParamA = 0x70005;
    right.ParamB = -10;

    s.SysBuzzer.Ref = Ref(0x21, 0, 1, 1, 0, 0, 2);
    s.SysBuzzer.ValueType = 0;
    s.SysBuzzer.KindWidth = 0x00;
    s.SysBuzzer.OnOffOrOperator = 1;
    s.SysBuzzer.Value = 0;
    s.SysAlarmLamp.Ref = Ref(0x4050, 1, 1, 2, 1, 0, 0);
    s.SysAlarmLamp.ValueType = kes::FormatCode(kes::ValFormat::Signed);
    s.SysAlarmLamp.KindWidth = 0x11;
    s.SysAlarmLamp.OnOffOrOperator = 3;
    s.SysAlarmLamp.Value = 1000;

    PgJmpRec bit;
    bit.Ref = Ref(0x55, 0, 1, 1, 0, 0, 4);
    bit.Kind = 0;
    bit.OnOff = 1;
    bit.TargetPage = 1;
    bit.Operator = 2;      // not stored for a bit condition
    bit.CompareValue = 77; // nor this
    PgJmpRec value;
    value.Ref = Ref(0x4070, 0, 0, 3, 1, 0x44, 0);
    value.ValueType = kes::FormatCode(kes::ValFormat::Hex);
    value.Kind = 0x20;
    value.Width = 0;
    value.TargetPage = 70000; // low 16 bits stored
    value.Operator = 5;
    value.CompareValue = 0x12345678;
    value.OnOff = 1; // not stored for a value condition
    s.SysPgJumps = {bit, value};

    s.SysClockWrite.Ref = Ref(0x4060, 1, 1, 3, 1, 0, 0);
}

// The header of SetSystemRecords, record by record, in section order.
const char* const kExpectedHeader[] = {
    // 1009 power-on macro, 20 bytes: tag, length | ref: code, (link flag << 4) + present,
    // station, link, detail, bit | value type | kind 0x10 + width 1 | interval | u32 value -2
    "03 F1 00 14 | 00 01 23 45 11 07 01 0D 03 | 01 | 11 | 02 | FF FF FF FE",
    // 1012 parameter set, 17 bytes: tag, length | code | present alone | station | link |
    // detail | bit | u32 register count
    "03 F4 00 11 | 00 00 40 40 | 01 | 02 | 01 | 0A | 05 | 00 00 00 02",
    // 1001 key F1, pulse ON, 39 bytes: tag, length | write ref | read ref (write's link
    // nibble, own present 0) | notify ref (write's nibble, own present 1) | notify state 1,
    // order 1 | state count | position 1 | user level 3 | 3 reserved | button type 2
    "03 E9 00 27 | 00 00 01 01 11 01 00 00 00 | 00 00 01 02 10 04 01 22 06 | 00 00 01 03 11 05 00 33 07"
    " | 11 | 01 | 01 | 03 | 00 00 00 | 02",
    // 1001 key F3, input value, 51 bytes: refs (read's own link flag is not stored) | notify
    // 0 | state count | position 3 | user level 2 | reserved | type 7 | value type 1 |
    // width 1 | 5 integer digits | 2 decimals | u32 maximum 99999 | u32 minimum -500
    "03 E9 00 33 | 00 00 41 00 01 01 00 00 00 | FF FF FF FF 01 01 00 00 00 | FF FF FF FF 01 01 00 00 00"
    " | 00 | 01 | 03 | 02 | 00 00 00 | 07 | 01 | 01 | 05 | 02 | 00 01 86 9F | FF FF FE 0C",
    // (key F5 has no action: no record)
    // 1001 key F9, change page, 41 bytes: no devices | notify 0 | state count | position 9 |
    // level 0 | reserved | type 11 | u16 target page 0x10002 -> 2
    "03 E9 00 29 | FF FF FF FF 01 01 00 00 00 | FF FF FF FF 01 01 00 00 00 | FF FF FF FF 01 01 00 00 00"
    " | 00 | 01 | 09 | 00 | 00 00 00 | 0B | 00 02",
    // 1001 key Up, multi-state, 40 bytes: write ref | no read, notify | notify 0 | 4 states |
    // position 10 | level 0 | reserved | type 6 | kind 0x10 + flag 1
    "03 E9 00 28 | 00 00 43 00 01 01 00 00 00 | FF FF FF FF 01 01 00 00 00 | FF FF FF FF 01 01 00 00 00"
    " | 00 | 04 | 0A | 00 | 00 00 00 | 06 | 11",
    // 1001 key Right, decrement, 47 bytes: write ref | no read, notify | notify 0 | state
    // count | position 13 | level 0 | reserved | type 10 | value type 0 | width 0 |
    // u16 step 0x70005 -> 5 | u32 bound -10
    "03 E9 00 2F | 00 00 44 00 01 01 00 00 00 | FF FF FF FF 01 01 00 00 00 | FF FF FF FF 01 01 00 00 00"
    " | 00 | 01 | 0D | 00 | 00 00 00 | 0A | 00 | 00 | 00 05 | FF FF FF F6",
    // 1002 buzzer, 21 bytes: ref | value type | slot 0 | kind + width | ON | u32 value
    "03 EA 00 15 | 00 00 00 21 01 01 00 00 02 | 00 | 00 | 00 | 01 | 00 00 00 00",
    // 1002 alarm lamp, 21 bytes: ref | value type 1 | slot 1 | word + 32 bits | operator
    // ">=" | u32 value 1000
    "03 EA 00 15 | 00 00 40 50 11 02 01 00 00 | 01 | 01 | 11 | 03 | 00 00 03 E8",
    // 1000 bit jump, 18 bytes: ref | value type | kind + width | u16 target page 1 | ON
    "03 E8 00 12 | 00 00 00 55 01 01 00 00 04 | 00 | 00 | 00 01 | 01",
    // 1000 value jump, 22 bytes: ref ("$" form: present 0) | value type hex | low byte
    // kind | u16 target page 70000 -> 0x1170 | operator "!=" | u32 compare value
    "03 E8 00 16 | 00 00 40 70 00 03 01 44 00 | 02 | 20 | 11 70 | 05 | 12 34 56 78",
    // 1004 clock write, 13 bytes: ref
    "03 EC 00 0D | 00 00 40 60 11 03 01 00 00",
};

// Every byte of the image from `from` to its end is the 0xFF of an unused area.
std::size_t FirstUnfilled(const Bytes& image, std::size_t from)
{
    const auto it = std::find_if(image.begin() + static_cast<std::ptrdiff_t>(from), image.end(),
                                 [](std::uint8_t b) { return b != 0xFF; });
    return static_cast<std::size_t>(it - image.begin());
}

TEST(CompiledImage, HeaderSectionsPagesAndFillByteForByte)
{
    Prj p(std::string(KES_BIN_DIR) + "/");
    SetSystemRecords(p.doc);

    // Two pages of two objects each, stored by the record encoder as the editor stores them.
    const PageEnv env(p.doc, *p.core);
    RecEncodeEnv encodeEnv;
    encodeEnv.FontExists = [](const std::string&) { return true; };
    const std::int16_t kinds[2][2] = {{2, 3}, {8, 2}}; // numeric display, bit lamp; bar graph
    for (int i = 0; i < 2; ++i) {
        PageData page;
        page.Zoom = p.doc.DefaultZoom;
        page.PgIndex = i;
        for (int j = 0; j < 2; ++j) {
            std::unique_ptr<TLxObj> obj = NewPageObj(page, env, *KindOfCode(kinds[i][j]));
            ASSERT_NE(obj, nullptr);
            dynamic_cast<TLxDevRef&>(*obj).DevAddrCode = 0x4000 + 16 * i + j;
            obj->Left = (10 + 40 * j) * page.Zoom;
            obj->Top = (8 + 20 * i) * page.Zoom;
            page.AppendObj(std::move(obj));
        }
        auto rec = std::make_unique<PgDataStr>();
        PgDataChx(page, rec->Data, 0, kEncFile, &page.ObjList, encodeEnv);
        p.doc.PgDataList.push_back(std::move(rec));
    }

    // What compile does to the image.
    ResetMemoryImage(p.doc);
    ASSERT_TRUE(BuildPageImage(p.doc));

    // The image is the model's whole object data area (0x18000 up to 0x40000).
    EXPECT_EQ(p.doc.MemImage.size(), std::size_t(0x40000 - 0x18000));
    EXPECT_EQ(p.doc.MemImage.size(), std::size_t(p.doc.ObjDataAddrEnd - p.doc.ObjDataAddr));

    Bytes header;
    for (const char* rec : kExpectedHeader)
        header = test::Cat(header, Hex(rec));
    ASSERT_EQ(header.size(), 350u);
    EXPECT_EQ(p.doc.ImageHeaderLen, 350);
    std::size_t at = 0;
    for (const char* rec : kExpectedHeader) {
        const Bytes want = Hex(rec);
        EXPECT_EQ(ToHex(ByteSpan(p.doc.MemImage.data() + at, want.size())), ToHex(want)) << "record at " << at;
        at += want.size();
    }

    // Pages after the header without gaps: a numeric display (31 bytes) and a bit lamp (25),
    // then a bar graph (34) and a numeric display (31).
    EXPECT_EQ(p.doc.OffsetList, (std::vector<std::string>{"350", "406", "471"}));
    EXPECT_EQ(p.doc.MemImageLen, 471);
    const std::vector<std::pair<int, int>> pageTags[2] = {{{2, 31}, {3, 25}}, {{8, 34}, {2, 31}}};
    const std::size_t starts[3] = {350, 406, 471};
    for (std::size_t k = 0; k < 2; ++k) {
        const ByteSpan chunk(p.doc.MemImage.data() + starts[k], starts[k + 1] - starts[k]);
        EXPECT_EQ(Tags(chunk), pageTags[k]) << "page " << k;
        EXPECT_EQ(ToHex(chunk), ToHex(p.doc.PgDataList[k]->Data)) << "page " << k;
    }
    EXPECT_EQ(FirstUnfilled(p.doc.MemImage, 471), p.doc.MemImage.size());
}

// A keypad or text panel project stores the key setting alone: its system records and any
// page it holds stay out of the image.
TEST(CompiledImage, KeypadTypesStoreTheKeySettingAlone)
{
    for (const std::int16_t id : {95, 99}) {
        SCOPED_TRACE(id);
        Prj p(std::string(KES_BIN_DIR) + "/", id, 2);
        SetSystemRecords(p.doc);
        p.AddPage(40);
        KeySetData& k = p.doc.KeySetRec;
        k.CommAddr = 0x12;
        k.Port = 1;
        k.StartChar = 0x02;
        k.EndChar = 0x0D;
        for (std::size_t i = 0; i < 15; ++i)
            k.KeyCodes[i] = static_cast<std::uint8_t>(0x41 + i);
        k.KeyCodes[15] = 0x1B;

        ResetMemoryImage(p.doc);
        ASSERT_TRUE(BuildPageImage(p.doc));

        // 1011, 24 bytes: tag, length | station 0x12 | COM2 | start STX | end CR |
        // key codes F1..F10, UP, DOWN, LEFT, RIGHT, ENTER | spare
        const Bytes want = Hex("03 F3 00 18 | 12 | 01 | 02 | 0D"
                               " | 41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F | 1B");
        EXPECT_EQ(ToHex(ByteSpan(p.doc.MemImage.data(), want.size())), ToHex(want));
        EXPECT_EQ(p.doc.ImageHeaderLen, 24);
        EXPECT_EQ(p.doc.MemImageLen, 24);
        EXPECT_EQ(p.doc.OffsetList, std::vector<std::string>{"24"});
        // Model 2's object data area runs from 0x14000 up to 0x20000.
        EXPECT_EQ(p.doc.MemImage.size(), std::size_t(0x20000 - 0x14000));
        EXPECT_EQ(FirstUnfilled(p.doc.MemImage, 24), p.doc.MemImage.size());
    }
}

} // namespace
} // namespace kes
