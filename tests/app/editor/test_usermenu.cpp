// File > User Menu closes the open project first and only then takes the panel family of
// the file; it opens one read-only window per screen, numbered from 0. A missing file says so;
// a file whose chunks lie outside the user menu's image, are not one after the other or name
// no panel family is refused whole, with nothing read past it. However many screens are open,
// every command that closes the project closes them all, and so does the main window's end.
#include "cputime.h"
#include "editortest.h"

#include "app/editor/screeneditor.h"
#include "app/editor/timagepage.h"
#include "app/project/usermenu.h"
#include "app/shell/startup.h"
#include "app/ui/errortext.h"
#include "app/ui/msgtable.h"
#include "platform/fileio.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDir>
#include <QFileDialog>

#include <chrono>
#include <cstdlib>

namespace kes::test {
namespace {

class UserMenuTest : public EditorTest {
protected:
    // Two screens of the family: a rectangle, then nothing.
    Bytes MenuFile(int model = 0)
    {
        Trigger("MmStartPg");
        Drive(Main()->Screens->FirstPage());
        EXPECT_NE(DrawWith("TbRect", At(2, 2), At(20, 20)), nullptr);
        Main()->Screens->FirstPage()->PgDataSave();
        Drive(nullptr);
        ProjectDoc doc;
        doc.MachineId = Main()->Doc.MachineId;
        doc.PanelModelIndex = static_cast<std::int16_t>(model);
        doc.ImagePgDataList.push_back(std::make_unique<PgDataStr>());
        doc.ImagePgDataList.back()->Data = Main()->Doc.StartScreenData->Data;
        doc.ImagePgDataList.push_back(std::make_unique<PgDataStr>());
        return EncodeUserMenuFile(doc, UserMenuPort{});
    }
    void Install(const Bytes& file, int model = 0)
    {
        const std::string path = UserMenuPath(Main()->Doc.AppDir, model);
        QDir().mkpath(QString::fromStdString(path.substr(0, path.rfind('/'))));
        ASSERT_TRUE(WriteFileAtomic(path, std::string(file.begin(), file.end()), nullptr));
    }
    // A file of count empty screens of panel model 0.
    Bytes EmptyScreens(std::size_t count) { return Screens(std::vector<Bytes>(count)); }
    // A file of these screens of panel model 0.
    Bytes Screens(const std::vector<Bytes>& screens)
    {
        ProjectDoc doc;
        doc.MachineId = 87;
        for (const Bytes& screen : screens) {
            doc.ImagePgDataList.push_back(std::make_unique<PgDataStr>());
            doc.ImagePgDataList.back()->Data = screen;
        }
        return EncodeUserMenuFile(doc, UserMenuPort{});
    }
    void Restart()
    {
        ShutDownMain();
        StartupOptions o;
        o.splashMillis = 0;
        o.prompt = &prompt;
        o.screen = &screen;
        StartMain(NewDoc(), o);
    }
    void Open(const char* item)
    {
        Main()->Doc.Modified = 0;
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
    EXPECT_EQ(Main()->View.EditMode, kes::Editing::UserMenu);
    EXPECT_EQ(Main()->Doc.PanelModelIndex, 0);
    EXPECT_TRUE(Main()->Doc.PgDataList.empty()) << "the project was closed";
    ASSERT_EQ(Main()->ImageWinList.size(), 2u);
    ASSERT_EQ(Main()->Doc.ImagePgDataList.size(), 2u);
    const auto* first = dynamic_cast<TImagePage*>(Main()->ImageWinList[0]);
    const auto* second = dynamic_cast<TImagePage*>(Main()->ImageWinList[1]);
    ASSERT_TRUE(first && second);
    EXPECT_TRUE(first->windowTitle().endsWith(QStringLiteral("-0"))) << first->windowTitle().toStdString();
    EXPECT_TRUE(second->windowTitle().endsWith(QStringLiteral("-1")));
    EXPECT_EQ(first->Data().ObjList.size(), 1u);
    EXPECT_TRUE(second->Data().ObjList.empty());
    EXPECT_EQ(Main()->Doc.UserMenuOffsetList.size(), 3u);

    // Paged through both ways: each step sets both buttons.
    EXPECT_EQ(Main()->Screens->ImagePage(), first);
    EXPECT_TRUE(Main()->Action("TbNextPg")->isEnabled());
    EXPECT_FALSE(Main()->Action("TbPrePg")->isEnabled());
    Trigger("TbNextPg");
    EXPECT_EQ(Main()->Screens->ImagePage(), second);
    EXPECT_FALSE(Main()->Action("TbNextPg")->isEnabled());
    Trigger("TbPrePg");
    EXPECT_EQ(Main()->Screens->ImagePage(), first);
    EXPECT_TRUE(Main()->Action("TbNextPg")->isEnabled());

    // The page picture on the clipboard is the screen shown, its rectangle included.
    QApplication::clipboard()->clear();
    Trigger("MmImageToClipBrd");
    const QImage clip = QApplication::clipboard()->image();
    EXPECT_EQ(clip.size(), QSize(first->ClientWidth(), first->ClientHeight()));
    const QPoint corner(2 * first->Step().X() + 1, 2 * first->Step().Y() + 1);
    EXPECT_EQ(clip.pixelColor(corner), QColor(Qt::black));

    // Written back, the file is the same.
    EXPECT_EQ(EncodeUserMenuFile(Main()->Doc, UserMenuPort{}), file);

    // Back to page editing with no page at all: the page list, to add one.
    bool listed = false;
    prompt.onExec = [&](QDialog& d) {
        listed = d.objectName() == QStringLiteral("PgListFrm");
        d.reject();
    };
    Main()->Action("MmLxe")->trigger();
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
            ASSERT_EQ(Main()->ImageWinList.size(), count);
            const std::string lxe = Main()->Doc.SettingsDir() + "Lxe.ini";
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
            EXPECT_TRUE(Main()->ImageWinList.empty());
            EXPECT_TRUE(Main()->Doc.ImagePgDataList.empty());
            EXPECT_EQ(Main()->Screens->ImagePage(), nullptr);
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
    ASSERT_EQ(Main()->ImageWinList.size(), 3u);
    Restart();
    EXPECT_TRUE(Main()->ImageWinList.empty());
}

TEST_F(UserMenuTest, EachFamilysFileReadsAndWritesBackTheSame)
{
    const std::pair<int, const char*> families[] = {{0, "LX041"}, {1, "LX021"}};
    for (const auto& [model, item] : families) {
        NewProject(model);
        const Bytes file = MenuFile(model);
        Install(file, model);
        Open(item);
        EXPECT_EQ(Main()->Doc.PanelModelIndex, model) << item;
        EXPECT_EQ(Main()->ImageWinList.size(), 2u) << item;
        EXPECT_EQ(EncodeUserMenuFile(Main()->Doc, UserMenuPort{}), file) << item;
    }
}

// Screens of every kind a screen holds open as they were drawn and write back to the same
// file, for both families. KES_USERMENU_SEED=<folder> keeps the files (the user menu fuzz
// target's seeds).
TEST_F(UserMenuTest, ScreensOfEveryKindOpenAndWriteBackTheSame)
{
    const char* seeds = std::getenv("KES_USERMENU_SEED");
    for (const auto& [model, item] : {std::pair{0, "LX041"}, std::pair{1, "LX021"}}) {
        NewProject(model);
        Trigger("MmStartPg");
        Drive(Main()->Screens->FirstPage());
        ASSERT_NE(DrawWith("TbStTxt", At(2, 2), At(30, 12)), nullptr);
        ASSERT_NE(DrawWith("TbStBmp", At(40, 2), At(42, 3)), nullptr);
        ASSERT_NE(DrawWith("TbRect", At(2, 30), At(30, 50)), nullptr);
        ASSERT_NE(DrawWith("TbCir", At(40, 30), At(60, 50)), nullptr);
        ASSERT_NE(DrawWith("TbPoly", At(70, 30), At(90, 55)), nullptr);
        Main()->Screens->FirstPage()->PgDataSave();
        const Bytes every = Main()->Doc.StartScreenData->Data;
        Drive(nullptr);
        const auto family = static_cast<std::int16_t>(model);
        const auto file = [&](std::vector<Bytes> screens) {
            ProjectDoc doc;
            doc.MachineId = 87;
            doc.PanelModelIndex = family;
            for (const Bytes& screen : screens) {
                doc.ImagePgDataList.push_back(std::make_unique<PgDataStr>());
                doc.ImagePgDataList.back()->Data = screen;
            }
            return EncodeUserMenuFile(doc, UserMenuPort{});
        };
        const std::pair<const char*, Bytes> files[] = {
            {"every_kind", file({every, {}, every})},
            {"empty_screens", file(std::vector<Bytes>(3))},
            {"no_screens", file({})},
        };
        for (const auto& [name, bytes] : files) {
            Install(bytes, model);
            Open(item);
            EXPECT_EQ(Main()->Doc.PanelModelIndex, model) << name;
            EXPECT_EQ(Main()->ImageWinList.size(), Main()->Doc.ImagePgDataList.size()) << name;
            EXPECT_EQ(EncodeUserMenuFile(Main()->Doc, UserMenuPort{}), bytes) << name;
            if (seeds)
                WriteFileAtomic(std::string(seeds) + "/" + name + "_" + std::to_string(model),
                                std::string(bytes.begin(), bytes.end()), nullptr);
        }
        Install(file({every, {}, every}), model);
        Open(item);
        ASSERT_EQ(Main()->ImageWinList.size(), 3u);
        EXPECT_EQ(dynamic_cast<TImagePage*>(Main()->ImageWinList[0])->Data().ObjList.size(), 5u);
        EXPECT_TRUE(dynamic_cast<TImagePage*>(Main()->ImageWinList[1])->Data().ObjList.empty());
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
    EXPECT_EQ(Main()->View.EditMode, kes::Editing::Pages);
    EXPECT_TRUE(Main()->ImageWinList.empty());
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
        EXPECT_TRUE(Main()->ImageWinList.empty()) << c.name;
        EXPECT_TRUE(Main()->Doc.ImagePgDataList.empty()) << c.name;
        ASSERT_FALSE(prompt.shown.empty()) << c.name;
        EXPECT_TRUE(prompt.shown.back().startsWith(Msg(484))) << c.name;
    }
}

// Counts, lengths, records and controllers no real user menu has: each file is refused with
// a message naming it and what was wrong, within a second; zeros that grew a file are left
// out and said.
TEST_F(UserMenuTest, HostileFilesEndInAMessageWithinASecond)
{
    NewProject();
    const Bytes good = MenuFile();
    Bytes rect = Main()->Doc.StartScreenData->Data;
    rect.resize(rect.size() - 3);
    const auto machine = [&](std::uint16_t id) {
        Bytes f = good;
        PutU16le(f, 0, id);
        return f;
    };
    const auto grown = [](Bytes f, std::size_t zeros) {
        f.resize(f.size() + zeros, 0);
        return f;
    };
    struct Case {
        const char* name;
        Bytes file;
        ProjectError error; // None: it opens
        std::size_t screens;
    };
    const Case cases[] = {
        {"an unknown controller", machine(32767), ProjectError::UnknownModel, 0},
        {"a keypad controller", machine(95), ProjectError::UnknownModel, 0},
        {"19 screens, one more than the area holds", EmptyScreens(19), ProjectError::TooManyScreens, 0},
        {"10,000 empty screens", EmptyScreens(10000), ProjectError::TooManyScreens, 0},
        {"200,000 empty chunks", grown(EmptyScreens(0), 8 * 200000), ProjectError::TooManyScreens, 0},
        {"a record of length zero", Screens({{}, Bytes{0x00, 0x01, 0x00, 0x00, 0x00, 0x00}}),
         ProjectError::ScreenDamaged, 0},
        {"a record cut short", Screens({rect}), ProjectError::ScreenDamaged, 0},
        {"bytes that are no record", Screens({Bytes{0x00, 0x01, 0x7F, 0xFF, 0x01, 0x02}}), ProjectError::ScreenDamaged,
         0},
        {"no screens at all", Screens({}), ProjectError::None, 0},
        {"8 MB of zeros after the screens", grown(good, 8u << 20), ProjectError::None, 2},
    };
    // The project closed first: what follows says only what the files do.
    Install(good);
    Open("LX041");
    for (const Case& c : cases) {
        Install(c.file);
        prompt.shown.clear();
        const test::CpuStopwatch cpu;
        Open("LX041");
        EXPECT_LT(cpu.Elapsed(), std::chrono::seconds(1)) << c.name;
        EXPECT_EQ(Main()->ImageWinList.size(), c.screens) << c.name;
        EXPECT_EQ(Main()->Doc.ImagePgDataList.size(), c.screens) << c.name;
        if (c.error == ProjectError::None && c.screens == 0) {
            EXPECT_TRUE(prompt.shown.empty()) << c.name;
            continue;
        }
        ASSERT_EQ(prompt.shown.size(), 1u) << c.name << ": " << prompt.shown.front().toStdString();
        const QString& said = prompt.shown.back();
        EXPECT_TRUE(said.contains(QStringLiteral("UserMenu.Men"))) << c.name;
        if (c.error != ProjectError::None) {
            EXPECT_TRUE(said.startsWith(Msg(484))) << c.name;
            EXPECT_TRUE(said.contains(ProjectErrorText(c.error))) << c.name << ": " << said.toStdString();
        } else {
            EXPECT_TRUE(said.startsWith(Msg(940))) << c.name;
        }
    }
}

// The main window's title, the screens' titles and the question whether to save name the user
// menu as its menu item reads, without the item's access key, in each language.
TEST_F(UserMenuTest, ItsNameIsShownWithoutTheMenuItemsAccessKey)
{
    const std::pair<const char*, QString> languages[] = {{"MmLangEng", QStringLiteral("User Menu")},
                                                         {"MmLangCht", QString::fromUtf8("使用者選單")}};
    for (const auto& [language, name] : languages) {
        SCOPED_TRACE(language);
        Trigger(language);
        Install(EmptyScreens(1));
        Open("LX041");
        ASSERT_EQ(Main()->ImageWinList.size(), 1u);
        EXPECT_TRUE(Main()->windowTitle().endsWith(QStringLiteral(" - ") + name))
            << Main()->windowTitle().toStdString();
        EXPECT_EQ(Main()->ImageWinList[0]->windowTitle(), name + QStringLiteral("-0"));
        Main()->Doc.Modified = 1;
        prompt.shown.clear();
        prompt.answers = {Answer::No};
        Trigger("MmClosePrj");
        ASSERT_EQ(prompt.shown.size(), 1u);
        EXPECT_TRUE(prompt.shown.front().endsWith(name + QStringLiteral("?"))) << prompt.shown.front().toStdString();
        EXPECT_TRUE(Main()->ImageWinList.empty());
    }
    Trigger("MmLangEng");
}

// A language switch while the user menu is open names it anew: in the main window's title
// and in every screen's.
TEST_F(UserMenuTest, ItsTitlesFollowALanguageSwitch)
{
    Trigger("MmLangEng");
    Install(EmptyScreens(2));
    Open("LX041");
    ASSERT_EQ(Main()->ImageWinList.size(), 2u);
    const std::pair<const char*, QString> languages[] = {{"MmLangCht", QString::fromUtf8("使用者選單")},
                                                         {"MmLangChs", QString::fromUtf8("用户菜单")},
                                                         {"MmLangEng", QStringLiteral("User Menu")}};
    for (const auto& [language, name] : languages) {
        SCOPED_TRACE(language);
        Trigger(language);
        EXPECT_TRUE(Main()->windowTitle().endsWith(QStringLiteral(" - ") + name))
            << Main()->windowTitle().toStdString();
        for (std::size_t i = 0; i < Main()->ImageWinList.size(); ++i)
            EXPECT_EQ(Main()->ImageWinList[i]->windowTitle().toStdString(),
                      (name + QStringLiteral("-%1").arg(i)).toStdString());
    }
}

TEST_F(UserMenuTest, ACancelledCloseKeepsTheProjectAndItsModel)
{
    NewProject(1);
    Install(MenuFile());
    Main()->Doc.Modified = 1;
    prompt.answers = {Answer::Cancel};
    Trigger("LX041");
    EXPECT_EQ(Main()->Doc.PanelModelIndex, 1);
    EXPECT_NE(Main()->View.EditMode, kes::Editing::UserMenu);
    EXPECT_FALSE(Main()->Doc.PgDataList.empty());
    EXPECT_TRUE(Main()->ImageWinList.empty());
}

} // namespace
} // namespace kes::test
