// The inspector's cell editors: what a click in the grid opens, the drop-down list, spin
// buttons, dialog buttons, the column splitter and the commit of typed values.
#include "app/inspector/inspectordialogs.h"
#include "app/inspector/inspectorkinds.h"
#include "app/inspector/inspectorsource.h"
#include "app/inspector/propcommit.h"
#include "app/inspector/tdlgprop.h"
#include "app/model/lxtypecore.h"
#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"
#include "objects/lxdevref.h"
#include "objects/tlxobj.h"
#include "platform/codepage.h"

#include <QLineEdit>
#include <QListWidget>

#include <algorithm>
#include <climits>

namespace {

constexpr int kMsgSettingError = 5; // "Setting Error!!"
constexpr int kSplitterReach = 3;
constexpr int kMinColumn = 26;

// Cuts whole characters from the end while the text is wider than the panel allows.
QString FitText(TLxObj& obj, QString text, int width)
{
    const TCanvas& canvas = *obj.Picture.Canvas();
    while (!text.isEmpty() && canvas.TextWidth(kes::QStringToAnsi(text)) > width)
        text.chop(text.size() >= 2 && text.back().isLowSurrogate() ? 2 : 1);
    return text;
}

bool SplitCursor(const TAdvStringGrid& g) { return g.viewport()->cursor().shape() == Qt::SplitHCursor; }

} // namespace

void TDlgProp::ShowEditor(TPropBase& row, const QRect& rect, const QString& text)
{
    editProp_ = &row;
    EdtTxt->setGeometry(rect);
    EdtTxt->setText(text);
    EdtTxt->show();
    EdtTxt->raise();
    EdtTxt->setFocus(Qt::MouseFocusReason);
    EdtTxt->selectAll();
}

void TDlgProp::AdvStrGridMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y)
{
    TAdvStringGrid& g = *AdvStrGrid;
    if (button != Qt::LeftButton || !g.HasPropList())
        return;
    if (DropList->isVisible()) {
        DropList->hide();
        DropRow = -1;
    }
    const bool wasPressed = g.BtnPressed != 0;
    g.BtnPressed = 0;
    if (wasPressed)
        g.viewport()->update();
    if (SplitCursor(g)) {
        ColDrag = true;
        return;
    }
    int col = 0;
    int gridRow = 0;
    if (!g.MouseToCell(x, y, col, gridRow)) {
        g.viewport()->update();
        return;
    }
    downCol_ = g.Col();
    downRow_ = g.Row();
    TPropBase* row = g.VisibleProp(gridRow);
    if (!row)
        return;
    const QRect cell = g.CellRect(col, gridRow);
    const bool inZone = TAdvStringGrid::ButtonZone(cell).contains(x, y);

    if (col == 0) {
        if (row->PropType == ptParent) {
            auto* group = static_cast<TPropParent*>(row);
            group->SetExpanded(!group->Expanded);
            g.GetRowCount();
            g.SetTreeToGrid();
            FormResize();
        }
        return;
    }
    switch (row->PropType) {
    case ptText:
        if (static_cast<TPropText*>(row)->Picker) {
            if (inZone)
                PickAddress(*static_cast<TPropText*>(row));
            else
                ShowEditor(*row, cell.adjusted(0, 0, -TAdvStringGrid::kButtonWidth, 0), row->GetText());
            break;
        }
        ShowEditor(*row, cell, row->GetText());
        break;
    case ptTextVal:
        ShowEditor(*row, cell, row->GetText());
        break;
    case ptVal: {
        auto* v = static_cast<TPropVal*>(row);
        if (!inZone) {
            ShowEditor(*row, cell.adjusted(0, 0, -TAdvStringGrid::kButtonWidth, 0), QString::number(v->GetValue()));
            break;
        }
        g.BtnPressed = 1;
        HideEditors();
        v->Up = y - cell.top() < 9;
        const long long next = static_cast<long long>(v->GetValue()) + (v->Up ? 1 : -1);
        v->SetValue(static_cast<int>(std::clamp<long long>(next, INT_MIN, INT_MAX)));
        PropToObj();
        g.viewport()->update();
        break;
    }
    case ptComboTxt:
        if (inZone || wasPressed)
            OpenDropList(gridRow);
        break;
    case ptComboBmp:
    case ptComboVal:
        if (inZone)
            OpenDropList(gridRow);
        break;
    case ptBmpDlg: {
        if (!inZone)
            break;
        auto* b = static_cast<TPropBmpDlg*>(row);
        g.BtnPressed = 1;
        g.viewport()->update();
        QString name = b->FileName;
        if (kes::ChooseBitmapFile(prompt_, this, name)) {
            // The writer loads the file the row names, so the choice goes to FileName.
            b->FileName = name;
            b->SetText(name);
            PropToObj();
        }
        g.BtnPressed = 0;
        g.viewport()->update();
        break;
    }
    case ptFontDlg: {
        auto* f = static_cast<TPropFontDlg*>(row);
        if (!inZone || !f->Font)
            break;
        g.BtnPressed = 1;
        g.viewport()->update();
        chosenFont_ = *f->Font;
        if (kes::ChooseFont(prompt_, this, chosenFont_)) {
            // The choice reaches the object through the kind's writer, after the editor has
            // noted the page as it was for undo.
            SetFontRow(f, &chosenFont_);
            PropToObj();
        }
        g.BtnPressed = 0;
        g.viewport()->update();
        break;
    }
    default:
        break;
    }
}

