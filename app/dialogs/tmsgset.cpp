#include "app/dialogs/tmsgset.h"

#include "app/dialogs/objdialogs.h"
#include "app/dialogs/statetable.h"
#include "app/dialogs/updown.h"
#include "objects/addrmode.h"
#include "objects/digtest.h"
#include "objects/tmsgtxt.h"
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

using kes::Check;
using kes::FailMsg;

namespace {

constexpr int kMsgFieldValue = 4;
constexpr int kMsgSettingError = 5;
constexpr int kMsgNoStateCount = 64;
constexpr int kMsgState = 88;
constexpr int kMsgTooLong = 99;

} // namespace

TMsgSet::TMsgSet(kes::DialogContext& ctx, QWidget* owner, TMsgTxt& msg)
    : StatesDialog(ctx, owner, "MsgSet", kes::ObjKind::MsgTxt, msg), msg_(msg)
{
    setWindowTitle(QStringLiteral("Message Display"));
    BuildStateControls();

    GroupBox2 = NewGroup(this, "GroupBox2", QStringLiteral("Message"));
    Msg_Lab = NewLabel(GroupBox2, "Msg_Lab", QStringLiteral("Message"));
    Msg_Txt = NewEdit(GroupBox2, "Msg_Txt");
    FontTypeBtn->setParent(GroupBox2);
    auto* text = new QHBoxLayout(GroupBox2);
    text->addWidget(Msg_Lab);
    text->addWidget(Msg_Txt, 1);
    text->addWidget(FontTypeBtn);

    GroupBox3 = NewGroup(this, "GroupBox3", QStringLiteral("Display"));
    Static_Rdo = NewRadio(GroupBox3, "Static_Rdo", QStringLiteral("Static"));
    Shine_Rdo = NewRadio(GroupBox3, "Shine_Rdo", QStringLiteral("Flashing"));
    RunLight_Rdo = NewRadio(GroupBox3, "RunLight_Rdo", QStringLiteral("Running"));
    Static_Rdo->setChecked(true);
    Dir_Lab = NewLabel(GroupBox3, "Dir_Lab", QStringLiteral("Direction"));
    Dir_Box = NewCombo(GroupBox3, "Dir_Box", {"Bottom to Top", "Top to Bottom", "Right to Left", "Left to Right"});
    Int_Lab = NewLabel(GroupBox3, "Int_Lab", QStringLiteral("Interval"));
    Int_Box = NewFixedCombo(GroupBox3, "Int_Box", {"500  ms.", "1000 ms.", "1500 ms.", "2000 ms.", "2500 ms."});
    auto* display = new QGridLayout(GroupBox3);
    display->addWidget(Static_Rdo, 0, 0);
    display->addWidget(Shine_Rdo, 0, 1);
    display->addWidget(RunLight_Rdo, 0, 2);
    display->addWidget(Dir_Lab, 1, 0);
    display->addWidget(Dir_Box, 1, 1, 1, 2);
    display->addWidget(Int_Lab, 2, 0);
    display->addWidget(Int_Box, 2, 1, 1, 2);

    auto* right = new QVBoxLayout;
    right->addWidget(GroupBox2);
    right->addWidget(GroupBox3);
    right->addStretch();
    LayOut(nullptr, right);

    WatchTextEdit(Msg_Txt, kMsgNoStateCount);
    OnClicked(Static_Rdo, [this] { Static_RdoClick(); });
    OnClicked(Shine_Rdo, [this] { Shine_RdoClick(); });
    OnClicked(RunLight_Rdo, [this] { RunLight_RdoClick(); });
}

TMsgSet::~TMsgSet() = default;

QString TMsgSet::TextHeading() const { return Msg_Lab->text(); }

void TMsgSet::ShowSelectedExtras() { Msg_Txt->setText(texts_.value(Selected())); }

void TMsgSet::ShowRunControls(bool on) { kes::SetEnabled({Dir_Box, Int_Box, Int_Lab, Dir_Lab}, on); }

