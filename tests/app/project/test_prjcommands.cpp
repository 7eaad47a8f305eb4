// The project commands of the main window: a project named on the command line opens; the
// working copy is offered and taken or left; a save that can not write keeps the project
// modified with a message and the old files; a damaged file opens nothing; compile refuses a
// project over the memory area with its message and lists the check's findings; the
// check-result lines name the page and object a double click goes to; simulate writes its file
// also when no simulator is there to start. A recent file opens as a checked project with at
// least one page, and one that is gone says so, also when its working copy is refused. Texts
// of another code page than the one in use are told of once when the project opens; a serial
// port the user typed is kept whatever port number the project holds. A command line naming
// anything but a plain file says so and leaves the program running without a project.
#include "../shell/shellfixture.h"
#include "recordingpages.h"

#include "app/comm/linkport.h"
#include "app/comm/portnames.h"
#include "app/editor/pageeditor.h"
#include "app/editor/thmpage.h"
#include "app/project/memimage.h"
#include "app/project/objfactory.h"
#include "app/project/pgdataenc.h"
#include "app/project/prjio.h"
#include "app/project/ui/prjcommands.h"
#include "app/project/ui/tfrmmsgshow.h"
#include "app/project/ui/tlxtype.h"
#include "app/shell/startup.h"
#include "app/shell/tkhm.h"
#include "app/shell/tkhm_hosts.h"
#include "app/ui/msgtable.h"
#include "objects/tsttxt.h"
#include "platform/codepage.h"
#include "platform/fileio.h"
#include "tests/support/formfinder.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QToolBar>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace kes::test {
namespace {

namespace fs = std::filesystem;

// The check-result window the program shows, found as a user finds it.
TFrmMsgShow* ResultWindow() { return FindForm<TFrmMsgShow>(QStringLiteral("FrmMsgShow")); }

class PrjCommandsTest : public ShellFixture {
protected:
    void Start(QStringList args = {})
    {
        StartupOptions o;
        o.arguments = std::move(args);
        o.splashMillis = 0;
        o.prompt = &prompt;
        o.screen = &screen;
        StartMain(NewDoc(), o);
    }
    void TearDown() override
    {
        if (Main()) {
            Main()->Doc.Modified = 0;
            Main()->FormClose();
            ShutDownMain();
        }
        ShellFixture::TearDown();
    }
    // Writes a project of n pages (titles P0, P1, ...) at base, through a project of its own,
    // which adjust may change first.
    void WriteProject(const std::string& base, int pages, std::size_t pageBytes = 10, const Bytes& firstPageTail = {},
                      const std::function<void(ProjectDoc&, const LxTypeCore&)>& adjust = {})
    {
        ProjectDoc doc;
        doc.AppDir = Dir();
        LxTypeCore core(doc);
        core.LoadModelList();
        core.LoadMachineList();
        doc.MachineId = 3;
        core.SelectMachine();
        core.LoadModelData();
        for (int i = 0; i < pages; ++i) {
            doc.PgDataList.push_back(std::make_unique<PgDataStr>());
            doc.PgDataList.back()->Title = "P" + std::to_string(i);
            // One record of a tag the reader steps over, so that every page reads whole.
            Bytes& data = doc.PgDataList.back()->Data;
            data.assign(pageBytes, static_cast<std::uint8_t>(i + 1));
            PutU16be(data, 0, 2000);
            PutU16be(data, 2, static_cast<std::uint16_t>(pageBytes));
            if (i == 0)
                data.insert(data.end(), firstPageTail.begin(), firstPageTail.end());
        }
        if (adjust)
            adjust(doc, core);
        ResetMemoryImage(doc);
        ASSERT_TRUE(BuildPageImage(doc));
        // A name beginning with "~" is a working copy, of the project named by the rest.
        const std::string name = FileNamePart(base);
        const bool copy = !name.empty() && name.front() == '~';
        doc.PrjName = copy ? name.substr(1) : name;
        const CopyKind kind = copy ? CopyKind::WorkingCopy : CopyKind::Project;
        ASSERT_EQ(WriteProjectFiles(doc, base, extras, kind).Error, ProjectError::None);
    }
    ProjectFileExtras extras; // what WriteProject stores beside the project
    bool Shown(int msg) const
    {
        for (const QString& s : prompt.shown)
            if (s.startsWith(Msg(msg)))
                return true;
        return false;
    }
};

TEST_F(PrjCommandsTest, CommandLineOpensTheProject)
{
    QDir().mkpath(QString::fromStdString(Dir() + "work"));
    WriteProject(Dir() + "work/plant", 2);
    Start({QString::fromStdString(Dir() + "work/plant.zqf")});
    ASSERT_EQ(Main()->Doc.PgDataList.size(), 2u);
    EXPECT_EQ(Main()->Doc.PgDataList[1]->Title, "P1");
    EXPECT_EQ(Main()->Doc.PrjName, "plant");
    EXPECT_EQ(Main()->Doc.MachineId, 3);
    EXPECT_EQ(Main()->Doc.Opened, 1);
    EXPECT_EQ(Main()->Doc.Modified, 0);
    ASSERT_FALSE(Main()->Doc.RecentFiles.empty());
    EXPECT_EQ(Main()->Doc.RecentFiles.front(), Dir() + "work/plant.zqf");
    EXPECT_TRUE(Main()->windowTitle().endsWith(QString::fromStdString(Dir() + "work/plant.zqf")));
    EXPECT_TRUE(prompt.shown.empty()) << (prompt.shown.empty() ? std::string() : prompt.shown[0].toStdString());
}

// Only a plain file named on the command line is read, through a link too. Anything else in its
// place is said at once (a FIFO is not waited on) with the file and why, and the program runs
// with no project, ready to make or open one.
TEST_F(PrjCommandsTest, ACommandLinePathThatIsNoPlainFileIsSaidAndTheProgramRunsWithoutAProject)
{
    QDir().mkpath(QString::fromStdString(Dir() + "work"));
    WriteProject(Dir() + "work/plant", 2);
    const std::string at = Dir() + "work/named.zqf";
    struct Case {
        const char* name;
        std::string path;
        std::function<void()> make;
        int why; // the reason's message; 0: the project opens
    };
    std::vector<Case> cases = {
        {"a link to a project file", at, [&] { fs::create_symlink(Dir() + "work/plant.zqf", at); }, 0},
        {"a missing file", at, [] {}, 981},
        {"a folder", at, [&] { fs::create_directory(at); }, 982},
        {"a FIFO", at, [&] { ASSERT_EQ(::mkfifo(at.c_str(), 0600), 0); }, 983},
        {"/dev/zero", "/dev/zero", [] {}, 983},
        {"a link to itself", at, [&] { fs::create_symlink(at, at); }, 985},
    };
    // Permissions do not hold the superuser back.
    if (::geteuid() != 0)
        cases.push_back({"a file the user may not read", at,
                         [&] {
                             fs::copy_file(Dir() + "work/plant.zqf", at);
                             fs::permissions(at, fs::perms::none);
                         },
                         984});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(at);
        c.make();
        prompt.shown.clear();
        prompt.kinds.clear();
        ::alarm(10);
        Start({QString::fromStdString(c.path)});
        ::alarm(0);
        ASSERT_NE(Main(), nullptr);
        Main()->FormActivate();
        if (c.why == 0) {
            EXPECT_EQ(Main()->Doc.Opened, 1);
            EXPECT_EQ(Main()->Doc.PgDataList.size(), 2u);
            EXPECT_TRUE(prompt.shown.empty()) << (prompt.shown.empty() ? std::string() : prompt.shown[0].toStdString());
        } else {
            EXPECT_EQ(Main()->Doc.Opened, 0);
            EXPECT_TRUE(Main()->Doc.PrjName.empty());
            EXPECT_TRUE(Main()->OpenDlg.FileName.empty());
            ASSERT_EQ(prompt.shown.size(), 1u);
            EXPECT_EQ(prompt.shown[0], Msg(980) + QStringLiteral("\n") + QString::fromStdString(c.path) +
                                           QStringLiteral("\n") + Msg(c.why));
            EXPECT_EQ(prompt.kinds[0], MsgKind::Error);
            EXPECT_TRUE(Main()->FindAction("MmNew")->isEnabled());
            EXPECT_TRUE(Main()->FindAction("MmOpen")->isEnabled());
        }
        Main()->Doc.Modified = 0;
        Main()->FormClose();
        ShutDownMain();
    }
}

