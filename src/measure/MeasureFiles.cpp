#include "measure/MeasureFiles.h"

#include "engine/Bytes.h"
#include "engine/Pelgine.h"

#include <QFileInfo>

#include <algorithm>
#include <atomic>
#include <optional>
#include <thread>

namespace pelmar {

bool IsTextFileName(const QString& path) {
    return path.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive);
}

std::string BatchFileName(const QString& path) {
    return QFileInfo(path).completeBaseName().toStdString();
}

bool HasText(const std::vector<std::string>& lines) {
    return std::any_of(lines.begin(), lines.end(),
                       [](const std::string& line) { return !bytes::trimmed(line).empty(); });
}

namespace {

struct FileOutcome {
    std::optional<TMeasurement> measurement;
    QString message; // why the file gives no row
};

} // namespace

TBatchResult MeasureFiles(const QStringList& paths, const TMeasureOptions& options,
                          const TDataFile* wordData, const TBatchCallbacks& callbacks, int jobs) {
    TBatchResult batch;
    QStringList files = paths;
    auto isStandardInput = [&callbacks](const QString& path) {
        return callbacks.isStandardInput && callbacks.isStandardInput(path);
    };
    for (qsizetype i = files.size() - 1; i >= 0; --i) {
        if (IsTextFileName(files[i]) || isStandardInput(files[i]))
            continue;
        if (!callbacks.confirmSkipNonText || !callbacks.confirmSkipNonText(files[i])) {
            batch.abandoned = true;
            return batch;
        }
        files.removeAt(i);
    }

    std::vector<FileOutcome> outcomes(static_cast<std::size_t>(files.size()));
    std::atomic<std::size_t> next{0};
    auto worker = [&] {
        TPelgine engine;
        engine.Dictionary = wordData;
        for (std::size_t i = next++; i < outcomes.size(); i = next++) {
            const QString& path = files[static_cast<qsizetype>(i)];
            std::vector<std::string> lines;
            QString error;
            if (!isStandardInput(path) && !QFileInfo::exists(path)) {
                outcomes[i].message = QString::fromUtf8(FileNotExistMessage);
                continue;
            }
            if (!callbacks.load(path, lines, error)) {
                outcomes[i].message = error;
                continue;
            }
            // An empty file is reported and skipped; the batch goes on.
            if (!HasText(lines)) {
                outcomes[i].message = QString::fromUtf8(NoTextMessage);
                continue;
            }
            TMeasureRequest request;
            request.options = &options;
            request.batch.active = true;
            request.batch.name = BatchFileName(path);
            outcomes[i].measurement = MeasureLines(lines, engine, request);
        }
    };
    const int threads = std::clamp(jobs, 1, std::max<int>(1, static_cast<int>(outcomes.size())));
    std::vector<std::thread> pool;
    for (int t = 1; t < threads; ++t)
        pool.emplace_back(worker);
    worker();
    for (auto& thread : pool)
        thread.join();

    for (std::size_t i = 0; i < outcomes.size(); ++i) {
        FileOutcome& outcome = outcomes[i];
        if (!outcome.measurement) {
            if (callbacks.report)
                callbacks.report(files[static_cast<qsizetype>(i)], outcome.message);
            continue;
        }
        TMeasurement& m = *outcome.measurement;
        if (batch.measured == 0)
            batch.results.push_back(BatchHeader(m.totals, m.whole, options));
        for (auto& line : m.results)
            batch.results.push_back(line);
        ++batch.measured;
        batch.files.push_back(std::move(m));
        batch.measuredPaths << files[static_cast<qsizetype>(i)];
    }
    if (batch.measured > 0 && options.resultDisplay[display::Legend])
        AppendLegend(batch.results, options);
    return batch;
}

} // namespace pelmar
