#include "cli/JsonOutput.h"

#include "measure/Vocabulary.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <iterator>

namespace pelmar {
namespace {

void jsonString(std::string& out, std::string_view text) {
    static constexpr char Hex[] = "0123456789abcdef";
    out += '"';
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            out += "\\u00";
            out += Hex[u >> 4];
            out += Hex[u & 0xF];
        } else {
            out += c;
        }
    }
    out += '"';
}

void jsonInt(std::string& out, long long value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

void jsonNumber(std::string& out, float value) {
    if (!std::isfinite(value)) {
        out += "null";
        return;
    }
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

// An object of `count` members: keyOf(i) gives a member's key, writeValue(i) writes its value.
template <typename Key, typename Value>
void jsonObject(std::string& out, int count, Key keyOf, Value writeValue) {
    out += '{';
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            out += ',';
        jsonString(out, keyOf(i));
        out += ':';
        writeValue(i);
    }
    out += '}';
}

// The objects every line has keep their keys, so each member's opening ("{\"sent\":" for the
// first, ",\"clau\":" for the next) is made once.
std::vector<std::string> memberOpenings(int count, std::string_view (*keyOf)(int)) {
    std::vector<std::string> openings;
    for (int i = 0; i < count; ++i) {
        std::string opening(i == 0 ? "{" : ",");
        jsonString(opening, keyOf(i));
        opening += ':';
        openings.push_back(std::move(opening));
    }
    return openings;
}

// A line's object is written into a buffer on the stack and appended once: a line has some
// forty small pieces, and appending them one by one to a string costs more than making them.
class LineBuffer {
public:
    void put(std::string_view text) {
        std::memcpy(m_end, text.data(), text.size());
        m_end += text.size();
    }
    void putInt(long long value) { m_end = std::to_chars(m_end, std::end(m_buffer), value).ptr; }
    void putFloat(float value) {
        if (std::isfinite(value))
            m_end = std::to_chars(m_end, std::end(m_buffer), value).ptr;
        else
            put("null");
    }
    void appendTo(std::string& out) const {
        out.append(m_buffer, static_cast<std::size_t>(m_end - m_buffer));
    }

private:
    // Nine counts, three flags and eleven numbers with their keys stay far below this.
    char m_buffer[1024];
    char* m_end = m_buffer;
};

std::string_view columnKey(int position) {
    return vocab::ColumnKeys[static_cast<std::size_t>(position)];
}

std::string_view indexKey(int index) { return columnKey(index + 9); }

void jsonCounts(std::string& out, const TTextCounts& counts) {
    jsonObject(out, 9, columnKey, [&](int i) { jsonInt(out, counts.count(i)); });
}

} // namespace

void AppendJsonFileStart(std::string& out, std::string_view name) {
    out += "{\"name\":";
    jsonString(out, name);
    out += ",\"lines\":[";
}

void AppendJsonLine(std::string& out, const TTextCounts& line) {
    static constexpr std::array<bool, IndexCount> allIndices = {
        true, true, true, true, true, true, true, true, true, true, true};
    static const std::vector<std::string> countOpenings = memberOpenings(9, columnKey);
    static const std::vector<std::string> indexOpenings = memberOpenings(IndexCount, indexKey);
    LineBuffer b;
    b.put("{\"counts\":");
    for (int i = 0; i < 9; ++i) {
        b.put(countOpenings[static_cast<std::size_t>(i)]);
        b.putInt(line.count(i));
    }
    b.put("},\"openSentence\":");
    b.put(line.OpenSentence ? "true" : "false");
    b.put(",\"openClause\":");
    b.put(line.OpenClause ? "true" : "false");
    b.put(",\"openPhrase\":");
    b.put(line.OpenPhrase ? "true" : "false");
    b.put(",\"indices\":");
    const LineIndexValues values = LineIndices(line, allIndices);
    for (int k = 0; k < IndexCount; ++k) {
        b.put(indexOpenings[static_cast<std::size_t>(k)]);
        if (const auto& value = values[static_cast<std::size_t>(k)])
            b.putFloat(*value);
        else
            b.put("null");
    }
    b.put("}}");
    b.appendTo(out);
}

void AppendJsonFileEnd(std::string& out, const TTextCounts& totals, const TWholeTextValues& whole) {
    out += "],\"totals\":";
    jsonCounts(out, totals);
    out += ",\"ratios\":";
    jsonObject(out, 11, [](int i) { return columnKey(22 + i); },
               [&](int i) { jsonNumber(out, whole.ratios.byPosition(22 + i)); });
    out += ",\"styles\":";
    const int styles[] = {whole.styles.dia, whole.styles.com, whole.styles.tec, whole.styles.gen};
    jsonObject(out, 4, [](int i) { return vocab::StyleKeys[static_cast<std::size_t>(i)]; },
               [&](int i) { jsonInt(out, styles[i]); });
    out += ",\"tenths\":";
    jsonObject(out, IndexCount, indexKey,
               [&](int k) { jsonInt(out, whole.tenths[static_cast<std::size_t>(k)]); });
    out += '}';
}

void AppendJsonFile(std::string& out, std::string_view name, const std::vector<TTextCounts>& lines,
                    const TTextCounts& totals, const TWholeTextValues& whole) {
    AppendJsonFileStart(out, name);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            out += ',';
        AppendJsonLine(out, lines[i]);
    }
    AppendJsonFileEnd(out, totals, whole);
}

} // namespace pelmar
