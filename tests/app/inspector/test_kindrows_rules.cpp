// The rules behind the kinds' rows: address rows open the address picker and take only
// what the model's device table takes; texts keep their double-byte characters whole;
// function keys are bound only where the page leaves them free (its bindings counted from
// its objects, not trusted); state switches store nothing else; counts keep what they can.
#include "kindrowstest.h"

#include "objects/tcirmeter.h"
#include "objects/tlight.h"
#include "objects/tlxbtn.h"
#include "objects/tlxgetval.h"
#include "objects/tlxval.h"
#include "objects/tmsgtxt.h"
#include "objects/tvrgbmp.h"

using namespace kes;
using kes::test::KindRowsTest;
using kes::test::RecordOf;

namespace {

class KindRules : public KindRowsTest {
protected:
    QString Refusal(int row) { return Grid().Prop(row)->Name + " " + Msg(5); }
};

} // namespace

TEST_F(KindRules, AddressRowsOpenThePicker)
{
    auto& v = Real<TLxVal>(ObjKind::LxVal, [this](TLxVal& o) {
        o.DevAddrCode = Word(100);
        o.ValLen = 1;
    });
    EXPECT_EQ(static_cast<TPropText*>(Grid().Prop(6))->Picker, 1);
    AddressPick asked;
    source.pick = [&](AddressPick& io) {
        asked = io;
        io.Text = "D200";
        io.Station = 7;
        io.Link = 0;
        return true;
    };
    ClickZone(6);
    EXPECT_EQ(asked.Text, "D100");
    EXPECT_EQ(asked.WantKind, DevWant::Word);
    EXPECT_EQ(asked.Access, 1); // of two words
    EXPECT_EQ(v.DevAddrCode, Word(200));
    EXPECT_EQ(v.RefStation, 7);
    EXPECT_EQ(v.RefLink, 0);
    EXPECT_EQ(Shows(6), "D200");
    EXPECT_EQ(source.modified, 1);

    // The panel's own memory comes with its flag; the page noted for undo has neither.
    source.pick = [](AddressPick& io) {
        io.Text = "@V5";
        io.PanelMemory = true;
        return true;
    };
    const Bytes controller = RecordOf(v);
    ClickZone(6);
    EXPECT_EQ(v.RefIntMem, 1);
    EXPECT_EQ(v.DevAddrCode, 0x30005);
    EXPECT_EQ(source.noted, controller) << "undo would keep the panel memory's flag";

    // Cancelled: nothing; a bit device where a word is read: refused, nothing changed.
    const Bytes before = RecordOf(v);
    source.pick = [](AddressPick&) { return false; };
    ClickZone(6);
    source.pick = [](AddressPick& io) {
        io.Text = "S5";
        io.PanelMemory = false;
        return true;
    };
    ClickZone(6);
    EXPECT_EQ(RecordOf(v), before);
    EXPECT_EQ(v.RefIntMem, 1);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown.back(), Refusal(6));
    EXPECT_EQ(source.modified, 2);

    // A click beside the button types the address in place.
    ClickValue(6);
    EXPECT_TRUE(dlg->EdtTxt->isVisible());
    EXPECT_EQ(dlg->EdtTxt->width(), Cell(6).width() - TAdvStringGrid::kButtonWidth);
}

TEST_F(KindRules, ButtonAddressesOfEachKindGoThroughThePicker)
{
    auto& b = Real<TLxBtn>(ObjKind::LxBtn, [this](TLxBtn& o) {
        o.BtnType = kes::BtnType::SetOn;
        SetAddress(o.WriteDev, "M10");
        o.NotifyUsed = 1;
        SetAddress(o.NotifyDev, "M11");
    });
    std::vector<DevWant> kinds;
    source.pick = [&](AddressPick& io) {
        kinds.push_back(io.WantKind);
        io.Text = io.Text == "M10" ? "M20" : "M21";
        return true;
    };
    ClickZone(7);
    ClickZone(17);
    EXPECT_EQ(kinds, (std::vector<DevWant>{DevWant::Bit, DevWant::Bit}));
    EXPECT_EQ(b.WriteDev.DevText, "M20");
    EXPECT_EQ(b.NotifyDev.DevText, "M21");
}

