// The button settings form: the checks of OK in their fixed order, then the write-back.
// Every check runs before anything is written, so a refused OK leaves the button as it was.
#include "app/dialogs/tbtnset.h"

#include "app/dialogs/entryfields.h"
#include "app/dialogs/tfrmuserlevel.h"
#include "app/model/lxtypecore.h"
#include "app/model/projectstate.h"
#include "app/project/pagedata.h"
#include "objects/addrmode.h"
#include "objects/digtest.h"
#include "objects/tlxbtn.h"
#include "platform/codepage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

#include <algorithm>

using kes::Check;
using kes::FailMsg;

namespace {

enum Msg {
    kMsgNoType = 90,
    kMsgUserLevel = 107,
    kMsgKeyRefused = 122,
};

using kes::FieldFormat;
using kes::kFloatItem;

std::string Ansi(const QLineEdit* e) { return kes::FieldText(e); }

} // namespace

Check TBtnSet::ValidateAddresses()
{
    if (kes::IsBitBtnType(Action->Type()))
        Action->ValLen_Box->setCurrentIndex(0);
    return kes::CheckTypeAddresses(Action->Type(), AccessKind(), LengthIndex(), *Action->Write,
                                   Action->DevRd_Chk->isChecked() ? Action->Read.get() : nullptr,
                                   Action->Call_Chk->isChecked() ? Action->Notify.get() : nullptr);
}

Check TBtnSet::ValidateValues()
{
    return kes::CheckTypeValues(Action->Type(), Action->ValType_Box->currentIndex(), LengthIndex() == 1,
                                {Action->Int_Box, Action->Dec_Box, Action->Max_Txt, Action->Min_Txt, Action->Normal_Txt,
                                 Action->AddVal_Txt, Action->Bound_Txt, Action->PgChg_Box});
}

Check TBtnSet::Validate()
{
    if (Action->Type() == kes::BtnType::None)
        return FailMsg(kMsgNoType);
    if (Check f = kes::CheckPassword(PassTxt))
        return f;
    const int key = RefKey_Box->currentIndex();
    if (!Ctx().UpDownKeysEnabled && (key == kes::kKeyUp || key == kes::kKeyDown))
        return FailMsg(kMsgKeyRefused);
    if (Check f = ValidateAddresses())
        return f;
    if (!kes::UserLevelAccepted(Ctx().State, std::max(0, ComboBox_UserLevel->currentIndex())))
        return FailMsg(kMsgUserLevel);
    return ValidateValues();
}

// ---- Write-back

void TBtnSet::StoreType()
{
    TLxBtn& b = btn_;
    const int item = Action->ValType_Box->currentIndex();
    const int format = FieldFormat(item);
    const std::uint8_t len = LengthIndex();
    b.ValKind = AccessKind();
    auto storeFormat = [&] {
        b.ValType = item == kFloatItem ? kes::FormatCode(kes::ValFormat::Float) : static_cast<std::uint8_t>(format);
        b.ValLen = len;
    };
    auto value = [&](QLineEdit* e) {
        const std::string text = Ansi(e);
        e->setText(kes::AnsiToQString(text));
        // A floating value's numbers are read as 64-bit integers and kept to 32 bits.
        return item == kFloatItem ? DecimalTextToInt(text) : static_cast<std::int32_t>(TextToValue(text, format));
    };
    switch (Action->Type()) {
    case kes::BtnType::MultiState:
        b.MultiFlag = kes::RadioGroupIndex(Action->StateToGp) == 1 ? 1 : 0;
        if (b.ValKind == kes::kWordFlags)
            storeFormat();
        break;
    case kes::BtnType::InputValue:
        b.IntNum = static_cast<std::uint8_t>(Action->Int_Box->currentIndex() + 1);
        b.DecNum = static_cast<std::uint8_t>(std::max(0, Action->Dec_Box->currentIndex()));
        storeFormat();
        b.ParamA = value(Action->Max_Txt);
        b.ParamB = value(Action->Min_Txt);
        break;
    case kes::BtnType::SetConstant:
        storeFormat();
        b.ParamA = value(Action->Normal_Txt);
        break;
    case kes::BtnType::Increment:
    case kes::BtnType::Decrement:
        storeFormat();
        b.ParamA = value(Action->AddVal_Txt);
        b.ParamB = value(Action->Bound_Txt);
        break;
    case kes::BtnType::ChangePage:
        b.ParamA = Action->PgChg_Box->currentIndex();
        break;
    default:
        break;
    }
}

