// The scale settings form.
#include "app/dialogs/tscaleset.h"

#include "app/dialogs/objdialogs.h"

#include "objects/digtest.h"
#include "objects/tscale.h"
#include "objects/valformat.h"
#include "platform/codepage.h"

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

enum Msg {
    kMsgMaxError = 0,
    kMsgMinError = 1,
    kMsgMaxMinError = 2,
    kMsgMainScale = 56,
    kMsgSubScale = 57,
    kMsgNoMax = 58,
    kMsgNoMin = 59,
};

constexpr int kSignedDecimal = kes::FormatCode(kes::ValFormat::Signed);
constexpr int kMaxScaleCount = 255;

} // namespace

TScaleSet::TScaleSet(kes::DialogContext& ctx, QWidget* owner, TScale& scale)
    : SettingsDialog(ctx, owner, "ScaleSet"), scale_(scale)
{
    setWindowTitle(QStringLiteral("Scale"));

    GroupBox1 = NewGroup(this, "GroupBox1", QStringLiteral("Layout"));
    auto* layout = new QGridLayout(GroupBox1);
    Dir_Lab = NewLabel(GroupBox1, "Dir_Lab", QStringLiteral("Position"));
    Dir_Box = NewCombo(GroupBox1, "Dir_Box", {"Top", "Bottom", "Left", "Right"});
    Side_Lab = NewLabel(GroupBox1, "Side_Lab", QStringLiteral("Direction"));
    Side_Box = NewCombo(GroupBox1, "Side_Box", {"Forward", "Reverse"});
    kes::AddRow(layout, Dir_Lab, Dir_Box);
    kes::AddRow(layout, Side_Lab, Side_Box);

    GroupBox2 = NewGroup(this, "GroupBox2", QStringLiteral("Divisions"));
    auto* divisions = new QGridLayout(GroupBox2);
    Main_Lab = NewLabel(GroupBox2, "Main_Lab", QStringLiteral("Main scale"));
    Main_Txt = NewEdit(GroupBox2, "Main_Txt");
    Sub_Lab = NewLabel(GroupBox2, "Sub_Lab", QStringLiteral("Sub scale"));
    Sub_Txt = NewEdit(GroupBox2, "Sub_Txt");
    kes::AddRow(divisions, Main_Lab, Main_Txt);
    kes::AddRow(divisions, Sub_Lab, Sub_Txt);

    GroupBox3 = NewGroup(this, "GroupBox3", QStringLiteral("Values"));
    auto* values = new QGridLayout(GroupBox3);
    Max_Lab = NewLabel(GroupBox3, "Max_Lab", QStringLiteral("Maximum"));
    Max_Txt = NewEdit(GroupBox3, "Max_Txt");
    Min_Lab = NewLabel(GroupBox3, "Min_Lab", QStringLiteral("Minimum"));
    Min_Txt = NewEdit(GroupBox3, "Min_Txt");
    ValLen_Lab = NewLabel(GroupBox3, "ValLen_Lab", QStringLiteral("Length"));
    ValLen_Box = NewCombo(GroupBox3, "ValLen_Box", kes::ValLenItems());
    kes::AddRow(values, Max_Lab, Max_Txt);
    kes::AddRow(values, Min_Lab, Min_Txt);
    kes::AddRow(values, ValLen_Lab, ValLen_Box);

    GroupBox4 = NewGroup(this, "GroupBox4", QStringLiteral("Font"));
    auto* font = new QGridLayout(GroupBox4);
    Font_Lab = NewLabel(GroupBox4, "Font_Lab", QStringLiteral("Font"));
    Font_Box = NewFixedCombo(GroupBox4, "Font_Box", kes::FontItems());
    kes::AddRow(font, Font_Lab, Font_Box);

    auto* grid = new QGridLayout;
    grid->addWidget(GroupBox1, 0, 0);
    grid->addWidget(GroupBox2, 0, 1);
    grid->addWidget(GroupBox3, 1, 0);
    grid->addWidget(GroupBox4, 1, 1, Qt::AlignTop);
    auto* lay = new QVBoxLayout(this);
    lay->addLayout(grid);
    lay->addLayout(NewOkCancel(OkBtn, "OkBtn", CancelBtn, "CancelBtn"));
}

