// The property grid shows exactly the rows whose IsVisible is true, in list order, writes
// each value cell by its row class, owns and frees its rows, and draws the boxes and
// buttons of a cell where its owner's editors expect them (the right 18 pixels).
#include "app/ui/tadvstringgrid.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

template <class R> R* Add(TAdvStringGrid& g, std::uint8_t type, const char* name, bool member = false)
{
    auto* row = static_cast<R*>(g.AppendProp(NewPropRow(type)));
    row->Name = name;
    if (member)
        row->Parent = static_cast<TPropParent*>(g.FindParent(row));
    return row;
}

// One cell drawn alone into a picture of its size.
QImage Draw(const TAdvStringGrid& g, int col, int row, bool current, int width = 120)
{
    QImage img(width, TAdvStringGrid::kRowHeight, QImage::Format_RGB32);
    img.fill(Qt::magenta);
    QPainter p(&img);
    g.DrawCell(p, col, row, img.rect(), current);
    return img;
}

bool Black(const QImage& img, int x, int y) { return img.pixel(x, y) == qRgb(0, 0, 0); }

} // namespace

TEST(PropGrid, EmptyGridShowsNothingAndRefusesCells)
{
    TAdvStringGrid g;
    EXPECT_FALSE(g.HasPropList());
    g.GetRowCount();
    EXPECT_EQ(g.RowCount(), 0);
    EXPECT_FALSE(g.SelectCell(1, 0));
    g.SetPropType(0);
    g.SetVisiblePropType(0);
    g.GridInitial();
    EXPECT_TRUE(g.HasPropList());
    EXPECT_FALSE(g.SelectCell(1, -1));
    EXPECT_FALSE(g.SelectCell(1, 0));
}

