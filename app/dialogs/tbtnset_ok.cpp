// The button settings form: the checks of OK in their fixed order, then the write-back.
// Every check runs before anything is written, so a refused OK leaves the button as it was.
#include "app/dialogs/tbtnset.h"

#include "app/dialogs/entryfields.h"
#include "app/dialogs/tfrmuserlevel.h"
#include "app/model/lxtypecore.h"
#include "app/model/projectstate.h"
#include "app/project/pagedata.h"
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
    kMsgReadAddress = 6,
    kMsgNotifyAddress = 7,
    kMsgWriteAddress = 8,
    kMsgNoAddress = 9,
    kMsgConstant = 10,
    kMsgStep = 11,
    kMsgBound = 12,
    kMsgTargetPage = 13,
    kMsgNoType = 90,
    kMsgLength = 104,
    kMsgUserLevel = 107,
    kMsgKeyRefused = 122,
};

constexpr int kFloatItem = 4;
constexpr int kFloatFormat = 7;

std::string Ansi(const QLineEdit* e) { return kes::QStringToAnsi(e->text().trimmed()); }

// The format a value field is checked and converted in: a floating value's numbers are whole
// signed 32-bit numbers.
int FieldFormat(int item) { return item == kFloatItem ? 1 : std::max(0, item); }

} // namespace

Check TBtnSet::ValidateAddresses()
{
    const int t = Type();
    if (t == 11 || t == 12)
        return std::nullopt;
    if (DevWritTxt->text().trimmed().isEmpty())
        return FailMsg(kMsgNoAddress);
    if (t <= 5)
        ValLen_Box->setCurrentIndex(0);
    const std::uint8_t kind = AccessKind();
    const std::uint8_t len = LengthIndex();
    const auto writeClass = write_->Validate(kind, len);
    if (!writeClass)
        return FailMsg(kMsgWriteAddress);
    if (kind == 0x10 && len < *writeClass)
        return FailMsg(kMsgLength);
    if (DevRd_Chk->isChecked()) {
        const auto readClass = read_->Validate(kind, len);
        if (!readClass)
            return FailMsg(kMsgReadAddress);
        if (kind == 0x10 && len < *readClass)
            return FailMsg(kMsgLength);
    }
    if (Call_Chk->isChecked() && !notify_->Validate(0x00, 0))
        return FailMsg(kMsgNotifyAddress);
    return std::nullopt;
}

Check TBtnSet::ValidateValues()
{
    const int t = Type();
    const int item = ValType_Box->currentIndex();
    const int format = FieldFormat(item);
    const bool is32 = LengthIndex() == 1;
    if (t == 7) {
        const int decDigits = std::max(0, Dec_Box->currentIndex());
        return kes::CheckValueEntry(item, kFloatItem, is32, Int_Box->currentIndex() + 1, decDigits, Ansi(Max_Txt),
                                    Ansi(Min_Txt));
    } else if (t == 8) {
        const std::string v = Ansi(Normal_Txt);
        if (v.empty() || !ValidateValueText(v, format, is32, 10, 0, false))
            return FailMsg(kMsgConstant);
    } else if (t == 9 || t == 10) {
        const std::string step = Ansi(AddVal_Txt);
        if (step.empty() || !ValidateValueText(step, format, false, 10, 0, false))
            return FailMsg(kMsgStep);
        const std::string bound = Ansi(Bound_Txt);
        if (bound.empty() || !ValidateValueText(bound, format, is32, 10, 0, false))
            return FailMsg(kMsgBound);
    } else if (t == 11 && PgChg_Box->currentIndex() < 0) {
        return FailMsg(kMsgTargetPage);
    }
    return std::nullopt;
}

Check TBtnSet::Validate()
{
    const int t = Type();
    if (t < 0)
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
    const int t = Type();
    const int item = ValType_Box->currentIndex();
    const int format = FieldFormat(item);
    const std::uint8_t len = LengthIndex();
    b.ValKind = AccessKind();
    auto storeFormat = [&] {
        b.ValType = static_cast<std::uint8_t>(item == kFloatItem ? kFloatFormat : format);
        b.ValLen = len;
    };
    auto value = [&](QLineEdit* e) {
        const std::string text = Ansi(e);
        e->setText(kes::AnsiToQString(text));
        // A floating value's numbers are read as 64-bit integers and kept to 32 bits.
        return item == kFloatItem ? DecimalTextToInt(text) : static_cast<std::int32_t>(TextToValue(text, format));
    };
    switch (t) {
    case 6:
        b.MultiFlag = kes::RadioGroupIndex(StateToGp) == 1 ? 1 : 0;
        if (b.ValKind == 0x10)
            storeFormat();
        break;
    case 7:
        b.IntNum = static_cast<std::uint8_t>(Int_Box->currentIndex() + 1);
        b.DecNum = static_cast<std::uint8_t>(std::max(0, Dec_Box->currentIndex()));
        storeFormat();
        b.ParamA = value(Max_Txt);
        b.ParamB = value(Min_Txt);
        break;
    case 8:
        storeFormat();
        b.ParamA = value(Normal_Txt);
        break;
    case 9:
    case 10:
        storeFormat();
        b.ParamA = value(AddVal_Txt);
        b.ParamB = value(Bound_Txt);
        break;
    case 11:
        b.ParamA = PgChg_Box->currentIndex();
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
    const int t = Type();
    StoreType();

    write_->StoreTo(b.WriteDev, b.ValKind);
    b.PassText = kes::PasswordBytes(PassTxt->text());
    read_->StoreTo(b.ReadDev, b.ValKind);
    b.ReadUsed = DevRd_Chk->isChecked() ? 1 : 0;
    if (!b.ReadUsed)
        kes::ClearRef(b.ReadDev);
    notify_->StoreTo(b.NotifyDev, 0x00);
    b.NotifyUsed = Call_Chk->isChecked() ? 1 : 0;
    if (!b.NotifyUsed)
        kes::ClearRef(b.NotifyDev);

    b.BtnType = static_cast<std::uint8_t>(t);
    StoreKey();
    StoreStates();
    b.UserLevel = std::max(0, ComboBox_UserLevel->currentIndex());
    b.NotifyOrder = kes::RadioGroupIndex(CallOrderGp) > 0 ? 1 : 0;
    b.NotifyState = kes::RadioGroupIndex(CallStateGp) > 0 ? 1 : 0;
    if (Ctx().ObjToolbarRefresh)
        Ctx().ObjToolbarRefresh(b);
    StoreFrame();
    b.PrintText = kes::QStringToAnsi(Ctx().BtnMenuCaption + QLatin1Char('[') + BtnType_Box->itemText(t) + QLatin1Char(']'));
    b.BmpRePaint();
}
