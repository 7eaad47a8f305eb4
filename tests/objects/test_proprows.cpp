// Property rows keep their values within their limits the way the cell editors rely on:
// a number row clamps on every write and again on every read, a number-as-text row
// compares by its format and width, and a row inside a group is shown only while the
// group is open whatever was stored.
#include "objects/tpropbase.h"

#include <gtest/gtest.h>

TEST(PropRows, NumberRowClampsMaximumFirst)
{
    struct Case {
        int max, min, value, stored;
    } cases[] = {
        {255, 0, 300, 255},
        {255, 0, -1, 0},
        {255, 0, 17, 17},
        // With the minimum above the maximum, the maximum is tested first.
        {10, 20, 15, 10},
        {10, 20, 30, 10},
        {10, 20, 5, 20},
    };
    for (const Case& c : cases) {
        TPropVal row;
        SetValRange(&row, c.max, c.min, c.value);
        EXPECT_EQ(row.Value, c.stored) << c.max << "/" << c.min << " <- " << c.value;
    }
}

TEST(PropRows, LoweredMaximumTakesEffectAtTheNextRead)
{
    TPropVal row;
    SetValRange(&row, 255, 0, 200);
    row.SetMax(100);
    EXPECT_EQ(row.Value, 200);
    EXPECT_EQ(row.GetValue(), 100);
    EXPECT_EQ(row.Value, 100);
}

TEST(PropRows, NumberAsTextComparesByFormatAndWidth)
{
    struct Case {
        int isSigned, width, max, min, value, stored;
    } cases[] = {
        // Signed 16 bits: the low 16 bits decide, the whole value is kept.
        {1, 0, 32767, -32768, 65535, 65535},
        {1, 0, 100, 0, 0x10005, 0x10005},
        {1, 0, 100, 0, 200, 100},
        {1, 1, 100, -100, -200, -100},
        {1, 2, 100, 0, 500, 500}, // no limit test
        // Unsigned compares as 32-bit unsigned: -1 is the largest value.
        {0, 0, 65535, 0, 70000, 65535},
        {0, 1, 1000, 10, -1, 1000},
        {3, 0, 0x9999, 0, 0x12345, 0x9999},
    };
    for (const Case& c : cases) {
        TPropTextVal row;
        SetTextValRange(&row, c.max, c.min, c.isSigned, c.width, c.value);
        EXPECT_EQ(row.GetValue(), c.stored) << c.isSigned << "," << c.width << " <- " << c.value;
    }
}

TEST(PropRows, MembersFollowTheirGroup)
{
    TPropParent group;
    TPropVal member;
    member.Parent = &group;
    member.SetVisible(true);
    EXPECT_FALSE(member.IsVisible());
    group.SetExpanded(true);
    member.SetVisible(false);
    EXPECT_TRUE(member.IsVisible());

    TPropText top;
    top.SetVisible(false);
    EXPECT_FALSE(top.IsVisible());
    top.SetVisible(true);
    EXPECT_TRUE(top.IsVisible());
}

TEST(PropRows, FactoryMakesTheClassOfEachCode)
{
    for (int code = 0; code <= 10; ++code) {
        auto row = NewPropRow(static_cast<std::uint8_t>(code));
        ASSERT_TRUE(row) << code;
        EXPECT_EQ(row->PropType, code);
        EXPECT_TRUE(row->Visible);
    }
    EXPECT_TRUE(dynamic_cast<TPropComboVal*>(NewPropRow(ptComboVal).get()));
    EXPECT_TRUE(dynamic_cast<TPropFontDlg*>(NewPropRow(ptFontDlg).get()));
    EXPECT_FALSE(NewPropRow(ptSpinText));
    EXPECT_FALSE(NewPropRow(255));
}

TEST(PropRows, SetterTexts)
{
    TPropComboVal list;
    SetComboVal(&list, 2, 1, 4);
    FillValList(&list);
    EXPECT_EQ(list.Items, QStringList({"1", "2", "3", "4"}));
    SetComboVal(&list, 0, 1, 0);
    FillValList(&list);
    EXPECT_TRUE(list.Items.isEmpty());

    struct Case {
        const char* name;
        int w, h;
        const char* text;
    } files[] = {
        {"", 0, 0, "[None]"}, {"", 16, 16, "[Bitmap]"}, {"a.bmp", 16, 16, "[a.bmp]"}, {"a.bmp", 0, 5, "[None]"}};
    for (const Case& c : files) {
        TPropBmpDlg row;
        SetBmpFileRow(&row, c.name, c.w, c.h);
        EXPECT_EQ(row.GetText(), c.text) << c.name << " " << c.w << "x" << c.h;
        EXPECT_EQ(row.FileName, c.name);
    }

    TFont font;
    TPropFontDlg fontRow;
    SetFontRow(&fontRow, &font);
    EXPECT_EQ(fontRow.GetText(), "{Name:MS Sans Serif,Size:8}");
    EXPECT_EQ(fontRow.Font, &font);
}
