// A project made as the editor makes one (objects of every kind from the factory, fields set
// away from their defaults, pages stored by the record encoder, system records in the image
// header) survives save, open and save again byte for byte in all three files, and every
// stored page decodes into objects that store again as the same bytes.
#include "app/project/memimage.h"
#include "app/project/objfactory.h"
#include "app/project/pgdataenc.h"
#include "app/project/pgread.h"
#include "app/project/prjio.h"
#include "objects/tactbmp.h"
#include "objects/tcirmeter.h"
#include "objects/tgeom.h"
#include "objects/tlight.h"
#include "objects/tlxadvdevbmp.h"
#include "objects/tlxbtn.h"
#include "objects/tlxcurve.h"
#include "objects/tlxgetval.h"
#include "objects/tlxpage.h"
#include "objects/tlxval.h"
#include "objects/tmetrol.h"
#include "objects/tmsgtxt.h"
#include "objects/tprogbar.h"
#include "objects/trectmeter.h"
#include "objects/trtc.h"
#include "objects/tscale.h"
#include "objects/tstbmp.h"
#include "objects/tsttxt.h"
#include "objects/tvrgbmp.h"
#include "objects/valformat.h"
#include "pgrectest.h"
#include "prjtest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>

namespace kes {
namespace {

using test::FileBytes;
using test::PrjDir;
using test::ToHex;

// Rows of a picture: '#' black.
TBitmap Rows(int w, int h, int seed)
{
    std::string rows;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x)
            rows += (x * x + y * 3 + seed) % 5 < 2 ? '#' : '.';
        rows += '\n';
    }
    return PictureFromText(rows);
}

