#pragma once
// TPrnView: the print preview. It shows one sheet at a time as the printer will print it (the
// same plan and drawing at the preview's geometry), pages through the sheets, and prints from
// the preview through the settings dialog's printer.
#include "app/print/printjob.h"
#include "app/print/reportcontext.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QScrollArea;
class TPrnSet;

class TPrnView : public QDialog {
public:
    TPrnView(kes::ReportContext& ctx, TPrnSet& settings, kes::PrintJob& job, QWidget* owner);
    ~TPrnView() override;

    // Screen pixels of the shown sheet per preview unit: a whole sheet fits a common screen.
    static constexpr double kPreviewScale = 1.5;

    QScrollArea* PreScroll = nullptr;
    QLabel* PreImg = nullptr;
    QWidget* Panel1 = nullptr;
    QPushButton* PrePgBtn = nullptr;
    QPushButton* NextPgBtn = nullptr;
    QPushButton* PrnBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    int CurSheet = 1;
    int FirstSheet = 0;
    int LastSheet = 0;

    void FormShow();
    // Plans the preview's sheets and shows the current one.
    void FormActivate();
    void NextPgBtnClick();
    void PrePgBtnClick();
    void PrnBtnClick();
    void UpdateNavButtons();
    int UnitCount() const { return job_.UnitCount(); }
    const kes::PrintJob& Job() const { return job_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ShowSheet();

    kes::ReportContext& ctx_;
    TPrnSet& settings_;
    kes::PrintJob& job_;
};
