#pragma once
// TPrnSet: the print settings, the one entry to printing. It collects what is printed (the
// file name heading, page pictures, titles, page-change conditions, object listings) and in
// which order, sets up the printer, and opens the preview or prints at once through the same
// engine. Without a printer the printout goes to a PDF file.
#include "app/print/printjob.h"
#include "app/print/reportcontext.h"

#include <QDialog>

#include <memory>
#include <string>

class QCheckBox;
class QGroupBox;
class QPrinter;
class QPushButton;

class TPrnSet : public QDialog {
public:
    TPrnSet(kes::ReportContext& ctx, QWidget* owner);
    ~TPrnSet() override;

    // 3 the project's pages, 1 the start-up screen; the opener sets it before showing.
    int PrintSource = 3;

    QGroupBox* RdoGp = nullptr; // item 0 by page, item 1 by kind
    QGroupBox* GroupBox1 = nullptr;
    QCheckBox* FileNameChk = nullptr;
    QCheckBox* DispChk = nullptr;
    QCheckBox* TitleChk = nullptr;
    QCheckBox* PgChxChk = nullptr;
    QCheckBox* ObjInfChk = nullptr;
    QPushButton* PreviewBtn = nullptr;
    QPushButton* PrintBtn = nullptr;
    QPushButton* SetupBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    void FormShow();
    void SetupBtnClick();
    void PreviewBtnClick();
    void PrintBtnClick();

    // What the boxes choose.
    kes::PrintChoice Choice() const;
    // A printout of the choice and the print source, decoded from the stored pages.
    std::unique_ptr<kes::PrintJob> NewJob() const;
    // Plans job for the printer, asks for the range of sheets and prints it. False when
    // nothing was printed (nothing to print, cancelled, or the printer failed: then told).
    // lock disables the caller's controls while the printout is written.
    bool PrintOnPrinter(kes::PrintJob& job, const std::function<void()>& lock);

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Runs the print dialog for sheets 1..sheets; false when cancelled.
    bool RunPrintDialog(int sheets, int& from, int& to);
    void SetControlsEnabled(bool enabled);

    kes::ReportContext& ctx_;
};

namespace kes {
struct FileError;
struct WriteWatch;
// The printer every printout uses, kept for the whole run (its set-up stays). Without any
// printer on the machine it writes a PDF file.
QPrinter& ReportPrinter();
// Prints units first..last (1-based) of a planned job, one to a printer page; false when the
// printer could not be started or, printing to a file, the file could not be written (the
// file that was there then stays as it was), with the writer's why in *error (when given; the
// printer and the painter give none). watch (tests) sees the steps of a file's write, one
// after each sheet.
bool PrintUnits(const PrintJob& job, QPrinter& printer, int first, int last, FileError* error = nullptr,
                const WriteWatch* watch = nullptr);
} // namespace kes
