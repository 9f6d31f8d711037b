#include "measure/MeasureLines.h"

#include "engine/Bytes.h"
#include "engine/Pelgine.h"

#include <chrono>
#include <optional>

namespace pelmar {
namespace {

[[nodiscard]] bool isAsciiLetter(char c) { return bytes::isUpper(c) || bytes::isLowerLetter(c); }

void add(TTextCounts& totals, const TTextCounts& line) {
    totals.Sentences += line.Sentences;
    totals.Clauses += line.Clauses;
    totals.Phrases += line.Phrases;
    totals.Words += line.Words;
    totals.Syllables += line.Syllables;
    totals.Syllable1Words += line.Syllable1Words;
    totals.Syllable3Words += line.Syllable3Words;
    totals.Consonants += line.Consonants;
    totals.Letters += line.Letters;
}

// The first character other than a blank on the lines after `from`, if there is one. Any other
// byte counts, a NUL as much as a TAB: a line that holds only a control character is no empty
// line here, though trimming makes it a blank line when its turn comes.
std::optional<char> firstCharacterAfter(const std::vector<std::string>& lines, std::size_t from) {
    for (std::size_t k = from + 1; k < lines.size(); ++k) {
        for (char c : lines[k]) {
            if (c != ' ')
                return c;
        }
    }
    return std::nullopt;
}

// A word broken over the line end ("infor-" + "mation is") is joined on the first line; the next
// line keeps what follows the joined part. Returns whether it joined.
bool joinHyphenatedWord(std::string_view line, std::vector<std::string>& lines, std::size_t i,
                        std::string& joined) {
    if (line.size() < 2 || i + 1 >= lines.size() || line.back() != '-' ||
        !isAsciiLetter(line[line.size() - 2]))
        return false;
    std::string next(bytes::trimmed(lines[i + 1]));
    if (next.empty() || !isAsciiLetter(next.front()))
        return false;
    next += ' ';
    const std::size_t space = next.find(' ');
    joined.assign(line.substr(0, line.size() - 1));
    joined.append(next, 0, space);
    lines[i + 1] = next.substr(space + 1);
    return true;
}

} // namespace

TMeasurement MeasureLines(std::vector<std::string>& lines, TPelgine& engine,
                          const TMeasureRequest& request) {
    const TMeasureOptions& options = *request.options;
    const bool normal = !request.batch.active;
    const bool lineBreakEnds = options.conditions[condition::LineBreakEnds];
    const bool blankLinesPassed = options.conditions[condition::BlankLinesPassed];
    const bool semicolonKeeps = options.conditions[condition::SemicolonKeeps];
    const auto start = std::chrono::steady_clock::now();

    TMeasurement m;
    auto emit = [&](std::string&& line) {
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

    bool openSentence = false, openClause = false, openPhrase = false;
    std::string joined;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = bytes::trimmed(lines[i]);
        TTextCounts work;

        if (!blankLinesPassed && line.empty()) {
            // A blank line closes what the line before left open, and carries only that.
            work.Sentences = openSentence;
            work.Clauses = openClause;
            work.Phrases = openPhrase;
            openSentence = openClause = openPhrase = false;
        } else {
            engine.Clear();
            engine.HyphenJoins = options.conditions[condition::HyphenJoins];
            engine.LowerStartAllowed = options.conditions[condition::LowerStart];
            // Assigned, not moved in, so the engine keeps reusing its text buffer.
            if (joinHyphenatedWord(line, lines, i, joined))
                engine.Text.assign(joined);
            else
                engine.Text.assign(line);
            engine.Analyze();
            work = engine.Statistics();
            openSentence = work.OpenSentence;
            openClause = work.OpenClause;
            openPhrase = work.OpenPhrase;

            if (lineBreakEnds) {
                work.Sentences += openSentence;
                work.Clauses += openClause;
                work.Phrases += openPhrase;
                openSentence = openClause = openPhrase = false;
            } else if (openSentence) {
                const std::optional<char> next = firstCharacterAfter(lines, i);
                const bool isLast = i + 1 == lines.size();
                if (next) {
                    const char ch = *next;
                    // Punctuation that starts the next line closes what this one left open; a
                    // letter continues the sentence, which is counted where it ends.
                    if (openPhrase && !(isAsciiLetter(ch) || bytes::isDigit(ch))) {
                        ++work.Phrases;
                        openPhrase = false;
                    }
                    if (ch == '.' || ch == '!' || ch == '?' || ch == ';') {
                        ++work.Clauses;
                        openClause = false;
                    }
                    if (ch == '.' || ch == '!' || ch == '?') {
                        ++work.Sentences;
                        openSentence = false;
                    }
                } else if (isLast || blankLinesPassed) {
                    // Nothing follows that could close it (passed blank lines close nothing).
                    ++work.Sentences;
                    work.Clauses += openClause;
                    work.Phrases += openPhrase;
                    openSentence = openClause = openPhrase = false;
                }
            }
        }

        if (!semicolonKeeps)
            work.Sentences = work.Clauses; // a semicolon ends a sentence as well as a clause
        add(m.totals, work);
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

        if (request.progress) {
            const auto elapsed = std::chrono::duration_cast<std::chrono::seconds>(
                                     std::chrono::steady_clock::now() - start)
                                     .count();
            if (!request.progress(static_cast<int>(i), elapsed)) {
                emit(std::string(CanceledText));
                m.canceled = true;
                return m;
            }
        }
    }

    m.whole = ComputeWholeText(m.totals);
    if (normal) {
        if (options.resultDisplay[display::Total]) {
            if (!lines.empty())
                emit(TrimCells(TotalHeader(options)));
            emit(TrimCells(TotalRow("total", m.totals, options)));
        }
        if (options.resultDisplay[display::Summary] && m.totals.Sentences > 0) {
            ResultLines summary;
            AppendSummary(summary, m.totals, m.whole, options);
            for (auto& line : summary)
                emit(std::move(line));
        }
    } else {
        // A batch row stays untrimmed: its trailing TAB leaves an empty cell before the
        // index columns.
        std::string header;
        std::string row = options.resultDisplay[display::Total]
                              ? TotalRow(request.batch.name, m.totals, options)
                              : std::string();
        AppendBatchIndexCells(header, row, m.totals, m.whole, options);
        if (request.batch.first)
            emit(BatchHeader(m.totals, m.whole, options));
        emit(std::move(row));
    }
    if (options.resultDisplay[display::Legend] && (normal || request.batch.last)) {
        ResultLines legend;
        AppendLegend(legend, options);
        for (auto& line : legend)
            emit(std::move(line));
    }
    return m;
}

} // namespace pelmar
