#pragma once

#include "engine/TextCounts.h"
#include "measure/Formulas.h"
#include "measure/MeasureOptions.h"
#include "measure/ResultText.h"

#include <functional>
#include <string>
#include <vector>

namespace pelmar {

class TPelgine;

// Called after every line with its index and the seconds since the run began; false stops the
// run. The window pumps its events and maps its stop button through it.
using MeasureProgress = std::function<bool(int lineIndex, long long elapsedSeconds)>;

// Where a run stands in a dropped-file batch. Outside a batch (`active` false) the run writes
// the line header and rows, the total section and the summary; in a batch it writes only the
// file's row, under the header the first measured file writes, and the legend after the last.
struct TBatchContext {
    bool active = false;
    bool first = false;
    bool last = false;
    std::string name; // the file's name without folder and extension, UTF-8
};

struct TMeasurement {
    ResultLines results; // empty when the request streams them to a sink
    bool canceled = false;
    TTextCounts totals;
    TWholeTextValues whole;
    // Each line's counts as its row shows them (after the repairs across line breaks), with the
    // open flags as the engine left them; filled only when asked for.
    std::vector<TTextCounts> lines;
};

struct TMeasureRequest {
    const TMeasureOptions* options = nullptr;
    TBatchContext batch;
    MeasureProgress progress;  // may be empty: the run always goes on
    bool keepLineCounts = false;
    // When set, every result line goes here as it is made instead of into `results`, so a long
    // text need not hold its whole result in memory.
    std::function<void(std::string_view line)> sink;
};

// Measures the lines (CP932 bytes, no line ends) one by one with the engine, repairing
// sentence, clause and phrase counts across line breaks: a word hyphenated over a line end is
// counted on its first line and the next line keeps the rest. One thread, in line order, with
// progress and stop after every line.
[[nodiscard]] TMeasurement MeasureLines(const std::vector<std::string>& lines, TPelgine& engine,
                                        const TMeasureRequest& request);

// The sections after the line rows, as a run writes them when it is not stopped: the total
// section and summary (or, in a batch, the file's row), then the legend. `anyLine`: the text had
// at least one line.
void EmitClosingSections(const TMeasureOptions& options, const TBatchContext& batch, bool anyLine,
                         const TTextCounts& totals, const TWholeTextValues& whole,
                         const std::function<void(std::string&&)>& emit);

} // namespace pelmar
