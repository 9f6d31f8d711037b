#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

// How the engine's word cache names a word and what it keeps for it.
namespace pelmar::detail {

// A word of up to sixteen bytes (all but a few in a thousand words of English prose) is named
// by its bytes read as two 64-bit numbers, zero padded. Word bytes are never 0, so the padding
// keeps the length, and two keys compare in two instructions.
inline constexpr std::size_t ShortWordLength = 8;
inline constexpr std::size_t KeyedWordLength = 16;

struct WordKey {
    std::uint64_t low = 0;  // bytes 0 to 7
    std::uint64_t high = 0; // bytes 8 to 15
    bool operator==(const WordKey&) const = default;
};

// The first n bytes of v (n at most 8); the others 0.
[[nodiscard]] constexpr std::uint64_t FirstBytes(std::uint64_t v, std::size_t n) {
    return n >= 8 ? v : v & ((std::uint64_t(1) << (8 * n)) - 1);
}

[[nodiscard]] inline WordKey MakeWordKey(std::string_view word) {
    WordKey key;
    const std::size_t n = word.size() < KeyedWordLength ? word.size() : KeyedWordLength;
    std::memcpy(&key.low, word.data(), n < 8 ? n : 8);
    if (n > 8)
        std::memcpy(&key.high, word.data() + 8, n - 8);
    return key;
}

// The key of a word of `length` bytes (at most 16) from sixteen bytes that may run on past it.
[[nodiscard]] inline WordKey MakeWordKey(const char* sixteenBytes, std::size_t length) {
    std::uint64_t low, high;
    std::memcpy(&low, sixteenBytes, 8);
    std::memcpy(&high, sixteenBytes + 8, 8);
    return {FirstBytes(low, length), length > 8 ? FirstBytes(high, length - 8) : 0};
}

// A-Z lowered, eight bytes at once. Word bytes are ASCII, so the additions never carry into
// the next byte.
[[nodiscard]] constexpr std::uint64_t LoweredBytes(std::uint64_t bytes) {
    constexpr std::uint64_t ones = 0x0101010101010101ull;
    constexpr std::uint64_t highs = 0x8080808080808080ull;
    const std::uint64_t atLeastA = (bytes + (0x80 - 'A') * ones) & highs;
    const std::uint64_t aboveZ = (bytes + (0x80 - 'Z' - 1) * ones) & highs;
    return bytes | ((atLeastA & ~aboveZ) >> 2);
}

[[nodiscard]] constexpr WordKey Lowered(const WordKey& key) {
    return {LoweredBytes(key.low), LoweredBytes(key.high)};
}

// The key's bits mixed, for the tables to take their places from (the top bits are best).
[[nodiscard]] constexpr std::uint64_t MixedKey(const WordKey& key) {
    return (key.low ^ (key.high * 0xC2B2AE3D27D4EB4Full)) * 0x9E3779B97F4A7C15ull;
}

// What the cache keeps for a word: its counts, and whether it counts among the words of three
// or more syllables (a number never does), so that the caller adds it without asking the word
// again. All three are int, so that they travel in registers.
struct WordCounts {
    int syllables = 0;
    int consonants = 0;
    int threePlus = 0; // 1 or 0

    // Counts are kept in 16 bits; beyond that (only absurd words) they are not kept.
    [[nodiscard]] bool fits() const {
        return syllables >= 0 && syllables <= 0xFFFF && consonants >= 0 && consonants <= 0xFFFF;
    }
    // The counts in one number that is never 0, for fits() counts.
    [[nodiscard]] std::uint64_t packed() const {
        return std::uint64_t(syllables) | std::uint64_t(consonants) << 16 |
               std::uint64_t(threePlus & 1) << 32 | std::uint64_t(1) << 33;
    }
    [[nodiscard]] static WordCounts unpacked(std::uint64_t v) {
        return {static_cast<int>(v & 0xFFFF), static_cast<int>(v >> 16 & 0xFFFF),
                static_cast<int>(v >> 32 & 1)};
    }
};

} // namespace pelmar::detail
