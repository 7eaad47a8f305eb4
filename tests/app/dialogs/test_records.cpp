// The setting records the page and system dialogs edit: new records take the project's
// station, link and that link's panel-memory flag; the resets give the "none" values each
// record is stored by (or left out for); a page-change list never passes 20 records.
#include "app/project/pagedata.h"
#include "app/project/projectdoc.h"
#include "objects/valformat.h"

#include <gtest/gtest.h>

#include <functional>

namespace kes {
namespace {

void ExpectNewRef(const DevRefHead& r, std::uint8_t station, std::uint8_t link, std::uint8_t panelMemory)
{
    EXPECT_EQ(r.Station, station);
    EXPECT_EQ(r.DevAddrCode, -1);
    EXPECT_EQ(r.LinkIndex, link);
    EXPECT_EQ(r.Present, 1);
    EXPECT_EQ(r.LinkFlag, panelMemory);
    EXPECT_EQ(r.BitIndex, 0);
}

TEST(SettingRecords, NewReferencesTakeTheSelectedLinksPanelMemoryFlag)
{
    struct Case {
        std::uint8_t link;
        std::uint8_t panelMemory;
    } cases[] = {{0, 0}, {1, 1}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.link);
        ProjectDoc doc;
        doc.DefStation = 5;
        doc.LinkIndex = k.link;
        doc.PortSlaveMode = {0, 1};
        PageData page;
        const std::vector<std::function<const DevRefHead&()>> made = {
            [&]() -> const DevRefHead& { return doc.AddSysPgJump()->Ref; },
            [&]() -> const DevRefHead& { return page.AddPgJump(doc)->Ref; },
            [&]() -> const DevRefHead& {
                page.PgAlarmDefaults(doc);
                return page.PgSysRecs[1].Ref;
            },
            [&]() -> const DevRefHead& {
                doc.ResetSysPgSys();
                return doc.SysBuzzer.Ref;
            },
            [&]() -> const DevRefHead& {
                InitFunKeyRec(doc, page.PgFunKeys[3]);
                return page.PgFunKeys[3].Notify;
            },
            [&]() -> const DevRefHead& {
                doc.ResetParaDataSet();
                return doc.ParaDataSet.Ref;
            },
        };
        for (std::size_t i = 0; i < made.size(); ++i) {
            SCOPED_TRACE(i);
            ExpectNewRef(made[i](), 5, k.link, k.panelMemory);
        }
    }
}

TEST(SettingRecords, APageChangeListHoldsAtMostTwenty)
{
    ProjectDoc doc;
    PageData page;
    for (int i = 0; i < kMaxPgJumps; ++i) {
        ASSERT_NE(doc.AddSysPgJump(), nullptr);
        ASSERT_NE(page.AddPgJump(doc), nullptr);
    }
    EXPECT_EQ(doc.AddSysPgJump(), nullptr);
    EXPECT_EQ(page.AddPgJump(doc), nullptr);
    EXPECT_EQ(doc.SysPgJumps.size(), 20u);
    EXPECT_EQ(page.PgJmpList.size(), 20u);
}

TEST(SettingRecords, ResetsGiveTheNoneValues)
{
    ProjectDoc doc;
    doc.DefStation = 3;
    doc.LinkIndex = 1;
    doc.PortSlaveMode = {1, 0};

    // A key that was set returns to "not set" with every code off; its index stays.
    PgFunKeyRec& key = doc.SysFunKeys[11];
    key.ButtonType = kes::BtnType::InputValue;
    key.Write.DevAddrCode = 0x1000;
    key.Read.DevAddrCode = 0x1001;
    key.ReadUsed = 1;
    key.Reserved = {'A', 'B', 'C', 'D'};
    key.UserLevel = 2;
    key.StateCount = 4;
    doc.SysFunKeyUsed[11] = 1;
    doc.ResetSysFunKeys();
    EXPECT_EQ(key.ButtonType, kes::BtnType::None);
    EXPECT_EQ(key.KeyIndex, 11);
    for (const DevRefHead* r : {&key.Write, &key.Read, &key.Notify})
        ExpectNewRef(*r, 3, 1, 0);
    EXPECT_EQ(key.ReadUsed, 0);
    EXPECT_EQ(key.Reserved, (std::array<std::uint8_t, 4>{255, 255, 255, 255}));
    EXPECT_EQ(key.UserLevel, 0);
    EXPECT_EQ(key.StateCount, 1);
    EXPECT_EQ(doc.SysFunKeyUsed[11], 0);

    // The power-on macro is reset whole.
    MacPowerOnRec& m = doc.PowerOnMacro;
    m.Ref.DevAddrCode = 0x1000;
    m.Ref.LinkFlag = 1;
    m.Ref.BitIndex = 4;
    m.ValueType = kes::FormatCode(kes::ValFormat::Hex);
    m.Kind = 0x10;
    m.Width = 1;
    m.IntervalIndex = 3;
    m.Value = 99;
    m.OnOff = 1;
    doc.ResetPowerOnMacro();
    ExpectNewRef(m.Ref, 3, 1, 0);
    EXPECT_EQ(std::make_tuple(m.ValueType, m.Kind, m.Width, m.IntervalIndex, m.Value, m.OnOff),
              std::make_tuple(0, 0, 0, 0, 0, 0));

    // The parameter set keeps its register count; buzzer and lamp lose value and operator.
    doc.ParaDataSet.RegisterCount = 6;
    doc.ParaDataSet.Ref.DevAddrCode = 0x1000;
    doc.ResetParaDataSet();
    EXPECT_EQ(doc.ParaDataSet.RegisterCount, 6);
    EXPECT_EQ(doc.ParaDataSet.Ref.DevAddrCode, -1);
    doc.SysAlarmLamp.Value = 9;
    doc.SysAlarmLamp.KindWidth = 0x11;
    doc.SysAlarmLamp.OnOffOrOperator = 1;
    doc.ResetSysPgSys();
    EXPECT_EQ(std::make_tuple(doc.SysAlarmLamp.Value, doc.SysAlarmLamp.KindWidth, doc.SysAlarmLamp.OnOffOrOperator),
              std::make_tuple(0, 0, 0));
    ExpectNewRef(doc.SysAlarmLamp.Ref, 3, 1, 0);
}

} // namespace
} // namespace kes
