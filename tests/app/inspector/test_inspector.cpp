// The inspector shows the rows of the one selected object and writes every edit back to it
// at once: position and size in panel pixels (never growing an object the user did not
// resize), choices from drop-down lists, spin buttons and typed values within their limits;
// a value it can not take is refused with a message, and each write marks the project
// modified. Static texts and numeric displays are read and written in full.
#include "inspectortest.h"

#include "app/inspector/inspectorkinds.h"

#include "objects/tlxval.h"
#include "objects/tstbmp.h"
#include "objects/tsttxt.h"

#include "app/inspector/propdb.h"
#include "objects/valformat.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontDialog>
#include <QLabel>
#include <QMainWindow>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <filesystem>

using namespace kes;
using kes::test::BinDir;
using kes::test::InspectorTest;

namespace {

// A new object of the kind.
std::unique_ptr<TLxObj> MakeKind(int kind) { return NewObjOfKind(*KindOfCode(kind)); }

} // namespace

TEST_F(InspectorTest, ShowsOnlyOneObjectOfAnEditedPage)
{
    TLxVal val;
    auto geom = MakeKind(17);
    struct Case {
        const char* what;
        kes::Editing mode;
        TLxObj* obj;
        int selected;
        bool shown;
    } cases[] = {
        {"nothing selected", kes::Editing::Pages, nullptr, 0, false},
        {"one object", kes::Editing::Pages, &val, 1, true},
        {"two objects", kes::Editing::Pages, &val, 2, false},
        {"a geometric figure", kes::Editing::Pages, geom.get(), 1, false},
        {"a user-menu page", kes::Editing::UserMenu, &val, 1, false},
        {"the start-up screen", kes::Editing::StartScreen, &val, 1, true},
    };
    for (const Case& c : cases) {
        source.mode = c.mode;
        Select(c.obj, c.selected);
        EXPECT_EQ(Grid().isVisible(), c.shown) << c.what;
        EXPECT_EQ(dlg->ShownObj, c.shown ? c.obj : nullptr) << c.what;
        EXPECT_EQ(Grid().PropCount() > 0, c.shown) << c.what;
    }
    source.mode = kes::Editing::Pages;
    Select(&val);
    EXPECT_EQ(Grid().Row(), 0);
    EXPECT_EQ(Grid().Col(), 1);
    EXPECT_EQ(dlg->windowTitle(), "Object Inspector");
}

TEST_F(InspectorTest, EveryKindShowsTheRowsOfItsTable)
{
    for (ObjKind k : AllObjKinds()) {
        if (!InspectorKindOf(k).Shown)
            continue;
        const int kind = KindCode(k);
        auto obj = NewObjOfKind(k);
        Select(obj.get());
        const auto layout = ExpectedPropLayout(k);
        // A kind with a table reads and writes all of its rows; the others have the
        // position rows alone.
        const InspectorKind& entry = InspectorKindOf(k);
        EXPECT_EQ(entry.Table != nullptr, entry.Read != nullptr && entry.Write != nullptr) << "kind " << kind;
        ASSERT_EQ(Grid().PropCount(), static_cast<int>(layout.size())) << "kind " << kind;
        for (int i = 0; i < Grid().PropCount(); ++i)
            EXPECT_EQ(Grid().Prop(i)->PropType, layout[static_cast<std::size_t>(i)]) << "kind " << kind << " row " << i;
        EXPECT_TRUE(Grid().isVisible()) << "kind " << kind;
        // The position group starts closed: its caption line, then the kind's own rows.
        EXPECT_EQ(Grid().Cells(0, 0), "Position");
        EXPECT_GT(Grid().RowCount(), 0);
        EXPECT_EQ(prompt.shown.size(), 0u) << "kind " << kind;
        Select(nullptr);
    }
}

TEST_F(InspectorTest, CaptionsFollowTheLanguage)
{
    TLxVal val;
    Select(&val);
    const int rows = Grid().PropCount();
    const QString english = Grid().Prop(8)->Name;
    state.LangIndex = LangCht;
    Select(&val);
    EXPECT_EQ(Grid().PropCount(), rows);
    EXPECT_NE(Grid().Prop(8)->Name, english);
    EXPECT_EQ(static_cast<TPropVal*>(Grid().Prop(8))->GetValue(), val.RefStation);
    state.LangIndex = LangEng;
    LoadMessageTable(LangEng);
}

