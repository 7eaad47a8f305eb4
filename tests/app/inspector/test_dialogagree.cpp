// The inspector and an object's settings dialog show the same object, for every kind that has
// both: what the dialog's OK stores, the inspector's rows show when the dialog's opener
// refreshes them; what is edited in the rows, the dialog shows when it opens next. And a
// button made a decrement button, by either, never gets a step below its bound.
#include "kindrowstest.h"

#include "app/dialogs/dialogcontext.h"
#include "app/dialogs/objdialogs.h"
#include "app/dialogs/settingsdialog.h"
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
#include "objects/tsttxt.h"
#include "objects/tvrgbmp.h"
#include "objects/valformat.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>

using namespace kes;
using kes::test::KindRowsTest;

namespace {

// A dialog control by its component name and its value: a line edit's text, a list's index,
// a check box or radio button checked ("1") or not ("0").
struct Control {
    const char* Name;
    QString Value;
};
// A row and what it shows, or what is entered into it.
struct RowValue {
    int Row;
    QString Value;
};

struct Agreement {
    const char* What;
    ObjKind Kind;
    std::function<void(TLxObj&)> Setup;
    std::vector<Control> InDialog;    // set in the dialog, then OK
    std::vector<RowValue> RowsShow;   // what the rows show after it
    std::vector<RowValue> InRows;     // entered into the rows, one edit each
    std::vector<Control> DialogShows; // what the dialog shows when it opens again
};

template <class T> std::function<void(TLxObj&)> As(std::function<void(T&)> f)
{
    return [f](TLxObj& o) { f(static_cast<T&>(o)); };
}

QString M(int n) { return Msg(n); }

QWidget* ControlOf(QDialog& d, const char* name)
{
    QWidget* w = d.findChild<QWidget*>(QLatin1String(name));
    EXPECT_NE(w, nullptr) << "the dialog has no " << name;
    return w;
}

// Sets a control as the user does: the handlers of a typed text, a chosen item or a click run.
void Set(QDialog& d, const Control& c)
{
    QWidget* w = ControlOf(d, c.Name);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        edit->setText(c.Value);
        emit edit->textEdited(c.Value);
    } else if (auto* box = qobject_cast<QComboBox*>(w)) {
        box->setCurrentIndex(c.Value.toInt());
        emit box->activated(c.Value.toInt());
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        if (button->isChecked() != (c.Value == QLatin1String("1")))
            button->click();
    }
}

QString ValueOf(QDialog& d, const char* name)
{
    QWidget* w = ControlOf(d, name);
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        return edit->text();
    if (auto* box = qobject_cast<QComboBox*>(w))
        return QString::number(box->currentIndex());
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return button->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    return {};
}

class DialogAgreement : public KindRowsTest {
protected:
    DialogAgreement() : ctx(state, *model, prompt)
    {
        source.pages = 3;
        state.HasRtc = true;
        ctx.PageCount = source.pages;
        ctx.RefreshInspector = [this] { dlg->FormShow(); };
    }

    // Opens obj's dialog as the page's double click does; script fills and closes it.
    bool OpenDialog(TLxObj& obj, std::function<void(QDialog&)> script)
    {
        ctx.Page = page.get();
        prompt.onExec = std::move(script);
        const bool stored = OpenObjDialog(ctx, obj, nullptr);
        prompt.onExec = nullptr;
        return stored;
    }
    // Sets controls in obj's dialog and presses its OK.
    void StoreInDialog(TLxObj& obj, const std::vector<Control>& controls)
    {
        const std::size_t messages = prompt.shown.size();
        const bool stored = OpenDialog(obj, [&](QDialog& d) {
            for (const Control& c : controls)
                Set(d, c);
            dynamic_cast<SettingsDialog&>(d).OkBtnClick();
        });
        EXPECT_TRUE(stored) << (prompt.shown.size() > messages ? "said: " + prompt.shown.back().toStdString() : "");
    }

