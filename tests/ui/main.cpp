#include <QApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Windows are real but drawn offscreen; settings and data go to the test folders.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("pelmar-ui-tests"));
    QApplication::setApplicationDisplayName(QStringLiteral("Pelmar"));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
