// Closing the project, starting a new one and leaving the program: all pass through
// CloseProject, which releases the project and writes the settings file.
#include "app/shell/tkhm.h"

#include "app/comm/linkport.h"
#include "app/project/memimage.h"
#include "app/project/prjio.h"
#include "app/project/ui/tlxtype.h"
#include "app/shell/lxeini.h"
#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"
#include "platform/codepage.h"
#include "platform/fileio.h"

#include <QAction>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QPlainTextEdit>

#include <algorithm>
#include <cstdio>

namespace {

std::string JoinPath(const std::string& dir, const std::string& name)
{
    if (dir.empty() || dir.back() == '/' || dir.back() == '\\')
        return dir + name;
    return dir + "/" + name;
}

} // namespace

void TKhm::ResetMemoryImage() { kes::ResetMemoryImage(*this); }

void TKhm::MakeNewPrjName()
{
    for (int n = 0;; ++n) {
        PrjName = "Doc" + std::to_string(n);
        const std::string path = JoinPath(OpenDlg.InitialDir, PrjName + OpenDlg.DefaultExt);
        if (!kes::FileExists(path)) {
            OpenDlg.FileName = path;
            return;
        }
    }
}

void TKhm::AddRecentFile(const std::string& path)
{
    auto it = std::find(RecentFiles.begin(), RecentFiles.end(), path);
    if (it != RecentFiles.end())
        RecentFiles.erase(it);
    else if (RecentFiles.size() >= static_cast<std::size_t>(kes::kMaxRecentFiles))
        RecentFiles.resize(kes::kMaxRecentFiles - 1);
    RecentFiles.insert(RecentFiles.begin(), path);
}

void TKhm::ShowModelStatus()
{
    if (!LxType)
        return;
    SetStatusText(3, QStringLiteral("Device Type: ") + kes::AnsiToQString(LxType->MachineCaptionOf(MachineId)));
    const std::size_t model = static_cast<std::size_t>(std::max<int>(PanelModelIndex, 0));
    SetStatusText(4, QStringLiteral("ZQ Type: ")
                         + (model < LxType->ModelNames.size() ? kes::AnsiToQString(LxType->ModelNames[model]) : QString()));
}

bool TKhm::CloseProjectQuery()
{
    if (EditMode == 2)
        return !SaveUserMenu || SaveUserMenu() != 2;
    const bool timerWasRunning = AutoSaveRunning();
    StopAutoSave();
    const bool hasContent = !PgDataList.empty() || (StartScreenData && StartScreenData->Length() > 0);
    const bool neverSaved = OpenDlg.FileName.empty() || !kes::FileExists(OpenDlg.FileName);
    if (hasContent && (Modified || neverSaved)) {
        const QString text = kes::Msg(kes::kMsgSaveProject) + kes::AnsiToQString(OpenDlg.FileName) + QStringLiteral("?");
        const kes::Answer a = kes::ShowMessage(text, kes::Buttons::YesNoCancel);
        // A project that was not saved (no saver yet, or the save was cancelled) stays open.
        const bool keep = a == kes::Answer::Cancel || (a == kes::Answer::Yes && !(SaveProject && SaveProject()));
        if (keep) {
            // The project stays open, and so does its automatic working copy.
            if (timerWasRunning)
                StartAutoSave();
            return false;
        }
    }
    // This project's working copies are no longer needed; those of other projects stay,
    // so that a copy left by an interrupted run is still offered when its project opens.
    if (!PrjName.empty()) {
        for (const char* ext : {".zqf", ".Til", ".Sta"})
            std::remove((kes::WorkingCopyBase(AppDir, PrjName) + ext).c_str());
    }
    return true;
}

