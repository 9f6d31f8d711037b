// The main window end to end, drawn offscreen, as a teacher uses it:
// - paste a 5 MB English text (the licence texts every Debian system ships, repeated, about
//   100,000 lines) and measure it;
// - open the shared 20 MB prose corpus and show it, then measure it and show the result.
// The corpus is ../shared/bench/prose-20mb.txt.xz beside the checkout, or the file named by
// PELMAR_CORPUS (plain text or .xz); its benchmarks are skipped when neither is there.

#include "platform/AppPaths.h"
#include "ui/dialogs/Prompts.h"
#include "ui/main/MainWindow.h"

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

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

// The corpus as a plain text file, unpacked once into a temporary folder when it is packed.
QString corpusPath() {
    static QTemporaryDir unpacked;
    static const QString path = []() -> QString {
        QString source = qEnvironmentVariable("PELMAR_CORPUS");
        if (source.isEmpty())
            source = QStringLiteral(PELMAR_SOURCE_DIR "/../shared/bench/prose-20mb.txt.xz");
        if (!QFileInfo::exists(source))
            return {};
        if (!source.endsWith(QStringLiteral(".xz")))
            return source;
        const QString target = unpacked.filePath(QStringLiteral("prose.txt"));
        QProcess xz;
        xz.setStandardOutputFile(target);
        xz.start(QStringLiteral("xz"), {QStringLiteral("-dkc"), source});
        if (!xz.waitForFinished(120000) || xz.exitCode() != 0)
            return {};
        return target;
    }();
    return path;
}

// The open dialog answers with the corpus; everything else is never asked in these runs.
class TBenchPrompts : public pelmar::TPrompts {
public:
    void information(QWidget*, const QString& text) override { messages << text; }
    bool warningYesAbort(QWidget*, const QString&) override { return true; }
    pelmar::TAnswer confirmYesNoCancel(QWidget*, const QString&) override {
        return pelmar::TAnswer::Yes;
    }
    std::optional<QString> inputText(QWidget*, const QString&, const QString& initial) override {
        return initial;
    }
    QString openTextFile(QWidget*, const QString&) override { return corpusPath(); }
    void infoMessage(const QString&) override {}
    bool openUrl(const QUrl&) override { return true; }
    bool startProgram(const QString&, const QStringList&) override { return true; }
    QStringList messages;
};

// Made on first use and gone before the application object.
std::unique_ptr<pelmar::TForm1> g_window;

pelmar::TForm1& window() {
    if (!g_window) {
        g_window = std::make_unique<pelmar::TForm1>(std::make_unique<TBenchPrompts>());
        g_window->show();
        QCoreApplication::processEvents();
    }
    return *g_window;
}

QAction* action(const char* name) {
    return window().findChild<QAction*>(QString::fromLatin1(name));
}

QString status() { return window().findChild<QLabel*>(QStringLiteral("StatusText"))->text(); }

void check(benchmark::State& state) {
    if (!status().startsWith(QStringLiteral("計算終了 ")))
        state.SkipWithError("the measurement did not finish");
}

void counters(benchmark::State& state, const QString& measured) {
    state.counters["lines"] = static_cast<double>(measured.count(QLatin1Char('\n')));
    state.counters["MB"] = static_cast<double>(measured.size()) / (1 << 20);
}

// Paste and measure: what the user waits for from the click on paste to the finished results.
void BM_PasteAndMeasure(benchmark::State& state) {
    for (auto _ : state) {
        QGuiApplication::clipboard()->setText(text());
        action("acPaste")->trigger();
        action("acCount")->trigger();
        check(state);
    }
    counters(state, text());
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
    counters(state, text());
}
BENCHMARK(BM_Measure)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// Open the corpus: from the dialog's answer to the text shown in the input pane.
void BM_OpenCorpus(benchmark::State& state) {
    if (corpusPath().isEmpty()) {
        state.SkipWithError("no corpus: set PELMAR_CORPUS");
        return;
    }
    auto* input = window().findChild<QPlainTextEdit*>(QStringLiteral("RichEdit1"));
    for (auto _ : state) {
        action("acOpen")->trigger();
        if (input->document()->blockCount() < 1000)
            state.SkipWithError("the corpus was not shown");
    }
    state.counters["MB"] = static_cast<double>(QFileInfo(corpusPath()).size()) / (1 << 20);
}
BENCHMARK(BM_OpenCorpus)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

// Measure the corpus and show its result, on the corpus already in the pane.
void BM_MeasureCorpus(benchmark::State& state) {
    if (corpusPath().isEmpty()) {
        state.SkipWithError("no corpus: set PELMAR_CORPUS");
        return;
    }
    action("acOpen")->trigger();
    for (auto _ : state) {
        action("acCount")->setEnabled(true);
        action("acCount")->trigger();
        check(state);
    }
    state.counters["MB"] = static_cast<double>(QFileInfo(corpusPath()).size()) / (1 << 20);
}
BENCHMARK(BM_MeasureCorpus)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

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
