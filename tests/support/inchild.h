#pragma once
// For the kill harnesses: a body run in a forked child, which a test may kill at any moment.
#include <sys/wait.h>
#include <unistd.h>

namespace kes::test {

// Runs body in a child process; its wait status.
template <class Body> int InChild(Body body)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        body();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return status;
}

} // namespace kes::test
