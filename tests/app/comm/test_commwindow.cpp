// The panel link inside the real main window: the download command must leave the panel
// holding exactly the compiled image, page table and system block; the upload command must
// turn what the panel holds back into the same project, and refuse what would not open as one
// with the open project kept; every failure must end with its message (the warning icon, a
// connect failure naming its port) and the window's menus and tool bars given back. The communication dialogs opened
// from the menu rewrite what they say, and their captions stand in every language file.
#include "app/comm/linkframe.h"
#include "app/comm/systemblock.h"
#include "app/comm/ui/screenpictures.h"
#include "app/comm/ui/tcomprogbar.h"
#include "app/comm/ui/tcomset.h"
#include "app/comm/ui/tdlgmondisp.h"
#include "app/comm/ui/tfrmhmiproto.h"
#include "app/comm/ui/tfrmkeysetting.h"
#include "app/comm/ui/tmodem.h"
#include "app/editor/pageeditor.h"
#include "app/inspector/tdlgprop.h"
#include "app/project/objfactory.h"
#include "app/project/pgdataenc.h"
#include "app/project/ui/tlxtype.h"
#include "app/shell/tkhm.h"
#include "app/shell/tkhm_comm.h"
#include "app/ui/errortext.h"
#include "app/ui/msgtable.h"
#include "app/ui/translate.h"
#include "commwindowfixture.h"
#include "decoder/decodeerror.h"
#include "platform/inifile.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QToolBar>

#include <gtest/gtest.h>

#include <cstdlib>

namespace kes::test {
namespace {

constexpr std::uint32_t kObjData = 0x18000; // the memory map of panel model 0 in the shipped data
constexpr std::uint32_t kPageTable = 0x10100;
constexpr std::uint32_t kPara = 0x10000;

// The enabled state of what the progress window locks.
std::vector<bool> LockedItems()
{
    std::vector<bool> on;
    for (const char* n :
         {"Mmfile", "MmEdit", "MmCompile", "MmEle", "MmView", "MmCom", "MmPageSet", "MmGlobalSet", "MmTool"})
        on.push_back(Main()->Action(n)->isEnabled());
    for (QToolBar* b :
         {Main()->EditToolBar, Main()->PosTooBar, Main()->ObjToolBar, Main()->GeomToolBar, Main()->PostSetToolBar})
        on.push_back(b->isEnabled());
    return on;
}

// The replies of an upload as the inputs of the upload reply fuzz target (see
// fuzz/uploadreply_target.h): once as raw lines, once as answers the target frames itself.
void WriteUploadSeeds(const std::string& dir, const std::string& name, const std::vector<std::string>& replies)
{
    Bytes raw, framed;
    for (const std::string& line : replies) {
        raw.push_back(0x00);
        raw.push_back(static_cast<std::uint8_t>(line.size()));
        raw.insert(raw.end(), line.begin(), line.end());
        Bytes reply;
        if (line.empty() || !CheckLrc(std::string_view(line).substr(1), reply))
            continue;
        // The function byte, and a read reply's echo of address and length, are the target's.
        const std::size_t head = (reply[0] & 0x7F) == '1' && reply.size() >= 6 ? 6 : 1;
        framed.push_back(0x01);
        framed.push_back(static_cast<std::uint8_t>(reply.size() - head));
        framed.insert(framed.end(), reply.begin() + static_cast<std::ptrdiff_t>(head), reply.end());
    }
    for (const auto& [suffix, bytes] : {std::pair{"-raw", &raw}, std::pair{"-framed", &framed}}) {
        QFile f(QString::fromStdString(dir + "/" + name + suffix));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(reinterpret_cast<const char*>(bytes->data()), static_cast<qint64>(bytes->size()));
    }
}

class CommWindow : public LinkWindowFixture {
protected:
    void SetUp() override
    {
        LinkWindowFixture::SetUp();
        WriteFirmware(3, 100, '\x5A');
        panel.identity.machineId = 3;
        panel.identity.com1 = 0x1C;
        panel.identity.com2 = 0x04;
        NewProject();
    }

