// The inspector window: picking the shown object, building its rows, reading and writing
// them, resizing and docking.
#include "app/inspector/tdlgprop.h"

#include "app/inspector/inspectorkinds.h"
#include "app/inspector/inspectorsource.h"
#include "app/inspector/propdb.h"
#include "app/model/lxtypecore.h"
#include "app/model/projectstate.h"
#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"
#include "app/ui/translate.h"
#include "objects/lxpictures.h"
#include "platform/fileio.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// "The property table could not be read:" followed by the file, the table and the reason.
constexpr int kMsgPropTable = 307;
constexpr int kMsgSettingError = 5; // "Setting Error!!"
constexpr int kBitPictures = 18;

} // namespace

TDlgProp::TDlgProp(QWidget* owner, kes::Prompt& prompt, kes::LxTypeCore& model)
    : kes::PanelToolWindow(owner), prompt_(prompt), model_(model)
{
    setObjectName(QStringLiteral("DlgProp"));
    kes::MarkForm(this);
    setWindowTitle(QStringLiteral("Object Inspector"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(343, 528);

    PageCtlProp = new QTabWidget(this);
    PageCtlProp->setObjectName(QStringLiteral("PageCtlProp"));
    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    PageCtlProp->addTab(TabSheet1, QStringLiteral("Property"));
    auto* layout = new QVBoxLayout(TabSheet1);
    layout->setContentsMargins(0, 0, 0, 0);
    AdvStrGrid = new TAdvStringGrid(TabSheet1);
    AdvStrGrid->setObjectName(QStringLiteral("AdvStrGrid"));
    AdvStrGrid->SetDefaultColWidth(160);
    layout->addWidget(AdvStrGrid);
    setWidget(PageCtlProp);

    EdtTxt = new QLineEdit(AdvStrGrid->viewport());
    EdtTxt->setObjectName(QStringLiteral("EdtTxt"));
    EdtTxt->setFrame(false);
    EdtTxt->hide();
    DropList = new QListWidget(AdvStrGrid->viewport());
    DropList->setObjectName(QStringLiteral("DropList"));
    DropList->setUniformItemSizes(true);
    DropList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    DropList->hide();

    for (int i = 1; i <= kBitPictures; ++i)
        ImageList1.push_back(kes::BuiltinPicture("BIT-" + std::to_string(i)).Image());

    AdvStrGrid->OnMouseDown = [this](Qt::MouseButton b, Qt::KeyboardModifiers s, int x, int y) {
        AdvStrGridMouseDown(b, s, x, y);
    };
    AdvStrGrid->OnMouseMove = [this](Qt::KeyboardModifiers s, int x, int y) { AdvStrGridMouseMove(s, x, y); };
    AdvStrGrid->OnMouseUp = [this](Qt::MouseButton b, Qt::KeyboardModifiers s, int x, int y) {
        AdvStrGridMouseUp(b, s, x, y);
    };
    AdvStrGrid->OnKeyDown = [this](int& key, Qt::KeyboardModifiers s) { AdvStrGridKeyDown(key, s); };
    AdvStrGrid->installEventFilter(this);
    EdtTxt->installEventFilter(this);
    connect(EdtTxt, &QLineEdit::returnPressed, this, [this] { EdtTxtEnter(); });
    connect(DropList, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { DropListClick(DropList->row(item)); });
    connect(DropList, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { DropListClick(DropList->row(item)); });
    connect(this, &QDockWidget::topLevelChanged, this, [this](bool floating) {
        if (!floating)
            Docked(width(), false);
    });
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        // The inspector became the active window part: the object may have changed meanwhile.
        if (now && isAncestorOf(now) && !(old && isAncestorOf(old)))
            FormActivate();
    });
}

TDlgProp::~TDlgProp()
{
    if (Destroying)
        Destroying(*this);
    editProp_ = nullptr;
}

int TDlgProp::LangIndex() const { return model_.State().LangIndex; }

void TDlgProp::HideEditors()
{
    // Cleared first: hiding the focused editor moves the focus, which must not commit.
    editProp_ = nullptr;
    if (DropList->isVisible())
        DropList->hide();
    if (EdtTxt->isVisible())
        EdtTxt->hide();
    DropRow = -1;
}

void TDlgProp::FormShow()
{
    TranslateForm(this, LangIndex());
    HideEditors();
    TLxObj* obj = nullptr;
    if (source_) {
        const kes::Editing mode = source_->EditMode();
        TLxObj* cur = source_->CurObj();
        if ((mode == kes::Editing::StartScreen || mode == kes::Editing::Pages) && cur && kes::InspectorShows(*cur) &&
            source_->SelCount() <= 1)
            obj = cur;
    }
    AdvStrGrid->hide();
    AdvStrGrid->SetPropType(0);
    AdvStrGrid->SetVisiblePropType(0);
    AdvStrGrid->GetRowCount();
    AdvStrGrid->BtnPressed = 0;
    ShownObj = nullptr;
    if (!obj)
        return;

    ShownObj = obj;
    const QSize client = source_->EditorClientSize();
    PageWidth = client.width();
    PageHeight = client.height();
    if (!LoadPropTable()) {
        AdvStrGrid->SetPropType(0);
        AdvStrGrid->GetRowCount();
        ShownObj = nullptr;
        return;
    }
    ObjToProp();
    AdvStrGrid->GridInitial();
    AdvStrGrid->SetRow(0);
    AdvStrGrid->show();
    AdvStrGrid->setFont(font());
    FormResize();
    AdvStrGrid->SetCol(1);
}