TEST_F(PrjCommandsTest, WorkingCopyIsOffered)
{
    WriteProject(Dir() + "plant", 2);
    WriteProject(Dir() + "DocFiles/~plant", 3);
    for (const Answer a : {Answer::Yes, Answer::No}) {
        Start();
        prompt.answers = {a};
        Main()->OpenDlg.FileName = Dir() + "plant.zqf";
        ASSERT_TRUE(Main()->ReadProjectFiles());
        EXPECT_EQ(Main()->Doc.PgDataList.size(), a == Answer::Yes ? 3u : 2u);
        EXPECT_EQ(Main()->Doc.Modified, a == Answer::Yes ? 1 : 0);
        ASSERT_FALSE(prompt.shown.empty());
        EXPECT_TRUE(prompt.shown.front().startsWith(Msg(121)));
        Main()->Doc.Modified = 0;
        Main()->FormClose();
        ShutDownMain();
        WriteProject(Dir() + "DocFiles/~plant", 3);
    }
}

// A page whose record reads only in part is named when the project opens (page and byte),
// and a save keeps its unread bytes while the page is not changed.
TEST_F(PrjCommandsTest, APageThatReadsInPartIsReportedAndKeptWhole)
{
    ASSERT_TRUE(
        QFile::copy(QStringLiteral(KES_BIN_DIR "/libMorvik.so"), QString::fromStdString(Dir() + "libMorvik.so")));
    WriteProject(Dir() + "plant", 2, 10, Bytes(6, 0xFF));
    Start();
    Main()->OpenDlg.FileName = Dir() + "plant.zqf";
    ASSERT_TRUE(Main()->ReadProjectFiles());
    ASSERT_TRUE(Shown(kMsgPartlyRead));
    const QString& report = prompt.shown.back();
    EXPECT_TRUE(report.contains(QStringLiteral(": 0 10 "))) << report.toStdString();
    EXPECT_FALSE(report.contains(QStringLiteral(": 1 "))) << "page 1 reads whole";
    const Bytes page0 = Main()->Doc.PgDataList[0]->Data;
    ASSERT_EQ(page0.size(), 16u);
    Main()->Doc.Modified = 1;
    EXPECT_EQ(TbSaveClick(*Main()->ProjectHost), 1);
    EXPECT_EQ(Main()->Doc.PgDataList[0]->Data, page0) << "the unread bytes stay";
}

