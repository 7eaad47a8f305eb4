#include "app/project/ui/tfrmplcaddrmap.h"

#include "app/project/projectdoc.h"
#include "app/ui/msgtable.h"
#include "app/ui/named.h"
#include "app/ui/prompt.h"
#include "app/ui/tadvstringgrid.h"
#include "app/ui/translate.h"
#include "platform/codepage.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

using kes::Named;

namespace {
constexpr int kMsgNotConverted = 120;
constexpr int kMsgBitRow = 289;
constexpr int kMsgWordRow = 290;
constexpr int kMsgBitlessTarget = 295;
constexpr int kMsgConvertAnyway = 296;
constexpr int kDefaultColWidth = 133;
constexpr int kSplitterReach = 3;
} // namespace

TFrmPLCAddrMap::TFrmPLCAddrMap(QWidget* owner, kes::Prompt& prompt, kes::ProjectDoc& doc, const kes::LxTypeCore& lists,
                               int langIndex)
    : QDialog(owner), prompt_(prompt), doc_(doc), lists_(lists), langIndex_(langIndex), map_(doc)
{
    setObjectName(QStringLiteral("FrmPLCAddrMap"));
    setWindowTitle(QStringLiteral("PLC Address Map"));
    setModal(true);
    GB_Transfer = Named(new QGroupBox(QStringLiteral("Change Orvel Type to ..."), this), "GB_Transfer");
    Lab_TrgOrvel = Named(new QLabel(QStringLiteral("Target Orvel"), GB_Transfer), "Lab_TrgOrvel");
    CB_PLCType = Named(new QComboBox(GB_Transfer), "CB_PLCType");
    // Its items are the model names of the data files, the same in every language.
    kes::SetComponentClass(CB_PLCType, "");
    auto* top = new QHBoxLayout(GB_Transfer);
    top->addWidget(Lab_TrgOrvel);
    top->addWidget(CB_PLCType, 1);

    GroupBox1 = Named(new QGroupBox(QString(), this), "GroupBox1");
    StrGridPLCMap = Named(new TAdvStringGrid(GroupBox1), "StrGridPLCMap");
    kes::SetComponentClass(StrGridPLCMap, "");
    StrGridPLCMap->SetDefaultColWidth(kDefaultColWidth);
    StrGridPLCMap->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    StrGridPLCMap->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* mid = new QVBoxLayout(GroupBox1);
    mid->addWidget(StrGridPLCMap);

    BtnOK = Named(new QPushButton(QStringLiteral("OK"), this), "BtnOK");
    BtnOK->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnOK);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(GB_Transfer);
    lay->addWidget(GroupBox1, 1);
    lay->addLayout(buttons);
    resize(320, 380);

    ListEditor = new QListWidget(StrGridPLCMap->viewport());
    ListEditor->hide();
    QObject::connect(ListEditor, &QListWidget::itemClicked, this,
                     [this](QListWidgetItem* item) { ListEditorClick(ListEditor->row(item)); });
    QObject::connect(ListEditor, &QListWidget::itemActivated, this,
                     [this](QListWidgetItem* item) { ListEditorClick(ListEditor->row(item)); });
    StrGridPLCMap->OnMouseDown = [this](Qt::MouseButton, Qt::KeyboardModifiers, int x, int y) {
        StrGridPLCMapMouseDown(x, y);
    };
    StrGridPLCMap->OnMouseMove = [this](Qt::KeyboardModifiers, int x, int y) { StrGridPLCMapMouseMove(x, y); };
    StrGridPLCMap->OnMouseUp = [this](Qt::MouseButton, Qt::KeyboardModifiers, int, int) { DividerDrag = 0; };
    QObject::connect(CB_PLCType, &QComboBox::currentIndexChanged, this, [this] { CB_PLCTypeChange(); });
    QObject::connect(BtnOK, &QPushButton::clicked, this, [this] { BtnOKClick(); });
}

void TFrmPLCAddrMap::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TFrmPLCAddrMap::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    FormResize();
}

