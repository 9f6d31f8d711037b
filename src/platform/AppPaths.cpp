#include "platform/AppPaths.h"

#include <QDir>
#include <QStandardPaths>

namespace pelmar {

// Built from the generic locations so the desktop program and the command line (which have
// different application names) share one folder.
QString AppDataFolder() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("pelmar"));
}

QString SettingsFilePath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("pelmar/pelmar.ini"));
}

} // namespace pelmar
