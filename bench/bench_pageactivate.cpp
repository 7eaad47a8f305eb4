// Benchmark, not a test: page activation, the page reader building a page's live objects from
// its records as a page window does when it becomes active, on the sample panel model with the
// largest object memory. Every figure is the median of repeated runs.
//
//   full page     objects of every kind in turn, as many as the object memory holds
//   second map    the same on the model's second memory map, when it is larger
//   typical page  20 objects: one of every kind that stores a record, and a second text
//   per kind      a page of one kind's objects; time per object
//   page window   through the main window: the full page's window opened, from the command to
//                 the end of its first paint
//
// A page is read again (repeated), or read first: in a process of its own, after only another
// page was read (other texts, other sizes), so that the caches hold what that page left. Both
// pages are made by this process and handed over as files: making a page draws its texts.
//
// The digest line sums the pictures the full page's objects drew and says whether the page
// stores back as the same bytes: it must read the same before and after a change to drawing.
//
//   bench_pageactivate --against <another build's bench_pageactivate> [--rounds N]
// runs both builds in turn, round after round, and shows their figures side by side; each
// round of each build is a process of its own, whose figures are the medians of its runs.
//
//   bench_pageactivate --pages <folder>
// writes the full page and the page read before it (full-warm, full; typical-warm, typical) for
// a first read run by hand, under a profiler: --first full|typical|window <warm page> <page>.
#include "app/editor/pagecanvas.h"
#include "app/editor/pageeditor.h"
#include "app/editor/thmpage.h"
#include "app/project/pgdatastr.h"
#include "app/project/pgread.h"
#include "app/project/ui/tlxtype.h"
#include "app/shell/startup.h"
#include "app/shell/tkhm.h"
#include "app/ui/prompt.h"
#include "benchproject.h"
#include "benchsupport.h"
#include "platform/codepage.h"
#include "platform/fileio.h"

#include <QApplication>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

using namespace kes;
using namespace kes::bench;

// A function a profiler can single out: never inlined, merged or cloned.
#if defined(__clang__)
#define KES_APART [[gnu::noinline]]
#else
#define KES_APART [[gnu::noipa]]
#endif

namespace {

// Where the figures go: lines for a person, or figure lines for a comparison to read.
bool g_figures = false;

void Report(const std::string& figure, const Timing& t, const std::string& text)
{
    if (g_figures)
        PrintFigure(figure, t.median);
    else
        std::printf("%-14s %s: median %s, best %s (%d runs)\n", "", text.c_str(), Ms(t.median).c_str(),
                    Ms(t.best).c_str(), t.runs);
}

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
        std::fprintf(stderr, "the page did not read: %s at %zu\n", DecodeErrorName(r.Error), r.Position);
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

void FullPage(BenchProject& p, const char* label, const char* figure, int runs)
{
    int placed = 0;
    const Bytes full = p.Page(StoredKinds(), INT_MAX, p.PageRoom(), &placed);
    int objects = 0;
    const Timing t = TimeActivation(p, full, runs, &objects);
    if (!g_figures)
        std::printf("%-14s %s, %lld bytes of object memory: %d objects, %zu bytes\n", label, p.ModelName().c_str(),
                    static_cast<long long>(p.ObjectArea()), objects, full.size());
    Report(std::string(figure) + ", repeated", t, "read again");
}

// Notes the end of the first paint of a page window's canvas: the moment after the paint pass
// that the first paint event belongs to has been flushed.
class PaintWatch : public QObject {
public:
    void Watch(THmPage* page)
    {
        page_ = page;
        painted_ = 0;
    }
    double Painted() const { return painted_; }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (page_ && e->type() == QEvent::Paint && dynamic_cast<PageCanvas*>(watched) &&
            page_->isAncestorOf(static_cast<QWidget*>(watched))) {
            page_ = nullptr;
            QTimer::singleShot(0, this, [this] { painted_ = Now(); });
        }
        return false;
    }

private:
    THmPage* page_ = nullptr;
    double painted_ = 0;
};

// The window opening measured, a function of its own for a profiler to single out.
KES_APART void MeasuredOpen(const std::function<void()>& open) { open(); }

