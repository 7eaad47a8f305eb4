// Stored pages read back unchanged: for every object kind that has a record and for every
// setting record (at their largest counts), page -> records -> page -> records gives the
// same bytes, in both encoder modes.
#include "tests/app/project/pgrectest.h"
#include "tests/app/project/test_pgread_env.h"

#include "app/project/pgdataenc.h"
#include "objects/tactbmp.h"
#include "objects/tcirmeter.h"
#include "objects/tgeom.h"
#include "objects/tlight.h"
#include "objects/tlxadvdevbmp.h"
#include "objects/tlxbtn.h"
#include "objects/tlxcurve.h"
#include "objects/tlxgetval.h"
#include "objects/tlxval.h"
#include "objects/tmetrol.h"
#include "objects/tmsgtxt.h"
#include "objects/tprogbar.h"
#include "objects/trtc.h"
#include "objects/tscale.h"
#include "objects/tstbmp.h"
#include "objects/tsttxt.h"
#include "objects/tvrgbmp.h"
#include "objects/valformat.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace {

using kes::test::ToHex;

// The first record (by its framing) in which two streams differ, as text; empty when they
// are the same.
std::string FirstDifference(const kes::Bytes& a, const kes::Bytes& b)
{
    std::size_t pos = 0;
    while (pos < a.size() || pos < b.size()) {
        const std::size_t la = pos + 4 <= a.size() ? *kes::GetU16be(a, pos + 2) : a.size() - std::min(pos, a.size());
        const std::size_t lb = pos + 4 <= b.size() ? *kes::GetU16be(b, pos + 2) : b.size() - std::min(pos, b.size());
        const kes::ByteSpan ra =
            kes::ByteSpan(a).subspan(std::min(pos, a.size()), std::min(la, a.size() - std::min(pos, a.size())));
        const kes::ByteSpan rb =
            kes::ByteSpan(b).subspan(std::min(pos, b.size()), std::min(lb, b.size() - std::min(pos, b.size())));
        if (!std::equal(ra.begin(), ra.end(), rb.begin(), rb.end()))
            return "record at " + std::to_string(pos) + ":\n  " + ToHex(ra) + "\n  " + ToHex(rb);
        if (la == 0)
            break;
        pos += la;
    }
    return {};
}

// A picture of w x h with a diagonal and a filled corner, so band data is not uniform.
void Pattern(TBitmap& bmp, int w, int h)
{
    bmp.SetSize(w, h);
    for (int i = 0; i < std::min(w, h); ++i)
        bmp.Canvas()->SetPixel(i, i, clBlack);
    bmp.Canvas()->SetPixel(w - 1, 0, clBlack);
}

// Sets a kind's fields away from their defaults.
using Setup = std::function<void(TLxObj&)>;

struct KindCase {
    std::int16_t kind;
    Setup setup;
};

