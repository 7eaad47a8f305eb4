// Multiple copy lays the copies of the current object out in a grid with the chosen spacing,
// pulls one that would pass the page's edge back inside, and steps each copy's device
// addresses by its number (along the rows or down the columns) without turning "no address"
// into one. In the start-up screen the copies are of the current object, never of another. On a
// page the copying is one undo step; on the start-up screen it records none.
// The full-screen view writes the address texts over the page, kept inside it.
#include "editortest.h"

#include "app/editor/screeneditor.h"
#include "app/editor/teditpage.h"
#include "app/editor/tformfullscreen.h"
#include "app/editor/tfrmmulticopy.h"
#include "app/editor/timagepage.h"
#include "app/project/objrefs.h"
#include "app/project/ui/tlxtype.h"
#include "app/ui/msgtable.h"
#include "app/ui/translate.h"
#include "objects/lxdevref.h"
#include "objects/tlxbtn.h"
#include "objects/tlxgetval.h"
#include "platform/inifile.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QSpinBox>
#include <utility>

namespace kes::test {
namespace {

class MultiCopyTest : public EditorTest {
protected:
    // The copies of obj made by the last multiple copy: the objects after it in ObjList.
    std::vector<TLxObj*> Copies(TEditPage& page, std::size_t before) const
    {
        return std::vector<TLxObj*>(page.Data().ObjList.begin() + static_cast<std::ptrdiff_t>(before),
                                    page.Data().ObjList.end());
    }
    // Every reference of obj to code (its text formatted).
    void Address(TLxObj& obj, std::int32_t code)
    {
        ForEachObjRef(obj, [&](TLxDevRef& ref, std::uint8_t mode, std::uint8_t access) {
            ref.DevAddrCode = code;
            ref.DevText =
                code == -1 ? std::string()
                           : Main()->LxType->FormatDeviceAddress(static_cast<std::uint32_t>(code), mode, access,
                                                                 ref.RefBitNo, ref.RefDevForm != 0, ref.RefIntMem != 0);
        });
    }
    std::vector<std::int32_t> Codes(TLxObj& obj)
    {
        std::vector<std::int32_t> out;
        ForEachObjRef(obj, [&](TLxDevRef& ref, std::uint8_t, std::uint8_t) { out.push_back(ref.DevAddrCode); });
        return out;
    }
    // The code k addresses after code in obj's first reference, by the codec.
    std::int32_t Stepped(TLxObj& obj, std::int32_t code, int k)
    {
        std::int32_t out = code;
        bool first = true;
        ForEachObjRef(obj, [&](TLxDevRef& ref, std::uint8_t mode, std::uint8_t access) {
            if (!std::exchange(first, false))
                return;
            std::uint8_t bit = ref.RefBitNo;
            auto c = static_cast<std::uint32_t>(code);
            for (int i = 0; i < k; ++i)
                c = Main()->LxType->NextDeviceAddress(c, mode, access, bit, ref.RefDevForm != 0, ref.RefIntMem != 0);
            out = static_cast<std::int32_t>(c);
        });
        return out;
    }
};

TEST_F(MultiCopyTest, CopiesStandInAGridAndStayOnThePage)
{
    NewProject();
    TLxObj* src = DrawWith("TbRect", At(0, 0), At(10, 6));
    ASSERT_NE(src, nullptr);
    const int w = src->Width / StepX();
    const int h = src->Height / StepY();
    const std::size_t before = Page().Data().ObjList.size();
    MultiCopyPlan plan;
    plan.Columns = 3;
    plan.Rows = 2;
    ASSERT_EQ(Page().MultiCopy(plan), 5);
    const std::vector<TLxObj*> copies = Copies(Page(), before);
    // Down the columns: (0,1), (1,0), (1,1), (2,0), (2,1).
    const std::pair<int, int> cells[] = {{0, 1}, {1, 0}, {1, 1}, {2, 0}, {2, 1}};
    for (std::size_t n = 0; n < copies.size(); ++n) {
        EXPECT_EQ(copies[n]->Left, cells[n].first * (w + 2) * StepX()) << n;
        EXPECT_EQ(copies[n]->Top, cells[n].second * (h + 2) * StepY()) << n;
        EXPECT_FALSE(copies[n]->Selected) << n;
    }
    EXPECT_EQ(Page().Data().CurObj, src);
    EXPECT_EQ(Page().Data().SelList, TObjList{src});

    // Near the right edge a copy is pulled back to touch it.
    Trigger("tbPointTo");
    TLxObj* edge = DrawWith("TbRect", At(Main()->LxType->PanelWidth - 12, 30), At(Main()->LxType->PanelWidth - 2, 36));
    ASSERT_NE(edge, nullptr);
    Page().Data().CurObj = edge;
    plan.Rows = 1;
    plan.Columns = 2;
    const std::size_t n = Page().Data().ObjList.size();
    ASSERT_EQ(Page().MultiCopy(plan), 1);
    EXPECT_EQ(Page().Data().ObjList[n]->Left + Page().Data().ObjList[n]->Width, Page().ClientWidth());
}

TEST_F(MultiCopyTest, AddressesStepByTheCopysNumberAndNoneStaysNone)
{
    NewProject();
    const std::int32_t d100 = Main()->LxType->ParseDeviceAddress("D100", 1, 0, true, false);
    ASSERT_NE(d100, -1);
    struct Case {
        const char* tool;
        std::function<void(TLxObj&)> prepare;
        bool steps;
    };
    const Case cases[] = {
        {"TbVal", nullptr, true},
        {"TbProgBar", nullptr, true},
        {"TbBtn",
         [](TLxObj& o) {
             static_cast<TLxBtn&>(o).BtnType = kes::BtnType::InputValue;
             static_cast<TLxBtn&>(o).ValKind = 0x10;
         },
         true},
        {"TbBtn", [](TLxObj& o) { static_cast<TLxBtn&>(o).BtnType = kes::BtnType::None; }, false},
        {"TbInputVal", [](TLxObj& o) { static_cast<TLxGetVal&>(o).ReadUsed = 1; }, true},
    };
    for (const Case& c : cases) {
        Trigger("tbPointTo");
        TLxObj* src = DrawWith(c.tool, At(2, 2), At(20, 12));
        ASSERT_NE(src, nullptr) << c.tool;
        if (c.prepare)
            c.prepare(*src);
        Address(*src, d100);
        if (auto* entry = dynamic_cast<TLxGetVal*>(src))
            entry->ReadDev.DevAddrCode = -1; // used, but set to none
        for (const bool rowsFirst : {true, false}) {
            Page().Data().CurObj = src;
            const std::size_t before = Page().Data().ObjList.size();
            MultiCopyPlan plan;
            plan.Columns = 3;
            plan.Rows = 2;
            plan.RowsFirst = rowsFirst;
            ASSERT_EQ(Page().MultiCopy(plan), 5) << c.tool;
            // Column 1, row 1: the 4th along the rows, the 3rd down the columns.
            TLxObj* cell = Copies(Page(), before)[2];
            const int k = rowsFirst ? 4 : 3;
            const std::vector<std::int32_t> codes = Codes(*cell);
            ASSERT_FALSE(codes.empty()) << c.tool;
            EXPECT_EQ(codes[0], c.steps ? Stepped(*src, d100, k) : d100) << c.tool << " rows first " << rowsFirst;
            for (std::size_t r = 1; r < codes.size(); ++r)
                EXPECT_EQ(codes[r], -1) << c.tool << ": no address stays none";
            while (Page().Data().ObjList.size() > before)
                Page().Data().DeleteObj(Page().Data().ObjList.back());
        }
        Page().Data().DeleteObj(src);
    }
    // The text follows the code: D100 four words on is D104.
    Trigger("tbPointTo");
    TLxObj* val = DrawWith("TbVal", At(2, 2), At(20, 12));
    Address(*val, d100);
    Page().Data().CurObj = val;
    const std::size_t before = Page().Data().ObjList.size();
    MultiCopyPlan plan;
    plan.Columns = 5;
    plan.Rows = 1;
    Page().MultiCopy(plan);
    EXPECT_EQ(static_cast<TLxDevRef&>(dynamic_cast<TLxDevRef&>(*Page().Data().ObjList[before + 3])).DevText, "D104");
}

TEST_F(MultiCopyTest, TheDialogCopiesAndBothDirectionsOffCopyNothing)
{
    NewProject();
    TLxObj* src = DrawWith("TbRect", At(0, 0), At(10, 6));
    ASSERT_NE(src, nullptr);
    Trigger("tbPointTo");
    Click(At(0, 3));
    ASSERT_EQ(Page().Data().CurObj, src);
    struct Case {
        bool h, v;
        int columns, rows;
        std::size_t copies;
    };
    const Case cases[] = {{true, true, 3, 1, 2}, {false, false, 3, 3, 0}, {true, false, 4, 4, 0}};
    for (const Case& c : cases) {
        const std::size_t before = Page().Data().ObjList.size();
        prompt.onExec = [&](QDialog& d) {
            auto* form = dynamic_cast<TFrmMultiCopy*>(&d);
            ASSERT_NE(form, nullptr);
            form->EditH->setValue(c.columns);
            form->EditV->setValue(c.rows);
            if (!c.h)
                form->ChkboxHdir->click();
            if (!c.v)
                form->ChkboxVdir->click();
            form->BtnOK->click();
        };
        Trigger("MmMultiCopy");
        prompt.onExec = nullptr;
        EXPECT_EQ(Page().Data().ObjList.size() - before, c.copies) << c.columns << "x" << c.rows;
    }
}

TEST_F(MultiCopyTest, TheStartUpScreenCopiesItsCurrentObject)
{
    NewProject();
    Trigger("MmStartPg");
    Drive(Main()->Screens->FirstPage());
    ASSERT_NE(DrawWith("TbRect", At(40, 40), At(60, 50)), nullptr);
    TLxObj* text = DrawWith("TbStTxt", At(0, 0), At(20, 8));
    ASSERT_NE(text, nullptr);
    TImagePage& screen = *Main()->Screens->FirstPage();
    const TLxObj* bottom = screen.Data().ObjList.front();
    const int bottomLeft = bottom->Left;
    screen.Data().CurObj = text;
    MultiCopyPlan plan;
    plan.Columns = 2;
    plan.Rows = 1;
    ASSERT_EQ(screen.MultiCopy(plan), 1);
    EXPECT_TRUE(IsKind(*screen.Data().ObjList.back(), ObjKind::StTxt));
    EXPECT_EQ(screen.Data().ObjList.back()->Left, text->Width + 2 * StepX());
    EXPECT_EQ(bottom->Left, bottomLeft) << "the bottom object stays where it was";
    Drive(nullptr);
}

TEST_F(MultiCopyTest, APageRecordsOneUndoStepAndTheStartUpScreenNone)
{
    NewProject();
    struct Case {
        const char* where;
        bool screen;
        std::size_t steps;
    } cases[] = {{"page", false, 1}, {"start-up screen", true, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        if (c.screen) {
            Trigger("MmStartPg");
            Drive(Main()->Screens->FirstPage());
        }
        TEditPage& w = Driven();
        ASSERT_NE(DrawWith("TbRect", At(0, 0), At(10, 6)), nullptr);
        const std::size_t undo = w.UndoList().size();
        const std::size_t objects = w.Data().ObjList.size();
        prompt.onExec = [](QDialog& d) {
            auto* form = dynamic_cast<TFrmMultiCopy*>(&d);
            ASSERT_NE(form, nullptr);
            form->EditH->setValue(3);
            form->EditV->setValue(1);
            form->BtnOK->click();
        };
        Trigger("MmMultiCopy");
        prompt.onExec = nullptr;
        EXPECT_EQ(w.Data().ObjList.size(), objects + 2);
        EXPECT_EQ(w.UndoList().size(), undo + c.steps);
    }
    Drive(nullptr);
}

TEST_F(MultiCopyTest, TheFullScreenViewWritesTheAddressesInsideThePage)
{
    // A text that would pass the bottom-right corner is pulled up and left.
    EXPECT_EQ(KeepTextInside(90, 60, 20, 10, 100, 64), QPoint(80, 54));
    EXPECT_EQ(KeepTextInside(10, 10, 20, 10, 100, 64), QPoint(10, 10));

    NewProject();
    TLxObj* val = DrawWith("TbVal", At(2, 2), At(30, 12));
    ASSERT_NE(val, nullptr);
    Address(*val, Main()->LxType->ParseDeviceAddress("D100", 1, 0, true, false));
    const auto blue = [](const QImage& img) {
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                n += img.pixel(x, y) == qRgb(0, 0, 255);
        return n;
    };
    for (const int tag : {0, 1}) {
        TFormFullScreen form(Main());
        form.setProperty("Tag", tag);
        form.SetPicture(PagePicture(Page()));
        form.DrawIoPoints(Page());
        EXPECT_EQ(form.Picture().size(), QSize(Page().ClientWidth(), Page().ClientHeight()));
        EXPECT_EQ(blue(form.Picture()) > 0, tag == 1) << "tag " << tag;
    }
    bool opened = false;
    prompt.onExec = [&](QDialog& d) {
        opened = dynamic_cast<TFormFullScreen*>(&d) != nullptr;
        d.reject();
    };
    Trigger("MmFullScrnNpoint");
    prompt.onExec = nullptr;
    EXPECT_TRUE(opened);
}

TEST_F(MultiCopyTest, TheNewFormsHaveTheirCaptionsInAllThreeLanguages)
{
    NewProject();
    Trigger("MmStartPg");
    TFrmMultiCopy form(Main(), Page(), LangEng);
    for (QWidget* w : {static_cast<QWidget*>(&form), static_cast<QWidget*>(Main()->Screens->FirstPage())}) {
        for (int lang : {LangCht, LangChs, LangEng}) {
            TIniFile ini(std::string(KES_BIN_DIR) + "/" + CaptionFileName(lang));
            ASSERT_TRUE(ini.Loaded());
            for (const CaptionKey& k : FormCaptionKeys(w)) {
                if (k.key.ends_with(".Hint"))
                    continue;
                EXPECT_TRUE(ini.ValueExists(k.section, k.key)) << CaptionFileName(lang) << ": " << k.key;
            }
        }
    }
}

} // namespace
} // namespace kes::test
