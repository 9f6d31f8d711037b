#include "measure/MeasureText.h"

#include "engine/Bytes.h"
#include "engine/Pelgine.h"
#include "measure/LineStretch.h"
#include "measure/OrderedBlocks.h"
#include "measure/TextBlocks.h"

#include <memory>
#include <vector>

namespace pelmar {
namespace {

struct Block {
    std::string_view bytes; // its whole lines with their line ends
    std::size_t end = 0;    // offset in the text just after it
    TCp932Lines lines;
    TLinesFrom after; // the lines after the block
    std::vector<JoinKind> kinds;
    // Whether the block's last line joins the next line's first word, when the line before the
    // block did not join (0) and when it did (1).
    bool lastJoins[2] = {false, false};
    // Handed on in line order.
    bool joinedBefore = false;
    std::optional<TOpenUnits> openBefore;
    std::size_t firstLine = 0;
    // Made by finish.
    std::vector<std::uint8_t> joins;
    std::string rows;
    TStretchResult result;
};

class TextMeasurer {
public:
    TextMeasurer(std::string_view text, TextEncoding encoding, const TTextRequest& request)
        : m_text(text), m_encoding(encoding), m_request(request), m_options(*request.options),
          m_engines(static_cast<std::size_t>(std::max(1, request.jobs))) {
        for (auto& engine : m_engines) {
            engine = std::make_unique<TPelgine>();
            engine->Dictionary = request.wordData;
        }
    }

    TTextResult run() {
        TBlockSteps<Block> steps;
        steps.produce = [this](Block& b) { return produce(b); };
        steps.prepare = [this](Block& b, int) { prepare(b); };
        steps.link = [this](Block& b) { link(b); };
        steps.finish = [this](Block& b, int worker) { finish(b, *m_engines[static_cast<std::size_t>(worker)]); };
        steps.consume = [this](Block& b) { consume(b); };
        RunOrderedBlocks(static_cast<int>(m_engines.size()), steps);
        m_result.whole = ComputeWholeText(m_result.totals);
        return m_result;
    }

private:
    bool produce(Block& b) {
        if (m_produced >= m_text.size())
            return false;
        b.end = TextBlockEnd(m_text, m_produced, m_request.blockSize);
        b.bytes = m_text.substr(m_produced, b.end - m_produced);
        m_produced = b.end;
        return true;
    }

    // Reads the block's lines and how each takes part in joining hyphenated words.
    void prepare(Block& b) {
        b.lines.assign(b.bytes, m_encoding);
        b.after.reset(m_text, m_encoding, b.end);
        const auto lines = b.lines.lines();
        b.kinds.resize(lines.size());
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const auto next = i + 1 < lines.size() ? std::optional(lines[i + 1]) : b.after.line(0);
            b.kinds[i] = LineJoinKind(lines[i], next);
        }
        for (int before = 0; before < 2; ++before) {
            bool joined = before != 0;
            for (JoinKind kind : b.kinds)
                joined = Joins(kind, joined);
            b.lastJoins[before] = joined;
        }
    }

    void link(Block& b) {
        b.joinedBefore = m_joinedBefore;
        m_joinedBefore = b.lastJoins[m_joinedBefore ? 1 : 0];
        b.firstLine = m_linkedLines;
        m_linkedLines += b.lines.lines().size();
        // Only the text's first line knows what came before it: nothing.
        b.openBefore = b.firstLine == 0 ? std::optional(TOpenUnits{}) : std::nullopt;
    }

    void finish(Block& b, TPelgine& engine) {
        b.joins.resize(b.kinds.size());
        bool joined = b.joinedBefore;
        for (std::size_t i = 0; i < b.kinds.size(); ++i) {
            joined = Joins(b.kinds[i], joined);
            b.joins[i] = joined;
        }
        TLineStretch stretch;
        stretch.lines = b.lines.lines();
        stretch.joins = b.joins;
        stretch.joinedBefore = b.joinedBefore;
        stretch.openBefore = b.openBefore;
        stretch.after = [&b](std::size_t k) { return b.after.line(k); };
        b.rows.clear();
        b.result = MeasureStretch(stretch, engine, m_options,
                                  [&](std::size_t i, const TTextCounts& counts) {
                                      if (m_request.row)
                                          m_request.row(b.rows, b.firstLine + i + 1, counts);
                                      return true;
                                  });
    }

    void consume(Block& b) {
        // A blank first line carries what the block before left open, known only now.
        if (b.result.firstPending) {
            const TTextCounts counts = BlankLineCounts(m_openAfter, m_options);
            m_result.totals.add(counts);
            if (m_request.row) {
                m_pendingRow.clear();
                m_request.row(m_pendingRow, b.firstLine + 1, counts);
                m_request.write(m_pendingRow);
            }
        }
        if (!b.rows.empty())
            m_request.write(b.rows);
        m_result.totals.add(b.result.totals);
        m_openAfter = b.result.openAfter;
        m_result.lines += b.lines.lines().size();
    }

    const std::string_view m_text;
    const TextEncoding m_encoding;
    const TTextRequest& m_request;
    const TMeasureOptions& m_options;
    std::vector<std::unique_ptr<TPelgine>> m_engines; // one per thread
    std::size_t m_produced = 0;
    bool m_joinedBefore = false;
    std::size_t m_linkedLines = 0;
    TOpenUnits m_openAfter;
    std::string m_pendingRow;
    TTextResult m_result;
};

} // namespace

TTextResult MeasureText(std::string_view text, TextEncoding encoding, const TTextRequest& request) {
    return TextMeasurer(text, encoding, request).run();
}

bool TextHasContent(std::string_view text, TextEncoding encoding) {
    std::string converted;
    for (std::size_t start = 0; start < text.size();) {
        const TLineSpan span = lineAt(text, start);
        start = span.next;
        std::string_view line = span.line;
        if (!isAscii(line)) {
            converted.clear();
            appendLineToCp932(converted, line, encoding);
            line = converted;
        }
        if (!bytes::trimmed(line).empty())
            return true;
    }
    return false;
}

} // namespace pelmar