    // Controller 3 on panel model 0 with a system page jump in the header and three pages of
    // real object records.
    void NewProject()
    {
        TKhm& k = *Main();
        k.Doc.MachineId = 3;
        k.Doc.PanelModelIndex = 0;
        Main()->LxType->SelectMachine();
        Main()->LxType->LoadModelData();
        k.Doc.ResetHeaderRecords();
        k.ResetMemoryImage();
        PgJmpRec jump;
        k.Doc.InitDevRef(jump.Ref);
        jump.Ref.DevAddrCode = 0x100;
        jump.TargetPage = 2;
        k.Doc.SysPgJumps = {jump};
        const std::vector<std::vector<std::int16_t>> kinds = {{2, 13}, {20, 4, 2}, {13}};
        for (const auto& pageKinds : kinds) {
            PageData page;
            PageEnv env(k.Doc, *Main()->LxType);
            for (std::int16_t kind : pageKinds)
                page.AppendObj(NewPageObj(page, env, *KindOfCode(kind)));
            auto rec = std::make_unique<PgDataStr>();
            PgDataChx(page, rec->Data, 0, 1, &page.ObjList, RecEncodeEnv{});
            k.Doc.PgDataList.push_back(std::move(rec));
        }
        k.View.EditMode = kes::Editing::Pages;
        k.Doc.Opened = 1;
        k.Doc.Modified = 1;
        k.Doc.Compiled = 0;
        k.FormActivate();
    }

