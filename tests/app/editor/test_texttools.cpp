// The text and state tools of the tool bar write into the current object: the static text's
// line chosen by the line selector, a state text at its state (the list grown to hold it, so
// a button whose list is shorter than its states takes the text), a message text no wider
// than 250 pixels; the state up-down stays within the states; Return leaves the memo instead
// of breaking the line; the start-up screen's static texts take the memo as the page's do and show
// their first line when selected; a language command leaves the state box as it was.
#include "editortest.h"

#include "app/editor/screeneditor.h"
#include "app/editor/timagepage.h"
#include "app/shell/texttools.h"
#include "objects/tlxbtn.h"
#include "objects/tmsgtxt.h"
#include "objects/tsttxt.h"
#include "platform/codepage.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QSpinBox>

namespace kes::test {
namespace {

class TextToolsTest : public EditorTest {
protected:
    QPlainTextEdit& Memo() { return *qobject_cast<QPlainTextEdit*>(Main()->ToolWidget("TbMemo")); }
    QComboBox& States() { return *qobject_cast<QComboBox*>(Main()->ToolWidget("TbState_Box")); }
    // The user types text into the memo (its whole content).
    void Type(const QString& text)
    {
        Memo().setPlainText(text);
        TbMemoChange(*Main());
    }
};

TEST_F(TextToolsTest, StaticTextLinesFollowTheLineSelector)
{
    NewProject();
    auto* txt = dynamic_cast<TStTxt*>(DrawWith("TbStTxt", At(2, 2), At(40, 20)));
    ASSERT_NE(txt, nullptr);
    Type(QStringLiteral("First"));
    EXPECT_EQ(txt->Lines.at(0), "First");
    auto* line = qobject_cast<QSpinBox*>(Main()->ToolWidget("TbMemo_UD"));
    line->setValue(1);
    TbMemo_UDClick(*Main());
    ASSERT_EQ(txt->Lines.size(), 2u);
    Type(QStringLiteral("Second"));
    EXPECT_EQ(txt->Lines, (std::vector<AnsiString>{"First", "Second"}));
    EXPECT_EQ(Main()->Doc.Modified, 1);
}

TEST_F(TextToolsTest, StateTextsGrowToTheirStateAndTheUpDownStaysInRange)
{
    NewProject();
    auto* btn = dynamic_cast<TLxBtn*>(DrawWith("TbBtn", At(2, 2), At(40, 20)));
    ASSERT_NE(btn, nullptr);
    btn->TxtList = {"Off"};
    CurPage()->StateToolRefresh(btn);
    ASSERT_EQ(States().count(), btn->TotalState);
    TbState_UDChange(*Main(), false);
    EXPECT_EQ(States().currentIndex(), 0);
    for (int i = 0; i < btn->TotalState + 2; ++i)
        TbState_UDChange(*Main(), true);
    EXPECT_EQ(States().currentIndex(), btn->TotalState - 1);
    Type(QStringLiteral("On"));
    ASSERT_EQ(btn->TxtList.size(), static_cast<std::size_t>(btn->TotalState));
    EXPECT_EQ(btn->TxtList.back(), "On");
    EXPECT_EQ(btn->TxtList.front(), "Off");
}

// A language command leaves the state box listing the selected object's states, at the state
// chosen: no caption file lists them, and translating the tool bar emptied them.
TEST_F(TextToolsTest, ALanguageCommandKeepsTheStatesOfTheSelectedObject)
{
    NewProject();
    for (const char* tool : {"TbBtn", "TbBit"}) {
        SCOPED_TRACE(tool);
        TLxObj* obj = DrawWith(tool, At(2, 2), At(40, 20));
        ASSERT_NE(obj, nullptr);
        CurPage()->ObjToolbarRefresh(obj);
        TbState_UDChange(*Main(), true);
        ASSERT_EQ(States().currentIndex(), 1);
        QStringList before;
        for (int i = 0; i < States().count(); ++i)
            before.append(States().itemText(i));
        ASSERT_FALSE(before.contains(QString()));
        for (const char* language : {"MmLangCht", "MmLangEng"}) {
            Trigger(language);
            QStringList after;
            for (int i = 0; i < States().count(); ++i)
                after.append(States().itemText(i));
            EXPECT_EQ(after, before) << language;
            EXPECT_EQ(States().currentIndex(), 1) << language;
        }
        Trigger("MmDel");
    }
}

TEST_F(TextToolsTest, AMessageTextStopsAt250Pixels)
{
    NewProject();
    auto* msg = dynamic_cast<TMsgTxt*>(DrawWith("TbMsg", At(2, 2), At(100, 20)));
    ASSERT_NE(msg, nullptr);
    CurPage()->StateToolRefresh(msg);
    States().setCurrentIndex(0);
    TCanvas& c = *msg->Picture.Canvas();
    QString text;
    while (c.TextWidth(QStringToAnsi(text)) <= 250)
        text += QLatin1Char('W');
    Type(text);
    text.chop(1);
    EXPECT_EQ(Memo().toPlainText(), text);
    EXPECT_EQ(msg->Messages.at(0).substr(0, static_cast<std::size_t>(text.size())), QStringToAnsi(text));
}

TEST_F(TextToolsTest, TheStartUpScreensStaticTextTakesTheMemoToo)
{
    NewProject();
    Trigger("MmStartPg");
    ASSERT_NE(Main()->Screens->FirstPage(), nullptr);
    Drive(Main()->Screens->FirstPage());
    QApplication::processEvents();
    auto* txt = dynamic_cast<TStTxt*>(DrawWith("TbStTxt", At(2, 2), At(40, 20)));
    ASSERT_NE(txt, nullptr);
    Type(QStringLiteral("Welcome"));
    EXPECT_EQ(txt->Lines.at(0), "Welcome");
    // Selected again, it shows its first line whatever line the selector was left at.
    txt->Lines = {"First", "Second"};
    auto* line = qobject_cast<QSpinBox*>(Main()->ToolWidget("TbMemo_UD"));
    line->setValue(1);
    Main()->Screens->FirstPage()->ObjToolbarRefresh(txt);
    EXPECT_EQ(Memo().toPlainText(), QStringLiteral("First"));
    EXPECT_EQ(line->value(), 0);
    EXPECT_TRUE(Memo().isEnabled());
    Drive(nullptr);
}

TEST_F(TextToolsTest, ReturnLeavesTheMemoWithoutALineBreak)
{
    NewProject();
    DrawWith("TbStTxt", At(2, 2), At(40, 20));
    Memo().setPlainText(QStringLiteral("One"));
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QCoreApplication::sendEvent(&Memo(), &press);
    EXPECT_EQ(Memo().toPlainText(), QStringLiteral("One"));
}

} // namespace
} // namespace kes::test
