#include "app/dialogs/statesdialog.h"

#include "app/dialogs/dialogcontext.h"
#include "app/dialogs/statetable.h"
#include "app/dialogs/updown.h"
#include "app/model/lxtypecore.h"
#include "app/ui/fontchoice.h"
#include "app/ui/prompt.h"
#include "objects/addrmode.h"
#include "objects/digtest.h"
#include "objects/lxdevref.h"
#include "objects/valformat.h"
#include "platform/codepage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace kes {
namespace {

constexpr int kMsgSettingError = 5;
constexpr int kMsgModeAddress = 53;
constexpr int kMsgLength = 104;
constexpr int kMsgState = 88;
constexpr int kMsgNoState = 89;
constexpr int kMaxValueStates = 255;
constexpr int kLsbStates = 16;
constexpr int kMaxVariableStates = 40;

} // namespace

StatesDialog::StatesDialog(DialogContext& ctx, QWidget* owner, const char* formName, ObjKind kind, TLxDevRef& ref)
    : SettingsDialog(ctx, owner, formName), kind_(kind), refObj_(ref)
{}

void StatesDialog::BuildStateControls()
{
    GroupBox1 = NewGroup(this, "GroupBox1", QStringLiteral("Device"));
    Bit_Rdo = NewRadio(GroupBox1, "Bit_Rdo", QStringLiteral("Bit"));
    Val_Rdo = NewRadio(GroupBox1, "Val_Rdo", QStringLiteral("Value"));
    Lsb_Rdo = NewRadio(GroupBox1, "Lsb_Rdo", QStringLiteral("LSB"));
    Lsb_Rdo->hide();
    auto* modes = new QHBoxLayout;
    modes->addWidget(Bit_Rdo);
    modes->addWidget(Val_Rdo);
    modes->addWidget(Lsb_Rdo);
    modes->addStretch();
    auto* dev = new QVBoxLayout(GroupBox1);
    dev->addLayout(NewAddressRow(GroupBox1, "DevRefTxt", DevRefTxt, "RefBtn", RefBtn));
    dev->addLayout(modes);

    ValType_Lab = NewLabel(this, "ValType_Lab", QStringLiteral("Value Type"));
    ValType_Box = NewCombo(this, "ValType_Box", ValTypeItems());
    ValLen_Lab = NewLabel(this, "ValLen_Lab", QStringLiteral("Length"));
    ValLen_Box = NewCombo(this, "ValLen_Box", ValLenItems());
    RgNum_Lab = NewLabel(this, "RgNum_Lab", QStringLiteral("States"));
    RgNum_Txt = NewEdit(this, "RgNum_Txt");
    RgNum_Txt->setText(QStringLiteral("1"));
    RgNum_UD = Named(new TUpDown(this), "RgNum_UD");
    RgNum_UD->Min = 0;
    RgNum_UD->Max = 257;
    RgNum_UD->Position = 1;
    State_Lab = NewLabel(this, "State_Lab", QStringLiteral("State"));
    State_Box = NewFixedCombo(this, "State_Box", {});
    Comp_Lab = NewLabel(this, "Comp_Lab", QStringLiteral("Device value >="));
    Comp_Txt = NewEdit(this, "Comp_Txt");
    Rg_ValSetWay =
        NewRadioGroup(this, "Rg_ValSetWay", QStringLiteral("Order"), {"Large to Small", "Small to Large"}, "ValSetWay");
    FontTypeBtn = NewButton(this, "FontTypeBtn", QStringLiteral("Font..."));
    ref_ = std::make_unique<AddressField>(Ctx(), DevRefTxt, RefBtn);

    OnClicked(RefBtn, [this] { RefBtnClick(); });
    OnClicked(Bit_Rdo, [this] { Bit_RdoClick(); });
    OnClicked(Val_Rdo, [this] { Val_RdoClick(); });
    OnClicked(Lsb_Rdo, [this] { Lsb_RdoClick(); });
    OnActivated(ValType_Box, [this] { State_BoxChange(); });
    OnActivated(ValLen_Box, [this] { ValLen_BoxChange(); });
    OnActivated(State_Box, [this] { State_BoxChange(); });
    OnClicked(FontTypeBtn, [this] { FontTypeBtnClick(); });
    for (QRadioButton* r : Rg_ValSetWay->findChildren<QRadioButton*>())
        OnClicked(r, [this] { Rg_ValSetWayClick(); });
    QObject::connect(RgNum_Txt, &QLineEdit::textEdited, this, [this] { RgNum_TxtKeyUp(); });
    RgNum_UD->OnClick = [this](bool) { RgNum_UDClick(); };
    WatchEdit(Comp_Txt,
              {[this](int key) { Comp_TxtKeyUp(key); }, [this] { Comp_TxtClick(); }, [this] { Comp_TxtKeyUp(0); }});
}

