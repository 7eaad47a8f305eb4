// Every kind's rows show what the object holds, and an edit of one row stores exactly what
// that row says, nothing the user did not touch: the object's record, encoded again, differs
// from the one before by that change alone (and what the kind's rules make follow from
// it). A value the object can not take is refused with the row's "Setting Error!!" message
// and the record stays as it was.
#include "kindrowstest.h"

#include "objects/tactbmp.h"
#include "objects/tcirmeter.h"
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

using namespace kes;
using kes::test::KindRowsTest;
using kes::test::RecordOf;

namespace {

// A row as it shows; hidden rows are not listed.
struct Shown {
    int Row;
    QString Text;
    bool Listed = true;
};

// An edit: the row, what is entered, and either the change the record must show (made to a
// copy of the object read from the record before the edit; null: none) with a check of
// what the record does not hold, or a refusal (message 5).
struct Edit {
    int Row;
    QString Input;
    std::function<void(TLxObj&)> Change;
    std::function<bool(TLxObj&)> Check = nullptr;
    bool Refused = false;
};

// One object of a kind: its values, its rows and the edits tried on it (each on a fresh
// copy).
struct KindCase {
    const char* What;
    ObjKind Kind;
    std::function<void(TLxObj&)> Setup;
    std::vector<Shown> Rows;
    std::vector<Edit> Edits;
};

template <class T> std::function<void(TLxObj&)> As(std::function<void(T&)> f)
{
    return [f](TLxObj& o) { f(static_cast<T&>(o)); };
}
template <class T> std::function<bool(TLxObj&)> Is(std::function<bool(T&)> f)
{
    return [f](TLxObj& o) { return f(static_cast<T&>(o)); };
}
Edit Refuse(int row, const QString& input) { return {row, input, nullptr, nullptr, true}; }

QString M(int n) { return Msg(n); }

class KindRowsTable : public KindRowsTest {
protected:
    void Run(const KindCase& c)
    {
        SCOPED_TRACE(c.What);
        TLxObj& shown = Real<TLxObj>(c.Kind, c.Setup);
        // Showing the rows (as every refresh does) stores nothing into the object.
        PageData unshownPage;
        TLxObj* unshown = Decode(unshownPage, made);
        ASSERT_NE(unshown, nullptr);
        unshown->BmpRePaint();
        EXPECT_EQ(RecordOf(shown), RecordOf(*unshown)) << "showing the rows changed the object";
        for (const Shown& s : c.Rows) {
            EXPECT_EQ(Shows(s.Row), s.Text) << "row " << s.Row;
            EXPECT_EQ(Line(s.Row) >= 0, s.Listed) << "row " << s.Row;
        }
        for (const Edit& e : c.Edits) {
            SCOPED_TRACE("row " + std::to_string(e.Row) + " <- " + e.Input.toStdString());
            TLxObj& obj = Real<TLxObj>(c.Kind, c.Setup);
            const Bytes before = RecordOf(obj);
            const std::size_t messages = prompt.shown.size();
            const int modified = source.modified;
            Enter(e.Row, e.Input);
            if (e.Refused) {
                ASSERT_EQ(prompt.shown.size(), messages + 1);
                EXPECT_EQ(prompt.shown.back(), Grid().Prop(e.Row)->Name + " " + M(5));
                EXPECT_EQ(RecordOf(obj), before);
                EXPECT_EQ(source.modified, modified);
                continue;
            }
            EXPECT_EQ(prompt.shown.size(), messages) << (prompt.shown.empty() ? "" : prompt.shown.back().toStdString());
            PageData copyPage;
            TLxObj* expected = Decode(copyPage, before);
            ASSERT_NE(expected, nullptr);
            if (e.Change)
                e.Change(*expected);
            expected->BmpRePaint();
            EXPECT_EQ(RecordOf(obj), RecordOf(*expected));
            if (e.Check) {
                EXPECT_TRUE(e.Check(obj));
            }
            EXPECT_EQ(source.modified, modified + 1);
        }
    }
};

} // namespace

