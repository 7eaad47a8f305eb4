// New project, close and exit: the new-project form sets the controller, panel model, grid
// and memory map; closing asks to save only when there is something to lose, keeps everything
// (the automatic working copy included) when the user cancels, and writes the settings file;
// the keypad types are closed without a question. The question names the file a Yes writes.
#include "shellfixture.h"

#include "app/project/ui/prjfiles.h"
#include "app/project/ui/tlxtype.h"
#include "app/shell/lxeini.h"
#include "app/shell/startup.h"
#include "app/shell/tkhm.h"
#include "app/shell/tkhm_hosts.h"
#include "app/ui/msgtable.h"
#include "platform/codepage.h"
#include "platform/fileio.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

namespace kes::test {
namespace {

// The program's project files, but for a save that does what the test says.
class CaseSaver : public HostProjectFiles {
public:
    CaseSaver(ProjectCommandsHost& host, std::function<bool()> save) : HostProjectFiles(host), save_(std::move(save)) {}
    bool SaveProject() override { return save_(); }

private:
    std::function<bool()> save_;
};

class ProjectCloseTest : public StartedShell {
protected:
    // Answers the new-project form with a brand, a model of it, a panel model and a name.
    void ChooseInNewProjectForm(int brand, int model, int panel, const QString& name)
    {
        prompt.onExec = [=](QDialog& d) {
            auto& f = static_cast<TLxType&>(d);
            f.Factory_Box->setCurrentIndex(brand);
            f.Factory_BoxChange();
            f.PLCType_Box->setCurrentIndex(model);
            f.MMIType_Box->setCurrentIndex(panel);
            f.FileName_Txt->setText(name);
            f.OkBtn->click();
        };
    }

    bool LxeIniWritten() const { return FileExists(Path("Lxe.ini")); }
};

TEST_F(ProjectCloseTest, NewProjectTakesControllerPanelGridAndMemoryMap)
{
    // Brand 1 model 1: controller 6 (no bit devices); panel 4: 120 x 64, two screen pixels
    // per panel pixel across.
    ChooseInNewProjectForm(1, 1, 4, QStringLiteral("  Line3  "));
    Main()->MmNewClick();

    EXPECT_EQ(Main()->Doc.MachineId, 6);
    EXPECT_EQ(Main()->Doc.PanelModelIndex, 4);
    EXPECT_EQ(Main()->Doc.GridWidth, 2);
    EXPECT_EQ(Main()->Doc.GridHeight, 1);
    EXPECT_EQ(Main()->Doc.ObjDataAddr, 0x18000);
    EXPECT_EQ(Main()->Doc.ObjDataAddrEnd, 0x40000);
    EXPECT_EQ(Main()->Doc.MainMenuAddr, 0x11000);
    EXPECT_EQ(Main()->Doc.MainMenuEnd, 0x18000);
    EXPECT_EQ(Main()->Doc.ParaAddr, 0x10000);
    EXPECT_EQ(Main()->LxType->PanelWidth, 120);
    EXPECT_EQ(Main()->LxType->PanelHeight, 64);
    EXPECT_EQ(Main()->Doc.PrjName, "Line3");
    EXPECT_EQ(Main()->Doc.Opened, 1);
    EXPECT_EQ(Main()->Doc.Modified, 1);
    EXPECT_EQ(Main()->Doc.Compiled, 0);
    EXPECT_EQ(Main()->Doc.PrjVersion, Main()->Doc.DataVersion);
    EXPECT_EQ(Main()->Doc.PgDataList.size(), 1u);
    EXPECT_EQ(Main()->Doc.MemImage.size(), std::size_t(0x40000 - 0x18000));
    EXPECT_TRUE(Main()->StatusText(3).startsWith(QStringLiteral("Device Type: ")));
    EXPECT_TRUE(Main()->StatusText(3).endsWith(QStringLiteral("Octal register controller")));
    EXPECT_EQ(Main()->StatusText(4), QStringLiteral("ZQ Type: LX-05W"));
    EXPECT_FALSE(Main()->Action("TbBit")->isVisible());
    EXPECT_TRUE(Main()->Action("MmClosePrj")->isEnabled());
    EXPECT_TRUE(Main()->windowTitle().endsWith(QStringLiteral("Line3.zqf")));
}

TEST_F(ProjectCloseTest, NewProjectFormRefusesAnEmptyNameAndCancelLeavesNoProject)
{
    prompt.onExec = [](QDialog& d) {
        auto& f = static_cast<TLxType&>(d);
        f.FileName_Txt->clear();
        f.OkBtn->click();
    };
    Main()->MmNewClick();
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0], Msg(75));
    EXPECT_EQ(Main()->Doc.Opened, 0);
    EXPECT_TRUE(Main()->Doc.PgDataList.empty());
    EXPECT_EQ(Main()->Doc.MachineId, 87);
}

