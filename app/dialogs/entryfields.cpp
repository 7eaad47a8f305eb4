#include "app/dialogs/entryfields.h"

#include "app/dialogs/addressfield.h"
#include "app/dialogs/dialogcontext.h"
#include "app/project/pagedata.h"
#include "objects/addrmode.h"
#include "objects/digtest.h"
#include "platform/codepage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include <algorithm>

namespace kes {
namespace {

constexpr int kMsgReadAddress = 6;
constexpr int kMsgNotifyAddress = 7;
constexpr int kMsgWriteAddress = 8;
constexpr int kMsgNoAddress = 9;
constexpr int kMsgConstant = 10;
constexpr int kMsgStep = 11;
constexpr int kMsgBound = 12;
constexpr int kMsgTargetPage = 13;
constexpr int kMsgLength = 104;
constexpr int kMsgMaxError = 0;
constexpr int kMsgMinError = 1;
constexpr int kMsgMaxMinError = 2;
constexpr int kMsgKeyUsed = 14;
constexpr int kMsgLimitType = 65;
constexpr int kMsgPassword = 79;
constexpr int kMsgDigits = 87;
constexpr int kMsgKeyRefused = 122;
constexpr std::size_t kPasswordLength = 4;

} // namespace

std::string FieldText(const QLineEdit* edit) { return QStringToAnsi(edit->text().trimmed()); }

Check CheckTypeAddresses(BtnType type, std::uint8_t kind, std::uint8_t len, const AddressField& write,
                         const AddressField* read, const AddressField* notify)
{
    if (IsPanelBtnType(type))
        return std::nullopt;
    if (write.Text().trimmed().isEmpty())
        return FailMsg(kMsgNoAddress);
    const auto writeClass = write.Validate(kind, len);
    if (!writeClass)
        return FailMsg(kMsgWriteAddress);
    if (kind == kes::kWordFlags && len < *writeClass)
        return FailMsg(kMsgLength);
    if (read) {
        const auto readClass = read->Validate(kind, len);
        if (!readClass)
            return FailMsg(kMsgReadAddress);
        if (kind == kes::kWordFlags && len < *readClass)
            return FailMsg(kMsgLength);
    }
    if (notify && !notify->Validate(kes::kBitFlags, 0))
        return FailMsg(kMsgNotifyAddress);
    return std::nullopt;
}

Check CheckTypeValues(BtnType type, int item, bool is32, const TypeValueFields& f)
{
    const int format = FieldFormat(item);
    if (type == BtnType::InputValue) {
        const int decDigits = std::max(0, f.Dec->currentIndex());
        return CheckValueEntry(item, kFloatItem, is32, f.Int->currentIndex() + 1, decDigits, FieldText(f.Max),
                               FieldText(f.Min));
    } else if (type == BtnType::SetConstant) {
        const std::string v = FieldText(f.Constant);
        if (v.empty() || !ValidateValueText(v, format, is32, 10, 0, false))
            return FailMsg(kMsgConstant);
    } else if (type == BtnType::Increment || type == BtnType::Decrement) {
        const std::string step = FieldText(f.Step);
        if (step.empty() || !ValidateValueText(step, format, false, 10, 0, false))
            return FailMsg(kMsgStep);
        const std::string bound = FieldText(f.Bound);
        if (bound.empty() || !ValidateValueText(bound, format, is32, 10, 0, false))
            return FailMsg(kMsgBound);
    } else if (type == BtnType::ChangePage && f.Page->currentIndex() < 0) {
        return FailMsg(kMsgTargetPage);
    }
    return std::nullopt;
}

Check CheckValueEntry(int item, int floatItem, bool is32, int intDigits, int decDigits, const std::string& max,
                      const std::string& min)
{
    const bool isFloat = item == floatItem;
    if (item == 2 || item == 3) {
        if (intDigits + decDigits > (is32 ? 8 : 4))
            return FailMsg(kMsgDigits);
    } else if (isFloat) {
        if (decDigits > 5)
            return FailMsg(kMsgDigits);
    } else if (intDigits + decDigits > (is32 ? 10 : 5)) {
        return FailMsg(kMsgDigits);
    }
    // Limits are whole raw numbers: a decimal point is refused here rather than met half-way
    // through the write-back.
    const int format = isFloat ? 1 : std::max(0, item);
    const bool wide = isFloat || is32;
    if (max.empty() || min.empty() || !ValidateValueText(max, format, wide, intDigits, decDigits, false) ||
        !ValidateValueText(min, format, wide, intDigits, decDigits, false))
        return FailMsg(kMsgLimitType);
    if (isFloat ? !ValueTextNotBelow(max, min, 1, 1) : !ValueTextNotBelow(max, min, format, decDigits))
        return FailMsg(kMsgMaxMinError);
    if (!ValidateValueText(max, format, wide, intDigits + decDigits, 0, true))
        return FailMsg(kMsgMaxError);
    if (!ValidateValueText(min, format, wide, intDigits + decDigits, 0, true))
        return FailMsg(kMsgMinError);
    return std::nullopt;
}

Check CheckPassword(QLineEdit* field)
{
    const QString pass = field->text().toUpper();
    if ((!pass.isEmpty() && pass.size() != static_cast<int>(kPasswordLength)) ||
        !IsUpperAlnumText(QStringToAnsi(pass))) {
        field->clear();
        return FailMsg(kMsgPassword);
    }
    field->setText(pass);
    return std::nullopt;
}

std::array<std::uint8_t, 4> PasswordBytes(const QString& text)
{
    std::array<std::uint8_t, 4> bytes{255, 255, 255, 255};
    const std::string pass = QStringToAnsi(text);
    if (pass.size() == kPasswordLength)
        std::copy(pass.begin(), pass.end(), bytes.begin());
    return bytes;
}

QString PasswordText(const std::array<std::uint8_t, 4>& bytes)
{
    if (bytes[0] == 0xFF)
        return {};
    // Four bytes at most, a NUL ends them early.
    const auto end = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
    return AnsiToQString(std::string(bytes.begin(), end));
}

QStringList KeyItems()
{
    return {"F0", "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "Up", "Down", "Left", "Right"};
}

int KeyRefusal(const DialogContext& ctx, int key, int ownKey)
{
    if (key < 0 || key >= kFunKeyCount)
        return 0;
    if (!ctx.UpDownKeysEnabled && (key == kKeyUp || key == kKeyDown))
        return kMsgKeyRefused;
    const auto k = static_cast<std::size_t>(key);
    if (ctx.Page && (ctx.Page->PgFunKeyUsed[k] || ctx.Page->ObjFunKeyUsed[k]) && key != ownKey)
        return kMsgKeyUsed;
    return 0;
}

void ShowKey(QCheckBox* tick, QComboBox* box, int key)
{
    tick->setChecked(key >= 0);
    box->setEnabled(key >= 0);
    box->setCurrentIndex(key);
}

std::uint8_t BindKey(PageData* page, int oldKey, int newKey)
{
    // An object bound to no key has no flag to clear.
    if (page && oldKey >= 0 && oldKey < kFunKeyCount)
        page->ObjFunKeyUsed[static_cast<std::size_t>(oldKey)] = 0;
    if (newKey < 0 || newKey >= kFunKeyCount)
        return 255;
    if (page)
        page->ObjFunKeyUsed[static_cast<std::size_t>(newKey)] = 1;
    return static_cast<std::uint8_t>(newKey);
}

} // namespace kes
