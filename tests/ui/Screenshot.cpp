// Makes the README's pictures, drawn offscreen: the main window after measuring the sample text
// and, when asked, the fly graph after that text has landed and the detailed result window.
#include "desktop/ResultCard.h"
#include "platform/AppPaths.h"
#include "ui/dialogs/ResultWindow.h"
#include "ui/fly/FlyWindow.h"
#include "ui/main/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTest>

#include <cstdio>

namespace {

// The fly graph of the sample, every fly landed, and the result card of the same measurement.
bool flyAndResult(pelmar::TForm1& window, const QString& sample, const QString& flyPng,
                  const QString& resultPng) {
    pelmar::TFlySeams seams;
    seams.virtualClock = true;
    seams.random = std::make_unique<pelmar::TSeededRandom>(2);
    pelmar::TForm4 fly(std::move(seams));
    pelmar::TFormResult result;
    window.attachWindows(nullptr, &fly, &result);
    window.setAllFeatures(true);
    window.LoadTextFile(sample); // measured under the file's name
    window.findChild<QAction*>(QStringLiteral("acFlyGraph"))->trigger();
    if (!QTest::qWaitForWindowExposed(&fly))
        return false;
    QElapsedTimer waited;
    waited.start();
    while (!fly.flying() && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    fly.advanceClock(60'000);
    if (!fly.grab().save(flyPng))
        return false;

    result.fill(pelmar::MakeResultCard(window.totals(), window.wholeText()));
    result.show();
    if (!QTest::qWaitForWindowExposed(&result))
        return false;
    const bool saved = result.grab().save(resultPng);
    result.hide();
    fly.hide();
    window.attachWindows(nullptr, nullptr, nullptr);
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 5) {
        std::fprintf(stderr, "usage: %s SAMPLE.txt WINDOW.png [FLY.png RESULT.png]\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QFile::remove(pelmar::SettingsFilePath());
    const QString samplePath = QString::fromLocal8Bit(argv[1]);
    QFile sample(samplePath);
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
    bool saved = window.grab().save(QString::fromLocal8Bit(argv[2]));
    if (saved && argc == 5)
        saved = flyAndResult(window, samplePath, QString::fromLocal8Bit(argv[3]),
                             QString::fromLocal8Bit(argv[4]));
    QFile::remove(pelmar::SettingsFilePath());
    return saved ? 0 : 1;
}
