#pragma once

#include "engine/StringTable.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace pelmar {

class TDataFile;

namespace detail {

// A word list searched the way a linear scan would: the items are compared in stored order and
// the scan gives up at the first item that sorts after the word. So a listed word is found only
// when no item before it sorts after it; which items the scan can find is worked out once, and
// a lookup is then one hash probe (the data need not be sorted).
class ListedIndex {
public:
    ListedIndex() = default;
    explicit ListedIndex(std::vector<std::string> items);
    [[nodiscard]] bool contains(std::string_view word) const;
    // Every word the scan can find.
    template <typename Visit>
    void forEach(Visit visit) const {
        m_found.forEach([&](std::string_view word, std::uint32_t) { visit(word); });
    }

private:
    StringTable m_found;
};

// Byte strings in a trie, each node knowing the latest position of an item that ends there, so
// that every item that begins a word is found in one walk along the word.
class ByteTrie {
public:
    static constexpr std::uint32_t NoItem = 0xFFFFFFFF;

    ByteTrie() : m_items(1, NoItem) {}
    void add(std::string_view bytes, std::uint32_t position);
    // The node reached from `node` by `byte`, or 0 (the root is never a child).
    [[nodiscard]] std::uint32_t child(std::uint32_t node, unsigned char byte) const {
        return node == 0 ? m_rootChildren[byte] : innerChild(node, byte);
    }
    // The latest position of an item that ends at `node`, or NoItem.
    [[nodiscard]] std::uint32_t item(std::uint32_t node) const { return m_items[node]; }

private:
    struct Edge {
        std::uint32_t key = 0; // node << 8 | byte, plus 1 so that 0 marks a free entry
        std::uint32_t child = 0;
    };
    [[nodiscard]] std::size_t slotOf(std::uint32_t key) const {
        return (key * 0x9E3779B1u) >> m_shift;
    }
    [[nodiscard]] std::uint32_t innerChild(std::uint32_t node, unsigned char byte) const;
    void grow();

    // Every walk begins at the root, so its children are looked up directly.
    std::uint32_t m_rootChildren[256] = {};
    std::vector<std::uint32_t> m_items; // per node
    std::vector<Edge> m_edges;          // open addressing, a power of two in size
    unsigned m_shift = 32;
    std::size_t m_edgeCount = 0;
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
    ByteTrie m_suffixes; // the items read from their end
    ByteTrie m_prefixes;
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
    // For a word the scans of "word_1" to "word_6" find, the number of the first list that has
    // it (1 to 6): what the syllable rules look up, in one probe instead of six.
    detail::StringTable firstWordList;
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
