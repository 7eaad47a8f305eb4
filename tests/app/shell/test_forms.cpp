// The smaller forms and the language switch: the splash picture decodes through libjpeg and a
// damaged picture leaves the splash blank; the about box takes its captions and icon; the
// language menu re-captions the main window and reloads the message table; tool windows dock
// into the left panel or float as the layout file says, and a closed one keeps its section.
#include "shellfixture.h"

#include "cputime.h"

#include "app/shell/jpegimage.h"
#include "app/shell/reportcommands.h"
#include "app/shell/shellwindows.h"
#include "app/shell/startup.h"
#include "app/shell/taboutbox.h"
#include "app/shell/tkhm.h"
#include "app/ui/msgtable.h"
#include "app/ui/translate.h"
#include "platform/codepage.h"
#include "platform/fileio.h"
#include "platform/inifile.h"

#include <QAction>
#include <QDir>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSplitter>
#include <QTemporaryDir>
#include <QToolBar>

#include <chrono>
#include <map>

namespace kes::test {
namespace {

class FormsTest : public StartedShell {};

TEST_F(FormsTest, SplashPictureDecodesAndDamagedPicturesAreRefused)
{
    const QImage splash = LoadJpeg(Path("SplashPageZQ.jpg"));
    ASSERT_FALSE(splash.isNull());
    EXPECT_EQ(splash.size(), QSize(600, 460));

    std::string whole = ReadFile("SplashPageZQ.jpg");
    // The picture with the size its frame header (after ff c0, length, precision) claims.
    const auto claiming = [&](int side) {
        std::string b = whole;
        const std::size_t sof = b.find("\xff\xc0");
        for (std::size_t at : {sof + 5, sof + 7}) {
            b[at] = static_cast<char>(side >> 8);
            b[at + 1] = static_cast<char>(side & 0xFF);
        }
        return b;
    };
    const struct {
        const char* name;
        std::string bytes;
    } damaged[] = {
        {"empty", ""},
        {"not a picture", "GIF89a......"},
        {"header only", whole.substr(0, 200)},
        {"bad marker", std::string("\xff\xd8\xff\x01\x00\x02", 6)},
        {"35 KiB that claim 16000 x 16000 pixels", claiming(16000)},
    };
    for (const auto& d : damaged) {
        WriteFile("bad.jpg", d.bytes);
        std::string error;
        const CpuStopwatch cpu;
        const QImage img = LoadJpeg(Path("bad.jpg"), &error);
        EXPECT_LT(cpu.Elapsed(), std::chrono::milliseconds(500)) << d.name;
        // A truncated picture may still decode (libjpeg fills the rest); it must never crash.
        if (std::string(d.name) != "header only") {
            EXPECT_TRUE(img.isNull()) << d.name;
            EXPECT_FALSE(error.empty()) << d.name;
        }
    }
    std::string error;
    EXPECT_TRUE(LoadJpeg(Path("missing.jpg"), &error).isNull());
    EXPECT_FALSE(error.empty());
}

TEST_F(FormsTest, AboutBoxTakesItsCaptionsAndIcon)
{
    Main()->MmLangChtClick(LangChs);
    TAboutBox box(Main(), Main()->Doc.LangIndex, *Main()->FileOpen);
    box.show();
    EXPECT_EQ(box.OKButton->text(), QString::fromUtf8("确定"));
    EXPECT_EQ(box.windowTitle(), QString::fromUtf8("关于 Kestrova"));
    EXPECT_TRUE(box.ProductName->text().contains(QRegularExpression(QStringLiteral("^Kestrova \\d+\\.\\d+"))))
        << box.ProductName->text().toStdString() << ": the version is named";
    EXPECT_FALSE(box.ProgramIcon->pixmap().isNull());
    EXPECT_EQ(box.size(), QSize(404, 118));
}

// The window a floating tool bar lives in is named as its tool bar, and follows a language
// switch as the tool bar does.
TEST_F(FormsTest, AFloatingToolBarsWindowIsNamedAsItsToolBarInEachLanguage)
{
    QToolBar* bar = Main()->EditToolBar;
    Main()->FloatToolBar(bar, QRect(40, 40, 300, 30));
    QWidget* window = bar->window();
    ASSERT_NE(window, Main());
    for (const int lang : {LangCht, LangChs, LangEng}) {
        SCOPED_TRACE(lang);
        Main()->MmLangChtClick(lang);
        EXPECT_EQ(window->windowTitle().toStdString(), bar->windowTitle().toStdString());
    }
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Standard"));
    Main()->DockToolBar(bar);
}

TEST_F(FormsTest, LanguageMenuSwitchesCaptionsAndMessages)
{
    Main()->AddRecentFile("/p/a.zqf");
    Main()->RefreshRecentFileItems();
    Main()->MmLangChtClick(LangCht);
    EXPECT_EQ(Main()->Doc.LangIndex, LangCht);
    EXPECT_EQ(Main()->Action("Mmfile")->text(), QString::fromUtf8("檔案(&F)"));
    EXPECT_EQ(Main()->Action("TbSave")->toolTip(), QString::fromUtf8("儲存"));
    EXPECT_EQ(Main()->EditToolBar->windowTitle(), QString::fromUtf8("標準"));
    EXPECT_EQ(Msg(46), QString::fromUtf8("畫面編號"));
    // Code page 1252 has no place for it: what goes into project files takes it in English,
    // never as "?".
    EXPECT_EQ(Main()->Doc.MsgTable[46], "Page number");
    EXPECT_TRUE(Main()->Action("MmLangCht")->isChecked());
    EXPECT_FALSE(Main()->Action("MmLangEng")->isChecked());
    // The recent-file items show their paths again after the captions were replaced.
    EXPECT_EQ(Main()->Action("MmFile1")->text(), "/p/a.zqf");
    EXPECT_TRUE(Main()->Action("MmFile1")->isVisible());

    // Choosing the language in force changes nothing.
    Main()->Action("MmFile1")->setText(QStringLiteral("marker"));
    Main()->MmLangChtClick(LangCht);
    EXPECT_EQ(Main()->Action("MmFile1")->text(), "marker");

    Main()->MmLangChtClick(LangEng);
    EXPECT_EQ(Main()->Action("Mmfile")->text(), "&File");
    EXPECT_EQ(Msg(46), "Page number");
}

// The project's copy of the messages (what new objects, the check and printouts write) follows
// the language menu in the code page in use: the language's own bytes where the code page
// holds them, English where it does not, and English again once English is chosen.
TEST_F(FormsTest, TheProjectsMessagesFollowTheLanguageInTheCodePageInUse)
{
    const struct {
        const char* name;
        int codePage;
        int lang;
        const char* pageWord; // message 46 as the copy holds it
    } cases[] = {
        {"Traditional Chinese in 950", 950, LangCht, "畫面編號"},
        {"Simplified Chinese in 936", 936, LangChs, "画面编号"},
        {"Simplified Chinese in 1252", 1252, LangChs, "Page number"},
    };
    ASSERT_GT(Main()->Doc.MsgTable.size(), 46u) << "the copy is there from the start";
    EXPECT_EQ(Main()->Doc.MsgTable[46], "Page number");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ScopedCodePage inUse(c.codePage);
        Main()->MmLangChtClick(c.lang);
        ASSERT_EQ(Main()->Doc.MsgTable.size(), static_cast<std::size_t>(MessageTable().Count()));
        EXPECT_EQ(Main()->Doc.MsgTable[46], QStringToAnsi(QString::fromUtf8(c.pageWord)));
        Main()->MmLangChtClick(LangEng);
        EXPECT_EQ(Main()->Doc.MsgTable[46], "Page number");
    }
}

// The page and system menus are translated like every other menu: their items carry the mark
// of the dialog they open, which must not make the translator pass them over. The dialogs and
// the printed headings take these captions, so they follow.
TEST_F(FormsTest, PageAndSystemMenuItemsFollowTheLanguage)
{
    const char* items[] = {"MmPgJump",         "MmFunKeyEt", "MmBuzzerSet",     "MmLedSet",       "MmHide",
                           "MmPgPageWriteSet", "MmParaset",  "MmSysPgChgSet",   "MmSysFunKeySet", "MmSysBuzzerSet",
                           "MmSysLedSet",      "MmClock",    "MmSysPowerOnSet", "MmUserLevel"};
    for (int lang : {LangCht, LangChs, LangEng}) {
        Main()->MmLangChtClick(lang);
        TIniFile file(Path(CaptionFileName(lang)));
        for (const char* item : items) {
            const std::string key = std::string("Khm.") + item + ".Caption";
            ScopedCodePage cp(LangCodePage(lang));
            EXPECT_EQ(Main()->Action(item)->text(), AnsiToQString(file.ReadString("Khm", key, "")))
                << CaptionFileName(lang) << " " << item;
        }
        const ReportContext report = MainReportContext(*Main());
        EXPECT_EQ(QString::fromStdString(report.ObjData.SysBuzzer),
                  CaptionText(Main()->Action("MmSysBuzzerSet")->text()));
    }
}

// In every language each top-level menu has an access key of its own, and the status bar's
// panel words are the language's.
TEST_F(FormsTest, EveryLanguageHasDistinctMenuKeysAndItsOwnStatusWords)
{
    const struct {
        int lang;
        const char* device;
    } cases[] = {{LangCht, "控制器類型："}, {LangChs, "控制器类型："}, {LangEng, "Device Type: "}};
    for (const auto& c : cases) {
        Main()->MmLangChtClick(c.lang);
        std::map<QChar, QString> keys;
        for (const QAction* a : Main()->menuBar()->actions()) {
            const QString text = a->text();
            const qsizetype amp = text.indexOf(QLatin1Char('&'));
            ASSERT_TRUE(amp >= 0 && amp + 1 < text.size()) << text.toStdString();
            const QChar key = text.at(amp + 1).toUpper();
            EXPECT_FALSE(keys.count(key)) << text.toStdString() << " and " << keys[key].toStdString();
            keys[key] = text;
        }
        Main()->ShowModelStatus();
        EXPECT_TRUE(Main()->StatusText(3).startsWith(QString::fromUtf8(c.device)))
            << Main()->StatusText(3).toStdString();
    }
}

// Qt's own texts follow the language: the standard buttons of a question and the labels of
// the file dialog, also after a switch at run time and back to English.
TEST_F(FormsTest, QtsOwnButtonsAndDialogsFollowTheLanguage)
{
    static const QRegularExpression han(QStringLiteral("\\p{Han}"));
    auto yes = [] {
        QMessageBox box(QMessageBox::Question, QString(), QString(), QMessageBox::Yes | QMessageBox::No);
        return box.button(QMessageBox::Yes)->text();
    };
    auto lookIn = [] {
        QFileDialog dlg;
        dlg.setOption(QFileDialog::DontUseNativeDialog);
        auto* label = dlg.findChild<QLabel*>(QStringLiteral("lookInLabel"));
        return label ? label->text() : QString();
    };
    // The file dialog's type column: the kind of a folder and of the root (files take the
    // desktop's names of their types).
    auto kinds = [] {
        QTemporaryDir dir;
        const QFileIconProvider icons;
        return QStringList{icons.type(QFileInfo(dir.path())), icons.type(QFileInfo(QStringLiteral("/")))};
    };
    const QString englishYes = yes(), englishLookIn = lookIn();
    const QStringList englishKinds = kinds();
    ASSERT_FALSE(englishLookIn.isEmpty());
    EXPECT_EQ(englishKinds, (QStringList{QStringLiteral("Folder"), QStringLiteral("Drive")}));
    for (int lang : {LangCht, LangChs}) {
        Main()->MmLangChtClick(lang);
        EXPECT_TRUE(yes().contains(han)) << CaptionFileName(lang) << ": " << yes().toStdString();
        EXPECT_TRUE(lookIn().contains(han)) << CaptionFileName(lang) << ": " << lookIn().toStdString();
        for (const QString& kind : kinds()) {
            EXPECT_TRUE(kind.contains(han)) << CaptionFileName(lang) << ": " << kind.toStdString();
        }
    }
    Main()->MmLangChtClick(LangEng);
    EXPECT_EQ(yes(), englishYes);
    EXPECT_EQ(lookIn(), englishLookIn);
    EXPECT_EQ(kinds(), englishKinds);
}

// F1 opens the user guide of the language in use, shipped beside the program; where no viewer
// can be started (as offscreen) or the guide is missing, a message names the file instead of
// nothing at all.
TEST_F(FormsTest, HelpTopicsOpensTheGuideOfTheLanguageOrSaysWhyNot)
{
    for (int lang : {LangCht, LangChs, LangEng}) {
        Main()->MmLangChtClick(lang);
        const std::string guide = HelpFileOf(lang);
        EXPECT_TRUE(QFile::exists(QStringLiteral(KES_BIN_DIR "/") + QLatin1String(guide.c_str()))) << guide << " ships";
        for (const bool shipped : {false, true}) {
            if (shipped) {
                QDir().mkpath(QFileInfo(QString::fromStdString(Path(guide))).path());
                QFile::copy(QStringLiteral(KES_BIN_DIR "/") + QLatin1String(guide.c_str()),
                            QString::fromStdString(Path(guide)));
            }
            prompt.shown.clear();
            prompt.kinds.clear();
            Main()->Action("LxeHelp")->trigger();
            ASSERT_EQ(prompt.shown.size(), 1u) << shipped;
            EXPECT_TRUE(prompt.shown[0].startsWith(Msg(kMsgHelpNotShown))) << prompt.shown[0].toStdString();
            EXPECT_TRUE(prompt.shown[0].endsWith(QString::fromStdString(Path(guide)))) << prompt.shown[0].toStdString();
            EXPECT_EQ(prompt.kinds, std::vector<MsgKind>{MsgKind::Error});
        }
    }
}

// The guide has the same pages in every language, each page's links lead to pages of its own
// language, and a translated page is written in its language.
TEST(UserGuide, EveryLanguageHasEveryPageAndItsLinksStayInTheLanguage)
{
    const QDir english(QStringLiteral(KES_BIN_DIR "/Help"));
    const QStringList pages = english.entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
    ASSERT_GT(pages.size(), 1);
    static const QRegularExpression link(QStringLiteral("href=\"([^\"]+)\""));
    static const QRegularExpression han(QStringLiteral("\\p{Han}"));
    for (int lang : {LangCht, LangChs}) {
        const QDir dir = QFileInfo(QStringLiteral(KES_BIN_DIR "/") + QLatin1String(HelpFileOf(lang))).dir();
        EXPECT_EQ(dir.entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name), pages)
            << dir.path().toStdString();
        for (const QString& page : pages) {
            QFile f(dir.filePath(page));
            ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << f.fileName().toStdString();
            const QString html = QString::fromUtf8(f.readAll());
            EXPECT_TRUE(html.contains(han)) << f.fileName().toStdString() << " is not translated";
            for (auto it = link.globalMatch(html); it.hasNext();) {
                const QString target = it.next().captured(1);
                EXPECT_TRUE(dir.exists(target)) << f.fileName().toStdString() << " links to " << target.toStdString();
            }
        }
    }
}

