#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

// Byte-level helpers for CP932 text as the engine reads it.
namespace pelmar::bytes {

[[nodiscard]] constexpr unsigned char u8(char c) { return static_cast<unsigned char>(c); }

// Lead byte of a double-byte Shift_JIS character.
[[nodiscard]] constexpr bool isLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
[[nodiscard]] constexpr bool isLeadByte(char c) { return isLeadByte(u8(c)); }

[[nodiscard]] constexpr char lower(char c) { return (c >= 'A' && c <= 'Z') ? char(c + 32) : c; }
[[nodiscard]] constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }
[[nodiscard]] constexpr bool isUpper(char c) { return c >= 'A' && c <= 'Z'; }
[[nodiscard]] constexpr bool isLowerLetter(char c) { return c >= 'a' && c <= 'z'; }
[[nodiscard]] constexpr bool isVowel(char c) {
    return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u' || c == 'y';
}

// Trimming drops blanks and control characters (every byte up to 0x20) from both ends.
[[nodiscard]] constexpr bool isTrimmed(char c) { return u8(c) <= 0x20; }

[[nodiscard]] inline std::string_view trimmed(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && isTrimmed(s[b]))
        ++b;
    while (e > b && isTrimmed(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

// Whether every byte is below 0x80 (no double-byte character, nothing to normalise), looked at
// eight bytes at a time.
[[nodiscard]] inline bool isAscii(std::string_view s) {
    const char* p = s.data();
    std::size_t n = s.size();
    for (; n >= 8; p += 8, n -= 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        if (word & 0x8080808080808080ull)
            return false;
    }
    for (; n > 0; ++p, --n) {
        if (u8(*p) >= 0x80)
            return false;
    }
    return true;
}

// A–Z to a–z, byte by byte.
[[nodiscard]] inline std::string lowered(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = lower(c);
    return out;
}

} // namespace pelmar::bytes
