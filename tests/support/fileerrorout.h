#pragma once
// A FileError in a test's failure message: what was done to which file and why, by code.
#include "platform/fileio.h"

#include <ostream>

namespace kes {

inline std::ostream& operator<<(std::ostream& out, const FileError& e)
{
    if (!e.Failed())
        return out << "no file error";
    return out << "file error: op " << static_cast<int>(e.Op) << ", fault " << static_cast<int>(e.Fault) << ", errno "
               << e.Errno << ", limit " << e.Limit << ": " << e.Path;
}

} // namespace kes
