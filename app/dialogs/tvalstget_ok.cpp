// The numeric input form: the checks of OK in their fixed order, then the write-back. Every
// check runs before anything is written, so a refused OK leaves the object as it was.
#include "app/dialogs/tvalstget.h"

#include "app/dialogs/entryfields.h"
#include "objects/addrmode.h"
#include "objects/digtest.h"
#include "objects/tlxgetval.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>

#include <algorithm>

using kes::Check;
using kes::FailMsg;
using kes::kFloatItem;

namespace {

constexpr int kMsgReadAddress = 6;
constexpr int kMsgNotifyAddress = 7;
constexpr int kMsgWriteAddress = 8;
constexpr int kMsgNoAddress = 9;
constexpr int kMsgLength = 104;
constexpr int kMsgKeyRefused = 122;

} // namespace

Check TValStGet::ValidateAddresses()
{
    if (DevWriteTxt->text().trimmed().isEmpty())
        return FailMsg(kMsgNoAddress);
    const auto writeClass = write_->Validate(kes::kWordFlags, Len());
    if (!writeClass)
        return FailMsg(kMsgWriteAddress);
    if (Len() < *writeClass)
        return FailMsg(kMsgLength);
    if (DevRd_Chk->isChecked()) {
        const auto readClass = read_->Validate(kes::kWordFlags, Len());
        if (!readClass)
            return FailMsg(kMsgReadAddress);
        if (Len() < *readClass)
            return FailMsg(kMsgLength);
    }
    if (Call_Chk->isChecked() && !notify_->Validate(kes::kBitFlags, 0))
        return FailMsg(kMsgNotifyAddress);
    return std::nullopt;
}

Check TValStGet::Validate()
{
    const int key = RefKey_Box->currentIndex();
    if (!Ctx().UpDownKeysEnabled && (key == kes::kKeyUp || key == kes::kKeyDown))
        return FailMsg(kMsgKeyRefused);
    const int decDigits = std::max(0, Dec_Box->currentIndex());
    if (Check f = kes::CheckValueEntry(Item(), kFloatItem, Len() == 1, Int_Box->currentIndex() + 1, decDigits,
                                       kes::TrimmedAnsi(Max_Txt), kes::TrimmedAnsi(Min_Txt)))
        return f;
    if (Check f = kes::CheckPassword(PassTxt))
        return f;
    // The level is stored as chosen: the panel asks for a password of that level.
    return ValidateAddresses();
}

void TValStGet::Store()
{
    TLxGetVal& e = entry_;
    write_->StoreTo(e.WriteDev, kes::kWordFlags);
    if (e.WriteDev.DevText.empty())
        e.WriteDev.DevAddrCode = -1;
    e.ReadUsed = DevRd_Chk->isChecked() ? 1 : 0;
    read_->StoreTo(e.ReadDev, kes::kWordFlags);
    if (!e.ReadUsed)
        kes::ClearRef(e.ReadDev);
    e.NotifyUsed = Call_Chk->isChecked() ? 1 : 0;
    notify_->StoreTo(e.NotifyDev, kes::kBitFlags);
    if (e.NotifyUsed) {
        e.NotifyState = static_cast<std::uint8_t>(std::max(0, kes::RadioGroupIndex(CallStateGp)));
        e.NotifyOrder = static_cast<std::uint8_t>(std::max(0, kes::RadioGroupIndex(CallOrderGp)));
    } else {
        kes::ClearRef(e.NotifyDev);
    }

    const int key = RefKey_Chk->isChecked() ? RefKey_Box->currentIndex() : -1;
    e.RefKey = kes::BindKey(Ctx().Page, OwnKey(), key);

    const int item = std::max(0, Item());
    if (item == kFloatItem) {
        e.ValType = kes::FormatCode(kes::ValFormat::Float);
        e.ValLen = 1;
        // The limits of a floating input are whole raw numbers, checked as such.
        e.ValMax = DecimalTextToInt(kes::TrimmedAnsi(Max_Txt));
        e.ValMin = DecimalTextToInt(kes::TrimmedAnsi(Min_Txt));
    } else {
        e.ValType = static_cast<std::uint8_t>(item);
        e.ValLen = Len();
        e.ValMax = static_cast<std::int32_t>(TextToValue(kes::TrimmedAnsi(Max_Txt), item));
        e.ValMin = static_cast<std::int32_t>(TextToValue(kes::TrimmedAnsi(Min_Txt), item));
    }
    e.IntNum = static_cast<std::uint8_t>(Int_Box->currentIndex() + 1);
    e.DecNum = static_cast<std::uint8_t>(std::max(0, Dec_Box->currentIndex()));
    e.UserLevel = std::max(0, ComboBox_UserLevel->currentIndex());
    e.SetObjFrame(static_cast<std::uint8_t>(std::max(0, Frame_Box->currentIndex())));
    e.FontSet(std::max(0, Font_Box->currentIndex()));
    e.HPos = static_cast<std::uint8_t>(std::max(0, HPos_Box->currentIndex()));
    e.VPos = static_cast<std::uint8_t>(std::max(0, VPos_Box->currentIndex()));
    e.ShowFlags = static_cast<std::uint8_t>((ShineBtn->isChecked() ? 1 : 0) | (HZeroBtn->isChecked() ? 2 : 0));
    e.PassText = kes::PasswordBytes(PassTxt->text());
    if (Ctx().ObjFontBoxRefresh)
        Ctx().ObjFontBoxRefresh(e);
    e.BmpRePaint();
}
