#pragma once
// TShowPagePropDlg: the object cross-reference table. For the page chosen in its list, for the
// system-wide settings, for the start-up screen or (after an export) for the whole project it
// refills table ObjData and shows the rows in a read-only grid, with the page's picture beside.
#include "app/print/objdatadb.h"
#include "app/print/reportcontext.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QStandardItemModel;
class QTabWidget;
class QTableView;

class TShowPagePropDlg : public QDialog {
public:
    TShowPagePropDlg(kes::ReportContext& ctx, QWidget* owner);
    ~TShowPagePropDlg() override;

    QTabWidget* PgCtrlDB = nullptr;
    QWidget* TabSheetPage = nullptr;
    QWidget* TabSheetStartPage = nullptr;
    QWidget* TabSheetAll = nullptr;
    QGroupBox* RG_SetDisp = nullptr; // item 0 the chosen page, item 1 the system settings
    QListWidget* LsbPageSelect = nullptr;
    QLabel* ImgPage = nullptr;
    QLabel* Label1 = nullptr;
    QTableView* DBGridPage = nullptr;
    QLabel* ImgStartPage = nullptr;
    QLabel* Label2 = nullptr;
    QTableView* DBGridStartPage = nullptr;
    QTableView* DBGridAll = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* BtnSaveAs = nullptr;

    // Translates the captions and shows the active tab's view (also on every tab change).
    void FormShow();
    void RG_SetDispClick();
    void BtnSaveAsClick();
    // Refills the table for the view shown (not for the all-rows tab) and shows its rows.
    void SelectObjDataView();
    // The rows shown now, as the grid holds them (labels first).
    const kes::ObjDataResult& Shown() const { return shown_; }
    kes::ObjDataDb& Db() { return db_; }
    kes::ReportContext& Ctx() { return ctx_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    kes::ObjDataView CurrentView() const;
    QTableView* CurrentGrid() const;
    int PictureScale() const;
    // Fills the table with every row, the progress window shown meanwhile.
    void FillObjDataAllPages();
    // Replaces the table's rows and writes its working file; says what failed.
    void FillTable(const std::vector<kes::ObjDataRow>& rows);
    void SetObjDataTitles(QTableView* grid);

    kes::ReportContext& ctx_;
    kes::ObjDataDb db_;
    kes::ObjDataResult shown_;
    QStandardItemModel* model_ = nullptr;
    bool shown_once_ = false;
    bool filling_ = false;
    bool saveFailed_ = false;
};

namespace kes {
// The page picture of stored page index, or of the start-up screen (index -1), at scale
// screen pixels a panel pixel; a null image when there is no such page or the scale is 0.
QImage ObjDataPagePicture(const ReportContext& ctx, int index, int scale);
} // namespace kes
