#include "app/dialogs/tvalstaset.h"

#include "app/dialogs/objdialogs.h"
#include "objects/addrmode.h"
#include "objects/tlxval.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

using kes::FailMsg;

namespace {

constexpr int kMsgAddress = 17;
constexpr int kMsgDigits = 87;
constexpr int kMsgLength = 104;
constexpr int kDigitsBoxFirst = 4; // 5 integer digits

using kes::ValFormat;

// The format of a ValType_Box item (Other for none).
ValFormat FormatOfItem(int item) { return item == TValStaSet::kFloatItem ? ValFormat::Float : kes::ValFormatOf(item); }

} // namespace

TValStaSet::TValStaSet(kes::DialogContext& ctx, QWidget* owner, TLxVal& val)
    : SettingsDialog(ctx, owner, "ValStaSet"), val_(val)
{
    setWindowTitle(QStringLiteral("Numeric Display"));
    DevRefGp = NewGroup(this, "DevRefGp", QStringLiteral("Device"));
    auto* dev = new QVBoxLayout(DevRefGp);
    dev->addLayout(NewAddressRow(DevRefGp, "DevRefTxt", DevRefTxt, "RefBtn", RefBtn));
    DevRefTxt->setMaxLength(10);

    ValType_Lab = NewLabel(this, "ValType_Lab", QStringLiteral("Value Type"));
    ValType_Box = NewCombo(this, "ValType_Box",
                           kes::ValTypeItems() << "ASCI"
                                               << "Binary"
                                               << "Floating");
    ValType_Box->setCurrentIndex(0);
    ValLen_Lab = NewLabel(this, "ValLen_Lab", QStringLiteral("Length"));
    ValLen_Box = NewCombo(this, "ValLen_Box", kes::ValLenItems());
    ValLen_Box->setCurrentIndex(0);
    Int_Lab = NewLabel(this, "Int_Lab", QStringLiteral("Integer digits"));
    Int_Box = NewFixedCombo(this, "Int_Box", kes::NumberItems(1, 10));
    Dec_Lab = NewLabel(this, "Dec_Lab", QStringLiteral("Decimal digits"));
    Dec_Box = NewFixedCombo(this, "Dec_Box", kes::NumberItems(0, 9));
    Pos_Lab = NewLabel(this, "Pos_Lab", QStringLiteral("Alignment"));
    HPos_Box = NewCombo(this, "HPos_Box", kes::HPosItems());
    VPos_Box = NewCombo(this, "VPos_Box", kes::VPosItems());
    VPos_Box->hide();
    Frame_Lab = NewLabel(this, "Frame_Lab", QStringLiteral("Frame"));
    Frame_Box = NewCombo(this, "Frame_Box", kes::FrameItems());
    Font_Lab = NewLabel(this, "Font_Lab", QStringLiteral("Font"));
    Font_Box = NewFixedCombo(this, "Font_Box", kes::FontItems());
    HZeroBtn = NewCheck(this, "HZeroBtn", QStringLiteral("Leading zeros"));
    ShineBtn = NewCheck(this, "ShineBtn", QStringLiteral("Flashing"));
    ShineBtn->hide();

    auto* lay = new QVBoxLayout(this);
    lay->addWidget(DevRefGp);
    QGridLayout* grid = kes::LabelledRows({{ValType_Lab, ValType_Box},
                                           {ValLen_Lab, ValLen_Box},
                                           {Int_Lab, Int_Box},
                                           {Dec_Lab, Dec_Box},
                                           {Pos_Lab, HPos_Box},
                                           {Frame_Lab, Frame_Box},
                                           {Font_Lab, Font_Box}});
    grid->addWidget(HZeroBtn, grid->rowCount(), 0, 1, 2);
    lay->addLayout(grid);
    lay->addLayout(NewOkCancel(ValStOK, "ValStOK", ValStCancel, "ValStCancel"));

    ref_ = std::make_unique<kes::AddressField>(ctx, DevRefTxt, RefBtn);
    OnClicked(RefBtn, [this] { RefBtnClick(); });
    OnActivated(ValType_Box, [this] { ValType_BoxChange(); });
    OnActivated(ValLen_Box, [this] { ValLen_BoxChange(); });
}

TValStaSet::~TValStaSet() = default;

std::uint8_t TValStaSet::Len() const
{
    const int type = ValType_Box->currentIndex();
    if (type == kFloatItem)
        return 1;
    if (type == kBinaryItem)
        return 0;
    return ValLen_Box->currentIndex() == 1 ? 1 : 0;
}

void TValStaSet::LoadFields()
{
    const TLxVal& v = val_;
    ref_->LoadCompanion(v);
    const std::uint8_t len = v.ValLen == 1 ? 1 : 0;
    ref_->Show(v.DevAddrCode, kes::kWordFlags, len, v.RefBitNo);
    shownLen_ = len;
    ValType_Box->setCurrentIndex(
        kes::IsFormat(v.ValType, ValFormat::Float) ? kFloatItem : (v.ValType <= kBinaryItem ? v.ValType : -1));
    ValLen_Box->setCurrentIndex(len);
    HZeroBtn->setChecked(v.HZero == 2);
    ShineBtn->setChecked(v.HZero == 1);
    Int_Box->setCurrentIndex(v.IntNum >= 1 && v.IntNum <= 10 ? v.IntNum - 1 : -1);
    Dec_Box->setCurrentIndex(v.DecNum <= 9 ? v.DecNum : -1);
    HPos_Box->setCurrentIndex(v.HPos <= 2 ? v.HPos : -1);
    VPos_Box->setCurrentIndex(v.VPos <= 2 ? v.VPos : -1);
    Frame_Box->setCurrentIndex(v.ObjFrame <= 5 ? v.ObjFrame : -1);
    Font_Box->setCurrentIndex(v.fontsize >= 0 && v.fontsize <= 3 ? v.fontsize : -1);
    ValType_BoxChange();
}

