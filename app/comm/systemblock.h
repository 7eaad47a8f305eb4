#pragma once
// The panel's system block (at the start of the parameter area) and page table (at the page
// table area): built for a download, read back on an upload.
#include "platform/bytes.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kes {

// One of the two system device references as the block carries it.
struct SysDevRefBlock {
    std::int32_t DevAddrCode = -1;
    std::uint8_t flags = 1; // the head's byte after the link index
    std::uint8_t station = 1;
    std::uint8_t detail2 = 0; // second address-detail byte
    std::uint8_t detail1 = 0; // first address-detail byte
    std::uint8_t link = 0;
    std::int32_t pairedValue = 0; // travels as a double
};

struct PasswordSlotBlock {
    std::array<std::uint8_t, 6> text{};
    std::uint8_t level = 0;
};

// Everything the system block holds. `entryCount` is the page table's entry count, i.e. the
// number of project pages + 1.
struct SystemBlockFields {
    std::uint16_t entryCount = 1;
    std::uint8_t com1 = 4;
    std::uint8_t com2 = 4;
    std::int16_t machineId = 0;
    std::uint32_t firmwareLength = 0;
    std::uint32_t firmwareStamp = 0;
    std::array<PasswordSlotBlock, 10> passwords{};
    // Firmware 100 and later only; a block read from an older panel leaves `extended` false and
    // these fields at their defaults, which the reader must not apply.
    bool extended = false;
    bool enableUpDown = false; // MmEnableUD
    std::uint8_t portCode = 0; // the controller's port code from its device table
    std::uint8_t linkIndex = 0;
    std::uint8_t defStation = 1;
    std::array<SysDevRefBlock, 2> devRefs{};
};

// 88 bytes below firmware version 100, 130 from 100 on.
std::size_t SystemBlockSize(std::uint32_t panelFwVer);

// Fills `block` (sized by SystemBlockSize and filled with 0xFF by the caller) from `f`; bytes the
// layout does not name keep the fill.
void BuildSystemBlock(const SystemBlockFields& f, std::uint32_t panelFwVer, std::span<std::uint8_t> block);

// Reads a received block back. Nullopt when the block is shorter than its version's size.
std::optional<SystemBlockFields> ParseSystemBlock(ByteSpan block, std::uint32_t panelFwVer);

// Page table written by a download: entry 0 = 0, then every page offset and the image end
// (the decimal texts of the compiled offset list, as numbers), each u32 big-endian.
Bytes BuildPageTable(std::span<const std::uint32_t> offsets);

// What an upload rebuilds from the page table and the image read back.
struct UploadedPages {
    Bytes header;             // image bytes before the first page
    std::vector<Bytes> pages; // one buffer per pair of neighbouring offsets
};
// `offsets` are the table's entries 1..n (page starts, then the image end). Nullopt when the
// offsets run backwards or past the image.
std::optional<UploadedPages> SplitUploadedImage(ByteSpan image, std::span<const std::uint32_t> offsets);

} // namespace kes
