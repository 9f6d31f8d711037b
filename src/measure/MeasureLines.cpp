#include "measure/MeasureLines.h"

#include "measure/LineStretch.h"

#include <chrono>
#include <string_view>

namespace pelmar {

TMeasurement MeasureLines(const std::vector<std::string>& lines, TPelgine& engine,
                          const TMeasureRequest& request) {
    const TMeasureOptions& options = *request.options;
    const bool normal = !request.batch.active;
    const auto start = std::chrono::steady_clock::now();

    TMeasurement m;
    const std::function<void(std::string&&)> emit = [&](std::string&& line) {
        if (request.sink)
            request.sink(line);
        else
            m.results.push_back(std::move(line));
    };
    std::string lineRow; // reused for every line row
    if (request.keepLineCounts)
        m.lines.reserve(lines.size());
    if (!lines.empty() && normal) {
        std::string header = LineHeader(options);
        if (!header.empty())
            emit(std::move(header));
    }

    const std::vector<std::string_view> views(lines.begin(), lines.end());
    const std::vector<std::uint8_t> joins = FindJoins(views);
    TLineStretch stretch;
    stretch.lines = views;
    stretch.joins = joins;
    const TStretchResult result =
        MeasureStretch(stretch, engine, options, [&](std::size_t i, const TTextCounts& work) {
            if (normal) {
                lineRow.clear();
                AppendLineRow(lineRow, static_cast<int>(i) + 1, work, options);
                if (!lineRow.empty()) {
                    if (request.sink)
                        request.sink(lineRow);
                    else
                        m.results.push_back(lineRow);
                }
            }
            if (request.keepLineCounts)
                m.lines.push_back(work);
            if (!request.progress)
                return true;
            const auto elapsed = std::chrono::duration_cast<std::chrono::seconds>(
                                     std::chrono::steady_clock::now() - start)
                                     .count();
            return request.progress(static_cast<int>(i), elapsed);
        });
    if (result.stopped) {
        emit(std::string(CanceledText));
        m.canceled = true;
        return m;
    }
    m.totals = result.totals;

    m.whole = ComputeWholeText(m.totals);
    EmitClosingSections(options, request.batch, !lines.empty(), m.totals, m.whole, emit);
    return m;
}

void EmitClosingSections(const TMeasureOptions& options, const TBatchContext& batch, bool anyLine,
                         const TTextCounts& totals, const TWholeTextValues& whole,
                         const std::function<void(std::string&&)>& emit) {
    if (!batch.active) {
        if (options.resultDisplay[display::Total]) {
            if (anyLine)
                emit(TrimCells(TotalHeader(options)));
            emit(TrimCells(TotalRow("total", totals, options)));
        }
        if (options.resultDisplay[display::Summary] && totals.Sentences > 0) {
            ResultLines summary;
            AppendSummary(summary, totals, whole, options);
            for (auto& line : summary)
                emit(std::move(line));
        }
    } else {
        // A batch row stays untrimmed: its trailing TAB leaves an empty cell before the
        // index columns.
        std::string header;
        std::string row = options.resultDisplay[display::Total]
                              ? TotalRow(batch.name, totals, options)
                              : std::string();
        AppendBatchIndexCells(header, row, totals, whole, options);
        if (batch.first)
            emit(BatchHeader(totals, whole, options));
        emit(std::move(row));
    }
    if (options.resultDisplay[display::Legend] && (!batch.active || batch.last)) {
        ResultLines legend;
        AppendLegend(legend, options);
        for (auto& line : legend)
            emit(std::move(line));
    }
}

} // namespace pelmar