    // The download command, answered Yes to the recompile and transfer questions.
    void Download()
    {
        prompt.answers = {Answer::Yes, Answer::Yes};
        Main()->Action("MmComWrt")->trigger();
        ASSERT_TRUE(RunUntilMessages(3));
        ASSERT_EQ(prompt.shown.back(), Msg(68));
    }
};

TEST_F(CommWindow, DownloadThroughTheMenuLeavesThePanelHoldingTheCompiledImage)
{
    TKhm& k = *Main();
    const std::vector<bool> before = LockedItems();
    // While it runs the progress window holds the menus and tool bars.
    std::vector<bool> during;
    bool progressShown = false;
    panel.faults = [&](const FakeRequest& r) {
        if (r.command == '0' && during.empty()) {
            during = LockedItems();
            progressShown = Main()->CommLink->ProgressWindow() && Main()->CommLink->ProgressWindow()->isVisible();
        }
        return Fault{};
    };
    prompt.answers = {Answer::Yes, Answer::Yes};
    k.Action("MmComWrt")->trigger();
    EXPECT_EQ(prompt.shown, (std::vector<QString>{Msg(81), Msg(80)}));
    EXPECT_EQ(k.Doc.Compiled, 1);

    ASSERT_TRUE(RunUntilMessages(3));
    EXPECT_EQ(prompt.shown.back(), Msg(68));
    EXPECT_TRUE(progressShown);
    EXPECT_EQ(during, std::vector<bool>(before.size(), false));
    EXPECT_EQ(Main()->CommLink->ProgressWindow(), nullptr);
    EXPECT_FALSE(k.MMICom->IsOpen());
    EXPECT_EQ(LockedItems(), before);
    EXPECT_EQ(k.MMICom->Settings().baud, 115200);

    const auto used = static_cast<std::size_t>(k.Doc.MemImageLen);
    ASSERT_GT(used, 0u);
    EXPECT_EQ(PanelBytes(kObjData, used),
              Bytes(k.Doc.MemImage.begin(), k.Doc.MemImage.begin() + static_cast<std::ptrdiff_t>(used)));
    std::vector<std::uint32_t> offsets;
    ASSERT_TRUE(OffsetsOf(k.Doc.OffsetList, offsets));
    ASSERT_EQ(offsets.size(), 4u);
    EXPECT_EQ(PanelBytes(kPageTable, 4 * 5), BuildPageTable(offsets));
    const Bytes block = PanelBytes(kPara, 130);
    EXPECT_EQ(block[0], 4); // three pages + 1, little-endian
    EXPECT_EQ(block[1], 0);
    EXPECT_EQ(GetU16be(block, 4), 3);
    EXPECT_EQ(GetU32be(block, 10), 100u); // the firmware file went: its length
    EXPECT_EQ(PanelBytes(0, 100), Bytes(100, 0x5A));
}

TEST_F(CommWindow, UploadThroughTheMenuRebuildsTheSameProject)
{
    Download();
    if (HasFatalFailure())
        return;
    TKhm& k = *Main();
    std::vector<Bytes> pages;
    for (const auto& p : k.Doc.PgDataList)
        pages.push_back(p->Data);
    const Bytes image(k.Doc.MemImage.begin(), k.Doc.MemImage.begin() + k.Doc.MemImageLen);
    const std::vector<std::string> offsets = k.Doc.OffsetList;
    const std::vector<PgJmpRec> jumps = k.Doc.SysPgJumps;

    prompt.shown.clear();
    prompt.answers = {Answer::No}; // do not save the project before it closes
    std::vector<std::string> replies;
    panel.sent = [&](const std::string& chars) { replies.push_back(chars); };
    k.Action("MmComRead")->trigger();
    ASSERT_TRUE(RunUntilMessages(2));
    panel.sent = nullptr;
    // The exchange seeds the upload reply fuzz target's corpus (fuzz/corpus/uploadreply).
    if (const char* seedDir = std::getenv("KES_UPLOAD_SEED"))
        WriteUploadSeeds(seedDir, "project", replies);
    EXPECT_EQ(prompt.shown.back(), Msg(68));
    EXPECT_EQ(Main()->CommLink->ProgressWindow(), nullptr);

    ASSERT_EQ(k.Doc.PgDataList.size(), pages.size());
    for (std::size_t i = 0; i < pages.size(); ++i)
        EXPECT_EQ(k.Doc.PgDataList[i]->Data, pages[i]) << "page " << i;
    EXPECT_EQ(k.Doc.OffsetList, offsets);
    EXPECT_EQ(k.PageEd->Pages().size(), 1u); // the first page is open
    EXPECT_EQ(Bytes(k.Doc.MemImage.begin(), k.Doc.MemImage.begin() + k.Doc.MemImageLen), image);
    ASSERT_EQ(k.Doc.SysPgJumps.size(), 1u);
    EXPECT_EQ(k.Doc.SysPgJumps[0].Ref.DevAddrCode, jumps[0].Ref.DevAddrCode);
    EXPECT_EQ(k.Doc.SysPgJumps[0].TargetPage, jumps[0].TargetPage);
    EXPECT_EQ(k.Doc.MachineId, 3);
    EXPECT_EQ(k.Doc.ComSetByte[0], 4); // the system block's byte, downloaded from the project
    EXPECT_EQ(k.Doc.Compiled, 1);
    EXPECT_EQ(k.Doc.Modified, 0);
    // A new name: saving must not write over the project that was closed.
    EXPECT_EQ(k.Doc.PrjName.rfind("Doc", 0), 0u);
    EXPECT_TRUE(k.SaveDlg.FileName.empty());
    EXPECT_EQ(k.StatusText(4), QStringLiteral("ZQ Type: LX-04"));
}

// What the panel sends back is read as opening a project would read it: an upload that would
// not open again is refused with what was wrong, before the user is asked anything, and the
// project that was open stays open as it was. A user who keeps the open project when asked
// keeps it too.
TEST_F(CommWindow, AnUploadThatDoesNotReadAsAProjectLeavesTheOpenOneAlone)
{
    Download();
    if (HasFatalFailure())
        return;
    TKhm& k = *Main();
    k.LoadPageWindow(1);
    std::vector<std::uint32_t> offsets;
    ASSERT_TRUE(OffsetsOf(k.Doc.OffsetList, offsets));
    const Bytes good = panel.memory;
    struct Case {
        const char* name;
        std::function<void(FakePanel&)> spoil;
        QString message; // empty: a good upload the user declines
    };
    const std::vector<Case> cases = {
        {"a page whose record runs past its end",
         [&](FakePanel& p) { p.memory[kObjData + offsets[1] + 2] = p.memory[kObjData + offsets[1] + 3] = 0xFF; },
         Msg(761) + "\n" + Msg(766).arg(1).arg(0) + " " + DecodeErrorText(DecodeError::LengthPastEnd)},
        {"a header that is no header", [](FakePanel& p) { p.memory[kObjData] = p.memory[kObjData + 1] = 0x77; },
         Msg(761) + "\n" + Msg(765).arg(0)},
        {"a controller number nobody knows",
         [](FakePanel& p) {
             p.memory[kPara + 4] = 28024 >> 8;
             p.memory[kPara + 5] = 28024 & 0xFF;
         },
         Msg(761) + "\n" + Msg(763).arg(28024)},
        {"a panel model nobody knows", [](FakePanel& p) { p.identity.modelIndex = 15; },
         Msg(761) + "\n" + Msg(762).arg(15)},
        {"an erased panel", [](FakePanel& p) { std::fill(p.memory.begin(), p.memory.end(), 0xFF); }, Msg(760)},
        {"a good upload the user declines", [](FakePanel&) {}, {}},
    };
    const std::vector<Bytes> pages = [&] {
        std::vector<Bytes> v;
        for (const auto& pg : k.Doc.PgDataList)
            v.push_back(pg->Data);
        return v;
    }();
    const std::string name = k.Doc.PrjName;
    const QString title = k.windowTitle();
    const QString modelStatus = k.StatusText(4);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        panel.memory = good;
        panel.identity.modelIndex = 0;
        c.spoil(panel);
        k.Doc.Modified = 1;
        prompt.shown.clear();
        prompt.kinds.clear();
        prompt.answers = {Answer::Cancel}; // asked to save the open project: keep it
        std::vector<std::string> replies;
        panel.sent = [&](const std::string& chars) { replies.push_back(chars); };
        k.Action("MmComRead")->trigger();
        ASSERT_TRUE(RunUntil([&] { return !link().Engine().Busy() && !link().Preparer().Busy(); }));
        panel.sent = nullptr;
        if (const char* seedDir = std::getenv("KES_UPLOAD_SEED"))
            WriteUploadSeeds(seedDir, "refused" + std::to_string(&c - cases.data()), replies);
        if (c.message.isEmpty()) {
            ASSERT_EQ(prompt.shown.size(), 1u);
            EXPECT_TRUE(prompt.shown[0].startsWith(Msg(kMsgSaveProject)));
        } else {
            ASSERT_EQ(prompt.shown.size(), 1u);
            EXPECT_EQ(prompt.shown[0], c.message);
            EXPECT_EQ(prompt.kinds[0], MsgKind::Error);
        }
        EXPECT_EQ(Main()->CommLink->ProgressWindow(), nullptr);
        ASSERT_EQ(k.Doc.PgDataList.size(), pages.size());
        for (std::size_t i = 0; i < pages.size(); ++i)
            EXPECT_EQ(k.Doc.PgDataList[i]->Data, pages[i]) << "page " << i;
        EXPECT_EQ(k.Doc.MachineId, 3);
        EXPECT_EQ(k.Doc.PanelModelIndex, 0);
        EXPECT_EQ(k.Doc.Modified, 1);
        EXPECT_EQ(k.View.EditMode, kes::Editing::Pages);
        EXPECT_EQ(k.Doc.PrjName, name);
        EXPECT_EQ(k.windowTitle(), title);
        EXPECT_EQ(k.PageEd->Pages().size(), 1u);
        EXPECT_EQ(k.StatusText(4), modelStatus);
        // Nor the page count or address of the refused upload.
        EXPECT_EQ(k.StatusText(0).toStdString(), "");
        EXPECT_EQ(k.StatusText(1).toStdString(), "");
    }
}

TEST_F(CommWindow, FailuresEndWithTheirMessageAndGiveTheWindowBack)
{
    struct Case {
        const char* name;
        std::function<void(FakePanel&)> arrange;
        int message;
    };
    const auto when = [](char cmd, std::uint32_t address, FaultKind kind, int times) {
        return [=](FakePanel& p) {
            p.faults = FaultWhen([=](const FakeRequest& r) { return r.command == cmd && r.address == address; },
                                 Fault{kind, 0}, times);
        };
    };
    const std::vector<Case> cases = {
        {"image chunk never answered", when('0', kObjData + 32, FaultKind::Drop, 4), 62},
        {"page table reply with a bad checksum", when('0', kPageTable, FaultKind::BadLrc, 1), 30},
        {"identify answered with the error bit", when('3', 0, FaultKind::ErrorBit, 1), 30},
        {"firmware too old", [](FakePanel& p) { p.identity.firmwareVersion = 89; }, 98},
        {"another panel model", [](FakePanel& p) { p.identity.modelIndex = 1; }, 95},
    };
    TKhm& k = *Main();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        panel.faults = nullptr;
        panel.identity.firmwareVersion = 100;
        panel.identity.modelIndex = 0;
        c.arrange(panel);
        k.Doc.Compiled = 1;
        k.FormActivate();
        const std::vector<bool> before = LockedItems();
        prompt.shown.clear();
        prompt.answers = {Answer::Yes};
        k.Action("MmComWrt")->trigger();
        ASSERT_TRUE(RunUntilMessages(2));
        // A connect failure names the port it tried.
        const QString port =
            c.message == 62 ? QStringLiteral(" (%1)").arg(QString::fromStdString(panel.SlavePath())) : QString();
        EXPECT_EQ(prompt.shown.back(), Msg(c.message) + port);
        EXPECT_EQ(prompt.kinds.back(), MsgKind::Error);
        EXPECT_EQ(prompt.shown.size(), 2u);
        EXPECT_EQ(Main()->CommLink->ProgressWindow(), nullptr);
        EXPECT_FALSE(k.MMICom->IsOpen());
        EXPECT_EQ(LockedItems(), before);
        EXPECT_EQ(k.MMICom->Settings().baud, 115200);
        // The status bar keeps no frame of the transfer that failed.
        EXPECT_EQ(k.StatusText(2).toStdString(), "");
        RunUntil([&] { return !panel.Pending(); });
    }
}