void StatesDialog::LayOut(QWidget* leftExtra, QLayout* right)
{
    auto* count = new QHBoxLayout;
    count->setSpacing(0);
    count->addWidget(RgNum_Txt);
    count->addWidget(RgNum_UD);
    QGridLayout* states = LabelledRows({{ValType_Lab, ValType_Box}, {ValLen_Lab, ValLen_Box}});
    const int row = states->rowCount();
    states->addWidget(RgNum_Lab, row, 0);
    states->addLayout(count, row, 1);
    AddRow(states, State_Lab, State_Box);
    AddRow(states, Comp_Lab, Comp_Txt);
    auto* left = new QVBoxLayout;
    left->addWidget(GroupBox1);
    left->addLayout(states);
    left->addWidget(Rg_ValSetWay);
    if (leftExtra)
        left->addWidget(leftExtra);
    left->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    auto* lay = new QVBoxLayout(this);
    lay->addLayout(columns);
    lay->addLayout(NewOkCancel(OkBtn, "OkBtn", CancelBtn, "CancelBtn"));
}

void StatesDialog::WatchTextEdit(QLineEdit* edit, int noStateMsg)
{
    WatchEdit(edit, {[this, edit, noStateMsg](int key) { StoreText(edit, key, noStateMsg); },
                     [this] { Comp_TxtClick(); }, [this, edit, noStateMsg] { StoreText(edit, 0, noStateMsg); }});
}

int StatesDialog::Type() const { return std::max(0, ValType_Box->currentIndex()); }

std::uint8_t StatesDialog::Len() const { return ValLen_Box->currentIndex() == 1 ? 1 : 0; }

int StatesDialog::Selected() const { return State_Box->currentIndex(); }

std::uint8_t StatesDialog::KindByte() const
{
    switch (mode_) {
    case kValueMode:
        return static_cast<std::uint8_t>(kes::kWordFlags + Len());
    case kLsbMode:
        return static_cast<std::uint8_t>(kes::kEitherFlags + Len());
    default:
        return kes::kBitFlags;
    }
}

QString StatesDialog::ModeAddress(Mode mode) const
{
    const std::int32_t code = refObj_.DevAddrCode;
    const std::uint8_t bit = refObj_.RefBitNo;
    switch (mode) {
    case kValueMode: {
        const QString text = ref_->Format(code, kes::kWordFlags, Len(), bit);
        if (!text.isEmpty())
            return text;
        // Where the length picks the device range, the default word follows the length.
        const LxTypeCore& m = Ctx().Model;
        if (m.LengthSelectsAccess)
            return ref_->FormatOrDefault(m.DefWordCode, kes::kWordFlags, Len(), 0);
        return ref_->DefaultText(kes::kWordFlags);
    }
    case kLsbMode: {
        const QString text = ref_->Format(code, kes::kEitherFlags, Len(), bit);
        return text.isEmpty() ? ref_->DefaultText(kes::kBitFlags) : text;
    }
    default:
        return ref_->FormatOrDefault(code, kes::kBitFlags, 0, bit);
    }
}

void StatesDialog::SetOrder(int way)
{
    SetRadioGroupIndex(Rg_ValSetWay, way);
    if (way != valSetWay_) {
        valSetWay_ = way;
        ReverseStates(values_, count_);
        ReverseStates(texts_, count_);
        ReverseExtras();
    }
}

