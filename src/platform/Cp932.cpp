#include "platform/Cp932.h"

#include <QChar>

#include <algorithm>
#include <array>
#include <cstdint>

namespace pelmar {

namespace {

#include "Cp932Table.inc"

constexpr char16_t ReplacementChar = 0xFFFD;
constexpr char16_t ZeroWidthNoBreakSpace = 0xFEFF;

constexpr bool isLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

constexpr int leadIndex(unsigned char lead) {
    return lead < 0xE0 ? lead - 0x81 : lead - 0xE0 + 0x1F;
}

// -1 when the byte cannot follow a lead byte.
constexpr int trailIndex(unsigned char trail) {
    if (trail >= 0x40 && trail <= 0x7E)
        return trail - 0x40;
    if (trail >= 0x80 && trail <= 0xFC)
        return trail - 0x41;
    return -1;
}

// The character of a byte that is not a lead byte. 0x80, 0xA0 and 0xFD-0xFF have no character
// of their own; they get the code points Windows-derived converters use, so that such a byte
// survives a trip through Unicode.
constexpr char16_t singleByteChar(unsigned char b) {
    if (b <= 0x80)
        return b;
    if (b == 0xA0)
        return 0xF8F0;
    if (b >= 0xFD)
        return static_cast<char16_t>(0xF8F1 + (b - 0xFD));
    return static_cast<char16_t>(0xFF61 + (b - 0xA1)); // half-width katakana
}

// One character decoded from the start of [p, end), which is not empty. A lead byte that does
// not begin a character is one bad character on its own, and decoding goes on with the byte after
// it: that byte may be a letter or the start of a character of its own ("85 41" is a bad
// character and "A"), and swallowing it would lose text from the file.
struct Decoded {
    char16_t ch;
    int length;
};

Decoded decodeOne(const unsigned char* p, const unsigned char* end) {
    const unsigned char b = *p;
    if (!isLeadByte(b))
        return {singleByteChar(b), 1};
    if (end - p < 2)
        return {ReplacementChar, 1};
    const int trail = trailIndex(p[1]);
    if (trail < 0)
        return {ReplacementChar, 1};
    const char16_t ch = kDoubleByte[leadIndex(b)][trail];
    return ch != 0 ? Decoded{ch, 2} : Decoded{ReplacementChar, 1};
}

// The CP932 code of every BMP character: below 0x100 a single byte, else lead << 8 | trail.
class EncodeTable {
public:
    static constexpr std::uint16_t NoCode = 0xFFFF; // 0xFF is never a trail byte

    EncodeTable() {
        m_codes.fill(NoCode);
        for (int b = 0; b < 0x100; ++b) {
            if (!isLeadByte(static_cast<unsigned char>(b)))
                m_codes[singleByteChar(static_cast<unsigned char>(b))] =
                    static_cast<std::uint16_t>(b);
        }
        // Of several codes for one character the first in table order is preferred (the
        // generator checks this against its reference encoder); the overrides say where not.
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (!isLeadByte(static_cast<unsigned char>(lead)))
                continue;
            for (int trail = 0x40; trail <= 0xFC; ++trail) {
                const int t = trailIndex(static_cast<unsigned char>(trail));
                if (t < 0)
                    continue;
                const char16_t ch = kDoubleByte[leadIndex(static_cast<unsigned char>(lead))][t];
                if (ch != 0 && m_codes[ch] == NoCode)
                    m_codes[ch] = static_cast<std::uint16_t>(lead << 8 | trail);
            }
        }
        for (const auto& entry : kEncodingOverrides)
            m_codes[entry[0]] = entry[1];
    }