TEST_F(InspectorTest, PositionRowsInPanelPixels)
{
    TLxVal val;
    val.Left = 10;
    val.Top = 20;
    val.SetObjSize(2); // Left 20, Top 40, 96 x 32 screen pixels
    Select(&val);
    OpenPositionGroup();
    ASSERT_EQ(Grid().RowCount(), 5 + 11); // memory row hidden
    const auto value = [&](int row) { return static_cast<TPropVal*>(Grid().Prop(row))->GetValue(); };
    EXPECT_EQ(value(1), 10);
    EXPECT_EQ(value(2), 20);
    EXPECT_EQ(value(3), 48);
    EXPECT_EQ(value(4), 16);

    Type(1, "11");
    EXPECT_EQ(val.Left, 22);
    EXPECT_EQ(source.modified, 1);
    EXPECT_GE(source.changed, 1);
    EXPECT_GE(source.textClicks, 1);
    // Beyond the editing area: the object stops at the right edge (512 / 2 - 48 = 208).
    Type(1, "500");
    EXPECT_EQ(val.Left, 416);
    EXPECT_EQ(Grid().Cells(1, Line(1)), "208");
    // A size of one panel pixel is allowed.
    Type(3, "1");
    EXPECT_EQ(val.OWidth, 2);
    Type(4, "0");
    EXPECT_EQ(val.OHeight, 2);
    EXPECT_EQ(source.modified, 4);
}

TEST_F(InspectorTest, AnEditNeverMovesOrResizesWhatTheUserDidNotChange)
{
    TLxVal small; // smaller than the position rows could once show
    small.SetWidth(3);
    small.SetHeight(2);
    TLxVal past; // partly past the right and bottom edges of the 512 x 256 page
    past.Left = 500;
    past.Top = 250;
    for (TLxVal* val : {&small, &past}) {
        const int left = val->Left, top = val->Top, w = val->OWidth, h = val->OHeight;
        Select(val);
        Type(8, "7"); // station
        EXPECT_EQ(val->RefStation, 7);
        EXPECT_EQ(val->Left, left);
        EXPECT_EQ(val->Top, top);
        EXPECT_EQ(val->OWidth, w);
        EXPECT_EQ(val->OHeight, h);
    }
}

TEST_F(InspectorTest, SpinButtonsStepWithinTheLimits)
{
    TLxVal val;
    val.RefStation = 254;
    Select(&val);
    ClickZone(8, true);
    EXPECT_EQ(val.RefStation, 255);
    EXPECT_EQ(Grid().BtnPressed, 0); // released with the click
    ClickZone(8, true);
    EXPECT_EQ(val.RefStation, 255);
    ClickZone(8, false);
    EXPECT_EQ(val.RefStation, 254);
    EXPECT_EQ(source.modified, 3);
}

TEST_F(InspectorTest, DropDownListChoosesAValue)
{
    TLxVal val;
    Select(&val);
    // A click beside the button opens nothing.
    ClickValue(9);
    EXPECT_FALSE(dlg->DropList->isVisible());
    ClickZone(9);
    ASSERT_TRUE(dlg->DropList->isVisible());
    EXPECT_EQ(dlg->DropList->count(), 6);
    EXPECT_EQ(dlg->DropList->item(2)->text(), Msg(155));
    EXPECT_EQ(dlg->DropList->geometry().top(), Cell(9).bottom() + 1);
    EXPECT_EQ(Grid().BtnPressed, 1);
    dlg->DropListClick(2);
    EXPECT_EQ(val.ObjFrame, 2);
    EXPECT_FALSE(dlg->DropList->isVisible());
    EXPECT_EQ(Grid().BtnPressed, 0);
    EXPECT_EQ(Grid().Cells(1, Line(9)), Msg(155));
    EXPECT_EQ(source.modified, 1);

    // A long list is cut at the grid's bottom: room for two items below the format row.
    const int room = Grid().viewport()->height() - (Cell(13).bottom() + 1);
    dlg->resize(dlg->width(), dlg->height() - room + 40);
    QApplication::processEvents();
    ASSERT_LT(Cell(13).bottom(), Grid().viewport()->height());
    ClickZone(13);
    ASSERT_TRUE(dlg->DropList->isVisible());
    EXPECT_EQ(dlg->DropList->geometry().bottom(), Grid().viewport()->height() - 1);
}

