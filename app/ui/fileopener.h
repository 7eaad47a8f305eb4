#pragma once
// Opening a file (or a web page) in the program the desktop associates with it: every outside
// program the tool starts goes through one. Commands are given a FileOpener, so tests see what
// would be opened without starting a viewer.
#include <QString>

namespace kes {

class FileOpener {
public:
    virtual ~FileOpener() = default;
    // path is a file's path or a web address. False when no program could be started for it.
    virtual bool Open(const QString& path) = 0;
};

// Starts the desktop's opener (xdg-open) on the file and does not wait for it.
class DesktopFileOpener final : public FileOpener {
public:
    bool Open(const QString& path) override;
};

} // namespace kes
