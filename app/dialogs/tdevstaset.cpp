// The device state picture settings form.
#include "app/dialogs/tdevstaset.h"

#include "app/dialogs/objdialogs.h"

#include "app/model/projectstate.h"
#include "app/ui/translate.h"
#include "objects/addrmode.h"
#include "objects/lxpictures.h"
#include "objects/tlxadvdevbmp.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <string>

namespace {

constexpr int kMsgAddress = 17;
constexpr int kPictures = 18;
constexpr int kPictureSide = 16;

// One item per picture, drawn as the picture alone.
void FillPictureBox(QComboBox* box, const std::vector<QPixmap>& pictures)
{
    box->setIconSize(QSize(kPictureSide, kPictureSide));
    for (const QPixmap& p : pictures)
        box->addItem(QIcon(p), QString());
    box->setCurrentIndex(0);
}

} // namespace

TDevStaSet::TDevStaSet(kes::DialogContext& ctx, QWidget* owner, TLxDevBmp& obj) : TDevStaSet(ctx, owner, obj, nullptr)
{}

TDevStaSet::TDevStaSet(kes::DialogContext& ctx, QWidget* owner, TLxAdvDevBmp& obj) : TDevStaSet(ctx, owner, obj, &obj)
{}

TDevStaSet::TDevStaSet(kes::DialogContext& ctx, QWidget* owner, TLxDevBmp& obj, TLxAdvDevBmp* adv)
    : SettingsDialog(ctx, owner, "DevStaSet"), obj_(obj), adv_(adv)
{
    setWindowTitle(QStringLiteral("Indicator"));
    for (int i = 0; i < kPictures; ++i)
        ImageList1.push_back(QPixmap::fromImage(kes::BuiltinPicture("BIT-" + std::to_string(i + 1)).Image()));

    GroupBox1 = NewGroup(this, "GroupBox1", QStringLiteral("Device"));
    auto* dev = new QHBoxLayout(GroupBox1);
    dev->addLayout(NewAddressRow(GroupBox1, "DevRefTxt", DevRefTxt, "RefBtn", RefBtn), 1);
    RG_BitVal = NewRadioGroup(GroupBox1, "RG_BitVal", QString(), {"Bit", "Val"}, "BitVal");
    kes::SetRadioGroupIndex(RG_BitVal, 0);
    dev->addWidget(RG_BitVal);

    GroupBox2 = NewGroup(this, "GroupBox2", QStringLiteral("Pictures"));
    auto* pics = new QGridLayout(GroupBox2);
    ON_Lab = NewLabel(GroupBox2, "ON_Lab", QStringLiteral("ON"));
    ON_Box = NewCombo(GroupBox2, "ON_Box", {});
    OFF_Lab = NewLabel(GroupBox2, "OFF_Lab", QStringLiteral("OFF"));
    OFF_Box = NewCombo(GroupBox2, "OFF_Box", {});
    for (QComboBox* box : {ON_Box, OFF_Box}) {
        FillPictureBox(box, ImageList1);
        kes::SetComponentClass(box, "");
    }
    kes::AddRow(pics, ON_Lab, ON_Box);
    kes::AddRow(pics, OFF_Lab, OFF_Box);

    auto* lay = new QVBoxLayout(this);
    lay->addWidget(GroupBox1);
    lay->addWidget(GroupBox2);
    lay->addLayout(NewOkCancel(DevStOK, "DevStOK", DevStCancel, "DevStCancel"));

    dev_ = std::make_unique<kes::AddressField>(ctx, DevRefTxt, RefBtn);
    for (QRadioButton* item : RG_BitVal->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly))
        OnClicked(item, [this] { RG_BitValClick(); });
    OnClicked(RefBtn, [this] { RefBtnClick(); });
}

TDevStaSet::~TDevStaSet() = default;

bool TDevStaSet::OffersWordBit() const { return adv_ && Ctx().State.PanelModelIndex == kBitOfWordModel; }

void TDevStaSet::LoadFields()
{
    dev_->LoadCompanion(obj_);
    // Only a kind 21 object holds a kind byte; its address is read and written in that kind
    // even where the choice is not offered.
    kind_ = adv_ && adv_->ValMode != kes::kBitFlags ? kes::kWordFlags : kes::kBitFlags;
    lsb_ = adv_ ? adv_->BitNo : kNoLsb;
    RG_BitVal->setVisible(OffersWordBit());
    kes::SetRadioGroupIndex(RG_BitVal, kind_ != 0 ? 1 : 0);
    ON_Box->setCurrentIndex(obj_.OnBmp < kPictures ? obj_.OnBmp : -1);
    OFF_Box->setCurrentIndex(obj_.OffBmp < kPictures ? obj_.OffBmp : -1);
    dev_->Show(obj_.DevAddrCode, kind_, 0, obj_.RefBitNo);
}

void TDevStaSet::RG_BitValClick()
{
    const bool word = kes::RadioGroupIndex(RG_BitVal) == 1;
    kind_ = word ? kes::kWordFlags : kes::kBitFlags;
    dev_->SetText(dev_->DefaultText(kind_));
    lsb_ = word ? 0 : kNoLsb;
    ON_Box->setCurrentIndex(0);
    OFF_Box->setCurrentIndex(0);
}

void TDevStaSet::RefBtnClick()
{
    const bool word = kind_ == kes::kWordFlags;
    if (OffersWordBit() && word) {
        int lsb = lsb_;
        if (dev_->Pick(this, kes::DevWant::Word, 0, &lsb))
            lsb_ = static_cast<std::uint8_t>(lsb);
    } else {
        dev_->Pick(this, word ? kes::DevWant::Word : kes::DevWant::Bit, 0);
    }
}

kes::Check TDevStaSet::Validate()
{
    // One message for all three: no value length applies to a bit or a bit of a word. A
    // refused OK repaints the object too, as a stored one does.
    if (!dev_->Validate(kind_, 0) || ON_Box->currentIndex() < 0 || OFF_Box->currentIndex() < 0) {
        obj_.BmpRePaint();
        return kes::FailMsg(kMsgAddress);
    }
    return std::nullopt;
}

void TDevStaSet::Store()
{
    obj_.SetOnBmp(static_cast<std::uint8_t>(ON_Box->currentIndex()));
    obj_.SetOffBmp(static_cast<std::uint8_t>(OFF_Box->currentIndex()));
    if (OffersWordBit()) {
        adv_->ValMode = kind_;
        adv_->BitNo = lsb_;
    }
    dev_->StoreTo(obj_, kind_);
    obj_.BmpRePaint();
}

namespace kes {

bool RunDevStaSet(DialogContext& ctx, TLxDevBmp& obj, QWidget* owner, const QString& caption)
{
    return RunObjDialog<TDevStaSet>(ctx, obj, owner, caption);
}

bool RunAdvDevStaSet(DialogContext& ctx, TLxAdvDevBmp& obj, QWidget* owner, const QString& caption)
{
    return RunObjDialog<TDevStaSet>(ctx, obj, owner, caption);
}

} // namespace kes
