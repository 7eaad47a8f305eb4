// Device state pictures, scales, meters, curves and clocks through the started program: each
// drawn with its tool on a new project, set in its dialog opened by a double click on it (a
// setting other than the new object's), saved, closed and opened again; the reopened page
// holds every setting and each dialog shows it again. On the panel model whose bit tool makes
// bit-of-word pictures (kind 21), the word and the bit chosen in the picker come back too.
#include "e2efixture.h"

#include "objects/objkind.h"
#include "objects/tcirmeter.h"
#include "objects/tlxadvdevbmp.h"
#include "objects/tlxcurve.h"
#include "objects/trtc.h"
#include "objects/tscale.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

namespace kes::test {
namespace {

class DisplaySettings : public E2ETest {
protected:
    // The page's only object of that kind.
    template <class O> O* Only(ObjKind kind) const
    {
        O* found = nullptr;
        for (TLxObj* o : CurPage()->Data().ObjList)
            if (IsKind(*o, kind)) {
                if (found)
                    return nullptr;
                found = dynamic_cast<O*>(o);
            }
        return found;
    }
    // A double click in the middle of an object.
    void Settings(TLxObj& obj, const std::function<void(QDialog&)>& fill)
    {
        DoubleClickOn(QPoint(obj.Left + obj.Width / 2, obj.Top + obj.Height / 2), [&](QDialog& d) {
            fill(d);
            if (d.isVisible() && d.result() != QDialog::Accepted)
                ADD_FAILURE() << d.objectName().toStdString()
                              << " refused: " << (prompt.shown.empty() ? "" : prompt.shown.back().toStdString());
        });
    }
    static int Index(QWidget& d, const char* group)
    {
        const QList<QRadioButton*> items =
            Control<QGroupBox>(d, group).findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
        for (int i = 0; i < items.size(); ++i)
            if (items[i]->isChecked())
                return i;
        return -1;
    }
};

TEST_F(DisplaySettings, EachKindDrawnSetSavedAndFoundAgain)
{
    NewProjectNamed("Gauges");
    ASSERT_NE(CurPage(), nullptr);
    TLxObj* bit = DrawWith("TbBit", At(2, 2), At(18, 18));
    TLxObj* scale = DrawWith("TbScale", At(24, 2), At(60, 22));
    TLxObj* meter = DrawWith("TbCirMeter", At(66, 2), At(106, 42));
    TLxObj* curve = DrawWith("TbCurves", At(112, 2), At(140, 30));
    TLxObj* xy = DrawWith("TbXyCurve", At(146, 2), At(176, 30));
    TLxObj* clock = DrawWith("TbRtc", At(2, 44), At(60, 58));
    for (TLxObj* o : {bit, scale, meter, curve, xy, clock})
        ASSERT_NE(o, nullptr) << ObjectsText();
    EXPECT_TRUE(IsKind(*bit, ObjKind::LxDevBmp));
    Shot(*Main(), "display-drawn");

    Settings(*bit, [&](QDialog& d) {
        TypeInto(Control<QLineEdit>(d, "DevRefTxt"), QStringLiteral("M12"));
        Control<QComboBox>(d, "ON_Box").setCurrentIndex(5);
        Control<QComboBox>(d, "OFF_Box").setCurrentIndex(2);
        Shot(d, "display-devstaset");
        PushButton(d, "DevStOK");
    });
    Settings(*scale, [&](QDialog& d) {
        Choose(Control<QComboBox>(d, "Dir_Box"), QStringLiteral("Right"));
        Choose(Control<QComboBox>(d, "Side_Box"), QStringLiteral("Reverse"));
        TypeInto(Control<QLineEdit>(d, "Main_Txt"), QStringLiteral("6"));
        TypeInto(Control<QLineEdit>(d, "Sub_Txt"), QStringLiteral("3"));
        TypeInto(Control<QLineEdit>(d, "Max_Txt"), QStringLiteral("500"));
        TypeInto(Control<QLineEdit>(d, "Min_Txt"), QStringLiteral("-500"));
        Shot(d, "display-scaleset");
        PushButton(d, "OkBtn");
    });
    Settings(*meter, [&](QDialog& d) {
        TypeInto(Control<QLineEdit>(d, "DevRefTxt"), QStringLiteral("D20"));
        Choose(Control<QComboBox>(d, "ValType_Box"), QStringLiteral("Signed"));
        EXPECT_EQ(Control<QLineEdit>(d, "Max_Txt").text(), QStringLiteral("32767"));
        TypeInto(Control<QLineEdit>(d, "Max_Txt"), QStringLiteral("300"));
        TypeInto(Control<QLineEdit>(d, "Min_Txt"), QStringLiteral("-300"));
        TypeInto(Control<QLineEdit>(d, "MainS_Txt"), QStringLiteral("4"));
        ClickItem(d, "StyleGp", 1);
        Choose(Control<QComboBox>(d, "Font_Box"), QStringLiteral("8x12"));
        Shot(d, "display-meterset");
        PushButton(d, "OkBtn");
    });
    Settings(*curve, [&](QDialog& d) {
        TypeInto(Control<QLineEdit>(d, "DevRefTxt"), QStringLiteral("D30"));
        TypeInto(Control<QLineEdit>(d, "VMax_Txt"), QStringLiteral("800"));
        TypeInto(Control<QLineEdit>(d, "VMin_Txt"), QStringLiteral("100"));
        Shot(d, "display-curveset");
        PushButton(d, "OkBtn");
    });
    Settings(*xy, [&](QDialog& d) {
        TypeInto(Control<QLineEdit>(d, "DevRefTxt"), QStringLiteral("D40"));
        TypeInto(Control<QLineEdit>(d, "HMax_Txt"), QStringLiteral("700"));
        TypeInto(Control<QLineEdit>(d, "HMin_Txt"), QStringLiteral("7"));
        PushButton(d, "OkBtn");
    });
    Settings(*clock, [&](QDialog& d) {
        ClickItem(d, "TimeRefGp", 1);
        TypeInto(Control<QLineEdit>(d, "DevRefTxt"), QStringLiteral("D50"));
        ClickItem(d, "TimeTypeGp", 2);
        Choose(Control<QComboBox>(d, "Frame_Box"), QStringLiteral("Double Line"));
        Shot(d, "display-rtcset");
        PushButton(d, "OkBtn");
    });
    EXPECT_EQ(Main()->Doc.Modified, 1);
    Shot(*Main(), "display-set");

    SaveCloseAndReopen("Gauges", "display-save-as", "display-open");
    ASSERT_NE(CurPage(), nullptr);
    ASSERT_EQ(CurPage()->Data().ObjList.size(), 6u) << ObjectsText();

    auto* b = Only<TLxDevBmp>(ObjKind::LxDevBmp);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->DevText, "M12");
    EXPECT_EQ(b->OnBmp, 5);
    EXPECT_EQ(b->OffBmp, 2);
    auto* s = Only<TScale>(ObjKind::Scale);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->ScaleDir, 0x13);
    EXPECT_EQ(s->MainDiv, 6);
    EXPECT_EQ(s->SubDiv, 3);
    EXPECT_EQ(s->ScaleMax, 500);
    EXPECT_EQ(s->ScaleMin, -500);
    auto* m = Only<TCirMeter>(ObjKind::CirMeter);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->DevText, "D20");
    EXPECT_EQ(m->ValType, 1);
    EXPECT_EQ(m->MajorTicks, 4);
    EXPECT_EQ(m->FullCircle, 1);
    EXPECT_EQ(m->fontsize, 2);
    auto* c = Only<TLxCurve>(ObjKind::LxCurve);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->DevText, "D30");
    EXPECT_EQ(c->CurveMax, 800);
    EXPECT_EQ(c->CurveMin, 100);
    auto* x = Only<TLxXyCurve>(ObjKind::LxXyCurve);
    ASSERT_NE(x, nullptr);
    EXPECT_EQ(x->DevText, "D40");
    EXPECT_EQ(x->XMax, 700);
    EXPECT_EQ(x->XMin, 7);
    auto* r = Only<TRtc>(ObjKind::Rtc);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->DevText, "D50");
    EXPECT_EQ(r->RtcFormat, 0x12) << "the controller's clock, the date";
    EXPECT_EQ(r->ObjFrame, 2);

    // Each dialog shows what was set.
    Settings(*s, [&](QDialog& d) {
        EXPECT_EQ(Control<QComboBox>(d, "Dir_Box").currentText(), QStringLiteral("Right"));
        EXPECT_EQ(Control<QLineEdit>(d, "Min_Txt").text(), QStringLiteral("-500"));
        PushButton(d, "CancelBtn");
    });
    Settings(*m, [&](QDialog& d) {
        EXPECT_EQ(Control<QLineEdit>(d, "Min_Txt").text(), QStringLiteral("-300"));
        EXPECT_EQ(Index(d, "StyleGp"), 1);
        PushButton(d, "CancelBtn");
    });
    Settings(*r, [&](QDialog& d) {
        EXPECT_EQ(Index(d, "TimeRefGp"), 1);
        EXPECT_EQ(Index(d, "TimeTypeGp"), 2);
        EXPECT_EQ(Control<QLineEdit>(d, "DevRefTxt").text(), QStringLiteral("D50"));
        PushButton(d, "CancelBtn");
    });
    Settings(*b, [&](QDialog& d) {
        EXPECT_EQ(Control<QComboBox>(d, "ON_Box").currentIndex(), 5);
        EXPECT_FALSE(Control<QGroupBox>(d, "RG_BitVal").isVisible());
        PushButton(d, "DevStCancel");
    });
    EXPECT_EQ(Main()->Doc.Modified, 0) << "Cancel changes nothing";
}

