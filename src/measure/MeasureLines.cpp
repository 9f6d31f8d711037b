#include "measure/MeasureLines.h"

#include "engine/Bytes.h"
#include "engine/Pelgine.h"

#include <chrono>

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

// The first character other than a blank on the lines after `from`, or 0 when there is none.
char firstCharacterAfter(const std::vector<std::string>& lines, std::size_t from) {
    for (std::size_t k = from + 1; k < lines.size(); ++k) {
        for (char c : lines[k]) {
            if (c != ' ')
                return c;
        }
    }
    return '\0';
}

// A word broken over the line end ("infor-" + "mation is") is joined on the first line; the next
// line keeps what follows the joined part.
void joinHyphenatedWord(std::string& line, std::vector<std::string>& lines, std::size_t i) {
    if (line.size() < 2 || i + 1 >= lines.size() || line.back() != '-' ||
        !isAsciiLetter(line[line.size() - 2]))
        return;
    std::string next(bytes::trimmed(lines[i + 1]));
    if (next.empty() || !isAsciiLetter(next.front()))
        return;
    next += ' ';
    const std::size_t space = next.find(' ');
    lines[i + 1] = next.substr(space + 1);
    line.pop_back();
    line.append(next, 0, space);
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
    if (request.keepLineCounts)
        m.lines.reserve(lines.size());
    if (!lines.empty() && normal) {
        std::string header = LineHeader(options);
        if (!header.empty())
            m.results.push_back(std::move(header));
    }

    bool openSentence = false, openClause = false, openPhrase = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string line(bytes::trimmed(lines[i]));
        TTextCounts work;
        TLineCounts kept;

        if (!blankLinesPassed && line.empty()) {
            // A blank line closes what the line before left open, and carries only that.
            work.Sentences = openSentence;
            work.Clauses = openClause;
            work.Phrases = openPhrase;
            openSentence = openClause = openPhrase = false;
        } else {
            joinHyphenatedWord(line, lines, i);
            engine.Clear();
            engine.HyphenJoins = options.conditions[condition::HyphenJoins];
            engine.LowerStartAllowed = options.conditions[condition::LowerStart];
            engine.Text = std::move(line);
            engine.Analyze();
            work.Sentences = engine.Sentences;
            work.Clauses = engine.Clauses;
            work.Phrases = engine.Phrases;
            work.Words = engine.Words;
            work.Syllables = engine.Syllables;
            work.Syllable1Words = engine.Syllable1Words;
            work.Syllable3Words = engine.Syllable3Words;
            work.Consonants = engine.Consonants;
            work.Letters = engine.Letters;
            openSentence = engine.OpenSentence;
            openClause = engine.OpenClause;
            openPhrase = engine.OpenPhrase;
            kept.openSentence = openSentence;
            kept.openClause = openClause;
            kept.openPhrase = openPhrase;

            if (lineBreakEnds) {
                work.Sentences += openSentence;
                work.Clauses += openClause;
                work.Phrases += openPhrase;
                openSentence = openClause = openPhrase = false;
            } else if (openSentence) {
                const char ch = firstCharacterAfter(lines, i);
                const bool isLast = i + 1 == lines.size();
                if (ch != '\0') {
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
        if (normal)
            if (std::string row = LineRow(static_cast<int>(i) + 1, work, options); !row.empty())
                m.results.push_back(std::move(row));
        if (request.keepLineCounts) {
            kept.counts = work;
            m.lines.push_back(kept);
        }

        if (request.progress) {
            const auto elapsed = std::chrono::duration_cast<std::chrono::seconds>(
                                     std::chrono::steady_clock::now() - start)
                                     .count();
            if (!request.progress(static_cast<int>(i), elapsed)) {
                m.results.emplace_back(CanceledText);
                m.canceled = true;
                return m;
            }
        }
    }

    m.whole = ComputeWholeText(m.totals);
    if (normal) {
        if (options.resultDisplay[display::Total]) {
            if (!lines.empty())
                m.results.push_back(TrimCells(TotalHeader(options)));
            m.results.push_back(TrimCells(TotalRow("total", m.totals, options)));
        }
        if (options.resultDisplay[display::Summary] && m.totals.Sentences > 0)
            AppendSummary(m.results, m.totals, m.whole, options);
    } else {
        // A batch row stays untrimmed: its trailing TAB leaves an empty cell before the
        // index columns.
        std::string header;
        std::string row = options.resultDisplay[display::Total]
                              ? TotalRow(request.batch.name, m.totals, options)
                              : std::string();
        AppendBatchIndexCells(header, row, m.totals, m.whole, options);
        if (request.batch.first)
            m.results.push_back(BatchHeader(m.totals, m.whole, options));
        m.results.push_back(std::move(row));
    }
    if (options.resultDisplay[display::Legend] && (normal || request.batch.last))
        AppendLegend(m.results, options);
    return m;
}

} // namespace pelmar
