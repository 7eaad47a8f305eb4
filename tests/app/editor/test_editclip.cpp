// A clipboard block is read only when it holds what its count says, record by record: any
// program may publish a block under the editor's format names, so a short block, a count
// past the block, a record that claims less than its head or more than is left, or an
// object record shorter than its header is refused as a whole.
#include "app/editor/editclip.h"

#include <gtest/gtest.h>

#include <string>

namespace kes {
namespace {

// A record: tag, length (the head included) and zero bytes up to that length.
Bytes Record(std::uint16_t tag, std::uint16_t length, std::size_t bodyBytes)
{
    Bytes r;
    AppendU16be(r, tag);
    AppendU16be(r, length);
    r.resize(r.size() + bodyBytes);
    return r;
}

Bytes Cat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

// A block whose count is n, whatever its records hold.
Bytes Block(std::uint32_t n, const Bytes& records)
{
    Bytes b(4);
    PutU32le(b, 0, n);
    b.insert(b.end(), records.begin(), records.end());
    return b;
}

TEST(ClipBlock, MadeBlocksCountTheirRecordsAndReadBack)
{
    const Bytes records = Cat({Record(2, 20, 16), Record(1000, 22, 18), Record(11, 14, 10)});
    const Bytes block = MakeClipBlock(records);
    ASSERT_EQ(block.size(), records.size() + 4);
    EXPECT_EQ(GetU32le(block, 0), records.size()) << "the count leaves itself out";
    const auto read = ClipBlockRecords(block);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(Bytes(read->begin(), read->end()), records);

    // Nothing selected: a block of the count alone.
    EXPECT_EQ(MakeClipBlock({}), (Bytes{0, 0, 0, 0}));
    EXPECT_TRUE(ClipBlockRecords(MakeClipBlock({}))->empty());
}

TEST(ClipBlock, OnlyWhollyFramedBlocksAreTaken)
{
    const Bytes good = Cat({Record(2, 20, 16), Record(1000, 8, 4)});
    const std::string text = "Hello from another program";
    struct Case {
        const char* name;
        Bytes block;
        bool taken;
    } cases[] = {
        {"well framed", Block(28, good), true},
        {"longer than its count: the rest is not read", Cat({Block(28, good), Bytes(9, 0xEE)}), true},
        {"a non-object record of its head alone", Block(4, Record(1003, 4, 0)), true},
        {"empty", {}, false},
        {"shorter than the count itself", {0, 0}, false},
        {"count past the block", Block(29, good), false},
        {"count near the largest", Block(0xFFFFFFFF, good), false},
        {"count cuts a record", Block(27, good), false},
        {"record of length 0", Block(8, Cat({Record(2, 0, 0), Bytes(4)})), false},
        {"record shorter than its head", Block(4, Record(1000, 3, 0)), false},
        {"record longer than what is left", Block(20, Record(2, 21, 16)), false},
        {"object record shorter than its header", Block(8, Record(5, 8, 4)), false},
        {"a lone tag without its length", Block(2, Bytes{0, 2}), false},
        {"foreign text under the name", Bytes(text.begin(), text.end()), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ClipBlockRecords(c.block).has_value(), c.taken);
    }
}

} // namespace
} // namespace kes