TEST_F(CommWindow, DownloadCommitsTheInspectorAndLetsTheObjectGo)
{
    TKhm& k = *Main();
    k.Doc.Compiled = 1;
    k.LoadPageWindow(0);
    PageData* page = Main()->PageEd->CurrentPageForEdit();
    ASSERT_NE(page, nullptr);
    ASSERT_FALSE(page->ObjList.empty());
    TLxObj* obj = page->ObjList.back();
    obj->SetSelected(true);
    page->SelList = {obj};
    page->CurObj = obj;
    k.View.ObjInspectorOn = true;
    auto inspector = std::make_unique<TDlgProp>(&k, k.Ask(), *Main()->LxType);
    k.DlgPropWin = inspector.get();

    prompt.answers = {Answer::Yes};
    k.Action("MmComWrt")->trigger();
    EXPECT_EQ(page->CurObj, nullptr);
    EXPECT_FALSE(obj->Selected);
    EXPECT_TRUE(page->SelList.empty());
    ASSERT_TRUE(RunUntilMessages(2));
    EXPECT_EQ(prompt.shown.back(), Msg(68));
}

TEST_F(CommWindow, ClosingTheWindowEndsARunningTransferWithoutAMessage)
{
    // The panel never answers the identify request: the link waits on it for a while.
    link().Engine().Options().tickMs = 50;
    panel.faults = FaultWhen([](const FakeRequest& r) { return r.command == '3'; }, Fault{FaultKind::Drop, 0}, 10);
    prompt.answers = {Answer::Yes, Answer::Yes};
    Main()->Action("MmComWrt")->trigger();
    ASSERT_TRUE(RunUntil([&] { return link().Engine().Busy() && !panel.Log().empty(); }));
    Main()->StopLink();
    EXPECT_FALSE(link().Engine().Busy());
    EXPECT_EQ(Main()->CommLink->ProgressWindow(), nullptr);
    EXPECT_FALSE(Main()->MMICom->IsOpen());
    EXPECT_EQ(prompt.shown.size(), 2u);
    // Late replies find the link idle and start nothing.
    RunUntil([&] { return !panel.Pending(); });
    EXPECT_EQ(prompt.shown.size(), 2u);
}

