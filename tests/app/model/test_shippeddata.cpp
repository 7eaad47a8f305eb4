// The model data shipped beside the program must load without a single warning, every
// controller of the list must have its device table, and every address of every table
// must come back unchanged through the codec: text -> code (and bit) -> text.
#include "modeltestutil.h"

#include "objects/digtest.h"

#include <gtest/gtest.h>

#include <set>

using namespace kes;
using kes::test::Model;
using kes::test::ShippedDir;

namespace {

std::string Join(const ModelWarnings& w)
{
    std::string t;
    for (const auto& x : w)
        t += kes::test::WarningLog(x) + "\n";
    return t;
}

std::string NumberIn(std::uint32_t n, int radix)
{
    switch (radix) {
    case 1:
        return ValueToText(n, 6, true);
    case 3:
        return ValueToText(n, 2, true);
    case 2:
        return std::to_string(n);
    default:
        return {};
    }
}

struct Sample {
    std::string text;
    std::uint8_t mode;
    std::uint8_t access;
    std::uint8_t accessClass; // expected LastAccess
};

std::vector<std::uint8_t> ModesOf(const DevRecord& r)
{
    if (r.Kind == 0)
        return {0};
    if (r.Kind == 1)
        return {1};
    return {0, 1};
}

// Texts as a user types them, built from the table's definition (not by the codec).
std::vector<Sample> OrdinarySamples(const LxTypeCore& core, const DevRecord& r)
{
    std::vector<Sample> out;
    const bool plain = (core.AddrTextFmt & 0xF0) && (r.Name == "*BIT" || r.Name == "*VAL");
    for (const DevRange& g : r.Ranges) {
        std::set<std::uint32_t> numbers{static_cast<std::uint32_t>(g.Min), static_cast<std::uint32_t>(g.Max),
                                        static_cast<std::uint32_t>(g.Min + (g.Max - g.Min) / 2)};
        if (g.Max > g.Min)
            numbers.insert(static_cast<std::uint32_t>(g.Min + 1));
        const std::uint8_t access = g.Access <= 1 ? g.Access : 0;
        for (std::uint32_t n : numbers)
            for (std::uint8_t mode : ModesOf(r)) {
                std::string text = r.Name + r.Separator + NumberIn(n, r.Radix);
                if (plain) {
                    text = NumberIn(n, r.Radix);
                    const std::size_t digits = core.AddrTextFmt & 0x0F;
                    if (text.size() < digits)
                        text.insert(0, digits - text.size(), '0');
                }
                if (!r.BitSeparator.empty() && mode == 0) {
                    for (int bit : {0, r.BitLimit - 1}) {
                        const int f = IsDevRadix(r.BitRadix, DevRadix::Octal) ? 6
                                      : IsDevRadix(r.BitRadix, DevRadix::Hex) ? 2
                                                                              : 0;
                        out.push_back({text + r.BitSeparator + ValueToText(static_cast<std::uint32_t>(bit), f, false),
                                       mode, access, g.Access});
                    }
                } else {
                    out.push_back({text, mode, access, g.Access});
                }
            }
    }
    return out;
}

std::string NamedOr(const std::vector<std::int32_t>& values, const std::vector<std::string>& names, int v)
{
    for (std::size_t i = 0; i < values.size(); ++i)
        if (values[i] == v)
            return names[i];
    return std::to_string(v);
}

std::vector<Sample> ExtendedSamples(const DevRecord& r)
{
    std::vector<Sample> out;
    std::vector<std::string> stations{""};
    for (int k = 0; k < r.ExtCount(); ++k) {
        stations.push_back(std::to_string(r.ExtValueA[k]));
        stations.push_back(std::to_string(r.ExtValueB[k]));
    }
    std::vector<std::string> fields{""};
    for (int f = 1; f < r.FieldLimit; ++f)
        fields.push_back("." + NamedOr(r.FieldValues, r.FieldNames, f));
    for (const DevRange& g : r.Ranges)
        for (std::int32_t n : {g.Min, g.Max})
            for (const std::string& st : stations)
                for (const std::string& fd : fields)
                    for (std::uint8_t mode : ModesOf(r)) {
                        const std::string text = r.Name.substr(0, 1) + st + r.Separator + std::to_string(n) + fd;
                        if (mode == 0) {
                            std::set<int> bits{0, r.BitLimit - 1};
                            for (int v : r.BitNameValues)
                                bits.insert(v);
                            for (int b : bits)
                                out.push_back({text + r.BitSeparator + NamedOr(r.BitNameValues, r.BitNames, b), 0,
                                               g.Access, g.Access});
                        } else {
                            out.push_back({text, mode, g.Access, g.Access});
                        }
                    }
    return out;
}

} // namespace

TEST(ShippedData, ListsLoadWithoutWarnings)
{
    Model m(ShippedDir());
    EXPECT_EQ(Join(m.core->LoadMachineList()), "");
    EXPECT_EQ(Join(m.core->LoadModelList()), "");
    ASSERT_FALSE(m.core->ModelNames.empty());
    ASSERT_FALSE(m.core->MachineIds.empty());
    for (std::size_t i = 0; i < m.core->ModelNames.size(); ++i)
        for (int variant : {0, 1}) {
            m.state.PanelModelIndex = static_cast<std::int16_t>(i);
            m.core->MemMapVariant = variant;
            EXPECT_EQ(Join(m.core->LoadModelData()), "") << m.core->ModelNames[i];
            EXPECT_EQ(m.core->ModelSection, m.core->ModelNames[i]);
        }
}

