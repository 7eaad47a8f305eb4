// Benchmark, not a test: start-up to the first painted main window. Each run starts this
// program again as a child process in a copy of the program folder; the child does what the
// program's main does and reports the moment the main window's first paint is done. The
// figure runs from just before the child is started (so it includes loading the program and
// its libraries) to that moment; medians of repeated runs.
#include "app/project/projectdoc.h"
#include "app/shell/startup.h"
#include "app/shell/tkhm.h"
#include "app/shell/tlogo.h"
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
protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        auto* w = qobject_cast<QWidget*>(watched);
        if (!seen_ && e->type() == QEvent::Paint && Khm && w && w->window() == Khm) {
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
    StartUp(doc, options);
    Khm->show();
    Khm->activateWindow();
    Khm->FormActivate();
    if (Logo)
        Logo->raise();
    return QApplication::exec();
}

} // namespace

int main(int argc, char** argv)
{
    DefaultToOffscreen();
    if (argc >= 3 && std::strcmp(argv[1], "--child") == 0)
        return Child(argc, argv, argv[2]);

    QCoreApplication app(argc, argv);
    const int runs = IntOption(argc, argv, "--runs", 11);
    QTemporaryDir dir;
    std::error_code ec;
    std::filesystem::copy(KES_BIN_DIR, dir.path().toStdString(),
                          std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing,
                          ec);
    if (!dir.isValid() || ec) {
        std::fprintf(stderr, "no copy of the program folder: %s\n", ec.message().c_str());
        return 1;
    }
    const QString self = QCoreApplication::applicationFilePath();
    bool failed = false;
    const Timing t = Repeat(runs, [&] {
        QProcess child;
        const double start = Now();
        child.start(self, {QStringLiteral("--child"), dir.path()});
        if (!child.waitForFinished(60000) || child.exitCode() != 0) {
            failed = true;
            return 0.0;
        }
        return std::atof(child.readAllStandardOutput().constData()) - start;
    });
    if (failed) {
        std::fprintf(stderr, "the program did not start\n");
        return 1;
    }
    std::printf("start-up to the first painted main window: median %s, best %s (%d runs)\n", Ms(t.median).c_str(),
                Ms(t.best).c_str(), t.runs);
    return 0;
}
