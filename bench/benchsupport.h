#pragma once
// Shared by the benchmark programs: the steady clock, medians of repeated runs, the command
// line's few options and the Qt platform they run on.
#include <functional>
#include <string>

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

} // namespace kes::bench