// What a test hands the link in place of the screen editor's pictures.
struct TestPictures : ScreenPictures {
    std::function<Bytes()> startScreen, userMenu;
    Bytes StartScreenPicture() override { return startScreen ? startScreen() : Bytes{}; }
    Bytes UserMenuPictures() override { return userMenu ? userMenu() : Bytes{}; }
};

TEST_F(CommWindow, ComMenuEnablesByEditModeAndScreenEditors)
{
    TKhm& k = *Main();
    QMenu* menu = k.findChild<QMenu*>(QStringLiteral("MmCom_menu"));
    ASSERT_NE(menu, nullptr);
    struct Case {
        kes::Editing editMode;
        bool screenHooks;
        bool comWrt, userStart;
    };
    TestPictures pictures;
    pictures.startScreen = [] { return Bytes(4, 0); };
    for (const Case& c :
         {Case{kes::Editing::Pages, false, true, false}, Case{kes::Editing::StartScreen, false, false, false},
          Case{kes::Editing::StartScreen, true, false, true}}) {
        link().UseScreenPictures(c.screenHooks ? &pictures : nullptr);
        k.View.EditMode = c.editMode;
        Q_EMIT menu->aboutToShow();
        EXPECT_EQ(k.Action("MmComWrt")->isEnabled(), c.comWrt) << static_cast<int>(c.editMode);
        EXPECT_EQ(k.Action("MmUserStart")->isEnabled(), c.userStart) << static_cast<int>(c.editMode);
    }
    link().UseScreenPictures(nullptr);
}

