// File > User Menu closes the open project first and only then takes the panel family of
// the file; it opens one read-only window per screen, numbered from 0. A missing file says so;
// a file whose chunks lie outside the user menu's image, are not one after the other or name
// no panel family is refused whole, with nothing read past it. However many screens are open,
// every command that closes the project closes them all, and so does the main window's end.
#include "editortest.h"

#include "app/editor/screeneditor.h"
#include "app/editor/timagepage.h"
#include "app/project/usermenu.h"
#include "app/shell/startup.h"
#include "app/ui/msgtable.h"
#include "platform/fileio.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDir>
#include <QFileDialog>

namespace kes::test {
namespace {

class UserMenuTest : public EditorTest {
protected:
    // Two screens of the family: a rectangle, then nothing.
    Bytes MenuFile(int model = 0)
    {
        Trigger("MmStartPg");
        Drive(FirstPage);
        EXPECT_NE(DrawWith("TbRect", At(2, 2), At(20, 20)), nullptr);
        FirstPage->PgDataSave();
        Drive(nullptr);
        ProjectDoc doc;
        doc.MachineId = Khm->Doc.MachineId;
        doc.PanelModelIndex = static_cast<std::int16_t>(model);
        doc.ImagePgDataList.push_back(std::make_unique<PgDataStr>());
        doc.ImagePgDataList.back()->Data = Khm->Doc.StartScreenData->Data;
        doc.ImagePgDataList.push_back(std::make_unique<PgDataStr>());
        return EncodeUserMenuFile(doc, UserMenuPort{});
    }
    void Install(const Bytes& file, int model = 0)
    {
        const std::string path = UserMenuPath(Khm->Doc.AppDir, model);
        QDir().mkpath(QString::fromStdString(path.substr(0, path.rfind('/'))));
        ASSERT_TRUE(WriteFileAtomic(path, std::string(file.begin(), file.end()), nullptr));
    }
    // A file of count empty screens of panel model 0.
    Bytes EmptyScreens(std::size_t count)
    {
        ProjectDoc doc;
        doc.MachineId = 87;
        for (std::size_t i = 0; i < count; ++i)
            doc.ImagePgDataList.push_back(std::make_unique<PgDataStr>());
        return EncodeUserMenuFile(doc, UserMenuPort{});
    }
    void Restart()
    {
        ShutDown();
        StartupOptions o;
        o.splashMillis = 0;
        StartUp(NewDoc(), o);
    }
    void Open(const char* item)
    {
        Khm->Doc.Modified = 0;
        Trigger(item);
        QApplication::processEvents();
    }
};

TEST_F(UserMenuTest, TheScreensOpenReadOnlyAndNumberedFromZero)
{
    NewProject();
    const Bytes file = MenuFile();
    Install(file);
    Open("LX041");
    EXPECT_EQ(Khm->Doc.EditMode, 2);
    EXPECT_EQ(Khm->Doc.PanelModelIndex, 0);
    EXPECT_TRUE(Khm->Doc.PgDataList.empty()) << "the project was closed";
    ASSERT_EQ(Khm->ImageWinList.size(), 2u);
    ASSERT_EQ(Khm->Doc.ImagePgDataList.size(), 2u);
    const auto* first = dynamic_cast<TImagePage*>(Khm->ImageWinList[0]);
    const auto* second = dynamic_cast<TImagePage*>(Khm->ImageWinList[1]);
    ASSERT_TRUE(first && second);
    EXPECT_TRUE(first->windowTitle().endsWith(QStringLiteral("-0"))) << first->windowTitle().toStdString();
    EXPECT_TRUE(second->windowTitle().endsWith(QStringLiteral("-1")));
    EXPECT_EQ(first->ObjList.size(), 1u);
    EXPECT_TRUE(second->ObjList.empty());
    EXPECT_EQ(Khm->Doc.UserMenuOffsetList.size(), 3u);

    // Paged through both ways: each step sets both buttons.
    EXPECT_EQ(ImagePage, first);
    EXPECT_TRUE(Khm->Action("TbNextPg")->isEnabled());
    EXPECT_FALSE(Khm->Action("TbPrePg")->isEnabled());
    Trigger("TbNextPg");
    EXPECT_EQ(ImagePage, second);
    EXPECT_FALSE(Khm->Action("TbNextPg")->isEnabled());
    Trigger("TbPrePg");
    EXPECT_EQ(ImagePage, first);
    EXPECT_TRUE(Khm->Action("TbNextPg")->isEnabled());

    // The page picture on the clipboard is the screen shown, its rectangle included.
    QApplication::clipboard()->clear();
    Trigger("MmImageToClipBrd");
    const QImage clip = QApplication::clipboard()->image();
    EXPECT_EQ(clip.size(), QSize(first->ClientWidth(), first->ClientHeight()));
    const QPoint corner(2 * first->Step().X() + 1, 2 * first->Step().Y() + 1);
    EXPECT_EQ(clip.pixelColor(corner), QColor(Qt::black));

    // Written back, the file is the same.
    EXPECT_EQ(EncodeUserMenuFile(Khm->Doc, UserMenuPort{}), file);

    // Back to page editing with no page at all: the page list, to add one.
    bool listed = false;
    prompt.onExec = [&](QDialog& d) {
        listed = d.objectName() == QStringLiteral("PgListFrm");
        d.reject();
    };
    Khm->Action("MmLxe")->trigger();
    prompt.onExec = nullptr;
    EXPECT_TRUE(listed);
}

// Each screen window leaves the list of open screens as it is deleted: closing them must not
// walk that list while it shrinks (three screens were enough to crash).
TEST_F(UserMenuTest, EveryCloseCommandClosesAnyNumberOfScreens)
{
    struct Close {
        const char* item;
        bool exits;
    };
    const Close closes[] = {{"MmClosePrj", false}, {"MmNew", false}, {"MmOpen", false}, {"MmExit", true}};
    for (const std::size_t count : {1u, 2u, 3u, 18u}) {
        for (const Close& c : closes) {
            SCOPED_TRACE(std::to_string(count) + " screens, " + c.item);
            Install(EmptyScreens(count));
            Open("LX041");
            ASSERT_EQ(Khm->ImageWinList.size(), count);
            const std::string lxe = Khm->Doc.SettingsDir() + "Lxe.ini";
            std::remove(lxe.c_str());
            // New: its form is cancelled; Open: a file is chosen (one that is not there).
            prompt.onExec = [this](QDialog& d) {
                if (auto* files = qobject_cast<QFileDialog*>(&d)) {
                    files->selectFile(QString::fromStdString(Path("none.zqf")));
                    d.done(QDialog::Accepted);
                } else {
                    d.reject();
                }
            };
            Trigger(c.item);
            prompt.onExec = nullptr;
            QApplication::processEvents();
            EXPECT_TRUE(Khm->ImageWinList.empty());
            EXPECT_TRUE(Khm->Doc.ImagePgDataList.empty());
            EXPECT_EQ(ImagePage, nullptr);
            EXPECT_TRUE(FileExists(lxe)) << "the settings are written as the project closes";
            if (c.exits)
                Restart();
        }
    }
}

// The main window ending with screens open (no close command before) deletes them once.
TEST_F(UserMenuTest, TheMainWindowEndsWithItsScreensOpen)
{
    Install(EmptyScreens(3));
    Open("LX041");
    ASSERT_EQ(Khm->ImageWinList.size(), 3u);
    Restart();
    EXPECT_TRUE(Khm->ImageWinList.empty());
}

TEST_F(UserMenuTest, EachFamilysFileReadsAndWritesBackTheSame)
{
    const std::pair<int, const char*> families[] = {{0, "LX041"}, {1, "LX021"}};
    for (const auto& [model, item] : families) {
        NewProject(model);
        const Bytes file = MenuFile(model);
        Install(file, model);
        Open(item);
        EXPECT_EQ(Khm->Doc.PanelModelIndex, model) << item;
        EXPECT_EQ(Khm->ImageWinList.size(), 2u) << item;
        EXPECT_EQ(EncodeUserMenuFile(Khm->Doc, UserMenuPort{}), file) << item;
    }
}

TEST_F(UserMenuTest, AMissingFileIsSaidAfterTheProjectClosed)
{
    NewProject();
    prompt.shown.clear();
    Open("LX021");
    ASSERT_FALSE(prompt.shown.empty());
    EXPECT_TRUE(prompt.shown.back().contains(Msg(86)));
    EXPECT_TRUE(prompt.shown.back().startsWith(Msg(131)));
    EXPECT_EQ(Khm->Doc.EditMode, 3);
    EXPECT_TRUE(Khm->ImageWinList.empty());
}

TEST_F(UserMenuTest, AHostileFileIsRefusedWhole)
{
    NewProject();
    const Bytes good = MenuFile();
    const std::size_t chunk = kUserMenuHeadSize + 8; // the first screen's start and end
    struct Case {
        const char* name;
        std::function<void(Bytes&)> damage;
    };
    const Case cases[] = {
        {"end past the image", [&](Bytes& f) { PutU32le(f, chunk + 4, 0x7FFFFFF0); }},
        {"a gap before the first screen", [&](Bytes& f) { PutU32le(f, chunk, 4); }},
        {"no panel family", [](Bytes& f) { PutU16le(f, 2, 2); }},
        {"cut inside a screen", [](Bytes& f) { f.resize(f.size() - 3 - 8); }},
        {"head only half", [](Bytes& f) { f.resize(300); }},
    };
    for (const Case& c : cases) {
        Bytes file = good;
        c.damage(file);
        Install(file);
        prompt.shown.clear();
        Open("LX041");
        EXPECT_TRUE(Khm->ImageWinList.empty()) << c.name;
        EXPECT_TRUE(Khm->Doc.ImagePgDataList.empty()) << c.name;
        ASSERT_FALSE(prompt.shown.empty()) << c.name;
        EXPECT_TRUE(prompt.shown.back().startsWith(Msg(484))) << c.name;
    }
}

TEST_F(UserMenuTest, ACancelledCloseKeepsTheProjectAndItsModel)
{
    NewProject(1);
    Install(MenuFile());
    Khm->Doc.Modified = 1;
    prompt.answers = {Answer::Cancel};
    Trigger("LX041");
    EXPECT_EQ(Khm->Doc.PanelModelIndex, 1);
    EXPECT_NE(Khm->Doc.EditMode, 2);
    EXPECT_FALSE(Khm->Doc.PgDataList.empty());
    EXPECT_TRUE(Khm->ImageWinList.empty());
}

} // namespace
} // namespace kes::test
