#pragma once

#include "platform/TextFile.h"

#include <cstddef>
#include <deque>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pelmar {

// A long text is measured in blocks of whole lines, so that several threads can share it and
// memory stays bounded. Blocks hold about this many bytes.
inline constexpr std::size_t TextBlockSize = 64 * 1024;

// The end of the block that starts at offset `from`: just after the first line end at or after
// from + size, or the text's end.
[[nodiscard]] std::size_t TextBlockEnd(std::string_view text, std::size_t from,
                                       std::size_t size = TextBlockSize);

// The CP932 lines of some bytes of a text, as the engine reads them: plain ASCII lines are views
// into the bytes, the others are converted into storage this object keeps until the next
// assign (it is reused block after block).
class TCp932Lines {
public:
    void assign(std::string_view bytes, TextEncoding encoding);
    [[nodiscard]] std::span<const std::string_view> lines() const { return m_lines; }

private:
    std::vector<std::string_view> m_lines;
    std::string m_converted;
    std::vector<std::size_t> m_convertedLines; // which lines were converted
    std::vector<std::size_t> m_offsets;        // and where their bytes start
};

// The lines of a text from an offset on, read and converted when first asked for. Views stay
// valid until the next reset.
class TLinesFrom {
public:
    void reset(std::string_view text, TextEncoding encoding, std::size_t from);
    // The k-th line from the offset; nothing past the text's end.
    [[nodiscard]] std::optional<std::string_view> line(std::size_t k);

private:
    std::string_view m_text;
    TextEncoding m_encoding = TextEncoding::Utf8;
    std::size_t m_next = 0; // offset of the first line not read yet
    std::vector<std::string_view> m_lines;
    std::deque<std::string> m_converted; // a deque never moves what it holds
};

} // namespace pelmar
