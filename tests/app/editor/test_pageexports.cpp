// The page exports as commands: each file lands where the save dialog says (nothing when it
// is cancelled), the dumps hold one record per picture byte of the page at its own zoom, and
// the clipboard picture is the page at the window's size (the start-up screen's while that is
// edited); without a current object the object dump does nothing. The packed-row list is
// opened in the desktop's program once written, and the user is told when none could start.
#include "editortest.h"

#include "app/editor/screeneditor.h"
#include "app/editor/timagepage.h"
#include "app/shell/tkhm.h"
#include "app/ui/fileopener.h"
#include "app/ui/msgtable.h"
#include "platform/fileio.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>

namespace kes::test {
namespace {

// Records what it is asked to open instead of starting a viewer.
class RecordingOpener : public FileOpener {
public:
    bool Open(const QString& path) override
    {
        opened.push_back(path);
        return starts;
    }
    std::vector<QString> opened;
    bool starts = true;
};

class PageExportsTest : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        auto fake = std::make_unique<RecordingOpener>();
        opener = fake.get();
        Main()->FileOpen = std::move(fake);
    }
    RecordingOpener* opener = nullptr;
    // The next save dialog answers with the file name (or is cancelled when empty).
    void Choose(const std::string& name)
    {
        prompt.onExec = [path = name.empty() ? std::string() : Path(name)](QDialog& d) {
            if (path.empty())
                return;
            auto& f = dynamic_cast<QFileDialog&>(d);
            f.selectFile(QString::fromStdString(path));
            d.done(QDialog::Accepted);
        };
    }
    std::size_t FileSize(const std::string& name)
    {
        Bytes b;
        return ReadFileBytes(Path(name), 1u << 30, b, nullptr) ? b.size() : 0;
    }
};

TEST_F(PageExportsTest, DumpsGoWhereTheUserChoosesAndNowhereOnCancel)
{
    NewProject();
    DrawWith("TbStTxt", At(2, 2), At(30, 12));
    Main()->MmPgSizeClick(8); // the dumps do not depend on the window's zoom
    const int w = CurPage()->ClientWidth() / CurPage()->Data().Zoom / CurPage()->Data().GridWidth;
    const int h = CurPage()->ClientHeight() / CurPage()->Data().Zoom / CurPage()->Data().GridHeight;
    ASSERT_GT(w, 0);
    struct Case {
        const char* item;
        std::size_t size;
    } cases[] = {
        {"MmPageSave", static_cast<std::size_t>(w * ((h + 7) / 8) * 6)},
        {"MmPage1Save", static_cast<std::size_t>((w + 7) / 8 * h * 5)},
        {"MmObjBmpSave", static_cast<std::size_t>(CurPage()->Data().CurObj->BmpSizeGet() * 6)},
    };
    for (const Case& c : cases) {
        const std::string name = std::string(c.item) + ".txt";
        Choose("");
        Main()->Action(c.item)->trigger();
        EXPECT_FALSE(FileExists(Path(name))) << c.item;
        Choose(name);
        Main()->Action(c.item)->trigger();
        EXPECT_EQ(FileSize(name), c.size) << c.item;
    }
    // Without a current object the object dump asks nothing.
    CurPage()->Data().CurObj = nullptr;
    const int runs = prompt.execCount;
    Main()->Action("MmObjBmpSave")->trigger();
    EXPECT_EQ(prompt.execCount, runs);
}

TEST_F(PageExportsTest, PictureIsThePageAtTheWindowsSize)
{
    NewProject();
    DrawWith("TbStTxt", At(2, 2), At(30, 12));
    Main()->Action("MmImageToClipBrd")->trigger();
    const QImage clip = QApplication::clipboard()->image();
    EXPECT_EQ(clip.size(), QSize(CurPage()->ClientWidth(), CurPage()->ClientHeight()));
    Choose("page.bmp");
    Main()->Action("MmImageToFile")->trigger();
    QImage file;
    ASSERT_TRUE(file.load(QString::fromStdString(Path("page.bmp"))));
    EXPECT_EQ(file.size(), clip.size());
    EXPECT_EQ(file.convertToFormat(QImage::Format_RGB32), clip.convertToFormat(QImage::Format_RGB32));
}

TEST_F(PageExportsTest, TheRowListOpensOnceWrittenAndSaysWhenNoProgramStarts)
{
    NewProject();
    struct Case {
        const char* what;
        std::string file; // chosen in the dialog; empty: cancelled
        bool starts;
        bool opened;
        bool told;
    } cases[] = {
        {"cancelled", "", true, false, false},
        {"written", "rows.txt", true, true, false},
        {"no program", "rows.txt", false, true, true},
        {"not written", "no-such-folder/rows.txt", true, false, true},
    };
    for (const Case& c : cases) {
        opener->opened.clear();
        opener->starts = c.starts;
        prompt.shown.clear();
        Choose(c.file);
        Trigger("MmPage1Save");
        ASSERT_EQ(opener->opened.size(), c.opened ? 1u : 0u) << c.what;
        if (c.opened) {
            EXPECT_EQ(opener->opened[0], QString::fromStdString(Path(c.file))) << c.what;
        }
        ASSERT_EQ(prompt.shown.size(), c.told ? 1u : 0u) << c.what;
        if (c.told && !c.starts) {
            EXPECT_EQ(prompt.shown[0], Msg(720) + QStringLiteral("\n") + QString::fromStdString(Path(c.file)));
        }
    }
}

TEST_F(PageExportsTest, TheClipboardTakesTheStartUpScreenWhileItIsEdited)
{
    NewProject();
    Trigger("MmStartPg");
    ASSERT_NE(Main()->Screens->FirstPage(), nullptr);
    ASSERT_EQ(Main()->View.EditMode, kes::Editing::StartScreen);
    Drive(Main()->Screens->FirstPage());
    ASSERT_NE(DrawWith("TbRect", At(2, 2), At(20, 20)), nullptr);
    QApplication::clipboard()->clear();
    Trigger("MmImageToClipBrd");
    const QImage clip = QApplication::clipboard()->image();
    ASSERT_EQ(clip.size(),
              QSize(Main()->Screens->FirstPage()->ClientWidth(), Main()->Screens->FirstPage()->ClientHeight()));
    // The rectangle's corner is black at the window's zoom, the window's corner white.
    const QPoint corner = At(2, 2);
    EXPECT_EQ(clip.pixelColor(corner + QPoint(1, 1)), QColor(Qt::black));
    EXPECT_EQ(clip.pixelColor(0, 0), QColor(Qt::white));
}

} // namespace
} // namespace kes::test
