// The device address picker: how it splits the address it is given into device and number,
// which devices it offers, its keypad and station spinner, and that OK hands back only an
// address the controller's table accepts (message 17 otherwise, the picker staying open).
#include "dialogtest.h"

#include "app/dialogs/addressfield.h"
#include "app/dialogs/tdevref.h"
#include "app/dialogs/updown.h"
#include "tests/support/formfinder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace kes::test {
namespace {

class DevRefTest : public DialogTest {
protected:
    TDevRef& Open(const QString& text, DevWant want, bool deviceForm = true, bool panelMemory = false)
    {
        dlg = std::make_unique<TDevRef>(nullptr, prompt, model);
        dlg->AddrText = text;
        dlg->WantKind = want;
        dlg->DevChk->setChecked(deviceForm);
        dlg->PlcMemory = panelMemory ? 0 : 1;
        dlg->StationNo = 7;
        dlg->show();
        return *dlg;
    }
    QStringList Rows() const
    {
        QStringList rows;
        for (int i = 0; i < dlg->Dev_Box->count(); ++i)
            rows << dlg->Dev_Box->itemText(i);
        return rows;
    }
    void Key(const char* caption)
    {
        for (QPushButton* k : dlg->NumKeys)
            if (k->text() == QLatin1String(caption))
                dlg->Num_0Click(k);
    }
    std::unique_ptr<TDevRef> dlg;
};

TEST_F(DevRefTest, TheAddressIsSplitAtTheFirstDeviceThatBeginsIt)
{
    // D and DX in that order: D100 is device D, number 100 (the first row that matches wins).
    DevRecord dx = model.DeviceTable[1];
    dx.Name = "DX";
    model.DeviceTable.insert(model.DeviceTable.begin() + 2, dx);
    Open("d100", DevWant::Word);
    EXPECT_EQ(Rows(), QStringList({"D", "DX", "C"}));
    EXPECT_EQ(dlg->Dev_Box->currentText(), "D");
    EXPECT_EQ(dlg->DevNum_Txt->text(), "100");
    EXPECT_EQ(dlg->ComAddr_Txt->text(), "7");
    EXPECT_FALSE(dlg->ZQMemType->isEnabled());
}

TEST_F(DevRefTest, OfferedDevicesFollowTheWantedKindAndMemory)
{
    struct Case {
        DevWant want;
        bool panelMemory;
        QStringList rows;
    } cases[] = {
        {DevWant::Bit, false, {"M"}}, {DevWant::Word, false, {"D", "C"}}, {DevWant::Any, false, {"M", "D", "C"}},
        {DevWant::Bit, true, {"@B"}}, {DevWant::Word, true, {"@V"}},      {DevWant::BitOrWord, true, {"@B", "@V"}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.rows.join(",").toStdString());
        Open("", k.want, true, k.panelMemory);
        EXPECT_EQ(Rows(), k.rows);
        EXPECT_EQ(dlg->ZQMemHmi->isChecked(), k.panelMemory);
    }
    // Absolute addresses: the only row is "$".
    Open("$1A2B", DevWant::Word, false);
    EXPECT_EQ(Rows(), QStringList({"$"}));
    EXPECT_EQ(dlg->DevNum_Txt->text(), "1A2B");
    EXPECT_EQ(dlg->DevNum_Lab->text(), M(67));
}

TEST_F(DevRefTest, PaddedPlainNumbers)
{
    // A controller whose addresses are 4-digit numbers: bits and words are told apart by the
    // devices "*BIT" and "*VAL" that the picker puts in front.
    model.AddrTextFmt = 0x14;
    DevRecord bits = model.DeviceTable[0];
    bits.Name = "*BIT";
    bits.Ranges[0].Max = 9999;
    DevRecord words = model.DeviceTable[1];
    words.Name = "*VAL";
    words.Ranges[0].Max = 9999;
    model.DeviceTable = {bits, words};
    Open("5", DevWant::Bit);
    EXPECT_EQ(dlg->Dev_Box->currentText(), "*BIT");
    EXPECT_EQ(dlg->DevNum_Txt->text(), "0005");
    EXPECT_TRUE(dlg->Dev_Box->isHidden());
    dlg->DevNum_Txt->deselect();
    Key("7"); // a fifth digit is taken off again
    EXPECT_EQ(dlg->DevNum_Txt->text(), "0005");
    dlg->OkBtnClick();
    EXPECT_EQ(dlg->result(), QDialog::Accepted) << ShownText();
    EXPECT_EQ(dlg->AddrText, "0005");
}

TEST_F(DevRefTest, KeypadReplacesASelectedNumberAndAppendsOtherwise)
{
    Open("D12", DevWant::Word);
    dlg->DevNum_Txt->selectAll();
    Key("4");
    EXPECT_EQ(dlg->DevNum_Txt->text(), "4");
    Key("2");
    dlg->DevNum_Txt->setCursorPosition(0);
    Key("9");
    EXPECT_EQ(dlg->DevNum_Txt->text(), "429");
    dlg->DelBtnClick();
    EXPECT_TRUE(dlg->DevNum_Txt->text().isEmpty());
}

TEST_F(DevRefTest, StationSpinnerWrapsRound)
{
    Open("D1", DevWant::Word);
    dlg->ComAddr_Txt->setText("255");
    dlg->ComAddr_TxtKeyUp();
    dlg->ComAddr_UD->Click(true);
    EXPECT_EQ(dlg->ComAddr_Txt->text(), "0");
    dlg->ComAddr_UD->Click(false);
    EXPECT_EQ(dlg->ComAddr_Txt->text(), "255");
}

TEST_F(DevRefTest, ASlavePortSwitchesToPanelMemory)
{
    state.PortSlaveMode = {0, 1};
    Open("D1", DevWant::Word);
    dlg->ComboBoxHMICom->setCurrentIndex(1);
    dlg->ComboBoxHMIComChange();
    EXPECT_TRUE(dlg->ZQMemHmi->isChecked());
    EXPECT_EQ(dlg->PlcMemory, 0);
    EXPECT_EQ(Rows(), QStringList({"@V"}));
    EXPECT_EQ(dlg->DevNum_Txt->text(), "0");
    EXPECT_FALSE(dlg->ZQMemType->isEnabled());
}

TEST_F(DevRefTest, OkComposesAndChecksTheAddress)
{
    struct Case {
        const char* name;
        QString text;
        DevWant want;
        bool deviceForm;
        const char* number; // typed over the loaded one
        bool accepted;
        QString result;
    } cases[] = {
        {"word picked", "D1", DevWant::Word, true, "250", true, "D250"},
        {"number past every range", "D1", DevWant::Word, true, "1000", false, ""},
        {"absolute address", "$0", DevWant::Word, false, "1A2B", true, "$1A2B"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        const std::size_t shown = prompt.shown.size();
        Open(k.text, k.want, k.deviceForm);
        dlg->DevNum_Txt->setText(k.number);
        dlg->OkBtnClick();
        if (k.accepted) {
            EXPECT_EQ(dlg->result(), QDialog::Accepted) << ShownText();
            EXPECT_EQ(dlg->AddrText, k.result);
            EXPECT_EQ(prompt.shown.size(), shown);
        } else {
            EXPECT_NE(dlg->result(), QDialog::Accepted);
            ASSERT_EQ(prompt.shown.size(), shown + 1);
            EXPECT_EQ(ShownNumbers().back(), 17);
        }
    }
}

// An address field runs the picker with its companions and takes back what OK gave; a
// closed picker changes nothing.
TEST_F(DevRefTest, AddressFieldTakesThePickedAddressOnlyAfterOk)
{
    QLineEdit edit;
    AddressField field(ctx, &edit, nullptr);
    field.Comp = RefCompanion{3, 0, 1, 0};
    edit.setText("D5");
    OnExec("DevRef", [](QDialog& d) {
        auto& p = static_cast<TDevRef&>(d);
        EXPECT_EQ(p.DevNum_Txt->text(), "5");
        EXPECT_EQ(p.ComAddr_Txt->text(), "3");
        p.DevNum_Txt->setText("42");
        p.ComAddr_Txt->setText("9");
        p.ComboBoxHMICom->setCurrentIndex(1);
        p.OkBtnClick();
    });
    EXPECT_TRUE(field.Pick(nullptr, DevWant::Word, 0));
    EXPECT_EQ(edit.text(), "D42");
    EXPECT_EQ(field.Comp.Station, 9);
    EXPECT_EQ(field.Comp.Link, 1);
    EXPECT_EQ(FindForm(QStringLiteral("DevRef")), nullptr);

    prompt.onExec = [](QDialog& d) { static_cast<TDevRef&>(d).CloseBtnClick(); };
    EXPECT_FALSE(field.Pick(nullptr, DevWant::Word, 0));
    EXPECT_EQ(edit.text(), "D42");
    EXPECT_EQ(field.Comp.Station, 9);
}

// The low-byte state choice shows only when asked for, keeps its index through the picker's
// translation and comes back with OK.
TEST_F(DevRefTest, LowByteStateChoice)
{
    OnExec("DevRef", [](QDialog& d) {
        auto& p = static_cast<TDevRef&>(d);
        EXPECT_TRUE(p.ZqLsb->isVisible());
        EXPECT_EQ(p.CB_LsbState->currentIndex(), 9);
        p.CB_LsbState->setCurrentIndex(12);
        p.OkBtnClick();
    });
    DevRefRequest r;
    r.Text = "D5";
    r.WantKind = DevWant::Word;
    r.ShowLsb = true;
    r.LsbState = 9;
    ASSERT_TRUE(RunDevRef(prompt, nullptr, model, r));
    EXPECT_EQ(r.LsbState, 12);
    EXPECT_EQ(r.Text, "D5");

    Open("D5", DevWant::Word);
    EXPECT_FALSE(dlg->ZqLsb->isVisible());
}

} // namespace
} // namespace kes::test
