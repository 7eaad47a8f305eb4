// The message text picks its state from a value as the panel does (bit mode, signed
// first match, unsigned last or lowest match), keeps messages and values equal in number,
// leaves its picture undrawn while a message is wider than 250 pixels and renders each
// message at its exact size into band data.
#include "golden.h"
#include "objects/tmsgtxt.h"
#include "objects/valformat.h"
#include "objtest.h"

#include <gtest/gtest.h>

namespace {

TFont Font12()
{
    TFont f; // a face whose text is 12 pixels high
    f.Name = "MingLiU";
    f.Size = 7;
    return f;
}

} // namespace

TEST(MessageText, NewObject)
{
    TMsgTxt m;
    EXPECT_EQ(m.ObjType, 12);
    EXPECT_EQ(m.DevAddrCode, 2048);
    EXPECT_TRUE(m.DevText.empty());
    EXPECT_EQ(m.RefStation, 1);
    EXPECT_EQ(m.TotalState, 2);
    EXPECT_EQ(m.Messages, (std::vector<AnsiString>{"", ""}));
    EXPECT_EQ(m.StateVal, (std::vector<std::uint32_t>{0, 0}));
    EXPECT_EQ(m.CurPt, 0);
    EXPECT_EQ(m.MoveFlag, 1);
    EXPECT_TRUE(m.SizeSetsPicture);
    EXPECT_FALSE(m.UnscaledPaint);
    EXPECT_TRUE(golden::Matches(m.Picture, "tmsgtxt_new"));
}

TEST(MessageText, StateForAValue)
{
    struct Case {
        const char* name;
        std::uint8_t mode, valType, reverse;
        std::vector<std::uint32_t> bounds;
        std::uint32_t v;
        int state;
    } cases[] = {
        {"bit mode, non-zero", 0x00, 0, 0, {0, 0}, 4, 1},
        {"bit mode, zero", 0x00, 0, 0, {0, 0}, 0, 0},
        {"unsigned: highest bound not above", 0x10, 0, 0, {0, 100, 200}, 150, 1},
        {"unsigned: top range", 0x10, 0, 0, {0, 100, 200}, 250, 2},
        {"unsigned reversed: lowest bound not above", 0x10, 0, 1, {0, 100, 200}, 150, 0},
        {"unsigned: nothing matches", 0x10, 0, 0, {50, 100}, 10, 0},
        {"signed 16-bit: first bound not above", 0x10, 1, 0, {0xFFF6, 5}, 0xFFFF, 0},
        {"signed 16-bit: ignores the high halves", 0x10, 1, 0, {0x10005, 0xFFF6}, 0x0000FFFF, 1},
        {"signed 32-bit", 0x11, 1, 0, {10, 0xFFFFFFF6u}, 0xFFFFFFFFu, 1},
        {"signed, other width: nothing matches", 0x12, 1, 0, {0, 0}, 5, 0},
    };
    for (const Case& c : cases) {
        TMsgTxt m;
        m.SetStateNum(static_cast<std::uint8_t>(c.bounds.size()));
        m.StateVal = c.bounds;
        m.StateMode = c.mode;
        m.ValType = c.valType;
        m.StateReverse = c.reverse;
        m.CurRangeSelect(c.v);
        EXPECT_EQ(m.CurPt, c.state) << c.name;
        EXPECT_EQ(m.CurVal, c.v) << c.name;
    }
}

TEST(MessageText, StateCountKeepsListsInStep)
{
    TMsgTxt m;
    m.SetStateNum(6);
    for (int i = 0; i < 6; ++i) {
        m.Messages[i] = "M" + std::to_string(i);
        m.StateVal[i] = 10u * i;
    }
    m.SetStateNum(3);
    EXPECT_EQ(m.Messages, (std::vector<AnsiString>{"M0", "M1", "M2"}));
    EXPECT_EQ(m.StateVal, (std::vector<std::uint32_t>{0, 10, 20}));
    EXPECT_EQ(m.CurPt, 2);
    EXPECT_EQ(m.ShownMessage(), 2);
    m.SetStateNum(5);
    EXPECT_EQ(m.Messages, (std::vector<AnsiString>{"M0", "M1", "M2", "", ""}));
    EXPECT_EQ(m.StateVal, (std::vector<std::uint32_t>{0, 10, 20, 0, 0}));
    m.StateReverse = 1;
    m.SetMsgPt(0);
    EXPECT_EQ(m.ShownMessage(), 4);
    m.SetStateNum(0);
    EXPECT_EQ(m.ShownMessage(), -1);
    EXPECT_EQ(m.CurPt, -1);
}