TEST_F(KindRowsTable, TextsDisplaysAndBitPictures)
{
    const KindCase cases[] = {
        {"static text",
         ObjKind::StTxt,
         As<TStTxt>([](TStTxt& t) {
             t.SetStatic_Txt({"Hello"}, TFont{});
             t.ObjFrame = 2;
             t.TxtDir = 3;
             t.TxtHPos = 1;
             t.TxtVPos = 2;
         }),
         {{5, M(155)}, {6, M(162)}, {7, M(164)}, {8, M(168)}},
         {{5, "4", As<TStTxt>([](TStTxt& t) { t.ObjFrame = 4; })},
          {6, "0", As<TStTxt>([](TStTxt& t) { t.TxtDir = 0; })},
          {7, "2", As<TStTxt>([](TStTxt& t) { t.TxtHPos = 2; })},
          {8, "0", As<TStTxt>([](TStTxt& t) { t.TxtVPos = 0; })}}},
        {"numeric display",
         ObjKind::LxVal,
         As<TLxVal>([this](TLxVal& v) {
             v.DevAddrCode = Word(100);
             v.RefLink = 1;
             v.RefStation = 3;
             v.ObjFrame = 1;
             v.HPos = 2;
             v.ValType = kes::FormatCode(kes::ValFormat::Signed);
             v.ValLen = 0;
             v.IntNum = 3;
             v.DecNum = 2;
         }),
         {{5, M(206), false},
          {6, "D100"},
          {7, M(172)},
          {8, "3"},
          {9, M(154)},
          {11, M(165)},
          {13, M(251)},
          {14, M(169)},
          {15, "3"},
          {16, "2"}},
         {{6, "d7", As<TLxVal>([this](TLxVal& v) { v.DevAddrCode = Word(7); })},
          Refuse(6, "Q5"),
          {7, "0", As<TLxVal>([](TLxVal& v) { v.RefLink = 0; })},
          {8, "300", As<TLxVal>([](TLxVal& v) { v.RefStation = 255; })},
          Refuse(8, "x"),
          {15, "2", As<TLxVal>([](TLxVal& v) { v.IntNum = 2; })},
          {13, "2", As<TLxVal>([](TLxVal& v) {
               v.ValType = kes::FormatCode(kes::ValFormat::Hex);
               v.IntNum = 4;
               v.DecNum = 0;
           })}}},
        {"bit picture",
         ObjKind::LxDevBmp,
         As<TLxDevBmp>([this](TLxDevBmp& b) {
             SetAddress(b, "M10");
             b.RefLink = 1;
             b.RefStation = 3;
             b.OnBmp = 4;
             b.OffBmp = 7;
         }),
         {{5, M(206), false}, {6, "M10"}, {7, M(172)}, {8, "3"}, {9, M(177)}, {10, "#4"}, {11, "#7"}},
         {{6, "m20", As<TLxDevBmp>([this](TLxDevBmp& b) { SetAddress(b, "M20"); })},
          Refuse(6, "D5"),
          {7, "0", As<TLxDevBmp>([](TLxDevBmp& b) { b.RefLink = 0; })},
          {8, "9", As<TLxDevBmp>([](TLxDevBmp& b) { b.RefStation = 9; })},
          {9, "1", nullptr, Is<TLxDevBmp>([](TLxDevBmp& b) { return b.CurPt == 1; })},
          {10, "5", As<TLxDevBmp>([](TLxDevBmp& b) { b.OnBmp = 5; })},
          {11, "0", As<TLxDevBmp>([](TLxDevBmp& b) { b.OffBmp = 0; })}}},
        {"bit picture of a word",
         ObjKind::LxAdvDevBmp,
         As<TLxAdvDevBmp>([this](TLxAdvDevBmp& b) {
             b.ValMode = 0x10;
             b.DevAddrCode = Word(100);
             b.BitNo = 5;
             b.RefStation = 2;
         }),
         {{6, "D100"}, {9, M(243)}, {10, "5"}, {11, M(183), false}, {12, "#0", false}, {13, "#0", false}},
         {{10, "9", As<TLxAdvDevBmp>([](TLxAdvDevBmp& b) { b.BitNo = 9; })},
          {6, "D200", As<TLxAdvDevBmp>([this](TLxAdvDevBmp& b) { b.DevAddrCode = Word(200); })},
          Refuse(6, "S5"),
          // Bit mode takes the default bit address from bit 0; the word's bit goes.
          {9, "0", As<TLxAdvDevBmp>([this](TLxAdvDevBmp& b) {
               b.ValMode = 0;
               b.BitNo = 0;
               b.RefBitNo = 0;
               b.DevAddrCode = model->DefBitCode;
           })}}},
        {"bit picture of a bit",
         ObjKind::LxAdvDevBmp,
         As<TLxAdvDevBmp>([this](TLxAdvDevBmp& b) {
             b.ValMode = 0;
             SetAddress(b, "M10");
             b.OnBmp = 3;
             b.OffBmp = 2;
         }),
         {{6, "M10"}, {9, M(242)}, {10, "0", false}, {11, M(183)}, {12, "#3"}, {13, "#2"}},
         {{12, "8", As<TLxAdvDevBmp>([](TLxAdvDevBmp& b) { b.OnBmp = 8; })},
          // Word mode: the default word address, bit 0, no pictures.
          {9, "1", As<TLxAdvDevBmp>([this](TLxAdvDevBmp& b) {
               b.ValMode = 0x10;
               b.RefBitNo = 0;
               b.DevAddrCode = model->DefWordCode;
               b.OnBmp = 0;
               b.OffBmp = 0;
           })}}},
        {"value-range picture",
         ObjKind::VrgBmp,
         As<TVrgBmp>([this](TVrgBmp& v) {
             v.DevAddrCode = Word(100);
             v.StateBound = {100, 80, 60, 40, 20};
             v.StatePic = {1, 2, 3, 4, 5};
             v.SetCurPt(2);
         }),
         {{6, "D100"}, {9, M(250)}, {10, M(169)}, {11, "0"}, {12, "100"}, {13, "#1"}, {14, M(285)}},
         {{12, "90", As<TVrgBmp>([](TVrgBmp& v) { v.StateBound[0] = 90; })},
          {12, "70", As<TVrgBmp>([](TVrgBmp& v) { v.StateBound[0] = 80; })},
          {12, "70000", nullptr, nullptr, true},
          {13, "9", As<TVrgBmp>([](TVrgBmp& v) { v.StatePic[0] = 9; })},
          {11, "3", nullptr, Is<TVrgBmp>([](TVrgBmp& v) { return v.CurPt == 3; })},
          {14, "1", As<TVrgBmp>([](TVrgBmp& v) {
               v.RangeOrder = 1;
               v.StatePic = {5, 4, 3, 2, 1};
           })},
          {9, "1", As<TVrgBmp>([](TVrgBmp& v) { v.ValType = kes::FormatCode(kes::ValFormat::Signed); })},
          {10, "1", As<TVrgBmp>([](TVrgBmp& v) { v.ValLen = 1; })}}},
    };
    for (const KindCase& c : cases)
        Run(c);
}

