#include "app/dialogs/statetable.h"

#include "app/dialogs/dialogcontext.h"
#include "app/dialogs/settingsdialog.h"
#include "app/dialogs/tfrmgridtable.h"
#include "app/model/projectstate.h"
#include "app/ui/prompt.h"
#include "objects/digtest.h"
#include "platform/codepage.h"

#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>

#include <algorithm>

namespace kes {
namespace {

constexpr int kTableMaxHeight = 450;

} // namespace

bool StateValueAbove(std::uint32_t a, std::uint32_t b, int type, int len)
{
    if (type == 1 && len == 1)
        return static_cast<std::int32_t>(a) > static_cast<std::int32_t>(b);
    if (type == 1)
        return static_cast<std::int16_t>(a) > static_cast<std::int16_t>(b);
    return a > b;
}

bool StateValueInRange(const QString& text, int type, int len)
{
    return ValueInRange(text.trimmed().isEmpty() ? QStringLiteral("0") : text, type, len);
}

std::vector<std::uint32_t> StateValuesOf(const QStringList& texts, int type)
{
    std::vector<std::uint32_t> values;
    values.reserve(static_cast<std::size_t>(texts.size()));
    for (const QString& t : texts)
        values.push_back(TextToValue(QStringToAnsi(t.trimmed()), type < 0 ? 0 : type));
    return values;
}

int WrapPosition(int pos, int lo, int hi)
{
    if (pos > hi)
        return lo;
    if (pos < lo)
        return hi;
    return pos;
}

void FillStateBox(QComboBox* box, int count)
{
    box->clear();
    for (int i = 0; i < count; ++i)
        box->addItem(QString::number(i));
    box->setCurrentIndex(-1);
}

bool StepState(QComboBox* box, int key)
{
    const int sel = box->currentIndex();
    if (key == Qt::Key_Up) {
        if (sel > 0)
            box->setCurrentIndex(sel - 1);
        return true;
    }
    if (key == Qt::Key_Down) {
        if (sel < box->count() - 1)
            box->setCurrentIndex(sel + 1);
        return true;
    }
    return false;
}

bool RunStateTable(DialogContext& ctx, QWidget* owner, const StateTable& t)
{
    TFrmGridTable table(owner, ctx.Ask, ctx.State.LangIndex);
    table.CaptionPrefix = ctx.ToolHintOf(t.Kind);
    table.Kind = t.Kind;
    table.StateNum = t.Count;
    table.StateValues = t.Values;
    table.StateTexts = t.Texts;
    table.OrderMode = t.SmallToLarge ? 1 : 0;
    table.ValType = t.ValType;
    table.ValLen = t.ValLen;
    const int textCol = t.Values ? 2 : 1;
    table.SetGridShape(1 + (t.Values ? 1 : 0) + (t.Texts ? 1 : 0), t.Count + 1);
    if (t.Values)
        table.SetCell(1, 0, t.ValueHeading);
    if (t.Texts) {
        table.SetCell(textCol, 0, t.TextHeading);
        if (t.TextWidth > 0)
            table.StrGridTable->setColumnWidth(textCol, t.TextWidth);
    }
    // Without values there is nothing to check or fill.
    table.BtnRefer->setVisible(t.Values != nullptr);
    const int rowsHeight = (t.Count + 1) * table.StrGridTable->verticalHeader()->defaultSectionSize() + 8;
    table.StrGridTable->setMinimumHeight(std::min(rowsHeight, kTableMaxHeight));
    const bool ok = ExecModal(ctx.Ask, &table) == QDialog::Accepted && table.Accepted;
    if (ok) {
        for (int i = 0; i < t.Count; ++i) {
            if (t.Values && i < t.Values->size())
                (*t.Values)[i] = table.Cell(1, i + 1);
            if (t.Texts && i < t.Texts->size())
                (*t.Texts)[i] = table.Cell(textCol, i + 1);
        }
    }
    return ok;
}

} // namespace kes
