// The property grid: row lists, cell texts and owner drawing.
#include "app/ui/tadvstringgrid.h"

#include "objects/lxpictures.h"
#include "platform/codepage.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {

// Fixed colours, so that the grid looks the same on every desktop and in tests.
const QColor kBtnFace(240, 240, 240);
const QColor kHighlight(255, 255, 255);
const QColor kShadow(160, 160, 160);
const QColor kDarkShadow(105, 105, 105);

// Pixel-exact lines: a fill of one pixel's width, no pen rounding.
void HorzLine(QPainter& p, int x1, int x2, int y, const QColor& c)
{
    if (x2 > x1)
        p.fillRect(x1, y, x2 - x1, 1, c);
}

void VertLine(QPainter& p, int x, int y1, int y2, const QColor& c)
{
    if (y2 > y1)
        p.fillRect(x, y1, 1, y2 - y1, c);
}

// One-pixel 3D edge inside r: light top-left and dark bottom-right when raised.
void Frame3D(QPainter& p, const QRect& r, bool raised)
{
    const QColor& tl = raised ? kHighlight : kShadow;
    const QColor& br = raised ? kShadow : kHighlight;
    HorzLine(p, r.left(), r.right() + 1, r.top(), tl);
    VertLine(p, r.left(), r.top(), r.bottom() + 1, tl);
    HorzLine(p, r.left(), r.right() + 1, r.bottom(), br);
    VertLine(p, r.right(), r.top(), r.bottom() + 1, br);
}

// A push button face: raised (two-pixel bevel) or pressed (flat dark edge).
void ButtonFace(QPainter& p, const QRect& r, bool pressed)
{
    p.fillRect(r, kBtnFace);
    if (pressed) {
        HorzLine(p, r.left(), r.right() + 1, r.top(), kShadow);
        VertLine(p, r.left(), r.top(), r.bottom() + 1, kShadow);
        HorzLine(p, r.left(), r.right() + 1, r.bottom(), kShadow);
        VertLine(p, r.right(), r.top(), r.bottom() + 1, kShadow);
        return;
    }
    HorzLine(p, r.left(), r.right(), r.top(), kHighlight);
    VertLine(p, r.left(), r.top(), r.bottom(), kHighlight);
    HorzLine(p, r.left(), r.right() + 1, r.bottom(), kDarkShadow);
    VertLine(p, r.right(), r.top(), r.bottom() + 1, kDarkShadow);
    HorzLine(p, r.left() + 1, r.right(), r.bottom() - 1, kShadow);
    VertLine(p, r.right() - 1, r.top() + 1, r.bottom(), kShadow);
}

// A small solid triangle centred in r, pointing up or down; shifted one pixel when pressed.
void Arrow(QPainter& p, const QRect& r, bool up, bool pressed)
{
    const int half = std::max(1, std::min(r.width() / 4, (r.height() - 2) / 2));
    const int cx = r.left() + r.width() / 2 + (pressed ? 1 : 0);
    const int rows = half;
    const int top = r.top() + (r.height() - rows) / 2 + (pressed ? 1 : 0);
    for (int i = 0; i < rows; ++i) {
        const int w = up ? i : rows - 1 - i;
        HorzLine(p, cx - w, cx + w + 1, top + i, Qt::black);
    }
}

// The "..." button of a row edited in a dialog.
void DialogButton(QPainter& p, const QRect& zone, bool pressed)
{
    ButtonFace(p, zone, pressed);
    const int y = zone.top() + zone.height() / 2 + (pressed ? 1 : 0);
    const int x0 = zone.left() + (pressed ? 1 : 0);
    for (int dx : {2, 7, 12})
        p.fillRect(x0 + dx, y, 3, 2, Qt::black);
}

void DrawText(QPainter& p, int x, int y, const QRect& clip, const QString& text)
{
    p.save();
    p.setClipRect(clip.adjusted(0, 0, -1, -1));
    p.setPen(Qt::black);
    p.drawText(QRect(x, y, std::max(0, clip.right() - x), clip.height()),
               Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    p.restore();
}

class CellDelegate : public QStyledItemDelegate {
public:
    explicit CellDelegate(TAdvStringGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        grid_->DrawCell(*painter, index.column(), index.row(), option.rect, index.row() == grid_->currentRow());
    }

private:
    TAdvStringGrid* grid_;
};

} // namespace