TEST_F(KindRules, DoubleByteTextsStayWhole)
{
    ScopedCodePage big5(950);
    auto& lamp = Real<TLight>(ObjKind::Light, [](TLight& o) { o.TxtList = {"Off", "On"}; });
    Enter(16, QStringLiteral("燈亮"));
    EXPECT_EQ(lamp.TxtList[0], QStringToAnsi(QStringLiteral("燈亮")));
    EXPECT_EQ(lamp.TxtList[0].size(), 4u);
    EXPECT_EQ(Shows(16), QStringLiteral("燈亮"));

    // A message wider than the panel takes is cut by whole characters.
    auto& msg = Real<TMsgTxt>(ObjKind::MsgTxt, [](TMsgTxt& o) { o.Messages = {"a", "b"}; });
    const QString wide = QString(QStringLiteral("一二三四五六七八九十")).repeated(6);
    Enter(18, wide);
    const AnsiString stored = msg.Messages[0];
    EXPECT_FALSE(stored.empty());
    EXPECT_LE(msg.Picture.Canvas()->TextWidth(stored), TMsgTxt::kMaxMessageWidth);
    EXPECT_EQ(stored.size() % 2, 0u);
    EXPECT_TRUE(wide.startsWith(AnsiToQString(stored)));
    EXPECT_LT(AnsiToQString(stored).size(), wide.size());
    EXPECT_EQ(Shows(18), AnsiToQString(stored));
}

TEST_F(KindRules, FunctionKeysAreBoundOnlyWhereThePageLeavesThemFree)
{
    auto& v = Real<TLxGetVal>(ObjKind::LxGetVal, [](TLxGetVal&) {});
    // The page's own key setting holds F0, another object F1.
    page->PgFunKeyUsed[0] = 1;
    auto other = std::make_unique<TLxGetVal>();
    other->RefKey = 1;
    page->AppendObj(std::move(other));
    Enter(21, "1");
    EXPECT_EQ(v.RefKey, 2);
    EXPECT_EQ(page->ObjFunKeyUsed[2], 1);

    // A key in use, or Up while Up and Down are not function keys: refused, F2 kept.
    Enter(22, "1");
    EXPECT_EQ(v.RefKey, 2);
    EXPECT_EQ(prompt.shown.back(), Refusal(22));
    Enter(22, "10");
    EXPECT_EQ(v.RefKey, 2);
    EXPECT_EQ(prompt.shown.size(), 2u);
    state.EnableUpDown = true;
    Enter(22, "10");
    EXPECT_EQ(v.RefKey, 10);
    EXPECT_EQ(page->ObjFunKeyUsed[10], 1);
    EXPECT_EQ(page->ObjFunKeyUsed[2], 0);

    // A binding left behind by an undone object is not trusted: F4 is free.
    page->ObjFunKeyUsed[4] = 1;
    Enter(22, "4");
    EXPECT_EQ(v.RefKey, 4);
    // No key: the flag goes with it.
    Enter(21, "0");
    EXPECT_EQ(v.RefKey, 255);
    EXPECT_EQ(page->ObjFunKeyUsed[4], 0);
    EXPECT_FALSE(Grid().Prop(22)->IsVisible());

    // With every key taken the input gets none.
    page->PgFunKeyUsed.fill(1);
    Enter(21, "1");
    EXPECT_EQ(v.RefKey, 255);
}

