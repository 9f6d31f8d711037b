#include "engine/WordCache.h"

#include "EngineFixtures.h"
#include "engine/Bytes.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <random>
#include <string>
#include <thread>
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

// Threads that fill one table at once each find every word they put in, with its counts, and
// never a word with another's counts; a full table takes no more words.
TEST(WordTable, ThreadsFillItAtOnce) {
    detail::WordTable table(1 << 14);
    auto countsOf = [](const WordKey& key) {
        return WordCounts{static_cast<int>(key.low % 1000), static_cast<int>(key.high % 1000),
                          static_cast<int>(key.low & 1)};
    };
    std::vector<std::thread> threads;
    std::vector<int> wrong(4, 0);
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            std::mt19937_64 rng(static_cast<unsigned>(t % 2)); // two pairs of threads share their words
            for (int i = 0; i < 6000; ++i) {
                const WordKey key{rng() | 1, rng() % 4 == 0 ? rng() : 0};
                WordCounts found;
                if (table.find(key, found) && !same(found, countsOf(key)))
                    ++wrong[static_cast<std::size_t>(t)];
                table.insert(key, countsOf(key));
                if (!table.find(key, found) || !same(found, countsOf(key)))
                    ++wrong[static_cast<std::size_t>(t)];
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    for (int count : wrong)
        EXPECT_EQ(count, 0);
    // Two threads that put in the same word at the same moment may both keep it.
    EXPECT_GE(table.size(), 12000u);
    EXPECT_LT(table.size(), 12100u);
    EXPECT_FALSE(table.full());

    detail::WordTable small(16);
    int taken = 0;
    for (std::uint64_t k = 1; k <= 20; ++k)
        taken += small.insert(WordKey{k, 0}, {1, 1, 0});
    EXPECT_EQ(taken, 12);
    EXPECT_TRUE(small.full());
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

// Engines on two threads that share their counts count as one engine alone; an engine whose
// rule switches differ from those the shared counts were made under keeps to its own.
TEST(WordCache, SharedCountsChangeNoCount) {
    const TDataFile* data = &testing_support::builtinWordData();
    std::mt19937 rng(11);
    std::string text;
    for (int i = 0; i < 30000; ++i) {
        text += randomWord(rng, 14);
        text += i % 17 == 0 ? ". " : " ";
    }
    auto analyze = [&](TPelgine& engine, bool tailCut) {
        engine.Clear();
        engine.TailCut = tailCut;
        engine.Text = text;
        engine.Analyze();
        return engine.Statistics();
    };
    auto equal = [](const TTextCounts& a, const TTextCounts& b) {
        return a.Words == b.Words && a.Syllables == b.Syllables && a.Consonants == b.Consonants &&
               a.Syllable1Words == b.Syllable1Words && a.Syllable3Words == b.Syllable3Words &&
               a.Sentences == b.Sentences;
    };
    TPelgine alone;
    alone.Dictionary = data;
    const TTextCounts expected = analyze(alone, true);
    const TTextCounts expectedWithoutTails = analyze(alone, false);
    ASSERT_NE(expected.Syllables, expectedWithoutTails.Syllables);

    const auto shared = std::make_shared<TSharedWordCounts>(data, text.size());
    TTextCounts results[2];
    std::vector<std::thread> threads;
    for (int t = 0; t < 2; ++t) {
        threads.emplace_back([&, t] {
            TPelgine engine;
            engine.Dictionary = data;
            engine.ShareWordCounts(shared);
            results[t] = analyze(engine, true);
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_TRUE(equal(results[0], expected));
    EXPECT_TRUE(equal(results[1], expected));

    TPelgine other;
    other.Dictionary = data;
    other.ShareWordCounts(shared);
    EXPECT_TRUE(equal(analyze(other, false), expectedWithoutTails));
}

} // namespace
} // namespace pelmar
