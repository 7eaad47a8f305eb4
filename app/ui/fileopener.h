#pragma once
// Opening a written file in the program the desktop associates with its type. Commands are
// given a FileOpener, so tests see what would be opened without starting a viewer.
#include <QString>

namespace kes {

class FileOpener {
public:
    virtual ~FileOpener() = default;
    // False when no program could be started for the file.
    virtual bool Open(const QString& path) = 0;
};

// Starts the desktop's opener (xdg-open) on the file and does not wait for it.
class DesktopFileOpener final : public FileOpener {
public:
    bool Open(const QString& path) override;
};

} // namespace kes
