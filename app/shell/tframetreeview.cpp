#include "app/shell/tframetreeview.h"

#include "app/editor/pageeditor.h"
#include "app/editor/thmpage.h"
#include "app/inspector/tdlgprop.h"
#include "app/shell/tkhm.h"
#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"
#include "app/ui/translate.h"
#include "platform/codepage.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr int kMsgPagesRoot = 269;
constexpr int kMsgStartRoot = 270;
constexpr int kMsgNoPageWindow = 292;
// The page root keeps the index of the page last shown through the tree.
constexpr int kShownIndexRole = Qt::UserRole;
const char* const kSection = "TreeViewPage";

QString NodeText(int index, const std::string& title)
{
    return QString::number(index) + QStringLiteral(":") + kes::AnsiToQString(title);
}
} // namespace

TFrameTreeView::TFrameTreeView(QWidget* owner, TKhm& khm)
    : kes::PanelToolWindow(owner), khm_(khm), khmGoing_(khm.GoingFlag())
{
    setObjectName(QStringLiteral("FrameTreeView"));
    kes::MarkForm(this);
    setWindowTitle(QStringLiteral("Page Tree"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* body = new QWidget(this);
    setWidget(body);
    TreeViewPage = new QTreeWidget(body);
    TreeViewPage->setObjectName(QStringLiteral("TreeViewPage"));
    TreeViewPage->setHeaderHidden(true);
    TreeViewPage->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeViewPage->setMouseTracking(true);
    Panel1 = new QWidget(body);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    TxtTitle = new QLabel(Panel1);
    TxtTitle->setObjectName(QStringLiteral("TxtTitle"));
    EditTitle = new QLineEdit(Panel1);
    EditTitle->setObjectName(QStringLiteral("EditTitle"));
    EditTitle->setReadOnly(true);
    kes::SetComponentClass(EditTitle, "");
    kes::SetComponentClass(TxtTitle, "");
    auto* title = new QHBoxLayout(Panel1);
    title->addWidget(TxtTitle);
    title->addWidget(EditTitle);
    Panel1->hide();
    auto* lay = new QVBoxLayout(body);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addWidget(Panel1);
    lay->addWidget(TreeViewPage);
    resize(160, 300);

    QObject::connect(TreeViewPage, &QTreeWidget::currentItemChanged, this,
                     [this](QTreeWidgetItem* node) { TreeViewPageChange(node); });
    QObject::connect(TreeViewPage, &QTreeWidget::itemClicked, this, [this] { TreeViewPageClick(); });
}

TFrameTreeView::~TFrameTreeView()
{
    // Also run while the main window itself is being destroyed: then there is nothing to do.
    if (*khmGoing_)
        return;
    // Nothing reaches the tree while it goes.
    if (khm_.FrameTreeViewWin == this)
        khm_.FrameTreeViewWin = nullptr;
    khm_.View.PageTreeOn = false;
    khm_.ShowStateChecks();
    khm_.ToolWindowGoing(*this);
}

void TFrameTreeView::showEvent(QShowEvent* event)
{
    kes::PanelToolWindow::showEvent(event);
    FormShow();
}

void TFrameTreeView::closeEvent(QCloseEvent* event)
{
    khm_.WriteClosedToolWindow(*this, kSection);
    kes::PanelToolWindow::closeEvent(event);
}

QTreeWidgetItem* TFrameTreeView::PageRoot() const { return TreeViewPage->topLevelItem(0); }

QTreeWidgetItem* TFrameTreeView::StartRoot() const { return TreeViewPage->topLevelItem(1); }

void TFrameTreeView::FormShow()
{
    TranslateForm(this, khm_.Doc.LangIndex);
    if (PageRoot())
        PageRoot()->setText(0, kes::Msg(kMsgPagesRoot));
    if (StartRoot())
        StartRoot()->setText(0, kes::Msg(kMsgStartRoot));
}

void TFrameTreeView::ClearTree() { TreeViewPage->clear(); }

void TFrameTreeView::RefreshPageTree()
{
    if (!khm_.View.PageTreeOn)
        return;
    // Rebuilding moves the selection: that is not the user choosing a node.
    const QSignalBlocker block(TreeViewPage);
    ClearTree();
    auto* pages = new QTreeWidgetItem(TreeViewPage, QStringList(kes::Msg(kMsgPagesRoot)));
    auto* start = new QTreeWidgetItem(TreeViewPage, QStringList(kes::Msg(kMsgStartRoot)));
    const kes::PgDataVector& list = khm_.Doc.PgDataList;
    for (std::size_t i = 0; i < list.size(); ++i)
        new QTreeWidgetItem(pages, QStringList(NodeText(static_cast<int>(i), list[i]->Title)));
    if (khm_.View.EditMode == kes::Editing::Pages) {
        pages->setExpanded(true);
        const bool open = khm_.PageEd && !khm_.PageEd->Pages().empty();
        const THmPage* current = open ? khm_.PageEd->Current() : nullptr;
        if (current && current->Data().PgIndex >= 0 && current->Data().PgIndex < pages->childCount()) {
            TreeViewPage->setCurrentItem(pages->child(current->Data().PgIndex));
            pages->setData(0, kShownIndexRole, current->Data().PgIndex);
        } else if (!open) {
            TreeViewPage->setCurrentItem(pages);
        }
    } else if (khm_.View.EditMode == kes::Editing::StartScreen) {
        TreeViewPage->setCurrentItem(start);
    }
}

void TFrameTreeView::TreeViewPageChange(QTreeWidgetItem* node)
{
    if (!node || !isVisible())
        return;
    if (khm_.Inspector() && khm_.View.ObjInspectorOn && khm_.View.EditMode == kes::Editing::Pages) {
        if (const THmPage* current = khm_.PageEd->Current();
            current && current->Data().CurObj && current->Data().CurObj == khm_.Inspector()->ShownObj)
            khm_.Inspector()->EdtTxtExit();
        else
            khm_.Inspector()->FormShow();
    }
    QTreeWidgetItem* pages = PageRoot();
    if (node->parent() == pages) {
        const int index = pages->indexOfChild(node);
        if (khm_.PageEd->Pages().empty())
            khm_.LoadLayout();
        const auto showsIndex = [this, index] {
            const THmPage* current = khm_.PageEd->Current();
            return current && current->Data().PgIndex == index;
        };
        if (!khm_.Doc.PgDataList.empty() && !showsIndex())
            khm_.PageEd->LoadPageWindow(index);
        if (!showsIndex()) {
            const QSignalBlocker block(TreeViewPage);
            TreeViewPage->setCurrentItem(nullptr);
            kes::ShowMsg(khm_.Ask(), kMsgNoPageWindow);
            return;
        }
        node->setText(0, NodeText(index, khm_.PageEd->Current()->Data().PgTitle));
        pages->setData(0, kShownIndexRole, index);
        return;
    }
    if (node == StartRoot()) {
        if (QAction* a = khm_.Action("MmStartPg"); a && khm_.IsWired(a))
            a->trigger();
        return;
    }
    THmPage* current = khm_.PageEd->Current();
    if (node == pages && pages->childCount() > 0 && current) {
        const QSignalBlocker block(TreeViewPage);
        TreeViewPage->setCurrentItem(pages->child(0));
        pages->setData(0, kShownIndexRole, current->Data().PgIndex);
        current->Data().CurObj = nullptr;
        khm_.PageEd->LoadPageWindow(current->Data().PgIndex);
    }
}

void TFrameTreeView::TreeViewPageClick()
{
    QTreeWidgetItem* pages = PageRoot();
    const THmPage* current = khm_.PageEd->Current();
    if (!current || !pages)
        return;
    const int shown = pages->data(0, kShownIndexRole).toInt();
    if (!khm_.PageEd->OpenPageOf(shown))
        khm_.PageEd->LoadPageWindow(current->Data().PgIndex);
}