const std::vector<KindCase>& KindCases()
{
    static const std::vector<KindCase> cases = {
        {1,
         [](TLxObj& o) {
             auto& t = dynamic_cast<TStTxt&>(o);
             t.SetStatic_Txt({"AB", "Line two"}, t.Picture.Canvas()->Font);
             t.SetDirect(2);
             t.SetHPos(1);
             t.SetVPos(2);
             t.SetObjFrame(2);
         }},
        {2,
         [](TLxObj& o) {
             auto& v = dynamic_cast<TLxVal&>(o);
             v.ValType = kes::FormatCode(kes::ValFormat::Signed);
             v.ValLen = 1;
             v.IntNum = 4;
             v.DecNum = 2;
             v.HZero = 2;
             v.HPos = 1;
             v.VPos = 0;
             v.ExtraByte = 7;
             v.RefBitNo = 3;
             v.RefStation = 4;
         }},
        {3,
         [](TLxObj& o) {
             auto& b = dynamic_cast<TLxDevBmp&>(o);
             b.SetOnBmp(5);
             b.SetOffBmp(255);
         }},
        {4,
         [](TLxObj& o) {
             auto& v = dynamic_cast<TVrgBmp&>(o);
             v.StateBound = {0, 10, 20, 0xFFFF, 70000};
             v.StatePic = {1, 2, 3, 4, 255};
             v.RangeOrder = 1;
             v.ValType = kes::FormatCode(kes::ValFormat::Signed);
             v.ValLen = 1;
         }},
        {5, [](TLxObj& o) { Pattern(o.Picture, 16, 12); }},
        {5, [](TLxObj& o) { Pattern(o.Picture, o.Picture.Width(), o.Picture.Height()); }},
        {6,
         [](TLxObj& o) {
             auto& a = dynamic_cast<TActBmp&>(o);
             a.StateMode = 0x10;
             a.StateReverse = 1;
             a.SetStateNum(3);
             a.StateVal = {5, 6, 70000};
             Pattern(*a.BmpList[0], 8, 8);
             Pattern(*a.BmpList[1], 12, 10);
             Pattern(*a.BmpList[2], 4, 17);
             a.SetBmpPt(0);
         }},
        {7,
         [](TLxObj& o) {
             auto& s = dynamic_cast<TScale&>(o);
             s.ScaleDir = 0x12;
             s.MainDiv = 4;
             s.SubDiv = 1;
             s.ScaleMax = 100000;
             s.ScaleMin = -50;
             s.ValLen = 1;
         }},
        {8,
         [](TLxObj& o) {
             auto& p = dynamic_cast<TProgBar&>(o);
             p.BarMax = 70000;
             p.BarMin = -5;
             p.SetBarDir(3);
             p.ValType = kes::FormatCode(kes::ValFormat::Hex);
         }},
        {9,
         [](TLxObj& o) {
             auto& m = dynamic_cast<TCirMeter&>(o);
             m.MeterMax = 500;
             m.MeterMin = static_cast<std::uint32_t>(-10);
             m.FullCircle = 1;
             m.MajorTicks = 5;
             m.LabelDecimals = 1;
         }},
        {12,
         [](TLxObj& o) {
             auto& m = dynamic_cast<TMsgTxt&>(o);
             m.StateMode = 0x10;
             m.MoveMode = 0x12;
             m.MoveInterval = 3;
             m.SetStateNum(3);
             m.Messages = {"Idle", "Run", "Stop"};
             m.StateVal = {0, 100, 200};
         }},
        {13,
         [](TLxObj& o) {
             auto& b = dynamic_cast<TLxBtn&>(o);
             b.BtnType = kes::BtnType::InputValue;
             b.ValKind = 0x10;
             b.ValType = kes::FormatCode(kes::ValFormat::Signed);
             b.ValLen = 1;
             b.IntNum = 4;
             b.DecNum = 1;
             b.ParamA = 9999;
             b.ParamB = -10;
             b.ReadDev.DevAddrCode = 0x4010;
             b.ReadUsed = 1;
             b.RefKey = 4;
             b.UserLevel = 3;
             b.NotifyState = 1;
             b.SetSurface(2);
             b.SetStateNum(2);
             b.TxtList = {"On", "Off"};
             Pattern(*b.BmpList[0], 6, 6);
         }},
        {14,
         [](TLxObj& o) {
             auto& c = dynamic_cast<TLxCurve&>(o);
             c.CurvePoints = 50;
             c.ClearFlag = 2;
             c.TrigFlag = 3;
             c.CurveMin = 10;
             c.CurveMax = 60000;
         }},
        {15,
         [](TLxObj& o) {
             auto& c = dynamic_cast<TLxXyCurve&>(o);
             c.XMin = 5;
             c.XMax = 900;
             c.CurvePoints = 7;
         }},
        {16,
         [](TLxObj& o) {
             auto& r = dynamic_cast<TRtc&>(o);
             r.RtcFormat = 0x12;
             r.RtcAlign = 2;
             r.SetObjFrame(1);
         }},
        {17,
         [](TLxObj& o) {
             auto& g = dynamic_cast<TGeom&>(o);
             g.ObjGeomSet(GeomRect, {}, 10, 10, 40, 30);
         }},
        {18,
         [](TLxObj& o) {
             auto& l = dynamic_cast<TLight&>(o);
             l.StateMode = 0x20;
             l.SetStateNum(2);
             l.StateVal = {3, 9};
             l.TxtList = {"Low", "High"};
             Pattern(*l.BmpList[0], 5, 9);
             l.SetTxtHPos(2);
             l.SetBmpVPos(1);
             l.LampOpt = 1;
         }},
        {19,
         [](TLxObj& o) {
             auto& m = dynamic_cast<TMetrol&>(o);
             m.MetrolTypeSet(6);
             m.MetrolIndexSet(1);
         }},
        {20,
         [](TLxObj& o) {
             auto& e = dynamic_cast<TLxGetVal&>(o);
             e.RefKey = 5;
             e.ReadDev.DevAddrCode = 0x4020;
             e.ReadUsed = 1;
             e.NotifyDev.DevAddrCode = 0x201;
             e.NotifyUsed = 1;
             e.SetNotifyMode(0x11);
             e.ValMax = 70000;
             e.ValMin = -70000;
             e.ShowFlags = 3;
             e.UserLevel = 2;
         }},
        {21,
         [](TLxObj& o) {
             auto& b = dynamic_cast<TLxAdvDevBmp&>(o);
             b.ValMode = 0x10;
             b.BitNo = 9;
             b.SetOnBmp(17);
         }},
    };
    return cases;
}

