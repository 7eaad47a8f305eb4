// One edit on its whole road through the started program, driven as a user drives it: menu
// commands, the mouse on the page, and each dialog's own controls. A button drawn on a new
// project, given a type, a typed device address and a password level, must come back the same
// after save, close and open; compiled and downloaded to a panel over a serial line, the panel
// must hold exactly the compiled image, and the button's record in it the code the address
// codec gives for the typed text. Set KES_E2E_SHOTS to a folder to keep a picture of each step.
#include "e2efixture.h"

#include "app/comm/linkengine.h"
#include "app/comm/ui/tcomprogbar.h"
#include "app/editor/pageeditor.h"
#include "app/project/projectdoc.h"
#include "app/project/ui/tfrmmsgshow.h"
#include "app/project/ui/tlxtype.h"
#include "app/shell/startup.h"
#include "app/shell/tkhm_comm.h"
#include "app/ui/msgtable.h"
#include "app/ui/translate.h"
#include "commtestsupport.h"
#include "objects/tlxbtn.h"
#include "platform/bytes.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace kes::test {
namespace {

constexpr int kMsgCompiled = 63;
constexpr int kMsgTransferDone = 68;
constexpr int kMsgTransferAsk = 80;
constexpr std::uint16_t kButtonKind = 13;
constexpr std::uint32_t kFirmwareVersion = 100;

class FirstProject : public E2ETest {
protected:
    void SetUp() override
    {
        E2ETest::SetUp();
        ASSERT_TRUE(panel.Ok());
    }

    TLxBtn* OnlyButton() const
    {
        if (!CurPage() || CurPage()->Data().ObjList.size() != 1)
            return nullptr;
        return dynamic_cast<TLxBtn*>(CurPage()->Data().ObjList.front());
    }

    FakePanel panel;
};

TEST_F(FirstProject, AButtonDrawnSavedReopenedCompiledAndDownloadedReachesThePanel)
{
    TKhm& k = *Main();
    Shot(k, "01-start");

    NewProjectNamed("First");
    ASSERT_NE(CurPage(), nullptr) << "the new project's first page is open";
    EXPECT_EQ(k.Doc.PrjName, "First");

    // A password of level 2, so that a button may ask for that level.
    RunWithDialog("MmUserLevel", [&](QDialog& d) {
        TypeInto(Control<QLineEdit>(d, "EditPW1"), QStringLiteral("123456"));
        Choose(Control<QComboBox>(d, "ComboBox_level1"), QStringLiteral("2"));
        Shot(d, "03-passwords");
        PushButton(d, "BtnOK");
    });
    EXPECT_EQ(k.Doc.UserPasswords[0].Level, 2);

    // The button tool, and a box dragged on the page.
    Trigger("TbBtn");
    QWidget* canvas = Canvas();
    QTest::mousePress(canvas, Qt::LeftButton, {}, At(10, 8));
    QTest::mouseMove(canvas, At(30, 16));
    QTest::mouseMove(canvas, At(50, 24));
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, At(50, 24));
    TLxBtn* btn = OnlyButton();
    ASSERT_NE(btn, nullptr) << ObjectsText();
    EXPECT_EQ(Page().Data().SelList, TObjList{btn});
    EXPECT_EQ(QPoint(btn->Left, btn->Top), At(10, 8));
    Shot(k, "04-button-drawn");

    // Its settings: a type, a typed write address, a text and a level.
    const QString address = QStringLiteral("M12");
    DoubleClickOn(At(20, 12), [&](QDialog& d) {
        Choose(Control<QComboBox>(d, "BtnType_Box"), QStringLiteral("Alternate"));
        TypeInto(Control<QLineEdit>(d, "DevWritTxt"), address);
        TypeInto(Control<QLineEdit>(d, "Btn_Txt"), QStringLiteral("Pump"));
        Choose(Control<QComboBox>(d, "ComboBox_UserLevel"), QStringLiteral("2"));
        Shot(d, "05-button-settings");
        PushButton(d, "OkBtn");
        EXPECT_EQ(d.result(), QDialog::Accepted)
            << "refused: " << (prompt.shown.empty() ? "" : prompt.shown.back().toStdString());
    });
    EXPECT_EQ(k.Doc.Modified, 1);
    const std::int32_t code = Main()->LxType->ParseDeviceAddress(
        "M12", 0, Main()->LxType->ParseDeviceBitIndex("M12", true, false), true, false);
    ASSERT_NE(code, -1) << "the sample controller has bit device M";
    EXPECT_EQ(btn->WriteDev.DevAddrCode, code);
    EXPECT_EQ(btn->UserLevel, 2);
    Shot(k, "06-button-set");

