#pragma once
// Shared by the inspector tests: a model over the shipped data (controller 87: words D0..,
// default word address D0 = 4000), a stand-in for the editor that selects one object, and
// an inspector that shows it, with every message and dialog answered by the test.
#include "app/inspector/inspectorsource.h"
#include "app/inspector/tdlgprop.h"
#include "app/model/lxtypecore.h"
#include "app/model/projectstate.h"
#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"
#include "objects/tlxobj.h"
#include "platform/bytes.h"
#include "platform/codepage.h"
#include "platform/fileio.h"

#include <QApplication>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace kes::test {

inline std::string BinDir() { return std::string(KES_BIN_DIR) + "/"; }

// The editor as the inspector sees it: one current object, a selection count, a client area.
class FakeSource : public InspectorSource {
public:
    Editing mode = Editing::Pages;
    TLxObj* cur = nullptr;
    int selCount = 1;
    QSize client{512, 256};
    int changed = 0;
    int modified = 0;
    int textClicks = 0;

    Editing EditMode() const override { return mode; }
    TLxObj* CurObj() const override { return cur; }
    int SelCount() const override { return selCount; }
    QSize EditorClientSize() const override { return client; }
    void ObjChanged(TLxObj&) override { ++changed; }
    void MarkModified() override { ++modified; }
    void TbTextClick() override { ++textClicks; }

    // The page as an undo step would keep it; steps counts the writes that changed it.
    std::function<Bytes()> pageState;
    Bytes noted;
    int steps = 0;
    void BeforeChange() override { noted = pageState ? pageState() : Bytes{}; }
    bool AfterChange() override
    {
        if (pageState && pageState() != noted)
            ++steps;
        return true;
    }

    PageData* page = nullptr;
    int pages = 0;
    // The address picker's answer; empty: cancelled.
    std::function<bool(AddressPick&)> pick;
    PageData* Page() const override { return page; }
    int PageCount() const override { return pages; }
    bool PickAddress(QWidget*, LxTypeCore&, AddressPick& io) override { return pick && pick(io); }
};

// A main window whose centre shows obj alone on a page at zoom 4 (at x, y in panel pixels)
// and whose left dock holds an inspector showing obj, asking through prompt.
class DockedWindow {
public:
    DockedWindow(LxTypeCore& model, Prompt& prompt, FakeSource& source, TLxObj& obj, int x = 40, int y = 20)
        : page(128 * 4, 64 * 4)
    {
        obj.SetObjSize(4);
        obj.Left = 4 * x;
        obj.Top = 4 * y;
        obj.RecordSelRgn();
        obj.BmpRePaint();
        TCanvas view(&page.Image(), TPoint{obj.Left, obj.Top}, TRect{0, 0, obj.Width, obj.Height});
        obj.Paint(view);

        win.setWindowTitle(QStringLiteral("Kestrova"));
        auto* pageView = new QLabel;
        pageView->setPixmap(QPixmap::fromImage(page.Image()));
        pageView->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        pageView->setStyleSheet(QStringLiteral("background: #808080; padding: 8px"));
        win.setCentralWidget(pageView);
        dock = new TDlgProp(&win, prompt, model);
        dock->SetSource(&source);
        win.addDockWidget(Qt::LeftDockWidgetArea, dock);
        win.resize(900, 560);
        win.show();
        source.client = page.Image().size();
        source.cur = &obj;
        dock->FormShow();
        QApplication::processEvents();
    }
    TAdvStringGrid& Grid() { return *dock->AdvStrGrid; }
    // Clicks the cell of grid line row, column col (at its left).
    void Click(int col, int row)
    {
        QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {}, Grid().CellRect(col, row).topLeft() + QPoint(8, 8));
        QApplication::processEvents();
    }
    // Saves the window as a picture when the environment variable names a file; false when
    // that fails.
    bool Save(const QString& file) { return file.isEmpty() || win.grab().save(file); }

    TBitmap page;
    QMainWindow win;
    TDlgProp* dock = nullptr;
};

class InspectorTest : public ::testing::Test {
protected:
    InspectorTest() : cp(1252)
    {
        SetAppDir(BinDir());
        state.AppDir = BinDir();
        state.LangIndex = LangEng;
        state.MachineId = 87;
        model = std::make_unique<LxTypeCore>(state);
        model->LoadMachineList();
        model->LoadModelList();
        model->SelectMachine();
        LoadMessageTable(LangEng);
        dlg = std::make_unique<TDlgProp>(nullptr, prompt, *model);
        dlg->SetSource(&source);
        dlg->resize(343, 528);
        dlg->show();
    }
    ~InspectorTest() override { dlg.reset(); }

    // Makes obj the selected object and refreshes the inspector, as the editor does.
    void Select(TLxObj* obj, int selCount = 1)
    {
        source.cur = obj;
        source.selCount = selCount;
        dlg->FormShow();
    }
    TAdvStringGrid& Grid() { return *dlg->AdvStrGrid; }
    // The grid line that shows list row i (-1 when hidden).
    int Line(int row)
    {
        for (int i = 0; i < Grid().VisibleCount(); ++i)
            if (Grid().VisibleProp(i) == Grid().Prop(row))
                return i;
        return -1;
    }
    QRect Cell(int row, int col = 1) { return Grid().CellRect(col, Line(row)); }
    void Click(const QPoint& p) { QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {}, p); }
    void ClickValue(int row) { Click(Cell(row).topLeft() + QPoint(4, 4)); }
    // Upper or lower half of the value cell's button zone.
    void ClickZone(int row, bool upper = true)
    {
        const QRect c = Cell(row);
        Click(QPoint(c.right() - 8, upper ? c.top() + 3 : c.bottom() - 3));
    }
    void OpenPositionGroup()
    {
        if (!static_cast<TPropParent*>(Grid().Prop(0))->Expanded)
            Click(Cell(0, 0).topLeft() + QPoint(8, 8));
    }
    // Types text into the in-place editor of row and presses Enter.
    void Type(int row, const QString& text)
    {
        ClickValue(row);
        ASSERT_TRUE(dlg->EdtTxt->isVisible()) << "no editor on row " << row;
        dlg->EdtTxt->setText(text);
        QTest::keyClick(dlg->EdtTxt, Qt::Key_Return);
    }
    // The font dialog, when it opens, answers with its font at that point size.
    void AnswerFontSize(int pointSize)
    {
        prompt.onExec = [pointSize](QDialog& d) {
            auto& fonts = dynamic_cast<QFontDialog&>(d);
            QFont f = fonts.currentFont();
            f.setPointSize(pointSize);
            fonts.setCurrentFont(f);
            fonts.accept();
        };
    }
    // Chooses item of the drop-down list of row.
    void Choose(int row, int item)
    {
        ClickZone(row);
        ASSERT_TRUE(dlg->DropList->isVisible()) << "no list on row " << row;
        dlg->DropListClick(item);
    }

    ScopedCodePage cp;
    ScriptedPrompt prompt;
    ProjectState state;
    std::unique_ptr<LxTypeCore> model;
    FakeSource source;
    std::unique_ptr<TDlgProp> dlg;
};

} // namespace kes::test
