// The address map command: OK moves the project to the chosen controller and the page open
// in the editor shows its objects at their new addresses; a model that can not be a target
// is not taken; a controller type that can not be mapped opens nothing; the grid's two columns
// share its width. With KES_SCREENSHOT
// set, the dialog is saved there in English and Traditional Chinese ("-eng", "-cht").
#include "editortest.h"

#include "app/project/ui/tfrmplcaddrmap.h"
#include "app/project/ui/tlxtype.h"
#include "app/ui/tadvstringgrid.h"
#include "objects/tlxval.h"

#include <QApplication>
#include <QComboBox>

namespace kes::test {
namespace {

class AddrMapCommandTest : public EditorTest {
protected:
    // Runs the command; the dialog's model box takes the model of machine id target, then OK
    // is pressed (or the dialog is closed when ok is false).
    void Run(int target, bool ok)
    {
        prompt.onExec = [target, ok](QDialog& d) {
            auto& map = dynamic_cast<TFrmPLCAddrMap&>(d);
            map.FormShow();
            map.CB_PLCType->setCurrentIndex(Main()->LxType->MachineIndexOf(target));
            if (ok)
                map.BtnOKClick();
        };
        Trigger("MmPLCSet");
    }
};

TEST_F(AddrMapCommandTest, OkMovesTheProjectAndTheOpenPageToTheNewController)
{
    NewProject(0, 87);
    TLxObj* val = DrawWith("TbVal", At(2, 2), At(30, 12));
    ASSERT_NE(val, nullptr);
    ASSERT_EQ(Page().Data().ObjList.size(), 1u);
    Run(3, true);
    EXPECT_EQ(Main()->Doc.MachineId, 3);
    EXPECT_EQ(Main()->LxType->TableMachineId, 3);
    // The word device D of the sample controller lands on the last word device of 3, T.
    ASSERT_EQ(Page().Data().ObjList.size(), 1u);
    const auto* ref = dynamic_cast<const TLxVal*>(Page().Data().ObjList.front());
    ASSERT_NE(ref, nullptr);
    EXPECT_EQ(ref->DevAddrCode, 0x300000);
    EXPECT_EQ(ref->DevText, "T0");
}

TEST_F(AddrMapCommandTest, RefusedTargetsAndUnmappableControllersChangeNothing)
{
    NewProject(0, 87);
    DrawWith("TbVal", At(2, 2), At(30, 12));
    const Bytes before = StoredPage();
    for (int refused : {95, 97, 98, 99}) {
        int shownRow = -1;
        prompt.onExec = [refused, &shownRow](QDialog& d) {
            auto& map = dynamic_cast<TFrmPLCAddrMap&>(d);
            map.FormShow();
            map.CB_PLCType->setCurrentIndex(Main()->LxType->MachineIndexOf(refused));
            shownRow = map.CB_PLCType->currentIndex();
            map.BtnOKClick();
        };
        Trigger("MmPLCSet");
        EXPECT_EQ(shownRow, Main()->LxType->MachineIndexOf(87)) << refused;
        EXPECT_EQ(Main()->Doc.MachineId, 87) << refused;
        EXPECT_EQ(StoredPage(), before) << refused;
    }
    Main()->Doc.MachineId = 97;
    const int runs = prompt.execCount;
    Trigger("MmPLCSet");
    EXPECT_EQ(prompt.execCount, runs);
    ASSERT_FALSE(prompt.shown.empty());
    EXPECT_EQ(prompt.shown.back(), QStringLiteral("the Device type not support!!"));
}

// The two columns share the grid's width, leaving room for the vertical scroll bar while the
// rows overflow the grid; columns that already leave the rule's room stay as they are.
TEST_F(AddrMapCommandTest, TheColumnsShareTheGridsWidth)
{
    NewProject(0, 87);
    prompt.onExec = [](QDialog& d) {
        auto& map = dynamic_cast<TFrmPLCAddrMap&>(d);
        map.FormShow();
        TAdvStringGrid& g = *map.StrGridPLCMap;
        ASSERT_GT(g.RowCount(), 3);
        const int rowsHeight = g.DefaultRowHeight() * g.RowCount() + 1 + 2 * g.frameWidth();
        struct Case {
            const char* what;
            int width, height, left, right;
        } cases[] = {
            {"rows fit", 301, rowsHeight + 1, 147, 147},
            {"rows just overflow", 301, rowsHeight, 138, 138},
            {"overflowing, even width", 400, 60, 188, 188},
        };
        for (const Case& c : cases) {
            g.resize(c.width, c.height);
            map.FormResize();
            EXPECT_EQ(g.ColWidths(0), c.left) << c.what;
            EXPECT_EQ(g.ColWidths(1), c.right) << c.what;
        }
        // A divider moved by the user, the columns leaving 16 pixels of an overflowing grid.
        g.SetColWidths(0, 100);
        g.SetColWidths(1, 400 - 16 - 100);
        map.FormResize();
        EXPECT_EQ(g.ColWidths(0), 100);
        EXPECT_EQ(g.ColWidths(1), 284);
    };
    Trigger("MmPLCSet");
}

} // namespace
} // namespace kes::test

namespace kes::test {
namespace {

TEST_F(AddrMapCommandTest, Screenshot)
{
    const QString shot = QString::fromLocal8Bit(qgetenv("KES_SCREENSHOT"));
    if (shot.isEmpty())
        GTEST_SKIP() << "KES_SCREENSHOT not set";
    NewProject(0, 87);
    for (const auto& [item, suffix] : {std::pair{"MmLangEng", "-eng"}, std::pair{"MmLangCht", "-cht"}}) {
        Trigger(item);
        prompt.onExec = [&shot, suffix = suffix](QDialog& d) {
            d.show();
            auto& map = dynamic_cast<TFrmPLCAddrMap&>(d);
            map.CB_PLCType->setCurrentIndex(Main()->LxType->MachineIndexOf(3));
            map.OpenListEditor(map.Map().BitRowCount + 1);
            QApplication::processEvents();
            EXPECT_TRUE(d.grab().save(shot + QLatin1String(suffix) + QStringLiteral(".png")));
        };
        Trigger("MmPLCSet");
    }
}

} // namespace
} // namespace kes::test