    // A click on the empty page after the dialog is an ordinary click: it selects nothing.
    QTest::mouseClick(canvas, Qt::LeftButton, {}, At(150, 50));
    EXPECT_TRUE(Page().Data().SelList.empty()) << "the double click's gesture outlived its dialog";

    // Save as, close, and open again.
    SaveCloseAndReopen("First", "07-save-as", "08-open");
    btn = OnlyButton();
    ASSERT_NE(btn, nullptr) << "the reopened page holds the button alone";
    EXPECT_EQ(btn->WriteDev.DevAddrCode, code);
    EXPECT_EQ(btn->UserLevel, 2);
    EXPECT_EQ(btn->TotalState, 2);
    ASSERT_FALSE(btn->TxtList.empty());
    EXPECT_EQ(btn->TxtList[0], "Pump");
    EXPECT_EQ(k.Doc.UserPasswords[0].Level, 2);
    Shot(k, "09-reopened");
    // The settings show what was typed.
    DoubleClickOn(At(20, 12), [&](QDialog& d) {
        EXPECT_EQ(Control<QComboBox>(d, "BtnType_Box").currentText(), QStringLiteral("Alternate"));
        EXPECT_EQ(Control<QLineEdit>(d, "DevWritTxt").text(), address);
        EXPECT_EQ(Control<QComboBox>(d, "ComboBox_UserLevel").currentText(), QStringLiteral("2"));
        PushButton(d, "CancelBtn");
    });

    // The panel on a pseudo-terminal, chosen in the communication settings (which leave the
    // project to be compiled again).
    panel.identity.modelIndex = static_cast<std::uint8_t>(k.Doc.PanelModelIndex);
    panel.identity.machineId = k.Doc.MachineId;
    panel.identity.firmwareVersion = kFirmwareVersion;
    panel.identity.com1 = 0x1C;
    panel.identity.com2 = 0x04;
    QDir().mkpath(QString::fromStdString(Path("BIN")));
    QFile fw(QString::fromStdString(Path(FirmwareFileName(k.Doc.MachineId, k.Doc.PanelModelIndex, kFirmwareVersion))));
    ASSERT_TRUE(fw.open(QIODevice::WriteOnly));
    fw.write(QByteArray(64, '\x5A'));
    fw.close();
    RunWithDialog("MmComNum", [&](QDialog& d) {
        Control<QComboBox>(d, "ComPort_Box").setEditText(QString::fromStdString(panel.SlavePath()));
        Choose(Control<QComboBox>(d, "BaudRate_Box"), QStringLiteral("115200"));
        Shot(d, "10-port");
        PushButton(d, "Ok_Btn");
    });

    // Compile: the image the panel is to hold.
    prompt.shown.clear();
    Trigger("MmTranslate");
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_TRUE(prompt.shown[0].startsWith(Msg(kMsgCompiled))) << prompt.shown[0].toStdString();
    ASSERT_EQ(k.Doc.Compiled, 1);
    const Bytes image(k.Doc.MemImage.begin(), k.Doc.MemImage.begin() + k.Doc.MemImageLen);
    std::vector<std::uint32_t> offsets;
    ASSERT_TRUE(OffsetsOf(k.Doc.OffsetList, offsets));
    ASSERT_EQ(offsets.size(), 2u) << "one page and the end";

