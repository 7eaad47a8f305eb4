// Static text lays its lines out by direction and alignment inside its frame, in any
// desktop font, at panel resolution; a line shows at most 99 bytes and a double-byte
// character is never split, not even by that cut. The setters only store.
#include "golden.h"
#include "objects/lxtextkit.h"
#include "objects/tsttxt.h"
#include "objtest.h"
#include "platform/codepage.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

struct Put {
    int x;
    int y;
    std::string text;
};

// What the text area should hold: each text written at its place, nothing erased.
TBitmap Reference(int w, int h, const TFont& font, const std::vector<Put>& puts)
{
    TBitmap bmp(w, h);
    TCanvas& c = *bmp.Canvas();
    c.Font = font;
    c.Brush.Style = bsClear;
    for (const Put& p : puts)
        c.TextOut(p.x, p.y, p.text);
    return bmp;
}

std::unique_ptr<TStTxt> MakeText(int w, int h, std::uint8_t frame, std::vector<std::string> lines)
{
    auto t = std::make_unique<TStTxt>();
    t->Picture.SetSize(w, h);
    objtest::Place(*t, 0, 0, w, h);
    t->ObjFrame = frame;
    t->Lines = std::move(lines);
    return t;
}

} // namespace

TEST(StaticText, NewObjectAndStoringSetters)
{
    TStTxt t;
    EXPECT_EQ(t.ObjType, 1);
    EXPECT_EQ(t.Picture.Width(), 32);
    EXPECT_EQ(t.Picture.Height(), 16);
    EXPECT_EQ(t.ObjFrame, 1);
    EXPECT_TRUE(t.SizeSetsPicture);
    EXPECT_EQ(t.TxtDir, 3);
    EXPECT_EQ(t.TxtHPos, 0);
    EXPECT_EQ(t.TxtVPos, 0);
    EXPECT_TRUE(t.Lines.empty());
    EXPECT_TRUE(golden::Matches(t.Picture, "tsttxt_new"));

    // Direction and alignment setters leave the picture as it is.
    t.Lines = {"AB"};
    const std::string before = kes::PictureToText(t.Picture);
    t.SetDirect(0);
    t.SetHPos(2);
    t.SetVPos(1);
    EXPECT_EQ(t.TxtDir, 0);
    EXPECT_EQ(t.TxtHPos, 2);
    EXPECT_EQ(t.TxtVPos, 1);
    EXPECT_EQ(kes::PictureToText(t.Picture), before);

    // The font takes no panel font.
    t.FontSet(2);
    EXPECT_EQ(t.fontsize, 0);

    std::vector<AnsiString> got{"old"};
    TFont f;
    f.Name = "Courier New";
    f.Size = 9;
    t.SetStatic_Txt({"one", "two"}, f);
    EXPECT_EQ(t.GetStatic_Txt(got), f);
    EXPECT_EQ(got, (std::vector<AnsiString>{"one", "two"}));
}

