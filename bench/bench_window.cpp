// The main window end to end, drawn offscreen: paste a 5 MB English text (the licence texts every
// Debian system ships, repeated, about 100,000 lines) and measure it, as a teacher would.

#include "platform/AppPaths.h"
#include "ui/main/MainWindow.h"

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStandardPaths>

#include <memory>

namespace {

constexpr qsizetype kTextSize = 5 << 20;

const QString& text() {
    static const QString value = [] {
        QByteArray prose;
        const QDir dir(QStringLiteral("/usr/share/common-licenses"));
        for (const QString& name : dir.entryList(QDir::Files | QDir::Readable, QDir::Name)) {
            QFile file(dir.filePath(name));
            if (file.open(QIODevice::ReadOnly))
                prose += file.readAll();
        }
        if (prose.isEmpty())
            prose = "The quick brown fox jumps over the lazy dog. It's 3.14, isn't it?\n";
        QByteArray out;
        while (out.size() < kTextSize)
            out += prose;
        out.truncate(out.lastIndexOf('\n', kTextSize) + 1);
        return QString::fromUtf8(out);
    }();
    return value;
}

// Made on first use and gone before the application object.
std::unique_ptr<pelmar::TForm1> g_window;

pelmar::TForm1& window() {
    if (!g_window) {
        g_window = std::make_unique<pelmar::TForm1>();
        g_window->show();
        QCoreApplication::processEvents();
    }
    return *g_window;
}

QAction* action(const char* name) {
    return window().findChild<QAction*>(QString::fromLatin1(name));
}

void check(benchmark::State& state) {
    const QString status = window().findChild<QLabel*>(QStringLiteral("StatusText"))->text();
    if (!status.startsWith(QStringLiteral("計算終了 ")))
        state.SkipWithError("the measurement did not finish");
}

void counters(benchmark::State& state) {
    state.counters["lines"] = static_cast<double>(text().count(QLatin1Char('\n')));
    state.counters["MB"] = static_cast<double>(text().size()) / (1 << 20);
}

// Paste and measure: what the user waits for from the click on paste to the finished results.
void BM_PasteAndMeasure(benchmark::State& state) {
    for (auto _ : state) {
        QGuiApplication::clipboard()->setText(text());
        action("acPaste")->trigger();
        action("acCount")->trigger();
        check(state);
    }
    counters(state);
}
BENCHMARK(BM_PasteAndMeasure)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// The measurement alone, on text already in the pane.
void BM_Measure(benchmark::State& state) {
    QGuiApplication::clipboard()->setText(text());
    action("acPaste")->trigger();
    for (auto _ : state) {
        action("acCount")->setEnabled(true);
        action("acCount")->trigger();
        check(state);
    }
    counters(state);
}
BENCHMARK(BM_Measure)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QFile::remove(pelmar::SettingsFilePath());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_window.reset();
    QFile::remove(pelmar::SettingsFilePath());
    return 0;
}
