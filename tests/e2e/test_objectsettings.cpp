// Static texts, numeric displays and inputs, value-range and multi-state pictures, bar graphs,
// message texts, lamps and units through the started program: each drawn with its tool on a
// new project, set in its dialog opened by a double click on it (a setting other than the new
// object's), saved, closed and opened again; the reopened page holds every setting, each
// dialog shows it again and Cancel leaves the project unmodified. With KES_E2E_SHOTS set, the
// dialogs are pictured in English and, after the language command, in Traditional Chinese.
#include "e2efixture.h"

#include "app/dialogs/settingsdialog.h"
#include "objects/lxstatebmp.h"
#include "objects/tlxgetval.h"
#include "objects/tlxval.h"
#include "objects/tmetrol.h"
#include "objects/tmsgtxt.h"
#include "objects/tprogbar.h"
#include "objects/tsttxt.h"
#include "objects/tvrgbmp.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace kes::test {
namespace {

// The tools in drawing order, with the box dragged for each (panel pixels) and the name its
// pictures take.
struct Tool {
    const char* name;
    QPoint from, to;
    const char* shot;
};
const Tool kTools[] = {
    {"TbStTxt", {2, 2}, {46, 14}, "txtedit"},         {"TbVal", {50, 2}, {86, 12}, "valstaset"},
    {"TbValRange", {90, 2}, {106, 18}, "vrgset"},     {"TbActBmp", {112, 2}, {128, 18}, "bmpset-picture"},
    {"TbProgBar", {134, 2}, {150, 40}, "progbarset"}, {"TbMsg", {2, 20}, {60, 32}, "msgset"},
    {"TbLighter", {66, 20}, {82, 36}, "bmpset-lamp"}, {"TbMetrol", {92, 24}, {108, 34}, "metrolset"},
    {"TbInputVal", {2, 42}, {44, 54}, "valstget"},
};
constexpr std::size_t kObjects = std::size(kTools);

class ObjectSettings : public E2ETest {
protected:
    // Object i of the page, in drawing order (which the reopened page keeps).
    template <class O> O& Obj(std::size_t i) const
    {
        O* o = i < CurPage()->Data().ObjList.size() ? dynamic_cast<O*>(CurPage()->Data().ObjList[i]) : nullptr;
        if (!o)
            throw std::runtime_error("object " + std::to_string(i) + " is not of its kind: " + ObjectsText());
        return *o;
    }
    // A double click in the middle of object i, whose dialog fill answers; its OK must pass.
    void Set(std::size_t i, const std::function<void(QDialog&)>& fill)
    {
        const TLxObj& o = *CurPage()->Data().ObjList[i];
        DoubleClickOn(QPoint(o.Left + o.Width / 2, o.Top + o.Height / 2), [&](QDialog& d) {
            fill(d);
            if (d.result() != QDialog::Accepted)
                ADD_FAILURE() << kTools[i].name
                              << " refused: " << (prompt.shown.empty() ? "" : prompt.shown.back().toStdString());
        });
    }
    // The dialog of object i again, pictured as prefix + its name, looked at, then cancelled.
    void Look(std::size_t i, const std::string& prefix, const std::function<void(QDialog&)>& look = {})
    {
        const TLxObj& o = *CurPage()->Data().ObjList[i];
        DoubleClickOn(QPoint(o.Left + o.Width / 2, o.Top + o.Height / 2), [&](QDialog& d) {
            Shot(d, (prefix + kTools[i].shot).c_str());
            if (look)
                look(d);
            PushButton(d, d.findChild<QPushButton*>(QStringLiteral("ValStCancel")) ? "ValStCancel" : "CancelBtn");
        });
    }
    static int Checked(QDialog& d, const char* group) { return RadioGroupIndex(&Control<QGroupBox>(d, group)); }
    static void Click(QDialog& d, const char* button) { Control<QAbstractButton>(d, button).click(); }
};

TEST_F(ObjectSettings, EachKindDrawnSetSavedAndFoundAgain)
{
    NewProjectNamed("Plant");
    ASSERT_NE(CurPage(), nullptr);
    for (const Tool& t : kTools)
        ASSERT_NE(DrawWith(t.name, At(t.from.x(), t.from.y()), At(t.to.x(), t.to.y())), nullptr) << t.name;
    ASSERT_EQ(CurPage()->Data().ObjList.size(), kObjects) << ObjectsText();
    Shot(*Main(), "objects-drawn");

    Set(0, [&](QDialog& d) {
        Control<QPlainTextEdit>(d, "TxtEdit").setFocus();
        QTest::keyClicks(&Control<QPlainTextEdit>(d, "TxtEdit"), QStringLiteral("Tank 1"));
        Choose(Control<QComboBox>(d, "Frame_Box"), QStringLiteral("Double Line"));
        Shot(d, "en-txtedit");
        PushButton(d, "OkBtn");
    });
    Set(1, [&](QDialog& d) {
        TypeInto(Control<QLineEdit>(d, "DevRefTxt"), QStringLiteral("D12"));
        Choose(Control<QComboBox>(d, "ValType_Box"), QStringLiteral("Signed"));
        Click(d, "HZeroBtn");
        Shot(d, "en-valstaset");
        PushButton(d, "ValStOK");
    });
    Set(2, [&](QDialog& d) {
        TypeInto(Control<QLineEdit>(d, "DevRefTxt"), QStringLiteral("D14"));
        TypeInto(Control<QLineEdit>(d, "Comp_Txt"), QStringLiteral("500"));
        Choose(Control<QComboBox>(d, "State_Box"), QStringLiteral("1"));
        TypeInto(Control<QLineEdit>(d, "Comp_Txt"), QStringLiteral("100"));
        auto& pictures = Control<QComboBox>(d, "Bmp_Box");
        pictures.setCurrentIndex(7);
        Q_EMIT pictures.activated(7);
        Shot(d, "en-vrgset");
        PushButton(d, "OkBtn");
    });
    Set(3, [&](QDialog& d) {
        Click(d, "Val_Rdo");
        TypeInto(Control<QLineEdit>(d, "DevRefTxt"), QStringLiteral("D16"));
        TypeInto(Control<QLineEdit>(d, "RgNum_Txt"), QStringLiteral("3"));
        TypeInto(Control<QLineEdit>(d, "Comp_Txt"), QStringLiteral("30"));
        Shot(d, "en-bmpset-picture");
        PushButton(d, "OkBtn");
    });
    Set(4, [&](QDialog& d) {
        TypeInto(Control<QLineEdit>(d, "DevRefTxt"), QStringLiteral("D18"));
        TypeInto(Control<QLineEdit>(d, "Max_Txt"), QStringLiteral("800"));
        TypeInto(Control<QLineEdit>(d, "Min_Txt"), QStringLiteral("100"));
        Choose(Control<QComboBox>(d, "Pos_Box"), QStringLiteral("Left to Right"));
        Shot(d, "en-progbarset");
        PushButton(d, "ValStOK");
    });
    Set(5, [&](QDialog& d) {
        TypeInto(Control<QLineEdit>(d, "DevRefTxt"), QStringLiteral("M20"));
        TypeInto(Control<QLineEdit>(d, "Msg_Txt"), QStringLiteral("Stop"));
        Choose(Control<QComboBox>(d, "State_Box"), QStringLiteral("1"));
        TypeInto(Control<QLineEdit>(d, "Msg_Txt"), QStringLiteral("Run"));
        Click(d, "RunLight_Rdo");
        Choose(Control<QComboBox>(d, "Dir_Box"), QStringLiteral("Left to Right"));
        Shot(d, "en-msgset");
        PushButton(d, "OkBtn");
    });
    Set(6, [&](QDialog& d) {
        TypeInto(Control<QLineEdit>(d, "DevRefTxt"), QStringLiteral("M22"));
        TypeInto(Control<QLineEdit>(d, "BmpTxt"), QStringLiteral("Off"));
        Choose(Control<QComboBox>(d, "State_Box"), QStringLiteral("1"));
        TypeInto(Control<QLineEdit>(d, "BmpTxt"), QStringLiteral("On"));
        Shot(d, "en-bmpset-lamp");
        PushButton(d, "OkBtn");
    });
    Set(7, [&](QDialog& d) {
        Choose(Control<QComboBox>(d, "MetrolType_Box"), QStringLiteral("Temperature"));
        auto& units = Control<QComboBox>(d, "MetrolName_Box");
        units.setCurrentIndex(1);
        Q_EMIT units.activated(1);
        Shot(d, "en-metrolset");
        PushButton(d, "OkBtn");
    });
    Set(8, [&](QDialog& d) {
        TypeInto(Control<QLineEdit>(d, "DevWriteTxt"), QStringLiteral("D24"));
        TypeInto(Control<QLineEdit>(d, "Max_Txt"), QStringLiteral("500"));
        TypeInto(Control<QLineEdit>(d, "Min_Txt"), QStringLiteral("10"));
        Click(d, "RefKey_Chk");
        Choose(Control<QComboBox>(d, "RefKey_Box"), QStringLiteral("F2"));
        Shot(d, "en-valstget");
        PushButton(d, "ValStOK");
    });
    EXPECT_EQ(Main()->Doc.Modified, 1);
    Shot(*Main(), "objects-set");

    SaveCloseAndReopen("Plant", "objects-save-as", "objects-open");
    ASSERT_NE(CurPage(), nullptr);
    ASSERT_EQ(CurPage()->Data().ObjList.size(), kObjects) << ObjectsText();
    Shot(*Main(), "objects-reopened");

    EXPECT_EQ(Obj<TStTxt>(0).Lines, std::vector<std::string>{"Tank 1"});
    EXPECT_EQ(Obj<TStTxt>(0).ObjFrame, 2);
    EXPECT_EQ(Obj<TLxVal>(1).DevText, "D12");
    EXPECT_EQ(Obj<TLxVal>(1).ValType, 1);
    EXPECT_EQ(Obj<TLxVal>(1).HZero, 2);
    EXPECT_EQ(Obj<TVrgBmp>(2).DevText, "D14");
    EXPECT_EQ(Obj<TVrgBmp>(2).StateBound[0], 500u);
    EXPECT_EQ(Obj<TVrgBmp>(2).StateBound[1], 100u);
    EXPECT_EQ(Obj<TVrgBmp>(2).StatePic[1], 7);
    EXPECT_EQ(Obj<TStateBmpObj>(3).StateMode, 0x10);
    EXPECT_EQ(Obj<TStateBmpObj>(3).TotalState, 3);
    EXPECT_EQ(Obj<TStateBmpObj>(3).StateVal[0], 30u);
    EXPECT_EQ(Obj<TStateBmpObj>(3).DevText, "D16");
    EXPECT_EQ(Obj<TProgBar>(4).DevText, "D18");
    EXPECT_EQ(Obj<TProgBar>(4).BarMax, 800);
    EXPECT_EQ(Obj<TProgBar>(4).BarMin, 100);
    EXPECT_EQ(Obj<TProgBar>(4).ProgBarDirect, 3);
    const TMsgTxt& msg = Obj<TMsgTxt>(5);
    EXPECT_EQ(msg.DevText, "M20");
    ASSERT_EQ(msg.Messages.size(), 2u);
    EXPECT_EQ(msg.Messages[0].substr(0, 4), "Stop") << "padded with blanks to the object's width";
    EXPECT_EQ(msg.Messages[1].substr(0, 3), "Run");
    EXPECT_EQ(msg.MoveMode, 0x23);
    EXPECT_EQ(Obj<TStateBmpObj>(6).DevText, "M22");
    EXPECT_EQ(Obj<TStateBmpObj>(6).TxtList, (std::vector<std::string>{"Off", "On"}));
    EXPECT_EQ(Obj<TMetrol>(7).MetrolType, 6);
    EXPECT_EQ(Obj<TMetrol>(7).MetrolIndex, 1);
    EXPECT_EQ(Obj<TLxGetVal>(8).WriteDev.DevText, "D24");
    EXPECT_EQ(Obj<TLxGetVal>(8).ValMax, 500);
    EXPECT_EQ(Obj<TLxGetVal>(8).ValMin, 10);
    EXPECT_EQ(Obj<TLxGetVal>(8).RefKey, 2);

    // Each dialog shows what was set; Cancel changes nothing.
    Look(0, "", [](QDialog& d) { EXPECT_EQ(Control<QPlainTextEdit>(d, "TxtEdit").toPlainText(), "Tank 1"); });
    Look(1, "", [](QDialog& d) { EXPECT_TRUE(Control<QCheckBox>(d, "HZeroBtn").isChecked()); });
    Look(2, "", [](QDialog& d) { EXPECT_EQ(Control<QLineEdit>(d, "Comp_Txt").text(), "500"); });
    Look(3, "", [](QDialog& d) { EXPECT_TRUE(Control<QRadioButton>(d, "Val_Rdo").isChecked()); });
    Look(4, "", [](QDialog& d) { EXPECT_EQ(Control<QLineEdit>(d, "Max_Txt").text(), "800"); });
    Look(5, "", [](QDialog& d) { EXPECT_TRUE(Control<QRadioButton>(d, "RunLight_Rdo").isChecked()); });
    Look(6, "", [](QDialog& d) { EXPECT_EQ(Control<QLineEdit>(d, "BmpTxt").text(), "Off"); });
    Look(7, "", [](QDialog& d) { EXPECT_EQ(Control<QComboBox>(d, "MetrolName_Box").currentIndex(), 1); });
    Look(8, "", [](QDialog& d) { EXPECT_EQ(Control<QComboBox>(d, "RefKey_Box").currentText(), "F2"); });
    EXPECT_EQ(Main()->Doc.Modified, 0) << "Cancel changes nothing";

    // The same dialogs in Traditional Chinese: every caption translated.
    Trigger("MmLangCht");
    for (std::size_t i = 0; i < kObjects; ++i)
        Look(i, "cht-", [this](QDialog& d) { EXPECT_EQ(MissingCaptions(d, Dir()), std::vector<std::string>{}); });
    Trigger("MmLangEng");
    EXPECT_EQ(Main()->Doc.Modified, 0);
}

} // namespace
} // namespace kes::test