TAdvStringGrid::TAdvStringGrid(QWidget* owner) : QTableWidget(owner)
{
    setColumnCount(2);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(kRowHeight);
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    horizontalHeader()->setMinimumSectionSize(0);
    setShowGrid(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setWordWrap(false);
    setItemDelegate(new CellDelegate(this));
    viewport()->setMouseTracking(true);
    SetDefaultColWidth(defaultColWidth_);
}

TAdvStringGrid::~TAdvStringGrid() = default;

TPropBase* TAdvStringGrid::Prop(int index) const
{
    if (!rows_ || index < 0 || index >= PropCount())
        return nullptr;
    return (*rows_)[static_cast<std::size_t>(index)].get();
}

TPropBase* TAdvStringGrid::AppendProp(std::unique_ptr<TPropBase> row)
{
    if (!rows_)
        rows_ = std::make_unique<std::vector<std::unique_ptr<TPropBase>>>();
    rows_->push_back(std::move(row));
    return rows_->back().get();
}

TPropBase* TAdvStringGrid::VisibleProp(int gridRow) const
{
    if (!visible_ || gridRow < 0 || gridRow >= VisibleCount())
        return nullptr;
    return (*visible_)[static_cast<std::size_t>(gridRow)];
}

void TAdvStringGrid::SetPropType(int n)
{
    if (n < 0)
        n = 0;
    if (!rows_) {
        rows_ = std::make_unique<std::vector<std::unique_ptr<TPropBase>>>();
    } else if (static_cast<int>(rows_->size()) >= n) {
        // The visible list points into the rows: drop whatever it holds of the freed ones.
        if (visible_) {
            for (std::size_t i = static_cast<std::size_t>(n); i < rows_->size(); ++i)
                std::erase(*visible_, (*rows_)[i].get());
        }
        while (static_cast<int>(rows_->size()) > n)
            rows_->pop_back();
    }
    TotalPropType = n;
}

void TAdvStringGrid::SetVisiblePropType(int n)
{
    if (!visible_)
        visible_ = std::make_unique<std::vector<TPropBase*>>();
    visible_->clear();
    TotalVisiblePropType = n;
}

void TAdvStringGrid::GetRowCount()
{
    int n = 0;
    for (int i = 0; i < PropCount(); ++i)
        if (Prop(i)->IsVisible())
            ++n;
    setRowCount(n);
    cells_.resize(static_cast<std::size_t>(n));
}

void TAdvStringGrid::SetTreeToGrid()
{
    SetVisiblePropType(rowCount());
    for (int i = 0; i < PropCount(); ++i)
        if (Prop(i)->IsVisible())
            visible_->push_back(Prop(i));
    UpdateDataToGrid();
}

void TAdvStringGrid::GridInitial()
{
    GetRowCount();
    SetTreeToGrid();
}

TPropBase* TAdvStringGrid::FindParent(TPropBase* row) const
{
    int i = PropCount() - 1;
    while (i >= 0 && Prop(i) != row)
        --i;
    for (; i >= 0; --i)
        if (Prop(i)->PropType == ptParent)
            return Prop(i);
    return nullptr;
}

void TAdvStringGrid::UpdateDataToGrid()
{
    const int n = std::min(VisibleCount(), rowCount());
    for (int i = 0; i < n; ++i) {
        TPropBase* row = VisibleProp(i);
        SetCells(0, i, row->Name);
        switch (row->PropType) {
        case ptVal:
            SetCells(1, i, QString::number(static_cast<TPropVal*>(row)->GetValue()));
            break;
        case ptComboTxt: {
            auto* c = static_cast<TPropComboTxt*>(row);
            if (c->MsgBase < 1)
                SetCells(1, i,
                         c->ItemIndex >= 0 && c->ItemIndex < c->Items.size() ? c->Items[c->ItemIndex] : QString());
            else
                SetCells(1, i, c->GetText());
            break;
        }
        case ptComboBmp:
            break; // the cell shows a picture
        case ptFontDlg: {
            auto* f = static_cast<TPropFontDlg*>(row);
            if (f->Font)
                SetCells(1, i,
                         QStringLiteral("{Font:%1,%2}").arg(kes::AnsiToQString(f->Font->Name)).arg(f->Font->Size));
            else
                SetCells(1, i, row->GetText());
            break;
        }
        case ptComboVal: {
            auto* v = static_cast<TPropComboVal*>(row);
            SetCells(1, i, QString::number(static_cast<qint64>(v->ItemIndex) + v->First));
            break;
        }
        default:
            SetCells(1, i, row->GetText());
            break;
        }
    }
}

bool TAdvStringGrid::SelectCell(int col, int row)
{
    (void)col;
    if (row < 0 || VisibleCount() == 0)
        return false;
    UpdateDataToGrid();
    viewport()->update();
    return true;
}

QString TAdvStringGrid::Cells(int col, int row) const
{
    if (col < 0 || col > 1 || row < 0 || row >= static_cast<int>(cells_.size()))
        return {};
    return cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

void TAdvStringGrid::SetCells(int col, int row, const QString& text)
{
    if (col < 0 || col > 1 || row < 0)
        return;
    if (row >= static_cast<int>(cells_.size()))
        cells_.resize(static_cast<std::size_t>(row) + 1);
    cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] = text;
    viewport()->update();
}

void TAdvStringGrid::SetCol(int col)
{
    if (currentRow() >= 0)
        setCurrentCell(currentRow(), col);
}

void TAdvStringGrid::SetRow(int row)
{
    if (row >= 0 && row < rowCount())
        setCurrentCell(row, currentColumn() < 0 ? 1 : currentColumn());
}

void TAdvStringGrid::SetDefaultColWidth(int width)
{
    defaultColWidth_ = width;
    setColumnWidth(0, width);
    setColumnWidth(1, width);
}

QRect TAdvStringGrid::CellRect(int col, int row) const
{
    if (col < 0 || col > 1 || row < 0 || row >= rowCount())
        return {};
    return visualRect(model()->index(row, col));
}

bool TAdvStringGrid::MouseToCell(int x, int y, int& col, int& row) const
{
    row = rowAt(y);
    col = columnAt(x);
    return row >= 0 && col >= 0;
}

QRect TAdvStringGrid::ButtonZone(const QRect& cell)
{
    QRect r = cell;
    r.setLeft(cell.right() + 1 - kButtonWidth);
    return r;
}

QImage TAdvStringGrid::RowPicture(const TPropComboBmp& row, int index)
{
    if (index < 0)
        return {};
    if (row.Images) {
        if (index < static_cast<int>(row.Images->size()))
            return (*row.Images)[static_cast<std::size_t>(index)];
        return {};
    }
    if (row.PictureCount <= 0 || row.PicName.isEmpty())
        return {};
    const std::string name = row.PicName.toStdString() + std::to_string(index + 1);
    return kes::BuiltinPicture(name).Image();
}

void TAdvStringGrid::DrawCell(QPainter& p, int col, int row, const QRect& rect, bool current) const
{
    if (!visible_ || row < 0 || row >= rowCount())
        return;
    TPropBase* prop = VisibleProp(row);
    if (!prop)
        return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setFont(font());
    p.fillRect(rect, kBtnFace);
    Frame3D(p, rect, !current);
    // Dotted line along the bottom edge.
    for (int x = rect.left(); x <= rect.right(); x += 2)
        p.fillRect(x, rect.bottom(), 1, 1, kShadow);
    if (col == 0)
        DrawCaptionCell(p, *prop, rect);
    else
        DrawValueCell(p, *prop, row, rect, current);
    p.restore();
}

void TAdvStringGrid::DrawCaptionCell(QPainter& p, TPropBase& row, const QRect& r) const
{
    int x = r.left() + (row.Parent ? 18 : 12);
    if (row.PropType == ptParent) {
        const int l = r.left() + 4 * row.Level;
        // White box with a minus line; a stem makes it a plus while the group is closed.
        const QRect box(l + 4, r.top() + 4, 9, 9);
        p.fillRect(box, Qt::white);
        HorzLine(p, box.left(), box.right() + 1, box.top(), Qt::black);
        HorzLine(p, box.left(), box.right() + 1, box.bottom(), Qt::black);
        VertLine(p, box.left(), box.top(), box.bottom() + 1, Qt::black);
        VertLine(p, box.right(), box.top(), box.bottom() + 1, Qt::black);
        HorzLine(p, l + 7, l + 10, r.top() + 8, Qt::black);
        if (!static_cast<TPropParent&>(row).Expanded)
            VertLine(p, l + 8, r.top() + 7, r.top() + 10, Qt::black);
        x = l + 14;
    }
    DrawText(p, x, r.top() + 2, r, row.Name);
}

void TAdvStringGrid::DrawValueCell(QPainter& p, TPropBase& row, int gridRow, const QRect& r, bool current) const
{
    const QString text = Cells(1, gridRow);
    const QRect inner = r.adjusted(1, 1, -1, -1);
    const QRect zone = ButtonZone(r);
    const bool pressed = BtnPressed != 0;
    const auto picture = [&](int left) {
        auto& b = static_cast<TPropComboBmp&>(row);
        const QImage img = RowPicture(b, b.ItemIndex);
        if (!img.isNull())
            p.drawImage(QPoint(left, r.top() + (r.height() - 16) / 2), img, QRect(0, 0, 16, 16));
    };
    if (!current) {
        if (row.PropType == ptComboBmp)
            picture(r.left() + 2);
        DrawText(p, r.left() + 2, r.top() + 2, r, text);
        return;
    }
    switch (row.PropType) {
    case ptText:
    case ptTextVal:
        if (row.PropType == ptText && static_cast<TPropText&>(row).Picker) {
            p.fillRect(QRect(inner.left(), inner.top(), zone.left() - inner.left(), inner.height()), Qt::white);
            DialogButton(p, zone, pressed);
            DrawText(p, r.left() + 2, r.top() + 2, QRect(r.left(), r.top(), zone.left() - r.left(), r.height()), text);
            break;
        }
        p.fillRect(inner, Qt::white);
        DrawText(p, r.left() + 2, r.top() + 2, r, text);
        break;
    case ptVal:
    case ptSpinText: {
        p.fillRect(QRect(inner.left(), inner.top(), zone.left() - inner.left(), inner.height()), Qt::white);
        const int half = r.height() / 2;
        const QRect up(zone.left(), r.top(), zone.width(), half);
        const QRect down(zone.left(), r.top() + half, zone.width(), r.height() - half);
        const bool upPressed = pressed && static_cast<TPropVal&>(row).Up;
        const bool downPressed = pressed && !static_cast<TPropVal&>(row).Up;
        ButtonFace(p, up, upPressed);
        Arrow(p, up, true, upPressed);
        ButtonFace(p, down, downPressed);
        Arrow(p, down, false, downPressed);
        DrawText(p, r.left() + 2, r.top() + 2, QRect(r.left(), r.top(), zone.left() - r.left(), r.height()), text);
        break;
    }
    case ptComboTxt:
    case ptComboVal:
        p.fillRect(QRect(inner.left(), inner.top(), zone.left() - inner.left(), inner.height()), Qt::white);
        DrawText(p, r.left() + 2, r.top() + 2, QRect(r.left(), r.top(), zone.left() - r.left(), r.height()),
                 row.GetText());
        ButtonFace(p, zone, pressed);
        Arrow(p, zone, false, pressed);
        break;
    case ptComboBmp:
        picture(r.left() + 2);
        ButtonFace(p, zone, pressed);
        Arrow(p, zone, false, pressed);
        break;
    case ptTxtDlg:
    case ptBmpDlg:
    case ptFontDlg:
    case ptDevDlg: {
        DialogButton(p, zone, pressed);
        DrawText(p, r.left() + 2, r.top() + 2, QRect(r.left(), r.top(), zone.left() - r.left(), r.height()), text);
        break;
    }
    default:
        p.fillRect(inner, palette().color(QPalette::Base));
        DrawText(p, r.left() + 2, r.top() + 2, r, text);
        break;
    }
}

void TAdvStringGrid::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    const QPoint pos = event->position().toPoint();
    int col = 0;
    int row = 0;
    if (MouseToCell(pos.x(), pos.y(), col, row) && SelectCell(col, row))
        setCurrentCell(row, col);
    if (OnMouseDown)
        OnMouseDown(event->button(), event->modifiers(), pos.x(), pos.y());
}

void TAdvStringGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    // A second press of a double click counts as a press, as the inspector's editors expect.
    mousePressEvent(event);
}

void TAdvStringGrid::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (OnMouseMove)
        OnMouseMove(event->modifiers(), pos.x(), pos.y());
}

void TAdvStringGrid::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (OnMouseUp)
        OnMouseUp(event->button(), event->modifiers(), pos.x(), pos.y());
}

void TAdvStringGrid::keyPressEvent(QKeyEvent* event)
{
    int key = event->key();
    if (OnKeyDown)
        OnKeyDown(key, event->modifiers());
    if (key != 0)
        QTableWidget::keyPressEvent(event);
}

void TAdvStringGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableWidget::currentChanged(current, previous);
    // The current row is drawn sunken in both columns.
    viewport()->update();
}

QModelIndex TAdvStringGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    if (VisibleCount() == 0)
        return {};
    return QTableWidget::moveCursor(action, modifiers);
}
