#include "storage/DeltaCode.h"

#include "storage/BdcFormat.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace pelmar {

namespace {

std::uint32_t readU32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint16_t readU16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

void writeU32(char* p, std::uint32_t v) {
    p[0] = static_cast<char>(v & 0xFF);
    p[1] = static_cast<char>((v >> 8) & 0xFF);
    p[2] = static_cast<char>((v >> 16) & 0xFF);
    p[3] = static_cast<char>((v >> 24) & 0xFF);
}

void writeU16(char* p, std::uint16_t v) {
    p[0] = static_cast<char>(v & 0xFF);
    p[1] = static_cast<char>((v >> 8) & 0xFF);
}

// The smallest n with 2^n > v.
std::uint8_t bitLength(unsigned v) {
    std::uint8_t n = 0;
    while (v != 0) {
        ++n;
        v >>= 1;
    }
    return n;
}

} // namespace

TDeltaCode::TDeltaCode() {
    clearSymbols();
}

QString TDeltaCode::FormatErrorText() {
    return QStringLiteral("データの形式が違います");
}

QString TDeltaCode::StoredSizeErrorText() {
    return QStringLiteral("記録データのサイズが違います");
}

QString TDeltaCode::DecodedSizeErrorText() {
    return QStringLiteral("読み出しデータのサイズが違います");
}

void TDeltaCode::clearSymbols() {
    for (std::size_t i = 0; i < m_symbols.size(); ++i) {
        m_symbols[i] = Symbol{static_cast<std::uint8_t>(i), 0, 0};
        m_rankOf[i] = 0;
    }
    m_lastRank = 0;
    m_prefixWidth = bdc::PrefixWidth;
    m_widths = {};
}

bool TDeltaCode::Encode() {
    Compressed.clear();
    clearSymbols();

    const auto* plain = reinterpret_cast<const std::uint8_t*>(Plain.constData());
    const auto plainSize = static_cast<std::uint64_t>(Plain.size());
    for (std::uint64_t i = 0; i < plainSize; ++i) {
        ++m_symbols[plain[i]].frequency;
    }

    // Most frequent first; equal counts keep byte order, so the same text always gives the same
    // container.
    std::stable_sort(m_symbols.begin(), m_symbols.end(),
                     [](const Symbol& a, const Symbol& b) { return a.frequency > b.frequency; });
    for (std::size_t pos = 0; pos < m_symbols.size() && m_symbols[pos].frequency > 0; ++pos) {
        m_lastRank = static_cast<std::uint16_t>(pos);
        m_symbols[pos].rank = static_cast<std::uint8_t>(pos);
        m_rankOf[m_symbols[pos].value] = static_cast<std::uint8_t>(pos);
    }

    m_widths = {bdc::EncoderWidths[0], bdc::EncoderWidths[1], bdc::EncoderWidths[2],
                bdc::EncoderFallbackWidth3};
    const unsigned firstOfClass3 = (1u << m_widths[0]) + (1u << m_widths[1]) + (1u << m_widths[2]);
    if (m_lastRank >= firstOfClass3) {
        m_widths[3] = bitLength(m_lastRank - (firstOfClass3 - 1));
    }
    const unsigned limit0 = (1u << m_widths[0]) - 1;
    const unsigned limit1 = limit0 + (1u << m_widths[1]);
    const unsigned limit2 = limit1 + (1u << m_widths[2]);
    const unsigned base[4] = {0, limit0 + 1, limit1 + 1, limit2 + 1};

    // Byte -> code word and its length, so the second pass is a lookup per byte.
    std::array<std::uint32_t, 256> code{};
    std::array<std::uint8_t, 256> codeLength{};
    std::uint64_t totalBits = 0;
    for (std::size_t pos = 0; pos <= m_lastRank; ++pos) {
        const Symbol& s = m_symbols[pos];
        const unsigned r = s.rank;
        const unsigned k = r <= limit0 ? 0 : r <= limit1 ? 1 : r <= limit2 ? 2 : 3;
        code[s.value] = (k << m_widths[k]) | (r - base[k]);
        codeLength[s.value] = static_cast<std::uint8_t>(m_prefixWidth + m_widths[k]);
        totalBits += static_cast<std::uint64_t>(s.frequency) * codeLength[s.value];
    }

    const std::uint64_t tableEnd = bdc::OffsetRankTable + m_lastRank + 1u;
    const std::uint64_t containerSize = tableEnd + (totalBits + 15) / 16 * 2;
    // Both sizes travel as 32-bit fields; a text too large for them cannot be stored.
    if (plainSize > std::numeric_limits<std::uint32_t>::max() ||
        containerSize > std::numeric_limits<std::uint32_t>::max()) {
        return false;
    }

    Compressed = QByteArray(static_cast<qsizetype>(containerSize), '\0');
    char* out = Compressed.data();
    std::memcpy(out, bdc::Magic, sizeof bdc::Magic);
    writeU32(out + bdc::OffsetContainerSize, static_cast<std::uint32_t>(containerSize));
    writeU32(out + bdc::OffsetPlainSize, static_cast<std::uint32_t>(plainSize));
    writeU16(out + bdc::OffsetLastRank, m_lastRank);
    out[bdc::OffsetPrefixWidth] = static_cast<char>(m_prefixWidth);
    for (std::size_t k = 0; k < 4; ++k) {
        out[bdc::OffsetClassWidths + k] = static_cast<char>(m_widths[k]);
    }
    for (std::size_t pos = 0; pos <= m_lastRank; ++pos) {
        out[bdc::OffsetRankTable + pos] = static_cast<char>(m_symbols[pos].value);
    }

    char* word = out + tableEnd;
    std::uint64_t waiting = 0; // the low `waitingBits` bits are not written yet
    unsigned waitingBits = 0;
    for (std::uint64_t i = 0; i < plainSize; ++i) {
        const std::uint8_t b = plain[i];
        waiting = (waiting << codeLength[b]) | code[b];
        waitingBits += codeLength[b];
        if (waitingBits >= 16) {
            waitingBits -= 16;
            writeU16(word, static_cast<std::uint16_t>(waiting >> waitingBits));
            word += 2;
            waiting &= (std::uint64_t{1} << waitingBits) - 1;
        }
    }
    if (waitingBits > 0) {
        writeU16(word, static_cast<std::uint16_t>(waiting << (16 - waitingBits)));
    }
    return true;
}