// The environment the code page is chosen from, set for a scope.
class ScopedCodePageEnvironment {
public:
    explicit ScopedCodePageEnvironment(const char* codePage)
    {
        for (const char* name : {"KESTROVA_CODEPAGE", "LC_ALL", "LC_CTYPE", "LANG"}) {
            const char* v = std::getenv(name);
            saved_.emplace_back(name, v ? std::optional<std::string>(v) : std::nullopt);
            unsetenv(name);
        }
        setenv("LANG", "C.UTF-8", 1);
        if (codePage)
            setenv("KESTROVA_CODEPAGE", codePage, 1);
    }
    ~ScopedCodePageEnvironment()
    {
        for (const auto& [name, value] : saved_) {
            if (value)
                setenv(name, value->c_str(), 1);
            else
                unsetenv(name);
        }
    }

private:
    std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
};

// Texts written in another code page than the one in use (here a static text in Traditional
// Chinese) are told of once when the project opens, naming the code page that reads them and
// how to start in it: the language, where the locale leaves the choice to it, else the
// environment variable. In that code page nothing is said.
TEST_F(PrjCommandsTest, TextsOfAnotherCodePageAreToldOfOnceWhenTheProjectOpens)
{
    ASSERT_TRUE(
        QFile::copy(QStringLiteral(KES_BIN_DIR "/libMorvik.so"), QString::fromStdString(Dir() + "libMorvik.so")));
    const std::string pumpStart = "\xAC\xA6\xAE\xFA\xB1\xD2\xB0\xCA"; // in code page 950
    WriteProject(Dir() + "plant", 1, 10, {}, [&](ProjectDoc& d, const LxTypeCore& core) {
        const PageEnv env(d, core);
        PageData page;
        page.Zoom = d.DefaultZoom;
        page.GridWidth = d.GridWidth;
        page.GridHeight = d.GridHeight;
        page.ResetPgSettings(d);
        std::unique_ptr<TLxObj> text = NewPageObj(page, env, ObjKind::StTxt);
        dynamic_cast<TStTxt&>(*text).Lines = {"Motor", pumpStart};
        page.AppendObj(std::move(text));
        auto rec = std::make_unique<PgDataStr>();
        rec->Title = "Pumps";
        page.PgIndex = 1;
        RecEncodeEnv encode;
        encode.FontExists = [](const std::string&) { return true; };
        PgDataChx(page, rec->Data, 0, kEncFile, &page.ObjList, encode);
        d.PgDataList.push_back(std::move(rec));
    });
    struct Case {
        const char* variable; // KESTROVA_CODEPAGE
        int inUse;
        const char* how; // what the message says to do; null: no message
    } cases[] = {
        {nullptr, 1252, "choose Settings > Language > Traditional Chinese and start the program again"},
        {"1252", 1252, "start the program with the environment variable KESTROVA_CODEPAGE=950."},
        {"950", 950, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.inUse);
        const ScopedCodePageEnvironment environment(c.variable);
        const ScopedCodePage restore(AnsiCodePage());
        Start();
        ASSERT_EQ(AnsiCodePage(), c.inUse);
        prompt.shown.clear();
        Main()->OpenDlg.FileName = Dir() + "plant.zqf";
        ASSERT_TRUE(Main()->ReadProjectFiles());
        ASSERT_EQ(Main()->Doc.PgDataList.size(), 2u);
        const QString told = Msg(870).arg(950).arg(c.inUse);
        const auto count = std::count_if(prompt.shown.begin(), prompt.shown.end(),
                                         [&](const QString& s) { return s.startsWith(told); });
        EXPECT_EQ(count, c.how ? 1 : 0);
        if (c.how && count == 1) {
            const QString& shown = *std::find_if(prompt.shown.begin(), prompt.shown.end(),
                                                 [&](const QString& s) { return s.startsWith(told); });
            EXPECT_TRUE(shown.contains(QLatin1String(c.how))) << shown.toStdString();
        }
        Main()->Doc.Modified = 0;
        Main()->FormClose();
        ShutDownMain();
    }
}