// The main window over a copy of the program folder, with two pages: the first page's window is
// shown, then the second's is opened. The time runs from that command to the end of the second
// window's first paint.
bool PageWindowFirstPaint(int model, const Bytes& warm, const Bytes& measured, double* seconds, int* objects)
{
    QTemporaryDir dir;
    std::error_code ec;
    std::filesystem::copy(KES_BIN_DIR, dir.path().toStdString(),
                          std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing,
                          ec);
    if (!dir.isValid() || ec)
        return false;
    SetAppDir(dir.path().toStdString() + "/");

    ScriptedPrompt prompt;
    ProjectDoc doc;
    StartupOptions options;
    options.splashMillis = 0;
    options.prompt = &prompt;
    TKhm& k = *StartUp(doc, options).window;
    doc.MachineId = 3;
    doc.PanelModelIndex = static_cast<std::int16_t>(model);
    k.LxType->SelectMachine();
    k.LxType->LoadModelData();
    doc.ResetHeaderRecords();
    k.ResetMemoryImage();
    for (const Bytes* records : {&warm, &measured}) {
        auto rec = std::make_unique<PgDataStr>();
        rec->Data = *records;
        doc.PgDataList.push_back(std::move(rec));
    }
    k.View.EditMode = kes::Editing::Pages;
    doc.Opened = 1;
    doc.Modified = 0;
    k.show();
    k.FormActivate();
    RunEventsUntil([&] { return k.isVisible(); }, 5000);

    PaintWatch watch;
    qApp->installEventFilter(&watch);
    bool ok = true;
    auto open = [&](int index) {
        k.PageEd->LoadPageWindow(index);
        THmPage* page = k.PageEd->OpenPageOf(index);
        if (!page) {
            ok = false;
            return;
        }
        watch.Watch(page);
        if (!RunEventsUntil([&] { return watch.Painted() > 0; }, 60000))
            ok = false;
        *objects = static_cast<int>(page->Data().ObjList.size());
    };
    open(0);
    const double start = Now();
    MeasuredOpen([&] { open(1); });
    *seconds = watch.Painted() - start;
    qApp->removeEventFilter(&watch);
    ShutDown(&k);
    return ok;
}

// The activation measured, a function of its own for a profiler to single out.
KES_APART Activation MeasuredActivation(const BenchProject& p, const Bytes& records) { return Activate(p, records); }

// A first read in a process of its own (--first full|typical|window <warm page> <page>): the
// first page is read (or its window shown), then the second measured; prints the seconds and
// the objects.
int First(const std::string& what, const std::string& warmFile, const std::string& measuredFile)
{
    Bytes warm;
    Bytes measured;
    if (!ReadFileBytes(warmFile, 1u << 30, warm, nullptr) || !ReadFileBytes(measuredFile, 1u << 30, measured, nullptr))
        return 1;
    const int model = BenchProject::LargestModel();
    double seconds = 0;
    int objects = 0;
    if (what == "window") {
        if (!PageWindowFirstPaint(model, warm, measured, &seconds, &objects))
            return 1;
    } else {
        const BenchProject p(model, 0);
        Activate(p, warm);
        const Activation a = MeasuredActivation(p, measured);
        seconds = a.seconds;
        objects = a.objects;
    }
    std::printf("%.9f %d\n", seconds, objects);
    return 0;
}

// Medians of first reads of measured after warm, each in a process of its own.
Timing TimeFirst(const char* what, const Bytes& warm, const Bytes& measured, int runs, int* objects, bool* failed)
{
    QTemporaryDir dir;
    const std::string warmFile = dir.filePath(QStringLiteral("warm")).toStdString();
    const std::string measuredFile = dir.filePath(QStringLiteral("measured")).toStdString();
    auto text = [](const Bytes& b) { return std::string_view(reinterpret_cast<const char*>(b.data()), b.size()); };
    if (!dir.isValid() || !WriteFileAtomic(warmFile, text(warm), nullptr) ||
        !WriteFileAtomic(measuredFile, text(measured), nullptr)) {
        *failed = true;
        return {};
    }
    return Repeat(runs, [&] {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--first"), QString::fromLatin1(what), QString::fromStdString(warmFile),
                     QString::fromStdString(measuredFile)});
        if (!child.waitForFinished(120000) || child.exitCode() != 0) {
            *failed = true;
            return 0.0;
        }
        const QList<QByteArray> f = child.readAllStandardOutput().trimmed().split(' ');
        if (f.size() != 2) {
            *failed = true;
            return 0.0;
        }
        *objects = f[1].toInt();
        return f[0].toDouble();
    });
}