    void Run(const Agreement& c)
    {
        SCOPED_TRACE(c.What);
        TLxObj& obj = Real<TLxObj>(c.Kind, c.Setup);
        StoreInDialog(obj, c.InDialog);
        for (const RowValue& r : c.RowsShow)
            EXPECT_EQ(Shows(r.Row), r.Value) << "row " << r.Row << " after the dialog";

        const std::size_t messages = prompt.shown.size();
        for (const RowValue& r : c.InRows)
            Enter(r.Row, r.Value);
        ASSERT_EQ(prompt.shown.size(), messages) << prompt.shown.back().toStdString();
        OpenDialog(obj, [&](QDialog& d) {
            for (const Control& ctl : c.DialogShows)
                EXPECT_EQ(ValueOf(d, ctl.Name), ctl.Value) << ctl.Name << " after the rows";
            d.reject();
        });
    }

    DialogContext ctx;
};

// Three states of a value, largest first.
void ValueStates(TStateBmpObj& o, std::int32_t address)
{
    o.StateMode = 0x10;
    o.ValType = 0;
    o.DevAddrCode = address;
    o.SetStateNum(3);
    o.StateVal = {300, 200, 100};
    o.TxtList = {"A", "B", "C"};
}

} // namespace

TEST_F(DialogAgreement, TextsDisplaysAndBitPictures)
{
    const Agreement cases[] = {
        {"static text",
         ObjKind::StTxt,
         As<TStTxt>([](TStTxt& t) { t.SetStatic_Txt({"Hello"}, TFont{}); }),
         {{"Frame_Box", "2"}, {"TxtDir_Box", "1"}, {"TxtHPos_Box", "2"}, {"TxtVPos_Box", "0"}},
         {{5, M(kMsgFrame + 2)}, {6, M(kMsgTextDir + 1)}, {7, M(kMsgHPos + 2)}, {8, M(kMsgVPos)}},
         {{5, "4"}, {6, "3"}, {7, "1"}, {8, "2"}},
         {{"Frame_Box", "4"}, {"TxtDir_Box", "3"}, {"TxtHPos_Box", "1"}, {"TxtVPos_Box", "2"}}},
        {"numeric display",
         ObjKind::LxVal,
         As<TLxVal>([this](TLxVal& v) { v.DevAddrCode = Word(100); }),
         {{"DevRefTxt", "D300"},
          {"ValType_Box", "1"},
          {"ValLen_Box", "1"},
          {"Int_Box", "5"},
          {"Dec_Box", "2"},
          {"HPos_Box", "1"},
          {"Frame_Box", "3"},
          {"Font_Box", "2"},
          {"HZeroBtn", "1"}},
         {{6, "D300"},
          {13, M(kMsgFormat + 1)},
          {14, M(kMsgWidth + 1)},
          {15, "6"},
          {16, "2"},
          {11, M(kMsgHPos + 1)},
          {9, M(kMsgFrame + 3)},
          {10, M(kMsgPanelFont + 2)},
          {12, M(kMsgNoYes + 1)}},
         {{6, "D40"}, {9, "1"}, {10, "3"}, {11, "2"}, {12, "0"}, {15, "3"}, {16, "1"}},
         {{"DevRefTxt", "D40"},
          {"Frame_Box", "1"},
          {"Font_Box", "3"},
          {"HPos_Box", "2"},
          {"HZeroBtn", "0"},
          {"ValType_Box", "1"},
          {"ValLen_Box", "1"},
          {"Int_Box", "2"},
          {"Dec_Box", "1"}}},
        {"numeric display in hexadecimal",
         ObjKind::LxVal,
         As<TLxVal>([](TLxVal&) {}),
         {{"ValType_Box", "2"}, {"Int_Box", "2"}},
         {{13, M(kMsgFormat + 2)}, {15, "3"}},
         {{13, "6"}},
         {{"ValType_Box", "6"}}},
        {"floating numeric display",
         ObjKind::LxVal,
         As<TLxVal>([](TLxVal&) {}),
         {{"ValType_Box", "6"}},
         {{13, M(kMsgFormat + 6)}},
         {{13, "5"}},
         {{"ValType_Box", "5"}}},
        {"bit picture",
         ObjKind::LxDevBmp,
         As<TLxDevBmp>([this](TLxDevBmp& b) { SetAddress(b, "M10"); }),
         {{"DevRefTxt", "M30"}, {"ON_Box", "5"}, {"OFF_Box", "2"}},
         {{6, "M30"}, {10, "#5"}, {11, "#2"}},
         {{6, "M40"}, {10, "9"}, {11, "3"}},
         {{"DevRefTxt", "M40"}, {"ON_Box", "9"}, {"OFF_Box", "3"}}},
        {"bit picture of a word",
         ObjKind::LxAdvDevBmp,
         As<TLxAdvDevBmp>([this](TLxAdvDevBmp& b) {
             b.ValMode = 0;
             SetAddress(b, "M10");
         }),
         {{"DevRefTxt", "M30"}, {"ON_Box", "5"}, {"OFF_Box", "2"}},
         {{6, "M30"}, {12, "#5"}, {13, "#2"}},
         {{6, "M40"}, {12, "9"}, {13, "3"}},
         {{"DevRefTxt", "M40"}, {"ON_Box", "9"}, {"OFF_Box", "3"}}},
        {"value-range picture",
         ObjKind::VrgBmp,
         As<TVrgBmp>([this](TVrgBmp& v) {
             v.DevAddrCode = Word(100);
             v.StateBound = {100, 80, 60, 40, 20};
             v.StatePic = {1, 2, 3, 4, 5};
         }),
         {{"DevRefTxt", "D300"}, {"ValType_Box", "1"}, {"ValLen_Box", "1"}, {"Comp_Txt", "150"}, {"Bmp_Box", "7"}},
         {{6, "D300"}, {9, M(kMsgFormat + 1)}, {10, M(kMsgWidth + 1)}, {11, "0"}, {12, "150"}, {13, "#7"}},
         {{6, "D40"}, {9, "0"}, {12, "120"}, {13, "9"}},
         {{"DevRefTxt", "D40"}, {"ValType_Box", "0"}, {"State_Box", "0"}, {"Comp_Txt", "120"}, {"Bmp_Box", "9"}}},
        // Entered small to large, state 0 is the smallest value's entry.
        {"value-range picture small to large",
         ObjKind::VrgBmp,
         As<TVrgBmp>([](TVrgBmp& v) {
             v.StateBound = {100, 80, 60, 40, 20};
             v.StatePic = {1, 2, 3, 4, 5};
             v.RangeOrder = 1;
         }),
         {{"Comp_Txt", "10"}, {"Bmp_Box", "7"}},
         {{11, "0"}, {12, "10"}, {13, "#7"}, {14, M(kMsgOrder + 1)}},
         {{12, "30"}, {13, "9"}},
         {{"State_Box", "0"}, {"Comp_Txt", "30"}, {"Bmp_Box", "9"}}},
    };
    for (const Agreement& c : cases)
        Run(c);
}

