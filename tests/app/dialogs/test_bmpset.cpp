// The picture state dialog of the multi-state picture and the lamp: values entered in either
// order are stored largest first with their pictures (and the lamp's texts) alongside, and a
// page read back from the record holds them; the checks run in order; the state count entry
// keeps each mode's limits; nothing reaches the object before every check passed.
#include "pageobjtest.h"

#include "app/dialogs/tbmpset.h"
#include "app/dialogs/tdevref.h"
#include "app/dialogs/tfrmgridtable.h"
#include "app/dialogs/updown.h"
#include "objects/tactbmp.h"
#include "objects/tlight.h"

#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

namespace kes::test {
namespace {

// A picture w x h, black, with its top-left pixel white.
TBitmap Marked(int w, int h)
{
    TBitmap b(w, h);
    b.Canvas()->Brush.Color = clBlack;
    b.Canvas()->FillRect(TRect{0, 0, w, h});
    b.Canvas()->SetPixel(0, 0, clWhite);
    return b;
}

class BmpSetTest : public PageObjTest {
protected:
    // An object of kind T on D10 in value mode, states valued largest first, each with a
    // picture i + 1 pixels wide.
    template <class T> T& Obj(std::vector<std::uint32_t> values)
    {
        auto& o = Put<T>();
        o.DevAddrCode = 0x100A;
        o.DevText = "D10";
        o.StateMode = 0x10;
        o.SetStateNum(static_cast<std::uint8_t>(values.size()));
        o.StateVal = values;
        for (std::size_t i = 0; i < values.size(); ++i) {
            o.BmpCopyIn(Marked(static_cast<int>(i) + 1, 2), static_cast<int>(i));
            o.TxtList[i] = "t" + std::to_string(i);
        }
        return o;
    }
    static void Enter(TBmpSet& d, const QStringList& values)
    {
        for (int i = 0; i < values.size(); ++i) {
            d.State_Box->setCurrentIndex(i);
            d.State_BoxChange();
            d.Comp_Txt->setText(values[i]);
            d.Comp_TxtKeyUp(0);
        }
    }
    static void Order(TBmpSet& d, int way)
    {
        SetRadioGroupIndex(d.Rg_ValSetWay, way);
        d.Rg_ValSetWayClick();
    }
    static void Count(TBmpSet& d, const QString& text)
    {
        d.RgNum_Txt->setText(text);
        d.RgNum_TxtKeyUp();
    }
};

TEST_F(BmpSetTest, CaptionAndWhatEachKindOffers)
{
    ctx.ToolHint = [](ObjKind kind) {
        return kind == ObjKind::ActBmp ? QStringLiteral("Dynamic Bitmap") : QStringLiteral("Lamp");
    };
    auto& picture = OpenOn<TBmpSet>(Obj<TActBmp>({20, 10}));
    EXPECT_EQ(picture.windowTitle(), "Dynamic Bitmap " + M(204));
    EXPECT_FALSE(picture.BmpTxt->isEnabled());
    EXPECT_FALSE(picture.FontTypeBtn->isEnabled());
    EXPECT_TRUE(picture.Val_Rdo->isChecked());
    EXPECT_EQ(picture.StateValues(), QStringList({"20", "10"}));
    EXPECT_EQ(picture.LabPic->text(), "[ 1 x 2 ]");

    auto& lamp = OpenOn<TBmpSet>(Obj<TLight>({20, 10}));
    EXPECT_EQ(lamp.windowTitle(), "Lamp " + M(204));
    EXPECT_TRUE(lamp.BmpTxt->isEnabled());
    EXPECT_EQ(lamp.BmpTxt->text(), "t0");
}

TEST_F(BmpSetTest, ValuesInEitherOrderAreStoredLargestFirstWithTheirPictures)
{
    struct Case {
        const char* name;
        int way;
        QStringList entered;
        std::vector<std::uint32_t> stored;
        int firstPictureWidth; // of the stored state 0
    } cases[] = {
        {"largest first, equal neighbours", 0, {"100", "50", "50", "0"}, {100, 50, 50, 0}, 1},
        {"smallest first", 1, {"0", "50", "50", "100"}, {100, 50, 50, 0}, 1},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        TLight& lamp = Obj<TLight>({4, 3, 2, 1});
        auto& d = OpenOn<TBmpSet>(lamp);
        Order(d, k.way);
        Enter(d, k.entered);
        ExpectStored(d);
        const TLight& back = ReadBack<TLight>(lamp);
        EXPECT_EQ(back.StateVal, k.stored);
        EXPECT_EQ(back.StateReverse, k.way);
        EXPECT_EQ(back.StateMode, 0x10);
        // Each state keeps its own picture and text whatever the order they were entered in.
        ASSERT_NE(back.StateBmp(0), nullptr);
        EXPECT_EQ(back.StateBmp(0)->Width(), k.firstPictureWidth);
        EXPECT_EQ(back.StateBmp(3)->Width(), 4);
        EXPECT_EQ(back.TxtList, (std::vector<std::string>{"t0", "t1", "t2", "t3"}));
    }
}

TEST_F(BmpSetTest, ChecksInTheirOrder)
{
    using D = TBmpSet;
    struct Case {
        const char* name;
        std::function<void(D&)> setup;
        QString message;
    } cases[] = {
        {"no address", [](D& d) { d.DevRefTxt->clear(); }, M(17)},
        {"a bit device in value mode", [](D& d) { d.DevRefTxt->setText("M3"); }, M(53)},
        {"a word in bit mode",
         [](D& d) {
             d.Bit_Rdo->setChecked(true);
             d.Bit_RdoClick();
             d.DevRefTxt->setText("D3");
         },
         M(53)},
        {"a 32-bit-only word with 16 bits", [](D& d) { d.DevRefTxt->setText("C201"); }, M(104)},
        {"state 1 past 16 bits",
         [](D& d) {
             Enter(d, {"10", "70000"});
         },
         M(88) + " 1 " + M(5)},
        {"10 then 20",
         [](D& d) {
             Enter(d, {"10", "20"});
         },
         M(4) + " 0 " + M(5)},
        {"signed 16 bits: -5 then -1",
         [](D& d) {
             d.ValType_Box->setCurrentIndex(1);
             Enter(d, {"-5", "-1"});
         },
         M(4) + " 0 " + M(5)},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        TActBmp& obj = Obj<TActBmp>({20, 10});
        auto& d = OpenOn<TBmpSet>(obj);
        k.setup(d);
        ExpectRefused(d, obj, k.message);
    }
}

// The port and station picked for the address reach the object only with an OK that passed.
TEST_F(BmpSetTest, APickedPortWaitsForAnOkThatPasses)
{
    TLight& lamp = Obj<TLight>({20, 10});
    auto& d = OpenOn<TBmpSet>(lamp);
    OnExec("DevRef", [](QDialog& dlg) {
        auto& picker = static_cast<TDevRef&>(dlg);
        picker.ComboBoxHMICom->setCurrentIndex(1);
        picker.ComAddr_Txt->setText("7");
        picker.OkBtnClick();
    });
    d.RefBtnClick();
    Enter(d, {"10", "20"});
    ExpectRefused(d, lamp, M(4) + " 0 " + M(5));
    EXPECT_EQ(lamp.RefLink, 0);
    Enter(d, {"20", "10"});
    ExpectStored(d);
    EXPECT_EQ(ReadBack<TLight>(lamp).RefLink, 1);
    EXPECT_EQ(ReadBack<TLight>(lamp).RefStation, 7);
}

TEST_F(BmpSetTest, SignedFallingValuesPass)
{
    TActBmp& obj = Obj<TActBmp>({20, 10});
    auto& d = OpenOn<TBmpSet>(obj);
    d.ValType_Box->setCurrentIndex(1);
    Enter(d, {"-1", "-5"});
    ExpectStored(d);
    EXPECT_EQ(static_cast<std::int16_t>(ReadBack<TActBmp>(obj).StateVal[1]), -5);
}

TEST_F(BmpSetTest, StateCountEntryPerMode)
{
    TActBmp& obj = Obj<TActBmp>({20, 10});
    auto& d = OpenOn<TBmpSet>(obj);
    struct Typed {
        const char* text;
        int count;
    } typed[] = {{"300", 255}, {"0", 1}, {"3", 3}};
    for (const Typed& t : typed) {
        Count(d, t.text);
        EXPECT_EQ(d.StateCount(), t.count) << t.text;
        EXPECT_EQ(d.State_Box->count(), t.count) << t.text;
    }
    EXPECT_TRUE(d.StateValues().value(2).isEmpty()) << "a new state has no value yet";
    EXPECT_EQ(d.StatePictures()[2].Width(), 0) << "nor a picture";

    // Variable values count from 1 to 40: the up-down wraps round at both ends.
    d.Var_Rdo->setChecked(true);
    d.Var_RdoClick();
    Count(d, "40");
    d.RgNum_UD->Click(true);
    EXPECT_EQ(d.StateCount(), 1);
    d.RgNum_UD->Click(false);
    EXPECT_EQ(d.StateCount(), 40);

    d.Lsb_RdoClick();
    EXPECT_EQ(d.StateCount(), 16);
    Count(d, "3");
    EXPECT_EQ(d.RgNum_Txt->text(), "16");
    d.Bit_Rdo->setChecked(true);
    d.Bit_RdoClick();
    EXPECT_EQ(d.StateCount(), 2);
    EXPECT_FALSE(d.RgNum_Txt->isEnabled());
}

TEST_F(BmpSetTest, PicturesLoadClearAndNeedAStateAndAFileThatIsNoPictureIsSaid)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("state.bmp");
    QImage img(3, 2, QImage::Format_RGB32);
    img.fill(Qt::white);
    img.setPixel(2, 1, qRgb(0, 0, 0));
    ASSERT_TRUE(img.save(file));
    ctx.ChooseBitmapFile = [&](QWidget*, const QString&, QString& chosen) {
        chosen = file;
        return true;
    };
    TActBmp& obj = Obj<TActBmp>({20, 10});
    auto& d = OpenOn<TBmpSet>(obj);
    d.State_Box->setCurrentIndex(1);
    d.State_BoxChange();
    d.BmpRdBtnClick();
    EXPECT_EQ(d.LabPic->text(), "[ 3 x 2 ]");
    d.State_Box->setCurrentIndex(0);
    d.State_BoxChange();
    d.BtnBmpClearClick();
    EXPECT_EQ(d.PanelCaption(), "[None]");