TEST_F(DisplaySettings, ABitOfAWordPictureKeepsItsWordAndBit)
{
    NewProjectNamed("Words", QStringLiteral("LX-01"));
    ASSERT_NE(CurPage(), nullptr);
    TLxObj* drawn = DrawWith("TbBit", At(4, 4), At(20, 20));
    ASSERT_NE(drawn, nullptr);
    ASSERT_TRUE(IsKind(*drawn, ObjKind::LxAdvDevBmp));

    AnswerNested(QStringLiteral("DevRef"), [&](QDialog& p) {
        EXPECT_TRUE(Control<QGroupBox>(p, "ZqLsb").isVisible()) << "the bit of the word is offered";
        Choose(Control<QComboBox>(p, "CB_LsbState"), QStringLiteral("9"));
        TypeInto(Control<QLineEdit>(p, "DevNum_Txt"), QStringLiteral("60"));
        Shot(p, "display-devref-lsb");
        PushButton(p, "OkBtn");
    });
    Settings(*drawn, [&](QDialog& d) {
        ClickItem(d, "RG_BitVal", 1);
        EXPECT_EQ(Control<QLineEdit>(d, "DevRefTxt").text(), QStringLiteral("D0"));
        PushButton(d, "RefBtn");
        EXPECT_EQ(Control<QLineEdit>(d, "DevRefTxt").text(), QStringLiteral("D60"));
        Control<QComboBox>(d, "ON_Box").setCurrentIndex(7);
        Shot(d, "display-devstaset-word");
        PushButton(d, "DevStOK");
    });

    SaveCloseAndReopen("Words", "words-save-as", "words-open");
    ASSERT_NE(CurPage(), nullptr);
    ASSERT_EQ(CurPage()->Data().ObjList.size(), 1u);
    auto* a = dynamic_cast<TLxAdvDevBmp*>(CurPage()->Data().ObjList.front());
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->ValMode, 0x10);
    EXPECT_EQ(a->BitNo, 9);
    EXPECT_EQ(a->DevText, "D60");
    EXPECT_EQ(a->OnBmp, 7);
    Settings(*a, [&](QDialog& d) {
        EXPECT_EQ(Index(d, "RG_BitVal"), 1);
        EXPECT_EQ(Control<QLineEdit>(d, "DevRefTxt").text(), QStringLiteral("D60"));
        PushButton(d, "DevStCancel");
    });
}

} // namespace
} // namespace kes::test
