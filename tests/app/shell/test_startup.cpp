// Start-up and the two settings files: what the program writes when it closes is what it
// restores at the next start (Lxe.ini at creation with the edit tool bar, the other tool bars
// when a project opens); missing or damaged files give the defaults (the built-in English
// texts for damaged language files, named in one report at start-up); a command line naming
// no file opens nothing.
#include "shellfixture.h"

#include "app/comm/linkport.h"
#include "app/shell/lxeini.h"
#include "app/shell/startup.h"
#include "app/shell/taboutbox.h"
#include "app/shell/tkhm.h"
#include "app/shell/tlogo.h"
#include "app/ui/errortext.h"
#include "app/ui/msgtable.h"
#include "platform/fileio.h"
#include "platform/inifile.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QLayout>
#include <QToolBar>

#include <sys/stat.h>

namespace kes::test {
namespace {

class StartupTest : public ShellFixture {
protected:
    void Start(QStringList args = {})
    {
        StartupOptions o;
        o.arguments = std::move(args);
        o.splashMillis = 0;
        o.prompt = &prompt;
        o.screen = &screen;
        StartMain(NewDoc(), o);
        Main()->show();
    }
    void Stop()
    {
        Main()->FormClose();
        ShutDownMain();
    }
    void TearDown() override
    {
        if (Main())
            ShutDownMain();
        ShellFixture::TearDown();
    }
    // Lets the main window lay out its tool bars.
    static void Settle()
    {
        Main()->layout()->activate();
        QCoreApplication::processEvents();
    }
    // The shown docked tool bars in layout order: row by row, left to right.
    static std::vector<std::string> DockedOrder()
    {
        std::vector<std::pair<QPoint, std::string>> bars;
        for (QToolBar* b :
             {Main()->EditToolBar, Main()->ObjToolBar, Main()->GeomToolBar, Main()->PosTooBar, Main()->PostSetToolBar})
            if (!Main()->ToolBarFloats(b) && !b->isHidden())
                bars.emplace_back(b->pos(), b->objectName().toStdString());
        std::sort(bars.begin(), bars.end(), [](const auto& a, const auto& b) {
            return a.first.y() != b.first.y() ? a.first.y() < b.first.y() : a.first.x() < b.first.x();
        });
        std::vector<std::string> names;
        for (const auto& b : bars)
            names.push_back(b.second);
        return names;
    }
};

TEST_F(StartupTest, SettingsWrittenAtCloseAreReadBackAtTheNextStart)
{
    std::remove(Path("Lxe.ini").c_str());
    Start();
    EXPECT_FALSE(Main()->LxeIniRead());
    Main()->resize(900, 640);
    Main()->AddRecentFile("/p/one.zqf");
    Main()->AddRecentFile("/p/two.zqf");
    Main()->Doc.AutoSave = 1;
    Main()->Doc.SaveTimeInterval = 7;
    Main()->MMICom->Settings().baud = 19200;
    Main()->OpenDlg.InitialDir = Dir() + "DocFiles";
    Main()->BmpDlg.InitialDir = "/pictures";
    Main()->setFont(QFont(QStringLiteral("DejaVu Sans"), 11));
    Stop();

    Start();
    EXPECT_TRUE(Main()->LxeIniRead());
    EXPECT_EQ(Main()->width(), 900);
    EXPECT_EQ(Main()->height(), 640);
    EXPECT_EQ(Main()->Doc.RecentFiles, (std::vector<std::string>{"/p/two.zqf", "/p/one.zqf"}));
    EXPECT_EQ(Main()->Doc.AutoSave, 1);
    EXPECT_EQ(Main()->Doc.SaveTimeInterval, 7);
    EXPECT_EQ(Main()->MMICom->Settings().baud, 19200);
    EXPECT_EQ(Main()->MMICom->Settings().dataBits, 7);
    EXPECT_EQ(Main()->MMICom->Settings().parity, LinkParity::Even);
    EXPECT_EQ(Main()->OpenDlg.InitialDir, Dir() + "DocFiles");
    EXPECT_EQ(Main()->BmpDlg.InitialDir, "/pictures");
    EXPECT_EQ(Main()->font().family(), "DejaVu Sans");
    EXPECT_EQ(Main()->font().pointSize(), 11);
    EXPECT_EQ(Main()->Doc.PrjVersion, 120u);
    // The recent files are shown above Exit.
    EXPECT_TRUE(Main()->Action("MmFile2")->isVisible());
    EXPECT_FALSE(Main()->Action("MmFile3")->isVisible());
    EXPECT_EQ(Main()->Action("MmFile1")->data().toString(), "/p/two.zqf");
    Stop();
}

TEST_F(StartupTest, ToolBarLayoutWrittenAtCloseIsRestored)
{
    Start();
    // The user floats the figure tool bar and hides the position tool bar ...
    Main()->FloatToolBar(Main()->GeomToolBar, QRect(300, 200, 250, 30));
    Main()->PostSetToolBar->hide();
    Main()->SaveLayout();
    // ... and moves the object tool bar to the first row, the edit and text tool bars below.
    TIniFile edit(Main()->LocIniPath());
    edit.WriteInteger("ToolBar2", "Top", 0);
    edit.WriteInteger("ToolBar2", "Left", -2);
    edit.WriteInteger("ToolBar1", "Top", 60);
    edit.WriteInteger("ToolBar1", "Left", -2);
    edit.WriteInteger("ToolBar4", "Top", 62);
    edit.WriteInteger("ToolBar4", "Left", 600);
    ASSERT_TRUE(edit.UpdateFile());
    Main()->LoadLayout();
    Settle();
    const std::vector<std::string> order = DockedOrder();
    EXPECT_EQ(order, (std::vector<std::string>{"ObjToolBar", "EditToolBar", "PosTooBar"}));
    Main()->SaveLayout();
    Stop();

    TIniFile written(Path("Loc.ini"));
    EXPECT_TRUE(written.ReadBool("ToolBar3", "Location", false));
    EXPECT_EQ(written.ReadInteger("ToolBar3", "Left", 0), 300);
    EXPECT_EQ(written.ReadInteger("ToolBar3", "Top", 0), 200);
    EXPECT_FALSE(written.ReadBool("ToolBar5", "Visible", true));
    EXPECT_FALSE(written.ReadBool("ToolBar1", "Location", true));

    Start();
    Main()->LoadLayout();
    Settle();
    EXPECT_TRUE(Main()->ToolBarFloats(Main()->GeomToolBar));
    EXPECT_EQ(Main()->GeomToolBar->mapToGlobal(QPoint(0, 0)), QPoint(300, 200));
    EXPECT_TRUE(Main()->PostSetToolBar->isHidden());
    EXPECT_EQ(DockedOrder(), order);
    Stop();
}

// A damaged or missing shipped language file gives the built-in English texts instead of
// blank menus and messages, and the start-up report names it (once per problem).
TEST_F(StartupTest, MissingOrDamagedFilesGiveTheDefaults)
{
    const struct {
        const char* name;
        const char* lxe; // null: no file
        const char* loc;
        const char* msg;
        const char* lan; // null: the shipped caption file
    } cases[] = {
        {"all missing", nullptr, nullptr, nullptr, nullptr},
        {"damaged", "\x01\x02garbage\n[COM]\n", "[ToolBar1]\nVisible=yes\nLocation=x\nLeft=--\n",
         "[Message]\nCount=-1\n", ""},
        {"short lxe, wild layout", "[Version]=120\n[COM]=2\n",
         "[ToolBar1]\nVisible=1\nLocation=0\nLeft=99999999\nTop=-99999\nWidth=0\nHeight=0\n"
         "[ToolBar3]\nVisible=1\nLocation=1\nLeft=2147483647\nTop=-2147483648\nWidth=2147483647\nHeight=-1\n"
         "[TreeViewPage]\nVisible=1\nLocation=1\nLeft=2147483647\nTop=2147483647\nWidth=2147483647\n",
         "[Message]\nM0=zero\n", "[Khm]\nKhm.MmNew.Caption=&Neu\n"},
    };
    std::string shippedLan, shippedMachines;
    ASSERT_TRUE(ReadFileText(Path("DATAEnu.Lan"), 1u << 30, shippedLan, nullptr));
    ASSERT_TRUE(ReadFileText(Path("HMI/MachineList2.hmi"), 1u << 30, shippedMachines, nullptr));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const char* f : {"Lxe.ini", "Loc.ini", "MultiLanEng.txt"})
            std::remove(Path(f).c_str());
        if (c.lxe)
            WriteFile("Lxe.ini", c.lxe);
        if (c.loc)
            WriteFile("Loc.ini", c.loc);
        if (c.msg)
            WriteFile("MultiLanEng.txt", c.msg);
        WriteFile("DATAEnu.Lan", c.lan ? c.lan : shippedLan);
        // A controller list that would have start-up read names without end.
        const bool damagedModels = c.lan != nullptr && *c.lan == 0;
        WriteFile("HMI/MachineList2.hmi", damagedModels ? "[FactoryType]\nTotalFactory=2147483647\n" : shippedMachines);
        const std::size_t shownBefore = prompt.shown.size();
        Start();
        QCoreApplication::processEvents();
        EXPECT_EQ(Main()->View.EditMode, kes::Editing::Pages);
        EXPECT_EQ(Main()->Doc.LangIndex, 2);
        EXPECT_EQ(Main()->Doc.MachineId, 87);
        EXPECT_EQ(Main()->Doc.Opened, 0);
        EXPECT_GT(MessageTable().Count(), 400);
        EXPECT_EQ(Msg(31), "Do you want to save Project to ");
        EXPECT_EQ(Main()->Doc.CaptionPrefix, "Kestrova - ");
        EXPECT_EQ(Main()->Action("Mmfile")->text(), "&File");
        if (c.lan && *c.lan) {
            EXPECT_EQ(Main()->Action("MmNew")->text(), "&Neu") << "what the file holds is its own";
        }
        EXPECT_FALSE(Main()->EditToolBar->isHidden());
        ASSERT_EQ(prompt.shown.size(), shownBefore + 1) << "one report at start-up";
        EXPECT_TRUE(prompt.shown.back().contains(QStringLiteral("MultiLanEng.txt")))
            << prompt.shown.back().toStdString();
        EXPECT_EQ(prompt.kinds.back(), MsgKind::Error) << "a problem, with the warning icon";
        EXPECT_EQ(prompt.shown.back().contains(QStringLiteral("DATAEnu.Lan")), c.lan != nullptr);
        EXPECT_EQ(prompt.shown.back().contains(QStringLiteral("MachineList2.hmi")), damagedModels);
        Main()->LoadLayout();
        Stop();
    }
}