TEST_F(KindRowsTable, StatePicturesAndLamps)
{
    // Four states of different picture widths, largest value first; a page shows state 0.
    const auto states = [this](kes::TStateBmpObj& o) {
        o.StateMode = 0x10;
        o.ValType = 0;
        o.DevAddrCode = Word(100);
        o.SetStateNum(4);
        o.StateVal = {400, 300, 200, 100};
        for (int i = 0; i < 4; ++i)
            o.StateBmp(i)->SetSize(8 + 2 * i, 8);
        o.TxtList = {"A", "B", "C", "D"};
    };
    const auto reversed = [](kes::TStateBmpObj& o) {
        std::swap(o.BmpList[0], o.BmpList[3]);
        std::swap(o.BmpList[1], o.BmpList[2]);
        o.StateReverse = 1;
    };
    const auto loaded = [this](kes::TStateBmpObj& o) {
        EXPECT_EQ(o.FileList[0], QStringToAnsi(picture));
        const TBitmap* pic = o.StateBmp(0);
        return pic && pic->Canvas()->Pixel(0, 0) == clBlack && pic->Canvas()->Pixel(15, 0) == clWhite;
    };
    const KindCase cases[] = {
        {"multi-state picture",
         ObjKind::ActBmp,
         As<TActBmp>(states),
         {{6, "D100"},
          {9, M(243)},
          {10, M(250)},
          {11, M(169)},
          {12, "4"},
          {13, "0"},
          {14, "400"},
          {15, "[Bitmap]"},
          {16, M(285)}},
         {{14, "450", As<TActBmp>([](TActBmp& o) { o.StateVal[0] = 450; })},
          {14, "250", As<TActBmp>([](TActBmp& o) { o.StateVal[0] = 300; })},
          Refuse(14, "-1"),
          {13, "3", nullptr, Is<TActBmp>([](TActBmp& o) { return o.CurPt == 3; })},
          {12, "2", As<TActBmp>([](TActBmp& o) { o.SetStateNum(2); }),
           Is<TActBmp>([](TActBmp& o) { return o.CurPt == 1 && o.BmpList.size() == 2; })},
          {16, "1", As<TActBmp>(reversed)},
          {15, picture, As<TActBmp>([this](TActBmp& o) { o.BmpLoad(QStringToAnsi(picture), 128, 64); }),
           Is<TActBmp>([=](TActBmp& o) { return o.StateBmp(0)->Width() == 20 && loaded(o); })},
          {6, "D300", As<TActBmp>([this](TActBmp& o) { o.DevAddrCode = Word(300); })},
          {10, "2", As<TActBmp>([](TActBmp& o) { o.ValType = kes::FormatCode(kes::ValFormat::Hex); })},
          {11, "1", As<TActBmp>([](TActBmp& o) { o.StateMode = 0x11; })},
          // Bit mode: two states, the default bit address, no format.
          {9, "0", As<TActBmp>([this](TActBmp& o) {
               o.StateMode = 0;
               o.DevAddrCode = model->DefBitCode;
               o.SetStateNum(2);
           })}}},
        {"lamp",
         ObjKind::Light,
         As<TLight>(states),
         {{12, "4"}, {14, "400"}, {16, "A"}, {18, M(285)}},
         {{16, "Bee", As<TLight>([](TLight& o) { o.TxtList[0] = "Bee"; })},
          {18, "1", As<TLight>([&](TLight& o) {
               reversed(o);
               o.TxtList = {"D", "C", "B", "A"};
           })},
          {15, picture, As<TLight>([this](TLight& o) { o.BmpLoad(QStringToAnsi(picture), 128, 64); }),
           Is<TLight>([=](TLight& o) { return loaded(o); })}}},
        // With the order reversed, shown state 0 is entry 3.
        {"reversed lamp",
         ObjKind::Light,
         As<TLight>([&](TLight& o) {
             states(o);
             o.StateReverse = 1;
         }),
         {{14, "100"}, {16, "D"}, {18, M(286)}},
         {{16, "Dee", As<TLight>([](TLight& o) { o.TxtList[3] = "Dee"; })},
          {14, "150", As<TLight>([](TLight& o) { o.StateVal[3] = 150; })},
          {14, "250", As<TLight>([](TLight& o) { o.StateVal[3] = 200; })}}},
        // A lamp on a bit of the panel's memory takes the controller's default word.
        {"lamp in panel memory",
         ObjKind::Light,
         As<TLight>([](TLight& o) {
             o.StateMode = 0;
             o.RefIntMem = 1;
             o.DevAddrCode = 5;
         }),
         {{6, "@B5"}},
         {{9, "1", As<TLight>([this](TLight& o) {
               o.StateMode = 0x10;
               o.RefIntMem = 0;
               o.DevAddrCode = model->DefWordCode;
           })}}},
        {"bit lamp",
         ObjKind::Light,
         As<TLight>([](TLight& o) {
             o.StateMode = 0;
             o.TxtList = {"Off", "On"};
         }),
         {{9, M(242)}, {10, M(250), false}, {12, "2", false}, {13, "0"}, {14, "", false}, {16, "Off"}, {18, "", false}},
         {{13, "1", nullptr, Is<TLight>([](TLight& o) { return o.CurPt == 1; })},
          {16, "Dark", As<TLight>([](TLight& o) { o.TxtList[0] = "Dark"; })},
          // Word mode: the default word address, the states kept.
          {9, "1", As<TLight>([this](TLight& o) {
               o.StateMode = 0x10;
               o.DevAddrCode = model->DefWordCode;
           })}}},
    };
    for (const KindCase& c : cases)
        Run(c);
}

