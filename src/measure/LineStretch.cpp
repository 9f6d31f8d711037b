#include "measure/LineStretch.h"

#include "engine/Bytes.h"
#include "engine/Pelgine.h"

namespace pelmar {
namespace {

[[nodiscard]] bool isAsciiLetter(char c) { return bytes::isUpper(c) || bytes::isLowerLetter(c); }

// What a line keeps after the line before took its first word: everything after the first
// blank, or nothing when it was one word.
[[nodiscard]] std::string_view afterFirstWord(std::string_view trimmedLine) {
    const std::size_t blank = trimmedLine.find(' ');
    return blank == std::string_view::npos ? std::string_view() : trimmedLine.substr(blank + 1);
}

[[nodiscard]] std::string_view firstWord(std::string_view trimmedLine) {
    return trimmedLine.substr(0, trimmedLine.find(' '));
}

// A line's line-by-line counts after the rules across line breaks, as one pass over a stretch.
class StretchPass {
public:
    StretchPass(const TLineStretch& stretch, TPelgine& engine, const TMeasureOptions& options)
        : m_stretch(stretch), m_engine(engine), m_options(options),
          m_lineBreakEnds(options.conditions[condition::LineBreakEnds]),
          m_blankLinesPassed(options.conditions[condition::BlankLinesPassed]) {}

    TStretchResult run(const StretchLineCallback& callback) {
        TStretchResult result;
        std::optional<TOpenUnits> open = m_stretch.openBefore;
        const std::size_t count = m_stretch.lines.size();
        for (std::size_t i = 0; i < count; ++i) {
            const bool joinedBefore = i == 0 ? m_stretch.joinedBefore : m_stretch.joins[i - 1] != 0;
            const std::string_view whole = bytes::trimmed(m_stretch.lines[i]);
            const std::string_view line =
                joinedBefore ? bytes::trimmed(afterFirstWord(whole)) : whole;
            TTextCounts work;
            if (!m_blankLinesPassed && line.empty()) {
                // A blank line closes what the line before left open, and carries only that.
                if (!open) {
                    result.firstPending = true;
                    open = TOpenUnits{};
                    continue;
                }
                work = BlankLineCounts(*open, m_options);
                *open = TOpenUnits{};
            } else {
                work = measureLine(i, line);
                open = m_open;
                if (!m_options.conditions[condition::SemicolonKeeps])
                    work.Sentences = work.Clauses; // a semicolon ends a sentence too
            }
            result.totals.add(work);
            if (!callback(i, work)) {
                result.stopped = true;
                return result;
            }
        }
        result.openAfter = open.value_or(TOpenUnits{});
        return result;
    }

private:
    // Line k of the text counted from the stretch's first line, as it stands; nothing past the
    // text's end.
    std::optional<std::string_view> lineAt(std::size_t k) const {
        if (k < m_stretch.lines.size())
            return m_stretch.lines[k];
        if (!m_stretch.after)
            return std::nullopt;
        return m_stretch.after(k - m_stretch.lines.size());
    }

    bool joins(std::size_t i) const { return m_stretch.joins[i] != 0; }

