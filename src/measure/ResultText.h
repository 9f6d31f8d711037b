#pragma once

#include "engine/TextCounts.h"
#include "measure/Formulas.h"
#include "measure/MeasureOptions.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace pelmar {

// The result text: tab-separated UTF-8 lines, shown in the output pane and copied for pasting
// into a spreadsheet. Most lines are built with a TAB after every cell and then trimmed.
using ResultLines = std::vector<std::string>;

inline constexpr std::string_view CanceledText = "CANCELED";

namespace detail {
// "%.1F" and "%.2F" of a single-precision value, rounding half away from zero on its exact
// value (exact here because a float times 100 is exact in double precision).
void appendFixed1(std::string& out, float value);
void appendFixed2(std::string& out, float value);
// "%.1F" of tenths / 10.
void appendTenths(std::string& out, std::int32_t tenths);
} // namespace detail

// Removes leading and trailing bytes up to and including the blank (so a final TAB goes).
[[nodiscard]] std::string TrimCells(std::string line);

[[nodiscard]] std::string LineHeader(const TMeasureOptions& options);
[[nodiscard]] std::string LineRow(int lineNumber, const TTextCounts& line,
                                  const TMeasureOptions& options);
// The same row appended to `out` (which the caller may reuse), already trimmed.
void AppendLineRow(std::string& out, int lineNumber, const TTextCounts& line,
                   const TMeasureOptions& options);
// Untrimmed: a batch keeps it and appends index columns.
[[nodiscard]] std::string TotalHeader(const TMeasureOptions& options);
[[nodiscard]] std::string TotalRow(std::string_view firstCell, const TTextCounts& totals,
                                   const TMeasureOptions& options);
void AppendSummary(ResultLines& out, const TTextCounts& totals, const TWholeTextValues& whole,
                   const TMeasureOptions& options);
// Index columns of a batch row (and of the first file's header, while it is not empty).
void AppendBatchIndexCells(std::string& header, std::string& row, const TTextCounts& totals,
                           const TWholeTextValues& whole, const TMeasureOptions& options);
// The header the first measured file of a batch writes above all rows.
[[nodiscard]] std::string BatchHeader(const TTextCounts& totals, const TWholeTextValues& whole,
                                      const TMeasureOptions& options);
void AppendLegend(ResultLines& out, const TMeasureOptions& options);

// What the copy command puts on the clipboard: the whole text, trimmed, with "\n" line ends.
[[nodiscard]] std::string CopyText(const ResultLines& lines);

// The same text made while it comes, line by line or in pieces of any size: blanks (bytes up to
// the space) at either end of the whole text are dropped, everything between is kept as it is.
// `write` receives the pieces in order.
class CopyTextWriter {
public:
    explicit CopyTextWriter(std::function<void(std::string_view)> write)
        : m_write(std::move(write)) {}
    // One line of the result text; lines are joined by "\n".
    void add(std::string_view line) {
        write(line);
        write("\n");
    }
    // Any run of the text's bytes.
    void write(std::string_view piece);
    // Drops the blanks held at the end; nothing follows the last byte written (no line end).
    void finish();
    // Whether anything has been written.
    [[nodiscard]] bool started() const { return m_started; }

private:
    std::function<void(std::string_view)> m_write;
    bool m_started = false;
    std::string m_blanks; // blanks after the latest content, held until content follows
};

// The status bar after a finished measurement.
[[nodiscard]] std::string FinishedStatusText(const TTextCounts& totals);
// "mm:ss" of the elapsed seconds.
[[nodiscard]] std::string ElapsedText(long long seconds);

} // namespace pelmar
