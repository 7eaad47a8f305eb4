// Benchmark, not a test: start-up to the first painted main window. Each run starts this
// program again as a child process in a copy of the program folder; the child does what the
// program's main does and reports the moment the main window's first paint is done. The
// figure runs from just before the child is started (so it includes loading the program and
// its libraries) to that moment; medians of repeated runs.
//
//   bench_startup --against <another build's bench_startup> [--runs N]
// starts both builds in turn, each from a copy of its own program folder, and shows the two
// medians side by side.
#include "app/project/projectdoc.h"
#include "app/shell/startup.h"
#include "app/shell/tkhm.h"
#include "benchsupport.h"
#include "platform/codepage.h"
#include "platform/fileio.h"

#include <QApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <unistd.h>

using namespace kes;
using namespace kes::bench;

namespace {

// Reports the end of the first paint of anything in the main window, then ends the process
// at once (closing the program is not part of start-up).
class FirstPaint : public QObject {
public:
    const QWidget* window = nullptr; // the main window, once made

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        auto* w = qobject_cast<QWidget*>(watched);
        if (!seen_ && e->type() == QEvent::Paint && window && w && w->window() == window) {
            seen_ = true;
            // Runs after the paint pass that this event belongs to has been flushed.
            QTimer::singleShot(0, [] {
                std::printf("%.9f\n", Now());
                std::fflush(stdout);
                _exit(0);
            });
        }
        return false;
    }

private:
    bool seen_ = false;
};

int Child(int argc, char** argv, const char* dir)
{
    InitAnsiCodePage();
    QApplication app(argc, argv);
    FirstPaint watch;
    app.installEventFilter(&watch);
    SetAppDir(std::string(dir) + "/");
    ProjectDoc doc;
    StartupOptions options;
    const Started started = StartUp(doc, options);
    watch.window = started.window;
    started.window->show();
    started.window->activateWindow();
    started.window->FormActivate();
    if (started.splash)
        started.splash->raise();
    return QApplication::exec();
}

// A copy of a build's program folder (its bench folder's sibling bin), to start from.
bool CopyProgramFolder(const std::string& from, QTemporaryDir& dir)
{
    std::error_code ec;
    std::filesystem::copy(from, dir.path().toStdString(),
                          std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing,
                          ec);
    if (!dir.isValid() || ec) {
        std::fprintf(stderr, "no copy of the program folder %s: %s\n", from.c_str(), ec.message().c_str());
        return false;
    }
    return true;
}

// One start of program over the program folder dir; the seconds to the first painted main
// window, or a negative figure when it did not start.
double StartOnce(const QString& program, const QString& dir)
{
    QProcess child;
    const double start = Now();
    child.start(program, {QStringLiteral("--child"), dir});
    if (!child.waitForFinished(60000) || child.exitCode() != 0)
        return -1;
    return std::atof(child.readAllStandardOutput().constData()) - start;
}

} // namespace

int main(int argc, char** argv)
{
    DefaultToOffscreen();
    if (argc >= 3 && std::strcmp(argv[1], "--child") == 0)
        return Child(argc, argv, argv[2]);

    QCoreApplication app(argc, argv);
    const int runs = IntOption(argc, argv, "--runs", 11);
    const std::string other = TextOption(argc, argv, "--against");
    QTemporaryDir dir;
    if (!CopyProgramFolder(KES_BIN_DIR, dir))
        return 1;
    const QString self = QCoreApplication::applicationFilePath();
    bool failed = false;
    if (!other.empty()) {
        // The other build's program folder lies beside its bench folder.
        const std::filesystem::path otherBin = std::filesystem::path(other).parent_path().parent_path() / "bin";
        QTemporaryDir otherDir;
        if (!CopyProgramFolder(otherBin.string(), otherDir))
            return 1;
        Comparison c;
        Comparison::Alternate(runs, [&](bool isOther) {
            const double t =
                StartOnce(isOther ? QString::fromStdString(other) : self, isOther ? otherDir.path() : dir.path());
            failed = failed || t < 0;
            c.Add(isOther, "start-up to the first painted main window", t);
        });
        if (failed) {
            std::fprintf(stderr, "a program did not start\n");
            return 1;
        }
        c.Print(other);
        return 0;
    }
    const Timing t = Repeat(runs, [&] {
        const double s = StartOnce(self, dir.path());
        failed = failed || s < 0;
        return s;
    });
    if (failed) {
        std::fprintf(stderr, "the program did not start\n");
        return 1;
    }
    std::printf("start-up to the first painted main window: median %s, best %s (%d runs)\n", Ms(t.median).c_str(),
                Ms(t.best).c_str(), t.runs);
    return 0;
}