// A serial port path the user typed stays when a project is opened, whatever port number the
// project holds: none, the first of the machine's ports (none there: no port's), one past them.
TEST_F(PrjCommandsTest, ATypedPortIsKeptAcrossOpen)
{
    const std::string typed = "/dev/pts/7";
    const std::uint8_t past = static_cast<std::uint8_t>(SerialPortNames().size() + 1);
    struct Case {
        const char* name;
        std::uint8_t stored;
    } cases[] = {{"no port stored", 0}, {"the machine's first port", 1}, {"a port the machine lacks", past}};
    Start();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        extras.PortNumber = c.stored;
        WriteProject(Dir() + "plant", 1);
        Main()->MMICom->Settings().name = typed; // as Communication Settings leaves it
        Main()->OpenDlg.FileName = Dir() + "plant.zqf";
        ASSERT_TRUE(Main()->ReadProjectFiles());
        EXPECT_EQ(Main()->MMICom->Settings().name, typed);
        EXPECT_EQ(Main()->ComNumber, 0) << "a typed path is no port of the list";
        Main()->Doc.Modified = 0;
        Main()->MmClosePrjClick();
    }
}

TEST_F(PrjCommandsTest, DamagedFileOpensNothing)
{
    WriteFile("bad.zqf", std::string(100, '\0'));
    Start();
    Main()->OpenDlg.FileName = Dir() + "bad.zqf";
    EXPECT_FALSE(Main()->ReadProjectFiles());
    EXPECT_TRUE(Shown(kMsgFileDamaged));
    EXPECT_TRUE(Main()->Doc.PgDataList.empty());
    EXPECT_TRUE(Main()->Doc.PrjName.empty());
}

TEST_F(PrjCommandsTest, FailedSaveKeepsModifiedAndTheOldFiles)
{
    WriteProject(Dir() + "plant", 2);
    const std::string before = ReadFile("plant.zqf");
    Start();
    Main()->OpenDlg.FileName = Dir() + "plant.zqf";
    ASSERT_TRUE(Main()->ReadProjectFiles());
    Main()->Doc.PgDataList[0]->Data.assign(500, 7);
    Main()->Doc.Modified = 1;
    const WriteWatch full{[](std::size_t, std::size_t) { return true; }, {}};
    Main()->Doc.SaveWatch = &full;
    EXPECT_EQ(TbSaveClick(*Main()->ProjectHost), 2);
    Main()->Doc.SaveWatch = nullptr;
    EXPECT_TRUE(Shown(kMsgSaveFailed));
    EXPECT_EQ(Main()->Doc.Modified, 1);
    EXPECT_EQ(ReadFile("plant.zqf"), before);

    prompt.shown.clear();
    EXPECT_EQ(TbSaveClick(*Main()->ProjectHost), 1);
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_EQ(Main()->Doc.Modified, 0);
    EXPECT_NE(ReadFile("plant.zqf"), before);
}

