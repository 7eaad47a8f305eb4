#include "app/dialogs/tfrmgridtable.h"

#include "app/dialogs/objdialogs.h"
#include "app/dialogs/settingsdialog.h"
#include "app/dialogs/statetable.h"
#include "app/dialogs/tfrmrange.h"
#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"
#include "app/ui/translate.h"
#include "objects/digtest.h"
#include "objects/valformat.h"
#include "platform/codepage.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

using kes::Named;

namespace {

constexpr int kMsgFieldValue = 4;
constexpr int kMsgSettingError = 5;
constexpr int kMsgState = 88;
constexpr int kRowHeight = 18;

std::string Ansi(const QString& s) { return kes::QStringToAnsi(s); }

// A cell text that the value type reads as a number (an empty text reads as 0).
bool Converts(const std::string& text, int type)
{
    if (type == 2 || type == 3)
        return IsHexText(text);
    return IsSignedDecimalText(text) && text != "-" && text != "+";
}

bool IsSigned(int type) { return kes::IsFormat(type, kes::ValFormat::Signed); }

// The type's largest and smallest values in their stored form.
std::uint32_t TypeMax(int type, int len) { return TextToValue(RangeLimitText(type, len, 1), type); }
std::uint32_t TypeMin(int type, int len) { return TextToValue(RangeLimitText(type, len, 0), type); }

} // namespace

TFrmGridTable::TFrmGridTable(QWidget* owner, kes::Prompt& prompt, int langIndex)
    : QDialog(owner), prompt_(prompt), langIndex_(langIndex)
{
    setObjectName(QStringLiteral("FrmGridTable"));
    setWindowTitle(QStringLiteral("State Table"));
    setModal(true);
    StrGridTable = Named(new QTableWidget(this), "StrGridTable");
    StrGridTable->horizontalHeader()->hide();
    StrGridTable->verticalHeader()->hide();
    StrGridTable->verticalHeader()->setDefaultSectionSize(kRowHeight);
    StrGridTable->setEditTriggers(QAbstractItemView::AllEditTriggers);
    StrGridTable->setSelectionMode(QAbstractItemView::SingleSelection);
    Button1 = Named(new QPushButton(QStringLiteral("Cancel"), this), "Button1");
    Button2 = Named(new QPushButton(QStringLiteral("OK"), this), "Button2");
    BtnRefer = Named(new QPushButton(QStringLiteral("Reference..."), this), "BtnRefer");
    for (QPushButton* b : {Button1, Button2, BtnRefer})
        b->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BtnRefer);
    buttons->addStretch();
    buttons->addWidget(Button2);
    buttons->addWidget(Button1);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(StrGridTable);
    lay->addLayout(buttons);

    QObject::connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    QObject::connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    QObject::connect(BtnRefer, &QPushButton::clicked, this, [this] { BtnReferClick(); });
}

TFrmGridTable::~TFrmGridTable() = default;

void TFrmGridTable::SetGridShape(int columns, int rows)
{
    StrGridTable->setColumnCount(columns);
    StrGridTable->setRowCount(rows);
    // The heading row and the state labels are not typed over.
    for (int c = 0; c < columns; ++c)
        for (int r = 0; r < rows; ++r) {
            auto* item = new QTableWidgetItem;
            if (r == 0 || c == 0) {
                item->setFlags(Qt::ItemIsEnabled);
                item->setBackground(palette().button());
            }
            StrGridTable->setItem(r, c, item);
        }
}

int TFrmGridTable::RowCount() const { return StrGridTable->rowCount(); }

QString TFrmGridTable::Cell(int col, int row) const
{
    const QTableWidgetItem* item = StrGridTable->item(row, col);
    return item ? item->text() : QString();
}

void TFrmGridTable::SetCell(int col, int row, const QString& text)
{
    if (row < 0 || col < 0 || row >= StrGridTable->rowCount() || col >= StrGridTable->columnCount())
        return;
    if (QTableWidgetItem* item = StrGridTable->item(row, col))
        item->setText(text);
    else
        StrGridTable->setItem(row, col, new QTableWidgetItem(text));
}

void TFrmGridTable::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TFrmGridTable::FormShow()
{
    TranslateForm(this, langIndex_);
    // The translated caption begins with a blank that parts it from the prefix.
    setWindowTitle(CaptionPrefix.isEmpty() ? windowTitle().trimmed() : CaptionPrefix + windowTitle());
    auto entry = [](const QStringList* list, int i) { return list && i < list->size() ? list->at(i) : QString(); };
    for (int i = 0; i < StateNum; ++i) {
        const int row = i + 1;
        SetCell(0, row, kes::Msg(kMsgState) + QString::number(i));
        switch (Kind ? kes::ObjDialogOf(*Kind).Grid : kes::StateGrid::None) {
        case kes::StateGrid::Values:
            SetCell(1, row, entry(StateValues, i));
            break;
        case kes::StateGrid::ValuesTexts:
            if (StateValues && StateTexts) {
                SetCell(1, row, entry(StateValues, i));
                SetCell(2, row, entry(StateTexts, i));
            } else {
                SetCell(1, row, entry(StateValues ? StateValues : StateTexts, i));
            }
            break;
        case kes::StateGrid::ValuesThenTexts:
            if (StateValues)
                SetCell(1, row, entry(StateValues, i));
            if (StateTexts)
                SetCell(2, row, entry(StateTexts, i));
            break;
        case kes::StateGrid::Texts:
            if (StateTexts)
                SetCell(1, row, entry(StateTexts, i));
            break;
        case kes::StateGrid::None:
            break;
        }
    }
}

