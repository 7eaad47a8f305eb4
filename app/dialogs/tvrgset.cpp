#include "app/dialogs/tvrgset.h"

#include "app/dialogs/objdialogs.h"
#include "app/dialogs/picturepanel.h"
#include "app/dialogs/statetable.h"
#include "app/ui/prompt.h"
#include "app/ui/translate.h"
#include "objects/addrmode.h"
#include "objects/digtest.h"
#include "objects/tvrgbmp.h"
#include "objects/valformat.h"
#include "platform/codepage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

using kes::FailMsg;

namespace {

constexpr int kMsgFieldValue = 4;
constexpr int kMsgSettingError = 5;
constexpr int kMsgAddress = 61;
constexpr int kMsgState = 88;
constexpr int kMsgNoState = 89;
constexpr int kMsgLength = 104;

} // namespace

TVrgSet::TVrgSet(kes::DialogContext& ctx, QWidget* owner, TVrgBmp& obj)
    : SettingsDialog(ctx, owner, "VrgSet"), obj_(obj)
{
    setWindowTitle(QStringLiteral("Multi-State Indicator"));
    GroupBox1 = NewGroup(this, "GroupBox1", QStringLiteral("Device"));
    auto* dev = new QVBoxLayout(GroupBox1);
    dev->addLayout(NewAddressRow(GroupBox1, "DevRefTxt", DevRefTxt, "RefBtn", RefBtn));
    ValType_Lab = NewLabel(this, "ValType_Lab", QStringLiteral("Value Type"));
    ValType_Box = NewCombo(this, "ValType_Box", kes::ValTypeItems());
    ValLen_Lab = NewLabel(this, "ValLen_Lab", QStringLiteral("Length"));
    ValLen_Box = NewCombo(this, "ValLen_Box", kes::ValLenItems());
    State_Lab = NewLabel(this, "State_Lab", QStringLiteral("State"));
    State_Box = NewFixedCombo(this, "State_Box", {});
    kes::FillStateBox(State_Box, kStates);
    Comp_Lab = NewLabel(this, "Comp_Lab", QStringLiteral("Value >="));
    Comp_Txt = NewEdit(this, "Comp_Txt");
    Comp_Txt->setToolTip(QStringLiteral("Setting state from 0 to 4"));
    kes::SetComponentClass(Comp_Txt, "TEdit"); // its hint is translated
    Bmp_Lab = NewLabel(this, "Bmp_Lab", QStringLiteral("Picture"));
    Bmp_Box = NewFixedCombo(this, "Bmp_Box", {});
    kes::FillBitPictureBox(Bmp_Box);
    Rg_ValSetWay =
        NewRadioGroup(this, "Rg_ValSetWay", QStringLiteral("Order"), {"Large to Small", "Small to Large"}, "ValSetWay");
    Const_Rdo = NewRadio(this, "Const_Rdo", QStringLiteral("Constant"));
    Var_Rdo = NewRadio(this, "Var_Rdo", QStringLiteral("Variable"));
    kes::SetVisible({Const_Rdo, Var_Rdo}, false);

    auto* lay = new QVBoxLayout(this);
    lay->addWidget(GroupBox1);
    lay->addLayout(kes::LabelledRows({{ValType_Lab, ValType_Box},
                                      {ValLen_Lab, ValLen_Box},
                                      {State_Lab, State_Box},
                                      {Comp_Lab, Comp_Txt},
                                      {Bmp_Lab, Bmp_Box}}));
    lay->addWidget(Rg_ValSetWay);
    lay->addLayout(NewOkCancel(OkBtn, "OkBtn", CancelBtn, "CancelBtn"));

    ref_ = std::make_unique<kes::AddressField>(ctx, DevRefTxt, RefBtn);
    OnClicked(RefBtn, [this] { RefBtnClick(); });
    OnActivated(ValLen_Box, [this] { ValLen_BoxChange(); });
    OnActivated(ValType_Box, [this] { State_BoxChange(); });
    OnActivated(State_Box, [this] { State_BoxChange(); });
    OnActivated(Bmp_Box, [this] { Bmp_BoxChange(); });
    OnClicked(Const_Rdo, [this] { Const_RdoClick(); });
    OnClicked(Var_Rdo, [this] { Var_RdoClick(); });
    for (QRadioButton* r : Rg_ValSetWay->findChildren<QRadioButton*>())
        OnClicked(r, [this] { Rg_ValSetWayClick(); });
    kes::WatchEdit(Comp_Txt, {[this](int key) { Comp_TxtKeyUp(key); }, [this] { Comp_TxtDblClick(); }, {}});
}

TVrgSet::~TVrgSet() = default;

int TVrgSet::Type() const { return std::max(0, ValType_Box->currentIndex()); }

std::uint8_t TVrgSet::Len() const { return ValLen_Box->currentIndex() == 1 ? 1 : 0; }

void TVrgSet::LoadFields()
{
    const TVrgBmp& o = obj_;
    ref_->LoadCompanion(o);
    const std::uint8_t len = o.ValLen != 0 ? 1 : 0;
    ref_->Show(o.DevAddrCode, kes::kWordFlags, len, o.RefBitNo);
    ValType_Box->setCurrentIndex(kes::IsNumberFormat(o.ValType) ? o.ValType : -1);
    ValLen_Box->setCurrentIndex(len);
    (o.VarBounds == 0 ? Const_Rdo : Var_Rdo)->setChecked(true);
    if (o.VarBounds == 0)
        Const_RdoClick();
    else
        Var_RdoClick();
    valSetWay_ = o.RangeOrder != 0 ? 1 : 0;
    kes::SetRadioGroupIndex(Rg_ValSetWay, valSetWay_);
    values_.clear();
    for (int i = 0; i < kStates; ++i) {
        // Entered small to large, the stored (largest first) states show from the last.
        const int j = valSetWay_ == 1 ? kStates - 1 - i : i;
        values_ << kes::ValueQText(o.StateBound[static_cast<std::size_t>(j)], Type(), len);
        pictures_[static_cast<std::size_t>(i)] = o.StatePic[static_cast<std::size_t>(j)];
    }
    State_Box->setCurrentIndex(0);
    State_BoxChange();
}

