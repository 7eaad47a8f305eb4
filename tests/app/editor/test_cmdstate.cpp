// The enabled and checked state of the main window's commands and the page popup's items
// follows the project state, the page's zoom and history, the selection and the clipboard.
// Every command counts as built here (a command whose subsystem is missing is always
// disabled), so that each rule shows on its own item.
#include "editortest.h"

#include "app/dialogs/formrunner.h"
#include "app/ui/msgtable.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QMenu>
#include <QMimeData>
#include <QToolBar>

#include <functional>

namespace kes::test {
namespace {

class CmdStateTest : public EditorTest {
protected:
    void AllBuilt()
    {
        for (QAction* a : Main()->findChildren<QAction*>())
            a->setProperty("kesWired", true);
    }
    void Refresh()
    {
        AllBuilt();
        Main()->FormActivate();
        if (CurPage())
            CurPage()->EditStateRefresh();
    }

public:
    void PutOnClipboard(const QString& format)
    {
        auto* data = new QMimeData;
        data->setData(format, QByteArray(4, '\0'));
        QApplication::clipboard()->setMimeData(data);
    }
};

struct Expect {
    const char* name; // a main window item or tool button; "Pop..." names the page popup's
    bool on;          // enabled (or, for a name ending in "!", checked)
};

struct StateCase {
    const char* state;
    std::function<void(CmdStateTest&)> setup;
    std::vector<Expect> expect;
};

void NoSelection(CmdStateTest&) {}

class CmdStateTable : public CmdStateTest, public ::testing::WithParamInterface<StateCase> {};

TEST_P(CmdStateTable, ItemsFollowTheState)
{
    const StateCase& c = GetParam();
    AllBuilt();
    if (std::string(c.state) != "NoProject")
        NewProject();
    c.setup(*this);
    Refresh();
    for (const Expect& e : c.expect) {
        std::string name = e.name;
        const bool checked = name.back() == '!';
        if (checked)
            name.pop_back();
        QAction* a =
            name.rfind("Pop", 0) == 0 && CurPage() ? CurPage()->Pop(name.c_str()) : Main()->FindAction(name.c_str());
        if (a) {
            EXPECT_EQ(checked ? a->isChecked() : a->isEnabled(), e.on) << name;
            continue;
        }
        QWidget* w = Main()->ToolWidget(name.c_str());
        ASSERT_NE(w, nullptr) << name;
        EXPECT_EQ(w->isEnabled(), e.on) << name;
    }
}

const StateCase kStates[] = {
    {"NoProject",
     NoSelection,
     {{"TbAddPg", false},
      {"MmEdit", false},
      {"MmSave", false},
      {"TbZoomIn", false},
      {"TbZoomOut", false},
      {"TbUndo", false},
      {"TbPrePg", false},
      {"MmPageSize", false},
      {"TbStepUp", false},
      {"MmCompile", false},
      {"MmEle", false}}},
    {"PageOpen",
     NoSelection,
     {{"TbAddPg", true},      {"MmEle", true},       {"MmPageSet", true},    {"MmEdit", true},
      {"TbZoomIn", true},     {"TbZoomOut", true},   {"MmPageSize", true},   {"TbUndo", false},
      {"TbRedo", false},      {"TbDel", false},      {"TbCut", false},       {"TbCopy", false},
      {"TbStepUp", false},    {"TbSideUp", false},   {"TbStTxt", true},      {"TbLine", true},
      {"MmStTxt", true},      {"MmCopyAll", true},   {"TbComWrt", true},     {"TbPrePg", false},
      {"TbNextPg", false},    {"MmBuzzerSet", true}, {"MmMovTop", false},    {"MmMultiCopy", false},
      {"PopSelAll", false},   {"PopDel", false},     {"PopUndo", false},     {"MmPasteAll", false},
      {"TbPaste", false},     {"tbPointTo!", true},  {"MmPgSize400!", true}, {"TbText", false},
      {"TbState_Box", false}, {"TbFont_Box", false}}},
    {"OneSelected",
     [](CmdStateTest& t) { t.DrawWith("TbVal", t.At(2, 2), t.At(30, 12)); },
     {{"TbDel", true},
      {"TbCut", true},
      {"TbCopy", true},
      {"MmDel", true},
      {"PopDel", true},
      {"TbStepUp", true},
      {"TbSideUp", false},
      {"MmMovTop", true},
      {"MmMovDn", true},
      {"MmMultiCopy", true},
      {"PopSelAll", true},
      {"MmCopyAll", false},
      {"PopUndo", true},
      {"TbUndo", true},
      {"TbFont_Box", true},
      {"TbFont_Lab", true},
      {"TbText", false},
      {"TbMemo", false},
      {"TbLeftSide", true}}},
    {"TwoSelected",
     [](CmdStateTest& t) {
         t.DrawWith("TbStTxt", t.At(2, 2), t.At(30, 12));
         t.DrawWith("TbStTxt", t.At(40, 2), t.At(60, 12));
         t.Trigger("tbPointTo");
         t.Click(t.At(5, 5), Qt::ShiftModifier);
     },
     {{"TbSideUp", true},
      {"TbSideRight", true},
      {"MmMovTop", false},
      {"MmMultiCopy", false},
      {"TbDel", true},
      {"TbStepUp", true},
      {"TbText", false},
      {"TbLeftSide", false},
      {"TbState_Box", false}}},
    {"StateObject",
     [](CmdStateTest& t) { t.DrawWith("TbBtn", t.At(2, 2), t.At(30, 12)); },
     {{"TbState_Box", true}, {"TbState_Lab", true}, {"TbText!", true}, {"TbMemo", true}, {"TbFont_Box", true}}},
    {"Zoom16",
     [](CmdStateTest&) { Main()->MmPgSizeClick(16); },
     {{"TbZoomIn", false}, {"TbZoomOut", true}, {"Mm1600!", true}, {"MmPgSize400!", false}}},
    {"Zoom1",
     [](CmdStateTest&) { Main()->MmPgSizeClick(1); },
     {{"TbZoomIn", true}, {"TbZoomOut", false}, {"MmPgSize100!", true}}},
    {"UndoneOnce",
     [](CmdStateTest& t) {
         t.DrawWith("TbStTxt", t.At(2, 2), t.At(30, 12));
         t.Trigger("TbUndo");
     },
     {{"TbUndo", false}, {"MmUndo", false}, {"PopUndo", false}, {"TbRedo", true}, {"MmRedo", true}, {"PopRedo", true}}},
    {"ObjectsOnClipboard",
     [](CmdStateTest& t) { t.PutOnClipboard(Main()->ClipFmtObjects); },
     {{"TbPaste", true}, {"MmPaste", true}, {"PopPaste", true}, {"MmPasteAll", false}}},
    {"PageOnClipboard",
     [](CmdStateTest& t) { t.PutOnClipboard(Main()->ClipFmtPage); },
     {{"TbPaste", false}, {"MmPasteAll", true}, {"PopPaste", false}}},
    {"PageOnClipboardWithSelection",
     [](CmdStateTest& t) {
         t.PutOnClipboard(Main()->ClipFmtPage);
         t.DrawWith("TbStTxt", t.At(2, 2), t.At(30, 12));
     },
     {{"MmPasteAll", false}, {"MmCopyAll", false}}},
    {"TwoPagesOnTheSecond",
     [](CmdStateTest& t) { t.Trigger("TbAddPg"); },
     {{"TbPrePg", true}, {"TbNextPg", false}, {"TbUndo", false}}},
    {"UserMenuPages",
     [](CmdStateTest&) { Main()->View.EditMode = kes::Editing::UserMenu; },
     {{"TbAddPg", false}, {"MmEle", false}, {"MmCompile", false}, {"MmSave", true}}},
};

INSTANTIATE_TEST_SUITE_P(States, CmdStateTable, ::testing::ValuesIn(kStates),
                         [](const auto& info) { return std::string(info.param.state); });

TEST_F(CmdStateTest, ToolsAndLineStylesFollowTheClickedButtons)
{
    NewProject();
    AllBuilt();
    Trigger("TbRect");
    EXPECT_EQ(CurPage()->ToolKind(), 17);
    EXPECT_EQ(CurPage()->ToolSubType(), 2);
    EXPECT_FALSE(Main()->Action("tbPointTo")->isChecked());
    Trigger("TbStTxt");
    EXPECT_EQ(CurPage()->ToolKind(), 1);
    EXPECT_EQ(CurPage()->ToolSubType(), 0);
    EXPECT_TRUE(Main()->Action("TbStTxt")->isChecked());
    Trigger("tbPointTo");
    EXPECT_EQ(CurPage()->ToolKind(), 0);
    EXPECT_TRUE(Main()->Action("tbPointTo")->isChecked());

    // The dotted style is always one pixel wide; a width button returns to solid lines.
    Trigger("TbTLine");
    Trigger("TbDot");
    EXPECT_EQ(Main()->LineWidth, 1);
    EXPECT_EQ(Main()->LinePattern, 2);
    Trigger("TbDLine");
    EXPECT_EQ(Main()->LineWidth, 2);
    EXPECT_EQ(Main()->LinePattern, 0);
    // A figure drawn now takes the pen; clicking it shows its pen again.
    TLxObj* fig = DrawWith("TbRect", At(2, 2), At(30, 20));
    ASSERT_NE(fig, nullptr);
    EXPECT_EQ(fig->Picture.Canvas()->Pen.Width, 2);
    Trigger("tbPointTo");
    Click(At(100, 50));
    Trigger("TbSLine");
    EXPECT_EQ(fig->Picture.Canvas()->Pen.Width, 2) << "only the selected figures take a new style";
    Click(QPoint(fig->Left + fig->Width / 2, fig->Top + fig->Height / 2));
    EXPECT_TRUE(Main()->Action("TbDLine")->isChecked());
    EXPECT_EQ(Main()->LineWidth, 2);
}

TEST_F(CmdStateTest, ObjectToolsRefuseWhenTooManyLinkedRecordsAreInUse)
{
    NewProject(3);
    AllBuilt();
    for (int i = 0; i < 69; ++i)
        Page().Data().AddPgJump(Main()->Doc) ? void() : Main()->Doc.SysPgJumps.push_back(PgJmpRec{});
    Main()->Action("TbStTxt")->trigger();
    EXPECT_EQ(Page().ToolKind(), 0) << "the tool button refuses";
    EXPECT_FALSE(prompt.shown.empty());
    Main()->Action("MmStTxt")->trigger();
    EXPECT_EQ(Page().ToolKind(), 0) << "the menu refuses as well";
}

TEST_F(CmdStateTest, ThePagePopupTranslatesAndShowsTheSettingsInUse)
{
    NewProject();
    Page().Data().AddPgJump(Main()->Doc);
    Page().Data().PgHide.Hide = 1;
    Main()->Doc.LangIndex = LangCht;
    Page().PgPopMmPopup();
    EXPECT_EQ(Page().Pop("PopUndo")->text(), QStringLiteral("復原(&U)"));
    EXPECT_EQ(Page().Pop("ChkHideSet")->text(), QStringLiteral("隱藏畫面(&I)"));
    EXPECT_TRUE(Page().Pop("PopPgJump")->isChecked());
    EXPECT_TRUE(Main()->Action("MmPgJump")->isChecked());
    EXPECT_TRUE(Page().Pop("ChkHideSet")->isChecked());
    EXPECT_TRUE(Main()->Action("MmHide")->isChecked());
    EXPECT_FALSE(Page().Pop("PopBuzzerSet")->isChecked());
    EXPECT_FALSE(Main()->Action("MmFunKeyEt")->isChecked());
    EXPECT_EQ(Page().windowTitle(), QStringLiteral("0:")) << "the page keeps its caption";
    Main()->Doc.LangIndex = LangEng;
}

TEST_F(CmdStateTest, ASettingsCommandCanBeChosenOnlyWhileItsDialogIsBuilt)
{
    NewProject();
    AllBuilt();
    int runs = 0;
    prompt.onExec = [&](QDialog& d) {
        ++runs;
        d.reject();
    };
    for (const bool built : {false, true}) {
        SCOPED_TRACE(built);
        Main()->Forms.Register("TPgJump",
                               built ? FormMaker([](QWidget* owner) { return new QDialog(owner); }) : FormMaker());
        Main()->SetItemEnabled("MmPgJump", true);
        Page().SetPopEnabled("PopPgJump", true);
        EXPECT_EQ(Main()->Action("MmPgJump")->isEnabled(), built);
        EXPECT_EQ(Page().Pop("PopPgJump")->isEnabled(), built);
    }
    Trigger("MmPgJump");
    EXPECT_EQ(runs, 1);
    prompt.onExec = nullptr;
}

} // namespace
} // namespace kes::test