    // Download.
    prompt.shown.clear();
    prompt.answers = {Answer::Yes};
    bool progressShot = false;
    panel.faults = [&](const FakeRequest& r) {
        TComProgBar* progress = Main()->CommLink->ProgressWindow();
        if (r.command == '0' && !progressShot && progress) {
            progressShot = true;
            Shot(*progress, "11-download");
        }
        return Fault{};
    };
    Trigger("MmComWrt");
    MainCommLink& link = *k.CommLink;
    ASSERT_TRUE(RunUntil([&] { return prompt.shown.size() >= 2 && !link.Engine().Busy() && !link.Preparer().Busy(); }));
    EXPECT_EQ(prompt.shown, (std::vector<QString>{Msg(kMsgTransferAsk), Msg(kMsgTransferDone)}));
    EXPECT_EQ(Main()->CommLink->ProgressWindow(), nullptr);

    const auto at = static_cast<std::size_t>(k.Doc.ObjDataAddr);
    const Bytes held(panel.memory.begin() + static_cast<std::ptrdiff_t>(at),
                     panel.memory.begin() + static_cast<std::ptrdiff_t>(at + image.size()));
    EXPECT_EQ(held, image) << "the panel holds the compiled image";

    const ByteSpan page = ByteSpan(held).subspan(offsets[0], offsets[1] - offsets[0]);
    const auto rec = FindRecord(page, kButtonKind);
    ASSERT_TRUE(rec.has_value()) << "the page's records hold the button";
    const ByteSpan r = page.subspan(*rec);
    EXPECT_EQ(GetU32be(r, 14), static_cast<std::uint32_t>(code)) << "the write address";
    EXPECT_EQ(r[54], 2) << "the user level";
    EXPECT_EQ(r[62], kes::BtnCode(btn->BtnType)) << "the button type";
    EXPECT_EQ(GetU16be(r, 4), static_cast<std::uint16_t>(10)) << "left, in panel pixels";
    EXPECT_EQ(GetU16be(r, 6), static_cast<std::uint16_t>(8)) << "top, in panel pixels";
}

TEST_F(FirstProject, AProjectNamedOnTheCommandLineOpensWithItsWholePageInView)
{
    NewProjectNamed("Plant");
    const std::string file = Path("work/Plant.zqf");
    RunWithDialog("MmSaveAs", AnswerFile(file, "cmdline-save"));
    ASSERT_TRUE(QFile::exists(QString::fromStdString(file)));
    Main()->FormClose();
    ShutDownMain();

    // As the program starts: the project opens before the window is first shown.
    StartupOptions o;
    o.arguments = {QString::fromStdString(file)};
    o.splashMillis = 0;
    o.prompt = &prompt;
    o.screen = &screen;
    StartMain(NewDoc(), o);
    Main()->resize(1200, 900);
    Main()->show();
    QApplication::processEvents();
    ASSERT_NE(CurPage(), nullptr);
    EXPECT_EQ(Main()->Doc.PrjName, "Plant");
    const QMdiSubWindow& sub = *CurPage()->SubWindow();
    EXPECT_GE(sub.contentsRect().width(), Canvas()->width());
    EXPECT_GE(sub.contentsRect().height(), Canvas()->height());
    EXPECT_TRUE(Main()->MdiArea->viewport()->rect().contains(sub.geometry())) << "it lies wholly in the area";
}

TEST_F(FirstProject, ThePageListOpensOnceFromEachOfItsCommandsWithItsCaptionsInEveryLanguage)
{
    NewProjectNamed("Plant");
    for (const char* command : {"MmViewPg", "TbViewPg"}) {
        SCOPED_TRACE(command);
        const int before = prompt.execCount;
        RunWithDialog(command, [&](QDialog& d) {
            EXPECT_EQ(d.objectName(), QStringLiteral("PgListFrm"));
            EXPECT_EQ(MissingCaptions(d, Dir()), std::vector<std::string>{});
            PushButton(d, "PgBxClose");
        });
        EXPECT_EQ(prompt.execCount, before + 1);
    }
    // The check-result window the compile opens.
    TFrmMsgShow results(Main(), Main()->Doc, *Main()->PageEd);
    EXPECT_EQ(MissingCaptions(results, Dir()), std::vector<std::string>{});
}

} // namespace
} // namespace kes::test