// Each kind with its fields set as its settings dialog would, away from the factory's values.
const std::function<void(TLxObj&)> kSetups[22] = {
    nullptr,
    [](TLxObj& o) {
        auto& t = dynamic_cast<TStTxt&>(o);
        t.SetStatic_Txt({"Pump", "", "Level 2"}, t.Picture.Canvas()->Font);
        t.SetDirect(1);
        t.SetHPos(2);
        t.SetVPos(1);
        t.SetObjFrame(1);
    },
    [](TLxObj& o) {
        auto& v = dynamic_cast<TLxVal&>(o);
        v.ValType = kes::FormatCode(kes::ValFormat::Bcd);
        v.ValLen = 1;
        v.IntNum = 7;
        v.DecNum = 3;
        v.HZero = 1;
        v.HPos = 2;
        v.VPos = 1;
        v.SetObjFrame(3);
    },
    [](TLxObj& o) {
        auto& b = dynamic_cast<TLxDevBmp&>(o);
        b.SetOnBmp(9);
        b.SetOffBmp(0);
        b.RefBitNo = 7;
    },
    [](TLxObj& o) {
        auto& v = dynamic_cast<TVrgBmp&>(o);
        v.StateBound = {5, 50, 500, 5000, 50000};
        v.StatePic = {6, 0, 255, 3, 1};
        v.ValType = kes::FormatCode(kes::ValFormat::Hex);
    },
    [](TLxObj& o) {
        o.Picture = Rows(24, 10, 2);
        o.Width = o.Picture.Width() * o.ObjSize;
        o.Height = o.Picture.Height() * o.ObjSize;
    },
    [](TLxObj& o) {
        auto& a = dynamic_cast<TActBmp&>(o);
        a.SetStateNum(4);
        a.StateVal = {0, 1, 2, 300};
        for (int i = 0; i < 4; ++i)
            *a.BmpList[static_cast<std::size_t>(i)] = Rows(6 + 2 * i, 11 - i, i);
        a.SetBmpPt(2);
    },
    [](TLxObj& o) {
        auto& s = dynamic_cast<TScale&>(o);
        s.ScaleDir = 2;
        s.MainDiv = 6;
        s.SubDiv = 4;
        s.ScaleMin = -300;
        s.ScaleMax = 300;
    },
    [](TLxObj& o) {
        auto& p = dynamic_cast<TProgBar&>(o);
        p.SetBarDir(1);
        p.BarMin = 10;
        p.BarMax = 1200;
        p.ValLen = 1;
    },
    [](TLxObj& o) {
        auto& m = dynamic_cast<TCirMeter&>(o);
        m.MeterMin = 20;
        m.MeterMax = 2000;
        m.MajorTicks = 4;
        m.MinorTicks = 3;
        m.LabelIntDigits = 4;
    },
    [](TLxObj& o) { dynamic_cast<TRectMeter&>(o).DevAddrCode = 0x4044; },
    [](TLxObj& o) { dynamic_cast<TLxPage&>(o).SetPgNum(1); },
    [](TLxObj& o) {
        auto& m = dynamic_cast<TMsgTxt&>(o);
        m.SetStateNum(2);
        m.Messages = {"Closed", "Open"};
        m.StateReverse = 1;
        m.MoveMode = 0x01;
        m.MoveInterval = 2;
    },
    [](TLxObj& o) {
        auto& b = dynamic_cast<TLxBtn&>(o);
        b.BtnType = kes::BtnType::PulseOn;
        b.UserLevel = 1;
        b.NotifyDev.DevAddrCode = 0x21;
        b.NotifyUsed = 1;
        b.NotifyState = 1;
        b.RefKey = 9;
        b.SetSurface(1);
        b.TxtList = {"Run", "Stop"};
        *b.BmpList[1] = Rows(9, 7, 4);
    },
    [](TLxObj& o) {
        auto& c = dynamic_cast<TLxCurve&>(o);
        c.CurvePoints = 120;
        c.CurveMin = 5;
        c.CurveMax = 4000;
        c.TrigFlag = 2;
        c.ClearFlag = 1;
    },
    [](TLxObj& o) {
        auto& c = dynamic_cast<TLxXyCurve&>(o);
        c.CurvePoints = 33;
        c.XMin = 1;
        c.XMax = 77;
        c.CurveMax = 500;
    },
    [](TLxObj& o) {
        auto& r = dynamic_cast<TRtc&>(o);
        r.RtcFormat = 1;
        r.RtcAlign = 2;
    },
    [](TLxObj& o) { dynamic_cast<TGeom&>(o).ObjGeomSet(GeomCir, {}, 2, 3, 30, 20); },
    [](TLxObj& o) {
        auto& l = dynamic_cast<TLight&>(o);
        l.SetStateNum(3);
        l.StateVal = {0, 4, 8};
        l.TxtList = {"Low", "Mid", "High"};
        *l.BmpList[2] = Rows(7, 7, 1);
        l.SetTxtVPos(2);
        l.SetBmpHPos(1);
    },
    [](TLxObj& o) {
        auto& m = dynamic_cast<TMetrol&>(o);
        m.MetrolTypeSet(4);
        m.MetrolIndexSet(2);
    },
    [](TLxObj& o) {
        auto& e = dynamic_cast<TLxGetVal&>(o);
        e.ValType = kes::FormatCode(kes::ValFormat::Hex);
        e.IntNum = 4;
        e.ValMax = 0x7FFF;
        e.ValMin = 16;
        e.ReadDev.DevAddrCode = 0x4003;
        e.ReadUsed = 1;
        e.UserLevel = 4;
        e.RefKey = 12;
    },
    [](TLxObj& o) {
        auto& b = dynamic_cast<TLxAdvDevBmp&>(o);
        b.ValMode = 0x10;
        b.BitNo = 15;
        b.SetOffBmp(4);
    },
};

// Where two streams part: the record of a holding the first differing byte, and the same
// bytes of b; empty when they are equal.
std::string FirstDifference(const Bytes& a, const Bytes& b)
{
    const auto [ia, ib] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    if (ia == a.end() && ib == b.end())
        return {};
    const std::size_t at = static_cast<std::size_t>(ia - a.begin());
    std::size_t rec = 0;
    for (const auto& [tag, len] : test::Tags(a)) {
        if (len == 0 || rec + static_cast<std::size_t>(len) > at)
            break;
        rec += static_cast<std::size_t>(len);
    }
    const auto part = [rec](const Bytes& s) {
        const std::size_t from = std::min(rec, s.size());
        return ToHex(ByteSpan(s).subspan(from, std::min<std::size_t>(64, s.size() - from)));
    };
    return "record at " + std::to_string(rec) + ":\n  " + part(a) + "\n  " + part(b);
}

