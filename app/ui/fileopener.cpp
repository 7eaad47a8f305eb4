#include "app/ui/fileopener.h"

#include <QProcess>
#include <QStringList>

namespace kes {

bool DesktopFileOpener::Open(const QString& path)
{
    // Detached: the viewer lives on its own, also after the program ends.
    return QProcess::startDetached(QStringLiteral("xdg-open"), QStringList{path});
}

} // namespace kes