void TDlgProp::PickAddress(TPropText& row)
{
    const auto at = std::find_if(rows_.Addresses.begin(), rows_.Addresses.end(),
                                 [&](const kes::AddressRow& a) { return AdvStrGrid->Prop(a.Row) == &row; });
    if (at == rows_.Addresses.end() || !source_ || !ShownObj)
        return;
    const kes::AddressRow a = *at;
    TLxDevRef& ref = *a.Ref;
    kes::KindRowContext rows(*AdvStrGrid, model_, rows_, source_);
    TPropComboTxt& memory = rows.Combo(a.Row - 1);
    TPropComboTxt& link = rows.Combo(a.Row + 1);
    TPropVal& station = rows.Val(a.Row + 2);

    kes::AddressPick io;
    io.Text = row.GetText();
    io.Station = static_cast<std::uint8_t>(station.GetValue());
    io.Link = static_cast<std::uint8_t>(std::max(0, kes::ComboChoice(link)));
    io.DeviceForm = ref.RefDevForm != 0;
    io.PanelMemory = ref.RefIntMem != 0;
    io.WantKind = a.Mode == 0 ? kes::DevWant::Bit : a.Mode == 1 ? kes::DevWant::Word : kes::DevWant::Any;
    io.Access = a.Access;
    AdvStrGrid->BtnPressed = 1;
    AdvStrGrid->viewport()->update();
    const bool picked = source_->PickAddress(this, model_, io);
    AdvStrGrid->BtnPressed = 0;
    AdvStrGrid->viewport()->update();
    if (!picked)
        return;
    // The picker checks what it offers, but not in this row's mode and width.
    const std::string text = kes::QStringToAnsi(io.Text.trimmed());
    if (!model_.ValidateDeviceAddress(text, static_cast<std::uint8_t>(a.Mode << 4), a.Access, io.DeviceForm,
                                      io.PanelMemory)) {
        kes::ShowError(prompt_, row.Name + QStringLiteral(" ") + kes::Msg(kMsgSettingError));
        return;
    }
    // The address's form and memory come with it (set once the page is noted for undo); the
    // memory row agrees, so that the writer does not put the memory's first address in its
    // place.
    memory.ItemIndex = io.PanelMemory ? 1 : 0;
    row.SetText(io.Text.trimmed());
    link.ItemIndex = io.Link;
    station.SetValue(io.Station);
    PropToObj([&ref, &io] {
        ref.RefDevForm = io.DeviceForm ? 1 : 0;
        ref.RefIntMem = io.PanelMemory ? 1 : 0;
    });
}

void TDlgProp::OpenDropList(int gridRow)
{
    TAdvStringGrid& g = *AdvStrGrid;
    TPropBase* row = g.VisibleProp(gridRow);
    if (!row)
        return;
    DropList->clear();
    DropList->setIconSize(QSize());
    int index = -1;
    switch (row->PropType) {
    case ptComboTxt: {
        auto* c = static_cast<TPropComboTxt*>(row);
        if (c->Items.isEmpty() && c->MsgBase >= 1)
            for (int i = 0; i < c->Count; ++i)
                c->Items.append(kes::Msg(c->MsgBase + i));
        DropList->addItems(c->Items);
        index = c->ItemIndex;
        break;
    }
    case ptComboVal: {
        auto* v = static_cast<TPropComboVal*>(row);
        FillValList(v);
        DropList->addItems(v->Items);
        index = v->ItemIndex;
        break;
    }
    case ptComboBmp: {
        auto* b = static_cast<TPropComboBmp*>(row);
        DropList->setIconSize(QSize(16, 16));
        for (int i = 0; i < b->PictureCount; ++i)
            DropList->addItem(new QListWidgetItem(QIcon(QPixmap::fromImage(TAdvStringGrid::RowPicture(*b, i))), {}));
        index = b->ItemIndex;
        break;
    }
    default:
        return;
    }
    const QRect cell = g.CellRect(1, gridRow);
    const int itemHeight = DropList->count() > 0 ? std::max(1, DropList->sizeHintForRow(0)) : g.DefaultRowHeight();
    const int top = cell.bottom() + 1;
    int height = DropList->count() * itemHeight + 4;
    // A list longer than the room below its row is cut at the grid's bottom edge.
    if (top + height > g.viewport()->height())
        height = std::max(0, g.viewport()->height() - top);
    DropList->setGeometry(cell.left(), top, std::max(50, cell.width()), height);
    DropList->setCurrentRow(index);
    DropRow = gridRow;
    g.BtnPressed = 1;
    DropList->show();
    DropList->raise();
    DropList->setFocus(Qt::PopupFocusReason);
    g.viewport()->update();
}

