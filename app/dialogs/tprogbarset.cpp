#include "app/dialogs/tprogbarset.h"

#include "app/dialogs/objdialogs.h"
#include "app/model/lxtypecore.h"
#include "objects/addrmode.h"
#include "objects/digtest.h"
#include "objects/tprogbar.h"
#include "objects/valformat.h"
#include "platform/codepage.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

using kes::FailMsg;

namespace {

constexpr int kMsgMaxError = 0;
constexpr int kMsgMinError = 1;
constexpr int kMsgMaxMinError = 2;
constexpr int kMsgAddress = 17;
constexpr int kMsgLength = 104;

} // namespace

TProgBarSet::TProgBarSet(kes::DialogContext& ctx, QWidget* owner, TProgBar& bar)
    : SettingsDialog(ctx, owner, "ProgBarSet"), bar_(bar)
{
    setWindowTitle(QStringLiteral("Bar Graph"));
    DevRefGp = NewGroup(this, "DevRefGp", QStringLiteral("Device"));
    auto* dev = new QVBoxLayout(DevRefGp);
    dev->addLayout(NewAddressRow(DevRefGp, "DevRefTxt", DevRefTxt, "RefBtn", RefBtn));

    ValType_Lab = NewLabel(this, "ValType_Lab", QStringLiteral("Value Type"));
    ValType_Box = NewCombo(this, "ValType_Box", kes::ValTypeItems());
    ValLen_Lab = NewLabel(this, "ValLen_Lab", QStringLiteral("Length"));
    ValLen_Box = NewCombo(this, "ValLen_Box", kes::ValLenItems());
    Pos_Lab = NewLabel(this, "Pos_Lab", QStringLiteral("Direction"));
    Pos_Box = NewCombo(this, "Pos_Box", {"Bottom to Top", "Top to Bottom", "Right to Left", "Left to Right"});
    Max_Lab = NewLabel(this, "Max_Lab", QStringLiteral("Maximum"));
    Max_Txt = NewEdit(this, "Max_Txt");
    Min_Lab = NewLabel(this, "Min_Lab", QStringLiteral("Minimum"));
    Min_Txt = NewEdit(this, "Min_Txt");
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(DevRefGp);
    lay->addLayout(kes::LabelledRows({{ValType_Lab, ValType_Box},
                                      {ValLen_Lab, ValLen_Box},
                                      {Pos_Lab, Pos_Box},
                                      {Max_Lab, Max_Txt},
                                      {Min_Lab, Min_Txt}}));
    lay->addLayout(NewOkCancel(ValStOK, "ValStOK", ValStCancel, "ValStCancel"));

    ref_ = std::make_unique<kes::AddressField>(ctx, DevRefTxt, RefBtn);
    OnClicked(RefBtn, [this] { RefBtnClick(); });
    OnActivated(ValType_Box, [this] { ValType_BoxChange(); });
    OnActivated(ValLen_Box, [this] { ValType_BoxChange(); });
}

TProgBarSet::~TProgBarSet() = default;

int TProgBarSet::Type() const { return std::max(0, ValType_Box->currentIndex()); }

std::uint8_t TProgBarSet::Len() const { return ValLen_Box->currentIndex() == 1 ? 1 : 0; }

void TProgBarSet::LoadFields()
{
    const TProgBar& b = bar_;
    ref_->LoadCompanion(b);
    const std::uint8_t len = b.ValLen == 1 ? 1 : 0;
    ref_->Show(b.DevAddrCode, kes::kWordFlags, len, b.RefBitNo);
    Pos_Box->setCurrentIndex(b.ProgBarDirect <= 3 ? b.ProgBarDirect : -1);
    ValType_Box->setCurrentIndex(kes::IsNumberFormat(b.ValType) ? b.ValType : -1);
    ValLen_Box->setCurrentIndex(len);
    // The stored limits, not the type's full range.
    Max_Txt->setText(kes::ValueQText(static_cast<std::uint32_t>(b.BarMax), Type(), len));
    Min_Txt->setText(kes::ValueQText(static_cast<std::uint32_t>(b.BarMin), Type(), len));
}

void TProgBarSet::RefBtnClick() { ref_->Pick(this, kes::DevWant::Word, Len()); }

void TProgBarSet::ValType_BoxChange()
{
    Max_Txt->setText(QString::fromStdString(RangeLimitText(Type(), Len(), 1)));
    Min_Txt->setText(QString::fromStdString(RangeLimitText(Type(), Len(), 0)));
    // Where the length picks the device range, the address starts again from the model's
    // default word for the new length.
    const kes::LxTypeCore& m = Ctx().Model;
    if (m.LengthSelectsAccess)
        ref_->SetText(ref_->Format(m.DefWordCode, kes::kWordFlags, Len(), bar_.RefBitNo));
}

kes::Check TProgBarSet::Validate()
{
    DevRefTxt->setText(DevRefTxt->text().toUpper());
    const auto access = ref_->Validate(kes::kWordFlags, Len());
    if (!access)
        return FailMsg(kMsgAddress);
    if (Len() < *access)
        return FailMsg(kMsgLength);
    Max_Txt->setText(Max_Txt->text().trimmed());
    Min_Txt->setText(Min_Txt->text().trimmed());
    if (!kes::ValueInRange(Max_Txt->text(), Type(), Len()))
        return FailMsg(kMsgMaxError);
    if (!kes::ValueInRange(Min_Txt->text(), Type(), Len()))
        return FailMsg(kMsgMinError);
    if (!ValueTextNotBelow(kes::TrimmedAnsi(Max_Txt), kes::TrimmedAnsi(Min_Txt), Type(), 0))
        return FailMsg(kMsgMaxMinError);
    return std::nullopt;
}

void TProgBarSet::Store()
{
    TProgBar& b = bar_;
    ref_->StoreTo(b, kes::kWordFlags);
    b.SetBarDir(static_cast<std::uint8_t>(std::max(0, Pos_Box->currentIndex())));
    b.ValType = static_cast<std::uint8_t>(Type());
    b.ValLen = Len();
    b.BarMax = static_cast<std::int32_t>(TextToValue(kes::TrimmedAnsi(Max_Txt), Type()));
    b.BarMin = static_cast<std::int32_t>(TextToValue(kes::TrimmedAnsi(Min_Txt), Type()));
    b.BmpRePaint();
}

bool kes::RunProgBarSet(DialogContext& ctx, TProgBar& obj, QWidget* owner, const QString& caption)
{
    return RunObjDialog<TProgBarSet>(ctx, obj, owner, caption);
}
