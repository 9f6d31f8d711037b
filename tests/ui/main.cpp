#include "ui/main/ApplicationSetup.h"

#include <QApplication>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Windows are real but drawn offscreen; settings and data go to the test folders.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // A home of its own, so tests run side by side never share a settings file.
    QTemporaryDir home;
    if (home.isValid())
        qputenv("HOME", QFile::encodeName(home.path()));
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    pelmar::SetUpApplication(app);
    // Test mode already keeps the folders apart; a name of its own keeps them apart from a
    // developer's real program as well.
    QApplication::setApplicationName(QStringLiteral("pelmar-ui-tests"));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
