#pragma once
// A check of a fuzz target: a failed one ends the process, which the fuzzer reports as a
// finding with the input that caused it.
#include <cstdlib>

namespace kes::fuzz {

inline void Require(bool ok)
{
    if (!ok)
        std::abort();
}

} // namespace kes::fuzz
