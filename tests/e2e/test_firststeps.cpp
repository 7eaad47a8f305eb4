// What a new user meets first, through the started program. Chinese typed with the interface in
// Traditional Chinese under a Western locale must come back the same after save and reopen,
// stored as code page 950 bytes (the code page follows the language chosen in an earlier run),
// and a character that code page lacks is refused with a message naming it, never kept as "?".
// A new project's static text and lamp take the default window font, which must count as
// installed, so that the project compiles. A name no file can have is refused; a refused save
// or open leaves no trace of the refused place in the next project or the title.
#include "e2efixture.h"

#include "app/project/prjio.h"
#include "app/project/ui/tfrmmsgshow.h"
#include "app/shell/lxeini.h"
#include "app/shell/startup.h"
#include "app/ui/msgtable.h"
#include "app/ui/translate.h"
#include "objects/tlxbtn.h"
#include "platform/codepage.h"
#include "tests/support/formfinder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

#include <cstdlib>
#include <optional>

namespace kes::test {
namespace {

// The check-result window the program shows, found as a user finds it.
TFrmMsgShow* ResultWindow() { return FindForm<TFrmMsgShow>(QStringLiteral("FrmMsgShow")); }

constexpr int kMsgCompiled = 63;
constexpr int kMsgBadFileName = 606;

// Chinese is typed through an input method, which commits whole characters to the edit.
void Compose(QLineEdit& edit, const QString& text)
{
    edit.setFocus();
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(&edit, &commit);
}

// A Western desktop locale and no override: only the chosen language can name a code page.
class WesternLocale : public E2ETest {
protected:
    void SetUp() override
    {
        for (const char* name : {"KESTROVA_CODEPAGE", "LC_ALL", "LC_CTYPE", "LANG"}) {
            const char* v = std::getenv(name);
            saved_.emplace_back(name, v ? std::optional<std::string>(v) : std::nullopt);
            unsetenv(name);
        }
        setenv("LANG", "en_US.UTF-8", 1);
        E2ETest::SetUp();
    }
    void TearDown() override
    {
        E2ETest::TearDown();
        for (const auto& [name, value] : saved_)
            value ? setenv(name, value->c_str(), 1) : unsetenv(name);
        SetAnsiCodePage(CodePageFromEnvironment());
    }

    // The program closed and started again, as the next run of it.
    void Restart()
    {
        Main()->FormClose();
        ShutDownMain();
        StartupOptions o;
        o.splashMillis = 0;
        o.prompt = &prompt;
        o.screen = &screen;
        StartMain(NewDoc(), o);
    }

private:
    std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
};

TEST_F(WesternLocale, ChineseTypedWithTheInterfaceInTraditionalChineseIsKeptAfterTheNextStart)
{
    ASSERT_EQ(AnsiCodePage(), 1252);
    // The language is chosen in one run; project texts take its code page from the next start.
    prompt.shown.clear();
    Trigger("MmLangCht");
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_TRUE(prompt.shown[0].contains(QStringLiteral("950"))) << prompt.shown[0].toStdString();
    Restart();
    ASSERT_EQ(AnsiCodePage(), 950) << ReadFile("Lxe.ini");
    prompt.shown.clear();
    Trigger("MmLangCht");
    EXPECT_TRUE(prompt.shown.empty()) << "the code page is already the language's";

    NewProjectNamed(QStringLiteral("Plant"));
    ASSERT_NE(CurPage(), nullptr);
    const QString title = QString::fromUtf8("主畫面Main");
    RunWithDialog("MmViewPg", [&](QDialog& d) {
        Control<QListWidget>(d, "PgListBx").setCurrentRow(0);
        QLineEdit& edit = Control<QLineEdit>(d, "PgTitleTxt");
        Compose(edit, title);
        EXPECT_EQ(edit.text(), title);
        // A Thai letter has no place in code page 950: refused whether committed or typed on
        // a key, named in the message, the title unchanged.
        const QString thai = QString::fromUtf8("ก");
        prompt.shown.clear();
        QInputMethodEvent commit;
        commit.setCommitString(thai);
        QApplication::sendEvent(&edit, &commit);
        QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, thai);
        QApplication::sendEvent(&edit, &key);
        EXPECT_EQ(edit.text(), title);
        ASSERT_EQ(prompt.shown.size(), 2u);
        for (const QString& shown : prompt.shown)
            EXPECT_TRUE(shown.contains(thai) && shown.contains(QStringLiteral("950"))) << shown.toStdString();
        PushButton(d, "PgBxClose");
    });

