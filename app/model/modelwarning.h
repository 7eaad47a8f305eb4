#pragma once
// Problems found while reading the model data files. The loaders keep safe values and
// return what they found, so that a form can show it; none of them stops the program. A
// warning holds codes and what the file says, never words: the window words it from the
// message table (app/ui/errortext.h).
#include "platform/fileio.h"

#include <string>
#include <vector>

namespace kes {

enum class ModelError {
    FileMissing,  // the file does not exist
    BadValue,     // a key or line holds no usable value; a safe value is used
    MissingEntry, // a key, section or line the file should have is absent
    Inconsistent, // counts that do not agree with each other
    TableDamaged, // a device table that cannot be used; the table stays empty
    Unreadable,   // the file is there but could not be read (too large, no plain file, no access)
};

struct ModelWarning {
    ModelError Code;
    std::string File;   // path of the file concerned
    int Line = 0;       // 1-based line of a device table, 0 when not known
    std::string Detail; // what was found, as the file has it: "[section] key=value", a line
    FileError Read;     // Unreadable: what the read met
};

using ModelWarnings = std::vector<ModelWarning>;

// The code's name ("BadValue"), for logs and test output.
const char* ModelErrorName(ModelError code);

} // namespace kes