    // The engine's counts of a line that is not blank, with the repairs across its line end;
    // leaves what it keeps open in m_open.
    TTextCounts measureLine(std::size_t i, std::string_view line) {
        m_engine.Clear();
        m_engine.HyphenJoins = m_options.conditions[condition::HyphenJoins];
        m_engine.LowerStartAllowed = m_options.conditions[condition::LowerStart];
        // Assigned, not moved in, so the engine keeps reusing its text buffer.
        if (joins(i)) {
            m_engine.Text.assign(line.substr(0, line.size() - 1));
            m_engine.Text.append(firstWord(bytes::trimmed(*lineAt(i + 1))));
        } else {
            m_engine.Text.assign(line);
        }
        m_engine.Analyze();
        TTextCounts work = m_engine.Statistics();
        m_open = {work.OpenSentence, work.OpenClause, work.OpenPhrase};

        if (m_lineBreakEnds) {
            work.Sentences += m_open.sentence;
            work.Clauses += m_open.clause;
            work.Phrases += m_open.phrase;
            m_open = {};
        } else if (m_open.sentence) {
            if (const std::optional<char> next = firstCharacterAfter(i)) {
                // Punctuation that starts the next line closes what this one left open; a
                // letter continues the sentence, which is counted where it ends.
                const char ch = *next;
                if (m_open.phrase && !(isAsciiLetter(ch) || bytes::isDigit(ch))) {
                    ++work.Phrases;
                    m_open.phrase = false;
                }
                if (ch == '.' || ch == '!' || ch == '?' || ch == ';') {
                    ++work.Clauses;
                    m_open.clause = false;
                }
                if (ch == '.' || ch == '!' || ch == '?') {
                    ++work.Sentences;
                    m_open.sentence = false;
                }
            } else if (!lineAt(i + 1) || m_blankLinesPassed) {
                // Nothing follows that could close it (passed blank lines close nothing).
                ++work.Sentences;
                work.Clauses += m_open.clause;
                work.Phrases += m_open.phrase;
                m_open = {};
            }
        }
        return work;
    }

    // The first character other than a blank on the lines after line i: the next line as line
    // i's join left it, then the lines after it as they stand (only a line that joined changes
    // the line after it, and a line of blanks joins nothing). Any other byte counts, a NUL as
    // much as a TAB: a line that holds only a control character is no empty line here, though
    // trimming makes it a blank line when its turn comes.
    std::optional<char> firstCharacterAfter(std::size_t i) const {
        for (std::size_t k = i + 1;; ++k) {
            const std::optional<std::string_view> text = lineAt(k);
            if (!text)
                return std::nullopt;
            const std::string_view rest =
                k == i + 1 && joins(i) ? afterFirstWord(bytes::trimmed(*text)) : *text;
            for (char c : rest) {
                if (c != ' ')
                    return c;
            }
        }
    }

    const TLineStretch& m_stretch;
    TPelgine& m_engine;
    const TMeasureOptions& m_options;
    const bool m_lineBreakEnds;
    const bool m_blankLinesPassed;
    TOpenUnits m_open;
};

} // namespace

JoinKind LineJoinKind(std::string_view line, std::optional<std::string_view> next) {
    const std::string_view t = bytes::trimmed(line);
    if (t.size() < 2 || t.back() != '-' || !isAsciiLetter(t[t.size() - 2]) || !next)
        return JoinKind::Never;
    const std::string_view n = bytes::trimmed(*next);
    if (n.empty() || !isAsciiLetter(n.front()))
        return JoinKind::Never;
    return t.find(' ') == std::string_view::npos ? JoinKind::UnlessJoined : JoinKind::Always;
}

std::vector<std::uint8_t> FindJoins(std::span<const std::string_view> lines) {
    std::vector<std::uint8_t> joins(lines.size());
    bool joinedBefore = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::optional<std::string_view> next =
            i + 1 < lines.size() ? std::optional(lines[i + 1]) : std::nullopt;
        joinedBefore = Joins(LineJoinKind(lines[i], next), joinedBefore);
        joins[i] = joinedBefore;
    }
    return joins;
}

TTextCounts BlankLineCounts(const TOpenUnits& open, const TMeasureOptions& options) {
    TTextCounts work;
    work.Sentences = open.sentence;
    work.Clauses = open.clause;
    work.Phrases = open.phrase;
    if (!options.conditions[condition::SemicolonKeeps])
        work.Sentences = work.Clauses;
    return work;
}

TStretchResult MeasureStretch(const TLineStretch& stretch, TPelgine& engine,
                              const TMeasureOptions& options, const StretchLineCallback& line) {
    return StretchPass(stretch, engine, options).run(line);
}

} // namespace pelmar
