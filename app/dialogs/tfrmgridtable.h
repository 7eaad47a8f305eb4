#pragma once
// TFrmGridTable: every state of a multi-state object in one grid, one row per state under a
// heading row, with its value and, where the object has one, its text. OK checks each value
// for the value type and length and, by the order mode, that the values fall or rise from
// state to state (equal neighbours pass). Its reference button fills a section of states
// with evenly spaced values between two limits asked for by TFrmRange.
//
// Cells are addressed as (column, row); row 0 is the heading row, row r is state r - 1.
#include "objects/objkind.h"

#include <QDialog>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

class QPushButton;
class QTableWidget;

namespace kes {
class Prompt;
} // namespace kes

class TFrmGridTable : public QDialog {
public:
    // langIndex: the language its captions are translated into; prompt: what it and the range
    // dialog it opens ask through.
    TFrmGridTable(QWidget* owner, kes::Prompt& prompt, int langIndex);
    ~TFrmGridTable() override;

    QTableWidget* StrGridTable = nullptr;
    QPushButton* Button1 = nullptr;  // cancel
    QPushButton* Button2 = nullptr;  // OK
    QPushButton* BtnRefer = nullptr; // reference values

    // ---- Set by the caller before showing
    std::int32_t StateNum = 0;
    QStringList* StateValues = nullptr; // the caller's; null when the table has no values
    QStringList* StateTexts = nullptr;  // the caller's; null when the table has no texts
    // 0 values fall from state to state, 1 they rise, any other: no order check.
    std::uint8_t OrderMode = 0;
    std::int32_t ValType = 0;
    std::int32_t ValLen = 0;
    // Kind of the object whose states are shown (what goes into which column); none: the
    // table shows the state names only.
    std::optional<kes::ObjKind> Kind;
    // Put before the table's own caption (the hint of the kind's tool button).
    QString CaptionPrefix;

    // ---- Kept by the table
    std::uint32_t ReferUpper = 0;
    std::uint32_t ReferLower = 0;
    std::uint8_t Accepted = 0;

    // Grid shape the caller gives: columns, one row per state under the heading row.
    void SetGridShape(int columns, int rows);
    QString Cell(int col, int row) const;
    void SetCell(int col, int row, const QString& text);
    int RowCount() const;

    void FormShow();
    void Button2Click();
    void Button1Click();
    void BtnReferClick();
    // Writes limits upper and lower at states p and q + 1 (which end gets which by the
    // order mode) and evenly spaced values between them.
    void FillRange(std::uint32_t upper, std::uint32_t lower, int p, int q);

protected:
    void showEvent(QShowEvent* event) override;

private:
    kes::Prompt& prompt_;
    int langIndex_;
    bool shown_ = false;
};
