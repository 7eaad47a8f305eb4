#include "app/project/ui/prjcommands.h"

#include "app/comm/simfile.h"
#include "app/model/lxtypecore.h"
#include "app/project/headerlib.h"
#include "app/project/memimage.h"
#include "app/project/pagedata.h"
#include "app/project/pagewindows.h"
#include "app/project/pgread.h"
#include "app/project/prjcheck.h"
#include "app/project/prjio.h"
#include "app/project/ui/prjhost.h"
#include "app/project/usermenu.h"
#include "app/ui/codepageguard.h"
#include "app/ui/commandpanel.h"
#include "app/ui/errortext.h"
#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"
#include "app/ui/translate.h"
#include "app/ui/viewstate.h"
#include "objects/objkind.h"
#include "platform/codepage.h"
#include "platform/fileio.h"
#include "platform/gdi.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

namespace kes {

namespace {

constexpr int kMsgOverMemory = 26;
constexpr int kMsgCompileFail = 27;
constexpr int kMsgAskSave = 31;
constexpr int kMsgCompiled = 63;
constexpr int kMsgDiskFull = 69;
constexpr int kMsgNoFile = 82;
constexpr int kMsgMemoryUsed = 84;
constexpr int kMsgNewVersion = 102;
constexpr int kMsgWorkingCopy = 121;
constexpr int kMsgNoSystemFolder = 222;
constexpr int kMsgNoFreeSpace = 223;

QString Path(const std::string& ansi) { return AnsiToQString(ansi); }

bool FolderExists(const std::string& folder) { return !folder.empty() && QFileInfo(Path(folder)).isDir(); }

int ScreenDpi()
{
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? static_cast<int>(s->logicalDotsPerInchX() + 0.5) : 96;
}

ProjectFileExtras ExtrasOf(ProjectCommandsHost& k)
{
    ProjectFileExtras x;
    x.EnableUpDown = k.Doc.EnableUpDown;
    x.PortNumber = k.PortNumber();
    x.Baud = k.Baud();
    x.PixelsPerInch = static_cast<std::uint8_t>(ScreenDpi());
    return x;
}

void SetCaption(ProjectCommandsHost& k, const std::string& path)
{
    k.Window()->setWindowTitle(Path(k.Doc.WindowCaption(path)));
}

// Shows why a write failed; the old files are still there.
void ReportWrite(Prompt& prompt, const WriteOutcome& w)
{
    switch (w.Error) {
    case ProjectError::None:
        return;
    case ProjectError::BadName:
        ShowMsg(prompt, kMsgTildeName);
        return;
    case ProjectError::Inconsistent:
        ShowMsg(prompt, kMsgOverMemory);
        return;
    default:
        ShowError(prompt, Msg(kMsgSaveFailed) + QStringLiteral("\n") +
                              (w.File.Failed() ? FileErrorText(w.File) : ProjectErrorText(w.Error)));
    }
}

// The file dialogs run through the prompt seam so that tests can answer them.
std::string AskFileName(ProjectCommandsHost& k, bool save, const std::string& dir, const std::string& name)
{
    QFileDialog dlg(k.Window());
    dlg.setObjectName(save ? QStringLiteral("SaveDlg") : QStringLiteral("OpenDlg"));
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    constexpr int kMsgProjectFiles = 780; // "ZQ File (*.zqf)"
    dlg.setNameFilter(Msg(kMsgProjectFiles));
    dlg.setDefaultSuffix(QStringLiteral("zqf"));
    dlg.setDirectory(Path(dir));
    if (!name.empty())
        dlg.selectFile(Path(name));
    if (ExecModal(k.Ask, &dlg) != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return {};
    const QString chosen = dlg.selectedFiles().front();
    if (!PathFitsCodePage(chosen, k.Ask, k.Window()))
        return {};
    return QStringToAnsi(chosen);
}

// What an opened project's pages tell when each is read once: those whose records read only
// in part (which page, from which byte and why, one line each; empty when every page reads),
// and the texts they hold (titles, and texts of objects), as bytes of the project.
struct PagesRead {
    QString Partly;
    std::vector<std::string> Texts;
};

void AppendObjTexts(const TLxObj& obj, std::vector<std::string>& texts)
{
    for (const std::vector<std::string>* list : HeldTextsOf(obj).Lists)
        if (list)
            texts.insert(texts.end(), list->begin(), list->end());
}

PagesRead ReadPagesOnce(ProjectCommandsHost& k)
{
    PagesRead read;
    for (const auto& page : k.Doc.PgDataList)
        read.Texts.push_back(page->Title);
    if (!k.Model() || k.Doc.IsKeypadType())
        return read;
    const PageEnv env(k.Doc, *k.Model());
    for (std::size_t i = 0; i < k.Doc.PgDataList.size(); ++i) {
        const Bytes& data = k.Doc.PgDataList[i]->Data;
        PageData trial;
        const PgReadResult r = PgDataToObj(trial, env, data, 0, data.size());
        if (r.Error == DecodeError::LibraryMissing) {
            read.Partly.clear(); // nothing can be told without the decoder; the page window says so
            break;
        }
        for (const TLxObj* obj : trial.ObjList)
            AppendObjTexts(*obj, read.Texts);
        if (!r.Ok())
            read.Partly += QStringLiteral("\n%1: %2 %3 (%4)")
                               .arg(Msg(kMsgPageNumber))
                               .arg(i)
                               .arg(r.Position)
                               .arg(DecodeErrorText(r.Error));
    }
    return read;
}

// Status bar, model tools, the up/down switch and the port after a read.
void ShowOpenedProject(ProjectCommandsHost& k, const ReadOutcome& r)
{
    k.Doc.EnableUpDown = r.EnableUpDown;
    k.ShowOpenedProject(r.PortNumber);
}

bool WriteTo(ProjectCommandsHost& k, const std::string& folder)
{
    const std::int64_t free = FreeSpaceOf(folder);
    if (free < 0) {
        ShowError(k.Ask, Msg(kMsgNoSystemFolder) + QStringLiteral("\n\n") + Msg(kMsgNoFreeSpace));
        return false;
    }
    if (free < k.Doc.MemImageLen) {
        ShowMsg(k.Ask, kMsgDiskFull);
        return false;
    }
    if (k.Doc.PrjVersion != k.Doc.DataVersion)
        ShowMessage(k.Ask, Msg(kMsgNewVersion)); // a notice, not a refusal
    const WriteOutcome w = WriteProjectFiles(k.Doc, JoinPath(folder, k.Doc.PrjName), ExtrasOf(k));
    ReportWrite(k.Ask, w);
    return w.Error == ProjectError::None;
}

// Opens the project at chosen (or its working copy). The open command restores the layout and
// checks a project only when it has pages; a recent file does both always and gives a project
// without pages its first page.
void OpenPath(ProjectCommandsHost& k, const std::string& chosen, bool recent)
{
    k.OpenDlg.FileName = chosen;
    const std::string wc = WorkingCopyBase(k.Doc.WriteDir(), StripPrjExt(FileNamePart(chosen))) + kPrjExt;
    if (!FileExists(wc) && !FileExists(chosen)) {
        k.CloseProject();
        k.Doc.Opened = 0;
        k.Doc.PrjName.clear();
        ShowMsg(k.Ask, kMsgNoFile);
        return;
    }
    k.Doc.Modified = 0;
    if (!OpenProjectFromDlg(k))
        return;
    const bool keypad = k.Doc.IsKeypadType();
    if (!keypad && (recent || (!k.Doc.PgDataList.empty() && (k.View.EditMode == kes::Editing::Pages ||
                                                             k.View.EditMode == kes::Editing::StartScreen)))) {
        k.View.EditMode = kes::Editing::Pages;
        k.LoadLayout();
        const CheckResult c = CheckWithCaptions(k.Doc, k.Commands());
        k.ShowCheckResult(c.Lines);
    }
    k.Doc.Opened = 1;
    k.Doc.Compiled = 1;
    if (k.Doc.AutoSave && k.Doc.SaveTimeInterval >= 1) {
        WriteWorkingCopy(k);
        k.StartAutoSave();
    }
    if (recent && !keypad && k.Doc.PgDataList.empty())
        k.MmAddPgClick();
}

} // namespace

bool OpenProjectFromDlg(ProjectCommandsHost& k)
{
    const std::string chosen = k.OpenDlg.FileName;
    k.OpenDlg.InitialDir = FolderPart(chosen);
    k.Doc.PrjName = StripPrjExt(FileNamePart(chosen));
    k.Doc.OffsetList.clear();
    k.CloseProject();
    k.View.EditMode = kes::Editing::Pages;
    k.Doc.Modified = 0;
    k.Doc.Compiled = 1;
    k.Doc.Opened = 1;

    std::string base = JoinPath(k.OpenDlg.InitialDir, k.Doc.PrjName);
    const std::string wc = WorkingCopyBase(k.Doc.WriteDir(), k.Doc.PrjName);
    if (FileExists(wc + kPrjExt)) {
        const QString q = Msg(kMsgWorkingCopy) + Path(wc + kPrjExt) + QStringLiteral("?");
        if (ShowMessage(k.Ask, q, Buttons::YesNo) != Answer::No) {
            base = wc;
            k.Doc.Modified = 1;
        }
    }
    // The working copy refused and the file itself gone: there is nothing to read.
    if (base != wc && !FileExists(chosen)) {
        k.CloseProject();
        k.Doc.Opened = 0;
        k.Doc.PrjName.clear();
        ShowMsg(k.Ask, kMsgNoFile);
        return false;
    }
    const HeaderLib lib;
    const ReadOutcome r = ReadProjectFiles(k.Doc, base, k.Model(), lib.Decoders());
    if (!r.IntentProblem.empty())
        ShowError(k.Ask, Msg(kMsgIntentDamaged) + QStringLiteral("\n") + Path(r.IntentProblem));
    if (r.Error != ProjectError::None) {
        // A file that did not read names itself, with why.
        const QString why = r.File.Failed() && r.File.Path != r.Path
                                ? FileErrorText(r.File)
                                : Path(r.Path) + QStringLiteral("\n") + ProjectErrorText(r.Error, r.File);
        ShowError(k.Ask, Msg(kMsgFileDamaged) + QStringLiteral("\n") + why);
        k.CloseProject();
        k.Doc.Opened = 0;
        k.Doc.PrjName.clear();
        return false;
    }
    ShowOpenedProject(k, r);
    if (const ProjectFileProblem& sta = r.StartScreenProblem; sta.Failed())
        ShowError(k.Ask, Msg(kMsgStartScreenLost) + QStringLiteral("\n") + Path(sta.Path) + QStringLiteral("\n") +
                             ProjectErrorText(sta.Error, sta.File));
    if (!r.LeftOut.empty()) {
        QString lines = Msg(kMsgLeftOut);
        for (const LeftOutPart& l : r.LeftOut)
            lines += QStringLiteral("\n") + LeftOutText(l);
        ShowError(k.Ask, lines);
    }
    const PagesRead pages = ReadPagesOnce(k);
    if (!pages.Partly.isEmpty())
        ShowError(k.Ask, Msg(kMsgPartlyRead) + pages.Partly);
    // Said once: texts of another code page show wrongly on every page and in every dialog.
    if (const QString mismatch = CodePageMismatch(pages.Texts, k.Window()); !mismatch.isEmpty())
        ShowError(k.Ask, mismatch);
    NoteModelWarnings(r.ModelProblems);
    ReportFileProblems(k.Ask);
    if (r.Keypad) {
        k.ShowKeySettings();
        SetCaption(k, k.OpenDlg.FileName);
        return true;
    }
    if (!r.OlderVersion) {
        if (!k.Doc.PgDataList.empty())
            k.Pages().LoadPageWindow(0);
    } else {
        for (int i = 0; i < static_cast<int>(k.Doc.PgDataList.size()); ++i)
            k.Pages().LoadPageWindow(i);
        ConvertOlderProject(k.Doc);
    }
    SetCaption(k, k.OpenDlg.FileName);
    return true;
}

void TbOpenClick(ProjectCommandsHost& k)
{
    k.SaveDlg.FileName.clear();
    if (!k.CloseProjectQuery())
        return;
    k.Doc.Opened = 1;
    k.Doc.Modified = 0;
    k.Doc.Compiled = 1;
    const std::string chosen = AskFileName(k, false, k.OpenDlg.InitialDir, {});
    if (!chosen.empty())
        OpenPath(k, chosen, false);
    // A refused file is not the project at work: the title names none then.
    SetCaption(k, k.Doc.Opened && !k.Doc.PrjName.empty() ? k.OpenDlg.FileName : std::string());
    if (!k.Doc.PrjName.empty() && k.Doc.Opened)
        k.AddRecentFile(JoinPath(k.OpenDlg.InitialDir, k.Doc.PrjName + kPrjExt));
    k.RefreshRecentFileItems();
    k.FormActivate();
}

void SplitSaveName(ProjectCommandsHost& k)
{
    k.SaveDlg.InitialDir = FolderPart(k.SaveDlg.FileName);
    k.Doc.PrjName = StripPrjExt(FileNamePart(k.SaveDlg.FileName));
}

std::string SaveTargetPath(const ProjectCommandsHost& k)
{
    const std::string named = !k.SaveDlg.FileName.empty()   ? k.SaveDlg.FileName
                              : !k.OpenDlg.FileName.empty() ? k.OpenDlg.FileName
                                                            : JoinPath(k.OpenDlg.InitialDir, k.Doc.PrjName + kPrjExt);
    const std::string folder =
        FolderExists(FolderPart(named)) ? FolderPart(named) : JoinPath(k.Doc.WriteDir(), "DocFiles");
    return JoinPath(folder, StripPrjExt(FileNamePart(named)) + kPrjExt);
}

int SaveProject(ProjectCommandsHost& k)
{
    if (k.SaveDlg.FileName.empty()) {
        if (k.OpenDlg.FileName.empty())
            k.OpenDlg.FileName = JoinPath(k.OpenDlg.InitialDir, k.Doc.PrjName + kPrjExt);
        k.SaveDlg.FileName = k.OpenDlg.FileName;
    }
    const std::string target = SaveTargetPath(k);
    if (!FolderExists(FolderPart(k.SaveDlg.FileName))) {
        // The project goes to the program's DocFiles folder, made when it is not there yet.
        k.OpenDlg.InitialDir = k.Doc.WriteDir();
        QDir().mkpath(Path(FolderPart(target)));
        k.OpenDlg.FileName = k.SaveDlg.FileName = target;
        SetCaption(k, target);
    }
    SplitSaveName(k);
    if (!WriteTo(k, k.SaveDlg.InitialDir))
        return 2;
    k.Doc.Opened = 1;
    // A saved project is offered again like an opened one.
    k.AddRecentFile(target);
    k.RefreshRecentFileItems();
    return 1;
}

int BuildAndSaveProject(ProjectCommandsHost& k)
{
    ResetMemoryImage(k.Doc);
    if (!BuildPageImage(k.Doc))
        return 2; // message 26 was shown; a save never drops pages
    return SaveProject(k);
}

int SaveProjectAs(ProjectCommandsHost& k)
{
    const std::string chosen = AskFileName(k, true, k.OpenDlg.InitialDir, k.Doc.PrjName);
    if (chosen.empty()) {
        k.SaveDlg.FileName = k.OpenDlg.FileName;
        return 2;
    }
    k.SaveDlg.FileName = chosen;
    const std::string oldName = k.Doc.PrjName;
    const std::string oldDir = k.SaveDlg.InitialDir;
    SplitSaveName(k);
    const std::string folder = k.SaveDlg.InitialDir;
    if (!WriteTo(k, folder)) {
        // The project stays where it was; the refused place is forgotten.
        k.Doc.PrjName = oldName;
        k.SaveDlg.InitialDir = oldDir;
        k.SaveDlg.FileName = k.OpenDlg.FileName;
        return 2;
    }
    const std::string wc = WorkingCopyBase(k.Doc.WriteDir(), k.Doc.PrjName);
    for (const char* ext : {".zqf", ".Til", ".Sta"})
        QFile::remove(Path(wc + ext));
    k.OpenDlg.InitialDir = folder;
    k.OpenDlg.FileName = chosen;
    SetCaption(k, chosen);
    k.Doc.Opened = 1;
    k.AddRecentFile(JoinPath(folder, k.Doc.PrjName + kPrjExt));
    k.RefreshRecentFileItems();
    return 1;
}

int MmSaveAsClick(ProjectCommandsHost& k)
{
    if (k.View.EditMode == kes::Editing::UserMenu)
        return SaveUserMenu(k) == 2 ? 2 : 1;
    if (!k.StoreKeySettings())
        return 2;
    ResetMemoryImage(k.Doc);
    if (!BuildPageImage(k.Doc))
        return 2;
    return SaveProjectAs(k);
}

int TbSaveClick(ProjectCommandsHost& k)
{
    if (k.View.EditMode == kes::Editing::UserMenu)
        return SaveUserMenu(k) == 2 ? 2 : 1;
    if (!k.StoreKeySettings())
        return 2;
    return BuildAndSaveProject(k);
}

bool WriteWorkingCopy(ProjectCommandsHost& k)
{
    if (k.Doc.PrjName.empty() || k.View.EditMode == kes::Editing::UserMenu)
        return false;
    BuildPageImage(k.Doc);
    if (!ImageHoldsEveryPage(k.Doc))
        return false;
    QDir().mkpath(Path(JoinPath(k.Doc.WriteDir(), "DocFiles")));
    const WriteOutcome w =
        WriteProjectFiles(k.Doc, WorkingCopyBase(k.Doc.WriteDir(), k.Doc.PrjName), ExtrasOf(k), CopyKind::WorkingCopy);
    ReportWrite(k.Ask, w);
    return w.Error == ProjectError::None;
}

CheckResult CheckWithCaptions(const ProjectDoc& doc, const CommandPanel& commands)
{
    CheckNames names;
    const auto caption = [&](const char* item, std::string& word) {
        const QAction* a = commands.Action(item);
        const QString text = a ? CaptionText(a->text()) : QString();
        if (!text.isEmpty())
            word = QStringToAnsi(text);
    };
    caption("TbStTxt", names.StTxt);
    caption("TbMsg", names.Msg);
    caption("TbLighter", names.Lighter);
    caption("MmBtn", names.Btn);
    caption("MmInputVal", names.InputVal);
    return CheckProject(doc, names, ScreenDpi(), [](const std::string& f) { return FontExists(f); });
}

void MmTranslateClick(ProjectCommandsHost& k)
{
    ResetMemoryImage(k.Doc);
    const bool ok = BuildPageImage(k.Doc);
    if (k.Doc.AutoSave)
        WriteWorkingCopy(k);
    if (!ok) {
        ShowMsg(k.Ask, kMsgCompileFail);
        return;
    }
    const int pc = MemoryUsePercent(k.Doc, k.Doc.MemImageLen);
    const QString report =
        Msg(kMsgCompiled) + QStringLiteral("\n\n") + Msg(kMsgMemoryUsed) + QString::number(pc) + QStringLiteral("%");
    const CheckResult c = CheckWithCaptions(k.Doc, k.Commands());
    k.ShowCheckResult(c.Lines);
    if (!c.Passed())
        ShowMsg(k.Ask, kMsgCompileFail);
    else
        ShowMessage(k.Ask, report);
    k.Doc.Compiled = 1;
}

void MmSimClick(ProjectCommandsHost& k, bool online)
{
    // The file comes first: it is the result, whether a simulator is there to show it or not.
    const std::string path = k.Doc.WriteDir() + k.Doc.PrjName + ".sim";
    FileError error;
    if (!WriteSimFile(k.Doc, path, k.Doc.EnableUpDown, &error)) {
        if (error.Failed())
            ShowError(k.Ask, Msg(kMsgWriteFailed) + QStringLiteral("\n") + FileErrorText(error));
        return;
    }
    const std::string program = SimulatorPath(k.Doc.AppDir);
    if (program.empty()) {
        ShowError(k.Ask, Msg(kMsgNoSimulator) + QStringLiteral("\n") + Path(k.Doc.AppDir + "LxSim"));
        return;
    }
    if (!StartSimulator(program, path, online))
        ShowError(k.Ask, Msg(kMsgSimNotStarted) + QStringLiteral("\n") + Path(program));
}

int SaveUserMenu(ProjectCommandsHost& k)
{
    k.Doc.StoreActivePage();
    const int w = k.Model() ? k.Model()->PanelWidth : 0;
    const int h = k.Model() ? k.Model()->PanelHeight : 0;
    if (!UserMenuFits(k.Doc, w, h)) {
        ShowMsg(k.Ask, kMsgOverMemory);
        return 2;
    }
    UserMenuPort port;
    port.PortNumber = k.PortNumber();
    port.Baud = k.Baud();
    const Bytes file = EncodeUserMenuFile(k.Doc, port);
    int answer = 7;
    if (k.Doc.Modified) {
        const QAction* item = k.Commands().Action("MmMenuSet");
        const QString q = Msg(kMsgAskSave) + (item ? CaptionText(item->text()) : QString()) + QStringLiteral("?");
        const Answer a = ShowMessage(k.Ask, q, Buttons::YesNoCancel);
        if (a == Answer::Cancel)
            return 2;
        answer = a == Answer::Yes ? 6 : 7;
    }
    const std::string path = UserMenuWritePath(k.Doc, k.Doc.PanelModelIndex);
    if (answer == 6 && !path.empty()) {
        FileError error;
        QDir().mkpath(Path(FolderPart(path)));
        if (!WriteFileAtomic(path, std::string(file.begin(), file.end()), &error)) {
            ShowError(k.Ask, Msg(kMsgWriteFailed) + QStringLiteral("\n") + FileErrorText(error));
            return 2;
        }
        k.Doc.Modified = 0;
    }
    return answer;
}

void InstallProjectCommands(ProjectCommandsHost& k)
{
    k.Commands().Wire("MmOpen", [&k] { TbOpenClick(k); });
    k.Commands().Wire("TbOpen", [&k] { TbOpenClick(k); });
    k.Commands().Wire("MmSave", [&k] { TbSaveClick(k); });
    k.Commands().Wire("TbSave", [&k] { TbSaveClick(k); });
    k.Commands().Wire("MmSaveAs", [&k] { MmSaveAsClick(k); });
    k.Commands().Wire("MmTranslate", [&k] { MmTranslateClick(k); });
    k.Commands().Wire("TbTranslate", [&k] { MmTranslateClick(k); });
    k.Commands().Wire("MmSimOnLine", [&k] { MmSimClick(k, true); });
    k.Commands().Wire("MmSimOFFLine", [&k] { MmSimClick(k, false); });
    for (const char* item : {"MmFile1", "MmFile2", "MmFile3", "MmFile4", "MmFile5"}) {
        QAction* a = k.Commands().Action(item);
        k.Commands().Wire(item, [&k, a] {
            const std::string path = QStringToAnsi(a->data().toString());
            k.SaveDlg.FileName.clear();
            if (!k.CloseProjectQuery())
                return;
            OpenPath(k, path, true);
            SetCaption(k, k.OpenDlg.FileName);
            if (!k.Doc.PrjName.empty() && k.Doc.Opened)
                k.AddRecentFile(JoinPath(k.OpenDlg.InitialDir, k.Doc.PrjName + kPrjExt));
            k.RefreshRecentFileItems();
            k.FormActivate();
        });
    }
}

} // namespace kes
