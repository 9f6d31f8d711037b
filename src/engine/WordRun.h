#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The runs of word characters the engine's word loop takes at once.
namespace pelmar::detail {

// Word characters: the apostrophe, 0-9, A-Z and a-z. Hyphens join words only by being removed
// from the text first.
constexpr std::array<bool, 256> makeWordBytes(bool lettersAndDigitsOnly) {
    std::array<bool, 256> table{};
    for (int c = '0'; c <= '9'; ++c)
        table[c] = true;
    for (int c = 'a'; c <= 'z'; ++c)
        table[c] = table[c - 32] = true;
    if (!lettersAndDigitsOnly)
        table['\''] = true;
    return table;
}
inline constexpr auto WordBytes = makeWordBytes(false);

// Both at once for the word loop: 1 a word character, 3 one that is also a letter or digit.
constexpr std::array<std::uint8_t, 256> makeByteClasses() {
    std::array<std::uint8_t, 256> table{};
    const auto letters = makeWordBytes(true);
    for (int c = 0; c < 256; ++c)
        table[c] = static_cast<std::uint8_t>(WordBytes[c] | (letters[c] ? 2 : 0));
    return table;
}
inline constexpr auto ByteClasses = makeByteClasses();

// A "." followed by a digit or a capital stays inside its word ("3.14", "U.S", "Mr.Smith").
[[nodiscard]] inline bool IsInWordDot(const char* t, std::size_t at, std::size_t n) {
    return t[at] == '.' && at + 1 < n &&
           ((t[at + 1] >= '0' && t[at + 1] <= '9') || (t[at + 1] >= 'A' && t[at + 1] <= 'Z'));
}

// How far a run of word characters and in-word dots goes, and how many letters and digits it
// holds.
struct WordRun {
    std::size_t end;
    int letters;
};

// The run from t[p] on, of a text of n bytes whose last byte ends every run (a blank): byte
// by byte.
[[nodiscard]] inline WordRun WordRunBytewise(const char* t, std::size_t p, std::size_t n) {
    int letters = 0;
    for (;; ++p) {
        const std::uint8_t cls = ByteClasses[static_cast<unsigned char>(t[p])];
        if (cls != 0)
            letters += cls >> 1;
        else if (!IsInWordDot(t, p, n))
            return {p, letters};
    }
}

// A text given to WordRunAt must have this many readable bytes after its last one.
inline constexpr std::size_t WordRunPadding = 16;

// The same, sixteen bytes at a time where the processor can: a byte loop ends on a branch that
// a word's length makes unforeseeable, once per word.
[[nodiscard]] inline WordRun WordRunAt(const char* t, std::size_t p, std::size_t n) {
#if defined(__SSE2__)
    // The text's last byte ends every run, so a run never reaches the padding, and a dot that
    // ends up in a word always had a byte of the text after it.
    (void)n;
    int letters = 0;
    const auto in = [](__m128i v, char low, char high) {
        return _mm_and_si128(_mm_cmpgt_epi8(v, _mm_set1_epi8(static_cast<char>(low - 1))),
                             _mm_cmplt_epi8(v, _mm_set1_epi8(static_cast<char>(high + 1))));
    };
    const auto lanes = [](__m128i v) { return static_cast<unsigned>(_mm_movemask_epi8(v)); };
    for (;;) {
        // Bytes of 0x80 and up read as negative here, so no range takes them.
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + p));
        const __m128i digits = in(v, '0', '9');
        const unsigned alnum =
            lanes(_mm_or_si128(digits, in(_mm_or_si128(v, _mm_set1_epi8(0x20)), 'a', 'z')));
        const unsigned apostrophes = lanes(_mm_cmpeq_epi8(v, _mm_set1_epi8('\'')));
        const unsigned dots = lanes(_mm_cmpeq_epi8(v, _mm_set1_epi8('.')));
        const unsigned digitOrCapital = lanes(_mm_or_si128(digits, in(v, 'A', 'Z')));
        // The last lane cannot see its next byte: it is looked at again with the next load.
        const unsigned others = apostrophes | (dots & (digitOrCapital >> 1));
        const unsigned stops = ~(alnum | others) & 0x7FFF;
        const unsigned taken = stops != 0 ? (stops & (0u - stops)) - 1 : 0x7FFF;
        // Letters and digits are the run's bytes but its rare apostrophes and dots.
        unsigned notLetters = others & taken;
        int count = 0;
        for (; notLetters != 0; notLetters &= notLetters - 1)
            ++count;
        const int length = stops != 0 ? __builtin_ctz(stops) : 15;
        letters += length - count;
        if (stops != 0)
            return {p + static_cast<std::size_t>(length), letters};
        p += 15;
    }
#else
    return WordRunBytewise(t, p, n);
#endif
}

} // namespace pelmar::detail