TEST_F(KindRowsTable, ScalesBarGraphsAndMeters)
{
    const KindCase cases[] = {
        {"scale",
         ObjKind::Scale,
         As<TScale>([](TScale& s) {
             s.ScaleDir = 0x12;
             s.FontSet(1);
             s.MainDiv = 6;
             s.SubDiv = 3;
             s.ScaleMax = 100;
             s.ScaleMin = -50;
         }),
         {{5, M(184)}, {6, M(187)}, {7, M(174)}, {8, "6"}, {9, "3"}, {10, M(169)}, {11, "100"}, {12, "-50"}},
         {{11, "-60", As<TScale>([](TScale& s) { s.ScaleMax = -50; })},
          {12, "200", As<TScale>([](TScale& s) { s.ScaleMin = 100; })},
          {11, "500", As<TScale>([](TScale& s) { s.ScaleMax = 500; })},
          Refuse(12, "-40000"),
          {5, "0", As<TScale>([](TScale& s) { s.ScaleDir = 0x02; })},
          {6, "3", As<TScale>([](TScale& s) { s.ScaleDir = 0x13; })},
          {7, "3", As<TScale>([](TScale& s) { s.FontSet(3); })},
          {8, "40", As<TScale>([](TScale& s) { s.MainDiv = 32; })},
          {9, "1", As<TScale>([](TScale& s) { s.SubDiv = 1; })},
          {10, "1", As<TScale>([](TScale& s) { s.ValLen = 1; })}}},
        {"bar graph",
         ObjKind::ProgBar,
         As<TProgBar>([this](TProgBar& b) {
             b.DevAddrCode = Word(100);
             b.ValType = kes::FormatCode(kes::ValFormat::Signed);
             b.BarMax = 500;
             b.BarMin = -100;
             b.ProgBarDirect = 2;
         }),
         {{6, "D100"}, {9, M(161)}, {10, M(251)}, {11, M(169)}, {12, "500"}, {13, "-100"}},
         {Refuse(12, "40000"),
          {12, "32767", As<TProgBar>([](TProgBar& b) { b.BarMax = 32767; })},
          {13, "600", As<TProgBar>([](TProgBar& b) { b.BarMin = 500; })},
          {10, "0", As<TProgBar>([](TProgBar& b) { b.ValType = 0; })},
          {9, "3", As<TProgBar>([](TProgBar& b) { b.ProgBarDirect = 3; })},
          {6, "D7", As<TProgBar>([this](TProgBar& b) { b.DevAddrCode = Word(7); })}}},
        {"unsigned bar graph",
         ObjKind::ProgBar,
         As<TProgBar>([](TProgBar& b) { b.ValType = 0; }),
         {},
         {{12, "65535", As<TProgBar>([](TProgBar& b) { b.BarMax = 65535; })}, Refuse(12, "65536")}},
        {"circular meter",
         ObjKind::CirMeter,
         As<TCirMeter>([this](TCirMeter& m) {
             m.DevAddrCode = Word(100);
             m.FontSet(1);
             m.MajorTicks = 5;
             m.MinorTicks = 4;
             m.ValType = 0;
             m.LabelIntDigits = 3;
             m.LabelDecimals = 2;
             m.MeterMax = 1000;
             m.MeterMin = 0;
         }),
         {{9, M(189)}, {10, M(174)}, {11, "5"}, {12, "4"}, {13, M(250)}, {14, "3"}, {15, "2"}, {16, "1000"}, {17, "0"}},
         {{9, "1", As<TCirMeter>([](TCirMeter& m) { m.FullCircle = 1; })},
          {11, "33", As<TCirMeter>([](TCirMeter& m) { m.MajorTicks = 32; })},
          {12, "60", As<TCirMeter>([](TCirMeter& m) { m.MinorTicks = 60; })},
          {14, "2", As<TCirMeter>([](TCirMeter& m) { m.LabelIntDigits = 2; })},
          {15, "1", As<TCirMeter>([](TCirMeter& m) { m.LabelDecimals = 1; })},
          {16, "500", As<TCirMeter>([](TCirMeter& m) { m.MeterMax = 500; })},
          {17, "2000", As<TCirMeter>([](TCirMeter& m) { m.MeterMin = 1000; })},
          // Hexadecimal labels have no decimals.
          {13, "2", As<TCirMeter>([](TCirMeter& m) {
               m.ValType = kes::FormatCode(kes::ValFormat::Hex);
               m.LabelDecimals = 0;
           })}}},
        // Five integer digits are more than a hexadecimal label has.
        {"meter of five digits",
         ObjKind::CirMeter,
         As<TCirMeter>([](TCirMeter& m) {
             m.LabelIntDigits = 5;
             m.LabelDecimals = 0;
         }),
         {{14, "5"}},
         {{13, "3", As<TCirMeter>([](TCirMeter& m) {
               m.ValType = kes::FormatCode(kes::ValFormat::Bcd);
               m.LabelIntDigits = 4;
           })}}},
    };
    for (const KindCase& c : cases)
        Run(c);
}

