// What the button dialog's OK stores for each kind of button, and the dialog's own handling
// of states, keys, value formats and pictures before OK.
#include "btntest.h"

#include "app/dialogs/tfrmgridtable.h"
#include "app/dialogs/updown.h"
#include "objects/valformat.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

#include <functional>

namespace kes::test {
namespace {

class BtnStore : public BtnDialogTest {
protected:
    void Ok()
    {
        dlg->OkBtnClick();
        ASSERT_EQ(dlg->result(), QDialog::Accepted) << ShownText();
    }
};

struct StoreCase {
    const char* name;
    std::function<void(BtnDialogTest&, TBtnSet&)> setup;
    std::function<void(const TLxBtn&)> expect;
};

TEST_F(BtnStore, OkStoresTheFieldsOfEachType)
{
    using T = BtnDialogTest;
    const StoreCase cases[] = {
        {"set ON on a bit",
         [](T& t, TBtnSet& d) {
             t.ChooseType(0);
             d.Action->DevWritTxt->setText("m5");
         },
         [](const TLxBtn& b) {
             EXPECT_EQ(b.BtnType, kes::BtnType::SetOn);
             EXPECT_EQ(b.ValKind, 0x00);
             EXPECT_EQ(b.WriteDev.DevAddrCode, 0x3005);
             EXPECT_EQ(b.WriteDev.DevText, "m5");
             EXPECT_EQ(b.TotalState, 2);
             EXPECT_EQ(b.ReadUsed, 0);
             EXPECT_EQ(b.ReadDev.DevAddrCode, -1);
             EXPECT_EQ(b.PrintText, "B&utton[Set ON]");
         }},
        {"input value, signed 32 bits, 4.1 digits",
         [](T& t, TBtnSet& d) {
             t.ChooseType(7);
             t.ChooseValueType(1);
             d.Action->ValLen_Box->setCurrentIndex(1);
             d.ValLen_BoxChange();
             d.Action->Int_Box->setCurrentIndex(3);
             d.Action->Dec_Box->setCurrentIndex(1);
             d.Action->Max_Txt->setText(" 1000 ");
             d.Action->Min_Txt->setText("-1000");
             d.Action->DevWritTxt->setText("D10");
         },
         [](const TLxBtn& b) {
             EXPECT_EQ(b.ValKind, 0x10);
             EXPECT_EQ(b.ValType, 1);
             EXPECT_EQ(b.ValLen, 1);
             EXPECT_EQ(b.IntNum, 4);
             EXPECT_EQ(b.DecNum, 1);
             EXPECT_EQ(b.ParamA, 1000);
             EXPECT_EQ(b.ParamB, -1000);
             EXPECT_EQ(b.WriteDev.DevAddrCode, 0x100A);
             EXPECT_EQ(b.TotalState, 1);
         }},
        {"input value, floating: whole raw limits",
         [](T& t, TBtnSet& d) {
             t.ChooseType(7);
             t.ChooseValueType(4);
             d.Action->Int_Box->setCurrentIndex(9);
             d.Action->Max_Txt->setText("2147483647");
             d.Action->Min_Txt->setText("-5");
         },
         [](const TLxBtn& b) {
             EXPECT_EQ(b.ValType, 7);
             EXPECT_EQ(b.ValLen, 1);
             EXPECT_EQ(b.ParamA, 2147483647);
             EXPECT_EQ(b.ParamB, -5);
         }},
        {"set constant, hexadecimal",
         [](T& t, TBtnSet& d) {
             t.ChooseType(8);
             t.ChooseValueType(2);
             d.Action->Normal_Txt->setText("1f");
         },
         [](const TLxBtn& b) {
             EXPECT_EQ(b.ValType, 2);
             EXPECT_EQ(b.ParamA, 0x1F);
         }},
        {"increment with step and bound",
         [](T& t, TBtnSet& d) {
             t.ChooseType(9);
             d.Action->AddVal_Txt->setText("2");
             d.Action->Bound_Txt->setText("100");
         },
         [](const TLxBtn& b) {
             EXPECT_EQ(b.BtnType, kes::BtnType::Increment);
             EXPECT_EQ(b.ParamA, 2);
             EXPECT_EQ(b.ParamB, 100);
             EXPECT_EQ(b.ValKind, 0x10);
         }},
        {"change page: no address",
         [](T& t, TBtnSet& d) {
             t.ChooseType(11);
             d.Action->PgChg_Box->setCurrentIndex(2);
         },
         [](const TLxBtn& b) {
             EXPECT_EQ(b.ParamA, 2);
             EXPECT_EQ(b.WriteDev.DevAddrCode, -1);
             EXPECT_EQ(b.WriteDev.DevText, "");
             EXPECT_EQ(b.TotalState, 1);
         }},
        {"multi-state on the low byte: 40 typed gives 16 states",
         [](T& t, TBtnSet& d) {
             t.ChooseType(6);
             d.Action->Lsb_Rdo->setChecked(true);
             t.TypeCount("40");
             d.Lsb_RdoClick();
             SetRadioGroupIndex(d.Action->StateToGp, 1);
         },
         [](const TLxBtn& b) {
             EXPECT_EQ(b.ValKind, 0x20);
             EXPECT_EQ(b.TotalState, 16);
             EXPECT_EQ(b.BmpList.size(), 16u);
             EXPECT_EQ(b.MultiFlag, 1);
             EXPECT_EQ(b.WriteDev.DevAddrCode, 0x3000);
         }},
        {"read back and notify after the write, reset",
         [](T& t, TBtnSet& d) {
             t.ChooseType(9);
             t.Tick(d.Action->DevRd_Chk, true, &TBtnSet::DevRd_ChkClick);
             d.Action->DevReadTxt->setText("D7");
             t.Tick(d.Action->Call_Chk, true, &TBtnSet::Call_ChkClick);
             d.Action->CallTxt->setText("M9");
             SetRadioGroupIndex(d.Action->CallOrderGp, 1);
             SetRadioGroupIndex(d.Action->CallStateGp, 0);
         },
         [](const TLxBtn& b) {
             EXPECT_EQ(b.ReadUsed, 1);
             EXPECT_EQ(b.ReadDev.DevAddrCode, 0x1007);
             EXPECT_EQ(b.NotifyUsed, 1);
             EXPECT_EQ(b.NotifyDev.DevAddrCode, 0x3009);
             EXPECT_EQ(b.NotifyOrder, 1);
             EXPECT_EQ(b.NotifyState, 0);
         }},
        {"notify before the write, set",
         [](T& t, TBtnSet& d) {
             t.ChooseType(9);
             t.Tick(d.Action->Call_Chk, true, &TBtnSet::Call_ChkClick);
             d.Action->CallTxt->setText("M9");
             SetRadioGroupIndex(d.Action->CallOrderGp, 0);
             SetRadioGroupIndex(d.Action->CallStateGp, 1);
         },
         [](const TLxBtn& b) {
             EXPECT_EQ(b.NotifyUsed, 1);
             EXPECT_EQ(b.NotifyOrder, 0);
             EXPECT_EQ(b.NotifyState, 1);
         }},
    };
    for (const StoreCase& k : cases) {
        SCOPED_TRACE(k.name);
        FreshButton();
        state.Modified = 0;
        state.Compiled = 1;
        Open();
        k.setup(*this, *dlg);
        Ok();
        k.expect(Btn());
        EXPECT_EQ(state.Modified, 1);
        EXPECT_EQ(state.Compiled, 0);
    }
}

TEST_F(BtnStore, LoadingShowsWhatWasStored)
{
    MakeValueButton(7);
    Btn().ValType = kes::FormatCode(kes::ValFormat::Float);
    Btn().ValLen = 1;
    Btn().ParamA = -20;
    Btn().IntNum = 3;
    Btn().ReadUsed = 1;
    Btn().ReadDev.DevAddrCode = 0x1003;
    Open();
    EXPECT_EQ(dlg->Action->BtnType_Box->currentIndex(), 7);
    EXPECT_EQ(dlg->Action->ValType_Box->currentIndex(), 4);
    EXPECT_EQ(dlg->Action->ValLen_Box->currentIndex(), 1);
    EXPECT_FALSE(dlg->Action->ValLen_Box->isEnabled());
    EXPECT_EQ(dlg->Action->Max_Txt->text(), "-20");
    EXPECT_EQ(dlg->Action->Int_Box->currentIndex(), 2);
    EXPECT_EQ(dlg->Action->DevWritTxt->text(), "D10");
    EXPECT_EQ(dlg->Action->DevReadTxt->text(), "D3");
    EXPECT_FALSE(dlg->Btn_Txt->isEnabled()); // the button shows the value it reads
    EXPECT_EQ(dlg->RefKey_Box->currentIndex(), -1);
    EXPECT_FALSE(dlg->RefKey_Chk->isChecked());
}

// A type that uses no value shows, in its disabled boxes, the value type and length the
// button holds, as the dialog opened again does: never blank boxes.
TEST_F(BtnStore, TypesWithoutAValueShowTheHeldValueTypeAndLength)
{
    for (const int type : {0, 4, 5, 6, 11, 12}) {
        SCOPED_TRACE(type);
        FreshButton();
        MakeValueButton(9);
        Btn().ValType = kes::FormatCode(kes::ValFormat::Hex);
        Btn().ValLen = 1;
        Open();
        ChooseType(type);
        EXPECT_EQ(dlg->Action->ValType_Box->currentIndex(), 2);
        EXPECT_EQ(dlg->Action->ValLen_Box->currentIndex(), 1);
        EXPECT_FALSE(dlg->Action->ValType_Box->isEnabled());
        EXPECT_FALSE(dlg->Action->ValLen_Box->isEnabled());
        dlg->reject();
        Open();
        EXPECT_EQ(dlg->Action->ValType_Box->currentIndex(), 2);
        EXPECT_EQ(dlg->Action->ValLen_Box->currentIndex(), 1);
    }
}

TEST_F(BtnStore, FloatingForcesThirtyTwoBitsAndOtherTypesGoBackToSixteen)
{
    Open();
    ChooseType(7);
    ChooseValueType(4);
    EXPECT_EQ(dlg->Action->ValLen_Box->currentIndex(), 1);
    EXPECT_FALSE(dlg->Action->ValLen_Box->isEnabled());
    EXPECT_EQ(dlg->Action->Max_Txt->text(), "2147483647");
    ChooseValueType(0);
    EXPECT_EQ(dlg->Action->ValLen_Box->currentIndex(), 0);
    EXPECT_TRUE(dlg->Action->ValLen_Box->isEnabled());
    EXPECT_EQ(dlg->Action->Max_Txt->text(), "65535");
    ChooseValueType(1);
    EXPECT_EQ(dlg->Action->Min_Txt->text(), "-32768");
    ChooseValueType(3);
    EXPECT_FALSE(dlg->Action->Dec_Box->isEnabled());
    EXPECT_EQ(dlg->Action->Dec_Box->currentIndex(), 0);
}

TEST_F(BtnStore, FunctionKeyFlagsOfThePageFollowTheBinding)
{
    struct Case {
        const char* name;
        int oldKey; // 255: none
        bool ticked;
        int chosen;
        int storedKey;
    } cases[] = {
        {"bound to F3, moved to F5", 3, true, 5, 5},
        {"bound to F3, unticked", 3, false, -1, 255},
        {"no key before, none after: no flag touched", 255, false, -1, 255},
        {"ticked with no key chosen", 255, true, -1, 255},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        FreshButton();
        MakeBitButton();
        page.ObjFunKeyUsed.fill(0);
        Btn().RefKey = static_cast<std::uint8_t>(k.oldKey);
        if (k.oldKey < 14)
            page.ObjFunKeyUsed[static_cast<std::size_t>(k.oldKey)] = 1;
        const auto funKeys = page.PgFunKeyUsed;
        Open();
        dlg->RefKey_Chk->setChecked(k.ticked);
        dlg->RefKey_ChkClick();
        dlg->RefKey_Box->setCurrentIndex(k.chosen);
        Ok();
        EXPECT_EQ(Btn().RefKey, k.storedKey);
        for (int i = 0; i < 14; ++i)
            EXPECT_EQ(page.ObjFunKeyUsed[static_cast<std::size_t>(i)], i == k.storedKey ? 1 : 0) << i;
        EXPECT_EQ(page.PgFunKeyUsed, funKeys);
    }
}

TEST_F(BtnStore, KeyChoiceRefusalsPutTheKeyBack)
{
    MakeBitButton();
    Btn().RefKey = 3;
    page.ObjFunKeyUsed[3] = 1;
    page.PgFunKeyUsed[4] = 1;
    page.ObjFunKeyUsed[6] = 1;
    struct Case {
        const char* name;
        int type;
        bool upDown;
        int key;
        int msg; // -1: accepted
    } cases[] = {
        {"key of a page function key", 0, false, 4, 14},
        {"key of another button", 0, false, 6, 14},
        {"its own key again", 0, false, 3, -1},
        {"a free key", 0, false, 8, -1},
        {"Down while Up/Down are not redefined", 0, false, 11, 122},
        {"Down once they are", 0, true, 11, -1},
        {"Left for a maintained button", 5, true, 12, 122},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        ctx.UpDownKeysEnabled = k.upDown;
        Open();
        if (k.type != 0)
            ChooseType(k.type);
        dlg->RefKey_Chk->setChecked(true);
        dlg->RefKey_ChkClick();
        const std::size_t shown = prompt.shown.size();
        dlg->RefKey_Box->setCurrentIndex(k.key);
        dlg->RefKey_BoxChange();
        if (k.msg < 0) {
            EXPECT_EQ(prompt.shown.size(), shown);
            EXPECT_EQ(dlg->RefKey_Box->currentIndex(), k.key);
        } else {
            ASSERT_EQ(prompt.shown.size(), shown + 1);
            EXPECT_EQ(ShownNumbers().back(), k.msg);
            EXPECT_EQ(dlg->RefKey_Box->currentIndex(), 3);
        }
    }
}

TEST_F(BtnStore, StateCountEntryAndSpinner)
{
    Open();
    ChooseType(6);
    EXPECT_TRUE(dlg->Action->Bit_Rdo->isChecked());
    EXPECT_EQ(dlg->StateCount(), 2);
    EXPECT_FALSE(dlg->StaNum_Txt->isEnabled());

    dlg->Action->Val_Rdo->setChecked(true);
    dlg->Val_RdoClick();
    struct Typed {
        const char* text;
        int count;
        const char* shown;
    } typed[] = {{"300", 1, "1"}, {"abc", 1, "1"}, {"0", 1, "1"}, {"255", 255, "255"}, {"7", 7, "7"}};
    for (const Typed& t : typed) {
        TypeCount(t.text);
        EXPECT_EQ(dlg->StateCount(), t.count) << t.text;
        EXPECT_EQ(dlg->StaNum_Txt->text(), t.shown) << t.text;
        EXPECT_EQ(dlg->State_Box->count(), t.count) << t.text;
    }

    // The low byte allows 16 states; the spinner wraps round at both ends, never to 0.
    TypeCount("40");
    dlg->Action->Lsb_Rdo->setChecked(true);
    dlg->Lsb_RdoClick();
    EXPECT_EQ(dlg->StateCount(), 16);
    dlg->StaNum_UD->Click(true);
    EXPECT_EQ(dlg->StateCount(), 1);
    dlg->StaNum_UD->Click(false);
    EXPECT_EQ(dlg->StateCount(), 16);
    TypeCount("200");
    EXPECT_EQ(dlg->StateCount(), 200);

    dlg->Action->Bit_Rdo->setChecked(true);
    dlg->Bit_RdoClick();
    dlg->StaNum_UD->Click(true);
    EXPECT_EQ(dlg->StateCount(), 1);
    dlg->StaNum_UD->Click(false);
    EXPECT_EQ(dlg->StateCount(), 2);
}

TEST_F(BtnStore, StateTextsFollowTheSelectedStateAndTheTable)
{
    MakeBitButton();
    Open();
    EXPECT_EQ(dlg->Btn_Txt->text(), "off");
    dlg->Btn_TxtKeyUp(Qt::Key_Down);
    EXPECT_EQ(dlg->State_Box->currentIndex(), 1);
    EXPECT_EQ(dlg->Btn_Txt->text(), "on");
    dlg->Btn_Txt->setText("ON!");
    dlg->Btn_TxtKeyUp(0);
    EXPECT_EQ(dlg->StateTexts().value(1), "ON!");
    dlg->Btn_TxtKeyUp(Qt::Key_Down); // no state after the last
    EXPECT_EQ(dlg->State_Box->currentIndex(), 1);

    // The table shows the texts under the text label and hands back what was typed.
    OnExec("FrmGridTable", [](QDialog& d) {
        auto& table = static_cast<TFrmGridTable&>(d);
        EXPECT_EQ(table.windowTitle(), "Button State Table");
        EXPECT_EQ(table.Cell(0, 1), "State0");
        EXPECT_EQ(table.Cell(1, 2), "ON!");
        EXPECT_TRUE(table.BtnRefer->isHidden());
        table.SetCell(1, 1, "Stop");
        table.Button2Click();
    });
    dlg->Btn_TxtClick();
    EXPECT_EQ(dlg->StateTexts(), QStringList({"Stop", "ON!"}));
    Ok();
    EXPECT_EQ(Btn().TxtList, (std::vector<std::string>{"Stop", "ON!"}));
    EXPECT_EQ(Btn().CurPt, 1);
}

TEST_F(BtnStore, PicturesAreMadeBlackAndWhiteAndStored)
{
    // The colour value is 0x00BBGGRR: above 0x7FFFFF white, else black.
    struct Px {
        TColor in;
        TColor out;
    } pixels[] = {{0x800000, clWhite}, {0x7FFFFF, clBlack}, {clBlue, clWhite}, {clRed, clBlack}, {0x808080, clWhite}};
    TBitmap pic(5, 1);
    for (int i = 0; i < 5; ++i)
        pic.Canvas()->SetPixel(i, 0, pixels[i].in);
    PicturePanel::MakeMonochrome(pic);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(pic.Canvas()->Pixel(i, 0), pixels[i].out) << i;

    QTemporaryDir dir;
    const QString file = dir.filePath("state.bmp");
    QImage img(6, 3, QImage::Format_RGB32);
    img.fill(Qt::black);
    img.setPixel(0, 0, qRgb(255, 255, 255));
    ASSERT_TRUE(img.save(file));
    std::string folder = "/start";
    ctx.BmpFolder = &folder;
    QString offered;
    ctx.ChooseBitmapFile = [&](QWidget*, const QString& from, QString& chosen) {
        offered = from;
        chosen = file;
        return true;
    };
    MakeBitButton();
    Open();
    EXPECT_EQ(dlg->PanelCaption(), "[None]");
    dlg->BmpRdBtnClick();
    EXPECT_EQ(offered, "/start");
    EXPECT_EQ(QString::fromStdString(folder), dir.path());
    EXPECT_EQ(dlg->LabPic->text(), "[ 6 x 3 ]");
    EXPECT_TRUE(dlg->PanelCaption().isEmpty());
    Ok();
    ASSERT_NE(Btn().StateBmp(0), nullptr);
    EXPECT_EQ(PictureToText(*Btn().StateBmp(0)), ".#####\n######\n######\n");
}

TEST_F(BtnStore, CircularFrameIsSquareInPanelPixels)
{
    MakeBitButton();
    Btn().SetObjSize(2);
    Btn().SetWidth(80);
    Btn().SetHeight(48);
    Btn().GridWidth = 1;
    Btn().GridHeight = 2;
    ASSERT_EQ(Btn().Picture.Width(), 40);
    ASSERT_EQ(Btn().Picture.Height(), 24);
    Open();
    dlg->BtnSurFace_Box->setCurrentIndex(3);
    Ok();
    EXPECT_EQ(Btn().Surface, 3);
    EXPECT_EQ(Btn().Width, 48);
    EXPECT_EQ(Btn().Height, 96);
}

} // namespace
} // namespace kes::test
