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

double Now() { return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count(); }

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

std::string TextOption(int argc, char** argv, const char* name)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], name) == 0)
            return argv[i + 1];
    return {};
}

namespace {

double Median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

} // namespace

void Comparison::Alternate(int rounds, const std::function<void(bool other)>& once)
{
    for (int r = 0; r < std::max(rounds, 1); ++r) {
        const bool otherFirst = r % 2 == 1;
        once(otherFirst);
        once(!otherFirst);
    }
}

void Comparison::Add(bool other, const std::string& name, double seconds)
{
    if (std::find(order_.begin(), order_.end(), name) == order_.end())
        order_.push_back(name);
    samples_[other ? 1 : 0][name].push_back(seconds);
}

std::vector<std::string> Comparison::AddPrinted(bool other, const std::string& output)
{
    std::vector<std::string> rest;
    std::size_t at = 0;
    while (at < output.size()) {
        std::size_t end = output.find('\n', at);
        if (end == std::string::npos)
            end = output.size();
        const std::string line = output.substr(at, end - at);
        at = end + 1;
        constexpr const char* kTag = "figure ";
        const std::size_t value = line.rfind(' ');
        if (line.rfind(kTag, 0) == 0 && value > std::strlen(kTag))
            Add(other, line.substr(std::strlen(kTag), value - std::strlen(kTag)), std::atof(line.c_str() + value + 1));
        else if (!line.empty())
            rest.push_back(line);
    }
    return rest;
}

void Comparison::Print(const std::string& otherName) const
{
    std::printf("before: %s\nafter:  this build\nmedians of the runs of each (before and after in turn, "
                "round after round)\n",
                otherName.c_str());
    std::printf("%-34s %14s %14s %8s\n", "", "before", "after", "ratio");
    for (const std::string& name : order_) {
        auto get = [&](int side) {
            const auto it = samples_[side].find(name);
            return it == samples_[side].end() ? std::vector<double>{} : it->second;
        };
        const std::vector<double> after = get(0);
        const std::vector<double> before = get(1);
        const double a = Median(after);
        const double b = Median(before);
        // Figures below a millisecond (the time per object) in microseconds.
        const auto shown = [&](double v) { return std::max(a, b) < 1e-3 ? Us(v) : Ms(v); };
        std::printf("%-34s %14s %14s %8s\n", name.c_str(), before.empty() ? "-" : shown(b).c_str(),
                    after.empty() ? "-" : shown(a).c_str(),
                    before.empty() || after.empty() || b <= 0 ? "-" : (std::to_string(a / b).substr(0, 5)).c_str());
    }
}

void PrintFigure(const std::string& name, double seconds) { std::printf("figure %s %.9f\n", name.c_str(), seconds); }

} // namespace kes::bench
