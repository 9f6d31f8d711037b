#pragma once

#include "engine/TextCounts.h"
#include "measure/Formulas.h"
#include "measure/MeasureOptions.h"
#include "measure/TextBlocks.h"
#include "platform/TextFile.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace pelmar {

class TDataFile;

// Appends one line's row to `out`, with its line end when it writes one. Called on any of the
// measuring threads, so it must not touch shared state.
using RowFormatter =
    std::function<void(std::string& out, std::size_t lineNumber, const TTextCounts& counts)>;

struct TTextRequest {
    const TMeasureOptions* options = nullptr;
    const TDataFile* wordData = nullptr;
    int jobs = 1;
    std::size_t blockSize = TextBlockSize; // about how many bytes each block of lines holds
    RowFormatter row; // empty: no rows are made
    // Receives the rows in line order, piece by piece, on the calling thread.
    std::function<void(std::string_view piece)> write;
};

struct TTextResult {
    TTextCounts totals;
    TWholeTextValues whole;
    std::size_t lines = 0;
};

// Measures a whole text (a file's lines as textFileBody gives them, in its encoding) with the
// counts and rows MeasureLines gives for the same lines, but in blocks of lines on `jobs`
// threads: the rules across line breaks are worked out at the blocks' edges and the totals are
// added in line order. Rows are written as the blocks finish, so a long text never needs its
// whole result in memory.
[[nodiscard]] TTextResult MeasureText(std::string_view text, TextEncoding encoding,
                                      const TTextRequest& request);

// Whether any line of the text holds something other than blanks and control characters once
// read as the engine reads it.
[[nodiscard]] bool TextHasContent(std::string_view text, TextEncoding encoding);

} // namespace pelmar
