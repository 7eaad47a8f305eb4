// The kinds' row handlers and the helpers they share.
#include "app/inspector/kindrows.h"

#include "app/inspector/inspectorsource.h"
#include "app/model/lxtypecore.h"
#include "app/model/projectstate.h"
#include "app/project/pagedata.h"
#include "app/ui/msgtable.h"
#include "objects/digtest.h"
#include "objects/lxdevref.h"
#include "objects/valformat.h"
#include "platform/codepage.h"

namespace kes {
namespace {

constexpr int kBitPictures = 18;
// The value format row lists the number formats by code, then floating.
constexpr int kFloatChoice = 4;
constexpr int kMsgNoPicture = 602;       // "[None]"
constexpr int kMsgPictureOfNoFile = 710; // "[Bitmap]"

constexpr std::uint8_t kNoKey = 255;
constexpr std::uint8_t kKeyUp = 10;
constexpr std::uint8_t kKeyDown = 11;
constexpr std::uint8_t kFirstArrow = 10;

bool KeyAllowed(const ProjectState& state, int key, KeyRule rule)
{
    if (key < 0 || key >= kFunKeyCount)
        return false;
    if (rule == KeyRule::Maintained && key >= kFirstArrow)
        return false;
    return state.EnableUpDown || (key != kKeyUp && key != kKeyDown);
}

bool KeyInUse(const PageData* page, int key)
{
    const auto k = static_cast<std::size_t>(key);
    return page && (page->ObjFunKeyUsed[k] || page->PgFunKeyUsed[k]);
}

// The first key no object and no key setting of the page uses. The numeric input's search
// takes Up and Down too; a button's only the keys its type allows.
std::uint8_t FirstFreeKey(const ProjectState& state, const PageData* page, KeyRule rule)
{
    for (int k = 0; k < kFunKeyCount; ++k) {
        const bool allowed = rule == KeyRule::Input || KeyAllowed(state, k, rule);
        if (allowed && !KeyInUse(page, k))
            return static_cast<std::uint8_t>(k);
    }
    return kNoKey;
}

} // namespace

QString RowKey(TPropBase& row)
{
    switch (row.PropType) {
    case ptText:
    case ptFontDlg:
        return row.GetText();
    case ptVal:
        return QString::number(static_cast<TPropVal&>(row).GetValue());
    case ptComboTxt:
        return QString::number(static_cast<TPropComboTxt&>(row).ItemIndex);
    case ptComboBmp:
        return QString::number(static_cast<TPropComboBmp&>(row).ItemIndex);
    case ptComboVal:
        return QString::number(static_cast<TPropComboVal&>(row).ItemIndex);
    case ptTextVal:
        return QString::number(static_cast<TPropTextVal&>(row).GetValue());
    case ptBmpDlg:
        return static_cast<TPropBmpDlg&>(row).FileName;
    default:
        return {};
    }
}

ProjectState& KindRowContext::State() const { return Model.State(); }

PageData* KindRowContext::Page() const { return Source ? Source->Page() : nullptr; }

int KindRowContext::PageCount() const { return Source ? Source->PageCount() : 0; }

bool KindRowContext::Changed(int i) const
{
    const auto at = static_cast<std::size_t>(i);
    return at >= memory_.Shown.size() || RowKey(*Grid.Prop(i)) != memory_.Shown[at];
}

void KindRowContext::MarkAddress(int i, TLxDevRef& ref, std::uint8_t mode, std::uint8_t access)
{
    Text(i).Picker = 1;
    memory_.Addresses.push_back({i, &ref, mode, access});
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

int ChangedChoice(const KindRowContext& rows, int i) { return rows.Changed(i) ? ComboChoice(rows.Combo(i)) : -1; }

int ChangedValChoice(const KindRowContext& rows, int i)
{
    const TPropComboVal& r = rows.ComboVal(i);
    return rows.Changed(i) && r.ItemIndex >= 0 && r.ItemIndex < r.Count ? r.ItemIndex : -1;
}

int ChangedBmpChoice(const KindRowContext& rows, int i)
{
    const TPropComboBmp& r = rows.ComboBmp(i);
    return rows.Changed(i) && r.ItemIndex >= 0 && r.ItemIndex < r.PictureCount ? r.ItemIndex : -1;
}

void ShowPictureFile(TPropBmpDlg& row, const QString& name, int width, int height)
{
    SetBmpFileRow(&row, name, width, height);
    if (width < 1 || height <= 0)
        row.SetText(Msg(kMsgNoPicture));
    else if (name.isEmpty())
        row.SetText(Msg(kMsgPictureOfNoFile));
}

void ShowBitPictureRow(TPropComboBmp& row, int number)
{
    SetComboBmpIndex(&row, number);
    row.PictureCount = kBitPictures;
}

void ShowTextVal(TPropTextVal& row, std::int32_t max, std::int32_t min, int format, int width, std::int32_t value)
{
    SetTextValRange(&row, max, min, format, width, value);
    row.Value = value;
    row.SetText(QString::fromStdString(ValueToText(static_cast<std::uint32_t>(value), format, width == 1)));
}

void ShowValueFormat(TPropComboTxt& row, int format)
{
    const int choice = IsFormat(format, ValFormat::Float) ? kFloatChoice : (IsNumberFormat(format) ? format : -1);
    row.Items.clear();
    // The format texts follow the codes, floating's right after binary's.
    for (int code = 0; code <= FormatCode(ValFormat::Bcd); ++code)
        row.Items.append(Msg(kMsgFormat + code));
    row.Items.append(Msg(kMsgFormat + FormatCode(ValFormat::Binary) + 1));
    SetComboTxt(&row, choice, kMsgFormat, static_cast<int>(row.Items.size()));
    row.SetText(choice >= 0 ? row.Items[choice] : QString());
}

int ChangedValueFormat(const KindRowContext& rows, int i)
{
    const int c = ChangedChoice(rows, i);
    return c == kFloatChoice ? FormatCode(ValFormat::Float) : c;
}

bool TypedAsNumber(int format) { return IsNumberFormat(format) || IsFormat(format, ValFormat::Float); }

int NumberRowFormat(int format) { return IsFormat(format, ValFormat::Float) ? FormatCode(ValFormat::Signed) : format; }

int NumberRowWidth(int format, int width) { return IsFormat(format, ValFormat::Float) ? 1 : width; }

bool WidthFixed(int format) { return IsFormat(format, ValFormat::Binary) || IsFormat(format, ValFormat::Float); }

void WriteFontRow(KindRowContext& rows, int i, TFont& own)
{
    const TFont* font = rows.FontRow(i).Font;
    if (font && font != &own)
        own = *font;
}

std::int32_t FormatMin(int format, int width)
{
    return static_cast<std::int32_t>(TextToValue(RangeLimitText(format, width, 0), format));
}

std::int32_t FormatMax(int format, int width)
{
    return static_cast<std::int32_t>(TextToValue(RangeLimitText(format, width, 1), format));
}

int MaxIntDigits(int format, int width, int decDigits)
{
    switch (ValFormatOf(format)) {
    case ValFormat::Unsigned:
    case ValFormat::Signed:
        return (width == 0 ? 5 : 10) - decDigits;
    case ValFormat::Hex:
    case ValFormat::Bcd:
    case ValFormat::Ascii:
        return width == 0 ? 4 : 8;
    default:
        return 1;
    }
}

int MaxDecDigits(int format, int width, int intDigits)
{
    if (IsDecimalFormat(format))
        return (width == 0 ? 5 : 10) - intDigits;
    return 0;
}

QString ReadDevAddress(const TLxDevRef& ref, std::uint8_t mode, std::uint8_t access, const LxTypeCore& model)
{
    return AnsiToQString(model.FormatDeviceAddress(static_cast<std::uint32_t>(ref.DevAddrCode), mode, access,
                                                   ref.RefBitNo, ref.RefDevForm != 0, ref.RefIntMem != 0));
}

void FormatDevText(TLxDevRef& ref, std::uint8_t mode, std::uint8_t access, const LxTypeCore& model)
{
    ref.DevText = QStringToAnsi(ReadDevAddress(ref, mode, access, model));
}

bool WriteDevAddress(TLxDevRef& ref, const QString& text, std::uint8_t mode, std::uint8_t access, LxTypeCore& model)
{
    const std::string typed = QStringToAnsi(text.trimmed());
    const bool form = ref.RefDevForm != 0;
    const bool internal = ref.RefIntMem != 0;
    if (!model.ValidateDeviceAddress(typed, ModeFlags(AddrModeOf(mode)), access, form, internal))
        return false;
    ref.RefBitNo = model.ParseDeviceBitIndex(typed, form, internal);
    ref.DevAddrCode = model.ParseDeviceAddress(typed, mode, ref.RefBitNo, form, internal);
    ref.DevText = model.FormatDeviceAddress(static_cast<std::uint32_t>(ref.DevAddrCode), mode, access, ref.RefBitNo,
                                            form, internal);
    return true;
}

void ResetDevAddress(TLxDevRef& ref, bool internal, bool word, const LxTypeCore& model)
{
    // The address takes the form and memory it is written in.
    ref.RefIntMem = internal ? 1 : 0;
    ref.RefDevForm = 1;
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

void DefaultDevRef(TLxDevRef& ref, bool word, const LxTypeCore& model)
{
    ref.RefBitNo = 0;
    ResetDevAddress(ref, false, word, model);
    ref.RefLink = model.State().LinkIndex;
    ref.RefStation = model.State().DefStation;
}

void ClearDevRef(TLxDevRef& ref, const LxTypeCore& model)
{
    ref.DevAddrCode = -1;
    ref.DevText.clear();
    ref.RefDevForm = 1;
    ref.RefBitNo = 0;
    ref.RefLink = model.State().LinkIndex;
    ref.RefStation = model.State().DefStation;
}

void ReadAddressGroup(KindRowContext& rows, int g, TLxDevRef& ref, std::uint8_t mode, std::uint8_t access, bool shown)
{
    ShowComboTxt(rows.Combo(g), ref.RefIntMem, kMsgMemory, 2);
    rows.Combo(g).SetVisible(false);
    rows.Text(g + 1).SetTextAndTag(ReadDevAddress(ref, mode, access, rows.Model), 0);
    rows.MarkAddress(g + 1, ref, mode, access);
    ShowComboTxt(rows.Combo(g + 2), ref.RefLink, kMsgLink, 2);
    SetValRange(&rows.Val(g + 3), 255, 0, ref.RefStation);
    for (int i = g + 1; i <= g + 3; ++i)
        rows.Grid.Prop(i)->SetVisible(shown);
}

void WriteAddressMemory(KindRowContext& rows, int g, TLxDevRef& ref, bool word)
{
    const int c = ComboChoice(rows.Combo(g));
    if (c < 0 || (c != 0) == (ref.RefIntMem != 0))
        return;
    ref.RefIntMem = c != 0;
    ResetDevAddress(ref, ref.RefIntMem != 0, word, rows.Model);
}

void WriteAddressText(KindRowContext& rows, int g, TLxDevRef& ref, std::uint8_t mode, std::uint8_t access)
{
    if (rows.Changed(g + 1) && !WriteDevAddress(ref, rows.Text(g + 1).GetText(), mode, access, rows.Model))
        rows.Refuse(g + 1);
}

void WriteLinkStation(KindRowContext& rows, int g, TLxDevRef& ref)
{
    if (const int c = ChangedChoice(rows, g + 2); c >= 0)
        ref.RefLink = static_cast<std::uint8_t>(c);
    if (rows.Changed(g + 3))
        ref.RefStation = static_cast<std::uint8_t>(rows.Val(g + 3).GetValue());
}

void ReadOptionalRef(KindRowContext& rows, int useRow, std::uint8_t used, TLxDevRef& ref, std::uint8_t mode,
                     std::uint8_t access, bool allowed)
{
    ShowComboTxt(rows.Combo(useRow), used ? 1 : 0, kMsgNoYes, 2);
    rows.Combo(useRow).SetVisible(allowed);
    ReadAddressGroup(rows, useRow + 1, ref, mode, access, allowed && used != 0);
}

bool WriteOptionalRef(KindRowContext& rows, int useRow, std::uint8_t& used, TLxDevRef& ref, std::uint8_t mode,
                      std::uint8_t access)
{
    const int g = useRow + 1;
    const int c = ChangedChoice(rows, useRow);
    if (c >= 0 && (c != 0) != (used != 0)) {
        used = c != 0;
        // Switched on: the project's defaults; off: no address.
        if (used)
            DefaultDevRef(ref, mode != 0, rows.Model);
        else
            ClearDevRef(ref, rows.Model);
        return true;
    }
    if (!used)
        return false;
    WriteAddressMemory(rows, g, ref, mode != 0);
    WriteAddressText(rows, g, ref, mode, access);
    WriteLinkStation(rows, g, ref);
    return false;
}

void ReadFunctionKey(KindRowContext& rows, int useRow, int keyRow, std::uint8_t key)
{
    ShowComboTxt(rows.Combo(useRow), key == kNoKey ? 0 : 1, kMsgNoYes, 2);
    ShowComboTxt(rows.Combo(keyRow), key, kMsgKey, kFunKeyCount);
    rows.Combo(keyRow).SetVisible(key != kNoKey);
}

bool WriteFunctionKey(KindRowContext& rows, int useRow, int keyRow, std::uint8_t& key, KeyRule rule, bool dropArrow)
{
    dropArrow = dropArrow && key >= kFirstArrow && key < kFunKeyCount;
    if (!rows.Changed(useRow) && !rows.Changed(keyRow) && !dropArrow)
        return true;
    PageData* page = rows.Page();
    if (page)
        page->RecountBtnKeys();
    const ProjectState& state = rows.State();
    const bool had = key < kFunKeyCount;
    if (ComboChoice(rows.Combo(useRow)) == 0 || dropArrow) {
        key = kNoKey;
    } else {
        // The row lists no key while none is bound: switching the key on then takes the
        // first free one, as a key in use would.
        const int k = ComboChoice(rows.Combo(keyRow));
        if (k >= 0 && k != key && !KeyAllowed(state, k, rule == KeyRule::Input ? KeyRule::Button : rule)) {
            rows.Refuse(keyRow);
            return false;
        }
        if (k >= 0 && !KeyInUse(page, k)) {
            key = static_cast<std::uint8_t>(k);
        } else if (!had) {
            key = FirstFreeKey(state, page, rule);
        } else if (k >= 0 && k != key) {
            // Another object or the page's key settings hold it: the binding stays.
            rows.Refuse(keyRow);
            return false;
        }
    }
    if (page)
        page->RecountBtnKeys();
    return true;
}

void WriteUserLevel(KindRowContext& rows, int i, std::int32_t& level)
{
    const int c = ChangedValChoice(rows, i);
    if (c < 0)
        return;
    if (rows.State().UserLevelDefined(c))
        level = c;
    else
        rows.Refuse(i);
}

void ShowFallingValue(TPropTextVal& row, std::span<const std::uint32_t> values, int count, int e, int format, int width)
{
    count = std::min(count, static_cast<int>(values.size()));
    const auto at = [&](int i) { return static_cast<std::int32_t>(values[static_cast<std::size_t>(i)]); };
    std::int32_t max = FormatMax(format, width);
    std::int32_t min = FormatMin(format, width);
    if (count >= 2 && e >= 0 && e < count) {
        if (e > 0)
            max = at(e - 1);
        if (e < count - 1)
            min = at(e + 1);
    }
    ShowTextVal(row, max, min, format, width, e >= 0 && e < count ? at(e) : 0);
}

} // namespace kes