TEST_F(KindRowsTable, MessagesCurvesUnitsAndClocks)
{
    const KindCase cases[] = {
        {"message text",
         ObjKind::MsgTxt,
         As<TMsgTxt>([this](TMsgTxt& m) {
             m.StateMode = 0x10;
             m.DevAddrCode = Word(100);
             m.MoveMode = 0x21;
             m.MoveInterval = 3;
             m.SetStateNum(3);
             m.Messages = {"Low", "Mid", "High"};
             m.StateVal = {300, 200, 100};
         }),
         {{9, M(243)},
          {10, M(193)},
          {11, M(160)},
          {12, M(202)},
          {13, M(250)},
          {14, M(169)},
          {15, "3"},
          {16, "0"},
          {17, "300"},
          {18, "Low"},
          {20, M(285)}},
         {{18, "Lowest", As<TMsgTxt>([](TMsgTxt& m) { m.Messages[0] = "Lowest"; })},
          {17, "350", As<TMsgTxt>([](TMsgTxt& m) { m.StateVal[0] = 350; })},
          {17, "150", As<TMsgTxt>([](TMsgTxt& m) { m.StateVal[0] = 200; })},
          {16, "2", nullptr, Is<TMsgTxt>([](TMsgTxt& m) { return m.CurPt == 2; })},
          {15, "2", As<TMsgTxt>([](TMsgTxt& m) { m.SetStateNum(2); })},
          {20, "1", As<TMsgTxt>([](TMsgTxt& m) {
               m.Messages = {"High", "Mid", "Low"};
               m.StateReverse = 1;
           })},
          {10, "0", As<TMsgTxt>([](TMsgTxt& m) {
               m.MoveMode = 0;
               m.MoveInterval = 0;
           })},
          {11, "3", As<TMsgTxt>([](TMsgTxt& m) { m.MoveMode = 0x23; })},
          {12, "0", As<TMsgTxt>([](TMsgTxt& m) { m.MoveInterval = 0; })},
          {14, "1", As<TMsgTxt>([](TMsgTxt& m) { m.StateMode = 0x11; })},
          {6, "D9", As<TMsgTxt>([this](TMsgTxt& m) { m.DevAddrCode = Word(9); })},
          // Bit: two states, the default bit address; the messages stay.
          {9, "0", As<TMsgTxt>([this](TMsgTxt& m) {
               m.StateMode = 0;
               m.DevAddrCode = model->DefBitCode;
               m.SetStateNum(2);
           })}}},
        {"trend curve",
         ObjKind::LxCurve,
         As<TLxCurve>([this](TLxCurve& c) {
             c.DevAddrCode = Word(100);
             c.CurveMax = 1000;
             c.CurveMin = 10;
         }),
         {{6, "D100"}, {9, "1000"}, {10, "10"}},
         {{9, "5", As<TLxCurve>([](TLxCurve& c) { c.CurveMax = 10; })},
          Refuse(10, "70000"),
          {10, "20", As<TLxCurve>([](TLxCurve& c) { c.CurveMin = 20; })},
          {8, "7", As<TLxCurve>([](TLxCurve& c) { c.RefStation = 7; })}}},
        {"X-Y curve",
         ObjKind::LxXyCurve,
         As<TLxXyCurve>([](TLxXyCurve& c) {
             c.XMax = 500;
             c.XMin = 0;
         }),
         {{11, "500"}, {12, "0"}},
         {{11, "600", As<TLxXyCurve>([](TLxXyCurve& c) { c.XMax = 600; })},
          {12, "700", As<TLxXyCurve>([](TLxXyCurve& c) { c.XMin = 500; })}}},
        {"measurement unit",
         ObjKind::Metrol,
         As<TMetrol>([](TMetrol& m) {
             m.MetrolTypeSet(1);
             m.MetrolIndexSet(2);
         }),
         {{5, M(216)}, {6, "#2"}},
         {{6, "4", As<TMetrol>([](TMetrol& m) { m.MetrolIndexSet(4); })}, {5, "5", As<TMetrol>([](TMetrol& m) {
                                                                               m.MetrolTypeSet(5);
                                                                               m.MetrolIndexSet(0);
                                                                           })}}},
        {"clock",
         ObjKind::Rtc,
         As<TRtc>([this](TRtc& r) {
             r.RtcFormat = 0x01;
             r.RtcAlign = 2;
             r.DevAddrCode = Word(100);
             r.ObjFrame = 1;
             r.FontSet(1);
         }),
         {{6, "D100"}, {9, M(154)}, {10, M(165)}, {11, M(174)}, {12, M(210)}, {13, M(180)}, {14, M(213)}},
         {{13, "0", As<TRtc>([](TRtc& r) {
               r.RtcFormat = 0x21;
               r.DevAddrCode = -1;
               r.RefBitNo = 0;
           })},
          {12, "1", As<TRtc>([](TRtc& r) { r.RtcFormat = 0x11; })},
          {14, "2", As<TRtc>([](TRtc& r) { r.RtcFormat = 0x02; })},
          {9, "3", As<TRtc>([](TRtc& r) { r.ObjFrame = 3; })},
          {10, "0", As<TRtc>([](TRtc& r) { r.RtcAlign = 0; })},
          {11, "3", As<TRtc>([](TRtc& r) { r.FontSet(3); })}}},
        // The panel clock without an address gets the default address, the project's station
        // and link when it takes the controller's clock.
        {"clock without address",
         ObjKind::Rtc,
         As<TRtc>([](TRtc& r) {
             r.RtcFormat = 0x20;
             r.DevAddrCode = -1;
         }),
         {{6, "", false}, {12, M(210)}, {13, M(179)}},
         {
             // The controller's clock.
             {12, "1", As<TRtc>([this](TRtc& r) {
                  r.RtcFormat = 0x10;
                  ProjectRef(r, model->DefWordCode);
              })},
         }},
    };
    for (const KindCase& c : cases)
        Run(c);
}

