#include "app/print/reportcontext.h"

#include <QDesktopServices>
#include <QUrl>

namespace kes {

std::function<bool(const QString& path)>& DesktopOpener()
{
    static std::function<bool(const QString&)> opener = [](const QString& path) {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    };
    return opener;
}

} // namespace kes