TEST_F(CommWindow, StartUpScreenGoesToItsAreaAfterTheQuestion)
{
    TKhm& k = *Main();
    Bytes picture(192 * 64 / 8);
    for (std::size_t i = 0; i < picture.size(); ++i)
        picture[i] = static_cast<std::uint8_t>(i * 13);
    TestPictures pictures;
    pictures.startScreen = [&] { return picture; };
    link().UseScreenPictures(&pictures);
    k.View.EditMode = kes::Editing::StartScreen;
    Q_EMIT k.findChild<QMenu*>(QStringLiteral("MmCom_menu"))->aboutToShow();
    prompt.answers = {Answer::Yes};
    k.Action("MmUserStart")->trigger();
    ASSERT_TRUE(RunUntilMessages(2));
    link().UseScreenPictures(nullptr);
    EXPECT_EQ(prompt.shown, (std::vector<QString>{Msg(80), Msg(68)}));
    EXPECT_EQ(PanelBytes(0x10800, picture.size()), picture);
    // The project's own image is not touched by a screen transfer.
    EXPECT_EQ(k.Doc.Compiled, 0);
}

TEST_F(CommWindow, UserMenuLargerThanItsAreaIsRefusedBeforeTheLinkOpens)
{
    TKhm& k = *Main();
    // Panel model 0: 192 x 64 dots, 1536 bytes a page; the area holds 0x7000 bytes, 18 pages.
    TestPictures pictures;
    pictures.userMenu = [&] { return Bytes(k.Doc.ImagePgDataList.size() * 1536, 0); };
    link().UseScreenPictures(&pictures);
    k.View.EditMode = kes::Editing::UserMenu;
    for (std::size_t pages : {std::size_t(19), std::size_t(18)}) {
        SCOPED_TRACE(pages);
        k.Doc.ImagePgDataList.clear();
        for (std::size_t i = 0; i < pages; ++i)
            k.Doc.ImagePgDataList.push_back(std::make_unique<PgDataStr>());
        Q_EMIT k.findChild<QMenu*>(QStringLiteral("MmCom_menu"))->aboutToShow();
        prompt.shown.clear();
        prompt.answers = {Answer::Yes};
        k.Action("MmUserMenu")->trigger();
        if (pages == 19) {
            EXPECT_EQ(prompt.shown, (std::vector<QString>{Msg(80), Msg(26)}));
            EXPECT_FALSE(link().Preparer().Busy());
            EXPECT_FALSE(k.MMICom->IsOpen());
        } else {
            ASSERT_TRUE(RunUntilMessages(2));
            EXPECT_EQ(prompt.shown.back(), Msg(68));
        }
    }
    link().UseScreenPictures(nullptr);
}

