#include "app/dialogs/tbmpset.h"

#include "app/dialogs/objdialogs.h"
#include "app/dialogs/picturepanel.h"
#include "app/dialogs/statetable.h"
#include "app/dialogs/updown.h"
#include "app/ui/prompt.h"
#include "objects/addrmode.h"
#include "objects/lxstatebmp.h"
#include "platform/codepage.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

using kes::Check;
using kes::FailMsg;

namespace {

constexpr int kMsgFieldValue = 4;
constexpr int kMsgSettingError = 5;
constexpr int kMsgAddress = 17;
constexpr int kMsgNoStateCount = 64;
constexpr int kMsgNoState = 89;
constexpr int kMsgCaption = 204;

} // namespace

TBmpSet::TBmpSet(kes::DialogContext& ctx, QWidget* owner, kes::TStateBmpObj& obj)
    : StatesDialog(ctx, owner, "BmpSet",
                   kes::IsKind(obj, kes::ObjKind::Light) ? kes::ObjKind::Light : kes::ObjKind::ActBmp, obj),
      obj_(obj), lamp_(kes::IsKind(obj, kes::ObjKind::Light))
{
    setWindowTitle(QStringLiteral("Setting"));
    BuildStateControls();
    CompGp = NewGroup(this, "CompGp", QStringLiteral("Value"));
    Const_Rdo = NewRadio(CompGp, "Const_Rdo", QStringLiteral("Constant"));
    Var_Rdo = NewRadio(CompGp, "Var_Rdo", QStringLiteral("Variable"));
    Const_Rdo->setChecked(true);
    auto* comp = new QHBoxLayout(CompGp);
    comp->addWidget(Const_Rdo);
    comp->addWidget(Var_Rdo);
    CompGp->hide();

    picture_ = std::make_unique<kes::PicturePanel>(this);
    PanelPic = picture_->PanelPic;
    ImgPic = picture_->ImgPic;
    LabPic = picture_->LabPic;
    BmpRdBtn = NewButton(this, "BmpRdBtn", QStringLiteral("Picture..."));
    BtnBmpClear = NewButton(this, "BtnBmpClear", QStringLiteral("Clear Picture"));
    Txt_Lab = NewLabel(this, "Txt_Lab", QStringLiteral("Text"));
    BmpTxt = NewEdit(this, "BmpTxt");

    auto* pictureButtons = new QHBoxLayout;
    pictureButtons->addWidget(BmpRdBtn);
    pictureButtons->addWidget(BtnBmpClear);
    auto* text = new QHBoxLayout;
    text->addWidget(Txt_Lab);
    text->addWidget(BmpTxt, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(PanelPic, 1);
    right->addWidget(LabPic);
    right->addLayout(pictureButtons);
    right->addLayout(text);
    right->addWidget(FontTypeBtn);
    right->addStretch();
    LayOut(CompGp, right);

    WatchTextEdit(BmpTxt, kMsgNoState);
    OnClicked(BmpRdBtn, [this] { BmpRdBtnClick(); });
    OnClicked(BtnBmpClear, [this] { BtnBmpClearClick(); });
    OnClicked(Const_Rdo, [this] { Const_RdoClick(); });
    OnClicked(Var_Rdo, [this] { Var_RdoClick(); });
}

TBmpSet::~TBmpSet() = default;

QString TBmpSet::PanelCaption() const { return picture_->Caption(); }

QString TBmpSet::TextHeading() const { return Txt_Lab->text(); }

bool TBmpSet::VariableCounts() const { return Var_Rdo->isChecked(); }

void TBmpSet::Const_RdoClick() { kes::SetEnabled({Comp_Lab, Comp_Txt}, mode_ == kValueMode); }

void TBmpSet::Var_RdoClick() { kes::SetEnabled({Comp_Lab, Comp_Txt}, false); }

void TBmpSet::ModeSwitched()
{
    if (mode_ != kValueMode)
        return;
    if (Var_Rdo->isChecked())
        Var_RdoClick();
    else
        Const_RdoClick();
}

QString TBmpSet::ModeAddress(Mode mode) const
{
    // The low byte keeps the address as it stands.
    if (mode == kLsbMode)
        return DevRefTxt->text();
    if (ref_->Comp.IntMem)
        return ref_->PanelMemoryText(false);
    const bool value = mode == kValueMode;
    return ref_->FormatOrDefault(obj_.DevAddrCode, value ? kes::kWordFlags : kes::kBitFlags, value ? Len() : 0,
                                 obj_.RefBitNo);
}

void TBmpSet::ResizeExtras() { pictures_.resize(static_cast<std::size_t>(count_)); }

void TBmpSet::ReverseExtras() { kes::ReverseStates(pictures_, count_); }

void TBmpSet::ShowSelectedExtras()
{
    const int sel = Selected();
    BmpTxt->setText(lamp_ ? texts_.value(sel) : QString());
    if (sel >= 0 && sel < static_cast<int>(pictures_.size()))
        picture_->Show(pictures_[static_cast<std::size_t>(sel)]);
    else
        picture_->ShowNone();
}

void TBmpSet::LoadFields()
{
    const kes::TStateBmpObj& o = obj_;
    setWindowTitle(Ctx().ToolHintOf(kind_) + QLatin1Char(' ') + Msg(kMsgCaption));
    kes::SetEnabled({CompGp, Const_Rdo, Var_Rdo, Txt_Lab, BmpTxt, FontTypeBtn}, lamp_);
    // The lamp's texts are drawn in its own font; the picture keeps the font it has.
    font_ = o.Picture.Canvas()->Font;
    LoadStates(o.StateMode, o.ValType, o.StateMode & 0x0F, o.TotalState, o.StateReverse, o.StateVal, o.TxtList);
    for (int i = 0; i < count_; ++i)
        if (const TBitmap* p = o.StateBmp(i))
            pictures_[static_cast<std::size_t>(EntryOf(i))] = *p;
    State_BoxChange();
}

TBitmap* TBmpSet::PictureToChange()
{
    const int sel = Selected();
    if (sel < 0 || sel >= static_cast<int>(pictures_.size()) || count_ < 1) {
        kes::ShowMsg(Ctx().Ask, kMsgNoStateCount);
        return nullptr;
    }
    return &pictures_[static_cast<std::size_t>(sel)];
}

void TBmpSet::BmpRdBtnClick()
{
    if (TBitmap* pic = PictureToChange()) {
        kes::ChooseStatePicture(Ctx(), this, *pic);
        ShowSelectedExtras();
    }
}

void TBmpSet::BtnBmpClearClick()
{
    if (TBitmap* pic = PictureToChange()) {
        pic->SetSize(0, 0);
        ShowSelectedExtras();
    }
}

Check TBmpSet::Validate()
{
    if (DevRefTxt->text().trimmed().isEmpty())
        return FailMsg(kMsgAddress);
    if (Check f = CheckModeAddress())
        return f;
    if (mode_ == kBitMode)
        return std::nullopt;
    if (Check f = CheckStateRanges())
        return f;
    // Largest first, each value not above the one before it.
    const std::vector<std::uint32_t> v = ValuesLargeToSmall();
    for (int i = 0; i + 1 < count_; ++i) {
        const auto s = static_cast<std::size_t>(i);
        if (kes::StateValueAbove(v[s + 1], v[s], Type(), Len()))
            return kes::FailNumbered(kMsgFieldValue, i, kMsgSettingError);
    }
    return std::nullopt;
}

void TBmpSet::Store()
{
    kes::TStateBmpObj& o = obj_;
    const bool bits = mode_ == kBitMode;
    if (bits) {
        o.StateMode = 0;
        // A multi-state picture keeps its order flag; a lamp on a bit has none.
        if (lamp_)
            o.StateReverse = 0;
        ref_->StoreTo(o, kes::kBitFlags);
    } else {
        o.ValType = static_cast<std::uint8_t>(Type());
        o.StateReverse = static_cast<std::uint8_t>(mode_ == kValueMode ? valSetWay_ : 0);
        o.StateMode = KindByte();
        ref_->StoreTo(o, kes::kWordFlags);
    }
    o.SetStateNum(static_cast<std::uint8_t>(count_));
    const std::vector<std::uint32_t> values = ValuesLargeToSmall();
    for (int i = 0; i < count_; ++i) {
        const auto s = static_cast<std::size_t>(i);
        const int entry = bits ? i : EntryOf(i);
        if (!bits)
            o.StateVal[s] = values[s];
        o.BmpCopyIn(pictures_[static_cast<std::size_t>(entry)], i);
        if (lamp_ && s < o.TxtList.size())
            o.TxtList[s] = kes::QStringToAnsi(texts_.value(entry));
    }
    o.Picture.Canvas()->Font = font_;
    if (!bits && Ctx().ObjToolbarRefresh)
        Ctx().ObjToolbarRefresh(o);
    o.BmpRePaint();
}

bool kes::RunBmpSet(DialogContext& ctx, TStateBmpObj& obj, QWidget* owner, const QString& caption)
{
    return RunObjDialog<TBmpSet>(ctx, obj, owner, caption);
}
