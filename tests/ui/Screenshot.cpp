// Makes the README's picture: the window after measuring the sample text, drawn offscreen.
#include "platform/AppPaths.h"
#include "ui/main/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QStandardPaths>
#include <QTest>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SAMPLE.txt OUT.png\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QFile::remove(pelmar::SettingsFilePath());
    QFile sample(QString::fromLocal8Bit(argv[1]));
    if (!sample.open(QIODevice::ReadOnly))
        return 1;
    QGuiApplication::clipboard()->setText(QString::fromUtf8(sample.readAll()));

    pelmar::TForm1 window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    window.findChild<QAction*>(QStringLiteral("acPaste"))->trigger();
    window.findChild<QAction*>(QStringLiteral("acCount"))->trigger();
    QTest::qWait(200);
    const bool saved = window.grab().save(QString::fromLocal8Bit(argv[2]));
    QFile::remove(pelmar::SettingsFilePath());
    return saved ? 0 : 1;
}
