#include "cli/JsonOutput.h"

#include "measure/Vocabulary.h"

#include <array>
#include <charconv>
#include <cmath>

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

// The same for the objects every line has: their keys never change, so each member's opening
// ("{\"sent\":" for the first, ",\"clau\":" for the next) is made once.
class MemberOpenings {
public:
    template <typename Key>
    MemberOpenings(int count, Key keyOf) {
        for (int i = 0; i < count; ++i) {
            std::string opening(i == 0 ? "{" : ",");
            jsonString(opening, keyOf(i));
            opening += ':';
            m_openings.push_back(std::move(opening));
        }
    }
    template <typename Value>
    void write(std::string& out, Value writeValue) const {
        for (std::size_t i = 0; i < m_openings.size(); ++i) {
            out += m_openings[i];
            writeValue(static_cast<int>(i));
        }
        out += '}';
    }

private:
    std::vector<std::string> m_openings;
};

std::string_view columnKey(int position) {
    return vocab::ColumnKeys[static_cast<std::size_t>(position)];
}

std::string_view indexKey(int index) { return columnKey(index + 9); }

void jsonCounts(std::string& out, const TTextCounts& counts) {
    static const MemberOpenings openings(9, columnKey);
    openings.write(out, [&](int i) { jsonInt(out, counts.count(i)); });
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
    out += "{\"counts\":";
    jsonCounts(out, line);
    out += ",\"openSentence\":";
    out += line.OpenSentence ? "true" : "false";
    out += ",\"openClause\":";
    out += line.OpenClause ? "true" : "false";
    out += ",\"openPhrase\":";
    out += line.OpenPhrase ? "true" : "false";
    out += ",\"indices\":";
    const LineIndexValues values = LineIndices(line, allIndices);
    static const MemberOpenings openings(IndexCount, indexKey);
    openings.write(out, [&](int k) {
        if (const auto& value = values[static_cast<std::size_t>(k)])
            jsonNumber(out, *value);
        else
            out += "null";
    });
    out += '}';
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
