// The page exports as commands: each file lands where the save dialog says (nothing when it
// is cancelled), the dumps hold one record per picture byte of the page at its own zoom, and
// the clipboard picture is the page at the window's size; without a current object the
// object dump does nothing.
#include "editortest.h"

#include "app/shell/tkhm.h"
#include "platform/fileio.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>

namespace kes::test {
namespace {

class PageExportsTest : public EditorTest {
protected:
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
        return ReadFileBytes(Path(name), b, nullptr) ? b.size() : 0;
    }
};

TEST_F(PageExportsTest, DumpsGoWhereTheUserChoosesAndNowhereOnCancel)
{
    NewProject();
    DrawWith("TbStTxt", At(2, 2), At(30, 12));
    Khm->MmPgSizeClick(8); // the dumps do not depend on the window's zoom
    const int w = HmPage->ClientWidth() / HmPage->Zoom / HmPage->GridWidth;
    const int h = HmPage->ClientHeight() / HmPage->Zoom / HmPage->GridHeight;
    ASSERT_GT(w, 0);
    struct Case {
        const char* item;
        std::size_t size;
    } cases[] = {
        {"MmPageSave", static_cast<std::size_t>(w * ((h + 7) / 8) * 6)},
        {"MmPage1Save", static_cast<std::size_t>((w + 7) / 8 * h * 5)},
        {"MmObjBmpSave", static_cast<std::size_t>(HmPage->CurObj->BmpSizeGet() * 6)},
    };
    for (const Case& c : cases) {
        const std::string name = std::string(c.item) + ".txt";
        Choose("");
        Khm->Action(c.item)->trigger();
        EXPECT_FALSE(FileExists(Path(name))) << c.item;
        Choose(name);
        Khm->Action(c.item)->trigger();
        EXPECT_EQ(FileSize(name), c.size) << c.item;
    }
    // Without a current object the object dump asks nothing.
    HmPage->CurObj = nullptr;
    const int runs = prompt.execCount;
    Khm->Action("MmObjBmpSave")->trigger();
    EXPECT_EQ(prompt.execCount, runs);
}

TEST_F(PageExportsTest, PictureIsThePageAtTheWindowsSize)
{
    NewProject();
    DrawWith("TbStTxt", At(2, 2), At(30, 12));
    Khm->Action("MmImageToClipBrd")->trigger();
    const QImage clip = QApplication::clipboard()->image();
    EXPECT_EQ(clip.size(), QSize(HmPage->ClientWidth(), HmPage->ClientHeight()));
    Choose("page.bmp");
    Khm->Action("MmImageToFile")->trigger();
    QImage file;
    ASSERT_TRUE(file.load(QString::fromStdString(Path("page.bmp"))));
    EXPECT_EQ(file.size(), clip.size());
    EXPECT_EQ(file.convertToFormat(QImage::Format_RGB32), clip.convertToFormat(QImage::Format_RGB32));
}

} // namespace
} // namespace kes::test
