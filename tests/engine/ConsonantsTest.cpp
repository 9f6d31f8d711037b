#include "engine/Consonants.h"

#include <gtest/gtest.h>

namespace pelmar {
namespace {

struct WordCase {
    const char* word;
    int consonants;
};

TEST(CountConsonants, SpellingRules) {
    const WordCase cases[] = {
        {"strong", 4},  {"string", 4},  {"strings", 5}, {"thoroughly", 3}, {"church", 3},
        {"match", 2},   {"night", 2},   {"show", 1},    {"saw", 1},        {"box", 3},
        {"muscle", 3},  {"1999", 4},    {"a", 0},       {"'", 0},          {"why", 1},
        {"", 0},        {"excite", 3},  {"quick", 3},   {"acquire", 3},    {"lacquer", 3},
        {"walk", 2},    {"calm", 2},    {"knit", 2},    {"rabbit", 3},     {"science", 3},
        {"ghost", 3},   {"Church", 3},  {"u.s.a", 3},   {"fish", 2},       {"between", 4},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CountConsonants(c.word), c.consonants) << c.word;
}

TEST(CutSpellingExceptions, FirstListEntryWins) {
    struct Case {
        const char* word;
        bool cut;
        int n;
        const char* rest;
    };
    const Case cases[] = {
        {"thoroughly", true, 2, "ly"}, // start lists come before end lists
        {"ly", true, 1, ""},           // an entry equal to the whole word leaves nothing
        {"strings", true, 2, "str"},
        {"string", true, 1, "str"},
        {"grandly", true, 4, "ly"},
        {"cat", false, 0, "cat"},
    };
    for (const auto& c : cases) {
        std::string w = c.word;
        int n = -1;
        EXPECT_EQ(CutSpellingExceptions(w, n), c.cut) << c.word;
        EXPECT_EQ(n, c.n) << c.word;
        EXPECT_EQ(w, c.rest) << c.word;
    }
    std::string longWord = "per" + std::string(120, 'z');
    int n = 0;
    EXPECT_TRUE(CutSpellingExceptions(longWord, n));
    EXPECT_EQ(longWord.size(), 99u); // a start entry keeps at most 99 characters
}

} // namespace
} // namespace pelmar