    // With no state selected nothing is loaded.
    const std::vector<TBitmap> before = d.StatePictures();
    d.State_Box->setCurrentIndex(-1);
    d.BmpRdBtnClick();
    EXPECT_EQ(ShownNumbers().back(), 64);
    EXPECT_EQ(d.StatePictures()[1].Width(), before[1].Width());

    // A file that is no picture is said, and the state keeps its picture.
    QFile text(dir.filePath("text.bmp"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("no picture");
    text.close();
    ctx.ChooseBitmapFile = [&](QWidget*, const QString&, QString& chosen) {
        chosen = text.fileName();
        return true;
    };
    d.State_Box->setCurrentIndex(1);
    d.State_BoxChange();
    d.BmpRdBtnClick();
    ASSERT_FALSE(Shown().empty());
    EXPECT_TRUE(Shown().back().startsWith(M(944) + QStringLiteral("\n"))) << ShownText();
    EXPECT_EQ(d.LabPic->text(), "[ 3 x 2 ]");

    d.State_Box->setCurrentIndex(0);
    ExpectStored(d);
    const TActBmp& back = ReadBack<TActBmp>(obj);
    EXPECT_EQ(back.StateBmp(0)->Width(), 0);
    EXPECT_EQ(PictureToText(*back.StateBmp(1)), "...\n..#\n");
}

TEST_F(BmpSetTest, ALampOnABitStoresItsTextsAndFont)
{
    TLight& lamp = Obj<TLight>({20, 10});
    lamp.StateReverse = 1;
    auto& d = OpenOn<TBmpSet>(lamp);
    d.Bit_Rdo->setChecked(true);
    d.Bit_RdoClick();
    EXPECT_EQ(d.DevRefTxt->text(), "M0") << "a word is no bit address: the default bit";
    d.DevRefTxt->setText("M4");
    d.State_Box->setCurrentIndex(1);
    d.BmpTxt->clear();
    QTest::keyClicks(d.BmpTxt, "Run");
    AnswerFont(QStringLiteral("DejaVu Sans"), 11);
    d.FontTypeBtnClick();
    ExpectStored(d);
    const TLight& back = ReadBack<TLight>(lamp);
    EXPECT_EQ(back.StateMode, 0);
    EXPECT_EQ(back.StateReverse, 0);
    EXPECT_EQ(back.DevAddrCode, 0x3004);
    EXPECT_EQ(back.TotalState, 2);
    EXPECT_EQ(back.TxtList[1], "Run");
    EXPECT_EQ(back.Picture.Canvas()->Font.Name, "DejaVu Sans");
    EXPECT_EQ(back.Picture.Canvas()->Font.Size, 11);
}

TEST_F(BmpSetTest, AnLsbPictureKeepsItsModeWithValuesNeverTyped)
{
    TActBmp& obj = Obj<TActBmp>({0, 0});
    obj.StateMode = 0x20;
    obj.SetStateNum(16);
    auto& d = OpenOn<TBmpSet>(obj);
    EXPECT_TRUE(d.Lsb_Rdo->isChecked());
    EXPECT_EQ(d.StateCount(), 16);
    ExpectStored(d);
    EXPECT_EQ(ReadBack<TActBmp>(obj).StateMode & 0xF0, 0x20);
}

TEST_F(BmpSetTest, TheTableShowsValuesAndTextsOfALamp)
{
    TLight& lamp = Obj<TLight>({20, 10});
    auto& d = OpenOn<TBmpSet>(lamp);
    OnExec("FrmGridTable", [](QDialog& dlg) {
        auto& table = static_cast<TFrmGridTable&>(dlg);
        EXPECT_EQ(table.Cell(1, 1), "20");
        EXPECT_EQ(table.Cell(2, 2), "t1");
        table.SetCell(2, 2, "Stop");
        table.Button2Click();
    });
    d.Comp_TxtClick();
    EXPECT_EQ(d.StateTexts().value(1), "Stop");
}

TEST_F(BmpSetTest, CancelAfterChangesLeavesTheRecord)
{
    for (bool lamp : {false, true}) {
        SCOPED_TRACE(lamp);
        state.Modified = 0;
        TLxObj& obj = lamp ? static_cast<TLxObj&>(Obj<TLight>({30, 20, 10})) : Obj<TActBmp>({30, 20, 10});
        const Bytes before = RecordOf(obj);
        auto& d = OpenOn<TBmpSet>(static_cast<TStateBmpObj&>(obj));
        Order(d, 1);
        Count(d, "1");
        d.BtnBmpClearClick();
        d.Bit_Rdo->setChecked(true);
        d.Bit_RdoClick();
        ExpectCancelKeeps(d, obj, before);
    }
}

} // namespace
} // namespace kes::test
