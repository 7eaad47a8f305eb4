// The main window's side of the panel link: what the transfer engine and the transfer
// commands take from the window, the communication menu and the end of an upload.
#include "app/shell/tkhm_comm.h"
#include "app/shell/tkhm_hosts.h"

#include "app/comm/hmiproto.h"
#include "app/comm/portnames.h"
#include "app/comm/projectlink.h"
#include "app/comm/ui/tcomprogbar.h"
#include "app/comm/ui/tcomset.h"
#include "app/comm/ui/tfrmhmiproto.h"
#include "app/editor/pageeditor.h"
#include "app/editor/screeneditor.h"
#include "app/editor/thmpage.h"
#include "app/inspector/inspectorkinds.h"
#include "app/inspector/tdlgprop.h"
#include "app/project/headerlib.h"
#include "app/project/memimage.h"
#include "app/project/prjcheck.h"
#include "app/project/ui/prjcommands.h"
#include "app/project/ui/tfrmmsgshow.h"
#include "app/project/ui/tlxtype.h"
#include "app/shell/tkhm.h"
#include "app/ui/errortext.h"
#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"
#include "platform/codepage.h"
#include "platform/gdi.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QTimer>
#include <QToolBar>

#include <algorithm>

namespace kes {

namespace {

constexpr int kMsgOverMemory = 26;
constexpr int kMsgTransfer = 80;

LinkOptions OptionsOf(const TKhm& khm)
{
    LinkOptions o;
    o.timeOutTicks = khm.Doc.ReplyTimeoutTicks;
    o.timeOutEnabled = khm.Doc.ReplyTimeOutOn;
    return o;
}

bool AskTransfer(Prompt& prompt) { return ShowMessage(prompt, Msg(kMsgTransfer), Buttons::YesNo) == Answer::Yes; }

// What the start-up screen and user-menu editor of the window draws.
class EditorPictures : public ScreenPictures {
public:
    explicit EditorPictures(TKhm& khm) : khm_(khm) {}
    Bytes StartScreenPicture() override { return khm_.Screens->StartScreenPicture(); }
    Bytes UserMenuPictures() override { return khm_.Screens->UserMenuPictures(); }

private:
    TKhm& khm_;
};

} // namespace

MainCommLink::MainCommLink(TKhm& khm)
    : khm_(khm), editorPictures_(std::make_unique<EditorPictures>(khm)), pictures_(editorPictures_.get()),
      host_(khm.Doc, khm.Ask(), Parts()), engine_(*khm.MMICom, host_, OptionsOf(khm)),
      preparer_(*khm.MMICom, khm.Ask()),
      commands_(khm.Doc, khm.Ask(), preparer_, engine_, Steps(), [&khm] { return khm.MMICom->Settings().baud; }),
      dialer_(*khm.MMICom, [&khm] { return OpenLink(khm.Ask(), *khm.MMICom); })
{
    dialer_.CallUp = [this] { preparer_.MarkModemChecked(); };
}

void MainCommLink::SetTickMs(int ms)
{
    engine_.Options().tickMs = ms;
    preparer_.SetTickMs(ms);
}

void MainCommLink::Stop()
{
    commands_.Shutdown();
    engine_.Abort();
    dialer_.Shutdown();
    khm_.MMICom->Close();
}

PageData* MainCommLink::ActivePage() { return khm_.Going() ? nullptr : khm_.PageEd->CurrentPageForEdit(); }

bool MainCommLink::InspectorShown() const { return khm_.View.ObjInspectorOn && khm_.Inspector(); }

MainLinkParts MainCommLink::Parts()
{
    MainLinkParts p;
    p.loadModelData = [this](std::uint8_t variant) {
        if (!khm_.LxType)
            return;
        khm_.LxType->MemMapVariant = variant;
        khm_.LxType->LoadModelData();
    };
    // An upload reads its panel apart from the open project, which goes only once the upload
    // reads as a project and the user lets it go.
    p.uploadMemoryMap = [this](std::uint8_t model, std::uint8_t variant) {
        uploadChecker_ = std::make_unique<UploadChecker>(khm_.Doc.AppDir);
        return uploadChecker_->MemoryMapOf(model, variant);
    };
    p.checkUpload = [this](const UploadResult& r) {
        if (!uploadChecker_)
            uploadChecker_ = std::make_unique<UploadChecker>(khm_.Doc.AppDir);
        const UploadProblem problem = uploadChecker_->Check(r);
        uploadChecker_.reset();
        return problem;
    };
    p.closeProjectForUpload = [this] {
        if (!khm_.Doc.IsKeypadType() && !khm_.CloseProjectQuery())
            return false;
        khm_.Doc.OffsetList.clear();
        khm_.CloseProject();
        return true;
    };
    p.downloadImage = [this] { return DownloadImageOf(khm_.Doc); };
    p.pageCount = [this] { return khm_.Doc.PgDataList.size(); };
    p.enableUpDown = [this] { return khm_.Doc.EnableUpDown; };
    p.setEnableUpDown = [this](bool on) {
        khm_.Doc.EnableUpDown = on;
        khm_.ShowStateChecks();
    };
    p.screenImage = [this](TransferKind kind) {
        if (!pictures_)
            return Bytes{};
        return kind == TransferKind::UserMenu ? pictures_->UserMenuPictures() : pictures_->StartScreenPicture();
    };
    p.selectMachine = [this] {
        if (!khm_.LxType)
            return;
        // What the device table and model data of the uploaded controller lack is shown once
        // the upload has made its project.
        NoteModelWarnings(khm_.LxType->SelectMachine());
        khm_.LxType->SelectMachineInBoxes(khm_.Doc.MachineId);
        NoteModelWarnings(khm_.LxType->LoadModelData());
    };
    p.rebuildProject = [this](UploadResult& r) {
        RebuildUploadedProject(r);
        QTimer::singleShot(0, &khm_, [this] { ReportFileProblems(khm_.Ask()); });
    };
    p.status = [this](int panel, const QString& text) { khm_.SetStatusText(panel, text); };
    p.formActivate = [this] { khm_.FormActivate(); };
    return p;
}

TransferCommandSteps MainCommLink::Steps()
{
    TransferCommandSteps st;
    st.storeKeySettings = [this] { return khm_.StoreKeySettings(); };
    st.buildImage = [this] {
        ResetMemoryImage(khm_.Doc);
        return BuildPageImage(khm_.Doc);
    };
    st.commitInspector = [this] { CommitInspector(); };
    st.showProgress = [this] { ShowProgressWindow(); };
    st.closeProgress = [this] {
        if (host_.ProgressWindow)
            host_.ProgressWindow->close();
        host_.ProgressWindow = nullptr;
    };
    return st;
}

void MainCommLink::ShowProgressWindow()
{
    if (host_.ProgressWindow)
        host_.ProgressWindow->close();
    TComProgBarLock lock;
    for (const char* name :
         {"Mmfile", "MmEdit", "MmCompile", "MmEle", "MmView", "MmCom", "MmPageSet", "MmGlobalSet", "MmTool"})
        lock.menus.emplace_back(khm_.Action(name));
    for (QToolBar* bar : {khm_.EditToolBar, khm_.PosTooBar, khm_.ObjToolBar, khm_.GeomToolBar, khm_.PostSetToolBar})
        lock.toolBars.emplace_back(bar);
    host_.ProgressWindow = new TComProgBar(&khm_, std::move(lock), khm_.Doc.LangIndex);
    host_.ProgressWindow->show();
}

// The inspector's pending edit goes into the object before the image is sent; the object is
// then let go, so that nothing edits it while the transfer runs.
void MainCommLink::CommitInspector()
{
    if (!InspectorShown())
        return;
    PageData* page = ActivePage();
    if (page && page->CurObj && page->CurObj->Selected) {
        TLxObj* obj = page->CurObj;
        if (InspectorShows(*obj))
            khm_.Inspector()->EdtTxtExit();
        obj->SetSelected(false);
        std::erase(page->SelList, obj);
        page->CurObj = nullptr;
        // The window tells of the object no more: the status bar's object panel, the edit tools.
        if (THmPage* window = khm_.PageEd->Current())
            window->EditStateRefresh();
    }
    khm_.Inspector()->FormShow();
}

void MainCommLink::RebuildUploadedProject(UploadResult& r)
{
    const HeaderLib lib;
    // The engine has checked the offsets against the image and the area; what it let through
    // always fits.
    if (!TakeUploadedProject(khm_.Doc, r, lib.Decoders()))
        return;
    // A new name: saving must never put the panel's project over the files of the one closed.
    khm_.MakeNewPrjName();
    khm_.SaveDlg.FileName.clear();
    khm_.setWindowTitle(AnsiToQString(khm_.Doc.WindowCaption(khm_.OpenDlg.FileName)));
    if (khm_.Doc.IsKeypadType()) {
        if (!khm_.FrmKeySettingWin) {
            khm_.FrmKeySettingWin = khm_.CreateKeySetting();
            if (khm_.FrmKeySettingWin)
                khm_.FrmKeySettingWin->show();
        }
    } else {
        if (!khm_.Doc.PgDataList.empty())
            khm_.PageEd->LoadPageWindow(0);
        khm_.LoadLayout();
        const CheckResult c = CheckWithCaptions(khm_.Doc, khm_);
        khm_.ProjectHost->ShowCheckResult(c.Lines);
        BuildPageImage(khm_.Doc);
    }
    khm_.FormActivate();
    khm_.ShowModelStatus();
}

void MainCommLink::MmComClick()
{
    const ComMenuEnabled e = ComMenuState(khm_.Doc.MachineId, khm_.View.EditMode, khm_.Doc.PgDataList.size());
    if (e.byMainWindow) {
        khm_.SetMainToolsEnabled();
        return;
    }
    for (const char* n : {"MmComWrt", "TbComWrt"})
        khm_.SetItemEnabled(n, e.comWrt);
    for (const char* n : {"MmComRead", "TbComRead"})
        khm_.SetItemEnabled(n, e.comRead);
    khm_.SetItemEnabled("MmUserStart", e.userStart && pictures_);
    khm_.SetItemEnabled("MmUserMenu", e.userMenu && pictures_);
}

void MainCommLink::MmUserStartClick()
{
    if (engine_.Busy() || !pictures_ || !AskTransfer(khm_.Ask()))
        return;
    commands_.StartScreenTransfer(TransferKind::StartScreen);
}

void MainCommLink::MmUserMenuClick()
{
    if (engine_.Busy() || !pictures_ || !AskTransfer(khm_.Ask()))
        return;
    // Each page is a picture of the whole panel at a bit per dot; the area's end is exclusive.
    const std::int64_t w = khm_.LxType ? khm_.LxType->PanelWidth : 0;
    const std::int64_t h = khm_.LxType ? khm_.LxType->PanelHeight : 0;
    const std::int64_t size = static_cast<std::int64_t>(khm_.Doc.ImagePgDataList.size()) * w * h / 8;
    if (size > std::int64_t(khm_.Doc.MainMenuEnd) - khm_.Doc.MainMenuAddr) {
        ShowMsg(khm_.Ask(), kMsgOverMemory);
        return;
    }
    commands_.StartScreenTransfer(TransferKind::UserMenu);
}

void MainCommLink::MmComNumClick()
{
    if (PortInUse())
        return;
    khm_.MMICom->Close();
    TComSet form(&khm_, khm_.Ask(), khm_.MMICom->Settings(), khm_.Doc);
    if (ExecModal(khm_.Ask(), &form) == QDialog::Accepted)
        khm_.ComNumber = static_cast<std::uint16_t>(PortNumberOf(khm_.MMICom->Settings().name, SerialPortNames()));
}

void MainCommLink::MmHMIProtoClick()
{
    HmiProtoHooks hooks;
    hooks.rewritePages = [this](const LinkRewrite& rw) {
        for (const auto& page : khm_.Doc.PgDataList)
            RewritePageLinks(page->Data, rw);
        khm_.Doc.ImageHeaderLen = 0;
    };
    hooks.rewriteLivePage = [this](const LinkRewrite& rw) {
        if (khm_.View.EditMode != Editing::Pages)
            return;
        if (PageData* page = ActivePage())
            RewriteLivePageLinks(*page, rw);
    };
    hooks.refreshInspector = [this] {
        const PageData* page = ActivePage();
        if (InspectorShown() && page && page->CurObj) {
            khm_.Inspector()->ObjToProp();
            khm_.Inspector()->AdvStrGrid->GridInitial();
        }
    };
    TFrmHMIProto form(&khm_, khm_.Doc, std::move(hooks));
    ExecModal(khm_.Ask(), &form);
}

} // namespace kes

