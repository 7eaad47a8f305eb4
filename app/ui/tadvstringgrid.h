#pragma once
// TAdvStringGrid: the two-column grid in which the object inspector and the controller
// address map show a tree of property rows. Column 0 holds the captions, indented, with a
// plus/minus box on group rows; column 1 the values, drawn per row class with the look of
// the editor its owner puts over the current cell (spin pair, drop-down button, picture,
// "..." button). The grid owns the rows and never edits a cell itself: every click is
// handed to the owner's handlers, which place their own editors.
//
// Grid line i shows the i-th row whose IsVisible is true.
#include "objects/tpropbase.h"

#include <QTableWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QPainter;

class TAdvStringGrid : public QTableWidget {
public:
    explicit TAdvStringGrid(QWidget* owner = nullptr);
    ~TAdvStringGrid() override;

    // Width of the button zone at the right of a value cell.
    static constexpr int kButtonWidth = 18;
    static constexpr int kRowHeight = 18;

    std::uint8_t BtnPressed = 0; // the current row's buttons are drawn pressed
    std::int32_t TotalVisiblePropType = 0;
    std::int32_t TotalPropType = 0;

    // ---- Row lists. Both are absent until SetPropType / SetVisiblePropType create them.
    bool HasPropList() const { return rows_ != nullptr; }
    int PropCount() const { return rows_ ? static_cast<int>(rows_->size()) : 0; }
    TPropBase* Prop(int index) const;
    // Appends a row (creating the list when absent); the grid owns it from now on.
    TPropBase* AppendProp(std::unique_ptr<TPropBase> row);
    int VisibleCount() const { return visible_ ? static_cast<int>(visible_->size()) : 0; }
    // The row shown on grid line gridRow; null when there is none.
    TPropBase* VisibleProp(int gridRow) const;

    // Keeps the first n rows, freeing the rest; TotalPropType := n.
    void SetPropType(int n);
    // Empties the visible list; TotalVisiblePropType := n.
    void SetVisiblePropType(int n);
    // Grid lines := the number of rows whose IsVisible is true.
    void GetRowCount();
    // Rebuilds the visible list from IsVisible and rewrites both columns.
    void SetTreeToGrid();
    void GridInitial();
    // The nearest group row at or before row's place in the list; null when none. The row
    // must be in the list.
    TPropBase* FindParent(TPropBase* row) const;
    // Writes both columns of every visible row.
    void UpdateDataToGrid();
    // False for a negative row or when no row is visible; else refreshes and repaints.
    bool SelectCell(int col, int row);
    // Draws one cell; rect in viewport coordinates.
    void DrawCell(QPainter& p, int col, int row, const QRect& rect, bool current) const;

    // ---- Cells and geometry
    QString Cells(int col, int row) const;
    void SetCells(int col, int row, const QString& text);
    int Col() const { return currentColumn(); }
    int Row() const { return currentRow(); }
    void SetCol(int col);
    void SetRow(int row);
    int RowCount() const { return rowCount(); }
    int ColWidths(int col) const { return columnWidth(col); }
    void SetColWidths(int col, int width) { setColumnWidth(col, width); }
    int DefaultColWidth() const { return defaultColWidth_; }
    // Sets the default width and gives it to both columns.
    void SetDefaultColWidth(int width);
    int DefaultRowHeight() const { return kRowHeight; }
    // The cell's rectangle in the viewport (empty when the cell does not exist).
    QRect CellRect(int col, int row) const;
    // The cell under a viewport point; false outside the cells.
    bool MouseToCell(int x, int y, int& col, int& row) const;
    // The right kButtonWidth pixels of a cell, full height.
    static QRect ButtonZone(const QRect& cell);
    // The picture a picture-list row shows for an item (null image when none).
    static QImage RowPicture(const TPropComboBmp& row, int index);

    // ---- Handlers the owner installs; x and y are viewport coordinates.
    std::function<void(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y)> OnMouseDown;
    std::function<void(Qt::KeyboardModifiers, int x, int y)> OnMouseMove;
    std::function<void(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y)> OnMouseUp;
    // key may be set to 0 to swallow it.
    std::function<void(int& key, Qt::KeyboardModifiers)> OnKeyDown;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    void DrawCaptionCell(QPainter& p, TPropBase& row, const QRect& rect) const;
    void DrawValueCell(QPainter& p, TPropBase& row, int gridRow, const QRect& rect, bool current) const;

    std::unique_ptr<std::vector<std::unique_ptr<TPropBase>>> rows_;
    std::unique_ptr<std::vector<TPropBase*>> visible_;
    std::vector<std::array<QString, 2>> cells_;
    int defaultColWidth_ = 64;
};
