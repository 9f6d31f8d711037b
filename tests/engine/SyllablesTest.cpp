#include "EngineFixtures.h"

#include <gtest/gtest.h>

namespace pelmar {
namespace {

using testing_support::builtinWordData;
using testing_support::dataFromText;

struct WordCase {
    const char* word;
    int syllables;
};

// Words no section of the word data lists or cuts, counted by the spelling rules alone.
TEST(CountSyllables, SpellingRules) {
    TPelgine engine;
    engine.Clear();
    const WordCase cases[] = {
        {"the", 1},    {"make", 1},    {"free", 1},   {"be", 1},      {"player", 2},
        {"beyond", 2}, {"jumped", 1},  {"wanted", 2}, {"ended", 2},   {"naked", 2},
        {"wicked", 2}, {"makes", 1},   {"rides", 1},  {"places", 2},  {"pages", 2},
        {"boxes", 2},  {"wishes", 2},  {"churches", 2}, {"tables", 2}, {"tales", 1},
        {"miles", 1},  {"clothes", 1}, {"didn't", 2}, {"isn't", 2},   {"don't", 1},
        {"can't", 1},  {"aren't", 1},  {"mayn't", 2}, {"haven't", 2}, {"weren't", 2},
        {"1999", 4},   {"3.14", 1},    {"u.s.a", 1},  {"table", 2},   {"bottle", 2},
        {"Make", 1},   {"  make  ", 1}, {"'tis", 1},  {"rhythm", 1},  {"a", 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(engine.CountSyllables(c.word), c.syllables) << c.word;
}

TEST(CountSyllables, EmptyOrBlankWordIsZeroAndAnyOtherAtLeastOne) {
    TPelgine engine;
    engine.Clear();
    EXPECT_EQ(engine.CountSyllables(""), 0);
    EXPECT_EQ(engine.CountSyllables("   "), 0);
    EXPECT_EQ(engine.CountSyllables("'"), 1);
    EXPECT_EQ(engine.CountSyllables("xyz."), 1);
    EXPECT_EQ(engine.CountSyllables("bcd"), 1);
}

TEST(CountSyllables, SwitchesTurnRulesOff) {
    TPelgine engine;
    engine.Clear();
    engine.VyVConsonant = false;
    EXPECT_EQ(engine.CountSyllables("player"), 1);
    engine.Clear();
    engine.SilentE = false;
    EXPECT_EQ(engine.CountSyllables("make"), 2);
    engine.Clear();
    engine.Inflections = false;
    EXPECT_EQ(engine.CountSyllables("jumped"), 2);
    EXPECT_EQ(engine.CountSyllables("didn't"), 1);
    engine.Clear();
    engine.TailCut = false;
    EXPECT_EQ(engine.CountSyllables("table"), 1); // "tab" + "le" no longer cut off

    // With every rule off the count is the vowel groups plus digits, at least one.
    TPelgine plain; // the plain constructor leaves every switch off
    const WordCase cases[] = {{"make", 2}, {"player", 1}, {"jumped", 2}, {"rhythm", 1},
                              {"a1b2", 3}, {"queue", 1},  {"bcd", 1}};
    for (const auto& c : cases)
        EXPECT_EQ(plain.CountSyllables(c.word), c.syllables) << c.word;
}

TEST(CountSyllables, WordListsAndAffixes) {
    const auto data = dataFromText("[word_3]\r\nzzz\r\n[tail_1]\r\nness\r\n[tail_0]\r\nque\r\n"
                                   "[head_1]\r\npre\r\n[head_2]\r\nanti\r\n");
    TPelgine engine;
    engine.Dictionary = data.get();
    engine.Clear();
    EXPECT_EQ(engine.CountSyllables("zzz"), 3);   // listed, whatever its letters
    EXPECT_EQ(engine.CountSyllables("zzzness"), 4); // suffix cut, then the stem is listed
    EXPECT_EQ(engine.CountSyllables("ness"), 1);  // a suffix equal to the word is not cut
    EXPECT_EQ(engine.CountSyllables("kindness"), 2);
    EXPECT_EQ(engine.CountSyllables("antique"), 2); // "anti" needs more than 2 left: "que" cut first
    EXPECT_EQ(engine.CountSyllables("preach"), 2);  // "pre" + "ach"
    engine.WordList = false;
    EXPECT_EQ(engine.CountSyllables("zzz"), 1);
    engine.Clear();
    engine.TailCut = false;
    EXPECT_EQ(engine.CountSyllables("zzz"), 1); // word lists ride on suffix cutting

    std::string word = "ness";
    EXPECT_EQ(engine.CutTail(word, "tail_1", 1), 0);
    EXPECT_EQ(word, "ness");
    word = "preach";
    EXPECT_EQ(engine.CutHead(word, "head_1", 1), 1);
    EXPECT_EQ(word, "ach");
    word = "prean";
    EXPECT_EQ(engine.CutHead(word, "head_1", 1), 0);
    EXPECT_EQ(word, "prean");
}

// A word in several word lists counts as the first of them has it; a list's scan stops at its
// first item that sorts after the word, so a word behind such an item is not in that list.
TEST(CountSyllables, TheFirstWordListThatHasTheWordCounts) {
    const auto data = dataFromText("[word_2]\r\nbeta\r\n[word_4]\r\nzeta\r\nalpha\r\n"
                                   "[word_5]\r\nalpha\r\nbeta\r\n[word_6]\r\nalpha\r\n");
    TPelgine engine;
    engine.Dictionary = data.get();
    engine.Clear();
    EXPECT_EQ(engine.CountSyllables("beta"), 2);
    EXPECT_EQ(engine.CountSyllables("alpha"), 5); // not found behind "zeta" in word_4
    EXPECT_EQ(engine.WordSyllables("alpha"), 5);
    EXPECT_EQ(engine.WordSyllables("gamma"), 0);
}

TEST(CountSyllables, TailAndHeadItemsAreTriedFromLastToFirst) {
    const auto data = dataFromText("[tail_2]\r\ning\r\nling\r\n[head_1]\r\nun\r\nund\r\n");
    TPelgine engine;
    engine.Dictionary = data.get();
    engine.Clear();
    std::string word = "sailing";
    EXPECT_EQ(engine.CutTail(word, "tail_2", 2), 2);
    EXPECT_EQ(word, "sai"); // "ling" stands after "ing"
    word = "undone";
    EXPECT_EQ(engine.CutHead(word, "head_1", 1), 1);
    EXPECT_EQ(word, "one");
}

TEST(CountSyllables, ZeroWorthSuffixDoesNotLiftAnEmptiedStem) {
    // A counted suffix marks the word as cut, so a stem whose only vowel group the silent e
    // took away counts one again; a suffix worth 0 does not mark it.
    const auto counted = dataFromText("[tail_1]\r\nness\r\n[head_1]\r\npro\r\n");
    const auto zero = dataFromText("[tail_0]\r\nness\r\n[head_1]\r\npro\r\n");
    TPelgine engine;
    engine.Clear();
    engine.Dictionary = counted.get();
    EXPECT_EQ(engine.CountSyllables("prokkeness"), 3); // 1 + "pro" 1 + "kke" lifted to 1
    engine.Dictionary = zero.get();
    EXPECT_EQ(engine.CountSyllables("prokkeness"), 1); // "pro" 1 + "kke" 0
}

TEST(CountSyllables, BuiltinWordData) {
    TPelgine engine;
    engine.Dictionary = &builtinWordData();
    engine.Clear();
    const WordCase cases[] = {{"clean", 1},     {"bacteriology", 6}, {"business", 2},
                              {"area", 3},      {"every", 3},        {"homer", 2},
                              {"hopelessness", 3}, {"sometimes", 2},  {"likely", 2}};
    for (const auto& c : cases)
        EXPECT_EQ(engine.CountSyllables(c.word), c.syllables) << c.word;
}

} // namespace
} // namespace pelmar
