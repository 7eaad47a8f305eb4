// The device state picture dialog on kind 3 and kind 21 objects. The bit-or-word choice and
// the bit of the word exist only on a kind 21 object of the panel model that makes them: a
// kind 3 object there has no such fields, so it keeps a bit address and a record without
// them. One message covers a bad address and a missing picture; the object is repainted
// whether OK passed or not; nothing is stored on a refusal or a Cancel.
#include "objdlgtest.h"

#include "app/dialogs/tdevref.h"
#include "app/dialogs/tdevstaset.h"
#include "objects/tlxadvdevbmp.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

namespace kes::test {
namespace {

class DevStaSetTest : public ObjDialogTest {
protected:
    DevStaSetTest()
    {
        for (TLxDevBmp* o : {static_cast<TLxDevBmp*>(&bit), static_cast<TLxDevBmp*>(&adv)}) {
            o->DevAddrCode = 0x3005;
            o->DevText = "M5";
        }
        adv.ValMode = 0x00;
        adv.BitNo = TDevStaSet::kNoLsb;
    }
    // The dialog of obj's class, as the kind table opens it (kind 3 or kind 21).
    template <typename Obj> TDevStaSet& Open(Obj& obj, int model)
    {
        state.PanelModelIndex = static_cast<std::int16_t>(model);
        dlg = std::make_unique<TDevStaSet>(ctx, nullptr, obj);
        dlg->show();
        return *dlg;
    }
    void ChooseBitVal(int i)
    {
        dlg->RG_BitVal->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly).value(i)->setChecked(true);
        dlg->RG_BitValClick();
    }
    TLxDevBmp bit;
    TLxAdvDevBmp adv;
    std::unique_ptr<TDevStaSet> dlg;
};

TEST_F(DevStaSetTest, TheBitOrWordChoiceIsOfferedOnlyForKind21OnItsModel)
{
    struct Case {
        const char* name;
        bool advanced;
        int model;
        bool offered;
    };
    const Case cases[] = {
        {"kind 21 on model 2", true, 2, true},
        {"kind 21 on another model", true, 0, false},
        {"kind 3 on model 2", false, 2, false},
        {"kind 3 on another model", false, 1, false},
    };
    bool lsbShown = false;
    OnExec("DevRef", [&](QDialog& p) {
        lsbShown = static_cast<TDevRef&>(p).ZqLsb->isVisible();
        p.reject();
    });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TDevStaSet& d = c.advanced ? Open(adv, c.model) : Open(bit, c.model);
        EXPECT_EQ(d.RG_BitVal->isVisible(), c.offered);
        EXPECT_EQ(d.DevRefTxt->text(), "M5");
        lsbShown = !c.offered;
        if (c.offered)
            ChooseBitVal(1);
        d.RefBtnClick();
        EXPECT_EQ(lsbShown, c.offered) << "the picker offers the bit of a word";
    }
}

TEST_F(DevStaSetTest, ChoosingBitOrWordResetsTheAddressStateAndPictures)
{
    adv.OnBmp = 4;
    adv.OffBmp = 5;
    TDevStaSet& d = Open(adv, 2);
    EXPECT_EQ(d.ON_Box->currentIndex(), 4);
    EXPECT_EQ(d.OFF_Box->currentIndex(), 5);
    ChooseBitVal(1);
    EXPECT_EQ(d.DevRefTxt->text(), "D0");
    EXPECT_EQ(d.KindByte(), 0x10);
    EXPECT_EQ(d.LsbState(), 0);
    EXPECT_EQ(d.ON_Box->currentIndex(), 0);
    EXPECT_EQ(d.OFF_Box->currentIndex(), 0);
    ChooseBitVal(0);
    EXPECT_EQ(d.DevRefTxt->text(), "M0");
    EXPECT_EQ(d.KindByte(), 0x00);
    EXPECT_EQ(d.LsbState(), TDevStaSet::kNoLsb);
}

