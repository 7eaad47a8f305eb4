#include "benchsupport.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QtGlobal>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace kes::bench {

double Now()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

Timing Repeat(int runs, const std::function<double()>& once)
{
    std::vector<double> t;
    for (int i = 0; i < std::max(runs, 1); ++i)
        t.push_back(once());
    std::sort(t.begin(), t.end());
    const std::size_t n = t.size();
    Timing r;
    r.runs = static_cast<int>(n);
    r.best = t.front();
    r.median = n % 2 ? t[n / 2] : (t[n / 2 - 1] + t[n / 2]) / 2;
    return r;
}

bool RunEventsUntil(const std::function<bool()>& done, int deadlineMs)
{
    if (done())
        return true;
    QEventLoop loop;
    QElapsedTimer clock;
    clock.start();
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&] {
        if (done() || clock.elapsed() > deadlineMs)
            loop.quit();
    });
    look.start(5);
    loop.exec();
    return done();
}

int IntOption(int argc, char** argv, const char* name, int fallback)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], name) == 0)
            return std::atoi(argv[i + 1]);
    return fallback;
}

bool Flag(int argc, char** argv, const char* name)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], name) == 0)
            return true;
    return false;
}

void DefaultToOffscreen()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

std::string Ms(double seconds)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.3f ms", seconds * 1e3);
    return buf;
}

std::string Us(double seconds)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f us", seconds * 1e6);
    return buf;
}

} // namespace kes::bench