TEST(StaticText, LayoutByDirectionAndAlignment)
{
    const int w = 60;
    const int h = 40;
    auto probep = MakeText(w, h, 0, {});
    TStTxt& probe = *probep;
    const TCanvas& pc = *probe.Picture.Canvas();
    const int lh = pc.TextHeight("\xB1\x69");
    const int cw = pc.TextWidth("\xB1\x69");
    const int abW = pc.TextWidth("AB");
    ASSERT_GT(lh, 0);
    ASSERT_LT(2 * lh, h);

    struct Case {
        const char* name;
        std::uint8_t dir, hpos, vpos;
        std::vector<Put> expected;
    } cases[] = {
        {"horizontal, top left", 3, 0, 0, {{0, 0, "AB"}, {0, lh, "CD"}}},
        {"horizontal, centred both ways",
         3,
         2,
         2,
         {{(w - abW) / 2, (h - 2 * lh) / 2, "AB"}, {(w - pc.TextWidth("CD")) / 2, (h - 2 * lh) / 2 + lh, "CD"}}},
        {"horizontal, bottom right", 3, 1, 1, {{w - abW, h - 2 * lh, "AB"}, {w - pc.TextWidth("CD"), h - lh, "CD"}}},
        {"reversed characters", 2, 0, 0, {{0, 0, "BA"}, {0, lh, "DC"}}},
        {"vertical down, left top", 1, 0, 0, {{0, 0, "A"}, {0, lh, "B"}, {cw, 0, "C"}, {cw, lh, "D"}}},
        {"vertical down, right bottom",
         1,
         1,
         1,
         {{w - 2 * cw, h - 2 * lh, "A"}, {w - 2 * cw, h - lh, "B"}, {w - cw, h - 2 * lh, "C"}, {w - cw, h - lh, "D"}}},
        {"vertical up, bottom: first character lowest",
         0,
         0,
         1,
         {{0, h - lh, "A"}, {0, h - 2 * lh, "B"}, {cw, h - lh, "C"}, {cw, h - 2 * lh, "D"}}},
        {"vertical up, top", 0, 0, 0, {{0, lh, "A"}, {0, 0, "B"}, {cw, lh, "C"}, {cw, 0, "D"}}},
        {"vertical up, centred",
         0,
         2,
         2,
         {{(w - 2 * cw) / 2, h + (h - 2 * lh) / 2 * -1 - lh, "A"},
          {(w - 2 * cw) / 2, h - (h - 2 * lh) / 2 - 2 * lh, "B"},
          {(w - 2 * cw) / 2 + cw, h - (h - 2 * lh) / 2 - lh, "C"},
          {(w - 2 * cw) / 2 + cw, h - (h - 2 * lh) / 2 - 2 * lh, "D"}}},
    };
    for (const Case& c : cases) {
        auto tp = MakeText(w, h, 0, {"AB", "CD"});
        TStTxt& t = *tp;
        t.SetDirect(c.dir);
        t.SetHPos(c.hpos);
        t.SetVPos(c.vpos);
        t.BmpRePaint();
        EXPECT_EQ(kes::PictureToText(t.Picture),
                  kes::PictureToText(Reference(w, h, t.Picture.Canvas()->Font, c.expected)))
            << c.name;
    }
}

TEST(StaticText, CentredLinesTallerThanTheAreaStartAboveIt)
{
    // Two 12-pixel lines centred in a 16-pixel area start at y = -4.
    auto tp = MakeText(40, 16, 0, {"Ag", "Ag"});
    TStTxt& t = *tp;
    // A font whose lines are 12 pixels high.
    TFont f;
    f.Name = "MingLiU";
    f.Size = 7;
    t.Picture.Canvas()->Font = f;
    const int lh = t.Picture.Canvas()->TextHeight("\xB1\x69");
    ASSERT_EQ(lh, 12);
    t.TxtVPos = 2;
    t.BmpRePaint();
    EXPECT_EQ(kes::PictureToText(t.Picture), kes::PictureToText(Reference(40, 16, f, {{0, -4, "Ag"}, {0, 8, "Ag"}})));
}