TEST_F(KindRowsTable, NumericInputsAndStaticPictures)
{
    state.UserPasswords[3].Level = 2; // level 2 is defined, 3 is not
    const KindCase cases[] = {
        {"numeric input",
         ObjKind::LxGetVal,
         As<TLxGetVal>([this](TLxGetVal& v) {
             v.WriteDev.DevAddrCode = Word(100);
             v.ObjFrame = 1;
             v.FontSet(1);
             v.HPos = 2;
             v.VPos = 2;
             v.ValType = 0;
             v.ValLen = 0;
             v.IntNum = 4;
             v.DecNum = 1;
             v.ValMax = 1000;
             v.ValMin = 0;
         }),
         {{6, "D100"},
          {9, M(179)},
          {11, "", false},
          {14, M(179)},
          {19, M(225), false},
          {21, M(179)},
          {22, "", false},
          {23, "0"},
          {24, M(154)},
          {25, M(174)},
          {26, M(165)},
          {27, M(168)},
          {28, M(250)},
          {29, M(169)},
          {30, "4"},
          {31, "1"},
          {32, "1000"},
          {33, "0"}},
         {{6, "D20", As<TLxGetVal>([this](TLxGetVal& v) { v.WriteDev.DevAddrCode = Word(20); })},
          Refuse(6, "M5x"),
          // A read address switched on takes the project's defaults: a word.
          {9, "1", As<TLxGetVal>([this](TLxGetVal& v) {
               v.ReadUsed = 1;
               ProjectRef(v.ReadDev, model->DefWordCode);
           })},
          // The notify address is a bit.
          {14, "1", As<TLxGetVal>([this](TLxGetVal& v) {
               v.NotifyUsed = 1;
               ProjectRef(v.NotifyDev, model->DefBitCode);
           })},
          {21, "1", As<TLxGetVal>([](TLxGetVal& v) { v.RefKey = 0; })},
          {23, "2", As<TLxGetVal>([](TLxGetVal& v) { v.UserLevel = 2; })},
          Refuse(23, "3"),
          {24, "3", As<TLxGetVal>([](TLxGetVal& v) { v.ObjFrame = 3; })},
          {25, "2", As<TLxGetVal>([](TLxGetVal& v) { v.FontSet(2); })},
          {26, "0", As<TLxGetVal>([](TLxGetVal& v) { v.HPos = 0; })},
          {27, "1", As<TLxGetVal>([](TLxGetVal& v) { v.VPos = 1; })},
          {28, "1", As<TLxGetVal>([](TLxGetVal& v) { v.ValType = kes::FormatCode(kes::ValFormat::Signed); })},
          // Hexadecimal: up to four digits, no decimals.
          {28, "2", As<TLxGetVal>([](TLxGetVal& v) {
               v.ValType = kes::FormatCode(kes::ValFormat::Hex);
               v.DecNum = 0;
           })},
          {29, "1", As<TLxGetVal>([](TLxGetVal& v) { v.ValLen = 1; })},
          {30, "2", As<TLxGetVal>([](TLxGetVal& v) { v.IntNum = 2; })},
          {31, "0", As<TLxGetVal>([](TLxGetVal& v) { v.DecNum = 0; })},
          {32, "50000", As<TLxGetVal>([](TLxGetVal& v) { v.ValMax = 50000; })},
          Refuse(32, "70000"),
          {33, "2000", As<TLxGetVal>([](TLxGetVal& v) { v.ValMin = 1000; })}}},
        {"numeric input with read and notify addresses",
         ObjKind::LxGetVal,
         As<TLxGetVal>([this](TLxGetVal& v) {
             v.ReadUsed = 1;
             v.ReadDev.DevAddrCode = Word(200);
             v.NotifyUsed = 1;
             SetAddress(v.NotifyDev, "M10");
             v.NotifyOrder = 1;
             v.NotifyState = 1;
         }),
         {{9, M(180)}, {11, "D200"}, {14, M(180)}, {16, "M10"}, {19, M(226)}, {20, M(228)}},
         {{11, "D201", As<TLxGetVal>([this](TLxGetVal& v) { v.ReadDev.DevAddrCode = Word(201); })},
          {16, "M11", As<TLxGetVal>([this](TLxGetVal& v) { SetAddress(v.NotifyDev, "M11"); })},
          {18, "8", As<TLxGetVal>([](TLxGetVal& v) { v.NotifyDev.RefStation = 8; })},
          {19, "0", As<TLxGetVal>([](TLxGetVal& v) { v.NotifyOrder = 0; })},
          {20, "0", As<TLxGetVal>([](TLxGetVal& v) { v.NotifyState = 0; })},
          // Switched off: no address, the project's link and station.
          {9, "0", As<TLxGetVal>([this](TLxGetVal& v) {
               v.ReadUsed = 0;
               ProjectRef(v.ReadDev, -1);
           })},
          {14, "0", As<TLxGetVal>([this](TLxGetVal& v) {
               v.NotifyUsed = 0;
               ProjectRef(v.NotifyDev, -1);
               v.NotifyOrder = 0;
               v.NotifyState = 0;
           })}}},
        {"static picture",
         ObjKind::StBmp,
         [](TLxObj&) {},
         {{5, "[Bitmap]"}},
         {{5, picture, As<TStBmp>([this](TStBmp& b) { b.BmpLoad(QStringToAnsi(picture), 128, 64); }),
           Is<TStBmp>([this](TStBmp& b) {
               return b.FileName == QStringToAnsi(picture) && b.Picture.Canvas()->Pixel(0, 0) == clBlack &&
                      b.Picture.Canvas()->Pixel(15, 0) == clWhite;
           })}}},
    };
    for (const KindCase& c : cases)
        Run(c);
}

