// The system block and page table are the panel's view of the project: the byte layout (with its
// little-endian page count and host-order doubles) must come out exactly, and what an upload
// reads back must rebuild the same fields and pages.
#include "app/comm/systemblock.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using kes::Bytes;

kes::SystemBlockFields SampleFields()
{
    kes::SystemBlockFields f;
    f.entryCount = 4; // three pages
    f.com1 = 0x1C;
    f.com2 = 0x51;
    f.machineId = 3;
    f.firmwareLength = 0x00012345;
    f.firmwareStamp = 0x61626364;
    for (int i = 0; i < 10; ++i) {
        std::memcpy(f.passwords[i].text.data(), "123456", 6);
        f.passwords[i].text[5] = static_cast<std::uint8_t>('0' + i);
        f.passwords[i].level = static_cast<std::uint8_t>(i % 5);
    }
    f.enableUpDown = true;
    f.portCode = 7;
    f.linkIndex = 1;
    f.defStation = 9;
    f.devRefs[0] = {0x00012345, 1, 2, 3, 4, 1, -5};
    // The second reference stays unused: address -1, flags 1.
    return f;
}

Bytes Build(const kes::SystemBlockFields& f, std::uint32_t fw)
{
    Bytes block(kes::SystemBlockSize(fw), 0xFF);
    kes::BuildSystemBlock(f, fw, block);
    return block;
}

TEST(SystemBlock, LayoutOfBothSizes)
{
    const auto f = SampleFields();
    const Bytes shortBlock = Build(f, 99);
    ASSERT_EQ(shortBlock.size(), 88u);
    const Bytes head = {0x04, 0x00, 0x1C, 0x51, 0x00, 0x03, 0xFF, 0xFF, 0xFF,
                        0xFF, 0x00, 0x01, 0x23, 0x45, 0x61, 0x62, 0x63, 0x64};
    EXPECT_EQ(Bytes(shortBlock.begin(), shortBlock.begin() + 18), head);
    // The last password slot ends the short block.
    EXPECT_EQ(Bytes(shortBlock.begin() + 81, shortBlock.end()), (Bytes{'1', '2', '3', '4', '5', '9', 4}));

    const Bytes longBlock = Build(f, 100);
    ASSERT_EQ(longBlock.size(), 130u);
    EXPECT_EQ(Bytes(longBlock.begin(), longBlock.begin() + 88), shortBlock);
    EXPECT_EQ(Bytes(longBlock.begin() + 88, longBlock.begin() + 101),
              (Bytes{1, 7, 1, 9, 0x00, 0x01, 0x23, 0x45, 1, 2, 3, 4, 1}));
    // -5.0 as a little-endian double.
    EXPECT_EQ(Bytes(longBlock.begin() + 101, longBlock.begin() + 109), (Bytes{0, 0, 0, 0, 0, 0, 0x14, 0xC0}));
    // Unused reference: FF FF FF FF with flags 1.
    EXPECT_EQ(Bytes(longBlock.begin() + 109, longBlock.begin() + 114), (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 1}));
    EXPECT_EQ(Bytes(longBlock.begin() + 126, longBlock.end()), (Bytes{0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST(SystemBlock, ReadsBackWhatWasBuilt)
{
    const auto f = SampleFields();
    for (std::uint32_t fw : {99u, 100u}) {
        const auto back = kes::ParseSystemBlock(Build(f, fw), fw);
        ASSERT_TRUE(back) << fw;
        EXPECT_EQ(back->entryCount, 4);
        EXPECT_EQ(back->com1, 0x1C);
        EXPECT_EQ(back->machineId, 3);
        EXPECT_EQ(back->passwords[9].text, f.passwords[9].text);
        EXPECT_EQ(back->passwords[9].level, 4);
        EXPECT_EQ(back->extended, fw >= 100);
        EXPECT_EQ(back->enableUpDown, fw >= 100);
        if (fw >= 100) {
            EXPECT_EQ(back->defStation, 9);
            EXPECT_EQ(back->devRefs[0].DevAddrCode, 0x12345);
            EXPECT_EQ(back->devRefs[0].pairedValue, -5);
            EXPECT_EQ(back->devRefs[1].DevAddrCode, -1);
        }
    }
    // A block cut short is not read.
    EXPECT_FALSE(kes::ParseSystemBlock(Bytes(129, 0), 100));
}

TEST(PageTable, DownloadTableAndUploadSplit)
{
    // Three pages: starts 24, 30, 30 (an empty page), end 41.
    const std::vector<std::uint32_t> offsets = {24, 30, 30, 41};
    const Bytes table = kes::BuildPageTable(offsets);
    ASSERT_EQ(table.size(), 20u);
    EXPECT_EQ(Bytes(table.begin(), table.begin() + 8), (Bytes{0, 0, 0, 0, 0, 0, 0, 24}));

    Bytes image(41);
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i);
    const auto split = kes::SplitUploadedImage(image, offsets);
    ASSERT_TRUE(split);
    EXPECT_EQ(split->header.size(), 24u);
    ASSERT_EQ(split->pages.size(), 3u);
    EXPECT_EQ(split->pages[0], Bytes(image.begin() + 24, image.begin() + 30));
    EXPECT_TRUE(split->pages[1].empty());
    EXPECT_EQ(split->pages[2].size(), 11u);

    // Offsets that run backwards or past the image are refused, not cut into negative lengths.
    EXPECT_FALSE(kes::SplitUploadedImage(image, std::vector<std::uint32_t>{24, 20, 41}));
    EXPECT_FALSE(kes::SplitUploadedImage(image, std::vector<std::uint32_t>{24, 42}));
}

} // namespace
