// Closing the project, starting a new one and leaving the program: all pass through
// CloseProject, which releases the project and writes the settings file.
#include "app/shell/tkhm.h"

#include "app/comm/linkport.h"
#include "app/editor/pageeditor.h"
#include "app/editor/screeneditor.h"
#include "app/project/memimage.h"
#include "app/project/prjio.h"
#include "app/project/ui/prjcommands.h"
#include "app/project/ui/tlxtype.h"
#include "app/shell/lxeini.h"
#include "app/shell/tkhm_hosts.h"
#include "app/ui/errortext.h"
#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"
#include "platform/codepage.h"
#include "platform/fileio.h"

#include <QAction>
#include <QDir>
#include <QDockWidget>
#include <QPlainTextEdit>

#include <algorithm>
#include <cerrno>
#include <cstdio>

namespace {

std::string JoinPath(const std::string& dir, const std::string& name)
{
    if (dir.empty() || dir.back() == '/' || dir.back() == '\\')
        return dir + name;
    return dir + "/" + name;
}

} // namespace

void TKhm::ResetMemoryImage() { kes::ResetMemoryImage(Doc); }

void TKhm::MakeNewPrjName()
{
    for (int n = 0;; ++n) {
        Doc.PrjName = "Doc" + std::to_string(n);
        const std::string path = JoinPath(OpenDlg.InitialDir, Doc.PrjName + OpenDlg.DefaultExt);
        if (!kes::FileExists(path)) {
            OpenDlg.FileName = path;
            return;
        }
    }
}

void TKhm::AddRecentFile(const std::string& path)
{
    auto it = std::find(Doc.RecentFiles.begin(), Doc.RecentFiles.end(), path);
    if (it != Doc.RecentFiles.end())
        Doc.RecentFiles.erase(it);
    else if (Doc.RecentFiles.size() >= static_cast<std::size_t>(kes::kMaxRecentFiles))
        Doc.RecentFiles.resize(kes::kMaxRecentFiles - 1);
    Doc.RecentFiles.insert(Doc.RecentFiles.begin(), path);
}

void TKhm::ShowModelStatus()
{
    if (!LxType)
        return;
    SetStatusText(3, kes::Msg(kes::kMsgDeviceType) + kes::AnsiToQString(LxType->MachineCaptionOf(Doc.MachineId)));
    const std::size_t model = static_cast<std::size_t>(std::max<int>(Doc.PanelModelIndex, 0));
    SetStatusText(4,
                  kes::Msg(kes::kMsgPanelType) +
                      (model < LxType->ModelNames.size() ? kes::AnsiToQString(LxType->ModelNames[model]) : QString()));
}

bool TKhm::CloseProjectQuery()
{
    if (View.EditMode == kes::Editing::UserMenu)
        return SaveUserMenu() != 2;
    // The key settings window's fields belong to the project: stored first, so that the
    // question knows of them.
    if (Doc.IsKeypadType() && !StoreKeySettings())
        return false;
    const bool timerWasRunning = AutoSaveRunning();
    StopAutoSave();
    const bool hasContent =
        Doc.IsKeypadType() || !Doc.PgDataList.empty() || (Doc.StartScreenData && Doc.StartScreenData->Length() > 0);
    // The file a Yes writes, which the question names.
    const std::string target = kes::SaveTargetPath(*ProjectHost);
    const bool neverSaved = !kes::FileExists(target);
    if (hasContent && (Doc.Modified || neverSaved)) {
        const QString text = kes::Msg(kes::kMsgSaveProject) + kes::AnsiToQString(target) + QStringLiteral("?");
        const kes::Answer a = kes::ShowMessage(Ask(), text, kes::Buttons::YesNoCancel);
        // A project that was not saved (e.g. the save was cancelled) stays open.
        const bool keep = a == kes::Answer::Cancel || (a == kes::Answer::Yes && !SaveProject());
        if (keep) {
            // The project stays open, and so does its automatic working copy.
            if (timerWasRunning)
                StartAutoSave();
            return false;
        }
    }
    // This project's working copies are no longer needed; those of other projects stay,
    // so that a copy left by an interrupted run is still offered when its project opens.
    if (!Doc.PrjName.empty()) {
        for (const char* ext : {".zqf", ".Til", ".Sta"})
            std::remove(kes::OsPath(kes::WorkingCopyBase(Doc.WriteDir(), Doc.PrjName) + ext).c_str());
    }
    return true;
}

