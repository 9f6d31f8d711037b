#include "engine/WordRun.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace pelmar::detail {
namespace {

// Texts made of the bytes that decide where a run ends: letters of both cases, digits,
// apostrophes, dots before and after capitals and digits, blanks and high bytes, in runs that
// cross the sixteen-byte steps of the wide reader.
std::string randomText(std::mt19937& rng, std::size_t size) {
    static const std::string alphabet = "aZm09'..  .A\x81\xE0\xFF\x7F-,";
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> wordy(0, 3);
    std::string text;
    while (text.size() + 1 < size)
        text += wordy(rng) != 0 ? char('a' + rng() % 26) : alphabet[pick(rng)];
    text += ' '; // every run ends at the text's last byte
    return text;
}

TEST(WordRun, WideReaderAgreesWithTheByteLoopEverywhere) {
    std::mt19937 rng(2024);
    for (int round = 0; round < 400; ++round) {
        const std::string text = randomText(rng, 1 + rng() % 90);
        std::string padded = text + std::string(WordRunPadding, '\0');
        for (std::size_t p = 0; p < text.size(); ++p) {
            const WordRun wide = WordRunAt(padded.data(), p, text.size());
            const WordRun bytewise = WordRunBytewise(padded.data(), p, text.size());
            EXPECT_EQ(wide.end, bytewise.end) << text << " from " << p;
            EXPECT_EQ(wide.letters, bytewise.letters) << text << " from " << p;
        }
    }
}

TEST(WordRun, DotsStayInWordsOnlyBeforeDigitsAndCapitals) {
    struct Case {
        const char* text;
        std::size_t end;
        int letters;
    };
    const Case cases[] = {
        {"3.14 ", 4, 3},
        {"U.S. ", 3, 2},
        {"Mr.Smith ", 8, 7},
        {"end.next ", 3, 3},
        {"it's ", 4, 3},
        {"abcdefghijklmno.Pqrstuvwxyz ", 27, 26}, // the dot in the wide reader's last lane
        {"abcdefghijklmnopqrstuvwxyz0123456789'ABCDEFGHIJ ", 47, 46},
        {"a. ", 1, 1},
    };
    for (const Case& c : cases) {
        const std::string text = c.text;
        const std::string padded = text + std::string(WordRunPadding, '\0');
        const WordRun run = WordRunAt(padded.data(), 0, text.size());
        EXPECT_EQ(run.end, c.end) << c.text;
        EXPECT_EQ(run.letters, c.letters) << c.text;
    }
}

} // namespace
} // namespace pelmar::detail
