// Benchmark, not a test: fills the object cross-reference table with every row of a 200-page
// project (198 pages of one object of every kind and every page setting, an empty page and a
// page of 20 conditions, system settings and a start-up screen), as the export does: the time of
// reading the stored pages into rows, of writing the rows into the table in memory and of
// writing the table to its working file. Figures are medians of repeated runs.
#include "app/print/objdatadb.h"
#include "benchsupport.h"
#include "plantproject.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>

using namespace kes;
using namespace kes::bench;

int main(int argc, char** argv)
{
    DefaultToOffscreen();
    QGuiApplication app(argc, argv);
    const int runs = IntOption(argc, argv, "--runs", 5);

    test::ReportProject r;
    test::BuildPlant(r, 198);
    QTemporaryDir dir;
    ObjDataDb db;
    DbError error;
    if (!db.Open(dir.filePath(QStringLiteral("lumora.mdb")).toStdString(), error)) {
        std::fprintf(stderr, "%s\n", error.Text.c_str());
        return 1;
    }
    std::vector<ObjDataRow> rows;
    const Timing read = Repeat(runs, [&] {
        const double start = Now();
        rows = ObjDataRows(r.doc(), r.lx(), r.ctx.ObjData, ObjDataView::All, -1);
        return Now() - start;
    });
    bool ok = true;
    const Timing fill = Repeat(runs, [&] {
        const double start = Now();
        ok = db.Fill(rows, error) && ok;
        return Now() - start;
    });
    const Timing save = Repeat(runs, [&] {
        const double start = Now();
        ok = db.Save(error) && ok;
        return Now() - start;
    });
    std::printf("object table: %zu pages, %zu rows\n", r.doc().PgDataList.size(), rows.size());
    std::printf("reading the pages: median %s, best %s (%d runs)\n", Ms(read.median).c_str(), Ms(read.best).c_str(),
                read.runs);
    std::printf("writing the rows into the table: median %s, best %s\n", Ms(fill.median).c_str(),
                Ms(fill.best).c_str());
    std::printf("writing the table to its file: median %s, best %s\n", Ms(save.median).c_str(), Ms(save.best).c_str());
    std::printf("whole fill: %s%s\n", Ms(read.median + fill.median + save.median).c_str(),
                ok ? "" : "  THE TABLE WAS NOT FILLED");
    return ok ? 0 : 1;
}