// Kinds whose objects have no record: a page stores without them.
bool Unstored(int kind) { return kind == 10 || kind == 11; }

// Page settings that the editor's dialogs set: jumps, keys, buzzer, page-number write, hide.
void SetSomeSettings(PageData& page, const ProjectState& state, int seed)
{
    for (int i = 0; i < 3; ++i) {
        PgJmpRec* j = page.AddPgJump(state);
        j->Ref.DevAddrCode = 0x4000 + seed * 16 + i;
        j->Kind = 0x10;
        j->Operator = static_cast<std::uint8_t>(i);
        j->CompareValue = 100 * i - seed;
        j->TargetPage = i;
    }
    page.PgFunKeys[3].ButtonType = kes::BtnType::ChangePage;
    page.PgFunKeys[3].ParamA = seed;
    page.PgFunKeyUsed[3] = 1;
    page.PgSysRecs[0].Ref.DevAddrCode = 0x30 + seed;
    page.PgNumWrite.Ref.DevAddrCode = 0x4100 + seed;
    page.PgHide = PgHideRec{static_cast<std::uint8_t>(seed % 2), 0};
}

void SetSystemRecords(ProjectState& s)
{
    for (int i = 0; i < kPasswordSlots; ++i) {
        s.UserPasswords[i].Password = std::to_string(654321 - i);
        s.UserPasswords[i].Level = static_cast<std::uint8_t>((i + 1) % 5);
    }
    PgJmpRec j;
    s.InitDevRef(j.Ref);
    j.Ref.DevAddrCode = 0x4010;
    j.TargetPage = 1;
    s.SysPgJumps.push_back(j);
    s.SysFunKeys[0].ButtonType = kes::BtnType::ChangePage;
    s.SysFunKeys[0].ParamA = 1;
    s.SysFunKeyUsed[0] = 1;
    s.SysClockWrite.Ref.DevAddrCode = 0x4020;
    s.SysAlarmLamp.Ref.DevAddrCode = 0x22;
    s.PowerOnMacro.Ref.DevAddrCode = 0x4030;
    s.PowerOnMacro.OnOff = 1;
    s.ParaDataSet.Ref.DevAddrCode = 0x4040;
}

class ProjectRoundTrip : public ::testing::Test {
protected:
    ProjectRoundTrip()
    {
        encodeEnv.FontExists = [](const std::string&) { return true; };
    }

    // One object of every kind on a fresh page, spread over the panel and inside it, as the
    // editor keeps them.
    void FillPage(PageData& page, const PageEnv& env, int seed)
    {
        const int unitW = page.Zoom * env.State.GridWidth;
        const int unitH = page.Zoom * env.State.GridHeight;
        for (std::int16_t kind = 1; kind <= 21; ++kind) {
            std::unique_ptr<TLxObj> obj = NewPageObj(page, env, *KindOfCode(kind));
            ASSERT_NE(obj, nullptr) << kind;
            kSetups[kind](*obj);
            obj->BmpRePaint();
            const int roomX = std::max(env.LxType.PanelWidth - obj->Width / unitW, 0);
            const int roomY = std::max(env.LxType.PanelHeight - obj->Height / unitH, 0);
            obj->Left = (kind * 13 + seed) % (roomX + 1) * unitW;
            obj->Top = (kind * 7 + seed) % (roomY + 1) * unitH;
            page.AppendObj(std::move(obj));
        }
    }
    Bytes Store(PageData& page, bool settings)
    {
        Bytes out;
        if (settings) {
            PgDataChx(page, out, 0, kEncFile, &page.ObjList, encodeEnv);
        } else {
            page.SelList = page.ObjList;
            PgDataChx(page, out, 0, kEncMemory, &page.SelList, encodeEnv);
            page.SelList.clear();
        }
        return out;
    }