// The cases the program treats specially must all be present in the samples.
TEST(ShippedData, CoversTheSpecialModelsAndControllers)
{
    Model m(ShippedDir());
    m.core->LoadMachineList();
    m.core->LoadModelList();
    const std::set<int> ids(m.core->MachineIds.begin(), m.core->MachineIds.end());
    for (int id : {1, 2, 3, 4, 6, 41, 42, 43, 44, 87, 95, 96, 97, 98, 99})
        EXPECT_TRUE(ids.count(id)) << "machine id " << id;

    bool noClock = false, wideGrid = false, secondMap = false;
    for (std::size_t i = 0; i < m.core->ModelNames.size(); ++i) {
        m.state.PanelModelIndex = static_cast<std::int16_t>(i);
        m.core->MemMapVariant = 0;
        m.core->LoadModelData();
        const std::int32_t plainObj = m.state.ObjDataAddrEnd;
        noClock |= !m.state.HasRtc;
        wideGrid |= m.state.GridWidth == 2 && m.state.GridHeight == 1;
        m.core->MemMapVariant = 1;
        m.core->LoadModelData();
        secondMap |= m.state.ObjDataAddrEnd != plainObj;
        // The areas of one map must not overlap.
        const std::int32_t a[6][2] = {
            {m.state.ObjDataAddr, m.state.ObjDataAddrEnd}, {m.state.CommCodeAddr, m.state.CommCodeAddrEnd},
            {m.state.ObjPageAddr, m.state.ObjPageEnd},     {m.state.StartCanvas, m.state.EndCanvas},
            {m.state.MainMenuAddr, m.state.MainMenuEnd},   {m.state.ParaAddr, m.state.ParaEnd}};
        for (int x = 0; x < 6; ++x)
            for (int y = x + 1; y < 6; ++y)
                EXPECT_TRUE(a[x][1] <= a[y][0] || a[y][1] <= a[x][0])
                    << m.core->ModelNames[i] << " areas " << x << ", " << y;
        // A start-up screen fits its area, one bit per panel pixel.
        EXPECT_GE(m.state.EndCanvas - m.state.StartCanvas, m.core->PanelWidth * m.core->PanelHeight / 8);
    }
    EXPECT_TRUE(noClock);
    EXPECT_TRUE(wideGrid);
    EXPECT_TRUE(secondMap);
    ASSERT_GE(m.core->ModelNames.size(), 3u);
    EXPECT_EQ(m.core->ModelNames[0], "LX-04"); // user-menu family "ZQ04"
    EXPECT_EQ(m.core->ModelNames[1], "LX-02"); // user-menu family "ZQ02"
}

TEST(ShippedData, EveryListedControllerHasAUsableDeviceTable)
{
    Model m(ShippedDir());
    m.core->LoadMachineList();
    for (std::size_t k = 0; k < m.core->MachineIds.size(); ++k) {
        const int id = m.core->MachineIds[k];
        EXPECT_EQ(Join(m.core->LoadDeviceTable(id)), "") << m.core->MachineNames[k];
        EXPECT_FALSE(m.core->DeviceTable.empty()) << "machine id " << id;
        EXPECT_EQ(m.core->TableMachineId, DeviceTableFileId(id));
        // The default word address of new objects must have a text.
        EXPECT_FALSE(m.core->DefWordText.empty()) << "machine id " << id;
    }
}

TEST(ShippedData, EveryDeviceAddressRoundTrips)
{
    Model m(ShippedDir());
    m.core->LoadMachineList();
    std::set<int> ids(m.core->MachineIds.begin(), m.core->MachineIds.end());
    int checked = 0;
    for (int id : ids) {
        m.core->LoadDeviceTable(id);
        LxTypeCore& c = *m.core;
        for (const DevRecord& r : c.DeviceTable) {
            const auto samples = id == kExtendedMachineId ? ExtendedSamples(r) : OrdinarySamples(c, r);
            for (const Sample& s : samples) {
                const std::string where =
                    "machine id " + std::to_string(id) + " text " + s.text + " mode " + std::to_string(s.mode);
                const std::uint8_t flags = s.mode == 0 ? 0x00 : 0x10;
                c.LastAccess = 0xEE;
                EXPECT_TRUE(c.ValidateDeviceAddress(s.text, flags, s.access, true, false)) << where;
                EXPECT_EQ(c.LastAccess, s.accessClass) << where;
                const std::int32_t code = c.ParseDeviceAddress(s.text, s.mode, 0, true, false);
                ASSERT_NE(code, -1) << where;
                const std::uint8_t bit = c.ParseDeviceBitIndex(s.text, true, false);
                EXPECT_EQ(c.FormatDeviceAddress(static_cast<std::uint32_t>(code), s.mode, s.access, bit, true, false),
                          s.text)
                    << where;
                // The same code written as an absolute address comes back too.
                const std::string abs =
                    c.FormatDeviceAddress(static_cast<std::uint32_t>(code), s.mode, s.access, bit, false, false);
                EXPECT_TRUE(c.ValidateDeviceAddress(abs, flags, s.access, false, false)) << where;
                EXPECT_EQ(c.ParseDeviceAddress(abs, s.mode, 0, false, false), code) << where;
                ++checked;
            }
        }
        // Panel memory is the same for every controller.
        for (const char* text : {"@B0", "@B1023", "@V0", "@V1023"}) {
            const std::uint8_t mode = text[1] == 'B' ? 0 : 1;
            ASSERT_TRUE(c.ValidateDeviceAddress(text, mode ? 0x10 : 0x00, 0, true, true)) << text;
            const std::int32_t code = c.ParseDeviceAddress(text, mode, 0, true, true);
            EXPECT_EQ(c.FormatDeviceAddress(static_cast<std::uint32_t>(code), mode, 0, 0, true, true), text);
        }
    }
    EXPECT_GT(checked, 200);
}