void StatesDialog::SwitchMode(Mode mode)
{
    mode_ = mode;
    (mode == kBitMode ? Bit_Rdo : mode == kValueMode ? Val_Rdo : Lsb_Rdo)->setChecked(true);
    const bool value = mode == kValueMode;
    SetEnabled({ValType_Box, ValType_Lab, ValLen_Box, ValLen_Lab, Comp_Txt, Comp_Lab}, value);
    SetEnabled({RgNum_Txt, RgNum_UD, RgNum_Lab}, mode != kBitMode);
    ValType_Box->setCurrentIndex(mode == kBitMode ? -1 : 0);
    ValLen_Box->setCurrentIndex(mode == kBitMode ? -1 : 0);
    if (mode == kBitMode)
        RgNum_Txt->setText(QStringLiteral("2"));
    else if (mode == kLsbMode)
        RgNum_Txt->setText(QString::number(kLsbStates));
    if (!value)
        Comp_Txt->clear();
    // Lists entered smallest first go back to largest first with the order choice.
    SetOrder(0);
    Rg_ValSetWay->setVisible(value);
    ResizeStates();
    DevRefTxt->setText(ModeAddress(mode));
    ModeSwitched();
    State_BoxChange();
}

void StatesDialog::ResizeStates()
{
    bool ok = false;
    const int n = RgNum_Txt->text().trimmed().toInt(&ok);
    // No count typed yet: the states stay as they are.
    if (ok)
        count_ = std::clamp(n, 1, kMaxValueStates);
    while (values_.size() > count_)
        values_.removeLast();
    while (texts_.size() > count_)
        texts_.removeLast();
    while (values_.size() < count_)
        values_.append(NewStateValue());
    while (texts_.size() < count_)
        texts_.append(QString());
    ResizeExtras();
    FillStateBox(State_Box, count_);
    State_Box->setCurrentIndex(0);
    RgNum_UD->Position = count_;
}

void StatesDialog::SetCount(int n)
{
    RgNum_Txt->setText(QString::number(n));
    ResizeStates();
    State_BoxChange();
}

void StatesDialog::RgNum_TxtKeyUp()
{
    const QString text = RgNum_Txt->text().trimmed();
    if (text.isEmpty())
        return;
    if (!IsDecimalText(QStringToAnsi(text))) {
        RgNum_Txt->setText(QString::number(State_Box->count()));
        return;
    }
    int n = text.size() > 9 ? kMaxValueStates : text.toInt();
    if (mode_ == kBitMode)
        n = 2;
    else if (mode_ == kLsbMode)
        n = kLsbStates;
    SetCount(std::clamp(n, 1, kMaxValueStates));
}

void StatesDialog::RgNum_UDClick()
{
    // Each mode wraps round within its own range; none reaches 0 states.
    int top = kMaxValueStates;
    if (mode_ == kBitMode)
        top = 2;
    else if (mode_ == kLsbMode)
        top = kLsbStates;
    else if (VariableCounts())
        top = kMaxVariableStates;
    RgNum_UD->Position = WrapPosition(RgNum_UD->Position, 1, top);
    SetCount(RgNum_UD->Position);
}

void StatesDialog::State_BoxChange()
{
    const int sel = Selected();
    if (sel < 0) {
        ShowMsg(Ctx().Ask, kMsgNoState);
        return;
    }
    Comp_Txt->setText(mode_ == kBitMode ? QString() : values_.value(sel));
    ShowSelectedExtras();
}

void StatesDialog::Comp_TxtKeyUp(int key)
{
    if (StepState(State_Box, key)) {
        State_BoxChange();
        return;
    }
    const int sel = Selected();
    if (sel < 0 || sel >= values_.size()) {
        ShowMsg(Ctx().Ask, kMsgNoState);
        Comp_Txt->clear();
        return;
    }
    values_[sel] = Comp_Txt->text().trimmed().toUpper();
}

void StatesDialog::StoreText(QLineEdit* edit, int key, int noStateMsg)
{
    if (StepState(State_Box, key)) {
        State_BoxChange();
        return;
    }
    const int sel = Selected();
    if (sel < 0 || sel >= texts_.size()) {
        ShowMsg(Ctx().Ask, noStateMsg);
        edit->clear();
        return;
    }
    texts_[sel] = edit->text();
}

void StatesDialog::Comp_TxtClick()
{
    const bool values = mode_ != kBitMode;
    if (count_ < 2 || (!values && !HasTexts()))
        return;
    StateTable t;
    t.Kind = kind_;
    t.Count = count_;
    t.Values = values ? &values_ : nullptr;
    t.Texts = HasTexts() ? &texts_ : nullptr;
    t.ValueHeading = Comp_Lab->text();
    t.TextHeading = TextHeading();
    t.ValType = values ? Type() : 0;
    t.ValLen = values ? Len() : 0;
    t.SmallToLarge = mode_ == kValueMode && valSetWay_ == 1;
    if (RunStateTable(Ctx(), this, t))
        State_BoxChange();
}