bool TDlgProp::LoadPropTable()
{
    if (!ShownObj)
        return true;
    AdvStrGrid->SetPropType(0);
    const std::optional<kes::ObjKind> known = kes::KindOfCode(ShownObj->ObjType);
    if (!known)
        return false;
    const kes::ObjKind kind = *known;
    // A kind without a table gets the position rows every table opens with.
    std::string table = kes::PropTableName(kind);
    int limit = -1;
    if (table.empty()) {
        table = kes::PropTableName(kes::ObjKind::StTxt);
        limit = 5;
    }
    std::string file = kes::PropDbFileName(LangIndex());
    if (file.empty())
        file = kes::PropDbFileName(kes::LangEng);
    std::string dir = model_.State().AppDir;
    if (dir.empty())
        dir = kes::AppDir();

    std::vector<kes::PropRecord> records;
    kes::DbError error;
    kes::PropLayoutFault fault;
    if (kes::ReadPropTable(dir + file, table, records, error, limit))
        fault = kes::CheckPropLayout(kind, records);
    if (error.Failed() || fault.Failed()) {
        kes::ShowError(prompt_, kes::Msg(kMsgPropTable) + QStringLiteral("\n") + QString::fromStdString(file) +
                                    QStringLiteral(" (") + QString::fromStdString(table) + QStringLiteral("): ") +
                                    (fault.Failed() ? kes::PropLayoutText(fault) : kes::DbErrorText(error)));
        return false;
    }
    for (const kes::PropRecord& r : records) {
        TPropBase* row = AdvStrGrid->AppendProp(NewPropRow(r.PropType));
        row->Name = r.Name;
        row->SetText(r.Text);
        row->Level = r.Level;
        row->SetVisible(r.Visible);
        row->Parent = r.Parent ? static_cast<TPropParent*>(AdvStrGrid->FindParent(row)) : nullptr;
    }
    return true;
}

int TDlgProp::ObjPosToProp()
{
    TLxObj& o = *ShownObj;
    const int ux = std::max(1, o.GridWidth);
    const int uy = std::max(1, o.GridHeight);
    const int z = std::max(1, o.ObjSize);
    // An object past the editing area's edge gets the limit 0, not a negative one.
    SetValRange(static_cast<TPropVal*>(AdvStrGrid->Prop(1)), std::max(0, (PageWidth - o.OWidth) / ux / z), 0,
                o.Left / ux / z);
    SetValRange(static_cast<TPropVal*>(AdvStrGrid->Prop(2)), std::max(0, (PageHeight - o.OHeight) / uy / z), 0,
                o.Top / uy / z);
    // One panel pixel is the smallest size, as drawing and the keys allow.
    SetValRange(static_cast<TPropVal*>(AdvStrGrid->Prop(3)), std::max(1, (PageWidth - o.Left) / ux / z), 1,
                o.OWidth / ux / z);
    SetValRange(static_cast<TPropVal*>(AdvStrGrid->Prop(4)), std::max(1, (PageHeight - o.Top) / uy / z), 1,
                o.OHeight / uy / z);
    return 5;
}

int TDlgProp::PropToObjPos()
{
    TLxObj& o = *ShownObj;
    const int ux = std::max(1, o.GridWidth);
    const int uy = std::max(1, o.GridHeight);
    const int z = std::max(1, o.ObjSize);
    // Only rows the user changed are written: an edit of another row must not move or
    // resize an object whose place the limits above could not show exactly.
    const kes::KindRowContext rows(*AdvStrGrid, model_, rows_, source_);
    const auto changed = [&](int i, int& v) {
        v = rows.Val(i).GetValue();
        return rows.Changed(i);
    };
    int v = 0;
    if (changed(1, v))
        o.Left = v * ux * z;
    if (changed(2, v))
        o.Top = v * uy * z;
    if (changed(3, v))
        o.SetWidth(v * ux * z);
    if (changed(4, v))
        o.SetHeight(v * uy * z);
    return 5;
}

