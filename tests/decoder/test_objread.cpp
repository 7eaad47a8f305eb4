// The object record readers restore each kind from its stored layout: the header's box
// and font, the kinds' own rules (font name strings, state values, cut pictures, signed
// minimum), and they refuse a record whose contents run past its stored length.
#include "tests/decoder/morviktest.h"
#include "tests/decoder/recbuild.h"

#include "objects/tactbmp.h"
#include "objects/tcirmeter.h"
#include "objects/tgeom.h"
#include "objects/tlight.h"
#include "objects/tlxbtn.h"
#include "objects/tlxpage.h"
#include "objects/tlxval.h"
#include "objects/tmsgtxt.h"
#include "objects/trectmeter.h"
#include "objects/tstbmp.h"
#include "objects/tsttxt.h"

#include <functional>

namespace {

using kes::test::MorvikTest;
using kes::test::RecBuild;

class ObjRead : public MorvikTest {
protected:
    int Read(TLxObj& obj, const kes::Bytes& rec) { return f.DatatoObjInfo(&obj, rec.data(), 0); }
};

// A value display record (kind 2) with a given header style and size byte.
kes::Bytes ValueDisplay(std::uint8_t style, std::uint8_t size)
{
    return RecBuild(2).Head(48, 16, 71, 23, style, size).Ref(0x1000).Raw({0, 0, 5, 0, 1, 0, 0, 2}).Done();
}

TEST_F(ObjRead, HeaderBoxAndFont)
{
    TLxVal val;
    val.SetObjSize(2);
    ASSERT_EQ(Read(val, ValueDisplay(5, 9)), 31);
    EXPECT_EQ(val.Left, 96);
    EXPECT_EQ(val.Top, 32);
    EXPECT_EQ(val.Width, 48);
    EXPECT_EQ(val.Height, 16);
    EXPECT_EQ(val.Picture.Width(), 24);
    EXPECT_EQ(val.Picture.Height(), 8);
    const TFont& font = val.Picture.Canvas()->Font;
    EXPECT_EQ(font.Style, fsBold | fsUnderline);
    EXPECT_EQ(font.Size, 9);

    // Point sizes 6, 7, 8 and 10 choose the panel fonts; any other keeps the object's. A size
    // of 0, which the writer stores as 8, reads as 8.
    const struct {
        std::uint8_t stored;
        int panelFont;
        int size;
    } sizes[] = {{6, 0, 6}, {7, 1, 7}, {8, 2, 8}, {10, 3, 10}, {9, 1, 9}, {12, 1, 12}, {0, 2, 8}};
    for (const auto& [stored, panelFont, size] : sizes) {
        SCOPED_TRACE(stored);
        TLxVal v;
        v.FontSet(1);
        ASSERT_EQ(Read(v, ValueDisplay(0x1F, stored)), 31);
        EXPECT_EQ(v.fontsize, panelFont);
        EXPECT_EQ(v.Picture.Canvas()->Font.Size, size);
        EXPECT_EQ(v.Picture.Canvas()->Font.Style, 0x0F) << "only the four style bits";
    }
}

TEST_F(ObjRead, DataToLxObjReadsTheHeaderOnly)
{
    TLxVal val;
    const kes::Bytes rec = ValueDisplay(2, 8);
    EXPECT_EQ(f.DataToLxObj(&val, rec.data(), 0), 14);
    EXPECT_EQ(val.Width, 24);
    EXPECT_EQ(val.DevAddrCode, 4096) << "the body is not read";
}

TEST_F(ObjRead, StaticTextStringsAndFontName)
{
    struct Case {
        std::vector<std::string> strings;
        std::string font;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {{"Arial", "One", "Two"}, "Arial", {"One", "Two"}},
        {{"Arial"}, "Arial", {}},
        // A string equal to the font name is taken as the name again: no such line.
        {{"Arial", "Arial", "Two"}, "Arial", {"Two"}},
    };
    for (const Case& c : cases) {
        RecBuild r(1);
        std::size_t total = 0;
        for (const std::string& s : c.strings)
            total += s.size() + 1;
        r.Head(0, 0, 31, 15).U8(2).U8(1).U8(2).U8(1).U16(static_cast<std::uint16_t>(total));
        for (const std::string& s : c.strings)
            r.Text(s);
        r.U16(0);
        TStTxt txt;
        txt.Lines = {"old"};
        ASSERT_EQ(Read(txt, r.Done()), static_cast<int>(r.Size()));
        EXPECT_EQ(txt.Picture.Canvas()->Font.Name, c.font);
        EXPECT_EQ(txt.Lines, c.lines);
        EXPECT_EQ(txt.ObjFrame, 2);
        EXPECT_EQ(txt.TxtDir, 1);
        EXPECT_EQ(txt.TxtHPos, 2);
        EXPECT_EQ(txt.TxtVPos, 1);
    }
}

TEST_F(ObjRead, PageNumberConsumesTheHeaderOnly)
{
    TLxPage page;
    const kes::Bytes rec = RecBuild(11).Head(1, 1, 8, 8).Fill(16).Done();
    ASSERT_EQ(rec.size(), 30u);
    EXPECT_EQ(Read(page, rec), 14);
}

// A multi-state picture of n states at 2 x 8 dots, one band byte per column.
kes::Bytes MultiState(std::uint8_t mode, std::uint8_t states)
{
    RecBuild r(6);
    r.Head(0, 0, 1, 7).Ref(0x4000).U8(0).U8(mode).U8(states);
    for (std::uint8_t i = 0; i < states; ++i)
        r.U32(100u + i).U16(2).U16(8).U16(2).U8(0xFF).U8(0x00);
    return r.Done();
}

TEST_F(ObjRead, MultiStateValuesFollowTheMode)
{
    const std::pair<std::uint8_t, bool> modes[] = {{0x00, false}, {0x10, true}, {0x21, true}, {0x30, false}};
    for (const auto& [mode, keeps] : modes) {
        SCOPED_TRACE(mode);
        TActBmp act;
        const kes::Bytes rec = MultiState(mode, 3);
        ASSERT_EQ(Read(act, rec), static_cast<int>(rec.size()));
        ASSERT_EQ(act.BmpList.size(), 3u);
        const std::vector<std::uint32_t> expected =
            keeps ? std::vector<std::uint32_t>{100, 101, 102} : std::vector<std::uint32_t>{0, 0, 0};
        EXPECT_EQ(act.StateVal, expected);
        EXPECT_EQ(act.BmpList[2]->Width(), 2);
        EXPECT_EQ(act.BmpList[2]->Height(), 8);
        EXPECT_EQ(act.BmpList[2]->Canvas()->Pixel(0, 7), clBlack);
        EXPECT_EQ(act.BmpList[2]->Canvas()->Pixel(1, 0), clWhite);
        EXPECT_EQ(act.CurPt, 0);
    }
}

TEST_F(ObjRead, ButtonStatePictureIsCutToTheButton)
{
    // A 10 x 10 button of type 0 with one state: its picture stored 16 x 8.
    RecBuild r(13);
    r.Head(0, 0, 9, 9).Ref(0x200).Ref(0xFFFFFFFF).Ref(0xFFFFFFFF).U8(0).U8(1).U8(255).Fill(4);
    r.U8(1).U8(2).U8(2).U8(2).U8(2).U8(0).U8(2).Fill(7).U8(0);
    r.U16(16).U16(8).U16(16).Fill(16, 0xFF);
    r.U16(3).Text("On").U16(12).U16(8).U16(12).Fill(12);
    TLxBtn btn;
    const kes::Bytes rec = r.Done();
    ASSERT_EQ(Read(btn, rec), static_cast<int>(rec.size()));
    ASSERT_EQ(btn.TotalState, 1);
    ASSERT_EQ(btn.BmpList.size(), 1u);
    EXPECT_EQ(btn.BmpList[0]->Width(), 10);
    EXPECT_EQ(btn.BmpList[0]->Height(), 8);
    EXPECT_EQ(btn.TxtList, std::vector<std::string>{"On"});
    EXPECT_EQ(btn.BtnType, kes::BtnType::SetOn);
    EXPECT_EQ(btn.ValKind, 0);
    EXPECT_EQ(btn.UserLevel, 2);
    EXPECT_EQ(btn.ReadUsed, 0);
    EXPECT_EQ(btn.NotifyUsed, 0);
    EXPECT_EQ(btn.Surface, 1);
}

TEST_F(ObjRead, CircularMeterMinimumIsSigned)
{
    TCirMeter meter;
    const kes::Bytes rec = RecBuild(9)
                               .Head(0, 0, 49, 49)
                               .Ref(0x1000)
                               .U8(1)
                               .Raw({0xFF, 0xF6, 0xFF, 0xF6})
                               .Raw({4, 3, 7, 3, 1})
                               .U16(0)
                               .Done();
    ASSERT_EQ(Read(meter, rec), 35);
    EXPECT_EQ(static_cast<std::int32_t>(meter.MeterMin), -10);
    EXPECT_EQ(meter.MeterMax, 65526u);
    EXPECT_EQ(meter.FullCircle, 1) << "any non-zero byte is a full circle";
    EXPECT_EQ(meter.MajorTicks, 4);
    EXPECT_EQ(meter.LabelDecimals, 1);
}

// Records whose contents claim more than they hold, or counts out of reason; each names
// the result the reader gives.
TEST_F(ObjRead, MalformedRecordsAreRefused)
{
    struct Case {
        const char* name;
        std::function<std::unique_ptr<TLxObj>()> make;
        kes::Bytes rec;
        int expected;
    };
    auto stTxt = [] { return std::make_unique<TStTxt>(); };
    const Case cases[] = {
        {"header cut off", stTxt, RecBuild(1).Fill(6).Done(), kes::kDecTruncated},
        {"box wider than any panel", stTxt, RecBuild(1).Head(0, 0, 2000, 10).Raw({0, 3, 0, 0}).U16(0).Done(),
         kes::kDecBadContent},
        {"box from the far left", stTxt, RecBuild(1).Head(0x8000, 0, 0x7FFF, 10).Raw({0, 3, 0, 0}).U16(0).Done(),
         kes::kDecBadContent},
        {"text run past the record", stTxt, RecBuild(1).Head(0, 0, 9, 9).Raw({0, 3, 0, 0}).U16(40).Text("A").Done(),
         kes::kDecTruncated},
        {"string without its end", stTxt,
         RecBuild(1).Head(0, 0, 9, 9).Raw({0, 3, 0, 0}).U16(3).Raw({'A', 'B', 'C'}).Done(), kes::kDecTruncated},
        {"picture count past the record", [] { return std::make_unique<TStBmp>(); },
         RecBuild(5).Head(0, 0, 7, 7).U16(200).Fill(8).Done(), kes::kDecTruncated},
        {"picture smaller than its box", [] { return std::make_unique<TStBmp>(); },
         RecBuild(5).Head(0, 0, 7, 15).U16(8).Fill(8).Done(), kes::kDecTruncated},
        {"fewer state blocks than states", [] { return std::make_unique<TActBmp>(); },
         RecBuild(6).Head(0, 0, 1, 7).Ref(1).U8(0).U8(0x10).U8(3).U32(0).U16(2).U16(8).U16(2).U16(0).Done(),
         kes::kDecTruncated},
        {"state picture bigger than its bytes", [] { return std::make_unique<TActBmp>(); },
         RecBuild(6).Head(0, 0, 1, 7).Ref(1).U8(0).U8(0).U8(1).U32(0).U16(200).U16(200).U16(2).U16(0).Done(),
         kes::kDecTruncated},
        {"message text past the record", [] { return std::make_unique<TMsgTxt>(); },
         RecBuild(12)
             .Head(0, 0, 19, 9)
             .Ref(1)
             .Raw({0, 0, 1, 0, 0})
             .U16(6)
             .Text("Arial")
             .U32(0)
             .U16(90)
             .Text("x")
             .Done(),
         kes::kDecTruncated},
        {"lamp font name past the record", [] { return std::make_unique<TLight>(); },
         RecBuild(18).Head(0, 0, 19, 9).Ref(1).Raw({0, 0, 1, 0, 0, 0, 0, 0}).U16(300).Text("Arial").Done(),
         kes::kDecTruncated},
        {"button text past the record", [] { return std::make_unique<TLxBtn>(); },
         RecBuild(13)
             .Head(0, 0, 9, 9)
             .Ref(1)
             .Ref(0xFFFFFFFF)
             .Ref(0xFFFFFFFF)
             .Raw({0, 1, 255, 0, 0, 0, 0, 1, 2, 2, 2, 2, 0, 0})
             .Fill(7)
             .U8(0)
             .U16(0)
             .U16(0)
             .U16(0)
             .U16(50)
             .Text("On")
             .Done(),
         kes::kDecTruncated},
        {"button input tail cut off", [] { return std::make_unique<TLxBtn>(); },
         RecBuild(13)
             .Head(0, 0, 9, 9)
             .Ref(1)
             .Ref(1)
             .Ref(1)
             .Raw({0, 1, 255, 0, 0, 0, 0, 1, 2, 2, 2, 2, 0, 0})
             .Fill(7)
             .U8(7)
             .Fill(5)
             .Done(),
         kes::kDecTruncated},
        {"geometry with 101 points", [] { return std::make_unique<TGeom>(); },
         RecBuild(17).Head(0, 0, 9, 9).Raw({1, 0, 1, 0, 1, 101}).Fill(404).U16(10).U16(10).U16(0).Done(),
         kes::kDecBadContent},
        {"geometry points past the record", [] { return std::make_unique<TGeom>(); },
         RecBuild(17).Head(0, 0, 9, 9).Raw({11, 0, 1, 0, 1, 50}).Fill(20).Done(), kes::kDecTruncated},
        {"geometry picture past the record", [] { return std::make_unique<TGeom>(); },
         RecBuild(17).Head(0, 0, 9, 9).Raw({2, 0, 1, 0, 1, 0}).U16(10).U16(10).U16(20).Fill(4).Done(),
         kes::kDecTruncated},
        {"rectangular meter has no record", [] { return std::make_unique<TRectMeter>(); },
         RecBuild(10).Head(0, 0, 9, 9).Done(), kes::kDecUnknownKind},
        {"no kind at all", [] { return std::make_unique<TLxObj>(); }, RecBuild(0).Head(0, 0, 9, 9).Done(),
         kes::kDecUnknownKind},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::unique_ptr<TLxObj> obj = c.make();
        EXPECT_EQ(Read(*obj, c.rec), c.expected);
    }
}

} // namespace