int TFrmPLCAddrMap::RowMachineId(int comboRow) const
{
    if (comboRow < 0 || comboRow >= static_cast<int>(lists_.MachineIds.size()))
        return -1;
    return lists_.MachineIds[static_cast<std::size_t>(comboRow)];
}

int TFrmPLCAddrMap::ComboRowOf(int machineId) const
{
    // Controllers 1 and 2 share the device table of 3, under which a project keeps them.
    int row = lists_.MachineIndexOf(machineId);
    if (row < 0 && machineId == 3)
        row = std::max(lists_.MachineIndexOf(1), lists_.MachineIndexOf(2));
    return row;
}

void TFrmPLCAddrMap::FormShow()
{
    TranslateForm(this, langIndex_);
    Applied = 0;
    const QSignalBlocker block(CB_PLCType);
    CB_PLCType->clear();
    for (std::size_t i = 0; i < lists_.MachineNames.size(); ++i) {
        int brand = 0, model = 0;
        const std::string brandName = lists_.BrandAndModelOf(static_cast<int>(i), brand, model)
                                          ? lists_.BrandNames[static_cast<std::size_t>(brand)]
                                          : std::string();
        CB_PLCType->addItem(kes::AnsiToQString(brandName + " " + lists_.MachineNames[i]));
    }
    CB_PLCType->setCurrentIndex(ComboRowOf(map_.TargetId));
    BuildRows();
}

void TFrmPLCAddrMap::BuildRows()
{
    ListEditor->hide();
    map_.BuildRows();
    TAdvStringGrid& g = *StrGridPLCMap;
    g.SetPropType(0);
    auto add = [&](const QString& label, const std::vector<std::string>& names, int choice) {
        auto row = std::make_unique<TPropComboTxt>();
        row->PropType = ptComboTxt;
        row->Name = label;
        for (const std::string& n : names)
            row->Items.append(kes::AnsiToQString(n));
        row->Count = static_cast<std::int32_t>(names.size());
        row->ItemIndex = choice;
        row->Text = row->Items.value(choice);
        g.AppendProp(std::move(row));
    };
    for (int i = 0; i < map_.BitRowCount; ++i)
        add(kes::Msg(kMsgBitRow) + kes::AnsiToQString(map_.BitRowNames[static_cast<std::size_t>(i)]),
            map_.TargetBitNames, map_.RowChoice[static_cast<std::size_t>(i)]);
    for (int j = 0; j < map_.WordRowCount; ++j)
        add(kes::Msg(kMsgWordRow) + kes::AnsiToQString(map_.WordRowNames[static_cast<std::size_t>(j)]),
            map_.TargetWordNames, map_.RowChoice[static_cast<std::size_t>(map_.BitRowCount + j)]);
    g.GetRowCount();
    g.SetTreeToGrid();
    if (g.RowCount() > 0)
        g.SelectCell(1, 0);
    g.show();
    FormResize();
    g.setFocus();
}

void TFrmPLCAddrMap::FormResize()
{
    TAdvStringGrid& g = *StrGridPLCMap;
    const int width = g.width();
    if (width <= 0)
        return;
    // Rows that overflow the grid bring the vertical scroll bar: the columns leave it room.
    const int client = g.height() - 2 * g.frameWidth();
    const bool overflow = client <= g.DefaultRowHeight() * g.RowCount() + 1;
    if (g.ColWidths(0) + g.ColWidths(1) + (overflow ? 16 : 7) == width)
        return;
    const int column = width / 2 - (overflow ? 12 : 3);
    g.SetColWidths(0, column);
    g.SetColWidths(1, column);
}