void TKhm::CloseProject()
{
    // User-menu screens close whatever the controller: a menu file may name a keypad type.
    Screens->CloseMenuScreens();
    if (Doc.IsKeypadType()) {
        // No pages or editors: the key settings window goes, and the settings file is written
        // as for every project.
        Doc.ImagePgDataList.clear();
        delete FrmKeySettingWin.data();
        WriteLxeIni();
        Doc.MachineId = 87;
        Doc.Opened = 0;
        Doc.Modified = 0;
        return;
    }
    if (!PageEd->Pages().empty() &&
        (View.EditMode == kes::Editing::Pages || View.EditMode == kes::Editing::StartScreen))
        SaveLayout();
    PageEd->CloseAll();
    Doc.PgDataList.clear();
    Doc.ImagePgDataList.clear();

    const std::string errorList = Doc.WriteDir() + "Error.lst";
    if (kes::FileExists(errorList) && std::remove(kes::OsPath(errorList).c_str()) != 0)
        kes::ShowError(Ask(), kes::FileErrorText({kes::FileOp::Remove, kes::FileFault::System, errorList, errno, 0}));

    if (auto* memo = qobject_cast<QPlainTextEdit*>(ToolWidget("TbMemo")))
        memo->clear();
    Action("TbText")->setChecked(false);
    Action("TbBmp")->setChecked(false);
    SetObjEditTools(false);

    delete FirstPageWin.data();
    if (Doc.StartScreenData)
        Doc.StartScreenData->Data.clear();
    for (int i = 0; i < 5; ++i)
        SetStatusText(i, QString());
    if (FrmMsgShowWin && FrmMsgShowWin->isVisible())
        delete FrmMsgShowWin.data();
    CtBarErr->hide();
    if (View.PageTreeOn && FrameTreeViewWin)
        delete FrameTreeViewWin.data();

    Doc.ComSetByte = {0, 0};
    Doc.LinkIndex = 0;
    if (LxType)
        LxType->SetPortInternalFlags(Doc.PortInternalCode);
    WriteLxeIni();
    Doc.UseDefaultPort = 1;
    Doc.UseDefaultStation = 1;
    Doc.MachineId = 87;
    Doc.ResetSystemRecords();
    Doc.Opened = 0;
    Doc.Modified = 0;
    FormActivate();
}

void TKhm::MmClosePrjClick()
{
    if (!CloseProjectQuery())
        return;
    if (!Doc.IsKeypadType())
        SaveLayout();
    CloseProject();
    FormActivate();
    Doc.PrjName.clear();
    setWindowTitle(kes::AnsiToQString(Doc.WindowCaption({})));
    View.EditMode = kes::Editing::Pages;
}

void TKhm::MmNewClick()
{
    SaveDlg.FileName.clear();
    setProperty("Tag", 15);
    if (!CloseProjectQuery())
        return;
    if (!Doc.IsKeypadType() && !PageEd->Pages().empty() &&
        (View.EditMode == kes::Editing::Pages || View.EditMode == kes::Editing::StartScreen))
        SaveLayout();
    CloseProject();
    MakeNewPrjName();
    Doc.LinkIndex = 0;
    if (!LxType || kes::ExecModal(Ask(), LxType) != QDialog::Accepted)
        return;
    // The form took the name, controller and panel model: the project's first page and name.
    Doc.OffsetList.clear();
    Doc.ResetSysPgSys();
    LxType->SetPortInternalFlags(Doc.PortInternalCode);
    if (!Doc.IsKeypadType())
        MmAddPgClick();
    const std::string& dir = SaveDlg.InitialDir.empty() ? OpenDlg.InitialDir : SaveDlg.InitialDir;
    SaveDlg.FileName = dir + (dir.empty() || dir.back() == '/' ? "" : "/") + Doc.PrjName + SaveDlg.DefaultExt;
    // The new project's file from now on, also for a save as that is cancelled.
    OpenDlg.FileName = SaveDlg.FileName;
    setWindowTitle(kes::AnsiToQString(Doc.WindowCaption(SaveDlg.FileName)));
    View.EditMode = kes::Editing::Pages;
    Doc.Compiled = 0;
    if (Doc.IsKeypadType()) {
        Doc.KeySetRec.CommAddr = 1;
        Doc.KeySetRec.Port = 0;
        Doc.KeySetRec.StartChar = 2;
        Doc.KeySetRec.EndChar = 3;
        for (std::size_t i = 0; i < Doc.KeySetRec.KeyCodes.size(); ++i)
            Doc.KeySetRec.KeyCodes[i] = static_cast<std::uint8_t>('0' + i);
        if (!FrmKeySettingWin) {
            FrmKeySettingWin = CreateKeySetting();
            if (FrmKeySettingWin)
                FrmKeySettingWin->show();
        }
        FormActivate();
        return;
    }
    LoadLayout();
    ResetMemoryImage();
    Doc.ResetSysClockWrite();
    Doc.ResetPowerOnMacro();
    Doc.ResetSysFunKeys();
    Doc.ResetParaDataSet();
    Doc.ResetSysPgSys();
    LxType->SetPortInternalFlags(Doc.PortInternalCode);
    Doc.Modified = 1;
    Doc.Compiled = 0;
    Doc.Opened = 1;
    Doc.PrjVersion = Doc.DataVersion;

    ShowModelStatus();
    ApplyModelTools();
    if (Doc.AutoSave && Doc.SaveTimeInterval >= 1) {
        WriteWorkingCopy();
        StartAutoSave();
    }
    View.EditMode = kes::Editing::Pages;
    FormActivate();
}

void TKhm::MmExitClick() { close(); }

bool TKhm::FormClose()
{
    setProperty("Tag", 15);
    if (!CloseProjectQuery())
        return false;
    if (!Doc.IsKeypadType() && !PageEd->Pages().empty() &&
        (View.EditMode == kes::Editing::Pages || View.EditMode == kes::Editing::StartScreen))
        SaveLayout();
    // Only once the user has agreed to leave: a cancelled exit keeps a running transfer.
    StopLink();
    CloseProject();
    StopAutoSave();
    Doc.SysPgJumps.clear();
    Doc.MemImage.clear();
    Doc.MemImageLen = 0;
    Doc.OffsetList.clear();
    Doc.PgDataList.clear();
    ImageWinList.clear();
    Doc.UserMenuOffsetList.clear();
    Doc.ImagePgDataList.clear();
    Doc.StartScreenData.reset();
    SaveEditToolBar();
    Doc.RecentFiles.clear();
    kes::MessageTable().Clear();
    Doc.MsgTable.clear();
    return true;
}