void TBtnSet::StoreKey()
{
    const int key = RefKey_Chk->isChecked() ? RefKey_Box->currentIndex() : -1;
    btn_.RefKey = kes::BindKey(Ctx().Page, btn_.BoundKey(), key);
}

void TBtnSet::StoreStates()
{
    TLxBtn& b = btn_;
    b.SetStateNum(static_cast<std::uint8_t>(count_));
    for (int i = 0; i < count_; ++i) {
        b.BmpCopyIn(pics_[static_cast<std::size_t>(i)], i);
        if (i < static_cast<int>(b.TxtList.size()))
            b.TxtList[static_cast<std::size_t>(i)] = kes::QStringToAnsi(texts_.value(i));
    }
}

void TBtnSet::StoreFrame()
{
    TLxBtn& b = btn_;
    const int sel = SelectedState();
    b.SetBtnPt(count_ < 2 || sel < 0 ? 0 : sel);
    if (Font_Box->currentIndex() >= 0)
        b.FontSet(Font_Box->currentIndex());
    if (Ctx().ObjFontBoxRefresh)
        Ctx().ObjFontBoxRefresh(b);
    if (BtnSurFace_Box->currentIndex() >= 0)
        b.SetSurface(static_cast<std::uint8_t>(BtnSurFace_Box->currentIndex()));
    if (b.Surface == 3) {
        // Square in panel pixels: the shorter side of the picture, then the height by the grid.
        const int zoom = std::max(1, b.ObjSize);
        if (b.Picture.Width() > b.Picture.Height())
            b.SetWidth(b.Picture.Height() * zoom);
        else if (b.Picture.Height() > b.Picture.Width())
            b.SetWidth(b.Picture.Width() * zoom);
        b.SetHeight(b.Width * b.GridHeight / std::max(1, b.GridWidth));
    }
}

void TBtnSet::Store()
{
    TLxBtn& b = btn_;
    const kes::BtnType t = Action->Type();
    StoreType();

    Action->Write->StoreTo(b.WriteDev, b.ValKind);
    b.PassText = kes::PasswordBytes(PassTxt->text());
    Action->Read->StoreTo(b.ReadDev, b.ValKind);
    b.ReadUsed = Action->DevRd_Chk->isChecked() ? 1 : 0;
    if (!b.ReadUsed)
        kes::ClearRef(b.ReadDev);
    Action->Notify->StoreTo(b.NotifyDev, kes::kBitFlags);
    b.NotifyUsed = Action->Call_Chk->isChecked() ? 1 : 0;
    if (!b.NotifyUsed)
        kes::ClearRef(b.NotifyDev);

    b.BtnType = t;
    StoreKey();
    StoreStates();
    b.UserLevel = std::max(0, ComboBox_UserLevel->currentIndex());
    b.NotifyOrder = kes::RadioGroupIndex(Action->CallOrderGp) > 0 ? 1 : 0;
    b.NotifyState = kes::RadioGroupIndex(Action->CallStateGp) > 0 ? 1 : 0;
    if (Ctx().ObjToolbarRefresh)
        Ctx().ObjToolbarRefresh(b);
    StoreFrame();
    b.PrintText = kes::QStringToAnsi(Ctx().BtnMenuCaption + QLatin1Char('[') +
                                     Action->BtnType_Box->itemText(kes::BtnTypeItem(t)) + QLatin1Char(']'));
    b.BmpRePaint();
}
