#pragma once
// The transfer progress window: shows the bar and the percent text while a transfer runs and
// locks the main window's first nine menu items and its five tool bars until it closes. It
// stays on top, has no border icons and frees itself on close; its opener keeps a QPointer.
#include <QDialog>
#include <QPointer>

#include <vector>

class QAction;
class QLabel;
class QProgressBar;

// What the window locks: the nine top-level menu items (Mmfile, MmEdit, MmCompile, MmEle,
// MmView, MmCom, MmPageSet, MmGlobalSet, MmTool) and the five tool bars (EditToolBar,
// PosTooBar, ObjToolBar, GeomToolBar, PostSetToolBar). Items that are gone are passed over.
struct TComProgBarLock {
    std::vector<QPointer<QAction>> menus;
    std::vector<QPointer<QWidget>> toolBars;
};

class TComProgBar : public QDialog {
public:
    TComProgBar(QWidget* owner, TComProgBarLock lock, int langIndex);
    ~TComProgBar() override { FormClose(); }

    void FormShow();
    void FormClose();

    // Driven by the transfer engine: position and maximum of the bar, and the percent text
    // (empty outside the data areas).
    void ShowProgress(int position, int maximum, const QString& ratio);

    QProgressBar* ComBar;
    QLabel* Ratio_Lab;

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    // No way out but the transfer's end: Escape does not close it.
    void keyPressEvent(QKeyEvent* e) override;

private:
    TComProgBarLock lock_;
    std::vector<bool> menuEnabled_;
    std::vector<bool> barEnabled_;
    int langIndex_;
    bool locked_ = false;
};