TEST_F(DialogAgreement, StatePicturesLampsAndMessages)
{
    const Agreement cases[] = {
        {"multi-state picture",
         ObjKind::ActBmp,
         As<TActBmp>([this](TActBmp& o) { ValueStates(o, Word(100)); }),
         {{"DevRefTxt", "D300"}, {"ValType_Box", "1"}, {"ValLen_Box", "1"}, {"Comp_Txt", "450"}},
         {{6, "D300"},
          {9, M(kMsgAddrKind + 1)},
          {10, M(kMsgFormat + 1)},
          {11, M(kMsgWidth + 1)},
          {12, "3"},
          {13, "0"},
          {14, "450"}},
         {{6, "D40"}, {10, "3"}, {14, "350"}, {12, "2"}},
         {{"DevRefTxt", "D40"},
          {"Val_Rdo", "1"},
          {"ValType_Box", "3"},
          {"RgNum_Txt", "2"},
          {"State_Box", "0"},
          {"Comp_Txt", "350"}}},
        {"lamp",
         ObjKind::Light,
         As<TLight>([this](TLight& o) { ValueStates(o, Word(100)); }),
         {{"Comp_Txt", "450"}, {"BmpTxt", "Hot"}},
         {{14, "450"}, {16, "Hot"}},
         {{16, "Cold"}, {18, "1"}},
         // The order reversed: state 0 is the smallest value's; the texts turned end for
         // end, so the text typed for state 0 is still state 0's.
         {{"ValSetWay_1", "1"}, {"State_Box", "0"}, {"Comp_Txt", "100"}, {"BmpTxt", "Cold"}}},
        {"bit lamp",
         ObjKind::Light,
         As<TLight>([this](TLight& o) {
             o.StateMode = 0;
             SetAddress(o, "M10");
             o.TxtList = {"Off", "On"};
         }),
         {{"DevRefTxt", "M30"}, {"BmpTxt", "Dark"}},
         {{6, "M30"}, {9, M(kMsgAddrKind)}, {16, "Dark"}},
         {{9, "1"}},
         {{"Val_Rdo", "1"}, {"RgNum_Txt", "2"}}},
        {"message text",
         ObjKind::MsgTxt,
         As<TMsgTxt>([this](TMsgTxt& m) {
             m.StateMode = 0x10;
             m.DevAddrCode = Word(100);
             m.SetStateNum(3);
             m.Messages = {"Low", "Mid", "High"};
             m.StateVal = {300, 200, 100};
         }),
         {{"RunLight_Rdo", "1"}, {"Dir_Box", "2"}, {"Int_Box", "3"}, {"Msg_Txt", "Lowest"}, {"Comp_Txt", "400"}},
         {{10, M(kMsgDisplay + 2)}, {11, M(kMsgTextDir + 2)}, {12, M(kMsgSpeed + 3)}, {17, "400"}, {18, "Lowest"}},
         {{11, "0"}, {12, "1"}, {18, "Least"}, {17, "350"}, {10, "1"}},
         {{"Shine_Rdo", "1"}, {"State_Box", "0"}, {"Msg_Txt", "Least"}, {"Comp_Txt", "350"}}},
    };
    for (const Agreement& c : cases)
        Run(c);
}

