#include "ui/main/ApplicationSetup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace pelmar {

bool SetUpApplication(QApplication& app) {
    QApplication::setApplicationName(QStringLiteral("pelmar"));
    // Closing the main window ends the program, whatever other window is still open.
    QApplication::setQuitOnLastWindowClosed(false);
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    auto* translator = new QTranslator(&app);
    const bool found = translator->load(QStringLiteral("qtbase_ja"),
                                        QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (found)
        QApplication::installTranslator(translator);
    else
        delete translator;
    return found;
}

} // namespace pelmar