void TKhm::CloseProject()
{
    if (IsKeypadType()) {
        delete FrmKeySettingWin.data();
        return;
    }
    if (!PageWinList.empty() && (EditMode == 3 || EditMode == 1))
        SaveLayout();
    for (QWidget* w : PageWinList)
        delete w;
    PageWinList.clear();
    CurPgData = nullptr;
    PgDataList.clear();
    if (ClearPageList)
        ClearPageList();
    for (QWidget* w : ImageWinList)
        delete w;
    ImageWinList.clear();
    ImagePgDataList.clear();

    const std::string errorList = AppDir + "Error.lst";
    if (kes::FileExists(errorList) && !QFile::remove(QString::fromStdString(errorList)))
        kes::ShowMessage(QStringLiteral("Error.lst can not delete!!"));

    if (auto* memo = qobject_cast<QPlainTextEdit*>(ToolWidget("TbMemo")))
        memo->clear();
    Action("TbText")->setChecked(false);
    Action("TbBmp")->setChecked(false);
    SetObjEditTools(false);

    delete FirstPageWin.data();
    if (StartScreenData)
        StartScreenData->Data.clear();
    for (int i = 0; i < 5; ++i)
        SetStatusText(i, QString());
    if (FrmMsgShowWin && FrmMsgShowWin->isVisible())
        delete FrmMsgShowWin.data();
    CtBarErr->hide();
    if (PageTreeOn && FrameTreeViewWin)
        delete FrameTreeViewWin.data();

    ComSetByte = {0, 0};
    LinkIndex = 0;
    if (LxType)
        LxType->SetPortInternalFlags(PortInternalCode);
    WriteLxeIni();
    UseDefaultPort = 1;
    UseDefaultStation = 1;
    MachineId = 87;
    ResetSystemRecords();
    Opened = 0;
    Modified = 0;
    FormActivate();
}

void TKhm::MmClosePrjClick()
{
    if (!IsKeypadType()) {
        if (!CloseProjectQuery())
            return;
        SaveLayout();
    }
    CloseProject();
    FormActivate();
    PrjName.clear();
    setWindowTitle(kes::AnsiToQString(CaptionPrefix + PrjName));
    EditMode = 3;
}

void TKhm::MmNewClick()
{
    SaveDlg.FileName.clear();
    setProperty("Tag", 15);
    if (!IsKeypadType()) {
        if (!CloseProjectQuery())
            return;
        if (!PageWinList.empty() && (EditMode == 3 || EditMode == 1))
            SaveLayout();
    }
    CloseProject();
    MakeNewPrjName();
    LinkIndex = 0;
    if (!LxType || kes::ExecModal(LxType) != QDialog::Accepted)
        return;
    EditMode = 3;
    Compiled = 0;
    if (IsKeypadType()) {
        KeySetRec.CommAddr = 1;
        KeySetRec.Port = 0;
        KeySetRec.StartChar = 2;
        KeySetRec.EndChar = 3;
        for (std::size_t i = 0; i < KeySetRec.KeyCodes.size(); ++i)
            KeySetRec.KeyCodes[i] = static_cast<std::uint8_t>('0' + i);
        if (CreateKeySetting && !FrmKeySettingWin) {
            FrmKeySettingWin = CreateKeySetting();
            if (FrmKeySettingWin)
                FrmKeySettingWin->show();
        }
        FormActivate();
        return;
    }
    LoadLayout();
    ResetMemoryImage();
    ResetSysClockWrite();
    ResetPowerOnMacro();
    ResetSysFunKeys();
    ResetParaDataSet();
    ResetSysPgSys();
    LxType->SetPortInternalFlags(PortInternalCode);
    Modified = 1;
    Compiled = 0;
    Opened = 1;
    PrjVersion = DataVersion;

    ShowModelStatus();
    ApplyModelTools();
    if (AutoSave && SaveTimeInterval >= 1) {
        if (WriteProjectFiles)
            WriteProjectFiles(AppDir + "DocFiles/~" + PrjName);
        StartAutoSave();
    }
    EditMode = 3;
    FormActivate();
}

void TKhm::MmExitClick() { close(); }

bool TKhm::FormClose()
{
    setProperty("Tag", 15);
    if (!IsKeypadType()) {
        if (!CloseProjectQuery())
            return false;
        if (!PageWinList.empty() && (EditMode == 3 || EditMode == 1))
            SaveLayout();
    }
    // Only once the user has agreed to leave: a cancelled exit keeps a running transfer.
    StopLink();
    CloseProject();
    StopAutoSave();
    PageWinList.clear();
    SysPgJumps.clear();
    MemImage.clear();
    MemImageLen = 0;
    OffsetList.clear();
    PgDataList.clear();
    ImageWinList.clear();
    UserMenuOffsetList.clear();
    ImagePgDataList.clear();
    StartScreenData.reset();
    SaveEditToolBar();
    RecentFiles.clear();
    kes::MessageTable().Clear();
    MsgTable.clear();
    return true;
}