TEST_F(KindRules, AMaintainedButtonTakesNoArrowKey)
{
    state.EnableUpDown = true;
    auto& b = Real<TLxBtn>(ObjKind::LxBtn, [](TLxBtn& o) {
        o.BtnType = kes::BtnType::SetOn;
        o.RefKey = 12;
    });
    EXPECT_EQ(page->ObjFunKeyUsed[12], 1);
    Enter(5, "5");
    EXPECT_EQ(b.BtnType, kes::BtnType::Maintained);
    EXPECT_EQ(b.RefKey, 255);
    EXPECT_EQ(page->ObjFunKeyUsed[12], 0);
    EXPECT_TRUE(prompt.shown.empty());
    Enter(22, "1");
    EXPECT_EQ(b.RefKey, 0);
    Enter(23, "11");
    EXPECT_EQ(b.RefKey, 0);
    EXPECT_EQ(prompt.shown.back(), Refusal(23));
    // Any other button takes the first free key its type allows.
    page->PgFunKeyUsed.fill(1);
    page->PgFunKeyUsed[13] = 0;
    Enter(5, "0");
    Enter(22, "0");
    Enter(22, "1");
    EXPECT_EQ(b.RefKey, 13);
}

TEST_F(KindRules, AStateSwitchStoresNothingElse)
{
    auto& v = Real<TVrgBmp>(ObjKind::VrgBmp, [](TVrgBmp& o) { o.StateBound = {100, 80, 60, 40, 20}; });
    Enter(11, "2");
    EXPECT_EQ(v.CurPt, 2);
    EXPECT_EQ(Shows(12), "60");
    Enter(12, "90");
    EXPECT_EQ(v.StateBound[2], 80u);
    Enter(12, "30");
    EXPECT_EQ(v.StateBound[2], 40u);

    // Another state and a value in one write: only the state.
    const Bytes before = RecordOf(v);
    static_cast<TPropComboVal*>(Grid().Prop(11))->ItemIndex = 4;
    static_cast<TPropTextVal*>(Grid().Prop(12))->Value = 55;
    dlg->PropToObj();
    EXPECT_EQ(v.CurPt, 4);
    EXPECT_EQ(RecordOf(v), before);
}

TEST_F(KindRules, StateCountsKeepTheStatesThatStay)
{
    auto& lamp = Real<TLight>(ObjKind::Light, [](TLight& o) {
        o.StateMode = 0x10;
        o.SetStateNum(5);
        o.StateVal = {500, 400, 300, 200, 100};
        o.TxtList = {"a", "b", "c", "d", "e"};
    });
    Enter(13, "4");
    Enter(12, "3");
    EXPECT_EQ(lamp.TotalState, 3);
    EXPECT_EQ(lamp.CurPt, 2);
    EXPECT_EQ(lamp.StateVal, (std::vector<std::uint32_t>{500, 400, 300}));
    EXPECT_EQ(lamp.TxtList, (std::vector<AnsiString>{"a", "b", "c"}));
    Enter(12, "5");
    const Bytes grown = RecordOf(lamp);
    EXPECT_EQ(lamp.StateVal, (std::vector<std::uint32_t>{500, 400, 300, 0, 0}));
    EXPECT_EQ(lamp.FileList[4], "");
    Enter(12, "3");
    Enter(12, "5");
    EXPECT_EQ(RecordOf(lamp), grown);

    // A multi-state button on the low byte of a word has at most 16 states.
    auto& b = Real<TLxBtn>(ObjKind::LxBtn, [](TLxBtn& o) {
        o.BtnType = kes::BtnType::MultiState;
        o.ValKind = 0x20;
        o.SetStateNum(4);
    });
    Enter(39, "20");
    EXPECT_EQ(b.TotalState, 16);
    // In value mode up to 255.
    Enter(27, "1");
    Enter(39, "300");
    EXPECT_EQ(b.TotalState, 255);
}