void TMsgSet::LoadFields()
{
    const TMsgTxt& m = msg_;
    font_ = m.Picture.Canvas()->Font;
    LoadStates(m.StateMode, m.ValType & 0x0F, m.StateMode & 0x0F, m.TotalState, m.StateReverse, m.StateVal, m.Messages);
    Int_Box->setCurrentIndex(m.MoveInterval <= 4 ? m.MoveInterval : -1);
    const int display = m.MoveMode >> 4;
    QRadioButton* shown = display == 1 ? Shine_Rdo : (display == 2 ? RunLight_Rdo : Static_Rdo);
    shown->setChecked(true);
    ShowRunControls(shown == RunLight_Rdo);
    Dir_Box->setCurrentIndex((m.MoveMode & 0x0F) <= 3 ? m.MoveMode & 0x0F : -1);
    // The state the object shows is the one selected.
    State_Box->setCurrentIndex(std::clamp<int>(m.CurPt, 0, count_ - 1));
    State_BoxChange();
}

std::uint8_t TMsgSet::DisplayByte() const
{
    const int display = Shine_Rdo->isChecked() ? 0x10 : (RunLight_Rdo->isChecked() ? 0x20 : 0x00);
    return static_cast<std::uint8_t>(display + std::max(0, Dir_Box->currentIndex()));
}

std::string TMsgSet::Padded(const QString& text) const
{
    std::string s = kes::QStringToAnsi(text);
    if (s.empty())
        return s;
    TBitmap scratch(1, 1);
    TCanvas& c = *scratch.Canvas();
    c.Font = font_;
    const int limit = msg_.Picture.Width() / std::max(1, msg_.GridWidth);
    const int blank = c.TextWidth(" ");
    // A font whose blank has no width would never reach the limit.
    if (blank <= 0)
        return s;
    while (c.TextWidth(s) < limit - blank && static_cast<int>(s.size()) < limit)
        s += ' ';
    return s;
}

Check TMsgSet::Validate()
{
    if (Check f = CheckStateRanges())
        return f;
    TBitmap scratch(1, 1);
    scratch.Canvas()->Font = font_;
    for (int i = 0; i < count_; ++i)
        if (scratch.Canvas()->TextWidth(kes::QStringToAnsi(texts_.value(i))) > TMsgTxt::kMaxMessageWidth)
            return kes::FailNumbered(kMsgState, i, kMsgTooLong, QString());
    if (Check f = CheckModeAddress())
        return f;
    if (mode_ == kBitMode)
        return std::nullopt;
    // In the order they are entered: each value not above (smallest first: not below) the one
    // before it.
    const std::vector<std::uint32_t> v = kes::StateValuesOf(values_, Type());
    for (int i = 1; i < count_; ++i) {
        const auto s = static_cast<std::size_t>(i);
        const bool bad = valSetWay_ == 1 ? kes::StateValueAbove(v[s - 1], v[s], Type(), Len())
                                         : kes::StateValueAbove(v[s], v[s - 1], Type(), Len());
        if (bad)
            return kes::FailNumbered(kMsgFieldValue, i, kMsgSettingError);
    }
    return std::nullopt;
}

void TMsgSet::Store()
{
    TMsgTxt& m = msg_;
    m.SetStateNum(static_cast<std::uint8_t>(count_));
    if (mode_ == kBitMode) {
        m.StateMode = 0;
        ref_->StoreTo(m, kes::kBitFlags);
        for (int i = 0; i < count_; ++i)
            m.Messages[static_cast<std::size_t>(i)] = Padded(texts_.value(i));
    } else {
        const std::vector<std::uint32_t> v = ValuesLargeToSmall();
        for (int i = 0; i < count_; ++i) {
            const auto s = static_cast<std::size_t>(i);
            m.StateVal[s] = v[s];
            m.Messages[s] = Padded(texts_.value(EntryOf(i)));
        }
        m.StateReverse = static_cast<std::uint8_t>(mode_ == kValueMode ? valSetWay_ : 0);
        m.ValType = static_cast<std::uint8_t>(Type());
        m.StateMode = KindByte();
        ref_->StoreTo(m, kes::kWordFlags);
    }
    m.MoveMode = DisplayByte();
    m.MoveInterval = static_cast<std::uint8_t>(std::max(0, Int_Box->currentIndex()));
    m.Picture.Canvas()->Font = font_;
    if (mode_ != kBitMode)
        m.SetMsgPt(std::max(0, Selected()));
    m.BmpRePaint();
    if (Ctx().ObjToolbarRefresh)
        Ctx().ObjToolbarRefresh(m);
}

bool kes::RunMsgSet(DialogContext& ctx, TMsgTxt& obj, QWidget* owner, const QString& caption)
{
    return RunObjDialog<TMsgSet>(ctx, obj, owner, caption);
}