TEST_F(DialogAgreement, ScalesBarGraphsMetersAndCurves)
{
    const Agreement cases[] = {
        {"scale",
         ObjKind::Scale,
         As<TScale>([](TScale&) {}),
         {{"Dir_Box", "2"},
          {"Side_Box", "1"},
          {"Main_Txt", "8"},
          {"Sub_Txt", "4"},
          {"Max_Txt", "300"},
          {"Min_Txt", "-20"},
          {"ValLen_Box", "1"},
          {"Font_Box", "2"}},
         {{5, M(kMsgStateOffOn + 1)},
          {6, M(kMsgNumberPos + 2)},
          {7, M(kMsgPanelFont + 2)},
          {8, "8"},
          {9, "4"},
          {10, M(kMsgWidth + 1)},
          {11, "300"},
          {12, "-20"}},
         {{5, "0"}, {6, "3"}, {7, "1"}, {8, "10"}, {9, "2"}, {10, "0"}, {11, "500"}, {12, "-100"}},
         {{"Side_Box", "0"},
          {"Dir_Box", "3"},
          {"Font_Box", "1"},
          {"Main_Txt", "10"},
          {"Sub_Txt", "2"},
          {"ValLen_Box", "0"},
          {"Max_Txt", "500"},
          {"Min_Txt", "-100"}}},
        {"bar graph",
         ObjKind::ProgBar,
         As<TProgBar>([this](TProgBar& b) { b.DevAddrCode = Word(100); }),
         {{"DevRefTxt", "D300"},
          {"Pos_Box", "2"},
          {"ValType_Box", "1"},
          {"ValLen_Box", "1"},
          {"Max_Txt", "5000"},
          {"Min_Txt", "-300"}},
         {{6, "D300"},
          {9, M(kMsgTextDir + 2)},
          {10, M(kMsgFormat + 1)},
          {11, M(kMsgWidth + 1)},
          {12, "5000"},
          {13, "-300"}},
         {{6, "D40"}, {9, "3"}, {12, "4000"}, {13, "-200"}, {11, "0"}},
         {{"DevRefTxt", "D40"},
          {"Pos_Box", "3"},
          {"ValType_Box", "1"},
          {"ValLen_Box", "0"},
          {"Max_Txt", "4000"},
          {"Min_Txt", "-200"}}},
        {"circular meter",
         ObjKind::CirMeter,
         As<TCirMeter>([this](TCirMeter& m) { m.DevAddrCode = Word(100); }),
         {{"DevRefTxt", "D300"},
          {"ValType_Box", "1"},
          {"Int_Box", "2"},
          {"Dec_Box", "1"},
          {"Max_Txt", "900"},
          {"Min_Txt", "-90"},
          {"MainS_Txt", "6"},
          {"SubS_Txt", "3"},
          {"Font_Box", "2"},
          {"Style_1", "1"}},
         {{6, "D300"},
          {9, M(kMsgDial + 1)},
          {10, M(kMsgPanelFont + 2)},
          {11, "6"},
          {12, "3"},
          {13, M(kMsgFormat + 1)},
          {14, "3"},
          {15, "1"},
          {16, "900"},
          {17, "-90"}},
         {{6, "D40"}, {9, "0"}, {10, "1"}, {11, "8"}, {12, "5"}, {14, "2"}, {15, "2"}, {16, "800"}, {17, "-80"}},
         {{"DevRefTxt", "D40"},
          {"Style_0", "1"},
          {"Font_Box", "1"},
          {"MainS_Txt", "8"},
          {"SubS_Txt", "5"},
          {"ValType_Box", "1"},
          {"Int_Box", "1"},
          {"Dec_Box", "2"},
          {"Max_Txt", "800"},
          {"Min_Txt", "-80"}}},
        {"trend curve",
         ObjKind::LxCurve,
         As<TLxCurve>([this](TLxCurve& c) { c.DevAddrCode = Word(100); }),
         {{"DevRefTxt", "D300"}, {"VMax_Txt", "800"}, {"VMin_Txt", "20"}},
         {{6, "D300"}, {9, "800"}, {10, "20"}},
         {{6, "d40"}, {9, "700"}, {10, "30"}},
         {{"DevRefTxt", "D40"}, {"VMax_Txt", "700"}, {"VMin_Txt", "30"}}},
        {"X-Y curve",
         ObjKind::LxXyCurve,
         As<TLxXyCurve>([](TLxXyCurve&) {}),
         {{"HMax_Txt", "600"}, {"HMin_Txt", "10"}},
         {{11, "600"}, {12, "10"}},
         {{11, "500"}, {12, "50"}},
         {{"HMax_Txt", "500"}, {"HMin_Txt", "50"}}},
    };
    for (const Agreement& c : cases)
        Run(c);
}

