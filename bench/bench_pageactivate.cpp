// Benchmark, not a test: page activation, the page reader building a page's live objects from
// its records as a page window does when it becomes active, on the sample panel model with the
// largest object memory. Every figure is the median of repeated runs.
//
//   full page     objects of every kind in turn, as many as the object memory holds
//   second map    the same on the model's second memory map, when it is larger
//   typical page  20 objects: one of every kind that stores a record, and a second text
//   per kind      a page of one kind's objects; time per object
//
// The digest line sums the pictures the full page's objects drew and says whether the page
// stores back as the same bytes: it must read the same before and after a change to drawing.
#include "app/project/pgread.h"
#include "benchproject.h"
#include "benchsupport.h"

#include <QGuiApplication>

#include <climits>
#include <cstdio>
#include <cstdlib>

using namespace kes;
using namespace kes::bench;

namespace {

struct Activation {
    double seconds = 0;
    int objects = 0;
};

// One activation of the page records into a fresh page; the objects are freed untimed.
Activation Activate(const BenchProject& p, const Bytes& records, std::uint64_t* digest = nullptr,
                    bool* sameBytes = nullptr)
{
    const PageEnv env = p.Env();
    PageData page;
    page.Zoom = p.doc.DefaultZoom;
    page.GridWidth = p.doc.GridWidth;
    page.GridHeight = p.doc.GridHeight;
    const double start = Now();
    const PgReadResult r = PgDataToObj(page, env, records, 0, records.size());
    Activation a{Now() - start, r.Objects};
    if (!r.Ok()) {
        std::fprintf(stderr, "the page did not read: %s at %zu\n", DecodeErrorText(r.Error), r.Position);
        std::exit(1);
    }
    if (digest) {
        std::uint64_t h = 1469598103934665603ull;
        for (const TLxObj* obj : page.ObjList) {
            const QImage& img = obj->Picture.Image();
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x)
                    h = (h ^ (img.pixel(x, y) & 0xFFFFFFu)) * 1099511628211ull;
            h = (h ^ static_cast<std::uint64_t>(obj->Width * 65536 + obj->Height)) * 1099511628211ull;
        }
        *digest = h;
    }
    if (sameBytes) {
        Bytes again;
        const int n = PgDataChx(page, again, 0, kEncFile, &page.ObjList, p.EncodeEnv());
        again.resize(static_cast<std::size_t>(std::max(n, 0)));
        *sameBytes = again == records;
    }
    return a;
}

Timing TimeActivation(const BenchProject& p, const Bytes& records, int runs, int* objects)
{
    return Repeat(runs, [&] {
        const Activation a = Activate(p, records);
        *objects = a.objects;
        return a.seconds;
    });
}

void FullPage(BenchProject& p, const char* label, int runs)
{
    int placed = 0;
    const Bytes full = p.Page(StoredKinds(), INT_MAX, p.PageRoom(), &placed);
    int objects = 0;
    const Timing t = TimeActivation(p, full, runs, &objects);
    std::printf("%-14s %s, %lld bytes of object memory: %d objects, %zu bytes\n", label, p.ModelName().c_str(),
                static_cast<long long>(p.ObjectArea()), objects, full.size());
    std::printf("%-14s median %s, best %s (%d runs)\n", "", Ms(t.median).c_str(), Ms(t.best).c_str(), t.runs);
}

} // namespace

int main(int argc, char** argv)
{
    DefaultToOffscreen();
    QGuiApplication app(argc, argv);
    const int runs = IntOption(argc, argv, "--runs", 7);
    const int perKind = IntOption(argc, argv, "--per-kind", 100);

    const int model = BenchProject::LargestModel();
    BenchProject p(model, 0);
    std::printf("page activation (the page reader), median of repeated runs\n");
    FullPage(p, "full page", runs);
    BenchProject second(model, 1);
    if (second.ObjectArea() > p.ObjectArea())
        FullPage(second, "second map", std::max(1, runs / 2));

    const Bytes typical = p.TypicalPage();
    int objects = 0;
    const Timing t = TimeActivation(p, typical, runs * 20, &objects);
    std::printf("%-14s %d objects: median %s, best %s\n", "typical page", objects, Ms(t.median).c_str(),
                Ms(t.best).c_str());

    std::printf("per kind (%d objects of one kind; time per object):\n", perKind);
    for (const ObjKind kind : StoredKinds()) {
        const Bytes page = p.Page({kind}, perKind, p.PageRoom());
        int n = 0;
        const Timing k = TimeActivation(p, page, runs, &n);
        std::printf("  %-14s %10s\n", KindFacts(kind).ClassName, Us(k.median / std::max(n, 1)).c_str());
    }

    int placed = 0;
    const Bytes full = p.Page(StoredKinds(), INT_MAX, p.PageRoom(), &placed);
    std::uint64_t digest = 0;
    bool same = false;
    Activate(p, full, &digest, &same);
    std::printf("digest of the full page's pictures: %016llx; stores back as the same bytes: %s\n",
                static_cast<unsigned long long>(digest), same ? "yes" : "NO");
    return same ? 0 : 1;
}