TEST_F(DevStaSetTest, OkStoresThePicturesTheAddressAndTheBitOfAWord)
{
    TDevStaSet& d = Open(adv, 2);
    ChooseBitVal(1);
    OnExec("DevRef", [](QDialog& p) {
        auto& picker = static_cast<TDevRef&>(p);
        EXPECT_EQ(picker.CB_LsbState->currentIndex(), 0);
        picker.CB_LsbState->setCurrentIndex(9);
        picker.DevNum_Txt->setText("12");
        picker.OkBtnClick();
    });
    d.RefBtnClick();
    EXPECT_EQ(d.DevRefTxt->text(), "D12");
    d.ON_Box->setCurrentIndex(17);
    d.OFF_Box->setCurrentIndex(3);
    ExpectStored(d);
    EXPECT_EQ(adv.OnBmp, 17);
    EXPECT_EQ(adv.OffBmp, 3);
    EXPECT_EQ(adv.ValMode, 0x10);
    EXPECT_EQ(adv.BitNo, 9);
    EXPECT_EQ(adv.DevAddrCode, 0x100C);
    // 14 ref | 23 kind byte + bit | 24 ON | 25 OFF
    const Bytes rec = RecordOf(adv);
    ASSERT_EQ(rec.size(), 26u);
    EXPECT_EQ(GetU32be(rec, 14), 0x100Cu);
    EXPECT_EQ(rec[23], 0x19);
    EXPECT_EQ(rec[24], 17);
    EXPECT_EQ(rec[25], 3);
}

// A kind 3 object where the model makes kind 21 ones (pasted, or from an older project): a
// bit address, and its record keeps the kind 3 layout.
TEST_F(DevStaSetTest, AKind3ObjectOnTheKind21ModelStaysABitPicture)
{
    TDevStaSet& d = Open(bit, 2);
    d.DevRefTxt->setText("M40");
    d.ON_Box->setCurrentIndex(2);
    ExpectStored(d);
    EXPECT_EQ(bit.DevAddrCode, 0x3028);
    EXPECT_EQ(bit.OnBmp, 2);
    // 14 ref | 23 ON | 24 OFF
    const Bytes rec = RecordOf(bit);
    ASSERT_EQ(rec.size(), 25u);
    EXPECT_EQ(rec[23], 2);
}

TEST_F(DevStaSetTest, KindByteAndBitAreKeptWhereTheChoiceIsNotOffered)
{
    adv.ValMode = 0x10;
    adv.BitNo = 4;
    adv.DevAddrCode = 0x1003;
    TDevStaSet& d = Open(adv, 0);
    EXPECT_EQ(d.DevRefTxt->text(), "D3") << "a word address shown as a word";
    d.DevRefTxt->setText("D8");
    ExpectStored(d);
    EXPECT_EQ(adv.ValMode, 0x10);
    EXPECT_EQ(adv.BitNo, 4);
    EXPECT_EQ(adv.DevAddrCode, 0x1008);
}

TEST_F(DevStaSetTest, OneMessageForABadAddressOrAMissingPictureAndTheObjectRepainted)
{
    struct Case {
        const char* name;
        const char* address;
        int on, off;
    };
    const Case cases[] = {
        {"unknown device", "X5", 1, 1},
        {"a word for a bit picture", "D5", 1, 1},
        {"no ON picture", "M5", -1, 1},
        {"no OFF picture", "M5", 1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TDevStaSet& d = Open(bit, 0);
        d.DevRefTxt->setText(c.address);
        d.ON_Box->setCurrentIndex(c.on);
        d.OFF_Box->setCurrentIndex(c.off);
        bit.Picture.SetSize(1, 1);
        ExpectRefused(d, bit, 17);
        EXPECT_EQ(bit.Picture.Width(), 16) << "repainted";
    }
}

TEST_F(DevStaSetTest, CancelAfterChangesLeavesTheRecordByteForByte)
{
    adv.OnBmp = 6;
    const Bytes before = RecordOf(adv);
    TDevStaSet& d = Open(adv, 2);
    ChooseBitVal(1);
    d.ON_Box->setCurrentIndex(9);
    d.DevRefTxt->setText("D77");
    ExpectCancelKeeps(d, adv, before);
}

} // namespace
} // namespace kes::test