    const QString pump = QString::fromUtf8("水泵");
    const TLxObj* drawn = DrawWith("TbBtn", {10, 8}, {50, 24});
    ASSERT_NE(drawn, nullptr);
    DoubleClickOn(QPoint(drawn->Left + drawn->Width / 2, drawn->Top + drawn->Height / 2), [&](QDialog& d) {
        Compose(Control<QLineEdit>(d, "Btn_Txt"), pump);
        PushButton(d, "OkBtn");
        EXPECT_EQ(d.result(), QDialog::Accepted);
    });

    SaveCloseAndReopen("Plant", "texts-save", "texts-open");
    ASSERT_EQ(Main()->Doc.PgDataList.size(), 1u);
    const std::string title950 = "\xA5\x44\xB5\x65\xAD\xB1Main";
    EXPECT_EQ(Main()->Doc.PgDataList[0]->Title, title950);
    EXPECT_EQ(AnsiToQString(Main()->Doc.PgDataList[0]->Title), title);
    EXPECT_NE(ReadFile("work/Plant.Til").find(title950), std::string::npos);
    ASSERT_NE(CurPage(), nullptr);
    ASSERT_EQ(CurPage()->Data().ObjList.size(), 1u) << ObjectsText();
    const auto* btn = dynamic_cast<TLxBtn*>(CurPage()->Data().ObjList.front());
    ASSERT_TRUE(btn && !btn->TxtList.empty());
    EXPECT_EQ(btn->TxtList[0], "\xA4\xF4\xAC\xA6");
    EXPECT_EQ(AnsiToQString(btn->TxtList[0]), pump);
}

TEST_F(E2ETest, ANewProjectWithAStaticTextAndALampCompiles)
{
    NewProjectNamed(QStringLiteral("Plant"));
    ASSERT_NE(DrawWith("TbStTxt", {2, 2}, {46, 14}), nullptr);
    ASSERT_NE(DrawWith("TbLighter", {66, 20}, {82, 36}), nullptr);
    prompt.shown.clear();
    Trigger("MmTranslate");
    ASSERT_FALSE(prompt.shown.empty());
    EXPECT_TRUE(prompt.shown[0].startsWith(Msg(kMsgCompiled))) << prompt.shown[0].toStdString();
    EXPECT_EQ(Main()->Doc.Compiled, 1);
}

TEST_F(E2ETest, TheCheckResultsFloatAndDockAndADoubleClickOnALineSelectsTheObjectNamed)
{
    // In Traditional Chinese under code page 1252 the lines carry the page word in English.
    Main()->MmLangChtClick(LangCht);
    NewProjectNamed(QStringLiteral("Plant"));
    // A button asking for a level that no password carries: the check names it.
    auto* btn = dynamic_cast<TLxBtn*>(DrawWith("TbBtn", {66, 20}, {90, 36}));
    ASSERT_NE(btn, nullptr);
    btn->UserLevel = 3;
    Main()->Doc.Modified = 1;
    Trigger("TbAddPg");
    ASSERT_EQ(CurPage()->Data().PgIndex, 1) << "another page is at work";
    Trigger("MmTranslate");
    ASSERT_NE(ResultWindow(), nullptr);
    // The window's float button floats it and docks it again; the project keeps which.
    auto* floatButton = Main()->CtBarErr->findChild<QAbstractButton*>(QStringLiteral("qt_dockwidget_floatbutton"));
    ASSERT_TRUE(floatButton && floatButton->isVisible());
    for (const bool floating : {true, false}) {
        floatButton->click();
        QApplication::processEvents();
        EXPECT_EQ(Main()->CtBarErr->isFloating(), floating);
        EXPECT_EQ(Main()->Doc.MsgWinFloat, floating ? 1 : 0);
        ASSERT_EQ(Main()->CtBarErr->widget(), ResultWindow());
    }
    QListWidget& list = *ResultWindow()->lsbChk;
    ASSERT_EQ(list.count(), 1);
    const QPoint at = list.visualItemRect(list.item(0)).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, at);
    ASSERT_NE(CurPage(), nullptr);
    EXPECT_EQ(CurPage()->Data().PgIndex, 0) << list.item(0)->text().toStdString();
    ASSERT_EQ(CurPage()->Data().ObjList.size(), 1u);
    EXPECT_EQ(CurPage()->Data().SelList, TObjList{CurPage()->Data().ObjList[0]});
}