TEST_F(KindRowsTable, Buttons)
{
    state.UserPasswords[3].Level = 2;
    source.pages = 3;
    // What a button of another type starts from: the default word address with the
    // project's link and station, one state.
    const auto valueType = [this](TLxBtn& b, int type) {
        b.BtnType = static_cast<kes::BtnType>(type);
        b.ValKind = 0x10;
        ProjectRef(b.WriteDev, model->DefWordCode);
        b.SetStateNum(1);
        b.SetBtnPt(0);
    };
    const KindCase cases[] =
        {
            {"set-ON button",
             ObjKind::LxBtn,
             As<TLxBtn>([this](TLxBtn& b) {
                 b.BtnType = kes::BtnType::SetOn;
                 SetAddress(b.WriteDev, "M10");
                 b.TxtList = {"Off", "On"};
             }),
             {{5, M(229)},
              {6, M(206), false},
              {7, "M10"},
              {10, M(179)},
              {12, "", false},
              {15, M(179)},
              {17, "", false},
              {22, M(179)},
              {23, "", false},
              {24, "0"},
              {25, M(246)},
              {27, M(242), false},
              {29, "0", false},
              {32, "0", false},
              {33, M(250), false},
              {39, "2", false},
              {40, "0"},
              {41, "Off"},
              {42, "[None]"}},
             {{7, "M20", As<TLxBtn>([this](TLxBtn& b) { SetAddress(b.WriteDev, "M20"); })},
              Refuse(7, "D5"),
              {8, "0", As<TLxBtn>([](TLxBtn& b) { b.WriteDev.RefLink = 0; })},
              {9, "4", As<TLxBtn>([](TLxBtn& b) { b.WriteDev.RefStation = 4; })},
              {10, "1", As<TLxBtn>([this](TLxBtn& b) {
                   b.ReadUsed = 1;
                   ProjectRef(b.ReadDev, model->DefBitCode);
               })},
              {15, "1", As<TLxBtn>([this](TLxBtn& b) {
                   b.NotifyUsed = 1;
                   ProjectRef(b.NotifyDev, model->DefBitCode);
               })},
              {22, "1", As<TLxBtn>([](TLxBtn& b) { b.RefKey = 0; })},
              {24, "2", As<TLxBtn>([](TLxBtn& b) { b.UserLevel = 2; })},
              Refuse(24, "3"),
              {25, "3", As<TLxBtn>([](TLxBtn& b) { b.SetSurface(3); })},
              {26, "2", As<TLxBtn>([](TLxBtn& b) { b.FontSet(2); })},
              {40, "1", nullptr, Is<TLxBtn>([](TLxBtn& b) { return b.CurPt == 1; })},
              {41, "Push", As<TLxBtn>([](TLxBtn& b) { b.TxtList[0] = "Push"; })},
              {43, "0", As<TLxBtn>([](TLxBtn& b) { b.TxtVPos = 0; })},
              {44, "1", As<TLxBtn>([](TLxBtn& b) { b.TxtHPos = 1; })},
              {45, "0", As<TLxBtn>([](TLxBtn& b) { b.BmpVPos = 0; })},
              {46, "1", As<TLxBtn>([](TLxBtn& b) { b.BmpHPos = 1; })},
              {42, picture, As<TLxBtn>([this](TLxBtn& b) {
                   b.BmpLoad(QStringToAnsi(picture));
                   TLxObj::BmpModify(*b.StateBmp(0));
               }),
               Is<TLxBtn>([this](TLxBtn& b) {
                   const TBitmap* pic = b.StateBmp(0);
                   return b.FileList[0] == QStringToAnsi(picture) && pic->Width() == 20 &&
                          pic->Canvas()->Pixel(0, 0) == clBlack && pic->Canvas()->Pixel(15, 0) == clWhite;
               })},
              {5, "1", As<TLxBtn>([](TLxBtn& b) { b.BtnType = kes::BtnType::SetOff; })},
              {5, "6", As<TLxBtn>([](TLxBtn& b) { b.BtnType = kes::BtnType::MultiState; })},
              {5, "7", As<TLxBtn>([&](TLxBtn& b) {
                   valueType(b, 7);
                   b.IntNum = 5;
                   b.DecNum = 0;
                   b.ParamA = 1000;
                   b.ParamB = 0;
               })},
              // Increment and decrement: a step of 1 up to the largest value or down to
              // the smallest, as the settings dialog starts them.
              {5, "9", As<TLxBtn>([&](TLxBtn& b) {
                   valueType(b, 9);
                   b.ParamA = 1;
                   b.ParamB = 65535;
               })},
              {5, "10", As<TLxBtn>([&](TLxBtn& b) {
                   valueType(b, 10);
                   b.ParamA = 1;
                   b.ParamB = 0;
               })},
              {5, "11", As<TLxBtn>([](TLxBtn& b) {
                   b.BtnType = kes::BtnType::ChangePage;
                   b.ValKind = 0x10;
                   b.SetStateNum(1);
               })},
              {5, "12", As<TLxBtn>([this](TLxBtn& b) {
                   b.BtnType = kes::BtnType::SetPassword;
                   b.ValKind = 0x10;
                   ProjectRef(b.WriteDev, -1);
                   b.SetStateNum(1);
               })}}},
            {"multi-state button on a value",
             ObjKind::LxBtn,
             As<TLxBtn>([this](TLxBtn& b) {
                 b.BtnType = kes::BtnType::MultiState;
                 b.ValKind = 0x10;
                 b.WriteDev.DevAddrCode = Word(100);
                 b.SetStateNum(4);
                 b.TxtList = {"A", "B", "C", "D"};
                 b.MultiFlag = 1;
             }),
             {{7, "D100"}, {27, M(243)}, {28, M(182)}, {39, "4"}, {40, "0"}, {41, "A"}},
             {{39, "3", As<TLxBtn>([](TLxBtn& b) { b.SetStateNum(3); })},
              {40, "2", nullptr, Is<TLxBtn>([](TLxBtn& b) { return b.CurPt == 2; })},
              {28, "0", As<TLxBtn>([](TLxBtn& b) { b.MultiFlag = 0; })},
              // The low byte of a word, then a bit: each kind's default address.
              {27, "2", As<TLxBtn>([this](TLxBtn& b) {
                   b.ValKind = 0x20;
                   ProjectRef(b.WriteDev, model->DefWordCode);
               })},
              {27, "0", As<TLxBtn>([this](TLxBtn& b) {
                   b.ValKind = 0;
                   ProjectRef(b.WriteDev, model->DefBitCode);
                   b.SetStateNum(2);
                   b.SetBtnPt(0);
               }),
               Is<TLxBtn>([](TLxBtn& b) { return b.CurPt == 0; })}}},
            {"input value button",
             ObjKind::LxBtn,
             As<TLxBtn>([this](TLxBtn& b) {
                 b.BtnType = kes::BtnType::InputValue;
                 b.ValKind = 0x10;
                 b.WriteDev.DevAddrCode = Word(100);
                 b.SetStateNum(1);
                 b.TxtList = {"Val"};
                 b.IntNum = 4;
                 b.DecNum = 1;
                 b.ParamA = 900;
                 b.ParamB = 10;
             }),
             {{33, M(250)}, {34, M(169)}, {35, "4"}, {36, "1"}, {37, "10"}, {38, "900"}, {40, "0", false}, {41, "Val"}},
             {{38, "5", As<TLxBtn>([](TLxBtn& b) { b.ParamA = 10; })},
              {37, "950", As<TLxBtn>([](TLxBtn& b) { b.ParamB = 900; })},
              {35, "3", As<TLxBtn>([](TLxBtn& b) { b.IntNum = 3; })},
              {36, "0", As<TLxBtn>([](TLxBtn& b) { b.DecNum = 0; })},
              {33, "2", As<TLxBtn>([](TLxBtn& b) {
                   b.ValType = kes::FormatCode(kes::ValFormat::Hex);
                   b.DecNum = 0;
               })},
              {34, "1", As<TLxBtn>([](TLxBtn& b) { b.ValLen = 1; })},
              // Reading its value back, it shows no text.
              {10, "1", As<TLxBtn>([this](TLxBtn& b) {
                   b.ReadUsed = 1;
                   ProjectRef(b.ReadDev, model->DefWordCode);
                   b.TxtList[0].clear();
               })}}},
            {"change-page button",
             ObjKind::LxBtn,
             As<TLxBtn>(
                 [](TLxBtn& b) {
                     b.BtnType = kes::BtnType::ChangePage;
                     b.ValKind = 0x10;
                     b.SetStateNum(1);
                     b.ParamA = 2;
                 }),
             {{7, "", false}, {10, M(179), false}, {15, M(179), false}, {32, "2"}},
             {{32, "1", As<TLxBtn>([](TLxBtn& b) { b.ParamA = 1; })}}},
            // A step of 5 up to 500 on two words.
            {"increment button",
             ObjKind::LxBtn,
             As<TLxBtn>(
                 [](TLxBtn& b) {
                     b.BtnType = kes::BtnType::Increment;
                     b.ValKind = 0x10;
                     b.ValLen = 1;
                     b.SetStateNum(1);
                     b.ParamA = 5;
                     b.ParamB = 500;
                 }),
             {{30, "5"}, {31, "500"}},
             {{30, "3", As<TLxBtn>([](TLxBtn& b) { b.ParamA = 3; })},
              Refuse(30, "70000"),
              {31, "70000", As<TLxBtn>([](TLxBtn& b) { b.ParamB = 70000; })}}},
            {"set-constant button",
             ObjKind::LxBtn,
             As<TLxBtn>(
                 [](TLxBtn& b) {
                     b.BtnType = kes::BtnType::SetConstant;
                     b.ValKind = 0x10;
                     b.SetStateNum(1);
                     b.ParamA = 77;
                 }),
             {{29, "77"}, {10, M(179), false}},
             {Refuse(29, "70000"), {29, "12", As<TLxBtn>([](TLxBtn& b) { b.ParamA = 12; })}}},
        };
    for (const KindCase& c : cases)
        Run(c);
}

