#include "measure/TextBlocks.h"

#include <algorithm>
#include <cstring>

namespace pelmar {

std::size_t TextBlockEnd(std::string_view text, std::size_t from, std::size_t size) {
    const std::size_t n = text.size();
    if (size >= n - from)
        return n;
    // Every CR and every LF ends a line; a CR LF pair is not cut apart.
    const std::size_t at = from + size;
    const char* data = text.data();
    const void* lf = std::memchr(data + at, '\n', n - at);
    const std::size_t lineFeed = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - data) : n;
    const void* cr = std::memchr(data + at, '\r', lineFeed - at);
    if (!cr)
        return lf ? lineFeed + 1 : n;
    const auto r = static_cast<std::size_t>(static_cast<const char*>(cr) - data);
    return r + 1 < n && data[r + 1] == '\n' ? r + 2 : r + 1;
}

void TCp932Lines::assign(std::string_view bytes, TextEncoding encoding) {
    m_lines.clear();
    m_converted.clear();
    m_convertedLines.clear();
    m_offsets.clear();
    // Most texts have no CR at all, and then each line end takes one search instead of two;
    // most blocks of English are ASCII throughout, and then no line needs looking at.
    const bool anyCr = std::memchr(bytes.data(), '\r', bytes.size()) != nullptr;
    const bool allAscii = isAscii(bytes);
    for (std::size_t start = 0; start < bytes.size();) {
        const TLineSpan span = anyCr ? lineAt(bytes, start) : lineAtWithoutCr(bytes, start);
        start = span.next;
        if (allAscii || isAscii(span.line)) {
            m_lines.push_back(span.line);
            continue;
        }
        // Converted bytes go to one buffer that may still move while it grows: the line keeps
        // its length and finds its bytes once all are in.
        m_offsets.push_back(m_converted.size());
        appendLineToCp932(m_converted, span.line, encoding);
        m_convertedLines.push_back(m_lines.size());
        m_lines.emplace_back(nullptr, m_converted.size() - m_offsets.back());
    }
    for (std::size_t k = 0; k < m_convertedLines.size(); ++k) {
        std::string_view& line = m_lines[m_convertedLines[k]];
        line = std::string_view(m_converted.data() + m_offsets[k], line.size());
    }
}

void TLinesFrom::reset(std::string_view text, TextEncoding encoding, std::size_t from) {
    m_text = text;
    m_encoding = encoding;
    m_next = from;
    m_lines.clear();
    m_converted.clear();
}

std::optional<std::string_view> TLinesFrom::line(std::size_t k) {
    while (m_lines.size() <= k) {
        if (m_next >= m_text.size())
            return std::nullopt;
        const TLineSpan span = lineAt(m_text, m_next);
        m_next = span.next;
        if (isAscii(span.line)) {
            m_lines.push_back(span.line);
        } else {
            m_converted.push_back(lineToCp932(span.line, m_encoding));
            m_lines.push_back(m_converted.back());
        }
    }
    return m_lines[k];
}

} // namespace pelmar