TEST_F(DialogAgreement, ClocksUnitsAndNumericInputs)
{
    state.UserPasswords[3].Level = 2;
    const Agreement cases[] = {
        {"clock",
         ObjKind::Rtc,
         As<TRtc>([this](TRtc& r) {
             r.RtcFormat = 0x10;
             r.DevAddrCode = Word(100);
         }),
         {{"TimeRef_0", "1"},
          {"ChkBox_Writ", "1"},
          {"DevRefTxt", "D300"},
          {"TimeType_2", "1"},
          {"HPos_Box", "1"},
          {"Frame_Box", "2"},
          {"Font_Box", "3"}},
         {{6, "D300"},
          {9, M(kMsgFrame + 2)},
          {10, M(kMsgHPos + 1)},
          {11, M(kMsgPanelFont + 3)},
          {12, M(kMsgClockSource)},
          {13, M(kMsgNoYes + 1)},
          {14, M(kMsgClockItem + 2)}},
         {{6, "D40"}, {9, "0"}, {10, "2"}, {11, "0"}, {14, "1"}, {13, "0"}},
         {{"TimeRef_0", "1"},
          {"ChkBox_Writ", "0"},
          {"DevRefTxt", ""},
          {"TimeType_1", "1"},
          {"HPos_Box", "2"},
          {"Frame_Box", "0"},
          {"Font_Box", "0"}}},
        {"measurement unit",
         ObjKind::Metrol,
         As<TMetrol>([](TMetrol&) {}),
         {{"MetrolType_Box", "3"}, {"MetrolName_Box", "2"}},
         {{5, M(kMsgUnitType + 3)}, {6, "#2"}},
         {{5, "1"}, {6, "4"}},
         {{"MetrolType_Box", "1"}, {"MetrolName_Box", "4"}}},
        {"numeric input",
         ObjKind::LxGetVal,
         As<TLxGetVal>([this](TLxGetVal& v) { v.WriteDev.DevAddrCode = Word(100); }),
         {{"DevWriteTxt", "D300"},
          {"DevRd_Chk", "1"},
          {"DevReadTxt", "D310"},
          {"Call_Chk", "1"},
          {"DevCallTxt", "M30"},
          {"CallOrder_1", "1"},
          {"CallState_1", "1"},
          {"ComboBox_UserLevel", "2"},
          {"Frame_Box", "2"},
          {"Font_Box", "1"},
          {"HPos_Box", "0"},
          {"VPos_Box", "1"},
          {"ValType_Box", "1"},
          {"ValLen_Box", "1"},
          {"Int_Box", "5"},
          {"Dec_Box", "2"},
          {"Max_Txt", "9000"},
          {"Min_Txt", "-9000"}},
         {{6, "D300"},
          {9, M(kMsgNoYes + 1)},
          {11, "D310"},
          {14, M(kMsgNoYes + 1)},
          {16, "M30"},
          {19, M(kMsgTiming + 1)},
          {20, M(kMsgResetSet + 1)},
          {23, "2"},
          {24, M(kMsgFrame + 2)},
          {25, M(kMsgPanelFont + 1)},
          {26, M(kMsgHPos)},
          {27, M(kMsgVPos + 1)},
          {28, M(kMsgFormat + 1)},
          {29, M(kMsgWidth + 1)},
          {30, "6"},
          {31, "2"},
          {32, "9000"},
          {33, "-9000"}},
         {{6, "D40"},
          {11, "D41"},
          {16, "M40"},
          {19, "0"},
          {20, "0"},
          {21, "1"},
          {23, "0"},
          {24, "3"},
          {25, "2"},
          {26, "2"},
          {27, "0"},
          {29, "0"},
          {30, "2"},
          {31, "1"},
          {32, "800"},
          {33, "-800"}},
         {{"DevWriteTxt", "D40"},      {"DevRd_Chk", "1"},    {"DevReadTxt", "D41"},
          {"Call_Chk", "1"},           {"DevCallTxt", "M40"}, {"CallOrder_0", "1"},
          {"CallState_0", "1"},        {"RefKey_Chk", "1"},   {"RefKey_Box", "0"},
          {"ComboBox_UserLevel", "0"}, {"Frame_Box", "3"},    {"Font_Box", "2"},
          {"HPos_Box", "2"},           {"VPos_Box", "0"},     {"ValType_Box", "1"},
          {"ValLen_Box", "0"},         {"Int_Box", "1"},      {"Dec_Box", "1"},
          {"Max_Txt", "800"},          {"Min_Txt", "-800"}}},
        // Floating values: the fifth format, two words, limits as whole signed numbers.
        {"floating numeric input",
         ObjKind::LxGetVal,
         As<TLxGetVal>([](TLxGetVal&) {}),
         {{"ValType_Box", "4"}, {"Max_Txt", "9000"}, {"Min_Txt", "-9000"}},
         {{28, M(kMsgFormat + 6)}, {32, "9000"}, {33, "-9000"}},
         {{32, "7000"}},
         {{"ValType_Box", "4"}, {"ValLen_Box", "1"}, {"Max_Txt", "7000"}, {"Min_Txt", "-9000"}}},
        {"numeric input made floating",
         ObjKind::LxGetVal,
         As<TLxGetVal>([](TLxGetVal&) {}),
         {},
         {},
         {{28, "4"}, {33, "-5"}},
         {{"ValType_Box", "4"}, {"ValLen_Box", "1"}, {"Min_Txt", "-5"}}},
    };
    for (const Agreement& c : cases)
        Run(c);
}