TEST_F(InspectorTest, TypedNumbersAreClampedOrRefusedWithAMessage)
{
    TLxVal val;
    val.RefStation = 3;
    Select(&val);
    Type(8, "300");
    EXPECT_EQ(val.RefStation, 255);
    EXPECT_EQ(Grid().Cells(1, Line(8)), "255");
    EXPECT_FALSE(dlg->EdtTxt->isVisible());

    Type(8, "abc");
    EXPECT_EQ(val.RefStation, 255);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0], "Station Setting Error!!");
    EXPECT_TRUE(dlg->EdtTxt->isVisible()); // stays for a correction
    EXPECT_EQ(source.modified, 1);
}

TEST_F(InspectorTest, KindsWithoutATableShowTheirPositionOnly)
{
    // The square meter and the page number have no property table: their place and size.
    for (int kind : {10, 11}) {
        auto obj = MakeKind(kind);
        Select(obj.get());
        ASSERT_EQ(Grid().PropCount(), 5) << kind;
        EXPECT_EQ(prompt.shown.size(), 0u);
        OpenPositionGroup();
        Type(1, "3");
        EXPECT_EQ(obj->Left, 3 * obj->ObjSize * obj->GridWidth) << kind;
    }
    EXPECT_EQ(source.modified, 2);
}

TEST_F(InspectorTest, DeviceAddressGoesThroughTheCodec)
{
    TLxVal val;
    Select(&val);
    val.DevAddrCode = 0x4000 + 96; // D96 of the shipped controller 87
    dlg->ObjToProp();
    EXPECT_EQ(Grid().Cells(1, Line(6)), "D96");
    Type(6, "d100");
    EXPECT_EQ(val.DevAddrCode, 0x4064);
    EXPECT_EQ(val.DevText, "D100");
    EXPECT_EQ(Grid().Cells(1, Line(6)), "D100");
    // An address the controller lacks changes nothing and is refused with a message.
    Type(6, "Q5");
    EXPECT_EQ(val.DevAddrCode, 0x4064);
    EXPECT_EQ(Grid().Cells(1, Line(6)), "D100");
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown.back(), "Address " + Msg(5));
    prompt.shown.clear();

    // The panel-memory choice puts the first panel word in, and back the default word.
    auto& memory = *static_cast<TPropComboTxt*>(Grid().Prop(5));
    memory.ItemIndex = 1;
    dlg->PropToObj();
    EXPECT_EQ(val.RefIntMem, 1);
    EXPECT_EQ(val.DevAddrCode, 0x30000);
    EXPECT_EQ(val.DevText, "@V0");
    memory.ItemIndex = 0;
    dlg->PropToObj();
    EXPECT_EQ(val.RefIntMem, 0);
    EXPECT_EQ(val.DevAddrCode, model->DefWordCode);
    EXPECT_EQ(val.DevText, "D0");
}

TEST_F(InspectorTest, NumericDisplayDigitsFollowFormatAndWidth)
{
    TLxVal val;
    Select(&val);
    const auto combo = [&](int row) -> TPropComboTxt& { return *static_cast<TPropComboTxt*>(Grid().Prop(row)); };
    const auto spin = [&](int row) -> TPropVal& { return *static_cast<TPropVal*>(Grid().Prop(row)); };

    // Format 0, one word, 2 decimals: 1 to 3 integer digits; 4 integer digits: 0 to 1 decimals.
    val.DecNum = 2;
    val.IntNum = 3;
    dlg->ObjToProp();
    EXPECT_EQ(spin(15).GetMax(), 3);
    val.DecNum = 0;
    val.IntNum = 4;
    dlg->ObjToProp();
    EXPECT_EQ(spin(16).GetMax(), 1);

    // Two words in the same format keep the digits.
    combo(14).ItemIndex = 1;
    dlg->PropToObj();
    EXPECT_EQ(val.ValLen, 1);
    EXPECT_EQ(val.IntNum, 4);
    // Another format resets them: hexadecimal on two words has 8 digits, no decimals.
    combo(13).ItemIndex = 2;
    dlg->PropToObj();
    EXPECT_EQ(val.ValType, 2);
    EXPECT_EQ(val.IntNum, 8);
    EXPECT_EQ(val.DecNum, 0);
    EXPECT_FALSE(spin(16).IsVisible());
    combo(14).ItemIndex = 0;
    combo(13).ItemIndex = 0;
    dlg->PropToObj();
    EXPECT_EQ(val.IntNum, 5);

    // The seventh choice is the floating format: two words, width row hidden.
    combo(13).ItemIndex = 6;
    dlg->PropToObj();
    EXPECT_EQ(val.ValType, 7);
    EXPECT_EQ(val.ValLen, 1);
    EXPECT_EQ(combo(13).ItemIndex, 6);
    EXPECT_FALSE(combo(14).IsVisible());
    EXPECT_FALSE(combo(12).IsVisible());

    // A binary display keeps its bit count through an edit of another row.
    val.ValType = kes::FormatCode(kes::ValFormat::Binary);
    val.ValLen = 0;
    val.IntNum = 16;
    dlg->ObjToProp();
    Type(8, "9");
    EXPECT_EQ(val.IntNum, 16);
    EXPECT_EQ(val.RefStation, 9);
}

