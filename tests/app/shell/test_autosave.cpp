// Auto-save: its dialog stores both settings only when the interval is a number of 1 to 200
// minutes (a bad one changes nothing and keeps the dialog open); the command keeps the
// timer's period when cancelled and follows the settings when confirmed; a tick writes the
// working copy of the open project, and nothing without one or in the user-menu editor.
// With KES_SCREENSHOT set, the dialog is saved there in English and Traditional Chinese.
#include "shellfixture.h"

#include "app/project/ui/tlxtype.h"
#include "app/shell/tfrmautosaveset.h"
#include "app/shell/tkhm.h"
#include "app/ui/msgtable.h"
#include "platform/fileio.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace kes::test {
namespace {

class AutoSaveTest : public StartedShell {
protected:
    void NewProject(const QString& name)
    {
        prompt.onExec = [=](QDialog& d) {
            auto& f = static_cast<TLxType&>(d);
            f.FileName_Txt->setText(name);
            f.OkBtn->click();
        };
        Main()->MmNewClick();
        ASSERT_EQ(Main()->Doc.Opened, 1);
    }
};

TEST_F(AutoSaveTest, DialogStoresOnlyAValidInterval)
{
    struct Case {
        const char* what;
        bool on;
        int item;
        const char* text;
        bool accepted;
        int wantInterval;
    } cases[] = {
        {"off", false, 1, "15", true, -1},
        {"before compiling", true, 0, "15", true, -1},
        {"every 15 minutes", true, 1, "15", true, 15},
        {"the longest interval", true, 1, "200", true, 200},
        {"not a number", true, 1, "abc", false, 7},
        {"zero", true, 1, "0", false, 7},
        {"past the longest", true, 1, "201", false, 7},
        {"far past: would overflow the timer", true, 1, "40000", false, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ProjectState& s = Main()->Doc;
        s.AutoSave = c.on ? 0 : 1;
        s.SaveTimeInterval = 7;
        prompt.shown.clear();
        TFrmAutoSaveSet dlg(Main(), Main()->Ask(), s);
        dlg.FormShow();
        dlg.ChkBox_Save->setChecked(c.on);
        dlg.SetRgIndex(c.item);
        dlg.EdtTime->setText(QString::fromLatin1(c.text));
        dlg.BtnOKClick();
        EXPECT_EQ(dlg.result() == QDialog::Accepted, c.accepted);
        EXPECT_EQ(s.SaveTimeInterval, c.wantInterval);
        EXPECT_EQ(s.AutoSave, c.accepted ? (c.on ? 1 : 0) : (c.on ? 0 : 1));
        EXPECT_EQ(prompt.shown.size(), c.accepted ? 0u : 1u);
    }
}

TEST_F(AutoSaveTest, DialogShowsTheSettingsAndItsCounterStartsAtThree)
{
    ProjectState& s = Main()->Doc;
    s.AutoSave = 1;
    s.SaveTimeInterval = 10;
    TFrmAutoSaveSet dlg(Main(), Main()->Ask(), s);
    dlg.FormShow();
    EXPECT_EQ(dlg.RgIndex(), 1);
    EXPECT_EQ(dlg.EdtTime->text(), QStringLiteral("10"));
    EXPECT_FALSE(dlg.EdtTime->isHidden());
    dlg.SpinUp->click();
    EXPECT_EQ(dlg.EdtTime->text(), QStringLiteral("4"));

    s.SaveTimeInterval = -1;
    TFrmAutoSaveSet before(Main(), Main()->Ask(), s);
    before.FormShow();
    EXPECT_EQ(before.RgIndex(), 0);
    EXPECT_TRUE(before.EdtTime->isHidden());
    before.ChkBox_Save->click();
    EXPECT_FALSE(before.Rg_Set->isEnabled());
}

TEST_F(AutoSaveTest, TheCommandKeepsOrChangesTheTimer)
{
    NewProject(QStringLiteral("Timer"));
    Main()->Doc.AutoSave = 1;
    Main()->Doc.SaveTimeInterval = 5;
    Main()->StartAutoSave();
    prompt.onExec = nullptr; // closed without OK
    Main()->Action("MmAutoSave")->trigger();
    EXPECT_TRUE(Main()->AutoSaveRunning());
    EXPECT_EQ(Main()->AutoSaveInterval(), 5 * 60000);

    prompt.onExec = [](QDialog& d) {
        auto& f = dynamic_cast<TFrmAutoSaveSet&>(d);
        f.FormShow();
        f.EdtTime->setText(QStringLiteral("12"));
        f.BtnOKClick();
    };
    Main()->Action("MmAutoSave")->trigger();
    EXPECT_EQ(Main()->AutoSaveInterval(), 12 * 60000);

    prompt.onExec = [](QDialog& d) {
        auto& f = dynamic_cast<TFrmAutoSaveSet&>(d);
        f.FormShow();
        f.ChkBox_Save->click();
        f.BtnOKClick();
    };
    Main()->Action("MmAutoSave")->trigger();
    EXPECT_FALSE(Main()->AutoSaveRunning());
    EXPECT_EQ(Main()->Doc.SaveTimeInterval, -1);
}

TEST_F(AutoSaveTest, ATickWritesTheWorkingCopyOfTheOpenProjectOnly)
{
    NewProject(QStringLiteral("Tick"));
    Main()->AutoSaveTick();
    EXPECT_TRUE(FileExists(Path("DocFiles/~Tick.zqf")));
    EXPECT_TRUE(FileExists(Path("DocFiles/~Tick.Til")));

    std::remove(Path("DocFiles/~Tick.zqf").c_str());
    Main()->View.EditMode = kes::Editing::UserMenu;
    Main()->AutoSaveTick();
    EXPECT_FALSE(FileExists(Path("DocFiles/~Tick.zqf")));
    Main()->View.EditMode = kes::Editing::Pages;

    prompt.answers = {Answer::No};
    Main()->MmClosePrjClick();
    ASSERT_EQ(Main()->Doc.Opened, 0);
    Main()->AutoSaveTick();
    EXPECT_FALSE(FileExists(Path("DocFiles/~.zqf")));
    EXPECT_FALSE(FileExists(Path("DocFiles/~Tick.zqf")));
}

TEST_F(AutoSaveTest, Screenshot)
{
    const QString shot = QString::fromLocal8Bit(qgetenv("KES_SCREENSHOT"));
    if (shot.isEmpty())
        GTEST_SKIP() << "KES_SCREENSHOT not set";
    Main()->Doc.AutoSave = 1;
    Main()->Doc.SaveTimeInterval = 10;
    for (const auto& [lang, suffix] : {std::pair{2, "-eng"}, std::pair{0, "-cht"}}) {
        Main()->MmLangChtClick(lang);
        TFrmAutoSaveSet dlg(Main(), Main()->Ask(), Main()->Doc);
        dlg.show();
        QApplication::processEvents();
        EXPECT_TRUE(dlg.grab().save(shot + QLatin1String(suffix) + QStringLiteral(".png")));
    }
}

} // namespace
} // namespace kes::test