TScaleSet::~TScaleSet() = default;

void TScaleSet::LoadFields()
{
    const TScale& s = scale_;
    Dir_Box->setCurrentIndex(s.ScaleDir & 0x0F);
    Side_Box->setCurrentIndex(s.ScaleDir >> 4);
    Main_Txt->setText(QString::number(s.MainDiv));
    Sub_Txt->setText(QString::number(s.SubDiv));
    Max_Txt->setText(QString::number(s.ScaleMax));
    Min_Txt->setText(QString::number(s.ScaleMin));
    ValLen_Box->setCurrentIndex(s.ValLen <= 1 ? s.ValLen : -1);
    Font_Box->setCurrentIndex(s.fontsize >= 0 && s.fontsize <= 3 ? s.fontsize : -1);
}

kes::Check TScaleSet::Validate()
{
    if (const kes::Check f = kes::CheckScaleCounts(Main_Txt->text(), Sub_Txt->text()))
        return f;
    const QString max = Max_Txt->text();
    const QString min = Min_Txt->text();
    if (max.isEmpty())
        return FailMsg(kMsgNoMax);
    if (min.isEmpty())
        return FailMsg(kMsgNoMin);
    const int len = ValLen_Box->currentIndex();
    if (!kes::ValueInRange(max, kSignedDecimal, len))
        return FailMsg(kMsgMaxError);
    if (!kes::ValueInRange(min, kSignedDecimal, len))
        return FailMsg(kMsgMinError);
    if (!ValueTextNotBelow(kes::QStringToAnsi(max.trimmed()), kes::QStringToAnsi(min.trimmed()), kSignedDecimal, 0))
        return FailMsg(kMsgMaxMinError);
    return std::nullopt;
}

void TScaleSet::Store()
{
    TScale& s = scale_;
    s.ScaleDir =
        static_cast<std::uint8_t>(std::max(0, Dir_Box->currentIndex()) + 16 * std::max(0, Side_Box->currentIndex()));
    // Every number was checked: the counts lie within a byte, the limits within the length.
    s.MainDiv = static_cast<std::uint8_t>(kes::IntOfText(Main_Txt->text()).value_or(s.MainDiv));
    s.SubDiv = static_cast<std::uint8_t>(kes::IntOfText(Sub_Txt->text()).value_or(s.SubDiv));
    s.ValLen = static_cast<std::uint8_t>(std::max(0, ValLen_Box->currentIndex()));
    s.ScaleMax = kes::IntOfText(Max_Txt->text()).value_or(s.ScaleMax);
    s.ScaleMin = kes::IntOfText(Min_Txt->text()).value_or(s.ScaleMin);
    if (Font_Box->currentIndex() >= 0)
        s.FontSet(Font_Box->currentIndex());
    if (Ctx().ObjFontBoxRefresh)
        Ctx().ObjFontBoxRefresh(s);
    s.BmpRePaint();
}

namespace kes {

Check CheckScaleCounts(const QString& mainText, const QString& subText)
{
    const std::optional<int> main = IntOfText(mainText);
    if (!main || *main < 2 || *main > kMaxScaleCount)
        return FailMsg(kMsgMainScale);
    const std::optional<int> sub = IntOfText(subText);
    if (!sub || *sub < 0 || *sub > kMaxScaleCount)
        return FailMsg(kMsgSubScale);
    return std::nullopt;
}

bool RunScaleSet(DialogContext& ctx, TScale& scale, QWidget* owner, const QString& caption)
{
    return RunObjDialog<TScaleSet>(ctx, scale, owner, caption);
}

} // namespace kes