TEST_F(DialogAgreement, Buttons)
{
    state.UserPasswords[3].Level = 2;
    const Agreement cases[] = {
        {"increment button",
         ObjKind::LxBtn,
         As<TLxBtn>([this](TLxBtn& b) {
             b.BtnType = kes::BtnType::SetOn;
             SetAddress(b.WriteDev, "M10");
         }),
         {{"BtnType_Box", "9"},
          {"DevWritTxt", "D300"},
          {"AddVal_Txt", "2"},
          {"Bound_Txt", "700"},
          {"BtnSurFace_Box", "2"},
          {"Font_Box", "3"}},
         {{5, M(kMsgBtnType + 9)},
          {7, "D300"},
          {30, "2"},
          {31, "700"},
          {25, M(kMsgSurface + 2)},
          {26, M(kMsgPanelFont + 3)}},
         {{5, "10"}, {7, "D40"}, {25, "4"}, {22, "1"}},
         {{"BtnType_Box", "10"},
          {"DevWritTxt", "D40"},
          {"AddVal_Txt", "1"},
          {"Bound_Txt", "0"},
          {"BtnSurFace_Box", "4"},
          {"RefKey_Chk", "1"},
          {"RefKey_Box", "0"},
          {"Font_Box", "3"}}},
        {"button that reads and notifies",
         ObjKind::LxBtn,
         As<TLxBtn>([this](TLxBtn& b) {
             b.BtnType = kes::BtnType::Alternate;
             SetAddress(b.WriteDev, "M10");
         }),
         {{"DevRd_Chk", "1"},
          {"DevReadTxt", "M11"},
          {"Call_Chk", "1"},
          {"CallTxt", "M12"},
          {"CallOrder_1", "1"},
          {"CallState_1", "1"},
          {"ComboBox_UserLevel", "2"}},
         {{10, M(kMsgNoYes + 1)},
          {12, "M11"},
          {15, M(kMsgNoYes + 1)},
          {17, "M12"},
          {20, M(kMsgTiming + 1)},
          {21, M(kMsgResetSet + 1)},
          {24, "2"}},
         {{12, "M21"}, {17, "M22"}, {20, "0"}, {21, "0"}, {24, "0"}},
         {{"DevRd_Chk", "1"},
          {"DevReadTxt", "M21"},
          {"Call_Chk", "1"},
          {"CallTxt", "M22"},
          {"CallOrder_0", "1"},
          {"CallState_0", "1"},
          {"ComboBox_UserLevel", "0"}}},
        {"multi-state button",
         ObjKind::LxBtn,
         As<TLxBtn>([this](TLxBtn& b) {
             b.BtnType = kes::BtnType::MultiState;
             b.ValKind = 0x10;
             b.WriteDev.DevAddrCode = Word(100);
             b.SetStateNum(3);
             b.TxtList = {"A", "B", "C"};
         }),
         {{"StaNum_Txt", "4"}, {"Btn_Txt", "First"}, {"StateTo_1", "1"}},
         {{27, M(kMsgAddrKind + 1)}, {28, M(kMsgNextPrev + 1)}, {39, "4"}, {40, "0"}, {41, "First"}},
         // Fewer states show the last one left, whose text is then typed.
         {{39, "2"}, {41, "Two"}, {28, "0"}},
         {{"Val_Rdo", "1"}, {"StaNum_Txt", "2"}, {"State_Box", "1"}, {"Btn_Txt", "Two"}, {"StateTo_0", "1"}}},
        {"change-page button",
         ObjKind::LxBtn,
         As<TLxBtn>([](TLxBtn& b) {
             b.BtnType = kes::BtnType::ChangePage;
             b.ValKind = 0x10;
             b.SetStateNum(1);
         }),
         {{"PgChg_Box", "2"}},
         {{32, "2"}},
         {{32, "1"}},
         {{"PgChg_Box", "1"}}},
        {"floating input value button",
         ObjKind::LxBtn,
         As<TLxBtn>([this](TLxBtn& b) {
             b.BtnType = kes::BtnType::InputValue;
             b.ValKind = 0x10;
             b.WriteDev.DevAddrCode = Word(100);
             b.SetStateNum(1);
             b.IntNum = 5;
         }),
         {{"ValType_Box", "4"}, {"Max_Txt", "9000"}, {"Min_Txt", "-9000"}},
         {{33, M(kMsgFormat + 6)}, {37, "-9000"}, {38, "9000"}},
         {{38, "8000"}},
         {{"ValType_Box", "4"}, {"ValLen_Box", "1"}, {"Max_Txt", "8000"}, {"Min_Txt", "-9000"}}},
        {"set-constant button made floating",
         ObjKind::LxBtn,
         As<TLxBtn>([this](TLxBtn& b) {
             b.BtnType = kes::BtnType::SetConstant;
             b.ValKind = 0x10;
             b.WriteDev.DevAddrCode = Word(100);
             b.SetStateNum(1);
         }),
         {},
         {},
         {{33, "4"}, {29, "-7"}},
         {{"ValType_Box", "4"}, {"Normal_Txt", "-7"}}},
    };
    for (const Agreement& c : cases)
        Run(c);
}

