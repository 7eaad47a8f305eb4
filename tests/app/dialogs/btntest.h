#pragma once
// Shared by the button dialog tests: a button on a word or bit address, the dialog shown on
// it, and a snapshot of every field the dialog may write, so a test can tell that a refused
// OK or a Cancel left the button exactly as it was.
#include "dialogtest.h"

#include "app/dialogs/tbtnset.h"
#include "objects/tlxbtn.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace kes::test {

struct BtnSnapshot {
    explicit BtnSnapshot(const TLxBtn& b)
        : fields(kes::BtnCode(b.BtnType), b.ValKind, b.ValType, b.ValLen, b.ReadUsed, b.NotifyUsed, b.NotifyOrder,
                 b.NotifyState, b.UserLevel, b.MultiFlag, b.IntNum, b.DecNum, b.ParamA, b.ParamB, b.Surface,
                 b.TotalState, b.RefKey, b.fontsize, b.PassText, b.PrintText),
          refs{Ref(b.WriteDev), Ref(b.ReadDev), Ref(b.NotifyDev)}, texts(b.TxtList)
    {
        for (const auto& p : b.BmpList)
            pictures.push_back(PictureToText(*p));
    }
    bool operator==(const BtnSnapshot&) const = default;

    using RefFields = std::tuple<std::int32_t, std::string, int, int, int, int, int>;
    static RefFields Ref(const TLxDevRef& r)
    {
        return {r.DevAddrCode, r.DevText, r.RefDevForm, r.RefIntMem, r.RefStation, r.RefLink, r.RefBitNo};
    }

    std::tuple<int, int, int, int, int, int, int, int, int, int, int, int, std::int32_t, std::int32_t, int, int, int,
               int, std::array<std::uint8_t, 4>, std::string>
        fields;
    std::vector<RefFields> refs;
    std::vector<std::string> texts;
    std::vector<std::string> pictures;
};

class BtnDialogTest : public DialogTest {
public:
    // Used by the case tables too.
    // A set-ON button on M5 with two states "off" and "on", as a project would hold it.
    void MakeBitButton()
    {
        Btn().BtnType = kes::BtnType::SetOn;
        Btn().ValKind = 0x00;
        Btn().WriteDev.DevAddrCode = 0x3005;
        Btn().WriteDev.DevText = "M5";
        Btn().SetStateNum(2);
        Btn().TxtList = {"off", "on"};
    }
    // An increment button on D10.
    void MakeValueButton(int type = 9)
    {
        Btn().BtnType = static_cast<kes::BtnType>(type);
        Btn().ValKind = 0x10;
        Btn().WriteDev.DevAddrCode = 0x100A;
        Btn().WriteDev.DevText = "D10";
        Btn().SetStateNum(1);
        Btn().ParamA = 1;
        Btn().ParamB = 100;
    }
    TBtnSet& Open()
    {
        dlg = std::make_unique<TBtnSet>(ctx, nullptr, Btn());
        dlg->show();
        return *dlg;
    }
    // Chooses a button type as the user does.
    void ChooseType(int t)
    {
        dlg->Action->BtnType_Box->setCurrentIndex(t);
        dlg->BtnType_BoxChange();
    }
    void Tick(QCheckBox* box, bool on, void (TBtnSet::*handler)())
    {
        box->setChecked(on);
        (dlg.get()->*handler)();
    }
    void ChooseValueType(int item)
    {
        dlg->Action->ValType_Box->setCurrentIndex(item);
        dlg->ValType_BoxChange();
    }
    void TypeCount(const QString& text)
    {
        dlg->StaNum_Txt->setText(text);
        dlg->StaNum_TxtKeyUp();
    }

    TLxBtn& Btn() { return *button_; }
    // A new button; the dialog on the old one goes first.
    void FreshButton()
    {
        dlg.reset();
        button_ = std::make_unique<TLxBtn>();
    }

    std::unique_ptr<TBtnSet> dlg;

private:
    std::unique_ptr<TLxBtn> button_ = std::make_unique<TLxBtn>();
};

} // namespace kes::test
