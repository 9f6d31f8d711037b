#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace pelmar {

class TDataFile;

namespace detail {

struct StringHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const noexcept {
        return std::hash<std::string_view>{}(s);
    }
};

// A sorted word list searched the way a linear scan would: the items are compared in stored
// order and the scan gives up at the first item that sorts after the word. Prefix maxima make
// that a binary search that agrees with the scan even when the data is not sorted.
class ListedIndex {
public:
    ListedIndex() = default;
    explicit ListedIndex(std::vector<std::string> items);
    [[nodiscard]] bool contains(std::string_view word) const;

private:
    std::vector<std::string> m_items;
    std::vector<std::uint32_t> m_prefixMax; // index of the greatest item among 0..i
};

// Suffixes or prefixes tried from the last item to the first: the item that fits and stands
// latest in the list wins.
class AffixIndex {
public:
    AffixIndex() = default;
    explicit AffixIndex(const std::vector<std::string>& items);
    // Cuts the latest listed suffix that leaves at least one character before it.
    bool cutTail(std::string& word) const;
    // Cuts the latest listed prefix that leaves more than two characters after it; the word
    // keeps at most 99 characters.
    bool cutHead(std::string& word) const;

private:
    std::unordered_map<std::string, std::size_t, StringHash, std::equal_to<>> m_lastIndex;
    std::vector<std::size_t> m_lengths; // distinct item lengths, ascending
};

} // namespace detail

// The sections of the word data that the syllable and sentence rules read, indexed once per
// version of the data.
class WordLists {
public:
    WordLists() = default;
    explicit WordLists(const TDataFile* data);

    detail::ListedIndex abbreviation;
    detail::ListedIndex words[6];  // "word_1" .. "word_6"
    detail::AffixIndex tails[4];   // "tail_0" .. "tail_3"
    detail::AffixIndex headTop1;   // "head_top_1"
    detail::AffixIndex heads[4];   // "head_1" .. "head_4"

    // Any section by name, indexed on first use.
    const detail::ListedIndex& listed(std::string_view section) const;
    const detail::AffixIndex& affix(std::string_view section) const;

private:
    const TDataFile* m_data = nullptr;
    mutable std::map<std::string, detail::ListedIndex, std::less<>> m_otherListed;
    mutable std::map<std::string, detail::AffixIndex, std::less<>> m_otherAffix;
};

} // namespace pelmar
