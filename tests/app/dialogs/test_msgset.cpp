// The message text dialog: thresholds entered in either order are stored largest first with
// their messages alongside, and a page read back from the record holds them; messages are
// padded to the object's width and refused past 250 pixels; the mode switches set the state
// count and the address; nothing reaches the object before OK (an LSB switch included).
#include "pageobjtest.h"

#include "app/dialogs/tfrmgridtable.h"
#include "app/dialogs/tmsgset.h"
#include "app/dialogs/updown.h"
#include "objects/tmsgtxt.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

namespace kes::test {
namespace {

class MsgSetTest : public PageObjTest {
protected:
    // A message on D10 in value mode with the given thresholds (stored largest first).
    TMsgTxt& Msg(std::vector<std::uint32_t> values, std::vector<std::string> messages, std::uint8_t mode = 0x10)
    {
        auto& m = Put<TMsgTxt>();
        m.SetWidth(120);
        m.SetHeight(16);
        m.DevAddrCode = 0x100A;
        m.DevText = "D10";
        m.StateMode = mode;
        m.SetStateNum(static_cast<std::uint8_t>(values.size()));
        m.StateVal = values;
        m.Messages = messages;
        return m;
    }
    static void Enter(TMsgSet& d, const QStringList& values, const QStringList& messages)
    {
        for (int i = 0; i < values.size(); ++i) {
            d.State_Box->setCurrentIndex(i);
            d.State_BoxChange();
            d.Comp_Txt->setText(values[i]);
            d.Comp_TxtKeyUp(0);
            d.Msg_Txt->setText(messages.value(i));
            QTest::keyClick(d.Msg_Txt, Qt::Key_Space);
            QTest::keyClick(d.Msg_Txt, Qt::Key_Backspace);
        }
    }
    static void Order(TMsgSet& d, int way)
    {
        SetRadioGroupIndex(d.Rg_ValSetWay, way);
        d.Rg_ValSetWayClick();
    }
    static std::string Trimmed(const std::string& s) { return s.substr(0, s.find_last_not_of(' ') + 1); }
};

TEST_F(MsgSetTest, LoadsTheModeValuesAndTheShownState)
{
    TMsgTxt& m = Msg({30, 20, 10}, {"high", "mid", "low"});
    m.CurPt = 1;
    auto& d = OpenOn<TMsgSet>(m);
    EXPECT_TRUE(d.Val_Rdo->isChecked());
    EXPECT_TRUE(d.Lsb_Rdo->isHidden());
    EXPECT_EQ(d.RgNum_Txt->text(), "3");
    EXPECT_EQ(d.StateValues(), QStringList({"30", "20", "10"}));
    EXPECT_EQ(d.State_Box->currentIndex(), 1);
    EXPECT_EQ(d.Comp_Txt->text(), "20");
    EXPECT_EQ(d.Msg_Txt->text(), "mid");
    EXPECT_EQ(d.DevRefTxt->text(), "D10");
}

TEST_F(MsgSetTest, SmallToLargeIsStoredLargestFirstAndShownAsEnteredAgain)
{
    TMsgTxt& m = Msg({0, 0, 0}, {"", "", ""});
    auto& d = OpenOn<TMsgSet>(m);
    Order(d, 1);
    Enter(d, {"0", "10", "20"}, {"cold", "warm", "hot"});
    ExpectStored(d);
    const TMsgTxt& back = ReadBack<TMsgTxt>(m);
    EXPECT_EQ(back.StateVal, (std::vector<std::uint32_t>{20, 10, 0}));
    ASSERT_EQ(back.Messages.size(), 3u);
    EXPECT_EQ(Trimmed(back.Messages[0]), "hot");
    EXPECT_EQ(Trimmed(back.Messages[2]), "cold");
    EXPECT_EQ(back.StateReverse, 1);
    EXPECT_EQ(back.StateMode, 0x10);

    auto& again = OpenOn<TMsgSet>(m);
    EXPECT_EQ(again.StateValues(), QStringList({"0", "10", "20"}));
    EXPECT_EQ(again.StateTexts().value(2).trimmed(), "hot");
}

TEST_F(MsgSetTest, ChecksInTheirOrder)
{
    using D = TMsgSet;
    const QString wide(60, QLatin1Char('W'));
    struct Case {
        const char* name;
        std::function<void(D&)> setup;
        QString message;
    } cases[] = {
        {"a threshold past 16 bits",
         [](D& d) {
             Enter(d, {"30", "70000", "10"}, {});
         },
         M(88) + " 1 " + M(5)},
        {"a message wider than 250 pixels",
         [&](D& d) {
             Enter(d, {"30", "20", "10"}, {"ok", "ok", wide});
         },
         M(88) + "2" + M(99)},
        {"a bit device in value mode", [](D& d) { d.DevRefTxt->setText("M5"); }, M(53)},
        {"a 32-bit-only word with 16 bits", [](D& d) { d.DevRefTxt->setText("C201"); }, M(104)},
        {"30, 20, 25 largest first: the last pair",
         [](D& d) {
             Enter(d, {"30", "20", "25"}, {});
         },
         M(4) + " 2 " + M(5)},
        {"5, 10, 8 smallest first",
         [](D& d) {
             Order(d, 1);
             Enter(d, {"5", "10", "8"}, {});
         },
         M(4) + " 2 " + M(5)},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        TMsgTxt& m = Msg({30, 20, 10}, {"a", "b", "c"});
        auto& d = OpenOn<TMsgSet>(m);
        k.setup(d);
        ExpectRefused(d, m, k.message);
    }
}

// A refused OK leaves the font and the messages as they were: nothing is stored or padded.
TEST_F(MsgSetTest, ARefusedOkStoresNeitherFontNorPaddedMessages)
{
    TMsgTxt& m = Msg({30, 20}, {"a", "b"});
    const TFont font = m.Picture.Canvas()->Font;
    auto& d = OpenOn<TMsgSet>(m);
    AnswerFont(QStringLiteral("DejaVu Serif"), 20, true);
    d.FontTypeBtnClick();
    Enter(d, {"30", "40"}, {"On", "Off"});
    ExpectRefused(d, m, M(4) + " 1 " + M(5));
    EXPECT_EQ(m.Picture.Canvas()->Font, font);
    EXPECT_EQ(m.Messages, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(d.StateTexts(), QStringList({"On", "Off"})) << "the dialog keeps what was typed, unpadded";
}

TEST_F(MsgSetTest, AShortMessageIsPaddedToTheObjectsWidth)
{
    TMsgTxt& m = Msg({30, 20}, {"", ""});
    auto& d = OpenOn<TMsgSet>(m);
    Enter(d, {"30", "20"}, {"On", ""});
    ExpectStored(d);
    const std::string& padded = m.Messages[0];
    EXPECT_EQ(Trimmed(padded), "On");
    EXPECT_GT(padded.size(), 2u);
    const int limit = m.Picture.Width() / m.GridWidth;
    const int blank = m.Picture.Canvas()->TextWidth(" ");
    EXPECT_GE(m.Picture.Canvas()->TextWidth(padded), limit - blank);
    EXPECT_LT(m.Picture.Canvas()->TextWidth(padded.substr(0, padded.size() - 1)), limit - blank);
    EXPECT_EQ(m.Messages[1], "") << "an empty message stays empty";
}

TEST_F(MsgSetTest, ModeSwitches)
{
    TMsgTxt& m = Msg({30, 20, 10}, {"a", "b", "c"});
    m.DevAddrCode = -1;
    m.DevText.clear();
    auto& d = OpenOn<TMsgSet>(m);
    EXPECT_EQ(d.DevRefTxt->text(), "");
    d.Bit_Rdo->setChecked(true);
    d.Bit_RdoClick();
    EXPECT_EQ(d.StateCount(), 2);
    EXPECT_EQ(d.ValType_Box->currentIndex(), -1);
    EXPECT_EQ(d.ValLen_Box->currentIndex(), -1);
    EXPECT_FALSE(d.RgNum_Txt->isEnabled());
    EXPECT_TRUE(d.Rg_ValSetWay->isHidden());
    EXPECT_EQ(d.DevRefTxt->text(), "M0") << "no address: the model's default bit";
    d.Val_Rdo->setChecked(true);
    d.Val_RdoClick();
    EXPECT_EQ(d.DevRefTxt->text(), "D0") << "no address: the model's default word";
    EXPECT_EQ(d.ValType_Box->currentIndex(), 0);
    d.Bit_Rdo->setChecked(true);
    d.Bit_RdoClick();
    ExpectStored(d);
    const TMsgTxt& back = ReadBack<TMsgTxt>(m);
    EXPECT_EQ(back.StateMode, 0);
    EXPECT_EQ(back.TotalState, 2);
    EXPECT_EQ(back.DevAddrCode, 0x3000);
}

TEST_F(MsgSetTest, AnLsbObjectKeepsItsModeAndTheSwitchWaitsForOk)
{
    TMsgTxt& lsb = Msg(std::vector<std::uint32_t>(16, 0), std::vector<std::string>(16, "x"), 0x20);
    auto& d = OpenOn<TMsgSet>(lsb);
    EXPECT_TRUE(d.Lsb_Rdo->isChecked());
    EXPECT_FALSE(d.Lsb_Rdo->isHidden());
    EXPECT_EQ(d.StateCount(), 16);
    ExpectStored(d);
    EXPECT_EQ(lsb.StateMode & 0xF0, 0x20);

    // Twenty states switched to the low byte and cancelled: all twenty are still there.
    std::vector<std::uint32_t> values(20);
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = static_cast<std::uint32_t>(100 - i);
    TMsgTxt& many = Msg(values, std::vector<std::string>(20, "m"));
    state.Modified = 0;
    const Bytes before = RecordOf(many);
    auto& cancelled = OpenOn<TMsgSet>(many);
    cancelled.Lsb_RdoClick();
    EXPECT_EQ(cancelled.StateCount(), 16);
    ExpectCancelKeeps(cancelled, many, before);
    EXPECT_EQ(many.TotalState, 20);
}

TEST_F(MsgSetTest, StateCountEntryAndSpinner)
{
    TMsgTxt& m = Msg({30, 20, 10}, {"a", "b", "c"});
    auto& d = OpenOn<TMsgSet>(m);
    struct Typed {
        const char* text;
        int count;
        const char* shown;
    } typed[] = {{"300", 255, "255"}, {"0", 1, "1"}, {"7", 7, "7"}, {"x", 7, "7"}};
    for (const Typed& t : typed) {
        d.RgNum_Txt->setText(t.text);
        d.RgNum_TxtKeyUp();
        EXPECT_EQ(d.StateCount(), t.count) << t.text;
        EXPECT_EQ(d.RgNum_Txt->text(), t.shown) << t.text;
        EXPECT_EQ(d.State_Box->count(), t.count) << t.text;
    }
    EXPECT_EQ(d.StateValues().value(6), "0") << "a new state's threshold";
    // The spinner wraps round at both ends and never reaches 0 states.
    d.RgNum_Txt->setText("1");
    d.RgNum_TxtKeyUp();
    d.RgNum_UD->Click(false);
    EXPECT_EQ(d.StateCount(), 255);
    d.RgNum_UD->Click(true);
    EXPECT_EQ(d.StateCount(), 1);
}

TEST_F(MsgSetTest, DisplayAndFontAreStored)
{
    TMsgTxt& m = Msg({30, 20}, {"a", "b"});
    auto& d = OpenOn<TMsgSet>(m);
    EXPECT_FALSE(d.Dir_Box->isEnabled());
    d.RunLight_Rdo->setChecked(true);
    d.RunLight_RdoClick();
    EXPECT_TRUE(d.Dir_Box->isEnabled());
    d.Dir_Box->setCurrentIndex(2);
    d.Int_Box->setCurrentIndex(3);
    AnswerFont(QStringLiteral("DejaVu Sans Mono"), 12);
    d.FontTypeBtnClick();
    ExpectStored(d);
    const TMsgTxt& back = ReadBack<TMsgTxt>(m);
    EXPECT_EQ(back.MoveMode, 0x22);
    EXPECT_EQ(back.MoveInterval, 3);
    EXPECT_EQ(back.Picture.Canvas()->Font.Name, "DejaVu Sans Mono");
    EXPECT_EQ(back.Picture.Canvas()->Font.Size, 12);
}

TEST_F(MsgSetTest, TheStateTableShowsThresholdsAndMessages)
{
    TMsgTxt& m = Msg({30, 20, 10}, {"a", "b", "c"});
    auto& d = OpenOn<TMsgSet>(m);
    OnExec("FrmGridTable", [](QDialog& dlg) {
        auto& table = static_cast<TFrmGridTable&>(dlg);
        EXPECT_EQ(table.StrGridTable->columnCount(), 3);
        EXPECT_EQ(table.Cell(1, 1), "30");
        EXPECT_EQ(table.Cell(2, 3), "c");
        table.SetCell(1, 3, "5");
        table.SetCell(2, 3, "low");
        table.Button2Click();
    });
    d.Comp_TxtClick();
    EXPECT_EQ(d.StateValues().value(2), "5");
    EXPECT_EQ(d.StateTexts().value(2), "low");
}

TEST_F(MsgSetTest, TypingWithNoStateSelectedIsRefused)
{
    TMsgTxt& m = Msg({30, 20}, {"a", "b"});
    auto& d = OpenOn<TMsgSet>(m);
    d.State_Box->setCurrentIndex(-1);
    d.Msg_Txt->setText("x");
    QTest::keyClick(d.Msg_Txt, Qt::Key_A);
    EXPECT_EQ(ShownNumbers().back(), 64);
    EXPECT_TRUE(d.Msg_Txt->text().isEmpty());
    d.Comp_TxtKeyUp(0);
    EXPECT_EQ(ShownNumbers().back(), 89);
    EXPECT_EQ(d.StateTexts(), QStringList({"a", "b"}));
}

} // namespace
} // namespace kes::test
