#pragma once
// The CPU time this process has spent, its threads together. A bound on the cost of work done
// in the process holds on a busy machine, where wall-clock time also counts the time the
// process waited for a core; waits on timers or other processes need wall-clock deadlines.
#include <chrono>
#include <ctime>

namespace kes::test {

inline std::chrono::nanoseconds ProcessCpuTime()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return std::chrono::seconds(t.tv_sec) + std::chrono::nanoseconds(t.tv_nsec);
}

// CPU time spent since construction or the last Restart.
class CpuStopwatch {
public:
    void Restart() { start_ = ProcessCpuTime(); }
    std::chrono::milliseconds Elapsed() const
    {
        return std::chrono::duration_cast<std::chrono::milliseconds>(ProcessCpuTime() - start_);
    }

private:
    std::chrono::nanoseconds start_ = ProcessCpuTime();
};

} // namespace kes::test