TEST_F(StartupTest, CommandLineNamingNoFileOpensNothingAndTheSplashDoesNotWait)
{
    StartupOptions o;
    o.arguments = {QStringLiteral("\"") + QString::fromStdString(Path("none.zqf")) + QStringLiteral("\""),
                   QStringLiteral("extra")};
    o.splashMillis = 2000;
    o.prompt = &prompt;
    o.screen = &screen;
    const QPointer<QWidget> splash = StartMain(NewDoc(), o);
    EXPECT_EQ(Main()->OpenDlg.FileName, "");
    EXPECT_EQ(Main()->Doc.Opened, 0);
    // The splash is up while start-up has already finished.
    auto* logo = dynamic_cast<TLogo*>(splash.data());
    ASSERT_NE(logo, nullptr);
    EXPECT_TRUE(logo->isVisible());
    EXPECT_FALSE(logo->Image1->pixmap().isNull());
    {
        // One version: the splash names the one the about box names.
        TAboutBox about(Main(), Main()->Doc.LangIndex, *Main()->FileOpen);
        about.show();
        EXPECT_TRUE(about.ProductName->text().endsWith(QStringLiteral(" ") + logo->Label6->text()))
            << about.ProductName->text().toStdString() << " / " << logo->Label6->text().toStdString();
    }
    ShutDownMain();
    EXPECT_TRUE(splash.isNull());
    EXPECT_EQ(CommandLinePath({QStringLiteral("My"), QStringLiteral("Project.zqf")}), "My Project.zqf");
}