// Every setting record in use, at the largest counts.
void SetEverySetting(kes::PageData& page)
{
    page.PgHide = {1, 1};
    for (int i = 0; i < kMaxPgJumps; ++i) {
        PgJmpRec j;
        j.Kind = static_cast<std::uint8_t>((i % 3) << 4);
        j.Width = i % 2;
        j.Ref.DevAddrCode = 0x4000 + i;
        j.Ref.Station = static_cast<std::uint8_t>(i);
        j.TargetPage = i;
        j.Operator = static_cast<std::uint8_t>(i % 6);
        j.CompareValue = j.Kind ? -i : 0;
        j.OnOff = j.Kind ? 0 : 1;
        page.PgJmpList.push_back(j);
    }
    for (int k = 0; k < kFunKeyCount; ++k) {
        PgFunKeyRec& key = page.PgFunKeys[k];
        // Every type once, the last key none.
        const kes::BtnType type = kes::BtnTypeOf(k);
        key.ButtonType = type;
        page.PgFunKeyUsed[k] = type != kes::BtnType::None;
        key.Write.DevAddrCode = type >= kes::BtnType::ChangePage ? -1 : 0x200 + k;
        key.Read.DevAddrCode = -1;
        key.Notify.DevAddrCode = -1;
        key.Kind = type <= kes::BtnType::Maintained ? 0 : 0x10;
        key.UserLevel = k % 5;
        if (kes::IsValueBtnType(type)) {
            key.ValueType = kes::FormatCode(kes::ValFormat::Signed);
            key.Width = 1;
            key.ParamA = type == kes::BtnType::Increment || type == kes::BtnType::Decrement ? 100 : 123456;
            key.ParamB = type == kes::BtnType::SetConstant ? 0 : -7;
        }
        if (type == kes::BtnType::InputValue) {
            key.IntDigits = 5;
            key.DecDigits = 1;
            key.Read.DevAddrCode = 0x4100;
            key.ReadUsed = 1;
        }
        if (type == kes::BtnType::ChangePage)
            key.ParamA = 3;
    }
    for (int s = 0; s < 2; ++s) {
        PgSysRec& rec = page.PgSysRecs[s];
        rec.Ref.DevAddrCode = 0x300 + s;
        rec.KindWidth = s ? 0x11 : 0x00;
        rec.Value = s ? 77 : 0;
        rec.OnOffOrOperator = 1;
    }
    page.PgNumWrite.Ref.DevAddrCode = 0x4055;
}

class PgRoundTrip : public ::testing::Test, protected kes::test::PageFixture {
protected:
    PgRoundTrip()
    {
        encodeEnv.MainFont = env->MainFont;
        encodeEnv.FontExists = [](const std::string&) { return true; };
    }

