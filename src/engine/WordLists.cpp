#include "engine/WordLists.h"

#include "engine/Bytes.h"
#include "storage/DataFile.h"

#include <algorithm>
#include <bit>
#include <optional>

namespace pelmar {
namespace detail {

ListedIndex::ListedIndex(std::vector<std::string> items) {
    // The scan for a word stops at the first item that equals it or sorts after it: the first
    // position whose prefix maximum is not below the word. The word is found when that item is
    // the word itself. Only trimmed items can be asked for (a word is trimmed first).
    std::vector<std::uint32_t> prefixMax;
    prefixMax.reserve(items.size());
    std::uint32_t best = 0;
    for (std::uint32_t i = 0; i < items.size(); ++i) {
        if (items[i] > items[best])
            best = i;
        prefixMax.push_back(best);
    }
    for (const std::string& item : items) {
        if (bytes::trimmed(item) != item || m_found.find(item))
            continue;
        const auto stop = std::partition_point(prefixMax.begin(), prefixMax.end(),
                                               [&](std::uint32_t i) { return items[i] < item; });
        if (stop != prefixMax.end() && items[static_cast<std::size_t>(stop - prefixMax.begin())] == item)
            m_found.set(item, 1);
    }
}

bool ListedIndex::contains(std::string_view word) const {
    return m_found.find(bytes::trimmed(word)) != nullptr;
}

void ByteTrie::add(std::string_view bytes, std::uint32_t position) {
    std::uint32_t node = 0;
    for (char c : bytes) {
        std::uint32_t next = child(node, static_cast<unsigned char>(c));
        if (next == 0) {
            if ((m_edgeCount + 1) * 2 > m_edges.size())
                grow();
            next = static_cast<std::uint32_t>(m_items.size());
            m_items.push_back(NoItem);
            const std::uint32_t key = (node << 8 | static_cast<unsigned char>(c)) + 1;
            std::size_t i = slotOf(key);
            while (m_edges[i].key != 0)
                i = (i + 1) & (m_edges.size() - 1);
            m_edges[i] = Edge{key, next};
            ++m_edgeCount;
            if (node == 0)
                m_rootChildren[static_cast<unsigned char>(c)] = next;
        }
        node = next;
    }
    // Items are added in list order, so the latest position of a repeated item wins.
    m_items[node] = position;
}

std::uint32_t ByteTrie::innerChild(std::uint32_t node, unsigned char byte) const {
    if (m_edges.empty())
        return 0;
    const std::uint32_t key = (node << 8 | byte) + 1;
    for (std::size_t i = slotOf(key); m_edges[i].key != 0; i = (i + 1) & (m_edges.size() - 1)) {
        if (m_edges[i].key == key)
            return m_edges[i].child;
    }
    return 0;
}

void ByteTrie::grow() {
    std::vector<Edge> old = std::move(m_edges);
    m_edges.assign(old.empty() ? 16 : old.size() * 2, Edge{});
    m_shift = 32 - static_cast<unsigned>(std::countr_zero(m_edges.size()));
    for (const Edge& edge : old) {
        if (edge.key == 0)
            continue;
        std::size_t i = slotOf(edge.key);
        while (m_edges[i].key != 0)
            i = (i + 1) & (m_edges.size() - 1);
        m_edges[i] = edge;
    }
}

AffixIndex::AffixIndex(const std::vector<std::string>& items) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        const auto position = static_cast<std::uint32_t>(i);
        m_prefixes.add(items[i], position);
        m_suffixes.add(std::string(items[i].rbegin(), items[i].rend()), position);
    }
}

namespace {

// The length of the latest item met on a walk through `trie` over the bytes at(1), at(2), ...,
// taking at most `maxLength` of them (an empty item counts too); nothing when none is met.
template <typename At>
std::optional<std::size_t> latestItem(const ByteTrie& trie, std::size_t maxLength, At at) {
    std::uint32_t node = 0;
    std::uint32_t best = trie.item(0);
    std::size_t bestLength = 0;
    for (std::size_t length = 1; length <= maxLength; ++length) {
        node = trie.child(node, static_cast<unsigned char>(at(length)));
        if (node == 0)
            break;
        const std::uint32_t item = trie.item(node);
        if (item != ByteTrie::NoItem && (best == ByteTrie::NoItem || item > best)) {
            best = item;
            bestLength = length;
        }
    }
    if (best == ByteTrie::NoItem)
        return std::nullopt;
    return bestLength;
}

} // namespace

bool AffixIndex::cutTail(std::string& word) const {
    // At least one character stays before the suffix.
    if (word.empty())
        return false;
    const auto length = latestItem(m_suffixes, word.size() - 1,
                                   [&](std::size_t k) { return word[word.size() - k]; });
    if (!length)
        return false;
    word.resize(word.size() - *length);
    return true;
}

bool AffixIndex::cutHead(std::string& word) const {
    // More than two characters stay after the prefix.
    if (word.size() < 3)
        return false;
    const auto length =
        latestItem(m_prefixes, word.size() - 3, [&](std::size_t k) { return word[k - 1]; });
    if (!length)
        return false;
    word = word.substr(*length, 99);
    return true;
}

} // namespace detail

namespace {

std::vector<std::string> section(const TDataFile* data, std::string_view name) {
    return data ? data->ReadSection(name) : std::vector<std::string>{};
}

} // namespace

WordLists::WordLists(const TDataFile* data) : m_data(data) {
    abbreviation = detail::ListedIndex(section(data, "abbreviation"));
    for (int i = 0; i < 6; ++i)
        words[i] = detail::ListedIndex(section(data, "word_" + std::to_string(i + 1)));
    for (std::uint32_t i = 0; i < 6; ++i) {
        words[i].forEach([&](std::string_view word) {
            if (!firstWordList.find(word))
                firstWordList.set(word, i + 1);
        });
    }
    for (int i = 0; i < 4; ++i)
        tails[i] = detail::AffixIndex(section(data, "tail_" + std::to_string(i)));
    headTop1 = detail::AffixIndex(section(data, "head_top_1"));
    for (int i = 0; i < 4; ++i)
        heads[i] = detail::AffixIndex(section(data, "head_" + std::to_string(i + 1)));
}

const detail::ListedIndex& WordLists::listed(std::string_view name) const {
    auto it = m_otherListed.find(name);
    if (it == m_otherListed.end())
        it = m_otherListed.emplace(std::string(name), detail::ListedIndex(section(m_data, name))).first;
    return it->second;
}

const detail::AffixIndex& WordLists::affix(std::string_view name) const {
    auto it = m_otherAffix.find(name);
    if (it == m_otherAffix.end())
        it = m_otherAffix.emplace(std::string(name), detail::AffixIndex(section(m_data, name))).first;
    return it->second;
}

} // namespace pelmar
