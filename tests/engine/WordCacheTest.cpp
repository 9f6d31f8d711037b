#include "engine/WordCache.h"

#include "EngineFixtures.h"
#include "engine/Bytes.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

namespace pelmar {
namespace {

using detail::WordCache;
using detail::WordCounts;
using detail::WordKey;

std::string randomWord(std::mt19937& rng, std::size_t maxLength) {
    static const std::string bytes = "abcdeABCDE019'";
    std::string word(1 + rng() % maxLength, 'a');
    for (char& c : word)
        c = bytes[rng() % bytes.size()];
    return word;
}

bool same(const WordCounts& a, const WordCounts& b) {
    return a.syllables == b.syllables && a.consonants == b.consonants && a.threePlus == b.threePlus;
}

TEST(WordCache, WordKeys) {
    std::mt19937 rng(7);
    for (int i = 0; i < 4000; ++i) {
        const std::string word = randomWord(rng, detail::KeyedWordLength);
        const std::string padded = word + "xyzxyzxyzxyzxyzxyz";
        EXPECT_EQ(detail::MakeWordKey(padded.data(), word.size()), detail::MakeWordKey(word)) << word;
        EXPECT_EQ(detail::Lowered(detail::MakeWordKey(word)), detail::MakeWordKey(bytes::lowered(word)))
            << word;
    }
    // Only A-Z are lowered: not the bytes next to them.
    for (const char* word : {"@[`{", "AZ az", "'09", "@@@@@@@@[[[[ZZZ"})
        EXPECT_EQ(detail::Lowered(detail::MakeWordKey(word)), detail::MakeWordKey(bytes::lowered(word)))
            << word;
}

// Whatever the words and however often the small front tables are overwritten, the cache
// answers as a plain map of the words kept, keeps no word too long or with counts too large,
// and forgets everything on clear.
TEST(WordCache, AnswersAsAMapOfTheWordsItKept) {
    std::mt19937 rng(99);
    WordCache cache;
    std::map<std::string, WordCounts> kept;
    for (int round = 0; round < 3; ++round) {
        for (int i = 0; i < 60000; ++i) {
            const std::string word = randomWord(rng, i % 5 == 0 ? 60 : 12);
            WordCounts found;
            const bool hit = cache.find(word, found);
            const auto it = kept.find(word);
            ASSERT_EQ(hit, it != kept.end()) << word;
            if (hit) {
                EXPECT_TRUE(same(found, it->second)) << word;
                continue;
            }
            const WordCounts counts{static_cast<int>(rng() % 9), static_cast<int>(rng() % 30),
                                    static_cast<int>(rng() % 2)};
            cache.insert(word, counts);
            if (word.size() <= WordCache::MaxWordLength)
                kept[word] = counts;
        }
        EXPECT_EQ(cache.size(), kept.size());
        cache.insert("huge", {0x10000, 1, 1});
        WordCounts found;
        EXPECT_FALSE(cache.find("huge", found));
        cache.clear();
        kept.clear();
        EXPECT_FALSE(cache.find("abc", found));
        EXPECT_EQ(cache.size(), 0u);
    }
}

TEST(WordCache, StartsAgainOnceItKeepsItsLimit) {
    WordCache cache;
    std::string last;
    for (std::size_t i = 0; i <= WordCache::Limit + 10; ++i) {
        last.assign(1, 'w');
        last += std::to_string(i);
        cache.insert(last, {1, 1, 0});
        ASSERT_LE(cache.size(), WordCache::Limit);
    }
    WordCounts found;
    EXPECT_TRUE(cache.find(last, found));
    EXPECT_FALSE(cache.find("w5", found));
}

// The cache must never change a count: a text of many words, in both cases, short and long,
// counts the same as its words counted one by one without it.
TEST(WordCache, EngineCountsAsWithoutIt) {
    std::mt19937 rng(5);
    static const std::string letters = "aeiouystrnlcdhmpbgAEST";
    std::vector<std::string> vocabulary{"1999", "000"};
    for (int i = 0; i < 3000; ++i) {
        std::string word(1 + rng() % 20, 'a');
        for (char& c : word)
            c = letters[rng() % letters.size()];
        vocabulary.push_back(word);
    }
    TPelgine engine = testing_support::clearedEngine(&testing_support::builtinWordData());
    std::string text;
    int syllables = 0, consonants = 0, threePlus = 0, one = 0;
    for (int i = 0; i < 20000; ++i) {
        const std::string& word = vocabulary[rng() % vocabulary.size()];
        const int s = engine.CountSyllables(word); // the rules themselves, never cached
        syllables += s;
        consonants += engine.CountConsonants(word);
        threePlus += s > 2 && word != "1999"; // a number is never a long word
        one += s == 1;
        text += word;
        text += ' ';
    }
    engine.Text = text;
    engine.Analyze();
    EXPECT_EQ(engine.Words, 20000);
    EXPECT_EQ(engine.Syllables, syllables);
    EXPECT_EQ(engine.Consonants, consonants);
    EXPECT_EQ(engine.Syllable3Words, threePlus);
    EXPECT_EQ(engine.Syllable1Words, one);
}

} // namespace
} // namespace pelmar