TEST(PropGrid, SetPropTypeKeepsTheFirstRows)
{
    TAdvStringGrid g;
    g.SetPropType(0);
    std::vector<TPropBase*> rows;
    for (int i = 0; i < 5; ++i)
        rows.push_back(Add<TPropText>(g, ptText, "r"));
    g.GridInitial();
    g.SetPropType(3);
    EXPECT_EQ(g.TotalPropType, 3);
    ASSERT_EQ(g.PropCount(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(g.Prop(i), rows[static_cast<std::size_t>(i)]);
    // The visible list no longer refers to the freed rows.
    for (int i = 0; i < g.VisibleCount(); ++i)
        EXPECT_NE(g.VisibleProp(i), rows[3]);
}

TEST(PropGrid, MembersBelongToTheNearestGroupAbove)
{
    TAdvStringGrid g;
    g.SetPropType(0);
    auto* orphan = Add<TPropText>(g, ptText, "orphan", true);
    auto* first = Add<TPropParent>(g, ptParent, "first");
    auto* second = Add<TPropParent>(g, ptParent, "second");
    auto* member = Add<TPropVal>(g, ptVal, "member", true);
    EXPECT_EQ(orphan->Parent, nullptr);
    EXPECT_EQ(member->Parent, second);
    EXPECT_EQ(g.FindParent(first), first);
    EXPECT_EQ(g.FindParent(member), second);
}

TEST(PropGrid, CollapsedGroupHidesItsMembersAndShowsAPlus)
{
    TAdvStringGrid g;
    g.SetPropType(0);
    auto* group = Add<TPropParent>(g, ptParent, "Position");
    group->Level = 0;
    Add<TPropVal>(g, ptVal, "X", true);
    Add<TPropVal>(g, ptVal, "Y", true);
    auto* after = Add<TPropText>(g, ptText, "Address");
    group->SetExpanded(true);
    g.GridInitial();
    EXPECT_EQ(g.RowCount(), 4);
    const QImage minus = Draw(g, 0, 0, false);

    group->SetExpanded(false);
    g.GridInitial();
    ASSERT_EQ(g.RowCount(), 2);
    EXPECT_EQ(g.VisibleProp(1), after);
    EXPECT_EQ(g.Cells(0, 1), "Address");
    const QImage plus = Draw(g, 0, 0, false);

    // Box from (4,4) to (12,12); the minus line at y 8, x 7..9; the plus stem at x 8.
    for (const QImage* img : {&minus, &plus}) {
        EXPECT_TRUE(Black(*img, 4, 4));
        EXPECT_TRUE(Black(*img, 12, 12));
        EXPECT_EQ(img->pixel(5, 5), qRgb(255, 255, 255));
        for (int x = 7; x <= 9; ++x)
            EXPECT_TRUE(Black(*img, x, 8));
    }
    EXPECT_FALSE(Black(minus, 8, 7));
    EXPECT_TRUE(Black(plus, 8, 7));
    EXPECT_TRUE(Black(plus, 8, 9));
}

TEST(PropGrid, ValueCellTextsByRowClass)
{
    TAdvStringGrid g;
    g.SetPropType(0);
    auto* val = Add<TPropVal>(g, ptVal, "val");
    SetValRange(val, 255, 0, 300);
    auto* own = Add<TPropComboTxt>(g, ptComboTxt, "own items");
    own->Items = {"a", "b"};
    SetComboTxt(own, 1, 0, 2);
    auto* msg = Add<TPropComboTxt>(g, ptComboTxt, "message items");
    SetComboTxt(msg, 0, 153, 6);
    msg->SetText("None");
    auto* font = Add<TPropFontDlg>(g, ptFontDlg, "font");
    TFont f;
    SetFontRow(font, &f);
    auto* numbers = Add<TPropComboVal>(g, ptComboVal, "numbers");
    SetComboVal(numbers, 3, 10, 5);
    auto* text = Add<TPropTextVal>(g, ptTextVal, "text");
    text->SetText("FFFF");
    Add<TPropComboBmp>(g, ptComboBmp, "picture");
    g.GridInitial();

    const char* expected[] = {"255", "b", "None", "{Font:MS Sans Serif,8}", "13", "FFFF", ""};
    ASSERT_EQ(g.RowCount(), 7);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(g.Cells(1, i), expected[i]) << g.Cells(0, i).toStdString();
}

TEST(PropGrid, CurrentValueCellDrawsItsButtonInTheRightZone)
{
    TAdvStringGrid g;
    g.SetPropType(0);
    auto* val = Add<TPropVal>(g, ptVal, "val");
    SetValRange(val, 10, 0, 5);
    Add<TPropComboTxt>(g, ptComboTxt, "list");
    Add<TPropFontDlg>(g, ptFontDlg, "font");
    auto* pic = Add<TPropComboBmp>(g, ptComboBmp, "picture");
    std::vector<QImage> images(2, QImage(16, 16, QImage::Format_RGB32));
    images[1].fill(Qt::black);
    pic->Images = &images;
    SetComboBmpIndex(pic, 1);
    g.GridInitial();

    const int w = 120;
    const auto blackIn = [](const QImage& img, int x0, int x1) {
        int n = 0;
        for (int x = x0; x < x1; ++x)
            for (int y = 0; y < img.height(); ++y)
                n += Black(img, x, y);
        return n;
    };
    for (int row = 0; row < 3; ++row) {
        EXPECT_GT(blackIn(Draw(g, 1, row, true, w), w - 18, w), 0) << row;
        EXPECT_EQ(blackIn(Draw(g, 1, row, false, w), w - 18, w), 0) << row;
    }
    // The spin half last pressed is drawn sunken while the button is held.
    val->Up = 1;
    const QImage raised = Draw(g, 1, 0, true, w);
    g.BtnPressed = 1;
    const QImage pressed = Draw(g, 1, 0, true, w);
    EXPECT_NE(raised.pixel(w - 18, 0), pressed.pixel(w - 18, 0));
    EXPECT_EQ(raised.pixel(w - 18, 17), pressed.pixel(w - 18, 17)); // lower half unchanged
    g.BtnPressed = 0;
    // A picture row draws its picture at the left, vertically centred.
    const QImage picture = Draw(g, 1, 3, false, w);
    EXPECT_TRUE(Black(picture, 2, 1));
    EXPECT_TRUE(Black(picture, 17, 16));
}