void TFrmPLCAddrMap::CB_PLCTypeChange()
{
    const int newId = RowMachineId(CB_PLCType->currentIndex());
    if (newId < 0 || newId == map_.TargetId)
        return;
    auto back = [this] {
        const QSignalBlocker block(CB_PLCType);
        CB_PLCType->setCurrentIndex(ComboRowOf(map_.TargetId));
    };
    if (kes::PlcAddrMap::RefusedTarget(newId)) {
        back();
        return;
    }
    if (kes::PlcAddrMap::BitlessTarget(newId)) {
        if (StoreOpenPage)
            StoreOpenPage();
        if (map_.CheckTargetRefs()) {
            const QString q = kes::Msg(kMsgBitlessTarget) + QStringLiteral("\n\n") + kes::Msg(kMsgConvertAnyway);
            if (kes::ShowMessage(prompt_, q, kes::Buttons::YesNo) != kes::Answer::Yes) {
                back();
                return;
            }
            map_.RewriteTargetRefs();
            if (ReloadOpenPage)
                ReloadOpenPage();
        }
    }
    map_.TargetId = newId;
    BuildRows();
}

void TFrmPLCAddrMap::BtnOKClick()
{
    Applied = 1;
    const int id = RowMachineId(CB_PLCType->currentIndex());
    if (id >= 0 && !kes::PlcAddrMap::RefusedTarget(id))
        map_.TargetId = id;
    const int open = StoreOpenPage ? StoreOpenPage() : -1;
    const bool ok = map_.ApplyAddressMap(open);
    doc_.MachineId = static_cast<std::int16_t>(map_.TargetId);
    if (!ok)
        kes::ShowMsg(prompt_, kMsgNotConverted);
    accept();
}

void TFrmPLCAddrMap::StrGridPLCMapMouseDown(int x, int y)
{
    TAdvStringGrid& g = *StrGridPLCMap;
    ListEditor->hide();
    const int edge = g.ColWidths(0);
    if (x >= edge - kSplitterReach && x <= edge + kSplitterReach) {
        DividerDrag = 1;
        return;
    }
    int col = 0, row = 0;
    if (!g.MouseToCell(x, y, col, row) || col != 1)
        return;
    if (TAdvStringGrid::ButtonZone(g.CellRect(1, row)).contains(x, y))
        OpenListEditor(row);
}

void TFrmPLCAddrMap::StrGridPLCMapMouseMove(int x, int)
{
    TAdvStringGrid& g = *StrGridPLCMap;
    if (DividerDrag) {
        const int total = g.ColWidths(0) + g.ColWidths(1);
        const int left = std::clamp(x, 20, std::max(20, total - 20));
        g.SetColWidths(0, left);
        g.SetColWidths(1, total - left);
        return;
    }
    const int edge = g.ColWidths(0);
    const bool near = x >= edge - kSplitterReach && x <= edge + kSplitterReach;
    g.viewport()->setCursor(near ? Qt::SplitHCursor : Qt::ArrowCursor);
}

void TFrmPLCAddrMap::OpenListEditor(int row)
{
    TAdvStringGrid& g = *StrGridPLCMap;
    auto* prop = dynamic_cast<TPropComboTxt*>(g.VisibleProp(row));
    if (!prop)
        return;
    ListEditor->clear();
    ListEditor->addItems(prop->Items);
    const QRect cell = g.CellRect(1, row);
    const int itemHeight = ListEditor->count() > 0 ? std::max(1, ListEditor->sizeHintForRow(0)) : g.DefaultRowHeight();
    const int top = cell.bottom() + 1;
    const int height = std::min(ListEditor->count() * itemHeight + 4, std::max(0, g.viewport()->height() - top));
    ListEditor->setGeometry(cell.left(), top, cell.width(), height);
    ListEditor->setCurrentRow(prop->ItemIndex);
    listRow_ = row;
    ListEditor->show();
    ListEditor->raise();
    ListEditor->setFocus(Qt::PopupFocusReason);
}

void TFrmPLCAddrMap::ListEditorClick(int item)
{
    TAdvStringGrid& g = *StrGridPLCMap;
    auto* prop = dynamic_cast<TPropComboTxt*>(g.VisibleProp(listRow_));
    if (!prop || item < 0 || item >= prop->Items.size())
        return;
    prop->ItemIndex = item;
    prop->SetText(prop->Items[item]);
    if (listRow_ < static_cast<int>(map_.RowChoice.size()))
        map_.RowChoice[static_cast<std::size_t>(listRow_)] = item;
    g.SetCells(1, listRow_, prop->Text);
    ListEditor->hide();
    g.viewport()->update();
}
