#include "app/comm/systemblock.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

namespace kes {

namespace {

constexpr std::size_t kShortBlock = 88;
constexpr std::size_t kLongBlock = 130;
constexpr std::size_t kPasswordsAt = 18;
constexpr std::size_t kDevRefsAt = 92;
constexpr std::size_t kDevRefSize = 17;

// The paired integer travels as an IEEE 754 double in little-endian byte order.
void PutDoubleLe(std::span<std::uint8_t> out, std::size_t off, double v)
{
    const auto bits = std::bit_cast<std::uint64_t>(v);
    for (int i = 0; i < 8; ++i)
        out[off + i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

std::int32_t GetDoubleLeAsInt(ByteSpan in, std::size_t off)
{
    std::uint64_t bits = 0;
    for (int i = 0; i < 8; ++i)
        bits |= std::uint64_t(in[off + i]) << (8 * i);
    const double d = std::bit_cast<double>(bits);
    // An erased or foreign block may hold anything: keep out-of-range values from converting.
    if (!std::isfinite(d) || d < std::numeric_limits<std::int32_t>::min() ||
        d > std::numeric_limits<std::int32_t>::max())
        return 0;
    return static_cast<std::int32_t>(d);
}

} // namespace

std::size_t SystemBlockSize(std::uint32_t panelFwVer) { return panelFwVer >= 100 ? kLongBlock : kShortBlock; }

// offset size  content
//   0     2    entry count (pages + 1), u16 LITTLE-endian
//   2     1    COM1 ComSetByte
//   3     1    COM2 ComSetByte
//   4     2    i16 controller number
//   6     4    not written
//  10     4    u32 firmware length
//  14     4    u32 firmware stamp
//  18    70    10 password slots: 6 characters, level byte
//  -- firmware 100 and later --
//  88     1    up/down key redefinition 0/1
//  89     1    controller port code
//  90     1    LinkIndex
//  91     1    DefStation
//  92    17    device reference 0: u32 code, flags, station, detail 2, detail 1, link,
//              paired integer as a little-endian double
// 109    17    device reference 1
// 126     4    not written
void BuildSystemBlock(const SystemBlockFields& f, std::uint32_t panelFwVer, std::span<std::uint8_t> block)
{
    const std::size_t size = SystemBlockSize(panelFwVer);
    if (block.size() < size)
        return;
    PutU16le(block, 0, f.entryCount);
    block[2] = f.com1;
    block[3] = f.com2;
    PutU16be(block, 4, static_cast<std::uint16_t>(f.machineId));
    PutU32be(block, 10, f.firmwareLength);
    PutU32be(block, 14, f.firmwareStamp);
    for (std::size_t i = 0; i < f.passwords.size(); ++i) {
        const std::size_t at = kPasswordsAt + 7 * i;
        std::memcpy(&block[at], f.passwords[i].text.data(), 6);
        block[at + 6] = f.passwords[i].level;
    }
    if (size < kLongBlock)
        return;
    block[88] = f.enableUpDown ? 1 : 0;
    block[89] = f.portCode;
    block[90] = f.linkIndex;
    block[91] = f.defStation;
    for (std::size_t r = 0; r < 2; ++r) {
        const SysDevRefBlock& d = f.devRefs[r];
        const std::size_t at = kDevRefsAt + kDevRefSize * r;
        PutU32be(block, at, static_cast<std::uint32_t>(d.DevAddrCode));
        block[at + 4] = d.flags;
        block[at + 5] = d.station;
        block[at + 6] = d.detail2;
        block[at + 7] = d.detail1;
        block[at + 8] = d.link;
        PutDoubleLe(block, at + 9, static_cast<double>(d.pairedValue));
    }
}

std::optional<SystemBlockFields> ParseSystemBlock(ByteSpan block, std::uint32_t panelFwVer)
{
    const std::size_t size = SystemBlockSize(panelFwVer);
    if (block.size() < size)
        return std::nullopt;
    SystemBlockFields f;
    f.entryCount = *GetU16le(block, 0);
    f.com1 = block[2];
    f.com2 = block[3];
    f.machineId = static_cast<std::int16_t>(*GetU16be(block, 4));
    f.firmwareLength = *GetU32be(block, 10);
    f.firmwareStamp = *GetU32be(block, 14);
    for (std::size_t i = 0; i < f.passwords.size(); ++i) {
        const std::size_t at = kPasswordsAt + 7 * i;
        std::memcpy(f.passwords[i].text.data(), &block[at], 6);
        f.passwords[i].level = block[at + 6];
    }
    if (size < kLongBlock)
        return f;
    f.extended = true;
    f.enableUpDown = block[88] != 0;
    f.portCode = block[89];
    f.linkIndex = block[90];
    f.defStation = block[91];
    for (std::size_t r = 0; r < 2; ++r) {
        SysDevRefBlock& d = f.devRefs[r];
        const std::size_t at = kDevRefsAt + kDevRefSize * r;
        d.DevAddrCode = static_cast<std::int32_t>(*GetU32be(block, at));
        d.flags = block[at + 4] != 0 ? 1 : 0;
        d.station = block[at + 5];
        d.detail2 = block[at + 6];
        d.detail1 = block[at + 7];
        d.link = block[at + 8];
        d.pairedValue = GetDoubleLeAsInt(block, at + 9);
    }
    return f;
}

Bytes BuildPageTable(std::span<const std::uint32_t> offsets)
{
    Bytes table;
    table.reserve(4 * (offsets.size() + 1));
    AppendU32be(table, 0);
    for (std::uint32_t o : offsets)
        AppendU32be(table, o);
    return table;
}

std::optional<UploadedPages> SplitUploadedImage(ByteSpan image, std::span<const std::uint32_t> offsets)
{
    if (offsets.empty() || offsets.back() > image.size())
        return std::nullopt;
    for (std::size_t i = 1; i < offsets.size(); ++i)
        if (offsets[i] < offsets[i - 1])
            return std::nullopt;
    UploadedPages out;
    out.header.assign(image.begin(), image.begin() + offsets.front());
    for (std::size_t i = 1; i < offsets.size(); ++i)
        out.pages.emplace_back(image.begin() + offsets[i - 1], image.begin() + offsets[i]);
    return out;
}

} // namespace kes