void TDlgProp::ObjToProp()
{
    if (!ShownObj || AdvStrGrid->PropCount() == 0)
        return;
    rows_.Addresses.clear();
    for (int i = 0; i < AdvStrGrid->PropCount(); ++i)
        if (AdvStrGrid->Prop(i)->PropType == ptText)
            static_cast<TPropText*>(AdvStrGrid->Prop(i))->Picker = 0;
    ObjPosToProp();
    if (const kes::InspectorKind* k = kes::InspectorKindOf(*ShownObj); k && k->Read) {
        kes::KindRowContext rows(*AdvStrGrid, model_, rows_, source_);
        k->Read(rows, *ShownObj);
    }
    // What the rows show now is what the next write compares with.
    rows_.Shown.clear();
    for (int i = 0; i < AdvStrGrid->PropCount(); ++i)
        rows_.Shown.push_back(kes::RowKey(*AdvStrGrid->Prop(i)));
    ShownObj->BmpRePaint();
    // The grid shows what the rows now hold (callers outside refresh after moving objects).
    AdvStrGrid->GetRowCount();
    AdvStrGrid->SetTreeToGrid();
}

void TDlgProp::PropToObj(const std::function<void()>& first)
{
    if (!ShownObj || AdvStrGrid->PropCount() == 0)
        return;
    TLxObj& obj = *ShownObj;
    if (source_)
        source_->BeforeChange();
    if (first)
        first();
    rows_.Refused.clear();
    PropToObjPos();
    if (const kes::InspectorKind* k = kes::InspectorKindOf(obj); k && k->Write) {
        kes::KindRowContext rows(*AdvStrGrid, model_, rows_, source_);
        k->Write(rows, obj);
    }
    obj.RecordSelRgn();
    obj.BmpRePaint();
    obj.Invalidate();
    const bool refused = !rows_.Refused.empty();
    if (source_) {
        if (!source_->AfterChange()) {
            // The edit left an object too long to store: the page went back to before it.
            ShownObj = nullptr;
            HideEditors();
            return;
        }
        source_->ObjChanged(obj);
        source_->TbTextClick();
        // A refused value stored nothing.
        if (!refused)
            source_->MarkModified();
    }
    QString refusedName;
    if (refused && rows_.Refused.front() < AdvStrGrid->PropCount())
        refusedName = AdvStrGrid->Prop(rows_.Refused.front())->Name;
    ObjToProp();
    HideEditors();
    if (refused)
        kes::ShowError(prompt_, refusedName + QStringLiteral(" ") + kes::Msg(kMsgSettingError));
}

void TDlgProp::FormResize()
{
    TAdvStringGrid& g = *AdvStrGrid;
    if (g.PropCount() == 0)
        return;
    const int inner = g.height() - 2 * g.frameWidth();
    const bool fits = g.DefaultRowHeight() * g.RowCount() <= inner;
    const int target =
        std::max(0, g.width() - 2 * g.frameWidth() - (fits ? 0 : g.verticalScrollBar()->sizeHint().width()));
    if (g.ColWidths(0) + g.ColWidths(1) != target) {
        if (g.ColWidths(0) == g.ColWidths(1) || g.ColWidths(0) >= target)
            g.SetDefaultColWidth(target / 2);
        else
            g.SetColWidths(1, target - g.ColWidths(0));
    }
    const int left = g.columnViewportPosition(1);
    if (EdtTxt->isVisible()) {
        const bool spin = editProp_ && (editProp_->PropType == ptVal || editProp_->PropType == ptSpinText ||
                                        (editProp_->PropType == ptText && static_cast<TPropText*>(editProp_)->Picker));
        EdtTxt->setGeometry(left, EdtTxt->y(), g.ColWidths(1) - (spin ? TAdvStringGrid::kButtonWidth : 0),
                            EdtTxt->height());
    }
    if (DropList->isVisible())
        DropList->setGeometry(left, DropList->y(), std::max(50, g.ColWidths(1)), DropList->height());
}

void TDlgProp::FormActivate()
{
    if (source_)
        source_->PointerTool();
    if (ShownObj && !EdtTxt->isVisible() && !DropList->isVisible())
        ObjToProp();
}

void TDlgProp::Docked(int panelWidth, bool ignoreMouse)
{
    AdvStrGrid->SetDefaultColWidth(std::max(0, panelWidth / 2 - 8));
    if (ignoreMouse && source_)
        source_->IgnoreNextMouse();
    FormShow();
}

void TDlgProp::DockedOnRequest(DockAsk why)
{
    // A maximise ends with the release of a click on the caption: the editor drops it.
    Docked(parentWidget() ? parentWidget()->width() : width(), why == DockAsk::Maximised);
}

void TDlgProp::closeEvent(QCloseEvent* event)
{
    EdtTxtExit();
    if (WriteLayout)
        WriteLayout(*this);
    QDockWidget::closeEvent(event);
}

bool TDlgProp::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == AdvStrGrid && event->type() == QEvent::Resize)
        FormResize();
    else if (watched == EdtTxt && event->type() == QEvent::FocusOut && EdtTxt->isVisible())
        EdtTxtExit();
    return QDockWidget::eventFilter(watched, event);
}
