// Engine throughput on real English prose: the licence texts that every Debian system ships,
// repeated to at least 10 MB (or the file PELMAR_CORPUS names), measured line by line as
// the measurement driver feeds them.

#include "engine/Pelgine.h"
#include "measure/MeasureText.h"
#include "measure/ResultText.h"
#include "platform/TextFile.h"
#include "storage/BuiltinWordData.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>

#include <string>
#include <vector>

namespace {

constexpr std::size_t kCorpusSize = 10u << 20;

const std::string& corpus() {
    static const std::string text = [] {
        // PELMAR_CORPUS names another text to measure (the unpacked shared corpus, say).
        if (const QByteArray path = qgetenv("PELMAR_CORPUS"); !path.isEmpty()) {
            QFile file(QString::fromLocal8Bit(path));
            if (file.open(QIODevice::ReadOnly))
                return file.readAll().toStdString();
        }
        std::string prose;
        const QDir dir(QStringLiteral("/usr/share/common-licenses"));
        for (const QString& name : dir.entryList(QDir::Files | QDir::Readable, QDir::Name)) {
            QFile file(dir.filePath(name));
            if (file.open(QIODevice::ReadOnly))
                prose += file.readAll().toStdString();
        }
        if (prose.empty())
            prose = "The quick brown fox jumps over the lazy dog. It's 3.14, isn't it?\n";
        std::string out;
        while (out.size() < kCorpusSize)
            out += prose;
        return out;
    }();
    return text;
}

std::vector<std::string> corpusLines() {
    std::vector<std::string> lines;
    const std::string& text = corpus();
    const auto encoding = pelmar::detectTextEncoding(text);
    for (std::string_view line : pelmar::splitLines(pelmar::textFileBody(text, encoding)))
        lines.push_back(pelmar::lineToCp932(line, encoding));
    return lines;
}

void BM_AnalyzeLines(benchmark::State& state) {
    const auto lines = corpusLines();
    const auto data = pelmar::LoadBuiltinWordData();
    pelmar::TPelgine engine;
    engine.Dictionary = data.get();
    std::int64_t words = 0;
    for (auto _ : state) {
        for (const std::string& line : lines) {
            engine.Clear();
            engine.Text = line;
            engine.Analyze();
            words += engine.Words;
        }
    }
    benchmark::DoNotOptimize(words);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(corpus().size()));
}
BENCHMARK(BM_AnalyzeLines)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// The same without the per-word cache's help: every word is new to the engine.
void BM_CountSyllablesUncached(benchmark::State& state) {
    const auto data = pelmar::LoadBuiltinWordData();
    pelmar::TPelgine engine;
    engine.Dictionary = data.get();
    engine.Clear();
    const char* words[] = {"international", "hopelessness", "beautiful", "the", "cooperation",
                           "wanted", "places", "strengths", "readability", "sometimes"};
    std::int64_t total = 0;
    for (auto _ : state) {
        for (const char* w : words)
            total += engine.CountSyllables(w) + engine.CountConsonants(w);
    }
    benchmark::DoNotOptimize(total);
    state.SetItemsProcessed(state.iterations() * 10);
}
BENCHMARK(BM_CountSyllablesUncached);

void BM_LineToCp932(benchmark::State& state) {
    const std::string& text = corpus();
    const auto encoding = pelmar::detectTextEncoding(text);
    const auto lines = pelmar::splitLines(text);
    std::size_t size = 0;
    for (auto _ : state) {
        for (std::string_view line : lines)
            size += pelmar::lineToCp932(line, encoding).size();
    }
    benchmark::DoNotOptimize(size);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_LineToCp932)->Unit(benchmark::kMillisecond);

// A whole measurement as pelmar-count makes it: the full view with every index, rows formatted
// and thrown away, on one thread and on two.
void BM_MeasureText(benchmark::State& state) {
    const std::string& text = corpus();
    const auto encoding = pelmar::detectTextEncoding(text);
    const auto data = pelmar::LoadBuiltinWordData();
    pelmar::TMeasureOptions options;
    options.ApplyViewMode(pelmar::ViewMode::Full);
    options.readability.fill(true);
    pelmar::TTextRequest request;
    request.options = &options;
    request.wordData = data.get();
    request.jobs = static_cast<int>(state.range(0));
    request.row = [&options](std::string& out, std::size_t number, const pelmar::TTextCounts& c) {
        pelmar::AppendLineRow(out, static_cast<int>(number), c, options);
        out += '\n';
    };
    std::size_t written = 0;
    request.write = [&written](std::string_view piece) { written += piece.size(); };
    for (auto _ : state) {
        const auto result = pelmar::MeasureText(text, encoding, request);
        benchmark::DoNotOptimize(result.totals.Words);
    }
    benchmark::DoNotOptimize(written);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_MeasureText)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
