// The multi-range picture (kind 4) picks the state whose range holds a value (the last
// matching bound wins, none leaves state 4; signed 16-bit bounds are sign-extended and still
// compared unsigned), shows the picture of that state, mirrored for the small-to-large order,
// and shows its own picture while no state 0..4 is set instead of reading past the table.
#include "buttontest.h"
#include "golden.h"
#include "objects/tvrgbmp.h"

#include <gtest/gtest.h>

using buttontest::SamePixels;
using buttontest::Shown;

TEST(VrgBmp, NewObject)
{
    TVrgBmp obj;
    EXPECT_EQ(obj.ObjType, 4);
    EXPECT_EQ(obj.DevAddrCode, 4096);
    EXPECT_EQ(obj.TotalState, 5);
    EXPECT_EQ(obj.CurPt, -1);
    EXPECT_EQ(obj.RangeOrder, 0);
    EXPECT_EQ(obj.Width, 16);
    EXPECT_TRUE(SamePixels(obj.Picture, Shown("VBIT-0", false)));
    EXPECT_TRUE(golden::Matches(obj.Picture, "tvrgbmp_default"));
}

TEST(VrgBmp, StateForValue)
{
    using B = std::array<std::uint32_t, 5>;
    struct Case {
        const char* name;
        std::uint8_t order, valType, valLen;
        B bounds;
        std::uint32_t value;
        int state;
    } cases[] = {
        {"large to small, inside", 0, 0, 0, {0, 10, 20, 30, 40}, 25, 2},
        {"large to small, last bound", 0, 0, 0, {0, 10, 20, 30, 40}, 40, 4},
        {"large to small, on a bound", 0, 0, 0, {0, 10, 20, 30, 40}, 10, 1},
        {"no bound matches", 0, 0, 0, {100, 100, 100, 100, 100}, 5, 4},
        {"small to large, on a bound", 1, 0, 0, {0, 10, 20, 30, 40}, 10, 1},
        {"small to large, above all", 1, 0, 0, {0, 10, 20, 30, 40}, 1000, 4},
        {"small to large, unordered bounds", 1, 0, 0, {50, 10, 20, 30, 40}, 15, 1},
        {"signed 16-bit -1 never matches 5", 0, 1, 0, {0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF}, 5, 4},
        {"unsigned 16-bit 0xFFFF matches", 0, 0, 0, {0, 0xFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF}, 0x10000, 1},
        {"signed 16-bit 0xFFFF does not", 0, 1, 0, {0, 0xFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF}, 0x10000, 0},
        {"signed 32-bit keeps 0xFFFF", 0, 1, 1, {0, 0xFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF}, 0x10000, 1},
    };
    for (const Case& c : cases) {
        TVrgBmp obj;
        obj.RangeOrder = c.order;
        obj.ValType = c.valType;
        obj.ValLen = c.valLen;
        obj.StateBound = c.bounds;
        obj.SetCurrentRange(c.value);
        EXPECT_EQ(obj.CurVal, c.value) << c.name;
        EXPECT_EQ(obj.CurPt, c.state) << c.name;
    }
}

TEST(VrgBmp, PictureOfTheState)
{
    TVrgBmp obj;
    obj.StatePic = {0, 1, 2, 3, 255};
    obj.StateBound = {0, 10, 20, 30, 40};
    obj.SetCurrentRange(10);
    EXPECT_TRUE(SamePixels(obj.Picture, Shown("BIT-2")));
    obj.RangeOrder = 1;
    obj.SetCurrentRange(10); // state 1 shows entry 3
    EXPECT_TRUE(SamePixels(obj.Picture, Shown("BIT-4")));
    obj.SetCurPt(0); // entry 4: no picture, greys kept
    EXPECT_TRUE(SamePixels(obj.Picture, Shown("BIT-0", false)));

    // States outside 0..4 show the object's own picture.
    for (int state : {-1, 5, 1000, -7}) {
        obj.SetCurPt(state);
        EXPECT_TRUE(SamePixels(obj.Picture, Shown("VBIT-0", false))) << state;
    }

    obj.RangeOrder = 0;
    obj.StatePic = {7, 8, 9, 10, 11};
    obj.GridHeight = 2;
    obj.SetCurPt(2);
    EXPECT_TRUE(golden::Matches(obj.Picture, "tvrgbmp_state2_grid1x2"));
    obj.SetHeight(32); // 16 panel rows at grid 2
    const TBitmap page = buttontest::PageWith(obj, 16, 16);
    EXPECT_TRUE(SamePixels(page, Shown("BIT-10")));
}
