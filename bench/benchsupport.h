#pragma once
// Shared by the benchmark programs: the steady clock, medians of repeated runs, the command
// line's few options and the Qt platform they run on.
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace kes::bench {

// Seconds on the steady clock.
double Now();

struct Timing {
    double median = 0; // seconds
    double best = 0;
    int runs = 0;
};

// Runs once `runs` times; each run returns the seconds it measured itself (so that set-up and
// clean-up stay out of the figure).
Timing Repeat(int runs, const std::function<double()>& once);

// Runs the Qt event loop as the program does (sleeping while nothing happens) until done
// holds, looked at every few milliseconds, or deadlineMs passes; returns done().
bool RunEventsUntil(const std::function<bool()>& done, int deadlineMs);

// Value of "--name N" on the command line, or fallback.
int IntOption(int argc, char** argv, const char* name, int fallback);
// True when "--name" is on the command line.
bool Flag(int argc, char** argv, const char* name);

// Before the application object: the offscreen platform unless QT_QPA_PLATFORM names one.
void DefaultToOffscreen();

// "12.345 ms" / "678.9 us" for a figure in seconds.
std::string Ms(double seconds);
std::string Us(double seconds);

// Value of "--name TEXT" on the command line, or empty.
std::string TextOption(int argc, char** argv, const char* name);

// A comparison of this build with another (--against <the other build's benchmark program>):
// the two run in turn, round after round, so that a change of the machine's load falls on
// both alike. Each figure is kept per build; the table shows the medians side by side.
class Comparison {
public:
    // Runs once(false) for this build and once(true) for the other, `rounds` times, the
    // other first in every second round.
    static void Alternate(int rounds, const std::function<void(bool other)>& once);
    void Add(bool other, const std::string& name, double seconds);
    // Figure lines ("figure <name> <seconds>") a child printed, for one side; other lines are
    // returned as they stand.
    std::vector<std::string> AddPrinted(bool other, const std::string& output);
    // name, before (the other build), after (this build), after / before.
    void Print(const std::string& otherName) const;

private:
    std::vector<std::string> order_;
    std::map<std::string, std::vector<double>> samples_[2]; // [0] this build, [1] the other
};

// The line a child prints for the comparison to read.
void PrintFigure(const std::string& name, double seconds);

} // namespace kes::bench