// Objects whose stored values the rows can show only clamped or that the rules would not
// give now: an edit of another row leaves them as they are.
TEST_F(KindRowsTable, AnEditLeavesWhatTheUserDidNotTouch)
{
    const KindCase cases[] = {
        {"value-range picture with rising values",
         ObjKind::VrgBmp,
         As<TVrgBmp>([](TVrgBmp& v) {
             v.StateBound = {20, 40, 60, 80, 100};
         }),
         {{12, "20"}},
         {{9, "1", As<TVrgBmp>([](TVrgBmp& v) { v.ValType = kes::FormatCode(kes::ValFormat::Signed); })}}},
        {"numeric input of a level no password has",
         ObjKind::LxGetVal,
         As<TLxGetVal>([](TLxGetVal& v) { v.UserLevel = 3; }),
         {{23, "3"}},
         {{24, "2", As<TLxGetVal>([](TLxGetVal& v) { v.ObjFrame = 2; })}}},
        {"scale whose maximum is below its minimum",
         ObjKind::Scale,
         As<TScale>([](TScale& s) {
             s.ScaleMax = 10;
             s.ScaleMin = 90;
         }),
         {{11, "10"}, {12, "90"}},
         {{7, "2", As<TScale>([](TScale& s) { s.FontSet(2); })}}},
        {"maintained button with a level",
         ObjKind::LxBtn,
         As<TLxBtn>([](TLxBtn& b) {
             b.BtnType = kes::BtnType::Maintained;
             b.UserLevel = 2;
         }),
         {},
         {{25, "2", As<TLxBtn>([](TLxBtn& b) { b.SetSurface(2); })}}},
        // No type yet: it shows none and keeps its word address until the user picks one.
        {"button of no type",
         ObjKind::LxBtn,
         As<TLxBtn>([this](TLxBtn& b) {
             b.BtnType = kes::BtnType::None;
             b.ValKind = 0x10;
             b.WriteDev.DevAddrCode = Word(100);
         }),
         {{5, ""}, {7, "D100", false}},
         {{25, "2", As<TLxBtn>([](TLxBtn& b) { b.SetSurface(2); })}, {5, "0", As<TLxBtn>([this](TLxBtn& b) {
                                                                          b.BtnType = kes::BtnType::SetOn;
                                                                          b.ValKind = 0;
                                                                          ProjectRef(b.WriteDev, model->DefBitCode);
                                                                      })}}},
        {"numeric display with more digits than it shows",
         ObjKind::LxVal,
         As<TLxVal>([](TLxVal& v) {
             v.IntNum = 5;
             v.DecNum = 2;
         }),
         {},
         {{8, "9", As<TLxVal>([](TLxVal& v) { v.RefStation = 9; })}}},
        {"meter of more divisions than the row offers",
         ObjKind::CirMeter,
         As<TCirMeter>([](TCirMeter& m) { m.MajorTicks = 40; }),
         {{11, "32"}},
         {{9, "1", As<TCirMeter>([](TCirMeter& m) { m.FullCircle = 1; })}}},
        // Widths a format of its own width does not use, and an unset one: shown as the
        // format's, kept in the record.
        {"floating display stored as one word",
         ObjKind::LxVal,
         As<TLxVal>([this](TLxVal& v) {
             v.DevAddrCode = Word(100);
             v.ValType = kes::FormatCode(kes::ValFormat::Float);
             v.ValLen = 0;
         }),
         {{6, "D100"}, {13, M(256)}, {14, M(170), false}},
         {{8, "9", As<TLxVal>([](TLxVal& v) { v.RefStation = 9; })},
          {6, "D200", As<TLxVal>([this](TLxVal& v) { v.DevAddrCode = Word(200); })}}},
        {"binary display stored as two words",
         ObjKind::LxVal,
         As<TLxVal>([](TLxVal& v) {
             v.ValType = kes::FormatCode(kes::ValFormat::Binary);
             v.ValLen = 1;
         }),
         {{14, M(169), false}},
         {{9, "2", As<TLxVal>([](TLxVal& v) { v.SetObjFrame(2); })}}},
        {"display of no width",
         ObjKind::LxVal,
         As<TLxVal>([](TLxVal& v) { v.ValLen = 255; }),
         {{14, M(169)}},
         {{11, "1", As<TLxVal>([](TLxVal& v) { v.HPos = 1; })}}},
        {"binary input stored as two words",
         ObjKind::LxGetVal,
         As<TLxGetVal>([](TLxGetVal& v) {
             v.ValType = kes::FormatCode(kes::ValFormat::Binary);
             v.ValLen = 1;
         }),
         {{29, M(169), false}},
         {{24, "2", As<TLxGetVal>([](TLxGetVal& v) { v.ObjFrame = 2; })}}},
    };
    for (const KindCase& c : cases)
        Run(c);
}
