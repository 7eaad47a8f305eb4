#pragma once
// The page tree: a tool window, docked in the main window's side panel by default, that shows
// the project's pages (one node each, "index:title") under a page root and the start-up
// screen as a second root. Choosing a node opens that page or the start-up screen editor.
// The tree is rebuilt, with its change handler held off, whenever the pages or the current
// page change. Floating, a maximise request docks it at the top of the side panel and a move
// to the main window's left edge below what the panel holds (PanelToolWindow).
#include "app/ui/paneltoolwindow.h"

#include <memory>

class QLabel;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;
class TKhm;

class TFrameTreeView : public kes::PanelToolWindow {
public:
    TFrameTreeView(QWidget* owner, TKhm& khm);
    ~TFrameTreeView() override;

    QTreeWidget* TreeViewPage = nullptr;
    QWidget* Panel1 = nullptr; // hidden title bar
    QLabel* TxtTitle = nullptr;
    QLineEdit* EditTitle = nullptr;

    // Rebuilds the tree from the page list (nothing while the View item is unchecked).
    void RefreshPageTree();
    void ClearTree();
    void FormShow();
    void TreeViewPageChange(QTreeWidgetItem* node);
    void TreeViewPageClick();

    QTreeWidgetItem* PageRoot() const;
    QTreeWidgetItem* StartRoot() const;

protected:
    void showEvent(QShowEvent* event) override;
    // Closed by its own button: its place is written with "Visible" false, as when the View
    // item closes it.
    void closeEvent(QCloseEvent* event) override;

private:
    TKhm& khm_;
    std::shared_ptr<const bool> khmGoing_; // the main window's TKhm::GoingFlag
};