TEST(MessageText, TooWideMessageLeavesThePictureUndrawnUntilItFits)
{
    TMsgTxt m;
    objtest::Place(m, 0, 0, 40, 20, 1, 2, 2);
    m.Picture.SetSize(40, 20);
    const std::string wide(200, 'W');
    m.Messages[1] = wide;
    m.BmpRePaint();
    EXPECT_EQ(m.Picture.Width(), 20); // left at panel resolution
    m.Picture.SetSize(40, 20);
    m.BmpRePaint();
    m.SetMsgPt(1);

    m.Picture.Canvas()->Font.Size = 9; // a font that keeps it too wide
    m.Picture.SetSize(40, 20);
    m.BmpRePaint();
    EXPECT_EQ(m.Picture.Width(), 20);

    m.Messages[1] = "OK";
    m.Picture.SetSize(40, 20);
    m.BmpRePaint();
    EXPECT_EQ(m.Picture.Width(), 40);
    EXPECT_EQ(std::string(TMsgTxt::kTooLongText), "Message Length > 250!!");
}

TEST(MessageText, ShowsTheCurrentMessage)
{
    TMsgTxt m;
    m.Picture.SetSize(30, 12);
    objtest::Place(m, 0, 0, 30, 12);
    m.Messages = {"Off", "On"};
    m.StateMode = 0;
    m.CurRangeSelect(1);
    EXPECT_TRUE(golden::Matches(m.Picture, "tmsgtxt_on"));
    m.StateReverse = 1;
    m.SetMsgPt(1);
    EXPECT_TRUE(golden::Matches(m.Picture, "tmsgtxt_reversed_off"));
}

TEST(MessageText, MessagesRenderedForTheRecord)
{
    TMsgTxt m;
    m.Picture.Canvas()->Font = Font12();
    m.Messages = {"Ab", ""};
    ASSERT_EQ(m.TxtHeight(0), 12);
    const int w = m.TxtWidth(0);
    ASSERT_GT(w, 0);
    EXPECT_EQ(m.MsgBmpSizeGet(0), 2 * w); // two bands, the second of 4 rows

    std::vector<std::uint8_t> bytes(m.MsgBmpSizeGet(0), 0xAA);
    m.MsgBmpDataGet(bytes, 0);
    TBitmap expected(w, 12);
    expected.Canvas()->Font = Font12();
    expected.Canvas()->TextOut(0, 0, "Ab");
    std::vector<std::uint8_t> want(bytes.size());
    TLxObj::BtnBmpDataGet(want, expected);
    EXPECT_EQ(bytes, want);
    for (int k = 0; k < w; ++k)
        EXPECT_EQ(bytes[w + k] & 0xF0, 0) << k;

    struct Case {
        int index;
    } outside[] = {{-1}, {2}, {1000}};
    for (const Case& c : outside) {
        EXPECT_EQ(m.TxtWidth(c.index), 0);
        EXPECT_EQ(m.MsgBmpSizeGet(c.index), 0);
        std::vector<std::uint8_t> untouched(4, 7);
        m.MsgBmpDataGet(untouched, c.index);
        EXPECT_EQ(untouched, std::vector<std::uint8_t>(4, 7));
    }
    EXPECT_EQ(m.MsgBmpSizeGet(1), 0); // an empty message has no columns
}

TEST(MessageText, MovingPreviewAndExtremes)
{
    TMsgTxt m;
    m.Picture.SetSize(20, 12);
    objtest::Place(m, 0, 0, 20, 12);
    m.Messages = {"Go", "Go"};
    m.MoveMode = 0x23; // running, left to right
    for (int i = 0; i < 25; ++i)
        m.CurRangeSelect(0);
    EXPECT_EQ(m.MoveOffset, 25 % 20);
    m.MoveMode = 0x10; // blinking: shown every other step
    m.CurRangeSelect(0);
    const bool shownFirst = m.MoveFlag != 0;
    m.CurRangeSelect(0);
    EXPECT_NE(m.MoveFlag != 0, shownFirst);

    for (std::uint8_t n : {0, 1, 255}) {
        TMsgTxt x;
        x.SetStateNum(n);
        x.StateMode = 0x1F;
        x.ValType = kes::FormatCode(kes::ValFormat::Signed);
        x.StateReverse = 9;
        x.MoveMode = 0x2F;
        x.CurPt = 100000;
        x.Picture.SetSize(0, 0);
        x.CurRangeSelect(0xFFFFFFFFu);
        x.BmpRePaint();
        EXPECT_EQ(x.Messages.size(), n);
    }
}