TEST_F(StartupTest, LayoutFileNameIgnoresLetterCase)
{
    std::remove(Path("Loc.ini").c_str());
    WriteFile("loc.ini", "[ToolBar5]\nVisible=0\n");
    Start();
    EXPECT_EQ(Main()->LocIniPath(), Path("loc.ini"));
    Main()->LoadLayout();
    EXPECT_TRUE(Main()->PostSetToolBar->isHidden());
    Main()->SaveLayout();
    EXPECT_FALSE(FileExists(Path("Loc.ini")));
    EXPECT_NE(ReadFile("loc.ini").find("[ToolBar4]"), std::string::npos);
    Stop();
}

// Run from a read-only program folder, the user's layout starts as a copy of the shipped one;
// a copy that can not be written is noted for the report of file problems, not dropped.
TEST_F(StartupTest, AUsersLayoutCopyThatCanNotBeWrittenIsSaid)
{
    WriteFile("Loc.ini", "[ToolBar5]\nVisible=0\n");
    Start();
    TakeFileProblems();
    const std::string config = Path("config/");
    ASSERT_EQ(::mkdir(config.c_str(), 0755), 0);
    // A folder where the copy would go.
    ASSERT_EQ(::mkdir((config + "Loc.ini").c_str(), 0755), 0);
    const std::string saved = Main()->Doc.ConfigDir;
    Main()->Doc.ConfigDir = config;
    EXPECT_EQ(Main()->LocIniPath(), config + "Loc.ini");
    const std::vector<NotedProblem> noted = TakeFileProblems();
    ASSERT_EQ(noted.size(), 1u);
    EXPECT_EQ(noted[0].File, config + "Loc.ini");
    FileError folder{FileOp::Write, FileFault::Folder, config + "Loc.ini"};
    EXPECT_EQ(noted[0].Text, FileErrorText(folder));
    Main()->Doc.ConfigDir = saved;
    Stop();
}

} // namespace
} // namespace kes::test