void TValStaSet::RefBtnClick() { ref_->Pick(this, kes::DevWant::Word, Len()); }

void TValStaSet::ValType_BoxChange()
{
    const int type = ValType_Box->currentIndex();
    kes::SetVisible({Int_Box, Dec_Box, Int_Lab, Dec_Lab, ValLen_Lab, ValLen_Box, HZeroBtn}, true);
    kes::SetEnabled({Int_Box, Int_Lab, Dec_Box, Dec_Lab, ValLen_Box}, true);
    switch (FormatOfItem(type)) {
    case ValFormat::Binary:
        kes::SetEnabled({Int_Box, Dec_Box, Int_Lab, Dec_Lab, ValLen_Box}, false);
        Int_Box->setCurrentIndex(-1);
        Dec_Box->setCurrentIndex(-1);
        ValLen_Box->setCurrentIndex(0);
        break;
    case ValFormat::Hex:
    case ValFormat::Bcd:
    case ValFormat::Ascii: {
        kes::SetEnabled({Dec_Box, Dec_Lab}, false);
        // Hexadecimal, BCD and ASCII show at most 4 digits a word.
        const int top = ValLen_Box->currentIndex() == 1 ? 7 : 3;
        const int i = Int_Box->currentIndex();
        Int_Box->setCurrentIndex(i < 0 ? 3 : std::min(i, top));
        Dec_Box->setCurrentIndex(0);
        break;
    }
    case ValFormat::Float:
        ValLen_Box->setCurrentIndex(0);
        kes::SetVisible({ValLen_Box, ValLen_Lab}, false);
        if (Int_Box->currentIndex() < 0)
            Int_Box->setCurrentIndex(kDigitsBoxFirst);
        break;
    default:
        if (Int_Box->currentIndex() < 0)
            Int_Box->setCurrentIndex(kDigitsBoxFirst);
        if (Dec_Box->currentIndex() < 0)
            Dec_Box->setCurrentIndex(0);
        break;
    }
    // A floating value is two words and a binary one one: the address follows the length.
    if (Len() != shownLen_)
        FollowLength();
}

void TValStaSet::ValLen_BoxChange() { FollowLength(); }

void TValStaSet::FollowLength()
{
    ref_->ReformatForLength(val_.DevAddrCode, Len(), val_.RefBitNo);
    shownLen_ = Len();
}

kes::Check TValStaSet::Validate()
{
    const auto access = ref_->Validate(kes::kWordFlags, Len());
    if (!access)
        return FailMsg(kMsgAddress);
    if (Len() < *access)
        return FailMsg(kMsgLength);
    const int type = ValType_Box->currentIndex();
    const int digits = Int_Box->currentIndex() + 1 + std::max(0, Dec_Box->currentIndex());
    const bool is32 = Len() == 1;
    switch (FormatOfItem(type)) {
    case ValFormat::Hex:
    case ValFormat::Bcd:
    case ValFormat::Ascii:
        if (digits > (is32 ? 8 : 4))
            return FailMsg(kMsgDigits);
        break;
    case ValFormat::Float:
        if (Dec_Box->currentIndex() > 5)
            return FailMsg(kMsgDigits);
        break;
    case ValFormat::Binary:
        break;
    default:
        if (digits > (is32 ? 10 : 5))
            return FailMsg(kMsgDigits);
        break;
    }
    return std::nullopt;
}

void TValStaSet::Store()
{
    TLxVal& v = val_;
    const int type = std::max(0, ValType_Box->currentIndex());
    if (type == kBinaryItem) {
        v.IntNum = 16;
        v.DecNum = 0;
    } else {
        v.IntNum = static_cast<std::uint8_t>(Int_Box->currentIndex() + 1);
        v.DecNum = static_cast<std::uint8_t>(std::max(0, Dec_Box->currentIndex()));
    }
    v.ValLen = Len();
    v.ValType = type == kFloatItem ? kes::FormatCode(ValFormat::Float) : static_cast<std::uint8_t>(type);
    ref_->StoreTo(v, kes::kWordFlags);
    v.HZero = 0;
    if (ShineBtn->isChecked())
        v.HZero = 1;
    // Leading zeros win over flashing.
    if (HZeroBtn->isChecked())
        v.HZero = 2;
    v.HPos = static_cast<std::uint8_t>(std::max(0, HPos_Box->currentIndex()));
    v.VPos = static_cast<std::uint8_t>(std::max(0, VPos_Box->currentIndex()));
    v.SetObjFrame(static_cast<std::uint8_t>(std::max(0, Frame_Box->currentIndex())));
    if (Font_Box->currentIndex() >= 0)
        v.FontSet(Font_Box->currentIndex());
    if (Ctx().ObjFontBoxRefresh)
        Ctx().ObjFontBoxRefresh(v);
    v.BmpRePaint();
}

bool kes::RunValStaSet(DialogContext& ctx, TLxVal& obj, QWidget* owner, const QString& caption)
{
    return RunObjDialog<TValStaSet>(ctx, obj, owner, caption);
}