    RecEncodeEnv encodeEnv;
};

TEST_F(ProjectRoundTrip, EveryKindSavedOpenedAndSavedAgain)
{
    test::HeaderLib lib;
    ASSERT_TRUE(lib.Loaded());
    PrjDir dir("everykind");
    test::Prj p(dir.Path());
    SetSystemRecords(p.doc);
    const PageEnv env(p.doc, *p.core);
    const char* titles[] = {"Main", "", "Alarms"};
    for (int i = 0; i < 3; ++i) {
        PageData page;
        page.Zoom = i == 1 ? 1 : p.doc.DefaultZoom;
        page.PgIndex = i;
        FillPage(page, env, i * 5);
        if (i != 1)
            SetSomeSettings(page, p.doc, i + 1);
        auto rec = std::make_unique<PgDataStr>();
        rec->Title = titles[i];
        rec->Data = Store(page, true);
        p.doc.PgDataList.push_back(std::move(rec));
    }
    {
        PageData start;
        FillPage(start, env, 3);
        p.doc.StartScreenData->Data = Store(start, false);
    }
    p.doc.Modified = 1;
    ResetMemoryImage(p.doc);
    ASSERT_TRUE(BuildPageImage(p.doc));
    ProjectFileExtras x;
    ASSERT_EQ(WriteProjectFiles(p.doc, dir / "first", x).Error, ProjectError::None);

    test::Prj q(dir.Path(), 87, 2);
    const ReadOutcome r = ReadProjectFiles(q.doc, dir / "first", q.core.get(), lib.dec);
    ASSERT_EQ(r.Error, ProjectError::None);
    ASSERT_EQ(q.doc.PgDataList.size(), 3u);
    x.EnableUpDown = r.EnableUpDown;
    x.PortNumber = r.PortNumber;
    ResetMemoryImage(q.doc);
    ASSERT_TRUE(BuildPageImage(q.doc));
    ASSERT_EQ(WriteProjectFiles(q.doc, dir / "second", x).Error, ProjectError::None);
    for (const char* ext : {".zqf", ".Til", ".Sta"}) {
        const Bytes a = FileBytes(dir / (std::string("first") + ext));
        ASSERT_FALSE(a.empty()) << ext;
        EXPECT_EQ(a, FileBytes(dir / (std::string("second") + ext))) << ext;
    }

    // Each reopened page decodes into every stored kind, and those objects store as the page.
    PageEnv back(q.doc, *q.core);
    back.LibraryPath = std::string(KES_BIN_DIR) + "/libMorvik.so";
    for (std::size_t i = 0; i <= q.doc.PgDataList.size(); ++i) {
        const bool startScreen = i == q.doc.PgDataList.size();
        const Bytes& stored = startScreen ? q.doc.StartScreenData->Data : q.doc.PgDataList[i]->Data;
        SCOPED_TRACE(startScreen ? std::string("start-up screen") : "page " + std::to_string(i));
        PageData page;
        page.Zoom = q.doc.DefaultZoom;
        const PgReadResult res = PgDataToObj(page, back, stored, 0, stored.size());
        ASSERT_TRUE(res.Ok()) << DecodeErrorName(res.Error) << " at " << res.Position;
        std::set<int> kinds;
        for (const TLxObj* obj : page.ObjList)
            kinds.insert(obj->ObjType);
        for (int kind = 1; kind <= 21; ++kind)
            EXPECT_EQ(kinds.count(kind), Unstored(kind) ? 0u : 1u) << "kind " << kind;
        EXPECT_EQ(FirstDifference(Store(page, !startScreen), stored), "");
    }
    EXPECT_EQ(q.doc.UserPasswords[3].Password, "654318");
    EXPECT_EQ(q.doc.PowerOnMacro.OnOff, 1);
    ASSERT_EQ(q.doc.SysPgJumps.size(), 1u);
    EXPECT_EQ(q.doc.SysPgJumps[0].Ref.DevAddrCode, 0x4010);
}

} // namespace
} // namespace kes
