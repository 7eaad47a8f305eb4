// The commands that act on the selection without the mouse. Re-stacking changes only the
// order of the page's objects (which is their paint and record order) and only among the
// objects that overlap the current one; aligning brings the selection to the extreme edge;
// a step moves by one panel pixel of the page's own zoom and never off the page. None of
// them records an undo step, but each marks the project modified, and the history keeps
// whole pages, so undo and redo bring back exactly the pages they recorded. The text
// position, picture and hide commands change only the fields their object kind has.
#include "editortest.h"

#include "app/ui/msgtable.h"
#include "objects/tactbmp.h"
#include "objects/tlight.h"
#include "objects/tlxgetval.h"
#include "objects/tlxval.h"
#include "objects/tsttxt.h"

#include <QAction>
#include <QBuffer>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QMenu>
#include <QTemporaryDir>

#include <functional>

namespace kes::test {
namespace {

class OrderCmdTest : public EditorTest {
protected:
    // A overlaps B, B overlaps C, A and C lie apart; drawn in that order (A at the bottom).
    void ThreeOverlapping()
    {
        a = DrawWith("TbStTxt", At(10, 10), At(40, 30));
        // Drawn from its far corner: a press on A would select A.
        b = DrawWith("TbStTxt", At(60, 40), At(30, 20));
        c = DrawWith("TbStTxt", At(50, 5), At(80, 25));
        ASSERT_TRUE(a && b && c);
        Trigger("tbPointTo");
    }
    // A point of each object that lies in no other.
    QPoint Only(const TLxObj* o) const { return o == a ? At(12, 12) : o == b ? At(45, 38) : At(75, 8); }
    std::string Order() const
    {
        std::string s;
        for (const TLxObj* o : Page().Data().ObjList)
            s += o == a ? 'A' : o == b ? 'B' : o == c ? 'C' : '?';
        return s;
    }
    // Each object's bounds in panel pixels: left, top, width, height.
    std::vector<std::array<int, 4>> Bounds() const
    {
        std::vector<std::array<int, 4>> out;
        for (const TLxObj* o : {a, b, c})
            out.push_back({o->Left / StepX(), o->Top / StepY(), o->Width / StepX(), o->Height / StepY()});
        return out;
    }
    TLxObj* a = nullptr;
    TLxObj* b = nullptr;
    TLxObj* c = nullptr;
};

TEST_F(OrderCmdTest, ZOrderCommandsReorderOnlyAmongOverlappingObjects)
{
    struct Case {
        const char* command;
        char current;
        const char* order;
    } cases[] = {
        {"MmMovTop", 'A', "BCA"}, {"MmMovbutton", 'C', "CAB"}, {"MmMoveUp", 'A', "BAC"}, {"MmMoveUp", 'B', "ACB"},
        {"MmMoveUp", 'C', "ABC"}, {"MmMovDn", 'C', "ACB"},     {"MmMovDn", 'B', "BAC"},  {"MmMovDn", 'A', "ABC"},
    };
    NewProject();
    ASSERT_NO_FATAL_FAILURE(ThreeOverlapping());
    for (const Case& t : cases) {
        SCOPED_TRACE(std::string(t.command) + " " + t.current);
        // Back to A, B, C from the bottom.
        Page().Data().ObjList = {a, b, c};
        TLxObj* current = t.current == 'A' ? a : t.current == 'B' ? b : c;
        Click(Only(current));
        ASSERT_EQ(Page().Data().CurObj, current);
        Main()->Doc.Modified = 0;
        const std::size_t steps = Page().UndoList().size();
        Trigger(t.command);
        EXPECT_EQ(Order(), t.order);
        EXPECT_EQ(Main()->Doc.Modified, std::string(t.order) != "ABC" ? 1 : 0) << "modified exactly when it changed";
        EXPECT_EQ(Page().UndoList().size(), steps) << "no step of its own";
        EXPECT_TRUE(prompt.shown.empty());
    }
    // The page popup's items do the same.
    Page().Data().ObjList = {a, b, c};
    Click(Only(a));
    Page().PgPopMmPopup();
    Page().Pop("MmMovTop")->trigger();
    EXPECT_EQ(Order(), "BCA");
}

TEST_F(OrderCmdTest, AlignmentBringsTheSelectionToTheExtremeEdge)
{
    NewProject();
    // Tops 40, 16, 24; bottoms 50, 24, 44; lefts 10, 40, 90; rights 30, 70, 100.
    a = DrawWith("TbStTxt", At(10, 40), At(30, 50));
    b = DrawWith("TbStTxt", At(40, 16), At(70, 24));
    c = DrawWith("TbStTxt", At(90, 24), At(100, 44));
    ASSERT_TRUE(a && b && c);
    Trigger("tbPointTo");
    const auto start = Bounds();
    struct Case {
        const char* button;
        std::array<int, 3> lefts;
        std::array<int, 3> tops;
    } cases[] = {
        {"TbSideUp", {10, 40, 90}, {16, 16, 16}},
        {"TbSideDown", {10, 40, 90}, {40, 42, 30}},
        {"TbSideLeft", {10, 10, 10}, {40, 16, 24}},
        {"TbSideRight", {80, 70, 90}, {40, 16, 24}},
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(t.button);
        int i = 0;
        for (TLxObj* o : {a, b, c}) {
            o->Left = start[i][0] * StepX();
            o->Top = start[i][1] * StepY();
            o->RecordSelRgn();
            ++i;
        }
        Trigger("MmSelAll");
        Main()->Doc.Modified = 0;
        const std::size_t steps = Page().UndoList().size();
        Trigger(t.button);
        const auto now = Bounds();
        for (std::size_t k = 0; k < 3; ++k) {
            EXPECT_EQ(now[k][0], t.lefts[k]) << "left of object " << k;
            EXPECT_EQ(now[k][1], t.tops[k]) << "top of object " << k;
            EXPECT_EQ(now[k][2], start[k][2]) << "sizes stay";
        }
        EXPECT_TRUE((a->SelCorners[0] == TPoint{a->Left, a->Top})) << "the outline follows";
        EXPECT_EQ(Main()->Doc.Modified, 1);
        EXPECT_EQ(Page().UndoList().size(), steps);
    }
}

TEST_F(OrderCmdTest, TheHistoryRestoresOrderAndPlacesAroundUnrecordedCommands)
{
    NewProject();
    ASSERT_NO_FATAL_FAILURE(ThreeOverlapping());
    const Bytes beforeC = [&] {
        // The page as it was when C was drawn: A and B at their places.
        THmPage& p = Page();
        TObjList two{a, b};
        Bytes out;
        const int n = PgDataChx(p.Data(), out, 0, 1, &two, p.EncodeEnv());
        out.resize(static_cast<std::size_t>(n));
        return out;
    }();
    Click(Only(a));
    Trigger("MmMovTop");
    Trigger("MmSelAll");
    Trigger("TbSideUp");
    const Bytes changed = StoredPage();

    Trigger("MmUndo");
    EXPECT_EQ(StoredPage(), beforeC) << "undo gives the page of the last recorded step";
    Trigger("MmRedo");
    EXPECT_EQ(StoredPage(), changed) << "redo gives the re-stacked, aligned page";
}

TEST_F(OrderCmdTest, StepButtonsMoveOnePanelPixelAndStayOnThePage)
{
    NewProject();
    TLxObj* o = DrawWith("TbStTxt", At(0, 0), At(20, 10));
    ASSERT_NE(o, nullptr);
    Trigger("tbPointTo");
    Click(At(5, 5));
    const int right = Page().ClientWidth() - o->Width;
    const int bottom = Page().ClientHeight() - o->Height;
    struct Case {
        const char* button;
        QPoint from; // screen pixels
        QPoint to;
    } cases[] = {
        {"TbStepUp", {0, 0}, {0, 0}},
        {"TbStepLeft", {0, 0}, {0, 0}},
        {"TbStepDown", {0, 0}, {0, StepY()}},
        {"TbStepRight", {0, 0}, {StepX(), 0}},
        {"TbStepRight", {right, 0}, {right, 0}},
        {"TbStepDown", {0, bottom}, {0, bottom}},
        // Off the panel-pixel grid (moved by another zoom): held at the edge, not past it.
        {"TbStepUp", {0, 1}, {0, 0}},
        {"TbStepDown", {0, bottom - 1}, {0, bottom}},
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(std::string(t.button) + " from " + std::to_string(t.from.x()) + "," + std::to_string(t.from.y()));
        o->Left = t.from.x();
        o->Top = t.from.y();
        Main()->Doc.Modified = 0;
        Trigger(t.button);
        EXPECT_EQ(QPoint(o->Left, o->Top), t.to);
        EXPECT_EQ(Main()->Doc.Modified, 1);
    }
    // The step is the page's own zoom.
    Main()->MmPgSizeClick(2);
    ASSERT_EQ(Page().Data().Zoom, 2);
    o = Page().Data().ObjList.front();
    o->Left = 0;
    Click(QPoint(o->Left + 1, o->Top + 1));
    Trigger("TbStepRight");
    EXPECT_EQ(o->Left, 2 * Page().Data().GridWidth);
}

TEST_F(OrderCmdTest, TextPositionsGoToTheFieldsTheKindHas)
{
    NewProject();
    auto* txt = dynamic_cast<TStTxt*>(DrawWith("TbStTxt", At(2, 2), At(30, 12)));
    auto* val = dynamic_cast<TLxVal*>(DrawWith("TbVal", At(40, 2), At(70, 12)));
    auto* entry = dynamic_cast<TLxGetVal*>(DrawWith("TbInputVal", At(80, 2), At(110, 12)));
    auto* lamp = dynamic_cast<TLight*>(DrawWith("TbLighter", At(2, 20), At(30, 40)));
    ASSERT_TRUE(txt && val && entry && lamp);
    Trigger("tbPointTo");
    // mode: which of the text and picture buttons is down before the command.
    struct Case {
        const char* name;
        TLxObj* obj;
        const char* mode;
        const char* button;
        std::function<int()> field;
        int expected;
    } cases[] = {
        {"text right", txt, "", "TbRightSide", [&] { return txt->TxtHPos; }, 1},
        {"text bottom", txt, "", "TbBottomSide", [&] { return txt->TxtVPos; }, 1},
        {"display centred", val, "", "TbHMid", [&] { return val->HPos; }, 2},
        {"display keeps its vertical place", val, "", "TbTopSide", [&] { return val->VPos; }, 2},
        {"entry top", entry, "", "TbTopSide", [&] { return entry->VPos; }, 0},
        {"entry right", entry, "", "TbRightSide", [&] { return entry->HPos; }, 1},
        {"lamp text", lamp, "TbText", "TbRightSide", [&] { return lamp->TxtHPos; }, 1},
        {"lamp picture", lamp, "TbBmp", "TbBottomSide", [&] { return lamp->BmpVPos; }, 1},
        {"lamp with neither: text unchanged", lamp, "none", "TbHMid", [&] { return lamp->TxtHPos; }, 0},
        {"lamp with neither: picture unchanged", lamp, "none", "TbHMid", [&] { return lamp->BmpHPos; }, 0},
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(t.name);
        lamp->TxtHPos = lamp->TxtVPos = lamp->BmpHPos = lamp->BmpVPos = 0;
        Click(QPoint(t.obj->Left + 2, t.obj->Top + 2));
        ASSERT_EQ(Page().Data().CurObj, t.obj);
        Main()->Action("TbText")->setChecked(std::string(t.mode) == "TbText");
        Main()->Action("TbBmp")->setChecked(std::string(t.mode) == "TbBmp");
        Main()->Doc.Modified = 0;
        // Some of these are not offered for the kind; the command itself must still hold.
        Main()->Action(t.button)->setEnabled(true);
        Trigger(t.button);
        EXPECT_EQ(t.field(), t.expected);
        EXPECT_EQ(Main()->Doc.Modified, 1);
    }
}

TEST_F(OrderCmdTest, PictureLoadsIntoTheChosenStateOnly)
{
    NewProject();
    auto* act = dynamic_cast<TActBmp*>(DrawWith("TbActBmp", At(2, 2), At(30, 20)));
    ASSERT_NE(act, nullptr);
    Trigger("tbPointTo");
    Click(At(4, 4));
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("pic.bmp"));
    QImage img(12, 6, QImage::Format_RGB32);
    img.fill(Qt::black);
    ASSERT_TRUE(img.save(file, "BMP"));
    prompt.onExec = [&](QDialog& d) {
        auto& files = dynamic_cast<QFileDialog&>(d);
        files.selectFile(file);
        static_cast<QDialog&>(files).accept();
    };
    auto* box = qobject_cast<QComboBox*>(Main()->ToolWidget("TbState_Box"));
    ASSERT_NE(box, nullptr);
    ASSERT_GE(act->TotalState, 2);
    const int before = act->StateBmp(1)->Width();