TEST_F(ProjectCloseTest, KeypadTypeMakesNoPageAndAsksBeforeClosing)
{
    ChooseInNewProjectForm(5, 0, 0, QStringLiteral("Keys"));
    Main()->MmNewClick();
    EXPECT_EQ(Main()->Doc.MachineId, 95);
    EXPECT_TRUE(Main()->Doc.PgDataList.empty());
    EXPECT_EQ(Main()->Doc.KeySetRec.StartChar, 2);
    EXPECT_EQ(Main()->Doc.KeySetRec.KeyCodes[15], '0' + 15);
    EXPECT_TRUE(Main()->Action("MmClosePrj")->isEnabled());
    EXPECT_TRUE(Main()->FrmKeySettingWin && Main()->FrmKeySettingWin->isVisible());

    // The key settings are the project: a new one that was never saved is offered for saving,
    // and the settings file is written as for any project.
    std::remove(Path("Lxe.ini").c_str());
    prompt.shown.clear();
    prompt.answers = {Answer::No};
    Main()->MmClosePrjClick();
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_TRUE(prompt.shown[0].startsWith(Msg(31)));
    EXPECT_TRUE(LxeIniWritten());
    EXPECT_TRUE(Main()->FrmKeySettingWin.isNull());
}

TEST_F(ProjectCloseTest, SaveQuestionAnswers)
{
    struct Case {
        const char* name;
        Answer answer;
        bool saverSaves; // what the main window's save answers, when it has a saver
        bool hasSaver;   // false: nothing saves (the save answers false, no save is counted)
        bool closes;
    } cases[] = {
        {"cancel", Answer::Cancel, true, true, false},           {"no", Answer::No, true, true, true},
        {"yes, saved", Answer::Yes, true, true, true},           {"yes, save refused", Answer::Yes, false, true, false},
        {"yes, no saver yet", Answer::Yes, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ChooseInNewProjectForm(0, 0, 0, QStringLiteral("Doc"));
        Main()->MmNewClick();
        ASSERT_EQ(Main()->Doc.Opened, 1);
        Main()->Doc.AutoSave = 1;
        Main()->Doc.SaveTimeInterval = 3;
        Main()->StartAutoSave();
        int saves = 0;
        CaseSaver saver(*Main()->ProjectHost, [&] {
            if (!c.hasSaver)
                return false;
            ++saves;
            return c.saverSaves;
        });
        Main()->UseProjectFiles(&saver);
        std::remove(Path("Lxe.ini").c_str());
        prompt.shown.clear();
        prompt.answers = {c.answer};

        Main()->MmClosePrjClick();

        ASSERT_EQ(prompt.shown.size(), 1u);
        EXPECT_TRUE(prompt.shown[0].startsWith(Msg(31)));
        EXPECT_TRUE(prompt.shown[0].endsWith(QStringLiteral("?")));
        EXPECT_EQ(saves, c.answer == Answer::Yes && c.hasSaver ? 1 : 0);
        EXPECT_EQ(Main()->Doc.Opened == 0, c.closes);
        EXPECT_EQ(Main()->Doc.PgDataList.empty(), c.closes);
        EXPECT_EQ(LxeIniWritten(), c.closes);
        // A close the user cancelled keeps the automatic working copy running.
        EXPECT_EQ(Main()->AutoSaveRunning(), !c.closes);
        if (c.closes) {
            EXPECT_EQ(Main()->Doc.MachineId, 87);
            EXPECT_EQ(Main()->Doc.PrjName, "");
            EXPECT_EQ(Main()->StatusText(3), "");
            EXPECT_FALSE(Main()->Action("MmClosePrj")->isEnabled());
        }
        Main()->UseProjectFiles(nullptr);
        Main()->Doc.Modified = 0;
        Main()->StopAutoSave();
        prompt.answers = {Answer::No};
        Main()->MmClosePrjClick();
    }
}

// The question before a close names the file that Yes writes, which is the one the title
// shows: for a new project (not the "Doc0" its first default name was), a saved one, one saved
// under another name, and one whose save as was cancelled. The file saved is listed as recent.
TEST_F(ProjectCloseTest, TheSaveQuestionNamesTheFileYesWrites)
{
    enum Step { None, Save, SaveAs, SaveAsCancelled };
    struct Case {
        const char* name;
        Step step;
        const char* file; // in DocFiles
    } cases[] = {
        {"new", None, "Second.zqf"},
        {"saved", Save, "Second.zqf"},
        {"renamed", SaveAs, "Third.zqf"},
        {"save as cancelled", SaveAsCancelled, "Second.zqf"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(QString::fromStdString(Path("DocFiles"))).removeRecursively();
        QDir().mkpath(QString::fromStdString(Path("DocFiles")));
        Main()->OpenDlg.InitialDir = Path("DocFiles");
        Main()->Doc.RecentFiles.clear();
        ChooseInNewProjectForm(0, 0, 0, QStringLiteral("Second"));
        Main()->MmNewClick();
        ASSERT_EQ(Main()->Doc.Opened, 1);
        if (c.step == Save) {
            Main()->Action("MmSave")->trigger();
        } else if (c.step == SaveAs || c.step == SaveAsCancelled) {
            prompt.onExec = [&](QDialog& d) {
                if (c.step == SaveAsCancelled)
                    return;
                static_cast<QFileDialog&>(d).selectFile(QString::fromStdString(Path("DocFiles/Third.zqf")));
                d.done(QDialog::Accepted);
            };
            Main()->Action("MmSaveAs")->trigger();
        }
        const std::string file = Path(std::string("DocFiles/") + c.file);
        if (c.step == Save || c.step == SaveAs) {
            EXPECT_EQ(Main()->Doc.RecentFiles, std::vector<std::string>{file});
        }
        Main()->Doc.Modified = 1;
        EXPECT_EQ(Main()->windowTitle(), QStringLiteral("Kestrova - ") + QString::fromStdString(file));
        prompt.shown.clear();
        prompt.answers = {Answer::Yes};

        Main()->MmClosePrjClick();

        ASSERT_EQ(prompt.shown.size(), 1u);
        EXPECT_EQ(prompt.shown[0].toStdString(),
                  (Msg(31) + QString::fromStdString(file) + QStringLiteral("?")).toStdString());
        EXPECT_TRUE(FileExists(file));
        EXPECT_FALSE(FileExists(Path("DocFiles/Doc0.zqf")));
        ASSERT_FALSE(Main()->Doc.RecentFiles.empty());
        EXPECT_EQ(Main()->Doc.RecentFiles.front(), file);
        EXPECT_EQ(Main()->Action("MmFile1")->data().toString().toStdString(), file);
        // With no project the title is the product's name alone.
        EXPECT_EQ(Main()->windowTitle().toStdString(), "Kestrova");
    }
}

// A project named in Chinese, in a folder the desktop named in Chinese (UTF-8 on disk), is
// saved under its name as the file system spells it, closed and opened again.
TEST_F(ProjectCloseTest, AProjectNamedInChineseInAChineseFolderIsSavedAndOpenedAgain)
{
    const ScopedCodePage big5(950);
    const QString folder = QString::fromStdString(Path("")) + QString::fromUtf8("專案資料夾");
    ASSERT_TRUE(QDir().mkpath(folder));
    Main()->OpenDlg.InitialDir = QStringToAnsi(folder);
    ChooseInNewProjectForm(0, 0, 0, QString::fromUtf8("包裝機"));
    Main()->MmNewClick();
    ASSERT_EQ(Main()->Doc.PrjName, QStringToAnsi(QString::fromUtf8("包裝機")));
    Main()->Action("MmSave")->trigger();
    const QString saved = folder + QString::fromUtf8("/包裝機.zqf");
    EXPECT_TRUE(QFileInfo(saved).isFile()) << (prompt.shown.empty() ? "" : prompt.shown.back().toStdString());
    EXPECT_EQ(Main()->windowTitle(), QStringLiteral("Kestrova - ") + saved);
    prompt.answers = {Answer::No};
    Main()->MmClosePrjClick();
    ASSERT_EQ(Main()->Doc.Opened, 0);
    // Nothing else is left in the folder: no working copy, no file under a name in other bytes.
    EXPECT_EQ(QDir(folder).entryList({QStringLiteral("*.zqf")}, QDir::Files | QDir::Hidden),
              QStringList{QString::fromUtf8("包裝機.zqf")});

    Main()->OpenDlg.FileName = QStringToAnsi(saved);
    ASSERT_TRUE(Main()->ReadProjectFiles());
    EXPECT_EQ(Main()->Doc.PrjName, QStringToAnsi(QString::fromUtf8("包裝機")));
    EXPECT_EQ(Main()->Doc.PgDataList.size(), 1u);
    Main()->Doc.Modified = 0;
    Main()->MmClosePrjClick();
}

// A path the code page can not hold (a folder named in Simplified Chinese under code page 950)
// would name another file: Save As refuses it with the path and the character, and writes nothing.
TEST_F(ProjectCloseTest, SaveAsRefusesAPathTheCodePageCanNotHold)
{
    const ScopedCodePage big5(950);
    const QString folder = QString::fromStdString(Path("")) + QString::fromUtf8("下载");
    ASSERT_TRUE(QDir().mkpath(folder));
    ChooseInNewProjectForm(0, 0, 0, QStringLiteral("Plant"));
    Main()->MmNewClick();
    ASSERT_EQ(Main()->Doc.Opened, 1);
    prompt.shown.clear();
    prompt.onExec = [&](QDialog& d) {
        static_cast<QFileDialog&>(d).selectFile(folder + QStringLiteral("/Plant.zqf"));
        d.done(QDialog::Accepted);
    };
    Main()->Action("MmSaveAs")->trigger();
    prompt.onExec = nullptr;
    ASSERT_EQ(prompt.shown.size(), 1u);
    const QString said = prompt.shown[0];
    EXPECT_TRUE(said.contains(folder + QStringLiteral("/Plant.zqf"))) << said.toStdString();
    EXPECT_TRUE(said.contains(QString::fromUtf8("\"载\" (U+8F7D)"))) << said.toStdString();
    EXPECT_EQ(prompt.kinds[0], MsgKind::Error);
    EXPECT_TRUE(QDir(folder).isEmpty());
    EXPECT_TRUE(QDir(QString::fromStdString(Path("")))
                    .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)
                    .filter(QStringLiteral("?"))
                    .isEmpty())
        << "no file or folder under a name with \"?\" in it";
    Main()->Doc.Modified = 0;
    Main()->MmClosePrjClick();
}

TEST_F(ProjectCloseTest, CloseRemovesOnlyThisProjectsWorkingCopies)
{
    // A copy left by another project's interrupted run is offered when that project opens,
    // so closing this project must not take it away.
    for (const char* f :
         {"DocFiles/~Doc.zqf", "DocFiles/~Doc.Til", "DocFiles/~Doc.Sta", "DocFiles/~Other.zqf", "DocFiles/~Other.Til"})
        WriteFile(f, "x");
    ChooseInNewProjectForm(0, 0, 0, QStringLiteral("Doc"));
    Main()->MmNewClick();
    ASSERT_EQ(Main()->Doc.PrjName, "Doc");
    prompt.answers = {Answer::No};
    Main()->MmClosePrjClick();
    ASSERT_EQ(Main()->Doc.Opened, 0);
    EXPECT_FALSE(FileExists(Path("DocFiles/~Doc.zqf")));
    EXPECT_FALSE(FileExists(Path("DocFiles/~Doc.Til")));
    EXPECT_FALSE(FileExists(Path("DocFiles/~Doc.Sta")));
    EXPECT_TRUE(FileExists(Path("DocFiles/~Other.zqf")));
    EXPECT_TRUE(FileExists(Path("DocFiles/~Other.Til")));
}

TEST_F(ProjectCloseTest, ExitWithoutProjectWritesSettingsAndEditToolBarAndRemovesErrorList)
{
    WriteFile("Error.lst", "old findings");
    std::remove(Path("Loc.ini").c_str());
    EXPECT_TRUE(Main()->FormClose());
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_TRUE(LxeIniWritten());
    EXPECT_FALSE(FileExists(Path("Error.lst")));
    const std::string loc = ReadFile("Loc.ini");
    EXPECT_NE(loc.find("[ToolBar1]"), std::string::npos);
    EXPECT_EQ(loc.find("[ToolBar2]"), std::string::npos);
}

// A maximized window stays maximized through new, close and exit; Lxe.ini keeps its normal
// size and the maximized state.
TEST_F(ProjectCloseTest, TheWindowKeepsItsStateWhenProjectsCloseAndTheSizeOfItsNormalOne)
{
    Main()->show();
    Main()->resize(1000, 700);
    const QSize normal = Main()->size();
    Main()->setWindowState(Qt::WindowMaximized);
    ChooseInNewProjectForm(0, 0, 0, QStringLiteral("Doc"));
    Main()->MmNewClick();
    Main()->Doc.Modified = 0;
    Main()->MmClosePrjClick();
    EXPECT_TRUE(Main()->windowState() & Qt::WindowMaximized);
    ASSERT_TRUE(LxeIniWritten());
    LxeSettings s;
    ASSERT_TRUE(ReadLxeIni(Path("Lxe.ini"), Dir(), s));
    EXPECT_EQ(s.WindowState, 2);
    EXPECT_EQ(QSize(s.Width, s.Height), normal);
}

TEST_F(ProjectCloseTest, UnwritableProgramFolderIsReported)
{
    Main()->Doc.AppDir = Dir() + "missing/";
    EXPECT_FALSE(Main()->WriteLxeIni());
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_TRUE(prompt.shown[0].startsWith(Msg(kMsgSettingsNotSaved)));
    EXPECT_TRUE(prompt.shown[0].contains(QStringLiteral("missing/Lxe.ini")));
}

} // namespace
} // namespace kes::test