    [[nodiscard]] std::uint16_t code(char16_t ch) const { return m_codes[ch]; }

private:
    std::array<std::uint16_t, 0x10000> m_codes;
};

const EncodeTable& encodeTable() {
    static const EncodeTable table;
    return table;
}

void appendCode(std::string& out, std::uint16_t code) {
    if (code < 0x100) {
        out.push_back(static_cast<char>(code));
    } else {
        out.push_back(static_cast<char>(code >> 8));
        out.push_back(static_cast<char>(code & 0xFF));
    }
}

void appendGeta(std::string& out) {
    out.append(GetaMark, sizeof GetaMark);
}

bool isMark(char32_t cp) {
    switch (QChar::category(cp)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
        return true;
    default:
        return false;
    }
}

// A character CP932 lacks, given as one code unit or a surrogate pair: its compatibility
// decomposition without combining marks if CP932 has all of that, else the geta mark.
std::string fallbackBytes(QStringView ch, const EncodeTable& table) {
    const QString decomposed = ch.toString().normalized(QString::NormalizationForm_KD);
    std::string out;
    for (qsizetype i = 0; i < decomposed.size(); ++i) {
        const QChar c = decomposed[i];
        char32_t cp = c.unicode();
        if (c.isHighSurrogate() && i + 1 < decomposed.size() && decomposed[i + 1].isLowSurrogate())
            cp = QChar::surrogateToUcs4(c, decomposed[++i]);
        if (isMark(cp))
            continue;
        const std::uint16_t code =
            cp <= 0xFFFF ? table.code(static_cast<char16_t>(cp)) : EncodeTable::NoCode;
        if (code == EncodeTable::NoCode)
            return std::string(GetaMark, sizeof GetaMark);
        appendCode(out, code);
    }
    return out;
}

// Normalising allocates and is slow, acceptable only because it is rare. Text that needs it
// tends to repeat a few characters (the accented letters of a French quotation, U+FFFD all
// through a file that was no text), so each thread keeps its latest short results.
class FallbackCache {
public:
    void append(std::string& out, QStringView ch, const EncodeTable& table) {
        const char32_t cp = ch.size() == 2 ? QChar::surrogateToUcs4(ch[0], ch[1]) : ch[0].unicode();
        Entry& entry = m_entries[cp % m_entries.size()];
        if (entry.cp != cp) {
            const std::string bytes = fallbackBytes(ch, table);
            if (bytes.size() > entry.bytes.size()) {
                out += bytes;
                return;
            }
            entry.cp = cp;
            entry.size = static_cast<std::uint8_t>(bytes.size());
            std::copy(bytes.begin(), bytes.end(), entry.bytes.begin());
        }
        out.append(entry.bytes.data(), entry.size);
    }

private:
    struct Entry {
        char32_t cp = 0; // U+0000 never needs the fallback, so it marks a free entry
        std::uint8_t size = 0;
        std::array<char, 11> bytes{};
    };
    std::array<Entry, 64> m_entries{};
};

void appendFallback(std::string& out, QStringView ch, const EncodeTable& table) {
    thread_local FallbackCache cache;
    cache.append(out, ch, table);
}

} // namespace

std::string toCp932(QStringView text) {
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    appendCp932(out, text);
    return out;
}

void appendCp932(std::string& out, QStringView text) {
    const EncodeTable& table = encodeTable();
    const char16_t* p = text.utf16();
    const char16_t* const end = p + text.size();
    while (p < end) {
        const char16_t c = *p;
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
            ++p;
            continue;
        }
        const std::uint16_t code = table.code(c); // surrogates never have a code
        if (code != EncodeTable::NoCode) {
            appendCode(out, code);
            ++p;
            continue;
        }
        if (c == ZeroWidthNoBreakSpace) {
            ++p;
            continue;
        }
        if (QChar::isSurrogate(c)) {
            if (QChar::isHighSurrogate(c) && end - p >= 2 && QChar::isLowSurrogate(p[1])) {
                appendFallback(out, QStringView(p, 2), table);
                p += 2;
            } else {
                appendGeta(out); // half a pair is no character at all
                ++p;
            }
            continue;
        }
        appendFallback(out, QStringView(p, 1), table);
        ++p;
    }
}

QString fromCp932(std::string_view bytes) {
    // Every CP932 character is one UTF-16 unit from one or two bytes, so the output is never
    // longer than the input.
    QString out(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    char16_t* dst = reinterpret_cast<char16_t*>(out.data());
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    while (p < end) {
        if (*p < 0x80) {
            *dst++ = *p++;
            continue;
        }
        const Decoded d = decodeOne(p, end);
        *dst++ = d.ch;
        p += d.length;
    }
    out.truncate(dst - reinterpret_cast<const char16_t*>(out.constData()));
    return out;
}

std::string canonicalCp932(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    appendCanonicalCp932(out, bytes);
    return out;
}

void appendCanonicalCp932(std::string& out, std::string_view bytes) {
    const EncodeTable& table = encodeTable();
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    while (p < end) {
        // Single bytes, ASCII included, encode back to themselves.
        if (!isLeadByte(*p)) {
            out.push_back(static_cast<char>(*p++));
            continue;
        }
        const Decoded d = decodeOne(p, end);
        p += d.length;
        // Every character decoded from a code has a code; only U+FFFD has none, and it has no
        // decomposition either, so it becomes the geta mark.
        const std::uint16_t code = table.code(d.ch);
        if (code != EncodeTable::NoCode)
            appendCode(out, code);
        else
            appendGeta(out);
    }
}

} // namespace pelmar
