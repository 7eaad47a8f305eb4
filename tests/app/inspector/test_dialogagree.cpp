// The inspector and an object's settings dialog show the same object: what the dialog's OK
// stores, the inspector's rows show when it refreshes; what is edited in the rows, the
// dialog shows when it opens.
#include "kindrowstest.h"

#include "app/dialogs/dialogcontext.h"
#include "app/dialogs/tbtnset.h"
#include "objects/tlxbtn.h"

#include <QComboBox>
#include <QLineEdit>

using namespace kes;
using kes::test::KindRowsTest;

namespace
{

class DialogAgreement : public KindRowsTest
{
protected:
    DialogAgreement()
        : ctx(state, *model)
    {
        source.pages = 3;
    }
    // The dialog opened on obj, as the page's double click opens it.
    template <class Dlg, class T> Dlg& Open(T& obj)
    {
        ctx.Page = page.get();
        ctx.PageCount = source.pages;
        auto dlg = std::make_unique<Dlg>(ctx, nullptr, obj);
        Dlg& d = *dlg;
        dialog = std::move(dlg);
        d.show();
        return d;
    }
    DialogContext ctx;
    std::unique_ptr<QDialog> dialog;
};

} // namespace

TEST_F(DialogAgreement, Button)
{
    auto& b = Real<TLxBtn>(ObjKind::LxBtn, [this](TLxBtn& o) {
        o.BtnType = 0;
        SetAddress(o.WriteDev, "M10");
    });
    // Set in the dialog, shown by the rows.
    TBtnSet& set = Open<TBtnSet>(b);
    set.BtnType_Box->setCurrentIndex(9);
    set.BtnType_BoxChange();
    set.DevWritTxt->setText("D300");
    set.AddVal_Txt->setText("2");
    set.Bound_Txt->setText("700");
    set.BtnSurFace_Box->setCurrentIndex(2);
    set.Font_Box->setCurrentIndex(3);
    set.OkBtnClick();
    ASSERT_EQ(set.result(), QDialog::Accepted) << (prompt.shown.empty() ? "" : prompt.shown.back().toStdString());
    dlg->FormShow();
    EXPECT_EQ(Shows(5), Msg(238));
    EXPECT_EQ(Shows(7), "D300");
    EXPECT_EQ(Shows(30), "2");
    EXPECT_EQ(Shows(31), "700");
    EXPECT_EQ(Shows(25), Msg(247));
    EXPECT_EQ(Shows(26), Msg(176));

    // Edited in the rows, shown by the dialog.
    Enter(5, "10");
    Enter(7, "D40");
    Enter(25, "4");
    Enter(22, "1");
    TBtnSet& again = Open<TBtnSet>(b);
    EXPECT_EQ(again.BtnType_Box->currentIndex(), 10);
    EXPECT_EQ(again.DevWritTxt->text(), "D40");
    EXPECT_EQ(again.AddVal_Txt->text(), "1");
    EXPECT_EQ(again.Bound_Txt->text(), "0");
    EXPECT_EQ(again.BtnSurFace_Box->currentIndex(), 4);
    EXPECT_EQ(again.RefKey_Box->currentIndex(), b.RefKey);
    EXPECT_EQ(again.Font_Box->currentIndex(), 3);
}
