// Benchmark, not a test: fills the object cross-reference table with every row of a 200-page
// project (198 pages of one object of every kind and every page setting, an empty page and a
// page of 20 conditions, system settings and a start-up screen), as the export does: the time of
// reading the stored pages into rows, and of writing the rows into a database file and into
// one in memory. Figures are medians of repeated runs.
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
    ObjDataDb file;
    ObjDataDb memory;
    std::string error;
    if (!file.Open(dir.filePath(QStringLiteral("lumora.mdb")).toStdString(), error) ||
        !memory.Open(":memory:", error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    std::vector<ObjDataRow> rows;
    const Timing read = Repeat(runs, [&] {
        const double start = Now();
        rows = ObjDataRows(r.doc(), r.lx(), r.ctx.ObjData, ObjDataView::All, -1);
        return Now() - start;
    });
    bool ok = true;
    const auto fill = [&](ObjDataDb& db) {
        return Repeat(runs, [&] {
            const double start = Now();
            ok = db.Fill(rows, error) && ok;
            return Now() - start;
        });
    };
    const Timing toFile = fill(file);
    const Timing toMemory = fill(memory);
    std::printf("object table: %zu pages, %zu rows\n", r.doc().PgDataList.size(), rows.size());
    std::printf("reading the pages: median %s, best %s (%d runs)\n", Ms(read.median).c_str(), Ms(read.best).c_str(),
                read.runs);
    std::printf("writing the rows into the file: median %s, best %s\n", Ms(toFile.median).c_str(),
                Ms(toFile.best).c_str());
    std::printf("writing the rows in memory: median %s, best %s\n", Ms(toMemory.median).c_str(),
                Ms(toMemory.best).c_str());
    std::printf("whole fill into the file: %s%s\n", Ms(read.median + toFile.median).c_str(),
                ok ? "" : "  THE TABLE WAS NOT FILLED");
    return ok ? 0 : 1;
}
