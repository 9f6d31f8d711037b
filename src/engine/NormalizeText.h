#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pelmar {

// Turns the double-byte look-alikes of English punctuation, digits and letters into single
// bytes, known ligatures and stray UTF-8 sequences into their letters, and kana into half-width
// katakana (which the segmentation reads as separators). Every byte of the source is consumed.
[[nodiscard]] std::string NormalizeText(std::string_view source);

// Shift_JIS to JIS X 0208: lead * 256 + trail -> row * 256 + cell.
[[nodiscard]] std::uint16_t SjisToJis(std::uint16_t code);

} // namespace pelmar
