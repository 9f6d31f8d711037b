// The history with 10,000 saved measurements: loading it, filling the history window, sorting
// by a column and listing it as pelmar-history does. The window is drawn offscreen.
//
// `pelmar_bench_history --make-history=DIR` only writes DIR/pelmar.hst, for timing the real
// command: /usr/bin/time -v pelmar-history --data-dir DIR > /dev/null

#include "cli/HistoryCommand.h"
#include "history/HistoryColumns.h"
#include "history/HistoryStore.h"
#include "measure/Formulas.h"
#include "measure/Vocabulary.h"
#include "platform/AppPaths.h"
#include "storage/DataFile.h"
#include "ui/history/HistoryTableModel.h"
#include "ui/history/HistoryTableView.h"
#include "ui/history/HistoryWindow.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cstring>
#include <memory>
#include <sstream>

namespace {

constexpr int kRecords = 10000;

// A history of `count` records as the program writes them, with 30 samples of each level.
void writeHistory(const QString& folder, int count) {
    static const int writeOrder[] = {9, 10, 19, 11, 13, 14, 15, 16, 17, 18, 12};
    std::vector<std::string> lines;
    std::vector<std::string> index{"[Index]"};
    std::vector<std::string> records;
    for (int level = 0; level < 3; ++level) {
        lines.push_back("[SampleLightL" + std::to_string(level) + "]");
        for (int i = 0; i < 30; ++i)
            lines.push_back("sample " + std::to_string(level) + "-" + std::to_string(i));
    }
    const auto addRecord = [&](const std::string& key, int n) {
        pelmar::TTextCounts c;
        c.Sentences = 3 + n % 17;
        c.Clauses = c.Sentences + n % 5;
        c.Phrases = 2 * c.Clauses + n % 7;
        c.Words = 40 + (n * 37) % 900;
        c.Syllables = c.Words + 10 + (n * 13) % 400;
        c.Syllable1Words = c.Words * 2 / 3;
        c.Syllable3Words = 2 + n % 30;
        c.Consonants = 2 * c.Syllables;
        c.Letters = 4 * c.Words + n % 50;
        const pelmar::TWholeTextValues whole = pelmar::ComputeWholeText(c);
        records.push_back("[" + key + "]");
        for (int p = 0; p < 9; ++p)
            records.push_back(std::string(pelmar::vocab::ColumnKeys[static_cast<std::size_t>(p)]) + "=" +
                              std::to_string(c.count(p)));
        for (int p : writeOrder)
            records.push_back(std::string(pelmar::vocab::ColumnKeys[static_cast<std::size_t>(p)]) + "=" +
                              std::to_string(whole.tenths[static_cast<std::size_t>(p - 9)]));
        records.push_back("TITL=Text number " + std::to_string(n));
    };
    for (int level = 0; level < 3; ++level)
        for (int i = 0; i < 30; ++i)
            addRecord("sample " + std::to_string(level) + "-" + std::to_string(i), 5000 + level * 30 + i);
    for (int n = 0; n < count; ++n) {
        char key[32];
        std::snprintf(key, sizeof key, "20%02d/%02d/%02d %02d:%02d:%02d", 10 + n / 3000, 1 + n / 250 % 12,
                      1 + n / 10 % 25, n % 24, n % 60, (n * 7) % 60);
        index.push_back(key);
        addRecord(key, n);
    }
    lines.insert(lines.end(), index.begin(), index.end());
    lines.insert(lines.end(), records.begin(), records.end());
    pelmar::TDataIndexFile file{QString()};
    file.SetLines(std::move(lines));
    if (!file.SaveToFile(pelmar::HistoryFileIn(folder)).ok())
        std::fprintf(stderr, "cannot write the history\n");
}

const QString& folder() {
    static const QString path = [] {
        const QString p = QDir(pelmar::AppDataFolder()).filePath(QStringLiteral("bench"));
        writeHistory(p, kRecords);
        return p;
    }();
    return path;
}

void checkCount(benchmark::State& state, int count) {
    if (count != kRecords + 90)
        state.SkipWithError("not every record was loaded");
}

// Reading pelmar.hst and building the collection.
void BM_LoadHistory(benchmark::State& state) {
    pelmar::TRecItems items;
    for (auto _ : state) {
        if (!pelmar::ReloadHistory(items, folder(), {}).ok)
            state.SkipWithError("load failed");
    }
    checkCount(state, items.Count());
}
BENCHMARK(BM_LoadHistory)->Unit(benchmark::kMillisecond)->UseRealTime();

std::unique_ptr<pelmar::TForm2> g_window;

pelmar::TForm2& window() {
    if (!g_window) {
        g_window = std::make_unique<pelmar::TForm2>();
        g_window->setDataFolder(folder());
        g_window->resize(1400, 800);
        g_window->show();
        QCoreApplication::processEvents();
    }
    return *g_window;
}

// The window's reload: loading, filling both lists and painting them.
void BM_WindowLoadAndFill(benchmark::State& state) {
    pelmar::TForm2& w = window();
    for (auto _ : state) {
        w.acDrawExecute();
        w.repaint();
        QCoreApplication::processEvents();
    }
    checkCount(state, w.items().Count());
}
BENCHMARK(BM_WindowLoadAndFill)->Unit(benchmark::kMillisecond)->UseRealTime();

// A header click on a derived measure (each record's ratios are worked out) with 100 rows
// selected, which stay selected, then painting.
void BM_WindowSortDerived(benchmark::State& state) {
    pelmar::TForm2& w = window();
    w.acDrawExecute();
    for (int r = 0; r < 100; ++r)
        w.titleList()->selectionModel()->select(w.model()->index(r * 97, 0),
                                                QItemSelectionModel::Select | QItemSelectionModel::Rows);
    for (auto _ : state) {
        w.SortByColumn(w.valueTable(), pelmar::HistoryColumn::FirstDerived + 6); // CIV
        w.repaint();
        QCoreApplication::processEvents();
    }
    if (w.selectedRows().size() != 100)
        state.SkipWithError("the selection was lost");
}
BENCHMARK(BM_WindowSortDerived)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WindowSortTitle(benchmark::State& state) {
    pelmar::TForm2& w = window();
    for (auto _ : state) {
        w.SortByColumn(w.titleList(), pelmar::HistoryColumn::Title);
        w.repaint();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_WindowSortTitle)->Unit(benchmark::kMillisecond)->UseRealTime();

// pelmar-history in-process: load and print every row with the heading.
void BM_HistoryCommand(benchmark::State& state) {
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::ostringstream out, err;
        if (pelmar::RunHistoryCommand({QStringLiteral("--data-dir"), folder()}, out, err) != 0)
            state.SkipWithError("the command failed");
        bytes = out.str().size();
    }
    state.counters["MB"] = static_cast<double>(bytes) / (1 << 20);
}
BENCHMARK(BM_HistoryCommand)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--make-history=", 15) == 0) {
            QCoreApplication app(argc, argv);
            writeHistory(QString::fromLocal8Bit(argv[i] + 15), kRecords);
            return 0;
        }
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QFile::remove(pelmar::SettingsFilePath());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_window.reset();
    QDir(QDir(pelmar::AppDataFolder()).filePath(QStringLiteral("bench"))).removeRecursively();
    QFile::remove(pelmar::SettingsFilePath());
    return 0;
}