TEST_F(PrjCommandsTest, CompileOverTheAreaIsRefused)
{
    WriteProject(Dir() + "plant", 2);
    Start();
    Main()->OpenDlg.FileName = Dir() + "plant.zqf";
    ASSERT_TRUE(Main()->ReadProjectFiles());
    MmTranslateClick(*Main()->ProjectHost);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown.front(), Msg(63) + QStringLiteral("\n\n") + Msg(84) + QStringLiteral("1%"));
    EXPECT_EQ(Main()->Doc.Compiled, 1);

    prompt.shown.clear();
    Main()->Doc.Compiled = 0;
    Main()->Doc.PgDataList[1]->Data.assign(
        static_cast<std::size_t>(Main()->Doc.ObjDataAddrEnd - Main()->Doc.ObjDataAddr), 1);
    MmTranslateClick(*Main()->ProjectHost);
    EXPECT_EQ(prompt.shown, (std::vector<QString>{Msg(26), Msg(27)}));
    EXPECT_EQ(Main()->Doc.Compiled, 0);
    // A save of such a project writes nothing.
    const std::string before = ReadFile("plant.zqf");
    prompt.shown.clear();
    EXPECT_EQ(TbSaveClick(*Main()->ProjectHost), 2);
    EXPECT_EQ(prompt.shown, std::vector<QString>{Msg(26)});
    EXPECT_EQ(ReadFile("plant.zqf"), before);
}

TEST_F(PrjCommandsTest, CheckFindingsGoToTheResultWindow)
{
    WriteProject(Dir() + "plant", 1);
    Start();
    Main()->OpenDlg.FileName = Dir() + "plant.zqf";
    ASSERT_TRUE(Main()->ReadProjectFiles());
    Main()->Doc.SysFunKeyUsed[2] = 1;
    Main()->Doc.SysFunKeys[2].UserLevel = 3;
    MmTranslateClick(*Main()->ProjectHost);
    EXPECT_EQ(prompt.shown, std::vector<QString>{Msg(27)});
    ASSERT_NE(ResultWindow(), nullptr);
    ASSERT_EQ(ResultWindow()->lsbChk->count(), 1);
    EXPECT_EQ(ResultWindow()->lsbChk->item(0)->text(),
              QStringLiteral("[Error]System Funtion key set fail!!(Funtion key Set 2):User-Level set fail!!"));

    // The double click asks the page windows the window was given.
    RecordingPages pages;
    ResultWindow()->Pages = &pages;
    ResultWindow()->lsbChk->setCurrentRow(0);
    ResultWindow()->lsbChkDblClick();
    ResultWindow()->SetLines({"[Error]Button [3,4] (Page number 0) : Funtion key Set"});
    ResultWindow()->lsbChk->setCurrentRow(0);
    ResultWindow()->lsbChkDblClick();
    EXPECT_EQ(pages.calls, (std::vector<std::string>{"open 0", "open 0", "select Button 3,4"}));
}

TEST_F(PrjCommandsTest, ARecentProjectWithoutPagesGetsItsFirstPageItsLayoutAndTheCheck)
{
    // The system's keys are read through the decoder library.
    ASSERT_TRUE(
        QFile::copy(QStringLiteral(KES_BIN_DIR "/libMorvik.so"), QString::fromStdString(Dir() + "libMorvik.so")));
    WriteProject(Dir() + "plant", 0, 10, {}, [](ProjectDoc& d, const LxTypeCore&) {
        d.SysFunKeyUsed[2] = 1;
        d.SysFunKeys[2].ButtonType = kes::BtnType::SetOn;
        d.SysFunKeys[2].UserLevel = 3; // no password carries it: the check finds it
    });
    Start();
    Main()->Doc.RecentFiles = {Dir() + "plant.zqf"};
    Main()->RefreshRecentFileItems();
    Main()->Action("MmFile1")->trigger();
    EXPECT_EQ(Main()->Doc.PrjName, "plant");
    EXPECT_EQ(Main()->View.EditMode, kes::Editing::Pages);
    ASSERT_EQ(Main()->Doc.PgDataList.size(), 1u);
    EXPECT_NE(Main()->PageEd->Current(), nullptr);
    EXPECT_FALSE(Main()->ObjToolBar->isHidden()) << "the layout is restored";
    ASSERT_NE(ResultWindow(), nullptr);
    EXPECT_EQ(ResultWindow()->lsbChk->count(), 1);
    EXPECT_EQ(Main()->Doc.RecentFiles.front(), Dir() + "plant.zqf");
}