    // One object of the case's kind on page at (x, y) panel pixels.
    void Place(kes::PageData& target, const KindCase& c, int x, int y)
    {
        std::unique_ptr<TLxObj> obj = kes::NewPageObj(target, *env, *kes::KindOfCode(c.kind));
        ASSERT_NE(obj, nullptr);
        c.setup(*obj);
        obj->BmpRePaint();
        obj->Left = x * target.Zoom;
        obj->Top = y * target.Zoom;
        kes::AttachObj(target, *env, std::move(obj), false);
    }

    kes::Bytes Encode(kes::PageData& source, int mode)
    {
        kes::Bytes out;
        kes::PgDataChx(source, out, 0, mode, &source.ObjList, encodeEnv);
        return out;
    }

    // Encodes source, reads it into a fresh page and encodes that: both streams match.
    void ExpectRoundTrip(kes::PageData& source)
    {
        for (int mode : {kes::kEncFile, kes::kEncMemory}) {
            SCOPED_TRACE("mode " + std::to_string(mode));
            const kes::Bytes first = Encode(source, mode);
            kes::PageData again;
            again.Zoom = source.Zoom;
            const kes::PgReadResult res = kes::PgDataToObj(again, *env, first, 0, first.size());
            ASSERT_TRUE(res.Ok()) << kes::DecodeErrorName(res.Error) << " at " << res.Position;
            ASSERT_EQ(again.ObjList.size(), source.ObjList.size());
            const kes::Bytes second = Encode(again, mode);
            EXPECT_EQ(FirstDifference(first, second), "");
        }
    }

    kes::RecEncodeEnv encodeEnv;
};

TEST_F(PgRoundTrip, EveryKind)
{
    for (const int zoom : {1, 2}) {
        for (const KindCase& c : KindCases()) {
            SCOPED_TRACE("kind " + std::to_string(c.kind) + ", zoom " + std::to_string(zoom));
            kes::PageData source;
            source.Zoom = zoom;
            Place(source, c, 3, 5);
            ExpectRoundTrip(source);
        }
    }
}

// The cases above cover every kind that is stored; a kind that is not leaves no bytes.
TEST_F(PgRoundTrip, EveryStoredKindHasACaseAndNoOtherWritesBytes)
{
    std::set<int> cased;
    for (const KindCase& c : KindCases())
        cased.insert(c.kind);
    for (const kes::ObjKind k : kes::AllObjKinds()) {
        SCOPED_TRACE(kes::KindFacts(k).ClassName);
        const bool stored = kes::KindFacts(k).Record != kes::RecordForm::None;
        EXPECT_EQ(cased.count(kes::KindCode(k)) != 0, stored);
        if (stored)
            continue;
        kes::PageData source;
        source.AppendObj(kes::NewPageObj(source, *env, k));
        for (int mode : {kes::kEncFile, kes::kEncMemory})
            EXPECT_TRUE(Encode(source, mode).empty()) << "mode " << mode;
    }
}

TEST_F(PgRoundTrip, WholePageWithEverySetting)
{
    SetEverySetting(page);
    // Overlapping, and all inside the 128 x 64 panel (a reader cuts what passes its edge).
    int i = 0;
    for (const KindCase& c : KindCases()) {
        Place(page, c, 3 * i, i % 10);
        ++i;
    }
    ExpectRoundTrip(page);

    // The settings came back field by field.
    kes::PageData again;
    const kes::Bytes stream = Encode(page, kes::kEncFile);
    ASSERT_TRUE(kes::PgDataToObj(again, *env, stream, 0, stream.size()).Ok());
    EXPECT_EQ(again.PgJmpList.size(), static_cast<std::size_t>(kMaxPgJumps));
    EXPECT_EQ(again.PgFunKeyUsed, page.PgFunKeyUsed);
    EXPECT_EQ(again.PgFunKeys[7].ParamA, 123456);
    EXPECT_EQ(again.PgFunKeys[11].ParamA, 3);
    EXPECT_EQ(again.PgSysRecs[1].Value, 77);
    EXPECT_EQ(again.PgNumWrite.Ref.DevAddrCode, 0x4055);
    EXPECT_EQ(again.PgHide.Hide, 1);
}

} // namespace
