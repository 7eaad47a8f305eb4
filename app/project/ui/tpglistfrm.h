#pragma once
// The page list: every page by number and title with a preview of the selected one; pages
// are added, inserted, deleted, retitled, reordered by dragging and opened from here.
#include <QDialog>
#include <QListWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kes {
class PageWindows;
class ProjectCommandsHost;
} // namespace kes

class TPgListFrm : public QDialog {
public:
    // The project and the main window's page commands come from host; the page windows the
    // list opens and renumbers are pages.
    TPgListFrm(kes::ProjectCommandsHost& host, kes::PageWindows& pages);

    QListWidget* PgListBx = nullptr;
    QLineEdit* PgTitleTxt = nullptr;
    QLabel* PgTitle_Lab = nullptr;
    QPushButton *AddBtn = nullptr, *InsBtn = nullptr, *DelBtn = nullptr, *ReOrgBtn = nullptr, *AllOpenBtn = nullptr,
                *PgOK = nullptr, *PgBxClose = nullptr;
    QGroupBox* GpView = nullptr;
    QLabel* ImgPage = nullptr;
    int DragFromIndex = 0;

    void FormShow();
    void FillPageList();
    void DrawPagePreview(int index);
    void PgListBxClick();
    void PgListBxDblClick();
    void PgListBxStartDrag();
    // The drag ended with the selection at drop (the drop position).
    void PgListBxEndDrag(int drop);
    void AddBtnClick();
    void InsBtnClick();
    void DelBtnClick();
    void ReOrgBtnClick();
    void AllOpenBtnClick();
    void PgOKClick();
    void PgBxCloseClick();
    void PgTitleTxtKeyUp();
    // Brings the window of page index to the front, or opens it, as the current page (the
    // page that was current is stored first).
    void OpenPageWindow(int index);
    // Opens the windows of every page from index first on, each shown in the preview.
    void OpenAllPagesFrom(int first);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void SelectRow(int row);
    void ShowTitle(int row);
    kes::ProjectCommandsHost& host_;
    kes::PageWindows& pages_;
};