void TDlgProp::DropListClick(int item)
{
    TAdvStringGrid& g = *AdvStrGrid;
    TPropBase* row = g.VisibleProp(DropRow);
    if (!row || item < 0 || item >= DropList->count())
        return;
    switch (row->PropType) {
    case ptComboTxt:
        static_cast<TPropComboTxt*>(row)->ItemIndex = item;
        break;
    case ptComboVal:
        static_cast<TPropComboVal*>(row)->ItemIndex = item;
        break;
    case ptComboBmp:
        static_cast<TPropComboBmp*>(row)->ItemIndex = item;
        break;
    default:
        return;
    }
    // A text or number list shows the chosen text at once.
    if (row->PropType != ptComboBmp) {
        g.SetCells(1, DropRow, DropList->item(item)->text());
        row->SetText(g.Cells(1, DropRow));
    }
    g.BtnPressed = 0;
    PropToObj();
    HideEditors();
    g.viewport()->update();
}

void TDlgProp::AdvStrGridMouseMove(Qt::KeyboardModifiers, int x, int)
{
    TAdvStringGrid& g = *AdvStrGrid;
    if (ColDrag) {
        x = std::max(0, x);
        const int d = g.ColWidths(0) - x;
        if ((g.ColWidths(0) < kMinColumn && d > 0) || (g.ColWidths(1) < kMinColumn && d < 0))
            return;
        g.SetColWidths(0, x);
        g.SetColWidths(1, g.ColWidths(1) + d);
        return;
    }
    const int edge = g.ColWidths(0);
    const bool onSplitter = x >= edge - kSplitterReach && x <= edge + kSplitterReach;
    if (onSplitter != SplitCursor(g))
        g.viewport()->setCursor(onSplitter ? Qt::SplitHCursor : Qt::ArrowCursor);
}

void TDlgProp::AdvStrGridMouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int, int)
{
    TAdvStringGrid& g = *AdvStrGrid;
    if (SplitCursor(g)) {
        ColDrag = false;
        return;
    }
    ColDrag = false;
    if (g.PropCount() == 0 || g.Row() < 0)
        return;
    if (downRow_ >= 0 && downRow_ < g.RowCount() && downCol_ >= 0)
        g.setCurrentCell(downRow_, downCol_);
    TPropBase* row = g.VisibleProp(g.Row());
    if (!row || g.Col() != 1)
        return;
    if (row->PropType == ptVal || row->PropType == ptSpinText) {
        g.BtnPressed = 0;
        g.viewport()->update();
    }
    if (EdtTxt->isVisible() && editProp_ &&
        (editProp_->PropType == ptTextVal || editProp_->PropType == ptText || editProp_->PropType == ptSpinText))
        EdtTxt->move(EdtTxt->x(), g.CellRect(1, g.Row()).top());
}

void TDlgProp::AdvStrGridKeyDown(int&, Qt::KeyboardModifiers)
{
    TAdvStringGrid& g = *AdvStrGrid;
    TPropBase* row = g.VisibleProp(g.Row());
    if (row && g.Col() == 0 && row->PropType == ptParent)
        g.SetCol(1);
}

void TDlgProp::EdtTxtEnter()
{
    if (committing_ || !editProp_ || AdvStrGrid->PropCount() == 0)
        return;
    struct Guard {
        bool& flag;
        ~Guard() { flag = false; }
    };
    committing_ = true;
    Guard guard{committing_};
    TPropBase& row = *editProp_;
    QString typed = EdtTxt->text();
    const kes::InspectorKind* kind = ShownObj ? kes::InspectorKindOf(*ShownObj) : nullptr;
    // The kind's text (not an address) is cut to what the panel shows.
    if (row.PropType == ptText && !static_cast<TPropText&>(row).Picker && kind && kind->TextWidth > 0) {
        typed = FitText(*ShownObj, typed, kind->TextWidth);
        EdtTxt->setText(typed);
    }
    switch (kes::CommitTypedText(row, typed)) {
    case kes::CommitResult::Applied:
        PropToObj();
        break;
    case kes::CommitResult::Refused:
        // The cell shows the row's previous value again; the editor stays for a correction.
        AdvStrGrid->UpdateDataToGrid();
        kes::ShowError(prompt_, row.Name + QStringLiteral(" ") + kes::Msg(kMsgSettingError));
        if (EdtTxt->isVisible())
            EdtTxt->setFocus(Qt::OtherFocusReason);
        break;
    case kes::CommitResult::NotEditable:
        break;
    }
}

void TDlgProp::EdtTxtExit()
{
    if (committing_)
        return;
    EdtTxtEnter();
    if (committing_)
        return;
    editProp_ = nullptr;
    if (EdtTxt->isVisible())
        EdtTxt->hide();
}