TEST_F(KindRules, AChangePageButtonDropsItsReadAndNotifyAddresses)
{
    source.pages = 4;
    auto& b = Real<TLxBtn>(ObjKind::LxBtn, [this](TLxBtn& o) {
        o.BtnType = kes::BtnType::SetOn;
        o.ReadUsed = 1;
        SetAddress(o.ReadDev, "M12");
        o.NotifyUsed = 1;
        SetAddress(o.NotifyDev, "M13");
        o.NotifyState = 1;
    });
    Enter(5, "11");
    EXPECT_EQ(b.ReadUsed, 0);
    EXPECT_EQ(b.ReadDev.DevAddrCode, -1);
    EXPECT_EQ(b.NotifyUsed, 0);
    EXPECT_EQ(b.NotifyDev.DevAddrCode, -1);
    EXPECT_EQ(b.NotifyState, 0);
    for (int row : {7, 10, 12, 15, 17})
        EXPECT_EQ(Line(row), -1) << row;
    // One target per page of the project, from the first.
    ClickZone(32);
    ASSERT_TRUE(dlg->DropList->isVisible());
    EXPECT_EQ(dlg->DropList->count(), 4);
    EXPECT_EQ(dlg->DropList->item(0)->text(), "0");
    dlg->DropListClick(3);
    EXPECT_EQ(b.ParamA, 3);
}

TEST_F(KindRules, TheMessageFontComesFromTheFontDialog)
{
    auto& msg = Real<TMsgTxt>(ObjKind::MsgTxt, [](TMsgTxt& o) { o.Messages = {"a", "b"}; });
    AnswerFontSize(15);
    ClickZone(19);
    EXPECT_EQ(msg.Picture.Canvas()->Font.Size, 15);
    EXPECT_TRUE(Shows(19).endsWith(",Size:15}"));
    EXPECT_EQ(source.modified, 1);
    // The page was noted for undo before the font reached the object.
    EXPECT_EQ(source.steps, 1) << "the font change is no undo step";
}

// The docked inspector beside a button and a circular meter, in English and in Traditional
// Chinese. With KES_SHOTS naming a folder, each window is saved there as a picture.
TEST_F(KindRules, DockedInspectorOfAButtonAndAMeter)
{
    const QString shots = QString::fromLocal8Bit(qgetenv("KES_SHOTS"));
    struct Language {
        int Index;
        const char* Name;
        const char* TypeCaption;
    } languages[] = {{LangEng, "eng", "Button Type"}, {LangCht, "cht", "按鈕類型"}};
    for (const Language& lang : languages) {
        state.LangIndex = lang.Index;
        LoadMessageTable(lang.Index);
        // Each window goes before the next object replaces the page.
        {
            auto& b = Real<TLxBtn>(ObjKind::LxBtn, [this](TLxBtn& o) {
                o.BtnType = kes::BtnType::Alternate;
                SetAddress(o.WriteDev, "M10");
                o.TxtList = {"RUN", "STOP"};
                o.RefKey = 3;
                o.SetWidth(48);
                o.SetHeight(24);
            });
            Select(nullptr);
            kes::test::DockedWindow button(*model, prompt, source, b);
            button.Click(1, 2); // the address, its picker button showing
            EXPECT_EQ(button.Grid().Cells(0, 1), QString::fromUtf8(lang.TypeCaption));
            EXPECT_EQ(button.Grid().Cells(1, 1), Msg(233));
            EXPECT_EQ(button.Grid().Cells(1, 2), "M10");
            EXPECT_EQ(button.Grid().Prop(42)->GetText(), Msg(602)) << "no picture, in the language";
            EXPECT_TRUE(button.Save(shots.isEmpty() ? QString() : shots + "/inspector-button-" + lang.Name + ".png"));
        }
        {

            auto& m = Real<TCirMeter>(ObjKind::CirMeter, [this](TCirMeter& o) {
                o.DevAddrCode = Word(100);
                o.MeterMax = 1000;
                o.LabelIntDigits = 4;
            });
            Select(nullptr);
            kes::test::DockedWindow meter(*model, prompt, source, m, 40, 4);
            meter.Click(1, 5); // the panel font, its list button showing
            EXPECT_EQ(meter.Grid().Cells(1, 1), "D100");
            EXPECT_EQ(meter.Grid().Cells(1, 11), "1000");
            EXPECT_TRUE(meter.Save(shots.isEmpty() ? QString() : shots + "/inspector-meter-" + lang.Name + ".png"));
        }
    }
    state.LangIndex = LangEng;
    LoadMessageTable(LangEng);
}