void TKhm::InstallCommLink()
{
    CommLink = std::make_shared<kes::MainCommLink>(*this);
    kes::MainCommLink* link = CommLink.get();
    for (const char* n : {"MmComWrt", "TbComWrt"})
        Wire(n, [link] {
            if (!link->Dialer().Busy())
                link->Commands().MmComWrtClick();
        });
    for (const char* n : {"MmComRead", "TbComRead"})
        Wire(n, [link] {
            if (!link->Dialer().Busy())
                link->Commands().MmComReadClick();
        });
    Wire("MmUserStart", [link] {
        if (!link->Dialer().Busy())
            link->MmUserStartClick();
    });
    Wire("MmUserMenu", [link] {
        if (!link->Dialer().Busy())
            link->MmUserMenuClick();
    });
    Wire("MmPLCMoni", [link] { link->Preparer().PrepareLink([](bool) {}); });
    Wire("MmComNum", [link] { link->MmComNumClick(); });
    Wire("MmHMIProto", [link] { link->MmHMIProtoClick(); });
    if (QMenu* menu = findChild<QMenu*>(QStringLiteral("MmCom_menu")))
        QObject::connect(menu, &QMenu::aboutToShow, this, [link] { link->MmComClick(); });
    Wire("MmTimeOut", [this, link] {
        Doc.ReplyTimeOutOn = !Doc.ReplyTimeOutOn;
        ShowStateChecks();
        link->Engine().Options().timeOutEnabled = Doc.ReplyTimeOutOn;
    });
    kes::InstallCommWindows(*this, *link);
}

void TKhm::StopLink()
{
    if (CommLink)
        CommLink->Stop();
    else if (MMICom)
        MMICom->Close();
}