TEST(StaticText, TextAreaInsideTheFrame)
{
    struct Case {
        const char* name;
        std::uint8_t frame;
        int w, h, offset;
    } cases[] = {
        {"single frame", 1, 30, 16, 1},
        {"dashed frame", 4, 30, 16, 1},
        {"thin frame on 3 rows: whole picture", 1, 30, 3, 0},
        {"double frame", 2, 30, 16, 3},
        {"double frame 8 high: whole picture", 2, 30, 8, 0},
        {"thick frame", 3, 30, 16, 2},
        {"thick frame 6 wide: whole picture", 3, 6, 16, 0},
        {"no frame", 0, 30, 16, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(kes::FrameTextOffset(c.frame, c.w, c.h, 3), c.offset) << c.name;
        // The first character sits at the area's corner, the frame drawn over it.
        auto tp = MakeText(c.w, c.h, c.frame, {"H"});
        TStTxt& t = *tp;
        t.BmpRePaint();
        TBitmap expected(c.w, c.h);
        TBitmap area = Reference(c.w - 2 * c.offset, c.h - 2 * c.offset, t.Picture.Canvas()->Font, {{0, 0, "H"}});
        BitBlt(*expected.Canvas(), c.offset, c.offset, area.Width(), area.Height(), *area.Canvas(), 0, 0, SRCCOPY);
        auto framedp = MakeText(c.w, c.h, c.frame, {});
        TStTxt& framed = *framedp;
        framed.Picture = expected;
        framed.ObjFramePaint();
        EXPECT_EQ(kes::PictureToText(t.Picture), kes::PictureToText(framed.Picture)) << c.name;
    }
}

TEST(StaticText, LinesCutAt99BytesWithoutSplittingACharacter)
{
    struct Case {
        const char* name;
        int codePage;
        std::string text;
        std::size_t max;
        std::vector<std::string> chars;
    } cases[] = {
        {"single-byte: one byte each", 1252, "A\xB1\x69", 99, {"A", "\xB1", "\x69"}},
        {"a lead byte takes its trail byte",
         950,
         "A\xB1\x69"
         "B",
         99,
         {"A", "\xB1\x69", "B"}},
        {"trail bytes in the lead range", 950, "\xA4\xA4\xA4\xE5", 99, {"\xA4\xA4", "\xA4\xE5"}},
        {"a cut after a lead byte drops it", 950, "AB\xA4\xA4\xA4\xE5", 5, {"A", "B", "\xA4\xA4"}},
        {"a lone lead byte at the end is dropped", 936, "x\xD5", 99, {"x"}},
    };
    for (const Case& c : cases) {
        kes::ScopedCodePage cp(c.codePage);
        EXPECT_EQ(kes::SplitAnsiChars(c.text, c.max), c.chars) << c.name;
    }

    // A 150-byte line shows the same as its first 99 bytes.
    auto drawn = [](const std::string& line) {
        auto tp = MakeText(900, 16, 0, {line});
        TStTxt& t = *tp;
        t.BmpRePaint();
        return kes::PictureToText(t.Picture);
    };
    std::string digits;
    for (int i = 0; i < 150; ++i)
        digits += static_cast<char>('0' + i % 10);
    EXPECT_EQ(drawn(digits), drawn(digits.substr(0, 99)));
    EXPECT_NE(drawn(digits), drawn(digits.substr(0, 98)));
}

TEST(StaticText, ChineseTextUnderCodePage950)
{
    kes::ScopedCodePage cp(950);
    TFont f;
    f.Name = "MingLiU";
    f.Size = 9;
    // "中文測試" in code page 950.
    const std::string chinese = "\xA4\xA4\xA4\xE5\xB4\xFA\xB8\xD5";
    auto horizontalp = MakeText(56, 16, 1, {});
    TStTxt& horizontal = *horizontalp;
    horizontal.SetStatic_Txt({chinese}, f);
    EXPECT_TRUE(golden::Matches(horizontal.Picture, "tsttxt_cjk950_horizontal"));

    auto verticalp = MakeText(16, 52, 1, {});
    TStTxt& vertical = *verticalp;
    vertical.TxtDir = 1;
    vertical.SetStatic_Txt({chinese}, f);
    EXPECT_TRUE(golden::Matches(vertical.Picture, "tsttxt_cjk950_vertical"));

    // Cut at 99 bytes: "AB" and 48 characters stay, the 49th's lead byte is dropped.
    std::string line = "AB";
    for (int i = 0; i < 60; ++i)
        line += "\xA4\xA4";
    auto cutp = MakeText(900, 16, 0, {line});
    TStTxt& cut = *cutp;
    cut.Picture.Canvas()->Font = f;
    cut.BmpRePaint();
    auto keptp = MakeText(900, 16, 0, {line.substr(0, 98)});
    TStTxt& kept = *keptp;
    kept.Picture.Canvas()->Font = f;
    kept.BmpRePaint();
    EXPECT_EQ(kes::PictureToText(cut.Picture), kes::PictureToText(kept.Picture));
}

TEST(StaticText, NonDefaultLookAtGrid2)
{
    TStTxt t;
    objtest::Place(t, 0, 0, 64, 20, 1, 2, 1);
    t.Picture.SetSize(64, 20);
    t.ObjFrame = 2;
    t.TxtHPos = 2;
    t.TxtVPos = 2;
    TFont f;
    f.Size = 7;
    t.SetStatic_Txt({"Hi", "Go"}, f);
    EXPECT_EQ(t.Picture.Width(), 64);
    EXPECT_TRUE(golden::Matches(t.Picture, "tsttxt_double_centred_grid2x1"));
}

TEST(StaticText, ExtremeValuesDoNotCrash)
{
    for (std::uint8_t dir : {0, 1, 2, 3, 200})
        for (std::uint8_t frame : {0, 1, 2, 3, 255})
            for (auto [w, h] : {std::pair{0, 0}, std::pair{1, 1}, std::pair{1, 300}, std::pair{3, 3}}) {
                auto tp = MakeText(w, h, frame, {"", std::string(300, 'W'), "\xFF"});
                TStTxt& t = *tp;
                t.TxtDir = dir;
                t.TxtHPos = 9;
                t.TxtVPos = 9;
                t.GridWidth = 3;
                t.GridHeight = 0;
                t.BmpRePaint();
                std::vector<std::uint8_t> page(16 * 2);
                t.PaintData(16, 16, page);
            }
}
