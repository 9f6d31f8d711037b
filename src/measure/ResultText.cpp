#include "measure/ResultText.h"

#include "measure/NumberFormat.h"
#include "measure/Vocabulary.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace pelmar {
namespace {

constexpr char Tab = '\t';

// Number texts are written into caller buffers: a row's many small cells are cheapest when
// nothing is appended cell by cell. Both functions return the length written.
constexpr std::size_t NumberBufferSize = 48;

// "00" to "99", so that digits go out two at a time.
constexpr auto kDigitPairs = [] {
    std::array<char, 200> pairs{};
    for (int i = 0; i < 100; ++i) {
        pairs[static_cast<std::size_t>(2 * i)] = static_cast<char>('0' + i / 10);
        pairs[static_cast<std::size_t>(2 * i + 1)] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}();

// Decimal digits of an integer, written straight into place.
inline std::size_t formatInt(char* out, long long value) {
    unsigned long long magnitude = value < 0 ? 0ull - static_cast<unsigned long long>(value)
                                             : static_cast<unsigned long long>(value);
    std::size_t size = 0;
    if (value < 0)
        out[size++] = '-';
    // Counts in a row are mostly below a thousand.
    if (magnitude < 10) {
        out[size] = static_cast<char>('0' + magnitude);
        return size + 1;
    }
    if (magnitude < 100) {
        out[size] = kDigitPairs[static_cast<std::size_t>(magnitude) * 2];
        out[size + 1] = kDigitPairs[static_cast<std::size_t>(magnitude) * 2 + 1];
        return size + 2;
    }
    std::size_t digits = 3;
    for (unsigned long long limit = 1000; digits < 20 && magnitude >= limit; limit *= 10)
        ++digits;
    size += digits;
    char* p = out + size;
    while (magnitude >= 100) {
        const auto pair = static_cast<std::size_t>(magnitude % 100) * 2;
        magnitude /= 100;
        *--p = kDigitPairs[pair + 1];
        *--p = kDigitPairs[pair];
    }
    if (magnitude >= 10) {
        *--p = kDigitPairs[static_cast<std::size_t>(magnitude) * 2 + 1];
        *--p = kDigitPairs[static_cast<std::size_t>(magnitude) * 2];
    } else {
        *--p = static_cast<char>('0' + magnitude);
    }
    return size;
}

// A single-precision value with 1 or 2 decimals, rounded half away from zero on its exact value:
// the value times 100 is exact in double precision, so the rounding sees the true digits.
std::size_t formatFixed(char* out, float value, int decimals) {
    const double scaled = double(value) * (decimals == 1 ? 10.0 : 100.0);
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 1e17) {
        // Out of reach of any count; the general formatter says what it is.
        const QByteArray text = FormatFixed(value, decimals).toLatin1().left(NumberBufferSize);
        std::memcpy(out, text.constData(), static_cast<std::size_t>(text.size()));
        return static_cast<std::size_t>(text.size());
    }
    const auto whole = static_cast<long long>(std::floor(std::fabs(scaled) + 0.5));
    const long long divisor = decimals == 1 ? 10 : 100;
    std::size_t size = 0;
    if (std::signbit(scaled) && whole != 0) // a value that rounds to zero is shown as zero
        out[size++] = '-';
    size += formatInt(out + size, whole / divisor);
    out[size++] = '.';
    const auto fraction = static_cast<int>(whole % divisor);
    if (decimals == 2)
        out[size++] = static_cast<char>('0' + fraction / 10);
    out[size++] = static_cast<char>('0' + fraction % 10);
    return size;
}

// formatFixed(out, value, 1), with the common case (an index of an ordinary line, far from the
// limits) written without the general path's checks: every row has eleven of them.
std::size_t formatFixed1(char* out, float value) {
    const double scaled = double(value) * 10.0;
    if (!(std::fabs(scaled) < 1e15)) // also a NaN
        return formatFixed(out, value, 1);
    // Half away from zero on the exact value; truncation is the floor of a positive value.
    const auto whole = static_cast<long long>(std::fabs(scaled) + 0.5);
    std::size_t size = 0;
    if (scaled < 0 && whole != 0) // a value that rounds to zero is shown as zero
        out[size++] = '-';
    size += formatInt(out + size, whole / 10);
    out[size++] = '.';
    out[size++] = static_cast<char>('0' + whole % 10);
    return size;
}

void appendInt(std::string& out, long long value) {
    char buffer[NumberBufferSize];
    out.append(buffer, formatInt(buffer, value));
}

void appendCell(std::string& out, long long value) {
    appendInt(out, value);
    out += Tab;
}

void appendCell(std::string& out, std::string_view text) {
    out += text;
    out += Tab;
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
    char buffer[NumberBufferSize];
    out.append(buffer, formatFixed1(buffer, value));
}

void appendFixed2(std::string& out, float value) {
    char buffer[NumberBufferSize];
    out.append(buffer, formatFixed(buffer, value, 2));
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

void AppendLineRow(std::string& row, int lineNumber, const TTextCounts& line,
                   const TMeasureOptions& options) {
    // The row is written into a buffer on the stack through a local cursor and appended once:
    // appending its small cells one by one costs more than making them, and a cursor kept in
    // an object would have to be read back after every byte written. A row holds at most 20
    // cells of under 50 characters each.
    char buffer[1024];
    char* p = buffer;
    for (const Column& column : kLineColumns) {
        if (!options.resultDisplay[column.position])
            continue;
        p += formatInt(p, column.countPosition < 0 ? lineNumber : line.count(column.countPosition));
        *p++ = Tab;
    }
    const LineIndexValues values = LineIndices(line, options.readability);
    for (int i = 0; i < IndexCount; ++i) {
        if (!options.readability[static_cast<std::size_t>(i)])
            continue;
        if (const auto& value = values[static_cast<std::size_t>(i)])
            p += formatFixed1(p, *value);
        else
            *p++ = '-';
        *p++ = Tab;
    }
    // Cells never begin with a blank, so only the final TAB goes.
    while (p > buffer && static_cast<unsigned char>(p[-1]) <= 0x20)
        --p;
    row.append(buffer, static_cast<std::size_t>(p - buffer));
}

std::string LineRow(int lineNumber, const TTextCounts& line, const TMeasureOptions& options) {
    std::string row;
    AppendLineRow(row, lineNumber, line, options);
    return row;
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

void CopyTextWriter::write(std::string_view piece) {
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    if (!m_started) {
        while (!piece.empty() && blank(piece.front()))
            piece.remove_prefix(1);
        if (piece.empty())
            return;
    }
    std::size_t end = piece.size();
    while (end > 0 && blank(piece[end - 1]))
        --end;
    if (end == 0) {
        m_blanks.append(piece);
        return;
    }
    m_started = true;
    if (!m_blanks.empty()) {
        m_write(m_blanks);
        m_blanks.clear();
    }
    m_write(piece.substr(0, end));
    m_blanks.assign(piece.substr(end));
}

void CopyTextWriter::finish() {
    m_blanks.clear();
}

std::string CopyText(const ResultLines& lines) {
    std::string text;
    CopyTextWriter writer([&text](std::string_view piece) { text += piece; });
    for (const auto& line : lines)
        writer.add(line);
    writer.finish();
    return text;
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
