#include "app/print/reportcontext.h"

#include <QDesktopServices>
#include <QRegularExpression>
#include <QUrl>

namespace kes {

QString CaptionText(const QString& caption)
{
    QString text = caption;
    // "(&F)" after a Chinese caption goes whole; otherwise only the marker of the letter.
    static const QRegularExpression kBracketed(QStringLiteral("\\(&.\\)"));
    const QRegularExpressionMatch m = kBracketed.match(text);
    if (m.hasMatch())
        text.remove(m.capturedStart(), m.capturedLength());
    else if (const int amp = text.indexOf(QLatin1Char('&')); amp >= 0)
        text.remove(amp, 1);
    if (text.endsWith(QStringLiteral("...")))
        text.chop(3);
    return text.trimmed();
}

std::function<bool(const QString& path)>& DesktopOpener()
{
    static std::function<bool(const QString&)> opener = [](const QString& path) {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    };
    return opener;
}

} // namespace kes