TEST_F(FormsTest, ToolWindowsDockOrFloatAsTheLayoutFileSays)
{
    // Plain forms in place of the page tree and the inspector.
    struct PlainTools : MainShellWindows {
        using MainShellWindows::MainShellWindows;
        int made = 0;
        QWidget* Tool(const char* name)
        {
            ++made;
            auto* w = new QWidget;
            w->setObjectName(QString::fromLatin1(name));
            MarkForm(w);
            w->resize(180, 200);
            return w;
        }
        QWidget* CreatePageTree() override { return Tool("FrameTreeView"); }
        QWidget* CreateObjInspector() override { return Tool("DlgProp"); }
    } tools(*Main());
    const int& made = tools.made;
    Main()->UseShellWindows(&tools);
    Main()->show();
    TIniFile ini(Main()->LocIniPath());
    ini.WriteBool("TreeViewPage", "Location", false);
    ini.WriteInteger("TreeViewPage", "Width", 220);
    ini.WriteBool("ObjInspector", "Location", false);
    Main()->View.PageTreeOn = true;
    Main()->View.ObjInspectorOn = true;
    Main()->ShowPageTree(ini);
    Main()->ShowObjInspector(ini);
    ASSERT_EQ(made, 2);
    // Both docked: the second below the first.
    ASSERT_EQ(Main()->PanelTreeViewHost->count(), 2);
    EXPECT_EQ(Main()->PanelTreeViewHost->widget(0), Main()->FrameTreeViewWin.data());
    EXPECT_EQ(Main()->PanelTreeViewHost->widget(1), Main()->DlgPropWin.data());
    EXPECT_FALSE(Main()->PanelTreeView->isHidden());

    // Saving the layout removes the tool windows; with the page tree closed its section stays.
    Main()->SaveLayout();
    EXPECT_EQ(Main()->FrameTreeViewWin, nullptr);
    EXPECT_EQ(Main()->DlgPropWin, nullptr);
    EXPECT_TRUE(Main()->PanelTreeView->isHidden());
    TIniFile saved(Main()->LocIniPath());
    saved.WriteInteger("TreeViewPage", "Width", 4321);
    ASSERT_TRUE(saved.UpdateFile());
    TIniFile floating(Main()->LocIniPath());
    floating.WriteBool("ObjInspector", "Location", true);
    floating.WriteInteger("ObjInspector", "Left", 40);
    floating.WriteInteger("ObjInspector", "Top", 50);
    Main()->ShowObjInspector(floating);
    ASSERT_NE(Main()->DlgPropWin, nullptr);
    EXPECT_TRUE(Main()->DlgPropWin->isWindow());
    EXPECT_EQ(Main()->DlgPropWin->geometry().topLeft(), QPoint(40, 50));
    EXPECT_TRUE(Main()->PanelTreeView->isHidden());
    ASSERT_TRUE(floating.UpdateFile());
    Main()->SaveLayout();
    EXPECT_EQ(TIniFile(Main()->LocIniPath()).ReadInteger("TreeViewPage", "Width", 0), 4321);

    // Switched off, the window goes.
    Main()->ShowObjInspector(floating);
    Main()->View.ObjInspectorOn = false;
    Main()->ShowObjInspector(floating);
    EXPECT_EQ(Main()->DlgPropWin, nullptr);
    Main()->UseShellWindows(nullptr);
}

} // namespace
} // namespace kes::test
