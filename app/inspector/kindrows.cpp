// The kinds' row handlers and the helpers they share.
#include "app/inspector/kindrows.h"

#include "app/model/lxtypecore.h"
#include "app/model/projectstate.h"
#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"
#include "objects/lxdevref.h"
#include "platform/codepage.h"

namespace kes
{

namespace {
constexpr int kMsgAddressError = 17; // "Equipment input Error!!"
}

void ShowComboTxt(TPropComboTxt& row, int index, int msgBase, int count)
{
    SetComboTxt(&row, index, msgBase, count);
    row.SetText(index >= 0 && index < count ? Msg(msgBase + index) : QString());
}

int ComboChoice(const TPropComboTxt& row)
{
    return row.ItemIndex >= 0 && row.ItemIndex < row.Count ? row.ItemIndex : -1;
}

int MaxIntDigits(int format, int width, int decDigits)
{
    switch (format) {
    case 0:
    case 1:
        return (width == 0 ? 5 : 10) - decDigits;
    case 2:
    case 3:
    case 4:
        return width == 0 ? 4 : 8;
    default:
        return 1;
    }
}

int MaxDecDigits(int format, int width, int intDigits)
{
    if (format == 0 || format == 1)
        return (width == 0 ? 5 : 10) - intDigits;
    return 0;
}

QString ReadDevAddress(TLxDevRef& ref, std::uint8_t mode, std::uint8_t access, const LxTypeCore& model)
{
    ref.DevText = model.FormatDeviceAddress(static_cast<std::uint32_t>(ref.DevAddrCode), mode, access, ref.RefBitNo,
        ref.RefDevForm != 0, ref.RefIntMem != 0);
    return AnsiToQString(ref.DevText);
}

bool WriteDevAddress(TLxDevRef& ref, const QString& text, std::uint8_t mode, std::uint8_t access, LxTypeCore& model)
{
    const std::string typed = QStringToAnsi(text);
    const bool form = ref.RefDevForm != 0;
    const bool internal = ref.RefIntMem != 0;
    if (!model.ValidateDeviceAddress(typed, mode == 0 ? 0x00 : 0x10, access, form, internal)) {
        // The row shows the old address again: say why, as the settings dialogs do.
        ShowError(Msg(kMsgAddressError) + QStringLiteral("\n") + text);
        return false;
    }
    ref.RefBitNo = model.ParseDeviceBitIndex(typed, form, internal);
    ref.DevAddrCode = model.ParseDeviceAddress(typed, mode, ref.RefBitNo, form, internal);
    ref.DevText = model.FormatDeviceAddress(
        static_cast<std::uint32_t>(ref.DevAddrCode), mode, access, ref.RefBitNo, form, internal);
    return true;
}

void ResetDevAddress(TLxDevRef& ref, bool internal, bool word, const LxTypeCore& model)
{
    if (internal) {
        const DevRecord& r = model.State().InternalDevRecords[word ? kInternalWord : kInternalBit];
        if (r.Ranges.empty())
            return;
        ref.DevAddrCode = r.Ranges.front().Base;
        ref.DevText = r.Name + std::to_string(r.Ranges.front().Min);
        return;
    }
    ref.DevAddrCode = word ? model.DefWordCode : model.DefBitCode;
    ref.DevText = word ? model.DefWordText : model.DefBitText;
}

} // namespace kes
