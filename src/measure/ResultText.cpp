#include "measure/ResultText.h"

#include "measure/Vocabulary.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace pelmar {
namespace {

constexpr char Tab = '\t';

void appendInt(std::string& out, long long value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

void appendCell(std::string& out, long long value) {
    appendInt(out, value);
    out += Tab;
}

void appendCell(std::string& out, std::string_view text) {
    out += text;
    out += Tab;
}

// The rounded value scaled by 10^decimals, half away from zero; `scaled` is exact.
void appendScaled(std::string& out, double scaled, int decimals) {
    const bool negative = std::signbit(scaled);
    const double magnitude = std::floor(std::fabs(scaled) + 0.5);
    long long whole = static_cast<long long>(magnitude);
    long long divisor = decimals == 1 ? 10 : 100;
    if (negative && whole != 0) // a value that rounds to zero is shown as zero
        out += '-';
    appendInt(out, whole / divisor);
    out += '.';
    const long long fraction = whole % divisor;
    if (decimals == 2 && fraction < 10)
        out += '0';
    appendInt(out, fraction);
}

// Line-row columns in their order, with the result-display position that switches each on.
struct Column {
    int position;
    std::string_view header;
    int countPosition; // column position of the count, -1 for the line number
};
constexpr Column kLineColumns[] = {
    {display::No, "No", -1},           {display::Sentences, "sent.", 0},
    {display::Phrases, "phrase", 2},   {display::Words, "words", 3},
    {display::Syllables, "sylla.", 4}, {display::Consonants, "cons.", 7},
    {display::Syllable1, "1 syl", 5},  {display::Syllable3, "3+syl", 6},
    {display::Letters, "letters", 8},
};

std::string_view indexKey(int index) { return vocab::ColumnKeys[static_cast<std::size_t>(index + 9)]; }

} // namespace

namespace detail {

void appendFixed1(std::string& out, float value) {
    if (!std::isfinite(value)) {
        char buffer[16];
        const int n = std::snprintf(buffer, sizeof buffer, "%.1f", double(value));
        out.append(buffer, static_cast<std::size_t>(n));
        return;
    }
    appendScaled(out, double(value) * 10.0, 1);
}

void appendFixed2(std::string& out, float value) {
    if (!std::isfinite(value)) {
        char buffer[16];
        const int n = std::snprintf(buffer, sizeof buffer, "%.2f", double(value));
        out.append(buffer, static_cast<std::size_t>(n));
        return;
    }
    appendScaled(out, double(value) * 100.0, 2);
}

void appendTenths(std::string& out, std::int32_t tenths) {
    if (tenths < 0)
        out += '-';
    const long long magnitude = std::llabs(static_cast<long long>(tenths));
    appendInt(out, magnitude / 10);
    out += '.';
    appendInt(out, magnitude % 10);
}

} // namespace detail

std::string TrimCells(std::string line) {
    std::size_t end = line.size();
    while (end > 0 && static_cast<unsigned char>(line[end - 1]) <= 0x20)
        --end;
    std::size_t begin = 0;
    while (begin < end && static_cast<unsigned char>(line[begin]) <= 0x20)
        ++begin;
    line.resize(end);
    line.erase(0, begin);
    return line;
}

std::string LineHeader(const TMeasureOptions& options) {
    std::string header;
    for (const Column& column : kLineColumns) {
        if (options.resultDisplay[column.position])
            appendCell(header, column.header);
    }
    for (int i = 0; i < IndexCount; ++i) {
        if (options.readability[i])
            appendCell(header, indexKey(i));
    }
    return TrimCells(std::move(header));
}

std::string LineRow(int lineNumber, const TTextCounts& line, const TMeasureOptions& options) {
    std::string row;
    row.reserve(96);
    for (const Column& column : kLineColumns) {
        if (!options.resultDisplay[column.position])
            continue;
        appendCell(row, column.countPosition < 0 ? lineNumber : line.count(column.countPosition));
    }
    for (int i = 0; i < IndexCount; ++i) {
        if (!options.readability[i])
            continue;
        if (const auto value = LineIndex(static_cast<ReadabilityIndex>(i), line))
            detail::appendFixed1(row, *value);
        else
            row += '-';
        row += Tab;
    }
    return TrimCells(std::move(row));
}

std::string TotalHeader(const TMeasureOptions& options) {
    std::string header;
    appendCell(header, "No");
    appendCell(header, "sent.");
    if (options.clauseColumns())
        appendCell(header, "clau.");
    for (std::string_view cell : {"phrase", "words", "sylla.", "1 syl", "3+syl", "consonants", "letters"})
        appendCell(header, cell);
    return header;
}

std::string TotalRow(std::string_view firstCell, const TTextCounts& totals,
                     const TMeasureOptions& options) {
    std::string row;
    appendCell(row, firstCell);
    appendCell(row, totals.Sentences);
    if (options.clauseColumns())
        appendCell(row, totals.Clauses);
    for (int position : {2, 3, 4, 5, 6, 7, 8})
        appendCell(row, totals.count(position));
    return row;
}

void AppendSummary(ResultLines& out, const TTextCounts& totals, const TWholeTextValues& whole,
                   const TMeasureOptions& options) {
    const bool clauses = options.clauseColumns();
    out.emplace_back();
    auto countLine = [&](std::string_view name, long long value) {
        std::string line(name);
        line += Tab;
        appendInt(line, value);
        out.push_back(std::move(line));
    };
    countLine("Sentence Count", totals.Sentences);
    if (clauses)
        countLine("Clause Count", totals.Clauses);
    countLine("Phrase Count", totals.Phrases);
    countLine("Word Count", totals.Words);
    countLine("Syllable Count", totals.Syllables);
    countLine("1 Syllable Count", totals.Syllable1Words);
    countLine("3+ Syllable Count", totals.Syllable3Words);
    countLine("Consonant Count", totals.Consonants);
    countLine("Letter Count", totals.Letters);

    out.emplace_back();
    auto ratioLine = [&](int position) {
        std::string line(vocab::RatioNames[static_cast<std::size_t>(position - 22)]);
        line += Tab;
        detail::appendFixed2(line, whole.ratios.byPosition(position));
        out.push_back(std::move(line));
    };
    ratioLine(22); // WPS
    if (clauses)
        ratioLine(23); // WPC
    ratioLine(24);     // WPP
    ratioLine(25);     // SyPW
    ratioLine(26);     // PSy3
    ratioLine(27);     // LPW
    ratioLine(28);     // CIV
    if (clauses)
        ratioLine(30); // CPS
    ratioLine(31);     // PPS
    ratioLine(32);     // Sy3PP

    out.emplace_back();
    for (int i = 0; i < IndexCount; ++i) {
        if (!options.readability[i])
            continue;
        std::string line(vocab::IndexNames[static_cast<std::size_t>(i)]);
        line += Tab;
        detail::appendTenths(line, whole.tenths[static_cast<std::size_t>(i)]);
        out.push_back(std::move(line));
    }
}

void AppendBatchIndexCells(std::string& header, std::string& row, const TTextCounts& totals,
                           const TWholeTextValues& whole, const TMeasureOptions& options) {
    if (!options.resultDisplay[display::Summary] || totals.Sentences <= 0)
        return;
    for (int i = 0; i < IndexCount; ++i) {
        if (!options.readability[i])
            continue;
        if (!header.empty()) {
            header += Tab;
            header += indexKey(i);
        }
        row += Tab;
        detail::appendTenths(row, whole.tenths[static_cast<std::size_t>(i)]);
    }
}

std::string BatchHeader(const TTextCounts& totals, const TWholeTextValues& whole,
                        const TMeasureOptions& options) {
    std::string header = options.resultDisplay[display::Total] ? TotalHeader(options) : std::string();
    std::string unusedRow;
    AppendBatchIndexCells(header, unusedRow, totals, whole, options);
    return header;
}

void AppendLegend(ResultLines& out, const TMeasureOptions& options) {
    out.emplace_back();
    for (int position = 0; position < 9; ++position) {
        if (position == 1 && !options.clauseColumns())
            continue;
        std::string line(vocab::ColumnKeys[static_cast<std::size_t>(position)]);
        line += Tab;
        line += vocab::CountNames[static_cast<std::size_t>(position)];
        out.push_back(std::move(line));
    }
    for (int i = 0; i < IndexCount; ++i) {
        std::string line(indexKey(i));
        line += Tab;
        line += vocab::IndexNames[static_cast<std::size_t>(i)];
        out.push_back(std::move(line));
    }
}

std::string CopyText(const ResultLines& lines) {
    std::size_t size = 0;
    for (const auto& line : lines)
        size += line.size() + 1;
    std::string text;
    text.reserve(size);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            text += '\n';
        text += lines[i];
    }
    return TrimCells(std::move(text));
}

std::string FinishedStatusText(const TTextCounts& totals) {
    std::string text = "計算終了 ";
    appendInt(text, totals.Words);
    text += " words, ";
    appendInt(text, totals.Syllables);
    text += " sylables, ";
    appendInt(text, totals.Consonants);
    text += " consonants";
    return text;
}

std::string ElapsedText(long long seconds) {
    char buffer[32];
    const int n = std::snprintf(buffer, sizeof buffer, "%.2lld:%.2lld", seconds / 60, seconds % 60);
    return std::string(buffer, static_cast<std::size_t>(n));
}

} // namespace pelmar