TEST_F(PrjCommandsTest, AGoneRecentFileWhoseWorkingCopyIsRefusedIsReportedGone)
{
    WriteProject(Dir() + "DocFiles/~plant", 2);
    const std::string gone = Dir() + "plant.zqf";
    for (const Answer a : {Answer::No, Answer::Yes}) {
        SCOPED_TRACE(a == Answer::No ? "No" : "Yes");
        Start();
        Main()->Doc.RecentFiles = {gone};
        Main()->RefreshRecentFileItems();
        prompt.shown.clear();
        prompt.answers = {a};
        Main()->Action("MmFile1")->trigger();
        ASSERT_FALSE(prompt.shown.empty());
        EXPECT_TRUE(prompt.shown.front().startsWith(Msg(121)));
        EXPECT_FALSE(Shown(kMsgFileDamaged));
        if (a == Answer::No) {
            EXPECT_EQ(prompt.shown.back(), Msg(82));
            EXPECT_TRUE(Main()->Doc.PgDataList.empty());
            EXPECT_TRUE(Main()->Doc.PrjName.empty());
            EXPECT_EQ(Main()->Doc.RecentFiles, std::vector<std::string>{gone}) << "the entry stays";
        } else {
            EXPECT_EQ(Main()->Doc.PgDataList.size(), 2u) << "the working copy is opened";
            EXPECT_EQ(Main()->Doc.Modified, 1);
        }
        Main()->Doc.Modified = 0;
        Main()->FormClose();
        ShutDownMain();
        WriteProject(Dir() + "DocFiles/~plant", 2);
    }
}

TEST_F(PrjCommandsTest, SimulateWritesTheSimFileEvenWithoutTheSimulator)
{
    WriteProject(Dir() + "plant", 2);
    Start();
    Main()->OpenDlg.FileName = Dir() + "plant.zqf";
    ASSERT_TRUE(Main()->ReadProjectFiles());
    ASSERT_FALSE(FileExists(Dir() + "LxSim"));
    for (const bool online : {false, true}) {
        QFile::remove(QString::fromStdString(Dir() + "plant.sim"));
        prompt.shown.clear();
        prompt.kinds.clear();
        MmSimClick(*Main()->ProjectHost, online);
        EXPECT_TRUE(FileExists(Dir() + "plant.sim")) << online;
        EXPECT_TRUE(Shown(kMsgNoSimulator)) << "only starting the program fails";
        EXPECT_EQ(prompt.kinds, std::vector<MsgKind>{MsgKind::Error}) << "shown as a failure";
    }
}

TEST(CheckLine, WhatADoubleClickOpens)
{
    struct Case {
        const char* line;
        const char* pageWord;
        bool found;
        int page;
        bool object;
        const char* text;
        int x, y;
    };
    const Case cases[] = {
        {"[Error]Static Text [5,6] (Page number 2) : The font X is not installed!!", "Page number", true, 2, true,
         "Static Text", 5, 6},
        {"[Error]Funtion key Set (Page number 11) : User-Level set fail!!", "Page number", true, 11, false, "", 0, 0},
        {"[Error]System Funtion key set fail!!(Funtion key Set 2):User-Level set fail!!", "Page number", true, 0, false,
         "", 0, 0},
        {"[Error]Button [3,4] (Page number 1) : x", "X", true, 1, false, "", 0, 0},
        {"[Error]Button [3,4] (Page number x) : y", "Page number", false, 0, false, "", 0, 0},
        {"[Error]Button [3,4] (Page number 1", "Page number", false, 0, false, "", 0, 0},
        {"[Error]Please change windows display settings", "Page number", false, 0, false, "", 0, 0},
    };
    for (const Case& c : cases) {
        const auto t = ParseCheckLine(c.line, c.pageWord);
        ASSERT_EQ(t.has_value(), c.found) << c.line;
        if (!t)
            continue;
        EXPECT_EQ(t->Page, c.page) << c.line;
        EXPECT_EQ(t->HasObject, c.object) << c.line;
        if (c.object) {
            EXPECT_EQ(t->Text, c.text) << c.line;
            EXPECT_EQ(t->X, c.x) << c.line;
            EXPECT_EQ(t->Y, c.y) << c.line;
        }
    }
}

} // namespace
} // namespace kes::test
