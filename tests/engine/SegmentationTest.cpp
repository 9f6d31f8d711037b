#include "EngineFixtures.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace pelmar {
namespace {

using testing_support::builtinWordData;
using testing_support::clearedEngine;

struct Counts {
    int sentences, clauses, phrases, words, letters;
    bool openSentence, openClause, openPhrase;
    bool operator==(const Counts&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Counts& c) {
    return os << "S" << c.sentences << " C" << c.clauses << " P" << c.phrases << " W" << c.words
              << " L" << c.letters << " open " << c.openSentence << c.openClause << c.openPhrase;
}

Counts countsOf(const TPelgine& e) {
    return {e.Sentences, e.Clauses, e.Phrases, e.Words, e.Letters,
            e.OpenSentence, e.OpenClause, e.OpenPhrase};
}

Counts analyze(std::string_view text, bool lowerStart = false, bool hyphenJoins = false) {
    TPelgine engine = clearedEngine(&builtinWordData());
    engine.LowerStartAllowed = lowerStart;
    engine.HyphenJoins = hyphenJoins;
    engine.Text = std::string(text);
    engine.Analyze();
    return countsOf(engine);
}

struct Case {
    const char* text;
    Counts expected;
};

TEST(Analyze, SegmentsSentencesClausesPhrasesAndWords) {
    const Case cases[] = {
        {"Hello world.", {1, 1, 1, 2, 10, false, false, false}},
        {"Hello world", {0, 0, 0, 2, 10, true, true, true}},
        {"It rained; we stayed.", {1, 2, 2, 4, 16, false, false, false}},
        {"Mr. Smith came.", {1, 1, 1, 3, 11, false, false, false}},
        {"etc. and so on.", {1, 1, 1, 4, 10, false, false, false}},
        {"He said e.g. this.", {1, 1, 1, 5, 12, false, false, false}},
        {"3.14 and 2,5", {0, 0, 0, 4, 8, true, true, true}},
        {"don't", {0, 0, 0, 1, 4, true, true, true}},
        {"word.Next", {0, 0, 0, 1, 8, true, true, true}},
        {"Stop!Now we go.", {2, 2, 2, 4, 11, false, false, false}},
        {"U.S.A. is big.", {1, 1, 1, 3, 8, false, false, false}},
        {"end, next", {0, 0, 1, 2, 7, true, true, true}},
        {"He said \"Go.\" Then left", {1, 1, 2, 5, 16, true, true, true}},
        // Only the first glued letter may start a sentence in lower case.
        {"I ate.a lot.", {1, 1, 1, 4, 8, false, false, false}},
        // Capitals-only words on both sides of a "." do not make a sentence end.
        {"USA!X. more.", {1, 1, 1, 3, 8, false, false, false}},
        {"Usa!X. more.", {2, 2, 2, 3, 8, false, false, false}},
        // The two-dot leader closes clause and phrase, and here the sentence.
        {"Wait\x81\x64 Then go", {1, 1, 1, 3, 10, true, true, true}},
        // Kana are separators; kanji close a word.
        {"\x82\xB1\x82\xF1\x82\xC9\x82\xBF\x82\xCD", {0, 0, 0, 0, 0, false, false, false}},
        {"ab\x8A\xBF" "cd.", {1, 1, 1, 2, 4, false, false, false}},
        {"Ｈｉ．", {0, 0, 0, 0, 0, false, false, false}}, // UTF-8 bytes, not CP932: no letters
        {"\x82\x67\x82\x89\x81\x44", {1, 1, 1, 1, 2, false, false, false}}, // full-width "Hi."
        {"", {0, 0, 0, 0, 0, false, false, false}},
        {" \t ", {0, 0, 0, 0, 0, false, false, false}},
        {"...", {0, 0, 0, 0, 0, false, false, false}},
        {"' '", {0, 0, 0, 0, 0, false, false, false}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(analyze(c.text), c.expected) << "text: " << c.text;
}

TEST(Analyze, BlanksCollapse) {
    EXPECT_EQ(analyze("a  ,b"), analyze("a ,b"));
    EXPECT_EQ(analyze("a ,b"), (Counts{0, 0, 1, 2, 2, true, true, true}));
    EXPECT_EQ(analyze("one    two"), analyze("one two"));
}

TEST(Analyze, SwitchesOfTheMeasurementConditions) {
    EXPECT_EQ(analyze("I ate.a lot.", true).sentences, 2);
    EXPECT_EQ(analyze("well-known fact", false, false).words, 3);
    EXPECT_EQ(analyze("well-known fact", false, true).words, 2);
    EXPECT_EQ(analyze("well-known fact", false, true).letters, 13);
}

TEST(Analyze, NumbersCountSyllablesButNeverAsLongWords) {
    TPelgine engine = clearedEngine(&builtinWordData());
    engine.Text = "1999";
    engine.Analyze();
    EXPECT_EQ(engine.Syllables, 4);
    EXPECT_EQ(engine.Syllable3Words, 0);
    EXPECT_EQ(engine.Syllable1Words, 0);
    engine.Clear();
    engine.Text = "000"; // reads as zero, so it is a long word
    engine.Analyze();
    EXPECT_EQ(engine.Syllable3Words, 1);
    engine.Clear();
    engine.Text = "99999999999"; // too large to read as an integer
    engine.Analyze();
    EXPECT_EQ(engine.Syllable3Words, 1);
    engine.Clear();
    engine.Text = "The cat sat";
    engine.Analyze();
    EXPECT_EQ(engine.Syllable1Words, 3);
    EXPECT_EQ(engine.Syllables, 3);
    EXPECT_EQ(engine.Consonants, 1 + 2 + 2); // "th" is one sound
}

TEST(Analyze, CountsAddUpUntilCleared) {
    TPelgine engine = clearedEngine(&builtinWordData());
    engine.Text = "Hello world.";
    engine.Analyze();
    EXPECT_EQ(engine.Text, "Hello world. "); // trimmed, normalised and extended in place
    engine.Text = "Bye now.";
    engine.Analyze();
    EXPECT_EQ(engine.Words, 4);
    EXPECT_EQ(engine.Sentences, 2);
    engine.Analyze(); // the already-normalised text once more
    EXPECT_EQ(engine.Words, 6);
    engine.Clear();
    EXPECT_EQ(countsOf(engine), (Counts{0, 0, 0, 0, 0, false, false, false}));
    EXPECT_TRUE(engine.TailCut && engine.WordList && engine.VyVConsonant);
    EXPECT_FALSE(engine.LowerStartAllowed || engine.HyphenJoins);
}

TEST(Analyze, BlankTextAssignsNothing) {
    TPelgine engine = clearedEngine(&builtinWordData());
    engine.Text = "Open words";
    engine.Analyze();
    ASSERT_TRUE(engine.OpenSentence);
    engine.Text = "   ";
    engine.Analyze();
    EXPECT_TRUE(engine.OpenSentence); // flags of the last real text stay
    EXPECT_EQ(engine.Words, 2);
}

TEST(Analyze, ReportsEveryClosedWordInOrder) {
    TPelgine engine = clearedEngine(&builtinWordData());
    std::vector<std::string> words;
    engine.OnWordClosed = [&](std::string_view w, int, int) { words.emplace_back(w); };
    engine.Text = "It's 3.14, Mr.Smith\x8A\xBF" "ok ' x";
    engine.Analyze();
    EXPECT_EQ(words, (std::vector<std::string>{"It's", "3.14", "Mr.Smith", "ok", "'x"}));
}

TEST(Analyze, SurvivesHostileBytes) {
    std::string text;
    for (int i = 0; i < 4096; ++i)
        text += char((i * 7919) & 0xFF);
    text += '\x81'; // a lone lead byte at the very end
    TPelgine engine = clearedEngine(&builtinWordData());
    engine.Text = text;
    engine.Analyze();
    EXPECT_GE(engine.Words, 0);
    engine.Clear();
    engine.Text = std::string(300, '.') + "a" + std::string(300, '!');
    engine.Analyze();
    EXPECT_EQ(engine.Words, 1);
}

TEST(IsSentenceEnd, LooksAhead) {
    TPelgine engine = clearedEngine(&builtinWordData());
    EXPECT_FALSE(engine.IsSentenceEnd('.', "Mr", "Mr", " Smith"));
    EXPECT_FALSE(engine.IsSentenceEnd('.', "end", "end", ", more"));
    EXPECT_FALSE(engine.IsSentenceEnd('!', "end", "  ", " Next"));
    EXPECT_TRUE(engine.IsSentenceEnd('!', "end", "end", "   "));
    EXPECT_TRUE(engine.IsSentenceEnd('?', "end", "end", " \"quoted"));
    EXPECT_TRUE(engine.IsSentenceEnd('.', "end", "end", " Next"));
    EXPECT_TRUE(engine.IsSentenceEnd('.', "end", "end", " 42 more"));
    EXPECT_FALSE(engine.IsSentenceEnd('.', "end", "end", " next"));
    EXPECT_TRUE(engine.IsSentenceEnd('.', "end", "end", " ... "));
    EXPECT_TRUE(engine.IsSentenceEnd('\0', "", "end", " \x8A\xBF" "Next"));
}

} // namespace
} // namespace pelmar