void TVrgSet::RefBtnClick() { ref_->Pick(this, kes::DevWant::Word, Len()); }

void TVrgSet::ValLen_BoxChange() { ref_->ReformatForLength(obj_.DevAddrCode, Len(), obj_.RefBitNo); }

void TVrgSet::State_BoxChange()
{
    const int sel = State_Box->currentIndex();
    if (sel < 0) {
        kes::ShowMsg(Ctx().Ask, kMsgNoState);
        return;
    }
    Comp_Txt->setText(values_.value(sel));
    const int pic = pictures_[static_cast<std::size_t>(sel)];
    Bmp_Box->setCurrentIndex(pic < Bmp_Box->count() ? pic : -1);
}

void TVrgSet::Bmp_BoxChange()
{
    const int sel = State_Box->currentIndex();
    if (sel < 0) {
        kes::ShowMsg(Ctx().Ask, kMsgNoState);
        return;
    }
    pictures_[static_cast<std::size_t>(sel)] = Bmp_Box->currentIndex();
}

void TVrgSet::Comp_TxtKeyUp(int key)
{
    if (kes::StepState(State_Box, key)) {
        State_BoxChange();
        return;
    }
    const int sel = State_Box->currentIndex();
    if (sel < 0) {
        kes::ShowMsg(Ctx().Ask, kMsgNoState);
        return;
    }
    values_[sel] = Comp_Txt->text().trimmed();
}

void TVrgSet::Comp_TxtDblClick()
{
    kes::StateTable t;
    t.Kind = kes::ObjKind::VrgBmp;
    t.Count = State_Box->count();
    t.Values = &values_;
    t.ValueHeading = Comp_Lab->text();
    t.ValType = Type();
    t.ValLen = Len();
    t.SmallToLarge = kes::RadioGroupIndex(Rg_ValSetWay) == 1;
    if (kes::RunStateTable(Ctx(), this, t))
        State_BoxChange();
}

void TVrgSet::Rg_ValSetWayClick()
{
    const int way = kes::RadioGroupIndex(Rg_ValSetWay);
    if (way == valSetWay_ || way < 0)
        return;
    valSetWay_ = way;
    kes::ReverseStates(values_, kStates);
    kes::ReverseStates(pictures_, kStates);
    State_BoxChange();
}

void TVrgSet::Const_RdoClick()
{
    kes::SetEnabled({Comp_Lab, Comp_Txt}, true);
    varBounds_ = 0;
}

void TVrgSet::Var_RdoClick()
{
    kes::SetEnabled({Comp_Lab, Comp_Txt}, false);
    varBounds_ = 16;
}

std::vector<std::uint32_t> TVrgSet::LargeToSmall() const
{
    std::vector<std::uint32_t> v = kes::StateValuesOf(values_, Type());
    if (valSetWay_ == 1)
        std::reverse(v.begin(), v.end());
    return v;
}

kes::Check TVrgSet::Validate()
{
    const auto access = ref_->Validate(kes::kWordFlags, Len());
    if (!access)
        return FailMsg(kMsgAddress);
    if (Len() < *access)
        return FailMsg(kMsgLength);
    for (int i = 0; i < kStates; ++i)
        if (!kes::StateValueInRange(values_.value(i), Type(), Len()))
            return kes::FailNumbered(kMsgState, i, kMsgSettingError);
    const std::vector<std::uint32_t> v = LargeToSmall();
    for (int i = 0; i + 1 < kStates; ++i)
        if (kes::StateValueAbove(v[static_cast<std::size_t>(i + 1)], v[static_cast<std::size_t>(i)], Type(), Len()))
            return kes::FailNumbered(kMsgFieldValue, i, kMsgSettingError);
    return std::nullopt;
}

void TVrgSet::Store()
{
    TVrgBmp& o = obj_;
    o.VarBounds = varBounds_;
    o.ValLen = Len();
    o.ValType = static_cast<std::uint8_t>(Type());
    ref_->StoreTo(o, kes::kWordFlags);
    const std::vector<std::uint32_t> v = LargeToSmall();
    for (int i = 0; i < kStates; ++i) {
        const auto s = static_cast<std::size_t>(i);
        o.StateBound[s] = v[s];
        const int pic = pictures_[valSetWay_ == 1 ? static_cast<std::size_t>(kStates - 1 - i) : s];
        o.StatePic[s] = static_cast<std::uint8_t>(std::max(0, pic));
    }
    o.RangeOrder = static_cast<std::uint8_t>(valSetWay_);
    o.SetCurPt(std::max(0, State_Box->currentIndex()));
    o.BmpRePaint();
    if (Ctx().ObjToolbarRefresh)
        Ctx().ObjToolbarRefresh(o);
}

bool kes::RunVrgSet(DialogContext& ctx, TVrgBmp& obj, QWidget* owner, const QString& caption)
{
    return RunObjDialog<TVrgSet>(ctx, obj, owner, caption);
}