// In each language, run in its own code page as after choosing it and starting again: the
// check-result line of a refused button, the status bar and the button's settings hold no "?"
// and no undecodable character, and the dialog's captions are all in the language files.
// With KES_E2E_SHOTS set, the main window and the dialog are pictured in each language.
TEST_F(E2ETest, EveryLanguageShowsItsOwnTextsInTheMainWindowTheCheckResultsAndTheButtonSettings)
{
    NewProjectNamed(QStringLiteral("Plant"));
    auto* btn = dynamic_cast<TLxBtn*>(DrawWith("TbBtn", {20, 10}, {60, 30}));
    ASSERT_NE(btn, nullptr);
    btn->UserLevel = 3;
    const QPoint middle(btn->Left + btn->Width / 2, btn->Top + btn->Height / 2);
    const auto clean = [](const QString& text) {
        return !text.isEmpty() && !text.contains(QLatin1Char('?')) && !text.contains(QChar(0xFFFD));
    };
    const struct {
        int lang;
        const char* name;
    } langs[] = {{LangEng, "en"}, {LangCht, "cht"}, {LangChs, "chs"}};
    for (const auto& l : langs) {
        SCOPED_TRACE(l.name);
        ScopedCodePage cp(LangCodePage(l.lang));
        Main()->MmLangChtClick(l.lang);
        Main()->MmLangChtClick(l.lang == LangEng ? LangCht : LangEng);
        Main()->MmLangChtClick(l.lang);
        Main()->Doc.Modified = 1;
        Trigger("MmTranslate");
        ASSERT_NE(ResultWindow(), nullptr);
        ASSERT_EQ(ResultWindow()->lsbChk->count(), 1);
        const QString line = ResultWindow()->lsbChk->item(0)->text();
        EXPECT_TRUE(clean(line)) << line.toStdString();
        EXPECT_TRUE(line.contains(Msg(46))) << line.toStdString() << ": the page word of the language";
        EXPECT_TRUE(clean(Main()->StatusText(3))) << Main()->StatusText(3).toStdString();
        Main()->resize(1100, 760);
        QApplication::processEvents();
        Shot(*Main(), (std::string("lang-") + l.name + "-main").c_str());
        DoubleClickOn(middle, [&](QDialog& d) {
            EXPECT_EQ(MissingCaptions(d, Dir()), std::vector<std::string>{});
            for (const QLabel* label : d.findChildren<QLabel*>()) {
                if (label->isVisible() && !label->text().isEmpty()) {
                    EXPECT_TRUE(clean(label->text())) << label->text().toStdString();
                }
            }
            Shot(d, (std::string("lang-") + l.name + "-button").c_str());
            PushButton(d, "CancelBtn");
        });
    }
}

// Each project's first page window opens at the same place, wholly in view; Cascade leaves a
// lone page window its size.
TEST_F(E2ETest, PageWindowsOpenInViewAndCascadeKeepsALoneOnesSize)
{
    Main()->resize(1100, 760);
    Main()->show();
    std::optional<QPoint> first;
    for (const char* name : {"One", "Two", "Three"}) {
        NewProjectNamed(QString::fromLatin1(name));
        ASSERT_NE(CurPage(), nullptr);
        QApplication::processEvents();
        const QMdiSubWindow& sub = *CurPage()->SubWindow();
        if (!first)
            first = sub.pos();
        EXPECT_EQ(sub.pos(), *first) << name;
        EXPECT_TRUE(Main()->MdiArea->viewport()->rect().contains(sub.geometry())) << name;
        prompt.answers = {Answer::No};
        Trigger("MmClosePrj");
        QApplication::processEvents();
    }
    NewProjectNamed(QStringLiteral("Four"));
    QApplication::processEvents();
    const QSize before = CurPage()->SubWindow()->size();
    Trigger("MmCascade");
    EXPECT_EQ(CurPage()->SubWindow()->size(), before);
}