void StatesDialog::Rg_ValSetWayClick()
{
    const int way = RadioGroupIndex(Rg_ValSetWay);
    if (way < 0 || way == valSetWay_)
        return;
    SetOrder(way);
    State_BoxChange();
}

void StatesDialog::ValLen_BoxChange()
{
    if (mode_ == kValueMode)
        ref_->ReformatForLength(refObj_.DevAddrCode, Len(), refObj_.RefBitNo);
}

void StatesDialog::RefBtnClick()
{
    switch (mode_) {
    case kBitMode:
        ref_->Pick(this, kes::DevWant::Bit, 0);
        break;
    case kValueMode:
        ref_->Pick(this, kes::DevWant::Word, Len());
        break;
    case kLsbMode:
        ref_->Pick(this, kes::DevWant::Any, Len());
        break;
    }
}

void StatesDialog::FontTypeBtnClick() { ChooseFont(Ctx().Ask, this, font_); }

void StatesDialog::LoadStates(std::uint8_t kind, std::uint8_t type, std::uint8_t len, int count, std::uint8_t order,
                              const std::vector<std::uint32_t>& values, const std::vector<std::string>& texts)
{
    ref_->LoadCompanion(refObj_);
    const std::uint8_t modeNibble = kind & 0xF0;
    const Mode mode = modeNibble == kes::kBitFlags ? kBitMode : (modeNibble == kes::kWordFlags ? kValueMode : kLsbMode);
    // The low byte of a word is not offered for a new choice, only kept where it is used.
    Lsb_Rdo->setVisible(mode == kLsbMode);
    RgNum_Txt->setText(QString::number(std::max(1, count)));
    valSetWay_ = 0;
    SwitchMode(mode);
    const std::uint8_t lenIndex = (kind & 0x0F) != 0 || len != 0 ? 1 : 0;
    if (mode == kValueMode) {
        ValType_Box->setCurrentIndex(IsNumberFormat(type) ? type : -1);
        ValLen_Box->setCurrentIndex(lenIndex);
        SetRadioGroupIndex(Rg_ValSetWay, order != 0 ? 1 : 0);
        valSetWay_ = order != 0 ? 1 : 0;
    }
    for (int i = 0; i < count_; ++i) {
        const auto s = static_cast<std::size_t>(i);
        const std::uint32_t v = s < values.size() ? values[s] : 0;
        values_[EntryOf(i)] = ValueQText(v, IsNumberFormat(type) ? type : FormatCode(ValFormat::Unsigned), lenIndex);
        texts_[EntryOf(i)] = s < texts.size() ? AnsiToQString(texts[s]) : QString();
    }
    ref_->Show(refObj_.DevAddrCode, modeNibble, lenIndex, refObj_.RefBitNo);
    State_Box->setCurrentIndex(0);
    State_BoxChange();
}

std::vector<std::uint32_t> StatesDialog::ValuesLargeToSmall() const
{
    std::vector<std::uint32_t> v = StateValuesOf(values_, Type());
    if (valSetWay_ == 1)
        std::reverse(v.begin(), v.end());
    return v;
}

Check StatesDialog::CheckModeAddress() const
{
    std::optional<std::uint8_t> access;
    switch (mode_) {
    case kValueMode:
        access = ref_->Validate(kes::kWordFlags, Len());
        break;
    case kLsbMode:
        access = ref_->Validate(kes::kEitherFlags, 0);
        break;
    default:
        access = ref_->Validate(kes::kBitFlags, 0);
        break;
    }
    if (!access)
        return FailMsg(kMsgModeAddress);
    if (mode_ == kValueMode && Len() < *access)
        return FailMsg(kMsgLength);
    return std::nullopt;
}

Check StatesDialog::CheckStateRanges() const
{
    for (int i = 0; i < count_; ++i)
        if (!StateValueInRange(values_.value(i), Type(), Len()))
            return FailNumbered(kMsgState, i, kMsgSettingError);
    return std::nullopt;
}

} // namespace kes
