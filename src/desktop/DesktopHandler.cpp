#include "desktop/DesktopHandler.h"

#include <QMimeDatabase>

namespace pelmar {

QString DesktopHandlerType(const QUrl& url) {
    if (url.isLocalFile())
        return QMimeDatabase().mimeTypeForFile(url.toLocalFile()).name();
    return QStringLiteral("x-scheme-handler/") + url.scheme().toLower();
}

bool DesktopCanOpen(const QUrl& url, const TDesktopLookup& lookup) {
    if (lookup.defaultProgram && !lookup.defaultProgram(DesktopHandlerType(url)).isEmpty())
        return true;
    const QString scheme = url.scheme().toLower();
    const bool browsable = url.isLocalFile() || scheme == QStringLiteral("http") ||
                           scheme == QStringLiteral("https");
    return browsable && lookup.findExecutable &&
           !lookup.findExecutable(QStringLiteral("x-www-browser")).isEmpty();
}

} // namespace pelmar