// On a small screen too, a new or opened project's page window fits the area the docked page
// tree and inspector leave, with its title bar's buttons in view.
TEST_F(E2ETest, PageWindowsFitTheAreaBesideTheToolWindows)
{
    for (const QSize size : {QSize(1100, 760), QSize(1000, 560), QSize(900, 480), QSize(800, 560)}) {
        const std::string name = std::to_string(size.width()) + "x" + std::to_string(size.height());
        SCOPED_TRACE(name);
        const std::string file = Path("work/Small" + name + ".zqf");
        Main()->resize(size);
        Main()->show();
        NewProjectNamed(QStringLiteral("Small"));
        QApplication::processEvents();
        // Nothing holds the window wider than a small screen (the status bar's panels narrow).
        EXPECT_LE(Main()->width(), size.width());
        ASSERT_NE(CurPage(), nullptr);
        const QRect area = Main()->MdiArea->viewport()->rect();
        EXPECT_TRUE(area.contains(CurPage()->SubWindow()->geometry())) << "new";
        RunWithDialog("MmSaveAs", AnswerFile(file, "small-save"));
        Trigger("MmClosePrj");
        RunWithDialog("MmOpen", AnswerFile(file, "small-open"));
        QApplication::processEvents();
        ASSERT_NE(CurPage(), nullptr);
        EXPECT_TRUE(Main()->MdiArea->viewport()->rect().contains(CurPage()->SubWindow()->geometry())) << "opened";
        Trigger("MmClosePrj");
        QApplication::processEvents();
    }
}

TEST(ProjectNames, WhatAFileNameMayBe)
{
    const struct {
        const char* name;
        bool plain;
    } cases[] = {
        {"Plant", true},      {"Plant 2.v1", true}, {"\xA5\x44\xB5\x65", true},
        {"...", true},        {"", false},          {".", false},
        {"..", false},        {"a/b/c", false},     {"a\\b", false},
        {"a:b", false},       {"why?", false},      {"x*", false},
        {"<x>", false},       {"a|b", false},       {"q\"", false},
        {"tab\tname", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsPlainFileName(c.name), c.plain) << c.name;
}

TEST_F(E2ETest, ARefusedNameSaveOrOpenLeavesNoTraceOfTheRefusedPlace)
{
    // A name with folders in it is refused and the form stays open for another.
    RunWithDialog("MmNew", [&](QDialog& d) {
        Choose(Control<QComboBox>(d, "MMIType_Box"), QStringLiteral("LX-04"));
        prompt.shown.clear();
        TypeInto(Control<QLineEdit>(d, "FileName_Txt"), QStringLiteral("a/b/c"));
        PushButton(d, "OkBtn");
        EXPECT_NE(d.result(), QDialog::Accepted);
        EXPECT_EQ(prompt.shown, std::vector<QString>{Msg(kMsgBadFileName)});
        TypeInto(Control<QLineEdit>(d, "FileName_Txt"), QStringLiteral("Plant"));
        PushButton(d, "OkBtn");
    });
    EXPECT_EQ(Main()->Doc.PrjName, "Plant");

    // Save As into a folder that is not there fails, and the project stays where it was.
    const std::string refused = Path("missing");
    prompt.shown.clear();
    RunWithDialog("MmSaveAs", AnswerFile(refused + "/Plant.zqf", "refused-save-as"));
    EXPECT_EQ(prompt.shown.size(), 1u);
    EXPECT_FALSE(Main()->windowTitle().contains(QStringLiteral("missing"))) << Main()->windowTitle().toStdString();
    prompt.answers = {Answer::No};
    Trigger("MmClosePrj");
    NewProjectNamed(QStringLiteral("Second"));
    EXPECT_FALSE(Main()->windowTitle().contains(QStringLiteral("missing"))) << Main()->windowTitle().toStdString();

    // Save with no usable folder goes to DocFiles beside the program, made when it is gone.
    QDir(QString::fromStdString(Path("DocFiles"))).removeRecursively();
    Main()->SaveDlg.FileName.clear();
    Main()->SaveDlg.InitialDir.clear();
    Main()->OpenDlg.FileName.clear();
    Main()->OpenDlg.InitialDir = Path("gone");
    prompt.shown.clear();
    Trigger("MmSave");
    EXPECT_TRUE(prompt.shown.empty()) << prompt.shown.front().toStdString();
    EXPECT_TRUE(QFile::exists(QString::fromStdString(Path("DocFiles/Second.zqf"))));
    EXPECT_TRUE(Main()->windowTitle().endsWith(QString::fromStdString(Path("DocFiles/Second.zqf"))));

    // A damaged file is refused: no project, and the title names none.
    WriteFile("work/damaged.zqf", "not a project");
    WriteFile("work/damaged.Til", "");
    prompt.shown.clear();
    RunWithDialog("MmOpen", AnswerFile(Path("work/damaged.zqf"), "refused-open"));
    EXPECT_FALSE(prompt.shown.empty());
    EXPECT_EQ(Main()->Doc.Opened, 0);
    EXPECT_FALSE(Main()->windowTitle().contains(QStringLiteral("damaged"))) << Main()->windowTitle().toStdString();
}

} // namespace
} // namespace kes::test
