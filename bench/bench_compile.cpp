// Benchmark, not a test: compile, as the Compile command runs it (memory image reset, header
// and pages built into the image, the project check), on the largest project that fits the
// sample panel model with the largest object memory: typical 20-object pages, as many as the
// object memory and the page table hold. Figures are medians of repeated runs.
#include "app/project/memimage.h"
#include "app/project/prjcheck.h"
#include "benchproject.h"
#include "benchsupport.h"
#include "platform/gdi.h"

#include <QGuiApplication>

#include <cstdio>

using namespace kes;
using namespace kes::bench;

int main(int argc, char** argv)
{
    DefaultToOffscreen();
    QGuiApplication app(argc, argv);
    const int runs = IntOption(argc, argv, "--runs", 21);

    BenchProject p(BenchProject::LargestModel(), 0);
    const Bytes page = p.TypicalPage();
    const std::int64_t room = p.PageRoom();
    const std::int64_t tableEntries = (std::int64_t(p.doc.ObjPageEnd) - p.doc.ObjPageAddr) / 4 - 1;
    const std::int64_t pages = std::min<std::int64_t>(room / static_cast<std::int64_t>(page.size()), tableEntries);
    for (std::int64_t i = 0; i < pages; ++i) {
        auto rec = std::make_unique<PgDataStr>();
        rec->Title = "Page " + std::to_string(i);
        rec->Data = page;
        p.doc.PgDataList.push_back(std::move(rec));
    }

    bool ok = true;
    int lines = 0;
    const Timing t = Repeat(runs, [&] {
        const double start = Now();
        ResetMemoryImage(p.doc);
        ok = BuildPageImage(p.doc) && ok;
        const CheckResult c = CheckProject(p.doc, CheckNames{}, 96, [](const std::string& f) { return FontExists(f); });
        const double s = Now() - start;
        lines = static_cast<int>(c.Lines.size());
        return s;
    });
    std::printf("compile: %s, %lld pages of %zu bytes (%d objects each), %d of %lld bytes used, %d check lines\n",
                p.ModelName().c_str(), static_cast<long long>(pages), page.size(), 20, p.doc.MemImageLen,
                static_cast<long long>(p.ObjectArea()), lines);
    std::printf("compile: median %s, best %s (%d runs)%s\n", Ms(t.median).c_str(), Ms(t.best).c_str(), t.runs,
                ok ? "" : "  THE IMAGE DID NOT BUILD");
    return ok ? 0 : 1;
}