TEST_F(InspectorTest, StaticTextRowsAndTheFontDialog)
{
    TStTxt txt;
    txt.SetStatic_Txt({"Hello"}, TFont{});
    Select(&txt);
    EXPECT_EQ(Grid().Cells(1, Line(6)), Msg(159 + txt.TxtDir));
    EXPECT_EQ(Grid().Cells(1, Line(9)), "{Font:MS Sans Serif,8}");
    Choose(6, 1);
    EXPECT_EQ(txt.TxtDir, 1);
    Choose(7, 2);
    EXPECT_EQ(txt.TxtHPos, 2);
    Choose(8, 1);
    EXPECT_EQ(txt.TxtVPos, 1);

    // The font chosen in the dialog reaches the object's picture font.
    AnswerFontSize(14);
    ClickZone(9);
    EXPECT_EQ(prompt.execCount, 1);
    EXPECT_EQ(txt.Picture.Canvas()->Font.Size, 14);
    EXPECT_FALSE(txt.Picture.Canvas()->Font.Name.empty());
    EXPECT_TRUE(Grid().Cells(1, Line(9)).endsWith(",14}"));
    // A cancelled dialog changes nothing.
    prompt.onExec = nullptr;
    const int modified = source.modified;
    ClickZone(9);
    EXPECT_EQ(txt.Picture.Canvas()->Font.Size, 14);
    EXPECT_EQ(source.modified, modified);
}

TEST_F(InspectorTest, StaticPictureLoadsOnlyAnotherExistingFile)
{
    // A folder of this run's own: tests of other builds run at the same time.
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    const std::filesystem::path dir = temp.path().toStdString();
    std::filesystem::create_directories(dir);
    const QString file = QString::fromStdString((dir / "pic.bmp").string());
    QImage img(20, 10, QImage::Format_RGB32);
    img.fill(Qt::black);
    ASSERT_TRUE(img.save(file, "BMP"));

    TStBmp bmp; // a new picture has no file
    Select(&bmp);
    EXPECT_EQ(Grid().Cells(1, Line(5)), "[Bitmap]");
    prompt.onExec = [&](QDialog& d) {
        auto& files = dynamic_cast<QFileDialog&>(d);
        files.selectFile(file);
        static_cast<QDialog&>(files).accept();
    };
    ClickZone(5);
    EXPECT_EQ(bmp.Picture.Width(), 20);
    EXPECT_EQ(bmp.Picture.Height(), 10);
    EXPECT_EQ(bmp.FileName, QStringToAnsi(file));
    EXPECT_EQ(Grid().Cells(1, Line(5)), "[" + file + "]");

    // The same file again (changed on disk) or an edit of another row does not reload it.
    img = QImage(30, 30, QImage::Format_RGB32);
    img.fill(Qt::black);
    ASSERT_TRUE(img.save(file, "BMP"));
    OpenPositionGroup();
    Type(2, "3");
    EXPECT_EQ(bmp.Picture.Width(), 20);
    ClickZone(5);
    EXPECT_EQ(bmp.Picture.Width(), 20);
    // A file that no longer exists changes nothing.
    static_cast<TPropBmpDlg*>(Grid().Prop(5))->FileName = QString::fromStdString((dir / "gone.bmp").string());
    dlg->PropToObj();
    EXPECT_EQ(bmp.Picture.Width(), 20);
    EXPECT_EQ(bmp.FileName, QStringToAnsi(file));
    std::filesystem::remove_all(dir);
}