// A decrement button steps down to its bound: made one by the rows or by the dialog, it starts
// with a step of 1 and the format's smallest value as its bound, never a step below it
// (whether the two values are read as step and bound or as upper and lower limit).
TEST_F(DialogAgreement, ADecrementButtonStartsWithItsStepAtOrAboveItsBound)
{
    struct From {
        const char* What;
        std::function<void(TLxBtn&)> Setup;
        std::int32_t Bound; // the format's smallest value
    };
    const From from[] = {
        {"set-ON button",
         [this](TLxBtn& b) {
             b.BtnType = kes::BtnType::SetOn;
             SetAddress(b.WriteDev, "M10");
         },
         0},
        {"signed two-word increment button",
         [](TLxBtn& b) {
             b.BtnType = kes::BtnType::Increment;
             b.ValKind = 0x10;
             b.ValType = kes::FormatCode(kes::ValFormat::Signed);
             b.ValLen = 1;
             b.ParamA = 5;
             b.ParamB = 500;
         },
         INT32_MIN},
        {"input value button",
         [](TLxBtn& b) {
             b.BtnType = kes::BtnType::InputValue;
             b.ValKind = 0x10;
             b.ParamA = 1000;
             b.ParamB = 10;
         },
         0},
    };
    for (const From& f : from) {
        SCOPED_TRACE(f.What);
        auto& b = Real<TLxBtn>(ObjKind::LxBtn, f.Setup);
        Enter(5, "10");
        EXPECT_EQ(b.BtnType, kes::BtnType::Decrement);
        EXPECT_EQ(b.ParamA, 1) << "step";
        EXPECT_EQ(b.ParamB, f.Bound) << "bound";
        EXPECT_GE(b.ParamA, b.ParamB);

        auto& d = Real<TLxBtn>(ObjKind::LxBtn, f.Setup);
        StoreInDialog(d, {{"BtnType_Box", "10"}});
        EXPECT_EQ(d.BtnType, kes::BtnType::Decrement);
        EXPECT_EQ(d.ParamA, 1) << "step";
        EXPECT_EQ(d.ParamB, FormatMin(d.ValType, d.ValLen)) << "bound";
        EXPECT_GE(d.ParamA, d.ParamB);
    }
}