void TFrmGridTable::Button2Click()
{
    if (BtnRefer->isHidden()) {
        Accepted = 1;
        accept();
        return;
    }
    const QString blank = QStringLiteral(" ");
    const int rows = RowCount();
    for (int r = 1; r < rows; ++r) {
        if (!kes::StateValueInRange(Cell(1, r), ValType, ValLen)) {
            kes::ShowError(prompt_, Cell(0, r) + blank + kes::Msg(kMsgFieldValue) + blank + kes::Msg(kMsgSettingError));
            return;
        }
        // A neighbour that is no value is reported by its own row next, not as an order fault.
        if (r + 1 >= rows || !kes::StateValueInRange(Cell(1, r + 1), ValType, ValLen))
            continue;
        const std::string here = Ansi(Cell(1, r));
        const std::string next = Ansi(Cell(1, r + 1));
        bool bad = false;
        if (OrderMode == 0)
            bad = !ValueTextNotBelow(here, next, ValType, 0); // only a rise fails: equal neighbours pass
        else if (OrderMode == 1)
            bad = !ValueTextNotBelow(next, here, ValType, 0);
        if (bad) {
            kes::ShowError(prompt_,
                           kes::Msg(kMsgFieldValue) + blank + QString::number(r) + blank + kes::Msg(kMsgSettingError));
            return;
        }
    }
    // The caller's list changes only with values that passed.
    if (StateValues)
        for (int r = 1; r < rows; ++r) {
            if (r - 1 < StateValues->size())
                (*StateValues)[r - 1] = Cell(1, r);
            else
                StateValues->append(Cell(1, r));
        }
    Accepted = 1;
    accept();
}

void TFrmGridTable::Button1Click()
{
    Accepted = 0;
    reject();
}

void TFrmGridTable::BtnReferClick()
{
    const int type = ValType < 0 ? kes::FormatCode(kes::ValFormat::Unsigned) : ValType;
    const int len = ValLen < 0 ? 0 : ValLen;
    const int last = RowCount() - 1;
    const std::string first = Ansi(Cell(1, 1).trimmed());
    const std::string final = Ansi(Cell(1, last).trimmed());
    const std::string& upText = OrderMode == 0 ? first : final;
    const std::string& downText = OrderMode == 0 ? final : first;

    const std::uint32_t typeMax = TypeMax(type, len);
    const std::uint32_t typeMin = IsSigned(type) ? TypeMin(type, len) : 0;
    std::uint32_t upper = Converts(upText, type) ? TextToValue(upText, type) : typeMax;
    std::uint32_t lower = Converts(downText, type) ? TextToValue(downText, type) : typeMin;
    if (IsSigned(type)) {
        // A signed limit compares as signed: a negative upper limit is a limit, not a huge one.
        if (static_cast<std::int32_t>(upper) > static_cast<std::int32_t>(typeMax))
            upper = typeMax;
        if (static_cast<std::int32_t>(lower) < static_cast<std::int32_t>(typeMin))
            lower = typeMin;
    } else {
        if (upper > typeMax)
            upper = typeMax;
        if (static_cast<std::int32_t>(lower) < 0)
            lower = 0;
    }

    TFrmRange range(this, prompt_, langIndex_, RowCount() - 1);
    range.Upper = static_cast<std::int32_t>(upper);
    range.Lower = static_cast<std::int32_t>(lower);
    range.ValType = type;
    range.ValLen = len;
    kes::ExecModal(prompt_, &range);
    if (!range.Accepted)
        return;
    ReferUpper = static_cast<std::uint32_t>(range.Upper);
    ReferLower = static_cast<std::uint32_t>(range.Lower);
    FillRange(ReferUpper, ReferLower, range.State_BoxFrom->currentIndex(), range.State_BoxTo->currentIndex());
}

void TFrmGridTable::FillRange(std::uint32_t upper, std::uint32_t lower, int p, int q)
{
    const int type = ValType < 0 ? kes::FormatCode(kes::ValFormat::Unsigned) : ValType;
    const bool is32 = ValLen == 1;
    auto text = [&](std::uint32_t v) { return QString::fromStdString(ValueToText(v, type, is32)); };
    // The "to" box names state q + 1: both chosen states take a limit.
    const int firstRow = p + 1;
    const int lastRow = q + 2;
    if (OrderMode == 0) {
        SetCell(1, firstRow, text(upper));
        SetCell(1, lastRow, text(lower));
    } else {
        SetCell(1, firstRow, text(lower));
        SetCell(1, lastRow, text(upper));
    }
    const int n = q - p + 1;
    if (n > 1) {
        std::uint32_t u = upper;
        std::uint32_t l = lower;
        if (type == 3) {
            // BCD digits are worked as the decimal number they show.
            u = TextToValue(ValueToText(upper, 3, true), 0);
            l = TextToValue(ValueToText(lower, 3, true), 0);
        }
        const std::uint32_t span = u - l;
        for (int k = 1; k < n; ++k) {
            const double step = std::floor(static_cast<double>(k) * static_cast<double>(span) / n);
            const auto v = static_cast<std::uint32_t>(static_cast<std::int64_t>(u) - static_cast<std::int64_t>(step));
            const QString t = type == 3 ? QString::number(v) : text(v);
            SetCell(1, OrderMode == 0 ? p + k + 1 : p + n - k + 1, t);
        }
    }
}
