// The start-up screen walked end to end: drawn in its own window (a static text set in its
// dialog, a figure), copied in a row by the multiple-copy dialog, saved with the project and
// found again after reopening; then the page shown full screen with its device addresses.
// With KES_E2E_SHOTS set, the editor, the dialog and the full-screen view are pictured.
#include "e2efixture.h"

#include "app/editor/screeneditor.h"
#include "app/editor/tformfullscreen.h"
#include "app/editor/timagepage.h"
#include "app/project/ui/tlxtype.h"
#include "objects/lxdevref.h"
#include "objects/tsttxt.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>

namespace kes::test {
namespace {

class StartScreen : public E2ETest {
protected:
    void TearDown() override
    {
        Drive(nullptr);
        E2ETest::TearDown();
    }
};

TEST_F(StartScreen, DrawnCopiedSavedAndFoundAgain)
{
    NewProjectNamed("Boot");
    Trigger("MmStartPg");
    ASSERT_NE(Main()->Screens->FirstPage(), nullptr);
    Drive(Main()->Screens->FirstPage());
    QApplication::processEvents();
    TLxObj* text = DrawWith("TbStTxt", At(4, 4), At(60, 14));
    ASSERT_NE(text, nullptr);
    Trigger("tbPointTo");
    DoubleClickOn(QPoint(text->Left + 4, text->Top + 4), [&](QDialog& d) {
        auto& edit = Control<QPlainTextEdit>(d, "TxtEdit");
        edit.clear();
        edit.insertPlainText(QStringLiteral("WELCOME"));
        PushButton(d, "OkBtn");
    });
    ASSERT_NE(DrawWith("TbRect", At(2, 30), At(30, 44)), nullptr);
    Trigger("tbPointTo");
    Click(QPoint(Main()->Screens->FirstPage()->Data().ObjList[1]->Left,
                 Main()->Screens->FirstPage()->Data().ObjList[1]->Top + StepY()));
    ASSERT_EQ(Main()->Screens->FirstPage()->Data().CurObj, Main()->Screens->FirstPage()->Data().ObjList[1]);
    RunWithDialog("MmMultiCopy", [&](QDialog& d) {
        Control<QSpinBox>(d, "EditH").setValue(3);
        Control<QSpinBox>(d, "EditV").setValue(1);
        Shot(d, "multicopy");
        PushButton(d, "BtnOK");
    });
    ASSERT_EQ(Main()->Screens->FirstPage()->Data().ObjList.size(), 4u);
    Shot(*Main(), "startscreen-editor");
    Main()->Screens->FirstPage()->PgDataSave();
    const Bytes screen = Main()->Doc.StartScreenData->Data;

    SaveCloseAndReopen("Boot", "startscreen-save", "startscreen-open");
    EXPECT_EQ(Main()->Doc.StartScreenData->Data, screen) << "the start-up screen file holds the screen";
    Trigger("MmStartPg");
    Drive(Main()->Screens->FirstPage());
    ASSERT_EQ(Main()->Screens->FirstPage()->Data().ObjList.size(), 4u);
    EXPECT_EQ(dynamic_cast<TStTxt&>(*Main()->Screens->FirstPage()->Data().ObjList[0]).Lines,
              std::vector<std::string>{"WELCOME"});

    // Back on the page: a numeric display, shown full screen with its address.
    Trigger("MmLxe");
    Drive(nullptr);
    TLxObj* val = DrawWith("TbVal", At(10, 10), At(40, 20));
    ASSERT_NE(val, nullptr);
    auto& ref = dynamic_cast<TLxDevRef&>(*val);
    ref.DevAddrCode = Main()->LxType->ParseDeviceAddress("D12", 1, 0, true, false);
    ref.DevText = "D12";
    RunWithDialog("MmFullScrnNpoint", [&](QDialog& d) {
        EXPECT_NE(dynamic_cast<TFormFullScreen*>(&d), nullptr);
        Shot(d, "fullscreen");
        d.reject();
    });

    // The dialog in Traditional Chinese.
    Trigger("MmLangCht");
    Trigger("tbPointTo");
    Click(QPoint(val->Left + StepX(), val->Top + StepY()));
    RunWithDialog("MmMultiCopy", [&](QDialog& d) {
        EXPECT_FALSE(Control<QPushButton>(d, "BtnOK").text().contains(QLatin1Char('?')));
        Shot(d, "multicopy-cht");
        d.reject();
    });
}

} // namespace
} // namespace kes::test
