// Benchmark, not a test: printing a 200-page project (198 pages of one object of every kind and
// every page setting, an empty page and a page of 20 conditions) by page to a PDF file, as the
// print command does: the time of planning the printout (reading every stored page for what it
// lists) and of drawing every sheet into the file. Figures are medians of repeated runs.
#include "app/print/printjob.h"
#include "app/print/printplan.h"
#include "app/print/tprnset.h"
#include "benchsupport.h"
#include "plantproject.h"

#include <QApplication>
#include <QPageLayout>
#include <QPrinter>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

using namespace kes;
using namespace kes::bench;

int main(int argc, char** argv)
{
    DefaultToOffscreen();
    QApplication app(argc, argv);
    const int runs = IntOption(argc, argv, "--runs", 3);

    test::ReportProject r;
    test::BuildPlant(r, 198);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("plant.pdf"));
    int units = 0;
    bool ok = true;
    std::unique_ptr<PrintJob> job;
    const Timing plan = Repeat(runs, [&] {
        const double start = Now();
        job = std::make_unique<PrintJob>(r.doc(), r.lx(), PrintChoice{}, false, r.ctx.Print);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QRect area = printer.pageLayout().paintRectPixels(360);
        units = job->Plan(PrinterGeometry(r.doc().DefaultZoom, area.width(), area.height()));
        return Now() - start;
    });
    const Timing print = Repeat(runs, [&] {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        const double start = Now();
        ok = PrintUnits(*job, printer, 1, units) && ok;
        return Now() - start;
    });
    std::printf("printout by page to PDF: %zu pages, %d sheets\n", r.doc().PgDataList.size(), units);
    std::printf("planning (reading the pages): median %s, best %s (%d runs)\n", Ms(plan.median).c_str(),
                Ms(plan.best).c_str(), plan.runs);
    std::printf("drawing the sheets into the file: median %s, best %s\n", Ms(print.median).c_str(),
                Ms(print.best).c_str());
    std::printf("whole printout: %s%s\n", Ms(plan.median + print.median).c_str(), ok ? "" : "  THE PRINTOUT FAILED");
    return ok ? 0 : 1;
}