    box->setCurrentIndex(-1);
    Main()->Doc.Modified = 0;
    Main()->Action("TbBmpRead")->setEnabled(true);
    Trigger("TbBmpRead");
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0], Msg(64));
    EXPECT_EQ(act->StateBmp(1)->Width(), before);
    EXPECT_EQ(Main()->Doc.Modified, 0);

    box->setCurrentIndex(1);
    Trigger("TbBmpRead");
    EXPECT_EQ(act->CurPt, 1);
    EXPECT_EQ(act->StateBmp(1)->Width(), 12);
    EXPECT_EQ(Main()->Doc.Modified, 1);
}

// A file that is no picture it can read leaves the state's picture as it was, and is said.
TEST_F(OrderCmdTest, APictureFileThatDoesNotReadIsSaidAndChangesNothing)
{
    NewProject();
    auto* act = dynamic_cast<TActBmp*>(DrawWith("TbActBmp", At(2, 2), At(30, 20)));
    ASSERT_NE(act, nullptr);
    Trigger("tbPointTo");
    Click(At(4, 4));
    QTemporaryDir dir;
    QImage img(12, 6, QImage::Format_RGB32);
    img.fill(Qt::black);
    QByteArray whole;
    QBuffer buffer(&whole);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly) && img.save(&buffer, "BMP"));
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"text", "no picture at all"},
        {"empty", ""},
        {"a picture cut after its header", whole.left(40)},
    };
    auto* box = qobject_cast<QComboBox*>(Main()->ToolWidget("TbState_Box"));
    ASSERT_NE(box, nullptr);
    box->setCurrentIndex(1);
    Main()->Action("TbBmpRead")->setEnabled(true);
    const std::string before = PictureToText(*act->StateBmp(1));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = dir.filePath(QStringLiteral("pic.bmp"));
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(c.bytes);
        f.close();
        prompt.onExec = [&](QDialog& d) {
            auto& files = dynamic_cast<QFileDialog&>(d);
            files.selectFile(file);
            static_cast<QDialog&>(files).accept();
        };
        prompt.shown.clear();
        Trigger("TbBmpRead");
        ASSERT_EQ(prompt.shown.size(), 1u);
        EXPECT_TRUE(prompt.shown[0].startsWith(Msg(944))) << prompt.shown[0].toStdString();
        EXPECT_TRUE(prompt.shown[0].contains(file));
        EXPECT_EQ(PictureToText(*act->StateBmp(1)), before);
    }
}

TEST_F(OrderCmdTest, HideTogglesThePageFlagAndBothMarks)
{
    NewProject();
    QAction* main = Main()->Action("MmHide");
    QAction* pop = Page().Pop("ChkHideSet");
    for (const bool hidden : {true, false, true}) {
        SCOPED_TRACE(hidden);
        Main()->Doc.Modified = 0;
        // From the menu bar and from the page popup in turn.
        (hidden ? main : pop)->trigger();
        EXPECT_EQ(Page().Data().PgHide.Hide, hidden ? 1 : 0);
        EXPECT_EQ(main->isChecked(), hidden);
        EXPECT_EQ(pop->isChecked(), hidden);
        EXPECT_EQ(Main()->Doc.Modified, 1);
    }
}

} // namespace
} // namespace kes::test
