#include "engine/WordLists.h"

#include <gtest/gtest.h>

#include <random>

namespace pelmar::detail {
namespace {

// The plain scans the indexes stand in for.
bool scanListed(const std::vector<std::string>& items, std::string_view word) {
    for (const auto& item : items) {
        if (item == word)
            return true;
        if (item > word)
            return false;
    }
    return false;
}

bool scanCut(const std::vector<std::string>& items, std::string& word, bool tail) {
    for (auto it = items.rbegin(); it != items.rend(); ++it) {
        const std::string_view w = word;
        if (tail && it->size() < w.size() && w.ends_with(*it)) {
            word.resize(word.size() - it->size());
            return true;
        }
        if (!tail && it->size() + 2 < w.size() && w.starts_with(*it)) {
            word = word.substr(it->size(), 99);
            return true;
        }
    }
    return false;
}

std::string randomWord(std::mt19937& rng, int maxLength) {
    std::uniform_int_distribution<int> length(1, maxLength), letter(0, 2);
    std::string w(static_cast<std::size_t>(length(rng)), 'a');
    for (char& c : w)
        c = static_cast<char>('a' + letter(rng));
    return w;
}

// Sorted or not, with duplicates: the indexes must answer exactly as the scans do.
TEST(WordLists, IndexesAgreeWithLinearScans) {
    std::mt19937 rng(12345);
    for (int round = 0; round < 200; ++round) {
        std::vector<std::string> items;
        const int count = static_cast<int>(rng() % 12);
        for (int i = 0; i < count; ++i)
            items.push_back(rng() % 16 == 0 ? std::string() : randomWord(rng, 4));
        if (round % 2 == 0)
            std::sort(items.begin(), items.end());
        const ListedIndex listed(items);
        const AffixIndex affix(items);
        for (int q = 0; q < 40; ++q) {
            const std::string word = q == 0 ? std::string() : randomWord(rng, 6);
            EXPECT_EQ(listed.contains(word), scanListed(items, word)) << word;
            std::string a = word, b = word;
            EXPECT_EQ(affix.cutTail(a), scanCut(items, b, true)) << word;
            EXPECT_EQ(a, b);
            a = b = word;
            EXPECT_EQ(affix.cutHead(a), scanCut(items, b, false)) << word;
            EXPECT_EQ(a, b);
        }
    }
}

TEST(WordLists, ListedScanStopsAtFirstLaterItem) {
    const ListedIndex unsorted({"b", "a", "c"});
    EXPECT_FALSE(unsorted.contains("a")); // "b" already sorts after "a"
    EXPECT_TRUE(unsorted.contains("b"));
    EXPECT_TRUE(unsorted.contains(" b ")); // the word is trimmed
    EXPECT_FALSE(ListedIndex().contains("a"));
}

} // namespace
} // namespace pelmar::detail