TEST_F(InspectorTest, DamagedTableIsRefusedWithAMessage)
{
    // A folder of this run's own: tests of other builds run at the same time.
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    const std::filesystem::path dir = temp.path().toStdString();
    std::filesystem::create_directories(dir);
    std::filesystem::copy_file(BinDir() + "objenu.mdb", dir / "objenu.mdb",
                               std::filesystem::copy_options::overwrite_existing);
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open((dir / "objenu.mdb").string().c_str(), &db), SQLITE_OK);
    // A row missing, a table gone, a value past the length bound.
    const std::string longValue = "UPDATE " + kes::PropTableName(kes::ObjKind::LxDevBmp) +
                                  " SET PropTxt = printf('%.*c', 5000, 'x') WHERE PropID = 1";
    sqlite3_exec(db, ("DELETE FROM ObjVal WHERE PropID = 17; DROP TABLE ObjTxt; " + longValue).c_str(), nullptr,
                 nullptr, nullptr);
    sqlite3_close(db);
    state.AppDir = dir.string() + "/";

    const struct {
        int kind;
        QString says; // besides the headline
    } cases[] = {
        {2, QString()},
        {1, QString()},
        {3, Msg(530).arg(kes::PropDbBounds().MaxValueBytes)},
    };
    for (const auto& c : cases) {
        auto obj = MakeKind(c.kind);
        Select(obj.get());
        EXPECT_FALSE(Grid().isVisible()) << c.kind;
        EXPECT_EQ(Grid().PropCount(), 0) << c.kind;
        EXPECT_EQ(dlg->ShownObj, nullptr) << c.kind;
        dlg->PropToObj(); // nothing to write, nothing touched
        ASSERT_FALSE(prompt.shown.empty());
        EXPECT_TRUE(prompt.shown.back().startsWith(Msg(307))) << prompt.shown.back().toStdString();
        EXPECT_TRUE(prompt.shown.back().endsWith(c.says)) << prompt.shown.back().toStdString();
        prompt.shown.clear();
    }
    EXPECT_EQ(source.modified, 0);
    state.AppDir = BinDir();
    std::filesystem::remove_all(dir);
}

TEST_F(InspectorTest, ColumnSplitterKeepsBothColumnsUsable)
{
    TLxVal val;
    Select(&val);
    auto* vp = Grid().viewport();
    const auto drag = [&](int from, int to) {
        QTest::mouseMove(vp, QPoint(from, 5));
        dlg->AdvStrGridMouseMove({}, from, 5);
        QTest::mousePress(vp, Qt::LeftButton, {}, QPoint(from, 5));
        dlg->AdvStrGridMouseMove({}, to, 5);
        QTest::mouseRelease(vp, Qt::LeftButton, {}, QPoint(to, 5));
    };
    Grid().SetColWidths(0, 25);
    const int right = Grid().ColWidths(1);
    drag(25, 10); // narrower than 26: no further left
    EXPECT_EQ(Grid().ColWidths(0), 25);
    drag(25, 60); // to the right still works
    EXPECT_EQ(Grid().ColWidths(0), 60);
    EXPECT_EQ(Grid().ColWidths(1), right - 35);
    EXPECT_FALSE(dlg->ColDrag);
}

// The inspector docked at the left of a main window whose centre shows a page with a
// selected numeric display. With KES_SCREENSHOT set the window is saved there as a picture.
TEST_F(InspectorTest, DockedBesideASelectedNumericDisplay)
{
    TLxVal val;
    val.DevAddrCode = 0x4000 + 100;
    kes::test::DockedWindow docked(*model, prompt, source, val);
    // Open the position group and make the frame row current, its list button showing.
    docked.Click(0, 0);
    docked.Click(1, 8);
    TAdvStringGrid& g = docked.Grid();

    EXPECT_FALSE(docked.dock->isFloating());
    EXPECT_TRUE(g.isVisible());
    EXPECT_EQ(g.RowCount(), 16);
    EXPECT_EQ(g.Cells(1, 1), "40");
    EXPECT_EQ(g.Cells(1, 5), "D100"); // the panel-memory row is hidden
    // The two columns fill the grid.
    EXPECT_LE(std::abs(g.ColWidths(0) + g.ColWidths(1) - g.viewport()->width()), 1);

    EXPECT_TRUE(docked.Save(QString::fromLocal8Bit(qgetenv("KES_SCREENSHOT"))));
}
