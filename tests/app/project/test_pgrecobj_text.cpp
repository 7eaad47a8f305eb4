// Stored records of the static text, value display, static picture, message text, clock,
// unit and value entry: every field at its offset, texts with their NUL, counts that
// include it, pictures as a byte count and band bytes, the same in both output modes.
#include "objects/tgeom.h"
#include "objects/tlxgetval.h"
#include "objects/tlxval.h"
#include "objects/tmetrol.h"
#include "objects/tmsgtxt.h"
#include "objects/trtc.h"
#include "objects/tstbmp.h"
#include "objects/tsttxt.h"
#include "objects/valformat.h"
#include "pgrecobjtest.h"

#include <functional>
#include <memory>

namespace kes {
namespace {

using test::Body;
using test::kRef;
using test::ObjCase;
using test::ObjRecord;
using test::Placed;
using test::SetRef;

std::unique_ptr<TLxObj> StaticText(std::vector<AnsiString> lines, const char* face)
{
    auto t = Placed<TStTxt>();
    t->ObjFrame = 1;
    t->TxtDir = 2;
    t->TxtHPos = 1;
    t->TxtVPos = 2;
    t->Lines = std::move(lines);
    t->Picture.Canvas()->Font.Name = face;
    test::SmallPicture(t->Picture);
    return t;
}

std::unique_ptr<TLxObj> Message(std::uint8_t stateMode)
{
    auto m = Placed<TMsgTxt>();
    SetRef(*m);
    m->ExtraByte = 0x5A;
    m->StateMode = stateMode;
    m->ValType = kes::FormatCode(kes::ValFormat::Signed);
    m->StateReverse = 1;
    m->MoveMode = 0x12;
    m->MoveInterval = 3;
    m->SetStateNum(2);
    m->Messages = {"Hi", ""};
    m->StateVal = {5, 0x10000};
    return m;
}

Bytes MessageBody(TLxObj& obj, const char* modeByte, std::uint32_t v0, std::uint32_t v1)
{
    auto& m = dynamic_cast<TMsgTxt&>(obj);
    Body b;
    b << kRef << "11" << modeByte << "02 12 03 00 05";
    b.Text("Face");
    const std::uint32_t values[] = {v0, v1};
    for (int i = 0; i < 2; ++i) {
        Bytes v;
        AppendU32be(v, values[i]);
        b << v;
        b.U16(m.Messages[i].size() + 1).Text(m.Messages[i]);
        const int w = m.TxtWidth(i);
        const int h = m.TxtHeight(i);
        const int n = w * ((h + 7) / 8);
        b.U16(w).U16(h).U16(n) << test::Packed(n, [&](std::span<std::uint8_t> d) { m.MsgBmpDataGet(d, i); });
    }
    return b.bytes;
}

const ObjCase kCases[] = {
    {"StaticText",
     [] {
         return StaticText({"AB", ""}, "Face");
     },
     [](TLxObj&) {
         Body b;
         b << "01 02 01 02 00 09";
         b.Text("Face").Text("AB").Text("");
         return (b << test::kSmallPictureBlock).bytes;
     }},
    {"StaticTextWithoutLines", [] { return StaticText({}, "Face"); },
     [](TLxObj&) { return ((Body() << "01 02 01 02 00 05").Text("Face") << test::kSmallPictureBlock).bytes; }},
    {"StaticTextInAMissingFont", [] { return StaticText({"X"}, "Missing Face"); },
     [](TLxObj& obj) {
         // Drawn again in the font its record names, as the object read back draws it.
         EXPECT_EQ(obj.Picture.Canvas()->Font.Name, "Main Face");
         Bytes drawn(static_cast<std::size_t>(obj.BmpSizeGet()));
         obj.BmpDataGet(drawn);
         EXPECT_NE(drawn, test::Hex("00 00 00 00 01 00")) << "not the picture drawn in the missing face";
         Body b;
         b << "01 02 01 02 00 0C";
         b.Text("Main Face").Text("X");
         return (b.U16(drawn.size()) << drawn).bytes;
     }},
    {"ValueDisplay",
     [] {
         auto v = Placed<TLxVal>();
         SetRef(*v);
         v->ExtraByte = 0x5A;
         v->ValType = kes::FormatCode(kes::ValFormat::Signed);
         v->ValLen = 1;
         v->IntNum = 4;
         v->DecNum = 2;
         v->ObjFrame = 3;
         v->HZero = 2;
         v->HPos = 1;
         v->VPos = 0;
         return v;
     },
     [](TLxObj&) { return (Body() << kRef << "01 01 04 02 03 02 01 00").bytes; }},
    {"StaticPicture",
     [] {
         auto s = Placed<TStBmp>();
         test::SmallPicture(s->Picture);
         return s;
     },
     [](TLxObj&) { return (Body() << test::kSmallPictureBlock).bytes; }},
    {"MessageByValue", [] { return Message(0x11); }, [](TLxObj& obj) { return MessageBody(obj, "11", 5, 0x10000); }},
    {"MessageByBitStoresNoValues", [] { return Message(0x00); },
     [](TLxObj& obj) { return MessageBody(obj, "00", 0, 0); }},
    {"Clock",
     [] {
         auto r = Placed<TRtc>();
         SetRef(*r);
         r->ExtraByte = 0x5A;
         r->RtcFormat = 3;
         r->ObjFrame = 1;
         r->RtcAlign = 2;
         r->RtcOpt1 = 7;
         return r;
     },
     [](TLxObj&) { return (Body() << kRef << "03 01 02 07").bytes; }},
    {"Unit",
     [] {
         auto m = Placed<TMetrol>();
         m->MetrolType = 0x103; // low byte stored
         m->MetrolIndex = 2;
         test::SmallPicture(m->Picture);
         return m;
     },
     [](TLxObj&) { return (Body() << "03 02" << test::kSmallPictureBlock).bytes; }},
    {"ValueEntry",
     [] {
         auto g = Placed<TLxGetVal>();
         SetRef(g->WriteDev);
         g->WriteDev.RefDetail = 0x5A;
         g->ReadDev.DevAddrCode = 0x11;
         g->ReadDev.RefDetail = 0x22;
         g->NotifyDev.DevAddrCode = -1;
         g->NotifyDev.RefStation = 3;
         g->NotifyState = 1;
         g->NotifyOrder = 1;
         g->ShowFlags = 2;
         g->UserLevel = 0x104;
         g->ObjFrame = 2;
         g->HPos = 1;
         g->VPos = 0;
         g->ValType = kes::FormatCode(kes::ValFormat::Bcd);
         g->ValLen = 1;
         g->IntNum = 6;
         g->DecNum = 1;
         g->ValMax = 0x12345678; // all 32 bits
         g->ValMin = -5;
         return g; // no function key: 255 at 43
     },
     [](TLxObj&) {
         return (Body() << kRef << "00 00 00 11 01 01 00 22 00"
                        << "FF FF FF FF 01 03 00 00 00"
                        << "11 02 FF 04 00 00 00 02 01 00 03 01 06 01 12 34 56 78 FF FF FF FB")
             .bytes;
     }},
};

TEST_P(ObjRecord, StoresItsLayout) { test::ExpectRecord(GetParam()); }

INSTANTIATE_TEST_SUITE_P(TextKinds, ObjRecord, ::testing::ValuesIn(kCases), test::CaseName);

// Whether its kind's writer or the object itself writes the record, one too long to store is
// left out and told of, and the records around it keep their places.
TEST(ObjRecord, ARecordPastItsLengthFieldIsLeftOut)
{
    const std::pair<int, std::function<std::unique_ptr<TLxObj>()>> bigs[] = {
        {5, [] { return std::unique_ptr<TLxObj>(Placed<TStBmp>()); }},
        {17, [] { return std::unique_ptr<TLxObj>(Placed<TGeom>()); }},
    };
    for (const auto& [kind, make] : bigs) {
        SCOPED_TRACE(kind);
        PageData page;
        std::unique_ptr<TLxObj> big = make();
        big->Picture.SetSize(600, 1000); // 75000 band bytes
        page.AppendObj(std::move(big));
        page.AppendObj(Placed<TLxVal>());
        RecEncodeEnv env = test::ObjEnv();
        int tooLong = 0;
        env.OnTooLong = [&, kind = kind](const TLxObj& obj) {
            EXPECT_EQ(obj.ObjType, kind);
            ++tooLong;
        };
        for (int mode : {kEncFile, kEncMemory}) {
            Bytes buf;
            EXPECT_EQ(PgDataChx(page, buf, 0, mode, &page.SelList, env), 0);
            EXPECT_EQ(PgDataChx(page, buf, 0, mode, &page.ObjList, env), 31);
            EXPECT_EQ(test::Tags(buf), (std::vector<std::pair<int, int>>{{2, 31}}));
        }
        EXPECT_EQ(tooLong, 2);
    }
}

} // namespace
} // namespace kes