int Measure(int argc, char** argv)
{
    const int runs = IntOption(argc, argv, "--runs", 7);
    const int perKind = IntOption(argc, argv, "--per-kind", 100);
    bool failed = false;

    const int model = BenchProject::LargestModel();
    BenchProject p(model, 0);
    if (!g_figures)
        std::printf("page activation (the page reader), median of repeated runs\n");
    FullPage(p, "full page", "full page", runs);
    const Bytes fullWarm = p.Page(StoredKinds(), INT_MAX, p.PageRoom(), nullptr, 1);
    const Bytes full = p.Page(StoredKinds(), INT_MAX, p.PageRoom());
    int objects = 0;
    Timing t = TimeFirst("full", fullWarm, full, runs, &objects, &failed);
    Report("full page, first", t, "read first, caches warm from another page");
    BenchProject second(model, 1);
    if (second.ObjectArea() > p.ObjectArea())
        FullPage(second, "second map", "second map", std::max(1, runs / 2));

    t = TimeActivation(p, p.TypicalPage(), runs * 20, &objects);
    if (!g_figures)
        std::printf("%-14s %d objects\n", "typical page", objects);
    Report("typical page, repeated", t, "read again");
    t = TimeFirst("typical", p.TypicalPage(1), p.TypicalPage(), runs, &objects, &failed);
    Report("typical page, first", t, "read first, caches warm from another page");

    if (!g_figures)
        std::printf("per kind (%d objects of one kind; time per object):\n", perKind);
    for (const ObjKind kind : StoredKinds()) {
        const Bytes page = p.Page({kind}, perKind, p.PageRoom());
        int n = 0;
        const Timing k = TimeActivation(p, page, runs, &n);
        const double each = k.median / std::max(n, 1);
        if (g_figures)
            PrintFigure(std::string("per object: ") + KindFacts(kind).ClassName, each);
        else
            std::printf("  %-14s %10s\n", KindFacts(kind).ClassName, Us(each).c_str());
    }

    t = TimeFirst("window", fullWarm, full, runs, &objects, &failed);
    if (!g_figures)
        std::printf("%-14s the full page's window through the main window, %d objects\n", "page window", objects);
    Report("page window, first paint", t, "opened after another page's window, until its first paint is done");
    if (failed) {
        std::fprintf(stderr, "a first read did not run\n");
        return 1;
    }

    std::uint64_t digest = 0;
    bool same = false;
    Activate(p, full, &digest, &same);
    std::printf("digest of the full page's pictures: %016llx; stores back as the same bytes: %s\n",
                static_cast<unsigned long long>(digest), same ? "yes" : "NO");
    return same ? 0 : 1;
}

// The pages of the first reads as files, for runs by hand.
int WritePages(const std::string& folder)
{
    BenchProject p(BenchProject::LargestModel(), 0);
    auto write = [&](const char* name, const Bytes& b) {
        return WriteFileAtomic(folder + "/" + name, std::string_view(reinterpret_cast<const char*>(b.data()), b.size()),
                               nullptr);
    };
    const bool ok = write("full-warm", p.Page(StoredKinds(), INT_MAX, p.PageRoom(), nullptr, 1)) &&
                    write("full", p.Page(StoredKinds(), INT_MAX, p.PageRoom())) &&
                    write("typical-warm", p.TypicalPage(1)) && write("typical", p.TypicalPage());
    return ok ? 0 : 1;
}

// Both builds in turn; each run is a process of its own printing figure lines.
int Compare(int argc, char** argv, const std::string& other)
{
    const int rounds = IntOption(argc, argv, "--rounds", 5);
    const QString runs = QString::number(IntOption(argc, argv, "--runs", 5));
    const QString perKind = QString::number(IntOption(argc, argv, "--per-kind", 100));
    const QString programs[2] = {QCoreApplication::applicationFilePath(), QString::fromStdString(other)};
    if (!QFileInfo(programs[1]).isExecutable()) {
        std::fprintf(stderr, "no program %s\n", other.c_str());
        return 1;
    }
    Comparison c;
    std::vector<std::string> digests[2];
    bool failed = false;
    Comparison::Alternate(rounds, [&](bool isOther) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(programs[isOther ? 1 : 0], {QStringLiteral("--figures"), QStringLiteral("--runs"), runs,
                                                QStringLiteral("--per-kind"), perKind});
        if (!child.waitForFinished(600000) || child.exitCode() != 0)
            failed = true;
        for (const std::string& line : c.AddPrinted(isOther, child.readAllStandardOutput().toStdString()))
            if (line.rfind("digest", 0) == 0)
                digests[isOther ? 1 : 0].push_back(line);
    });
    c.Print(other);
    for (int side = 1; side >= 0; --side)
        std::printf("%s %s\n",
                    side ? "before:" : "after: ", digests[side].empty() ? "no digest" : digests[side][0].c_str());
    const bool same = !digests[0].empty() && !digests[1].empty() && digests[0][0] == digests[1][0];
    std::printf("the same pictures and bytes before and after: %s\n", same ? "yes" : "NO");
    return failed || !same ? 1 : 0;
}

} // namespace

int main(int argc, char** argv)
{
    DefaultToOffscreen();
    InitAnsiCodePage();
    QApplication app(argc, argv);
    const std::string other = TextOption(argc, argv, "--against");
    if (!other.empty())
        return Compare(argc, argv, other);
    const std::string pages = TextOption(argc, argv, "--pages");
    if (!pages.empty())
        return WritePages(pages);
    const std::string first = TextOption(argc, argv, "--first");
    if (!first.empty())
        return argc >= 5 ? First(first, argv[argc - 2], argv[argc - 1]) : 1;
    g_figures = Flag(argc, argv, "--figures");
    return Measure(argc, argv);
}