bool TDeltaCode::Decode() {
    Plain.clear();
    ErrorText.clear();
    const auto fail = [this](QString text) {
        ErrorText = std::move(text);
        return false;
    };

    const auto* data = reinterpret_cast<const std::uint8_t*>(Compressed.constData());
    const auto size = static_cast<std::uint64_t>(Compressed.size());

    if (size < sizeof bdc::Magic || std::memcmp(data, bdc::Magic, sizeof bdc::Magic) != 0) {
        return fail(FormatErrorText());
    }
    if (size < bdc::OffsetContainerSize + 4u) {
        return fail(FormatErrorText());
    }
    if (readU32(data + bdc::OffsetContainerSize) != size) {
        return fail(StoredSizeErrorText());
    }
    if (size < static_cast<std::uint64_t>(bdc::HeaderSize)) {
        return fail(FormatErrorText());
    }

    const std::uint32_t plainSize = readU32(data + bdc::OffsetPlainSize);
    const std::uint16_t lastRank = readU16(data + bdc::OffsetLastRank);
    const std::uint8_t prefixWidth = data[bdc::OffsetPrefixWidth];
    std::array<std::uint8_t, 4> widths{};
    for (std::size_t k = 0; k < 4; ++k) {
        widths[k] = data[bdc::OffsetClassWidths + k];
    }
    if (prefixWidth != bdc::PrefixWidth ||
        std::any_of(widths.begin(), widths.end(),
                    [](std::uint8_t w) { return w > bdc::MaxClassWidth; })) {
        return fail(FormatErrorText());
    }
    const std::uint64_t tableEnd = bdc::OffsetRankTable + lastRank + 1u;
    if (tableEnd > size) {
        return fail(FormatErrorText());
    }
    m_lastRank = lastRank;
    m_prefixWidth = prefixWidth;
    m_widths = widths;

    // The announced size is only believed as far as the code words could carry it, so a forged
    // header cannot make us reserve more memory than a few times the container itself.
    const std::uint64_t words = (size - tableEnd) / 2;
    const unsigned shortestCode = prefixWidth + *std::min_element(widths.begin(), widths.end());
    if (plainSize > words * 16 / shortestCode) {
        return fail(DecodedSizeErrorText());
    }

    std::array<std::uint32_t, 4> base{};
    for (std::size_t k = 1; k < 4; ++k) {
        base[k] = base[k - 1] + (1u << widths[k - 1]);
    }
    const std::uint8_t* table = data + bdc::OffsetRankTable;

    Plain.resize(static_cast<qsizetype>(plainSize));
    auto* out = reinterpret_cast<std::uint8_t*>(Plain.data());
    std::uint32_t produced = 0;
    std::uint64_t waiting = 0; // the low `waitingBits` bits are not decoded yet
    unsigned waitingBits = 0;
    const std::uint8_t* word = data + tableEnd;
    const std::uint8_t* const end = word + words * 2;
    bool badRank = false;
    while (produced < plainSize && word != end && !badRank) {
        waiting = (waiting << 16) | readU16(word);
        word += 2;
        waitingBits += 16;
        while (waitingBits >= prefixWidth) {
            const unsigned k = static_cast<unsigned>(waiting >> (waitingBits - prefixWidth)) & 3u;
            const unsigned length = prefixWidth + widths[k];
            if (waitingBits < length) {
                break;
            }
            waitingBits -= length;
            const std::uint64_t index =
                (waiting >> waitingBits) & ((std::uint64_t{1} << widths[k]) - 1);
            const std::uint64_t rank = base[k] + index;
            if (rank > lastRank) {
                badRank = true;
                break;
            }
            out[produced++] = table[rank];
            if (produced == plainSize) {
                break;
            }
        }
        waiting &= (std::uint64_t{1} << waitingBits) - 1;
    }

    if (produced != plainSize) {
        Plain.resize(static_cast<qsizetype>(produced));
        return fail(DecodedSizeErrorText());
    }
    return true;
}

} // namespace pelmar