TEST_F(CommWindow, SettingsDialogsOpenFromTheMenu)
{
    TKhm& k = *Main();
    // The port may be any path typed in; it has no port number then.
    prompt.onExec = [](QDialog& d) {
        auto& form = dynamic_cast<TComSet&>(d);
        form.ComPort_Box->setEditText(QStringLiteral("/dev/ttyKes9"));
        form.Ok_BtnClick();
    };
    k.Action("MmComNum")->trigger();
    EXPECT_EQ(k.MMICom->Settings().name, "/dev/ttyKes9");
    EXPECT_EQ(k.ComNumber, 0);

    // The panel port dialog puts the new station into every stored reference and drops the
    // header length, so the next download compiles again.
    k.Doc.ImageHeaderLen = 40;
    prompt.onExec = [](QDialog& d) {
        auto& form = dynamic_cast<TFrmHMIProto&>(d);
        form.ChkBox_Port->setChecked(false);
        form.ChkBox_UID->setChecked(true);
        form.UD_UID->setValue(9);
        form.Ok_BtnClick();
    };
    const Bytes before = k.Doc.PgDataList[0]->Data;
    k.LoadPageWindow(1); // the open page's live objects follow too
    const PageData* live = Main()->PageEd->CurrentPage();
    ASSERT_NE(live, nullptr);
    k.Action("MmHMIProto")->trigger();
    Bytes expected = before;
    RewritePageLinks(expected, LinkRewrite{false, 0, true, 9});
    EXPECT_EQ(k.Doc.PgDataList[0]->Data, expected);
    EXPECT_NE(expected, before);
    EXPECT_EQ(k.Doc.DefStation, 9);
    int liveRefs = 0;
    for (TLxObj* obj : live->ObjList) {
        if (auto* ref = dynamic_cast<TLxDevRef*>(obj)) {
            EXPECT_EQ(ref->RefStation, 9) << obj->ObjType;
            ++liveRefs;
        }
    }
    EXPECT_GT(liveRefs, 0);
    EXPECT_EQ(k.Doc.ImageHeaderLen, 0);
    EXPECT_EQ(k.Doc.Compiled, 0);
}

// A port path the user typed is the user's: the port number a project file stores (none, the
// number of a port the machine lists, a number no port has) never replaces it on opening.
TEST_F(CommWindow, ATypedPortIsKeptAcrossOpen)
{
    TKhm& k = *Main();
    const auto answerFile = [this](const std::string& path) {
        prompt.onExec = [path](QDialog& d) {
            auto& f = dynamic_cast<QFileDialog&>(d);
            f.selectFile(QString::fromStdString(path));
            d.done(QDialog::Accepted);
        };
    };
    const std::string typed = "/dev/ttyKesTyped";
    for (std::uint16_t stored : {0, 1, 99}) {
        SCOPED_TRACE(stored);
        const std::string file = Path("port" + std::to_string(stored) + ".zqf");
        k.ComNumber = stored;
        prompt.answers.clear();
        answerFile(file);
        k.Action("MmSaveAs")->trigger();
        ASSERT_TRUE(QFile::exists(QString::fromStdString(file)));

        k.MMICom->Settings().name = typed;
        answerFile(file);
        k.Action("MmOpen")->trigger();
        EXPECT_EQ(k.Doc.PrjName, "port" + std::to_string(stored));
        EXPECT_EQ(k.MMICom->Settings().name, typed);
        EXPECT_EQ(k.ComNumber, 0);
    }
}

TEST_F(CommWindow, CaptionsOfTheCommunicationFormsStandInEveryLanguage)
{
    TKhm& k = *Main();
    TComSet comSet(&k, k.Ask(), k.MMICom->Settings(), k.Doc);
    TFrmHMIProto proto(&k, k.Doc);
    TComProgBar progress(&k, {}, k.Doc.LangIndex);
    TModem modem(&k, k.Ask(), link().Dialer(), k.Doc.LangIndex);
    TFrmKeySetting keys(&k, k.Ask(), k.Doc);
    TDlgMonDisp display(&k, k.Ask(), k.Doc, *k.MMICom, {});
    for (QWidget* form :
         {static_cast<QWidget*>(&comSet), static_cast<QWidget*>(&proto), static_cast<QWidget*>(&progress),
          static_cast<QWidget*>(&modem), static_cast<QWidget*>(&keys), static_cast<QWidget*>(&display)}) {
        SCOPED_TRACE(form->objectName().toStdString());
        for (int lang : {LangCht, LangChs, LangEng}) {
            TIniFile ini(Path(CaptionFileName(lang)));
            for (const CaptionKey& key : FormCaptionKeys(form)) {
                const bool emptyHint = key.key.size() > 5 && key.key.compare(key.key.size() - 5, 5, ".Hint") == 0;
                if (!emptyHint) {
                    EXPECT_TRUE(ini.ValueExists(key.section, key.key)) << CaptionFileName(lang) << ": " << key.key;
                }
            }
        }
    }
}

} // namespace
} // namespace kes::test
