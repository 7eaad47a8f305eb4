#pragma once
// TSaveAsDlg: the export of the cross-reference table, as a text file (opened with the
// desktop's program once written) or as a spreadsheet; TFrmSaveTo: the progress window shown
// while the whole project's rows are gathered for it.
#include "app/print/reportcontext.h"

#include <QDialog>
#include <QWidget>

class QGroupBox;
class QProgressBar;
class QPushButton;
class TShowPagePropDlg;

class TSaveAsDlg : public QDialog {
public:
    // Exports the rows the cross-reference dialog shows.
    TSaveAsDlg(kes::ReportContext& ctx, TShowPagePropDlg& table, QWidget* owner);

    QGroupBox* RG_SaveAs = nullptr; // item 0 text file, item 1 spreadsheet
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    void FormShow();
    // Closes the dialog and writes the chosen file; false when nothing was written.
    bool OKBtnClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    kes::ReportContext& ctx_;
    TShowPagePropDlg& table_;
};

class TFrmSaveTo : public QWidget {
public:
    TFrmSaveTo(QWidget* owner, int langIndex);

    QProgressBar* ProgBar = nullptr;

    // done of total steps; the window is repainted at once.
    void Step(int done, int total);

protected:
    void showEvent(QShowEvent* event) override;

private:
    int langIndex_;
};

namespace kes {
class Prompt;
// A save-file dialog (run through prompt) in dir with name proposed; the chosen path, or empty
// when cancelled.
QString AskSaveFile(Prompt& prompt, QWidget* parent, const QString& dir, const QString& name, const QString& filter,
                    const QString& suffix);
} // namespace kes
